// The predefined constant pi, first entry of every figure list.
#pragma once

#include <memory>

#include "core/CListeAction.h"
#include "values/CCalcul.h"

class CCalcConst : public CCalcul {
    DECLARE_SERIAL(CCalcConst)
public:
    CCalcConst() = default;
    CCalcConst(std::string name, std::string formula)
        : CCalcul(std::move(name), std::move(formula)) {}

    // Computed when created and when loaded, never afterwards.
    void computePosition() override {}
    // Evaluates the tree (creation and loading).
    void computeNow();
    int modify() override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    std::string describe(const char* eol) const override;
};

inline constexpr const char* kPiName = "pi";
inline constexpr const char* kPiFormula = "3.14159265358979323846";

// A calculation entry (nature bit 25) holding the constant "pi", computed.
std::unique_ptr<CAction> makePiEntry();
