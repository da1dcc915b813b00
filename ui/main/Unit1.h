#pragma once

#include "document/ExerciseDocument.h"
#include "page/PageJob.h"
#include "page/PageSettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QMainWindow>
#include <QPlainTextEdit>

#include <memory>
#include <optional>
#include <vector>

class QAction;
class QTimer;
class QThreadPool;
class QCloseEvent;
class QShowEvent;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;
class TForm2;
class TForm3;
class TAboutBox;

namespace lexifind {

class ListCommands;
class PageJobRunner;
class RecoveryCopy;
struct UnfindableEntry;

// The exercise text area: a double click first selects the word under the pointer
// (the control's own behaviour), then reports it; the keys of the main window's
// "&Editer" menu reach that menu even while the text has the focus.
class SourceEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;
    void setMenuKeys(QList<QKeySequence> keys) { m_menuKeys = std::move(keys); }

signals:
    void wordDoubleClicked();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QList<QKeySequence> m_menuKeys;
};

// The selected text as the add command takes it: every character of code 0x20 or
// lower and every line break removed at both ends, the line breaks inside made blanks.
QString TrimSelection(const QString &selectedText);
// A path whose file name has no extension gets "." + suffix.
QString WithDefaultSuffix(const QString &path, const QString &suffix);

} // namespace lexifind

// The main window: the exercise text, the word list, and every command of the program.
// The document is the storage of the word list and the definitions; the text lives in
// Source and is handed to the document when a command needs it.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(lexifind::PageSettings &settings, QWidget *parent = nullptr);
    ~TForm1() override;

    // The windows this one opens, created after it.
    void SetWindows(TForm2 *form2, TForm3 *form3, QWidget *form4, TAboutBox *aboutBox);

    lexifind::SourceEdit *Source = nullptr;
    QListWidget *ListBox1 = nullptr;
    QPushButton *Button1 = nullptr;
    QMenu *File1 = nullptr;
    QAction *Open1 = nullptr;
    QAction *Save1 = nullptr;
    QMenu *Edit1 = nullptr;
    QAction *SelectAll1 = nullptr;
    QAction *Copy1 = nullptr;
    QAction *Paste1 = nullptr;
    QAction *SelectNone1 = nullptr;
    QAction *Undo1 = nullptr;
    QAction *New1 = nullptr;
    QByteArray Output; // the last page built
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button5 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *solution1 = nullptr;
    QAction *definition1 = nullptr;
    QAction *cancel1 = nullptr;
    QPushButton *Button6 = nullptr;
    QPushButton *Button7 = nullptr;
    QAction *HTML1 = nullptr;
    QAction *SaveHTML1 = nullptr;
    QMenu *Help1 = nullptr;
    QAction *About1 = nullptr;
    QPushButton *Button8 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QAction *OpenProject1 = nullptr;
    QAction *SaveProject1 = nullptr;
    QAction *Aide1 = nullptr;
    QAction *Recover1 = nullptr;
    QAction *ExportScorm1 = nullptr;
    QAction *ExportScorm20041 = nullptr;

    // "&HTML", "Enregistrer HTML": the page.
    void Button1Click();
    void Open1Click();
    void Save1Click();
    void SelectAll1Click();
    void Copy1Click();
    void Paste1Click();
    void SelectNone1Click();
    void Undo1Click();
    void New1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void GetSort(int column);
    void Button5Click();
    void solution1Click();
    void definition1Click();
    void Button6Click();
    void Button7Click();
    void HTML1Click();
    void About1Click();
    void OpenProject1Click();
    void SaveProject1Click();
    void Aide1Click();
    // The newest kept recovery copy brought back, the work it replaces kept first.
    void Recover1Click();
    // At start: offers the newest kept copy when it is newer than the last work saved;
    // yes brings it back, no deletes it with every older copy left behind.
    void OfferRecovery();
    // The recovery copy of the work now, at once (it is otherwise written a few
    // seconds after the last change).
    void WriteRecoveryCopy();
    lexifind::RecoveryCopy &Recovery() { return *m_recovery; }
    QTimer *RecoveryTimer = nullptr;
    // The exercise as a SCORM package for a learning platform: 1.2, or 2004.
    void ExportScorm1Click();
    void ExportScorm20041Click();

    // The commands once their file is chosen: the file dialogs, and a path given on
    // the command line. A file that cannot be read leaves the lesson in hand as it was.
    void OpenTextFile(const QString &path);
    void OpenProjectFile(const QString &path);
    // The file the lesson was last opened from or saved to, which the caption names;
    // empty for none.
    const QString &FileInHand() const { return m_fileInHand; }

    // The page, a package or the marks are being made on a worker.
    bool PageJobRunning() const;
    lexifind::PageJobRunner *PageJob() const { return m_pageJob; }

    // The options window changed an option: the lesson changed.
    void SettingsChanged(const QString &name);

    // For the word dialogs: change the document and the word list together.
    void AddEntry(const QString &word, const QString &definition);
    // False, and nothing changed, when position names no entry.
    bool ReplaceEntry(int position, const QString &word, const QString &definition);

    // Every entry replaced in one step (an imported list, the proposed definitions):
    // "&Défaire" takes it back, and again puts it back, until the list or the text
    // changes otherwise.
    void ReplaceEntries(const QStringList &words, const QStringList &definitions);
    // Import, export, definitions from a dictionary.
    lexifind::ListCommands &Lists() { return *m_lists; }

    // The document with the text of Source handed over (CR LF line breaks).
    const lexifind::ExerciseDocument &Document();
    lexifind::PageSettings &Settings() { return m_settings; }

    // Works out, off the GUI thread, which entries the learner could never find on the
    // page; when the answer comes, their rows are marked (a colour and the reason as
    // tooltip) and the others cleared, unless the text, the list or the text's language
    // changed meanwhile. Runs after a pause in those changes.
    void MarkUnfindableEntries();
    // The text, the list or the text's language changed: the marks are due again.
    void FindabilityChanged();
    // The tooltip of a word-list row: the whole entry and its definition; empty for
    // no entry.
    QString EntryToolTip(int row) const;

    // The text of Source with CR LF line breaks, and its replacement.
    QString SourceText() const;
    void SetSourceText(const QString &text);

    // The window's place and outer size (frame included).
    static constexpr int OuterLeft = 359;
    static constexpr int OuterTop = 143;
    static constexpr int OuterWidth = 433;
    static constexpr int OuterHeight = 382;

signals:
    // The main window was closed: the program ends.
    void closed();
    // The options were replaced as a whole (a lesson opened): their window shows them.
    void settingsReplaced();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateMenus();
    void ConnectHandlers();
    void SetTabOrder();
    // The controls' places and sizes for the size of the client area.
    void LayOutControls();
    void ShowWindow(QWidget *window);
    // Word list from the document: all of it, or the rows first..last.
    void RefillList();
    void RefreshRows(int first, int last);
    void ShowSelection();
    // The selected entry one row up or down, the list following.
    void MoveSelected(bool up);
    void ListSelectionChanged();
    // The page or a package: made on a worker, then, its unfindable entries accepted, saved
    // under the name chosen.
    void MakeProduct(lexifind::PageProduct product);
    void ProductReady(const lexifind::PageJobResult &result);
    // The lesson now in hand: the caption names it.
    void SetFileInHand(const QString &path);
    // What a save dialog proposes: the file in hand with extension, else fallback.
    QString ProposedName(const QString &extension, const QString &fallback) const;
    // Connects a command run from its own event, its failure shown (RunCommand).
    template <typename Sender, typename Signal>
    void Command(Sender *sender, Signal signal, void (TForm1::*handler)());

    // The document changed: its recovery copy is due a few seconds after the last change.
    void DocumentChanged();
    // Before a command replaces the work: the work kept as a recovery copy.
    void KeepUnsavedWork();
    // The document is now what a file holds: no copy is needed for it as it stands.
    void RememberSaved();
    void LoadRecoveryCopy(const QString &path);
    // The document's project bytes with the options, as saved.
    QByteArray ProjectBytes();
    void UpdateRecoverItem();
    // Declined at start: the newest kept copy goes, with every older one.
    void DiscardKeptCopies();
    // When work was last saved, by this program or another; null for never.
    QString SavedMarkPath() const;
    void NoteSaved();
    QDateTime LastSaved() const;
    // The recovery copy written by a worker from a snapshot of the document.
    void WriteRecoveryCopyLater();
    void ApplyUnfindableMarks(quint64 generation,
                              const std::vector<lexifind::UnfindableEntry> &unfindable);

    lexifind::PageSettings &m_settings;
    lexifind::ExerciseDocument m_document;
    lexifind::ListCommands *m_lists = nullptr;
    struct Entries
    {
        QStringList words;
        QStringList definitions;
    };
    // The entries before the last ReplaceEntries, while "&Défaire" can bring them back.
    std::optional<Entries> m_entriesUndo;
    void SetEntries(const QStringList &words, const QStringList &definitions);
    TForm2 *m_form2 = nullptr;
    TForm3 *m_form3 = nullptr;
    QWidget *m_form4 = nullptr;
    TAboutBox *m_aboutBox = nullptr;
    QString m_fileInHand;
    QString m_openTextName;
    QString m_openProjectName;
    QString m_saveProjectName;
    bool m_lastWasUndo = false;
    bool m_fillingList = false;
    std::unique_ptr<lexifind::RecoveryCopy> m_recovery;
    QByteArray m_savedDigest; // of the project bytes of the document last opened or saved
    std::unique_ptr<QThreadPool> m_recoveryPool; // one worker, for WriteRecoveryCopyLater
    QTimer *m_findabilityTimer = nullptr;
    // The page and the packages; the word list's marks, on a runner of their own.
    lexifind::PageJobRunner *m_pageJob = nullptr;
    lexifind::PageJobRunner *m_marksJob = nullptr;
    lexifind::PageProduct m_product = lexifind::PageProduct::Page;
    // Counts the changes; an answer worked out before the last one is stale.
    quint64 m_findabilityGeneration = 0;
    quint64 m_marksGeneration = 0; // of the marks job running
    bool m_marksDue = false;       // a newer snapshot waits for the running one
    quint64 m_pageGeneration = 0;  // of the page job running
    int m_pageEntries = 0;         // in its snapshot
};
