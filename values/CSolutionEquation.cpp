#include "values/CSolutionEquation.h"

#include <algorithm>
#include <cmath>

#include "calc/EvaluationState.h"
#include "calc/NumberFormat.h"
#include "core/CArchive.h"
#include "core/CListeAction.h"
#include "geometry/CPointAncetre.h"
#include "values/CFonc.h"
#include "values/CMesure.h"

IMPLEMENT_SERIAL(CSolutionEquation, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CIntegrale, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CTestExistence, CCalculAncetre, 1)

using geo::existing;

namespace {
bool sameValue(const CValeurAssocieeAVariableAncetre& a, const CValeurAssocieeAVariableAncetre& b) {
    return a.reference == b.reference && (a.reference || a.constant == b.constant);
}

void setParents(CElementBase** a, CElementBase** b, CElementBase** c, CElementBase* pa) {
    if (a) *a = pa;
    if (b) *b = nullptr;
    if (c) *c = nullptr;
}

std::string definitionOf(const CFonc* f) {
    return f ? f->getDefinitionText() : std::string();
}
std::string nameOfFunction(const CFonc* f) {
    return f ? f->getName() : std::string();
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CSolutionEquation

std::string CSolutionEquation::getCreationMessage() const {
    return creationMessageFor(getValueKind(), name);
}

void CSolutionEquation::computePosition() {
    exists = false;
    if (!existing(f) || !a.isDefined() || !b.isDefined() || !tolerance.isDefined()) return;
    double lo = a.getValue(), hi = b.getValue();
    const double eps = tolerance.getValue();
    if (hi < lo) std::swap(lo, hi);
    clearCalculationError();
    const double fa = f->evaluateFunctionAt(lo);
    const double fb = f->evaluateFunctionAt(hi);
    if (isCalculationError() || fa * fb > 0 || eps <= 0) {
        clearCalculationError();
        return;
    }
    const double n = std::floor(std::log(std::fabs(hi - lo) / eps) / std::log(2.0));
    if (!(n + 1 <= kMaxHalvings)) return;
    double m = (lo + hi) / 2;
    for (int i = 1; i <= n; ++i) {
        m = (lo + hi) / 2;
        const double fm = f->evaluateFunctionAt(m);
        if (isCalculationError()) {
            clearCalculationError();
            return;
        }
        // fa keeps the sign of f at the initial lower bound: every new lower bound has it too.
        if (fm * fa <= 0)
            hi = m;
        else
            lo = m;
    }
    value = m;
    exists = true;
}

void CSolutionEquation::copyStateFrom(const CElementBase& src) {
    CValeurDynamique::copyStateFrom(src);
    if (const auto* s = dynamic_cast<const CSolutionEquation*>(&src)) value = s->value;
}

bool CSolutionEquation::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* s = static_cast<const CSolutionEquation*>(other);
    return s->f == f && sameValue(s->a, a) && sameValue(s->b, b) &&
           sameValue(s->tolerance, tolerance);
}

bool CSolutionEquation::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(f, p) || a.dependsOn(p) || b.dependsOn(p) ||
           tolerance.dependsOn(p);
}

bool CSolutionEquation::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(f, p) || a.dependsOnForPositioning(p) ||
           b.dependsOnForPositioning(p) || tolerance.dependsOnForPositioning(p);
}

void CSolutionEquation::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(f, old, repl);
    a.replaceReference(old, repl);
    b.replaceReference(old, repl);
    tolerance.replaceReference(old, repl);
}

std::unique_ptr<CElementBase> CSolutionEquation::getClone(const CListeAction& from,
                                                          const CListeAction& to) const {
    return std::make_unique<CSolutionEquation>(name, geo::mapRef(f, from, to), a.cloned(from, to),
                                               b.cloned(from, to), tolerance.cloned(from, to));
}

std::string CSolutionEquation::describe(const char* eol) const {
    std::string text = "Solution nommée " + name + " de l'équation " + nameOfFunction(f) + "(" +
                       (f ? f->formalVariable : std::string()) + ") = 0" + " avec" + eol +
                       definitionOf(f);
    if (exists)
        text +=
            eol + std::string("Valeur actuelle : ") + name + " ~ " + formatNumber(value, 12, 12);
    return text;
}

std::string CSolutionEquation::getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                                   CElementBase** pc) const {
    setParents(pa, pb, pc, f);
    return describe("\r\n");
}

std::string CSolutionEquation::getDescription() const {
    return describe("\n      ");
}

void CSolutionEquation::rebuildFromText(CListeAction* list) {
    a.rebuildFromText(list);
    b.rebuildFromText(list);
    tolerance.rebuildFromText(list);
}

void CSolutionEquation::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeString(name);
        ar.writeReference(f);
    } else {
        name = ar.readString();
        f = ar.readRequiredReferenceOf<CFonc>();
    }
    a.Serialize(ar);
    b.Serialize(ar);
    tolerance.Serialize(ar);
}

// ---------------------------------------------------------------------------------------------
// CIntegrale

void CIntegrale::computePosition() {
    exists = false;
    if (!existing(f) || !a.isDefined() || !b.isDefined() || n < 1) return;
    clearCalculationError();
    const double lo = a.getValue(), hi = b.getValue();
    if (lo == hi) {
        value = 0;
        exists = true;
        return;
    }
    const double h = (hi - lo) / n;
    const double fa = f->evaluateFunctionAt(lo);
    const double fb = f->evaluateFunctionAt(hi);
    double s1 = 0, s2 = 0;
    for (int i = 1; i <= n - 1; ++i) s1 += f->evaluateFunctionAt(lo + i * h);
    for (int i = 1; i <= n; ++i) s2 += f->evaluateFunctionAt(lo - h / 2 + i * h);
    if (isCalculationError()) {
        clearCalculationError();
        return;
    }
    value = (hi - lo) * (fa + fb + 2 * s1 + 4 * s2) / (6.0 * n);
    exists = true;
}

void CIntegrale::copyStateFrom(const CElementBase& src) {
    CValeurDynamique::copyStateFrom(src);
    if (const auto* s = dynamic_cast<const CIntegrale*>(&src)) value = s->value;
}

bool CIntegrale::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* s = static_cast<const CIntegrale*>(other);
    return s->f == f && s->n == n && sameValue(s->a, a) && sameValue(s->b, b);
}

bool CIntegrale::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(f, p) || a.dependsOn(p) || b.dependsOn(p);
}

bool CIntegrale::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(f, p) || a.dependsOnForPositioning(p) ||
           b.dependsOnForPositioning(p);
}

void CIntegrale::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(f, old, repl);
    a.replaceReference(old, repl);
    b.replaceReference(old, repl);
}

std::unique_ptr<CElementBase> CIntegrale::getClone(const CListeAction& from,
                                                   const CListeAction& to) const {
    return std::make_unique<CIntegrale>(name, geo::mapRef(f, from, to), a.cloned(from, to),
                                        b.cloned(from, to), n);
}

std::string CIntegrale::describe(const char* eol, bool oneLine) const {
    std::string text = "Valeur approchée d'intégrale nommée " + name + eol + " de la fonction " +
                       nameOfFunction(f) + " de " + a.getText(12) + " jusqu'à " + b.getText(12) +
                       " avec" + eol + definitionOf(f);
    if (oneLine) {
        text += eol + std::string("2n intervalles avec n = ") + std::to_string(n);
        if (exists) text += eol + std::string("Valeur actuelle : ") + formatNumber(value, 12, 12);
    }
    return text;
}

std::string CIntegrale::getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                            CElementBase** pc) const {
    setParents(pa, pb, pc, f);
    return describe("\r\n", false);
}

std::string CIntegrale::getDescription() const {
    return describe("\n      ", true);
}

void CIntegrale::rebuildFromText(CListeAction* list) {
    a.rebuildFromText(list);
    b.rebuildFromText(list);
}

void CIntegrale::Serialize(CArchive& ar) {
    CValeurDynamique::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeString(name);
        ar.writeReference(f);
        a.Serialize(ar);
        b.Serialize(ar);
        ar.writeInt(n);
    } else {
        name = ar.readString();
        f = ar.readRequiredReferenceOf<CFonc>();
        a.Serialize(ar);
        b.Serialize(ar);
        n = ar.readInt();
        if (n < kMinIntervals || n > kMaxIntervals)
            CArchive::fail(CArchiveException::badFormat,
                           "Nombre d'intervalles d'intégrale invalide dans le fichier.");
    }
}

// ---------------------------------------------------------------------------------------------
// CTestExistence

void CTestExistence::computePosition() {
    value = existing(tested) ? 1.0 : 0.0;
    exists = true;
}

void CTestExistence::copyStateFrom(const CElementBase& src) {
    CCalculAncetre::copyStateFrom(src);
    if (const auto* t = dynamic_cast<const CTestExistence*>(&src)) value = t->value;
}

bool CTestExistence::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    return static_cast<const CTestExistence*>(other)->tested == tested;
}

bool CTestExistence::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(tested, p);
}

bool CTestExistence::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(tested, p);
}

void CTestExistence::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(tested, old, repl);
}

std::unique_ptr<CElementBase> CTestExistence::getClone(const CListeAction& from,
                                                       const CListeAction& to) const {
    return std::make_unique<CTestExistence>(name, geo::mapRef(tested, from, to));
}

std::string CTestExistence::describe(const char* eol) const {
    std::string text = "Test d'existence nommé " + name + eol + "Vaut 1 si " + geo::nameOf(tested) +
                       " existe et 0 sinon";
    if (exists)
        text +=
            eol + std::string("Valeur actuelle : ") + name + " = " + formatNumber(value, 12, 12);
    return text;
}

std::string CTestExistence::getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                                CElementBase** pc) const {
    setParents(pa, pb, pc, tested);
    return describe("\r\n");
}

std::string CTestExistence::getDescription() const {
    return describe("\n      ");
}

void CTestExistence::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    if (ar.IsStoring())
        ar.writeReference(tested);
    else
        tested = ar.readRequiredReferenceOf<CElementBase>();
}
