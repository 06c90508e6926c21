// Trees and formula-based values in files: round trips of every class in the current format,
// the earliest format's hand-written tags, damaged files, copies and clones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "calc/Arithmetic.h"
#include "calc/FormulaFixture.h"
#include "core/CArchive.h"

namespace {
std::vector<uint8_t> save(CListeAction& list) {
    std::vector<uint8_t> buf;
    CArchive out(CArchive::store, buf);
    list.Serialize(out);
    return buf;
}

std::unique_ptr<CListeAction> load(std::vector<uint8_t>& buf) {
    auto list = std::make_unique<CListeAction>();
    CArchive in(CArchive::load, buf);
    list->Serialize(in);
    EXPECT_TRUE(in.atEnd());
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

TEST(TreeFiles, CurrentFormatRoundTrip) {
    FullFigure fig;
    ASSERT_TRUE(fig.c->exists);
    ASSERT_TRUE(fig.u->exists);
    auto buf = save(fig.list);
    auto loaded = load(buf);
    loaded->computeAll();
    ASSERT_EQ(loaded->count(), fig.list.count());
    auto* c = dynamic_cast<CCalcul*>(loaded->elementAt(3));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->formula, fig.c->formula);
    EXPECT_EQ(c->getValue(), fig.c->getValue());
    auto* f = dynamic_cast<CFonc*>(loaded->elementAt(2));
    EXPECT_EQ(f->formalVariable, "x");
    EXPECT_EQ(f->evaluateFunctionAt(1.5), fig.f->evaluateFunctionAt(1.5));
    auto* u = dynamic_cast<CCalculComplexe*>(loaded->elementAt(6));
    EXPECT_EQ(u->getComplexValue(), fig.u->getComplexValue());
    auto* a = dynamic_cast<CVariableBornee*>(loaded->elementAt(1));
    EXPECT_EQ(a->stepText, "1");
    EXPECT_EQ(a->maximum, 100);
    auto* pi = dynamic_cast<CCalcConst*>(loaded->elementAt(0));
    EXPECT_TRUE(pi->exists);  // computed on loading
    // Writing what was read gives the same bytes.
    EXPECT_EQ(save(*loaded), buf);
}

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

TEST(TreeFiles, CloneIntoAnotherList) {
    FullFigure fig;
    CListeAction copy;
    fig.list.copyTo(copy);
    copy.computeAll();
    auto* c = dynamic_cast<CCalcul*>(copy.elementAt(3));
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->dependsOn(copy.elementAt(1)));
    EXPECT_FALSE(c->dependsOn(fig.a));
    EXPECT_EQ(c->getValue(), fig.c->getValue());
    auto* u = dynamic_cast<CCalculComplexe*>(copy.elementAt(6));
    EXPECT_TRUE(u->dependsOn(copy.elementAt(5)));
    EXPECT_EQ(u->getComplexValue(), fig.u->getComplexValue());
    dynamic_cast<CVariableBornee*>(copy.elementAt(1))->setValue(5);
    copy.computeAll();
    EXPECT_NE(c->getValue(), fig.c->getValue());
    // getCopy keeps the references.
    auto same = fig.c->tree->getCopy();
    EXPECT_TRUE(same->dependsOn(fig.a));
}

// Earliest format: hand-written tags, 16-bit references, names in 5 bytes.
struct EarliestWriter {
    std::vector<uint8_t> buf;
    CArchive ar{CArchive::store, buf};
    void name(const char* n) {
        uint8_t len = static_cast<uint8_t>(std::strlen(n));
        ar.writeByte(len);
        char chars[4] = {0, 0, 0, 0};
        std::memcpy(chars, n, len);
        ar.writeBytes(chars, 4);
    }
    void entry(uint32_t nature, uint16_t tag) {
        ar.writeWord(1100);
        ar.writeDword(nature);
        ar.writeWord(tag);
    }
};

TEST(TreeFiles, EarliestFormat) {
    EarliestWriter w;
    CArchive& ar = w.ar;
    ar.writeWord(4);  // entries
    ar.writeDword(0);
    w.entry(nat::calcul, 1209);  // pi
    ar.writeByte(1);
    w.name("pi");
    ar.writeString("3.14159265358979323846");
    ar.writeWord(1301);
    ar.writeDouble(3.14159265358979323846);
    w.entry(nat::variable, 1201);  // a = 2 in [0, 10] by 1
    ar.writeByte(1);
    w.name("a");
    for (double d : {2.0, 0.0, 10.0, 1.0}) ar.writeDouble(d);
    w.entry(nat::fonction, 1210);  // f(x) = x^2
    ar.writeString("x");
    ar.writeByte(1);
    w.name("f");
    ar.writeString("x^2");
    ar.writeWord(1305);
    ar.writeWord(1306);
    ar.writeWord(1301);
    ar.writeDouble(2);
    w.entry(nat::calcul, 1208);  // c = f(a) - sin(0)
    ar.writeByte(1);
    w.name("c");
    ar.writeString("f(a)-sin(0)");
    ar.writeWord(1303);
    ar.writeByte(opSub);
    ar.writeWord(1307);
    ar.writeWord(2);
    ar.writeWord(1302);
    ar.writeWord(1);
    ar.writeWord(1304);
    ar.writeByte(fnSin);
    ar.writeWord(1301);
    ar.writeDouble(0);
    ar.writeWord(0xFFFF);

    CListeAction list;
    CArchive in(CArchive::load, w.buf);
    in.setFormat(CArchive::Format::earliest);
    list.readPreviousEntries(in);
    EXPECT_TRUE(in.atEnd());
    list.computeAll();
    ASSERT_EQ(list.count(), 4);
    auto* c = dynamic_cast<CCalcul*>(list.elementAt(3));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->getName(), "c");
    EXPECT_EQ(c->formula, "f(a)-sin(0)");
    EXPECT_TRUE(c->exists);
    EXPECT_EQ(c->getValue(), 4);
    auto* f = dynamic_cast<CFonc*>(list.elementAt(2));
    EXPECT_EQ(f->formalVariable, "x");
    auto* a = dynamic_cast<CVariableBornee*>(list.elementAt(1));
    EXPECT_EQ(a->maximumText, "10");
    EXPECT_DOUBLE_EQ(dynamic_cast<CCalcConst*>(list.elementAt(0))->getValue(),
                     3.14159265358979323846);
}

// A damaged file is refused with a reason, never misread.
TEST(TreeFiles, DamagedTreesAreRefused) {
    FullFigure fig;
    auto good = save(fig.list);
    auto find = [&](const std::string& name) {
        auto it = std::search(good.begin(), good.end(), name.begin(), name.end());
        return static_cast<size_t>(it - good.begin()) + name.size();
    };
    {
        auto bad = good;
        bad[find("COperation")] = 42;  // operator code
        EXPECT_THROW(load(bad), CArchiveException);
    }
    {
        auto bad = good;
        bad[find("CFonction")] = 99;  // function code
        EXPECT_THROW(load(bad), CArchiveException);
    }
    {
        auto bad = good;
        size_t at = find("CResultatValeur");
        bad[at] = 9;  // a reference to a later object
        EXPECT_THROW(load(bad), CArchiveException);
    }
    for (size_t cut : {good.size() / 3, good.size() / 2, good.size() - 9}) {
        std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_THROW(load(truncated), CArchiveException);
    }
}

TEST(TreeFiles, ReferenceToAnObjectOfAnotherKindIsRefused) {
    FormulaFigure fig;
    fig.addVariable("a", 1);
    fig.addCalcul("c", "a+1");
    auto buf = save(fig.list);
    std::string name = "CResultatValeur";
    auto it = std::search(buf.begin(), buf.end(), name.begin(), name.end());
    size_t at = static_cast<size_t>(it - buf.begin()) + name.size();
    buf[at] = 0;  // the constant pi: still a value, accepted
    EXPECT_NO_THROW(load(buf));
    std::string call = "CAppelFonction";
    FormulaFigure fig2;
    fig2.addVariable("a", 1);
    fig2.addFunction("f", "x");
    fig2.addCalcul("c", "f(a)");
    auto buf2 = save(fig2.list);
    auto it2 = std::search(buf2.begin(), buf2.end(), call.begin(), call.end());
    buf2[static_cast<size_t>(it2 - buf2.begin()) + call.size()] = 1;  // a variable is no function
    EXPECT_THROW(load(buf2), CArchiveException);
}
}  // namespace

namespace {
// The squaring operator is U+00B2 in the model and the single byte 0xB2 in files.
TEST(TreeFiles, SuperscriptTwoInFiles) {
    FormulaFigure fig;
    fig.addFunction("f", "x²+1");
    auto buf = save(fig.list);
    const std::vector<uint8_t> stored = {4, 'x', 0xB2, '+', '1'};
    EXPECT_NE(std::search(buf.begin(), buf.end(), stored.begin(), stored.end()), buf.end());
    auto loaded = load(buf);
    auto* f = dynamic_cast<CFonc*>(loaded->elementAt(1));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->formula, "x²+1");
    EXPECT_EQ(f->evaluateFunctionAt(3), 10.0);
}

TEST(TreeFiles, CloneIntoAListWithoutTheValue) {
    FormulaFigure fig;
    fig.addVariable("a", 1);
    auto tree = buildRealTree(&fig.list, "a+1");
    CListeAction shorter;
    shorter.append(makePiEntry());
    auto clone = tree->getClone(fig.list, shorter);
    ASSERT_NE(clone, nullptr);
    EXPECT_FALSE(clone->isDefined());
}
}  // namespace
