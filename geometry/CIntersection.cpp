#include "geometry/CIntersection.h"

#include <cmath>

#include "core/CArchive.h"

IMPLEMENT_SERIAL(CBipoint, CElementBase, 1)
IMPLEMENT_SERIAL(CIntDroiteCercle, CBipoint, 1)
IMPLEMENT_SERIAL(CIntCercleCercle, CBipoint, 1)
IMPLEMENT_SERIAL(CPointLieBipoint, CPointAncetre, 1)
IMPLEMENT_SERIAL(CIntDroiteDroite, CPointAncetre, 1)
IMPLEMENT_SERIAL(CAutrePointIntersectionCercles, CPointAncetre, 1)
IMPLEMENT_SERIAL(CAutrePointIntersectionDroiteCercle, CPointAncetre, 1)

IMPLEMENT_REFS(CIntDroiteCercle, CBipoint, d, c)
IMPLEMENT_REFS(CIntCercleCercle, CBipoint, c1, c2)
IMPLEMENT_REFS(CPointLieBipoint, CPointAncetre, bipoint)
IMPLEMENT_REFS(CIntDroiteDroite, CPointAncetre, d1, d2)
IMPLEMENT_REFS(CAutrePointIntersectionCercles, CPointAncetre, c1, c2, A)
IMPLEMENT_REFS(CAutrePointIntersectionDroiteCercle, CPointAncetre, c, d, A)

using geo::existing;
using geo::kEps;

namespace geo {
int intersectLineLine(double Px, double Py, double px, double py, double Qx, double Qy, double qx,
                      double qy, double* x, double* y) {
    const double k = (qy * px - py * qx) / std::hypot(px, py) / std::hypot(qx, qy);
    if (!(std::fabs(k) >= kEps))
        return collinear(Qx - Px, Qy - Py, px, py) ? kLinesSame : kLinesParallel;
    intersectLines(Px, Py, px, py, Qx, Qy, qx, qy, x, y);
    return kLinesMeet;
}

int intersectLineCircle(double Px, double Py, double wx, double wy, double Cx, double Cy, double r,
                        TwoPoints* out) {
    const double dy = Py - Cy;
    const double dot = (Px - Cx) * wx + dy * wy;
    const double cr = dy * wx - (Px - Cx) * wy;
    const double nn = wx * wx + wy * wy;
    const double dist = std::fabs(cr) / std::sqrt(nn);
    if (std::fabs(dist - r) < kEps) {
        out->x1 = out->x2 = Px - dot / nn * wx;
        out->y1 = out->y2 = Py - dot / nn * wy;
        return kLineCircleTangent;
    }
    if (!(dist <= r)) return kLineCircleNone;
    const double root = std::sqrt(nn * r * r - cr * cr);
    const double t1 = (root - dot) / nn, t2 = (-root - dot) / nn;
    out->x1 = Px + t1 * wx;
    out->y1 = Py + t1 * wy;
    out->x2 = Px + t2 * wx;
    out->y2 = Py + t2 * wy;
    return kLineCircleTwo;
}

int intersectCircleCircle(double C1x, double C1y, double r1, double C2x, double C2y, double r2,
                          TwoPoints* out) {
    if (C1x == C2x && C1y == C2y) return r1 == r2 ? kCirclesSame : kCirclesNone;
    const double mx = (C1x + C2x) / 2, my = (C1y + C2y) / 2;
    const double d = std::hypot(C2x - C1x, C2y - C1y);
    const double vx = (C2x - C1x) / d, vy = (C2y - C1y) / d;
    const double k = (r1 * r1 - r2 * r2) / (2 * d);
    const double hx = mx + k * vx, hy = my + k * vy;
    switch (intersectLineCircle(hx, hy, -vy, vx, C1x, C1y, r1, out)) {
        case kLineCircleTwo:
            return kCirclesTwo;
        case kLineCircleTangent:
            return kCirclesTangent;
        default:
            return kCirclesNone;
    }
}
}  // namespace geo

namespace {
bool onLine(const CDroite* d, double x, double y) {
    return d->containsLinePoint(x, y);
}
bool onCircle(const CCercle* c, double x, double y) {
    return c->containsCirclePoint(x, y);
}

// The other common point: the solution that is not the known point A.
void placeOther(CPointAncetre& self, bool tangent, bool two, const geo::TwoPoints& s, bool on1,
                bool on2, const CPointAncetre* A) {
    self.exists = false;
    if (tangent) {
        if (on1) self.setPosition(s.x1, s.y1);
        return;
    }
    if (!two) return;
    const double d1 = std::hypot(s.x1 - A->x, s.y1 - A->y);
    const double d2 = std::hypot(s.x2 - A->x, s.y2 - A->y);
    if (on1 && on2) {
        if (d1 < kEps)
            self.setPosition(s.x2, s.y2);
        else
            self.setPosition(s.x1, s.y1);
    } else if (on1) {
        if (d1 >= 0.0001) self.setPosition(s.x1, s.y1);
    } else if (on2) {
        if (d2 >= 0.0001) self.setPosition(s.x2, s.y2);
    }
}

std::string kindOf(const CElementBase* e) {
    if (const auto* l = dynamic_cast<const CElementLigne*>(e)) return l->getKindText();
    return "";
}

std::string displayOf(const CElementBase* e) {
    return e ? e->getDisplayName() : "";
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CBipoint

CBipoint::CBipoint()
    : p1_(std::make_unique<CPointAncetre>(0, 1)), p2_(std::make_unique<CPointAncetre>(0, 1)) {}

void CBipoint::copyStateFrom(const CElementBase& src) {
    CElementBase::copyStateFrom(src);
    if (const auto* b = dynamic_cast<const CBipoint*>(&src)) {
        p1_->copyStateFrom(*b->p1_);
        p2_->copyStateFrom(*b->p2_);
    }
}

void CBipoint::computePosition() {
    exists = p1_->exists || p2_->exists;
}

CElementBase* CBipoint::getParent(bool) const {
    return nullptr;
}

bool CBipoint::isOnCircleByConstruction(const CCercle*) const {
    return false;
}

bool CBipoint::isOnLineByConstruction(const CDroite*) const {
    return false;
}

void CBipoint::place(int solution, bool ok, double x, double y) {
    CPointAncetre* p = point(solution);
    if (ok)
        p->setPosition(x, y);
    else
        p->exists = false;
}

std::string CBipoint::kindOfIntersection() const {
    return "Intersection d'" + kindOf(getParent(false)) + " avec " + kindOf(getParent(true));
}

// ---------------------------------------------------------------------------------------------
// CIntDroiteCercle

void CIntDroiteCercle::Serialize(CArchive& ar) {
    CBipoint::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CIntDroiteCercle::readPreviousFormat(CArchive& ar) {
    CBipoint::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CIntDroiteCercle::computePosition() {
    point(1)->exists = point(2)->exists = false;
    if (existing(d) && existing(c) && (d->wx != 0 || d->wy != 0)) {
        geo::TwoPoints s;
        const int r = geo::intersectLineCircle(d->p0x, d->p0y, d->wx, d->wy, c->centreX, c->centreY,
                                               c->radius, &s);
        if (r == geo::kLineCircleTwo || r == geo::kLineCircleTangent)
            place(1, onLine(d, s.x1, s.y1) && onCircle(c, s.x1, s.y1), s.x1, s.y1);
        if (r == geo::kLineCircleTwo)
            place(2, onLine(d, s.x2, s.y2) && onCircle(c, s.x2, s.y2), s.x2, s.y2);
    }
    CBipoint::computePosition();
}

bool CIntDroiteCercle::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CIntDroiteCercle::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                  CElementBase** cc) const {
    firstParents(a, b, cc);
    return kindOfIntersection();
}

CElementBase* CIntDroiteCercle::getParent(bool second) const {
    return second ? static_cast<CElementBase*>(c) : d;
}

bool CIntDroiteCercle::isOnCircleByConstruction(const CCercle* circle) const {
    return circle && circle == c;
}

bool CIntDroiteCercle::isOnLineByConstruction(const CDroite* line) const {
    return line && line == d;
}

// ---------------------------------------------------------------------------------------------
// CIntCercleCercle

void CIntCercleCercle::Serialize(CArchive& ar) {
    CBipoint::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CIntCercleCercle::readPreviousFormat(CArchive& ar) {
    CBipoint::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CIntCercleCercle::computePosition() {
    point(1)->exists = point(2)->exists = false;
    if (existing(c1) && existing(c2)) {
        geo::TwoPoints s;
        const int r = geo::intersectCircleCircle(c1->centreX, c1->centreY, c1->radius, c2->centreX,
                                                 c2->centreY, c2->radius, &s);
        auto both = [&](double x, double y) { return onCircle(c1, x, y) && onCircle(c2, x, y); };
        if (r == geo::kCirclesTwo || r == geo::kCirclesTangent)
            place(1, both(s.x1, s.y1), s.x1, s.y1);
        if (r == geo::kCirclesTwo) place(2, both(s.x2, s.y2), s.x2, s.y2);
    }
    CBipoint::computePosition();
}

// Not symmetric: the circles given the other way round number their solutions the other way.
bool CIntCercleCercle::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CIntCercleCercle::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                  CElementBase** c) const {
    firstParents(a, b, c);
    return kindOfIntersection();
}

CElementBase* CIntCercleCercle::getParent(bool second) const {
    return second ? c2 : c1;
}

bool CIntCercleCercle::isOnCircleByConstruction(const CCercle* circle) const {
    return circle && (circle == c1 || circle == c2);
}

// ---------------------------------------------------------------------------------------------
// CPointLieBipoint

CPointLieBipoint::CPointLieBipoint(CBipoint* bipoint, int solution, int8_t colour, int pointStyle)
    : CPointAncetre(colour, pointStyle), bipoint(bipoint), solution(solution) {}

void CPointLieBipoint::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    if (ar.IsStoring())
        ar.writeByte(static_cast<uint8_t>(solution));
    else
        solution = ar.readByte() == 2 ? 2 : 1;
    serializeOwnRefs(ar, *this);
}

void CPointLieBipoint::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    solution = ar.readByte() == 2 ? 2 : 1;
    serializeOwnRefs(ar, *this);
}

void CPointLieBipoint::computePosition() {
    const CPointAncetre* p = bipoint ? bipoint->point(solution) : nullptr;
    exists = existing(bipoint) && existing(p);
    if (exists) setPosition(p->x, p->y);
}

std::string CPointLieBipoint::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                  CElementBase** c) const {
    CElementBase* first = bipoint ? bipoint->getParent(false) : nullptr;
    CElementBase* second = bipoint ? bipoint->getParent(true) : nullptr;
    if (a) *a = first;
    if (b) *b = second;
    if (c) *c = nullptr;
    return "Point d'intersection\r\n(" + kindOf(first) + " avec" + kindOf(second) + ")";
}

std::string CPointLieBipoint::getDescription() const {
    CElementBase* first = bipoint ? bipoint->getParent(false) : nullptr;
    CElementBase* second = bipoint ? bipoint->getParent(true) : nullptr;
    return describedAs("Point d'intersection de " + displayOf(first) + " avec " +
                       displayOf(second));
}

bool CPointLieBipoint::isOnCircleByConstruction(const CCercle* c) const {
    return bipoint && bipoint->isOnCircleByConstruction(c);
}

bool CPointLieBipoint::isOnLineByConstruction(const CDroite* d) const {
    return bipoint && bipoint->isOnLineByConstruction(d);
}

// ---------------------------------------------------------------------------------------------
// CIntDroiteDroite

CIntDroiteDroite::CIntDroiteDroite(CDroite* d1, CDroite* d2, int8_t colour, int pointStyle)
    : CPointAncetre(colour, pointStyle), d1(d1), d2(d2) {}

void CIntDroiteDroite::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CIntDroiteDroite::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CIntDroiteDroite::computePosition() {
    exists = false;
    if (!existing(d1) || !existing(d2)) return;
    if ((d1->wx == 0 && d1->wy == 0) || (d2->wx == 0 && d2->wy == 0)) return;
    double x, y;
    if (geo::intersectLineLine(d1->p0x, d1->p0y, d1->wx, d1->wy, d2->p0x, d2->p0y, d2->wx, d2->wy,
                               &x, &y) != geo::kLinesMeet)
        return;
    if (!d1->containsLinePoint(x, y) || !d2->containsLinePoint(x, y)) return;
    setPosition(x, y);
}

bool CIntDroiteDroite::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other, true);
}

std::string CIntDroiteDroite::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                  CElementBase** c) const {
    firstParents(a, b, c);
    return "Intersection d'" + kindOf(d1) + " avec " + kindOf(d2);
}

std::string CIntDroiteDroite::getDescription() const {
    return describedAs("Point d'intersection de " + displayOf(d1) + " avec " + displayOf(d2));
}

bool CIntDroiteDroite::isOnLineByConstruction(const CDroite* d) const {
    return d && (d == d1 || d == d2);
}

// ---------------------------------------------------------------------------------------------
// Other intersection points

namespace {
std::string otherDescription(const CElementBase* first, const CElementBase* second,
                             const CElementBase* known) {
    return "Deuxième point d'intersection de \n      " + displayOf(first) + " avec " +
           displayOf(second) + "\n      autre que " + geo::nameOf(known);
}
}  // namespace

CAutrePointIntersectionCercles::CAutrePointIntersectionCercles(CCercle* c1, CCercle* c2,
                                                               CPointAncetre* a, int8_t colour,
                                                               int pointStyle)
    : CPointAncetre(colour, pointStyle), c1(c1), c2(c2), A(a) {}

void CAutrePointIntersectionCercles::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CAutrePointIntersectionCercles::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CAutrePointIntersectionCercles::computePosition() {
    exists = false;
    if (!existing(c1) || !existing(c2) || !A) return;
    geo::TwoPoints s;
    const int r = geo::intersectCircleCircle(c1->centreX, c1->centreY, c1->radius, c2->centreX,
                                             c2->centreY, c2->radius, &s);
    auto both = [&](double x, double y) { return onCircle(c1, x, y) && onCircle(c2, x, y); };
    placeOther(*this, r == geo::kCirclesTangent, r == geo::kCirclesTwo, s, both(s.x1, s.y1),
               both(s.x2, s.y2), A);
}

bool CAutrePointIntersectionCercles::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other, true);
}

std::string CAutrePointIntersectionCercles::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                                CElementBase** c) const {
    firstParents(a, b, c);
    return "Point d'intersection de deux cercles autre que ...";
}

std::string CAutrePointIntersectionCercles::getDescription() const {
    return describedAs(otherDescription(c1, c2, A));
}

bool CAutrePointIntersectionCercles::isOnCircleByConstruction(const CCercle* c) const {
    return c && (c == c1 || c == c2);
}

CAutrePointIntersectionDroiteCercle::CAutrePointIntersectionDroiteCercle(CCercle* c, CDroite* d,
                                                                         CPointAncetre* a,
                                                                         int8_t colour,
                                                                         int pointStyle)
    : CPointAncetre(colour, pointStyle), c(c), d(d), A(a) {}

void CAutrePointIntersectionDroiteCercle::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CAutrePointIntersectionDroiteCercle::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CAutrePointIntersectionDroiteCercle::computePosition() {
    exists = false;
    if (!existing(c) || !existing(d) || !A || (d->wx == 0 && d->wy == 0)) return;
    geo::TwoPoints s;
    const int r = geo::intersectLineCircle(d->p0x, d->p0y, d->wx, d->wy, c->centreX, c->centreY,
                                           c->radius, &s);
    auto both = [&](double x, double y) { return onLine(d, x, y) && onCircle(c, x, y); };
    placeOther(*this, r == geo::kLineCircleTangent, r == geo::kLineCircleTwo, s, both(s.x1, s.y1),
               both(s.x2, s.y2), A);
}

bool CAutrePointIntersectionDroiteCercle::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CAutrePointIntersectionDroiteCercle::getConstructionInfo(CElementBase** a,
                                                                     CElementBase** b,
                                                                     CElementBase** cc) const {
    firstParents(a, b, cc);
    return "Point d'intersection droite-cercle autre que ...";
}

std::string CAutrePointIntersectionDroiteCercle::getDescription() const {
    return describedAs(otherDescription(c, d, A));
}

bool CAutrePointIntersectionDroiteCercle::isOnCircleByConstruction(const CCercle* circle) const {
    return circle && circle == c;
}

bool CAutrePointIntersectionDroiteCercle::isOnLineByConstruction(const CDroite* line) const {
    return line && line == d;
}
