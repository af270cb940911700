#pragma once

#include "textescape.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace Oad {

// Where a command writes: results to out, complaints to err, both as UTF-8 whatever the
// locale. No control character reaches the terminal raw: everything but the line feeds
// that end the lines is escaped on the way out, and texts from files and arguments are
// escaped with Shown or Shown_Name before they are put into a line.
class TConsole
{
public:
    TConsole(QIODevice &out, QIODevice &err);

    void Out(const QString &text);
    // Shown(text) on out, written piece by piece: a line may be as long as a file.
    void Out_Shown(const QString &text);
    void Err(const QString &text);
    // One line on err: "oadtool: message".
    void Complain(const QString &message);
    void Warn(const QString &message);
    // Bytes that are already UTF-8 with nothing left to escape: JSON from TJsonWriter.
    void Out_Raw(const QByteArray &bytes);

    // Flushes out: false when anything written to out did not reach it, with the system's
    // reason on err (once).
    bool Flush_Out();
    // Flushes out. A write to out that failed turns status into Exit_Trouble, unless it is
    // Exit_Unreported, which tells of it already.
    int Finish(int status);

private:
    void Write(QIODevice &device, const QStringRef &text, bool shown);

    QIODevice &d_out;
    QIODevice &d_err;
    bool d_out_failed = false;
    bool d_out_failure_told = false;
};

// A text from a file or an argument as it may be printed: each control character as \xHH
// and each backslash doubled, so the form is unambiguous.
using TextEscape::Shown;

// A file name as given (decoded one character per byte), shown: its bytes read as UTF-8
// where they are valid, every other byte as \xHH, and so are the bytes of a control
// character or of a direction mark (Is_Bidi_Format) spelt in UTF-8; other control
// characters and backslashes as in Shown. The name of standard input, "-", stays as it is.
QString Shown_Name(const QString &path);

// The same name for JSON, lossless: as Shown_Name, but the control characters of one byte
// left to JSON's own escapes. So \\ is a backslash, \xHH the byte HH, and every other
// character its UTF-8 bytes.
QString Json_Name(const QString &path);

using TextEscape::Utf8_Length;

// A reason given by Core, which ends its sentences with a full stop, as part of a line.
QString Clause(const QString &reason);

} // namespace Oad
