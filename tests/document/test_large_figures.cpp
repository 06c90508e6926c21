// Large and deep figures: saving, reading back, copying and deleting go through chains of any
// length without exhausting the stack, and give the bytes and results of small figures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/FormulaFixture.h"
#include "core/CArchive.h"
#include "core/CListeAction.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/GeoFigure.h"

namespace {

CPointBase* freePoint(CListeAction& list, double x, double y) {
    return appendEntry(list, nat::pointLibre, std::make_unique<CPointBase>(x, y));
}

// A, B, then `length` midpoints, each of the previous one (A first) and B.
void buildChain(CPelvantiDoc& doc, int length) {
    CListeAction& list = doc.list();
    CPointAncetre* previous = freePoint(list, 0, 0);
    CPointAncetre* b = freePoint(list, 1000, 500);
    for (int i = 0; i < length; ++i)
        previous = appendEntry(list, nat::pointConstruit, std::make_unique<CMilieu>(previous, b));
    doc.rebuildGraphicList();
    list.computeAll();
}

constexpr int kDeepChain = 100000;

}  // namespace

TEST(LargeFigures, DeepChainSavesAndReadsBackTheSame) {
    CPelvantiDoc doc;
    doc.newFigure();
    buildChain(doc, kDeepChain);
    const std::vector<uint8_t> saved = doc.saveToBytes();

    CPelvantiDoc reread;
    reread.newFigure();
    std::string reason;
    ASSERT_TRUE(reread.loadFromBytes(saved, &reason)) << reason;
    CListeAction& list = reread.list();
    ASSERT_EQ(list.count(), kDeepChain + 3);
    for (int i : {4, kDeepChain / 2, kDeepChain + 2}) {
        auto* m = dynamic_cast<CMilieu*>(list.elementAt(i));
        ASSERT_TRUE(m) << i;
        EXPECT_EQ(m->A, list.elementAt(i - 1));
        EXPECT_EQ(m->B, list.elementAt(2));
    }
    list.computeAll();
    EXPECT_TRUE(list.elementAt(kDeepChain + 2)->exists);
    EXPECT_EQ(reread.saveToBytes(), saved);
}

TEST(LargeFigures, DeepChainIsDeletedCopiedAndUndone) {
    CPelvantiDoc doc;
    doc.newFigure();
    buildChain(doc, kDeepChain);
    doc.history().resetHistory();
    const std::vector<uint8_t> state = doc.writeListState();

    CListeAction copy;
    doc.list().copyTo(copy);
    EXPECT_EQ(saveList(copy), state);

    // Deleting the first midpoint takes the whole chain with it, and nothing else.
    doc.deleteWithDependents(doc.list().elementAt(3));
    EXPECT_EQ(doc.list().count(), 3);
    EXPECT_EQ(doc.graphicList().count(), 2);
    doc.history().record("Suppression");
    std::string reason;
    ASSERT_TRUE(doc.history().undo(&reason)) << reason;
    EXPECT_EQ(doc.list().count(), kDeepChain + 3);
    EXPECT_EQ(doc.writeListState(), state);
}

// On real kinds of objects, the one walk in list order answers as each object's own test.
TEST(LargeFigures, DependentsWalkAnswersAsDependsOn) {
    CPelvantiDoc doc;
    doc.newFigure();
    CListeAction& list = doc.list();
    CPointBase* a = freePoint(list, 0, 0);
    CPointBase* b = freePoint(list, 300, 0);
    CPointBase* c = freePoint(list, 0, 300);
    auto* m = appendEntry(list, nat::pointConstruit, std::make_unique<CMilieu>(a, b));
    appendEntry(list, nat::segment, std::make_unique<CSegment>(a, b));
    appendEntry(list, nat::cercle, std::make_unique<CCercleOA>(m, c));
    auto* n = appendEntry(list, nat::pointConstruit, std::make_unique<CMilieu>(m, c));
    appendEntry(list, nat::droite, std::make_unique<CDroiteAB>(n, b));
    appendEntry(list, nat::pointConstruit, std::make_unique<CMilieu>(n, n));
    for (CActionAncetre* target : list.entries()) {
        std::vector<bool> marks = list.dependentsOf(target->element);
        for (int i = 0; i < list.count(); ++i)
            EXPECT_EQ(marks[i], list.elementAt(i)->dependsOn(target->element))
                << i << " on " << list.indexOf(target->element);
    }
    doc.deleteWithDependents(m);
    EXPECT_EQ(list.count(), 5);  // pi, A, B, C and the segment
}

// Every dependency question about a chain of any length: the drag list, recomputation, the
// objects' own tests from either end, and reclassing, which moves the object and what it needs.
TEST(LargeFigures, DeepChainDependencyWalks) {
    CPelvantiDoc doc;
    doc.newFigure();
    buildChain(doc, kDeepChain);
    CListeAction& list = doc.list();
    CElementBase* a = list.elementAt(1);
    CElementBase* last = list.elementAt(kDeepChain + 2);
    EXPECT_TRUE(last->dependsOn(a));
    EXPECT_TRUE(last->dependsOnForPositioning(list.elementAt(2)));
    EXPECT_FALSE(a->dependsOn(last));
    EXPECT_TRUE(list.anyDependsOnForPositioning(list.elementAt(3)));

    CListeAction drag(false);
    list.buildDragList(a, drag);
    EXPECT_EQ(drag.count(), kDeepChain + 1);
    list.buildDragListExcept(a, drag, last);
    EXPECT_EQ(drag.count(), kDeepChain);

    static_cast<CPointBase*>(a)->setPosition(1000, 500);
    list.computeDependentsOf(a);
    auto* end = static_cast<CPointAncetre*>(last);
    EXPECT_DOUBLE_EQ(end->x, 1000);
    EXPECT_DOUBLE_EQ(end->y, 500);

    // C comes first, then A with its chain goes after B.
    CPointBase* c = freePoint(list, 5, 5);
    doc.rebuildGraphicList();
    EXPECT_TRUE(doc.reclassToBeginning(list.entryOf(c)));
    EXPECT_EQ(list.elementAt(1), c);
    EXPECT_TRUE(doc.reclassToEnd(list.entryOf(a)));
    EXPECT_EQ(list.indexOf(a), 3);
    EXPECT_EQ(list.elementAt(kDeepChain + 3), last);
    EXPECT_TRUE(doc.reclassToBeginning(list.entryOf(last)));
    EXPECT_EQ(list.elementAt(kDeepChain + 3), c);
}

// Values built on values through formulas: the tests go through the trees, put off and resumed.
TEST(LargeFigures, DeepChainOfCalculations) {
    FormulaFigure f;
    CVariableBornee* a = f.addVariable("a", 1);
    std::string previous = "a";
    for (int i = 1; i <= 3000; ++i) {
        CCalcul* c = f.addCalcul("c" + std::to_string(i), previous + "+1");
        ASSERT_TRUE(c->exists) << i;
        previous = c->getName();
    }
    CElementBase* last = f.list.elementAt(f.last());
    EXPECT_TRUE(last->dependsOn(a));
    EXPECT_TRUE(last->dependsOnForPositioning(a));
    EXPECT_FALSE(f.list.elementAt(3)->dependsOn(last));
    CListeAction drag(false);
    f.list.buildDragList(a, drag);
    EXPECT_EQ(drag.count(), 3001);
    a->setValue(5);
    f.list.computeDependentsOf(a);
    EXPECT_DOUBLE_EQ(static_cast<CCalcul*>(last)->getValue(), 3005);
}
