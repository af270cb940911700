#pragma once

#include "downloadfile.h"
#include "parametertable.h"

#include <QByteArray>
#include <QChar>
#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

#include <optional>

// Two download files compared as the editor reads them. Described parameters meet by
// number (the k-th line of a number in one file meets the k-th in the other) and their
// fields by value, so X00003E8 equals X3E8 and a moved line is no difference. Every other
// line is compared by its stored text, wherever it stands. What the editor does not keep
// (text after a NUL, lines after the limit) is compared too. Line ends, runs of blanks and
// blank lines are no differences: the editor stores none of them.
namespace DocumentDiff {

// Where a text stands in a file's bytes.
struct Place
{
    int line = 0; // 1-based
    int start = 0;
    int length = 0;
};

// One file as compared. What the editor drops is found in the bytes, not copied out of
// them: a file may be one long line.
struct Side
{
    QStringList lines;         // as stored: simplified, cut at a NUL, at most the limit
    int scale_resolution = -1; // as read; -1 when there is no scale resolution line
    QByteArray bytes;          // as read; empty for lines held in memory
    QVector<Place> after_nul;  // the bytes after the first NUL of a line
    int beyond = 0; // where the lines after the limit start in bytes (CR LF is a line end)
};

// A file's bytes, read as the editor reads them.
Side Side_Of(const QByteArray &bytes);
// The same when the bytes have been read already: content is DownloadFile::Read(bytes).
Side Side_Of(const DownloadFile::Content &content, const QByteArray &bytes);
// Lines held in memory (the editor's document): nothing of them is dropped.
Side Side_Of(const QStringList &lines);

enum class Kind
{
    Field,            // a described field: present on one side only, or another value
    Parameter_Line,   // a described parameter line without a partner on the other side
    Raw_Line,         // a line without S token, or of a parameter not described: one side only
    Other_Field,      // a letter the table does not describe for the parameter, with digits
    Line_Text,        // other text after the S token of paired parameter lines
    Before_Token,     // the text before the S token of paired parameter lines
    Scale_Resolution, // the value of the scale resolution line
    After_Nul,        // the text after a NUL byte, which the editor drops
    Beyond_Limit,     // the lines after the first DownloadFile::Max_Lines, which it drops
};

// A stable lower-case name: "field", "parameter-line", ..., "beyond-limit".
QString Kind_Name(Kind kind);

struct Difference
{
    Kind kind = Kind::Field;
    int number = -1; // the parameter number; -1 for the kinds not tied to one
    QChar letter;    // Field and Other_Field
    int line_a = 0;  // 1-based; 0 when A has no such line
    int line_b = 0;
    QString text_a; // what A holds there: the line, the head, the text after NUL...
    QString text_b;
    std::optional<qint32> value_a; // Field, Other_Field, Scale_Resolution; none when absent
    std::optional<qint32> value_b;
};

// Every difference, parameters first (in the order they first appear), then raw lines,
// the scale resolution, the text after NUL bytes and the lines after the limit.
// Empty when the files are equal as the editor reads them.
QVector<Difference> Compare(const Side &a, const Side &b, const TParameterTable &table);

// The lines (1-based, in order) of each described parameter, by number: the lines that
// Compare pairs. A number on more than one line of a side is duplicated there.
QHash<int, QVector<int>> Parameter_Lines(const Side &side, const TParameterTable &table);

} // namespace DocumentDiff
