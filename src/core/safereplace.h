#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

class QFile;
class QIODevice;

// Reading and replacing a file that others may edit at the same time: the editor's save
// and oadtool set go through here alike, so both meet the same lock and the same checks.
namespace DownloadFile {

struct FileStamp;

// What the file system tells of a file, to the nanosecond. A file replaced, rewritten or
// touched since shows here even when its size, time and content look the same as before.
struct FileStatus
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds since the epoch
    qint64 changed = 0;  // of the inode (ctime): no program can set it back
    quint64 links = 0;
    uint mode = 0; // permission and special bits
    uint owner = 0;
    uint group = 0;

    // Neither replaced nor written, nor changed in its attributes, since other was taken.
    bool Same_As(const FileStatus &other) const;
};

// The path with every symbolic link followed, also when the file it ends in does not exist
// (yet): the name that a save replaces and that the lock goes beside.
QString Resolved_Path(const QString &path);

// Opens a regular file for reading. Anything else (a folder, a FIFO, a device) is refused
// before it is opened, so this never blocks. False, and error says why, on failure.
bool Open_Regular(const QString &path, QFile *file, FileStatus *status, QString *error);

// A lock on a file for the time of an edit, beside the file that its path resolves to, so a
// symbolic link and the real path meet the same lock. Held by the kernel (flock) on
// FILE.lock: a lock whose holder died is free and taken over, whatever it holds. The lock
// file names its holder for the message of whoever waits, and goes when it is released.
class TFileLock
{
public:
    TFileLock() = default;
    TFileLock(const TFileLock &) = delete;
    TFileLock &operator=(const TFileLock &) = delete;
    ~TFileLock();

    // Waits up to wait_ms for a holder to let go. Refuses a path that names something other
    // than a regular file before any lock file is made. False, and error says why, when the
    // lock is not taken.
    bool Lock(const QString &path, int wait_ms, QString *error);
    void Unlock();

private:
    int d_handle = -1;
    QString d_lock_path;
};

enum class Replaced
{
    Yes,
    Changed, // the file is not the one expected, or changed during the write: left alone
    Failed,  // left alone too; error says why
};

struct Replacement
{
    QString path;
    QByteArray bytes;
    // The file as the caller read it; null: as this finds it. A file that is no longer the
    // same, nor holds the same bytes, is not replaced.
    const FileStamp *expected = nullptr;
    // Whether a file that the caller read and that is gone now is written again.
    bool recreate = true;
};

// Replaces the file that the path resolves to with the bytes, the caller holding its lock.
// The new copy is written and synced beside it, then renamed over it, but only if the file
// is still as it was found when the copy was begun: that is compared last, just before the
// rename. The copy gets the file's mode (special bits included), owner and group. Where they
// cannot be given to it (the file is another user's, or in a group the user is not in), the
// file is written in place instead, after the same comparison, and keeps all of them.
// A new file gets the mode that the umask leaves. written, on success, is the file's stamp.
Replaced Replace_File(const Replacement &replacement, QString *error, FileStamp *written);

// For tests: called with the resolved path once the new content is ready (the copy written
// and synced), just before the last comparison. Empty: none.
void Set_Replace_Hook(const std::function<void(const QString &)> &hook);

// Writes a file that no other program edits (a report, an export) whole or not at all: write
// fills a copy beside it, which is renamed over it only once complete, so an earlier file
// stays whole when this one fails. write returns false when it could not fill the copy.
// error, on failure, says why.
bool Write_Whole_File(const QString &path, const std::function<bool(QIODevice &)> &write,
                      QString *error);

} // namespace DownloadFile
