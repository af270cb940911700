#pragma once

#include "downloadfile.h"
#include "parametertable.h"
#include "referencecomparison.h"

#include <QDialog>
#include <QStringList>

class QAction;
class QGridLayout;
class QLabel;
class QPushButton;
class QToolBar;
class QSettings;
class QUndoStack;
class TDataEditorWidget;
class TFileLineWidget;
class TMessageBox;

// The program's one window: toolbar, file captions, the line view beside the data
// editor, and the footer. It joins the active line to the editor and guards unsaved work.
class TDownloadEditor : public QDialog
{
    Q_OBJECT

public:
    explicit TDownloadEditor(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TDownloadEditor() override;

    void Open_File(const QString &path);
    // Compares the document with a reference file, read-only, until the comparison ends
    // or another replaces it; false when the file cannot be read.
    bool Compare_File(const QString &path);

    // The download file named on a command line: the last argument after the program
    // name, made absolute against current_directory and cleaned, with '/' separators.
    // Empty when there is no argument or the file does not exist.
    static QString Command_Line_File(const QStringList &arguments,
                                     const QString &current_directory);

    // Where settings.ini is kept for a program in program_folder: there, when the user may
    // write in it; else in the user's configuration folder.
    static QString Settings_Path(const QString &program_folder);

private slots:
    void Line_Activated(int index);
    void Undo();
    void Redo();
    void Focus_Changed(QWidget *old_focus, QWidget *new_focus);
    // Enter in the data editor: the line's edits are written in place.
    void Commit_In_Place();

public slots:
    void Key_Pressed(int key);
    void Scale_Resolution_Changed(int resolution);
    void Read_File();
    void Write_File();
    void Read_Reference_File();
    void Take_Over_Reference_Values();
    void End_Comparison();
    // Escape and other rejections close the window like any other close request.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Construction, in this order.
    QToolBar *Create_Tool_Bar();
    void Create_Comparison_Actions(QToolBar *tool_bar);
    void Create_Panes(QGridLayout *grid_layout);
    QPushButton *Create_Footer(QGridLayout *grid_layout);
    void Read_Settings();
    void Create_Connections(QPushButton *close_button);

    // take_focus: the focus goes into the editor wherever it was.
    void Show_Line(const QString &line, bool take_focus = false);
    void Fill_Editor(const QString &line);
    void Commit_Line();
    void Commit_Pending_Edits();
    bool Commit_Changed_Line();
    void Follow_Scale_Resolution_Line(int index);
    // Every committed change of a line goes through here, as one step that can be undone.
    void Set_Document_Line(int index, const QString &text);
    void Restore_Line(int index, const QString &text);
    void Settle_Editor();
    QString Changed_Lines_Text() const;
    void Update_Comparison();
    void Show_References();
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
    QSettings *d_settings = nullptr;
    TDataEditorWidget *d_data_editor = nullptr;
    TFileLineWidget *d_file_line_widget = nullptr;
    TMessageBox *d_message_box = nullptr;
    int d_current_line = -1;
    int d_current_parameter = -1;
    bool d_data_modified = false;
    TParameterTable d_parameter_table;
    // Its clean state is the last load or save, and it drives d_data_modified.
    QUndoStack *d_undo_stack = nullptr;
    QAction *d_undo_action = nullptr;
    QAction *d_redo_action = nullptr;
    // The file as last read or written here, and what of it the document could not keep.
    DownloadFile::FileStamp d_file_stamp;
    QVector<DownloadFile::Loss> d_file_losses;
    QAction *d_compare_action = nullptr;
    QAction *d_take_over_action = nullptr;
    QAction *d_end_comparison_action = nullptr;
    QLabel *d_comparison_label = nullptr;
    TReferenceComparison d_comparison{d_parameter_table};
    // The user has been told that the settings cannot be stored.
    bool d_settings_failure_shown = false;
};
