#include "showcommand.h"

#include "document.h"
#include "fieldtext.h"
#include "jsonoutput.h"
#include "valueformat.h"

#include <QJsonArray>
#include <QTextStream>

namespace Oad {

namespace {

QJsonObject Line_Json(const ParsedLine &line, int resolution)
{
    QJsonObject object;
    object.insert(QStringLiteral("line"), line.number);
    object.insert(QStringLiteral("text"), line.text);
    object.insert(QStringLiteral("kind"),
                  line.Is_Described() ? QStringLiteral("parameter") : QStringLiteral("raw"));
    const bool has_token = line.split.is_parameter_line;
    object.insert(QStringLiteral("parameter"),
                  has_token ? QJsonValue(line.split.parameter_number) : QJsonValue());
    object.insert(QStringLiteral("token"), has_token ? QJsonValue(line.split.token) : QJsonValue());
    QJsonArray fields;
    for (const FieldReading &field : line.fields)
        fields.append(Field_Json(field, resolution));
    object.insert(QStringLiteral("fields"), fields);
    return object;
}

QString Resolution_Text(const Resolution &resolution)
{
    switch (resolution.source) {
    case Resolution::Source::File:
        return QStringLiteral("%1 (line %2)").arg(resolution.value).arg(resolution.line);
    case Resolution::Source::Option:
        return QStringLiteral("%1 (--resolution)").arg(resolution.value);
    case Resolution::Source::Default:
        break;
    }
    return QStringLiteral("%1 (default)").arg(resolution.value);
}

void Write_Line(QTextStream &out, const ParsedLine &line, int resolution)
{
    const QString number = QStringLiteral("%1").arg(line.number, 4);
    if (!line.Is_Described()) {
        QString label = QStringLiteral("raw");
        if (line.split.is_parameter_line)
            label +=
                QStringLiteral(" (parameter %1 not described)").arg(line.split.parameter_number);
        QString text = QStringLiteral("%1  %2: %3").arg(number, label, line.text);
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        out << text << '\n';
        return;
    }
    out << QStringLiteral("%1  parameter %2: %3")
               .arg(number)
               .arg(line.split.parameter_number)
               .arg(line.text)
        << '\n';
    // Columns: letter, integer (right-aligned), hexadecimal, millimetres, help text.
    QVector<QStringList> cells;
    int widths[3] = {0, 0, 0};
    for (const FieldReading &field : line.fields) {
        QStringList row;
        if (field.present) {
            row << ValueFormat::Int_Text(field.value)
                << QStringLiteral("hex ") + ValueFormat::Hex_Text(field.value);
            const QString mm = Mm_Of(field, resolution);
            row << (mm.isEmpty() ? QString() : QStringLiteral("mm ") + mm);
        } else {
            row << QStringLiteral("not present") << QString() << QString();
        }
        if (field.present) {
            for (int column = 0; column < 3; ++column)
                widths[column] = qMax(widths[column], row.at(column).length());
        }
        cells.append(row);
    }
    // "not present" spans the value columns, so it does not widen the integer column.
    int values_width = 0;
    for (int column = 0; column < 3; ++column) {
        if (widths[column] > 0)
            values_width += (column > 0 ? 2 : 0) + widths[column];
    }
    for (int i = 0; i < line.fields.size(); ++i) {
        const FieldReading &field = line.fields.at(i);
        const QStringList &row = cells.at(i);
        QString values;
        if (field.present) {
            values = row.at(0).rightJustified(widths[0]);
            for (int column = 1; column < 3; ++column) {
                if (widths[column] > 0)
                    values += QStringLiteral("  ") + row.at(column).leftJustified(widths[column]);
            }
        }
        QString text = QStringLiteral("        %1  ").arg(field.item.letter);
        text += (field.present ? values : row.at(0)).leftJustified(values_width);
        text += QStringLiteral("  ");
        // A help text of several lines stays in its column.
        out << text << Indented_Help(field.item.help, text.length()) << '\n';
    }
}

} // namespace

int Run_Show(const Options &options, Console &console)
{
    Document document;
    QString error;
    if (!Load_Document(options.arguments.at(0), &document, &error)) {
        console.err << "oadtool: " << error << '\n';
        return Exit_Trouble;
    }
    const Resolution resolution = Choose_Resolution(document, options.resolution);

    if (options.json) {
        QJsonObject root;
        root.insert(QStringLiteral("file"), document.path);
        root.insert(QStringLiteral("resolution"), resolution.value);
        root.insert(QStringLiteral("resolution_source"), Source_Name(resolution.source));
        root.insert(QStringLiteral("resolution_line"),
                    resolution.line > 0 ? QJsonValue(resolution.line) : QJsonValue());
        QJsonArray lines;
        for (const ParsedLine &line : qAsConst(document.lines))
            lines.append(Line_Json(line, resolution.value));
        root.insert(QStringLiteral("lines"), lines);
        Write_Json(console.out, root);
        return Exit_Ok;
    }

    console.out << QStringLiteral("%1: %2 lines, scale resolution %3")
                       .arg(document.path)
                       .arg(document.lines.size())
                       .arg(Resolution_Text(resolution))
                << '\n';
    for (const ParsedLine &line : qAsConst(document.lines))
        Write_Line(console.out, line, resolution.value);
    return Exit_Ok;
}

} // namespace Oad
