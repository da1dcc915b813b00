// lexifind-page given a text too large for its address space: the French message,
// status 1, and no page written, an earlier one left whole.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

class TestLowMemory : public QObject
{
    Q_OBJECT

private slots:
    void textTooLarge_data();
    void textTooLarge();
};

void TestLowMemory::textTooLarge_data()
{
    QTest::addColumn<QByteArray>("earlier");
    QTest::newRow("no earlier page") << QByteArray();
    QTest::newRow("earlier page kept whole") << QByteArray("<html>ancienne page</html>");
}

void TestLowMemory::textTooLarge()
{
    QFETCH(QByteArray, earlier);
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("grand.lxf"));
    const QString output = dir.filePath(QStringLiteral("page"));
    {
        // 40 MB of short words: far beyond the 256 MB the child may map.
        const QByteArray line("le chat dort sur le tapis et la souris aussi\r\n");
        const int lines = 40 * 1024 * 1024 / int(line.size());
        QFile file(project);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(lines) + "\r\n1\r\n");
        file.write(line.repeated(lines));
        file.write("chat\r\ncat\r\n");
    }
    if (!earlier.isEmpty()) {
        QFile file(output + QStringLiteral(".htm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }

    QProcess tool;
    tool.setChildProcessModifier([] {
        const rlimit limit{256u << 20, 256u << 20};
        setrlimit(RLIMIT_AS, &limit);
    });
    tool.start(QStringLiteral(LEXIFIND_PAGE_TOOL), {project, output});
    QVERIFY(tool.waitForFinished(120000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(tool.readAllStandardError()),
             QStringLiteral("lexifind-page : Mémoire insuffisante.\n"));
    QFile page(output + QStringLiteral(".htm"));
    if (earlier.isEmpty()) {
        QVERIFY(!page.exists());
    } else {
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE(page.readAll(), earlier);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), earlier.isEmpty() ? 1 : 2);
}

QTEST_GUILESS_MAIN(TestLowMemory)
#include "tst_lowmemory.moc"
