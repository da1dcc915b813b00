#pragma once

#include <QByteArray>
#include <QString>

// Every byte that enters or leaves the program passes here.
namespace lexifind::codec {

// Files read by the program (project and text files): a UTF-8 byte-order mark means
// UTF-8, or, when the bytes after it are not UTF-8, windows-1252 without the mark;
// a UTF-16 mark (FF FE, FE FF) means UTF-16 LE or BE, an odd last byte read as
// windows-1252; otherwise valid UTF-8 holding at least one non-ASCII character is
// UTF-8; otherwise windows-1252 over all 256 bytes (the five undefined bytes 81 8D 8F
// 90 9D map to U+0081 U+008D U+008F U+0090 U+009D), so that no byte is ever lost.
QString decode(const QByteArray &bytes);

// Files written by the program: windows-1252 when every character has a byte there,
// else UTF-8 with a byte-order mark.
QByteArray encodeForFile(const QString &text);

// The windows-1252 byte of a UTF-16 code unit, or -1 when it has none.
int windows1252Byte(char16_t unit);
// The character of a windows-1252 byte (all 256 defined, see decode).
char16_t windows1252Char(unsigned char byte);
bool fitsWindows1252(const QString &text);

// Where a piece of the exercise page lands.
enum class PageContext {
    HtmlText,      // element content: &#N; for characters outside windows-1252
    HtmlAttribute, // attribute value between double quotes: &#N;
    ScriptString,  // JavaScript string literal: \uXXXX per UTF-16 code unit
    StyleSheet     // CSS: \HHHHHH followed by a blank
};

// The control characters a page cannot show as they are: C0 but tab, LF and CR, DEL,
// and C1 (U+0080..U+009F, which references would turn into windows-1252 letters).
bool isUnshowable(char32_t c);

// The page is written in windows-1252. A character without a byte there becomes the
// reference or escape of its context, with its real code point; an unshowable one
// becomes U+FFFD, as &#65533;, \uFFFD or \FFFD by context. Nothing else changes:
// characters special to the context are the page writer's concern, escaped before this.
QByteArray encodeForPage(const QString &piece, PageContext context);
// The same, appended to out: a page is written piece by piece into one buffer. With
// tildesAsBlanks, every '~' is written as a blank (the page's joining marks).
void appendForPage(QByteArray &out, QStringView piece, PageContext context,
                   bool tildesAsBlanks = false);

} // namespace lexifind::codec
