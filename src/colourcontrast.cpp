#include "colourcontrast.h"

#include <QPalette>
#include <QtMath>

#include <algorithm>

namespace {

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double Luminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : qPow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

namespace ColourContrast {

double Ratio(const QColor &first, const QColor &second)
{
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor Readable(const QColor &wanted, const QColor &background, const QColor &fallback)
{
    return Ratio(wanted, background) >= Text_Minimum ? wanted : fallback;
}

QColor Invalid_Base(const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const bool light = base.lightnessF() >= 0.5;
    QColor tint = light ? QColor(255, 200, 200) : QColor::fromHslF(0.0, 0.6, 0.3);
    // Away from the text's lightness until the text reads well on it; a red stays a red.
    const double step = text.lightnessF() > tint.lightnessF() ? -0.05 : 0.05;
    for (int i = 0; i < 20 && Ratio(tint, text) < Text_Minimum; ++i)
        tint = QColor::fromHslF(0.0, tint.hslSaturationF(),
                                qBound(0.0, tint.lightnessF() + step, 1.0));
    return tint;
}

} // namespace ColourContrast
