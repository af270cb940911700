#include "setcommand.h"

#include "console.h"
#include "valueformat.h"

#include <QMap>
#include <QSet>

#include <cassert>

namespace Oad {

namespace {

// The lock is held for the whole edit; a run that waits longer than this gives up.
constexpr int Lock_Wait_Ms = 20000;

struct FieldEdit
{
    FieldReference reference;
    qint32 old_value = 0;
    qint32 new_value = 0;
};

using Edits = QMap<int, QVector<FieldEdit>>; // by 1-based line

// Refusals that concern the file as a whole.
QString File_Refusal(const Document &document)
{
    if (!document.complete)
        return QStringLiteral("%1 is larger than %2 bytes; set cannot keep every byte of it")
            .arg(Shown_Name(document.path), QString::number(DownloadFile::Max_Read_Bytes));
    if (document.stamp.status.links > 1)
        return QStringLiteral("%1 has %2 hard links; replacing it would split them, so set "
                              "does not")
            .arg(Shown_Name(document.path), QString::number(document.stamp.status.links));
    return QString();
}

QString Resolution_Report(const Document &document, const Resolution &resolution)
{
    const QString name = Shown_Name(document.path);
    if (resolution.source == Resolution::Source::Default)
        return QStringLiteral("%1: no valid scale resolution line; millimetre values are refused")
            .arg(name);
    return QStringLiteral("%1: scale resolution %2").arg(name, Resolution_Text(resolution));
}

// What check finds in the field: a field read out of a word ("; OVERRIDE V10" gives V the
// E of the word) or ahead of the real one would be rewritten where nobody meant it. The
// letter before the S token is no such case: it is never read.
QStringList Field_Faults(const Document &document, const Target &target)
{
    QStringList faults;
    for (const FileChecks::Finding &finding : FileChecks::Check_Field(*target.line, target.Field()))
        if (finding.kind != QLatin1String("letter-before-token"))
            faults.append(QStringLiteral("check reports %1:%2: %3")
                              .arg(Shown_Name(document.path), QString::number(finding.line),
                                   finding.message));
    return faults;
}

// Each assignment checked against the document; the edits, or the reasons on errors.
Edits Resolve(const SetRequest &request, const Options &options, const Document &document,
              QStringList *errors)
{
    const Resolution resolution = Choose_Resolution(document, options.resolution);
    // Millimetres only from a resolution that somebody gave: a default could be off by 10.
    const std::optional<int> mm_resolution = resolution.source == Resolution::Source::Default
                                                 ? std::nullopt
                                                 : std::optional<int>(resolution.value);
    Edits edits;
    QSet<QString> seen;
    for (const Assignment &assignment : request.assignments) {
        const auto reject = [&](const QString &reason) {
            errors->append(QStringLiteral("%1: %2").arg(Shown(assignment.argument), reason));
        };
        const QString key = assignment.reference.Key();
        if (seen.contains(key)) {
            reject(QStringLiteral("%1 is given more than once").arg(key));
            continue;
        }
        seen.insert(key);
        Target target;
        QString error;
        if (!Find_Target(document, assignment.reference, options.line, &target, &error)) {
            reject(error);
            continue;
        }
        const QStringList faults = Field_Faults(document, target);
        for (const QString &fault : faults)
            reject(fault);
        if (!faults.isEmpty())
            continue;
        const auto value =
            Parse_Value(assignment.value_text, target.Field().item, mm_resolution, &error);
        if (!value) {
            reject(error);
            continue;
        }
        edits[target.line->number].append({assignment.reference, target.Field().value, *value});
    }
    return edits;
}

// The file's bytes with the assigned fields rewritten and nothing else: each line decoded
// one character per byte, so every byte that is not part of an assigned field stays.
QByteArray Rewrite(const Document &document, const Edits &edits, QStringList *report)
{
    const QVector<DownloadFile::RawLine> raw = DownloadFile::Raw_Lines(document.bytes);
    QByteArray bytes = document.bytes;
    // From the last line back, so the offsets of the earlier lines stay valid.
    for (auto it = edits.cend(); it != edits.cbegin();) {
        --it;
        const DownloadFile::RawLine &line = raw.at(it.key() - 1);
        QByteArray body = document.bytes.mid(line.start, line.length);
        const int nul = body.indexOf('\0');
        if (nul >= 0)
            body.truncate(nul); // the editor reads no further
        QVector<LineSyntax::FieldAssignment> assignments;
        for (const FieldEdit &edit : it.value())
            assignments.append({edit.reference.letter, edit.new_value});
        const QString before = QString::fromLatin1(body);
        QString missing;
        const QString after = LineSyntax::Rewrite_Fields(before, assignments, &missing);
        assert(missing.isEmpty()); // the fields were found in the same text, simplified
        bytes.replace(line.start, body.size(), after.toLatin1());

        const int rest = LineSyntax::Split_Line(before).rest_start;
        QStringList changes;
        for (const FieldEdit &edit : it.value()) {
            const auto span_before = LineSyntax::Find_Field(edit.reference.letter, before, rest);
            const auto span_after = LineSyntax::Find_Field(edit.reference.letter, after, rest);
            changes.append(QStringLiteral("%1:%2: %3: %4 -> %5 (%6 -> %7)")
                               .arg(Shown_Name(document.path), QString::number(it.key()),
                                    edit.reference.Key(),
                                    Shown(before.mid(span_before.start, span_before.length)),
                                    after.mid(span_after.start, span_after.length),
                                    ValueFormat::Int_Text(edit.old_value),
                                    ValueFormat::Int_Text(edit.new_value)));
        }
        *report = changes + *report;
    }
    return bytes;
}

} // namespace

bool Parse_Set(const Options &options, SetRequest *request, QString *error)
{
    request->path = options.arguments.at(0);
    if (request->path == QLatin1String("-")) {
        *error = QStringLiteral("set edits a file, not standard input");
        return false;
    }
    for (int i = 1; i < options.arguments.size(); ++i) {
        const auto assignment = Parse_Assignment(options.arguments.at(i));
        if (!assignment) {
            *error = QStringLiteral("%1 is no assignment; write it as S1.X=2000")
                         .arg(Shown(options.arguments.at(i)));
            return false;
        }
        request->assignments.append(*assignment);
    }
    return true;
}

int Plan_Set(const SetRequest &request, const Options &options, TConsole &console, SetPlan *plan)
{
    Document &document = plan->document;
    QString error;
    if (!Load_Document(request.path, &document, &error, true)) {
        console.Complain(error);
        return Exit_Trouble;
    }
    const QString refusal = File_Refusal(document);
    if (!refusal.isEmpty()) {
        console.Complain(refusal);
        return Exit_Trouble;
    }
    const Resolution resolution = Choose_Resolution(document, options.resolution);
    Warn_Resolution(document, options.resolution, console);
    QStringList errors;
    const Edits edits = Resolve(request, options, document, &errors);
    if (!errors.isEmpty()) {
        for (const QString &error : qAsConst(errors))
            console.Complain(error);
        console.Complain(QStringLiteral("nothing written to %1").arg(Shown_Name(request.path)));
        return Exit_Found;
    }
    plan->report = QStringList{Resolution_Report(document, resolution)};
    QStringList changes;
    plan->bytes = Rewrite(document, edits, &changes);
    plan->report += changes;
    return Exit_Ok;
}

int Save_Set(const SetPlan &plan, TConsole &console)
{
    DownloadFile::Replacement replacement;
    replacement.path = plan.document.path;
    replacement.bytes = plan.bytes;
    replacement.expected = &plan.document.stamp;
    replacement.recreate = false;
    QString error;
    const auto replaced = plan.bytes == plan.document.bytes
                              ? DownloadFile::Replaced::Yes
                              : DownloadFile::Replace_File(replacement, &error, nullptr);
    if (replaced == DownloadFile::Replaced::Changed)
        console.Complain(QStringLiteral("%1 changed while editing; nothing written")
                             .arg(Shown_Name(plan.document.path)));
    else if (replaced == DownloadFile::Replaced::Failed)
        console.Complain(QStringLiteral("cannot write %1: %2")
                             .arg(Shown_Name(plan.document.path), Clause(error)));
    if (replaced != DownloadFile::Replaced::Yes)
        return Exit_Trouble;
    console.Out(plan.report.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    if (console.Flush_Out())
        return Exit_Ok;
    console.Complain(QStringLiteral("%1 is written; only this report of it is lost")
                         .arg(Shown_Name(plan.document.path)));
    return Exit_Unreported;
}

int Run_Set(const Options &options, TConsole &console)
{
    SetRequest request;
    QString error;
    if (!Parse_Set(options, &request, &error)) {
        console.Complain(error);
        return Exit_Trouble;
    }
    // Held from the read to the write, so every run on the file reads what the one before
    // it wrote, through whatever name it was given.
    DownloadFile::TFileLock lock;
    if (!lock.Lock(request.path, Lock_Wait_Ms, &error)) {
        console.Complain(QStringLiteral("cannot edit %1: %2; nothing written")
                             .arg(Shown_Name(request.path), Clause(error)));
        return Exit_Trouble;
    }
    SetPlan plan;
    const int status = Plan_Set(request, options, console, &plan);
    return status == Exit_Ok ? Save_Set(plan, console) : status;
}

} // namespace Oad
