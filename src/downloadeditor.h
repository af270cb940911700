#pragma once

#include "parametertable.h"

#include <QDialog>
#include <QStringList>

class QAction;
class QGridLayout;
class QLabel;
class QPushButton;
class QToolBar;
class QSettings;
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

    // The download file named on a command line: the last argument after the program
    // name, made absolute against current_directory and cleaned, with '/' separators.
    // Empty when there is no argument or the file does not exist.
    static QString Command_Line_File(const QStringList &arguments,
                                     const QString &current_directory);

private slots:
    void Line_Activated(int index);

public slots:
    void Key_Pressed(int key);
    void Scale_Resolution_Changed(int resolution);
    void Read_File();
    void Write_File();
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
    static QString Settings_Path();

    void Show_Line(const QString &line);
    void Fill_Editor(const QString &line);
    void Commit_Line();
    void Commit_Pending_Edits();
    bool Save_Download_File();
    bool Settle_Unsaved_Changes();
    void Start_Load();
    void Finish_Load(const QString &path, bool loaded);

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
    // The shown line's edits went into the last successful save.
    bool d_shown_line_saved = false;
};
