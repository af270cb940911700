#include "linefinder.h"

#include "linesyntax.h"
#include "valueformat.h"

#include <QRegularExpression>

#include <optional>

namespace LineFinder {

namespace {

// What a query can stand for, worked out once per query rather than once per line.
struct Query
{
    QString text;                  // simplified
    QStringList words;             // separated by blanks
    int number = -1;               // "S1B", "1B": a parameter number
    QChar letter;                  // "S3.U": a field of parameter number
    std::optional<qint32> integer; // "5000000"
    std::optional<qint32> hex;     // "4C4B40", "0x4C4B40"
    // None of these: the query also finds the text of parameter lines (a comment). A number
    // does not, or "1" would find nearly every line.
    bool is_text = false;
};

Query Read_Query(const QString &text)
{
    Query query;
    query.text = text.simplified();
    query.words = query.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // Typed, not read from a file: either case, and the S may be left out.
    static const QRegularExpression parameter(QStringLiteral("^S?([0-9A-F]{1,2})(?:\\.([A-Z]))?$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = parameter.match(query.text);
    if (match.hasMatch()) {
        query.number = match.captured(1).toInt(nullptr, 16);
        if (match.capturedLength(2) == 1)
            query.letter = match.captured(2).at(0).toUpper();
    }
    query.integer = ValueFormat::Read_Int(query.text).value;
    query.hex = ValueFormat::Read_Hex(query.text).value;
    query.is_text = query.number < 0 && !query.integer && !query.hex;
    return query;
}

bool Is_Word_Character(QChar c)
{
    return c.isLetterOrNumber();
}

// Each word of the query begins a word of the text, in any order, in either case.
bool Has_Words(const QString &text, const QStringList &words)
{
    for (const QString &word : words) {
        bool found = false;
        for (int at = text.indexOf(word, 0, Qt::CaseInsensitive); at >= 0 && !found;
             at = text.indexOf(word, at + 1, Qt::CaseInsensitive))
            found = at == 0 || !Is_Word_Character(text.at(at - 1));
        if (!found)
            return false;
    }
    return true;
}

// Each word of the query anywhere in the text, in either case.
bool Contains_Words(const QString &text, const QStringList &words)
{
    for (const QString &word : words)
        if (!text.contains(word, Qt::CaseInsensitive))
            return false;
    return true;
}

// The field a described line is found by, best reading first: the field the query names,
// a field holding the value, a field whose help text has the words. -1 for none.
int Field_Of(const LineSyntax::ParameterLine &read, const Query &query)
{
    const QVector<LineSyntax::FieldReading> &fields = read.fields;
    if (!query.letter.isNull()) {
        if (read.Number() != query.number)
            return -1;
        for (int i = 0; i < fields.size(); ++i)
            if (fields.at(i).item.letter == query.letter)
                return i;
        return -1;
    }
    for (int i = 0; i < fields.size(); ++i) {
        const LineSyntax::FieldReading &field = fields.at(i);
        if (field.present && (field.value == query.integer || field.value == query.hex))
            return i;
    }
    for (int i = 0; i < fields.size(); ++i)
        if (Has_Words(fields.at(i).item.help, query.words))
            return i;
    return -1;
}

} // namespace

int Result::Index_Of_Line(int line) const
{
    for (int i = 0; i < hits.size(); ++i)
        if (hits.at(i).line == line)
            return i;
    return -1;
}

Result Find(const QString &text, const QStringList &lines, const TParameterTable &table)
{
    Result result;
    const Query query = Read_Query(text);
    if (query.text.isEmpty())
        return result;
    result.names_field = !query.letter.isNull();
    for (int i = 0; i < lines.size(); ++i) {
        const LineSyntax::ParameterLine read = LineSyntax::Read_Parameter_Line(lines.at(i), table);
        const bool by_number = query.number >= 0 && read.Number() == query.number;
        Hit hit;
        hit.line = i;
        if (read.Is_Described()) {
            hit.field = Field_Of(read, query);
            if (hit.field >= 0)
                hit.letter = read.fields.at(hit.field).item.letter;
            else if (result.names_field ||
                     (!by_number && !(query.is_text && Contains_Words(lines.at(i), query.words))))
                continue;
        } else if (result.names_field ||
                   (!by_number && !Contains_Words(lines.at(i), query.words))) {
            continue;
        }
        result.hits.append(hit);
    }
    return result;
}

Step Next(const Result &result, int active_line, bool forward)
{
    Step step;
    const int count = result.hits.size();
    if (count == 0)
        return step;
    if (forward) {
        for (int i = 0; i < count && step.index < 0; ++i)
            if (result.hits.at(i).line > active_line)
                step.index = i;
        if (step.index < 0)
            step = Step{0, true};
    } else {
        for (int i = count - 1; i >= 0 && step.index < 0; --i)
            if (result.hits.at(i).line < active_line)
                step.index = i;
        if (step.index < 0)
            step = Step{count - 1, true};
    }
    return step;
}

} // namespace LineFinder
