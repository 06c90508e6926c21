#include <cmath>

#include "core/CArchive.h"
#include "core/CPalette.h"
#include "geometry/CCercle.h"

IMPLEMENT_SERIAL(CMarqueAngleAncetre, CCercle, 1)
IMPLEMENT_SERIAL(CMarqueAngleDroit, CMarqueAngleAncetre, 1)
IMPLEMENT_SERIAL(CMarqueAngleGeometrique, CMarqueAngleAncetre, 1)
IMPLEMENT_SERIAL(CMarqueAngleOriente, CMarqueAngleGeometrique, 1)
IMPLEMENT_SERIAL(CMarqueAngleOrienteDirecte, CMarqueAngleOriente, 1)
IMPLEMENT_SERIAL(CMarqueAngleOrienteIndirecte, CMarqueAngleOriente, 1)

IMPLEMENT_REFS(CMarqueAngleDroit, CMarqueAngleAncetre, perpendicular)
IMPLEMENT_REFS(CMarqueAngleGeometrique, CMarqueAngleAncetre, A, O, B)

using geo::existing;
using geo::kAngleEps;
using geo::kEps;
using geo::kPi;

namespace {
bool nearAngle(double a, double b) {
    return std::fabs(a - b) < kAngleEps;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CMarqueAngleAncetre

CMarqueAngleAncetre::CMarqueAngleAncetre(double r, int8_t colour, int lineStyle)
    : CCercle(colour, lineStyle) {
    radius = r;
}

void CMarqueAngleAncetre::Serialize(CArchive& ar) {
    CCercle::Serialize(ar);
    if (ar.IsStoring())
        ar.writeDouble(radius);
    else
        radius = ar.readDouble();
}

void CMarqueAngleAncetre::readPreviousFormat(CArchive& ar) {
    CCercle::readPreviousFormat(ar);
    radius = ar.readDouble();
}

void CMarqueAngleAncetre::copyStateFrom(const CElementBase& src) {
    CCercle::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMarqueAngleAncetre*>(&src)) {
        u1x = m->u1x;
        u1y = m->u1y;
        u2x = m->u2x;
        u2y = m->u2y;
        angle1 = m->angle1;
        angle2 = m->angle2;
        p1x = m->p1x;
        p1y = m->p1y;
        cornerX = m->cornerX;
        cornerY = m->cornerY;
        p2x = m->p2x;
        p2y = m->p2y;
    }
}

void CMarqueAngleAncetre::setSides(double ux1, double uy1, double ux2, double uy2) {
    u1x = ux1;
    u1y = uy1;
    u2x = ux2;
    u2y = uy2;
    angle1 = geo::polarAngle(u1x, u1y);
    angle2 = geo::polarAngle(u2x, u2y);
}

void CMarqueAngleAncetre::computeSquare() {
    const double n1 = std::hypot(u1x, u1y), n2 = std::hypot(u2x, u2y);
    const double e1x = radius * u1x / n1, e1y = radius * u1y / n1;
    const double e2x = radius * u2x / n2, e2y = radius * u2y / n2;
    p1x = centreX + e2x;
    p1y = centreY + e2y;
    cornerX = p1x + e1x;
    cornerY = p1y + e1y;
    p2x = centreX + e1x;
    p2y = centreY + e1y;
}

void CMarqueAngleAncetre::drawSquare(CDC* dc) const {
    const int cx = geo::roundCoord(cornerX), cy = geo::roundCoord(cornerY);
    dc->line(geo::roundCoord(p1x), geo::roundCoord(p1y), cx, cy);
    dc->line(cx, cy, geo::roundCoord(p2x), geo::roundCoord(p2y));
}

void CMarqueAngleAncetre::drawMarkArc(CDC* dc, double a) const {
    const double n1 = std::hypot(u1x, u1y);
    if (n1 == 0) return;
    const double ox = centreX + radius * u1x / n1, oy = centreY + radius * u1y / n1;
    double vx, vy;
    geo::turn(ox - centreX, oy - centreY, a, &vx, &vy);
    const int ax = geo::roundCoord(ox), ay = geo::roundCoord(oy);
    const int ex = geo::roundCoord(centreX + vx), ey = geo::roundCoord(centreY + vy);
    if ((ax == ex && ay == ey) || a == 0) return;
    const LRect b = roundedBox();
    if (a > 0)
        dc->arc(b.left, b.top, b.right, b.bottom, ax, ay, ex, ey);
    else
        dc->arc(b.left, b.top, b.right, b.bottom, ex, ey, ax, ay);
}

int CMarqueAngleAncetre::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    const double theta = geo::polarAngle(mx - centreX, my - centreY);
    const double s = std::min(angle1, angle2), e = std::max(angle1, angle2);
    if (!nearAngle(e - s, kPi)) {
        const bool outside = (e - s > kPi) ? (s < theta && theta < e) : (theta < s || theta >= e);
        if (outside) return kNotDesignable;
    } else {
        // Flat angle: the half turn counter-clockwise from the first side to the second.
        double d = std::fmod(theta - angle1, 2 * kPi);
        if (d < 0) d += 2 * kPi;
        if (d > kPi) return kNotDesignable;
    }
    const double diff = e - s;
    const bool right = nearAngle(diff, kPi / 2) || nearAngle(diff, 3 * kPi / 2);
    if (!right)
        return geo::truncDistance(std::fabs(std::hypot(mx - centreX, my - centreY) - radius));
    auto strokeDistance = [&](double ux, double uy, double fromX, double fromY) {
        double hx, hy;
        geo::intersectLines(cornerX, cornerY, ux, uy, mx, my, -uy, ux, &hx, &hy);
        if (!std::isfinite(hx) || !geo::onSegment(fromX, fromY, cornerX, cornerY, hx, hy))
            return kNotDesignable;
        return geo::truncDistance(std::hypot(mx - hx, my - hy));
    };
    int d = strokeDistance(u1x, u1y, p1x, p1y);
    if (d != kNotDesignable) return d;
    return strokeDistance(u2x, u2y, p2x, p2y);
}

int CMarqueAngleAncetre::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    return CCercle::designationDistanceForLinking(mx, my, hideMasked);
}

// ---------------------------------------------------------------------------------------------
// CMarqueAngleDroit

CMarqueAngleDroit::CMarqueAngleDroit(CDroitePerpendiculaire* perp, double r, int8_t colour,
                                     int lineStyle)
    : CMarqueAngleAncetre(r, colour, lineStyle), perpendicular(perp) {}

void CMarqueAngleDroit::Serialize(CArchive& ar) {
    CMarqueAngleAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CMarqueAngleDroit::readPreviousFormat(CArchive& ar) {
    CMarqueAngleAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CMarqueAngleDroit::computePosition() {
    const CDroite* ref = perpendicular ? perpendicular->d : nullptr;
    if (!existing(perpendicular) || !existing(ref)) {
        exists = false;
        return;
    }
    const CDroitePerpendiculaire& p = *perpendicular;
    const double det = p.wx * ref->wy - p.wy * ref->wx;
    if (det == 0) {
        exists = false;
        return;
    }
    geo::intersectLines(p.p0x, p.p0y, p.wx, p.wy, ref->p0x, ref->p0y, ref->wx, ref->wy, &centreX,
                        &centreY);
    setSides(p.wx, p.wy, ref->wx, ref->wy);
    computeSquare();
    CCercle::computePosition();
}

bool CMarqueAngleDroit::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CMarqueAngleDroit::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                   CElementBase** c) const {
    firstParents(a, b, c);
    return "Marque d'angle droit associé à une perpendiculaire";
}

std::string CMarqueAngleDroit::getDisplayName() const {
    return "Marque d'angle droit associé à la perpendiculaire" + geo::nameOf(perpendicular);
}

void CMarqueAngleDroit::drawCircle(CDC* dc, bool eraseMode, bool hideMasked) {
    if (hideMasked && masked) return;
    if (!geo::inRange(p1x, p1y) || !geo::inRange(cornerX, cornerY) || !geo::inRange(p2x, p2y))
        return;
    selectCurvePen(dc, eraseMode, hideMasked);
    drawSquare(dc);
}

// ---------------------------------------------------------------------------------------------
// CMarqueAngleGeometrique

CMarqueAngleGeometrique::CMarqueAngleGeometrique(CPointAncetre* a, CPointAncetre* o,
                                                 CPointAncetre* b, double r, int8_t colour,
                                                 int lineStyle)
    : CMarqueAngleAncetre(r, colour, lineStyle), A(a), O(o), B(b) {}

void CMarqueAngleGeometrique::Serialize(CArchive& ar) {
    CMarqueAngleAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CMarqueAngleGeometrique::readPreviousFormat(CArchive& ar) {
    CMarqueAngleAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CMarqueAngleGeometrique::copyStateFrom(const CElementBase& src) {
    CMarqueAngleAncetre::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMarqueAngleGeometrique*>(&src))
        rightAngle = m->rightAngle;
}

void CMarqueAngleGeometrique::computePosition() {
    auto same = [](const CPointAncetre* p, const CPointAncetre* q) {
        return std::fabs(p->x - q->x) < kEps && std::fabs(p->y - q->y) < kEps;
    };
    if (!existing(A) || !existing(O) || !existing(B) || same(O, A) || same(O, B)) {
        exists = false;
        return;
    }
    centreX = O->x;
    centreY = O->y;
    setSides(A->x - O->x, A->y - O->y, B->x - O->x, B->y - O->y);
    const double diff = std::fabs(angle2 - angle1);
    rightAngle = nearAngle(diff, kPi / 2) || nearAngle(diff, 3 * kPi / 2);
    if (rightAngle) computeSquare();
    CCercle::computePosition();
}

bool CMarqueAngleGeometrique::coincidesWith(const CElementBase* other) const {
    // The vertex is the middle slot: the swap of hasSameRefsAs does not apply.
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* m = static_cast<const CMarqueAngleGeometrique*>(other);
    if (m->O != O) return false;
    if (m->A == A && m->B == B) return true;
    return !isKindOf(RUNTIME_CLASS(CMarqueAngleOriente)) && m->A == B && m->B == A;
}

std::string CMarqueAngleGeometrique::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                         CElementBase** c) const {
    firstParents(a, b, c);
    return markKindText();
}

std::string CMarqueAngleGeometrique::getDisplayName() const {
    return markKindText() + " de " + geo::nameOf(A) + geo::nameOf(O) + geo::nameOf(B);
}

bool CMarqueAngleGeometrique::parentsInRange() const {
    return A && O && B && !A->outOfRange && !O->outOfRange && !B->outOfRange;
}

void CMarqueAngleGeometrique::drawCircle(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!parentsInRange() || (hideMasked && masked)) return;
    selectCurvePen(dc, eraseMode, hideMasked);
    if (rightAngle)
        drawSquare(dc);
    else
        drawMarkArc(dc, geo::signedAngle(u1x, u1y, u2x, u2y));
}

// ---------------------------------------------------------------------------------------------
// Oriented marks

CMarqueAngleOriente::CMarqueAngleOriente(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b,
                                         double r, int arrowStyle, int8_t colour, int lineStyle)
    : CMarqueAngleGeometrique(a, o, b, r, colour, lineStyle), arrowStyle(arrowStyle) {}

void CMarqueAngleOriente::Serialize(CArchive& ar) {
    CMarqueAngleGeometrique::Serialize(ar);
    if (ar.IsStoring())
        ar.writeByte(static_cast<uint8_t>(arrowStyle));
    else
        arrowStyle = ar.readByte();
}

void CMarqueAngleOriente::readPreviousFormat(CArchive& ar) {
    CMarqueAngleGeometrique::readPreviousFormat(ar);
    arrowStyle = ar.readByte();
}

void CMarqueAngleOriente::copyStateFrom(const CElementBase& src) {
    CMarqueAngleGeometrique::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMarqueAngleOriente*>(&src)) {
        arrowStyle = m->arrowStyle;
        arrowX = m->arrowX;
        arrowY = m->arrowY;
        tipX = m->tipX;
        tipY = m->tipY;
    }
}

void CMarqueAngleOriente::computePosition() {
    CMarqueAngleGeometrique::computePosition();
    if (!exists) return;
    const double n2 = std::hypot(u2x, u2y);
    u2x = u2x / n2 * radius;
    u2y = u2y / n2 * radius;
    const double theta = geo::signedAngle(u1x, u1y, u2x, u2y);
    const double delta = arrowLength() / radius;
    double turnBy;
    switch (sense()) {
        case Sense::direct:
            turnBy = -kPi / 2 - delta;
            break;
        case Sense::indirect:
            turnBy = kPi / 2 + delta;
            break;
        case Sense::byAngle:
        default:
            if (std::fabs(theta) < kEps) {
                exists = false;
                return;
            }
            if (nearAngle(std::fabs(theta), kPi))
                turnBy = -kPi / 2;
            else if (theta > 0)
                turnBy = -kPi / 2 - delta;
            else
                turnBy = kPi / 2 + delta;
            break;
    }
    geo::turn(u2x, u2y, turnBy, &arrowX, &arrowY);
    tipX = centreX + u2x;
    tipY = centreY + u2y;
}

void CMarqueAngleOriente::drawArrow(CDC* dc, bool eraseMode) const {
    const int c = eraseMode ? 0 : colour;
    dc->selectPen(CPalette::thinPen(c));
    dc->selectBrush(CBrushDesc::solidBrush(CPalette::colour(c)));
    drawArrowhead(dc, tipX, tipY, arrowX, arrowY, arrowStyle, 60, 40);
}

void CMarqueAngleOriente::drawCircle(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!parentsInRange() || (hideMasked && masked)) return;
    if (sense() == Sense::byAngle) {
        CMarqueAngleGeometrique::drawCircle(dc, eraseMode, hideMasked);
    } else {
        selectCurvePen(dc, eraseMode, hideMasked);
        const double n1 = std::hypot(u1x, u1y);
        const int ax = geo::roundCoord(centreX + radius * u1x / n1);
        const int ay = geo::roundCoord(centreY + radius * u1y / n1);
        const int bx = geo::roundCoord(tipX), by = geo::roundCoord(tipY);
        const LRect b = roundedBox();
        if (sense() == Sense::direct)
            dc->arc(b.left, b.top, b.right, b.bottom, ax, ay, bx, by);
        else
            dc->arc(b.left, b.top, b.right, b.bottom, bx, by, ax, ay);
    }
    drawArrow(dc, eraseMode);
}
