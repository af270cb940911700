#include "valueformat.h"

#include <QRegExp>

#include <cmath>
#include <limits>

namespace ValueFormat {

QString Int_Text(qint32 value)
{
    return QString::number(value);
}

QString Hex_Text(qint32 value)
{
    // The bit pattern, not the signed number: -1 is FFFFFFFF.
    return QString::number(static_cast<quint32>(value), 16).toUpper();
}

QString Mm_Text(double millimetres)
{
    if (!std::isfinite(millimetres))
        return QString();
    return QString::number(millimetres, 'f', 4);
}

double To_Millimetres(qint32 value, int resolution)
{
    return static_cast<double>(value) / static_cast<double>(resolution);
}

QString Clean_Hex(const QString &text)
{
    QString cleaned = text.toUpper().simplified();
    cleaned.remove(QLatin1Char(' '));
    QRegExp digits(QStringLiteral("([0-9ABCDEF]{0,8})"), Qt::CaseSensitive, QRegExp::RegExp);
    if (digits.indexIn(cleaned, 0) < 0)
        return QString();
    return digits.cap(1);
}

qint32 Parse_Int(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10); // QString's conversions use the C locale
    return ok ? value : 0;
}

std::optional<qint32> Parse_Hex(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return static_cast<qint32>(value);
}

std::optional<qint32> Parse_Mm(const QString &text, int resolution)
{
    if (resolution == 0)
        return std::nullopt;
    bool ok = false;
    double millimetres = text.toDouble(&ok);
    if (!ok || std::isnan(millimetres))
        millimetres = 0.0;
    double counts = millimetres * resolution;
    counts += millimetres < 0 ? -0.5 : 0.5;
    // Clamp rather than wrap: a huge positive length must not turn negative.
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    if (std::isnan(counts))
        return 0;
    if (counts <= lowest)
        return std::numeric_limits<qint32>::min();
    if (counts >= highest)
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(std::trunc(counts));
}

} // namespace ValueFormat
