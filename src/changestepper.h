#pragma once

#include <QObject>
#include <QSet>

class QAction;
class QToolBar;
class TComparisonControls;
class TDownloadDocument;
class TFileLineWidget;

// Two toolbar actions, F8 and Shift+F8, that make the next or the previous changed line
// the active one: a line that differs from the file as last saved or, while a comparison
// runs, one that differs from the reference. They do not wrap: an action is disabled when
// no changed line lies in its direction.
class TChangeStepper : public QObject
{
    Q_OBJECT

public:
    // The actions go into tool_bar before the action before.
    TChangeStepper(QToolBar *tool_bar, QAction *before, TFileLineWidget *line_view,
                   const TComparisonControls *comparison);

private:
    QSet<int> Changed_Lines() const;
    // The nearest of lines after (before) the active line; -1 for none.
    int Target(const QSet<int> &lines, bool forward) const;
    void Step(bool forward);
    // The actions' state follows the active line, the document and the comparison.
    void Update();

    TFileLineWidget *d_line_view;
    TDownloadDocument *d_document;
    const TComparisonControls *d_comparison;
    QAction *d_next_action = nullptr;
    QAction *d_previous_action = nullptr;
};
