#include "showcommand.h"

#include "console.h"
#include "document.h"
#include "fieldtext.h"
#include "valueformat.h"

#include <QJsonArray>
#include <QJsonObject>

namespace Oad {

namespace {

QJsonObject Line_Json(const Line &line, int resolution)
{
    const bool has_token = line.read.split.is_parameter_line;
    QJsonArray fields;
    for (const LineSyntax::FieldReading &field : line.read.fields)
        fields.append(Field_Json(field, resolution));
    return QJsonObject{
        {QStringLiteral("line"), line.number},
        {QStringLiteral("text"), line.text},
        {QStringLiteral("kind"),
         line.read.Is_Described() ? QStringLiteral("parameter") : QStringLiteral("raw")},
        {QStringLiteral("parameter"), has_token ? QJsonValue(line.read.Number()) : QJsonValue()},
        {QStringLiteral("token"), has_token ? QJsonValue(line.read.split.token) : QJsonValue()},
        {QStringLiteral("fields"), fields}};
}

void Write_Json(const Document &document, const Resolution &resolution, TConsole &console)
{
    QJsonArray lines;
    for (const Line &line : document.lines)
        lines.append(Line_Json(line, resolution.value));
    console.Out_Json(
        QJsonObject{{QStringLiteral("file"), Json_Name(document.path)},
                    {QStringLiteral("resolution"), resolution.value},
                    {QStringLiteral("resolution_source"), Source_Name(resolution.source)},
                    {QStringLiteral("resolution_line"),
                     resolution.line > 0 ? QJsonValue(resolution.line) : QJsonValue()},
                    {QStringLiteral("total_lines"), document.content.total_lines},
                    {QStringLiteral("complete"), document.complete},
                    {QStringLiteral("lines"), lines}});
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
