#pragma once

#include "downloadfile.h"
#include "linesyntax.h"
#include "valueformat.h"

#include <QStringList>
#include <QVector>
#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QSpacerItem;
class QVBoxLayout;
class TPanelLayout;

// One field of a parameter line in three views: signed integer, hexadecimal and
// millimetres, with its letter and help text. It keeps the field's last valid value and
// whether the user gave it, which is what a commit writes.
class TDataItemWidget : public QWidget
{
    Q_OBJECT

public:
    // The views in creation order, which is also their focus order.
    enum View
    {
        Int_View = 0,
        Hex_View = 1,
        Dec_View = 2,
        View_Count = 3
    };

    explicit TDataItemWidget(int id, QWidget *parent = nullptr,
                             Qt::WindowFlags flags = Qt::WindowFlags());

    void Set_Item_Width(int width);
    void Set_Label_Width(int width);
    void Set_Edit_Width(int width);
    // What the letter column and the captions need at their fonts to show whole.
    int Get_Item_Width_Needed() const;
    int Get_Label_Width_Needed() const;
    void Set_Letter(QChar letter);
    void Set_Help_Text(const QString &text);
    void Set_Int(int value);
    void Set_Hex(int value);
    void Set_Dec(const double &value);
    void Set_Scaled(bool scaled);
    bool Is_Scaled() const;
    QChar Get_Letter() const;

    // The last valid value of the views, and whether the user gave it.
    void Set_Value(qint32 value, bool edited);
    qint32 Get_Value() const;
    bool Is_Edited() const;

    // A view whose text is no value is marked, with the reason as its tooltip;
    // an empty reason clears the mark.
    void Set_View_Error(View view, const QString &error);
    bool Is_View_Valid(View view) const;
    QLineEdit *Get_View(View view) const;

    // What a reference file holds for this field, one text beside each view (integer,
    // hexadecimal, millimetres), each with its tooltip (empty: the plain one); bold when it
    // differs. No texts hide them.
    void Set_Reference(const QStringList &texts, bool differs,
                       const QStringList &tool_tips = QStringList());

signals:
    void Int_Edited(int id, const QString &text);
    void Hex_Edited(int id, const QString &text);
    void Dec_Edited(int id, const QString &text);

private slots:
    void Change_Int(const QString &text);
    void Change_Hex(const QString &text);
    void Change_Dec(const QString &text);

private:
    void Describe_View(View view);

    TPanelLayout *d_layout = nullptr;
    QLabel *d_help_label = nullptr;
    QLabel *d_item_label = nullptr;
    QLabel *d_hex_label = nullptr;
    QLabel *d_int_label = nullptr;
    QLabel *d_dec_label = nullptr;
    QLineEdit *d_dec_edit = nullptr;
    QLineEdit *d_hex_edit = nullptr;
    QLineEdit *d_int_edit = nullptr;
    QVector<QLabel *> d_reference_labels;
    int d_id = 0;
    QChar d_letter;
    qint32 d_value = 0;
    bool d_edited = false;
    bool d_view_valid[View_Count] = {true, true, true};
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
    // Reset_Editor followed by Set_Item_Count(item_count), without hiding first the
    // panels that the new line shows again: they only get their new texts.
    void Reset_Editor(bool simple, int item_count);
    void Set_Simple_Text(const QString &text);
    QString Get_Simple_Text() const;
    void Set_Item_Count(int count);
    void Set_Item(int index, QChar letter, int value, const QString &help, bool present,
                  bool scaled);
    void Set_Scale_Resolution(int counts_per_mm);
    bool Is_Simple_Mode() const;
    bool Is_Changed() const;

    // The millimetres that the views convert with.
    int Get_Scale_Resolution() const;

    // At least 400 pixels wide, and as wide as the panels need at their fonts.
    QSize minimumSizeHint() const override;

    // The value of item index's field in a reference file, shown beside its views until
    // Clear_References; none when the reference line lacks the field. Its millimetres are
    // converted at counts_per_mm, the reference's resolution, which millimetres_note (their
    // tooltip) names.
    void Set_Item_Reference(int index, std::optional<qint32> value, bool differs, int counts_per_mm,
                            const QString &millimetres_note);
    // Beside item index's views, instead of a value: note, explained by its tooltip.
    void Set_Item_Reference_Note(int index, const QString &note, const QString &tool_tip);
    void Clear_References();

    // The fields the user edited since the editor was last filled, with their values;
    // a commit writes these and nothing else.
    QVector<LineSyntax::FieldAssignment> Get_Edited_Fields() const;

    // Where the keyboard focus is inside the editor: a panel's view (0 integer,
    // 1 hexadecimal, 2 millimetres) or, with item -1, the simple editor.
    struct Focus_Place
    {
        bool inside = false;
        int item = -1;
        int view = 0;
    };
    Focus_Place Get_Focus_Place() const;
    // Puts the focus back there if that view is shown and enabled, else on the first
    // enabled panel's integer view, else on the simple editor; never selects any text.
    void Restore_Focus(const Focus_Place &place);

signals:
    // Enter in any of the editor's views: commit the edits in place.
    void Commit_Requested();

private slots:
    void Simple_Editor_Changed();
    void Int_Edited(int id, const QString &text);
    void Hex_Edited(int id, const QString &text);
    void Dec_Edited(int id, const QString &text);

private:
    TDataItemWidget *New_Item();
    void Take_Reading(int id, TDataItemWidget::View view, const ValueFormat::Reading &reading);
    void Show_View(TDataItemWidget *item, TDataItemWidget::View view);
    void View_Finished(TDataItemWidget *item, TDataItemWidget::View view);

    QLineEdit *d_simple_editor = nullptr;
    QWidget *d_items_widget = nullptr;
    QVBoxLayout *d_items_layout = nullptr;
    QSpacerItem *d_items_spacer = nullptr;
    int d_scale_resolution = DownloadFile::Default_Editor_Resolution;
    std::vector<TDataItemWidget *> d_data_widget_items;
    bool d_simple_mode = false;
    bool d_changed = false;
};
