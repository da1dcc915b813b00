#include "document/SaveFile.h"

#include "document/LexifindError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace lexifind {

QString ioErrorMessage(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("Fichier introuvable");
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return QStringLiteral("Nom de fichier incorrect");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Trop de fichiers ouverts");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("Accès au fichier refusé");
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("Disque plein");
    default:
        return QStringLiteral("Erreur E/S %1").arg(error);
    }
}

QString WithExtension(const QString &path, const QString &extension)
{
    const auto endsWith = [&](const QString &suffix) {
        return path.endsWith(u'.' + suffix, Qt::CaseInsensitive);
    };
    if (endsWith(extension)
        || (extension.compare(u"htm", Qt::CaseInsensitive) == 0 && endsWith(QStringLiteral("html"))))
        return path;
    return path + u'.' + extension;
}

namespace {

// The error number of a failed open, told apart from what can be seen of the path when
// the system's number was not kept (the save file makes and removes a temporary file).
int openErrorNumber(const QString &path, int savedErrno)
{
    const QFileInfo info(path);
    if (path.isEmpty() || info.fileName().isEmpty())
        return EINVAL;
    if (info.isDir())
        return EISDIR;
    const QFileInfo folder(info.absolutePath());
    // A save into a folder that does not exist is a wrong name, not a missing file.
    if (!folder.exists())
        return ENOTDIR;
    if (!folder.isDir())
        return ENOTDIR;
    if (savedErrno == ENOENT)
        return ENOTDIR;
    return savedErrno != 0 ? savedErrno : EACCES;
}

} // namespace

SaveStream::SaveStream(const QString &path, const QString &failureFormat)
    : m_file(std::make_unique<QSaveFile>(path))
{
    // The save replaces the file by renaming a new one over it, which a read-only file
    // would not stop: refuse it as writing into it would be refused.
    const QFileInfo target(path);
    const bool readOnly = target.exists() && !target.isDir() && !target.isWritable();
    errno = 0;
    if (readOnly || !m_file->open(QIODevice::WriteOnly)) {
        const int error = readOnly ? EACCES : openErrorNumber(path, errno);
        if (!failureFormat.isEmpty())
            throw Error(failureFormat.arg(path));
        throw Error(ioErrorMessage(error));
    }
}

// Without commit() the new file is dropped.
SaveStream::~SaveStream() = default;

void SaveStream::write(QByteArrayView bytes)
{
    errno = 0;
    if (m_file->write(bytes.data(), bytes.size()) != bytes.size()) {
        const int error = errno != 0 ? errno : EIO;
        m_file->cancelWriting();
        throw Error(ioErrorMessage(error));
    }
}

void SaveStream::commit()
{
    errno = 0;
    if (!m_file->flush()) {
        const int error = errno != 0 ? errno : EIO;
        m_file->cancelWriting();
        throw Error(ioErrorMessage(error));
    }
    errno = 0;
    if (!m_file->commit()) {
        // The earlier file is still there: the new content never replaced it.
        const int error = errno != 0 ? errno : EIO;
        throw Error(ioErrorMessage(error));
    }
}

void saveBytes(const QString &path, const QByteArray &bytes, const QString &failureFormat)
{
    SaveStream file(path, failureFormat);
    file.write(bytes);
    file.commit();
}

QByteArray readBytes(const QString &path)
{
    const QFileInfo info(path);
    const auto cannotOpen = [&](const QString &why) {
        return Error(QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, why));
    };
    if (!info.exists())
        throw cannotOpen(QStringLiteral("il n'existe pas"));
    if (info.isDir())
        throw cannotOpen(QStringLiteral("c'est un dossier"));
    const auto readFailed = [&] {
        return cannotOpen(info.isReadable() ? QStringLiteral("erreur de lecture")
                                            : QStringLiteral("accès refusé"));
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw readFailed();
    QByteArray bytes;
    if (const qint64 size = file.size(); size > 0 && !file.isSequential()) {
        bytes.resize(size);
        qint64 got = 0;
        for (qint64 n; got < size && (n = file.read(bytes.data() + got, size - got)) > 0;)
            got += n;
        bytes.resize(got);
    }
    // What a file gained since its size was taken, or a file without a size (a pipe).
    bytes += file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw readFailed();
    return bytes;
}

} // namespace lexifind
