#pragma once

#include "colordialog/HuemixPages.h"
#include "colordialog/HuemixPlatform.h" // huemix::ToQColor
#include "colordialog/HuemixSwatch.h"

#include <QFrame>
#include <QListWidget>
#include <QPoint>
#include <QRect>
#include <QStyledItemDelegate>

#include <array>

class QToolButton;
class QPainter;

// VGA, Internet and Windows pages: fixed sets of colours to pick from.

namespace huemix {
// Draws the round mark (character 0x9F of "Wingdings") centred in rect; where that font
// is missing, a dot of our own.
void DrawMark(QPainter &painter, const QRect &rect, int fontHeight, const QColor &color);
} // namespace huemix

// The palette pages' colour rules (usable without a window).
// True when every channel of color lies within tolerance of target's.
bool ColorsWithin(TColor color, const TRGBColor &target, int tolerance);
// Sum over the channels of |c - r| * r / 255: a reference channel of 0 weighs nothing.
double WeightedColorDistance(TColor color, const TRGBColor &reference);
// The web-safe grid: 18 columns, 12 rows, six blocks of 6 x 6 cells.
TColor WebCellColor(int column, int row);
// The cell's rectangle in a grid painted over width x height pixels; its right and
// bottom edges are exclusive. Painting and hit-testing both use it.
QRect WebCellRect(int column, int row, int width, int height);
// One VGA swatch: a panel whose caption is the mark (0x9F) or empty.
class TVGASwatch : public THuemixSwatch
{
    Q_OBJECT
public:
    TVGASwatch(const QString &objectName, const QString &hint, TColor color, int markColorIndex,
               QWidget *parent);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    bool Marked() const { return !FCaption.isEmpty(); }
    QColor MarkColor() const;

protected:
    void PaintContents(QPainter &painter) override;

private:
    int FMarkColorIndex; // -1 for white, -2 for black, else a system colour index
    QString FCaption;
};

class TVGAPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TVGAPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

    void pnlVGAClick(TVGASwatch *sender);

    QFrame *pnlVGA = nullptr;
    QWidget *pnlVGADark = nullptr;
    QWidget *pnlVGALight = nullptr;
    // Top row then bottom row: Black, Maroon, ... Teal, Silver, Gray, Red, ... White.
    std::array<TVGASwatch *, 16> FSwatches{};
    THuemixSwatchGrid *FKeyboard = nullptr;
    TVGASwatch *Swatch(const QString &name) const; // "pnlVGARed"
};

class TInternetPage;

// The paint box of the web-safe grid.
class TWebPaletteBox : public QWidget
{
    Q_OBJECT
public:
    TWebPaletteBox(TInternetPage &page, QWidget *parent);

    // The cell that the arrow keys have reached; Enter or Space picks it.
    QPoint FocusCell() const { return FFocusCell; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    TInternetPage &FPage;
    QPoint FFocusCell{0, 0};
};

class TInternetPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TInternetPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

    void PaintWebPalette();              // repaints the grid now
    QPoint SelectedCell() const;         // the window's FWebCell
    void pntInternetPaint(QPainter &painter);
    void pntInternetMouseDown(Qt::MouseButton button, int x, int y);
    // Closes the dialog with OK (Enter or Space in the grid).
    void AcceptChoice();
    // The cell under (x, y) of the paint box.
    QPoint WebCellAt(int x, int y) const;
    void sbtRoundClick();
    void sbtRoundGrayClick();

    QFrame *pnlInternet = nullptr;
    TWebPaletteBox *pntInternet = nullptr;
    QToolButton *sbtRound = nullptr;
    QToolButton *sbtRoundGray = nullptr;

private:
    QPoint NearestCell(const TRGBColor &reference) const;
};

class TWindowsPage;

// Draws a row of the Windows page: its text after a swatch of its system colour.
class TSystemColorDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

class TWindowsPage : public THuemixPage
{
    Q_OBJECT
public:
    explicit TWindowsPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;
    void LoadSystemColorRows();
    void lsbWindowsClick();

    static constexpr int RowHeight = 13;
    static constexpr int RowCount = 25;
    static QString SystemColorText(int row);
    // The platform's index of the row's system colour; 0 outside the table.
    static int SystemColorIndexOf(int row);

    QListWidget *lsbWindows = nullptr;

private:
    int FUpdating = 0; // > 0 while code, not the user, changes the selection
};
