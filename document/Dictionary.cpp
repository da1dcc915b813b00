#include "document/Dictionary.h"

#include "document/LexifindError.h"
#include "document/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

namespace lexifind {
namespace {

const QString kIndexSuffix = QStringLiteral(".index");

QString unreadable(const QString &path)
{
    return QStringLiteral("Le dictionnaire %1 est illisible").arg(QDir::toNativeSeparators(path));
}

// The index's numbers: base 64, most significant digit first.
bool decodeNumber(std::string_view digits, qint64 &value)
{
    value = 0;
    if (digits.empty() || digits.size() > 10)
        return false;
    for (const char c : digits) {
        int d;
        if (c >= 'A' && c <= 'Z')
            d = c - 'A';
        else if (c >= 'a' && c <= 'z')
            d = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            d = c - '0' + 52;
        else if (c == '+')
            d = 62;
        else if (c == '/')
            d = 63;
        else
            return false;
        value = value * 64 + d;
    }
    return true;
}

// Raw deflate data of one dictzip chunk, or a whole gzip file (windowBits 15 + 16).
QByteArray inflateBytes(const char *data, qsizetype size, int windowBits, qsizetype expected,
                        const QString &path)
{
    z_stream stream{};
    if (inflateInit2(&stream, windowBits) != Z_OK)
        throw std::bad_alloc();
    QByteArray out(std::max<qsizetype>(expected, 1 << 16), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    stream.avail_in = uInt(size);
    qsizetype produced = 0;
    int result = Z_OK;
    for (;;) {
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + produced);
        stream.avail_out = uInt(out.size() - produced);
        result = inflate(&stream, Z_SYNC_FLUSH);
        produced = out.size() - stream.avail_out;
        if (result == Z_STREAM_END || (result != Z_OK && result != Z_BUF_ERROR))
            break;
        if (stream.avail_in == 0)
            break; // a chunk ends without the stream's end
        if (stream.avail_out == 0)
            out.resize(out.size() * 2);
    }
    inflateEnd(&stream);
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
        throw Error(unreadable(path));
    out.truncate(produced);
    return out;
}

QString frenchLanguageName(const QString &code)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("fra"), QStringLiteral("français")}, {QStringLiteral("eng"), QStringLiteral("anglais")},
        {QStringLiteral("deu"), QStringLiteral("allemand")}, {QStringLiteral("spa"), QStringLiteral("espagnol")},
        {QStringLiteral("ita"), QStringLiteral("italien")}, {QStringLiteral("por"), QStringLiteral("portugais")},
        {QStringLiteral("nld"), QStringLiteral("néerlandais")}, {QStringLiteral("lat"), QStringLiteral("latin")},
        {QStringLiteral("ell"), QStringLiteral("grec")}, {QStringLiteral("rus"), QStringLiteral("russe")},
        {QStringLiteral("pol"), QStringLiteral("polonais")}, {QStringLiteral("swe"), QStringLiteral("suédois")},
        {QStringLiteral("tur"), QStringLiteral("turc")}, {QStringLiteral("jpn"), QStringLiteral("japonais")},
        {QStringLiteral("ara"), QStringLiteral("arabe")}, {QStringLiteral("hun"), QStringLiteral("hongrois")},
        {QStringLiteral("ces"), QStringLiteral("tchèque")}, {QStringLiteral("dan"), QStringLiteral("danois")},
        {QStringLiteral("fin"), QStringLiteral("finnois")}, {QStringLiteral("nor"), QStringLiteral("norvégien")},
        {QStringLiteral("gle"), QStringLiteral("irlandais")}, {QStringLiteral("cym"), QStringLiteral("gallois")},
        {QStringLiteral("bre"), QStringLiteral("breton")}, {QStringLiteral("hrv"), QStringLiteral("croate")},
        {QStringLiteral("srp"), QStringLiteral("serbe")}, {QStringLiteral("kur"), QStringLiteral("kurde")},
        {QStringLiteral("afr"), QStringLiteral("afrikaans")}, {QStringLiteral("swh"), QStringLiteral("swahili")},
        {QStringLiteral("zho"), QStringLiteral("chinois")}, {QStringLiteral("ukr"), QStringLiteral("ukrainien")},
        {QStringLiteral("ron"), QStringLiteral("roumain")}, {QStringLiteral("bul"), QStringLiteral("bulgare")},
        {QStringLiteral("slk"), QStringLiteral("slovaque")}, {QStringLiteral("slv"), QStringLiteral("slovène")},
        {QStringLiteral("isl"), QStringLiteral("islandais")}, {QStringLiteral("hin"), QStringLiteral("hindi")},
        {QStringLiteral("kor"), QStringLiteral("coréen")}, {QStringLiteral("epo"), QStringLiteral("espéranto")},
    };
    return names.value(code, code);
}

// Elided articles and pronouns that stand before a word in the text.
const QStringList &elisions()
{
    static const QStringList list{
        QStringLiteral("jusqu'"), QStringLiteral("lorsqu'"), QStringLiteral("puisqu'"),
        QStringLiteral("qu'"), QStringLiteral("l'"), QStringLiteral("d'"), QStringLiteral("j'"),
        QStringLiteral("m'"), QStringLiteral("n'"), QStringLiteral("s'"), QStringLiteral("t'"),
        QStringLiteral("c'")};
    return list;
}

// Endings and what the base form ends with instead: plurals, feminines, common verb
// endings of the languages of the FreeDict dictionaries teachers use most. A candidate
// counts only where the index has it, so a wrong guess costs one lookup.
struct Ending
{
    const char16_t *ending;
    const char16_t *base;
};
constexpr Ending kEndings[] = {
    // Plurals first: "nouvelles" is "nouvelle" before it is "nouveau".
    {u"s", u""}, {u"x", u""}, {u"aux", u"al"}, {u"ies", u"y"}, {u"es", u""},
    {u"elles", u"eau"}, {u"elle", u"eau"}, {u"euses", u"eur"}, {u"euse", u"eur"},
    {u"ives", u"if"}, {u"ive", u"if"}, {u"nnes", u"n"}, {u"nne", u"n"}, {u"ées", u"é"},
    {u"ée", u"é"}, {u"e", u""},
    {u"eaient", u"er"}, {u"eait", u"er"}, {u"eons", u"er"}, {u"aient", u"er"}, {u"ait", u"er"},
    {u"ons", u"er"}, {u"ez", u"er"}, {u"ent", u"er"}, {u"é", u"er"},
    {u"ing", u""}, {u"ing", u"e"}, {u"ed", u""}, {u"ed", u"e"},
    {u"en", u""}, {u"er", u""}, {u"n", u""},
};

QStringList candidates(const QString &word)
{
    QStringList list;
    const auto add = [&list](const QString &form) {
        if (!form.isEmpty() && !list.contains(form))
            list << form;
    };
    const QString written = word.simplified();
    add(written);
    QString lower = written.toLower();
    lower.replace(u'\u2019', u'\'');
    add(lower);
    QString bare = lower;
    for (const QString &elided : elisions())
        if (bare.startsWith(elided) && bare.size() > elided.size()) {
            bare = bare.mid(elided.size());
            break;
        }
    add(bare);
    if (bare.contains(u' '))
        return list;
    for (const Ending &e : kEndings) {
        const QString ending = QString::fromUtf16(e.ending);
        if (bare.endsWith(ending) && bare.size() > ending.size())
            add(bare.chopped(ending.size()) + QString::fromUtf16(e.base));
    }
    return list;
}

// The heading and sense markers of the articles of the dictd dictionaries: FreeDict's
// "1. ", WordNet's "n 1: " and "2: ", GCIDE's indented "1. ".
const QRegularExpression &senseStart()
{
    static const QRegularExpression re(QStringLiteral("^\\s*(?:[a-z]{1,5}\\.?\\s+)?\\d{1,2}[.:)]\\s+"));
    return re;
}

QString oneLine(QString sense, int maxLength)
{
    static const QRegularExpression synonyms(QStringLiteral("\\s*\\[(?:syn|ant|also|see)[^\\]]*\\]"));
    static const QRegularExpression trailingBracket(QStringLiteral("\\s*\\[[^\\]]*\\]\\s*$"));
    static const QRegularExpression examples(QStringLiteral(";\\s*\".*$"));
    sense.remove(synonyms);
    sense.remove(examples);
    sense.remove(u'{');
    sense.remove(u'}');
    sense = sense.simplified();
    while (sense.contains(trailingBracket) && sense.size() > 1)
        sense.remove(trailingBracket);
    while (sense.endsWith(u';') || sense.endsWith(u','))
        sense.chop(1);
    if (sense.size() > maxLength) {
        // Cut at the last blank before the limit, and say that it was cut.
        qsizetype cut = sense.lastIndexOf(u' ', maxLength - 1);
        if (cut < maxLength / 2)
            cut = maxLength - 1;
        sense = sense.left(cut);
        while (sense.endsWith(u',') || sense.endsWith(u';') || sense.endsWith(u' '))
            sense.chop(1);
        sense += u'…';
    }
    return sense;
}

} // namespace

struct Dictionary::Data
{
    bool indexLoaded = false;
    QByteArray index; // the index file, which lines views into
    // Every line of the index by its key, sorted by key; a headword's repeated lines stay
    // in the index's order.
    std::vector<std::pair<std::string_view, std::string_view>> lines;
    bool utf8 = false;
    bool allChars = false;
    bool caseSensitive = false;

    bool headerRead = false;
    bool compressed = false;
    qint64 chunkLength = 0; // 0: not in chunks
    std::vector<qint64> chunkStarts; // file offsets of each chunk, and of the end
    QByteArray whole; // a gzip file without chunks, inflated once
    int cachedChunk = -1;
    QByteArray cachedData;
};

QString Dictionary::defaultFolder()
{
    return QStringLiteral("/usr/share/dictd");
}

std::vector<DictionaryFiles> Dictionary::installed(const QString &folder)
{
    std::vector<DictionaryFiles> found;
    const QDir dir(folder);
    const QStringList indexes = dir.entryList({QStringLiteral("*.index")}, QDir::Files, QDir::Name);
    for (const QString &index : indexes) {
        const QString base = index.chopped(kIndexSuffix.size());
        for (const QString &suffix : {QStringLiteral(".dict.dz"), QStringLiteral(".dict")}) {
            if (QFileInfo::exists(dir.filePath(base + suffix))) {
                found.push_back({base, dir.filePath(index), dir.filePath(base + suffix)});
                break;
            }
        }
    }
    return found;
}

DictionaryFiles Dictionary::locate(const QString &nameOrPath, const QString &folder)
{
    const QString given = nameOrPath.trimmed();
    if (given.isEmpty())
        throw Error(QStringLiteral("Aucun dictionnaire n'est choisi"));
    const bool path = given.contains(u'/') || given.contains(QDir::separator())
                      || given.endsWith(kIndexSuffix) || given.endsWith(u".dict")
                      || given.endsWith(u".dict.dz");
    if (!path) {
        for (const DictionaryFiles &files : installed(folder))
            if (files.name == given)
                return files;
        if (installed(folder).empty())
            throw Error(installAdvice());
        throw Error(QStringLiteral("Le dictionnaire « %1 » n'est pas installé dans %2")
                        .arg(given, QDir::toNativeSeparators(folder)));
    }
    QString base = given;
    for (const QString &suffix : {QStringLiteral(".dict.dz"), QStringLiteral(".dict"), kIndexSuffix})
        if (base.endsWith(suffix)) {
            base.chop(suffix.size());
            break;
        }
    DictionaryFiles files{QFileInfo(base).fileName(), base + kIndexSuffix, QString()};
    for (const QString &suffix : {QStringLiteral(".dict.dz"), QStringLiteral(".dict")})
        if (QFileInfo::exists(base + suffix)) {
            files.dataPath = base + suffix;
            break;
        }
    if (!QFileInfo::exists(files.indexPath) || files.dataPath.isEmpty())
        throw Error(QStringLiteral("Aucun dictionnaire à %1 : il faut son .index et son .dict "
                                   "ou .dict.dz")
                        .arg(QDir::toNativeSeparators(base)));
    return files;
}

QString Dictionary::languagesOfName(const QString &name)
{
    static const QRegularExpression freedict(QStringLiteral("^freedict-([a-z]{3})-([a-z]{3})$"));
    const QRegularExpressionMatch match = freedict.match(name);
    if (!match.hasMatch())
        return {};
    return frenchLanguageName(match.captured(1)) + QStringLiteral(" → ")
           + frenchLanguageName(match.captured(2));
}

QString Dictionary::installAdvice()
{
    return QStringLiteral("Aucun dictionnaire n'est installé. Installez-en un, par exemple : "
                          "apt install dict-freedict-fra-eng");
}

Dictionary::Dictionary(DictionaryFiles files)
    : m_files(std::move(files)), m_data(std::make_unique<Data>())
{
}

Dictionary::~Dictionary() = default;

QString Dictionary::description()
{
    QString languages = languagesOfName(m_files.name);
    if (languages.isEmpty()) {
        // The short description is filed under "00-database-short", which sorts before
        // the words: the head of the index holds it, and the index is not loaded for it.
        QFile file(m_files.indexPath);
        const QByteArray head = file.open(QIODevice::ReadOnly) ? '\n' + file.read(1 << 16) : QByteArray();
        for (const char *key : {"\n00-database-short\t", "\n00databaseshort\t"}) {
            const qsizetype at = head.indexOf(key);
            if (at < 0)
                continue;
            const qsizetype start = at + qsizetype(strlen(key));
            const qsizetype end = head.indexOf('\n', start);
            const QList<QByteArray> numbers = head.mid(start, end < 0 ? -1 : end - start).split('\t');
            qint64 offset = 0;
            qint64 length = 0;
            if (numbers.size() < 2
                || !decodeNumber(std::string_view(numbers[0].constData(), size_t(numbers[0].size())), offset)
                || !decodeNumber(std::string_view(numbers[1].constData(), size_t(numbers[1].size())), length))
                break;
            QStringList lines = QString::fromUtf8(read(offset, std::min<qint64>(length, 4096)))
                                    .split(u'\n', Qt::SkipEmptyParts);
            // dictfmt puts the entry's own name first in some dictionaries.
            if (!lines.isEmpty() && lines.front().trimmed().startsWith(u"00-database"))
                lines.removeFirst();
            if (!lines.isEmpty())
                languages = lines.front().simplified();
            break;
        }
    }
    return languages.isEmpty() ? m_files.name : m_files.name + QStringLiteral(" — ") + languages;
}

void Dictionary::loadIndex()
{
    if (m_data->indexLoaded)
        return;
    Data &d = *m_data;
    d.index = readBytes(m_files.indexPath);
    const char *bytes = d.index.constData();
    const qsizetype size = d.index.size();
    d.lines.reserve(size_t(std::count(bytes, bytes + size, '\n')));
    for (qsizetype line = 0; line < size;) {
        const char *end = static_cast<const char *>(memchr(bytes + line, '\n', size_t(size - line)));
        const qsizetype lineEnd = end ? end - bytes : size;
        const std::string_view text(bytes + line, size_t(lineEnd - line));
        if (const size_t tab = text.find('\t'); tab != std::string_view::npos)
            d.lines.emplace_back(text.substr(0, tab), text);
        line = lineEnd + 1;
    }
    std::stable_sort(d.lines.begin(), d.lines.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    d.indexLoaded = true;
    // The flags are headwords of their own, folded or not as dictfmt's version had it.
    const auto has = [this](const char *a, const char *b) {
        return !indexLines(QByteArray(a)).empty() || !indexLines(QByteArray(b)).empty();
    };
    d.allChars = has("00-database-allchars", "00databaseallchars");
    d.caseSensitive = has("00-database-case-sensitive", "00databasecasesensitive");
    d.utf8 = has("00-database-utf8", "00databaseutf8");
}

std::vector<std::string_view> Dictionary::indexLines(const QByteArray &key) const
{
    const auto &lines = m_data->lines;
    const std::string_view wanted(key.constData(), size_t(key.size()));
    const auto [first, last] = std::equal_range(
            lines.begin(), lines.end(), std::pair(wanted, std::string_view()),
            [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<std::string_view> found;
    for (auto it = first; it != last; ++it)
        found.push_back(it->second);
    return found;
}

QStringList Dictionary::articles(const QString &key)
{
    loadIndex();
    const Data &d = *m_data;
    QString folded = d.caseSensitive ? key : key.toLower();
    if (!d.allChars) {
        QString kept;
        kept.reserve(folded.size());
        for (const QChar c : std::as_const(folded))
            if (c.isLetterOrNumber() || c.isSpace())
                kept.append(c.isSpace() ? QChar(u' ') : c);
        folded = kept;
    }
    folded = folded.simplified();
    if (folded.isEmpty()
        || (!d.utf8 && std::any_of(folded.cbegin(), folded.cend(), [](QChar c) { return c.unicode() > 0xFF; })))
        return {};
    QStringList found;
    for (const std::string_view text : indexLines(d.utf8 ? folded.toUtf8() : folded.toLatin1())) {
        const size_t tab1 = text.find('\t');
        const size_t tab2 = text.find('\t', tab1 + 1);
        const size_t tab3 = tab2 == std::string_view::npos ? tab2 : text.find('\t', tab2 + 1);
        qint64 offset = 0;
        qint64 length = 0;
        if (tab2 == std::string_view::npos
            || !decodeNumber(text.substr(tab1 + 1, tab2 - tab1 - 1), offset)
            || !decodeNumber(text.substr(tab2 + 1, tab3 == std::string_view::npos ? tab3 : tab3 - tab2 - 1),
                             length))
            throw Error(unreadable(m_files.indexPath));
        const QByteArray article = read(offset, length);
        found << (d.utf8 ? QString::fromUtf8(article) : QString::fromLatin1(article));
    }
    return found;
}

QByteArray Dictionary::read(qint64 offset, qint64 length)
{
    Data &d = *m_data;
    QFile file(m_files.dataPath);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Impossible d'ouvrir le fichier %1").arg(QDir::toNativeSeparators(m_files.dataPath)));
    if (!d.headerRead) {
        const QByteArray head = file.read(10);
        d.compressed = head.size() == 10 && quint8(head[0]) == 0x1f && quint8(head[1]) == 0x8b;
        if (d.compressed) {
            const quint8 flags = quint8(head[3]);
            qint64 position = 10;
            if (flags & 0x04) { // FEXTRA: dictzip's "RA" field gives the chunks
                const QByteArray lengthBytes = file.read(2);
                if (lengthBytes.size() != 2)
                    throw Error(unreadable(m_files.dataPath));
                const int extraLength = quint8(lengthBytes[0]) | quint8(lengthBytes[1]) << 8;
                const QByteArray extra = file.read(extraLength);
                if (extra.size() != extraLength)
                    throw Error(unreadable(m_files.dataPath));
                position += 2 + extraLength;
                for (int at = 0; at + 4 <= extra.size();) {
                    const int fieldLength = quint8(extra[at + 2]) | quint8(extra[at + 3]) << 8;
                    const auto word = [&extra](int i) { return quint8(extra[i]) | quint8(extra[i + 1]) << 8; };
                    if (extra[at] == 'R' && extra[at + 1] == 'A' && fieldLength >= 6
                        && at + 4 + fieldLength <= extra.size()) {
                        d.chunkLength = word(at + 6);
                        const int count = word(at + 8);
                        if (6 + 2 * count > fieldLength)
                            throw Error(unreadable(m_files.dataPath));
                        d.chunkStarts.assign(1, 0);
                        for (int i = 0; i < count; ++i)
                            d.chunkStarts.push_back(d.chunkStarts.back() + word(at + 10 + 2 * i));
                    }
                    at += 4 + fieldLength;
                }
            }
            // The name and the comment end with a zero byte; a header CRC takes two.
            for (const quint8 flag : {quint8(0x08), quint8(0x10)})
                if (flags & flag) {
                    char c = 1;
                    file.seek(position);
                    while (file.getChar(&c) && c != 0)
                        ;
                    position = file.pos();
                }
            if (flags & 0x02)
                position += 2;
            for (qint64 &start : d.chunkStarts)
                start += position;
        }
        d.headerRead = true;
    }
    if (offset < 0 || length < 0)
        throw Error(unreadable(m_files.indexPath));
    if (!d.compressed) {
        if (!file.seek(offset))
            throw Error(unreadable(m_files.dataPath));
        QByteArray bytes = file.read(length);
        if (bytes.size() != length)
            throw Error(unreadable(m_files.dataPath));
        return bytes;
    }
    if (d.chunkLength == 0 || d.chunkStarts.size() < 2) {
        // Compressed by gzip rather than dictzip: inflated whole, once.
        if (d.whole.isNull()) {
            file.seek(0);
            const QByteArray all = file.readAll();
            d.whole = inflateBytes(all.constData(), all.size(), 15 + 16, all.size() * 4, m_files.dataPath);
        }
        if (offset + length > d.whole.size())
            throw Error(unreadable(m_files.dataPath));
        return d.whole.mid(offset, length);
    }
    QByteArray out;
    const qint64 first = offset / d.chunkLength;
    const qint64 last = (offset + std::max<qint64>(length, 1) - 1) / d.chunkLength;
    if (last + 1 >= qint64(d.chunkStarts.size()))
        throw Error(unreadable(m_files.indexPath));
    for (qint64 chunk = first; chunk <= last; ++chunk) {
        if (d.cachedChunk != chunk) {
            const qint64 start = d.chunkStarts[size_t(chunk)];
            const qint64 size = d.chunkStarts[size_t(chunk) + 1] - start;
            if (!file.seek(start))
                throw Error(unreadable(m_files.dataPath));
            const QByteArray packed = file.read(size);
            if (packed.size() != size)
                throw Error(unreadable(m_files.dataPath));
            d.cachedData = inflateBytes(packed.constData(), packed.size(), -15, d.chunkLength,
                                        m_files.dataPath);
            d.cachedChunk = int(chunk);
        }
        const qint64 from = chunk == first ? offset - chunk * d.chunkLength : 0;
        const qint64 to = std::min<qint64>(d.cachedData.size(), offset + length - chunk * d.chunkLength);
        if (to > d.cachedData.size() || to < from)
            throw Error(unreadable(m_files.dataPath));
        out += d.cachedData.mid(from, to - from);
    }
    return out;
}

DictionaryLookup Dictionary::lookup(const QString &word)
{
    for (const QString &form : candidates(word)) {
        QStringList found;
        for (const QString &article : articles(form))
            found << senses(article);
        if (!found.isEmpty()) {
            found.removeDuplicates();
            return {form, found};
        }
    }
    return {};
}

QStringList Dictionary::senses(const QString &article, int maxLength)
{
    QStringList lines = article.split(u'\n');
    for (QString &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.front().trimmed().isEmpty())
        lines.removeFirst();
    // The first line names the headword (with its pronunciation and part of speech) when
    // more follows.
    bool more = false;
    for (qsizetype i = 1; i < lines.size() && !more; ++i)
        more = !lines[i].trimmed().isEmpty();
    if (more)
        lines.removeFirst();

    QStringList senses;
    bool numbered = false;
    for (const QString &line : std::as_const(lines))
        numbered = numbered || senseStart().match(line).hasMatch();
    QString current;
    bool open = false;
    const auto close = [&] {
        if (open) {
            const QString sense = oneLine(current, maxLength);
            if (!sense.isEmpty())
                senses << sense;
        }
        current.clear();
        open = false;
    };
    for (const QString &line : std::as_const(lines)) {
        if (numbered) {
            const QRegularExpressionMatch match = senseStart().match(line);
            if (match.hasMatch()) {
                close();
                current = line.mid(match.capturedEnd());
                open = true;
            } else if (open) {
                current += u' ' + line;
            }
        } else if (line.trimmed().isEmpty()) {
            close();
        } else {
            current += (open ? QStringLiteral(" ") : QString()) + line;
            open = true;
        }
    }
    close();
    return senses;
}

} // namespace lexifind
