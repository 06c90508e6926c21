// Polygons and broken lines: existence, drawing, designation and names.
#include "GeoFigure.h"
#include "core/CPalette.h"
#include "geometry/CPolygone.h"

namespace {

class Polygons : public GeoFigureTest {};

TEST_F(Polygons, TriangleIsDrawnClosedAndDesignatedByItsNearestSide) {
    CPalette::resetPalette();
    auto* a = f.point(0, 0, "A");
    auto* b = f.point(100, 0, "B");
    auto* c = f.point(100, 99.5, "C");
    auto* poly = f.make<CPolygone>(nat::polygone, std::vector<CPointAncetre*>{a, b, c, a}, 3, 2);
    CRecordingDC dc;
    poly->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "polyline"),
              (std::vector<std::vector<int>>{{0, 0, 100, 0, 100, 100, 0, 0}}));
    EXPECT_EQ(dc.ops[0].pen, CPalette::pen(2, 3));
    EXPECT_EQ(poly->designationDistance(50, -39, true), 39);
    EXPECT_EQ(poly->designationDistanceForLinking(139, 50, true), 39);
    EXPECT_EQ(poly->designationDistance(300, 300, true), kNotDesignable);
    b->x = 40000;  // a vertex out of range removes the polygon
    f.computeAll();
    EXPECT_FALSE(poly->exists);
}

TEST_F(Polygons, BrokenLineNamesBreakEveryTwentyVertices) {
    std::vector<CPointAncetre*> pts;
    for (int i = 0; i < 22; ++i) pts.push_back(f.point(i * 10, 0, std::string(1, 'A' + i)));
    auto* l = f.make<CLigneBrisee>(nat::ligneBrisee, pts);
    EXPECT_EQ(l->getDisplayName(), "Ligne brisée ABCDEFGHIJKLMNOPQRST\nUV");
}

}  // namespace
