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

// Which letters a number has, in the line's order, and whether they are lengths; the texts
// are the table's own.
void tst_ParameterTable::description_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("letters"); // empty when the number is not described
    QTest::addColumn<bool>("scaled");

    const auto row = [](int number, const char *letters, bool scaled) {
        QTest::addRow("%d", number) << number << QString(letters) << scaled;
    };
    // clang-format off
    row(1, "XYZW", true); row(3, "XYZWU", false); row(6, "UL", true); row(16, "XYZW", true);
    row(24, "QVX", true); row(27, "Q", true); row(29, "XYZ", false); row(41, "VXYZW", false);
    row(82, "U", false); row(96, "XYZW", false);
    // clang-format on
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    for (const int number : {0,  10, 11, 15, 20, 28,  30,  36, 39,     40,     43,
                             44, 46, 81, 83, 95, 112, 255, -1, lowest, highest})
        row(number, "", false);
}

void tst_ParameterTable::description()
{
    QFETCH(int, number);
    QFETCH(QString, letters);
    QFETCH(bool, scaled);

    const ParameterDescription description = TParameterTable().Get_Description(number);
    QCOMPARE(description.number, letters.isEmpty() ? -1 : number);
    QString item_letters;
    for (const ParameterItem &item : description.items) {
        item_letters += item.letter;
        QCOMPARE(item.scaled, scaled);
    }
    QCOMPARE(item_letters, letters);
}

// What holds for the whole table: how many numbers it describes, that every item is
// well-formed, and the flexible rule.
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
