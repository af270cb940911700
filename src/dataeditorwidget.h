#pragma once

#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QSpacerItem;
class QVBoxLayout;

// One field of a parameter line in three views: signed integer, hexadecimal and
// millimetres, with its letter and help text. It holds no number of its own.
class TDataItemWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TDataItemWidget(int id, QWidget *parent = nullptr,
                             Qt::WindowFlags flags = Qt::WindowFlags());

    void Set_Item_Width(int width);
    void Set_Label_Width(int width);
    void Set_Edit_Width(int width);
    void Set_Letter(QChar letter);
    void Set_Help_Text(const QString &text);
    void Set_Int(int value);
    void Set_Hex(int value);
    void Set_Dec(const double &value);
    void Set_Scaled(bool scaled);
    bool Is_Scaled() const;
    QString Get_Hex() const;

signals:
    void Int_Edited(int id, const QString &text);
    void Hex_Edited(int id, const QString &text);
    void Dec_Edited(int id, const QString &text);

private slots:
    void Change_Int(const QString &text);
    void Change_Hex(const QString &text);
    void Change_Dec(const QString &text);

private:
    QLabel *d_help_label = nullptr;
    QLabel *d_item_label = nullptr;
    QLabel *d_hex_label = nullptr;
    QLabel *d_int_label = nullptr;
    QLabel *d_dec_label = nullptr;
    QLineEdit *d_dec_edit = nullptr;
    QLineEdit *d_hex_edit = nullptr;
    QLineEdit *d_int_edit = nullptr;
    int d_id = 0;
};

// The right-hand side: the simple (raw text) editor and one panel per described field,
// kept in step while the user types, with a flag that records any user edit.
class TDataEditorWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TDataEditorWidget(QWidget *parent = nullptr,
                               Qt::WindowFlags flags = Qt::WindowFlags());
    ~TDataEditorWidget() override;

    void Reset_Editor(bool simple);
    void Set_Simple_Text(const QString &text);
    QString Get_Simple_Text() const;
    void Set_Item_Count(int count);
    void Set_Item(int index, QChar letter, int value, const QString &help, bool present,
                  bool scaled);
    QString Get_Item_Hex(int index) const;
    void Set_Scale_Resolution(int counts_per_mm);
    bool Is_Simple_Mode() const;
    bool Is_Changed() const;

private slots:
    void Simple_Editor_Changed();
    void Int_Edited(int id, const QString &text);
    void Hex_Edited(int id, const QString &text);
    void Dec_Edited(int id, const QString &text);

private:
    QLineEdit *d_simple_editor = nullptr;
    QWidget *d_items_widget = nullptr;
    QVBoxLayout *d_items_layout = nullptr;
    QSpacerItem *d_items_spacer = nullptr;
    int d_scale_resolution = 1000;
    std::vector<TDataItemWidget *> d_data_widget_items;
    bool d_simple_mode = false;
    bool d_changed = false;
};
