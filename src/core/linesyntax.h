#pragma once

#include "parametertable.h"

#include <QChar>
#include <QString>
#include <QVector>
#include <QtGlobal>

// The grammar of a parameter line: an S token ("S1", "S6F") and lettered hexadecimal
// fields after it ("X3E8"). Every search starts at position 0 and takes the leftmost match.
namespace LineSyntax {

// A field holds at most this many hexadecimal digits; a ninth digit is text after it.
constexpr int Max_Field_Digits = 8;

// The digits of a field and of an S token: 0-9 and upper-case A-F only.
bool Is_Field_Digit(QChar c);

// Where something stands in a line: the characters that a rewrite replaces.
struct Span
{
    int start = -1; // -1 when nothing was found
    int length = 0;

    bool Is_Found() const { return start >= 0; }
};

struct Split
{
    bool is_parameter_line = false; // the line carries an S token
    QString token;                  // "S1", "S10"
    int parameter_number = -1;
    int rest_start = 0; // index of the first character after the token, where the fields are
                        // read
};

// The first S token in text at or after position from.
Span Find_Token(const QString &text, int from = 0);

// Finds the S token and splits the line into token, parameter number and rest.
Split Split_Line(const QString &line);

// The first field with this letter (the letter and up to eight digits) in text at or
// after position from: the span that Set_Field_Value replaces.
Span Find_Field(QChar letter, const QString &text, int from = 0);

// The parameter number of an S token ("S1F" is 31), or -1 when the text is no S token.
int Get_Parameter_Number(const QString &token);
// The canonical spelling of a parameter number's S token: S1, S10, S6F.
QString Token_Of(int number);

// Near misses: what a reader takes for the grammar above but what it does not read. They
// stand here, beside it, so that a change to the grammar changes them too.

// A hexadecimal digit in lower case (a to f): no field and no S token takes it.
bool Is_Lower_Case_Digit(QChar c);

// What opens the line spelt like an S token but is none: a lower-case s, blanks after the
// S, or lower-case digits ("s5", "S 5", "Sa"), followed by a blank, an upper-case letter or
// the line's end. Not found when the line opens with a real S token.
Span Find_Misspelt_Token(const QString &line);

// The value of the first field with this letter in text. valid must be given; it tells
// whether the field was found. A bare letter reads as 0.
quint32 Get_Field_Value(QChar letter, const QString &text, bool *valid);

// Replaces the first field with this letter (the letter and up to eight digits) by the
// letter followed by value. False, and line untouched, when the letter does not occur.
bool Set_Field_Value(QChar letter, const QString &value, QString &line);

// One described field of a parameter line as the editor reads it.
struct FieldReading
{
    ParameterItem item;
    bool present = false; // the letter occurs after the S token
    qint32 value = 0;     // the field's 32 bits; 0 when missing or a bare letter
    Span span;            // in the whole line; not found when missing
};

// A line read by the editor's grammar: the S token, the description of its parameter
// and each described field in description order. Not described when the line has no
// S token or the table does not know its number.
struct ParameterLine
{
    Split split;
    ParameterDescription description;
    QVector<FieldReading> fields;

    int Number() const { return split.parameter_number; }
    bool Is_Described() const { return description.number >= 0; }
};

ParameterLine Read_Parameter_Line(const QString &line, const TParameterTable &table);

// What a line holds besides its S token and its described fields, simplified: a comment,
// stray digits, another letter. The whole line when it has no S token.
QString Other_Text(const QString &line, const ParameterLine &read);

// The letters that the table gives to the fields of any parameter, in alphabetical order.
QString Field_Letters(const TParameterTable &table);

// One field to set: its letter and its new 32 bits.
struct FieldAssignment
{
    QChar letter;
    qint32 value = 0;
};

// The line with only the assigned fields after the S token rewritten, each as its letter
// and upper-case hexadecimal digits; every other character stays as it was. A field that
// stands before further digits keeps all eight digits, so the next digit cannot join it.
// Letters missing from the line are not added; their letters go to missing when given.
// A line without an S token comes back unchanged.
QString Rewrite_Fields(const QString &line, const QVector<FieldAssignment> &assignments,
                       QString *missing = nullptr);

} // namespace LineSyntax
