#include "downloadeditor.h"

#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloadfile.h"
#include "elidinglabel.h"
#include "filelinewidget.h"
#include "linesyntax.h"
#include "messagebox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QToolBar>
#include <QUndoCommand>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include <cassert>
#include <functional>
#include <utility>

namespace {

const char File_Filter[] = "Vantor Download Files (*.oad *.txt)";
const char Active_Caption[] = "Active Download File:";
const char Last_File_Key[] = "Last_File";
const char Scale_Resolution_Key[] = "Scale_Resolution";

struct Message
{
    const char *text;
    const char *informative_text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton default_button;
    const char *closing = nullptr; // below the file and the details
};

const Message Open_Failed = {"Open download file", "Unable to open the download file",
                             QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
const Message Write_Failed = {"Write download file", "Unable to write the download file",
                              QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
const Message Reference_Failed = {"Open reference file", "Unable to open the reference file",
                                  QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
const Message Data_Not_Saved = {
    "Data Not Saved", "The download file has been modified.  Do you want to save the changes?",
    QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
    QMessageBox::Yes};
const Message Lossy_File = {"Download file cannot be kept whole",
                            "The editor cannot keep all of the download file:",
                            QMessageBox::Warning,
                            QMessageBox::Ok,
                            QMessageBox::Ok,
                            "Saving over this file will ask first."};
const Message Lossy_Save = {"Save over the original file",
                            "The editor could not keep all of the download file:",
                            QMessageBox::Warning,
                            QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::No,
                            "Do you want to save over it all the same and lose this?"};
const Message Changed_On_Disk = {
    "Download file changed on disk",
    "Another program has changed the download file since it was opened or last saved here:",
    QMessageBox::Warning,
    QMessageBox::Yes | QMessageBox::No,
    QMessageBox::No,
    "Do you want to overwrite those changes?"};
const Message Settings_Not_Saved = {
    "Settings not saved",
    "Unable to write the settings file",
    QMessageBox::Warning,
    QMessageBox::Ok,
    QMessageBox::Ok,
    "The last download file and the scale resolution will not be remembered."};

// Every message of the window goes through its one box, set afresh each time. A message
// about a file gets an explanation of its own (see Explanation); detail is the box's
// detailed text.
int Show_Message(TMessageBox *box, const Message &message, const QString &explanation = QString(),
                 const QString &detail = QString())
{
    const QString text = QString::fromLatin1(message.text);
    box->Set_Text(text);
    box->Set_Informative_Text(explanation.isEmpty() ? QString::fromLatin1(message.informative_text)
                                                    : explanation);
    box->setDetailedText(detail);
    box->setIcon(message.icon);
    box->setStandardButtons(message.buttons);
    box->setDefaultButton(message.default_button);
    return TDialogSeam::Exec_Message_Box(box, text);
}

// The message's explanation as markup: its sentence, the file, the details (a reason, or
// one bullet per loss), then its closing sentence. Paths and reasons are not markup.
QString Explanation(const Message &message, const QString &path, const QStringList &details,
                    bool bullets = false)
{
    QString html = QString::fromLatin1(message.informative_text).toHtmlEscaped() +
                   QStringLiteral("<br>") + QDir::toNativeSeparators(path).toHtmlEscaped();
    if (bullets)
        html += QStringLiteral("<br>");
    for (const QString &detail : details)
        html += (bullets ? QStringLiteral("<br>&bull; ") : QStringLiteral("<br>")) +
                detail.toHtmlEscaped();
    if (message.closing)
        html += QStringLiteral("<br><br>") + QString::fromLatin1(message.closing);
    return html;
}

QStringList Loss_Sentences(const QVector<DownloadFile::Loss> &losses)
{
    QStringList sentences;
    for (const DownloadFile::Loss &loss : DownloadFile::Summarise(losses))
        sentences.append(DownloadFile::Describe(loss));
    return sentences;
}

// Whether settings can be stored at path without overriding the user: a file that nobody
// may write stays as it is, also for root, whom the file system would let replace it.
bool Settings_Writable(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists())
        return file.isFile() && file.isWritable() &&
               (file.permissions() &
                (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
    // A folder that does not exist yet is made by the first write below the nearest one
    // that does.
    QFileInfo folder(file.absolutePath());
    while (!folder.exists())
        folder = QFileInfo(folder.absolutePath());
    return folder.isDir() && folder.isWritable();
}

QFrame *New_Separator(QWidget *parent)
{
    auto *separator = new QFrame(parent);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    return separator;
}

// One committed change of one line. The new text is already in the lines when the
// command is pushed; undo and redo later put the one or the other text back.
class TLineChangeCommand : public QUndoCommand
{
public:
    using Apply = std::function<void(int index, const QString &text)>;

    TLineChangeCommand(int index, QString old_text, QString new_text, Apply apply)
        : d_index(index)
        , d_old_text(std::move(old_text))
        , d_new_text(std::move(new_text))
        , d_apply(std::move(apply))
    {}

    void undo() override { d_apply(d_index, d_old_text); }

    void redo() override
    {
        if (d_pushing) {
            d_pushing = false;
            return;
        }
        d_apply(d_index, d_new_text);
    }

private:
    int d_index;
    QString d_old_text;
    QString d_new_text;
    Apply d_apply;
    bool d_pushing = true;
};

// The key sequence of a key press, to be compared with a shortcut.
QKeySequence Key_Sequence(const QKeyEvent *key)
{
    return QKeySequence(static_cast<int>(key->modifiers()) | key->key());
}

} // namespace

// -------------------- Construction --------------------------------------------------------

TDownloadEditor::TDownloadEditor(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setAcceptDrops(true);
    resize(1001, 701);
    d_settings = new QSettings(Settings_Path(QCoreApplication::applicationDirPath()),
                               QSettings::IniFormat, this);
    d_undo_stack = new QUndoStack(this);

    // The toolbar sits flush with the window; everything below keeps the style's margins.
    auto *outer_layout = new QVBoxLayout(this);
    const QMargins margins = outer_layout->contentsMargins();
    outer_layout->setContentsMargins(0, 0, 0, 0);
    outer_layout->addWidget(Create_Tool_Bar(), 0);

    auto *grid_layout = new QGridLayout();
    grid_layout->setContentsMargins(margins);
    Create_Panes(grid_layout);
    auto *close_button = Create_Footer(grid_layout);
    outer_layout->addLayout(grid_layout, 0);

    d_message_box = new TMessageBox(this);
    d_read_action->setEnabled(true);
    d_write_action->setEnabled(false);
    setWindowTitle(QStringLiteral("Vantor4-16 Download Editor - Version 3.0"));
    Read_Settings();
    d_file_caption_label->setText(QStringLiteral("Recent Download File:"));
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
    // window then (clearing the undo history reports its new state).
    d_undo_stack->disconnect(this);
    disconnect(qApp, nullptr, this, nullptr);
}

QString TDownloadEditor::Settings_Path(const QString &program_folder)
{
    const QString settings_name = QStringLiteral("/settings.ini");
    const QFileInfo folder(QDir(program_folder).absolutePath());
    // Beside the program for portable use; an installed program keeps them for each user.
    if (folder.isDir() && folder.isWritable())
        return folder.absoluteFilePath() + settings_name;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + settings_name;
}

QToolBar *TDownloadEditor::Create_Tool_Bar()
{
    auto *tool_bar = new QToolBar(this);
    tool_bar->setIconSize(QSize(32, 32));

    d_read_action = new QAction(this);
    d_read_action->setToolTip(QStringLiteral("Load download file"));
    d_read_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    d_read_action->setIcon(QIcon(QStringLiteral(":/toolbar/file_open_x32.png")));

    d_write_action = new QAction(this);
    d_write_action->setToolTip(QStringLiteral("Save download file"));
    d_write_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    d_write_action->setIcon(QIcon(QStringLiteral(":/toolbar/file_save_x32.png")));

    d_undo_action = new QAction(this);
    d_undo_action->setToolTip(QStringLiteral("Undo"));
    d_undo_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    d_undo_action->setIcon(QIcon(QStringLiteral(":/toolbar/edit_undo_x32.png")));
    d_undo_action->setEnabled(false);

    d_redo_action = new QAction(this);
    d_redo_action->setToolTip(QStringLiteral("Redo"));
    d_redo_action->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    d_redo_action->setIcon(QIcon(QStringLiteral(":/toolbar/edit_redo_x32.png")));
    d_redo_action->setEnabled(false);

    tool_bar->addAction(d_read_action);
    tool_bar->addAction(d_write_action);
    tool_bar->addSeparator();
    tool_bar->addAction(d_undo_action);
    tool_bar->addAction(d_redo_action);
    tool_bar->addSeparator();
    Create_Comparison_Actions(tool_bar);
    return tool_bar;
}

void TDownloadEditor::Create_Comparison_Actions(QToolBar *tool_bar)
{
    d_compare_action = new QAction(this);
    d_compare_action->setToolTip(QStringLiteral("Compare with a reference file"));
    d_compare_action->setIcon(QIcon(QStringLiteral(":/toolbar/compare_x32.png")));

    d_take_over_action = new QAction(this);
    d_take_over_action->setToolTip(QStringLiteral("Take over the reference values"));
    d_take_over_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    d_take_over_action->setIcon(QIcon(QStringLiteral(":/toolbar/take_over_x32.png")));
    d_take_over_action->setEnabled(false);

    d_end_comparison_action = new QAction(this);
    d_end_comparison_action->setToolTip(QStringLiteral("End the comparison"));
    d_end_comparison_action->setIcon(QIcon(QStringLiteral(":/toolbar/end_compare_x32.png")));
    d_end_comparison_action->setEnabled(false);

    tool_bar->addAction(d_compare_action);
    tool_bar->addAction(d_take_over_action);
    tool_bar->addAction(d_end_comparison_action);
    // The comparison's summary sits in the toolbar's spare width, so the window keeps its height.
    d_comparison_label = new QLabel(tool_bar);
    d_comparison_label->setContentsMargins(8, 0, 8, 0);
    tool_bar->addWidget(d_comparison_label);
}

void TDownloadEditor::Create_Panes(QGridLayout *grid_layout)
{
    auto *caption_layout = new QHBoxLayout();
    d_file_caption_label = new QLabel(this);
    d_file_caption_label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    // A long path is elided, so that it never widens the window.
    d_file_name_label = new TElidingLabel(this);
    caption_layout->addWidget(d_file_caption_label);
    caption_layout->addWidget(d_file_name_label);
    grid_layout->addLayout(caption_layout, 0, 0, 1, 2);

    grid_layout->addWidget(New_Separator(this), 1, 0, 1, 2);

    d_file_line_widget = new TFileLineWidget(this);
    d_file_line_widget->setMinimumWidth(100);
    d_file_line_widget->setMaximumWidth(320);
    grid_layout->addWidget(d_file_line_widget, 2, 0);

    d_data_editor = new TDataEditorWidget(this);
    d_data_editor->setMinimumWidth(400);
    grid_layout->addWidget(d_data_editor, 2, 1);

    grid_layout->addWidget(New_Separator(this), 3, 0, 1, 2);
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
    notice_label->setText(QStringLiteral(
        "Vantor4-16 parameter download editor - for service use by trained technicians"));
    auto *close_button = new QPushButton(QStringLiteral("Close"), this);
    close_button->setAutoDefault(false);
    footer_layout->addWidget(logo_label);
    footer_layout->addWidget(notice_label);
    footer_layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    footer_layout->addWidget(close_button);
    grid_layout->addLayout(footer_layout, 4, 0, 1, 2);
    return close_button;
}

void TDownloadEditor::Read_Settings()
{
    d_file_name_label->setText(d_settings->value(QLatin1String(Last_File_Key)).toString());
    // A stored value that is no positive whole number counts as missing: read as an int,
    // 99999999999 would wrap and 1e4 or abc would leave the view's own 1000.
    const int stored = TFileLineWidget::Read_Scale_Resolution(
        d_settings->value(QLatin1String(Scale_Resolution_Key)).toString());
    d_file_line_widget->Set_Scale_Resolution(stored > 0 ? stored
                                                        : DownloadFile::Default_Scale_Resolution);
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
    connect(d_data_editor, &TDataEditorWidget::Commit_Requested, this,
            &TDownloadEditor::Commit_In_Place);
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);

    connect(d_undo_action, &QAction::triggered, this, &TDownloadEditor::Undo);
    connect(d_redo_action, &QAction::triggered, this, &TDownloadEditor::Redo);
    connect(d_undo_stack, &QUndoStack::canUndoChanged, d_undo_action, &QAction::setEnabled);
    connect(d_undo_stack, &QUndoStack::canRedoChanged, d_redo_action, &QAction::setEnabled);
    connect(d_undo_stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { d_data_modified = !clean; });
    connect(d_undo_stack, &QUndoStack::indexChanged, this, &TDownloadEditor::Update_Comparison);
    connect(d_compare_action, &QAction::triggered, this, &TDownloadEditor::Read_Reference_File);
    connect(d_take_over_action, &QAction::triggered, this,
            &TDownloadEditor::Take_Over_Reference_Values);
    connect(d_end_comparison_action, &QAction::triggered, this, &TDownloadEditor::End_Comparison);
    connect(qApp, &QApplication::focusChanged, this, &TDownloadEditor::Focus_Changed);
}

// -------------------- Opening -------------------------------------------------------------

QString TDownloadEditor::Command_Line_File(const QStringList &arguments,
                                           const QString &current_directory)
{
    if (arguments.size() < 2)
        return QString();
    const QString path = QDir::fromNativeSeparators(
        QDir::cleanPath(QDir(current_directory).absoluteFilePath(arguments.last())));
    return QFile::exists(path) ? path : QString();
}

void TDownloadEditor::Open_File(const QString &path)
{
    // From the command line (and a drop) a file that cannot be read changes nothing, silently.
    if (!path.isEmpty())
        Load_Download_File(path, nullptr);
}

void TDownloadEditor::Read_File()
{
    if (!Settle_Unsaved_Changes())
        return;
    const QString file_name = TDialogSeam::Get_Open_File_Name(
        this, QStringLiteral("Open Vantor4-16 Download File"),
        QDir::fromNativeSeparators(d_file_name_label->text()), QLatin1String(File_Filter));
    if (file_name.isEmpty())
        return;
    QString error;
    if (!Load_Download_File(file_name, &error))
        Show_Message(d_message_box, Open_Failed, Explanation(Open_Failed, file_name, {error}));
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
    Open_File(path);
}

bool TDownloadEditor::Load_Download_File(const QString &path, QString *error)
{
    // Read before anything changes: a file that cannot be read leaves the document, the
    // captions, the save target and the unsaved state as they were.
    DownloadFile::Content content;
    DownloadFile::FileStamp stamp;
    if (!DownloadFile::Read_File(path, &content, error, &stamp))
        return false;
    Start_Load();
    d_file_line_widget->Load_Content(content);
    Finish_Load(path);
    d_file_stamp = stamp;
    d_file_losses = content.losses;
    if (content.Is_Lossy())
        Show_Message(d_message_box, Lossy_File,
                     Explanation(Lossy_File, path, Loss_Sentences(content.losses), true));
    return true;
}

void TDownloadEditor::Start_Load()
{
    // The line view activates line 0 from inside the load; with no current line that
    // activation commits nothing into the new lines.
    d_current_line = -1;
    d_current_parameter = -1;
}

void TDownloadEditor::Finish_Load(const QString &path)
{
    d_write_action->setEnabled(true);
    d_file_name_label->setText(QDir::toNativeSeparators(path));
    d_file_caption_label->setText(QLatin1String(Active_Caption));
    // The steps refer to the lines that the load replaced.
    d_undo_stack->clear();
    Update_Comparison();
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
    Commit_Pending_Edits();
    // The first line shown after a load brings the focus into the editor.
    Show_Line(d_file_line_widget->Get_Line(index), d_current_line < 0);
    d_current_line = index;
    Show_References();
}

void TDownloadEditor::Commit_In_Place()
{
    if (d_current_line < 0)
        return;
    Commit_Pending_Edits();
    // The views show the values as written, on the same line.
    Show_Line(d_file_line_widget->Get_Line(d_current_line));
}

void TDownloadEditor::Key_Pressed(int key)
{
    if (key == Qt::Key_Up)
        d_file_line_widget->Decrement_Active_Line();
    else if (key == Qt::Key_Down)
        d_file_line_widget->Increment_Active_Line();
}

void TDownloadEditor::Scale_Resolution_Changed(int resolution)
{
    // Typed into the field, the resolution is newer than a scale line among the edits, so
    // the committed line does not replace it.
    Commit_Changed_Line();
    d_data_editor->Set_Scale_Resolution(resolution);
    if (d_current_line >= 0)
        Show_Line(d_file_line_widget->Get_Line(d_current_line));
    Show_References(); // their millimetres
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

void TDownloadEditor::Commit_Line()
{
    assert(d_current_line >= 0);
    if (d_data_editor->Is_Simple_Mode()) {
        Set_Document_Line(d_current_line, d_data_editor->Get_Simple_Text());
        return;
    }
    // Only the fields the user edited are written: untouched fields keep their digits, and
    // text that merely looks like a field (a comment's "W-Achse") stays as it is.
    const QString line = d_file_line_widget->Get_Line(d_current_line);
    Set_Document_Line(d_current_line,
                      LineSyntax::Rewrite_Fields(line, d_data_editor->Get_Edited_Fields()));
}

void TDownloadEditor::Commit_Pending_Edits()
{
    if (Commit_Changed_Line())
        Follow_Scale_Resolution_Line(d_current_line);
}

bool TDownloadEditor::Commit_Changed_Line()
{
    // The editor keeps its changed flag after a commit, so the same edits may come again;
    // only a commit that changes the line is a change.
    if (d_current_line < 0 || !d_data_editor->Is_Changed())
        return false;
    Commit_Line();
    return true;
}

void TDownloadEditor::Follow_Scale_Resolution_Line(int index)
{
    // A scale resolution line that changes is in force at once, as after a load. Such a
    // line has no S token, so the editor shows it as text and has no millimetres to redraw.
    if (d_file_line_widget->Scale_Resolution_Line() != index)
        return;
    const int resolution = DownloadFile::Scale_Resolution_Of(d_file_line_widget->Get_Line(index));
    d_file_line_widget->Show_Scale_Resolution(resolution);
    d_data_editor->Set_Scale_Resolution(resolution);
}

// -------------------- Undo and redo -------------------------------------------------------

void TDownloadEditor::Set_Document_Line(int index, const QString &text)
{
    const QString old_text = d_file_line_widget->Get_Line(index);
    if (text == old_text)
        return;
    d_file_line_widget->Set_Line(index, text);
    d_undo_stack->push(
        new TLineChangeCommand(index, old_text, text, [this](int line, const QString &line_text) {
            Restore_Line(line, line_text);
        }));
}

void TDownloadEditor::Restore_Line(int index, const QString &text)
{
    d_file_line_widget->Set_Line(index, text);
    Follow_Scale_Resolution_Line(index);
    // The restored line becomes the active one, so the user sees what changed.
    d_file_line_widget->Select_Line(index);
}

void TDownloadEditor::Settle_Editor()
{
    // Edits still in the editor become a step of their own, and the editor is filled afresh:
    // otherwise the next activation would commit them over the line that undo restores.
    if (d_current_line < 0 || !d_data_editor->Is_Changed())
        return;
    Commit_Pending_Edits();
    Show_Line(d_file_line_widget->Get_Line(d_current_line));
}

void TDownloadEditor::Undo()
{
    Settle_Editor();
    d_undo_stack->undo();
}

void TDownloadEditor::Redo()
{
    Settle_Editor();
    d_undo_stack->redo();
}

void TDownloadEditor::Focus_Changed(QWidget *old_focus, QWidget *new_focus)
{
    Q_UNUSED(old_focus);
    // Only the focused widget is offered the undo keys first; see eventFilter.
    if (qobject_cast<QLineEdit *>(new_focus) && isAncestorOf(new_focus))
        new_focus->installEventFilter(this);
}

bool TDownloadEditor::eventFilter(QObject *watched, QEvent *event)
{
    // A line edit claims the undo and redo keys even when it has nothing left to undo or
    // redo. Left unclaimed then, they reach the window's own undo and redo.
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (edit && event->type() == QEvent::ShortcutOverride) {
        const QKeySequence keys = Key_Sequence(static_cast<QKeyEvent *>(event));
        if ((d_undo_action->shortcuts().contains(keys) && !edit->isUndoAvailable()) ||
            (d_redo_action->shortcuts().contains(keys) && !edit->isRedoAvailable()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

QString TDownloadEditor::Changed_Lines_Text() const
{
    QStringList changes;
    for (int i = 0; i < d_file_line_widget->Get_Line_Count(); ++i) {
        const QString saved = d_file_line_widget->Get_Saved_Line(i);
        const QString line = d_file_line_widget->Get_Line(i);
        if (line != saved)
            changes.append(QStringLiteral("Line %1: %2 \u2192 %3").arg(i + 1).arg(saved, line));
    }
    return changes.join(QLatin1Char('\n'));
}

// -------------------- Comparison with a reference file ------------------------------------

bool TDownloadEditor::Compare_File(const QString &path)
{
    if (path.isEmpty() || !d_comparison.Load(path))
        return false;
    d_end_comparison_action->setEnabled(true);
    Update_Comparison();
    return true;
}

void TDownloadEditor::Read_Reference_File()
{
    const QString start = d_comparison.Is_Active()
                              ? d_comparison.Get_Path()
                              : QDir::fromNativeSeparators(d_file_name_label->text());
    const QString file_name = TDialogSeam::Get_Open_File_Name(
        this, QStringLiteral("Open Reference Download File"), start, QLatin1String(File_Filter));
    if (!file_name.isEmpty() && !Compare_File(file_name))
        Show_Message(d_message_box, Reference_Failed);
}

void TDownloadEditor::End_Comparison()
{
    d_comparison.Clear();
    d_end_comparison_action->setEnabled(false);
    Update_Comparison();
}

void TDownloadEditor::Take_Over_Reference_Values()
{
    if (d_current_line < 0 || !d_comparison.Is_Active())
        return;
    // Edits still typed in are a change of their own, made before the reference's.
    Settle_Editor();
    const QString line = d_file_line_widget->Get_Line(d_current_line);
    Set_Document_Line(d_current_line, LineSyntax::Rewrite_Fields(
                                          line, d_comparison.Get_Reference_Values(d_current_line)));
    Show_Line(d_file_line_widget->Get_Line(d_current_line));
    Show_References();
}

void TDownloadEditor::Update_Comparison()
{
    QStringList lines;
    for (int i = 0; i < d_file_line_widget->Get_Line_Count(); ++i)
        lines.append(d_file_line_widget->Get_Line(i));
    d_comparison.Compare(lines);
    d_file_line_widget->Set_Reference_Lines(d_comparison.Get_Differing_Lines());
    const bool active = d_comparison.Is_Active();
    const QString path = QDir::toNativeSeparators(d_comparison.Get_Path());
    d_comparison_label->setText(
        active ? QStringLiteral("Reference %1: %2")
                     .arg(QFileInfo(path).fileName(), d_comparison.Get_Summary())
               : QString());
    d_comparison_label->setToolTip(active ? path : QString());
    Show_References();
}

void TDownloadEditor::Show_References()
{
    // Beside the views of a line that differs from the reference: the reference's values.
    d_data_editor->Clear_References();
    const auto reference = d_current_line >= 0 && d_current_parameter >= 0
                               ? d_comparison.Get_Reference_Line(d_current_line)
                               : std::nullopt;
    d_take_over_action->setEnabled(reference &&
                                   !d_comparison.Get_Reference_Values(d_current_line).isEmpty());
    if (!reference || reference->Number() != d_current_parameter)
        return;
    const QString letters = d_comparison.Get_Differing_Letters(d_current_line);
    for (int i = 0; i < reference->fields.size(); ++i) {
        const LineSyntax::FieldReading &field = reference->fields.at(i);
        d_data_editor->Set_Item_Reference(
            i, field.present ? std::optional<qint32>(field.value) : std::nullopt,
            letters.contains(field.item.letter));
    }
}

// -------------------- Saving and closing --------------------------------------------------

void TDownloadEditor::Write_File()
{
    Save_Download_File();
}

bool TDownloadEditor::Save_Download_File()
{
    const QString file_name = TDialogSeam::Get_Save_File_Name(
        this, QStringLiteral("Write Vantor4-16 Download File"),
        QDir::fromNativeSeparators(d_file_name_label->text()), QLatin1String(File_Filter));
    Commit_Pending_Edits();
    if (file_name.isEmpty() || !May_Overwrite(file_name))
        return false;
    QString error;
    DownloadFile::FileStamp stamp;
    if (!d_file_line_widget->Save_File(file_name, &error, &stamp)) {
        Show_Message(d_message_box, Write_Failed, Explanation(Write_Failed, file_name, {error}));
        return false;
    }
    d_undo_stack->setClean();
    d_file_line_widget->Mark_Saved();
    // The file now holds the document and nothing else.
    d_file_stamp = stamp;
    d_file_losses.clear();
    d_file_name_label->setText(QDir::toNativeSeparators(file_name));
    d_file_caption_label->setText(QLatin1String(Active_Caption));
    return true;
}

bool TDownloadEditor::May_Overwrite(const QString &file_name)
{
    // Only the file the document came from can hold more than the document: changes
    // someone else made meanwhile, or what the editor could not keep when reading it.
    if (!DownloadFile::Is_Stamped_File(d_file_stamp, file_name) || !QFileInfo::exists(file_name))
        return true;
    // Once the user agrees to overwrite a changed file, what the old one held is moot.
    if (DownloadFile::Changed_Since(d_file_stamp))
        return Show_Message(d_message_box, Changed_On_Disk,
                            Explanation(Changed_On_Disk, file_name, {})) == QMessageBox::Yes;
    if (!d_file_losses.isEmpty())
        return Show_Message(d_message_box, Lossy_Save,
                            Explanation(Lossy_Save, file_name, Loss_Sentences(d_file_losses),
                                        true)) == QMessageBox::Yes;
    return true;
}

bool TDownloadEditor::Settle_Unsaved_Changes()
{
    // Typed but not yet committed values count as changes too.
    Commit_Pending_Edits();
    if (!d_data_modified)
        return true;
    switch (Show_Message(d_message_box, Data_Not_Saved, QString(), Changed_Lines_Text())) {
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
    if (Settings_Writable(d_settings->fileName())) {
        d_settings->setValue(QLatin1String(Last_File_Key), d_file_name_label->text());
        d_settings->setValue(QLatin1String(Scale_Resolution_Key),
                             d_file_line_widget->Get_Scale_Resolution());
        d_settings->sync();
        // On a full disk QSettings leaves an empty file behind and still reports success.
        if (d_settings->status() == QSettings::NoError &&
            QFileInfo(d_settings->fileName()).size() > 0)
            return;
    }
    // Once is enough: every close would fail the same way.
    if (d_settings_failure_shown)
        return;
    d_settings_failure_shown = true;
    Show_Message(d_message_box, Settings_Not_Saved,
                 Explanation(Settings_Not_Saved, d_settings->fileName(), {}));
}
