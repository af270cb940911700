#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// oadtool run as a program on files made here, as a user would run it.
class TstOadtool : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
    void json();

private:
    struct Result
    {
        int status = -1;
        QString out;
        QString err;
    };
    Result Run(const QStringList &arguments);
    QString Write(const QString &name, const QByteArray &bytes);
    QByteArray Read(const QString &name);
    QJsonObject Json(const QStringList &arguments, int status);

    QTemporaryDir d_dir;
};

TstOadtool::Result TstOadtool::Run(const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(d_dir.path());
    // The output must not depend on the user's locale.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(OADTOOL_PATH), arguments);
    Result result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString TstOadtool::Write(const QString &name, const QByteArray &bytes)
{
    QFile file(d_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(name));
    return name;
}

QByteArray TstOadtool::Read(const QString &name)
{
    QFile file(d_dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject TstOadtool::Json(const QStringList &arguments, int status)
{
    const Result result = Run(arguments);
    // Another exit status leaves the object empty, and the checks on it fail.
    return result.status == status ? QJsonDocument::fromJson(result.out.toUtf8()).object()
                                   : QJsonObject();
}

void TstOadtool::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("a"); // a.oad
    QTest::addColumn<QByteArray>("b"); // b.oad
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");        // a text that stderr shows; empty: stderr is empty
    QTest::addColumn<QByteArray>("a_after"); // empty: a.oad stays as it was

    const auto row = [](const char *name, const QStringList &arguments, const QByteArray &a,
                        const QByteArray &b, const QString &out, int status,
                        const QString &err = QString(), const QByteArray &a_after = QByteArray()) {
        QTest::newRow(name) << arguments << a << b << out << status << err << a_after;
    };
    QByteArray every("S1 X123456789 Y1a Z0 W0\n" // nine digits, lower-case digit
                     "Q5 S2 Q10\nS40 X1\nS5 V1\nS5 V2\nS6 U1\n");
    every += QByteArray("ab") + '\0' + "cd\n" + "caf\xC3\xA9\n" + "x\x85y\x01\n";
    every += QByteArray("S5 V3\n") + QByteArray("; filler\n").repeated(117) + "N1\nN1000\nS1 X1\n";
    row("check: every kind of finding", {"check", "a.oad"}, every, "",
        "a.oad:1: field X123456789 of S1 has more than eight hexadecimal digits; only "
        "X12345678 is read\n"
        "a.oad:1: field Y1 of S1 ends at the lower-case 'a'; only upper-case digits belong "
        "to a field, so Y reads as 1\n"
        "a.oad:2: field letter Q also stands before the S token S2; only the Q after the "
        "token is the field\n"
        "a.oad:3: parameter 64 (S40) is not described; the editor edits this line as plain "
        "text\n"
        "a.oad:5: parameter 5 (S5) is already on line 4\n"
        "a.oad:6: S6 has no field L (Probe minimum overtravel limit)\n"
        "a.oad:7: NUL byte at column 3: the rest of the line is dropped\n"
        "a.oad:8: bytes C3 A9 at column 4 look like UTF-8 for \"\u00E9\"; the file is read "
        "as Latin-1, which makes them \"\u00C3\u00A9\"\n"
        "a.oad:9: byte 0x85 at column 2 is a control character, not a printable Latin-1 "
        "character\n"
        "a.oad:10: parameter 5 (S5) is already on line 4\n"
        "a.oad:128: N1 is no valid scale resolution line: it needs N directly followed by 2 "
        "to 6 digits\n"
        "a.oad:129: the file has 130 lines; only the first 128 are read, so this line and "
        "the 1 after it are ignored\n",
        1);
    row("check: resolution 0", {"check", "a.oad"}, "S2 Q1\nN00\n", "",
        "a.oad:2: scale resolution N00 is 0; no millimetre value can be computed from it\n", 1);
    row("check: resolution line not last", {"check", "a.oad"}, "N1000\nS2 Q1\n", "",
        "a.oad:1: N1000 is not the last non-empty line, so the file has no scale resolution\n", 1);
    // Blank lines, comments, CR LF, a Latin-1 character and a trailing blank line are fine.
    row("check: clean file", {"check", "a.oad"},
        "S1 X3E8 Y7D0 Z0 W0\r\n; r\xE9glage\r\n\r\nS10 X1 Y2 Z3 W4\r\nN10000\r\n\r\n", "", "", 0);
    row("show", {"show", "a.oad"},
        "S1 X3E8 YFFFFFFFF Z0\n; note\nS6F X0 Y20 Z1 W2\nS40 X1\nN20000\n", "",
        "a.oad: 5 lines, scale resolution 20000 (line 5)\n"
        "   1  parameter 1: S1 X3E8 YFFFFFFFF Z0\n"
        "        X  1000  hex 3E8       mm 0.0500   X axis maximum velocity\n"
        "        Y    -1  hex FFFFFFFF  mm -0.0001  Y axis maximum velocity\n"
        "        Z     0  hex 0         mm 0.0000   Z axis maximum velocity\n"
        "        W  not present                     W axis maximum velocity\n"
        "   2  raw: ; note\n"
        "   3  parameter 111: S6F X0 Y20 Z1 W2\n"
        "        X   0  hex 0   Flexible parameter 16A\n"
        "        Y  32  hex 20  Flexible parameter 16B.\n"
        "                       Probe type (integer): PI6 [32], TTL [33], PICS [34]\n"
        "        Z   1  hex 1   Flexible parameter 16C\n"
        "        W   2  hex 2   Flexible parameter 16D\n"
        "   4  raw (parameter 64 not described): S40 X1\n"
        "   5  raw: N20000\n",
        0);
    // S10 moves from the end to the front unchanged; only S1.X really changes.
    row("diff: moved and changed parameter", {"diff", "a.oad", "b.oad"},
        "S1 X3E8 Y1 Z0 W0\n; old\nS10 X5\nN1000\n",
        "S10 X00000005\nS1 X7D0 Y1 Z0 W0\nS5 V1\n; new\nN1000\n",
        "--- a.oad\n+++ b.oad\n"
        "S1.X  line 1 / line 2  X axis maximum velocity\n"
        "  - 1000  hex 3E8  mm 1.0000\n"
        "  + 2000  hex 7D0  mm 2.0000\n"
        "+ S5  line 3: S5 V1\n"
        "- raw  line 2: ; old\n"
        "+ raw  line 4: ; new\n",
        1);
    row("diff: same parameters spelt and ordered otherwise", {"diff", "a.oad", "b.oad"},
        "S2 Q10\r\nS5   V1\r\nN1000\r\n", "S5 V00000001\nS2 Q10\n\nN1000\n", "", 0);

    // The X before the token, the leading zeros of Y and the second S10 line stay as they were.
    row("set: only the named fields",
        {"set", "a.oad", "S1.X=2000", "S1.W=4294967295", "S1.Z=-2147483648", "S10.Y=-1",
         "S10.Z=12.5mm", "S10.W=0x1f"},
        "X9 S1 X3E8 Y00007D0 Z0 W0 ;keep\nS10 X1 Y2 Z3 W4\nS10 X1\nN1000\n", "",
        "a.oad:1: X9 S1 X3E8 Y00007D0 Z0 W0 ;keep -> X9 S1 X7D0 Y00007D0 Z80000000 WFFFFFFFF "
        ";keep\n"
        "a.oad:2: S10 X1 Y2 Z3 W4 -> S10 X1 YFFFFFFFF Z30D4 W1F\n",
        0, "",
        "X9 S1 X7D0 Y00007D0 Z80000000 WFFFFFFFF ;keep\r\n"
        "S10 X1 YFFFFFFFF Z30D4 W1F\r\nS10 X1\r\nN1000\r\n");

    // A valid assignment beside the bad one is not written either.
    const auto refused = [&row](const char *name, const char *assignment, const char *err) {
        row(name, {"set", "a.oad", "S1.Y=7", assignment},
            "S1 X1 Y2 Z3\nS2 Q1\nS40 X1\nS6F X1 Y2 Z3 W4\nN10000\n", "", "", 1, err);
    };
    refused("set: undescribed parameter", "S40.X=1",
            "S40.X=1: parameter S40 (64) is not described");
    refused("set: parameter on no line", "S5.V=1", "S5.V=1: no line carries parameter S5");
    refused("set: letter not of parameter", "S2.X=1", "S2.X=1: parameter S2 has no field X");
    refused("set: field missing from line", "S1.W=1",
            "S1.W=1: line 1 (S1 X1 Y2 Z3) has no field W");
    refused("set: above unsigned 32 bits", "S1.X=4294967296",
            "S1.X=4294967296: 4294967296 does not fit 32 bits");
    refused("set: below signed 32 bits", "S1.X=-2147483649",
            "S1.X=-2147483649: -2147483649 does not fit 32 bits");
    refused("set: mm on unscaled item", "S6F.X=1mm", "S6F.X=1mm: field X is not a length");
    refused("set: mm beyond 32 bits", "S1.X=300000mm",
            "S1.X=300000mm: 300000mm at 10000 counts per mm does not fit 32 bits");
    refused("set: not a number", "S1.X=lots", "S1.X=lots: lots is not a value");
    refused("set: same field twice", "S1.Y=2", "S1.Y=2: S1.Y is given more than once");

    const auto usage = [&row](const char *name, const QStringList &arguments) {
        row(name, arguments, "S2 Q1\nN1000\n", "", "", 2, "oadtool: ");
    };
    usage("no command", {});
    usage("unknown command", {"frob", "a.oad"});
    usage("diff with one file", {"diff", "a.oad"});
    usage("malformed assignment", {"set", "a.oad", "S1X=5"});
    usage("json on set", {"--json", "set", "a.oad", "S2.Q=1"});
    usage("zero resolution", {"--resolution", "0", "show", "a.oad"});
    usage("missing file", {"show", "missing.oad"});
    usage("directory as file", {"check", "."});
}

void TstOadtool::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(QString, err);
    QFETCH(QByteArray, a_after);
    Write(QStringLiteral("a.oad"), a);
    Write(QStringLiteral("b.oad"), b);
    const Result result = Run(arguments);
    QTEST(result.out, "out");
    QVERIFY2(err.isEmpty() ? result.err.isEmpty()
                           : result.err.startsWith("oadtool: ") && result.err.contains(err),
             qPrintable(result.err));
    QTEST(result.status, "status");
    QCOMPARE(Read(QStringLiteral("a.oad")), a_after.isEmpty() ? a : a_after);
}

void TstOadtool::json()
{
    const QString file = Write(QStringLiteral("j.oad"), "S1 X3E8 Y2 Z3\nS1 X1 Y2 Z3 W0\nN1000\n");
    const QJsonObject check = Json({QStringLiteral("--json"), QStringLiteral("check"), file}, 1);
    QCOMPARE(check.value("file").toString(), file);
    const QJsonArray findings = check.value("findings").toArray();
    QCOMPARE(findings.size(), 2);
    QCOMPARE(findings.at(0).toObject().value("line").toInt(), 1);
    QCOMPARE(findings.at(0).toObject().value("kind").toString(), QString("missing-field"));
    QCOMPARE(findings.at(1).toObject().value("kind").toString(), QString("duplicate-parameter"));

    const QJsonObject show = Json({QStringLiteral("show"), file, QStringLiteral("--json")}, 0);
    QCOMPARE(show.value("resolution").toInt(), 1000);
    const QJsonObject x =
        show.value("lines").toArray().at(0).toObject().value("fields")[0].toObject();
    QCOMPARE(x.value("int").toInt(), 1000);
    QCOMPARE(x.value("mm").toString(), QString("1.0000"));
    QCOMPARE(x.value("help").toString(), QString("X axis maximum velocity"));

    const QString b = Write(QStringLiteral("k.oad"), "S1 X3E8 Y2 Z3\nS1 X1 Y2 Z3\nN1000\n");
    const QJsonObject diff = Json({QStringLiteral("--json"), QStringLiteral("diff"), file, b}, 1);
    QVERIFY(!diff.value("equal").toBool(true));
    const QJsonObject w = diff.value("changed").toArray().at(0).toObject();
    QCOMPARE(w.value("token").toString(), QString("S1"));
    QCOMPARE(w.value("letter").toString(), QString("W"));
    QVERIFY(w.value("a").toObject().value("present").toBool());
    QVERIFY(!w.value("b").toObject().value("present").toBool(true));
    QVERIFY(
        Json({QStringLiteral("--json"), QStringLiteral("diff"), b, b}, 0).value("equal").toBool());
}

QTEST_GUILESS_MAIN(TstOadtool)
#include "tst_oadtool.moc"
