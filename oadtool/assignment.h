#pragma once

#include "document.h"

#include <QString>

#include <optional>

namespace Oad {

// One S1.X=2000 argument.
struct Assignment
{
    QString argument;   // as given, for messages
    QString token;      // "S1", "S10"
    int parameter = -1; // the token read as hexadecimal, as in a file
    QChar letter;
    QString value_text; // "2000", "-5", "0x7D0", "12.5mm"
};

// Splits an argument; nothing when it is not of the form S<hex>.<letter>=<value>.
std::optional<Assignment> Parse_Assignment(const QString &argument);

// The field value that the value text stands for, or a reason why it cannot be set:
// integers in the signed or unsigned 32-bit range, 0x with one to eight hexadecimal
// digits, or millimetres (scaled items only) at the given resolution.
std::optional<qint32> Parse_Value(const QString &text, const ParameterItem &item, int resolution,
                                  QString *error);

} // namespace Oad
