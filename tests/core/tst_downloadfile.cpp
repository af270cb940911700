#include "downloadfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using TestSupport::Read_Bytes;
using TestSupport::Write_Bytes;

namespace {

// "nul 3": the kind (in the order of Loss::Kind), the line and, where it says more than one
// line, the count.
QStringList Names(const QVector<DownloadFile::Loss> &losses)
{
    const char *const kinds[] = {"lines", "large", "nul", "cr", "control"};
    QStringList names;
    for (const DownloadFile::Loss &loss : losses)
        names << QStringLiteral("%1 %2").arg(kinds[int(loss.kind)]).arg(loss.line) +
                     (loss.count != 1 ? QStringLiteral(" %1").arg(loss.count) : QString());
    return names;
}

const QByteArray Source("S1 X3E8 Y7D0\nN1000\n");

} // namespace

Q_DECLARE_METATYPE(DownloadFile::Loss)

class tst_DownloadFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void scaleLineFor_data();
    void scaleLineFor();
    void describe_data();
    void describe();
    void readFileRefuses_data();
    void readFileRefuses();
    void saveAndReadBack_data();
    void saveAndReadBack();
    void changedSince_data();
    void changedSince();
    void changedWhileSaving_data();
    void changedWhileSaving();
    void lock_data();
    void lock();

    void exampleSavesBackWhole();
};

void tst_DownloadFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("scale_resolution");
    QTest::addColumn<QStringList>("losses"); // what a save would not write back
    QTest::addColumn<bool>("utf8");          // looks like UTF-8

    const auto row = [](const char *name, const QByteArray &bytes, const QStringList &lines,
                        int resolution, const QStringList &losses = {}, bool utf8 = false) {
        QTest::newRow(name) << bytes << lines << resolution << losses << utf8;
    };
    row("LF, no terminator at end", "S1 X10\n\n  N2000  ", {"S1 X10", "", "N2000"}, 2000);
    row("CR LF", "S1 X10\r\nS2 Q5\r\n", {"S1 X10", "S2 Q5"}, -1);
    row("blank lines kept", "\n\nA\n \t\n", {"", "", "A", ""}, -1);
    row("empty", QByteArray(), {}, -1);

    const auto scale = [](const char *name, const QByteArray &line, const QString &stored,
                          int resolution) {
        QTest::newRow(name) << QByteArray("S1 X1\n" + line + "\n") << QStringList{"S1 X1", stored}
                            << resolution << QStringList() << false;
    };
    scale("scale N1 one digit", "N1", "N1", -1);
    scale("scale N1234567 seven digits", "N1234567", "N1234567", -1);
    scale("scale N999999", "N999999", "N999999", 999999);
    scale("scale nN1000", "nN1000", "nN1000", 1000);
    scale("scale N01000 leading zero", "N01000", "N01000", 1000);
    scale("scale N  1000 inner space", "N  1000", "N 1000", -1);
    scale("scale N1000X trailing text", "N1000X", "N1000X", -1);
    scale("scale surrounding blanks", "\t N1000 \r", "N1000", 1000);
    row("blank lines after scale", "S1\nN1000\n\n \n\r\n", {"S1", "N1000", "", "", ""}, 1000);
    row("line after scale hides it", "N1000\nS1\n", {"N1000", "S1"}, -1);

    QStringList first_127;
    for (int i = 0; i < 127; ++i)
        first_127 << QStringLiteral("S1 X%1").arg(i);
    const auto lines = [](int count) {
        QByteArray bytes;
        for (int i = 0; i + 1 < count; ++i)
            bytes += "S1 X" + QByteArray::number(i) + "\n";
        return bytes + "N1000\n";
    };
    row("200 lines, scale at 200", lines(200), first_127 + QStringList{"S1 X127"}, -1,
        {"lines 129 200"});
    row("129 lines, scale at 129", lines(129), first_127 + QStringList{"S1 X127"}, -1,
        {"lines 129 129"});
    row("128 lines, scale at 128", lines(128), first_127 + QStringList{"N1000"}, 1000);

    // What a save loses, line by line; lines after the 128th count only as lines.
    row("NUL cuts the line", QByteArray("S1 X1\0 Y2\nS2\n", 12), {"S1 X1", "S2"}, -1, {"nul 1"});
    row("CR alone is no line end", "S1 X1\rS2 Q2\r\rN1000\r", {"S1 X1 S2 Q2 N1000"}, -1, {"cr 1"});
    row("CR alone before blanks and CR LF is harmless", "S1 X1\r\r\nN1000\r \t\r\n",
        {"S1 X1", "N1000"}, 1000);
    row("CR alone before a line's text", "\rS1\n", {"S1"}, -1, {"cr 1"});
    row("control bytes, tab is text", "S1\tX1\nS2\x01Q\n\x7F\nA\x85Z\n\x0B\n\x9F\n",
        {"S1 X1", "S2\x01Q", "\x7F", "A Z", "", QString::fromLatin1("\x9F")}, -1,
        {"control 2", "control 3", "control 4", "control 5", "control 6"});
    row("Latin-1 letters are text", "caf\xE9 \xA9\xFF\n", {QString::fromLatin1("caf\xE9 \xA9\xFF")},
        -1);
    // Read as Latin-1 all the same; only the look is noted.
    row("UTF-8 letters", "S1 X1 ; L\xC3\xA4nge\n; caf\xC3\xA9\n",
        {QString::fromLatin1("S1 X1 ; L\xC3\xA4nge"), QString::fromLatin1("; caf\xC3\xA9")}, -1, {},
        true);
    row("UTF-8 beside a Latin-1 letter: no UTF-8", "L\xC3\xA4nge\ncaf\xE9\n",
        {QString::fromLatin1("L\xC3\xA4nge"), QString::fromLatin1("caf\xE9")}, -1);
    row("UTF-8 sequence cut short: no UTF-8", "L\xC3\n", {QString::fromLatin1("L\xC3")}, -1);
    row("several kinds in one line, in line order", QByteArray("S1\x02\0\rX\nS2\0\n", 11),
        {"S1\x02", "S2"}, -1, {"nul 1", "cr 1", "control 1", "nul 2"});
    row("lines after the 128th only counted", lines(128) + QByteArray("\0\r\x01x\n", 5),
        first_127 + QStringList{"N1000"}, 1000, {"lines 129 129"});

    // A download file is small: reading stops after Max_Read_Bytes, within a line or after it.
    const QByteArray blanks(static_cast<int>(DownloadFile::Max_Read_Bytes), ' ');
    row("too large within a line", QByteArray(1, '\0') + blanks + "\nS1\n", {""}, -1,
        {"large 1", "nul 1"});
    row("too large after a line", blanks.chopped(1) + "\nS1\n", {""}, -1, {"large 2"});
}

void tst_DownloadFile::read()
{
    QFETCH(QByteArray, bytes);
    const DownloadFile::Content content = DownloadFile::Read(bytes);
    QTEST(content.lines, "lines");
    QTEST(content.scale_resolution, "scale_resolution");
    QTEST(Names(content.losses), "losses");
    QCOMPARE(content.Is_Lossy(), !content.losses.isEmpty());
    QTEST(content.looks_like_utf8, "utf8");
}

void tst_DownloadFile::scaleLineFor_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QString>("rewritten"); // null: cannot give it

    QTest::newRow("digits replaced") << "N10000" << 1000 << "N1000";
    QTest::newRow("its own value: unchanged") << "nn0500" << 500 << "nn0500";
    QTest::newRow("N's kept, two digits at least") << "nN1000" << 5 << "nN05";
    QTest::newRow("six digits") << "N10" << 999999 << "N999999";
    QTest::newRow("seven digits: none") << "N10" << 1000000 << QString();
    QTest::newRow("no resolution: none") << "N10" << 0 << QString();
    QTest::newRow("no scale line: none") << "S1 X10" << 10 << QString();
}

void tst_DownloadFile::scaleLineFor()
{
    QFETCH(QString, line);
    QFETCH(int, resolution);
    QFETCH(QString, rewritten);
    QCOMPARE(DownloadFile::Scale_Line_For(line, resolution), rewritten);
    if (!rewritten.isNull())
        QCOMPARE(DownloadFile::Scale_Resolution_Of(rewritten), resolution);
}

void tst_DownloadFile::describe_data()
{
    using Kind = DownloadFile::Loss::Kind;
    QTest::addColumn<QVector<DownloadFile::Loss>>("losses");
    QTest::addColumn<QStringList>("sentences");

    QTest::newRow("one line each")
        << QVector<DownloadFile::Loss>{{Kind::Nul_Byte, 3, 1}, {Kind::Cr_Line_End, 4, 1}}
        << QStringList{"Line 3 holds a NUL byte; a save drops the rest of that line.",
                       "Line 4 holds line ends of CR alone; they are read as one line, and a save "
                       "merges them."};
    QTest::newRow("lines of a kind counted, kinds in first order")
        << QVector<DownloadFile::Loss>{{Kind::Control_Byte, 2, 1},
                                       {Kind::Nul_Byte, 5, 1},
                                       {Kind::Control_Byte, 7, 1},
                                       {Kind::Control_Byte, 9, 1},
                                       {Kind::Nul_Byte, 11, 1},
                                       {Kind::Too_Many_Lines, 129, 4000}}
        << QStringList{"Line 2 and 2 other lines hold control bytes; the file may not be text.",
                       "Line 5 and one other line hold a NUL byte; a save drops the rest of "
                       "each of those lines.",
                       "The file has 4000 lines; only the first 128 are kept, and a save drops "
                       "the rest."};
    QTest::newRow("too large") << QVector<DownloadFile::Loss>{{Kind::Too_Large, 7, 1}}
                               << QStringList{"The file is larger than 16 MiB; reading stopped "
                                              "in line 7, and a save drops the rest."};
}

void tst_DownloadFile::describe()
{
    QFETCH(QVector<DownloadFile::Loss>, losses);
    QStringList sentences;
    for (const DownloadFile::Loss &loss : DownloadFile::Summarise(losses))
        sentences.append(DownloadFile::Describe(loss));
    QTEST(sentences, "sentences");
}

void tst_DownloadFile::readFileRefuses_data()
{
    QTest::addColumn<QString>("path"); // in the temporary directory, or absolute
    QTest::addColumn<QString>("error");

    // Opening a FIFO without a writer would wait for good; a device may never end.
    const QString not_regular =
        QStringLiteral("It is not a regular file but a device, FIFO or socket.");
    QTest::newRow("folder") << "folder.oad"
                            << "It is a folder, not a file.";
    QTest::newRow("FIFO") << "fifo.oad" << not_regular;
    QTest::newRow("device without end") << "/dev/zero" << not_regular;
    QTest::newRow("missing") << "missing.oad"
                             << "No such file or directory";
    QTest::newRow("no read permission") << "locked.oad"
                                        << "Permission denied";
}

void tst_DownloadFile::readFileRefuses()
{
    QFETCH(QString, path);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.oad")));
    QCOMPARE(::mkfifo(qPrintable(dir.filePath(QStringLiteral("fifo.oad"))), 0644), 0);
    QVERIFY(Write_Bytes(dir.filePath(QStringLiteral("locked.oad")), Source));
    QFile::setPermissions(dir.filePath(QStringLiteral("locked.oad")), QFileDevice::WriteOwner);
    if (path == QLatin1String("locked.oad") && ::geteuid() == 0)
        QSKIP("file permissions do not bind root");

    DownloadFile::Content content = DownloadFile::Read(Source);
    DownloadFile::FileStamp stamp;
    stamp.size = 42;
    QString error;
    QVERIFY(!DownloadFile::Read_File(QDir(dir.path()).filePath(path), &content, &error, &stamp));
    QTEST(error, "error");
    QCOMPARE(content.lines, DownloadFile::Read(Source).lines);
    QCOMPARE(stamp.size, 42);
}

void tst_DownloadFile::saveAndReadBack_data()
{
    QTest::addColumn<int>("mode"); // of the file before; -1: no file
    QTest::addColumn<bool>("given_away");
    QTest::newRow("new file") << -1 << false;
    // QFileInfo reports root's access as the user's; set back as such it would make 0644.
    QTest::newRow("read-only 0444") << 0444 << false;
    QTest::newRow("group 0640") << 0640 << false;
    QTest::newRow("executable 0755") << 0755 << false;
    QTest::newRow("another user's 0640") << 0640 << true;
    // Root sets back exactly the bits it found; nobody may lose a special bit.
    QTest::newRow("no bits 0000") << 0000 << false;
    QTest::newRow("set-user-ID 04755") << 04755 << false;
    QTest::newRow("sticky 01644") << 01644 << false;
    QTest::newRow("another user's set-group-ID 02750") << 02750 << true;
}

void tst_DownloadFile::saveAndReadBack()
{
    QFETCH(int, mode);
    QFETCH(bool, given_away);
    if (given_away && ::geteuid() != 0)
        QSKIP("only root can write another user's file and give it back");
    if ((mode == 0444 || mode == 0) && ::geteuid() != 0)
        QSKIP("a read-only file is refused, as the window's tests show");
    QTemporaryDir dir;
    const QString file_name = dir.filePath(QStringLiteral("params.oad"));
    if (mode >= 0) {
        QVERIFY(Write_Bytes(file_name, "old content, longer than the new\n"));
        // A change of owner clears the set-group-ID bit: the owner first.
        if (given_away)
            QCOMPARE(::chown(qPrintable(file_name), 65534, 65534), 0);
        QCOMPARE(::chmod(qPrintable(file_name), static_cast<mode_t>(mode)), 0);
    }

    const QStringList lines{"S1 X3E8 Y7D0", "", QString::fromLatin1("caf\xE9"), "N1000"};
    QString error;
    DownloadFile::FileStamp stamp;
    QVERIFY2(DownloadFile::Save_File(file_name, lines, &error, &stamp), qPrintable(error));
    QCOMPARE(Read_Bytes(file_name), QByteArray("S1 X3E8 Y7D0\r\n\r\ncaf\xE9\r\nN1000\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"params.oad"});
    struct stat status = {};
    QCOMPARE(::stat(qPrintable(file_name), &status), 0);
    if (mode >= 0)
        QCOMPARE(status.st_mode & 07777, static_cast<mode_t>(mode));
    QCOMPARE(status.st_uid, given_away ? 65534u : ::geteuid());
    QCOMPARE(status.st_gid, given_away ? 65534u : ::getegid());

    // The stamp is the file as written, whatever path leads to it.
    QVERIFY(!DownloadFile::Changed_Since(stamp));
    QVERIFY(QFile::link(file_name, dir.filePath(QStringLiteral("link.oad"))));
    QVERIFY(DownloadFile::Is_Stamped_File(stamp, dir.filePath(QStringLiteral("link.oad"))));
    QVERIFY(DownloadFile::Is_Stamped_File(stamp, dir.path() + QStringLiteral("/./params.oad")));
    QVERIFY(!DownloadFile::Is_Stamped_File(stamp, dir.filePath(QStringLiteral("other.oad"))));

    DownloadFile::Content content;
    QVERIFY(DownloadFile::Read_File(file_name, &content));
    QCOMPARE(content.lines, lines);
    QCOMPARE(content.scale_resolution, 1000);
}

// The file that the README opens first, read and saved, keeps every byte.
void tst_DownloadFile::exampleSavesBackWhole()
{
    const QString example = QStringLiteral(DOWNLOADEDITOR_EXAMPLES_DIR "/example.oad");
    DownloadFile::Content content;
    QVERIFY(DownloadFile::Read_File(example, &content));
    QVERIFY(!content.Is_Lossy() && content.scale_resolution > 0);
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("example.oad"));
    QVERIFY(DownloadFile::Save_File(copy, content.lines));
    QCOMPARE(Read_Bytes(copy), Read_Bytes(example));
}

void tst_DownloadFile::changedSince_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("changed");
    QTest::newRow("untouched") << "" << false;
    QTest::newRow("rewritten, other bytes") << "S1 X3E9 Y7D0\nN1000\n" << true;
    QTest::newRow("same size, other bytes, old time") << "S1 X3E9 Y7D0\nN1000\n<old time>" << true;
    QTest::newRow("same bytes, new time") << "<touch>" << true;
    QTest::newRow("appended") << "<append>" << true;
    QTest::newRow("deleted: nothing to lose") << "<delete>" << false;
    QTest::newRow("replaced by a folder") << "<folder>" << true;
}

void tst_DownloadFile::changedSince()
{
    QFETCH(QString, change);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("params.oad"));
    QVERIFY(Write_Bytes(path, Source));
    DownloadFile::Content content;
    DownloadFile::FileStamp stamp;
    QVERIFY(DownloadFile::Read_File(path, &content, nullptr, &stamp));
    QCOMPARE(stamp.path, path);
    QFile file(path);
    const QDateTime old_time = QFileInfo(path).lastModified();

    if (change.startsWith(QLatin1String("S1"))) {
        QVERIFY(Write_Bytes(path, change.section(QLatin1Char('<'), 0, 0).toLatin1()));
        if (change.endsWith(QLatin1String("<old time>"))) {
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old_time, QFileDevice::FileModificationTime));
            file.close();
        }
    } else if (change == QLatin1String("<touch>")) {
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(old_time.addSecs(5), QFileDevice::FileModificationTime));
    } else if (change == QLatin1String("<append>")) {
        QVERIFY(file.open(QIODevice::Append) && file.write("S2 Q1\n") == 6);
    } else if (change != QString()) {
        QVERIFY(file.remove());
        if (change == QLatin1String("<folder>"))
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("params.oad")));
    }
    file.close();
    QTEST(DownloadFile::Changed_Since(stamp), "changed");
}

// Another program changes the file before the save or while it is written: nothing of its
// work is overwritten, nothing of the save is left behind, and the error says so.
void tst_DownloadFile::changedWhileSaving_data()
{
    QTest::addColumn<QString>("when"); // "before" the save, or "during" it (after the sync)
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("saved");
    const auto row = [](const char *when, const char *change, bool saved) {
        QTest::addRow("%s: %s", when, change) << when << change << saved;
    };
    row("before", "nothing", true);
    row("before", "rewritten", false);
    // The same bytes with other attributes: nothing to lose.
    row("before", "mode changed", true);
    row("during", "nothing", true);
    row("during", "replaced by a rename", false);
    row("during", "rewritten, same size and time", false);
    row("during", "mode changed", false);
    row("during", "deleted", false);
}

void tst_DownloadFile::changedWhileSaving()
{
    QFETCH(QString, when);
    QFETCH(QString, change);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("params.oad"));
    const QByteArray other("S1 X3E9 Y7D0\nN1000\n"); // as long as Source
    QVERIFY(Write_Bytes(path, Source));
    DownloadFile::Content content;
    DownloadFile::FileStamp stamp;
    QVERIFY(DownloadFile::Read_File(path, &content, nullptr, &stamp));
    const auto other_program = [&] {
        const QDateTime time = QFileInfo(path).lastModified();
        if (change == QLatin1String("replaced by a rename")) {
            QVERIFY(Write_Bytes(path + QStringLiteral(".x"), other));
            QCOMPARE(::rename(qPrintable(path + QStringLiteral(".x")), qPrintable(path)), 0);
        } else if (change.startsWith(QLatin1String("rewritten"))) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write(other) == other.size());
            QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
        } else if (change == QLatin1String("mode changed")) {
            QCOMPARE(::chmod(qPrintable(path), 0640), 0);
        } else if (change == QLatin1String("deleted")) {
            QVERIFY(QFile::remove(path));
        }
    };
    if (when == QLatin1String("before"))
        other_program();
    else
        DownloadFile::Set_Replace_Hook([&](const QString &) { other_program(); });
    QString error;
    const bool result = DownloadFile::Save_File(path, {QStringLiteral("S2 Q1")}, &error, &stamp);
    DownloadFile::Set_Replace_Hook({});
    QCOMPARE(result, saved);
    QVERIFY2(saved == error.isEmpty(), qPrintable(error));
    QVERIFY2(saved || error.contains(QLatin1String("changed it while")), qPrintable(error));
    const QByteArray expected = saved                                     ? QByteArray("S2 Q1\r\n")
                                : change == QLatin1String("mode changed") ? Source
                                                                          : other;
    QCOMPARE(Read_Bytes(path),
             change == QLatin1String("deleted") ? QByteArray("<unreadable>") : expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             change == QLatin1String("deleted") ? QStringList() : QStringList{"params.oad"});
}

// The lock that the editor's save and oadtool set take, as a second editor would meet it.
void tst_DownloadFile::lock_data()
{
    QTest::addColumn<QString>("held");    // what stands at params.oad.lock before
    QTest::addColumn<QString>("through"); // the name the second lock is asked for
    QTest::addColumn<QString>("error");   // empty: the lock is taken
    const QString pid = QString::number(::getpid());
    const auto row = [](const char *name, const char *held, const char *through,
                        const QString &error) {
        QTest::newRow(name) << held << through << error;
    };
    row("free", "", "params.oad", "");
    row("held", "lock", "params.oad",
        "It is being edited by tst_downloadfile, process " + pid + ", which holds its lock file");
    row("held, through a link", "lock", "link.oad", "It is being edited by");
    // Nobody holds these: their holders died, or never were.
    row("left by a dead process", "999999999 oadtool", "link.oad", "");
    row("garbage", "\x01garbage", "params.oad", "");
    row("unreadable", "<mode 000>", "params.oad",
        "params.oad.lock cannot be read: Permission denied.");
    row("folder not writable", "<folder read-only>", "params.oad",
        "cannot be made: Permission denied.");
    row("FIFO: refused, no lock made", "", "fifo.oad",
        "It is not a regular file but a device, FIFO or socket.");
}

void tst_DownloadFile::lock()
{
    QFETCH(QString, held);
    QFETCH(QString, through);
    QFETCH(QString, error);
    if (held.startsWith(QLatin1Char('<')) && ::geteuid() == 0)
        QSKIP("file permissions do not bind root");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("params.oad"));
    QVERIFY(Write_Bytes(path, Source));
    QVERIFY(QFile::link(path, dir.filePath(QStringLiteral("link.oad"))));
    QCOMPARE(::mkfifo(qPrintable(dir.filePath(QStringLiteral("fifo.oad"))), 0644), 0);
    DownloadFile::TFileLock first;
    QString reason;
    if (held == QLatin1String("lock"))
        QVERIFY2(first.Lock(path, 0, &reason), qPrintable(reason));
    else if (held == QLatin1String("<folder read-only>"))
        QCOMPARE(::chmod(qPrintable(dir.path()), 0555), 0);
    else if (!held.isEmpty())
        QVERIFY(Write_Bytes(path + QStringLiteral(".lock"), held.toLatin1()));
    if (held == QLatin1String("<mode 000>"))
        QVERIFY(Write_Bytes(path + QStringLiteral(".lock"), "1 x") &&
                ::chmod(qPrintable(path + QStringLiteral(".lock")), 0) == 0);

    DownloadFile::TFileLock second;
    const bool locked = second.Lock(dir.filePath(through), 0, &reason);
    ::chmod(qPrintable(dir.path()), 0755);
    QVERIFY2(locked == error.isEmpty(), qPrintable(reason));
    QVERIFY2(reason.contains(error), qPrintable(reason));
    if (through == QLatin1String("fifo.oad"))
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("fifo.oad.lock"))));
    // Released, the lock goes with its file.
    second.Unlock();
    first.Unlock();
    QCOMPARE(QFile::exists(path + QStringLiteral(".lock")), held == QLatin1String("<mode 000>"));
}

QTEST_GUILESS_MAIN(tst_DownloadFile)
#include "tst_downloadfile.moc"
