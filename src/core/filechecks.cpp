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
    file.resolution_line =
        file.content.scale_resolution >= 0 ? DownloadFile::Scale_Line_Index(lines) + 1 : 0;
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
    const int scale_line = DownloadFile::Scale_Line_Index(lines);
    file.content.scale_resolution =
        scale_line >= 0 ? DownloadFile::Scale_Resolution_Of(lines.at(scale_line)) : -1;
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
