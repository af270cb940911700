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
    row("resolution 0", 5, 0, "5", "5", "");
    row("zero at resolution 0", 0, 0, "0", "0", "");
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
    QCOMPARE(Parse_Int(int_text), value);
    QCOMPARE(Parse_Hex(hex_text), std::optional<qint32>(value));
    if (resolution != 0)
        QCOMPARE(Parse_Mm(mm_text, resolution), std::optional<qint32>(value));
    else // nothing to edit without a resolution
        QCOMPARE(Parse_Mm(QStringLiteral("1.5"), resolution), std::optional<qint32>());
}

// What the user types into a view: the value it stands for, "none" when the hexadecimal
// or millimetre text is refused, or the cleaned hexadecimal text.
void tst_ValueFormat::typed_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QString>("result");

    const auto row = [](const char *view, const char *text, const char *result,
                        int resolution = 1000) {
        QTest::addRow("%s \"%s\"", view, text)
            << QString(view) << QString(text) << resolution << QString(result);
    };
    row("int", "1500", "1500");
    row("int", "abc", "0");
    row("int", "4294967295", "0");
    row("int", "2147483648", "0");
    row("int", " -5 ", "-5");
    row("int", "1.000", "0");
    row("hex", "ff", "255");
    row("hex", "0x10", "16");
    row("hex", " 1A ", "26");
    row("hex", "1G", "none");
    row("hex", "-1", "none");
    row("hex", "100000000", "none");
    row("hex", "", "none");
    row("clean", " 1a 2b ", "1A2B");
    row("clean", "\t1\tF\t", "1F");
    row("clean", "1234 5678 9", "12345678");
    row("clean", "0x10", "0");
    row("clean", "AB-CD", "AB");
    row("mm", "1.23456", "1235");
    row("mm", "0.0005", "1");
    row("mm", "-0.0005", "-1");
    row("mm", "1,5", "0");
    row("mm", "2.5", "25000", 10000);
    row("mm", "1e300", "2147483647");
    row("mm", "-1e300", "-2147483648");
    row("mm", "2147483.648", "2147483647");
    row("mm", "nan", "0");
}

void tst_ValueFormat::typed()
{
    QFETCH(QString, view);
    QFETCH(QString, text);
    QFETCH(int, resolution);
    std::optional<qint32> value;
    if (view == QLatin1String("clean")) {
        QTEST(Clean_Hex(text), "result");
        return;
    }
    if (view == QLatin1String("int"))
        value = Parse_Int(text);
    else if (view == QLatin1String("hex"))
        value = Parse_Hex(text);
    else
        value = Parse_Mm(text, resolution);
    QTEST(value ? QString::number(*value) : QStringLiteral("none"), "result");
}

QTEST_GUILESS_MAIN(tst_ValueFormat)
#include "tst_valueformat.moc"
