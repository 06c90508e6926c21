// Points: positions of the constructed points, existence rules, the eight marks and the
// asterisk of a masked point, designation, texts.
#include "GeoFigure.h"
#include "core/CPalette.h"
#include "geometry/CDroite.h"

namespace {

class Points : public GeoFigureTest {};

TEST_F(Points, MidpointCentroidAndAnUndefinedParent) {
    auto* a = f.point(10, 20, "A");
    auto* b = f.point(30, 60, "B");
    auto* m = f.make<CMilieu>(nat::pointConstruit, a, b);
    EXPECT_DOUBLE_EQ(m->y, 40);
    auto* g = f.make<CCentreGravite>(nat::pointConstruit, a, b, f.point(50, 0));
    EXPECT_DOUBLE_EQ(g->y, 80.0 / 3);
    // A parent that does not exist: no midpoint, previous coordinates kept.
    auto* m2 = f.make<CMilieu>(nat::pointConstruit, m, b);
    m->exists = false;
    m2->computePosition();
    EXPECT_FALSE(m2->exists);
    EXPECT_DOUBLE_EQ(m2->x, 25);
}

TEST_F(Points, CoincidenceMidpointsInEitherOrderCentroidsInOrderFreePointsWithinTolerance) {
    auto* a = f.point(0, 0);
    auto* b = f.point(30, 60);
    auto* c = f.point(90, 0);
    CMilieu m1(a, b), m2(b, a);
    EXPECT_TRUE(m1.coincidesWith(&m2));
    CCentreGravite g1(a, b, c), g2(b, a, c);
    EXPECT_FALSE(g1.coincidesWith(&g2));
    CPointBase p(10, 10), q(10 + 0.9e-9, 10), r(10 + 1.1e-9, 10);
    EXPECT_TRUE(p.coincidesWith(&q));
    EXPECT_FALSE(p.coincidesWith(&r));
}

TEST_F(Points, ProjectionOnSegmentOnlyBetweenItsEnds) {
    auto* a = f.point(100, 100);
    auto* b = f.point(200, 100);
    auto* seg = f.make<CSegment>(nat::segment, a, b);
    auto* p = f.point(150, 40);
    auto* onSeg = f.make<CPointProjete>(nat::pointConstruit, p, seg);
    EXPECT_NEAR(onSeg->y, 100, 1e-9);
    p->x = 250;
    f.computeAll();
    EXPECT_FALSE(onSeg->exists);
    auto* onLine =
        f.make<CPointProjete>(nat::pointConstruit, p, f.make<CDroiteAB>(nat::droite, a, b));
    EXPECT_NEAR(onLine->x, 250, 1e-9);
    p->x = 200;  // the end itself belongs to the segment
    f.computeAll();
    EXPECT_TRUE(onSeg->exists);
}

TEST_F(Points, OutOfRangeFreePointExistsButIsNeitherDrawnNorDesignable) {
    auto* p = f.point(40000, 100);
    EXPECT_TRUE(p->exists);
    EXPECT_TRUE(p->outOfRange);
    CRecordingDC dc;
    p->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
    EXPECT_EQ(p->designationDistance(40000, 100, true), kNotDesignable);
    p->x = 32767;
    p->computePosition();
    EXPECT_FALSE(p->outOfRange);
    p->x = -32768.5;
    p->computePosition();
    EXPECT_TRUE(p->outOfRange);
    auto* q = f.point(100, 100);
    EXPECT_EQ(q->designationDistance(103, 104, true), 5);
    q->hide();
    EXPECT_EQ(q->designationDistance(100, 100, true), kNotDesignable);
    EXPECT_EQ(q->designationDistance(100, 100, false), 0);
}

struct MarkCase {
    int style;
    const char* kind;
    std::vector<std::vector<int>> args;
};

class PointMarks : public ::testing::TestWithParam<MarkCase> {};

TEST_P(PointMarks, ShapesAtLogicalOffsets) {
    CPalette::resetPalette();
    const MarkCase& c = GetParam();
    CPointBase p(100.4, 199.5, 2, c.style);  // centre rounds to (100, 200)
    p.computePosition();
    CRecordingDC dc;
    p.draw(&dc, true);
    EXPECT_EQ(argsOf(dc, c.kind), c.args);
    for (const auto& op : dc.ops) {
        EXPECT_EQ(op.pen, CPalette::thinPen(2));
        // Only the frame of style 4 is hollow.
        const bool hollow = c.style == 4 && op.args[0] == 70;
        if (hollow)
            EXPECT_EQ(op.brush.kind, CBrushDesc::null);
        else
            EXPECT_EQ(op.brush, CBrushDesc::solidBrush(CPalette::colour(2))) << op.kind;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, PointMarks,
    ::testing::Values(
        MarkCase{0, "rectangle", {{80, 180, 120, 220}}},
        MarkCase{1,
                 "polygon",
                 {{70, 180, 80, 170, 110, 170, 120, 180, 120, 210, 110, 220, 80, 220, 70, 210}}},
        MarkCase{2, "rectangle", {{70, 190, 130, 210}, {90, 170, 110, 230}}},
        MarkCase{3,
                 "polygon",
                 {{70, 180, 80, 180, 120, 220, 110, 220}, {70, 220, 80, 220, 120, 180, 110, 180}}},
        MarkCase{4, "rectangle", {{70, 170, 140, 240}, {90, 190, 120, 220}}},
        MarkCase{5,
                 "polygon",
                 {{80, 190, 90, 180, 100, 180, 110, 190, 110, 200, 100, 210, 90, 210, 80, 200}}},
        MarkCase{6, "polygon", {{100, 180, 80, 200, 100, 220, 120, 200}}}));

TEST(PointMarkStyle7, ElevenPixelsOnEachAxis) {
    CPalette::resetPalette();
    CPointBase p(100, 200, 4, 7);
    p.computePosition();
    CRecordingDC dc;
    p.draw(&dc, true);
    auto pixels = dc.opsOfKind("pixel");
    ASSERT_EQ(pixels.size(), 22u);
    EXPECT_EQ(pixels[0].args, (std::vector<int>{90, 200}));
    EXPECT_EQ(pixels[21].args, (std::vector<int>{100, 210}));
    EXPECT_EQ(pixels[0].colour, CPalette::colour(4));
}

TEST(PointMarkMasked, AsteriskWhenMaskedObjectsAreShown) {
    CPalette::resetPalette();
    CPointBase p(100, 200, 3, 1);
    p.computePosition();
    p.hide();
    CRecordingDC hidden;
    p.draw(&hidden, true);
    EXPECT_TRUE(hidden.ops.empty());
    CRecordingDC dc;
    p.draw(&dc, false);
    EXPECT_EQ(
        argsOf(dc, "line"),
        (std::vector<std::vector<int>>{
            {70, 200, 140, 200}, {100, 170, 100, 240}, {70, 170, 140, 240}, {130, 170, 60, 240}}));
    EXPECT_EQ(dc.ops[0].pen, CPalette::thinPen(3));
}

TEST_F(Points, ConstructionTextsAndStatus) {
    auto* a = f.point(0, 0, "A");
    auto* b = f.point(10, 0, "B");
    CMilieu m(a, b);
    CElementBase *pa = nullptr, *pb = nullptr, *pc = nullptr;
    EXPECT_EQ(m.getConstructionInfo(&pa, &pb, &pc), "Milieu d'un bipoint");
    CPointProjete h(f.point(0, 10), f.make<CDroiteAB>(nat::droite, a, b));
    EXPECT_EQ(h.getConstructionInfo(&pa, &pb, &pc), "Point projeté orthogonal");
    a->mobile = false;
    a->hide();
    a->exists = false;
    EXPECT_EQ(a->getStatusText(), "n'existe pas , masqué  , punaisé");
}

TEST_F(Points, DragPositionIsRangeCheckedAndInsideTheView) {
    CPointBase p(0, 0);
    CViewBounds view({0, 0, 1000, 500});
    double x = -1, y = -1;
    EXPECT_TRUE(p.positionFromMouse(view, 1000, 500, &x, &y));
    EXPECT_FALSE(p.positionFromMouse(view, 1001, 10, &x, &y));
    CViewBounds huge({-100000, -100000, 100000, 100000});
    EXPECT_FALSE(p.positionFromMouse(huge, 40000, 10, &x, &y));
}

}  // namespace
