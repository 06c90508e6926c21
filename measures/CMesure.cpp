#include "measures/CMesure.h"

#include <cctype>
#include <cmath>

#include "calc/Arithmetic.h"
#include "calc/EvaluationState.h"
#include "calc/NumberFormat.h"
#include "core/CArchive.h"
#include "core/CListeAction.h"
#include "geometry/CPointAncetre.h"
#include "geometry/CPolygone.h"
#include "geometry/CRepere.h"

IMPLEMENT_SERIAL(CLongueur, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CMesureAngleGeometrique, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CMesureAngleOriente, CMesureAngleGeometrique, 1)
IMPLEMENT_SERIAL(CMesureAbscisse, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CMesureX, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CMesureY, CMesureX, 1)
IMPLEMENT_SERIAL(CMesureAffixe, CMesureX, 1)
IMPLEMENT_SERIAL(CMesureAire, CCalculAncetre, 1)
IMPLEMENT_SERIAL(CMesureLongueurLigne, CCalculAncetre, 1)
IMPLEMENT_SERIAL(CPartieReelle, CCalculAncetre, 1)
IMPLEMENT_SERIAL(CPartieImaginaire, CPartieReelle, 1)
IMPLEMENT_SERIAL(CArgument, CPartieReelle, 1)
IMPLEMENT_SERIAL(CModule, CPartieReelle, 1)

IMPLEMENT_REFS(CLongueur, CValeurDynamique, A, B)
IMPLEMENT_REFS(CMesureAngleGeometrique, CValeurDynamique, A, O, B)
IMPLEMENT_REFS(CMesureAbscisse, CValeurDynamique, O, I, M)
IMPLEMENT_REFS(CMesureX, CValeurDynamique, frame, M)
IMPLEMENT_REFS(CMesureAire, CCalculAncetre, polygon)
IMPLEMENT_REFS(CMesureLongueurLigne, CCalculAncetre, line)
IMPLEMENT_REFS(CPartieReelle, CCalculAncetre, complexValue)

using geo::existing;
using geo::nameOf;

namespace {
constexpr double kPi = 3.14159265358979323846;

bool samePosition(const CPointAncetre* p, const CPointAncetre* q) {
    return std::fabs(p->x - q->x) < geo::kEps && std::fabs(p->y - q->y) < geo::kEps;
}

double inAngleUnit(double radians) {
    return isDegreeMode() ? radians * 180.0 / kPi : radians;
}

// One-line form of a description: line breaks become an indented new line.
std::string oneLine(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            out += "\n      ";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool equalsNoCase(const std::string& text, size_t pos, const std::string& name) {
    if (name.empty() || pos > text.size() || text.size() - pos < name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[pos + i])) !=
            std::tolower(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

bool dependsThroughUnit(const CListeAction* list, const CElementBase* self, const CElementBase* p) {
    return list && list->unitLength && list->unitLength != self && list->unitLength->dependsOn(p);
}

bool dependsThroughUnitForPositioning(const CListeAction* list, const CElementBase* self,
                                      const CElementBase* p) {
    return list && list->unitLength && list->unitLength != self &&
           list->unitLength->dependsOnForPositioning(p);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CLongueur

bool CLongueur::isUnitLength() const {
    return list && list->unitLength == this;
}

std::string CLongueur::getName() const {
    return nameOf(A) + nameOf(B);
}

bool CLongueur::matchesNameAt(const std::string& text, size_t pos, int* length) const {
    const std::string ab = getName();
    if (length) *length = static_cast<int>(ab.size());
    return equalsNoCase(text, pos, ab) || equalsNoCase(text, pos, nameOf(B) + nameOf(A));
}

bool CLongueur::hasName(const std::string& n) const {
    const std::string ab = getName();
    if (n.size() != ab.size()) return false;
    return equalsNoCase(n, 0, ab) || equalsNoCase(n, 0, nameOf(B) + nameOf(A));
}

std::string CLongueur::getCreationMessage() const {
    return creationMessageFor(getValueKind(), getName());
}

void CLongueur::computePosition() {
    exists = false;
    if (!list || !list->unitLength) return;
    if (isUnitLength()) {
        value = 1;
        exists = existing(A) && existing(B);
        return;
    }
    double u;
    if (!existing(A) || !existing(B) || !unitLengthDistance(list, &u) || u == 0) return;
    value = std::hypot(B->x - A->x, B->y - A->y) / u;
    exists = true;
}

void CLongueur::copyStateFrom(const CElementBase& src) {
    CValeurDynamique::copyStateFrom(src);
    if (const auto* l = dynamic_cast<const CLongueur*>(&src)) value = l->value;
}

bool CLongueur::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other, true);
}

// A length other than the unit is divided by the unit length: it follows the unit's points too.
bool CLongueur::computeDependsOn(const CElementBase* p) const {
    return CValeurDynamique::computeDependsOn(p) || dependsThroughUnit(list, this, p);
}

bool CLongueur::computeDependsOnForPositioning(const CElementBase* p) const {
    return CValeurDynamique::computeDependsOnForPositioning(p) ||
           dependsThroughUnitForPositioning(list, this, p);
}

bool CLongueur::usesNameOf(const CElementBase* p) const {
    return p && (p == A || p == B);
}

std::string CLongueur::getConstructionInfo(CElementBase** a, CElementBase** b,
                                           CElementBase** c) const {
    firstParents(a, b, c);
    return (isUnitLength() ? "Longueur unité : " : "Longueur mesurée : ") + getName();
}

std::string CLongueur::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CLongueur::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    if (ar.IsLoading()) list = ar.currentList();
    serializeOwnRefs(ar, *this);
}

void CLongueur::readPreviousFormat(CArchive& ar) {
    CValeurDynamique::readPreviousFormat(ar);
    list = ar.currentList();
    serializeOwnRefs(ar, *this);
}

// ---------------------------------------------------------------------------------------------
// CMesureAngleGeometrique

std::string CMesureAngleGeometrique::getName() const {
    return nameOf(A) + nameOf(O) + nameOf(B);
}

std::string CMesureAngleGeometrique::getCreationMessage() const {
    return creationMessageFor(getValueKind(), getName());
}

bool CMesureAngleGeometrique::sides(double* ux, double* uy, double* vx, double* vy) const {
    if (!existing(A) || !existing(O) || !existing(B)) return false;
    if (samePosition(A, O) || samePosition(B, O)) return false;
    *ux = A->x - O->x;
    *uy = A->y - O->y;
    *vx = B->x - O->x;
    *vy = B->y - O->y;
    return true;
}

void CMesureAngleGeometrique::computePosition() {
    double ux, uy, vx, vy;
    exists = sides(&ux, &uy, &vx, &vy);
    if (!exists) return;
    const double d = ux * vx + uy * vy;
    const double c = std::fabs(ux * vy - uy * vx);
    double a;
    if (d == 0)
        a = kPi / 2;
    else if (d > 0)
        a = std::atan(c / d);
    else
        a = kPi - std::atan(c / std::fabs(d));
    value = inAngleUnit(a);
}

void CMesureAngleGeometrique::copyStateFrom(const CElementBase& src) {
    CValeurDynamique::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMesureAngleGeometrique*>(&src)) value = m->value;
}

// The angle AOB is the angle BOA: same vertex, sides in either order.
bool CMesureAngleGeometrique::coincidesWith(const CElementBase* other) const {
    if (hasSameRefsAs(other)) return true;
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* m = static_cast<const CMesureAngleGeometrique*>(other);
    return m->O == O && m->A == B && m->B == A;
}

bool CMesureAngleGeometrique::usesNameOf(const CElementBase* p) const {
    return p && (p == A || p == O || p == B);
}

std::string CMesureAngleGeometrique::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                         CElementBase** c) const {
    firstParents(a, b, c);
    return measuredText() + getName();
}

std::string CMesureAngleGeometrique::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CMesureAngleGeometrique::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CMesureAngleGeometrique::readPreviousFormat(CArchive& ar) {
    CValeurDynamique::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

// ---------------------------------------------------------------------------------------------
// CMesureAngleOriente

std::string CMesureAngleOriente::getName() const {
    // Appended piece by piece: GCC 12 wrongly warns (-Wrestrict) when a one-character literal
    // is put before a temporary string in optimised builds.
    std::string s(1, '(');
    s += nameOf(O);
    s += nameOf(A);
    s += ',';
    s += nameOf(O);
    s += nameOf(B);
    s += ')';
    return s;
}

void CMesureAngleOriente::computePosition() {
    double ux, uy, vx, vy;
    exists = sides(&ux, &uy, &vx, &vy);
    if (!exists) return;
    const double d = ux * vx + uy * vy;
    const double c = uy * vx - vy * ux;
    double a;
    if (d == 0)
        a = c > 0 ? kPi / 2 : -kPi / 2;
    else if (d > 0)
        a = std::atan(c / d);
    else
        a = c < 0 ? std::atan(c / d) - kPi : std::atan(c / d) + kPi;
    // A flat angle whose cross product rounds to a tiny negative number is pi, never -pi.
    if (a <= -kPi + 1e-12) a = kPi;
    value = inAngleUnit(a);
}

// (OA, OB) is the opposite of (OB, OA): the order of the sides counts.
bool CMesureAngleOriente::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

// ---------------------------------------------------------------------------------------------
// CMesureAbscisse

std::string CMesureAbscisse::getName() const {
    return nameOf(M) + "(" + nameOf(O) + "," + nameOf(I) + ")";
}

std::string CMesureAbscisse::getCreationMessage() const {
    return creationMessageFor(getValueKind(), getName());
}

void CMesureAbscisse::computePosition() {
    exists = existing(O) && existing(I) && existing(M) && !samePosition(O, I);
    if (!exists) return;
    const double wx = I->x - O->x, wy = I->y - O->y;
    const double mx = M->x - O->x, my = M->y - O->y;
    if (!geo::collinear(wx, wy, mx, my)) {
        exists = false;
        return;
    }
    value = std::fabs(wx) <= std::fabs(wy) ? my / wy : mx / wx;
}

void CMesureAbscisse::copyStateFrom(const CElementBase& src) {
    CValeurDynamique::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMesureAbscisse*>(&src)) value = m->value;
}

bool CMesureAbscisse::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

bool CMesureAbscisse::usesNameOf(const CElementBase* p) const {
    return p && (p == O || p == I || p == M);
}

std::string CMesureAbscisse::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                 CElementBase** c) const {
    firstParents(a, b, c);
    return "Abscisse mesurée " + getName() + " du point " + nameOf(M) + "\r\n" +
           " dans le repère " + "(" + nameOf(O) + "," + nameOf(I) + ")";
}

std::string CMesureAbscisse::getDescription() const {
    return oneLine(getConstructionInfo(nullptr, nullptr, nullptr));
}

void CMesureAbscisse::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CMesureAbscisse::readPreviousFormat(CArchive& ar) {
    CValeurDynamique::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

// ---------------------------------------------------------------------------------------------
// CMesureX, CMesureY, CMesureAffixe

std::string CMesureX::pointsText() const {
    std::string o, i, j;
    if (frame) {
        o = nameOf(frame->O);
        i = nameOf(frame->I);
        j = nameOf(frame->J);
    }
    // Appended piece by piece: GCC 12 wrongly warns (-Wrestrict) when a one-character literal
    // is put before a temporary string in optimised builds.
    std::string s(1, '(');
    s += nameOf(M);
    for (const std::string* part : {&o, &i, &j}) {
        s += ',';
        s += *part;
    }
    s += ')';
    return s;
}

std::string CMesureX::getName() const {
    return prefix() + pointsText();
}

std::string CMesureX::getCreationMessage() const {
    return creationMessageFor(getValueKind(), getName());
}

bool CMesureX::coordinates(double* x, double* y) const {
    if (!existing(frame) || !existing(M)) return false;
    const CPointAncetre *o = frame->O, *pi = frame->I, *pj = frame->J;
    if (!o || !pi || !pj) return false;
    const double ix = pi->x - o->x, iy = pi->y - o->y;
    const double jx = pj->x - o->x, jy = pj->y - o->y;
    const double x0 = frame->a.getValue(), y0 = frame->b.getValue();
    const double px = o->x - x0 * ix - y0 * jx, py = o->y - x0 * iy - y0 * jy;
    const double qx = M->x - px, qy = M->y - py;
    const double d = ix * jy - iy * jx;
    if (d == 0) return false;
    *x = (qx * jy - qy * jx) / d;
    *y = (qy * ix - qx * iy) / d;
    return std::isfinite(*x) && std::isfinite(*y);
}

void CMesureX::computePosition() {
    double x, y;
    exists = coordinates(&x, &y);
    if (exists) value = x;
}

void CMesureY::computePosition() {
    double x, y;
    exists = coordinates(&x, &y);
    if (exists) value = y;
}

void CMesureAffixe::computePosition() {
    double x, y;
    exists = coordinates(&x, &y);
    if (exists) complexValue = {x, y};
}

void CMesureX::copyStateFrom(const CElementBase& src) {
    CValeurDynamique::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMesureX*>(&src)) value = m->value;
}

void CMesureAffixe::copyStateFrom(const CElementBase& src) {
    CMesureX::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMesureAffixe*>(&src)) complexValue = m->complexValue;
}

bool CMesureX::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

bool CMesureX::usesNameOf(const CElementBase* p) const {
    if (!p) return false;
    if (p == M) return true;
    return frame && (p == frame->O || p == frame->I || p == frame->J);
}

// The measured point comes first, before the frame it is measured in (not the file order).
std::string CMesureX::getConstructionInfo(CElementBase** a, CElementBase** b,
                                          CElementBase** c) const {
    if (a) *a = M;
    if (b) *b = frame;
    if (c) *c = nullptr;
    return measuredText() + nameOf(M) + " dans le repère " + frameText(frame);
}

std::string CMesureX::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CMesureX::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

// ---------------------------------------------------------------------------------------------
// CMesureAire

void CMesureAire::computePosition() {
    double u;
    exists = existing(polygon) && unitLengthDistance(list, &u) && u != 0;
    if (!exists) return;
    double s = 0;
    for (int i = 0; i + 1 < polygon->vertexCount(); ++i) {
        const CPointAncetre* p = polygon->vertex(i);
        const CPointAncetre* q = polygon->vertex(i + 1);
        s += (p->x * q->y - q->x * p->y) / 2;
    }
    value = std::fabs(s) / (u * u);
}

void CMesureAire::copyStateFrom(const CElementBase& src) {
    CCalculAncetre::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMesureAire*>(&src)) value = m->value;
}

bool CMesureAire::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

// An area is counted in squared unit lengths: it follows the unit's points too.
bool CMesureAire::computeDependsOn(const CElementBase* p) const {
    return CCalculAncetre::computeDependsOn(p) || dependsThroughUnit(list, this, p);
}

bool CMesureAire::computeDependsOnForPositioning(const CElementBase* p) const {
    return CCalculAncetre::computeDependsOnForPositioning(p) ||
           dependsThroughUnitForPositioning(list, this, p);
}

std::string CMesureAire::getConstructionInfo(CElementBase** a, CElementBase** b,
                                             CElementBase** c) const {
    firstParents(a, b, c);
    return " Aire nommée " + name + " du polygone " +
           (polygon ? polygon->getDescription() : std::string());
}

std::string CMesureAire::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CMesureAire::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    if (ar.IsLoading()) list = ar.currentList();
    serializeOwnRefs(ar, *this);
}

// ---------------------------------------------------------------------------------------------
// CMesureLongueurLigne

void CMesureLongueurLigne::computePosition() {
    double u;
    exists = existing(line) && unitLengthDistance(list, &u) && u != 0;
    if (!exists) return;
    double s = 0;
    for (int i = 0; i + 1 < line->vertexCount(); ++i) {
        const CPointAncetre* p = line->vertex(i);
        const CPointAncetre* q = line->vertex(i + 1);
        s += std::hypot(q->x - p->x, q->y - p->y);
    }
    value = s / u;
}

void CMesureLongueurLigne::copyStateFrom(const CElementBase& src) {
    CCalculAncetre::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMesureLongueurLigne*>(&src)) value = m->value;
}

bool CMesureLongueurLigne::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

// Counted in unit lengths: it follows the unit's points too.
bool CMesureLongueurLigne::computeDependsOn(const CElementBase* p) const {
    return CCalculAncetre::computeDependsOn(p) || dependsThroughUnit(list, this, p);
}

bool CMesureLongueurLigne::computeDependsOnForPositioning(const CElementBase* p) const {
    return CCalculAncetre::computeDependsOnForPositioning(p) ||
           dependsThroughUnitForPositioning(list, this, p);
}

std::string CMesureLongueurLigne::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                      CElementBase** c) const {
    firstParents(a, b, c);
    return " Longueur nommée " + name + " de la ligne " +
           (line ? line->getDescription() : std::string());
}

std::string CMesureLongueurLigne::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CMesureLongueurLigne::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    if (ar.IsLoading()) list = ar.currentList();
    serializeOwnRefs(ar, *this);
}

// ---------------------------------------------------------------------------------------------
// Complex parts

bool CPartieReelle::part(Complexe z, double* out) const {
    *out = z.re;
    return true;
}

bool CPartieImaginaire::part(Complexe z, double* out) const {
    *out = z.im;
    return true;
}

bool CModule::part(Complexe z, double* out) const {
    *out = std::sqrt(z.re * z.re + z.im * z.im);
    return true;
}

bool CArgument::part(Complexe z, double* out) const {
    if (z.re == 0 && z.im == 0) return false;
    *out = angleOf(z);
    return true;
}

void CPartieReelle::computePosition() {
    exists = existing(complexValue) && part(complexValue->getComplexValue(), &value);
}

void CPartieReelle::copyStateFrom(const CElementBase& src) {
    CCalculAncetre::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CPartieReelle*>(&src)) value = m->value;
}

bool CPartieReelle::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CPartieReelle::getConstructionInfo(CElementBase** a, CElementBase** b,
                                               CElementBase** c) const {
    firstParents(a, b, c);
    std::string text = partText() + name + " du complexe " +
                       (complexValue ? complexValue->getName() : std::string());
    if (exists) text += "\r\nValeur actuelle : " + formatNumber(value, 12, 12);
    return text;
}

std::string CPartieReelle::getDescription() const {
    return oneLine(getConstructionInfo(nullptr, nullptr, nullptr));
}

void CPartieReelle::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsLoading()) {
        // Only a complex calculation or an affix measure has parts.
        const int k = complexValue->getValueKind();
        if (k == -1 || !(k & (kind::calculComplexe | kind::affixe))) ar.failBadReference();
    }
}
