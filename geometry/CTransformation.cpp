#include "geometry/CTransformation.h"

#include <cmath>

#include "core/CArchive.h"
#include "core/CListeAction.h"
#include "values/CValeurDynamique.h"

IMPLEMENT_SERIAL(CTransformation, CElementBase, 1)
IMPLEMENT_SERIAL(CHomothetie, CTransformation, 1)
IMPLEMENT_SERIAL(CSymetrieCentrale, CTransformation, 1)
IMPLEMENT_SERIAL(CRotation, CTransformation, 1)
IMPLEMENT_SERIAL(CSimilitude, CRotation, 1)
IMPLEMENT_SERIAL(CSymetrieAxiale, CTransformation, 1)
IMPLEMENT_SERIAL(CTranslation, CTransformation, 1)
IMPLEMENT_SERIAL(CInversion, CHomothetie, 1)
IMPLEMENT_SERIAL(CPointImage, CPointAncetre, 1)
IMPLEMENT_SERIAL(CDroiteImage, CDroite, 1)
IMPLEMENT_SERIAL(CDemiDroiteImage, CDemiDroite, 1)
IMPLEMENT_SERIAL(CCercleImage, CCercle, 1)
IMPLEMENT_SERIAL(CArcDeCercleImage, CArcDeCercleAncetre, 1)

using geo::existing;

namespace {
bool sameValue(const CValeurAssocieeAVariableAncetre& a, const CValeurAssocieeAVariableAncetre& b) {
    return a.reference == b.reference && (a.reference || a.constant == b.constant);
}

std::string transformationName(const CTransformation* t) {
    return t ? t->getDisplayName() : std::string();
}

std::string transformationKind(const CTransformation* t) {
    return t ? t->getKindText() : std::string();
}

bool finite2(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

// The vector of a translation, as the illustration of the translation and of its images.
std::unique_ptr<CAction> illustrationOf(const CTransformation* t) {
    return t ? t->createIllustration() : nullptr;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CTransformation

void CTransformation::imageOfPoint(double, double, double*, double*) const {}

void CTransformation::imageOfVector(double, double, double*) const {}

void CTransformation::imageOfLength(double, double*) const {}

void CTransformation::imageOfAngle(double a, double* out) const {
    *out = a;
}

bool CTransformation::isDefinedFor(const CPointAncetre*) const {
    return true;
}

std::string CTransformation::getConstructionInfo(CElementBase**, CElementBase**,
                                                 CElementBase**) const {
    return getKindText();
}

// ---------------------------------------------------------------------------------------------
// CHomothetie

IMPLEMENT_REFS(CHomothetie, CTransformation, O, held(k.reference))

void CHomothetie::Serialize(CArchive& ar) {
    CTransformation::Serialize(ar);
    serializeOwnRefs(ar, *this);
    k.Serialize(ar);
}

void CHomothetie::readPreviousFormat(CArchive& ar) {
    CTransformation::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    k.readPreviousFormat(ar);
}

void CHomothetie::computePosition() {
    exists = existing(O) && k.isDefined();
}

bool CHomothetie::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other) && sameValue(static_cast<const CHomothetie*>(other)->k, k);
}

std::string CHomothetie::getDisplayName() const {
    return "l'homothétie de centre " + geo::nameOf(O) + " et de rapport " + valueText(k);
}

std::string CHomothetie::getKindText() const {
    return "homothétie de rapport " + valueText(k);
}

void CHomothetie::imageOfPoint(double x, double y, double* ix, double* iy) const {
    const double r = k.getValue();
    *ix = O->x + r * (x - O->x);
    *iy = O->y + r * (y - O->y);
}

void CHomothetie::imageOfVector(double vx, double vy, double* out) const {
    const double r = k.getValue();
    out[0] = r * vx;
    out[1] = r * vy;
}

void CHomothetie::imageOfLength(double len, double* out) const {
    *out = std::fabs(k.getValue()) * len;
}

// ---------------------------------------------------------------------------------------------
// CSymetrieCentrale

IMPLEMENT_REFS(CSymetrieCentrale, CTransformation, O)

void CSymetrieCentrale::Serialize(CArchive& ar) {
    CTransformation::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CSymetrieCentrale::readPreviousFormat(CArchive& ar) {
    CTransformation::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CSymetrieCentrale::computePosition() {
    exists = existing(O);
}

bool CSymetrieCentrale::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CSymetrieCentrale::getDisplayName() const {
    return "la symétrie centrale de centre " + geo::nameOf(O);
}

void CSymetrieCentrale::imageOfPoint(double x, double y, double* ix, double* iy) const {
    *ix = 2 * O->x - x;
    *iy = 2 * O->y - y;
}

void CSymetrieCentrale::imageOfVector(double vx, double vy, double* out) const {
    out[0] = -vx;
    out[1] = -vy;
}

void CSymetrieCentrale::imageOfLength(double len, double* out) const {
    *out = len;
}

// ---------------------------------------------------------------------------------------------
// CRotation

IMPLEMENT_REFS(CRotation, CTransformation, O, held(theta.reference))
IMPLEMENT_REFS(CSimilitude, CRotation, held(k.reference))

void CRotation::Serialize(CArchive& ar) {
    CTransformation::Serialize(ar);
    serializeOwnRefs(ar, *this);
    theta.Serialize(ar);
}

void CRotation::readPreviousFormat(CArchive& ar) {
    CTransformation::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    theta.readPreviousFormat(ar);
}

void CRotation::computePosition() {
    exists = existing(O) && theta.isDefined();
}

bool CRotation::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other) && sameValue(static_cast<const CRotation*>(other)->theta, theta);
}

std::string CRotation::getDisplayName() const {
    return "la rotation de centre " + geo::nameOf(O) + " et d'angle " + valueText(theta);
}

std::string CRotation::getKindText() const {
    return "rotation d'angle " + valueText(theta);
}

void CRotation::imageOfPoint(double x, double y, double* ix, double* iy) const {
    double rx, ry;
    geo::turn(x - O->x, y - O->y, theta.getValue(), &rx, &ry);
    *ix = O->x + rx;
    *iy = O->y + ry;
}

void CRotation::imageOfVector(double vx, double vy, double* out) const {
    geo::turn(vx, vy, theta.getValue(), &out[0], &out[1]);
}

void CRotation::imageOfLength(double len, double* out) const {
    *out = len;
}

// ---------------------------------------------------------------------------------------------
// CSimilitude

void CSimilitude::Serialize(CArchive& ar) {
    CRotation::Serialize(ar);
    k.Serialize(ar);
}

void CSimilitude::computePosition() {
    CRotation::computePosition();
    exists = exists && k.isDefined();
}

bool CSimilitude::coincidesWith(const CElementBase* other) const {
    return CRotation::coincidesWith(other) &&
           sameValue(static_cast<const CSimilitude*>(other)->k, k);
}

std::string CSimilitude::getDisplayName() const {
    return "la similitude de centre " + geo::nameOf(O) + " d'angle " + valueText(theta) +
           " et de rapport " + valueText(k);
}

std::string CSimilitude::getKindText() const {
    return "similitude  directe\r\nd'angle " + valueText(theta) + " et de rapport " + valueText(k);
}

void CSimilitude::imageOfPoint(double x, double y, double* ix, double* iy) const {
    double rx, ry;
    const double r = k.getValue();
    geo::turn(x - O->x, y - O->y, theta.getValue(), &rx, &ry);
    *ix = O->x + r * rx;
    *iy = O->y + r * ry;
}

void CSimilitude::imageOfVector(double vx, double vy, double* out) const {
    const double r = k.getValue();
    double rx, ry;
    geo::turn(vx, vy, theta.getValue(), &rx, &ry);
    out[0] = r * rx;
    out[1] = r * ry;
}

void CSimilitude::imageOfLength(double len, double* out) const {
    *out = std::fabs(k.getValue()) * len;
}

// ---------------------------------------------------------------------------------------------
// CSymetrieAxiale

IMPLEMENT_REFS(CSymetrieAxiale, CTransformation, d)

void CSymetrieAxiale::Serialize(CArchive& ar) {
    CTransformation::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CSymetrieAxiale::readPreviousFormat(CArchive& ar) {
    CTransformation::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CSymetrieAxiale::computePosition() {
    exists = existing(d);
}

bool CSymetrieAxiale::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CSymetrieAxiale::getDisplayName() const {
    return " la symétrie orthogonale par rapport à " + (d ? d->getDisplayName() : std::string());
}

void CSymetrieAxiale::imageOfVector(double vx, double vy, double* out) const {
    const double n = d->wx * d->wx + d->wy * d->wy;
    if (n == 0) {
        out[0] = out[1] = 0;
        return;
    }
    const double c = d->wx * d->wx - d->wy * d->wy;
    const double s = 2 * d->wx * d->wy;
    out[0] = (c * vx + s * vy) / n;
    out[1] = (s * vx - c * vy) / n;
}

void CSymetrieAxiale::imageOfPoint(double x, double y, double* ix, double* iy) const {
    double v[2];
    imageOfVector(x - d->p0x, y - d->p0y, v);
    *ix = d->p0x + v[0];
    *iy = d->p0y + v[1];
}

void CSymetrieAxiale::imageOfLength(double len, double* out) const {
    *out = len;
}

void CSymetrieAxiale::imageOfAngle(double a, double* out) const {
    *out = -a;
}

// ---------------------------------------------------------------------------------------------
// CTranslation

IMPLEMENT_REFS(CTranslation, CTransformation, A, B)

void CTranslation::Serialize(CArchive& ar) {
    CTransformation::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CTranslation::readPreviousFormat(CArchive& ar) {
    CTransformation::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CTranslation::computePosition() {
    exists = existing(A) && existing(B);
}

bool CTranslation::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::unique_ptr<CAction> CTranslation::createIllustration() const {
    auto v = std::make_unique<CVecteur>(A, B);
    v->computePosition();
    return std::make_unique<CAction>(nat::vecteur, std::move(v));
}

std::string CTranslation::getDisplayName() const {
    return "la translation de vecteur " + geo::nameOf(A) + geo::nameOf(B);
}

void CTranslation::imageOfPoint(double x, double y, double* ix, double* iy) const {
    *ix = x + (B->x - A->x);
    *iy = y + (B->y - A->y);
}

void CTranslation::imageOfVector(double vx, double vy, double* out) const {
    out[0] = vx;
    out[1] = vy;
}

void CTranslation::imageOfLength(double len, double* out) const {
    *out = len;
}

// ---------------------------------------------------------------------------------------------
// CInversion

void CInversion::Serialize(CArchive& ar) {
    CHomothetie::Serialize(ar);
    if (ar.IsLoading()) figure = ar.currentList();
}

void CInversion::readPreviousFormat(CArchive& ar) {
    CHomothetie::readPreviousFormat(ar);
    figure = ar.currentList();
}

void CInversion::copyStateFrom(const CElementBase& src) {
    CHomothetie::copyStateFrom(src);
    if (const auto* i = dynamic_cast<const CInversion*>(&src)) unit = i->unit;
}

void CInversion::computePosition() {
    CHomothetie::computePosition();
    if (!exists) return;
    exists = unitLengthDistance(figure, &unit) && unit != 0;
}

// The figure's unit length scales the inversion: a parent that no slot holds.
bool CInversion::computeDependsOn(const CElementBase* p) const {
    return CHomothetie::computeDependsOn(p) ||
           (figure && figure->unitLength && figure->unitLength->dependsOn(p));
}

bool CInversion::computeDependsOnForPositioning(const CElementBase* p) const {
    return CHomothetie::computeDependsOnForPositioning(p) ||
           (figure && figure->unitLength && figure->unitLength->dependsOnForPositioning(p));
}

std::string CInversion::getDisplayName() const {
    return " l'inversion de centre " + geo::nameOf(O) + " et de rapport " + valueText(k);
}

std::string CInversion::getKindText() const {
    return "Inversion de rapport " + valueText(k);
}

void CInversion::imageOfPoint(double x, double y, double* ix, double* iy) const {
    const double dx = x - O->x, dy = y - O->y;
    const double q = (dx * dx + dy * dy) / (unit * unit);
    const double r = k.getValue();
    *ix = O->x + r * dx / q;
    *iy = O->y + r * dy / q;
}

bool CInversion::isDefinedFor(const CPointAncetre* p) const {
    return p && O && !(p->x == O->x && p->y == O->y);
}

// ---------------------------------------------------------------------------------------------
// CPointImage

IMPLEMENT_REFS(CPointImage, CPointAncetre, P, T)

void CPointImage::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CPointImage::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CPointImage::computePosition() {
    exists = existing(P) && existing(T) && T->isDefinedFor(P);
    if (!exists) return;
    double ix, iy;
    T->imageOfPoint(P->x, P->y, &ix, &iy);
    if (!finite2(ix, iy)) {
        exists = false;
        return;
    }
    setPosition(ix, iy);
}

bool CPointImage::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::unique_ptr<CAction> CPointImage::createIllustration() const {
    return illustrationOf(T);
}

std::string CPointImage::getConstructionInfo(CElementBase** a, CElementBase** b,
                                             CElementBase** c) const {
    firstParents(a, b, c);
    return "Point image par une " + transformationKind(T);
}

std::string CPointImage::getDescription() const {
    return describedAs("Point image du point " + geo::nameOf(P) + "\n      par " +
                       transformationName(T));
}

// ---------------------------------------------------------------------------------------------
// Lines and half-lines

namespace {
// P0' and w' of the image of `d` by `t`; false when the image is not a finite line.
bool imageLine(const CDroite* d, const CTransformation* t, CDroite* image) {
    double px, py, w[2];
    t->imageOfPoint(d->p0x, d->p0y, &px, &py);
    t->imageOfVector(d->wx, d->wy, w);
    if (!finite2(px, py) || !finite2(w[0], w[1])) return false;
    image->p0x = px;
    image->p0y = py;
    image->wx = w[0];
    image->wy = w[1];
    return true;
}
}  // namespace

IMPLEMENT_REFS(CDroiteImage, CDroite, d, T)

void CDroiteImage::Serialize(CArchive& ar) {
    CDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CDroiteImage::readPreviousFormat(CArchive& ar) {
    CDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CDroiteImage::computePosition() {
    exists = existing(d) && existing(T) && imageLine(d, T, this);
    if (exists) clipFullLine();
}

std::unique_ptr<CAction> CDroiteImage::createIllustration() const {
    return illustrationOf(T);
}

std::string CDroiteImage::getConstructionInfo(CElementBase** a, CElementBase** b,
                                              CElementBase** c) const {
    firstParents(a, b, c);
    return "Droite image par une " + transformationKind(T);
}

std::string CDroiteImage::getDescription() const {
    return "Droite " + getName() + " : " + "Droite image de la droite " +
           (d ? d->getDisplayName() : std::string()) + "\n      par " + transformationName(T);
}

IMPLEMENT_REFS(CDemiDroiteImage, CDemiDroite, d, T)

void CDemiDroiteImage::Serialize(CArchive& ar) {
    CDemiDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CDemiDroiteImage::readPreviousFormat(CArchive& ar) {
    CDemiDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CDemiDroiteImage::computePosition() {
    exists = existing(d) && existing(T) && imageLine(d, T, this);
    clipHalfLine();
}

std::unique_ptr<CAction> CDemiDroiteImage::createIllustration() const {
    return illustrationOf(T);
}

std::string CDemiDroiteImage::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                  CElementBase** c) const {
    firstParents(a, b, c);
    return "Demi-droite image par une " + transformationKind(T);
}

std::string CDemiDroiteImage::getDescription() const {
    return "Demi-droite " + getName() + " : " + "Demi-droite image de la demi-droite " +
           (d ? d->getDisplayName() : std::string()) + "\n      par " + transformationName(T);
}

// ---------------------------------------------------------------------------------------------
// CCercleImage

IMPLEMENT_REFS(CCercleImage, CCercle, c, T)

void CCercleImage::Serialize(CArchive& ar) {
    CCercle::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CCercleImage::readPreviousFormat(CArchive& ar) {
    CCercle::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CCercleImage::computePosition() {
    exists = existing(c) && existing(T);
    if (!exists) return;
    double cx, cy, r;
    T->imageOfPoint(c->centreX, c->centreY, &cx, &cy);
    T->imageOfLength(c->radius, &r);
    if (!finite2(cx, cy) || !std::isfinite(r)) {
        exists = false;
        return;
    }
    centreX = cx;
    centreY = cy;
    radius = r;
    CCercle::computePosition();
}

bool CCercleImage::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::unique_ptr<CAction> CCercleImage::createIllustration() const {
    return illustrationOf(T);
}

std::string CCercleImage::getConstructionInfo(CElementBase** a, CElementBase** b,
                                              CElementBase** k) const {
    firstParents(a, b, k);
    return "Cercle image par une " + transformationKind(T);
}

std::string CCercleImage::getDescription() const {
    return "Cercle " + getName() + " : " + "Cercle image de " +
           (c ? c->getDisplayName() : std::string()) + "\n      par " + transformationName(T);
}

// ---------------------------------------------------------------------------------------------
// CArcDeCercleImage

CArcDeCercleImage::CArcDeCercleImage() = default;

CArcDeCercleImage::CArcDeCercleImage(CArcDeCercleAncetre* a, CTransformation* t, int8_t colour,
                                     int lineStyle)
    : CArcDeCercleAncetre(colour, lineStyle), arc(a), T(t) {}

CArcDeCercleImage::~CArcDeCercleImage() = default;

void CArcDeCercleImage::ensureInner() {
    const int kind = arc ? arc->getArcKind() : 1;
    if (inner_ && kind == innerKind_) return;
    if (!centre_) {
        centre_ = std::make_unique<CPointBase>(0, 0);
        origin_ = std::make_unique<CPointBase>(0, 0);
        end_ = std::make_unique<CPointBase>(0, 0);
    }
    CPointBase *o = centre_.get(), *a = origin_.get(), *e = end_.get();
    switch (kind) {
        case 2:
            inner_ = std::make_unique<CGrandArcDeCercle>(o, a, e);
            break;
        case 3:
            inner_ = std::make_unique<CArcDeCercleDirect>(o, a, e);
            break;
        case 4:
            inner_ = std::make_unique<CArcDeCercleIndirect>(o, a, e);
            break;
        default:
            inner_ = std::make_unique<CArcDeCercle>(o, a, e);
            break;
    }
    innerKind_ = kind;
}

void CArcDeCercleImage::syncInnerLook() {
    if (!inner_) return;
    inner_->colour = colour;
    inner_->lineStyle = lineStyle;
    inner_->masked = masked;
}

IMPLEMENT_REFS(CArcDeCercleImage, CArcDeCercleAncetre, arc, T)

void CArcDeCercleImage::Serialize(CArchive& ar) {
    CArcDeCercleAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsLoading()) inner_.reset();
}

void CArcDeCercleImage::readPreviousFormat(CArchive& ar) {
    CArcDeCercleAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    inner_.reset();
}

void CArcDeCercleImage::computePosition() {
    exists = existing(arc) && existing(T);
    if (!exists) return;
    ensureInner();
    double ox, oy, ax, ay, a2, rx, ry;
    T->imageOfPoint(arc->centreX, arc->centreY, &ox, &oy);
    T->imageOfPoint(arc->originX, arc->originY, &ax, &ay);
    T->imageOfAngle(arc->angle, &a2);
    geo::turn(ax - ox, ay - oy, a2, &rx, &ry);
    if (!finite2(ox, oy) || !finite2(ax, ay) || !finite2(rx, ry)) {
        exists = false;
        return;
    }
    centre_->setPosition(ox, oy);
    origin_->setPosition(ax, ay);
    end_->setPosition(ox + rx, oy + ry);
    inner_->computePosition();
    inner_->angle = a2;
    exists = inner_->exists;
    if (!exists) return;
    centreX = inner_->centreX;
    centreY = inner_->centreY;
    radius = inner_->radius;
    originX = inner_->originX;
    originY = inner_->originY;
    startAngle = inner_->startAngle;
    endAngle = inner_->endAngle;
    angle = a2;
    updateBox();
    syncInnerLook();
}

bool CArcDeCercleImage::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::unique_ptr<CAction> CArcDeCercleImage::createIllustration() const {
    return illustrationOf(T);
}

std::string CArcDeCercleImage::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                   CElementBase** c) const {
    firstParents(a, b, c);
    return "Arc de cercle image par  " + transformationKind(T);
}

std::string CArcDeCercleImage::getDescription() const {
    return "Arc image de " + (arc ? arc->getDisplayName() : std::string()) + "\n      par " +
           transformationName(T);
}

void CArcDeCercleImage::drawCircle(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!inner_) return;
    syncInnerLook();
    inner_->drawCircle(dc, eraseMode, hideMasked);
}

bool CArcDeCercleImage::containsCirclePoint(double x, double y) const {
    return inner_ && inner_->containsCirclePoint(x, y);
}

double CArcDeCercleImage::abscissaOfAngle(double theta) const {
    return inner_ ? inner_->abscissaOfAngle(theta) : 0.0;
}

int CArcDeCercleImage::getArcKind() const {
    if (inner_) return inner_->getArcKind();
    return arc ? arc->getArcKind() : 1;
}

int CArcDeCercleImage::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || !inner_ || (hideMasked && masked)) return kNotDesignable;
    syncInnerLook();
    return inner_->designationDistance(mx, my, hideMasked);
}

int CArcDeCercleImage::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    if (!exists || !inner_) return kNotDesignable;
    syncInnerLook();
    return inner_->designationDistanceForLinking(mx, my, hideMasked);
}

void CArcDeCercleImage::setColour(int8_t index) {
    CArcDeCercleAncetre::setColour(index);
    syncInnerLook();
}

void CArcDeCercleImage::setLineStyle(uint8_t style) {
    CArcDeCercleAncetre::setLineStyle(style);
    syncInnerLook();
}
