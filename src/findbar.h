#pragma once

#include "linefinder.h"

#include <QString>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class TDataEditorWidget;
class TDownloadDocument;
class TFileLineWidget;
class TParameterTable;

// The search field above the line list. It finds lines as a technician names them (see
// LineFinder), marks them in the list while it holds text, counts them, and steps from
// match to match: Enter and F3 forward, with Shift backward, wrapping at the ends. A step
// makes the match the active line, so the line left is committed as by any other move.
class TFindBar : public QWidget
{
    Q_OBJECT

public:
    // The keys (Ctrl+F, F3, Shift+F3) work anywhere in window.
    TFindBar(QWidget *window, TFileLineWidget *line_view, TDataEditorWidget *data_editor,
             const TParameterTable &table);

    // Tab goes from previous to the field.
    void Follow_In_Tab_Order(QWidget *previous);
    // The field has the focus: Up and Down are its own there and move no line.
    bool Has_Focus() const;

    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    // Ctrl+F: the focus into the field, its text selected for a new query.
    void Start_Search();
    void Find_Next();
    void Find_Previous();

private:
    void Create_Actions(QWidget *window);
    // The query read afresh against the document's lines: marks and count.
    void Search();
    void Step(bool forward);
    // Escape or Down: the focus back into the editor, into the found field if there is one.
    void Leave_Field();
    void Show_Count();

    TFileLineWidget *d_line_view;
    TDownloadDocument *d_document;
    TDataEditorWidget *d_data_editor;
    const TParameterTable &d_table;
    QLineEdit *d_field = nullptr;
    QLabel *d_count_label = nullptr;
    LineFinder::Result d_result;
    // How the last step wrapped (-1 backward to the last match, 1 forward to the first),
    // told beside the count until the active line moves otherwise; 0: it did not.
    int d_wrapped = 0;
};
