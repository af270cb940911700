#pragma once

#include <QLabel>

// A one-line label for a path: its text stays the whole path, but it shows as much as fits,
// elided in the middle, and tells the whole path as its tooltip. However long the path,
// it never asks for more width than the window has.
class TElidingLabel : public QLabel
{
public:
    explicit TElidingLabel(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
