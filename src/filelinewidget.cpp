#include "filelinewidget.h"

#include "cachedpainting.h"
#include "downloaddocument.h"
#include "downloadfile.h"
#include "filelineaccessible.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QScrollBar>
#include <QSpacerItem>
#include <QStaticText>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>
#include <cstdlib>

namespace {

// The lines on show, first to end - 1, keeping the active line in the middle row where
// the list allows; painting and clicking must agree on it, so both compute it here.
struct Visible_Window
{
    int first = 0;
    int end = 0;
};

Visible_Window Visible_Lines(int canvas_height, int line_height, int line_count, int active_line)
{
    const int rows = canvas_height / line_height;
    Visible_Window window;
    window.first = std::max(0, active_line - rows / 2);
    window.end = window.first + rows;
    if (window.end > line_count) {
        window.first = std::max(0, window.first - (window.end - line_count));
        window.end = line_count;
    }
    return window;
}

// A one-pixel outline just inside area, as fills: what a one-pixel pen draws around a
// rectangle one pixel smaller, for a fraction of the cost.
void Fill_Outline(QPainter &painter, const QRect &area, const QColor &colour)
{
    painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), colour);
    painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), colour);
    painter.fillRect(QRect(area.left(), area.top(), 1, area.height()), colour);
    painter.fillRect(QRect(area.right(), area.top(), 1, area.height()), colour);
}

// At most 80 pixels wide, or at a larger font what the longest resolution of a scale line
// needs, with the frame, the line edit's own margins and room for the cursor.
QLineEdit *Make_Scale_Field(QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
    const QString longest(DownloadFile::Max_Scale_Digits, QLatin1Char('9'));
    const int width = field->fontMetrics().horizontalAdvance(longest) + 2 * frame + 2 * 2 + 2;
    field->setMinimumWidth(width);
    field->setMaximumWidth(std::max(80, width));
    field->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    return field;
}

QToolButton *Make_Arrow_Button(QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setAutoRepeat(true);
    return button;
}

void Set_Arrow_Icon(QToolButton *button, const QString &resource)
{
    button->setIconSize(QSize(32, 20));
    button->setMaximumSize(34, 22);
    button->setIcon(QIcon(resource));
}

} // namespace

TFileLineWidget::TFileLineWidget(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , d_document(new TDownloadDocument(this))
{
    // First, so that assistive technology hears of a load before of its first active line.
    FileLineAccessible::Attach(this, d_document);

    auto *view_layout = new QVBoxLayout(this);
    view_layout->setContentsMargins(0, 0, 0, 0);

    auto *button_row = new QHBoxLayout;
    button_row->setContentsMargins(0, 0, 0, 0);
    button_row->setSpacing(0);
    d_up_button = Make_Arrow_Button(this);
    button_row->addWidget(d_up_button);
    d_down_button = Make_Arrow_Button(this);
    button_row->addWidget(d_down_button);
    // The layout takes ownership of the spacer.
    button_row->addSpacerItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    auto *scale_label = new QLabel(tr("Scale Resolution:"), this);
    scale_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    button_row->addWidget(scale_label);
    d_scale_edit = Make_Scale_Field(this);
    button_row->addWidget(d_scale_edit);
    view_layout->addLayout(button_row);

    // Below the canvas, shown only while a line is wider than the canvas; the keys stay with
    // the editor. Made first, so that the canvas stays the view's last child.
    d_line_scroll_bar = new QScrollBar(Qt::Horizontal, this);
    d_line_scroll_bar->setFocusPolicy(Qt::NoFocus);
    d_line_scroll_bar->hide();
    d_line_canvas = new QWidget(this);
    d_line_canvas->setMinimumSize(100, 100);
    d_line_canvas->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    view_layout->addWidget(d_line_canvas);
    view_layout->addWidget(d_line_scroll_bar);

    Set_Arrow_Icon(d_up_button, QStringLiteral(":/gui/tb_up.png"));
    Set_Arrow_Icon(d_down_button, QStringLiteral(":/gui/tb_down.png"));
    // What the icon-only buttons and the field are, to assistive technology.
    d_up_button->setAccessibleName(tr("Previous line"));
    d_down_button->setAccessibleName(tr("Next line"));
    d_scale_edit->setAccessibleName(tr("Scale Resolution"));
    d_scale_edit->setAccessibleDescription(tr("Counts per millimetre"));

    d_scale_edit->setText(QStringLiteral("1000"));
    d_last_scale_resolution = Read_Scale_Resolution(d_scale_edit->text());

    d_line_canvas->installEventFilter(this);
    // Its paint covers every pixel, so Qt need not paint what lies behind it, and can scroll.
    d_line_canvas->setAttribute(Qt::WA_OpaquePaintEvent);

    d_line_font.setStyleHint(QFont::Monospace, QFont::PreferDefault);
    d_line_canvas->setFont(d_line_font);

    d_up_button->setEnabled(false);
    d_down_button->setEnabled(false);
    Create_Connections();
}

void TFileLineWidget::Create_Connections()
{
    connect(d_up_button, &QToolButton::clicked, this, &TFileLineWidget::Decrement_Active_Line);
    connect(d_down_button, &QToolButton::clicked, this, &TFileLineWidget::Increment_Active_Line);
    connect(d_scale_edit, &QLineEdit::textEdited, this, &TFileLineWidget::Scale_Resolution_Edited);
    connect(d_scale_edit, &QLineEdit::editingFinished, this,
            &TFileLineWidget::Scale_Resolution_Edit_Finished);
    connect(d_document, &TDownloadDocument::Loaded, this, [this] {
        Measure_Line_Width(-1);
        Show_Loaded_Document();
    });
    connect(d_document, &TDownloadDocument::Line_Changed, this, [this](int index) {
        Measure_Line_Width(index);
        Repaint_Line(index);
        Fit_Scale_Field();
    });
    connect(d_line_scroll_bar, &QScrollBar::valueChanged, this, &TFileLineWidget::Repaint_All);
    connect(d_document, &TDownloadDocument::Saved, this, &TFileLineWidget::Repaint_All);
    // Every way the field changes counts, typing as well as a load.
    connect(d_scale_edit, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (Read_Scale_Resolution(text) > 0)
            d_last_scale_resolution = Read_Scale_Resolution(text);
    });
}

TFileLineWidget::~TFileLineWidget()
{
    // Hiding a top-level view on deletion ends an edit of the scale field, after this
    // object's own part is already gone.
    d_scale_edit->disconnect(this);
}

TDownloadDocument *TFileLineWidget::Get_Document() const
{
    return d_document;
}

QString TFileLineWidget::Get_Line(int index) const
{
    return d_document->Get_Line(index);
}

void TFileLineWidget::Set_Line(int index, const QString &text)
{
    d_document->Set_Line(index, text);
}

int TFileLineWidget::Get_Line_Count() const
{
    return d_document->Get_Line_Count();
}

void TFileLineWidget::Mark_Saved()
{
    d_document->Mark_Saved();
}

void TFileLineWidget::Set_Reference_Lines(const QSet<int> &lines)
{
    // Called after every change of the document, mostly with the same lines.
    if (lines == d_reference_lines)
        return;
    FileLineAccessible::Descriptions_Changed(this, (lines - d_reference_lines) +
                                                       (d_reference_lines - lines));
    d_reference_lines = lines;
    Repaint_All();
}

void TFileLineWidget::Set_Found_Lines(const QSet<int> &lines)
{
    // Called with every change of the query or the document, mostly with the same lines.
    if (lines == d_found_lines)
        return;
    d_found_lines = lines;
    Repaint_All();
}

void TFileLineWidget::Select_Line(int index)
{
    Set_Active_Line(index);
}

QWidget *TFileLineWidget::Get_Line_Canvas() const
{
    return d_line_canvas;
}

int TFileLineWidget::Get_Active_Line() const
{
    return d_active_line;
}

bool TFileLineWidget::Is_Reference_Line(int index) const
{
    return d_reference_lines.contains(index);
}

QRect TFileLineWidget::Line_Rect(int index) const
{
    // Rows have no height until the first paint has measured the font.
    if (d_metrics_pending)
        return QRect();
    const Visible_Window on_show =
        Visible_Lines(d_line_canvas->height(), d_line_height, Get_Line_Count(), d_active_line);
    if (index < on_show.first || index >= on_show.end)
        return QRect();
    return QRect(0, (index - on_show.first) * d_line_height, d_line_canvas->width(), d_line_height);
}

int TFileLineWidget::Line_At(const QPoint &pos) const
{
    if (d_metrics_pending || !d_line_canvas->rect().contains(pos))
        return -1;
    const Visible_Window on_show =
        Visible_Lines(d_line_canvas->height(), d_line_height, Get_Line_Count(), d_active_line);
    const int line = on_show.first + pos.y() / d_line_height;
    return line < on_show.end ? line : -1;
}

int TFileLineWidget::Get_Scale_Resolution() const
{
    // Stored on close, so an empty, zero or half-typed field must not become the next
    // start's resolution.
    return d_last_scale_resolution;
}

int TFileLineWidget::Get_Shown_Scale_Resolution() const
{
    return Read_Scale_Resolution(d_scale_edit->text());
}

void TFileLineWidget::Set_Scale_Resolution(int value)
{
    if (value > 0)
        d_scale_edit->setText(QString::number(value));
}

void TFileLineWidget::Show_Scale_Resolution(int value)
{
    d_scale_edit->setText(QString::number(value));
}

int TFileLineWidget::Read_Scale_Resolution(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value > 0 ? value : 0;
}

bool TFileLineWidget::Load_File(const QString &file_name)
{
    return d_document->Load_File(file_name);
}

void TFileLineWidget::Fit_Scale_Field()
{
    const bool scale_line = d_document->Scale_Line_Index() >= 0;
    d_scale_edit->setMaxLength(scale_line ? DownloadFile::Max_Scale_Digits : 32767);
}

void TFileLineWidget::Show_Loaded_Document()
{
    d_active_line = 0;
    Fit_Scale_Field();
    // The receivers of Line_Activated already need the file's resolution.
    const int resolution = d_document->Scale_Resolution();
    if (resolution >= 0) {
        d_scale_edit->setText(QString::number(resolution));
        emit Scale_Resolution_Changed(resolution);
    }
    // A receiver may have changed the document meanwhile; look at it afresh.
    if (d_document->Get_Line_Count() > 0)
        emit Line_Activated(0);

    update();
    Repaint_All();
    d_up_button->setEnabled(false);
    d_down_button->setEnabled(true);
}

bool TFileLineWidget::Save_File(const QString &file_name, QString *error)
{
    return d_document->Save_File(file_name, error);
}

bool TFileLineWidget::eventFilter(QObject *object, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
        if (auto *canvas = qobject_cast<QWidget *>(object)) {
            object->event(event);
            Paint_Lines(canvas, static_cast<QPaintEvent *>(event)->region());
        }
        return true;
    case QEvent::MouseButtonPress:
        if (auto *canvas = qobject_cast<QWidget *>(object)) {
            const QPoint pos = static_cast<QMouseEvent *>(event)->localPos().toPoint();
            // Rows have no height until the first paint has measured the font.
            if (!d_metrics_pending)
                Canvas_Clicked(canvas, pos);
        }
        return true;
    case QEvent::ToolTip:
        Show_Line_Tip(static_cast<QHelpEvent *>(event));
        return true;
    case QEvent::Resize:
        Fit_Lines_Width();
        return QWidget::eventFilter(object, event);
    default:
        return QWidget::eventFilter(object, event);
    }
}

void TFileLineWidget::Increment_Active_Line()
{
    ++d_active_line;
    if (d_active_line >= Get_Line_Count()) {
        Enable_Arrow(d_down_button, false);
        d_active_line = Get_Line_Count() - 1;
        Show_Active_Line();
        return;
    }
    d_up_button->setEnabled(true);
    // Before the signal: a commit that it causes repaints its row in the moved pixels.
    Show_Active_Line();
    emit Line_Activated(d_active_line);
}

void TFileLineWidget::Decrement_Active_Line()
{
    --d_active_line;
    if (d_active_line < 0) {
        Enable_Arrow(d_up_button, false);
        d_active_line = 0;
        Show_Active_Line();
        return;
    }
    d_down_button->setEnabled(true);
    Show_Active_Line();
    emit Line_Activated(d_active_line);
}

void TFileLineWidget::Scale_Resolution_Edited(const QString &text)
{
    // Text that is no resolution is reported as 0, so that no millimetre value goes on
    // using a resolution that the field no longer shows.
    emit Scale_Resolution_Changed(Read_Scale_Resolution(text));
}

void TFileLineWidget::Set_Active_Line(int line)
{
    const int line_count = Get_Line_Count();
    if (line < 0 || line >= line_count)
        return;
    Enable_Arrow(d_up_button, line != 0);
    Enable_Arrow(d_down_button, line != line_count - 1);
    d_active_line = line;
    Show_Active_Line();
    emit Line_Activated(line);
}

void TFileLineWidget::Repaint_All()
{
    d_line_canvas->update();
    d_repaint_pending = true;
}

void TFileLineWidget::Repaint_Line(int line)
{
    const int row = line - d_painted_first;
    if (d_painted_first < 0 || d_metrics_pending) {
        Repaint_All();
        return;
    }
    // One pixel more: the highlight's outline reaches into the next row.
    const QRect area(0, row * d_line_height, d_line_canvas->width(), d_line_height + 1);
    if (row >= 0 && area.top() < d_line_canvas->height()) {
        d_line_canvas->update(area);
        d_repaint_pending = true;
    }
}

void TFileLineWidget::Show_Active_Line()
{
    const int h = d_line_height;
    const QSize size = d_line_canvas->size();
    const int rows = size.height() / h;
    // Pixels still to be painted cannot be moved; nor can those painted for another size.
    if (d_repaint_pending || d_metrics_pending || d_painted_first < 0 || Get_Line_Count() == 0 ||
        size != d_painted_size || !d_line_canvas->isVisible()) {
        Repaint_All();
        return;
    }
    const int old_active = d_painted_active;
    const int first = Visible_Lines(size.height(), h, Get_Line_Count(), d_active_line).first;
    const int shift = first - d_painted_first;
    if (std::abs(shift) >= rows) {
        Repaint_All();
        return;
    }
    if (shift != 0) {
        // The frame's top and bottom lines stay; Qt paints the rows that move in.
        d_line_canvas->scroll(0, -shift * h, Moving_Rows());
        d_line_canvas->update(QRect(0, 0, size.width(), 1));
        d_line_canvas->update(QRect(0, size.height() - 1, size.width(), 1));
    }
    d_painted_first = first;
    d_painted_active = d_active_line;
    Repaint_Line(old_active);
    Repaint_Line(d_active_line);
    d_repaint_pending = true;
}

QRect TFileLineWidget::Moving_Rows() const
{
    // The rows on show, inside the frame's top and bottom lines.
    const QSize size = d_line_canvas->size();
    const int rows = size.height() / d_line_height;
    return QRect(0, 1, size.width(), std::min(rows * d_line_height, size.height() - 1) - 1);
}

void TFileLineWidget::Warm_Up_Scrolling()
{
    // Rows still to be painted would be moved unpainted; the next whole paint asks again.
    if (d_repaint_pending || d_metrics_pending || !d_line_canvas->isVisible())
        return;
    // A distance that is whole in the screen's pixels, or Qt paints instead of moving.
    const qreal ratio = d_line_canvas->devicePixelRatioF();
    int distance = 1;
    if (qFloor(ratio) != ratio)
        distance = d_line_height;
    if (qFloor(distance * ratio) != distance * ratio)
        return;
    // Down and back: the same pixels, but the window system has been handed them, and only
    // the rows at the ends are painted again.
    d_line_canvas->scroll(0, distance, Moving_Rows());
    d_line_canvas->scroll(0, -distance, Moving_Rows());
    d_repaint_pending = true;
}

void TFileLineWidget::Paint_Lines(QWidget *canvas, const QRegion &dirty)
{
    QPainter painter(canvas);
    d_repaint_pending = false;
    // Qt's X11 backing store keeps what the canvas painted until its pixels are first moved,
    // and then hands all of it to the server at once, which took the key that moved them up
    // to 6 ms. After a whole paint that is done at once, while no key waits.
    if (QRegion(canvas->rect()).subtracted(dirty).isEmpty())
        QTimer::singleShot(0, this, &TFileLineWidget::Warm_Up_Scrolling);
    // The canvas paints its own background, as the window would behind it, so that Qt can
    // move its pixels instead of painting it again.
    const QWidget *window = canvas->window();
    painter.setBrushOrigin(-canvas->mapTo(window, QPoint()));
    const QBrush background = window->palette().brush(window->backgroundRole());
    painter.fillRect(canvas->rect(), background);
    const QPalette palette = QGuiApplication::palette();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    Row_Style style;
    if (background.style() == Qt::SolidPattern && background.isOpaque())
        style.background = background.color();
    style.text_pen = QPen(palette.color(group, QPalette::WindowText));
    style.active_text_pen = QPen(palette.color(group, QPalette::HighlightedText));
    style.active_frame_colour = palette.color(group, QPalette::Dark);
    style.fill_colour = palette.color(group, QPalette::Highlight);
    painter.setFont(d_line_font);
    if (d_metrics_pending)
        Measure_Font(painter.fontMetrics());

    const QStringList &lines = d_document->Get_Lines();
    if (lines.isEmpty())
        return;

    const int h = d_line_height;
    Fill_Outline(painter, canvas->rect(), palette.color(group, QPalette::Shadow));

    // Each row is exactly one font height, so a vertically centred text sits on the row's
    // ascent; drawing at that baseline skips the general text layout, which costs several
    // times more per row and would run for every row on every step through the file.
    style.baseline = painter.fontMetrics().ascent() + (h - painter.fontMetrics().height()) / 2;
    // A row's text laid out once is drawn by its top left corner: at the same baseline.
    style.text_top = style.baseline - QFontMetricsF(d_line_font, canvas).ascent();
    const Visible_Window on_show = Visible_Lines(canvas->height(), h, lines.size(), d_active_line);
    d_painted_first = on_show.first;
    d_painted_active = d_active_line;
    d_painted_size = canvas->size();
    for (int k = on_show.first; k < on_show.end; ++k)
        Paint_Row(painter, dirty, k, (k - on_show.first) * h, style);
}

void TFileLineWidget::Paint_Row(QPainter &painter, const QRegion &dirty, int line, int y,
                                const Row_Style &style)
{
    // Only what reaches the dirty pixels: the active row's outline reaches one pixel into the
    // next row, which is painted again when the highlight moves, but its glyphs seldom reach
    // its top pixels, and drawing them costs more than all the rest.
    const int width = d_line_canvas->width();
    const int h = d_line_height;
    const QString &text = d_document->Get_Lines().at(line);
    const bool active = line == d_active_line;
    const bool row_dirty = dirty.intersects(QRect(0, y, width, active ? h + 1 : h));
    const bool text_dirty = dirty.intersects(Row_Ink(text, y + style.baseline));
    if (!row_dirty && !text_dirty)
        return;
    const QRect band(QPoint(0, y), QPoint(width - 2, y + h - 1));
    painter.setPen(active ? style.active_text_pen : style.text_pen);
    if (row_dirty && active) {
        painter.fillRect(band, style.fill_colour);
        Fill_Outline(painter, QRect(0, y, width, h + 1), style.active_frame_colour);
    }
    const bool found = !active && d_found_lines.contains(line);
    if (row_dirty)
        Paint_Found_Mark(painter, line, band);
    if (text_dirty)
        Paint_Text(painter, QPointF(d_char_width - d_line_scroll_bar->value(), y + style.text_top),
                   band, text,
                   active  ? style.fill_colour
                   : found ? QColor()
                           : style.background,
                   y + style.baseline);
    if (row_dirty)
        Paint_Marks(painter, line, band, painter.pen().color());
}

void TFileLineWidget::Paint_Text(QPainter &painter, const QPointF &position, const QRect &row,
                                 const QString &line, const QColor &background, int baseline)
{
    if (d_line_scroll_bar->value() == 0) {
        if (!Paint_Text_Image(painter, position, row, line, background, baseline))
            painter.drawStaticText(position, Row_Text(line));
        return;
    }
    // Scrolled sideways, the text passes under neither the frame nor the left mark.
    painter.save();
    painter.setClipRect(row.adjusted(5, 0, 0, 0));
    painter.drawStaticText(position, Row_Text(line));
    painter.restore();
}

bool TFileLineWidget::Paint_Text_Image(QPainter &painter, const QPointF &position, const QRect &row,
                                       const QString &line, const QColor &background, int baseline)
{
    // Drawn once over the row's plain background, the glyphs are copied wherever they stay
    // clear of the outlines around the row. The copy is exact only on the same background, in
    // the same format, and at the same place within a pixel.
    const QImage *device = CachedPainting::Text_Picture_Device(painter);
    if (!background.isValid() || !device)
        return false;
    const QRect ink = Row_Ink(line, baseline);
    const Row_Layout &layout = d_row_texts[line];
    const int left = qFloor(position.x());
    const QRect area(QPoint(left + layout.ink_left, ink.top()),
                     QPoint(left + layout.ink_right, ink.bottom()));
    if (!QRect(QPoint(1, row.top() + 1), row.bottomRight()).contains(area) || position.x() != left)
        return false;
    if (device->devicePixelRatioF() != d_row_image_ratio) {
        d_row_images.clear();
        d_row_image_ratio = device->devicePixelRatioF();
    }
    const QPair<QString, quint64> key(line, (quint64(painter.pen().color().rgba()) << 32) |
                                                background.rgba());
    auto found = d_row_images.constFind(key);
    if (found == d_row_images.constEnd()) {
        if (d_row_images.size() > 2 * DownloadFile::Max_Lines)
            d_row_images.clear();
        found = d_row_images.insert(key, CachedPainting::Text_Picture(painter, Row_Text(line),
                                                                      position - area.topLeft(),
                                                                      area.size(), background));
    }
    painter.drawImage(area.topLeft(), *found);
    return true;
}

void TFileLineWidget::Measure_Font(const QFontMetrics &metrics)
{
    // Rows are divided by this height, so it must never be zero.
    d_line_height = std::max(1, metrics.height());
    d_char_width = metrics.averageCharWidth();
    d_metrics_pending = false;
}

const QStaticText &TFileLineWidget::Row_Text(const QString &line)
{
    // Shaping a row's text costs as much as drawing it; the lines change seldom.
    auto found = d_row_texts.constFind(line);
    if (found != d_row_texts.constEnd())
        return found->text;
    if (d_row_texts.size() > 4 * DownloadFile::Max_Lines)
        d_row_texts.clear();
    QStaticText text(line);
    text.setTextFormat(Qt::PlainText);
    // Laid out for the screen's pixels: at another ratio it would be laid out again on
    // every paint.
    const qreal ratio = d_line_canvas->devicePixelRatioF();
    text.prepare(QTransform::fromScale(ratio, ratio), d_line_font);
    return d_row_texts.insert(line, Row_Layout{text}).value().text;
}

QRect TFileLineWidget::Row_Ink(const QString &line, int baseline)
{
    Row_Text(line);
    Row_Layout &row = d_row_texts[line];
    if (!row.ink_known) {
        // The glyphs' own pixels (a capital's accent reaches into the row above), and a pixel
        // more each way for rounding at another pixel ratio.
        // The tight bounds add up the glyphs' hinted metrics, which on some desktops fall short
        // of the text as laid out: a picture cut to them would lose the last glyph's edge.
        const QRect bounds = QFontMetrics(d_line_font, d_line_canvas).tightBoundingRect(line);
        row.ink_top = bounds.top() - 1;
        row.ink_bottom = bounds.bottom() + 1;
        row.ink_left = std::min(bounds.left(), 0) - 1;
        row.ink_right = std::max(bounds.right(), qCeil(row.text.size().width())) + 1;
        row.ink_known = true;
    }
    return QRect(0, baseline + row.ink_top, d_line_canvas->width(),
                 row.ink_bottom - row.ink_top + 1);
}

void TFileLineWidget::Paint_Found_Mark(QPainter &painter, int line, const QRect &row) const
{
    // Under the text: the highlight, faint enough for the text to stay legible. The active
    // line is highlighted in full anyway.
    if (line == d_active_line || !d_found_lines.contains(line))
        return;
    QColor found = QGuiApplication::palette().color(
        isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Highlight);
    found.setAlpha(70);
    painter.fillRect(row, found);
}

void TFileLineWidget::Paint_Marks(QPainter &painter, int line, const QRect &row,
                                  const QColor &colour) const
{
    // In the row's text colour, so a mark shows on the highlighted row and in every
    // colour group alike; the two marks differ in place and shape.
    const int inner_top = row.top() + 1;
    const int inner_height = row.height() - 2;
    if (!d_document->Is_Line_Saved(line))
        painter.fillRect(QRect(2, inner_top, 2, inner_height), colour);
    if (d_reference_lines.contains(line)) {
        // A triangle pointing into the row from its right edge.
        const int half = std::max(2, std::min(5, inner_height / 2 - 1));
        const int tip_right = row.right() - 1;
        const int middle = row.top() + row.height() / 2;
        const QPoint corners[3] = {QPoint(tip_right, middle - half),
                                   QPoint(tip_right, middle + half),
                                   QPoint(tip_right - half, middle)};
        painter.save();
        painter.setPen(colour);
        painter.setBrush(colour);
        painter.drawPolygon(corners, 3);
        painter.restore();
    }
}

void TFileLineWidget::Enable_Arrow(QToolButton *button, bool enabled)
{
    // A focused button that is disabled passes the focus along the tab chain into the
    // scale field, where the next key would change the resolution; the other arrow takes
    // it instead, or nothing does.
    if (!enabled && button->hasFocus()) {
        QToolButton *other = button == d_up_button ? d_down_button : d_up_button;
        if (other->isEnabled())
            other->setFocus();
        else
            button->clearFocus();
    }
    button->setEnabled(enabled);
}

void TFileLineWidget::Show_Line_Tip(const QHelpEvent *event)
{
    // A line's whole text, however much of it the row shows.
    const int line = Line_At(event->pos());
    const QString text = line >= 0 ? Get_Line(line) : QString();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), text, d_line_canvas, Line_Rect(line));
}

void TFileLineWidget::Measure_Line_Width(int line)
{
    // From the row's laid-out text, which painting the row needs anyway: measured apart, every
    // commit would lay its line out twice.
    const auto width = [this](const QString &text) {
        return qCeil(Row_Text(text).size().width());
    };
    const int widest_before = d_widest_text;
    if (line < 0 || d_text_widths.size() != Get_Line_Count()) {
        d_text_widths.clear();
        for (const QString &text : d_document->Get_Lines())
            d_text_widths.append(width(text));
    } else {
        d_text_widths[line] = width(Get_Line(line));
    }
    d_widest_text = d_text_widths.isEmpty()
                        ? 0
                        : *std::max_element(d_text_widths.cbegin(), d_text_widths.cend());
    if (d_widest_text != widest_before) {
        updateGeometry();
        Fit_Lines_Width();
    }
}

int TFileLineWidget::Lines_Width() const
{
    // The text with a margin of one average character on each side, inside the frame.
    const int margin = QFontMetrics(d_line_font, d_line_canvas).averageCharWidth();
    return d_widest_text + 2 * margin + 2;
}

void TFileLineWidget::Fit_Lines_Width()
{
    const int hidden = Lines_Width() - d_line_canvas->width();
    d_line_scroll_bar->setRange(0, std::max(0, hidden));
    d_line_scroll_bar->setPageStep(d_line_canvas->width());
    d_line_scroll_bar->setSingleStep(std::max(1, d_line_canvas->width() / 10));
    d_line_scroll_bar->setVisible(hidden > 0);
}

QSize TFileLineWidget::sizeHint() const
{
    return QWidget::sizeHint().expandedTo(QSize(Lines_Width(), 0));
}

QSize TFileLineWidget::minimumSizeHint() const
{
    return QWidget::minimumSizeHint().expandedTo(QSize(100, 0));
}

void TFileLineWidget::Set_Widest(int width)
{
    setMaximumWidth(std::max(width, minimumSizeHint().width()));
}

void TFileLineWidget::Canvas_Clicked(QWidget *canvas, const QPoint &pos)
{
    const Visible_Window window =
        Visible_Lines(canvas->height(), d_line_height, Get_Line_Count(), d_active_line);
    Set_Active_Line(window.first + pos.y() / d_line_height);
}
