#include "document.h"

#include "console.h"
#include "jsonwriter.h"
#include "options.h"

#include <QFile>

#include <cstdio>

namespace Oad {

namespace {

bool Read_Any(const QString &path, QByteArray *bytes, QString *error)
{
    // Any file: a script may give a FIFO or a device, and standard input is one.
    QFile file;
    bool opened = false;
    if (path == QLatin1String("-")) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(path);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (opened && DownloadFile::Read_Bounded(file, bytes))
        return true;
    *error = file.errorString();
    return false;
}

} // namespace

const TParameterTable &Table()
{
    static const TParameterTable table;
    return table;
}

bool Load_Document(const QString &path, Document *document, QString *error, bool for_edit)
{
    document->path = path;
    document->bytes.clear();
    document->stamp = DownloadFile::FileStamp();
    QString reason;
    if (for_edit ? !DownloadFile::Read_File_Bytes(path, &document->bytes, &reason, &document->stamp)
                 : !Read_Any(path, &document->bytes, &reason)) {
        *error = QStringLiteral("cannot read %1: %2").arg(Shown_Name(path), Clause(reason));
        return false;
    }
    document->complete = document->bytes.size() <= DownloadFile::Max_Read_Bytes;
    document->content = DownloadFile::Read(document->bytes);
    FileChecks::Read_Lines(*document, Table());
    return true;
}

bool Load_Or_Report(const QString &path, Document *document, TConsole &console, bool json)
{
    QString error;
    if (Load_Document(path, document, &error))
        return true;
    Report_Failure(path, error, console, json);
    return false;
}

void Report_Failure(const QString &path, const QString &error, TConsole &console, bool json)
{
    console.Complain(error);
    if (!json)
        return;
    TJsonWriter writer(console);
    writer.Begin_Object();
    writer.Key("error").Text(error);
    writer.Key("file").Text(Json_Name(path));
    writer.End_Object();
}

int For_Each_Document(const QStringList &paths, TConsole &console, bool json,
                      const std::function<int(const Document &)> &handle)
{
    int status = Exit_Ok;
    for (const QString &path : paths) {
        Document document;
        if (!Load_Or_Report(path, &document, console, json))
            status = Exit_Trouble;
        else
            status = qMax(status, handle(document));
    }
    return status;
}

Resolution Choose_Resolution(const Document &document, std::optional<int> option)
{
    Resolution resolution;
    if (option) {
        resolution.value = *option;
        resolution.source = Resolution::Source::Option;
    } else if (document.content.scale_resolution > 0) {
        // A line N00 would make every millimetre value infinite; check reports it.
        resolution.value = document.content.scale_resolution;
        resolution.source = Resolution::Source::File;
        resolution.line = document.resolution_line;
    }
    return resolution;
}

void Warn_Resolution(const Document &document, std::optional<int> option, TConsole &console)
{
    const int file_value = document.content.scale_resolution;
    if (option && file_value > 0 && file_value != *option)
        console.Warn(QStringLiteral("--resolution %1 differs from the scale resolution %2 of %3 "
                                    "(line %4); %1 is used")
                         .arg(QString::number(*option), QString::number(file_value),
                              Shown_Name(document.path),
                              QString::number(document.resolution_line)));
}

QString Source_Name(Resolution::Source source)
{
    switch (source) {
    case Resolution::Source::Default:
        return QStringLiteral("default");
    case Resolution::Source::File:
        return QStringLiteral("file");
    case Resolution::Source::Option:
        return QStringLiteral("option");
    }
    return QString();
}

QString Resolution_Text(const Resolution &resolution)
{
    switch (resolution.source) {
    case Resolution::Source::File:
        return QStringLiteral("%1 (line %2)").arg(resolution.value).arg(resolution.line);
    case Resolution::Source::Option:
        return QStringLiteral("%1 (--resolution)").arg(resolution.value);
    case Resolution::Source::Default:
        break;
    }
    return QStringLiteral("%1 (default)").arg(resolution.value);
}

QString Indented_Help(const QString &help, int indent)
{
    QString text = help;
    text.replace(QLatin1Char('\n'), QLatin1Char('\n') + QString(indent, QLatin1Char(' ')));
    return text;
}

} // namespace Oad
