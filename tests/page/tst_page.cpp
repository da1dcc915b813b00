#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "page/ClassicPage.h"
#include "page/PageSettings.h"
#include "page/PageWriter.h"
#include "page/WordDivision.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace lexifind;

namespace {

ExerciseDocument makeDocument(const QString &text, const QList<QPair<QString, QString>> &entries)
{
    ExerciseDocument document;
    document.setText(text);
    for (const auto &[word, definition] : entries)
        document.AddEntry(word, definition);
    return document;
}

QByteArray pageOf(const ExerciseDocument &document, PageSettings settings = {})
{
    return BuildPage(document, settings);
}

// The joining as plainly stated: each entry replaced in turn over the whole text.
QString joinPhrasesReference(QString text, const QStringList &words)
{
    for (const QString &word : words) {
        if (!word.contains(u' '))
            continue;
        QString joined = word;
        joined.replace(u' ', u'~');
        text.replace(word, joined, Qt::CaseSensitive);
    }
    return text;
}

} // namespace

class TestPage : public QObject
{
    Q_OBJECT

private slots:
    void defaults_data();
    void defaults();
    void defaultsKeepNonEmptyValues();
    void optionNames();
    void valueProblems_data();
    void valueProblems();

    void wordCharacters_data();
    void wordCharacters();
    void divideText_data();
    void divideText();
    void joinPhrases_data();
    void joinPhrases();
    void joinPhrasesMatchesPlainReplacement();
    void escapeWord_data();
    void escapeWord();
    void arrayLines_data();
    void arrayLines();

    void wholePage();
    void everyWordInsideTheText_data();
    void everyWordInsideTheText();
    void questionCount();
    void tildes_data();
    void tildes();
    void hostileValues_data();
    void hostileValues();
    void foundWordsListShowsMarkupLiterally();
    void windows1252_data();
    void windows1252();
    void emptyWordListRefused();
    void writePage();
};

void TestPage::defaults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("PageTitle") << "PageTitle" << "Recherche de vocabulaire";
    QTest::newRow("TextTitle stays empty") << "TextTitle" << "";
    QTest::newRow("Instruction") << "Instruction" << "Trouvez dans le texte l'équivalent de :";
    QTest::newRow("DoneMessage") << "DoneMessage" << "Terminé !";
    QTest::newRow("RightMessage") << "RightMessage" << "C'est juste !";
    QTest::newRow("WrongMessage") << "WrongMessage" << "Essayez encore !";
    QTest::newRow("NextCaption") << "NextCaption" << "Suite...";
    QTest::newRow("FontFamily") << "FontFamily" << "Arial, Helvetica, sans-serif";
    QTest::newRow("BackgroundColor") << "BackgroundColor" << "#ffffff";
    QTest::newRow("HighlightColor") << "HighlightColor" << "#ffff33";
    QTest::newRow("TextColor") << "TextColor" << "#000000";
    QTest::newRow("AnswerZoneColor") << "AnswerZoneColor" << "#ffff33";
    QTest::newRow("AnswerColor") << "AnswerColor" << "#000000";
    QTest::newRow("VocabularyBackColor") << "VocabularyBackColor" << "#ff9900";
    QTest::newRow("VocabularyTextColor") << "VocabularyTextColor" << "#000000";
    QTest::newRow("DefinitionColor") << "DefinitionColor" << "#cc0000";
    QTest::newRow("TextLanguage") << "TextLanguage" << "";
    QTest::newRow("PageStyle") << "PageStyle" << "";
    QTest::newRow("ScoreLabel") << "ScoreLabel" << "Trouvés :";
    QTest::newRow("ShowAnswerAfter") << "ShowAnswerAfter" << "3";
    QTest::newRow("QuestionOrder") << "QuestionOrder" << "texte";
    QTest::newRow("MasteryScore") << "MasteryScore" << "";
}

void TestPage::defaults()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    PageSettings settings;
    settings.FillDefaults();
    QVERIFY(settings.option(name));
    QCOMPARE(*settings.option(name), expected);
}

void TestPage::defaultsKeepNonEmptyValues()
{
    PageSettings settings;
    settings.RightMessage = QStringLiteral(" ");
    settings.BackgroundColor = QStringLiteral("bleu ciel");
    settings.FillDefaults();
    QCOMPARE(settings.RightMessage, QStringLiteral(" "));
    QCOMPARE(settings.BackgroundColor, QStringLiteral("bleu ciel"));

    // Building a page stores the defaults; a second fill has nothing left to do.
    PageSettings used;
    const ExerciseDocument document = makeDocument(QStringLiteral("chat"), {{"chat", "cat"}});
    BuildPage(document, used);
    QCOMPARE(used.PageTitle, QStringLiteral("Recherche de vocabulaire"));
    PageSettings again = used;
    again.FillDefaults();
    QCOMPARE(again, used);
}

void TestPage::optionNames()
{
    const QStringList names = PageSettings::OptionNames();
    QCOMPARE(names.size(), 35);
    QCOMPARE(names.first(), QStringLiteral("PageTitle"));
    QCOMPARE(names[15], QStringLiteral("DefinitionColor"));
    PageSettings settings;
    for (const QString &name : names) {
        QVERIFY2(settings.option(name), qPrintable(name));
        *settings.option(name) = name;
    }
    QCOMPARE(settings.NextCaption, QStringLiteral("NextCaption"));
    QCOMPARE(settings.VocabularyBackColor, QStringLiteral("VocabularyBackColor"));
    QVERIFY(!settings.option(QStringLiteral("pagetitle")));
    QVERIFY(!settings.option(QStringLiteral("Colour")));
}

void TestPage::valueProblems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("problem"); // empty: taken
    const QString colour = QStringLiteral("n'est pas une couleur");
    QTest::newRow("hex, any case") << "TextColor" << "#FFff33" << "";
    QTest::newRow("a colour's name") << "TextColor" << " RebeccaPurple " << "";
    QTest::newRow("a function of numbers") << "AnswerColor" << "hsl(120 50% 40%)" << "";
    QTest::newRow("a word no browser knows") << "TextColor" << "rouge" << colour;
    QTest::newRow("a declaration's end") << "BackgroundColor" << "red;}" << colour;
    QTest::newRow("a function of nothing") << "AnswerColor" << "rgb(red)" << colour;
    QTest::newRow("tries, too many") << "ShowAnswerAfter" << "100" << "n'est pas un nombre entier de 0 à 99";
    QTest::newRow("yes") << "AutoNext" << "OUI" << "";
    QTest::newRow("neither yes nor no") << "Pronounce" << "peut-être" << "n'est ni « oui » ni « non »";
    QTest::newRow("no order") << "QuestionOrder" << "alphabet" << "n'est ni « texte » ni « hasard »";
    QTest::newRow("any text") << "ShownLabel" << "red;}" << "";
}

void TestPage::valueProblems()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, problem);
    QCOMPARE(PageSettings::ValueProblem(name, value), problem);
}

void TestPage::wordCharacters_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("inWord");
    QTest::newRow("ascii letter") << "a" << true;
    QTest::newRow("digit") << "7" << true;
    QTest::newRow("hyphen") << "-" << true;
    QTest::newRow("tilde") << "~" << true;
    QTest::newRow("upper-case accented") << "É" << true;
    QTest::newRow("sharp s") << "ß" << true;
    QTest::newRow("oe ligature") << "œ" << true;
    QTest::newRow("greek") << "λ" << true;
    QTest::newRow("cyrillic") << "ж" << true;
    QTest::newRow("combining acute") << "\u0301" << true;
    QTest::newRow("apostrophe") << "'" << false;
    QTest::newRow("typographic apostrophe") << "\u2019" << false;
    QTest::newRow("blank") << " " << false;
    QTest::newRow("no-break space") << "\u00A0" << false;
    QTest::newRow("full stop") << "." << false;
    QTest::newRow("less-than") << "<" << false;
    QTest::newRow("superscript two") << "²" << false;
}

void TestPage::wordCharacters()
{
    QFETCH(QString, character);
    QFETCH(bool, inWord);
    QCOMPARE(IsWordCharacter(character.at(0)), inWord);
}

void TestPage::divideText_data()
{
    // The body as the page holds it: windows-1252 bytes, references for the rest.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    const auto span = [](int n, const QByteArray &word) {
        return "<span id=\"" + QByteArray::number(n) + "\" onclick=\"checkanswer(" + QByteArray::number(n)
               + ")\">" + word + "</span>";
    };
    QTest::newRow("three words and a full stop")
            << "Le chat dort." << span(0, "Le") + " " + span(1, "chat") + " " + span(2, "dort") + ".";
    QTest::newRow("begins and ends outside words") << "« oui »" << "\xAB " + span(0, "oui") + " \xBB";
    QTest::newRow("hyphen and number") << "peut-être 1984" << span(0, "peut-\xEAtre") + " " + span(1, "1984");
    QTest::newRow("apostrophe cuts") << "l'eau" << span(0, "l") + "'" + span(1, "eau");
    QTest::newRow("upper-case accent stays in the word") << "État" << span(0, "\xC9tat");
    QTest::newRow("spanish") << "niño" << span(0, "ni\xF1o");
    QTest::newRow("german") << "Straße" << span(0, "Stra\xDF" "e");
    QTest::newRow("ligature, a byte of windows-1252") << "cœur" << span(0, "c\x9C" "ur");
    QTest::newRow("greek") << "καλή μέρα"
            << span(0, "&#954;&#945;&#955;&#942;") + " " + span(1, "&#956;&#941;&#961;&#945;");
    QTest::newRow("cyrillic") << "свежий хлеб"
            << span(0, "&#1089;&#1074;&#1077;&#1078;&#1080;&#1081;") + " "
               + span(1, "&#1093;&#1083;&#1077;&#1073;");
    QTest::newRow("combining mark") << "cafe\u0301 noir" << span(0, "cafe&#769;") + " " + span(1, "noir");
    QTest::newRow("letters beyond the basic plane") << "\U00010330\U00010331 x"
            << span(0, "&#66352;&#66353;") + " " + span(1, "x");
    QTest::newRow("pair across the writer's chunks") << QString(4095, u' ') + "\U00010330"
            << QByteArray(4095, ' ') + span(0, "&#66352;");
    QTest::newRow("controls and a lone half of a pair") << QString("a\u0001b\u0085c ") + QChar(0xD800)
            << span(0, "a") + "&#65533;" + span(1, "b") + "&#65533;" + span(2, "c") + " &#65533;";
    QTest::newRow("line ending with a word")
            << "un\r\ndeux" << "<span id=\"0\" onclick=\"checkanswer(0)\">un<br></span>\r\n" + span(1, "deux");
    QTest::newRow("line ending with punctuation") << "un.\r\n" << span(0, "un") + ".<br>\r\n";
    QTest::newRow("numbering runs over lines")
            << "a.\r\nb c" << span(0, "a") + ".<br>\r\n" + span(1, "b") + " " + span(2, "c");
    QString many;
    QByteArray manySpans;
    for (int n = 0; n < 1001; ++n) {
        many += n ? " x" : "x";
        manySpans += (n ? " " : "") + span(n, "x");
    }
    QTest::newRow("numbers gain digits") << many << manySpans;
    QTest::newRow("markup is text") << "<b>gras</b> & co"
            << "&lt;" + span(0, "b") + "&gt;" + span(1, "gras") + "&lt;/" + span(2, "b") + "&gt; &amp; "
               + span(3, "co");
    QTest::newRow("typed tilde joins, shown as a blank") << "a~b" << span(0, "a b");
    QTest::newRow("empty") << "" << QByteArray();
}

void TestPage::divideText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(DivideText(DivideIntoWords(text, {})), expected);
}

void TestPage::joinPhrases_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("expected");
    QTest::newRow("phrase joined everywhere")
            << "une pomme de terre, deux pommes de terre, pomme de terre"
            << QStringList{"pomme de terre"} << "une pomme~de~terre, deux pommes de terre, pomme~de~terre";
    QTest::newRow("across word borders") << "la bête" << QStringList{"a b"} << "la~bête";
    QTest::newRow("earlier entry takes the part")
            << "pomme de terre" << QStringList{"de terre", "pomme de terre"} << "pomme de~terre";
    QTest::newRow("later entry holding an earlier join with a tilde")
            << "pomme de terre" << QStringList{"de terre", "pomme de~terre"} << "pomme~de~terre";
    QTest::newRow("left to right, after each replacement")
            << "a a a a a" << QStringList{"a a"} << "a~a a~a a";
    QTest::newRow("case-sensitive") << "Pomme de terre" << QStringList{"pomme de terre"} << "Pomme de terre";
    QTest::newRow("entries without a blank change nothing")
            << "chat noir" << QStringList{"chat", "noir", "", "~"} << "chat noir";
    QTest::newRow("blank at the end joins the neighbour") << "le chat dort" << QStringList{"chat "}
            << "le chat~dort";
    QTest::newRow("tilde in the text is not a blank") << "pomme~de terre"
            << QStringList{"pomme de terre"} << "pomme~de terre";
    QTest::newRow("duplicate entries") << "bon jour bon jour" << QStringList{"bon jour", "bon jour"}
            << "bon~jour bon~jour";
    QTest::newRow("overlapping entries in turn") << "il fait beau temps"
            << QStringList{"fait beau", "beau temps", "il fait beau"} << "il fait~beau~temps";
    QTest::newRow("cyrillic phrase") << "потом пьёт чай." << QStringList{"пьёт чай"} << "потом пьёт~чай.";
}

void TestPage::joinPhrases()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QFETCH(QString, expected);
    QCOMPARE(JoinPhrases(text, words), expected);
    QCOMPARE(joinPhrasesReference(text, words), expected);
}

void TestPage::joinPhrasesMatchesPlainReplacement()
{
    // Small alphabets make overlaps, shared prefixes and repeated patterns common.
    QRandomGenerator random(42);
    const QString alphabet = QStringLiteral("ab ~");
    const auto randomString = [&](int maxLength) {
        QString s;
        const int length = int(random.bounded(maxLength + 1));
        for (int i = 0; i < length; ++i)
            s += alphabet[random.bounded(int(alphabet.size()))];
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        const QString text = randomString(40);
        QStringList words;
        const int count = int(random.bounded(6));
        for (int k = 0; k < count; ++k)
            words << randomString(5);
        const QString got = JoinPhrases(text, words);
        const QString want = joinPhrasesReference(text, words);
        if (got != want)
            QFAIL(qPrintable(QStringLiteral("text '%1' words '%2': got '%3', want '%4'")
                                     .arg(text, words.join(u'|'), got, want)));
    }
}

void TestPage::escapeWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ascii") << "chat" << "%63%68%61%74";
    QTest::newRow("tab keeps its leading zero") << "\t" << "%09";
    QTest::newRow("blank and quote") << "l' a" << "%6C%27%20%61";
    QTest::newRow("latin-1 letter") << "é" << "%E9";
    QTest::newRow("upper end of latin-1") << "ÿ" << "%FF";
    QTest::newRow("oe ligature is no byte escape") << "œ" << "%u0153";
    QTest::newRow("cyrillic") << "чай" << "%u0447%u0430%u0439";
    QTest::newRow("euro sign") << "€" << "%u20AC";
    QTest::newRow("surrogate pair") << "\U0001F600" << "%uD83D%uDE00";
    QTest::newRow("empty") << "" << "";
}

void TestPage::escapeWord()
{
    QFETCH(QString, word);
    QFETCH(QString, expected);
    QCOMPARE(EscapeWord(word), expected);
}

void TestPage::arrayLines_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("definitions");
    QTest::addColumn<QString>("wordz");
    QTest::addColumn<QString>("tradz");
    QTest::addColumn<QString>("checkoff");
    QTest::newRow("one entry") << QStringList{"chat"} << QStringList{"cat"}
            << "unescape('%63%68%61%74')];\r\n" << "var tradz = [\"cat\"];\r\n" << "var checkoff = [0];\r\n";
    QTest::newRow("three entries") << QStringList{"a", "b", "c"} << QStringList{"x", "", "z"}
            << "unescape('%61'), unescape('%62'), unescape('%63')];\r\n"
            << "var tradz = [\"x\",\"\",\"z\"];\r\n" << "var checkoff = [0,0,0];\r\n";
    QTest::newRow("definitions escaped for the script string")
            << QStringList{"a", "b"} << QStringList{"dit \"non\" \\ ici", "ligne\r\nsuite </script>"}
            << "unescape('%61'), unescape('%62')];\r\n"
            << "var tradz = [\"dit \\\"non\\\" \\\\ ici\",\"ligne\\r\\nsuite \\x3C/script>\"];\r\n"
            << "var checkoff = [0,0];\r\n";
}

void TestPage::arrayLines()
{
    QFETCH(QStringList, words);
    QFETCH(QStringList, definitions);
    QFETCH(QString, wordz);
    QFETCH(QString, tradz);
    QFETCH(QString, checkoff);
    QCOMPARE(WordzElements(words), wordz);
    QCOMPARE(TradzLine(definitions), tradz);
    QCOMPARE(CheckoffLine(definitions), checkoff);
}

void TestPage::wholePage()
{
    // A small lesson with every default: the page must be the reviewed page, byte for byte.
    const ExerciseDocument document = makeDocument(
            QStringLiteral("Le chat dort.\r\nIl fait beau.\r\n"),
            {{"chat", "cat"}, {"fait beau", "is nice"}, {"dort", "sleeps"}});
    const QByteArray page = pageOf(document);
    QFile golden(QStringLiteral(LEXIFIND_PAGE_TEST_DATA "/expected-small.htm"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    const QByteArray expected = golden.readAll();
    if (page != expected) {
        const QList<QByteArray> got = page.split('\n');
        const QList<QByteArray> want = expected.split('\n');
        for (qsizetype row = 0; row < qMax(got.size(), want.size()); ++row)
            QCOMPARE(got.value(row), want.value(row));
    }
    QVERIFY(page.endsWith("</body> \r\n</html>"));
    QCOMPARE(page.count("\r\n"), page.count('\n'));
}

void TestPage::everyWordInsideTheText_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("text");
    // The modern page lays a long text out in blocks of about 4 KB, cut at line breaks.
    const QString line = QStringLiteral("Au marché du mardi, l'élève achète une pomme de terre et du pain.");
    const struct { const char *name; int lines; } sizes[] = {{"one block", 3}, {"two blocks", 80},
                                                             {"many blocks", 800}};
    for (const char *style : {"classique", "moderne"})
        for (const auto &[name, lines] : sizes)
            for (const char *lineBreak : {"\r\n", "\n"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2, %3").arg(style, name,
                                                                        *lineBreak == '\r' ? "CR LF" : "LF")))
                        << style << (line + QLatin1StringView(lineBreak)).repeated(lines) + u"Fin du texte"_qs;
}

void TestPage::everyWordInsideTheText()
{
    QFETCH(QString, style);
    QFETCH(QString, text);
    const QStringList entries{"pomme de terre", "l'élève", "texte"};
    ExerciseDocument document;
    document.setText(text);
    for (const QString &entry : entries)
        document.AddEntry(entry, QStringLiteral("d"));
    PageSettings settings;
    settings.PageStyle = style;
    const bool modern = style == u"moderne";
    const QString page = modern ? QString::fromUtf8(pageOf(document, settings))
                                : QString::fromLatin1(pageOf(document, settings));
    // The text's element, up to the end tag that closes it.
    const QString tag = modern ? QStringLiteral("div") : QStringLiteral("blockquote");
    const qsizetype start = page.indexOf(modern ? u"<div id=text "_qs : u"<blockquote "_qs);
    QVERIFY(start >= 0);
    qsizetype end = start + 1;
    for (int depth = 1; depth > 0;) {
        const qsizetype open = page.indexOf(u'<' + tag, end);
        const qsizetype close = page.indexOf(u"</"_qs + tag, end);
        QVERIFY(close >= 0);
        const bool opens = open >= 0 && open < close;
        depth += opens ? 1 : -1;
        end = (opens ? open : close) + 1;
    }
    const QStringView element = QStringView(page).mid(start, end - start);
    // Its words numbered from 0 in reading order, and no numbered word outside it.
    const QRegularExpression span(QStringLiteral("<span id=\"?(\\d+)"));
    int expected = 0;
    for (const auto &match : span.globalMatch(element)) {
        QCOMPARE(match.captured(1).toInt(), expected);
        ++expected;
    }
    QCOMPARE(qsizetype(expected), qsizetype(DivideIntoWords(text, entries).words.size()));
    int everywhere = 0;
    for (auto matches = span.globalMatch(page); matches.hasNext(); matches.next())
        ++everywhere;
    QCOMPARE(everywhere, expected);
}

void TestPage::questionCount()
{
    const QByteArray page = pageOf(makeDocument(QStringLiteral("a b c d"),
                                                {{"a", "1"}, {"b", "2"}, {"c", "3"}}));
    QVERIFY(page.contains("\r\nfor (x=0; x<3; x++){\r\n"));
    QVERIFY(page.contains("\r\n\t \tif (t==3) {\r\n"));
    QVERIFY(page.contains("\r\nif (QN==3){\r\n"));
    QVERIFY(page.contains("nodeValue = score + \" / \" + \"3\"+ \" (\" + Math.round"));
}

void TestPage::tildes_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("RightMessage") << "RightMessage" << QByteArray("nodeValue = \"tr s bien\";");
    QTest::newRow("WrongMessage") << "WrongMessage" << QByteArray("nodeValue = \"tr s bien\";");
    QTest::newRow("DoneMessage") << "DoneMessage" << QByteArray("nodeValue = \"tr s bien\";");
    QTest::newRow("PageTitle") << "PageTitle" << QByteArray("<title>tr s bien</title>");
    QTest::newRow("TextTitle") << "TextTitle" << QByteArray("<strong>tr s bien</strong>");
    QTest::newRow("FontFamily") << "FontFamily" << QByteArray("font-family: tr s bien;");
    QTest::newRow("BackgroundColor in the script")
            << "BackgroundColor" << QByteArray("cellspacing=\"0\" bordercolor=\"tr s bien\">");
    QTest::newRow("Instruction keeps it") << "Instruction" << QByteArray("<div align=\"left\"> tr~s~bien\r\n");
    QTest::newRow("NextCaption keeps it") << "NextCaption" << QByteArray("value=\"tr~s~bien\"");
    QTest::newRow("answer zone colour keeps it")
            << "AnswerZoneColor" << QByteArray("<tr bordercolor=\"tr~s~bien\">");
    QTest::newRow("text colour before the text loses it")
            << "TextColor" << QByteArray("color=\"tr s bien\"><br><strong>");
}

void TestPage::tildes()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, expected);
    PageSettings settings;
    *settings.option(option) = QStringLiteral("tr~s~bien");
    const QByteArray page = pageOf(makeDocument(QStringLiteral("un~deux"), {{"un", "le~premier"}}), settings);
    QVERIFY2(page.contains(expected), expected.constData());
    // Definitions and the teacher's own tildes are blanks in the page as well.
    QVERIFY(page.contains("var tradz = [\"le premier\"];"));
    QVERIFY(page.contains("checkanswer(0)\">un deux</span>"));
}

void TestPage::hostileValues_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("message: quote, backslash, end tag, line break")
            << "RightMessage" << "dit \"oui\" \\ </script>\r\nfin"
            << QByteArray("nodeValue = \"dit \\\"oui\\\" \\\\ \\x3C/script>\\r\\nfin\";");
    QTest::newRow("highlight colour ending its string")
            << "HighlightColor" << "red\";alert(1);//" << QByteArray("background=\"red\\\";alert(1);//\";");
    QTest::newRow("title markup") << "PageTitle" << "</title><b>&" << QByteArray("<title>&lt;/title&gt;&lt;b&gt;&amp;</title>");
    QTest::newRow("text title markup") << "TextTitle" << "<i>Le marché</i>"
            << QByteArray("<strong>&lt;i&gt;Le march\xE9&lt;/i&gt;</strong>");
    QTest::newRow("instruction") << "Instruction" << "a < b & c" << QByteArray("> a &lt; b &amp; c\r\n");
    QTest::newRow("caption attribute") << "NextCaption" << "\"Suite\" <>"
            << QByteArray("value=\"&quot;Suite&quot; &lt;>\" onclick");
    QTest::newRow("body colour attribute") << "BackgroundColor" << "#fff\" onload=\"x"
            << QByteArray("<body bgcolor=\"#fff&quot; onload=&quot;x\" onload=\"writequestion(0)\">");
    QTest::newRow("colour in the script's table tag, both layers")
            << "VocabularyTextColor" << "a'b\"c\\d&"
            << QByteArray("<tr bordercolor=\"a\\'b&quot;c\\\\d&amp;\"> <td");
    QTest::newRow("font list in the style sheet") << "FontFamily" << "Arial; } body { color: red; /* x"
            << QByteArray("font-family: Arial\\3B  \\7D  body \\7B  color: red\\3B  \\2F * x;");
    QTest::newRow("font list in the font element") << "FontFamily" << "\"x\" <y>"
            << QByteArray("<font face=\"&quot;x&quot; &lt;y>\" color");
    QTest::newRow("colour closing the style element") << "DefinitionColor" << "red</style>"
            << QByteArray("\tcolor:red\\3C \\2F style>;");
    QTest::newRow("ordinary font list unchanged") << "FontFamily" << "Gill Sans MT,  sans-serif"
            << QByteArray("     font-family: Gill Sans MT,  sans-serif;");
    QTest::newRow("apostrophe in a double-quoted string unchanged") << "WrongMessage" << "C'est faux"
            << QByteArray("nodeValue = \"C'est faux\";");
}

void TestPage::hostileValues()
{
    QFETCH(QString, option);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);
    PageSettings settings;
    *settings.option(option) = value;
    const QByteArray page = pageOf(makeDocument(QStringLiteral("a"), {{"a", "b"}}), settings);
    QVERIFY2(page.contains(expected), page.constData());
    // Only the page's own script element may close.
    QCOMPARE(page.count("</script>"), 1);
    QCOMPARE(page.count("</style>"), 1);
    QCOMPARE(page.count("</title>"), 1);
}

void TestPage::foundWordsListShowsMarkupLiterally()
{
    const QByteArray plainRow =
            "\r\nwordlist = wordlist + tradz[QN] + ' - ' + \"<b>\"+ wordz[QN] + \"</b><br>\";\r\n";
    QVERIFY(pageOf(makeDocument(QStringLiteral("a"), {{"a", "plain > text"}})).contains(plainRow));

    const QByteArray page = pageOf(makeDocument(QStringLiteral("a b"), {{"a", "x"}, {"b", "<b>gras</b> & co"}}));
    QVERIFY(!page.contains(plainRow));
    QVERIFY(page.contains("wordlist = wordlist + tradz[QN].replace(/&/g, '&amp;').replace(/\\x3C/g, '&lt;')"
                          " + ' - ' + \"<b>\"+ wordz[QN] + \"</b><br>\";\r\n"));
}

void TestPage::windows1252_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("accented letter is one byte") << "été" << "d" << "" << QByteArray("\xE9t\xE9</span>");
    QTest::newRow("euro sign has a windows-1252 byte") << "x" << "5 €" << "" << QByteArray("\"5 \x80\"];");
    QTest::newRow("cyrillic text as references") << "чай" << "d" << ""
            << QByteArray("checkanswer(0)\">&#1095;&#1072;&#1081;</span>");
    QTest::newRow("cyrillic definition as script escapes") << "x" << "чай" << ""
            << QByteArray("var tradz = [\"\\u0447\\u0430\\u0439\"];");
    QTest::newRow("font name in the style sheet") << "x" << "d" << "Шрифт, serif"
            << QByteArray("font-family: \\");
    QTest::newRow("character beyond the basic plane in text") << "\U0001F600" << "d" << ""
            << QByteArray("&#128512;");
}

void TestPage::windows1252()
{
    QFETCH(QString, text);
    QFETCH(QString, definition);
    QFETCH(QString, font);
    QFETCH(QByteArray, expected);
    PageSettings settings;
    settings.FontFamily = font;
    const QByteArray page = pageOf(makeDocument(text, {{"x", definition}}), settings);
    QVERIFY2(page.contains(expected), expected.constData());
    for (char byte : page) // every character that needs more than a byte was escaped
        QVERIFY(byte != '\0');
    QVERIFY(!page.startsWith("\xEF\xBB\xBF"));
}

void TestPage::emptyWordListRefused()
{
    ExerciseDocument document;
    document.setText(QStringLiteral("Un texte sans mots choisis."));
    PageSettings settings;
    try {
        BuildPage(document, settings);
        QFAIL("an empty word list gave a page");
    } catch (const Error &e) {
        QVERIFY(e.message().contains(QStringLiteral("liste de mots est vide")));
    }
    // The command stopped after its first step: the defaults stay stored.
    QCOMPARE(settings.PageTitle, QStringLiteral("Recherche de vocabulaire"));
}

void TestPage::writePage()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("exercice.htm"));
    const QByteArray page = pageOf(makeDocument(QStringLiteral("a"), {{"a", "b"}}));
    QCOMPARE(WritePage(path, page), path + QStringLiteral(".htm"));
    QFile written(path + QStringLiteral(".htm"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), page);

    const QString missing = dir.filePath(QStringLiteral("pas/de/dossier"));
    try {
        WritePage(missing, page);
        QFAIL("a page was written into a missing folder");
    } catch (const Error &e) {
        QCOMPARE(e.message(), QStringLiteral("Impossible de créer le fichier %1.htm").arg(missing));
    }
}

QTEST_APPLESS_MAIN(TestPage)
#include "tst_page.moc"
