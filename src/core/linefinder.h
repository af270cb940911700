#pragma once

#include "parametertable.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <QVector>

// Finding lines as a technician names them: by parameter number ("S1B", "1B"), by field
// ("S3.U"), by words of the help texts in any order ("software limit"), by a value in
// integer or hexadecimal form ("5000000", "4C4B40"), and by the text of every line that
// is no described parameter line; a query that is no number also finds the text of
// parameter lines (a comment). A line matches when any of these readings of the query
// matches it. Lines are read with the editor's own grammar.
namespace LineFinder {

// One matching line.
struct Hit
{
    int line = -1;  // 0-based index into the lines searched
    int field = -1; // index of the matching field in the line's description (the order of
                    // the data editor's panels); -1 when the line matched as a whole
    QChar letter;   // that field's letter; null when field is -1
};

struct Result
{
    QVector<Hit> hits; // in line order, one per line
    // The query names a field (S3.U): the focus belongs in each hit's field.
    bool names_field = false;

    int Count() const { return hits.size(); }
    // The position of line among the hits, or -1 when it is none.
    int Index_Of_Line(int line) const;
};

// Every line that the query finds. An empty query (blanks only) finds nothing.
Result Find(const QString &query, const QStringList &lines, const TParameterTable &table);

// Where Enter or F3 (forward) and their Shift forms (backward) go from the active line:
// the first hit after it (before it, going backward), wrapping around the ends.
struct Step
{
    int index = -1;       // into Result::hits; -1 when there are none
    bool wrapped = false; // the step went past the last (or first) hit to the other end
};
Step Next(const Result &result, int active_line, bool forward);

} // namespace LineFinder
