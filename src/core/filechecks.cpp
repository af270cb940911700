#include "filechecks.h"

#include <algorithm>

namespace FileChecks {

void Read_Lines(CheckedFile &file, const TParameterTable &table)
{
    const QStringList &lines = file.content.lines;
    file.lines.clear();
    file.lines.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i)
        file.lines.append(
            {i + 1, lines.at(i), LineSyntax::Read_Parameter_Line(lines.at(i), table)});
    file.resolution_line = DownloadFile::Scale_Line_Index(lines) + 1;
}

CheckedFile File_Of(const QByteArray &bytes, const TParameterTable &table)
{
    CheckedFile file;
    file.bytes = bytes;
    file.content = DownloadFile::Read(bytes);
    Read_Lines(file, table);
    return file;
}

CheckedFile File_Of(const QStringList &lines, const QByteArray &bytes, const TParameterTable &table)
{
    CheckedFile file;
    file.bytes = bytes;
    if (!bytes.isEmpty())
        file.content.losses = DownloadFile::Read(bytes).losses;
    file.content.lines = lines;
    file.content.total_lines = lines.size();
    file.content.scale_resolution = DownloadFile::Scale_Resolution_Of(lines);
    Read_Lines(file, table);
    return file;
}

QVector<Finding> Check_Document(const CheckedFile &document)
{
    QVector<Finding> findings = Check_Bytes(document);
    findings += Check_Lines(document);
    findings += Check_Scale_Resolution(document);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding &a, const Finding &b) { return a.line < b.line; });
    return findings;
}

} // namespace FileChecks
