#include "page/Findability.h"

#include "page/PhraseMatcher.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace lexifind {

namespace {

// Each code unit folded on its own, so that the length stays: enough to tell a word
// that differs from an entry only in its capitals.
char16_t foldUnit(char16_t unit)
{
    return QChar(unit).toCaseFolded().unicode();
}

// s folded into out, tildes read as blanks as the page shows them.
void foldInto(QString &out, QStringView s)
{
    out.resize(s.size());
    char16_t *data = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < s.size(); ++i)
        data[i] = s[i] == u'~' ? u' ' : foldUnit(s[i].unicode());
}

QString foldEach(QStringView s)
{
    QString out;
    foldInto(out, s);
    return out;
}

// The entries by their folded form, which every word of the text is looked up in.
class FoldedEntries
{
public:
    struct Key
    {
        std::vector<int> entries;  // the distinct entries folding to it, by first position
        qsizetype firstWord = -1;  // the first word that reads as it, folded
        bool settled = false;      // every one of its entries found, and firstWord known
    };

    explicit FoldedEntries(const std::vector<QString> &distinct)
    {
        m_index.reserve(qsizetype(distinct.size()));
        for (size_t e = 0; e < distinct.size(); ++e) {
            const QString key = foldEach(distinct[e]);
            auto it = m_index.constFind(key);
            if (it == m_index.constEnd()) {
                it = m_index.insert(key, int(m_keys.size()));
                m_keys.emplace_back();
            }
            m_keys[size_t(it.value())].entries.push_back(int(e));
            m_keyOf.push_back(it.value());
        }
    }

    // The key of a folded reading, or nullptr.
    Key *find(const QString &folded)
    {
        const auto it = m_index.constFind(folded);
        return it == m_index.constEnd() ? nullptr : &m_keys[size_t(it.value())];
    }
    const Key &keyOf(int distinctEntry) const { return m_keys[size_t(m_keyOf[size_t(distinctEntry)])]; }

private:
    QHash<QString, int> m_index;
    std::vector<Key> m_keys;
    std::vector<int> m_keyOf;
};

// Whether a word's characters read as the entry, a tilde read as a blank.
bool readsAs(QStringView reading, QStringView entry)
{
    return reading.size() == entry.size()
           && std::equal(reading.begin(), reading.end(), entry.begin(),
                         [](QChar r, QChar e) { return (r == u'~' ? QChar(u' ') : r) == e; });
}

} // namespace

std::vector<UnfindableEntry> FindUnfindableEntries(const Division &division, const QStringList &entries)
{
    std::vector<UnfindableEntry> result;
    const QString &text = division.text;

    // Entries that appear twice in the list are looked up once, as the first.
    std::vector<QString> distinct;
    std::vector<int> distinctOf(size_t(entries.size()));
    {
        QHash<QString, int> seen;
        seen.reserve(entries.size());
        for (qsizetype k = 0; k < entries.size(); ++k) {
            const auto it = seen.constFind(entries[k]);
            if (it != seen.constEnd()) {
                distinctOf[size_t(k)] = it.value();
            } else {
                distinctOf[size_t(k)] = int(distinct.size());
                seen.insert(entries[k], int(distinct.size()));
                distinct.push_back(entries[k]);
            }
        }
    }

    // One pass over the words, each read as the page reads it and looked up folded: an
    // equal reading finds the entry, a reading equal but for its capitals is kept to
    // name the first such word of the text.
    FoldedEntries folded(distinct);
    std::vector<bool> found(distinct.size(), false);
    size_t unsettled = distinct.size();
    QString scratch;
    QString foldedReading;
    for (size_t w = 0; w < division.words.size() && unsettled > 0; ++w) {
        const WordSpan &word = division.words[w];
        QStringView reading = QStringView(text).mid(word.start, word.length);
        // Most words read as their own characters; the others are read into scratch.
        if (IsPageSpace(reading.front()) || IsPageSpace(reading.back()) || reading.contains(u'\r')) {
            scratch = WordReading(division, word);
            reading = scratch;
        }
        foldInto(foldedReading, reading);
        FoldedEntries::Key *key = folded.find(foldedReading);
        if (!key || key->settled)
            continue;
        if (key->firstWord < 0)
            key->firstWord = qsizetype(w);
        bool settled = true;
        for (const int e : key->entries) {
            if (!found[size_t(e)] && readsAs(reading, distinct[size_t(e)])) {
                found[size_t(e)] = true;
                --unsettled;
            }
            settled = settled && found[size_t(e)];
        }
        key->settled = settled;
    }

    std::vector<size_t> open; // indices into result whose reason is still to find
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const QString &entry = entries[k];
        const int e = distinctOf[size_t(k)];
        if (found[size_t(e)])
            continue;
        UnfindableEntry unfindable{int(k), entry, UnfindableReason::NotInText, {}};
        if (entry.contains(u'~')) {
            unfindable.reason = UnfindableReason::Tilde;
        } else if (!entry.isEmpty() && (IsPageSpace(entry.front()) || IsPageSpace(entry.back()))) {
            unfindable.reason = UnfindableReason::BlankAtEnd;
        } else if (const qsizetype w = folded.keyOf(e).firstWord; w >= 0 && !entry.isEmpty()) {
            // A word that reads as the entry but for its capitals.
            unfindable.reason = UnfindableReason::OtherCapitals;
            unfindable.named = WordReading(division, division.words[size_t(w)]);
        } else if (!entry.isEmpty()) {
            open.push_back(result.size());
        }
        result.push_back(std::move(unfindable));
    }
    if (open.empty())
        return result;

    // Where the text holds the entry, as the page shows the text, the words there tell why.
    QHash<QString, int> patternIndex;
    QStringList patterns;
    for (size_t index : open)
        if (!patternIndex.contains(result[index].entry)) {
            patternIndex.insert(result[index].entry, int(patterns.size()));
            patterns << result[index].entry;
        }
    // One pass over the text folded, as the page shows it: each occurrence is either
    // the entry's own (the first one tells why it cannot be found) or one with other
    // capitals, maybe over several words (the first tells why when there is no other).
    std::vector<qsizetype> firstStart(size_t(patterns.size()), -1);
    std::vector<qsizetype> firstFolded(size_t(patterns.size()), -1);
    {
        // Entries that differ only in their capitals share one folded pattern.
        QHash<QString, int> foldedIndex;
        QStringList folded;
        std::vector<std::vector<int>> sharing;
        for (qsizetype p = 0; p < patterns.size(); ++p) {
            const QString key = foldEach(patterns[p]);
            auto it = foldedIndex.constFind(key);
            if (it == foldedIndex.constEnd()) {
                it = foldedIndex.insert(key, int(folded.size()));
                folded << key;
                sharing.emplace_back();
            }
            sharing[size_t(it.value())].push_back(int(p));
        }
        PhraseMatcher(folded).scanMapped(
                text, [](char16_t unit) { return unit == u'~' ? char16_t(u' ') : foldUnit(unit); },
                [&](int foldedPattern, qsizetype start) {
                    for (const int pattern : sharing[size_t(foldedPattern)]) {
                        if (firstStart[size_t(pattern)] >= 0)
                            continue;
                        const QString &entry = patterns[pattern];
                        if (readsAs(QStringView(text).mid(start, entry.size()), entry))
                            firstStart[size_t(pattern)] = start;
                        else if (firstFolded[size_t(pattern)] < 0)
                            firstFolded[size_t(pattern)] = start;
                    }
                });
    }

    qsizetype longestOccurrence = 0;
    for (const EntryOccurrence &occurrence : division.entryOccurrences)
        longestOccurrence = std::max(longestOccurrence, occurrence.length);
    const auto &occurrences = division.entryOccurrences;
    const auto &words = division.words;

    for (size_t index : open) {
        UnfindableEntry &unfindable = result[index];
        const int pattern = patternIndex.value(unfindable.entry);
        const qsizetype start = firstStart[size_t(pattern)];
        if (start < 0) {
            if (const qsizetype other = firstFolded[size_t(pattern)]; other >= 0) {
                unfindable.reason = UnfindableReason::OtherCapitals;
                unfindable.named = text.mid(other, unfindable.entry.size()).replace(u'~', u' ');
            }
            continue;
        }
        const qsizetype end = start + unfindable.entry.size();

        // An earlier entry took part of it.
        auto after = std::lower_bound(occurrences.begin(), occurrences.end(), end,
                                      [](const EntryOccurrence &o, qsizetype at) { return o.start < at; });
        for (auto it = after; it != occurrences.begin();) {
            --it;
            if (it->start + longestOccurrence <= start)
                break;
            if (it->entry < unfindable.position && it->start + it->length > start
                && entries[it->entry] != unfindable.entry) {
                unfindable.reason = UnfindableReason::JoinedByEarlier;
                unfindable.named = entries[it->entry];
            }
        }
        if (unfindable.reason == UnfindableReason::JoinedByEarlier)
            continue;

        // Otherwise the words it lies in are longer than it.
        auto first = std::lower_bound(words.begin(), words.end(), start,
                                      [](const WordSpan &w, qsizetype at) { return w.start + w.length <= at; });
        if (first == words.end() || first->start >= end)
            continue;
        auto last = first;
        while (last + 1 != words.end() && (last + 1)->start < end)
            ++last;
        unfindable.reason = UnfindableReason::InsideLongerWord;
        unfindable.named = WordReading(division, {first->start, last->start + last->length - first->start});
    }
    return result;
}

QString UnfindableReasonText(const UnfindableEntry &unfindable)
{
    switch (unfindable.reason) {
    case UnfindableReason::NotInText:
        return QStringLiteral("absent du texte");
    case UnfindableReason::InsideLongerWord:
        return QStringLiteral("seulement dans un mot plus long : « %1 »").arg(unfindable.named);
    case UnfindableReason::OtherCapitals:
        return QStringLiteral("seulement avec d'autres majuscules : « %1 »").arg(unfindable.named);
    case UnfindableReason::BlankAtEnd:
        return QStringLiteral("un blanc au début ou à la fin");
    case UnfindableReason::Tilde:
        return QStringLiteral("un tilde, que la page montre comme un blanc");
    case UnfindableReason::JoinedByEarlier:
        return QStringLiteral("pris dans une expression plus longue par le mot « %1 », placé plus haut "
                              "dans la liste").arg(unfindable.named);
    }
    return {};
}

QString UnfindableLine(const UnfindableEntry &unfindable)
{
    return QStringLiteral("mot %1 « %2 » introuvable : %3")
            .arg(unfindable.position + 1)
            .arg(unfindable.entry, UnfindableReasonText(unfindable));
}

} // namespace lexifind
