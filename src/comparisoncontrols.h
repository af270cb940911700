#pragma once

#include "referencecomparison.h"

#include <QObject>

class QAction;
class QLabel;
class QToolBar;
class QUndoStack;
class QWidget;
class TDataEditorWidget;
class TDownloadDocument;
class TElidingLabel;
class TFileLineWidget;
class TMessageBox;
class TParameterTable;

// The window's comparison with a reference file: the toolbar's three actions (compare,
// take over, end), the summary on a line of its own, the marks in the line list, the
// reference values beside the panels, and the take-over of those values.
class TComparisonControls : public QObject
{
    Q_OBJECT

public:
    // The parts of the window that the comparison reads and marks. The actions are the
    // window's, added to tool_bar; file_name_label names the download file.
    struct Window_Parts
    {
        QWidget *window;
        QToolBar *tool_bar;
        QLabel *file_name_label;
        TDownloadDocument *document;
        TFileLineWidget *line_view;
        TDataEditorWidget *data_editor;
        TMessageBox *message_box;
        QUndoStack *undo_stack;
    };

    TComparisonControls(const Window_Parts &parts, const TParameterTable &table);

    // The summary, a line for the window to place where nothing pushes it out of sight,
    // with the side margins of the window's contents. It shows while a comparison is
    // active, elided to the width it is given, and tells all of it as its tooltip.
    QLabel *Get_Summary_Label() const;

    // Compares the document with a reference file, read-only, until the comparison ends
    // or another replaces it. A reference that cannot be read is told as a failed open, one
    // that cannot be kept whole as a lossy open; false when the file cannot be read.
    bool Compare_File(const QString &path);
    // Compares afresh: run after every change of the document.
    void Update();
    // Beside the panels of line (-1: none), whose described parameter is parameter (-1:
    // none): the reference's values, when the line differs from the reference.
    void Show_References(int line, int parameter);
    // The reference's values written into line, as one step.
    void Take_Over(int line);
    bool Is_Active() const;
    // The reference file's path while a comparison runs.
    QString Get_Reference_Path() const;
    // The lines that differ from the reference; none without one.
    QSet<int> Get_Differing_Lines() const;

signals:
    // The take-over action: the window settles its editor, then calls Take_Over.
    void Take_Over_Requested();
    // Compared afresh, begun or ended.
    void Updated();

private:
    void Create_Actions();
    void Read_Reference_File();
    void End_Comparison();
    void Show_Summary();
    // Beside the panels: the reference's values of line, or why it has none to show.
    void Show_Reference_Values(int line);
    void Show_Unread_Reference_Line(int line, int reference_line);

    Window_Parts d_parts;
    const TParameterTable &d_table;
    TReferenceComparison d_comparison;
    QAction *d_compare_action = nullptr;
    QAction *d_take_over_action = nullptr;
    QAction *d_end_comparison_action = nullptr;
    TElidingLabel *d_summary_label = nullptr;
    int d_line = -1;
    int d_parameter = -1;
};
