#include "elidinglabel.h"

#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

TElidingLabel::TElidingLabel(QWidget *parent)
    : QLabel(parent)
{}

void TElidingLabel::Set_Elide_Mode(Qt::TextElideMode mode)
{
    d_elide_mode = mode;
    update();
}

// As high as the text, but asking for no width: the layout gives it what the row has, and a
// long path neither widens the window nor narrows the panes below.
QSize TElidingLabel::sizeHint() const
{
    return QSize(0, QLabel::sizeHint().height());
}

QSize TElidingLabel::minimumSizeHint() const
{
    return QSize(0, QLabel::minimumSizeHint().height());
}

bool TElidingLabel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && !text().isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                           toolTip().isEmpty() ? text() : toolTip(), this);
        return true;
    }
    return QLabel::event(event);
}

void TElidingLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), d_elide_mode, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
}
