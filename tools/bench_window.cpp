// Times how long the main window's GUI thread is held after a pause in typing in a
// large lesson: the marks of the entries that cannot be found (every pause) and the
// recovery copy (a few seconds after the last change). Offscreen, a French and a
// Chinese 10 MB text with 5000 entries.
// Arguments (all optional): text size in characters, entry count.
//
// A heartbeat timer ticks every 5 ms on the GUI thread; the longest gap between two
// ticks is the longest time the window could not answer the teacher. The processor
// time of the GUI thread is counted beside it (a shared processor inflates wall time).

#include "page/PageSettings.h"
#include "ui/main/Unit1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTimer>

#include <cstdio>
#include <ctime>

using namespace lexifind;

namespace {

struct Lesson
{
    const char *name;
    QStringList pieces;
    QString between;
    QString sentenceEnd;
};

qint64 threadCpuUs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// The last entry is always marked; polled every few milliseconds, so only that row.
bool anyMarked(const QListWidget *list)
{
    return list->count() > 0 && !list->item(list->count() - 1)->toolTip().isEmpty();
}

void clearMarks(QListWidget *list)
{
    for (int row = 0; row < list->count(); ++row) {
        list->item(row)->setData(Qt::ForegroundRole, QVariant());
        list->item(row)->setToolTip(QString());
    }
}

struct Held
{
    qint64 longestGapMs = 0;
    qint64 longestTurnUs = 0; // processor time of the GUI thread's longest turn
    qint64 wallMs = 0;
};

// Runs the event loop until done() or the time limit, timing the GUI thread's gaps.
template <typename Done>
Held runLoop(Done done, int limitMs)
{
    Held held;
    QElapsedTimer wall;
    wall.start();
    qint64 lastTick = 0;
    QTimer heartbeat;
    heartbeat.setInterval(5);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = wall.elapsed();
        held.longestGapMs = std::max(held.longestGapMs, now - lastTick);
        lastTick = now;
    });
    heartbeat.start();
    while (!done() && wall.elapsed() < limitMs) {
        const qint64 cpu = threadCpuUs();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        held.longestTurnUs = std::max(held.longestTurnUs, threadCpuUs() - cpu);
    }
    const qint64 now = wall.elapsed();
    held.longestGapMs = std::max(held.longestGapMs, now - lastTick);
    held.wallMs = now;
    return held;
}

void run(const Lesson &lesson, qsizetype targetSize, int entryCount)
{
    QRandomGenerator random(1234);
    QStringList vocabulary;
    for (int i = 0; i < 20000; ++i) {
        QString word;
        const int parts = 1 + int(random.bounded(3));
        for (int p = 0; p < parts; ++p)
            word += lesson.pieces[random.bounded(int(lesson.pieces.size()))];
        vocabulary << word;
    }
    QString text;
    text.reserve(targetSize + 100);
    for (int column = 1; text.size() < targetSize; ++column) {
        text += vocabulary[random.bounded(int(vocabulary.size()))];
        text += column % 12 == 0 ? lesson.sentenceEnd + u"\r\n"_qs : lesson.between;
    }

    PageSettings settings;
    TForm1 form(settings);
    form.show();
    form.SetSourceText(text);
    for (int k = 1; k < entryCount; ++k)
        form.AddEntry(vocabulary[random.bounded(int(vocabulary.size()))], u"d"_qs);
    form.AddEntry(u"introuvable"_qs, u"d"_qs); // always marked
    // The first marks, then a clean list, so that the next marks show when they come.
    runLoop([&] { return anyMarked(form.ListBox1); }, 60000);
    clearMarks(form.ListBox1);

    // One keystroke at the end of the text, then the pause until the marks are back.
    QElapsedTimer keystroke;
    keystroke.start();
    QTextCursor cursor(form.Source->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(lesson.between.isEmpty() ? u"我"_qs : u" a"_qs);
    const qint64 keystrokeMs = keystroke.elapsed();
    // The recovery copy is timed apart.
    form.RecoveryTimer->stop();
    const Held marks = runLoop([&] { return anyMarked(form.ListBox1); }, 60000);
    // Then the recovery copy, whose timer runs out a few seconds after the change.
    form.RecoveryTimer->start();
    const Held recovery = runLoop([&] { return !form.RecoveryTimer->isActive(); }, 60000);
    const Held after = runLoop([] { return false; }, 300);
    std::printf("%-8s %.1f MB, %d entries: keystroke %lld ms; marks %lld ms after it, "
                "GUI thread held at most %lld ms (longest turn %.1f ms of processor); "
                "recovery copy: held at most %lld ms (longest turn %.1f ms); "
                "then held at most %lld ms\n",
                lesson.name, double(text.size()) / (1024 * 1024), entryCount, keystrokeMs,
                marks.wallMs, marks.longestGapMs, marks.longestTurnUs / 1000.0,
                recovery.longestGapMs, recovery.longestTurnUs / 1000.0, after.longestGapMs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The recovery copies go to a scratch folder, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const qsizetype targetSize = arguments.size() > 1 ? arguments[1].toLongLong() : 10 * 1024 * 1024;
    const int entryCount = arguments.size() > 2 ? arguments[2].toInt() : 5000;
    const Lesson lessons[] = {
        {"français", {u"ma"_qs, u"ché"_qs, u"le"_qs, u"pom"_qs, u"ter"_qs, u"re"_qs, u"tion"_qs, u"vi"_qs,
                      u"lla"_qs, u"ge"_qs, u"œu"_qs, u"bou"_qs, u"lan"_qs, u"eau"_qs, u"fro"_qs},
         u" "_qs, u"."_qs},
        {"中文", {u"我们"_qs, u"今天"_qs, u"去"_qs, u"北京"_qs, u"大学"_qs, u"参观"_qs, u"学生"_qs, u"老师"_qs,
                  u"朋友"_qs, u"吃"_qs, u"饭"_qs, u"喝"_qs, u"茶"_qs, u"市场"_qs, u"买"_qs},
         u""_qs, u"。"_qs},
    };
    for (const Lesson &lesson : lessons)
        run(lesson, targetSize, entryCount);
    return 0;
}
