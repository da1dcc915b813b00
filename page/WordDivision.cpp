#include "page/WordDivision.h"

#include "page/CodePoints.h"
#include "page/PhraseMatcher.h"
#include "page/RunBeside.h"

#include <QHash>

#include <unicode/ubrk.h>
#include <unicode/uloc.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace lexifind {

namespace {

bool isWordCategory(char32_t c)
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

// Every character of the text passes here: those of the Basic Multilingual Plane are
// looked up in a table made once.
const bool *wordTable()
{
    static const std::vector<char> table = [] {
        std::vector<char> word(0x10000);
        for (char32_t unit = 0; unit < 0x10000; ++unit)
            word[unit] = isWordCategory(unit);
        return word;
    }();
    return reinterpret_cast<const bool *>(table.data());
}

bool isWordCodePoint(char32_t c)
{
    return c < 0x10000 ? wordTable()[c] : isWordCategory(c);
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

    const qsizetype size = text.size();
    std::vector<std::vector<qsizetype>> starts(size_t(patterns.size()));
    {
        const PhraseMatcher matcher(patterns);
        std::vector<std::vector<qsizetype>> secondHalf(starts.size());
        matcher.scanMappedInHalves(text, [](char16_t unit) { return unit == u'~' ? char16_t(u' ') : unit; },
                                   [&](int half, int pattern, qsizetype start) {
                                       (half ? secondHalf : starts)[size_t(pattern)].push_back(start);
                                   });
        for (size_t p = 0; p < starts.size(); ++p)
            starts[p].insert(starts[p].end(), secondHalf[p].begin(), secondHalf[p].end());
    }
    size_t candidates = 0;
    for (auto &list : starts) {
        std::sort(list.begin(), list.end());
        candidates += list.size();
    }
    joining.occurrences.reserve(candidates);

    // The working text's tildes, a bit per code unit: the entries are taken in list
    // order, each at positions all over the text, and a bit array stays in the cache
    // where the text would not.
    std::vector<quint64> tilde(size_t(size + 63) / 64, 0);
    const auto isTilde = [&](qsizetype i) { return (tilde[size_t(i) >> 6] >> (i & 63)) & 1; };
    const char16_t *original = reinterpret_cast<const char16_t *>(text.utf16());
    if (text.contains(u'~'))
        for (qsizetype i = 0; i < size; ++i)
            if (original[i] == u'~')
                tilde[size_t(i) >> 6] |= quint64(1) << (i & 63);

    std::vector<bool> &glued = joining.glued;
    std::vector<std::pair<qsizetype, bool>> blanks; // an entry's blanks and tildes, tildes true
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const int pattern = entryPattern[size_t(k)];
        if (pattern < 0)
            continue;
        const QString &entry = entries[k];
        const qsizetype length = entry.size();
        blanks.clear();
        for (qsizetype i = 0; i < length; ++i)
            if (entry[i] == u' ' || entry[i] == u'~')
                blanks.emplace_back(i, entry[i] == u'~');
        qsizetype from = 0;
        for (qsizetype start : starts[size_t(pattern)]) {
            // The scan read tildes as blanks: the entry is still there, as the earlier
            // entries left the text, when its blanks and tildes are.
            if (start < from
                || std::any_of(blanks.begin(), blanks.end(),
                               [&](const auto &b) { return bool(isTilde(start + b.first)) != b.second; }))
                continue;
            if (!glued.empty()
                && std::any_of(glued.begin() + start, glued.begin() + start + length, [](bool g) { return g; }))
                continue;
            for (const auto &[offset, typedTilde] : blanks)
                tilde[size_t(start + offset) >> 6] |= quint64(1) << ((start + offset) & 63);
            if (!glue[size_t(k)].empty() && glued.empty())
                glued.assign(size_t(size), false);
            for (qsizetype offset : glue[size_t(k)])
                glued[size_t(start + offset)] = true;
            joining.occurrences.push_back({start, length, int(k)});
            from = start + length;
        }
    }

    // The working copy, made here rather than by a detach so that it gets large pages.
    joining.text = QString(size, Qt::Uninitialized);
    char16_t *data = reinterpret_cast<char16_t *>(joining.text.data());
    for (qsizetype block = 0; block < size; block += 64) {
        const qsizetype end = std::min(size, block + 64);
        const quint64 bits = tilde[size_t(block) >> 6];
        if (!bits) {
            std::copy(original + block, original + end, data + block);
            continue;
        }
        for (qsizetype i = block; i < end; ++i)
            data[i] = (bits >> (i & 63)) & 1 ? u'~' : original[i];
    }
    return joining;
}

// Words are the runs of word characters and glued characters, whole code points at a time.
// segmented, when given, receives the indices of the words that hold a character of a
// script written without blanks between words.
std::vector<WordSpan> wordRuns(const QString &text, const std::vector<bool> &glued,
                               std::vector<size_t> *segmented = nullptr)
{
    const char16_t *data = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    const bool *table = wordTable();
    const bool anyGlued = !glued.empty();
    // Whether the code point at i is in a word, and its length in code units. Units of
    // the Basic Multilingual Plane outside surrogates, nearly every one, are looked up.
    const auto isWord = [&](qsizetype i, qsizetype &units) {
        const char16_t unit = data[i];
        bool word = false;
        units = 1;
        if (!QChar::isSurrogate(unit)) [[likely]] {
            word = table[unit];
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(data[i + 1])) {
            word = isWordCategory(QChar::surrogateToUcs4(unit, data[i + 1]));
            units = 2;
        }
        return word || (anyGlued && glued[size_t(i)]);
    };
    // Word starts are counted without a branch, as they come every few characters.
    const auto count = [&](qsizetype from, qsizetype to) {
        size_t words = 0;
        bool previous = false;
        for (qsizetype i = from, units; i < to; i += units) {
            const bool word = isWord(i, units);
            words += size_t(word & !previous);
            previous = word;
        }
        return words;
    };
    // The runs of [from, to) into spans; their words holding a script written without
    // blanks into unspaced, numbered from the first of spans.
    const auto fill = [&](qsizetype from, qsizetype to, WordSpan *spans, size_t words,
                          std::vector<size_t> *unspaced) {
        WordSpan spare; // where the loop writes ahead past the last word
        const auto span = [&](size_t n) -> WordSpan & { return n < words ? spans[n] : spare; };
        size_t started = 0; // words begun
        size_t ended = 0;   // words ended
        bool previous = false;
        for (qsizetype i = from, units; i < to; i += units) {
            const bool word = isWord(i, units);
            // Written every time, kept only where a word begins or ends.
            span(started).start = i;
            WordSpan &current = span(ended);
            current.length = i - current.start;
            started += size_t(word & !previous);
            ended += size_t(!word & previous);
            previous = word;
            if (unspaced && word && data[i] >= 0x0E00) [[unlikely]] {
                const char32_t c = units == 2 ? QChar::surrogateToUcs4(data[i], data[i + 1]) : data[i];
                if (isUnspacedScript(c) && (unspaced->empty() || unspaced->back() != started - 1))
                    unspaced->push_back(started - 1);
            }
        }
        if (previous)
            spans[ended].length = to - spans[ended].start;
    };

    // A large text in two halves at once, cut outside any word.
    qsizetype cut = size;
    if (size >= 2 * (qsizetype(1) << 20)) {
        cut = size / 2;
        for (qsizetype units; cut < size && (QChar::isLowSurrogate(data[cut]) || isWord(cut, units));)
            ++cut;
    }
    // Counted first: the words of a large text take more memory than its characters,
    // and a growing array would copy them again and again.
    size_t firstCount = 0;
    size_t secondCount = 0;
    if (cut < size)
        RunBeside([&] { firstCount = count(0, cut); }, [&] { secondCount = count(cut, size); });
    else
        firstCount = count(0, size);
    std::vector<WordSpan> words;
    words.reserve(firstCount + secondCount);
    words.resize(firstCount + secondCount);
    std::vector<size_t> secondSegmented;
    if (cut < size)
        RunBeside([&] { fill(0, cut, words.data(), firstCount, segmented); }, [&] {
            fill(cut, size, words.data() + firstCount, secondCount, segmented ? &secondSegmented : nullptr);
        });
    else
        fill(0, size, words.data(), firstCount, segmented);
    if (segmented)
        for (const size_t index : secondSegmented)
            segmented->push_back(firstCount + index);
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

void sortByStart(std::vector<EntryOccurrence> &occurrences);

// Below this many words to segment per half, they are segmented in one piece.
constexpr size_t MinimumSegmentedHalf = 4096;

// Divides the words that hold a script written without blanks: the teacher's entries
// first (each occurrence that reaches into such a script one word, the earlier entry
// winning where two overlap), then the changes of script, then the segmenter.
void divideUnspaced(Division &division, const std::vector<bool> &glued,
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
        size_t candidates = 0;
        for (const auto &list : starts)
            candidates += list.size();
        kept.reserve(candidates);
        std::vector<bool> claimed;
        for (qsizetype k = 0; k < entries.size(); ++k) {
            const int pattern = entryPattern[size_t(k)];
            if (pattern < 0 || starts[size_t(pattern)].empty())
                continue;
            if (claimed.empty())
                claimed.assign(size_t(text.size()), false);
            const qsizetype length = entries[k].size();
            for (qsizetype start : starts[size_t(pattern)]) {
                const auto from = claimed.begin() + start;
                if (std::any_of(from, from + length, [](bool c) { return c; }))
                    continue;
                std::fill(from, from + length, true);
                kept.push_back({start, length, int(k)});
            }
        }
        sortByStart(kept);
    }

    // The tilde and the hyphen join as they do everywhere, and glued characters belong
    // to the entry that glued them: no cut beside them.
    const auto joins = [&](qsizetype i) {
        return text[i] == u'~' || text[i] == u'-' || (!glued.empty() && glued[size_t(i)]);
    };

    // The words from index from up to to, the segmented ones cut, into words.
    const auto divideWords = [&](size_t from, size_t to, std::vector<WordSpan> &words) {
        Segmenter segmenter(language);
        size_t nextSegmented = size_t(std::lower_bound(segmented.begin(), segmented.end(), from) - segmented.begin());
        // The occurrences kept lie inside segmented words: those before the first word are done.
        size_t nextKept = from >= division.words.size() ? kept.size()
                : size_t(std::lower_bound(kept.begin(), kept.end(), division.words[from].start,
                                          [](const EntryOccurrence &o, qsizetype at) { return o.start < at; })
                         - kept.begin());
        std::vector<qsizetype> cuts;
        for (size_t index = from; index < to; ++index) {
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
    };
    // The segmenter is most of the work: with many words to segment, each half of them
    // goes to a processor of its own.
    std::vector<WordSpan> words;
    words.reserve(division.words.size() + stretches.size());
    if (segmented.size() >= MinimumSegmentedHalf * 2) {
        const size_t middle = segmented[segmented.size() / 2];
        std::vector<WordSpan> secondHalf;
        RunBeside([&] { divideWords(0, middle, words); },
                  [&] { divideWords(middle, division.words.size(), secondHalf); });
        words.insert(words.end(), secondHalf.begin(), secondHalf.end());
    } else {
        divideWords(0, division.words.size(), words);
    }
    division.words = std::move(words);
    division.entryOccurrences.insert(division.entryOccurrences.end(), kept.begin(), kept.end());
}

// Sorts the occurrences by start, those with the same start kept in their order. A large
// text has hundreds of thousands: they are sorted by 16 bits of their start at a time.
void sortByStart(std::vector<EntryOccurrence> &occurrences)
{
    if (occurrences.size() < 4096) {
        std::stable_sort(occurrences.begin(), occurrences.end(),
                         [](const EntryOccurrence &a, const EntryOccurrence &b) { return a.start < b.start; });
        return;
    }
    qsizetype last = 0;
    for (const EntryOccurrence &o : occurrences)
        last = std::max(last, o.start);
    std::vector<EntryOccurrence> sorted;
    sorted.reserve(occurrences.size());
    sorted.resize(occurrences.size());
    std::vector<size_t> next(0x10001);
    for (int shift = 0; shift < 64 && (last >> shift) > 0; shift += 16) {
        std::fill(next.begin(), next.end(), 0);
        for (const EntryOccurrence &o : occurrences)
            ++next[((o.start >> shift) & 0xFFFF) + 1];
        for (size_t d = 1; d < next.size(); ++d)
            next[d] += next[d - 1];
        for (const EntryOccurrence &o : occurrences)
            sorted[next[(o.start >> shift) & 0xFFFF]++] = o;
        occurrences.swap(sorted);
    }
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
    division.entryOccurrences = std::move(joining.occurrences);
    std::vector<size_t> segmented;
    division.words = wordRuns(division.text, joining.glued, &segmented);
    if (!segmented.empty())
        divideUnspaced(division, joining.glued, segmented, entries, language);
    sortByStart(division.entryOccurrences);
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
