#include "downloadfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

// Accepts the first d_limit bytes written to it, then fails every write.
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
        const qint64 room = d_limit - d_written.size();
        if (room <= 0)
            return -1;
        const qint64 taken = qMin(room, size);
        d_written.append(data, static_cast<int>(taken));
        return taken;
    }

private:
    qint64 d_limit;
};

QByteArray File_Bytes(const QString &file_name)
{
    QFile file(file_name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

bool Write_Bytes(const QString &file_name, const QByteArray &bytes)
{
    QFile file(file_name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Lines "S1 X0" ... with the given scale resolution line as the last one.
QByteArray Numbered_Lines(int count, const QByteArray &last)
{
    QByteArray bytes;
    for (int i = 0; i + 1 < count; ++i)
        bytes += "S1 X" + QByteArray::number(i, 16).toUpper() + "\n";
    return bytes + last + "\n";
}

} // namespace

class tst_DownloadFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void readFile();
    void encode_data();
    void encode();
    void saveRoundTrip();
    void saveFailureKeepsTheFile();
    void writeStopsAtAFailingDevice_data();
    void writeStopsAtAFailingDevice();
};

void tst_DownloadFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("scale_resolution");

    QTest::newRow("LF, no terminator at end")
        << QByteArray("S1 X10\n\n  N2000  ") << QStringList{"S1 X10", "", "N2000"} << 2000;
    QTest::newRow("CR LF") << QByteArray("S1 X10\r\nS2 Q5\r\n") << QStringList{"S1 X10", "S2 Q5"}
                           << -1;
    QTest::newRow("tabs and space runs")
        << QByteArray(" \tS1\t X10   Y20 \t\r\n") << QStringList{"S1 X10 Y20"} << -1;
    QTest::newRow("blank lines kept")
        << QByteArray("\n\nA\n \t\n") << QStringList{"", "", "A", ""} << -1;
    QTest::newRow("NUL cuts the line")
        << QByteArray("S1 X1\0 N1000\nS2\n", 16) << QStringList{"S1 X1", "S2"} << -1;
    QTest::newRow("empty") << QByteArray() << QStringList() << -1;
    QTest::newRow("Latin-1 letters")
        << QByteArray("caf\xE9 \xFF\xC0\n") << QStringList{QString::fromUtf8("café ÿÀ")} << -1;
    // NEL and no-break space are whitespace to simplification too.
    QTest::newRow("0x85 and 0xA0 are whitespace") << QByteArray("A\x85\xA0"
                                                                "B\xA0\n")
                                                  << QStringList{"A B"} << -1;

    const auto scale = [](const char *name, const QByteArray &line, const QString &stored,
                          int resolution) {
        QTest::newRow(name) << QByteArray("S1 X1\n" + line + "\n") << QStringList{"S1 X1", stored}
                            << resolution;
    };
    scale("scale N1 one digit", "N1", "N1", -1);
    scale("scale N1234567 seven digits", "N1234567", "N1234567", -1);
    scale("scale N999999 six digits", "N999999", "N999999", 999999);
    scale("scale NN1000", "NN1000", "NN1000", 1000);
    scale("scale nn1000", "nn1000", "nn1000", 1000);
    scale("scale nN1000", "nN1000", "nN1000", 1000);
    scale("scale N01000 leading zero", "N01000", "N01000", 1000);
    scale("scale N00", "N00", "N00", 0);
    scale("scale N  1000 inner space", "N  1000", "N 1000", -1);
    scale("scale 1000 without N", "1000", "1000", -1);
    scale("scale N1000X trailing text", "N1000X", "N1000X", -1);
    scale("scale surrounding blanks", "\t N1000 \r", "N1000", 1000);

    QTest::newRow("blank lines after scale")
        << QByteArray("S1\nN1000\n\n \n\r\n") << QStringList{"S1", "N1000", "", "", ""} << 1000;
    QTest::newRow("line after scale hides it")
        << QByteArray("N1000\nS1\n") << QStringList{"N1000", "S1"} << -1;
    QTest::newRow("only a scale line") << QByteArray("N500\n") << QStringList{"N500"} << 500;

    QStringList first_128;
    for (int i = 0; i < 127; ++i)
        first_128 << QStringLiteral("S1 X%1").arg(i, 0, 16).toUpper();
    QTest::newRow("200 lines, scale at 200")
        << Numbered_Lines(200, "N1000") << (first_128 + QStringList{"S1 X7F"}) << -1;
    QTest::newRow("129 lines, scale at 129")
        << Numbered_Lines(129, "N1000") << (first_128 + QStringList{"S1 X7F"}) << -1;
    QTest::newRow("128 lines, scale at 128")
        << Numbered_Lines(128, "N1000") << (first_128 + QStringList{"N1000"}) << 1000;
}

void tst_DownloadFile::read()
{
    QFETCH(QByteArray, bytes);
    const DownloadFile::Content content = DownloadFile::Read(bytes);
    QTEST(content.lines, "lines");
    QTEST(content.scale_resolution, "scale_resolution");
}

void tst_DownloadFile::readFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file_name = dir.filePath(QStringLiteral("params.oad"));
    QVERIFY(Write_Bytes(file_name, "S1 X3E8\r\n\r\nN10000\r\n"));

    DownloadFile::Content content;
    QVERIFY(DownloadFile::Read_File(file_name, &content));
    QCOMPARE(content.lines, (QStringList{"S1 X3E8", "", "N10000"}));
    QCOMPARE(content.scale_resolution, 10000);

    QVERIFY(!DownloadFile::Read_File(dir.filePath(QStringLiteral("missing.oad")), &content));
    QVERIFY(!DownloadFile::Read_File(dir.path(), &content));
}

void tst_DownloadFile::encode_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("CR LF after every line")
        << QStringList{"S1 X10", "", "N2000"} << QByteArray("S1 X10\r\n\r\nN2000\r\n");
    QTest::newRow("only empty lines") << QStringList{"", ""} << QByteArray("\r\n\r\n");
    QTest::newRow("no lines") << QStringList() << QByteArray();
    QTest::newRow("Latin-1 bytes")
        << QStringList{QString::fromUtf8("café ÿ")} << QByteArray("caf\xE9 \xFF\r\n");
}

void tst_DownloadFile::encode()
{
    QFETCH(QStringList, lines);
    QTEST(DownloadFile::Encode(lines), "bytes");
}

void tst_DownloadFile::saveRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file_name = dir.filePath(QStringLiteral("params.oad"));
    QVERIFY(Write_Bytes(file_name, "old content that is longer than the new one\n"));

    // Every printable Latin-1 character above the whitespace 0xA0 survives.
    QString high;
    for (int code = 0xA1; code <= 0xFF; ++code)
        high += QChar(code);
    const QStringList lines{"S1 X3E8 Y7D0", "", high, "N1000"};
    QVERIFY(DownloadFile::Save_File(file_name, lines));
    QCOMPARE(File_Bytes(file_name), DownloadFile::Encode(lines));

    DownloadFile::Content content;
    QVERIFY(DownloadFile::Read_File(file_name, &content));
    QCOMPARE(content.lines, lines);
    QCOMPARE(content.scale_resolution, 1000);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"params.oad"});
}

void tst_DownloadFile::saveFailureKeepsTheFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList lines{"S1 X1"};

    // The parent directory does not exist: nothing is created.
    const QString nowhere = dir.filePath(QStringLiteral("missing/params.oad"));
    QVERIFY(!DownloadFile::Save_File(nowhere, lines));
    QVERIFY(!QFileInfo::exists(nowhere));

    // The target is a directory: it and its content stay.
    const QString folder = dir.filePath(QStringLiteral("folder.oad"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.oad")));
    QVERIFY(Write_Bytes(folder + QStringLiteral("/inside.oad"), "S2 Q5\r\n"));
    QVERIFY(!DownloadFile::Save_File(folder, lines));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(File_Bytes(folder + QStringLiteral("/inside.oad")), QByteArray("S2 Q5\r\n"));

#ifdef Q_OS_LINUX
    // The disk fills while writing (here: the file size limit is hit), once while the
    // lines still fit the write buffer and once beyond it: the file that was there keeps
    // its bytes and no temporary file is left behind.
    const QString file_name = dir.filePath(QStringLiteral("params.oad"));
    const QByteArray original("S1 X1\r\nN1000\r\n");
    for (const int count : {100, 5000}) {
        QVERIFY(Write_Bytes(file_name, original));
        QStringList many;
        for (int i = 0; i < count; ++i)
            many << QStringLiteral("S1 X%1 Y%1 Z%1 W%1").arg(i);

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 256;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved_ok = DownloadFile::Save_File(file_name, many);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous_handler);

        QVERIFY2(!saved_ok, qPrintable(QString::number(count)));
        QCOMPARE(File_Bytes(file_name), original);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"params.oad"});
    }
#endif
}

void tst_DownloadFile::writeStopsAtAFailingDevice_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("written");

    const qint64 size = DownloadFile::Encode({"S1 X3E8", "", "N1000"}).size();
    QTest::newRow("fails at once") << qint64(0) << false;
    QTest::newRow("fails before the last byte") << size - 1 << false;
    QTest::newRow("room for exactly all") << size << true;
    QTest::newRow("plenty of room") << size * 10 << true;
}

void tst_DownloadFile::writeStopsAtAFailingDevice()
{
    QFETCH(qint64, limit);
    const QStringList lines{"S1 X3E8", "", "N1000"};
    TFailingDevice device(limit);
    QVERIFY(device.open(QIODevice::WriteOnly));
    QTEST(DownloadFile::Write(device, lines), "written");
    QCOMPARE(device.d_written, DownloadFile::Encode(lines).left(static_cast<int>(limit)));
}

QTEST_GUILESS_MAIN(tst_DownloadFile)
#include "tst_downloadfile.moc"
