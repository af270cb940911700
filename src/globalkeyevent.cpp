#include "globalkeyevent.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

TGlobalKeyEvent::TGlobalKeyEvent(QObject *parent)
    : QObject(parent)
{}

void TGlobalKeyEvent::Install(QWidget *window, const std::function<void(int)> &receiver)
{
    qApp->installEventFilter(this);
    connect(this, &TGlobalKeyEvent::Key_Pressed, window, [window, receiver](int key) {
        // Up pressed in a question or a file dialog moves in there, not behind it.
        const QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == window)
            receiver(key);
    });
}

bool TGlobalKeyEvent::eventFilter(QObject *watched, QEvent *event)
{
    // A key press reaches the native window object first and then the focused widget and,
    // when ignored, its parents, some of which the toolkit names itself. Only the window
    // delivery counts, so each press is reported once. The program names none of its
    // own objects, so every named window object is one of the toolkit's.
    if (event->type() == QEvent::KeyPress && watched->isWindowType() &&
        !watched->objectName().isEmpty())
        emit Key_Pressed(static_cast<QKeyEvent *>(event)->key());
    return QObject::eventFilter(watched, event);
}
