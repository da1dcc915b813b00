#pragma once

#include "document/ExerciseDocument.h"
#include "page/PageSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lexifind {

// The ".lxf" project file: N, M, the N text lines, the M words, the M definitions, then
// the lesson's page options.
//
// The options block. Readers of the format ignore every line after the definitions, so
// the options go there, and a program that does not know them opens the lesson as
// before. It is written only when an option differs from its start value (empty, or the
// page's own default, which the page uses for an empty option): a lesson without options
// keeps the old format byte for byte. It is a marker line, then one line per option:
//
//     [Lexifind options 1]
//     PageTitle=Leçon 3
//     RightMessage=Bravo !\nContinuez.
//
// NAME is the option's name in PageSettings; VALUE is everything after the first "=",
// where "\\" stands for a backslash, "\n" LF, "\r" CR, "\t" a tab and "\uXXXX" (four
// hexadecimal digits) for any other control character, a lone surrogate or a blank that
// ends the value (an editor may strip it). Any other character is itself: the file's
// encoding (windows-1252, else UTF-8 with its mark) carries every script. "1" is the
// version of this syntax; a new option needs no new version, since a name this program
// does not know is kept and written back. Empty lines in the block are ignored.
namespace ProjectFile {

// The marker line that opens the options block.
extern const QString OptionsMarker;

// What one project file holds.
struct Project
{
    ExerciseDocument document;
    // Start values, then what the file's options block says.
    PageSettings settings;
    // French sentences, each ending with a full stop: a file shorter than its counts
    // announce, an option that could not be read back (left at its start value).
    QStringList warnings;
};

// The project in bytes. Throws lexifind::Error with a French message that names
// fileName and says what is wrong, for what is no project: a count that is not a whole
// number, a binary file, counts far beyond the lines the file holds. Nothing else is
// touched: the caller puts the lesson in place once this returns.
Project read(const QByteArray &bytes, const QString &fileName);
// The same from a file; one that is missing or cannot be read throws
// lexifind::Error("Impossible d'ouvrir le fichier <path> : <why>").
Project load(const QString &path);

// CR LF after every line; windows-1252, or UTF-8 with its mark (TextCodec). A line break
// inside a word or definition is written as a blank: the format has one line per value.
// The options block only for options that differ from their start values.
QByteArray toBytes(const ExerciseDocument &document, const PageSettings &settings = {});
// Atomic save; throws lexifind::Error with the platform's I/O message.
void save(const ExerciseDocument &document, const PageSettings &settings, const QString &path);

// The whole-number rule of the counts: leading blanks, an optional sign, then decimal
// digits, or hexadecimal digits after "$", "x" or "0x" (any case); nothing after them.
// Decimal values must fit in 32 bits signed, hexadecimal ones in 32 bits (wrapping,
// so "$FFFFFFFF" is -1). Returns false, leaving value alone, when the text does not convert.
bool toWholeNumber(const QString &text, int &value);

// The document alone, read into a document in hand, for callers that keep what a damaged
// file gave so far: ClearDocument first, the options block ignored. Throws
// lexifind::Error("'%s' n'est pas une valeur entière correcte") for a count that does
// not convert, with the document filled as far as it got. A count that announces far
// more lines than the file holds throws "Le fichier ... annonce N lignes mais n'en
// contient que R." and leaves the document empty; fileName, when given, follows
// "Le fichier" in that message.
void fromBytes(ExerciseDocument &document, const QByteArray &bytes,
               const QString &fileName = QString());
// The document alone, with the options of the file left out: for the window until it
// keeps the options. ClearDocument, then read; a file that cannot be opened leaves the
// document empty without any message.
void load(ExerciseDocument &document, const QString &path);
void save(const ExerciseDocument &document, const QString &path);

} // namespace ProjectFile
} // namespace lexifind
