#include "ui/main/Logo.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace lexifind {
namespace {

const QColor kMaroon(128, 0, 0);
const QColor kCream(255, 251, 240);
const QColor kSilver(192, 192, 192);

} // namespace

void PaintLogo(QPainter &painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kMaroon, 2));
    painter.setBrush(kCream);
    QPainterPath left;
    left.moveTo(55, 12);
    left.cubicTo(42, 6, 24, 6, 10, 10);
    left.lineTo(10, 44);
    left.cubicTo(24, 40, 42, 40, 55, 46);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(55, 12);
    right.cubicTo(68, 6, 86, 6, 100, 10);
    right.lineTo(100, 44);
    right.cubicTo(86, 40, 68, 40, 55, 46);
    right.closeSubpath();
    painter.drawPath(left);
    painter.drawPath(right);

    // Lines of text on the pages.
    painter.setPen(QPen(kSilver, 1.5));
    for (int y = 18; y <= 36; y += 6) {
        painter.drawLine(QPointF(17, y), QPointF(48, y));
        painter.drawLine(QPointF(62, y), QPointF(93, y));
    }
    // The word found, and the mark that says so.
    painter.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(66, 30), QPointF(84, 30));
    painter.setPen(QPen(QColor(255, 0, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath check;
    check.moveTo(70, 20);
    check.lineTo(75, 26);
    check.lineTo(88, 8);
    painter.drawPath(check);
    painter.restore();
}

QImage IconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The same drawing as the SVG icon, on its 128 x 128 grid.
    painter.scale(size / 128.0, size / 128.0);
    painter.setPen(QPen(kMaroon, 4));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(4, 4, 120, 120), 16, 16);
    painter.translate(64, 64);
    painter.scale(1.1, 1.1);
    painter.translate(-55, -27);
    PaintLogo(painter);
    painter.end();
    return image;
}

} // namespace lexifind
