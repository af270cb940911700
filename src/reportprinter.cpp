#include "reportprinter.h"

#include "commissioningreport.h"
#include "dialogseam.h"
#include "downloaddocument.h"
#include "filelinewidget.h"
#include "messagecatalogue.h"
#include "reportprinting.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QPageSize>
#include <QPrinter>
#include <QToolBar>
#include <QUndoStack>

#include <utility>

TReportPrinter::TReportPrinter(const TComparisonControls::Window_Parts &parts,
                               const TComparisonControls *comparison, const TParameterTable &table,
                               QAction *before, std::function<void()> settle)
    : QObject(parts.window)
    , d_parts(parts)
    , d_comparison(comparison)
    , d_table(table)
    , d_settle(std::move(settle))
{
    Create_Actions(before);
    connect(d_print_action, &QAction::triggered, this, &TReportPrinter::Print);
    connect(d_export_action, &QAction::triggered, this, &TReportPrinter::Export_Pdf);
    // A record is of a file.
    connect(d_parts.document, &TDownloadDocument::Loaded, this, [this] {
        d_print_action->setEnabled(true);
        d_export_action->setEnabled(true);
    });
}

void TReportPrinter::Create_Actions(QAction *before)
{
    d_print_action = new QAction(QIcon(QStringLiteral(":/toolbar/print_x32.png")),
                                 tr("Print the commissioning record"), this);
    d_print_action->setShortcuts(QKeySequence::Print);
    d_export_action = new QAction(QIcon(QStringLiteral(":/toolbar/export_pdf_x32.png")),
                                  tr("Export the commissioning record as PDF"), this);
    for (QAction *action : {d_print_action, d_export_action}) {
        // The text is what the icon-only button speaks to assistive technology.
        const QString keys = action->shortcut().toString(QKeySequence::NativeText);
        action->setToolTip(keys.isEmpty() ? action->text()
                                          : QStringLiteral("%1 (%2)").arg(action->text(), keys));
        action->setEnabled(false);
        d_parts.tool_bar->insertAction(before, action);
    }
    d_parts.tool_bar->insertSeparator(before);
}

void TReportPrinter::Print()
{
    d_settle();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(Document_Path()).fileName());
    // The print dialog's own default margins leave almost none on a PDF printer.
    printer.setPageMargins(ReportPrinting::Page_Margins_Mm, QPageLayout::Millimeter);
    if (!TDialogSeam::Exec_Print_Dialog(&printer, d_parts.window))
        return;
    const QString html = Record_Html();
    if (!html.isEmpty())
        ReportPrinting::Print(html, &printer, printer.fromPage(), printer.toPage());
}

void TReportPrinter::Export_Pdf()
{
    d_settle();
    const QFileInfo document(Document_Path());
    const QString file_name = TDialogSeam::Get_Save_File_Name(
        d_parts.window, tr("Export Commissioning Record"),
        document.path() + QLatin1Char('/') + document.completeBaseName() + QStringLiteral(".pdf"),
        tr("PDF Files (*.pdf)"));
    if (file_name.isEmpty())
        return;
    const QString html = Record_Html();
    if (html.isEmpty())
        return;
    // Paper as the desktop's measures: Letter in the United States, A4 elsewhere.
    const QPageSize size(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                             ? QPageSize::Letter
                             : QPageSize::A4);
    QString error;
    if (!ReportPrinting::Write_Pdf(html, file_name, size, &error))
        MessageCatalogue::Show_File_Message(d_parts.message_box, MessageCatalogue::Export_Failed,
                                            file_name, {error});
}

QString TReportPrinter::Record_Html()
{
    using namespace CommissioningReport;
    ReportInput input;
    QString error;
    const QString path = Document_Path();
    // A file gone from disk since it was read still has a record: without its SHA-256.
    if (!Read_File(path, &input.document, &error)) {
        input.document.path = path;
        input.document.disk_error = error;
    }
    // The lines as the window holds them, noted when they are not those of the bytes hashed:
    // edits not saved, or the file changed by another program since it was read. Edits
    // undone down to the file's lines are none.
    const QStringList held = d_parts.document->Get_Lines();
    input.unsaved_changes = input.document.disk_error.isEmpty() ? input.document.lines != held
                                                                : !d_parts.undo_stack->isClean();
    input.document.lines = held;
    const std::optional<int> own = File_Resolution(input.document.lines);
    input.resolution = own.value_or(d_parts.line_view->Get_Scale_Resolution());
    input.resolution_source = own ? ResolutionSource::File : ResolutionSource::Editor;
    if (d_comparison->Is_Active()) {
        // A reference that cannot be read would be listed as differing in every line.
        input.reference = ReportFile();
        if (!Read_File(d_comparison->Get_Reference_Path(), &*input.reference, &error)) {
            MessageCatalogue::Show_File_Message(d_parts.message_box,
                                                MessageCatalogue::Reference_Failed,
                                                d_comparison->Get_Reference_Path(), {error});
            return QString();
        }
    }
    input.generated = QDateTime::currentDateTime();
    return Build_Html(input, d_table);
}

QString TReportPrinter::Document_Path() const
{
    return QDir::fromNativeSeparators(d_parts.file_name_label->text());
}
