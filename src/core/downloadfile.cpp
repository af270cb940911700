#include "downloadfile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

#include <algorithm>

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
    // In pieces, the state carrying a sequence across their borders: decoding a long line
    // whole would cost twice its size.
    constexpr int Piece = 64 * 1024;
    QTextCodec::ConverterState state;
    const QTextCodec *utf8 = QTextCodec::codecForMib(106);
    for (int i = 0; i < raw.size(); i += Piece)
        utf8->toUnicode(raw.constData() + i, qMin(Piece, raw.size() - i), &state);
    return state.invalidChars == 0 && state.remainingChars == 0 ? Utf8_Look::Utf8
                                                                : Utf8_Look::Not_Utf8;
}

// What a line holds in the shape of a scale resolution line: N or n letters, at most one
// blank, decimal digits, and nothing else. Both the line and its near misses are read here.
struct ScaleShape
{
    bool whole = false; // the line is letters, blank and digits, nothing else
    int letters = 0;
    bool blank = false;
    int digits = 0;
};

ScaleShape Scale_Shape(const QString &line)
{
    ScaleShape shape;
    int i = 0;
    while (i < line.size() && (line.at(i) == QLatin1Char('N') || line.at(i) == QLatin1Char('n')))
        ++i;
    shape.letters = i;
    if (i < line.size() && line.at(i) == QLatin1Char(' ')) {
        shape.blank = true;
        ++i;
    }
    const int first_digit = i;
    while (i < line.size() && line.at(i) >= QLatin1Char('0') && line.at(i) <= QLatin1Char('9'))
        ++i;
    shape.digits = i - first_digit;
    shape.whole = i == line.size() && shape.letters > 0 && shape.digits > 0;
    return shape;
}

bool Is_Scale_Shape(const ScaleShape &shape)
{
    return shape.whole && !shape.blank && shape.digits >= Min_Scale_Digits &&
           shape.digits <= Max_Scale_Digits;
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
    // The body without its LF, not copied: a line may be all of a large file.
    const int length = raw.endsWith('\n') ? raw.size() - 1 : raw.size();
    bool nul = false;
    bool cr = false;
    bool control = false;
    bool after_cr = false;
    for (int i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(raw.at(i));
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
    // Simplified in place: the decoded line is the one copy of its text.
    return QString::fromLatin1(raw.constData(), nul < 0 ? raw.size() : nul).simplified();
}

int Scale_Resolution_Of(const QString &line)
{
    const ScaleShape shape = Scale_Shape(line);
    return Is_Scale_Shape(shape) ? line.midRef(shape.letters).toInt(nullptr, 10) : -1;
}

bool Is_Near_Scale_Line(const QString &line)
{
    const ScaleShape shape = Scale_Shape(line);
    return shape.whole && !Is_Scale_Shape(shape);
}

QString Scale_Line_Rule()
{
    return QStringLiteral("one or more N or n directly followed by %1 to %2 digits")
        .arg(Min_Scale_Digits)
        .arg(Max_Scale_Digits);
}

int Last_Text_Line(const QStringList &lines)
{
    int index = lines.size() - 1;
    while (index >= 0 && lines.at(index).isEmpty())
        --index;
    return index;
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
    const int index = Last_Text_Line(lines);
    return index >= 0 && Scale_Resolution_Of(lines.at(index)) >= 0 ? index : -1;
}

int Scale_Resolution_Of(const QStringList &lines)
{
    const int index = Scale_Line_Index(lines);
    return index < 0 ? -1 : Scale_Resolution_Of(lines.at(index));
}

Content Read(QIODevice &device)
{
    QByteArray bytes;
    Read_Bounded(device, &bytes); // after a read error, what was read stays
    return Read(bytes);
}

Content Read(const QByteArray &bytes)
{
    Content content;
    bool utf8 = false;
    bool not_utf8 = false;
    const int limit = static_cast<int>(qMin<qint64>(bytes.size(), Max_Read_Bytes));
    int start = 0;
    while (start < bytes.size()) {
        if (start >= limit) {
            content.losses.append({Loss::Kind::Too_Large, content.total_lines + 1, 1});
            break;
        }
        const int lf = bytes.indexOf('\n', start);
        const int end = lf >= 0 && lf < limit ? lf + 1 : limit;
        // The line where it stands in the bytes, not copied.
        const QByteArray raw = QByteArray::fromRawData(bytes.constData() + start, end - start);
        ++content.total_lines;
        // The line goes on past the limit: what was read of it is all there is.
        const bool cut = !raw.endsWith('\n') && end < bytes.size();
        if (cut)
            content.losses.append({Loss::Kind::Too_Large, content.total_lines, 1});
        if (content.lines.size() < Max_Lines) {
            content.losses += Line_Losses(raw, content.total_lines);
            const Utf8_Look look = Utf8_Look_Of(raw);
            utf8 = utf8 || look == Utf8_Look::Utf8;
            not_utf8 = not_utf8 || look == Utf8_Look::Not_Utf8;
            // A CR before the LF goes with the terminator; simplification drops it.
            content.lines.append(Decode_Line(raw));
        }
        if (cut)
            break;
        start = end;
    }
    if (content.total_lines > Max_Lines)
        content.losses.append({Loss::Kind::Too_Many_Lines, Max_Lines + 1, content.total_lines});
    content.scale_resolution = Scale_Resolution_Of(content.lines);
    content.looks_like_utf8 = utf8 && !not_utf8;
    return content;
}

bool Read_Bounded(QIODevice &device, QByteArray *bytes)
{
    constexpr int Piece = 64 * 1024;
    constexpr int Limit = int(Max_Read_Bytes) + 1;
    bytes->clear();
    while (bytes->size() < Limit) {
        const int before = bytes->size();
        bytes->resize(before + qMin(Piece, Limit - before));
        const qint64 count = device.read(bytes->data() + before, bytes->size() - before);
        bytes->resize(before + int(qMax<qint64>(count, 0)));
        if (count < 0)
            return false;
        if (count == 0)
            break;
    }
    return true;
}

FileStamp Stamp_Of(const QString &path, const FileStatus &status, const QByteArray &bytes)
{
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(status.modified / 1000000);
    return {QFileInfo(path).absoluteFilePath(), status.size, modified,
            Hash(bytes.left(int(Max_Read_Bytes) + 1)), status};
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
    if (stamp.path.isEmpty() || !QFileInfo::exists(stamp.path))
        return false;
    QByteArray bytes;
    if (!Read_File_Bytes(stamp.path, &bytes))
        return true;
    const QFileInfo now(stamp.path);
    return now.size() != stamp.size || now.lastModified() != stamp.modified ||
           Hash(bytes) != stamp.hash;
}

bool Read_File(const QString &file_name, Content *content, QString *error, FileStamp *stamp)
{
    QByteArray bytes;
    if (!Read_File_Bytes(file_name, &bytes, error, stamp))
        return false;
    *content = Read(bytes);
    return true;
}

bool Read_File_Bytes(const QString &file_name, QByteArray *bytes, QString *error, FileStamp *stamp)
{
    // Opening a FIFO waits for a writer, and a device may never end: look before opening.
    QFile file;
    FileStatus status;
    QString reason;
    QByteArray read;
    if (!Open_Regular(file_name, &file, &status, &reason) || !Read_Bounded(file, &read)) {
        Set_Error(error, reason.isEmpty() ? file.errorString() : reason);
        return false;
    }
    if (bytes)
        *bytes = read;
    if (stamp)
        *stamp = Stamp_Of(file_name, status, read);
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
    TFileLock lock;
    QString reason;
    if (!lock.Lock(file_name, Save_Lock_Wait_Ms, &reason)) {
        Set_Error(error, reason);
        return false;
    }
    Replacement replacement;
    replacement.path = file_name;
    replacement.bytes = Encode(lines);
    replacement.expected = stamp && Is_Stamped_File(*stamp, file_name) ? stamp : nullptr;
    FileStamp written;
    if (Replace_File(replacement, &reason, &written) != Replaced::Yes) {
        Set_Error(error, reason);
        return false;
    }
    if (stamp)
        *stamp = written;
    return true;
}

} // namespace DownloadFile
