#include "messagecatalogue.h"

#include "dialogseam.h"
#include "downloaddocument.h"
#include "messagebox.h"

#include <QCoreApplication>
#include <QDir>

namespace MessageCatalogue {

namespace {

QString Translated(const char *text)
{
    return QCoreApplication::translate("MessageCatalogue", text);
}

} // namespace

const Message Open_Failed = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Open download file"),
    QT_TRANSLATE_NOOP("MessageCatalogue", "Unable to open the download file"),
    QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
const Message Write_Failed = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Write download file"),
    QT_TRANSLATE_NOOP("MessageCatalogue", "Unable to write the download file"),
    QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
const Message Reference_Failed = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Open reference file"),
    QT_TRANSLATE_NOOP("MessageCatalogue", "Unable to open the reference file"),
    QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
const Message Export_Failed = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Export commissioning record"),
    QT_TRANSLATE_NOOP("MessageCatalogue", "Unable to write the PDF file"), QMessageBox::Critical,
    QMessageBox::Ok, QMessageBox::Ok};
const Message Data_Not_Saved = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Data Not Saved"),
    QT_TRANSLATE_NOOP("MessageCatalogue",
                      "The download file has been modified.  Do you want to save the changes?"),
    QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
    QMessageBox::Yes};
const Message Lossy_File = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Download file cannot be kept whole"),
    QT_TRANSLATE_NOOP("MessageCatalogue", "The editor cannot keep all of the download file:"),
    QMessageBox::Warning,
    QMessageBox::Ok,
    QMessageBox::Ok,
    QT_TRANSLATE_NOOP("MessageCatalogue", "Saving over this file will ask first.")};
// As Lossy_File, for a file that is only read: its damaged lines are what it cannot lend.
const Message Lossy_Reference = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Reference file cannot be kept whole"),
    QT_TRANSLATE_NOOP("MessageCatalogue", "The editor cannot keep all of the reference file:"),
    QMessageBox::Warning,
    QMessageBox::Ok,
    QMessageBox::Ok,
    QT_TRANSLATE_NOOP("MessageCatalogue",
                      "The reference is only read, never saved. A line that lost something in "
                      "the reading is still compared, but its values are neither shown nor "
                      "taken over.")};
const Message Lossy_Save = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Save over the original file"),
    QT_TRANSLATE_NOOP("MessageCatalogue", "The editor could not keep all of the download file:"),
    QMessageBox::Warning,
    QMessageBox::Yes | QMessageBox::No,
    QMessageBox::No,
    QT_TRANSLATE_NOOP("MessageCatalogue",
                      "Do you want to save over it all the same and lose this?")};
const Message Changed_On_Disk = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Download file changed on disk"),
    QT_TRANSLATE_NOOP(
        "MessageCatalogue",
        "Another program has changed the download file since it was opened or last saved here:"),
    QMessageBox::Warning,
    QMessageBox::Yes | QMessageBox::No,
    QMessageBox::No,
    QT_TRANSLATE_NOOP("MessageCatalogue", "Do you want to overwrite those changes?")};
const Message Settings_Not_Saved = {
    QT_TRANSLATE_NOOP("MessageCatalogue", "Settings not saved"),
    QT_TRANSLATE_NOOP("MessageCatalogue", "Unable to write the settings file"),
    QMessageBox::Warning,
    QMessageBox::Ok,
    QMessageBox::Ok,
    QT_TRANSLATE_NOOP("MessageCatalogue",
                      "The last download file and the scale resolution will not be remembered.")};

int Show_Message(TMessageBox *box, const Message &message, const QString &explanation,
                 const QString &detail)
{
    const QString text = Translated(message.text);
    box->Set_Text(text);
    box->Set_Informative_Text(explanation.isEmpty() ? Translated(message.informative_text)
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
    QString html = Translated(message.informative_text).toHtmlEscaped() + QStringLiteral("<br>") +
                   QDir::toNativeSeparators(path).toHtmlEscaped();
    if (bullets)
        html += QStringLiteral("<br>");
    for (const QString &detail : details)
        html += (bullets ? QStringLiteral("<br>&bull; ") : QStringLiteral("<br>")) +
                detail.toHtmlEscaped();
    if (message.closing)
        html += QStringLiteral("<br><br>") + Translated(message.closing);
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

QString Changed_Lines(const TDownloadDocument &document)
{
    QStringList changes;
    for (int i = 0; i < document.Get_Line_Count(); ++i) {
        if (!document.Is_Line_Saved(i))
            changes.append(QCoreApplication::translate("MessageCatalogue", "Line %1: %2 \u2192 %3")
                               .arg(i + 1)
                               .arg(document.Get_Saved_Line(i), document.Get_Line(i)));
    }
    return changes.join(QLatin1Char('\n'));
}

} // namespace MessageCatalogue
