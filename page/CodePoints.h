#pragma once

#include <QChar>
#include <QStringView>

#include <type_traits>

namespace lexifind {

// Calls visit(codePoint, at, units) for each code point of text, at its position in code
// units: a surrogate pair as one code point of two units, a lone surrogate as itself.
// A visit that returns false ends the walk there.
template<typename Visit>
void ForEachCodePoint(QStringView text, Visit visit)
{
    const qsizetype size = text.size();
    for (qsizetype at = 0; at < size;) {
        char32_t c = text[at].unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(c) && at + 1 < size && text[at + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[at], text[at + 1]);
            units = 2;
        }
        if constexpr (std::is_same_v<std::invoke_result_t<Visit &, char32_t, qsizetype, qsizetype>, bool>) {
            if (!visit(c, at, units))
                return;
        } else {
            visit(c, at, units);
        }
        at += units;
    }
}

} // namespace lexifind
