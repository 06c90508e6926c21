// The number formatter: decimals, trimming, the shortest form of large and tiny numbers, the
// separator preference and complex numbers.
#include <gtest/gtest.h>

#include "calc/NumberFormat.h"
#include "core/CPreferences.h"

namespace {
struct SeparatorScope {
    bool saved = preferences().pointDigitalSeparator;
    explicit SeparatorScope(bool point) { preferences().pointDigitalSeparator = point; }
    ~SeparatorScope() { preferences().pointDigitalSeparator = saved; }
};

struct FormatCase {
    double value;
    int digits, decimals;
    const char* text;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.value << " (" << c.digits << ", " << c.decimals << ")";
}

class Format : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Format, Text) {
    SeparatorScope point(true);
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, c.digits, c.decimals), c.text);
}

using F = FormatCase;

INSTANTIATE_TEST_SUITE_P(
    Fixed, Format,
    ::testing::Values(F{-0.0, 17, 2, "0"}, F{2.50, 17, 2, "2.5"}, F{-0.0004, 17, 3, "0"},
                      F{0.0006, 17, 3, "0.001"}, F{9.999, 17, 2, "10"}, F{0.5, 17, 0, "1"},
                      F{-0.25, 17, 1, "-0.3"}, F{3.14159265358979, 12, 12, "3.14159265359"},
                      F{1e12, 17, 2, "1000000000000"}, F{123456.1, 12, 12, "123456.10000000001"},
                      F{1e-13, 17, 2, "0"}));

INSTANTIATE_TEST_SUITE_P(Shortest, Format,
                         ::testing::Values(F{3e15, 8, 2, "3.e+015"},
                                           F{3e15, 17, 2, "3000000000000000."},
                                           F{1e-13, 17, 12, "1.e-013"},
                                           F{1.23456789e20, 4, 0, "1.235e+020"},
                                           F{-1234567890123.0, 12, 12, "-1.23456789012e+012"}));

TEST(Format, CommaSeparator) {
    SeparatorScope comma(false);
    EXPECT_EQ(formatNumber(-0.75, 17, 2), "-0,75");
    EXPECT_EQ(formatNumber(3e15, 8, 2), "3,e+015");
}

TEST(Format, ComplexNumbers) {
    SeparatorScope point(true);
    for (auto [re, im, text] : {std::tuple<double, double, const char*>{3, -1, "3 - i"},
                                {0, 1, " i"},
                                {2.5, 0, "2.5"},
                                {0, -1, "- i"},
                                {-1, 2.5, "-1 + 2.5 i"},
                                {0.001, 0.001, "0"}})
        EXPECT_EQ(formatComplex({re, im}, 2), text);
}
}  // namespace
