#include "cachedpainting.h"
#include "commandline.h"
#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloadeditor.h"
#include "editorsettings.h"
#include "elidinglabel.h"
#include "filelineaccessible.h"
#include "filelinewidget.h"
#include "findbar.h"
#include "globalkeyevent.h"
#include "messagebox.h"
#include "parametertable.h"
#include "testsupport.h"
#include "translation.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBackingStore>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTranslator>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <memory>

using namespace TestSupport;

namespace {

QString Settings_Path()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/settings.ini");
}

const QString Active = QStringLiteral("Active Download File:");
const QStringList Asked{QStringLiteral("Data Not Saved")};

} // namespace

class tst_DownloadEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStart();
    void settingsAtStart_data();
    void settingsAtStart();
    void settingsPath_data();
    void settingsPath();
    void commit_data();
    void commit();
    void clickOnShownLineCommitsAndReshows();
    void modalDialogKeepsItsKeys_data();
    void modalDialogKeepsItsKeys();
    void scaleResolution_data();
    void scaleResolution();
    void focus_data();
    void focus();
    void sizesFollowTheFont_data();
    void sizesFollowTheFont();
    void noCursorWithoutFocus();
    void commandLineFile_data();
    void commandLineFile();
    void commandLineOpen_data();
    void commandLineOpen();
    void loadWithoutLinesClearsEditor();
    void drop();
    void save();
    void unsavedChangesQuestion_data();
    void unsavedChangesQuestion();
    void undoRedo_data();
    void undoRedo();
    void comparison_data();
    void comparison();
    void accessibility();
    void language_data();
    void language();
    void find_data();
    void find();
    void stepThroughChanges_data();
    void stepThroughChanges();
    void commissioningRecord_data();
    void commissioningRecord();
    void screenMatchesFreshPaint_data();
    void screenMatchesFreshPaint();

private:
    void Create_Window();
    QStringList Cut_Parts() const;

    QString Write_Download(const QString &name, const QByteArray &bytes)
    {
        return Write_Bytes(d_dir->filePath(name), bytes) ? d_dir->filePath(name) : QString();
    }

    QString Open(const QByteArray &bytes)
    {
        const QString path = Write_Download(QStringLiteral("a.oad"), bytes);
        d_window->Open_File(path);
        return path;
    }

    int Visible_Panels() const
    {
        const auto panels = d_editor->findChildren<TDataItemWidget *>();
        return std::count_if(panels.begin(), panels.end(),
                             [this](QWidget *panel) { return panel->isVisibleTo(d_editor); });
    }

    // view 0: integer, 1: hexadecimal, 2: millimetres.
    QLineEdit *Panel_Edit(int panel, int view) const
    {
        const auto panels = d_editor->findChildren<TDataItemWidget *>();
        return panels.value(panel) ? panels.at(panel)->findChildren<QLineEdit *>().value(view)
                                   : nullptr;
    }

    QLineEdit *Find_Field() const
    {
        return d_window->findChild<TFindBar *>()->findChild<QLineEdit *>();
    }

    QLineEdit *Simple_Editor() const
    {
        return d_editor->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    }

    void Type_Into(QLineEdit *edit, const QString &text)
    {
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        Press(Qt::Key_Delete);
        for (const QChar c : text)
            QTest::keyClick(d_window->windowHandle(), c.toLatin1());
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(d_window->windowHandle(), key, modifiers);
    }

    // Every view on show, the simple editor first: what the user reads.
    QStringList View_Texts() const
    {
        QStringList texts{Simple_Editor()->text()};
        for (const TDataItemWidget *panel : d_editor->findChildren<TDataItemWidget *>())
            if (panel->isVisibleTo(d_editor))
                for (const QLineEdit *view : panel->findChildren<QLineEdit *>())
                    texts << view->text();
        return texts;
    }

    // The window's parts by what the user sees: "up-arrow", "down-arrow", "field" (the
    // scale resolution), "simple", "close", or a panel's view: "X.int", "X.hex", "X.mm".
    QString Describe(const QWidget *widget) const;
    QWidget *Find(const QString &name) const;

    // The window opens a dropped file once the drop has returned: that is checked, then
    // let happen.
    void Drop(const QList<QUrl> &urls)
    {
        const QString before = d_labels.at(1)->text();
        TestSupport::Drop(*d_window, urls, false);
        QCOMPARE(d_labels.at(1)->text(), before);
        QVERIFY(TDialogSeam::Shown_Messages().isEmpty());
        QCoreApplication::sendPostedEvents(d_window.get(), QEvent::MetaCall);
    }

    // Whether a close request asks "Data Not Saved"; answered with Cancel, the window stays.
    bool Asks_Before_Close()
    {
        TDialogSeam::Clear();
        TDialogSeam::Set_Next_Answer(QMessageBox::Cancel);
        d_window->close();
        const bool asked = TDialogSeam::Shown_Messages() == Asked;
        d_window->show();
        return asked;
    }

    // Steps separated by blanks: i:TEXT, j:TEXT and s:TEXT type into the first and second
    // integer views and the simple editor, NAME=TEXT into any view (see Describe), t:TEXT
    // types where the focus is ('_' a blank), f:N focuses view N of the first panel and f:NAME
    // any part, down, up, enter, tab, space, esc, bs, f3 and f8 are the keys, with Shift
    // senter, F3 and F8, ^f, ^z, ^Z and ^y are Ctrl+F, Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, ^o is
    // Ctrl+O with its question answered Cancel, undo and redo the toolbar's buttons, save saves
    // to out.oad, open opens file, empty an empty file, take takes the reference values over,
    // cmp:FILE compares with FILE, end ends the comparison. Gives where the focus is after each
    // step.
    QStringList Run(const QString &script, const QByteArray &file = QByteArray());
    void Run_Step(const QString &step, const QByteArray &file);

    // Presses keys in the next modal dialog as it is shown, then closes it.
    void Press_In_Next_Modal(const QList<Qt::Key> &keys)
    {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [poll, keys] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !modal->windowHandle())
                return;
            poll->stop();
            poll->deleteLater();
            for (const Qt::Key key : keys)
                QTest::keyClick(modal->windowHandle(), key);
            modal->close();
        });
        poll->start(10);
    }

    void Save_As(const QString &name)
    {
        TDialogSeam::Set_Next_File_Name(d_dir->filePath(name));
        Press(Qt::Key_S, Qt::ControlModifier);
    }

    // The changed lines that the "Data Not Saved" question lists, asked on close or on
    // open and answered with Cancel; null when it is not asked.
    QString Question_Detail(bool on_open)
    {
        TDialogSeam::Clear();
        TDialogSeam::Set_Next_Answer(QMessageBox::Cancel);
        TDialogSeam::Set_Next_File_Name(QString()); // not asked: the dialog is cancelled
        if (on_open)
            d_window->Read_File();
        else
            d_window->close();
        d_window->show();
        if (TDialogSeam::Shown_Messages() != Asked)
            return QString();
        return d_window->findChild<TMessageBox *>()->detailedText();
    }

    // The rows on show that carry a mark: the reference mark, the row's text colour at the right
    // edge, or with found the search's tint left of the text (right of the bar that marks a
    // changed line), the active line aside.
    QString Marks(bool found) const
    {
        QWidget *const canvas = Canvas_Of(*d_lines);
        const QImage image = canvas->grab().toImage();
        const int h = QFontMetrics(canvas->font()).height();
        const QPalette palette = QGuiApplication::palette();
        QStringList marked;
        for (int k = 0; (!found || k < d_lines->Get_Line_Count()) && (k + 1) * h < image.height();
             ++k) {
            const bool active = QColor(image.pixel(image.width() / 2, k * h + 1)) ==
                                palette.color(QPalette::Highlight);
            const QColor text =
                palette.color(active ? QPalette::HighlightedText : QPalette::WindowText);
            const QColor left(image.pixel(4, k * h + h / 2));
            if (found ? left != palette.color(QPalette::Window) &&
                            left != palette.color(QPalette::Highlight)
                      : QColor(image.pixel(image.width() - 4, k * h + h / 2)) == text)
                marked << QString::number(k);
        }
        return marked.join(QLatin1Char(' '));
    }

    // The reference values beside the first two panels' integer views, "*" when bold; with
    // millimetres those in the millimetre views' rows, then the first one's tooltip.
    QString Panel_References(bool millimetres = false) const
    {
        QStringList texts;
        QString tool_tip;
        for (int panel = 0; panel < 2; ++panel) {
            const auto labels =
                d_editor->findChildren<TDataItemWidget *>().at(panel)->findChildren<QLabel *>();
            const int row = Panel_Edit(panel, 2)->geometry().center().y();
            for (const QLabel *label : labels)
                if (label->isVisibleTo(d_editor) &&
                    label->text().startsWith(QLatin1String("Reference: ")) &&
                    (!millimetres ||
                     (label->geometry().top() <= row && row <= label->geometry().bottom()))) {
                    if (tool_tip.isEmpty())
                        tool_tip = label->toolTip();
                    texts << label->text().mid(11) +
                                 (!millimetres && label->font().bold() ? "*" : "");
                    if (!millimetres)
                        break;
                }
        }
        return texts.join(QLatin1Char(' ')) + (millimetres ? " | " + tool_tip : QString());
    }

    // The file's lines, joined by '|'.
    QString Lines() const
    {
        QStringList lines;
        for (int i = 0; i < d_lines->Get_Line_Count(); ++i)
            lines << d_lines->Get_Line(i);
        return lines.join(QLatin1Char('|'));
    }

    std::unique_ptr<QTemporaryDir> d_dir;
    std::unique_ptr<TGlobalKeyEvent> d_key_filter;
    std::unique_ptr<TDownloadEditor> d_window;
    TFileLineWidget *d_lines = nullptr;
    TDataEditorWidget *d_editor = nullptr;
    QList<QLabel *> d_labels; // caption, path, note, logo, notice, comparison summary
    QLabel *d_summary = nullptr;
    QAction *d_write = nullptr;
    QAction *d_undo = nullptr;
    QAction *d_redo = nullptr;
    QAction *d_compare = nullptr;
    QAction *d_take_over = nullptr;
    QAction *d_end_comparison = nullptr;
    QTimer d_watchdog;
    bool d_modal_left_open = false;
    QPointer<QWidget> d_modal_seen;
};

void tst_DownloadEditor::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    // A dialog that the seam did not answer would block the test; close it and fail instead.
    // Only a dialog still up at two ticks in a row counts: one that merely happens to be up
    // at a tick, on a loaded machine, is still being answered.
    d_watchdog.callOnTimeout(this, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal == d_modal_seen)
            d_modal_left_open = modal->close();
        d_modal_seen = modal;
    });
    d_watchdog.start(3000);
}

void tst_DownloadEditor::init()
{
    // Through QSettings, not by deleting the file, so its cache never holds stale values.
    QSettings(Settings_Path(), QSettings::IniFormat).clear();
    TDialogSeam::Clear();
    d_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(d_dir->isValid());
    d_modal_left_open = false;
    d_modal_seen = nullptr;
    Create_Window();
}

void tst_DownloadEditor::cleanup()
{
    qApp->removeEventFilter(d_key_filter.get());
    d_window.reset();
    d_key_filter.reset();
    QSettings(Settings_Path(), QSettings::IniFormat).clear();
    QVERIFY2(!d_modal_left_open, "a modal dialog was shown without an answer");
}

void tst_DownloadEditor::Create_Window()
{
    if (d_key_filter)
        qApp->removeEventFilter(d_key_filter.get());
    d_window = std::make_unique<TDownloadEditor>();
    // Wired as at start-up, so key presses take the program's own path.
    d_key_filter = std::make_unique<TGlobalKeyEvent>();
    TDownloadEditor::Connect_Key_Filter(d_key_filter.get(), d_window.get());
    d_lines = d_window->findChild<TFileLineWidget *>();
    d_editor = d_window->findChild<TDataEditorWidget *>();
    d_labels = d_window->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    const auto actions = d_window->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(d_lines && d_editor && d_labels.size() == 6 && actions.size() == 7);
    d_summary = d_labels.last();
    d_write = actions.at(1);
    d_undo = actions.at(2);
    d_redo = actions.at(3);
    d_compare = actions.at(4);
    d_take_over = actions.at(5);
    d_end_comparison = actions.at(6);
    d_window->show();
    d_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d_window.get()));
}

void tst_DownloadEditor::firstStart()
{
    QCOMPARE(d_labels.at(0)->text(), QStringLiteral("Recent Download File:"));
    QCOMPARE(d_labels.at(1)->text(), QString());
    // The key filter tells the toolkit's named objects from the program's by the name.
    for (QObject *parent : {static_cast<QObject *>(d_window.get()), static_cast<QObject *>(d_lines),
                            static_cast<QObject *>(d_editor)})
        for (QObject *child : parent->children())
            QVERIFY2(child->objectName().isEmpty(), child->metaObject()->className());

    // Enter elsewhere in the window does not press Close.
    Simple_Editor()->setFocus();
    Press(Qt::Key_Return);
    QVERIFY(d_window->isVisible());

    // Ctrl+S does nothing before a file has been read, Ctrl+O works from the start.
    TDialogSeam::Set_Next_File_Name(Write_Download(QStringLiteral("a.oad"), "N1000\n"));
    Press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(TDialogSeam::File_Dialog_Requests(), 0);
    Press(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(TDialogSeam::File_Dialog_Requests(), 1);
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("N1000"));
    QVERIFY(d_write->isEnabled());
}

void tst_DownloadEditor::settingsAtStart_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("x_mm"); // X = 3E8 = 1000 counts

    QTest::newRow("2500") << QVariant(2500) << 2500 << "0.4000";
    // Anything but a positive whole number within range counts as missing: 10000.
    for (const QVariant &stored :
         {QVariant(), QVariant(0), QVariant(-500), QVariant("2e3"), QVariant(99999999999LL)})
        QTest::addRow("%s", qPrintable(stored.toString())) << stored << 10000 << "0.1000";
}

void tst_DownloadEditor::settingsAtStart()
{
    QFETCH(QVariant, stored);
    QFETCH(int, field);
    QFETCH(QString, x_mm);
    {
        QSettings settings(Settings_Path(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Last_File"), QStringLiteral("/data/recent.oad"));
        if (stored.isValid())
            settings.setValue(QStringLiteral("Scale_Resolution"), stored);
    }
    Create_Window();
    QCOMPARE(d_labels.at(1)->text(), QStringLiteral("/data/recent.oad"));
    QCOMPARE(d_lines->findChild<QLineEdit *>()->text(), QString::number(field));
    // The millimetres use the resolution that the field shows.
    Open("S1X3E8\n");
    QCOMPARE(Panel_Edit(0, 2)->text(), x_mm);
}

void tst_DownloadEditor::settingsPath_data()
{
    QTest::addColumn<QString>("folder"); // of the program, in the temporary directory
    QTest::addColumn<bool>("beside");    // else in the user's configuration folder
    QTest::newRow("writable: beside the program") << "bin" << true;
    QTest::newRow("read-only: configuration folder") << "locked" << false;
    QTest::newRow("missing: configuration folder") << "none" << false;
}

void tst_DownloadEditor::settingsPath()
{
    QFETCH(QString, folder);
    QFETCH(bool, beside);
    const QDir dir(d_dir->path());
    QVERIFY(dir.mkdir(QStringLiteral("bin")) && dir.mkdir(QStringLiteral("locked")));
    QFile::setPermissions(dir.filePath(QStringLiteral("locked")),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (folder == QLatin1String("locked") && QFileInfo(dir.filePath(folder)).isWritable())
        QSKIP("file permissions do not bind this user");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QCOMPARE(TEditorSettings::Settings_Path(dir.filePath(folder)),
             (beside ? dir.filePath(folder) : config) + QStringLiteral("/settings.ini"));
}

void tst_DownloadEditor::commit_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("edit");      // -1: simple editor, else panel * 3 + view (int, hex, mm)
    QTest::addColumn<QString>("typed"); // null: no edit
    QTest::addColumn<int>("key");       // Down leaves the line, Enter commits in place
    QTest::addColumn<QString>("committed");

    const auto row = [](const char *name, const char *line, int edit, const QString &typed, int key,
                        const char *committed) {
        QTest::newRow(name) << line << edit << typed << key << QString(committed);
    };
    const int down = Qt::Key_Down;
    const int enter = Qt::Key_Return;
    row("mm view", "S1 X3E8 Y7D0 Z0 W0", 8, "0.0005", down, "S1 X3E8 Y7D0 Z1 W0");
    // Only the edited field is written; everything else keeps its bytes.
    row("comment that looks like a field kept", "S1 X3E8 Y7D0 Z0 ; W-Achse", 0, "2000", down,
        "S1 X7D0 Y7D0 Z0 ; W-Achse");
    row("hex with 0x, Enter: views show what was written", "S1X3E8", 1, "0x10", enter, "S1X10");
    row("no S token: verbatim", "N5", -1, "N2000 x", down, "N2000 x");
    row("undescribed parameter, Enter: verbatim, still on the line", "S0X1", -1, "S1 X5 y", enter,
        "S1 X5 y");
    row("simple editor emptied", "S0X1", -1, "", down, "");
    row("no edit: nothing written", "S1 X3E8", 0, QString(), down, "S1 X3E8");
    row("no edit, Enter: nothing written", "S1 X3E8", 0, QString(), enter, "S1 X3E8");
}

void tst_DownloadEditor::commit()
{
    QFETCH(QString, line);
    QFETCH(int, edit);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, committed);
    Open(line.toLatin1() + "\nN1000\n");
    QCOMPARE(Visible_Panels(), edit < 0 ? 0 : 4);
    QCOMPARE(Simple_Editor()->isEnabled(), edit < 0);
    QCOMPARE(Simple_Editor()->text(), line);
    if (!typed.isNull())
        Type_Into(edit < 0 ? Simple_Editor() : Panel_Edit(edit / 3, edit % 3), typed);
    QCOMPARE(d_lines->Get_Line(0), line); // nothing written while typing
    Press(Qt::Key(key));
    QCOMPARE(d_lines->Get_Line(0), committed);
    if (key == Qt::Key_Down) {
        QCOMPARE(Simple_Editor()->text(), QStringLiteral("N1000"));
    } else {
        // Still on the line, showing exactly what showing the written line shows.
        QVERIFY(!d_editor->Is_Changed());
        const QStringList in_place = View_Texts();
        QCOMPARE(in_place.first(), committed);
        Press(Qt::Key_Down);
        Press(Qt::Key_Up);
        QCOMPARE(View_Texts(), in_place);
    }
    QCOMPARE(Asks_Before_Close(), !typed.isNull());
}

void tst_DownloadEditor::clickOnShownLineCommitsAndReshows()
{
    Open("S1X3E8Y1\nS1X1\n");
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));
    QWidget *const canvas = Canvas_Of(*d_lines);
    QVERIFY(canvas);
    canvas->grab(); // the first paint measures the rows; clicks count only after it
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(10, 2));

    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1X7D0Y1"));
    QVERIFY(!d_editor->Is_Changed());
    QCOMPARE(Simple_Editor()->text(), QStringLiteral("S1X7D0Y1"));
    QVERIFY(Asks_Before_Close());
}

void tst_DownloadEditor::modalDialogKeepsItsKeys_data()
{
    QTest::addColumn<bool>("edited"); // an edit makes Ctrl+O ask first, else the file dialog
    QTest::newRow("Data Not Saved question") << true;
    QTest::newRow("file dialog") << false;
}

void tst_DownloadEditor::modalDialogKeepsItsKeys()
{
    // Arrow keys in a question or a file dialog move in there, never the line behind it.
    QFETCH(bool, edited);
    Open("S1X1\nS1X2\nS1X3\n");
    Press(Qt::Key_Down);
    if (edited)
        Type_Into(Panel_Edit(0, 0), QStringLiteral("5"));
    Press_In_Next_Modal({Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down});
    Press(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(TDialogSeam::Shown_Messages(), edited ? Asked : QStringList());
    // Still on the second line, which the question committed.
    QCOMPARE(Panel_Edit(0, 0)->text(), edited ? QStringLiteral("5") : QStringLiteral("2"));
    QCOMPARE(d_lines->Get_Line(1), edited ? QStringLiteral("S1X5") : QStringLiteral("S1X2"));
}

void tst_DownloadEditor::scaleResolution_data()
{
    QTest::addColumn<QByteArray>("file"); // its first line has X = 3E8 = 1000 counts, or is S3
    QTest::addColumn<QString>("script");  // see Run
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("x_mm");  // back on the first line
    QTest::addColumn<QString>("lines"); // joined by '|'
    QTest::addColumn<bool>("asks");
    QTest::addColumn<int>("stored");

    const auto row = [](const char *name, const QByteArray &file, const char *script,
                        const char *field, const char *x_mm, const char *lines, bool asks,
                        int stored) {
        QTest::newRow(name) << file << script << field << x_mm << lines << asks << stored;
    };
    const QByteArray file("S1X3E8\nN1000\n");
    const QByteArray ten_thousand("S1X3E8\nN10000\n");
    // While the file has a scale line, the field edits it: views and file agree.
    row("typed: pending edits committed, the scale line follows", "S1X3E8Y7D0\nN1000\n",
        "i:2000 field=500", "500", "4.0000", "S1X7D0Y7D0|N500", true, 500);
    row("typed, then millimetres: converted at the file's resolution", ten_thousand,
        "field=1000 X.mm=2 down up", "1000", "2.0000", "S1X7D0|N1000", true, 1000);
    row("typed: one step, undone", ten_thousand, "field=1000 undo up", "10000", "0.1000",
        "S1X3E8|N10000", false, 10000);
    row("no more digits than the scale line holds", ten_thousand, "field=1234567", "123456",
        "0.0081", "S1X3E8|N123456", true, 123456);
    row("emptied and left: the scale line's again", file, "field= X.int=5 down up", "1000",
        "0.0050", "S1X5|N1000", true, 1000);
    // A committed scale resolution line is in force at once, as after a load.
    row("scale line, Enter: in force", file + "\n", "down s:N2000 enter up", "2000", "0.5000",
        "S1X3E8|N2000|", true, 2000);
    row("N00 left: no resolution", file, "down s:N00 up", "0", "", "S1X3E8|N00", true, 1000);
    row("undone: the old resolution again", file, "down s:N2000 enter ^z up", "1000", "1.0000",
        "S1X3E8|N1000", false, 1000);
    row("an earlier N line is no scale line", "S1X3E8\nN500\nN1000\n", "down s:N700 enter up",
        "1000", "1.0000", "S1X3E8|N700|N1000", true, 1000);
    // Without a scale line the field alone gives the resolution. An empty one is none: no
    // millimetres, and typing some changes nothing.
    const QByteArray no_scale_line("S1X3E8\n; end\n");
    row("no scale line: the field's", no_scale_line, "field=500 X.mm=4 down up", "500", "4.0000",
        "S1X7D0|; end", true, 500);
    row("no scale line, field emptied", no_scale_line, "field= X.mm=5 down up", "", "",
        "S1X3E8|; end", false, 10000);
    // A hidden panel keeps the edit flag of the line it showed before; the next line's commit
    // must not write it. S3 has a fifth field, U, which is no field of S1.
    row("S3's U, then an S1 line", "S3 X1 Y1 Z1 W1 U1\nS1 X3E8 U5\n", "U.int=7 down X.int=2 up",
        "10000", "", "S3 X1 Y1 Z1 W1 U7|S1 X2 U5", true, 10000);
    row("S3's U, a plain-text line, then an S1 line", "S3 X1 Y1 Z1 W1 U1\n; note\nS1 X3E8 U5\n",
        "U.int=7 down down X.int=2 up up", "10000", "", "S3 X1 Y1 Z1 W1 U7|; note|S1 X2 U5", true,
        10000);
}

void tst_DownloadEditor::scaleResolution()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, script);
    Open(file);
    Run(script);
    QTEST(d_lines->findChild<QLineEdit *>()->text(), "field");
    QTEST(Panel_Edit(0, 2)->text(), "x_mm");
    QTEST(Lines(), "lines");
    QTEST(Asks_Before_Close(), "asks");
    // Only a valid resolution is stored, the last one.
    QTEST(QSettings(Settings_Path(), QSettings::IniFormat)
              .value(QStringLiteral("Scale_Resolution"))
              .toInt(),
          "stored");
}

void tst_DownloadEditor::focus_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("script"); // see Run
    QTest::addColumn<QString>("focus");  // after each step

    const auto row = [](const char *name, const QByteArray &file, const QString &script,
                        const char *focus) {
        QTest::newRow(name) << file << script << focus;
    };
    const QByteArray s1 = "S1X1Y2Z3W4\nS1X5Y6Z7W8\n";
    row("start-up: in the editor", QByteArray(), "", "");
    row("open from the scale field", s1, "f:field open", "field X.int");
    row("next line: the same view", s1, "open f:Y.hex down up", "X.int Y.hex Y.hex Y.hex");
    row("Enter: the same view", s1, "open f:W.mm enter", "X.int W.mm W.mm");
    row("no such panel: the first integer view", "S1X1Y2Z3W4\nS2Q5\n", "open f:W.mm down",
        "X.int W.mm Q.int");
    row("an empty file: the focus stays nowhere", s1, "open f:Y.hex empty", "X.int Y.hex none");
    row("into and out of a comment", "S1X1\n; note\nS1X2\n", "open f:X.hex down down",
        "X.int X.hex simple X.int");
    row("down arrow at the end: to the up arrow", s1, "open f:down-arrow space space",
        "X.int down-arrow down-arrow up-arrow");
    // Panels made later still come before Close; disabled views are skipped.
    row("Tab follows the layout", "S1X1Y2Z3W4\nS3X1Y1Z1W1U1\n",
        "open down f:up-arrow" + QString(" tab").repeated(15),
        "X.int X.int up-arrow down-arrow field X.int X.hex Y.int Y.hex Z.int Z.hex W.int W.hex "
        "U.int U.hex close find up-arrow");
}

void tst_DownloadEditor::focus()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, script);
    QTEST(Run(script, file).join(QLatin1Char(' ')), "focus");
    if (script.isEmpty())
        QCOMPARE(Describe(QApplication::focusWidget()), QStringLiteral("simple"));
    // Moving the focus never selects a text that one key would replace.
    for (const QLineEdit *edit : d_window->findChildren<QLineEdit *>())
        QVERIFY2(!edit->hasSelectedText(), qPrintable(Describe(edit)));
}

void tst_DownloadEditor::noCursorWithoutFocus()
{
    // As at start-up: the window opens its file as soon as it is shown, before it is active.
    const QString path = Write_Download(QStringLiteral("a.oad"), "S1 X1\n; c\n");
    TDownloadEditor started;
    started.show();
    started.Open_File(path);
    started.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&started));
    // The same line opened in a window that was already active shows no cursor where the
    // focus is not.
    d_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d_window.get()));
    d_window->Open_File(path);
    QApplication::processEvents();
    const auto simple_of = [](QWidget *window) {
        return window->findChild<TDataEditorWidget *>()->findChild<QLineEdit *>(
            QString(), Qt::FindDirectChildrenOnly);
    };
    QVERIFY(!simple_of(&started)->isEnabled() && !simple_of(&started)->hasFocus());
    QCOMPARE(simple_of(&started)->grab().toImage(), simple_of(d_window.get())->grab().toImage());
}

void tst_DownloadEditor::commandLineFile_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program name
    QTest::addColumn<QString>("expected");      // relative to the temporary directory
    QTest::addColumn<QString>("compare");       // the reference of --compare

    const auto row = [](const char *name, const QStringList &arguments, const char *expected,
                        const char *compare = "") {
        QTest::newRow(name) << arguments << expected << compare;
    };
    row("none", {}, "");
    row("relative with dot-dot", {"sub/../file.oad"}, "file.oad");
    row("last of two", {"file.oad", "sub/other.oad"}, "sub/other.oad");
    // One that does not exist is the window's to report.
    row("last of two missing", {"file.oad", "none.oad"}, "none.oad");
    row("absolute", {"<abs>"}, "file.oad");
    // An option's value is no file to open.
    row("--compare REFERENCE after the file", {"file.oad", "--compare", "sub/other.oad"},
        "file.oad", "sub/other.oad");
    row("--compare=REFERENCE alone", {"--compare=sub/other.oad"}, "", "sub/other.oad");
}

void tst_DownloadEditor::commandLineFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QFETCH(QString, compare);
    QVERIFY(QDir(d_dir->path()).mkdir(QStringLiteral("sub")));
    for (const char *name : {"file.oad", "sub/other.oad"})
        Write_Download(QString::fromLatin1(name), "S1X1\n");
    arguments.replaceInStrings(QStringLiteral("<abs>"),
                               d_dir->filePath(QStringLiteral("file.oad")));
    arguments.prepend(QStringLiteral("downloadeditor"));
    const EditorCommandLine::Request request = EditorCommandLine::Read(arguments, d_dir->path());
    QCOMPARE(request.file, expected.isEmpty() ? QString() : d_dir->filePath(expected));
    QCOMPARE(request.compare_reference, compare.isEmpty() ? QString() : d_dir->filePath(compare));
}

void tst_DownloadEditor::commandLineOpen_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: the file is missing
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("note"); // that the bytes look like UTF-8

    QTest::newRow("missing: told, nothing active")
        << QByteArray() << QStringList{"Open download file"} << "Recent Download File:" << false;
    QTest::newRow("UTF-8: opened as Latin-1, with a note")
        << QByteArray("S1 X1 ; L\xC3\xA4nge\n") << QStringList() << Active << true;
    QTest::newRow("Latin-1: no note")
        << QByteArray("S1 X1 ; L\xE4nge\n") << QStringList() << Active << false;
}

void tst_DownloadEditor::commandLineOpen()
{
    QFETCH(QByteArray, bytes);
    if (!bytes.isNull())
        QVERIFY(Write_Bytes(d_dir->filePath(QStringLiteral("named.oad")), bytes));
    else
        TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
    // As start-up does.
    d_window->Open_File(
        EditorCommandLine::Read({"downloadeditor", "named.oad"}, d_dir->path()).file);
    QTEST(TDialogSeam::Shown_Messages(), "messages");
    QTEST(d_labels.at(0)->text(), "caption");
    QTEST(d_labels.at(2)->isVisible(), "note");
    if (bytes.isNull()) {
        QCOMPARE(d_labels.at(1)->text(), QString());
        return;
    }
    // A note, not a change: the bytes are written back as they came.
    Save_As(QStringLiteral("out.oad"));
    QCOMPARE(Read_Bytes(d_dir->filePath(QStringLiteral("out.oad"))), bytes.replace("\n", "\r\n"));
    Open("S1X1\n");
    QVERIFY(!d_labels.at(2)->isVisible());
}

void tst_DownloadEditor::loadWithoutLinesClearsEditor()
{
    Open("; note\n"); // shown in the plain-text editor, which the empty file must disable
    const QString path = Write_Download(QStringLiteral("b.oad"), "");
    TDialogSeam::Set_Next_File_Name(path);
    d_window->Read_File();

    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList());
    QCOMPARE(d_labels.at(0)->text(), Active);
    QCOMPARE(d_labels.at(1)->text(), QDir::toNativeSeparators(path));
    // Nothing left that could be typed but never committed.
    QCOMPARE(Visible_Panels(), 0);
    QCOMPARE(Simple_Editor()->text(), QString());
    QVERIFY(!Simple_Editor()->isEnabled());
    QVERIFY(!Asks_Before_Close());
}

void tst_DownloadEditor::drop()
{
    const QUrl url = QUrl::fromLocalFile(Write_Download(QStringLiteral("b.oad"), "N1000\n"));
    Drop({url, url});
    QVERIFY(!d_write->isEnabled()); // two files: nothing read
    Drop({url});
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("N1000"));
}

void tst_DownloadEditor::save()
{
    const QString source = Open("S1X3E8\n\n  N1000 \xe9 \n");
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));
    // The pending edit is committed with the save.
    const QString target = d_dir->filePath(QStringLiteral("out.oad"));
    TDialogSeam::Set_Next_File_Name(target);
    Press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Read_Bytes(target), QByteArray("S1X7D0\r\n\r\nN1000 \xe9\r\n"));
    QCOMPARE(TDialogSeam::Last_Dialog_Directory(), QDir::fromNativeSeparators(source));
    QCOMPARE(d_labels.at(1)->text(), QDir::toNativeSeparators(target));
    QCOMPARE(d_labels.at(0)->text(), Active);

    // Saved edits do not count as unsaved again, also when the line is left; new typing does.
    Press(Qt::Key_Down);
    Press(Qt::Key_Up);
    QVERIFY(!Asks_Before_Close());
    Type_Into(Panel_Edit(0, 0), QStringLiteral("3000"));
    QVERIFY(Asks_Before_Close());
    QCOMPARE(d_lines->Get_Line(0), QStringLiteral("S1XBB8"));
}

void tst_DownloadEditor::unsavedChangesQuestion_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<bool>("committed"); // moved off the line, or still typing
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("save_as"); // "" cancels; a missing directory fails
    QTest::addColumn<bool>("done");       // the window closed, or the other file opened

    const auto row = [](const char *request, bool committed, int answer, const char *save_as,
                        bool done) {
        QTest::addRow("%s, %s, %d, \"%s\"", request, committed ? "committed" : "pending", answer,
                      save_as)
            << request << committed << answer << save_as << done;
    };
    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    const int cancel = QMessageBox::Cancel;
    row("close", true, yes, "out.oad", true);
    row("close", true, yes, "", false);
    row("close", true, yes, "missing/out.oad", false);
    row("close", false, cancel, "", false);
    row("escape", true, cancel, "", false);
    row("escape", true, no, "", true);
    row("open", true, yes, "out.oad", true);
    row("open", true, yes, "", false);
    row("open", false, no, "", true);
    row("drop", true, no, "", true);
    row("drop", false, cancel, "", false);
}

void tst_DownloadEditor::unsavedChangesQuestion()
{
    QFETCH(QString, request);
    QFETCH(bool, committed);
    QFETCH(int, answer);
    QFETCH(QString, save_as);
    QFETCH(bool, done);

    const QString source = Open("S1X3E8\nN1000\n");
    const QString other = Write_Download(QStringLiteral("b.oad"), "N2000\n");
    // No resolution: the last valid one, the file's, is the one stored.
    Type_Into(d_lines->findChild<QLineEdit *>(), QStringLiteral("-750"));
    Type_Into(Panel_Edit(0, 0), QStringLiteral("2000"));
    if (committed)
        Press(Qt::Key_Down);

    const bool save_fails = save_as.contains(QLatin1Char('/'));
    TDialogSeam::Set_Next_Answer(QMessageBox::StandardButton(answer));
    if (answer == QMessageBox::Yes)
        TDialogSeam::Set_Next_File_Name(save_as.isEmpty() ? QString() : d_dir->filePath(save_as));
    if (save_fails)
        TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
    if (request == QLatin1String("open"))
        TDialogSeam::Set_Next_File_Name(other);
    if (request == QLatin1String("close"))
        QTest::mouseClick(d_window->findChild<QPushButton *>(QString(), Qt::FindDirectChildrenOnly),
                          Qt::LeftButton);
    else if (request == QLatin1String("escape"))
        Press(Qt::Key_Escape);
    else if (request == QLatin1String("drop"))
        Drop({QUrl::fromLocalFile(other)});
    else
        d_window->Read_File();

    QCOMPARE(TDialogSeam::Shown_Messages(),
             save_fails ? Asked + QStringList{"Write download file"} : Asked);
    QCOMPARE(Read_Bytes(d_dir->filePath(QStringLiteral("out.oad"))),
             save_as == QLatin1String("out.oad") ? QByteArray("S1X7D0\r\nN1000\r\n")
                                                 : QByteArray("<unreadable>"));
    QCOMPARE(Read_Bytes(source), QByteArray("S1X3E8\nN1000\n")); // never written behind the back
    const bool opening = request == QLatin1String("open") || request == QLatin1String("drop");
    QCOMPARE(d_window->isVisible(), opening || !done);
    if (!done || opening)
        QCOMPARE(d_lines->Get_Line(0), done ? QStringLiteral("N2000") : QStringLiteral("S1X7D0"));
    if (!opening) { // stored before the question, also when the close is refused
        QSettings settings(Settings_Path(), QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("Last_File")).toString(),
                 QDir::toNativeSeparators(source));
        QCOMPARE(settings.value(QStringLiteral("Scale_Resolution")).toInt(), 1000);
    }
    if (opening) // a load starts a new history
        QCOMPARE(d_undo->isEnabled(), !done);
    if (d_window->isVisible())
        QCOMPARE(Asks_Before_Close(), !done);
}

void tst_DownloadEditor::undoRedo_data()
{
    QTest::addColumn<QString>("script");  // see Run
    QTest::addColumn<QString>("lines");   // joined by '|'
    QTest::addColumn<QString>("shown");   // the active line, as the simple editor shows it
    QTest::addColumn<QString>("x");       // the first panel's integer view
    QTest::addColumn<QString>("buttons"); // undo, redo enabled
    QTest::addColumn<QString>("detail");  // of the unsaved-changes question; null: not asked

    const auto row = [](const char *name, const char *script, const char *lines, const char *shown,
                        const char *x, const char *buttons, const QString &detail) {
        QTest::newRow(name) << script << lines << shown << x << buttons << detail;
    };
    const char *file = "S1X3E8|S1X1|; note|N1000";
    const char *changed = "S1X7D0|S1X1|; note|N1000";
    const QString first = QStringLiteral("Line 1: S1X3E8 \u2192 S1X7D0");
    const QString none;
    row("typing undone in its field, nothing committed", "i:2000 ^z", file, "S1X3E8", "1000", "--",
        none);
    row("field first, then the committed change", "i:2000 down i:5 ^z ^z", file, "S1X3E8", "1000",
        "-R", none);
    row("empty field passes Ctrl+Z on", "i:2000 down ^z", file, "S1X3E8", "1000", "-R", none);
    row("typing in another view: undone as a step", "i:2000 down up i:5 f:1 ^z", changed, "S1X7D0",
        "2000", "UR", first);
    row("and redone", "i:2000 down up i:5 f:1 ^z ^Z", "S1X5|S1X1|; note|N1000", "S1X5", "5", "U-",
        QStringLiteral("Line 1: S1X3E8 \u2192 S1X5"));
    row("two commits undone, one redone", "i:2000 down i:5 down ^z ^z ^Z", changed, "S1X7D0",
        "2000", "UR", first);
    row("both redone, Ctrl+Y", "i:2000 down i:5 down ^z ^z ^y ^y", "S1X7D0|S1X5|; note|N1000",
        "S1X5", "5", "U-", first + QStringLiteral("\nLine 2: S1X1 \u2192 S1X5"));
    row("toolbar buttons", "i:2000 down undo redo undo", file, "S1X3E8", "1000", "-R", none);
    row("raw line", "down down s:n2 up ^z", file, "; note", nullptr, "-R", none);
    // Committed without leaving the line, the typing is undone in the list and the box at once.
    row("committed by the question on Ctrl+O", "down down s:n2 ^o ^z", file, "; note", nullptr,
        "-R", none);
    row("committed by a save", "down down s:n2 save ^z", file, "; note", nullptr, "-R",
        QStringLiteral("Line 3: n2 \u2192 ; note"));
    row("undone back to the save: saved", "i:2000 down save i:5 down ^z", changed, "S1X1", "1",
        "UR", none);
    row("undone past the save: unsaved", "i:2000 down save ^z", file, "S1X3E8", "1000", "-R",
        QStringLiteral("Line 1: S1X7D0 \u2192 S1X3E8"));
    row("a new commit drops the redo", "i:2000 down ^z i:7 down", "S1X7|S1X1|; note|N1000", "S1X1",
        "1", "U-", QStringLiteral("Line 1: S1X3E8 \u2192 S1X7"));
}

void tst_DownloadEditor::undoRedo()
{
    QFETCH(QString, script);
    QFETCH(QString, shown);
    QFETCH(QString, x);
    QFETCH(QString, detail);
    Open("S1X3E8\nS1X1\n; note\nN1000\n");
    Run(script);
    QTEST(Lines(), "lines");
    QCOMPARE(Simple_Editor()->text(), shown);
    if (!x.isNull())
        QCOMPARE(Panel_Edit(0, 0)->text(), x);
    QTEST(QString(d_undo->isEnabled() ? "U" : "-") + (d_redo->isEnabled() ? "R" : "-"), "buttons");
    QCOMPARE(Question_Detail(false), detail);
    QCOMPARE(Question_Detail(true), detail);
}

void tst_DownloadEditor::comparison_data()
{
    QTest::addColumn<QString>("script");      // see Run
    QTest::addColumn<QString>("lines");       // joined by '|'
    QTest::addColumn<QString>("marks");       // lines marked as differing from the reference
    QTest::addColumn<QString>("summary");     // the line under the toolbar
    QTest::addColumn<QString>("references");  // beside the first two panels
    QTest::addColumn<bool>("take_over");      // the action is enabled
    QTest::addColumn<QString>("message");     // shown on the way
    QTest::addColumn<QString>("millimetres"); // see Panel_References; null: unchecked

    const auto row = [](const char *name, const char *script, const char *lines, const char *marks,
                        const char *summary, const char *references, bool take_over,
                        const char *message = "", const char *millimetres = nullptr) {
        QTest::newRow(name) << script << lines << marks << summary << references << take_over
                            << message << QString(millimetres);
    };
    const char *file = "S1 X3E8 Y7D0|S2 Q10|S5 V1|N1000";
    const char *both = "Reference b.oad: 1 parameter differs \u00b7 only here: S5 \u00b7 only "
                       "in the reference: S9";
    const char *taken = "Reference b.oad: no parameters differ \u00b7 only here: S5 \u00b7 "
                        "only in the reference: S9";
    row("marks, summary and reference values", "", file, "0 2", both, "1000 1*", true, "",
        "1.0000 0.0010 | Value in the reference file; millimetres at the reference's own scale "
        "resolution, 1000 counts per mm (its line 4)");
    row("taken over as one step", "take", "S1 X3E8 Y1|S2 Q10|S5 V1|N1000", "2", taken, "", false);
    row("take-over undone", "take ^z", file, "0 2", both, "1000 1*", true);
    row("typed value the same as the reference", "j:1 down up", "S1 X3E8 Y1|S2 Q10|S5 V1|N1000",
        "2", taken, "", false);
    row("pending typing first, then the reference", "i:5 take ^z", "S1 X5 Y7D0|S2 Q10|S5 V1|N1000",
        "0 2", both, "1000* 1*", true);
    row("line without differences", "down", file, "0 2", both, "", false);
    row("another comparison replaces it", "cmp:c.oad", file, "",
        "Reference c.oad: no parameters differ", "", false);
    row("unreadable reference: told, comparison kept", "cmp:missing.oad", file, "0 2", both,
        "1000 1*", true, "Open reference file");
    // A line cut in the reading lends nothing, and says why beside every panel.
    row("damaged reference: told, its line has no values", "cmp:d.oad", file, "0 2",
        "Reference d.oad: 1 parameter differs \u00b7 only here: S5 \u00b7 only in the "
        "reference: S9",
        "not read whole* not read whole*", false, "Reference file cannot be kept whole");
    // Millimetres at the reference's own resolution, as oadtool diff converts; without one,
    // at the document's, and the tooltip says so.
    row("reference's own scale line", "cmp:e.oad", file, "0 2",
        "Reference e.oad: 1 parameter differs \u00b7 only here: S5 \u00b7 only in the "
        "reference: S9 \u00b7 scale resolution differs",
        "1000 1*", true, "",
        "10.0000 0.0100 | Value in the reference file; millimetres at the reference's own scale "
        "resolution, 100 counts per mm (its line 4)");
    row("reference without a scale line", "down down down s:N2000 up up up cmp:f.oad",
        "S1 X3E8 Y7D0|S2 Q10|S5 V1|N2000", "0 2",
        "Reference f.oad: 1 parameter differs \u00b7 only here: S5 \u00b7 only in the "
        "reference: S9 \u00b7 scale resolution differs",
        "1000 1*", true, "",
        "0.5000 0.0005 | Value in the reference file; millimetres at the download file's scale "
        "resolution, 2000 counts per mm, as the reference has no scale resolution line");
    row("ended", "end", file, "", "", "", false);
}

void tst_DownloadEditor::comparison()
{
    QFETCH(QString, script);
    QFETCH(QString, summary);
    QFETCH(QString, message);
    QFETCH(QString, millimetres);
    const QString reference =
        Write_Download(QStringLiteral("b.oad"), "S1 X3E8 Y1\nS2 Q10\nS9 U1\nN1000\n");
    Write_Download(QStringLiteral("c.oad"), "S1 X3E8 Y7D0\r\nS2 Q10\r\nS5 V1\r\nN1000\r\n");
    Write_Download(QStringLiteral("d.oad"), QByteArray("S1 X3E8 Y1\0\nS2 Q10\nS9 U1\nN1000\n", 31));
    Write_Download(QStringLiteral("e.oad"), "S1 X3E8 Y1\nS2 Q10\nS9 U1\nN100\n");
    Write_Download(QStringLiteral("f.oad"), "S1 X3E8 Y1\nS2 Q10\nS9 U1\n");
    Open("S1 X3E8 Y7D0\nS2 Q10\nS5 V1\nN1000\n");
    QVERIFY(d_window->Compare_File(reference));
    if (!message.isEmpty())
        TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
    Run(script);
    QCOMPARE(TDialogSeam::Shown_Messages(),
             message.isEmpty() ? QStringList() : QStringList{message});
    QTEST(Lines(), "lines");
    QTEST(Marks(false), "marks");
    QCOMPARE(d_summary->text(), summary);
    QCOMPARE(d_summary->isVisible(), !summary.isEmpty());
    QTEST(Panel_References(), "references");
    QTEST(d_take_over->isEnabled(), "take_over");
    if (!millimetres.isNull())
        QCOMPARE(Panel_References(true), millimetres);
}

namespace {

// What the line list tells assistive technology of its active line: "Focus 2", "Selection 2".
QStringList line_events;

void Record_Line_Event(const QAccessibleEvent &event)
{
    if (event.type() == QAccessible::Focus || event.type() == QAccessible::Selection)
        line_events << QStringLiteral("%1 %2")
                           .arg(event.type() == QAccessible::Focus ? "Focus" : "Selection")
                           .arg(event.child());
}

} // namespace

void tst_DownloadEditor::accessibility()
{
    FileLineAccessible::Observe_Events(Record_Line_Event);
    const auto restore = qScopeGuard([] { FileLineAccessible::Observe_Events(nullptr); });
    const auto name_of = [](QObject *object) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(object);
        return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<none>");
    };

    // Every button, the field and the simple editor say what they are; tooltips stay.
    QStringList names;
    for (QToolButton *button : d_window->findChildren<QToolButton *>())
        if (button->defaultAction() || button->parentWidget() == d_lines)
            names << name_of(button);
    names << name_of(d_lines->findChild<QLineEdit *>()) << name_of(Simple_Editor());
    QCOMPARE(names,
             (QStringList{"Load download file", "Save download file", "Undo", "Redo",
                          "Compare with a reference file", "Take over the reference values",
                          "End the comparison", "Previous changed line", "Next changed line",
                          "Print the commissioning record",
                          "Export the commissioning record as PDF", "Previous line", "Next line",
                          "Clear the search", "Scale Resolution", "Line text"}));
    QCOMPARE(d_write->toolTip(), QStringLiteral("Save download file"));

    // The lines are a list; the active one is selected and focused, and the marks are told.
    Write_Download(QStringLiteral("ref.oad"), "S1 X3E8 Y7D0 Z0 W0\nS2 Q6\n");
    Open("S1 X3E8 Y7D0 Z0 W0\n; note\nS2 Q5\n");
    Run("i:7 down cmp:ref.oad");
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(Canvas_Of(*d_lines));
    QVERIFY(list);
    QCOMPARE(list->role(), QAccessible::List);
    QStringList items;
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface *item = list->child(i);
        QCOMPARE(list->indexOfChild(item), i);
        items << QStringLiteral("%1 [%2]%3%4")
                     .arg(item->text(QAccessible::Name), item->text(QAccessible::Description))
                     .arg(item->state().selected ? " selected" : "")
                     .arg(item->state().focused ? " focused" : "");
    }
    QCOMPARE(items, (QStringList{
                        "S1 X7 Y7D0 Z0 W0 [Changed since the file was loaded or saved; Differs "
                        "from the reference file]",
                        "; note [] selected focused", "S2 Q5 [Differs from the reference file]"}));
    QCOMPARE(list->focusChild(), list->child(1));
    QCOMPARE(line_events, (QStringList{"Focus 0", "Selection 0", "Focus 1", "Selection 1"}));
    line_events.clear();
    Run("down up");
    QCOMPARE(line_events, (QStringList{"Focus 2", "Selection 2", "Focus 1", "Selection 1"}));

    // Each view names its field and kind, and tells the field's help.
    Press(Qt::Key_Up);
    const QString help = TParameterTable().Get_Description(1).items.at(0).help;
    QStringList views;
    for (int view = 0; view < 3; ++view) {
        QAccessibleInterface *accessible =
            QAccessible::queryAccessibleInterface(Panel_Edit(0, view));
        views << accessible->text(QAccessible::Name);
        QCOMPARE(accessible->text(QAccessible::Description), help);
    }
    QCOMPARE(views, (QStringList{"X integer", "X hexadecimal", "X millimetres"}));
}

void tst_DownloadEditor::language_data()
{
    QTest::addColumn<QStringList>("languages"); // the user's, most wanted first
    QTest::addColumn<bool>("german");

    QTest::newRow("German") << QStringList{"de-DE"} << true;
    QTest::newRow("Austrian German") << QStringList{"de-AT"} << true;
    QTest::newRow("French, then German") << QStringList{"fr-FR", "de"} << true;
    QTest::newRow("English, then German") << QStringList{"en-GB", "de-DE"} << false;
    QTest::newRow("French only") << QStringList{"fr-FR"} << false;
    QTest::newRow("C locale") << QStringList() << false;
}

void tst_DownloadEditor::language()
{
    QFETCH(QStringList, languages);
    QFETCH(bool, german);
    // Installed as at start-up, before the window is made.
    const auto uninstall = qScopeGuard([] {
        qDeleteAll(qApp->findChildren<QTranslator *>(QString(), Qt::FindDirectChildrenOnly));
    });
    QCOMPARE(EditorTranslation::Install(*qApp, languages), german);
    Create_Window();
    const auto text = [german](const char *english, const char *in_german) {
        return QString::fromUtf8(german ? in_german : english);
    };
    QCOMPARE(d_labels.at(0)->text(), text("Recent Download File:", "Letzte Download-Datei:"));
    QCOMPARE(d_write->toolTip(), text("Save download file", "Download-Datei speichern"));

    Open("S1 X3E8 Y7D0\nN1000\n");
    QStringList captions;
    for (const QLabel *label :
         d_editor->findChildren<TDataItemWidget *>().at(0)->findChildren<QLabel *>())
        if (label->isVisibleTo(d_editor))
            captions << label->text();
    for (const QString &caption :
         {text("Hexadecimal:", "Hexadezimal:"), text("Value (mm):", "Wert (mm):"),
          text("X axis maximum velocity", "Maximalgeschwindigkeit X-Achse")})
        QVERIFY2(captions.contains(caption), qPrintable(captions.join('|')));

    // A message of the editor's, with Qt's own buttons.
    Type_Into(Panel_Edit(0, 0), QStringLiteral("5"));
    TDialogSeam::Set_Next_Answer(QMessageBox::Cancel);
    d_window->close();
    QCOMPARE(TDialogSeam::Shown_Messages(),
             QStringList{text("Data Not Saved", "Daten nicht gespeichert")});
    QCOMPARE(d_window->findChild<TMessageBox *>()->button(QMessageBox::Yes)->text(),
             text("&Yes", "&Ja"));
}

void tst_DownloadEditor::find_data()
{
    QTest::addColumn<QString>("script"); // see Run
    QTest::addColumn<QString>("focus");  // after each step
    QTest::addColumn<int>("active");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("marks"); // found lines, the active line aside
    QTest::addColumn<QString>("first"); // line 0

    const auto row = [](const char *name, const char *script, const char *focus, int active,
                        const char *count, const char *marks, const char *first = "S1 X3E8 Y7D0") {
        QTest::newRow(name) << script << focus << active << count << marks << first;
    };
    // The software limits are lines 1 and 3.
    const char *find = "^f t:software_limit";
    row("typing marks and counts, moves nothing", find, "find find", 0, "2 found", "1 3");
    row("Enter steps and wraps to the top", "^f t:software_limit enter enter enter",
        "find find find find find", 1, "1 of 2, from the top", "3");
    row("Shift+Enter wraps to the bottom", "^f t:software_limit senter", "find find find", 3,
        "2 of 2, from the bottom", "1");
    row("F3 and Shift+F3 from the editor", "^f t:software_limit esc f3 f3 F3",
        "find find X.int X.int X.int X.int", 1, "1 of 2", "3");
    row("a field in the query: into its integer view", "^f t:s3.u enter", "find find U.int", 4,
        "1 of 1", "");
    row("Down leaves the field, the line stays", "^f t:software_limit down", "find find X.int", 0,
        "2 found", "1 3");
    row("Up in the field does nothing", "^f t:software_limit enter up", "find find find find", 1,
        "1 of 2", "3");
    row("Up and Down move the line from elsewhere", "^f t:software_limit esc down",
        "find find X.int X.int", 1, "1 of 2", "3");
    row("Escape from a found line: into its field", "^f t:software_limit enter esc",
        "find find find X.int", 1, "1 of 2", "3");
    row("the line left is committed", "i:2000 ^f t:software_limit enter", "X.int find find find", 1,
        "1 of 2", "3", "S1 X7D0 Y7D0");
    row("Ctrl+F selects the query for the next", "^f t:software_limit ^f t:s12",
        "find find find find", 0, "1 found", "3");
    row("marks follow the lines", "^f t:4000 esc i:4000 down", "find find X.int X.int X.int", 1,
        "1 found", "0", "S1 XFA0 Y7D0");
    row("nothing found", "^f t:spindle enter", "find find find", 0, "No matches", "");
    row("an emptied field: no marks, no count", "^f t:s1 bs bs", "find find find find", 0, "", "");
    row("F3 with an empty field asks for a query", "f3", "find", 0, "", "");
}

void tst_DownloadEditor::find()
{
    QFETCH(QString, script);
    Open("S1 X3E8 Y7D0\nS11 X5ACA30 Y3C45B0 Z1DC130 W0\n; note\n"
         "S12 XFFFFD8F0 YFFFFD8F0 ZFFFFD8F0 W0\nS3 X60 Y60 Z50 W40 U100\nN1000\n");
    QTEST(Run(script).join(QLatin1Char(' ')), "focus");
    QTEST(d_lines->Get_Active_Line(), "active");
    QTEST(d_window->findChild<TFindBar *>()->findChild<QLabel *>()->text(), "count");
    QTEST(Marks(true), "marks");
    QTEST(d_lines->Get_Line(0), "first");
    // Escape in the field never reaches the window, which it would close.
    QVERIFY(d_window->isVisible());
}

void tst_DownloadEditor::stepThroughChanges_data()
{
    QTest::addColumn<QString>("script");  // see Run
    QTest::addColumn<QString>("active");  // after each step
    QTest::addColumn<QString>("enabled"); // previous, next
    QTest::addColumn<QString>("tip");     // of next

    const auto row = [](const char *name, const char *script, const char *active,
                        const char *enabled, const char *tip = "Next changed line (F8)") {
        QTest::newRow(name) << script << active << enabled << tip;
    };
    row("nothing changed: both off", "f8", "0", "--");
    row("to the changes and back; no wrap", "down i:7 down down i:9 up up up f8 f8 f8 F8 F8",
        "1 1 2 3 3 2 1 0 1 3 3 1 1", "-N");
    row("the line left is committed", "down i:7 down down i:9 F8", "1 1 2 3 3 1", "-N");
    row("a save leaves nothing to step to", "down i:7 up save f8", "1 1 0 0 0", "--");
    const char *tip = "Next line that differs from the reference (F8)";
    row("comparing: the reference's differences", "cmp:b.oad f8 f8 F8", "0 2 4 2", "-N", tip);
    row("comparing: a change back to the reference is none", "cmp:b.oad down down i:9 up up f8 f8",
        "0 1 2 2 1 0 4 4", "--", tip);
}

void tst_DownloadEditor::stepThroughChanges()
{
    QFETCH(QString, script);
    Write_Download(QStringLiteral("b.oad"), "S1 X1\nS4 U2\nS5 V9\nS8 U4\nS13 X9\n");
    Open("S1 X1\nS4 U2\nS5 V3\nS8 U4\nS13 X5\n");
    QAction *next = nullptr;
    QAction *previous = nullptr;
    for (QAction *action : d_window->findChild<QToolBar *>()->actions()) {
        if (action->shortcut() == QKeySequence(Qt::Key_F8))
            next = action;
        else if (action->shortcut() == QKeySequence(Qt::SHIFT | Qt::Key_F8))
            previous = action;
    }
    QVERIFY(next && previous);
    QStringList active;
    for (const QString &step : script.split(QLatin1Char(' '))) {
        Run_Step(step, QByteArray());
        active << QString::number(d_lines->Get_Active_Line());
    }
    QTEST(active.join(QLatin1Char(' ')), "active");
    QTEST(QString(previous->isEnabled() ? "P" : "-") + (next->isEnabled() ? "N" : "-"), "enabled");
    QTEST(next->toolTip(), "tip");
}

void tst_DownloadEditor::commissioningRecord_data()
{
    QTest::addColumn<QString>("script"); // see Run
    QTest::addColumn<QString>("route");  // export: the toolbar's PDF; print: Ctrl+P
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("pdf"); // the name given; empty: the dialog is cancelled
    QTest::addColumn<QString>("size");
    QTest::addColumn<QStringList>("texts"); // in the PDF, blanks aside
    QTest::addColumn<QStringList>("message");

    const auto row = [](const char *name, const char *script, const char *route, const char *locale,
                        const char *pdf, const char *size, const QStringList &texts,
                        const QStringList &message = {}) {
        QTest::newRow(name) << script << route << locale << pdf << size << texts << message;
    };
    // The window's table, lines and resolution reach the record; how it shows each is the
    // record's own test.
    const QStringList record{"X axis positive software limit", "5950.0000", "; note",
                             "from line 4 of the file"};
    row("exported on A4", "", "export", "C", "r.pdf", "A4", record);
    row("on Letter where the desktop measures in inches", "", "export", "en_US", "r.pdf", "letter",
        record);
    row("printed through the print dialog", "", "print", "C", "r.pdf", "", record);
    row("typing committed first, noted as unsaved", "i:2000", "export", "C", "r.pdf", "A4",
        {"2000", "7D0", "The editor holds unsaved changes"});
    row("typing committed before printing", "i:2000", "print", "C", "r.pdf", "", {"2000", "7D0"});
    row("changed on disk since read: noted", "disk", "export", "C", "r.pdf", "A4",
        {"3E8", "The editor holds unsaved changes"});
    row("with the reference and its value", "cmp:b.oad", "export", "C", "r.pdf", "A4",
        {"Comparison with the reference", "b.oad", "3000000", "2DC6C0"});
    row("reference gone: told, nothing written", "cmp:b.oad rm:b.oad", "export", "C", "r.pdf", "",
        {}, {"Open reference file"});
    row("dialog cancelled: nothing written", "", "export", "C", "", "", {});
    row("print dialog cancelled: nothing printed", "", "print", "C", "", "", {});
    row("unwritable: told", "", "export", "C", "no/such/r.pdf", "", {},
        {"Export commissioning record"});
}

void tst_DownloadEditor::commissioningRecord()
{
    QFETCH(QString, script);
    QFETCH(QString, route);
    QFETCH(QString, pdf);
    QFETCH(QStringList, texts);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed (apt-get install poppler-utils)");
    QAction *export_action = nullptr;
    for (QAction *action : d_window->findChild<QToolBar *>()->actions())
        if (action->text().contains(QLatin1String("PDF")))
            export_action = action;
    QVERIFY(export_action && !export_action->isEnabled()); // no file yet
    Write_Download(QStringLiteral("b.oad"), "S1 X2DC6C0 Y64\nS11 X5ACA30\n");
    const QString file = Open("S1 X3E8 Y64\nS11 X5ACA30 Y3C45B0 Z1DC130 W0\n; note\nN1000\n");
    Run(script);
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    const QString target = pdf.isEmpty() ? QString() : d_dir->filePath(pdf);
    TDialogSeam::Set_Next_Answer(QMessageBox::Ok); // for a failure
    if (route == QLatin1String("print")) {
        TDialogSeam::Set_Next_Print_File(d_dir->filePath(QStringLiteral("r.pdf")), !pdf.isEmpty());
        Press(Qt::Key_P, Qt::ControlModifier);
    } else {
        TDialogSeam::Set_Next_File_Name(target);
        export_action->trigger();
    }
    QTEST(TDialogSeam::Shown_Messages(), "message");
    QCOMPARE(QDir(d_dir->path()).entryList({QStringLiteral("*.pdf")}).size(),
             texts.isEmpty() ? 0 : 1);
    if (texts.isEmpty())
        return;
    const auto run = [&target](const char *program, const QStringList &arguments = {}) {
        QProcess process;
        process.start(QString::fromLatin1(program), QStringList{target} + arguments);
        return process.waitForFinished(60000) ? QString::fromUtf8(process.readAllStandardOutput())
                                              : QString();
    };
    // Blanks and line ends aside, which the narrow columns add, and ligatures as letters.
    QString text =
        run("pdftotext", {QStringLiteral("-")}).normalized(QString::NormalizationForm_KC);
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    texts << QString::fromLatin1(
        QCryptographicHash::hash(Read_Bytes(file), QCryptographicHash::Sha256).toHex());
    for (QString expected : texts)
        QVERIFY2(text.contains(expected.remove(QLatin1Char(' '))), qPrintable(expected));
    QFETCH(QString, size);
    if (!size.isEmpty())
        QVERIFY2(run("pdfinfo").contains(QStringLiteral("pts (%1)").arg(size)),
                 qPrintable(run("pdfinfo")));
}

void tst_DownloadEditor::sizesFollowTheFont_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<bool>("specified"); // letter 20, captions 100, views 100
    QTest::addColumn<QSize>("largest");  // the window's largest size; none: any
    QTest::addColumn<bool>("german");    // longer texts

    const auto points = [](int size) {
        return QFont(QStringLiteral("Sans Serif"), size);
    };
    QFont small(QStringLiteral("Sans Serif"));
    small.setPixelSize(9);
    // A font whose texts fit the specified sizes keeps them all, and so does the window.
    QTest::newRow("9 pixels: the specified sizes") << small << true << QSize(1001, 701) << false;
    QTest::newRow("9 pt, a desktop's own") << points(9) << false << QSize(1001, 701) << false;
    QTest::newRow("9 pt in German") << points(9) << false << QSize(1001, 701) << true;
    // A 1366 x 768 screen with a panel and a title bar.
    QTest::newRow("11 pt") << points(11) << false << QSize(1366, 704) << false;
    QTest::newRow("11 pt in German") << points(11) << false << QSize(1366, 704) << true;
    QTest::newRow("14 pt") << points(14) << false << QSize() << false;
    QTest::newRow("14 pt in German") << points(14) << false << QSize() << true;
}

void tst_DownloadEditor::sizesFollowTheFont()
{
    QFETCH(QFont, font);
    QFETCH(bool, specified);
    QFETCH(QSize, largest);
    QFETCH(bool, german);
    // The offscreen platform's own font is larger than a desktop's.
    const QFont offscreen_font = QApplication::font();
    const auto restore = qScopeGuard([&] {
        QApplication::setFont(offscreen_font);
        qDeleteAll(qApp->findChildren<QTranslator *>(QString(), Qt::FindDirectChildrenOnly));
    });
    QApplication::setFont(font);
    QCOMPARE(EditorTranslation::Install(*qApp, german ? QStringList{"de-DE"} : QStringList()),
             german);
    Create_Window();
    const auto fits = [&](const QSize &size) {
        return largest == QSize(1001, 701)
                   ? size == largest
                   : !largest.isValid() ||
                         (size.width() <= largest.width() && size.height() <= largest.height());
    };

    // Every described parameter with every field at its widest value, under a long path;
    // then compared with a reference that differs in every way, so that its summary is long.
    QByteArray bytes;
    QByteArray reference;
    const TParameterTable table;
    for (int number = 0; number < 256; ++number) {
        const ParameterDescription description = table.Get_Description(number);
        if (description.number < 0)
            continue;
        QByteArray line = "S" + QByteArray::number(number, 16).toUpper();
        for (const ParameterItem &item : description.items)
            line += ' ' + QString(item.letter).toLatin1() + "80000000";
        bytes += line + '\n';
        const int kind = bytes.count('\n') / 10; // lacking, duplicated, then differing
        if (kind > 0)
            reference +=
                (kind == 1 ? line + '\n' + line : line.replace("80000000", "7FFFFFFF")) + "\n";
    }
    const QString name = QString(230 - d_dir->path().size() - 5, QLatin1Char('p')) + ".oad";
    const QString path = Write_Download(name, bytes + "N10\n");
    QCOMPARE(path.size(), 230);
    d_window->Open_File(path);
    QCOMPARE(d_labels.at(1)->text(), QDir::toNativeSeparators(path));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const int line_view_width = d_lines->width();
    for (int line = 0; line < bytes.count('\n'); ++line) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QSize size = d_window->size();
        QVERIFY2(fits(size) && d_lines->width() == line_view_width && Cut_Parts().isEmpty(),
                 qPrintable(QStringLiteral("%1: %2 x %3, line view %4, cut: %5")
                                .arg(d_lines->Get_Line(line))
                                .arg(size.width())
                                .arg(size.height())
                                .arg(d_lines->width())
                                .arg(Cut_Parts().join(QStringLiteral(", ")))));
        Press(Qt::Key_Down);
    }
    if (specified) {
        const QList<QLabel *> labels =
            d_editor->findChildren<TDataItemWidget *>().at(0)->findChildren<QLabel *>(
                QString(), Qt::FindDirectChildrenOnly);
        // "Integer:", "Value (mm):", help, letter, "Hexadecimal:".
        QCOMPARE(QList<int>({labels.at(3)->width(), labels.at(0)->width(), labels.at(1)->width(),
                             labels.at(4)->width(), Panel_Edit(0, 0)->width()}),
                 QList<int>({20, 100, 100, 100, 100}));
    }
    QVERIFY(d_window->Compare_File(Write_Download(QStringLiteral("r.oad"), reference + "N20\n")));
    // The summary is a line of its own, not lost in the toolbar's overflow: shown, inside the
    // window, elided to its width, with all of it as the tooltip.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QVERIFY(fits(d_window->size()));
    // Longer than the window is wide, but at the smallest font.
    QVERIFY2(specified ||
                 d_summary->fontMetrics().horizontalAdvance(d_summary->text()) > d_window->width(),
             qPrintable(d_summary->text()));
    QVERIFY(d_summary->isVisible());
    const QRect summary_area(d_summary->mapTo(d_window.get(), QPoint()), d_summary->size());
    QVERIFY(d_window->rect().contains(summary_area) && summary_area.width() > line_view_width);
    QHelpEvent summary_help(QEvent::ToolTip, QPoint(5, 5), d_summary->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(d_summary, &summary_help);
    QVERIFY2(QToolTip::text().contains(d_summary->text()), qPrintable(QToolTip::text()));
    // The whole path is the tooltip.
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), d_labels.at(1)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(d_labels.at(1), &help);
    QCOMPARE(QToolTip::text(), QDir::toNativeSeparators(path));
    // The reference's values beside the views, and the window as narrow as it goes, still
    // cut nothing.
    QCOMPARE(Cut_Parts(), QStringList());
    d_window->resize(d_window->minimumSize());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(Cut_Parts(), QStringList());
}

QStringList tst_DownloadEditor::Cut_Parts() const
{
    // What shows less than its text: a caption, a view's value, a push button. Paths elide and
    // help texts wrap by design, the tool buttons show icons of a fixed size; the line list is
    // checked on its own.
    QStringList cut;
    for (QWidget *widget : d_window->findChildren<QWidget *>()) {
        if (!widget->isVisible())
            continue;
        const auto *label = qobject_cast<QLabel *>(widget);
        const auto *edit = qobject_cast<QLineEdit *>(widget);
        const auto *button = qobject_cast<QPushButton *>(widget);
        if (label && !label->wordWrap() && !label->text().isEmpty() &&
            !dynamic_cast<TElidingLabel *>(widget) && label->width() < label->sizeHint().width())
            cut << label->text();
        if (edit && edit != Simple_Editor() &&
            edit->fontMetrics().horizontalAdvance(edit->text()) + 2 * 2 >
                edit->contentsRect().width() - 2 * 2)
            cut << edit->text();
        if (button && button->width() < button->minimumSizeHint().width())
            cut << button->text();
    }
    return cut;
}

QString tst_DownloadEditor::Describe(const QWidget *widget) const
{
    const auto buttons = d_lines->findChildren<QToolButton *>();
    if (!widget)
        return QStringLiteral("none");
    if (widget == buttons.value(0))
        return QStringLiteral("up-arrow");
    if (widget == buttons.value(1))
        return QStringLiteral("down-arrow");
    if (widget == d_lines->findChild<QLineEdit *>())
        return QStringLiteral("field");
    if (widget == Simple_Editor())
        return QStringLiteral("simple");
    if (widget == Find_Field())
        return QStringLiteral("find");
    if (widget == d_window->findChild<QPushButton *>(QString(), Qt::FindDirectChildrenOnly))
        return QStringLiteral("close");
    if (const auto *panel = qobject_cast<const TDataItemWidget *>(widget->parentWidget())) {
        const int view = panel->findChildren<QLineEdit *>().indexOf(
            const_cast<QLineEdit *>(qobject_cast<const QLineEdit *>(widget)));
        return QString(panel->Get_Letter()) + QStringList{".int", ".hex", ".mm"}.value(view);
    }
    return QString::fromLatin1(widget->metaObject()->className());
}

QWidget *tst_DownloadEditor::Find(const QString &name) const
{
    QList<QWidget *> candidates = d_window->findChildren<QWidget *>();
    for (QWidget *widget : candidates)
        if (widget->isVisibleTo(d_window.get()) && Describe(widget) == name)
            return widget;
    return nullptr;
}

void tst_DownloadEditor::screenMatchesFreshPaint_data()
{
    QTest::addColumn<QString>("script"); // see Run; 2down and 2up press twice, then paint

    QTest::newRow("walk down and back")
        << QString("down ").repeated(46) + QString("up ").repeated(46);
    QTest::newRow("double presses") << "2down 2down down 2up 2down 2down 2up up 2up 2up";
    QTest::newRow("edits committed and marked")
        << "down down down i:7 down up i:8 up down 2up s:x down up 2down X.hex=G";
    QTest::newRow("compared, then taken over") << "cmp:ref.oad down down take down 2up down";
}

void tst_DownloadEditor::screenMatchesFreshPaint()
{
    // What the window repaints step by step must be what a whole fresh paint of the same
    // state gives: rows moved as pixels, marks, outlines and panels kept shown included, and
    // pictures of frames and captions as Qt draws them, focused, disabled and marked alike.
    QFETCH(QString, script);
    QApplication::setCursorFlashTime(0); // a steady cursor, the same in both pictures
    QByteArray bytes = Read_Bytes(QStringLiteral(DOWNLOADEDITOR_EXAMPLES_DIR "/example.oad"));
    bytes.insert(bytes.indexOf("S2 "), "Raw text without a parameter\nS0 X1\n\nS2 Q1\n");
    // Accents on capitals reach above their row, into pixels that the row above paints.
    bytes.insert(bytes.indexOf("Pr"), "\xC4\xD6\xDC ");
    Write_Download(QStringLiteral("ref.oad"), "S1 X1 Y2DC6C0\nS2 Q5\nS4 U1\nN10000\n");
    Open(bytes);
    QCOMPARE(d_lines->Get_Line_Count(), 34);
    // Run once more at another pixel ratio (see tests/CMakeLists.txt).
    QCOMPARE(d_window->devicePixelRatioF(),
             qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    const auto screen_and_fresh = [this] {
        // A layout can ask for another one; the screen is compared once they have settled.
        for (int round = 0; round < 3; ++round)
            QApplication::processEvents();
        // What the window system shows: the backing store's pixels, at its pixel ratio (the
        // offscreen platform's own window grab cuts a scaled window to its unscaled size).
        const QPaintDevice *store = d_window->backingStore()->paintDevice();
        const QImage screen =
            store->devType() == QInternal::Image
                ? static_cast<const QImage *>(store)->convertToFormat(QImage::Format_RGB32)
                : QImage();
        // Drawn afresh without pictures: frames, lines, captions and letters as Qt draws them.
        CachedPainting::Set_Enabled(false);
        const QImage fresh = d_window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        CachedPainting::Set_Enabled(true);
        return std::make_pair(screen, fresh);
    };
    int step_number = 0;
    for (QString step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        ++step_number;
        const bool twice = step.startsWith(QLatin1Char('2'));
        if (twice)
            Run_Step(step.mid(1), QByteArray());
        Run_Step(step.remove(QLatin1Char('2')), QByteArray());
        auto [screen, fresh] = screen_and_fresh();
        QVERIFY2(screen == fresh, qPrintable(QString("step %1 (%2)").arg(step_number).arg(step)));
        if (step_number == 30 || step_number == 5) {
            // Another size paints everything afresh, and the steps after it move pixels again.
            d_window->resize(d_window->width() - 40, d_window->height() - 37 * (step_number / 5));
            std::tie(screen, fresh) = screen_and_fresh();
            QVERIFY2(screen == fresh,
                     qPrintable(QString("resized after step %1").arg(step_number)));
        }
    }
}

QStringList tst_DownloadEditor::Run(const QString &script, const QByteArray &file)
{
    // Where the focus passes on its way also counts: one key there could do harm.
    QStringList passed;
    const auto connection = connect(qApp, &QApplication::focusChanged, this,
                                    [&](QWidget *, QWidget *now) { passed << Describe(now); });
    QStringList focus;
    for (const QString &step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        Run_Step(step, file);
        QString now = Describe(QApplication::focusWidget());
        passed.removeAll(now);
        passed.removeAll(QStringLiteral("none"));
        focus << (passed.isEmpty() ? now : now + "(via:" + passed.join(QLatin1Char('+')) + ')');
        passed.clear();
    }
    disconnect(connection);
    return focus;
}

void tst_DownloadEditor::Run_Step(const QString &step, const QByteArray &file)
{
    const QHash<QString, Qt::Key> keys{
        {"down", Qt::Key_Down},    {"up", Qt::Key_Up},       {"enter", Qt::Key_Return},
        {"tab", Qt::Key_Tab},      {"space", Qt::Key_Space}, {"esc", Qt::Key_Escape},
        {"bs", Qt::Key_Backspace}, {"f3", Qt::Key_F3},       {"f8", Qt::Key_F8}};
    const QHash<QString, Qt::Key> shifted{
        {"senter", Qt::Key_Return}, {"F3", Qt::Key_F3}, {"F8", Qt::Key_F8}};
    const QString argument = step.mid(2);
    bool number = false;
    const int view = argument.toInt(&number);
    if (step.startsWith(QLatin1String("i:")) || step.startsWith(QLatin1String("j:")))
        Type_Into(Panel_Edit(step.startsWith(QLatin1Char('j')) ? 1 : 0, 0), argument);
    else if (step.startsWith(QLatin1String("s:")))
        Type_Into(Simple_Editor(), argument);
    else if (step.startsWith(QLatin1String("f:")))
        (number ? Panel_Edit(0, view) : Find(argument))->setFocus();
    else if (step.contains(QLatin1Char('=')) && !step.startsWith(QLatin1String("cmp:")))
        Type_Into(qobject_cast<QLineEdit *>(Find(step.section(QLatin1Char('='), 0, 0))),
                  step.section(QLatin1Char('='), 1));
    else if (keys.contains(step))
        Press(keys.value(step));
    else if (shifted.contains(step))
        Press(shifted.value(step), Qt::ShiftModifier);
    else if (step == QLatin1String("^f"))
        Press(Qt::Key_F, Qt::ControlModifier);
    else if (step.startsWith(QLatin1String("t:")))
        for (const QChar c : argument)
            QTest::keyClick(d_window->windowHandle(), c == QLatin1Char('_') ? ' ' : c.toLatin1());
    else if (step == QLatin1String("^z") || step == QLatin1String("^Z"))
        Press(Qt::Key_Z, step == QLatin1String("^Z") ? Qt::ControlModifier | Qt::ShiftModifier
                                                     : Qt::ControlModifier);
    else if (step == QLatin1String("^y"))
        Press(Qt::Key_Y, Qt::ControlModifier);
    else if (step == QLatin1String("^o")) {
        TDialogSeam::Set_Next_Answer(QMessageBox::Cancel);
        Press(Qt::Key_O, Qt::ControlModifier);
    } else if (step == QLatin1String("undo") || step == QLatin1String("redo"))
        (step == QLatin1String("undo") ? d_undo : d_redo)->trigger();
    else if (step == QLatin1String("save"))
        Save_As(QStringLiteral("out.oad"));
    else if (step == QLatin1String("open"))
        Open(file);
    else if (step.startsWith(QLatin1String("rm:")))
        QFile::remove(d_dir->filePath(step.mid(3)));
    else if (step == QLatin1String("disk")) // another program changes the open file
        Write_Download(QStringLiteral("a.oad"), "S1 X7D0 Y64\n");
    else if (step == QLatin1String("empty"))
        Open(QByteArray());
    else if (step == QLatin1String("take"))
        Press(Qt::Key_T, Qt::ControlModifier);
    else if (step == QLatin1String("end"))
        d_end_comparison->trigger();
    else if (step.startsWith(QLatin1String("cmp:"))) {
        TDialogSeam::Set_Next_File_Name(d_dir->filePath(step.mid(4)));
        d_compare->trigger();
    } else
        QFAIL(qPrintable(step));
}

QTEST_MAIN(tst_DownloadEditor)
#include "tst_downloadeditor.moc"
