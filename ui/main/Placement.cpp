#include "ui/main/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace lexifind {

QPoint PlacedWithin(const QRect &frame, const QRect &area)
{
    const int left = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return {left, top};
}

void KeepOnScreen(QWidget *window)
{
    QRect frame = window->frameGeometry();
    if (frame == window->geometry()) {
        // The window manager tells the frame only once the window is mapped: count the
        // usual one (borders of 4 pixels, a caption of 23).
        frame = frame.marginsAdded(QMargins(4, 23, 4, 4));
        frame.moveTopLeft(window->pos());
    }
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const QPoint place = PlacedWithin(frame, screen->availableGeometry());
    if (place != frame.topLeft())
        window->move(place);
}

} // namespace lexifind
