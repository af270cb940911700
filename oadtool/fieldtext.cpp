#include "fieldtext.h"

#include "jsonwriter.h"
#include "valueformat.h"

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

namespace {

// The members of a value, and of a field when one is given, in alphabetical order.
void Write_Members(TJsonWriter &json, std::optional<qint32> value, bool scaled, int resolution,
                   const LineSyntax::FieldReading *field)
{
    json.Begin_Object();
    if (field)
        json.Key("help").Text(field->item.help);
    json.Key("hex");
    if (value)
        json.Text(ValueFormat::Hex_Text(*value));
    else
        json.Null();
    json.Key("int").Number_Or_Null(value);
    if (field)
        json.Key("letter").Text(QString(field->item.letter));
    const QString mm = Mm_Of(value, scaled, resolution);
    json.Key("mm");
    if (mm.isEmpty())
        json.Null();
    else
        json.Text(mm);
    json.Key("present").Boolean(value.has_value());
    if (field)
        json.Key("scaled").Boolean(field->item.scaled);
    json.End_Object();
}

} // namespace

void Write_Value(TJsonWriter &json, std::optional<qint32> value, bool scaled, int resolution)
{
    Write_Members(json, value, scaled, resolution, nullptr);
}

void Write_Field(TJsonWriter &json, const LineSyntax::FieldReading &field, int resolution)
{
    Write_Members(json, Value_Of(field), field.item.scaled, resolution, &field);
}

} // namespace Oad
