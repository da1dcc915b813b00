#include "page/ClassicPage.h"

#include "document/ExerciseDocument.h"
#include "document/TextCodec.h"
#include "page/PageEncoding.h"
#include "page/PageSettings.h"
#include "page/PageWriter.h"
#include "page/WordDivision.h"

#include <QByteArrayView>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <functional>
#include <vector>

namespace lexifind {

namespace {

// What each UTF-16 code unit of the text becomes in the page's body: its windows-1252
// byte (a tilde, the joining mark, a blank), or one of the marks below. Every character
// of a large text passes here, so it is looked up in a table made once.
enum BodyMark : quint16 {
    Byte = 0x100,   // below: the byte itself
    LineBreak = Byte, // a <br> before the CR, as the page always had it
    Less,
    Greater,
    Ampersand,
    Unshowable,     // shown as U+FFFD, as the page shows it everywhere else
    Reference,      // a character without a windows-1252 byte: &#N;
    Surrogate,      // half of a pair: the pair's reference, or U+FFFD alone
};

const quint16 *bodyTable()
{
    static const std::vector<quint16> table = [] {
        std::vector<quint16> marks(0x10000);
        for (char32_t unit = 0; unit < 0x10000; ++unit) {
            quint16 &mark = marks[unit];
            switch (unit) {
            case u'\r': mark = LineBreak; continue;
            case u'<': mark = Less; continue;
            case u'>': mark = Greater; continue;
            case u'&': mark = Ampersand; continue;
            case u'~': mark = u' '; continue;
            default: break;
            }
            if (QChar::isSurrogate(unit))
                mark = Surrogate;
            else if (codec::isUnshowable(unit))
                mark = Unshowable;
            else if (const int byte = codec::windows1252Byte(char16_t(unit)); byte >= 0)
                mark = quint16(byte);
            else
                mark = Reference;
        }
        return marks;
    }();
    return table.data();
}

constexpr qsizetype MostBytesPerUnit = 8; // "&#65533;"

template<size_t N>
char *put(char *at, const char (&ascii)[N])
{
    std::memcpy(at, ascii, N - 1);
    return at + N - 1;
}

char *putReference(char *at, char32_t codePoint)
{
    at = put(at, "&#");
    at = std::to_chars(at, at + 8, uint(codePoint)).ptr;
    return put(at, ";");
}

// Writes a piece of the text, between words or inside one, escaped for element content,
// at at, which has room for MostBytesPerUnit bytes per code unit; returns its end.
char *putText(char *at, QStringView piece)
{
    static const quint16 *const table = bodyTable();
    const char16_t *units = piece.utf16();
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const quint16 mark = table[units[i]];
        if (mark < Byte) {
            *at++ = char(mark);
            continue;
        }
        switch (mark) {
        case LineBreak: at = put(at, "<br>\r"); break;
        case Less: at = put(at, "&lt;"); break;
        case Greater: at = put(at, "&gt;"); break;
        case Ampersand: at = put(at, "&amp;"); break;
        case Unshowable: at = put(at, "&#65533;"); break;
        case Reference: at = putReference(at, units[i]); break;
        default:
            if (QChar::isHighSurrogate(units[i]) && i + 1 < piece.size() && QChar::isLowSurrogate(units[i + 1])) {
                at = putReference(at, QChar::surrogateToUcs4(units[i], units[i + 1]));
                ++i;
            } else {
                at = put(at, "&#65533;"); // a lone half is no character
            }
        }
    }
    return at;
}

// The body handed to piece in pieces of about pieceSize bytes. It is most of the page:
// each word with the text before it is written through a pointer, a byte for nearly
// every character from the table, which takes less than half the work of QByteArray's
// appends (96 against 210 million instructions for the body of a 1 MB text).
void writeBody(const Division &division, const std::function<void(QByteArrayView)> &piece, qsizetype pieceSize)
{
    const QStringView text(division.text);
    QByteArray out;
    out.reserve(pieceSize + 4096);
    qsizetype done = 0; // of the text
    for (size_t number = 0; number <= division.words.size(); ++number) {
        const bool last = number == division.words.size();
        const WordSpan word = last ? WordSpan{text.size(), 0} : division.words[number];
        const qsizetype used = out.size();
        out.resize(used + (word.start + word.length - done) * MostBytesPerUnit + 64);
        char *at = putText(out.data() + used, text.mid(done, word.start - done));
        if (!last) {
            char digits[24];
            const size_t length = size_t(std::to_chars(digits, digits + sizeof digits, number).ptr - digits);
            at = put(at, "<span id=\"");
            at = std::copy_n(digits, length, at);
            at = put(at, "\" onclick=\"checkanswer(");
            at = std::copy_n(digits, length, at);
            at = put(at, ")\">");
            at = putText(at, text.mid(word.start, word.length));
            done = word.start + word.length;
            // A line break right after a word is put inside its span, as the page always had it.
            if (done < text.size() && text[done] == u'\r') {
                at = put(at, "<br></span>\r");
                ++done;
            } else {
                at = put(at, "</span>");
            }
        }
        out.resize(at - out.constData());
        if (out.size() >= pieceSize || last) {
            piece(out);
            out.resize(0);
        }
    }
}

using codec::PageContext;

// An inserted value, already escaped for the place where it lands.
struct Inserted
{
    QString text;
    PageContext context;
};

Inserted html(const QString &value) { return {pageencoding::htmlText(value), PageContext::HtmlText}; }
Inserted attribute(const QString &value)
{
    return {pageencoding::attribute(value), PageContext::HtmlAttribute};
}
Inserted script(const QString &value)
{
    return {pageencoding::scriptString(value), PageContext::ScriptString};
}
// An attribute of the markup held in a single-quoted script string.
Inserted scriptAttribute(const QString &value)
{
    return {pageencoding::scriptSingleQuotedAttribute(value), PageContext::ScriptString};
}
Inserted style(const QString &value) { return {pageencoding::styleValue(value), PageContext::StyleSheet}; }

// The page's bytes, row by row, handed to the sink in pieces of about 64 KB. Literal
// pieces are ASCII; every inserted value is encoded in windows-1252 for its place. Until
// the divided text is complete, the joining marks of inserted values are blanks again.
class PageText
{
public:
    explicit PageText(PageSink &sink) : m_sink(sink) { m_bytes.reserve(PieceSize + 4096); }

    // The pieces of one row, then its line break.
    template<typename... Pieces>
    void line(Pieces &&...pieces)
    {
        (put(std::forward<Pieces>(pieces)), ...);
        m_bytes.append("\r\n");
        flushIfFull();
    }
    // Pieces of a row that a later line() ends.
    template<typename... Pieces>
    void literal(Pieces &&...pieces)
    {
        (put(std::forward<Pieces>(pieces)), ...);
        flushIfFull();
    }
    // The body of the text, as the division writes it, straight to the sink.
    void body(const Division &division)
    {
        finish();
        writeBody(division, [this](QByteArrayView piece) { m_sink.write(piece); }, PieceSize);
    }

    void keepTildes() { m_tildesToBlanks = false; }
    void finish()
    {
        m_sink.write(m_bytes);
        m_bytes.resize(0);
    }

    static constexpr qsizetype PieceSize = 1 << 16;

private:
    void put(const char *ascii) { m_bytes.append(ascii); }
    void put(qsizetype number) { m_bytes.append(QByteArray::number(qint64(number))); }
    void put(const Inserted &value)
    {
        codec::appendForPage(m_bytes, value.text, value.context, m_tildesToBlanks);
    }
    void flushIfFull()
    {
        if (m_bytes.size() >= PieceSize)
            finish();
    }

    PageSink &m_sink;
    QByteArray m_bytes;
    bool m_tildesToBlanks = true;
};

bool holdsMarkup(const QStringList &values)
{
    for (const QString &value : values)
        if (value.contains(u'<') || value.contains(u'&'))
            return true;
    return false;
}

void appendHex(QString &out, unsigned value, int digits)
{
    static const char hex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += QLatin1Char(hex[(value >> shift) & 0xF]);
}

} // namespace

void WriteClassicPage(PageSink &sink, const ExerciseDocument &document, const Division &division,
                      const PageSettings &s)
{
    const QStringList &words = document.words();
    const QStringList &definitions = document.definitions();
    const qsizetype count = definitions.size();
    // Right-to-left text gets its direction, and the cells that show words of it follow
    // their own content; a left-to-right text keeps the page it always had.
    const char *const autoDirection = division.rightToLeft ? " dir=\"auto\"" : "";

    PageText page(sink);

    page.line("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");
    page.line("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">");
    if (s.TextLanguage.isEmpty())
        page.line("<html xmlns=\"http://www.w3.org/1999/xhtml\">");
    else
        page.line("<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"", attribute(s.TextLanguage),
                  "\" xml:lang=\"", attribute(s.TextLanguage), "\">");
    page.line("<head>");
    page.line("<title>", html(s.PageTitle), "</title>");
    page.line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\" />");
    page.line("<script language=\"JavaScript\">");
    page.line("<!--");
    page.line("var QN = 0;");
    page.line("var score = 0;");
    page.line("var tries = 0;");
    page.line("var wordlist = '<table border=\"1\" align=\"center\" cellpadding=\"2\" "
              "cellspacing=\"0\" bordercolor=\"", scriptAttribute(s.BackgroundColor),
              "\"> <tr bordercolor=\"", scriptAttribute(s.VocabularyTextColor),
              "\"> <td bgcolor=\"", scriptAttribute(s.VocabularyBackColor),
              "\" class=\"dyna3\">';");

    // The three array lines end with their own line breaks.
    page.literal("var wordz = [", Inserted{WordzElements(words), PageContext::ScriptString},
                 Inserted{TradzLine(definitions), PageContext::ScriptString},
                 Inserted{CheckoffLine(definitions), PageContext::ScriptString});

    page.line("function checkanswer(id){");
    page.line("if (checkoff[QN]==0){");
    page.line("n =document.getElementById(id).firstChild.nodeValue;");
    page.line("tries = tries + 1;");
    page.line("if (trim(n)==wordz[QN]){");
    page.line("\tdocument.getElementById('feedback').firstChild.nodeValue = \"", script(s.RightMessage),
              "\";");
    page.line("document.getElementById(id).style.background=\"", script(s.HighlightColor), "\";");
    // The list of found words goes through innerHTML, while the definition cell shows
    // tradz as text: a definition holding markup characters must read the same in both.
    if (holdsMarkup(definitions))
        page.line("wordlist = wordlist + tradz[QN].replace(/&/g, '&amp;').replace(/\\x3C/g, '&lt;')"
                  " + ' - ' + \"<b>\"+ wordz[QN] + \"</b><br>\";");
    else
        page.line("wordlist = wordlist + tradz[QN] + ' - ' + \"<b>\"+ wordz[QN] + \"</b><br>\";");
    page.line("document.getElementById('list').innerHTML = wordlist + '</td></tr></table>';");
    page.line("score=score+1;");
    page.line("checkoff[QN]=1;");
    page.line("var t=0;");
    page.line("for (x=0; x<", count, "; x++){");
    page.line("if (checkoff[x]==1){");
    page.line("\tt = t+1; ");
    page.line("}");
    page.line("\t \tif (t==", count, ") {");
    page.line("\t\tdocument.getElementById('feedback').firstChild.nodeValue = \"", script(s.DoneMessage),
              "\";");
    page.line("      document.getElementById('eatme').parentNode.removeChild("
              "document.getElementById('eatme'));");
    page.line("\t\t} ");
    page.line("\t} ");
    page.line("} ");
    page.line("else {");
    page.line("document.getElementById('feedback').firstChild.nodeValue = \"", script(s.WrongMessage),
              "\";");
    page.line("\t}");
    page.line("document.getElementById('score').firstChild.nodeValue = score + \" / \" + \"", count,
              "\"+ \" (\" + Math.round(score/tries*100) + \"%)\";");
    page.line("}");
    page.line("}");
    page.line();
    page.line("function writequestion(){");
    page.line("if (QN==", count, "){");
    page.line("QN=0;");
    page.line("}");
    page.line("if (checkoff[QN]==0){");
    page.line("document.getElementById('feedback').firstChild.nodeValue = \" \";");
    page.line("document.getElementById('trad').firstChild.nodeValue = tradz[QN];");
    page.line("}");
    page.line("else {");
    page.line("QN=QN+1;");
    page.line("writequestion();");
    page.line("}");
    page.line("}");
    page.line("function ltrim ( s )");
    page.line("{");
    page.line("return s.replace( /^\\s*/, \"\" );");
    page.line("}");
    page.line("function rtrim ( s )");
    page.line("{");
    page.line("return s.replace( /\\s*$/, \"\" );");
    page.line("}");
    page.line("function trim ( s )");
    page.line("{");
    page.line("return rtrim(ltrim(s));");
    page.line("}function MM_callJS(jsStr) { //v2.0");
    page.line("  return eval(jsStr)");
    page.line("}");
    page.line("//-->");
    page.line("</script>");
    page.line("<style type=\"text/css\">");
    page.line("<!-- ");
    page.line(".dyna { ");
    page.line("     font-family: ", style(s.FontFamily), ";");
    page.line("\tfont-weight: bold;");
    page.line("color: ", style(s.AnswerColor), ";");
    page.line("\ttext-decoration: none;");
    page.line("}");
    page.line(".dyna2 { ");
    page.line("\tfont-family: ", style(s.FontFamily), ";");
    page.line("font-weight: bold;");
    page.line("\tcolor:", style(s.DefinitionColor), ";");
    page.line("\ttext-decoration: none;");
    page.line("}");
    page.line(".dyna3 { ");
    page.line("\tfont-family: ", style(s.FontFamily), ";");
    page.line("font-weight: normal;");
    page.line("\tcolor:", style(s.VocabularyTextColor), ";");
    page.line("\ttext-decoration: none;");
    page.line("\tfont-style: italic; ");
    page.line("} ");
    page.line("-->");
    page.line("</style> ");
    page.line("</head>");
    page.line("<body bgcolor=\"", attribute(s.BackgroundColor), "\" onload=\"writequestion(0)\">");
    page.line("<table width=\"95%\" border=\"1\" bordercolor=\"", attribute(s.BackgroundColor),
              "\" align=\"center\" cellpadding=\"0\">");
    page.line(" <tr> ");
    page.line("<td width=\"66%\" bordercolor=\"", attribute(s.VocabularyBackColor), "\"> ");
    page.literal(division.rightToLeft ? "<blockquote dir=\"rtl\" style=\"cursor:pointer\"><font face=\""
                                      : "<blockquote style=\"cursor:pointer\"><font face=\"",
                 attribute(s.FontFamily),
                 "\" color=\"", attribute(s.TextColor), "\"><br><strong>", html(s.TextTitle),
                 "</strong><br><br>");
    page.body(division);
    page.keepTildes();
    page.line("</font></blockquote></td><td width=\"33%\" valign=\"top\"><div id=\"list\"",
              autoDirection, "></div></table><br> ");
    page.line("<table width=\"95%\" border=\"1\" bordercolor=\"", attribute(s.VocabularyBackColor),
              "\" align=\"center\" cellpadding=\"5\" cellspacing=\"0\" class=\"dyna\">");
    page.line("<tr bordercolor=\"", attribute(s.AnswerZoneColor), "\">");
    page.line("<td bgcolor=\"", attribute(s.AnswerZoneColor), "\" width=\"200px\"><div align=\"left\"> ",
              html(s.Instruction));
    page.line("      </div></td>");
    page.line("    <td width=\"125px\" class=\"dyna2\" id=\"trad\"", autoDirection,
              " bgcolor=\"", attribute(s.AnswerZoneColor),
              "\">&nbsp;</td>");
    page.line("    <td width=\"200px\" bgcolor=\"", attribute(s.AnswerZoneColor),
              "\" id=\"feedback\"", autoDirection, ">&nbsp;</td> ");
    page.line("    <td id=\"eatme\" align=\"center\" bgcolor=\"", attribute(s.AnswerZoneColor),
              "\" bordercolor=\"", attribute(s.VocabularyBackColor), "\"><input type=\"button\" value=\"",
              attribute(s.NextCaption), "\" onclick=\"MM_callJS('QN=QN+1'); writequestion();\"></td>");
    page.line("    <td bgcolor=\"", attribute(s.AnswerZoneColor), "\"> ");
    page.line("      <div align=\"right\">Score :</div></td>");
    page.line("    <td bgcolor=\"", attribute(s.AnswerZoneColor), "\" id=\"score\">&nbsp;</td> ");
    page.line("     </tr> ");
    page.line("</table>");
    page.line("<div align=\"center\"><br>");
    page.line("<font size=\"-2\"><span class=\"dyna\">Created with <em>Lexifind</em>"
              " - exercice de vocabulaire");
    page.line("  <a href=\"mailto:lexifind@example.org\">Lexifind</a></span></font></div>");
    page.line("</body> ");
    page.literal("</html>");
    page.finish();
}

QByteArray DivideText(const Division &division)
{
    QByteArray whole;
    writeBody(division, [&whole](QByteArrayView piece) { whole += piece; }, 1 << 16);
    return whole;
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
