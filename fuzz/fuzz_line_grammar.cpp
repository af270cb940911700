// A line and a field letter: the S token split must be the leftmost, greedy one, as the
// grammar's regular expressions find it; a field rewritten with the text of its own value
// must read back the same value, and rewriting must never touch the text outside the field. The
// editor's reading of a whole parameter line must find the same fields as the field reader.
#include "fuzzcheck.h"
#include "linesyntax.h"
#include "parametertable.h"
#include "valueformat.h"

#include <QRegExp>

namespace {

void Check_Split(const QString &line)
{
    const LineSyntax::Split split = LineSyntax::Split_Line(line);

    // Where the first S followed by an upper-case hexadecimal digit stands, if anywhere.
    int first = -1;
    for (int i = 0; i + 1 < line.size() && first < 0; ++i)
        if (line.at(i) == QLatin1Char('S') && Is_Upper_Hex_Digit(line.at(i + 1)))
            first = i;

    if (first < 0) {
        FUZZ_CHECK(!split.is_parameter_line);
        FUZZ_CHECK(split.parameter_number == -1);
        return;
    }
    FUZZ_CHECK(split.is_parameter_line);
    const int length = split.token.length();
    FUZZ_CHECK(length == 2 || length == 3);
    FUZZ_CHECK(split.rest_start - length == first);
    FUZZ_CHECK(line.mid(first, length) == split.token);
    // Greedy: a second digit always belongs to the token.
    const bool second_digit = first + 2 < line.size() && Is_Upper_Hex_Digit(line.at(first + 2));
    FUZZ_CHECK(length == (second_digit ? 3 : 2));
    FUZZ_CHECK(split.parameter_number >= 0 && split.parameter_number <= 255);
    FUZZ_CHECK(split.parameter_number == static_cast<int>(split.token.mid(1).toUInt(nullptr, 16)));
    FUZZ_CHECK(LineSyntax::Get_Parameter_Number(split.token) == split.parameter_number);
}

// The grammar as regular expressions, kept here apart from the scanner in the Core: both
// must find the same leftmost, greedy matches.
void Check_Against_Patterns(QChar letter, const QString &text)
{
    QRegExp field(QStringLiteral("([%1][0-9ABCDEF]{0,8})").arg(letter));
    const LineSyntax::Span span = LineSyntax::Find_Field(letter, text);
    FUZZ_CHECK(span.start == field.indexIn(text, 0));
    FUZZ_CHECK(!span.Is_Found() || span.length == field.matchedLength());
    QRegExp token(QStringLiteral("([S][0-9ABCDEF]{1,2})"));
    const LineSyntax::Split split = LineSyntax::Split_Line(text);
    const int position = token.indexIn(text, 0);
    FUZZ_CHECK(split.is_parameter_line == (position >= 0));
    FUZZ_CHECK(position < 0 || split.token == token.cap(1));
    // A misspelt token: one that opens the line in a form the token pattern does not take.
    QRegExp misspelt(QStringLiteral("^[Ss] *([0-9A-Fa-f]{1,2})( |[A-Z]|$)"));
    const LineSyntax::Span near = LineSyntax::Find_Misspelt_Token(text);
    const bool expected = position != 0 && misspelt.indexIn(text) == 0;
    FUZZ_CHECK(near.Is_Found() == expected);
    // The span ends before what follows the digits (pos() says -1 for an empty capture).
    const int length = misspelt.matchedLength() - misspelt.cap(2).size();
    FUZZ_CHECK(!expected || (near.start == 0 && near.length == length));
}

void Check_Field(QChar letter, const QString &text)
{
    Check_Against_Patterns(letter, text);
    bool valid = true;
    const quint32 value = LineSyntax::Get_Field_Value(letter, text, &valid);

    const int position = text.indexOf(letter);
    if (position < 0) {
        FUZZ_CHECK(!valid);
        FUZZ_CHECK(value == 0);
        QString unchanged = text;
        FUZZ_CHECK(!LineSyntax::Set_Field_Value(letter, QStringLiteral("1"), unchanged));
        FUZZ_CHECK(unchanged == text);
        return;
    }
    FUZZ_CHECK(valid);
    int end = position + 1;
    while (end < text.size() && end - position - 1 < 8 && Is_Upper_Hex_Digit(text.at(end)))
        ++end;
    const QString digits = text.mid(position + 1, end - position - 1);
    FUZZ_CHECK(value == (digits.isEmpty() ? 0u : digits.toUInt(nullptr, 16)));

    const QString hex = ValueFormat::Hex_Text(static_cast<qint32>(value));
    QString rewritten = text;
    FUZZ_CHECK(LineSyntax::Set_Field_Value(letter, hex, rewritten));
    const QString new_field = QString(letter) + hex;
    FUZZ_CHECK(rewritten.left(position) == text.left(position));
    FUZZ_CHECK(rewritten.mid(position, new_field.size()) == new_field);
    FUZZ_CHECK(rewritten.mid(position + new_field.size()) == text.mid(end));

    // A field cut at eight digits is followed by more digits; written back without its
    // leading zeros it takes them in. Everywhere else the value must survive the rewrite.
    const bool cut_at_eight = end < text.size() && Is_Upper_Hex_Digit(text.at(end));
    if (!cut_at_eight) {
        bool again_valid = false;
        FUZZ_CHECK(LineSyntax::Get_Field_Value(letter, rewritten, &again_valid) == value);
        FUZZ_CHECK(again_valid);
    }

    // The field's own digit text writes the line back unchanged.
    QString same = text;
    FUZZ_CHECK(LineSyntax::Set_Field_Value(letter, digits, same));
    FUZZ_CHECK(same == text);
}

void Check_Reading(const QString &line)
{
    const LineSyntax::ParameterLine read = LineSyntax::Read_Parameter_Line(line, TParameterTable());
    FUZZ_CHECK(read.split.is_parameter_line == LineSyntax::Split_Line(line).is_parameter_line);
    FUZZ_CHECK(read.fields.size() == read.description.items.size());
    for (const LineSyntax::FieldReading &field : read.fields) {
        bool valid = false;
        const QString rest =
            read.split.is_parameter_line ? line.mid(read.split.rest_start) : QString();
        const quint32 value = LineSyntax::Get_Field_Value(field.item.letter, rest, &valid);
        FUZZ_CHECK(field.present == valid);
        FUZZ_CHECK(static_cast<quint32>(field.value) == value);
        if (!field.present)
            continue;
        // The span is the field in the whole line: its letter and the digits read.
        FUZZ_CHECK(field.span.start >= read.split.rest_start);
        const QString text = line.mid(field.span.start, field.span.length);
        FUZZ_CHECK(text.at(0) == field.item.letter);
        FUZZ_CHECK((text.size() == 1 ? 0u : text.mid(1).toUInt(nullptr, 16)) == value);
    }
}

} // namespace

// Input: one byte that picks an upper-case letter (itself when it is one), then the line as
// Latin-1.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 1)
        return 0;
    const int pick = data[0];
    const QChar letter(
        QLatin1Char(static_cast<char>(pick >= 'A' && pick <= 'Z' ? pick : 'A' + pick % 26)));
    const QString line = Fuzz_Text(data + 1, size - 1);
    Check_Split(line);
    Check_Reading(line);
    Check_Field(letter, line);
    const LineSyntax::Split split = LineSyntax::Split_Line(line);
    if (split.is_parameter_line)
        Check_Field(letter, line.mid(split.rest_start));
    return 0;
}
