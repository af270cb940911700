#include "dialogseam.h"

#include <QFileDialog>

QStringList TDialogSeam::d_next_file_names;
QList<QMessageBox::StandardButton> TDialogSeam::d_next_answers;
QStringList TDialogSeam::d_shown_messages;
int TDialogSeam::d_file_dialog_requests = 0;
QString TDialogSeam::d_last_dialog_directory;

QString TDialogSeam::Get_Open_File_Name(QWidget *parent, const QString &caption,
                                        const QString &directory, const QString &filter)
{
    if (!d_next_file_names.isEmpty())
        return Next_File_Name(directory);
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString TDialogSeam::Get_Save_File_Name(QWidget *parent, const QString &caption,
                                        const QString &directory, const QString &filter)
{
    if (!d_next_file_names.isEmpty())
        return Next_File_Name(directory);
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}

int TDialogSeam::Exec_Message_Box(QMessageBox *box, const QString &text)
{
    d_shown_messages.append(text);
    if (!d_next_answers.isEmpty())
        return d_next_answers.takeFirst();
    return box->exec();
}

void TDialogSeam::Set_Next_File_Name(const QString &file_name)
{
    d_next_file_names.append(file_name);
}

void TDialogSeam::Set_Next_Answer(QMessageBox::StandardButton answer)
{
    d_next_answers.append(answer);
}

QStringList TDialogSeam::Shown_Messages()
{
    return d_shown_messages;
}

int TDialogSeam::File_Dialog_Requests()
{
    return d_file_dialog_requests;
}

QString TDialogSeam::Last_Dialog_Directory()
{
    return d_last_dialog_directory;
}

void TDialogSeam::Clear()
{
    d_next_file_names.clear();
    d_next_answers.clear();
    d_shown_messages.clear();
    d_file_dialog_requests = 0;
    d_last_dialog_directory.clear();
}

QString TDialogSeam::Next_File_Name(const QString &directory)
{
    ++d_file_dialog_requests;
    d_last_dialog_directory = directory;
    return d_next_file_names.takeFirst();
}
