#include "commissioningreport.h"

#include "documentdiff.h"
#include "filechecks.h"
#include "linesyntax.h"
#include "parametertable.h"
#include "textescape.h"
#include "valueformat.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace CommissioningReport {

namespace {

// The record's own texts: German in a German window, English from oadtool, which installs
// no translator.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CommissioningReport)
};

// Text from a file or a name: control characters spelt out, then escaped for HTML.
QString Html(const QString &text)
{
    return TextEscape::Shown(text).toHtmlEscaped();
}

// A help text of several lines keeps its line breaks.
QString Help_Html(const QString &help)
{
    QStringList lines = help.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = line.toHtmlEscaped();
    return lines.join(QStringLiteral("<br>"));
}

QString Sha256_Text(const ReportFile &file)
{
    if (!file.disk_error.isEmpty())
        return Text::tr("none: the file cannot be read from disk (%1)").arg(Html(file.disk_error));
    const QByteArray hash =
        file.disk_sha256.isEmpty()
            ? QCryptographicHash::hash(file.disk_bytes, QCryptographicHash::Sha256)
            : file.disk_sha256;
    return QStringLiteral("<tt>%1</tt> ").arg(QString::fromLatin1(hash.toHex())) +
           Text::tr("(the bytes on disk)");
}

QString Date_Text(const QDateTime &when)
{
    const int offset = when.offsetFromUtc() / 60;
    return QStringLiteral("%1 (UTC%2%3:%4)")
        .arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
             offset < 0 ? QStringLiteral("-") : QStringLiteral("+"))
        .arg(qAbs(offset) / 60, 2, 10, QLatin1Char('0'))
        .arg(qAbs(offset) % 60, 2, 10, QLatin1Char('0'));
}

// One table row; cells are HTML already. Cell i is right-aligned where align has an 'r' at i.
QString Row(const QStringList &cells, const QString &align = QString())
{
    QString row = QStringLiteral("<tr>");
    for (int i = 0; i < cells.size(); ++i)
        row += (i < align.size() && align.at(i) == QLatin1Char('r')
                    ? QStringLiteral("<td align=\"right\">")
                    : QStringLiteral("<td>")) +
               cells.at(i) + QStringLiteral("</td>");
    return row + QStringLiteral("</tr>\n");
}

// Column headings and their shares of the page's width in percent.
using Columns = QVector<QPair<QString, int>>;

// A table over the page's width. The header row is in <thead>, which QTextDocument
// repeats at the top of every page the table continues on; columns take the given shares
// of the width, so none grows past the page.
QString Table(const Columns &columns, const QString &body)
{
    QString head = QStringLiteral("<tr>");
    for (const auto &column : columns)
        head += QStringLiteral("<th width=\"%1%\" align=\"left\">%2</th>")
                    .arg(column.second)
                    .arg(column.first);
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                          "width=\"100%\">\n<thead>") +
           head + QStringLiteral("</tr></thead>\n<tbody>\n") + body +
           QStringLiteral("</tbody></table>\n");
}

// The file's facts as label and value, without borders.
QString Facts(const QVector<QPair<QString, QString>> &facts)
{
    QString rows;
    for (const auto &fact : facts)
        rows += QStringLiteral("<tr><td width=\"22%\"><b>%1</b></td><td>%2</td></tr>\n")
                    .arg(fact.first, fact.second);
    return QStringLiteral("<table border=\"0\" cellspacing=\"0\" cellpadding=\"2\" "
                          "width=\"100%\">\n") +
           rows + QStringLiteral("</table>\n");
}

// "1000", "3E8" and, for a length, "0.1000".
QStringList Value_Cells(qint32 value, bool scaled, int resolution)
{
    return {ValueFormat::Int_Text(value), ValueFormat::Hex_Text(value),
            scaled ? ValueFormat::Mm_Text(ValueFormat::To_Millimetres(value, resolution))
                   : QString()};
}

QString Resolution_Text(const ReportInput &input)
{
    const int scale_line = DownloadFile::Scale_Line_Index(input.document.lines);
    QString source;
    switch (input.resolution_source) {
    case ResolutionSource::File:
        source = scale_line >= 0 ? Text::tr("from line %1 of the file (%2)")
                                       .arg(scale_line + 1)
                                       .arg(Html(input.document.lines.at(scale_line)))
                                 : Text::tr("from the file");
        break;
    case ResolutionSource::Editor:
        source = Text::tr("as set in the editor's Scale Resolution field");
        break;
    case ResolutionSource::Option:
        source = Text::tr("as given with --resolution");
        break;
    case ResolutionSource::Default:
        source = Text::tr("the default: the file has no scale resolution line");
        break;
    }
    QString text = Text::tr("%1 counts per millimetre, %2").arg(input.resolution).arg(source);
    const std::optional<int> own = File_Resolution(input.document.lines);
    if (own && *own != input.resolution)
        text += Text::tr("; the file's own scale resolution line says %1").arg(*own);
    return text;
}

QString Header(const ReportInput &input, const TParameterTable &table)
{
    const ReportFile &file = input.document;
    QString sha = Sha256_Text(file);
    if (input.unsaved_changes)
        sha += QStringLiteral("<br><b>%1</b> %2")
                   .arg(Text::tr("The editor holds unsaved changes:"),
                        Text::tr("the lines below are those shown in the editor and differ from "
                                 "the file on disk."));
    int parameters = 0;
    for (const QString &line : file.lines)
        parameters += LineSyntax::Read_Parameter_Line(line, table).Is_Described();
    const QFileInfo info(file.path);
    return QStringLiteral("<h1>%1</h1>\n")
               .arg(Text::tr("Commissioning record: %1").arg(Html(info.fileName()))) +
           Facts({{Text::tr("File"), Html(info.fileName())},
                  {Text::tr("Full path"), Html(info.absoluteFilePath())},
                  {Text::tr("Date and time"), Date_Text(input.generated)},
                  {Text::tr("SHA-256"), sha},
                  {Text::tr("Scale resolution"), Resolution_Text(input)},
                  {Text::tr("Lines"), Text::tr("%1 (parameter lines: %2, other lines: %3)")
                                          .arg(file.lines.size())
                                          .arg(parameters)
                                          .arg(file.lines.size() - parameters)}});
}

QString Parameter_Rows(int index, const QString &line, const LineSyntax::ParameterLine &read,
                       int resolution)
{
    QString rows;
    for (int i = 0; i < read.fields.size(); ++i) {
        const LineSyntax::FieldReading &field = read.fields.at(i);
        QStringList cells{i == 0 ? QString::number(index + 1) : QString(),
                          i == 0 ? read.split.token : QString(), QString(field.item.letter),
                          Help_Html(field.item.help)};
        cells += field.present ? Value_Cells(field.value, field.item.scaled, resolution)
                               : QStringList{Text::tr("not present"), QString(), QString()};
        rows += Row(cells, QStringLiteral("rlllrrr"));
    }
    // A comment or stray text of the line is part of what the file says.
    const QString other = LineSyntax::Other_Text(line, read);
    if (!other.isEmpty())
        rows += Row({QString(), QString(), QString(),
                     QStringLiteral("<i>%1</i> ").arg(Text::tr("Also on the line:")) + Html(other),
                     QString(), QString(), QString()});
    return rows;
}

QString Parameters(const ReportInput &input, const TParameterTable &table)
{
    QString rows;
    for (int i = 0; i < input.document.lines.size(); ++i) {
        const LineSyntax::ParameterLine read =
            LineSyntax::Read_Parameter_Line(input.document.lines.at(i), table);
        if (read.Is_Described())
            rows += Parameter_Rows(i, input.document.lines.at(i), read, input.resolution);
    }
    if (rows.isEmpty())
        return QStringLiteral("<h2>%1</h2>\n<p>%2</p>\n")
            .arg(Text::tr("Parameters"), Text::tr("The file holds no described parameter line."));
    const Columns columns{{Text::tr("Line"), 6},     {Text::tr("Parameter"), 13},
                          {Text::tr("Field"), 7},    {Text::tr("Help text"), 34},
                          {Text::tr("Integer"), 14}, {Text::tr("Hex"), 12},
                          {Text::tr("mm"), 14}};
    return QStringLiteral("<h2>%1</h2>\n").arg(Text::tr("Parameters")) + Table(columns, rows);
}

QString Other_Lines(const ReportInput &input, const TParameterTable &table)
{
    const QStringList &lines = input.document.lines;
    const int scale_line = DownloadFile::Scale_Line_Index(lines);
    QString rows;
    for (int i = 0; i < lines.size(); ++i) {
        const LineSyntax::ParameterLine read = LineSyntax::Read_Parameter_Line(lines.at(i), table);
        if (read.Is_Described())
            continue;
        QString note;
        if (lines.at(i).isEmpty())
            note = Text::tr("blank");
        else if (i == scale_line)
            note = Text::tr("scale resolution line");
        else if (read.split.is_parameter_line)
            note = Text::tr("parameter %1 (%2) is not described; edited as text")
                       .arg(read.Number())
                       .arg(read.split.token);
        rows += Row({QString::number(i + 1), Html(lines.at(i)), note}, QStringLiteral("r"));
    }
    if (rows.isEmpty())
        return QString();
    const Columns columns{{Text::tr("Line"), 6}, {Text::tr("Text"), 60}, {Text::tr("Note"), 34}};
    return QStringLiteral("<h2>%1</h2>\n").arg(Text::tr("Other lines")) + Table(columns, rows);
}

QString Checks(const ReportInput &input, const TParameterTable &table)
{
    const QVector<FileChecks::Finding> findings = FileChecks::Check_Document(
        FileChecks::File_Of(input.document.lines, input.document.disk_bytes, table));
    QString text = QStringLiteral("<h2>%1</h2>\n").arg(Text::tr("Checks"));
    if (findings.isEmpty())
        return text + QStringLiteral("<p>%1</p>\n")
                          .arg(Text::tr("No findings: the editor reads every line as it looks, "
                                        "and a save keeps all of the file."));
    QString rows;
    for (const FileChecks::Finding &finding : findings)
        rows += Row({finding.line > 0 ? QString::number(finding.line) : Text::tr("file"),
                     finding.kind.toHtmlEscaped(), finding.message.toHtmlEscaped()},
                    QStringLiteral("r"));
    const Columns columns{{Text::tr("Line"), 6}, {Text::tr("Kind"), 20}, {Text::tr("Finding"), 74}};
    const QString command = QStringLiteral("<tt>oadtool check</tt>");
    const QString count =
        findings.size() == 1
            ? Text::tr("One finding, as %1 reports it:").arg(command)
            : Text::tr("%1 findings, as %2 reports them:").arg(findings.size()).arg(command);
    return text + QStringLiteral("<p>%1</p>\n").arg(count) + Table(columns, rows);
}

// What a difference is about, for the kinds that are not a field.
QString Kind_Text(DocumentDiff::Kind kind)
{
    switch (kind) {
    case DocumentDiff::Kind::Field:
    case DocumentDiff::Kind::Other_Field:
        break;
    case DocumentDiff::Kind::Parameter_Line:
        return Text::tr("the parameter line, on one side only");
    case DocumentDiff::Kind::Raw_Line:
        return Text::tr("a line of other text, on one side only");
    case DocumentDiff::Kind::Line_Text:
        return Text::tr("other text on the line");
    case DocumentDiff::Kind::Before_Token:
        return Text::tr("the text before the S token");
    case DocumentDiff::Kind::Scale_Resolution:
        return Text::tr("the scale resolution");
    case DocumentDiff::Kind::After_Nul:
        return Text::tr("text after a NUL byte, which the editor drops");
    case DocumentDiff::Kind::Beyond_Limit:
        return Text::tr("the lines after line %1, which the editor drops")
            .arg(DownloadFile::Max_Lines);
    }
    return QString();
}

bool Is_Value_Kind(DocumentDiff::Kind kind)
{
    return kind == DocumentDiff::Kind::Field || kind == DocumentDiff::Kind::Other_Field ||
           kind == DocumentDiff::Kind::Scale_Resolution;
}

// One side of a difference: its value in every form, or its text, and its line.
QString Side_Cell(const DocumentDiff::Difference &difference, bool side_a, bool scaled,
                  int resolution)
{
    const std::optional<qint32> value = side_a ? difference.value_a : difference.value_b;
    const int line = side_a ? difference.line_a : difference.line_b;
    QString cell;
    if (Is_Value_Kind(difference.kind)) {
        if (!value)
            return Text::tr("not present");
        const QStringList forms = Value_Cells(*value, scaled, resolution);
        cell =
            difference.kind == DocumentDiff::Kind::Scale_Resolution
                ? forms.at(0)
                : QStringLiteral("%1<br>%2").arg(forms.at(0), Text::tr("hex %1").arg(forms.at(1)));
        if (!forms.at(2).isEmpty())
            cell += QStringLiteral("<br>") + Text::tr("%1 mm").arg(forms.at(2));
    } else {
        cell =
            line > 0 ? Html(side_a ? difference.text_a : difference.text_b) : Text::tr("missing");
    }
    return line > 0 ? cell + QStringLiteral("<br><i>%1</i>").arg(Text::tr("line %1").arg(line))
                    : cell;
}

QString Difference_Row(const DocumentDiff::Difference &difference, int resolution,
                       int reference_resolution, const TParameterTable &table)
{
    ParameterItem item;
    for (const ParameterItem &described : table.Get_Description(difference.number).items)
        if (described.letter == difference.letter)
            item = described;
    QString about = Kind_Text(difference.kind);
    if (difference.kind == DocumentDiff::Kind::Field)
        about = Help_Html(item.help);
    else if (difference.kind == DocumentDiff::Kind::Other_Field)
        about = Text::tr("a field this parameter does not describe");
    const bool scaled = item.scaled && difference.kind == DocumentDiff::Kind::Field;
    return Row({difference.number >= 0 ? LineSyntax::Token_Of(difference.number) : QString(),
                difference.letter.isNull() ? QString() : QString(difference.letter), about,
                Side_Cell(difference, true, scaled, resolution),
                Side_Cell(difference, false, scaled, reference_resolution)});
}

QString Comparison(const ReportInput &input, const TParameterTable &table)
{
    if (!input.reference)
        return QString();
    const ReportFile &reference = *input.reference;
    const std::optional<int> own = File_Resolution(reference.lines);
    const int reference_resolution = own.value_or(input.resolution);
    const QFileInfo info(reference.path);
    QString text = QStringLiteral("<h2>%1</h2>\n").arg(Text::tr("Comparison with the reference")) +
                   Facts({{Text::tr("Reference"), Html(info.fileName())},
                          {Text::tr("Full path"), Html(info.absoluteFilePath())},
                          {Text::tr("SHA-256"), Sha256_Text(reference)},
                          {Text::tr("Scale resolution"),
                           own ? Text::tr("%1, from its own scale resolution line").arg(*own)
                               : Text::tr("%1, as for this file: the reference has no scale "
                                          "resolution line")
                                     .arg(input.resolution)}});
    // The file as saved meets the reference as oadtool diff meets them; unsaved lines as held.
    const DocumentDiff::Side side = input.unsaved_changes || input.document.disk_bytes.isEmpty()
                                        ? DocumentDiff::Side_Of(input.document.lines)
                                        : DocumentDiff::Side_Of(input.document.disk_bytes);
    const QVector<DocumentDiff::Difference> differences =
        DocumentDiff::Compare(side, DocumentDiff::Side_Of(reference.disk_bytes), table);
    if (differences.isEmpty())
        return text +
               QStringLiteral("<p>%1</p>\n")
                   .arg(Text::tr("No differences: the files are equal as the editor reads them."));
    QString rows;
    for (const DocumentDiff::Difference &difference : differences)
        rows += Difference_Row(difference, input.resolution, reference_resolution, table);
    const Columns columns{{Text::tr("Parameter"), 13},
                          {Text::tr("Field"), 7},
                          {Text::tr("Help text"), 32},
                          {Text::tr("This file"), 24},
                          {Text::tr("Reference"), 24}};
    const QString count = differences.size() == 1
                              ? Text::tr("One difference:")
                              : Text::tr("%1 differences:").arg(differences.size());
    return text + QStringLiteral("<p>%1</p>\n").arg(count) + Table(columns, rows);
}

QString Sign_Off()
{
    QString rows;
    for (const QString &label : {Text::tr("Technician"), Text::tr("Date"), Text::tr("Signature")})
        rows += QStringLiteral("<tr><td width=\"20%\">%1:</td><td width=\"80%\">"
                               "______________________________________________</td></tr>\n")
                    .arg(label);
    // Room above each line to write on.
    return QStringLiteral("<h2>%1</h2>\n<table border=\"0\" cellspacing=\"0\" "
                          "cellpadding=\"14\" width=\"100%\">\n")
               .arg(Text::tr("Sign-off")) +
           rows + QStringLiteral("</table>\n");
}

} // namespace

bool Read_File(const QString &path, ReportFile *file, QString *error)
{
    QByteArray bytes;
    if (!DownloadFile::Read_File_Bytes(path, &bytes, error))
        return false;
    QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    if (bytes.size() > DownloadFile::Max_Read_Bytes) {
        // More than the editor reads: the hash still stands for all of the file.
        QFile disk(path);
        QCryptographicHash whole(QCryptographicHash::Sha256);
        if (!disk.open(QIODevice::ReadOnly) || !whole.addData(&disk)) {
            *error = disk.errorString();
            return false;
        }
        hash = whole.result();
    }
    file->path = path;
    file->disk_bytes = bytes;
    file->disk_sha256 = hash;
    file->lines = DownloadFile::Read(bytes).lines;
    file->disk_error.clear();
    return true;
}

std::optional<int> File_Resolution(const QStringList &lines)
{
    const int scale_line = DownloadFile::Scale_Line_Index(lines);
    const int value = scale_line >= 0 ? DownloadFile::Scale_Resolution_Of(lines.at(scale_line)) : 0;
    return value > 0 ? std::optional<int>(value) : std::nullopt;
}

QString Build_Html(const ReportInput &input, const TParameterTable &table)
{
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>%1"
                          "</title>\n</head><body>\n")
               .arg(Text::tr("Commissioning record: %1")
                        .arg(Html(QFileInfo(input.document.path).fileName()))) +
           Header(input, table) + Parameters(input, table) + Other_Lines(input, table) +
           Checks(input, table) + Comparison(input, table) + Sign_Off() +
           QStringLiteral("</body></html>\n");
}

} // namespace CommissioningReport
