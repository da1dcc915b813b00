#include "document/RecoveryCopy.h"

#include "document/SaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <atomic>

namespace lexifind {

namespace {

// A copy is "<owner>_<number>.lxf", its owner's lock "<owner>.lock".
const QString CopySuffix = QStringLiteral(".lxf");
const QString LockSuffix = QStringLiteral(".lock");

std::unique_ptr<QLockFile> lockOf(const QString &folder, const QString &owner)
{
    auto lock = std::make_unique<QLockFile>(folder + u'/' + owner + LockSuffix);
    // A lock is stale only when its program is gone, however long it was held.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

QString RecoveryCopy::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
           + QStringLiteral("/recuperation");
}

RecoveryCopy::RecoveryCopy(const QString &folder) : m_folder(folder)
{
    QDir().mkpath(m_folder);
    // Unique among running programs (process number) and over time (start time); the
    // counter tells apart several copies made by one process (tests).
    static std::atomic<int> made{0};
    m_owner = QStringLiteral("p%1t%2n%3")
                  .arg(QCoreApplication::applicationPid())
                  .arg(QDateTime::currentMSecsSinceEpoch())
                  .arg(made++);
    m_lock = lockOf(m_folder, m_owner);
    m_lock->tryLock(0);
}

RecoveryCopy::~RecoveryCopy() = default;

QString RecoveryCopy::currentPath() const
{
    return m_folder + u'/' + m_owner + u'_' + QString::number(m_index) + CopySuffix;
}

void RecoveryCopy::write(const QByteArray &bytes)
{
    saveBytes(currentPath(), bytes, QStringLiteral("Impossible de créer le fichier %1"));
}

void RecoveryCopy::remove()
{
    QFile::remove(currentPath());
}

void RecoveryCopy::keep()
{
    if (QFileInfo::exists(currentPath()))
        ++m_index;
}

bool RecoveryCopy::mayTake(const QString &owner)
{
    if (owner == m_owner || m_taken.count(owner))
        return true;
    auto lock = lockOf(m_folder, owner);
    if (!lock->tryLock(0))
        return false; // its program still runs
    m_taken.emplace(owner, std::move(lock));
    return true;
}

RecoveryCopy::Kept RecoveryCopy::newestKept()
{
    Kept newest;
    const QString current = QFileInfo(currentPath()).fileName();
    const QFileInfoList copies = QDir(m_folder).entryInfoList({u'*' + CopySuffix}, QDir::Files);
    for (const QFileInfo &copy : copies) {
        const QString name = copy.fileName();
        const qsizetype separator = name.lastIndexOf(u'_');
        if (separator <= 0 || name == current || !mayTake(name.left(separator)))
            continue;
        const QDateTime written = copy.lastModified();
        if (newest.path.isEmpty() || written > newest.written)
            newest = {copy.filePath(), written};
    }
    return newest;
}

} // namespace lexifind
