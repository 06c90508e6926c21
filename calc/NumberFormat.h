// The number-to-text routine of the whole program.
#pragma once

#include <string>

#include "calc/Complexe.h"

// `value` with at most `significantDigits` significant digits and `decimals` decimals, with
// the decimal separator of the preferences.
std::string formatNumber(double value, int significantDigits, int decimals);
// Text of a complex value, as displayed values show it.
std::string formatComplex(Complexe z, int decimals);
