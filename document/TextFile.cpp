#include "document/TextFile.h"

#include "document/SaveFile.h"
#include "document/TextCodec.h"

namespace lexifind::TextFile {

namespace {

// Every CR LF, lone CR and lone LF becomes CR LF, in one pass.
QString normaliseLineBreaks(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        result.append(QStringView(text).sliced(start, i - start));
        result.append(QLatin1String("\r\n"));
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    result.append(QStringView(text).sliced(start));
    return result;
}

} // namespace

QString load(const QString &path)
{
    return normaliseLineBreaks(codec::decode(readBytes(path)));
}

void save(const QString &path, const QString &text)
{
    saveBytes(path, codec::encodeForFile(text), QStringLiteral("Impossible de créer le fichier %1"));
}

} // namespace lexifind::TextFile
