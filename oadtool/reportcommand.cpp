#include "reportcommand.h"

#include "commissioningreport.h"
#include "console.h"
#include "document.h"
#include "safereplace.h"

#include <QCryptographicHash>
#include <QIODevice>

namespace Oad {

namespace {

// The time of the record: SOURCE_DATE_EPOCH (seconds, UTC) when set, as for reproducible
// builds, so that a record can be made again byte for byte; else now.
QDateTime Record_Time()
{
    bool ok = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok ? QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC) : QDateTime::currentDateTime();
}

// The file as the report describes it; false, with the reason on err, when it cannot be
// read whole: a record of a cut file would hash and list something else.
bool Load(const QString &path, Document &document, CommissioningReport::ReportFile *file,
          TConsole &console)
{
    if (!Load_Or_Report(path, &document, console))
        return false;
    if (!document.complete) {
        console.Complain(QStringLiteral("%1 is larger than %2 bytes, too large for a record")
                             .arg(Shown_Name(path))
                             .arg(DownloadFile::Max_Read_Bytes));
        return false;
    }
    file->path = path;
    file->lines = document.content.lines;
    file->disk_bytes = document.bytes;
    file->disk_sha256 = QCryptographicHash::hash(document.bytes, QCryptographicHash::Sha256);
    return true;
}

CommissioningReport::ResolutionSource Source_Of(Resolution::Source source)
{
    switch (source) {
    case Resolution::Source::File:
        return CommissioningReport::ResolutionSource::File;
    case Resolution::Source::Option:
        return CommissioningReport::ResolutionSource::Option;
    case Resolution::Source::Default:
        break;
    }
    return CommissioningReport::ResolutionSource::Default;
}

bool Write_Output(const QString &path, const QByteArray &bytes, TConsole &console)
{
    QString error;
    if (DownloadFile::Write_Whole_File(
            path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); }, &error))
        return true;
    console.Complain(QStringLiteral("cannot write %1: %2").arg(Shown_Name(path), error));
    return false;
}

} // namespace

int Run_Report(const Options &options, TConsole &console)
{
    CommissioningReport::ReportInput input;
    Document document;
    if (!Load(options.arguments.first(), document, &input.document, console))
        return Exit_Trouble;
    if (!options.reference.isEmpty()) {
        Document reference;
        input.reference = CommissioningReport::ReportFile();
        if (!Load(options.reference, reference, &*input.reference, console))
            return Exit_Trouble;
    }
    const Resolution resolution = Choose_Resolution(document, options.resolution);
    input.resolution = resolution.value;
    input.resolution_source = Source_Of(resolution.source);
    input.generated = Record_Time();
    const QString html = CommissioningReport::Build_Html(input, Table());
    if (options.output.isEmpty()) {
        console.Out(html);
        return Exit_Ok;
    }
    return Write_Output(options.output, html.toUtf8(), console) ? Exit_Ok : Exit_Trouble;
}

} // namespace Oad
