#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The three ways the editor shows a field value, and the parsing of what the user
// types into each of them. All of it is independent of the user's locale.
namespace ValueFormat {

// Signed decimal: "1000", "-5".
QString Int_Text(qint32 value);

// The 32-bit two's-complement pattern in upper-case hexadecimal without leading zeros:
// "FF", "0", "FFFFFFFF" for -1.
QString Hex_Text(qint32 value);

// Millimetres with exactly four decimals and a point: "1.5000", "-0.0010".
// A value that is not finite (there is no scale resolution) has no text: "".
QString Mm_Text(double millimetres);

// The value in millimetres at the given counts per millimetre; NaN, which has no text,
// when the resolution is not positive.
double To_Millimetres(qint32 value, int resolution);

// What a typed text stands for: a value, or the reason why it is none.
struct Reading
{
    std::optional<qint32> value;
    QString error;        // empty when there is a value
    bool clamped = false; // the value was cut to the signed 32-bit range (Read_Mm)

    bool Is_Valid() const { return value.has_value(); }
};

// The one reading of what a user or a script types; every view and oadtool use these.
// Blanks around the text are allowed everywhere.
// A signed decimal integer from -2147483648 to 4294967295; above 2147483647 the same
// 32 bits are meant (4294967295 is -1).
Reading Read_Int(const QString &text);
// One to eight hexadecimal digits of either case, with or without 0x.
Reading Read_Hex(const QString &text);
// Millimetres with a decimal point or comma, converted exactly: the decimal digits times
// the resolution, rounded half away from zero, clamped to the signed 32-bit range (and then
// marked clamped).
// No value when the resolution is not positive.
Reading Read_Mm(const QString &text, int resolution);

} // namespace ValueFormat
