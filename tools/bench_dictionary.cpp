// Times the lookups of the dictd reader: a generated dictionary of about 25 MB of
// articles (dictfmt, then dictzip), plain and compressed, and the installed dictionaries
// named on the command line (names under /usr/share/dictd or paths).
// Arguments (all optional): article megabytes (default 25), dictionaries.

#include "document/Dictionary.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace lexifind;

namespace {

QString randomWord(QRandomGenerator &random)
{
    static const char16_t letters[] = u"abcdefghijklmnopqrstuvwxyzéèàç";
    QString word;
    const int length = 5 + int(random.bounded(8));
    for (int i = 0; i < length; ++i)
        word += QChar(letters[random.bounded(int(std::size(letters)) - 1)]);
    return word;
}

// The median and the slowest of a lookup of each word, in milliseconds.
void time(Dictionary &dictionary, const char *what, const QStringList &words)
{
    std::vector<double> ms;
    int found = 0;
    for (const QString &word : words) {
        QElapsedTimer timer;
        timer.start();
        found += !dictionary.lookup(word).senses.isEmpty();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  %-34s %5lld words, %5d found: median %7.3f ms, slowest %7.3f ms\n", what,
                static_cast<long long>(words.size()), found, ms[ms.size() / 2], ms.back());
}

void bench(const DictionaryFiles &files, const QStringList &present, const QStringList &absent)
{
    const qint64 data = QFileInfo(files.dataPath).size();
    const qint64 index = QFileInfo(files.indexPath).size();
    std::printf("%s (%s %.1f MB, index %.1f MB)\n", qPrintable(files.name),
                qPrintable(QFileInfo(files.dataPath).fileName()), double(data) / 1048576,
                double(index) / 1048576);
    Dictionary dictionary(files);
    QElapsedTimer timer;
    timer.start();
    dictionary.lookup(present.value(0));
    std::printf("  %-34s %7.1f ms\n", "first lookup (reads the index)",
                double(timer.nsecsElapsed()) / 1e6);
    time(dictionary, "headwords, as written", present);
    QStringList capitals;
    for (const QString &word : present)
        capitals << word.left(1).toUpper() + word.mid(1) + QStringLiteral("s");
    time(dictionary, "capital and plural (folded)", capitals);
    time(dictionary, "absent (every base form tried)", absent);
}

} // namespace

int main(int argc, char *argv[])
{
    const double megabytes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 25.0;
    QRandomGenerator random(17);
    QTemporaryDir dir;
    QStringList headwords;
    QByteArray source;
    const qint64 target = qint64(megabytes * 1024 * 1024);
    while (source.size() < target) {
        const QString word = randomWord(random);
        headwords << word;
        source += ':' + word.toUtf8() + ":\n" + word.toUtf8() + " /" + word.toUtf8() + "/ <n>\n";
        const int senses = 1 + int(random.bounded(4));
        for (int s = 1; s <= senses; ++s)
            source += QByteArray::number(s) + ". " + randomWord(random).toUtf8() + ", "
                      + randomWord(random).toUtf8() + " " + randomWord(random).toUtf8() + "\n";
    }
    std::printf("generated: %lld headwords, %.1f MB of source\n",
                static_cast<long long>(headwords.size()), double(source.size()) / 1048576);
    QProcess dictfmt;
    dictfmt.setWorkingDirectory(dir.path());
    dictfmt.start(QStringLiteral("dictfmt"), {"-j", "--utf8", "-s", "Bench", "bench"});
    dictfmt.write(source);
    dictfmt.closeWriteChannel();
    if (!dictfmt.waitForFinished(-1) || dictfmt.exitCode() != 0) {
        std::fputs("dictfmt failed (Debian's dictfmt is needed)\n", stderr);
        return 1;
    }
    QStringList present;
    QStringList absent;
    for (int i = 0; i < 200; ++i) {
        present << headwords.at(int(random.bounded(int(headwords.size()))));
        absent << QStringLiteral("qq") + randomWord(random) + QStringLiteral("ement");
    }
    bench(Dictionary::locate(dir.filePath(QStringLiteral("bench.index"))), present, absent);
    if (QProcess::execute(QStringLiteral("dictzip"), {dir.filePath(QStringLiteral("bench.dict"))}) != 0) {
        std::fputs("dictzip failed (Debian's dictzip is needed)\n", stderr);
        return 1;
    }
    bench(Dictionary::locate(dir.filePath(QStringLiteral("bench.index"))), present, absent);

    // Installed dictionaries, with everyday French and English words.
    const QStringList everyday{"maison", "chat", "eau", "livre", "école", "arbre", "chevaux",
                               "mangeait", "house", "cat", "water", "book", "school", "tree",
                               "running", "cities", "Haus", "Katze", "Wasser", "Buch"};
    for (int i = 2; i < argc; ++i)
        bench(Dictionary::locate(QString::fromLocal8Bit(argv[i])), everyday, absent.mid(0, 20));
    return 0;
}
