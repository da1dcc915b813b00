// Times the division of a generated 10 MB text into clickable words and the check of
// which entries can be found, for a French text with apostrophe entries, a Chinese text
// and a Thai text, each with 5000 entries.
// Arguments (all optional): text size in characters, entry count, the one lesson to run
// (français, 中文 or ไทย).

#include "page/Findability.h"
#include "page/WordDivision.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>
#include <ctime>

using namespace lexifind;

namespace {

struct Lesson
{
    const char *name;
    QStringList pieces;    // word pieces of the language
    QString between;       // what separates words ("" for scripts without blanks)
    QString sentenceEnd;
    QString apostrophe;    // joins an elided article to a word, when the language has one
};

void run(const Lesson &lesson, qsizetype targetSize, int entryCount)
{
    QRandomGenerator random(1234);
    QStringList vocabulary;
    for (int i = 0; i < 20000; ++i) {
        QString word;
        const int parts = 1 + int(random.bounded(3));
        for (int p = 0; p < parts; ++p)
            word += lesson.pieces[random.bounded(int(lesson.pieces.size()))];
        if (!lesson.apostrophe.isEmpty() && random.bounded(5) == 0)
            word = u"l"_qs + lesson.apostrophe + word;
        vocabulary << word;
    }
    QString text;
    text.reserve(targetSize + 100);
    for (int column = 1; text.size() < targetSize; ++column) {
        text += vocabulary[random.bounded(int(vocabulary.size()))];
        text += column % 12 == 0 ? lesson.sentenceEnd + u"\r\n"_qs : lesson.between;
    }
    QStringList entries;
    for (int k = 0; k < entryCount; ++k) {
        QString entry = vocabulary[random.bounded(int(vocabulary.size()))];
        if (random.bounded(5) == 0)
            entry += lesson.between + vocabulary[random.bounded(int(vocabulary.size()))];
        entries << entry;
    }

    // Wall time, and processor time, which a shared processor does not inflate.
    const auto cpuMs = [] { return qint64(std::clock() * 1000.0 / CLOCKS_PER_SEC); };
    QElapsedTimer timer;
    timer.start();
    qint64 cpu = cpuMs();
    const Division division = DivideIntoWords(text, entries);
    const qint64 divideMs = timer.restart();
    const qint64 divideCpu = cpuMs() - cpu;
    cpu = cpuMs();
    const auto unfindable = FindUnfindableEntries(division, entries);
    const qint64 checkMs = timer.elapsed();
    const qint64 checkCpu = cpuMs() - cpu;
    std::printf("%-8s %.1f MB, %d entries: DivideIntoWords %lld ms (processor %lld ms, %zu words), "
                "FindUnfindableEntries %lld ms (processor %lld ms, %zu unfindable)\n",
                lesson.name, double(text.size()) / (1024 * 1024), entryCount, divideMs, divideCpu,
                division.words.size(), checkMs, checkCpu, unfindable.size());
}

} // namespace

int main(int argc, char *argv[])
{
    const qsizetype targetSize = argc > 1 ? QByteArray(argv[1]).toLongLong() : 10 * 1024 * 1024;
    const int entryCount = argc > 2 ? QByteArray(argv[2]).toInt() : 5000;
    const Lesson lessons[] = {
        {"français", {u"ma"_qs, u"ché"_qs, u"le"_qs, u"pom"_qs, u"ter"_qs, u"re"_qs, u"tion"_qs, u"vi"_qs,
                      u"lla"_qs, u"ge"_qs, u"œu"_qs, u"bou"_qs, u"lan"_qs, u"eau"_qs, u"fro"_qs},
         u" "_qs, u"."_qs, u"'"_qs},
        {"中文", {u"我们"_qs, u"今天"_qs, u"去"_qs, u"北京"_qs, u"大学"_qs, u"参观"_qs, u"学生"_qs, u"老师"_qs,
                  u"朋友"_qs, u"吃"_qs, u"饭"_qs, u"喝"_qs, u"茶"_qs, u"市场"_qs, u"买"_qs},
         u""_qs, u"。"_qs, u""_qs},
        {"ไทย", {u"แม่"_qs, u"ไป"_qs, u"ตลาด"_qs, u"ทุก"_qs, u"วัน"_qs, u"ซื้อ"_qs, u"ผลไม้"_qs, u"ข้าว"_qs,
                u"น้ำ"_qs, u"ปลา"_qs, u"กิน"_qs, u"บ้าน"_qs, u"เด็ก"_qs, u"โรงเรียน"_qs, u"ดี"_qs},
         u""_qs, u" "_qs, u""_qs},
    };
    const QByteArray only = argc > 3 ? QByteArray(argv[3]) : QByteArray();
    for (const Lesson &lesson : lessons)
        if (only.isEmpty() || only == lesson.name)
            run(lesson, targetSize, entryCount);
    return 0;
}
