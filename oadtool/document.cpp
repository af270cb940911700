#include "document.h"

#include <QFile>

#include <cassert>

namespace Oad {

bool Load_Document(const QString &path, Document *document, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    // One read serves both the raw-byte checks and the editor's own reading.
    document->path = path;
    document->bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    document->content = DownloadFile::Read(document->bytes);
    document->lines.clear();
    const QStringList &lines = document->content.lines;
    for (int i = 0; i < lines.size(); ++i)
        document->lines.append(Parse_Line(i + 1, lines.at(i)));
    document->resolution_line = 0;
    if (document->content.scale_resolution >= 0) {
        for (int i = lines.size() - 1; i >= 0; --i) {
            if (!lines.at(i).isEmpty()) {
                document->resolution_line = i + 1;
                break;
            }
        }
    }
    return true;
}

ParsedLine Parse_Line(int number, const QString &text)
{
    static const TParameterTable table;
    ParsedLine parsed;
    parsed.number = number;
    parsed.text = text;
    parsed.split = LineSyntax::Split_Line(text);
    if (!parsed.split.is_parameter_line)
        return parsed;
    parsed.description = table.Get_Description(parsed.split.parameter_number);
    for (const ParameterItem &item : qAsConst(parsed.description.items)) {
        FieldReading field;
        field.item = item;
        const quint32 bits =
            LineSyntax::Get_Field_Value(item.letter, parsed.split.rest, &field.present);
        field.value = static_cast<qint32>(bits);
        parsed.fields.append(field);
    }
    return parsed;
}

Resolution Choose_Resolution(const Document &document, std::optional<int> option)
{
    Resolution resolution;
    if (option) {
        resolution.value = *option;
        resolution.source = Resolution::Source::Option;
    } else if (document.content.scale_resolution > 0) {
        // A line N00 would make every millimetre value infinite; check reports it.
        resolution.value = document.content.scale_resolution;
        resolution.source = Resolution::Source::File;
        resolution.line = document.resolution_line;
    }
    return resolution;
}

QString Source_Name(Resolution::Source source)
{
    switch (source) {
    case Resolution::Source::Default:
        return QStringLiteral("default");
    case Resolution::Source::File:
        return QStringLiteral("file");
    case Resolution::Source::Option:
        return QStringLiteral("option");
    }
    return QString();
}

FieldPlace Locate_Field(QChar letter, const QString &text)
{
    // Replace the field by a marker with the line syntax itself, so the place found here
    // is always the one the editor reads and writes. Text decoded from Latin-1 cannot
    // hold the marker.
    const QChar marker(0xE000);
    assert(!text.contains(marker));
    QString marked = text;
    FieldPlace place;
    if (!LineSyntax::Set_Field_Value(letter, QString(marker), marked))
        return place;
    place.start = marked.indexOf(marker) - 1;
    place.length = text.length() - marked.length() + 2;
    return place;
}

QString Indented_Help(const QString &help, int indent)
{
    QString text = help;
    text.replace(QLatin1Char('\n'), QLatin1Char('\n') + QString(indent, QLatin1Char(' ')));
    return text;
}

} // namespace Oad
