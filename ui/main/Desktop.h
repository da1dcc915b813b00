#pragma once

#include <QString>

#include <functional>

class QWidget;

// What the program asks of the desktop, in one place so that tests can replace each
// piece: a modal box, a file dialog or the desktop's own programs would stop a test.
namespace lexifind {

struct Desktop
{
    // Opens a document with the program the desktop associates with its type.
    std::function<void(const QString &path)> openDocument;
    // The help's contents window.
    std::function<void()> showHelpContents;
    // Modal file dialogs: proposedName preset (may be empty), defaultSuffix without
    // the dot (empty for none). Return the chosen path, or an empty string on cancel.
    std::function<QString(QWidget *parent, const QString &proposedName,
                          const QString &defaultSuffix)> openFileName;
    std::function<QString(QWidget *parent, const QString &proposedName,
                          const QString &defaultSuffix)> saveFileName;
    // The yes/no confirmation box; true for yes.
    std::function<bool(QWidget *parent, const QString &title, const QString &question)> askYesNo;
    // The standard error box, with the text exactly as it is to be shown.
    std::function<void(const QString &text)> showError;
    // A warning box (title "Lexifind", one OK button): what went wrong without stopping
    // the command, such as a project read with missing lines.
    std::function<void(const QString &text)> showWarning;
};

// The desktop in force; the real one by default.
Desktop &desktop();
// Puts the real desktop back (tests).
void resetDesktop();

} // namespace lexifind
