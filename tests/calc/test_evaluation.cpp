// Evaluation of formulas: domain rules, powers, precedence, comparisons, degree mode and the
// complex functions, through the parser as the user types them.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/Arithmetic.h"
#include "calc/FormulaFixture.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kUndefined = NAN;  // marks an expected failure in the tables

struct RealCase {
    const char* formula;
    double expected;  // kUndefined: the evaluation fails
    int unit = 0;
    double x = NAN;  // the formal variable x, when not NaN
};

void PrintTo(const RealCase& c, std::ostream* os) {
    *os << c.formula;
}

class RealFormula : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealFormula, Evaluates) {
    const RealCase& c = GetParam();
    AngleUnitScope unit(c.unit);
    FormulaFigure f;
    auto v = std::isnan(c.x) ? f.real(c.formula) : f.real(c.formula, c.x);
    if (std::isnan(c.expected)) {
        EXPECT_FALSE(v.has_value()) << "value " << v.value_or(0);
    } else {
        ASSERT_TRUE(v.has_value());
        EXPECT_NEAR(*v, c.expected, 1e-12 * std::max(1.0, std::fabs(c.expected)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Undefined, RealFormula,
    ::testing::Values(RealCase{"1/0", kUndefined}, RealCase{"0^0", kUndefined},
                      RealCase{"0^(-1)", kUndefined}, RealCase{"(-8)^(1/3)", kUndefined},
                      RealCase{"arccos(2)", kUndefined}, RealCase{"arcsin(-1.5)", kUndefined},
                      RealCase{"ArgTh(1)", kUndefined}, RealCase{"ArgTh(-1)", kUndefined},
                      RealCase{"ArgCh(0.5)", kUndefined}, RealCase{"ln(0)", kUndefined},
                      RealCase{"ln(-2)", kUndefined}, RealCase{"sqrt(-1)", kUndefined},
                      RealCase{"rac(-0.1)", kUndefined}, RealCase{"0*(1/0)", kUndefined},
                      RealCase{"exp(710)", kUndefined}, RealCase{"Ch(-800)", kUndefined},
                      RealCase{"Sh(800)", kUndefined}, RealCase{"Th(400)", kUndefined},
                      RealCase{"10^200*10^200", kUndefined}, RealCase{"10^400", kUndefined},
                      RealCase{"(1/0)<1", kUndefined}, RealCase{"sin(10^19)", kUndefined}));

INSTANTIATE_TEST_SUITE_P(
    Powers, RealFormula,
    ::testing::Values(RealCase{"(-2)^3", -8}, RealCase{"(-2)^(-1)", -0.5}, RealCase{"(-2)^2", 4},
                      RealCase{"(-2)^256", std::pow(2.0, 256)},
                      RealCase{"(-2)^257", -std::pow(2.0, 257)},
                      RealCase{"2^300", std::pow(2.0, 300)}, RealCase{"2^255", std::pow(2.0, 255)},
                      RealCase{"0^2", 0}, RealCase{"5^0", 1}, RealCase{"(-3)^0", 1},
                      RealCase{"4^0.5", 2}, RealCase{"2^(-2)", 0.25}, RealCase{"3²", 9},
                      RealCase{"2²²", 16}, RealCase{"2^3²", 64}, RealCase{"10^150^2", 1e300},
                      RealCase{"(10^200)^1", 1e200}, RealCase{"x²", 2.25, 0, -1.5}));

INSTANTIATE_TEST_SUITE_P(
    Precedence, RealFormula,
    ::testing::Values(RealCase{"-2^2", -4}, RealCase{"2^3^2", 64}, RealCase{"1-2+3", 2},
                      RealCase{"8/4/2", 1}, RealCase{"2+3*4", 14}, RealCase{"(2+3)*4", 20},
                      RealCase{"-x^2", -9, 0, 3}, RealCase{"+3", 3}, RealCase{"2*(-3)", -6},
                      RealCase{"-2*3", -6}, RealCase{"-2+3", 1}, RealCase{"1<2<3", 1},
                      RealCase{"3>2>1", 0}, RealCase{"1<>2", 1}, RealCase{"2<>2", 0},
                      RealCase{"2>=2", 1}, RealCase{"2<=1", 0}, RealCase{"2=2", 1},
                      RealCase{"1+1=2", 1}, RealCase{"0.1+0.2=0.3", 0}, RealCase{"-3<2", 1},
                      RealCase{"(x>0)*x", 0, 0, -2}, RealCase{"(x>0)*x", 3, 0, 3},
                      RealCase{" 2 + 3 ", 5}, RealCase{"sin (0)", 0},
                      RealCase{"SIN(X)", std::sin(1.0), 0, 1}, RealCase{".5", 0.5},
                      RealCase{"2.", 2}, RealCase{"pi", kPi}, RealCase{"PI/2", kPi / 2}));

INSTANTIATE_TEST_SUITE_P(
    Functions, RealFormula,
    ::testing::Values(RealCase{"int(-0.5)", -1}, RealCase{"int(-2.5)", -3}, RealCase{"int(2.5)", 2},
                      RealCase{"abs(-3)", 3}, RealCase{"sqrt(16)", 4}, RealCase{"rac(2.25)", 1.5},
                      RealCase{"ln(exp(2))", 2}, RealCase{"arctan(1)", kPi / 4},
                      RealCase{"arccos(-1)", kPi}, RealCase{"Ch(0)", 1}, RealCase{"Sh(0)", 0},
                      RealCase{"Th(-400)", -1}, RealCase{"ArgCh(1)", 0},
                      RealCase{"ArgSh(-1000000000)", std::asinh(-1e9)},
                      RealCase{"ArgTh(0.5)", std::atanh(0.5)}, RealCase{"Rand(5)*0", 0},

                      RealCase{"arcsin(1)", 90, 1}, RealCase{"arctan(1)", 45, 1},
                      RealCase{"arccos(0)", 90, 1}, RealCase{"Ch(1)", std::cosh(1.0), 1},
                      RealCase{"tan(45)", 1, 1}, RealCase{"sin(pi/2)", 1, 0}));

struct ComplexCase {
    const char* formula;
    double re, im;  // re NaN: the evaluation fails
    int unit = 0;
};

void PrintTo(const ComplexCase& c, std::ostream* os) {
    *os << c.formula;
}

class ComplexFormula : public ::testing::TestWithParam<ComplexCase> {};

TEST_P(ComplexFormula, Evaluates) {
    const ComplexCase& c = GetParam();
    AngleUnitScope unit(c.unit);
    FormulaFigure f;
    auto v = f.complex(c.formula);
    if (std::isnan(c.re)) {
        EXPECT_FALSE(v.has_value())
            << "value " << v.value_or(Complexe{}).re << " " << v.value_or(Complexe{}).im;
    } else {
        ASSERT_TRUE(v.has_value());
        EXPECT_NEAR(v->re, c.re, 1e-12 * std::max(1.0, std::fabs(c.re)));
        EXPECT_NEAR(v->im, c.im, 1e-12 * std::max(1.0, std::fabs(c.im)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, ComplexFormula,
    ::testing::Values(
        ComplexCase{"1<i", NAN, 0}, ComplexCase{"-3<2", 0, 0}, ComplexCase{"2<-3", 1, 0},
        ComplexCase{"-3<=3", 1, 0}, ComplexCase{"i=i", 1, 0}, ComplexCase{"i<>1", 1, 0},
        ComplexCase{"2*i", 0, 2}, ComplexCase{"I*i", -1, 0}, ComplexCase{"i²", -1, 0},
        ComplexCase{"(1+i)/(1-i)", 0, 1}, ComplexCase{"1/(i-i)", NAN, 0},
        ComplexCase{"abs(3+4*i)", 5, 0}, ComplexCase{"conj(2+i)", 2, -1},
        ComplexCase{"angle(i)", kPi / 2, 0}, ComplexCase{"angle(-1-i)", -3 * kPi / 4, 0},
        ComplexCase{"angle(-1)", kPi, 0}, ComplexCase{"angle(0)", NAN, 0},
        ComplexCase{"re(2+3*i)", 2, 0}, ComplexCase{"im(2+3*i)", 3, 0},
        ComplexCase{"sqrt(-1)", NAN, 0}, ComplexCase{"sqrt(i)", NAN, 0},
        ComplexCase{"rac(4)", 2, 0}, ComplexCase{"exp(i*pi)", -1, 0}, ComplexCase{"ln(-1)", 0, kPi},
        ComplexCase{"ln(0)", NAN, 0}, ComplexCase{"i^i", std::exp(-kPi / 2), 0},
        ComplexCase{"0^i", NAN, 0}, ComplexCase{"0^2", 0, 0}, ComplexCase{"0^(-2)", NAN, 0},
        ComplexCase{"0^0", NAN, 0}, ComplexCase{"(1+i)^2", 0, 2},
        ComplexCase{"(1+i)^(-1)", 0.5, -0.5}, ComplexCase{"i^0", 1, 0},
        ComplexCase{"2^0.5", std::sqrt(2.0), 0}, ComplexCase{"int(i)", NAN, 0},
        ComplexCase{"int(-0.5)", -1, 0}, ComplexCase{"arccos(2)", NAN, 0},
        ComplexCase{"arcsin(1)", kPi / 2, 0}, ComplexCase{"argTh(1)", NAN, 0},
        ComplexCase{"sin(pi/2)", 1, 0}, ComplexCase{"cos(0)", 1, 0}, ComplexCase{"tan(0)", 0, 0},
        ComplexCase{"Ch(0)", 1, 0}, ComplexCase{"Sh(0)", 0, 0}, ComplexCase{"Th(0)", 0, 0},
        ComplexCase{"sin(i)", 0, std::sinh(1.0)}, ComplexCase{"ln(-1)", 0, 180, 1},
        ComplexCase{"angle(i)", 90, 0, 1}, ComplexCase{"arcsin(1)", 90, 0, 1},
        ComplexCase{"exp(ln(2+3*i))", 2, 3, 1}));

TEST(Evaluation, NanBecomesZeroWithoutFailure) {
    clearCalculationError();
    double v = NAN;
    checkResult(v);
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(isCalculationError());
    v = INFINITY;
    checkResult(v);
    EXPECT_TRUE(isCalculationError());
    clearCalculationError();
}

TEST(Evaluation, FlagStaysRaisedThroughLaterSteps) {
    FormulaFigure f;
    EXPECT_FALSE(f.real("sqrt(-1)*0+1").has_value());
    EXPECT_FALSE(f.real("(ln(0)>0)+1").has_value());
}

TEST(Evaluation, ValuesOfTheFigure) {
    FormulaFigure f;
    auto* a = f.addVariable("a", 3);
    f.addFunction("f", "x^2+a");
    f.addComplexCalcul("w", "1+2*i");
    EXPECT_EQ(f.real("f(2)"), 7.0);
    EXPECT_EQ(f.real("f(f(1))"), 19.0);
    a->setValue(-1);
    EXPECT_EQ(f.real("f(x)*2", 2.0), 6.0);
    auto w = f.complex("w*i");
    ASSERT_TRUE(w);
    EXPECT_EQ(*w, (Complexe{-2, 1}));
    a->exists = false;
    auto tree = buildRealTree(&f.list, "a+1");
    EXPECT_FALSE(tree->isDefined());
}

TEST(Evaluation, ComplexFunctionOfTheFigure) {
    FormulaFigure f;
    f.addComplexFunction("g", "z*z+i");
    auto v = f.complex("g(1+i)");
    ASSERT_TRUE(v);
    EXPECT_EQ(*v, (Complexe{0, 3}));
    auto at = f.complex("g(z)-z", Complexe{0, 1});
    ASSERT_TRUE(at);
    EXPECT_EQ(*at, (Complexe{-1, 0}));
}

TEST(Rand, KeepsItsDrawUntilRedraw) {
    FormulaFigure f;
    auto tree = buildRealTree(&f.list, "Rand(0)");
    double first = tree->evaluate();
    EXPECT_GE(first, 0.0);
    EXPECT_LT(first, 1.0);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(tree->evaluate(), first);
    bool changed = false;
    {
        RandomModeScope redraw(true, false);
        for (int k = 0; k < 20 && !changed; ++k) changed = tree->evaluate() != first;
    }
    EXPECT_TRUE(changed);
    double kept = tree->evaluate();
    {
        RandomModeScope transient(false, true);
        for (int k = 0; k < 20; ++k) tree->evaluate();
    }
    EXPECT_EQ(tree->evaluate(), kept);
}

TEST(Rand, CopyDrawsAgainAndComplexDrawsBothParts) {
    FormulaFigure f;
    auto tree = buildComplexTree(&f.list, "Rand(0)");
    bool imaginary = false;
    {
        RandomModeScope redraw(true, false);
        for (int k = 0; k < 20 && !imaginary; ++k) {
            Complexe z = tree->evaluateComplex();
            EXPECT_TRUE(z.re >= 0 && z.re < 1 && z.im >= 0 && z.im < 1);
            imaginary = z.im != 0;
        }
    }
    EXPECT_TRUE(imaginary);
    auto* fn = dynamic_cast<CFonction*>(tree.get());
    ASSERT_NE(fn, nullptr);
    EXPECT_TRUE(fn->drawn);
    auto copy = tree->getCopy();
    EXPECT_FALSE(dynamic_cast<CFonction*>(copy.get())->drawn);
}

TEST(Rand, RefreshedByBoundedVariables) {
    FormulaFigure f;
    auto* a = f.addVariable("a", 1);
    auto random = buildRealTree(&f.list, "Rand(1)+1");
    auto plain = buildRealTree(&f.list, "pi+1");
    EXPECT_TRUE(random->dependsOnForPositioning(nullptr));
    EXPECT_TRUE(random->dependsOnForPositioning(a));
    EXPECT_FALSE(random->dependsOn(a));
    EXPECT_FALSE(plain->dependsOnForPositioning(nullptr));
    EXPECT_FALSE(plain->dependsOnForPositioning(a));
}

TEST(Evaluation, MissingChildrenFailInsteadOfCrashing) {
    COperation op(opAdd, nullptr, std::make_unique<CConstante>(1));
    clearCalculationError();
    EXPECT_EQ(op.evaluate(), 1.0);
    EXPECT_TRUE(isCalculationError());
    EXPECT_FALSE(op.isDefined());
    clearCalculationError();
    CResultatValeur dangling;
    EXPECT_FALSE(dangling.isDefined());
    dangling.evaluate();
    EXPECT_TRUE(isCalculationError());
    clearCalculationError();
}
}  // namespace

namespace {
// A long chain of functions each calling the previous one fails instead of exhausting the stack.
TEST(Evaluation, LongChainsOfFunctionCalls) {
    FormulaFigure f;
    f.addFunction("f", "x+1");
    for (int k = 1; k <= 1200; ++k) {
        auto g = std::make_unique<CFonc>("g" + std::to_string(k), "x", "x");
        std::string previous = k == 1 ? "f" : "g" + std::to_string(k - 1);
        CCalculAncetre* callee =
            dynamic_cast<CCalculAncetre*>(f.list.elementAt(f.list.count() - 1));
        g->tree = std::make_unique<CAppelFonction>(callee, std::make_unique<CVariableFormelle>());
        g->computePosition();
        f.list.append(std::make_unique<CAction>(nat::fonction, std::move(g)));
    }
    auto* near = dynamic_cast<CFonc*>(f.list.elementAt(100));
    clearCalculationError();
    EXPECT_EQ(near->evaluateFunctionAt(1), 2.0);
    EXPECT_FALSE(isCalculationError());
    auto* last = dynamic_cast<CFonc*>(f.list.elementAt(f.list.count() - 1));
    last->evaluateFunctionAt(1);
    EXPECT_TRUE(isCalculationError());
    clearCalculationError();
}
}  // namespace
