// Linked points and polygonal lines: positions from the abscissa, dragging, bounds.
#include <cmath>

#include "GeoFigure.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"

namespace {

class Linked : public GeoTest {};

constexpr double kPi = 3.14159265358979323846;

const CViewBounds kView({0, 0, 1000, 500});

TEST_F(Linked, PointOnASegment) {
    GeoFigure f;
    auto* s = f.make<CSegment>(nat::segment, f.point(100, 100), f.point(300, 100));
    auto* p = f.make<CPointLieDroite>(nat::pointLie, s, 0.5);
    ASSERT_TRUE(p->exists);
    EXPECT_DOUBLE_EQ(p->x, 200);
    EXPECT_DOUBLE_EQ(p->y, 100);
    double x = 0, y = 0, t = 0;
    EXPECT_TRUE(p->positionFromMouse(kView, 250, 140, &x, &y, &t));
    EXPECT_DOUBLE_EQ(x, 250);
    EXPECT_DOUBLE_EQ(y, 100);
    EXPECT_DOUBLE_EQ(t, 0.75);
    // Beyond an end: refused, the point stays.
    EXPECT_FALSE(p->positionFromMouse(kView, 320, 100, &x, &y, &t));
    EXPECT_DOUBLE_EQ(p->x, 200);
    EXPECT_TRUE(p->isOnLineByConstruction(s));
    EXPECT_TRUE(s->passesThroughByConstruction(p));
    EXPECT_EQ(p->getAbscissaMin(), 0);
    EXPECT_EQ(p->getAbscissaMax(), 1);
    EXPECT_FALSE(p->isCyclic());
}

TEST_F(Linked, DragOnAFullLineUsesTheLargerComponent) {
    GeoFigure f;
    auto* d = f.make<CDroiteAB>(nat::droite, f.point(100, 100), f.point(100, 200));
    auto* p = f.make<CPointLieDroite>(nat::pointLie, d, 0);
    double x, y, t;
    EXPECT_TRUE(p->positionFromMouse(kView, 120, 400, &x, &y, &t));
    EXPECT_DOUBLE_EQ(x, 100);
    EXPECT_DOUBLE_EQ(t, 3);
    // Outside the view: refused.
    EXPECT_FALSE(p->positionFromMouse(kView, 120, 600, &x, &y, &t));
}

TEST_F(Linked, PointOnACircle) {
    GeoFigure f;
    auto* c = f.make<CCercleOA>(nat::cercle, f.point(200, 200), f.point(300, 200));
    auto* p = f.make<CPointLieCercle>(nat::pointLie, c, kPi / 2);
    ASSERT_TRUE(p->exists);
    EXPECT_NEAR(p->x, 200, 1e-9);
    EXPECT_NEAR(p->y, 100, 1e-9);
    EXPECT_TRUE(p->isCyclic());
    EXPECT_TRUE(c->passesThroughByConstruction(p));
    double x, y, t;
    EXPECT_TRUE(p->positionFromMouse(kView, 200, 250, &x, &y, &t));
    EXPECT_NEAR(x, 200, 1e-9);
    EXPECT_NEAR(y, 300, 1e-9);
    EXPECT_NEAR(t, 3 * kPi / 2, 1e-12);
    // The exact centre has no direction.
    EXPECT_FALSE(p->positionFromMouse(kView, 200, 200, &x, &y, &t));
    // A position outside the view is refused.
    EXPECT_FALSE(p->positionFromMouse(CViewBounds({0, 150, 1000, 500}), 200, 150, &x, &y, &t));
}

TEST_F(Linked, PointOnAPoint) {
    GeoFigure f;
    auto* a = f.point(10, 20);
    auto* p = f.make<CPointLiePoint>(nat::pointLie, a);
    EXPECT_DOUBLE_EQ(p->x, 10);
    double x, y, t;
    EXPECT_FALSE(p->positionFromMouse(kView, 100, 100, &x, &y, &t));
    CPointLiePoint q(a);
    EXPECT_TRUE(p->coincidesWith(&q));
    a->setName("A");
    EXPECT_EQ(p->getDescription(), "Point  : Point lié au point A");
    CElementBase *u = nullptr, *v = nullptr, *w = nullptr;
    EXPECT_EQ(p->getConstructionInfo(&u, &v, &w), "Point lié à un autre point");
}

TEST_F(Linked, TextsAndCoincidence) {
    GeoFigure f;
    auto* s = f.make<CSegment>(nat::segment, f.point(0, 0, "A"), f.point(100, 0, "B"));
    auto* c = f.make<CCercleOA>(nat::cercle, f.point(0, 0), f.point(10, 0));
    c->setName("c");
    CPointLieDroite p(s, 0.25), q(s, 0.25 + 0.5e-9), r(s, 0.25 + 2e-9);
    EXPECT_TRUE(p.coincidesWith(&q));
    EXPECT_FALSE(p.coincidesWith(&r));
    p.setName("M");
    EXPECT_EQ(p.getDescription(), "Point M : Point lié à [AB]");
    CElementBase *u = nullptr, *v = nullptr, *w = nullptr;
    EXPECT_EQ(p.getConstructionInfo(&u, &v, &w), "Point lié à un segment");
    EXPECT_EQ(u, s);
    CPointLieCercle pc(c, 1);
    EXPECT_EQ(pc.getDescription(), "Point  : Point lié au c");
    EXPECT_EQ(pc.getConstructionInfo(&u, &v, &w), "Point lié à un cercle");
}

struct LineFigure {
    GeoFigure f;
    std::vector<CPointAncetre*> pts;
    LineFigure(std::initializer_list<std::pair<double, double>> coords) {
        for (auto [x, y] : coords) pts.push_back(f.point(x, y));
    }
};

TEST_F(Linked, PointOnABrokenLine) {
    LineFigure lf({{0, 0}, {100, 0}, {100, 300}});
    auto* l = lf.f.make<CLigneBrisee>(nat::ligneBrisee, lf.pts);
    auto* p = lf.f.make<CPointLieLigne>(nat::pointLie, l, 0.5);
    ASSERT_TRUE(p->exists);
    EXPECT_DOUBLE_EQ(p->x, 100);
    EXPECT_DOUBLE_EQ(p->y, 100);
    p->abscissa = 1;
    p->computePosition();
    EXPECT_DOUBLE_EQ(p->y, 300);
    p->abscissa = 0.25;
    p->computePosition();
    EXPECT_DOUBLE_EQ(p->x, 100);
    EXPECT_DOUBLE_EQ(p->y, 0);
    double x, y, t;
    EXPECT_TRUE(p->positionFromMouse(kView, 130, 200, &x, &y, &t));
    EXPECT_DOUBLE_EQ(x, 100);
    EXPECT_DOUBLE_EQ(y, 200);
    EXPECT_DOUBLE_EQ(t, 0.75);
    EXPECT_FALSE(p->positionFromMouse(kView, 130, 400, &x, &y, &t));
    EXPECT_EQ(l->getAbscissaMax(), 1.0);
    // Every vertex at (100, 0): a line without length exists but holds no point.
    static_cast<CPointBase*>(lf.pts[0])->x = 100;
    static_cast<CPointBase*>(lf.pts[2])->y = 0;
    lf.f.computeAll();
    EXPECT_TRUE(l->exists);
    EXPECT_FALSE(p->exists);
}

TEST_F(Linked, PointOnAPolygonJustBeforeTheClosingVertex) {
    LineFigure lf({{0, 0}, {100, 0}, {100, 100}});
    std::vector<CPointAncetre*> v = lf.pts;
    v.push_back(lf.pts[0]);
    auto* poly = lf.f.make<CPolygone>(nat::polygone, v);
    auto* p = lf.f.make<CPointLieLigne>(nat::pointLie, poly, poly->getAbscissaMax());
    ASSERT_TRUE(p->exists);
    EXPECT_NEAR(p->x, 0, 1e-6);
    EXPECT_NEAR(p->y, 0, 1e-6);
    EXPECT_GT(p->x, 0);
    EXPECT_GT(p->y, 0);
    EXPECT_EQ(poly->getAbscissaMax(), 0.999999999999);
}

TEST_F(Linked, DragOnAMissingCurveIsRefused) {
    GeoFigure f;
    auto* a = f.point(100, 100);
    auto* b = f.point(100, 100);
    auto* d = f.make<CDroiteAB>(nat::droite, a, b);
    auto* c = f.make<CCercleOA>(nat::cercle, a, b);
    auto* l = f.make<CLigneBrisee>(nat::ligneBrisee, std::vector<CPointAncetre*>{a, b, a});
    l->exists = false;
    auto* pd = f.make<CPointLieDroite>(nat::pointLie, d, 0.5);
    auto* pc = f.make<CPointLieCercle>(nat::pointLie, c, 0.5);
    auto* pl = f.make<CPointLieLigne>(nat::pointLie, l, 0.5);
    EXPECT_FALSE(d->exists);
    EXPECT_FALSE(c->exists);
    double x, y, t;
    for (CPointLie* p : std::initializer_list<CPointLie*>{pd, pc, pl}) {
        EXPECT_FALSE(p->exists);
        EXPECT_FALSE(p->positionFromMouse(kView, 120, 130, &x, &y, &t));
    }
}

}  // namespace
