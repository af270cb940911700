// Saving and loading where the file system says no, or where the file changed behind the
// window's back. The bytes on disk must survive, a failure must say why, and the window
// must still hold its document, its captions and its unsaved edits.
#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloadeditor.h"
#include "downloadfile.h"
#include "filelinewidget.h"
#include "testsupport.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

const QByteArray Original("S1 X3E8 Y7D0 Z0 W0\r\nS2 Q64\r\nN1000\r\n");

// Takes the first d_limit bytes written to it, then refuses every write.
class TFailingDevice : public QIODevice
{
public:
    qint64 d_limit = 0;
    QByteArray d_written;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 taken = qMin(d_limit - d_written.size(), size);
        if (taken > 0)
            d_written.append(data, static_cast<int>(taken));
        return taken > 0 ? taken : -1;
    }
};

// Every entry below root with its bytes, so that any change on disk shows. Only regular
// files are read: opening a FIFO would wait for a writer.
QMap<QString, QByteArray> Snapshot(const QString &root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        entries.insert(it.filePath(), it.fileInfo().isFile() && file.open(QIODevice::ReadOnly)
                                          ? file.readAll()
                                          : "-");
    }
    return entries;
}

// Types ABC into the second panel's integer view (Y) and commits it by moving on.
QString Edit_And_Commit(TDownloadEditor &window)
{
    const QList<QLineEdit *> views = Shown_Views(*window.findChild<TDataEditorWidget *>());
    if (views.size() != 13) // three views for each of four panels, and the plain-text editor
        return QStringLiteral("<%1 views>").arg(views.size());
    views[4]->selectAll();
    QTest::keyClicks(views[4], QStringLiteral("ABC"));
    window.Key_Pressed(Qt::Key_Down);
    return window.findChild<TFileLineWidget *>()->Get_Line(0);
}

QString Explanation(const TDownloadEditor &window)
{
    const QMessageBox *box = Only_Child<QMessageBox>(window);
    return box ? box->informativeText() : QStringLiteral("<no message box>");
}

const QString Edited = QStringLiteral("S1 X3E8 YABC Z0 W0");
const QByteArray Edited_Bytes("S1 X3E8 YABC Z0 W0\r\nS2 Q64\r\nN1000\r\n");

// The window's settings file, beside the test program, with its kind, mode and bytes.
QString Settings()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/settings.ini");
}

QString Describe_Settings()
{
    const QFileInfo info(Settings());
    return QStringLiteral("%1 %2 ").arg(info.isDir()).arg(info.permissions(), 0, 16) +
           QString::fromLatin1(Read_Bytes(Settings()));
}

} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fails_data();
    void fails();
    void saveOverOwnFile_data();
    void saveOverOwnFile();
    void deviceStopsTakingBytes();

private:
    bool Mount_Full_File_System();
    void Settings_Fail(const QString &obstacle);

    QTemporaryDir d_dir;
    QString d_mount_point;
};

void tst_Faults::initTestCase()
{
    QVERIFY(Write_Bytes(d_dir.filePath(QStringLiteral("source.oad")), Original));
    QVERIFY(QDir(d_dir.path()).mkdir(QStringLiteral("folder.oad")));
    QVERIFY(Write_Bytes(d_dir.filePath(QStringLiteral("folder.oad/inside.oad")), Original));
    QVERIFY(Write_Bytes(d_dir.filePath(QStringLiteral("locked.oad")), Original));
    QFile::setPermissions(d_dir.filePath(QStringLiteral("locked.oad")), QFileDevice::WriteOwner);
    QVERIFY(Write_Bytes(d_dir.filePath(QStringLiteral("readonly.oad")), Original));
    QFile::setPermissions(d_dir.filePath(QStringLiteral("readonly.oad")), QFileDevice::ReadOwner);
    QCOMPARE(::mkfifo(qPrintable(d_dir.filePath(QStringLiteral("fifo.oad"))), 0644), 0);
}

// Also before each test: a run that was stopped may have left its obstacle behind.
void tst_Faults::init()
{
    TDialogSeam::Clear();
    QFile::remove(Settings());
    QDir().rmdir(Settings());
}

void tst_Faults::cleanup()
{
    init();
    if (!d_mount_point.isEmpty())
        QProcess::execute(QStringLiteral("umount"), {d_mount_point});
    d_mount_point.clear();
}

// A 64 kB tmpfs at small/ holding params.oad, with every remaining block taken.
bool tst_Faults::Mount_Full_File_System()
{
    const QString mount_point = d_dir.filePath(QStringLiteral("small"));
    QDir().mkpath(mount_point);
    if (QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=64k"), QStringLiteral("tmpfs"), mount_point}) != 0)
        return false;
    d_mount_point = mount_point;
    QFile filler(mount_point + QStringLiteral("/filler"));
    if (!Write_Bytes(mount_point + QStringLiteral("/params.oad"), Original) ||
        !filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    while (filler.write(QByteArray(4096, 'x')) > 0) {
    }
    return true;
}

void tst_Faults::fails_data()
{
    QTest::addColumn<QString>("way"); // save, open (dialog, command line, drop), reference
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason"); // in the message's explanation
    const auto row = [](const char *way, const char *target, const char *reason) {
        QTest::addRow("%s: %s", way, target) << way << target << reason;
    };
    row("save", "missing/params.oad", "No such file or directory");
    row("save", "folder.oad", "It is a folder, not a file.");
    row("save", "source.oad/params.oad", "Not a directory");
    row("save", "small/params.oad", "No space left on device");
    row("save", "readonly.oad", "Permission denied");
    // Why a file cannot be read is the reader's to say; the window passes it on.
    row("dialog", "fifo.oad", "It is not a regular file");
    row("dialog", "missing.oad", "No such file or directory");
    // A reference that cannot be read is told as a failed open, from the toolbar and from
    // --compare alike; root reads a locked file all the same.
    for (const char *way : {"reference", "--compare"}) {
        row(way, "missing.oad", "No such file or directory");
        row(way, "fifo.oad", "It is not a regular file");
    }
    // From the command line as from the dialog: an empty window would pass for an empty file.
    row("command line", "fifo.oad", "It is not a regular file");
    row("command line", "missing.oad", "No such file or directory");
    // A drop checks for itself and opens only what it can read, silently.
    for (const char *target : {"folder.oad", "/dev/zero", "locked.oad"})
        row("drop", target, "");
    // The settings stored on close; root may replace any file, a read-only one all the same.
    for (const char *obstacle : {"directory", "read-only", "full"})
        row("settings", obstacle, "");
}

void tst_Faults::fails()
{
    QFETCH(QString, way);
    QFETCH(QString, target);
    QFETCH(QString, reason);
    if (way == QLatin1String("settings")) {
        Settings_Fail(target);
        return;
    }
    if (target.startsWith(QLatin1String("small/")) && !Mount_Full_File_System())
        QSKIP("no tmpfs can be mounted here; deviceStopsTakingBytes stands in");
    if ((target == QLatin1String("locked.oad") || target == QLatin1String("readonly.oad")) &&
        ::geteuid() == 0)
        QSKIP("file permissions do not bind root");
    target = QDir(d_dir.path()).filePath(target);
    const auto before = Snapshot(d_dir.path());

    TDownloadEditor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString source = d_dir.filePath(QStringLiteral("source.oad"));
    window.Open_File(source);
    QCOMPARE(Edit_And_Commit(window), Edited);

    if (way == QLatin1String("save")) {
        TDialogSeam::Set_Next_File_Name(target);
        TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
        window.Write_File();
        QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{"Write download file"});
    } else {
        // The edit is not saved first; what cannot be dropped is not worth a question either.
        TDialogSeam::Set_Next_Answer(way == QLatin1String("dialog") ? QMessageBox::No
                                     : way == QLatin1String("drop") ? QMessageBox::Cancel
                                                                    : QMessageBox::Ok);
        TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
        Open_By(window, way, target, d_dir.path());
        const QHash<QString, QStringList> told{{"dialog", {"Data Not Saved", "Open download file"}},
                                               {"command line", {"Open download file"}},
                                               {"reference", {"Open reference file"}},
                                               {"--compare", {"Open reference file"}}};
        QCOMPARE(TDialogSeam::Shown_Messages(), told.value(way));
    }
    if (!reason.isEmpty()) {
        QVERIFY2(Explanation(window).contains(QDir::toNativeSeparators(target)),
                 qPrintable(Explanation(window)));
        QVERIFY2(Explanation(window).contains(reason), qPrintable(Explanation(window)));
    }

    // Nothing changed: not the disk, the document, its captions, its save target, nor its
    // unsaved state (closing asks, and Cancel keeps window and edit).
    QCOMPARE(Snapshot(d_dir.path()), before);
    QCOMPARE(window.findChild<TFileLineWidget *>()->Get_Line(0), Edited);
    const auto labels = window.findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(labels.at(0)->text(), QStringLiteral("Active Download File:"));
    QCOMPARE(labels.at(1)->text(), QDir::toNativeSeparators(source));
    TDialogSeam::Clear();
    TDialogSeam::Set_Next_Answer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{"Data Not Saved"});
    QCOMPARE(QSettings(Settings(), QSettings::IniFormat).value(QStringLiteral("Last_File")),
             QDir::toNativeSeparators(source));
}

void tst_Faults::saveOverOwnFile_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved"); // else the file keeps what it held before the save

    const int none = QMessageBox::NoButton;
    const int no = QMessageBox::No;
    const int yes = QMessageBox::Yes;
    // What counts as a change is the file stamp's to tell; the window asks about it.
    QTest::newRow("untouched") << "" << none << true;
    QTest::newRow("another program, no: its bytes stay") << "another program" << no << false;
    QTest::newRow("another program, yes: overwritten") << "another program" << yes << true;
    QTest::newRow("deleted meanwhile: written again") << "deleted" << none << true;
    // Between the new copy's sync and the rename: the same question, and nothing replaced.
    QTest::newRow("during the save, no: its bytes stay") << "during the save" << no << false;
    QTest::newRow("during the save, yes: overwritten") << "during the save" << yes << true;
}

void tst_Faults::saveOverOwnFile()
{
    QFETCH(QString, change);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    const QString path = d_dir.filePath(QStringLiteral("own.oad"));
    QVERIFY(Write_Bytes(path, Original));

    TDownloadEditor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Open_File(path);
    QCOMPARE(Edit_And_Commit(window), Edited);

    if (change == QLatin1String("another program"))
        QVERIFY(Write_Bytes(path, "S1 X1\r\n"));
    else if (change == QLatin1String("deleted"))
        QVERIFY(QFile::remove(path));
    QByteArray before = Read_Bytes(path);
    if (change == QLatin1String("during the save")) {
        before = "S1 X2\r\n";
        DownloadFile::Set_Replace_Hook([&](const QString &target) {
            DownloadFile::Set_Replace_Hook({}); // once
            QVERIFY(Write_Bytes(target + QStringLiteral(".new"), before));
            QVERIFY(::rename(qPrintable(target + QStringLiteral(".new")), qPrintable(target)) == 0);
        });
    }

    TDialogSeam::Set_Next_File_Name(path);
    if (answer != QMessageBox::NoButton)
        TDialogSeam::Set_Next_Answer(QMessageBox::StandardButton(answer));
    window.Write_File();
    DownloadFile::Set_Replace_Hook({});
    QCOMPARE(TDialogSeam::Shown_Messages(), answer == QMessageBox::NoButton
                                                ? QStringList()
                                                : QStringList{"Download file changed on disk"});
    QCOMPARE(Read_Bytes(path), saved ? Edited_Bytes : before);

    // Saved, the file is the window's again: the next save asks nothing. Refused, the
    // window keeps the edit as unsaved.
    TDialogSeam::Clear();
    TDialogSeam::Set_Next_Answer(QMessageBox::Cancel); // a question that must not come, if saved
    if (saved) {
        TDialogSeam::Set_Next_File_Name(path);
        window.Write_File();
    }
    QCOMPARE(window.close(), saved);
    QCOMPARE(TDialogSeam::Shown_Messages(), saved ? QStringList() : QStringList{"Data Not Saved"});
    QCOMPARE(window.findChild<TFileLineWidget *>()->Get_Line(0), Edited);
}

// Closing twice tells once that the settings cannot be stored, and leaves them as they were.
void tst_Faults::Settings_Fail(const QString &obstacle)
{
    if (obstacle == QLatin1String("directory")) {
        QVERIFY(QDir().mkdir(Settings()));
    } else if (obstacle == QLatin1String("read-only")) {
        QVERIFY(Write_Bytes(Settings(), "[General]\nLast_File=kept\n"));
        QFile::setPermissions(Settings(), QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ReadOther);
    } else {
        if (!Mount_Full_File_System())
            QSKIP("no tmpfs can be mounted here");
        // A writable, empty file whose replacement finds no room.
        const QString full = d_mount_point + QStringLiteral("/settings.ini");
        QVERIFY(Write_Bytes(full, QByteArray()) && QFile::link(full, Settings()));
    }
    const QString before = Describe_Settings();
    {
        TDownloadEditor window;
        for (int i = 0; i < 2; ++i) {
            TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
            window.show();
            QVERIFY(window.close());
        }
    }
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{QStringLiteral("Settings not saved")});
    QCOMPARE(Describe_Settings(), before);
}

void tst_Faults::deviceStopsTakingBytes()
{
    const QStringList lines{"S1 X3E8 Y7D0 Z0 W0", "", "S2 Q64", "N1000"};
    const QByteArray bytes = DownloadFile::Encode(lines);
    for (qint64 limit = 0; limit <= bytes.size() + 1; ++limit) {
        TFailingDevice device;
        device.d_limit = limit;
        QVERIFY(device.open(QIODevice::WriteOnly));
        QVERIFY2(DownloadFile::Write(device, lines) == (limit >= bytes.size()),
                 qPrintable(QString::number(limit)));
        QCOMPARE(device.d_written, bytes.left(static_cast<int>(limit)));
    }
}

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
