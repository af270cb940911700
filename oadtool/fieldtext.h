#pragma once

#include "document.h"

#include <QJsonObject>
#include <QString>

// A field value in the three forms the editor shows, for text and for JSON.
namespace Oad {

// Millimetres with four decimals, empty for an unscaled item or a missing field.
QString Mm_Of(const FieldReading &field, int resolution);

// "1000  hex 3E8  mm 0.1000", or "not present".
QString Value_Text(const FieldReading &field, int resolution);

// {"letter", "scaled", "help", "present", "int", "hex", "mm"}; the values are null
// when the field is missing, "mm" also when the item is not scaled.
QJsonObject Field_Json(const FieldReading &field, int resolution);

// {"present", "int", "hex", "mm"} only.
QJsonObject Value_Json(const FieldReading &field, int resolution);

} // namespace Oad
