#pragma once

#include <QObject>
#include <QString>

class QSettings;

// The window's settings file, settings.ini: the last download file and the scale
// resolution, read once at start and stored on every close request.
class TEditorSettings : public QObject
{
public:
    enum class Store_Result
    {
        Stored,
        Failed,      // for the first time: worth telling the user
        Failed_Again // every close would fail the same way; once told is enough
    };

    // Opens the settings file that Settings_Path gives for the program's folder.
    explicit TEditorSettings(QObject *parent = nullptr);

    // Where settings.ini is kept for a program in program_folder: there, when the user may
    // write in it; else in the user's configuration folder.
    static QString Settings_Path(const QString &program_folder);

    QString Get_File_Name() const;
    QString Get_Last_File() const;
    // The stored resolution when it is a positive whole number, else the default.
    int Get_Scale_Resolution() const;
    Store_Result Store(const QString &last_file, int scale_resolution);

private:
    bool Write(const QString &last_file, int scale_resolution);

    QSettings *d_settings = nullptr;
    bool d_failure_reported = false;
};
