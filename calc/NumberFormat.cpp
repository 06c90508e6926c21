#include "calc/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/CPreferences.h"

namespace {
// Decimal digits of a positive finite value: at most 17 significant digits, trailing zeros
// dropped, and the position of the decimal point relative to the first digit.
struct DecimalDigits {
    std::string mantissa;
    int decpt = 0;
};

DecimalDigits decimalDigits(double a) {
    DecimalDigits d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.16e", a);
    const char* e = buf;
    while (*e && *e != 'e') {
        if (*e >= '0' && *e <= '9') d.mantissa += *e;
        ++e;
    }
    int exponent = *e ? std::atoi(e + 1) : 0;
    while (d.mantissa.size() > 1 && d.mantissa.back() == '0') d.mantissa.pop_back();
    if (d.mantissa == "0") d.mantissa.clear();
    d.decpt = exponent + 1;
    return d;
}

// `digits` digits of the mantissa, padded with zeros and rounded half up on the next digit;
// a carry into a new leading digit moves the decimal point. No rounding when `digits` < 0.
std::string roundedDigits(int digits, DecimalDigits& d) {
    std::string out = "0";
    size_t m = 0;
    int n = digits;
    while (n > 0) {
        out += m < d.mantissa.size() ? d.mantissa[m++] : '0';
        --n;
    }
    if (n >= 0 && m < d.mantissa.size() && d.mantissa[m] >= '5') {
        size_t i = out.size() - 1;
        while (out[i] == '9') out[i--] = '0';
        out[i] += 1;
    }
    if (out[0] == '1')
        ++d.decpt;
    else
        out.erase(0, 1);
    return out;
}

char separator() {
    return preferences().pointDigitalSeparator ? '.' : ',';
}

std::string fixedForm(DecimalDigits d, int ndec) {
    std::string digits = roundedDigits(d.decpt + ndec, d);
    std::string out;
    if (d.decpt <= 0) {
        out = "0.";
        int zeros = std::min(-d.decpt, ndec);
        out.append(static_cast<size_t>(std::max(zeros, 0)), '0');
        out += digits;
    } else {
        while (static_cast<int>(digits.size()) < d.decpt) digits += '0';
        out = digits.substr(0, d.decpt) + "." + digits.substr(d.decpt);
    }
    return out;
}

std::string exponentForm(DecimalDigits d, int ndec) {
    std::string digits = roundedDigits(ndec + 1, d);
    int exponent = d.decpt - 1;
    std::string out(1, digits.empty() ? '0' : digits[0]);
    out += '.';
    if (digits.size() > 1) out += digits.substr(1);
    char buf[16];
    std::snprintf(buf, sizeof buf, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + buf;
}
}  // namespace

std::string fcvtDigits(double value, int decimals, int* decimalPoint) {
    DecimalDigits d = decimalDigits(std::fabs(value));
    if (d.mantissa.empty()) {
        *decimalPoint = 0;
        return std::string(static_cast<size_t>(std::max(decimals, 0)), '0');
    }
    std::string digits = roundedDigits(d.decpt + decimals, d);
    *decimalPoint = d.decpt;
    return digits;
}

std::string gcvtText(double value, int digits) {
    double a = std::fabs(value);
    if (std::isnan(a)) return "1.#QNAN";
    if (std::isinf(a)) return "1.#INF";
    if (digits < 1) digits = 1;
    DecimalDigits d = decimalDigits(a);
    if (d.mantissa.empty()) return "0.";
    int magnitude = d.decpt - 1;
    std::string out = (magnitude < -1 || magnitude > digits - 1)
                          ? exponentForm(d, digits - 1)
                          : fixedForm(d, digits - magnitude - 1);
    // Trailing zeros of the fraction go; the point stays.
    size_t point = out.find('.');
    if (point != std::string::npos) {
        size_t e = out.find('e', point);
        size_t end = e == std::string::npos ? out.size() : e;
        size_t last = end;
        while (last > point + 1 && out[last - 1] == '0') --last;
        out.erase(last, end - last);
    }
    return out;
}

std::string formatNumber(double value, int significantDigits, int decimals) {
    if (value == 0) return "0";
    const char sep = separator();
    double a = std::fabs(value);
    std::string text;
    if ((decimals == 12 && a < 1e-12) || !(a <= 1e12)) {
        text = gcvtText(a, significantDigits);
        for (char& c : text)
            if (c == '.') c = sep;
    } else {
        if (decimals < 0) decimals = 0;
        if (decimals > 300) decimals = 300;
        int p = 0;
        std::string d = fcvtDigits(a, decimals, &p);
        if (p <= 0) {
            // Not `text = "0"`: GCC 12 wrongly warns (-Wrestrict) on that assignment when
            // optimising.
            text.assign(1, '0');
            text += sep;
            text.append(static_cast<size_t>(-p), '0');
            text += d;
        } else {
            while (static_cast<int>(d.size()) < p) d += '0';
            text = d.substr(0, p) + sep + d.substr(p);
        }
        size_t s = text.find(sep);
        if (s != std::string::npos) {
            size_t last = text.size();
            while (last > s + 1 && text[last - 1] == '0') --last;
            if (last == s + 1) last = s;
            text.erase(last);
        }
    }
    if (text == "0") return text;
    if (!text.empty() && text[0] == sep) text = "0" + text;
    if (value < 0) text = "-" + text;
    return text;
}

std::string formatComplex(Complexe z, int decimals) {
    std::string a = formatNumber(z.re, 17, decimals);
    std::string b = formatNumber(z.im, 17, decimals);
    if (b == "0") return a;
    if (a == "0") {
        if (b == "-1")
            b = "-";
        else if (b == "1")
            b = "";
        return b + " i";
    }
    if (b == "1") return a + " + i";
    if (b == "-1") return a + " - " + "i";
    if (b[0] == '-') return a + " - " + b.substr(1) + " i";
    return a + " + " + b + " i";
}
