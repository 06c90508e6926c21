// Numerical values: recurrent sequences and their index rules, equation solutions by bisection
// (sign change, halving limit, reversed bounds), Simpson integrals, existence tests, the graphs
// of sequences and the files with a term count out of range.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/FormulaFixture.h"
#include "core/CArchive.h"
#include "core/CRecordingDC.h"
#include "geometry/CGrapheSuiteRec.h"
#include "geometry/CRepere.h"
#include "values/CSolutionEquation.h"
#include "values/CSuiteRec.h"

namespace {
CValeurAssocieeAVariable num(double v) {
    return CValeurAssocieeAVariable(v);
}

TEST(NumericSequence, IndexRules) {
    FormulaFigure f;
    CFonc* fn = f.addFunction("f", "x+1");
    auto* u = f.make<CSuiteRec>(nat::suiteRec, "u", fn, 5, num(2));
    EXPECT_EQ(u->evaluateFunctionAt(4), 6);
    for (double k : {2.5, -1.0, 5.0}) {
        EXPECT_EQ(u->evaluateFunctionAt(k), 0) << k;
        EXPECT_TRUE(isCalculationError()) << k;
        clearCalculationError();
    }
    EXPECT_EQ(f.addCalcul("c", "u(3)*2")->value, 10);
    EXPECT_FALSE(f.addCalcul("d", "u(5)")->exists);
    EXPECT_EQ(u->getConstructionInfo(nullptr, nullptr, nullptr),
              "Suite récurrente u\r\nu(n+1)=f[u(n)] avec u(0)=2");
    // 1/x from 0: the sequence stops at index 0.
    EXPECT_EQ(
        f.make<CSuiteRec>(nat::suiteRec, "v", f.addFunction("g", "1/x"), 10, num(0))->lastIndex, 0);
}

TEST(NumericSequence, TermCountWithinTwoAndFiveHundredUndefinedFirstTerm) {
    FormulaFigure f;
    CCalcul* z = f.addCalcul("z", "1/0");
    CFonc* fn = f.addFunction("f", "x/2");
    CSuiteRec u("u", fn, 1000, num(1));
    EXPECT_EQ(u.termCount, 500);
    u.setTermCount(1);
    EXPECT_EQ(u.terms.size(), 2u);
    EXPECT_FALSE(f.make<CSuiteRec>(nat::suiteRec, "v", fn, 5, CValeurAssocieeAVariable(z))->exists);
}

TEST(NumericSequence, ComplexSequence) {
    FormulaFigure f;
    CFoncComplexe* g = f.addComplexFunction("g", "z*i");
    auto* w =
        f.make<CSuiteRecComplexe>(nat::suiteRecComplexe, "w", g, 4, CValeurAssocieeComp({1, 0}));
    ASSERT_TRUE(w->exists);
    EXPECT_NEAR(w->evaluateFunctionComplexAt({2, 0}).re, -1, 1e-12);
    EXPECT_FALSE(isCalculationError());
    w->evaluateFunctionComplexAt({1, 0.5});  // no index with an imaginary part
    EXPECT_TRUE(isCalculationError());
    clearCalculationError();
}

TEST(NumericBisection, SignChangeHalvingLimitAndBounds) {
    struct Case {
        const char* formula;
        double a, b, tolerance;
        bool exists;
        double value;
    };
    for (const Case& c :
         {Case{"x^2-2", 2, 0, 0.001, true, 1.416015625},  // reversed bounds
          Case{"x^2+1", -1, 1, 0.001, false, 0},
          Case{"x", 0, 1, 0.1, true, 0.125},  // a root at a bound is found
          Case{"x-0.1", 0, 1, 2, true, 0.5},  // no halving: the midpoint
          Case{"x-0.5", 0, 1, 0, false, 0},
          // 2^-1000 is about 9.3e-302: 1e-302 needs 1003 halvings.
          Case{"x-0.3", 0, 1, 1e-302, false, 0}, Case{"1/(x-0.5)+0*x", 0, 1, 0.01, false, 0}}) {
        FormulaFigure f;
        auto* s =
            f.make<CSolutionEquation>(nat::valeurNumerique, "s", f.addFunction("f", c.formula),
                                      num(c.a), num(c.b), num(c.tolerance));
        EXPECT_EQ(s->exists, c.exists) << c.formula;
        EXPECT_EQ(s->exists ? s->value : 0, c.value) << c.formula;
        EXPECT_FALSE(isCalculationError());
    }
}

TEST(NumericSolution, Description) {
    FormulaFigure f;
    CFonc* fn = f.addFunction("f", "x^2-2");
    CSolutionEquation s("s", fn, num(0), num(2), num(0.001));
    s.computePosition();
    EXPECT_EQ(s.getConstructionInfo(nullptr, nullptr, nullptr),
              "Solution nommée s de l'équation f(x) = 0 avec\r\nf(x) = x^2-2\r\nValeur actuelle : "
              "s ~ 1.416015625");
}

TEST(NumericIntegral, ExactForCubicsUndefinedSamplePointOrEqualBounds) {
    FormulaFigure f;
    CFonc* cube = f.addFunction("g", "x^3");
    EXPECT_NEAR(f.make<CIntegrale>(nat::valeurNumerique, "J", cube, num(2), num(0), 3)->value, -4,
                1e-12);
    CFonc* fn = f.addFunction("f", "1/x");
    EXPECT_FALSE(f.make<CIntegrale>(nat::valeurNumerique, "I", fn, num(-1), num(1), 2)->exists);
    EXPECT_FALSE(isCalculationError());
    auto* z = f.make<CIntegrale>(nat::valeurNumerique, "Z", fn, num(0), num(0), 2);
    EXPECT_EQ(z->exists ? z->value : -1, 0);
}

TEST(NumericExistence, TestOfAnUndefinedCalculation) {
    FormulaFigure f;
    CCalcul* c = f.addCalcul("c", "1/0");
    auto* t = f.make<CTestExistence>(nat::calcul, "t", c);
    EXPECT_EQ(t->exists ? t->value : -1, 0);
    auto* t2 = f.make<CTestExistence>(nat::calcul, "t2", f.addCalcul("d", "2"));
    EXPECT_EQ(
        t2->getConstructionInfo(nullptr, nullptr, nullptr),
        "Test d'existence nommé t2\r\nVaut 1 si d existe et 0 sinon\r\nValeur actuelle : t2 = 1");
}

// The cobweb of u(n+1) = u(n)/2 from 2 in a frame of origin (100, 400) and unit 100.
TEST(NumericGraph, Cobweb) {
    FormulaFigure f;
    auto* o = f.point(100, 400);
    auto* i = f.point(200, 400);
    auto* j = f.point(100, 300);
    auto* frame = f.make<CRepere>(nat::repere, o, i, j, f.make<CDroiteAB>(nat::droite, o, i),
                                  f.make<CDroiteAB>(nat::droite, o, j), num(0), num(0));
    auto* u = f.make<CSuiteRec>(nat::suiteRec, "u", f.addFunction("f", "x/2"), 3, num(2));
    auto* g = f.make<CGrapheSuiteRec>(nat::grapheSuite, u, frame, true);
    // k = 1: axis line and horizontal step; k = 2: vertical, horizontal, axis line.
    EXPECT_EQ(g->pieces().size(), 5u);
    g->withAxisLines = false;
    CRecordingDC dc;
    g->draw(&dc, true);
    // The first step from (2, 1) to (1, 1) in the window: (300, 300) to (200, 300).
    EXPECT_EQ(argsOf(dc, "line"),
              (std::vector<std::vector<int>>{
                  {300, 300, 200, 300}, {200, 300, 200, 350}, {200, 350, 150, 350}}));
    EXPECT_EQ(g->designationDistance(250, 303, true), 3);
}

TEST(NumericArchive, TermCountOutOfRangeIsRefused) {
    FormulaFigure f;
    CFonc* fn = f.addFunction("f", "x");
    f.make<CSuiteRec>(nat::suiteRec, "u", fn, 7, num(0.5));
    std::vector<uint8_t> bytes = saveList(f.list);
    // The term count follows the name "u" (a length byte and the letter).
    const uint8_t pattern[] = {1, 'u', 7, 0, 0, 0};
    auto it = std::search(bytes.begin(), bytes.end(), std::begin(pattern), std::end(pattern));
    ASSERT_NE(it, bytes.end());
    *(it + 2) = 0xF5;
    *(it + 3) = 0x01;  // 501
    CListeAction copy;
    EXPECT_THROW(GeoFigure::load(bytes, copy), CArchiveException);
}
}  // namespace
