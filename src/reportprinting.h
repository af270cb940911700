#pragma once

#include <QMarginsF>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;

// The commissioning record on paper: the one HTML document (CommissioningReport), laid out
// by QTextDocument on the device's pages. The window prints through this to the printer
// from its print dialog and exports PDF through it; both get the same pages.
namespace ReportPrinting {

// The margins of the record's pages in millimetres, the foot's wider for the page number;
// a printer whose unprintable border is wider keeps its own.
inline const QMarginsF Page_Margins_Mm(15, 15, 15, 12);

// Lays the record out on the device's page size within its margins, every table header
// repeated on the pages its table continues on, and paints the pages from first_page to
// last_page (1-based; 0 for either end means from the first or to the last), each with
// "Page n of m" at its foot. From a print dialog: printer->fromPage(), printer->toPage().
void Print(const QString &html, QPagedPaintDevice *device, int first_page = 0, int last_page = 0);

// The record as a PDF file on pages of the given size (A4, Letter), Page_Margins_Mm; false,
// with the reason, when the file cannot be written, and then the target is untouched.
bool Write_Pdf(const QString &html, const QString &path, const QPageSize &size,
               QString *error = nullptr);

} // namespace ReportPrinting
