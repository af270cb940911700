#include "downloadfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_DownloadFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void saveAndReadBack();
};

void tst_DownloadFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("scale_resolution");

    const auto row = [](const char *name, const QByteArray &bytes, const QStringList &lines,
                        int resolution) {
        QTest::newRow(name) << bytes << lines << resolution;
    };
    row("LF, no terminator at end", "S1 X10\n\n  N2000  ", {"S1 X10", "", "N2000"}, 2000);
    row("CR LF", "S1 X10\r\nS2 Q5\r\n", {"S1 X10", "S2 Q5"}, -1);
    row("tabs and space runs", " \tS1\t X10   Y20 \t\r\n", {"S1 X10 Y20"}, -1);
    row("blank lines kept", "\n\nA\n \t\n", {"", "", "A", ""}, -1);
    row("empty", QByteArray(), {}, -1);

    const auto scale = [](const char *name, const QByteArray &line, const QString &stored,
                          int resolution) {
        QTest::newRow(name) << QByteArray("S1 X1\n" + line + "\n") << QStringList{"S1 X1", stored}
                            << resolution;
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
    row("200 lines, scale at 200", lines(200), first_127 + QStringList{"S1 X127"}, -1);
    row("129 lines, scale at 129", lines(129), first_127 + QStringList{"S1 X127"}, -1);
    row("128 lines, scale at 128", lines(128), first_127 + QStringList{"N1000"}, 1000);
}

void tst_DownloadFile::read()
{
    QFETCH(QByteArray, bytes);
    const DownloadFile::Content content = DownloadFile::Read(bytes);
    QTEST(content.lines, "lines");
    QTEST(content.scale_resolution, "scale_resolution");
}

void tst_DownloadFile::saveAndReadBack()
{
    QTemporaryDir dir;
    const QString file_name = dir.filePath(QStringLiteral("params.oad"));
    QFile old(file_name);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old content, longer than the new\n") > 0);
    old.close();

    const QStringList lines{"S1 X3E8 Y7D0", "", QString::fromLatin1("caf\xE9"), "N1000"};
    QVERIFY(DownloadFile::Save_File(file_name, lines));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("S1 X3E8 Y7D0\r\n\r\ncaf\xE9\r\nN1000\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"params.oad"});

    DownloadFile::Content content;
    QVERIFY(DownloadFile::Read_File(file_name, &content));
    QCOMPARE(content.lines, lines);
    QCOMPARE(content.scale_resolution, 1000);
}

QTEST_GUILESS_MAIN(tst_DownloadFile)
#include "tst_downloadfile.moc"
