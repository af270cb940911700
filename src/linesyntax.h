#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QtGlobal>

struct ParameterDescription;

// The grammar of a parameter line: an S token ("S1", "S6F") and lettered hexadecimal
// fields after it ("X3E8"). Every search starts at position 0 and takes the leftmost match.
namespace LineSyntax {

struct Split
{
    bool is_parameter_line = false; // the line carries an S token
    QString token;                  // "S1", "S10"
    int parameter_number = -1;
    int rest_start = 0; // index of the first character after the token
    QString rest;       // the text after the token, where the fields are read
};

// Finds the S token and splits the line into token, parameter number and rest.
Split Split_Line(const QString &line);

// The parameter number of an S token ("S1F" is 31), or -1 when the text is no S token.
int Get_Parameter_Number(const QString &token);

// The value of the first field with this letter in text. valid must be given; it tells
// whether the field was found. A bare letter reads as 0.
quint32 Get_Field_Value(QChar letter, const QString &text, bool *valid);

// Replaces the first field with this letter (the letter and up to eight digits) by the
// letter followed by value. False, and line untouched, when the letter does not occur.
bool Set_Field_Value(QChar letter, const QString &value, QString &line);

// The line with each described field of its rest (after the S token) rewritten with the
// matching hexadecimal text; fields missing from the line are not added and text before
// the token is never touched. A line without an S token comes back unchanged.
QString Rewrite_Line(const QString &line, const ParameterDescription &description,
                     const QStringList &hex_texts);

} // namespace LineSyntax
