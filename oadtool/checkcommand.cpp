#include "checkcommand.h"

#include "console.h"
#include "document.h"
#include "filechecks.h"

#include <QJsonArray>
#include <QJsonObject>

namespace Oad {

namespace {

using FileChecks::Finding;

void Write_Json(const Document &document, const QVector<Finding> &findings, TConsole &console)
{
    QJsonArray list;
    for (const Finding &finding : findings)
        list.append(QJsonObject{{QStringLiteral("line"), finding.line},
                                {QStringLiteral("kind"), finding.kind},
                                {QStringLiteral("message"), finding.message}});
    console.Out_Json(QJsonObject{{QStringLiteral("file"), Json_Name(document.path)},
                                 {QStringLiteral("findings"), list}});
}

} // namespace

int Run_Check(const Options &options, TConsole &console)
{
    return For_Each_Document(
        options.arguments, console, options.json, [&](const Document &document) {
            const QVector<Finding> findings = FileChecks::Check_Document(document);
            if (options.json) {
                Write_Json(document, findings, console);
            } else {
                const QString name = Shown_Name(document.path);
                QString text;
                for (const Finding &finding : findings)
                    text += QStringLiteral("%1:%2: %3\n")
                                .arg(name, QString::number(finding.line), finding.message);
                console.Out(text);
            }
            return findings.isEmpty() ? Exit_Ok : Exit_Found;
        });
}

} // namespace Oad
