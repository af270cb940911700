#pragma once

#include <QMessageBox>
#include <QPair>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// The window's modal dialogs go through here. In the program every call shows the real
// dialog. Tests only: they queue the next file names or answers, which are then used, in
// order, instead of showing a dialog, and they read back which messages were shown.
class TDialogSeam
{
public:
    static QString Get_Open_File_Name(QWidget *parent, const QString &caption,
                                      const QString &directory, const QString &filter);
    static QString Get_Save_File_Name(QWidget *parent, const QString &caption,
                                      const QString &directory, const QString &filter);
    // Runs the prepared box modally; text is its short text, recorded for tests.
    static int Exec_Message_Box(QMessageBox *box, const QString &text);
    // The print dialog for printer; true when the user chose to print.
    static bool Exec_Print_Dialog(QPrinter *printer, QWidget *parent);

    // Test only. An empty name stands for a cancelled file dialog.
    static void Set_Next_File_Name(const QString &file_name);
    static void Set_Next_Answer(QMessageBox::StandardButton answer);
    // The next print dialog prints into a PDF file of that name, or is cancelled with that
    // file set all the same, so that printing anyway would show.
    static void Set_Next_Print_File(const QString &file_name, bool accepted = true);
    static QStringList Shown_Messages();
    static int File_Dialog_Requests();
    static QString Last_Dialog_Directory();
    static void Clear();

private:
    static QString Next_File_Name(const QString &directory);

    static QStringList d_next_file_names;
    static QList<QMessageBox::StandardButton> d_next_answers;
    static QList<QPair<QString, bool>> d_next_print_files;
    static QStringList d_shown_messages;
    static int d_file_dialog_requests;
    static QString d_last_dialog_directory;
};
