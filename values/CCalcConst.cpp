#include "values/CCalcConst.h"

#include "calc/EvaluationState.h"
#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/Messages.h"

IMPLEMENT_SERIAL(CCalcConst, CCalcul, 1)

void CCalcConst::computeNow() {
    CCalcul::computePosition();
}

int CCalcConst::modify() {
    showMessage(Msg::constantPredefined, MB_ICONEXCLAMATION);
    return -1;
}

void CCalcConst::Serialize(CArchive& ar) {
    CCalcul::Serialize(ar);
    if (ar.IsLoading()) computeNow();
}

void CCalcConst::readPreviousFormat(CArchive& ar) {
    CCalcul::readPreviousFormat(ar);
    computeNow();
}

std::string CCalcConst::describe(const char* eol) const {
    return "Constante prédéfinie " + name + eol + name + " = " + formula;
}

std::unique_ptr<CAction> makePiEntry() {
    auto pi = std::make_unique<CCalcConst>(kPiName, kPiFormula);
    pi->tree = buildRealTree(nullptr, pi->formula);
    pi->computeNow();
    return std::make_unique<CAction>(nat::calcul, std::move(pi));
}
