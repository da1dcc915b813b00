#include "page/WordDivision.h"

#include "page/CodePoints.h"
#include "page/PhraseMatcher.h"

#include <QHash>

#include <unicode/ubrk.h>
#include <unicode/uloc.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace lexifind {

namespace {

bool isWordCodePoint(char32_t c)
{
    if (c == u'-' || c == u'~')
        return true;
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Number_DecimalDigit:
        return true;
    default:
        return false;
    }
}

// Scripts written without blanks between words: a segmenter finds their words.
bool isUnspacedScript(char32_t c)
{
    switch (QChar::script(c)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Thai:
    case QChar::Script_Lao:
    case QChar::Script_Khmer:
    case QChar::Script_Myanmar:
        return true;
    default:
        return false;
    }
}

} // namespace

bool IsWordCharacter(QChar c)
{
    return isWordCodePoint(c.unicode());
}

namespace {

QString asBlanks(QString s)
{
    return s.replace(u'~', u' ');
}

// The entries joined in the working text, earlier entries first.
struct Joining
{
    QString text;                 // blanks of joined occurrences become tildes
    std::vector<bool> glued;      // other word-cutting characters of joined occurrences
    std::vector<EntryOccurrence> occurrences;
};

// An entry that holds a character cutting words (a blank, an apostrophe, any
// punctuation) is joined wherever it occurs: its blanks become tildes, and its other
// cutting characters are glued, so that each occurrence is one word reading as the entry.
// Each entry works on the text as the earlier ones left it: an occurrence is taken only
// where no earlier join turned one of its blanks into a tilde or glued one of its other
// cutting characters. Positions never move, so one scan of the original, tildes read as
// blanks, finds every candidate; each entry then checks its own, left to right.
Joining joinEntries(const QString &text, const QStringList &entries)
{
    Joining joining;
    joining.text = text; // shared until the first join

    QHash<QString, int> patternIndex;
    QStringList patterns;
    std::vector<int> entryPattern(size_t(entries.size()), -1);
    // Per entry, the code units to glue.
    std::vector<std::vector<qsizetype>> glue(size_t(entries.size()));
    for (qsizetype k = 0; k < entries.size(); ++k) {
        bool cuts = false;
        ForEachCodePoint(entries[k], [&](char32_t c, qsizetype at, qsizetype units) {
            if (isWordCodePoint(c))
                return true;
            cuts = true;
            if (c != u' ')
                for (qsizetype u = 0; u < units; ++u)
                    glue[size_t(k)].push_back(at + u);
            return true;
        });
        if (!cuts)
            continue;
        const QString key = asBlanks(entries[k]);
        auto it = patternIndex.constFind(key);
        if (it == patternIndex.constEnd()) {
            it = patternIndex.insert(key, int(patterns.size()));
            patterns << key;
        }
        entryPattern[size_t(k)] = it.value();
    }
    if (patterns.isEmpty())
        return joining;

    // Every occurrence of each pattern, in order of start: one scan of the original, as
    // positions never move.
    std::vector<std::vector<qsizetype>> starts(size_t(patterns.size()));
    PhraseMatcher(patterns).scan(
            text, [&](int pattern, qsizetype start) { starts[size_t(pattern)].push_back(start); }, true);

    QString &working = joining.text;
    std::vector<bool> &glued = joining.glued;
    std::vector<qsizetype> blanks; // where an entry has a blank or a tilde
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const int pattern = entryPattern[size_t(k)];
        if (pattern < 0)
            continue;
        const QString &entry = entries[k];
        const qsizetype length = entry.size();
        blanks.clear();
        for (qsizetype i = 0; i < length; ++i)
            if (entry[i] == u' ' || entry[i] == u'~')
                blanks.push_back(i);
        qsizetype from = 0;
        for (qsizetype start : starts[size_t(pattern)]) {
            // The scan read tildes as blanks: the entry is still there, as the earlier
            // entries left the text, when its blanks and tildes are, and none of its
            // characters was glued.
            if (start < from
                || std::any_of(blanks.begin(), blanks.end(),
                               [&](qsizetype i) { return working.at(start + i) != entry[i]; }))
                continue;
            if (!glued.empty()
                && std::any_of(glued.begin() + start, glued.begin() + start + length, [](bool g) { return g; }))
                continue;
            for (qsizetype i : blanks)
                if (entry[i] == u' ')
                    working[start + i] = u'~';
            if (!glue[size_t(k)].empty() && glued.empty())
                glued.assign(size_t(text.size()), false);
            for (qsizetype offset : glue[size_t(k)])
                glued[size_t(start + offset)] = true;
            joining.occurrences.push_back({start, length, int(k)});
            from = start + length;
        }
    }
    return joining;
}

// Words are the runs of word characters and glued characters, whole code points at a time.
// segmented receives the indices of the words that hold a character of a script written
// without blanks between words.
std::vector<WordSpan> wordRuns(const QString &text, const std::vector<bool> &glued,
                               std::vector<size_t> &segmented)
{
    // Calls run(start, end, unspaced) for each word; unspaced: it holds such a script.
    const auto forEachRun = [&](auto run) {
        qsizetype start = -1; // of the word being read, -1 between words
        bool unspaced = false;
        ForEachCodePoint(text, [&](char32_t c, qsizetype at, qsizetype) {
            if (isWordCodePoint(c) || (!glued.empty() && glued[size_t(at)])) {
                if (start < 0) {
                    start = at;
                    unspaced = false;
                }
                unspaced = unspaced || (c >= 0x0E00 && isUnspacedScript(c));
            } else if (start >= 0) {
                run(start, at, unspaced);
                start = -1;
            }
        });
        if (start >= 0)
            run(start, text.size(), unspaced);
    };
    // Counted first: the words of a large text take more memory than its characters, and
    // an array grown by doubling would copy them and hold them twice at its peak (the page
    // of a 10 MB lesson peaks at 98 MB instead of 120 MB).
    size_t count = 0;
    forEachRun([&](qsizetype, qsizetype, bool) { ++count; });
    std::vector<WordSpan> words;
    words.reserve(count);
    forEachRun([&](qsizetype start, qsizetype end, bool unspaced) {
        if (unspaced)
            segmented.push_back(words.size());
        words.push_back({start, end - start});
    });
    return words;
}

// The word break iterator of the text's language (the root rules, which follow the
// script, when none is given or ICU does not know it).
class Segmenter
{
public:
    explicit Segmenter(const QString &language)
    {
        char locale[ULOC_FULLNAME_CAPACITY] = "";
        if (!language.isEmpty()) {
            UErrorCode status = U_ZERO_ERROR;
            int32_t parsed = 0;
            const QByteArray tag = language.toLatin1();
            uloc_forLanguageTag(tag.constData(), locale, sizeof locale, &parsed, &status);
            if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING)
                locale[0] = '\0';
        }
        UErrorCode status = U_ZERO_ERROR;
        m_iterator = ubrk_open(UBRK_WORD, locale, nullptr, 0, &status);
        if (U_FAILURE(status))
            m_iterator = nullptr;
    }
    ~Segmenter()
    {
        if (m_iterator)
            ubrk_close(m_iterator);
    }
    Segmenter(const Segmenter &) = delete;
    Segmenter &operator=(const Segmenter &) = delete;

    // Calls cut(offset) for each word boundary strictly inside piece.
    template<typename Cut>
    void boundaries(QStringView piece, Cut cut)
    {
        if (!m_iterator)
            return;
        UErrorCode status = U_ZERO_ERROR;
        ubrk_setText(m_iterator, piece.utf16(), int32_t(piece.size()), &status);
        if (U_FAILURE(status))
            return;
        for (int32_t at = ubrk_first(m_iterator); (at = ubrk_next(m_iterator)) != UBRK_DONE;)
            if (at < piece.size())
                cut(qsizetype(at));
    }

private:
    UBreakIterator *m_iterator = nullptr;
};

// Within a word, the stretches of a script written without blanks. Characters common to
// all scripts (digits, marks, the prolonged sound mark, glued punctuation) go with the
// script before them, or at a word's start with the one after them.
struct Stretch
{
    qsizetype start;
    qsizetype end;
    bool unspaced;
};

template<typename Add>
void stretchesOf(QStringView text, WordSpan word, Add add)
{
    enum Kind { None, Unspaced, Spaced };
    Kind current = None;
    qsizetype from = word.start;
    ForEachCodePoint(text.mid(word.start, word.length), [&](char32_t c, qsizetype at, qsizetype) {
        const QChar::Script script = QChar::script(c);
        if (script == QChar::Script_Common || script == QChar::Script_Inherited)
            return true;
        const Kind kind = c >= 0x0E00 && isUnspacedScript(c) ? Unspaced : Spaced;
        if (current != None && kind != current) {
            add(Stretch{from, word.start + at, current == Unspaced});
            from = word.start + at;
        }
        current = kind;
        return true;
    });
    add(Stretch{from, word.start + word.length, current == Unspaced});
}

// Whether the page could ever read an entry from a word: a tilde is never read as
// itself, and the page trims white space from a word before comparing.
bool couldBeRead(const QString &entry)
{
    return !entry.isEmpty() && !entry.contains(u'~') && !IsPageSpace(entry.front())
            && !IsPageSpace(entry.back());
}

// Divides the words that hold a script written without blanks: the teacher's entries
// first (each occurrence that reaches into such a script one word, the earlier entry
// winning where two overlap), then the changes of script, then the segmenter. Returns the
// entries' occurrences that fixed words, by start.
std::vector<EntryOccurrence> divideUnspaced(Division &division, const std::vector<bool> &glued,
                    const std::vector<size_t> &segmented, const QStringList &entries,
                    const QString &language)
{
    const QString &text = division.text;
    // The stretches of each segmented word, in text order; stretchStart[i] is where
    // those of segmented[i] begin.
    std::vector<Stretch> stretches;
    std::vector<size_t> stretchStart;
    stretches.reserve(segmented.size());
    stretchStart.reserve(segmented.size() + 1);
    for (size_t index : segmented) {
        stretchStart.push_back(stretches.size());
        stretchesOf(text, division.words[index], [&](Stretch s) { stretches.push_back(s); });
    }
    stretchStart.push_back(stretches.size());

    // The entries' occurrences, claimed in list order.
    std::vector<EntryOccurrence> kept;
    {
        QHash<QString, int> patternIndex;
        QStringList patterns;
        std::vector<int> entryPattern(size_t(entries.size()), -1);
        for (qsizetype k = 0; k < entries.size(); ++k) {
            if (!couldBeRead(entries[k]) || patternIndex.contains(entries[k]))
                continue;
            patternIndex.insert(entries[k], int(patterns.size()));
            entryPattern[size_t(k)] = int(patterns.size());
            patterns << entries[k];
        }
        std::vector<std::vector<qsizetype>> starts(size_t(patterns.size()));
        if (!patterns.isEmpty()) {
            const PhraseMatcher matcher(patterns);
            for (size_t i = 0; i < segmented.size(); ++i) {
                const WordSpan word = division.words[segmented[i]];
                const auto first = stretches.begin() + qsizetype(stretchStart[i]);
                const auto last = stretches.begin() + qsizetype(stretchStart[i + 1]);
                matcher.scan(QStringView(text).mid(word.start, word.length),
                             [&](int pattern, qsizetype offset) {
                                 const qsizetype start = word.start + offset;
                                 const qsizetype end = start + patterns[pattern].size();
                                 if (std::any_of(first, last, [&](const Stretch &s) {
                                         return s.unspaced && s.start < end && start < s.end;
                                     }))
                                     starts[size_t(pattern)].push_back(start);
                             },
                             true);
            }
        }
        // Claimed in list order, then read back in the order of the text.
        std::vector<bool> claimed;
        std::vector<int> claimant; // the entry whose occurrence starts at each position, or -1
        for (qsizetype k = 0; k < entries.size(); ++k) {
            const int pattern = entryPattern[size_t(k)];
            if (pattern < 0 || starts[size_t(pattern)].empty())
                continue;
            if (claimed.empty()) {
                claimed.assign(size_t(text.size()), false);
                claimant.assign(size_t(text.size()), -1);
            }
            const qsizetype length = entries[k].size();
            for (qsizetype start : starts[size_t(pattern)]) {
                const auto from = claimed.begin() + start;
                if (std::any_of(from, from + length, [](bool c) { return c; }))
                    continue;
                std::fill(from, from + length, true);
                claimant[size_t(start)] = int(k);
            }
        }
        for (size_t start = 0; start < claimant.size(); ++start)
            if (const int k = claimant[start]; k >= 0)
                kept.push_back({qsizetype(start), entries[k].size(), k});
    }

    // The tilde and the hyphen join as they do everywhere, and glued characters belong
    // to the entry that glued them: no cut beside them.
    const auto joins = [&](qsizetype i) {
        return text[i] == u'~' || text[i] == u'-' || (!glued.empty() && glued[size_t(i)]);
    };

    // The words, the segmented ones cut at the occurrences kept, at changes of script and
    // where the segmenter finds a boundary.
    Segmenter segmenter(language);
    std::vector<WordSpan> words;
    words.reserve(division.words.size() + stretches.size());
    size_t nextSegmented = 0;
    size_t nextKept = 0;
    std::vector<qsizetype> cuts;
    for (size_t index = 0; index < division.words.size(); ++index) {
        const WordSpan word = division.words[index];
        if (nextSegmented >= segmented.size() || segmented[nextSegmented] != index) {
            words.push_back(word);
            continue;
        }
        const qsizetype wordEnd = word.start + word.length;
        cuts.clear();
        size_t k = nextKept;
        const auto mayCut = [&](qsizetype at) {
            while (k < kept.size() && kept[k].start + kept[k].length <= at)
                ++k;
            const bool insideEntry = k < kept.size() && kept[k].start < at;
            if (!insideEntry && !joins(at - 1) && !joins(at))
                cuts.push_back(at);
        };
        for (size_t s = stretchStart[nextSegmented]; s < stretchStart[nextSegmented + 1]; ++s) {
            const Stretch &stretch = stretches[s];
            if (stretch.start > word.start)
                mayCut(stretch.start);
            if (stretch.unspaced)
                segmenter.boundaries(QStringView(text).mid(stretch.start, stretch.end - stretch.start),
                                     [&](qsizetype offset) { mayCut(stretch.start + offset); });
        }
        ++nextSegmented;
        cuts.push_back(word.start);
        cuts.push_back(wordEnd);
        for (; nextKept < kept.size() && kept[nextKept].start < wordEnd; ++nextKept) {
            cuts.push_back(kept[nextKept].start);
            cuts.push_back(kept[nextKept].start + kept[nextKept].length);
        }
        std::sort(cuts.begin(), cuts.end());
        cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
        for (size_t c = 0; c + 1 < cuts.size(); ++c)
            words.push_back({cuts[c], cuts[c + 1] - cuts[c]});
    }
    division.words = std::move(words);
    return kept;
}

} // namespace

QString JoinPhrases(const QString &text, const QStringList &words)
{
    return joinEntries(text, words).text;
}

Division DivideIntoWords(const QString &text, const QStringList &entries, const QString &language)
{
    Division division;
    Joining joining = joinEntries(text, entries);
    division.text = std::move(joining.text);
    std::vector<size_t> segmented;
    division.words = wordRuns(division.text, joining.glued, segmented);
    const std::vector<EntryOccurrence> kept = segmented.empty()
            ? std::vector<EntryOccurrence>()
            : divideUnspaced(division, joining.glued, segmented, entries, language);
    // By start; where a joined occurrence and a kept one start together, the joined first.
    const auto byStart = [](const EntryOccurrence &a, const EntryOccurrence &b) { return a.start < b.start; };
    std::stable_sort(joining.occurrences.begin(), joining.occurrences.end(), byStart);
    division.entryOccurrences.reserve(joining.occurrences.size() + kept.size());
    std::merge(joining.occurrences.begin(), joining.occurrences.end(), kept.begin(), kept.end(),
               std::back_inserter(division.entryOccurrences), byStart);
    division.rightToLeft = StartsRightToLeft(text);
    return division;
}

bool StartsRightToLeft(QStringView text)
{
    bool rightToLeft = false;
    ForEachCodePoint(text, [&](char32_t c, qsizetype, qsizetype) {
        switch (QChar::direction(c)) {
        case QChar::DirL:
            return false;
        case QChar::DirR:
        case QChar::DirAL:
            rightToLeft = true;
            return false;
        default:
            return true;
        }
    });
    return rightToLeft;
}

bool IsPageSpace(QChar c)
{
    // The white space of the page script's \s.
    switch (c.unicode()) {
    case u'\t': case u'\n': case 0x0B: case 0x0C: case u'\r': case u' ':
    case 0x00A0: case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F:
    case 0x3000: case 0xFEFF:
        return true;
    default:
        return c.unicode() >= 0x2000 && c.unicode() <= 0x200A;
    }
}

QString WordReading(const Division &division, const WordSpan &word)
{
    QStringView view = QStringView(division.text).mid(word.start, word.length);
    // The page compares the span's first text node: a line break tag would end it.
    if (const qsizetype cr = view.indexOf(u'\r'); cr >= 0)
        view = view.left(cr);
    while (!view.isEmpty() && IsPageSpace(view.front()))
        view = view.mid(1);
    while (!view.isEmpty() && IsPageSpace(view.back()))
        view.chop(1);
    return asBlanks(view.toString());
}

} // namespace lexifind
