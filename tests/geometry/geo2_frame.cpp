// The coordinate frame: existence, the true origin, grid lines and the 100-line limit,
// the points and lines defined in it, the snapping and clamping of points with integer
// coordinates, texts, and the extra byte of frames stored with schema 1.
#include <gtest/gtest.h>

#include "GeoFigure.h"
#include "geometry/CRepere.h"

namespace {
CValeurAssocieeAVariable num(double v) {
    return CValeurAssocieeAVariable(v);
}

class Geo2Frame : public GeoFigureTest {
protected:
    // O = (100, 100), I = (150, 100), J = (100, 50): u = (50, 0), v = (0, -50).
    CRepere* makeFrame(double a = 0, double b = 0, double ix = 150, double iy = 100,
                       double jx = 100, double jy = 50) {
        o = f.point(100, 100, "O");
        i = f.point(ix, iy, "I");
        j = f.point(jx, jy, "J");
        auto* x = f.make<CDroiteAB>(nat::droite, o, i);
        auto* y = f.make<CDroiteAB>(nat::droite, o, j);
        return f.make<CRepere>(nat::repere, o, i, j, x, y, num(a), num(b));
    }
    CPointBase *o = nullptr, *i = nullptr, *j = nullptr;
};

TEST_F(Geo2Frame, TrueOriginFollowsTheValuesGivenToO) {
    CRepere* r = makeFrame(1, 0);
    auto* p = f.make<CPointDansRepere>(nat::pointDansRepere, r, num(1), num(1));
    EXPECT_DOUBLE_EQ(p->x, 100);  // O has abscissa 1
    EXPECT_DOUBLE_EQ(p->y, 50);
}

TEST_F(Geo2Frame, AlignedPointsGiveNoFrame) {
    CRepere* r = makeFrame(0, 0, 150, 100, 200, 100);
    EXPECT_FALSE(r->exists);
    EXPECT_FALSE(f.make<CPointDansRepere>(nat::pointDansRepere, r, num(2), num(1))->exists);
    EXPECT_FALSE(f.make<CPointBaseEnt>(nat::pointLibre, r, 1, 1)->exists);
    EXPECT_EQ(r->designationDistance(100, 100, false), kNotDesignable);
}

TEST_F(Geo2Frame, DesignatedThroughItsAxesGridLinesAndTheirLimit) {
    CRepere* r = makeFrame();
    EXPECT_EQ(r->designationDistance(300, 103, true), 3);
    r->xGrid = true;
    r->computePosition();
    CRecordingDC dc;
    r->draw(&dc, true);
    // Along v = (0, -50) from y = 100, the window's y from 0 to 500: -8..3 without 0.
    EXPECT_EQ(dc.opsOfKind("line").size(), 11u);
    // One unit per grid step along u: 1000 lines would be needed; none is drawn.
    i->x = 101;
    r->xGrid = false;
    r->yGrid = true;
    r->computePosition();
    dc.clear();
    r->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
    r->masked = true;
    EXPECT_EQ(r->designationDistance(300, 103, true), kNotDesignable);
}

struct SnapCase {
    double mouseA;  // frame abscissa of the mouse
    bool free;
    double expected;
};

class Geo2FrameSnap : public Geo2Frame, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(Geo2FrameSnap, IntegerAbscissa) {
    const SnapCase& c = GetParam();
    CRepere* r = makeFrame();
    auto* p = f.make<CPointBaseEnt>(nat::pointLibre, r, 0, 0);
    p->abscissaFree = c.free;
    p->abscissaMin = -5;
    p->abscissaMax = 5;
    CViewBounds view({-100000, -100000, 100000, 100000});
    double a = 99, b = 99;
    const int mx = static_cast<int>(100 + c.mouseA * 50);
    EXPECT_TRUE(p->positionFromMouse(view, mx, 100, &a, &b));
    EXPECT_EQ(a, c.expected);
    EXPECT_EQ(b, 0);
}

// 50 logical units per frame unit: 2.5 is x = 225, 2.52 is x = 226.
INSTANTIATE_TEST_SUITE_P(Cases, Geo2FrameSnap,
                         ::testing::Values(SnapCase{7.4, false, 5}, SnapCase{7.4, true, 7},
                                           SnapCase{2.5, true, 2}, SnapCase{2.52, true, 3},
                                           SnapCase{-8, false, -5}));

TEST_F(Geo2Frame, SnapFallsBackOnAnAcceptedCandidate) {
    CRepere* r = makeFrame();
    auto* p = f.make<CPointBaseEnt>(nat::pointLibre, r, 0, 0);
    // The view ends at x = 240: abscissa 3 (x = 250) is refused, 2 is accepted.
    CViewBounds view({0, 0, 240, 500});
    double a, b;
    p->positionFromMouse(view, 230, 100, &a, &b);  // frame abscissa 2.6
    EXPECT_EQ(a, 2);
    // Nothing acceptable: the floor is kept.
    CViewBounds none({0, 0, 10, 10});
    p->positionFromMouse(none, 230, 100, &a, &b);
    EXPECT_EQ(a, 2);
}

TEST_F(Geo2Frame, LineBySlope) {
    CRepere* r = makeFrame();
    CPointBase* a = f.point(300, 300, "A");
    auto* d = f.make<CDroiteOm>(nat::droite, r, a, num(1));
    EXPECT_DOUBLE_EQ(d->wx, 50);
    EXPECT_DOUBLE_EQ(d->wy, -50);
    EXPECT_TRUE(d->passesThroughByConstruction(a));
}

TEST_F(Geo2Frame, Texts) {
    CRepere* r = makeFrame(1, 2);
    EXPECT_EQ(r->shortDesignation(), "(O,I,J)");
    EXPECT_EQ(r->getConstructionInfo(nullptr, nullptr, nullptr),
              "Repère \r\nOrigine des abscisses à : 1\r\nOrigine des ordonnées à : 2");
}

TEST_F(Geo2Frame, SchemaOneHasAByteAfterTheBaseFields) {
    CRepere* r = makeFrame(0.5, 0);
    r->yGrid = true;
    std::vector<uint8_t> bytes;
    {
        CArchive ar(CArchive::store, bytes);
        ar.setCurrentList(&f.list);
        ar.writeObject(r);
    }
    // New-class tag: 0xFFFF, schema word, name length word, "CRepere"; then the base fields
    // (4 bytes, the name "" as one byte, two doubles).
    ASSERT_EQ(bytes[2], 2);
    bytes[2] = 1;
    const size_t baseEnd = 6 + 7 + 4 + 1 + 16;
    bytes.insert(bytes.begin() + baseEnd, 0x55);
    CArchive ar(CArchive::load, bytes);
    ar.setCurrentList(&f.list);
    std::unique_ptr<CRepere> read = ar.readObjectOf<CRepere>();
    ASSERT_TRUE(read);
    EXPECT_TRUE(ar.atEnd());
    EXPECT_EQ(read->O, o);
    EXPECT_TRUE(read->yGrid);
    EXPECT_DOUBLE_EQ(read->a.getValue(), 0.5);
}
}  // namespace
