#include "parametertable.h"

#include <QSet>
#include <QVector>
#include <QtTest>

#include <limits>

class tst_ParameterTable : public QObject
{
    Q_OBJECT

private slots:
    void describedParameter_data();
    void describedParameter();
    void undescribedNumber_data();
    void undescribedNumber();
    void onlyTheDescribedNumbersHaveItems();
};

namespace {

struct Expected
{
    int number;
    QString letters;
    bool scaled;
    QStringList help;
};

void Add_Row(QVector<Expected> &d, int number, const QString &letters, bool scaled,
             const QStringList &help)
{
    d.append({number, letters, scaled, help});
}

// Every described parameter, written out here apart from the table in the program.
QVector<Expected> Expected_Table()
{
    QVector<Expected> d;
    Add_Row(d, 1, "XYZW", true,
            {"X axis maximum velocity", "Y axis maximum velocity", "Z axis maximum velocity",
             "W axis maximum velocity"});
    Add_Row(d, 2, "Q", true, {"Maximum 3D acceleration"});
    Add_Row(d, 3, "XYZWU", false,
            {"X axis system gain", "Y axis system gain", "Z axis system gain", "W axis system gain",
             "All axis system gain"});
    Add_Row(d, 4, "U", false, {"Feedforward multiplier"});
    Add_Row(d, 5, "V", true, {"Probe maximum touch speed"});
    Add_Row(d, 6, "UL", true, {"Probe maximum overtravel limit", "Probe minimum overtravel limit"});
    Add_Row(d, 7, "U", false, {"DIGI lock gain"});
    Add_Row(d, 8, "U", true, {"Sample zone around hardware checkpoint"});
    Add_Row(d, 9, "XYZW", true,
            {"X axis positive hardware checkpoint", "Y axis positive hardware checkpoint",
             "Z axis positive hardware checkpoint", "W axis positive hardware checkpoint"});
    Add_Row(d, 12, "XYZW", false,
            {"X axis acceleration feed-forward (Tackless Motor)",
             "Y axis acceleration feed-forward (Tackless Motor)",
             "Z axis acceleration feed-forward (Tackless Motor)",
             "W axis acceleration feed-forward (Tackless Motor)"});
    Add_Row(d, 13, "XYZW", false,
            {"X axis PID derivitive gain (Tackless Motor)",
             "Y axis PID derivitive gain (Tackless Motor)",
             "Z axis PID derivitive gain (Tackless Motor)",
             "W axis PID derivitive gain (Tackless Motor)"});
    Add_Row(
        d, 14, "XYZW", false,
        {"X axis PID integral gain (Tackless Motor)", "Y axis PID integral gain (Tackless Motor)",
         "Z axis PID integral gain (Tackless Motor)", "W axis PID integral gain (Tackless Motor)"});
    Add_Row(d, 16, "XYZW", true,
            {"X axis negative hardware checkpoint", "Y axis negative hardware checkpoint",
             "Z axis negative hardware checkpoint", "W axis negative hardware checkpoint"});
    Add_Row(d, 17, "XYZW", true,
            {"X axis positive software limit", "Y axis positive software limit",
             "Z axis positive software limit", "W axis positive software limit"});
    Add_Row(d, 18, "XYZW", true,
            {"X axis negative software limit", "Y axis negative software limit",
             "Z axis negative software limit", "W axis negative software limit"});
    Add_Row(d, 19, "XYZW", true,
            {"X axis in position zone", "Y axis in position zone", "Z axis in position zone",
             "W axis in position zone"});
    Add_Row(d, 21, "QV", true, {"Slow continuous jog P1", "Slow continuous jog P2"});
    Add_Row(d, 22, "QV", true, {"Fast continuous jog P1", "Fast continuous jog P2"});
    Add_Row(d, 23, "QV", true, {"Fixed rate jog P1", "Fixed rate jog P2"});
    Add_Row(
        d, 24, "QVX", true,
        {"Slow incremental jog P1", "Slow incremental jog P2", "Slow incremental jog distance"});
    Add_Row(
        d, 25, "QVX", true,
        {"Fast incremental jog P1", "Fast incremental jog P2", "Fast incremental jog distance"});
    Add_Row(d, 26, "XYZW", true,
            {"X axis DIGI lock zone", "Y axis DIGI lock zone", "Z axis DIGI lock zone",
             "W axis DIGI lock zone"});
    Add_Row(d, 27, "Q", true, {"Jog acceleration multiplier (1000 = 100%)"});
    Add_Row(d, 29, "XYZ", false,
            {"X axis jog box polarity normal/reversed [0/FF]",
             "Y axis jog box polarity normal/reversed [0/FF]",
             "Z axis jog box polarity normal/reversed [0/FF]"});
    Add_Row(d, 37, "XYZWU", false,
            {"X axis resolution [0 to disable]", "Y axis resolution [0 to disable]",
             "Z axis resolution [0 to disable]", "W axis resolution [0 to disable]",
             "Motorized probe [9 enable, 0 disable]"});
    Add_Row(d, 38, "W", false, {"Rotary axis wrap count"});
    Add_Row(d, 41, "VXYZW", false,
            {"Homing interlock", "X axis home interlock", "Y axis home interlock",
             "Z axis home interlock", "W axis home interlock"});
    Add_Row(d, 42, "XYZW", false,
            {"X axis homing velocity constant", "Y axis homing velocity constant",
             "Z axis homing velocity constant", "W axis homing velocity constant"});
    Add_Row(d, 45, "U", false, {"Status report mask"});
    Add_Row(d, 82, "U", false, {"Vector reporting enabled/disabled [0/FF]"});
    for (int number = 96; number <= 111; ++number) {
        QStringList help;
        for (const QChar suffix : QStringLiteral("ABCD"))
            help << QStringLiteral("Flexible parameter %1%2").arg(number - 95).arg(suffix);
        if (number == 111)
            help[1] = QStringLiteral(
                "Flexible parameter 16B.\nProbe type (integer): PI6 [32], TTL [33], PICS [34]");
        Add_Row(d, number, "XYZW", false, help);
    }
    return d;
}

} // namespace

void tst_ParameterTable::describedParameter_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<bool>("scaled");
    QTest::addColumn<QStringList>("help");

    const QVector<Expected> table = Expected_Table();
    QCOMPARE(table.size(), 46);
    for (const Expected &row : table)
        QTest::addRow("%d", row.number) << row.number << row.letters << row.scaled << row.help;
}

void tst_ParameterTable::describedParameter()
{
    QFETCH(int, number);
    QFETCH(QString, letters);
    QFETCH(bool, scaled);
    QFETCH(QStringList, help);

    const TParameterTable table;
    const ParameterDescription description = table.Get_Description(number);
    QCOMPARE(description.number, number);
    QCOMPARE(description.items.size(), letters.size());
    for (int i = 0; i < description.items.size(); ++i) {
        const ParameterItem &item = description.items.at(i);
        QCOMPARE(item.letter, letters.at(i));
        QCOMPARE(item.scaled, scaled); // one flag for all items of a parameter
        QCOMPARE(item.help, help.at(i));
    }

    // Each call builds a fresh description; a second one must look the same.
    const ParameterDescription again = table.Get_Description(number);
    QCOMPARE(again.number, description.number);
    QCOMPARE(again.items.size(), description.items.size());
    for (int i = 0; i < again.items.size(); ++i) {
        QCOMPARE(again.items.at(i).letter, description.items.at(i).letter);
        QCOMPARE(again.items.at(i).scaled, description.items.at(i).scaled);
        QCOMPARE(again.items.at(i).help, description.items.at(i).help);
    }
}

void tst_ParameterTable::undescribedNumber_data()
{
    QTest::addColumn<int>("number");
    for (const int number : {0,
                             10,
                             11,
                             15,
                             20,
                             28,
                             30,
                             36,
                             39,
                             40,
                             43,
                             44,
                             46,
                             81,
                             83,
                             95,
                             112,
                             175,
                             255,
                             256,
                             -1,
                             -96,
                             std::numeric_limits<int>::min(),
                             std::numeric_limits<int>::max()})
        QTest::addRow("%d", number) << number;
}

void tst_ParameterTable::undescribedNumber()
{
    QFETCH(int, number);
    const ParameterDescription description = TParameterTable().Get_Description(number);
    QCOMPARE(description.number, -1);
    QVERIFY(description.items.isEmpty());
}

void tst_ParameterTable::onlyTheDescribedNumbersHaveItems()
{
    QSet<int> described;
    for (const Expected &row : Expected_Table())
        described.insert(row.number);
    const TParameterTable table;
    for (int number = -300; number <= 300; ++number) {
        const ParameterDescription description = table.Get_Description(number);
        const bool expected = described.contains(number);
        QVERIFY2(description.number == (expected ? number : -1),
                 qPrintable(QString::number(number)));
        QVERIFY2(description.items.isEmpty() != expected, qPrintable(QString::number(number)));
    }
}

QTEST_GUILESS_MAIN(tst_ParameterTable)
#include "tst_parametertable.moc"
