#include "bytechecks.h"

#include "downloadfile.h"

namespace Oad {

namespace {

QString Hex_Byte(uchar byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

// The length of a well-formed UTF-8 multi-byte sequence starting at index, else 0.
int Utf8_Length(const QByteArray &line, int index)
{
    const uchar lead = static_cast<uchar>(line.at(index));
    int length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (index + length > line.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        const uchar next = static_cast<uchar>(line.at(index + i));
        if (next < 0x80 || next > 0xBF)
            return 0;
    }
    return length;
}

bool Is_Control(uchar byte)
{
    // Tab, LF and CR are ordinary in a text file; NUL has its own finding.
    if (byte == '\t' || byte == '\n' || byte == '\r' || byte == 0)
        return false;
    return byte < 0x20 || (byte >= 0x7F && byte <= 0x9F);
}

void Check_Line(const QByteArray &line, int number, QVector<Finding> &findings)
{
    const int nul = line.indexOf('\0');
    if (nul >= 0)
        findings.append({number, QStringLiteral("nul-byte"),
                         QStringLiteral("NUL byte at column %1: the rest of the line is dropped")
                             .arg(nul + 1)});
    bool utf8_reported = false;
    bool control_reported = false;
    for (int i = 0; i < line.size(); ++i) {
        const uchar byte = static_cast<uchar>(line.at(i));
        const int length = Utf8_Length(line, i);
        if (length > 0) {
            if (!utf8_reported) {
                const QByteArray sequence = line.mid(i, length);
                QStringList bytes;
                for (const char c : sequence)
                    bytes.append(Hex_Byte(static_cast<uchar>(c)));
                findings.append(
                    {number, QStringLiteral("utf-8"),
                     QStringLiteral("bytes %1 at column %2 look like UTF-8 for \"%3\"; the file "
                                    "is read as Latin-1, which makes them \"%4\"")
                         .arg(bytes.join(QLatin1Char(' ')))
                         .arg(i + 1)
                         .arg(QString::fromUtf8(sequence), QString::fromLatin1(sequence))});
                utf8_reported = true;
            }
            i += length - 1;
            continue;
        }
        if (Is_Control(byte) && !control_reported) {
            findings.append({number, QStringLiteral("control-character"),
                             QStringLiteral("byte 0x%1 at column %2 is a control character, "
                                            "not a printable Latin-1 character")
                                 .arg(Hex_Byte(byte))
                                 .arg(i + 1)});
            control_reported = true;
        }
    }
}

} // namespace

QVector<Finding> Check_Bytes(const QByteArray &bytes)
{
    QVector<Finding> findings;
    // Lines as the editor reads them: each ends after its LF, a last one without LF counts.
    int start = 0;
    int number = 0;
    while (start < bytes.size()) {
        int end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        ++number;
        if (number <= DownloadFile::Max_Lines)
            Check_Line(bytes.mid(start, end - start), number, findings);
        start = end;
    }
    if (number > DownloadFile::Max_Lines) {
        const int ignored = number - DownloadFile::Max_Lines;
        findings.append({DownloadFile::Max_Lines + 1, QStringLiteral("too-many-lines"),
                         QStringLiteral("the file has %1 lines; only the first %2 are read, so "
                                        "this line and the %3 after it are ignored")
                             .arg(number)
                             .arg(DownloadFile::Max_Lines)
                             .arg(ignored - 1)});
    }
    return findings;
}

} // namespace Oad
