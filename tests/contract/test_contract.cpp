// The contract every figure class keeps with its list, checked on one example per class (the
// class registry says which need one): files, clones into another list, references replaced,
// deletion with dependents, drawing and the command line's description. After a deliberate
// change, regenerate classes.golden with KORVENDAL_REGENERATE_GOLDEN=1 build/tests/test_contract
// and review the difference before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "contract/Examples.h"
#include "core/CHost.h"
#include "core/CRecordingDC.h"
#include "tools/cli/CommandLine.h"
#include "values/CVariable.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The environment: a headless host, a drawing area, and classes.golden with one line per class:
// its name, the bytes of its object in hex, its --describe line.
struct Golden : ::testing::Environment {
    const std::string file = std::string(KORVENDAL_TEST_DATA) + "/../contract/classes.golden";
    const bool regenerating = std::getenv("KORVENDAL_REGENERATE_GOLDEN") != nullptr;
    std::map<std::string, std::array<std::string, 2>> rows;
    CHeadlessHost host;
    CHost* previousHost = nullptr;

    void SetUp() override {
        setActiveDrawingArea({1000, 500});
        previousHost = setHost(&host);
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            const size_t a = line.find('\t'), b = line.find('\t', a + 1);
            rows[line.substr(0, a)] = {line.substr(a + 1, b - a - 1), line.substr(b + 1)};
        }
    }
    // Compares, or records when regenerating.
    void check(const std::string& cls, int column, const std::string& value) {
        if (regenerating) {
            rows[cls][column] = value;
        } else {
            ASSERT_TRUE(rows.count(cls)) << cls << " has no line in classes.golden";
            EXPECT_EQ(rows[cls][column], value) << cls << ": classes.golden (regenerate it "
                                                << "after a deliberate change)";
        }
    }
    void TearDown() override {
        setHost(previousHost);
        if (!regenerating) return;
        std::ofstream out(file);
        out << "# Per class: the bytes its example object writes, its --describe line.\n"
               "# Regenerate: KORVENDAL_REGENERATE_GOLDEN=1 build/tests/test_contract\n";
        for (auto& [cls, row] : rows) out << cls << "\t" << row[0] << "\t" << row[1] << "\n";
    }
};
Golden& golden = *static_cast<Golden*>(::testing::AddGlobalTestEnvironment(new Golden));

std::string className(const CObject* o) {
    return o ? o->GetRuntimeClass()->className : "none";
}

std::string hex(const Bytes& bytes) {
    std::string s;
    for (uint8_t b : bytes) s += {"0123456789abcdef"[b >> 4], "0123456789abcdef"[b & 15]};
    return s;
}

class Contract : public ::testing::TestWithParam<const Example*> {
protected:
    const Example& example() const { return *GetParam(); }

    std::unique_ptr<ContractFigure> build() const {
        auto f = std::make_unique<ContractFigure>();
        example().build(*f);
        // A name, for the files and the texts.
        if (auto* g = dynamic_cast<CElementGraphique*>(f->subject); g && g->name.empty())
            g->setName("S");
        f->list().computeAll();
        return f;
    }

    // Inserts `object` just before the subject, as a list entry of `nature`.
    static CElementBase* insertBeforeSubject(ContractFigure& f,
                                             std::unique_ptr<CElementBase> object, Nature nature) {
        CElementBase* raw = object.get();
        f.list().insertAt(f.list().indexOf(f.subject), new CAction(nature, std::move(object)));
        f.doc.rebuildGraphicList();
        raw->computePosition();
        return raw;
    }

    // The figure still writes, reads and writes again the same bytes.
    static void expectSound(ContractFigure& f, const std::string& what) {
        f.list().computeAll();
        Bytes bytes = f.doc.saveToBytes();
        CPelvantiDoc back;
        std::string reason;
        ASSERT_TRUE(back.loadFromBytes(bytes, &reason)) << what << ": " << reason;
        EXPECT_EQ(back.saveToBytes(), bytes) << what;
    }

    static std::string parentText(const ContractFigure& f, size_t i) {
        return "parent " + std::to_string(i) + " (" + className(f.parents[i]) + ")";
    }
};

TEST_P(Contract, SaveLoadSaveIsByteExact) {
    auto f = build();
    Bytes bytes = f->doc.saveToBytes();
    CPelvantiDoc back;
    std::string reason;
    ASSERT_TRUE(back.loadFromBytes(bytes, &reason)) << reason;
    EXPECT_EQ(back.saveToBytes(), bytes);
    EXPECT_EQ(className(back.list().elementAt(back.list().count() - 1)), example().className);
    // The bytes themselves: the same as when the table was made.
    golden.check(example().className, 0, hex(fieldsOf(*f->subject, f->list())));
}

TEST_P(Contract, CloneIntoAnotherListMapsEveryParent) {
    auto f = build();
    CListeAction& from = f->list();
    CListeAction copy;
    from.copyTo(copy);
    ASSERT_EQ(copy.count(), from.count());
    for (int i = 0; i < from.count(); ++i) {
        ASSERT_NE(copy.elementAt(i), nullptr) << className(from.elementAt(i)) << " gives no clone";
        EXPECT_EQ(hex(fieldsOf(*copy.elementAt(i), copy)), hex(fieldsOf(*from.elementAt(i), from)))
            << className(from.elementAt(i)) << " at " << i;
    }
    CElementBase* clone = copy.elementAt(copy.count() - 1);
    EXPECT_EQ(className(clone), example().className);
    for (size_t i = 0; i < f->parents.size(); ++i)
        EXPECT_TRUE(clone->dependsOn(copy.elementAt(from.indexOf(f->parents[i]))))
            << parentText(*f, i) << " is not the copy's";
    for (int i = 0; i < from.count(); ++i)
        EXPECT_FALSE(clone->dependsOn(from.elementAt(i)))
            << "the clone still refers to " << className(from.elementAt(i)) << " of the source";
    copy.computeAll();
    EXPECT_EQ(clone->exists, f->subject->exists);
}

TEST_P(Contract, ReplaceReferenceReachesEveryParentOfItsKindOnly) {
    const size_t count = build()->parents.size();
    for (size_t i = 0; i < count; ++i) {
        auto f = build();
        CElementBase* p = f->parents[i];
        bool reachedOtherwise = false;
        for (CElementBase* q : f->parents) reachedOtherwise |= q != p && q->dependsOn(p);
        const bool listed = std::find(f->listed.begin(), f->listed.end(), p) != f->listed.end();
        std::unique_ptr<CElementBase> clone = p->getClone(f->list(), f->list());
        ASSERT_NE(clone, nullptr) << parentText(*f, i);
        CElementBase* substitute =
            insertBeforeSubject(*f, std::move(clone), f->list().entryOf(p)->nature);
        f->subject->replaceReference(p, substitute);
        // A listed object is replaced through its entry, as the list replaces an object.
        if (listed)
            f->subject->replaceInSubLists(f->list().entryOf(p), f->list().entryOf(substitute));
        EXPECT_TRUE(f->subject->dependsOn(substitute)) << parentText(*f, i) << " not replaced";
        EXPECT_TRUE(reachedOtherwise || !f->subject->dependsOn(p)) << parentText(*f, i);
        expectSound(*f, "after replacing " + parentText(*f, i));

        if (example().anyClassSlot) continue;
        auto g = build();
        p = g->parents[i];
        const bool value = dynamic_cast<CValeurDynamique*>(p) != nullptr;
        CElementBase* wrong =
            value
                ? insertBeforeSubject(*g, std::make_unique<CPointBase>(10.0, 10.0), nat::pointLibre)
                : insertBeforeSubject(
                      *g, std::make_unique<CVariableBornee>("w", 1, 0, 2, 1, "0", "2", "1"),
                      nat::variable);
        g->subject->replaceReference(p, wrong);
        const std::string what = parentText(*g, i) + " replaced by a " + className(wrong);
        if (listed) {
            // A list may take objects of any kind its class reads back from a file.
            g->subject->replaceInSubLists(g->list().entryOf(p), g->list().entryOf(wrong));
            expectSound(*g, what);
        } else {
            EXPECT_FALSE(g->subject->dependsOn(wrong)) << what;
        }
    }
}

TEST_P(Contract, DeletingAParentDeletesIt) {
    const size_t count = build()->parents.size();
    for (size_t i = 0; i < count; ++i) {
        auto f = build();
        const std::string what = parentText(*f, i);
        f->doc.deleteWithDependents(f->parents[i]);
        EXPECT_FALSE(f->list().contains(f->subject)) << "still there after deleting " << what;
        expectSound(*f, "after deleting " + what);
    }
}

TEST_P(Contract, DescribeLineIsStable) {
    auto f = build();
    const std::string file = ::testing::TempDir() + "contract-" + example().className + ".qvf";
    ASSERT_TRUE(f->doc.saveToFile(file, nullptr));
    std::ostringstream out, err;
    ASSERT_EQ(runCommandLine({"--describe", file}, out, err), 0) << err.str();
    std::remove(file.c_str());
    std::string text = out.str();
    text.erase(text.find_last_not_of('\n') + 1);
    golden.check(example().className, 1, text.substr(text.rfind('\n') + 1));
}

TEST_P(Contract, DrawsWithinTheDrawableRange) {
    auto f = build();
    // Then the figure far away, so that the object reaches out of the range (the filled
    // shapes of surfaces are left to the drawing surface).
    const bool surface = f->list().entryOf(f->subject)->nature == nat::surface;
    for (double dx : {0.0, 60000.0}) {
        f->list().translateFigure(dx, 0);
        f->list().computeAll();
        CRecordingDC dc;
        f->list().drawAll(&dc, false, false);
        f->list().eraseAll(&dc, false, false);
        for (const auto& op : dc.ops)
            for (int v : op.args)
                EXPECT_TRUE((surface && dx != 0) || (v >= -32768 && v <= 32767)) << op.kind;
    }
}

std::vector<const Example*> allExamples() {
    std::vector<const Example*> out;
    for (const Example& e : examples()) out.push_back(&e);
    return out;
}

INSTANTIATE_TEST_SUITE_P(EveryClass, Contract, ::testing::ValuesIn(allExamples()),
                         [](const ::testing::TestParamInfo<const Example*>& info) {
                             return info.param->className;
                         });

TEST(ContractRegistry, EveryCreatableFigureClassHasAnExample) {
    std::map<std::string, int> names;
    for (const Example& e : examples()) ++names[e.className];
    const auto& bases = baseClassesNeverInFiles();
    for (const CRuntimeClass* cls : CRuntimeClass::registered()) {
        if (!cls->createObject || !cls->isDerivedFrom(CElementBase::staticClass())) continue;
        const std::string name = cls->className;
        const bool base = std::find(bases.begin(), bases.end(), name) != bases.end();
        EXPECT_NE(names.count(name) != 0, base) << name << ": an example, or a base never in files";
    }
    for (const auto& [name, n] : names) EXPECT_EQ(n, 1) << name << " has " << n << " examples";
}

}  // namespace
