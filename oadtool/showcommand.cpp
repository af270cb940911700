#include "showcommand.h"

#include "console.h"
#include "document.h"
#include "fieldtext.h"
#include "jsonwriter.h"
#include "valueformat.h"

namespace Oad {

namespace {

void Write_Line_Json(TJsonWriter &json, const Line &line, int resolution)
{
    const bool has_token = line.read.split.is_parameter_line;
    json.Begin_Object();
    json.Key("fields").Begin_Array();
    for (const LineSyntax::FieldReading &field : line.read.fields)
        Write_Field(json, field, resolution);
    json.End_Array();
    json.Key("kind").Text(line.read.Is_Described() ? QStringLiteral("parameter")
                                                   : QStringLiteral("raw"));
    json.Key("line").Number(line.number);
    json.Key("parameter")
        .Number_Or_Null(has_token ? std::optional<qint64>(line.read.Number()) : std::nullopt);
    json.Key("text").Text(line.text);
    json.Key("token");
    if (has_token)
        json.Text(line.read.split.token);
    else
        json.Null();
    json.End_Object();
}

void Write_Json(const Document &document, const Resolution &resolution, TConsole &console)
{
    TJsonWriter json(console);
    json.Begin_Object();
    json.Key("complete").Boolean(document.complete);
    json.Key("file").Text(Json_Name(document.path));
    json.Key("lines").Begin_Array();
    for (const Line &line : document.lines)
        Write_Line_Json(json, line, resolution.value);
    json.End_Array();
    json.Key("resolution").Number(resolution.value);
    json.Key("resolution_line")
        .Number_Or_Null(resolution.line > 0 ? std::optional<qint64>(resolution.line)
                                            : std::nullopt);
    json.Key("resolution_source").Text(Source_Name(resolution.source));
    json.Key("total_lines").Number(document.content.total_lines);
    json.End_Object();
}

// The rows of a described parameter line: letter, integer (right-aligned), hexadecimal,
// millimetres, help text; "not present" spans the value columns.
QString Field_Rows(const Line &line, int resolution)
{
    QVector<QStringList> cells;
    int widths[3] = {0, 0, 0};
    for (const LineSyntax::FieldReading &field : line.read.fields) {
        QStringList row{QStringLiteral("not present"), QString(), QString()};
        if (field.present) {
            const QString mm = Mm_Of(field.value, field.item.scaled, resolution);
            row = QStringList{ValueFormat::Int_Text(field.value),
                              QStringLiteral("hex ") + ValueFormat::Hex_Text(field.value),
                              mm.isEmpty() ? QString() : QStringLiteral("mm ") + mm};
            for (int column = 0; column < 3; ++column)
                widths[column] = qMax(widths[column], row.at(column).length());
        }
        cells.append(row);
    }
    int values_width = 0;
    for (int column = 0; column < 3; ++column)
        if (widths[column] > 0)
            values_width += (column > 0 ? 2 : 0) + widths[column];
    QString rows;
    for (int i = 0; i < line.read.fields.size(); ++i) {
        const LineSyntax::FieldReading &field = line.read.fields.at(i);
        const QStringList &row = cells.at(i);
        QString values = row.at(0);
        if (field.present) {
            values = row.at(0).rightJustified(widths[0]);
            for (int column = 1; column < 3; ++column)
                if (widths[column] > 0)
                    values += QStringLiteral("  ") + row.at(column).leftJustified(widths[column]);
        }
        const QString text = QStringLiteral("        %1  %2  ")
                                 .arg(field.item.letter)
                                 .arg(values.leftJustified(values_width));
        // A help text of several lines stays in its column.
        rows += text + Indented_Help(field.item.help, text.length()) + QLatin1Char('\n');
    }
    return rows;
}

// One line with its number, and its fields; the line's text streamed, as it may be long.
void Write_Line(const Line &line, int resolution, TConsole &console)
{
    const QString number = QStringLiteral("%1").arg(line.number, 4);
    QString label = QStringLiteral("raw");
    if (line.read.Is_Described())
        label = QStringLiteral("parameter %1").arg(line.read.Number());
    else if (line.read.split.is_parameter_line)
        label += QStringLiteral(" (parameter %1 not described)").arg(line.read.Number());
    // An empty line ends at its colon.
    console.Out(QStringLiteral("%1  %2:").arg(number, label) +
                (line.text.isEmpty() ? QString() : QStringLiteral(" ")));
    console.Out_Shown(line.text);
    console.Out(QStringLiteral("\n") +
                (line.read.Is_Described() ? Field_Rows(line, resolution) : QString()));
}

// What of the file the editor does not read, when there is something; after the file's
// name unless textconv.
QString Unread_Note(const Document &document, bool textconv)
{
    const int read = document.lines.size();
    const int total = document.content.total_lines;
    QString note;
    if (!document.complete)
        note = QStringLiteral("reading stopped after %1 bytes, in line %2; the rest is not read")
                   .arg(DownloadFile::Max_Read_Bytes)
                   .arg(total);
    else if (total == read + 1)
        note = QStringLiteral("line %1 is not read: the editor reads the first %2")
                   .arg(total)
                   .arg(read);
    else if (total > read)
        note = QStringLiteral("lines %1 to %2 are not read: the editor reads the first %3")
                   .arg(read + 1)
                   .arg(total)
                   .arg(read);
    if (note.isEmpty())
        return note;
    return textconv ? note + QLatin1Char('\n')
                    : QStringLiteral("%1: %2\n").arg(Shown_Name(document.path), note);
}

} // namespace

int Run_Show(const Options &options, TConsole &console)
{
    return For_Each_Document(
        options.arguments, console, options.json, [&](const Document &document) {
            const Resolution resolution = Choose_Resolution(document, options.resolution);
            if (options.json) {
                Write_Json(document, resolution, console);
                return Exit_Ok;
            }
            const int count = document.lines.size();
            // git's textconv passes a temporary name: printed, it would differ in every diff.
            QString text =
                options.textconv ? QString() : Shown_Name(document.path) + QStringLiteral(": ");
            text += QStringLiteral("%1 %2, scale resolution %3\n")
                        .arg(QString::number(count),
                             count == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                             Resolution_Text(resolution));
            console.Out(text);
            for (const Line &line : qAsConst(document.lines))
                Write_Line(line, resolution.value, console);
            console.Out(Unread_Note(document, options.textconv));
            return Exit_Ok;
        });
}

} // namespace Oad
