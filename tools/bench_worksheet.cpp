// Times the worksheet's PDF of generated lessons (a 5 KB, a 50 KB and a 500 KB text, in
// paragraphs of a few lines, entries spread down to the last one) and prints its size
// and page count. Runs offscreen: no display is needed.

#include "document/ExerciseDocument.h"
#include "page/PageSettings.h"
#include "worksheet/Worksheet.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>

using namespace lexifind;

namespace {

ExerciseDocument lesson(qsizetype size, int entries)
{
    QRandomGenerator random(1234);
    const QStringList syllables{"ma", "ché", "le", "pom", "ter", "re", "tion", "vi", "lla", "ge"};
    const auto word = [&] {
        QString w;
        for (int p = 1 + int(random.bounded(3)); p > 0; --p)
            w += syllables[random.bounded(int(syllables.size()))];
        return w;
    };
    QString text;
    QStringList answers;
    while (text.size() < size) {
        for (int w = 0; w < 60; ++w) {
            text += word() + u' ';
            // The entries at even steps through the text.
            if (answers.size() < entries && text.size() * entries / size >= answers.size()) {
                answers << QStringLiteral("mot%1").arg(answers.size());
                text += answers.last() + u' ';
            }
        }
        text += QStringLiteral(".\r\n\r\n");
    }
    ExerciseDocument document;
    document.setText(text);
    for (int k = 0; k < answers.size(); ++k)
        document.AddEntry(answers[k], QStringLiteral("définition %1").arg(k + 1));
    return document;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::pair<qsizetype, int> sizes[] = {{5 * 1024, 40}, {50 * 1024, 200}, {500 * 1024, 200}};
    for (const auto &[size, entries] : sizes) {
        const ExerciseDocument document = lesson(size, entries);
        QElapsedTimer timer;
        timer.start();
        const WorksheetContent content = MakeWorksheetContent(document, PageSettings());
        const qint64 contentMs = timer.restart();
        PrintedWorksheet printed;
        const QByteArray pdf = WorksheetPdf(content, QPageSize(QPageSize::A4), &printed);
        const qint64 pdfMs = timer.elapsed();
        std::printf("%4lld KB text, %3d entries: content %lld ms, PDF %lld ms, %d pages "
                    "(key from page %d), %.0f KB\n",
                    qint64(document.text().size() / 1024), document.entryCount(), contentMs, pdfMs,
                    printed.pageCount, printed.keyFirstPage, double(pdf.size()) / 1024);
    }
    return 0;
}
