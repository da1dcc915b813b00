#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <utility>
#include <vector>

namespace lexifind {

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

    // Calls found(patternIndex, start) for every occurrence, in order of their ends;
    // start counts from the beginning of text. With tildesAsBlanks the text is read
    // as the page shows it.
    template<typename Found>
    void scan(QStringView text, Found found, bool tildesAsBlanks = false) const
    {
        int node = 0;
        const char16_t *data = text.utf16();
        for (qsizetype i = 0, n = text.size(); i < n; ++i) {
            const char16_t unit = tildesAsBlanks && data[i] == u'~' ? u' ' : data[i];
            node = step(node, unit);
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

} // namespace lexifind
