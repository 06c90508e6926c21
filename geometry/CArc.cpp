#include <cmath>

#include "core/CArchive.h"
#include "geometry/CCercle.h"
#include "values/CValeurDynamique.h"

IMPLEMENT_SERIAL(CCercleOR, CCercle, 1)
IMPLEMENT_SERIAL_VERSIONABLE(CArcDeCercle, CArcDeCercleAncetre, 2)
IMPLEMENT_SERIAL_VERSIONABLE(CGrandArcDeCercle, CArcDeCercle, 2)
IMPLEMENT_SERIAL_VERSIONABLE(CArcDeCercleDirect, CArcDeCercle, 2)
IMPLEMENT_SERIAL_VERSIONABLE(CArcDeCercleIndirect, CArcDeCercleDirect, 2)

IMPLEMENT_REFS(CCercleOR, CCercle, O, held(radiusValue.reference))
IMPLEMENT_REFS(CArcDeCercle, CArcDeCercleAncetre, O, A, optional(B))

using geo::existing;
using geo::kAngleEps;
using geo::kEps;
using geo::kPi;

// ---------------------------------------------------------------------------------------------
// CCercleOR

CCercleOR::CCercleOR(CPointAncetre* o, const CValeurAssocieeAVariable& r, CListeAction* figure,
                     int8_t colour, int lineStyle)
    : CCercle(colour, lineStyle), O(o), radiusValue(r), figure(figure) {}

void CCercleOR::Serialize(CArchive& ar) {
    CCercle::Serialize(ar);
    serializeOwnRefs(ar, *this);
    // The list read into, a copy's target list included, gives the unit length.
    if (ar.IsLoading()) figure = ar.currentList();
    radiusValue.Serialize(ar);
}

void CCercleOR::readPreviousFormat(CArchive& ar) {
    CCercle::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    figure = ar.currentList();
    radiusValue.readPreviousFormat(ar);
}

bool CCercleOR::unitLengthOf(const CListeAction* figure, double* length) {
    if (!figure || !geo::existing(figure->unitLength)) return false;
    CElementBase *a = nullptr, *b = nullptr, *c = nullptr;
    figure->unitLength->getConstructionInfo(&a, &b, &c);
    const auto* p = dynamic_cast<const CPointAncetre*>(a);
    const auto* q = dynamic_cast<const CPointAncetre*>(b);
    if (!geo::existing(p) || !geo::existing(q)) return false;
    *length = std::hypot(q->x - p->x, q->y - p->y);
    return true;
}

void CCercleOR::computePosition() {
    double unit = 0;
    if (!existing(O) || !radiusValue.isDefined() || !unitLengthOf(figure, &unit)) {
        exists = false;
        return;
    }
    centreX = O->x;
    centreY = O->y;
    radius = radiusValue.getValue() * unit;
    CCercle::computePosition();
}

bool CCercleOR::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* c = static_cast<const CCercleOR*>(other);
    if (radiusValue.reference || c->radiusValue.reference)
        return c->O == O && c->radiusValue.reference == radiusValue.reference;
    return CCercle::coincidesWith(other);
}

bool CCercleOR::dependsOnForDrag(const CElementBase* p) const {
    // Dragging a point of the unit segment changes the radius too.
    return dependsOn(p) || (figure && figure->unitLength && figure->unitLength->dependsOn(p));
}

bool CCercleOR::usesNameOf(const CElementBase* p) const {
    return radiusValue.usesNameOf(p);
}

std::string CCercleOR::getConstructionInfo(CElementBase** a, CElementBase** b,
                                           CElementBase** c) const {
    firstParents(a, b, c);
    return "cercle de rayon " + geo::valueText(radiusValue);
}

std::string CCercleOR::getDescription() const {
    return "Cercle de centre " + geo::nameOf(O) + " et de rayon " + geo::valueText(radiusValue);
}

void CCercleOR::rebuildFromText(CListeAction* list) {
    radiusValue.rebuildFromText(list);
}

// ---------------------------------------------------------------------------------------------
// CArcDeCercleAncetre

bool CArcDeCercleAncetre::coincidesWith(const CElementBase* other) const {
    if (!CCercle::coincidesWith(other)) return false;
    const auto* a = static_cast<const CArcDeCercleAncetre*>(other);
    return std::fabs(a->startAngle - startAngle) < kAngleEps &&
           std::fabs(a->endAngle - endAngle) < kAngleEps;
}

// ---------------------------------------------------------------------------------------------
// CArcDeCercle

CArcDeCercle::CArcDeCercle(CPointAncetre* o, CPointAncetre* a, CPointAncetre* b, int8_t colour,
                           int lineStyle)
    : CArcDeCercleAncetre(colour, lineStyle), O(o), A(a), B(b) {}

CArcDeCercle::CArcDeCercle(CPointAncetre* o, CPointAncetre* a, const CValeurAngle& angle,
                           int8_t colour, int lineStyle)
    : CArcDeCercleAncetre(colour, lineStyle), O(o), A(a), angleValue(angle) {}

void CArcDeCercle::Serialize(CArchive& ar) {
    CArcDeCercleAncetre::Serialize(ar);
    if (ar.IsStoring() || ar.getObjectSchema() >= 2)
        serializeOwnRefs(ar, *this);
    else
        readCentreAndOrigin(ar);
    if (!B) angleValue.Serialize(ar);
}

void CArcDeCercle::readPreviousFormat(CArchive& ar) {
    CArcDeCercleAncetre::readPreviousFormat(ar);
    readCentreAndOrigin(ar);
    angleValue.readPreviousFormat(ar);
}

// Read by hand: these files have no field for the end point B.
void CArcDeCercle::readCentreAndOrigin(CArchive& ar) {
    O = ar.readRequiredReferenceOf<CPointAncetre>();
    A = ar.readRequiredReferenceOf<CPointAncetre>();
    B = nullptr;
}

bool CArcDeCercle::computeSmallArc() {
    exists = false;
    if (!existing(O) || !existing(A)) return false;
    const double ux = A->x - O->x, uy = A->y - O->y;
    double a, start, end;
    if (B) {
        // An end point at the centre gives no direction.
        if (!existing(B) || (B->x == O->x && B->y == O->y)) return false;
        start = geo::polarAngle(ux, uy);
        end = geo::polarAngle(B->x - O->x, B->y - O->y);
        a = geo::reduceAngle(end - start);
    } else {
        if (!angleValue.isDefined()) return false;
        a = angleValue.getValue();
        if (!std::isfinite(a)) return false;
        start = geo::polarAngle(ux, uy);
        end = start + a;
        if (end >= 2 * kPi)
            end -= 2 * kPi;
        else if (end < 0)
            end += 2 * kPi;
    }
    if (std::fabs(a) < kAngleEps) return false;
    angle = a;
    startAngle = start;
    endAngle = end;
    centreX = O->x;
    centreY = O->y;
    originX = A->x;
    originY = A->y;
    radius = std::hypot(ux, uy);
    CCercle::computePosition();
    return exists;
}

void CArcDeCercle::computePosition() {
    computeSmallArc();
}

bool CArcDeCercle::computeDependsOn(const CElementBase* p) const {
    return CArcDeCercleAncetre::computeDependsOn(p) || (!B && angleValue.dependsOn(p));
}

bool CArcDeCercle::computeDependsOnForPositioning(const CElementBase* p) const {
    return CArcDeCercleAncetre::computeDependsOnForPositioning(p) ||
           (!B && angleValue.dependsOnForPositioning(p));
}

void CArcDeCercle::replaceReference(CElementBase* old, CElementBase* repl) {
    CArcDeCercleAncetre::replaceReference(old, repl);
    angleValue.replaceReference(old, repl);
}

bool CArcDeCercle::usesNameOf(const CElementBase* p) const {
    return !B && angleValue.usesNameOf(p);
}

std::string CArcDeCercle::getConstructionInfo(CElementBase** a, CElementBase** b,
                                              CElementBase** c) const {
    firstParents(a, b, c);
    if (B) return kindPrefix() + " défini par point de fin " + geo::nameOf(B);
    return kindPrefix() + " d'angle " + angleValue.getText(12);
}

std::string CArcDeCercle::getDescription() const {
    if (B)
        return kindPrefix() + " de centre " + geo::nameOf(O) + " et d'origine " + geo::nameOf(A) +
               " dirigé vers " + geo::nameOf(B);
    return kindPrefix() + " d'angle " + angleValue.getText(12) + " de centre " + geo::nameOf(O) +
           " et d'origine " + geo::nameOf(A);
}

void CArcDeCercle::rebuildFromText(CListeAction* list) {
    angleValue.rebuildFromText(list);
}

void CArcDeCercle::drawCircle(CDC* dc, bool eraseMode, bool hideMasked) {
    if (hideMasked && masked) return;
    if (!geo::inRange(left, top) || !geo::inRange(right, bottom)) return;
    selectCurvePen(dc, eraseMode, hideMasked);
    drawArc(dc);
}

bool CArcDeCercle::containsCirclePoint(double x, double y) const {
    return smallArcContains(geo::polarAngle(x - centreX, y - centreY));
}

double CArcDeCercle::abscissaOfAngle(double theta) const {
    return smallArcAbscissa(theta);
}

bool CArcDeCercle::passesThroughByConstruction(const CPointAncetre* p) const {
    return p && (p == A || p->isOnCircleByConstruction(this));
}

// ---------------------------------------------------------------------------------------------
// Major arc

bool CGrandArcDeCercle::containsCirclePoint(double x, double y) const {
    const double theta = geo::polarAngle(x - centreX, y - centreY);
    // The two ends belong to both arcs.
    auto atEnd = [&](double end) {
        const double d = std::fabs(theta - end);
        return d < kAngleEps || std::fabs(d - 2 * kPi) < kAngleEps;
    };
    return !smallArcContains(theta) || atEnd(startAngle) || atEnd(endAngle);
}

double CGrandArcDeCercle::abscissaOfAngle(double theta) const {
    return majorArcAbscissa(theta);
}

// ---------------------------------------------------------------------------------------------
// Direct and indirect arcs

void CArcDeCercleDirect::copyStateFrom(const CElementBase& src) {
    CArcDeCercle::copyStateFrom(src);
    if (const auto* a = dynamic_cast<const CArcDeCercleDirect*>(&src)) {
        endX = a->endX;
        endY = a->endY;
    }
}

void CArcDeCercleDirect::computePosition() {
    if (!computeSmallArc()) return;
    double ex, ey;
    endPoint(&ex, &ey);
    endX = geo::roundCoord(ex);
    endY = geo::roundCoord(ey);
}

bool CArcDeCercleDirect::containsCirclePoint(double x, double y) const {
    return directArcContains(geo::polarAngle(x - centreX, y - centreY));
}

double CArcDeCercleDirect::abscissaOfAngle(double theta) const {
    double d = std::fmod(theta - startAngle, 2 * kPi);
    if (d < 0) d += 2 * kPi;
    return d / (angle < 0 ? angle + 2 * kPi : angle);
}

void CArcDeCercleDirect::drawArc(CDC* dc) const {
    const LRect b = roundedBox();
    dc->arc(b.left, b.top, b.right, b.bottom, geo::roundCoord(originX), geo::roundCoord(originY),
            geo::roundCoord(endX), geo::roundCoord(endY));
}

void CArcDeCercleIndirect::computePosition() {
    if (!computeSmallArc()) return;
    if (B) {
        const double n = std::hypot(B->x - O->x, B->y - O->y);
        endX = O->x + radius * (B->x - O->x) / n;
        endY = O->y + radius * (B->y - O->y) / n;
        angle = geo::reduceAngle(geo::polarAngle(endX - O->x, endY - O->y) -
                                 geo::polarAngle(A->x - O->x, A->y - O->y));
    } else {
        endPoint(&endX, &endY);
    }
    // Stored as the counter-clockwise arc from the end point back to A.
    startAngle = geo::polarAngle(endX - centreX, endY - centreY);
    endAngle = geo::polarAngle(originX - centreX, originY - centreY);
}

double CArcDeCercleIndirect::abscissaOfAngle(double theta) const {
    double d = std::fmod(theta - startAngle, 2 * kPi);
    if (d < 0) d += 2 * kPi;
    double span = -angle;
    if (span < 0) span += 2 * kPi;
    return span == 0 ? 0 : d / span;
}

void CArcDeCercleIndirect::drawArc(CDC* dc) const {
    const LRect b = roundedBox();
    dc->arc(b.left, b.top, b.right, b.bottom, geo::roundCoord(endX), geo::roundCoord(endY),
            geo::roundCoord(originX), geo::roundCoord(originY));
}
