#include "undokeyarbiter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

TUndoKeyArbiter::TUndoKeyArbiter(QWidget *window, const QAction *undo_action,
                                 const QAction *redo_action)
    : QObject(window)
    , d_window(window)
    , d_undo_action(undo_action)
    , d_redo_action(redo_action)
{
    connect(qApp, &QApplication::focusChanged, this, &TUndoKeyArbiter::Focus_Changed);
}

void TUndoKeyArbiter::Focus_Changed(QWidget *old_focus, QWidget *new_focus)
{
    Q_UNUSED(old_focus);
    if (qobject_cast<QLineEdit *>(new_focus) && d_window->isAncestorOf(new_focus))
        new_focus->installEventFilter(this);
}

bool TUndoKeyArbiter::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (edit && event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence keys(static_cast<int>(key->modifiers()) | key->key());
        // Taken from the edit, the override is not accepted and the shortcut goes on.
        if ((d_undo_action->shortcuts().contains(keys) && !edit->isUndoAvailable()) ||
            (d_redo_action->shortcuts().contains(keys) && !edit->isRedoAvailable()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
