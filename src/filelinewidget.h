#pragma once

#include <QFont>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QToolButton;

// The left-hand pane: the document's lines, painted by hand around one active line,
// the arrow buttons that move it, and the scale resolution field.
class TFileLineWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TFileLineWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TFileLineWidget() override;

    QString Get_Line(int index) const;
    void Set_Line(int index, const QString &text);

    int Get_Scale_Resolution() const;
    void Set_Scale_Resolution(int value);

    bool Load_File(const QString &file_name);
    bool Save_File(const QString &file_name) const;

    bool eventFilter(QObject *object, QEvent *event) override;

signals:
    void Line_Activated(int line);
    void Scale_Resolution_Changed(int scale_resolution);

public slots:
    void Increment_Active_Line();
    void Decrement_Active_Line();
    void Scale_Resolution_Edited(const QString &text);

private slots:
    void Set_Active_Line(int line);

private:
    void Paint_Lines(QWidget *canvas);
    void Canvas_Clicked(QWidget *canvas, const QPoint &pos);

    QLineEdit *d_scale_edit = nullptr;
    QToolButton *d_down_button = nullptr;
    QToolButton *d_up_button = nullptr;
    QWidget *d_line_canvas = nullptr;
    QFont d_line_font;
    int d_line_height = 1;
    int d_char_width = 0;
    bool d_metrics_pending = true;
    int d_active_line = 0;
    QStringList d_file_lines;
};
