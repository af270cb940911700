#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QFile;

// What set needs to replace a shared file safely: to know that the file is still the one
// it read, and to give the new file the old one's mode, owner and group.
namespace Oad {

struct FileIdentity
{
    bool known = false; // false for standard input and when the file cannot be looked at
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds since the epoch
    uint mode = 0;       // permission bits
    uint owner = 0;
    uint group = 0;
    quint64 links = 1; // hard links to the file

    // The same file with the same content as far as the file system tells.
    bool Same_File(const FileIdentity &other) const;
};

// The identity of an open file, or of a path (following symbolic links).
FileIdentity Identity_Of(const QFile &file);
FileIdentity Identity_Of(const QString &path);

// Replaces the file with bytes, provided it is still the file read (identity): written to
// a temporary file beside it with the old mode (and owner and group where the user may set
// them), then renamed over it. False with the reason, the file untouched, otherwise.
bool Replace_File(const QString &path, const QByteArray &bytes, const FileIdentity &read,
                  QString *error);

} // namespace Oad
