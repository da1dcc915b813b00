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
#include <QDateTime>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
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

    // Copies left by programs that died: the newest is offered at start only when it is
    // newer than the last work saved; declined, it goes with every older one; a start
    // with a file asks nothing and leaves them in the menu.
    void offeredWithoutNagging_data()
    {
        QTest::addColumn<int>("savedMinutesAgo"); // -1: never saved
        QTest::addColumn<QString>("start");       // "", or a file to open
        QTest::addColumn<bool>("asked");
        QTest::newRow("never saved: asked") << -1 << "" << true;
        QTest::newRow("saved before the work: asked") << 90 << "" << true;
        QTest::newRow("saved since: the menu only") << 10 << "" << false;
        QTest::newRow("started with a file: the menu only") << -1 << "lecon.lxf" << false;
    }

    void offeredWithoutNagging()
    {
        QFETCH(int, savedMinutesAgo);
        QFETCH(QString, start);
        QFETCH(bool, asked);
        const QString folder = form1->Recovery().folder();
        const QDateTime now = QDateTime::currentDateTime();
        // Three copies of dead programs (no lock held), written 60, 40 and 20 minutes ago.
        for (int age : {60, 40, 20}) {
            QFile copy(folder + QStringLiteral("/mort%1_0.lxf").arg(age));
            QVERIFY(copy.open(QIODevice::WriteOnly));
            copy.write(QByteArray::number(1) + "\r\n0\r\nTexte " + QByteArray::number(age) + "\r\n");
            copy.flush();
            QVERIFY(copy.setFileTime(now.addSecs(-60 * age), QFileDevice::FileModificationTime));
        }
        if (savedMinutesAgo >= 0) {
            fake.saveAnswers << dir.filePath(QStringLiteral("sauve"));
            form1->SetSourceText(QStringLiteral("sauvé"));
            run(form1->SaveProject1);
            QFile mark(folder + QStringLiteral("/dernier-enregistrement"));
            QVERIFY(mark.open(QIODevice::ReadWrite));
            QVERIFY(mark.setFileTime(now.addSecs(-60 * savedMinutesAgo), QFileDevice::FileModificationTime));
        }
        const QString file = dir.filePath(start);
        if (!start.isEmpty()) {
            QFile lesson(file);
            QVERIFY(lesson.open(QIODevice::WriteOnly));
            lesson.write("1\r\n0\r\nLa leçon\r\n");
        }
        form1->close();
        QCoreApplication::processEvents();
        program.reset();
        fake.answerYes = false;
        program = std::make_unique<Program>();
        program->Start(start.isEmpty() ? QString() : file);
        form1 = program->Form1.get();
        QCoreApplication::processEvents();

        QCOMPARE(fake.questions.size(), asked ? 1 : 0);
        if (asked) // declined: all three gone
            QCOMPARE(QDir(folder).entryList({"mort*.lxf"}), QStringList());
        else
            QCOMPARE(QDir(folder).entryList({"mort*.lxf"}).size(), 3);
        form1->File1->aboutToShow();
        QCOMPARE(form1->Recover1->isEnabled(), !asked);
        if (!start.isEmpty())
            QCOMPARE(form1->SourceText(), QStringLiteral("La leçon\r\n"));
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

    // Last: it runs the program's event loop to its end. A copy that cannot be written
    // while closing is said, and the program ends all the same.
    void closingEndsEvenWhenTheCopyFails()
    {
        form1->RecoveryTimer->setInterval(60000); // written by the closing window
        QTest::keyClicks(form1->Source, QStringLiteral("Le chat dort."));
        QVERIFY(QDir().mkpath(copyPath())); // a folder where the copy should go
        QSignalSpy closed(form1, &TForm1::closed);
        QTimer::singleShot(0, form1, [this] { form1->close(); });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        safety.start(10000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(closed.size(), 1);
        QCOMPARE(fake.errors.size(), 1);
        QVERIFY2(fake.errors.first().contains(QStringLiteral("n'a pas pu être gardé")), qPrintable(fake.errors.first()));
        QDir(copyPath()).removeRecursively();
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
