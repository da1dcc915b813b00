#include "page/WordDivision.h"

#include "document/TextCodec.h"
#include "page/PageEncoding.h"

#include <QHash>

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

// Multi-pattern matcher over UTF-16 code units (Aho-Corasick): one pass over the
// text finds every occurrence of every pattern, so the cost is the text's length
// plus the number of occurrences, whatever the number of entries.
class PhraseMatcher
{
public:
    explicit PhraseMatcher(const QStringList &patterns)
    {
        m_nodes.emplace_back();
        m_rootNext.assign(0x10000, 0);
        for (qsizetype p = 0; p < patterns.size(); ++p) {
            const QString &pattern = patterns[p];
            int node = 0;
            for (QChar ch : pattern)
                node = child(node, ch.unicode(), true);
            m_nodes[node].pattern = int(p);
            m_lengths.push_back(int(pattern.size()));
        }
        buildLinks();
    }

    // Calls found(patternIndex, start) for every occurrence, in order of their ends.
    template<typename Found>
    void scan(const QString &text, Found found) const
    {
        int node = 0;
        const char16_t *data = reinterpret_cast<const char16_t *>(text.constData());
        for (qsizetype i = 0, n = text.size(); i < n; ++i) {
            node = step(node, data[i]);
            for (int out = m_nodes[node].pattern >= 0 ? node : m_nodes[node].output; out > 0;
                 out = m_nodes[out].output)
                found(m_nodes[out].pattern, i + 1 - m_lengths[size_t(m_nodes[out].pattern)]);
        }
    }

private:
    struct Node
    {
        std::vector<std::pair<char16_t, int>> children; // sorted by unit
        int fail = 0;
        int output = 0; // nearest node on the fail chain that ends a pattern (0: none)
        int pattern = -1;
    };

    int find(int node, char16_t unit) const
    {
        if (node == 0)
            return m_rootNext[unit];
        const auto &c = m_nodes[size_t(node)].children;
        auto it = std::lower_bound(c.begin(), c.end(), unit,
                                   [](const auto &entry, char16_t u) { return entry.first < u; });
        return it != c.end() && it->first == unit ? it->second : 0;
    }

    int child(int node, char16_t unit, bool create)
    {
        int existing = find(node, unit);
        if (existing || !create)
            return existing;
        int created = int(m_nodes.size());
        m_nodes.emplace_back();
        auto &c = m_nodes[size_t(node)].children;
        auto it = std::lower_bound(c.begin(), c.end(), unit,
                                   [](const auto &entry, char16_t u) { return entry.first < u; });
        c.insert(it, {unit, created});
        if (node == 0)
            m_rootNext[unit] = created;
        return created;
    }

    int step(int node, char16_t unit) const
    {
        for (;;) {
            int next = find(node, unit);
            if (next || node == 0)
                return next;
            node = m_nodes[size_t(node)].fail;
        }
    }

    void buildLinks()
    {
        std::vector<int> queue;
        for (const auto &[unit, c] : m_nodes[0].children)
            queue.push_back(c);
        for (size_t head = 0; head < queue.size(); ++head) {
            const int node = queue[head];
            for (const auto &[unit, c] : m_nodes[size_t(node)].children) {
                const int fail = step(m_nodes[size_t(node)].fail, unit);
                m_nodes[size_t(c)].fail = fail;
                m_nodes[size_t(c)].output = m_nodes[size_t(fail)].pattern >= 0
                        ? fail : m_nodes[size_t(fail)].output;
                queue.push_back(c);
            }
        }
    }

    std::vector<Node> m_nodes;
    std::vector<int> m_rootNext;
    std::vector<int> m_lengths;
};

void appendHex(QString &out, unsigned value, int digits)
{
    static const char hex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += QLatin1Char(hex[(value >> shift) & 0xF]);
}

} // namespace

bool IsWordCharacter(QChar c)
{
    return isWordCodePoint(c.unicode());
}

QString JoinPhrases(const QString &text, const QStringList &words)
{
    // Each entry works on the text as the earlier ones left it. Joining only turns
    // blanks into tildes, so positions never move, and an occurrence in the working
    // text is always an occurrence in the original once tildes are read as blanks.
    // One scan of the original finds all candidates; each entry then checks its own
    // candidates, left to right, against the working text.
    const auto asBlanks = [](QString s) { return s.replace(u'~', u' '); };

    QHash<QString, int> patternIndex;
    QStringList patterns;
    std::vector<int> entryPattern(size_t(words.size()), -1);
    for (qsizetype k = 0; k < words.size(); ++k) {
        // An entry without a blank would be replaced by itself.
        if (!words[k].contains(u' '))
            continue;
        const QString key = asBlanks(words[k]);
        auto it = patternIndex.constFind(key);
        if (it == patternIndex.constEnd()) {
            it = patternIndex.insert(key, int(patterns.size()));
            patterns << key;
        }
        entryPattern[size_t(k)] = it.value();
    }
    if (patterns.isEmpty())
        return text;

    std::vector<std::vector<qsizetype>> starts(size_t(patterns.size()));
    {
        const PhraseMatcher matcher(patterns);
        matcher.scan(asBlanks(text), [&](int pattern, qsizetype start) {
            starts[size_t(pattern)].push_back(start);
        });
    }
    for (auto &list : starts)
        std::sort(list.begin(), list.end());

    QString working = text;
    char16_t *data = reinterpret_cast<char16_t *>(working.data());
    for (qsizetype k = 0; k < words.size(); ++k) {
        const int pattern = entryPattern[size_t(k)];
        if (pattern < 0)
            continue;
        const QString &entry = words[k];
        const char16_t *e = reinterpret_cast<const char16_t *>(entry.constData());
        const qsizetype length = entry.size();
        qsizetype from = 0;
        for (qsizetype start : starts[size_t(pattern)]) {
            if (start < from)
                continue;
            if (!std::equal(e, e + length, data + start))
                continue;
            for (qsizetype i = 0; i < length; ++i)
                if (e[i] == u' ')
                    data[start + i] = u'~';
            from = start + length;
        }
    }
    return working;
}

QString DivideText(const QString &workingText)
{
    QString out;
    out.reserve(workingText.size() * 8 + 16);
    bool inWord = false;
    quint64 number = 0;
    const qsizetype length = workingText.size();
    for (qsizetype i = 0; i < length;) {
        char32_t c = workingText[i].unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < length && workingText[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(workingText[i].unicode(), workingText[i + 1].unicode());
            units = 2;
        }
        if (c == u'\r')
            out += u"<br>";
        const bool word = isWordCodePoint(c);
        if (!word && inWord) {
            out += u"</span>";
        } else if (word && !inWord) {
            char16_t digits[24];
            qsizetype d = std::size(digits);
            for (quint64 n = number++;; n /= 10) {
                digits[--d] = char16_t(u'0' + n % 10);
                if (n < 10)
                    break;
            }
            const QStringView n(digits + d, std::size(digits) - d);
            out += u"<span id=\"";
            out += n;
            out += u"\" onclick=\"checkanswer(";
            out += n;
            out += u")\">";
        }
        inWord = word;
        // The teacher's text is text: markup in it would be cut into spans anyway.
        switch (c) {
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u'&': out += u"&amp;"; break;
        default: out += QStringView(workingText).mid(i, units); break;
        }
        i += units;
    }
    if (inWord)
        out += u"</span>";
    return out;
}

QString EscapeWord(const QString &word)
{
    QString out;
    out.reserve(word.size() * 3);
    for (QChar ch : word) {
        const unsigned unit = ch.unicode();
        if (codec::isUnshowable(unit)) {
            out += u"%uFFFD"; // as the page shows the character everywhere else
        } else if (unit <= 0xFF) {
            out += u'%';
            appendHex(out, unit, 2);
        } else {
            out += u"%u";
            appendHex(out, unit, 4);
        }
    }
    return out;
}

QString WordzElements(const QStringList &words)
{
    QString out;
    for (qsizetype k = 0; k < words.size(); ++k) {
        out += u"unescape('";
        out += EscapeWord(words[k]);
        out += k + 1 < words.size() ? u"'), " : u"')];\r\n";
    }
    return out;
}

QString TradzLine(const QStringList &definitions)
{
    QString out = QStringLiteral("var tradz = [");
    for (qsizetype k = 0; k < definitions.size(); ++k) {
        out += u'"';
        out += pageencoding::scriptString(definitions[k]);
        out += k + 1 < definitions.size() ? u"\"," : u"\"];\r\n";
    }
    return out;
}

QString CheckoffLine(const QStringList &definitions)
{
    QString out = QStringLiteral("var checkoff = [");
    for (qsizetype k = 0; k < definitions.size(); ++k)
        out += k + 1 < definitions.size() ? u"0," : u"0];\r\n";
    return out;
}

} // namespace lexifind
