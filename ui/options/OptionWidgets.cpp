#include "ui/options/OptionWidgets.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

namespace lexifind::options {

ColorShape::ColorShape(QWidget *parent) : QWidget(parent) {}

void ColorShape::setBrushColor(const QColor &color)
{
    if (color == FBrushColor)
        return;
    FBrushColor = color;
    update();
}

void ColorShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(FBrushColor);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QString SymbolLabel::symbolFamily()
{
    return QStringLiteral("Wingdings 2");
}

SymbolLabel::SymbolLabel(const QString &symbol, Mark mark, const QColor &color, QWidget *parent)
    : QLabel(symbol, parent), FMark(mark), FColor(color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
    FUsesFont = QFontDatabase::hasFamily(symbolFamily());
    if (FUsesFont) {
        QFont symbolFont(symbolFamily());
        symbolFont.setBold(true);
        symbolFont.setPixelSize(27);
        setFont(symbolFont);
    }
}

void SymbolLabel::paintEvent(QPaintEvent *event)
{
    if (FUsesFont) {
        QLabel::paintEvent(event);
        return;
    }
    // A square box in the middle of the label, as the glyph would roughly fill.
    const qreal side = qMin(width(), height()) - 6;
    if (side <= 2)
        return;
    const QRectF box((width() - side) / 2, (height() - side) / 2, side, side);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(FColor, qMax<qreal>(2.5, side / 6.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto at = [&box](qreal fx, qreal fy) {
        return QPointF(box.left() + fx * box.width(), box.top() + fy * box.height());
    };
    switch (FMark) {
    case Mark::Check: {
        painter.setPen(pen);
        const QPointF points[] = {at(0.08, 0.55), at(0.38, 0.85), at(0.92, 0.15)};
        painter.drawPolyline(points, 3);
        break;
    }
    case Mark::Cross:
        painter.setPen(pen);
        painter.drawLine(at(0.15, 0.15), at(0.85, 0.85));
        painter.drawLine(at(0.85, 0.15), at(0.15, 0.85));
        break;
    case Mark::Arrow: {
        QPainterPath arrow;
        arrow.moveTo(at(0.05, 0.38));
        arrow.lineTo(at(0.50, 0.38));
        arrow.lineTo(at(0.50, 0.10));
        arrow.lineTo(at(0.95, 0.50));
        arrow.lineTo(at(0.50, 0.90));
        arrow.lineTo(at(0.50, 0.62));
        arrow.lineTo(at(0.05, 0.62));
        arrow.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(FColor);
        painter.drawPath(arrow);
        break;
    }
    }
}

} // namespace lexifind::options
