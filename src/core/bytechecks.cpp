#include "filechecks.h"
#include "textescape.h"

namespace FileChecks {

namespace {

using TextEscape::Shown;

QString Loss_Kind(DownloadFile::Loss::Kind kind)
{
    switch (kind) {
    case DownloadFile::Loss::Kind::Too_Many_Lines:
        return QStringLiteral("too-many-lines");
    case DownloadFile::Loss::Kind::Too_Large:
        return QStringLiteral("too-large");
    case DownloadFile::Loss::Kind::Nul_Byte:
        return QStringLiteral("nul-byte");
    case DownloadFile::Loss::Kind::Cr_Line_End:
        return QStringLiteral("cr-line-end");
    case DownloadFile::Loss::Kind::Control_Byte:
        return QStringLiteral("control-byte");
    }
    return QString();
}

QString Hex_Bytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

// The byte order mark at the start of the file, if any: its length, and a finding.
int Check_Byte_Order_Mark(const QByteArray &bytes, QVector<Finding> &findings)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        findings.append({1, QStringLiteral("byte-order-mark"),
                         QStringLiteral("the file starts with a UTF-8 byte order mark (EF BB BF); "
                                        "the editor shows it as \"\u00EF\u00BB\u00BF\" before "
                                        "the text of line 1")});
        return 3;
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        findings.append({1, QStringLiteral("byte-order-mark"),
                         QStringLiteral("the file starts with a UTF-16 byte order mark (%1); it "
                                        "is no Latin-1 text")
                             .arg(Hex_Bytes(bytes.left(2)))});
        return 2;
    }
    return 0;
}

// The first UTF-8 multi-byte sequence of a line: the author most likely saved the file as
// UTF-8, and the editor, which reads Latin-1, shows each such character as two or more.
void Check_Utf8(const QByteArray &body, int number, int from, QVector<Finding> &findings)
{
    for (int i = from; i < body.size(); ++i) {
        const int length =
            static_cast<uchar>(body.at(i)) < 0x80 ? 0 : TextEscape::Utf8_Length(body, i);
        if (length == 0)
            continue;
        const QByteArray sequence = body.mid(i, length);
        findings.append(
            {number, QStringLiteral("utf-8"),
             QStringLiteral("bytes %1 at column %2 look like UTF-8 for \"%3\"; the "
                            "file is read as Latin-1, which makes them \"%4\"")
                 .arg(Hex_Bytes(sequence))
                 .arg(i + 1)
                 .arg(Shown(QString::fromUtf8(sequence)), Shown(QString::fromLatin1(sequence)))});
        return;
    }
}

} // namespace

QVector<Finding> Check_Bytes(const CheckedFile &document)
{
    QVector<Finding> findings;
    for (const DownloadFile::Loss &loss : document.content.losses)
        findings.append({loss.line, Loss_Kind(loss.kind), DownloadFile::Describe(loss)});
    const int mark = Check_Byte_Order_Mark(document.bytes, findings);
    const QVector<DownloadFile::RawLine> lines = DownloadFile::Raw_Lines(document.bytes);
    for (int i = 0; i < lines.size(); ++i) {
        // Where the line stands, not copied: a line may be all of a large file.
        const QByteArray body = QByteArray::fromRawData(
            document.bytes.constData() + lines.at(i).start, lines.at(i).length);
        Check_Utf8(body, i + 1, i == 0 ? mark : 0, findings);
    }
    return findings;
}

} // namespace FileChecks
