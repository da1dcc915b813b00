#include "ui/main/Startup.h"

#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixPlatform.h"
#include "document/LexifindError.h"
#include "ui/main/Command.h"
#include "ui/main/Desktop.h"
#include "ui/main/Unit1.h"
#include "ui/main/Unit2.h"
#include "ui/main/Unit3.h"
#include "ui/main/Unit4.h"
#include "ui/main/help/HelpViewer.h"
#include "ui/options/Unit5.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>

namespace lexifind {

LexifindApplication::LexifindApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // The title "Lexifind" is the application's name. No display name is set: the
    // toolkit would append it to every window's caption, which is exactly its own.
    setApplicationName(QStringLiteral("Lexifind"));
    setApplicationVersion(QStringLiteral("1.22"));
    // The menu entry, for the desktop to group the windows under it.
    setDesktopFileName(QStringLiteral("org.lexifind.Lexifind"));
    // The toolkit's own texts (file dialogs, context menus, standard buttons) in
    // French, as the program's. The colour dialog has English texts of its own.
    if (m_toolkitTexts.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_toolkitTexts);
    // Closing a dialog never ends the program; closing the main window does.
    setQuitOnLastWindowClosed(false);
}

bool LexifindApplication::notify(QObject *receiver, QEvent *event)
{
    // The commands catch their own failures (RunCommand); this is the last guard for
    // anything else, so that the program goes on.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowFailure(CaughtFailureMessage());
    }
    return true;
}

void LexifindApplication::ShowError(const QString &message)
{
    desktop().showError(ErrorBoxText(message));
}

Program::Program()
{
    Slot = std::make_unique<WindowSlot>();
    WindowSlot::SetCurrent(Slot->Offset());
    Form1 = std::make_unique<TForm1>(Settings);
    Form2 = std::make_unique<TForm2>(*Form1);
    Form3 = std::make_unique<TForm3>(*Form1);
    Form4 = std::make_unique<TForm4>(Settings);
    AboutBox = std::make_unique<TAboutBox>();
    Form1->SetWindows(Form2.get(), Form3.get(), Form4.get(), AboutBox.get());
    huemix::platform().help = lexifind::help::showContext;
    QObject::connect(Form1.get(), &TForm1::closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // The options are the lesson's: a change is a change of the lesson, and a lesson
    // opened shows its options in their window.
    QObject::connect(Form4.get(), &TForm4::optionChanged, Form1.get(), &TForm1::SettingsChanged);
    QObject::connect(Form1.get(), &TForm1::settingsReplaced, Form4.get(), &TForm4::ShowSettings);
}

Program::~Program()
{
    AboutBox.reset();
    Form4.reset();
    Form3.reset();
    Form2.reset();
    Form1.reset();
    Slot.reset();
}

void Program::Start(const QString &file)
{
    Form1->show();
    Form1->raise();
    Form1->activateWindow();
    // Started with a file, the teacher asked for that file: the recovered work stays
    // offered in the menu.
    if (file.isEmpty())
        Form1->OfferRecovery();
    else
        OpenFile(file);
}

void Program::OpenFile(const QString &path)
{
    // Run from the event loop, as a menu command: its error reaches the error box.
    TForm1 *form1 = Form1.get();
    const bool project = QFileInfo(path).suffix().compare(u"lxf", Qt::CaseInsensitive) == 0;
    QMetaObject::invokeMethod(
        form1,
        [form1, path, project] {
            if (project)
                form1->OpenProjectFile(path);
            else
                form1->OpenTextFile(path);
        },
        Qt::QueuedConnection);
}

QString FileArgument(const QStringList &arguments)
{
    // The toolkit has taken its own options out; a file manager passes one path.
    for (const QString &argument : arguments.mid(1))
        if (!argument.startsWith(u'-'))
            return argument;
    return {};
}

int Run(int argc, char **argv)
{
    LexifindApplication application(argc, argv);
    Program program;
    program.Start(FileArgument(QCoreApplication::arguments()));
    return application.exec();
}

} // namespace lexifind
