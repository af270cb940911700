#pragma once

#include "document.h"

#include <QString>

#include <optional>

namespace Oad {

// A field named on the command line: S1.X, S10.Q, S6F.Y. The number is hexadecimal as in
// a file, so S2.Q and S02.Q name the same field.
struct FieldReference
{
    QString text;    // as given, for messages
    int number = -1; // up to FFFF; above FF no parameter has it
    QChar letter;

    QString Key() const
    {
        return QStringLiteral("%1.%2").arg(LineSyntax::Token_Of(number), letter);
    }
};

std::optional<FieldReference> Parse_Reference(const QString &text);

// One S1.X=2000 argument.
struct Assignment
{
    QString argument; // as given, for messages
    FieldReference reference;
    QString value_text; // "2000", "-5", "0x7D0", "12.5mm", "1,5mm"; may be empty
};

std::optional<Assignment> Parse_Assignment(const QString &argument);

// The field value a text stands for, read as the editor reads typed values: a decimal
// integer of 32 bits (signed or not), 0x and one to eight hexadecimal digits, or, for a
// scaled item, millimetres with a point or comma at the given resolution (none: there is
// no scale resolution to use). Nothing, and the reason in error, when it is no such value.
std::optional<qint32> Parse_Value(const QString &text, const ParameterItem &item,
                                  std::optional<int> resolution, QString *error);

// Where a named field stands: on the one stored line that carries the parameter.
struct Target
{
    const Line *line = nullptr;
    int item = -1; // index into line->read.fields

    const LineSyntax::FieldReading &Field() const { return line->read.fields.at(item); }
};

// Finds the field: the parameter must be described and stand on exactly one of the stored
// lines (or on the line given), and that line must hold the field. False with the reason
// otherwise.
bool Find_Target(const Document &document, const FieldReference &reference, std::optional<int> line,
                 Target *target, QString *error);

} // namespace Oad
