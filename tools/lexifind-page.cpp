// lexifind-page [options] PROJECT.lxf OUTPUT
// Writes the exercise page of a project file, as the main window's page writer does,
// or with --scorm the SCORM package that the window exports, and tells on standard
// error which entries the learner can never find. The project's own page options are
// used, --set overriding them.
//
// An option is a QCommandLineOption below and, when it acts, a few lines after the
// parse; its help is its description, and the man page is made from --help.

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/ProjectFile.h"
#include "document/SaveFile.h"
#include "page/Findability.h"
#include "page/PageJob.h"
#include "page/PageSettings.h"
#include "page/PageWriter.h"
#include "tools/PageLists.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetTool.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <cstdio>
#include <memory>
#include <new>

using namespace lexifind;

namespace {

// Exit codes.
constexpr int Written = 0, Failed = 1, BadArguments = 2, Refused = 3;

void print(FILE *to, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
}

void printError(const QString &message)
{
    print(stderr, QStringLiteral("lexifind-page : ") + ErrorBoxText(message) + u'\n');
}

// What --help says after the parser's own lines.
QString helpEnd()
{
    QString names;
    qsizetype lineLength = 0;
    for (const QString &name : PageSettings::OptionNames()) {
        if (lineLength > 0 && lineLength + name.size() + 2 > 78) {
            names += QStringLiteral(",\n  ");
            lineLength = 2;
        } else if (lineLength > 0) {
            names += QStringLiteral(", ");
            lineLength += 2;
        }
        names += name;
        lineLength += name.size();
    }
    return QStringLiteral("\nOptions de page (NOM de --set) :\n  ") + names
           + QStringLiteral(
               "\nPageStyle : « classique » (par défaut) ou « moderne » (téléphones, clavier,\n"
               "lecteurs d'écran).\n"
               "AutoNext, Pronounce : « non » (par défaut) ou « oui » ; QuestionOrder : « texte »\n"
               "(par défaut) ou « hasard » ; ShowAnswerAfter : les essais manqués avant que la\n"
               "page moderne montre le mot (3 ; 0 : jamais).\n"
               "Les options de page enregistrées dans le projet sont reprises ; --set les\n"
               "remplace. Les autres prennent leur valeur par défaut.\n"
               "\nCodes de sortie :\n"
               "  0  la page ou le paquet est écrit\n"
               "  1  échec : le message est écrit sur la sortie d'erreur, aucun fichier n'est\n"
               "     écrit\n"
               "  2  arguments incorrects\n"
               "  3  avec --strict, un mot est introuvable : rien n'est écrit\n"
               "\nExemples :\n"
               "  lexifind-page --set \"PageTitle=Leçon 3\" lecon.lxf lecon-3\n"
               "  lexifind-page --scorm=2004 lecon.lxf lecon-3\n"
               "  lexifind-page lecon.lxf - > lecon.htm\n"
               "  lexifind-page --worksheet fiche lecon.lxf\n");
}

// One kind for the parser's errors and the list options' own.
using pagelists::UsageError;

class StandardOutput : public PageSink
{
public:
    void write(QByteArrayView bytes) override
    {
        if (std::fwrite(bytes.data(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()))
            fail();
    }
    void finish()
    {
        if (std::fflush(stdout) != 0)
            fail();
    }

private:
    [[noreturn]] static void fail()
    {
        throw Error(QStringLiteral("Impossible d'écrire la page sur la sortie standard"));
    }
};

// The page file, created at the first byte (so that a page refused before it leaves no
// file) and put in place whole by commit().
class FileOutput : public PageSink
{
public:
    explicit FileOutput(const QString &path) : m_path(path) {}
    void write(QByteArrayView bytes) override
    {
        open();
        m_file->write(bytes);
    }
    void commit()
    {
        open();
        m_file->commit();
    }

private:
    void open()
    {
        if (!m_file)
            m_file = std::make_unique<SaveStream>(m_path, QStringLiteral("Impossible de créer le fichier %1"));
    }


    QString m_path;
    std::unique_ptr<SaveStream> m_file;
};

} // namespace

int main(int argc, char *argv[])
{
    const auto app = CreateToolApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lexifind-page"));
    // The parser's own words (usage, errors) in French, as the program's.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkitTexts);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Écrit la page d'exercice du projet PROJET.lxf dans SORTIE, « .htm » ajouté quand\n"
        "SORTIE ne finit pas par .htm ou .html, comme la commande « &HTML » de Lexifind.\n"
        "Chaque mot que l'élève ne peut pas trouver dans la page est signalé sur la sortie\n"
        "d'erreur."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide et se termine."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Affiche la version de Lexifind et se termine."));
    const QCommandLineOption scorm(
        QStringLiteral("scorm"),
        QStringLiteral("Écrit le paquet SCORM (page moderne et manifeste) dans SORTIE, « .zip » "
                       "ajouté au besoin. ÉDITION : 1.2 (--scorm seul) ou 2004."),
        QStringLiteral("ÉDITION"));
    const QCommandLineOption set(
        QStringLiteral("set"),
        QStringLiteral("Donne VALEUR à l'option de page NOM (voir plus bas), à la place de celle du "
                       "projet. Peut être répété."),
        QStringLiteral("NOM=VALEUR"));
    const QCommandLineOption strict(
        QStringLiteral("strict"),
        QStringLiteral("N'écrit rien, avec le code de sortie 3, quand un mot est introuvable."));
    const QCommandLineOption worksheet(
        QStringLiteral("worksheet"),
        QStringLiteral("Écrit aussi la fiche à imprimer et son corrigé dans FICHE.pdf, « .pdf » "
                       "ajouté au besoin ; sans SORTIE, la fiche seule."),
        QStringLiteral("FICHE.pdf"));
    parser.addOptions({scorm, set, strict, worksheet, help, version});
    const pagelists::Options listOptions;
    listOptions.addTo(parser);
    parser.addPositionalArgument(QStringLiteral("PROJET.lxf"), QStringLiteral("Le projet Lexifind."));
    parser.addPositionalArgument(
        QStringLiteral("SORTIE"),
        QStringLiteral("Le fichier à écrire ; « - » : la sortie standard."));

    // "--scorm" alone asks for SCORM 1.2: the parser takes no option with an optional value.
    QStringList arguments = QCoreApplication::arguments();
    for (QString &argument : arguments)
        if (argument == u"--scorm")
            argument = QStringLiteral("--scorm=1.2");

    try {
        if (!parser.parse(arguments))
            throw UsageError{parser.errorText()};
        if (parser.isSet(help)) {
            // The program's name, not the path it was started by.
            QString text = parser.helpText();
            const qsizetype line = text.indexOf(u'\n');
            const qsizetype path = text.lastIndexOf(QCoreApplication::arguments().constFirst(), line);
            if (path >= 0)
                text.replace(path, QCoreApplication::arguments().constFirst().size(),
                             QStringLiteral("lexifind-page"));
            print(stdout, text + helpEnd());
            return Written;
        }
        if (parser.isSet(version)) {
            std::fputs("Lexifind " LEXIFIND_VERSION "\n", stdout);
            return Written;
        }
        const QStringList positional = parser.positionalArguments();
        const pagelists::Request lists = listOptions.read(parser);
        // A list alone can be filled and written out, without a project or a page.
        if (positional.isEmpty() && !lists.exportList.isEmpty()) {
            ExerciseDocument document;
            PageSettings settings;
            pagelists::apply(lists, document, settings);
            pagelists::exportList(lists, document);
            return Written;
        }
        if (positional.size() != 2 && !(positional.size() == 1 && parser.isSet(worksheet)))
            throw UsageError{QStringLiteral("il faut un fichier projet et une sortie")};
        const QString projectPath = positional[0];
        const QString output = positional.value(1);

        PageJobRequest request;
        request.refuseUnfindable = parser.isSet(strict);
        if (parser.isSet(scorm)) {
            const QString edition = parser.value(scorm);
            if (edition == u"1.2")
                request.product = PageProduct::Scorm12;
            else if (edition == u"2004")
                request.product = PageProduct::Scorm2004;
            else
                throw UsageError{QStringLiteral("édition SCORM inconnue « %1 » : 1.2 ou 2004").arg(edition)};
        }
        // Checked before the project is read: a mistyped name is a usage error.
        QList<std::pair<QString, QString>> overrides;
        for (const QString &assignment : parser.values(set)) {
            const qsizetype equals = assignment.indexOf(u'=');
            if (equals < 0)
                throw UsageError{QStringLiteral("--set demande NOM=VALEUR, reçu « %1 »").arg(assignment)};
            const QString name = assignment.left(equals);
            if (!request.settings.option(name))
                throw UsageError{QStringLiteral("option de page inconnue « %1 »").arg(name)};
            overrides.append({name, assignment.mid(equals + 1)});
        }

        // Unlike the window, a project that cannot be read here is an error: a page of
        // an empty document would hide a mistyped name.
        ProjectFile::Project project = ProjectFile::load(projectPath);
        for (const QString &warning : project.warnings)
            print(stderr, QStringLiteral("lexifind-page : ") + warning + u'\n');
        request.document = std::move(project.document);
        request.settings = std::move(project.settings);
        for (const auto &[name, value] : overrides)
            *request.settings.option(name) = value;
        pagelists::apply(lists, request.document, request.settings);
        // A value the modern page cannot take (a colour that is none) is said, and the page
        // keeps its own; the classic page writes what it is given.
        if (request.product != PageProduct::Page || request.settings.IsModernStyle())
            for (const QString &name : PageSettings::OptionNames())
                if (const QString problem = PageSettings::ValueProblem(name, *request.settings.option(name));
                    !problem.isEmpty() && name != u"MasteryScore")
                    print(stderr, QStringLiteral("lexifind-page : l'option %1 vaut « %2 », qui %3 : la page "
                                                 "moderne garde sa propre valeur.\n")
                                          .arg(name, *request.settings.option(name), problem));
        // The list goes out only once the page is written: a refused page writes neither.
        const ExerciseDocument listed = lists.exportList.isEmpty() ? ExerciseDocument() : request.document;

        // Made before the page and saved after it: a failure of either leaves no file.
        const Worksheet sheet = parser.isSet(worksheet)
                ? Worksheet(parser.value(worksheet), request.document, request.settings) : Worksheet();
        if (output.isEmpty()) {
            for (const UnfindableEntry &entry : sheet.unfindable())
                print(stderr, QStringLiteral("lexifind-page : ") + UnfindableLine(entry) + u'\n');
            if (parser.isSet(strict) && !sheet.unfindable().empty())
                return Refused;
            sheet.save();
            pagelists::exportList(lists, listed);
            return Written;
        }

        // The page goes out as it is made, never whole in memory; a file is created at
        // its first byte and put in place only when the job has succeeded.
        const bool toStandardOutput = output == u"-";
        std::unique_ptr<PageSink> sink;
        FileOutput *file = nullptr;
        if (toStandardOutput) {
            sink = std::make_unique<StandardOutput>();
        } else {
            const bool package = request.product != PageProduct::Page;
            auto fileOutput = std::make_unique<FileOutput>(
                WithExtension(output, package ? QStringLiteral("zip") : QStringLiteral("htm")));
            file = fileOutput.get();
            sink = std::move(fileOutput);
        }
        PageJobControl control;
        control.sink = sink.get();
        const PageJobResult result = RunPageJob(std::move(request), control);
        if (!result.error.isEmpty())
            throw Error(result.error);
        if (result.succeeded()) {
            if (file)
                file->commit();
            else
                static_cast<StandardOutput *>(sink.get())->finish();
            sheet.save();
            pagelists::exportList(lists, listed);
        }
        for (const UnfindableEntry &entry : result.unfindable)
            print(stderr, QStringLiteral("lexifind-page : ") + UnfindableLine(entry) + u'\n');
        return result.refused ? Refused : Written;
    } catch (const UsageError &e) {
        printError(e.message);
        print(stderr, QStringLiteral("« lexifind-page --help » en dit plus.\n"));
        return BadArguments;
    } catch (const Error &e) {
        printError(e.message());
        return Failed;
    } catch (const std::bad_alloc &) {
        // The page is saved atomically: an unfinished one never replaces a file.
        printError(QStringLiteral("Mémoire insuffisante"));
        return Failed;
    }
}
