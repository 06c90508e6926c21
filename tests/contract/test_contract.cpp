// The contract every figure class keeps with its list, checked on one example per class through
// the public protocol only: files (current and earliest format), clones into another list,
// references replaced, dependencies, deletion with dependents, construction info, drawing and
// the command line's description. The class registry says which classes need an example.
//
// classes.golden beside this file holds, per class, the bytes its example object writes and
// the example's `--describe` line. After a deliberate change, regenerate it with
//     KORVENDAL_REGENERATE_GOLDEN=1 build/tests/test_contract
// and review the difference before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "contract/Examples.h"
#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CRecordingDC.h"
#include "geometry/CPointAncetre.h"
#include "tools/cli/CommandLine.h"
#include "values/CVariable.h"

namespace {

using Bytes = std::vector<uint8_t>;

// One line per class: its name, the bytes of its object in hex, its --describe line.
class GoldenTable {
public:
    enum Column { bytes = 1, describe = 2 };
    using Row = std::map<int, std::string>;

    static bool regenerating() { return std::getenv("KORVENDAL_REGENERATE_GOLDEN") != nullptr; }

    void load() {
        std::ifstream in(file_);
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            const size_t a = line.find('\t'), b = line.find('\t', a + 1);
            rows_[line.substr(0, a)] = {{bytes, line.substr(a + 1, b - a - 1)},
                                        {describe, line.substr(b + 1)}};
        }
    }

    // Compares, or records when regenerating.
    void check(const std::string& cls, Column column, const std::string& value) {
        if (regenerating()) {
            rows_[cls][column] = value;
            changed_ = true;
        } else if (!rows_.count(cls)) {
            ADD_FAILURE() << cls << " has no line in classes.golden (regenerate it)";
        } else {
            EXPECT_EQ(rows_[cls][column], value) << cls << ": classes.golden (regenerate it "
                                                 << "after a deliberate change)";
        }
    }

    void write() {
        if (!changed_) return;
        std::ofstream out(file_);
        out << "# Per class: the bytes its example object writes, its --describe line.\n"
               "# Regenerate: KORVENDAL_REGENERATE_GOLDEN=1 build/tests/test_contract\n";
        for (auto& [cls, row] : rows_)
            out << cls << "\t" << row[bytes] << "\t" << row[describe] << "\n";
    }

private:
    const std::string file_ = std::string(KORVENDAL_TEST_DATA) + "/../contract/classes.golden";
    std::map<std::string, Row> rows_;
    bool changed_ = false;
};

GoldenTable& golden() {
    static GoldenTable t;
    return t;
}

class ContractEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        setActiveDrawingArea({1000, 500});
        previousHost_ = setHost(&host_);
        golden().load();
    }
    void TearDown() override {
        golden().write();
        setHost(previousHost_);
    }

private:
    CHeadlessHost host_;
    CHost* previousHost_ = nullptr;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ContractEnvironment);

std::string className(const CObject* o) {
    return o ? o->GetRuntimeClass()->className : "none";
}

std::string hex(const Bytes& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (uint8_t b : bytes) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

// The earliest format of an object, derived from its current fields written with word
// references: a graphic object's header becomes the older one (exists byte first, a 5-byte
// name, no font size); a non-graphic object gets its exists byte in front.
Bytes derivedEarliestBytes(CElementBase& e, CListeAction& list) {
    Bytes current = fieldsOf(e, list, true);
    Bytes out{static_cast<uint8_t>(e.exists ? 1 : 0)};
    if (!dynamic_cast<CElementGraphique*>(&e)) {
        out.insert(out.end(), current.begin(), current.end());
        return out;
    }
    size_t pos = 0;
    out.insert(out.end(), current.begin(), current.begin() + 3);  // masked, colour, nameHidden
    pos = 4;                                                      // after the font size
    const size_t len = current[pos++];
    out.push_back(static_cast<uint8_t>(len));
    for (size_t i = 0; i < 4; ++i) out.push_back(i < len ? current[pos + i] : 0);
    pos += len;
    out.insert(out.end(), current.begin() + static_cast<long>(pos), current.end());
    return out;
}

unsigned earliestTagOf(const std::string& cls) {
    for (unsigned tag = 1000; tag < 1500; ++tag)
        if (const CRuntimeClass* c = CRuntimeClass::fromEarliestTag(tag); c && c->className == cls)
            return tag;
    return 0;
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

TEST_P(Contract, ExampleBuildsAnExistingObjectLast) {
    auto f = build();
    ASSERT_NE(f->subject, nullptr);
    EXPECT_EQ(className(f->subject), example().className);
    EXPECT_EQ(f->list().elementAt(f->list().count() - 1), f->subject);
    EXPECT_TRUE(f->subject->exists);
    for (CElementBase* p : f->parents) EXPECT_TRUE(f->list().contains(p));
}

TEST_P(Contract, SaveLoadSaveIsByteExact) {
    auto f = build();
    Bytes bytes = f->doc.saveToBytes();
    CPelvantiDoc back;
    std::string reason;
    ASSERT_TRUE(back.loadFromBytes(bytes, &reason)) << reason;
    EXPECT_EQ(back.saveToBytes(), bytes);
    ASSERT_EQ(back.list().count(), f->list().count());
    CElementBase* read = back.list().elementAt(back.list().count() - 1);
    EXPECT_EQ(className(read), example().className);
    back.list().computeAll();
    EXPECT_EQ(read->exists, f->subject->exists);
    // A file cut short is refused.
    for (size_t cut : {bytes.size() - 9, bytes.size() / 2, bytes.size() / 3}) {
        CPelvantiDoc other;
        EXPECT_FALSE(other.loadFromBytes(Bytes(bytes.begin(), bytes.begin() + cut), &reason));
    }
    // The bytes themselves: the same as when the table was made.
    golden().check(example().className, GoldenTable::bytes, hex(fieldsOf(*f->subject, f->list())));
}

TEST_P(Contract, ReadsTheEarliestFormat) {
    const unsigned tag = earliestTagOf(example().className);
    if (!tag) GTEST_SKIP() << "no tag in the earliest format";
    if (!example().earliestUnknown.empty()) GTEST_SKIP() << example().earliestUnknown;
    auto f = build();
    // The earliest format has no font size: it reads 3.
    if (auto* g = dynamic_cast<CElementGraphique*>(f->subject)) g->nameFontIndex = 3;
    Bytes bytes = derivedEarliestBytes(*f->subject, f->list());
    if (example().earliest) example().earliest(*f, bytes);
    std::unique_ptr<CObject> read = f->subject->GetRuntimeClass()->create();
    CArchive ar(CArchive::load, bytes);
    ar.setFormat(CArchive::Format::earliest);
    ar.setCurrentList(&f->list());
    ASSERT_NO_THROW(read->readPreviousFormat(ar)) << "tag " << tag;
    EXPECT_TRUE(ar.atEnd());
    EXPECT_EQ(hex(fieldsOf(*read, f->list())), hex(fieldsOf(*f->subject, f->list())));
}

TEST_P(Contract, CloneIntoAnotherListMapsEveryParent) {
    auto f = build();
    CListeAction& from = f->list();
    CListeAction copy;
    from.copyTo(copy);
    ASSERT_EQ(copy.count(), from.count());
    for (int i = 0; i < from.count(); ++i) {
        CElementBase* c = copy.elementAt(i);
        ASSERT_NE(c, nullptr) << className(from.elementAt(i)) << " gives no clone";
        EXPECT_EQ(className(c), className(from.elementAt(i)));
        EXPECT_EQ(hex(fieldsOf(*c, copy)), hex(fieldsOf(*from.elementAt(i), from)))
            << className(c) << " at " << i;
    }
    CElementBase* clone = copy.elementAt(copy.count() - 1);
    for (size_t i = 0; i < f->parents.size(); ++i) {
        EXPECT_TRUE(clone->dependsOn(copy.elementAt(from.indexOf(f->parents[i]))))
            << parentText(*f, i) << " is not the copy's";
    }
    for (int i = 0; i < from.count(); ++i)
        EXPECT_FALSE(clone->dependsOn(from.elementAt(i)))
            << "the clone still refers to " << className(from.elementAt(i)) << " of the source";
    copy.computeAll();
    EXPECT_EQ(clone->exists, f->subject->exists);
}

TEST_P(Contract, ReplaceReferenceReachesEveryParent) {
    const size_t count = build()->parents.size();
    for (size_t i = 0; i < count; ++i) {
        auto f = build();
        CElementBase* p = f->parents[i];
        bool reachedOtherwise = false;
        for (CElementBase* q : f->parents)
            if (q != p && q->dependsOn(p)) reachedOtherwise = true;
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
        if (!reachedOtherwise) {
            EXPECT_FALSE(f->subject->dependsOn(p)) << parentText(*f, i);
        }
        expectSound(*f, "after replacing " + parentText(*f, i));

        // A substitute of another kind is never taken.
        if (example().anyClassSlot) continue;
        auto g = build();
        p = g->parents[i];
        std::unique_ptr<CElementBase> other;
        if (dynamic_cast<CValeurDynamique*>(p))
            other = std::make_unique<CPointBase>(10.0, 10.0);
        else
            other = std::make_unique<CVariableBornee>("w", 1, 0, 2, 1, "0", "2", "1");
        const Nature nature = dynamic_cast<CValeurDynamique*>(p) ? nat::pointLibre : nat::variable;
        CElementBase* wrong = insertBeforeSubject(*g, std::move(other), nature);
        g->subject->replaceReference(p, wrong);
        if (listed) {
            // A list may take objects of any kind its class reads back from a file.
            g->subject->replaceInSubLists(g->list().entryOf(p), g->list().entryOf(wrong));
            expectSound(*g, parentText(*g, i) + " replaced by a " + className(wrong));
            continue;
        }
        EXPECT_FALSE(g->subject->dependsOn(wrong))
            << parentText(*g, i) << " replaced by a " << className(wrong);
    }
}

TEST_P(Contract, DependsOnEachParentAndNothingElse) {
    auto f = build();
    CElementBase* s = f->subject;
    EXPECT_TRUE(s->dependsOn(s));
    EXPECT_TRUE(s->dependsOnForPositioning(s));
    for (size_t i = 0; i < f->parents.size(); ++i) {
        EXPECT_TRUE(s->dependsOn(f->parents[i])) << parentText(*f, i);
        EXPECT_TRUE(s->dependsOnForPositioning(f->parents[i])) << parentText(*f, i);
    }
    for (CElementBase* unrelated :
         {insertBeforeSubject(*f, std::make_unique<CPointBase>(5.0, 5.0), nat::pointLibre),
          insertBeforeSubject(*f, std::make_unique<CVariableBornee>("w", 1, 0, 2, 1, "0", "2", "1"),
                              nat::variable)}) {
        EXPECT_FALSE(s->dependsOn(unrelated)) << className(unrelated);
        EXPECT_FALSE(s->dependsOnForPositioning(unrelated)) << className(unrelated);
    }
}

TEST_P(Contract, DeletingAParentDeletesIt) {
    const size_t count = build()->parents.size();
    for (size_t i = 0; i < count; ++i) {
        auto f = build();
        const std::string what = parentText(*f, i);
        f->doc.deleteWithDependents(f->parents[i]);
        for (CActionAncetre* e : f->list().entries())
            ASSERT_NE(e->element, f->subject) << "still there after deleting " << what;
        expectSound(*f, "after deleting " + what);
    }
}

TEST_P(Contract, ConstructionInfoNamesRealParents) {
    auto f = build();
    CElementBase untouched;
    CElementBase *a = &untouched, *b = &untouched, *c = &untouched;
    const std::string info = f->subject->getConstructionInfo(&a, &b, &c);
    if (!f->parents.empty() && example().noConstructionText.empty()) {
        EXPECT_FALSE(info.empty());
    }
    for (CElementBase* named : {a, b, c}) {
        if (!named || named == &untouched) continue;
        EXPECT_NE(named, f->subject);
        EXPECT_TRUE(f->list().contains(named)) << className(named);
        EXPECT_TRUE(f->subject->dependsOn(named)) << className(named);
    }
}

TEST_P(Contract, DescribeLineIsStable) {
    auto f = build();
    const std::string file = ::testing::TempDir() + "contract-" + example().className + ".qvf";
    ASSERT_TRUE(f->doc.saveToFile(file, nullptr));
    std::ostringstream out, err;
    ASSERT_EQ(runCommandLine({"--describe", file}, out, err), 0) << err.str();
    std::remove(file.c_str());
    std::string text = out.str(), line;
    std::istringstream lines(text);
    for (std::string l; std::getline(lines, l);)
        if (!l.empty()) line = l;
    const std::string start =
        std::to_string(f->list().count() - 1) + "\t" + example().className + "\t";
    ASSERT_EQ(line.rfind(start, 0), 0u) << line;
    // Bipoints are hidden helpers without a text of their own.
    if (f->list().entryOf(f->subject)->nature != nat::bipoint) {
        EXPECT_NE(line.find('\t', start.size()), start.size()) << "empty description";
    }
    golden().check(example().className, GoldenTable::describe, line);
}

TEST_P(Contract, DrawsWithinTheDrawableRangeAndIsDesignable) {
    auto f = build();
    auto* g = dynamic_cast<CElementGraphique*>(f->subject);
    // Then the figure far away, so that the object reaches out of the range (the filled
    // shapes of surfaces are left to the drawing surface).
    const bool surface = f->list().entryOf(f->subject)->nature == nat::surface;
    for (double dx : {0.0, 60000.0}) {
        f->list().translateFigure(dx, 0);
        f->list().computeAll();
        for (bool hideMasked : {true, false}) {
            CRecordingDC dc;
            f->list().drawAll(&dc, hideMasked, false);
            f->list().eraseAll(&dc, hideMasked, false);
            for (const auto& op : dc.ops)
                for (int v : op.args) {
                    if (surface && dx != 0) continue;
                    EXPECT_GE(v, -32768) << op.kind;
                    EXPECT_LE(v, 32767) << op.kind;
                }
        }
        for (int x = -100; g && x <= 1100; x += 200)
            for (int y = -100; y <= 600; y += 100) EXPECT_GE(g->designationDistance(x, y, true), 0);
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
    std::vector<const CRuntimeClass*> registered = CRuntimeClass::registered();
    for (const CRuntimeClass* cls : registered) {
        if (!cls->createObject || !cls->isDerivedFrom(CElementBase::staticClass())) continue;
        const std::string name = cls->className;
        const bool base = std::find(bases.begin(), bases.end(), name) != bases.end();
        EXPECT_TRUE(names.count(name) || base) << name << " has no example in the contract suite";
        EXPECT_FALSE(names.count(name) && base) << name;
        if (base) {
            // Only a class that others derive from can be left out as a base.
            bool derived = false;
            for (const CRuntimeClass* other : registered)
                if (other != cls && other->baseClass == cls) derived = true;
            EXPECT_TRUE(derived) << name << " is listed as a base but nothing derives from it";
        }
    }
    for (const auto& [name, n] : names) {
        EXPECT_EQ(n, 1) << name << " has " << n << " examples";
        EXPECT_NE(CRuntimeClass::fromName(name), nullptr) << name << " is not registered";
    }
}

TEST(ContractRegistry, SchemaTwoForTheVersionedClassesOnly) {
    const std::set<std::string> versioned = {
        "CActionAncetre",  "CAction",           "CActionSousListe",     "CRepere",
        "CArcDeCercle",    "CGrandArcDeCercle", "CArcDeCercleDirect",   "CArcDeCercleIndirect",
        "CPointLieDroite", "CMacroApparition",  "CMacroBoucleAvecTrace"};
    for (const CRuntimeClass* cls : CRuntimeClass::registered()) {
        const bool v = versioned.count(cls->className) != 0;
        EXPECT_EQ(cls->schema, v ? 2 : 1) << cls->className;
        EXPECT_EQ(cls->versionable, v) << cls->className;
    }
}

}  // namespace
