// Objects defined in a frame: points by coordinates or by affix (from a dialog), lines by a
// point and a slope, free points with integer coordinates, and the tools that modify them.
#pragma once

#include <vector>

#include "view/COutilsConstruction.h"
#include "view/COutilsCourbe.h"
#include "view/COutilsModificationParametres.h"

// Point M(x; y) or point of affix z in a frame chosen in the dialog.
class COutilPointRepere : public COutilParDialogue {
public:
    explicit COutilPointRepere(bool byAffix) : byAffix_(byAffix) {}

    std::string prompt(int step) const override;
    bool isAvailable() override;
    std::string undoLabel() const override;
    int promptId() const override;

protected:
    bool run(CPelvantiDoc& doc) override;

private:
    bool byAffix_;
};

// Slope of a line, affix of a point, coordinates of an integer point.
class COutilModificationRepere : public COutilModificationParametres {
public:
    using COutilModificationParametres::COutilModificationParametres;

protected:
    bool isEligible(CElementBase* e) const override;
    bool edit(CListeAction& list, CElementBase* e) override;
};

const std::vector<ToolDesc>& frameToolTable();
const std::vector<ParamModifyDesc>& frameModifyToolTable();
