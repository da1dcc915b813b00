#pragma once

#include "colordialog/HuemixPages.h"

#include <QBasicTimer>
#include <QImage>
#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <initializer_list>

class QFrame;
class QLabel;
class QSlider;

// HSB, RGB, CMY, CMYK and Gray pages: one row of edit, up-down, gradient strip and
// track bar per channel. The track bar positions are a page's state; the other
// controls of a row follow them.

// The channels of color scaled by level / 255, rounded; ERangeError outside 0..255.
TColor ScaleColor(TColor color, int level);

class THuemixUpDown;

// The numeric edit of a row: at most three characters, typed characters pass through
// a filter, the up and down arrow keys step the row's up-down.
class THuemixEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit THuemixEdit(const QString &objectName, QWidget *parent);

    // Sets the text and runs the change handlers even when the text stays the same, as
    // an up-down writing its position must.
    void SetTextNotify(const QString &text);

    THuemixUpDown *FUpDown = nullptr;
    std::function<bool(QChar key)> OnKeyPress; // false discards the character

signals:
    void exited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

// A spinner of two arrows tied to an edit: a position from 0 to Max, step 1, no
// wrap-around. Before every change of the position, by a step of the user or by code,
// it raises changing(); the new position is then written into its edit.
class THuemixUpDown : public QWidget
{
    Q_OBJECT
public:
    THuemixUpDown(const QString &objectName, int max, QWidget *parent);

    int Position() const { return FPosition; }
    void SetPosition(int position);
    int Min() const { return 0; }
    int Max() const { return FMax; }
    void Step(int delta); // a step as the user's arrows make it
    void SetAssociate(THuemixEdit *edit);
    THuemixEdit *Associate() const { return FAssociate; }

signals:
    void changing();
    void clicked(); // after a step by the mouse

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void StepByMouse();

    int FMax;
    QBasicTimer FRepeat; // an arrow held down steps again and again
    int FPosition = 0;
    int FPressedHalf = 0; // +1 upper arrow held, -1 lower, 0 none
    THuemixEdit *FAssociate = nullptr;
};

// A gradient strip: painted column by column into a cached picture, which is drawn
// again on every paint and rebuilt only when Render() is called or its size changes.
class THuemixStrip : public QWidget
{
    Q_OBJECT
public:
    using Painter = std::function<void(QImage &image)>;
    THuemixStrip(const QString &objectName, int tag, QWidget *parent);

    int Tag() const { return FTag; }
    void SetPainter(Painter painter) { FPainter = std::move(painter); }
    void Render(); // rebuilds the picture now and schedules its display
    const QImage &Image() const { return FImage; }

signals:
    void mouseDown(int x);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int FTag;
    Painter FPainter;
    QImage FImage;
};

// One channel row.
struct TSliderRow
{
    QLabel *lbl = nullptr;
    THuemixEdit *edt = nullptr;
    THuemixUpDown *udn = nullptr;
    QFrame *pnl = nullptr; // the strip's frame
    THuemixStrip *pnt = nullptr;
    QSlider *trb = nullptr;
};

// What the five slider pages share: building rows and the handler steps common to all.
class THuemixSliderPage : public THuemixPage
{
    Q_OBJECT
public:
    THuemixSliderPage(TfrmHuemixDialog &window, int tag, const QString &objectName);

    // The key filter of every edit: digits and backspace pass, anything else beeps.
    bool edtPress(QChar key);
    // After a step of an up-down by the mouse: its edit takes the focus, all selected.
    void udnClick(THuemixUpDown *sender);

protected:
    TSliderRow MakeRow(const QString &caption, const QString &channel, int max, int pageStep,
                       int y, int upDownLeft, int stripTag);
    // Connects the edit's key filter and the up-down's click; the page connects the rest.
    void EditChange(const TSliderRow &row);   // the edit's number into the track bar
    void EditExit(const TSliderRow &row);     // the track bar's position into the edit
    void UpDownChanging(const TSliderRow &row); // the up-down's present position into the track bar
    void SyncRow(const TSliderRow &row);      // the track bar's position into the up-down
    void Pick(const TSliderRow &row, int x, int k); // a strip's mouse pick
    static int Pos(const TSliderRow &row);
    // The keyboard's order through the page's controls.
    static void ChainTabOrder(std::initializer_list<QWidget *> order);

    // Connects a row's edit change, edit exit and up-down changing handlers.
    template <typename Page>
    void ConnectRow(const TSliderRow &row, void (Page::*change)(), void (Page::*exit)(),
                    void (Page::*changing)())
    {
        auto *page = static_cast<Page *>(this);
        connect(row.edt, &QLineEdit::textChanged, page, change);
        connect(row.edt, &THuemixEdit::exited, page, exit);
        connect(row.udn, &THuemixUpDown::changing, page, changing);
    }
};

class THSBPage : public THuemixSliderPage
{
    Q_OBJECT
public:
    explicit THSBPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

    void SyncHSBEdits();
    void PaintSaturationBar();
    void PaintBrightnessBar();

    void edtHueChange();
    void edtSaturationChange();
    void edtBrightnessChange();
    void edtHueExit();
    void edtSaturationExit();
    void edtBrightnessExit();
    void udnHueChanging();
    void udnSaturationChanging();
    void udnBrightnessChanging();
    void trbHueChange();
    void trbSaturationChange();
    void trbBrightnessChange();
    void pntHueMouseDown(int x);
    void pntSaturationMouseDown(int x);
    void pntBrightnessMouseDown(int x);
    void pntHuePaint(QImage &image);
    void pntSaturationPaint(QImage &image);
    void pntBrightnessPaint(QImage &image);

    TSliderRow Hue, Saturation, Brightness;

private:
    void PickHSB(const TSliderRow &row, int x, int k);
    // A change of the hue repaints the saturation and brightness strips, a change of
    // the saturation the brightness strip, a change of the brightness neither.
    void RepaintAfter(const TSliderRow &changed);
};

class TRGBPage : public THuemixSliderPage
{
    Q_OBJECT
public:
    explicit TRGBPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

    void SyncRGBEdits();
    void edtRedChange();
    void edtGreenChange();
    void edtBlueChange();
    void edtRedExit();
    void edtGreenExit();
    void edtBlueExit();
    void udnRedChanging();
    void udnGreenChanging();
    void udnBlueChanging();
    void trbRGBChange();
    void pntRGBMouseDown(THuemixStrip *sender, int x);
    void pntRGBPaint(THuemixStrip *sender, QImage &image);

    TSliderRow Red, Green, Blue;
};

class TCMYPage : public THuemixSliderPage
{
    Q_OBJECT
public:
    explicit TCMYPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

    void SyncCMYEdits();
    void edtCyanChange();
    void edtMagentaChange();
    void edtYellowChange();
    void edtCyanExit();
    void edtMagentaExit();
    void edtYellowExit();
    void udnCyanChanging();
    void udnMagentaChanging();
    void udnYellowChanging();
    void trbCMYChange();
    void pntCMYMouseDown(THuemixStrip *sender, int x);

    TSliderRow Cyan, Magenta, Yellow;
};

class TCMYKPage : public THuemixSliderPage
{
    Q_OBJECT
public:
    explicit TCMYKPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

    void SyncCMYKEdits();
    void edtKCyanChange();
    void edtKMagentaChange();
    void edtKYellowChange();
    void edtKBlackChange();
    void edtKCyanExit();
    void edtKMagentaExit();
    void edtKYellowExit();
    void edtKBlackExit();
    void udnKCyanChanging();
    void udnKMagentaChanging();
    void udnKYellowChanging();
    void udnKBlackChanging();
    void trbCMYKChange();
    void pntCMYKMouseDown(THuemixStrip *sender, int x);
    void pntKBlackPaint(QImage &image);

    TSliderRow KCyan, KMagenta, KYellow, KBlack;
};

class TGrayPage : public THuemixSliderPage
{
    Q_OBJECT
public:
    explicit TGrayPage(TfrmHuemixDialog &window);
    bool ReadColor(TRGBColor &color) const override;
    bool ShowColor(const TRGBColor &target) override;

    void SyncGrayEdit();
    void edtGrayChange();
    void edtGrayExit();
    void udnGrayChanging();
    void trbGrayChange();
    void pntGrayMouseDown(int x);
    void pntGrayPaint(QImage &image);

    TSliderRow Gray;
};

// The strips shared by the CMY and CMYK pages: white to cyan, magenta or yellow.
void pntCyanPaint(QImage &image);
void pntMagentaPaint(QImage &image);
void pntYellowPaint(QImage &image);
