#include "downloadeditor.h"

#include "changestepper.h"
#include "comparisoncontrols.h"
#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloaddocument.h"
#include "downloadfile.h"
#include "editorsettings.h"
#include "elidinglabel.h"
#include "filelinewidget.h"
#include "findbar.h"
#include "globalkeyevent.h"
#include "linesyntax.h"
#include "messagebox.h"
#include "messagecatalogue.h"
#include "reportprinter.h"
#include "undocommands.h"
#include "undokeyarbiter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QSpacerItem>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include <cassert>

using namespace MessageCatalogue;

namespace {

const char File_Filter[] =
    QT_TRANSLATE_NOOP("TDownloadEditor", "Vantor Download Files (*.oad *.txt)");
const char Active_Caption[] = QT_TRANSLATE_NOOP("TDownloadEditor", "Active Download File:");

QFrame *New_Separator(QWidget *parent)
{
    auto *separator = new QFrame(parent);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    return separator;
}

QAction *New_Action(QWidget *window, const QString &tool_tip, const QString &icon)
{
    auto *action = new QAction(window);
    // The text is what the icon-only button speaks to assistive technology.
    action->setText(tool_tip);
    action->setToolTip(tool_tip);
    action->setIcon(QIcon(icon));
    return action;
}

} // namespace

// -------------------- Construction --------------------------------------------------------

TDownloadEditor::TDownloadEditor(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setAcceptDrops(true);
    resize(1001, 701);
    d_settings = new TEditorSettings(this);
    d_undo_stack = new QUndoStack(this);

    // The toolbar sits flush with the window; everything below keeps the style's margins.
    auto *outer_layout = new QVBoxLayout(this);
    const QMargins margins = outer_layout->contentsMargins();
    outer_layout->setContentsMargins(0, 0, 0, 0);
    QToolBar *tool_bar = Create_Tool_Bar();
    outer_layout->addWidget(tool_bar, 0);

    auto *grid_layout = new QGridLayout();
    grid_layout->setContentsMargins(margins);
    Create_Panes(grid_layout);
    auto *close_button = Create_Footer(grid_layout);
    // The search field was made after the list and the editor; Tab comes to it after Close,
    // and goes on to the list below it.
    d_find_bar->Follow_In_Tab_Order(close_button);
    outer_layout->addLayout(grid_layout, 0);

    d_message_box = new TMessageBox(this);
    const TComparisonControls::Window_Parts parts{
        this,          tool_bar,      d_file_name_label, d_document, d_file_line_widget,
        d_data_editor, d_message_box, d_undo_stack};
    d_comparison = new TComparisonControls(parts, d_parameter_table);
    // The comparison's summary: a line of its own under the toolbar.
    outer_layout->insertWidget(1, d_comparison->Get_Summary_Label());
    d_undo_key_arbiter = new TUndoKeyArbiter(this, d_undo_action, d_redo_action);
    // Stepping through the changes goes between editing and comparing.
    new TChangeStepper(tool_bar, d_comparison_separator, d_file_line_widget, d_comparison);
    // The record goes with the file's actions; what is typed is committed first, as for a save.
    new TReportPrinter(parts, d_comparison, d_parameter_table, d_undo_action,
                       [this] { Commit_Edits_And_Refill(); });
    d_read_action->setEnabled(true);
    d_write_action->setEnabled(false);
    setWindowTitle(tr("Vantor4-16 Download Editor - Version 3.0"));
    Read_Settings();
    d_file_caption_label->setText(tr("Recent Download File:"));
    Create_Connections(close_button);

    // Typing starts in the editor: in the scale field one stray digit would change the
    // resolution.
    TDataEditorWidget::Focus_Place start;
    start.inside = true;
    d_data_editor->Restore_Focus(start);
}

TDownloadEditor::~TDownloadEditor()
{
    // The children are deleted after the members: none of them may call back into the
    // window then (clearing the undo history reports its new state, and hiding the window
    // ends an edit of the scale field).
    d_undo_stack->disconnect(this);
    d_file_line_widget->disconnect(this);
    disconnect(qApp, nullptr, d_undo_key_arbiter, nullptr);
}

void TDownloadEditor::Connect_Key_Filter(TGlobalKeyEvent *filter, TDownloadEditor *window)
{
    filter->Install(window, [window](int key) { window->Key_Pressed(key); });
}

QToolBar *TDownloadEditor::Create_Tool_Bar()
{
    auto *tool_bar = new QToolBar(this);
    tool_bar->setIconSize(QSize(32, 32));

    d_read_action = New_Action(this, tr("Load download file"), ":/toolbar/file_open_x32.png");
    d_read_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    d_write_action = New_Action(this, tr("Save download file"), ":/toolbar/file_save_x32.png");
    d_write_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    d_undo_action = New_Action(this, tr("Undo"), ":/toolbar/edit_undo_x32.png");
    d_undo_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    d_undo_action->setEnabled(false);
    d_redo_action = New_Action(this, tr("Redo"), ":/toolbar/edit_redo_x32.png");
    d_redo_action->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    d_redo_action->setEnabled(false);

    tool_bar->addAction(d_read_action);
    tool_bar->addAction(d_write_action);
    tool_bar->addSeparator();
    tool_bar->addAction(d_undo_action);
    tool_bar->addAction(d_redo_action);
    // The comparison's actions follow.
    d_comparison_separator = tool_bar->addSeparator();
    return tool_bar;
}

void TDownloadEditor::Create_Panes(QGridLayout *grid_layout)
{
    auto *caption_layout = new QHBoxLayout();
    d_file_caption_label = new QLabel(this);
    d_file_caption_label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    // A long path is elided, so that it never widens the window.
    d_file_name_label = new TElidingLabel(this);
    d_file_note_label = new QLabel(this);
    d_file_note_label->hide();
    caption_layout->addWidget(d_file_caption_label);
    caption_layout->addWidget(d_file_name_label);
    caption_layout->addWidget(d_file_note_label);
    grid_layout->addLayout(caption_layout, 0, 0, 1, 2);

    grid_layout->addWidget(New_Separator(this), 1, 0, 1, 2);

    // Each pane keeps its own minimum width, 100 and 400 pixels or what its contents need at
    // a larger font, so that nothing in it is ever cut.
    d_file_line_widget = new TFileLineWidget(this);
    d_file_line_widget->Set_Widest(320);
    d_document = d_file_line_widget->Get_Document();

    d_data_editor = new TDataEditorWidget(this);
    grid_layout->addWidget(d_data_editor, 2, 1, 2, 1);

    // The search field sits above the list whose lines it finds, as wide as the list.
    d_find_bar = new TFindBar(this, d_file_line_widget, d_data_editor, d_parameter_table);
    d_find_bar->setMaximumWidth(d_file_line_widget->maximumWidth());
    grid_layout->addWidget(d_find_bar, 2, 0);
    grid_layout->addWidget(d_file_line_widget, 3, 0);

    grid_layout->addWidget(New_Separator(this), 4, 0, 1, 2);
}

QPushButton *TDownloadEditor::Create_Footer(QGridLayout *grid_layout)
{
    QFont footer_font;
    footer_font.setPointSize(8);
    footer_font.setItalic(true);

    auto *footer_layout = new QHBoxLayout();
    auto *logo_label = new QLabel(this);
    logo_label->setMinimumSize(100, 40);
    logo_label->setMaximumSize(100, 40);
    logo_label->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));
    auto *notice_label = new QLabel(this);
    notice_label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    notice_label->setFont(footer_font);
    notice_label->setText(
        tr("Vantor4-16 parameter download editor - for service use by trained technicians"));
    auto *close_button = new QPushButton(tr("Close"), this);
    close_button->setAutoDefault(false);
    footer_layout->addWidget(logo_label);
    footer_layout->addWidget(notice_label);
    footer_layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    footer_layout->addWidget(close_button);
    grid_layout->addLayout(footer_layout, 5, 0, 1, 2);
    return close_button;
}

void TDownloadEditor::Read_Settings()
{
    d_file_name_label->setText(d_settings->Get_Last_File());
    d_file_line_widget->Set_Scale_Resolution(d_settings->Get_Scale_Resolution());
    // Millimetres must use the resolution that the field shows, or the two disagree until
    // the user first edits the field.
    d_data_editor->Set_Scale_Resolution(d_file_line_widget->Get_Scale_Resolution());
}

void TDownloadEditor::Create_Connections(QPushButton *close_button)
{
    connect(d_read_action, &QAction::triggered, this, &TDownloadEditor::Read_File);
    connect(d_write_action, &QAction::triggered, this, &TDownloadEditor::Write_File);
    connect(d_file_line_widget, &TFileLineWidget::Line_Activated, this,
            &TDownloadEditor::Line_Activated);
    connect(d_file_line_widget, &TFileLineWidget::Scale_Resolution_Changed, this,
            &TDownloadEditor::Scale_Resolution_Changed);
    connect(d_file_line_widget, &TFileLineWidget::Scale_Resolution_Edit_Finished, this,
            &TDownloadEditor::Scale_Resolution_Edit_Finished);
    connect(d_data_editor, &TDataEditorWidget::Commit_Requested, this,
            &TDownloadEditor::Commit_Edits_And_Refill);
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);

    connect(d_document, &TDownloadDocument::About_To_Load, this, &TDownloadEditor::Start_Load);
    connect(d_undo_action, &QAction::triggered, this, &TDownloadEditor::Undo);
    connect(d_redo_action, &QAction::triggered, this, &TDownloadEditor::Redo);
    connect(d_undo_stack, &QUndoStack::canUndoChanged, d_undo_action, &QAction::setEnabled);
    connect(d_undo_stack, &QUndoStack::canRedoChanged, d_redo_action, &QAction::setEnabled);
    connect(d_undo_stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { d_data_modified = !clean; });
    connect(d_undo_stack, &QUndoStack::indexChanged, d_comparison, &TComparisonControls::Update);
    connect(d_comparison, &TComparisonControls::Take_Over_Requested, this,
            &TDownloadEditor::Take_Over_Reference_Values);
}

// -------------------- Opening -------------------------------------------------------------

void TDownloadEditor::Open_File(const QString &path)
{
    // Said as from the dialog: an empty window would pass for an empty file.
    QString error;
    if (!path.isEmpty() && !Load_Download_File(path, &error))
        Show_File_Message(d_message_box, Open_Failed, path, {error});
}

void TDownloadEditor::Read_File()
{
    if (!Settle_Unsaved_Changes())
        return;
    const QString file_name = TDialogSeam::Get_Open_File_Name(
        this, tr("Open Vantor4-16 Download File"),
        QDir::fromNativeSeparators(d_file_name_label->text()), tr(File_Filter));
    if (file_name.isEmpty())
        return;
    QString error;
    if (!Load_Download_File(file_name, &error))
        Show_File_Message(d_message_box, Open_Failed, file_name, {error});
}

void TDownloadEditor::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QStringLiteral("text/uri-list")))
        event->acceptProposedAction();
}

void TDownloadEditor::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1)
        return;
    const QString path = urls.first().toLocalFile();
    // The drag source waits until this handler returns; the question about unsaved changes
    // and the load come afterwards.
    QMetaObject::invokeMethod(
        this, [this, path] { Open_Dropped_File(path); }, Qt::QueuedConnection);
}

void TDownloadEditor::Open_Dropped_File(const QString &path)
{
    // Only a file that can be read is worth the question about unsaved changes.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable() || !Settle_Unsaved_Changes())
        return;
    Load_Download_File(path, nullptr);
}

bool TDownloadEditor::Load_Download_File(const QString &path, QString *error)
{
    // A file that cannot be read leaves the document, the captions, the save target and
    // the unsaved state as they were.
    if (!d_document->Load_File(path, error))
        return false;
    Finish_Load(path);
    if (!d_document->Get_Losses().isEmpty())
        Show_File_Message(d_message_box, Lossy_File, path, Loss_Sentences(d_document->Get_Losses()),
                          true);
    return true;
}

void TDownloadEditor::Start_Load()
{
    // The line view activates line 0 from inside the load; with no current line that
    // activation commits nothing into the new lines.
    d_current_line = -1;
    d_current_parameter = -1;
    d_comparison->Show_References(-1, -1);
}

void TDownloadEditor::Finish_Load(const QString &path)
{
    d_write_action->setEnabled(true);
    d_file_name_label->setText(QDir::toNativeSeparators(path));
    d_file_caption_label->setText(tr(Active_Caption));
    // Not a box: the file opened, and the bytes are kept; only the letters may look odd.
    d_file_note_label->setText(tr("This file looks like UTF-8: accented letters may show as "
                                  "two characters. Its bytes are kept."));
    d_file_note_label->setVisible(d_document->Looks_Like_Utf8());
    // The steps refer to the lines that the load replaced.
    d_undo_stack->clear();
    d_comparison->Update();
    if (d_current_line < 0) {
        // No line is shown now: leave nothing editable that could never be committed. A view
        // that holds the focus would hand it along the tab chain onto Close as the panels
        // go, so the focus leaves the editor first and stays nowhere.
        if (d_data_editor->Get_Focus_Place().inside)
            QApplication::focusWidget()->clearFocus();
        d_data_editor->Reset_Editor(false);
        d_data_editor->Set_Item_Count(0);
        d_data_editor->Set_Simple_Text(QString());
    }
}

// -------------------- Activation and commit -----------------------------------------------

void TDownloadEditor::Line_Activated(int index)
{
    Commit_Edits();
    // The first line shown after a load brings the focus into the editor.
    const bool first_after_load = d_current_line < 0;
    d_current_line = index;
    Show_Line(d_document->Get_Line(index), first_after_load);
}

void TDownloadEditor::Key_Pressed(int key)
{
    // In the search field Down leaves the field instead, and Up does nothing.
    if (d_find_bar->Has_Focus())
        return;
    if (key == Qt::Key_Up)
        d_file_line_widget->Decrement_Active_Line();
    else if (key == Qt::Key_Down)
        d_file_line_widget->Increment_Active_Line();
}

void TDownloadEditor::Scale_Resolution_Changed(int resolution)
{
    // Typed into the field, the resolution is newer than a scale line among the edits, so
    // the committed line does not replace it.
    if (Has_Pending_Edits())
        Commit_Line();
    d_data_editor->Set_Scale_Resolution(Write_Scale_Line(resolution));
    if (d_current_line >= 0)
        Show_Line(d_document->Get_Line(d_current_line));
}

int TDownloadEditor::Write_Scale_Line(int resolution)
{
    // One resolution for the views, the file and whoever reads it later: the file's. A
    // field that overrode it would convert millimetres that the file then reads otherwise.
    const int index = d_document->Scale_Line_Index();
    if (index < 0 || resolution <= 0)
        return resolution;
    const QString line = DownloadFile::Scale_Line_For(d_document->Get_Line(index), resolution);
    if (line.isNull())
        return 0;
    Push_Line_Change(d_undo_stack, d_document, index, line, d_scale_field_visit);
    return resolution;
}

void TDownloadEditor::Scale_Resolution_Edit_Finished()
{
    ++d_scale_field_visit;
    // Left with no resolution that the scale line took, the field shows the line's again.
    const int file_resolution = d_document->Scale_Resolution();
    if (file_resolution < 0 || file_resolution == d_file_line_widget->Get_Shown_Scale_Resolution())
        return;
    d_file_line_widget->Show_Scale_Resolution(file_resolution);
    Scale_Resolution_Changed(file_resolution);
}

void TDownloadEditor::Show_Line(const QString &line, bool take_focus)
{
    // Refilling hides and disables views; one that holds the focus would pass it along the
    // tab chain, into the scale field or onto Close, where the next key does harm. The
    // focus waits outside until the refill is done and then goes back into the editor.
    TDataEditorWidget::Focus_Place place = d_data_editor->Get_Focus_Place();
    if (place.inside)
        QApplication::focusWidget()->clearFocus();
    place.inside = place.inside || take_focus;
    Fill_Editor(line);
    d_data_editor->Restore_Focus(place);
    // Beside the views of a line that differs from the reference: the reference's values.
    d_comparison->Show_References(d_current_line, d_current_parameter);
}

void TDownloadEditor::Fill_Editor(const QString &line)
{
    const LineSyntax::ParameterLine read = LineSyntax::Read_Parameter_Line(line, d_parameter_table);
    d_current_parameter = read.Is_Described() ? read.description.number : -1;
    if (!read.Is_Described()) {
        d_data_editor->Reset_Editor(true);
        d_data_editor->Set_Simple_Text(line);
        return;
    }
    d_data_editor->Reset_Editor(false, read.fields.size());
    d_data_editor->Set_Simple_Text(line);
    for (int i = 0; i < read.fields.size(); ++i) {
        const LineSyntax::FieldReading &field = read.fields.at(i);
        d_data_editor->Set_Item(i, field.item.letter, field.value, field.item.help, field.present,
                                field.item.scaled);
    }
}

bool TDownloadEditor::Has_Pending_Edits() const
{
    return d_current_line >= 0 && d_data_editor->Is_Changed();
}

void TDownloadEditor::Commit_Line()
{
    assert(d_current_line >= 0);
    // Only the fields the user edited are written: untouched fields keep their digits, and
    // text that merely looks like a field (a comment's "W-Achse") stays as it is.
    const QString text = d_data_editor->Is_Simple_Mode()
                             ? d_data_editor->Get_Simple_Text()
                             : LineSyntax::Rewrite_Fields(d_document->Get_Line(d_current_line),
                                                          d_data_editor->Get_Edited_Fields());
    Push_Line_Change(d_undo_stack, d_document, d_current_line, text);
}

bool TDownloadEditor::Commit_Edits()
{
    // The editor keeps its changed flag after a commit, so the same edits may come again;
    // only a commit that changes the line is a step.
    if (!Has_Pending_Edits())
        return false;
    Commit_Line();
    Apply_Scale_Line(d_current_line);
    return true;
}

void TDownloadEditor::Commit_Edits_And_Refill()
{
    if (Commit_Edits())
        Show_Line(d_document->Get_Line(d_current_line));
}

void TDownloadEditor::Apply_Scale_Line(int index)
{
    // A scale resolution line that changes is in force at once, as after a load. Such a
    // line has no S token, so the editor shows it as text and has no millimetres to redraw.
    if (d_document->Scale_Line_Index() != index)
        return;
    const int resolution = d_document->Scale_Resolution();
    d_file_line_widget->Show_Scale_Resolution(resolution);
    d_data_editor->Set_Scale_Resolution(resolution);
}

// -------------------- Undo and redo -------------------------------------------------------

void TDownloadEditor::Undo()
{
    // Edits still in the editor become a step of their own first: otherwise the next
    // activation would commit them over the line that undo restores.
    Commit_Edits_And_Refill();
    if (!d_undo_stack->canUndo())
        return;
    d_undo_stack->undo();
    Show_Restored_Line(d_undo_stack->command(d_undo_stack->index()));
}

void TDownloadEditor::Redo()
{
    Commit_Edits_And_Refill();
    if (!d_undo_stack->canRedo())
        return;
    d_undo_stack->redo();
    Show_Restored_Line(d_undo_stack->command(d_undo_stack->index() - 1));
}

void TDownloadEditor::Show_Restored_Line(const QUndoCommand *command)
{
    const int index = dynamic_cast<const TLineChangeCommand &>(*command).Get_Line();
    Apply_Scale_Line(index);
    // The restored line becomes the active one, so the user sees what changed.
    d_file_line_widget->Select_Line(index);
}

// -------------------- Comparison with a reference file ------------------------------------

bool TDownloadEditor::Compare_File(const QString &path)
{
    return d_comparison->Compare_File(path);
}

void TDownloadEditor::Take_Over_Reference_Values()
{
    if (d_current_line < 0)
        return;
    // Edits still typed in are a change of their own, made before the reference's.
    Commit_Edits_And_Refill();
    d_comparison->Take_Over(d_current_line);
    Show_Line(d_document->Get_Line(d_current_line));
}

// -------------------- Saving and closing --------------------------------------------------

void TDownloadEditor::Write_File()
{
    Save_Download_File();
}

bool TDownloadEditor::Save_Download_File()
{
    const QString file_name = TDialogSeam::Get_Save_File_Name(
        this, tr("Write Vantor4-16 Download File"),
        QDir::fromNativeSeparators(d_file_name_label->text()), tr(File_Filter));
    Commit_Edits_And_Refill();
    if (file_name.isEmpty() || !May_Overwrite(file_name))
        return false;
    QString error;
    // Changed by another program while it was saved, nothing was replaced: the question again.
    while (!d_document->Save_File(file_name, &error)) {
        if (d_document->Risk_Of_Saving_To(file_name) !=
            TDownloadDocument::Overwrite_Risk::Changed_On_Disk) {
            Show_File_Message(d_message_box, Write_Failed, file_name, {error});
            return false;
        }
        if (!May_Overwrite(file_name))
            return false;
    }
    d_undo_stack->setClean();
    d_file_name_label->setText(QDir::toNativeSeparators(file_name));
    d_file_caption_label->setText(tr(Active_Caption));
    return true;
}

bool TDownloadEditor::May_Overwrite(const QString &file_name)
{
    switch (d_document->Risk_Of_Saving_To(file_name)) {
    case TDownloadDocument::Overwrite_Risk::Changed_On_Disk:
        if (Show_File_Message(d_message_box, Changed_On_Disk, file_name) != QMessageBox::Yes)
            return false;
        d_document->Accept_Disk_Version(); // only a further change stops the save now
        return true;
    case TDownloadDocument::Overwrite_Risk::Unkept_Content:
        return Show_File_Message(d_message_box, Lossy_Save, file_name,
                                 Loss_Sentences(d_document->Get_Losses()),
                                 true) == QMessageBox::Yes;
    case TDownloadDocument::Overwrite_Risk::None:
        break;
    }
    return true;
}

bool TDownloadEditor::Settle_Unsaved_Changes()
{
    // Typed but not yet committed values count as changes too.
    Commit_Edits_And_Refill();
    if (!d_data_modified)
        return true;
    switch (Show_Message(d_message_box, Data_Not_Saved, QString(), Changed_Lines(*d_document))) {
    case QMessageBox::Yes:
        // Going on after a save that did not happen would lose the changes.
        return Save_Download_File();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TDownloadEditor::reject()
{
    close();
}

void TDownloadEditor::closeEvent(QCloseEvent *event)
{
    Store_Settings();
    if (Settle_Unsaved_Changes())
        event->accept();
    else
        event->ignore();
}

void TDownloadEditor::Store_Settings()
{
    if (d_settings->Store(d_file_name_label->text(), d_file_line_widget->Get_Scale_Resolution()) ==
        TEditorSettings::Store_Result::Failed)
        Show_File_Message(d_message_box, Settings_Not_Saved, d_settings->Get_File_Name());
}
