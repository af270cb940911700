#include "safefile.h"

#include "console.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Oad {

namespace {

#ifdef Q_OS_UNIX
FileIdentity From_Stat(const struct stat &status)
{
    FileIdentity identity;
    identity.known = true;
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
    identity.size = status.st_size;
    identity.modified = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    identity.mode = status.st_mode & 07777;
    identity.owner = status.st_uid;
    identity.group = status.st_gid;
    identity.links = status.st_nlink;
    return identity;
}
#else
FileIdentity From_Info(const QFileInfo &info)
{
    FileIdentity identity;
    identity.known = info.exists();
    identity.size = info.size();
    identity.modified = info.lastModified().toMSecsSinceEpoch() * 1000000;
    return identity;
}
#endif

// The temporary file gets the mode of the file it replaces, and its owner and group where
// the user may give them; otherwise they stay the user's, as any editor would leave them.
// Empty, or the reason why the mode could not be set.
QString Keep_Attributes(QSaveFile &file, const FileIdentity &read)
{
#ifdef Q_OS_UNIX
    const int handle = file.handle();
    const bool owned =
        fchown(handle, read.owner, read.group) == 0 || fchown(handle, uid_t(-1), read.group) == 0;
    Q_UNUSED(owned)
    if (fchmod(handle, read.mode) != 0)
        return qt_error_string(errno);
#else
    Q_UNUSED(file)
    Q_UNUSED(read)
#endif
    return QString();
}

} // namespace

bool FileIdentity::Same_File(const FileIdentity &other) const
{
    return known && other.known && device == other.device && inode == other.inode &&
           size == other.size && modified == other.modified;
}

FileIdentity Identity_Of(const QFile &file)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (file.handle() < 0 || fstat(file.handle(), &status) != 0 || !S_ISREG(status.st_mode))
        return FileIdentity();
    return From_Stat(status);
#else
    return From_Info(QFileInfo(file.fileName()));
#endif
}

FileIdentity Identity_Of(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return FileIdentity();
    return From_Stat(status);
#else
    return From_Info(QFileInfo(path));
#endif
}

bool Replace_File(const QString &path, const QByteArray &bytes, const FileIdentity &read,
                  QString *error)
{
    if (!Identity_Of(path).Same_File(read)) {
        *error = QStringLiteral("%1 changed while editing; nothing written").arg(Shown_Name(path));
        return false;
    }
    QSaveFile file(path);
    QString reason;
    if (file.open(QIODevice::WriteOnly)) {
        reason = Keep_Attributes(file, read);
        if (reason.isEmpty() && file.write(bytes) == bytes.size() && file.flush() &&
            file.error() == QFileDevice::NoError && file.commit())
            return true;
    }
    if (reason.isEmpty())
        reason = file.errorString();
    *error = QStringLiteral("cannot write %1: %2").arg(Shown_Name(path), reason);
    file.cancelWriting();
    return false;
}

} // namespace Oad
