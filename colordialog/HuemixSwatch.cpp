#include "colordialog/HuemixSwatch.h"

#include "colordialog/HuemixPlatform.h"

#include <QMouseEvent>
#include <QPainter>

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
