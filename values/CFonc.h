// User functions of a real or complex variable, written as formulas in a formal variable.
#pragma once

#include "values/CCalcul.h"

class CFonc : public CCalcul {
    DECLARE_SERIAL(CFonc)
public:
    CFonc() = default;
    CFonc(std::string name, std::string formula, std::string variable)
        : CCalcul(std::move(name), std::move(formula)), formalVariable(std::move(variable)) {}

    std::string formalVariable;

    int getValueKind() const override { return kind::fonction; }
    // Nothing is evaluated: the function exists when its tree is defined.
    void computePosition() override;
    double evaluateFunctionAt(double x) override;
    const CCalculBase* derivableFormula() const override { return tree.get(); }
    virtual std::string getDefinitionText() const;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    std::string formalVariableName() const override { return formalVariable; }
    std::string describe(const char* eol) const override;
};

class CFoncComplexe : public CFonc {
    DECLARE_SERIAL(CFoncComplexe)
public:
    CFoncComplexe() = default;
    CFoncComplexe(std::string name, std::string formula, std::string variable)
        : CFonc(std::move(name), std::move(formula), std::move(variable)) {}

    int getValueKind() const override { return kind::fonctionComplexe; }
    Complexe evaluateFunctionComplexAt(Complexe z) override;

protected:
    std::unique_ptr<CCalculBase> buildTree(const CListeAction& list) const override;
    bool isComplexFormula() const override { return true; }
    std::string describe(const char* eol) const override;
};
