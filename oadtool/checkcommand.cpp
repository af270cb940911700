#include "checkcommand.h"

#include "bytechecks.h"
#include "document.h"
#include "jsonoutput.h"
#include "linechecks.h"

#include <QJsonArray>
#include <QTextStream>

#include <algorithm>

namespace Oad {

int Run_Check(const Options &options, Console &console)
{
    Document document;
    QString error;
    if (!Load_Document(options.arguments.at(0), &document, &error)) {
        console.err << "oadtool: " << error << '\n';
        return Exit_Trouble;
    }
    QVector<Finding> findings = Check_Bytes(document.bytes);
    findings += Check_Lines(document);
    findings += Check_Scale_Resolution(document);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding &a, const Finding &b) { return a.line < b.line; });

    if (options.json) {
        QJsonArray list;
        for (const Finding &finding : qAsConst(findings)) {
            QJsonObject object;
            object.insert(QStringLiteral("line"), finding.line);
            object.insert(QStringLiteral("kind"), finding.kind);
            object.insert(QStringLiteral("message"), finding.message);
            list.append(object);
        }
        QJsonObject root;
        root.insert(QStringLiteral("file"), document.path);
        root.insert(QStringLiteral("findings"), list);
        Write_Json(console.out, root);
    } else {
        for (const Finding &finding : qAsConst(findings))
            console.out << document.path << ':' << finding.line << ": " << finding.message << '\n';
    }
    return findings.isEmpty() ? Exit_Ok : Exit_Found;
}

} // namespace Oad
