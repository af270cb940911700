#include "linesyntax.h"
#include "parametertable.h"

#include <QProcess>
#include <QtTest>

namespace {

// A description built here rather than taken from the table, so these tests only
// exercise the grammar.
ParameterDescription Description_Of(const QString &letters)
{
    ParameterDescription description;
    description.number = 1;
    for (const QChar letter : letters)
        description.items.append({letter, false, QString()});
    return description;
}

const char *const Crash_Variable = "TST_LINESYNTAX_CRASH";

} // namespace

class tst_LineSyntax : public QObject
{
    Q_OBJECT

private slots:
    void splitLine_data();
    void splitLine();
    void parameterNumber_data();
    void parameterNumber();
    void fieldValue_data();
    void fieldValue();
    void setFieldValue_data();
    void setFieldValue();
    void emptyValueReadsBackAsZero();
    void rewriteLine_data();
    void rewriteLine();
    void programmingErrorsStopTheProgram_data();
    void programmingErrorsStopTheProgram();
};

void tst_LineSyntax::splitLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("is_parameter_line");
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("rest_start");
    QTest::addColumn<QString>("rest");

    QTest::newRow("fields with spaces") << "S1 X3E8 Y0" << true << "S1" << 1 << 2 << " X3E8 Y0";
    QTest::newRow("number is hexadecimal") << "S12X1" << true << "S12" << 18 << 3 << "X1";
    QTest::newRow("two digits at most") << "S123X10" << true << "S12" << 18 << 3 << "3X10";
    QTest::newRow("highest described") << "S6F X1" << true << "S6F" << 111 << 3 << " X1";
    QTest::newRow("lower-case s") << "s1x10" << false << "" << -1 << 0 << "";
    QTest::newRow("lower-case digit") << "Sa1" << false << "" << -1 << 0 << "";
    QTest::newRow("lower-case field letter") << "S1x10" << true << "S1" << 1 << 2 << "x10";
    QTest::newRow("first S token wins") << "SAFE S5" << true << "SAF" << 175 << 3 << "E S5";
    QTest::newRow("S without digit skipped") << "SG S2 X1" << true << "S2" << 2 << 5 << " X1";
    QTest::newRow("text before token") << "X5 S1 X3E8" << true << "S1" << 1 << 5 << " X3E8";
    QTest::newRow("token alone") << "SFF" << true << "SFF" << 255 << 3 << "";
    QTest::newRow("empty line") << "" << false << "" << -1 << 0 << "";
    QTest::newRow("scale line") << "N10000" << false << "" << -1 << 0 << "";
}

void tst_LineSyntax::splitLine()
{
    QFETCH(QString, line);
    const LineSyntax::Split split = LineSyntax::Split_Line(line);
    QTEST(split.is_parameter_line, "is_parameter_line");
    if (!split.is_parameter_line)
        return;
    QTEST(split.token, "token");
    QTEST(split.parameter_number, "number");
    QTEST(split.rest_start, "rest_start");
    QTEST(split.rest, "rest");
}

void tst_LineSyntax::parameterNumber_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("number");

    QTest::newRow("S1") << "S1" << 1;
    QTest::newRow("SC") << "SC" << 12;
    QTest::newRow("S10") << "S10" << 16;
    QTest::newRow("S1F") << "S1F" << 31;
    QTest::newRow("S6F") << "S6F" << 111;
    QTest::newRow("SFF") << "SFF" << 255;
    QTest::newRow("S00") << "S00" << 0;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("S alone") << "S" << -1;
    QTest::newRow("lower-case s") << "s1" << -1;
    QTest::newRow("other letter") << "X1" << -1;
    QTest::newRow("no hex digits") << "SZ" << -1;
    // Longer than any token; such a number must not come back as a negative int.
    QTest::newRow("beyond int") << "S80000000" << -1;
    QTest::newRow("all bits") << "SFFFFFFFF" << -1;
}

void tst_LineSyntax::parameterNumber()
{
    QFETCH(QString, token);
    QTEST(LineSyntax::Get_Parameter_Number(token), "number");
}

void tst_LineSyntax::fieldValue_data()
{
    // Fields are read from the rest of the line, as the editor does.
    QTest::addColumn<QString>("line");
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<quint32>("value");
    QTest::addColumn<bool>("valid");

    QTest::newRow("X 3E8") << "S1 X3E8 Y0" << QChar('X') << 1000u << true;
    QTest::newRow("Y 0") << "S1 X3E8 Y0" << QChar('Y') << 0u << true;
    QTest::newRow("absent letter") << "S1 X3E8 Y0" << QChar('Z') << 0u << false;
    QTest::newRow("after three-digit S") << "S123X10" << QChar('X') << 16u << true;
    QTest::newRow("lower-case letter") << "S1x10" << QChar('X') << 0u << false;
    QTest::newRow("bare letter") << "S1X" << QChar('X') << 0u << true;
    QTest::newRow("other letter only") << "S1Y5" << QChar('X') << 0u << false;
    QTest::newRow("eight digits at most") << "S1X123456789" << QChar('X') << 0x12345678u << true;
    QTest::newRow("lower-case digit ends field") << "S1X1a" << QChar('X') << 1u << true;
    QTest::newRow("all bits") << "S1XFFFFFFFF" << QChar('X') << 4294967295u << true;
    QTest::newRow("W in comment") << "S1 X1 Y2 Z3 ;WAIT" << QChar('W') << 10u << true;
    QTest::newRow("first occurrence") << "S1 X1 X2" << QChar('X') << 1u << true;
    QTest::newRow("letter before token ignored") << "X5 S1 X3E8" << QChar('X') << 1000u << true;
    QTest::newRow("letter only before token") << "X5 S1 Y1" << QChar('X') << 0u << false;
    QTest::newRow("L field") << "S6 U10 L20" << QChar('L') << 32u << true;
}

void tst_LineSyntax::fieldValue()
{
    QFETCH(QString, line);
    QFETCH(QChar, letter);
    QFETCH(bool, valid);
    bool found = !valid; // the operation must set it either way
    const quint32 value =
        LineSyntax::Get_Field_Value(letter, LineSyntax::Split_Line(line).rest, &found);
    QTEST(value, "value");
    QCOMPARE(found, valid);
}

void tst_LineSyntax::setFieldValue_data()
{
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ninth digit stays") << QChar('X') << "5"
                                       << "S1X123456789" << true << "S1X59";
    QTest::newRow("lower-case digit stays") << QChar('X') << "FF"
                                            << "S1X1a" << true << "S1XFFa";
    QTest::newRow("middle field") << QChar('Y') << "7D0"
                                  << "S1 X3E8 Y0 Z0" << true << "S1 X3E8 Y7D0 Z0";
    QTest::newRow("bare letter filled") << QChar('X') << "10"
                                        << "S1 X Y2" << true << "S1 X10 Y2";
    QTest::newRow("no leading zeros added") << QChar('X') << "1"
                                            << "S1 X00000010" << true << "S1 X1";
    QTest::newRow("first occurrence only") << QChar('X') << "7"
                                           << "S1 X1 X2" << true << "S1 X7 X2";
    QTest::newRow("missing field not added") << QChar('Z') << "5"
                                             << "S1 X1 Y2" << false << "S1 X1 Y2";
    QTest::newRow("lower-case letter is another") << QChar('X') << "5"
                                                  << "S1 x1" << false << "S1 x1";
    QTest::newRow("value taken literally") << QChar('X') << "%1"
                                           << "S1 X3" << true << "S1 X%1";
}

void tst_LineSyntax::setFieldValue()
{
    QFETCH(QChar, letter);
    QFETCH(QString, value);
    QFETCH(QString, line);
    QTEST(LineSyntax::Set_Field_Value(letter, value, line), "replaced");
    QTEST(line, "expected");
}

void tst_LineSyntax::emptyValueReadsBackAsZero()
{
    QString line = QStringLiteral("S1 X3E8 Y0");
    QVERIFY(LineSyntax::Set_Field_Value('X', QString(), line));
    QCOMPARE(line, QStringLiteral("S1 X Y0"));
    bool valid = false;
    QCOMPARE(LineSyntax::Get_Field_Value('X', LineSyntax::Split_Line(line).rest, &valid), 0u);
    QVERIFY(valid);
}

void tst_LineSyntax::rewriteLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QStringList>("hex_texts");
    QTest::addColumn<QString>("expected");

    const QStringList abcd{"A", "B", "C", "D"};
    QTest::newRow("all fields") << "S1 X3E8 Y7D0 Z0 W0"
                                << "XYZW" << abcd << "S1 XA YB ZC WD";
    QTest::newRow("order of the line kept") << "S1 W1 Z2 Y3 X4"
                                            << "XYZW" << abcd << "S1 WD ZC YB XA";
    QTest::newRow("missing fields not added") << "S1 X3E8"
                                              << "XYZW" << abcd << "S1 XA";
    QTest::newRow("letter before token untouched") << "X5 S1 X3E8"
                                                   << "X" << QStringList{"7"} << "X5 S1 X7";
    QTest::newRow("letter only before token") << "X5 S1 Y1"
                                              << "XY" << QStringList{"7", "8"} << "X5 S1 Y8";
    QTest::newRow("token digits untouched") << "S12X1"
                                            << "XYZW" << abcd << "S12XA";
    QTest::newRow("digit after short token") << "S123X10"
                                             << "X" << QStringList{"F"} << "S123XF";
    QTest::newRow("ninth digit stays") << "S1X123456789"
                                       << "X" << QStringList{"5"} << "S1X59";
    QTest::newRow("comment letter is a field") << "S1 X1 Y2 Z3 ;WAIT"
                                               << "XYZW" << abcd << "S1 XA YB ZC ;WDIT";
    QTest::newRow("empty text leaves letter") << "S1 X3E8 Y1"
                                              << "XY" << QStringList{"", "2"} << "S1 X Y2";
    QTest::newRow("extra texts ignored") << "S2 Q10"
                                         << "Q" << abcd << "S2 QA";
    QTest::newRow("no token") << "; X1 Y2"
                              << "XY" << QStringList{"7", "8"} << "; X1 Y2";
    QTest::newRow("empty line") << ""
                                << "X" << QStringList{"7"} << "";
    QTest::newRow("no items") << "S1 X1"
                              << "" << QStringList() << "S1 X1";
}

void tst_LineSyntax::rewriteLine()
{
    QFETCH(QString, line);
    QFETCH(QString, letters);
    QFETCH(QStringList, hex_texts);
    QTEST(LineSyntax::Rewrite_Line(line, Description_Of(letters), hex_texts), "expected");
}

// The checks of programming errors end the program, so they run in a child process: this
// same executable, started with the crash variable set, calls the operation wrongly.
void tst_LineSyntax::programmingErrorsStopTheProgram_data()
{
    QTest::addColumn<QString>("expression");
    QTest::newRow("missing valid flag") << "valid";
    QTest::newRow("too few hex texts") << "hex_texts.size() >= description.items.size()";
}

void tst_LineSyntax::programmingErrorsStopTheProgram()
{
    QFETCH(QString, expression);
    const QByteArray tag = QTest::currentDataTag();
    if (qgetenv(Crash_Variable) == tag) {
        if (tag == "missing valid flag")
            LineSyntax::Get_Field_Value('X', QStringLiteral("X1"), nullptr);
        else
            LineSyntax::Rewrite_Line(QStringLiteral("S1 X1 Y2"), Description_Of("XY"), {"1"});
        QFAIL("the program went on after a programming error");
    }

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(Crash_Variable, QString::fromLatin1(tag));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("programmingErrorsStopTheProgram:") + QString::fromLatin1(tag)});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QString error = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("`%1' failed").arg(expression)), qPrintable(error));
}

QTEST_GUILESS_MAIN(tst_LineSyntax)
#include "tst_linesyntax.moc"
