#include "comparisoncontrols.h"

#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloaddocument.h"
#include "elidinglabel.h"
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
#include <QStyle>
#include <QToolBar>

using namespace MessageCatalogue;

TComparisonControls::TComparisonControls(const Window_Parts &parts, const TParameterTable &table)
    : QObject(parts.window)
    , d_parts(parts)
    , d_table(table)
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
    // Not in the toolbar: its overflow menu would hide a long summary, and a summary that
    // is missing reads as "the files are equal".
    d_summary_label = new TElidingLabel(d_parts.window);
    d_summary_label->Set_Elide_Mode(Qt::ElideRight);
    // In line with the captions below it, which keep the style's margins.
    QWidget *const window = d_parts.window;
    d_summary_label->setContentsMargins(
        window->style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, window), 0,
        window->style()->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, window), 0);
    d_summary_label->hide();
}

QLabel *TComparisonControls::Get_Summary_Label() const
{
    return d_summary_label;
}

bool TComparisonControls::Compare_File(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (!d_comparison.Load(path)) {
        // Said as for a failed open: no marks and no summary would pass for equal files.
        Show_File_Message(d_parts.message_box, Reference_Failed, path, {d_comparison.Get_Error()});
        return false;
    }
    d_end_comparison_action->setEnabled(true);
    Update();
    const QVector<DownloadFile::Loss> losses = d_comparison.Get_Losses();
    if (!losses.isEmpty())
        Show_File_Message(d_parts.message_box, Lossy_Reference, path, Loss_Sentences(losses), true);
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
    Compare_File(file_name);
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
    Show_Summary();
    Show_References(d_line, d_parameter);
    emit Updated();
}

void TComparisonControls::Show_Summary()
{
    const bool active = d_comparison.Is_Active();
    const QString path = QDir::toNativeSeparators(d_comparison.Get_Path());
    const QString text =
        active ? tr("Reference %1: %2").arg(QFileInfo(path).fileName(), d_comparison.Get_Summary())
               : QString();
    d_summary_label->setText(text);
    // All of it, however much the line elides, and which file it is about.
    d_summary_label->setToolTip(active ? text + QLatin1Char('\n') + path : QString());
    d_summary_label->setVisible(active);
}

void TComparisonControls::Show_References(int line, int parameter)
{
    d_line = line;
    d_parameter = parameter;
    d_parts.data_editor->Clear_References();
    const bool shown = line >= 0 && parameter >= 0;
    d_take_over_action->setEnabled(shown && !d_comparison.Get_Reference_Values(line).isEmpty());
    if (!shown)
        return;
    if (const int reference_line = d_comparison.Get_Lossy_Reference_Line(line))
        Show_Unread_Reference_Line(line, reference_line);
    else
        Show_Reference_Values(line);
}

void TComparisonControls::Show_Reference_Values(int line)
{
    const auto reference = d_comparison.Get_Reference_Line(line);
    if (!reference || reference->Number() != d_parameter)
        return;
    const TReferenceComparison::Resolution resolution =
        d_comparison.Get_Reference_Resolution(d_parts.data_editor->Get_Scale_Resolution());
    const QString note =
        resolution.Is_From_Reference()
            ? tr("Value in the reference file; millimetres at the reference's own scale "
                 "resolution, %1 counts per mm (its line %2)")
                  .arg(resolution.value)
                  .arg(resolution.line)
            : tr("Value in the reference file; millimetres at the download file's scale "
                 "resolution, %1 counts per mm, as the reference has no scale resolution line")
                  .arg(resolution.value);
    const QString letters = d_comparison.Get_Differing_Letters(line);
    for (int i = 0; i < reference->fields.size(); ++i) {
        const LineSyntax::FieldReading &field = reference->fields.at(i);
        d_parts.data_editor->Set_Item_Reference(
            i, field.present ? std::optional<qint32>(field.value) : std::nullopt,
            letters.contains(field.item.letter), resolution.value, note);
    }
}

void TComparisonControls::Show_Unread_Reference_Line(int line, int reference_line)
{
    // Its fields are those of the line shown: the same parameter.
    const LineSyntax::ParameterLine shown =
        LineSyntax::Read_Parameter_Line(d_parts.document->Get_Line(line), d_table);
    if (shown.Number() != d_parameter)
        return;
    for (int i = 0; i < shown.fields.size(); ++i)
        d_parts.data_editor->Set_Item_Reference_Note(
            i, tr("not read whole"),
            tr("Line %1 of the reference could not be read whole: its values are neither shown "
               "nor taken over.")
                .arg(reference_line));
}

void TComparisonControls::Take_Over(int line)
{
    if (!d_comparison.Is_Active())
        return;
    Push_Line_Change(d_parts.undo_stack, d_parts.document, line,
                     LineSyntax::Rewrite_Fields(d_parts.document->Get_Line(line),
                                                d_comparison.Get_Reference_Values(line)));
}

bool TComparisonControls::Is_Active() const
{
    return d_comparison.Is_Active();
}

QString TComparisonControls::Get_Reference_Path() const
{
    return d_comparison.Get_Path();
}

QSet<int> TComparisonControls::Get_Differing_Lines() const
{
    return d_comparison.Get_Differing_Lines();
}
