#include "values/CDerivee.h"

#include "calc/Derivee.h"
#include "calc/EvaluationState.h"
#include "core/CArchive.h"
#include "core/CListeAction.h"

IMPLEMENT_SERIAL(CDerivee, CFonc, 1)

IMPLEMENT_REFS(CDerivee, CFonc, source)

CDerivee::CDerivee(std::string name, CFonc* source, const CListeAction& list) : source(source) {
    this->name = std::move(name);
    rebuild(&list);
}

void CDerivee::rebuild(const CListeAction* list) {
    if (list) evaluationState().angleUnit = list->angleUnit;
    tree = source ? derive(source->tree.get()) : nullptr;
}

void CDerivee::computePosition() {
    exists = source && source->exists;
}

// The tree is derived from the source's: the source answers for the values it names.
bool CDerivee::computeDependsOn(const CElementBase* p) const {
    return CCalculAncetre::computeDependsOn(p);
}

bool CDerivee::computeDependsOnForPositioning(const CElementBase* p) const {
    return CCalculAncetre::computeDependsOnForPositioning(p);
}

bool CDerivee::usesNameOf(const CElementBase* p) const {
    return p && p == source;
}

// Only the source is replaced, and the tree derived again from the new one.
void CDerivee::replaceReference(CElementBase* old, CElementBase* repl) {
    const CFonc* before = source;
    CCalculAncetre::replaceReference(old, repl);
    if (source != before) rebuild(nullptr);
}

std::string CDerivee::getDefinitionText() const {
    return name + " : fonction dérivée de la fonction " + (source ? source->getName() : "");
}

std::string CDerivee::getConstructionInfo(CElementBase**, CElementBase**, CElementBase**) const {
    return getDefinitionText() + "\r\n" + (source ? source->getDefinitionText() : "");
}

std::string CDerivee::getDescription() const {
    return getDefinitionText();
}

void CDerivee::rebuildFromText(CListeAction* list) {
    rebuild(list);
}

void CDerivee::Serialize(CArchive& ar) {
    serializeNameOnly(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsLoading()) {
        formula.clear();
        formalVariable.clear();
        rebuild(ar.currentList());
    }
}

void CDerivee::readPreviousFormat(CArchive& ar) {
    CObject::readPreviousFormat(ar);
}

void rebuildDerivativesOf(CListeAction& list, const CFonc* source) {
    CDependencyWalk walk(source);
    for (CActionAncetre* e : list.entries()) {
        auto* d = dynamic_cast<CDerivee*>(e->element);
        if (d && d != source && walk.answer(d)) d->rebuild(&list);
    }
}
