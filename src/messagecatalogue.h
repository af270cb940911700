#pragma once

#include "downloadfile.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QVector>

class TDownloadDocument;
class TMessageBox;

// Every message of the window: its texts, icon and buttons, and how it is shown on the
// window's one message box.
namespace MessageCatalogue {

struct Message
{
    const char *text;
    const char *informative_text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton default_button;
    const char *closing = nullptr; // below the file and the details
};

extern const Message Open_Failed;
extern const Message Write_Failed;
extern const Message Reference_Failed;
extern const Message Export_Failed;
extern const Message Data_Not_Saved;
extern const Message Lossy_File;
extern const Message Lossy_Reference;
extern const Message Lossy_Save;
extern const Message Changed_On_Disk;
extern const Message Settings_Not_Saved;

// Shows the message modally, set afresh each time, and gives the button pressed. A
// message about a file gets an explanation of its own (see Explanation); detail is the
// box's detailed text.
int Show_Message(TMessageBox *box, const Message &message, const QString &explanation = QString(),
                 const QString &detail = QString());

// The message's explanation as markup: its sentence, the file, the details (a reason, or
// one bullet per detail), then its closing sentence. Paths and details are not markup.
QString Explanation(const Message &message, const QString &path,
                    const QStringList &details = QStringList(), bool bullets = false);

// The message about path, with its details as Explanation sets them out.
int Show_File_Message(TMessageBox *box, const Message &message, const QString &path,
                      const QStringList &details = QStringList(), bool bullets = false);

// One sentence for each kind of loss that a read found.
QStringList Loss_Sentences(const QVector<DownloadFile::Loss> &losses);

// One line for each line of the document that differs from its saved text: old -> new.
QString Changed_Lines(const TDownloadDocument &document);

} // namespace MessageCatalogue
