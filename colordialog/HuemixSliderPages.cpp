#include "colordialog/HuemixSliderPages.h"

#include "colordialog/HuemixPlatform.h"
#include "colordialog/HuemixWindow.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QStyleOption>

#include <algorithm>

using huemix::ToQColor;

namespace {

int RoundToInt(double value) { return int(RoundHalfEven(value)); }

// Fills every column x of image with the colour column(x, width).
void FillColumns(QImage &image, const std::function<TColor(int x, int w)> &column)
{
    const int w = image.width();
    for (int x = 0; x < w; ++x) {
        const QRgb rgb = ToQColor(column(x, w)).rgb();
        for (int y = 0; y < image.height(); ++y)
            image.setPixel(x, y, rgb);
    }
}

} // namespace

TColor ScaleColor(TColor color, int level)
{
    const TRGBColor c = SplitColor(color);
    return RGBToColor(MakeRGB(level * c.Red / 255, level * c.Green / 255, level * c.Blue / 255));
}

// ------------------------------------------------------------------------------ edit

THuemixEdit::THuemixEdit(const QString &objectName, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(objectName);
    setMaxLength(3);
    setText(QStringLiteral("0"));
}

void THuemixEdit::SetTextNotify(const QString &value)
{
    if (text() != value)
        setText(value);
    else
        emit textChanged(value); // the cursor stays where the user left it
}

void THuemixEdit::keyPressEvent(QKeyEvent *event)
{
    if (FUpDown && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        FUpDown->Step(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    // Typed characters go through the filter. Shortcuts (copy, paste, select all) and
    // keys that type nothing printable (Delete, Enter, Escape) are not typing and keep
    // their meaning; backspace passes the filter anyway.
    const QString text = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
    if (!text.isEmpty() && text.at(0).isPrint() && !shortcut && OnKeyPress && !OnKeyPress(text.at(0))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void THuemixEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Leaving the field means the focus moving to another control of the window; the
    // window losing the activation (another application, a pop-up, closing) is not.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit exited();
}

// --------------------------------------------------------------------------- up-down

THuemixUpDown::THuemixUpDown(const QString &objectName, int max, QWidget *parent)
    : QWidget(parent)
    , FMax(max)
{
    setObjectName(objectName);
    setFocusPolicy(Qt::NoFocus);
}

void THuemixUpDown::SetAssociate(THuemixEdit *edit)
{
    FAssociate = edit;
    if (edit)
        edit->FUpDown = this;
}

void THuemixUpDown::SetPosition(int position)
{
    position = std::clamp(position, 0, FMax);
    if (position == FPosition)
        return;
    emit changing();
    FPosition = position;
    if (FAssociate)
        FAssociate->SetTextNotify(QString::number(FPosition));
}

void THuemixUpDown::Step(int delta)
{
    SetPosition(FPosition + delta); // no wrap-around: the ends hold
}

void THuemixUpDown::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        const bool down = (i == 0 && FPressedHalf == 1) || (i == 1 && FPressedHalf == -1);
        button.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(3, 2, -3, -2);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &arrow, &painter, this);
    }
}

void THuemixUpDown::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    FPressedHalf = event->position().y() < height() / 2 ? 1 : -1;
    update();
    StepByMouse();
    if (FPressedHalf != 0)
        FRepeat.start(400, this);
}

void THuemixUpDown::StepByMouse()
{
    Step(FPressedHalf);
    emit clicked();
}

void THuemixUpDown::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != FRepeat.timerId())
        return QWidget::timerEvent(event);
    if (FPressedHalf == 0 || !(QApplication::mouseButtons() & Qt::LeftButton)) {
        FRepeat.stop();
        FPressedHalf = 0;
        update();
        return;
    }
    StepByMouse();
    FRepeat.start(50, this);
}

void THuemixUpDown::mouseReleaseEvent(QMouseEvent *)
{
    FRepeat.stop();
    FPressedHalf = 0;
    update();
}

// ----------------------------------------------------------------------------- strip

THuemixStrip::THuemixStrip(const QString &objectName, int tag, QWidget *parent)
    : QWidget(parent)
    , FTag(tag)
{
    setObjectName(objectName);
    setProperty("Tag", tag);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void THuemixStrip::Render()
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (FPainter)
        FPainter(image);
    FImage = image;
    update();
}

void THuemixStrip::paintEvent(QPaintEvent *)
{
    if (FImage.isNull() || FImage.size() != size())
        Render();
    QPainter painter(this);
    painter.drawImage(0, 0, FImage);
}

void THuemixStrip::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(int(event->position().x()));
}

// ------------------------------------------------------------------------ page base

THuemixSliderPage::THuemixSliderPage(TfrmHuemixDialog &window, int tag, const QString &objectName)
    : THuemixPage(window, tag, objectName)
{
}

bool THuemixSliderPage::edtPress(QChar key)
{
    if ((key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QChar(8))
        return true;
    huemix::platform().beep();
    return false;
}

void THuemixSliderPage::udnClick(THuemixUpDown *sender)
{
    if (THuemixEdit *edit = sender->Associate()) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

TSliderRow THuemixSliderPage::MakeRow(const QString &caption, const QString &channel, int max,
                                      int pageStep, int y, int upDownLeft, int stripTag)
{
    TSliderRow row;
    row.edt = new THuemixEdit(QStringLiteral("edt") + channel, this);
    row.edt->setGeometry(8, y + 16, 41, 21);
    row.edt->OnKeyPress = [this](QChar key) { return edtPress(key); };

    row.udn = new THuemixUpDown(QStringLiteral("udn") + channel, max, this);
    row.udn->setGeometry(upDownLeft, y + 16, 15, 21);
    row.udn->SetAssociate(row.edt);
    THuemixUpDown *udn = row.udn;
    connect(udn, &THuemixUpDown::clicked, this, [this, udn] { udnClick(udn); });

    row.lbl = new QLabel(caption, this);
    row.lbl->setObjectName(QStringLiteral("lbl") + channel);
    row.lbl->move(8, y);
    row.lbl->adjustSize();
    // The strip starts at 80: a face wider than the classic one is narrowed to end
    // before it.
    QFont narrower = row.lbl->font();
    for (int stretch = 95; row.lbl->width() > 71 && stretch >= 70; stretch -= 5) {
        narrower.setStretch(stretch);
        row.lbl->setFont(narrower);
        row.lbl->adjustSize();
    }
    row.lbl->setBuddy(row.edt);

    row.pnl = new QFrame(this);
    row.pnl->setObjectName(QStringLiteral("pnl") + channel);
    row.pnl->setFrameStyle(QFrame::WinPanel | QFrame::Sunken); // two pixels each side
    row.pnl->setGeometry(80, y + 4, 241, 17);
    row.pnt = new THuemixStrip(QStringLiteral("pnt") + channel, stripTag, row.pnl);
    row.pnt->setGeometry(2, 2, 237, 13);

    row.trb = new QSlider(Qt::Horizontal, this);
    row.trb->setObjectName(QStringLiteral("trb") + channel);
    row.trb->setGeometry(72, y + 24, 257, 21);
    row.trb->setRange(0, max);
    row.trb->setSingleStep(1);
    row.trb->setPageStep(pageStep);
    row.trb->setTickPosition(QSlider::NoTicks);
    return row;
}

int THuemixSliderPage::Pos(const TSliderRow &row) { return row.trb->value(); }

void THuemixSliderPage::EditChange(const TSliderRow &row)
{
    bool ok = false;
    const int value = row.edt->text().toInt(&ok);
    row.trb->setValue(ok ? value : 0); // the track bar clamps into its range
}

void THuemixSliderPage::EditExit(const TSliderRow &row)
{
    row.edt->setText(QString::number(row.trb->value()));
}

void THuemixSliderPage::UpDownChanging(const TSliderRow &row)
{
    row.trb->setValue(row.udn->Position());
}

void THuemixSliderPage::SyncRow(const TSliderRow &row)
{
    row.udn->SetPosition(row.trb->value());
    row.edt->repaint();
}

void THuemixSliderPage::Pick(const TSliderRow &row, int x, int k)
{
    const int w = row.pnt->width();
    row.trb->setValue(std::max(x, 0) * k / w);
    row.trb->setFocus(Qt::MouseFocusReason);
}

void THuemixSliderPage::ChainTabOrder(std::initializer_list<QWidget *> order)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : order) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

// ------------------------------------------------------------------------------- HSB

THSBPage::THSBPage(TfrmHuemixDialog &window)
    : THuemixSliderPage(window, 2, QStringLiteral("tshHSB"))
{
    Hue = MakeRow(QStringLiteral("&Hue"), QStringLiteral("Hue"), 359, 60, 24, 48, 0);
    Saturation = MakeRow(QStringLiteral("&Saturation"), QStringLiteral("Saturation"), 100, 10, 72, 48, 0);
    Brightness = MakeRow(QStringLiteral("&Brightness"), QStringLiteral("Brightness"), 100, 10, 120, 48, 0);
    ChainTabOrder({Hue.edt, Hue.trb, Saturation.edt, Saturation.trb, Brightness.edt, Brightness.trb});

    Hue.pnt->SetPainter([this](QImage &image) { pntHuePaint(image); });
    Saturation.pnt->SetPainter([this](QImage &image) { pntSaturationPaint(image); });
    Brightness.pnt->SetPainter([this](QImage &image) { pntBrightnessPaint(image); });

    ConnectRow(Hue, &THSBPage::edtHueChange, &THSBPage::edtHueExit, &THSBPage::udnHueChanging);
    ConnectRow(Saturation, &THSBPage::edtSaturationChange, &THSBPage::edtSaturationExit,
               &THSBPage::udnSaturationChanging);
    ConnectRow(Brightness, &THSBPage::edtBrightnessChange, &THSBPage::edtBrightnessExit,
               &THSBPage::udnBrightnessChanging);
    connect(Hue.trb, &QSlider::valueChanged, this, &THSBPage::trbHueChange);
    connect(Saturation.trb, &QSlider::valueChanged, this, &THSBPage::trbSaturationChange);
    connect(Brightness.trb, &QSlider::valueChanged, this, &THSBPage::trbBrightnessChange);
    connect(Hue.pnt, &THuemixStrip::mouseDown, this, &THSBPage::pntHueMouseDown);
    connect(Saturation.pnt, &THuemixStrip::mouseDown, this, &THSBPage::pntSaturationMouseDown);
    connect(Brightness.pnt, &THuemixStrip::mouseDown, this, &THSBPage::pntBrightnessMouseDown);
}

bool THSBPage::ReadColor(TRGBColor &color) const
{
    color = HSBToRGB(MakeHSB(Pos(Hue), Pos(Saturation), Pos(Brightness)));
    return true;
}

bool THSBPage::ShowColor(const TRGBColor &target)
{
    const TRGBColor copy = target; // the handlers below commit into the window's colour
    TRGBColor shown;
    ReadColor(shown);
    if (SameRGB(shown, copy))
        return true;
    const THSBColor hsb = RGBToHSB(copy);
    Hue.trb->setValue(RoundToInt(hsb.Hue));
    Saturation.trb->setValue(RoundToInt(hsb.Saturation));
    Brightness.trb->setValue(RoundToInt(hsb.Brightness));
    SyncHSBEdits();
    PaintSaturationBar();
    PaintBrightnessBar();
    return true;
}

void THSBPage::SyncHSBEdits()
{
    SyncRow(Hue);
    SyncRow(Saturation);
    SyncRow(Brightness);
}

void THSBPage::PaintSaturationBar()
{
    if (FWindow.ActivePageTag() == 2)
        Saturation.pnt->Render();
}

void THSBPage::PaintBrightnessBar()
{
    if (FWindow.ActivePageTag() == 2)
        Brightness.pnt->Render();
}

void THSBPage::RepaintAfter(const TSliderRow &changed)
{
    if (&changed == &Hue) {
        PaintSaturationBar();
        PaintBrightnessBar();
    } else if (&changed == &Saturation) {
        PaintBrightnessBar();
    }
}

void THSBPage::edtHueChange() { EditChange(Hue); RepaintAfter(Hue); FWindow.CommitColor(); }
void THSBPage::edtSaturationChange() { EditChange(Saturation); RepaintAfter(Saturation); FWindow.CommitColor(); }
void THSBPage::edtBrightnessChange() { EditChange(Brightness); RepaintAfter(Brightness); FWindow.CommitColor(); }
void THSBPage::edtHueExit() { EditExit(Hue); }
void THSBPage::edtSaturationExit() { EditExit(Saturation); }
void THSBPage::edtBrightnessExit() { EditExit(Brightness); }
void THSBPage::udnHueChanging() { UpDownChanging(Hue); RepaintAfter(Hue); FWindow.CommitColor(); }
void THSBPage::udnSaturationChanging() { UpDownChanging(Saturation); RepaintAfter(Saturation); FWindow.CommitColor(); }
void THSBPage::udnBrightnessChanging() { UpDownChanging(Brightness); RepaintAfter(Brightness); FWindow.CommitColor(); }

void THSBPage::trbHueChange()
{
    SyncHSBEdits();
    PaintSaturationBar();
    PaintBrightnessBar();
    FWindow.CommitColor();
}

void THSBPage::trbSaturationChange()
{
    SyncHSBEdits();
    PaintBrightnessBar();
    FWindow.CommitColor();
}

void THSBPage::trbBrightnessChange()
{
    SyncHSBEdits();
    FWindow.CommitColor();
}

void THSBPage::PickHSB(const TSliderRow &row, int x, int k)
{
    Pick(row, x, k);
    SyncHSBEdits();
    RepaintAfter(row);
    FWindow.CommitColor();
}

void THSBPage::pntHueMouseDown(int x) { PickHSB(Hue, x, 359); }
void THSBPage::pntSaturationMouseDown(int x) { PickHSB(Saturation, x, 101); }
void THSBPage::pntBrightnessMouseDown(int x) { PickHSB(Brightness, x, 101); }

void THSBPage::pntHuePaint(QImage &image)
{
    // 360 bands over 359 steps: band 359 lies past the right edge.
    QPainter painter(&image);
    const int w = image.width();
    for (int i = 0; i < 360; ++i) {
        const int left = i * w / 359;
        const int right = (i + 1) * w / 359;
        if (right > left)
            painter.fillRect(QRect(left, 0, right - left, image.height()), ToQColor(HueToColor(i)));
    }
}

void THSBPage::pntSaturationPaint(QImage &image)
{
    const int hue = Pos(Hue);
    FillColumns(image, [hue](int x, int w) { return HSBToColor(MakeHSB(hue, x * 100 / w, 100)); });
}

void THSBPage::pntBrightnessPaint(QImage &image)
{
    const int hue = Pos(Hue);
    const int saturation = Pos(Saturation);
    FillColumns(image, [hue, saturation](int x, int w) {
        return HSBToColor(MakeHSB(hue, saturation, x * 100 / w));
    });
}

// ------------------------------------------------------------------------------- RGB

TRGBPage::TRGBPage(TfrmHuemixDialog &window)
    : THuemixSliderPage(window, 3, QStringLiteral("tshRGB"))
{
    Red = MakeRow(QStringLiteral("&Red"), QStringLiteral("Red"), 255, 10, 24, 48, 1);
    Green = MakeRow(QStringLiteral("&Green"), QStringLiteral("Green"), 255, 10, 72, 48, 2);
    Blue = MakeRow(QStringLiteral("&Blue"), QStringLiteral("Blue"), 255, 10, 120, 48, 3);
    ChainTabOrder({Red.edt, Red.trb, Green.edt, Green.trb, Blue.edt, Blue.trb});

    for (const TSliderRow *row : {&Red, &Green, &Blue}) {
        THuemixStrip *strip = row->pnt;
        strip->SetPainter([this, strip](QImage &image) { pntRGBPaint(strip, image); });
        connect(strip, &THuemixStrip::mouseDown, this, [this, strip](int x) { pntRGBMouseDown(strip, x); });
        connect(row->trb, &QSlider::valueChanged, this, &TRGBPage::trbRGBChange);
    }
    ConnectRow(Red, &TRGBPage::edtRedChange, &TRGBPage::edtRedExit, &TRGBPage::udnRedChanging);
    ConnectRow(Green, &TRGBPage::edtGreenChange, &TRGBPage::edtGreenExit, &TRGBPage::udnGreenChanging);
    ConnectRow(Blue, &TRGBPage::edtBlueChange, &TRGBPage::edtBlueExit, &TRGBPage::udnBlueChanging);
}

bool TRGBPage::ReadColor(TRGBColor &color) const
{
    color = MakeRGB(Pos(Red), Pos(Green), Pos(Blue));
    return true;
}

bool TRGBPage::ShowColor(const TRGBColor &target)
{
    const TRGBColor copy = target;
    TRGBColor shown;
    ReadColor(shown);
    if (SameRGB(shown, copy))
        return true;
    Red.trb->setValue(RoundToInt(copy.Red));
    Green.trb->setValue(RoundToInt(copy.Green));
    Blue.trb->setValue(RoundToInt(copy.Blue));
    SyncRGBEdits();
    return true;
}

void TRGBPage::SyncRGBEdits()
{
    SyncRow(Red);
    SyncRow(Green);
    SyncRow(Blue);
}

void TRGBPage::edtRedChange() { EditChange(Red); FWindow.CommitColor(); }
void TRGBPage::edtGreenChange() { EditChange(Green); FWindow.CommitColor(); }
void TRGBPage::edtBlueChange() { EditChange(Blue); FWindow.CommitColor(); }
void TRGBPage::edtRedExit() { EditExit(Red); }
void TRGBPage::edtGreenExit() { EditExit(Green); }
void TRGBPage::edtBlueExit() { EditExit(Blue); }
void TRGBPage::udnRedChanging() { UpDownChanging(Red); FWindow.CommitColor(); }
void TRGBPage::udnGreenChanging() { UpDownChanging(Green); FWindow.CommitColor(); }
void TRGBPage::udnBlueChanging() { UpDownChanging(Blue); FWindow.CommitColor(); }
void TRGBPage::trbRGBChange() { SyncRGBEdits(); }

void TRGBPage::pntRGBMouseDown(THuemixStrip *sender, int x)
{
    const TSliderRow &row = sender->Tag() == 1 ? Red : sender->Tag() == 2 ? Green : Blue;
    Pick(row, x, 255);
    SyncRGBEdits();
    FWindow.CommitColor();
}

void TRGBPage::pntRGBPaint(THuemixStrip *sender, QImage &image)
{
    const TColor primary = sender->Tag() == 1 ? 0x0000FF : sender->Tag() == 2 ? 0x00FF00 : 0xFF0000;
    FillColumns(image, [primary](int x, int w) { return ScaleColor(primary, x * 255 / w); });
}

// ------------------------------------------------------------------------------- CMY

// White to the ink: the channel that the ink takes away falls from 255 by x * 255 / w.
void pntCyanPaint(QImage &image)
{
    FillColumns(image, [](int x, int w) { return RGBToColor(MakeRGB(255 - x * 255 / w, 255, 255)); });
}

void pntMagentaPaint(QImage &image)
{
    FillColumns(image, [](int x, int w) { return RGBToColor(MakeRGB(255, 255 - x * 255 / w, 255)); });
}

void pntYellowPaint(QImage &image)
{
    FillColumns(image, [](int x, int w) { return RGBToColor(MakeRGB(255, 255, 255 - x * 255 / w)); });
}

TCMYPage::TCMYPage(TfrmHuemixDialog &window)
    : THuemixSliderPage(window, 4, QStringLiteral("tshCMY"))
{
    Cyan = MakeRow(QStringLiteral("&Cyan"), QStringLiteral("Cyan"), 255, 10, 24, 49, 1);
    Magenta = MakeRow(QStringLiteral("&Magenta"), QStringLiteral("Magenta"), 255, 10, 72, 49, 2);
    Yellow = MakeRow(QStringLiteral("&Yellow"), QStringLiteral("Yellow"), 255, 10, 120, 49, 3);
    ChainTabOrder({Cyan.edt, Cyan.trb, Magenta.edt, Magenta.trb, Yellow.edt, Yellow.trb});

    Cyan.pnt->SetPainter(pntCyanPaint);
    Magenta.pnt->SetPainter(pntMagentaPaint);
    Yellow.pnt->SetPainter(pntYellowPaint);
    for (const TSliderRow *row : {&Cyan, &Magenta, &Yellow}) {
        THuemixStrip *strip = row->pnt;
        connect(strip, &THuemixStrip::mouseDown, this, [this, strip](int x) { pntCMYMouseDown(strip, x); });
        connect(row->trb, &QSlider::valueChanged, this, &TCMYPage::trbCMYChange);
    }
    ConnectRow(Cyan, &TCMYPage::edtCyanChange, &TCMYPage::edtCyanExit, &TCMYPage::udnCyanChanging);
    ConnectRow(Magenta, &TCMYPage::edtMagentaChange, &TCMYPage::edtMagentaExit, &TCMYPage::udnMagentaChanging);
    ConnectRow(Yellow, &TCMYPage::edtYellowChange, &TCMYPage::edtYellowExit, &TCMYPage::udnYellowChanging);
}

bool TCMYPage::ReadColor(TRGBColor &color) const
{
    color = CMYToRGB(MakeCMY(Pos(Cyan), Pos(Magenta), Pos(Yellow)));
    return true;
}

bool TCMYPage::ShowColor(const TRGBColor &target)
{
    const TRGBColor copy = target;
    TRGBColor shown;
    ReadColor(shown);
    if (SameRGB(shown, copy))
        return true;
    const TCMYColor cmy = RGBToCMY(copy);
    Cyan.trb->setValue(RoundToInt(cmy.Cyan));
    Magenta.trb->setValue(RoundToInt(cmy.Magenta));
    Yellow.trb->setValue(RoundToInt(cmy.Yellow));
    SyncCMYEdits();
    return true;
}

void TCMYPage::SyncCMYEdits()
{
    SyncRow(Cyan);
    SyncRow(Magenta);
    SyncRow(Yellow);
}

void TCMYPage::edtCyanChange() { EditChange(Cyan); FWindow.CommitColor(); }
void TCMYPage::edtMagentaChange() { EditChange(Magenta); FWindow.CommitColor(); }
void TCMYPage::edtYellowChange() { EditChange(Yellow); FWindow.CommitColor(); }
void TCMYPage::edtCyanExit() { EditExit(Cyan); }
void TCMYPage::edtMagentaExit() { EditExit(Magenta); }
void TCMYPage::edtYellowExit() { EditExit(Yellow); }
void TCMYPage::udnCyanChanging() { UpDownChanging(Cyan); FWindow.CommitColor(); }
void TCMYPage::udnMagentaChanging() { UpDownChanging(Magenta); FWindow.CommitColor(); }
void TCMYPage::udnYellowChanging() { UpDownChanging(Yellow); FWindow.CommitColor(); }
void TCMYPage::trbCMYChange() { SyncCMYEdits(); }

void TCMYPage::pntCMYMouseDown(THuemixStrip *sender, int x)
{
    const TSliderRow &row = sender->Tag() == 1 ? Cyan : sender->Tag() == 2 ? Magenta : Yellow;
    Pick(row, x, 255);
    SyncCMYEdits();
    FWindow.CommitColor();
}

// ------------------------------------------------------------------------------ CMYK

TCMYKPage::TCMYKPage(TfrmHuemixDialog &window)
    : THuemixSliderPage(window, 5, QStringLiteral("tshCMYK"))
{
    KCyan = MakeRow(QStringLiteral("&Cyan"), QStringLiteral("KCyan"), 100, 10, 4, 49, 1);
    KMagenta = MakeRow(QStringLiteral("&Magenta"), QStringLiteral("KMagenta"), 100, 10, 52, 49, 2);
    KYellow = MakeRow(QStringLiteral("&Yellow"), QStringLiteral("KYellow"), 100, 10, 100, 49, 3);
    KBlack = MakeRow(QStringLiteral("Blac&k"), QStringLiteral("KBlack"), 100, 10, 148, 49, 4);
    ChainTabOrder({KCyan.trb, KMagenta.trb, KYellow.trb, KCyan.edt, KMagenta.edt, KYellow.edt,
                   KBlack.trb, KBlack.edt});

    KCyan.pnt->SetPainter(pntCyanPaint);
    KMagenta.pnt->SetPainter(pntMagentaPaint);
    KYellow.pnt->SetPainter(pntYellowPaint);
    KBlack.pnt->SetPainter([this](QImage &image) { pntKBlackPaint(image); });
    for (const TSliderRow *row : {&KCyan, &KMagenta, &KYellow, &KBlack}) {
        THuemixStrip *strip = row->pnt;
        connect(strip, &THuemixStrip::mouseDown, this, [this, strip](int x) { pntCMYKMouseDown(strip, x); });
        connect(row->trb, &QSlider::valueChanged, this, &TCMYKPage::trbCMYKChange);
    }
    ConnectRow(KCyan, &TCMYKPage::edtKCyanChange, &TCMYKPage::edtKCyanExit, &TCMYKPage::udnKCyanChanging);
    ConnectRow(KMagenta, &TCMYKPage::edtKMagentaChange, &TCMYKPage::edtKMagentaExit,
               &TCMYKPage::udnKMagentaChanging);
    ConnectRow(KYellow, &TCMYKPage::edtKYellowChange, &TCMYKPage::edtKYellowExit,
               &TCMYKPage::udnKYellowChanging);
    ConnectRow(KBlack, &TCMYKPage::edtKBlackChange, &TCMYKPage::edtKBlackExit, &TCMYKPage::udnKBlackChanging);
}

bool TCMYKPage::ReadColor(TRGBColor &color) const
{
    color = CMYKToRGB(MakeCMYK(Pos(KCyan), Pos(KMagenta), Pos(KYellow), Pos(KBlack)));
    return true;
}

bool TCMYKPage::ShowColor(const TRGBColor &target)
{
    // Always shown: several percentages can give the same colour.
    const TCMYKPercents p = RoundCMYK(RGBToCMYK(TRGBColor(target)));
    KCyan.trb->setValue(p.Cyan);
    KMagenta.trb->setValue(p.Magenta);
    KYellow.trb->setValue(p.Yellow);
    KBlack.trb->setValue(p.Black);
    SyncCMYKEdits();
    return true;
}

void TCMYKPage::SyncCMYKEdits()
{
    SyncRow(KCyan);
    SyncRow(KMagenta);
    SyncRow(KYellow);
    SyncRow(KBlack);
}

void TCMYKPage::edtKCyanChange() { EditChange(KCyan); FWindow.CommitColor(); }
void TCMYKPage::edtKMagentaChange() { EditChange(KMagenta); FWindow.CommitColor(); }
void TCMYKPage::edtKYellowChange() { EditChange(KYellow); FWindow.CommitColor(); }
void TCMYKPage::edtKBlackChange() { EditChange(KBlack); FWindow.CommitColor(); }
void TCMYKPage::edtKCyanExit() { EditExit(KCyan); }
void TCMYKPage::edtKMagentaExit() { EditExit(KMagenta); }
void TCMYKPage::edtKYellowExit() { EditExit(KYellow); }
void TCMYKPage::edtKBlackExit() { EditExit(KBlack); }
void TCMYKPage::udnKCyanChanging() { UpDownChanging(KCyan); FWindow.CommitColor(); }
void TCMYKPage::udnKMagentaChanging() { UpDownChanging(KMagenta); FWindow.CommitColor(); }
void TCMYKPage::udnKYellowChanging() { UpDownChanging(KYellow); FWindow.CommitColor(); }
void TCMYKPage::udnKBlackChanging() { UpDownChanging(KBlack); FWindow.CommitColor(); }
void TCMYKPage::trbCMYKChange() { SyncCMYKEdits(); }

void TCMYKPage::pntCMYKMouseDown(THuemixStrip *sender, int x)
{
    const int tag = sender->Tag();
    const TSliderRow &row = tag == 1 ? KCyan : tag == 2 ? KMagenta : tag == 3 ? KYellow : KBlack;
    Pick(row, x, 100);
    SyncCMYKEdits();
    FWindow.CommitColor();
}

void TCMYKPage::pntKBlackPaint(QImage &image)
{
    FillColumns(image, [](int x, int w) { return GrayToColor((w - x) * 255 / w); });
}

// ------------------------------------------------------------------------------ Gray

TGrayPage::TGrayPage(TfrmHuemixDialog &window)
    : THuemixSliderPage(window, 6, QStringLiteral("tshGray"))
{
    Gray = MakeRow(QStringLiteral("&Brigtness"), QStringLiteral("Gray"), 255, 10, 72, 49, 0);
    setTabOrder(Gray.edt, Gray.trb);
    Gray.pnt->SetPainter([this](QImage &image) { pntGrayPaint(image); });
    ConnectRow(Gray, &TGrayPage::edtGrayChange, &TGrayPage::edtGrayExit, &TGrayPage::udnGrayChanging);
    connect(Gray.trb, &QSlider::valueChanged, this, &TGrayPage::trbGrayChange);
    connect(Gray.pnt, &THuemixStrip::mouseDown, this, &TGrayPage::pntGrayMouseDown);
}

bool TGrayPage::ReadColor(TRGBColor &color) const
{
    color = GrayToRGB(Pos(Gray));
    return true;
}

bool TGrayPage::ShowColor(const TRGBColor &target)
{
    const TRGBColor copy = target;
    TRGBColor shown;
    ReadColor(shown);
    if (SameRGB(shown, copy))
        return true;
    Gray.trb->setValue(RoundToInt(RGBToHSB(copy).Brightness * 255 / 100));
    SyncGrayEdit();
    return true;
}

void TGrayPage::SyncGrayEdit() { SyncRow(Gray); }
void TGrayPage::edtGrayChange() { EditChange(Gray); FWindow.CommitColor(); }
void TGrayPage::edtGrayExit() { EditExit(Gray); }
void TGrayPage::udnGrayChanging() { UpDownChanging(Gray); FWindow.CommitColor(); }
void TGrayPage::trbGrayChange() { SyncGrayEdit(); }

void TGrayPage::pntGrayMouseDown(int x)
{
    Pick(Gray, x, 255);
    SyncGrayEdit();
    FWindow.CommitColor();
}

void TGrayPage::pntGrayPaint(QImage &image)
{
    FillColumns(image, [](int x, int w) { return GrayToColor(x * 255 / w); });
}
