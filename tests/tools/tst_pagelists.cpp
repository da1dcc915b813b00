// lexifind-page --add-list, --dictionary, --fill-definitions, --export-list, with --set.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPageLists : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString &name)
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        write("lecon.lxf", "1\r\n1\r\nLe chat boit l'eau de la maison.\r\nchat\r\n\r\n");
        write("liste.csv", "eau;\nmaison;home\nchat;dup\n");
        write("virgules.csv", "chat,cat; kitty\nchien,dog; hound\n"); // read with ';' if not told
        QProcess dictfmt;
        dictfmt.setWorkingDirectory(dir.path());
        dictfmt.start("dictfmt", {"-j", "--utf8", "-s", "Test", "small"});
        dictfmt.write(":chat:\n1. cat\n2. tomcat\n:eau:\nwater\n");
        dictfmt.closeWriteChannel();
        QVERIFY2(dictfmt.waitForFinished() && dictfmt.exitCode() == 0, "Debian's dictfmt is needed");
    }

    void combinations_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("exported"); // empty: no list file
        QTest::addColumn<QString>("page");     // empty: no page file; else a text it holds
        QTest::addColumn<QString>("said");     // on standard error

        const QStringList fill{"--dictionary", "small.index", "--fill-definitions"};
        QTest::newRow("all together, with --set")
            << (QStringList{"--add-list", "liste.csv", "--set", "PageTitle=Ma leçon"} + fill
                + QStringList{"--export-list", "a.txt", "lecon.lxf", "a"})
            << 0 << "chat\tcat\r\neau\twater\r\nmaison\thome\r\n" << "Ma leçon"
            << "« chat » est déjà dans la liste";
        QTest::newRow("a list alone, filled and written out")
            << (QStringList{"--add-list=liste.csv"} + fill + QStringList{"--export-list=b.csv"})
            << 0 << QChar(0xFEFF) + QStringLiteral("eau,water\r\nmaison,home\r\nchat,dup\r\n") << ""
            << "1 définition(s) proposée(s) par small";
        QTest::newRow("the list added to the page only")
            << QStringList{"--add-list", "liste.csv", "lecon.lxf", "c"} << 0 << "" << "maison" << "2 entrées ajoutées";
        QTest::newRow("a list that cannot be read: no file")
            << QStringList{"--add-list", "absente.csv", "--export-list", "d.txt", "lecon.lxf", "d"} << 1 << "" << ""
            << "Impossible d'ouvrir le fichier absente.csv";
        QTest::newRow("a dictionary that is not there: no file")
            << QStringList{"--dictionary", "absent", "--fill-definitions", "--export-list", "e.txt", "lecon.lxf", "e"}
            << 1 << "" << "" << "Le dictionnaire « absent » n'est pas installé";
        QTest::newRow("filling without a dictionary")
            << QStringList{"--fill-definitions", "--export-list", "f.txt"} << 1 << "" << "" << "dictionnaire";
        const QString commas = "chat\tcat; kitty\r\nchien\tdog; hound\r\n";
        QTest::newRow("the separator named")
            << QStringList{"--list-separator", "comma", "--add-list", "virgules.csv", "--export-list", "h.txt"}
            << 0 << commas << "" << "(séparateur : virgule)";
        QTest::newRow("the separator by its character")
            << QStringList{"--add-list", "virgules.csv", "--list-separator=,", "--export-list", "i.txt"}
            << 0 << commas << "" << "2 entrées ajoutées";
        QTest::newRow("the separator found")
            << QStringList{"--add-list", "virgules.csv", "--list-separator", "auto", "--export-list", "j.txt"}
            << 0 << "chat,cat\tkitty\r\nchien,dog\thound\r\n" << "" << "(séparateur : point-virgule)";
        QTest::newRow("an unknown separator: no file")
            << QStringList{"--list-separator", "pipe", "--add-list", "virgules.csv", "--export-list", "k.txt"}
            << 2 << "" << "" << "séparateur inconnu « pipe »";
        QTest::newRow("an option without its value") << QStringList{"lecon.lxf", "g", "--export-list"} << 2 << ""
                                                     << "" << "Valeur manquante après \"--export-list\"";
    }

    void combinations()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, exported);
        QFETCH(QString, page);
        QFETCH(QString, said);
        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(LEXIFIND_PAGE_TOOL), arguments);
        QVERIFY(tool.waitForFinished(60000));
        const QString errors = QString::fromLocal8Bit(tool.readAllStandardError());
        QVERIFY2(errors.contains(said), qPrintable(errors));
        QCOMPARE(tool.exitCode(), exitCode);
        const QStringList written = QDir(dir.path()).entryList({"?.txt", "?.csv", "?.htm"});
        QString list = arguments.filter(QRegularExpression("^(--export-list=)?[a-z]\\.(txt|csv)$")).value(0);
        list.remove(QStringLiteral("--export-list="));
        QCOMPARE(read(list), exported.toUtf8());
        const QString output = arguments.size() > 1 && arguments.last().size() == 1 ? arguments.last() + ".htm" : "";
        QCOMPARE(written.contains(output), !page.isEmpty());
        if (!page.isEmpty())
            QVERIFY(QString::fromLatin1(read(output)).contains(page) || QString::fromUtf8(read(output)).contains(page));
    }
};

QTEST_GUILESS_MAIN(TestPageLists)
#include "tst_pagelists.moc"
