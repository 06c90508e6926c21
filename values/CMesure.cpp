#include "values/CMesure.h"

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

void setParents(CElementBase** a, CElementBase** b, CElementBase** c, CElementBase* pa,
                CElementBase* pb, CElementBase* pc) {
    if (a) *a = pa;
    if (b) *b = pb;
    if (c) *c = pc;
}
}  // namespace

bool unitLengthDistance(const CListeAction* list, double* u) {
    if (!list) return false;
    const auto* l = dynamic_cast<const CLongueur*>(list->unitLength);
    // The unit length exists exactly when its two points do; asking them directly keeps the
    // answer right even when the unit length stands after the measure in the list.
    if (!l || !existing(l->A) || !existing(l->B)) return false;
    *u = std::hypot(l->B->x - l->A->x, l->B->y - l->A->y);
    return true;
}

std::string creationMessageFor(int valueKind, const std::string& name) {
    switch (valueKind) {
        case kind::longueur:
            return "La longueur " + name + "\r\n" + " a été mesurée";
        case kind::angle:
            return "L'angle " + name + "\r\n" + " a été mesuré";
        case kind::abscisse:
        case kind::mesureX:
            return "L'abscisse " + name + "\r\n" + " a été mesurée";
        case kind::mesureY:
            return "L'ordonnée " + name + "\r\n" + " a été mesurée";
        case kind::affixe:
            return "L'affixe " + name + "\r\n" + " a été mesurée";
        case kind::solutionEquation:
            return "La solution d'équation " + name + "\r\n" + " a été créée ";
        default:
            return "";
    }
}

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
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* l = static_cast<const CLongueur*>(other);
    return (l->A == A && l->B == B) || (l->A == B && l->B == A);
}

bool CLongueur::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(A, p) || geo::dependsOnRef(B, p) ||
           dependsThroughUnit(list, this, p);
}

bool CLongueur::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(A, p) ||
           geo::dependsOnForPositioningRef(B, p) || dependsThroughUnitForPositioning(list, this, p);
}

bool CLongueur::usesNameOf(const CElementBase* p) const {
    return p && (p == A || p == B);
}

void CLongueur::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(A, old, repl);
    geo::replaceRef(B, old, repl);
}

std::unique_ptr<CElementBase> CLongueur::getClone(const CListeAction& from,
                                                  const CListeAction& to) const {
    return std::make_unique<CLongueur>(const_cast<CListeAction*>(&to), geo::mapRef(A, from, to),
                                       geo::mapRef(B, from, to));
}

std::string CLongueur::getConstructionInfo(CElementBase** a, CElementBase** b,
                                           CElementBase** c) const {
    setParents(a, b, c, A, B, nullptr);
    return (isUnitLength() ? "Longueur unité : " : "Longueur mesurée : ") + getName();
}

std::string CLongueur::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CLongueur::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeReference(A);
        ar.writeReference(B);
    } else {
        list = ar.currentList();
        A = ar.readRequiredReferenceOf<CPointAncetre>();
        B = ar.readRequiredReferenceOf<CPointAncetre>();
    }
}

void CLongueur::readPreviousFormat(CArchive& ar) {
    CValeurDynamique::readPreviousFormat(ar);
    list = ar.currentList();
    A = ar.readRequiredReferenceOf<CPointAncetre>();
    B = ar.readRequiredReferenceOf<CPointAncetre>();
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

bool CMesureAngleGeometrique::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* m = static_cast<const CMesureAngleGeometrique*>(other);
    return m->O == O && ((m->A == A && m->B == B) || (m->A == B && m->B == A));
}

bool CMesureAngleGeometrique::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(A, p) || geo::dependsOnRef(O, p) ||
           geo::dependsOnRef(B, p);
}

bool CMesureAngleGeometrique::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(A, p) ||
           geo::dependsOnForPositioningRef(O, p) || geo::dependsOnForPositioningRef(B, p);
}

bool CMesureAngleGeometrique::usesNameOf(const CElementBase* p) const {
    return p && (p == A || p == O || p == B);
}

void CMesureAngleGeometrique::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(A, old, repl);
    geo::replaceRef(O, old, repl);
    geo::replaceRef(B, old, repl);
}

std::unique_ptr<CElementBase> CMesureAngleGeometrique::getClone(const CListeAction& from,
                                                                const CListeAction& to) const {
    return std::make_unique<CMesureAngleGeometrique>(
        geo::mapRef(A, from, to), geo::mapRef(O, from, to), geo::mapRef(B, from, to));
}

std::string CMesureAngleGeometrique::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                         CElementBase** c) const {
    setParents(a, b, c, A, O, B);
    return measuredText() + getName();
}

std::string CMesureAngleGeometrique::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CMesureAngleGeometrique::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeReference(A);
        ar.writeReference(O);
        ar.writeReference(B);
    } else {
        A = ar.readRequiredReferenceOf<CPointAncetre>();
        O = ar.readRequiredReferenceOf<CPointAncetre>();
        B = ar.readRequiredReferenceOf<CPointAncetre>();
    }
}

void CMesureAngleGeometrique::readPreviousFormat(CArchive& ar) {
    CValeurDynamique::readPreviousFormat(ar);
    A = ar.readRequiredReferenceOf<CPointAncetre>();
    O = ar.readRequiredReferenceOf<CPointAncetre>();
    B = ar.readRequiredReferenceOf<CPointAncetre>();
}

// ---------------------------------------------------------------------------------------------
// CMesureAngleOriente

std::string CMesureAngleOriente::getName() const {
    return "(" + nameOf(O) + nameOf(A) + "," + nameOf(O) + nameOf(B) + ")";
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

bool CMesureAngleOriente::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* m = static_cast<const CMesureAngleOriente*>(other);
    return m->A == A && m->O == O && m->B == B;
}

std::unique_ptr<CElementBase> CMesureAngleOriente::getClone(const CListeAction& from,
                                                            const CListeAction& to) const {
    return std::make_unique<CMesureAngleOriente>(geo::mapRef(A, from, to), geo::mapRef(O, from, to),
                                                 geo::mapRef(B, from, to));
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
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* m = static_cast<const CMesureAbscisse*>(other);
    return m->O == O && m->I == I && m->M == M;
}

bool CMesureAbscisse::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(O, p) || geo::dependsOnRef(I, p) ||
           geo::dependsOnRef(M, p);
}

bool CMesureAbscisse::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(O, p) ||
           geo::dependsOnForPositioningRef(I, p) || geo::dependsOnForPositioningRef(M, p);
}

bool CMesureAbscisse::usesNameOf(const CElementBase* p) const {
    return p && (p == O || p == I || p == M);
}

void CMesureAbscisse::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(O, old, repl);
    geo::replaceRef(I, old, repl);
    geo::replaceRef(M, old, repl);
}

std::unique_ptr<CElementBase> CMesureAbscisse::getClone(const CListeAction& from,
                                                        const CListeAction& to) const {
    return std::make_unique<CMesureAbscisse>(geo::mapRef(O, from, to), geo::mapRef(I, from, to),
                                             geo::mapRef(M, from, to));
}

std::string CMesureAbscisse::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                 CElementBase** c) const {
    setParents(a, b, c, O, I, M);
    return "Abscisse mesurée " + getName() + " du point " + nameOf(M) + "\r\n" +
           " dans le repère " + "(" + nameOf(O) + "," + nameOf(I) + ")";
}

std::string CMesureAbscisse::getDescription() const {
    return oneLine(getConstructionInfo(nullptr, nullptr, nullptr));
}

void CMesureAbscisse::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeReference(O);
        ar.writeReference(I);
        ar.writeReference(M);
    } else {
        O = ar.readRequiredReferenceOf<CPointAncetre>();
        I = ar.readRequiredReferenceOf<CPointAncetre>();
        M = ar.readRequiredReferenceOf<CPointAncetre>();
    }
}

void CMesureAbscisse::readPreviousFormat(CArchive& ar) {
    CValeurDynamique::readPreviousFormat(ar);
    O = ar.readRequiredReferenceOf<CPointAncetre>();
    I = ar.readRequiredReferenceOf<CPointAncetre>();
    M = ar.readRequiredReferenceOf<CPointAncetre>();
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
    return "(" + nameOf(M) + "," + o + "," + i + "," + j + ")";
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
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* m = static_cast<const CMesureX*>(other);
    return m->frame == frame && m->M == M;
}

bool CMesureX::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(frame, p) || geo::dependsOnRef(M, p);
}

bool CMesureX::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(frame, p) ||
           geo::dependsOnForPositioningRef(M, p);
}

bool CMesureX::usesNameOf(const CElementBase* p) const {
    if (!p) return false;
    if (p == M) return true;
    return frame && (p == frame->O || p == frame->I || p == frame->J);
}

void CMesureX::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(frame, old, repl);
    geo::replaceRef(M, old, repl);
}

std::unique_ptr<CElementBase> CMesureX::getClone(const CListeAction& from,
                                                 const CListeAction& to) const {
    return std::make_unique<CMesureX>(geo::mapRef(frame, from, to), geo::mapRef(M, from, to));
}

std::unique_ptr<CElementBase> CMesureY::getClone(const CListeAction& from,
                                                 const CListeAction& to) const {
    return std::make_unique<CMesureY>(geo::mapRef(frame, from, to), geo::mapRef(M, from, to));
}

std::unique_ptr<CElementBase> CMesureAffixe::getClone(const CListeAction& from,
                                                      const CListeAction& to) const {
    return std::make_unique<CMesureAffixe>(geo::mapRef(frame, from, to), geo::mapRef(M, from, to));
}

std::string CMesureX::getConstructionInfo(CElementBase** a, CElementBase** b,
                                          CElementBase** c) const {
    setParents(a, b, c, M, frame, nullptr);
    return measuredText() + nameOf(M) + " dans le repère " + frameText(frame);
}

std::string CMesureX::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CMesureX::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeReference(frame);
        ar.writeReference(M);
    } else {
        frame = ar.readRequiredReferenceOf<CRepere>();
        M = ar.readRequiredReferenceOf<CPointAncetre>();
    }
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
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    return static_cast<const CMesureAire*>(other)->polygon == polygon;
}

bool CMesureAire::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(polygon, p) || dependsThroughUnit(list, this, p);
}

bool CMesureAire::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(polygon, p) ||
           dependsThroughUnitForPositioning(list, this, p);
}

void CMesureAire::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(polygon, old, repl);
}

std::unique_ptr<CElementBase> CMesureAire::getClone(const CListeAction& from,
                                                    const CListeAction& to) const {
    return std::make_unique<CMesureAire>(name, const_cast<CListeAction*>(&to),
                                         geo::mapRef(polygon, from, to));
}

std::string CMesureAire::getConstructionInfo(CElementBase** a, CElementBase** b,
                                             CElementBase** c) const {
    setParents(a, b, c, polygon, nullptr, nullptr);
    return " Aire nommée " + name + " du polygone " +
           (polygon ? polygon->getDescription() : std::string());
}

std::string CMesureAire::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CMesureAire::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeReference(polygon);
    } else {
        list = ar.currentList();
        polygon = ar.readRequiredReferenceOf<CPolygone>();
    }
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
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    return static_cast<const CMesureLongueurLigne*>(other)->line == line;
}

bool CMesureLongueurLigne::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(line, p) || dependsThroughUnit(list, this, p);
}

bool CMesureLongueurLigne::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(line, p) ||
           dependsThroughUnitForPositioning(list, this, p);
}

void CMesureLongueurLigne::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(line, old, repl);
}

std::unique_ptr<CElementBase> CMesureLongueurLigne::getClone(const CListeAction& from,
                                                             const CListeAction& to) const {
    return std::make_unique<CMesureLongueurLigne>(name, const_cast<CListeAction*>(&to),
                                                  geo::mapRef(line, from, to));
}

std::string CMesureLongueurLigne::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                      CElementBase** c) const {
    setParents(a, b, c, line, nullptr, nullptr);
    return " Longueur nommée " + name + " de la ligne " +
           (line ? line->getDescription() : std::string());
}

std::string CMesureLongueurLigne::getDescription() const {
    return getConstructionInfo(nullptr, nullptr, nullptr);
}

void CMesureLongueurLigne::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeReference(line);
    } else {
        list = ar.currentList();
        line = ar.readRequiredReferenceOf<CLignePolygonaleAncetre>();
    }
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
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    return static_cast<const CPartieReelle*>(other)->complexValue == complexValue;
}

bool CPartieReelle::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(complexValue, p);
}

bool CPartieReelle::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(complexValue, p);
}

void CPartieReelle::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(complexValue, old, repl);
}

template <class T>
std::unique_ptr<CElementBase> CPartieReelle::cloneAs(const CListeAction& from,
                                                     const CListeAction& to) const {
    return std::make_unique<T>(name, geo::mapRef(complexValue, from, to));
}

std::unique_ptr<CElementBase> CPartieReelle::getClone(const CListeAction& from,
                                                      const CListeAction& to) const {
    return cloneAs<CPartieReelle>(from, to);
}

std::unique_ptr<CElementBase> CPartieImaginaire::getClone(const CListeAction& from,
                                                          const CListeAction& to) const {
    return cloneAs<CPartieImaginaire>(from, to);
}

std::unique_ptr<CElementBase> CArgument::getClone(const CListeAction& from,
                                                  const CListeAction& to) const {
    return cloneAs<CArgument>(from, to);
}

std::unique_ptr<CElementBase> CModule::getClone(const CListeAction& from,
                                                const CListeAction& to) const {
    return cloneAs<CModule>(from, to);
}

std::string CPartieReelle::getConstructionInfo(CElementBase** a, CElementBase** b,
                                               CElementBase** c) const {
    setParents(a, b, c, complexValue, nullptr, nullptr);
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
    if (ar.IsStoring()) {
        ar.writeReference(complexValue);
    } else {
        complexValue = ar.readRequiredReferenceOf<CValeurDynamique>();
        // Only a complex calculation or an affix measure has parts.
        const int k = complexValue->getValueKind();
        if (k == -1 || !(k & (kind::calculComplexe | kind::affixe))) ar.failBadReference();
    }
}
