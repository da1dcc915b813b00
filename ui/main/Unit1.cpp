#include "ui/main/Unit1.h"

#include "document/LexifindError.h"
#include "document/ProjectFile.h"
#include "document/RecoveryCopy.h"
#include "document/SaveFile.h"
#include "document/TextFile.h"
#include "page/Findability.h"
#include "page/PageJob.h"
#include "ui/main/Command.h"
#include "ui/main/Desktop.h"
#include "ui/main/LineBreaks.h"
#include "ui/main/ListCommands.h"
#include "ui/main/PageJobRunner.h"
#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/main/Unit2.h"
#include "ui/main/Unit3.h"
#include "ui/main/Unit4.h"
#include "ui/print/WorksheetCommands.h"

#include <QCloseEvent>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTextDocument>
#include <QThreadPool>
#include <QTimer>
#include <QToolTip>

#include <utility>

using namespace lexifind;

namespace {

const QString kQuestion = QStringLiteral("Voulez-vous voir la page dans votre navigateur?");
const QString kProjectSuffix = QStringLiteral("lxf");
// The recovery copy follows the last change by this much, off the path of typing.
constexpr int kRecoveryDelayMs = 3000;

QByteArray digestOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

int countWords(const QString &text)
{
    int words = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool letter = c.isLetterOrNumber();
        words += letter && !inWord;
        inWord = letter;
    }
    return words;
}

// The project file chosen in one of the file dialogs, which proposes the name last
// chosen in it; "lxf" is added to a name typed without an extension. Empty on cancel.
QString chooseProjectFile(const decltype(Desktop::openFileName) &dialog, QWidget *parent,
                          QString &lastName)
{
    const QString chosen = dialog(parent, lastName, kProjectSuffix);
    if (chosen.isEmpty())
        return {};
    lastName = WithDefaultSuffix(chosen, kProjectSuffix);
    return lastName;
}

// A text file whole, or Error naming it and what is wrong, as a project's is named.
QString readTextFile(const QString &path)
{
    const QString text = TextFile::load(path);
    // No text holds a null character: a program, a picture, an archive...
    if (text.contains(QChar(u'\0')))
        throw Error(QStringLiteral("Impossible d'ouvrir le fichier %1 : ce n'est pas un texte, mais un "
                                   "fichier binaire").arg(path));
    return text;
}

// The ink of a word-list row whose entry the learner could never find: red on the
// list's cream.
const QColor kUnfindableInk(192, 0, 0);

// The tooltip of a word-list row whose entry the learner could never find.
QString unfindableToolTip(const UnfindableEntry &unfindable)
{
    return QStringLiteral("Introuvable dans la page : ") + UnfindableReasonText(unfindable);
}

// The question put before a page or a package is written with entries that no learner
// can find: the first of them, each with its reason, and the score they spoil.
QString UnfindableQuestion(const std::vector<UnfindableEntry> &unfindable, int entries, bool page)
{
    constexpr std::size_t Listed = 10;
    const int count = int(unfindable.size());
    QString question = count == 1
                           ? QStringLiteral("Un mot de la liste ne peut pas être trouvé par l'élève :")
                           : QStringLiteral("%1 mots de la liste ne peuvent pas être trouvés par l'élève :")
                                 .arg(count);
    for (std::size_t i = 0; i < std::min(Listed, unfindable.size()); ++i)
        question += QStringLiteral("\n- ") + UnfindableLine(unfindable[i]);
    if (unfindable.size() > Listed)
        question += QStringLiteral("\n- et %1 autres.").arg(unfindable.size() - Listed);
    question += QStringLiteral("\n\nLe score sera compté sur %1 mots, dont %2 seulement peuvent être "
                               "trouvés. ")
                    .arg(entries)
                    .arg(entries - count);
    question += page ? QStringLiteral("Écrire la page quand même ?")
                     : QStringLiteral("Écrire le paquet quand même ?");
    return question;
}

// Blanks, tabs, control characters and the text control's own line breaks.
bool isTrimmed(QChar c)
{
    return c.unicode() <= 0x20 || IsLineBreak(c.unicode());
}

} // namespace

namespace lexifind {

bool SourceEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (m_menuKeys.contains(QKeySequence(key->keyCombination()))) {
            // Leave the key to the menu: its undo, copy, paste... act on this text.
            event->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void SourceEdit::keyPressEvent(QKeyEvent *event)
{
    // Tab moves the focus on (the control's tabChangesFocus); Ctrl+Tab types the tab.
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
        insertPlainText(QStringLiteral("\t"));
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void SourceEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit wordDoubleClicked();
}

QString TrimSelection(const QString &selectedText)
{
    qsizetype begin = 0;
    qsizetype end = selectedText.size();
    while (begin < end && isTrimmed(selectedText.at(begin)))
        ++begin;
    while (end > begin && isTrimmed(selectedText.at(end - 1)))
        --end;
    // A word is one line of the project file: a selection over several lines keeps
    // its lines apart by a blank.
    return ReplaceLineBreaks(QStringView(selectedText).sliced(begin, end - begin), u" ");
}

QString WithDefaultSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || QFileInfo(path).fileName().contains(u'.'))
        return path;
    return path + u'.' + suffix;
}

} // namespace lexifind

TForm1::TForm1(PageSettings &settings, QWidget *parent)
    : QMainWindow(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lexifind"));
    setFont(look::defaultFont());
    // Maroon below the menu bar only: the menus keep the desktop's colours.
    m_recovery = std::make_unique<RecoveryCopy>();
    RecoveryTimer = new QTimer(this);
    RecoveryTimer->setObjectName(QStringLiteral("RecoveryTimer"));
    RecoveryTimer->setSingleShot(true);
    RecoveryTimer->setInterval(kRecoveryDelayMs);
    m_recoveryPool = std::make_unique<QThreadPool>();
    m_recoveryPool->setMaxThreadCount(1);
    m_savedDigest = digestOf(ProjectFile::toBytes(ExerciseDocument(), m_settings));
    CreateControls();
    CreateMenus();
    ConnectHandlers();
    m_lists = new ListCommands(*this);
    SetTabOrder();
    // The frame of a desktop window: borders of 4 pixels and a caption of 23. A second
    // program's window stands apart from the first's.
    move(QPoint(OuterLeft, OuterTop) + WindowSlot::Current());
    resize(OuterWidth - 8, OuterHeight - 31);
}

TForm1::~TForm1()
{
    // The page jobs hold only their snapshots: their runners cancel them and wait. The
    // worker writing the recovery copy is waited for, so that the copy is whole when the
    // program ends.
    delete m_pageJob;
    delete m_marksJob;
    m_recoveryPool->waitForDone();
}

void TForm1::SetWindows(TForm2 *form2, TForm3 *form3, QWidget *form4, TAboutBox *aboutBox)
{
    m_form2 = form2;
    m_form3 = form3;
    m_form4 = form4;
    m_aboutBox = aboutBox;
}

void TForm1::CreateControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    look::setBackground(client, look::maroon());
    setCentralWidget(client);

    Source = new SourceEdit(client);
    Source->setObjectName(QStringLiteral("Source"));
    Source->setGeometry(8, 8, 241, 273);
    Source->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Source->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Source->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab leaves the text for the word list, along the window's tab order.
    Source->setTabChangesFocus(true);
    {
        QPalette palette = Source->palette();
        palette.setColor(QPalette::Base, look::cream());
        // The selection stays highlighted while another control has the focus.
        for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
            palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
        Source->setPalette(palette);
    }

    ListBox1 = new QListWidget(client);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(344, 8, 74, 313);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new look::FixedHeightDelegate(13, ListBox1));
    look::setBase(ListBox1, look::cream());
    ListBox1->installEventFilter(this);
    // Each row's tooltip is made when it is asked for, from the document.
    ListBox1->viewport()->installEventFilter(this);

    auto button = [client](QPushButton *&field, const char *name, const QString &caption, int left,
                           int top, const QString &hint) {
        field = new QPushButton(caption, client);
        field->setObjectName(QString::fromLatin1(name));
        field->setGeometry(left, top, 81, 33);
        field->setToolTip(hint);
        // Enter on a focused button presses it, as on the teacher's desktop.
        field->setAutoDefault(true);
    };
    button(Button1, "Button1", QStringLiteral("&HTML"), 256, 248, QStringLiteral("make web page"));
    button(Button2, "Button2", QStringLiteral("+"), 256, 128, QStringLiteral("add word to list"));
    button(Button3, "Button3", QStringLiteral("&monter"), 256, 8,
           QStringLiteral("move selection upwards"));
    button(Button4, "Button4", QStringLiteral("&descendre"), 256, 48,
           QStringLiteral("move selection down"));
    button(Button5, "Button5", QStringLiteral("&trier"), 256, 88,
           QStringLiteral("sort list by alphabetical order"));
    button(Button6, "Button6", QStringLiteral("-"), 256, 168,
           QStringLiteral("remove word from list"));
    button(Button7, "Button7", QStringLiteral("&editer"), 256, 208,
           QStringLiteral("edit selected word"));
    button(Button8, "Button8", QStringLiteral("st&yles"), 256, 288,
           QStringLiteral("Set web colours and fonts"));
    Button2->setDefault(true);
    {
        QFont bold = look::defaultFont();
        bold.setPixelSize(13);
        bold.setBold(true);
        Button6->setFont(bold);
    }

    Label1 = new QLabel(QStringLiteral("Lexifind"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 283, 156, 32);
    Label1->setFont(look::fitted(look::titlingFace(27), Label1->text(), 156));
    look::setTextColour(Label1, look::silver());

    Label2 = new QLabel(QStringLiteral("par l'équipe Lexifind"), client);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(138, 309, 111, 15);
    Label2->setFont(look::fitted(look::face({QStringLiteral("Perpetua"),
                                             QStringLiteral("Liberation Serif"),
                                             QStringLiteral("DejaVu Serif")},
                                            13, QFont::Serif),
                                 Label2->text(), 111));
    Label2->setAttribute(Qt::WA_TranslucentBackground);
    look::setTextColour(Label2, look::silver());
    Label2->raise(); // drawn over the title, as it overlaps it
    client->installEventFilter(this);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    solution1 = PopupMenu1->addAction(QStringLiteral("solution"));
    solution1->setObjectName(QStringLiteral("solution1"));
    definition1 = PopupMenu1->addAction(QStringLiteral("definition"));
    definition1->setObjectName(QStringLiteral("definition1"));
    cancel1 = PopupMenu1->addAction(QStringLiteral("cancel"));
    cancel1->setObjectName(QStringLiteral("cancel1"));
}

void TForm1::CreateMenus()
{
    auto item = [this](QMenu *menu, QAction *&field, const char *name, const QString &caption,
                       const QKeySequence &shortcut) {
        field = menu->addAction(caption);
        field->setObjectName(QString::fromLatin1(name));
        field->setShortcut(shortcut);
        // The keys work wherever the focus is in the window.
        field->setShortcutContext(Qt::WindowShortcut);
        addAction(field);
    };
    File1 = menuBar()->addMenu(QStringLiteral("&Fichier"));
    File1->setObjectName(QStringLiteral("File1"));
    item(File1, New1, "New1", QStringLiteral("&Nouveau"), QKeySequence(Qt::CTRL | Qt::Key_N));
    item(File1, OpenProject1, "OpenProject1", QStringLiteral("O&uvrir lxf"),
         QKeySequence(Qt::CTRL | Qt::Key_L));
    item(File1, Open1, "Open1", QStringLiteral("&Ouvrir"), QKeySequence(Qt::CTRL | Qt::Key_O));
    item(File1, Save1, "Save1", QStringLiteral("&Enregistrer"), QKeySequence(Qt::CTRL | Qt::Key_S));
    item(File1, SaveHTML1, "SaveHTML1", QStringLiteral("Enregistrer HTML"),
         QKeySequence(Qt::CTRL | Qt::Key_W));
    item(File1, ExportScorm1, "ExportScorm1", QStringLiteral("Exporter SCORM…"), QKeySequence());
    item(File1, ExportScorm20041, "ExportScorm20041", QStringLiteral("Exporter SCORM 2004…"),
         QKeySequence());
    AddWorksheetCommands(this, File1);
    item(File1, SaveProject1, "SaveProject1", QStringLiteral("Enregistrer lxf"),
         QKeySequence(Qt::CTRL | Qt::Key_G));
    item(File1, Recover1, "Recover1", QStringLiteral("Récupérer le travail non enregistré"),
         QKeySequence());

    Edit1 = menuBar()->addMenu(QStringLiteral("&Editer"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    item(Edit1, HTML1, "HTML1", QStringLiteral("&Styles"), QKeySequence(Qt::CTRL | Qt::Key_H));
    item(Edit1, Undo1, "Undo1", QStringLiteral("&Défaire"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    item(Edit1, SelectAll1, "SelectAll1", QStringLiteral("Selectionner tout"),
         QKeySequence(Qt::CTRL | Qt::Key_A));
    item(Edit1, SelectNone1, "SelectNone1", QStringLiteral("Déselectionner"),
         QKeySequence(Qt::CTRL | Qt::Key_D));
    item(Edit1, Copy1, "Copy1", QStringLiteral("&Copier"), QKeySequence(Qt::CTRL | Qt::Key_C));
    item(Edit1, Paste1, "Paste1", QStringLiteral("Coller"), QKeySequence(Qt::CTRL | Qt::Key_V));

    Help1 = menuBar()->addMenu(QStringLiteral("&Aide"));
    Help1->setObjectName(QStringLiteral("Help1"));
    item(Help1, Aide1, "Aide1", QStringLiteral("Aide"), QKeySequence(Qt::Key_F1));
    item(Help1, About1, "About1", QStringLiteral("A Propos"), QKeySequence());

    // Every menu key goes to the menu, also from inside the text.
    QList<QKeySequence> keys;
    for (QAction *action : actions())
        if (!action->shortcut().isEmpty())
            keys.append(action->shortcut());
    Source->setMenuKeys(keys);
}

void TForm1::ConnectHandlers()
{
    // A command runs from an event of its own, after the button, menu or key handling that
    // started it has ended; what it meets is shown there (RunCommand).
    Command(Button1, &QPushButton::clicked, &TForm1::Button1Click);
    Command(SaveHTML1, &QAction::triggered, &TForm1::Button1Click);
    Command(Button2, &QPushButton::clicked, &TForm1::Button2Click);
    Command(Source, &SourceEdit::wordDoubleClicked, &TForm1::Button2Click);
    Command(Button3, &QPushButton::clicked, &TForm1::Button3Click);
    Command(Button4, &QPushButton::clicked, &TForm1::Button4Click);
    Command(Button5, &QPushButton::clicked, &TForm1::Button5Click);
    Command(solution1, &QAction::triggered, &TForm1::solution1Click);
    Command(definition1, &QAction::triggered, &TForm1::definition1Click);
    Command(Button6, &QPushButton::clicked, &TForm1::Button6Click);
    Command(Button7, &QPushButton::clicked, &TForm1::Button7Click);
    Command(Button8, &QPushButton::clicked, &TForm1::HTML1Click);
    Command(HTML1, &QAction::triggered, &TForm1::HTML1Click);
    Command(New1, &QAction::triggered, &TForm1::New1Click);
    Command(Open1, &QAction::triggered, &TForm1::Open1Click);
    Command(Save1, &QAction::triggered, &TForm1::Save1Click);
    Command(OpenProject1, &QAction::triggered, &TForm1::OpenProject1Click);
    Command(SaveProject1, &QAction::triggered, &TForm1::SaveProject1Click);
    Command(Undo1, &QAction::triggered, &TForm1::Undo1Click);
    Command(SelectAll1, &QAction::triggered, &TForm1::SelectAll1Click);
    Command(SelectNone1, &QAction::triggered, &TForm1::SelectNone1Click);
    Command(Copy1, &QAction::triggered, &TForm1::Copy1Click);
    Command(Paste1, &QAction::triggered, &TForm1::Paste1Click);
    Command(Aide1, &QAction::triggered, &TForm1::Aide1Click);
    Command(ExportScorm1, &QAction::triggered, &TForm1::ExportScorm1Click);
    Command(ExportScorm20041, &QAction::triggered, &TForm1::ExportScorm20041Click);
    Command(About1, &QAction::triggered, &TForm1::About1Click);
    Command(Recover1, &QAction::triggered, &TForm1::Recover1Click);
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm1::ListSelectionChanged);
    // Typing only restarts the timer; the copy is written when it runs out.
    connect(Source->document(), &QTextDocument::contentsChanged, RecoveryTimer,
            qOverload<>(&QTimer::start));
    connect(RecoveryTimer, &QTimer::timeout, this, &TForm1::WriteRecoveryCopyLater);
    connect(File1, &QMenu::aboutToShow, this, &TForm1::UpdateRecoverItem);
    // An edit of the teacher's own ends the undo/redo toggle of "&Défaire".
    connect(Source->document(), &QTextDocument::undoCommandAdded, this,
            [this] {
                m_lastWasUndo = false;
                m_entriesUndo.reset();
            });

    // Which entries can be found is worked out over the whole text: only after a pause
    // in the changes, never on a keystroke's path.
    m_findabilityTimer = new QTimer(this);
    m_findabilityTimer->setSingleShot(true);
    m_findabilityTimer->setInterval(500);
    connect(m_findabilityTimer, &QTimer::timeout, this, &TForm1::MarkUnfindableEntries);
    m_marksJob = new PageJobRunner(nullptr, this);
    connect(m_marksJob, &PageJobRunner::finished, this, [this](const PageJobResult &result) {
        RunCommand([this, &result] {
            const quint64 generation = m_marksGeneration;
            // A newer snapshot waited for this one: its pass starts now.
            if (std::exchange(m_marksDue, false))
                MarkUnfindableEntries();
            // The marks are advice: without an answer they stay as they are, and the
            // page's own command meets and reports the same fault.
            if (result.succeeded())
                ApplyUnfindableMarks(generation, result.unfindable);
        });
    });
    m_pageJob = new PageJobRunner(this, this);
    connect(m_pageJob, &PageJobRunner::finished, this, [this](const PageJobResult &result) {
        RunCommand([this, &result] { ProductReady(result); });
    });
    const auto later = [this] { FindabilityChanged(); };
    connect(Source->document(), &QTextDocument::contentsChanged, this, later);
    QAbstractItemModel *rows = ListBox1->model();
    connect(rows, &QAbstractItemModel::rowsInserted, this, later);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, later);
    connect(rows, &QAbstractItemModel::modelReset, this, later);
    connect(rows, &QAbstractItemModel::dataChanged, this,
            [later](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                // The marks themselves change other roles.
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    later();
            });
}

template <typename Sender, typename Signal>
void TForm1::Command(Sender *sender, Signal signal, void (TForm1::*handler)())
{
    connect(sender, signal, this, [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); },
            Qt::QueuedConnection);
}

void TForm1::FindabilityChanged()
{
    ++m_findabilityGeneration;
    m_findabilityTimer->start();
}

// The division of a 10 MB text takes seconds: the GUI thread only takes a snapshot (the
// raw text is a copy of the document's characters; the list and the language are
// shared), and the job sees nothing else. One pass at a time: a snapshot waiting behind
// a running one is dropped for a newer one.
void TForm1::MarkUnfindableEntries()
{
    if (m_marksJob->IsRunning()) {
        m_marksJob->Cancel();
        m_marksDue = true;
        return;
    }
    m_marksGeneration = m_findabilityGeneration;
    PageJobRequest request;
    request.document = m_document; // shared lists; the text is replaced on the worker
    request.settings.TextLanguage = m_settings.TextLanguage;
    request.product = PageProduct::Marks;
    m_marksJob->Start(std::move(request), Source->document()->toRawText());
}

void TForm1::ApplyUnfindableMarks(quint64 generation, const std::vector<UnfindableEntry> &unfindable)
{
    // Worked out before a later change: the pass that change started marks the rows.
    if (generation != m_findabilityGeneration)
        return;
    std::vector<const UnfindableEntry *> byRow(size_t(ListBox1->count()), nullptr);
    for (const UnfindableEntry &entry : unfindable)
        if (entry.position < ListBox1->count())
            byRow[size_t(entry.position)] = &entry;
    for (int row = 0; row < ListBox1->count(); ++row) {
        QListWidgetItem *item = ListBox1->item(row);
        if (const UnfindableEntry *entry = byRow[size_t(row)]) {
            item->setForeground(kUnfindableInk);
            item->setToolTip(unfindableToolTip(*entry));
        } else {
            item->setData(Qt::ForegroundRole, QVariant());
            item->setToolTip(QString());
        }
    }
}

void TForm1::SetTabOrder()
{
    QWidget *order[] = {Source, ListBox1, Button1, Button2, Button3, Button4,
                        Button5, Button6, Button7, Button8};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    Label1->setFocusPolicy(Qt::NoFocus);
    Label2->setFocusPolicy(Qt::NoFocus);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The "+" button is the window's default button.
            Button2->click();
            return true;
        }
    }
    if (watched == ListBox1->viewport() && event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int row = ListBox1->indexAt(help->pos()).row();
        const QString tip = EntryToolTip(row);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal),
                               ListBox1->viewport(), ListBox1->visualRect(ListBox1->model()->index(row, 0)));
        return true;
    }
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        LayOutControls();
    return QMainWindow::eventFilter(watched, event);
}

QString TForm1::EntryToolTip(int row) const
{
    if (row < 0 || row >= m_document.entryCount())
        return {};
    QString tip = m_document.words().at(row) + u'\n' + m_document.definitions().at(row);
    // The reason an entry cannot be found, which its mark stores on the row.
    if (const QListWidgetItem *item = ListBox1->item(row); item && !item->toolTip().isEmpty())
        tip += u'\n' + item->toolTip();
    return tip;
}

void TForm1::LayOutControls()
{
    // At the window's own size every control is where it was placed; a larger window
    // gives its extra width half to the text and half to the word list, the buttons
    // keeping their column between them, and its extra height to both.
    const QWidget *client = centralWidget();
    const int baseHeight = OuterHeight - 31 - menuBar()->sizeHint().height();
    const int dw = std::max(0, client->width() - (OuterWidth - 8));
    const int dh = std::max(0, client->height() - baseHeight);
    const int textShare = dw / 2;
    Source->setGeometry(8, 8, 241 + textShare, 273 + dh);
    ListBox1->setGeometry(344 + textShare, 8, 74 + dw - textShare, 313 + dh);
    for (QPushButton *button : {Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8})
        button->move(256 + textShare, button->y());
    Label1->move(8, 283 + dh);
    Label2->move(138, 309 + dh);
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        KeepOnScreen(this);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing asks nothing and always ends the program. A job in progress is dropped (it
    // works on a snapshot of what is on the screen); the latest changes join the copy the
    // next start offers, and a copy that cannot be written is said, not waited on.
    m_pageJob->Cancel();
    m_marksJob->Cancel();
    if (RecoveryTimer->isActive()) {
        try {
            WriteRecoveryCopy();
        } catch (...) {
            ShowFailure(QStringLiteral("Le travail non enregistré n'a pas pu être gardé pour "
                                       "le prochain démarrage : ")
                        + CaughtFailureMessage());
        }
    }
    event->accept();
    emit closed();
}

void TForm1::ShowWindow(QWidget *window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

QString TForm1::SourceText() const
{
    // The raw text keeps what the teacher typed (no-break spaces included); blocks
    // are separated by U+2029, soft line breaks are U+2028.
    return ReplaceLineBreaks(Source->document()->toRawText(), u"\r\n");
}

void TForm1::SetSourceText(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(u'\r', u'\n');
    Source->setPlainText(plain);
    Source->moveCursor(QTextCursor::Start);
    m_lastWasUndo = false;
    m_entriesUndo.reset();
}

const ExerciseDocument &TForm1::Document()
{
    m_document.setText(SourceText());
    return m_document;
}

void TForm1::RefillList()
{
    m_fillingList = true;
    ListBox1->clear();
    ListBox1->addItems(m_document.words());
    m_fillingList = false;
    ShowSelection();
}

void TForm1::RefreshRows(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, m_document.entryCount() - 1);
    for (int row = first; row <= last; ++row)
        ListBox1->item(row)->setText(m_document.words().at(row));
}

void TForm1::ShowSelection()
{
    m_fillingList = true;
    const int selected = m_document.selected();
    if (selected < 0) {
        ListBox1->clearSelection();
    } else {
        ListBox1->setCurrentRow(selected, QItemSelectionModel::ClearAndSelect);
    }
    m_fillingList = false;
}

void TForm1::ListSelectionChanged()
{
    if (m_fillingList)
        return;
    const QList<QListWidgetItem *> items = ListBox1->selectedItems();
    m_document.setSelected(items.isEmpty() ? -1 : ListBox1->row(items.first()));
}

void TForm1::AddEntry(const QString &word, const QString &definition)
{
    m_document.AddEntry(word, definition);
    DocumentChanged();
    m_fillingList = true;
    ListBox1->addItem(word);
    m_fillingList = false;
    ShowSelection();
}

bool TForm1::ReplaceEntry(int position, const QString &word, const QString &definition)
{
    if (!m_document.ReplaceEntry(position, word, definition))
        return false;
    DocumentChanged();
    RefreshRows(position, position);
    ShowSelection();
    return true;
}

void TForm1::Button1Click()
{
    MakeProduct(PageProduct::Page);
}

bool TForm1::PageJobRunning() const
{
    return m_pageJob->IsRunning();
}

// The job takes a snapshot: the teacher may go on working while a long text is divided.
void TForm1::MakeProduct(PageProduct product)
{
    if (m_pageJob->IsRunning())
        return; // one at a time: its box tells how far it is
    PageJobRequest request;
    request.document = m_document; // shared lists; the text is replaced on the worker
    request.settings = m_settings;
    request.product = product;
    m_product = product;
    m_pageGeneration = m_findabilityGeneration;
    m_pageEntries = m_document.entryCount();
    m_pageJob->Start(std::move(request), Source->document()->toRawText(),
                     product == PageProduct::Page ? QStringLiteral("Écriture de la page…")
                                                  : QStringLiteral("Écriture du paquet SCORM…"));
}

// The page or the package is made: its defaults become the options', as the first step of
// every page; the entries no learner can find are put to the teacher; then the name is
// asked, the file written, and a page offered to the browser.
void TForm1::ProductReady(const PageJobResult &result)
{
    if (result.cancelled)
        return;
    if (!result.error.isEmpty())
        throw Error(result.error);
    // Filled in here rather than copied from the job: an option the teacher changed
    // meanwhile stays as she left it.
    m_settings.FillDefaults();
    const bool page = m_product == PageProduct::Page;
    if (page)
        Output = result.bytes;
    ApplyUnfindableMarks(m_pageGeneration, result.unfindable);
    if (!result.unfindable.empty()
        && !desktop().askYesNo(this, QStringLiteral("Confirmation"),
                               UnfindableQuestion(result.unfindable, m_pageEntries, page)))
        return;
    const QString extension = page ? QStringLiteral("htm") : QStringLiteral("zip");
    // The page title, beside the file in hand.
    QString proposed = m_settings.PageTitle;
    if (!m_fileInHand.isEmpty() && !proposed.contains(u'/'))
        proposed = QFileInfo(m_fileInHand).dir().filePath(proposed);
    const QString path = desktop().saveFileName(this, proposed, page ? QString() : extension);
    if (path.isEmpty())
        return; // nothing written: nothing to look at
    const QString written = WithExtension(path, extension);
    saveBytes(written, result.bytes, QStringLiteral("Impossible de créer le fichier %1"));
    if (page && desktop().askYesNo(this, QStringLiteral("Confirmation"), kQuestion))
        desktop().openDocument(written);
}

void TForm1::Open1Click()
{
    const QString path = desktop().openFileName(this, m_openTextName, QString());
    if (path.isEmpty())
        return;
    OpenTextFile(path);
}

void TForm1::OpenTextFile(const QString &path)
{
    m_openTextName = path;
    // Read first: a file that cannot be read changes nothing.
    const QString text = readTextFile(path);
    KeepUnsavedWork();
    SetSourceText(text);
    m_document.ClearEntries();
    RefillList();
    SetFileInHand(path);
    RememberSaved();
}

void TForm1::Save1Click()
{
    const QString path = desktop().saveFileName(this, ProposedName(QStringLiteral("txt"), windowTitle()),
                                                QString());
    if (path.isEmpty())
        return;
    const QString written = WithExtension(path, QStringLiteral("txt"));
    TextFile::save(written, SourceText());
    SetFileInHand(written);
    NoteSaved();
    // Without words or options of its own, the text file holds the whole lesson.
    if (m_document.entryCount() == 0 && ProjectBytes() == ProjectFile::toBytes(m_document))
        RememberSaved();
}

void TForm1::SetFileInHand(const QString &path)
{
    m_fileInHand = path;
    setWindowTitle(path.isEmpty() ? QStringLiteral("Lexifind") : path);
}

QString TForm1::ProposedName(const QString &extension, const QString &fallback) const
{
    if (m_fileInHand.isEmpty())
        return fallback;
    // The file in hand itself when it is of the kind saved, else its name for that kind.
    const bool projectInHand = m_fileInHand.endsWith(u".lxf", Qt::CaseInsensitive);
    if (projectInHand == (extension == kProjectSuffix))
        return m_fileInHand;
    const QFileInfo file(m_fileInHand);
    return file.dir().filePath(file.completeBaseName() + u'.' + extension);
}

void TForm1::SelectAll1Click()
{
    Source->selectAll();
}

void TForm1::Copy1Click()
{
    Source->copy();
}

void TForm1::Paste1Click()
{
    Source->paste();
}

void TForm1::SelectNone1Click()
{
    QTextCursor cursor = Source->textCursor();
    cursor.setPosition(cursor.selectionStart());
    Source->setTextCursor(cursor);
}

// One step: the last change is undone, and undoing again puts it back.
void TForm1::Undo1Click()
{
    if (m_entriesUndo) {
        Entries now{m_document.words(), m_document.definitions()};
        SetEntries(m_entriesUndo->words, m_entriesUndo->definitions);
        m_entriesUndo = std::move(now);
        return;
    }
    QTextDocument *text = Source->document();
    if (m_lastWasUndo && text->isRedoAvailable()) {
        Source->redo();
        m_lastWasUndo = false;
    } else if (text->isUndoAvailable()) {
        Source->undo();
        m_lastWasUndo = true;
    }
}

void TForm1::New1Click()
{
    KeepUnsavedWork();
    m_document.ClearDocument();
    SetSourceText(QString());
    RefillList();
    SetFileInHand(QString());
}

void TForm1::Button2Click()
{
    const QString word = TrimSelection(Source->textCursor().selectedText());
    ShowWindow(m_form2);
    if (m_form2)
        m_form2->Edit1->setText(word);
}

void TForm1::Button3Click()
{
    MoveSelected(true);
}

void TForm1::Button4Click()
{
    MoveSelected(false);
}

void TForm1::MoveSelected(bool up)
{
    const int selected = m_document.selected();
    const bool moves = up ? selected >= 1 : selected >= 0 && selected + 1 < m_document.entryCount();
    if (up)
        m_document.MoveEntryUp();
    else
        m_document.MoveEntryDown();
    // The selection goes with the entry, so that pressing again moves it further.
    if (moves)
        m_document.setSelected(up ? selected - 1 : selected + 1);
    DocumentChanged();
    // Only the selected row and its neighbour on that side can have changed.
    const int neighbour = up ? selected - 1 : selected + 1;
    RefreshRows(std::min(selected, neighbour), std::max(selected, neighbour));
    ShowSelection();
}

void TForm1::GetSort(int column)
{
    m_document.GetSort(column);
    DocumentChanged();
    RefillList();
}

void TForm1::Button5Click()
{
    const QRect frame = frameGeometry();
    PopupMenu1->popup(QPoint(frame.left() + 300, frame.top() + 140));
}

void TForm1::solution1Click()
{
    GetSort(0);
}

void TForm1::definition1Click()
{
    GetSort(1);
}

void TForm1::Button6Click()
{
    const int count = m_document.entryCount();
    const int removed = m_document.selected() < 0 ? 0 : m_document.selected();
    m_document.RemoveEntry();
    DocumentChanged();
    if (count > 0) {
        m_fillingList = true;
        delete ListBox1->takeItem(removed);
        m_fillingList = false;
    }
    ShowSelection();
}

void TForm1::Button7Click()
{
    // Without a selected entry there is nothing to edit.
    const int selected = m_document.selected();
    if (selected < 0 || !m_form3)
        return;
    ShowWindow(m_form3);
    m_form3->Edit1->setText(m_document.words().at(selected));
    m_form3->Edit2->setText(m_document.definitions().at(selected));
    m_form3->Edit3->setText(QString::number(selected));
}

void TForm1::HTML1Click()
{
    ShowWindow(m_form4);
}

void TForm1::About1Click()
{
    ShowWindow(m_aboutBox);
}

void TForm1::OpenProject1Click()
{
    const QString path = chooseProjectFile(desktop().openFileName, this, m_openProjectName);
    if (path.isEmpty())
        return;
    OpenProjectFile(path);
}

void TForm1::OpenProjectFile(const QString &path)
{
    // The project dialog proposes it next time, as if it had been chosen there.
    m_openProjectName = path;
    // Read whole first: a file that is missing, cut or no project leaves the lesson in
    // hand as it was.
    ProjectFile::Project project = ProjectFile::load(path);
    KeepUnsavedWork();
    m_document = std::move(project.document);
    m_settings = std::move(project.settings);
    emit settingsReplaced();
    SetSourceText(m_document.text());
    RefillList();
    SetFileInHand(path);
    RememberSaved();
    if (!project.warnings.isEmpty())
        desktop().showWarning(project.warnings.join(u'\n'));
}

void TForm1::SaveProject1Click()
{
    const QString chosen = desktop().saveFileName(
        this, ProposedName(kProjectSuffix, m_saveProjectName), kProjectSuffix);
    if (chosen.isEmpty())
        return;
    const QString path = WithDefaultSuffix(chosen, kProjectSuffix);
    m_saveProjectName = path;
    ProjectFile::save(Document(), m_settings, path);
    SetFileInHand(path);
    NoteSaved();
    RememberSaved();
}

void TForm1::Aide1Click()
{
    desktop().showHelpContents();
}

void TForm1::DocumentChanged()
{
    m_entriesUndo.reset();
    RecoveryTimer->start();
}

void TForm1::SetEntries(const QStringList &words, const QStringList &definitions)
{
    m_document.ClearEntries();
    for (qsizetype i = 0; i < words.size(); ++i)
        m_document.AddEntry(words[i], definitions.value(i));
    DocumentChanged();
    RefillList();
}

void TForm1::ReplaceEntries(const QStringList &words, const QStringList &definitions)
{
    Entries before{m_document.words(), m_document.definitions()};
    SetEntries(words, definitions);
    m_entriesUndo = std::move(before);
}

// Encoding a 10 MB document takes a good part of a second: after a pause, the GUI
// thread only takes a snapshot, and a worker encodes and writes it. The commands that
// write the copy at once first wait for that worker, so theirs is written last.
void TForm1::WriteRecoveryCopyLater()
{
    RecoveryTimer->stop();
    ExerciseDocument document = m_document;
    const PageSettings settings = m_settings;
    const QString rawText = Source->document()->toRawText();
    const QByteArray savedDigest = m_savedDigest;
    const QString path = m_recovery->currentPath();
    m_recoveryPool->clear();
    m_recoveryPool->start([document, settings, rawText, savedDigest, path]() mutable {
        // A copy that cannot be written is not worth a box every few seconds: the
        // commands that replace the work write it too, and report.
        try {
            document.setText(ReplaceLineBreaks(rawText, u"\r\n"));
            const QByteArray bytes = ProjectFile::toBytes(document, settings);
            if (digestOf(bytes) == savedDigest || bytes == ProjectFile::toBytes(ExerciseDocument()))
                QFile::remove(path);
            else
                saveBytes(path, bytes, QStringLiteral("Impossible de créer le fichier %1"));
        } catch (...) {
        }
    });
}

void TForm1::WriteRecoveryCopy()
{
    RecoveryTimer->stop();
    m_recoveryPool->waitForDone();
    const QByteArray bytes = ProjectBytes();
    // An empty document, or one a file holds as it stands, needs no copy.
    if (digestOf(bytes) == m_savedDigest || bytes == ProjectFile::toBytes(ExerciseDocument()))
        m_recovery->remove();
    else
        m_recovery->write(bytes);
}

void TForm1::KeepUnsavedWork()
{
    WriteRecoveryCopy();
    m_recovery->keep();
    UpdateRecoverItem();
}

QByteArray TForm1::ProjectBytes()
{
    return ProjectFile::toBytes(Document(), m_settings);
}

void TForm1::SettingsChanged(const QString &name)
{
    DocumentChanged();
    // The text's language changes where the page's words begin and end.
    if (name == u"TextLanguage")
        FindabilityChanged();
}

void TForm1::RememberSaved()
{
    m_savedDigest = digestOf(ProjectBytes());
    WriteRecoveryCopy();
    UpdateRecoverItem();
}

void TForm1::UpdateRecoverItem()
{
    Recover1->setEnabled(!m_recovery->newestKept().path.isEmpty());
}

// The copy is read as "O&uvrir lxf" reads a project, and stays on disk as this
// program's current copy until the work is saved: it is still unsaved work.
void TForm1::LoadRecoveryCopy(const QString &path)
{
    const QByteArray bytes = readBytes(path);
    ProjectFile::Project project = ProjectFile::read(bytes, path);
    m_recoveryPool->waitForDone();
    m_recovery->write(bytes);
    QFile::remove(path);
    m_document = std::move(project.document);
    m_settings = std::move(project.settings);
    emit settingsReplaced();
    SetSourceText(m_document.text());
    RefillList();
    // The work of no file: saving it asks for a name.
    SetFileInHand(QString());
    RecoveryTimer->stop();
    UpdateRecoverItem();
}

void TForm1::Recover1Click()
{
    const QString path = m_recovery->newestKept().path;
    if (path.isEmpty())
        return;
    KeepUnsavedWork();
    LoadRecoveryCopy(path);
}

void TForm1::OfferRecovery()
{
    UpdateRecoverItem();
    const RecoveryCopy::Kept kept = m_recovery->newestKept();
    // Work no newer than the last work saved is not worth a question at every start: it
    // stays offered in the menu.
    if (kept.path.isEmpty() || LastSaved() >= kept.written)
        return;
    ExerciseDocument copy;
    try {
        ProjectFile::fromBytes(copy, readBytes(kept.path));
    } catch (const Error &) {
        // Counted as far as it reads: the question only describes the copy.
    }
    const QLocale french(QLocale::French, QLocale::France);
    const QString question =
        QStringLiteral("Du travail non enregistré a été retrouvé : une copie du %1, "
                       "%2 mots de texte et %3 mots dans la liste. Voulez-vous le récupérer?")
            .arg(french.toString(kept.written, QStringLiteral("d MMMM yyyy 'à' HH:mm")))
            .arg(countWords(copy.text()))
            .arg(copy.entryCount());
    if (desktop().askYesNo(this, QStringLiteral("Confirmation"), question))
        LoadRecoveryCopy(kept.path);
    else
        DiscardKeptCopies();
    UpdateRecoverItem();
}

void TForm1::DiscardKeptCopies()
{
    // The newest first, then each older one, as long as they can be deleted.
    for (QString path = m_recovery->newestKept().path; !path.isEmpty();
         path = m_recovery->newestKept().path) {
        if (!QFile::remove(path))
            break;
    }
}

// A file in the copies' folder, touched by every save, tells when work was last saved by
// any program.
QString TForm1::SavedMarkPath() const
{
    return m_recovery->folder() + QStringLiteral("/dernier-enregistrement");
}

void TForm1::NoteSaved()
{
    QFile mark(SavedMarkPath());
    if (mark.open(QIODevice::WriteOnly | QIODevice::Truncate))
        mark.write("\n");
}

QDateTime TForm1::LastSaved() const
{
    const QFileInfo mark(SavedMarkPath());
    return mark.exists() ? mark.lastModified() : QDateTime();
}

void TForm1::ExportScorm1Click()
{
    MakeProduct(PageProduct::Scorm12);
}

void TForm1::ExportScorm20041Click()
{
    MakeProduct(PageProduct::Scorm2004);
}
