#include "parametertable.h"

#include <QSet>
#include <QtTest>

#include <limits>

class tst_ParameterTable : public QObject
{
    Q_OBJECT

private slots:
    void description_data();
    void description();
    void invariants();
};

void tst_ParameterTable::description_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("letters"); // empty when the number is not described
    QTest::addColumn<bool>("scaled");
    QTest::addColumn<QString>("first_help");

    const auto row = [](const char *name, int number, const char *letters, bool scaled,
                        const char *help) {
        QTest::newRow(name) << number << QString(letters) << scaled << QString(help);
    };
    row("1: four scaled axes", 1, "XYZW", true, "X axis maximum velocity");
    row("3: five unscaled gains", 3, "XYZWU", false, "X axis system gain");
    row("6: U and L, scaled", 6, "UL", true, "Probe maximum overtravel limit");
    row("16 (S10): hexadecimal token", 16, "XYZW", true, "X axis negative hardware checkpoint");
    row("24: Q and V before X", 24, "QVX", true, "Slow incremental jog P1");
    row("25: Q and V before X", 25, "QVX", true, "Fast incremental jog P1");
    row("27: percent in help", 27, "Q", true, "Jog acceleration multiplier (1000 = 100%)");
    row("29: only X, Y, Z", 29, "XYZ", false, "X axis jog box polarity normal/reversed [0/FF]");
    row("41: V before the axes", 41, "VXYZW", false, "Homing interlock");
    row("82: last before the flexible ones", 82, "U", false,
        "Vector reporting enabled/disabled [0/FF]");
    row("96: first flexible", 96, "XYZW", false, "Flexible parameter 1A");
    row("105: flexible 10", 105, "XYZW", false, "Flexible parameter 10A");
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
                             255,
                             -1,
                             std::numeric_limits<int>::min(),
                             std::numeric_limits<int>::max()})
        QTest::addRow("undescribed %d", number) << number << QString() << false << QString();
}

void tst_ParameterTable::description()
{
    QFETCH(int, number);
    QFETCH(QString, letters);
    QFETCH(bool, scaled);
    QFETCH(QString, first_help);

    const ParameterDescription description = TParameterTable().Get_Description(number);
    QCOMPARE(description.number, letters.isEmpty() ? -1 : number);
    QString item_letters;
    for (const ParameterItem &item : description.items) {
        item_letters += item.letter;
        QCOMPARE(item.scaled, scaled);
    }
    QCOMPARE(item_letters, letters);
    if (!letters.isEmpty())
        QCOMPARE(description.items.first().help, first_help);
}

// What holds for the whole table: how many numbers it describes, that every item is
// well-formed, that a description comes out the same each time, and the flexible rule.
void tst_ParameterTable::invariants()
{
    const TParameterTable table;
    const QString letters = QStringLiteral("XYZWUVQL");
    int described = 0;
    for (int number = -300; number <= 300; ++number) {
        const ParameterDescription description = table.Get_Description(number);
        if (description.number < 0) {
            QVERIFY(description.items.isEmpty());
            continue;
        }
        ++described;
        QVERIFY2(number >= 1 && number <= 111, qPrintable(QString::number(number)));
        QVERIFY(!description.items.isEmpty());
        QSet<QChar> seen;
        for (const ParameterItem &item : description.items) {
            QVERIFY(letters.contains(item.letter));
            QVERIFY(!seen.contains(item.letter));
            seen.insert(item.letter);
            QCOMPARE(item.scaled, description.items.first().scaled);
            QVERIFY(!item.help.isEmpty());
        }
        const ParameterDescription again = table.Get_Description(number);
        QCOMPARE(again.items.size(), description.items.size());
        for (int i = 0; i < again.items.size(); ++i)
            QCOMPARE(again.items.at(i).help, description.items.at(i).help);
        if (number >= 96) {
            for (int i = 0; i < description.items.size(); ++i) {
                const QString help =
                    QStringLiteral("Flexible parameter %1%2").arg(number - 95).arg(QChar('A' + i));
                QVERIFY(description.items.at(i).help.startsWith(help));
            }
        }
    }
    QCOMPARE(described, 46);
    const QString probe = table.Get_Description(111).items.at(1).help;
    QCOMPARE(probe, QStringLiteral("Flexible parameter 16B.\nProbe type (integer): PI6 [32], "
                                   "TTL [33], PICS [34]"));
}

QTEST_GUILESS_MAIN(tst_ParameterTable)
#include "tst_parametertable.moc"
