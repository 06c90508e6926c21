#include "geometry/CDroite.h"

#include <cmath>

#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CPalette.h"

IMPLEMENT_SERIAL(CElementLigne, CElementGraphique, 1)
IMPLEMENT_SERIAL(CDroite, CElementLigne, 1)
IMPLEMENT_SERIAL(CDroiteAB, CDroite, 1)
IMPLEMENT_SERIAL(CDemiDroite, CDroite, 1)
IMPLEMENT_SERIAL(CDemiDroiteOA, CDemiDroite, 1)
IMPLEMENT_SERIAL(CSegment, CDroite, 1)
IMPLEMENT_SERIAL(CVecteur, CSegment, 1)
IMPLEMENT_SERIAL(CDroiteParallele, CDroite, 1)
IMPLEMENT_SERIAL(CDroitePerpendiculaire, CDroite, 1)
IMPLEMENT_SERIAL(CMediatrice, CDroite, 1)
IMPLEMENT_SERIAL(CBissectrice, CDroite, 1)
IMPLEMENT_SERIAL(CDroiteDirectionFixe, CDroite, 1)

using geo::existing;
using geo::kEps;
using geo::kPi;

namespace geo {
void intersectLines(double Px, double Py, double px, double py, double Qx, double Qy, double qx,
                    double qy, double* x, double* y) {
    double det = px * qy - py * qx;
    double c1 = py * Px - px * Py;
    double c2 = qy * Qx - qx * Qy;
    *x = (c2 * px - c1 * qx) / det;
    *y = (c2 * py - c1 * qy) / det;
}

bool onSegment(double ax, double ay, double bx, double by, double x, double y) {
    if (ax == bx && ay == by) return x == ax && y == ay;
    double dx = bx - ax, dy = by - ay;
    if (!collinear(dx, dy, x - ax, y - ay)) return false;
    double t = std::fabs(dx) >= std::fabs(dy) ? (x - ax) / dx : (y - ay) / dy;
    return (t >= 0 && t <= 1) || std::fabs(t) < kEps || std::fabs(1 - t) < kEps;
}

double signedAngle(double u1x, double u1y, double u2x, double u2y) {
    double dot = u1x * u2x + u1y * u2y;
    double c = u1y * u2x - u1x * u2y;
    if (dot == 0) return c >= 0 ? kPi / 2 : -kPi / 2;
    if (dot > 0) return std::atan(c / dot);
    if (c >= 0) return std::atan(c / dot) + kPi;
    return std::atan(c / dot) - kPi;
}

void turn(double x, double y, double a, double* rx, double* ry) {
    double c = std::cos(a), s = std::sin(a);
    *rx = x * c + y * s;
    *ry = y * c - x * s;
}
}  // namespace geo

// ---------------------------------------------------------------------------------------------
// CElementLigne

CElementLigne::CElementLigne(int8_t colour, int lineStyle)
    : CElementGraphique(colour), lineStyle(static_cast<uint8_t>(lineStyle)) {}

void CElementLigne::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    if (ar.IsStoring())
        ar.writeByte(lineStyle);
    else
        lineStyle = ar.readByte();
}

void CElementLigne::readPreviousFormat(CArchive& ar) {
    CElementGraphique::readPreviousFormat(ar);
    lineStyle = ar.readByte();
}

void CElementLigne::copyStateFrom(const CElementBase& src) {
    CElementGraphique::copyStateFrom(src);
    if (const auto* l = dynamic_cast<const CElementLigne*>(&src)) lineStyle = l->lineStyle;
}

std::string CElementLigne::getStatusText() const {
    static const char* const kStyleNames[] = {"Trait fin", "Trait pointillé", "Trait épais"};
    std::string style = lineStyle <= 2 ? kStyleNames[lineStyle] : "";
    return joinStatus(CElementGraphique::getStatusText(), style);
}

int CElementLigne::drawingStyle(bool hideMasked) const {
    if (masked) return 1;
    return hideMasked ? lineStyle : 0;
}

void CElementLigne::copyLineAttributes(const CElementLigne& src) {
    copyAttributesFrom(src);
    lineStyle = src.lineStyle;
}

// ---------------------------------------------------------------------------------------------
// CDroite

void CDroite::Serialize(CArchive& ar) {
    CElementLigne::Serialize(ar);
    if (ar.IsStoring())
        ar.writeDouble(namePosition);
    else
        namePosition = ar.readDouble();
}

void CDroite::readPreviousFormat(CArchive& ar) {
    CElementLigne::readPreviousFormat(ar);
    namePosition = ar.readDouble();
}

void CDroite::copyStateFrom(const CElementBase& src) {
    CElementLigne::copyStateFrom(src);
    if (const auto* d = dynamic_cast<const CDroite*>(&src)) {
        x1 = d->x1;
        y1 = d->y1;
        x2 = d->x2;
        y2 = d->y2;
        p0x = d->p0x;
        p0y = d->p0y;
        wx = d->wx;
        wy = d->wy;
    }
}

void CDroite::draw(CDC* dc, bool hideMasked) {
    if (exists) drawLine(dc, false, hideMasked);
}

void CDroite::erase(CDC* dc, bool hideMasked) {
    if (exists) drawLine(dc, true, hideMasked);
}

void CDroite::computePosition() {
    clipFullLine();
}

LSize CDroite::window() {
    return activeDrawingArea();
}

void CDroite::clipFullLine() {
    exists = wx != 0 || wy != 0;
    if (!exists) return;
    const LSize win = window();
    const double left = 0, top = 0, right = win.cx, bottom = win.cy;
    if (wx == 0) {
        x1 = p0x;
        y1 = top;
        x2 = p0x;
        y2 = bottom;
    } else if (wy == 0) {
        x1 = left;
        y1 = p0y;
        x2 = right;
        y2 = p0y;
    } else {
        const double s = wy / wx;
        auto fromX = [&](double x, double* ex, double* ey) {
            double y = p0y + (x - p0x) * s;
            if (y > bottom) {
                y = bottom;
                x = p0x + (y - p0y) / s;
            } else if (y < top) {
                y = top;
                x = p0x + (y - p0y) / s;
            }
            *ex = x;
            *ey = y;
        };
        fromX(left, &x2, &y2);
        fromX(right, &x1, &y1);
    }
    updateNameAnchor();
}

void CDroite::clipHalfLine() {
    exists = exists && (wx != 0 || wy != 0);
    if (!exists) return;
    const LSize win = window();
    const double left = 0, top = 0, right = win.cx, bottom = win.cy;
    x1 = p0x;
    y1 = p0y;
    if (wx == 0) {
        x2 = p0x;
        y2 = wy >= 0 ? bottom : top;
    } else if (wy == 0) {
        x2 = wx <= 0 ? left : right;
        y2 = p0y;
    } else {
        const double s = wy / wx;
        double y = wy >= 0 ? bottom : top;
        double x = p0x + (y - p0y) / s;
        if (x < left) {
            x = left;
            y = p0y + (x - p0x) * s;
        } else if (x > right) {
            x = right;
            y = p0y + (x - p0x) * s;
        }
        x2 = x;
        y2 = y;
    }
    updateNameAnchor();
}

void CDroite::project(double x, double y, double* hx, double* hy) const {
    geo::intersectLines(p0x, p0y, wx, wy, x, y, -wy, wx, hx, hy);
}

double CDroite::distanceToLine(double x, double y) const {
    return std::fabs((p0x - x) * wy - (p0y - y) * wx) / std::hypot(wx, wy);
}

bool CDroite::coincidesWith(const CElementBase* other) const {
    // A line must also pass through the other's point: parallel lines are distinct objects.
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* d = static_cast<const CDroite*>(other);
    return geo::collinear(d->p0x - p0x, d->p0y - p0y, wx, wy) &&
           containsLinePoint(d->p0x, d->p0y) && geo::collinear(wx, wy, d->wx, d->wy);
}

void CDroite::updateNameAnchor() {
    setNameAnchor(x1 + namePosition * (x2 - x1), y1 + namePosition * (y2 - y1));
}

// A line far outside the window would anchor its name out of the drawable range.
void CDroite::drawName(CDC* dc, bool hideMasked, bool respectNameHidden) {
    if (exists && hideMasked && geo::inRange(nameAnchorX + nameOffsetX, nameAnchorY + nameOffsetY))
        CElementLigne::drawName(dc, hideMasked, respectNameHidden);
}

void CDroite::eraseName(CDC* dc, bool hideMasked, bool respectNameHidden) {
    if (exists && hideMasked && geo::inRange(nameAnchorX + nameOffsetX, nameAnchorY + nameOffsetY))
        CElementLigne::eraseName(dc, hideMasked, respectNameHidden);
}

int CDroite::distanceToProjection(int mx, int my, bool mustContain) const {
    double hx, hy;
    project(mx, my, &hx, &hy);
    if (!std::isfinite(hx) || !std::isfinite(hy)) return kNotDesignable;
    if (mustContain && !containsLinePoint(hx, hy)) return kNotDesignable;
    return geo::truncDistance(std::hypot(mx - hx, my - hy));
}

int CDroite::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    return distanceToProjection(mx, my, false);
}

int CDroite::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    return designationDistance(mx, my, hideMasked);
}

double CDroite::getAbscissaMax() const {
    if (wx == 0 && wy == 0) return 0;
    return std::fabs(wx) >= std::fabs(wy) ? (x1 - p0x) / wx : (y1 - p0y) / wy;
}

double CDroite::getAbscissaMin() const {
    if (wx == 0 && wy == 0) return 0;
    return std::fabs(wx) >= std::fabs(wy) ? (x2 - p0x) / wx : (y2 - p0y) / wy;
}

void CDroite::drawLine(CDC* dc, bool eraseMode, bool hideMasked) {
    if ((hideMasked && masked) || !geo::inRange(x1, y1) || !geo::inRange(x2, y2)) return;
    dc->selectPen(CPalette::pen(drawingStyle(hideMasked), eraseMode ? 0 : colour));
    dc->setBkMode(BK_TRANSPARENT);
    dc->line(geo::roundCoord(x1), geo::roundCoord(y1), geo::roundCoord(x2), geo::roundCoord(y2));
}

bool CDroite::containsLinePoint(double, double) const {
    return exists;
}

bool CDroite::passesThroughByConstruction(const CPointAncetre*) const {
    return false;
}

std::string CDroite::namedPrefix() const {
    return name.empty() ? std::string() : "Droite " + name + " : ";
}

// ---------------------------------------------------------------------------------------------
// Kinds built on two points

namespace {
bool passesThroughPoints(const CDroite* self, const CPointAncetre* p, const CPointAncetre* a,
                         const CPointAncetre* b) {
    if (!p) return false;
    return (a && p == a) || (b && p == b) || p->isOnLineByConstruction(self);
}

// The name of a line by two points, between its brackets. Appended piece by piece: GCC 12
// wrongly warns (-Wrestrict) when a one-character literal is put before a temporary string
// in optimised builds.
std::string enclosed(char open, const CPointAncetre* a, const CPointAncetre* b, char close) {
    std::string s(1, open);
    s += geo::nameOf(a);
    s += geo::nameOf(b);
    s += close;
    return s;
}
}  // namespace

CDroiteAB::CDroiteAB(CPointAncetre* a, CPointAncetre* b, int8_t colour, int lineStyle)
    : CDroite(colour, lineStyle), A(a), B(b) {}

IMPLEMENT_REFS(CDroiteAB, CDroite, A, B)

void CDroiteAB::Serialize(CArchive& ar) {
    CDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CDroiteAB::readPreviousFormat(CArchive& ar) {
    CDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CDroiteAB::computePosition() {
    if (!existing(A) || !existing(B)) {
        exists = false;
        return;
    }
    p0x = A->x;
    p0y = A->y;
    wx = B->x - A->x;
    wy = B->y - A->y;
    clipFullLine();
}

std::string CDroiteAB::getConstructionInfo(CElementBase** a, CElementBase** b,
                                           CElementBase** c) const {
    firstParents(a, b, c);
    return "Droite passant par deux points";
}

std::string CDroiteAB::getDisplayName() const {
    return enclosed('(', A, B, ')');
}

std::string CDroiteAB::getDescription() const {
    return namedPrefix() + "Droite " + getDisplayName();
}

bool CDroiteAB::passesThroughByConstruction(const CPointAncetre* p) const {
    return passesThroughPoints(this, p, A, B);
}

// ---------------------------------------------------------------------------------------------
// Half-lines

void CDemiDroite::computePosition() {
    clipHalfLine();
}

bool CDemiDroite::containsLinePoint(double x, double y) const {
    if (!exists) return false;
    if (std::fabs(wx) < kEps) return (y - p0y) * wy >= 0;
    return (x - p0x) * wx >= 0;
}

bool CDemiDroite::coincidesWith(const CElementBase* other) const {
    // Same origin and same sense: opposite half-lines from one point are distinct.
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* d = static_cast<const CDemiDroite*>(other);
    return std::fabs(d->p0x - p0x) < kEps && std::fabs(d->p0y - p0y) < kEps &&
           geo::collinear(wx, wy, d->wx, d->wy) && wx * d->wx + wy * d->wy > 0;
}

int CDemiDroite::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    return distanceToProjection(mx, my, true);
}

CDemiDroiteOA::CDemiDroiteOA(CPointAncetre* o, CPointAncetre* a, int8_t colour, int lineStyle)
    : CDemiDroite(colour, lineStyle), O(o), A(a) {}

IMPLEMENT_REFS(CDemiDroiteOA, CDemiDroite, O, A)

void CDemiDroiteOA::Serialize(CArchive& ar) {
    CDemiDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CDemiDroiteOA::readPreviousFormat(CArchive& ar) {
    CDemiDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CDemiDroiteOA::computePosition() {
    exists = existing(O) && existing(A);
    if (!exists) return;
    p0x = O->x;
    p0y = O->y;
    wx = A->x - O->x;
    wy = A->y - O->y;
    clipHalfLine();
}

std::string CDemiDroiteOA::getConstructionInfo(CElementBase** a, CElementBase** b,
                                               CElementBase** c) const {
    firstParents(a, b, c);
    return "Demi-droite ";
}

std::string CDemiDroiteOA::getDisplayName() const {
    return enclosed('[', O, A, ')');
}

std::string CDemiDroiteOA::getDescription() const {
    return "Demi-droite  " + getDisplayName();
}

bool CDemiDroiteOA::passesThroughByConstruction(const CPointAncetre* p) const {
    return passesThroughPoints(this, p, O, A);
}

// ---------------------------------------------------------------------------------------------
// Segments and vectors

CSegment::CSegment(CPointAncetre* a, CPointAncetre* b, int8_t colour, int lineStyle)
    : CDroite(colour, lineStyle), A(a), B(b) {}

IMPLEMENT_REFS(CSegment, CDroite, A, B)

void CSegment::Serialize(CArchive& ar) {
    CDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CSegment::readPreviousFormat(CArchive& ar) {
    CDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CSegment::computePosition() {
    exists = existing(A) && existing(B);
    if (exists) setEnds(A->x, A->y, B->x, B->y);
}

void CSegment::setEnds(double ax, double ay, double bx, double by) {
    exists = true;
    p0x = ax;
    p0y = ay;
    wx = bx - ax;
    wy = by - ay;
    x1 = ax;
    y1 = ay;
    x2 = bx;
    y2 = by;
    updateNameAnchor();
}

bool CSegment::coincidesWith(const CElementBase* other) const {
    // The same two ends, in either order.
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* s = static_cast<const CSegment*>(other);
    auto same = [](double ax, double ay, double bx, double by) {
        return std::fabs(ax - bx) < kEps && std::fabs(ay - by) < kEps;
    };
    return (same(x1, y1, s->x1, s->y1) && same(x2, y2, s->x2, s->y2)) ||
           (same(x1, y1, s->x2, s->y2) && same(x2, y2, s->x1, s->y1));
}

std::string CSegment::getConstructionInfo(CElementBase** a, CElementBase** b,
                                          CElementBase** c) const {
    firstParents(a, b, c);
    return "Segment";
}

std::string CSegment::getDisplayName() const {
    return enclosed('[', A, B, ']');
}

std::string CSegment::getDescription() const {
    return "Segment " + getDisplayName();
}

int CSegment::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    if (x1 == x2 && y1 == y2) return geo::truncDistance(std::hypot(mx - x1, my - y1));
    double hx, hy;
    project(mx, my, &hx, &hy);
    if (!geo::onSegment(x1, y1, x2, y2, hx, hy)) return kNotDesignable;
    return geo::truncDistance(std::hypot(mx - hx, my - hy));
}

bool CSegment::containsLinePoint(double x, double y) const {
    return exists && geo::onSegment(x1, y1, x2, y2, x, y);
}

bool CSegment::passesThroughByConstruction(const CPointAncetre* p) const {
    return passesThroughPoints(this, p, A, B);
}

CVecteur::CVecteur(CPointAncetre* a, CPointAncetre* b, int arrowStyle, int8_t colour, int lineStyle)
    : CSegment(a, b, colour, lineStyle), arrowStyle(arrowStyle) {}

void CVecteur::Serialize(CArchive& ar) {
    CSegment::Serialize(ar);
    if (ar.IsStoring())
        ar.writeByte(static_cast<uint8_t>(arrowStyle));
    else
        arrowStyle = ar.readByte();
}

void CVecteur::readPreviousFormat(CArchive& ar) {
    CSegment::readPreviousFormat(ar);
    arrowStyle = ar.readByte();
}

void CVecteur::copyStateFrom(const CElementBase& src) {
    CSegment::copyStateFrom(src);
    if (const auto* v = dynamic_cast<const CVecteur*>(&src)) arrowStyle = v->arrowStyle;
}

bool CVecteur::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* v = static_cast<const CVecteur*>(other);
    return std::fabs(x1 - v->x1) < kEps && std::fabs(y1 - v->y1) < kEps &&
           std::fabs(x2 - v->x2) < kEps && std::fabs(y2 - v->y2) < kEps;
}

std::string CVecteur::getConstructionInfo(CElementBase** a, CElementBase** b,
                                          CElementBase** c) const {
    firstParents(a, b, c);
    return "Vecteur ";
}

std::string CVecteur::getDisplayName() const {
    return "Vecteur " + geo::nameOf(A) + geo::nameOf(B);
}

void drawArrowhead(CDC* dc, double tipX, double tipY, double backX, double backY, int style,
                   double longLength, double shortLength) {
    const double len = (style == 1 || style == 3) ? shortLength : longLength;
    const double n = std::hypot(backX, backY);
    if (n == 0) return;
    const double ex = backX / n * len, ey = backY / n * len;
    constexpr double kCos30 = 0.8660254038, kSin30 = 0.5;
    const LPoint wing1{geo::roundCoord(tipX + ex * kCos30 - ey * kSin30),
                       geo::roundCoord(tipY + ex * kSin30 + ey * kCos30)};
    const LPoint wing2{geo::roundCoord(tipX + ex * kCos30 + ey * kSin30),
                       geo::roundCoord(tipY + ey * kCos30 - ex * kSin30)};
    const LPoint tip{geo::roundCoord(tipX), geo::roundCoord(tipY)};
    if (style == 0 || style == 1)
        dc->polygon({wing1, tip, wing2});
    else
        dc->polyline({wing1, tip, wing2});
}

void CVecteur::drawLine(CDC* dc, bool eraseMode, bool hideMasked) {
    if ((wx == 0 && wy == 0) || (hideMasked && masked)) return;
    if (!geo::inRange(x1, y1) || !geo::inRange(x2, y2)) return;
    CSegment::drawLine(dc, eraseMode, hideMasked);
    const int c = eraseMode ? 0 : colour;
    dc->selectPen(CPalette::pen(0, c));
    dc->selectBrush(CBrushDesc::solidBrush(CPalette::colour(c)));
    drawArrowhead(dc, x2, y2, x1 - x2, y1 - y2, arrowStyle, 80, 60);
}

// ---------------------------------------------------------------------------------------------
// Parallel and perpendicular

CDroiteParallele::CDroiteParallele(CPointAncetre* a, CDroite* line, int8_t colour, int lineStyle)
    : CDroite(colour, lineStyle), A(a), d(line) {}

IMPLEMENT_REFS(CDroiteParallele, CDroite, A, d)

void CDroiteParallele::Serialize(CArchive& ar) {
    CDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CDroiteParallele::readPreviousFormat(CArchive& ar) {
    CDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CDroiteParallele::computePosition() {
    if (!existing(A) || !existing(d)) {
        exists = false;
        return;
    }
    p0x = A->x;
    p0y = A->y;
    wx = d->wx;
    wy = d->wy;
    clipFullLine();
}

std::string CDroiteParallele::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                  CElementBase** c) const {
    firstParents(a, b, c);
    return "Droite parallèle";
}

std::string CDroiteParallele::getDescription() const {
    return "Droite " + name + " : Droite parallèle à " + (d ? d->getDisplayName() : "") +
           " et passant par " + geo::nameOf(A);
}

bool CDroiteParallele::passesThroughByConstruction(const CPointAncetre* p) const {
    return passesThroughPoints(this, p, A, nullptr);
}

CDroitePerpendiculaire::CDroitePerpendiculaire(CPointAncetre* a, CDroite* line, int8_t colour,
                                               int lineStyle)
    : CDroite(colour, lineStyle), A(a), d(line) {}

IMPLEMENT_REFS(CDroitePerpendiculaire, CDroite, A, d)

void CDroitePerpendiculaire::Serialize(CArchive& ar) {
    CDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CDroitePerpendiculaire::readPreviousFormat(CArchive& ar) {
    CDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CDroitePerpendiculaire::computePosition() {
    if (!existing(A) || !existing(d)) {
        exists = false;
        return;
    }
    p0x = A->x;
    p0y = A->y;
    wx = -d->wy;
    wy = d->wx;
    clipFullLine();
}

std::string CDroitePerpendiculaire::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                        CElementBase** c) const {
    firstParents(a, b, c);
    return "Droite perpendiculaire";
}

std::string CDroitePerpendiculaire::getDescription() const {
    return "Droite " + name + " : Droite perpendiculaire à " + (d ? d->getDisplayName() : "") +
           " et passant par " + geo::nameOf(A);
}

bool CDroitePerpendiculaire::passesThroughByConstruction(const CPointAncetre* p) const {
    return passesThroughPoints(this, p, A, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Perpendicular bisector and angle bisector

CMediatrice::CMediatrice(CPointAncetre* a, CPointAncetre* b, int8_t colour, int lineStyle)
    : CDroite(colour, lineStyle), A(a), B(b) {}

IMPLEMENT_REFS(CMediatrice, CDroite, A, B)

void CMediatrice::Serialize(CArchive& ar) {
    CDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CMediatrice::readPreviousFormat(CArchive& ar) {
    CDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CMediatrice::computePosition() {
    if (!existing(A) || !existing(B) || (A->x == B->x && A->y == B->y)) {
        exists = false;
        return;
    }
    p0x = (A->x + B->x) / 2;
    p0y = (A->y + B->y) / 2;
    wx = -(B->y - A->y);
    wy = B->x - A->x;
    clipFullLine();
}

std::string CMediatrice::getConstructionInfo(CElementBase** a, CElementBase** b,
                                             CElementBase** c) const {
    firstParents(a, b, c);
    return "Médiatrice";
}

std::string CMediatrice::getDescription() const {
    return "Droite " + name + " : Médiatrice de " + geo::nameOf(A) + geo::nameOf(B);
}

CBissectrice::CBissectrice(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b, int8_t colour,
                           int lineStyle)
    : CDroite(colour, lineStyle), A(a), O(o), B(b) {}

IMPLEMENT_REFS(CBissectrice, CDroite, A, O, B)

void CBissectrice::Serialize(CArchive& ar) {
    CDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CBissectrice::readPreviousFormat(CArchive& ar) {
    CDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CBissectrice::computePosition() {
    if (!existing(A) || !existing(O) || !existing(B) || (O->x == A->x && O->y == A->y) ||
        (O->x == B->x && O->y == B->y)) {
        exists = false;
        return;
    }
    p0x = O->x;
    p0y = O->y;
    const double u1x = A->x - O->x, u1y = A->y - O->y;
    const double u2x = B->x - O->x, u2y = B->y - O->y;
    const double theta = geo::signedAngle(u1x, u1y, u2x, u2y);
    if (std::fabs(theta - kPi) < geo::kAngleEps) {
        // Flat angle: the sum of the unit vectors vanishes, the bisector is the perpendicular.
        geo::turn(u1x, u1y, kPi / 2, &wx, &wy);
    } else {
        const double n1 = std::hypot(u1x, u1y), n2 = std::hypot(u2x, u2y);
        wx = u1x / n1 + u2x / n2;
        wy = u1y / n1 + u2y / n2;
    }
    const double n = std::hypot(wx, wy);
    if (n == 0 || !std::isfinite(n)) {
        exists = false;
        return;
    }
    wx /= n;
    wy /= n;
    clipFullLine();
}

std::string CBissectrice::getConstructionInfo(CElementBase** a, CElementBase** b,
                                              CElementBase** c) const {
    firstParents(a, b, c);
    return "Bissectrice intérieure";
}

std::string CBissectrice::getDescription() const {
    return "Droite " + name + " : Bissectrice de " + geo::nameOf(A) + geo::nameOf(O) +
           geo::nameOf(B);
}

bool CBissectrice::passesThroughByConstruction(const CPointAncetre* p) const {
    return passesThroughPoints(this, p, O, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Fixed direction

CDroiteDirectionFixe::CDroiteDirectionFixe(CPointAncetre* a, bool horizontal, double c,
                                           int8_t colour, int lineStyle)
    : CDroite(colour, lineStyle), A(a), horizontal(horizontal), c(c) {
    setDirection();
}

void CDroiteDirectionFixe::setDirection() {
    wx = horizontal ? c : 0;
    wy = horizontal ? 0 : c;
}

IMPLEMENT_REFS(CDroiteDirectionFixe, CDroite, A)

void CDroiteDirectionFixe::Serialize(CArchive& ar) {
    CDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsStoring()) {
        ar.writeBool(horizontal);
        ar.writeDouble(c);
    } else {
        horizontal = ar.readBool();
        c = ar.readDouble();
        setDirection();
    }
}

void CDroiteDirectionFixe::readPreviousFormat(CArchive& ar) {
    CDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    horizontal = ar.readBool();
    c = ar.readDouble();
    setDirection();
}

void CDroiteDirectionFixe::computePosition() {
    if (!existing(A)) {
        exists = false;
        return;
    }
    p0x = A->x;
    p0y = A->y;
    setDirection();
    clipFullLine();
}

std::string CDroiteDirectionFixe::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                      CElementBase** cc) const {
    firstParents(a, b, cc);
    return std::string("Droite ") + (horizontal ? "horizontale" : "verticale");
}

std::string CDroiteDirectionFixe::getDescription() const {
    return "Droite " + name + " : Droite " + (horizontal ? "horizontale" : "verticale") +
           " et passant par " + geo::nameOf(A);
}

bool CDroiteDirectionFixe::containsLinePoint(double x, double y) const {
    if (!exists || !A) return false;
    return horizontal ? std::fabs(y - A->y) < kEps : std::fabs(x - A->x) < kEps;
}

bool CDroiteDirectionFixe::passesThroughByConstruction(const CPointAncetre* p) const {
    return passesThroughPoints(this, p, A, nullptr);
}

void CDroiteDirectionFixe::zoomAbout(double, double, double ratio) {
    c *= ratio;
    setDirection();
}
