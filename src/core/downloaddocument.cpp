#include "downloaddocument.h"

#include <QFileInfo>

#include <cassert>

TDownloadDocument::TDownloadDocument(QObject *parent)
    : QObject(parent)
{}

int TDownloadDocument::Get_Line_Count() const
{
    return d_lines.size();
}

QString TDownloadDocument::Get_Line(int index) const
{
    assert(!(index < 0));
    assert(index < d_lines.size());
    return d_lines.at(index);
}

void TDownloadDocument::Set_Line(int index, const QString &text)
{
    assert(!(index < 0));
    assert(index < d_lines.size());
    d_lines[index] = text;
    emit Line_Changed(index);
}

const QStringList &TDownloadDocument::Get_Lines() const
{
    return d_lines;
}

QString TDownloadDocument::Get_Saved_Line(int index) const
{
    assert(!(index < 0));
    assert(index < d_saved_lines.size());
    return d_saved_lines.at(index);
}

bool TDownloadDocument::Is_Line_Saved(int index) const
{
    return index < d_saved_lines.size() && d_saved_lines.at(index) == Get_Line(index);
}

void TDownloadDocument::Mark_Saved()
{
    d_saved_lines = d_lines;
    emit Saved();
}

int TDownloadDocument::Scale_Line_Index() const
{
    return DownloadFile::Scale_Line_Index(d_lines);
}

int TDownloadDocument::Scale_Resolution() const
{
    return DownloadFile::Scale_Resolution_Of(d_lines);
}

const QVector<DownloadFile::Loss> &TDownloadDocument::Get_Losses() const
{
    return d_losses;
}

const DownloadFile::FileStamp &TDownloadDocument::Get_Stamp() const
{
    return d_stamp;
}

bool TDownloadDocument::Looks_Like_Utf8() const
{
    return d_looks_like_utf8;
}

TDownloadDocument::Overwrite_Risk
TDownloadDocument::Risk_Of_Saving_To(const QString &file_name) const
{
    // Only the file the document came from can hold more than the document: changes
    // someone else made meanwhile, or what the read could not keep. A file that is gone
    // holds neither.
    if (!DownloadFile::Is_Stamped_File(d_stamp, file_name) || !QFileInfo::exists(file_name))
        return Overwrite_Risk::None;
    // Once the user agrees to overwrite a changed file, what the old one held is moot.
    if (DownloadFile::Changed_Since(d_stamp))
        return Overwrite_Risk::Changed_On_Disk;
    return d_losses.isEmpty() ? Overwrite_Risk::None : Overwrite_Risk::Unkept_Content;
}

void TDownloadDocument::Accept_Disk_Version()
{
    DownloadFile::Read_File_Bytes(d_stamp.path, nullptr, nullptr, &d_stamp);
}

bool TDownloadDocument::Load_File(const QString &file_name, QString *error)
{
    DownloadFile::Content content;
    DownloadFile::FileStamp stamp;
    if (!DownloadFile::Read_File(file_name, &content, error, &stamp))
        return false;
    emit About_To_Load();
    d_lines = content.lines;
    d_saved_lines = d_lines;
    d_losses = content.losses;
    d_stamp = stamp;
    d_looks_like_utf8 = content.looks_like_utf8;
    emit Loaded();
    return true;
}

bool TDownloadDocument::Save_File(const QString &file_name, QString *error)
{
    // Written beside the target and swapped in only when complete, so a failed save never
    // leaves a truncated file behind.
    DownloadFile::FileStamp stamp = d_stamp;
    if (!DownloadFile::Save_File(file_name, d_lines, error, &stamp))
        return false;
    d_stamp = stamp;
    d_losses.clear();
    Mark_Saved();
    return true;
}
