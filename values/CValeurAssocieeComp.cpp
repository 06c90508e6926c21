#include "values/CValeurAssocieeComp.h"

#include "calc/EvaluationState.h"
#include "calc/NumberFormat.h"
#include "calc/Parser.h"
#include "calc/Remap.h"
#include "core/CArchive.h"
#include "core/CListeAction.h"
#include "values/CValeurDynamique.h"

IMPLEMENT_SERIAL(CValeurAssocieeComp, CObject, 1)

namespace {
// A complex formula of z that the parser reads back (the displayed text, "2 + 3 i", is not).
std::string formulaOf(Complexe z) {
    std::string a = formatNumber(z.re, 12, 12), b = formatNumber(std::abs(z.im), 12, 12);
    // The formula syntax knows only the point as decimal separator.
    for (std::string* s : {&a, &b})
        for (char& c : *s)
            if (c == ',') c = '.';
    if (z.im == 0 || b == "0") return a;
    std::string bi = b == "1" ? "i" : b + "*i";
    if (a == "0") return z.im < 0 ? "-" + bi : bi;
    return a + (z.im < 0 ? "-" : "+") + bi;
}
}  // namespace

CValeurAssocieeComp::CValeurAssocieeComp(Complexe number) {
    setNumber(number);
}

void CValeurAssocieeComp::setNumber(Complexe z) {
    reference = nullptr;
    constant = z;
    text = formulaOf(z);
}

void CValeurAssocieeComp::setNumberWithText(Complexe z, const std::string& typed) {
    reference = nullptr;
    constant = z;
    text = typed;
}

void CValeurAssocieeComp::setReference(CValeurDynamique* ref) {
    reference = ref;
    text.clear();
}

bool CValeurAssocieeComp::isDefined() const {
    return !reference || reference->exists;
}

bool CValeurAssocieeComp::dependsOn(const CElementBase* p) const {
    return reference && reference->dependsOn(p);
}

bool CValeurAssocieeComp::dependsOnForPositioning(const CElementBase* p) const {
    return reference && reference->dependsOnForPositioning(p);
}

bool CValeurAssocieeComp::usesNameOf(const CElementBase* p) const {
    return reference && (reference == p || reference->usesNameOf(p));
}

void CValeurAssocieeComp::replaceReference(CElementBase* old, CElementBase* repl) {
    if (reference && reference == old) reference = dynamic_cast<CValeurDynamique*>(repl);
}

Complexe CValeurAssocieeComp::getComplexValue() const {
    return reference ? reference->getComplexValue() : constant;
}

std::string CValeurAssocieeComp::getText(int decimals) const {
    if (reference) return reference->getName();
    return text.empty() ? formatComplex(constant, decimals) : text;
}

std::unique_ptr<CValeurAssocieeComp> CValeurAssocieeComp::getClone(const CListeAction& from,
                                                                   const CListeAction& to) const {
    return std::make_unique<CValeurAssocieeComp>(cloned(from, to));
}

CValeurAssocieeComp CValeurAssocieeComp::cloned(const CListeAction& from,
                                                const CListeAction& to) const {
    CValeurAssocieeComp copy;
    copy.reference = remapReference(reference, from, to);
    copy.constant = constant;
    copy.text = text;
    return copy;
}

void CValeurAssocieeComp::rebuildFromText(const CListeAction* list) {
    if (reference || text.empty()) return;
    int unit = evaluationState().angleUnit;
    if (list) evaluationState().angleUnit = list->angleUnit;
    ConstantFieldResult r = evaluateConstantFormula(list, text, true);
    evaluationState().angleUnit = unit;
    if (r.ok) constant = r.complexValue;
}

void CValeurAssocieeComp::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeReference(reference);
        ar.writeString(reference ? std::string() : text);
        ar.writeDouble(constant.re);
        ar.writeDouble(constant.im);
    } else {
        reference = ar.readReferenceOf<CValeurDynamique>();
        text = ar.readString();
        constant.re = ar.readDouble();
        constant.im = ar.readDouble();
    }
}

void CValeurAssocieeComp::readPreviousFormat(CArchive& ar) {
    reference = ar.readReferenceOf<CValeurDynamique>();
    text = ar.readString();
    constant.re = ar.readDouble();
    constant.im = ar.readDouble();
}
