#include "colordialog/HuemixSwatch.h"

#include "colordialog/HuemixPlatform.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

THuemixSwatch::THuemixSwatch(const QString &objectName, TColor color, QWidget *parent)
    : QFrame(parent)
    , FColor(color)
{
    setObjectName(objectName);
}

void THuemixSwatch::SetColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void THuemixSwatch::paintEvent(QPaintEvent *event)
{
    {
        // A system colour stays as it was given; only its painting shows the desktop's value.
        QPainter painter(this);
        painter.fillRect(contentsRect(), huemix::ToQColor(FColor));
        PaintContents(painter);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = contentsRect().adjusted(1, 1, -1, -1);
            focus.backgroundColor = huemix::ToQColor(FColor);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
    QFrame::paintEvent(event);
}

void THuemixSwatch::mousePressEvent(QMouseEvent *event)
{
    FPressed = event->button() == Qt::LeftButton;
    FPressPos = event->position().toPoint();
}

void THuemixSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = FPressed && event->button() == Qt::LeftButton
                    && rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        emit clicked();
}

THuemixSwatchGrid::THuemixSwatchGrid(QList<THuemixSwatch *> swatches, int columns, QObject *parent)
    : QObject(parent)
    , FSwatches(std::move(swatches))
    , FColumns(columns)
{
    for (THuemixSwatch *swatch : std::as_const(FSwatches))
        swatch->installEventFilter(this);
    if (!FSwatches.isEmpty())
        MakeTabStop(FSwatches.first());
}

void THuemixSwatchGrid::MakeTabStop(THuemixSwatch *stop)
{
    // One stop in the Tab order; a click gives any swatch the focus.
    for (THuemixSwatch *swatch : std::as_const(FSwatches))
        swatch->setFocusPolicy(swatch == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool THuemixSwatchGrid::eventFilter(QObject *watched, QEvent *event)
{
    auto *swatch = static_cast<THuemixSwatch *>(watched);
    if (event->type() == QEvent::FocusIn) {
        MakeTabStop(swatch);
        swatch->update();
    } else if (event->type() == QEvent::FocusOut) {
        swatch->update();
    } else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        const int index = int(FSwatches.indexOf(swatch));
        int to = index;
        switch (key->key()) {
        case Qt::Key_Left: to = index % FColumns > 0 ? index - 1 : index; break;
        case Qt::Key_Right: to = index % FColumns < FColumns - 1 ? index + 1 : index; break;
        case Qt::Key_Up: to = index - FColumns; break;
        case Qt::Key_Down: to = index + FColumns; break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit swatch->clicked();
            emit chosen();
            return true;
        default:
            return false;
        }
        if (to >= 0 && to < FSwatches.size())
            FSwatches[to]->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}
