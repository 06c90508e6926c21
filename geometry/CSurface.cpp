#include "geometry/CSurface.h"

#include <cmath>

#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CPalette.h"

IMPLEMENT_SERIAL(CSurfaceAncetre, CElementGraphique, 1)
IMPLEMENT_SERIAL(CSurfaceRemplie, CSurfaceAncetre, 1)
IMPLEMENT_SERIAL(CSurface, CElementGraphique, 1)
IMPLEMENT_SERIAL(CSurfacePolygone, CSurface, 1)
IMPLEMENT_SERIAL(CSurfaceDisque, CSurface, 1)
IMPLEMENT_SERIAL(CSurfaceSecteurCirculaire, CSurface, 1)
IMPLEMENT_SERIAL(CDemiPlan, CSurface, 1)
IMPLEMENT_SERIAL(CObjetDuplique, CElementGraphique, 1)

using geo::existing;

namespace surf {

const std::array<uint8_t, 8>& dottedPattern() {
    static const std::array<uint8_t, 8> kDots = {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00};
    return kDots;
}

CBrushDesc fillBrush(int style, COLORREF colour) {
    switch (style) {
        case 0:
            return CBrushDesc::hatchBrush(HS_VERTICAL, colour);
        case 1:
            return CBrushDesc::hatchBrush(HS_HORIZONTAL, colour);
        case 2:
            return CBrushDesc::hatchBrush(HS_FDIAGONAL, colour);
        case 3:
            return CBrushDesc::hatchBrush(HS_BDIAGONAL, colour);
        case 4:
            return CBrushDesc::patternBrush(dottedPattern(), colour);
        case kCrossHatch:
            return CBrushDesc::hatchBrush(HS_DIAGCROSS, colour);
        default:
            return CBrushDesc::solidBrush(colour);
    }
}

std::string fillStyleText(int style) {
    static const char* const kTexts[kFillStyles] = {
        "Remplissage : Quadrillage vertical",
        "Remplissage : Quadrillage horizontal",
        "Remplissage : Quadrillage oblique vers le bas",
        "Remplissage : Quadrillage oblique vers le haut",
        "Remplissage : pointillés",
        "Remplissage : plein",
        "Remplissage : Quadrillage croisé",
    };
    return style >= 0 && style < kFillStyles ? kTexts[style] : "";
}

bool selectFill(CDC* dc, const CElementGraphique& surface, int fillStyle, bool eraseMode,
                bool hideMasked) {
    if (hideMasked && surface.masked) return false;
    const int style = surface.masked ? kCrossHatch : fillStyle;
    const COLORREF c = CPalette::colour(eraseMode ? 0 : surface.colour);
    dc->selectPen(CPenDesc{PS_NULL, 1, 0, c});
    dc->selectBrush(fillBrush(style, c));
    dc->setBkMode(BK_TRANSPARENT);
    return true;
}

std::string textOf(const CElementBase* e) {
    if (!e) return "";
    std::string n = geo::nameOf(e);
    return n.empty() ? e->getDisplayName() : n;
}

}  // namespace surf

// ---------------------------------------------------------------------------------------------
// CSurfaceAncetre

void CSurfaceAncetre::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    if (ar.IsStoring())
        ar.writeInt(fillStyle);
    else
        fillStyle = ar.readInt();
}

void CSurfaceAncetre::readPreviousFormat(CArchive& ar) {
    CElementGraphique::readPreviousFormat(ar);
    fillStyle = ar.readInt();
}

std::string CSurfaceAncetre::getStatusText() const {
    return joinStatus(CElementGraphique::getStatusText(), surf::fillStyleText(fillStyle));
}

// ---------------------------------------------------------------------------------------------
// CSurfaceRemplie

CSurfaceRemplie::CSurfaceRemplie() : bounds(std::make_unique<CSousListeAction>()) {}

CSurfaceRemplie::CSurfaceRemplie(CPointAncetre* start,
                                 const std::vector<CElementGraphique*>& boundObjects,
                                 const CListeAction* figure, int fillStyle, int8_t colour)
    : CSurfaceAncetre(fillStyle, colour),
      start(start),
      bounds(std::make_unique<CSousListeAction>()) {
    for (CElementGraphique* g : boundObjects) {
        const CActionAncetre* e = figure ? figure->entryOf(g) : nullptr;
        bounds->append(new CActionSousListe(e ? e->nature : Nature{0}, g));
    }
}

CSurfaceRemplie::~CSurfaceRemplie() = default;

CElementGraphique* CSurfaceRemplie::boundAt(int i) const {
    return bounds ? dynamic_cast<CElementGraphique*>(bounds->elementAt(i)) : nullptr;
}

void CSurfaceRemplie::readBounds(CArchive& ar) {
    bounds = std::make_unique<CSousListeAction>();
    bounds->Serialize(ar);
    // Only references to drawn objects of the figure make a boundary.
    for (CActionAncetre* e : bounds->entries())
        if (!dynamic_cast<CActionSousListe*>(e) || !dynamic_cast<CElementGraphique*>(e->element))
            ar.failBadReference();
}

// The bounding objects stand in the entries of a sub-list: each entry's object is a slot too,
// after the start point.
void CSurfaceRemplie::forEachRef(CRefVisitor& v) {
    CSurfaceAncetre::forEachRef(v);
    forEachOwnRef(v);
    if (bounds)
        for (CActionAncetre* e : bounds->entries()) v(e->element);
}

void CSurfaceRemplie::forEachOwnRef(CRefVisitor& v) {
    v(start);
}

void CSurfaceRemplie::Serialize(CArchive& ar) {
    CSurfaceAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsStoring())
        bounds->Serialize(ar);
    else
        readBounds(ar);
}

void CSurfaceRemplie::readPreviousFormat(CArchive& ar) {
    CSurfaceAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    readBounds(ar);
}

void CSurfaceRemplie::computePosition() {
    exists = existing(start) && !start->outOfRange;
    for (int i = 0; exists && i < boundCount(); ++i) exists = existing(boundAt(i));
}

void CSurfaceRemplie::fill(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    // The bounding objects are drawn solid in the surface's colour so that the fill stops at
    // them, whatever their own colour, style or mask.
    const int n = boundCount();
    for (int i = 0; i < n; ++i) {
        CElementGraphique* g = boundAt(i);
        if (!g) continue;
        const int8_t ownColour = g->colour;
        const bool ownMask = g->masked;
        g->setColour(colour);
        g->masked = false;
        g->draw(dc, false);
        g->setColour(ownColour);
        g->masked = ownMask;
    }
    surf::selectFill(dc, *this, fillStyle, false, hideMasked);
    if (eraseMode) dc->selectBrush(CBrushDesc::solidBrush(CPalette::colour(0)));
    dc->floodFill(geo::roundCoord(start->x), geo::roundCoord(start->y), CPalette::colour(colour));
    for (int i = 0; i < n; ++i)
        if (CElementGraphique* g = boundAt(i)) g->draw(dc, hideMasked);
}

void CSurfaceRemplie::draw(CDC* dc, bool hideMasked) {
    fill(dc, false, hideMasked);
}

void CSurfaceRemplie::erase(CDC* dc, bool hideMasked) {
    fill(dc, true, hideMasked);
}

int CSurfaceRemplie::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    int best = kNotDesignable;
    for (int i = 0; i < boundCount(); ++i) {
        CElementGraphique* g = boundAt(i);
        if (!g) continue;
        const int d = g->designationDistanceForLinking(mx, my, false);
        if (d >= 0 && d < best) best = d;
    }
    return best;
}

// Only a drawn object stops the fill: the bounds' slots, which hold any object, take no other.
void CSurfaceRemplie::replaceReference(CElementBase* old, CElementBase* repl) {
    if (dynamic_cast<CElementGraphique*>(repl)) CSurfaceAncetre::replaceReference(old, repl);
}

void CSurfaceRemplie::replaceInSubLists(CActionAncetre* old, CActionAncetre* repl) {
    if (!old || !repl || !dynamic_cast<CElementGraphique*>(repl->element)) return;
    for (CActionAncetre* e : bounds->entries())
        if (e->element == old->element) {
            e->element = repl->element;
            e->nature = repl->nature;
        }
}

// The same start point and the same bounds, in any order.
bool CSurfaceRemplie::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* s = static_cast<const CSurfaceRemplie*>(other);
    return s->start == start && s->bounds->sameElements(*bounds);
}

std::string CSurfaceRemplie::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                 CElementBase** c) const {
    firstParents(a, b, c);
    return "Surface obtenue par remplissage ";
}

std::string CSurfaceRemplie::getDescription() const {
    std::string s = name.empty() ? std::string() : "Surface " + name + " : ";
    s += "Surface obtenue par remplissage à partir du point " + geo::nameOf(start) + "\n" +
         "jusqu'à la rencontre de :";
    for (int i = 0; i < boundCount(); ++i) s += "\n      " + surf::textOf(boundAt(i));
    return s;
}

// ---------------------------------------------------------------------------------------------
// CSurface

bool CSurface::acceptsBoundary(const CElementBase* e) const {
    return dynamic_cast<const CElementGraphique*>(e) != nullptr;
}

IMPLEMENT_REFS(CSurface, CElementGraphique, boundary)

void CSurface::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    if (ar.IsStoring())
        ar.writeInt(fillStyle);
    else
        fillStyle = ar.readInt();
    serializeOwnRefs(ar, *this);
    if (ar.IsLoading() && !acceptsBoundary(boundary)) ar.failBadReference();
}

void CSurface::readPreviousFormat(CArchive& ar) {
    CElementGraphique::readPreviousFormat(ar);
    fillStyle = ar.readInt();
    serializeOwnRefs(ar, *this);
    if (!acceptsBoundary(boundary)) ar.failBadReference();
}

void CSurface::computePosition() {
    exists = existing(boundary);
}

void CSurface::fill(CDC* dc) {
    if (polygon.size() >= 3) dc->polygon(polygon);
}

void CSurface::paint(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!exists || !surf::selectFill(dc, *this, fillStyle, eraseMode, hideMasked)) return;
    fill(dc);
}

void CSurface::draw(CDC* dc, bool hideMasked) {
    paint(dc, false, hideMasked);
}

void CSurface::erase(CDC* dc, bool hideMasked) {
    paint(dc, true, hideMasked);
}

int CSurface::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked) || !boundary) return kNotDesignable;
    return boundary->designationDistanceForLinking(mx, my, false);
}

// The slot holds any drawn object, but each kind of surface is bounded by one kind only.
void CSurface::replaceReference(CElementBase* old, CElementBase* repl) {
    CElementGraphique* kept = boundary;
    CElementGraphique::replaceReference(old, repl);
    if (!acceptsBoundary(boundary)) boundary = kept;
}

bool CSurface::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

bool CSurface::sameBoundaryAs(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    return static_cast<const CSurface*>(other)->boundary == boundary;
}

std::string CSurface::getStatusText() const {
    return joinStatus(CElementGraphique::getStatusText(), surf::fillStyleText(fillStyle));
}

std::string CSurface::getConstructionInfo(CElementBase** a, CElementBase** b,
                                          CElementBase** c) const {
    firstParents(a, b, c);
    return kindText();
}

std::string CSurface::namedPrefix() const {
    return name.empty() ? std::string() : "Surface " + name + " : ";
}

std::string CSurface::getDescription() const {
    return namedPrefix() + "Surface délimitée par " + surf::textOf(boundary);
}

// ---------------------------------------------------------------------------------------------
// Polygon, disc and sector

bool CSurfacePolygone::acceptsBoundary(const CElementBase* e) const {
    return dynamic_cast<const CPolygone*>(e) != nullptr;
}

void CSurfacePolygone::computePosition() {
    const auto* p = static_cast<const CPolygone*>(boundary);
    exists = existing(p);
    if (exists) polygon = p->positions;
}

bool CSurfaceDisque::acceptsBoundary(const CElementBase* e) const {
    return dynamic_cast<const CCercle*>(e) != nullptr;
}

void CSurfaceDisque::fill(CDC* dc) {
    const auto* c = static_cast<const CCercle*>(boundary);
    dc->ellipse(geo::roundCoord(c->left), geo::roundCoord(c->top), geo::roundCoord(c->right),
                geo::roundCoord(c->bottom));
}

bool CSurfaceSecteurCirculaire::acceptsBoundary(const CElementBase* e) const {
    return dynamic_cast<const CArcDeCercleAncetre*>(e) != nullptr;
}

void CSurfaceSecteurCirculaire::fill(CDC* dc) {
    const auto* arc = static_cast<const CArcDeCercleAncetre*>(boundary);
    double ex, ey;
    // Direct and indirect arcs keep the end they are drawn to.
    if (const auto* d = dynamic_cast<const CArcDeCercleDirect*>(arc)) {
        ex = d->endX;
        ey = d->endY;
    } else {
        arc->endPoint(&ex, &ey);
    }
    const int ax = geo::roundCoord(arc->originX), ay = geo::roundCoord(arc->originY);
    const int rx = geo::roundCoord(ex), ry = geo::roundCoord(ey);
    const int l = geo::roundCoord(arc->left), t = geo::roundCoord(arc->top);
    const int r = geo::roundCoord(arc->right), b = geo::roundCoord(arc->bottom);
    // The pie runs counter-clockwise from its first ray to its second.
    bool fromOrigin = true;
    switch (arc->getArcKind()) {
        case 1:
            if ((ax == rx && ay == ry) || arc->angle == 0) return;
            fromOrigin = arc->angle > 0;
            break;
        case 2:
            fromOrigin =
                arc->angle <= 0 && std::fabs(std::fabs(arc->angle) - geo::kPi) >= geo::kAngleEps;
            break;
        case 3:
            fromOrigin = true;
            break;
        case 4:
            fromOrigin = false;
            break;
        default:
            dc->ellipse(l, t, r, b);
            return;
    }
    if (fromOrigin)
        dc->pie(l, t, r, b, ax, ay, rx, ry);
    else
        dc->pie(l, t, r, b, rx, ry, ax, ay);
}

// ---------------------------------------------------------------------------------------------
// CDemiPlan

CDroite* CDemiPlan::border() const {
    return static_cast<CDroite*>(boundary);
}

bool CDemiPlan::acceptsBoundary(const CElementBase* e) const {
    return dynamic_cast<const CDroite*>(e) != nullptr;
}

IMPLEMENT_REFS(CDemiPlan, CSurface, M)

void CDemiPlan::Serialize(CArchive& ar) {
    CSurface::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CDemiPlan::readPreviousFormat(CArchive& ar) {
    CSurface::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CDemiPlan::computePosition() {
    exists = false;
    polygon.clear();
    const CDroite* d = border();
    if (!existing(d) || !existing(M) || M->liesOnLine(d)) return;
    const double nx = d->wy, ny = -d->wx;
    const double c = -(nx * d->p0x + ny * d->p0y);
    auto sign = [](double v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
    side = sign(nx * M->x + ny * M->y + c);
    if (side == 0) return;
    const LSize win = activeDrawingArea();
    const double cx[4] = {0, static_cast<double>(win.cx), static_cast<double>(win.cx), 0};
    const double cy[4] = {0, 0, static_cast<double>(win.cy), static_cast<double>(win.cy)};
    double v[4];
    for (int i = 0; i < 4; ++i) v[i] = nx * cx[i] + ny * cy[i] + c;
    // Round the window: each corner on the point's side (or on the border), then the border's
    // crossing of the edge that leaves it, if any.
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        const int si = sign(v[i]), sj = sign(v[j]);
        if (si == side || si == 0)
            polygon.push_back({geo::roundCoord(cx[i]), geo::roundCoord(cy[i])});
        if (si * sj < 0) {
            const double t = v[i] / (v[i] - v[j]);
            polygon.push_back({geo::roundCoord(cx[i] + t * (cx[j] - cx[i])),
                               geo::roundCoord(cy[i] + t * (cy[j] - cy[i]))});
        }
    }
    exists = true;
}

bool CDemiPlan::coincidesWith(const CElementBase* other) const {
    if (!sameBoundaryAs(other)) return false;
    const auto* h = static_cast<const CDemiPlan*>(other);
    // The same border and the other's point on the same side.
    if (!existing(h->M) || !existing(border())) return h->M == M;
    const CDroite* d = border();
    const double v = d->wy * h->M->x - d->wx * h->M->y - (d->wy * d->p0x - d->wx * d->p0y);
    return (v > 0 ? 1 : v < 0 ? -1 : 0) == side;
}

std::string CDemiPlan::getDescription() const {
    return "Demi-plan de bord " + surf::textOf(boundary) + " et contenant le point " +
           geo::nameOf(M);
}

// ---------------------------------------------------------------------------------------------
// CObjetDuplique

template <class F>
void CObjetDuplique::asDuplicate(F&& f) {
    const bool own = object->masked;
    object->masked = masked;
    f();
    object->masked = own;
}

IMPLEMENT_REFS(CObjetDuplique, CElementGraphique, object)

void CObjetDuplique::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CObjetDuplique::readPreviousFormat(CArchive& ar) {
    CElementGraphique::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CObjetDuplique::computePosition() {
    exists = existing(object);
}

void CObjetDuplique::draw(CDC* dc, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    asDuplicate([&] { object->draw(dc, hideMasked); });
}

void CObjetDuplique::erase(CDC* dc, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    asDuplicate([&] { object->erase(dc, hideMasked); });
}

int CObjetDuplique::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    int d = kNotDesignable;
    asDuplicate([&] { d = object->designationDistance(mx, my, hideMasked); });
    return d;
}

bool CObjetDuplique::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CObjetDuplique::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                CElementBase** c) const {
    firstParents(a, b, c);
    return "Objet dupliqué de : " + surf::textOf(object);
}

std::string CObjetDuplique::getDescription() const {
    return "Objet dupliqué de " + surf::textOf(object);
}
