// The main window's worksheet commands, offscreen: the PDF through the file dialog, the
// print through the print dialog, and a lesson without words stopped before either.

#include "../ui/FakeDesktop.h"
#include "../ui/Pictures.h"

#include "ui/main/Startup.h"
#include "ui/main/Unit1.h"
#include "ui/print/WorksheetCommands.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace lexifind;

class TestWorksheetCommands : public QObject
{
    Q_OBJECT

    std::unique_ptr<Program> program;
    FakeDesktop fake;

private slots:
    void cleanup()
    {
        program.reset();
        resetDesktop();
    }

    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("withWords");
        QTest::addColumn<QString>("answer"); // the file dialog's answer
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("lastPage"); // of the print dialog's range; 0: all
        QTest::newRow("pdf, .pdf added") << "ExportWorksheet1" << true << "fiche" << "fiche.pdf" << "" << 0;
        QTest::newRow("pdf, own .PDF kept") << "ExportWorksheet1" << true << "fiche.PDF" << "fiche.PDF" << "" << 0;
        QTest::newRow("pdf cancelled") << "ExportWorksheet1" << true << "" << "" << "" << 0;
        QTest::newRow("printed on Letter") << "PrintWorksheet1" << true << "" << "imprimante.pdf" << "" << 0;
        QTest::newRow("printed, exercise alone") << "PrintWorksheet1" << true << "" << "imprimante.pdf" << "" << 1;
        QTest::newRow("no words, no dialog") << "ExportWorksheet1" << false << "fiche" << ""
                                             << "La liste de mots est vide" << 0;
        QTest::newRow("no words, no printer") << "PrintWorksheet1" << false << "" << ""
                                              << "La liste de mots est vide" << 0;
    }

    void commands()
    {
        QFETCH(QString, command);
        QFETCH(bool, withWords);
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QString, error);
        QFETCH(int, lastPage);
        QTemporaryDir dir;
        program = StartProgram(fake);
        TForm1 *form1 = program->Form1.get();
        const QList<QAction *> items = form1->File1->actions();
        const qsizetype scorm = items.indexOf(form1->ExportScorm20041);
        QCOMPARE(items.value(scorm + 1)->text(), QStringLiteral("Imprimer la fiche…"));
        QCOMPARE(items.value(scorm + 1)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(items.value(scorm + 2)->text(), QStringLiteral("Exporter la fiche PDF…"));
        if (QTest::currentDataTag() == QByteArrayView("pdf, .pdf added")) {
            form1->File1->popup(form1->mapToGlobal(QPoint(0, 0)));
            QVERIFY(!SavePicture(form1->File1, QStringLiteral("file-menu")).isEmpty());
            form1->File1->hide();
        }

        form1->SetSourceText(QStringLiteral("Le chat dort sur le toit.\r\n"));
        if (withWords) {
            form1->AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
            form1->AddEntry(QStringLiteral("toit"), QStringLiteral("roof"));
        }
        if (!answer.isEmpty())
            fake.saveAnswers << dir.filePath(answer);
        fake.answerYes = true;
        int printed = 0;
        worksheetPrintDialog() = [&](QWidget *, QPrinter &printer) {
            ++printed;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(QStringLiteral("imprimante.pdf")));
            printer.setPageSize(QPageSize(QPageSize::Letter));
            if (lastPage) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(1, lastPage);
            }
            return true;
        };
        form1->findChild<QAction *>(command)->trigger();
        QCoreApplication::processEvents();

        QVERIFY2(error.isEmpty() ? fake.errors.isEmpty() : fake.errors.join(u'\n').startsWith(error),
                 qPrintable(fake.errors.join(u'\n')));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList{written});
        const bool pdf = command == u"ExportWorksheet1";
        QCOMPARE(fake.proposedSave, pdf && withWords ? QStringList{"Recherche de vocabulaire"} : QStringList());
        QCOMPARE(printed, !pdf && withWords ? 1 : 0);
        if (written.isEmpty())
            return;
        const QString path = dir.filePath(written);
        QCOMPARE(fake.opened, pdf ? QStringList{path} : QStringList());
        QProcess reader;
        reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(30000));
        const QString text = QString::fromUtf8(reader.readAllStandardOutput()).simplified();
        QVERIFY2(text.contains(QStringLiteral("1 Le chat dort sur le toit.")) && text.contains(QStringLiteral("2. roof")),
                 qPrintable(text));
        QCOMPARE(text.contains(QStringLiteral("toit ligne 1")), lastPage == 0);
        reader.start(QStringLiteral("pdfinfo"), {path});
        QVERIFY(reader.waitForFinished(30000));
        const QByteArray info = reader.readAllStandardOutput();
        QVERIFY(info.contains(pdf ? "(A4)" : "(letter)"));
        QVERIFY(info.contains(lastPage ? "Pages:           1\n" : "Pages:           2\n"));
    }
};

// The program's application: a command's failure reaches the error box.
int main(int argc, char *argv[])
{
    LexifindApplication application(argc, argv);
    TestWorksheetCommands test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_worksheetcommands.moc"
