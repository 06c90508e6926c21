// Modification tools: every eligible object blinks, a click on one opens its value, OK changes
// it, the figure is recomputed and the program returns to the capture tool.
#pragma once

#include <string>
#include <vector>

#include "view/COutil.h"

class CValeurAssocieeAVariable;

struct ModifyDesc {
    int command;
    const char* menu;
    const char* text;
    int promptId;
    Nature natures;
    int unavailable;
    const char* undo;
    const char* title;
    const char* label;
    int emptyMessage;
    bool positive;  // the value must be above 0 (Msg::radiusNotPositive)
    // The value of an eligible object; null for the others.
    CValeurAssocieeAVariable* (*valueOf)(CElementBase* e);
};

class COutilModification : public COutil {
public:
    explicit COutilModification(const ModifyDesc& d) : desc_(d) {}
    bool activate(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    bool endsAfterUse() const override { return true; }
    std::string undoLabel() const override { return desc_.undo; }

private:
    ModifyDesc desc_;
};

const std::vector<ModifyDesc>& modifyToolTable();
