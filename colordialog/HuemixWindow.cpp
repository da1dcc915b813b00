#include "colordialog/HuemixWindow.h"

#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixInfoPage.h"
#include "colordialog/HuemixPages.h"
#include "colordialog/HuemixPalettePages.h"
#include "colordialog/HuemixPlatform.h"
#include "colordialog/HuemixSliderPages.h"

#include <QApplication>
#include <QColor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QWindow>
#include <QTabBar>
#include <QTabWidget>

using huemix::ToQColor;

namespace {

// Keeps QTabWidget::currentChanged from counting as the user's change of page.
class ProgrammaticChange
{
public:
    explicit ProgrammaticChange(int &counter) : FCounter(counter) { ++FCounter; }
    ~ProgrammaticChange() { --FCounter; }
    ProgrammaticChange(const ProgrammaticChange &) = delete;
    ProgrammaticChange &operator=(const ProgrammaticChange &) = delete;

private:
    int &FCounter;
};

} // namespace

// ---------------------------------------------------------------------------------------

THuemixColorPanel::THuemixColorPanel(TfrmHuemixDialog &window, Role role, const QString &objectName,
                                     TColor color, QWidget *parent)
    : THuemixSwatch(objectName, color, parent)
    , FWindow(window)
    , FRole(role)
{
    if (role == DropTarget) {
        setAcceptDrops(true);
        setCursor(Qt::PointingHandCursor);
    }
}

void THuemixColorPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (FRole != CurrentColor || !Pressed() || !(event->buttons() & Qt::LeftButton))
        return;
    if ((event->position().toPoint() - PressPos()).manhattanLength() < QApplication::startDragDistance())
        return;
    CancelClick();
    auto *mime = new QMimeData;
    mime->setColorData(ToQColor(Color()));
    mime->setText(QString::fromStdString(ColorToWeb(Color())));
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    QPixmap swatch(16, 16);
    swatch.fill(ToQColor(Color()));
    drag->setPixmap(swatch);
    drag->exec(Qt::CopyAction);
}

void THuemixColorPanel::dragEnterEvent(QDragEnterEvent *event)
{
    if (FRole == DropTarget && FWindow.pnlDragOver(this, event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void THuemixColorPanel::dragMoveEvent(QDragMoveEvent *event)
{
    if (FRole == DropTarget && FWindow.pnlDragOver(this, event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void THuemixColorPanel::dropEvent(QDropEvent *event)
{
    auto *source = qobject_cast<THuemixColorPanel *>(event->source());
    if (FRole != DropTarget || !FWindow.pnlDragOver(this, source)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    FWindow.pnlDragDrop(this, source);
}

// ---------------------------------------------------------------------------------------

TfrmHuemixDialog::TfrmHuemixDialog(THuemixDialog *dialog)
    : QDialog(nullptr)
{
    setObjectName(QStringLiteral("frmHuemixDialog"));
    setWindowTitle(QStringLiteral("Color"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(341, 312);
    QFont font;
    // Liberation Sans has the metrics of the classic face where that is missing.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);

    // The frame first: pages may commit while they are being built.
    pnlColors = new QFrame(this);
    pnlColors->setObjectName(QStringLiteral("pnlColors"));
    pnlColors->setGeometry(8, 236, 64, 32);
    pnlReferenceColor = new THuemixColorPanel(*this, THuemixColorPanel::DropTarget,
                                              QStringLiteral("pnlReferenceColor"), 0x00FFFFFF, pnlColors);
    pnlColor = new THuemixColorPanel(*this, THuemixColorPanel::CurrentColor, QStringLiteral("pnlColor"),
                                     0, pnlColors);

    pnlCollection = new QFrame(this);
    pnlCollection->setObjectName(QStringLiteral("pnlCollection"));
    pnlCollection->setGeometry(77, 236, 261, 32);
    for (int n = 1; n <= 32; ++n) {
        auto *slot = new THuemixColorPanel(*this, THuemixColorPanel::DropTarget,
                                           QStringLiteral("pnl%1").arg(n), 0x00C0C0C0, pnlCollection);
        slot->setGeometry(n <= 16 ? 16 * (n - 1) : 16 * (n - 17), n <= 16 ? 0 : 16, 16, 16);
        connect(slot, &THuemixColorPanel::clicked, this, [this, slot] { pnlCollectionClick(slot); });
        FCollectionPanels[std::size_t(n - 1)] = slot;
    }
    new THuemixSwatchGrid(QList<THuemixSwatch *>(FCollectionPanels.begin(), FCollectionPanels.end()),
                          16, this);
    connect(pnlReferenceColor, &THuemixColorPanel::clicked, this,
            [this] { pnlCollectionClick(pnlReferenceColor); });
    LayOutFrames();

    pgcSystems = new QTabWidget(this);
    pgcSystems->setObjectName(QStringLiteral("pgcSystems"));
    pgcSystems->setGeometry(0, 0, 341, 225);
    // All nine tabs fit across the fixed width, as they did with the small system font.
    pgcSystems->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 4px; }"));
    pgcSystems->setUsesScrollButtons(false);
    connect(pgcSystems, &QTabWidget::currentChanged, this, [this](int) {
        // Only the user's choice of a tab shows the colour on the new page.
        if (FProgrammaticPageChange == 0 && FCreated)
            pgcSystemsChange();
    });

    {
        ProgrammaticChange building(FProgrammaticPageChange);
        FPages = {tshVGA = new TVGAPage(*this),      tshInternet = new TInternetPage(*this),
                  tshHSB = new THSBPage(*this),      tshRGB = new TRGBPage(*this),
                  tshCMY = new TCMYPage(*this),      tshCMYK = new TCMYKPage(*this),
                  tshGray = new TGrayPage(*this),    tshWindows = new TWindowsPage(*this),
                  tshInfo = new TInfoPage(*this)};
        static const char *const captions[9] = {"VGA", "Internet", "HSB", "RGB", "CMY",
                                                "CMYK", "Gray", "Windows", "Info"};
        for (int i = 0; i < 9; ++i)
            pgcSystems->addTab(FPages[std::size_t(i)], QString::fromLatin1(captions[i]));
        pgcSystems->setCurrentWidget(tshCMYK); // as laid out
    }
    // The buttons after the pages, so that the keyboard reaches the pages first.
    btnHelp = new QPushButton(QStringLiteral("Help"), this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnHelp->setGeometry(8, 280, 77, 25);
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(172, 280, 77, 25);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(256, 280, 77, 25);
    connect(btnHelp, &QPushButton::clicked, this, [this] { btnHelpClick(); });
    // F1 asks for the window's own topic, when it has one, whether or not Help is shown.
    auto *f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] {
        if (FHelpContext != 0)
            huemix::platform().help(FHelpContext);
    });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    FCreated = true;

    FormCreate();
    FOwnerDialog = dialog;
}

TfrmHuemixDialog::~TfrmHuemixDialog()
{
    // Nothing of the window reaches the component while it is being taken apart.
    FOwnerDialog = nullptr;
    FCreated = false;
}

void TfrmHuemixDialog::FormCreate()
{
    tshWindows->LoadSystemColorRows();
    ShowColorOnPage(FCurrentRGB);
    UpdateInfoOptions();
}

void TfrmHuemixDialog::LayOutFrames()
{
    // With the 3-D look a single border is a two-pixel sunken edge, otherwise a flat line;
    // the swatches inside fill what the border leaves.
    const int b = FCtl3D ? 2 : 1;
    auto style = [this](QFrame *frame) {
        if (FCtl3D) {
            frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            frame->setLineWidth(2);
        } else {
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            frame->setLineWidth(1);
        }
    };
    style(pnlColors);
    pnlReferenceColor->setGeometry(b, b, 30, 32 - 2 * b);
    pnlColor->setGeometry(b + 30, b, 64 - 2 * b - 30, 32 - 2 * b);
    for (THuemixColorPanel *slot : FCollectionPanels)
        style(slot);
}

void TfrmHuemixDialog::SetCtl3D(bool value)
{
    FCtl3D = value;
    LayOutFrames();
}

void TfrmHuemixDialog::SetStayOnTop(bool value)
{
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, value);
    if (flags == windowFlags())
        return;
    if (isVisible() && windowHandle()) {
        // setWindowFlags would hide the window, and hiding a modal dialog ends its loop.
        overrideWindowFlags(flags);
        windowHandle()->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void TfrmHuemixDialog::SetTabVisibility(TDialogPages pages)
{
    ProgrammaticChange change(FProgrammaticPageChange);
    for (int i = 0; i < pgcSystems->count(); ++i) {
        const int tag = pgcSystems->widget(i)->property("Tag").toInt();
        const bool shown = (pages & (1u << tag)) != 0;
        pgcSystems->setTabVisible(i, shown);
        // The tab bar's keys and wheel skip disabled tabs only: a hidden page is
        // disabled too, so that they never bring it up under a visible tab's caption.
        pgcSystems->setTabEnabled(i, shown);
    }
}

void TfrmHuemixDialog::ActivatePage(int tag)
{
    ProgrammaticChange change(FProgrammaticPageChange);
    THuemixPage *page = Page(tag);
    if (!page)
        return;
    const int index = pgcSystems->indexOf(page);
    if (index >= 0 && pgcSystems->isTabVisible(index))
        pgcSystems->setCurrentIndex(index);
}

THuemixPage *TfrmHuemixDialog::Page(int tag) const
{
    for (THuemixPage *page : FPages)
        if (page && page->Tag() == tag)
            return page;
    return nullptr;
}

int TfrmHuemixDialog::ActivePageTag() const
{
    if (!pgcSystems)
        return -1;
    const int index = pgcSystems->currentIndex();
    if (index < 0 || !pgcSystems->isTabVisible(index))
        return -1;
    return pgcSystems->widget(index)->property("Tag").toInt();
}

TColor TfrmHuemixDialog::ColorPanelColor() const { return pnlColor->Color(); }

TRGBColor TfrmHuemixDialog::ReadPageColor()
{
    TRGBColor color = FCurrentRGB;
    if (THuemixPage *page = Page(ActivePageTag())) {
        TRGBColor picked;
        if (page->ReadColor(picked))
            color = picked;
    }
    return color;
}

void TfrmHuemixDialog::ShowColorOnPage(const TRGBColor &target)
{
    // target may be FCurrentRGB itself, which the page's change handlers overwrite.
    const TRGBColor copy = target;
    if (THuemixPage *page = Page(ActivePageTag()))
        if (!page->ShowColor(copy))
            return;
    CommitColor();
}

void TfrmHuemixDialog::CommitColor()
{
    FCurrentRGB = ReadPageColor();
    pnlColor->SetColor(RGBToColor(FCurrentRGB));
    pnlColor->repaint();
    // The Info page's show runs before this commit and reads pnlColor: refresh it so that
    // its lines never describe the colour that was current before.
    if (ActivePageTag() == pageInfo)
        tshInfo->UpdateInfoPage();
    if (FOwnerDialog
        && (FOwnerDialog->FColor != pnlColor->Color()
            || FOwnerDialog->FReferenceColor != pnlReferenceColor->Color())) {
        FOwnerDialog->FReferenceColor = pnlReferenceColor->Color();
        FOwnerDialog->FColor = pnlColor->Color();
        FOwnerDialog->DoApply(false);
    }
}

TColor TfrmHuemixDialog::GetCurrentColor() { return RGBToColor(ReadPageColor()); }

void TfrmHuemixDialog::SetCurrentColor(TColor color)
{
    FCurrentRGB = SplitColor(color);
    ShowColorOnPage(FCurrentRGB);
}

TColor TfrmHuemixDialog::GetReferenceColor() const { return pnlReferenceColor->Color(); }

void TfrmHuemixDialog::SetReferenceColor(TColor color)
{
    if (color == pnlReferenceColor->Color())
        return;
    pnlReferenceColor->SetColor(color);
    CommitColor();
}

THuemixColorPanel *TfrmHuemixDialog::CollectionPanel(int n) const
{
    if (n < 1 || n > 32)
        throw ERangeError();
    return FCollectionPanels[std::size_t(n - 1)];
}

TColor TfrmHuemixDialog::GetCollectionColor(int n) const { return CollectionPanel(n)->Color(); }

void TfrmHuemixDialog::SetCollectionColor(int n, TColor color) { CollectionPanel(n)->SetColor(color); }

void TfrmHuemixDialog::UpdateInfoPage() { tshInfo->UpdateInfoPage(); }

void TfrmHuemixDialog::UpdateInfoOptions() { tshInfo->UpdateInfoOptions(); }

void TfrmHuemixDialog::pgcSystemsChange() { ShowColorOnPage(FCurrentRGB); }

void TfrmHuemixDialog::pnlCollectionClick(THuemixColorPanel *panel)
{
    const TColor clicked = panel->Color();
    ShowColorOnPage(SplitColor(clicked));
    if (pnlColor->Color() != clicked) {
        pnlColor->SetColor(clicked);
        FCurrentRGB = SplitColor(clicked);
    }
    CommitColor();
    UpdateInfoPage();
}

bool TfrmHuemixDialog::pnlDragOver(QObject *, QObject *source) const
{
    return source != nullptr && source == pnlColor;
}

void TfrmHuemixDialog::pnlDragDrop(THuemixColorPanel *target, THuemixColorPanel *source)
{
    target->SetColor(source->Color());
    CommitColor();
}

void TfrmHuemixDialog::btnHelpClick()
{
    const int context = FAutoHelpContext ? FHelpContext + 1 + ActivePageTag() : FHelpContext;
    huemix::platform().help(context);
}

void TfrmHuemixDialog::SystemColorsChanged()
{
    tshWindows->LoadSystemColorRows();
    CommitColor();
}

bool TfrmHuemixDialog::event(QEvent *event)
{
    if (event->type() == QEvent::ApplicationPaletteChange && FCreated)
        SystemColorsChanged();
    return QDialog::event(event);
}

void TfrmHuemixDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange && FCreated)
        SystemColorsChanged();
    QDialog::changeEvent(event);
}
