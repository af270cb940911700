#include "console.h"
#include "options.h"
#include "textescape.h"

#include <QFile>

namespace Oad {

namespace {

QString Escaped(ushort code)
{
    return QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
}

QString Name_Text(const QString &path, bool for_terminal)
{
    if (path == QLatin1String("-"))
        return path;
    const QByteArray bytes = QFile::encodeName(path);
    QString text;
    for (int i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<uchar>(bytes.at(i));
        const int length = byte < 0x80 ? 1 : Utf8_Length(bytes, i);
        const QString decoded = QString::fromUtf8(bytes.mid(i, qMax(length, 1)));
        const ushort code = decoded.at(0).unicode();
        if (length == 0 ||
            (length > 1 && (TextEscape::Is_Control(code) || TextEscape::Is_Bidi_Format(code)))) {
            // Not UTF-8, or a control or direction mark spelt in it: each of its bytes.
            text += Escaped(byte);
            continue;
        }
        if (for_terminal)
            text += Shown(decoded);
        else // JSON escapes the rest; the backslash is doubled to tell \xHH from the name
            text += code == '\\' ? QStringLiteral("\\\\") : decoded;
        i += length - 1;
    }
    return text;
}

} // namespace

TConsole::TConsole(QIODevice &out, QIODevice &err)
    : d_out(out)
    , d_err(err)
{}

// Escaped and encoded in pieces, so that a long text costs a piece, not twice its size.
void TConsole::Write(QIODevice &device, const QStringRef &text, bool shown)
{
    constexpr int Piece = 16 * 1024;
    for (int start = 0; start < text.size();) {
        int length = qMin(Piece, text.size() - start);
        if (start + length < text.size() && text.at(start + length - 1).isHighSurrogate())
            ++length; // a character of two halves stays whole
        const QString piece = text.mid(start, length).toString();
        const QString escaped =
            shown ? Shown(piece) : TextEscape::Escape_Controls(piece, /*keep_line_feeds=*/true);
        const QByteArray bytes = escaped.toUtf8();
        if (device.write(bytes) != bytes.size() && &device == &d_out)
            d_out_failed = true;
        start += length;
    }
}

void TConsole::Out(const QString &text)
{
    Write(d_out, &text, false);
}

void TConsole::Out_Shown(const QString &text)
{
    Write(d_out, &text, true);
}

void TConsole::Err(const QString &text)
{
    Write(d_err, &text, false);
}

void TConsole::Complain(const QString &message)
{
    Err(QStringLiteral("oadtool: %1\n").arg(message));
}

void TConsole::Warn(const QString &message)
{
    Err(QStringLiteral("oadtool: warning: %1\n").arg(message));
}

void TConsole::Out_Raw(const QByteArray &bytes)
{
    if (d_out.write(bytes) != bytes.size())
        d_out_failed = true;
}

bool TConsole::Flush_Out()
{
    auto *file = qobject_cast<QFileDevice *>(&d_out);
    if (file && !file->flush())
        d_out_failed = true;
    if (d_out_failed && !d_out_failure_told) {
        Complain(QStringLiteral("cannot write to standard output: %1").arg(d_out.errorString()));
        d_out_failure_told = true;
    }
    return !d_out_failed;
}

int TConsole::Finish(int status)
{
    return Flush_Out() || status == Exit_Unreported ? status : Exit_Trouble;
}

QString Shown_Name(const QString &path)
{
    return Name_Text(path, true);
}

QString Json_Name(const QString &path)
{
    return Name_Text(path, false);
}

QString Clause(const QString &reason)
{
    return reason.endsWith(QLatin1Char('.')) ? reason.chopped(1) : reason;
}

} // namespace Oad
