#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// Word lists as teachers exchange them: one entry a line, the word and its definition
// separated by a tab, a semicolon or a comma, quoted as spreadsheets quote, optionally
// after header lines ("#separator:", "#columns:") as flash-card programs write them.
namespace lexifind::wordlist {

enum class Separator { Automatic, Tab, Semicolon, Comma };

// One row of the file: its first line (counted from 1), the two fields as read.
struct Row
{
    int line = 0;
    QString word;
    QString definition;
};

struct Parsed
{
    char16_t separator = u'\t';
    std::vector<Row> rows;
};

// Decodes the bytes as every file of the program (any encoding that TextCodec reads),
// skips the '#' header lines at the top, honouring "#separator:" and "#columns:", and a
// first row of column names ("mot", "définition", "term", "back"...). With Automatic,
// the separator of a header line, else the one that splits the most rows in two.
Parsed parse(const QByteArray &bytes, Separator separator = Separator::Automatic);

enum class SkipReason { EmptyWord, InList, RepeatedInFile };

struct Skipped
{
    int line = 0;
    QString word;
    SkipReason reason = SkipReason::EmptyWord;
};

// What an import adds and what it leaves out. The rows pass the rules of the add
// dialog: blanks trimmed, line breaks made blanks, CleanWord and CleanDefinition; a
// word already in the list, or earlier in the file, is not added twice.
struct Import
{
    QStringList words;
    QStringList definitions;
    std::vector<Skipped> skipped;
    char16_t separator = u'\t';
};

Import prepare(const Parsed &parsed, const QStringList &wordsInList);
// The bytes of the list at path; throws lexifind::Error naming it when it cannot be
// read or is no text (a spreadsheet's own file).
QByteArray read(const QString &path);
// The file at path; throws lexifind::Error naming it when it cannot be read.
Import load(const QString &path, const QStringList &wordsInList,
            Separator separator = Separator::Automatic);

// "tabulation", "point-virgule", "virgule"... as the teacher reads it.
QString separatorName(char16_t separator);

// The teacher's summary, in French: how many were added, and each row left out with
// its line and reason.
QString summary(const Import &import);

// UTF-8, one entry a line (CR LF), each field quoted only where it must be. A first entry
// that would read back as column names is preceded by a "#columns:" line.
QByteArray toBytes(const QStringList &words, const QStringList &definitions, char16_t separator);
// Comma for a ".csv" file, else tab.
char16_t separatorForPath(const QString &path);
// Written atomically; a ".csv" file starts with a UTF-8 mark, which spreadsheets need to
// read anything but ASCII. Throws lexifind::Error("Impossible de créer le fichier <path>").
void save(const QString &path, const QStringList &words, const QStringList &definitions);

} // namespace lexifind::wordlist
