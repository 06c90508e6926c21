#include "geometry/CPointLie.h"

#include <cmath>

#include "core/CArchive.h"

IMPLEMENT_SERIAL(CPointLie, CPointAncetrePointsMobiles, 1)
IMPLEMENT_SERIAL_VERSIONABLE(CPointLieDroite, CPointLie, 2)
IMPLEMENT_SERIAL(CPointLieCercle, CPointLie, 1)
IMPLEMENT_SERIAL(CPointLiePoint, CPointLie, 1)
IMPLEMENT_SERIAL(CPointLieLigne, CPointLie, 1)

IMPLEMENT_REFS(CPointLieDroite, CPointLie, line)
IMPLEMENT_REFS(CPointLieCercle, CPointLie, circle)
IMPLEMENT_REFS(CPointLiePoint, CPointLie, point)
IMPLEMENT_REFS(CPointLieLigne, CPointLie, line)

using geo::existing;
using geo::kAngleEps;
using geo::kEps;
using geo::kPi;

// ---------------------------------------------------------------------------------------------
// CPointLie

void CPointLie::Serialize(CArchive& ar) {
    CPointAncetrePointsMobiles::Serialize(ar);
    if (ar.IsStoring())
        ar.writeDouble(abscissa);
    else
        abscissa = ar.readDouble();
}

void CPointLie::readPreviousFormat(CArchive& ar) {
    CPointAncetrePointsMobiles::readPreviousFormat(ar);
    abscissa = ar.readDouble();
}

void CPointLie::copyStateFrom(const CElementBase& src) {
    CPointAncetrePointsMobiles::copyStateFrom(src);
    if (const auto* p = dynamic_cast<const CPointLie*>(&src)) abscissa = p->abscissa;
}

bool CPointLie::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* p = static_cast<const CPointLie*>(other);
    return p->getCurve() == getCurve() && std::fabs(p->abscissa - abscissa) < kEps;
}

std::string CPointLie::getConstructionInfo(CElementBase** a, CElementBase** b,
                                           CElementBase** c) const {
    firstParents(a, b, c);
    const auto* l = dynamic_cast<const CElementLigne*>(getCurve());
    return "Point lié à" + (l ? l->getKindText() : std::string());
}

std::string CPointLie::getDescription() const {
    const CElementGraphique* curve = getCurve();
    const std::string name = curve ? curve->getDisplayName() : std::string();
    if (!name.empty()) return describedAs(linkText() + name);
    // An unnamed curve (a hidden line of a template) is told by its kind.
    const auto* l = dynamic_cast<const CElementLigne*>(curve);
    std::string kind = l ? l->getKindText() : std::string();
    if (kind.empty())
        kind = dynamic_cast<const CPointAncetre*>(curve) ? " un autre point" : " une courbe";
    return describedAs("Point lié à" + kind);
}

double CPointLie::getAbscissaMax() const {
    const CElementGraphique* curve = getCurve();
    return curve ? curve->getAbscissaMax() : 1.0;
}

double CPointLie::getAbscissaMin() const {
    const CElementGraphique* curve = getCurve();
    return curve ? curve->getAbscissaMin() : 0.0;
}

bool CPointLie::positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px,
                                  double* py) {
    double t;
    return positionFromMouse(view, mouseX, mouseY, px, py, &t);
}

bool CPointLie::positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px,
                                  double* py, double* t) {
    *t = abscissa;
    return CPointAncetrePointsMobiles::positionFromMouse(view, mouseX, mouseY, px, py);
}

// ---------------------------------------------------------------------------------------------
// CPointLieDroite

void CPointLieDroite::Serialize(CArchive& ar) {
    CPointLie::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsLoading())
        convertBisector = ar.getObjectSchema() < 2 && line->isKindOf(RUNTIME_CLASS(CBissectrice));
}

void CPointLieDroite::readPreviousFormat(CArchive& ar) {
    CPointLie::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    // The earliest files stored bisectors with the non-unit direction too.
    convertBisector = line->isKindOf(RUNTIME_CLASS(CBissectrice));
}

// A copy made before the first computation (the loci built on loading) must rescale too.
std::unique_ptr<CElementBase> CPointLieDroite::getClone(const CListeAction& from,
                                                        const CListeAction& to) const {
    std::unique_ptr<CElementBase> copy = CPointLie::getClone(from, to);
    if (auto* p = dynamic_cast<CPointLieDroite*>(copy.get())) p->convertBisector = convertBisector;
    return copy;
}

void CPointLieDroite::computePosition() {
    exists = existing(line);
    if (!exists) return;
    if (convertBisector) {
        const auto* b = dynamic_cast<const CBissectrice*>(line);
        if (b && b->A && b->O && b->B) {
            const double n1 = std::hypot(b->A->x - b->O->x, b->A->y - b->O->y);
            const double n2 = std::hypot(b->B->x - b->O->x, b->B->y - b->O->y);
            const double sx = (b->A->x - b->O->x) / n1 + (b->B->x - b->O->x) / n2;
            const double sy = (b->A->y - b->O->y) / n1 + (b->B->y - b->O->y) / n2;
            const double k = std::hypot(sx, sy);
            if (std::isfinite(k)) abscissa *= k;
        }
        convertBisector = false;
    }
    setPosition(line->p0x + abscissa * line->wx, line->p0y + abscissa * line->wy);
}

bool CPointLieDroite::isOnLineByConstruction(const CDroite* d) const {
    return d && d == line;
}

bool CPointLieDroite::positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px,
                                        double* py, double* t) {
    if (!existing(line) || (line->wx == 0 && line->wy == 0)) return false;
    double hx, hy;
    line->project(mouseX, mouseY, &hx, &hy);
    if (!line->containsLinePoint(hx, hy) || !view.acceptsPosition(hx, hy)) return false;
    *px = hx;
    *py = hy;
    *t = std::fabs(line->wy) < std::fabs(line->wx) ? (hx - line->p0x) / line->wx
                                                   : (hy - line->p0y) / line->wy;
    return true;
}

// ---------------------------------------------------------------------------------------------
// CPointLieCercle

void CPointLieCercle::Serialize(CArchive& ar) {
    CPointLie::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CPointLieCercle::readPreviousFormat(CArchive& ar) {
    CPointLie::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CPointLieCercle::computePosition() {
    exists = existing(circle);
    if (!exists) return;
    const double ox = circle->centreX, oy = circle->centreY;
    double vx = circle->radius, vy = 0, by = abscissa;
    const auto* arc = dynamic_cast<const CArcDeCercleAncetre*>(circle);
    const int kind = arc ? circle->getArcKind() : 0;
    if (kind != 0) {
        const double a = arc->angle;
        vx = arc->originX - ox;
        vy = arc->originY - oy;
        switch (kind) {
            case 1:
                by = a * abscissa;
                break;
            case 2:
                if (std::fabs(std::fabs(a) - kPi) < kAngleEps || a >= 0)
                    by = -(2 * kPi - std::fabs(a)) * abscissa;
                else
                    by = (2 * kPi - std::fabs(a)) * abscissa;
                break;
            case 3:
                by = (a < 0 ? a + 2 * kPi : a) * abscissa;
                break;
            case 4: {
                const double ux = vx, uy = vy;
                geo::turn(ux, uy, a, &vx, &vy);
                double a2 = -a;
                if (a2 < 0) a2 += 2 * kPi;
                by = a2 * abscissa;
                break;
            }
            default:
                break;
        }
    }
    double rx, ry;
    geo::turn(vx, vy, by, &rx, &ry);
    const double x = ox + rx, y = oy + ry;
    if (!circle->containsCirclePoint(x, y)) {
        exists = false;
        return;
    }
    setPosition(x, y);
}

bool CPointLieCercle::isOnCircleByConstruction(const CCercle* c) const {
    return c && c == circle;
}

bool CPointLieCercle::isCyclic() const {
    return circle && circle->getAbscissaMin() == 0 && circle->getAbscissaMax() == 2 * kPi;
}

bool CPointLieCercle::positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px,
                                        double* py, double* t) {
    if (!existing(circle)) return false;
    const double vx = mouseX - circle->centreX, vy = mouseY - circle->centreY;
    if ((vx == 0 && vy == 0) || !circle->containsCirclePoint(mouseX, mouseY)) return false;
    const double n = std::hypot(vx, vy);
    *px = circle->centreX + circle->radius * vx / n;
    *py = circle->centreY + circle->radius * vy / n;
    *t = circle->abscissaOfAngle(geo::polarAngle(vx, vy));
    return view.acceptsPosition(*px, *py);
}

// ---------------------------------------------------------------------------------------------
// CPointLiePoint

void CPointLiePoint::Serialize(CArchive& ar) {
    CPointLie::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CPointLiePoint::readPreviousFormat(CArchive& ar) {
    CPointLie::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CPointLiePoint::computePosition() {
    exists = existing(point);
    if (exists) setPosition(point->x, point->y);
}

// The abscissa plays no part: the point sits on its parent whatever it is.
bool CPointLiePoint::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CPointLiePoint::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                CElementBase** c) const {
    firstParents(a, b, c);
    return "Point lié à un autre point";
}

bool CPointLiePoint::positionFromMouse(const CViewBounds&, int, int, double*, double*, double* t) {
    // The point follows the point it sits on: the mouse cannot take it elsewhere.
    *t = abscissa;
    return false;
}

// ---------------------------------------------------------------------------------------------
// CPointLieLigne

CPointLieLigne::CPointLieLigne(CLignePolygonaleAncetre* line, double t, int8_t colour,
                               int pointStyle)
    : CPointLie(t, colour, pointStyle), line(line) {
    computeLengths();
}

void CPointLieLigne::Serialize(CArchive& ar) {
    CPointLie::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsLoading()) computeLengths();
}

void CPointLieLigne::readPreviousFormat(CArchive& ar) {
    CPointLie::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    computeLengths();
}

void CPointLieLigne::computeLengths() {
    lengths.clear();
    totalLength = 0;
    if (!line) return;
    const int n = line->vertexCount();
    for (int i = 0; i + 1 < n; ++i) {
        const CPointAncetre* a = line->vertex(i);
        const CPointAncetre* b = line->vertex(i + 1);
        const double len = (a && b) ? std::hypot(b->x - a->x, b->y - a->y) : 0;
        lengths.push_back(len);
        totalLength += len;
    }
}

void CPointLieLigne::computePosition() {
    exists = existing(line);
    if (!exists) return;
    computeLengths();
    if (lengths.empty() || !(totalLength > 0)) {
        exists = false;
        return;
    }
    const int last = static_cast<int>(lengths.size()) - 1;
    double c = 0;
    int i = 0;
    for (;; ++i) {
        if (abscissa <= (c + lengths[i]) / totalLength) break;
        if (i == last) break;
        c += lengths[i];
    }
    const double f = lengths[i] == 0 ? 0 : (abscissa * totalLength - c) / lengths[i];
    const CPointAncetre* a = line->vertex(i);
    const CPointAncetre* b = line->vertex(i + 1);
    setPosition(a->x + f * (b->x - a->x), a->y + f * (b->y - a->y));
}

bool CPointLieLigne::positionFromMouse(const CViewBounds&, int mouseX, int mouseY, double* px,
                                       double* py, double* t) {
    if (!existing(line)) return false;
    computeLengths();
    if (!(totalLength > 0)) return false;
    const int n = line->vertexCount();
    double best = 0, bestX = 0, bestY = 0, before = 0, bestBefore = 0;
    int bestSide = -1;
    for (int i = 0; i + 1 < n; ++i) {
        const CPointAncetre* a = line->vertex(i);
        const CPointAncetre* b = line->vertex(i + 1);
        const double wx = b->x - a->x, wy = b->y - a->y;
        if (wx != 0 || wy != 0) {
            double hx, hy;
            geo::intersectLines(a->x, a->y, wx, wy, mouseX, mouseY, -wy, wx, &hx, &hy);
            const double d = std::hypot(mouseX - hx, mouseY - hy);
            if (geo::onSegment(a->x, a->y, b->x, b->y, hx, hy) && (bestSide < 0 || d < best)) {
                best = d;
                bestX = hx;
                bestY = hy;
                bestSide = i;
                bestBefore = before;
            }
        }
        before += lengths[i];
    }
    if (bestSide < 0) return false;
    const CPointAncetre* a = line->vertex(bestSide);
    *px = bestX;
    *py = bestY;
    *t = (bestBefore + std::hypot(bestX - a->x, bestY - a->y)) / totalLength;
    return true;
}
