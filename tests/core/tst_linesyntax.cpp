#include "linesyntax.h"

#include <QProcess>
#include <QtTest>

class tst_LineSyntax : public QObject
{
    Q_OBJECT

private slots:
    void parameterNumber_data();
    void parameterNumber();
    void field_data();
    void field();
    void rewriteFields_data();
    void rewriteFields();
    void programmingErrorsStopTheProgram_data();
    void programmingErrorsStopTheProgram();
};

void tst_LineSyntax::parameterNumber_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("number");

    const auto row = [](const char *token, int number) {
        QTest::addRow("\"%s\"", token) << QString(token) << number;
    };
    // clang-format off
    row("S1F", 31); row("S6F", 111); row("S00", 0); row("", -1); row("S", -1); row("s1", -1);
    row("X1", -1); row("SZ", -1); row("S80000000", -1); row("SFFFFFFFF", -1); // beyond int
    // clang-format on
}

void tst_LineSyntax::parameterNumber()
{
    QFETCH(QString, token);
    QTEST(LineSyntax::Get_Parameter_Number(token), "number");
}

// The line split at its S token, one field read from the rest and rewritten there.
void tst_LineSyntax::field_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("number"); // -1: no S token
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<quint32>("value");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("new_text");
    QTest::addColumn<QString>("rewritten");

    const auto row = [](const char *line, int number, char letter, quint32 value, bool found,
                        const char *new_text, const char *rewritten) {
        QTest::addRow("%s %c", line, letter) << QString(line) << number << QChar(letter) << value
                                             << found << QString(new_text) << QString(rewritten);
    };
    row("S1 X3E8 Y0", 1, 'X', 1000, true, "7D0", "S1 X7D0 Y0");
    row("S12X1", 18, 'X', 1, true, "2", "S12X2");
    row("S123X10", 18, 'X', 16, true, "F", "S123XF");
    row("s1x10", -1, 'X', 0, false, "5", "s1x10");
    row("Sa1 X1", -1, 'X', 0, false, "5", "Sa1 X1");
    row("S1x10", 1, 'X', 0, false, "5", "S1x10");
    row("S1X", 1, 'X', 0, true, "10", "S1X10");
    row("S1Y5", 1, 'X', 0, false, "1", "S1Y5");
    row("S1X123456789", 1, 'X', 0x12345678, true, "5", "S1X59");
    row("S1X1a", 1, 'X', 1, true, "FF", "S1XFFa");
    row("S1XFFFFFFFF", 1, 'X', 4294967295u, true, "0", "S1X0");
    row("S1 X1 Y2 Z3 ;WAIT", 1, 'W', 10, true, "D", "S1 X1 Y2 Z3 ;WDIT");
    row("SAFE S5 V1", 175, 'V', 1, true, "2", "SAFE S5 V2");
    row("SG S2 Q1", 2, 'Q', 1, true, "2", "SG S2 Q2");
    row("S1 X1 X2", 1, 'X', 1, true, "7", "S1 X7 X2");
    row("X5 S1 X3E8", 1, 'X', 1000, true, "7", "X5 S1 X7");
    row("S1 X00000010", 1, 'X', 16, true, "1", "S1 X1");
    row("S1 X3E8 Y1", 1, 'X', 1000, true, "", "S1 X Y1"); // an empty rewrite leaves the letter
    row("S1 X3", 1, 'X', 3, true, "%1", "S1 X%1");
}

void tst_LineSyntax::field()
{
    QFETCH(QString, line);
    QFETCH(QChar, letter);
    QFETCH(bool, found);
    QFETCH(QString, new_text);
    const LineSyntax::Split split = LineSyntax::Split_Line(line);
    QTEST(split.is_parameter_line ? split.parameter_number : -1, "number");
    QString rest = split.is_parameter_line ? line.mid(split.rest_start) : QString();
    bool valid = !found; // the operation must set it either way
    QTEST(LineSyntax::Get_Field_Value(letter, rest, &valid), "value");
    QCOMPARE(valid, found);
    // The editor's reading of the whole line finds the same field.
    for (const LineSyntax::FieldReading &field :
         LineSyntax::Read_Parameter_Line(line, TParameterTable()).fields) {
        if (field.item.letter == letter) {
            QCOMPARE(field.present, found);
            QTEST(static_cast<quint32>(field.value), "value");
        }
    }
    QCOMPARE(LineSyntax::Set_Field_Value(letter, new_text, rest), found);
    QTEST(split.is_parameter_line ? line.left(split.rest_start) + rest : line, "rewritten");
}

void tst_LineSyntax::rewriteFields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QVector<qint32>>("values");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("missing");

    const auto row = [](const char *name, const char *line, const char *letters,
                        const QVector<qint32> &values, const char *expected, const char *missing) {
        QTest::newRow(name) << QString(line) << QString(letters) << values << QString(expected)
                            << QString(missing);
    };
    row("order of the line kept", "S1 W1 Z2 Y3 X4", "XYZW", {10, 11, 12, 13}, "S1 WD ZC YB XA", "");
    row("unassigned fields keep their digits", "S1 X003E8 Y0007D0 ;Yaw", "Y", {1},
        "S1 X003E8 Y1 ;Yaw", "");
    row("missing fields not added", "S1 X3E8", "XYZW", {10, 11, 12, 13}, "S1 XA", "YZW");
    row("letter only before token", "X5 S1 Y1", "XY", {7, 8}, "X5 S1 Y8", "X");
    row("letter before and after token", "X5 S1 X3E8", "X", {7}, "X5 S1 X7", "");
    row("negative: two's complement", "S1 X1", "X", {-1}, "S1 XFFFFFFFF", "");
    row("no S token", "N1000 X1", "X", {5}, "N1000 X1", "X");
    // Nine digits: X holds the first eight; written short, the ninth would join it.
    row("field before more digits keeps eight", "S1 X000000001 Y2", "XY", {0, 5},
        "S1 X000000001 Y5", "");
    row("edited field before more digits", "S1X123456789", "X", {5}, "S1X000000059", "");
}

void tst_LineSyntax::rewriteFields()
{
    QFETCH(QString, line);
    QFETCH(QString, letters);
    QFETCH(QVector<qint32>, values);
    QVector<LineSyntax::FieldAssignment> assignments;
    for (int i = 0; i < letters.size(); ++i)
        assignments.append({letters.at(i), values.at(i)});
    QString missing;
    QTEST(LineSyntax::Rewrite_Fields(line, assignments, &missing), "expected");
    QTEST(missing, "missing");
}

// A programming error ends the program, so each runs in a child: this same executable,
// started with the variable set, makes the wrong call.
void tst_LineSyntax::programmingErrorsStopTheProgram_data()
{
    QTest::addColumn<QString>("expression");
    QTest::newRow("missing valid flag") << "valid";
}

void tst_LineSyntax::programmingErrorsStopTheProgram()
{
    QFETCH(QString, expression);
    const QByteArray tag = QTest::currentDataTag();
    if (qgetenv("TST_LINESYNTAX_CRASH") == tag) {
        LineSyntax::Get_Field_Value('X', QStringLiteral("X1"), nullptr);
        QFAIL("the program went on after a programming error");
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TST_LINESYNTAX_CRASH"), QString::fromLatin1(tag));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {"programmingErrorsStopTheProgram:" + QString::fromLatin1(tag)});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QString error = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("`%1' failed").arg(expression)), qPrintable(error));
}

QTEST_GUILESS_MAIN(tst_LineSyntax)
#include "tst_linesyntax.moc"
