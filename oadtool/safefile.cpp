#include "safefile.h"

#include "console.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
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

// QSaveFile gives the temporary file the mode of the file it replaces; the owner and group
// are given here.
void Keep_Owner(QSaveFile &file, const FileIdentity &read)
{
#ifdef Q_OS_UNIX
    // Both where the user may, else the group alone; failing that, the file stays the user's.
    const int handle = file.handle();
    if (fchown(handle, read.owner, read.group) != 0 && fchown(handle, uid_t(-1), read.group) != 0)
        return;
#else
    Q_UNUSED(file)
    Q_UNUSED(read)
#endif
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
    if (file.open(QIODevice::WriteOnly)) {
        Keep_Owner(file, read);
        if (file.write(bytes) == bytes.size() && file.flush() &&
            file.error() == QFileDevice::NoError && file.commit())
            return true;
    }
    *error = QStringLiteral("cannot write %1: %2").arg(Shown_Name(path), file.errorString());
    file.cancelWriting();
    return false;
}

} // namespace Oad
