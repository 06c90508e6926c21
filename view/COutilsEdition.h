// The editing tools (one click on an object does the work: name, erase, unmask, delete,
// colour and style, reclass, unlink) and the link tool, and the tests of a figure's
// properties, which show a verdict.
#pragma once

#include <string>
#include <vector>

#include "view/COutilsConstruction.h"

// One click on an object of `natures` runs `apply`; true when the figure changed.
struct EditDesc {
    int command;
    const char* menu;
    const char* text;
    int promptId;
    Nature natures;
    std::vector<int> unavailable;
    bool ends;
    const char* undo;
    bool maskedOnly;
    bool (*apply)(CPelvantiView* view, CActionAncetre* entry);
};

class COutilEdition : public COutilClignotant {
public:
    explicit COutilEdition(const EditDesc& desc) : desc_(desc) {}
    bool activate(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    int promptId() const override { return desc_.promptId; }
    bool isAvailable() override;
    bool endsAfterUse() const override { return desc_.ends; }
    std::string undoLabel() const override { return desc_.undo; }
    const EditDesc& desc() const { return desc_; }

private:
    EditDesc desc_;
};

// Naming of a point or a line: the name entry opens on the clicked object.
class COutilEntreeNom : public COutilEdition {
public:
    using COutilEdition::COutilEdition;
};

const std::vector<EditDesc>& editToolTable();
// The tests of the menu Test and the link tool: designations, then a verdict or a new link.
const std::vector<ToolDesc>& testToolTable();

// Verdict of a test on designated objects (the texts of the menu Test); empty when the
// objects do not exist.
std::string testVerdict(int command, const std::vector<CElementBase*>& objects);

// A free point becomes a point linked to a curve or to another point, where it stands.
class COutilLiaison : public COutilDesigne {
public:
    using COutilDesigne::COutilDesigne;

protected:
    bool build(CPelvantiDoc* doc) override;
};

const ToolDesc& linkToolDesc();
