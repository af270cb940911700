#pragma once

#include <QColor>

class QPalette;

// Colours that the program picks itself, held against the palette they are shown on, so that
// they stay readable under a light palette and a dark one alike.
namespace ColourContrast {

// How far apart two colours are for the eye: the ratio of their relative luminances, from
// 1 (the same) to 21 (black on white). Text wants at least Text_Minimum.
double Ratio(const QColor &first, const QColor &second);
constexpr double Text_Minimum = 4.5;

// wanted where it is readable on background, else fallback.
QColor Readable(const QColor &wanted, const QColor &background, const QColor &fallback);

// The background of a view whose text is no value: its base tinted red, pale on a light base
// and deep on a dark one, with the view's text still readable on it.
QColor Invalid_Base(const QPalette &palette);

} // namespace ColourContrast
