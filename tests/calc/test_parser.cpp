// The syntax check: every refusal gives its message and caret position (in characters); the
// names of the figure are recognised by longest match, ties refused.
#include <gtest/gtest.h>

#include <random>

#include "calc/BuiltInFunctions.h"
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

INSTANTIATE_TEST_SUITE_P(
    Refused, Syntax,
    ::testing::Values(
        Refusal{"", Msg::enterFormula, 0}, Refusal{"(", Msg::parenthesisError, 0},
        Refusal{"2)", Msg::parenthesisError, 1}, Refusal{"2)+(3", Msg::parenthesisError, 2},
        Refusal{"((2)", Msg::parenthesisError, 3}, Refusal{"2+", Msg::syntaxError, 1},
        Refusal{"2..5", Msg::syntaxError, 1}, Refusal{"1.2.3+4", Msg::syntaxError, 2},
        Refusal{"sin x", Msg::syntaxError, 4, "x"}, Refusal{"sin", Msg::syntaxError, 2},
        Refusal{"2,5", Msg::syntaxError, 0}, Refusal{"2x", Msg::syntaxError, 1, "x"},
        Refusal{"2(x+1)", Msg::syntaxError, 2, "x"}, Refusal{"x(x)", Msg::syntaxError, 2, "x"},
        Refusal{"2*-3", Msg::syntaxError, 3}, Refusal{"2^-1", Msg::syntaxError, 3},
        Refusal{"()", Msg::syntaxError, 1}, Refusal{"   ", Msg::syntaxError, 3},
        Refusal{"2 3", Msg::syntaxError, 2}, Refusal{"2<", Msg::syntaxError, 1},
        Refusal{"1=<2", Msg::syntaxError, 3}, Refusal{"²", Msg::syntaxError, 0},
        Refusal{"x²+é", Msg::syntaxError, 2, "x"}, Refusal{"é", Msg::syntaxError, 0},
        Refusal{"1+2€", Msg::syntaxError, 2}, Refusal{"later+1", Msg::valueDefinedLater, 0},
        Refusal{"1+LATER", Msg::valueDefinedLater, 2}, Refusal{"f", Msg::syntaxError, 0},
        Refusal{"f+1", Msg::syntaxError, 2}, Refusal{"a b", Msg::syntaxError, 1},
        Refusal{"2i", Msg::syntaxError, 1, "", true}, Refusal{"i", Msg::syntaxError, 0},
        Refusal{"conj(1)", Msg::syntaxError, 0}, Refusal{"1+2;", Msg::syntaxError, 2},
        Refusal{"+", Msg::syntaxError, 0}, Refusal{"a)(", Msg::parenthesisError, 2}));

INSTANTIATE_TEST_SUITE_P(
    Accepted, Syntax,
    ::testing::Values(Refusal{"sin (x)", 0, 0, "x"}, Refusal{"SIN(X)", 0, 0, "x"},
                      Refusal{"-x^2", 0, 0, "x"}, Refusal{"2*(-3)", 0, 0}, Refusal{"x²", 0, 0, "x"},
                      Refusal{"x² ²", 0, 0, "x"}, Refusal{"ab+a", 0, 0}, Refusal{"f(a)", 0, 0},
                      Refusal{"f (2)", 0, 0}, Refusal{"1<>2", 0, 0}, Refusal{"1<=2", 0, 0},
                      Refusal{"2*i", 0, 0, "", true}, Refusal{"I", 0, 0, "", true},
                      Refusal{"conj(i)", 0, 0, "", true}, Refusal{" ( 1 ) ", 0, 0},
                      Refusal{"-(-(1))", 0, 0}, Refusal{"1<-2", 0, 0}, Refusal{"Rand(0)", 0, 0}));

TEST(Syntax, LongestNameAndTies) {
    FormulaFigure f;
    auto* a = f.addVariable("a", 1);
    auto* ab = f.addVariable("ab", 2);
    f.addVariable("x", 5);
    NameMatch m = recogniseRealName(&f.list, "ab+1", 0, "");
    EXPECT_EQ(m.value, ab);
    EXPECT_EQ(m.length, 2);
    m = recogniseRealName(&f.list, "a+1", 0, "");
    EXPECT_EQ(m.value, a);
    EXPECT_EQ(f.real("ab"), 2.0);
    // A value and the formal variable with the same name: neither is recognised.
    m = recogniseRealName(&f.list, "x", 0, "x");
    EXPECT_EQ(m.length, 0);
    EXPECT_EQ(f.refusal("x", "x").first, Msg::syntaxError);
    // The formal variable wins only when strictly longer.
    m = recogniseRealName(&f.list, "abc", 0, "abc");
    EXPECT_TRUE(m.isFormalVariable);
    EXPECT_EQ(m.length, 3);
    // A built-in function is taken in table order, not by length.
    m = recogniseRealName(&f.list, "sinh", 0, "");
    EXPECT_EQ(m.functionCode, 3);
    EXPECT_EQ(m.length, 3);
}

TEST(Syntax, EarlierEntryWinsEqualNames) {
    FormulaFigure f;
    auto* first = f.addVariable("b", 1);
    f.addVariable("B", 2);
    EXPECT_EQ(recogniseRealName(&f.list, "b", 0, "").value, first);
}

TEST(Syntax, ImaginaryUnit) {
    FormulaFigure f;
    auto* named = f.addVariable("i", 4);
    NameMatch m = recogniseComplexName(&f.list, "i", 0, "");
    EXPECT_TRUE(m.isImaginaryUnit);
    m = recogniseRealName(&f.list, "i", 0, "");
    EXPECT_EQ(m.value, named);
    m = recogniseComplexName(&f.list, "im(z)", 0, "z");
    EXPECT_EQ(m.functionCode, 32);
    m = recogniseComplexName(nullptr, "Ix", 0, "");
    EXPECT_TRUE(m.isImaginaryUnit);
    EXPECT_EQ(m.length, 1);
}

TEST(Syntax, ComplexFormulaNames) {
    FormulaFigure f;
    f.addFunction("f", "x");
    f.addComplexCalcul("w", "i");
    f.addComplexFunction("g", "z");
    EXPECT_EQ(f.refusal("f(1)", "", true).first,
              Msg::syntaxError);  // no real function in complex formulas
    EXPECT_EQ(f.refusal("g(w)", "", true).first, 0);
    EXPECT_EQ(f.refusal("w", "", false).first, Msg::syntaxError);  // no complex value in real ones
}

TEST(Syntax, LengthLimit) {
    FormulaFigure f;
    std::string ok(123, '1');
    EXPECT_EQ(f.refusal(ok).first, 0);
    std::string tooLong(124, '1');
    EXPECT_EQ(f.refusal(tooLong), std::make_pair(Msg::syntaxError, 123));
}

TEST(Syntax, RefusalsBeep) {
    CHeadlessHost h;
    CHost* previous = setHost(&h);
    FormulaFigure f;
    f.refusal("2+");
    f.refusal("");
    f.refusal("1+1");
    setHost(previous);
    EXPECT_EQ(h.beeps, 2);
}

TEST(Names, Validity) {
    for (const char* good : {"A", "AB", "A'", "f1", "u''", "x12", "a\"b'"})
        EXPECT_TRUE(isValidName(good)) << good;
    for (const char* bad : {"", "1A", "A1B", "A 1", "A_1", "é", "A-", "'A"})
        EXPECT_FALSE(isValidName(bad)) << bad;
    EXPECT_TRUE(isBuiltInFunctionName("ARGCH"));
    EXPECT_TRUE(isBuiltInFunctionName("conj"));
    EXPECT_TRUE(isBuiltInFunctionName("Angle"));
    EXPECT_FALSE(isBuiltInFunctionName("sinh"));
    EXPECT_FALSE(isBuiltInFunctionName("si"));
}

TEST(Names, CharacterPositions) {
    EXPECT_EQ(utf8Length("x²é"), 3);
    EXPECT_EQ(characterIndexOf("x²é", 3), 2);
    EXPECT_EQ(utf8Length(std::string("\xC3", 1)), 1);
}

// Whatever the bytes, a formula is accepted or refused; an accepted one builds and evaluates.
TEST(Robustness, RandomAndMutatedFormulas) {
    CHeadlessHost h;
    CHost* previous = setHost(&h);
    FormulaFigure f;
    f.addVariable("a", 1);
    f.addVariable("ab", 2);
    f.addFunction("f", "x^2");
    f.addComplexFunction("g", "z+i");
    std::mt19937 rng(12345);
    const std::string alphabet =
        "0123456789.+-*/^()<>= abfgixzsinlnexp,;\xC2\xB2\xC3\xA9\xE2\x82\xAC";
    const char* seeds[] = {"sin(x)^2+cos(x)^2", "f(a+1)*2", "(1<2)*ab-x²", "g(z)*i", "-(x)"};
    int accepted = 0;
    for (int k = 0; k < 4000; ++k) {
        std::string text;
        if (k % 2) {
            text = seeds[k % 5];
            for (int m = 0; m < 3; ++m) {
                size_t pos = rng() % (text.size() + 1);
                int op = rng() % 3;
                char c = alphabet[rng() % alphabet.size()];
                if (op == 0)
                    text.insert(text.begin() + pos, c);
                else if (op == 1 && pos < text.size())
                    text.erase(pos, 1);
                else if (pos < text.size())
                    text[pos] = c;
            }
        } else {
            size_t n = rng() % 40;
            for (size_t i = 0; i < n; ++i)
                text +=
                    k % 4 == 0 ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
        }
        for (bool complex : {false, true}) {
            int id = 0, pos = -1;
            bool ok = complex ? checkComplexFormula(&f.list, text, id, pos, f.last(), "z")
                              : checkRealFormula(&f.list, text, id, pos, f.last(), "x");
            if (!ok) {
                EXPECT_TRUE(id == Msg::syntaxError || id == Msg::parenthesisError ||
                            id == Msg::enterFormula)
                    << text;
                EXPECT_GE(pos, 0);
                EXPECT_LE(pos, utf8Length(text));
                continue;
            }
            ++accepted;
            auto tree =
                complex ? buildComplexTree(&f.list, text, "z") : buildRealTree(&f.list, text, "x");
            ASSERT_NE(tree, nullptr) << text;
            tree->evaluateAt(0.5);
            tree->evaluateComplexAt({0.5, 1});
            clearCalculationError();
        }
    }
    setHost(previous);
    EXPECT_GT(accepted, 50);
}

TEST(Robustness, DeepNestingAndLongNames) {
    FormulaFigure f;
    std::string deep = std::string(60, '(') + "1" + std::string(60, ')');
    EXPECT_EQ(f.real(deep), 1.0);
    std::string veryDeep = std::string(5000, '(') + "1" + std::string(5000, ')');
    EXPECT_EQ(f.refusal(veryDeep).first, Msg::syntaxError);
    // The builder never overflows the stack, even on text it was not meant to see.
    auto tree = buildRealTree(&f.list, veryDeep);
    (void)tree;
    std::string name(200, 'a');
    auto* v = f.addVariable(name, 7);
    NameMatch m = recogniseRealName(&f.list, name + "+1", 0, "");
    EXPECT_EQ(m.value, v);
    EXPECT_EQ(m.length, 200);
}
}  // namespace
