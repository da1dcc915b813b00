#include "page/PageEncoding.h"

namespace lexifind::pageencoding {

namespace {

// Returns value itself when nothing needs escaping, so ordinary values cost a scan.
template<typename Escape>
QString escapeWith(const QString &value, Escape escape)
{
    QString out;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QStringView replacement = escape(value[i].unicode());
        if (replacement.isNull())
            continue;
        if (out.isNull())
            out.reserve(value.size() + 16);
        out += QStringView(value).mid(copied, i - copied);
        out += replacement;
        copied = i + 1;
    }
    if (out.isNull())
        return value;
    out += QStringView(value).mid(copied);
    return out;
}

// What markup reads alike in element content and in an attribute: the start of a
// reference or of a tag, and the line breaks that would be folded into blanks.
QStringView markupReference(char16_t c)
{
    switch (c) {
    case u'&': return u"&amp;";
    case u'<': return u"&lt;";
    case u'\r': return u"&#13;";
    case u'\n': return u"&#10;";
    default: return {};
    }
}

} // namespace

QString htmlText(const QString &value)
{
    return escapeWith(value, [](char16_t c) -> QStringView {
        return c == u'>' ? u"&gt;" : markupReference(c);
    });
}

QString attribute(const QString &value)
{
    return escapeWith(value, [](char16_t c) -> QStringView {
        return c == u'"' ? u"&quot;" : markupReference(c);
    });
}

QString scriptString(const QString &value)
{
    return escapeWith(value, [](char16_t c) -> QStringView {
        switch (c) {
        case u'\\': return u"\\\\";
        case u'"': return u"\\\"";
        case u'\r': return u"\\r";
        case u'\n': return u"\\n";
        case u'<': return u"\\x3C";
        case 0x2028: return u"\\u2028";
        case 0x2029: return u"\\u2029";
        default: return {};
        }
    });
}

QString scriptSingleQuotedAttribute(const QString &value)
{
    return escapeWith(attribute(value), [](char16_t c) -> QStringView {
        switch (c) {
        case u'\\': return u"\\\\";
        case u'\'': return u"\\'";
        case 0x2028: return u"\\u2028";
        case 0x2029: return u"\\u2029";
        default: return {};
        }
    });
}

QString styleValue(const QString &value)
{
    // A hexadecimal escape ends with one blank, which CSS takes as part of it.
    return escapeWith(value, [](char16_t c) -> QStringView {
        switch (c) {
        case u';': return u"\\3B ";
        case u'{': return u"\\7B ";
        case u'}': return u"\\7D ";
        case u'<': return u"\\3C ";
        case u'"': return u"\\22 ";
        case u'\'': return u"\\27 ";
        case u'\\': return u"\\5C ";
        case u'/': return u"\\2F ";
        case u'\r': return u"\\D ";
        case u'\n': return u"\\A ";
        default: return {};
        }
    });
}

} // namespace lexifind::pageencoding
