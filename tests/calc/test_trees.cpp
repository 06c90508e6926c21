// Trees in files: damaged files, the squaring sign, clones into a list without the value. The
// bytes of every node class and the clones of the values holding them are the contract suite's
// (tests/contract).
#include <gtest/gtest.h>

#include <algorithm>

#include "calc/FormulaFixture.h"

namespace {
std::unique_ptr<CListeAction> load(std::vector<uint8_t>& buf) {
    auto list = std::make_unique<CListeAction>();
    GeoFigure::load(buf, *list);
    return list;
}

// Where the fields of the first object of class `name` begin.
size_t after(const std::vector<uint8_t>& buf, const std::string& name) {
    auto it = std::search(buf.begin(), buf.end(), name.begin(), name.end());
    return static_cast<size_t>(it - buf.begin()) + name.size();
}

// A damaged file is refused with a reason, never misread.
TEST(TreeFiles, DamagedTreesAreRefused) {
    FormulaFigure fig;  // formulas using every node class
    fig.addVariable("a", 2);
    fig.addFunction("f", "x²-Rand(0)*0+int(x)");
    fig.addCalcul("c", "-abs(a)^3+f(a)*2/4+(1<>pi)");
    fig.addComplexCalcul("w", "1+2*i");
    fig.addComplexFunction("g", "conj(z)*i-z^2");
    fig.addComplexCalcul("u", "g(w)+a=a");
    auto good = saveList(fig.list);
    // An operator code, a function code and a reference to a later object.
    for (auto [name, value] : {std::pair<const char*, uint8_t>{"COperation", 42},
                               {"CFonction", 99},
                               {"CResultatValeur", 9}}) {
        auto bad = good;
        bad[after(good, name)] = value;
        EXPECT_THROW(load(bad), CArchiveException) << name;
    }
    for (size_t cut : {good.size() / 3, good.size() / 2, good.size() - 9}) {
        std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_THROW(load(truncated), CArchiveException);
    }
}

TEST(TreeFiles, ReferenceToAnObjectOfAnotherKindIsRefused) {
    FormulaFigure fig;
    fig.addVariable("a", 1);
    fig.addFunction("f", "x");
    fig.addCalcul("c", "f(a)");
    auto buf = saveList(fig.list);
    auto bad = buf;
    bad[after(buf, "CResultatValeur")] = 0;  // the constant pi: still a value, accepted
    EXPECT_NO_THROW(load(bad));
    buf[after(buf, "CAppelFonction")] = 1;  // a variable is no function
    EXPECT_THROW(load(buf), CArchiveException);
}

// The squaring operator is U+00B2 in the model and the single byte 0xB2 in files.
TEST(TreeFiles, SuperscriptTwoInFiles) {
    FormulaFigure fig;
    fig.addFunction("f", "x²+1");
    auto buf = saveList(fig.list);
    auto loaded = load(buf);
    auto* f = dynamic_cast<CFonc*>(loaded->elementAt(1));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->formula, "x²+1");
}

TEST(TreeFiles, CloneIntoAListWithoutTheValue) {
    FormulaFigure fig;
    fig.addVariable("a", 1);
    auto tree = buildRealTree(&fig.list, "a+1");
    CListeAction shorter;
    shorter.append(makePiEntry());
    EXPECT_FALSE(tree->getClone(fig.list, shorter)->isDefined());
}
}  // namespace
