#include "values/CDerivee.h"

#include "calc/Derivee.h"
#include "calc/EvaluationState.h"
#include "calc/Remap.h"
#include "core/CArchive.h"
#include "core/CListeAction.h"

IMPLEMENT_SERIAL(CDerivee, CFonc, 1)

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

bool CDerivee::dependsOn(const CElementBase* p) const {
    return p == this || (source && source->dependsOn(p));
}

bool CDerivee::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || (source && source->dependsOnForPositioning(p));
}

bool CDerivee::usesNameOf(const CElementBase* p) const {
    return p && p == source;
}

void CDerivee::replaceReference(CElementBase* old, CElementBase* repl) {
    if (source && source == old) {
        source = dynamic_cast<CFonc*>(repl);
        rebuild(nullptr);
    }
}

std::unique_ptr<CElementBase> CDerivee::getClone(const CListeAction& from,
                                                 const CListeAction& to) const {
    auto copy = std::make_unique<CDerivee>(name, remapReference(source, from, to), to);
    copy->copyStateFrom(*this);
    return copy;
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
    if (ar.IsStoring()) {
        ar.writeReference(source);
    } else {
        source = ar.readRequiredReferenceOf<CFonc>();
        formula.clear();
        formalVariable.clear();
        rebuild(ar.currentList());
    }
}

void CDerivee::readPreviousFormat(CArchive& ar) {
    CObject::readPreviousFormat(ar);
}

void rebuildDerivativesOf(CListeAction& list, const CFonc* source) {
    for (CActionAncetre* e : list.entries()) {
        auto* d = dynamic_cast<CDerivee*>(e->element);
        if (d && d->dependsOn(source) && d != source) d->rebuild(&list);
    }
}
