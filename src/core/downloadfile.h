#pragma once

#include "safereplace.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

class QIODevice;

// The on-disk form of a download file: Latin-1 lines, LF or CR LF when read,
// CR LF when written, at most Max_Lines lines, an optional scale resolution line.
namespace DownloadFile {

constexpr int Max_Lines = 128;
// Reading stops here: a download file is short, and a device without end (a FIFO fed
// forever, /dev/zero) must not take all memory.
constexpr qint64 Max_Read_Bytes = 16 * 1024 * 1024;
// Counts per millimetre: the stored setting's default, and what the data editor converts
// with until a resolution reaches it.
constexpr int Default_Scale_Resolution = 10000;
constexpr int Default_Editor_Resolution = 1000;
// A scale resolution line: one or more N or n, then 2 to 6 decimal digits, nothing else. The
// digits it holds at most give the largest resolution it can give.
constexpr int Min_Scale_Digits = 2;
constexpr int Max_Scale_Digits = 6;
constexpr int Max_Scale_Resolution = 999999;

// Something of the file as read that a save would not write back.
struct Loss
{
    enum class Kind
    {
        Too_Many_Lines, // line: the first line not kept (129); count: lines in the file
        Too_Large,      // reading stopped at Max_Read_Bytes; line: the line it stopped in
        Nul_Byte,       // the rest of the line after its first NUL is dropped
        Cr_Line_End,    // a CR without LF: the lines it ends are merged into one
        Control_Byte,   // a control character other than tab, CR and LF
    };
    Kind kind;
    int line = 0; // 1-based
    // Too_Many_Lines: lines in the file; any other kind: lines from line on that have it
    // (1 as read, more once summarised).
    int count = 0;
};

// One sentence for a user: what the loss is and what a save would do to it.
QString Describe(const Loss &loss);

// One loss per kind, in the order the kinds first occur, each counting its lines: a
// binary file has a loss in nearly every line, and a user needs each kind only once.
QVector<Loss> Summarise(const QVector<Loss> &losses);

struct Content
{
    QStringList lines;         // simplified, one entry per line read, blank ones included
    int scale_resolution = -1; // digits of the scale resolution line, -1 when there is none
    int total_lines = 0;       // lines in the file, those not kept included
    QVector<Loss> losses;      // in line order; empty when a save keeps everything
    // The bytes hold multi-byte UTF-8 sequences and nothing that is not UTF-8: the file was
    // probably written as UTF-8, and its accented letters show as two Latin-1 characters.
    bool looks_like_utf8 = false;

    bool Is_Lossy() const { return !losses.isEmpty(); }
};

// The losses of one raw line, terminator included or not, at 1-based line number.
QVector<Loss> Line_Losses(const QByteArray &raw, int line);

// Where a line stands in the bytes, as Read splits them: a line ends after its LF, and a CR
// just before that LF belongs to the terminator. A last line without LF counts.
struct RawLine
{
    int start = 0;
    int length = 0;     // the body: the line without its terminator
    int terminator = 0; // 0 (the end of the bytes), 1 (LF) or 2 (CR LF)

    int End() const { return start + length + terminator; }
};

// The first max_count lines of the bytes.
QVector<RawLine> Raw_Lines(const QByteArray &bytes, int max_count = Max_Lines);

// One raw line (terminator included or not) as it is stored: cut at the first NUL,
// decoded as Latin-1 and simplified.
QString Decode_Line(const QByteArray &raw);

// The value of a scale resolution line ("N10000", "nn0500"), or -1 when the text is none.
int Scale_Resolution_Of(const QString &line);

// The scale resolution line rewritten to give resolution: its N's kept, the digits (two at
// least) replaced; the line itself when it gives resolution already. Null when line is no
// scale resolution line or the resolution does not fit one (1 to Max_Scale_Resolution).
QString Scale_Line_For(const QString &line, int resolution);

// Whether the text looks like a scale resolution line but is none: another number of
// digits, or a blank before them ("N1", "N1234567", "N 1000").
bool Is_Near_Scale_Line(const QString &line);

// The rule in words, for messages: "one or more N or n directly followed by 2 to 6 digits".
QString Scale_Line_Rule();

// The index of the last non-empty line among stored lines, or -1: the line that gives a file
// its scale resolution, when it is a scale resolution line.
int Last_Text_Line(const QStringList &lines);

// The index of the scale resolution line among stored lines: the last non-empty line, when
// it is one; else -1. The one place that says which line gives a file its resolution.
int Scale_Line_Index(const QStringList &lines);
// The scale resolution that stored lines give a file, or -1 when they have none.
int Scale_Resolution_Of(const QStringList &lines);

// Reads at most Max_Lines lines from a device open for reading (binary mode), counts
// the rest, and notes every loss. Holds no more than Max_Read_Bytes + 1 bytes of it.
Content Read(QIODevice &device);
// The same from bytes in memory, each line read where it stands: a line costs its decoded
// text and nothing more.
Content Read(const QByteArray &bytes);

// Reads everything a download file can be, and one byte more to tell that there is more:
// at most Max_Read_Bytes + 1 bytes. False on a read error (the device says which).
bool Read_Bounded(QIODevice &device, QByteArray *bytes);

// A file as this program last read or wrote it, to notice when someone else changes it.
struct FileStamp
{
    QString path; // absolute; empty: no file
    qint64 size = -1;
    QDateTime modified;
    QByteArray hash; // of the first Max_Read_Bytes + 1 bytes
    FileStatus status;
};

// The stamp of the file at path with this status that holds (or was written with) bytes.
FileStamp Stamp_Of(const QString &path, const FileStatus &status, const QByteArray &bytes);

// Whether path names the file of the stamp.
bool Is_Stamped_File(const FileStamp &stamp, const QString &path);

// Whether the file of the stamp now has another size, modification time or content, or
// can no longer be read to tell. A file that is gone has nothing to lose: false.
bool Changed_Since(const FileStamp &stamp);

// Reads a regular file; anything else (a folder, a FIFO, a device) is refused unopened, so
// this never blocks. On failure content and stamp stay as they were and error says why.
bool Read_File(const QString &file_name, Content *content, QString *error = nullptr,
               FileStamp *stamp = nullptr);
// The same, giving the bytes as read (at most Max_Read_Bytes + 1), when asked for, instead
// of the content.
bool Read_File_Bytes(const QString &file_name, QByteArray *bytes, QString *error = nullptr,
                     FileStamp *stamp = nullptr);

// The bytes of the lines as written: each line as Latin-1, then CR LF.
QByteArray Encode(const QStringList &lines);

// Writes the encoded lines to an open device; false as soon as a write falls short.
bool Write(QIODevice &device, const QStringList &lines);

// How long a save waits for another program's edit of the same file to end.
constexpr int Save_Lock_Wait_Ms = 3000;

// Writes the lines under the file's lock through Replace_File: on any failure the existing
// file stays exactly as it was, the result is false and error says why. A stamp given that
// names this file is the file as the caller knows it: a file changed since (see Changed_Since)
// or while saving is left alone, and error says that it changed. On success, stamp is the
// file as written.
bool Save_File(const QString &file_name, const QStringList &lines, QString *error = nullptr,
               FileStamp *stamp = nullptr);

} // namespace DownloadFile
