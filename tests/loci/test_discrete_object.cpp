// Discrete loci (separate marks) and object loci (copies of a traced object).
#include <gtest/gtest.h>

#include "core/CPalette.h"
#include "loci/CLieuDiscretDeBase.h"
#include "loci/CLieuObjetAncetre.h"
#include "loci/LociFigure.h"

namespace {

template <class T>
T* addDiscrete(LociFigure& f, std::unique_ptr<T> l) {
    l->prepare();
    return f.add(nat::lieuDiscret, std::move(l));
}

CLieuDiscretParPointLie* discreteOf(LociFigure& f, CPointAncetre* traced, CPointLie* gen, int n,
                                    int shape = 0) {
    return addDiscrete(
        f, std::make_unique<CLieuDiscretParPointLie>(&f.list, traced, gen, shape, n, 1));
}

// What one mark of a shape draws.
std::vector<CRecordingDC::Op> markOps(int shape, int colour, double x, double y) {
    CPointBase p(x, y, static_cast<int8_t>(colour), shape);
    p.computePosition();
    CRecordingDC dc;
    p.drawPoint(&dc, false, true);
    return dc.ops;
}

}  // namespace

TEST_F(LocusOnSegment, DiscreteLocusMarksOnlyDefinedSamplesWithoutJoins) {
    auto* l = discreteOf(f, f.trace(m, kHoleInMiddle), m, 11, 2);
    l->colour = 4;
    ASSERT_TRUE(l->exists);
    EXPECT_EQ(l->lastIndex, 7);
    EXPECT_EQ(l->points[3], (LPoint{400, 200}));
    EXPECT_EQ(l->points[4], (LPoint{800, 200}));
    CRecordingDC dc;
    l->draw(&dc, true);
    const std::vector<CRecordingDC::Op> one = markOps(2, 4, 800, 200);
    ASSERT_FALSE(one.empty());
    ASSERT_EQ(dc.ops.size(), 8 * one.size());
    for (size_t k = 0; k < one.size(); ++k) {
        EXPECT_EQ(dc.ops[4 * one.size() + k].kind, one[k].kind);
        EXPECT_EQ(dc.ops[4 * one.size() + k].args, one[k].args);
    }
}

TEST_F(LocusOnSegment, DiscreteLocusHasNoJumpTestSkipsFarSamplesAndMayBeEmpty) {
    EXPECT_EQ(discreteOf(f, f.trace(m, kJumpRight), m, 11)->lastIndex, 10);
    auto* l = discreteOf(f, f.trace(m, kFarAway), m, 11);
    EXPECT_EQ(l->lastIndex, 5);
    EXPECT_EQ(l->designationDistance(80, 230, true), 36);  // mark (100, 200)
    // Without a single mark there is no locus.
    m->exists = false;
    l->computePosition();
    EXPECT_FALSE(l->exists);
    EXPECT_EQ(l->lastIndex, -1);
    EXPECT_EQ(l->designationDistance(0, 0, false), kNotDesignable);
}

TEST_F(LocusOnSegment, DiscreteLocusDependenciesAndTexts) {
    LociTracePoint* p = f.trace(m, kLine);
    auto* l = discreteOf(f, p, m, 12);
    l->setName("D");
    EXPECT_FALSE(l->dependsOnForDrag(m));
    EXPECT_EQ(l->getConstructionInfo(nullptr, nullptr, nullptr),
              "Lieu de point discret généré par point lié");
    EXPECT_EQ(l->getDescription(),
              "Lieu de points :D\n      Lieu de points non reliés généré par les traces du "
              "point P\n      et par le déplacement du point lié M\n      Nombre de points : 12");
    CVariableBornee* k = f.variable(0, 0, 1);
    auto* lv = addDiscrete(
        f, std::make_unique<CLieuDiscretParVariable>(&f.list, f.trace(k, kParabola), k, 1, 5, 2));
    EXPECT_EQ(lv->points[4], (LPoint{200, 101}));
    EXPECT_EQ(lv->getConstructionInfo(nullptr, nullptr, nullptr),
              "Lieu discret de points généré par la variable ");
    EXPECT_NE(lv->getDescription().find("et par les valeurs de la variable k"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Object loci

namespace {
struct SegmentLocus {
    LociFigure f;
    CPointLieDroite* m = nullptr;
    CSegment* traced = nullptr;
    CLieuObjetParPtLie* locus = nullptr;

    explicit SegmentLocus(int n) {
        m = f.linkedOnSegment(0, 0, 900, 0);
        traced = f.make<CSegment>(nat::segment, f.point(100, 400, "C"), m);
        locus =
            f.add(nat::lieuObjets, std::make_unique<CLieuObjetParPtLie>(&f.list, traced, m, n, 5));
    }
};
}  // namespace

TEST_F(LocusTest, ObjectLocusOfASegmentShowsOneCopyPerSample) {
    SegmentLocus s(10);
    ASSERT_TRUE(s.locus->exists);
    ASSERT_EQ(s.locus->copies->count(), 10);
    EXPECT_DOUBLE_EQ(static_cast<CSegment*>(s.locus->copyAt(9))->x2, 900);
    EXPECT_DOUBLE_EQ(s.traced->x2, 270);  // the traced segment is back with M
    CRecordingDC dc;
    s.locus->draw(&dc, true);
    EXPECT_EQ(dc.opsOfKind("line").size(), 10u);
    EXPECT_EQ(dc.opsOfKind("line")[3].args, (std::vector<int>{100, 400, 300, 0}));
    EXPECT_EQ(dc.opsOfKind("line")[3].pen, CPalette::pen(0, 5));
}

TEST_F(LocusTest, ObjectLocusTextsDragDesignationAndColour) {
    SegmentLocus s(10);
    s.locus->setName("T");
    EXPECT_EQ(s.locus->getConstructionInfo(nullptr, nullptr, nullptr),
              "Lieu d'objet généré par le déplacement d'un point lié");
    EXPECT_EQ(s.locus->getDescription(),
              "Lieu d'objet : T\n      Lieu d'objet généré par le déplacement du point lié M\n"
              "      et par la trace de l'objet [CM]");
    EXPECT_FALSE(s.locus->dependsOnForDrag(s.m));  // dragging the generator leaves the locus
    // Nearest copy: (100, 400) to (200, 0), 19.4 away; the vertical one is 30 away.
    EXPECT_EQ(s.locus->designationDistance(130, 200, true), 19);
    s.locus->setColour(7);
    EXPECT_EQ(s.locus->copyAt(9)->colour, 7);
    s.locus->masked = true;
    EXPECT_EQ(s.locus->designationDistance(130, 200, true), kNotDesignable);
    CRecordingDC dc;
    s.locus->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
    s.locus->draw(&dc, false);
    EXPECT_EQ(dc.opsOfKind("line")[0].pen, CPalette::pen(1, 7));
}

TEST_F(LocusTest, ObjectLocusByVariableSkipsUndefinedCopies) {
    LociFigure f;
    CVariableBornee* k = f.variable(0.5, 0, 1);
    LociTracePoint* p = f.trace(k, kHoleInMiddle);
    auto* a = f.point(50, 50);
    auto* c = f.make<CCercleOA>(nat::cercle, p, a);
    auto* l = f.add(nat::lieuObjets, std::make_unique<CLieuObjetParVariable>(&f.list, c, k, 11, 2));
    ASSERT_TRUE(l->exists);
    CRecordingDC dc;
    l->draw(&dc, true);
    EXPECT_EQ(dc.opsOfKind("ellipse").size(), 8u);
    EXPECT_EQ(l->getConstructionInfo(nullptr, nullptr, nullptr),
              "Lieu d'objet généré par les valeurs de la variable ");
}

TEST_F(LocusTest, DiscreteAndObjectLociFollowTheAngleUnitAndRebuild) {
    SegmentLocus s(4);
    auto* d = discreteOf(s.f, s.m, s.m, 5);
    s.f.list.setAngleUnit(1);
    EXPECT_EQ(s.locus->dependents->angleUnit, 1);
    EXPECT_EQ(d->dependents->angleUnit, 1);
    s.locus->setPointCount(7);
    s.locus->rebuildInternalLists(&s.f.list);
    EXPECT_EQ(s.locus->dependents->count(), 2);  // M, then the segment
    s.locus->computePosition();
    EXPECT_DOUBLE_EQ(static_cast<CSegment*>(s.locus->copyAt(6))->x2, 900);
    d->setPointCount(3, 1);
    d->rebuildInternalLists(&s.f.list);
    d->computePosition();
    EXPECT_EQ(d->points[1], (LPoint{450, 0}));
}
