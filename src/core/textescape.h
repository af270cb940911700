#pragma once

#include <QByteArray>
#include <QString>

// Texts from files and names made safe to print: no control character reaches a terminal
// or a report raw. The checks spell what they quote this way, so oadtool and the report
// say the same.
namespace TextEscape {

// C0 controls, DEL and the C1 range.
bool Is_Control(ushort code);

// The invisible characters that reorder or mark the direction of the text around them:
// U+200E, U+200F, U+202A to U+202E and U+2066 to U+2069. A name holding one could make a
// terminal show a line other than it is, so they are escaped like controls.
bool Is_Bidi_Format(ushort code);

// Each control character as \xHH and each of Is_Bidi_Format as \uHHHH; line feeds too
// unless keep_line_feeds.
QString Escape_Controls(const QString &text, bool keep_line_feeds);

// A text as it may be printed: each control character as \xHH, each of Is_Bidi_Format as
// \uHHHH and each backslash doubled, so the form is unambiguous.
QString Shown(const QString &text);

// A text quoted in a message, as Shown; one of more than max characters only by its first
// max characters and "...", so that a message stays a line however long the text.
QString Excerpt(const QStringRef &text, int max = 40);

// The length of the well-formed UTF-8 multi-byte sequence that starts at index, else 0.
int Utf8_Length(const QByteArray &bytes, int index);

} // namespace TextEscape
