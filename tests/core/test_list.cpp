// The figure list keeps parents before their dependents through every structural operation,
// and its look-ups answer none, -1 or false rather than failing.
#include <gtest/gtest.h>

#include "TestObjects.h"
#include "calc/EvaluationState.h"
#include "core/PointerMap.h"
#include "document/CPelvantiDoc.h"

TEST(ListLookups, NoneAbsentAndCoinciding) {
    Figure f;
    f.build("pi A B C M(A,B)");
    TestPoint outside(0, 0);
    EXPECT_EQ(f.list.indexOf(nullptr), -1);
    EXPECT_EQ(f.list.indexOf(&outside), -1);
    EXPECT_EQ(f.list.elementAt(5), nullptr);
    EXPECT_EQ(f.list.entryOf(&outside), nullptr);
    TestMilieu reversed(f["B"], f["A"]), other(f["A"], f["C"]);
    EXPECT_EQ(f.list.findCoinciding(&reversed), f["M"]);
    EXPECT_EQ(f.list.findCoinciding(&other), nullptr);
    EXPECT_EQ(f.list.findCoinciding(f["M"]), nullptr);  // not the object itself
}

TEST(ListStructure, ReclassMovesTheObjectAndWhatItNeeds) {
    for (auto [figure, target, toEnd, moved, after] :
         {std::tuple{"pi A B M(A,B) P", "A", true, true, "pi,B,P,A,M"},
          {"pi A B M(A,B) P", "P", true, false, "pi,A,B,M,P"},  // last entry
          {"pi A B M(A,B)", "B", true, false, "pi,A,B,M"},      // all followers depend
          {"pi A B M(A,B) P N(M,P) Q", "A", true, true, "pi,B,P,Q,A,M,N"},
          {"pi a A X B M(A,B)", "M", false, true, "pi,a,A,B,M,X"},
          {"pi a b A B M(A,B) P", "A", false, false, "pi,a,b,A,B,M,P"},  // K = F
          {"pi a b A B M(A,B) P", "a", false, false, "pi,a,b,A,B,M,P"},  // F > K
          {"pi A B M(A,B)", "M", false, false, "pi,A,B,M"}}) {           // needs all before it
        Figure f;
        f.build(figure);
        CActionAncetre* e = f.entry(target);
        EXPECT_EQ(toEnd ? f.list.reclassToEnd(e) : f.list.reclassToBeginning(e), moved);
        EXPECT_EQ(f.order(), after) << figure << " " << target;
    }
}

TEST(ListStructure, FirstMovableAndInsertedVariableComeAfterTheRunOfVariables) {
    for (auto [figure, index, after] : {std::tuple{"", -1, "v"},
                                        {"pi a b", -1, "pi,a,b,v"},
                                        {"pi A a", 1, "pi,v,A,a"},
                                        {"pi a b A B M(A,B) P", 3, "pi,a,b,v,A,B,M,P"}}) {
        Figure f;
        f.build(figure);
        EXPECT_EQ(f.list.firstMovableIndex(), index) << figure;
        f.list.insertVariable(new CAction(nat::variable, std::make_unique<TestValue>("v")));
        EXPECT_EQ(f.order(), after);
    }
}

TEST(ListStructure, RemoveLastAndKeepFirst) {
    for (auto [keep, n, after] : {std::tuple{false, 2, "pi,A,B"},
                                  {false, 9, ""},
                                  {false, -1, "pi,A,B,M,P"},
                                  {true, 2, "pi,A"},
                                  {true, 9, "pi,A,B,M,P"},
                                  {true, -1, ""}}) {
        Figure f;
        f.build("pi A B M(A,B) P");
        f.list.unitLength = f["M"];
        keep ? f.list.keepFirst(n) : f.list.removeLast(n);
        EXPECT_EQ(f.order(), after);
        // The unit length never outlives its object.
        EXPECT_EQ(f.list.unitLength == nullptr, f.list.count() < 4) << after;
    }
}

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
    for (int i = 0; i < 1000; ++i) map.insert(&objects[i], i);
    map.insert(&objects[7], 99);  // the first insertion wins
    map.insert(nullptr, 5);
    EXPECT_EQ(map.size(), 1000u);
    EXPECT_EQ(map.find(nullptr), nullptr);
    int outside = 0;
    EXPECT_EQ(map.find(&outside), nullptr);
    for (int i = 0; i < 1000; ++i) {
        const int* found = map.find(&objects[i]);
        ASSERT_TRUE(found && *found == i) << i;
    }
}

TEST(ListLookups, IndexScopeAnswersAsTheSearch) {
    Figure f;
    f.build("pi A B M(A,B)");
    f.list.append(new CActionSousListe(nat::pointLibre, f["A"]));  // the first entry wins
    CListeAction::IndexScope scope(f.list);
    CListeAction::IndexScope nested(f.list);
    EXPECT_EQ(f.list.indexOf(f["A"]), 1);
    EXPECT_EQ(f.list.indexOf(nullptr), -1);
    // A change of the list while a scope is open falls back on the search.
    TestPoint* p = f.point("P");
    EXPECT_EQ(f.list.indexOf(p), 5);
    f.list.removeAt(1);
    EXPECT_EQ(f.list.indexOf(f["M"]), 2);
    // So does an entry given another object in place.
    TestPoint q(1, 1);
    CElementBase* before = f.list.entryAt(2)->element;
    f.list.entryAt(2)->element = &q;
    EXPECT_EQ(f.list.indexOf(&q), 2);
    EXPECT_EQ(f.list.indexOf(before), -1);
    f.list.entryAt(2)->element = before;
}

TEST(ListDelete, DocumentResetsClipboardUnitAndGraphicList) {
    CPelvantiDoc doc;
    auto a = std::make_unique<TestPoint>(0, 0);
    TestPoint* pa = a.get();
    doc.addEntry(std::make_unique<CAction>(nat::pointLibre, std::move(a)));
    doc.clipboardUnitCm = 2.5;
    doc.deleteWithDependents(pa);
    EXPECT_EQ(doc.graphicList().count(), 0);
    EXPECT_EQ(doc.clipboardUnitCm, 0.0);
}

TEST(ListCopy, ParentsMappedByIndex) {
    Figure f;
    f.build("pi A B M(A,B)");
    f.list.angleUnit = 1;
    TestTransformation* t = f.transformation(f["A"]);
    f.image("B'", f["B"], t);
    // The test classes have no clone of their own: they are copied through the archive.
    f.list.unitLength = f.value(nat::mesure, "AB", 1, f["B"]);
    f.list.defaultMacro = f.macro("anime", f["M"]);
    CListeAction copy(false);
    f.list.copyTo(copy);
    EXPECT_TRUE(copy.ownsEntries());
    ASSERT_EQ(copy.count(), f.list.count());
    EXPECT_EQ(copy.angleUnit, 1);
    auto* m = static_cast<TestMilieu*>(copy.elementAt(3));
    EXPECT_EQ(m->parents[1], copy.elementAt(2));
    EXPECT_EQ(static_cast<TestPoint*>(copy.elementAt(5))->transformation, copy.elementAt(4));
    auto* len = static_cast<TestValue*>(copy.unitLength);
    EXPECT_EQ(copy.indexOf(len), 6);
    EXPECT_EQ(len->parent, copy.elementAt(2));
    EXPECT_EQ(copy.indexOf(copy.defaultMacro), 7);
}

TEST(ListRecompute, NonExistencePropagatesInOnePass) {
    Figure f;
    f.build("pi A B M(A,B) P N(M,P) Q(P,P)");
    f.list.angleUnit = 1;
    evaluationState().angleUnit = 0;
    auto* a = static_cast<TestPoint*>(f["A"]);
    a->broken = true;
    f.list.computeAll();
    EXPECT_EQ(evaluationState().angleUnit, 1);
    for (const char* gone : {"A", "M", "N"}) EXPECT_FALSE(f[gone]->exists) << gone;
    for (const char* there : {"pi", "B", "P", "Q"}) EXPECT_TRUE(f[there]->exists) << there;
    a->broken = false;
    a->x = 10;
    auto* b = static_cast<TestPoint*>(f["B"]);
    b->x = 30;
    f.list.computeDependentsOf(a);
    EXPECT_TRUE(f["N"]->exists);
    EXPECT_EQ(static_cast<TestPoint*>(f["M"])->x, 20);
    EXPECT_EQ(b->computations, 1);  // B does not depend on A
}

TEST(ListRecompute, DragListHoldsTheSameEntriesInOrder) {
    Figure f;
    f.build("pi A B M(A,B) P N(M,P) R(B,P)");
    f.list.angleUnit = 1;
    {
        CListeAction drag;  // even a list made to own its entries must not take these
        f.list.buildDragList(f["B"], drag);
        EXPECT_EQ(drag.count(), 4);
        EXPECT_EQ(drag.entryAt(3), f.entry("R"));
        EXPECT_EQ(drag.angleUnit, 1);
    }
    f.list.computeAll();  // the entries are still alive
    EXPECT_TRUE(f["R"]->exists);
}

TEST(ListStructure, ReplaceEntryForgetsTheUnitLengthAndTranslateMovesFreePointsOnly) {
    Figure f;
    f.build("pi A M(A,A)");
    f.list.unitLength = f.value(nat::mesure, "AB", 1, f["A"]);
    f.list.replaceEntryAt(3, new CAction(nat::mesure, std::make_unique<TestValue>("CD")));
    EXPECT_EQ(f.order(), "pi,A,M,CD");
    EXPECT_EQ(f.list.unitLength, nullptr);
    f.list.replaceEntryAt(9, nullptr);  // nothing there: nothing happens
    EXPECT_EQ(f.list.count(), 4);
    f.list.translateFigure(10, -20);
    EXPECT_EQ(static_cast<TestPoint*>(f["A"])->y, -20);
    EXPECT_EQ(static_cast<TestPoint*>(f["M"])->x, 0);
}
