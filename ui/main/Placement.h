#pragma once

#include <QPoint>
#include <QRect>

#include <memory>

class QLockFile;
class QWidget;

namespace lexifind {

// The top-left corner of a window frame moved just enough to lie on area; a frame
// larger than the area keeps its top-left corner on it.
QPoint PlacedWithin(const QRect &frame, const QRect &area);

// Moves a top-level window, at its place, just enough for its frame to lie wholly on
// the screen that holds it, whatever the screen's size and scale.
void KeepOnScreen(QWidget *window);

// The place of one running program among the others: the first takes slot 0, a second
// started meanwhile slot 1, and so on; a slot is free again when its program ends
// (however it ended). Its windows open moved by Offset() from their own places, so
// that a second program's window never hides the first's exactly.
class WindowSlot
{
public:
    // Takes the first free slot of folder (by default in the program's data folder).
    explicit WindowSlot(const QString &folder = QString());
    ~WindowSlot();
    WindowSlot(const WindowSlot &) = delete;
    WindowSlot &operator=(const WindowSlot &) = delete;

    int Number() const { return m_number; }
    QPoint Offset() const;

    // The offset of the windows being created, set by the program that creates them.
    static QPoint Current();
    static void SetCurrent(QPoint offset);

private:
    int m_number = 0;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace lexifind
