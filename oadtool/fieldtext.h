#pragma once

#include "linesyntax.h"

#include <QString>

#include <optional>

// A field value in the three forms the editor shows, for text and for JSON.
namespace Oad {

class TJsonWriter;

// The value of a field that is there; none when it is missing.
std::optional<qint32> Value_Of(const LineSyntax::FieldReading &field);

// Millimetres with four decimals, empty for an unscaled item or a missing value.
QString Mm_Of(std::optional<qint32> value, bool scaled, int resolution);

// "1000  hex 3E8  mm 0.1000", or "not present".
QString Value_Text(std::optional<qint32> value, bool scaled, int resolution);

// {"hex", "int", "mm", "present"}; the values are null when the field is missing, "mm"
// also when the item is not scaled.
void Write_Value(TJsonWriter &json, std::optional<qint32> value, bool scaled, int resolution);

// Write_Value's members and {"help", "letter", "scaled"}.
void Write_Field(TJsonWriter &json, const LineSyntax::FieldReading &field, int resolution);

} // namespace Oad
