// Loci of points: sampling of linked points and variables, pieces, closing, drawing,
// designation, dependencies and persistence.
#include <gtest/gtest.h>

#include <cmath>

#include "core/CPalette.h"
#include "geometry/CIntersection.h"
#include "loci/CLieuDeBase.h"
#include "loci/LociFigure.h"

namespace {

std::vector<std::pair<int, int>> piecesOf(const CLieuDeBase& l) {
    std::vector<std::pair<int, int>> out;
    for (int k = 0; k < l.pieceCount; ++k) out.push_back({l.pieces[k].start, l.pieces[k].count});
    return out;
}

template <class T>
T* addLocus(LociFigure& f, std::unique_ptr<T> l) {
    l->prepare();
    return f.add(nat::lieuPoints, std::move(l));
}

CLieuDePoints* locusOf(LociFigure& f, CPointAncetre* traced, CPointLie* gen, int n,
                       bool closed = false) {
    return addLocus(f, std::make_unique<CLieuDePoints>(&f.list, traced, gen, n, closed));
}

}  // namespace

TEST_F(LocusTest, FullCircleSamplesDistinctAbscissasOnce) {
    LociFigure f;
    CPointLieCercle* m = f.linkedOnCircle(500, 250, 200);
    LociTracePoint* p = f.trace(m, kLine);
    std::vector<double> seen;
    p->log = &seen;
    CLieuDePoints* l = locusOf(f, p, m, 100);
    EXPECT_TRUE(l->exists);
    // 100 samples then the restoring computation.
    ASSERT_EQ(seen.size(), 101u);
    // The start is not sampled again at the end.
    for (int i = 0; i < 100; ++i) EXPECT_NEAR(seen[i], 2 * geo::kPi * i / 100, 1e-12) << i;
    // Counter-clockwise on screen: y decreases as the angle grows.
    const double a = geo::kPi / 4;
    EXPECT_EQ(locusOf(f, m, m, 8)->points[1], (LPoint{geo::roundCoord(500 + 200 * std::cos(a)),
                                                      geo::roundCoord(250 - 200 * std::sin(a))}));
}

TEST_F(LocusTest, SegmentSamplesBothEndsAndTheGeneratorIsRestored) {
    LociFigure f;
    CPointLieDroite* m = f.linkedOnSegment(100, 100, 900, 300, 0.3);
    LociTracePoint* p = f.trace(m, kLine);
    CLieuDePoints* l = locusOf(f, m, m, 11);
    ASSERT_EQ(piecesOf(*l), (std::vector<std::pair<int, int>>{{0, 11}}));
    EXPECT_EQ(l->points[0], (LPoint{100, 100}));
    EXPECT_EQ(l->points[10], (LPoint{900, 300}));
    locusOf(f, p, m, 25);
    EXPECT_DOUBLE_EQ(m->abscissa, 0.3);
    EXPECT_DOUBLE_EQ(p->x, 400);  // the traced point is back with its generator
}

// Pieces found for each traced shape, on a segment sampled at t = 0, 0.1, ..., 1.
struct PieceCase {
    const char* name;
    int shape, n;
    std::vector<std::pair<int, int>> pieces;
    bool exists;
};

class LocusPieces : public LocusOnSegment, public ::testing::WithParamInterface<PieceCase> {};

TEST_P(LocusPieces, CutWhereUndefinedOutOfRangeOrJumping) {
    CLieuDePoints* l = locusOf(f, f.trace(m, GetParam().shape), m, GetParam().n);
    EXPECT_EQ(piecesOf(*l), GetParam().pieces);
    EXPECT_EQ(l->exists, GetParam().exists);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, LocusPieces,
    ::testing::Values(PieceCase{"hole", kHoleInMiddle, 11, {{0, 4}, {7, 4}}, true},
                      // The sample that jumps is dropped; the next one starts a new piece.
                      PieceCase{"jumpRight", kJumpRight, 11, {{0, 5}, {6, 5}}, true},
                      // Signed test: a jump back towards smaller x keeps the polyline.
                      PieceCase{"jumpLeft", kJumpLeft, 11, {{0, 11}}, true},
                      PieceCase{"farAway", kFarAway, 11, {{0, 6}}, true},
                      PieceCase{"lonePoint", kLonePoint, 11, {{0, 3}, {5, 1}}, true},
                      // Only pieces of one point: no locus.
                      PieceCase{"onlyLonePoints", kLonePoint, 5, {{0, 1}, {2, 1}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LocusTest, JumpIsMeasuredAgainstTheActiveDrawingArea) {
    setActiveDrawingArea({2000, 500});
    LociFigure f;
    CPointLieDroite* m = f.linkedOnSegment(0, 0, 1000, 0);
    CLieuDePoints* l = locusOf(f, f.trace(m, kJumpRight), m, 11);
    EXPECT_EQ(l->pieceCount, 1);  // 1500 is within a 2000-wide window
}

TEST_F(LocusTest, RealFigureUndefinedOnTwoArcsGivesTwoPieces) {
    // M on a circle; the vertical line through M meets a smaller circle only while M is above
    // or below it.
    LociFigure f;
    CPointLieCercle* m = f.linkedOnCircle(500, 250, 200);
    auto* v = f.make<CDroiteDirectionFixe>(nat::droite, m, false, 1.0);
    auto* c2 = f.make<CCercleOA>(nat::cercle, f.point(500, 250), f.point(600, 250));
    auto* bip = f.make<CIntDroiteCercle>(nat::bipoint, v, c2);
    auto* p = f.make<CPointLieBipoint>(nat::pointConstruit, bip, 0);
    CLieuDePoints* open = locusOf(f, p, m, 100);
    EXPECT_TRUE(open->exists);
    EXPECT_EQ(open->validPieceCount, 2);
    EXPECT_FALSE(locusOf(f, p, m, 100, true)->exists);  // a closed locus needs one piece
}

TEST_F(LocusTest, ClosedLocusOfOnePieceJoinsLastToFirst) {
    LociFigure f;
    CPointLieCercle* m = f.linkedOnCircle(500, 250, 200);
    CLieuDePoints* l = locusOf(f, m, m, 50, true);
    EXPECT_EQ(piecesOf(*l), (std::vector<std::pair<int, int>>{{0, 51}}));
    EXPECT_EQ(l->points[50], l->points[0]);
}

TEST_F(LocusTest, EmptyRangeOrMissingGeneratorMeansNoLocus) {
    LociFigure f;
    CPointLieDroite* m = f.linkedOnSegment(100, 100, 100, 100);  // a null segment
    CLieuDePoints* l = locusOf(f, m, m, 10);
    m->exists = false;
    l->computePosition();
    EXPECT_FALSE(l->exists);
    CVariableBornee* k = f.variable(1, 2, 2);
    auto* lv =
        addLocus(f, std::make_unique<CLieuParVariable>(&f.list, f.trace(k, kLine), k, 10, false));
    EXPECT_FALSE(lv->exists);
}

TEST_F(LocusOnSegment, OnePointPieceIsAShortDiagonalStroke) {
    CLieuDePoints* l = locusOf(f, f.trace(m, kLonePoint), m, 11);
    CRecordingDC dc;
    l->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "polyline"),
              (std::vector<std::vector<int>>{{100, 200, 200, 200, 300, 200}}));
    EXPECT_EQ(argsOf(dc, "line"), (std::vector<std::vector<int>>{{600, 200, 610, 210}}));
}

TEST_F(LocusOnSegment, DesignationToTheNearestSideMaskedDottedOrHidden) {
    CLieuDePoints* l = locusOf(f, f.trace(m, kLine), m, 11);
    EXPECT_EQ(l->designationDistance(550, 237, true), 37);
    EXPECT_EQ(l->designationDistance(50, 200, true), 50);  // beyond the first point
    l->lineStyle = 2;
    l->masked = true;
    EXPECT_EQ(l->designationDistance(550, 237, true), kNotDesignable);
    CRecordingDC dc;
    l->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
    l->draw(&dc, false);
    EXPECT_EQ(dc.opsOfKind("polyline")[0].pen, CPalette::pen(1, 1));
    l->exists = false;
    EXPECT_EQ(l->designationDistance(550, 237, false), kNotDesignable);
}

TEST_F(LocusOnSegment, DragExcludesTheGeneratorSamplingOnlyItsDependents) {
    LociTracePoint* p = f.trace(m, kLine);
    auto* free = f.point(5, 5);
    LociTracePoint* unrelated = f.trace(free, kLine);
    CLieuDePoints* l = locusOf(f, p, m, 200);
    CListeAction drag(false);
    f.list.buildDragList(m, drag);
    EXPECT_FALSE(drag.contains(l));
    const int before = unrelated->computations;
    const int tracedBefore = p->computations;
    l->computePosition();
    EXPECT_EQ(unrelated->computations, before);
    EXPECT_EQ(p->computations, tracedBefore + 201);
}

TEST_F(LocusTest, VariableLocusRunsFromMinimumToMaximumAndRestores) {
    LociFigure f;
    CVariableBornee* k = f.variable(0.25, 0, 2);
    LociTracePoint* p = f.trace(k, kParabola);
    std::vector<double> seen;
    p->log = &seen;
    auto* l = addLocus(f, std::make_unique<CLieuParVariable>(&f.list, p, k, 5, false));
    ASSERT_TRUE(l->exists);
    EXPECT_EQ(seen, (std::vector<double>{0, 0.5, 1, 1.5, 2, 0.25}));
    EXPECT_DOUBLE_EQ(k->value, 0.25);
    EXPECT_EQ(l->points[4], (LPoint{300, 104}));
}

TEST_F(LocusOnSegment, TextsNameGeneratorAndTracedPointCoincidence) {
    LociTracePoint* p = f.trace(m, kLine);
    CLieuDePoints* l = locusOf(f, p, m, 30);
    l->setName("L");
    EXPECT_EQ(l->getDescription(),
              "Lieu de points :L\n      Lieu de points reliés généré par les traces du point P"
              "\n      et par le déplacement du point lié M\n      Nombre de points : 30");
    // The same generator and traced point make the same locus, whatever the count.
    EXPECT_TRUE(l->coincidesWith(locusOf(f, p, m, 60)));
    EXPECT_FALSE(l->coincidesWith(locusOf(f, m, m, 30)));
}

// A traced point that does not follow the generator (a file may hold one): the generator's
// curve still takes the locus with it, which would otherwise keep the deleted generator.
TEST_F(LocusTest, DeletingTheGeneratorsCurveDeletesTheLocusEvenUnfollowed) {
    LociFigure f;
    CPointLieCercle* m = f.linkedOnCircle(500, 250, 200);
    CElementBase* centre = f.list.elementAt(0);
    CLieuDePoints* l = locusOf(f, f.point(10, 10), m, 10);
    EXPECT_TRUE(l->dependsOn(centre));
    const int before = f.list.count();
    f.list.deleteWithDependents(centre);
    EXPECT_EQ(f.list.count(), before - 4);  // the centre, the circle, M and the locus
}

TEST_F(LocusTest, RoundTripRebuildsTheSubListBeforeTheFirstComputation) {
    LociFigure f;
    CVariableBornee* k = f.variable(0.5, -1, 1);
    auto* lv = addLocus(
        f, std::make_unique<CLieuParVariable>(&f.list, f.trace(k, kParabola), k, 9, false));
    CListeAction loaded;
    std::vector<uint8_t> bytes = saveList(f.list);
    GeoFigure::load(bytes, loaded);
    auto* lv2 = dynamic_cast<CLieuParVariable*>(loaded.elementAt(f.list.indexOf(lv)));
    ASSERT_TRUE(lv2);
    loaded.computeAll();
    EXPECT_EQ(lv2->onePiecePoints(), lv->onePiecePoints());
}

TEST_F(LocusOnSegment, DamagedFilesAreRefused) {
    LociTracePoint* p = f.trace(m, kLine);
    CLieuDePoints* l = locusOf(f, p, m, 11);
    auto readBack = [&](std::vector<uint8_t> bytes) {
        CLieuDePoints r;
        CArchive ar(CArchive::load, bytes);
        ar.setCurrentList(&f.list);
        r.Serialize(ar);
    };
    std::vector<uint8_t> good = fieldsOf(*l, f.list);
    EXPECT_NO_THROW(readBack(good));
    std::vector<uint8_t> zero = good;
    zero[zero.size() - 9] = 0;  // n = 0
    EXPECT_THROW(readBack(zero), CArchiveException);
    std::vector<uint8_t> notLinked = good;
    notLinked[notLinked.size() - 4] = static_cast<uint8_t>(f.list.indexOf(p));
    EXPECT_THROW(readBack(notLinked), CArchiveException);
    std::vector<uint8_t> truncated(good.begin(), good.end() - 2);
    EXPECT_THROW(readBack(truncated), CArchiveException);
}

TEST_F(LocusOnSegment, UnlinkedGeneratorLeavesALocusThatStillSavesAndLoads) {
    auto* freed = f.point(10, 10);
    CLieuDePoints* l = locusOf(f, m, m, 11);
    // The unlinking tool replaces the linked point by a free one.
    f.list.replaceReferenceEverywhere(m, freed);
    EXPECT_EQ(l->linkedPoint, nullptr);
    l->computePosition();
    EXPECT_FALSE(l->exists);
    CListeAction loaded;
    std::vector<uint8_t> bytes = saveList(f.list);
    GeoFigure::load(bytes, loaded);
    loaded.computeAll();
    EXPECT_FALSE(loaded.elementAt(f.list.indexOf(l))->exists);
}
