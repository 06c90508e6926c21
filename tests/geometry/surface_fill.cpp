// Surfaces bounded by polygons, circles and arcs, half-planes, flood fills and duplicated
// objects: fill styles, masks, shapes and the references their files may hold.
#include <gtest/gtest.h>

#include "core/CPalette.h"
#include "geometry/CSurface.h"
#include "geometry/GeoFigure.h"

namespace {

class SurfaceTest : public GeoFigureTest {};

struct FillCase {
    int style;
    CBrushDesc::Kind kind;
    int hatch;
    const char* text;
};

class SurfaceFillStyles : public SurfaceTest, public ::testing::WithParamInterface<FillCase> {};

CSurfaceDisque* disc(GeoFigure& f, int style) {
    auto* c = f.make<CCercleOA>(nat::cercle, f.point(500, 250, "O"), f.point(600.4, 250, "A"));
    return f.make<CSurfaceDisque>(nat::surface, c, style, 3);
}

}  // namespace

TEST_P(SurfaceFillStyles, BrushAndStatusText) {
    CSurfaceDisque* s = disc(f, GetParam().style);
    CRecordingDC dc;
    s->draw(&dc, true);
    ASSERT_EQ(dc.ops.size(), 1u);
    const CRecordingDC::Op& op = dc.ops[0];
    EXPECT_EQ(op.args, (std::vector<int>{400, 150, 600, 350}));  // 599.6 and 600.4 rounded
    EXPECT_EQ(op.pen.style, PS_NULL);
    EXPECT_EQ(op.brush.kind, GetParam().kind);
    EXPECT_EQ(op.brush.colour, CPalette::colour(3));
    EXPECT_EQ(op.brush.hatch, GetParam().hatch);
    EXPECT_EQ(s->getStatusText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Styles, SurfaceFillStyles,
                         ::testing::Values(FillCase{0, CBrushDesc::hatched, HS_VERTICAL,
                                                    "Remplissage : Quadrillage vertical"},
                                           FillCase{4, CBrushDesc::pattern, 0,
                                                    "Remplissage : pointillés"},
                                           FillCase{5, CBrushDesc::solid, 0, "Remplissage : plein"},
                                           FillCase{6, CBrushDesc::hatched, HS_DIAGCROSS,
                                                    "Remplissage : Quadrillage croisé"},
                                           // A style no version wrote: filled solid, no text.
                                           FillCase{9, CBrushDesc::solid, 0, ""}));

TEST_F(SurfaceTest, MaskedSurfaceIsCrossHatchedWhenShownAndHiddenOtherwise) {
    CSurfaceDisque* s = disc(f, 5);
    s->masked = true;
    CRecordingDC dc;
    s->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
    s->draw(&dc, false);
    ASSERT_EQ(dc.ops.size(), 1u);
    EXPECT_EQ(dc.ops[0].brush, CBrushDesc::hatchBrush(HS_DIAGCROSS, CPalette::colour(3)));
    EXPECT_EQ(s->getStatusText(), "masqué  , Remplissage : plein");
    EXPECT_EQ(s->designationDistance(600, 250, true), kNotDesignable);
    EXPECT_EQ(s->getConstructionInfo(nullptr, nullptr, nullptr), "Surface délimitée par un cercle");
}

TEST_F(SurfaceTest, PolygonSurfaceAndItsOutOfRangeVertex) {
    auto* a = f.point(100.4, 100);
    auto* b = f.point(399.6, 100);
    auto* p =
        f.make<CPolygone>(nat::polygone, std::vector<CPointAncetre*>{a, b, f.point(250, 300), a});
    auto* s = f.make<CSurfacePolygone>(nat::surface, p, 5, 2);
    CRecordingDC dc;
    s->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "polygon"),
              (std::vector<std::vector<int>>{{100, 100, 400, 100, 250, 300, 100, 100}}));
    // Picked on the boundary only.
    EXPECT_EQ(s->designationDistance(250, 110, true), 10);
    EXPECT_GT(s->designationDistance(250, 180, true), 60);
    b->x = 40000;
    f.computeAll();
    EXPECT_FALSE(s->exists);
}

TEST_F(SurfaceTest, SectorPieRunsCounterClockwiseFromItsFirstRay) {
    auto* o = f.point(500, 250);
    auto* a = f.point(700, 250);
    auto* b = f.point(500, 150);  // a quarter turn counter-clockwise from A
    CRecordingDC dc;
    f.make<CSurfaceSecteurCirculaire>(nat::surface, f.make<CArcDeCercle>(nat::arc, o, a, b), 5)
        ->draw(&dc, true);
    f.make<CSurfaceSecteurCirculaire>(nat::surface, f.make<CArcDeCercleIndirect>(nat::arc, o, a, b),
                                      5)
        ->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "pie"),
              (std::vector<std::vector<int>>{{300, 50, 700, 450, 700, 250, 500, 50},
                                             {300, 50, 700, 450, 500, 50, 700, 250}}));
}

// Half-planes in the 1000 x 500 window: border through (ax, ay) and (bx, by), point M.
struct HalfPlaneCase {
    const char* name;
    double ax, ay, bx, by, mx, my;
    std::vector<int> polygon;
};

class HalfPlanes : public SurfaceTest, public ::testing::WithParamInterface<HalfPlaneCase> {};

TEST_P(HalfPlanes, WindowPolygonOnThePointsSide) {
    const HalfPlaneCase& c = GetParam();
    auto* d = f.make<CDroiteAB>(nat::droite, f.point(c.ax, c.ay), f.point(c.bx, c.by));
    auto* h = f.make<CDemiPlan>(nat::demiPlan, d, f.point(c.mx, c.my, "M"), 5);
    ASSERT_TRUE(h->exists);
    std::vector<int> flat;
    for (const LPoint& p : h->polygon) {
        flat.push_back(p.x);
        flat.push_back(p.y);
    }
    EXPECT_EQ(flat, c.polygon);
}

INSTANTIATE_TEST_SUITE_P(
    Corners, HalfPlanes,
    ::testing::Values(
        HalfPlaneCase{"one", 100, 0, 0, 100, 10, 10, {0, 0, 100, 0, 0, 100}},
        HalfPlaneCase{"two", 300, 0, 300, 100, 10, 10, {0, 0, 300, 0, 300, 500, 0, 500}},
        HalfPlaneCase{
            "three", 100, 0, 0, 100, 900, 400, {100, 0, 1000, 0, 1000, 500, 0, 500, 0, 100}},
        HalfPlaneCase{"none", -100, 0, -100, 100, -200, 10, {}},
        HalfPlaneCase{"diagonal", 0, 0, 1000, 500, 900, 10, {0, 0, 1000, 0, 1000, 500}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SurfaceTest, HalfPlaneNeedsAPointOffItsBorder) {
    auto* d = f.make<CDroiteAB>(nat::droite, f.point(100, 100), f.point(300, 200));
    auto* m = f.point(500, 300, "M");
    auto* h = f.make<CDemiPlan>(nat::demiPlan, d, m, 1);
    EXPECT_FALSE(h->exists);
    m->moveBy(0, 1);
    f.computeAll();
    EXPECT_TRUE(h->exists);
}

TEST_F(SurfaceTest, DuplicateDrawsTheObjectWithItsOwnMask) {
    auto* c = f.make<CCercleOA>(nat::cercle, f.point(500, 250), f.point(600, 250), 4, 2);
    c->masked = true;
    auto* dup = f.make<CObjetDuplique>(nat::objetDuplique, c);
    CRecordingDC dc;
    dup->draw(&dc, true);
    ASSERT_EQ(dc.opsOfKind("ellipse").size(), 1u);
    EXPECT_EQ(dc.opsOfKind("ellipse")[0].pen, CPalette::pen(2, 4));
    c->masked = false;
    dup->masked = true;
    dc.clear();
    dup->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
    dup->draw(&dc, false);
    EXPECT_EQ(dc.opsOfKind("ellipse")[0].pen, CPalette::pen(1, 4));
}

TEST_F(SurfaceTest, FloodFillStopsAtItsBoundsThenRedrawsThem) {
    auto* c = f.make<CCercleOA>(nat::cercle, f.point(500, 250), f.point(600, 250), 3, 0);
    auto* s = f.make<CSegment>(nat::segment, f.point(400, 100), f.point(600, 100), 2, 0);
    s->masked = true;
    auto* r = f.make<CSurfaceRemplie>(nat::surface, f.point(510, 260),
                                      std::vector<CElementGraphique*>{c, s}, &f.list, 0, 5);
    CRecordingDC dc;
    r->draw(&dc, true);
    ASSERT_EQ(dc.ops.size(), 4u);  // the masked segment is not drawn again under hideMasked
    EXPECT_EQ(dc.ops[0].pen.colour, CPalette::colour(5));
    EXPECT_EQ(dc.ops[1].pen, CPalette::pen(0, 5));
    EXPECT_EQ(dc.ops[2].kind, "floodFill");
    EXPECT_EQ(dc.ops[2].args, (std::vector<int>{510, 260}));
    EXPECT_EQ(dc.ops[2].brush, CBrushDesc::hatchBrush(HS_VERTICAL, CPalette::colour(5)));
    EXPECT_EQ(dc.ops[3].kind, "ellipse");
    EXPECT_EQ(dc.ops[3].pen.colour, CPalette::colour(3));
    s->exists = false;
    r->computePosition();
    EXPECT_FALSE(r->exists);
}

TEST_F(SurfaceTest, BoundaryOfTheWrongKindIsRefused) {
    CSurfaceDisque* s = disc(f, 1);
    std::vector<uint8_t> bytes = fieldsOf(*s, f.list);
    auto readAs = [&](const CRuntimeClass* cls, std::vector<uint8_t> data) {
        std::unique_ptr<CObject> o2 = cls->create();
        CArchive ar(CArchive::load, data);
        ar.setCurrentList(&f.list);
        o2->Serialize(ar);
    };
    EXPECT_NO_THROW(readAs(RUNTIME_CLASS(CSurfaceDisque), bytes));
    EXPECT_THROW(readAs(RUNTIME_CLASS(CSurfacePolygone), bytes), CArchiveException);
    bytes[bytes.size() - 4] = 0;  // the boundary is now a point
    EXPECT_THROW(readAs(RUNTIME_CLASS(CSurfaceDisque), bytes), CArchiveException);
}

TEST_F(SurfaceTest, FloodFillBoundsCutShortAreRefused) {
    auto* o = f.point(500, 250);
    auto* c = f.make<CCercleOA>(nat::cercle, o, f.point(600, 250));
    auto* r =
        f.make<CSurfaceRemplie>(nat::surface, o, std::vector<CElementGraphique*>{c}, &f.list, 4);
    std::vector<uint8_t> bytes = fieldsOf(*r, f.list);
    bytes.pop_back();
    CSurfaceRemplie broken;
    CArchive ar(CArchive::load, bytes);
    ar.setCurrentList(&f.list);
    EXPECT_THROW(broken.Serialize(ar), CArchiveException);
}
