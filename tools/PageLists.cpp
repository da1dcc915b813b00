#include "tools/PageLists.h"

#include "document/Dictionary.h"
#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/WordList.h"
#include "page/PageSettings.h"

#include <cstdio>

namespace lexifind::pagelists {
namespace {

void report(const QString &text)
{
    for (const QString &line : text.split(u'\n'))
        std::fputs((QStringLiteral("lexifind-page : ") + line + u'\n').toLocal8Bit().constData(), stderr);
}

} // namespace

Parsed parseOption(const QStringList &args, qsizetype &i, Request &request)
{
    const QString &arg = args[i];
    if (arg == u"--fill-definitions") {
        request.fillDefinitions = true;
        return Parsed::Taken;
    }
    for (const char *name : {"--add-list", "--export-list", "--dictionary"}) {
        const QString option = QString::fromLatin1(name);
        QString value;
        if (arg == option) {
            if (++i >= args.size())
                return Parsed::MissingValue;
            value = args[i];
        } else if (arg.startsWith(option + u'=')) {
            value = arg.mid(option.size() + 1);
        } else {
            continue;
        }
        if (option == u"--add-list")
            request.addLists << value;
        else if (option == u"--export-list")
            request.exportList = value;
        else
            request.dictionary = value;
        return Parsed::Taken;
    }
    return Parsed::NotMine;
}

QString usage()
{
    return QStringLiteral(
        "--add-list LISTE : ajoute au projet les entrées d'une liste (mot, tabulation, point-virgule\n"
        "    ou virgule, définition), sans doublon ; le bilan sur la sortie d'erreur.\n"
        "--dictionary NOM|CHEMIN : le dictionnaire dictd (/usr/share/dictd) qui propose les définitions.\n"
        "--fill-definitions : remplit les définitions vides depuis ce dictionnaire.\n"
        "--export-list FICHIER : écrit la liste (tabulations ; virgules pour « .csv »). Avec\n"
        "    --export-list, PROJET.lxf et SORTIE peuvent manquer : la liste part alors de zéro.\n");
}

void apply(const Request &request, ExerciseDocument &document, PageSettings &settings)
{
    for (const QString &path : request.addLists) {
        const wordlist::Import import = wordlist::load(path, document.words());
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
