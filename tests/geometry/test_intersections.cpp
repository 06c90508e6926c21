// Intersections: the solution orders and the existence rules of the points built on them, the
// degenerate cases of two circles.
#include "GeoFigure.h"
#include "geometry/CIntersection.h"

namespace {

class Intersections : public GeoFigureTest {};

TEST(CircleCircleRoutine, DegenerateCases) {
    geo::TwoPoints s;
    EXPECT_EQ(geo::intersectCircleCircle(0, 0, 5, 0, 0, 5, &s), geo::kCirclesSame);
    EXPECT_EQ(geo::intersectCircleCircle(0, 0, 5, 0, 0, 6, &s), geo::kCirclesNone);
    EXPECT_EQ(geo::intersectCircleCircle(0, 0, 5, 10, 0, 5, &s), geo::kCirclesTangent);
    EXPECT_DOUBLE_EQ(s.x1, 5);
    EXPECT_EQ(geo::intersectCircleCircle(0, 0, 5, 20, 0, 5, &s), geo::kCirclesNone);
}

TEST_F(Intersections, TwoLinesMeetOnceParallelOrSameOnesNever) {
    auto* d1 = f.make<CDroiteAB>(nat::droite, f.point(0, 0), f.point(100, 100));
    auto* d2 = f.make<CDroiteAB>(nat::droite, f.point(0, 100), f.point(100, 0));
    auto* i = f.make<CIntDroiteDroite>(nat::pointConstruit, d1, d2);
    EXPECT_DOUBLE_EQ(i->x, 50);
    CIntDroiteDroite swapped(d2, d1);
    EXPECT_TRUE(i->coincidesWith(&swapped));
    CElementBase *a = nullptr, *b = nullptr, *c = nullptr;
    EXPECT_EQ(i->getConstructionInfo(&a, &b, &c), "Intersection d' une droite avec  une droite");
    // Parallel or the same line: no point.
    auto* d3 = f.make<CDroiteAB>(nat::droite, f.point(0, 10), f.point(100, 110));
    auto* d4 = f.make<CDroiteAB>(nat::droite, f.point(10, 10), f.point(20, 20));
    EXPECT_FALSE(f.make<CIntDroiteDroite>(nat::pointConstruit, d1, d3)->exists);
    EXPECT_FALSE(f.make<CIntDroiteDroite>(nat::pointConstruit, d1, d4)->exists);
    // Segments crossing only on their extensions.
    auto* s1 = f.make<CSegment>(nat::segment, f.point(0, 0), f.point(40, 40));
    auto* s2 = f.make<CSegment>(nat::segment, f.point(0, 100), f.point(100, 0));
    EXPECT_FALSE(f.make<CIntDroiteDroite>(nat::pointConstruit, s1, s2)->exists);
    auto* s3 = f.make<CSegment>(nat::segment, f.point(0, 0), f.point(50, 50));
    EXPECT_TRUE(f.make<CIntDroiteDroite>(nat::pointConstruit, s3, s2)->exists);
}

struct LineCircleFigure {
    GeoFigure f;
    CCercleOA* c;
    CDroiteAB* d;
    CIntDroiteCercle* bip;
    CPointLieBipoint* p1;
    CPointLieBipoint* p2;
    CPointBase* b;
    LineCircleFigure(double ax, double ay, double bx, double by) {
        auto* o = f.point(100, 100, "O");
        c = f.make<CCercleOA>(nat::cercle, o, f.point(150, 100, "R"));
        auto* a = f.point(ax, ay, "A");
        b = f.point(bx, by, "B");
        d = f.make<CDroiteAB>(nat::droite, a, b);
        bip = f.make<CIntDroiteCercle>(nat::bipoint, d, c);
        p1 = f.make<CPointLieBipoint>(nat::pointConstruit, bip, 1);
        p2 = f.make<CPointLieBipoint>(nat::pointConstruit, bip, 2);
    }
};

TEST_F(Intersections, LineAndCircleSolutionsInOrder) {
    LineCircleFigure lc(100, 100, 101, 100);
    EXPECT_DOUBLE_EQ(lc.p1->x, 150);
    EXPECT_DOUBLE_EQ(lc.p2->x, 50);
    EXPECT_TRUE(lc.c->passesThroughByConstruction(lc.p2));
    // Reversed direction while dragging: the order follows.
    lc.b->x = 99;
    lc.f.computeAll();
    EXPECT_DOUBLE_EQ(lc.p1->x, 50);
    EXPECT_DOUBLE_EQ(lc.p2->x, 150);
    CElementBase *x = nullptr, *y = nullptr, *z = nullptr;
    EXPECT_EQ(lc.p1->getConstructionInfo(&x, &y, &z),
              "Point d'intersection\r\n( une droite avec un cercle)");
    EXPECT_EQ(lc.bip->getConstructionInfo(&x, &y, &z),
              "Intersection d' une droite avec  un cercle");
}

TEST_F(Intersections, TangentLineGivesOnlyTheFirstPointMissingLineNone) {
    LineCircleFigure tangent(0, 50, 10, 50);
    EXPECT_TRUE(tangent.p1->exists && tangent.bip->exists);
    EXPECT_FALSE(tangent.p2->exists);
    EXPECT_DOUBLE_EQ(tangent.p1->x, 100);
    EXPECT_DOUBLE_EQ(tangent.p1->y, 50);
    LineCircleFigure missing(0, 49.9, 10, 49.9);
    EXPECT_FALSE(missing.p1->exists || missing.p2->exists || missing.bip->exists);
}

TEST_F(Intersections, SegmentKeepsOnlyItsSolution) {
    auto* c = f.make<CCercleOA>(nat::cercle, f.point(100, 100), f.point(150, 100));
    auto* s = f.make<CSegment>(nat::segment, f.point(100, 100), f.point(200, 100));
    auto* bip = f.make<CIntDroiteCercle>(nat::bipoint, s, c);
    EXPECT_TRUE(bip->point(1)->exists);
    EXPECT_FALSE(bip->point(2)->exists);
}

struct TwoCircles {
    GeoFigure f;
    CPointBase* a;
    CCercleOA* c1;
    CCercleOA* c2;
    TwoCircles(double ax, double ay, double c2x) {
        a = f.point(ax, ay, "A");
        c1 = f.make<CCercleOA>(nat::cercle, f.point(0, 0), a);
        c2 = f.make<CCercleOA>(nat::cercle, f.point(c2x, 0), a);
    }
};

TEST_F(Intersections, CirclesInOrder) {
    TwoCircles t(4, 3, 8);
    auto* bip = t.f.make<CIntCercleCercle>(nat::bipoint, t.c1, t.c2);
    EXPECT_DOUBLE_EQ(bip->point(1)->x, 4);
    EXPECT_DOUBLE_EQ(bip->point(1)->y, 3);
    EXPECT_DOUBLE_EQ(bip->point(2)->y, -3);
    CAutrePointIntersectionCercles o1(t.c1, t.c2, t.a), o2(t.c2, t.c1, t.a);
    EXPECT_TRUE(o1.coincidesWith(&o2));
}

struct OtherCase {
    double ax, ay, c2x;
    double x, y;
};

class OtherPointOfCircles : public GeoFigureTest,
                            public ::testing::WithParamInterface<OtherCase> {};

TEST_P(OtherPointOfCircles, Position) {
    const OtherCase& c = GetParam();
    TwoCircles t(c.ax, c.ay, c.c2x);
    auto* o = t.f.make<CAutrePointIntersectionCercles>(nat::pointConstruit, t.c1, t.c2, t.a);
    ASSERT_TRUE(o->exists);
    EXPECT_NEAR(o->x, c.x, 1e-12);
    EXPECT_NEAR(o->y, c.y, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, OtherPointOfCircles,
                         ::testing::Values(OtherCase{4, 3, 8, 4, -3},    // A is the first
                                           OtherCase{4, -3, 8, 4, 3},    // A is the second
                                           OtherCase{5, 0, 10, 5, 0}));  // tangent at A

TEST_F(Intersections, OtherPointOfLineAndCircle) {
    auto* a = f.point(150, 100, "A");
    auto* c = f.make<CCercleOA>(nat::cercle, f.point(100, 100), a);
    auto* d = f.make<CDroiteAB>(nat::droite, a, f.point(0, 100));
    auto* o = f.make<CAutrePointIntersectionDroiteCercle>(nat::pointConstruit, c, d, a);
    EXPECT_NEAR(o->x, 50, 1e-12);
    // A half-line from A away from the circle keeps only A: no other point.
    auto* h = f.make<CDemiDroiteOA>(nat::demiDroite, a, f.point(300, 100));
    auto* o2 = f.make<CAutrePointIntersectionDroiteCercle>(nat::pointConstruit, c, h, a);
    EXPECT_FALSE(o2->exists);
}

}  // namespace
