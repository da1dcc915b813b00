#include "document/WordList.h"

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/SaveFile.h"
#include "document/TextCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <csv.h>

#include <array>
#include <memory>

namespace lexifind::wordlist {
namespace {

constexpr std::array<char16_t, 3> kCandidates{u'\t', u';', u','};
// Enough rows to tell the separator; a list's first rows are like its others.
constexpr int kSampleRows = 200;

const QStringList &wordColumnNames()
{
    static const QStringList names{
        QStringLiteral("mot"), QStringLiteral("mots"), QStringLiteral("terme"),
        QStringLiteral("vocabulaire"), QStringLiteral("expression"), QStringLiteral("word"),
        QStringLiteral("term"), QStringLiteral("front"), QStringLiteral("recto"),
        QStringLiteral("question")};
    return names;
}

const QStringList &definitionColumnNames()
{
    static const QStringList names{
        QStringLiteral("définition"), QStringLiteral("definition"), QStringLiteral("définitions"),
        QStringLiteral("traduction"), QStringLiteral("sens"), QStringLiteral("réponse"),
        QStringLiteral("translation"), QStringLiteral("meaning"), QStringLiteral("back"),
        QStringLiteral("verso"), QStringLiteral("answer")};
    return names;
}

int columnOf(const QStringList &names, const QStringList &known)
{
    for (qsizetype i = 0; i < names.size(); ++i)
        if (known.contains(names[i].trimmed().toLower()))
            return int(i);
    return -1;
}

struct RawRow
{
    int line = 0;
    QStringList fields;
};

// libcsv's callbacks gather the fields of each row and the line where the row began.
struct Collector
{
    std::vector<RawRow> rows;
    QStringList fields;
    int currentLine = 0;
    int rowStart = -1;
    int limit = -1; // rows to keep, -1 for all

    static void field(void *bytes, size_t size, void *data)
    {
        auto *self = static_cast<Collector *>(data);
        self->fields.append(QString::fromUtf8(static_cast<const char *>(bytes), qsizetype(size)));
    }
    static void rowEnd(int, void *data)
    {
        auto *self = static_cast<Collector *>(data);
        if (self->limit < 0 || int(self->rows.size()) < self->limit)
            self->rows.push_back({self->rowStart, std::move(self->fields)});
        self->fields.clear();
        self->rowStart = -1;
    }
};

// Only blanks surround a field: a tab is a separator, never padding.
int isBlank(unsigned char c)
{
    return c == ' ';
}

// The body's rows split at separator. Lines are fed one at a time so that each row
// knows the line it starts on, a quoted field running over several lines included.
std::vector<RawRow> splitRows(const QStringList &lines, int firstLine, char16_t separator,
                              int limit = -1)
{
    csv_parser parser;
    if (csv_init(&parser, 0) != 0)
        throw std::bad_alloc();
    const std::unique_ptr<csv_parser, void (*)(csv_parser *)> release(&parser, csv_free);
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    csv_set_space_func(&parser, isBlank);
    Collector collector;
    collector.limit = limit;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (limit >= 0 && int(collector.rows.size()) >= limit)
            break;
        collector.currentLine = firstLine + int(i);
        const QString &line = lines[i];
        if (collector.rowStart < 0 && !line.trimmed().isEmpty())
            collector.rowStart = collector.currentLine;
        const QByteArray bytes = line.toUtf8() + '\n';
        if (csv_parse(&parser, bytes.constData(), size_t(bytes.size()), Collector::field,
                      Collector::rowEnd, &collector)
            != size_t(bytes.size()))
            throw std::bad_alloc(); // relaxed parsing fails only for want of memory
    }
    csv_fini(&parser, Collector::field, Collector::rowEnd, &collector);
    return std::move(collector.rows);
}

// "Tab", "Comma"... as flash-card programs name them, or the character itself.
char16_t namedSeparator(QString value)
{
    value = value.trimmed();
    const QString name = value.toLower();
    if (name == u"tab" || name == u"\\t" || value == u"\t")
        return u'\t';
    if (name == u"comma")
        return u',';
    if (name == u"semicolon")
        return u';';
    if (name == u"space")
        return u' ';
    if (name == u"pipe")
        return u'|';
    if (name == u"colon")
        return u':';
    if (value.size() == 1 && value.at(0).unicode() < 0x80 && value.at(0) != u'"')
        return value.at(0).unicode();
    return 0;
}

char16_t fromChoice(Separator separator)
{
    switch (separator) {
    case Separator::Tab: return u'\t';
    case Separator::Semicolon: return u';';
    case Separator::Comma: return u',';
    case Separator::Automatic: break;
    }
    return 0;
}

char16_t detectSeparator(const QStringList &lines, int firstLine)
{
    char16_t best = kCandidates.front();
    qsizetype bestRows = -1;
    for (char16_t candidate : kCandidates) {
        qsizetype split = 0;
        for (const RawRow &row : splitRows(lines, firstLine, candidate, kSampleRows))
            split += row.fields.size() >= 2;
        if (split > bestRows) {
            best = candidate;
            bestRows = split;
        }
    }
    return best;
}

// An entry is one line of the project file: every line break, CR LF counted once,
// becomes a blank, as in the add dialog.
QString oneLine(const QString &field)
{
    QString result;
    result.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char16_t c = field.at(i).unicode();
        if (c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            result.append(u' ');
            if (c == u'\r' && i + 1 < field.size() && field.at(i + 1) == u'\n')
                ++i;
        } else {
            result.append(QChar(c));
        }
    }
    return result.trimmed();
}

bool looksLikeColumnNames(const QString &word, const QString &definition)
{
    return wordColumnNames().contains(word.trimmed().toLower())
           && definitionColumnNames().contains(definition.trimmed().toLower());
}

QByteArray field(const QString &text, char16_t separator)
{
    const QByteArray bytes = text.toUtf8();
    const bool quote = text.contains(QChar(separator)) || text.contains(u'"') || text.contains(u'\r')
                       || text.contains(u'\n') || text.startsWith(u'#') || text.startsWith(u' ')
                       || text.endsWith(u' ') || text.startsWith(u'\t') || text.endsWith(u'\t');
    if (!quote)
        return bytes;
    QByteArray quoted(qsizetype(csv_write2(nullptr, 0, bytes.constData(), size_t(bytes.size()), '"')),
                      Qt::Uninitialized);
    csv_write2(quoted.data(), size_t(quoted.size()), bytes.constData(), size_t(bytes.size()), '"');
    return quoted;
}

} // namespace

Parsed parse(const QByteArray &bytes, Separator choice)
{
    const QString text = codec::decode(bytes);
    QStringList lines = text.split(u'\n');
    for (QString &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);

    // Header lines: only at the top, as flash-card programs write them.
    char16_t separator = fromChoice(choice);
    QString columns;
    qsizetype first = 0;
    while (first < lines.size() && lines[first].startsWith(u'#')) {
        const QString &line = lines[first];
        const qsizetype colon = line.indexOf(u':');
        const QString key = line.mid(1, colon < 0 ? -1 : colon - 1).trimmed().toLower();
        const QString value = colon < 0 ? QString() : line.mid(colon + 1);
        if (key == u"separator" && !separator)
            separator = namedSeparator(value);
        else if (key == u"columns")
            columns = value;
        ++first;
    }
    const QStringList body = lines.mid(first);
    const int firstLine = int(first) + 1;
    if (!separator)
        separator = detectSeparator(body, firstLine);

    std::vector<RawRow> rows = splitRows(body, firstLine, separator);
    int wordColumn = 0;
    int definitionColumn = 1;
    std::size_t start = 0;
    if (!columns.isEmpty()) {
        const QStringList names = columns.split(QChar(separator));
        const int w = columnOf(names, wordColumnNames());
        const int d = columnOf(names, definitionColumnNames());
        if (w >= 0 && d >= 0 && w != d) {
            wordColumn = w;
            definitionColumn = d;
        }
    } else if (!rows.empty()) {
        // A spreadsheet's first row of column names.
        const QStringList &names = rows.front().fields;
        const int w = columnOf(names, wordColumnNames());
        const int d = columnOf(names, definitionColumnNames());
        if (w >= 0 && d >= 0 && w != d) {
            wordColumn = w;
            definitionColumn = d;
            start = 1;
        }
    }

    Parsed parsed;
    parsed.separator = separator;
    parsed.rows.reserve(rows.size() - start);
    for (std::size_t i = start; i < rows.size(); ++i)
        parsed.rows.push_back({rows[i].line, rows[i].fields.value(wordColumn),
                               rows[i].fields.value(definitionColumn)});
    return parsed;
}

Import prepare(const Parsed &parsed, const QStringList &wordsInList)
{
    Import import;
    import.separator = parsed.separator;
    const QSet<QString> inList(wordsInList.cbegin(), wordsInList.cend());
    QSet<QString> added;
    for (const Row &row : parsed.rows) {
        const QString word = ExerciseDocument::CleanWord(oneLine(row.word));
        const QString definition = ExerciseDocument::CleanDefinition(oneLine(row.definition));
        if (word.isEmpty()) {
            // A row of empty cells, as spreadsheets leave at the end, is no entry at all.
            if (!definition.isEmpty())
                import.skipped.push_back({row.line, word, SkipReason::EmptyWord});
        } else if (inList.contains(word)) {
            import.skipped.push_back({row.line, word, SkipReason::InList});
        } else if (added.contains(word)) {
            import.skipped.push_back({row.line, word, SkipReason::RepeatedInFile});
        } else {
            added.insert(word);
            import.words.append(word);
            import.definitions.append(definition);
        }
    }
    return import;
}

QByteArray read(const QString &path)
{
    const QByteArray bytes = readBytes(path);
    // A spreadsheet's own file (a zip, or a binary format) holds zero bytes, which no
    // text does once decoded: refused, rather than read as rows of noise.
    if (codec::decode(bytes).contains(QChar(0)))
        throw Error(QStringLiteral("%1 n'est pas une liste en texte : enregistrez-la depuis le "
                                   "tableur en CSV ou en texte (séparateur : tabulation)")
                        .arg(QDir::toNativeSeparators(path)));
    return bytes;
}

Import load(const QString &path, const QStringList &wordsInList, Separator separator)
{
    return prepare(parse(read(path), separator), wordsInList);
}

QString separatorName(char16_t separator)
{
    switch (separator) {
    case u'\t': return QStringLiteral("tabulation");
    case u';': return QStringLiteral("point-virgule");
    case u',': return QStringLiteral("virgule");
    case u' ': return QStringLiteral("espace");
    default: return QStringLiteral("« %1 »").arg(QChar(separator));
    }
}

QString summary(const Import &import)
{
    const auto count = [](qsizetype n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n <= 1 ? one : many));
    };
    QString text = count(import.words.size(), "entrée ajoutée", "entrées ajoutées")
                   + QStringLiteral(" (séparateur : %1)").arg(separatorName(import.separator));
    if (import.skipped.empty())
        return text + u'.';
    text += QStringLiteral(" ; ") + count(qsizetype(import.skipped.size()), "ligne ignorée", "lignes ignorées")
            + QStringLiteral(" :");
    // The teacher reads the first ones; a long tail is counted.
    constexpr std::size_t shown = 12;
    for (std::size_t i = 0; i < import.skipped.size() && i < shown; ++i) {
        const Skipped &s = import.skipped[i];
        text += QStringLiteral("\nligne %1 : ").arg(s.line);
        switch (s.reason) {
        case SkipReason::EmptyWord:
            text += QStringLiteral("pas de mot");
            break;
        case SkipReason::InList:
            text += QStringLiteral("« %1 » est déjà dans la liste").arg(s.word);
            break;
        case SkipReason::RepeatedInFile:
            text += QStringLiteral("« %1 » figure déjà plus haut dans le fichier").arg(s.word);
            break;
        }
    }
    if (import.skipped.size() > shown)
        text += QStringLiteral("\net %1 de plus.").arg(import.skipped.size() - shown);
    return text;
}

QByteArray toBytes(const QStringList &words, const QStringList &definitions, char16_t separator)
{
    const char sep = char(separator);
    QByteArray out;
    if (!words.isEmpty() && looksLikeColumnNames(words.front(), definitions.value(0)))
        out += "#columns:" + field(QStringLiteral("mot"), separator) + sep
               + field(QStringLiteral("définition"), separator) + "\r\n";
    for (qsizetype i = 0; i < words.size(); ++i)
        out += field(words[i], separator) + sep + field(definitions.value(i), separator) + "\r\n";
    return out;
}

char16_t separatorForPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0 ? u',' : u'\t';
}

void save(const QString &path, const QStringList &words, const QStringList &definitions)
{
    const char16_t separator = separatorForPath(path);
    QByteArray bytes = toBytes(words, definitions, separator);
    if (separator == u',')
        bytes.prepend("\xEF\xBB\xBF");
    saveBytes(path, bytes, QStringLiteral("Impossible de créer le fichier %1"));
}

} // namespace lexifind::wordlist
