#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The window's modal dialogs go through here. In the program every call shows the real
// dialog. Tests only: they queue the next file name or the next answer, which is then
// used instead of showing the dialog, and they read back which messages were shown.
class TDialogSeam
{
public:
    static QString Get_Open_File_Name(QWidget *parent, const QString &caption,
                                      const QString &directory, const QString &filter);
    static QString Get_Save_File_Name(QWidget *parent, const QString &caption,
                                      const QString &directory, const QString &filter);
    // Runs the prepared box modally; text is its short text, recorded for tests.
    static int Exec_Message_Box(QMessageBox *box, const QString &text);

    // Test only. An empty name stands for a cancelled dialog.
    static void Set_Next_File_Name(const QString &file_name);
    static void Set_Next_Answer(QMessageBox::StandardButton answer);
    static QStringList Shown_Messages();
    static int File_Dialog_Requests();
    static QString Last_Dialog_Directory();
    static void Clear();

private:
    static QString Next_File_Name(const QString &directory);

    static std::optional<QString> d_next_file_name;
    static std::optional<QMessageBox::StandardButton> d_next_answer;
    static QStringList d_shown_messages;
    static int d_file_dialog_requests;
    static QString d_last_dialog_directory;
};
