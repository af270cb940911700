#pragma once

#include "downloadfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

class TParameterTable;

// The record a technician signs after commissioning a machine: one self-contained HTML
// document that the window prints or exports as PDF (through QTextDocument) and that
// oadtool report writes. Its tables have header rows that repeat on every page, and their
// widths are shares of the page, so A4 and Letter both fit.
namespace CommissioningReport {

// A file as the report describes it.
struct ReportFile
{
    QString path;      // made absolute for the report
    QStringList lines; // the lines the report lists: as held in the window, or as read
    // The bytes on disk, at most what the editor reads: for the findings only bytes show.
    QByteArray disk_bytes;
    // SHA-256 of the whole file on disk (32 bytes); empty: computed from disk_bytes.
    QByteArray disk_sha256;
    // Why the file could not be read from disk, when it could not: no SHA-256 then.
    QString disk_error;
};

// Where the resolution that converts lengths to millimetres comes from.
enum class ResolutionSource
{
    File,   // the file's scale resolution line
    Editor, // the editor's Scale Resolution field
    Option, // oadtool's --resolution
    Default // none given: the default
};

struct ReportInput
{
    ReportFile document;
    bool unsaved_changes = false; // the window holds changes not yet written to disk
    int resolution = DownloadFile::Default_Scale_Resolution;
    ResolutionSource resolution_source = ResolutionSource::Default;
    std::optional<ReportFile> reference; // compared with, when given
    QDateTime generated;                 // when the record is made; shown as it is given
};

// Reads a regular file for the report: its lines as the editor reads them, its bytes and
// the SHA-256 of all of it. False with the system's reason when it cannot be read.
bool Read_File(const QString &path, ReportFile *file, QString *error);

// The resolution a file gives itself: its scale resolution line's value when positive.
std::optional<int> File_Resolution(const QStringList &lines);

// The whole record as HTML (UTF-8 when written out).
QString Build_Html(const ReportInput &input, const TParameterTable &table);

} // namespace CommissioningReport
