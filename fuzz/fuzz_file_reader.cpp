// Arbitrary bytes as a download file: what is read must be the simplified Latin-1 lines,
// at most Max_Lines of them, writing them back and reading again must give the same lines,
// and the scale resolution must come from the last non-empty line. A file read without
// a noted loss must come back from a save with every line and every byte of text in it.
#include "downloadfile.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QList>
#include <QRegExp>

namespace {

// The text without the whitespace that reading may fold or drop.
QByteArray Without_Blanks(QByteArray bytes)
{
    bytes.replace(' ', "");
    for (const char blank : {'\t', '\r', '\n', '\v', '\f', '\x85', '\xA0'})
        bytes.replace(blank, "");
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const DownloadFile::Content content = DownloadFile::Read(bytes);

    FUZZ_CHECK(content.lines.size() <= DownloadFile::Max_Lines);

    // The lines as cut at LF by hand, the last one also without its LF.
    QList<QByteArray> raw_lines = bytes.split('\n');
    if (bytes.isEmpty() || bytes.endsWith('\n'))
        raw_lines.removeLast();
    FUZZ_CHECK(content.lines.size() == qMin(raw_lines.size(), DownloadFile::Max_Lines));

    // The scale resolution line's grammar as first written, a regular expression, against
    // the scanner that reads it now.
    static const QRegExp scale_pattern(QStringLiteral("^[Nn]+([0-9]{2,6})$"));
    for (int i = 0; i < content.lines.size(); ++i) {
        const QString &line = content.lines.at(i);
        FUZZ_CHECK(line == line.simplified());
        FUZZ_CHECK(!line.contains(QChar(0)));
        const QByteArray before_nul = raw_lines.at(i).left(raw_lines.at(i).indexOf('\0'));
        const QByteArray kept = raw_lines.at(i).contains('\0') ? before_nul : raw_lines.at(i);
        FUZZ_CHECK(line == QString::fromLatin1(kept).simplified());
        QRegExp pattern = scale_pattern;
        const int value = pattern.exactMatch(line) ? pattern.cap(1).toInt() : -1;
        FUZZ_CHECK(DownloadFile::Scale_Resolution_Of(line) == value);
        FUZZ_CHECK(!DownloadFile::Is_Near_Scale_Line(line) || value < 0);
    }

    // The file's resolution is that of its last non-empty line, when that is a scale
    // resolution line.
    const int resolution = content.scale_resolution;
    const int last_text = DownloadFile::Last_Text_Line(content.lines);
    const int scale_line = DownloadFile::Scale_Line_Index(content.lines);
    FUZZ_CHECK(last_text < 0 || !content.lines.at(last_text).isEmpty());
    for (int i = last_text + 1; i < content.lines.size(); ++i)
        FUZZ_CHECK(content.lines.at(i).isEmpty());
    FUZZ_CHECK(scale_line == (last_text >= 0 && DownloadFile::Scale_Resolution_Of(
                                                    content.lines.at(last_text)) >= 0
                                  ? last_text
                                  : -1));
    FUZZ_CHECK(resolution == -1 || (resolution >= 0 && resolution <= 999999));
    FUZZ_CHECK(
        resolution ==
        (scale_line < 0 ? -1 : DownloadFile::Scale_Resolution_Of(content.lines.at(scale_line))));

    int previous_line = 0;
    for (const DownloadFile::Loss &loss : content.losses) {
        FUZZ_CHECK(loss.line >= previous_line);
        previous_line = loss.line;
    }
    FUZZ_CHECK(content.total_lines == raw_lines.size());
    if (!content.Is_Lossy()) {
        FUZZ_CHECK(content.lines.size() == raw_lines.size());
        for (int i = 0; i < content.lines.size(); ++i)
            FUZZ_CHECK(Without_Blanks(content.lines.at(i).toLatin1()) ==
                       Without_Blanks(raw_lines.at(i)));
    }

    const QByteArray written = DownloadFile::Encode(content.lines);
    const DownloadFile::Content again = DownloadFile::Read(written);
    FUZZ_CHECK(again.lines == content.lines);
    FUZZ_CHECK(again.scale_resolution == content.scale_resolution);
    // Writing is byte for byte: Latin-1 text, CR LF after every line.
    FUZZ_CHECK(DownloadFile::Encode(again.lines) == written);
    FUZZ_CHECK(!again.Is_Lossy() || content.Is_Lossy());
    return 0;
}
