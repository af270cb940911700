#include "assignment.h"

#include "console.h"
#include "valueformat.h"

#include <QRegExp>

namespace Oad {

namespace {

QString Letters_Of(const ParameterDescription &description)
{
    QStringList letters;
    for (const ParameterItem &item : description.items)
        letters.append(QString(item.letter));
    return letters.join(QStringLiteral(", "));
}

QString Line_Name(const Line &line)
{
    return QStringLiteral("%1 (%2)").arg(line.number).arg(TextEscape::Excerpt(&line.text, 80));
}

// "1 (S5 V1)", "1 (S5 V1) and 3 (; S5 VALUE)", "1 (...), 3 (...) and 5 (...)".
QString Line_Names(const QVector<const Line *> &lines)
{
    QStringList names;
    for (const Line *line : lines)
        names.append(Line_Name(*line));
    const QString last = names.takeLast();
    return names.isEmpty() ? last
                           : names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

bool Holds_Nul(const Document &document, int line)
{
    for (const DownloadFile::Loss &loss : document.content.losses)
        if (loss.kind == DownloadFile::Loss::Kind::Nul_Byte && loss.line == line)
            return true;
    return false;
}

// The lines that carry the parameter: the one given, or every stored line with it.
QVector<const Line *> Carriers(const Document &document, int number, std::optional<int> only,
                               QString *error)
{
    QVector<const Line *> lines;
    if (only && (*only < 1 || *only > document.lines.size())) {
        *error = QStringLiteral("--line %1 is not one of the %2 lines the editor reads")
                     .arg(*only)
                     .arg(document.lines.size());
        return lines;
    }
    for (const Line &line : document.lines)
        if ((!only || line.number == *only) && line.read.split.is_parameter_line &&
            line.read.Number() == number)
            lines.append(&line);
    if (lines.isEmpty() && only)
        *error = QStringLiteral("line %1 does not carry parameter %2")
                     .arg(Line_Name(document.lines.at(*only - 1)), LineSyntax::Token_Of(number));
    else if (lines.isEmpty())
        *error = QStringLiteral("no line carries parameter %1%2")
                     .arg(LineSyntax::Token_Of(number),
                          document.content.total_lines > document.lines.size()
                              ? QStringLiteral(" in the %1 lines the editor reads")
                                    .arg(document.lines.size())
                              : QString());
    else if (lines.size() > 1)
        *error = QStringLiteral("parameter %1 stands on lines %2; pick one with --line")
                     .arg(LineSyntax::Token_Of(number), Line_Names(lines));
    return lines;
}

} // namespace

std::optional<FieldReference> Parse_Reference(const QString &text)
{
    QRegExp pattern(QStringLiteral("^S([0-9A-Fa-f]{1,4})\\.([A-Za-z])$"));
    if (!pattern.exactMatch(text))
        return std::nullopt;
    FieldReference reference;
    reference.text = text;
    const uint number = pattern.cap(1).toUInt(nullptr, 16);
    reference.number = static_cast<int>(number);
    reference.letter = pattern.cap(2).at(0);
    return reference;
}

std::optional<Assignment> Parse_Assignment(const QString &argument)
{
    const int equals = argument.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    const auto reference = Parse_Reference(argument.left(equals));
    if (!reference)
        return std::nullopt;
    return Assignment{argument, *reference, argument.mid(equals + 1)};
}

std::optional<qint32> Parse_Value(const QString &text, const ParameterItem &item,
                                  std::optional<int> resolution, QString *error)
{
    const QString value = text.trimmed();
    const QString forms = QStringLiteral("give 2000, -5, 0x7D0 or 12.5mm");
    if (value.isEmpty()) {
        *error = QStringLiteral("empty value; %1").arg(forms);
        return std::nullopt;
    }
    ValueFormat::Reading reading;
    if (value.endsWith(QLatin1String("mm"), Qt::CaseInsensitive)) {
        if (!item.scaled) {
            *error = QStringLiteral("field %1 is not a length; give %2 as an integer or 0x value")
                         .arg(item.letter)
                         .arg(Shown(value));
            return std::nullopt;
        }
        if (!resolution) {
            *error = QStringLiteral("%1 needs a scale resolution: the file has no valid scale "
                                    "resolution line; give --resolution")
                         .arg(Shown(value));
            return std::nullopt;
        }
        reading = ValueFormat::Read_Mm(value.chopped(2), *resolution);
        if (reading.clamped) {
            *error = QStringLiteral("%1 at %2 counts per mm does not fit 32 bits")
                         .arg(Shown(value), QString::number(*resolution));
            return std::nullopt;
        }
    } else if (value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        reading = ValueFormat::Read_Hex(value);
    } else {
        reading = ValueFormat::Read_Int(value);
    }
    if (!reading.Is_Valid())
        *error = QStringLiteral("%1: %2; %3").arg(Shown(value), reading.error, forms);
    return reading.value;
}

bool Find_Target(const Document &document, const FieldReference &reference, std::optional<int> line,
                 Target *target, QString *error)
{
    const ParameterDescription description = Table().Get_Description(reference.number);
    if (description.number < 0) {
        *error = QStringLiteral("parameter %1 (%2) is not described")
                     .arg(LineSyntax::Token_Of(reference.number))
                     .arg(reference.number);
        return false;
    }
    int item = -1;
    for (int i = 0; i < description.items.size(); ++i)
        if (description.items.at(i).letter == reference.letter)
            item = i;
    if (item < 0) {
        *error = QStringLiteral("parameter %1 has no field %2 (it has %3)")
                     .arg(LineSyntax::Token_Of(reference.number), Shown(reference.letter),
                          Letters_Of(description));
        return false;
    }
    const QVector<const Line *> lines = Carriers(document, reference.number, line, error);
    if (lines.size() != 1)
        return false;
    target->line = lines.first();
    target->item = item;
    if (target->Field().present)
        return true;
    *error = QStringLiteral("line %1 has no field %2%3; fields are never added")
                 .arg(Line_Name(*target->line), QString(reference.letter),
                      Holds_Nul(document, target->line->number)
                          ? QStringLiteral(" before its NUL byte, where the editor stops")
                          : QString());
    return false;
}

} // namespace Oad
