#include "ui/options/Unit5.h"

#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixPalettePages.h"
#include "document/LexifindError.h"
#include "ui/main/Command.h"
#include "ui/main/Desktop.h"
#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/options/DictionaryBox.h"
#include "ui/options/OptionWidgets.h"

#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QKeyEvent>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <array>

using lexifind::PageSettings;
using lexifind::options::ColorShape;
using lexifind::options::OptionPanel;
using lexifind::options::SymbolLabel;

namespace {

constexpr int EditHeight = 21;

// The font lists offered to the teacher, exactly as the page will carry them.
const QStringList &FontLists()
{
    static const QStringList lists = {
        QStringLiteral("Arial, Helvetica, sans-serif"),
        QStringLiteral("Times New Roman, Times, serif"),
        QStringLiteral("Gill Sans MT,  sans-serif"),
        QStringLiteral("Tahoma, sans-serif"),
        QStringLiteral("TW Cen MT, sans-serif"),
        QStringLiteral("Book Antiqua, serif"),
        QStringLiteral("Lucida Sans, sans-serif"),
        QStringLiteral("Courier New, courier, mono"),
        QStringLiteral("Brush Script, Script MT, cursive"),
        QStringLiteral("Tempus Sans ITC, fantasy"),
    };
    return lists;
}

// What a page of the style writes for an option left at its start value; empty for none.
QString DefaultOf(const QString &name, bool modernStyle = false)
{
    return PageSettings::DefaultValue(name, modernStyle);
}

// The classic fields and their options. The messages show, while the teacher has not
// changed them, the texts the page writes: never a text the page would not use.
struct ClassicField
{
    const char *field;
    const char *option;
    bool showsDefault;
};

const std::array<ClassicField, 16> &ClassicFields()
{
    static const std::array<ClassicField, 16> fields{{
        {"Edit1", "PageTitle", false},
        {"Edit2", "TextTitle", false},
        {"Edit3", "Instruction", false},
        {"Edit4", "RightMessage", true},
        {"Edit5", "WrongMessage", true},
        {"Edit6", "NextCaption", true},
        {"Edit12", "DoneMessage", true},
        {"ComboBox1", "FontFamily", false},
        {"Edit7", "BackgroundColor", false},
        {"Edit8", "HighlightColor", false},
        {"Edit9", "TextColor", false},
        {"Edit10", "AnswerZoneColor", false},
        {"Edit13", "AnswerColor", false},
        {"Edit11", "VocabularyBackColor", false},
        {"Edit14", "VocabularyTextColor", false},
        {"Edit15", "DefinitionColor", false},
    }};
    return fields;
}

// The text a field shows for value: for a message, the page's own text while it is empty.
QString Shown(const QString &name, const QString &value, bool showsDefault)
{
    return value.isEmpty() && showsDefault ? DefaultOf(name) : value;
}

template <typename W>
W *Named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A label that ends before `right`: where the stand-in face is wider than the classic
// one, the text is narrowed a little rather than running under the control beside it.
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &caption, int left, int top,
                  int right)
{
    auto *label = Named(new QLabel(caption, parent), name);
    label->move(left, top);
    label->setFont(lexifind::look::fitted(label->font(), caption, right - left));
    label->adjustSize();
    return label;
}

QLineEdit *MakeEdit(QWidget *parent, const char *name, int left, int top, int width,
                    const QString &text = QString())
{
    auto *edit = Named(new QLineEdit(text, parent), name);
    edit->setGeometry(left, top, width, EditHeight);
    return edit;
}

// A field whose start text shows whole from its first letter, narrowed like a label
// where the desktop's face is wider than the classic one.
void ShowStartText(QLineEdit *edit, const QString &sample = QString())
{
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    // The field's own margins of 2 pixels on each side, and the caret's pixel.
    const int room = edit->width() - 2 * frame - 5;
    edit->setFont(lexifind::look::fitted(edit->font(), sample.isEmpty() ? edit->text() : sample, room));
    edit->setCursorPosition(0);
}

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption, int left,
                        int top, int width, int height)
{
    auto *button = Named(new QPushButton(caption, parent), name);
    button->setGeometry(left, top, width, height);
    button->setAutoDefault(false);
    return button;
}

ColorShape *MakeShape(QWidget *parent, const char *name, int top)
{
    auto *shape = Named(new ColorShape(parent), name);
    shape->setGeometry(128, top, 25, 25);
    return shape;
}

QFrame *MakePanel(QWidget *parent, const char *name, QFrame::Shadow bevel, const QColor &color)
{
    auto *panel = Named(new QFrame(parent), name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(bevel);
    panel->setLineWidth(1);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, color);
    // The classic bevel: a gray and a white line.
    pal.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    pal.setColor(QPalette::Light, Qt::white);
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
    return panel;
}

} // namespace

TForm4::TForm4(PageSettings &settings, QWidget *parent)
    : QWidget(parent, Qt::Window), FSettings(settings), FOffset(lexifind::WindowSlot::Current())
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Paramètres web"));

    setFont(lexifind::look::defaultFont());

    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);

    CreateControls();
    CreateNewerOptions();
    SetUpColorDialog();
    SetTabOrder();
    // Connected last: filling the fields with their start texts is no change by the teacher.
    ConnectHandlers();

    move(QPoint(OuterLeft, OuterTop) + FOffset);
    resize(OuterWidth, OuterHeight);
}

TForm4::~TForm4() = default;

void TForm4::CreateControls()
{
    const QColor buttonFace = palette().color(QPalette::Button);

    Panel1 = MakePanel(this, "Panel1", QFrame::Sunken, QColor(0x80, 0x00, 0x00));
    Panel1->setGeometry(8, 8, 641, 289);
    Panel2 = MakePanel(Panel1, "Panel2", QFrame::Sunken, buttonFace);
    Panel2->setGeometry(16, 40, 297, 233);
    Panel3 = MakePanel(Panel1, "Panel3", QFrame::Raised, buttonFace);
    Panel3->setGeometry(328, 11, 297, 262);

    Label1 = Named(new QLabel(QStringLiteral("options HTML "), Panel1), "Label1");
    Label1->setFont(lexifind::look::titlingFace(19));
    lexifind::look::setTextColour(Label1, lexifind::look::silver());
    Label1->move(18, 8);
    Label1->adjustSize();
    Button1 = MakeButton(Panel1, "Button1", QStringLiteral("OK"), 232, 8, 81, 25);

    // The texts and the font.
    Label2 = MakeLabel(Panel2, "Label2", QStringLiteral("Titre de page :"), 8, 8, 82);
    Edit1 = MakeEdit(Panel2, "Edit1", 84, 8, 200);
    Label3 = MakeLabel(Panel2, "Label3", QStringLiteral("Titre du texte :"), 8, 40, 82);
    Edit2 = MakeEdit(Panel2, "Edit2", 84, 40, 200);
    Label4 = MakeLabel(Panel2, "Label4", QStringLiteral("Consigne :"), 8, 72, 82);
    Edit3 = MakeEdit(Panel2, "Edit3", 84, 72, 200);

    Label5 = Named(new SymbolLabel(QStringLiteral("<"), SymbolLabel::Mark::Check,
                                   QColor(0x00, 0x80, 0x00), Panel2),
                   "Label5");
    Label5->setGeometry(16, 104, 29, 29);
    Edit4 = MakeEdit(Panel2, "Edit4", 82, 104, 72, DefaultOf(QStringLiteral("RightMessage")));
    Label6 = Named(new SymbolLabel(QStringLiteral("="), SymbolLabel::Mark::Cross,
                                   QColor(0xFF, 0x00, 0x00), Panel2),
                   "Label6");
    Label6->setGeometry(164, 104, 29, 29);
    Edit5 = MakeEdit(Panel2, "Edit5", 197, 104, 88, DefaultOf(QStringLiteral("WrongMessage")));
    Label7 = Named(new SymbolLabel(QStringLiteral("C"), SymbolLabel::Mark::Arrow,
                                   palette().color(QPalette::WindowText), Panel2),
                   "Label7");
    Label7->setGeometry(16, 136, 29, 29);
    Edit6 = MakeEdit(Panel2, "Edit6", 82, 136, 200, DefaultOf(QStringLiteral("NextCaption")));
    for (QLineEdit *edit : {Edit4, Edit5, Edit6})
        ShowStartText(edit);

    Label14 = MakeLabel(Panel2, "Label14", QStringLiteral("Stop :"), 16, 176, 79);
    Edit12 = MakeEdit(Panel2, "Edit12", 81, 170, 201, DefaultOf(QStringLiteral("DoneMessage")));
    ShowStartText(Edit12);

    Label8 = MakeLabel(Panel2, "Label8", QStringLiteral("Police :"), 16, 208, 78);
    ComboBox1 = Named(new QComboBox(Panel2), "ComboBox1");
    ComboBox1->setEditable(true);
    // What the teacher types stays as typed: no completion, and Enter adds no item.
    ComboBox1->setCompleter(nullptr);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setItemDelegate(new lexifind::look::FixedHeightDelegate(13, ComboBox1));
    ComboBox1->addItems(FontLists());
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
    ComboBox1->setGeometry(80, 202, 200, EditHeight);

    // The colours: label, sample, "choisir", field.
    const QString choose = QStringLiteral("choisir");
    Label9 = MakeLabel(Panel3, "Label9", QStringLiteral("Arrière plan :"), 16, 17, 126);
    Shape1 = MakeShape(Panel3, "Shape1", 8);
    Button2 = MakeButton(Panel3, "Button2", choose, 165, 8, 56, 25);
    Edit7 = MakeEdit(Panel3, "Edit7", 232, 8, 56);

    Label11 = MakeLabel(Panel3, "Label11", QStringLiteral("Surlignement :"), 16, 48, 126);
    Shape2 = MakeShape(Panel3, "Shape2", 39);
    Button3 = MakeButton(Panel3, "Button3", choose, 165, 39, 56, 25);
    Edit8 = MakeEdit(Panel3, "Edit8", 232, 39, 56);

    Label10 = MakeLabel(Panel3, "Label10", QStringLiteral("Couleur du texte :"), 16, 79, 126);
    Shape3 = MakeShape(Panel3, "Shape3", 70);
    Button4 = MakeButton(Panel3, "Button4", choose, 165, 70, 56, 25);
    Edit9 = MakeEdit(Panel3, "Edit9", 232, 72, 56);

    Label12 = MakeLabel(Panel3, "Label12", QStringLiteral("Zone de réponses :"), 16, 111, 126);
    Shape4 = MakeShape(Panel3, "Shape4", 101);
    Button5 = MakeButton(Panel3, "Button5", choose, 165, 102, 56, 25);
    Edit10 = MakeEdit(Panel3, "Edit10", 232, 102, 56);

    Label15 = MakeLabel(Panel3, "Label15", QStringLiteral("Couleur des réponses:"), 16, 144, 126);
    Shape6 = MakeShape(Panel3, "Shape6", 133);
    Button7 = MakeButton(Panel3, "Button7", choose, 166, 134, 56, 25);
    Edit13 = MakeEdit(Panel3, "Edit13", 233, 134, 56);

    Label13 = MakeLabel(Panel3, "Label13", QStringLiteral("Vocabulaire - fond :"), 16, 173, 126);
    Shape5 = MakeShape(Panel3, "Shape5", 164);
    Button6 = MakeButton(Panel3, "Button6", choose, 165, 164, 56, 25);
    Edit11 = MakeEdit(Panel3, "Edit11", 232, 165, 56);

    Label16 = MakeLabel(Panel3, "Label16", QStringLiteral("Texte - vocabulaire :"), 16, 203, 126);
    Shape7 = MakeShape(Panel3, "Shape7", 195);
    Button8 = MakeButton(Panel3, "Button8", choose, 165, 197, 57, 24);
    Edit14 = MakeEdit(Panel3, "Edit14", 229, 198, 57);

    Label17 = MakeLabel(Panel3, "Label17", QStringLiteral("Définitions :"), 19, 232, 126);
    Shape8 = MakeShape(Panel3, "Shape8", 228);
    select = MakeButton(Panel3, "select", choose, 165, 230, 57, 24);
    Edit15 = MakeEdit(Panel3, "Edit15", 229, 230, 57);

    ShowStyleDefaults();
    // A web colour shows whole in the narrow colour fields, in the widest digits.
    for (QLineEdit *edit : {Edit7, Edit8, Edit9, Edit10, Edit11, Edit13, Edit14, Edit15})
        ShowStartText(edit, QStringLiteral("#CCCCCC"));
}

void TForm4::CreateNewerOptions()
{
    // Inside the frame, below the classic panels, which keep their controls where they were.
    Panel1->resize(Panel1->width(), Panel1->height() + OptionPanel::PanelHeight());
    PageControl1 = new OptionPanel(Panel1);
    PageControl1->setGeometry(16, 281, 609, OptionPanel::PanelHeight());

    ComboBox2 = new QComboBox;
    ComboBox2->addItems({QStringLiteral("classique"), QStringLiteral("moderne")});
    ComboBox2->setToolTip(QStringLiteral("classique: the classic page; moderne: the page for "
                                         "phones, keyboards and screen readers"));
    AddOptionRow(OptionGroup::ModernPage, QStringLiteral("PageStyle"),
                 QStringLiteral("Style de page :"), ComboBox2);
    const auto line = [this](OptionGroup group, const char *name, const QString &label) {
        return static_cast<QLineEdit *>(AddOptionRow(group, QString::fromLatin1(name), label));
    };
    Edit17 = line(OptionGroup::ModernPage, "ScoreLabel", QStringLiteral("Libellé du score :"));
    Edit18 = line(OptionGroup::ModernPage, "RestartCaption", QStringLiteral("Bouton recommencer :"));
    Edit19 = line(OptionGroup::ModernPage, "FoundLabel", QStringLiteral("Annonce mot trouvé :"));
    Edit19->setToolTip(QStringLiteral("What a screen reader says after a found word"));

    // How the modern page plays, and its words for what the classic page lacks.
    const auto choice = [this](const char *name, const QString &label, const QStringList &items,
                               const QString &tip) {
        auto *box = new QComboBox;
        box->addItems(items);
        box->setToolTip(tip);
        AddOptionRow(OptionGroup::ModernPage, QString::fromLatin1(name), label, box);
    };
    choice("AutoNext", QStringLiteral("Suite automatique :"), {QStringLiteral("non"), QStringLiteral("oui")},
           QStringLiteral("oui: the next question comes by itself after a right answer"));
    QLineEdit *tries = line(OptionGroup::ModernPage, "ShowAnswerAfter", QStringLiteral("Mot montré après :"));
    tries->setValidator(new QIntValidator(0, 99, tries));
    tries->setToolTip(QStringLiteral("Wrong tries after which the page shows the word; 0: never"));
    choice("QuestionOrder", QStringLiteral("Ordre des questions :"),
           {QStringLiteral("texte"), QStringLiteral("hasard")},
           QStringLiteral("hasard: a new order at each start and each round"));
    choice("Pronounce", QStringLiteral("Mots prononcés :"), {QStringLiteral("non"), QStringLiteral("oui")},
           QStringLiteral("oui: the found words can be heard, where the browser has a voice for the text's language"));
    const std::pair<const char *, const char *> words[] = {
        {"RateLabel", "Libellé réussite :"},       {"QuestionLabel", "Libellé question :"},
        {"ReviewCaption", "Bouton mots manqués :"}, {"ShownMessage", "Annonce mot montré :"},
        {"ShownLabel", "Marque mot montré :"},      {"KeysHelp", "Aide clavier :"},
        {"NextHint", "Annonce suite :"},            {"ListenLabel", "Bouton écouter :"},
    };
    for (const auto &[name, label] : words)
        line(OptionGroup::ModernPage, name, QString::fromUtf8(label));

    // A colour a browser would not take is said when the teacher leaves its field: the
    // modern page keeps its own, the classic page writes the text as it stands.
    for (const ClassicField &classic : ClassicFields()) {
        const QString name = QString::fromLatin1(classic.option);
        auto *edit = findChild<QLineEdit *>(QLatin1StringView(classic.field));
        if (!edit || !name.endsWith(u"Color"))
            continue;
        connect(edit, &QLineEdit::editingFinished, this, [edit, name] {
            const QString text = edit->text();
            const QString problem = PageSettings::ValueProblem(name, text);
            if (problem.isEmpty() || edit->property("told").toString() == text)
                return;
            edit->setProperty("told", text);
            lexifind::desktop().showWarning(lexifind::ErrorBoxText(
                    QStringLiteral("« %1 » %2 : la page moderne garde sa propre couleur, la page "
                                   "classique écrit le texte tel quel").arg(text, problem)));
        });
    }

    Edit20 = line(OptionGroup::Platform, "MasteryScore", QStringLiteral("Score de maîtrise (%) :"));
    Edit20->setToolTip(QStringLiteral("Percentage of words found that passes in a learning "
                                      "platform (SCORM); empty: none"));

    Edit16 = line(OptionGroup::Dictionary, "TextLanguage", QStringLiteral("Langue du texte :"));
    Edit16->setPlaceholderText(QStringLiteral("fr, es, zh-Hans…"));
    Edit16->setToolTip(QStringLiteral("Language of the text (BCP 47 tag); empty: none declared"));

    // Its items name dictionaries rather than hold the option's text: it stores the
    // chosen item's name itself, so it is not one of the generic rows.
    ComboBox3 = new lexifind::options::DictionaryBox(
            [this] { return FSettings.Dictionary; },
            [this](const QString &value) { StoreOption(QStringLiteral("Dictionary"), value); });
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    ComboBox3->setFont(font());
    PageControl1->AddRow(OptionGroup::Dictionary, QStringLiteral("Dictionnaire :"), ComboBox3);
}

QWidget *TForm4::AddOptionRow(OptionGroup group, const QString &name, const QString &label,
                              QWidget *field)
{
    if (!field)
        field = new QLineEdit;
    field->setObjectName(name);
    field->setFont(font());
    PageControl1->AddRow(group, label, field);
    if (auto *edit = qobject_cast<QLineEdit *>(field)) {
        // An empty field shows the text the page writes in its place.
        if (edit->placeholderText().isEmpty())
            edit->setPlaceholderText(DefaultOf(name));
        connect(edit, &QLineEdit::textChanged, this, [this, name](const QString &text) {
            StoreOption(name, text);
        });
    } else if (auto *combo = qobject_cast<QComboBox *>(field)) {
        if (combo->isEditable())
            connect(combo, &QComboBox::editTextChanged, this, [this, name](const QString &text) {
                StoreOption(name, text);
            });
        else
            connect(combo, &QComboBox::currentTextChanged, this, [this, name](const QString &text) {
                StoreOption(name, text);
            });
    }
    FAddedOptions.append({name, field});
    return field;
}

QWidget *TForm4::OptionField(const QString &name) const
{
    for (const ClassicField &classic : ClassicFields())
        if (name == QLatin1StringView(classic.option))
            return findChild<QWidget *>(QLatin1StringView(classic.field));
    for (const AddedOption &added : FAddedOptions)
        if (added.name == name)
            return added.field;
    if (name == u"Dictionary")
        return ComboBox3;
    return nullptr;
}

void TForm4::SetUpColorDialog()
{
    HuemixDialog1 = new THuemixDialog(this);
    HuemixDialog1->setObjectName(QStringLiteral("HuemixDialog1"));
    HuemixDialog1->SetAutoApply(false);
    HuemixDialog1->SetStayOnTop(false);
    HuemixDialog1->SetVisiblePages(PageSet(pageInternet));
    HuemixDialog1->SetActivePage(pageVGA);
    HuemixDialog1->SetColor(0x00000000);
    HuemixDialog1->SetReferenceColor(0x00FFFFFF);
    HuemixDialog1->SetCtl3D(true);
    HuemixDialog1->SetHelpButton(false);
    HuemixDialog1->SetAutoHelpContext(false);
    HuemixDialog1->SetHelpContext(0);
    HuemixDialog1->SetCaption(QStringLiteral("Color"));
}

void TForm4::SetTabOrder()
{
    // Within each panel as tabled; then OK.
    QWidget *const order[] = {Edit1,   Edit2,   Edit3,   Edit4,  Edit5,   Edit6,   Edit12,
                              ComboBox1, Button2, Edit7, Button3, Edit8,  Button4, Edit9,
                              Button5, Edit10,  Button7, Edit13, Button6, Edit11,  Button8,
                              Edit14,  select,  Edit15,  Button1,
                              // Then the tabs of the newer options.
                              PageControl1};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TForm4::ConnectHandlers()
{
    // textChanged alone: it fires for typing, pasting and setText, and not when the text
    // set is the text already there.
    connect(Edit1, &QLineEdit::textChanged, this, &TForm4::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &TForm4::Edit2Change);
    connect(Edit3, &QLineEdit::textChanged, this, &TForm4::Edit3Change);
    connect(Edit4, &QLineEdit::textChanged, this, &TForm4::Edit4Change);
    connect(Edit5, &QLineEdit::textChanged, this, &TForm4::Edit5Change);
    connect(Edit6, &QLineEdit::textChanged, this, &TForm4::Edit6Change);
    // The edit text covers both typing and picking an item; currentTextChanged would
    // report a pick a second time.
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TForm4::ComboBox1Change);
    connect(Edit7, &QLineEdit::textChanged, this, &TForm4::Edit7Change);
    connect(Edit8, &QLineEdit::textChanged, this, &TForm4::Edit8Change);
    connect(Edit9, &QLineEdit::textChanged, this, &TForm4::Edit9Change);
    connect(Edit10, &QLineEdit::textChanged, this, &TForm4::Edit10Change);
    connect(Edit11, &QLineEdit::textChanged, this, &TForm4::Edit11Change);
    connect(Edit12, &QLineEdit::textChanged, this, &TForm4::Edit12Change);
    connect(Edit13, &QLineEdit::textChanged, this, &TForm4::Edit13Change);
    connect(Edit14, &QLineEdit::textChanged, this, &TForm4::Edit14Change);
    connect(Edit15, &QLineEdit::textChanged, this, &TForm4::Edit15Change);


    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, [this] { lexifind::RunCommand([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { lexifind::RunCommand([this] { Button3Click(); }); });
    connect(Button4, &QPushButton::clicked, this, [this] { lexifind::RunCommand([this] { Button4Click(); }); });
    connect(Button5, &QPushButton::clicked, this, [this] { lexifind::RunCommand([this] { Button5Click(); }); });
    connect(Button6, &QPushButton::clicked, this, [this] { lexifind::RunCommand([this] { Button6Click(); }); });
    connect(Button7, &QPushButton::clicked, this, [this] { lexifind::RunCommand([this] { Button7Click(); }); });
    connect(Button8, &QPushButton::clicked, this, [this] { lexifind::RunCommand([this] { Button8Click(); }); });
    connect(select, &QPushButton::clicked, this, [this] { lexifind::RunCommand([this] { selectClick(); }); });
}

void TForm4::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!FPlaced && !event->spontaneous()) {
        FPlaced = true;
        move(QPoint(OuterLeft, OuterTop) + FOffset);
        lexifind::KeepOnScreen(this);
        FPlace = pos();
        PlaceOuter();
    }
}

void TForm4::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    PlaceOuter();
}

void TForm4::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    PlaceOuter();
}

void TForm4::PlaceOuter()
{
    // The outer size includes the frame. A window manager tells its frame only once the
    // window is mapped, so the first placing is redone when the frame becomes known;
    // after that the teacher's own moves and sizes are left alone.
    if (!FPlaced || !FFrameUnknown)
        return;
    QWindow *window = windowHandle();
    if (!window)
        return;
    const QMargins frame = window->frameMargins();
    if (frame.isNull()) {
        // Still no frame: placed as wanted, unless something else has moved or sized the
        // window meanwhile, which then stands.
        if (pos() != FPlace || size() != QSize(OuterWidth, OuterHeight))
            FFrameUnknown = false;
        else
            return;
    }
    FFrameUnknown = false;
    if (frame.isNull())
        return;
    resize(OuterWidth - frame.left() - frame.right(), OuterHeight - frame.top() - frame.bottom());
    move(QPoint(OuterLeft, OuterTop) + FOffset);
    lexifind::KeepOnScreen(this);
}

void TForm4::StoreOption(QString PageSettings::*option, const QString &name, const QString &text)
{
    FSettings.*option = text;
    emit optionChanged(name);
}

void TForm4::StoreOption(const QString &name, const QString &text)
{
    if (QString *option = FSettings.option(name))
        *option = text;
    if (name == u"PageStyle")
        ShowStyleDefaults();
    emit optionChanged(name);
}

// The page style decides what an option left at its start value writes (the modern page
// has its own colours, font and caption): an empty field shows it greyed, and a message
// the teacher has not changed shows it as its text.
void TForm4::ShowStyleDefaults()
{
    const bool modern = FSettings.IsModernStyle();
    for (const ClassicField &classic : ClassicFields()) {
        const QString name = QString::fromLatin1(classic.option);
        const QString fallback = DefaultOf(name, modern);
        auto *edit = findChild<QLineEdit *>(QLatin1StringView(classic.field));
        if (!edit)
            continue;
        edit->setPlaceholderText(fallback);
        if (classic.showsDefault && PageSettings::IsStartValue(name, *FSettings.option(name))
            && edit->text() != fallback) {
            const QSignalBlocker quiet(edit);
            edit->setText(fallback);
        }
    }
    ComboBox1->lineEdit()->setPlaceholderText(DefaultOf(QStringLiteral("FontFamily"), modern));
}

void TForm4::ShowSettings()
{
    const auto show = [this](QWidget *field, const QString &name, bool showsDefault) {
        const QString *value = FSettings.option(name);
        if (!field || !value)
            return;
        const QString text = Shown(name, *value, showsDefault);
        const QSignalBlocker quiet(field);
        if (auto *edit = qobject_cast<QLineEdit *>(field)) {
            edit->setText(text);
            edit->setCursorPosition(0);
        } else if (auto *combo = qobject_cast<QComboBox *>(field)) {
            if (combo->isEditable()) {
                combo->setEditText(text);
                combo->lineEdit()->setCursorPosition(0);
                return;
            }
            int index = combo->findText(text, Qt::MatchFixedString);
            if (index < 0 && !text.isEmpty()) {
                // A value of the lesson's own: shown as it is, not as another choice.
                combo->addItem(text);
                index = combo->count() - 1;
            }
            combo->setCurrentIndex(std::max(index, 0));
        }
    };
    for (const ClassicField &classic : ClassicFields())
        show(findChild<QWidget *>(QLatin1StringView(classic.field)),
             QString::fromLatin1(classic.option), classic.showsDefault);
    for (const AddedOption &added : std::as_const(FAddedOptions))
        show(added.field, added.name, false);
    ComboBox3->ShowValue();
    ShowStyleDefaults();
    // A sample shows the lesson's colour, or white as at start.
    const std::pair<QLineEdit *, ColorShape *> samples[] = {
        {Edit7, Shape1}, {Edit8, Shape2},  {Edit9, Shape3},  {Edit10, Shape4},
        {Edit11, Shape5}, {Edit13, Shape6}, {Edit14, Shape7}, {Edit15, Shape8}};
    for (const auto &[field, shape] : samples) {
        const QColor color = QColor::fromString(field->text().trimmed());
        shape->setBrushColor(color.isValid() ? color : QColor(Qt::white));
    }
}

void TForm4::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the window as "OK" does: the fields have written their options.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm4::Button1Click()
{
    close();
}

void TForm4::Edit1Change() { StoreOption(&PageSettings::PageTitle, QStringLiteral("PageTitle"), Edit1->text()); }
void TForm4::Edit2Change() { StoreOption(&PageSettings::TextTitle, QStringLiteral("TextTitle"), Edit2->text()); }
void TForm4::Edit3Change() { StoreOption(&PageSettings::Instruction, QStringLiteral("Instruction"), Edit3->text()); }
void TForm4::Edit4Change() { StoreOption(&PageSettings::RightMessage, QStringLiteral("RightMessage"), Edit4->text()); }
void TForm4::Edit5Change() { StoreOption(&PageSettings::WrongMessage, QStringLiteral("WrongMessage"), Edit5->text()); }
void TForm4::Edit6Change() { StoreOption(&PageSettings::NextCaption, QStringLiteral("NextCaption"), Edit6->text()); }
void TForm4::ComboBox1Change() { StoreOption(&PageSettings::FontFamily, QStringLiteral("FontFamily"), ComboBox1->currentText()); }
void TForm4::Edit7Change() { StoreOption(&PageSettings::BackgroundColor, QStringLiteral("BackgroundColor"), Edit7->text()); }
void TForm4::Edit8Change() { StoreOption(&PageSettings::HighlightColor, QStringLiteral("HighlightColor"), Edit8->text()); }
void TForm4::Edit9Change() { StoreOption(&PageSettings::TextColor, QStringLiteral("TextColor"), Edit9->text()); }
void TForm4::Edit10Change() { StoreOption(&PageSettings::AnswerZoneColor, QStringLiteral("AnswerZoneColor"), Edit10->text()); }
void TForm4::Edit11Change() { StoreOption(&PageSettings::VocabularyBackColor, QStringLiteral("VocabularyBackColor"), Edit11->text()); }
void TForm4::Edit12Change() { StoreOption(&PageSettings::DoneMessage, QStringLiteral("DoneMessage"), Edit12->text()); }
void TForm4::Edit13Change() { StoreOption(&PageSettings::AnswerColor, QStringLiteral("AnswerColor"), Edit13->text()); }
void TForm4::Edit14Change() { StoreOption(&PageSettings::VocabularyTextColor, QStringLiteral("VocabularyTextColor"), Edit14->text()); }
void TForm4::Edit15Change() { StoreOption(&PageSettings::DefinitionColor, QStringLiteral("DefinitionColor"), Edit15->text()); }

void TForm4::ChooseColor(QLineEdit *field, ColorShape *shape)
{
    // The dialog opens on the colour it last held; Cancel leaves the field, its option
    // and the sample as they were.
    if (!HuemixDialog1->Execute())
        return;
    field->setText(HuemixDialog1->WebColor());
    // After Execute the colour is always a plain one, never a system colour.
    shape->setBrushColor(huemix::ToQColor(HuemixDialog1->Color()));
}

void TForm4::Button2Click() { ChooseColor(Edit7, Shape1); }
void TForm4::Button3Click() { ChooseColor(Edit8, Shape2); }
void TForm4::Button4Click() { ChooseColor(Edit9, Shape3); }
void TForm4::Button5Click() { ChooseColor(Edit10, Shape4); }
void TForm4::Button6Click() { ChooseColor(Edit11, Shape5); }
void TForm4::Button7Click() { ChooseColor(Edit13, Shape6); }
void TForm4::Button8Click() { ChooseColor(Edit14, Shape7); }
void TForm4::selectClick() { ChooseColor(Edit15, Shape8); }
