#pragma once

#include "document/LexifindError.h"
#include "page/PageSettings.h"
#include "ui/main/Placement.h"

#include <QApplication>
#include <QTranslator>

#include <memory>

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TAboutBox;

namespace lexifind {


// The application object: title "Lexifind", and the one place where a command's
// failure is shown. No exception leaves an event handler: notify catches it, shows
// its message in the standard error box, and the program goes on.
class LexifindApplication : public QApplication
{
    Q_OBJECT
public:
    LexifindApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The standard error box with message, through the desktop's error seam.
    static void ShowError(const QString &message);

private:
    QTranslator m_toolkitTexts;
};

// The windows of one run, created once in their order (TForm1, TForm2, TForm3,
// TForm4, TAboutBox) and released in the reverse order at the end. The page options
// are program-wide: written by TForm4, read by the page command of TForm1.
class Program
{
public:
    Program();
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Shows the main window; the others stay hidden until a command shows them. Then
    // opens file when one is given, else offers the recovered work, if any.
    void Start(const QString &file = QString());
    // Opens a file given on the command line once the event loop runs: a project
    // (".lxf") as "O&uvrir lxf" does, any other file as the text "&Ouvrir" opens.
    void OpenFile(const QString &path);

    // Taken first: where this program's windows stand among those of others running.
    std::unique_ptr<WindowSlot> Slot;
    PageSettings Settings;
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TForm3> Form3;
    std::unique_ptr<TForm4> Form4;
    std::unique_ptr<TAboutBox> AboutBox;
};

// The file to open from the program's arguments (the first that is no option), or an
// empty string.
QString FileArgument(const QStringList &arguments);

// The program: the application, the windows, the event loop until the main window
// is closed.
int Run(int argc, char **argv);

} // namespace lexifind
