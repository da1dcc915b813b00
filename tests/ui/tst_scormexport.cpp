// The main window's SCORM export: the package of lexifind-page --scorm, under the name
// chosen, and failures in the error box.

#include "FakeDesktop.h"

#include "ui/main/Startup.h"
#include "ui/main/Unit1.h"
#include "ui/options/Unit5.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lexifind;

namespace {

// What another program, unzip, reads in the package: the names, then each file.
QStringList Unpacked(const QString &zip)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), zip});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {QStringLiteral("unreadable")};
    QStringList result = QString::fromUtf8(unzip.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList names = result;
    for (const QString &name : names) {
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, name});
        unzip.waitForFinished(30000);
        result << QString::fromLatin1(unzip.readAllStandardOutput().toBase64());
    }
    return result;
}

} // namespace

class TestScormExport : public QObject
{
    Q_OBJECT

    std::unique_ptr<Program> program;
    FakeDesktop fake;
    std::unique_ptr<QTemporaryDir> dir;
    TForm1 *form1 = nullptr;

    QString path(const QString &name) const { return dir->filePath(name); }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        program = StartProgram(fake);
        form1 = program->Form1.get();
    }

    void cleanup()
    {
        form1 = nullptr;
        program.reset();
        resetDesktop();
    }

    void menuItemsFollowSaveHtml()
    {
        const QList<QAction *> items = form1->File1->actions();
        const qsizetype html = items.indexOf(form1->SaveHTML1);
        QVERIFY(html >= 0);
        QCOMPARE(items.value(html + 1), form1->ExportScorm1);
        QCOMPARE(items.value(html + 2), form1->ExportScorm20041);
        QCOMPARE(form1->ExportScorm1->text(), QStringLiteral("Exporter SCORM…"));
    }

    void samePackageAsTheTool_data()
    {
        QTest::addColumn<bool>("scorm2004");
        QTest::addColumn<QString>("answer");   // the name given in the file dialog
        QTest::addColumn<QString>("written");
        QTest::newRow("1.2, no extension") << false << "fenetre" << "fenetre.zip";
        QTest::newRow("2004, another extension") << true << "fenetre.pkg" << "fenetre.pkg.zip";
        QTest::newRow("1.2, its extension in capitals") << false << "fenetre.ZIP" << "fenetre.ZIP";
    }

    void samePackageAsTheTool()
    {
#ifndef LEXIFIND_PAGE_TOOL
        QSKIP("lexifind-page is not built");
#else
        QFETCH(bool, scorm2004);
        QFETCH(QString, answer);
        QFETCH(QString, written);
        form1->SetSourceText(QStringLiteral("Le chat dort sur le toit.\r\n"));
        form1->AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
        form1->AddEntry(QStringLiteral("toit"), QStringLiteral("roof"));
        TForm4 *form4 = program->Form4.get();
        form4->Edit1->setText(QStringLiteral("Le chat & le toit"));
        form4->Edit20->setText(QStringLiteral("50"));
        fake.saveAnswers << path(QStringLiteral("lecon")) << path(answer);
        form1->SaveProject1->trigger(); QCoreApplication::processEvents();
        (scorm2004 ? form1->ExportScorm20041 : form1->ExportScorm1)->trigger();
        Settle(form1);
        QVERIFY2(fake.errors.isEmpty(), qPrintable(fake.errors.join(u'\n')));
        // The page title, beside the lesson in hand.
        QCOMPARE(fake.proposedSave.last(), path(QStringLiteral("Le chat & le toit")));
        QCOMPARE(fake.saveSuffixes.last(), QStringLiteral("zip"));
        QVERIFY(fake.questions.isEmpty());

        QProcess tool;
        tool.start(QStringLiteral(LEXIFIND_PAGE_TOOL),
                   {scorm2004 ? QStringLiteral("--scorm=2004") : QStringLiteral("--scorm"),
                    QStringLiteral("--set"), QStringLiteral("PageTitle=Le chat & le toit"),
                    QStringLiteral("--set"), QStringLiteral("MasteryScore=50"),
                    path(QStringLiteral("lecon.lxf")), path(QStringLiteral("outil"))});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        const QStringList fromTool = Unpacked(path(QStringLiteral("outil.zip")));
        QCOMPARE(fromTool.mid(0, 2), (QStringList{"imsmanifest.xml", "index.html"}));
        QCOMPARE(Unpacked(path(written)), fromTool);
#endif
    }

    void failuresReachTheErrorBox_data()
    {
        QTest::addColumn<bool>("withEntries");
        QTest::addColumn<QString>("mastery");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("empty list") << false << "" << "a" << "La liste de mots est vide" << 0;
        QTest::newRow("mastery not a number") << true << "huit" << "b"
                                              << "'huit' n'est pas une valeur entière correcte." << 0;
        QTest::newRow("no such folder") << true << "" << "absent/c"
                                        << "Impossible de créer le fichier " << 1;
    }

    void failuresReachTheErrorBox()
    {
        QFETCH(bool, withEntries);
        QFETCH(QString, mastery);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QFETCH(int, dialogs);
        form1->SetSourceText(QStringLiteral("Le chat dort."));
        if (withEntries)
            form1->AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
        program->Form4->Edit20->setText(mastery);
        fake.saveAnswers << path(answer);
        form1->ExportScorm1->trigger();
        Settle(form1);
        QCOMPARE(fake.errors.size(), 1);
        QVERIFY2(fake.errors.first().startsWith(message), qPrintable(fake.errors.first()));
        QCOMPARE(fake.proposedSave.size(), dialogs);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());
    }
};

int main(int argc, char *argv[])
{
    LexifindApplication application(argc, argv);
    TestScormExport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scormexport.moc"
