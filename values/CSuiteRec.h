// Recurrent sequences u(n+1) = f(u(n)), real and complex (their graphs in a frame are in
// geometry/CGrapheSuiteRec.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "calc/Complexe.h"
#include "values/CCalcul.h"
#include "values/CValeurAssocieeAVariable.h"
#include "values/CValeurAssocieeComp.h"

class CFonc;
class CFoncComplexe;

class CSuiteRec : public CCalculAncetre {
    DECLARE_SERIAL(CSuiteRec)
public:
    static constexpr int kMinTerms = 2;
    static constexpr int kMaxTerms = 500;

    CSuiteRec() = default;
    CSuiteRec(std::string name, CFonc* f, int termCount, const CValeurAssocieeAVariable& first);

    CFonc* f = nullptr;
    int termCount = kMinTerms;  // N
    CValeurAssocieeAVariable first;
    int lastIndex = 0;  // index of the last term computed
    std::vector<double> terms;

    DECLARE_REFS();

    // Changes N and reallocates the terms (N is kept within 2..500).
    void setTermCount(int n);

    int getValueKind() const override { return kind::suiteRec; }
    double evaluateFunctionAt(double k) override;
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    std::string describe(const char* eol, bool oneLine) const;
    virtual std::string kindText() const { return "Suite récurrente "; }
    virtual std::string firstTermText() const { return first.getText(12); }
    virtual std::string functionName() const;
};

class CSuiteRecComplexe : public CCalculAncetre {
    DECLARE_SERIAL(CSuiteRecComplexe)
public:
    CSuiteRecComplexe() = default;
    CSuiteRecComplexe(std::string name, CFoncComplexe* f, int termCount,
                      const CValeurAssocieeComp& first);

    CFoncComplexe* f = nullptr;
    int termCount = CSuiteRec::kMinTerms;
    CValeurAssocieeComp first;
    int lastIndex = 0;
    std::vector<Complexe> terms;

    DECLARE_REFS();

    void setTermCount(int n);

    int getValueKind() const override { return kind::suiteRecComplexe; }
    Complexe evaluateFunctionComplexAt(Complexe k) override;
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
    void Serialize(CArchive& ar) override;

private:
    std::string describe(const char* eol, bool oneLine) const;
};
