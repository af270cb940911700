#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloadeditor.h"
#include "filelinewidget.h"
#include "globalkeyevent.h"
#include "messagebox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <memory>

namespace {

// Counts the key presses that reach one widget.
class TKeyRecorder : public QObject
{
public:
    QList<int> keys;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            keys.append(static_cast<QKeyEvent *>(event)->key());
        return false;
    }
};

QString Settings_Path()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/settings.ini");
}

} // namespace

class tst_DownloadEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    // Construction and settings
    void construction();
    void layoutLimits();
    void settingsAtStart_data();
    void settingsAtStart();

    // Line activation and commit
    void commitItemEdit_data();
    void commitItemEdit();
    void commitSimpleEdit_data();
    void commitSimpleEdit();
    void clickOnShownLineCommitsAndReshows();
    void leavingWithoutEditCommitsNothing();
    void scaleResolutionChangeCommitsAndReshows();
    void arrowKeysMoveFromPanelAndReachFocusedEdit();

    // Opening
    void commandLineFile_data();
    void commandLineFile();
    void failedOpenIsReportedAndClearsEditor();
    void drop_data();
    void drop();
    void openOverUnsavedChanges_data();
    void openOverUnsavedChanges();

    // Saving and closing
    void saveWritesLatin1WithCrLf();
    void savedEditsDoNotCountAgain();
    void saveShortcutOnlyAfterRead();
    void closeQuestion_data();
    void closeQuestion();
    void closeRightAfterTypingAsks();
    void settingsStoredOnRefusedClose();
    void escapeGoesThroughCloseGuard();

private:
    void Create_Window();
    QString Write_Download(const QString &name, const QByteArray &bytes);
    QByteArray Read_Bytes(const QString &path) const;
    QList<TDataItemWidget *> Visible_Panels() const;
    QLineEdit *Panel_Edit(int panel, int view) const;
    QLineEdit *Simple_Editor() const;
    QLineEdit *Scale_Edit() const;
    QWidget *Canvas() const;
    void Type_Into(QLineEdit *edit, const QString &text);
    void Drop_Files(const QList<QUrl> &urls);
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    bool Asks_Before_Close();

    QByteArray d_settings_backup;
    bool d_settings_existed = false;
    std::unique_ptr<QTemporaryDir> d_dir;
    std::unique_ptr<TGlobalKeyEvent> d_key_filter;
    std::unique_ptr<TDownloadEditor> d_window;
    TFileLineWidget *d_lines = nullptr;
    TDataEditorWidget *d_editor = nullptr;
    TMessageBox *d_box = nullptr;
    QLabel *d_caption = nullptr;
    QLabel *d_name = nullptr;
    QLabel *d_logo = nullptr;
    QLabel *d_notice = nullptr;
    QAction *d_read = nullptr;
    QAction *d_write = nullptr;
    QPushButton *d_close = nullptr;
    QTimer d_watchdog;
    bool d_modal_left_open = false;
};

void tst_DownloadEditor::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    QFile settings(Settings_Path());
    d_settings_existed = settings.exists();
    if (d_settings_existed && settings.open(QIODevice::ReadOnly))
        d_settings_backup = settings.readAll();

    // A dialog that the seam did not answer would block the test; close it and fail instead.
    d_watchdog.setInterval(3000);
    connect(&d_watchdog, &QTimer::timeout, this, [this] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            d_modal_left_open = true;
            modal->close();
        }
    });
}

void tst_DownloadEditor::cleanupTestCase()
{
    {
        QSettings settings(Settings_Path(), QSettings::IniFormat);
        settings.clear();
    }
    if (d_settings_existed) {
        QFile settings(Settings_Path());
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(d_settings_backup);
    } else {
        QFile::remove(Settings_Path());
    }
}

void tst_DownloadEditor::init()
{
    // Through QSettings, not by deleting the file, so its cache never holds stale values.
    QSettings settings(Settings_Path(), QSettings::IniFormat);
    settings.clear();
    settings.sync();
    TDialogSeam::Clear();
    d_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(d_dir->isValid());
    d_modal_left_open = false;
    d_watchdog.start();
}

void tst_DownloadEditor::cleanup()
{
    d_watchdog.stop();
    if (d_key_filter)
        qApp->removeEventFilter(d_key_filter.get());
    d_window.reset();
    d_key_filter.reset();
    d_dir.reset();
    QVERIFY2(!d_modal_left_open, "a modal dialog was shown without an answer");
}

void tst_DownloadEditor::Create_Window()
{
    d_window = std::make_unique<TDownloadEditor>();
    // Wired as at start-up, so key presses take the program's own path.
    d_key_filter = std::make_unique<TGlobalKeyEvent>();
    qApp->installEventFilter(d_key_filter.get());
    connect(d_key_filter.get(), &TGlobalKeyEvent::Key_Pressed, d_window.get(),
            &TDownloadEditor::Key_Pressed);

    d_lines = d_window->findChild<TFileLineWidget *>();
    d_editor = d_window->findChild<TDataEditorWidget *>();
    d_box = d_window->findChild<TMessageBox *>();
    const auto labels = d_window->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(labels.size(), 4);
    d_caption = labels.at(0);
    d_name = labels.at(1);
    d_logo = labels.at(2);
    d_notice = labels.at(3);
    const auto actions = d_window->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(actions.size(), 2);
    d_read = actions.at(0);
    d_write = actions.at(1);
    d_close = d_window->findChild<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(d_lines && d_editor && d_box && d_close);

    d_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(d_window.get()));
    d_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d_window.get()));
}

QString tst_DownloadEditor::Write_Download(const QString &name, const QByteArray &bytes)
{
    const QString path = d_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(bytes);
    return path;
}

QByteArray tst_DownloadEditor::Read_Bytes(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

QList<TDataItemWidget *> tst_DownloadEditor::Visible_Panels() const
{
    QList<TDataItemWidget *> panels;
    for (TDataItemWidget *panel : d_editor->findChildren<TDataItemWidget *>())
        if (panel->isVisibleTo(d_editor))
            panels.append(panel);
    return panels;
}

// view 0: integer, 1: hexadecimal, 2: millimetres.
QLineEdit *tst_DownloadEditor::Panel_Edit(int panel, int view) const
{
    const auto panels = d_editor->findChildren<TDataItemWidget *>();
    if (panel >= panels.size())
        return nullptr;
    return panels.at(panel)->findChildren<QLineEdit *>().value(view);
}

QLineEdit *tst_DownloadEditor::Simple_Editor() const
{
    return d_editor->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
}

QLineEdit *tst_DownloadEditor::Scale_Edit() const
{
    return d_lines->findChild<QLineEdit *>();
}

QWidget *tst_DownloadEditor::Canvas() const
{
    for (QWidget *child : d_lines->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (child->metaObject() == &QWidget::staticMetaObject)
            return child;
    return nullptr;
}

void tst_DownloadEditor::Type_Into(QLineEdit *edit, const QString &text)
{
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(d_window->windowHandle(), Qt::Key_Delete);
    for (const QChar c : text)
        QTest::keyClick(d_window->windowHandle(), c.toLatin1());
}

// A drop reaches the window only after a drag has entered it.
void tst_DownloadEditor::Drop_Files(const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(d_window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(d_window.get(), &drop);
}

void tst_DownloadEditor::Press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(d_window->windowHandle(), key, modifiers);
}

// The unsaved-changes flag, seen from outside: a close asks the question. The answer
// Cancel keeps the window open.
bool tst_DownloadEditor::Asks_Before_Close()
{
    const int shown = TDialogSeam::Shown_Messages().size();
    TDialogSeam::Set_Next_Answer(QMessageBox::Cancel);
    d_window->close();
    const bool asked = TDialogSeam::Shown_Messages().size() > shown;
    if (!asked) {
        // Closed without asking: show it again for the rest of the test.
        TDialogSeam::Clear();
        d_window->show();
    }
    return asked && TDialogSeam::Shown_Messages().last() == QLatin1String("Data Not Saved");
}

// ---------------------------------------------------------------------------------------
// Construction and settings

void tst_DownloadEditor::construction()
{
    Create_Window();
    QCOMPARE(d_window->windowTitle(), QStringLiteral("Vantor4-16 Download Editor - Version 3.0"));
    QCOMPARE(d_window->size(), QSize(1001, 701));
    QVERIFY(d_window->acceptDrops());

    QCOMPARE(d_read->toolTip(), QStringLiteral("Load download file"));
    QCOMPARE(d_read->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QVERIFY(d_read->isEnabled());
    QVERIFY(!d_read->icon().isNull());
    QCOMPARE(d_write->toolTip(), QStringLiteral("Save download file"));
    QCOMPARE(d_write->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QVERIFY(!d_write->isEnabled());
    QVERIFY(!d_write->icon().isNull());

    QCOMPARE(d_caption->text(), QStringLiteral("Recent Download File:"));
    QCOMPARE(d_name->text(), QString());
    QCOMPARE(d_close->text(), QStringLiteral("Close"));
    QVERIFY(!d_close->autoDefault());
    QVERIFY(!d_close->isDefault());
    QVERIFY(!d_logo->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(d_notice->font().italic());
    QCOMPARE(d_notice->font().pointSize(), 8);
    QVERIFY(!d_notice->text().isEmpty());
    QVERIFY(!d_notice->text().contains(QLatin1Char('\n')));

    // The key filter tells the toolkit's named objects from the program's by the name.
    QVERIFY(d_window->objectName().isEmpty());
    for (QObject *child : d_window->children())
        QVERIFY2(child->objectName().isEmpty(), child->metaObject()->className());
    for (QObject *part : {static_cast<QObject *>(d_lines), static_cast<QObject *>(d_editor)})
        QVERIFY(part->objectName().isEmpty());

    // Enter elsewhere in the window does not press Close.
    Simple_Editor()->setFocus();
    Press(Qt::Key_Return);
    QVERIFY(d_window->isVisible());
}

void tst_DownloadEditor::layoutLimits()
{
    Create_Window();
    d_window->resize(200, 500);
    QTest::qWait(0);
    QVERIFY(d_lines->width() >= 100);
    QVERIFY(d_editor->width() >= 400);
    QCOMPARE(d_logo->size(), QSize(100, 40));

    d_window->resize(1600, 700);
    QTRY_COMPARE(d_window->width(), 1600);
    QCOMPARE(d_lines->width(), 320);
    QVERIFY(d_editor->width() > 1000);
    QCOMPARE(d_logo->size(), QSize(100, 40));
}

void tst_DownloadEditor::settingsAtStart_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("x_mm"); // X = 3E8 = 1000 counts, shown in millimetres

    QTest::newRow("missing: default 10000") << QVariant() << "10000"
                                            << "0.1000";
    QTest::newRow("2500") << QVariant(2500) << "2500"
                          << "0.4000";
    QTest::newRow("0: view keeps 1000") << QVariant(0) << "1000"
                                        << "1.0000";
    QTest::newRow("not a number: view keeps 1000") << QVariant("abc") << "1000"
                                                   << "1.0000";
    QTest::newRow("-500: ignored") << QVariant(-500) << "1000"
                                   << "1.0000";
}

void tst_DownloadEditor::settingsAtStart()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, field);
    QFETCH(QString, x_mm);
    {
        QSettings settings(Settings_Path(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Last_File"), QStringLiteral("/data/recent.oad"));
        if (stored.isValid())
            settings.setValue(QStringLiteral("Scale_Resolution"), stored);
    }
    Create_Window();
    QCOMPARE(d_name->text(), QStringLiteral("/data/recent.oad"));
    QCOMPARE(d_caption->text(), QStringLiteral("Recent Download File:"));
    QCOMPARE(Scale_Edit()->text(), field);

    // The millimetres use the resolution that the field shows.
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1X3E8\n"));
    QCOMPARE(Panel_Edit(0, 2)->text(), x_mm);
}

// ---------------------------------------------------------------------------------------
// Line activation and commit

void tst_DownloadEditor::commitItemEdit_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("view");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("committed");

    QTest::newRow("X to 2000") << QByteArray("S1X3E8") << 0 << 0 << "2000"
                               << "S1X7D0";
    QTest::newRow("X to 255") << QByteArray("S1X3E8") << 0 << 0 << "255"
                              << "S1XFF";
    QTest::newRow("negative: two's complement") << QByteArray("S1X3E8") << 0 << 0 << "-1"
                                                << "S1XFFFFFFFF";
    QTest::newRow("hex view") << QByteArray("S1 X3E8 Y7D0 Z0 W0") << 1 << 1 << "ab"
                              << "S1 X3E8 YAB Z0 W0";
    QTest::newRow("mm view") << QByteArray("S1 X3E8 Y7D0 Z0 W0") << 2 << 2 << "0.0005"
                             << "S1 X3E8 Y7D0 Z1 W0";
    QTest::newRow("letter before the token untouched")
        << QByteArray("X5 S1 X3E8") << 0 << 0 << "2000"
        << "X5 S1 X7D0";
    QTest::newRow("missing field not added") << QByteArray("S1X3E8") << 0 << 0 << "16"
                                             << "S1X10";
}

void tst_DownloadEditor::commitItemEdit()
{
    QFETCH(QByteArray, line);
    QFETCH(int, panel);
    QFETCH(int, view);
    QFETCH(QString, typed);
    QFETCH(QString, committed);
    {
        QSettings settings(Settings_Path(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Scale_Resolution"), 1000);
    }
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), line + "\nN1000\n"));
    QCOMPARE(Visible_Panels().size(), 4);
    QVERIFY(!Simple_Editor()->isEnabled());
    QCOMPARE(Simple_Editor()->text(), QString::fromLatin1(line));
    QVERIFY(!Asks_Before_Close());

    Type_Into(Panel_Edit(panel, view), typed);
    QVERIFY(d_editor->Is_Changed());
    QCOMPARE(d_lines->Get_Line(0), QString::fromLatin1(line)); // nothing written while typing
    Press(Qt::Key_Down);

    QCOMPARE(d_lines->Get_Line(0), committed);
    QCOMPARE(Simple_Editor()->text(), QStringLiteral("N1000")); // line 1 is shown
    QVERIFY(Asks_Before_Close());
}

void tst_DownloadEditor::commitSimpleEdit_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("typed");

    QTest::newRow("no S token") << QByteArray("N1000") << "N2000";
    QTest::newRow("undescribed parameter") << QByteArray("S0X1") << "S1 X5 anything";
    QTest::newRow("to empty") << QByteArray("S0X1") << "";
}

void tst_DownloadEditor::commitSimpleEdit()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, typed);
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), line + "\nS1X1\n"));
    QVERIFY(Visible_Panels().isEmpty());
    QVERIFY(Simple_Editor()->isEnabled());
    QCOMPARE(Simple_Editor()->text(), QString::fromLatin1(line));

    Type_Into(Simple_Editor(), typed);
    Press(Qt::Key_Down);
    QCOMPARE(d_lines->Get_Line(0), typed);
    QCOMPARE(Visible_Panels().size(), 4); // S1X1 is shown in items
    QVERIFY(Asks_Before_Close());
}

void tst_DownloadEditor::clickOnShownLineCommitsAndReshows()
{
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1X3E8Y1\nS1X1\n"));
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));
    QVERIFY(d_editor->Is_Changed());

    QWidget *canvas = Canvas();
    QVERIFY(canvas);
    canvas->grab(); // the first paint measures the rows; clicks count only after it
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(10, 2));

    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1X7D0Y1"));
    QVERIFY(!d_editor->Is_Changed());
    QCOMPARE(Simple_Editor()->text(), QStringLiteral("S1X7D0Y1"));
    QCOMPARE(Panel_Edit(0, 0)->text(), QStringLiteral("2000"));
    QVERIFY(Asks_Before_Close());
}

void tst_DownloadEditor::leavingWithoutEditCommitsNothing()
{
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1 X3E8\nN1000\n"));
    Press(Qt::Key_Down);
    Press(Qt::Key_Up);
    Press(Qt::Key_Down);
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1 X3E8"));
    QCOMPARE(Simple_Editor()->text(), QStringLiteral("N1000"));
    QVERIFY(!Asks_Before_Close());
}

void tst_DownloadEditor::scaleResolutionChangeCommitsAndReshows()
{
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1X3E8Y7D0\nN1000\n"));
    QCOMPARE(Panel_Edit(0, 2)->text(), QStringLiteral("1.0000")); // the file's resolution
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));

    Type_Into(Scale_Edit(), QStringLiteral("500"));
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1X7D0Y7D0"));
    QVERIFY(!d_editor->Is_Changed());
    QCOMPARE(Panel_Edit(0, 2)->text(), QStringLiteral("4.0000"));
    QCOMPARE(Panel_Edit(1, 2)->text(), QStringLiteral("4.0000"));
    QVERIFY(Asks_Before_Close());
}

void tst_DownloadEditor::arrowKeysMoveFromPanelAndReachFocusedEdit()
{
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1X1\nS1X2\nN1\nN2\n"));

    // From a panel's view: Down moves to the next line, Up back, and the view keeps the
    // focus and receives each key.
    QLineEdit *x_int = Panel_Edit(0, 0);
    x_int->setFocus();
    TKeyRecorder panel_keys;
    x_int->installEventFilter(&panel_keys);
    Press(Qt::Key_Down);
    QCOMPARE(x_int->text(), QStringLiteral("2"));
    Press(Qt::Key_Up);
    QCOMPARE(x_int->text(), QStringLiteral("1"));
    Press(Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(x_int->text(), QStringLiteral("2"));
    QCOMPARE(panel_keys.keys,
             (QList<int>{Qt::Key_Down, Qt::Key_Up, Qt::Key_Control, Qt::Key_Down}));
    QVERIFY(x_int->hasFocus());
    x_int->removeEventFilter(&panel_keys);

    // Typing after the move edits the new line.
    QTest::keyClick(d_window->windowHandle(), Qt::Key_Backspace);
    QTest::keyClick(d_window->windowHandle(), '9');
    Press(Qt::Key_Up);
    QCOMPARE(d_lines->Get_Line(1), QStringLiteral("S1X9"));

    // In the simple editor, the same.
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    QCOMPARE(Simple_Editor()->text(), QStringLiteral("N1"));
    Simple_Editor()->setFocus();
    TKeyRecorder simple_keys;
    Simple_Editor()->installEventFilter(&simple_keys);
    Press(Qt::Key_Down);
    QCOMPARE(Simple_Editor()->text(), QStringLiteral("N2"));
    QCOMPARE(simple_keys.keys, QList<int>{Qt::Key_Down});
    Simple_Editor()->removeEventFilter(&simple_keys);
}

// ---------------------------------------------------------------------------------------
// Opening

void tst_DownloadEditor::commandLineFile_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program name
    QTest::addColumn<QString>("expected");      // relative to the temporary directory

    QTest::newRow("none") << QStringList() << QString();
    QTest::newRow("relative") << QStringList{"file.oad"} << "file.oad";
    QTest::newRow("relative with dot-dot") << QStringList{"sub/../file.oad"} << "file.oad";
    QTest::newRow("from a subdirectory") << QStringList{"./sub//other.oad"} << "sub/other.oad";
    QTest::newRow("leading minus is a path") << QStringList{"-x.oad"} << "-x.oad";
    QTest::newRow("missing") << QStringList{"none.oad"} << QString();
    QTest::newRow("last of two") << QStringList{"file.oad", "sub/other.oad"} << "sub/other.oad";
    QTest::newRow("last of two missing, first ignored")
        << QStringList{"file.oad", "none.oad"} << QString();
    QTest::newRow("absolute") << QStringList{"<abs>"} << "file.oad";
}

void tst_DownloadEditor::commandLineFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QVERIFY(QDir(d_dir->path()).mkdir(QStringLiteral("sub")));
    Write_Download(QStringLiteral("file.oad"), "S1X1\n");
    Write_Download(QStringLiteral("sub/other.oad"), "S1X2\n");
    Write_Download(QStringLiteral("-x.oad"), "S1X3\n");
    arguments.replaceInStrings(QStringLiteral("<abs>"),
                               d_dir->filePath(QStringLiteral("file.oad")));
    arguments.prepend(QStringLiteral("downloadeditor"));

    const QString path = TDownloadEditor::Command_Line_File(arguments, d_dir->path());
    QCOMPARE(path, expected.isEmpty() ? QString() : d_dir->filePath(expected));
}

void tst_DownloadEditor::failedOpenIsReportedAndClearsEditor()
{
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1X3E8\n"));
    QCOMPARE(Visible_Panels().size(), 4);

    const QString missing = d_dir->filePath(QStringLiteral("missing.oad"));
    TDialogSeam::Set_Next_File_Name(missing);
    TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
    d_read->trigger();

    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{"Open download file"});
    QVERIFY(d_box->informativeText().contains(QLatin1String("Unable to open the download file")));
    QCOMPARE(d_box->icon(), QMessageBox::Critical);
    QCOMPARE(d_caption->text(), QStringLiteral("Active Download File:"));
    QCOMPARE(d_name->text(), QDir::toNativeSeparators(missing));
    QVERIFY(d_write->isEnabled()); // the earlier read enabled it

    // Nothing left that could be typed but never committed.
    QVERIFY(Visible_Panels().isEmpty());
    QCOMPARE(Simple_Editor()->text(), QString());
    QVERIFY(!Simple_Editor()->isEnabled());
    QVERIFY(!Asks_Before_Close());
}

void tst_DownloadEditor::drop_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("opened");

    QTest::newRow("one file") << QStringList{"b.oad"} << true;
    QTest::newRow("two files ignored") << QStringList{"b.oad", "c.oad"} << false;
    QTest::newRow("none ignored") << QStringList() << false;
}

void tst_DownloadEditor::drop()
{
    QFETCH(QStringList, files);
    QFETCH(bool, opened);
    Create_Window();
    Write_Download(QStringLiteral("b.oad"), "N1000\n");
    Write_Download(QStringLiteral("c.oad"), "N2000\n");
    QList<QUrl> urls;
    for (const QString &file : files)
        urls.append(QUrl::fromLocalFile(d_dir->filePath(file)));

    QMimeData text_only;
    text_only.setText(QStringLiteral("text"));
    QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text_only, Qt::LeftButton,
                            Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(d_window.get(), &refused);
    QVERIFY(!refused.isAccepted());

    Drop_Files(urls);
    if (opened) {
        QCOMPARE(d_lines->Get_Line(0), QStringLiteral("N1000"));
        QCOMPARE(d_caption->text(), QStringLiteral("Active Download File:"));
        QCOMPARE(d_name->text(),
                 QDir::toNativeSeparators(d_dir->filePath(QStringLiteral("b.oad"))));
        QVERIFY(d_write->isEnabled());
    } else {
        QCOMPARE(d_caption->text(), QStringLiteral("Recent Download File:"));
        QVERIFY(!d_write->isEnabled());
    }
    QVERIFY(TDialogSeam::Shown_Messages().isEmpty());
}

void tst_DownloadEditor::openOverUnsavedChanges_data()
{
    QTest::addColumn<bool>("by_drop");
    QTest::addColumn<bool>("committed"); // moved off the line, or still typing
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("save_as"); // "" cancels the save dialog
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("saved");

    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    const int cancel = QMessageBox::Cancel;
    QTest::newRow("yes, saved, then opened") << false << true << yes << "saved.oad" << true << true;
    QTest::newRow("yes, save cancelled: nothing opened")
        << false << true << yes << "" << false << false;
    QTest::newRow("no: opened, changes dropped") << false << true << no << "" << true << false;
    QTest::newRow("cancel: nothing opened") << false << true << cancel << "" << false << false;
    QTest::newRow("pending edit counts") << false << false << cancel << "" << false << false;
    QTest::newRow("drop, yes, saved") << true << true << yes << "saved.oad" << true << true;
    QTest::newRow("drop, cancel") << true << false << cancel << "" << false << false;
    QTest::newRow("drop, no") << true << true << no << "" << true << false;
}

void tst_DownloadEditor::openOverUnsavedChanges()
{
    QFETCH(bool, by_drop);
    QFETCH(bool, committed);
    QFETCH(int, answer);
    QFETCH(QString, save_as);
    QFETCH(bool, opened);
    QFETCH(bool, saved);

    Create_Window();
    const QString first = Write_Download(QStringLiteral("a.oad"), "S1X3E8\nN1000\n");
    const QString second = Write_Download(QStringLiteral("b.oad"), "N2000\n");
    d_window->Open_File(first);
    Type_Into(Panel_Edit(0, 0), QStringLiteral("255"));
    if (committed)
        Press(Qt::Key_Down);

    TDialogSeam::Set_Next_Answer(QMessageBox::StandardButton(answer));
    if (answer == QMessageBox::Yes)
        TDialogSeam::Set_Next_File_Name(save_as.isEmpty() ? QString() : d_dir->filePath(save_as));
    if (by_drop) {
        Drop_Files({QUrl::fromLocalFile(second)});
    } else {
        TDialogSeam::Set_Next_File_Name(second);
        d_window->Read_File();
    }

    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{"Data Not Saved"});
    QCOMPARE(d_box->icon(), QMessageBox::Warning);
    QCOMPARE(d_box->defaultButton(), d_box->button(QMessageBox::Yes));
    QCOMPARE(QFileInfo::exists(d_dir->filePath(QStringLiteral("saved.oad"))), saved);
    if (saved)
        QCOMPARE(Read_Bytes(d_dir->filePath(QStringLiteral("saved.oad"))),
                 QByteArray("S1XFF\r\nN1000\r\n"));
    QCOMPARE(Read_Bytes(first), QByteArray("S1X3E8\nN1000\n")); // never written behind the back
    if (opened) {
        QCOMPARE(d_lines->Get_Line(0), QStringLiteral("N2000"));
        QCOMPARE(d_name->text(), QDir::toNativeSeparators(second));
        QVERIFY(!Asks_Before_Close());
    } else {
        QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1XFF"));
        QVERIFY(Asks_Before_Close());
    }
}

// ---------------------------------------------------------------------------------------
// Saving and closing

void tst_DownloadEditor::saveWritesLatin1WithCrLf()
{
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1X3E8\n\n  N1000 \xe9 \n"));
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));

    // The pending edit is committed with the save.
    const QString target = d_dir->filePath(QStringLiteral("out.oad"));
    TDialogSeam::Set_Next_File_Name(target);
    d_window->Write_File();
    QCOMPARE(Read_Bytes(target), QByteArray("S1X7D0\r\n\r\nN1000 \xe9\r\n"));
    QCOMPARE(d_name->text(), QDir::toNativeSeparators(target));
    QCOMPARE(d_caption->text(), QStringLiteral("Active Download File:"));
    QCOMPARE(TDialogSeam::Last_Dialog_Directory(),
             QDir::fromNativeSeparators(d_dir->filePath(QStringLiteral("a.oad"))));

    // The next dialog starts at the new name.
    TDialogSeam::Set_Next_File_Name(QString());
    d_window->Read_File();
    QCOMPARE(TDialogSeam::Last_Dialog_Directory(), target);

    // The saved edits do not count as unsaved again; further typing does.
    QVERIFY(!Asks_Before_Close());
    Type_Into(Panel_Edit(0, 0), QStringLiteral("3000"));
    QVERIFY(Asks_Before_Close());
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1XBB8"));
}

void tst_DownloadEditor::savedEditsDoNotCountAgain()
{
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1X3E8\nN1000\n"));
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));
    TDialogSeam::Set_Next_File_Name(d_dir->filePath(QStringLiteral("out.oad")));
    Press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(TDialogSeam::File_Dialog_Requests(), 1);
    Press(Qt::Key_Down);
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1X7D0"));
    QVERIFY(!Asks_Before_Close());
}

void tst_DownloadEditor::saveShortcutOnlyAfterRead()
{
    Create_Window();
    const QString target = d_dir->filePath(QStringLiteral("out.oad"));
    TDialogSeam::Set_Next_File_Name(target);
    Press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(TDialogSeam::File_Dialog_Requests(), 0);

    // Ctrl+O works from the start.
    TDialogSeam::Clear();
    TDialogSeam::Set_Next_File_Name(Write_Download(QStringLiteral("a.oad"), "N1000\n"));
    Press(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(TDialogSeam::File_Dialog_Requests(), 1);
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("N1000"));

    TDialogSeam::Set_Next_File_Name(target);
    Press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(TDialogSeam::File_Dialog_Requests(), 2);
    QCOMPARE(Read_Bytes(target), QByteArray("N1000\r\n"));
}

void tst_DownloadEditor::closeQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("save_as"); // "" cancels; a missing directory fails
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QStringList>("messages");

    const QStringList asked{"Data Not Saved"};
    QTest::newRow("yes, saved") << int(QMessageBox::Yes) << "out.oad" << true << asked;
    QTest::newRow("yes, save cancelled: stays open")
        << int(QMessageBox::Yes) << "" << false << asked;
    QTest::newRow("yes, save failed: stays open")
        << int(QMessageBox::Yes) << "missing/out.oad" << false
        << QStringList{"Data Not Saved", "Write download file"};
    QTest::newRow("no") << int(QMessageBox::No) << "" << true << asked;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << "" << false << asked;
}

void tst_DownloadEditor::closeQuestion()
{
    QFETCH(int, answer);
    QFETCH(QString, save_as);
    QFETCH(bool, closed);
    QFETCH(QStringList, messages);

    Create_Window();
    const QString source = Write_Download(QStringLiteral("a.oad"), "S1X3E8\nN1000\n");
    d_window->Open_File(source);
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));
    Press(Qt::Key_Down);

    TDialogSeam::Set_Next_Answer(QMessageBox::StandardButton(answer));
    if (answer == QMessageBox::Yes) {
        TDialogSeam::Set_Next_File_Name(save_as.isEmpty() ? QString() : d_dir->filePath(save_as));
        TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
    }
    QTest::mouseClick(d_close, Qt::LeftButton);

    QCOMPARE(TDialogSeam::Shown_Messages(), messages);
    QCOMPARE(!d_window->isVisible(), closed);
    const QString target = d_dir->filePath(QStringLiteral("out.oad"));
    QCOMPARE(Read_Bytes(target), save_as == QLatin1String("out.oad")
                                     ? QByteArray("S1X7D0\r\nN1000\r\n")
                                     : QByteArray("<missing>"));
    QCOMPARE(Read_Bytes(source), QByteArray("S1X3E8\nN1000\n"));
    if (messages.size() == 2)
        QVERIFY(d_box->informativeText().contains(QLatin1String("Unable to write")));
    if (!closed) {
        QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1X7D0")); // changes kept
        QVERIFY(Asks_Before_Close());
    }
}

void tst_DownloadEditor::closeRightAfterTypingAsks()
{
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1X3E8\n"));
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));
    QVERIFY(Asks_Before_Close());
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1X7D0"));
    QVERIFY(d_window->isVisible());
}

void tst_DownloadEditor::settingsStoredOnRefusedClose()
{
    Create_Window();
    const QString source = Write_Download(QStringLiteral("a.oad"), "S1X3E8\nN1000\n");
    d_window->Open_File(source);
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));
    Press(Qt::Key_Down);
    Type_Into(Scale_Edit(), QStringLiteral("-750")); // no number the view takes, stored positive

    QVERIFY(Asks_Before_Close());
    QVERIFY(d_window->isVisible());
    QSettings settings(Settings_Path(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("Last_File")).toString(),
             QDir::toNativeSeparators(source));
    QCOMPARE(settings.value(QStringLiteral("Scale_Resolution")).toInt(), 750);
    QFile file(Settings_Path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("Scale_Resolution=750"));
}

void tst_DownloadEditor::escapeGoesThroughCloseGuard()
{
    Create_Window();
    d_window->Open_File(Write_Download(QStringLiteral("a.oad"), "S1X3E8\nN1000\n"));
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));
    Press(Qt::Key_Down);

    TDialogSeam::Set_Next_Answer(QMessageBox::Cancel);
    Press(Qt::Key_Escape);
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{"Data Not Saved"});
    QVERIFY(d_window->isVisible());
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1X7D0"));
    QSettings settings(Settings_Path(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("Scale_Resolution")).toInt(), 1000);

    TDialogSeam::Set_Next_Answer(QMessageBox::No);
    Press(Qt::Key_Escape);
    QVERIFY(!d_window->isVisible());
}

QTEST_MAIN(tst_DownloadEditor)
#include "tst_downloadeditor.moc"
