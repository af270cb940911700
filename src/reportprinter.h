#pragma once

#include "comparisoncontrols.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class TParameterTable;

// The commissioning record from the window: Ctrl+P prints it through the print dialog, and a
// toolbar action exports it as a PDF file, on A4 or, where the locale measures in inches,
// Letter. Both lay out the one HTML record of the document as the window holds it, once what
// is typed in the editor has been committed, with the SHA-256 of the file on disk and, while
// a comparison runs, the reference.
class TReportPrinter : public QObject
{
    Q_OBJECT

public:
    // The actions go into the toolbar before the action before, with a separator after them;
    // they are enabled once a file has been read. settle commits what is typed in the editor.
    TReportPrinter(const TComparisonControls::Window_Parts &parts,
                   const TComparisonControls *comparison, const TParameterTable &table,
                   QAction *before, std::function<void()> settle);

public slots:
    void Print();
    void Export_Pdf();

private:
    void Create_Actions(QAction *before);
    // The record as it stands now; empty, and the user told why, when a reference that is
    // compared with cannot be read.
    QString Record_Html();
    QString Document_Path() const;

    TComparisonControls::Window_Parts d_parts;
    const TComparisonControls *d_comparison;
    const TParameterTable &d_table;
    std::function<void()> d_settle;
    QAction *d_print_action = nullptr;
    QAction *d_export_action = nullptr;
};
