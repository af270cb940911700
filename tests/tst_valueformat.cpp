#include "valueformat.h"

#include <QLocale>
#include <QtTest>

#include <limits>
#include <optional>

using namespace ValueFormat;

namespace {

constexpr qint32 Lowest = std::numeric_limits<qint32>::min();
constexpr qint32 Highest = std::numeric_limits<qint32>::max();

} // namespace

Q_DECLARE_METATYPE(std::optional<qint32>)

// Every test runs twice: once in the C locale and once with German as the default locale,
// whose decimal comma and group dot must not leak into the texts or the parsing.
class tst_ValueFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

    void intAndHexText_data();
    void intAndHexText();
    void mmText_data();
    void mmText();
    void cleanHex_data();
    void cleanHex();
    void parseInt_data();
    void parseInt();
    void parseHex_data();
    void parseHex();
    void parseMm_data();
    void parseMm();
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

void tst_ValueFormat::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void tst_ValueFormat::intAndHexText_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<QString>("int_text");
    QTest::addColumn<QString>("hex_text");

    QTest::newRow("zero") << 0 << "0"
                          << "0";
    QTest::newRow("minus one") << -1 << "-1"
                               << "FFFFFFFF";
    QTest::newRow("255") << 255 << "255"
                         << "FF";
    QTest::newRow("-256") << -256 << "-256"
                          << "FFFFFF00";
    QTest::newRow("million without group separator") << 1000000 << "1000000"
                                                     << "F4240";
    QTest::newRow("highest") << Highest << "2147483647"
                             << "7FFFFFFF";
    QTest::newRow("lowest") << Lowest << "-2147483648"
                            << "80000000";
}

void tst_ValueFormat::intAndHexText()
{
    QFETCH(qint32, value);
    QTEST(Int_Text(value), "int_text");
    QTEST(Hex_Text(value), "hex_text");
}

void tst_ValueFormat::mmText_data()
{
    QTest::addColumn<double>("millimetres");
    QTest::addColumn<QString>("text");

    QTest::newRow("1.5") << 1.5 << "1.5000";
    QTest::newRow("-0.001") << -0.001 << "-0.0010";
    QTest::newRow("zero") << 0.0 << "0.0000";
    QTest::newRow("1234 at 1000") << To_Millimetres(1234, 1000) << "1.2340";
    QTest::newRow("-1 at 1000") << To_Millimetres(-1, 1000) << "-0.0010";
    QTest::newRow("large, no group separator") << 2147483.647 << "2147483.6470";
    QTest::newRow("resolution 0") << To_Millimetres(5, 0) << "";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "";
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << "";
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "";
}

void tst_ValueFormat::mmText()
{
    QFETCH(double, millimetres);
    QTEST(Mm_Text(millimetres), "text");
}

void tst_ValueFormat::cleanHex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cleaned");

    QTest::newRow("spaces around and between") << " 1a 2b "
                                               << "1A2B";
    QTest::newRow("nine digits") << "123456789"
                                 << "12345678";
    QTest::newRow("0x prefix") << "0x10"
                               << "0";
    QTest::newRow("starts with G") << "G1"
                                   << "";
    QTest::newRow("minus sign") << "-1"
                                << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("tabs vanish") << "\t1\tF\t"
                                 << "1F";
    QTest::newRow("digits split by spaces count together") << "1234 5678 9"
                                                           << "12345678";
    QTest::newRow("stops at other character") << "AB-CD"
                                              << "AB";
}

void tst_ValueFormat::cleanHex()
{
    QFETCH(QString, text);
    QTEST(Clean_Hex(text), "cleaned");
}

void tst_ValueFormat::parseInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("value");

    QTest::newRow("1500") << "1500" << 1500;
    QTest::newRow("abc") << "abc" << 0;
    QTest::newRow("above 32 bits signed") << "4294967295" << 0;
    QTest::newRow("just above highest") << "2147483648" << 0;
    QTest::newRow("highest") << "2147483647" << Highest;
    QTest::newRow("lowest") << "-2147483648" << Lowest;
    QTest::newRow("whitespace around") << " -5 " << -5;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("group comma") << "1,000" << 0;
    QTest::newRow("group dot") << "1.000" << 0;
    QTest::newRow("empty") << "" << 0;
}

void tst_ValueFormat::parseInt()
{
    QFETCH(QString, text);
    QTEST(Parse_Int(text), "value");
}

void tst_ValueFormat::parseHex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint32>>("value");

    const std::optional<qint32> none;
    QTest::newRow("all bits") << "FFFFFFFF" << std::optional<qint32>(-1);
    QTest::newRow("lower case") << "ff" << std::optional<qint32>(255);
    QTest::newRow("0x prefix") << "0xff" << std::optional<qint32>(255);
    QTest::newRow("sign bit") << "80000000" << std::optional<qint32>(Lowest);
    QTest::newRow("whitespace around") << " 1A " << std::optional<qint32>(26);
    QTest::newRow("other character") << "1G" << none;
    QTest::newRow("minus sign") << "-1" << none;
    QTest::newRow("above 32 bits") << "100000000" << none;
    QTest::newRow("empty") << "" << none;
}

void tst_ValueFormat::parseHex()
{
    QFETCH(QString, text);
    QTEST(Parse_Hex(text), "value");
}

void tst_ValueFormat::parseMm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<std::optional<qint32>>("value");

    const auto v = [](qint32 value) {
        return std::optional<qint32>(value);
    };
    QTest::newRow("rounds up") << "1.23456" << 1000 << v(1235);
    QTest::newRow("half rounds away from zero") << "0.0005" << 1000 << v(1);
    QTest::newRow("negative half") << "-0.0005" << 1000 << v(-1);
    QTest::newRow("whole") << "1.5" << 1000 << v(1500);
    QTest::newRow("decimal comma") << "1,5" << 1000 << v(0);
    QTest::newRow("not a number") << "abc" << 1000 << v(0);
    QTest::newRow("empty") << "" << 1000 << v(0);
    QTest::newRow("huge clamps high") << "1e300" << 1000 << v(Highest);
    QTest::newRow("huge negative clamps low") << "-1e300" << 1000 << v(Lowest);
    QTest::newRow("just above range") << "2147483.648" << 1000 << v(Highest);
    QTest::newRow("infinity clamps high") << "inf" << 1000 << v(Highest);
    QTest::newRow("NaN counts as 0") << "nan" << 1000 << v(0);
    QTest::newRow("other resolution") << "2.5" << 10000 << v(25000);
    QTest::newRow("resolution 0") << "1.5" << 0 << std::optional<qint32>();
}

void tst_ValueFormat::parseMm()
{
    QFETCH(QString, text);
    QFETCH(int, resolution);
    QTEST(Parse_Mm(text, resolution), "value");
}

QTEST_GUILESS_MAIN(tst_ValueFormat)
#include "tst_valueformat.moc"
