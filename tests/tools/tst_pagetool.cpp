// lexifind-page's arguments: the project's own options, --set over them, the name of
// what it writes, and its exit codes.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPageTool : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
};

void TestPageTool::run_data()
{
    QTest::addColumn<QStringList>("arguments"); // "P": the project
    QTest::addColumn<QByteArray>("options");    // the project's options block
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("written");       // the one file written, or empty
    QTest::addColumn<QByteArray>("contains");   // in what was written (standard output for "-")
    QTest::addColumn<QString>("error");         // in standard error
    const QByteArray title("[Lexifind options 1]\r\nPageTitle=Du projet\r\n");
    const QString unfindable = u"mot 2 « chien » introuvable"_qs;
    QTest::newRow("the project's options")
        << QStringList{"P", "page"} << title << 0 << "page.htm" << QByteArray("<title>Du projet</title>")
        << unfindable;
    QTest::newRow("--set over them, .htm kept")
        << QStringList{"--set", "PageTitle=Ligne", "P", "page.htm"} << title << 0 << "page.htm"
        << QByteArray("<title>Ligne</title>") << unfindable;
    QTest::newRow(".HTML kept") << QStringList{"P", "page.HTML"} << QByteArray() << 0 << "page.HTML"
                                << QByteArray("<title>Recherche de vocabulaire</title>") << unfindable;
    QTest::newRow("standard output") << QStringList{"--set=PageStyle=moderne", "P", "-"} << title << 0
                                     << "" << QByteArray("<!DOCTYPE html>") << unfindable;
    QTest::newRow("SCORM") << QStringList{"--scorm", "P", "paquet"} << title << 0 << "paquet.zip"
                           << QByteArray("PK\x03\x04") << unfindable;
    QTest::newRow("SCORM 2004, .zip kept") << QStringList{"--scorm=2004", "P", "p.zip"} << title << 0
                                           << "p.zip" << QByteArray("imsmanifest.xml") << unfindable;
    QTest::newRow("an option that cannot be read back")
        << QStringList{"P", "page"} << QByteArray("[Lexifind options 1]\r\nTextColor=#12\r\n") << 0
        << "page.htm" << QByteArray("color=\"#000000\"")
        << u"L'option TextColor du fichier P vaut « #12 », qui n'est pas une couleur"_qs;
    QTest::newRow("a colour that is none, on the modern page")
        << QStringList{"--set", "PageStyle=moderne", "--set", "BackgroundColor=red;}", "P", "page"} << title << 0
        << "page.htm" << QByteArray("{--bg:#f6f7f9;")
        << u"l'option BackgroundColor vaut « red;} », qui n'est pas une couleur : la page moderne garde sa propre valeur"_qs;
    QTest::newRow("the same on the classic page, as written")
        << QStringList{"--set", "BackgroundColor=red;}", "P", "page"} << title << 0 << "page.htm"
        << QByteArray("bgcolor=\"red;}\"") << unfindable;
    QTest::newRow("--strict") << QStringList{"--strict", "P", "page"} << title << 3 << "" << QByteArray()
                              << unfindable;
    QTest::newRow("unknown argument") << QStringList{"--couleur", "P", "page"} << title << 2 << ""
                                      << QByteArray() << "--help";
    QTest::newRow("unknown page option") << QStringList{"--set", "Couleur=rouge", "P", "page"} << title
                                         << 2 << "" << QByteArray() << u"option de page inconnue « Couleur »"_qs;
    QTest::newRow("unknown edition") << QStringList{"--scorm=3", "P", "page"} << title << 2 << ""
                                     << QByteArray() << u"édition SCORM inconnue « 3 »"_qs;
    QTest::newRow("one argument") << QStringList{"P"} << title << 2 << "" << QByteArray()
                                  << "il faut un fichier projet et une sortie";
}

void TestPageTool::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, options);
    QFETCH(int, status);
    QFETCH(QString, written);
    QFETCH(QByteArray, contains);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QFile project(QStringLiteral("P"));
    QVERIFY(project.open(QIODevice::WriteOnly));
    project.write("1\r\n2\r\nLe chat dort.\r\nchat\r\nchien\r\ncat\r\ndog\r\n" + options);
    project.close();

    QProcess tool;
    tool.start(QStringLiteral(LEXIFIND_PAGE_TOOL), arguments);
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), status);
    QVERIFY2(QString::fromUtf8(tool.readAllStandardError()).contains(error), qPrintable(error));
    QStringList files = QDir().entryList(QDir::Files);
    files.removeOne(QStringLiteral("P"));
    QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
    QByteArray bytes = tool.readAllStandardOutput();
    if (!written.isEmpty()) {
        QFile file(written);
        QVERIFY(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
    }
    QVERIFY(bytes.contains(contains));
}

QTEST_GUILESS_MAIN(TestPageTool)
#include "tst_pagetool.moc"
