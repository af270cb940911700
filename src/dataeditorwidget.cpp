#include "dataeditorwidget.h"

#include "valueformat.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSizePolicy>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <cassert>
#include <limits>

namespace {

QFrame *New_Line(QFrame::Shape shape, QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

// ---------------------------------------------------------------------------------------
// TDataItemWidget

TDataItemWidget::TDataItemWidget(int id, QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , d_id(id)
{
    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);

    // The creation order below is also the keyboard focus order of the three views:
    // integer, hexadecimal, millimetres.
    QFrame *bottom_line = New_Line(QFrame::HLine, this);
    d_int_label = new QLabel(QStringLiteral("Integer:"), this);
    d_int_edit = new QLineEdit(this);
    d_dec_label = new QLabel(QStringLiteral("Value (mm):"), this);
    QFrame *left_line = New_Line(QFrame::VLine, this);
    QFrame *top_line = New_Line(QFrame::HLine, this);
    d_help_label = new QLabel(QStringLiteral("Help Text"), this);
    d_hex_edit = new QLineEdit(this);
    d_item_label = new QLabel(QStringLiteral("Item"), this);
    d_dec_edit = new QLineEdit(this);
    d_hex_label = new QLabel(QStringLiteral("Hexadecimal:"), this);
    QFrame *right_line = New_Line(QFrame::VLine, this);

    d_item_label->setMinimumSize(50, 0);
    d_item_label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    for (QLabel *caption : {d_int_label, d_hex_label, d_dec_label})
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLineEdit *view : {d_int_edit, d_hex_edit, d_dec_edit})
        view->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    d_help_label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    d_help_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    d_help_label->setWordWrap(true);

    grid->addWidget(top_line, 0, 0, 1, 6);
    grid->addWidget(d_item_label, 1, 0, 3, 1);
    grid->addWidget(left_line, 1, 1, 3, 1);
    grid->addWidget(d_int_label, 1, 2, 1, 1);
    grid->addWidget(d_hex_label, 2, 2, 1, 1);
    grid->addWidget(d_dec_label, 3, 2, 1, 1);
    grid->addWidget(d_int_edit, 1, 3, 1, 1);
    grid->addWidget(d_hex_edit, 2, 3, 1, 1);
    grid->addWidget(d_dec_edit, 3, 3, 1, 1);
    grid->addWidget(right_line, 1, 4, 3, 1);
    grid->addWidget(d_help_label, 1, 5, 3, 1);
    grid->addWidget(bottom_line, 4, 0, 1, 6);

    // Only user edits report: setText never fires textEdited, so refreshing cannot loop.
    connect(d_int_edit, &QLineEdit::textEdited, this, &TDataItemWidget::Change_Int);
    connect(d_hex_edit, &QLineEdit::textEdited, this, &TDataItemWidget::Change_Hex);
    connect(d_dec_edit, &QLineEdit::textEdited, this, &TDataItemWidget::Change_Dec);
}

void TDataItemWidget::Set_Item_Width(int width)
{
    d_item_label->setFixedWidth(width);
}

void TDataItemWidget::Set_Label_Width(int width)
{
    d_int_label->setFixedWidth(width);
    d_hex_label->setFixedWidth(width);
    d_dec_label->setFixedWidth(width);
}

void TDataItemWidget::Set_Edit_Width(int width)
{
    d_int_edit->setFixedWidth(width);
    d_hex_edit->setFixedWidth(width);
    d_dec_edit->setFixedWidth(width);
}

void TDataItemWidget::Set_Letter(QChar letter)
{
    d_letter = letter;
    d_edited = false;
    d_item_label->setText(QString(letter));
}

QChar TDataItemWidget::Get_Letter() const
{
    return d_letter;
}

qint32 TDataItemWidget::Get_Value() const
{
    return ValueFormat::Read_Hex(d_hex_edit->text()).value.value_or(0);
}

bool TDataItemWidget::Is_Edited() const
{
    return d_edited;
}

void TDataItemWidget::Set_Help_Text(const QString &text)
{
    d_help_label->setText(text);
}

void TDataItemWidget::Set_Int(int value)
{
    d_int_edit->setText(ValueFormat::Int_Text(value));
}

void TDataItemWidget::Set_Hex(int value)
{
    d_hex_edit->setText(ValueFormat::Hex_Text(value));
}

void TDataItemWidget::Set_Dec(const double &value)
{
    d_dec_edit->setText(ValueFormat::Mm_Text(value));
}

void TDataItemWidget::Set_Scaled(bool scaled)
{
    d_dec_label->setEnabled(scaled);
    d_dec_edit->setEnabled(scaled);
    if (!scaled)
        d_dec_edit->clear();
}

bool TDataItemWidget::Is_Scaled() const
{
    return d_dec_edit->isEnabled();
}

QString TDataItemWidget::Get_Hex() const
{
    return ValueFormat::Clean_Hex(d_hex_edit->text());
}

void TDataItemWidget::Change_Int(const QString &text)
{
    d_edited = true;
    emit Int_Edited(d_id, text);
}

void TDataItemWidget::Change_Hex(const QString &text)
{
    d_edited = true;
    emit Hex_Edited(d_id, text);
}

void TDataItemWidget::Change_Dec(const QString &text)
{
    d_edited = true;
    emit Dec_Edited(d_id, text);
}

// ---------------------------------------------------------------------------------------
// TDataEditorWidget

TDataEditorWidget::TDataEditorWidget(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);

    d_items_widget = new QWidget(this);
    d_items_layout = new QVBoxLayout(d_items_widget);
    d_items_layout->setContentsMargins(0, 0, 0, 0);
    d_items_layout->setSpacing(0);
    // Keeps the panels packed at the top; always the last item of the layout.
    d_items_spacer = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding);
    d_items_layout->addItem(d_items_spacer);

    d_simple_editor = new QLineEdit(this);
    // Lines have no length limit; QLineEdit's default of 32767 would cut a longer line on
    // the first typed character.
    d_simple_editor->setMaxLength(std::numeric_limits<int>::max());

    grid->addWidget(d_simple_editor, 0, 0, 1, 2);
    grid->addWidget(d_items_widget, 1, 0, 1, 2);

    d_scale_resolution = 1000;

    connect(d_simple_editor, &QLineEdit::textEdited, this,
            &TDataEditorWidget::Simple_Editor_Changed);
    connect(d_simple_editor, &QLineEdit::returnPressed, this, &TDataEditorWidget::Commit_Requested);
}

// The panels and the spacer die with their parent widget and layout.
TDataEditorWidget::~TDataEditorWidget() = default;

void TDataEditorWidget::Reset_Editor(bool simple)
{
    d_changed = false;
    d_simple_mode = simple;
    for (TDataItemWidget *item : d_data_widget_items)
        item->hide();
    d_simple_editor->setEnabled(simple);
}

void TDataEditorWidget::Set_Simple_Text(const QString &text)
{
    d_simple_editor->setText(text);
}

QString TDataEditorWidget::Get_Simple_Text() const
{
    return d_simple_editor->text();
}

void TDataEditorWidget::Set_Item_Count(int count)
{
    assert(!(count < 0));

    // New panels go above the spacer, so it is taken out while they are appended.
    bool spacer_taken = false;
    if (static_cast<unsigned int>(count) >= d_data_widget_items.size()) {
        d_items_layout->removeItem(d_items_spacer);
        spacer_taken = true;
    }

    while (d_data_widget_items.size() < static_cast<unsigned int>(count)) {
        auto *item =
            new TDataItemWidget(static_cast<int>(d_data_widget_items.size()), d_items_widget);
        item->Set_Item_Width(20);
        item->Set_Label_Width(100);
        item->Set_Edit_Width(100);
        d_items_layout->addWidget(item, 0);
        connect(item, &TDataItemWidget::Int_Edited, this, &TDataEditorWidget::Int_Edited);
        connect(item, &TDataItemWidget::Hex_Edited, this, &TDataEditorWidget::Hex_Edited);
        connect(item, &TDataItemWidget::Dec_Edited, this, &TDataEditorWidget::Dec_Edited);
        for (QLineEdit *view : item->findChildren<QLineEdit *>())
            connect(view, &QLineEdit::returnPressed, this, &TDataEditorWidget::Commit_Requested);
        d_data_widget_items.push_back(item);
    }

    // Showing a panel inside a visible editor lays out the whole window there and then, once
    // per panel; with the container hidden meanwhile, all panels are laid out together once
    // it shows again. Nothing is painted in between, so nothing on screen differs.
    const bool batch = !d_items_widget->isHidden();
    if (batch)
        d_items_widget->hide();
    for (std::size_t i = 0; i < d_data_widget_items.size(); ++i)
        d_data_widget_items[i]->setVisible(i < static_cast<unsigned int>(count));
    if (batch)
        d_items_widget->show();

    if (spacer_taken)
        d_items_layout->addItem(d_items_spacer);
}

void TDataEditorWidget::Set_Item(int index, QChar letter, int value, const QString &help,
                                 bool present, bool scaled)
{
    assert(static_cast<unsigned int>(index) < d_data_widget_items.size());
    TDataItemWidget *item = d_data_widget_items[index];

    const double millimetres =
        scaled ? ValueFormat::To_Millimetres(value, d_scale_resolution) : 0.0;

    item->setEnabled(present);
    item->Set_Letter(letter);
    item->Set_Int(value);
    item->Set_Hex(value);
    item->Set_Dec(millimetres);
    item->Set_Help_Text(help);
    item->Set_Scaled(scaled);
}

QString TDataEditorWidget::Get_Item_Hex(int index) const
{
    assert(static_cast<unsigned int>(index) < d_data_widget_items.size());
    return d_data_widget_items[index]->Get_Hex();
}

void TDataEditorWidget::Set_Scale_Resolution(int counts_per_mm)
{
    d_scale_resolution = counts_per_mm;
}

bool TDataEditorWidget::Is_Simple_Mode() const
{
    return d_simple_mode;
}

bool TDataEditorWidget::Is_Changed() const
{
    return d_changed;
}

QVector<LineSyntax::FieldAssignment> TDataEditorWidget::Get_Edited_Fields() const
{
    QVector<LineSyntax::FieldAssignment> fields;
    for (const TDataItemWidget *item : d_data_widget_items)
        if (item->isVisible() && item->Is_Edited())
            fields.append({item->Get_Letter(), item->Get_Value()});
    return fields;
}

TDataEditorWidget::Focus_Place TDataEditorWidget::Get_Focus_Place() const
{
    Focus_Place place;
    const QWidget *focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus))
        return place;
    place.inside = true;
    for (std::size_t i = 0; i < d_data_widget_items.size(); ++i) {
        const QList<QLineEdit *> views = d_data_widget_items[i]->findChildren<QLineEdit *>();
        const int view =
            views.indexOf(const_cast<QLineEdit *>(qobject_cast<const QLineEdit *>(focus)));
        if (view >= 0) {
            place.item = static_cast<int>(i);
            place.view = view;
        }
    }
    return place;
}

void TDataEditorWidget::Restore_Focus(const Focus_Place &place)
{
    if (!place.inside)
        return;
    const auto usable = [](const QWidget *widget) {
        return widget->isVisibleTo(widget->window()) && widget->isEnabled();
    };
    if (place.item >= 0 && static_cast<std::size_t>(place.item) < d_data_widget_items.size()) {
        const QList<QLineEdit *> views =
            d_data_widget_items[place.item]->findChildren<QLineEdit *>();
        if (place.view < views.size() && usable(views.at(place.view))) {
            views.at(place.view)->setFocus();
            return;
        }
    }
    for (TDataItemWidget *item : d_data_widget_items) {
        const QList<QLineEdit *> views = item->findChildren<QLineEdit *>();
        if (!views.isEmpty() && usable(views.first())) {
            views.first()->setFocus();
            return;
        }
    }
    d_simple_editor->setFocus();
}

void TDataEditorWidget::Simple_Editor_Changed()
{
    d_changed = true;
}

// The edited view keeps its text as typed; only the other two are refreshed.

void TDataEditorWidget::Int_Edited(int id, const QString &text)
{
    assert(static_cast<unsigned int>(id) < d_data_widget_items.size());
    TDataItemWidget *item = d_data_widget_items[id];

    const qint32 value = ValueFormat::Parse_Int(text);
    if (item->Is_Scaled())
        item->Set_Dec(ValueFormat::To_Millimetres(value, d_scale_resolution));
    item->Set_Hex(value);
    d_changed = true;
}

void TDataEditorWidget::Hex_Edited(int id, const QString &text)
{
    assert(static_cast<unsigned int>(id) < d_data_widget_items.size());
    TDataItemWidget *item = d_data_widget_items[id];

    // A half-typed or invalid hexadecimal text is ignored until it parses.
    const std::optional<qint32> value = ValueFormat::Parse_Hex(text);
    if (!value)
        return;
    if (item->Is_Scaled())
        item->Set_Dec(ValueFormat::To_Millimetres(*value, d_scale_resolution));
    item->Set_Int(*value);
    d_changed = true;
}

void TDataEditorWidget::Dec_Edited(int id, const QString &text)
{
    assert(static_cast<unsigned int>(id) < d_data_widget_items.size());
    TDataItemWidget *item = d_data_widget_items[id];

    // Without a resolution there is no millimetre value, so the edit cannot change the field.
    const std::optional<qint32> value = ValueFormat::Parse_Mm(text, d_scale_resolution);
    if (!value)
        return;
    item->Set_Int(*value);
    item->Set_Hex(*value);
    d_changed = true;
}
