// Trees in files: the encoding of a node, damaged files, copies and clones into a list without
// the value. Both formats and the clones of the values holding them are the contract suite's
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

// A figure whose formulas use every node class.
struct FullFigure : FormulaFigure {
    CVariableBornee* a;
    CFonc* f;
    CCalcul* c;
    CCalculComplexe* w;
    CFoncComplexe* g;
    CCalculComplexe* u;
    FullFigure() {
        a = addVariable("a", 2);
        f = addFunction("f", "x²-Rand(0)*0+int(x)");
        c = addCalcul("c", "-abs(a)^3+f(a)*2/4+(1<>pi)");
        w = addComplexCalcul("w", "1+2*i");
        g = addComplexFunction("g", "conj(z)*i-z^2");
        u = addComplexCalcul("u", "g(w)+a=a");
        list.computeAll();
    }
};

TEST(TreeFiles, NodeEncoding) {
    FormulaFigure fig;
    fig.addVariable("a", 1);
    auto tree = buildRealTree(&fig.list, "a-2", "");
    std::vector<uint8_t> buf;
    CArchive out(CArchive::store, buf);
    out.setCurrentList(&fig.list);
    out.writeObject(tree.get());
    // COperation: class tag, operator byte 1, then the children as objects.
    std::vector<uint8_t> head(buf.begin(), buf.begin() + 6);
    EXPECT_EQ(head, (std::vector<uint8_t>{0xFF, 0xFF, 1, 0, 10, 0}));
    EXPECT_EQ(std::string(buf.begin() + 6, buf.begin() + 16), "COperation");
    EXPECT_EQ(buf[16], 1);
    // CResultatValeur: its tag and the 32-bit index 1.
    size_t nameEnd = 17 + 6 + 15;
    EXPECT_EQ(std::string(buf.begin() + 23, buf.begin() + nameEnd), "CResultatValeur");
    EXPECT_EQ(std::vector<uint8_t>(buf.begin() + nameEnd, buf.begin() + nameEnd + 4),
              (std::vector<uint8_t>{1, 0, 0, 0}));
}

// Where the fields of the first object of class `name` begin.
size_t after(const std::vector<uint8_t>& buf, const std::string& name) {
    auto it = std::search(buf.begin(), buf.end(), name.begin(), name.end());
    return static_cast<size_t>(it - buf.begin()) + name.size();
}

// A damaged file is refused with a reason, never misread.
TEST(TreeFiles, DamagedTreesAreRefused) {
    FullFigure fig;
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
    const std::vector<uint8_t> stored = {4, 'x', 0xB2, '+', '1'};
    EXPECT_NE(std::search(buf.begin(), buf.end(), stored.begin(), stored.end()), buf.end());
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
