#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// The on-disk form of a download file: Latin-1 lines, LF or CR LF when read,
// CR LF when written, at most Max_Lines lines, an optional scale resolution line.
namespace DownloadFile {

constexpr int Max_Lines = 128;

struct Content
{
    QStringList lines;         // simplified, one entry per line read, blank ones included
    int scale_resolution = -1; // digits of the scale resolution line, -1 when there is none
};

// One raw line (terminator included or not) as it is stored: cut at the first NUL,
// decoded as Latin-1 and simplified.
QString Decode_Line(const QByteArray &raw);

// The value of a scale resolution line ("N10000", "nn0500"), or -1 when the text is none.
int Scale_Resolution_Of(const QString &line);

// Reads at most Max_Lines lines from a device open for reading (binary mode).
Content Read(QIODevice &device);
Content Read(const QByteArray &bytes);

// Opens and reads a file; false when it cannot be opened for reading.
bool Read_File(const QString &file_name, Content *content);

// The bytes of the lines as written: each line as Latin-1, then CR LF.
QByteArray Encode(const QStringList &lines);

// Writes the encoded lines to an open device; false as soon as a write falls short.
bool Write(QIODevice &device, const QStringList &lines);

// Replaces the file only once every byte has been written to a temporary file beside it;
// on any failure the existing file stays exactly as it was and the result is false.
bool Save_File(const QString &file_name, const QStringList &lines);

} // namespace DownloadFile
