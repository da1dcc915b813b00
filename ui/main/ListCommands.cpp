#include "ui/main/ListCommands.h"

#include "document/Dictionary.h"
#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/WordList.h"
#include "ui/main/Command.h"
#include "ui/main/Desktop.h"
#include "ui/main/ImportListDialog.h"
#include "ui/main/Unit1.h"
#include "ui/main/WordDialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

namespace lexifind {
namespace {

// The words left out of a summary are counted past this many.
constexpr int kNamedWords = 10;

QString wordsNamed(const QStringList &words)
{
    QStringList named = words.mid(0, kNamedWords);
    for (QString &word : named)
        word = QStringLiteral("« %1 »").arg(word);
    QString text = named.join(QStringLiteral(", "));
    if (words.size() > kNamedWords)
        text += QStringLiteral(" et %1 de plus").arg(words.size() - kNamedWords);
    return text;
}

void setNote(WordDialog &dialog, const QString &text)
{
    QLabel *note = dialog.ProposeNote;
    note->setToolTip(text);
    note->setText(note->fontMetrics().elidedText(text, Qt::ElideRight, note->width()));
}

} // namespace

std::function<void(QWidget *, const QString &)> ListCommands::inform =
    [](QWidget *parent, const QString &text) {
        QMessageBox::information(parent, QStringLiteral("Lexifind"), text);
    };

std::function<bool(ImportListDialog &)> ListCommands::confirmImport = [](ImportListDialog &dialog) {
    return dialog.exec() == QDialog::Accepted;
};

ListCommands::ListCommands(TForm1 &form1) : QObject(&form1), FForm1(form1)
{
    const auto item = [&form1](QMenu *menu, QAction *&field, const char *name, const QString &caption) {
        field = menu->addAction(caption);
        field->setObjectName(QString::fromLatin1(name));
        form1.addAction(field);
    };
    item(form1.File1, ImportList1, "ImportList1", QStringLiteral("Importer une liste…"));
    item(form1.File1, ExportList1, "ExportList1", QStringLiteral("Exporter la liste…"));
    item(form1.Edit1, FillDefinitions1, "FillDefinitions1",
         QStringLiteral("Proposer les définitions manquantes"));
    // From an event of their own, as every command of the window; a failure reaches the
    // error box, never the event loop.
    const auto command = [this](QAction *action, void (ListCommands::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); },
                Qt::QueuedConnection);
    };
    command(ImportList1, &ListCommands::ImportListClick);
    command(ExportList1, &ListCommands::ExportListClick);
    command(FillDefinitions1, &ListCommands::FillDefinitionsClick);
    SensesMenu = new QMenu(&form1);
    SensesMenu->setObjectName(QStringLiteral("SensesMenu"));
}

ListCommands::~ListCommands() = default;

void ListCommands::ImportListClick()
{
    const QString path = desktop().openFileName(&FForm1, m_importName, QString());
    if (path.isEmpty())
        return;
    m_importName = path;
    ImportListFile(path);
}

void ListCommands::ImportListFile(const QString &path)
{
    ImportListDialog dialog(wordlist::read(path), &FForm1);
    if (!confirmImport(dialog))
        return;
    const ExerciseDocument &document = FForm1.Document();
    const wordlist::Import import = wordlist::prepare(dialog.Rows(), document.words());
    if (!import.words.isEmpty())
        FForm1.ReplaceEntries(document.words() + import.words,
                              document.definitions() + import.definitions);
    inform(&FForm1, wordlist::summary(import));
}

void ListCommands::ExportListClick()
{
    const QString proposed = m_exportName.isEmpty() ? QStringLiteral("liste") : m_exportName;
    const QString chosen = desktop().saveFileName(&FForm1, proposed, QStringLiteral("txt"));
    if (chosen.isEmpty())
        return;
    m_exportName = WithDefaultSuffix(chosen, QStringLiteral("txt"));
    const ExerciseDocument &document = FForm1.Document();
    wordlist::save(m_exportName, document.words(), document.definitions());
}

Dictionary &ListCommands::ChosenDictionary()
{
    const QString option = FForm1.Settings().Dictionary.trimmed();
    if (m_dictionary && option == m_dictionaryOption)
        return *m_dictionary;
    m_dictionary.reset();
    if (option.isEmpty()) {
        if (Dictionary::installed().empty())
            throw Error(Dictionary::installAdvice());
        throw Error(QStringLiteral("Choisissez un dictionnaire dans « styles », à la ligne "
                                   "« Dictionnaire : »"));
    }
    m_dictionary = std::make_unique<Dictionary>(Dictionary::locate(option));
    m_dictionaryOption = option;
    return *m_dictionary;
}

void ListCommands::FillDefinitionsClick()
{
    const ExerciseDocument &document = FForm1.Document();
    QStringList definitions = document.definitions();
    const QStringList words = document.words();
    Dictionary *dictionary = nullptr;
    try {
        dictionary = &ChosenDictionary();
    } catch (const Error &e) {
        inform(&FForm1, e.message());
        return;
    }
    int filled = 0;
    QStringList absent;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (!definitions[i].trimmed().isEmpty())
            continue;
        const DictionaryLookup found = dictionary->lookup(words[i]);
        if (found.senses.isEmpty()) {
            absent << words[i];
        } else {
            definitions[i] = ExerciseDocument::CleanDefinition(found.senses.front());
            ++filled;
        }
    }
    const QString name = dictionary->files().name;
    QString text = filled == 0 && absent.isEmpty()
                       ? QStringLiteral("Aucune définition ne manque.")
                       : QStringLiteral("%1 définition%2 proposée%2 par %3.")
                             .arg(filled).arg(filled <= 1 ? "" : "s", name);
    if (!absent.isEmpty())
        text += QStringLiteral("\nAbsent%1 du dictionnaire : %2.")
                    .arg(absent.size() == 1 ? "" : "s", wordsNamed(absent));
    if (filled == 0) {
        inform(&FForm1, text);
        return;
    }
    FForm1.ReplaceEntries(words, definitions);
    if (!desktop().askYesNo(&FForm1, QStringLiteral("Confirmation"),
                            text + QStringLiteral("\nGarder les définitions proposées?")))
        FForm1.Undo1Click();
}

void ListCommands::Propose(WordDialog &dialog)
{
    const QString word = ExerciseDocument::CleanWord(dialog.Edit1->text().trimmed());
    if (word.isEmpty()) {
        setNote(dialog, QStringLiteral("Pas de mot à chercher."));
        return;
    }
    DictionaryLookup found;
    try {
        found = ChosenDictionary().lookup(word);
    } catch (const Error &e) {
        // Said in the dialog, which stays as the teacher left it.
        setNote(dialog, e.message());
        return;
    }
    const QString name = m_dictionary->files().name;
    if (found.senses.isEmpty()) {
        setNote(dialog, QStringLiteral("« %1 » n'est pas dans %2.").arg(word, name));
        return;
    }
    dialog.Edit2->setText(ExerciseDocument::CleanDefinition(found.senses.front()));
    setNote(dialog, found.senses.size() == 1
                        ? QStringLiteral("%1 : « %2 »").arg(name, found.headword)
                        : QStringLiteral("%1 : « %2 », %3 sens").arg(name, found.headword)
                              .arg(found.senses.size()));
    SensesMenu->clear();
    if (found.senses.size() < 2)
        return;
    for (const QString &sense : std::as_const(found.senses)) {
        QAction *action = SensesMenu->addAction(sense);
        QLineEdit *field = dialog.Edit2;
        connect(action, &QAction::triggered, field, [field, sense] {
            field->setText(ExerciseDocument::CleanDefinition(sense));
        });
    }
    SensesMenu->popup(dialog.Propose1->mapToGlobal(QPoint(0, dialog.Propose1->height())));
}

} // namespace lexifind
