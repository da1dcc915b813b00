// Start-up, the standard error box, help and About box, and the windows' pictures.

#include "FakeDesktop.h"
#include "Pictures.h"

#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixPlatform.h"
#include "colordialog/HuemixWindow.h"
#include "document/LexifindError.h"
#include "ui/main/Placement.h"
#include "ui/main/Startup.h"
#include "ui/main/Unit1.h"
#include "ui/main/Unit2.h"
#include "ui/main/Unit3.h"
#include "ui/main/Unit4.h"
#include "ui/options/Unit5.h"

#include <QAction>
#include <QFile>
#include <QScreen>
#include <QWindow>
#include <QLabel>
#include <QLineEdit>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <stdexcept>

using namespace lexifind;

namespace {

// Throws from its event handler what the test asks for, as a command would.
class ThrowingObject : public QObject
{
public:
    QString kind;
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (kind == u"lexifind")
            throw Error(QStringLiteral("Disque plein"));
        if (kind == u"huemix")
            throw EHuemixDialogException("THuemixDialog is already visible.");
        if (kind == u"memory")
            throw std::bad_alloc();
        throw std::runtime_error("Accès refusé");
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Program> program;
    FakeDesktop fake;

    int visibleTopLevels() const
    {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                ++count;
        return count;
    }

private slots:
    void init()
    {
        program = StartProgram(fake);
    }

    void cleanup()
    {
        program.reset();
        resetDesktop();
    }

    void onlyTheMainWindowAtStart()
    {
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Lexifind"));
        QCOMPARE(QApplication::desktopFileName(), QStringLiteral("org.lexifind.Lexifind"));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Lexifind"));
        QVERIFY(program->Form1->isVisible());
        QCOMPARE(program->Form1->windowTitle(), QStringLiteral("Lexifind"));
        QVERIFY(!program->Form2->isVisible());
        QVERIFY(!program->Form3->isVisible());
        QVERIFY(!program->Form4->isVisible());
        QVERIFY(!program->AboutBox->isVisible());
        QCOMPARE(visibleTopLevels(), 1);
        QVERIFY(program->Form1->SourceText().isEmpty());
        QCOMPARE(program->Form1->ListBox1->count(), 0);
        QVERIFY(!QApplication::quitOnLastWindowClosed());
    }

    void windowsShowOnceAndCloseByHiding_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("About box") << "About1" << "AboutBox";
        QTest::newRow("page options") << "HTML1" << "Form4";
        QTest::newRow("add dialog") << "Button2" << "Form2";
    }

    void windowsShowOnceAndCloseByHiding()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        TForm1 *form1 = program->Form1.get();
        for (int i = 0; i < 2; ++i) {
            if (auto *action = form1->findChild<QAction *>(command))
                action->trigger();
            else
                form1->findChild<QPushButton *>(command)->click();
            QCoreApplication::processEvents();
        }
        QCOMPARE(visibleTopLevels(), 2);
        QWidget *shown = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && widget != form1)
                shown = widget;
        QVERIFY(shown);
        QCOMPARE(shown->objectName(), window);
        QPointer<QWidget> alive(shown);
        shown->close();
        QVERIFY(alive);
        QVERIFY(!shown->isVisible());
        QVERIFY(form1->isVisible());
    }

    // Each caption is the window's own: the toolkit appends its display name to every
    // caption where one is set, so none is; the title "Lexifind" is the name.
    void captions_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("main window") << "Form1" << "Lexifind";
        QTest::newRow("add dialog") << "Form2" << "Ajouter";
        QTest::newRow("edit dialog") << "Form3" << "Editer";
        QTest::newRow("page options") << "Form4" << "Paramètres web";
        QTest::newRow("About box") << "AboutBox" << "A propos";
    }
    void captions()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QWidget *shown = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->objectName() == window)
                shown = widget;
        QVERIFY(shown);
        shown->show();
        QCOMPARE(shown->windowHandle()->title(), caption);
        const QString name = QApplication::applicationName();
        QApplication::setApplicationName(QStringLiteral("probe"));
        const QString display = QApplication::applicationDisplayName();
        QApplication::setApplicationName(name);
        QCOMPARE(display, QStringLiteral("probe")); // no display name of its own
    }

    // The toolkit's own texts are French; the colour dialog's are its own English.
    void toolkitTextsInFrench()
    {
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Voir dans :"));
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Copy"), QStringLiteral("Cop&ier"));
        THuemixDialog component(nullptr);
        TfrmHuemixDialog colours(&component);
        QCOMPARE(colours.btnCancel->text(), QStringLiteral("Cancel"));
    }

    // Fixed dialogs have a caption and a close box only.
    void fixedDialogs()
    {
        THuemixDialog component(nullptr);
        TfrmHuemixDialog colours(&component);
        for (QWidget *dialog : {static_cast<QWidget *>(program->AboutBox.get()),
                                static_cast<QWidget *>(&colours)}) {
            const Qt::WindowFlags flags = dialog->windowFlags();
            QVERIFY(flags & Qt::CustomizeWindowHint);
            QVERIFY(flags & Qt::WindowCloseButtonHint);
            QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        }
    }

    // Every window opens wholly on the screen, the screen being small or scaled (the
    // run with QT_SCALE_FACTOR=2 on a 1920 x 1080 screen), else where it was placed.
    void windowsLieOnTheScreen()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == u"2")
            QCOMPARE(area.size(), QSize(960, 540));
        for (QWidget *window : {static_cast<QWidget *>(program->Form1.get()),
                                static_cast<QWidget *>(program->Form2.get()),
                                static_cast<QWidget *>(program->Form3.get()),
                                static_cast<QWidget *>(program->Form4.get()),
                                static_cast<QWidget *>(program->AboutBox.get())}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QVERIFY2(area.contains(window->frameGeometry()),
                     qPrintable(window->objectName() + QStringLiteral(" at %1,%2 %3x%4 on %5x%6")
                                    .arg(window->x()).arg(window->y()).arg(window->width())
                                    .arg(window->height()).arg(area.width()).arg(area.height())));
        }
        // Where it fits, the main window stands at its own place.
        if (area.contains(QRect(TForm1::OuterLeft, TForm1::OuterTop, TForm1::OuterWidth, TForm1::OuterHeight)))
            QCOMPARE(program->Form1->pos(), QPoint(TForm1::OuterLeft, TForm1::OuterTop));
    }

    void placedWithin_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("fits") << QRect(10, 10, 200, 100) << QPoint(10, 10);
        QTest::newRow("off the bottom") << QRect(245, 276, 664, 337) << QPoint(245, 203);
        QTest::newRow("off the right") << QRect(900, 10, 200, 100) << QPoint(760, 10);
        QTest::newRow("off the top left") << QRect(-50, -20, 200, 100) << QPoint(0, 0);
        QTest::newRow("larger than the screen") << QRect(100, 100, 1200, 900) << QPoint(0, 0);
    }
    void placedWithin()
    {
        QFETCH(QRect, frame);
        QFETCH(QPoint, place);
        QCOMPARE(PlacedWithin(frame, QRect(0, 0, 960, 540)), place);
    }

    // "lexifind FILE": a project as "O&uvrir lxf" opens it, any other file as the text.
    void fileArgument_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("none") << QStringList{"lexifind"} << "";
        QTest::newRow("a project") << QStringList{"lexifind", "cours.lxf"} << "cours.lxf";
        QTest::newRow("an option first") << QStringList{"lexifind", "-x", "a b.txt"} << "a b.txt";
    }
    void fileArgument()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QCOMPARE(FileArgument(arguments), file);
    }

    void openedFromTheCommandLine()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("leçon.LXF"));
        {
            QFile file(project);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("1\r\n1\r\nLe chat dort.\r\nchat\r\ncat\r\n");
        }
        program->OpenFile(project);
        QCoreApplication::processEvents();
        QVERIFY(program->Form1->SourceText().startsWith(QStringLiteral("Le chat dort.")));
        QCOMPARE(program->Form1->ListBox1->count(), 1);
        QCOMPARE(program->Form1->ListBox1->item(0)->text(), QStringLiteral("chat"));
        QCOMPARE(program->Form1->windowTitle(), project);

        const QString text = dir.filePath(QStringLiteral("texte.txt"));
        {
            QFile file(text);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Il pleut.\n");
        }
        program->OpenFile(text);
        QCoreApplication::processEvents();
        QCOMPARE(program->Form1->SourceText(), QStringLiteral("Il pleut.\r\n"));
        QCOMPARE(program->Form1->ListBox1->count(), 0);
        QCOMPARE(program->Form1->windowTitle(), text);
        QVERIFY(fake.errors.isEmpty());

        // A missing file: as the menu commands, a message naming it, and the lesson in
        // hand stays.
        const QString missingText = dir.filePath(QStringLiteral("absent.txt"));
        program->OpenFile(missingText);
        QCoreApplication::processEvents();
        QCOMPARE(fake.errors, QStringList{QStringLiteral("Impossible d'ouvrir le fichier %1 : il n'existe pas.").arg(missingText)});
        const QString missingProject = dir.filePath(QStringLiteral("absent.lxf"));
        program->OpenFile(missingProject);
        QCoreApplication::processEvents();
        QCOMPARE(fake.errors.size(), 2);
        QVERIFY(fake.errors.last().contains(missingProject));
        QCOMPARE(program->Form1->SourceText(), QStringLiteral("Il pleut.\r\n"));
        QCOMPARE(program->Form1->windowTitle(), text);
    }

    void aboutBox()
    {
        TAboutBox *about = program->AboutBox.get();
        program->Form1->About1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(about->windowTitle(), QStringLiteral("A propos"));
        QCOMPARE(about->size(), QSize(210, 195));
        QCOMPARE(about->Version->text(), QStringLiteral("Version 1.22"));
        QCOMPARE(about->ProductName->text(), QStringLiteral("Lexifind"));
        QVERIFY(about->ProductName->font().bold());
        const QImage logo = TAboutBox::Logo();
        QCOMPARE(logo.size(), QSize(110, 50));
        QCOMPARE(logo.depth(), 24);
        QVERIFY(about->OKButton->isDefault());
        QTest::keyClick(about->OKButton, Qt::Key_Return);
        QVERIFY(!about->isVisible());
    }

    void helpFromAnywhereInTheMainWindow()
    {
        TForm1 *form1 = program->Form1.get();
        QVERIFY(QTest::qWaitForWindowActive(form1));
        form1->ListBox1->setFocus();
        QTest::keyClick(form1->ListBox1, Qt::Key_F1); QCoreApplication::processEvents();
        form1->Source->setFocus();
        QTest::keyClick(form1->Source, Qt::Key_F1); QCoreApplication::processEvents();
        form1->Aide1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.helpRequests, 3);
        QVERIFY(huemix::platform().help);
    }

    void menuKeysFromInsideTheText()
    {
        TForm1 *form1 = program->Form1.get();
        QVERIFY(QTest::qWaitForWindowActive(form1));
        form1->Source->setFocus();
        QTest::keyClicks(form1->Source, QStringLiteral("abc"));
        // The text's own multi-step undo would leave "ab" or so; the menu's undoes the
        // change, and a second Ctrl+Z puts it back.
        QTest::keyClick(form1->Source, Qt::Key_Z, Qt::ControlModifier); QCoreApplication::processEvents();
        QCOMPARE(form1->SourceText(), QString());
        QTest::keyClick(form1->Source, Qt::Key_Z, Qt::ControlModifier); QCoreApplication::processEvents();
        QCOMPARE(form1->SourceText(), QStringLiteral("abc"));
        QTest::keyClick(form1->Source, Qt::Key_H, Qt::ControlModifier); QCoreApplication::processEvents();
        QVERIFY(program->Form4->isVisible());
    }

    void errorBoxText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter gets a full stop") << "Disque plein" << "Disque plein.";
        QTest::newRow("digit gets a full stop") << "Erreur E/S 5" << "Erreur E/S 5.";
        QTest::newRow("question mark sorts after it") << "Vraiment ?" << "Vraiment ?.";
        QTest::newRow("full stop stays") << "Fini." << "Fini.";
        QTest::newRow("exclamation mark stays") << "Attention !" << "Attention !";
        QTest::newRow("closing parenthesis stays") << "Erreur (E/S)" << "Erreur (E/S)";
        QTest::newRow("accented letter") << "Accès refusé" << "Accès refusé.";
        QTest::newRow("empty") << "" << "";
    }

    void errorBoxText()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorBoxText(message), shown);
    }

    void noExceptionEscapesAnEventHandler_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("shown");
        QTest::newRow("program error") << "lexifind" << "Disque plein.";
        QTest::newRow("colour dialog") << "huemix" << "THuemixDialog is already visible.";
        QTest::newRow("standard exception") << "std" << "Accès refusé.";
        QTest::newRow("out of memory") << "memory" << "Mémoire insuffisante.";
    }

    void noExceptionEscapesAnEventHandler()
    {
        QFETCH(QString, kind);
        QFETCH(QString, shown);
        ThrowingObject receiver;
        receiver.kind = kind;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&receiver, &event);
        QCOMPARE(fake.errors, QStringList{shown});
        // And the program goes on.
        QEvent again(QEvent::User);
        QCoreApplication::sendEvent(&receiver, &again);
        QCOMPARE(fake.errors.size(), 2);
    }

    // The real boxes behind the seams, answered as the teacher would.
    void realBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("result");
        QTest::newRow("question, yes") << "question" << "&Oui" << "Confirmation"
                                       << QStringList{"&Oui", "&Non"} << int(QMessageBox::Question) << true;
        QTest::newRow("question, no") << "question" << "&Non" << "Confirmation"
                                      << QStringList{"&Oui", "&Non"} << int(QMessageBox::Question) << false;
        QTest::newRow("error box") << "error" << "OK" << "Lexifind" << QStringList{"OK"}
                                   << int(QMessageBox::Critical) << false;
    }

    void realBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, press);
        QFETCH(QString, title);
        QFETCH(QStringList, buttons);
        QFETCH(int, icon);
        QFETCH(bool, result);
        resetDesktop();

        QString seenTitle, seenText;
        QStringList seenButtons;
        int seenIcon = -1;
        Qt::TextFormat seenFormat = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!shown)
                return;
            seenTitle = shown->windowTitle();
            seenText = shown->text();
            seenIcon = shown->icon();
            seenFormat = shown->textFormat();
            QAbstractButton *toPress = nullptr;
            for (QAbstractButton *button : shown->buttons()) {
                seenButtons << button->text();
                if (button->text() == press)
                    toPress = button;
            }
            if (toPress)
                toPress->click();
            else
                shown->reject();
        });
        const QString text = QStringLiteral("<b>a</b> & b");
        bool answer = false;
        if (box == u"question")
            answer = desktop().askYesNo(nullptr, QStringLiteral("Confirmation"), text);
        else
            desktop().showError(text);

        QCOMPARE(seenTitle, title);
        QCOMPARE(seenText, text);
        seenButtons.sort();
        buttons.sort();
        QCOMPARE(seenButtons, buttons);
        QCOMPARE(seenIcon, icon);
        QCOMPARE(seenFormat, Qt::PlainText);
        QCOMPARE(answer, result);
        fake.install();
    }

    void realFileDialogs_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("expected");
        QTest::newRow("save proposes the name") << true << "Recherche de vocabulaire" << "" << true
                                                << "Recherche de vocabulaire";
        QTest::newRow("default suffix") << true << "lecon" << "lxf" << true << "lecon.lxf";
        QTest::newRow("open a name that does not exist") << false << "absent" << "lxf" << true
                                                         << "absent.lxf";
        QTest::newRow("cancel") << true << "lecon" << "lxf" << false << "";
    }

    void realFileDialogs()
    {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QString, suffix);
        QFETCH(bool, accept);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        resetDesktop();
        bool overwriteAsked = true;
        QTimer::singleShot(0, [&] {
            auto *shown = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!shown)
                return;
            overwriteAsked = !shown->testOption(QFileDialog::DontConfirmOverwrite);
            if (accept)
                static_cast<QDialog *>(shown)->accept(); // as the "Save" button does
            else
                shown->reject();
        });
        const QString proposed = dir.filePath(name);
        const QString chosen = save ? desktop().saveFileName(nullptr, proposed, suffix)
                                    : desktop().openFileName(nullptr, proposed, suffix);
        QCOMPARE(chosen, expected.isEmpty() ? QString() : dir.filePath(expected));
        QVERIFY(!overwriteAsked);
        fake.install();
    }

    void pictures()
    {
        TForm1 *form1 = program->Form1.get();
        form1->SetSourceText(QStringLiteral("Le chat dort sur le banc, au soleil.\r\nIl fait beau."));
        form1->AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
        form1->AddEntry(QStringLiteral("banc"), QStringLiteral("bench"));
        form1->AddEntry(QStringLiteral("soleil"), QStringLiteral("sun"));
        form1->ListBox1->setCurrentRow(1);
        program->Form2->Edit1->setText(QStringLiteral("chat"));
        program->Form3->Edit1->setText(QStringLiteral("banc"));
        program->Form3->Edit2->setText(QStringLiteral("bench"));
        const std::pair<QWidget *, const char *> windows[] = {
            {form1, "main-window"},
            {program->Form2.get(), "add-dialog"},
            {program->Form3.get(), "edit-dialog"},
            {program->AboutBox.get(), "about-box"},
        };
        for (const auto &[window, name] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QVERIFY2(!SavePicture(window, QString::fromLatin1(name)).isEmpty(), name);
        }
    }
    // A second program running opens its windows apart from the first's; the place is
    // free again once that program has ended.
    void secondProgramStandsApart()
    {
        const QRect area = program->Form1->screen()->availableGeometry();
        const auto placed = [&area](QWidget *window, QPoint own) {
            return PlacedWithin(QRect(own, window->frameGeometry().size()), area);
        };
        const QPoint main(TForm1::OuterLeft, TForm1::OuterTop), options(TForm4::OuterLeft, TForm4::OuterTop);
        program->Form4->show();
        QVERIFY(QTest::qWaitForWindowExposed(program->Form4.get()));
        QCOMPARE(program->Form1->pos(), placed(program->Form1.get(), main));
        for (int run = 0; run < 2; ++run) {
            auto second = std::make_unique<Program>();
            second->Start();
            second->Form4->show();
            QVERIFY(QTest::qWaitForWindowExposed(second->Form4.get()));
            QCOMPARE(second->Form1->pos(), placed(second->Form1.get(), main + QPoint(24, 24)));
            QCOMPARE(second->Form4->pos(), placed(second->Form4.get(), options + QPoint(24, 24)));
            QVERIFY(second->Form1->pos() != program->Form1->pos());
        }
    }

    // Last: it runs the program's event loop to its end.
    void closingTheMainWindowEndsTheProgram()
    {
        QSignalSpy closed(program->Form1.get(), &TForm1::closed);
        // A window left open does not keep the program alive.
        program->AboutBox->show();
        QTimer::singleShot(0, program->Form1.get(), [this] { program->Form1->close(); });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        safety.start(10000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(closed.size(), 1);
        QVERIFY(!program->Form1->isVisible());
        QVERIFY(fake.questions.isEmpty());
    }
};

int main(int argc, char *argv[])
{
    LexifindApplication application(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
