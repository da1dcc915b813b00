#pragma once

#include <QByteArray>
#include <QString>

namespace lexifind {

class ExerciseDocument;

// The ".lxf" project file: N, M, the N text lines, the M words, the M definitions.
namespace ProjectFile {

// CR LF after every line; windows-1252, or UTF-8 with its mark (TextCodec). A line break
// inside a word or definition is written as a blank: the format has one line per value.
QByteArray toBytes(const ExerciseDocument &document);
// Replaces the document by the file's content (ClearDocument first). Throws
// lexifind::Error("'%s' n'est pas une valeur entière correcte") for a count that does
// not convert, with the document filled as far as it got. A count that announces far
// more lines than the file holds throws "Le fichier ... annonce N lignes mais n'en
// contient que R." and leaves the document empty (the allowance is in ProjectFile.cpp);
// fileName, when given, follows "Le fichier" in that message.
void fromBytes(ExerciseDocument &document, const QByteArray &bytes,
               const QString &fileName = QString());

// The whole-number rule of the counts: leading blanks, an optional sign, then decimal
// digits, or hexadecimal digits after "$", "x" or "0x" (any case); nothing after them.
// Decimal values must fit in 32 bits signed, hexadecimal ones in 32 bits (wrapping,
// so "$FFFFFFFF" is -1). Returns false, leaving value alone, when the text does not convert.
bool toWholeNumber(const QString &text, int &value);

// Atomic save; throws lexifind::Error with the platform's I/O message.
void save(const ExerciseDocument &document, const QString &path);
// ClearDocument, then read; a file that cannot be opened leaves the document empty
// without any message.
void load(ExerciseDocument &document, const QString &path);

} // namespace ProjectFile
} // namespace lexifind
