#include "valueformat.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>
#include <vector>

namespace ValueFormat {

namespace {

Reading Invalid(const QString &error)
{
    Reading reading;
    reading.error = error;
    return reading;
}

Reading Valid(qint32 value)
{
    Reading reading;
    reading.value = value;
    return reading;
}

QString Range_Error()
{
    return QCoreApplication::translate("ValueFormat", "Outside -2147483648 to 4294967295");
}

QString Not_Integer_Error()
{
    return QCoreApplication::translate("ValueFormat",
                                       "Not a whole number: digits with an optional sign");
}

QString Not_Mm_Error()
{
    return QCoreApplication::translate(
        "ValueFormat", "Not a number of millimetres: digits with one decimal point or comma");
}

bool Is_Decimal_Digit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The magnitude of digits (decimal, most significant first) times factor, as decimal
// digits: long multiplication, so no binary fraction ever stands between text and counts.
std::vector<int> Times(const QString &digits, quint32 factor)
{
    std::vector<int> product; // least significant first
    quint64 carry = 0;
    for (int i = digits.size() - 1; i >= 0; --i) {
        const quint64 step = quint64(digits.at(i).unicode() - '0') * factor + carry;
        product.push_back(int(step % 10));
        carry = step / 10;
    }
    for (; carry > 0; carry /= 10)
        product.push_back(int(carry % 10));
    return product;
}

} // namespace

Reading Read_Int(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Invalid(QCoreApplication::translate("ValueFormat", "Empty: type a whole number"));
    int first_digit = 0;
    if (trimmed.at(0) == QLatin1Char('-') || trimmed.at(0) == QLatin1Char('+'))
        first_digit = 1;
    if (first_digit == trimmed.size())
        return Invalid(Not_Integer_Error());
    for (int i = first_digit; i < trimmed.size(); ++i)
        if (!Is_Decimal_Digit(trimmed.at(i)))
            return Invalid(Not_Integer_Error());
    bool ok = false;
    const qlonglong value = trimmed.toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<qint32>::min() ||
        value > qlonglong(std::numeric_limits<quint32>::max()))
        return Invalid(Range_Error());
    return Valid(static_cast<qint32>(static_cast<quint32>(value & 0xFFFFFFFF)));
}

Reading Read_Hex(const QString &text)
{
    QString digits = text.trimmed();
    const bool prefixed = digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    if (prefixed)
        digits = digits.mid(2);
    if (digits.isEmpty())
        return Invalid(prefixed
                           ? QCoreApplication::translate("ValueFormat", "No digits after 0x")
                           : QCoreApplication::translate(
                                 "ValueFormat", "Empty: type one to eight hexadecimal digits"));
    for (const QChar c : qAsConst(digits))
        if (!Is_Decimal_Digit(c) &&
            !(c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F')))
            return Invalid(QCoreApplication::translate(
                "ValueFormat",
                "Not a hexadecimal number: digits 0-9 and A-F, optionally after 0x"));
    if (digits.size() > 8)
        return Invalid(
            QCoreApplication::translate("ValueFormat", "More than eight hexadecimal digits"));
    return Valid(static_cast<qint32>(digits.toUInt(nullptr, 16)));
}

Reading Read_Mm(const QString &text, int resolution)
{
    if (resolution <= 0)
        return Invalid(QCoreApplication::translate(
            "ValueFormat", "No scale resolution: millimetres cannot be converted"));
    QString number = text.trimmed();
    if (number.isEmpty())
        return Invalid(
            QCoreApplication::translate("ValueFormat", "Empty: type a length in millimetres"));
    bool negative = false;
    if (number.at(0) == QLatin1Char('-') || number.at(0) == QLatin1Char('+')) {
        negative = number.at(0) == QLatin1Char('-');
        number.remove(0, 1);
    }
    int separator = -1;
    for (int i = 0; i < number.size(); ++i) {
        const QChar c = number.at(i);
        if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && separator < 0)
            separator = i;
        else if (!Is_Decimal_Digit(c))
            return Invalid(Not_Mm_Error());
    }
    const int fraction_digits = separator < 0 ? 0 : number.size() - separator - 1;
    if (separator >= 0)
        number.remove(separator, 1);
    if (number.isEmpty())
        return Invalid(Not_Mm_Error());

    // counts = digits * resolution / 10^fraction_digits, rounded half away from zero.
    const std::vector<int> product = Times(number, static_cast<quint32>(resolution));
    const int first_dropped = fraction_digits - 1;
    quint64 magnitude = 0;
    bool overflow = false;
    for (int i = int(product.size()) - 1; i >= fraction_digits; --i) {
        magnitude = magnitude * 10 + quint64(product[size_t(i)]);
        if (magnitude > quint64(1) << 32)
            overflow = true, magnitude = quint64(1) << 32;
    }
    if (first_dropped >= 0 && first_dropped < int(product.size()) &&
        product[size_t(first_dropped)] >= 5)
        ++magnitude;
    const quint64 limit = negative ? quint64(1) << 31 : (quint64(1) << 31) - 1;
    const bool clamped = overflow || magnitude > limit;
    if (clamped)
        magnitude = limit;
    Reading reading =
        Valid(negative ? static_cast<qint32>(-qint64(magnitude)) : static_cast<qint32>(magnitude));
    reading.clamped = clamped;
    return reading;
}

QString Int_Text(qint32 value)
{
    return QString::number(value);
}

QString Hex_Text(qint32 value)
{
    // The bit pattern, not the signed number: -1 is FFFFFFFF. Written digit by digit: a
    // fleet of files shows this for every field, and number() and toUpper() cost a string
    // each.
    static const char Digits[] = "0123456789ABCDEF";
    QChar digits[8];
    int first = 8;
    auto bits = static_cast<quint32>(value);
    do {
        digits[--first] = QLatin1Char(Digits[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    return QString(digits + first, 8 - first);
}

QString Mm_Text(double millimetres)
{
    if (!std::isfinite(millimetres))
        return QString();
    return QString::number(millimetres, 'f', 4);
}

double To_Millimetres(qint32 value, int resolution)
{
    if (resolution <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(value) / static_cast<double>(resolution);
}

} // namespace ValueFormat
