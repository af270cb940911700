#include "checkcommand.h"

#include "console.h"
#include "document.h"
#include "filechecks.h"
#include "jsonwriter.h"

namespace Oad {

namespace {

using FileChecks::Finding;

void Write_Json(const Document &document, const QVector<Finding> &findings, TConsole &console)
{
    TJsonWriter json(console);
    json.Begin_Object();
    json.Key("file").Text(Json_Name(document.path));
    json.Key("findings").Begin_Array();
    for (const Finding &finding : findings) {
        json.Begin_Object();
        json.Key("kind").Text(finding.kind);
        json.Key("line").Number(finding.line);
        json.Key("message").Text(finding.message);
        json.End_Object();
    }
    json.End_Array();
    json.End_Object();
}

QString Findings_Text(const Document &document, const QVector<Finding> &findings)
{
    const QString name = Shown_Name(document.path);
    QString text;
    for (const Finding &finding : findings)
        text +=
            QStringLiteral("%1:%2: %3\n").arg(name, QString::number(finding.line), finding.message);
    return text;
}

// The name as xargs reads it back: blanks and quotes escaped with a backslash, besides the
// backslash that Shown_Name doubles already.
QString Xargs_Name(const QString &path)
{
    QString name;
    for (const QChar c : Shown_Name(path)) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\'') || c == QLatin1Char('"'))
            name += QLatin1Char('\\');
        name += c;
    }
    return name;
}

} // namespace

int Run_Check(const Options &options, TConsole &console)
{
    int read = 0;
    int clean = 0;
    const int status =
        For_Each_Document(options.arguments, console, options.json, [&](const Document &document) {
            const QVector<Finding> findings = FileChecks::Check_Document(document);
            ++read;
            clean += findings.isEmpty() ? 1 : 0;
            if (options.json)
                Write_Json(document, findings, console);
            else if (options.quiet)
                console.Out(findings.isEmpty() ? QString() : Xargs_Name(document.path) + '\n');
            else
                console.Out(Findings_Text(document, findings));
            return findings.isEmpty() ? Exit_Ok : Exit_Found;
        });
    const int files = options.arguments.size();
    if (files > 1 && !options.quiet)
        console.Complain(QStringLiteral("%1 files read, %2 clean, %3 with findings, %4 unreadable")
                             .arg(read)
                             .arg(clean)
                             .arg(read - clean)
                             .arg(files - read));
    return status;
}

} // namespace Oad
