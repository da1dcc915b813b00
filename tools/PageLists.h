#pragma once

#include "document/WordList.h"

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace lexifind {

class ExerciseDocument;
struct PageSettings;

// lexifind-page's word-list options: lists added to the project before the page is
// written, the empty definitions filled from a dictd dictionary, the list written out.
namespace pagelists {

struct Request
{
    QStringList addLists;    // --add-list LIST, in order
    wordlist::Separator separator = wordlist::Separator::Automatic; // --list-separator
    QString exportList;      // --export-list FILE
    QString dictionary;      // --dictionary NAME|PATH
    bool fillDefinitions = false; // --fill-definitions
};

// A value an option does not take: reported as lexifind-page's other usage errors.
struct UsageError
{
    QString message;
};

// The five options, for lexifind-page's parser.
struct Options
{
    Options();
    void addTo(QCommandLineParser &parser) const;
    // Throws UsageError for a separator it does not know.
    Request read(const QCommandLineParser &parser) const;

    QCommandLineOption addList, listSeparator, exportList, dictionary, fillDefinitions;
};

// Before anything is written: the lists added (the import's rules), the dictionary
// stored in the settings and the empty definitions filled. Each step reports on
// standard error; a failure throws lexifind::Error with the French message.
void apply(const Request &request, ExerciseDocument &document, PageSettings &settings);
// The list written to --export-list, if given.
void exportList(const Request &request, const ExerciseDocument &document);

} // namespace pagelists
} // namespace lexifind
