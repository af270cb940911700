#include "referencecomparison.h"

#include "parametertable.h"

#include <QPair>

#include <algorithm>

namespace {

using DocumentDiff::Difference;
using DocumentDiff::Kind;
using LineSyntax::Token_Of;

// Each token once, in the order met; a long list ends in an ellipsis.
QString Token_List(const QStringList &tokens)
{
    constexpr int Shown = 8;
    QStringList unique;
    for (const QString &token : tokens)
        if (!unique.contains(token))
            unique.append(token);
    if (unique.size() > Shown) {
        unique = unique.mid(0, Shown);
        unique.append(QStringLiteral("\u2026"));
    }
    return unique.join(QStringLiteral(", "));
}

// text, such as "only here: %1", with the tokens, when there are any.
void Append_List(QStringList &parts, const QString &text, const QStringList &tokens)
{
    if (!tokens.isEmpty())
        parts.append(text.arg(Token_List(tokens)));
}

// The numbers on more than one line, in the order of their first line.
QStringList Duplicated(const QHash<int, QVector<int>> &parameters)
{
    QVector<QPair<int, int>> found; // first line, number
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
        if (it.value().size() > 1)
            found.append({it.value().first(), it.key()});
    std::sort(found.begin(), found.end());
    QStringList tokens;
    for (const auto &number : qAsConst(found))
        tokens.append(Token_Of(number.second));
    return tokens;
}

} // namespace

TReferenceComparison::TReferenceComparison(const TParameterTable &table)
    : d_table(table)
{}

bool TReferenceComparison::Load(const QString &path)
{
    DownloadFile::Content content;
    if (!DownloadFile::Read_File(path, &content, &d_error))
        return false;
    d_error.clear();
    d_reference = DocumentDiff::Side_Of(content.lines);
    d_losses = content.losses;
    d_lossy_lines.clear();
    for (const DownloadFile::Loss &loss : qAsConst(d_losses))
        d_lossy_lines.insert(loss.line);
    d_reference_parameters = DocumentDiff::Parameter_Lines(d_reference, d_table);
    d_path = path;
    d_active = true;
    d_differences.clear();
    return true;
}

void TReferenceComparison::Clear()
{
    d_active = false;
    d_path.clear();
    d_error.clear();
    d_reference = DocumentDiff::Side();
    d_losses.clear();
    d_lossy_lines.clear();
    d_reference_parameters.clear();
    d_document_parameters.clear();
    d_differences.clear();
}

bool TReferenceComparison::Is_Active() const
{
    return d_active;
}

QString TReferenceComparison::Get_Path() const
{
    return d_path;
}

QString TReferenceComparison::Get_Error() const
{
    return d_error;
}

QVector<DownloadFile::Loss> TReferenceComparison::Get_Losses() const
{
    return d_losses;
}

void TReferenceComparison::Compare(const QStringList &document_lines)
{
    d_differences.clear();
    d_document_parameters.clear();
    if (!d_active)
        return;
    const DocumentDiff::Side document = DocumentDiff::Side_Of(document_lines);
    d_differences = DocumentDiff::Compare(document, d_reference, d_table);
    d_document_parameters = DocumentDiff::Parameter_Lines(document, d_table);
}

QSet<int> TReferenceComparison::Get_Differing_Lines() const
{
    QSet<int> lines;
    for (const Difference &difference : d_differences)
        if ((difference.kind == Kind::Field || difference.kind == Kind::Parameter_Line) &&
            difference.line_a > 0)
            lines.insert(difference.line_a - 1);
    // Where one file holds a parameter more often, which lines pair up is a guess.
    for (auto it = d_document_parameters.cbegin(); it != d_document_parameters.cend(); ++it)
        if (it.value().size() != d_reference_parameters.value(it.key()).size())
            for (const int line : it.value())
                lines.insert(line - 1);
    return lines;
}

QString TReferenceComparison::Get_Summary() const
{
    QStringList changed;
    QStringList only_here;
    QStringList only_there;
    int other_lines = 0;
    bool scale_differs = false;
    const QStringList duplicated_here = Duplicated(d_document_parameters);
    const QStringList duplicated_there = Duplicated(d_reference_parameters);
    for (const Difference &difference : d_differences) {
        const QString token = Token_Of(difference.number);
        if (difference.kind == Kind::Field)
            changed.append(token);
        else if (difference.kind == Kind::Parameter_Line && !duplicated_here.contains(token) &&
                 !duplicated_there.contains(token))
            (difference.line_a > 0 ? only_here : only_there).append(token);
        else if (difference.kind == Kind::Raw_Line)
            ++other_lines;
        else if (difference.kind == Kind::Scale_Resolution)
            scale_differs = true;
    }
    changed.removeDuplicates();
    QStringList parts{changed.isEmpty()     ? tr("no parameters differ")
                      : changed.size() == 1 ? tr("1 parameter differs")
                                            : tr("%1 parameters differ").arg(changed.size())};
    Append_List(parts, tr("only here: %1"), only_here);
    Append_List(parts, tr("only in the reference: %1"), only_there);
    Append_List(parts, tr("duplicated here: %1"), duplicated_here);
    Append_List(parts, tr("duplicated in the reference: %1"), duplicated_there);
    if (scale_differs)
        parts.append(tr("scale resolution differs"));
    if (other_lines > 0)
        parts.append(other_lines == 1 ? tr("1 other line differs")
                                      : tr("%1 other lines differ").arg(other_lines));
    return parts.join(QStringLiteral(" \u00b7 "));
}

const Difference *TReferenceComparison::Field_Difference(int index) const
{
    for (const Difference &difference : d_differences)
        if (difference.kind == Kind::Field && difference.line_a == index + 1)
            return &difference;
    return nullptr;
}

bool TReferenceComparison::Is_Lossy(int reference_line) const
{
    return d_lossy_lines.contains(reference_line);
}

std::optional<LineSyntax::ParameterLine> TReferenceComparison::Get_Reference_Line(int index) const
{
    const Difference *difference = Field_Difference(index);
    if (!difference || Is_Lossy(difference->line_b))
        return std::nullopt;
    return LineSyntax::Read_Parameter_Line(d_reference.lines.at(difference->line_b - 1), d_table);
}

QString TReferenceComparison::Get_Differing_Letters(int index) const
{
    QString letters;
    for (const Difference &difference : d_differences)
        if (difference.kind == Kind::Field && difference.line_a == index + 1)
            letters.append(difference.letter);
    return letters;
}

QVector<LineSyntax::FieldAssignment> TReferenceComparison::Get_Reference_Values(int index) const
{
    QVector<LineSyntax::FieldAssignment> values;
    for (const Difference &difference : d_differences)
        if (difference.kind == Kind::Field && difference.line_a == index + 1 &&
            difference.value_a && difference.value_b && !Is_Lossy(difference.line_b))
            values.append({difference.letter, *difference.value_b});
    return values;
}

int TReferenceComparison::Get_Lossy_Reference_Line(int index) const
{
    const Difference *difference = Field_Difference(index);
    return difference && Is_Lossy(difference->line_b) ? difference->line_b : 0;
}

TReferenceComparison::Resolution TReferenceComparison::Get_Reference_Resolution(int fallback) const
{
    const int line = DownloadFile::Scale_Line_Index(d_reference.lines);
    if (line < 0)
        return {fallback, 0};
    return {d_reference.scale_resolution, line + 1};
}
