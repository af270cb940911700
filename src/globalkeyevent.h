#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Reports every key press in the application once, without taking it from its receiver,
// so that Up and Down move through the lines wherever the focus is.
class TGlobalKeyEvent : public QObject
{
    Q_OBJECT

public:
    explicit TGlobalKeyEvent(QObject *parent = nullptr);

    // Start-up's wiring: installed on the application, the filter passes each key press to
    // receiver while window lives, but not those meant for a modal dialog in front of it,
    // such as a question or a file dialog.
    void Install(QWidget *window, const std::function<void(int)> &receiver);

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void Key_Pressed(int key);
};
