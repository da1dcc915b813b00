#include "page/PageJob.h"

#include "document/LexifindError.h"
#include "page/PageWriter.h"
#include "page/ScormPackage.h"
#include "page/WordDivision.h"

#include <algorithm>
#include <new>

namespace lexifind {

namespace {

// Thrown inside the job only, to leave the writing at once when the job is cancelled.
struct Cancelled
{
};

class Steps
{
public:
    explicit Steps(const PageJobControl &control) : m_control(control) {}

    void report(int percent)
    {
        if (percent <= m_reported || !m_control.progress)
            return;
        m_reported = percent;
        m_control.progress(percent);
    }
    void stopIfCancelled() const
    {
        if (m_control.cancel && m_control.cancel->load(std::memory_order_relaxed))
            throw Cancelled{};
    }

private:
    const PageJobControl &m_control;
    int m_reported = -1;
};

// Passes the page on piece by piece, counting it for the progress and stopping between
// pieces when the job is cancelled.
class CountingSink : public PageSink
{
public:
    CountingSink(PageSink &to, Steps &steps, qint64 expected)
        : m_to(to), m_steps(steps), m_expected(std::max<qint64>(expected, 1))
    {
    }
    void write(QByteArrayView bytes) override
    {
        m_steps.stopIfCancelled();
        m_to.write(bytes);
        m_written += bytes.size();
        m_steps.report(50 + int(49 * std::min<qint64>(m_written, m_expected) / m_expected));
    }

private:
    PageSink &m_to;
    Steps &m_steps;
    qint64 m_expected;
    qint64 m_written = 0;
};

void run(PageJobRequest &request, PageJobResult &result, const PageJobControl &control)
{
    Steps steps(control);
    steps.report(0);
    steps.stopIfCancelled();
    const ExerciseDocument &document = request.document;
    PageSettings &settings = request.settings;

    if (request.product == PageProduct::Marks) {
        const Division division =
            DivideIntoWords(document.text(), document.words(), settings.TextLanguage);
        steps.report(50);
        steps.stopIfCancelled();
        result.unfindable = FindUnfindableEntries(division, document.words());
        steps.report(100);
        return;
    }

    // Seen once the text is divided, before the first byte: the entries are checked on
    // the division the page is written from, so that a refusal writes nothing.
    const auto check = [&](const Division &division) {
        steps.report(50);
        steps.stopIfCancelled();
        result.unfindable = FindUnfindableEntries(division, document.words());
        result.refused = request.refuseUnfindable && !result.unfindable.empty();
        return !result.refused;
    };
    ByteArraySink intoResult(result.bytes);
    PageSink &out = control.sink ? *control.sink : intoResult;

    if (request.product == PageProduct::Page) {
        // A classic page is about three bytes for each character of the text.
        CountingSink counted(out, steps, 3 * qint64(document.text().size()) + 8192);
        WritePageTo(counted, document, settings, {}, check);
    } else {
        const ScormEdition edition = request.product == PageProduct::Scorm2004
                                         ? ScormEdition::Scorm2004
                                         : ScormEdition::Scorm12;
        const QByteArray package = BuildScormPackage(document, settings, edition, check);
        steps.stopIfCancelled();
        if (!package.isEmpty())
            out.write(package);
    }
    steps.report(100);
}

} // namespace

PageJobResult RunPageJob(PageJobRequest request, const PageJobControl &control) noexcept
{
    PageJobResult result;
    try {
        run(request, result, control);
    } catch (const Cancelled &) {
        result.cancelled = true;
    } catch (const Error &error) {
        result.error = error.message();
    } catch (const std::bad_alloc &) {
        result.error = QStringLiteral("Mémoire insuffisante");
    } catch (const std::exception &error) {
        result.error = QStringLiteral("Erreur inattendue : ") + QString::fromLocal8Bit(error.what());
    } catch (...) {
        result.error = QStringLiteral("Erreur inattendue");
    }
    if (!result.succeeded()) {
        result.bytes.clear();
        result.bytes.squeeze();
    }
    result.settings = std::move(request.settings);
    return result;
}

} // namespace lexifind
