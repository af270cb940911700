#include "textescape.h"

namespace TextEscape {

bool Is_Control(ushort code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

bool Is_Bidi_Format(ushort code)
{
    return code == 0x200E || code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

QString Escape_Controls(const QString &text, bool keep_line_feeds)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (Is_Control(c.unicode()) && !(keep_line_feeds && c == QLatin1Char('\n')))
            escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (Is_Bidi_Format(c.unicode()))
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    return escaped;
}

QString Shown(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return Escape_Controls(doubled, false);
}

QString Excerpt(const QStringRef &text, int max)
{
    if (text.size() <= max)
        return Shown(text.toString());
    return Shown(text.left(max).toString()) + QStringLiteral("...");
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

} // namespace TextEscape
