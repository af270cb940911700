#include "changestepper.h"

#include "comparisoncontrols.h"
#include "downloaddocument.h"
#include "filelinewidget.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QToolBar>

namespace {

// F8 rather than Alt+Down: the key filter reports Down whatever modifier is held, so
// Alt+Down would move the active line by one as well.
const QKeySequence Next_Key(Qt::Key_F8);
const QKeySequence Previous_Key(Qt::SHIFT | Qt::Key_F8);

} // namespace

TChangeStepper::TChangeStepper(QToolBar *tool_bar, QAction *before, TFileLineWidget *line_view,
                               const TComparisonControls *comparison)
    : QObject(tool_bar)
    , d_line_view(line_view)
    , d_document(line_view->Get_Document())
    , d_comparison(comparison)
{
    d_previous_action =
        new QAction(QIcon(QStringLiteral(":/toolbar/previous_change_x32.png")), QString(), this);
    d_previous_action->setShortcut(Previous_Key);
    d_next_action =
        new QAction(QIcon(QStringLiteral(":/toolbar/next_change_x32.png")), QString(), this);
    d_next_action->setShortcut(Next_Key);
    tool_bar->insertAction(before, d_previous_action);
    tool_bar->insertAction(before, d_next_action);

    connect(d_next_action, &QAction::triggered, this, [this] { Step(true); });
    connect(d_previous_action, &QAction::triggered, this, [this] { Step(false); });
    connect(d_line_view, &TFileLineWidget::Line_Activated, this, &TChangeStepper::Update);
    connect(d_document, &TDownloadDocument::Loaded, this, &TChangeStepper::Update);
    connect(d_document, &TDownloadDocument::Saved, this, &TChangeStepper::Update);
    connect(d_comparison, &TComparisonControls::Updated, this, &TChangeStepper::Update);
    Update();
}

QSet<int> TChangeStepper::Changed_Lines() const
{
    if (d_comparison->Is_Active())
        return d_comparison->Get_Differing_Lines();
    QSet<int> lines;
    for (int line = 0; line < d_document->Get_Line_Count(); ++line)
        if (!d_document->Is_Line_Saved(line))
            lines.insert(line);
    return lines;
}

int TChangeStepper::Target(const QSet<int> &lines, bool forward) const
{
    const int count = d_document->Get_Line_Count();
    const int step = forward ? 1 : -1;
    for (int line = d_line_view->Get_Active_Line() + step; line >= 0 && line < count; line += step)
        if (lines.contains(line))
            return line;
    return -1;
}

void TChangeStepper::Step(bool forward)
{
    const int line = Target(Changed_Lines(), forward);
    if (line >= 0)
        d_line_view->Select_Line(line);
}

void TChangeStepper::Update()
{
    const bool comparing = d_comparison->Is_Active();
    // The text is what the icon-only button speaks to assistive technology.
    d_next_action->setText(comparing ? tr("Next line that differs from the reference")
                                     : tr("Next changed line"));
    d_previous_action->setText(comparing ? tr("Previous line that differs from the reference")
                                         : tr("Previous changed line"));
    for (QAction *action : {d_next_action, d_previous_action})
        action->setToolTip(QStringLiteral("%1 (%2)").arg(
            action->text(), action->shortcut().toString(QKeySequence::NativeText)));
    const QSet<int> lines = Changed_Lines();
    d_next_action->setEnabled(Target(lines, true) >= 0);
    d_previous_action->setEnabled(Target(lines, false) >= 0);
}
