// Linked points and polygonal lines: positions from the abscissa, dragging, bounds.
#include "GeoFigure.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"

namespace {

class Linked : public GeoFigureTest {};

constexpr double kPi = 3.14159265358979323846;

const CViewBounds kView({0, 0, 1000, 500});

TEST_F(Linked, DragOnASegmentStopsAtItsEndsOnALineFollowsTheLargerComponent) {
    auto* s = f.make<CSegment>(nat::segment, f.point(100, 100), f.point(300, 100));
    auto* p = f.make<CPointLieDroite>(nat::pointLie, s, 0.5);
    EXPECT_DOUBLE_EQ(p->x, 200);
    double x = 0, y = 0, t = 0;
    EXPECT_TRUE(p->positionFromMouse(kView, 250, 140, &x, &y, &t));
    EXPECT_DOUBLE_EQ(y, 100);
    EXPECT_DOUBLE_EQ(t, 0.75);
    EXPECT_FALSE(p->positionFromMouse(kView, 320, 100, &x, &y, &t));
    EXPECT_DOUBLE_EQ(p->x, 200);
    // On a full line: t along the larger component, the view still bounding the drag.
    auto* d = f.make<CDroiteAB>(nat::droite, f.point(100, 100), f.point(100, 200));
    auto* q = f.make<CPointLieDroite>(nat::pointLie, d, 0);
    EXPECT_TRUE(q->positionFromMouse(kView, 120, 400, &x, &y, &t));
    EXPECT_DOUBLE_EQ(t, 3);
    EXPECT_FALSE(q->positionFromMouse(kView, 120, 600, &x, &y, &t));
}

TEST_F(Linked, PointOnACircle) {
    auto* c = f.make<CCercleOA>(nat::cercle, f.point(200, 200), f.point(300, 200));
    auto* p = f.make<CPointLieCercle>(nat::pointLie, c, kPi / 2);
    EXPECT_NEAR(p->y, 100, 1e-9);
    double x, y, t;
    EXPECT_TRUE(p->positionFromMouse(kView, 200, 250, &x, &y, &t));
    EXPECT_NEAR(y, 300, 1e-9);
    EXPECT_NEAR(t, 3 * kPi / 2, 1e-12);
    // The exact centre has no direction.
    EXPECT_FALSE(p->positionFromMouse(kView, 200, 200, &x, &y, &t));
}

TEST_F(Linked, TextsCoincidenceAndAPointLinkedToAPoint) {
    auto* a = f.point(0, 0, "A");
    auto* s = f.make<CSegment>(nat::segment, a, f.point(100, 0, "B"));
    CPointLieDroite p(s, 0.25), q(s, 0.25 + 0.5e-9), r(s, 0.25 + 2e-9);
    EXPECT_TRUE(p.coincidesWith(&q));
    EXPECT_FALSE(p.coincidesWith(&r));
    CElementBase *u = nullptr, *v = nullptr, *w = nullptr;
    EXPECT_EQ(p.getConstructionInfo(&u, &v, &w), "Point lié à un segment");
    auto* onPoint = f.make<CPointLiePoint>(nat::pointLie, a);
    EXPECT_EQ(onPoint->getConstructionInfo(&u, &v, &w), "Point lié à un autre point");
    double x, y, t;
    EXPECT_FALSE(onPoint->positionFromMouse(kView, 100, 100, &x, &y, &t));
}

TEST_F(Linked, PointOnABrokenLine) {
    auto* first = f.point(0, 0);
    auto* last = f.point(100, 300);
    auto* l = f.make<CLigneBrisee>(nat::ligneBrisee,
                                   std::vector<CPointAncetre*>{first, f.point(100, 0), last});
    auto* p = f.make<CPointLieLigne>(nat::pointLie, l, 0.5);
    EXPECT_DOUBLE_EQ(p->x, 100);
    EXPECT_DOUBLE_EQ(p->y, 100);
    double x, y, t;
    EXPECT_TRUE(p->positionFromMouse(kView, 130, 200, &x, &y, &t));
    EXPECT_DOUBLE_EQ(y, 200);
    EXPECT_DOUBLE_EQ(t, 0.75);
    EXPECT_FALSE(p->positionFromMouse(kView, 130, 400, &x, &y, &t));
    // Every vertex at (100, 0): a line without length exists but holds no point.
    first->x = 100;
    last->y = 0;
    f.computeAll();
    EXPECT_TRUE(l->exists);
    EXPECT_FALSE(p->exists);
}

TEST_F(Linked, PointOnAPolygonJustBeforeTheClosingVertex) {
    auto* a = f.point(0, 0);
    auto* poly = f.make<CPolygone>(
        nat::polygone, std::vector<CPointAncetre*>{a, f.point(100, 0), f.point(100, 100), a});
    auto* p = f.make<CPointLieLigne>(nat::pointLie, poly, poly->getAbscissaMax());
    ASSERT_TRUE(p->exists);
    EXPECT_NEAR(p->x, 0, 1e-6);
    EXPECT_GT(p->x, 0);
    EXPECT_GT(p->y, 0);
    EXPECT_EQ(poly->getAbscissaMax(), 0.999999999999);
}

TEST_F(Linked, DragOnAMissingCurveIsRefused) {
    auto* a = f.point(100, 100);
    auto* b = f.point(100, 100);
    auto* d = f.make<CDroiteAB>(nat::droite, a, b);
    auto* c = f.make<CCercleOA>(nat::cercle, a, b);
    auto* l = f.make<CLigneBrisee>(nat::ligneBrisee, std::vector<CPointAncetre*>{a, b, a});
    l->exists = false;
    auto* pd = f.make<CPointLieDroite>(nat::pointLie, d, 0.5);
    auto* pc = f.make<CPointLieCercle>(nat::pointLie, c, 0.5);
    auto* pl = f.make<CPointLieLigne>(nat::pointLie, l, 0.5);
    double x, y, t;
    for (CPointLie* p : std::initializer_list<CPointLie*>{pd, pc, pl}) {
        EXPECT_FALSE(p->exists);
        EXPECT_FALSE(p->positionFromMouse(kView, 120, 130, &x, &y, &t));
    }
}

}  // namespace
