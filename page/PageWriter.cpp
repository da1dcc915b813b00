#include "page/PageWriter.h"

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/SaveFile.h"
#include "page/ClassicPage.h"
#include "page/ModernPage.h"
#include "page/PageSettings.h"
#include "page/WordDivision.h"

namespace lexifind {

QByteArray BuildPage(const ExerciseDocument &document, PageSettings &settings,
                     const QString &addOnScript, const DivisionCheck &check)
{
    QByteArray page;
    page.reserve(document.text().size() * 6 + 8192);
    ByteArraySink sink(page);
    WritePageTo(sink, document, settings, addOnScript, check);
    return page;
}

void WritePageTo(PageSink &sink, const ExerciseDocument &document, PageSettings &settings,
                 const QString &addOnScript, const DivisionCheck &check)
{
    settings.FillDefaults();
    // With no entry the script's arrays could not be closed, and the page would
    // offer nothing to find.
    if (document.words().isEmpty())
        throw Error(QStringLiteral("La liste de mots est vide : ajoutez au moins un mot "
                                   "avant d'enregistrer la page HTML"));
    const bool modern = settings.IsModernStyle();
    if (const QString style = settings.PageStyle.trimmed();
        !modern && !style.isEmpty() && style.compare(u"classique", Qt::CaseInsensitive) != 0)
        throw Error(QStringLiteral("Style de page inconnu « %1 » : choisissez « classique » "
                                   "ou « moderne »").arg(settings.PageStyle));
    const Division division = DivideIntoWords(document.text(), document.words(), settings.TextLanguage);
    if (check && !check(division))
        return;
    if (modern)
        sink.write(BuildModernPage(document, division, settings, addOnScript));
    else
        WriteClassicPage(sink, document, division, settings);
}

QString WritePage(const QString &path, const QByteArray &page)
{
    const QString written = path + QStringLiteral(".htm");
    saveBytes(written, page, QStringLiteral("Impossible de créer le fichier %1"));
    return written;
}

} // namespace lexifind
