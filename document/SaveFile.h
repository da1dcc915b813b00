#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

class QSaveFile;

namespace lexifind {

// Writes bytes to path atomically (QSaveFile): on any failure the earlier file stays
// as it was, and lexifind::Error is thrown with failureFormat's %1 replaced by the path
// when the file cannot be created, or the platform's I/O message otherwise.
// failureFormat is e.g. "Impossible de créer le fichier %1"; an empty one reports the
// I/O message for a file that cannot be created too (the project file does so).
void saveBytes(const QString &path, const QByteArray &bytes, const QString &failureFormat);

// A file written piece by piece, put in place atomically by commit(): until then, and
// when anything fails, an earlier file stays as it was. Failures as saveBytes says.
class SaveStream
{
public:
    SaveStream(const QString &path, const QString &failureFormat);
    ~SaveStream();
    SaveStream(const SaveStream &) = delete;
    SaveStream &operator=(const SaveStream &) = delete;
    void write(QByteArrayView bytes);
    void commit();

private:
    std::unique_ptr<QSaveFile> m_file;
};

// The whole file. Throws lexifind::Error("Impossible d'ouvrir le fichier <path> : <why>")
// when it is missing, a folder, or cannot be read.
QByteArray readBytes(const QString &path);

// path + "." + extension, unless path already ends with that extension (case ignored);
// for "htm", a path ending in ".html" counts as ending with it. So a name chosen as
// "notes.txt" or "essai.HTML" is written as chosen, "lecon" gets its extension.
QString WithExtension(const QString &path, const QString &extension);

// The teacher's message for a system error number (errno): "Fichier introuvable",
// "Nom de fichier incorrect", "Trop de fichiers ouverts", "Accès au fichier refusé",
// "Disque plein", or "Erreur E/S <number>".
QString ioErrorMessage(int errorNumber);

} // namespace lexifind
