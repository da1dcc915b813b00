#pragma once

#include <QString>
#include <QStringList>

namespace lexifind {

// A character belongs to a clickable word when it is a Unicode letter, combining mark
// or decimal digit, or the hyphen or the tilde.
bool IsWordCharacter(QChar c);

// Copy of the text in which every multi-word entry is joined with tildes.
QString JoinPhrases(const QString &text, const QStringList &words);
// The page's body text: the text with numbered word spans and <br> tags put in.
// Characters are HTML-escaped for element content; the result is still Unicode.
QString DivideText(const QString &workingText);
// "%XX" for characters up to U+00FF, "%uXXXX" per UTF-16 code unit beyond.
QString EscapeWord(const QString &word);

// The three array lines of the script, each ending with CR LF. The wordz elements
// follow "var wordz = [" on the same line.
QString WordzElements(const QStringList &words);
QString TradzLine(const QStringList &definitions);
QString CheckoffLine(const QStringList &definitions);

} // namespace lexifind
