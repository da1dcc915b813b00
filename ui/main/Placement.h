#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace lexifind {

// The top-left corner of a window frame moved just enough to lie on area; a frame
// larger than the area keeps its top-left corner on it.
QPoint PlacedWithin(const QRect &frame, const QRect &area);

// Moves a top-level window, at its place, just enough for its frame to lie wholly on
// the screen that holds it, whatever the screen's size and scale.
void KeepOnScreen(QWidget *window);

} // namespace lexifind
