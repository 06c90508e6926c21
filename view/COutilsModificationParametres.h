// Modification tools whose objects carry several parameters or an angle: the angle of an arc,
// the coordinates of a point in a frame, the weights of a barycentre. Like the other
// modification tools, the eligible objects blink and a click on one opens its dialog.
#pragma once

#include <string>
#include <vector>

#include "view/COutil.h"

struct ParamModifyDesc {
    int command;
    const char* menu;
    const char* text;
    int promptId;
    Nature natures;
    std::vector<int> unavailable;  // checked in that order
    const char* undo;
};

class COutilModificationParametres : public COutil {
public:
    explicit COutilModificationParametres(const ParamModifyDesc& d) : desc_(d) {}
    bool activate(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    bool endsAfterUse() const override { return true; }
    std::string undoLabel() const override { return desc_.undo; }

protected:
    virtual bool isEligible(CElementBase* e) const = 0;
    // Opens the dialog of `e`; true when the object was changed.
    virtual bool edit(CListeAction& list, CElementBase* e) = 0;
    // A further check made before the eligible objects are looked for (the unavailable
    // message at `index`); true when it passes.
    virtual bool precondition(const CListeAction&, size_t /*index*/) const { return true; }

private:
    std::vector<CActionAncetre*> eligible(CPelvantiDoc& doc) const;
    ParamModifyDesc desc_;
};

class COutilModificationAngleArc : public COutilModificationParametres {
public:
    using COutilModificationParametres::COutilModificationParametres;

protected:
    bool isEligible(CElementBase* e) const override;
    bool edit(CListeAction& list, CElementBase* e) override;
};

class COutilModificationCoordonnees : public COutilModificationParametres {
public:
    using COutilModificationParametres::COutilModificationParametres;

protected:
    bool isEligible(CElementBase* e) const override;
    bool edit(CListeAction& list, CElementBase* e) override;
    bool precondition(const CListeAction& list, size_t index) const override;
};

class COutilModificationBarycentre : public COutilModificationParametres {
public:
    using COutilModificationParametres::COutilModificationParametres;

protected:
    bool isEligible(CElementBase* e) const override;
    bool edit(CListeAction& list, CElementBase* e) override;
};

const std::vector<ParamModifyDesc>& parameterModifyToolTable();
