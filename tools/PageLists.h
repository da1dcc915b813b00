#pragma once

#include <QString>
#include <QStringList>

namespace lexifind {

class ExerciseDocument;
struct PageSettings;

// lexifind-page's word-list options: lists added to the project before the page is
// written, the empty definitions filled from a dictd dictionary, the list written out.
namespace pagelists {

struct Request
{
    QStringList addLists;    // --add-list LIST, in order
    QString exportList;      // --export-list FILE
    QString dictionary;      // --dictionary NAME|PATH
    bool fillDefinitions = false; // --fill-definitions
};

enum class Parsed { NotMine, Taken, MissingValue };
// Takes args[i] (and its value, advancing i) when it is one of the options above.
Parsed parseOption(const QStringList &args, qsizetype &i, Request &request);
// The options' lines of the usage text.
QString usage();

// Before anything is written: the lists added (the import's rules), the dictionary
// stored in the settings and the empty definitions filled. Each step reports on
// standard error; a failure throws lexifind::Error with the French message.
void apply(const Request &request, ExerciseDocument &document, PageSettings &settings);
// The list written to --export-list, if given.
void exportList(const Request &request, const ExerciseDocument &document);

} // namespace pagelists
} // namespace lexifind
