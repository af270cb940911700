#include "diffcommand.h"

#include "document.h"
#include "fieldtext.h"
#include "jsonoutput.h"

#include <QHash>
#include <QJsonArray>
#include <QTextStream>

namespace Oad {

namespace {

struct FieldChange
{
    const ParsedLine *line_a = nullptr;
    const ParsedLine *line_b = nullptr;
    int item = 0;
};

struct Differences
{
    QVector<FieldChange> changed;
    QVector<const ParsedLine *> only_in_a;
    QVector<const ParsedLine *> only_in_b;
    QVector<const ParsedLine *> raw_only_in_a;
    QVector<const ParsedLine *> raw_only_in_b;

    bool Is_Empty() const
    {
        return changed.isEmpty() && only_in_a.isEmpty() && only_in_b.isEmpty() &&
               raw_only_in_a.isEmpty() && raw_only_in_b.isEmpty();
    }
};

QString Token_Of(int number)
{
    return QStringLiteral("S%1").arg(QString::number(number, 16).toUpper());
}

// The described parameter lines of a file by number, each number's lines in file order.
QHash<int, QVector<const ParsedLine *>> Parameter_Lines(const Document &document,
                                                        QVector<int> *order)
{
    QHash<int, QVector<const ParsedLine *>> lines;
    for (const ParsedLine &line : document.lines) {
        if (!line.Is_Described())
            continue;
        const int number = line.description.number;
        if (!lines.contains(number))
            order->append(number);
        lines[number].append(&line);
    }
    return lines;
}

// Lines of from whose text does not occur (as often) among the raw lines of other.
QVector<const ParsedLine *> Raw_Only_In(const Document &from, const Document &other)
{
    QHash<QString, int> available;
    for (const ParsedLine &line : other.lines) {
        if (!line.Is_Described() && !line.text.isEmpty())
            ++available[line.text];
    }
    QVector<const ParsedLine *> only;
    for (const ParsedLine &line : from.lines) {
        if (line.Is_Described() || line.text.isEmpty())
            continue;
        int &count = available[line.text];
        if (count > 0)
            --count;
        else
            only.append(&line);
    }
    return only;
}

Differences Compare(const Document &a, const Document &b)
{
    Differences differences;
    QVector<int> order;
    const auto lines_a = Parameter_Lines(a, &order);
    const auto lines_b = Parameter_Lines(b, &order);
    // order holds each number once per file; the first time a number appears decides.
    QVector<int> seen;
    for (const int number : qAsConst(order)) {
        if (seen.contains(number))
            continue;
        seen.append(number);
        const auto list_a = lines_a.value(number);
        const auto list_b = lines_b.value(number);
        // The k-th line of a parameter in one file meets the k-th line of it in the other.
        const int paired = qMin(list_a.size(), list_b.size());
        for (int k = 0; k < paired; ++k) {
            const ParsedLine *line_a = list_a.at(k);
            const ParsedLine *line_b = list_b.at(k);
            for (int i = 0; i < line_a->fields.size(); ++i) {
                const FieldReading &field_a = line_a->fields.at(i);
                const FieldReading &field_b = line_b->fields.at(i);
                if (field_a.present != field_b.present || field_a.value != field_b.value)
                    differences.changed.append({line_a, line_b, i});
            }
        }
        for (int k = paired; k < list_a.size(); ++k)
            differences.only_in_a.append(list_a.at(k));
        for (int k = paired; k < list_b.size(); ++k)
            differences.only_in_b.append(list_b.at(k));
    }
    differences.raw_only_in_a = Raw_Only_In(a, b);
    differences.raw_only_in_b = Raw_Only_In(b, a);
    return differences;
}

QJsonArray Lines_Json(const QVector<const ParsedLine *> &lines, bool with_parameter)
{
    QJsonArray array;
    for (const ParsedLine *line : lines) {
        QJsonObject object;
        object.insert(QStringLiteral("line"), line->number);
        object.insert(QStringLiteral("text"), line->text);
        if (with_parameter) {
            object.insert(QStringLiteral("parameter"), line->description.number);
            object.insert(QStringLiteral("token"), Token_Of(line->description.number));
        }
        array.append(object);
    }
    return array;
}

void Write_Json_Result(Console &console, const Document &a, const Document &b,
                       const Differences &differences, int resolution_a, int resolution_b)
{
    QJsonArray changed;
    for (const FieldChange &change : differences.changed) {
        const FieldReading &field_a = change.line_a->fields.at(change.item);
        const FieldReading &field_b = change.line_b->fields.at(change.item);
        QJsonObject object;
        object.insert(QStringLiteral("parameter"), change.line_a->description.number);
        object.insert(QStringLiteral("token"), Token_Of(change.line_a->description.number));
        object.insert(QStringLiteral("letter"), QString(field_a.item.letter));
        object.insert(QStringLiteral("scaled"), field_a.item.scaled);
        object.insert(QStringLiteral("help"), field_a.item.help);
        object.insert(QStringLiteral("line_a"), change.line_a->number);
        object.insert(QStringLiteral("line_b"), change.line_b->number);
        object.insert(QStringLiteral("a"), Value_Json(field_a, resolution_a));
        object.insert(QStringLiteral("b"), Value_Json(field_b, resolution_b));
        changed.append(object);
    }
    QJsonObject root;
    root.insert(QStringLiteral("a"), a.path);
    root.insert(QStringLiteral("b"), b.path);
    root.insert(QStringLiteral("resolution_a"), resolution_a);
    root.insert(QStringLiteral("resolution_b"), resolution_b);
    root.insert(QStringLiteral("equal"), differences.Is_Empty());
    root.insert(QStringLiteral("changed"), changed);
    root.insert(QStringLiteral("only_in_a"), Lines_Json(differences.only_in_a, true));
    root.insert(QStringLiteral("only_in_b"), Lines_Json(differences.only_in_b, true));
    root.insert(QStringLiteral("raw_only_in_a"), Lines_Json(differences.raw_only_in_a, false));
    root.insert(QStringLiteral("raw_only_in_b"), Lines_Json(differences.raw_only_in_b, false));
    Write_Json(console.out, root);
}

void Write_Text_Result(Console &console, const Document &a, const Document &b,
                       const Differences &differences, int resolution_a, int resolution_b)
{
    QTextStream &out = console.out;
    out << "--- " << a.path << '\n' << "+++ " << b.path << '\n';
    for (const FieldChange &change : differences.changed) {
        const FieldReading &field_a = change.line_a->fields.at(change.item);
        const FieldReading &field_b = change.line_b->fields.at(change.item);
        const QString heading =
            QStringLiteral("%1.%2  line %3 / line %4  ")
                .arg(Token_Of(change.line_a->description.number), QString(field_a.item.letter))
                .arg(change.line_a->number)
                .arg(change.line_b->number);
        out << heading << Indented_Help(field_a.item.help, heading.length()) << '\n';
        out << "  - " << Value_Text(field_a, resolution_a) << '\n';
        out << "  + " << Value_Text(field_b, resolution_b) << '\n';
    }
    const auto write_lines = [&out](const QVector<const ParsedLine *> &lines, char sign,
                                    bool parameter) {
        for (const ParsedLine *line : lines) {
            const QString label =
                parameter ? Token_Of(line->description.number) : QStringLiteral("raw");
            out << sign << ' ' << label << "  line " << line->number << ": " << line->text << '\n';
        }
    };
    write_lines(differences.only_in_a, '-', true);
    write_lines(differences.only_in_b, '+', true);
    write_lines(differences.raw_only_in_a, '-', false);
    write_lines(differences.raw_only_in_b, '+', false);
}

} // namespace

int Run_Diff(const Options &options, Console &console)
{
    Document a;
    Document b;
    QString error;
    if (!Load_Document(options.arguments.at(0), &a, &error) ||
        !Load_Document(options.arguments.at(1), &b, &error)) {
        console.err << "oadtool: " << error << '\n';
        return Exit_Trouble;
    }
    // Each file's counts are shown in its own millimetres unless the option says otherwise.
    const int resolution_a = Choose_Resolution(a, options.resolution).value;
    const int resolution_b = Choose_Resolution(b, options.resolution).value;
    const Differences differences = Compare(a, b);
    if (options.json)
        Write_Json_Result(console, a, b, differences, resolution_a, resolution_b);
    else if (!differences.Is_Empty())
        Write_Text_Result(console, a, b, differences, resolution_a, resolution_b);
    return differences.Is_Empty() ? Exit_Ok : Exit_Found;
}

} // namespace Oad
