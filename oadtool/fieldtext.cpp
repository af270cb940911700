#include "fieldtext.h"

#include "valueformat.h"

#include <QJsonValue>

namespace Oad {

QString Mm_Of(const FieldReading &field, int resolution)
{
    if (!field.present || !field.item.scaled)
        return QString();
    return ValueFormat::Mm_Text(ValueFormat::To_Millimetres(field.value, resolution));
}

QString Value_Text(const FieldReading &field, int resolution)
{
    if (!field.present)
        return QStringLiteral("not present");
    QString text = QStringLiteral("%1  hex %2")
                       .arg(ValueFormat::Int_Text(field.value), ValueFormat::Hex_Text(field.value));
    const QString mm = Mm_Of(field, resolution);
    if (!mm.isEmpty())
        text += QStringLiteral("  mm %1").arg(mm);
    return text;
}

QJsonObject Value_Json(const FieldReading &field, int resolution)
{
    QJsonObject object;
    object.insert(QStringLiteral("present"), field.present);
    object.insert(QStringLiteral("int"), field.present ? QJsonValue(field.value) : QJsonValue());
    object.insert(QStringLiteral("hex"),
                  field.present ? QJsonValue(ValueFormat::Hex_Text(field.value)) : QJsonValue());
    const QString mm = Mm_Of(field, resolution);
    object.insert(QStringLiteral("mm"), mm.isEmpty() ? QJsonValue() : QJsonValue(mm));
    return object;
}

QJsonObject Field_Json(const FieldReading &field, int resolution)
{
    QJsonObject object = Value_Json(field, resolution);
    object.insert(QStringLiteral("letter"), QString(field.item.letter));
    object.insert(QStringLiteral("scaled"), field.item.scaled);
    object.insert(QStringLiteral("help"), field.item.help);
    return object;
}

} // namespace Oad
