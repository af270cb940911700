#pragma once

#include "downloadfile.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

// The open download file in memory: its lines, the lines as last loaded or saved, what the
// read could not keep, and the file's stamp. Views paint it and commands change it; it is
// the one copy of the file's content.
class TDownloadDocument : public QObject
{
    Q_OBJECT

public:
    // What saving over a file would lose besides the document's own lines.
    enum class Overwrite_Risk
    {
        None,
        Changed_On_Disk, // someone else changed the file since it was loaded or saved here
        Unkept_Content,  // the file holds what the read could not keep (see Get_Losses)
    };

    explicit TDownloadDocument(QObject *parent = nullptr);

    int Get_Line_Count() const;
    QString Get_Line(int index) const;
    void Set_Line(int index, const QString &text);
    const QStringList &Get_Lines() const;

    // The lines as last loaded or saved.
    QString Get_Saved_Line(int index) const;
    bool Is_Line_Saved(int index) const;
    void Mark_Saved();

    // The scale resolution line, or -1, and the resolution it gives, or -1: they follow
    // every change of the lines.
    int Scale_Line_Index() const;
    int Scale_Resolution() const;

    // What the last load could not keep; nothing once the lines have been saved.
    const QVector<DownloadFile::Loss> &Get_Losses() const;
    // The file as last loaded or saved here.
    const DownloadFile::FileStamp &Get_Stamp() const;
    // The loaded file's bytes look like UTF-8; they were read as Latin-1 all the same.
    bool Looks_Like_Utf8() const;
    Overwrite_Risk Risk_Of_Saving_To(const QString &file_name) const;
    // The file as it is now becomes the one that a save may replace: once the user agreed
    // to overwrite changes made on disk, only a further change stops the save.
    void Accept_Disk_Version();

    // Replaces the lines with the file's. A file that cannot be read changes nothing, and
    // error says why.
    bool Load_File(const QString &file_name, QString *error = nullptr);
    // Writes the lines; on success they are the saved lines and the file holds all of the
    // document. A failed save changes nothing, and error says why. The file that the lines
    // were loaded from or last saved to is not replaced once another program changed it,
    // also while it is written (see Risk_Of_Saving_To and Accept_Disk_Version).
    bool Save_File(const QString &file_name, QString *error = nullptr);

signals:
    // A load has read its file and is about to replace the lines.
    void About_To_Load();
    void Loaded();
    void Line_Changed(int index);
    void Saved();

private:
    QStringList d_lines;
    QStringList d_saved_lines;
    QVector<DownloadFile::Loss> d_losses;
    DownloadFile::FileStamp d_stamp;
    bool d_looks_like_utf8 = false;
};
