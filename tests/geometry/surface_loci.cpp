// Surfaces bounded by loci of points: alone, with a line, with a second locus, with two points.
#include <gtest/gtest.h>

#include "geometry/CIntersection.h"
#include "geometry/CPointLie.h"
#include "geometry/CSurface.h"
#include "geometry/GeoFigure.h"
#include "loci/CLieuDeBase.h"
#include "loci/CSurfaceLieu.h"

namespace {

// M runs along [(0, 0) (800, 0)]; the loci trace midpoints of M and fixed points, so that each
// is a straight run of n points from (cx / 2, cy / 2) to (400 + cx / 2, cy / 2).
class SurfaceLocusTest : public GeoFigureTest {
protected:
    void SetUp() override {
        GeoFigureTest::SetUp();
        auto* s = f.make<CSegment>(nat::segment, f.point(0, 0), f.point(800, 0));
        m = f.make<CPointLieDroite>(nat::pointLie, s, 0.5);
    }
    CLieuDePoints* locusOfMidpoint(double cx, double cy, int n) {
        auto* mid = f.make<CMilieu>(nat::pointConstruit, m, f.point(cx, cy));
        auto l = std::make_unique<CLieuDePoints>(&f.list, mid, m, n, false);
        l->prepare();
        return f.add(nat::lieuPoints, std::move(l));
    }
    CPointLieDroite* m = nullptr;
};

std::vector<int> flat(const std::vector<LPoint>& pts) {
    std::vector<int> out;
    for (const LPoint& p : pts) {
        out.push_back(p.x);
        out.push_back(p.y);
    }
    return out;
}

}  // namespace

TEST_F(SurfaceLocusTest, LocusSurfaceFillsThePolygonOfItsPoints) {
    CLieuDePoints* l = locusOfMidpoint(0, 400, 3);
    auto* s = f.make<CSurfaceLieu>(nat::surface, l, 5);
    CRecordingDC dc;
    s->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "polygon"), (std::vector<std::vector<int>>{{0, 200, 200, 200, 400, 200}}));
    EXPECT_EQ(s->designationDistance(100, 230, true), 30);
}

TEST_F(SurfaceLocusTest, BetweenALocusAndALine) {
    CLieuDePoints* l = locusOfMidpoint(0, 400, 5);
    auto* q = f.point(100, 500);
    auto* d = f.make<CDroiteAB>(nat::droite, f.point(0, 500), q);
    auto* s = f.make<CSurfaceLieuDroite>(nat::surface, l, d, 2);
    // The locus in sample order, then L', F' and F.
    EXPECT_EQ(flat(s->polygon), (std::vector<int>{0, 200, 100, 200, 200, 200, 300, 200, 400, 200,
                                                  400, 500, 0, 500, 0, 200}));
    EXPECT_EQ(s->getConstructionInfo(nullptr, nullptr, nullptr),
              "Surface délimitée par un lieu de points et une droite");
    // Moving the line moves the closing side.
    q->moveBy(0, 100);
    f.computeAll();
    EXPECT_NE(flat(s->polygon)[11], 500);
}

TEST_F(SurfaceLocusTest, BetweenTwoLoci) {
    CLieuDePoints* l1 = locusOfMidpoint(0, 400, 3);
    CLieuDePoints* l2 = locusOfMidpoint(0, 800, 3);
    auto* s = f.make<CSurfaceDeuxLieux>(nat::surface, l1, l2, 0);
    // The first locus forwards, the second backwards.
    EXPECT_EQ(flat(s->polygon),
              (std::vector<int>{0, 200, 200, 200, 400, 200, 400, 400, 200, 400, 0, 400}));
    // Either locus designates the surface.
    EXPECT_EQ(s->designationDistance(100, 390, true), 10);
    EXPECT_EQ(s->designationDistance(100, 215, true), 15);
}

TEST_F(SurfaceLocusTest, LocusClosedThroughTwoPoints) {
    CLieuDePoints* l = locusOfMidpoint(0, 400, 3);
    auto* a = f.point(0, 600, "P");
    auto* b = f.point(400, 600, "Q");
    auto* s = f.make<CSurfaceLieuDeuxPoints>(nat::surface, l, a, b, 1);
    // The last point (400, 200) goes to the nearer Q, then P, then back to the first point.
    EXPECT_EQ(flat(s->polygon),
              (std::vector<int>{0, 200, 200, 200, 400, 200, 400, 600, 0, 600, 0, 200}));
    auto* swapped = f.make<CSurfaceLieuDeuxPoints>(nat::surface, l, b, a, 1);
    EXPECT_EQ(swapped->polygon, s->polygon);
}

TEST_F(SurfaceLocusTest, LocusInTwoPiecesBoundsNothing) {
    // The vertical line through M meets the small circle only while M is above or below it:
    // with M on a segment that is one piece, with M on the big circle two pieces.
    auto* o = f.point(500, 250);
    auto* small = f.make<CCercleOA>(nat::cercle, o, f.point(600, 250));
    auto* big = f.make<CCercleOA>(nat::cercle, o, f.point(700, 250));
    auto* a = f.point(300, 0);
    auto* b = f.point(700, 0);
    auto* seg = f.make<CSegment>(nat::segment, a, b);
    auto traceOf = [&](CPointLie* m) {
        auto* v = f.make<CDroiteDirectionFixe>(nat::droite, m, false, 1.0);
        auto* bip = f.make<CIntDroiteCercle>(nat::bipoint, v, small);
        auto* p = f.make<CPointLieBipoint>(nat::pointConstruit, bip, 0);
        auto l = std::make_unique<CLieuDePoints>(&f.list, p, m, 60, false);
        l->prepare();
        return f.add(nat::lieuPoints, std::move(l));
    };
    CLieuDePoints* one = traceOf(f.make<CPointLieDroite>(nat::pointLie, seg, 0.5));
    CLieuDePoints* two = traceOf(f.make<CPointLieCercle>(nat::pointLie, big, 1.0));
    ASSERT_EQ(one->pieceCount, 1);
    ASSERT_EQ(two->pieceCount, 2);
    auto* line = f.make<CDroiteAB>(nat::droite, a, b);
    EXPECT_TRUE(f.make<CSurfaceLieu>(nat::surface, one, 5)->exists);
    EXPECT_TRUE(f.make<CSurfaceLieuDroite>(nat::surface, one, line, 5)->exists);
    std::vector<CSurface*> broken = {
        f.make<CSurfaceLieu>(nat::surface, two, 5),
        f.make<CSurfaceLieuDroite>(nat::surface, two, line, 5),
        f.make<CSurfaceDeuxLieux>(nat::surface, two, one, 5),
        f.make<CSurfaceLieuDeuxPoints>(nat::surface, two, a, b, 5),
    };
    for (CSurface* s : broken) EXPECT_FALSE(s->exists) << s->GetRuntimeClass()->className;
}

TEST_F(SurfaceLocusTest, ALineWhereALocusBelongsIsRefused) {
    CLieuDePoints* l1 = locusOfMidpoint(0, 400, 5);
    auto* d = f.make<CDroiteAB>(nat::droite, f.point(0, 500), f.point(100, 500));
    auto* s = f.make<CSurfaceLieu>(nat::surface, l1, 0);
    std::vector<uint8_t> fields = fieldsOf(*s, f.list);
    fields[fields.size() - 4] = static_cast<uint8_t>(f.list.indexOf(d));
    CSurfaceLieu wrong;
    CArchive ar(CArchive::load, fields);
    ar.setCurrentList(&f.list);
    EXPECT_THROW(wrong.Serialize(ar), CArchiveException);
}
