// Builds the exercise pages of a generated lesson of about 10 MB with 5000 entries,
// some of several words, and prints how long each step takes: the division, the classic
// page's body, the whole classic page and the whole modern page.
// Arguments (all optional): text size in characters, entry count, percentage of
// entries that hold several words. With "--project FILE" first, the lesson is written
// as a project file instead (for tools/bench.sh, which times lexifind-page on it).

#include "document/ExerciseDocument.h"
#include "document/ProjectFile.h"
#include "page/ClassicPage.h"
#include "page/PageSettings.h"
#include "page/PageWriter.h"
#include "page/WordDivision.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>
#include <ctime>

using namespace lexifind;

int main(int argc, char *argv[])
{
    QString projectFile;
    if (argc > 2 && QByteArray(argv[1]) == "--project") {
        projectFile = QString::fromLocal8Bit(argv[2]);
        argc -= 2;
        argv += 2;
    }
    const qsizetype targetSize = argc > 1 ? QByteArray(argv[1]).toLongLong() : 10 * 1024 * 1024;
    const int entryCount = argc > 2 ? QByteArray(argv[2]).toInt() : 5000;
    const int phrasePercent = argc > 3 ? QByteArray(argv[3]).toInt() : 20;

    QRandomGenerator random(1234);
    const QStringList syllables = {u"ma"_qs, u"ché"_qs, u"le"_qs, u"pom"_qs, u"ter"_qs,
                                   u"re"_qs, u"tion"_qs, u"vi"_qs, u"lla"_qs, u"ge"_qs,
                                   u"œu"_qs, u"bou"_qs, u"lan"_qs, u"ger"_qs, u"fro"_qs};
    QStringList vocabulary;
    for (int i = 0; i < 20000; ++i) {
        QString word;
        const int parts = 1 + int(random.bounded(3));
        for (int p = 0; p < parts; ++p)
            word += syllables[random.bounded(int(syllables.size()))];
        vocabulary << word;
    }

    QString text;
    text.reserve(targetSize + 100);
    int column = 0;
    while (text.size() < targetSize) {
        text += vocabulary[random.bounded(int(vocabulary.size()))];
        column += 1;
        if (column % 12 == 0)
            text += u".\r\n";
        else
            text += random.bounded(10) == 0 ? u", " : u" ";
    }

    ExerciseDocument document;
    document.setText(text);
    int phrases = 0;
    for (int k = 0; k < entryCount; ++k) {
        QString word = vocabulary[random.bounded(int(vocabulary.size()))];
        if (int(random.bounded(100)) < phrasePercent) { // two or three words
            word += u' ' + vocabulary[random.bounded(int(vocabulary.size()))];
            if (random.bounded(2) == 0)
                word += u' ' + vocabulary[random.bounded(int(vocabulary.size()))];
            ++phrases;
        }
        document.AddEntry(word, u"définition "_qs + QString::number(k));
    }

    if (!projectFile.isEmpty()) {
        ProjectFile::save(document, projectFile);
        return 0;
    }

    const std::clock_t cpuStart = std::clock();
    QElapsedTimer timer;
    timer.start();
    const Division division = DivideIntoWords(document.text(), document.words());
    const qint64 divideMs = timer.restart();
    const QByteArray body = DivideText(division);
    const qint64 bodyMs = timer.restart();
    PageSettings classic;
    const QByteArray classicPage = BuildPage(document, classic);
    const qint64 classicMs = timer.restart();
    PageSettings modern;
    modern.PageStyle = QStringLiteral("moderne");
    const QByteArray modernPage = BuildPage(document, modern);
    const qint64 modernMs = timer.elapsed();
    const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    std::printf("text: %.1f MB (%lld characters), %d entries (%d of several words)\n",
                double(text.size()) / (1024 * 1024), qint64(text.size()), entryCount, phrases);
    std::printf("DivideIntoWords:  %lld ms (%zu words)\n", divideMs, division.words.size());
    std::printf("classic body:     %lld ms (%.1f MB)\n", bodyMs, double(body.size()) / (1024 * 1024));
    std::printf("classic page:     %lld ms, %.1f MB (division included)\n", classicMs,
                double(classicPage.size()) / (1024 * 1024));
    std::printf("modern page:      %lld ms, %.1f MB (division included)\n", modernMs,
                double(modernPage.size()) / (1024 * 1024));
    std::printf("processor time of the four steps: %.2f s (wall times above include waiting "
                "for a shared processor)\n", cpuSeconds);
    return 0;
}
