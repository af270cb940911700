// Saving and loading where the file system says no: a missing directory, a directory in
// the file's place, a full disk, a device that stops taking bytes, a file that cannot be
// read. The bytes on disk must survive, the failure must be reported, and the window must
// still hold the unsaved edits.
#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloadeditor.h"
#include "downloadfile.h"
#include "filelinewidget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <unistd.h>

namespace {

const QByteArray Original("S1 X3E8 Y7D0 Z0 W0\r\nS2 Q64\r\nN1000\r\n");

// Takes the first d_limit bytes written to it, then refuses every write.
class TFailingDevice : public QIODevice
{
public:
    explicit TFailingDevice(qint64 limit)
        : d_limit(limit)
    {}

    QByteArray d_written;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 taken = qMin(d_limit - d_written.size(), size);
        if (taken <= 0)
            return -1;
        d_written.append(data, static_cast<int>(taken));
        return taken;
    }

private:
    qint64 d_limit;
};

QByteArray Read_Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool Write_Bytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Closes any message box that comes up modally with its OK button, so a second message
// in one step (the seam answers only the next one) cannot hang the test.
class TModalCloser : public QObject
{
public:
    TModalCloser()
    {
        d_timer.setInterval(20);
        QObject::connect(&d_timer, &QTimer::timeout, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->done(QMessageBox::Ok);
        });
        d_timer.start();
    }

private:
    QTimer d_timer;
};

bool Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveFails_data();
    void saveFails();
    void saveOntoFullDisk();
    void closeAfterFailedSave();
    void deviceStopsTakingBytes();
    void loadFails_data();
    void loadFails();

private:
    // A window holding Original from d_dir, with Y of line 0 edited and committed.
    void Open_And_Edit(TDownloadEditor &window);
    void Check_Still_Unsaved(TDownloadEditor &window);
    void Check_Failed_Save(TDownloadEditor &window, const QString &target);

    QTemporaryDir d_dir;
    QString d_source;
    QString d_mount_point;
    TModalCloser d_closer;
};

void tst_Faults::init()
{
    TDialogSeam::Clear();
    d_source = d_dir.filePath(QStringLiteral("source.oad"));
    QVERIFY(Write_Bytes(d_source, Original));
}

void tst_Faults::cleanup()
{
    if (!d_mount_point.isEmpty())
        Run(QStringLiteral("umount"), {d_mount_point});
    d_mount_point.clear();
}

void tst_Faults::Open_And_Edit(TDownloadEditor &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Open_File(d_source);
    auto *editor = window.findChild<TDataEditorWidget *>();
    QVERIFY(editor && !editor->Is_Simple_Mode());
    // Panels hold integer, hexadecimal and mm views in that order; the second is Y.
    QList<QLineEdit *> hex_views;
    for (TDataItemWidget *item : editor->findChildren<TDataItemWidget *>())
        if (item->isVisibleTo(&window))
            hex_views.append(item->findChildren<QLineEdit *>().at(1));
    QCOMPARE(hex_views.size(), 4);
    hex_views[1]->selectAll();
    QTest::keyClicks(hex_views[1], QStringLiteral("ABC"));
    window.Key_Pressed(Qt::Key_Down);
    QCOMPARE(window.findChild<TFileLineWidget *>()->Get_Line(0),
             QStringLiteral("S1 X3E8 YABC Z0 W0"));
}

void tst_Faults::Check_Still_Unsaved(TDownloadEditor &window)
{
    // Closing still asks about the edits; cancelling keeps the window.
    TDialogSeam::Clear();
    TDialogSeam::Set_Next_Answer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{QStringLiteral("Data Not Saved")});
    QVERIFY(window.isVisible());
    QCOMPARE(window.findChild<TFileLineWidget *>()->Get_Line(0),
             QStringLiteral("S1 X3E8 YABC Z0 W0"));
}

void tst_Faults::Check_Failed_Save(TDownloadEditor &window, const QString &target)
{
    TDialogSeam::Clear();
    TDialogSeam::Set_Next_File_Name(target);
    TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
    window.Write_File();
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{QStringLiteral("Write download file")});
    QVERIFY(!window.findChild<TFileLineWidget *>()->Save_File(target));
    QCOMPARE(Read_Bytes(d_source), Original);
    Check_Still_Unsaved(window);
}

void tst_Faults::saveFails_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("directory does not exist") << QStringLiteral("missing/params.oad");
    QTest::newRow("target is a directory") << QStringLiteral("folder.oad");
    QTest::newRow("parent is a file") << QStringLiteral("source.oad/params.oad");
}

void tst_Faults::saveFails()
{
    QFETCH(QString, target);
    QDir(d_dir.path()).mkdir(QStringLiteral("folder.oad"));
    QVERIFY(Write_Bytes(d_dir.filePath(QStringLiteral("folder.oad/inside.oad")), Original));
    const QStringList before =
        QDir(d_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    TDownloadEditor window;
    Open_And_Edit(window);
    Check_Failed_Save(window, d_dir.filePath(target));

    QCOMPARE(QDir(d_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(Read_Bytes(d_dir.filePath(QStringLiteral("folder.oad/inside.oad"))), Original);
}

void tst_Faults::saveOntoFullDisk()
{
    if (geteuid() != 0)
        QSKIP("mounting a small file system needs root");
    d_mount_point = d_dir.filePath(QStringLiteral("small"));
    QVERIFY(QDir(d_dir.path()).mkdir(QStringLiteral("small")));
    if (!Run(QStringLiteral("mount"),
             {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
              QStringLiteral("size=64k"), QStringLiteral("tmpfs"), d_mount_point})) {
        d_mount_point.clear();
        QSKIP("cannot mount a tmpfs here");
    }
    const QString target = d_mount_point + QStringLiteral("/params.oad");
    QVERIFY(Write_Bytes(target, Original));
    // Fill every remaining block.
    {
        QFile filler(d_mount_point + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }

    TDownloadEditor window;
    Open_And_Edit(window);
    Check_Failed_Save(window, target);
    QCOMPARE(Read_Bytes(target), Original);
    // No temporary file is left to take the space.
    QCOMPARE(QDir(d_mount_point).entryList(QDir::Files),
             (QStringList{QStringLiteral("filler"), QStringLiteral("params.oad")}));

    // Once there is room again, the same save goes through.
    QVERIFY(QFile::remove(d_mount_point + QStringLiteral("/filler")));
    TDialogSeam::Clear();
    TDialogSeam::Set_Next_File_Name(target);
    window.Write_File();
    QVERIFY(TDialogSeam::Shown_Messages().isEmpty());
    QCOMPARE(Read_Bytes(target), QByteArray("S1 X3E8 YABC Z0 W0\r\nS2 Q64\r\nN1000\r\n"));
}

void tst_Faults::closeAfterFailedSave()
{
    // "Yes, save" on close, and the save fails: the window must stay, edits and all.
    TDownloadEditor window;
    Open_And_Edit(window);
    TDialogSeam::Clear();
    TDialogSeam::Set_Next_Answer(QMessageBox::Yes);
    TDialogSeam::Set_Next_File_Name(d_dir.filePath(QStringLiteral("missing/params.oad")));
    QVERIFY(!window.close());
    QCOMPARE(TDialogSeam::Shown_Messages(), (QStringList{QStringLiteral("Data Not Saved"),
                                                         QStringLiteral("Write download file")}));
    Check_Still_Unsaved(window);
}

void tst_Faults::deviceStopsTakingBytes()
{
    const QStringList lines{"S1 X3E8 Y7D0 Z0 W0", "", "S2 Q64", "N1000"};
    const QByteArray bytes = DownloadFile::Encode(lines);
    for (qint64 limit = 0; limit <= bytes.size() + 1; ++limit) {
        TFailingDevice device(limit);
        QVERIFY(device.open(QIODevice::WriteOnly));
        const bool written = DownloadFile::Write(device, lines);
        QVERIFY2(written == (limit >= bytes.size()), qPrintable(QString::number(limit)));
        QCOMPARE(device.d_written, bytes.left(static_cast<int>(limit)));
    }
}

void tst_Faults::loadFails_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("needs_permissions");
    QTest::newRow("missing file") << QStringLiteral("missing.oad") << false;
    QTest::newRow("directory") << QStringLiteral("folder.oad") << false;
    QTest::newRow("no read permission") << QStringLiteral("locked.oad") << true;
}

void tst_Faults::loadFails()
{
    QFETCH(QString, name);
    QFETCH(bool, needs_permissions);
    const QString path = d_dir.filePath(name);
    QDir(d_dir.path()).mkdir(QStringLiteral("folder.oad"));
    QVERIFY(Write_Bytes(d_dir.filePath(QStringLiteral("locked.oad")), Original));
    QFile::setPermissions(d_dir.filePath(QStringLiteral("locked.oad")), QFileDevice::WriteOwner);
    if (needs_permissions && QFile(path).open(QIODevice::ReadOnly))
        QSKIP("file permissions do not bind this user");

    TFileLineWidget view;
    QVERIFY(view.Load_File(d_source));
    QVERIFY(!view.Load_File(path));
    // The old lines are gone, and nothing that was on disk changed.
    const QString out = d_dir.filePath(QStringLiteral("after.oad"));
    QVERIFY(view.Save_File(out));
    QCOMPARE(Read_Bytes(out), QByteArray());
    QCOMPARE(Read_Bytes(d_source), Original);

    // The window reports it through its open command.
    TDownloadEditor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TDialogSeam::Set_Next_File_Name(path);
    TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
    window.Read_File();
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{QStringLiteral("Open download file")});
    QVERIFY(QFileInfo(d_dir.filePath(QStringLiteral("folder.oad"))).isDir());
    QFile::setPermissions(d_dir.filePath(QStringLiteral("locked.oad")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(Read_Bytes(d_dir.filePath(QStringLiteral("locked.oad"))), Original);
}

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
