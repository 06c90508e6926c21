#include "geometry/CPointAncetre.h"

#include <cmath>

#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CListeAction.h"
#include "core/CPalette.h"
#include "geometry/CDroite.h"

IMPLEMENT_SERIAL(CPointAncetre, CElementGraphique, 1)
IMPLEMENT_SERIAL(CPointAncetrePointsMobiles, CPointAncetre, 1)
IMPLEMENT_SERIAL(CPointBase, CPointAncetrePointsMobiles, 1)
IMPLEMENT_SERIAL(CMilieu, CPointAncetre, 1)
IMPLEMENT_SERIAL(CCentreGravite, CPointAncetre, 1)
IMPLEMENT_SERIAL(CPointProjete, CPointAncetre, 1)

namespace geo {
int roundCoord(double v) {
    double r = std::floor(v + 0.5);
    if (!(r > -2147483648.0)) return -2147483647 - 1;
    if (!(r < 2147483647.0)) return 2147483647;
    return static_cast<int>(r);
}

int truncDistance(double d) {
    if (!(d < 2147483647.0)) return kNotDesignable;
    return static_cast<int>(d);
}

bool collinear(double px, double py, double qx, double qy) {
    double np = std::sqrt(px * px + py * py);
    double nq = std::sqrt(qx * qx + qy * qy);
    if (np == 0 || nq == 0) return true;
    return std::fabs((px * qy - py * qx) / np / nq) < kEps;
}

}  // namespace geo

bool unitLengthDistance(const CListeAction* list, double* u) {
    if (!list || !list->unitLength) return false;
    const std::vector<CElementBase*> points = list->unitLength->refs();
    if (points.size() < 2) return false;
    const auto* a = dynamic_cast<const CPointAncetre*>(points[0]);
    const auto* b = dynamic_cast<const CPointAncetre*>(points[1]);
    if (!geo::existing(a) || !geo::existing(b)) return false;
    *u = std::hypot(b->x - a->x, b->y - a->y);
    return true;
}

bool CViewBounds::acceptsPosition(double x, double y) const {
    return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
}

// ---------------------------------------------------------------------------------------------
// CPointAncetre

CPointAncetre::CPointAncetre() {
    nameOffsetX = 0;
    nameOffsetY = 6;
}

CPointAncetre::CPointAncetre(int8_t colour, int pointStyle)
    : CElementGraphique(colour), pointStyle(pointStyle) {
    nameOffsetX = 0;
    nameOffsetY = 6;
}

void CPointAncetre::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeByte(static_cast<uint8_t>(pointStyle));
    } else {
        pointStyle = ar.readByte();
    }
}

void CPointAncetre::readPreviousFormat(CArchive& ar) {
    CElementGraphique::readPreviousFormat(ar);
    pointStyle = ar.readByte();
}

void CPointAncetre::copyStateFrom(const CElementBase& src) {
    CElementGraphique::copyStateFrom(src);
    if (const auto* p = dynamic_cast<const CPointAncetre*>(&src)) {
        x = p->x;
        y = p->y;
        pointStyle = p->pointStyle;
        outOfRange = p->outOfRange;
    }
}

void CPointAncetre::draw(CDC* dc, bool hideMasked) {
    if (exists) drawPoint(dc, false, hideMasked);
}

void CPointAncetre::erase(CDC* dc, bool hideMasked) {
    if (exists) drawPoint(dc, true, hideMasked);
}

bool CPointAncetre::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* p = static_cast<const CPointAncetre*>(other);
    return std::fabs(p->x - x) < geo::kEps && std::fabs(p->y - y) < geo::kEps;
}

void CPointAncetre::updateNameAnchor() {
    setNameAnchor(x, y);
}

// The name of a point out of range would be drawn out of range too, beside an invisible point.
void CPointAncetre::drawName(CDC* dc, bool hideMasked, bool respectNameHidden) {
    if (exists && !outOfRange) CElementGraphique::drawName(dc, hideMasked, respectNameHidden);
}

void CPointAncetre::eraseName(CDC* dc, bool hideMasked, bool respectNameHidden) {
    if (exists && !outOfRange) CElementGraphique::eraseName(dc, hideMasked, respectNameHidden);
}

int CPointAncetre::designationDistance(int mx, int my, bool hideMasked) {
    // A point out of range is not drawn, so there is no mark to click on.
    if (!exists || (hideMasked && masked) || outOfRange) return kNotDesignable;
    return geo::truncDistance(std::hypot(mx - x, my - y));
}

void CPointAncetre::drawPoint(CDC* dc, bool eraseMode, bool hideMasked) {
    if (outOfRange || (hideMasked && masked)) return;
    const int cx = geo::roundCoord(x);
    const int cy = geo::roundCoord(y);
    const int c = eraseMode ? 0 : colour;
    const CPenDesc pen = CPalette::thinPen(c);
    if (masked) {
        dc->selectPen(pen);
        dc->line(cx - 30, cy, cx + 40, cy);
        dc->line(cx, cy - 30, cx, cy + 40);
        dc->line(cx - 30, cy - 30, cx + 40, cy + 40);
        dc->line(cx + 30, cy - 30, cx - 40, cy + 40);
        return;
    }
    auto poly = [&](std::initializer_list<LPoint> offsets) {
        std::vector<LPoint> pts;
        for (const LPoint& o : offsets) pts.push_back({cx + o.x, cy + o.y});
        dc->polygon(pts);
    };
    const CBrushDesc brush = CBrushDesc::solidBrush(CPalette::colour(c));
    dc->selectPen(pen);
    if (pointStyle != 4 && pointStyle != 7) dc->selectBrush(brush);
    switch (pointStyle) {
        case 0:
        default:
            dc->rectangle(cx - 20, cy - 20, cx + 20, cy + 20);
            break;
        case 1:
            poly({{-30, -20},
                  {-20, -30},
                  {10, -30},
                  {20, -20},
                  {20, 10},
                  {10, 20},
                  {-20, 20},
                  {-30, 10}});
            break;
        case 2:
            dc->rectangle(cx - 30, cy - 10, cx + 30, cy + 10);
            dc->rectangle(cx - 10, cy - 30, cx + 10, cy + 30);
            break;
        case 3:
            poly({{-30, -20}, {-20, -20}, {20, 20}, {10, 20}});
            poly({{-30, 20}, {-20, 20}, {20, -20}, {10, -20}});
            break;
        case 4:
            // The frame is drawn before the colour brush is chosen: only its outline shows.
            dc->selectBrush(CBrushDesc::nullBrush());
            dc->rectangle(cx - 30, cy - 30, cx + 40, cy + 40);
            dc->selectBrush(brush);
            dc->rectangle(cx - 10, cy - 10, cx + 20, cy + 20);
            break;
        case 5:
            poly({{-20, -10},
                  {-10, -20},
                  {0, -20},
                  {10, -10},
                  {10, 0},
                  {0, 10},
                  {-10, 10},
                  {-20, 0}});
            break;
        case 6:
            poly({{0, -20}, {-20, 0}, {0, 20}, {20, 0}});
            break;
        case 7: {
            const COLORREF rgb = CPalette::colour(c);
            for (int k = -10; k <= 10; k += 2) {
                dc->setPixel(cx + k, cy, rgb);
                dc->setPixel(cx, cy + k, rgb);
            }
            break;
        }
    }
}

void CPointAncetre::setPosition(double nx, double ny) {
    x = nx;
    y = ny;
    exists = true;
    setNameAnchor(x, y);
    checkRange();
}

void CPointAncetre::checkRange() {
    outOfRange = !geo::inRange(x, y);
    updateNameAnchor();
}

bool CPointAncetre::positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px,
                                      double* py) {
    double nx = mouseX, ny = mouseY;
    if (!geo::inRange(nx, ny) || !view.acceptsPosition(nx, ny)) return false;
    *px = nx;
    *py = ny;
    return true;
}

bool CPointAncetre::liesOnLine(const CDroite* d) const {
    if (!exists || !d) return false;
    return geo::collinear(x - d->p0x, y - d->p0y, d->wx, d->wy) && d->containsLinePoint(x, y);
}

bool CPointAncetre::isInWindow() const {
    LSize w = activeDrawingArea();
    return geo::inRange(x, y) && x >= 0 && x <= w.cx && y >= 0 && y <= w.cy;
}

bool CPointAncetre::isOnCircleByConstruction(const CCercle*) const {
    return false;
}

bool CPointAncetre::isOnLineByConstruction(const CDroite*) const {
    return false;
}

std::string CPointAncetre::describedAs(const std::string& text) const {
    return "Point " + getName() + " : " + text;
}

// ---------------------------------------------------------------------------------------------
// CPointAncetrePointsMobiles

void CPointAncetrePointsMobiles::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    if (ar.IsStoring())
        ar.writeBool(mobile);
    else
        mobile = ar.readBool();
}

void CPointAncetrePointsMobiles::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    mobile = ar.readBool();
}

void CPointAncetrePointsMobiles::copyStateFrom(const CElementBase& src) {
    CPointAncetre::copyStateFrom(src);
    if (const auto* p = dynamic_cast<const CPointAncetrePointsMobiles*>(&src)) mobile = p->mobile;
}

std::string CPointAncetrePointsMobiles::getStatusText() const {
    std::string base = CPointAncetre::getStatusText();
    return mobile ? base : joinStatus(base, "punaisé");
}

// ---------------------------------------------------------------------------------------------
// CPointBase

CPointBase::CPointBase(double px, double py, int8_t colour, int pointStyle)
    : CPointAncetrePointsMobiles(colour, pointStyle) {
    x = px;
    y = py;
}

void CPointBase::Serialize(CArchive& ar) {
    CPointAncetrePointsMobiles::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeDouble(x);
        ar.writeDouble(y);
    } else {
        x = ar.readDouble();
        y = ar.readDouble();
    }
}

void CPointBase::readPreviousFormat(CArchive& ar) {
    CPointAncetrePointsMobiles::readPreviousFormat(ar);
    x = ar.readDouble();
    y = ar.readDouble();
}

void CPointBase::computePosition() {
    checkRange();
    exists = true;
}

std::string CPointBase::getConstructionInfo(CElementBase**, CElementBase**, CElementBase**) const {
    return "Point libre";
}

std::string CPointBase::getDescription() const {
    return describedAs("Point libre");
}

void CPointBase::moveBy(double dx, double dy) {
    x += dx;
    y += dy;
}

void CPointBase::scaleAbout(double cx, double cy, double k) {
    x = cx + k * (x - cx);
    y = cy + k * (y - cy);
}

// ---------------------------------------------------------------------------------------------
// CMilieu

CMilieu::CMilieu(CPointAncetre* a, CPointAncetre* b, int8_t colour, int pointStyle)
    : CPointAncetre(colour, pointStyle), A(a), B(b) {}

IMPLEMENT_REFS(CMilieu, CPointAncetre, A, B)

void CMilieu::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CMilieu::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CMilieu::computePosition() {
    exists = geo::existing(A) && geo::existing(B);
    if (exists) setPosition((A->x + B->x) / 2, (A->y + B->y) / 2);
}

bool CMilieu::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other, true);
}

std::string CMilieu::getConstructionInfo(CElementBase** a, CElementBase** b,
                                         CElementBase** c) const {
    firstParents(a, b, c);
    return "Milieu d'un bipoint";
}

std::string CMilieu::getDescription() const {
    return describedAs("Milieu de [" + geo::nameOf(A) + geo::nameOf(B) + "]");
}

// ---------------------------------------------------------------------------------------------
// CCentreGravite

CCentreGravite::CCentreGravite(CPointAncetre* a, CPointAncetre* b, CPointAncetre* c, int8_t colour,
                               int pointStyle)
    : CPointAncetre(colour, pointStyle), A(a), B(b), C(c) {}

IMPLEMENT_REFS(CCentreGravite, CPointAncetre, A, B, C)

void CCentreGravite::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CCentreGravite::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CCentreGravite::computePosition() {
    exists = geo::existing(A) && geo::existing(B) && geo::existing(C);
    if (exists) setPosition((A->x + B->x + C->x) / 3, (A->y + B->y + C->y) / 3);
}

bool CCentreGravite::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CCentreGravite::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                CElementBase** c) const {
    firstParents(a, b, c);
    return "Centre de gravité";
}

std::string CCentreGravite::getDescription() const {
    return describedAs("Centre de gravité du triangle " + geo::nameOf(A) + geo::nameOf(B) +
                       geo::nameOf(C));
}

// ---------------------------------------------------------------------------------------------
// CPointProjete

CPointProjete::CPointProjete(CPointAncetre* a, CDroite* line, int8_t colour, int pointStyle)
    : CPointAncetre(colour, pointStyle), A(a), d(line) {}

IMPLEMENT_REFS(CPointProjete, CPointAncetre, A, d)

void CPointProjete::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CPointProjete::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CPointProjete::computePosition() {
    exists = geo::existing(A) && geo::existing(d) && (d->wx != 0 || d->wy != 0);
    if (!exists) return;
    double hx, hy;
    d->project(A->x, A->y, &hx, &hy);
    if (!std::isfinite(hx) || !std::isfinite(hy) || !d->containsLinePoint(hx, hy)) {
        exists = false;
        return;
    }
    setPosition(hx, hy);
}

bool CPointProjete::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CPointProjete::getConstructionInfo(CElementBase** a, CElementBase** b,
                                               CElementBase** c) const {
    firstParents(a, b, c);
    return "Point projeté orthogonal";
}

std::string CPointProjete::getDescription() const {
    return describedAs("Projeté orthogonal du point " + geo::nameOf(A) + "\n      sur " +
                       (d ? d->getDisplayName() : std::string()));
}

bool CPointProjete::isOnLineByConstruction(const CDroite* line) const {
    return line && line == d;
}
