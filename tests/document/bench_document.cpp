// Times the document's heavy paths on a large lesson: a 10 MB project with 5000 entries
// is written, read back and sorted by word and by definition. Prints the timings.
#include "document/ExerciseDocument.h"
#include "document/ProjectFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace lexifind;

namespace {

QString randomWord(QRandomGenerator &random)
{
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzéèàçœЖжук");
    QString word;
    const int length = 3 + random.bounded(9);
    for (int i = 0; i < length; ++i)
        word += letters.at(random.bounded(int(letters.size())));
    if (random.bounded(4) == 0)
        word[0] = word.at(0).toUpper();
    return word;
}

void report(const char *what, const QElapsedTimer &timer)
{
    std::printf("%-34s %8lld ms\n", what, static_cast<long long>(timer.elapsed()));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QRandomGenerator random(20261208);

    ExerciseDocument document;
    QString text;
    while (text.size() < 10 * 1000 * 1000) {
        for (int i = 0; i < 12; ++i)
            text += randomWord(random) + QLatin1Char(' ');
        text += QStringLiteral(".\r\n");
    }
    document.setText(text);
    for (int i = 0; i < 5000; ++i)
        document.AddEntry(randomWord(random), randomWord(random) + QLatin1Char(' ') + randomWord(random));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.lxf"));
    QElapsedTimer timer;

    timer.start();
    ProjectFile::save(document, path);
    report("save 10 MB project, 5000 entries", timer);

    ExerciseDocument loaded;
    timer.start();
    ProjectFile::load(loaded, path);
    report("load it back", timer);
    std::printf("%-34s %8d lines, %d entries\n", "loaded", loaded.lineCount(), loaded.entryCount());

    timer.start();
    loaded.GetSort(0);
    report("sort by word", timer);

    timer.start();
    loaded.GetSort(1);
    report("sort by definition", timer);

    timer.start();
    const int lines = loaded.lineCount();
    report("line count", timer);
    return lines > 0 ? 0 : 1;
}
