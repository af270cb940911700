#include "parametertable.h"

#include <QSet>
#include <QtTest>

#include <limits>

namespace {

struct Row
{
    int number;
    bool scaled;
    const char *letters;
    const char *help; // the items' help texts joined with '|'
};

// Every described parameter, written out here apart from the table in the program.
// clang-format off
const Row Described[] = {
    {1, true, "XYZW", "X axis maximum velocity|Y axis maximum velocity|Z axis maximum velocity|W axis maximum velocity"},
    {2, true, "Q", "Maximum 3D acceleration"},
    {3, false, "XYZWU", "X axis system gain|Y axis system gain|Z axis system gain|W axis system gain|All axis system gain"},
    {4, false, "U", "Feedforward multiplier"},
    {5, true, "V", "Probe maximum touch speed"},
    {6, true, "UL", "Probe maximum overtravel limit|Probe minimum overtravel limit"},
    {7, false, "U", "DIGI lock gain"},
    {8, true, "U", "Sample zone around hardware checkpoint"},
    {9, true, "XYZW", "X axis positive hardware checkpoint|Y axis positive hardware checkpoint|Z axis positive hardware checkpoint|W axis positive hardware checkpoint"},
    {12, false, "XYZW", "X axis acceleration feed-forward (Tackless Motor)|Y axis acceleration feed-forward (Tackless Motor)|Z axis acceleration feed-forward (Tackless Motor)|W axis acceleration feed-forward (Tackless Motor)"},
    {13, false, "XYZW", "X axis PID derivitive gain (Tackless Motor)|Y axis PID derivitive gain (Tackless Motor)|Z axis PID derivitive gain (Tackless Motor)|W axis PID derivitive gain (Tackless Motor)"},
    {14, false, "XYZW", "X axis PID integral gain (Tackless Motor)|Y axis PID integral gain (Tackless Motor)|Z axis PID integral gain (Tackless Motor)|W axis PID integral gain (Tackless Motor)"},
    {16, true, "XYZW", "X axis negative hardware checkpoint|Y axis negative hardware checkpoint|Z axis negative hardware checkpoint|W axis negative hardware checkpoint"},
    {17, true, "XYZW", "X axis positive software limit|Y axis positive software limit|Z axis positive software limit|W axis positive software limit"},
    {18, true, "XYZW", "X axis negative software limit|Y axis negative software limit|Z axis negative software limit|W axis negative software limit"},
    {19, true, "XYZW", "X axis in position zone|Y axis in position zone|Z axis in position zone|W axis in position zone"},
    {21, true, "QV", "Slow continuous jog P1|Slow continuous jog P2"},
    {22, true, "QV", "Fast continuous jog P1|Fast continuous jog P2"},
    {23, true, "QV", "Fixed rate jog P1|Fixed rate jog P2"},
    {24, true, "QVX", "Slow incremental jog P1|Slow incremental jog P2|Slow incremental jog distance"},
    {25, true, "QVX", "Fast incremental jog P1|Fast incremental jog P2|Fast incremental jog distance"},
    {26, true, "XYZW", "X axis DIGI lock zone|Y axis DIGI lock zone|Z axis DIGI lock zone|W axis DIGI lock zone"},
    {27, true, "Q", "Jog acceleration multiplier (1000 = 100%)"},
    {29, false, "XYZ", "X axis jog box polarity normal/reversed [0/FF]|Y axis jog box polarity normal/reversed [0/FF]|Z axis jog box polarity normal/reversed [0/FF]"},
    {37, false, "XYZWU", "X axis resolution [0 to disable]|Y axis resolution [0 to disable]|Z axis resolution [0 to disable]|W axis resolution [0 to disable]|Motorized probe [9 enable, 0 disable]"},
    {38, false, "W", "Rotary axis wrap count"},
    {41, false, "VXYZW", "Homing interlock|X axis home interlock|Y axis home interlock|Z axis home interlock|W axis home interlock"},
    {42, false, "XYZW", "X axis homing velocity constant|Y axis homing velocity constant|Z axis homing velocity constant|W axis homing velocity constant"},
    {45, false, "U", "Status report mask"},
    {82, false, "U", "Vector reporting enabled/disabled [0/FF]"},
    {96, false, "XYZW", "Flexible parameter 1A|Flexible parameter 1B|Flexible parameter 1C|Flexible parameter 1D"},
    {97, false, "XYZW", "Flexible parameter 2A|Flexible parameter 2B|Flexible parameter 2C|Flexible parameter 2D"},
    {98, false, "XYZW", "Flexible parameter 3A|Flexible parameter 3B|Flexible parameter 3C|Flexible parameter 3D"},
    {99, false, "XYZW", "Flexible parameter 4A|Flexible parameter 4B|Flexible parameter 4C|Flexible parameter 4D"},
    {100, false, "XYZW", "Flexible parameter 5A|Flexible parameter 5B|Flexible parameter 5C|Flexible parameter 5D"},
    {101, false, "XYZW", "Flexible parameter 6A|Flexible parameter 6B|Flexible parameter 6C|Flexible parameter 6D"},
    {102, false, "XYZW", "Flexible parameter 7A|Flexible parameter 7B|Flexible parameter 7C|Flexible parameter 7D"},
    {103, false, "XYZW", "Flexible parameter 8A|Flexible parameter 8B|Flexible parameter 8C|Flexible parameter 8D"},
    {104, false, "XYZW", "Flexible parameter 9A|Flexible parameter 9B|Flexible parameter 9C|Flexible parameter 9D"},
    {105, false, "XYZW", "Flexible parameter 10A|Flexible parameter 10B|Flexible parameter 10C|Flexible parameter 10D"},
    {106, false, "XYZW", "Flexible parameter 11A|Flexible parameter 11B|Flexible parameter 11C|Flexible parameter 11D"},
    {107, false, "XYZW", "Flexible parameter 12A|Flexible parameter 12B|Flexible parameter 12C|Flexible parameter 12D"},
    {108, false, "XYZW", "Flexible parameter 13A|Flexible parameter 13B|Flexible parameter 13C|Flexible parameter 13D"},
    {109, false, "XYZW", "Flexible parameter 14A|Flexible parameter 14B|Flexible parameter 14C|Flexible parameter 14D"},
    {110, false, "XYZW", "Flexible parameter 15A|Flexible parameter 15B|Flexible parameter 15C|Flexible parameter 15D"},
    {111, false, "XYZW", "Flexible parameter 16A|Flexible parameter 16B.\nProbe type (integer): PI6 [32], TTL [33], PICS [34]|Flexible parameter 16C|Flexible parameter 16D"},
};
// clang-format on

} // namespace

class tst_ParameterTable : public QObject
{
    Q_OBJECT

private slots:
    void description_data();
    void description();
};

void tst_ParameterTable::description_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("scaled");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("help");

    QSet<int> described;
    for (const Row &row : Described) {
        described.insert(row.number);
        QTest::addRow("%d", row.number)
            << row.number << row.scaled << QString(row.letters) << QString(row.help);
    }
    QCOMPARE(described.size(), 46);
    // No other number is described, near the table or at the edges of int.
    for (int number = -300; number <= 300; ++number) {
        if (!described.contains(number))
            QTest::addRow("undescribed %d", number) << number << false << QString() << QString();
    }
    for (const int number : {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        QTest::addRow("undescribed %d", number) << number << false << QString() << QString();
}

void tst_ParameterTable::description()
{
    QFETCH(int, number);
    QFETCH(bool, scaled);
    QFETCH(QString, letters);
    QFETCH(QString, help);

    const TParameterTable table;
    for (int call = 1; call <= 2; ++call) { // a second call must describe the same
        const ParameterDescription description = table.Get_Description(number);
        QCOMPARE(description.number, letters.isEmpty() ? -1 : number);
        QString item_letters;
        QStringList item_help;
        for (const ParameterItem &item : description.items) {
            item_letters += item.letter;
            item_help << item.help;
            QCOMPARE(item.scaled, scaled);
        }
        QCOMPARE(item_letters, letters);
        QCOMPARE(item_help.join('|'), help);
    }
}

QTEST_GUILESS_MAIN(tst_ParameterTable)
#include "tst_parametertable.moc"
