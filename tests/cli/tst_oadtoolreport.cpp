#include "downloadfile.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtTest>

// oadtool report and show --textconv run as programs, as a fleet script and git run them.
class TstOadtoolReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();
    void outputFile();
    void textconv_data();
    void textconv();

private:
    using Result = TestSupport::Run_Result;
    Result Run(const QStringList &arguments, const QByteArray &input = QByteArray());
    QString Path(const QString &name) const { return d_dir.filePath(name); }

    QTemporaryDir d_dir;
    QByteArray d_example;
};

TstOadtoolReport::Result TstOadtoolReport::Run(const QStringList &arguments,
                                               const QByteArray &input)
{
    return TestSupport::Run_Program(
        d_dir.path(), QStringLiteral(OADTOOL_PATH), arguments, input,
        {{"LC_ALL", "de_DE.UTF-8"}, {"SOURCE_DATE_EPOCH", "1796635800"}});
}

void TstOadtoolReport::initTestCase()
{
    d_example = TestSupport::Read_Bytes(QStringLiteral(DOWNLOADEDITOR_EXAMPLES_DIR "/example.oad"));
    QVERIFY(TestSupport::Write_Bytes(Path("machine.oad"), d_example));
    QByteArray reference = d_example;
    reference.replace("S2 Q4C4B40", "S2 Q3D0900").replace("S13 X32", "S13 X33");
    QVERIFY(TestSupport::Write_Bytes(Path("reference.oad"), reference));
}

void TstOadtoolReport::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("out"); // texts the HTML holds
    QTest::addColumn<QString>("err");     // a text that stderr shows; empty: stderr is empty

    const auto row = [](const char *name, const QStringList &arguments, int status,
                        const QStringList &out, const QString &err = QString()) {
        QTest::newRow(name) << arguments << status << out << err;
    };
    const QString sha = QString::fromLatin1(
        QCryptographicHash::hash(
            TestSupport::Read_Bytes(QStringLiteral(DOWNLOADEDITOR_EXAMPLES_DIR "/example.oad")),
            QCryptographicHash::Sha256)
            .toHex());
    row("hash and date", {"report", "machine.oad"}, 0,
        {"<td><tt>" + sha + "</tt> (the bytes on disk)</td>",
         "<td>2026-12-07 09:30:00 (UTC+00:00)</td>", "<title>Commissioning record: machine.oad"});
    row("standard input", {"report", "-"}, 0, {"<td><tt>" + sha + "</tt>"});
    row("resolution option", {"report", "machine.oad", "--resolution=1000"}, 0,
        {"1000 counts per millimetre, as given with --resolution; the file's own scale "
         "resolution line says 10000",
         "<td align=\"right\">5000000</td><td align=\"right\">4C4B40</td><td "
         "align=\"right\">5000.0000</td>"});
    row("differences with a reference", {"report", "--reference", "reference.oad", "machine.oad"},
        0,
        {"<p>2 differences:</p>",
         "<tr><td>S2</td><td>Q</td><td>Maximum 3D acceleration</td><td>5000000<br>hex "
         "4C4B40<br>500.0000 mm<br><i>line 5</i></td><td>4000000<br>hex 3D0900<br>400.0000 "
         "mm<br><i>line 5</i></td></tr>"});
    row("a reference equal", {"report", "machine.oad", "--reference=machine.oad"}, 0,
        {"<p>No differences: the files are equal as the editor reads them.</p>"});
    row("missing file", {"report", "missing.oad"}, 2, {}, "cannot read missing.oad");
    row("missing reference", {"report", "machine.oad", "--reference", "missing.oad"}, 2, {},
        "cannot read missing.oad");
    row("a folder as reference", {"report", "machine.oad", "--reference", "."}, 2, {},
        "cannot read .");
    row("two files", {"report", "machine.oad", "reference.oad"}, 2, {}, "usage: oadtool report");
    row("reference without a name", {"report", "machine.oad", "--reference="}, 2, {},
        "--reference needs a file name");
    row("unwritable output", {"report", "machine.oad", "--output", "no/such/folder/r.html"}, 2, {},
        "cannot write no/such/folder/r.html");
    row("json", {"report", "machine.oad", "--json"}, 2, {}, "--json does not apply to report");
    row("reference on show", {"show", "machine.oad", "--reference", "reference.oad"}, 2, {},
        "--reference does not apply to show");
    row("textconv on check", {"check", "--textconv", "machine.oad"}, 2, {},
        "--textconv does not apply to check");
    row("textconv with json", {"show", "--textconv", "--json", "machine.oad"}, 2, {},
        "--textconv and --json do not go together");
}

void TstOadtoolReport::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, out);
    QFETCH(QString, err);
    const Result result = Run(arguments, d_example);
    QTEST(result.status, "status");
    for (const QString &text : out)
        QVERIFY2(result.out.contains(text), qPrintable(text));
    if (out.isEmpty())
        QCOMPARE(result.out, QString());
    QVERIFY2(err.isEmpty() ? result.err.isEmpty()
                           : result.err.startsWith("oadtool: ") && result.err.contains(err),
             qPrintable(result.err));
}

// --output writes what standard output would show, and nothing goes to standard output.
void TstOadtoolReport::outputFile()
{
    const Result shown = Run({"report", "machine.oad", "--reference", "reference.oad"});
    QCOMPARE(shown.status, 0);
    const Result written =
        Run({"report", "machine.oad", "--reference", "reference.oad", "--output", "r.html"});
    QCOMPARE(written.status, 0);
    QCOMPARE(written.out, QString());
    QCOMPARE(QString::fromUtf8(TestSupport::Read_Bytes(Path("r.html"))), shown.out);
}

// git's textconv: show without the file's name, which git gives as a temporary path.
void TstOadtoolReport::textconv_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("example") << d_example;
    QTest::newRow("lines not read") << QByteArray("S2 Q1\n").repeated(130);
}

void TstOadtoolReport::textconv()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(TestSupport::Write_Bytes(Path("t.oad"), bytes));
    const Result shown = Run({"show", "t.oad"});
    const Result converted = Run({"show", "--textconv", "t.oad"});
    QCOMPARE(converted.status, 0);
    QVERIFY(!converted.out.contains("t.oad"));
    QString expected = shown.out;
    expected.remove(QStringLiteral("t.oad: "));
    QCOMPARE(converted.out, expected);
    QVERIFY(converted.out.startsWith(QString::number(DownloadFile::Read(bytes).lines.size()) +
                                     " lines, scale resolution"));
}

QTEST_GUILESS_MAIN(TstOadtoolReport)
#include "tst_oadtoolreport.moc"
