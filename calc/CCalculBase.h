// Expression trees of formulas: built once by the parser (or the derivative builder), then
// evaluated at every recomputation of the figure. A failing step raises the evaluation failure
// flag and gives 0; nothing is thrown out of a node.
#pragma once

#include <memory>

#include "calc/Complexe.h"
#include "core/CObject.h"

class CElementBase;
class CListeAction;
class CSourceValeur;

class CCalculBase : public CObject {
    DECLARE_DYNAMIC(CCalculBase)
public:
    CCalculBase() = default;
    ~CCalculBase() override = default;

    // Copy whose references are the objects of `to` at the indexes they have in `from`.
    virtual std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                                  const CListeAction& to) const;
    virtual bool isDefined() const;
    virtual double evaluate();
    virtual double evaluateAt(double x);
    virtual Complexe evaluateComplex();
    virtual Complexe evaluateComplexAt(Complexe z);
    virtual bool dependsOn(const CElementBase* p) const;
    virtual bool dependsOnForPositioning(const CElementBase* p) const;
    virtual bool usesNameOf(const CElementBase* p) const;
    // Copy keeping the same references.
    virtual std::unique_ptr<CCalculBase> getCopy() const;
    virtual bool containsFormalVariable() const;
    // References to `old` become `repl`.
    virtual void replaceReference(CElementBase* old, CElementBase* repl);

protected:
    // Evaluation with the formal variable's value, or none (null).
    virtual double evalReal(const double* x);
    virtual Complexe evalComplex(const Complexe* z);

    // Child helpers: a missing child (damaged file, failed allocation) is a failing step.
    static double realOf(CCalculBase* n, const double* x);
    static Complexe complexOf(CCalculBase* n, const Complexe* z);
    static bool definedOf(const CCalculBase* n) { return n && n->isDefined(); }
    static std::unique_ptr<CCalculBase> copyOf(const CCalculBase* n);
    static std::unique_ptr<CCalculBase> cloneOf(const CCalculBase* n, const CListeAction& from,
                                                const CListeAction& to);
    static double guardedReal(CCalculBase* n, const double* x);
    static Complexe guardedComplex(CCalculBase* n, const Complexe* z);
};

// Numeric literal.
class CConstante : public CCalculBase {
    DECLARE_SERIAL(CConstante)
public:
    CConstante() = default;
    explicit CConstante(double v) : value(v) {}
    double value = 0.0;

    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    double evalReal(const double* x) override;
    Complexe evalComplex(const Complexe* z) override;
};

// The imaginary unit (complex trees).
class CConstantei : public CCalculBase {
    DECLARE_SERIAL(CConstantei)
public:
    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;
    void Serialize(CArchive& ar) override;

protected:
    double evalReal(const double* x) override;
    Complexe evalComplex(const Complexe* z) override;
};

// The formal variable of the function being defined.
class CVariableFormelle : public CCalculBase {
    DECLARE_SERIAL(CVariableFormelle)
public:
    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;
    bool containsFormalVariable() const override { return true; }
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    double evalReal(const double* x) override;
    Complexe evalComplex(const Complexe* z) override;
};

// Current real value of a figure value.
class CResultatValeur : public CCalculBase {
    DECLARE_SERIAL(CResultatValeur)
public:
    CResultatValeur() = default;
    explicit CResultatValeur(CSourceValeur* v) : value(v) {}
    CSourceValeur* value = nullptr;

    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;
    bool isDefined() const override;
    bool dependsOn(const CElementBase* p) const override;
    bool dependsOnForPositioning(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    double evalReal(const double* x) override;
    Complexe evalComplex(const Complexe* z) override;
};

// Current complex value of a figure value.
class CResultatValeurComplexe : public CResultatValeur {
    DECLARE_SERIAL(CResultatValeurComplexe)
public:
    CResultatValeurComplexe() = default;
    explicit CResultatValeurComplexe(CSourceValeur* v) : CResultatValeur(v) {}

    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;

protected:
    Complexe evalComplex(const Complexe* z) override;
};

// Call of a user function (or recurrent sequence) of the figure.
class CAppelFonction : public CCalculBase {
    DECLARE_SERIAL(CAppelFonction)
public:
    CAppelFonction() = default;
    CAppelFonction(CSourceValeur* f, std::unique_ptr<CCalculBase> arg)
        : function(f), argument(std::move(arg)) {}
    CSourceValeur* function = nullptr;
    std::unique_ptr<CCalculBase> argument;

    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;
    bool isDefined() const override;
    bool dependsOn(const CElementBase* p) const override;
    bool dependsOnForPositioning(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    bool containsFormalVariable() const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    double evalReal(const double* x) override;
    Complexe evalComplex(const Complexe* z) override;
};

// Call of a complex user function (or complex sequence).
class CAppelFonctionComplexe : public CAppelFonction {
    DECLARE_SERIAL(CAppelFonctionComplexe)
public:
    CAppelFonctionComplexe() = default;
    CAppelFonctionComplexe(CSourceValeur* f, std::unique_ptr<CCalculBase> arg)
        : CAppelFonction(f, std::move(arg)) {}

    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;

protected:
    Complexe evalComplex(const Complexe* z) override;
};

// Binary operation (codes of OperatorCode).
class COperation : public CCalculBase {
    DECLARE_SERIAL(COperation)
public:
    COperation() = default;
    COperation(int op, std::unique_ptr<CCalculBase> l, std::unique_ptr<CCalculBase> r)
        : left(std::move(l)), right(std::move(r)), op(op) {}
    std::unique_ptr<CCalculBase> left, right;
    int op = 0;

    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;
    bool isDefined() const override;
    bool dependsOn(const CElementBase* p) const override;
    bool dependsOnForPositioning(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    bool containsFormalVariable() const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    Complexe computeComplex(Complexe a, Complexe b) const;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    double evalReal(const double* x) override;
    Complexe evalComplex(const Complexe* z) override;
};

// Call of a built-in function (codes of FunctionCode).
class CFonction : public CCalculBase {
    DECLARE_SERIAL(CFonction)
public:
    CFonction() = default;
    CFonction(int code, std::unique_ptr<CCalculBase> arg) : code(code), argument(std::move(arg)) {}
    int code = 0;
    std::unique_ptr<CCalculBase> argument;
    // Kept draw of Rand; not saved.
    bool drawn = false;
    Complexe drawnValue;

    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;
    bool isDefined() const override;
    bool dependsOn(const CElementBase* p) const override;
    bool dependsOnForPositioning(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    bool containsFormalVariable() const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    double evalReal(const double* x) override;
    Complexe evalComplex(const Complexe* z) override;

private:
    bool isRandom() const;
    Complexe randomValue(bool twoDraws);
    double realResult(double t);
    Complexe complexResult(Complexe w);
};

// Power base^exponent.
class CPuissance : public CCalculBase {
    DECLARE_SERIAL(CPuissance)
public:
    CPuissance() = default;
    CPuissance(std::unique_ptr<CCalculBase> b, std::unique_ptr<CCalculBase> e)
        : base(std::move(b)), exponent(std::move(e)) {}
    std::unique_ptr<CCalculBase> base, exponent;

    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;
    bool isDefined() const override;
    bool dependsOn(const CElementBase* p) const override;
    bool dependsOnForPositioning(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    bool containsFormalVariable() const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    double evalReal(const double* x) override;
    Complexe evalComplex(const Complexe* z) override;
};

// A formula in the formal variable applied to an argument: the chain rule of derivatives.
// Never stored.
class CApplicationFormelle : public CCalculBase {
    DECLARE_DYNAMIC(CApplicationFormelle)
public:
    CApplicationFormelle(std::unique_ptr<CCalculBase> f, std::unique_ptr<CCalculBase> arg)
        : formula(std::move(f)), argument(std::move(arg)) {}
    std::unique_ptr<CCalculBase> formula, argument;

    std::unique_ptr<CCalculBase> getClone(const CListeAction& from,
                                          const CListeAction& to) const override;
    std::unique_ptr<CCalculBase> getCopy() const override;
    bool isDefined() const override;
    bool dependsOn(const CElementBase* p) const override;
    bool dependsOnForPositioning(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    bool containsFormalVariable() const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;

protected:
    double evalReal(const double* x) override;
    Complexe evalComplex(const Complexe* z) override;
};
