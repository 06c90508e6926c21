// The number-to-text routine of the whole program.
#pragma once

#include <string>

#include "calc/Complexe.h"

// `value` with `decimals` decimals, trailing zeros removed, with the decimal separator of the
// preferences; very large values (and, with 12 decimals, very small ones) in the shortest form
// with `significantDigits` significant digits.
std::string formatNumber(double value, int significantDigits, int decimals);
// Text of a complex value: 3 - i, " i", 2 i, 2.5 (parts with 17 significant digits).
std::string formatComplex(Complexe z, int decimals);

// The runtime conversions the formatter relies on, over at most 17 significant digits and
// rounding half up on those digits. `fcvtDigits` gives the digits of |value| rounded to
// `decimals` decimals and the position of the decimal point (<= 0: left of the digits).
std::string fcvtDigits(double value, int decimals, int* decimalPoint);
// The shortest form of |value| with `digits` significant digits: fixed when the exponent lies
// in [-1, digits - 1] (always with a point: "12."), else exponent form ("3.e+015").
std::string gcvtText(double value, int digits);
