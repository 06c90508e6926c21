// Numbers a pupil checks first: exact values of degree arguments at right angles and for huge
// arguments, no NaN or infinity shown as a result while the failure flag is down (over the whole
// function table at extreme arguments), and Sh, Th and the hyperbolic parts of the complex
// functions to the last digits near 0.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "calc/Arithmetic.h"
#include "calc/BuiltInFunctions.h"
#include "calc/FormulaFixture.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kUlp = DBL_EPSILON;

enum class Expect {
    exactly,    // the value, to the last bit (a zero of either sign)
    near,       // the value within `relative` times its size, each part
    undefined,  // the failure flag is raised
    noLeak,     // at every extreme argument: undefined, or finite parts
};

struct NumberCase {
    std::string formula;  // in x (real) or z (complex) when `at` is used or for noLeak
    bool complex = false;
    int unit = 0;
    Expect expect = Expect::exactly;
    Complexe value{};
    double relative = 0;
    std::optional<Complexe> at = std::nullopt;  // the variable's value (x is at->re)
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.formula << (c.unit ? " (degrees)" : "");
    if (c.at) *os << " at " << c.at->re;
    if (c.at && c.complex) *os << " + i*" << c.at->im;
}

std::optional<Complexe> evaluateCase(FormulaFigure& f, const NumberCase& c,
                                     std::optional<Complexe> at) {
    if (c.complex) return at ? f.complex(c.formula, *at) : f.complex(c.formula);
    auto v = at ? f.real(c.formula, at->re) : f.real(c.formula);
    if (!v) return std::nullopt;
    return Complexe{*v, 0.0};
}

// Arguments where exponentials overflow or underflow, trigonometric functions lose their
// digits and squared moduli leave the range of doubles.
const std::vector<double> kExtremes = {0,   5e-324, 1e-300, 1e-20, 0.3,   1,     19.5,   177.5,
                                       200, 300,    354.9,  355,   400,   709.7, 709.8,  710.4,
                                       711, 1e18,   1e19,   1e154, 1e155, 1e300, DBL_MAX};

// Case builders: a real formula in x or a complex one in z, in radians or degrees.
constexpr bool kReal = false, kComplex = true;
constexpr int kRad = 0, kDeg = 1;
using At = std::optional<Complexe>;

NumberCase exactly(std::string f, bool complex, int unit, Complexe v, At at = {}) {
    return {std::move(f), complex, unit, Expect::exactly, v, 0, at};
}
NumberCase near(std::string f, bool complex, int unit, Complexe v, double relative, At at = {}) {
    return {std::move(f), complex, unit, Expect::near, v, relative, at};
}
NumberCase undefined(std::string f, bool complex, int unit, At at = {}) {
    return {std::move(f), complex, unit, Expect::undefined, {}, 0, at};
}
NumberCase noLeak(std::string f, bool complex, int unit) {
    return {std::move(f), complex, unit, Expect::noLeak, {}, 0, {}};
}

class TrustedNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TrustedNumbers, Evaluates) {
    const NumberCase& c = GetParam();
    AngleUnitScope unit(c.unit);
    FormulaFigure f;
    if (c.expect == Expect::noLeak) {
        std::vector<double> parts;
        for (double e : kExtremes) {
            parts.push_back(e);
            parts.push_back(-e);
        }
        for (double re : parts)
            for (double im : c.complex ? parts : std::vector<double>{0.0}) {
                auto v = evaluateCase(f, c, Complexe{re, im});
                if (v) {
                    EXPECT_TRUE(std::isfinite(v->re) && std::isfinite(v->im))
                        << "at " << re << " + i*" << im << ": " << v->re << " + i*" << v->im;
                }
            }
        return;
    }
    auto v = evaluateCase(f, c, c.at);
    if (c.expect == Expect::undefined) {
        EXPECT_FALSE(v.has_value())
            << v.value_or(Complexe{}).re << " " << v.value_or(Complexe{}).im;
        return;
    }
    ASSERT_TRUE(v.has_value());
    if (c.expect == Expect::exactly) {
        EXPECT_EQ(v->re, c.value.re);
        EXPECT_EQ(v->im, c.value.im);
    } else {
        EXPECT_LE(std::fabs(v->re - c.value.re), c.relative * std::fabs(c.value.re)) << v->re;
        EXPECT_LE(std::fabs(v->im - c.value.im), c.relative * std::fabs(c.value.im)) << v->im;
    }
}

// sin, cos and tan at every multiple of 90° over three turns each way, real and complex.
std::vector<NumberCase> rightAngles() {
    const double sines[4] = {0, 1, 0, -1}, cosines[4] = {1, 0, -1, 0};
    std::vector<NumberCase> cases;
    for (int k = -12; k <= 12; ++k) {
        int q = ((k % 4) + 4) % 4;
        std::string angle = "(" + std::to_string(90 * k) + ")";
        for (bool complex : {kReal, kComplex}) {
            cases.push_back(exactly("sin" + angle, complex, kDeg, {sines[q], 0}));
            cases.push_back(exactly("cos" + angle, complex, kDeg, {cosines[q], 0}));
            if (q % 2)
                cases.push_back(undefined("tan" + angle, complex, kDeg));
            else
                cases.push_back(exactly("tan" + angle, complex, kDeg, {0, 0}));
        }
        cases.push_back(exactly("exp(i*" + angle + ")", kComplex, kDeg, {cosines[q], sines[q]}));
    }
    return cases;
}

// (2^46 + 1) right angles, an exact double: 90° modulo 360°.
constexpr double kOddRightAngles = 90 * (0x1p46 + 1);

std::vector<NumberCase> degreeCases() {
    const double cos280 = std::cos(280 * kPi / 180), sin16 = std::sin(16 * kPi / 180);
    const double sin100 = std::sin(100 * evaluationState().degreesToRadians);
    return {
        exactly("cos(90)=0", kReal, kDeg, {1, 0}),
        exactly("sin(3600000000)", kReal, kDeg, {0, 0}),
        near("cos(1000000000000000000)", kReal, kDeg, {cos280, 0}, 4 * kUlp),
        near("cos(-1000000000000000000)", kReal, kDeg, {cos280, 0}, 4 * kUlp),
        near("cos(1000000000000000000)", kComplex, kDeg, {cos280, 0}, 4 * kUlp),
        undefined("tan(x)", kReal, kDeg, Complexe{kOddRightAngles, 0}),
        exactly("exp(z)", kComplex, kDeg, {0, 1}, Complexe{0, kOddRightAngles}),
        exactly("sin(x)", kReal, kDeg, {0, 0}, Complexe{1e300, 0}),
        near("sin(x)", kReal, kDeg, {sin16, 0}, 4 * kUlp, Complexe{0x1p100, 0}),
        undefined("sin(x)", kReal, kDeg, Complexe{INFINITY, 0}),
        // Within one turn, and in radians, a value is what it always was.
        exactly("sin(x)", kReal, kDeg, {sin100, 0}, Complexe{100, 0}),
        exactly("sin(pi)", kReal, kRad, {std::sin(kPi), 0}),
    };
}

// The guard: every built-in function and the operations at extreme arguments, in both units;
// then the formulas that showed "-nan", infinities or a silent 0, and quotients whose squared
// modulus left the range of doubles.
std::vector<NumberCase> guardCases() {
    std::vector<NumberCase> cases;
    for (int unit : {kRad, kDeg}) {
        for (int code = 0; code < kRealTableSize; ++code)
            cases.push_back(noLeak(builtInFunctionName(code) + "(x)", kReal, unit));
        for (int code = kComplexCodeBase; code < kComplexCodeBase + kComplexTableSize; ++code)
            cases.push_back(noLeak(builtInFunctionName(code) + "(z)", kComplex, unit));
        for (const char* op : {"z/(z+1)", "1/z", "z^2", "z^(-3)", "z^z", "z*z*z*z"})
            cases.push_back(noLeak(op, kComplex, unit));
    }
    const std::vector<NumberCase> named = {
        exactly("Th(200)", kComplex, kRad, {1, 0}),
        exactly("1/Th(200)", kComplex, kRad, {1, 0}),
        exactly("Th(300)+0", kComplex, kRad, {1, 0}),
        exactly("tan(0-200*i)", kComplex, kRad, {0, -1}),
        exactly("Th(x)", kReal, kRad, {1, 0}, Complexe{354, 0}),
        exactly("Th(z)", kComplex, kRad, {1, 0}, Complexe{354, 0}),
        exactly("re(Th(z))", kComplex, kRad, {1, 0}, Complexe{178, 1}),
        near("abs(10^200)", kComplex, kRad, {1e200, 0}, 4 * kUlp),
        near("ln(10^200)", kComplex, kRad, {200 * std::log(10.0), 0}, 4 * kUlp),
        exactly("abs(z)", kComplex, kRad, {1e-300, 0}, Complexe{0, -1e-300}),
        near("1/z", kComplex, kRad, {0, -1e200}, 4 * kUlp, Complexe{0, 1e-200}),
        near("z/(z+1)", kComplex, kRad, {1, 0}, 4 * kUlp, Complexe{1e300, 0}),
        undefined("1/z", kComplex, kRad, Complexe{0, 0}),
        undefined("1/z", kComplex, kRad, Complexe{5e-324, 0}),  // the quotient overflows
        undefined("tan(90)", kComplex, kDeg),
        undefined("Th(i*90)", kComplex, kDeg),
        undefined("Th(400)", kComplex, kRad),  // e^800 overflows, as for the real Th
    };
    cases.insert(cases.end(), named.begin(), named.end());
    return cases;
}

// Relative precision near 0, against the library's own sinh, cosh and tanh.
std::vector<NumberCase> precisionCases() {
    std::vector<NumberCase> cases;
    const double c1 = std::cos(1.0), s1 = std::sin(1.0), c2 = std::cos(2.0), s2 = std::sin(2.0);
    for (double x : {1e-300, 1e-200, 1e-100, 1e-50, 1e-20, 1e-12, 1e-10, 1e-8, 1e-5, 0.01, 0.29,
                     -1e-300, -1e-10, -1e-5}) {
        const double sh = std::sinh(x), ch = std::cosh(x), th = std::tanh(x);
        const double d = c2 + std::cosh(2 * x), sh2 = std::sinh(2 * x);
        const std::vector<NumberCase> more = {
            near("Sh(x)", kReal, kRad, {sh, 0}, 2 * kUlp, Complexe{x, 0}),
            near("Th(x)", kReal, kRad, {th, 0}, 2 * kUlp, Complexe{x, 0}),
            near("Sh(z)", kComplex, kRad, {sh, 0}, 2 * kUlp, Complexe{x, 0}),
            near("Th(z)", kComplex, kRad, {th, 0}, 4 * kUlp, Complexe{x, 0}),
            // The parts that are the sinh of the small number times a cosine or a sine.
            near("Sh(z)", kComplex, kRad, {sh * c2, ch * s2}, 4 * kUlp, Complexe{x, 2}),
            near("Ch(z)", kComplex, kRad, {ch * c2, sh * s2}, 4 * kUlp, Complexe{x, 2}),
            near("sin(z)", kComplex, kRad, {s1 * ch, c1 * sh}, 4 * kUlp, Complexe{1, x}),
            near("cos(z)", kComplex, kRad, {c1 * ch, -s1 * sh}, 4 * kUlp, Complexe{1, x}),
            near("tan(z)", kComplex, kRad, {s2 / d, sh2 / d}, 8 * kUlp, Complexe{1, x}),
            near("Th(z)", kComplex, kRad, {sh2 / d, s2 / d}, 8 * kUlp, Complexe{x, 1}),
        };
        cases.insert(cases.end(), more.begin(), more.end());
    }
    // An imaginary argument has an imaginary Th: no rounding noise in the real part.
    cases.push_back(near("Th(z)", kComplex, kRad, {0, std::tan(0.3)}, 4 * kUlp, Complexe{0, 0.3}));
    return cases;
}

std::vector<NumberCase> allCases() {
    std::vector<NumberCase> all = rightAngles();
    for (auto* part : {degreeCases, guardCases, precisionCases}) {
        auto more = part();
        all.insert(all.end(), more.begin(), more.end());
    }
    return all;
}

INSTANTIATE_TEST_SUITE_P(All, TrustedNumbers, ::testing::ValuesIn(allCases()));

// A damaged file can store a NaN or an infinite constant: it fails instead of being shown.
TEST(TrustedNumbers, NonFiniteConstantsFail) {
    for (double bad : {NAN, INFINITY}) {
        COperation sum(opAdd, std::make_unique<CConstante>(bad), std::make_unique<CConstante>(1));
        clearCalculationError();
        sum.evaluate();
        EXPECT_TRUE(isCalculationError());
        clearCalculationError();
        CFonction f(fnCAbs, std::make_unique<CConstante>(bad));
        f.evaluateComplex();
        EXPECT_TRUE(isCalculationError());
        clearCalculationError();
    }
}
}  // namespace
