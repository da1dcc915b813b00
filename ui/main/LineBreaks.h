#pragma once

#include <QString>
#include <QStringView>

namespace lexifind {

// The line breaks a text control may hold: CR, LF, and the line and paragraph
// separators it uses for its own soft and hard breaks.
inline bool IsLineBreak(char16_t u)
{
    return u == u'\r' || u == u'\n' || u == QChar::ParagraphSeparator || u == QChar::LineSeparator;
}

// The text with each line break (CR LF counted as one) replaced by `with`.
QString ReplaceLineBreaks(QStringView text, QStringView with);

} // namespace lexifind
