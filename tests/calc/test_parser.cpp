// The syntax check: every refusal gives its message and caret position (in characters); the
// names of the figure are recognised by longest match, ties refused.
#include <gtest/gtest.h>

#include "calc/FormulaFixture.h"
#include "core/CHost.h"
#include "core/Messages.h"

namespace {
struct Refusal {
    const char* formula;
    int message;  // 0: accepted
    int position;
    const char* variable = "";
    bool complex = false;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << '"' << r.formula << '"';
}

class Syntax : public ::testing::TestWithParam<Refusal> {};

TEST_P(Syntax, MessageAndPosition) {
    const Refusal& r = GetParam();
    FormulaFigure f;
    f.addVariable("a", 1);
    f.addVariable("ab", 2);
    f.addFunction("f", "x+1");
    f.addVariable("later", 3);
    auto got = f.refusal(r.formula, r.variable, r.complex, f.last() - 1);
    EXPECT_EQ(got.first, r.message);
    EXPECT_EQ(got.second, r.position);
}

using R = Refusal;

INSTANTIATE_TEST_SUITE_P(
    Refused, Syntax,
    ::testing::Values(R{"", Msg::enterFormula, 0}, R{"(", Msg::parenthesisError, 0},
                      R{"2)+(3", Msg::parenthesisError, 2}, R{"((2)", Msg::parenthesisError, 3},
                      R{"2+", Msg::syntaxError, 1}, R{"1.2.3+4", Msg::syntaxError, 2},
                      R{"sin x", Msg::syntaxError, 4, "x"}, R{"2,5", Msg::syntaxError, 0},
                      R{"2x", Msg::syntaxError, 1, "x"}, R{"2*-3", Msg::syntaxError, 3},
                      R{"()", Msg::syntaxError, 1}, R{"   ", Msg::syntaxError, 3},
                      R{"2 3", Msg::syntaxError, 2}, R{"1=<2", Msg::syntaxError, 3},
                      R{"²", Msg::syntaxError, 0}, R{"x²+é", Msg::syntaxError, 2, "x"},
                      R{"1+LATER", Msg::valueDefinedLater, 2}, R{"f+1", Msg::syntaxError, 2},
                      R{"2i", Msg::syntaxError, 1, "", true}, R{"i", Msg::syntaxError, 0},
                      R{"conj(1)", Msg::syntaxError, 0}));

INSTANTIATE_TEST_SUITE_P(Accepted, Syntax,
                         ::testing::Values(R{"sin (x)", 0, 0, "x"}, R{"SIN(X)", 0, 0, "x"},
                                           R{"-x^2", 0, 0, "x"}, R{"x² ²", 0, 0, "x"},
                                           R{"ab+a", 0, 0}, R{"f (2)", 0, 0}, R{"1<>2", 0, 0},
                                           R{"1<-2", 0, 0}, R{"2*i", 0, 0, "", true},
                                           R{"I", 0, 0, "", true}, R{"Rand(0)", 0, 0}));

TEST(Syntax, LongestNameAndTies) {
    FormulaFigure f;
    auto* a = f.addVariable("a", 1);
    auto* ab = f.addVariable("ab", 2);
    f.addVariable("AB", 3);
    f.addVariable("x", 5);
    EXPECT_EQ(recogniseRealName(&f.list, "ab+1", 0, "").value, ab);  // the earlier of AB, ab
    EXPECT_EQ(recogniseRealName(&f.list, "a+1", 0, "").value, a);
    // A value and the formal variable with the same name: neither is recognised.
    EXPECT_EQ(recogniseRealName(&f.list, "x", 0, "x").length, 0);
    EXPECT_EQ(f.refusal("x", "x").first, Msg::syntaxError);
    // The formal variable wins only when strictly longer.
    EXPECT_TRUE(recogniseRealName(&f.list, "abc", 0, "abc").isFormalVariable);
    // A built-in function is taken in table order, not by length.
    NameMatch m = recogniseRealName(&f.list, "sinh", 0, "");
    EXPECT_EQ(m.functionCode, 3);
    EXPECT_EQ(m.length, 3);
}

TEST(Syntax, ImaginaryUnitAndComplexNames) {
    FormulaFigure f;
    auto* named = f.addVariable("i", 4);
    f.addFunction("f", "x");
    f.addComplexCalcul("w", "i");
    f.addComplexFunction("g", "z");
    EXPECT_TRUE(recogniseComplexName(&f.list, "i", 0, "").isImaginaryUnit);
    EXPECT_EQ(recogniseRealName(&f.list, "i", 0, "").value, named);
    EXPECT_EQ(recogniseComplexName(nullptr, "Ix", 0, "").length, 1);
    EXPECT_EQ(f.refusal("f(1)", "", true).first, Msg::syntaxError);
    EXPECT_EQ(f.refusal("g(w)", "", true).first, 0);
    EXPECT_EQ(f.refusal("w").first, Msg::syntaxError);
}

TEST(Syntax, LengthLimitAndBeep) {
    CHeadlessHost h;
    CHost* previous = setHost(&h);
    FormulaFigure f;
    EXPECT_EQ(f.refusal(std::string(123, '1')).first, 0);
    EXPECT_EQ(f.refusal(std::string(124, '1')), std::make_pair(Msg::syntaxError, 123));
    f.refusal("");
    setHost(previous);
    EXPECT_EQ(h.beeps, 2);
}

TEST(Syntax, DeepNestingAndLongNames) {
    FormulaFigure f;
    EXPECT_EQ(f.real(std::string(60, '(') + "1" + std::string(60, ')')), 1.0);
    std::string veryDeep = std::string(5000, '(') + "1" + std::string(5000, ')');
    EXPECT_EQ(f.refusal(veryDeep).first, Msg::syntaxError);
    // The builder never overflows the stack, even on text it was not meant to see.
    auto tree = buildRealTree(&f.list, veryDeep);
    std::string name(200, 'a');
    auto* v = f.addVariable(name, 7);
    EXPECT_EQ(recogniseRealName(&f.list, name + "+1", 0, "").value, v);
}
}  // namespace
