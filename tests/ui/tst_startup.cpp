// Start-up, the standard error box, help and About box, and the windows' pictures.

#include "FakeDesktop.h"
#include "Pictures.h"

#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixPlatform.h"
#include "document/LexifindError.h"
#include "ui/main/Startup.h"
#include "ui/main/Unit1.h"
#include "ui/main/Unit2.h"
#include "ui/main/Unit3.h"
#include "ui/main/Unit4.h"
#include "ui/options/Unit5.h"

#include <QAction>
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
