// The derivative of a real user function: a function itself, rebuilt from its source whenever
// the source's formula changes and after loading.
#pragma once

#include "values/CFonc.h"

class CDerivee : public CFonc {
    DECLARE_SERIAL(CDerivee)
public:
    CDerivee() = default;
    // Builds the tree with the angle unit of `list`.
    CDerivee(std::string name, CFonc* source, const CListeAction& list);

    CFonc* source = nullptr;  // not owned

    DECLARE_REFS();

    // Derives the source's tree again, with the angle unit of `list` (null: the unit in force).
    void rebuild(const CListeAction* list);

    int getValueKind() const override { return kind::fonction; }
    void computePosition() override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDefinitionText() const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
    void renameInFormula(const CListeAction&, const NameOverrides&) override {}
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

// Rebuilds every derivative of `source` in `list` (after its formula was edited), in list order
// so that a derivative of a derivative follows.
void rebuildDerivativesOf(CListeAction& list, const CFonc* source);
