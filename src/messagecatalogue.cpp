#include "messagecatalogue.h"

#include "dialogseam.h"
#include "messagebox.h"

#include <QDir>

namespace MessageCatalogue {

const Message Open_Failed = {"Open download file", "Unable to open the download file",
                             QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
const Message Write_Failed = {"Write download file", "Unable to write the download file",
                              QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
const Message Reference_Failed = {"Open reference file", "Unable to open the reference file",
                                  QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
const Message Data_Not_Saved = {
    "Data Not Saved", "The download file has been modified.  Do you want to save the changes?",
    QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
    QMessageBox::Yes};
const Message Lossy_File = {"Download file cannot be kept whole",
                            "The editor cannot keep all of the download file:",
                            QMessageBox::Warning,
                            QMessageBox::Ok,
                            QMessageBox::Ok,
                            "Saving over this file will ask first."};
const Message Lossy_Save = {"Save over the original file",
                            "The editor could not keep all of the download file:",
                            QMessageBox::Warning,
                            QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::No,
                            "Do you want to save over it all the same and lose this?"};
const Message Changed_On_Disk = {
    "Download file changed on disk",
    "Another program has changed the download file since it was opened or last saved here:",
    QMessageBox::Warning,
    QMessageBox::Yes | QMessageBox::No,
    QMessageBox::No,
    "Do you want to overwrite those changes?"};
const Message Settings_Not_Saved = {
    "Settings not saved",
    "Unable to write the settings file",
    QMessageBox::Warning,
    QMessageBox::Ok,
    QMessageBox::Ok,
    "The last download file and the scale resolution will not be remembered."};

int Show_Message(TMessageBox *box, const Message &message, const QString &explanation,
                 const QString &detail)
{
    const QString text = QString::fromLatin1(message.text);
    box->Set_Text(text);
    box->Set_Informative_Text(explanation.isEmpty() ? QString::fromLatin1(message.informative_text)
                                                    : explanation);
    box->setDetailedText(detail);
    box->setIcon(message.icon);
    box->setStandardButtons(message.buttons);
    box->setDefaultButton(message.default_button);
    return TDialogSeam::Exec_Message_Box(box, text);
}

QString Explanation(const Message &message, const QString &path, const QStringList &details,
                    bool bullets)
{
    QString html = QString::fromLatin1(message.informative_text).toHtmlEscaped() +
                   QStringLiteral("<br>") + QDir::toNativeSeparators(path).toHtmlEscaped();
    if (bullets)
        html += QStringLiteral("<br>");
    for (const QString &detail : details)
        html += (bullets ? QStringLiteral("<br>&bull; ") : QStringLiteral("<br>")) +
                detail.toHtmlEscaped();
    if (message.closing)
        html += QStringLiteral("<br><br>") + QString::fromLatin1(message.closing);
    return html;
}

int Show_File_Message(TMessageBox *box, const Message &message, const QString &path,
                      const QStringList &details, bool bullets)
{
    return Show_Message(box, message, Explanation(message, path, details, bullets));
}

QStringList Loss_Sentences(const QVector<DownloadFile::Loss> &losses)
{
    QStringList sentences;
    for (const DownloadFile::Loss &loss : DownloadFile::Summarise(losses))
        sentences.append(DownloadFile::Describe(loss));
    return sentences;
}

} // namespace MessageCatalogue
