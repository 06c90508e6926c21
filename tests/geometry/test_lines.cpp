// Straight lines: clipping of full lines and half-lines, segments, bisectors, fixed
// directions, drawing with arrowheads and segment marks, designation and texts.
#include <cmath>

#include "GeoFigure.h"
#include "core/CPalette.h"
#include "geometry/CDroite.h"

namespace {

class Lines : public GeoFigureTest {};

// Ends of a line, or of a half-line from its origin, in the 1000 x 500 window.
struct ClipCase {
    bool half;
    double ax, ay, bx, by;
    double x1, y1, x2, y2;
};

class Clipping : public GeoFigureTest, public ::testing::WithParamInterface<ClipCase> {};

TEST_P(Clipping, Ends) {
    const ClipCase& c = GetParam();
    auto* a = f.point(c.ax, c.ay);
    auto* b = f.point(c.bx, c.by);
    CDroite* d = c.half ? static_cast<CDroite*>(f.make<CDemiDroiteOA>(nat::demiDroite, a, b))
                        : f.make<CDroiteAB>(nat::droite, a, b);
    EXPECT_NEAR(d->x1, c.x1, 1e-9);
    EXPECT_NEAR(d->y1, c.y1, 1e-9);
    EXPECT_NEAR(d->x2, c.x2, 1e-9);
    EXPECT_NEAR(d->y2, c.y2, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Window1000x500, Clipping,
    ::testing::Values(ClipCase{false, 100, 100, 200, 100, 0, 100, 1000, 100},  // horizontal
                      ClipCase{false, 300, 10, 300, 90, 300, 0, 300, 500},     // vertical
                      ClipCase{false, 0, 0, 10, 10, 500, 500, 0, 0},           // corner
                      ClipCase{false, 100, 100, 110, 101, 1000, 190, 0, 90},   // gentle slope
                      ClipCase{true, 10, 10, 10, 5, 10, 10, 10, 0},            // up
                      ClipCase{true, 0, 0, 100, 10, 0, 0, 1000, 100},          // right edge
                      ClipCase{true, 500, 100, 400, 0, 500, 100, 400, 0}));    // up and left

TEST_F(Lines, TwoCoincidentPointsGiveNoLineButASegmentAndAnUndrawnVector) {
    auto* a = f.point(50, 50);
    auto* b = f.point(50, 50);
    EXPECT_FALSE(f.make<CDroiteAB>(nat::droite, a, b)->exists);
    EXPECT_FALSE(f.make<CMediatrice>(nat::droite, a, b)->exists);
    auto* s = f.make<CSegment>(nat::segment, a, b);
    EXPECT_TRUE(s->exists);
    EXPECT_EQ(s->designationDistance(53, 54, true), 5);
    EXPECT_FALSE(s->containsLinePoint(50, 50.1));
    auto* mark = f.make<CMarqueSegment>(nat::marqueSegment, s, 0);
    EXPECT_FALSE(mark->exists);
    EXPECT_EQ(mark->designationDistance(50, 50, true), kNotDesignable);
    auto* v = f.make<CVecteur>(nat::vecteur, a, b);
    EXPECT_TRUE(v->exists);
    CRecordingDC dc;
    v->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
}

TEST_F(Lines, SegmentAndHalfLineMembershipAndDesignationAtTheEnds) {
    auto* a = f.point(100, 100);
    auto* b = f.point(200, 100);
    auto* s = f.make<CSegment>(nat::segment, a, b);
    EXPECT_TRUE(s->containsLinePoint(100, 100));
    EXPECT_TRUE(s->containsLinePoint(200 + 0.5e-7, 100));  // |1 - t| < 1e-9
    EXPECT_FALSE(s->containsLinePoint(200.001, 100));
    EXPECT_EQ(s->designationDistance(150, 139, true), 39);
    EXPECT_EQ(s->designationDistance(201, 100, true), kNotDesignable);
    auto* h = f.make<CDemiDroiteOA>(nat::demiDroite, a, b);
    EXPECT_EQ(h->designationDistance(150, 120, true), 20);
    EXPECT_EQ(h->designationDistance(99, 100, true), kNotDesignable);
    auto* fixed = f.make<CDroiteDirectionFixe>(nat::droite, a, true, 100.0);
    EXPECT_TRUE(fixed->containsLinePoint(999, 100));
    EXPECT_FALSE(fixed->containsLinePoint(999, 100.001));
}

TEST_F(Lines, BisectorOfARightAngleAndOfAFlatAngle) {
    auto* a = f.point(200, 100);
    auto* o = f.point(100, 100);
    auto* b = f.point(100, 0);
    auto* d = f.make<CBissectrice>(nat::droite, a, o, b);
    EXPECT_NEAR(d->wx, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(d->wy, -std::sqrt(0.5), 1e-12);
    // Flat angle: the perpendicular to OA at O, u1 turned by pi/2 and scaled to 1.
    b->x = 0;
    b->y = 100;
    f.computeAll();
    EXPECT_NEAR(d->wx, 0, 1e-12);
    EXPECT_NEAR(d->wy, -1, 1e-12);
    // The vertex on one side: no bisector.
    o->x = 200;
    f.computeAll();
    EXPECT_FALSE(d->exists);
}

TEST_F(Lines, ParallelPerpendicularAndPerpendicularBisector) {
    auto* a = f.point(0, 0);
    auto* b = f.point(100, 50);
    auto* d = f.make<CDroiteAB>(nat::droite, a, b);
    auto* c = f.point(300, 300);
    auto* par = f.make<CDroiteParallele>(nat::droite, c, d);
    auto* per = f.make<CDroitePerpendiculaire>(nat::droite, c, d);
    auto* med = f.make<CMediatrice>(nat::droite, a, b);
    EXPECT_EQ(par->wx, 100);
    EXPECT_EQ(par->wy, 50);
    EXPECT_EQ(per->wx, -50);
    EXPECT_EQ(per->wy, 100);
    EXPECT_EQ(med->p0y, 25);
    EXPECT_FALSE(med->passesThroughByConstruction(a));
}

TEST_F(Lines, SegmentsCoincideInEitherOrderVectorsDoNot) {
    auto* a = f.point(0, 0);
    auto* b = f.point(100, 0);
    auto* c = f.point(300, 0);
    auto* s1 = f.make<CSegment>(nat::segment, a, b);
    EXPECT_TRUE(s1->coincidesWith(f.make<CSegment>(nat::segment, b, a)));
    EXPECT_FALSE(s1->coincidesWith(f.make<CSegment>(nat::segment, a, c)));
    auto* v1 = f.make<CVecteur>(nat::vecteur, a, b);
    EXPECT_FALSE(v1->coincidesWith(f.make<CVecteur>(nat::vecteur, b, a)));
}

TEST_F(Lines, DrawingPensAndRange) {
    CPalette::resetPalette();
    auto* d = f.make<CSegment>(nat::segment, f.point(10.5, 20.4), f.point(100, 200), 4, 2);
    CRecordingDC dc;
    d->draw(&dc, true);
    ASSERT_EQ(dc.ops.size(), 1u);
    EXPECT_EQ(dc.ops[0].args, (std::vector<int>{11, 20, 100, 200}));
    EXPECT_EQ(dc.ops[0].pen, CPalette::pen(2, 4));
    dc.clear();
    d->draw(&dc, false);  // masked objects shown: own style only under hideMasked
    EXPECT_EQ(dc.ops[0].pen, CPalette::pen(0, 4));
    dc.clear();
    d->hide();
    d->draw(&dc, false);
    EXPECT_EQ(dc.ops[0].pen, CPalette::pen(1, 4));
    d->show();
    dc.clear();
    d->x2 = 40000;
    d->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
}

struct ArrowCase {
    int style;
    const char* kind;
    std::vector<int> args;
};

class VectorArrows : public GeoFigureTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(VectorArrows, ArrowheadAtB) {
    CPalette::resetPalette();
    const ArrowCase& c = GetParam();
    auto* v = f.make<CVecteur>(nat::vecteur, f.point(0, 100), f.point(200, 100), c.style, 3);
    CRecordingDC dc;
    v->draw(&dc, true);
    ASSERT_EQ(dc.ops.size(), 2u);
    EXPECT_EQ(dc.ops[1].kind, c.kind);
    EXPECT_EQ(dc.ops[1].args, c.args);
    EXPECT_EQ(dc.ops[1].brush, CBrushDesc::solidBrush(CPalette::colour(3)));
}

// e = (A - B) scaled to 80 or 60: wings at B + (e cos30, +-e sin30).
INSTANTIATE_TEST_SUITE_P(Styles, VectorArrows,
                         ::testing::Values(ArrowCase{0, "polygon", {131, 60, 200, 100, 131, 140}},
                                           ArrowCase{
                                               3, "polyline", {148, 70, 200, 100, 148, 130}}));

struct MarkCase {
    int style;
    std::vector<std::vector<int>> strokes;
};

class SegmentMarks : public GeoFigureTest, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(SegmentMarks, Strokes) {
    const MarkCase& c = GetParam();
    auto* s = f.make<CSegment>(nat::segment, f.point(100, 300), f.point(300, 300));
    auto* m = f.make<CMarqueSegment>(nat::marqueSegment, s, c.style, 2, 0);
    CRecordingDC dc;
    m->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "line"), c.strokes);
}

// M = (200, 300), e = (1, 0), n = (0, -50).
INSTANTIATE_TEST_SUITE_P(
    Styles, SegmentMarks,
    ::testing::Values(MarkCase{0, {{200, 250, 200, 350}}},
                      MarkCase{1, {{220, 250, 220, 350}, {180, 250, 180, 350}}},
                      MarkCase{2,
                               {{200, 250, 200, 350}, {240, 250, 240, 350}, {160, 250, 160, 350}}},
                      MarkCase{3, {{235, 265, 165, 335}, {235, 335, 165, 265}}}));

TEST_F(Lines, SegmentMarkIsDesignatedByItsNearestStroke) {
    auto* s = f.make<CSegment>(nat::segment, f.point(100, 300), f.point(300, 300));
    auto* m = f.make<CMarqueSegment>(nat::marqueSegment, s, 2);
    EXPECT_EQ(m->designationDistance(245, 300, true), 5);
    EXPECT_EQ(m->designationDistance(200, 351, true), kNotDesignable);
}

TEST_F(Lines, TextsOfTheKinds) {
    auto* a = f.point(0, 0, "A");
    auto* b = f.point(100, 30, "B");
    auto* o = f.point(50, 80, "O");
    auto* s = f.make<CSegment>(nat::segment, a, b);
    CElementBase *x = nullptr, *y = nullptr, *z = nullptr;
    EXPECT_EQ(f.make<CBissectrice>(nat::droite, a, o, b)->getConstructionInfo(&x, &y, &z),
              "Bissectrice intérieure");
    EXPECT_EQ(f.make<CDemiDroiteOA>(nat::demiDroite, o, a)->getConstructionInfo(&x, &y, &z),
              "Demi-droite ");
    EXPECT_EQ(
        f.make<CDroiteDirectionFixe>(nat::droite, o, false, 1.0)->getConstructionInfo(&x, &y, &z),
        "Droite verticale");
    s->hide();
    s->lineStyle = 2;
    EXPECT_EQ(s->getStatusText(), "masqué  , Trait épais");
}

TEST_F(Lines, NameAt95PercentDrawnOnlyUnderHideMaskedAndNotFarAway) {
    auto* d = f.make<CDroiteAB>(nat::droite, f.point(100, 100), f.point(200, 100));
    EXPECT_DOUBLE_EQ(d->nameAnchorX, 950);
    // A horizontal line's first end is on the left edge.
    EXPECT_DOUBLE_EQ(d->getAbscissaMax(), -1);
    EXPECT_DOUBLE_EQ(d->getAbscissaMin(), 9);
    d->setName("d");
    CRecordingDC dc;
    d->drawName(&dc, false, false);
    EXPECT_TRUE(dc.opsOfKind("text").empty());
    d->drawName(&dc, true, false);
    EXPECT_EQ(dc.opsOfKind("text").size(), 1u);
    // Missing the window: both ends at (50000, 0).
    auto* h = f.make<CDroiteAB>(nat::droite, f.point(50000, 0), f.point(50001, 1));
    h->setName("h");
    ASSERT_TRUE(h->exists);
    dc.clear();
    h->drawName(&dc, true, false);
    h->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
}

}  // namespace
