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
    if (c.at) *os << " at " << c.at->re << (c.complex ? " + i*" + std::to_string(c.at->im) : "");
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
        for (bool complex : {false, true}) {
            cases.push_back({"sin" + angle, complex, 1, Expect::exactly, {sines[q], 0}});
            cases.push_back({"cos" + angle, complex, 1, Expect::exactly, {cosines[q], 0}});
            if (q % 2)
                cases.push_back({"tan" + angle, complex, 1, Expect::undefined});
            else
                cases.push_back({"tan" + angle, complex, 1, Expect::exactly, {0, 0}});
        }
        cases.push_back({"exp(i*" + angle + ")", true, 1, Expect::exactly, {cosines[q], sines[q]}});
    }
    return cases;
}

// (2^46 + 1) right angles, an exact double: 90° modulo 360°.
constexpr double kOddRightAngles = 90 * (0x1p46 + 1);

std::vector<NumberCase> degreeCases() {
    const double cos280 = std::cos(280 * kPi / 180), sin16 = std::sin(16 * kPi / 180);
    return {
        {"cos(90)=0", false, 1, Expect::exactly, {1, 0}},
        {"sin(3600000000)", false, 1, Expect::exactly, {0, 0}},
        {"cos(1000000000000000000)", false, 1, Expect::near, {cos280, 0}, 4 * kUlp},
        {"cos(-1000000000000000000)", false, 1, Expect::near, {cos280, 0}, 4 * kUlp},
        {"tan(x)", false, 1, Expect::undefined, {}, 0, Complexe{kOddRightAngles, 0}},
        {"sin(x)", false, 1, Expect::exactly, {0, 0}, 0, Complexe{1e300, 0}},
        {"sin(x)", false, 1, Expect::near, {sin16, 0}, 4 * kUlp, Complexe{0x1p100, 0}},
        {"sin(x)", false, 1, Expect::undefined, {}, 0, Complexe{INFINITY, 0}},
        {"cos(1000000000000000000)", true, 1, Expect::near, {cos280, 0}, 4 * kUlp},
        {"exp(z)", true, 1, Expect::exactly, {0, 1}, 0, Complexe{0, kOddRightAngles}},
        // A radian argument within one turn is what it always was.
        {"sin(pi)", false, 0, Expect::exactly, {std::sin(kPi), 0}},
        {"sin(x)",
         false,
         1,
         Expect::exactly,
         {std::sin(100 * evaluationState().degreesToRadians), 0},
         0,
         Complexe{100, 0}},
    };
}

// The guard: every built-in function at extreme arguments, in both units, then the formulas
// that showed "-nan" or a silent 0.
std::vector<NumberCase> guardCases() {
    std::vector<NumberCase> cases;
    for (int unit : {0, 1}) {
        for (int code = 0; code < kRealTableSize; ++code)
            cases.push_back({builtInFunctionName(code) + "(x)", false, unit, Expect::noLeak});
        for (int code = kComplexCodeBase; code < kComplexCodeBase + kComplexTableSize; ++code)
            cases.push_back({builtInFunctionName(code) + "(z)", true, unit, Expect::noLeak});
        for (const char* op : {"z/(z+1)", "1/z", "z^2", "z^(-3)", "z^z", "z*z*z*z"})
            cases.push_back({op, true, unit, Expect::noLeak});
    }
    cases.push_back({"Th(200)", true, 0, Expect::exactly, {1, 0}});
    cases.push_back({"1/Th(200)", true, 0, Expect::exactly, {1, 0}});
    cases.push_back({"Th(300)+0", true, 0, Expect::exactly, {1, 0}});
    cases.push_back({"tan(0-200*i)", true, 0, Expect::exactly, {0, -1}});
    cases.push_back({"Th(x)", false, 0, Expect::exactly, {1, 0}, 0, Complexe{354, 0}});
    cases.push_back({"Th(z)", true, 0, Expect::exactly, {1, 0}, 0, Complexe{354, 0}});
    cases.push_back({"re(Th(z))", true, 0, Expect::exactly, {1, 0}, 0, Complexe{178, 1}});
    cases.push_back({"abs(10^200)", true, 0, Expect::near, {1e200, 0}, 4 * kUlp});
    cases.push_back({"ln(10^200)", true, 0, Expect::near, {200 * std::log(10.0), 0}, 4 * kUlp});
    cases.push_back({"abs(z)", true, 0, Expect::exactly, {1e-300, 0}, 0, Complexe{0, -1e-300}});
    cases.push_back({"1/z", true, 0, Expect::near, {0, -1e200}, 4 * kUlp, Complexe{0, 1e-200}});
    cases.push_back({"z/(z+1)", true, 0, Expect::near, {1, 0}, 4 * kUlp, Complexe{1e300, 0}});
    cases.push_back({"1/z", true, 0, Expect::undefined, {}, 0, Complexe{0, 0}});
    cases.push_back({"1/z", true, 0, Expect::undefined, {}, 0, Complexe{5e-324, 0}});
    cases.push_back({"tan(90)", true, 1, Expect::undefined});
    cases.push_back({"Th(i*90)", true, 1, Expect::undefined});
    cases.push_back({"Th(400)", true, 0, Expect::undefined});
    return cases;
}

// Relative precision near 0, against the library's own sinh, cosh and tanh.
std::vector<NumberCase> precisionCases() {
    std::vector<NumberCase> cases;
    for (double x : {1e-300, 1e-200, 1e-100, 1e-50, 1e-20, 1e-12, 1e-10, 1e-8, 1e-5, 0.01, 0.29,
                     -1e-300, -1e-10, -1e-5}) {
        double sh = std::sinh(x), th = std::tanh(x);
        cases.push_back({"Sh(x)", false, 0, Expect::near, {sh, 0}, 2 * kUlp, Complexe{x, 0}});
        cases.push_back({"Th(x)", false, 0, Expect::near, {th, 0}, 2 * kUlp, Complexe{x, 0}});
        cases.push_back({"Sh(z)", true, 0, Expect::near, {sh, 0}, 2 * kUlp, Complexe{x, 0}});
        cases.push_back({"Th(z)", true, 0, Expect::near, {th, 0}, 4 * kUlp, Complexe{x, 0}});
        // The parts that are sinh of the small number times a cosine or sine.
        cases.push_back({"Sh(z)",
                         true,
                         0,
                         Expect::near,
                         {sh * std::cos(2.0), std::cosh(x) * std::sin(2.0)},
                         4 * kUlp,
                         Complexe{x, 2}});
        cases.push_back({"Ch(z)",
                         true,
                         0,
                         Expect::near,
                         {std::cosh(x) * std::cos(2.0), sh * std::sin(2.0)},
                         4 * kUlp,
                         Complexe{x, 2}});
        cases.push_back({"sin(z)",
                         true,
                         0,
                         Expect::near,
                         {std::sin(1.0) * std::cosh(x), std::cos(1.0) * sh},
                         4 * kUlp,
                         Complexe{1, x}});
        cases.push_back({"cos(z)",
                         true,
                         0,
                         Expect::near,
                         {std::cos(1.0) * std::cosh(x), -std::sin(1.0) * sh},
                         4 * kUlp,
                         Complexe{1, x}});
        double d = std::cos(2.0) + std::cosh(2 * x);
        cases.push_back({"tan(z)",
                         true,
                         0,
                         Expect::near,
                         {std::sin(2.0) / d, std::sinh(2 * x) / d},
                         8 * kUlp,
                         Complexe{1, x}});
        cases.push_back({"Th(z)",
                         true,
                         0,
                         Expect::near,
                         {std::sinh(2 * x) / d, std::sin(2.0) / d},
                         8 * kUlp,
                         Complexe{x, 1}});
    }
    // An imaginary argument has an imaginary Th: no rounding noise in the real part.
    cases.push_back(
        {"Th(z)", true, 0, Expect::near, {0, std::tan(0.3)}, 4 * kUlp, Complexe{0, 0.3}});
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
