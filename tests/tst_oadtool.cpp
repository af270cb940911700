#include "testconfig.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// oadtool run as a program on files made here, as a user would run it.
class TstOadtool : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void check_reports_every_finding();
    void check_clean_file_is_silent();
    void check_json();
    void show_lists_lines_and_fields();
    void show_resolution_choice_data();
    void show_resolution_choice();
    void show_json();
    void diff_matches_parameters_not_positions();
    void diff_equal_files();
    void diff_json();
    void set_rewrites_only_named_fields();
    void set_rejects_without_writing_data();
    void set_rejects_without_writing();
    void set_unwritable_file();
    void usage_errors_data();
    void usage_errors();
    void help_and_version();
    void bundled_example();

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

    std::unique_ptr<QTemporaryDir> d_dir;
};

TstOadtool::Result TstOadtool::Run(const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(d_dir->path());
    // Output must not depend on the user's locale.
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
    QFile file(d_dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(name));
    return name;
}

QByteArray TstOadtool::Read(const QString &name)
{
    QFile file(d_dir->filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TstOadtool::init()
{
    d_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(d_dir->isValid());
}

void TstOadtool::check_reports_every_finding()
{
    QByteArray bytes("S1 X123456789 Y1a Z0 W0\n" // 1: nine digits, lower-case digit
                     "Q5 S2 Q10\n"               // 2: letter before the token
                     "S40 X1\n"                  // 3: undescribed
                     "S5 V1\n"
                     "S5 V2\n"                 // 5: duplicate
                     "S6 U1\n");               // 6: missing L
    bytes += QByteArray("ab") + '\0' + "cd\n"; // 7: NUL
    bytes += "caf\xC3\xA9\n";                  // 8: UTF-8
    bytes += "x\x85y\x01\n";                   // 9: control characters
    for (int i = 10; i <= 127; ++i)
        bytes += "; filler\n";
    bytes += "N1\n"; // 128: the last stored line, no valid resolution
    bytes += "N1000\nS1 X1\n";
    const QString file = Write(QStringLiteral("bad.oad"), bytes);
    const Result result = Run({QStringLiteral("check"), file});
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err, QString());
    const QStringList expected = {
        "bad.oad:1: field X123456789 of S1 has more than eight hexadecimal digits; only "
        "X12345678 is read",
        "bad.oad:1: field Y1 of S1 ends at the lower-case 'a'; only upper-case digits belong "
        "to a field, so Y reads as 1",
        "bad.oad:2: field letter Q also stands before the S token S2; only the Q after the "
        "token is the field",
        "bad.oad:3: parameter 64 (S40) is not described; the editor edits this line as plain "
        "text",
        "bad.oad:5: parameter 5 (S5) is already on line 4",
        "bad.oad:6: S6 has no field L (Probe minimum overtravel limit)",
        "bad.oad:7: NUL byte at column 3: the rest of the line is dropped",
        "bad.oad:8: bytes C3 A9 at column 4 look like UTF-8 for \"\u00E9\"; the file is read "
        "as Latin-1, which makes them \"\u00C3\u00A9\"",
        "bad.oad:9: byte 0x85 at column 2 is a control character, not a printable Latin-1 "
        "character",
        "bad.oad:128: N1 is no valid scale resolution line: it needs N directly followed by 2 "
        "to 6 digits",
        "bad.oad:129: the file has 130 lines; only the first 128 are read, so this line and "
        "the 1 after it are ignored",
    };
    QCOMPARE(result.out.split('\n', Qt::SkipEmptyParts), expected);

    // The other resolution findings, one file each.
    const QList<QPair<QByteArray, QString>> resolution_cases = {
        {"S2 Q1\nN00\n", "r.oad:2: scale resolution N00 is 0; no millimetre value can be "
                         "computed from it\n"},
        {"S2 Q1\nN1234567\n", "r.oad:2: N1234567 is no valid scale resolution line: it needs "
                              "N directly followed by 2 to 6 digits\n"},
        {"N1000\nS2 Q1\n", "r.oad:1: N1000 is not the last non-empty line, so the file has no "
                           "scale resolution\n"},
        {"S2 Q1\n", "r.oad:1: no scale resolution line: the last non-empty line should be N "
                    "followed by 2 to 6 digits, such as N10000\n"},
    };
    for (const auto &resolution_case : resolution_cases) {
        Write(QStringLiteral("r.oad"), resolution_case.first);
        const Result other = Run({QStringLiteral("check"), QStringLiteral("r.oad")});
        QCOMPARE(other.out, resolution_case.second);
        QCOMPARE(other.status, 1);
    }
}

void TstOadtool::check_clean_file_is_silent()
{
    // Blank lines, comments, CR LF, a Latin-1 character and a trailing blank line are fine.
    const QString file = Write(QStringLiteral("clean.oad"),
                               "S1 X3E8 Y7D0 Z0 W0\r\n; r\xE9glage\r\n\r\nS10 X1 Y2 Z3 W4\r\n"
                               "N10000\r\n\r\n");
    const Result result = Run({QStringLiteral("check"), file});
    QCOMPARE(result.out, QString());
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
}

void TstOadtool::check_json()
{
    const QString file = Write(QStringLiteral("j.oad"), "S1 X1 Y2 Z3\nS1 X1 Y2 Z3 W4\nN1000\n");
    const Result result = Run({QStringLiteral("--json"), QStringLiteral("check"), file});
    QCOMPARE(result.status, 1);
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    QCOMPARE(root.value("file").toString(), file);
    const QJsonArray findings = root.value("findings").toArray();
    QCOMPARE(findings.size(), 2);
    QCOMPARE(findings.at(0).toObject().value("line").toInt(), 1);
    QCOMPARE(findings.at(0).toObject().value("kind").toString(), QString("missing-field"));
    QCOMPARE(findings.at(1).toObject().value("line").toInt(), 2);
    QCOMPARE(findings.at(1).toObject().value("kind").toString(), QString("duplicate-parameter"));
    QVERIFY(findings.at(1).toObject().value("message").toString().contains("line 1"));

    Write(QStringLiteral("ok.oad"), "S2 Q1\nN1000\n");
    const Result clean = Run({QStringLiteral("check"), QStringLiteral("--json"), "ok.oad"});
    QCOMPARE(clean.status, 0);
    QVERIFY(QJsonDocument::fromJson(clean.out.toUtf8()).object().value("findings").isArray());
    QCOMPARE(
        QJsonDocument::fromJson(clean.out.toUtf8()).object().value("findings").toArray().size(), 0);
}

void TstOadtool::show_lists_lines_and_fields()
{
    const QString file = Write(QStringLiteral("s.oad"), "S1 X3E8 YFFFFFFFF Z0\n; note\n"
                                                        "S6F X0 Y20 Z1 W2\nS40 X1\nN20000\n");
    const Result result = Run({QStringLiteral("show"), file});
    QCOMPARE(result.status, 0);
    const QString expected =
        "s.oad: 5 lines, scale resolution 20000 (line 5)\n"
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
        "   5  raw: N20000\n";
    QCOMPARE(result.out, expected);
}

void TstOadtool::show_resolution_choice_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("millimetres");

    QTest::newRow("file line") << QByteArray("S2 Q3E8\nN1000\n") << QStringList()
                               << "scale resolution 1000 (line 2)"
                               << "mm 1.0000";
    QTest::newRow("option over file line")
        << QByteArray("S2 Q3E8\nN1000\n") << QStringList{"--resolution", "500"}
        << "scale resolution 500 (--resolution)"
        << "mm 2.0000";
    QTest::newRow("default without line")
        << QByteArray("S2 Q3E8\n") << QStringList() << "scale resolution 10000 (default)"
        << "mm 0.1000";
    QTest::newRow("default over a zero line")
        << QByteArray("S2 Q3E8\nN00\n") << QStringList() << "scale resolution 10000 (default)"
        << "mm 0.1000";
}

void TstOadtool::show_resolution_choice()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(QString, header);
    QFETCH(QString, millimetres);
    const QString file = Write(QStringLiteral("r.oad"), bytes);
    const Result result = Run(options + QStringList{QStringLiteral("show"), file});
    QCOMPARE(result.status, 0);
    const QStringList lines = result.out.split('\n');
    QCOMPARE(lines.at(0), "r.oad: " + QString::number(bytes.count('\n')) + " lines, " + header);
    QVERIFY2(lines.at(2).contains(millimetres), qPrintable(lines.at(2)));
}

void TstOadtool::show_json()
{
    const QString file = Write(QStringLiteral("s.oad"), "S1 X3E8 Y7D0 Z0\n; note\nN1000\n");
    const Result result = Run({QStringLiteral("show"), QStringLiteral("--json"), file});
    QCOMPARE(result.status, 0);
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(root.value("resolution").toInt(), 1000);
    QCOMPARE(root.value("resolution_source").toString(), QString("file"));
    QCOMPARE(root.value("resolution_line").toInt(), 3);
    const QJsonArray lines = root.value("lines").toArray();
    QCOMPARE(lines.size(), 3);
    const QJsonObject first = lines.at(0).toObject();
    QCOMPARE(first.value("kind").toString(), QString("parameter"));
    QCOMPARE(first.value("parameter").toInt(), 1);
    QCOMPARE(first.value("token").toString(), QString("S1"));
    const QJsonArray fields = first.value("fields").toArray();
    QCOMPARE(fields.size(), 4);
    const QJsonObject x = fields.at(0).toObject();
    QCOMPARE(x.value("letter").toString(), QString("X"));
    QCOMPARE(x.value("int").toInt(), 1000);
    QCOMPARE(x.value("hex").toString(), QString("3E8"));
    QCOMPARE(x.value("mm").toString(), QString("1.0000"));
    QCOMPARE(x.value("help").toString(), QString("X axis maximum velocity"));
    QVERIFY(x.value("present").toBool());
    const QJsonObject w = fields.at(3).toObject();
    QVERIFY(!w.value("present").toBool());
    QVERIFY(w.value("int").isNull());
    const QJsonObject note = lines.at(1).toObject();
    QCOMPARE(note.value("kind").toString(), QString("raw"));
    QCOMPARE(note.value("text").toString(), QString("; note"));
    QVERIFY(note.value("parameter").isNull());
}

void TstOadtool::diff_matches_parameters_not_positions()
{
    // S10 moves from the end to the front unchanged; only S1.X really changes.
    const QString a = Write(QStringLiteral("a.oad"), "S1 X3E8 Y1 Z0 W0\n; old\nS10 X5\nN1000\n");
    const QString b = Write(QStringLiteral("b.oad"), "S10 X00000005\nS1 X7D0 Y1 Z0 W0\nS5 V1\n"
                                                     "; new\nN1000\n");
    const Result result = Run({QStringLiteral("diff"), a, b});
    QCOMPARE(result.status, 1);
    const QString expected = "--- a.oad\n+++ b.oad\n"
                             "S1.X  line 1 / line 2  X axis maximum velocity\n"
                             "  - 1000  hex 3E8  mm 1.0000\n"
                             "  + 2000  hex 7D0  mm 2.0000\n"
                             "+ S5  line 3: S5 V1\n"
                             "- raw  line 2: ; old\n"
                             "+ raw  line 4: ; new\n";
    QCOMPARE(result.out, expected);
}

void TstOadtool::diff_equal_files()
{
    // Different spelling and order, same parameters: equal.
    const QString a = Write(QStringLiteral("a.oad"), "S2 Q10\r\nS5   V1\r\nN1000\r\n");
    const QString b = Write(QStringLiteral("b.oad"), "S5 V00000001\nS2 Q10\n\nN1000\n");
    const Result result = Run({QStringLiteral("diff"), a, b});
    QCOMPARE(result.out, QString());
    QCOMPARE(result.status, 0);
}

void TstOadtool::diff_json()
{
    const QString a = Write(QStringLiteral("a.oad"), "S6F X0 Y20 Z0 W0\nS2 Q1\n");
    const QString b = Write(QStringLiteral("b.oad"), "S6F X0 Y21 Z0\nS5 V1\n");
    const Result result = Run({QStringLiteral("--json"), QStringLiteral("diff"), a, b});
    QCOMPARE(result.status, 1);
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    QVERIFY(!root.value("equal").toBool());
    const QJsonArray changed = root.value("changed").toArray();
    QCOMPARE(changed.size(), 2);
    const QJsonObject y = changed.at(0).toObject();
    QCOMPARE(y.value("token").toString(), QString("S6F"));
    QCOMPARE(y.value("parameter").toInt(), 111);
    QCOMPARE(y.value("letter").toString(), QString("Y"));
    QVERIFY(y.value("help").toString().contains('\n'));
    QCOMPARE(y.value("a").toObject().value("int").toInt(), 32);
    QCOMPARE(y.value("b").toObject().value("hex").toString(), QString("21"));
    const QJsonObject w = changed.at(1).toObject();
    QCOMPARE(w.value("letter").toString(), QString("W"));
    QVERIFY(w.value("a").toObject().value("present").toBool());
    QVERIFY(!w.value("b").toObject().value("present").toBool());
    QCOMPARE(root.value("only_in_a").toArray().at(0).toObject().value("token").toString(),
             QString("S2"));
    QCOMPARE(root.value("only_in_b").toArray().at(0).toObject().value("line").toInt(), 2);

    const Result same = Run({QStringLiteral("--json"), QStringLiteral("diff"), a, a});
    QCOMPARE(same.status, 0);
    QVERIFY(QJsonDocument::fromJson(same.out.toUtf8()).object().value("equal").toBool());
}

void TstOadtool::set_rewrites_only_named_fields()
{
    const QString file = Write(QStringLiteral("s.oad"), "X9 S1 X3E8 Y00007D0 Z0 W0 ;keep\n"
                                                        "S10 X1 Y2 Z3 W4\nS10 X1\nN1000\n");
    const Result result =
        Run({QStringLiteral("set"), file, QStringLiteral("S1.X=2000"), QStringLiteral("S1.W=-1"),
             QStringLiteral("S10.Z=12.5mm"), QStringLiteral("S10.W=0x1f")});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    // The X before the token, the leading zeros of Y and the second S10 line stay as they were.
    QCOMPARE(Read(file), QByteArray("X9 S1 X7D0 Y00007D0 Z0 WFFFFFFFF ;keep\r\n"
                                    "S10 X1 Y2 Z30D4 W1F\r\nS10 X1\r\nN1000\r\n"));

    // The largest unsigned and the smallest signed values are their own bits.
    QCOMPARE(Run({QStringLiteral("set"), file, QStringLiteral("S1.X=4294967295"),
                  QStringLiteral("S1.Z=-2147483648")})
                 .status,
             0);
    QVERIFY(Read(file).startsWith("X9 S1 XFFFFFFFF Y00007D0 Z80000000 WFFFFFFFF"));
}

void TstOadtool::set_rejects_without_writing_data()
{
    QTest::addColumn<QString>("assignment");
    QTest::addColumn<QString>("message");

    QTest::newRow("undescribed parameter") << "S40.X=1"
                                           << "parameter S40 (64) is not described";
    QTest::newRow("parameter on no line") << "S5.V=1"
                                          << "no line carries parameter S5";
    QTest::newRow("letter not of parameter") << "S2.X=1"
                                             << "parameter S2 has no field X";
    QTest::newRow("field missing from line") << "S1.W=1"
                                             << "has no field W";
    QTest::newRow("above unsigned 32 bits") << "S1.X=4294967296"
                                            << "does not fit 32 bits";
    QTest::newRow("below signed 32 bits") << "S1.X=-2147483649"
                                          << "does not fit 32 bits";
    QTest::newRow("nine hex digits") << "S1.X=0x100000000"
                                     << "more than eight";
    QTest::newRow("mm on unscaled item") << "S6F.X=1mm"
                                         << "not a length";
    QTest::newRow("mm beyond 32 bits") << "S1.X=300000mm"
                                       << "does not fit 32 bits";
    QTest::newRow("not a number") << "S1.X=lots"
                                  << "is not a value";
    QTest::newRow("same field twice") << "S1.Y=2"
                                      << "given more than once";
}

void TstOadtool::set_rejects_without_writing()
{
    QFETCH(QString, assignment);
    QFETCH(QString, message);
    const QByteArray original("S1 X1 Y2 Z3\nS2 Q1\nS40 X1\nS6F X1 Y2 Z3 W4\nN10000\n");
    const QString file = Write(QStringLiteral("s.oad"), original);
    const QDateTime past = QDateTime::fromSecsSinceEpoch(1600000000);
    {
        QFile handle(d_dir->filePath(file));
        QVERIFY(handle.open(QIODevice::ReadWrite));
        QVERIFY(handle.setFileTime(past, QFileDevice::FileModificationTime));
    }
    // A valid assignment beside the bad one must not be written either.
    const Result result = Run({QStringLiteral("set"), file, QStringLiteral("S1.Y=7"), assignment});
    QCOMPARE(result.status, 1);
    QVERIFY2(result.err.contains(assignment + ": ") && result.err.contains(message),
             qPrintable(result.err));
    QCOMPARE(Read(file), original);
    QCOMPARE(QFileInfo(d_dir->filePath(file)).lastModified(), past);
}

void TstOadtool::set_unwritable_file()
{
    const QString file = Write(QStringLiteral("s.oad"), "S2 Q1\n");
    QFile::setPermissions(d_dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool writable = QFileInfo(d_dir->path()).isWritable();
    const Result result = Run({QStringLiteral("set"), file, QStringLiteral("S2.Q=2")});
    QFile::setPermissions(d_dir->path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (writable)
        QSKIP("this user may write into a read-only directory");
    QCOMPARE(result.status, 2);
    QCOMPARE(result.err, QString("oadtool: cannot write s.oad\n"));
    QCOMPARE(Read(file), QByteArray("S2 Q1\n"));
}

void TstOadtool::usage_errors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown command") << QStringList{"frob", "a.oad"};
    QTest::newRow("unknown option") << QStringList{"--frob", "show", "a.oad"};
    QTest::newRow("show without file") << QStringList{"show"};
    QTest::newRow("check with two files") << QStringList{"check", "a.oad", "a.oad"};
    QTest::newRow("diff with one file") << QStringList{"diff", "a.oad"};
    QTest::newRow("set without assignment") << QStringList{"set", "a.oad"};
    QTest::newRow("malformed assignment") << QStringList{"set", "a.oad", "S1X=5"};
    QTest::newRow("json on set") << QStringList{"--json", "set", "a.oad", "S2.Q=1"};
    QTest::newRow("zero resolution") << QStringList{"--resolution", "0", "show", "a.oad"};
    QTest::newRow("resolution without value") << QStringList{"show", "a.oad", "--resolution"};
    QTest::newRow("missing file") << QStringList{"show", "missing.oad"};
    QTest::newRow("directory as file") << QStringList{"check", "."};
}

void TstOadtool::usage_errors()
{
    QFETCH(QStringList, arguments);
    const QByteArray original("S2 Q1\nN1000\n");
    Write(QStringLiteral("a.oad"), original);
    const Result result = Run(arguments);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QString());
    QVERIFY(result.err.startsWith("oadtool: "));
    QCOMPARE(result.err.count('\n'), 1);
    QCOMPARE(Read(QStringLiteral("a.oad")), original);
}

void TstOadtool::help_and_version()
{
    const Result help = Run({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    for (const char *command : {"show FILE", "check FILE", "diff A B", "set FILE", "--json"})
        QVERIFY2(help.out.contains(command), command);
    const Result version = Run({QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    QVERIFY(QRegularExpression("^oadtool \\d+\\.\\d+(\\.\\d+)?\\n$").match(version.out).hasMatch());
}

void TstOadtool::bundled_example()
{
    const QString example = QStringLiteral(DOWNLOADEDITOR_EXAMPLES_DIR "/example.oad");
    if (!QFileInfo::exists(example))
        QSKIP("examples/example.oad is not there");
    const Result show = Run({QStringLiteral("show"), example});
    QCOMPARE(show.status, 0);
    QVERIFY(show.out.contains("  parameter 1: S1"));
    const Result check = Run({QStringLiteral("check"), example});
    QCOMPARE(check.err, QString());
    QVERIFY(check.status == 0 || check.status == 1);
    // Every finding names the example and a line.
    for (const QString &line : check.out.split('\n', Qt::SkipEmptyParts))
        QVERIFY2(line.startsWith(example + ':'), qPrintable(line));
}

QTEST_GUILESS_MAIN(TstOadtool)
#include "tst_oadtool.moc"
