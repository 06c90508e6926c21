#include "geometry/CCercle.h"

#include <cmath>

#include "core/CArchive.h"
#include "core/CPalette.h"

IMPLEMENT_SERIAL(CCercle, CElementLigne, 1)
IMPLEMENT_SERIAL(CCercleOA, CCercle, 1)
IMPLEMENT_SERIAL(CArcDeCercleAncetre, CCercle, 1)

using geo::existing;
using geo::kAngleEps;
using geo::kEps;
using geo::kPi;

namespace geo {
double polarAngle(double x, double y) {
    if (x == 0) {
        if (y == 0) return 0;
        return y > 0 ? 3 * kPi / 2 : kPi / 2;
    }
    double a = x < 0 ? kPi - std::atan(y / x) : std::atan(-y / x);
    if (a < 0) a += 2 * kPi;
    return a;
}

double reduceAngle(double a) {
    if (std::fabs(std::fabs(a) - kPi) < kAngleEps) return kPi;
    return a - 2 * kPi * std::floor((a + kPi) / (2 * kPi));
}
}  // namespace geo

// ---------------------------------------------------------------------------------------------
// CCercle

void CCercle::copyStateFrom(const CElementBase& src) {
    CElementLigne::copyStateFrom(src);
    if (const auto* c = dynamic_cast<const CCercle*>(&src)) {
        centreX = c->centreX;
        centreY = c->centreY;
        radius = c->radius;
        left = c->left;
        top = c->top;
        right = c->right;
        bottom = c->bottom;
    }
}

void CCercle::draw(CDC* dc, bool hideMasked) {
    if (exists) drawCircle(dc, false, hideMasked);
}

void CCercle::erase(CDC* dc, bool hideMasked) {
    if (exists) drawCircle(dc, true, hideMasked);
}

void CCercle::updateBox() {
    left = centreX - radius;
    top = centreY - radius;
    right = centreX + radius;
    bottom = centreY + radius;
}

void CCercle::computePosition() {
    exists = radius > 0;
    updateBox();
}

bool CCercle::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* c = static_cast<const CCercle*>(other);
    return std::fabs(c->centreX - centreX) < kEps && std::fabs(c->centreY - centreY) < kEps &&
           std::fabs(c->radius - radius) < kEps;
}

int CCercle::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    return designationDistanceForLinking(mx, my, hideMasked);
}

int CCercle::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    return geo::truncDistance(std::fabs(std::hypot(mx - centreX, my - centreY) - radius));
}

double CCercle::getAbscissaMax() const {
    return 2 * kPi;
}

LRect CCercle::roundedBox() const {
    return {geo::roundCoord(left), geo::roundCoord(top), geo::roundCoord(right),
            geo::roundCoord(bottom)};
}

void CCercle::selectCurvePen(CDC* dc, bool eraseMode, bool hideMasked) const {
    dc->selectPen(CPalette::pen(drawingStyle(hideMasked), eraseMode ? 0 : colour));
    dc->setBkMode(BK_TRANSPARENT);
    dc->selectBrush(CBrushDesc::nullBrush());
}

void CCercle::drawCircle(CDC* dc, bool eraseMode, bool hideMasked) {
    if (hideMasked && masked) return;
    if (!geo::inRange(left, top) || !geo::inRange(right, bottom)) return;
    selectCurvePen(dc, eraseMode, hideMasked);
    LRect b = roundedBox();
    dc->ellipse(b.left, b.top, b.right, b.bottom);
}

bool CCercle::containsCirclePoint(double, double) const {
    return true;
}

double CCercle::abscissaOfAngle(double theta) const {
    return theta;
}

bool CCercle::passesThroughByConstruction(const CPointAncetre* p) const {
    return p && p->isOnCircleByConstruction(this);
}

// ---------------------------------------------------------------------------------------------
// CCercleOA

CCercleOA::CCercleOA(CPointAncetre* o, CPointAncetre* a, int8_t colour, int lineStyle)
    : CCercle(colour, lineStyle), O(o), A(a) {}

IMPLEMENT_REFS(CCercleOA, CCercle, O, A)

void CCercleOA::Serialize(CArchive& ar) {
    CCercle::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CCercleOA::readPreviousFormat(CArchive& ar) {
    CCercle::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CCercleOA::computePosition() {
    if (!existing(O) || !existing(A)) {
        exists = false;
        return;
    }
    centreX = O->x;
    centreY = O->y;
    radius = std::hypot(A->x - O->x, A->y - O->y);
    CCercle::computePosition();
}

std::string CCercleOA::getConstructionInfo(CElementBase** a, CElementBase** b,
                                           CElementBase** c) const {
    firstParents(a, b, c);
    return "Cercle défini par centre et point";
}

std::string CCercleOA::getDescription() const {
    return "Cercle de centre " + geo::nameOf(O) + " et passant par " + geo::nameOf(A);
}

bool CCercleOA::passesThroughByConstruction(const CPointAncetre* p) const {
    return p && (p == A || p->isOnCircleByConstruction(this));
}

// ---------------------------------------------------------------------------------------------
// CArcDeCercleAncetre

void CArcDeCercleAncetre::copyStateFrom(const CElementBase& src) {
    CCercle::copyStateFrom(src);
    if (const auto* a = dynamic_cast<const CArcDeCercleAncetre*>(&src)) {
        angle = a->angle;
        originX = a->originX;
        originY = a->originY;
        startAngle = a->startAngle;
        endAngle = a->endAngle;
    }
}

int CArcDeCercleAncetre::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    if (!containsCirclePoint(mx, my)) return kNotDesignable;
    return CCercle::designationDistanceForLinking(mx, my, hideMasked);
}

void CArcDeCercleAncetre::endPoint(double* ex, double* ey) const {
    double vx, vy;
    geo::turn(originX - centreX, originY - centreY, angle, &vx, &vy);
    *ex = centreX + vx;
    *ey = centreY + vy;
}

namespace {
// Polar angles computed from positions lose a few ulps, so that a point placed exactly at an
// arc's end would fall off it: the ends are taken within this, and an angle just below 2 pi is
// the angle 0 it stands for.
constexpr double kArcEps = 1e-12;
bool le(double a, double b) {
    return a <= b + kArcEps;
}
double unwrap(double theta) {
    return theta >= 2 * kPi - kArcEps ? theta - 2 * kPi : theta;
}
}  // namespace

bool CArcDeCercleAncetre::smallArcContains(double theta) const {
    theta = unwrap(theta);
    if (std::fabs(std::fabs(angle) - kPi) >= kAngleEps) {
        const double s = std::min(startAngle, endAngle), e = std::max(startAngle, endAngle);
        if (e - s >= kPi) return le(theta, s) || le(e, theta);
        return le(s, theta) && le(theta, e);
    }
    const double t = startAngle;
    if (angle > 0) {
        const bool outside = (t > kPi && theta > t - kPi + kArcEps && theta < t - kArcEps) ||
                             (t <= kPi && (theta < t - kArcEps || theta > t + kPi + kArcEps));
        return !outside;
    }
    return (t <= kPi && (le(t + kPi, theta) || le(theta, t))) ||
           (t > kPi && le(t - kPi, theta) && le(theta, t));
}

double CArcDeCercleAncetre::smallArcAbscissa(double theta) const {
    if (angle == 0) return 0;
    double d = std::fabs(theta - startAngle);
    if (d > kPi) d = 2 * kPi - d;
    return d / std::fabs(angle);
}

double CArcDeCercleAncetre::majorArcAbscissa(double theta) const {
    double d;
    if (angle <= 0)
        d = theta >= startAngle ? theta - startAngle : 2 * kPi - startAngle + theta;
    else
        d = theta <= startAngle ? startAngle - theta : 2 * kPi - theta + startAngle;
    return d / (2 * kPi - std::fabs(angle));
}

bool CArcDeCercleAncetre::directArcContains(double theta) const {
    theta = unwrap(theta);
    if (startAngle <= endAngle) return le(startAngle, theta) && le(theta, endAngle);
    return !(!le(theta, endAngle) && !le(startAngle, theta));
}

void CArcDeCercleAncetre::drawSmallArc(CDC* dc) const {
    double ex, ey;
    endPoint(&ex, &ey);
    const int ax = geo::roundCoord(originX), ay = geo::roundCoord(originY);
    const int rx = geo::roundCoord(ex), ry = geo::roundCoord(ey);
    if ((ax == rx && ay == ry) || angle == 0) return;
    const LRect b = roundedBox();
    if (angle > 0)
        dc->arc(b.left, b.top, b.right, b.bottom, ax, ay, rx, ry);
    else
        dc->arc(b.left, b.top, b.right, b.bottom, rx, ry, ax, ay);
}

void CArcDeCercleAncetre::drawMajorArc(CDC* dc) const {
    double ex, ey;
    endPoint(&ex, &ey);
    const int ax = geo::roundCoord(originX), ay = geo::roundCoord(originY);
    const int rx = geo::roundCoord(ex), ry = geo::roundCoord(ey);
    const LRect b = roundedBox();
    if (angle <= 0 && std::fabs(std::fabs(angle) - kPi) >= kAngleEps)
        dc->arc(b.left, b.top, b.right, b.bottom, ax, ay, rx, ry);
    else
        dc->arc(b.left, b.top, b.right, b.bottom, rx, ry, ax, ay);
}
