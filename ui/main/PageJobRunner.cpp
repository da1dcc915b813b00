#include "ui/main/PageJobRunner.h"

#include "ui/main/LineBreaks.h"

#include <QProgressDialog>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

namespace lexifind {

PageJobRunner::PageJobRunner(QWidget *window, QObject *parent)
    : QObject(parent), m_window(window)
{
    connect(&m_watcher, &QFutureWatcher<PageJobResult>::finished, this, &PageJobRunner::JobEnded);
}

PageJobRunner::~PageJobRunner()
{
    m_watcher.disconnect(this);
    m_cancel = true;
    m_watcher.waitForFinished();
}

bool PageJobRunner::IsRunning() const
{
    return m_watcher.isRunning();
}

bool PageJobRunner::Start(PageJobRequest request, const QString &rawText, const QString &progressLabel)
{
    if (IsRunning())
        return false;
    m_cancel = false;
    if (m_window && !m_progress) {
        m_progress = new QProgressDialog(m_window);
        m_progress->setObjectName(QStringLiteral("PageJobProgress"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setWindowTitle(QStringLiteral("Lexifind"));
        m_progress->setCancelButtonText(QStringLiteral("Annuler"));
        m_progress->setRange(0, 100);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        connect(m_progress, &QProgressDialog::canceled, this, &PageJobRunner::Cancel);
        connect(&m_watcher, &QFutureWatcher<PageJobResult>::progressValueChanged, m_progress,
                [this](int percent) {
                    // A cancelled job's box stays hidden.
                    if (!m_cancel)
                        m_progress->setValue(percent);
                });
    }
    if (m_progress) {
        m_progress->reset();
        m_progress->setLabelText(progressLabel);
        m_progress->setMinimumDuration(m_progressDelay);
        // From here the box shows itself once the delay has passed.
        m_progress->setValue(0);
    }
    std::atomic_bool *cancel = &m_cancel;
    m_watcher.setFuture(QtConcurrent::run(
        [cancel, rawText](QPromise<PageJobResult> &promise, PageJobRequest request) {
            promise.setProgressRange(0, 100);
            PageJobControl control;
            control.cancel = cancel;
            control.progress = [&promise](int percent) { promise.setProgressValue(percent); };
            if (!rawText.isNull()) {
                try {
                    request.document.setText(ReplaceLineBreaks(rawText, u"\r\n"));
                } catch (...) {
                    PageJobResult failed;
                    failed.error = QStringLiteral("Mémoire insuffisante");
                    promise.addResult(std::move(failed));
                    return;
                }
            }
            promise.addResult(RunPageJob(std::move(request), control));
        },
        std::move(request)));
    return true;
}

void PageJobRunner::Cancel()
{
    m_cancel = true;
    if (m_progress && m_progress->isVisible())
        m_progress->setLabelText(QStringLiteral("Annulation…"));
}

void PageJobRunner::Wait()
{
    m_watcher.waitForFinished();
}

void PageJobRunner::JobEnded()
{
    if (m_progress) {
        // Cancelling hides the box; hiding it again does nothing.
        m_progress->blockSignals(true);
        m_progress->reset();
        m_progress->hide();
        m_progress->blockSignals(false);
    }
    const QFuture<PageJobResult> future = m_watcher.future();
    PageJobResult result;
    if (future.resultCount() > 0)
        result = future.result();
    else
        result.error = QStringLiteral("Erreur inattendue");
    emit finished(result);
}

} // namespace lexifind
