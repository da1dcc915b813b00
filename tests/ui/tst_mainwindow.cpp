// The main window and the word dialogs, driven through their widgets.

#include "FakeDesktop.h"

#include "document/ExerciseDocument.h"
#include "document/ProjectFile.h"
#include "ui/main/Startup.h"
#include "ui/main/PageJobRunner.h"
#include "ui/main/Unit1.h"
#include "ui/main/Unit2.h"
#include "ui/main/Unit3.h"
#include "ui/options/Unit5.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

#include <memory>

using namespace lexifind;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Program> program;
    FakeDesktop fake;
    std::unique_ptr<QTemporaryDir> dir;
    TForm1 *form1 = nullptr;

    QString path(const QString &name) const { return dir->filePath(name); }

    void addEntries(const QStringList &words, const QStringList &definitions)
    {
        for (qsizetype i = 0; i < words.size(); ++i)
            form1->AddEntry(words[i], definitions.value(i));
    }

    QStringList listTexts() const
    {
        QStringList texts;
        for (int row = 0; row < form1->ListBox1->count(); ++row)
            texts << form1->ListBox1->item(row)->text();
        return texts;
    }

    int listSelection() const
    {
        const auto items = form1->ListBox1->selectedItems();
        return items.isEmpty() ? -1 : form1->ListBox1->row(items.first());
    }

    // The word list on the screen is the document's.
    void verifyListMatchesDocument()
    {
        const ExerciseDocument &document = form1->Document();
        QCOMPARE(listTexts(), document.words());
        QCOMPARE(listSelection(), document.selected());
        QCOMPARE(document.definitions().size(), document.words().size());
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        program = StartProgram(fake);
        form1 = program->Form1.get();
    }

    void cleanup()
    {
        form1 = nullptr;
        program.reset();
        resetDesktop();
    }

    void addWord_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start"); // of the selection
        QTest::addColumn<int>("length"); // 0: double click at start
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("stored");

        QTest::newRow("double click on chat") << "Le chat, dit-il." << 4 << 0 << "cat" << "chat" << "cat";
        QTest::newRow("end delimiter first") << "(voir)." << 0 << 7 << "see" << "(voir)." << "see";
        QTest::newRow("one delimiter each end") << "(voir)" << 0 << 6 << "see" << "(voir)" << "see";
        QTest::newRow("blanks and line break trimmed")
            << "x \t chat,\n y" << 1 << 9 << "cat" << "chat," << "cat";
        QTest::newRow("double quotes in the definition")
            << "Le chat" << 3 << 4 << "le \"chat\"" << "chat" << "le 'chat'";
        QTest::newRow("lines of a selection joined by a blank")
            << "bon\njour" << 0 << 8 << "hello" << "bon jour" << "hello";
    }

    void addWord()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, definition);
        QFETCH(QString, word);
        QFETCH(QString, stored);

        form1->Source->setPlainText(text);
        if (length == 0) {
            QTextCursor cursor(form1->Source->document());
            cursor.setPosition(start + 1);
            const QPoint at = form1->Source->cursorRect(cursor).center();
            QTest::mouseDClick(form1->Source->viewport(), Qt::LeftButton, Qt::NoModifier, at); QCoreApplication::processEvents();
        } else {
            QTextCursor cursor(form1->Source->document());
            cursor.setPosition(start);
            cursor.setPosition(start + length, QTextCursor::KeepAnchor);
            form1->Source->setTextCursor(cursor);
            QTest::mouseClick(form1->Button2, Qt::LeftButton); QCoreApplication::processEvents();
        }
        TForm2 *form2 = program->Form2.get();
        QVERIFY(form2->isVisible());
        QCOMPARE(form2->Edit1->text(), word);
        QCOMPARE(form2->focusWidget(), form2->Edit2);

        QTest::keyClicks(form2->Edit2, definition);
        QTest::keyClick(form2->Edit2, Qt::Key_Return); QCoreApplication::processEvents();

        const ExerciseDocument &document = form1->Document();
        QCOMPARE(document.words(), QStringList{ExerciseDocument::CleanWord(word)});
        QCOMPARE(document.definitions(), QStringList{stored});
        QVERIFY(!form2->isVisible());
        QVERIFY(form2->Edit1->text().isEmpty());
        QVERIFY(form2->Edit2->text().isEmpty());
        verifyListMatchesDocument();
        QCOMPARE(listSelection(), -1);
    }

    // Text pasted into the add dialog's one-line fields: each line break is one blank.
    void pastedLineBreaks_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("stored");
        QTest::newRow("CR LF") << "un\r\ndeux" << "un deux";
        QTest::newRow("lone CR and LF") << "un\rdeux\ntrois" << "un deux trois";
        QTest::newRow("line and paragraph separators")
            << QString::fromUtf8("un\u2028deux\u2029trois") << "un deux trois";
    }

    void pastedLineBreaks()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, stored);
        form1->Button2Click();
        TForm2 *form2 = program->Form2.get();
        form2->Edit1->setText(QStringLiteral("mot"));
        form2->Edit2->setText(pasted);
        QTest::keyClick(form2->Edit2, Qt::Key_Return); QCoreApplication::processEvents();
        QCOMPARE(form1->Document().definitions(), QStringList{stored});
    }

    void sourceText_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("held");
        QTest::newRow("CR LF kept") << "un\r\ndeux" << "un\r\ndeux";
        QTest::newRow("lone CR and LF made CR LF") << "a\rb\nc" << "a\r\nb\r\nc";
        QTest::newRow("final line break kept") << "fin\r\n" << "fin\r\n";
        QTest::newRow("no-break space kept") << QString::fromUtf8("chat\u00A0: oui") << QString::fromUtf8("chat\u00A0: oui");
        QTest::newRow("empty") << "" << "";
    }

    void sourceText()
    {
        QFETCH(QString, given);
        QFETCH(QString, held);
        form1->SetSourceText(given);
        QCOMPARE(form1->SourceText(), held);
        QCOMPARE(form1->Document().text(), held);
    }

    // A 10 MB text goes in and out of the window in linear time.
    void largeTextIsCheap()
    {
        QString text;
        const QString line = QStringLiteral("Le chat dort sur le banc, au soleil de midi.\r\n");
        while (text.size() < 10'000'000)
            text += line;
        QElapsedTimer timer;
        timer.start();
        form1->SetSourceText(text);
        QCOMPARE(form1->SourceText().size(), text.size());
        QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    }

    void closedAddDialogKeepsDefinition()
    {
        form1->Button2Click();
        TForm2 *form2 = program->Form2.get();
        form2->Edit2->setText(QStringLiteral("typed"));
        form2->close();
        QVERIFY(!form2->isVisible());
        QCOMPARE(form1->Document().entryCount(), 0);
        form1->Source->setPlainText(QStringLiteral("mot"));
        form1->Source->selectAll();
        form1->Button2Click();
        QCOMPARE(form2->Edit1->text(), QStringLiteral("mot"));
        QCOMPARE(form2->Edit2->text(), QStringLiteral("typed"));
    }

    void enterKeys()
    {
        form1->Source->setPlainText(QStringLiteral("un mot"));
        QTextCursor cursor(form1->Source->document());
        cursor.setPosition(3);
        cursor.setPosition(6, QTextCursor::KeepAnchor);
        form1->Source->setTextCursor(cursor);

        // In the word list Enter is the "+" button.
        QTest::keyClick(form1->ListBox1, Qt::Key_Return); QCoreApplication::processEvents();
        QVERIFY(program->Form2->isVisible());
        QCOMPARE(program->Form2->Edit1->text(), QStringLiteral("mot"));
        program->Form2->hide();

        // In the text it starts a new line.
        cursor.setPosition(2);
        form1->Source->setTextCursor(cursor);
        QTest::keyClick(form1->Source, Qt::Key_Return); QCoreApplication::processEvents();
        QCOMPARE(form1->SourceText(), QStringLiteral("un\r\n mot"));
        QVERIFY(!program->Form2->isVisible());
    }

    void listCommands_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("definitions");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("expectedWords");
        QTest::addColumn<QStringList>("expectedDefinitions");
        QTest::addColumn<int>("expectedSelected");

        const QStringList abc{"A", "B", "C"};
        const QStringList defs{"a", "b", "c"};
        // The selection goes with the entry moved.
        QTest::newRow("up") << abc << defs << 1 << "up" << QStringList{"B", "A", "C"}
                            << QStringList{"b", "a", "c"} << 0;
        QTest::newRow("up twice moves it further") << abc << defs << 2 << "up up"
                                                   << QStringList{"C", "A", "B"}
                                                   << QStringList{"c", "a", "b"} << 0;
        QTest::newRow("up at the top") << abc << defs << 0 << "up" << abc << defs << 0;
        QTest::newRow("down") << abc << defs << 0 << "down" << QStringList{"B", "A", "C"}
                              << QStringList{"b", "a", "c"} << 1;
        QTest::newRow("down twice") << abc << defs << 0 << "down down" << QStringList{"B", "C", "A"}
                                    << QStringList{"b", "c", "a"} << 2;
        QTest::newRow("down at the bottom") << abc << defs << 2 << "down" << abc << defs << 2;
        QTest::newRow("remove selected") << abc << defs << 1 << "remove" << QStringList{"A", "C"}
                                         << QStringList{"a", "c"} << -1;
        QTest::newRow("remove without selection") << abc << defs << -1 << "remove"
                                                  << QStringList{"B", "C"} << QStringList{"b", "c"} << -1;
        QTest::newRow("remove on empty list") << QStringList{} << QStringList{} << -1 << "remove"
                                              << QStringList{} << QStringList{} << -1;
        QTest::newRow("sort by word") << QStringList{"chat", "arbre", "banc"} << QStringList{"x", "y", "z"}
                                      << 1 << "solution" << QStringList{"arbre", "banc", "chat"}
                                      << QStringList{"y", "z", "x"} << -1;
        QTest::newRow("sort by definition") << QStringList{"chat", "arbre", "banc"}
                                            << QStringList{"z", "y", "x"} << 0 << "definition"
                                            << QStringList{"banc", "arbre", "chat"}
                                            << QStringList{"x", "y", "z"} << -1;
        QTest::newRow("cancel in the sort menu") << QStringList{"chat", "arbre"} << QStringList{"x", "y"}
                                                 << 1 << "cancel" << QStringList{"chat", "arbre"}
                                                 << QStringList{"x", "y"} << 1;
    }

    void listCommands()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, definitions);
        QFETCH(int, selected);
        QFETCH(QString, command);
        QFETCH(QStringList, expectedWords);
        QFETCH(QStringList, expectedDefinitions);
        QFETCH(int, expectedSelected);

        form1->move(0, 0);
        addEntries(words, definitions);
        if (selected >= 0)
            QTest::mouseClick(form1->ListBox1->viewport(), Qt::LeftButton, Qt::NoModifier,
                              form1->ListBox1->visualItemRect(form1->ListBox1->item(selected)).center());
        QCOMPARE(form1->Document().selected(), selected);

        if (command.startsWith(u"up") || command.startsWith(u"down")) {
            for (const QString &move : command.split(u' ')) {
                QTest::mouseClick(move == u"up" ? form1->Button3 : form1->Button4, Qt::LeftButton);
                QCoreApplication::processEvents();
            }
        } else if (command == u"remove") {
            QTest::mouseClick(form1->Button6, Qt::LeftButton); QCoreApplication::processEvents();
        } else {
            QTest::mouseClick(form1->Button5, Qt::LeftButton); QCoreApplication::processEvents();
            QMenu *menu = form1->PopupMenu1;
            QVERIFY(menu->isVisible());
            QCOMPARE(menu->pos(), form1->frameGeometry().topLeft() + QPoint(300, 140));
            QAction *action = command == u"solution"     ? form1->solution1
                              : command == u"definition" ? form1->definition1
                                                         : form1->cancel1;
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center()); QCoreApplication::processEvents();
            QVERIFY(!menu->isVisible());
        }

        const ExerciseDocument &document = form1->Document();
        QCOMPARE(document.words(), expectedWords);
        QCOMPARE(document.definitions(), expectedDefinitions);
        QCOMPARE(document.selected(), expectedSelected);
        verifyListMatchesDocument();
    }

    void editEntry_data()
    {
        QTest::addColumn<QString>("between"); // what happens while the dialog is open
        QTest::addColumn<QStringList>("expectedWords");
        QTest::addColumn<QStringList>("expectedDefinitions");
        QTest::addColumn<bool>("refused");

        QTest::newRow("replaced in place") << "" << QStringList{"A", "mot", "C"}
                                           << QStringList{"a", "l'autre", "c"} << false;
        QTest::newRow("position removed") << "remove twice" << QStringList{"C"} << QStringList{"c"}
                                          << true;
        QTest::newRow("new document") << "new" << QStringList{} << QStringList{} << true;
        QTest::newRow("entries moved: whatever sits there") << "move" << QStringList{"A", "mot", "B"}
                                                            << QStringList{"a", "l'autre", "b"} << false;
    }

    void editEntry()
    {
        QFETCH(QString, between);
        QFETCH(QStringList, expectedWords);
        QFETCH(QStringList, expectedDefinitions);
        QFETCH(bool, refused);

        addEntries({"A", "B", "C"}, {"a", "b", "c"});
        form1->ListBox1->setCurrentRow(1);
        QTest::mouseClick(form1->Button7, Qt::LeftButton); QCoreApplication::processEvents();
        TForm3 *form3 = program->Form3.get();
        QVERIFY(form3->isVisible());
        QCOMPARE(form3->Edit1->text(), QStringLiteral("B"));
        QCOMPARE(form3->Edit2->text(), QStringLiteral("b"));
        QCOMPARE(form3->Edit3->text(), QStringLiteral("1"));
        QVERIFY(!form3->Edit3->isVisible());

        if (between == u"remove twice") {
            form1->Button6Click();
            form1->Button6Click();
        } else if (between == u"new") {
            form1->New1Click();
        } else if (between == u"move") {
            form1->ListBox1->setCurrentRow(2);
            form1->Button3Click();
        }
        const int selectedBefore = form1->Document().selected();

        form3->Edit1->setText(QStringLiteral("mot."));
        form3->Edit2->setText(QStringLiteral("l\"autre"));
        QTest::keyClick(form3->Edit2, Qt::Key_Return); QCoreApplication::processEvents();

        const ExerciseDocument &document = form1->Document();
        QCOMPARE(document.words(), expectedWords);
        QCOMPARE(document.definitions(), expectedDefinitions);
        QCOMPARE(document.selected(), selectedBefore);
        verifyListMatchesDocument();
        QCOMPARE(fake.errors.size(), refused ? 1 : 0);
        QCOMPARE(form3->isVisible(), refused);
        // A refused edit keeps what the teacher typed (cleaned).
        QCOMPARE(form3->Edit1->text(), refused ? QStringLiteral("mot") : QString());
    }

    // Tab leaves the text for the word list; Ctrl+Tab types a tab.
    void tabKeys()
    {
        QVERIFY(QTest::qWaitForWindowActive(form1));
        form1->Source->setFocus();
        QTest::keyClick(form1->Source, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(form1->SourceText(), QStringLiteral("\t"));
        QVERIFY(form1->Source->hasFocus());
        QTest::keyClick(form1->Source, Qt::Key_Tab);
        QVERIFY(form1->ListBox1->hasFocus());
        QCOMPARE(form1->SourceText(), QStringLiteral("\t"));
        QTest::keyClick(form1->ListBox1, Qt::Key_Backtab);
        QVERIFY(form1->Source->hasFocus());
    }

    // A larger window gives its room to the text and the word list; the buttons stay
    // in their column between them. Back at its size, every control is in its place.
    void controlsFollowTheWindowSize()
    {
        const QSize designed = form1->size();
        const QRect source = form1->Source->geometry();
        const QRect list = form1->ListBox1->geometry();
        QCOMPARE(source, QRect(8, 8, 241, 273));
        QCOMPARE(list, QRect(344, 8, 74, 313));
        form1->resize(designed + QSize(300, 200));
        QCoreApplication::processEvents();
        const QRect grownSource = form1->Source->geometry();
        const QRect grownList = form1->ListBox1->geometry();
        QCOMPARE(grownSource.size(), source.size() + QSize(150, 200));
        QCOMPARE(grownList.size(), list.size() + QSize(150, 200));
        QCOMPARE(grownList.right(), form1->centralWidget()->width() - 8);
        for (QPushButton *button : {form1->Button1, form1->Button8}) {
            QVERIFY(button->x() > grownSource.right());
            QVERIFY(button->geometry().right() < grownList.left());
        }
        QVERIFY(form1->Label2->geometry().top() > grownSource.bottom());
        form1->resize(designed);
        QCoreApplication::processEvents();
        QCOMPARE(form1->Source->geometry(), source);
        QCOMPARE(form1->ListBox1->geometry(), list);
        QCOMPARE(form1->Button1->geometry(), QRect(256, 248, 81, 33));
        QCOMPARE(form1->Label2->pos(), QPoint(138, 309));
    }

    // A row's tooltip shows the whole entry and its definition.
    void rowToolTips()
    {
        addEntries({"pomme de terre", "<b>chat</b>"}, {"potato", "cat & co"});
        QCOMPARE(form1->EntryToolTip(0), QStringLiteral("pomme de terre\npotato"));
        QCOMPARE(form1->EntryToolTip(1), QStringLiteral("<b>chat</b>\ncat & co"));
        QCOMPARE(form1->EntryToolTip(2), QString());
        QCOMPARE(form1->EntryToolTip(-1), QString());
        QVERIFY(QTest::qWaitForWindowExposed(form1));
        QWidget *viewport = form1->ListBox1->viewport();
        const QPoint row = form1->ListBox1->visualItemRect(form1->ListBox1->item(1)).center();
        QHelpEvent help(QEvent::ToolTip, row, viewport->mapToGlobal(row));
        QApplication::sendEvent(viewport, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        // Shown as plain text: the markup of an entry is not obeyed.
        QVERIFY(QToolTip::text().contains(QStringLiteral("&lt;b&gt;chat&lt;/b&gt;")));
        QToolTip::hideText();
    }

    void editWithoutSelectionDoesNothing()
    {
        addEntries({"A"}, {"a"});
        form1->Button7Click();
        QVERIFY(!program->Form3->isVisible());
    }

    void editMenuActsOnTheText_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<QString>("expectedSelection");
        QTest::addColumn<int>("expectedCaret");

        QTest::newRow("select all") << "SelectAll1" << "abc def" << "abc def" << 7;
        QTest::newRow("deselect: caret at the start of the selection") << "SelectNone1" << "abc def" << "" << 2;
        QTest::newRow("copy, then paste before def") << "Copy1+Paste1" << "abc c ddef" << "" << 7;
    }

    // Whatever has the focus, the items act on the text.
    void editMenuActsOnTheText()
    {
        QFETCH(QString, item);
        QFETCH(QString, expectedText);
        QFETCH(QString, expectedSelection);
        QFETCH(int, expectedCaret);

        form1->Source->setPlainText(QStringLiteral("abc def"));
        QTextCursor cursor(form1->Source->document());
        cursor.setPosition(2);
        cursor.setPosition(5, QTextCursor::KeepAnchor); // "c d"
        form1->Source->setTextCursor(cursor);
        form1->ListBox1->setFocus();

        if (item == u"Copy1+Paste1") {
            form1->Copy1->trigger(); QCoreApplication::processEvents();
            QTextCursor caret = form1->Source->textCursor();
            caret.setPosition(4);
            form1->Source->setTextCursor(caret);
            form1->Paste1->trigger(); QCoreApplication::processEvents();
        } else {
            form1->findChild<QAction *>(item)->trigger(); QCoreApplication::processEvents();
        }
        QCOMPARE(form1->SourceText(), expectedText);
        QCOMPARE(form1->Source->textCursor().selectedText(), expectedSelection);
        QCOMPARE(form1->Source->textCursor().position(), expectedCaret);
    }

    void undoIsOneStepAndToggles()
    {
        form1->Source->setFocus();
        QTest::keyClicks(form1->Source, QStringLiteral("abc"));
        form1->ListBox1->setFocus();
        form1->Undo1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(form1->SourceText(), QString());
        form1->Undo1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(form1->SourceText(), QStringLiteral("abc"));
        form1->Undo1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(form1->SourceText(), QString());
    }

    void textFiles()
    {
        addEntries({"un"}, {"one"});
        // The first save proposes the caption.
        fake.saveAnswers << path(QStringLiteral("Lexifind"));
        form1->Save1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.proposedSave.value(0), QStringLiteral("Lexifind"));
        QVERIFY(QFile::exists(path(QStringLiteral("Lexifind.txt"))));
        QCOMPARE(form1->windowTitle(), path(QStringLiteral("Lexifind.txt")));

        const QString lf = path(QStringLiteral("lecon.txt"));
        writeAll(lf, "un\ndeux\n\ntrois");
        fake.openAnswers << lf;
        form1->Open1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(form1->windowTitle(), lf);
        QCOMPARE(form1->SourceText(), QStringLiteral("un\r\ndeux\r\n\r\ntrois"));
        QCOMPARE(form1->Source->textCursor().position(), 0);
        QCOMPARE(form1->Document().entryCount(), 0);
        QCOMPARE(form1->ListBox1->count(), 0);

        // Saved under the proposed name: the file opened.
        fake.saveAnswers << lf;
        form1->Save1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.proposedSave.value(1), lf);
        QCOMPARE(readAll(lf), QByteArray("un\r\ndeux\r\n\r\ntrois"));
        QVERIFY(!QFile::exists(lf + QStringLiteral(".txt")));
        QCOMPARE(form1->windowTitle(), lf);
        QVERIFY(fake.errors.isEmpty());
    }

    void textFileErrors()
    {
        addEntries({"un"}, {"one"});
        form1->Source->setPlainText(QStringLiteral("garde"));
        const QString missing = path(QStringLiteral("absent.txt"));
        fake.openAnswers << missing;
        form1->Open1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.errors, QStringList{QStringLiteral("Impossible d'ouvrir le fichier %1 : il n'existe pas.").arg(missing)});
        QCOMPARE(form1->windowTitle(), QStringLiteral("Lexifind"));
        const QString binary = path(QStringLiteral("programme"));
        writeAll(binary, QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0", 10));
        fake.openAnswers << binary;
        form1->Open1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.errors.value(1), QStringLiteral("Impossible d'ouvrir le fichier %1 : ce n'est pas un texte, mais un fichier binaire.").arg(binary));
        QCOMPARE(form1->SourceText(), QStringLiteral("garde"));
        fake.errors.removeLast();
        QCOMPARE(form1->SourceText(), QStringLiteral("garde"));
        QCOMPARE(form1->Document().entryCount(), 1);

        const QString noFolder = path(QStringLiteral("nulle/part"));
        fake.saveAnswers << noFolder;
        form1->Save1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.errors.value(1),
                 QStringLiteral("Impossible de créer le fichier %1.txt.").arg(noFolder));
        QCOMPARE(form1->windowTitle(), QStringLiteral("Lexifind"));
        // Cancelled dialogs do nothing.
        form1->Open1->trigger(); QCoreApplication::processEvents();
        form1->Save1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.errors.size(), 2);
        QCOMPARE(form1->SourceText(), QStringLiteral("garde"));
    }

    void projectRoundTrip()
    {
        form1->SetSourceText(QStringLiteral("Le chat dort.\r\nIl fait beau."));
        addEntries({"chat", "beau"}, {"cat", "nice"});
        fake.saveAnswers << path(QStringLiteral("lecon"));
        form1->SaveProject1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.saveSuffixes.value(0), QStringLiteral("lxf"));
        QCOMPARE(fake.proposedSave.value(0), QString());
        const QString file = path(QStringLiteral("lecon.lxf"));
        QCOMPARE(readAll(file),
                 QByteArray("2\r\n2\r\nLe chat dort.\r\nIl fait beau.\r\nchat\r\nbeau\r\ncat\r\nnice\r\n"));

        form1->New1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(form1->SourceText(), QString());
        QCOMPARE(form1->ListBox1->count(), 0);

        fake.openAnswers << path(QStringLiteral("lecon"));
        form1->OpenProject1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.openSuffixes.value(0), QStringLiteral("lxf"));
        QCOMPARE(form1->SourceText(), QStringLiteral("Le chat dort.\r\nIl fait beau.\r\n"));
        QCOMPARE(form1->Document().words(), (QStringList{"chat", "beau"}));
        QCOMPARE(form1->Document().definitions(), (QStringList{"cat", "nice"}));
        verifyListMatchesDocument();
        QCOMPARE(form1->windowTitle(), file);

        // Each dialog proposes the name last chosen in it.
        fake.saveAnswers << QString();
        form1->SaveProject1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.proposedSave.value(1), file);
        fake.openAnswers << QString();
        form1->OpenProject1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(fake.proposedOpen.value(1), file);
        QVERIFY(fake.errors.isEmpty());
    }

    // A file that is no lesson leaves the lesson in hand, its options and the caption as
    // they were, and says which file and what is wrong; one cut short opens with a warning.
    void openingKeepsTheLessonInHand_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "-" for no file at all
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("said");     // part of the message
        QTest::newRow("missing") << QByteArray("-") << false << "Impossible d'ouvrir le fichier";
        QTest::newRow("count not a number") << QByteArray("1\nzwei\nune ligne\n") << false << "zwei";
        QTest::newRow("binary") << QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0", 16) << false
                                << "pas un projet";
        QTest::newRow("cut short") << QByteArray("2\r\n2\r\nUne ligne.\r\n") << true << "lignes";
    }

    void openingKeepsTheLessonInHand()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, opens);
        QFETCH(QString, said);
        form1->SetSourceText(QStringLiteral("Mon texte"));
        addEntries({"vieux"}, {"old"});
        program->Form4->Edit1->setText(QStringLiteral("Ma page"));
        const QString lesson = path(QStringLiteral("lecon.lxf"));
        fake.saveAnswers << lesson;
        form1->SaveProject1->trigger(); QCoreApplication::processEvents();
        const QByteArray before = ProjectFile::toBytes(form1->Document(), form1->Settings());

        const QString file = path(QStringLiteral("autre.lxf"));
        if (bytes != "-")
            writeAll(file, bytes);
        fake.openAnswers << file;
        form1->OpenProject1->trigger(); QCoreApplication::processEvents();
        const QString message = (opens ? fake.warnings : fake.errors).join(u'\n');
        QVERIFY2(message.contains(said) && message.contains(file), qPrintable(message));
        QCOMPARE((opens ? fake.errors : fake.warnings), QStringList());
        if (opens) {
            QCOMPARE(form1->SourceText(), QStringLiteral("Une ligne.\r\n\r\n"));
            QCOMPARE(form1->ListBox1->count(), 2);
            QCOMPARE(form1->windowTitle(), file);
            QCOMPARE(form1->Settings(), PageSettings{});
            QCOMPARE(program->Form4->Edit1->text(), QString());
        } else {
            QCOMPARE(ProjectFile::toBytes(form1->Document(), form1->Settings()), before);
            QCOMPARE(form1->windowTitle(), lesson);
            QCOMPARE(program->Form4->Edit1->text(), QStringLiteral("Ma page"));
            QVERIFY(!form1->Recover1->isEnabled()); // nothing was replaced
        }
        verifyListMatchesDocument();
    }

    // The options are the lesson's: saved with it, shown again when it is opened, and
    // put back to their start when a lesson without any is opened.
    void lessonKeepsItsOptions()
    {
        form1->SetSourceText(QStringLiteral("Le chat dort."));
        addEntries({"chat"}, {"cat"});
        TForm4 *form4 = program->Form4.get();
        form4->Edit4->setText(QStringLiteral("Bravo !"));
        form4->ComboBox2->setCurrentIndex(1);
        const PageSettings chosen = form1->Settings();
        fake.saveAnswers << path(QStringLiteral("avec"));
        form1->SaveProject1->trigger(); QCoreApplication::processEvents();
        writeAll(path(QStringLiteral("sans.lxf")), "1\r\n0\r\nSans réglages\r\n");

        fake.openAnswers << path(QStringLiteral("sans.lxf")) << path(QStringLiteral("avec.lxf"));
        form1->OpenProject1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(form1->Settings(), PageSettings{});
        QCOMPARE(form4->Edit4->text(), QStringLiteral("C'est juste !"));
        QCOMPARE(form4->ComboBox2->currentText(), QStringLiteral("classique"));
        form1->OpenProject1->trigger(); QCoreApplication::processEvents();
        QCOMPARE(form1->Settings(), chosen);
        QCOMPARE(form4->Edit4->text(), QStringLiteral("Bravo !"));
        QCOMPARE(form4->ComboBox2->currentText(), QStringLiteral("moderne"));
        QVERIFY(fake.errors.isEmpty() && fake.warnings.isEmpty());
    }

    // Each save writes the name chosen, its extension added only when it lacks it; the
    // text and project dialogs propose the file in hand, the page's its title beside it.
    void savesWhereTheTeacherSaid_data()
    {
        QTest::addColumn<QString>("opened");   // the file in hand, "" for none
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");   // "" takes the proposed name
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("written");
        QTest::newRow("text as opened") << "notes.txt" << "Save1" << "" << "notes.txt" << "notes.txt";
        QTest::newRow("text in capitals") << "NOTES.TXT" << "Save1" << "" << "NOTES.TXT" << "NOTES.TXT";
        QTest::newRow("text of a project") << "lecon.lxf" << "Save1" << "" << "lecon.txt" << "lecon.txt";
        QTest::newRow("project of a text") << "notes.txt" << "SaveProject1" << "" << "notes.lxf" << "notes.lxf";
        QTest::newRow("page named .html") << "lecon.lxf" << "SaveHTML1" << "essai.html"
                                          << "Recherche de vocabulaire" << "essai.html";
        QTest::newRow("page named .HTM") << "" << "Button1" << "essai.HTM" << "Recherche de vocabulaire"
                                         << "essai.HTM";
        QTest::newRow("page without extension") << "" << "Button1" << "essai" << "Recherche de vocabulaire"
                                                << "essai.htm";
        QTest::newRow("package named .zip") << "lecon.lxf" << "ExportScorm1" << "paquet.zip"
                                            << "Recherche de vocabulaire" << "paquet.zip";
    }

    void savesWhereTheTeacherSaid()
    {
        QFETCH(QString, opened);
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(QString, proposed);
        QFETCH(QString, written);
        QStringList files;
        if (opened.isEmpty()) {
            form1->SetSourceText(QStringLiteral("Le chat dort."));
            addEntries({"chat"}, {"cat"});
        } else {
            writeAll(path(opened), opened.endsWith(u".lxf") ? "1\r\n1\r\nLe chat dort.\r\nchat\r\ncat\r\n"
                                                            : "Le chat dort.");
            (opened.endsWith(u".lxf") ? form1->OpenProjectFile(path(opened)) : form1->OpenTextFile(path(opened)));
            files << opened;
        }
        fake.saveAnswers << (answer.isEmpty() ? path(proposed) : path(answer));
        form1->findChild<QObject *>(command)->metaObject()->invokeMethod(
            form1->findChild<QObject *>(command), command.startsWith(u"Button") ? "click" : "trigger");
        Settle(form1);
        QVERIFY2(fake.errors.isEmpty(), qPrintable(fake.errors.join(u'\n')));
        QCOMPARE(fake.proposedSave.value(0), opened.isEmpty() ? proposed : path(proposed));
        files << written;
        files.removeDuplicates();
        files.sort();
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files, QDir::Name), files);
        if (!command.startsWith(u"Save1") && !command.startsWith(u"SaveProject"))
            return;
        QCOMPARE(form1->windowTitle(), path(written));
    }

    // Entries that no learner can find are put to the teacher before anything is
    // written; "Non" goes back to the window, and their rows are marked.
    void unfindableAskedFirst_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("yes");
        QTest::newRow("HTML, no") << "Button1" << false;
        QTest::newRow("Enregistrer HTML, yes") << "SaveHTML1" << true;
        QTest::newRow("SCORM, no") << "ExportScorm1" << false;
        QTest::newRow("SCORM 2004, yes") << "ExportScorm20041" << true;
    }

    void unfindableAskedFirst()
    {
        QFETCH(QString, command);
        QFETCH(bool, yes);
        form1->SetSourceText(QStringLiteral("Le chat dort sur le toit."));
        addEntries({"chat", "chien", "toit"}, {"cat", "dog", "roof"});
        fake.answerYes = yes;
        fake.saveAnswers << path(QStringLiteral("sortie"));
        QObject *sender = form1->findChild<QObject *>(command);
        sender->metaObject()->invokeMethod(sender, command.startsWith(u"Button") ? "click" : "trigger");
        Settle(form1);
        QVERIFY(fake.errors.isEmpty());
        QVERIFY(!fake.questions.isEmpty());
        QVERIFY2(fake.questions.first().contains(QStringLiteral("mot 2 « chien » introuvable : absent du texte"))
                     && fake.questions.first().contains(QStringLiteral("compté sur 3 mots, dont 2")),
                 qPrintable(fake.questions.first()));
        QCOMPARE(fake.proposedSave.size(), yes ? 1 : 0);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files).size(), yes ? 1 : 0);
        QVERIFY(!form1->ListBox1->item(1)->toolTip().isEmpty());
        QVERIFY(form1->ListBox1->item(0)->toolTip().isEmpty());
    }

    // The page of a 10 MB lesson is made on a worker: the windows go on answering (a
    // timer ticks, the options window takes typing), its progress shows, and the box's
    // button cancels the job without a word.
    void longLessonKeepsTheWindowAnswering()
    {
        QString text;
        const QString line = QStringLiteral("Le chat dort sur le banc, au soleil de midi.\r\n");
        while (text.size() < 10'000'000)
            text += line;
        form1->SetSourceText(text + QStringLiteral("La fin du texte."));
        addEntries({"chat", "soleil", "fin"}, {"cat", "sun", "end"});
        form1->PageJob()->SetProgressDelay(0); // however fast this machine is
        int ticksDuring = 0;
        bool typedDuring = false, progressShown = false;
        QTimer ticking;
        connect(&ticking, &QTimer::timeout, [&] {
            if (!form1->PageJobRunning())
                return;
            ++ticksDuring;
            progressShown = progressShown || form1->PageJob()->Progress()->isVisible();
            if (!typedDuring) {
                QTest::keyClicks(program->Form4->Edit1, QStringLiteral("Le banc"));
                typedDuring = form1->Settings().PageTitle == u"Le banc";
            }
        });
        ticking.start(5);
        fake.saveAnswers << path(QStringLiteral("grand"));

        form1->Button1->click();
        Settle(form1);
        QVERIFY(ticksDuring > 1);
        QVERIFY(typedDuring);
        QVERIFY(progressShown);
        QVERIFY2(fake.errors.isEmpty(), qPrintable(fake.errors.join(u'\n')));
        QVERIFY(QFileInfo(path(QStringLiteral("grand.htm"))).size() > 10'000'000);
        QVERIFY(!form1->PageJob()->Progress()->isVisible());

        // Cancelled: nothing asked, nothing written.
        form1->Button1->click();
        QTRY_VERIFY(form1->PageJob()->Progress()->isVisible());
        QVERIFY(form1->PageJobRunning());
        QTest::mouseClick(form1->PageJob()->Progress()->findChild<QPushButton *>(), Qt::LeftButton);
        Settle(form1);
        QCOMPARE(fake.proposedSave.size(), 1);
        QVERIFY(fake.errors.isEmpty());
        QVERIFY(!form1->PageJob()->Progress()->isVisible());
    }

    void pageWritten_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes opens the page") << true;
        QTest::newRow("no opens nothing") << false;
    }

    void pageWritten()
    {
        QFETCH(bool, yes);
        form1->SetSourceText(QStringLiteral("Le chat dort.\r\nIl fait beau."));
        addEntries({"chat", "beau"}, {"cat", "nice"});
        fake.answerYes = yes;
        fake.saveAnswers << path(QStringLiteral("page"));
        QTest::mouseClick(form1->Button1, Qt::LeftButton);
        Settle(form1);

        QVERIFY(fake.errors.isEmpty());
        QCOMPARE(fake.proposedSave, QStringList{QStringLiteral("Recherche de vocabulaire")});
        QCOMPARE(form1->Settings().PageTitle, QStringLiteral("Recherche de vocabulaire"));
        const QString written = path(QStringLiteral("page.htm"));
        QCOMPARE(readAll(written), form1->Output);
        QVERIFY(form1->Output.endsWith("</html>"));
        QCOMPARE(fake.questions, QStringList{QStringLiteral(
                                     "Confirmation|Voulez-vous voir la page dans votre navigateur?")});
        QCOMPARE(fake.opened, yes ? QStringList{written} : QStringList{});
    }

    void firstPageEqualsTheCommandLineTool()
    {
#ifndef LEXIFIND_PAGE_TOOL
        QSKIP("lexifind-page is not built");
#else
        // A project read back ends its text with a line break: so does this one.
        form1->SetSourceText(QStringLiteral("Le chat dort, « et » l'été s'en va.\r\nIl fait beau~ici.\r\n"));
        addEntries({"chat", "été", "beau"}, {"cat", "summer", "nice \"day\""});
        fake.saveAnswers << path(QStringLiteral("lecon")) << path(QStringLiteral("ecran"));
        form1->SaveProject1->trigger(); QCoreApplication::processEvents();
        fake.answerYes = true; // "beau" only in "beau~ici": written all the same
        form1->Button1->click();
        Settle(form1);
        QVERIFY(fake.errors.isEmpty());
        QCOMPARE(fake.questions.size(), 2);

        QProcess tool;
        tool.start(QStringLiteral(LEXIFIND_PAGE_TOOL),
                   {path(QStringLiteral("lecon.lxf")), path(QStringLiteral("outil"))});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        const QByteArray fromTool = readAll(path(QStringLiteral("outil.htm")));
        QVERIFY(!fromTool.isEmpty());
        QCOMPARE(readAll(path(QStringLiteral("ecran.htm"))), fromTool);
        // Every option got its default.
        PageSettings defaults;
        defaults.FillDefaults();
        QCOMPARE(form1->Settings(), defaults);
#endif
    }

    void changedOptionReachesThePage()
    {
        form1->SetSourceText(QStringLiteral("Le chat dort."));
        addEntries({"chat"}, {"cat"});
        TForm4 *form4 = program->Form4.get();
        form1->Button8->click(); QCoreApplication::processEvents();
        QVERIFY(form4->isVisible());
        form4->Edit4->clear();
        QTest::keyClicks(form4->Edit4, QStringLiteral("Bravo !"));
        fake.saveAnswers << path(QStringLiteral("bravo"));
        form1->Button1->click();
        Settle(form1);
        QVERIFY(readAll(path(QStringLiteral("bravo.htm"))).contains("Bravo !"));
    }

    void pageSaveCancelledAsksNothing()
    {
        form1->SetSourceText(QStringLiteral("Le chat dort."));
        addEntries({"chat"}, {"cat"});
        form1->SaveHTML1->trigger();
        Settle(form1);
        QCOMPARE(fake.proposedSave.size(), 1);
        QVERIFY(fake.questions.isEmpty());
        QVERIFY(fake.opened.isEmpty());
        QVERIFY(!form1->Output.isEmpty());
    }

    void pageErrorsReachTheErrorBox_data()
    {
        QTest::addColumn<bool>("withEntries");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("empty word list: no dialog") << false << "page" << 0;
        QTest::newRow("file cannot be created: no question") << true << "nulle/part/page" << 1;
    }

    void pageErrorsReachTheErrorBox()
    {
        QFETCH(bool, withEntries);
        QFETCH(QString, answer);
        QFETCH(int, dialogs);
        form1->SetSourceText(QStringLiteral("Le chat et le beau temps."));
        if (withEntries)
            addEntries({"chat"}, {"cat"});
        fake.saveAnswers << path(answer);
        QTest::mouseClick(form1->Button1, Qt::LeftButton);
        Settle(form1);
        QCOMPARE(fake.errors.size(), 1);
        QVERIFY(fake.errors.first().endsWith(u'.'));
        QCOMPARE(fake.proposedSave.size(), dialogs);
        QVERIFY(fake.questions.isEmpty());

        // The program goes on: the next command works.
        form1->AddEntry(QStringLiteral("beau"), QStringLiteral("nice"));
        fake.saveAnswers = QStringList{path(QStringLiteral("ensuite"))};
        QTest::mouseClick(form1->Button1, Qt::LeftButton);
        Settle(form1);
        QCOMPARE(fake.errors.size(), 1);
        QVERIFY(QFile::exists(path(QStringLiteral("ensuite.htm"))));
    }
};

int main(int argc, char *argv[])
{
    LexifindApplication application(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
