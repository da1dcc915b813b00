#include "document/ProjectFile.h"

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/SaveFile.h"
#include "document/TextCodec.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

namespace lexifind::ProjectFile {

const QString OptionsMarker = QStringLiteral("[Lexifind options 1]");

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
    bool atEnd() const { return m_position >= m_content.size(); }
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

int hexDigit(QChar c);

// The counts that a reader tells in its own words.
struct BadCount
{
    int line; // 1 or 2
    QString text;
};
struct AbsurdCount
{
    qint64 announced;
    qint64 present;
};

int readCount(const QString &line, int number)
{
    int value = 0;
    if (!toWholeNumber(line, value))
        throw BadCount{number, line};
    return value;
}

void checkAnnounced(ExerciseDocument &document, qint64 announced, qint64 present)
{
    if (announced - present <= MaxMissingLines)
        return;
    document.ClearDocument();
    throw AbsurdCount{announced, present};
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

// Reads the document part of the decoded file into document (ClearDocument first), then
// lets rest read what follows the definitions. Returns how many of the lines that the
// counts announce the file lacks. Throws BadCount and AbsurdCount.
template<typename Rest>
qint64 readDocument(ExerciseDocument &document, QString &content, Rest rest)
{
    document.ClearDocument();
    LineReader reader(content);
    const QString firstLine = reader.next();
    const QString secondLine = reader.next();
    const qint64 present = reader.remaining();

    // The text's lines as the file holds them, when each ends with CR LF as the text's
    // own line breaks do: then the text is that part of the decoded file, taken without
    // a copy (a 10 MB text would need another 20 MB).
    const int lineCount = readCount(firstLine, 1);
    qsizetype textStart = 0;
    qsizetype textEnd = 0;
    bool textInPlace = false;
    if (lineCount > 0) {
        checkAnnounced(document, lineCount, present);
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
        entryCount = readCount(secondLine, 2);
    } catch (const BadCount &) {
        placeText(); // a word list that cannot be read leaves the text read
        throw;
    }
    const qint64 textLines = std::max(lineCount, 0);
    QStringList words;
    QStringList definitions;
    if (entryCount > 0) {
        checkAnnounced(document, 2 * qint64(entryCount), std::max<qint64>(present - textLines, 0));
        words.reserve(entryCount);
        definitions.reserve(entryCount);
        for (int i = 0; i < entryCount; ++i)
            words.append(reader.next());
        for (int i = 0; i < entryCount; ++i)
            definitions.append(reader.next());
    }
    rest(reader);
    placeText();
    for (qsizetype i = 0; i < words.size(); ++i)
        document.AddEntry(words.at(i), definitions.at(i));
    return std::max<qint64>(textLines + 2 * qint64(std::max(entryCount, 0)) - present, 0);
}

// An option's value on one line of the block; see the header for the escapes.
QString escapedValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    const qsizetype size = value.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = value.at(i).unicode();
        switch (c) {
        case u'\\': out += QStringLiteral("\\\\"); continue;
        case u'\n': out += QStringLiteral("\\n"); continue;
        case u'\r': out += QStringLiteral("\\r"); continue;
        case u'\t': out += QStringLiteral("\\t"); continue;
        default: break;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < size && value.at(i + 1).isLowSurrogate()) {
            out += value.at(i);
            out += value.at(++i);
            continue;
        }
        // Controls, line separators and marks that editors and readers treat as no text,
        // and a final blank that an editor may strip.
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || c == 0xFEFF
            || QChar::isSurrogate(c) || (c == u' ' && i + 1 == size))
            out += QStringLiteral("\\u%1").arg(QString::number(c, 16).toUpper(), 4, QLatin1Char('0'));
        else
            out += QChar(c);
    }
    return out;
}

// The value of a block line; an escape that is none stays as written.
QString unescapedValue(QStringView text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 >= size) {
            out += c;
            continue;
        }
        const QChar next = text.at(i + 1);
        if (next == u'\\' || next == u'n' || next == u'r' || next == u't') {
            out += next == u'n' ? u'\n' : next == u'r' ? u'\r' : next == u't' ? u'\t' : u'\\';
            ++i;
        } else if (next == u'u' && i + 6 <= size
                   && std::all_of(text.begin() + i + 2, text.begin() + i + 6,
                                  [](QChar d) { return hexDigit(d) >= 0; })) {
            out += QChar(char16_t(text.sliced(i + 2, 4).toUInt(nullptr, 16)));
            i += 5;
        } else {
            out += c;
        }
    }
    return out;
}

bool isOptionName(QStringView name)
{
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
               || u == u'_' || u == u'-' || u == u'.';
    });
}

QString optionsBlock(const PageSettings &settings)
{
    QString block;
    for (const QString &name : PageSettings::OptionNames()) {
        const QString &value = *settings.option(name);
        if (!PageSettings::IsStartValue(name, value))
            block += name + u'=' + escapedValue(value) + LineBreak;
    }
    for (const auto &[name, value] : settings.OtherOptions)
        if (isOptionName(name) && !settings.option(name))
            block += name + u'=' + escapedValue(value) + LineBreak;
    return block.isEmpty() ? block : OptionsMarker + LineBreak + block;
}

// The lines after the definitions: the options block when they start with its marker,
// nothing otherwise (readers of the format ignore them).
void readOptions(LineReader &reader, Project &project, const QString &fileName)
{
    if (reader.atEnd())
        return;
    const QString marker = reader.next();
    if (marker != OptionsMarker) {
        if (marker.startsWith(OptionsMarker.chopped(2)))
            project.warnings << QStringLiteral("Les options de page du fichier %1 sont écrites pour "
                                               "une version plus récente de Lexifind : elles ne "
                                               "sont pas lues.").arg(fileName);
        return;
    }
    PageSettings &settings = project.settings;
    while (!reader.atEnd()) {
        const QString line = reader.next();
        if (line.isEmpty())
            continue;
        const qsizetype equals = line.indexOf(u'=');
        const QString name = line.left(equals);
        if (equals <= 0 || !isOptionName(name)) {
            project.warnings << QStringLiteral("La ligne « %1 » des options de page du fichier %2 "
                                               "n'est pas de la forme NOM=VALEUR : elle est ignorée.")
                                    .arg(line, fileName);
            continue;
        }
        const QString value = unescapedValue(QStringView(line).sliced(equals + 1));
        if (QString *option = settings.option(name)) {
            const QString problem = PageSettings::ValueProblem(name, value);
            if (problem.isEmpty())
                *option = value;
            else
                project.warnings << QStringLiteral("L'option %1 du fichier %2 vaut « %3 », qui %4 : "
                                                   "elle garde sa valeur de départ.")
                                        .arg(name, fileName, value, problem);
            continue;
        }
        const auto same = std::find_if(settings.OtherOptions.begin(), settings.OtherOptions.end(),
                                       [&](const auto &other) { return other.first == name; });
        if (same != settings.OtherOptions.end())
            same->second = value;
        else
            settings.OtherOptions.append({name, value});
    }
}

QString absurdMessage(const AbsurdCount &absurd, const QString &fileName)
{
    const QString file = fileName.isEmpty() ? QStringLiteral("Le fichier")
                                            : QStringLiteral("Le fichier %1").arg(fileName);
    return QStringLiteral("%1 annonce %2 lignes mais n'en contient que %3.")
        .arg(file)
        .arg(absurd.announced)
        .arg(absurd.present);
}

// At most a few dozen characters of a line, for a message.
QString excerpt(const QString &line)
{
    constexpr qsizetype Shown = 40;
    return line.size() <= Shown ? line : line.left(Shown) + u'…';
}

// Bytes that no text editor writes: a NUL anywhere, or a control character in the line
// that should have been a count.
bool looksBinary(const QByteArray &bytes, const QString &line)
{
    if (codec::decode(bytes).contains(QChar(0)))
        return true;
    return std::any_of(line.begin(), line.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t' && u != u'\f') || u == 0x7F;
    });
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

QByteArray toBytes(const ExerciseDocument &document, const PageSettings &settings)
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
    content += optionsBlock(settings);
    return codec::encodeForFile(content);
}

Project read(const QByteArray &bytes, const QString &fileName)
{
    Project project;
    QString content = codec::decode(bytes);
    const QString cannotOpen = QStringLiteral("Impossible d'ouvrir le fichier %1 : ").arg(fileName);
    try {
        const qint64 missing = readDocument(project.document, content, [&](LineReader &reader) {
            readOptions(reader, project, fileName);
        });
        if (missing > 0)
            project.warnings.prepend(
                QStringLiteral("Le fichier %1 est incomplet : il lui manque %2 des lignes que ses "
                               "nombres annoncent, lues comme vides (texte, mots ou définitions).")
                    .arg(fileName)
                    .arg(missing));
    } catch (const BadCount &bad) {
        if (bytes.isEmpty())
            throw Error(cannotOpen + QStringLiteral("le fichier est vide"));
        if (looksBinary(bytes, bad.text))
            throw Error(cannotOpen + QStringLiteral("ce n'est pas un projet Lexifind, mais un "
                                                    "fichier binaire"));
        throw Error(cannotOpen
                    + QStringLiteral("ce n'est pas un projet Lexifind, sa ligne %1 « %2 » devrait "
                                     "donner le nombre %3")
                          .arg(bad.line)
                          .arg(excerpt(bad.text),
                               bad.line == 1 ? QStringLiteral("de lignes du texte")
                                             : QStringLiteral("de mots de la liste")));
    } catch (const AbsurdCount &absurd) {
        throw Error(absurdMessage(absurd, fileName));
    }
    return project;
}

Project load(const QString &path)
{
    return read(readBytes(path), path);
}

void save(const ExerciseDocument &document, const PageSettings &settings, const QString &path)
{
    saveBytes(path, toBytes(document, settings), QString());
}

void fromBytes(ExerciseDocument &document, const QByteArray &bytes, const QString &fileName)
{
    QString content = codec::decode(bytes);
    try {
        readDocument(document, content, [](LineReader &) {});
    } catch (const BadCount &bad) {
        throw Error(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(bad.text));
    } catch (const AbsurdCount &absurd) {
        throw Error(absurdMessage(absurd, fileName));
    }
}

void save(const ExerciseDocument &document, const QString &path)
{
    save(document, PageSettings(), path);
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
