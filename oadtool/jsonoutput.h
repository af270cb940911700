#pragma once

#include <QJsonObject>

class QTextStream;

namespace Oad {

// Writes the object as indented JSON (keys in alphabetical order) and a newline.
void Write_Json(QTextStream &out, const QJsonObject &object);

} // namespace Oad
