#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPair>
#include <QPen>
#include <QSet>
#include <QStaticText>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QFontMetrics;
class QHelpEvent;
class QLineEdit;
class QPainter;
class QScrollBar;
class QToolButton;
class TDownloadDocument;

// The left-hand pane: the document's lines, painted by hand around one active line,
// the arrow buttons that move it, and the scale resolution field. The document is its
// own; the operations on lines, loading and saving are calls into it.
class TFileLineWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TFileLineWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TFileLineWidget() override;

    TDownloadDocument *Get_Document() const;
    QString Get_Line(int index) const;
    void Set_Line(int index, const QString &text);
    int Get_Line_Count() const;

    // A line whose text differs from its saved text carries a bar in the left margin. A
    // load or a save marks the lines saved by itself.
    void Mark_Saved();
    // Lines that differ from a reference file carry a second mark, at the right edge.
    void Set_Reference_Lines(const QSet<int> &lines);
    // Lines that a search found are tinted with the highlight colour.
    void Set_Found_Lines(const QSet<int> &lines);
    // Makes index the active line, as a click on it does.
    void Select_Line(int index);

    // What the list shows, for assistive technology: the canvas the lines are painted on,
    // the active line, the marks, and where a line is on show (an empty rectangle when it is
    // not) or which line is at a point of the canvas (-1 for none).
    QWidget *Get_Line_Canvas() const;
    int Get_Active_Line() const;
    bool Is_Reference_Line(int index) const;
    QRect Line_Rect(int index) const;
    int Line_At(const QPoint &pos) const;

    // The last positive resolution that the field showed: what is in force or was last.
    int Get_Scale_Resolution() const;
    // The resolution that the field shows now, 0 for none.
    int Get_Shown_Scale_Resolution() const;
    void Set_Scale_Resolution(int value);
    // The field shows a resolution read from the document, 0 included, as a load does.
    // Emits nothing.
    void Show_Scale_Resolution(int value);

    // A typed or stored scale resolution: a positive whole number, else 0 (no resolution).
    static int Read_Scale_Resolution(const QString &text);

    // Replaces the lines with the file's; a file that cannot be read changes nothing.
    bool Load_File(const QString &file_name);
    // error: why a save failed.
    bool Save_File(const QString &file_name, QString *error = nullptr);

    bool eventFilter(QObject *object, QEvent *event) override;

    // Wide enough for the longest line where the window allows, else the lines scroll
    // sideways; never narrower than 100 pixels or than the field's row needs.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The widest the view may grow: width, or the field's row where a larger font or a
    // longer caption needs more.
    void Set_Widest(int width);

signals:
    void Line_Activated(int line);
    void Scale_Resolution_Changed(int scale_resolution);
    // The user has left the scale resolution field, or pressed Enter in it.
    void Scale_Resolution_Edit_Finished();

public slots:
    void Increment_Active_Line();
    void Decrement_Active_Line();
    void Scale_Resolution_Edited(const QString &text);

private slots:
    void Set_Active_Line(int line);

private:
    void Create_Connections();
    // Whatever loaded the document: line 0 becomes active, after the file's resolution.
    void Show_Loaded_Document();
    // While the document has a scale resolution line, the field edits it, and takes no
    // more digits than the line can hold.
    void Fit_Scale_Field();
    void Paint_Lines(QWidget *canvas, const QRegion &dirty);
    // What painting a row needs besides the row: colours, and where its text goes.
    struct Row_Style
    {
        QPen text_pen;
        QPen active_text_pen;
        QColor active_frame_colour;
        QColor fill_colour;
        QColor background; // the canvas's own, when plain
        int baseline = 0;
        qreal text_top = 0;
    };
    void Paint_Row(QPainter &painter, const QRegion &dirty, int line, int y,
                   const Row_Style &style);
    // Once, at the first paint: the row height and the text's left margin.
    void Measure_Font(const QFontMetrics &metrics);
    // The canvas follows the active line: rows that stay move as pixels, and only the rows
    // that change are painted again.
    void Show_Active_Line();
    QRect Moving_Rows() const;
    // Moves the rows' pixels and back, so that the first step that moves them costs no more
    // than any other.
    void Warm_Up_Scrolling();
    void Repaint_All();
    void Repaint_Line(int line);
    const QStaticText &Row_Text(const QString &line);
    // The rows that the line's glyphs may cover, around its baseline.
    QRect Row_Ink(const QString &line, int baseline);
    // background: the row's plain colour under the text, invalid for none; baseline: the row's,
    // on the canvas.
    void Paint_Text(QPainter &painter, const QPointF &position, const QRect &row,
                    const QString &line, const QColor &background, int baseline);
    bool Paint_Text_Image(QPainter &painter, const QPointF &position, const QRect &row,
                          const QString &line, const QColor &background, int baseline);
    void Paint_Found_Mark(QPainter &painter, int line, const QRect &row) const;
    void Paint_Marks(QPainter &painter, int line, const QRect &row, const QColor &colour) const;
    void Canvas_Clicked(QWidget *canvas, const QPoint &pos);
    void Show_Line_Tip(const QHelpEvent *event);
    // The lines' widths, of one line or (-1) of all, and the sideways scrolling they need.
    void Measure_Line_Width(int line);
    void Fit_Lines_Width();
    int Lines_Width() const;
    void Enable_Arrow(QToolButton *button, bool enabled);

    QLineEdit *d_scale_edit = nullptr;
    QToolButton *d_down_button = nullptr;
    QToolButton *d_up_button = nullptr;
    QWidget *d_line_canvas = nullptr;
    QScrollBar *d_line_scroll_bar = nullptr;
    QFont d_line_font;
    int d_line_height = 1;
    int d_char_width = 0;
    bool d_metrics_pending = true;
    int d_active_line = 0;
    TDownloadDocument *d_document = nullptr;
    QSet<int> d_reference_lines;
    QSet<int> d_found_lines;
    // Each row's text, laid out for d_line_font, and how far its glyphs reach above and below
    // the baseline, once painting needs to know.
    struct Row_Layout
    {
        QStaticText text;
        bool ink_known = false;
        int ink_top = 0;
        int ink_bottom = 0;
        int ink_left = 0;
        int ink_right = 0;
    };
    QHash<QString, Row_Layout> d_row_texts;
    // Rows' texts drawn once over their plain background, by text, text and background colour,
    // at d_row_image_ratio.
    QHash<QPair<QString, quint64>, QImage> d_row_images;
    qreal d_row_image_ratio = 0;
    // The width of each line's text, for d_line_font.
    QVector<int> d_text_widths;
    int d_widest_text = 0;
    int d_last_scale_resolution = 0;
    // What the canvas's pixels show, once the repaints asked for are done: the first line
    // on show (-1: unknown) and the canvas size they were painted for.
    int d_painted_first = -1;
    int d_painted_active = -1;
    QSize d_painted_size;
    bool d_repaint_pending = false;
};
