#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lexifind {

class ExerciseDocument;
class PageSink;
struct Division;
struct PageSettings;

// The classic exercise page: XHTML 1.0 Transitional in windows-1252 with CR LF line
// breaks, the page teachers have always had, written from division into sink piece by
// piece, so that the page of a large text never stands whole in memory. settings must
// hold their defaults already.
void WriteClassicPage(PageSink &sink, const ExerciseDocument &document, const Division &division,
                      const PageSettings &settings);

// The page's body: the text with numbered word spans and <br> tags put in, escaped for
// element content and encoded as the page is (windows-1252, references for the other
// characters, U+FFFD for the controls a page cannot show, tildes as blanks).
QByteArray DivideText(const Division &division);
// "%XX" for characters up to U+00FF, "%uXXXX" per UTF-16 code unit beyond.
QString EscapeWord(const QString &word);

// The three array lines of the script, each ending with CR LF. The wordz elements
// follow "var wordz = [" on the same line.
QString WordzElements(const QStringList &words);
QString TradzLine(const QStringList &definitions);
QString CheckoffLine(const QStringList &definitions);

} // namespace lexifind
