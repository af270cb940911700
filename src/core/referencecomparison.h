#pragma once

#include "documentdiff.h"
#include "downloadfile.h"
#include "linesyntax.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class TParameterTable;

// A reference file held read-only beside the document, and how the document differs from
// it. Parameters meet by number, as in every comparison of two download files.
//
// The reference is read by the rules of an opened file (DownloadFile::Read_File): what it
// loses in the reading is kept (Get_Losses) for the same announcement as an open, and a
// reference line that lost something never lends a value, neither to be shown nor taken
// over. Its millimetres use its own scale resolution line (Get_Reference_Resolution).
// Document lines are 0-based indexes, as in the line view; reference lines are 1-based, as
// in the losses.
class TReferenceComparison
{
    Q_DECLARE_TR_FUNCTIONS(TReferenceComparison)

public:
    explicit TReferenceComparison(const TParameterTable &table);

    // Reads the reference; false, with the comparison as it was, when it cannot be read
    // (missing, a folder, a FIFO, no permission): Get_Error then says why.
    bool Load(const QString &path);
    void Clear();
    bool Is_Active() const;
    QString Get_Path() const;
    // The system's reason why the last Load failed; empty after one that succeeded.
    QString Get_Error() const;
    // What the reference lost when it was read, in line order, as DownloadFile::Read gives
    // it for an opened file: DownloadFile::Summarise and Describe make the same sentences.
    // Empty when the reference was kept whole or no comparison is active.
    QVector<DownloadFile::Loss> Get_Losses() const;

    // Compares the document's lines with the reference; run after every change.
    void Compare(const QStringList &document_lines);

    // Document lines (0-based) whose parameter differs: another field value, a parameter
    // line without a partner in the reference, or every line of a parameter that stands on
    // more lines in one file than in the other.
    QSet<int> Get_Differing_Lines() const;
    // How many parameters differ, which exist on one side only and which stand on more
    // than one line of a file, in one line.
    QString Get_Summary() const;

    // The reference line paired with document line index when their fields differ; none
    // when that reference line lost something in the reading (see Get_Lossy_Reference_Line).
    std::optional<LineSyntax::ParameterLine> Get_Reference_Line(int index) const;
    // The letters of the fields of document line index that differ from the reference.
    QString Get_Differing_Letters(int index) const;
    // The reference's values for those fields that both lines hold; empty when the
    // reference line lost something, so take-over never writes a cut value.
    QVector<LineSyntax::FieldAssignment> Get_Reference_Values(int index) const;
    // The reference line (1-based) paired with document line index whose fields differ but
    // which lost something in the reading (a NUL, a CR line end, control bytes, the read
    // limit); 0 when there is none. Its values are neither shown nor offered.
    int Get_Lossy_Reference_Line(int index) const;

    // The counts per millimetre that the reference's values are converted with.
    struct Resolution
    {
        int value = 0;
        int line = 0; // the reference's scale resolution line (1-based); 0: the fallback

        bool Is_From_Reference() const { return line > 0; }
    };
    // The value of the reference's own scale resolution line, as oadtool diff converts
    // with; a line N00 gives 0, so no millimetres rather than another file's. fallback (the
    // document's resolution) when the reference has no scale line or none is active.
    Resolution Get_Reference_Resolution(int fallback) const;

private:
    const DocumentDiff::Difference *Field_Difference(int index) const;
    bool Is_Lossy(int reference_line) const;

    const TParameterTable &d_table;
    QString d_path;
    QString d_error;
    bool d_active = false;
    DocumentDiff::Side d_reference;
    QVector<DownloadFile::Loss> d_losses;
    QSet<int> d_lossy_lines; // 1-based lines of the reference
    QHash<int, QVector<int>> d_reference_parameters;
    QHash<int, QVector<int>> d_document_parameters;
    QVector<DocumentDiff::Difference> d_differences;
};
