#include "linesyntax.h"
#include "parametertable.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace LineSyntax {

namespace {

// How many field digits, at most max, stand at position.
int Digits_At(const QString &text, int position, int max)
{
    int count = 0;
    while (count < max && position + count < text.size() &&
           Is_Field_Digit(text.at(position + count)))
        ++count;
    return count;
}

} // namespace

bool Is_Field_Digit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// The field is the leftmost match of "([letter][0-9ABCDEF]{0,8})" and the token that of
// "([S][0-9ABCDEF]{1,2})", both greedy and case-sensitive. They are scanned here rather than
// matched: building and running a regular expression for every field took most of the
// time of checking a file.
Span Find_Field(QChar letter, const QString &text, int from)
{
    Span span;
    const int position = text.indexOf(letter, qMax(from, 0), Qt::CaseSensitive);
    if (position < 0)
        return span;
    span.start = position;
    span.length = 1 + Digits_At(text, position + 1, Max_Field_Digits);
    return span;
}

Span Find_Token(const QString &text, int from)
{
    Span span;
    const QChar s(QLatin1Char('S'));
    for (int position = text.indexOf(s, qMax(from, 0)); position >= 0;
         position = text.indexOf(s, position + 1)) {
        const int digits = Digits_At(text, position + 1, 2);
        if (digits > 0) {
            span.start = position;
            span.length = 1 + digits;
            return span;
        }
    }
    return span;
}

Split Split_Line(const QString &line)
{
    Split split;
    const Span token = Find_Token(line);
    if (!token.Is_Found())
        return split;
    split.is_parameter_line = true;
    split.token = line.mid(token.start, token.length);
    split.parameter_number = Get_Parameter_Number(split.token);
    split.rest_start = token.start + token.length;
    return split;
}

int Get_Parameter_Number(const QString &token)
{
    if (token.length() < 2)
        return -1;
    if (token.at(0) != QLatin1Char('S'))
        return -1;
    bool ok = false;
    const uint number = token.mid(1).toUInt(&ok, 16);
    // A number beyond int would come back negative and pose as a real result.
    if (!ok || number > static_cast<uint>(std::numeric_limits<int>::max()))
        return -1;
    return static_cast<int>(number);
}

quint32 Get_Field_Value(QChar letter, const QString &text, bool *valid)
{
    assert(valid);
    *valid = false;
    const Span span = Find_Field(letter, text);
    if (!span.Is_Found())
        return 0;
    if (span.length == 1) {
        *valid = true;
        return 0;
    }
    return text.mid(span.start + 1, span.length - 1).toUInt(valid, 16);
}

bool Set_Field_Value(QChar letter, const QString &value, QString &line)
{
    const Span span = Find_Field(letter, line);
    if (!span.Is_Found())
        return false;
    line.replace(span.start, span.length, QStringLiteral("%1%2").arg(QString(letter), value));
    return true;
}

ParameterLine Read_Parameter_Line(const QString &line, const TParameterTable &table)
{
    ParameterLine read;
    read.split = Split_Line(line);
    if (!read.split.is_parameter_line)
        return read;
    read.description = table.Get_Description(read.split.parameter_number);
    for (const ParameterItem &item : qAsConst(read.description.items)) {
        FieldReading field;
        field.item = item;
        field.span = Find_Field(item.letter, line, read.split.rest_start);
        field.present = field.span.Is_Found();
        if (field.span.length > 1)
            field.value = static_cast<qint32>(
                line.mid(field.span.start + 1, field.span.length - 1).toUInt(nullptr, 16));
        read.fields.append(field);
    }
    return read;
}

QString Other_Text(const QString &line, const ParameterLine &read)
{
    if (!read.split.is_parameter_line)
        return line.simplified();
    QVector<Span> spans{{read.split.rest_start - read.split.token.size(), read.split.token.size()}};
    for (const FieldReading &field : read.fields)
        if (field.present)
            spans.append(field.span);
    // From the right, so that each cut leaves the spans before it where they are.
    std::sort(spans.begin(), spans.end(),
              [](const Span &a, const Span &b) { return a.start > b.start; });
    QString other = line;
    for (const Span &span : qAsConst(spans))
        other.remove(span.start, span.length);
    return other.simplified();
}

QString Field_Letters(const TParameterTable &table)
{
    QString letters;
    for (int number = 0; number <= 0xFF; ++number)
        for (const ParameterItem &item : table.Get_Description(number).items)
            if (!letters.contains(item.letter))
                letters += item.letter;
    std::sort(letters.begin(), letters.end());
    return letters;
}

QString Rewrite_Fields(const QString &line, const QVector<FieldAssignment> &assignments,
                       QString *missing)
{
    const Split split = Split_Line(line);
    if (!split.is_parameter_line) {
        if (missing)
            for (const FieldAssignment &assignment : assignments)
                missing->append(assignment.letter);
        return line;
    }
    QString rewritten = line;
    for (const FieldAssignment &assignment : assignments) {
        // Searched afresh each time: an earlier rewrite may have moved the later fields.
        const Span span = Find_Field(assignment.letter, rewritten, split.rest_start);
        if (!span.Is_Found()) {
            if (missing)
                missing->append(assignment.letter);
            continue;
        }
        QString digits = QString::number(static_cast<quint32>(assignment.value), 16).toUpper();
        const int after = span.start + span.length;
        if (after < rewritten.size() && Is_Field_Digit(rewritten.at(after)))
            digits = digits.rightJustified(Max_Field_Digits, QLatin1Char('0'));
        rewritten.replace(span.start, span.length, assignment.letter + digits);
    }
    return rewritten;
}

QString Token_Of(int number)
{
    return QStringLiteral("S") + QString::number(number, 16).toUpper();
}

bool Is_Lower_Case_Digit(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('f');
}

Span Find_Misspelt_Token(const QString &line)
{
    Span span;
    if (line.isEmpty() || line.at(0).toUpper() != QLatin1Char('S') || Find_Token(line).start == 0)
        return span;
    int first = 1;
    while (first < line.size() && line.at(first) == QLatin1Char(' '))
        ++first;
    int digits = 0;
    while (
        digits < 2 && first + digits < line.size() &&
        (Is_Field_Digit(line.at(first + digits)) || Is_Lower_Case_Digit(line.at(first + digits))))
        ++digits;
    // As many digits as may stand before a blank, a letter or the end: two, else one.
    for (; digits > 0; --digits) {
        const int end = first + digits;
        const QChar next = end < line.size() ? line.at(end) : QLatin1Char(' ');
        if (next == QLatin1Char(' ') || (next >= QLatin1Char('A') && next <= QLatin1Char('Z'))) {
            span.start = 0;
            span.length = end;
            return span;
        }
    }
    return span;
}

} // namespace LineSyntax
