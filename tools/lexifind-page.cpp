// lexifind-page [--scorm[=2004]] [--set NAME=VALUE]... [--strict] PROJECT.lxf OUTPUT
// Writes the exercise page of a project file, as the main window's page writer does,
// or with --scorm the SCORM package that the window exports, and tells on standard
// error which entries the learner can never find.

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/ProjectFile.h"
#include "document/SaveFile.h"
#include "page/Findability.h"
#include "page/PageSettings.h"
#include "page/PageWriter.h"
#include "page/ScormPackage.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <new>
#include <optional>

using namespace lexifind;

namespace {

void printUsage(FILE *to)
{
    QString usage = QStringLiteral(
        "Usage : lexifind-page [--scorm[=2004]] [--set NOM=VALEUR]... [--strict] PROJET.lxf SORTIE\n"
        "        lexifind-page --help | --version\n"
        "Écrit la page d'exercice du projet dans SORTIE.htm (SORTIE « - » : sortie standard).\n"
        "Avec --scorm, écrit le paquet SCORM 1.2 dans SORTIE.zip ; --scorm=2004 : SCORM 2004.\n"
        "Chaque mot introuvable dans la page est signalé ; avec --strict, aucune page n'est\n"
        "écrite s'il y en a un, et le code de sortie est 3.\n"
        "Les options non données prennent leur valeur par défaut. NOM est l'une de :\n");
    usage += QStringLiteral("  ") + PageSettings::OptionNames().join(QStringLiteral("\n  "))
            + QStringLiteral("\n"
                             "PageStyle : « classique » (par défaut) ou « moderne » (téléphones, clavier, "
                             "lecteurs d'écran).\n");
    std::fputs(usage.toLocal8Bit().constData(), to);
}

void printError(const QString &message)
{
    std::fputs((QStringLiteral("lexifind-page : ") + ErrorBoxText(message) + u'\n')
                   .toLocal8Bit().constData(),
               stderr);
}

struct UsageError
{
    QString message;
};

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
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);

    try {
        PageSettings settings;
        QStringList positional;
        std::optional<ScormEdition> scorm;
        bool strict = false;
        for (qsizetype i = 0; i < args.size(); ++i) {
            const QString &arg = args[i];
            if (arg == u"--help" || arg == u"-h") {
                printUsage(stdout);
                return 0;
            }
            if (arg == u"--version") {
                std::fputs("Lexifind " LEXIFIND_VERSION "\n", stdout);
                return 0;
            }
            if (arg == u"--scorm" || arg == u"--scorm=1.2") {
                scorm = ScormEdition::Scorm12;
                continue;
            }
            if (arg == u"--scorm=2004") {
                scorm = ScormEdition::Scorm2004;
                continue;
            }
            if (arg == u"--set" || arg.startsWith(u"--set=")) {
                QString assignment;
                if (arg == u"--set") {
                    if (++i >= args.size())
                        throw UsageError{QStringLiteral("--set demande NOM=VALEUR")};
                    assignment = args[i];
                } else {
                    assignment = arg.mid(6);
                }
                const qsizetype equals = assignment.indexOf(u'=');
                if (equals < 0)
                    throw UsageError{QStringLiteral("--set demande NOM=VALEUR, reçu « %1 »").arg(assignment)};
                const QString name = assignment.left(equals);
                QString *option = settings.option(name);
                if (!option)
                    throw UsageError{QStringLiteral("option de page inconnue « %1 »").arg(name)};
                *option = assignment.mid(equals + 1);
            } else if (arg == u"--strict") {
                strict = true;
            } else if (arg.startsWith(u"--")) {
                throw UsageError{QStringLiteral("argument inconnu « %1 »").arg(arg)};
            } else {
                positional << arg;
            }
        }
        if (positional.size() != 2)
            throw UsageError{QStringLiteral("il faut un fichier projet et une sortie")};

        const QString projectPath = positional[0];
        const QString output = positional[1];
        // Unlike the window, a project that cannot be read here is an error: a page of
        // an empty document would hide a mistyped name.
        ExerciseDocument document;
        ProjectFile::fromBytes(document, readBytes(projectPath), projectPath);
        std::vector<UnfindableEntry> unfindable;
        bool refused = false;
        // With --strict the entries are checked on the division that the page is written
        // from, before its first byte: a page with an entry that cannot be found is never
        // begun, so no file is created and standard output stays empty. Otherwise the
        // check runs beside the writing, on the same division.
        DivisionCheck check;
        DivisionReader alongside;
        if (strict)
            check = [&](const Division &division) {
                unfindable = FindUnfindableEntries(division, document.words());
                refused = !unfindable.empty();
                return !refused;
            };
        else
            alongside = [&](const Division &division) {
                unfindable = FindUnfindableEntries(division, document.words());
            };
        // The page goes out as it is made, never whole in memory.
        if (output == u"-" && !scorm) {
            StandardOutput sink;
            WritePageTo(sink, document, settings, {}, check, alongside);
            sink.finish();
        } else if (scorm) {
            // The package is made of a whole page, checked on its own division first.
            const QByteArray package = BuildScormPackage(document, settings, *scorm,
                                                         [&](const Division &division) {
                unfindable = FindUnfindableEntries(division, document.words());
                refused = strict && !unfindable.empty();
                return !refused;
            });
            if (!refused) {
                if (output == u"-") {
                    StandardOutput sink;
                    sink.write(package);
                    sink.finish();
                } else {
                    WriteScormPackage(output + QStringLiteral(".zip"), package);
                }
            }
        } else {
            FileOutput sink(output + QStringLiteral(".htm"));
            WritePageTo(sink, document, settings, {}, check, alongside);
            if (!refused)
                sink.commit();
        }
        for (const UnfindableEntry &entry : unfindable)
            std::fputs((QStringLiteral("lexifind-page : ") + UnfindableLine(entry) + u'\n')
                           .toLocal8Bit().constData(),
                       stderr);
        if (refused)
            return 3;
        return 0;
    } catch (const UsageError &e) {
        printError(e.message);
        printUsage(stderr);
        return 2;
    } catch (const Error &e) {
        printError(e.message());
        return 1;
    } catch (const std::bad_alloc &) {
        // The page is saved atomically: an unfinished one never replaces a file.
        printError(QStringLiteral("Mémoire insuffisante"));
        return 1;
    }
}
