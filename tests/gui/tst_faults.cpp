// Saving and loading where the file system says no. The bytes on disk must survive, the
// failure must be reported, and the window must still hold the unsaved edits.
#include "dataeditorwidget.h"
#include "dialogseam.h"
#include "downloadeditor.h"
#include "downloadfile.h"
#include "filelinewidget.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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

// Every entry below root with its bytes, so that any change on disk shows.
QMap<QString, QByteArray> Snapshot(const QString &root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        entries.insert(it.filePath(), file.open(QIODevice::ReadOnly) ? file.readAll() : "-");
    }
    return entries;
}

} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { TDialogSeam::Clear(); }
    void cleanup();
    void fails_data();
    void fails();
    void deviceStopsTakingBytes();

private:
    bool Mount_Full_File_System();

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
}

void tst_Faults::cleanup()
{
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
    QTest::addColumn<bool>("save"); // else open
    QTest::addColumn<QString>("target");
    QTest::newRow("save: directory does not exist") << true << "missing/params.oad";
    QTest::newRow("save: target is a directory") << true << "folder.oad";
    QTest::newRow("save: parent is a file") << true << "source.oad/params.oad";
    QTest::newRow("save: file system is full") << true << "small/params.oad";
    QTest::newRow("open: a directory") << false << "folder.oad";
    QTest::newRow("open: no read permission") << false << "locked.oad";
}

void tst_Faults::fails()
{
    QFETCH(bool, save);
    QFETCH(QString, target);
    if (target.startsWith(QLatin1String("small/")) && !Mount_Full_File_System())
        QSKIP("no tmpfs can be mounted here; deviceStopsTakingBytes stands in");
    target = d_dir.filePath(target);
    if (!save && QFile(target).open(QIODevice::ReadOnly))
        QSKIP("file permissions do not bind this user");
    const auto before = Snapshot(d_dir.path());

    TDownloadEditor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TDialogSeam::Set_Next_File_Name(target);
    TDialogSeam::Set_Next_Answer(QMessageBox::Ok);
    if (!save) {
        window.Read_File();
        QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{QStringLiteral("Open download file")});
        QCOMPARE(Snapshot(d_dir.path()), before);
        return;
    }

    window.Open_File(d_dir.filePath(QStringLiteral("source.oad")));
    // Three views per panel on show (integer, hexadecimal, mm), then the plain-text
    // editor; the second panel is Y.
    QList<QLineEdit *> views;
    for (QLineEdit *view : window.findChild<TDataEditorWidget *>()->findChildren<QLineEdit *>())
        if (view->isVisibleTo(&window))
            views += view;
    QCOMPARE(views.size(), 13);
    views[4]->selectAll();
    QTest::keyClicks(views[4], QStringLiteral("ABC"));
    window.Key_Pressed(Qt::Key_Down);
    auto *lines = window.findChild<TFileLineWidget *>();
    const QString edited = QStringLiteral("S1 X3E8 YABC Z0 W0");
    QCOMPARE(lines->Get_Line(0), edited);

    window.Write_File();
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{QStringLiteral("Write download file")});
    QVERIFY(!lines->Save_File(target));
    QCOMPARE(Snapshot(d_dir.path()), before);

    // The edit still counts as unsaved: closing asks, and Cancel keeps window and edit.
    TDialogSeam::Clear();
    TDialogSeam::Set_Next_Answer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QCOMPARE(TDialogSeam::Shown_Messages(), QStringList{QStringLiteral("Data Not Saved")});
    QCOMPARE(lines->Get_Line(0), edited);
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
