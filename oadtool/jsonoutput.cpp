#include "jsonoutput.h"

#include <QJsonDocument>
#include <QTextStream>

namespace Oad {

void Write_Json(QTextStream &out, const QJsonObject &object)
{
    // toJson() yields UTF-8; decoding it keeps the stream's own encoding in charge.
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    out.flush();
}

} // namespace Oad
