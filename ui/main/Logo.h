#pragma once

#include <QImage>

class QPainter;

namespace lexifind {

// The program's picture: an open book in maroon on cream, a word on its right page
// underlined in green and a red check mark over it, drawn in a 110 x 50 frame. The
// About box shows it; the desktop icon is drawn from it (ui/desktop holds its SVG).
void PaintLogo(QPainter &painter);

// The desktop icon at size x size pixels: the logo on a white rounded square with a
// maroon edge.
QImage IconImage(int size);

} // namespace lexifind
