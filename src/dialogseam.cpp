#include "dialogseam.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

QStringList TDialogSeam::d_next_file_names;
QList<QMessageBox::StandardButton> TDialogSeam::d_next_answers;
QList<QPair<QString, bool>> TDialogSeam::d_next_print_files;
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

bool TDialogSeam::Exec_Print_Dialog(QPrinter *printer, QWidget *parent)
{
    if (!d_next_print_files.isEmpty()) {
        const QPair<QString, bool> next = d_next_print_files.takeFirst();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(next.first);
        return next.second;
    }
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void TDialogSeam::Set_Next_Print_File(const QString &file_name, bool accepted)
{
    d_next_print_files.append({file_name, accepted});
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
    d_next_print_files.clear();
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
