#include "downloadfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegExp>
#include <QSaveFile>
#include <QTextCodec>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace DownloadFile {

namespace {

// "Line 3" or "Line 3 and 4 other lines", with the verb that goes with it.
QString Where(const Loss &loss)
{
    if (loss.count <= 1)
        return QCoreApplication::translate("DownloadFile", "Line %1 holds").arg(loss.line);
    if (loss.count == 2)
        return QCoreApplication::translate("DownloadFile", "Line %1 and one other line hold")
            .arg(loss.line);
    return QCoreApplication::translate("DownloadFile", "Line %1 and %2 other lines hold")
        .arg(loss.line)
        .arg(loss.count - 1);
}

void Set_Error(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Everything a download file can be, and one byte more to tell that there is more.
bool Read_Bounded(QFile &file, QByteArray *bytes)
{
    constexpr qint64 Piece = 64 * 1024;
    bytes->clear();
    while (bytes->size() <= Max_Read_Bytes) {
        const QByteArray piece = file.read(qMin(Piece, Max_Read_Bytes + 1 - bytes->size()));
        if (piece.isEmpty())
            break;
        *bytes += piece;
    }
    return file.error() == QFileDevice::NoError;
}

QByteArray Hash(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// What a line's bytes say about UTF-8: nothing (ASCII only), that they are UTF-8 with
// multi-byte sequences, or that they cannot be UTF-8.
enum class Utf8_Look
{
    Ascii,
    Utf8,
    Not_Utf8
};

Utf8_Look Utf8_Look_Of(const QByteArray &raw)
{
    if (std::all_of(raw.cbegin(), raw.cend(), [](char c) { return (c & 0x80) == 0; }))
        return Utf8_Look::Ascii;
    QTextCodec::ConverterState state;
    QTextCodec::codecForMib(106)->toUnicode(raw.constData(), raw.size(), &state); // UTF-8
    return state.invalidChars == 0 && state.remainingChars == 0 ? Utf8_Look::Utf8
                                                                : Utf8_Look::Not_Utf8;
}

// One raw line up to and including its LF, but no more than budget bytes. Read in pieces,
// so a short line costs only its length, not the budget.
QByteArray Read_Raw_Line(QIODevice &device, qint64 budget)
{
    constexpr qint64 Piece = 64 * 1024;
    QByteArray raw;
    while (budget > 0 && !device.atEnd()) {
        // readLine's limit counts the terminating NUL it adds.
        const QByteArray piece = device.readLine(qMin(Piece, budget) + 1);
        if (piece.isEmpty())
            break; // a read error; what was read stays
        raw += piece;
        budget -= piece.size();
        if (raw.endsWith('\n'))
            break;
    }
    return raw;
}

// The permission bits proper: QFileInfo adds the current user's access as "User" flags,
// which setPermissions would turn into owner bits (root would make a 0444 file 0644).
constexpr QFileDevice::Permissions Mode_Bits =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
    QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

// The replacement of an existing file gets its owner, where this process may give it,
// and its permission bits.
void Keep_Attributes(QSaveFile &file, const QFileInfo &original)
{
#ifdef Q_OS_UNIX
    // Only root can give a file away; for anyone else the file is already theirs.
    if (original.ownerId() != ::geteuid() || original.groupId() != ::getegid()) {
        const int result = ::fchown(file.handle(), original.ownerId(), original.groupId());
        Q_UNUSED(result);
    }
#endif
    file.setPermissions(original.permissions() & Mode_Bits);
}

} // namespace

QString Describe(const Loss &loss)
{
    switch (loss.kind) {
    case Loss::Kind::Too_Many_Lines:
        return QCoreApplication::translate("DownloadFile",
                                           "The file has %1 lines; only the first %2 are kept, "
                                           "and a save drops the rest.")
            .arg(loss.count)
            .arg(Max_Lines);
    case Loss::Kind::Too_Large:
        return QCoreApplication::translate("DownloadFile",
                                           "The file is larger than %1 MiB; reading stopped in "
                                           "line %2, and a save drops the rest.")
            .arg(Max_Read_Bytes / (1024 * 1024))
            .arg(loss.line);
    case Loss::Kind::Nul_Byte:
        return QCoreApplication::translate("DownloadFile",
                                           "%1 a NUL byte; a save drops the rest of %2.")
            .arg(Where(loss),
                 loss.count > 1 ? QCoreApplication::translate("DownloadFile", "each of those lines")
                                : QCoreApplication::translate("DownloadFile", "that line"));
    case Loss::Kind::Cr_Line_End:
        return QCoreApplication::translate("DownloadFile",
                                           "%1 line ends of CR alone; they are read as one "
                                           "line, and a save merges them.")
            .arg(Where(loss));
    case Loss::Kind::Control_Byte:
        return QCoreApplication::translate("DownloadFile",
                                           "%1 control bytes; the file may not be text.")
            .arg(Where(loss));
    }
    return QString();
}

QVector<Loss> Summarise(const QVector<Loss> &losses)
{
    QVector<Loss> summary;
    for (const Loss &loss : losses) {
        const auto same_kind = std::find_if(summary.begin(), summary.end(),
                                            [&](const Loss &s) { return s.kind == loss.kind; });
        if (same_kind == summary.end())
            summary.append(loss);
        else if (loss.kind != Loss::Kind::Too_Many_Lines && loss.kind != Loss::Kind::Too_Large)
            same_kind->count += loss.count;
    }
    return summary;
}

QVector<Loss> Line_Losses(const QByteArray &raw, int line)
{
    QVector<Loss> losses;
    QByteArray body = raw;
    if (body.endsWith('\n'))
        body.chop(1);
    bool nul = false;
    bool cr = false;
    bool control = false;
    bool after_cr = false;
    for (const char byte : qAsConst(body)) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == 0)
            nul = true;
        else if (c == '\r')
            after_cr = true;
        else if (c < 0x20 && c != '\t')
            control = true;
        else if (c >= 0x7F && c <= 0x9F) // DEL and the C1 controls of Latin-1
            control = true;
        // A CR ends a line only where text follows it; before the LF, or before blanks
        // alone, it is part of the terminator and simplification drops it harmlessly.
        if (after_cr && c != '\r' && c != ' ' && c != '\t')
            cr = true;
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
    QRegExp pattern(QStringLiteral("^[Nn]+([0-9]{2,%1})$").arg(Max_Scale_Digits), Qt::CaseSensitive,
                    QRegExp::RegExp);
    if (pattern.indexIn(line) < 0)
        return -1;
    return pattern.cap(1).toInt(nullptr, 10);
}

QString Scale_Line_For(const QString &line, int resolution)
{
    const int current = Scale_Resolution_Of(line);
    if (current < 0 || resolution < 1 || resolution > Max_Scale_Resolution)
        return QString();
    if (current == resolution)
        return line;
    int digits = line.size();
    while (digits > 0 && line.at(digits - 1).isDigit())
        --digits;
    return line.left(digits) + QStringLiteral("%1").arg(resolution, 2, 10, QLatin1Char('0'));
}

int Scale_Line_Index(const QStringList &lines)
{
    for (int index = lines.size() - 1; index >= 0; --index) {
        if (!lines.at(index).isEmpty())
            return Scale_Resolution_Of(lines.at(index)) >= 0 ? index : -1;
    }
    return -1;
}

Content Read(QIODevice &device)
{
    Content content;
    QString last_non_empty;
    bool utf8 = false;
    bool not_utf8 = false;
    qint64 budget = Max_Read_Bytes;
    while (!device.atEnd()) {
        if (budget <= 0) {
            content.losses.append({Loss::Kind::Too_Large, content.total_lines + 1, 1});
            break;
        }
        const QByteArray raw = Read_Raw_Line(device, budget);
        if (raw.isEmpty())
            break; // a read error; what was read stays
        budget -= raw.size();
        ++content.total_lines;
        // The line goes on past the budget: what was read of it is all there is.
        const bool cut = !raw.endsWith('\n') && !device.atEnd();
        if (cut)
            content.losses.append({Loss::Kind::Too_Large, content.total_lines, 1});
        if (content.lines.size() < Max_Lines) {
            content.losses += Line_Losses(raw, content.total_lines);
            const Utf8_Look look = Utf8_Look_Of(raw);
            utf8 = utf8 || look == Utf8_Look::Utf8;
            not_utf8 = not_utf8 || look == Utf8_Look::Not_Utf8;
            // A CR before the LF goes with the terminator; simplification drops it.
            const QString line = Decode_Line(raw);
            if (!line.isEmpty())
                last_non_empty = line;
            content.lines.append(line);
        }
        if (cut)
            break;
    }
    if (content.total_lines > Max_Lines)
        content.losses.append({Loss::Kind::Too_Many_Lines, Max_Lines + 1, content.total_lines});
    content.scale_resolution = Scale_Resolution_Of(last_non_empty);
    content.looks_like_utf8 = utf8 && !not_utf8;
    return content;
}

Content Read(const QByteArray &bytes)
{
    QByteArray copy(bytes);
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return Read(buffer);
}

bool Is_Stamped_File(const FileStamp &stamp, const QString &path)
{
    if (stamp.path.isEmpty())
        return false;
    // Through links and dots to the file itself, while it exists.
    const QFileInfo target(path);
    if (!target.exists() || !QFileInfo::exists(stamp.path))
        return QDir::cleanPath(target.absoluteFilePath()) == QDir::cleanPath(stamp.path);
    return target.canonicalFilePath() == QFileInfo(stamp.path).canonicalFilePath();
}

bool Changed_Since(const FileStamp &stamp)
{
    QFile file(stamp.path);
    if (stamp.path.isEmpty() || !file.exists())
        return false;
    QByteArray bytes;
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly) || !Read_Bounded(file, &bytes))
        return true;
    return file.size() != stamp.size ||
           file.fileTime(QFileDevice::FileModificationTime) != stamp.modified ||
           Hash(bytes) != stamp.hash;
}

bool Read_File(const QString &file_name, Content *content, QString *error, FileStamp *stamp)
{
    // Opening a FIFO waits for a writer, and a device may never end: look before opening.
    const QFileInfo info(file_name);
    if (info.isDir()) {
        Set_Error(error,
                  QCoreApplication::translate("DownloadFile", "It is a folder, not a file."));
        return false;
    }
    if (info.exists() && !info.isFile()) {
        Set_Error(error,
                  QCoreApplication::translate(
                      "DownloadFile", "It is not a regular file but a device, FIFO or socket."));
        return false;
    }
    QFile file(file_name);
    QByteArray bytes;
    if (!file.open(QIODevice::ReadOnly) || !Read_Bounded(file, &bytes)) {
        Set_Error(error, file.errorString());
        return false;
    }
    *content = Read(bytes);
    if (stamp)
        *stamp = {info.absoluteFilePath(), file.size(),
                  file.fileTime(QFileDevice::FileModificationTime), Hash(bytes)};
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

bool Save_File(const QString &file_name, const QStringList &lines, QString *error, FileStamp *stamp)
{
    const QFileInfo original(file_name);
    QSaveFile file(file_name);
    if (!file.open(QIODevice::WriteOnly)) {
        Set_Error(error, file.errorString());
        return false;
    }
    if (original.exists())
        Keep_Attributes(file, original);
    // commit() was seen to report success after its own flush failed on a full disk,
    // so every step is checked here before the target is replaced.
    if (!Write(file, lines) || !file.flush() || file.error() != QFileDevice::NoError) {
        Set_Error(error, file.errorString()); // before cancelling overwrites it
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        Set_Error(error, file.errorString());
        return false;
    }
    if (stamp) {
        // The hash is of the bytes meant, so a change slipped in after the commit shows.
        const QFileInfo saved(file_name);
        const QByteArray bytes = Encode(lines).left(static_cast<int>(Max_Read_Bytes) + 1);
        *stamp = {saved.absoluteFilePath(), saved.size(), saved.lastModified(), Hash(bytes)};
    }
    return true;
}

} // namespace DownloadFile
