// Every geometric class through the archive: the current format (a whole figure written, read
// and written again byte for byte, then recomputed), the earliest format (each object read back
// with 16-bit references and the older graphic header), schema-1 objects, and clones.
#include <cmath>
#include <cstring>

#include "GeoFigure.h"
#include "geometry/CCercle.h"
#include "geometry/CIntersection.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A figure with an object of every class of the geometry folder.
struct Everything {
    GeoFigure f;
    CPointBase *a, *b, *c, *o;
    CDroiteAB* d;
    CSegment* s;
    CBissectrice* bis;
    CCercleOA* circle;
    CPolygone* poly;
    CLigneBrisee* broken;
    CArcDeCercle* arcByPoint;

    Everything() {
        a = f.point(100, 100, "A");
        b = f.point(300, 120, "B");
        c = f.point(180, 300, "C");
        o = f.point(200, 200, "O");
        b->mobile = false;
        f.make<CMilieu>(nat::pointConstruit, a, b)->setName("M");
        f.make<CCentreGravite>(nat::pointConstruit, a, b, c, 3, 5);
        auto* bar = f.make<CBarycentre>(nat::barycentre, 2, 6);
        bar->addNode(a, CValeurAssocieeAVariable(1));
        bar->addNode(b, CValeurAssocieeAVariable(2.5));
        bar->computePosition();
        f.make<CPointParAbscisse>(nat::pointConstruit, a, b, CValeurAssocieeAVariable(0.25));
        d = f.make<CDroiteAB>(nat::droite, a, b, 4, 1);
        s = f.make<CSegment>(nat::segment, a, c, 2, 2);
        f.make<CPointProjete>(nat::pointConstruit, o, d);
        f.make<CDemiDroiteOA>(nat::demiDroite, o, a);
        f.make<CVecteur>(nat::vecteur, b, c, 2);
        f.make<CDroiteParallele>(nat::droite, c, d);
        auto* per = f.make<CDroitePerpendiculaire>(nat::droite, c, d);
        f.make<CMediatrice>(nat::droite, a, c);
        bis = f.make<CBissectrice>(nat::droite, a, o, b);
        f.make<CDroiteDirectionFixe>(nat::droite, c, false, 10.0);
        f.make<CMarqueSegment>(nat::marqueSegment, s, 3, 5, 1);
        circle = f.make<CCercleOA>(nat::cercle, o, a, 9, 3);
        f.make<CCercleOR>(nat::cercle, o, CValeurAssocieeAVariable(3.0), &f.list);
        f.make<CArcDeCercle>(nat::arc, o, a, CValeurAngle(1.0));
        arcByPoint = f.make<CArcDeCercle>(nat::arc, o, a, c);
        f.make<CGrandArcDeCercle>(nat::arc, o, a, CValeurAngle(-2.0));
        f.make<CArcDeCercleDirect>(nat::arc, o, a, c);
        f.make<CArcDeCercleIndirect>(nat::arc, o, a, CValeurAngle(0.5));
        f.make<CMarqueAngleDroit>(nat::marqueAngle, per, 25.0);
        f.make<CMarqueAngleGeometrique>(nat::marqueAngle, a, o, b, 30.0);
        f.make<CMarqueAngleOriente>(nat::marqueAngle, a, o, b, 30.0, 1);
        f.make<CMarqueAngleOrienteDirecte>(nat::marqueAngle, a, o, b, 30.0, 2);
        f.make<CMarqueAngleOrienteIndirecte>(nat::marqueAngle, a, o, b, 30.0, 3);
        auto* dc = f.make<CIntDroiteCercle>(nat::bipoint, d, circle);
        f.make<CPointLieBipoint>(nat::pointConstruit, dc, 2);
        auto* c2 = f.make<CCercleOA>(nat::cercle, c, a);
        auto* cc = f.make<CIntCercleCercle>(nat::bipoint, circle, c2);
        f.make<CPointLieBipoint>(nat::pointConstruit, cc, 1);
        f.make<CIntDroiteDroite>(nat::pointConstruit, d, s);
        f.make<CAutrePointIntersectionCercles>(nat::pointConstruit, circle, c2, a);
        f.make<CAutrePointIntersectionDroiteCercle>(nat::pointConstruit, circle, d, a);
        f.make<CPointLieDroite>(nat::pointLie, bis, 12.5);
        f.make<CPointLieCercle>(nat::pointLie, circle, 2.0)->mobile = false;
        f.make<CPointLiePoint>(nat::pointLie, c);
        poly = f.make<CPolygone>(nat::polygone, std::vector<CPointAncetre*>{a, b, c, a}, 7, 2);
        broken = f.make<CLigneBrisee>(nat::ligneBrisee, std::vector<CPointAncetre*>{a, b, c});
        f.make<CPointLieLigne>(nat::pointLie, poly, 0.4);
        f.make<CPointLieLigne>(nat::pointLie, broken, 0.7);
        for (CActionAncetre* e : f.list.entries()) {
            auto* g = dynamic_cast<CElementGraphique*>(e->element);
            if (!g) continue;
            g->nameFontIndex = 3;  // the earliest format has no font size: it reads 3
            g->nameOffsetX = 7.5;
        }
        f.computeAll();
    }
};

// Comparable computed state of an object.
std::vector<double> stateOf(const CElementBase* e) {
    std::vector<double> v{e->exists ? 1.0 : 0.0};
    if (const auto* p = dynamic_cast<const CPointAncetre*>(e)) {
        v.insert(v.end(), {p->x, p->y});
    } else if (const auto* d = dynamic_cast<const CDroite*>(e)) {
        v.insert(v.end(), {d->p0x, d->p0y, d->wx, d->wy, d->x1, d->y1, d->x2, d->y2});
    } else if (const auto* c = dynamic_cast<const CCercle*>(e)) {
        v.insert(v.end(), {c->centreX, c->centreY, c->radius});
    } else if (const auto* b = dynamic_cast<const CBipoint*>(e)) {
        for (int i = 1; i <= 2; ++i)
            v.insert(v.end(), {b->point(i)->exists ? 1.0 : 0.0, b->point(i)->x, b->point(i)->y});
    }
    return v;
}

class Persistence : public GeoTest {};

TEST_F(Persistence, CurrentFormatRoundTripOfEveryClass) {
    Everything all;
    std::vector<uint8_t> bytes = all.f.save();
    CListeAction back;
    GeoFigure::load(bytes, back);
    ASSERT_EQ(back.count(), all.f.list.count());
    EXPECT_EQ(saveList(back), bytes);
    back.computeAll();
    for (int i = 0; i < back.count(); ++i) {
        const CElementBase* orig = all.f.list.elementAt(i);
        const CElementBase* read = back.elementAt(i);
        ASSERT_EQ(orig->GetRuntimeClass(), read->GetRuntimeClass());
        EXPECT_EQ(stateOf(orig), stateOf(read)) << orig->GetRuntimeClass()->className;
    }
}

TEST_F(Persistence, SchemaTwoClassesAreWrittenWithSchemaTwo) {
    Everything all;
    std::vector<uint8_t> bytes = all.f.save();
    for (const char* name : {"CArcDeCercle", "CGrandArcDeCercle", "CArcDeCercleDirect",
                             "CArcDeCercleIndirect", "CPointLieDroite"}) {
        const std::string n(name);
        auto it = std::search(bytes.begin(), bytes.end(), n.begin(), n.end());
        ASSERT_NE(it, bytes.end()) << name;
        const size_t pos = it - bytes.begin();
        EXPECT_EQ(bytes[pos - 4], 2) << name;  // schema word before the name's length word
        EXPECT_EQ(bytes[pos - 2], n.size()) << name;
    }
}

TEST_F(Persistence, EarliestFormatOfEveryClass) {
    Everything all;
    for (CActionAncetre* entry : all.f.list.entries()) {
        CElementBase* e = entry->element;
        const std::string cls = e->GetRuntimeClass()->className;
        // Objects with owned object lists have their own test; arcs by end point did not exist.
        if (cls == "CBarycentre" || cls == "CPolygone" || cls == "CLigneBrisee" ||
            e == all.arcByPoint || cls == "CArcDeCercleDirect")
            continue;
        const bool graphic = dynamic_cast<CElementGraphique*>(e) != nullptr;
        std::vector<uint8_t> bytes = earliestBytesOf(*e, all.f.list, e->exists, graphic);
        // The earliest parameter values keep no text: it is rebuilt from the number.
        if (auto* r = dynamic_cast<CCercleOR*>(e))
            bytes.resize(bytes.size() - 1 - r->radiusValue.text.size());
        if (auto* p = dynamic_cast<CPointParAbscisse*>(e))
            bytes.resize(bytes.size() - 1 - p->t.text.size());
        if (dynamic_cast<CArcDeCercle*>(e)) {
            // The earliest arcs have no end point index before their angle (double and word).
            ASSERT_EQ(bytes[bytes.size() - 12], 0xFF);
            bytes.erase(bytes.end() - 12, bytes.end() - 10);
        }
        std::unique_ptr<CObject> read = readEarliest(*e, bytes, all.f.list);
        auto* re = static_cast<CElementBase*>(read.get());
        EXPECT_EQ(re->exists, e->exists) << cls;
        // Bisectors of the earliest files had the non-unit direction.
        if (auto* p = dynamic_cast<CPointLieDroite*>(re)) {
            EXPECT_TRUE(p->convertBisector);
        }
        EXPECT_EQ(fieldsOf(*read, all.f.list), fieldsOf(*e, all.f.list)) << cls;
    }
}

// The earliest header of `g` with its own fields up to the owned list, the list's count
// included; the nodes are appended by the caller.
std::vector<uint8_t> earliestHeader(CObject& emptyCopy, CListeAction& list) {
    std::vector<uint8_t> bytes = earliestBytesOf(emptyCopy, list, true);
    bytes.resize(bytes.size() - 2);  // the count word of an empty list
    return bytes;
}

void appendWord(std::vector<uint8_t>& v, int w) {
    v.push_back(static_cast<uint8_t>(w & 0xFF));
    v.push_back(static_cast<uint8_t>((w >> 8) & 0xFF));
}

void appendDouble(std::vector<uint8_t>& v, double d) {
    uint8_t raw[8];
    std::memcpy(raw, &d, 8);
    v.insert(v.end(), raw, raw + 8);
}

TEST_F(Persistence, EarliestFormatOfPolygonsAndBarycentres) {
    Everything all;
    CListeAction& list = all.f.list;
    // Polygon: count, then each vertex node as tag 1051 and a word index.
    CPolygone empty;
    empty.copyStateFrom(*all.poly);
    empty.colour = all.poly->colour;
    empty.name = all.poly->name;
    empty.nameFontIndex = 3;
    empty.nameOffsetX = all.poly->nameOffsetX;
    empty.lineStyle = all.poly->lineStyle;
    std::vector<uint8_t> bytes = earliestHeader(empty, list);
    appendWord(bytes, 4);
    for (int i = 0; i < 4; ++i) {
        appendWord(bytes, 1051);
        appendWord(bytes, list.indexOf(all.poly->vertex(i)));
    }
    auto read = readEarliest(*all.poly, bytes, list);
    EXPECT_EQ(fieldsOf(*read, list), fieldsOf(*all.poly, list));

    // Barycentre: nodes as tag 1015, the weight (double and word reference), the point.
    auto* bar = dynamic_cast<CBarycentre*>(list.findByNature(nat::barycentre));
    ASSERT_NE(bar, nullptr);
    CBarycentre emptyBar(bar->colour, bar->pointStyle);
    emptyBar.nameFontIndex = 3;
    emptyBar.nameOffsetX = bar->nameOffsetX;
    emptyBar.nameOffsetY = bar->nameOffsetY;
    bytes = earliestHeader(emptyBar, list);
    appendWord(bytes, 2);
    for (const auto& n : bar->nodes) {
        appendWord(bytes, 1015);
        appendDouble(bytes, n->weight.constant);
        appendWord(bytes, 0xFFFF);
        appendWord(bytes, list.indexOf(n->point));
    }
    read = readEarliest(*bar, bytes, list);
    EXPECT_EQ(fieldsOf(*read, list), fieldsOf(*bar, list));
}

TEST_F(Persistence, SchemaOneArcHasNoEndPointIndex) {
    GeoFigure f;
    auto* o = f.point(200, 200);
    auto* a = f.point(300, 200);
    f.make<CArcDeCercle>(nat::arc, o, a, CValeurAngle(kPi / 2));
    std::vector<uint8_t> bytes = f.save();
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
    GeoFigure f;
    auto* bis =
        f.make<CBissectrice>(nat::droite, f.point(200, 100), f.point(100, 100), f.point(100, 0));
    f.make<CPointLieDroite>(nat::pointLie, bis, 10.0);
    std::vector<uint8_t> bytes = f.save();
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
    EXPECT_TRUE(p->convertBisector);
    EXPECT_FALSE(q->convertBisector);
    back.computeAll();
    current.computeAll();
    EXPECT_NEAR(p->x, 110, 1e-9);
    EXPECT_NEAR(p->y, 90, 1e-9);
    EXPECT_NEAR(q->abscissa, 10, 1e-12);
}

TEST_F(Persistence, DamagedReferencesAreRefused) {
    GeoFigure f;
    auto* a = f.point(0, 0);
    auto* s = f.make<CSegment>(nat::segment, a, f.point(10, 0));
    f.make<CMilieu>(nat::pointConstruit, a, a);
    std::vector<uint8_t> bytes = f.save();
    // The midpoint's second reference (just before the list's trailer) names the segment.
    const size_t ref = bytes.size() - 8 - 4;
    bytes[ref] = static_cast<uint8_t>(f.list.indexOf(s));
    CListeAction back;
    std::vector<uint8_t> copy = bytes;
    CArchive ar(CArchive::load, copy);
    EXPECT_THROW(back.Serialize(ar), CArchiveException);
    // Out of the list, and none where a parent is required.
    for (int v : {0x7F, 0xFF}) {
        copy = bytes;
        for (int k = 0; k < 4; ++k)
            copy[ref + k] = static_cast<uint8_t>(v == 0xFF ? 0xFF : k ? 0 : v);
        CListeAction other;
        CArchive ar2(CArchive::load, copy);
        EXPECT_THROW(other.Serialize(ar2), CArchiveException);
    }
}

TEST_F(Persistence, TruncatedFigureIsRefused) {
    Everything all;
    std::vector<uint8_t> bytes = all.f.save();
    for (size_t cut : {bytes.size() - 9, bytes.size() / 2, bytes.size() / 3}) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + cut);
        CListeAction back;
        CArchive ar(CArchive::load, part);
        EXPECT_THROW(back.Serialize(ar), CArchiveException);
    }
}

TEST_F(Persistence, ClonesIntoAnotherListAndCopiedState) {
    Everything all;
    CListeAction copy;
    all.f.list.copyTo(copy);
    ASSERT_EQ(copy.count(), all.f.list.count());
    copy.computeAll();
    for (int i = 0; i < copy.count(); ++i) {
        CElementBase* orig = all.f.list.elementAt(i);
        CElementBase* cl = copy.elementAt(i);
        ASSERT_EQ(orig->GetRuntimeClass(), cl->GetRuntimeClass());
        EXPECT_EQ(stateOf(orig), stateOf(cl)) << orig->GetRuntimeClass()->className;
        EXPECT_EQ(fieldsOf(*orig, all.f.list), fieldsOf(*cl, copy))
            << orig->GetRuntimeClass()->className;
        // Parents are those of the copy.
        CElementBase *x = nullptr, *y = nullptr, *z = nullptr;
        cl->getConstructionInfo(&x, &y, &z);
        for (CElementBase* p : {x, y, z})
            if (p) {
                EXPECT_TRUE(copy.contains(p)) << orig->GetRuntimeClass()->className;
            }
    }
    // copyStateFrom brings the computed state back after the parents moved.
    all.a->x += 50;
    for (int i = 0; i < copy.count(); ++i)
        copy.elementAt(i)->copyStateFrom(*all.f.list.elementAt(i));
    for (int i = 0; i < copy.count(); ++i)
        EXPECT_EQ(stateOf(copy.elementAt(i)), stateOf(all.f.list.elementAt(i)));
}

TEST_F(Persistence, DeletingAPointDeletesItsDependents) {
    Everything all;
    const int before = all.f.list.count();
    all.f.list.deleteWithDependents(all.c);
    EXPECT_LT(all.f.list.count(), before);
    for (CActionAncetre* e : all.f.list.entries()) {
        CElementBase *x = nullptr, *y = nullptr, *z = nullptr;
        e->element->getConstructionInfo(&x, &y, &z);
        for (CElementBase* p : {x, y, z})
            if (p) {
                EXPECT_TRUE(all.f.list.contains(p));
            }
    }
    EXPECT_TRUE(all.f.list.contains(all.d));
    EXPECT_FALSE(all.f.list.contains(all.s));
    EXPECT_FALSE(all.f.list.contains(all.poly));
}

TEST_F(Persistence, WholeFigureDrawsWithinRangeAndDesignatesEverywhere) {
    Everything all;
    // A point far away makes its dependents reach out of the drawable range.
    all.c->x = 60000;
    all.f.computeAll();
    for (bool hideMasked : {true, false}) {
        CRecordingDC dc;
        all.f.list.drawAll(&dc, hideMasked, false);
        all.f.list.eraseAll(&dc, hideMasked, false);
        EXPECT_FALSE(dc.ops.empty());
        for (const auto& op : dc.ops)
            for (int v : op.args) {
                EXPECT_GE(v, -32768) << op.kind;
                EXPECT_LE(v, 32767) << op.kind;
            }
    }
    for (CActionAncetre* e : all.f.list.entries()) {
        auto* g = dynamic_cast<CElementGraphique*>(e->element);
        if (!g) continue;
        for (int x = -100; x <= 1100; x += 100)
            for (int y = -100; y <= 600; y += 100) {
                EXPECT_GE(g->designationDistance(x, y, true), 0) << g->GetRuntimeClass()->className;
            }
    }
}

}  // namespace
