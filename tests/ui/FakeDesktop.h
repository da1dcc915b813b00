#pragma once

#include "document/RecoveryCopy.h"
#include "ui/main/Desktop.h"
#include "ui/main/Startup.h"
#include "ui/main/Unit1.h"

#include <QCoreApplication>
#include <QDir>
#include <QList>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>

#include <memory>

// A desktop that records what the program asks of it and answers from the test.
struct FakeDesktop
{
    // Answers of the file dialogs, taken in order; an empty one cancels.
    QStringList openAnswers;
    QStringList saveAnswers;
    bool answerYes = false;

    // What was asked.
    QStringList proposedOpen, proposedSave;
    QStringList openSuffixes, saveSuffixes;
    QStringList questions; // "title|question"
    QStringList errors;
    QStringList warnings;
    QStringList opened;
    int helpRequests = 0;

    void install()
    {
        lexifind::Desktop &d = lexifind::desktop();
        d.openDocument = [this](const QString &path) { opened << path; };
        d.showHelpContents = [this] { ++helpRequests; };
        d.openFileName = [this](QWidget *, const QString &name, const QString &suffix) {
            proposedOpen << name;
            openSuffixes << suffix;
            return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
        };
        d.saveFileName = [this](QWidget *, const QString &name, const QString &suffix) {
            proposedSave << name;
            saveSuffixes << suffix;
            return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
        };
        d.askYesNo = [this](QWidget *, const QString &title, const QString &question) {
            questions << title + u'|' + question;
            return answerYes;
        };
        d.showError = [this](const QString &text) { errors << text; };
        d.showWarning = [this](const QString &text) { warnings << text; };
    }
};

// A program of its own for one test function, on a fresh fake desktop; the test ends it
// with program.reset() and lexifind::resetDesktop().
inline std::unique_ptr<lexifind::Program> StartProgram(FakeDesktop &fake)
{
    fake = FakeDesktop();
    fake.install();
    // Recovery copies in the test folders, none left from an earlier test, and a folder
    // of this process's own: test programs run side by side and each clears its own.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("lexifind-test-%1")
                                              .arg(QCoreApplication::applicationPid()));
    QDir(lexifind::RecoveryCopy::defaultFolder()).removeRecursively();
    auto program = std::make_unique<lexifind::Program>();
    program->Start();
    return program;
}

// Lets the commands posted run to their end, a page job on its worker included, as a
// teacher waits for them.
inline void Settle(TForm1 *form1)
{
    QCoreApplication::processEvents();
    for (int waited = 0; form1->PageJobRunning() && waited < 120000; waited += 10)
        QTest::qWait(10);
    QCoreApplication::processEvents();
}
