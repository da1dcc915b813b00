// The worksheet as a reader of its PDF sees it (pdftotext, pdfinfo), its pages turned
// into pictures (pdftoppm); and lexifind-page --worksheet.

#include "document/ExerciseDocument.h"
#include "document/ProjectFile.h"
#include "document/SaveFile.h"
#include "page/PageSettings.h"
#include "worksheet/Worksheet.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace lexifind;

namespace {

QString Run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Text as compared: ligatures and Arabic presentation forms folded back, direction
// marks dropped, blanks collapsed.
QString Plain(QString s)
{
    s = s.normalized(QString::NormalizationForm_KC);
    s.remove(QRegularExpression(QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]")));
    return s.simplified();
}

QString NoBlanks(QString s)
{
    return Plain(s).remove(u' ');
}

ExerciseDocument Lesson(const QString &name)
{
    ExerciseDocument document;
    const QString path = QStringLiteral(LEXIFIND_LESSONS "/") + name + QStringLiteral(".lxf");
    ProjectFile::fromBytes(document, readBytes(path), path);
    return document;
}

// About 50 KB of prose in paragraphs of several printed lines, with 200 entries spread
// down to the last paragraph.
ExerciseDocument LongLesson()
{
    const QStringList filler{"le", "marché", "du", "village", "ouvre", "tôt", "et", "les", "gens",
                             "viennent", "acheter", "pain", "fromage", "sous", "soleil", "matin"};
    const QStringList syllables{"ba", "ri", "to", "lu", "me", "sa", "no", "vi"};
    QStringList entries;
    for (int k = 0; k < 200; ++k)
        entries << syllables[k % 8] + syllables[k / 8 % 8] + syllables[k / 64 % 8] + QStringLiteral("que");
    const int paragraphs = 125;
    QStringList text;
    for (int p = 0, next = 0; p < paragraphs; ++p) {
        QStringList words;
        for (int w = 0; w < 60; ++w) {
            words << filler[(p * 7 + w * 3) % filler.size()];
            if (next < entries.size() && next * paragraphs / entries.size() == p && w % 20 == 19)
                words << entries[next++];
        }
        text << words.join(u' ') + u'.' << QString();
    }
    ExerciseDocument document;
    document.setText(text.join(QStringLiteral("\r\n")));
    for (int k = 0; k < entries.size(); ++k)
        document.AddEntry(entries[k], QStringLiteral("sens numéro %1").arg(k + 1));
    return document;
}

} // namespace

class TestWorksheet : public QObject
{
    Q_OBJECT

private slots:
    void readsBack_data();
    void readsBack();
    void tool_data();
    void tool();
};

void TestWorksheet::readsBack_data()
{
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<int>("paper");
    QTest::addColumn<QString>("absent"); // an entry added that is nowhere in the text
    QTest::newRow("fr") << "fr-aujourdhui" << int(QPageSize::A4) << "absent";
    QTest::newRow("ar") << "ar-souq" << int(QPageSize::A4) << "";
    QTest::newRow("he, Letter") << "he-shuk" << int(QPageSize::Letter) << "";
    QTest::newRow("ja") << "ja-ichiba" << int(QPageSize::A4) << "";
    QTest::newRow("zh") << "zh-shichang" << int(QPageSize::A4) << "";
    QTest::newRow("long") << "long" << int(QPageSize::A4) << "";
}

void TestWorksheet::readsBack()
{
    QFETCH(QString, lesson);
    QFETCH(int, paper);
    QFETCH(QString, absent);
    ExerciseDocument document = lesson == u"long" ? LongLesson() : Lesson(lesson);
    if (!absent.isEmpty())
        document.AddEntry(absent, QStringLiteral("pas là"));
    const WorksheetContent content = MakeWorksheetContent(document, PageSettings());
    PrintedWorksheet printed;
    const QByteArray pdf = WorksheetPdf(content, QPageSize(QPageSize::PageSizeId(paper)), &printed);

    // Kept beside its pictures, for a look at the whole sheet.
    const QString pictures = qEnvironmentVariable("LEXIFIND_PICTURES_DIR", QStringLiteral(LEXIFIND_PICTURES_DIR));
    QDir().mkpath(pictures);
    const QString file = pictures + QStringLiteral("/worksheet-") + lesson + QStringLiteral(".pdf");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(pdf) == pdf.size());
    out.close();

    const QString info = Run(QStringLiteral("pdfinfo"), {file});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(printed.pageCount))),
             qPrintable(info));
    QVERIFY(info.contains(paper == QPageSize::A4 ? QStringLiteral("(A4)") : QStringLiteral("(letter)")));

    Run(QStringLiteral("pdftoppm"), {"-png", "-r", "60", "-l", "3", file, pictures + "/worksheet-" + lesson});
    Run(QStringLiteral("pdftoppm"), {"-png", "-r", "60", "-f", QString::number(printed.keyFirstPage), "-l",
                                     QString::number(printed.keyFirstPage), file, pictures + "/worksheet-" + lesson + "-key"});

    QStringList pages;
    for (int p = 1; p <= printed.pageCount; ++p)
        pages << Run(QStringLiteral("pdftotext"), {"-layout", "-f", QString::number(p), "-l", QString::number(p), file, "-"});
    const bool isLong = lesson == u"long";
    QCOMPARE(printed.keyFirstPage > 2, isLong);
    QVERIFY(printed.keyFirstPage >= 2);
    const QStringList exercise = pages.mid(0, printed.keyFirstPage - 1);
    const QStringList key = pages.mid(printed.keyFirstPage - 1);
    QVERIFY(Plain(key.first()).startsWith(QStringLiteral("Corrigé")));
    QVERIFY(Plain(exercise.first()).startsWith(content.title));

    // Every printed line of the text carries its number, running on from page to page.
    const QRegularExpression numbered(content.rightToLeft ? QStringLiteral("^(.*\\S)\\s{2,}(\\d+)$")
                                                          : QStringLiteral("^\\s*(\\d+)\\s{2,}(\\S.*)$"));
    QMap<int, QString> lines;
    QList<int> pagesWithText;
    for (qsizetype p = 0; p < exercise.size(); ++p)
        for (const QString &line : exercise[p].split(u'\n')) {
            const QRegularExpressionMatch m = numbered.match(line);
            if (!m.hasMatch())
                continue;
            const int n = m.captured(content.rightToLeft ? 2 : 1).toInt();
            QVERIFY2(!lines.contains(n) && n == lines.size() + 1, qPrintable(line));
            lines[n] = m.captured(content.rightToLeft ? 1 : 2);
            if (!pagesWithText.contains(int(p)))
                pagesWithText << int(p);
        }
    QVERIFY(!lines.isEmpty());
    if (isLong)
        QVERIFY(pagesWithText.size() > 1);

    const QString questions = Plain(exercise.join(u'\n'));
    const QStringList keyLines = key.join(u'\n').split(u'\n');
    for (qsizetype q = 0; q < content.definitions.size(); ++q) {
        const QString number = QString::number(q + 1) + u'.';
        QVERIFY2(questions.contains(number + u' ' + Plain(content.definitions[q])), qPrintable(number));
        // The key's row: the definition, the word and where the word stands.
        QString row;
        for (const QString &line : keyLines)
            if (Plain(line).startsWith(number + u' '))
                row = Plain(line);
        QVERIFY2(row.contains(Plain(content.definitions[q])) && NoBlanks(row).contains(NoBlanks(content.words[q])),
                 qPrintable(number));
        const int at = printed.answerLines[size_t(q)];
        if (content.words[q] == absent) {
            QCOMPARE(at, 0);
            QVERIFY(row.endsWith(QStringLiteral("absent du texte")));
            continue;
        }
        QVERIFY(row.endsWith(QStringLiteral("ligne %1").arg(at)));
        // An expression may go on to the next line.
        const QString word = NoBlanks(content.words[q]);
        QVERIFY2(NoBlanks(lines.value(at) + lines.value(at + 1)).contains(word)
                     && NoBlanks(lines.value(at)).contains(word.left(1)),
                 qPrintable(QStringLiteral("%1 at line %2: %3").arg(content.words[q]).arg(at).arg(lines.value(at))));
    }
}

void TestWorksheet::tool_data()
{
    QTest::addColumn<QStringList>("args"); // PROJECT and DIR stand for the project and the folder
    QTest::addColumn<QString>("entries"); // the lesson's, none, or one more not in the text
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("message");
    QTest::newRow("worksheet alone, .pdf added")
            << QStringList{"--worksheet", "DIR/fiche", "PROJECT"} << "lesson" << 0
            << QStringList{"fiche.pdf", "lecon.lxf"} << "";
    QTest::newRow("worksheet alone, an entry reported")
            << QStringList{"--worksheet", "DIR/fiche", "PROJECT"} << "absent" << 0
            << QStringList{"fiche.pdf", "lecon.lxf"} << "lexifind-page : mot 7 « absent » introuvable";
    QTest::newRow("worksheet alone, strict")
            << QStringList{"--strict", "--worksheet", "DIR/fiche", "PROJECT"} << "absent" << 3
            << QStringList{"lecon.lxf"} << "lexifind-page : mot 7 « absent » introuvable";
    QTest::newRow("page refused, no worksheet")
            << QStringList{"--strict", "--worksheet", "DIR/fiche", "PROJECT", "DIR/page"} << "absent" << 3
            << QStringList{"lecon.lxf"} << "lexifind-page : mot 7 « absent » introuvable";
    QTest::newRow("with the page and an option")
            << QStringList{"--set", "PageTitle=Au marché", "--worksheet=DIR/fiche.PDF", "PROJECT", "DIR/page"}
            << "lesson" << 0 << QStringList{"fiche.PDF", "lecon.lxf", "page.htm"} << "";
    QTest::newRow("empty list") << QStringList{"--worksheet", "DIR/fiche.pdf", "PROJECT"} << "none" << 1
                                << QStringList{"lecon.lxf"} << "lexifind-page : La liste de mots est vide";
    QTest::newRow("folder missing")
            << QStringList{"--worksheet", "DIR/nulle/part/fiche.pdf", "PROJECT"} << "lesson" << 1
            << QStringList{"lecon.lxf"} << "lexifind-page : Impossible de créer le fichier";
    QTest::newRow("no file named") << QStringList{"PROJECT", "--worksheet"} << "lesson" << 2
                                   << QStringList{"lecon.lxf"} << "lexifind-page : ";
}

void TestWorksheet::tool()
{
    QFETCH(QStringList, args);
    QFETCH(QString, entries);
    QFETCH(int, status);
    QFETCH(QStringList, written);
    QFETCH(QString, message);
    QTemporaryDir dir;
    ExerciseDocument document = Lesson(QStringLiteral("fr-aujourdhui"));
    if (entries == u"none")
        document.ClearEntries();
    if (entries == u"absent")
        document.AddEntry(QStringLiteral("absent"), QStringLiteral("pas là"));
    const QString project = dir.filePath(QStringLiteral("lecon.lxf"));
    ProjectFile::save(document, project);
    for (QString &arg : args)
        arg.replace(QStringLiteral("PROJECT"), project).replace(QStringLiteral("DIR"), dir.path());

    QProcess tool;
    tool.start(QStringLiteral(LEXIFIND_PAGE_TOOL), args);
    QVERIFY(tool.waitForFinished(60000));
    const QString errors = QString::fromUtf8(tool.readAllStandardError());
    QCOMPARE(tool.exitCode(), status);
    QVERIFY2(message.isEmpty() ? errors.isEmpty() : errors.startsWith(message), qPrintable(errors));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase), written);
    if (status == 0) {
        const QString pdf = dir.filePath(written.first());
        const QString text = Plain(Run(QStringLiteral("pdftotext"), {pdf, "-"}));
        QVERIFY(text.contains(QStringLiteral("1. today")) && text.contains(QStringLiteral("Corrigé")));
        QCOMPARE(text.contains(QStringLiteral("Au marché")), args.contains(QStringLiteral("PageTitle=Au marché")));
    }
}

QTEST_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
