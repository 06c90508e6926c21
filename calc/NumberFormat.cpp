#include "calc/NumberFormat.h"

#include <cstdio>

// Provisional: replaced by the exact rules of the calculation engine.
std::string formatNumber(double value, int significantDigits, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals < 0 ? 0 : decimals, value);
    (void)significantDigits;
    return buf;
}

std::string formatComplex(Complexe z, int decimals) {
    return formatNumber(z.re, 17, decimals) + "+" + formatNumber(z.im, 17, decimals) + "i";
}
