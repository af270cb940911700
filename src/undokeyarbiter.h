#pragma once

#include <QObject>

class QAction;
class QWidget;

// Decides who gets the undo and redo keys. A line edit claims them even when it has
// nothing left to undo or redo; left unclaimed then, they reach the window's own undo and
// redo actions. Only the focused line edit is offered them first, so only it is watched.
class TUndoKeyArbiter : public QObject
{
public:
    TUndoKeyArbiter(QWidget *window, const QAction *undo_action, const QAction *redo_action);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Focus_Changed(QWidget *old_focus, QWidget *new_focus);

    QWidget *d_window;
    const QAction *d_undo_action;
    const QAction *d_redo_action;
};
