#pragma once

#include "parametertable.h"

#include <QDialog>

class QAction;
class QGridLayout;
class QLabel;
class QPushButton;
class QToolBar;
class QUndoCommand;
class QUndoStack;
class TComparisonControls;
class TDataEditorWidget;
class TDownloadDocument;
class TEditorSettings;
class TFileLineWidget;
class TFindBar;
class TGlobalKeyEvent;
class TMessageBox;
class TUndoKeyArbiter;

// The program's one window: toolbar, file captions, the line view beside the data
// editor, and the footer. It opens and saves the document, brings the active line into
// the editor and its edits back into the line, and guards unsaved work.
class TDownloadEditor : public QDialog
{
    Q_OBJECT

public:
    explicit TDownloadEditor(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TDownloadEditor() override;

    // Start-up's wiring of the application-wide key filter: installed on the application,
    // it reports key presses to window's Key_Pressed, but not those meant for a modal
    // dialog, such as a question or a file dialog in front of the window.
    static void Connect_Key_Filter(TGlobalKeyEvent *filter, TDownloadEditor *window);

    // Opens the file named on the command line; one that cannot be opened is reported.
    void Open_File(const QString &path);
    // Compares the document with a reference file, read-only, until the comparison ends
    // or another replaces it; false when the file cannot be read, which is told as from
    // the toolbar.
    bool Compare_File(const QString &path);

private slots:
    void Line_Activated(int index);
    void Undo();
    void Redo();

public slots:
    void Key_Pressed(int key);
    void Scale_Resolution_Changed(int resolution);
    void Read_File();
    void Write_File();
    void Take_Over_Reference_Values();
    // Escape and other rejections close the window like any other close request.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Construction, in this order.
    QToolBar *Create_Tool_Bar();
    void Create_Panes(QGridLayout *grid_layout);
    QPushButton *Create_Footer(QGridLayout *grid_layout);
    void Read_Settings();
    void Create_Connections(QPushButton *close_button);

    // take_focus: the focus goes into the editor wherever it was.
    void Show_Line(const QString &line, bool take_focus = false);
    void Fill_Editor(const QString &line);
    // The commit condition: a line is shown and the editor holds the user's edits.
    bool Has_Pending_Edits() const;
    // The editor's content into the shown line, as one step that can be undone.
    void Commit_Line();
    // Under the commit condition: Commit_Line, and a committed scale resolution line is in
    // force at once. True when it committed.
    bool Commit_Edits();
    // Commit_Edits, then the line shown afresh as written: no edit is left in the views to
    // be committed or undone a second time.
    void Commit_Edits_And_Refill();
    void Apply_Scale_Line(int index);
    // While the document has a scale resolution line, the field edits it; gives the
    // resolution in force then: 0 for one that the line cannot hold.
    int Write_Scale_Line(int resolution);
    void Scale_Resolution_Edit_Finished();
    void Show_Restored_Line(const QUndoCommand *command);
    bool Save_Download_File();
    bool May_Overwrite(const QString &file_name);
    bool Settle_Unsaved_Changes();
    bool Load_Download_File(const QString &path, QString *error);
    void Open_Dropped_File(const QString &path);
    void Start_Load();
    void Finish_Load(const QString &path);
    void Store_Settings();

    QAction *d_read_action = nullptr;
    QAction *d_write_action = nullptr;
    QLabel *d_file_name_label = nullptr;
    QLabel *d_file_caption_label = nullptr;
    // One line about the open file, such as its bytes looking like UTF-8; hidden when
    // there is nothing to say.
    QLabel *d_file_note_label = nullptr;
    TEditorSettings *d_settings = nullptr;
    TDataEditorWidget *d_data_editor = nullptr;
    TFileLineWidget *d_file_line_widget = nullptr;
    TMessageBox *d_message_box = nullptr;
    int d_current_line = -1;
    int d_current_parameter = -1;
    // Not clean: the lines hold changes not yet written. Follows the undo stack.
    bool d_data_modified = false;
    TParameterTable d_parameter_table;
    // The line view's; every change of its lines is a step on d_undo_stack.
    TDownloadDocument *d_document = nullptr;
    // Its clean state is the last load or save.
    QUndoStack *d_undo_stack = nullptr;
    QAction *d_undo_action = nullptr;
    QAction *d_redo_action = nullptr;
    TUndoKeyArbiter *d_undo_key_arbiter = nullptr;
    TComparisonControls *d_comparison = nullptr;
    // The keystrokes of one visit to the scale resolution field are one step.
    int d_scale_field_visit = 0;
    // In the toolbar between the editing and the comparing actions.
    QAction *d_comparison_separator = nullptr;
    TFindBar *d_find_bar = nullptr;
};
