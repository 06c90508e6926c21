#include "values/CValeurAssocieeAVariable.h"

#include <cmath>

#include "calc/EvaluationState.h"
#include "calc/NumberFormat.h"
#include "calc/Parser.h"
#include "calc/Remap.h"
#include "core/CArchive.h"
#include "core/CListeAction.h"
#include "values/CValeurDynamique.h"

IMPLEMENT_SERIAL(CValeurAssocieeAVariableAncetre, CObject, 1)
IMPLEMENT_SERIAL(CValeurAssocieeAVariable, CValeurAssocieeAVariableAncetre, 1)
IMPLEMENT_SERIAL(CValeurAngle, CValeurAssocieeAVariable, 1)

namespace {
constexpr double kPi = 3.14159265358979323846;
}

double reduceAngle(double a) {
    double k = (a + kPi) / (2 * kPi);
    if (std::floor(k) == k) return kPi;
    double r = a - 2 * kPi * std::floor(k);
    if (std::fabs(r + kPi) < 1e-11) r = kPi;
    return r;
}

// ---------------------------------------------------------------------------------------------
// CValeurAssocieeAVariableAncetre

void CValeurAssocieeAVariableAncetre::setNumber(double v) {
    constant = v;
    reference = nullptr;
}

void CValeurAssocieeAVariableAncetre::setReference(CValeurDynamique* ref) {
    reference = ref;
}

bool CValeurAssocieeAVariableAncetre::isDefined() const {
    return !reference || reference->exists;
}

bool CValeurAssocieeAVariableAncetre::dependsOn(const CElementBase* p) const {
    return reference && reference->dependsOn(p);
}

bool CValeurAssocieeAVariableAncetre::dependsOnForPositioning(const CElementBase* p) const {
    return reference && reference->dependsOnForPositioning(p);
}

bool CValeurAssocieeAVariableAncetre::usesNameOf(const CElementBase* p) const {
    return reference && (reference == p || reference->usesNameOf(p));
}

void CValeurAssocieeAVariableAncetre::replaceReference(CElementBase* old, CElementBase* repl) {
    if (reference && reference == old) reference = dynamic_cast<CValeurDynamique*>(repl);
}

double CValeurAssocieeAVariableAncetre::getValue() const {
    return reference ? reference->getValue() : constant;
}

std::string CValeurAssocieeAVariableAncetre::getText(int decimals) const {
    return reference ? reference->getName() : formatNumber(constant, 20, decimals);
}

void CValeurAssocieeAVariableAncetre::remapFrom(const CValeurAssocieeAVariableAncetre& src,
                                                const CListeAction& from, const CListeAction& to) {
    constant = src.constant;
    reference = remapReference(src.reference, from, to);
}

std::unique_ptr<CValeurAssocieeAVariableAncetre> CValeurAssocieeAVariableAncetre::getClone(
    const CListeAction& from, const CListeAction& to) const {
    auto copy = std::make_unique<CValeurAssocieeAVariableAncetre>();
    copy->remapFrom(*this, from, to);
    return copy;
}

void CValeurAssocieeAVariableAncetre::rebuildFromText(const CListeAction*) {}

void CValeurAssocieeAVariableAncetre::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeDouble(constant);
        ar.writeReference(reference);
    } else {
        constant = ar.readDouble();
        reference = ar.readReferenceOf<CValeurDynamique>();
    }
}

void CValeurAssocieeAVariableAncetre::readPreviousFormat(CArchive& ar) {
    constant = ar.readDouble();
    reference = ar.readReferenceOf<CValeurDynamique>();
}

// ---------------------------------------------------------------------------------------------
// CValeurAssocieeAVariable

CValeurAssocieeAVariable::CValeurAssocieeAVariable(double number) {
    setNumber(number);
}

void CValeurAssocieeAVariable::setNumber(double v) {
    CValeurAssocieeAVariableAncetre::setNumber(v);
    text = formatNumber(v, 12, 12);
}

void CValeurAssocieeAVariable::setNumberWithText(double v, const std::string& typed) {
    CValeurAssocieeAVariableAncetre::setNumber(v);
    text = typed;
}

void CValeurAssocieeAVariable::setReference(CValeurDynamique* ref) {
    CValeurAssocieeAVariableAncetre::setReference(ref);
    text.clear();
}

std::string CValeurAssocieeAVariable::getText(int decimals) const {
    if (reference) return reference->getName();
    return text.empty() ? formatNumber(constant, 20, decimals) : text;
}

std::unique_ptr<CValeurAssocieeAVariableAncetre> CValeurAssocieeAVariable::getClone(
    const CListeAction& from, const CListeAction& to) const {
    return std::make_unique<CValeurAssocieeAVariable>(cloned(from, to));
}

CValeurAssocieeAVariable CValeurAssocieeAVariable::cloned(const CListeAction& from,
                                                          const CListeAction& to) const {
    CValeurAssocieeAVariable copy;
    copy.remapFrom(*this, from, to);
    copy.text = text;
    return copy;
}

void CValeurAssocieeAVariable::rebuildFromText(const CListeAction* list) {
    if (reference || text.empty()) return;
    int unit = evaluationState().angleUnit;
    if (list) evaluationState().angleUnit = list->angleUnit;
    ConstantFieldResult r = evaluateConstantFormula(list, text, false);
    evaluationState().angleUnit = unit;
    if (r.ok) constant = r.value;
}

void CValeurAssocieeAVariable::Serialize(CArchive& ar) {
    CValeurAssocieeAVariableAncetre::Serialize(ar);
    if (ar.IsStoring())
        ar.writeString(reference ? std::string() : text);
    else
        text = ar.readString();
}

void CValeurAssocieeAVariable::readPreviousFormat(CArchive& ar) {
    CValeurAssocieeAVariableAncetre::readPreviousFormat(ar);
    text = reference ? std::string() : formatNumber(constant, 12, 12);
}

// ---------------------------------------------------------------------------------------------
// CValeurAngle

void CValeurAngle::setNumber(double radians) {
    CValeurAssocieeAVariableAncetre::setNumber(radians);
    text.clear();
}

void CValeurAngle::setNumberInUnit(double v) {
    setNumber(isDegreeMode() ? v * evaluationState().degreesToRadians : v);
}

void CValeurAngle::setNumberInUnit(double v, const std::string& typed) {
    setNumberInUnit(v);
    text = typed;
}

double CValeurAngle::getValue() const {
    double a = constant;
    if (reference) {
        a = reference->getValue();
        if (isDegreeMode()) a *= evaluationState().degreesToRadians;
    }
    return reduceAngle(a);
}

std::string CValeurAngle::getText(int decimals) const {
    if (reference) return reference->getName();
    double v = isDegreeMode() ? constant * evaluationState().radiansToDegrees : constant;
    return formatNumber(v, 20, decimals);
}

std::unique_ptr<CValeurAssocieeAVariableAncetre> CValeurAngle::getClone(
    const CListeAction& from, const CListeAction& to) const {
    return std::make_unique<CValeurAngle>(cloned(from, to));
}

CValeurAngle CValeurAngle::cloned(const CListeAction& from, const CListeAction& to) const {
    CValeurAngle copy;
    copy.remapFrom(*this, from, to);
    copy.text = text;
    return copy;
}

// Only the radians and the reference are stored: the text is rebuilt for display.
void CValeurAngle::Serialize(CArchive& ar) {
    CValeurAssocieeAVariableAncetre::Serialize(ar);
    if (ar.IsLoading()) text.clear();
}

void CValeurAngle::readPreviousFormat(CArchive& ar) {
    CValeurAssocieeAVariableAncetre::readPreviousFormat(ar);
    text.clear();
}
