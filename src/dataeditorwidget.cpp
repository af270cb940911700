#include "dataeditorwidget.h"

#include "cachedpainting.h"
#include "colourcontrast.h"
#include "panelroom.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QSizePolicy>
#include <QSpacerItem>
#include <QStaticText>
#include <QStyle>
#include <QStyleOption>
#include <QTextOption>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <cassert>
#include <climits>
#include <limits>
#include <tuple>

namespace {

// A line edit that leaves its text unselected when the focus arrives, by Tab too: one typed
// key then cannot replace a value or a whole line unseen.
class TUnselectedLineEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        // A dialog being shown sends its focus widget a focus-in of its own while the window
        // is not yet active. Taken, it shows the cursor, and no focus-out ever hides it again:
        // the editor would go on showing a cursor, disabled and without the focus.
        if (!hasFocus())
            return;
        QLineEdit::focusInEvent(event);
        deselect();
    }

    // A view without the focus shows its frame and its text, nothing that moves; its text is
    // then copied from a picture where the line edit draws it, as the help texts are. Anything
    // else, and everything while the pictures are off, the line edit draws itself.
    void paintEvent(QPaintEvent *event) override
    {
        if (!Paint_From_Picture())
            QLineEdit::paintEvent(event);
    }

    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
            d_laid_out.clear();
            d_pictures.clear();
        }
        QLineEdit::changeEvent(event);
    }

private:
    bool Paint_From_Picture()
    {
        const QString shown = text();
        if (hasFocus() || hasSelectedText() || !inputMask().isEmpty() || shown.isEmpty() ||
            !styleSheet().isEmpty() || !qApp->styleSheet().isEmpty() ||
            layoutDirection() != Qt::LeftToRight || echoMode() != QLineEdit::Normal ||
            std::any_of(shown.cbegin(), shown.cend(),
                        [](QChar c) { return c.unicode() < 0x20 || c.unicode() > 0x7E; }))
            return false;
        QPainter painter(this);
        const QColor base = palette().base().color();
        if (!CachedPainting::Text_Picture_Device(painter) ||
            palette().base().style() != Qt::SolidPattern || !base.isValid() || base.alpha() != 255)
            return false;
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        const QRect area = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
        // Laid out in the font that the line edit lays its text out in: its own, for no device.
        const QStaticText &laid_out = Laid_Out(shown, font());
        const QPoint top_left = Text_Position(area, laid_out.size().width());
        if (top_left.x() == INT_MIN)
            return false;
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        painter.setClipRect(area);
        painter.setPen(palette().text().color());
        // The glyphs, with a little room for those that reach beyond their advance, but within
        // their line: the frame's shading reaches into the area that the text is clipped to.
        const QRect line(area.x(), top_left.y(), area.width(), fontMetrics().height());
        const QRect glyphs =
            QRectF(top_left, laid_out.size()).adjusted(-2, -2, 2, 2).toAlignedRect() & line;
        const QPair<QString, quint64> key(shown, (quint64(painter.pen().color().rgba()) << 32) |
                                                     base.rgba());
        auto found = d_pictures.constFind(key);
        if (found == d_pictures.constEnd()) {
            if (d_pictures.size() > DownloadFile::Max_Lines)
                d_pictures.clear();
            found = d_pictures.insert(key, CachedPainting::Text_Picture(painter, laid_out,
                                                                        top_left - glyphs.topLeft(),
                                                                        glyphs.size(), base));
        }
        painter.drawImage(glyphs.topLeft(), *found);
        return true;
    }

    // Where the line edit draws a text that it shows whole (INT_MIN when it does not): in its
    // line, aligned as it aligns it.
    QPoint Text_Position(const QRect &area, qreal text_width) const
    {
        constexpr int Vertical_Margin = 1; // the line edit's own
        constexpr int Horizontal_Margin = 2;
        const QFontMetrics metrics = fontMetrics();
        const Qt::Alignment aligned = QStyle::visualAlignment(Qt::LeftToRight, alignment());
        int top = area.y() + (area.height() - metrics.height() + 1) / 2;
        if (aligned & Qt::AlignTop)
            top = area.y() + Vertical_Margin;
        else if (aligned & Qt::AlignBottom)
            top = area.y() + area.height() - metrics.height() - Vertical_Margin;
        const int line_width = area.width() - 2 * Horizontal_Margin;
        const int used = qRound(text_width) + 1;
        if (used > line_width)
            return QPoint(INT_MIN, 0);
        int scroll = 0;
        if (aligned & Qt::AlignRight)
            scroll = used - line_width + 1;
        else if (aligned & Qt::AlignHCenter)
            scroll = (used - line_width) / 2;
        return QPoint(area.x() + Horizontal_Margin - scroll, top);
    }

    const QStaticText &Laid_Out(const QString &shown, const QFont &font)
    {
        auto found = d_laid_out.constFind(shown);
        if (found != d_laid_out.constEnd())
            return *found;
        if (d_laid_out.size() > DownloadFile::Max_Lines)
            d_laid_out.clear();
        QStaticText laid_out(shown);
        laid_out.setTextFormat(Qt::PlainText);
        const qreal ratio = devicePixelRatioF();
        laid_out.prepare(QTransform::fromScale(ratio, ratio), font);
        return *d_laid_out.insert(shown, laid_out);
    }

    QHash<QString, QStaticText> d_laid_out;
    // A picture for each text, text colour and background colour.
    QHash<QPair<QString, quint64>, QImage> d_pictures;
};

// The help text wraps, so the window's layout asks for its size for every shown line, and
// each answer lays the text out anew. A panel shows few texts, so the answers are kept for
// each text; a new font or style makes them stale.
class THelpLabel : public QLabel
{
public:
    using QLabel::QLabel;

    // The help text gives way first: it asks for no more width than it needs at the least,
    // and takes what the window has to spare, as it expands. A longer text would otherwise
    // take width from the line list, which would change its width from line to line.
    QSize sizeHint() const override
    {
        auto found = d_size_hints.constFind(text());
        if (found == d_size_hints.constEnd())
            found = d_size_hints.insert(
                text(), QSize(minimumSizeHint().width(), QLabel::sizeHint().height()));
        return *found;
    }

    QSize minimumSizeHint() const override
    {
        auto found = d_minimum_size_hints.constFind(text());
        if (found == d_minimum_size_hints.constEnd())
            found = d_minimum_size_hints.insert(text(), QLabel::minimumSizeHint());
        return *found;
    }

    int heightForWidth(int width) const override
    {
        const QPair<QString, int> key(text(), width);
        auto found = d_heights.constFind(key);
        if (found == d_heights.constEnd())
            found = d_heights.insert(key, QLabel::heightForWidth(width));
        return *found;
    }

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
            d_size_hints.clear();
            d_minimum_size_hints.clear();
            d_heights.clear();
            d_laid_out.clear();
            d_pictures.clear();
        }
        QLabel::changeEvent(event);
    }

    // The label lays its text out afresh for every paint, which cost as much as drawing it.
    // Laid out once for each text and width, it is drawn where and as the label draws an
    // enabled plain text in the left top corner; anything else, and everything while the
    // pictures are off (so that a test can hold the two against each other), the label draws.
    void paintEvent(QPaintEvent *event) override
    {
        const QString &shown = text();
        if (!CachedPainting::Is_Enabled() || !isEnabled() || contentsRect() != rect() ||
            alignment() != (Qt::AlignLeft | Qt::AlignTop) || !wordWrap() || margin() != 0 ||
            indent() > 0 || layoutDirection() != Qt::LeftToRight || shown.isRightToLeft() ||
            std::any_of(shown.cbegin(), shown.cend(), [](QChar c) { return c.unicode() < 0x20; })) {
            QLabel::paintEvent(event);
            return;
        }
        QStyleOption option;
        option.initFrom(this);
        QPainter painter(this);
        painter.setPen(QPen(option.palette.brush(foregroundRole()), painter.pen().widthF()));
        const QStaticText &laid_out = Laid_Out(shown, painter.font());
        if (!Paint_Picture(painter, laid_out))
            painter.drawStaticText(0, 0, laid_out);
    }

private:
    // The laid out text is copied from a picture of it over the window's plain colour, which
    // shows through the label: exact while no other widget shares the label's place.
    bool Paint_Picture(QPainter &painter, const QStaticText &laid_out)
    {
        const QBrush background = window()->palette().brush(QPalette::Window);
        if (background.style() != Qt::SolidPattern || !background.isOpaque() ||
            !CachedPainting::Text_Picture_Device(painter))
            return false;
        // The glyphs, with a little room for those that reach beyond their advance.
        const QRect area =
            QRectF(QPointF(), laid_out.size()).adjusted(-2, -2, 2, 2).toAlignedRect() & rect();
        const Picture_Key key(QPair<QString, int>(laid_out.text(), width()),
                              (quint64(painter.pen().color().rgba()) << 32) |
                                  background.color().rgba());
        auto found = d_pictures.constFind(key);
        if (found == d_pictures.constEnd()) {
            if (d_pictures.size() > 64)
                d_pictures.clear();
            found = d_pictures.insert(
                key, CachedPainting::Text_Picture(painter, laid_out, -area.topLeft(), area.size(),
                                                  background.color()));
        }
        painter.drawImage(area.topLeft(), *found);
        return true;
    }

    const QStaticText &Laid_Out(const QString &shown, const QFont &font)
    {
        const QPair<QString, int> key(shown, width());
        auto found = d_laid_out.constFind(key);
        if (found != d_laid_out.constEnd())
            return *found;
        if (d_laid_out.size() > 256)
            d_laid_out.clear();
        QStaticText laid_out(shown);
        laid_out.setTextFormat(Qt::PlainText);
        laid_out.setTextWidth(width());
        QTextOption option;
        option.setTextDirection(Qt::LeftToRight);
        laid_out.setTextOption(option);
        const qreal ratio = devicePixelRatioF();
        laid_out.prepare(QTransform::fromScale(ratio, ratio), font);
        return *d_laid_out.insert(key, laid_out);
    }

    mutable QHash<QString, QSize> d_size_hints;
    mutable QHash<QString, QSize> d_minimum_size_hints;
    mutable QHash<QPair<QString, int>, int> d_heights;
    QHash<QPair<QString, int>, QStaticText> d_laid_out;
    // A picture for each text, width, text colour and background colour.
    using Picture_Key = QPair<QPair<QString, int>, quint64>;
    QHash<Picture_Key, QImage> d_pictures;
};

// The simple editor holds one line of a Latin-1 file: a character outside Latin-1 could not
// be saved, and a line break or NUL would split or cut the line in the file.
class TLatin1LineValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        for (const QChar c : qAsConst(input)) {
            if (c.unicode() > 0xFF || c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
                c.isNull())
                return Invalid;
        }
        return Acceptable;
    }
};

// What a reference label says of a value.
QString Reference_Text(const QString &value)
{
    return TDataItemWidget::tr("Reference: %1").arg(value);
}

// Beside a view: what a reference file holds for the field, hidden until there is one.
QLabel *New_Reference_Label(QWidget *parent)
{
    auto *reference = new QLabel(parent);
    reference->setToolTip(TDataItemWidget::tr("Value in the reference file"));
    // As wide as the widest value, so the help texts of all panels line up.
    QFont bold = reference->font();
    bold.setBold(true);
    reference->setMinimumWidth(
        QFontMetrics(bold).horizontalAdvance(Reference_Text(QStringLiteral("-2147483648"))));
    reference->hide();
    return reference;
}

// A sunken line between panels and within one.
QFrame *New_Line(QFrame::Shape shape, QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    if (QStyle *style = CachedPainting::Frame_Style())
        line->setStyle(style);
    return line;
}

// Wide enough for the longest text a view can show, sign included: the lowest value in
// millimetres at one count per millimetre, "-2147483648.0000".
int View_Width(const QLineEdit *edit)
{
    const QString longest =
        ValueFormat::Mm_Text(ValueFormat::To_Millimetres(std::numeric_limits<qint32>::min(), 1));
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    // A line edit keeps two pixels beside its text; two more leave room for the cursor.
    const int inner = 2 * 2 + 2;
    return std::max(100, edit->fontMetrics().horizontalAdvance(longest) + 2 * frame + inner);
}

// Setting the text that a view already shows, with nothing to undo, lays it out and repaints
// it for nothing; the view only ends up unselected, with the cursor at the end, as setText
// leaves it.
void Show_Text(QLineEdit *view, const QString &text)
{
    if (text != view->text() || view->isUndoAvailable() || view->isRedoAvailable()) {
        view->setText(text);
        return;
    }
    view->deselect();
    view->setCursorPosition(text.size());
}

// Whether the panel shows its field in millimetres, whether or not the field is present.
bool Is_Length(const TDataItemWidget *item)
{
    return item->Get_View(TDataItemWidget::Dec_View)->isEnabledTo(item);
}

constexpr TDataItemWidget::View All_Views[] = {TDataItemWidget::Int_View, TDataItemWidget::Hex_View,
                                               TDataItemWidget::Dec_View};

} // namespace

// A panel's help text changes with nearly every shown line, and each new text asks the panel's
// layout, and every layout above it up to the window's, to lay out again, though the sizes
// seldom change. A change made through Without_Layout does not ask; the panel asks itself
// when the sizes did change.
class TPanelLayout : public QGridLayout
{
public:
    using QGridLayout::QGridLayout;

    template <typename Change> void Without_Layout(Change change)
    {
        d_keep = true;
        change();
        d_keep = false;
    }

    void invalidate() override
    {
        if (!d_keep)
            QGridLayout::invalidate();
    }

private:
    bool d_keep = false;
};

// ---------------------------------------------------------------------------------------
// TDataItemWidget

TDataItemWidget::TDataItemWidget(int id, QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , d_id(id)
{
    auto *grid = new TPanelLayout(this);
    d_layout = grid;
    grid->setVerticalSpacing(2);
    // The sunken lines already part the panels; small margins keep five of them in the window.
    const QMargins margins = grid->contentsMargins();
    grid->setContentsMargins(margins.left(), 2, margins.right(), 2);

    // The creation order below is also the keyboard focus order of the three views:
    // integer, hexadecimal, millimetres.
    QFrame *bottom_line = New_Line(QFrame::HLine, this);
    d_int_label = new TPictureLabel(tr("Integer:"), this);
    d_int_edit = new TUnselectedLineEdit(this);
    d_dec_label = new TPictureLabel(tr("Value (mm):"), this);
    QFrame *left_line = New_Line(QFrame::VLine, this);
    QFrame *top_line = New_Line(QFrame::HLine, this);
    d_help_label = new THelpLabel(tr("Help Text"), this);
    d_hex_edit = new TUnselectedLineEdit(this);
    d_item_label = new TPictureLabel(tr("Item"), this);
    d_dec_edit = new TUnselectedLineEdit(this);
    d_hex_label = new TPictureLabel(tr("Hexadecimal:"), this);
    QFrame *right_line = New_Line(QFrame::VLine, this);
    for (int row = 0; row < 3; ++row)
        d_reference_labels.append(New_Reference_Label(this));

    d_item_label->setMinimumSize(50, 0);
    d_item_label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    for (QLabel *caption : {d_int_label, d_hex_label, d_dec_label})
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLineEdit *view : {d_int_edit, d_hex_edit, d_dec_edit}) {
        view->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        if (QStyle *style = CachedPainting::Frame_Style())
            view->setStyle(style);
    }
    d_help_label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    d_help_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    d_help_label->setWordWrap(true);

    grid->addWidget(top_line, 0, 0, 1, 7);
    grid->addWidget(d_item_label, 1, 0, 3, 1, Qt::AlignVCenter);
    grid->addWidget(left_line, 1, 1, 3, 1);
    grid->addWidget(d_int_label, 1, 2, 1, 1);
    grid->addWidget(d_hex_label, 2, 2, 1, 1);
    grid->addWidget(d_dec_label, 3, 2, 1, 1);
    grid->addWidget(d_int_edit, 1, 3, 1, 1);
    grid->addWidget(d_hex_edit, 2, 3, 1, 1);
    grid->addWidget(d_dec_edit, 3, 3, 1, 1);
    for (int row = 0; row < 3; ++row)
        grid->addWidget(d_reference_labels.at(row), row + 1, 4, 1, 1);
    grid->addWidget(right_line, 1, 5, 3, 1);
    grid->addWidget(d_help_label, 1, 6, 3, 1);
    grid->addWidget(bottom_line, 4, 0, 1, 7);

    // Only user edits report: setText never fires textEdited, so refreshing cannot loop.
    connect(d_int_edit, &QLineEdit::textEdited, this, &TDataItemWidget::Change_Int);
    connect(d_hex_edit, &QLineEdit::textEdited, this, &TDataItemWidget::Change_Hex);
    connect(d_dec_edit, &QLineEdit::textEdited, this, &TDataItemWidget::Change_Dec);
}

void TDataItemWidget::Set_Item_Width(int width)
{
    // One line high, centred in its rows by the layout: a label of a fixed size does not ask
    // the panel to lay out again for each new letter.
    d_item_label->setFixedSize(width, d_item_label->fontMetrics().height());
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

int TDataItemWidget::Get_Item_Width_Needed() const
{
    // Any field letter: the widest capital.
    const QFontMetrics metrics(d_item_label->font());
    int widest = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(letter)));
    return widest;
}

int TDataItemWidget::Get_Label_Width_Needed() const
{
    int widest = 0;
    for (const QLabel *caption : {d_int_label, d_hex_label, d_dec_label})
        widest = std::max({widest, caption->sizeHint().width(),
                           caption->fontMetrics().horizontalAdvance(caption->text())});
    return widest;
}

void TDataItemWidget::Set_Letter(QChar letter)
{
    // Naming a view tells assistive technology of it: only a new letter is news.
    if (letter != d_letter) {
        d_int_edit->setAccessibleName(tr("%1 integer").arg(letter));
        d_hex_edit->setAccessibleName(tr("%1 hexadecimal").arg(letter));
        d_dec_edit->setAccessibleName(tr("%1 millimetres").arg(letter));
    }
    d_letter = letter;
    d_item_label->setText(QString(letter));
}

QChar TDataItemWidget::Get_Letter() const
{
    return d_letter;
}

void TDataItemWidget::Set_Value(qint32 value, bool edited)
{
    d_value = value;
    d_edited = edited;
}

qint32 TDataItemWidget::Get_Value() const
{
    return d_value;
}

bool TDataItemWidget::Is_Edited() const
{
    return d_edited;
}

void TDataItemWidget::Set_View_Error(View view, const QString &error)
{
    QLineEdit *edit = Get_View(view);
    // A valid view has the inherited colours and no tooltip already; setting them again
    // costs a palette change for every view of every shown line.
    if (error.isEmpty() && d_view_valid[view])
        return;
    d_view_valid[view] = error.isEmpty();
    edit->setToolTip(error);
    Describe_View(view);
    if (error.isEmpty()) {
        edit->setPalette(QPalette()); // back to the inherited colours
        return;
    }
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, ColourContrast::Invalid_Base(palette));
    edit->setPalette(palette);
}

bool TDataItemWidget::Is_View_Valid(View view) const
{
    return d_view_valid[view];
}

QLineEdit *TDataItemWidget::Get_View(View view) const
{
    switch (view) {
    case Int_View:
        return d_int_edit;
    case Hex_View:
        return d_hex_edit;
    case Dec_View:
    case View_Count:
        break;
    }
    return d_dec_edit;
}

void TDataItemWidget::Set_Reference(const QStringList &texts, bool differs,
                                    const QStringList &tool_tips)
{
    for (int row = 0; row < d_reference_labels.size(); ++row) {
        QLabel *label = d_reference_labels.at(row);
        const QString text = texts.value(row);
        QFont font = label->font();
        font.setBold(differs);
        label->setFont(font);
        label->setText(text.isEmpty() ? QString() : Reference_Text(text));
        if (!text.isEmpty()) {
            const QString tool_tip = tool_tips.value(row).isEmpty()
                                         ? tr("Value in the reference file")
                                         : tool_tips.value(row);
            if (label->toolTip() != tool_tip)
                label->setToolTip(tool_tip);
        }
        label->setVisible(!text.isEmpty());
    }
}

void TDataItemWidget::Set_Help_Text(const QString &text)
{
    // What the layout takes from the label, for the width it has: the hints are kept per text.
    const auto sizes = [this] {
        return std::make_tuple(d_help_label->sizeHint(), d_help_label->minimumSizeHint(),
                               d_help_label->heightForWidth(d_help_label->width()));
    };
    const auto before = sizes();
    d_layout->Without_Layout([&] { d_help_label->setText(text); });
    if (sizes() != before)
        d_help_label->updateGeometry();
    for (const View view : {Int_View, Hex_View, Dec_View})
        Describe_View(view);
}

void TDataItemWidget::Describe_View(View view)
{
    // The help text, after why the text is no value when it is not; set only when it changes,
    // as each setting is news to assistive technology.
    QLineEdit *edit = Get_View(view);
    const QString help = d_help_label->text();
    const QString description =
        edit->toolTip().isEmpty() ? help : edit->toolTip() + QLatin1Char('\n') + help;
    if (edit->accessibleDescription() != description)
        edit->setAccessibleDescription(description);
}

void TDataItemWidget::Set_Int(int value)
{
    Show_Text(d_int_edit, ValueFormat::Int_Text(value));
}

void TDataItemWidget::Set_Hex(int value)
{
    Show_Text(d_hex_edit, ValueFormat::Hex_Text(value));
}

void TDataItemWidget::Set_Dec(const double &value)
{
    Show_Text(d_dec_edit, ValueFormat::Mm_Text(value));
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

void TDataItemWidget::Change_Int(const QString &text)
{
    emit Int_Edited(d_id, text);
}

void TDataItemWidget::Change_Hex(const QString &text)
{
    emit Hex_Edited(d_id, text);
}

void TDataItemWidget::Change_Dec(const QString &text)
{
    emit Dec_Edited(d_id, text);
}

// ---------------------------------------------------------------------------------------
// TDataEditorWidget

TDataEditorWidget::TDataEditorWidget(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);

    auto *items_room = new TPanelRoom(this);
    d_items_widget = items_room->Get_Column();
    d_items_layout = new QVBoxLayout(d_items_widget);
    d_items_layout->setContentsMargins(0, 0, 0, 0);
    d_items_layout->setSpacing(0);
    // Keeps the panels packed at the top; always the last item of the layout.
    d_items_spacer = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding);
    d_items_layout->addItem(d_items_spacer);

    d_simple_editor = new TUnselectedLineEdit(this);
    d_simple_editor->setAccessibleName(tr("Line text"));
    if (QStyle *style = CachedPainting::Frame_Style())
        d_simple_editor->setStyle(style);
    // Lines have no length limit; QLineEdit's default of 32767 would cut a longer line on
    // the first typed character.
    d_simple_editor->setMaxLength(std::numeric_limits<int>::max());
    d_simple_editor->setValidator(new TLatin1LineValidator(d_simple_editor));

    grid->addWidget(d_simple_editor, 0, 0, 1, 2);
    grid->addWidget(items_room, 1, 0, 1, 2);

    connect(d_simple_editor, &QLineEdit::textEdited, this,
            &TDataEditorWidget::Simple_Editor_Changed);
    connect(d_simple_editor, &QLineEdit::returnPressed, this, &TDataEditorWidget::Commit_Requested);
}

// The panels and the spacer die with their parent widget and layout. Hiding a top-level
// editor on deletion ends an edit in a view, after this object's own part is gone.
TDataEditorWidget::~TDataEditorWidget()
{
    for (TDataItemWidget *item : d_data_widget_items)
        for (const TDataItemWidget::View view : All_Views)
            item->Get_View(view)->disconnect(this);
}

void TDataEditorWidget::Reset_Editor(bool simple)
{
    d_changed = false;
    d_simple_mode = simple;
    for (TDataItemWidget *item : d_data_widget_items)
        item->hide();
    d_simple_editor->setEnabled(simple);
}

void TDataEditorWidget::Reset_Editor(bool simple, int item_count)
{
    d_changed = false;
    d_simple_mode = simple;
    // Hiding a panel and showing it again lays out and repaints the whole editor for
    // nothing; panels beyond item_count are hidden as Reset_Editor would hide them.
    Set_Item_Count(item_count);
    d_simple_editor->setEnabled(simple);
}

void TDataEditorWidget::Set_Simple_Text(const QString &text)
{
    // Setting the text it already shows, with nothing to undo, would only move the cursor to
    // the end and back and repaint the whole editor for it.
    if (text != d_simple_editor->text() || d_simple_editor->isUndoAvailable() ||
        d_simple_editor->isRedoAvailable())
        d_simple_editor->setText(text);
    d_simple_editor->deselect();
    // A long line shows its start, with the S token, rather than its tail.
    d_simple_editor->setCursorPosition(0);
}

QString TDataEditorWidget::Get_Simple_Text() const
{
    return d_simple_editor->text();
}

TDataItemWidget *TDataEditorWidget::New_Item()
{
    const int id = static_cast<int>(d_data_widget_items.size());
    auto *item = new TDataItemWidget(id, d_items_widget);
    // The specified widths are the floor: a larger font widens the letter and the captions to
    // what their texts need, as the views are widened for the longest value.
    item->Set_Item_Width(std::max(20, item->Get_Item_Width_Needed()));
    item->Set_Label_Width(std::max(100, item->Get_Label_Width_Needed()));
    item->Set_Edit_Width(View_Width(item->Get_View(TDataItemWidget::Int_View)));
    d_items_layout->addWidget(item, 0);
    connect(item, &TDataItemWidget::Int_Edited, this, &TDataEditorWidget::Int_Edited);
    connect(item, &TDataItemWidget::Hex_Edited, this, &TDataEditorWidget::Hex_Edited);
    connect(item, &TDataItemWidget::Dec_Edited, this, &TDataEditorWidget::Dec_Edited);

    // A panel made later would come last in the window's focus chain; Tab runs from the
    // simple editor through the panels' views in order instead.
    QWidget *previous = d_data_widget_items.empty()
                            ? static_cast<QWidget *>(d_simple_editor)
                            : d_data_widget_items.back()->Get_View(TDataItemWidget::Dec_View);
    for (const TDataItemWidget::View view : All_Views) {
        QLineEdit *edit = item->Get_View(view);
        QWidget::setTabOrder(previous, edit);
        previous = edit;
        connect(edit, &QLineEdit::returnPressed, this, &TDataEditorWidget::Commit_Requested);
        connect(edit, &QLineEdit::editingFinished, this,
                [this, item, view] { View_Finished(item, view); });
    }
    d_data_widget_items.push_back(item);
    return item;
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

    while (d_data_widget_items.size() < static_cast<unsigned int>(count))
        New_Item();

    // Showing a panel inside a visible editor lays out its column there and then, once per
    // panel. With the panels' layout switched off meanwhile, the panels are laid out once and
    // before anything is painted; the window follows only when they need more room.
    d_items_layout->setEnabled(false);
    for (std::size_t i = 0; i < d_data_widget_items.size(); ++i)
        d_data_widget_items[i]->setVisible(i < static_cast<unsigned int>(count));
    d_items_layout->setEnabled(true);
    if (spacer_taken)
        d_items_layout->addItem(d_items_spacer);
    d_items_layout->activate();
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
    item->Set_Value(value, false);
    for (const TDataItemWidget::View view : All_Views)
        item->Set_View_Error(view, QString());
    item->Set_Int(value);
    item->Set_Hex(value);
    // An unscaled field's view stays empty: a text set and cleared again repaints it anyway.
    item->Set_Scaled(scaled);
    if (scaled)
        item->Set_Dec(millimetres);
    item->Set_Help_Text(help);
}

void TDataEditorWidget::Set_Scale_Resolution(int counts_per_mm)
{
    d_scale_resolution = counts_per_mm;
    // The millimetre views follow at once; without a resolution they show nothing.
    for (TDataItemWidget *item : d_data_widget_items)
        Show_View(item, TDataItemWidget::Dec_View);
}

QSize TDataEditorWidget::minimumSizeHint() const
{
    // The panels' columns have fixed widths: squeezed below them, they would overlap.
    return QWidget::minimumSizeHint().expandedTo(QSize(400, 0));
}

bool TDataEditorWidget::Is_Simple_Mode() const
{
    return d_simple_mode;
}

bool TDataEditorWidget::Is_Changed() const
{
    return d_changed;
}

int TDataEditorWidget::Get_Scale_Resolution() const
{
    return d_scale_resolution;
}

void TDataEditorWidget::Set_Item_Reference(int index, std::optional<qint32> value, bool differs,
                                           int counts_per_mm, const QString &millimetres_note)
{
    assert(static_cast<unsigned int>(index) < d_data_widget_items.size());
    TDataItemWidget *item = d_data_widget_items[index];
    if (!value) {
        item->Set_Reference({tr("none")}, differs);
        return;
    }
    // Not this file's resolution: the reference's scale line may say another.
    const QString millimetres =
        item->Is_Scaled() ? ValueFormat::Mm_Text(ValueFormat::To_Millimetres(*value, counts_per_mm))
                          : QString();
    item->Set_Reference({ValueFormat::Int_Text(*value), ValueFormat::Hex_Text(*value), millimetres},
                        differs, {QString(), QString(), millimetres_note});
}

void TDataEditorWidget::Set_Item_Reference_Note(int index, const QString &note,
                                                const QString &tool_tip)
{
    assert(static_cast<unsigned int>(index) < d_data_widget_items.size());
    d_data_widget_items[index]->Set_Reference({note}, true, {tool_tip});
}

void TDataEditorWidget::Clear_References()
{
    for (TDataItemWidget *item : d_data_widget_items)
        item->Set_Reference({}, false);
}

QVector<LineSyntax::FieldAssignment> TDataEditorWidget::Get_Edited_Fields() const
{
    QVector<LineSyntax::FieldAssignment> fields;
    if (d_simple_mode)
        return fields;
    for (const TDataItemWidget *item : d_data_widget_items)
        if (!item->isHidden() && item->Is_Edited())
            fields.append({item->Get_Letter(), item->Get_Value()});
    return fields;
}

TDataEditorWidget::Focus_Place TDataEditorWidget::Get_Focus_Place() const
{
    Focus_Place place;
    const QWidget *focus = QApplication::focusWidget();
    if (!focus || (focus != this && !isAncestorOf(focus)))
        return place;
    place.inside = true;
    for (std::size_t i = 0; i < d_data_widget_items.size(); ++i) {
        for (const TDataItemWidget::View view : All_Views) {
            if (d_data_widget_items[i]->Get_View(view) == focus) {
                place.item = static_cast<int>(i);
                place.view = view;
            }
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
    QLineEdit *target = nullptr;
    if (place.item >= 0 && static_cast<std::size_t>(place.item) < d_data_widget_items.size() &&
        place.view >= 0 && place.view < TDataItemWidget::View_Count) {
        QLineEdit *view = d_data_widget_items[place.item]->Get_View(
            static_cast<TDataItemWidget::View>(place.view));
        if (usable(view))
            target = view;
    }
    for (std::size_t i = 0; !target && i < d_data_widget_items.size(); ++i) {
        QLineEdit *view = d_data_widget_items[i]->Get_View(TDataItemWidget::Int_View);
        if (usable(view))
            target = view;
    }
    if (!target && usable(d_simple_editor))
        target = d_simple_editor;
    if (!target) {
        // Nothing here takes typing (a line whose fields are all missing): the focus stays
        // with the editor rather than moving on to a field where a key would do harm.
        setFocus(Qt::OtherFocusReason);
        return;
    }
    // Unlike a Tab, this focus reason selects nothing, so a typed key cannot replace the text.
    target->setFocus(Qt::OtherFocusReason);
    target->deselect();
}

void TDataEditorWidget::Simple_Editor_Changed()
{
    d_changed = true;
}

// Every view is read by the one rule of its kind. A valid text becomes the panel's value and
// the other two views follow; text that is no value is marked in its own view, and the
// panel keeps its last valid value for the other views and for the commit.

void TDataEditorWidget::Int_Edited(int id, const QString &text)
{
    Take_Reading(id, TDataItemWidget::Int_View, ValueFormat::Read_Int(text));
}

void TDataEditorWidget::Hex_Edited(int id, const QString &text)
{
    Take_Reading(id, TDataItemWidget::Hex_View, ValueFormat::Read_Hex(text));
}

void TDataEditorWidget::Dec_Edited(int id, const QString &text)
{
    // Without a resolution the reading is invalid, so the edit changes nothing.
    Take_Reading(id, TDataItemWidget::Dec_View, ValueFormat::Read_Mm(text, d_scale_resolution));
}

void TDataEditorWidget::Take_Reading(int id, TDataItemWidget::View view,
                                     const ValueFormat::Reading &reading)
{
    assert(static_cast<unsigned int>(id) < d_data_widget_items.size());
    TDataItemWidget *item = d_data_widget_items[id];
    item->Set_View_Error(view, reading.error);
    if (!reading.Is_Valid())
        return;
    item->Set_Value(*reading.value, true);
    // The edited view keeps its text as typed while the user is in it.
    for (const TDataItemWidget::View other : All_Views)
        if (other != view)
            Show_View(item, other);
    d_changed = true;
}

void TDataEditorWidget::Show_View(TDataItemWidget *item, TDataItemWidget::View view)
{
    const qint32 value = item->Get_Value();
    switch (view) {
    case TDataItemWidget::Int_View:
        item->Set_Int(value);
        break;
    case TDataItemWidget::Hex_View:
        item->Set_Hex(value);
        break;
    case TDataItemWidget::Dec_View:
    case TDataItemWidget::View_Count:
        if (!Is_Length(item))
            return; // an unscaled field has no millimetres
        item->Set_Dec(ValueFormat::To_Millimetres(value, d_scale_resolution));
        break;
    }
    item->Set_View_Error(view, QString());
}

void TDataEditorWidget::View_Finished(TDataItemWidget *item, TDataItemWidget::View view)
{
    // Leaving a view shows its value as the views write it: a clamped or rounded length,
    // ff or 0x10 as FF and 10. Text that is no value stays, marked, for the user to mend.
    if (item->Is_Edited() && item->Is_View_Valid(view))
        Show_View(item, view);
}
