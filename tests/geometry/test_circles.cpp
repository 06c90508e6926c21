// Circles and angle marks: existence, drawing, designation with the sector rule, arrows.
#include <cmath>

#include "GeoFigure.h"
#include "core/CPalette.h"
#include "geometry/CCercle.h"

namespace {

class Circles : public GeoFigureTest {};

constexpr double kPi = 3.14159265358979323846;

TEST_F(Circles, CircleThroughAPoint) {
    CPalette::resetPalette();
    auto* o = f.point(100.5, 100, "O");
    auto* a = f.point(130.5, 140, "A");
    auto* c = f.make<CCercleOA>(nat::cercle, o, a, 2, 2);
    CRecordingDC dc;
    c->draw(&dc, true);
    ASSERT_EQ(dc.ops.size(), 1u);
    EXPECT_EQ(dc.ops[0].args, (std::vector<int>{51, 50, 151, 150}));
    EXPECT_EQ(dc.ops[0].pen, CPalette::pen(2, 2));
    EXPECT_EQ(dc.ops[0].brush.kind, CBrushDesc::null);
    EXPECT_EQ(c->designationDistance(190, 100, true), 39);
    EXPECT_EQ(c->designationDistance(100, 100, true), 49);  // the centre is not the circle
    EXPECT_TRUE(c->coincidesWith(f.make<CCercleOA>(nat::cercle, o, f.point(100.5, 50))));
    EXPECT_FALSE(c->coincidesWith(f.make<CCercleOA>(nat::cercle, o, f.point(100.5, 51))));
    CElementBase *x = nullptr, *y = nullptr, *z = nullptr;
    EXPECT_EQ(c->getConstructionInfo(&x, &y, &z), "Cercle défini par centre et point");
    a->x = 100.5;
    a->y = 100;
    f.computeAll();
    EXPECT_FALSE(c->exists);
    EXPECT_EQ(c->designationDistance(100, 100, false), kNotDesignable);
}

// Angle marks AOB at O = (100, 100), A = (200, 100), with r = 30.
class Marks : public GeoFigureTest {
protected:
    void SetUp() override {
        GeoFigureTest::SetUp();
        a = f.point(200, 100, "A");
        o = f.point(100, 100, "O");
    }
    template <class T, class... Extra>
    T* angleMark(double bx, double by, Extra... extra) {
        b = f.point(bx, by, "B");
        return f.make<T>(nat::marqueAngle, a, o, b, 30.0, extra...);
    }
    CPointBase *a = nullptr, *o = nullptr, *b = nullptr;
};

TEST_F(Marks, GeometricMarkOfARightAngleIsASquare) {
    auto* mark = angleMark<CMarqueAngleGeometrique>(100, 0);
    CRecordingDC dc;
    mark->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "line"),
              (std::vector<std::vector<int>>{{100, 70, 130, 70}, {130, 70, 130, 100}}));
    EXPECT_TRUE(dc.opsOfKind("arc").empty());
    // On the stroke from P1 to the corner, then beside the stroke from P2.
    EXPECT_EQ(mark->designationDistance(115, 72, true), 2);
    EXPECT_EQ(mark->designationDistance(133, 99, true), 3);
    EXPECT_EQ(mark->designationDistance(100, 140, true), kNotDesignable);  // outside the sector
}

TEST_F(Marks, GeometricMarkOfAnyOtherAngleIsAnArc) {
    auto* mark = angleMark<CMarqueAngleGeometrique>(200, 0);
    CRecordingDC dc;
    mark->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "arc"),
              (std::vector<std::vector<int>>{{70, 70, 130, 130, 130, 100, 121, 79}}));
    // Sector [0, pi/4]: the side OA itself belongs to it.
    EXPECT_EQ(mark->designationDistance(169, 100, true), 39);
    EXPECT_EQ(mark->designationDistance(100, 60, true), kNotDesignable);
    // Clockwise angle: the arc is drawn from the end back to A.
    b->y = 200;
    f.computeAll();
    dc.clear();
    mark->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "arc"),
              (std::vector<std::vector<int>>{{70, 70, 130, 130, 121, 121, 130, 100}}));
}

TEST_F(Marks, MarkSectorAcrossAngleZero) {
    // Sides below and above the horizontal through O: the sector contains angle 0.
    a->y = 150;
    auto* mark = angleMark<CMarqueAngleGeometrique>(200, 0);
    ASSERT_FALSE(mark->rightAngle);
    EXPECT_EQ(mark->designationDistance(135, 100, true), 5);
    EXPECT_EQ(mark->designationDistance(65, 100, true), kNotDesignable);
}

TEST_F(Circles, RightAngleMarkOfAPerpendicular) {
    auto* d = f.make<CDroiteAB>(nat::droite, f.point(0, 300), f.point(100, 300));
    auto* per = f.make<CDroitePerpendiculaire>(nat::droite, f.point(50, 100), d);
    auto* mark = f.make<CMarqueAngleDroit>(nat::marqueAngle, per, 30.0);
    CRecordingDC dc;
    mark->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "line"),
              (std::vector<std::vector<int>>{{80, 300, 80, 330}, {80, 330, 50, 330}}));
}

TEST_F(Marks, MarksNeedADistinctVertexOrientedOnesANonNullAngle) {
    auto* mark = angleMark<CMarqueAngleOriente>(300, 100);
    EXPECT_FALSE(mark->exists);
    EXPECT_TRUE(angleMark<CMarqueAngleOrienteDirecte>(300, 100)->exists);
    EXPECT_FALSE(angleMark<CMarqueAngleGeometrique>(100, 100)->exists);
}

struct OrientedCase {
    int sense;  // 0 oriented, 1 direct, 2 indirect
    double by;  // B = (200, by)
    double turn;
};

class OrientedMarks : public Marks, public ::testing::WithParamInterface<OrientedCase> {};

TEST_P(OrientedMarks, ArrowDirection) {
    const OrientedCase& c = GetParam();
    CMarqueAngleOriente* mark = nullptr;
    if (c.sense == 0) mark = angleMark<CMarqueAngleOriente>(200, c.by);
    if (c.sense == 1) mark = angleMark<CMarqueAngleOrienteDirecte>(200, c.by);
    if (c.sense == 2) mark = angleMark<CMarqueAngleOrienteIndirecte>(200, c.by);
    const double u = 30 / std::sqrt(2.0);
    const double ux = u, uy = c.by < 100 ? -u : u;
    EXPECT_NEAR(mark->tipX, 100 + ux, 1e-9);
    EXPECT_NEAR(mark->tipY, 100 + uy, 1e-9);
    double ex, ey;
    geo::turn(ux, uy, c.turn, &ex, &ey);
    EXPECT_NEAR(mark->arrowX, ex, 1e-9);
    EXPECT_NEAR(mark->arrowY, ey, 1e-9);
    // The arc runs counter-clockwise, from A when the mark turns that way.
    CRecordingDC dc;
    mark->draw(&dc, true);
    auto arcs = dc.opsOfKind("arc");
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].args[4] == 130, c.sense == 1 || (c.sense == 0 && c.by < 100));
}

// delta = 60 / 30 = 2.
INSTANTIATE_TEST_SUITE_P(Senses, OrientedMarks,
                         ::testing::Values(OrientedCase{0, 0, -kPi / 2 - 2},
                                           OrientedCase{0, 200, kPi / 2 + 2},
                                           OrientedCase{1, 200, -kPi / 2 - 2},
                                           OrientedCase{2, 0, kPi / 2 + 2}));

TEST_F(Marks, OrientedMarkOfAFlatAngle) {
    auto* mark = angleMark<CMarqueAngleOriente>(0, 100, 3);
    // u2 = (-30, 0) turned by -pi/2.
    EXPECT_NEAR(mark->arrowX, 0, 1e-9);
    EXPECT_NEAR(mark->arrowY, -30, 1e-9);
    // Flat sector: the half turn counter-clockwise from OA, that is the upper half.
    EXPECT_EQ(mark->designationDistance(100, 65, true), 5);
    EXPECT_EQ(mark->designationDistance(100, 135, true), kNotDesignable);
    CMarqueAngleOrienteIndirecte i(a, o, b, 30);
    CElementBase *x = nullptr, *y = nullptr, *z = nullptr;
    EXPECT_EQ(i.getConstructionInfo(&x, &y, &z),
              "Marque d'angle orienté tracée dans le sens indirect");
}

}  // namespace
