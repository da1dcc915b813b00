#pragma once

#include "page/PageJob.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <atomic>

class QProgressDialog;
class QWidget;

namespace lexifind {

// Runs page jobs one at a time on a worker (QtConcurrent), and hands each result back on
// the GUI thread. With a window, a job that lasts shows its progress there, window-modal,
// with a button that cancels it; without one it runs unseen (the word list's marks).
class PageJobRunner : public QObject
{
    Q_OBJECT
public:
    explicit PageJobRunner(QWidget *window, QObject *parent = nullptr);
    // A running job is cancelled and waited for: its result goes nowhere.
    ~PageJobRunner() override;

    // Starts the job; false, and nothing started, while another runs. rawText, when not
    // null, becomes the document's text on the worker (the text area's raw text, its line
    // breaks made CR LF there), so that the GUI thread only copies it. progressLabel is
    // what the progress box says.
    bool Start(PageJobRequest request, const QString &rawText = QString(),
               const QString &progressLabel = QString());
    bool IsRunning() const;
    // The running job stops at its next step, and reports itself cancelled.
    void Cancel();
    // Waits for the running job to end (its result is still handed over).
    void Wait();

    // Show the progress only after this long: short jobs never flash a box.
    void SetProgressDelay(int milliseconds) { m_progressDelay = milliseconds; }
    QProgressDialog *Progress() const { return m_progress; }

signals:
    void finished(const lexifind::PageJobResult &result);

private:
    void JobEnded();

    QWidget *m_window;
    QFutureWatcher<PageJobResult> m_watcher;
    std::atomic_bool m_cancel{false};
    QProgressDialog *m_progress = nullptr;
    int m_progressDelay = 500;
};

} // namespace lexifind
