#include "valueformat.h"

#include <QLocale>
#include <QtTest>

#include <limits>

using namespace ValueFormat;

namespace {

constexpr qint32 Lowest = std::numeric_limits<qint32>::min();
constexpr qint32 Highest = std::numeric_limits<qint32>::max();

} // namespace

// Every test runs in the C locale and again with German as the default locale, whose
// decimal comma and group dot must not leak into the texts or the parsing.
class tst_ValueFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void texts_data();
    void texts();
    void typed_data();
    void typed();
};

void tst_ValueFormat::initTestCase_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C locale") << QLocale::c();
    QTest::newRow("German locale") << QLocale(QLocale::German, QLocale::Germany);
}

void tst_ValueFormat::init()
{
    QFETCH_GLOBAL(QLocale, locale);
    QLocale::setDefault(locale);
}

// A value shown in the three views; each text typed back yields the value again.
void tst_ValueFormat::texts_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QString>("int_text");
    QTest::addColumn<QString>("hex_text");
    QTest::addColumn<QString>("mm_text");

    const auto row = [](const char *name, qint32 value, int resolution, const char *int_text,
                        const char *hex_text, const char *mm_text) {
        QTest::newRow(name) << value << resolution << QString(int_text) << QString(hex_text)
                            << QString(mm_text);
    };
    row("zero", 0, 1000, "0", "0", "0.0000");
    row("minus one", -1, 1000, "-1", "FFFFFFFF", "-0.0010");
    row("1234", 1234, 1000, "1234", "4D2", "1.2340");
    row("no group separator", 1000000, 10000, "1000000", "F4240", "100.0000");
    row("highest", Highest, 1000, "2147483647", "7FFFFFFF", "2147483.6470");
    row("lowest", Lowest, 1000, "-2147483648", "80000000", "-2147483.6480");
    row("lowest at 10 counts per mm", Lowest, 10, "-2147483648", "80000000", "-214748364.8000");
    row("resolution 0", 5, 0, "5", "5", "");
    row("negative resolution", 5, -10, "5", "5", "");
}

void tst_ValueFormat::texts()
{
    QFETCH(qint32, value);
    QFETCH(int, resolution);
    QFETCH(QString, int_text);
    QFETCH(QString, hex_text);
    QFETCH(QString, mm_text);
    QCOMPARE(Int_Text(value), int_text);
    QCOMPARE(Hex_Text(value), hex_text);
    QCOMPARE(Mm_Text(To_Millimetres(value, resolution)), mm_text);
    QCOMPARE(Read_Int(int_text).value, std::optional<qint32>(value));
    QCOMPARE(Read_Hex(hex_text).value, std::optional<qint32>(value));
    if (resolution > 0)
        QCOMPARE(Read_Mm(mm_text, resolution).value, std::optional<qint32>(value));
}

// What the user types into a view: the value it stands for (and whether it was cut to the
// 32-bit range), or "!" and a part of the reason why it is none.
void tst_ValueFormat::typed_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QString>("result");

    const auto row = [](const char *view, const char *text, const char *result,
                        int resolution = 1000) {
        QTest::addRow("%s \"%s\" at %d", view, text, resolution)
            << QString(view) << QString(text) << resolution << QString(result);
    };
    row("int", "1500", "1500");
    row("int", " -5 ", "-5");
    row("int", "+7", "7");
    row("int", "4294967295", "-1");
    row("int", "2147483648", "-2147483648");
    row("int", "-2147483648", "-2147483648");
    row("int", "-2147483649", "!Outside -2147483648 to 4294967295");
    row("int", "4294967296", "!Outside");
    row("int", "1.000", "!Not a whole number");
    row("int", "1 2", "!Not a whole number");
    row("int", "", "!Empty");
    row("hex", "ff", "255");
    row("hex", "0x10", "16");
    row("hex", " 1A ", "26");
    row("hex", "FFFFFFFF", "-1");
    row("hex", "00000010", "16");
    row("hex", " 1 2 ", "!Not a hexadecimal number");
    row("hex", "1G", "!Not a hexadecimal number");
    row("hex", "-1", "!Not a hexadecimal number");
    row("hex", "100000000", "!More than eight hexadecimal digits");
    row("hex", "0x", "!No digits after 0x");
    row("hex", "", "!Empty");
    row("mm", "1.23456", "1235");
    row("mm", "0.5005", "501");
    row("mm", "1,5", "1500");
    row("mm", "-0.0005", "-1");
    row("mm", "+.5", "500");
    row("mm", "2.5", "25000", 10000);
    row("mm", "2147.483647", "2147483647", 1000000);
    row("mm", "2147483.6475", "2147483647 clamped");
    row("mm", "-2147483.6485", "-2147483648 clamped");
    row("mm", "-2147483.648", "-2147483648");
    row("mm", "-99999999999999999999999", "-2147483648 clamped");
    row("mm", "1,000.5", "!Not a number of millimetres");
    row("mm", "1e3", "!Not a number of millimetres");
    row("mm", ".", "!Not a number of millimetres");
    row("mm", "", "!Empty");
    row("mm", "1.5", "!No scale resolution", 0);
    row("mm", "1.5", "!No scale resolution", -5);
}

void tst_ValueFormat::typed()
{
    QFETCH(QString, view);
    QFETCH(QString, text);
    QFETCH(int, resolution);
    QFETCH(QString, result);
    Reading reading;
    if (view == QLatin1String("int"))
        reading = Read_Int(text);
    else if (view == QLatin1String("hex"))
        reading = Read_Hex(text);
    else
        reading = Read_Mm(text, resolution);
    if (result.startsWith(QLatin1Char('!'))) {
        QVERIFY(!reading.Is_Valid());
        QVERIFY2(reading.error.contains(result.mid(1)), qPrintable(reading.error));
    } else {
        QCOMPARE(reading.value,
                 std::optional<qint32>(result.section(QLatin1Char(' '), 0, 0).toInt()));
        QCOMPARE(reading.clamped, result.endsWith(QLatin1String(" clamped")));
        QVERIFY(reading.error.isEmpty());
    }
}

QTEST_GUILESS_MAIN(tst_ValueFormat)
#include "tst_valueformat.moc"
