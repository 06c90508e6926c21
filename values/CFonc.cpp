#include "values/CFonc.h"

#include "calc/EvaluationState.h"
#include "core/CArchive.h"

IMPLEMENT_SERIAL(CFonc, CCalcul, 1)
IMPLEMENT_SERIAL(CFoncComplexe, CFonc, 1)

void CFonc::computePosition() {
    exists = tree && tree->isDefined();
}

double CFonc::evaluateFunctionAt(double x) {
    if (!tree) {
        setCalculationError();
        return 0.0;
    }
    return tree->evaluateAt(x);
}

std::string CFonc::getDefinitionText() const {
    return name + "(" + formalVariable + ") = " + formula;
}

std::string CFonc::describe(const char* eol) const {
    return "Fonction nommée " + name + eol + getDefinitionText();
}

void CFonc::Serialize(CArchive& ar) {
    CCalcul::Serialize(ar);
    if (ar.IsStoring())
        ar.writeString(formalVariable);
    else
        formalVariable = ar.readString();
}

void CFonc::readPreviousFormat(CArchive& ar) {
    formalVariable = ar.readString();
    CCalcul::readPreviousFormat(ar);
}

Complexe CFoncComplexe::evaluateFunctionComplexAt(Complexe z) {
    if (!tree) {
        setCalculationError();
        return {0.0, 0.0};
    }
    return tree->evaluateComplexAt(z);
}

std::unique_ptr<CCalculBase> CFoncComplexe::buildTree(const CListeAction& list) const {
    return buildComplexTree(&list, formula, formalVariable);
}

std::string CFoncComplexe::describe(const char* eol) const {
    return "Fonction complexe de variable complexe nommée " + name + eol + getDefinitionText();
}
