// Word lists in and out of the window, and definitions proposed from a dictionary.

#include "FakeDesktop.h"
#include "Pictures.h"

#include "document/Dictionary.h"
#include "ui/main/ImportListDialog.h"
#include "ui/main/ListCommands.h"
#include "ui/main/Unit1.h"
#include "ui/main/Unit2.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace lexifind;

class TestListCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Program> program;
    FakeDesktop fake;
    QTemporaryDir dir;
    QStringList informed;
    TForm1 *form1 = nullptr;
    // The import dialog's answer, and what it showed.
    int separatorChoice = 0;
    bool acceptImport = true;
    QStringList separators, preview;

    void setEntries(const QStringList &words, const QStringList &definitions)
    {
        for (qsizetype i = 0; i < words.size(); ++i)
            form1->AddEntry(words[i], definitions.value(i));
    }
    void trigger(QAction *action)
    {
        action->trigger();
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        // A small dictionary of the test's own; the real ones are for the figures below.
        QProcess dictfmt;
        dictfmt.setWorkingDirectory(dir.path());
        dictfmt.start(QStringLiteral("dictfmt"), {"-j", "--utf8", "-s", "Test", "small"});
        dictfmt.write(":chat:\n1. cat\n2. tomcat\n:eau:\nwater\n");
        dictfmt.closeWriteChannel();
        QVERIFY2(dictfmt.waitForFinished() && dictfmt.exitCode() == 0, "Debian's dictfmt is needed");
        ListCommands::inform = [this](QWidget *, const QString &text) { informed << text; };
        ListCommands::confirmImport = [this](ImportListDialog &dialog) {
            dialog.show();
            dialog.ComboBox1->setCurrentIndex(separatorChoice);
            separators.clear();
            for (int i = 0; i < dialog.ComboBox1->count(); ++i)
                separators << dialog.ComboBox1->itemText(i);
            preview.clear();
            for (int row = 0; row < dialog.StringGrid1->rowCount(); ++row)
                preview << dialog.StringGrid1->item(row, 0)->text() + u'|' + dialog.StringGrid1->item(row, 1)->text();
            SavePicture(&dialog, QStringLiteral("import-list-dialog"));
            return acceptImport;
        };
    }

    void init()
    {
        informed.clear();
        separatorChoice = 0;
        acceptImport = true;
        program = StartProgram(fake);
        form1 = program->Form1.get();
        program->Settings.Dictionary = dir.filePath(QStringLiteral("small.index"));
    }

    void cleanup()
    {
        form1 = nullptr;
        program.reset();
        resetDesktop();
    }

    void importAddsReportsMarksAndExports()
    {
        form1->SetSourceText(QStringLiteral("Le chat dort sur le tapis."));
        setEntries({"chat"}, {"cat"});
        const QString list = dir.filePath(QStringLiteral("liste.csv"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("chat;cat\ntapis;\"rug; mat\"\nlicorne;unicorn\n");
        file.close();
        fake.openAnswers << list;
        trigger(form1->Lists().ImportList1);
        QCOMPARE(form1->Document().words(), (QStringList{"chat", "tapis", "licorne"}));
        QCOMPARE(form1->Document().definitions(), (QStringList{"cat", "rug; mat", "unicorn"}));
        QCOMPARE(informed.size(), 1);
        QVERIFY2(informed[0].contains(u"2 entrées ajoutées (séparateur : point-virgule) ; 1 ligne ignorée"),
                 qPrintable(informed[0]));
        // The word the learner cannot find is marked as any other.
        QTRY_VERIFY(form1->ListBox1->item(2)->data(Qt::ForegroundRole).isValid());
        QVERIFY(!form1->ListBox1->item(1)->data(Qt::ForegroundRole).isValid());
        QVERIFY(!SavePicture(form1, QStringLiteral("list-imported")).isEmpty());

        fake.saveAnswers << dir.filePath(QStringLiteral("sortie"));
        trigger(form1->Lists().ExportList1);
        QFile exported(dir.filePath(QStringLiteral("sortie.txt")));
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll(), QByteArray("chat\tcat\r\ntapis\trug; mat\r\nlicorne\tunicorn\r\n"));

        // One step, taken back by "Défaire", and put back by it.
        trigger(form1->Undo1);
        QCOMPARE(form1->Document().words(), QStringList{"chat"});
        trigger(form1->Undo1);
        QCOMPARE(form1->Document().entryCount(), 3);
    }

    // Commas between word and definition, semicolons inside definitions: detection
    // takes the semicolon, the teacher chooses the comma.
    void importAsChosen_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<QStringList>("definitions");
        QStringList read;
        for (int i = 0; i < 10; ++i)
            read << QStringLiteral("sens %1; autre").arg(i);
        QTest::newRow("found") << 0 << true << "mot0,sens 0|autre" << QStringList(10, "autre");
        QTest::newRow("comma chosen") << 3 << true << "mot0|sens 0; autre" << read;
        QTest::newRow("Annuler") << 3 << false << "mot0|sens 0; autre" << QStringList();
    }

    void importAsChosen()
    {
        QFETCH(int, choice);
        QFETCH(bool, accept);
        QFETCH(QString, firstRow);
        QFETCH(QStringList, definitions);
        QByteArray bytes;
        for (int i = 0; i < 10; ++i)
            bytes += "mot" + QByteArray::number(i) + ",sens " + QByteArray::number(i) + "; autre\n";
        const QString list = dir.filePath(QStringLiteral("virgules.csv"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        separatorChoice = choice;
        acceptImport = accept;
        fake.openAnswers << list;
        trigger(form1->Lists().ImportList1);
        QCOMPARE(separators.value(0), QStringLiteral("automatique (point-virgule)"));
        QCOMPARE(preview.size(), ImportListDialog::PreviewRows);
        QCOMPARE(preview.first(), firstRow);
        QCOMPARE(form1->Document().definitions(), definitions);
        QCOMPARE(informed.size(), accept ? 1 : 0);
    }

    void proposeFillsTheField_data()
    {
        QTest::addColumn<QString>("dictionary");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("definition");
        QTest::addColumn<int>("senses"); // offered in the menu
        QTest::addColumn<QString>("note");
        QTest::newRow("two senses") << "small.index" << "Chats" << "cat" << 2 << "small : « chat », 2 sens";
        QTest::newRow("absent") << "small.index" << "licorne" << "typed" << 0 << "« licorne » n'est pas dans small.";
        QTest::newRow("none chosen") << "" << "chat" << "typed" << 0 << "Choisissez un dictionnaire";
    }

    void proposeFillsTheField()
    {
        QFETCH(QString, dictionary);
        QFETCH(QString, word);
        QFETCH(QString, definition);
        QFETCH(int, senses);
        QFETCH(QString, note);
        program->Settings.Dictionary = dictionary.isEmpty() ? QString() : dir.filePath(dictionary);
        TForm2 *form2 = program->Form2.get();
        form2->show();
        form2->Edit1->setText(word);
        form2->Edit2->setText(QStringLiteral("typed"));
        QTest::mouseClick(form2->Propose1, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(form2->Edit2->text(), definition);
        if (!Dictionary::installed().empty() || dictionary.size())
            QVERIFY2(form2->ProposeNote->toolTip().startsWith(note), qPrintable(form2->ProposeNote->toolTip()));
        QMenu *menu = form1->Lists().SensesMenu;
        QCOMPARE(menu->actions().size(), senses);
        if (senses) {
            QVERIFY(!SavePicture(form2, QStringLiteral("add-dialog-proposed")).isEmpty());
            menu->actions().at(1)->trigger();
            QCOMPARE(form2->Edit2->text(), QStringLiteral("tomcat"));
            menu->hide();
        }
    }

    void missingDefinitionsFilledAndTakenBack_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("the question keeps them") << true;
        QTest::newRow("the question takes them back") << false;
    }

    void missingDefinitionsFilledAndTakenBack()
    {
        QFETCH(bool, keep);
        setEntries({"chat", "eau", "licorne", "maison"}, {"", "", "", "home"});
        const QStringList before = form1->Document().definitions();
        const QStringList filled{"cat", "water", "", "home"};
        fake.answerYes = keep;
        trigger(form1->Lists().FillDefinitions1);
        QCOMPARE(fake.questions.size(), 1);
        QVERIFY2(fake.questions[0].contains(u"2 définitions proposées par small.\nAbsent du dictionnaire : « licorne »."),
                 qPrintable(fake.questions[0]));
        QCOMPARE(form1->Document().definitions(), keep ? filled : before);
        trigger(form1->Undo1);
        QCOMPARE(form1->Document().definitions(), keep ? before : filled);
    }

    // The figures of a teacher's lesson: a spreadsheet's list of 200 entries in one
    // step, 40 definitions from the FreeDict dictionary Debian installs.
    void lessonFigures()
    {
        QByteArray sheet("Mot;D\xe9" "finition\r\n");
        for (int i = 0; i < 200; ++i)
            sheet += "mot" + QByteArray::number(i) + ";\"d\xe9" "finition " + QByteArray::number(i) + "; sens\"\r\n";
        const QString list = dir.filePath(QStringLiteral("tableur.csv"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(sheet); // windows-1252, as a French spreadsheet writes it
        file.close();
        QElapsedTimer timer;
        timer.start();
        form1->Lists().ImportListFile(list);
        qInfo("import: %d entries added from a spreadsheet's export in one step, %lld ms",
              form1->Document().entryCount(), timer.elapsed());
        QCOMPARE(form1->Document().entryCount(), 200);
        QCOMPARE(form1->Document().definitions().at(199), QStringLiteral("définition 199; sens"));

        if (Dictionary::installed().empty())
            QSKIP("no dictionary under /usr/share/dictd (tools/setup.sh installs dict-freedict-fra-eng)");
        program->Settings.Dictionary = QStringLiteral("freedict-fra-eng");
        form1->New1Click();
        const QStringList words{
            "maison", "chat", "chien", "eau", "pain", "livre", "école", "arbre", "soleil", "lune",
            "voiture", "table", "porte", "fenêtre", "jardin", "fleur", "pomme", "lait", "fromage", "ville",
            "rue", "mer", "montagne", "rivière", "oiseau", "cheval", "enfant", "femme", "homme", "ami",
            "travail", "temps", "jour", "nuit", "main", "tête", "cœur", "mots", "chevaux", "mangeait"};
        for (const QString &word : words)
            form1->AddEntry(word, QString());
        fake.answerYes = true;
        timer.restart();
        form1->Lists().FillDefinitionsClick();
        const qint64 ms = timer.elapsed();
        const QStringList definitions = form1->Document().definitions();
        const auto filled = std::count_if(definitions.begin(), definitions.end(),
                                          [](const QString &d) { return !d.isEmpty(); });
        qInfo("dictionary: %d of %d definitions filled from freedict-fra-eng in one step, %lld ms",
              int(filled), int(words.size()), ms);
        QVERIFY(filled >= 38);
        QCOMPARE(definitions.at(0), QStringLiteral("house"));
    }
};

QTEST_MAIN(TestListCommands)
#include "tst_listcommands.moc"
