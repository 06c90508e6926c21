// Calculations, functions and variables: computation, descriptions, stepping, the dialog
// checks, naming and the entry of parameters.
#include <gtest/gtest.h>

#include "calc/FormulaFixture.h"
#include "core/CHost.h"
#include "core/Messages.h"
#include "values/CValeurAssocieeAVariable.h"
#include "values/ValueDialogs.h"

namespace {
struct HostScope {
    CHeadlessHost host;
    CHost* previous;
    HostScope() : previous(setHost(&host)) {}
    ~HostScope() { setHost(previous); }
};

TEST(Calcul, UndefinedCalculationHasNoCurrentValue) {
    FormulaFigure f;
    f.addVariable("a", 2);
    CCalcul* ok = f.addCalcul("c", "a*3");
    EXPECT_EQ(ok->getConstructionInfo(nullptr, nullptr, nullptr),
              "Calcul algébrique nommé c\r\nc = a*3\r\nValeur actuelle : c ~ 6");
    EXPECT_EQ(ok->getNameAndValueText(2), "c=6");
    CCalcul* bad = f.addCalcul("d", "1/(a-a)");
    EXPECT_FALSE(bad->exists);
    EXPECT_FALSE(isCalculationError());
    EXPECT_EQ(bad->getConstructionInfo(nullptr, nullptr, nullptr),
              "Calcul algébrique nommé d\r\nd = 1/(a-a)");
    EXPECT_EQ(bad->getStatusText(), "n'existe pas");
}

TEST(Calcul, DescriptionsOfComplexCalculationsConstantAndFunctions) {
    FormulaFigure f;
    CCalculComplexe* z = f.addComplexCalcul("z", "1+2*i");
    EXPECT_EQ(z->getConstructionInfo(nullptr, nullptr, nullptr),
              "Calcul algébrique complexe nommé z\r\nz = 1+2*i\r\nValeur actuelle : z ~ 1 + 2 i");
    EXPECT_EQ(f.list.elementAt(0)->getConstructionInfo(nullptr, nullptr, nullptr),
              "Constante prédéfinie pi\r\npi = 3.14159265358979323846");
    CFonc* fn = f.addFunction("f", "x^2+1");
    EXPECT_EQ(fn->getConstructionInfo(nullptr, nullptr, nullptr),
              "Fonction nommée f\r\nf(x) = x^2+1");
}

TEST(VariableBornee, SteppingStopsAtTheBounds) {
    HostScope h;
    CVariableBornee v("a", 9, 0, 10, 1, "0", "10", "1");
    EXPECT_TRUE(v.increment());
    EXPECT_EQ(v.value, 10);
    EXPECT_FALSE(v.increment());
    EXPECT_EQ(v.value, 10);
    EXPECT_EQ(h.host.beeps, 1);
    v.setValue(0.5);
    EXPECT_FALSE(v.decrement());
    EXPECT_EQ(v.value, 0.5);
    // A step that does not divide the range never reaches the far bound.
    CVariableBornee w("b", 0, 0, 1, 0.3, "0", "1", "0.3");
    int moves = 0;
    while (w.increment()) ++moves;
    EXPECT_EQ(moves, 3);
    EXPECT_NEAR(w.value, 0.9, 1e-12);
}

TEST(VariableBornee, BoundsChecks) {
    HostScope h;
    FormulaFigure f;
    struct Case {
        const char *min, *max, *step, *value;
        int message, field;
    };
    for (const Case& c :
         {Case{"0", "10", "10", "10", 0, -1}, Case{"0", "10", "10.5", "5", Msg::stepInvalid, 2},
          Case{"5", "5", "1", "5", Msg::minNotBelowMax, 0},
          Case{"0", "sqrt(-1)", "1", "5", Msg::someCalculationInvalid, 1},
          Case{"0", "2*pi", "pi/6", "pi", 0, -1}, Case{"0", "2+", "1", "1", Msg::syntaxError, 1}}) {
        BoundedVariableCheck r = checkBoundedVariableFields(&f.list, c.min, c.max, c.step, c.value);
        EXPECT_EQ(r.messageId, c.message) << c.min << " " << c.max << " " << c.step;
        EXPECT_EQ(r.field, c.field) << c.min << " " << c.max << " " << c.step;
    }
}

TEST(ValueName, Rules) {
    FormulaFigure f;
    f.addVariable("a", 1);
    f.addFunction("f", "t+1", "t");
    f.addVariable("late", 1);
    const int limit = f.list.count() - 1;  // names defined from here on are free
    for (auto [name, message] : {std::pair<const char*, int>{"I", Msg::nameIReserved},
                                 {"ARGTH", Msg::nameIsBuiltInFunction},
                                 {"A", Msg::nameTaken},
                                 {"F", Msg::nameTaken},
                                 {"t", Msg::nameIsFormalVariable},
                                 {"late", 0},
                                 {"a'", 0}})
        EXPECT_EQ(checkValueName(f.list, name, limit), message) << name;
}

TEST(FormalVariable, Rules) {
    FormulaFigure f;
    f.addVariable("a", 1);
    int n = f.list.count();
    EXPECT_EQ(checkFormalVariableName(f.list, "2x", "f", n), Msg::formalVariableInvalid);
    EXPECT_EQ(checkFormalVariableName(f.list, "abcdefghijkl", "f", n), Msg::formalVariableInvalid);
    EXPECT_EQ(checkFormalVariableName(f.list, "abcdefghijk", "f", n), 0);
    EXPECT_EQ(checkFormalVariableName(f.list, "cos", "f", n), Msg::formalVariableBuiltIn);
    EXPECT_EQ(checkFormalVariableName(f.list, "A", "f", n), Msg::formalVariableTaken);
}

TEST(ParameterEntry, NamesAndFormulas) {
    HostScope h;
    FormulaFigure f;
    auto* a = f.addVariable("a", 2);
    auto* b = f.addVariable("b", 3);
    int limit = f.list.indexOf(b);  // the object being built stands where b is
    CValeurAssocieeAVariable p;
    ASSERT_TRUE(enterParameter(f.list, "A", limit, Msg::enterFormula, p).ok);
    EXPECT_EQ(p.reference, a);
    ASSERT_TRUE(enterParameter(f.list, "pi/2", limit, Msg::enterFormula, p).ok);
    EXPECT_EQ(p.reference, nullptr);
    EXPECT_EQ(p.text, "pi/2");
    EXPECT_TRUE(h.host.messages.empty());

    struct Refused {
        const char* text;
        int fallback, message, position;
    };
    for (Refused c : {Refused{"b", Msg::enterFormula, Msg::valueDefinedAfter, -1},
                      {"a+1", Msg::enterFormula, Msg::constantFieldOnly, 0},
                      {"Rand(1)", Msg::enterFormula, Msg::randForbidden, -1},
                      {"1/0", Msg::enterFormula, Msg::calculationInvalid, -1},
                      {"", Msg::radiusNotPositive, Msg::radiusNotPositive, -1},
                      {"2*(3", Msg::enterFormula, Msg::parenthesisError, 3}}) {
        ParameterEntry r = enterParameter(f.list, c.text, limit, c.fallback, p);
        EXPECT_EQ(r.messageId, c.message) << c.text;
        if (c.position >= 0) {
            EXPECT_EQ(r.position, c.position) << c.text;
        }
    }
    ASSERT_EQ(h.host.messages.size(), 6u);
    EXPECT_EQ(h.host.messages[1].flags, static_cast<unsigned>(MB_ICONEXCLAMATION));
    EXPECT_EQ(p.getValue(), 3.14159265358979323846 / 2);  // refusals change nothing
}

TEST(ParameterEntry, ValueThatDoesNotExistAsksFirst) {
    HostScope h;
    FormulaFigure f;
    auto* c = f.addCalcul("c", "1/0");
    CValeurAssocieeAVariable p(1.0);
    h.host.answers = {IDNO};
    ParameterEntry r = enterParameter(f.list, "c", f.list.count(), Msg::enterFormula, p);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(p.reference, nullptr);
    ASSERT_EQ(h.host.messages.size(), 1u);
    EXPECT_EQ(h.host.messages[0].flags, static_cast<unsigned>(MB_YESNO | MB_ICONEXCLAMATION));
    h.host.answers = {IDYES};
    r = enterParameter(f.list, "c", f.list.count(), Msg::enterFormula, p);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(p.reference, c);
    EXPECT_FALSE(p.isDefined());
}
}  // namespace
