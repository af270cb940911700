#pragma once

#include <QLabel>

// A one-line label for a path or a summary: its text stays whole, but it shows as much as
// fits, elided (in the middle unless Set_Elide_Mode says otherwise), and tells the whole text
// as its tooltip, or the tooltip it was given. However long the text, it never asks for more
// width than the window has.
class TElidingLabel : public QLabel
{
public:
    explicit TElidingLabel(QWidget *parent = nullptr);

    void Set_Elide_Mode(Qt::TextElideMode mode);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::TextElideMode d_elide_mode = Qt::ElideMiddle;
};
