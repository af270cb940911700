#include "fieldtext.h"

#include "valueformat.h"

#include <QJsonValue>

namespace Oad {

std::optional<qint32> Value_Of(const LineSyntax::FieldReading &field)
{
    return field.present ? std::optional<qint32>(field.value) : std::nullopt;
}

QString Mm_Of(std::optional<qint32> value, bool scaled, int resolution)
{
    if (!value || !scaled)
        return QString();
    return ValueFormat::Mm_Text(ValueFormat::To_Millimetres(*value, resolution));
}

QString Value_Text(std::optional<qint32> value, bool scaled, int resolution)
{
    if (!value)
        return QStringLiteral("not present");
    QString text = QStringLiteral("%1  hex %2")
                       .arg(ValueFormat::Int_Text(*value), ValueFormat::Hex_Text(*value));
    const QString mm = Mm_Of(value, scaled, resolution);
    if (!mm.isEmpty())
        text += QStringLiteral("  mm %1").arg(mm);
    return text;
}

QJsonObject Value_Json(std::optional<qint32> value, bool scaled, int resolution)
{
    QJsonObject object;
    object.insert(QStringLiteral("present"), value.has_value());
    object.insert(QStringLiteral("int"), value ? QJsonValue(*value) : QJsonValue());
    object.insert(QStringLiteral("hex"),
                  value ? QJsonValue(ValueFormat::Hex_Text(*value)) : QJsonValue());
    const QString mm = Mm_Of(value, scaled, resolution);
    object.insert(QStringLiteral("mm"), mm.isEmpty() ? QJsonValue() : QJsonValue(mm));
    return object;
}

QJsonObject Field_Json(const LineSyntax::FieldReading &field, int resolution)
{
    QJsonObject object = Value_Json(Value_Of(field), field.item.scaled, resolution);
    object.insert(QStringLiteral("letter"), QString(field.item.letter));
    object.insert(QStringLiteral("scaled"), field.item.scaled);
    object.insert(QStringLiteral("help"), field.item.help);
    return object;
}

} // namespace Oad
