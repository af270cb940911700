// The commit rewrite as the window and oadtool perform it: a line and some of the fields
// of its parameter with new values. Only those fields may change, each to exactly its new
// value; every other character of the line stays, and rewriting again changes nothing.
#include "fuzzcheck.h"
#include "linesyntax.h"
#include "parametertable.h"

#include <QVector>

#include <algorithm>

namespace {

struct Field
{
    bool present = false;
    quint32 value = 0;
    int start = 0; // in the rest
    int end = 0;   // one past the last digit taken
    QString digits;
};

Field Find_Field(QChar letter, const QString &rest)
{
    Field field;
    field.value = LineSyntax::Get_Field_Value(letter, rest, &field.present);
    field.start = rest.indexOf(letter);
    FUZZ_CHECK(field.present == (field.start >= 0));
    if (!field.present)
        return field;
    field.end = field.start + 1;
    while (field.end < rest.size() && field.end - field.start - 1 < 8 &&
           Is_Upper_Hex_Digit(rest.at(field.end)))
        ++field.end;
    field.digits = rest.mid(field.start + 1, field.end - field.start - 1);
    return field;
}

// The rest with every described field replaced by a marker: what a rewrite must keep.
QString Skeleton(const QString &rest, const QVector<Field> &fields)
{
    QVector<Field> present;
    for (const Field &field : fields)
        if (field.present)
            present.append(field);
    std::sort(present.begin(), present.end(),
              [](const Field &a, const Field &b) { return a.start < b.start; });
    QString skeleton;
    int from = 0;
    for (const Field &field : present) {
        FUZZ_CHECK(field.start >= from); // no two fields overlap
        skeleton += rest.mid(from, field.start - from) + QChar(0x2400);
        from = field.end;
    }
    return skeleton + rest.mid(from);
}

// The digits a rewritten field must hold: the value without leading zeros, or all eight
// when more digits follow the field, so that the next digit cannot join it.
QString Expected_Digits(const Field &before, const QString &rest, qint32 value)
{
    const QString digits = QString::number(static_cast<quint32>(value), 16).toUpper();
    const bool cut = before.end < rest.size() && Is_Upper_Hex_Digit(rest.at(before.end));
    return cut ? digits.rightJustified(LineSyntax::Max_Field_Digits, QLatin1Char('0')) : digits;
}

} // namespace

// Input: the parameter number, a mask of the items to set, four bytes of a value (item i
// gets the value plus i), then the line as Latin-1.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 6)
        return 0;
    const TParameterTable table;
    const ParameterDescription description = table.Get_Description(data[0]);
    FUZZ_CHECK((description.number == -1) == description.items.isEmpty());
    const quint32 base = data[2] | data[3] << 8 | data[4] << 16 | quint32(data[5]) << 24;
    const QString line = Fuzz_Text(data + 6, size - 6);
    const LineSyntax::Split split = LineSyntax::Split_Line(line);
    const QString rest = split.is_parameter_line ? line.mid(split.rest_start) : QString();

    QVector<LineSyntax::FieldAssignment> assignments;
    QVector<Field> before;
    QString expected_missing;
    const auto is_set = [&](int item) {
        return (data[1] & (1 << item)) != 0;
    };
    const auto new_value = [&](int item) {
        return static_cast<qint32>(base + item);
    };
    for (int i = 0; i < description.items.size(); ++i) {
        const QChar letter = description.items.at(i).letter;
        before.append(Find_Field(letter, rest));
        if (!is_set(i))
            continue;
        assignments.append({letter, new_value(i)});
        if (!split.is_parameter_line || !before.last().present)
            expected_missing.append(letter);
    }
    QString missing;
    const QString rewritten = LineSyntax::Rewrite_Fields(line, assignments, &missing);
    FUZZ_CHECK(missing == expected_missing);
    if (!split.is_parameter_line) {
        FUZZ_CHECK(rewritten == line);
        return 0;
    }
    // The token and everything before it stay; the token is still the one found.
    FUZZ_CHECK(rewritten.left(split.rest_start) == line.left(split.rest_start));
    const LineSyntax::Split new_split = LineSyntax::Split_Line(rewritten);
    FUZZ_CHECK(new_split.token == split.token && new_split.rest_start == split.rest_start);
    const QString new_rest = rewritten.mid(new_split.rest_start);

    QVector<Field> after;
    for (int i = 0; i < description.items.size(); ++i) {
        after.append(Find_Field(description.items.at(i).letter, new_rest));
        FUZZ_CHECK(before.at(i).present == after.at(i).present);
        if (!after.at(i).present)
            continue;
        if (!is_set(i)) { // untouched: the same digits, leading zeros and all
            FUZZ_CHECK(after.at(i).digits == before.at(i).digits);
            continue;
        }
        FUZZ_CHECK(after.at(i).value == static_cast<quint32>(new_value(i)));
        FUZZ_CHECK(after.at(i).digits == Expected_Digits(before.at(i), rest, new_value(i)));
    }
    FUZZ_CHECK(Skeleton(new_rest, after) == Skeleton(rest, before));
    // The same assignments again change nothing more.
    FUZZ_CHECK(LineSyntax::Rewrite_Fields(rewritten, assignments) == rewritten);
    return 0;
}
