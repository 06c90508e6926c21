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
}  // namespace

TEST_F(LocusOnSegment, DiscreteLocusMarksOnlyDefinedSamplesWithoutJoins) {
    auto* l = discreteOf(f, f.trace(m, kHoleInMiddle), m, 11, 2);
    l->colour = 4;
    EXPECT_EQ(l->lastIndex, 7);
    EXPECT_EQ(l->points[4], (LPoint{800, 200}));
    CRecordingDC dc;
    l->draw(&dc, true);
    // Each mark draws as a point of its shape and colour would.
    CPointBase mark(800, 200, 4, 2);
    mark.computePosition();
    CRecordingDC one;
    mark.drawPoint(&one, false, true);
    ASSERT_EQ(dc.ops.size(), 8 * one.ops.size());
    for (size_t k = 0; k < one.ops.size(); ++k)
        EXPECT_EQ(dc.ops[4 * one.ops.size() + k].args, one.ops[k].args);
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
    EXPECT_EQ(l->designationDistance(0, 0, false), kNotDesignable);
}

TEST_F(LocusOnSegment, DiscreteLocusTexts) {
    auto* l = discreteOf(f, f.trace(m, kLine), m, 12);
    l->setName("D");
    EXPECT_EQ(l->getDescription(),
              "Lieu de points :D\n      Lieu de points non reliés généré par les traces du "
              "point P\n      et par le déplacement du point lié M\n      Nombre de points : 12");
    CVariableBornee* k = f.variable(0, 0, 1);
    auto* lv = addDiscrete(
        f, std::make_unique<CLieuDiscretParVariable>(&f.list, f.trace(k, kParabola), k, 1, 5, 2));
    EXPECT_EQ(lv->points[4], (LPoint{200, 101}));
    EXPECT_NE(lv->getDescription().find("et par les valeurs de la variable k"), std::string::npos);
}

// The copies of [CM] as M runs on [AB], from (0, 0) to (900, 0), with C at (100, 400).
TEST_F(LocusTest, ObjectLocusOfASegmentShowsOneCopyPerSample) {
    LociFigure f;
    CPointLieDroite* m = f.linkedOnSegment(0, 0, 900, 0);
    auto* traced = f.make<CSegment>(nat::segment, f.point(100, 400, "C"), m);
    auto* locus =
        f.add(nat::lieuObjets, std::make_unique<CLieuObjetParPtLie>(&f.list, traced, m, 10, 5));
    locus->setName("T");
    ASSERT_EQ(locus->copies->count(), 10);
    EXPECT_DOUBLE_EQ(traced->x2, 270);  // the traced segment is back with M
    CRecordingDC dc;
    locus->draw(&dc, true);
    EXPECT_EQ(dc.opsOfKind("line").size(), 10u);
    EXPECT_EQ(dc.opsOfKind("line")[3].args, (std::vector<int>{100, 400, 300, 0}));
    EXPECT_EQ(dc.opsOfKind("line")[3].pen, CPalette::pen(0, 5));
    EXPECT_EQ(locus->getDescription(),
              "Lieu d'objet : T\n      Lieu d'objet généré par le déplacement du point lié M\n"
              "      et par la trace de l'objet [CM]");
    EXPECT_FALSE(locus->dependsOnForDrag(m));  // dragging the generator leaves the locus
    // Nearest copy: (100, 400) to (200, 0), 19.4 away; the vertical one is 30 away.
    EXPECT_EQ(locus->designationDistance(130, 200, true), 19);
    locus->setColour(7);
    locus->masked = true;
    EXPECT_EQ(locus->designationDistance(130, 200, true), kNotDesignable);
    dc.clear();
    locus->draw(&dc, false);
    EXPECT_EQ(dc.opsOfKind("line")[0].pen, CPalette::pen(1, 7));
}

TEST_F(LocusTest, ObjectLocusByVariableSkipsUndefinedCopies) {
    LociFigure f;
    CVariableBornee* k = f.variable(0.5, 0, 1);
    auto* c = f.make<CCercleOA>(nat::cercle, f.trace(k, kHoleInMiddle), f.point(50, 50));
    auto* l = f.add(nat::lieuObjets, std::make_unique<CLieuObjetParVariable>(&f.list, c, k, 11, 2));
    ASSERT_TRUE(l->exists);
    CRecordingDC dc;
    l->draw(&dc, true);
    EXPECT_EQ(dc.opsOfKind("ellipse").size(), 8u);
}
