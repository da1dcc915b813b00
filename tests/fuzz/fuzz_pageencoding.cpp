// Any value, as UTF-16 code units: each place's escaping, then the page's bytes, undone
// as a browser undoes them, give the value back, control characters shown as U+FFFD.
#include "document/TextCodec.h"
#include "page/PageEncoding.h"

#include <cstdlib>
#include <functional>

using namespace lexifind;
using codec::PageContext;

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString text;
    for (const char byte : bytes)
        text += QChar(codec::windows1252Char(uchar(byte)));
    return text;
}

void appendCodePoint(QString &out, uint c)
{
    if (c > 0x10FFFF)
        c = 0xFFFD;
    if (QChar::requiresSurrogates(c)) {
        out += QChar(QChar::highSurrogate(c));
        out += QChar(QChar::lowSurrogate(c));
    } else {
        out += QChar(char16_t(c));
    }
}

qsizetype hexRun(const QString &s, qsizetype from, qsizetype maxDigits, uint &value)
{
    qsizetype n = 0;
    value = 0;
    for (; n < maxDigits && from + n < s.size(); ++n) {
        const char16_t c = s.at(from + n).unicode();
        const int d = c >= u'0' && c <= u'9' ? c - u'0'
                    : c >= u'a' && c <= u'f' ? c - u'a' + 10
                    : c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
        if (d < 0)
            break;
        value = value * 16 + uint(d);
    }
    return n;
}

// Markup references: &amp; &lt; &gt; &quot; and &#N;.
QString undoHtml(const QString &s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i) != u'&') {
            out += s.at(i);
            continue;
        }
        const qsizetype end = s.indexOf(u';', i);
        require(end > i, "a reference ends");
        const QStringView name = QStringView(s).mid(i + 1, end - i - 1);
        if (name == u"amp") out += u'&';
        else if (name == u"lt") out += u'<';
        else if (name == u"gt") out += u'>';
        else if (name == u"quot") out += u'"';
        else {
            require(name.startsWith(u'#'), "a known reference");
            const uint c = name.mid(1).toUInt();
            require(c >= 0xA0 || c == 9 || c == 10 || c == 13 || (c >= 0x20 && c < 0x7F),
                    "no reference a browser remaps");
            appendCodePoint(out, c);
        }
        i = end;
    }
    return out;
}

// The escapes of a JavaScript string literal.
QString undoScript(const QString &s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        require(c != u'"' && c != u'\r' && c != u'\n', "nothing that ends a script string");
        if (c != u'\\') {
            out += c;
            continue;
        }
        require(i + 1 < s.size(), "an escape is complete");
        const QChar e = s.at(++i);
        uint value = 0;
        if (e == u'r') out += u'\r';
        else if (e == u'n') out += u'\n';
        else if (e == u'x') { require(hexRun(s, i + 1, 2, value) == 2, "\\xHH"); out += QChar(char16_t(value)); i += 2; }
        else if (e == u'u') { require(hexRun(s, i + 1, 4, value) == 4, "\\uHHHH"); out += QChar(char16_t(value)); i += 4; }
        else out += e;
    }
    return out;
}

// CSS escapes: a backslash and up to six hexadecimal digits, one blank after them
// taken as part of the escape; or a backslash and the character itself.
QString undoStyle(const QString &s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        require(c != u';' && c != u'{' && c != u'}' && c != u'<' && c != u'"' && c != u'\''
                    && c != u'\r' && c != u'\n',
                "nothing that ends a declaration");
        if (c != u'\\') {
            out += c;
            continue;
        }
        require(i + 1 < s.size(), "an escape is complete");
        uint value = 0;
        const qsizetype digits = hexRun(s, i + 1, 6, value);
        if (digits == 0) {
            out += s.at(++i);
            continue;
        }
        appendCodePoint(out, value == 0 ? 0xFFFD : value);
        i += digits;
        if (i + 1 < s.size() && s.at(i + 1) == u' ')
            ++i;
    }
    return out;
}

// The value as the learner is shown it: controls as U+FFFD, and where code points are
// written (markup, style), a lone half of a surrogate pair as U+FFFD too.
QString shown(const QString &value, bool codePoints)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t u = value.at(i).unicode();
        if (codec::isUnshowable(u)) {
            out += QChar(0xFFFD);
        } else if (codePoints && QChar::isHighSurrogate(u) && i + 1 < value.size()
                   && QChar::isLowSurrogate(value.at(i + 1).unicode())) {
            out += value.at(i);
            out += value.at(++i);
        } else if (codePoints && QChar::isSurrogate(u)) {
            out += QChar(0xFFFD);
        } else {
            out += value.at(i);
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString value = QString::fromUtf16(reinterpret_cast<const char16_t *>(data),
                                             qsizetype(size / 2));
    const auto page = [](const QString &escaped, PageContext context) {
        const QByteArray bytes = codec::encodeForPage(escaped, context);
        for (const char byte : bytes) {
            const uchar b = uchar(byte);
            require((b >= 0x20 || b == 9 || b == 10 || b == 13) && b != 0x7F && b != 0x81
                        && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D,
                    "no control byte in the page");
        }
        return fromWindows1252(bytes);
    };

    const QString text = page(pageencoding::htmlText(value), PageContext::HtmlText);
    require(!text.contains(u'<') && !text.contains(u'>'), "no tag in element content");
    require(undoHtml(text) == shown(value, true), "element content undone");

    const QString attribute = page(pageencoding::attribute(value), PageContext::HtmlAttribute);
    require(!attribute.contains(u'"'), "attribute stays quoted");
    require(undoHtml(attribute) == shown(value, true), "attribute undone");

    const QString script = page(pageencoding::scriptString(value), PageContext::ScriptString);
    require(!script.contains(u'<'), "no end tag in a script string");
    require(undoScript(script) == shown(value, false), "script string undone");

    const QString inner = page(pageencoding::scriptSingleQuotedAttribute(value), PageContext::ScriptString);
    require(!inner.contains(u'\'') || inner.count(u'\'') == inner.count(QStringLiteral("\\'")),
            "single-quoted string stays closed");
    require(undoHtml(undoScript(inner)) == shown(value, false), "script attribute undone");

    const QString style = page(pageencoding::styleValue(value), PageContext::StyleSheet);
    require(undoStyle(style) == shown(value, true), "style value undone");
    return 0;
}
