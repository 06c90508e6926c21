// The symbolic derivative: the listed rules against finite differences (with the chain rule
// through functions of the figure), the points where it is undefined and degree mode.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/Derivee.h"
#include "calc/FormulaFixture.h"
#include "values/CDerivee.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

// Value of the derivative of `formula` (in x) at x; nothing when undefined.
std::optional<double> derivativeAt(FormulaFigure& f, const std::string& formula, double x) {
    auto tree = buildRealTree(&f.list, formula, "x");
    auto d = derive(tree.get());
    clearCalculationError();
    double v = d->evaluateAt(x);
    bool failed = isCalculationError();
    clearCalculationError();
    if (failed) return std::nullopt;
    return v;
}

struct DerivativeCase {
    const char* formula;
    double x;
    int unit = 0;
};

void PrintTo(const DerivativeCase& c, std::ostream* os) {
    *os << c.formula << " at " << c.x;
}

class Derivative : public ::testing::TestWithParam<DerivativeCase> {};

// Central differences of the evaluated formula agree with the symbolic derivative.
TEST_P(Derivative, MatchesFiniteDifferences) {
    const DerivativeCase& c = GetParam();
    AngleUnitScope unit(c.unit);
    FormulaFigure f;
    f.addFunction("g", "x^2+sin(x)");
    f.addFunction("h", "g(x)+1");
    auto tree = buildRealTree(&f.list, c.formula, "x");
    const double h = 1e-5;
    double numeric = (tree->evaluateAt(c.x + h) - tree->evaluateAt(c.x - h)) / (2 * h);
    auto symbolic = derivativeAt(f, c.formula, c.x);
    ASSERT_TRUE(symbolic.has_value());
    EXPECT_NEAR(*symbolic, numeric, 1e-5 * std::max(1.0, std::fabs(numeric)));
}

using D = DerivativeCase;

INSTANTIATE_TEST_SUITE_P(
    Functions, Derivative,
    ::testing::Values(D{"abs(2*x-1)", -1}, D{"sqrt(3*x)", 2}, D{"sin(2*x)", 0.3},
                      D{"cos(x^2)", 0.7}, D{"tan(x/2)", 0.4}, D{"ln(x^2+1)", 1.5},
                      D{"exp(-x)", 0.2}, D{"arctan(3*x)", 0.1}, D{"arcsin(x/2)", 0.6},
                      D{"arccos(x/2)", 0.6}, D{"Ch(x)", 0.8}, D{"Sh(2*x)", 0.3}, D{"Th(x)", 0.5},
                      D{"ArgCh(x+2)", 0.5}, D{"ArgSh(x^2)", 1.2}, D{"ArgTh(x/2)", 0.4},
                      D{"x^x", 1.4}, D{"(x+1)/(x-2)", 0.5}, D{"g(x)*x", 0.5}, D{"g(x^2)", 0.9},
                      D{"h(2*x)", 0.7}, D{"tan(x)", 20, 1}, D{"arccos(x)", 0.5, 1},
                      D{"(x>1)*x", 2}));

TEST(Derivative, ListedValues) {
    FormulaFigure f;
    EXPECT_NEAR(*derivativeAt(f, "2^x", 3), 8 * std::log(2.0), 1e-12);
    EXPECT_FALSE(derivativeAt(f, "abs(x)", 0));
    EXPECT_EQ(derivativeAt(f, "int(x)", 0.5), 0.0);
    EXPECT_FALSE(derivativeAt(f, "int(x)", 1));
    EXPECT_FALSE(derivativeAt(f, "ln(x)", -1));
    EXPECT_EQ(derivativeAt(f, "Rand(x)", 2), 0.0);
    EXPECT_EQ(derivativeAt(f, "x<2", 1), 0.0);
    AngleUnitScope deg(1);
    EXPECT_NEAR(*derivativeAt(f, "sin(x)", 0), kPi / 180, 1e-15);
}

TEST(CDerivee, FollowsItsSource) {
    FormulaFigure f;
    f.list.angleUnit = 1;
    CFonc* src = f.addFunction("f", "sin(x)");
    CDerivee* df = f.add(nat::fonction, std::make_unique<CDerivee>("df", src, f.list));
    EXPECT_TRUE(df->exists);
    EXPECT_EQ(df->getConstructionInfo(nullptr, nullptr, nullptr),
              "df : fonction dérivée de la fonction f\r\nf(x) = sin(x)");
    EXPECT_EQ(f.real("df(0)*180/pi"), 1.0);
    EXPECT_NEAR(CDerivee("ddf", df, f.list).evaluateFunctionAt(90), -(kPi / 180) * (kPi / 180),
                1e-15);  // a derivative of the derivative
    // The source edited: the derivative is rebuilt.
    src->formula = "x^2";
    src->rebuildTree(f.list);
    rebuildDerivativesOf(f.list, src);
    EXPECT_EQ(df->evaluateFunctionAt(3), 6.0);
}
}  // namespace
