// Polygons and broken lines: existence, drawing, designation and names.
#include "GeoFigure.h"
#include "core/CPalette.h"
#include "geometry/CPolygone.h"

namespace {

class Polygons : public GeoTest {};

TEST_F(Polygons, TriangleIsDrawnClosed) {
    CPalette::resetPalette();
    GeoFigure f;
    auto* a = f.point(0, 0, "A");
    auto* b = f.point(100, 0, "B");
    auto* c = f.point(100, 99.5, "C");
    auto* poly = f.make<CPolygone>(nat::polygone, std::vector<CPointAncetre*>{a, b, c, a}, 3, 2);
    ASSERT_TRUE(poly->exists);
    CRecordingDC dc;
    poly->draw(&dc, true);
    EXPECT_EQ(argsOf(dc, "polyline"),
              (std::vector<std::vector<int>>{{0, 0, 100, 0, 100, 100, 0, 0}}));
    EXPECT_EQ(dc.ops[0].pen, CPalette::pen(2, 3));
    EXPECT_EQ(poly->getDisplayName(), "Polygone ABCA");
    EXPECT_EQ(poly->getKindText(), " un polygone");
    EXPECT_TRUE(poly->isClosed());
    // Designation: the nearest side, at 39 and 40.
    EXPECT_EQ(poly->designationDistance(50, -39, true), 39);
    EXPECT_EQ(poly->designationDistance(50, -40, true), 40);
    EXPECT_EQ(poly->designationDistanceForLinking(139, 50, true), 39);
    EXPECT_EQ(poly->designationDistance(300, 300, true), kNotDesignable);
    EXPECT_TRUE(poly->dependsOn(b));
}

TEST_F(Polygons, AVertexOutOfRangeRemovesIt) {
    GeoFigure f;
    auto* a = f.point(0, 0);
    auto* b = f.point(40000, 0);
    auto* c = f.point(0, 100);
    auto* poly = f.make<CPolygone>(nat::polygone, std::vector<CPointAncetre*>{a, b, c, a});
    EXPECT_FALSE(poly->exists);
    EXPECT_EQ(poly->designationDistance(0, 0, false), kNotDesignable);
}

TEST_F(Polygons, BrokenLineNamesBreakEveryTwentyVertices) {
    GeoFigure f;
    std::vector<CPointAncetre*> pts;
    for (int i = 0; i < 22; ++i) pts.push_back(f.point(i * 10, 0, std::string(1, 'A' + i)));
    auto* l = f.make<CLigneBrisee>(nat::ligneBrisee, pts);
    EXPECT_EQ(l->getDisplayName(), "Ligne brisée ABCDEFGHIJKLMNOPQRST\nUV");
    EXPECT_EQ(l->getKindText(), " une ligne brisée");
    EXPECT_FALSE(l->isClosed());
    EXPECT_EQ(l->getAbscissaMin(), 0.0);
    EXPECT_EQ(l->getAbscissaMax(), 1.0);
}

TEST_F(Polygons, ReplaceReferenceAndCoincidence) {
    GeoFigure f;
    auto* a = f.point(0, 0);
    auto* b = f.point(10, 0);
    auto* c = f.point(0, 10);
    auto* d = f.point(20, 20);
    CLigneBrisee l1({a, b, c}), l2({a, b, c}), l3({a, c, b});
    EXPECT_TRUE(l1.coincidesWith(&l2));
    EXPECT_FALSE(l1.coincidesWith(&l3));
    l1.replaceReference(c, d);
    EXPECT_EQ(l1.vertex(2), d);
    EXPECT_FALSE(l1.dependsOn(c));
    // Every node naming the point, the closing one too; a line is no vertex.
    CPolygone p({a, b, c, a});
    p.replaceReference(a, d);
    EXPECT_EQ(p.refs(), (std::vector<CElementBase*>{d, b, c, d}));
    auto* s = f.make<CSegment>(nat::segment, a, b);
    p.replaceReference(d, s);
    EXPECT_EQ(p.vertex(0), d);
}

}  // namespace
