#include "downloadfile.h"

#include <QBuffer>
#include <QFile>
#include <QRegExp>
#include <QSaveFile>

namespace DownloadFile {

QString Decode_Line(const QByteArray &raw)
{
    const int nul = raw.indexOf('\0');
    const QByteArray kept = nul < 0 ? raw : raw.left(nul);
    return QString::fromLatin1(kept).simplified();
}

int Scale_Resolution_Of(const QString &line)
{
    QRegExp pattern(QStringLiteral("^[Nn]+([0-9]{2,6})$"), Qt::CaseSensitive, QRegExp::RegExp);
    if (pattern.indexIn(line) < 0)
        return -1;
    return pattern.cap(1).toInt(nullptr, 10);
}

Content Read(QIODevice &device)
{
    Content content;
    QString last_non_empty;
    while (!device.atEnd() && content.lines.size() < Max_Lines) {
        // A CR before the LF goes with the terminator; simplification drops it.
        const QString line = Decode_Line(device.readLine());
        if (!line.isEmpty())
            last_non_empty = line;
        content.lines.append(line);
    }
    content.scale_resolution = Scale_Resolution_Of(last_non_empty);
    return content;
}

Content Read(const QByteArray &bytes)
{
    QByteArray copy(bytes);
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return Read(buffer);
}

bool Read_File(const QString &file_name, Content *content)
{
    QFile file(file_name);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *content = Read(file);
    return true;
}

QByteArray Encode(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

bool Write(QIODevice &device, const QStringList &lines)
{
    const QByteArray bytes = Encode(lines);
    return device.write(bytes) == bytes.size();
}

bool Save_File(const QString &file_name, const QStringList &lines)
{
    QSaveFile file(file_name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() was seen to report success after its own flush failed on a full disk,
    // so every step is checked here before the target is replaced.
    if (!Write(file, lines) || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace DownloadFile
