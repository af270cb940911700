#include "commandline.h"
#include "console.h"
#include "jsonwriter.h"
#include "setcommand.h"
#include "testsupport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// oadtool run as a program on files made here, as a user or a script would run it.
class TstOadtool : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
    void json();
    void escaping_data();
    void escaping();
    void shell_data();
    void shell();
    void changedWhileEditing_data();
    void changedWhileEditing();
    void longLineMemory_data();
    void longLineMemory();

private:
    using Result = TestSupport::Run_Result;
    Result Run(const QString &program, const QStringList &arguments, const QByteArray &input);
    QString Path(const QString &name) const { return d_dir.filePath(name); }
    long Peak_Kib(const QStringList &arguments);

    QTemporaryDir d_dir;
};

TstOadtool::Result TstOadtool::Run(const QString &program, const QStringList &arguments,
                                   const QByteArray &input)
{
    // The output must not depend on the user's locale or language: on a German desktop the
    // editor speaks German, oadtool never.
    return TestSupport::Run_Program(
        d_dir.path(), program, arguments, input,
        {{"LC_ALL", "de_DE.UTF-8"}, {"LANGUAGE", "de"}, {"OADTOOL", OADTOOL_PATH}});
}

void TstOadtool::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("a"); // a.oad, also a copy named e%1<ESC>[31m.oad and stdin
    QTest::addColumn<QByteArray>("b"); // b.oad
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err"); // a text stderr shows, its end if a whole line; empty: none
    QTest::addColumn<QByteArray>("a_after"); // empty: a.oad stays as it was

    const auto row = [](const char *name, const QStringList &arguments, const QByteArray &a,
                        const QByteArray &b, const QString &out, int status,
                        const QString &err = QString(), const QByteArray &a_after = QByteArray()) {
        QTest::newRow(name) << arguments << a << b << out << status << err << a_after;
    };
    QByteArray filler = QByteArray("; filler\n").repeated(126);
    // One line with the scale resolution after it: each misreading alone.
    const auto check = [&row](const char *name, const QByteArray &line, const QString &finding) {
        row(name, {"check", "a.oad"}, line + "\nN10000\n", "", "a.oad:1: " + finding + "\n", 1);
    };
    check("letter in a word", "S1 X1 Y2 Z3 ; W-Achse",
          "field W of S1 has no digits (in \"W-Achse\"); the editor reads W as 0");
    check("letter before a blank", "S5 V 10",
          "field V of S5 has no digits (in \"V\"); the editor reads V as 0");
    check("V0x10", "S5 V0x10", "field V0 of S5 goes on with \"x10\"; the editor reads V as 0");
    check("V1.5", "S5 V1.5", "field V1 of S5 goes on with \".5\"; the editor reads V as 1");
    check("V1G", "S5 V1G", "field V1 of S5 goes on with \"G\"; the editor reads V as 1");
    check("long word quoted by its start", "S5 V1" + QByteArray(41, 'G'),
          "field V1 of S5 goes on with \"" + QString(40, 'G') + "...\"; the editor reads V as 1");
    check("nine digits", "S5 V123456789",
          "field V123456789 of S5 has more than eight hexadecimal digits; only V12345678 is read");
    check("lower-case digit", "S5 V1a",
          "field V1 of S5 ends at the lower-case 'a'; only upper-case digits belong to a field, "
          "so V reads as 1");
    check("repeated field", "S5 V10 V20",
          "field V of S5 stands again as V20; the editor reads only the first, V10");
    check("second S token", "S5 V10 ; S2",
          "a second S token S2 after S5; the editor reads only the first");
    for (const char *token : {"s5", "S 5"})
        check(token, QByteArray(token) + " V10",
              QString("\"%1\" is no S token, which is an upper-case S directly followed by "
                      "upper-case hexadecimal digits")
                  .arg(token));
    check("third token digit", "S123 X1 Y2 Z3 W4",
          "S12 is followed by '3', which is no part of the S token: the editor reads parameter "
          "18");
    check("letter not described", "S2 Q1 X5",
          "S2 has no field X, so the editor neither shows nor edits X5");
    check("letter before token", "Q5 S2 Q1",
          "field letter Q also stands before the S token S2; only the Q after the token is the "
          "field");
    check("missing field", "S6 U1 l5",
          "S6 has no field L (Probe minimum overtravel limit); a lower-case l is another letter");
    check("undescribed parameter", "S40 X1",
          "parameter 64 (S40) is not described; the editor edits this line as plain text");
    check("byte order mark", "\xEF\xBB\xBFS2 Q1",
          "the file starts with a UTF-8 byte order mark (EF BB BF); the editor shows it as "
          "\"\u00EF\u00BB\u00BF\" before the text of line 1");
    check("UTF-8", "; caf\xC3\xA9",
          "bytes C3 A9 at column 6 look like UTF-8 for \"\u00E9\"; the file is read as Latin-1, "
          "which makes them \"\u00C3\u00A9\"");
    check("escaped control bytes", "S5 V\x1b]0;x\x07",
          "Line 1 holds control bytes; the file may not be text.\n"
          "a.oad:1: field V of S5 has no digits (in \"V\\x1b]0;x\\x07\"); the editor reads V as 0");
    row("check: duplicate parameter, 129 lines, second scale line", {"check", "a.oad"},
        "S2 Q1\nN1000\nS2 Q2\n" + filler.left(filler.size() - 18) + "N10000\n; x\n", "",
        "a.oad:2: N1000 is a second scale resolution line; only the last non-empty line, 128, "
        "counts\n"
        "a.oad:3: parameter 2 (S2) is already on line 1\n"
        "a.oad:129: The file has 129 lines; only the first 128 are kept, and a save drops the "
        "rest.\n",
        1);
    row("check: resolution 0", {"check", "a.oad"}, "S2 Q1\nN00\n", "",
        "a.oad:2: scale resolution N00 is 0; no millimetre value can be computed from it\n", 1);
    row("check: nearly a scale resolution line", {"check", "a.oad"}, "S2 Q1\nn 1000\n\n", "",
        "a.oad:2: n 1000 is no valid scale resolution line: it needs one or more N or n "
        "directly followed by 2 to 6 digits\n",
        1);
    row("check: resolution line not last", {"check", "a.oad"}, "N1000\nS2 Q1\n", "",
        "a.oad:1: N1000 is not the last non-empty line, so the file has no scale resolution\n", 1);
    row("check: clean file", {"check", "a.oad"},
        "S1 X3E8 Y7D0 Z0 W0 ; W-Achse Yaw\r\n; r\xE9glage\r\n\r\nS10X1Y2Z3W4\r\nN10000\r\n\r\n", "",
        "", 0);
    // Several files: a good one, a faulty one, standard input and one that cannot be read.
    const QByteArray good("S2 Q1\nN10000\n");
    row("check: mixed files", {"check", "b.oad", "a.oad", "missing.oad", "-"}, "S5 V1G\nN10000\n",
        good,
        "a.oad:1: field V1 of S5 goes on with \"G\"; the editor reads V as 1\n"
        "-:1: field V1 of S5 goes on with \"G\"; the editor reads V as 1\n",
        2, "oadtool: 3 files read, 1 clean, 2 with findings, 1 unreadable\n");
    row("check --quiet: names only, no summary",
        {"check", "--quiet", "b.oad", "a.oad", "missing.oad", "e%1\x1b[31m.oad"}, "S5 V1G\n", good,
        "a.oad\ne%1\\x1b[31m.oad\n", 2,
        "oadtool: cannot read missing.oad: No such file or directory\n");
    row("check: good and faulty files", {"check", "b.oad", "a.oad"}, "S5 V1\nN1000\n", "S5 V1\n",
        "b.oad:1: no scale resolution line: the last non-empty line should be one or more "
        "N or n directly followed by 2 to 6 digits, such as N10000\n",
        1, "oadtool: 2 files read, 1 clean, 1 with findings, 0 unreadable\n");
    // A % in a name stays text too.
    row("check: control bytes in a file name", {"check", "e%1\x1b[31m.oad", "m\x07.oad"}, "S5 V\n",
        "",
        "e%1\\x1b[31m.oad:1: field V of S5 has no digits (in \"V\"); the editor reads "
        "V as 0\ne%1\\x1b[31m.oad:1: no scale resolution line: the last non-empty line should be "
        "one or more N or n directly followed by 2 to 6 digits, such as N10000\n",
        2, "oadtool: cannot read m\\x07.oad");

    row("show", {"show", "a.oad"},
        "S1 X3E8 YFFFFFFFF Z0\n; note \x1b[31m\\\nS6F X0 Y20 Z1 W2\nS40 X1\nN20000\n", "",
        "a.oad: 5 lines, scale resolution 20000 (line 5)\n"
        "   1  parameter 1: S1 X3E8 YFFFFFFFF Z0\n"
        "        X  1000  hex 3E8       mm 0.0500   X axis maximum velocity\n"
        "        Y    -1  hex FFFFFFFF  mm -0.0001  Y axis maximum velocity\n"
        "        Z     0  hex 0         mm 0.0000   Z axis maximum velocity\n"
        "        W  not present                     W axis maximum velocity\n"
        "   2  raw: ; note \\x1b[31m\\\\\n"
        "   3  parameter 111: S6F X0 Y20 Z1 W2\n"
        "        X   0  hex 0   Flexible parameter 16A\n"
        "        Y  32  hex 20  Flexible parameter 16B.\n"
        "                       Probe type (integer): PI6 [32], TTL [33], PICS [34]\n"
        "        Z   1  hex 1   Flexible parameter 16C\n"
        "        W   2  hex 2   Flexible parameter 16D\n"
        "   4  raw (parameter 64 not described): S40 X1\n"
        "   5  raw: N20000\n",
        0);
    QString filler_shown = "a.oad: 128 lines, scale resolution 10000 (default)\n   1  raw:\n";
    for (int line = 2; line < 128; ++line)
        filler_shown += QString("%1  raw: ; filler\n").arg(line, 4);
    row("show: lines not read", {"show", "a.oad"}, "\n" + filler + "\n; x\n; y", "",
        filler_shown + " 128  raw:\na.oad: lines 129 to 130 are not read: the editor reads the "
                       "first 128\n",
        0);
    row("show: one line", {"show", "a.oad"}, "S2 Q1", "",
        "a.oad: 1 line, scale resolution 10000 (default)\n   1  parameter 2: S2 Q1\n"
        "        Q  1  hex 1  mm 0.0001  Maximum 3D acceleration\n",
        0);

    // The header names each file's resolution (B's as A's unless given) and its source.
    const auto diff = [&row](const char *name, const QByteArray &a, const QByteArray &b,
                             const QString &out, const QString &in_a = "10000 (default)",
                             const QString &in_b = QString()) {
        const QString head = QString("--- a.oad  scale resolution %1\n+++ b.oad  scale "
                                     "resolution %2\n")
                                 .arg(in_a, in_b.isEmpty() ? in_a : in_b);
        row(name, {"diff", "a.oad", "b.oad"}, a, b, out.isEmpty() ? out : head + out,
            out.isEmpty() ? 0 : 1);
    };
    // S10 moves from the end to the front unchanged; only S1.X really changes.
    diff("diff: field, parameter line, raw line", "S1 X3E8 Y1 Z0 W0\n; old\nS10 X5\nN1000\n",
         "S10 X00000005\nS1 X7D0 Y1 Z0 W0\nS5 V1\n; new\nN1000\n",
         "S1.X  line 1 / line 2  X axis maximum velocity\n  - 1000  hex 3E8  mm 1.0000\n"
         "  + 2000  hex 7D0  mm 2.0000\n+ S5  line 3: S5 V1\n- raw  line 2: ; old\n"
         "+ raw  line 4: ; new\n",
         "1000 (line 4)", "1000 (line 5)");
    diff("diff: other field", "S2 Q1 X5\n", "S2 Q1 X6\n",
         "S2.X (not described for S2)  line 1 / line 1\n  - 5  hex 5\n  + 6  hex 6\n");
    diff("diff: line text", "S2 Q1 ;old\n", "S2 Q1 ;new\n",
         "S2 text  line 1 / line 1\n  - S2 Q1 ;old\n  + S2 Q1 ;new\n");
    diff("diff: before token", "X9 S2 Q1\n", "X8 S2 Q01\n",
         "S2 before the S token  line 1 / line 1\n  - X9 \n  + X8 \n");
    diff("diff: scale resolution", "S2 Q1\nN1000\n", "S2 Q1\nN10000\n",
         "scale resolution  line 2 / line 2\n  - 1000\n  + 10000\n", "1000 (line 2)",
         "10000 (line 2)");
    diff("diff: after NUL", QByteArray("S2 Q1\0 x\n", 9), QByteArray("S2 Q1\0 y\n", 9),
         "after a NUL byte  line 1 / line 1\n  -  x\n  +  y\n");
    diff("diff: after line 128", "S2 Q1\n" + filler + "N1000\n; a\n",
         "S2 Q1\n" + filler + "N1000\n; b",
         "after line 128  line 129 / line 129\n  - ; a\n"
         "  + ; b\n",
         "1000 (line 128)");
    row("diff: --resolution against a file", {"diff", "--resolution=1000", "a.oad", "b.oad"},
        "S2 Q1\nN10000\n", "S2 Q2\nN10000\n",
        "--- a.oad  scale resolution 1000 (--resolution)\n+++ b.oad  scale resolution 1000 "
        "(--resolution)\nS2.Q  line 1 / line 1  Maximum 3D acceleration\n  - 1  hex 1  mm "
        "0.0010\n  + 2  hex 2  mm 0.0020\n",
        1, "--resolution 1000 differs from the scale resolution 10000 of b.oad (line 2)");
    diff("diff: same content, spelt and ordered otherwise", "S2 Q10\r\nS5   V1\r\nN1000\r\n",
         "S5 V00000001\nS02 Q10\n\nN01000", "");

    // Each file's own line ends, blanks, other bytes and final newline stay byte for byte.
    const auto set = [&row](const char *name, const QStringList &arguments, const QByteArray &a,
                            const QString &out, const QByteArray &a_after,
                            const QString &err = QString()) {
        row(name, QStringList{"set", "a.oad"} + arguments, a, "", out, 0, err, a_after);
    };
    set("set: LF and tabs", {"S1.Y=0x10"}, "\tS1\tX3E8  Y7D0\tZ0 W0 \n; a\tb\nN10000\n",
        "a.oad: scale resolution 10000 (line 3)\na.oad:1: S1.Y: Y7D0 -> Y10 (2000 -> 16)\n",
        "\tS1\tX3E8  Y10\tZ0 W0 \n; a\tb\nN10000\n");
    set("set: CR only", {"S1.W=0x10"}, "S1 X1 Y2 Z3 W4\rS2 Q5\rN1000\r",
        "a.oad: no valid scale resolution line; millimetre values are refused\n"
        "a.oad:1: S1.W: W4 -> W10 (4 -> 16)\n",
        "S1 X1 Y2 Z3 W10\rS2 Q5\rN1000\r");
    set("set: UTF-8 and CR LF", {"S5.V=2mm", "S2.Q=-1"},
        "; voil\xC3\xA0 \xE2\x82\xAC\r\nS5 V1 ; caf\xC3\xA9\r\nS2 Q00000001\r\nN1000\r\n",
        "a.oad: scale resolution 1000 (line 4)\na.oad:2: S5.V: V1 -> V7D0 (1 -> 2000)\n"
        "a.oad:3: S2.Q: Q00000001 -> QFFFFFFFF (1 -> -1)\n",
        "; voil\xC3\xA0 \xE2\x82\xAC\r\nS5 V7D0 ; caf\xC3\xA9\r\nS2 QFFFFFFFF\r\nN1000\r\n");
    set("set: no final newline, decimal comma", {"S2.Q=1,5mm"}, "S2 Q1\nN10000",
        "a.oad: scale resolution 10000 (line 2)\na.oad:1: S2.Q: Q1 -> Q3A98 (1 -> 15000)\n",
        "S2 Q3A98\nN10000");
    set("set: NUL, more than 128 lines", {"S1.X=5"},
        QByteArray("S1 X1 Y2\0X3\n", 12) + filler + "; x\n; y\nS1 X9\n",
        "a.oad: no valid scale resolution line; millimetre values are "
        "refused\na.oad:1: S1.X: X1 -> X5 (1 -> 5)\n",
        QByteArray("S1 X5 Y2\0X3\n", 12) + filler + "; x\n; y\nS1 X9\n");
    set("set: --line picks one", {"--line", "2", "S5.V=20"}, "; S5 VALUE\nS5 V10\nN10000\n",
        "a.oad: scale resolution 10000 (line 3)\na.oad:2: S5.V: V10 -> V14 (16 -> 20)\n",
        "; S5 VALUE\nS5 V14\nN10000\n");
    set("set: the letter before the S token is never read", {"S2.Q=5"}, "Q1 S2 Q1\n",
        "a.oad: no valid scale resolution line; millimetre values are refused\n"
        "a.oad:1: S2.Q: Q1 -> Q5 (1 -> 5)\n",
        "Q1 S2 Q5\n");
    set("set: --resolution against the file",
        {"--resolution=1000", "S2.Q=1mm", "--resolution", "1000"}, "S2 Q1\nN10000\n",
        "a.oad: scale resolution 1000 (--resolution)\n"
        "a.oad:1: S2.Q: Q1 -> Q3E8 (1 -> 1000)\n",
        "S2 Q3E8\nN10000\n",
        "oadtool: warning: --resolution 1000 differs from the scale resolution 10000 of a.oad "
        "(line 2); 1000 is used");

    // A valid assignment beside the bad one is not written either.
    const auto refused = [&row](const char *name, const char *assignment, const char *err) {
        row(name, {"set", "a.oad", "S1.Y=7", assignment},
            "S1 X1 Y2 Z3\n; S2 Q\nS2 Q1\nS40 X1\nS6F X1 Y2 Z3 W4\nS5 ; OVERRIDE V10\nN10000\n", "",
            "", 1, err);
    };
    refused("set: undescribed parameter", "S40.X=1",
            "S40.X=1: parameter S40 (64) is not described");
    refused("set: parameter on no line", "S4.U=1", "S4.U=1: no line carries parameter S4");
    // The editor reads V out of the word, as VE: a rewrite would make it OV20RRIDE.
    refused("set: field in a word", "S5.V=0x20",
            "S5.V=0x20: check reports a.oad:6: field VE of S5 goes on with \"RRIDE\"; the editor "
            "reads V as 14\noadtool: S5.V=0x20: check reports a.oad:6: field V of S5 stands again");
    refused("set: parameter on two lines", "S2.Q=1",
            "S2.Q=1: parameter S2 stands on lines 2 (; S2 Q) and 3 (S2 Q1); pick one with --line");
    refused("set: letter not of parameter", "S6F.Q=1", "S6F.Q=1: parameter S6F has no field Q");
    refused("set: field missing from line", "S1.W=1",
            "S1.W=1: line 1 (S1 X1 Y2 Z3) has no field W");
    refused("set: beyond 32 bits", "S1.X=4294967296",
            "S1.X=4294967296: 4294967296: Outside -2147483648 to 4294967295");
    refused("set: mm on unscaled item", "S6F.X=1mm", "S6F.X=1mm: field X is not a length");
    refused("set: mm beyond 32 bits", "S1.X=300000mm",
            "S1.X=300000mm: 300000mm at 10000 counts per mm does not fit 32 bits");
    refused("set: empty value", "S1.X=", "S1.X=: empty value");
    refused("set: escaped value", "S1.X=\x1b[2J", "S1.X=\\x1b[2J: \\x1b[2J: Not a whole number");
    refused("set: same field twice", "S01.Y=2", "S01.Y=2: S1.Y is given more than once");
    row("set: mm without scale resolution", {"set", "a.oad", "S2.Q=1mm"}, "S2 Q1\n", "", "", 1,
        "S2.Q=1mm: 1mm needs a scale resolution");
    row("get", {"get", "a.oad", "S2.Q", "S5.V", "S1.X", "S2.Q"}, "S2 Q3E8\nN1000\n", "",
        "1000\n\n\n1000\n", 1, "S5.V: no line carries parameter S5");
    row("get: mm", {"get", "--mm", "a.oad", "S2.Q"}, "S2 QFFFFFC18\nN1000\n", "", "-1.0000\n", 0);
    row("get: hex", {"get", "--hex", "a.oad", "S2.Q"}, "S2 Q0003E8\n", "", "3E8\n", 0);

    const auto usage = [&row](const char *name, const QStringList &arguments) {
        row(name, arguments, "S2 Q1\nN1000\n", "", "", 2, "oadtool: ");
    };
    usage("no command", {});
    usage("unknown command", {"frob", "a.oad"});
    usage("diff with one file", {"diff", "a.oad"});
    usage("malformed assignment", {"set", "a.oad", "S1X=5"});
    usage("json on set", {"--json", "set", "a.oad", "S2.Q=1"});
    usage("zero resolution", {"--resolution", "0", "show", "a.oad"});
    usage("set on standard input", {"set", "-", "S2.Q=1"});
    usage("missing file", {"show", "missing.oad"});
    usage("directory as file", {"check", "."});
    usage("--line twice", {"get", "--line", "1", "a.oad", "S2.Q", "--line=1"});
    usage("--resolution twice, differing",
          {"--resolution", "5", "show", "a.oad", "--resolution=6"});
    usage("--hex with --mm", {"get", "--hex", "a.oad", "S2.Q", "--mm"});
    usage("standard input twice", {"diff", "-", "-"});
    usage("--quiet with --json", {"check", "--quiet", "--json", "a.oad"});
    usage("--quiet on show", {"show", "--quiet", "a.oad"});
}

void TstOadtool::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(QString, err);
    QFETCH(QByteArray, a_after);
    QVERIFY(TestSupport::Write_Bytes(Path("a.oad"), a));
    QVERIFY(TestSupport::Write_Bytes(Path("e%1\x1b[31m.oad"), a));
    QVERIFY(TestSupport::Write_Bytes(Path("b.oad"), b));
    const Result result = Run(QStringLiteral(OADTOOL_PATH), arguments, a);
    QTEST(result.out, "out");
    QVERIFY2(err.isEmpty()
                 ? result.err.isEmpty()
                 : result.err.startsWith("oadtool: ") &&
                       (err.endsWith('\n') ? result.err.endsWith(err) : result.err.contains(err)),
             qPrintable(result.err));
    QTEST(result.status, "status");
    QCOMPARE(TestSupport::Read_Bytes(Path("a.oad")), a_after.isEmpty() ? a : a_after);
}

void TstOadtool::json()
{
    const QByteArray bytes("S1 X3E8 Y2 Z3\nS1 X1 Y2 Z3 W0 ;\x1b\x9b\nN1000\n");
    QVERIFY(TestSupport::Write_Bytes(Path("j.oad"), bytes));
    QVERIFY(TestSupport::Write_Bytes(Path("k.oad"), "S1 X3E8 Y2 Z3\nS1 X1 Y2 Z3\nN1000\n"));
    const auto json = [this](const QStringList &arguments, int status) {
        const Result result = Run(QStringLiteral(OADTOOL_PATH), arguments, QByteArray());
        // Raw control characters would reach a terminal that shows the JSON.
        for (const QChar c : result.out)
            if ((c < ' ' && c != '\n') || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
                return QJsonObject();
        return result.status == status ? QJsonDocument::fromJson(result.out.toUtf8()).object()
                                       : QJsonObject();
    };
    const QJsonObject check = json({"--json", "check", "j.oad"}, 1);
    QCOMPARE(check.value("file").toString(), QString("j.oad"));
    QStringList kinds;
    for (const QJsonValue finding : check.value("findings").toArray())
        kinds << finding.toObject().value("kind").toString();
    QCOMPARE(kinds, QStringList({"missing-field", "control-byte", "duplicate-parameter"}));

    const QJsonArray lines = json({"show", "j.oad", "--json"}, 0).value("lines").toArray();
    QCOMPARE(lines.at(1).toObject().value("text").toString(),
             QString::fromLatin1("S1 X1 Y2 Z3 W0 ;\x1b\x9b"));
    const QJsonObject x = lines.at(0).toObject().value("fields")[0].toObject();
    QCOMPARE(x.value("int").toInt(), 1000);
    QCOMPARE(x.value("mm").toString(), QString("1.0000"));
    QCOMPARE(x.value("help").toString(), QString("X axis maximum velocity"));

    const QJsonObject diff = json({"--json", "diff", "j.oad", "k.oad"}, 1);
    QVERIFY(!diff.value("equal").toBool(true));
    QCOMPARE(diff.value("resolution_source_b").toString(), QString("file"));
    QCOMPARE(diff.value("resolution_line_b").toInt(), 3);
    const QJsonArray differences = diff.value("differences").toArray();
    QCOMPARE(differences.size(), 2);
    const QJsonObject w = differences.at(0).toObject();
    QCOMPARE(w.value("kind").toString(), QString("field"));
    QCOMPARE(w.value("token").toString() + w.value("letter").toString(), QString("S1W"));
    QVERIFY(w.value("a").toObject().value("present").toBool());
    QVERIFY(!w.value("b").toObject().value("present").toBool(true));
    QCOMPARE(differences.at(1).toObject().value("kind").toString(), QString("line-text"));
    QVERIFY(json({"--json", "diff", "k.oad", "k.oad"}, 0).value("equal").toBool());
    // A file that cannot be read is an object too, as for show and check.
    const QJsonObject unread = json({"--json", "diff", "k.oad", "missing.oad"}, 2);
    QCOMPARE(unread.value("file").toString(), QString("missing.oad"));
    QVERIFY(unread.value("error").toString().startsWith("cannot read missing.oad"));
}

// Texts as a terminal gets them, and as JSON, which never hides a character either.
void TstOadtool::escaping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("direction marks")
        << QString::fromUtf8("a\u202Eb\u2066c\u200E\u200Fd") << "a\\u202eb\\u2066c\\u200e\\u200fd"
        << QByteArray("\"a\\u202eb\\u2066c\\u200e\\u200fd\"");
    QTest::newRow("controls") << QString::fromLatin1("\x1b[31m\x85\x7f") << "\\x1b[31m\\x85\\x7f"
                              << QByteArray("\"\\u001b[31m\\u0085\\u007f\"");
    QTest::newRow("backslash, quote, line ends")
        << QString("a\\\"b\nc\td\r") << "a\\\\\"b\\x0ac\\x09d\\x0d"
        << QByteArray("\"a\\\\\\\"b\\nc\\td\\r\"");
    // Longer than the writer's buffer: escapes and UTF-8 stay whole where it is written out.
    QTest::newRow("long text") << QString::fromUtf8("a\\\u00E9").repeated(30000)
                               << QString::fromUtf8("a\\\\\u00E9").repeated(30000)
                               << "\"" + QByteArray("a\\\\\xC3\xA9").repeated(30000) + "\"";
    QTest::newRow("beyond Latin-1") << QString::fromUtf8("\u20AC \U0001F600 \u2028")
                                    << QString::fromUtf8("\u20AC \U0001F600 \u2028")
                                    << QByteArray("\"\u20AC \U0001F600 \u2028\"");
}

void TstOadtool::escaping()
{
    QFETCH(QString, text);
    QTEST(Oad::Shown(text), "shown");
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Oad::TConsole console(out, err);
    {
        Oad::TJsonWriter json(console);
        json.Begin_Object();
        json.Key("t").Text(text);
        json.End_Object();
    }
    QFETCH(QByteArray, json);
    QCOMPARE(out.data(), "{\n    \"t\": " + json + "\n}\n");
}

// What needs a shell: devices, odd file names, links, modes, users and parallel runs.
void TstOadtool::shell_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QString>("who"); // "root" or "user" runs the row; empty: both

    const auto row = [](const char *name, const QString &script, const QString &out, int status,
                        const QString &err = QString(), const QString &who = QString()) {
        QTest::newRow(name) << script << out << status << err << who;
    };
    row("full standard output", "\"$OADTOOL\" show a.oad > /dev/full", "", 2,
        "cannot write to standard output: No space left");
    // Equal as far as read is no answer; a difference in what was read is one.
    row("diff of files larger than 16 MiB",
        "x() { printf 'S2 Q%s\\n' $1; head -c 17000000 /dev/zero | tr '\\0' x; }\n"
        "x 1 > big.oad; x 1 > same.oad; x 2 > other.oad; \"$OADTOOL\" diff big.oad same.oad; "
        "echo $?;\n\"$OADTOOL\" diff big.oad other.oad; echo $?; rm big.oad same.oad other.oad",
        "2\n--- big.oad  scale resolution 10000 (default)\n+++ other.oad  scale resolution 10000 "
        "(default)\nS2.Q  line 1 / line 1  Maximum 3D acceleration\n  - 1  hex 1  mm 0.0001\n"
        "  + 2  hex 2  mm 0.0002\n1\n",
        0,
        "oadtool: cannot tell whether the files are equal: big.oad is larger than 16777216 "
        "bytes, and only that much of it is read\noadtool: warning: big.oad is larger");
    // Written, but not reported: neither 0 nor the 2 that means nothing was written.
    row("set with full standard output",
        "\"$OADTOOL\" set a.oad S2.Q=5 > /dev/full; echo $?; cat a.oad", "3\nS2 Q5\nN10000\n", 0,
        "a.oad is written; only this report of it is lost");
    // Unbounded reading ran out of memory here. AddressSanitizer reserves terabytes of
    // address space at start, so the bound can only be checked in a plain build.
#ifdef __SANITIZE_ADDRESS__
    const QString memory_limit;
#else
    const QString memory_limit = QStringLiteral("ulimit -v 600000; ");
#endif
    row("endless file", memory_limit + "\"$OADTOOL\" check /dev/zero",
        "/dev/zero:0: no scale resolution line: the file has no text\n/dev/zero:1: The file is "
        "larger than 16 MiB; reading stopped in line 1, and a save drops the rest.\n"
        "/dev/zero:1: Line 1 holds a NUL byte; a save drops the rest of that line.\n",
        1);
    row("name not in the locale's encoding",
        "n=$(printf 'caf\\351.oad'); cp a.oad \"$n\"; \"$OADTOOL\" set \"$n\" S2.Q=5; s=$?; rm "
        "\"$n\"; exit $s",
        "caf\\xe9.oad: scale resolution 10000 (line 2)\ncaf\\xe9.oad:1: S2.Q: Q1 -> Q5 (1 -> "
        "5)\n",
        0);
    // Blanks and quotes in names reach xargs as they are.
    row("check --quiet to xargs",
        "mkdir -p q && cd q && cp ../a.oad . && printf 'S5 V\\n' > \"my file.oad\" &&\n"
        "printf 'S5 V\\n' > \"it's.oad\" && "
        "\"$OADTOOL\" check --quiet *.oad | xargs printf '<%s>\\n'",
        "<it's.oad>\n<my file.oad>\n", 0);
    // JSON names read back byte for byte: \\ is a backslash, \xHH a byte.
    row("JSON names: a backslash and a byte",
        "printf 'S2 Q1\\n' > 'a\\xe4.oad'; n=$(printf 'a\\344.oad'); printf 'S2 Q1\\n' > \"$n\"\n"
        "\"$OADTOOL\" check --json 'a\\xe4.oad' \"$n\" | grep '\"file\"'",
        "    \"file\": \"a\\\\\\\\xe4.oad\",\n    \"file\": \"a\\\\xe4.oad\",\n", 0,
        "2 files read");
    // A name that a terminal would show reordered, or with an invisible mark.
    row("direction marks in names",
        "a=$(printf 'report\\342\\200\\256dao.txt'); b=$(printf "
        "'x\\342\\201\\246y\\342\\200\\216');\n"
        "printf 'S5 V\\n' > \"$a\"; printf 'S5 V\\n' > \"$b\"\n"
        "\"$OADTOOL\" check --quiet \"$a\" \"$b\"; \"$OADTOOL\" check --json \"$a\" | grep "
        "'\"file\"'",
        "report\\xe2\\x80\\xaedao.txt\nx\\xe2\\x81\\xa6y\\xe2\\x80\\x8e\n"
        "    \"file\": \"report\\\\xe2\\\\x80\\\\xaedao.txt\",\n",
        0);
    row("hard link", "ln a.oad h.oad; \"$OADTOOL\" set a.oad S2.Q=5; cat h.oad; rm h.oad",
        "S2 Q1\nN10000\n", 0, "a.oad has 2 hard links");
    row("read-only file refused to its owner", "chmod 444 a.oad; \"$OADTOOL\" set a.oad S2.Q=5", "",
        2, "cannot write a.oad: Permission denied", "user");
    // A group member may write the file but not give a copy of it the owner's name.
    row("group member edits a shared file in place",
        "chmod 777 .; chown 0:4321 a.oad; chmod 664 a.oad; setpriv --reuid=65534 --regid=65534 "
        "--groups=4321 \"$OADTOOL\" set a.oad S2.Q=5 >/dev/null; stat -c %a.%u.%g a.oad; "
        "cat a.oad; ls a.oad*",
        "664.0.4321\nS2 Q5\nN10000\na.oad\n", 0, "", "root");
    // Every run gets the lock in turn and reads what the one before it wrote.
    row("parallel set runs",
        "for trial in 1 2 3 4 5; do printf 'S1 X0 Y0 Z0 W0\\n' > c.oad\n"
        "  for f in X Y Z W; do \"$OADTOOL\" set c.oad S1.$f=$trial >/dev/null & done; wait\n"
        "  \"$OADTOOL\" get c.oad S1.X S1.Y S1.Z S1.W | tr '\\n' ' '; done",
        "1 1 1 1 2 2 2 2 3 3 3 3 4 4 4 4 5 5 5 5 ", 0);
    // 70 runs at once on 70 fields, half through a symbolic link: no update is lost.
    row("parallel set runs through a link and the real path",
        "mkdir real; ln -s real/c.oad link.oad; fields=\n"
        "for p in 60 61 62 63 64 65 66 67 68 69 6A 6B 6C 6D 6E 6F 1 9; do\n"
        "  printf 'S%s X0 Y0 Z0 W0\\n' $p; for f in X Y Z W; do fields=\"$fields S$p.$f\"; done\n"
        "done > real/c.oad; set -- $fields; shift 2; i=0\n"
        "for f; do i=$((i + 1)); [ $((i % 2)) = 0 ] && n=link.oad || n=real/c.oad\n"
        "  \"$OADTOOL\" set $n $f=1 >/dev/null & done; wait\n"
        "\"$OADTOOL\" get real/c.oad \"$@\" | grep -c '^1$'; ls real",
        "70\nc.oad\n", 0);
    row("FIFO refused at once, no lock left",
        "mkfifo f.oad; timeout 10 \"$OADTOOL\" set f.oad S2.Q=5; echo $?; ls f.oad*", "2\nf.oad\n",
        0, "cannot edit f.oad: It is not a regular file but a device, FIFO or socket");
    row("lock file that cannot be made",
        "mkdir d; cp a.oad d; chmod 555 d; \"$OADTOOL\" set d/a.oad S2.Q=5; s=$?; chmod 755 d; "
        "exit $s",
        "", 2, "d/a.oad.lock cannot be made: Permission denied; nothing written", "user");
}

void TstOadtool::shell()
{
    QFETCH(QString, script);
    QFETCH(QString, err);
    QFETCH(QString, who);
    if (!who.isEmpty() && (who == QLatin1String("root")) != (::geteuid() == 0))
        QSKIP("for the other kind of user: the tests run as root and as another user");
    QFile::remove(Path("a.oad")); // a row before may have left it read-only
    QVERIFY(TestSupport::Write_Bytes(Path("a.oad"), "S2 Q1\nN10000\n"));
    const Result result = Run(QStringLiteral("/bin/sh"), {"-c", script}, QByteArray());
    QTEST(result.out, "out");
    QVERIFY2(err.isEmpty() ? result.err.isEmpty() : result.err.contains(err),
             qPrintable(result.err));
    QTEST(result.status, "status");
}

// Another program replaces or deletes the file between reading and writing: set must
// notice instead of overwriting the other's work or bringing the file back.
void TstOadtool::changedWhileEditing_data()
{
    QTest::addColumn<QByteArray>("other"); // what the other program leaves; empty: deletes
    QTest::newRow("replaced") << QByteArray("S2 Q7\nN10000\n");
    QTest::newRow("deleted") << QByteArray();
}

void TstOadtool::changedWhileEditing()
{
    QFETCH(QByteArray, other);
    const QString path = Path("w.oad");
    QVERIFY(TestSupport::Write_Bytes(path, "S2 Q1\nN10000\n"));
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Oad::TConsole console(out, err);
    Oad::Options options;
    options.arguments = QStringList{path, "S2.Q=5"};
    Oad::SetRequest request;
    QString error;
    QVERIFY(Oad::Parse_Set(options, &request, &error));
    Oad::SetPlan plan;
    QCOMPARE(Oad::Plan_Set(request, options, console, &plan), Oad::Exit_Ok);
    QVERIFY(QFile::remove(path));
    if (!other.isEmpty())
        QVERIFY(TestSupport::Write_Bytes(path, other));
    QCOMPARE(Oad::Save_Set(plan, console), Oad::Exit_Trouble);
    QVERIFY2(err.data().contains("changed while editing; nothing written"), err.data());
    QCOMPARE(QFile::exists(path), !other.isEmpty());
    if (!other.isEmpty())
        QCOMPARE(TestSupport::Read_Bytes(path), other);
}

// The peak resident memory of one oadtool run in KiB, its output discarded; -1 when it did
// not end with status 0 or 1. wait4 gives the usage of that child alone.
long TstOadtool::Peak_Kib(const QStringList &arguments)
{
    QVector<QByteArray> strings{QByteArrayLiteral(OADTOOL_PATH)};
    for (const QString &argument : arguments)
        strings.append(argument.toLocal8Bit());
    QVector<char *> argv;
    for (QByteArray &string : strings)
        argv.append(string.data());
    argv.append(nullptr);
    const QByteArray directory = QFile::encodeName(d_dir.path());
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (::chdir(directory.constData()) == 0 && ::dup2(null, 1) >= 0 && ::dup2(null, 2) >= 0)
            ::execv(argv.at(0), argv.data());
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) > 1)
        return -1;
    return usage.ru_maxrss;
}

// A line as long as a file may be costs a few times its size, not a copy for every step.
void TstOadtool::longLineMemory_data()
{
    QTest::addColumn<QStringList>("arguments");
    const QStringList commands[] = {{"show", "long.oad"},
                                    {"check", "long.oad"},
                                    {"get", "long.oad", "S1.Z"},
                                    {"diff", "long.oad", "short.oad"},
                                    {"diff", "long.oad", "other.oad"},
                                    {"show", "--json", "long.oad"},
                                    {"diff", "--json", "long.oad", "short.oad"}};
    for (const QStringList &arguments : commands)
        QTest::newRow(qPrintable(arguments.join(' '))) << arguments;
}

void TstOadtool::longLineMemory()
{
#ifdef __SANITIZE_ADDRESS__
    QSKIP("AddressSanitizer keeps freed memory in quarantine");
#endif
    QFETCH(QStringList, arguments);
    if (!QFile::exists(Path("long.oad"))) {
        // Latin-1 letters, runs of blanks and backslashes: each is decoded, simplified or
        // escaped on the way. 15 MiB in all, under the 16 MiB that is read.
        const QByteArray words = QByteArray("Pr\xFC"
                                            "fstand  a\\bc ")
                                     .repeated(15 * 1024 * 1024 / 16);
        QVERIFY(TestSupport::Write_Bytes(Path("long.oad"), "S1 X3E8 Y7D0 ; " + words + "\n"));
        QVERIFY(TestSupport::Write_Bytes(Path("other.oad"), "S1 X3E8 Y7D0 ; x" + words + "\n"));
        QVERIFY(TestSupport::Write_Bytes(Path("short.oad"), "S1 X3E8 Y7D0\nN10000\n"));
    }
    qint64 input = 0;
    for (const QString &argument : arguments)
        input += QFileInfo(Path(argument)).isFile() ? QFileInfo(Path(argument)).size() : 0;
    // Measured against the same run on short files, which is what the program itself needs.
    QStringList short_arguments = arguments;
    short_arguments.replaceInStrings(QRegularExpression("^(long|other)\\.oad$"), "short.oad");
    const long base = Peak_Kib(short_arguments);
    const long peak = Peak_Kib(arguments);
    QVERIFY(base > 0 && peak > 0);
    QVERIFY2(peak - base < 4 * input / 1024,
             qPrintable(QString("%1 KiB over %2 KiB for %3 KiB of input")
                            .arg(peak - base)
                            .arg(base)
                            .arg(input / 1024)));
}

QTEST_GUILESS_MAIN(TstOadtool)
#include "tst_oadtool.moc"
