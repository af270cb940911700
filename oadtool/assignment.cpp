#include "assignment.h"

#include "valueformat.h"

#include <QRegExp>

#include <cmath>
#include <limits>

namespace Oad {

std::optional<Assignment> Parse_Assignment(const QString &argument)
{
    QRegExp pattern(QStringLiteral("^(S[0-9A-Fa-f]{1,2})\\.([A-Za-z])=(.+)$"));
    if (!pattern.exactMatch(argument))
        return std::nullopt;
    Assignment assignment;
    assignment.argument = argument;
    assignment.token = QLatin1Char('S') + pattern.cap(1).mid(1).toUpper();
    assignment.parameter = LineSyntax::Get_Parameter_Number(assignment.token);
    assignment.letter = pattern.cap(2).at(0);
    assignment.value_text = pattern.cap(3);
    return assignment;
}

std::optional<qint32> Parse_Value(const QString &text, const ParameterItem &item, int resolution,
                                  QString *error)
{
    const QRegExp integer(QStringLiteral("^[+-]?[0-9]+$"));
    const QRegExp hexadecimal(QStringLiteral("^0[xX]([0-9A-Fa-f]+)$"));
    const QRegExp millimetres(QStringLiteral("^(.+)mm$"));
    if (integer.exactMatch(text)) {
        bool ok = false;
        const qlonglong value = text.toLongLong(&ok, 10);
        if (!ok || value < std::numeric_limits<qint32>::min() ||
            value > std::numeric_limits<quint32>::max()) {
            *error = QStringLiteral("%1 does not fit 32 bits").arg(text);
            return std::nullopt;
        }
        // Above the signed range the same bits are meant: 4294967295 is FFFFFFFF.
        return static_cast<qint32>(static_cast<quint32>(value & 0xFFFFFFFF));
    }
    if (hexadecimal.exactMatch(text)) {
        if (hexadecimal.cap(1).length() > 8) {
            *error = QStringLiteral("%1 has more than eight hexadecimal digits").arg(text);
            return std::nullopt;
        }
        return ValueFormat::Parse_Hex(text);
    }
    if (millimetres.exactMatch(text)) {
        if (!item.scaled) {
            *error = QStringLiteral("field %1 is not a length; give %2 as an integer or 0x value")
                         .arg(item.letter)
                         .arg(text);
            return std::nullopt;
        }
        bool ok = false;
        const double mm = millimetres.cap(1).toDouble(&ok);
        const double counts = std::round(mm * resolution);
        if (!ok || !std::isfinite(counts)) {
            *error = QStringLiteral("%1 is not a number of millimetres").arg(text);
            return std::nullopt;
        }
        if (counts < std::numeric_limits<qint32>::min() ||
            counts > std::numeric_limits<qint32>::max()) {
            *error = QStringLiteral("%1 at %2 counts per mm does not fit 32 bits")
                         .arg(text)
                         .arg(resolution);
            return std::nullopt;
        }
        // The editor's own conversion, so both round alike.
        return ValueFormat::Parse_Mm(millimetres.cap(1), resolution);
    }
    *error = QStringLiteral("%1 is not a value; give 2000, -5, 0x7D0 or 12.5mm").arg(text);
    return std::nullopt;
}

} // namespace Oad
