#include "console.h"
#include "options.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace Oad {

namespace {

bool Is_Control(ushort code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

QString Escaped(ushort code)
{
    return QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
}

// Control characters as \xHH; line feeds too unless keep_line_feeds.
QString Escape_Controls(const QString &text, bool keep_line_feeds)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (Is_Control(c.unicode()) && !(keep_line_feeds && c == QLatin1Char('\n')))
            escaped += Escaped(c.unicode());
        else
            escaped += c;
    }
    return escaped;
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
        if (length == 0 || (length == 2 && Is_Control(decoded.at(0).unicode()))) {
            text += Escaped(byte); // not UTF-8, or a control character spelt in it
            continue;
        }
        text += for_terminal ? Shown(decoded) : decoded;
        i += length - 1;
    }
    return text;
}

} // namespace

TConsole::TConsole(QIODevice &out, QIODevice &err)
    : d_out(out)
    , d_err(err)
{}

void TConsole::Out(const QString &text)
{
    const QByteArray bytes = Escape_Controls(text, true).toUtf8();
    if (d_out.write(bytes) != bytes.size())
        d_out_failed = true;
}

void TConsole::Err(const QString &text)
{
    d_err.write(Escape_Controls(text, true).toUtf8());
}

void TConsole::Complain(const QString &message)
{
    Err(QStringLiteral("oadtool: %1\n").arg(message));
}

void TConsole::Warn(const QString &message)
{
    Err(QStringLiteral("oadtool: warning: %1\n").arg(message));
}

void TConsole::Out_Json(const QJsonObject &object)
{
    // JSON escapes the C0 controls; DEL and the C1 range get the same treatment here.
    const QString json = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    QString text;
    text.reserve(json.size());
    for (const QChar c : json) {
        if (c.unicode() >= 0x7F && c.unicode() <= 0x9F)
            text += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            text += c;
    }
    Out(text);
}

int TConsole::Finish(int status)
{
    auto *file = qobject_cast<QFileDevice *>(&d_out);
    if (file && !file->flush())
        d_out_failed = true;
    if (!d_out_failed)
        return status;
    Complain(QStringLiteral("cannot write to standard output: %1").arg(d_out.errorString()));
    return Exit_Trouble;
}

QString Shown(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return Escape_Controls(doubled, false);
}

QString Shown_Name(const QString &path)
{
    return Name_Text(path, true);
}

QString Json_Name(const QString &path)
{
    return Name_Text(path, false);
}

int Utf8_Length(const QByteArray &bytes, int index)
{
    const auto lead = static_cast<uchar>(bytes.at(index));
    int length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || index + length > bytes.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<uchar>(bytes.at(index + i));
        if (next < 0x80 || next > 0xBF)
            return 0;
    }
    // Overlong forms and surrogates pass the test above; the decoder rejects them.
    const QString decoded = QString::fromUtf8(bytes.mid(index, length));
    return decoded.contains(QChar::ReplacementCharacter) ? 0 : length;
}

} // namespace Oad
