#pragma once

#include "page/PageWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace lexifind {

class ExerciseDocument;
struct PageSettings;

// The SCORM editions a package can be written for: 1.2, which every learning platform
// takes, and 2004 4th edition.
enum class ScormEdition { Scorm12, Scorm2004 };

struct PackageFile
{
    QString name; // path inside the package
    QByteArray bytes;
};

// The files of the package: imsmanifest.xml, then the launch page index.html, the
// modern page (whatever style the settings ask for) with the script that reports to the
// platform. Fills in the defaults of settings as BuildPage does (the style asked for is
// left as it was). Throws lexifind::Error as BuildPage does, and for a mastery score
// that is no whole number from 0 to 100. check, when given, sees the page's division
// first; when it refuses, there are no files.
QList<PackageFile> ScormFiles(const ExerciseDocument &document, PageSettings &settings,
                              ScormEdition edition, const DivisionCheck &check = {});

// Those files as the bytes of a zip archive, empty when check refuses. Throws
// lexifind::Error as ScormFiles does.
QByteArray BuildScormPackage(const ExerciseDocument &document, PageSettings &settings,
                             ScormEdition edition, const DivisionCheck &check = {});

// Writes the package to path exactly, atomically. Throws
// lexifind::Error("Impossible de créer le fichier <path>").
void WriteScormPackage(const QString &path, const QByteArray &package);

} // namespace lexifind
