#include "values/CSolutionEquation.h"

#include <algorithm>
#include <cmath>

#include "calc/EvaluationState.h"
#include "calc/NumberFormat.h"
#include "core/CArchive.h"
#include "core/CElementGraphique.h"
#include "core/CListeAction.h"
#include "values/CFonc.h"

IMPLEMENT_SERIAL(CSolutionEquation, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CIntegrale, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CTestExistence, CCalculAncetre, 1)

// The values a bound names are parents too.
IMPLEMENT_REFS(CSolutionEquation, CValeurDynamique, f, held(a.reference), held(b.reference),
               held(tolerance.reference))
IMPLEMENT_REFS(CIntegrale, CValeurDynamique, f, held(a.reference), held(b.reference))
IMPLEMENT_REFS(CTestExistence, CCalculAncetre, tested)

using fig::existing;

namespace {
// Two bounds with the same parent (compared by the slots) are the same; two numbers must be
// equal.
bool sameNumber(const CValeurAssocieeAVariableAncetre& a,
                const CValeurAssocieeAVariableAncetre& b) {
    return a.reference || a.constant == b.constant;
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
    if (!hasSameRefsAs(other)) return false;
    const auto* s = static_cast<const CSolutionEquation*>(other);
    return sameNumber(a, s->a) && sameNumber(b, s->b) && sameNumber(tolerance, s->tolerance);
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
    firstParents(pa, pb, pc);
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
    if (ar.IsStoring())
        ar.writeString(name);
    else
        name = ar.readString();
    serializeOwnRefs(ar, *this);
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
    if (!hasSameRefsAs(other)) return false;
    const auto* s = static_cast<const CIntegrale*>(other);
    return s->n == n && sameNumber(a, s->a) && sameNumber(b, s->b);
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
    firstParents(pa, pb, pc);
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
    if (ar.IsStoring())
        ar.writeString(name);
    else
        name = ar.readString();
    serializeOwnRefs(ar, *this);
    a.Serialize(ar);
    b.Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeInt(n);
    } else {
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
    return hasSameRefsAs(other);
}

std::string CTestExistence::describe(const char* eol) const {
    std::string text = "Test d'existence nommé " + name + eol + "Vaut 1 si " + fig::nameOf(tested) +
                       " existe et 0 sinon";
    if (exists)
        text +=
            eol + std::string("Valeur actuelle : ") + name + " = " + formatNumber(value, 12, 12);
    return text;
}

std::string CTestExistence::getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                                CElementBase** pc) const {
    firstParents(pa, pb, pc);
    return describe("\r\n");
}

std::string CTestExistence::getDescription() const {
    return describe("\n      ");
}

void CTestExistence::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}
