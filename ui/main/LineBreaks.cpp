#include "ui/main/LineBreaks.h"

namespace lexifind {

QString ReplaceLineBreaks(QStringView text, QStringView with)
{
    QString result;
    result.reserve(text.size() + text.size() / 8 + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (IsLineBreak(u)) {
            if (u == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            result += with;
        } else {
            result += QChar(u);
        }
    }
    return result;
}

} // namespace lexifind
