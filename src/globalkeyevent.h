#pragma once

#include <QObject>

// Reports every key press in the application once, without taking it from its receiver,
// so that Up and Down move through the lines wherever the focus is.
class TGlobalKeyEvent : public QObject
{
    Q_OBJECT

public:
    explicit TGlobalKeyEvent(QObject *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void Key_Pressed(int key);
};
