// The commit rewrite as the window performs it: a line, the description of a parameter,
// the hexadecimal texts of the values read from the line's rest. The rewritten line must
// keep every value and everything before the S token; rewriting again changes nothing.
#include "fuzzcheck.h"
#include "linesyntax.h"
#include "parametertable.h"
#include "valueformat.h"

#include <QStringList>
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

// The hexadecimal texts that the editor's panels hold after showing the line.
QStringList Panel_Texts(const QString &line, const ParameterDescription &description)
{
    const QString rest = LineSyntax::Split_Line(line).rest;
    QStringList texts;
    for (const ParameterItem &item : description.items) {
        bool valid = false;
        const quint32 value = LineSyntax::Get_Field_Value(item.letter, rest, &valid);
        texts.append(ValueFormat::Hex_Text(static_cast<qint32>(value)));
    }
    return texts;
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

} // namespace

// Input: one byte, the parameter number, then the line as Latin-1.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 1)
        return 0;
    const TParameterTable table;
    const ParameterDescription description = table.Get_Description(data[0]);
    FUZZ_CHECK((description.number == -1) == description.items.isEmpty());
    const QString line = Fuzz_Text(data + 1, size - 1);
    const LineSyntax::Split split = LineSyntax::Split_Line(line);

    const QStringList texts = Panel_Texts(line, description);
    const QString rewritten = LineSyntax::Rewrite_Line(line, description, texts);
    if (!split.is_parameter_line || description.items.isEmpty()) {
        FUZZ_CHECK(rewritten == line);
        return 0;
    }
    // The token and everything before it stay; the token is still the one found.
    FUZZ_CHECK(rewritten.left(split.rest_start) == line.left(split.rest_start));
    const LineSyntax::Split new_split = LineSyntax::Split_Line(rewritten);
    FUZZ_CHECK(new_split.token == split.token && new_split.rest_start == split.rest_start);

    QVector<Field> before;
    QVector<Field> after;
    QStringList raw_texts;
    QStringList expected_digits;
    for (int i = 0; i < description.items.size(); ++i) {
        before.append(Find_Field(description.items.at(i).letter, split.rest));
        after.append(Find_Field(description.items.at(i).letter, new_split.rest));
        raw_texts.append(before.last().digits);
        FUZZ_CHECK(before.last().present == after.last().present);
        // A field cut at eight digits has more digits after it; it keeps all eight, so the
        // next digit cannot join it (S1X000000001 stays S1X000000001).
        const Field &field = before.last();
        const bool cut = field.present && field.end < split.rest.size() &&
                         Is_Upper_Hex_Digit(split.rest.at(field.end));
        expected_digits.append(cut ? texts.at(i).rightJustified(8, QLatin1Char('0')) : texts.at(i));
    }

    // The line's own digit texts give the line back unchanged.
    FUZZ_CHECK(LineSyntax::Rewrite_Line(line, description, raw_texts) == line);

    for (int i = 0; i < before.size(); ++i) {
        FUZZ_CHECK(after.at(i).value == before.at(i).value);
        if (after.at(i).present)
            FUZZ_CHECK(after.at(i).digits == expected_digits.at(i));
    }
    FUZZ_CHECK(Skeleton(new_split.rest, after) == Skeleton(split.rest, before));
    // Rewriting the rewritten line with its own values changes nothing more.
    FUZZ_CHECK(LineSyntax::Rewrite_Line(rewritten, description,
                                        Panel_Texts(rewritten, description)) == rewritten);
    return 0;
}
