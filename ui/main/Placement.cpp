#include "ui/main/Placement.h"

#include <QDir>
#include <QGuiApplication>
#include <QLockFile>
#include <QScreen>
#include <QStandardPaths>
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

namespace {

// Slots beyond the first few reuse the same places: a cascade that stays on a laptop's
// screen.
constexpr int SlotCount = 16;
constexpr int Cascade = 8;
constexpr int Step = 24;
QPoint g_currentOffset;

} // namespace

WindowSlot::WindowSlot(const QString &folder)
{
    const QString dir = folder.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                                  + QStringLiteral("/fenetres")
                            : folder;
    QDir().mkpath(dir);
    for (int n = 0; n < SlotCount; ++n) {
        auto lock = std::make_unique<QLockFile>(dir + QStringLiteral("/fenetre-%1.lock").arg(n));
        // Stale only when its program is gone, however long it has run.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            m_number = n;
            m_lock = std::move(lock);
            return;
        }
    }
}

WindowSlot::~WindowSlot() = default;

QPoint WindowSlot::Offset() const
{
    const int step = (m_number % Cascade) * Step;
    return {step, step};
}

QPoint WindowSlot::Current()
{
    return g_currentOffset;
}

void WindowSlot::SetCurrent(QPoint offset)
{
    g_currentOffset = offset;
}

} // namespace lexifind
