#include "values/CSuiteRec.h"

#include <algorithm>
#include <cmath>

#include "calc/EvaluationState.h"
#include "core/CArchive.h"
#include "core/CElementGraphique.h"
#include "core/CListeAction.h"
#include "values/CFonc.h"

IMPLEMENT_SERIAL(CSuiteRec, CCalculAncetre, 1)
IMPLEMENT_SERIAL(CSuiteRecComplexe, CCalculAncetre, 1)

// The value the first term names is a parent too.
IMPLEMENT_REFS(CSuiteRec, CCalculAncetre, held(first.reference), f)
IMPLEMENT_REFS(CSuiteRecComplexe, CCalculAncetre, held(first.reference), f)

using fig::existing;

namespace {
int clampTermCount(int n) {
    return std::clamp(n, CSuiteRec::kMinTerms, CSuiteRec::kMaxTerms);
}

// A term count read from a file must be one the dialog allows.
int readTermCount(CArchive& ar) {
    const int32_t n = ar.readInt();
    if (n < CSuiteRec::kMinTerms || n > CSuiteRec::kMaxTerms)
        CArchive::fail(CArchiveException::badFormat,
                       "Nombre de termes de suite récurrente invalide dans le fichier.");
    return n;
}

// k names a term 0..last: a whole number in range.
bool validIndex(double k, int last) {
    return k >= 0 && k == std::floor(k) && k <= last;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CSuiteRec

CSuiteRec::CSuiteRec(std::string name, CFonc* f, int termCount,
                     const CValeurAssocieeAVariable& first)
    : CCalculAncetre(std::move(name)), f(f), first(first) {
    setTermCount(termCount);
}

void CSuiteRec::setTermCount(int n) {
    termCount = clampTermCount(n);
    terms.assign(termCount, 0.0);
    lastIndex = 0;
}

double CSuiteRec::evaluateFunctionAt(double k) {
    if (!exists || !validIndex(k, lastIndex)) {
        setCalculationError();
        return 0.0;
    }
    return terms[static_cast<size_t>(k)];
}

void CSuiteRec::computePosition() {
    exists = existing(f) && first.isDefined();
    if (!exists) return;
    if (static_cast<int>(terms.size()) != termCount) terms.assign(termCount, 0.0);
    terms[0] = first.getValue();
    lastIndex = 0;
    for (int i = 1; i < termCount; ++i) {
        clearCalculationError();
        const double t = f->evaluateFunctionAt(terms[i - 1]);
        if (isCalculationError()) break;
        terms[i] = t;
        lastIndex = i;
    }
    clearCalculationError();
}

void CSuiteRec::copyStateFrom(const CElementBase& src) {
    CCalculAncetre::copyStateFrom(src);
    if (const auto* s = dynamic_cast<const CSuiteRec*>(&src)) {
        termCount = s->termCount;
        terms = s->terms;
        lastIndex = s->lastIndex;
    }
}

// Same function, as many terms, the same first term: a named value, or an equal number.
bool CSuiteRec::coincidesWith(const CElementBase* other) const {
    if (!hasSameRefsAs(other)) return false;
    const auto* s = static_cast<const CSuiteRec*>(other);
    return s->termCount == termCount && (first.reference || s->first.constant == first.constant);
}

std::string CSuiteRec::functionName() const {
    return f ? f->getName() : std::string();
}

std::string CSuiteRec::describe(const char* eol, bool oneLine) const {
    std::string text = kindText() + name + eol + name + "(n+1)=" + functionName() + "[" + name +
                       "(n)]" + " avec " + name + "(0)=" + firstTermText();
    if (oneLine)
        text += std::string(eol) + "Dernier terme calculable : " + std::to_string(lastIndex);
    return text;
}

std::string CSuiteRec::getConstructionInfo(CElementBase** a, CElementBase** b,
                                           CElementBase** c) const {
    firstParents(a, b, c);
    return describe("\r\n", false);
}

std::string CSuiteRec::getDescription() const {
    return describe("\n      ", true);
}

void CSuiteRec::rebuildFromText(CListeAction* list) {
    first.rebuildFromText(list);
}

void CSuiteRec::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    if (ar.IsStoring())
        ar.writeInt(termCount);
    else
        setTermCount(readTermCount(ar));
    first.Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CSuiteRec::readPreviousFormat(CArchive& ar) {
    CCalculAncetre::readPreviousFormat(ar);
    setTermCount(readTermCount(ar));
    first.readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

// ---------------------------------------------------------------------------------------------
// CSuiteRecComplexe

CSuiteRecComplexe::CSuiteRecComplexe(std::string name, CFoncComplexe* f, int termCount,
                                     const CValeurAssocieeComp& first)
    : CCalculAncetre(std::move(name)), f(f), first(first) {
    setTermCount(termCount);
}

void CSuiteRecComplexe::setTermCount(int n) {
    termCount = clampTermCount(n);
    terms.assign(termCount, Complexe());
    lastIndex = 0;
}

Complexe CSuiteRecComplexe::evaluateFunctionComplexAt(Complexe k) {
    if (!exists || k.im != 0 || !validIndex(k.re, lastIndex)) {
        setCalculationError();
        return {0.0, 0.0};
    }
    return terms[static_cast<size_t>(k.re)];
}

void CSuiteRecComplexe::computePosition() {
    exists = existing(f) && first.isDefined();
    if (!exists) return;
    if (static_cast<int>(terms.size()) != termCount) terms.assign(termCount, Complexe());
    terms[0] = first.getComplexValue();
    lastIndex = 0;
    for (int i = 1; i < termCount; ++i) {
        clearCalculationError();
        const Complexe t = f->evaluateFunctionComplexAt(terms[i - 1]);
        if (isCalculationError()) break;
        terms[i] = t;
        lastIndex = i;
    }
    clearCalculationError();
}

void CSuiteRecComplexe::copyStateFrom(const CElementBase& src) {
    CCalculAncetre::copyStateFrom(src);
    if (const auto* s = dynamic_cast<const CSuiteRecComplexe*>(&src)) {
        termCount = s->termCount;
        terms = s->terms;
        lastIndex = s->lastIndex;
    }
}

bool CSuiteRecComplexe::coincidesWith(const CElementBase* other) const {
    if (!hasSameRefsAs(other)) return false;
    const auto* s = static_cast<const CSuiteRecComplexe*>(other);
    return s->termCount == termCount && (first.reference || s->first.constant == first.constant);
}

std::string CSuiteRecComplexe::describe(const char* eol, bool oneLine) const {
    std::string text = "Suite récurrente complexe " + name + eol + name +
                       "(n+1)=" + (f ? f->getName() : std::string()) + "[" + name + "(n)]" +
                       " avec " + name + "(0)=" + first.getText(12);
    if (oneLine)
        text += std::string(eol) + "Dernier terme calculable : " + std::to_string(lastIndex);
    return text;
}

std::string CSuiteRecComplexe::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                   CElementBase** c) const {
    firstParents(a, b, c);
    return describe("\r\n", false);
}

std::string CSuiteRecComplexe::getDescription() const {
    return describe("\n      ", true);
}

void CSuiteRecComplexe::rebuildFromText(CListeAction* list) {
    first.rebuildFromText(list);
}

void CSuiteRecComplexe::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    if (ar.IsStoring())
        ar.writeInt(termCount);
    else
        setTermCount(readTermCount(ar));
    first.Serialize(ar);
    serializeOwnRefs(ar, *this);
}
