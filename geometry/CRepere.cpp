#include "geometry/CRepere.h"

#include <algorithm>
#include <cmath>

#include "calc/NumberFormat.h"
#include "core/CArchive.h"
#include "core/CHost.h"
#include "values/CValeurDynamique.h"

IMPLEMENT_SERIAL_VERSIONABLE(CRepere, CElementGraphique, 2)
IMPLEMENT_SERIAL(CPointDansRepere, CPointAncetre, 1)
IMPLEMENT_SERIAL(CPointParAffixe, CPointAncetre, 1)
IMPLEMENT_SERIAL(CPointBaseEnt, CPointAncetrePointsMobiles, 1)
IMPLEMENT_SERIAL(CDroiteOm, CDroite, 1)

using geo::existing;
using geo::nameOf;

namespace {
bool sameValue(const CValeurAssocieeAVariableAncetre& a, const CValeurAssocieeAVariableAncetre& b) {
    return a.reference == b.reference && (a.reference || a.constant == b.constant);
}

std::string valueText(const CValeurAssocieeAVariable& v) {
    return v.getText(12);
}

// Index range of the lines of direction `dir` through the window corners, measured along
// `along` from `o` (floor of the smallest parameter to floor of the largest plus 1).
void indexRange(double ox, double oy, double dirx, double diry, double alongx, double alongy,
                double* lo, double* hi) {
    const LSize win = activeDrawingArea();
    const double corners[4][2] = {
        {0, 0}, {double(win.cx), 0}, {0, double(win.cy)}, {double(win.cx), double(win.cy)}};
    double tmin = 0, tmax = 0;
    for (int i = 0; i < 4; ++i) {
        double px, py;
        geo::intersectLines(corners[i][0], corners[i][1], dirx, diry, ox, oy, alongx, alongy, &px,
                            &py);
        const double t = alongy != 0 ? (py - oy) / alongy : (px - ox) / alongx;
        if (i == 0 || t < tmin) tmin = t;
        if (i == 0 || t > tmax) tmax = t;
    }
    *lo = std::floor(tmin);
    *hi = std::floor(tmax) + 1;
}

bool spanDrawable(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi) && hi - lo <= CRepere::kMaxGridSpan;
}
}  // namespace

std::string frameText(const CRepere* r) {
    return r ? r->shortDesignation() : std::string();
}

// ---------------------------------------------------------------------------------------------
// CRepere

CRepere::CRepere(CPointAncetre* o, CPointAncetre* i, CPointAncetre* j, CDroite* xAxis,
                 CDroite* yAxis, const CValeurAssocieeAVariable& a,
                 const CValeurAssocieeAVariable& b, bool xGrid, bool yGrid, bool dotted,
                 int8_t colour)
    : CElementGraphique(colour),
      O(o),
      I(i),
      J(j),
      xAxis(xAxis),
      yAxis(yAxis),
      a(a),
      b(b),
      xGrid(xGrid),
      yGrid(yGrid),
      dotted(dotted) {}

IMPLEMENT_REFS(CRepere, CElementGraphique, O, I, J, xAxis, yAxis, held(a.reference),
               held(b.reference))

void CRepere::load(CArchive& ar, bool previous) {
    if (previous || ar.getObjectSchema() < 2) ar.readByte();
    serializeOwnRefs(ar, *this);
    xGrid = ar.readBool();
    yGrid = ar.readBool();
    dotted = ar.readBool();
    if (previous) {
        a.readPreviousFormat(ar);
        b.readPreviousFormat(ar);
    } else {
        a.Serialize(ar);
        b.Serialize(ar);
    }
}

void CRepere::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    if (ar.IsLoading()) {
        load(ar, false);
        return;
    }
    serializeOwnRefs(ar, *this);
    ar.writeBool(xGrid);
    ar.writeBool(yGrid);
    ar.writeBool(dotted);
    a.Serialize(ar);
    b.Serialize(ar);
}

void CRepere::readPreviousFormat(CArchive& ar) {
    CElementGraphique::readPreviousFormat(ar);
    load(ar, true);
}

void CRepere::copyStateFrom(const CElementBase& src) {
    CElementGraphique::copyStateFrom(src);
    if (const auto* r = dynamic_cast<const CRepere*>(&src)) {
        ux = r->ux;
        uy = r->uy;
        vx = r->vx;
        vy = r->vy;
        originX = r->originX;
        originY = r->originY;
        vIndexMin = r->vIndexMin;
        vIndexMax = r->vIndexMax;
        uIndexMin = r->uIndexMin;
        uIndexMax = r->uIndexMax;
    }
}

void CRepere::computePosition() {
    exists = existing(O) && existing(I) && existing(J) && a.isDefined() && b.isDefined();
    if (!exists) return;
    ux = I->x - O->x;
    uy = I->y - O->y;
    vx = J->x - O->x;
    vy = J->y - O->y;
    if (geo::collinear(ux, uy, vx, vy)) {
        exists = false;
        return;
    }
    const double x0 = a.getValue(), y0 = b.getValue();
    originX = O->x - x0 * ux - y0 * vx;
    originY = O->y - x0 * uy - y0 * vy;
    if (xGrid || dotted) indexRange(O->x, O->y, ux, uy, vx, vy, &vIndexMin, &vIndexMax);
    if (yGrid || dotted) indexRange(O->x, O->y, vx, vy, ux, uy, &uIndexMin, &uIndexMax);
}

void CRepere::toWindow(double x, double y, double* px, double* py) const {
    *px = originX + x * ux + y * vx;
    *py = originY + x * uy + y * vy;
}

void CRepere::drawGrid(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    const int8_t c = eraseMode ? 0 : colour;
    CDroite line(c, 1);
    auto drawFamily = [&](double lo, double hi, double stepx, double stepy, double dirx,
                          double diry) {
        if (!spanDrawable(lo, hi)) return;
        for (double k = lo; k <= hi; ++k) {
            if (k == 0) continue;
            line.p0x = O->x + k * stepx;
            line.p0y = O->y + k * stepy;
            line.wx = dirx;
            line.wy = diry;
            line.clipFullLine();
            // The grid keeps its dotted style whatever the masking pass asks.
            if (line.exists) line.drawLine(dc, false, true);
        }
    };
    if (xGrid) drawFamily(vIndexMin, vIndexMax, vx, vy, ux, uy);
    if (yGrid) drawFamily(uIndexMin, uIndexMax, ux, uy, vx, vy);
    if (dotted && spanDrawable(uIndexMin, uIndexMax) && spanDrawable(vIndexMin, vIndexMax)) {
        CPointBase mark(0, 0, c, 7);
        for (double i = uIndexMin; i <= uIndexMax; ++i)
            for (double j = vIndexMin; j <= vIndexMax; ++j) {
                mark.setPosition(O->x + i * ux + j * vx, O->y + i * uy + j * vy);
                mark.drawPoint(dc, false, false);
            }
    }
}

void CRepere::draw(CDC* dc, bool hideMasked) {
    drawGrid(dc, false, hideMasked);
}

void CRepere::erase(CDC* dc, bool hideMasked) {
    drawGrid(dc, true, hideMasked);
}

bool CRepere::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* r = static_cast<const CRepere*>(other);
    return r->O == O && r->I == I && r->J == J && sameValue(r->a, a) && sameValue(r->b, b);
}

std::string CRepere::getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                         CElementBase** pc) const {
    firstParents(pa, pb, pc);
    return std::string("Repère ") + "\r\n" + "Origine des abscisses à : " + valueText(a) + "\r\n" +
           "Origine des ordonnées à : " + valueText(b);
}

std::string CRepere::getDisplayName() const {
    return "Repère (" + nameOf(O) + ", " + nameOf(I) + ", " + nameOf(J) + ")";
}

std::string CRepere::getDescription() const {
    const char* indent = "\n      ";
    std::string text = getDisplayName();
    if (xGrid) text += indent + std::string("avec quadrillage de l'axe des abscisses");
    if (yGrid) text += indent + std::string("avec quadrillage de l'axe des ordonnées");
    if (dotted) text += indent + std::string("avec pointillés");
    text += indent + std::string("Origine des abscisses à : ") + valueText(a);
    text += indent + std::string("Origine des ordonnées à : ") + valueText(b);
    return text;
}

int CRepere::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    int d = kNotDesignable;
    if (xAxis) d = std::min(d, xAxis->designationDistance(mx, my, hideMasked));
    if (yAxis) d = std::min(d, yAxis->designationDistance(mx, my, hideMasked));
    return d;
}

void CRepere::rebuildFromText(CListeAction* list) {
    a.rebuildFromText(list);
    b.rebuildFromText(list);
}

std::string CRepere::shortDesignation() const {
    // Appended piece by piece: GCC 12 wrongly warns (-Wrestrict) when a one-character literal
    // is put before a temporary string in optimised builds.
    std::string s(1, '(');
    s += nameOf(O);
    for (const CPointAncetre* p : {I, J}) {
        s += ',';
        s += nameOf(p);
    }
    s += ')';
    return s;
}

// ---------------------------------------------------------------------------------------------
// CPointDansRepere

IMPLEMENT_REFS(CPointDansRepere, CPointAncetre, R, held(xv.reference), held(yv.reference))

void CPointDansRepere::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
    xv.Serialize(ar);
    yv.Serialize(ar);
}

void CPointDansRepere::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    xv.readPreviousFormat(ar);
    yv.readPreviousFormat(ar);
}

void CPointDansRepere::computePosition() {
    exists = existing(R) && xv.isDefined() && yv.isDefined();
    if (!exists) return;
    R->toWindow(xv.getValue(), yv.getValue(), &x, &y);
    checkRange();
}

bool CPointDansRepere::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* p = static_cast<const CPointDansRepere*>(other);
    return p->R == R && sameValue(p->xv, xv) && sameValue(p->yv, yv);
}

std::string CPointDansRepere::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                  CElementBase** c) const {
    if (a) *a = R ? R->O : nullptr;
    if (b) *b = R ? R->I : nullptr;
    if (c) *c = R ? R->J : nullptr;
    return "Point de coordonnées (" + valueText(xv) + "; " + valueText(yv) + ")\r\n" +
           " dans le repère " + frameText(R);
}

std::string CPointDansRepere::getDescription() const {
    return describedAs("Point de coordonnées (" + valueText(xv) + "; " + valueText(yv) + ") " +
                       " dans le repère " + frameText(R));
}

void CPointDansRepere::rebuildFromText(CListeAction* list) {
    xv.rebuildFromText(list);
    yv.rebuildFromText(list);
}

// ---------------------------------------------------------------------------------------------
// CPointParAffixe

IMPLEMENT_REFS(CPointParAffixe, CPointAncetre, R, held(z.reference))

void CPointParAffixe::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
    z.Serialize(ar);
}

void CPointParAffixe::computePosition() {
    exists = existing(R) && z.isDefined();
    if (!exists) return;
    const Complexe w = z.getComplexValue();
    R->toWindow(w.re, w.im, &x, &y);
    checkRange();
}

bool CPointParAffixe::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* p = static_cast<const CPointParAffixe*>(other);
    return p->R == R && p->z.reference == z.reference &&
           (z.reference || p->z.constant == z.constant);
}

std::string CPointParAffixe::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                 CElementBase** c) const {
    if (a) *a = R ? R->O : nullptr;
    if (b) *b = R ? R->I : nullptr;
    if (c) *c = R ? R->J : nullptr;
    return "Point d'affixe " + z.getText(12) + "\r\n" + " dans le repère " + frameText(R);
}

std::string CPointParAffixe::getDescription() const {
    return describedAs("Point d'affixe " + z.getText(12) + " dans le repère " + frameText(R));
}

void CPointParAffixe::rebuildFromText(CListeAction* list) {
    z.rebuildFromText(list);
}

// ---------------------------------------------------------------------------------------------
// CPointBaseEnt

CPointBaseEnt::CPointBaseEnt(CRepere* r, double a, double b, int8_t colour, int pointStyle)
    : CPointAncetrePointsMobiles(colour, pointStyle), R(r), a(a), b(b) {}

IMPLEMENT_REFS(CPointBaseEnt, CPointAncetrePointsMobiles, R)

void CPointBaseEnt::Serialize(CArchive& ar) {
    CPointAncetrePointsMobiles::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsStoring()) {
        ar.writeDouble(a);
        ar.writeDouble(b);
        ar.writeBool(abscissaFree);
        ar.writeBool(ordinateFree);
        ar.writeInt(abscissaMin);
        ar.writeInt(abscissaMax);
        ar.writeInt(ordinateMin);
        ar.writeInt(ordinateMax);
    } else {
        a = ar.readDouble();
        b = ar.readDouble();
        abscissaFree = ar.readBool();
        ordinateFree = ar.readBool();
        abscissaMin = ar.readInt();
        abscissaMax = ar.readInt();
        ordinateMin = ar.readInt();
        ordinateMax = ar.readInt();
    }
}

void CPointBaseEnt::copyStateFrom(const CElementBase& src) {
    CPointAncetrePointsMobiles::copyStateFrom(src);
    if (const auto* p = dynamic_cast<const CPointBaseEnt*>(&src)) {
        a = p->a;
        b = p->b;
    }
}

void CPointBaseEnt::computePosition() {
    exists = existing(R);
    if (!exists) return;
    R->toWindow(a, b, &x, &y);
    checkRange();
}

std::string CPointBaseEnt::getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                               CElementBase** pc) const {
    firstParents(pa, pb, pc);
    return std::string("Point libre à coordonnées entières") + "\r\n" + " dans le repère " +
           frameText(R);
}

std::string CPointBaseEnt::getDescription() const {
    const char* indent = "\n      ";
    std::string text =
        describedAs("Point libre à coordonnées entières dans le repère " + frameText(R));
    text += indent + std::string("Abscisse actuelle : ") + formatNumber(a, 12, 12) + "    " +
            "Ordonnées actuelle : " + formatNumber(b, 12, 12);
    if (abscissaFree)
        text += indent + std::string("Abscisses libres : ");
    else
        text += indent + std::string("Abscisse mini : ") + std::to_string(abscissaMin) +
                "Abscisse maxi : " + std::to_string(abscissaMax);
    if (ordinateFree)
        text += indent + std::string("Ordonnées libres : ");
    else
        text += indent + std::string("Ordonnée mini : ") + std::to_string(ordinateMin) +
                "Ordonnée maxi : " + std::to_string(ordinateMax);
    return text;
}

bool CPointBaseEnt::positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* pa,
                                      double* pb) {
    double na = a, nb = b;
    if (R) {
        const double det = R->ux * R->vy - R->vx * R->uy;
        const double dx = mouseX - R->originX, dy = mouseY - R->originY;
        const double fa0 = (dx * R->vy - dy * R->vx) / det;
        const double fb0 = (dy * R->ux - dx * R->uy) / det;
        if (std::isfinite(fa0) && std::isfinite(fb0)) {
            const double fa = std::floor(fa0), fb = std::floor(fb0);
            const double ra = fa0 - fa > 0.5 ? fa + 1 : fa;
            const double rb = fb0 - fb > 0.5 ? fb + 1 : fb;
            auto accepted = [&](double ca, double cb) {
                double px, py;
                R->toWindow(ca, cb, &px, &py);
                return view.acceptsPosition(px, py);
            };
            if (accepted(ra, rb)) {
                na = ra;
                nb = rb;
            } else {
                const double candidates[4][2] = {
                    {fa, fb}, {fa + 1, fb}, {fa + 1, fb + 1}, {fa, fb + 1}};
                double best = 1.0;
                na = fa;
                nb = fb;
                for (const auto& c : candidates) {
                    const double dist = std::hypot(c[0] - fa0, c[1] - fb0);
                    if (accepted(c[0], c[1]) && dist < best) {
                        best = dist;
                        na = c[0];
                        nb = c[1];
                    }
                }
            }
        }
    }
    if (!abscissaFree) na = std::clamp(na, double(abscissaMin), double(abscissaMax));
    if (!ordinateFree) nb = std::clamp(nb, double(ordinateMin), double(ordinateMax));
    *pa = na;
    *pb = nb;
    return true;
}

void CPointBaseEnt::setCoordinates(double na, double nb) {
    a = na;
    b = nb;
    exists = true;
}

// ---------------------------------------------------------------------------------------------
// CDroiteOm

IMPLEMENT_REFS(CDroiteOm, CDroite, R, A, held(m.reference))

void CDroiteOm::Serialize(CArchive& ar) {
    CDroite::Serialize(ar);
    serializeOwnRefs(ar, *this);
    m.Serialize(ar);
}

void CDroiteOm::readPreviousFormat(CArchive& ar) {
    CDroite::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    m.readPreviousFormat(ar);
}

void CDroiteOm::computePosition() {
    exists = existing(R) && existing(A) && m.isDefined();
    if (!exists) return;
    const double slope = m.getValue();
    p0x = A->x;
    p0y = A->y;
    wx = R->ux + slope * R->vx;
    wy = R->uy + slope * R->vy;
    if (!std::isfinite(wx) || !std::isfinite(wy)) {
        exists = false;
        return;
    }
    clipFullLine();
}

std::string CDroiteOm::getConstructionInfo(CElementBase** a, CElementBase** b,
                                           CElementBase** c) const {
    firstParents(a, b, c);
    return "Droite de coefficient directeur " + valueText(m) + "\r\n" + " dans le repère " +
           frameText(R);
}

std::string CDroiteOm::getDescription() const {
    return "Droite " + getName() + " : " + " Droite de coefficient directeur " + valueText(m) +
           "\n      " + " dans le repère " + frameText(R) + " et passant par " + nameOf(A);
}

bool CDroiteOm::passesThroughByConstruction(const CPointAncetre* p) const {
    return p && (p == A || p->isOnLineByConstruction(this));
}

void CDroiteOm::rebuildFromText(CListeAction* list) {
    m.rebuildFromText(list);
}
