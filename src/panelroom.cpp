#include "panelroom.h"

#include <QEvent>
#include <QLayout>

#include <functional>
#include <utility>

namespace {

// Reports each time its layout has done a requested layout.
class TPanelColumn : public QWidget
{
public:
    TPanelColumn(QWidget *parent, std::function<void()> laid_out)
        : QWidget(parent)
        , d_laid_out(std::move(laid_out))
    {}

protected:
    bool event(QEvent *event) override
    {
        // The layout has already acted on the request when the widget sees it.
        const bool done = QWidget::event(event);
        if (event->type() == QEvent::LayoutRequest)
            d_laid_out();
        return done;
    }

private:
    std::function<void()> d_laid_out;
};

} // namespace

TPanelRoom::TPanelRoom(QWidget *parent)
    : QWidget(parent)
    , d_column(new TPanelColumn(this, [this] { Take_Needs(); }))
{
    // As the column's layout of expanding panels over a spacer would ask.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QWidget *TPanelRoom::Get_Column() const
{
    return d_column;
}

// The room asks for what the panels need at the least. The window's size never came from
// their full sizes, and asking for those would lay out every help text again.
QSize TPanelRoom::sizeHint() const
{
    return minimumSizeHint();
}

QSize TPanelRoom::minimumSizeHint() const
{
    if (const QLayout *layout = d_column->layout())
        d_minimum_size = d_minimum_size.expandedTo(layout->totalMinimumSize());
    return d_minimum_size;
}

void TPanelRoom::resizeEvent(QResizeEvent *event)
{
    d_column->setFixedSize(size());
    QWidget::resizeEvent(event);
}

void TPanelRoom::changeEvent(QEvent *event)
{
    // Another font or style: the panels' layout measures its needs afresh when it next lays
    // them out, and they may shrink.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        d_minimum_size = QSize();
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

void TPanelRoom::Take_Needs()
{
    const QSize before = d_minimum_size;
    if (minimumSizeHint() != before)
        updateGeometry();
}
