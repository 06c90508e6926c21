// The figure list keeps parents before their dependents through every structural operation,
// and its look-ups answer none, -1 or false rather than failing.
#include <gtest/gtest.h>

#include "TestObjects.h"
#include "calc/EvaluationState.h"
#include "core/PointerMap.h"
#include "document/CPelvantiDoc.h"

TEST(ListLookups, NoneAndAbsent) {
    Figure f;
    f.build("pi A B M(A,B)");
    TestPoint outside(0, 0);
    EXPECT_EQ(f.list.indexOf(nullptr), -1);
    EXPECT_EQ(f.list.indexOf(&outside), -1);
    EXPECT_EQ(f.list.elementAt(-1), nullptr);
    EXPECT_EQ(f.list.elementAt(4), nullptr);
    EXPECT_EQ(f.list.entryOf(&outside), nullptr);
    EXPECT_FALSE(f.list.contains(&outside));
    EXPECT_EQ(f.list.indexOf(f["M"]), 3);
    EXPECT_EQ(f.list.findByNature(nat::pointConstruit), f["M"]);
    EXPECT_EQ(f.list.findByNature(nat::point), nullptr);  // exact nature, not a group
    EXPECT_FALSE(f.list.anyExists());
    f.list.computeAll();
    EXPECT_TRUE(f.list.anyExists());
}

TEST(ListLookups, FindCoincidingSkipsTheObjectItself) {
    Figure f;
    f.build("A B C M(A,B)");
    TestMilieu reversed(f["B"], f["A"]), other(f["A"], f["C"]);
    EXPECT_EQ(f.list.findCoinciding(&reversed), f["M"]);
    EXPECT_EQ(f.list.findCoinciding(&other), nullptr);
    EXPECT_EQ(f.list.findCoinciding(f["M"]), nullptr);
}

TEST(ListLookups, SameElementsAndDependencies) {
    Figure f;
    f.build("A B M(A,B) P");
    CListeAction drag(false);
    f.list.buildDragList(f["A"], drag);
    EXPECT_FALSE(f.list.sameElements(drag));
    EXPECT_TRUE(drag.anyDependsOn(f["A"]));
    EXPECT_FALSE(drag.anyDependsOn(f["P"]));
    CListeAction all(false);
    f.list.buildGraphicList(all);
    EXPECT_TRUE(f.list.sameElements(all));
}

struct ReclassCase {
    const char* figure;
    const char* target;
    bool toEnd;
    bool moved;
    const char* after;
};

class Reclass : public testing::TestWithParam<ReclassCase> {};

TEST_P(Reclass, MovesTheObjectAndWhatItNeeds) {
    const ReclassCase& c = GetParam();
    Figure f;
    f.build(c.figure);
    CActionAncetre* e = f.entry(c.target);
    ASSERT_TRUE(e);
    bool moved = c.toEnd ? f.list.reclassToEnd(e) : f.list.reclassToBeginning(e);
    EXPECT_EQ(moved, c.moved);
    EXPECT_EQ(f.order(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Reclass,
    testing::Values(
        ReclassCase{"pi A B M(A,B) P", "A", true, true, "pi,B,P,A,M"},
        ReclassCase{"pi a b A B M(A,B) P", "P", false, true, "pi,a,b,P,A,B,M"},
        ReclassCase{"pi A B M(A,B) P", "P", true, false, "pi,A,B,M,P"},  // last entry
        ReclassCase{"pi A B M(A,B)", "B", true, false, "pi,A,B,M"},      // all followers depend
        ReclassCase{"pi A B M(A,B) P N(M,P) Q", "A", true, true, "pi,B,P,Q,A,M,N"},
        ReclassCase{"pi A B M(A,B) P N(M,P) Q", "M", true, true, "pi,A,B,P,Q,M,N"},
        ReclassCase{"pi a A X B M(A,B)", "M", false, true, "pi,a,A,B,M,X"},
        ReclassCase{"pi a b A B M(A,B) P", "A", false, false, "pi,a,b,A,B,M,P"},  // K = F
        ReclassCase{"pi a b A B M(A,B) P", "a", false, false, "pi,a,b,A,B,M,P"},  // F > K
        ReclassCase{"pi A B M(A,B)", "M", false, false, "pi,A,B,M"},  // needs all before it
        ReclassCase{"pi a b", "b", false, false, "pi,a,b"}));         // nothing movable

struct FirstMovableCase {
    const char* figure;
    int index;
};

class FirstMovable : public testing::TestWithParam<FirstMovableCase> {};

TEST_P(FirstMovable, AfterTheRunOfVariables) {
    Figure f;
    f.build(GetParam().figure);
    EXPECT_EQ(f.list.firstMovableIndex(), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Figures, FirstMovable,
                         testing::Values(FirstMovableCase{"", -1}, FirstMovableCase{"pi", -1},
                                         FirstMovableCase{"pi a b", -1},
                                         FirstMovableCase{"pi A", 1},
                                         FirstMovableCase{"pi a b A B M(A,B) P", 3},
                                         FirstMovableCase{"pi A a", 1}));

struct InsertVariableCase {
    const char* figure;
    const char* after;
};

class InsertVariable : public testing::TestWithParam<InsertVariableCase> {};

TEST_P(InsertVariable, AfterTheVariablesThatFollowTheFirstEntry) {
    Figure f;
    f.build(GetParam().figure);
    f.list.insertVariable(new CAction(nat::variable, std::make_unique<TestValue>("v")));
    EXPECT_EQ(f.order(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Figures, InsertVariable,
                         testing::Values(InsertVariableCase{"", "v"},
                                         InsertVariableCase{"pi", "pi,v"},
                                         InsertVariableCase{"pi A", "pi,v,A"},
                                         InsertVariableCase{"pi a b A c", "pi,a,b,v,A,c"}));

struct TrimCase {
    bool keep;
    int n;
    const char* after;
};

class Trim : public testing::TestWithParam<TrimCase> {};

TEST_P(Trim, RemoveLastAndKeepFirst) {
    Figure f;
    f.build("pi A B M(A,B) P");
    f.list.unitLength = f["M"];
    if (GetParam().keep)
        f.list.keepFirst(GetParam().n);
    else
        f.list.removeLast(GetParam().n);
    EXPECT_EQ(f.order(), GetParam().after);
    // The unit length never outlives its object.
    EXPECT_EQ(f.list.unitLength == nullptr, f.list.count() < 4);
}

INSTANTIATE_TEST_SUITE_P(Counts, Trim,
                         testing::Values(TrimCase{false, 0, "pi,A,B,M,P"},
                                         TrimCase{false, 2, "pi,A,B"}, TrimCase{false, 9, ""},
                                         TrimCase{false, -1, "pi,A,B,M,P"},
                                         TrimCase{true, 2, "pi,A"}, TrimCase{true, 4, "pi,A,B,M"},
                                         TrimCase{true, 9, "pi,A,B,M,P"}, TrimCase{true, -1, ""}));

TEST(ListDelete, DependentsUnusedTransformationsMacroAndUnitLength) {
    Figure f;
    f.build("pi A B C M(A,B)");
    TestTransformation* byA = f.transformation(f["A"]);
    f.image("C'", f["C"], byA);
    TestTransformation* byC = f.transformation(f["C"]);
    f.image("B'", f["B"], byC);
    f.list.unitLength = f.value(nat::mesure, "AB", 1, f["A"]);
    f.list.defaultMacro = f.macro("anime", f["M"]);

    f.list.deleteWithDependents(f["A"]);
    EXPECT_EQ(f.order(), "pi,B,C,?,B'");
    EXPECT_EQ(f.list.elementAt(3), byC);  // still used by B'
    EXPECT_EQ(f.list.unitLength, nullptr);
    EXPECT_EQ(f.list.defaultMacro, nullptr);

    // An unused transformation goes with any deletion.
    f.list.deleteWithDependents(f["B'"]);
    EXPECT_EQ(f.order(), "pi,B,C");
}

// The walk in list order gives, for every object, the answer of its own dependency test.
TEST(ListDelete, DependentsWalkAnswersAsDependsOn) {
    Figure f;
    f.build("pi a A B C M(A,B) N(M,C) P");
    TestTransformation* t = f.transformation(f["N"]);
    f.image("C'", f["C"], t);
    f.value(nat::mesure, "d", 1, f["M"]);
    f.macro("anime", f["C'"]);
    for (CActionAncetre* target : f.list.entries()) {
        std::vector<bool> marks = f.list.dependentsOf(target->element);
        ASSERT_EQ(marks.size(), static_cast<size_t>(f.list.count()));
        for (int i = 0; i < f.list.count(); ++i)
            EXPECT_EQ(marks[i], f.list.elementAt(i)->dependsOn(target->element))
                << nameOf(f.list.elementAt(i)) << " on " << nameOf(target->element);
    }
    // An object outside the list: nothing depends on it.
    TestPoint outside(0, 0);
    std::vector<bool> none = f.list.dependentsOf(&outside);
    EXPECT_EQ(std::count(none.begin(), none.end(), true), 0);
}

// Walks open side by side over the same objects keep their own answers; a copy of an object
// answered is another object, not yet examined.
TEST(ListDelete, WalksSideBySideKeepTheirAnswers) {
    Figure f;
    f.build("A B M(A,B) N(M,B) P");
    CDependencyWalk aboutA(f["A"]);
    CDependencyWalk aboutM(f["M"]);
    const char* names[] = {"A", "B", "M", "N", "P"};
    const bool onA[] = {true, false, true, true, false};
    const bool onM[] = {false, false, true, true, false};
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(aboutA.answer(f[names[i]]), onA[i]) << names[i];
            EXPECT_EQ(aboutM.answer(f[names[i]]), onM[i]) << names[i];
            EXPECT_EQ(f[names[i]]->dependsOn(f["B"]), i == 1 || i == 2 || i == 3) << names[i];
        }
    TestPoint copy(*static_cast<TestPoint*>(f["A"]));
    EXPECT_FALSE(aboutA.answer(&copy));
}

TEST(ListLookups, PointerMapKeepsEveryKeyThroughItsGrowth) {
    std::vector<int> objects(1000);
    PointerMap<int> map;
    EXPECT_EQ(map.find(&objects[0]), nullptr);
    for (int i = 0; i < 1000; ++i) map.insert(&objects[i], i);
    map.insert(&objects[7], 99);  // the first insertion wins
    map.insert(nullptr, 5);
    EXPECT_EQ(map.size(), 1000u);
    EXPECT_EQ(map.find(nullptr), nullptr);
    int outside = 0;
    EXPECT_EQ(map.find(&outside), nullptr);
    for (int i = 0; i < 1000; ++i) {
        const int* found = map.find(&objects[i]);
        ASSERT_TRUE(found) << i;
        EXPECT_EQ(*found, i);
    }
}

TEST(ListLookups, IndexScopeAnswersAsTheSearch) {
    Figure f;
    f.build("pi A B M(A,B)");
    f.list.append(new CActionSousListe(nat::pointLibre, f["A"]));  // the first entry wins
    TestPoint outside(0, 0);
    {
        CListeAction::IndexScope scope(f.list);
        CListeAction::IndexScope nested(f.list);
        EXPECT_EQ(f.list.indexOf(f["A"]), 1);
        EXPECT_EQ(f.list.indexOf(f["M"]), 3);
        EXPECT_EQ(f.list.indexOf(&outside), -1);
        EXPECT_EQ(f.list.indexOf(nullptr), -1);
        // A change of the list while a scope is open falls back on the search.
        TestPoint* p = f.point("P");
        EXPECT_EQ(f.list.indexOf(p), 5);
        f.list.removeAt(1);
        EXPECT_EQ(f.list.indexOf(f["M"]), 2);
        EXPECT_EQ(f.list.indexOf(p), 4);
    }
    {
        CListeAction::IndexScope scope(f.list);
        // An entry given another object in place.
        TestPoint q(1, 1);
        CElementBase* before = f.list.entryAt(2)->element;
        f.list.entryAt(2)->element = &q;
        EXPECT_EQ(f.list.indexOf(&q), 2);
        EXPECT_EQ(f.list.indexOf(before), -1);
        f.list.entryAt(2)->element = before;
        EXPECT_EQ(f.list.indexOf(before), 2);
    }
}

TEST(ListDelete, DocumentResetsClipboardUnitAndGraphicList) {
    CPelvantiDoc doc;
    auto a = std::make_unique<TestPoint>(0, 0);
    TestPoint* pa = a.get();
    doc.addEntry(std::make_unique<CAction>(nat::pointLibre, std::move(a)));
    auto len = std::make_unique<TestValue>("AB", 1, pa);
    doc.list().unitLength = len.get();
    doc.addEntry(std::make_unique<CAction>(nat::mesure, std::move(len)));
    doc.clipboardUnitCm = 2.5;
    EXPECT_EQ(doc.graphicList().count(), 1);
    doc.deleteWithDependents(pa);
    EXPECT_EQ(doc.list().count(), 0);
    EXPECT_EQ(doc.graphicList().count(), 0);
    EXPECT_EQ(doc.clipboardUnitCm, 0.0);
}

TEST(ListCopy, ParentsMappedByIndex) {
    Figure f;
    f.build("pi A B M(A,B)");
    f.list.angleUnit = 1;
    TestTransformation* t = f.transformation(f["A"]);
    f.image("B'", f["B"], t);
    // A value class without its own clone is copied through the archive.
    f.list.unitLength = f.value(nat::mesure, "AB", 1, f["B"]);
    f.list.defaultMacro = f.macro("anime", f["M"]);

    CListeAction copy(false);
    f.list.copyTo(copy);
    EXPECT_TRUE(copy.ownsEntries());
    ASSERT_EQ(copy.count(), f.list.count());
    EXPECT_EQ(copy.angleUnit, 1);
    for (int i = 0; i < copy.count(); ++i) {
        EXPECT_NE(copy.elementAt(i), f.list.elementAt(i));
        EXPECT_EQ(copy.entryAt(i)->nature, f.list.entryAt(i)->nature);
        EXPECT_EQ(nameOf(copy.elementAt(i)), nameOf(f.list.elementAt(i)));
    }
    auto* m = dynamic_cast<TestMilieu*>(copy.elementAt(3));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->parents[0], copy.elementAt(1));
    EXPECT_EQ(m->parents[1], copy.elementAt(2));
    EXPECT_EQ(static_cast<TestPoint*>(copy.elementAt(5))->transformation, copy.elementAt(4));
    auto* len = dynamic_cast<TestValue*>(copy.unitLength);
    ASSERT_TRUE(len);
    EXPECT_EQ(copy.indexOf(len), 6);
    EXPECT_EQ(len->parent, copy.elementAt(2));
    EXPECT_EQ(copy.indexOf(copy.defaultMacro), 7);
    copy.computeAll();
    EXPECT_TRUE(len->exists);
}

TEST(ListRecompute, NonExistencePropagatesInOnePass) {
    Figure f;
    f.build("pi A B M(A,B) P N(M,P) Q(P,P)");
    f.list.angleUnit = 1;
    evaluationState().angleUnit = 0;
    static_cast<TestPoint*>(f["A"])->broken = true;
    f.list.computeAll();
    EXPECT_EQ(evaluationState().angleUnit, 1);
    for (const char* gone : {"A", "M", "N"}) EXPECT_FALSE(f[gone]->exists) << gone;
    for (const char* there : {"pi", "B", "P", "Q"}) EXPECT_TRUE(f[there]->exists) << there;

    static_cast<TestPoint*>(f["A"])->broken = false;
    auto* a = static_cast<TestPoint*>(f["A"]);
    a->x = 10;
    auto* b = static_cast<TestPoint*>(f["B"]);
    b->x = 30;
    f.list.computeDependentsOf(a);
    EXPECT_TRUE(f["N"]->exists);
    EXPECT_EQ(static_cast<TestPoint*>(f["M"])->x, 20);
    EXPECT_EQ(b->computations, 1);  // B does not depend on A
    EXPECT_EQ(a->computations, 2);
}

TEST(ListRecompute, DragListHoldsTheSameEntriesInOrder) {
    Figure f;
    f.build("pi A B M(A,B) P N(M,P) R(B,P)");
    f.list.angleUnit = 1;
    {
        CListeAction drag;  // even a list made to own its entries must not take these
        f.list.buildDragList(f["B"], drag);
        ASSERT_EQ(drag.count(), 4);
        EXPECT_EQ(drag.entryAt(0), f.entry("B"));
        EXPECT_EQ(drag.entryAt(3), f.entry("R"));
        EXPECT_EQ(drag.angleUnit, 1);
        f.list.buildDragListExcept(f["B"], drag, f["N"]);
        EXPECT_EQ(drag.count(), 3);
        EXPECT_EQ(drag.indexOf(f["N"]), -1);
    }
    f.list.computeAll();  // the entries are still alive
    EXPECT_TRUE(f["R"]->exists);
}

TEST(ListStructure, ReplaceEntryForgetsTheUnitLength) {
    Figure f;
    f.build("pi A B");
    f.list.unitLength = f.value(nat::mesure, "AB", 1, f["A"]);
    f.list.replaceEntryAt(3, new CAction(nat::mesure, std::make_unique<TestValue>("CD")));
    EXPECT_EQ(f.order(), "pi,A,B,CD");
    EXPECT_EQ(f.list.unitLength, nullptr);
    f.list.replaceEntryAt(9, nullptr);  // nothing there: nothing happens
    EXPECT_EQ(f.list.count(), 4);
}

TEST(ListStructure, TranslateMovesFreePointsOnly) {
    Figure f;
    f.build("A B M(A,B)");
    auto* m = static_cast<TestPoint*>(f["M"]);
    m->x = 5;
    f.list.translateFigure(10, -20);
    EXPECT_EQ(static_cast<TestPoint*>(f["A"])->x, 10);
    EXPECT_EQ(static_cast<TestPoint*>(f["B"])->y, -20);
    EXPECT_EQ(m->x, 5);
}

TEST(ListStructure, ZoomScalesTheUnitLengthLikeTheOtherFreePoints) {
    CPelvantiDoc doc;
    auto a = std::make_unique<TestPoint>(100, 100);
    auto b = std::make_unique<TestPoint>(400, 200);
    TestPoint *pa = a.get(), *pb = b.get();
    doc.addEntry(std::make_unique<CAction>(nat::pointLibre, std::move(a)));
    doc.addEntry(std::make_unique<CAction>(nat::pointLibre, std::move(b)));
    doc.list().unitLength = new TestValue("u", 1, pa);
    doc.addEntry(std::make_unique<CAction>(nat::mesure,
                                           std::unique_ptr<CElementBase>(doc.list().unitLength)));
    doc.zoomIn(600, 400);  // about (300, 200), ratio 1.2
    EXPECT_DOUBLE_EQ(pa->x, 300 - 200 * 1.2);
    EXPECT_DOUBLE_EQ(pa->y, 200 - 100 * 1.2);
    EXPECT_DOUBLE_EQ(pb->x, 300 + 100 * 1.2);
    doc.zoomOut(600, 400);
    EXPECT_DOUBLE_EQ(pa->x, 100);
    EXPECT_DOUBLE_EQ(pb->x, 400);
    EXPECT_DOUBLE_EQ(pb->y, 200);
}
