// Values computed by numerical procedures from a user function: the solution of f(x) = 0 by
// bisection, the integral of f by Simpson's rule, and the existence test of an object.
#pragma once

#include <memory>
#include <string>

#include "values/CCalcul.h"
#include "values/CValeurAssocieeAVariable.h"

class CFonc;

class CSolutionEquation : public CValeurDynamique {
    DECLARE_SERIAL(CSolutionEquation)
public:
    // More halvings than this and the solution does not exist.
    static constexpr int kMaxHalvings = 1000;

    CSolutionEquation() = default;
    CSolutionEquation(std::string name, CFonc* f, const CValeurAssocieeAVariable& a,
                      const CValeurAssocieeAVariable& b, const CValeurAssocieeAVariable& tolerance)
        : name(std::move(name)), f(f), a(a), b(b), tolerance(tolerance) {}

    std::string name;
    CFonc* f = nullptr;
    CValeurAssocieeAVariable a, b, tolerance;
    double value = 0;

    DECLARE_REFS();
    std::string getName() const override { return name; }
    double getValue() const override { return value; }
    int getValueKind() const override { return kind::solutionEquation; }
    std::string getCreationMessage() const override;
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                    CElementBase** pc) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
    void Serialize(CArchive& ar) override;

private:
    std::string describe(const char* eol) const;
};

class CIntegrale : public CValeurDynamique {
    DECLARE_SERIAL(CIntegrale)
public:
    static constexpr int kMinIntervals = 2;
    static constexpr int kMaxIntervals = 100;

    CIntegrale() = default;
    CIntegrale(std::string name, CFonc* f, const CValeurAssocieeAVariable& a,
               const CValeurAssocieeAVariable& b, int n)
        : name(std::move(name)), f(f), a(a), b(b), n(n) {}

    std::string name;
    CFonc* f = nullptr;
    CValeurAssocieeAVariable a, b;
    int n = kMinIntervals;  // the rule uses 2n sub-intervals
    double value = 0;

    DECLARE_REFS();
    std::string getName() const override { return name; }
    double getValue() const override { return value; }
    int getValueKind() const override { return kind::integrale; }
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                    CElementBase** pc) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
    void Serialize(CArchive& ar) override;

private:
    std::string describe(const char* eol, bool oneLine) const;
};

// 1 when the tested object exists, 0 otherwise; the test itself always exists.
class CTestExistence : public CCalculAncetre {
    DECLARE_SERIAL(CTestExistence)
public:
    CTestExistence() = default;
    CTestExistence(std::string name, CElementBase* tested)
        : CCalculAncetre(std::move(name)), tested(tested) {}

    CElementBase* tested = nullptr;
    double value = 0;

    DECLARE_REFS();
    double getValue() const override { return value; }
    int getValueKind() const override { return kind::testExistence; }
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                    CElementBase** pc) const override;
    std::string getDescription() const override;
    void Serialize(CArchive& ar) override;

private:
    std::string describe(const char* eol) const;
};
