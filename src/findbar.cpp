#include "findbar.h"

#include "dataeditorwidget.h"
#include "downloaddocument.h"
#include "filelinewidget.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QSet>

TFindBar::TFindBar(QWidget *window, TFileLineWidget *line_view, TDataEditorWidget *data_editor,
                   const TParameterTable &table)
    : QWidget(window)
    , d_line_view(line_view)
    , d_document(line_view->Get_Document())
    , d_data_editor(data_editor)
    , d_table(table)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    d_field = new QLineEdit(this);
    d_field->setClearButtonEnabled(true);
    d_field->setPlaceholderText(
        tr("Find (%1)").arg(QKeySequence(QKeySequence::Find).toString(QKeySequence::NativeText)));
    d_field->setToolTip(tr("Parameter (S1B), field (S3.U), words of the help texts, a value "
                           "in decimal or hexadecimal, or any text of a line"));
    d_field->setAccessibleName(tr("Find"));
    // The field's clear button speaks the text of its action to assistive technology.
    if (auto *clear = d_field->findChild<QAction *>())
        clear->setText(tr("Clear the search"));
    d_field->installEventFilter(this);
    d_count_label = new QLabel(this);
    // At a large font the count and the wrap notice take two lines rather than widen the list.
    d_count_label->setWordWrap(true);
    layout->addWidget(d_field, 1);
    layout->addWidget(d_count_label);
    Create_Actions(window);

    connect(d_field, &QLineEdit::textChanged, this, &TFindBar::Search);
    connect(d_document, &TDownloadDocument::Loaded, this, &TFindBar::Search);
    connect(d_document, &TDownloadDocument::Line_Changed, this, &TFindBar::Search);
    connect(d_line_view, &TFileLineWidget::Line_Activated, this, [this] {
        d_wrapped = 0;
        Show_Count();
    });
}

void TFindBar::Create_Actions(QWidget *window)
{
    const struct
    {
        QKeySequence::StandardKey key;
        void (TFindBar::*slot)();
    } actions[] = {{QKeySequence::Find, &TFindBar::Start_Search},
                   {QKeySequence::FindNext, &TFindBar::Find_Next},
                   {QKeySequence::FindPrevious, &TFindBar::Find_Previous}};
    for (const auto &entry : actions) {
        auto *action = new QAction(this);
        action->setShortcuts(entry.key);
        connect(action, &QAction::triggered, this, entry.slot);
        // Not on the toolbar: the window carries it, so its keys work wherever the focus is.
        window->addAction(action);
    }
}

void TFindBar::Follow_In_Tab_Order(QWidget *previous)
{
    QWidget::setTabOrder(previous, d_field);
}

bool TFindBar::Has_Focus() const
{
    return d_field->hasFocus();
}

bool TFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != d_field || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    // Taken here, none of these reaches the dialog, where Escape would close the window.
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Step(!(key->modifiers() & Qt::ShiftModifier));
        return true;
    case Qt::Key_Escape:
    case Qt::Key_Down:
        Leave_Field();
        return true;
    case Qt::Key_Up:
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void TFindBar::Start_Search()
{
    d_field->setFocus(Qt::ShortcutFocusReason);
    d_field->selectAll();
}

void TFindBar::Find_Next()
{
    Step(true);
}

void TFindBar::Find_Previous()
{
    Step(false);
}

void TFindBar::Search()
{
    d_result = LineFinder::Find(d_field->text(), d_document->Get_Lines(), d_table);
    QSet<int> lines;
    for (const LineFinder::Hit &hit : d_result.hits)
        lines.insert(hit.line);
    d_line_view->Set_Found_Lines(lines);
    Show_Count();
}

void TFindBar::Step(bool forward)
{
    // F3 with nothing to find asks for a query.
    if (d_field->text().trimmed().isEmpty()) {
        Start_Search();
        return;
    }
    const LineFinder::Step step =
        LineFinder::Next(d_result, d_line_view->Get_Active_Line(), forward);
    if (step.index < 0)
        return;
    // A copy: the commit of the line left searches afresh.
    const LineFinder::Hit hit = d_result.hits.at(step.index);
    d_line_view->Select_Line(hit.line);
    // A named field is where the value is typed next.
    if (d_result.names_field)
        d_data_editor->Restore_Focus({true, hit.field, TDataItemWidget::Int_View});
    d_wrapped = step.wrapped ? (forward ? 1 : -1) : 0;
    Show_Count();
}

void TFindBar::Leave_Field()
{
    const int index = d_result.Index_Of_Line(d_line_view->Get_Active_Line());
    const int field = index >= 0 ? d_result.hits.at(index).field : -1;
    d_data_editor->Restore_Focus({true, field, TDataItemWidget::Int_View});
}

void TFindBar::Show_Count()
{
    const int count = d_result.Count();
    const int position = d_result.Index_Of_Line(d_line_view->Get_Active_Line());
    QString text;
    if (d_field->text().trimmed().isEmpty())
        text.clear();
    else if (count == 0)
        text = tr("No matches");
    else if (position < 0)
        text = tr("%n found", nullptr, count);
    else if (d_wrapped > 0)
        text = tr("%1 of %2, from the top").arg(position + 1).arg(count);
    else if (d_wrapped < 0)
        text = tr("%1 of %2, from the bottom").arg(position + 1).arg(count);
    else
        text = tr("%1 of %2").arg(position + 1).arg(count);
    d_count_label->setText(text);
}
