#include "editorsettings.h"

#include "downloadfile.h"
#include "filelinewidget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const char Last_File_Key[] = "Last_File";
const char Scale_Resolution_Key[] = "Scale_Resolution";

// Whether settings can be stored at path without overriding the user: a file that nobody
// may write stays as it is, also for root, whom the file system would let replace it.
bool Settings_Writable(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists())
        return file.isFile() && file.isWritable() &&
               (file.permissions() &
                (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
    // A folder that does not exist yet is made by the first write below the nearest one
    // that does.
    QFileInfo folder(file.absolutePath());
    while (!folder.exists())
        folder = QFileInfo(folder.absolutePath());
    return folder.isDir() && folder.isWritable();
}

} // namespace

TEditorSettings::TEditorSettings(QObject *parent)
    : QObject(parent)
    , d_settings(new QSettings(Settings_Path(QCoreApplication::applicationDirPath()),
                               QSettings::IniFormat, this))
{}

QString TEditorSettings::Settings_Path(const QString &program_folder)
{
    const QString settings_name = QStringLiteral("/settings.ini");
    const QFileInfo folder(QDir(program_folder).absolutePath());
    // Beside the program for portable use; an installed program keeps them for each user.
    if (folder.isDir() && folder.isWritable())
        return folder.absoluteFilePath() + settings_name;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + settings_name;
}

QString TEditorSettings::Get_File_Name() const
{
    return d_settings->fileName();
}

QString TEditorSettings::Get_Last_File() const
{
    return d_settings->value(QLatin1String(Last_File_Key)).toString();
}

int TEditorSettings::Get_Scale_Resolution() const
{
    // A stored value that is no positive whole number counts as missing: read as an int,
    // 99999999999 would wrap and 1e4 or abc would leave the view's own 1000.
    const int stored = TFileLineWidget::Read_Scale_Resolution(
        d_settings->value(QLatin1String(Scale_Resolution_Key)).toString());
    return stored > 0 ? stored : DownloadFile::Default_Scale_Resolution;
}

TEditorSettings::Store_Result TEditorSettings::Store(const QString &last_file, int scale_resolution)
{
    if (Write(last_file, scale_resolution))
        return Store_Result::Stored;
    if (d_failure_reported)
        return Store_Result::Failed_Again;
    d_failure_reported = true;
    return Store_Result::Failed;
}

bool TEditorSettings::Write(const QString &last_file, int scale_resolution)
{
    if (!Settings_Writable(d_settings->fileName()))
        return false;
    d_settings->setValue(QLatin1String(Last_File_Key), last_file);
    d_settings->setValue(QLatin1String(Scale_Resolution_Key), scale_resolution);
    d_settings->sync();
    // On a full disk QSettings leaves an empty file behind and still reports success.
    return d_settings->status() == QSettings::NoError &&
           QFileInfo(d_settings->fileName()).size() > 0;
}
