// The recovery copy of unsaved work: written after a change, removed when saved or
// empty, kept when a command replaces the work, offered at the next start, and never
// shared between two running programs.

#include "FakeDesktop.h"

#include "document/ProjectFile.h"
#include "document/RecoveryCopy.h"
#include "ui/main/Unit1.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace lexifind;

class TestRecovery : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Program> program;
    FakeDesktop fake;
    QTemporaryDir dir;
    TForm1 *form1 = nullptr;

    QString copyPath() const { return form1->Recovery().currentPath(); }
    QByteArray copyBytes() const
    {
        QFile file(copyPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    QByteArray workBytes() const { return ProjectFile::toBytes(form1->Document()); }
    void run(QAction *action)
    {
        action->trigger();
        QCoreApplication::processEvents();
    }
    void restart(bool answerYes)
    {
        form1->close();
        QCoreApplication::processEvents();
        program.reset();
        fake.answerYes = answerYes;
        program = std::make_unique<Program>();
        program->Start();
        form1 = program->Form1.get();
    }

private slots:
    void init()
    {
        program = StartProgram(fake);
        form1 = program->Form1.get();
        form1->RecoveryTimer->setInterval(0);
    }

    void cleanup()
    {
        form1 = nullptr;
        program.reset();
        resetDesktop();
    }

    void writtenAfterChangeRemovedWhenSavedOrEmpty()
    {
        QTest::keyClicks(form1->Source, QStringLiteral("Le chat"));
        QVERIFY(form1->RecoveryTimer->isActive());
        QTRY_COMPARE(copyBytes(), workBytes());
        form1->AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
        QTRY_COMPARE(copyBytes(), workBytes());

        fake.saveAnswers << dir.filePath(QStringLiteral("lecon"));
        run(form1->SaveProject1);
        QVERIFY(!QFile::exists(copyPath()));

        // Back to what the file holds: no copy either.
        form1->AddEntry(QStringLiteral("x"), QString());
        QTRY_VERIFY(QFile::exists(copyPath()));
        form1->ListBox1->setCurrentRow(1);
        form1->Button6Click();
        QTRY_VERIFY(!QFile::exists(copyPath()));

        run(form1->New1);
        QTest::keyClicks(form1->Source, QStringLiteral("x"));
        QTRY_VERIFY(QFile::exists(copyPath()));
        QTest::keyClick(form1->Source, Qt::Key_Backspace);
        QTRY_VERIFY(!QFile::exists(copyPath()));
    }

    void replacingCommandKeepsTheWork_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Nouveau") << "New1";
        QTest::newRow("Ouvrir") << "Open1";
        QTest::newRow("Ouvrir lxf") << "OpenProject1";
    }

    void replacingCommandKeepsTheWork()
    {
        QFETCH(QString, command);
        const QString other = dir.filePath(QStringLiteral("autre.lxf"));
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1\r\n1\r\nAutre texte\r\nautre\r\nother\r\n");
        file.close();
        fake.openAnswers << other;

        form1->SetSourceText(QStringLiteral("Mon travail\r\n"));
        form1->AddEntry(QStringLiteral("travail"), QStringLiteral("work"));
        const QByteArray work = workBytes();
        QVERIFY(!form1->Recover1->isEnabled());
        run(form1->findChild<QAction *>(command));
        QVERIFY(workBytes() != work);
        QVERIFY(form1->Recover1->isEnabled());
        QVERIFY(fake.questions.isEmpty());

        run(form1->Recover1);
        QCOMPARE(workBytes(), work);
        QCOMPARE(copyBytes(), work);
        QVERIFY(fake.errors.isEmpty());
    }

    void offeredAtNextStart_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes restores") << true;
        QTest::newRow("no deletes") << false;
    }

    void offeredAtNextStart()
    {
        QFETCH(bool, yes);
        form1->RecoveryTimer->setInterval(60000); // written by the closing window
        QTest::keyClicks(form1->Source, QStringLiteral("Le chat dort."));
        form1->AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
        const QByteArray work = workBytes();
        restart(yes);

        QCOMPARE(fake.questions.size(), 1);
        QVERIFY2(fake.questions[0].contains(u"3 mots de texte et 1 mots dans la liste"),
                 qPrintable(fake.questions[0]));
        QCOMPARE(workBytes(), yes ? work : ProjectFile::toBytes(ExerciseDocument()));
        QCOMPARE(QDir(form1->Recovery().folder()).entryList({"*.lxf"}).size(), yes ? 1 : 0);
        QVERIFY(!form1->Recover1->isEnabled());
        // Asked once: a start without a copy asks nothing.
        if (!yes) {
            restart(true);
            QCOMPARE(fake.questions.size(), 1);
        }
    }

    // The copies of a running program are its own; those of one that ended, even
    // killed (its lock left behind), can be taken.
    void notSharedBetweenRunningPrograms()
    {
        QTemporaryDir folder;
        RecoveryCopy first(folder.path());
        auto second = std::make_unique<RecoveryCopy>(folder.path());
        first.write("un");
        second->write("deux");
        QVERIFY(first.currentPath() != second->currentPath());
        QVERIFY(first.newestKept().path.isEmpty());
        QVERIFY(second->newestKept().path.isEmpty());
        const QString secondCopy = second->currentPath();
        second.reset();
        QCOMPARE(first.newestKept().path, secondCopy);
        QFile::remove(secondCopy);

        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForFinished());
        const qint64 deadPid = ended.processId() ? ended.processId() : 999999;
        QFile lock(folder.filePath(QStringLiteral("tue.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\nlexifind\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QFile killed(folder.filePath(QStringLiteral("tue_0.lxf")));
        QVERIFY(killed.open(QIODevice::WriteOnly));
        killed.write("0\r\n0\r\n");
        killed.close();
        QCOMPARE(first.newestKept().path, killed.fileName());
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
