#include "filelineaccessible.h"

#include "downloaddocument.h"
#include "filelinewidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>

namespace {

class TLineListAccessible;

// One line of the list. It has no object of its own: it reads the line view each time, so it
// never tells a stale text, and it is valid as long as its line exists.
class TLineItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TLineItemAccessible(TLineListAccessible *list, int line)
        : d_list(list)
        , d_line(line)
    {}

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }

    // Activating an item makes its line the active one, as a click does.
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString &name) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    TFileLineWidget *View() const;

    TLineListAccessible *d_list;
    int d_line;
};

// The line canvas: a list whose items are the document's lines, made on demand.
class TLineListAccessible : public QAccessibleWidget
{
public:
    TLineListAccessible(QWidget *canvas, TFileLineWidget *view)
        : QAccessibleWidget(canvas, QAccessible::List)
        , d_view(view)
    {}

    ~TLineListAccessible() override
    {
        for (const QAccessible::Id id : qAsConst(d_items))
            QAccessible::deleteAccessibleInterface(id);
    }

    TFileLineWidget *View() const { return d_view; }

    int childCount() const override { return d_view ? d_view->Get_Line_Count() : 0; }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        auto found = d_items.constFind(index);
        if (found != d_items.constEnd())
            return QAccessible::accessibleInterface(*found);
        // Owned by Qt's cache from here on, and deleted with the list.
        auto *item = new TLineItemAccessible(const_cast<TLineListAccessible *>(this), index);
        d_items.insert(index, QAccessible::registerAccessibleInterface(item));
        return item;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child));
        const int index = d_items.key(id, -1);
        return index < childCount() ? index : -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (!d_view)
            return nullptr;
        return child(d_view->Line_At(widget()->mapFromGlobal(QPoint(x, y))));
    }

    QAccessibleInterface *focusChild() const override
    {
        return childCount() > 0 && d_view ? child(d_view->Get_Active_Line()) : nullptr;
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Name)
            return QCoreApplication::translate("FileLineAccessible", "Lines of the download file");
        return QAccessibleWidget::text(type);
    }

private:
    QPointer<TFileLineWidget> d_view;
    mutable QHash<int, QAccessible::Id> d_items;
};

bool TLineItemAccessible::isValid() const
{
    return d_list->isValid() && d_line < d_list->childCount();
}

QWindow *TLineItemAccessible::window() const
{
    return d_list->window();
}

QAccessibleInterface *TLineItemAccessible::parent() const
{
    return d_list;
}

TFileLineWidget *TLineItemAccessible::View() const
{
    return isValid() ? d_list->View() : nullptr;
}

QString TLineItemAccessible::text(QAccessible::Text type) const
{
    const TFileLineWidget *view = View();
    if (!view)
        return QString();
    if (type == QAccessible::Name)
        return view->Get_Line(d_line);
    if (type != QAccessible::Description)
        return QString();
    QStringList marks;
    if (!view->Get_Document()->Is_Line_Saved(d_line))
        marks << QCoreApplication::translate("FileLineAccessible",
                                             "Changed since the file was loaded or saved");
    if (view->Is_Reference_Line(d_line))
        marks << QCoreApplication::translate("FileLineAccessible",
                                             "Differs from the reference file");
    return marks.join(QStringLiteral("; "));
}

QRect TLineItemAccessible::rect() const
{
    const TFileLineWidget *view = View();
    if (!view)
        return QRect();
    const QRect row = view->Line_Rect(d_line);
    const QWidget *canvas = view->Get_Line_Canvas();
    return row.isEmpty() ? QRect() : row.translated(canvas->mapToGlobal(QPoint()));
}

QAccessible::State TLineItemAccessible::state() const
{
    QAccessible::State state;
    const TFileLineWidget *view = View();
    if (!view) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.disabled = !view->isEnabled();
    const bool active = view->Get_Active_Line() == d_line;
    state.selected = active;
    state.focused = active;
    state.active = active;
    // Lines above and below the rows on show are in the list but not on the screen.
    if (view->Line_Rect(d_line).isEmpty()) {
        state.invisible = true;
        state.offscreen = true;
    }
    return state;
}

void TLineItemAccessible::doAction(const QString &name)
{
    if (TFileLineWidget *view = View(); view && (name == pressAction() || name == setFocusAction()))
        view->Select_Line(d_line);
}

QAccessibleInterface *Line_List_Factory(const QString &class_name, QObject *object)
{
    if (class_name != QLatin1String("QWidget") || !object || !object->isWidgetType())
        return nullptr;
    auto *canvas = static_cast<QWidget *>(object);
    auto *view = qobject_cast<TFileLineWidget *>(canvas->parentWidget());
    if (!view || view->Get_Line_Canvas() != canvas)
        return nullptr;
    return new TLineListAccessible(canvas, view);
}

FileLineAccessible::Event_Observer event_observer = nullptr;

// line -1: the list itself. Nothing is made while no assistive technology listens.
void Send(const TFileLineWidget *view, QAccessible::Event type, int line)
{
    if (!QAccessible::isActive() && !event_observer)
        return;
    QAccessibleEvent event(view->Get_Line_Canvas(), type);
    event.setChild(line);
    if (event_observer)
        event_observer(event);
    QAccessible::updateAccessibility(&event);
}

void Send_To_Each_Line(const TFileLineWidget *view, QAccessible::Event type)
{
    for (int line = 0; line < view->Get_Line_Count(); ++line)
        Send(view, type, line);
}

} // namespace

namespace FileLineAccessible {

void Attach(TFileLineWidget *view, TDownloadDocument *document)
{
    QAccessible::installFactory(Line_List_Factory);
    // Screen readers follow the focus and the selection: both move with the active line.
    QObject::connect(view, &TFileLineWidget::Line_Activated, view, [view](int line) {
        Send(view, QAccessible::Focus, line);
        Send(view, QAccessible::Selection, line);
    });
    // The items read their lines afresh, so the ones a load keeps stay valid.
    QObject::connect(document, &TDownloadDocument::Loaded, view,
                     [view] { Send(view, QAccessible::ObjectReorder, -1); });
    QObject::connect(document, &TDownloadDocument::Line_Changed, view, [view](int line) {
        Send(view, QAccessible::NameChanged, line);
        Send(view, QAccessible::DescriptionChanged, line);
    });
    QObject::connect(document, &TDownloadDocument::Saved, view,
                     [view] { Send_To_Each_Line(view, QAccessible::DescriptionChanged); });
}

void Descriptions_Changed(const TFileLineWidget *view, const QSet<int> &lines)
{
    for (const int line : lines)
        if (line < view->Get_Line_Count())
            Send(view, QAccessible::DescriptionChanged, line);
}

void Observe_Events(Event_Observer observer)
{
    event_observer = observer;
}

} // namespace FileLineAccessible
