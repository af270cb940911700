#pragma once

#include "downloadfile.h"
#include "linesyntax.h"
#include "parametertable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// What in a download file the editor would drop, misread or not understand: what
// oadtool check reports and what the commissioning report lists.
namespace FileChecks {

// One stored line and what the editor reads in it.
struct CheckedLine
{
    int number = 0; // 1-based
    QString text;   // as stored: simplified, cut at a NUL
    LineSyntax::ParameterLine read;
};

// A file as the checks see it: its bytes (for what only they show) and its stored lines.
struct CheckedFile
{
    QByteArray bytes; // as read; empty when only lines are known
    DownloadFile::Content content;
    QVector<CheckedLine> lines;
    int resolution_line = 0; // 1-based number of the scale resolution line, 0 when none
};

// Fills lines and resolution_line from content.lines.
void Read_Lines(CheckedFile &file, const TParameterTable &table);

// The file of these bytes.
CheckedFile File_Of(const QByteArray &bytes, const TParameterTable &table);

// Lines held in memory (the editor's document, perhaps edited since it was read); the
// bytes, when given, are those on disk and yield only their own findings.
CheckedFile File_Of(const QStringList &lines, const QByteArray &bytes,
                    const TParameterTable &table);

struct Finding
{
    int line = 0; // 1-based; 0 for the file as a whole
    QString kind; // stable key, listed in oadtool's guide
    QString message;
};

// What the editor drops (the losses it announces when it opens the file) and what the
// bytes say of the encoding: a byte order mark, UTF-8 sequences.
QVector<Finding> Check_Bytes(const CheckedFile &document);

// What the line syntax reads other than it looks: misspelt S tokens, fields without digits
// or followed by more text, repeated fields, fields the table does not describe,
// parameters the table does not describe or that stand on several lines.
QVector<Finding> Check_Lines(const CheckedFile &document);

// What Check_Lines finds in one described field of a line: no digits, more text after
// them, the letter again, the letter before the S token.
QVector<Finding> Check_Field(const CheckedLine &line, const LineSyntax::FieldReading &field);

// A scale resolution line that is not valid, none at all, or more than one.
QVector<Finding> Check_Scale_Resolution(const CheckedFile &document);

// All of them, in line order.
QVector<Finding> Check_Document(const CheckedFile &document);

} // namespace FileChecks
