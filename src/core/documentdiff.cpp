#include "documentdiff.h"

#include "downloadfile.h"
#include "linesyntax.h"

#include <QHash>

#include <algorithm>
#include <cstring>

namespace DocumentDiff {

namespace {

struct Entry
{
    int line = 0; // 1-based
    LineSyntax::ParameterLine read;
};

// The lines of one side sorted the way they are compared.
struct Sorted
{
    QHash<int, QVector<Entry>> parameters; // described parameter lines by number
    QVector<int> order;                    // numbers in the order they first appear
    QVector<QPair<int, QString>> raw;      // every other non-blank line
    int scale_line = 0;                    // the scale resolution line, 0 when none
};

Sorted Sort(const Side &side, const TParameterTable &table)
{
    Sorted sorted;
    sorted.scale_line = DownloadFile::Scale_Line_Index(side.lines) + 1;
    for (int i = 0; i < side.lines.size(); ++i) {
        const QString &text = side.lines.at(i);
        if (text.isEmpty() || i + 1 == sorted.scale_line)
            continue; // blank lines are no content; the scale line is compared by value
        Entry entry{i + 1, LineSyntax::Read_Parameter_Line(text, table)};
        if (!entry.read.Is_Described()) {
            sorted.raw.append({i + 1, text});
            continue;
        }
        if (!sorted.parameters.contains(entry.read.Number()))
            sorted.order.append(entry.read.Number());
        sorted.parameters[entry.read.Number()].append(entry);
    }
    return sorted;
}

// The letters that the table gives to fields of some parameter, but not to this one.
QString Other_Letters(const ParameterDescription &description, const TParameterTable &table)
{
    static const QString all = LineSyntax::Field_Letters(table); // the table is fixed
    QString letters = all;
    for (const ParameterItem &item : description.items)
        letters.remove(item.letter);
    return letters;
}

// The first field of this letter after the token, when it has digits.
std::optional<qint32> Other_Value(QChar letter, const LineSyntax::ParameterLine &read,
                                  const QString &text, LineSyntax::Span *span)
{
    *span = LineSyntax::Find_Field(letter, text, read.split.rest_start);
    if (span->length < 2)
        return std::nullopt;
    bool valid = false;
    return static_cast<qint32>(
        LineSyntax::Get_Field_Value(letter, text.mid(span->start, span->length), &valid));
}

// The text after the token with every field that is compared by value cut to its letter,
// as pieces of the line: a long line is not copied to be compared.
QVector<QStringRef> Residue(const Entry &entry, const QString &text, const TParameterTable &table)
{
    QVector<LineSyntax::Span> spans;
    for (const LineSyntax::FieldReading &field : entry.read.fields)
        if (field.present)
            spans.append(field.span);
    for (const QChar letter : Other_Letters(entry.read.description, table)) {
        LineSyntax::Span span;
        if (Other_Value(letter, entry.read, text, &span))
            spans.append(span);
    }
    std::sort(spans.begin(), spans.end(), [](const LineSyntax::Span &x, const LineSyntax::Span &y) {
        return x.start < y.start;
    });
    QVector<QStringRef> pieces;
    int from = entry.read.split.rest_start;
    for (const LineSyntax::Span &span : qAsConst(spans)) {
        pieces.append(text.midRef(from, span.start + 1 - from)); // up to the letter
        from = span.start + span.length;
    }
    pieces.append(text.midRef(from));
    return pieces;
}

// Whether two lists of pieces make the same text.
bool Same_Text(const QVector<QStringRef> &a, const QVector<QStringRef> &b)
{
    int i = 0;
    int j = 0;
    int offset_a = 0;
    int offset_b = 0;
    for (;;) {
        for (; i < a.size() && offset_a == a.at(i).size(); ++i)
            offset_a = 0;
        for (; j < b.size() && offset_b == b.at(j).size(); ++j)
            offset_b = 0;
        if (i == a.size() || j == b.size())
            return i == a.size() && j == b.size();
        const int length = qMin(a.at(i).size() - offset_a, b.at(j).size() - offset_b);
        if (a.at(i).mid(offset_a, length) != b.at(j).mid(offset_b, length))
            return false;
        offset_a += length;
        offset_b += length;
    }
}

class TComparison
{
public:
    TComparison(const Side &a, const Side &b, const TParameterTable &table,
                QVector<Difference> &out)
        : d_a(a)
        , d_b(b)
        , d_table(table)
        , d_out(out)
    {}

    void Parameters(const Sorted &a, const Sorted &b);
    void Other_Lines(const Sorted &a, const Sorted &b);
    void Scale(const Sorted &a, const Sorted &b);
    void After_Nul();
    void Beyond_Limit();

private:
    void Pair(const Entry &a, const Entry &b);
    static Difference Make(Kind kind, int number, int line_a, int line_b, const QString &text_a,
                           const QString &text_b);
    void Add(Kind kind, int number, int line_a, int line_b, const QString &text_a,
             const QString &text_b);

    const Side &d_a;
    const Side &d_b;
    const TParameterTable &d_table;
    QVector<Difference> &d_out;
};

Difference TComparison::Make(Kind kind, int number, int line_a, int line_b, const QString &text_a,
                             const QString &text_b)
{
    Difference difference;
    difference.kind = kind;
    difference.number = number;
    difference.line_a = line_a;
    difference.line_b = line_b;
    difference.text_a = text_a;
    difference.text_b = text_b;
    return difference;
}

void TComparison::Add(Kind kind, int number, int line_a, int line_b, const QString &text_a,
                      const QString &text_b)
{
    d_out.append(Make(kind, number, line_a, line_b, text_a, text_b));
}

void TComparison::Pair(const Entry &a, const Entry &b)
{
    const QString &text_a = d_a.lines.at(a.line - 1);
    const QString &text_b = d_b.lines.at(b.line - 1);
    const int number = a.read.Number();
    const auto add_value = [&](Kind kind, QChar letter, std::optional<qint32> value_a,
                               std::optional<qint32> value_b) {
        if (value_a == value_b)
            return;
        Difference difference = Make(kind, number, a.line, b.line, text_a, text_b);
        difference.letter = letter;
        difference.value_a = value_a;
        difference.value_b = value_b;
        d_out.append(difference);
    };
    for (int i = 0; i < a.read.fields.size(); ++i) {
        const LineSyntax::FieldReading &field_a = a.read.fields.at(i);
        const LineSyntax::FieldReading &field_b = b.read.fields.at(i);
        add_value(Kind::Field, field_a.item.letter,
                  field_a.present ? std::optional<qint32>(field_a.value) : std::nullopt,
                  field_b.present ? std::optional<qint32>(field_b.value) : std::nullopt);
    }
    for (const QChar letter : Other_Letters(a.read.description, d_table)) {
        LineSyntax::Span span;
        add_value(Kind::Other_Field, letter, Other_Value(letter, a.read, text_a, &span),
                  Other_Value(letter, b.read, text_b, &span));
    }
    if (!Same_Text(Residue(a, text_a, d_table), Residue(b, text_b, d_table)))
        Add(Kind::Line_Text, number, a.line, b.line, text_a, text_b);
    const int head_a = a.read.split.rest_start - a.read.split.token.size();
    const int head_b = b.read.split.rest_start - b.read.split.token.size();
    if (text_a.leftRef(head_a) != text_b.leftRef(head_b))
        Add(Kind::Before_Token, number, a.line, b.line, text_a.left(head_a), text_b.left(head_b));
}

void TComparison::Parameters(const Sorted &a, const Sorted &b)
{
    QVector<int> order = a.order;
    for (const int number : b.order)
        if (!a.parameters.contains(number))
            order.append(number);
    for (const int number : qAsConst(order)) {
        const QVector<Entry> lines_a = a.parameters.value(number);
        const QVector<Entry> lines_b = b.parameters.value(number);
        const int paired = qMin(lines_a.size(), lines_b.size());
        for (int k = 0; k < paired; ++k)
            Pair(lines_a.at(k), lines_b.at(k));
        for (int k = paired; k < lines_a.size(); ++k)
            Add(Kind::Parameter_Line, number, lines_a.at(k).line, 0,
                d_a.lines.at(lines_a.at(k).line - 1), QString());
        for (int k = paired; k < lines_b.size(); ++k)
            Add(Kind::Parameter_Line, number, 0, lines_b.at(k).line, QString(),
                d_b.lines.at(lines_b.at(k).line - 1));
    }
}

void TComparison::Other_Lines(const Sorted &a, const Sorted &b)
{
    // A multiset of texts: a line repeated in one file must be repeated in the other.
    const auto only_in = [this](const Sorted &from, const Sorted &other, bool from_a) {
        QHash<QString, int> available;
        for (const auto &line : other.raw)
            ++available[line.second];
        for (const auto &line : from.raw) {
            int &count = available[line.second];
            if (count > 0)
                --count;
            else if (from_a)
                Add(Kind::Raw_Line, -1, line.first, 0, line.second, QString());
            else
                Add(Kind::Raw_Line, -1, 0, line.first, QString(), line.second);
        }
    };
    only_in(a, b, true);
    only_in(b, a, false);
}

void TComparison::Scale(const Sorted &a, const Sorted &b)
{
    if (d_a.scale_resolution == d_b.scale_resolution)
        return;
    Difference difference = Make(Kind::Scale_Resolution, -1, a.scale_line, b.scale_line,
                                 a.scale_line > 0 ? d_a.lines.at(a.scale_line - 1) : QString(),
                                 b.scale_line > 0 ? d_b.lines.at(b.scale_line - 1) : QString());
    const auto value = [](int resolution) {
        return resolution >= 0 ? std::optional<qint32>(resolution) : std::nullopt;
    };
    difference.value_a = value(d_a.scale_resolution);
    difference.value_b = value(d_b.scale_resolution);
    d_out.append(difference);
}

void TComparison::After_Nul()
{
    const auto text = [](const Side &side, const Place &tail) {
        return QByteArray::fromRawData(side.bytes.constData() + tail.start, tail.length);
    };
    const int count = qMax(d_a.after_nul.size(), d_b.after_nul.size());
    for (int i = 0; i < count; ++i) {
        const Place tail_a = d_a.after_nul.value(i);
        const Place tail_b = d_b.after_nul.value(i);
        const QByteArray bytes_a = text(d_a, tail_a);
        const QByteArray bytes_b = text(d_b, tail_b);
        if (tail_a.line == 0 || tail_b.line == 0 || bytes_a != bytes_b)
            Add(Kind::After_Nul, -1, tail_a.line, tail_b.line, QString::fromLatin1(bytes_a),
                QString::fromLatin1(bytes_b));
    }
}

// The next line after the limit, without its LF or CR LF, where it stands in the bytes;
// false after the last.
bool Next_Beyond(const Side &side, int *position, QByteArray *line)
{
    const QByteArray &bytes = side.bytes;
    if (*position >= bytes.size())
        return false;
    int end = bytes.indexOf('\n', *position);
    const int next = end < 0 ? bytes.size() : end + 1;
    if (end < 0)
        end = bytes.size();
    else if (end > *position && bytes.at(end - 1) == '\r')
        --end;
    *line = QByteArray::fromRawData(bytes.constData() + *position, end - *position);
    *position = next;
    return true;
}

void TComparison::Beyond_Limit()
{
    // Only the first line that differs: the rest is of no use to the editor anyway.
    int position_a = d_a.beyond;
    int position_b = d_b.beyond;
    for (int i = 0;; ++i) {
        QByteArray line_a;
        QByteArray line_b;
        const bool in_a = Next_Beyond(d_a, &position_a, &line_a);
        const bool in_b = Next_Beyond(d_b, &position_b, &line_b);
        if (!in_a && !in_b)
            return;
        if (in_a != in_b || line_a != line_b) {
            const int line = DownloadFile::Max_Lines + 1 + i;
            Add(Kind::Beyond_Limit, -1, in_a ? line : 0, in_b ? line : 0,
                QString::fromLatin1(line_a), QString::fromLatin1(line_b));
            return;
        }
    }
}

} // namespace

Side Side_Of(const QByteArray &bytes)
{
    return Side_Of(DownloadFile::Read(bytes), bytes);
}

Side Side_Of(const DownloadFile::Content &content, const QByteArray &bytes)
{
    Side side;
    side.lines = content.lines;
    side.scale_resolution = content.scale_resolution;
    side.bytes = bytes;
    const QVector<DownloadFile::RawLine> raw = DownloadFile::Raw_Lines(bytes);
    for (int i = 0; i < raw.size(); ++i) {
        const char *body = bytes.constData() + raw.at(i).start;
        const auto *nul = static_cast<const char *>(std::memchr(body, '\0', raw.at(i).length));
        if (nul) {
            const int start = int(nul - bytes.constData()) + 1;
            side.after_nul.append({i + 1, start, raw.at(i).start + raw.at(i).length - start});
        }
    }
    side.beyond = raw.size() == DownloadFile::Max_Lines ? raw.last().End() : bytes.size();
    return side;
}

Side Side_Of(const QStringList &lines)
{
    Side side;
    side.lines = lines;
    side.scale_resolution = DownloadFile::Scale_Resolution_Of(lines);
    return side;
}

QString Kind_Name(Kind kind)
{
    switch (kind) {
    case Kind::Field:
        return QStringLiteral("field");
    case Kind::Parameter_Line:
        return QStringLiteral("parameter-line");
    case Kind::Raw_Line:
        return QStringLiteral("raw-line");
    case Kind::Other_Field:
        return QStringLiteral("other-field");
    case Kind::Line_Text:
        return QStringLiteral("line-text");
    case Kind::Before_Token:
        return QStringLiteral("before-token");
    case Kind::Scale_Resolution:
        return QStringLiteral("scale-resolution");
    case Kind::After_Nul:
        return QStringLiteral("after-nul");
    case Kind::Beyond_Limit:
        return QStringLiteral("beyond-limit");
    }
    return QString();
}

QVector<Difference> Compare(const Side &a, const Side &b, const TParameterTable &table)
{
    QVector<Difference> differences;
    const Sorted sorted_a = Sort(a, table);
    const Sorted sorted_b = Sort(b, table);
    TComparison comparison(a, b, table, differences);
    comparison.Parameters(sorted_a, sorted_b);
    comparison.Other_Lines(sorted_a, sorted_b);
    comparison.Scale(sorted_a, sorted_b);
    comparison.After_Nul();
    comparison.Beyond_Limit();
    return differences;
}

QHash<int, QVector<int>> Parameter_Lines(const Side &side, const TParameterTable &table)
{
    const Sorted sorted = Sort(side, table);
    QHash<int, QVector<int>> lines;
    for (auto it = sorted.parameters.cbegin(); it != sorted.parameters.cend(); ++it)
        for (const Entry &entry : it.value())
            lines[it.key()].append(entry.line);
    return lines;
}

} // namespace DocumentDiff
