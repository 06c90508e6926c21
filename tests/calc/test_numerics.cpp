// Numbers a pupil checks first: exact values of degree arguments at right angles and for huge
// arguments, and no NaN or infinity shown as a result while the failure flag is down (over the
// whole function table at extreme arguments).
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
constexpr bool kReal = false, kComplex = true;
constexpr int kRad = 0, kDeg = 1;
using At = std::optional<Complexe>;

struct NumberCase {
    std::string formula;  // in x (real) or z (complex) when `at` is given
    bool complex = false;
    int unit = 0;
    bool defined = true;
    Complexe value{};
    double relative = 0;   // 0: to the last bit (a zero of either sign)
    At at = std::nullopt;  // the variable's value (x is at->re)
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.formula << (c.unit ? " (degrees)" : "");
    if (c.at) *os << " at " << c.at->re << " + i*" << c.at->im;
}

std::optional<Complexe> evaluate(FormulaFigure& f, const std::string& formula, bool complex,
                                 At at) {
    if (complex) return at ? f.complex(formula, *at) : f.complex(formula);
    auto v = at ? f.real(formula, at->re) : f.real(formula);
    if (!v) return std::nullopt;
    return Complexe{*v, 0.0};
}

NumberCase near(std::string f, bool complex, int unit, Complexe v, double relative, At at = {}) {
    return {std::move(f), complex, unit, true, v, relative, at};
}
NumberCase exactly(std::string f, bool complex, int unit, Complexe v, At at = {}) {
    return near(std::move(f), complex, unit, v, 0, at);
}
NumberCase undefined(std::string f, bool complex, int unit, At at = {}) {
    return {std::move(f), complex, unit, false, {}, 0, at};
}

class TrustedNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TrustedNumbers, Evaluates) {
    const NumberCase& c = GetParam();
    AngleUnitScope unit(c.unit);
    FormulaFigure f;
    auto v = evaluate(f, c.formula, c.complex, c.at);
    ASSERT_EQ(v.has_value(), c.defined) << v.value_or(Complexe{}).re;
    if (!v) return;
    EXPECT_LE(std::fabs(v->re - c.value.re), c.relative * std::fabs(c.value.re)) << v->re;
    EXPECT_LE(std::fabs(v->im - c.value.im), c.relative * std::fabs(c.value.im)) << v->im;
}

// (2^46 + 1) right angles, an exact double: 90° modulo 360°.
constexpr double kOddRightAngles = 90 * (0x1p46 + 1);

std::vector<NumberCase> allCases() {
    std::vector<NumberCase> cases;
    // sin, cos and tan at every multiple of 90° over two turns each way, real and complex.
    const double sines[4] = {0, 1, 0, -1}, cosines[4] = {1, 0, -1, 0};
    for (int k = -8; k <= 8; ++k) {
        int q = ((k % 4) + 4) % 4;
        std::string angle = "(" + std::to_string(90 * k) + ")";
        for (bool complex : {kReal, kComplex}) {
            cases.push_back(exactly("sin" + angle, complex, kDeg, {sines[q], 0}));
            cases.push_back(exactly("cos" + angle, complex, kDeg, {cosines[q], 0}));
            cases.push_back(q % 2 ? undefined("tan" + angle, complex, kDeg)
                                  : exactly("tan" + angle, complex, kDeg, {0, 0}));
        }
        cases.push_back(exactly("exp(i*" + angle + ")", kComplex, kDeg, {cosines[q], sines[q]}));
    }
    const double cos280 = std::cos(280 * kPi / 180), sin16 = std::sin(16 * kPi / 180);
    const double sin100 = std::sin(100 * evaluationState().degreesToRadians);
    const std::vector<NumberCase> named = {
        // Huge degree arguments are reduced exactly.
        exactly("sin(3600000000)", kReal, kDeg, {0, 0}),
        near("cos(-1000000000000000000)", kReal, kDeg, {cos280, 0}, 4 * kUlp),
        undefined("tan(x)", kReal, kDeg, Complexe{kOddRightAngles, 0}),
        exactly("exp(z)", kComplex, kDeg, {0, 1}, Complexe{0, kOddRightAngles}),
        near("sin(x)", kReal, kDeg, {sin16, 0}, 4 * kUlp, Complexe{0x1p100, 0}),
        undefined("sin(x)", kReal, kDeg, Complexe{INFINITY, 0}),
        // Within one turn, and in radians, a value is what it always was.
        exactly("sin(x)", kReal, kDeg, {sin100, 0}, Complexe{100, 0}),
        exactly("sin(pi)", kReal, kRad, {std::sin(kPi), 0}),
        // Formulas that showed "-nan", infinities or a silent 0, and quotients whose squared
        // modulus left the range of doubles.
        exactly("tan(0-200*i)", kComplex, kRad, {0, -1}),
        exactly("Th(x)", kReal, kRad, {1, 0}, Complexe{354, 0}),
        near("ln(10^200)", kComplex, kRad, {200 * std::log(10.0), 0}, 4 * kUlp),
        near("1/z", kComplex, kRad, {0, -1e200}, 4 * kUlp, Complexe{0, 1e-200}),
        undefined("1/z", kComplex, kRad, Complexe{5e-324, 0}),  // the quotient overflows
        undefined("Th(400)", kComplex, kRad),  // e^800 overflows, as for the real Th
        // An imaginary argument has an imaginary Th: no rounding noise in the real part.
        near("Th(z)", kComplex, kRad, {0, std::tan(0.3)}, 4 * kUlp, Complexe{0, 0.3}),
    };
    cases.insert(cases.end(), named.begin(), named.end());
    return cases;
}

INSTANTIATE_TEST_SUITE_P(All, TrustedNumbers, ::testing::ValuesIn(allCases()));

// Every built-in function and the operations at extreme arguments, in both units: undefined, or
// finite parts. The arguments are where exponentials overflow or underflow, trigonometric
// functions lose their digits and squared moduli leave the range of doubles.
TEST(TrustedNumbers, NoNanOrInfinityLeaksAtExtremeArguments) {
    std::vector<double> parts;
    for (double e :
         {0.0,   5e-324, 1e-300, 1e-20, 0.3,   1.0,  19.5, 177.5, 200.0, 300.0, 354.9,  355.0,
          400.0, 709.7,  709.8,  710.4, 711.0, 1e18, 1e19, 1e154, 1e155, 1e300, DBL_MAX}) {
        parts.push_back(e);
        parts.push_back(-e);
    }
    std::vector<std::pair<std::string, bool>> formulas;
    for (int code = 0; code < kRealTableSize; ++code)
        formulas.emplace_back(builtInFunctionName(code) + "(x)", kReal);
    for (int code = kComplexCodeBase; code < kComplexCodeBase + kComplexTableSize; ++code)
        formulas.emplace_back(builtInFunctionName(code) + "(z)", kComplex);
    for (const char* op : {"z/(z+1)", "1/z", "z^2", "z^(-3)", "z^z", "z*z*z*z"})
        formulas.emplace_back(op, kComplex);
    FormulaFigure f;
    for (int unit : {kRad, kDeg}) {
        AngleUnitScope scope(unit);
        for (const auto& [formula, complex] : formulas)
            for (double re : parts)
                for (double im : complex ? parts : std::vector<double>{0.0}) {
                    auto v = evaluate(f, formula, complex, Complexe{re, im});
                    if (v) {
                        EXPECT_TRUE(std::isfinite(v->re) && std::isfinite(v->im))
                            << formula << " (unit " << unit << ") at " << re << " + i*" << im;
                    }
                }
    }
}

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
