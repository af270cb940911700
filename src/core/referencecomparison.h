#pragma once

#include "documentdiff.h"
#include "linesyntax.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class TParameterTable;

// A reference file held read-only beside the document, and how the document differs from
// it. Parameters meet by number, as in every comparison of two download files.
class TReferenceComparison
{
public:
    explicit TReferenceComparison(const TParameterTable &table);

    // Reads the reference; false, and the comparison as it was, when it cannot be read.
    bool Load(const QString &path);
    void Clear();
    bool Is_Active() const;
    QString Get_Path() const;

    // Compares the document's lines with the reference; run after every change.
    void Compare(const QStringList &document_lines);

    // Document lines (0-based) whose parameter differs: another field value, or a
    // parameter line without a partner in the reference.
    QSet<int> Get_Differing_Lines() const;
    // How many parameters differ and which exist on one side only, in one line.
    QString Get_Summary() const;

    // The reference line paired with document line index when their fields differ.
    std::optional<LineSyntax::ParameterLine> Get_Reference_Line(int index) const;
    // The letters of the fields of document line index that differ from the reference.
    QString Get_Differing_Letters(int index) const;
    // The reference's values for those fields that both lines hold.
    QVector<LineSyntax::FieldAssignment> Get_Reference_Values(int index) const;

private:
    const TParameterTable &d_table;
    QString d_path;
    bool d_active = false;
    DocumentDiff::Side d_reference;
    QVector<DocumentDiff::Difference> d_differences;
};
