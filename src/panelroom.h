#pragma once

#include <QSize>
#include <QWidget>

// Where the field panels live: a column of fixed size that fills the room the editor's layout
// gives. A panel shown, hidden or given a new text lays out that column alone; without the
// fixed size every such change would lay out the whole window as well, on every shown line.
// The room asks the window for more space only when the column needs more than it asked
// for before, so the window does not change its minimum size from line to line.
class TPanelRoom : public QWidget
{
public:
    explicit TPanelRoom(QWidget *parent);

    // The widget that holds the panels; give it the panels' layout.
    QWidget *Get_Column() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Take_Needs();

    QWidget *d_column = nullptr;
    // The most the panels have needed since the font or style last changed.
    mutable QSize d_minimum_size;
};
