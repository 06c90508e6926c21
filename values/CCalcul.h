// Named calculations: the base of every named numeric object (CCalculAncetre), the real and
// complex calculations written as formulas.
#pragma once

#include <memory>
#include <string>

#include "calc/CCalculBase.h"
#include "calc/Parser.h"
#include "values/CValeurDynamique.h"

class CCalculAncetre : public CValeurDynamique {
    DECLARE_SERIAL(CCalculAncetre)
public:
    CCalculAncetre() = default;
    explicit CCalculAncetre(std::string n) : name(std::move(n)) {}
    std::string name;

    std::string getName() const override { return name; }
    int getValueKind() const override { return -1; }
    bool isFunctionObject() const override { return true; }
    // Rewrites the formula after measures were renamed: `oldNames` gives the names they had.
    virtual void renameInFormula(const CListeAction& list, const NameOverrides& oldNames);

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

class CCalcul : public CCalculAncetre {
    DECLARE_SERIAL(CCalcul)
public:
    CCalcul() = default;
    CCalcul(std::string name, std::string formula)
        : CCalculAncetre(std::move(name)), formula(std::move(formula)) {}

    std::string formula;  // as typed: the only text form of the tree
    std::unique_ptr<CCalculBase> tree;
    double value = 0.0;

    double getValue() const override { return value; }
    int getValueKind() const override { return kind::calcul; }
    void computePosition() override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    void copyStateFrom(const CElementBase& src) override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void renameInFormula(const CListeAction& list, const NameOverrides& oldNames) override;
    // Adds the spellings the formula uses for the values of `names`.
    void collectNameSpellings(const CListeAction& list, NameOverrides& names) const;

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    // The CCalculAncetre part alone.
    void serializeNameOnly(CArchive& ar);
    // Parses the formula again against `list` (at creation and after each edit).
    void rebuildTree(const CListeAction& list);

protected:
    virtual std::unique_ptr<CCalculBase> buildTree(const CListeAction& list) const;
    virtual bool isComplexFormula() const { return false; }
    virtual std::string formalVariableName() const { return ""; }
    // Description with `eol` between lines.
    virtual std::string describe(const char* eol) const;
};

class CCalculComplexe : public CCalcul {
    DECLARE_SERIAL(CCalculComplexe)
public:
    CCalculComplexe() = default;
    CCalculComplexe(std::string name, std::string formula)
        : CCalcul(std::move(name), std::move(formula)) {}

    Complexe complexValue;

    double getValue() const override { return complexValue.re; }
    Complexe getComplexValue() const override { return complexValue; }
    int getValueKind() const override { return kind::calculComplexe; }
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;

protected:
    std::unique_ptr<CCalculBase> buildTree(const CListeAction& list) const override;
    bool isComplexFormula() const override { return true; }
    std::string describe(const char* eol) const override;
};

// Renaming a graphic object renames the measures named after it. Before the rename, collect
// the names those measures have (`measureNamesUsing`); after it, every formula of the list is
// rewritten with their new names (`renameMeasuresInFormulas`).
NameOverrides measureNamesUsing(const CListeAction& list, const CElementBase* renamed);
void renameMeasuresInFormulas(CListeAction& list, const NameOverrides& oldNames);
