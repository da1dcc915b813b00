#include "ui/options/Unit5.h"

#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixPalettePages.h"
#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/options/DictionaryBox.h"
#include "ui/options/OptionWidgets.h"

#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>
#include <QWindow>

using lexifind::PageSettings;
using lexifind::options::ColorShape;
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
void ShowStartText(QLineEdit *edit)
{
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    // The field's own margins of 2 pixels on each side, and the caret's pixel.
    const int room = edit->width() - 2 * frame - 5;
    edit->setFont(lexifind::look::fitted(edit->font(), edit->text(), room));
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
    : QWidget(parent, Qt::Window), FSettings(settings)
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

    move(OuterLeft, OuterTop);
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
    Edit4 = MakeEdit(Panel2, "Edit4", 82, 104, 72, QStringLiteral("Bravo !"));
    Label6 = Named(new SymbolLabel(QStringLiteral("="), SymbolLabel::Mark::Cross,
                                   QColor(0xFF, 0x00, 0x00), Panel2),
                   "Label6");
    Label6->setGeometry(164, 104, 29, 29);
    Edit5 = MakeEdit(Panel2, "Edit5", 197, 104, 88, QStringLiteral("Essayez encore !"));
    Label7 = Named(new SymbolLabel(QStringLiteral("C"), SymbolLabel::Mark::Arrow,
                                   palette().color(QPalette::WindowText), Panel2),
                   "Label7");
    Label7->setGeometry(16, 136, 29, 29);
    Edit6 = MakeEdit(Panel2, "Edit6", 82, 136, 200, QStringLiteral("Suite"));
    for (QLineEdit *edit : {Edit4, Edit5, Edit6})
        ShowStartText(edit);

    Label14 = MakeLabel(Panel2, "Label14", QStringLiteral("Stop :"), 16, 176, 79);
    Edit12 = MakeEdit(Panel2, "Edit12", 81, 170, 201, QStringLiteral("Terminé !"));
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
}

void TForm4::CreateNewerOptions()
{
    // Below the classic panel, which keeps its controls where they were.
    Panel4 = MakePanel(this, "Panel4", QFrame::Sunken, palette().color(QPalette::Button));
    Panel4->setGeometry(8, 305, 641, 125);

    constexpr int leftField = 150, rightLabel = 328, rightField = 480, fieldWidth = 150;
    const auto row = [](int index) { return 8 + 29 * index; };

    Label18 = MakeLabel(Panel4, "Label18", QStringLiteral("Langue du texte :"), 8, row(0) + 3,
                        leftField - 2);
    Edit16 = MakeEdit(Panel4, "Edit16", leftField, row(0), fieldWidth);
    Edit16->setPlaceholderText(QStringLiteral("fr, es, zh-Hans…"));
    Edit16->setToolTip(QStringLiteral("Language of the text (BCP 47 tag); empty: none declared"));

    Label19 = MakeLabel(Panel4, "Label19", QStringLiteral("Style de page :"), 8, row(1) + 3,
                        leftField - 2);
    ComboBox2 = Named(new QComboBox(Panel4), "ComboBox2");
    ComboBox2->addItems({QStringLiteral("classique"), QStringLiteral("moderne")});
    ComboBox2->setGeometry(leftField, row(1), fieldWidth, EditHeight);
    ComboBox2->setToolTip(QStringLiteral("classique: the classic page; moderne: the page for "
                                         "phones, keyboards and screen readers"));

    Label20 = MakeLabel(Panel4, "Label20", QStringLiteral("Score de maîtrise (%) :"), 8,
                        row(2) + 3, leftField - 2);
    Edit20 = MakeEdit(Panel4, "Edit20", leftField, row(2), fieldWidth);
    Edit20->setToolTip(QStringLiteral("Percentage of words found that passes in a learning "
                                      "platform (SCORM); empty: none"));

    Label21 = MakeLabel(Panel4, "Label21", QStringLiteral("Libellé du score :"), rightLabel,
                        row(0) + 3, rightField - 2);
    Edit17 = MakeEdit(Panel4, "Edit17", rightField, row(0), fieldWidth);
    Edit17->setPlaceholderText(QStringLiteral("Score :"));

    Label22 = MakeLabel(Panel4, "Label22", QStringLiteral("Bouton recommencer :"), rightLabel,
                        row(1) + 3, rightField - 2);
    Edit18 = MakeEdit(Panel4, "Edit18", rightField, row(1), fieldWidth);
    Edit18->setPlaceholderText(QStringLiteral("Recommencer"));

    Label23 = MakeLabel(Panel4, "Label23", QStringLiteral("Annonce mot trouvé :"), rightLabel,
                        row(2) + 3, rightField - 2);
    Edit19 = MakeEdit(Panel4, "Edit19", rightField, row(2), fieldWidth);
    Edit19->setPlaceholderText(QStringLiteral("trouvé"));
    Edit19->setToolTip(QStringLiteral("What a screen reader says after a found word"));

    Label24 = MakeLabel(Panel4, "Label24", QStringLiteral("Dictionnaire :"), 8, row(3) + 3,
                        leftField - 2);
    ComboBox3 = Named(new lexifind::options::DictionaryBox(
                          [this] { return FSettings.Dictionary; },
                          [this](const QString &value) {
                              StoreOption(&PageSettings::Dictionary, QStringLiteral("Dictionary"), value);
                          },
                          Panel4),
                      "ComboBox3");
    ComboBox3->setGeometry(leftField, row(3), rightField + fieldWidth - leftField, EditHeight);
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
                              // The newer options, column by column.
                              Edit16,  ComboBox2, Edit20, Edit17, Edit18, Edit19, ComboBox3};
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

    connect(Edit16, &QLineEdit::textChanged, this, &TForm4::Edit16Change);
    connect(ComboBox2, &QComboBox::currentTextChanged, this, &TForm4::ComboBox2Change);
    connect(Edit17, &QLineEdit::textChanged, this, &TForm4::Edit17Change);
    connect(Edit18, &QLineEdit::textChanged, this, &TForm4::Edit18Change);
    connect(Edit19, &QLineEdit::textChanged, this, &TForm4::Edit19Change);
    connect(Edit20, &QLineEdit::textChanged, this, &TForm4::Edit20Change);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm4::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm4::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm4::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm4::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TForm4::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TForm4::Button8Click);
    connect(select, &QPushButton::clicked, this, &TForm4::selectClick);
}

void TForm4::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!FPlaced && !event->spontaneous()) {
        FPlaced = true;
        move(OuterLeft, OuterTop);
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
    move(OuterLeft, OuterTop);
    lexifind::KeepOnScreen(this);
}

void TForm4::StoreOption(QString PageSettings::*option, const QString &name, const QString &text)
{
    FSettings.*option = text;
    emit optionChanged(name);
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

void TForm4::Edit16Change() { StoreOption(&PageSettings::TextLanguage, QStringLiteral("TextLanguage"), Edit16->text()); }
void TForm4::ComboBox2Change() { StoreOption(&PageSettings::PageStyle, QStringLiteral("PageStyle"), ComboBox2->currentText()); }
void TForm4::Edit17Change() { StoreOption(&PageSettings::ScoreLabel, QStringLiteral("ScoreLabel"), Edit17->text()); }
void TForm4::Edit18Change() { StoreOption(&PageSettings::RestartCaption, QStringLiteral("RestartCaption"), Edit18->text()); }
void TForm4::Edit19Change() { StoreOption(&PageSettings::FoundLabel, QStringLiteral("FoundLabel"), Edit19->text()); }
void TForm4::Edit20Change() { StoreOption(&PageSettings::MasteryScore, QStringLiteral("MasteryScore"), Edit20->text()); }

void TForm4::ChooseColor(QLineEdit *field, ColorShape *shape)
{
    // The dialog opens on the colour it last held; after Cancel it still hands that
    // colour back, and the field and the sample take it all the same.
    HuemixDialog1->Execute();
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
