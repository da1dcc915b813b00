#include "document/ProjectFile.h"

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/SaveFile.h"
#include "document/TextCodec.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

namespace lexifind::ProjectFile {

namespace {

const QString LineBreak = QStringLiteral("\r\n");

// How many announced lines may be missing from a file and still be read as empty
// values. A file cut short keeps what it holds (a text or a word list up to this size
// announced in full, with nothing after the counts, still loads); a count beyond the
// lines present plus this allowance can only be damage (2147483647 in a ten-byte file),
// and honouring it would mean building billions of empty lines.
constexpr qint64 MaxMissingLines = qint64(1) << 20;

// Reads the decoded file line by line: LF or CR LF end a line, a last line without a
// break is a line, and reading past the end gives empty lines.
class LineReader
{
public:
    explicit LineReader(const QString &content)
        : m_content(content)
    {
    }

    QString next() { return nextView().toString(); }

    QStringView nextView()
    {
        const qsizetype size = m_content.size();
        m_endedWithCrLf = false;
        if (m_position >= size)
            return {};
        qsizetype end = m_content.indexOf(QLatin1Char('\n'), m_position);
        qsizetype after = end + 1;
        if (end < 0) {
            end = size;
            after = size;
        }
        qsizetype length = end - m_position;
        m_endedWithCrLf = length > 0 && m_content.at(end - 1) == QLatin1Char('\r') && end < size;
        if (m_endedWithCrLf)
            --length;
        const QStringView line = QStringView(m_content).mid(m_position, length);
        m_position = after;
        return line;
    }

    // Whether the line last read ended with CR LF, as the text holds its line breaks.
    bool endedWithCrLf() const { return m_endedWithCrLf; }
    qsizetype position() const { return m_position; }
    void seek(qsizetype position) { m_position = position; }

    // The lines not read yet, counted without reading them.
    qint64 remaining() const
    {
        const qsizetype size = m_content.size();
        if (m_position >= size)
            return 0;
        const QStringView rest = QStringView(m_content).sliced(m_position);
        qint64 count = rest.count(QLatin1Char('\n'));
        if (!rest.endsWith(QLatin1Char('\n')))
            ++count;
        return count;
    }

private:
    const QString &m_content;
    qsizetype m_position = 0;
    bool m_endedWithCrLf = false;
};

int readCount(const QString &line)
{
    int value = 0;
    if (!toWholeNumber(line, value))
        throw Error(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(line));
    return value;
}

void checkAnnounced(ExerciseDocument &document, qint64 announced, const LineReader &reader,
                    const QString &fileName)
{
    const qint64 present = reader.remaining();
    if (announced - present <= MaxMissingLines)
        return;
    document.ClearDocument();
    const QString file = fileName.isEmpty() ? QStringLiteral("Le fichier")
                                            : QStringLiteral("Le fichier %1").arg(fileName);
    throw Error(QStringLiteral("%1 annonce %2 lignes mais n'en contient que %3.")
                    .arg(file)
                    .arg(announced)
                    .arg(present));
}

// The format has one line per value: a line break inside a word or definition becomes a
// blank, as the page would show it anyway.
QString asOneLine(const QString &value)
{
    if (!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')))
        return value;
    QString line = value;
    line.replace(LineBreak, QStringLiteral(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

bool toWholeNumber(const QString &text, int &value)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < size && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < size && (text.at(i) == QLatin1Char('$') || text.at(i) == QLatin1Char('x')
                     || text.at(i) == QLatin1Char('X'))) {
        hex = true;
        ++i;
    } else if (i + 1 < size && text.at(i) == QLatin1Char('0')
               && (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= size)
        return false;
    const int base = hex ? 16 : 10;
    const quint64 limit = hex ? 0xFFFFFFFFu : (negative ? 2147483648u : 2147483647u);
    quint64 magnitude = 0;
    for (; i < size; ++i) {
        const int digit = hexDigit(text.at(i));
        if (digit < 0 || digit >= base)
            return false;
        magnitude = magnitude * base + quint64(digit);
        if (magnitude > limit)
            return false;
    }
    quint32 bits = quint32(magnitude);
    if (negative)
        bits = 0u - bits;
    value = qint32(bits);
    return true;
}

QByteArray toBytes(const ExerciseDocument &document)
{
    const QStringList textLines = document.lines();
    const QStringList &words = document.words();
    const QStringList &definitions = document.definitions();

    QString content;
    content.reserve(document.text().size() + 64);
    content += QString::number(textLines.size()) + LineBreak;
    content += QString::number(words.size()) + LineBreak;
    for (const QString &line : textLines)
        content += line + LineBreak;
    for (const QString &word : words)
        content += asOneLine(word) + LineBreak;
    for (const QString &definition : definitions)
        content += asOneLine(definition) + LineBreak;
    return codec::encodeForFile(content);
}

void fromBytes(ExerciseDocument &document, const QByteArray &bytes, const QString &fileName)
{
    document.ClearDocument();
    QString content = codec::decode(bytes);
    LineReader reader(content);
    const QString firstLine = reader.next();
    const QString secondLine = reader.next();

    // The text's lines as the file holds them, when each ends with CR LF as the text's
    // own line breaks do: then the text is that part of the decoded file, taken without
    // a copy (a 10 MB text would need another 20 MB).
    const int lineCount = readCount(firstLine);
    qsizetype textStart = 0;
    qsizetype textEnd = 0;
    bool textInPlace = false;
    if (lineCount > 0) {
        checkAnnounced(document, lineCount, reader, fileName);
        textStart = reader.position();
        textInPlace = true;
        for (int i = 0; i < lineCount && textInPlace; ++i) {
            reader.nextView();
            textInPlace = reader.endedWithCrLf();
        }
        textEnd = reader.position();
        if (!textInPlace) {
            reader.seek(textStart);
            QString text;
            // One allocation for the text, not one per doubling (a 10 MB text has many lines).
            text.reserve(content.size() + std::min<qint64>(lineCount, qint64(1) << 20));
            for (int i = 0; i < lineCount; ++i) {
                text += reader.nextView();
                text += LineBreak;
            }
            document.setText(text);
        }
    }

    const auto placeText = [&] {
        if (!textInPlace)
            return;
        content.truncate(textEnd);
        content.remove(0, textStart);
        document.setText(content);
        textInPlace = false;
    };
    int entryCount = 0;
    try {
        entryCount = readCount(secondLine);
    } catch (const Error &) {
        placeText(); // a word list that cannot be read leaves the text read
        throw;
    }
    QStringList words;
    QStringList definitions;
    if (entryCount > 0) {
        checkAnnounced(document, 2 * qint64(entryCount), reader, fileName);
        words.reserve(entryCount);
        definitions.reserve(entryCount);
        for (int i = 0; i < entryCount; ++i)
            words.append(reader.next());
        for (int i = 0; i < entryCount; ++i)
            definitions.append(reader.next());
    }
    placeText();
    for (qsizetype i = 0; i < words.size(); ++i)
        document.AddEntry(words.at(i), definitions.at(i));
}

void save(const ExerciseDocument &document, const QString &path)
{
    saveBytes(path, toBytes(document), QString());
}

void load(ExerciseDocument &document, const QString &path)
{
    document.ClearDocument();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(ioErrorMessage(errno != 0 ? errno : EIO));
    file.close();
    fromBytes(document, bytes, path);
}

} // namespace lexifind::ProjectFile
