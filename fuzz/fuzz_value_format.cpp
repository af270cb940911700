// The value conversions: every 32-bit value survives each text form, a millimetre text
// comes back within its rounding, and any typed text is parsed without harm to a value
// inside the 32-bit range.
#include "fuzzcheck.h"
#include "valueformat.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

qint32 Take_Int32(const unsigned char *data)
{
    quint32 bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    return static_cast<qint32>(bits);
}

void Check_Value(qint32 value)
{
    using namespace ValueFormat;
    FUZZ_CHECK(Parse_Int(Int_Text(value)) == value);
    const QString hex = Hex_Text(value);
    FUZZ_CHECK(!hex.isEmpty() && hex.size() <= 8);
    FUZZ_CHECK(hex == hex.toUpper());
    FUZZ_CHECK(hex.size() == 1 || hex.at(0) != QLatin1Char('0'));
    const std::optional<qint32> parsed = Parse_Hex(hex);
    FUZZ_CHECK(parsed && *parsed == value);
    FUZZ_CHECK(Clean_Hex(hex) == hex);
}

void Check_Millimetres(qint32 value, int resolution)
{
    using namespace ValueFormat;
    if (resolution <= 0) {
        if (resolution == 0) {
            FUZZ_CHECK(Mm_Text(To_Millimetres(value, 0)).isEmpty());
            FUZZ_CHECK(!Parse_Mm(QStringLiteral("1.0"), 0));
        }
        return;
    }
    const QString text = Mm_Text(To_Millimetres(value, resolution));
    const int point = text.indexOf(QLatin1Char('.'));
    FUZZ_CHECK(point > 0 && text.size() - point - 1 == 4);
    const std::optional<qint32> back = Parse_Mm(text, resolution);
    FUZZ_CHECK(back);
    const double error = std::fabs(static_cast<double>(*back) - static_cast<double>(value));
    FUZZ_CHECK(error <= resolution * 0.00005 + 1);
}

void Check_Typed_Text(const QString &text, int resolution)
{
    using namespace ValueFormat;
    const QString cleaned = Clean_Hex(text);
    FUZZ_CHECK(cleaned.size() <= 8);
    for (QChar c : cleaned)
        FUZZ_CHECK(Is_Upper_Hex_Digit(c));
    if (!cleaned.isEmpty())
        FUZZ_CHECK(Parse_Hex(cleaned).has_value());
    FUZZ_CHECK(Clean_Hex(cleaned) == cleaned);

    const qint32 integer = Parse_Int(text);
    if (integer != 0)
        FUZZ_CHECK(Int_Text(integer) == QString::number(text.toLongLong()));

    const std::optional<qint32> hex = Parse_Hex(text);
    if (hex)
        FUZZ_CHECK(Parse_Hex(Hex_Text(*hex)) == hex);

    const std::optional<qint32> counts = Parse_Mm(text, resolution);
    FUZZ_CHECK(counts.has_value() == (resolution != 0));
    if (!counts)
        return;
    // Rounded to the nearest count, or clamped to the 32-bit range.
    bool ok = false;
    double millimetres = text.toDouble(&ok);
    if (!ok || std::isnan(millimetres))
        millimetres = 0.0;
    const double exact = millimetres * resolution;
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    if (std::isnan(exact))
        FUZZ_CHECK(*counts == 0);
    else if (exact <= lowest)
        FUZZ_CHECK(*counts == std::numeric_limits<qint32>::min());
    else if (exact >= highest)
        FUZZ_CHECK(*counts == std::numeric_limits<qint32>::max());
    else
        FUZZ_CHECK(std::fabs(*counts - exact) <= 0.5);
}

} // namespace

// Input: a 32-bit value, a 32-bit resolution, then typed text as Latin-1.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 8)
        return 0;
    const qint32 value = Take_Int32(data);
    const int resolution = Take_Int32(data + 4);
    Check_Value(value);
    Check_Millimetres(value, resolution);
    // Also at a small, realistic resolution, where the millimetre text carries the value.
    Check_Millimetres(value, 1 + static_cast<int>(static_cast<quint32>(resolution) % 1000000));
    // Resolutions the editor can hold: 0 (an N00 line) to 999999.
    Check_Typed_Text(Fuzz_Text(data + 8, size - 8),
                     static_cast<int>(static_cast<quint32>(resolution) % 1000000));
    return 0;
}
