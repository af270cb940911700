#pragma once

#include "downloadfile.h"
#include "filechecks.h"
#include "linesyntax.h"
#include "parametertable.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>
#include <optional>

// A download file as the editor sees it, read once and bounded: the bytes (for the checks
// that need them and for exact edits) and the stored lines, each read by the editor's own
// line syntax.
namespace Oad {

class TConsole;

// One stored line and what the editor reads in it.
using Line = FileChecks::CheckedLine;

// The bytes and lines that the checks read, and where they came from.
struct Document : FileChecks::CheckedFile
{
    QString path;                  // as given; "-" is standard input
    bool complete = false;         // bytes hold the whole file
    DownloadFile::FileStamp stamp; // of the file as it was opened for an edit
};

// The one parameter table every command reads with.
const TParameterTable &Table();

// Reads the file (or standard input for "-"); false with a one-line reason when it
// cannot be read. For an edit only a regular file is read, with its stamp.
bool Load_Document(const QString &path, Document *document, QString *error, bool for_edit = false);

// Loads, or reports why not on err (and, for JSON output, as {"file", "error"} on out)
// and returns false.
bool Load_Or_Report(const QString &path, Document *document, TConsole &console, bool json = false);

// Why a file cannot be dealt with, on err and, for JSON output, as {"file", "error"} on out.
void Report_Failure(const QString &path, const QString &error, TConsole &console, bool json);

// Runs handle on each file in turn, also after one that cannot be read, and gives the worst
// status: Exit_Trouble for an unreadable file, else the highest that handle returned.
int For_Each_Document(const QStringList &paths, TConsole &console, bool json,
                      const std::function<int(const Document &)> &handle);

// The resolution for millimetres and where it comes from.
struct Resolution
{
    int value = DownloadFile::Default_Scale_Resolution;
    enum class Source
    {
        Default,
        File,
        Option
    } source = Source::Default;
    int line = 0; // the scale resolution line, 0 unless the source is the file
};

// The option, else a positive value of the file's scale resolution line, else the default.
Resolution Choose_Resolution(const Document &document, std::optional<int> option);

// A warning on err when the option differs from the file's own scale resolution line.
void Warn_Resolution(const Document &document, std::optional<int> option, TConsole &console);

QString Source_Name(Resolution::Source source);        // "default", "file", "option"
QString Resolution_Text(const Resolution &resolution); // "10000 (line 5)", "1000 (--resolution)"

// The help text with every line after the first indented by indent spaces.
QString Indented_Help(const QString &help, int indent);

} // namespace Oad
