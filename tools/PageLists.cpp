#include "tools/PageLists.h"

#include "document/Dictionary.h"
#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/WordList.h"
#include "page/PageSettings.h"

#include <QCommandLineParser>

#include <cstdio>

namespace lexifind::pagelists {
namespace {

void report(const QString &text)
{
    for (const QString &line : text.split(u'\n'))
        std::fputs((QStringLiteral("lexifind-page : ") + line + u'\n').toLocal8Bit().constData(), stderr);
}

wordlist::Separator separatorNamed(const QString &value)
{
    const QString name = value.trimmed().toLower();
    if (name == u"auto" || name.isEmpty())
        return wordlist::Separator::Automatic;
    if (name == u"tab" || value == u"\t")
        return wordlist::Separator::Tab;
    if (name == u"semicolon" || name == u";")
        return wordlist::Separator::Semicolon;
    if (name == u"comma" || name == u",")
        return wordlist::Separator::Comma;
    throw UsageError{QStringLiteral("séparateur inconnu « %1 » : tab, semicolon (;), comma (,) ou auto")
                         .arg(value)};
}

} // namespace

Options::Options()
    : addList(QStringLiteral("add-list"),
              QStringLiteral("Ajoute au projet les entrées de LISTE (mot, tabulation, point-virgule ou "
                             "virgule, définition), sans doublon ; le bilan sur la sortie d'erreur. "
                             "Peut être répété."),
              QStringLiteral("LISTE")),
      listSeparator(QStringLiteral("list-separator"),
                    QStringLiteral("Le séparateur des listes de --add-list : tab, semicolon (ou « ; »), "
                                   "comma (ou « , »), ou auto (celui de la ligne « #separator: », sinon "
                                   "celui qui sépare le plus de lignes en deux ; par défaut)."),
                    QStringLiteral("SÉPARATEUR")),
      exportList(QStringLiteral("export-list"),
                 QStringLiteral("Écrit la liste dans FICHIER (tabulations ; virgules pour « .csv »). "
                                "PROJET.lxf et SORTIE peuvent alors manquer : la liste part de zéro."),
                 QStringLiteral("FICHIER")),
      dictionary(QStringLiteral("dictionary"),
                 QStringLiteral("Le dictionnaire dictd (/usr/share/dictd) qui propose les définitions."),
                 QStringLiteral("NOM|CHEMIN")),
      fillDefinitions(QStringLiteral("fill-definitions"),
                      QStringLiteral("Remplit les définitions vides depuis ce dictionnaire."))
{
}

void Options::addTo(QCommandLineParser &parser) const
{
    parser.addOptions({addList, listSeparator, dictionary, fillDefinitions, exportList});
}

Request Options::read(const QCommandLineParser &parser) const
{
    Request request;
    request.addLists = parser.values(addList);
    request.separator = separatorNamed(parser.value(listSeparator));
    request.exportList = parser.value(exportList);
    request.dictionary = parser.value(dictionary);
    request.fillDefinitions = parser.isSet(fillDefinitions);
    return request;
}

void apply(const Request &request, ExerciseDocument &document, PageSettings &settings)
{
    for (const QString &path : request.addLists) {
        const wordlist::Import import = wordlist::load(path, document.words(), request.separator);
        for (qsizetype i = 0; i < import.words.size(); ++i)
            document.AddEntry(import.words[i], import.definitions[i]);
        report(path + QStringLiteral(" : ") + wordlist::summary(import));
    }
    if (!request.dictionary.isEmpty())
        settings.Dictionary = request.dictionary;
    if (!request.fillDefinitions)
        return;
    if (settings.Dictionary.trimmed().isEmpty())
        throw Error(Dictionary::installed().empty()
                        ? Dictionary::installAdvice()
                        : QStringLiteral("--fill-definitions demande un dictionnaire : --dictionary NOM"));
    Dictionary dictionary(Dictionary::locate(settings.Dictionary));
    int filled = 0;
    QStringList absent;
    for (int i = 0; i < document.entryCount(); ++i) {
        if (!document.definitions().at(i).trimmed().isEmpty())
            continue;
        const QString word = document.words().at(i);
        const DictionaryLookup found = dictionary.lookup(word);
        if (found.senses.isEmpty())
            absent << word;
        else if (document.ReplaceEntry(i, word, ExerciseDocument::CleanDefinition(found.senses.front())))
            ++filled;
    }
    QString text = QStringLiteral("%1 définition(s) proposée(s) par %2")
                       .arg(filled).arg(dictionary.files().name);
    if (!absent.isEmpty())
        text += QStringLiteral(" ; absent(s) du dictionnaire : ") + absent.join(QStringLiteral(", "));
    report(text);
}

void exportList(const Request &request, const ExerciseDocument &document)
{
    if (!request.exportList.isEmpty())
        wordlist::save(request.exportList, document.words(), document.definitions());
}

} // namespace lexifind::pagelists
