#include "safereplace.h"

#include "downloadfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DownloadFile {

namespace {

std::function<void(const QString &)> &Hook()
{
    static std::function<void(const QString &)> hook;
    return hook;
}

void Run_Hook(const QString &target)
{
    // A copy: the hook may replace itself.
    const std::function<void(const QString &)> hook = Hook();
    if (hook)
        hook(target);
}

QString System_Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

FileStatus From_Stat(const struct stat &status)
{
    FileStatus file;
    file.exists = true;
    file.device = status.st_dev;
    file.inode = status.st_ino;
    file.size = status.st_size;
    file.modified = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    file.changed = qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    file.links = status.st_nlink;
    file.mode = status.st_mode & 07777;
    file.owner = status.st_uid;
    file.group = status.st_gid;
    return file;
}

// The status of a path (links followed) and its type; a missing file is one that does not
// exist. False, with the reason, when the path cannot be looked at.
bool Look_At(const QString &path, FileStatus *file, mode_t *type, QString *error)
{
    struct stat status;
    *file = FileStatus();
    *type = 0;
    if (::stat(Native(path).constData(), &status) != 0) {
        if (errno == ENOENT)
            return true;
        *error = QCoreApplication::translate("DownloadFile", "It cannot be looked at: %1.")
                     .arg(System_Reason(errno));
        return false;
    }
    *file = From_Stat(status);
    *type = status.st_mode;
    return true;
}

// Why a file of this type is no download file, or nothing for a regular file.
QString Type_Refusal(mode_t type)
{
    if (S_ISREG(type))
        return QString();
    if (S_ISDIR(type))
        return QCoreApplication::translate("DownloadFile", "It is a folder, not a file.");
    return QCoreApplication::translate("DownloadFile",
                                       "It is not a regular file but a device, FIFO or socket.");
}

// A path that can be edited: a regular file, or none yet. False with the reason otherwise.
bool Regular_Or_Missing(const QString &path, FileStatus *file, QString *error)
{
    mode_t type = 0;
    if (!Look_At(path, file, &type, error))
        return false;
    *error = file->exists ? Type_Refusal(type) : QString();
    return error->isEmpty();
}

QString Changed_Reason()
{
    return QCoreApplication::translate("DownloadFile", "Another program changed it while it was "
                                                       "being edited; nothing was written.");
}

bool Write_All(int handle, const QByteArray &bytes, off_t offset = -1)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const size_t rest = size_t(bytes.size() - done);
        const ssize_t count = offset < 0
                                  ? ::write(handle, bytes.constData() + done, rest)
                                  : ::pwrite(handle, bytes.constData() + done, rest, offset + done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count == 0)
            errno = EIO;
        if (count <= 0)
            return false;
        done += count;
    }
    return true;
}

// -------------------- The lock --------------------------------------------------------

enum class Attempt
{
    Locked,
    Busy,
    Lost, // the lock file went away between opening and locking: try again at once
    Failed
};

bool Same_Inode(int handle, const QByteArray &name)
{
    struct stat by_handle;
    struct stat by_name;
    return ::fstat(handle, &by_handle) == 0 && ::lstat(name.constData(), &by_name) == 0 &&
           by_handle.st_dev == by_name.st_dev && by_handle.st_ino == by_name.st_ino;
}

Attempt Try_Lock(const QString &lock_path, int *handle, QString *error)
{
    const QByteArray name = Native(lock_path);
    const int flags = O_CLOEXEC | O_NOFOLLOW;
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | flags, 0644);
    int reason = errno;
    // Another user's lock file, left by a holder that died: locking needs only reading.
    if (fd < 0 && reason == EACCES) {
        fd = ::open(name.constData(), O_RDONLY | flags);
        if (fd < 0 && errno != ENOENT)
            reason = errno;
    }
    if (fd < 0) {
        *error = QFileInfo::exists(lock_path)
                     ? QCoreApplication::translate("DownloadFile",
                                                   "Its lock file %1 cannot be read: %2.")
                     : QCoreApplication::translate("DownloadFile",
                                                   "Its lock file %1 cannot be made: %2.");
        *error = error->arg(QDir::toNativeSeparators(lock_path), System_Reason(reason));
        return Attempt::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        reason = errno;
        ::close(fd);
        if (reason == EWOULDBLOCK)
            return Attempt::Busy;
        *error =
            QCoreApplication::translate("DownloadFile", "Its lock file %1 cannot be locked: %2.")
                .arg(QDir::toNativeSeparators(lock_path), System_Reason(reason));
        return Attempt::Failed;
    }
    // The holder before removes the file when it lets go: a lock on a removed file is none.
    if (!Same_Inode(fd, name)) {
        ::close(fd);
        return Attempt::Lost;
    }
    *handle = fd;
    return Attempt::Locked;
}

// "PID program": who holds the lock, for the message of whoever waits. Best effort: a full
// disk or another user's lock file only leaves the name out.
void Name_Holder(int handle)
{
    const QByteArray holder = QByteArray::number(qint64(::getpid())) + ' ' +
                              QCoreApplication::applicationName().toLocal8Bit() + '\n';
    if (::ftruncate(handle, 0) == 0)
        Write_All(handle, holder, 0);
}

QString Busy_Reason(const QString &lock_path)
{
    QFile file(lock_path);
    const QByteArray holder =
        file.open(QIODevice::ReadOnly) ? file.read(256).trimmed() : QByteArray();
    bool numeric = false;
    const qint64 pid = holder.split(' ').value(0).toLongLong(&numeric);
    const QString program = QString::fromLocal8Bit(holder.mid(holder.indexOf(' ') + 1));
    const QString where = QDir::toNativeSeparators(lock_path);
    // A holder that could not write its name leaves the name of the one before it.
    if (!numeric || pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
        return QCoreApplication::translate("DownloadFile",
                                           "It is being edited: its lock file %1 is held by a "
                                           "process that does not name itself.")
            .arg(where);
    return QCoreApplication::translate("DownloadFile",
                                       "It is being edited by %1process %2, which holds its "
                                       "lock file %3.")
        .arg(program.isEmpty() || !numeric ? QString()
                                           : program.simplified() + QStringLiteral(", "))
        .arg(pid)
        .arg(where);
}

// -------------------- The replace ------------------------------------------------------

// The file as found when the new copy is begun. Replaced::Yes when it may be replaced: it is
// the file expected, or holds the bytes expected.
Replaced Baseline(const QString &target, const Replacement &replacement, FileStatus *found,
                  QString *error)
{
    if (!Regular_Or_Missing(target, found, error))
        return Replaced::Failed;
    const FileStamp *expected = replacement.expected;
    if (!expected || !expected->status.exists)
        return Replaced::Yes;
    const bool changed = found->exists
                             ? !found->Same_As(expected->status) && Changed_Since(*expected)
                             : !replacement.recreate;
    if (!changed)
        return Replaced::Yes;
    *error = Changed_Reason();
    return Replaced::Changed;
}

// The file still as found: nothing there when nothing was, else the same status.
bool Still_As(const QString &target, const FileStatus &found)
{
    FileStatus now;
    mode_t type = 0;
    QString ignored;
    return Look_At(target, &now, &type, &ignored) && now.exists == found.exists &&
           (!found.exists || now.Same_As(found));
}

// A new file beside the target, with a name nobody else uses; -1 and errno on failure.
int Create_Copy(const QString &target, QString *copy_path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *copy_path = QStringLiteral("%1.%2.tmp")
                         .arg(target)
                         .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const int fd = ::open(Native(*copy_path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the copy the file's owner, group and mode; false when it cannot have all of them.
// The owner first: a change of owner clears the set-user-ID and set-group-ID bits.
bool Carry_Attributes(int handle, const FileStatus &found)
{
    struct stat status;
    if (::fstat(handle, &status) != 0)
        return false;
    if ((status.st_uid != found.owner || status.st_gid != found.group) &&
        ::fchown(handle, found.owner, found.group) != 0)
        return false;
    // The kernel drops the set-group-ID bit silently for a group the user is not in.
    return ::fchmod(handle, mode_t(found.mode)) == 0 && ::fstat(handle, &status) == 0 &&
           status.st_uid == found.owner && status.st_gid == found.group &&
           (status.st_mode & 07777) == found.mode;
}

void Sync_Folder(const QString &target)
{
    const int fd = ::open(Native(QFileInfo(target).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void Stamp_Written(int handle, const Replacement &replacement, FileStamp *written)
{
    struct stat status;
    if (written && ::fstat(handle, &status) == 0)
        *written = Stamp_Of(replacement.path, From_Stat(status), replacement.bytes);
}

// Keeps owner, group, mode, links and everything else of the file, but a crash during the
// write would leave it part old, part new.
Replaced Write_In_Place(const QString &target, const Replacement &replacement,
                        const FileStatus &found, QString *error, FileStamp *written)
{
    const int fd =
        ::open(Native(target).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        *error = QCoreApplication::translate("DownloadFile", "It cannot be opened for writing: %1.")
                     .arg(System_Reason(errno));
        return Replaced::Failed;
    }
    Run_Hook(target);
    const QByteArray &bytes = replacement.bytes;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !From_Stat(status).Same_As(found) ||
        !Still_As(target, found)) {
        ::close(fd);
        *error = Changed_Reason();
        return Replaced::Changed;
    }
    // Room first, so that a full disk stops the write before any byte of the file changes.
    int reason = bytes.isEmpty() ? 0 : ::posix_fallocate(fd, 0, bytes.size());
    if (reason == 0 &&
        (!Write_All(fd, bytes, 0) || ::ftruncate(fd, bytes.size()) != 0 || ::fsync(fd) != 0))
        reason = errno;
    if (reason == 0)
        Stamp_Written(fd, replacement, written);
    else
        *error = QCoreApplication::translate("DownloadFile", "It cannot be written in place: %1.")
                     .arg(System_Reason(reason));
    ::close(fd);
    return reason == 0 ? Replaced::Yes : Replaced::Failed;
}

// Syncs the written copy and renames it over the target, if the target is still as found.
// Else, and on any failure, the copy goes.
Replaced Commit_Copy(const QString &target, const Replacement &replacement, int fd,
                     const QString &copy_path, const FileStatus &found, QString *error,
                     FileStamp *written)
{
    Replaced result = Replaced::Failed;
    if (::fsync(fd) != 0) {
        *error = QCoreApplication::translate("DownloadFile", "Its new copy cannot be written: %1.")
                     .arg(System_Reason(errno));
    } else {
        Run_Hook(target);
        if (!Still_As(target, found)) {
            result = Replaced::Changed;
            *error = Changed_Reason();
        } else if (::rename(Native(copy_path).constData(), Native(target).constData()) != 0) {
            *error = QCoreApplication::translate("DownloadFile", "It cannot be replaced: %1.")
                         .arg(System_Reason(errno));
        } else {
            result = Replaced::Yes;
            Sync_Folder(target);
            Stamp_Written(fd, replacement, written);
        }
    }
    ::close(fd);
    if (result != Replaced::Yes)
        ::unlink(Native(copy_path).constData());
    return result;
}

} // namespace

bool FileStatus::Same_As(const FileStatus &other) const
{
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && modified == other.modified && changed == other.changed;
}

QString Resolved_Path(const QString &path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    // As the system follows links: at most 40 of them, else the path is left as it is.
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? QFileInfo(path).absoluteFilePath()
                            : QDir::cleanPath(info.absoluteFilePath());
}

bool Open_Regular(const QString &path, QFile *file, FileStatus *status, QString *error)
{
    mode_t type = 0;
    if (!Look_At(path, status, &type, error))
        return false;
    *error = status->exists ? Type_Refusal(type) : System_Reason(ENOENT);
    if (!error->isEmpty())
        return false;
    // It may have become something else since: opened without waiting, and looked at again.
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = System_Reason(errno);
        return false;
    }
    struct stat opened = {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        *error = Type_Refusal(opened.st_mode);
        ::close(fd);
        return false;
    }
    *status = From_Stat(opened);
    if (file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    *error = file->errorString();
    ::close(fd);
    return false;
}

TFileLock::~TFileLock()
{
    Unlock();
}

bool TFileLock::Lock(const QString &path, int wait_ms, QString *error)
{
    Unlock();
    const QString target = Resolved_Path(path);
    FileStatus found;
    if (!Regular_Or_Missing(target, &found, error))
        return false;
    const QString lock_path = target + QStringLiteral(".lock");
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        switch (Try_Lock(lock_path, &d_handle, error)) {
        case Attempt::Locked:
            d_lock_path = lock_path;
            Name_Holder(d_handle);
            return true;
        case Attempt::Failed:
            return false;
        case Attempt::Lost:
            continue;
        case Attempt::Busy:
            break;
        }
        if (waited.elapsed() >= wait_ms) {
            *error = Busy_Reason(lock_path);
            return false;
        }
        QThread::msleep(10);
    }
}

void TFileLock::Unlock()
{
    if (d_handle < 0)
        return;
    // Removed while still held, so that nobody locks a file about to go.
    const QByteArray name = Native(d_lock_path);
    if (Same_Inode(d_handle, name))
        ::unlink(name.constData());
    ::close(d_handle);
    d_handle = -1;
    d_lock_path.clear();
}

Replaced Replace_File(const Replacement &replacement, QString *error, FileStamp *written)
{
    const QString target = Resolved_Path(replacement.path);
    FileStatus found;
    const Replaced baseline = Baseline(target, replacement, &found, error);
    if (baseline != Replaced::Yes)
        return baseline;
    if (found.exists && ::faccessat(AT_FDCWD, Native(target).constData(), W_OK, AT_EACCESS) != 0) {
        *error = System_Reason(errno);
        return Replaced::Failed;
    }
    QString copy_path;
    const int fd = Create_Copy(target, &copy_path);
    if (fd < 0) {
        *error = QCoreApplication::translate("DownloadFile", "Its new copy cannot be made: %1.")
                     .arg(System_Reason(errno));
        return Replaced::Failed;
    }
    // The content before the attributes: a write by anyone but root clears the set-ID bits.
    const bool copied = Write_All(fd, replacement.bytes);
    const int reason = errno;
    const bool carried = copied && (!found.exists || Carry_Attributes(fd, found));
    if (!carried) {
        ::close(fd);
        ::unlink(Native(copy_path).constData());
        if (copied)
            return Write_In_Place(target, replacement, found, error, written);
        *error = QCoreApplication::translate("DownloadFile", "Its new copy cannot be written: %1.")
                     .arg(System_Reason(reason));
        return Replaced::Failed;
    }
    return Commit_Copy(target, replacement, fd, copy_path, found, error, written);
}

void Set_Replace_Hook(const std::function<void(const QString &)> &hook)
{
    Hook() = hook;
}

bool Write_Whole_File(const QString &path, const std::function<bool(QIODevice &)> &write,
                      QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && write(file) && file.error() == QFileDevice::NoError &&
        file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}

} // namespace DownloadFile
