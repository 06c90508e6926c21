// Arcs, circles by radius, barycentres and points by abscissa: the objects that own parameter
// values.
#include <algorithm>
#include <cmath>

#include "GeoFigure.h"
#include "geometry/CCercle.h"
#include "geometry/CPointLie.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class Arcs : public GeoFigureTest {
protected:
    CPointBase* o = nullptr;
    CPointBase* a = nullptr;
    void SetUp() override {
        GeoFigureTest::SetUp();
        o = f.point(200, 200, "O");
        a = f.point(300, 200, "A");
    }
    template <class T>
    T* byAngle(double radians) {
        return f.make<T>(nat::arc, o, a, CValeurAngle(radians));
    }
    template <class T>
    T* byPoint(double bx, double by) {
        return f.make<T>(nat::arc, o, a, f.point(bx, by, "B"));
    }
};

TEST_F(Arcs, SmallArcOfMinusHalfPiEndsBelowTheCentre) {
    auto* arc = byAngle<CArcDeCercle>(-kPi / 2);
    CRecordingDC dc;
    arc->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "arc"),
              (std::vector<std::vector<int>>{{100, 100, 300, 300, 200, 300, 300, 200}}));
    auto* p = f.make<CPointLieCercle>(nat::pointLie, arc, 1.0);
    EXPECT_NEAR(p->x, 200, 1e-9);
    EXPECT_NEAR(p->y, 300, 1e-9);
    EXPECT_NEAR(arc->abscissaOfAngle(7 * kPi / 4), 0.5, 1e-12);
    EXPECT_TRUE(arc->containsCirclePoint(270, 270));
    EXPECT_FALSE(arc->containsCirclePoint(130, 130));
}

TEST_F(Arcs, EndPointOnTheRayGivesNoArcOppositeGivesAHalfCircle) {
    EXPECT_FALSE(byPoint<CArcDeCercle>(400, 200)->exists);
    auto* half = byPoint<CArcDeCercle>(150, 200);
    EXPECT_DOUBLE_EQ(half->angle, kPi);
    // Counter-clockwise from A: the upper half.
    EXPECT_TRUE(half->containsCirclePoint(200, 100));
    EXPECT_FALSE(half->containsCirclePoint(200, 300));
    EXPECT_FALSE(byAngle<CArcDeCercle>(0.5e-7)->exists);
    EXPECT_TRUE(byAngle<CArcDeCercle>(-kPi + 1e-9)->containsCirclePoint(200, 300));
}

TEST_F(Arcs, OppositeOfTheSmallArcMiddleIsOnTheMajorArc) {
    auto* small = byPoint<CArcDeCercle>(200, 100);
    auto* major = f.make<CGrandArcDeCercle>(nat::arc, o, a, small->B);
    const double m = 200 + 100 * std::cos(5 * kPi / 4), n = 200 - 100 * std::sin(5 * kPi / 4);
    EXPECT_FALSE(small->containsCirclePoint(m, n));
    EXPECT_TRUE(major->containsCirclePoint(m, n));
    EXPECT_TRUE(major->containsCirclePoint(200, 100));  // ends belong to both
    EXPECT_TRUE(small->containsCirclePoint(200, 100));
    CRecordingDC dc;
    major->draw(&dc, true);
    // a > 0: from the end back to A.
    EXPECT_EQ(argsOf(dc, "arc"),
              (std::vector<std::vector<int>>{{100, 100, 300, 300, 200, 100, 300, 200}}));
}

TEST_F(Arcs, DirectArcOfNegativeAngleTurnsThreeQuarters) {
    auto* arc = byAngle<CArcDeCercleDirect>(-kPi / 2);
    EXPECT_TRUE(arc->containsCirclePoint(100, 200));
    EXPECT_FALSE(arc->containsCirclePoint(270, 270));
    EXPECT_NEAR(arc->abscissaOfAngle(kPi), 2.0 / 3.0, 1e-12);
    CRecordingDC dc;
    arc->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "arc"),
              (std::vector<std::vector<int>>{{100, 100, 300, 300, 300, 200, 200, 300}}));
}

TEST_F(Arcs, IndirectArcGoesClockwiseFromA) {
    auto* arc = byAngle<CArcDeCercleIndirect>(-kPi / 2);
    EXPECT_TRUE(arc->containsCirclePoint(270, 270));
    EXPECT_FALSE(arc->containsCirclePoint(100, 200));
    CRecordingDC dc;
    arc->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "arc"),
              (std::vector<std::vector<int>>{{100, 100, 300, 300, 200, 300, 300, 200}}));
    EXPECT_NEAR(f.make<CPointLieCercle>(nat::pointLie, arc, 0.0)->y, 300, 1e-9);
    // By an end point: E on the circle in the direction of B.
    auto* byB = byPoint<CArcDeCercleIndirect>(200, 250);
    EXPECT_NEAR(byB->endY, 300, 1e-9);
    EXPECT_NEAR(byB->angle, -kPi / 2, 1e-12);
}

TEST_F(Arcs, DraggingOnAnArc) {
    auto* arc = byPoint<CArcDeCercle>(200, 100);
    auto* p = f.make<CPointLieCercle>(nat::pointLie, arc, 0.5);
    double x, y, t;
    const CViewBounds view({0, 0, 1000, 500});
    EXPECT_TRUE(p->positionFromMouse(view, 400, 0, &x, &y, &t));
    EXPECT_NEAR(t, 0.5, 1e-12);
    EXPECT_FALSE(p->positionFromMouse(view, 0, 400, &x, &y, &t));
    EXPECT_EQ(arc->designationDistance(0, 400, true), kNotDesignable);
    EXPECT_EQ(arc->designationDistanceForLinking(340, 200, true), 40);
}

TEST_F(Arcs, CircleByRadiusUsesTheUnitLength) {
    auto* u2 = f.point(0, 40);
    auto* unit = f.make<CSegment>(nat::segment, f.point(0, 0), u2);
    auto* c = f.make<CCercleOR>(nat::cercle, o, CValeurAssocieeAVariable(2.5), &f.list);
    EXPECT_FALSE(c->exists);  // no unit length yet
    f.list.unitLength = unit;
    f.computeAll();
    EXPECT_DOUBLE_EQ(c->radius, 100);
    EXPECT_TRUE(c->dependsOnForDrag(u2));
    EXPECT_FALSE(c->dependsOn(u2));
    c->radiusValue.setNumber(-1);
    f.computeAll();
    EXPECT_FALSE(c->exists);
}

TEST_F(Arcs, BarycentreIllustrationAndNullWeights) {
    a->setNameOffset(20, 30);
    auto* bar = f.make<CBarycentre>(nat::barycentre, 1);
    bar->addNode(a, CValeurAssocieeAVariable(2));
    bar->addNode(o, CValeurAssocieeAVariable(5));
    bar->computePosition();
    std::unique_ptr<CAction> entry = bar->createIllustration();
    ASSERT_NE(entry, nullptr);
    CRecordingDC dc;
    entry->element->draw(&dc, true);
    // The weight of A up and to the left of it, as its name is down and to the right.
    auto texts = dc.opsOfKind("text");
    auto weight = std::find_if(texts.begin(), texts.end(), [](auto& t) { return t.text == "2"; });
    ASSERT_NE(weight, texts.end());
    EXPECT_LT(weight->args[0], 300 - 20 + 1);
    EXPECT_LT(weight->args[1], 200);
    // Weights summing to exactly 0, then a point that does not exist.
    bar->nodes[1]->weight.setNumber(-2);
    bar->computePosition();
    EXPECT_FALSE(bar->exists);
    bar->nodes[1]->weight.setNumber(1);
    a->exists = false;
    bar->computePosition();
    EXPECT_FALSE(bar->exists);
}

TEST_F(Arcs, PointByAbscissaOutOfRangeStillExists) {
    auto* p = f.make<CPointParAbscisse>(nat::pointConstruit, o, a, CValeurAssocieeAVariable(1000));
    EXPECT_TRUE(p->exists);
    EXPECT_TRUE(p->outOfRange);
}

TEST_F(Arcs, ConstructionTexts) {
    CElementBase *x = nullptr, *y = nullptr, *z = nullptr;
    EXPECT_EQ(byPoint<CGrandArcDeCercle>(200, 100)->getConstructionInfo(&x, &y, &z),
              "Grand arc de cercle défini par point de fin B");
    auto* i = byAngle<CArcDeCercleIndirect>(1);
    EXPECT_EQ(i->getConstructionInfo(&x, &y, &z),
              "Arc de cercle indirect d'angle " + i->angleValue.getText(12));
    EXPECT_EQ(CCercleOR(o, CValeurAssocieeAVariable(2.5), &f.list).getConstructionInfo(&x, &y, &z),
              "cercle de rayon 2.5");
    EXPECT_EQ(
        CPointParAbscisse(o, a, CValeurAssocieeAVariable(0.3)).getConstructionInfo(&x, &y, &z),
        "Point d'abscisse 0.3\r\n dans le repère (O,A)");
    CBarycentre bar;
    bar.addNode(o, CValeurAssocieeAVariable(1));
    bar.addNode(a, CValeurAssocieeAVariable(3));
    EXPECT_EQ(bar.getConstructionInfo(&x, &y, &z), "Barycentre de 2 points pondérés");
}

// A point placed exactly at an arc's end stays on the arc, whatever the rounding of its angle.
class ArcEnds : public GeoFigureTest, public ::testing::WithParamInterface<double> {};

TEST_P(ArcEnds, LinkedPointAtBothEndsExists) {
    const double angle = GetParam();
    auto* o = f.point(200, 200);
    auto* a = f.point(200 + 100 * std::cos(0.3), 200 - 100 * std::sin(0.3));
    auto* small = f.make<CArcDeCercle>(nat::arc, o, a, CValeurAngle(angle));
    auto* major = f.make<CGrandArcDeCercle>(nat::arc, o, a, CValeurAngle(angle));
    auto* direct = f.make<CArcDeCercleDirect>(nat::arc, o, a, CValeurAngle(angle));
    auto* indirect = f.make<CArcDeCercleIndirect>(nat::arc, o, a, CValeurAngle(angle));
    for (CCercle* arc : std::initializer_list<CCercle*>{small, major, direct, indirect}) {
        ASSERT_TRUE(arc->exists);
        for (double t : {0.0, 1.0}) {
            CPointLieCercle p(arc, t);
            p.computePosition();
            EXPECT_TRUE(p.exists) << arc->GetRuntimeClass()->className << " " << angle << " " << t;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, ArcEnds,
                         ::testing::Values(1.0, -2.9, 3.14159265358979323846, -5.98));

}  // namespace
