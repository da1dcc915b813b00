#pragma once

#include <QString>

namespace lexifind::TextFile {

// The whole file, every CR LF, lone CR and lone LF turned into CR LF.
// Throws lexifind::Error("Impossible d'ouvrir le fichier <path> : <why>").
QString load(const QString &path);
// Writes text as it stands, atomically, to exactly path (the caller appends ".txt").
// Throws lexifind::Error("Impossible de créer le fichier <path>").
void save(const QString &path, const QString &text);

} // namespace lexifind::TextFile
