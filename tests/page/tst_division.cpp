#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/ProjectFile.h"
#include "document/SaveFile.h"
#include "page/Findability.h"
#include "page/PageSettings.h"
#include "page/PageWriter.h"
#include "page/WordDivision.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace lexifind;

namespace {

// The clickable words as the page reads them, between bars.
QString readings(const Division &division)
{
    QStringList words;
    for (const WordSpan &word : division.words)
        words << WordReading(division, word);
    return words.join(u'|');
}

} // namespace

class TestDivision : public QObject
{
    Q_OBJECT

private slots:
    void division_data();
    void division();
    void direction_data();
    void direction();
    void unfindable_data();
    void unfindable();
    void pageMarkup_data();
    void pageMarkup();
    void unchangedPages_data();
    void unchangedPages();
};

void TestDivision::division_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");

    const QString chinese = QStringLiteral("我们今天去北京大学参观。");
    QTest::newRow("chinese, segmenter alone") << chinese << QStringList{} << ""
            << "我们|今天|去|北京|大学|参观";
    QTest::newRow("chinese, entry longer than a segmenter word") << chinese << QStringList{"北京大学"} << ""
            << "我们|今天|去|北京大学|参观";
    QTest::newRow("chinese, entry across segmenter words") << chinese << QStringList{"天去北"} << "zh-Hans"
            << "我们|今|天去北|京|大学|参观";
    QTest::newRow("chinese, earlier entry wins an overlap") << chinese
            << QStringList{"北京大学", "大学参观"} << "" << "我们|今天|去|北京大学|参观";
    QTest::newRow("chinese, the other order") << chinese
            << QStringList{"大学参观", "北京大学"} << "" << "我们|今天|去|北京|大学参观";
    QTest::newRow("chinese, an entry twice") << "北京，北京大学" << QStringList{"北京"} << ""
            << "北京|北京|大学";

    const QString japanese = QStringLiteral("東京タワーはとても高いです。");
    QTest::newRow("japanese") << japanese << QStringList{} << "ja" << "東京タワー|は|とても|高い|です";
    QTest::newRow("japanese, entry inside a segmenter word") << japanese << QStringList{"タワー"} << ""
            << "東京|タワー|は|とても|高い|です";

    QTest::newRow("thai") << "แม่ไปตลาดทุกวัน" << QStringList{} << "" << "แม่|ไป|ตลาด|ทุก|วัน";
    QTest::newRow("thai, entry of three words") << "แม่ไปตลาดทุกวัน" << QStringList{"ตลาดทุกวัน"} << "th"
            << "แม่|ไป|ตลาดทุกวัน";
    QTest::newRow("thai, a typed tilde joins") << "แม่~ไปตลาด" << QStringList{} << "" << "แม่ ไป|ตลาด";
    QTest::newRow("khmer") << "ខ្ញុំចង់ទៅផ្សារ" << QStringList{} << "" << "ខ្ញុំ|ចង់ទៅ|ផ្សារ";
    QTest::newRow("khmer, entry inside a segmenter word") << "ខ្ញុំចង់ទៅផ្សារ" << QStringList{"ទៅ"} << "km"
            << "ខ្ញុំ|ចង់|ទៅ|ផ្សារ";
    QTest::newRow("lao") << "ຂ້ອຍໄປຕະຫຼາດ" << QStringList{} << "" << "ຂ້ອຍ|ໄປ|ຕະຫຼາດ";
    QTest::newRow("unknown language tag") << "แม่ไปตลาด" << QStringList{} << "@@ pas une langue"
            << "แม่|ไป|ตลาด";
    QTest::newRow("a change of script cuts, digits go with the script before")
            << "abc東京123def 2024年" << QStringList{} << "" << "abc|東京|123|def|2024|年";
    QTest::newRow("joined entry across scripts stays whole") << "中文 和 English"
            << QStringList{"和 English"} << "" << "中文|和 English";

    QTest::newRow("apostrophe entry") << "Aujourd'hui il pleut." << QStringList{"Aujourd'hui"} << ""
            << "Aujourd'hui|il|pleut";
    QTest::newRow("typographic apostrophe, start and end of lines, twice")
            << "l’eau\r\nboit l’eau\r\nl'eau" << QStringList{"l’eau"} << "" << "l’eau|boit|l’eau|l|eau";
    QTest::newRow("both apostrophes") << "l'eau l’eau" << QStringList{"l’eau", "l'eau"} << ""
            << "l'eau|l’eau";
    QTest::newRow("hyphen and apostrophes") << "c'est-à-dire" << QStringList{"c'est-à-dire"} << ""
            << "c'est-à-dire";
    QTest::newRow("turkish suffix") << "İstanbul'da, İstanbul" << QStringList{"İstanbul'da"} << ""
            << "İstanbul'da|İstanbul";
    QTest::newRow("joined entry takes the letters around it") << "l'eaux" << QStringList{"l'eau"} << ""
            << "l'eaux";
    QTest::newRow("earlier apostrophe entry wins") << "l'eau froide"
            << QStringList{"l'eau", "l'eau froide"} << "" << "l'eau|froide";
    QTest::newRow("apostrophe entry, then a phrase over its letters") << "l'eau froide"
            << QStringList{"l'eau", "eau froide"} << "" << "l'eau froide";
    QTest::newRow("punctuation in an entry") << "Quoi ? Oui." << QStringList{"Oui."} << ""
            << "Quoi|Oui.";
    QTest::newRow("without such entries the apostrophe cuts") << "l'eau" << QStringList{"eau"} << ""
            << "l|eau";
    // Many words to segment, each entry's occurrences among them.
    const int sentences = 10000;
    QString chineseReadings = QStringLiteral("我们|今|天去北|京|大学|参观|").repeated(sentences);
    chineseReadings.chop(1);
    QTest::newRow("a large chinese text") << chinese.repeated(sentences) << QStringList{"天去北"} << "zh-Hans"
            << chineseReadings;
    // A large text, the later entry's occurrences first in it.
    const int repeats = 80000;
    QString expected = QStringLiteral("la|pomme de terre|et|le chat|").repeated(repeats);
    expected.chop(1);
    QTest::newRow("a large text") << QStringLiteral("la pomme de terre et le chat ").repeated(repeats)
            << QStringList{"le chat", "pomme de terre"} << "" << expected;
}

void TestDivision::division()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QFETCH(QString, language);
    QFETCH(QString, expected);
    const Division division = DivideIntoWords(text, entries, language);
    QCOMPARE(readings(division), expected);
    // Words are in reading order and never overlap.
    for (size_t i = 1; i < division.words.size(); ++i)
        QVERIFY(division.words[i - 1].start + division.words[i - 1].length <= division.words[i].start);
    for (size_t i = 1; i < division.entryOccurrences.size(); ++i)
        QVERIFY(division.entryOccurrences[i - 1].start <= division.entryOccurrences[i].start);
}

void TestDivision::direction_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("rightToLeft");
    QTest::newRow("arabic after digits and punctuation") << "12. « مرحبا »" << true;
    QTest::newRow("hebrew") << "!שלום" << true;
    QTest::newRow("syriac") << "ܫܠܡܐ" << true;
    QTest::newRow("thaana") << "ދިވެހި" << true;
    QTest::newRow("latin first") << "Salut, مرحبا" << false;
    QTest::newRow("no strong character") << "123 !?" << false;
    QTest::newRow("empty") << "" << false;
}

void TestDivision::direction()
{
    QFETCH(QString, text);
    QFETCH(bool, rightToLeft);
    QCOMPARE(DivideIntoWords(text, {}).rightToLeft, rightToLeft);
}

void TestDivision::unfindable_data()
{
    // Each unfindable entry as "position reason named".
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("every entry findable") << "Aujourd'hui, le chat boit l’eau. 我们去北京。"
            << QStringList{"Aujourd'hui", "chat", "l’eau", "北京", "chat"} << QStringList{};
    QTest::newRow("not in the text") << "Le chat dort." << QStringList{"chat", "chien", ""}
            << QStringList{"1 0 ", "2 0 "};
    QTest::newRow("inside a longer word") << "Le chaton dort." << QStringList{"chat"}
            << QStringList{"0 1 chaton"};
    QTest::newRow("a phrase joined into a longer word") << "la bête" << QStringList{"a b"}
            << QStringList{"0 1 la bête"};
    QTest::newRow("arabic entry without the attached conjunction") << "خبز وكأس ماء"
            << QStringList{"كأس ماء"} << QStringList{"0 1 وكأس ماء"};
    QTest::newRow("other capitals") << "Chat noir, chaton." << QStringList{"chat", "NOIR"}
            << QStringList{"0 2 Chat", "1 2 noir"};
    QTest::newRow("entries differing only in capitals, inside a longer word") << "Le CHATEAU."
            << QStringList{"chat", "Chat"} << QStringList{"0 2 CHAT", "1 2 CHAT"};
    QTest::newRow("other capitals over several words") << "Pomme de terre" << QStringList{"pomme de terre"}
            << QStringList{"0 2 Pomme de terre"};
    QTest::newRow("blank at an end") << "le chat dort" << QStringList{"chat ", " dort"}
            << QStringList{"0 3 ", "1 3 "};
    QTest::newRow("tilde") << "pomme~de terre" << QStringList{"pomme~de"} << QStringList{"0 4 "};
    QTest::newRow("joined by an earlier phrase") << "une pomme de terre"
            << QStringList{"de terre", "pomme de terre"} << QStringList{"1 5 de terre"};
    QTest::newRow("joined by an earlier apostrophe entry") << "l'eau froide"
            << QStringList{"l'eau", "l'eau froide"} << QStringList{"1 5 l'eau"};
    QTest::newRow("taken by an earlier entry in chinese") << "我们去北京大学参观"
            << QStringList{"北京大学", "大学参观"} << QStringList{"1 5 北京大学"};
    // A large text: occurrences deep inside it are found, and named, as in a short one.
    QString large = QStringLiteral("mot ").repeated(600000);
    const qsizetype middle = large.size() / 2;
    large.replace(middle - 4, 8, u"le chat "_qs);
    large.replace(middle + 400, 12, u"chien noir, "_qs);
    QTest::newRow("across the middle of a large text") << large
            << QStringList{"le chat", "chien noir", "e cha", "hien no", "absent mot"}
            << QStringList{"2 5 le chat", "3 5 chien noir", "4 0 "};
}

void TestDivision::unfindable()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, expected);
    QStringList got;
    for (const UnfindableEntry &u : FindUnfindableEntries(DivideIntoWords(text, entries), entries)) {
        got << QStringLiteral("%1 %2 %3").arg(u.position).arg(int(u.reason)).arg(u.named);
        QVERIFY(!UnfindableReasonText(u).isEmpty());
    }
    QCOMPARE(got, expected);
}

void TestDivision::pageMarkup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArrayList>("present");
    QTest::addColumn<QByteArrayList>("absent");
    const QByteArrayList directions = {"<blockquote dir=\"rtl\" style=\"cursor:pointer\">",
                                       "id=\"trad\" dir=\"auto\" bgcolor", "id=\"feedback\" dir=\"auto\">",
                                       "<div id=\"list\" dir=\"auto\"></div>"};
    QTest::newRow("arabic") << "1. كأس ماء" << "" << directions << QByteArrayList{" lang="};
    QTest::newRow("hebrew with a language") << "מים" << "he"
            << directions + QByteArrayList{"<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"he\" xml:lang=\"he\">\r\n"}
            << QByteArrayList{};
    QTest::newRow("chinese with a language") << "水" << "zh-Hans"
            << QByteArrayList{" lang=\"zh-Hans\" xml:lang=\"zh-Hans\">"} << QByteArrayList{" dir="};
    QTest::newRow("latin") << "eau" << "" << QByteArrayList{"<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"}
            << QByteArrayList{" dir=", " lang="};
}

void TestDivision::pageMarkup()
{
    QFETCH(QString, text);
    QFETCH(QString, language);
    QFETCH(QByteArrayList, present);
    QFETCH(QByteArrayList, absent);
    ExerciseDocument document;
    document.setText(text);
    document.AddEntry(text, QStringLiteral("d"));
    PageSettings settings;
    settings.TextLanguage = language;
    const QByteArray page = BuildPage(document, settings);
    for (const QByteArray &piece : present)
        QVERIFY2(page.contains(piece), piece.constData());
    for (const QByteArray &piece : absent)
        QVERIFY2(!page.contains(piece), piece.constData());
}

void TestDivision::unchangedPages_data()
{
    // Pages written before the division knew other scripts and joined apostrophe entries.
    QTest::addColumn<QString>("project");
    const QDir pages(QStringLiteral(LEXIFIND_PAGE_TEST_DATA "/pages"));
    const QStringList projects = pages.entryList({QStringLiteral("*.lxf")});
    QVERIFY(projects.size() >= 6);
    for (const QString &name : projects)
        QTest::newRow(qPrintable(name)) << pages.filePath(name);
}

void TestDivision::unchangedPages()
{
    QFETCH(QString, project);
    ExerciseDocument document;
    ProjectFile::fromBytes(document, readBytes(project), project);
    PageSettings settings;
    const QByteArray page = BuildPage(document, settings);
    QString expectedPath = project;
    expectedPath.replace(QStringLiteral(".lxf"), QStringLiteral(".htm"));
    QCOMPARE(page, readBytes(expectedPath));
}

QTEST_APPLESS_MAIN(TestDivision)
#include "tst_division.moc"
