#include "comparisoncontrols.h"

#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloaddocument.h"
#include "filelinewidget.h"
#include "linesyntax.h"
#include "messagecatalogue.h"
#include "undocommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QToolBar>

TComparisonControls::TComparisonControls(const Window_Parts &parts, const TParameterTable &table)
    : QObject(parts.window)
    , d_parts(parts)
    , d_comparison(table)
{
    Create_Actions();
    connect(d_compare_action, &QAction::triggered, this, &TComparisonControls::Read_Reference_File);
    connect(d_take_over_action, &QAction::triggered, this,
            &TComparisonControls::Take_Over_Requested);
    connect(d_end_comparison_action, &QAction::triggered, this,
            &TComparisonControls::End_Comparison);
}

void TComparisonControls::Create_Actions()
{
    // Each action's text is what its icon-only button speaks to assistive technology.
    d_compare_action = new QAction(d_parts.window);
    d_compare_action->setText(tr("Compare with a reference file"));
    d_compare_action->setToolTip(d_compare_action->text());
    d_compare_action->setIcon(QIcon(QStringLiteral(":/toolbar/compare_x32.png")));

    d_take_over_action = new QAction(d_parts.window);
    d_take_over_action->setText(tr("Take over the reference values"));
    d_take_over_action->setToolTip(d_take_over_action->text());
    d_take_over_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    d_take_over_action->setIcon(QIcon(QStringLiteral(":/toolbar/take_over_x32.png")));
    d_take_over_action->setEnabled(false);

    d_end_comparison_action = new QAction(d_parts.window);
    d_end_comparison_action->setText(tr("End the comparison"));
    d_end_comparison_action->setToolTip(d_end_comparison_action->text());
    d_end_comparison_action->setIcon(QIcon(QStringLiteral(":/toolbar/end_compare_x32.png")));
    d_end_comparison_action->setEnabled(false);

    d_parts.tool_bar->addAction(d_compare_action);
    d_parts.tool_bar->addAction(d_take_over_action);
    d_parts.tool_bar->addAction(d_end_comparison_action);
    // The summary sits in the toolbar's spare width, so the window keeps its height.
    d_comparison_label = new QLabel(d_parts.tool_bar);
    d_comparison_label->setContentsMargins(8, 0, 8, 0);
    d_parts.tool_bar->addWidget(d_comparison_label);
}

bool TComparisonControls::Compare_File(const QString &path)
{
    if (path.isEmpty() || !d_comparison.Load(path))
        return false;
    d_end_comparison_action->setEnabled(true);
    Update();
    return true;
}

void TComparisonControls::Read_Reference_File()
{
    const QString start = d_comparison.Is_Active()
                              ? d_comparison.Get_Path()
                              : QDir::fromNativeSeparators(d_parts.file_name_label->text());
    const QString file_name =
        TDialogSeam::Get_Open_File_Name(d_parts.window, tr("Open Reference Download File"), start,
                                        tr("Vantor Download Files (*.oad *.txt)"));
    if (!file_name.isEmpty() && !Compare_File(file_name))
        MessageCatalogue::Show_Message(d_parts.message_box, MessageCatalogue::Reference_Failed);
}

void TComparisonControls::End_Comparison()
{
    d_comparison.Clear();
    d_end_comparison_action->setEnabled(false);
    Update();
}

void TComparisonControls::Update()
{
    d_comparison.Compare(d_parts.document->Get_Lines());
    d_parts.line_view->Set_Reference_Lines(d_comparison.Get_Differing_Lines());
    const bool active = d_comparison.Is_Active();
    const QString path = QDir::toNativeSeparators(d_comparison.Get_Path());
    d_comparison_label->setText(
        active ? tr("Reference %1: %2").arg(QFileInfo(path).fileName(), d_comparison.Get_Summary())
               : QString());
    d_comparison_label->setToolTip(active ? path : QString());
    Show_References(d_line, d_parameter);
}

void TComparisonControls::Show_References(int line, int parameter)
{
    d_line = line;
    d_parameter = parameter;
    d_parts.data_editor->Clear_References();
    const auto reference =
        line >= 0 && parameter >= 0 ? d_comparison.Get_Reference_Line(line) : std::nullopt;
    d_take_over_action->setEnabled(reference && !d_comparison.Get_Reference_Values(line).isEmpty());
    if (!reference || reference->Number() != parameter)
        return;
    const QString letters = d_comparison.Get_Differing_Letters(line);
    for (int i = 0; i < reference->fields.size(); ++i) {
        const LineSyntax::FieldReading &field = reference->fields.at(i);
        d_parts.data_editor->Set_Item_Reference(
            i, field.present ? std::optional<qint32>(field.value) : std::nullopt,
            letters.contains(field.item.letter));
    }
}

void TComparisonControls::Take_Over(int line)
{
    if (!d_comparison.Is_Active())
        return;
    Push_Line_Change(d_parts.undo_stack, d_parts.document, line,
                     LineSyntax::Rewrite_Fields(d_parts.document->Get_Line(line),
                                                d_comparison.Get_Reference_Values(line)));
}
