#include "geometry/CPolygone.h"

#include "core/CArchive.h"
#include "core/CPalette.h"

IMPLEMENT_SERIAL(CNoeudPointeurSurPoint, CObject, 1)
IMPLEMENT_SERIAL(CLignePolygonaleAncetre, CElementLigne, 1)
IMPLEMENT_SERIAL(CPolygone, CLignePolygonaleAncetre, 1)
IMPLEMENT_SERIAL(CLigneBrisee, CLignePolygonaleAncetre, 1)

// ---------------------------------------------------------------------------------------------
// CNoeudPointeurSurPoint

void CNoeudPointeurSurPoint::Serialize(CArchive& ar) {
    serializeOwnRefs(ar, *this);
}

void CNoeudPointeurSurPoint::readPreviousFormat(CArchive& ar) {
    serializeOwnRefs(ar, *this);
}

// ---------------------------------------------------------------------------------------------
// CLignePolygonaleAncetre

CLignePolygonaleAncetre::CLignePolygonaleAncetre()
    : auxA_(std::make_unique<CPointBase>(0, 0)),
      auxB_(std::make_unique<CPointBase>(0, 0)),
      auxSegment_(std::make_unique<CSegment>(auxA_.get(), auxB_.get())) {}

CLignePolygonaleAncetre::CLignePolygonaleAncetre(const std::vector<CPointAncetre*>& points,
                                                 int8_t colour, int lineStyle, CListeAction* figure)
    : CElementLigne(colour, lineStyle),
      figure(figure),
      auxA_(std::make_unique<CPointBase>(0, 0)),
      auxB_(std::make_unique<CPointBase>(0, 0)),
      auxSegment_(std::make_unique<CSegment>(auxA_.get(), auxB_.get(), colour, lineStyle)) {
    setVertices(points);
}

void CLignePolygonaleAncetre::setVertices(const std::vector<CPointAncetre*>& points) {
    vertices.clear();
    for (CPointAncetre* p : points) vertices.push_back(std::make_unique<CNoeudPointeurSurPoint>(p));
    positions.assign(vertices.size(), LPoint{});
}

void CLignePolygonaleAncetre::syncAuxiliary() {
    auxSegment_->colour = colour;
    auxSegment_->lineStyle = lineStyle;
}

void CLignePolygonaleAncetre::Serialize(CArchive& ar) {
    CElementLigne::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeCount(static_cast<uint32_t>(vertices.size()));
        for (const auto& v : vertices) ar.writeObject(v.get());
    } else {
        readVertices(ar, false);
    }
}

void CLignePolygonaleAncetre::readPreviousFormat(CArchive& ar) {
    CElementLigne::readPreviousFormat(ar);
    readVertices(ar, true);
}

void CLignePolygonaleAncetre::readVertices(CArchive& ar, bool previous) {
    figure = ar.currentList();
    const uint32_t n = ar.readCount();
    ar.checkCount(n, 2);
    vertices.clear();
    for (uint32_t i = 0; i < n; ++i) {
        std::unique_ptr<CNoeudPointeurSurPoint> node =
            previous ? ar.readPreviousObjectOf<CNoeudPointeurSurPoint>()
                     : ar.readObjectOf<CNoeudPointeurSurPoint>();
        if (!node)
            CArchive::fail(CArchiveException::badFormat,
                           "Sommet manquant dans un polygone ou une ligne brisée.");
        vertices.push_back(std::move(node));
    }
    positions.assign(vertices.size(), LPoint{});
    syncAuxiliary();
}

void CLignePolygonaleAncetre::copyStateFrom(const CElementBase& src) {
    CElementLigne::copyStateFrom(src);
    if (const auto* l = dynamic_cast<const CLignePolygonaleAncetre*>(&src))
        positions = l->positions;
}

void CLignePolygonaleAncetre::draw(CDC* dc, bool hideMasked) {
    if (exists) drawPolyline(dc, false, hideMasked);
}

void CLignePolygonaleAncetre::erase(CDC* dc, bool hideMasked) {
    if (exists) drawPolyline(dc, true, hideMasked);
}

void CLignePolygonaleAncetre::computePosition() {
    exists = vertices.size() >= 2;
    positions.resize(vertices.size());
    for (size_t i = 0; i < vertices.size() && exists; ++i) {
        const CPointAncetre* p = vertices[i]->point;
        if (!geo::existing(p) || p->outOfRange) {
            exists = false;
            break;
        }
        positions[i] = {geo::roundCoord(p->x), geo::roundCoord(p->y)};
    }
}

void CLignePolygonaleAncetre::forEachRef(CRefVisitor& v) {
    CElementLigne::forEachRef(v);
    for (auto& node : vertices) node->forEachOwnRef(v);
}

bool CLignePolygonaleAncetre::coincidesWith(const CElementBase* other) const {
    // The same vertices in the same order.
    return hasSameRefsAs(other);
}

std::string CLignePolygonaleAncetre::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                         CElementBase** c) const {
    firstParents(a, b, c);
    std::string kind = kindName();
    while (!kind.empty() && kind.back() == ' ') kind.pop_back();
    return kind;
}

std::string CLignePolygonaleAncetre::getDisplayName() const {
    std::string s = kindName();
    for (size_t i = 0; i < vertices.size(); ++i) {
        if (i > 0 && i % 20 == 0) s += "\n";
        s += geo::nameOf(vertices[i]->point);
    }
    return s;
}

int CLignePolygonaleAncetre::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    int best = kNotDesignable;
    for (size_t i = 0; i + 1 < vertices.size(); ++i) {
        const CPointAncetre* a = vertices[i]->point;
        const CPointAncetre* b = vertices[i + 1]->point;
        auxA_->x = a->x;
        auxA_->y = a->y;
        auxB_->x = b->x;
        auxB_->y = b->y;
        auxA_->exists = auxB_->exists = true;
        auxSegment_->computePosition();
        const int d = auxSegment_->designationDistance(mx, my, false);
        if (d < best) best = d;
    }
    return best;
}

int CLignePolygonaleAncetre::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    return designationDistance(mx, my, hideMasked);
}

void CLignePolygonaleAncetre::setColour(int8_t index) {
    colour = index;
    syncAuxiliary();
}

void CLignePolygonaleAncetre::setLineStyle(uint8_t style) {
    lineStyle = style;
    syncAuxiliary();
}

void CLignePolygonaleAncetre::drawPolyline(CDC* dc, bool eraseMode, bool hideMasked) {
    if (hideMasked && masked) return;
    dc->selectPen(CPalette::pen(drawingStyle(hideMasked), eraseMode ? 0 : colour));
    dc->setBkMode(BK_TRANSPARENT);
    dc->polyline(positions);
}
