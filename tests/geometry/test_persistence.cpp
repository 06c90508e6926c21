// Special rules of the geometric classes in files: the older schemas of arcs and of points on
// a bisector, and references that name an object of the wrong kind. What every class shares is
// checked by the contract suite (tests/contract).
#include <cmath>

#include "GeoFigure.h"
#include "geometry/CCercle.h"
#include "geometry/CPointLie.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class Persistence : public GeoFigureTest {};

TEST_F(Persistence, SchemaOneArcHasNoEndPointIndex) {
    auto* o = f.point(200, 200);
    auto* a = f.point(300, 200);
    f.make<CArcDeCercle>(nat::arc, o, a, CValeurAngle(kPi / 2));
    std::vector<uint8_t> bytes = saveList(f.list);
    const std::string n = "CArcDeCercle";
    const size_t pos = std::search(bytes.begin(), bytes.end(), n.begin(), n.end()) - bytes.begin();
    bytes[pos - 4] = 1;
    // Tail: O, A, -1, constant, reference, then the list's two trailing dwords.
    const size_t minusOne = bytes.size() - 8 - 12 - 4;
    ASSERT_EQ(bytes[minusOne], 0xFF);
    bytes.erase(bytes.begin() + minusOne, bytes.begin() + minusOne + 4);
    CListeAction back;
    GeoFigure::load(bytes, back);
    back.computeAll();
    auto* arc = dynamic_cast<CArcDeCercle*>(back.elementAt(2));
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->B, nullptr);
    EXPECT_TRUE(arc->exists);
    EXPECT_NEAR(arc->angle, kPi / 2, 1e-12);
}

TEST_F(Persistence, SchemaOnePointOnABisectorIsRescaled) {
    auto* bis =
        f.make<CBissectrice>(nat::droite, f.point(200, 100), f.point(100, 100), f.point(100, 0));
    f.make<CPointLieDroite>(nat::pointLie, bis, 10.0);
    std::vector<uint8_t> bytes = saveList(f.list);
    const std::string n = "CPointLieDroite";
    const size_t pos = std::search(bytes.begin(), bytes.end(), n.begin(), n.end()) - bytes.begin();
    ASSERT_EQ(bytes[pos - 4], 2);
    std::vector<uint8_t> old = bytes;
    old[pos - 4] = 1;
    CListeAction back, current;
    GeoFigure::load(old, back);
    GeoFigure::load(bytes, current);
    auto* p = dynamic_cast<CPointLieDroite*>(back.elementAt(4));
    auto* q = dynamic_cast<CPointLieDroite*>(current.elementAt(4));
    ASSERT_TRUE(p && q);
    back.computeAll();
    current.computeAll();
    EXPECT_NEAR(p->x, 110, 1e-9);
    EXPECT_NEAR(p->y, 90, 1e-9);
    EXPECT_NEAR(q->abscissa, 10, 1e-12);
    p->computePosition();  // rescaled once only
    EXPECT_NEAR(p->abscissa, 10 * std::sqrt(2.0), 1e-12);
}

TEST_F(Persistence, DamagedReferencesAreRefused) {
    auto* a = f.point(0, 0);
    auto* s = f.make<CSegment>(nat::segment, a, f.point(10, 0));
    f.make<CMilieu>(nat::pointConstruit, a, a);
    std::vector<uint8_t> bytes = saveList(f.list);
    // The midpoint's second reference (just before the list's trailer) names the segment, an
    // object out of the list, or none where a parent is required.
    const size_t ref = bytes.size() - 8 - 4;
    for (uint32_t v : {static_cast<uint32_t>(f.list.indexOf(s)), 0x7Fu, 0xFFFFFFFFu}) {
        std::vector<uint8_t> copy = bytes;
        for (int k = 0; k < 4; ++k) copy[ref + k] = static_cast<uint8_t>(v >> (8 * k));
        CListeAction back;
        CArchive ar(CArchive::load, copy);
        EXPECT_THROW(back.Serialize(ar), CArchiveException) << v;
    }
}

}  // namespace
