// The value conversions: every 32-bit value survives each text form, a millimetre text
// converts exactly, and any typed text is either a value in the 32-bit range or has a
// reason why it is none.
#include "fuzzcheck.h"
#include "valueformat.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using ValueFormat::Reading;

qint32 Take_Int32(const unsigned char *data)
{
    quint32 bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    return static_cast<qint32>(bits);
}

bool Reads_As(const Reading &reading, qint32 value)
{
    return reading.value == value && reading.error.isEmpty();
}

void Check_Value(qint32 value)
{
    using namespace ValueFormat;
    FUZZ_CHECK(Reads_As(Read_Int(Int_Text(value)), value));
    // Above 2147483647 the same 32 bits are meant.
    FUZZ_CHECK(Reads_As(Read_Int(QString::number(static_cast<quint32>(value))), value));
    const QString hex = Hex_Text(value);
    FUZZ_CHECK(!hex.isEmpty() && hex.size() <= 8);
    FUZZ_CHECK(hex == hex.toUpper());
    FUZZ_CHECK(hex.size() == 1 || hex.at(0) != QLatin1Char('0'));
    FUZZ_CHECK(Reads_As(Read_Hex(hex), value));
    FUZZ_CHECK(Reads_As(Read_Hex(QStringLiteral(" 0x") + hex.toLower() + QLatin1Char(' ')), value));
}

// The value's digits with a decimal point before the last `decimals` of them: exactly the
// value in millimetres at 10^decimals counts per millimetre.
QString Decimal_Text(qint32 value, int decimals)
{
    QString digits = QString::number(std::llabs(static_cast<long long>(value)));
    digits = digits.rightJustified(decimals + 1, QLatin1Char('0'));
    digits.insert(digits.size() - decimals, QLatin1Char(decimals % 2 ? ',' : '.'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

void Check_Millimetres(qint32 value, int resolution, int decimals)
{
    using namespace ValueFormat;
    if (resolution <= 0) {
        FUZZ_CHECK(Mm_Text(To_Millimetres(value, resolution)).isEmpty());
        FUZZ_CHECK(!Read_Mm(QStringLiteral("1.0"), resolution).Is_Valid());
        return;
    }
    const QString text = Mm_Text(To_Millimetres(value, resolution));
    const int point = text.indexOf(QLatin1Char('.'));
    FUZZ_CHECK(point > 0 && text.size() - point - 1 == 4);
    const Reading back = Read_Mm(text, resolution);
    FUZZ_CHECK(back.Is_Valid());
    const double error = std::fabs(static_cast<double>(*back.value) - static_cast<double>(value));
    FUZZ_CHECK(error <= resolution * 0.00005 + 1);

    // Exact decimals: no binary fraction between the text and the counts, and a half
    // rounds away from zero.
    int power = 1;
    for (int i = 0; i < decimals; ++i)
        power *= 10;
    const QString exact = Decimal_Text(value, decimals);
    FUZZ_CHECK(Reads_As(Read_Mm(exact, power), value));
    FUZZ_CHECK(Reads_As(Read_Mm(exact + QStringLiteral("4999"), power), value));
    const qint64 away = static_cast<qint64>(value) + (value < 0 ? -1 : 1);
    if (away >= std::numeric_limits<qint32>::min() && away <= std::numeric_limits<qint32>::max())
        FUZZ_CHECK(Reads_As(Read_Mm(exact + QLatin1Char('5'), power), static_cast<qint32>(away)));
}

void Check_Typed_Text(const QString &text, int resolution)
{
    using namespace ValueFormat;
    for (const Reading &reading : {Read_Int(text), Read_Hex(text), Read_Mm(text, resolution)})
        FUZZ_CHECK(reading.Is_Valid() == reading.error.isEmpty());

    const Reading integer = Read_Int(text);
    if (integer.Is_Valid()) {
        const qint64 typed = text.trimmed().toLongLong();
        FUZZ_CHECK(static_cast<quint32>(typed) == static_cast<quint32>(*integer.value));
    }

    const Reading hex = Read_Hex(text);
    if (hex.Is_Valid()) {
        QString digits = text.trimmed().toUpper();
        if (digits.startsWith(QLatin1String("0X")))
            digits.remove(0, 2);
        FUZZ_CHECK(digits.size() <= 8);
        while (digits.size() > 1 && digits.at(0) == QLatin1Char('0'))
            digits.remove(0, 1);
        FUZZ_CHECK(Hex_Text(*hex.value) == digits);
    }

    // Near the double's estimate, or clamped to the 32-bit range.
    const Reading counts = Read_Mm(text, resolution);
    if (resolution <= 0)
        FUZZ_CHECK(!counts.Is_Valid());
    if (!counts.Is_Valid())
        return;
    bool ok = false;
    const double millimetres =
        QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok)
        return;
    const double estimate = millimetres * resolution;
    const double clamped =
        std::max<double>(std::numeric_limits<qint32>::min(),
                         std::min<double>(std::numeric_limits<qint32>::max(), estimate));
    FUZZ_CHECK(std::fabs(*counts.value - clamped) <= 0.5 + std::fabs(estimate) * 1e-12);
    if (counts.clamped)
        FUZZ_CHECK(*counts.value == std::numeric_limits<qint32>::min() ||
                   *counts.value == std::numeric_limits<qint32>::max());
}

} // namespace

// Input: a 32-bit value, a 32-bit resolution, then typed text as Latin-1.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 8)
        return 0;
    const qint32 value = Take_Int32(data);
    const int resolution = Take_Int32(data + 4);
    const int decimals = static_cast<int>(static_cast<quint32>(resolution) % 7);
    Check_Value(value);
    Check_Millimetres(value, resolution, decimals);
    // Also at a small, realistic resolution, where the millimetre text carries the value.
    Check_Millimetres(value, 1 + static_cast<int>(static_cast<quint32>(resolution) % 1000000),
                      decimals);
    // Resolutions the editor can hold: 0 (an N00 line) to 999999.
    Check_Typed_Text(Fuzz_Text(data + 8, size - 8),
                     static_cast<int>(static_cast<quint32>(resolution) % 1000000));
    return 0;
}
