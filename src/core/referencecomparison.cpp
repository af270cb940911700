#include "referencecomparison.h"

#include "downloadfile.h"
#include "parametertable.h"

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

QString Count_Text(int count, const char *one, const char *many)
{
    return count == 1 ? QString::fromLatin1(one)
                      : QString::fromLatin1(many).arg(count == 0 ? QStringLiteral("no")
                                                                 : QString::number(count));
}

} // namespace

TReferenceComparison::TReferenceComparison(const TParameterTable &table)
    : d_table(table)
{}

bool TReferenceComparison::Load(const QString &path)
{
    DownloadFile::Content content;
    if (!DownloadFile::Read_File(path, &content))
        return false;
    d_reference = DocumentDiff::Side_Of(content.lines);
    d_path = path;
    d_active = true;
    d_differences.clear();
    return true;
}

void TReferenceComparison::Clear()
{
    d_active = false;
    d_path.clear();
    d_reference = DocumentDiff::Side();
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

void TReferenceComparison::Compare(const QStringList &document_lines)
{
    d_differences.clear();
    if (d_active)
        d_differences =
            DocumentDiff::Compare(DocumentDiff::Side_Of(document_lines), d_reference, d_table);
}

QSet<int> TReferenceComparison::Get_Differing_Lines() const
{
    QSet<int> lines;
    for (const Difference &difference : d_differences)
        if ((difference.kind == Kind::Field || difference.kind == Kind::Parameter_Line) &&
            difference.line_a > 0)
            lines.insert(difference.line_a - 1);
    return lines;
}

QString TReferenceComparison::Get_Summary() const
{
    QStringList changed;
    QStringList only_here;
    QStringList only_there;
    int other_lines = 0;
    bool scale_differs = false;
    for (const Difference &difference : d_differences) {
        if (difference.kind == Kind::Field)
            changed.append(Token_Of(difference.number));
        else if (difference.kind == Kind::Parameter_Line)
            (difference.line_a > 0 ? only_here : only_there).append(Token_Of(difference.number));
        else if (difference.kind == Kind::Raw_Line)
            ++other_lines;
        else if (difference.kind == Kind::Scale_Resolution)
            scale_differs = true;
    }
    changed.removeDuplicates();
    QStringList parts{Count_Text(changed.size(), "1 parameter differs", "%1 parameters differ")};
    if (!only_here.isEmpty())
        parts.append(QStringLiteral("only here: ") + Token_List(only_here));
    if (!only_there.isEmpty())
        parts.append(QStringLiteral("only in the reference: ") + Token_List(only_there));
    if (scale_differs)
        parts.append(QStringLiteral("scale resolution differs"));
    if (other_lines > 0)
        parts.append(Count_Text(other_lines, "1 other line differs", "%1 other lines differ"));
    return parts.join(QStringLiteral(" \u00b7 "));
}

std::optional<LineSyntax::ParameterLine> TReferenceComparison::Get_Reference_Line(int index) const
{
    for (const Difference &difference : d_differences)
        if (difference.kind == Kind::Field && difference.line_a == index + 1)
            return LineSyntax::Read_Parameter_Line(d_reference.lines.at(difference.line_b - 1),
                                                   d_table);
    return std::nullopt;
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
            difference.value_a && difference.value_b)
            values.append({difference.letter, *difference.value_b});
    return values;
}
