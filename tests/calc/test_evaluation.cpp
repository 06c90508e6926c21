// Evaluation of formulas: domain rules, powers, precedence, comparisons, degree mode and the
// complex functions, through the parser as the user types them.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/Arithmetic.h"
#include "calc/FormulaFixture.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kUndefined = NAN;  // marks an expected failure in the tables

struct Case {
    const char* formula;
    double re, im;  // re kUndefined: the evaluation fails
    int unit;
    bool complex;
    double x;  // the formal variable x, when not NaN
};

Case real(const char* formula, double value, int unit = 0, double x = NAN) {
    return {formula, value, 0, unit, false, x};
}
Case cplx(const char* formula, double re, double im = 0, int unit = 0) {
    return {formula, re, im, unit, true, NAN};
}

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.formula;
}

class Formula : public ::testing::TestWithParam<Case> {};

TEST_P(Formula, Evaluates) {
    const Case& c = GetParam();
    AngleUnitScope unit(c.unit);
    FormulaFigure f;
    std::optional<Complexe> v;
    if (c.complex)
        v = f.complex(c.formula);
    else if (auto r = std::isnan(c.x) ? f.real(c.formula) : f.real(c.formula, c.x))
        v = Complexe{*r, 0};
    if (std::isnan(c.re)) {
        EXPECT_FALSE(v.has_value())
            << v.value_or(Complexe{}).re << " " << v.value_or(Complexe{}).im;
    } else {
        ASSERT_TRUE(v.has_value());
        EXPECT_NEAR(v->re, c.re, 1e-12 * std::max(1.0, std::fabs(c.re)));
        EXPECT_NEAR(v->im, c.im, 1e-12 * std::max(1.0, std::fabs(c.im)));
    }
}

// Domain rules, then powers, precedence and comparisons, then functions (in degrees last).
INSTANTIATE_TEST_SUITE_P(
    Real, Formula,
    ::testing::Values(
        real("1/0", kUndefined), real("0^0", kUndefined), real("0^(-1)", kUndefined),
        real("(-8)^(1/3)", kUndefined), real("arccos(2)", kUndefined), real("ArgTh(1)", kUndefined),
        real("ArgCh(0.5)", kUndefined), real("ln(0)", kUndefined), real("rac(-0.1)", kUndefined),
        real("0*(1/0)", kUndefined), real("exp(710)", kUndefined), real("Th(400)", kUndefined),
        real("10^200*10^200", kUndefined), real("(1/0)<1", kUndefined),
        real("sin(10^19)", kUndefined), real("(-2)^3", -8), real("(-2)^(-1)", -0.5),
        real("(-2)^257", -std::pow(2.0, 257)), real("0^2", 0), real("(-3)^0", 1), real("4^0.5", 2),
        real("2²²", 16), real("2^3²", 64), real("10^150^2", 1e300), real("x²", 2.25, 0, -1.5),
        real("-2^2", -4), real("2^3^2", 64), real("1-2+3", 2), real("8/4/2", 1), real("2+3*4", 14),
        real("-x^2", -9, 0, 3), real("1<2<3", 1), real("3>2>1", 0), real("1+1=2", 1),
        real("0.1+0.2=0.3", 0), real("-3<2", 1), real(".5", 0.5), real("PI/2", kPi / 2),
        real("int(-0.5)", -1), real("int(2.5)", 2), real("abs(-3)", 3), real("rac(2.25)", 1.5),
        real("ln(exp(2))", 2), real("arctan(1)", kPi / 4), real("Th(-400)", -1),
        real("Rand(5)*0", 0), real("arcsin(1)", 90, 1), real("Ch(1)", std::cosh(1.0), 1),
        real("tan(45)", 1, 1)));

INSTANTIATE_TEST_SUITE_P(
    Complex, Formula,
    ::testing::Values(
        cplx("1<i", NAN), cplx("-3<2", 0), cplx("2<-3", 1), cplx("i=i", 1), cplx("I*i", -1),
        cplx("i²", -1), cplx("(1+i)/(1-i)", 0, 1), cplx("1/(i-i)", NAN), cplx("abs(3+4*i)", 5),
        cplx("conj(2+i)", 2, -1), cplx("angle(-1-i)", -3 * kPi / 4), cplx("angle(-1)", kPi),
        cplx("angle(0)", NAN), cplx("im(2+3*i)", 3), cplx("sqrt(-1)", NAN), cplx("rac(4)", 2),
        cplx("exp(i*pi)", -1), cplx("ln(0)", NAN), cplx("i^i", std::exp(-kPi / 2)),
        cplx("0^i", NAN), cplx("0^(-2)", NAN), cplx("0^0", NAN), cplx("(1+i)^(-1)", 0.5, -0.5),
        cplx("int(i)", NAN), cplx("argTh(1)", NAN), cplx("sin(i)", 0, std::sinh(1.0)),
        cplx("ln(-1)", 0, 180, 1), cplx("angle(i)", 90, 0, 1), cplx("exp(ln(2+3*i))", 2, 3, 1)));

TEST(Evaluation, ValuesAndFunctionsOfTheFigure) {
    FormulaFigure f;
    auto* a = f.addVariable("a", 3);
    f.addFunction("f", "x^2+a");
    f.addComplexCalcul("w", "1+2*i");
    f.addComplexFunction("g", "z*z+i");
    EXPECT_EQ(f.real("f(f(1))"), 19.0);
    a->setValue(-1);
    EXPECT_EQ(f.real("f(x)*2", 2.0), 6.0);
    EXPECT_EQ(f.complex("w*i"), (Complexe{-2, 1}));
    EXPECT_EQ(f.complex("g(z)-z", Complexe{0, 1}), (Complexe{-1, 0}));
    a->exists = false;
    EXPECT_FALSE(buildRealTree(&f.list, "a+1")->isDefined());
}

TEST(Rand, KeepsItsDrawUntilRedraw) {
    FormulaFigure f;
    auto* a = f.addVariable("a", 1);
    auto tree = buildRealTree(&f.list, "Rand(0)");
    auto complexTree = buildComplexTree(&f.list, "Rand(0)");
    double first = tree->evaluate();
    EXPECT_EQ(tree->evaluate(), first);
    bool changed = false, imaginary = false;
    {
        RandomModeScope redraw(true, false);
        for (int k = 0; k < 20 && !(changed && imaginary); ++k) {
            changed = changed || tree->evaluate() != first;
            Complexe z = complexTree->evaluateComplex();
            EXPECT_TRUE(z.re >= 0 && z.re < 1 && z.im >= 0 && z.im < 1);
            imaginary = imaginary || z.im != 0;
        }
    }
    EXPECT_TRUE(changed && imaginary);
    double kept = tree->evaluate();
    {
        RandomModeScope transient(false, true);
        for (int k = 0; k < 20; ++k) tree->evaluate();
    }
    EXPECT_EQ(tree->evaluate(), kept);
    EXPECT_FALSE(dynamic_cast<CFonction*>(tree->getCopy().get())->drawn);
    auto random = buildRealTree(&f.list, "Rand(1)+1");
    EXPECT_TRUE(random->dependsOnForPositioning(a));
    EXPECT_FALSE(random->dependsOn(a));
    EXPECT_FALSE(buildRealTree(&f.list, "pi+1")->dependsOnForPositioning(a));
}

// A damaged file can leave a node without its children.
TEST(Evaluation, MissingChildrenFailInsteadOfCrashing) {
    COperation op(opAdd, nullptr, std::make_unique<CConstante>(1));
    clearCalculationError();
    op.evaluate();
    EXPECT_TRUE(isCalculationError());
    EXPECT_FALSE(op.isDefined());
    clearCalculationError();
    CResultatValeur dangling;
    EXPECT_FALSE(dangling.isDefined());
    dangling.evaluate();
    EXPECT_TRUE(isCalculationError());
    clearCalculationError();
}

// A long chain of functions each calling the previous one fails instead of exhausting the stack.
TEST(Evaluation, LongChainsOfFunctionCalls) {
    FormulaFigure f;
    f.addFunction("f", "x+1");
    for (int k = 1; k <= 1200; ++k) {
        auto g = std::make_unique<CFonc>("g" + std::to_string(k), "x", "x");
        auto* callee = dynamic_cast<CCalculAncetre*>(f.list.elementAt(f.last()));
        g->tree = std::make_unique<CAppelFonction>(callee, std::make_unique<CVariableFormelle>());
        g->computePosition();
        f.list.append(std::make_unique<CAction>(nat::fonction, std::move(g)));
    }
    clearCalculationError();
    EXPECT_EQ(dynamic_cast<CFonc*>(f.list.elementAt(100))->evaluateFunctionAt(1), 2.0);
    EXPECT_FALSE(isCalculationError());
    dynamic_cast<CFonc*>(f.list.elementAt(f.last()))->evaluateFunctionAt(1);
    EXPECT_TRUE(isCalculationError());
    clearCalculationError();
}
}  // namespace
