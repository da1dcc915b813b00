#pragma once

#include <QByteArray>
#include <QString>

namespace lexifind {

// Writes bytes to path atomically (QSaveFile): on any failure the earlier file stays
// as it was, and lexifind::Error is thrown with failureFormat's %1 replaced by the path
// when the file cannot be created, or the platform's I/O message otherwise.
// failureFormat is e.g. "Impossible de créer le fichier %1".
void saveBytes(const QString &path, const QByteArray &bytes, const QString &failureFormat);

} // namespace lexifind
