#pragma once

// What several test programs need: files with given bytes, and the window's widgets,
// which carry no object names (the key filter depends on that) and are found by type.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QObject>
#include <QString>

namespace TestSupport {

inline QByteArray Read_Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool Write_Bytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(bytes) == bytes.size();
}

// The one child of type T, which the test relies on being unique.
template <typename T> T *Only_Child(const QObject &parent)
{
    const QList<T *> found = parent.findChildren<T *>();
    return found.size() == 1 ? found.first() : nullptr;
}

} // namespace TestSupport
