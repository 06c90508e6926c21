#include "values/CCalcul.h"

#include <cmath>

#include "calc/EvaluationState.h"
#include "calc/NumberFormat.h"
#include "core/CArchive.h"
#include "core/CListeAction.h"

IMPLEMENT_SERIAL(CCalculAncetre, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CCalcul, CCalculAncetre, 1)
IMPLEMENT_SERIAL(CCalculComplexe, CCalcul, 1)

// ---------------------------------------------------------------------------------------------
// CCalculAncetre

void CCalculAncetre::renameInFormula(const CListeAction&, const NameOverrides&) {}

void CCalculAncetre::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.writeString(name);
    else
        name = ar.readString();
}

void CCalculAncetre::readPreviousFormat(CArchive& ar) {
    CValeurDynamique::readPreviousFormat(ar);
    name = readEarliestName(ar);
}

// ---------------------------------------------------------------------------------------------
// CCalcul

void CCalcul::computePosition() {
    exists = tree && tree->isDefined();
    if (!exists) return;
    clearCalculationError();
    value = tree->evaluate();
    // An infinite value is no number to show or compute with.
    if (isCalculationError() || !std::isfinite(value)) exists = false;
    clearCalculationError();
}

// The parents of a formula are the values its tree names.
bool CCalcul::computeDependsOn(const CElementBase* p) const {
    return CCalculAncetre::computeDependsOn(p) || (tree && tree->dependsOn(p));
}

bool CCalcul::computeDependsOnForPositioning(const CElementBase* p) const {
    return CCalculAncetre::computeDependsOnForPositioning(p) ||
           (tree && tree->dependsOnForPositioning(p));
}

bool CCalcul::usesNameOf(const CElementBase* p) const {
    return tree && tree->usesNameOf(p);
}

void CCalcul::replaceReference(CElementBase* old, CElementBase* repl) {
    CCalculAncetre::replaceReference(old, repl);
    if (tree) tree->replaceReference(old, repl);
}

void CCalcul::copyStateFrom(const CElementBase& src) {
    CCalculAncetre::copyStateFrom(src);
    if (const auto* c = dynamic_cast<const CCalcul*>(&src)) value = c->value;
}

std::string CCalcul::describe(const char* eol) const {
    std::string text = "Calcul algébrique nommé " + name + eol + name + " = " + formula;
    if (exists)
        text +=
            eol + std::string("Valeur actuelle : ") + name + " ~ " + formatNumber(value, 12, 12);
    return text;
}

std::string CCalcul::getConstructionInfo(CElementBase**, CElementBase**, CElementBase**) const {
    return describe("\r\n");
}

std::string CCalcul::getDescription() const {
    return describe("\n      ");
}

void CCalcul::renameInFormula(const CListeAction& list, const NameOverrides& oldNames) {
    std::string renamed =
        renameNamesInFormula(&list, formula, formalVariableName(), isComplexFormula(), oldNames);
    if (renamed == formula) return;
    formula = renamed;
    rebuildTree(list);
}

void CCalcul::collectNameSpellings(const CListeAction& list, NameOverrides& names) const {
    ::collectNameSpellings(&list, formula, formalVariableName(), isComplexFormula(), names);
}

void CCalcul::serializeNameOnly(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
}

void CCalcul::Serialize(CArchive& ar) {
    serializeNameOnly(ar);
    if (ar.IsStoring()) {
        ar.writeString(formula);
        ar.writeObject(tree.get());
    } else {
        formula = ar.readString();
        tree = ar.readObjectOf<CCalculBase>();
    }
}

void CCalcul::readPreviousFormat(CArchive& ar) {
    CCalculAncetre::readPreviousFormat(ar);
    formula = ar.readString();
    tree = ar.readPreviousObjectOf<CCalculBase>();
}

std::unique_ptr<CCalculBase> CCalcul::buildTree(const CListeAction& list) const {
    return buildRealTree(&list, formula, formalVariableName());
}

void CCalcul::rebuildTree(const CListeAction& list) {
    tree = buildTree(list);
}

// ---------------------------------------------------------------------------------------------
// CCalculComplexe

void CCalculComplexe::computePosition() {
    exists = tree && tree->isDefined();
    if (!exists) return;
    clearCalculationError();
    complexValue = tree->evaluateComplex();
    if (isCalculationError() || !std::isfinite(complexValue.re) || !std::isfinite(complexValue.im))
        exists = false;
    clearCalculationError();
}

void CCalculComplexe::copyStateFrom(const CElementBase& src) {
    CCalcul::copyStateFrom(src);
    if (const auto* c = dynamic_cast<const CCalculComplexe*>(&src)) complexValue = c->complexValue;
}

std::unique_ptr<CCalculBase> CCalculComplexe::buildTree(const CListeAction& list) const {
    return buildComplexTree(&list, formula, formalVariableName());
}

std::string CCalculComplexe::describe(const char* eol) const {
    std::string text = "Calcul algébrique complexe nommé " + name + eol + name + " = " + formula;
    if (exists)
        text += eol + std::string("Valeur actuelle : ") + name + " ~ " + getComplexValueText(12);
    return text;
}

NameOverrides measureNamesUsing(const CListeAction& list, const CElementBase* renamed) {
    NameOverrides names;
    for (CActionAncetre* e : list.entries()) {
        auto* v = dynamic_cast<const CValeurDynamique*>(e->element);
        if (!v || v == renamed) continue;
        int k = v->getValueKind();
        if (k != -1 && (k & (kind::mesureNommee | kind::affixe)) && v->usesNameOf(renamed))
            names.emplace(v, v->getName());
    }
    if (names.empty()) return names;
    // The other spellings the formulas use for these names, read while they still hold.
    for (CActionAncetre* e : list.entries())
        if (auto* c = dynamic_cast<const CCalcul*>(e->element))
            c->collectNameSpellings(list, names);
    return names;
}

void renameMeasuresInFormulas(CListeAction& list, const NameOverrides& oldNames) {
    if (oldNames.empty()) return;
    for (CActionAncetre* e : list.entries())
        if (auto* c = dynamic_cast<CCalculAncetre*>(e->element)) c->renameInFormula(list, oldNames);
}
