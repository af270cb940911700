#include "reportprinting.h"

#include "safereplace.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace ReportPrinting {

namespace {

// The band under each page's text that holds its page number.
constexpr qreal Footer_Mm = 8;

} // namespace

void Print(const QString &html, QPagedPaintDevice *device, int first_page, int last_page)
{
    QTextDocument document;
    // Laid out once, on the device itself and at its page size less the footer, before the
    // text comes in: QTextDocument::print() would clone the document and lay it out again,
    // which costs as much as everything else together on a long record. The margins are the
    // device's own (the print dialog's, or the PDF writer's).
    document.documentLayout()->setPaintDevice(device);
    QFont font = document.defaultFont();
    font.setPointSizeF(9); // room for every column on A4 and Letter
    document.setDefaultFont(font);
    const qreal footer = Footer_Mm / 25.4 * device->logicalDpiY();
    const QSizeF page(device->width(), device->height() - footer);
    document.setPageSize(page);
    document.setHtml(html);

    QPainter painter(device);
    painter.setFont(font);
    const int count = document.pageCount();
    const int first = qBound(1, first_page, count) - 1;
    const int last = last_page > 0 ? qMin(last_page, count) - 1 : count - 1;
    for (int index = first; index <= last; ++index) {
        if (index > first)
            device->newPage();
        const QRectF area(0, index * page.height(), page.width(), page.height());
        painter.save();
        painter.setClipRect(QRectF(QPointF(0, 0), page));
        painter.translate(0, -area.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = area;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.drawText(QRectF(0, page.height(), page.width(), footer),
                         Qt::AlignRight | Qt::AlignBottom,
                         QCoreApplication::translate("ReportPrinting", "Page %1 of %2")
                             .arg(index + 1)
                             .arg(count));
    }
}

bool Write_Pdf(const QString &html, const QString &path, const QPageSize &size, QString *error)
{
    // An earlier record stays whole when this one fails.
    return DownloadFile::Write_Whole_File(
        path,
        [&](QIODevice &file) {
            QPdfWriter writer(&file);
            writer.setPageSize(size);
            writer.setPageMargins(Page_Margins_Mm, QPageLayout::Millimeter);
            writer.setTitle(QCoreApplication::translate("ReportPrinting", "Commissioning record"));
            Print(html, &writer);
            return true;
        },
        error);
}

} // namespace ReportPrinting
