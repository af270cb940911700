#include "setcommand.h"

#include "assignment.h"
#include "document.h"
#include "valueformat.h"

#include <QMap>
#include <QSet>
#include <QTextStream>

namespace Oad {

namespace {

// The items being set on one line, and their new digits, for the editor's line rewrite.
struct LineEdit
{
    ParameterDescription description;
    QStringList hex_texts;
};

// Saving rewrites the file from its stored lines; refuse when that would lose text.
QString Lossy_Save_Reason(const Document &document)
{
    int line_count = document.bytes.count('\n');
    if (!document.bytes.isEmpty() && !document.bytes.endsWith('\n'))
        ++line_count;
    if (line_count > DownloadFile::Max_Lines)
        return QStringLiteral("%1 has %2 lines; saving keeps only the first %3")
            .arg(document.path)
            .arg(line_count)
            .arg(DownloadFile::Max_Lines);
    if (document.bytes.contains('\0'))
        return QStringLiteral("%1 holds a NUL byte; saving would drop the rest of its line")
            .arg(document.path);
    return QString();
}

QString Letters_Of(const ParameterDescription &description)
{
    QStringList letters;
    for (const ParameterItem &item : description.items)
        letters.append(QString(item.letter));
    return letters.join(QStringLiteral(", "));
}

} // namespace

int Run_Set(const Options &options, Console &console)
{
    const QString path = options.arguments.at(0);
    QVector<Assignment> assignments;
    for (int i = 1; i < options.arguments.size(); ++i) {
        const auto assignment = Parse_Assignment(options.arguments.at(i));
        if (!assignment) {
            console.err << "oadtool: " << options.arguments.at(i)
                        << " is no assignment; write it as S1.X=2000 (see oadtool --help)\n";
            return Exit_Trouble;
        }
        assignments.append(*assignment);
    }

    Document document;
    QString error;
    if (!Load_Document(path, &document, &error)) {
        console.err << "oadtool: " << error << '\n';
        return Exit_Trouble;
    }
    const Resolution resolution = Choose_Resolution(document, options.resolution);
    const TParameterTable table;

    QStringList errors;
    const QString lossy = Lossy_Save_Reason(document);
    if (!lossy.isEmpty())
        errors.append(lossy);
    QMap<int, LineEdit> edits; // stored line index -> what to rewrite there
    QSet<QString> seen;
    for (const Assignment &assignment : qAsConst(assignments)) {
        const auto reject = [&](const QString &reason) {
            errors.append(QStringLiteral("%1: %2").arg(assignment.argument, reason));
        };
        const QString name = QStringLiteral("%1.%2").arg(assignment.token, assignment.letter);
        if (seen.contains(name)) {
            reject(QStringLiteral("%1 is given more than once").arg(name));
            continue;
        }
        seen.insert(name);
        const ParameterDescription description = table.Get_Description(assignment.parameter);
        if (description.number < 0) {
            reject(QStringLiteral("parameter %1 (%2) is not described")
                       .arg(assignment.token)
                       .arg(assignment.parameter));
            continue;
        }
        int item_index = -1;
        for (int i = 0; i < description.items.size(); ++i) {
            if (description.items.at(i).letter == assignment.letter)
                item_index = i;
        }
        if (item_index < 0) {
            reject(QStringLiteral("parameter %1 has no field %2 (it has %3)")
                       .arg(assignment.token, assignment.letter, Letters_Of(description)));
            continue;
        }
        // The first line with the parameter is the one changed, as documented.
        const ParsedLine *target = nullptr;
        for (const ParsedLine &line : qAsConst(document.lines)) {
            if (line.Is_Described() && line.description.number == assignment.parameter) {
                target = &line;
                break;
            }
        }
        if (!target) {
            reject(QStringLiteral("no line carries parameter %1").arg(assignment.token));
            continue;
        }
        const FieldReading &field = target->fields.at(item_index);
        if (!field.present) {
            reject(QStringLiteral("line %1 (%2) has no field %3; oadtool does not add fields")
                       .arg(target->number)
                       .arg(target->text, assignment.letter));
            continue;
        }
        QString value_error;
        const auto value =
            Parse_Value(assignment.value_text, field.item, resolution.value, &value_error);
        if (!value) {
            reject(value_error);
            continue;
        }
        LineEdit &edit = edits[target->number - 1];
        edit.description.number = description.number;
        edit.description.items.append(field.item);
        edit.hex_texts.append(ValueFormat::Hex_Text(*value));
    }
    if (!errors.isEmpty()) {
        for (const QString &message : qAsConst(errors))
            console.err << "oadtool: " << message << '\n';
        console.err << "oadtool: nothing written to " << path << '\n';
        return Exit_Found;
    }

    // Only the items being set are handed to the rewrite, so every other field keeps its
    // exact digits (leading zeros included).
    QStringList lines = document.content.lines;
    for (auto it = edits.cbegin(); it != edits.cend(); ++it)
        lines[it.key()] = LineSyntax::Rewrite_Line(lines.at(it.key()), it.value().description,
                                                   it.value().hex_texts);
    if (!DownloadFile::Save_File(path, lines)) {
        console.err << "oadtool: cannot write " << path << '\n';
        return Exit_Trouble;
    }
    for (auto it = edits.cbegin(); it != edits.cend(); ++it)
        console.out << path << ':' << it.key() + 1 << ": " << document.content.lines.at(it.key())
                    << " -> " << lines.at(it.key()) << '\n';
    return Exit_Ok;
}

} // namespace Oad
