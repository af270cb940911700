#include "downloadfile.h"

#include <QBuffer>
#include <QFile>
#include <QRegExp>
#include <QSaveFile>

namespace DownloadFile {

QString Describe(const Loss &loss)
{
    switch (loss.kind) {
    case Loss::Kind::Too_Many_Lines:
        return QStringLiteral("The file has %1 lines; only the first %2 are kept, and a save "
                              "drops the rest.")
            .arg(loss.count)
            .arg(Max_Lines);
    case Loss::Kind::Too_Large:
        return QStringLiteral("The file is larger than %1 MiB; reading stopped in line %2, and "
                              "a save drops the rest.")
            .arg(Max_Read_Bytes / (1024 * 1024))
            .arg(loss.line);
    case Loss::Kind::Nul_Byte:
        return QStringLiteral("Line %1 holds a NUL byte; a save drops the rest of that line.")
            .arg(loss.line);
    case Loss::Kind::Cr_Line_End:
        return QStringLiteral("Line %1 holds line ends of CR alone; they are read as one line, "
                              "and a save merges them.")
            .arg(loss.line);
    case Loss::Kind::Control_Byte:
        return QStringLiteral("Line %1 holds control bytes; the file may not be text.")
            .arg(loss.line);
    }
    return QString();
}

QVector<Loss> Line_Losses(const QByteArray &raw, int line)
{
    QVector<Loss> losses;
    QByteArray body = raw;
    if (body.endsWith('\n'))
        body.chop(1);
    if (body.endsWith('\r'))
        body.chop(1);
    bool nul = false;
    bool cr = false;
    bool control = false;
    for (const char byte : qAsConst(body)) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == 0)
            nul = true;
        else if (c == '\r')
            cr = true;
        else if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F)
            control = true;
    }
    if (nul)
        losses.append({Loss::Kind::Nul_Byte, line, 1});
    if (cr)
        losses.append({Loss::Kind::Cr_Line_End, line, 1});
    if (control)
        losses.append({Loss::Kind::Control_Byte, line, 1});
    return losses;
}

QVector<RawLine> Raw_Lines(const QByteArray &bytes, int max_count)
{
    QVector<RawLine> lines;
    int start = 0;
    while (start < bytes.size() && lines.size() < max_count) {
        RawLine line;
        line.start = start;
        const int lf = bytes.indexOf('\n', start);
        if (lf < 0) {
            line.length = bytes.size() - start;
        } else {
            line.length = lf - start;
            line.terminator = 1;
            if (line.length > 0 && bytes.at(lf - 1) == '\r') {
                --line.length;
                line.terminator = 2;
            }
        }
        lines.append(line);
        start = line.End();
    }
    return lines;
}

QString Decode_Line(const QByteArray &raw)
{
    // The controller's files are text; a NUL ends what the line can mean, as it ends a C
    // string in the tools that write these files, so the rest is not shown or kept.
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
    qint64 budget = Max_Read_Bytes;
    bool stopped = false; // Too_Large is noted
    while (!device.atEnd()) {
        if (budget <= 0) {
            if (!stopped)
                content.losses.append({Loss::Kind::Too_Large, content.total_lines + 1, 1});
            break;
        }
        // readLine's limit counts the terminating NUL it adds.
        const QByteArray raw = device.readLine(budget + 1);
        if (raw.isEmpty())
            break; // a read error; what was read stays
        budget -= raw.size();
        ++content.total_lines;
        if (!raw.endsWith('\n') && !device.atEnd()) {
            // The line goes on past the budget: what was read of it is all there is.
            content.losses.append({Loss::Kind::Too_Large, content.total_lines, 1});
            budget = 0;
            stopped = true;
        }
        if (content.lines.size() >= Max_Lines)
            continue; // only counted
        content.losses += Line_Losses(raw, content.total_lines);
        // A CR before the LF goes with the terminator; simplification drops it.
        const QString line = Decode_Line(raw);
        if (!line.isEmpty())
            last_non_empty = line;
        content.lines.append(line);
    }
    if (content.total_lines > Max_Lines)
        content.losses.append({Loss::Kind::Too_Many_Lines, Max_Lines + 1, content.total_lines});
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
