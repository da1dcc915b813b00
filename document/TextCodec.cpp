#include "document/TextCodec.h"

#include <QStringDecoder>

#include <array>

namespace lexifind::codec {

namespace {

// Bytes 0x80 to 0x9F of windows-1252. The five bytes the code page leaves undefined map
// to the C1 control of the same number, as browsers read them, so every byte survives.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeWindows1252(QByteArrayView bytes)
{
    static const std::array<char16_t, 256> characters = [] {
        std::array<char16_t, 256> table{};
        for (unsigned byte = 0; byte < 256; ++byte)
            table[byte] = windows1252Char(static_cast<unsigned char>(byte));
        return table;
    }();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char byte : bytes)
        *out++ = characters[static_cast<unsigned char>(byte)];
    return text;
}

// Whether the bytes are strict UTF-8 (no overlong forms, no surrogates, nothing beyond
// U+10FFFF). Stops at the first byte that is not, so that a windows-1252 file is not
// decoded twice in full.
bool isUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        char32_t c = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            c = lead & 0x07;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        for (int k = 1; k <= more; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (p[k] & 0x3F);
        }
        if ((more == 2 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)))
            || (more == 3 && (c < 0x10000 || c > 0x10FFFF)))
            return false;
        p += more + 1;
    }
    return true;
}

// Strict UTF-8 (no overlong forms, no surrogates), a byte-order mark inside kept as
// U+FEFF. Returns false when the bytes are not UTF-8.
bool decodeUtf8(QByteArrayView bytes, QString &text)
{
    if (!isUtf8(bytes))
        return false;
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless
                               | QStringConverter::Flag::ConvertInitialBom);
    // Never more UTF-16 code units than bytes.
    text.resize(bytes.size());
    text.truncate(decoder.appendToBuffer(text.data(), bytes) - text.constData());
    return !decoder.hasError();
}

bool hasNonAscii(QByteArrayView bytes)
{
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return true;
    return false;
}

const QByteArrayView Utf8Bom("\xEF\xBB\xBF", 3);
const QByteArrayView Utf16LeBom("\xFF\xFE", 2);
const QByteArrayView Utf16BeBom("\xFE\xFF", 2);

// UTF-16 after its mark. A last byte without its pair is kept as a windows-1252
// character rather than lost; a lone half of a surrogate pair becomes U+FFFD.
QString decodeUtf16(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    const qsizetype even = bytes.size() & ~qsizetype(1);
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless
                                         | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes.first(even));
    // Half of a surrogate pair is no character, and could not be written back.
    char16_t *units = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        if (QChar::isHighSurrogate(units[i]) && i + 1 < n && QChar::isLowSurrogate(units[i + 1]))
            ++i;
        else if (QChar::isSurrogate(units[i]))
            units[i] = 0xFFFD;
    }
    if (even < bytes.size())
        text += QChar(windows1252Char(static_cast<unsigned char>(bytes.back())));
    return text;
}

QByteArray encodeWindows1252(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text)
        *out++ = static_cast<char>(windows1252Byte(c.unicode()));
    return bytes;
}

void appendDecimal(QByteArray &out, char32_t value)
{
    out += QByteArray::number(static_cast<uint>(value));
}

void appendHex(QByteArray &out, uint value, int width)
{
    out += QByteArray::number(value, 16).toUpper().rightJustified(width, '0');
}

} // namespace

int windows1252Byte(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == unit)
            return int(0x80 + i);
    return -1;
}

char16_t windows1252Char(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return HighControls[byte - 0x80];
    return byte;
}

bool isUnshowable(char32_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || (c >= 0x7F && c <= 0x9F);
}

bool fitsWindows1252(const QString &text)
{
    for (const QChar c : text)
        if (windows1252Byte(c.unicode()) < 0)
            return false;
    return true;
}

QString decode(const QByteArray &bytes)
{
    QString text;
    if (bytes.startsWith(Utf8Bom)) {
        if (decodeUtf8(QByteArrayView(bytes).sliced(3), text))
            return text;
        // A mark followed by bytes that are not UTF-8: the mark was wrong, the bytes
        // are windows-1252 as in a file without one, and none of them is lost.
        return decodeWindows1252(QByteArrayView(bytes).sliced(3));
    }
    if (bytes.startsWith(Utf16LeBom))
        return decodeUtf16(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16LE);
    if (bytes.startsWith(Utf16BeBom))
        return decodeUtf16(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16BE);
    if (hasNonAscii(bytes) && decodeUtf8(bytes, text))
        return text;
    return decodeWindows1252(bytes);
}

QByteArray encodeForFile(const QString &text)
{
    if (fitsWindows1252(text)) {
        QByteArray bytes = encodeWindows1252(text);
        // Windows-1252 bytes that happen to be UTF-8 ('Ã©' is C3 A9, the UTF-8 of 'é'),
        // or start with a byte-order mark, would be read back as other characters:
        // such a text is written as UTF-8 with its mark, which reads back as it was.
        // So is one starting with 'ÿþ' or 'þÿ', the marks of UTF-16.
        QString check;
        const bool misread = bytes.startsWith(Utf8Bom) || bytes.startsWith(Utf16LeBom)
                             || bytes.startsWith(Utf16BeBom)
                             || (hasNonAscii(bytes) && decodeUtf8(bytes, check));
        if (!misread)
            return bytes;
    }
    return Utf8Bom.toByteArray() + text.toUtf8();
}

QByteArray encodeForPage(const QString &piece, PageContext context)
{
    QByteArray out;
    appendForPage(out, piece, context);
    return out;
}

void appendForPage(QByteArray &out, QStringView piece, PageContext context, bool tildesAsBlanks)
{
    const char tilde = tildesAsBlanks ? ' ' : '~';
    const qsizetype size = piece.size();
    // Bytes for the common case, one per character, written through a pointer; the
    // rare escapes go through append and take the pointer up again.
    qsizetype used = out.size();
    out.resize(used + size);
    char *data = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = piece[i].unicode();
        if (unit < 0x7E && (unit >= 0x20 || unit == u'\t' || unit == u'\n' || unit == u'\r')) {
            data[used++] = char(unit);
            continue;
        }
        if (unit == u'~') {
            data[used++] = tilde;
            continue;
        }
        const int byte = isUnshowable(unit) ? -1 : windows1252Byte(unit);
        if (byte >= 0) {
            data[used++] = char(byte);
            continue;
        }
        out.resize(used);
        if (isUnshowable(unit)) {
            // Raw, NUL is U+FFFD to a browser and the others nothing or a box, while
            // &#128;..&#159; are read as the windows-1252 letters of those bytes: the
            // learner is shown the replacement character, in every context alike.
            switch (context) {
            case PageContext::ScriptString: out += "\\uFFFD"; break;
            case PageContext::StyleSheet: out += "\\FFFD "; break;
            default: out += "&#65533;"; break;
            }
        } else if (context == PageContext::ScriptString) {
            // A script string is UTF-16: one escape per code unit, pairs included.
            out += "\\u";
            appendHex(out, unit, 4);
        } else {
            char32_t codePoint = unit;
            if (QChar::isHighSurrogate(unit) && i + 1 < size
                && QChar::isLowSurrogate(piece[i + 1].unicode())) {
                codePoint = QChar::surrogateToUcs4(unit, piece[i + 1].unicode());
                ++i;
            } else if (QChar::isSurrogate(unit)) {
                codePoint = 0xFFFD; // a lone half of a pair is no character
            }
            if (context == PageContext::StyleSheet) {
                out += '\\';
                appendHex(out, codePoint, 1);
                out += ' ';
            } else {
                out += "&#";
                appendDecimal(out, codePoint);
                out += ';';
            }
        }
        used = out.size();
        out.resize(used + (size - i - 1));
        data = out.data();
    }
    out.resize(used);
}

} // namespace lexifind::codec
