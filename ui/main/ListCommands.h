#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QWidget;
class TForm1;

namespace lexifind {

class Dictionary;
class ImportListDialog;
class WordDialog;

// The main window's commands on the whole word list: import and export of a list, and
// definitions proposed from the dictd dictionary chosen in the page options. The
// dictionary is opened at its first use, never at start.
class ListCommands : public QObject
{
    Q_OBJECT
public:
    explicit ListCommands(TForm1 &form1);
    ~ListCommands() override;

    QAction *ImportList1 = nullptr;
    QAction *ExportList1 = nullptr;
    QAction *FillDefinitions1 = nullptr;
    // The senses of the last word proposed, offered under the dialog's "Proposer".
    QMenu *SensesMenu = nullptr;

    // "Importer une liste…": the separator confirmed or chosen in ImportListDialog, the
    // list's entries added in one step, then a summary.
    void ImportListClick();
    void ImportListFile(const QString &path);
    // "Exporter la liste…": tab-separated, comma-separated for a ".csv" name.
    void ExportListClick();
    // "Proposer les définitions manquantes": every empty definition filled in one step,
    // which the question that follows, or "&Défaire", takes back.
    void FillDefinitionsClick();
    // "Proposer" of the add and edit dialogs: the first sense of the dialog's word in its
    // definition field, the other senses offered in SensesMenu.
    void Propose(WordDialog &dialog);

    // The summaries: an information box (tests replace it).
    static std::function<void(QWidget *parent, const QString &text)> inform;
    // The import's dialog, run modally: true for OK (tests choose and answer).
    static std::function<bool(ImportListDialog &dialog)> confirmImport;

private:
    // The dictionary of the page options, opened once for as long as the option names
    // it. Throws lexifind::Error in French (none chosen, none installed, unreadable).
    Dictionary &ChosenDictionary();

    TForm1 &FForm1;
    QString m_importName;
    QString m_exportName;
    QString m_dictionaryOption;
    std::unique_ptr<Dictionary> m_dictionary;
};

} // namespace lexifind
