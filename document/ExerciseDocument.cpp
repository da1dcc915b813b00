#include "document/ExerciseDocument.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

namespace lexifind {

const QString ExerciseDocument::WordDelimiters = QStringLiteral("\",;:.'()[]}");

QString ExerciseDocument::CleanWord(const QString &word)
{
    QString result = word;
    if (!result.isEmpty() && WordDelimiters.contains(result.back()))
        result.chop(1);
    if (!result.isEmpty() && WordDelimiters.contains(result.front()))
        result.remove(0, 1);
    return result;
}

QString ExerciseDocument::CleanDefinition(const QString &definition)
{
    QString result = definition;
    result.replace(QLatin1Char('"'), QLatin1Char('\''));
    return result;
}

void ExerciseDocument::setText(const QString &text)
{
    m_text = text;
}

namespace {

// Calls lineFound(start, length) for every line of text. CR LF, a lone CR and a lone LF
// each end a line, as a text control counts them; the empty position after a final
// line break is not a line.
template<typename F>
void forEachLine(const QString &text, F lineFound)
{
    const auto *data = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lineFound(start, i - start);
        if (c == u'\r' && i + 1 < size && data[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lineFound(start, size - start);
}

} // namespace

int ExerciseDocument::lineCount() const
{
    int count = 0;
    forEachLine(m_text, [&count](qsizetype, qsizetype) { ++count; });
    return count;
}

QStringList ExerciseDocument::lines() const
{
    QStringList result;
    forEachLine(m_text, [&](qsizetype start, qsizetype length) {
        result.append(m_text.mid(start, length));
    });
    return result;
}

void ExerciseDocument::setSelected(int position)
{
    m_selected = (position >= 0 && position < entryCount()) ? position : -1;
}

QString ExerciseDocument::sortTableCell(int row, int column) const
{
    const int entry = row - 1;
    if (entry < 0 || entry >= entryCount())
        return QString();
    if (column == 0)
        return m_words.at(entry);
    if (column == 1)
        return m_definitions.at(entry);
    return QString();
}

void ExerciseDocument::AddEntry(const QString &word, const QString &definition)
{
    m_words.append(word);
    m_definitions.append(definition);
}

bool ExerciseDocument::ReplaceEntry(int position, const QString &word, const QString &definition)
{
    if (position < 0 || position >= entryCount())
        return false;
    m_words[position] = word;
    m_definitions[position] = definition;
    return true;
}

void ExerciseDocument::RemoveEntry()
{
    const int position = m_selected >= 0 ? m_selected : 0;
    if (position < entryCount()) {
        m_words.removeAt(position);
        m_definitions.removeAt(position);
    }
    m_selected = -1;
}

void ExerciseDocument::MoveEntryUp()
{
    if (entryCount() < 2 || m_selected < 1)
        return;
    m_words.swapItemsAt(m_selected, m_selected - 1);
    m_definitions.swapItemsAt(m_selected, m_selected - 1);
}

void ExerciseDocument::MoveEntryDown()
{
    if (entryCount() < 2 || m_selected < 0 || m_selected > entryCount() - 2)
        return;
    m_words.swapItemsAt(m_selected, m_selected + 1);
    m_definitions.swapItemsAt(m_selected, m_selected + 1);
}

namespace {

// The user's collation; in the C or POSIX locale (CI, tests, bare systems) Qt would
// compare code points, which puts 'été' after 'zoo', so English is taken instead: its
// collation is the language-neutral Unicode root order.
QCollator sortCollator()
{
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

} // namespace

void ExerciseDocument::GetSort(int column)
{
    const int count = entryCount();
    const QCollator collator = sortCollator();
    const QString crlf = QStringLiteral("\r\n");

    // One sort key per entry keeps the sort at n log n comparisons of prepared keys.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString &field = column == 1 ? m_definitions.at(i) : m_words.at(i);
        keys.push_back(collator.sortKey(field + QLatin1Char('@') + m_words.at(i) + crlf
                                        + m_definitions.at(i) + crlf));
    }
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    // Stable, so that entries whose keys collate equal keep their order on every run.
    std::stable_sort(order.begin(), order.end(),
                     [&keys](int a, int b) { return keys[a].compare(keys[b]) < 0; });

    QStringList words;
    QStringList definitions;
    words.reserve(count);
    definitions.reserve(count);
    for (int i : order) {
        words.append(m_words.at(i));
        definitions.append(m_definitions.at(i));
    }
    m_words = std::move(words);
    m_definitions = std::move(definitions);
    m_selected = -1;
}

void ExerciseDocument::ClearEntries()
{
    m_words.clear();
    m_definitions.clear();
    m_selected = -1;
}

void ExerciseDocument::ClearDocument()
{
    m_text.clear();
    ClearEntries();
}

} // namespace lexifind
