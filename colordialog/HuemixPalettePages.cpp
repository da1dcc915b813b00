#include "colordialog/HuemixPalettePages.h"

#include "colordialog/HuemixPlatform.h"
#include "colordialog/HuemixWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QKeyEvent>
#include <QStyleOptionFocusRect>

#include <cmath>

using huemix::DrawMark;
using huemix::ToQColor;

namespace {

const QString MarkCaption = QString(QChar(0x9F));

constexpr int MarkWhite = -1;
constexpr int MarkBlack = -2;
constexpr int WindowTextIndex = 8; // COLOR_WINDOWTEXT

bool HasSymbolFont()
{
    static const bool has = QFontDatabase::families().contains(QStringLiteral("Wingdings"));
    return has;
}

// The glyphs of the two rounding buttons: a 12-pixel disc centred on 16 x 16.
QIcon RoundGlyph(bool gray)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(gray ? QPen(Qt::black, 1) : Qt::NoPen);
    painter.setBrush(gray ? QColor(128, 128, 128) : QColor(Qt::black));
    painter.drawEllipse(gray ? QRectF(2.5, 2.5, 11, 11) : QRectF(2, 2, 12, 12));
    painter.end();
    return QIcon(pixmap);
}

} // namespace

bool ColorsWithin(TColor color, const TRGBColor &target, int tolerance)
{
    const TRGBColor c = SplitColor(color);
    return std::abs(c.Red - target.Red) <= tolerance && std::abs(c.Green - target.Green) <= tolerance
        && std::abs(c.Blue - target.Blue) <= tolerance;
}

double WeightedColorDistance(TColor color, const TRGBColor &reference)
{
    const TRGBColor c = SplitColor(color);
    return std::abs(c.Red - reference.Red) * reference.Red / 255
         + std::abs(c.Green - reference.Green) * reference.Green / 255
         + std::abs(c.Blue - reference.Blue) * reference.Blue / 255;
}

TColor WebCellColor(int column, int row)
{
    const int red = 51 * (2 * (column / 6) + row / 6);
    const int green = 51 * (column % 6);
    const int blue = 51 * (row % 6);
    return TColor(red | (green << 8) | (blue << 16));
}

QRect WebCellRect(int column, int row, int width, int height)
{
    const int left = column * (width - 1) / 18;
    const int top = row * (height - 1) / 12;
    const int right = (column + 1) * (width - 1) / 18;
    const int bottom = (row + 1) * (height - 1) / 12;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void huemix::DrawMark(QPainter &painter, const QRect &rect, int fontHeight, const QColor &color)
{
    painter.save();
    if (HasSymbolFont()) {
        QFont font(QStringLiteral("Wingdings"));
        font.setPixelSize(fontHeight);
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, MarkCaption);
    } else {
        // The bullet of the symbol font is about a quarter of its height across.
        const double diameter = fontHeight / 4 + 1;
        const QPointF centre(rect.left() + rect.width() / 2.0, rect.top() + rect.height() / 2.0);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(centre, diameter / 2, diameter / 2);
    }
    painter.restore();
}

// ---------------------------------------------------------------------------- VGA page

TVGASwatch::TVGASwatch(const QString &objectName, const QString &hint, TColor color,
                       int markColorIndex, QWidget *parent)
    : THuemixSwatch(objectName, color, parent)
    , FMarkColorIndex(markColorIndex)
{
    // The colour's name is the swatch's hint, kept but not shown as a tooltip.
    setProperty("Hint", hint);
    setAccessibleName(hint);
    setFrameStyle(QFrame::Panel | QFrame::Plain);
    setLineWidth(1);
    setFixedSize(32, 32);
}

void TVGASwatch::SetCaption(const QString &caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    update();
}

QColor TVGASwatch::MarkColor() const
{
    if (FMarkColorIndex == MarkWhite)
        return Qt::white;
    if (FMarkColorIndex == MarkBlack)
        return Qt::black;
    return ToQColor(huemix::platform().sysColor(FMarkColorIndex));
}

void TVGASwatch::PaintContents(QPainter &painter)
{
    if (Marked())
        DrawMark(painter, contentsRect(), 37, MarkColor());
}

TVGAPage::TVGAPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 0, QStringLiteral("tshVGA"))
{
    struct Entry { const char *name; TColor color; int mark; };
    static const Entry entries[16] = {
        {"Black", 0x00000000, MarkWhite},         {"Maroon", 0x00000080, MarkWhite},
        {"Green", 0x00008000, MarkWhite},         {"Olive", 0x00008080, MarkWhite},
        {"Navy", 0x00800000, MarkWhite},          {"Purple", 0x00800080, MarkWhite},
        {"Teal", 0x00808000, MarkWhite},          {"Silver", 0x00C0C0C0, WindowTextIndex},
        {"Gray", 0x00808080, MarkWhite},          {"Red", 0x000000FF, WindowTextIndex},
        {"Lime", 0x0000FF00, WindowTextIndex},    {"Yellow", 0x0000FFFF, WindowTextIndex},
        {"Blue", 0x00FF0000, MarkBlack},          {"Fuchsia", 0x00FF00FF, WindowTextIndex},
        {"Aqua", 0x00FFFF00, WindowTextIndex},    {"White", 0x00FFFFFF, WindowTextIndex},
    };

    pnlVGA = new QFrame(this);
    pnlVGA->setObjectName(QStringLiteral("pnlVGA"));
    pnlVGA->setFrameStyle(QFrame::NoFrame);
    pnlVGA->setGeometry(36, 66, 257, 64);
    pnlVGADark = new QWidget(pnlVGA);
    pnlVGADark->setObjectName(QStringLiteral("pnlVGADark"));
    pnlVGADark->setGeometry(0, 0, 257, 32);
    pnlVGALight = new QWidget(pnlVGA);
    pnlVGALight->setObjectName(QStringLiteral("pnlVGALight"));
    pnlVGALight->setGeometry(0, 32, 257, 32);

    for (int i = 0; i < 16; ++i) {
        const Entry &e = entries[i];
        QWidget *row = i < 8 ? pnlVGADark : pnlVGALight;
        auto *swatch = new TVGASwatch(QStringLiteral("pnlVGA") + QLatin1String(e.name),
                                      QLatin1String(e.name), e.color, e.mark, row);
        swatch->move(32 * (i % 8), 0);
        connect(swatch, &TVGASwatch::clicked, this, [this, swatch] { pnlVGAClick(swatch); });
        FSwatches[i] = swatch;
    }
    FSwatches[0]->SetCaption(MarkCaption); // black is marked until a colour is shown
    FKeyboard = new THuemixSwatchGrid(QList<THuemixSwatch *>(FSwatches.begin(), FSwatches.end()),
                                      8, this);
    // A palette picked from the keyboard is a choice made: the dialog closes with OK.
    connect(FKeyboard, &THuemixSwatchGrid::chosen, &FWindow, &QDialog::accept);
}

TVGASwatch *TVGAPage::Swatch(const QString &name) const
{
    for (TVGASwatch *swatch : FSwatches)
        if (swatch->objectName() == name)
            return swatch;
    return nullptr;
}

void TVGAPage::pnlVGAClick(TVGASwatch *sender)
{
    for (TVGASwatch *swatch : FSwatches)
        swatch->SetCaption(QString());
    sender->SetCaption(MarkCaption);
    FWindow.CommitColor();
}

bool TVGAPage::ReadColor(TRGBColor &color) const
{
    for (TVGASwatch *swatch : FSwatches)
        if (swatch->Marked()) {
            color = SplitColor(swatch->Color());
            return true;
        }
    return false;
}

bool TVGAPage::ShowColor(const TRGBColor &target)
{
    for (TVGASwatch *swatch : FSwatches)
        swatch->SetCaption(ColorsWithin(swatch->Color(), target, 1) ? MarkCaption : QString());
    return true;
}

// ------------------------------------------------------------------------ Internet page

TWebPaletteBox::TWebPaletteBox(TInternetPage &page, QWidget *parent)
    : QWidget(parent)
    , FPage(page)
{
    setObjectName(QStringLiteral("pntInternet"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void TWebPaletteBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    FPage.pntInternetPaint(painter);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = WebCellRect(FFocusCell.x(), FFocusCell.y(), width(), height()).adjusted(1, 1, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void TWebPaletteBox::focusInEvent(QFocusEvent *event)
{
    // The keys start from the selected cell, if there is one.
    const QPoint selected = FPage.SelectedCell();
    if (selected.x() >= 0 && selected.y() >= 0)
        FFocusCell = selected;
    QWidget::focusInEvent(event);
    update();
}

void TWebPaletteBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TWebPaletteBox::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    QPoint cell = FFocusCell;
    switch (event->key()) {
    case Qt::Key_Left: cell.rx() = std::max(cell.x() - 1, 0); break;
    case Qt::Key_Right: cell.rx() = std::min(cell.x() + 1, 17); break;
    case Qt::Key_Up: cell.ry() = std::max(cell.y() - 1, 0); break;
    case Qt::Key_Down: cell.ry() = std::min(cell.y() + 1, 11); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        // As a click in the middle of the cell.
        const QPoint centre = WebCellRect(cell.x(), cell.y(), width(), height()).center();
        FPage.pntInternetMouseDown(Qt::LeftButton, centre.x(), centre.y());
        // Picked from the keyboard: a choice made, the dialog closes with OK.
        FPage.AcceptChoice();
        return;
    }
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    FFocusCell = cell;
    update();
}

void TWebPaletteBox::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    FPage.pntInternetMouseDown(event->button(), pos.x(), pos.y());
}

TInternetPage::TInternetPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 1, QStringLiteral("tshInternet"))
{
    pnlInternet = new QFrame(this);
    pnlInternet->setObjectName(QStringLiteral("pnlInternet"));
    pnlInternet->setFrameStyle(QFrame::WinPanel | QFrame::Sunken); // two pixels each side
    pnlInternet->setGeometry(12, 12, 275, 169);
    pntInternet = new TWebPaletteBox(*this, pnlInternet);
    pntInternet->setGeometry(2, 2, 271, 165);

    auto makeButton = [this](const char *name, int top, const char *hint, bool gray) {
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(300, top, 23, 24);
        button->setIcon(RoundGlyph(gray));
        button->setIconSize(QSize(16, 16));
        button->setAutoRaise(true);
        // Reachable with Tab, Space presses it, as any button of the dialog.
        button->setFocusPolicy(Qt::StrongFocus);
        button->setToolTip(QLatin1String(hint));
        return button;
    };
    sbtRound = makeButton("sbtRound", 12, "Round to nearest color", false);
    sbtRoundGray = makeButton("sbtRoundGray", 40, "Round to nearest gray", true);
    connect(sbtRound, &QToolButton::clicked, this, &TInternetPage::sbtRoundClick);
    connect(sbtRoundGray, &QToolButton::clicked, this, &TInternetPage::sbtRoundGrayClick);
}

QPoint TInternetPage::SelectedCell() const
{
    return FWindow.FWebCell;
}

void TInternetPage::PaintWebPalette()
{
    pntInternet->repaint();
}

void TInternetPage::pntInternetPaint(QPainter &painter)
{
    const int w = pntInternet->width();
    const int h = pntInternet->height();
    painter.fillRect(pntInternet->rect(), palette().window());
    painter.setPen(QPen(Qt::black, 0));
    // The frame from (-1, -1) to (w, h): only its right and bottom edges show.
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(-1, -1), QPoint(w - 2, h - 2)));
    const QPoint selected = FWindow.FWebCell;
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 18; ++c) {
            const QRect cell = WebCellRect(c, r, w, h);
            const TColor color = WebCellColor(c, r);
            painter.setBrush(ToQColor(color));
            // A QRect's outline covers its right and bottom pixels: one less each way.
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            if (selected == QPoint(c, r)) {
                const TRGBColor rgb = SplitColor(color);
                const bool light = rgb.Red + rgb.Green + rgb.Blue / 4 > 192;
                DrawMark(painter, cell, 13, light ? QColor(Qt::black) : QColor(Qt::white));
                painter.setPen(QPen(Qt::black, 0));
            }
        }
}

QPoint TInternetPage::WebCellAt(int x, int y) const
{
    const int w = pntInternet->width();
    const int h = pntInternet->height();
    int column = 17;
    for (int i = 0; i < 18; ++i)
        if (WebCellRect(i, 0, w, h).left() > x) {
            column = i - 1;
            break;
        }
    int row = 11;
    for (int j = 0; j < 12; ++j)
        if (WebCellRect(0, j, w, h).top() > y) {
            row = j - 1;
            break;
        }
    // A press left of or above the grid (possible only while the mouse is grabbed)
    // still lands on a cell.
    return QPoint(std::max(column, 0), std::max(row, 0));
}
void TInternetPage::AcceptChoice()
{
    FWindow.accept();
}


void TInternetPage::pntInternetMouseDown(Qt::MouseButton, int x, int y)
{
    FWindow.FWebCell = WebCellAt(x, y);
    PaintWebPalette();
    FWindow.CommitColor();
}

bool TInternetPage::ReadColor(TRGBColor &color) const
{
    const QPoint cell = FWindow.FWebCell;
    if (cell.x() == -1 || cell.y() == -1)
        return false;
    color = SplitColor(WebCellColor(cell.x(), cell.y()));
    return true;
}

bool TInternetPage::ShowColor(const TRGBColor &target)
{
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 18; ++c)
            if (ColorsWithin(WebCellColor(c, r), target, 0)) {
                if (FWindow.FWebCell == QPoint(c, r))
                    return false; // already selected: nothing to show, nothing to commit
                FWindow.FWebCell = QPoint(c, r);
                PaintWebPalette();
                return true; // the window's commit takes the cell's colour
            }
    if (FWindow.FWebCell != QPoint(-1, -1)) {
        FWindow.FWebCell = QPoint(-1, -1);
        PaintWebPalette();
    }
    return true;
}

QPoint TInternetPage::NearestCell(const TRGBColor &reference) const
{
    double best = 765;
    QPoint bestCell(-1, -1);
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 18; ++c) {
            const double d = WeightedColorDistance(WebCellColor(c, r), reference);
            if (d < best) {
                best = d;
                bestCell = QPoint(c, r);
            }
        }
    return bestCell;
}

void TInternetPage::sbtRoundClick()
{
    const QPoint cell = NearestCell(FWindow.FCurrentRGB);
    FWindow.ShowColorOnPage(SplitColor(WebCellColor(cell.x(), cell.y())));
}

void TInternetPage::sbtRoundGrayClick()
{
    const THSBColor hsb = RGBToHSB(FWindow.FCurrentRGB);
    const TRGBColor gray = HSBToRGB(MakeHSB(hsb.Hue, 0, hsb.Brightness));
    const QPoint cell = NearestCell(gray);
    FWindow.ShowColorOnPage(SplitColor(WebCellColor(cell.x(), cell.y())));
}

// ------------------------------------------------------------------------- Windows page

namespace {

struct SystemColorRow { const char *text; int index; };

const SystemColorRow SystemColorRows[TWindowsPage::RowCount] = {
    {"Dark shadow for 3D display elements", 21},
    {"Face color for 3D display elements", 15},
    {"Highlight color for 3D display elements", 20},
    {"Light color for 3D display elements", 22},
    {"Shadow color for 3D display elements", 16},
    {"Active window border", 10},
    {"Active window caption", 2},
    {"Background color of MDI applications", 12},
    {"Desktop", 1},
    {"Text on push buttons", 18},
    {"Text in caption, size box, and scroll bar arrow box", 9},
    {"Grayed (disabled) text", 17},
    {"Item(s) selected in a control", 13},
    {"Text of item(s) selected in a control", 14},
    {"Inactive window border", 11},
    {"Inactive window caption", 3},
    {"Color of text in an inactive caption", 19},
    {"Background color for tooltip controls", 24},
    {"Text color for tooltip controls", 23},
    {"Menu background", 4},
    {"Text in menus", 7},
    {"Scroll bar gray area", 0},
    {"Window background", 5},
    {"Window frame", 6},
    {"Text in windows", 8},
};

} // namespace

QString TWindowsPage::SystemColorText(int row)
{
    return row >= 0 && row < RowCount ? QLatin1String(SystemColorRows[row].text) : QString();
}

int TWindowsPage::SystemColorIndexOf(int row)
{
    return row >= 0 && row < RowCount ? SystemColorRows[row].index : 0;
}

void TSystemColorDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    // The row is always drawn in full; the focus indication is left to the toolkit's style.
    const QRect rect = option.rect;
    const int h = TWindowsPage::RowHeight;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &pal = option.palette;
    painter->save();
    painter->fillRect(rect, selected ? pal.highlight() : pal.base());
    const QColor textColor = selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
    painter->setPen(textColor);
    painter->setFont(option.font);
    painter->drawText(QRect(rect.left() + h + 8, rect.top(), rect.width() - h - 8, rect.height()),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    const TColor swatch = huemix::platform().sysColor(index.data(Qt::UserRole).toInt());
    painter->setBrush(ToQColor(swatch));
    painter->setPen(QPen(textColor, 0));
    // From (left + 2, top + 2) to (h + 2, bottom - 2), right and bottom exclusive: 13 x 9.
    painter->drawRect(QRect(QPoint(rect.left() + 2, rect.top() + 2),
                            QPoint(h + 2 - 2, rect.top() + h - 2 - 2)));
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : nullptr;
        if (style)
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

QSize TSystemColorDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), TWindowsPage::RowHeight);
}

TWindowsPage::TWindowsPage(TfrmHuemixDialog &window)
    : THuemixPage(window, 7, QStringLiteral("tshWindows"))
{
    lsbWindows = new QListWidget(this);
    lsbWindows->setObjectName(QStringLiteral("lsbWindows"));
    lsbWindows->setGeometry(8, 12, 317, 173);
    lsbWindows->setSelectionMode(QAbstractItemView::SingleSelection);
    lsbWindows->setUniformItemSizes(true);
    lsbWindows->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    lsbWindows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lsbWindows->setItemDelegate(new TSystemColorDelegate(lsbWindows));
    for (int row = 0; row < RowCount; ++row) {
        auto *item = new QListWidgetItem(SystemColorText(row), lsbWindows);
        item->setSizeHint(QSize(0, RowHeight));
    }
    connect(lsbWindows, &QListWidget::itemSelectionChanged, this, [this] {
        if (FUpdating == 0)
            lsbWindowsClick();
    });
}

void TWindowsPage::LoadSystemColorRows()
{
    for (int row = 0; row < lsbWindows->count(); ++row)
        lsbWindows->item(row)->setData(Qt::UserRole, SystemColorIndexOf(row));
    lsbWindows->viewport()->update(); // the swatches show the new values
}

void TWindowsPage::lsbWindowsClick()
{
    FWindow.CommitColor();
}

bool TWindowsPage::ReadColor(TRGBColor &color) const
{
    const QList<QListWidgetItem *> selected = lsbWindows->selectedItems();
    if (selected.isEmpty())
        return false;
    const int row = lsbWindows->row(selected.first());
    if (row < 0 || row >= lsbWindows->count())
        return false;
    const int index = lsbWindows->item(row)->data(Qt::UserRole).toInt();
    color = SplitColor(huemix::platform().sysColor(index));
    return true;
}

bool TWindowsPage::ShowColor(const TRGBColor &)
{
    ++FUpdating;
    lsbWindows->scrollToTop();
    if (!lsbWindows->selectedItems().isEmpty()) {
        lsbWindows->setCurrentRow(0);
        lsbWindows->clearSelection();
    }
    --FUpdating;
    if (lsbWindows->isVisible())
        lsbWindows->setFocus();
    return true;
}
