#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <map>
#include <memory>

class QLockFile;

namespace lexifind {

// Copies of unsaved work (a project file's bytes) in one folder shared by every running
// program. Each program writes files of its own, named after it and guarded by its lock
// file, so two programs never write the same copy. A copy is "kept" when it is no
// longer the work on the screen: set aside by this program before a command replaced
// the work, or left by a program that no longer runs (closed, killed, or stopped by a
// power cut), whose lock any program can then take.
class RecoveryCopy
{
public:
    // "recuperation" in QStandardPaths::AppLocalDataLocation.
    static QString defaultFolder();

    explicit RecoveryCopy(const QString &folder = defaultFolder());
    // The copies stay for the next program to offer.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy &) = delete;
    RecoveryCopy &operator=(const RecoveryCopy &) = delete;

    // This program's current copy, written atomically. Throws lexifind::Error.
    void write(const QByteArray &bytes);
    void remove();
    // The current copy, if there is one, becomes a kept copy; the next write starts
    // another one.
    void keep();

    // The newest kept copy; an empty path when there is none.
    struct Kept
    {
        QString path;
        QDateTime written;
    };
    Kept newestKept();

    QString currentPath() const;
    const QString &folder() const { return m_folder; }

private:
    // Whether the copies of owner may be taken: this program's, or those of a program
    // that no longer holds its lock (the lock is then held here).
    bool mayTake(const QString &owner);

    QString m_folder;
    QString m_owner;
    int m_index = 0;
    std::unique_ptr<QLockFile> m_lock;
    std::map<QString, std::unique_ptr<QLockFile>> m_taken;
};

} // namespace lexifind
