#pragma once

#include "document.h"

#include <QString>
#include <QVector>

// What in a download file the editor would drop, misread or not understand.
namespace Oad {

struct Finding
{
    int line = 0; // 1-based; 0 for the file as a whole
    QString kind; // stable key, listed in the guide
    QString message;
};

// What the editor drops (the losses it announces when it opens the file) and what the
// bytes say of the encoding: a byte order mark, UTF-8 sequences.
QVector<Finding> Check_Bytes(const Document &document);

// What the line syntax reads other than it looks: misspelt S tokens, fields without digits
// or followed by more text, repeated fields, fields the table does not describe,
// parameters the table does not describe or that stand on several lines.
QVector<Finding> Check_Lines(const Document &document);

// A scale resolution line that is not valid, none at all, or more than one.
QVector<Finding> Check_Scale_Resolution(const Document &document);

// All of them, in line order.
QVector<Finding> Check_Document(const Document &document);

} // namespace Oad
