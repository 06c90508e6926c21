#include "calc/CCalculBase.h"

#include <cmath>

#include "calc/Arithmetic.h"
#include "calc/CSourceValeur.h"
#include "calc/EvaluationState.h"
#include "calc/Remap.h"
#include "core/CArchive.h"

IMPLEMENT_DYNAMIC(CCalculBase, CObject)
IMPLEMENT_SERIAL(CConstante, CCalculBase, 1)
IMPLEMENT_SERIAL(CConstantei, CCalculBase, 1)
IMPLEMENT_SERIAL(CVariableFormelle, CCalculBase, 1)
IMPLEMENT_SERIAL(CResultatValeur, CCalculBase, 1)
IMPLEMENT_SERIAL(CResultatValeurComplexe, CResultatValeur, 1)
IMPLEMENT_SERIAL(CAppelFonction, CCalculBase, 1)
IMPLEMENT_SERIAL(CAppelFonctionComplexe, CAppelFonction, 1)
IMPLEMENT_SERIAL(COperation, CCalculBase, 1)
IMPLEMENT_SERIAL(CFonction, CCalculBase, 1)
IMPLEMENT_SERIAL(CPuissance, CCalculBase, 1)
IMPLEMENT_DYNAMIC(CApplicationFormelle, CCalculBase)

namespace {
void checkComplex(Complexe& z) {
    checkResult(z.re);
    checkResult(z.im);
}

std::unique_ptr<CCalculBase> readChild(CArchive& ar) {
    return ar.format() == CArchive::Format::earliest ? ar.readPreviousObjectOf<CCalculBase>()
                                                     : ar.readObjectOf<CCalculBase>();
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CCalculBase

std::unique_ptr<CCalculBase> CCalculBase::getClone(const CListeAction&, const CListeAction&) const {
    return nullptr;
}
bool CCalculBase::isDefined() const {
    return true;
}

// The public entries hold the catch-all guard: whatever a computation throws, the evaluation
// fails and the caller gets 0.
double CCalculBase::evaluate() {
    return guardedReal(this, nullptr);
}
double CCalculBase::evaluateAt(double x) {
    return guardedReal(this, &x);
}
Complexe CCalculBase::evaluateComplex() {
    return guardedComplex(this, nullptr);
}
Complexe CCalculBase::evaluateComplexAt(Complexe z) {
    return guardedComplex(this, &z);
}

bool CCalculBase::dependsOn(const CElementBase*) const {
    return false;
}
bool CCalculBase::dependsOnForPositioning(const CElementBase*) const {
    return false;
}
bool CCalculBase::usesNameOf(const CElementBase*) const {
    return false;
}
std::unique_ptr<CCalculBase> CCalculBase::getCopy() const {
    return nullptr;
}
bool CCalculBase::containsFormalVariable() const {
    return false;
}
void CCalculBase::replaceReference(CElementBase*, CElementBase*) {}

double CCalculBase::evalReal(const double*) {
    return 0.0;
}
Complexe CCalculBase::evalComplex(const Complexe* z) {
    return {evalReal(z ? &z->re : nullptr), 0.0};
}

double CCalculBase::realOf(CCalculBase* n, const double* x) {
    if (!n) {
        setCalculationError();
        return 0.0;
    }
    return n->evalReal(x);
}

Complexe CCalculBase::complexOf(CCalculBase* n, const Complexe* z) {
    if (!n) {
        setCalculationError();
        return {0.0, 0.0};
    }
    return n->evalComplex(z);
}

double CCalculBase::guardedReal(CCalculBase* n, const double* x) {
    try {
        return realOf(n, x);
    } catch (...) {
        setCalculationError();
        return 0.0;
    }
}

Complexe CCalculBase::guardedComplex(CCalculBase* n, const Complexe* z) {
    try {
        return complexOf(n, z);
    } catch (...) {
        setCalculationError();
        return {0.0, 0.0};
    }
}

std::unique_ptr<CCalculBase> CCalculBase::copyOf(const CCalculBase* n) {
    return n ? n->getCopy() : nullptr;
}

std::unique_ptr<CCalculBase> CCalculBase::cloneOf(const CCalculBase* n, const CListeAction& from,
                                                  const CListeAction& to) {
    return n ? n->getClone(from, to) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Leaves

std::unique_ptr<CCalculBase> CConstante::getClone(const CListeAction&, const CListeAction&) const {
    return getCopy();
}
std::unique_ptr<CCalculBase> CConstante::getCopy() const {
    return std::make_unique<CConstante>(value);
}
void CConstante::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.writeDouble(value);
    else
        value = ar.readDouble();
}
void CConstante::readPreviousFormat(CArchive& ar) {
    value = ar.readDouble();
}
double CConstante::evalReal(const double*) {
    checkEntering(value);
    return value;
}
Complexe CConstante::evalComplex(const Complexe*) {
    checkEntering(value);
    return {value, 0.0};
}

std::unique_ptr<CCalculBase> CConstantei::getClone(const CListeAction&, const CListeAction&) const {
    return getCopy();
}
std::unique_ptr<CCalculBase> CConstantei::getCopy() const {
    return std::make_unique<CConstantei>();
}
void CConstantei::Serialize(CArchive&) {}
double CConstantei::evalReal(const double*) {
    return 0.0;
}
Complexe CConstantei::evalComplex(const Complexe*) {
    return {0.0, 1.0};
}

std::unique_ptr<CCalculBase> CVariableFormelle::getClone(const CListeAction&,
                                                         const CListeAction&) const {
    return getCopy();
}
std::unique_ptr<CCalculBase> CVariableFormelle::getCopy() const {
    return std::make_unique<CVariableFormelle>();
}
void CVariableFormelle::Serialize(CArchive&) {}
void CVariableFormelle::readPreviousFormat(CArchive&) {}
double CVariableFormelle::evalReal(const double* x) {
    if (!x) return 0.0;
    checkEntering(*x);
    return *x;
}
Complexe CVariableFormelle::evalComplex(const Complexe* z) {
    if (!z) return {0.0, 0.0};
    checkEntering(z->re);
    checkEntering(z->im);
    return *z;
}

std::unique_ptr<CCalculBase> CResultatValeur::getClone(const CListeAction& from,
                                                       const CListeAction& to) const {
    return std::make_unique<CResultatValeur>(remapReference(value, from, to));
}
std::unique_ptr<CCalculBase> CResultatValeur::getCopy() const {
    return std::make_unique<CResultatValeur>(value);
}
bool CResultatValeur::isDefined() const {
    return value && value->exists;
}
bool CResultatValeur::dependsOn(const CElementBase* p) const {
    return value && value->dependsOn(p);
}
bool CResultatValeur::dependsOnForPositioning(const CElementBase* p) const {
    return value && value->dependsOnForPositioning(p);
}
bool CResultatValeur::usesNameOf(const CElementBase* p) const {
    return value && value->usesNameOf(p);
}
void CResultatValeur::replaceReference(CElementBase* old, CElementBase* repl) {
    auto* v = dynamic_cast<CSourceValeur*>(repl);
    if (value && value == old && v) value = v;
}
void CResultatValeur::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.writeReference(value);
    else
        value = ar.readReferenceOf<CSourceValeur>();
}
void CResultatValeur::readPreviousFormat(CArchive& ar) {
    value = ar.readReferenceOf<CSourceValeur>();
}
double CResultatValeur::evalReal(const double*) {
    if (!value) {
        setCalculationError();
        return 0.0;
    }
    double v = value->getValue();
    checkEntering(v);
    return v;
}
Complexe CResultatValeur::evalComplex(const Complexe*) {
    return {evalReal(nullptr), 0.0};
}

std::unique_ptr<CCalculBase> CResultatValeurComplexe::getClone(const CListeAction& from,
                                                               const CListeAction& to) const {
    return std::make_unique<CResultatValeurComplexe>(remapReference(value, from, to));
}
std::unique_ptr<CCalculBase> CResultatValeurComplexe::getCopy() const {
    return std::make_unique<CResultatValeurComplexe>(value);
}
Complexe CResultatValeurComplexe::evalComplex(const Complexe*) {
    if (!value) {
        setCalculationError();
        return {0.0, 0.0};
    }
    Complexe v = value->getComplexValue();
    checkEntering(v.re);
    checkEntering(v.im);
    return v;
}

// ---------------------------------------------------------------------------------------------
// Calls of figure functions

std::unique_ptr<CCalculBase> CAppelFonction::getClone(const CListeAction& from,
                                                      const CListeAction& to) const {
    return std::make_unique<CAppelFonction>(remapReference(function, from, to),
                                            cloneOf(argument.get(), from, to));
}
std::unique_ptr<CCalculBase> CAppelFonction::getCopy() const {
    return std::make_unique<CAppelFonction>(function, copyOf(argument.get()));
}
bool CAppelFonction::isDefined() const {
    return function && function->exists && definedOf(argument.get());
}
bool CAppelFonction::dependsOn(const CElementBase* p) const {
    return (function && function->dependsOn(p)) || (argument && argument->dependsOn(p));
}
bool CAppelFonction::dependsOnForPositioning(const CElementBase* p) const {
    return (function && function->dependsOnForPositioning(p)) ||
           (argument && argument->dependsOnForPositioning(p));
}
bool CAppelFonction::usesNameOf(const CElementBase* p) const {
    return (function && function->usesNameOf(p)) || (argument && argument->usesNameOf(p));
}
bool CAppelFonction::containsFormalVariable() const {
    return argument && argument->containsFormalVariable();
}
namespace {
// The object a call may name: a function or a sequence of the figure.
CSourceValeur* asFunction(CElementBase* e) {
    auto* f = dynamic_cast<CSourceValeur*>(e);
    return f && f->isFunctionObject() ? f : nullptr;
}
CSourceValeur* readFunctionReference(CArchive& ar) {
    CElementBase* e = ar.readReference();
    CSourceValeur* f = asFunction(e);
    if (e && !f) ar.failBadReference();
    return f;
}
bool isBoundedVariable(const CElementBase* p) {
    auto* v = dynamic_cast<const CSourceValeur*>(p);
    return v && v->isBoundedVariable();
}
}  // namespace

// A replacement of another kind is not put in: the call keeps its function.
void CAppelFonction::replaceReference(CElementBase* old, CElementBase* repl) {
    if (function && function == old && asFunction(repl)) function = asFunction(repl);
    if (argument) argument->replaceReference(old, repl);
}
void CAppelFonction::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeReference(function);
        ar.writeObject(argument.get());
    } else {
        function = readFunctionReference(ar);
        argument = ar.readObjectOf<CCalculBase>();
    }
}
void CAppelFonction::readPreviousFormat(CArchive& ar) {
    function = readFunctionReference(ar);
    argument = readChild(ar);
}
namespace {
// Functions calling functions nest evaluations; a damaged file could chain thousands of them.
constexpr int kMaxCallDepth = 500;
int callDepth = 0;

struct CallGuard {
    bool ok;
    CallGuard() : ok(callDepth < kMaxCallDepth) { ++callDepth; }
    ~CallGuard() { --callDepth; }
};
}  // namespace

double CAppelFonction::evalReal(const double* x) {
    double a = realOf(argument.get(), x);
    CallGuard guard;
    if (!function || !guard.ok) {
        setCalculationError();
        return 0.0;
    }
    double v = function->evaluateFunctionAt(a);
    checkEntering(v);
    return v;
}
Complexe CAppelFonction::evalComplex(const Complexe* z) {
    return {evalReal(z ? &z->re : nullptr), 0.0};
}

std::unique_ptr<CCalculBase> CAppelFonctionComplexe::getClone(const CListeAction& from,
                                                              const CListeAction& to) const {
    return std::make_unique<CAppelFonctionComplexe>(remapReference(function, from, to),
                                                    cloneOf(argument.get(), from, to));
}
std::unique_ptr<CCalculBase> CAppelFonctionComplexe::getCopy() const {
    return std::make_unique<CAppelFonctionComplexe>(function, copyOf(argument.get()));
}
Complexe CAppelFonctionComplexe::evalComplex(const Complexe* z) {
    Complexe a = complexOf(argument.get(), z);
    CallGuard guard;
    if (!function || !guard.ok) {
        setCalculationError();
        return {0.0, 0.0};
    }
    Complexe v = function->evaluateFunctionComplexAt(a);
    checkEntering(v.re);
    checkEntering(v.im);
    return v;
}

// ---------------------------------------------------------------------------------------------
// Operations

std::unique_ptr<CCalculBase> COperation::getClone(const CListeAction& from,
                                                  const CListeAction& to) const {
    return std::make_unique<COperation>(op, cloneOf(left.get(), from, to),
                                        cloneOf(right.get(), from, to));
}
std::unique_ptr<CCalculBase> COperation::getCopy() const {
    return std::make_unique<COperation>(op, copyOf(left.get()), copyOf(right.get()));
}
bool COperation::isDefined() const {
    return definedOf(left.get()) && definedOf(right.get());
}
bool COperation::dependsOn(const CElementBase* p) const {
    return (left && left->dependsOn(p)) || (right && right->dependsOn(p));
}
bool COperation::dependsOnForPositioning(const CElementBase* p) const {
    return (left && left->dependsOnForPositioning(p)) ||
           (right && right->dependsOnForPositioning(p));
}
bool COperation::usesNameOf(const CElementBase* p) const {
    return (left && left->usesNameOf(p)) || (right && right->usesNameOf(p));
}
bool COperation::containsFormalVariable() const {
    return (left && left->containsFormalVariable()) || (right && right->containsFormalVariable());
}
void COperation::replaceReference(CElementBase* old, CElementBase* repl) {
    if (left) left->replaceReference(old, repl);
    if (right) right->replaceReference(old, repl);
}
Complexe COperation::computeComplex(Complexe a, Complexe b) const {
    return computeComplexOperation(op, a, b);
}

namespace {
int readOperator(CArchive& ar) {
    int op = ar.readByte();
    if (op >= kOperatorCount)
        CArchive::fail(CArchiveException::badFormat,
                       "Opération inconnue dans une formule du fichier.");
    return op;
}

int readFunctionCode(CArchive& ar) {
    int code = ar.readByte();
    if (code >= kFunctionCount)
        CArchive::fail(CArchiveException::badFormat,
                       "Fonction inconnue dans une formule du fichier.");
    return code;
}
}  // namespace

void COperation::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeByte(static_cast<uint8_t>(op));
        ar.writeObject(left.get());
        ar.writeObject(right.get());
    } else {
        op = readOperator(ar);
        left = ar.readObjectOf<CCalculBase>();
        right = ar.readObjectOf<CCalculBase>();
    }
}
void COperation::readPreviousFormat(CArchive& ar) {
    op = readOperator(ar);
    left = readChild(ar);
    right = readChild(ar);
}
double COperation::evalReal(const double* x) {
    double a = realOf(left.get(), x);
    double b = realOf(right.get(), x);
    double r = computeReal(op, a, b);
    checkComputed(r);
    checkResult(r);
    return r;
}
Complexe COperation::evalComplex(const Complexe* z) {
    Complexe a = complexOf(left.get(), z);
    Complexe b = complexOf(right.get(), z);
    Complexe r = computeComplex(a, b);
    checkComputed(r);
    checkComplex(r);
    return r;
}

// ---------------------------------------------------------------------------------------------
// Built-in functions

std::unique_ptr<CCalculBase> CFonction::getClone(const CListeAction& from,
                                                 const CListeAction& to) const {
    return std::make_unique<CFonction>(code, cloneOf(argument.get(), from, to));
}
std::unique_ptr<CCalculBase> CFonction::getCopy() const {
    return std::make_unique<CFonction>(code, copyOf(argument.get()));
}
bool CFonction::isDefined() const {
    return definedOf(argument.get());
}
bool CFonction::isRandom() const {
    return code == fnRand || code == fnCRand;
}
bool CFonction::dependsOn(const CElementBase* p) const {
    return argument && argument->dependsOn(p);
}
bool CFonction::dependsOnForPositioning(const CElementBase* p) const {
    // Random draws are refreshed whenever any bounded variable moves.
    if (isRandom() && (!p || isBoundedVariable(p))) return true;
    return argument && argument->dependsOnForPositioning(p);
}
bool CFonction::usesNameOf(const CElementBase* p) const {
    return argument && argument->usesNameOf(p);
}
bool CFonction::containsFormalVariable() const {
    return argument && argument->containsFormalVariable();
}
void CFonction::replaceReference(CElementBase* old, CElementBase* repl) {
    if (argument) argument->replaceReference(old, repl);
}
void CFonction::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeByte(static_cast<uint8_t>(code));
        ar.writeObject(argument.get());
    } else {
        code = readFunctionCode(ar);
        argument = ar.readObjectOf<CCalculBase>();
    }
}
void CFonction::readPreviousFormat(CArchive& ar) {
    code = readFunctionCode(ar);
    argument = readChild(ar);
}

// A kept draw is returned on ordinary recomputations; "Tout redessiner" draws again and keeps
// it; animations draw on each evaluation without keeping.
Complexe CFonction::randomValue(bool twoDraws) {
    const EvaluationState& s = evaluationState();
    if (s.redrawRandom || (!s.transientRandom && !drawn)) {
        double re = drawRandom();
        double im = twoDraws ? drawRandom() : 0.0;
        drawnValue = {re, im};
        drawn = true;
        return drawnValue;
    }
    if (s.transientRandom) {
        double re = drawRandom();
        double im = twoDraws ? drawRandom() : 0.0;
        return {re, im};
    }
    return drawnValue;
}

double CFonction::realResult(double t) {
    if (code == fnRand) return randomValue(false).re;
    if (code >= kRealFunctionCount) return complexResult({t, 0.0}).re;
    return realFunction(code, t);
}

Complexe CFonction::complexResult(Complexe w) {
    if (code < kRealFunctionCount) return {realResult(w.re), 0.0};
    if (code == fnCRand) return randomValue(true);
    return complexFunction(code, w);
}

double CFonction::evalReal(const double* x) {
    double r = realResult(realOf(argument.get(), x));
    checkComputed(r);
    return r;
}

Complexe CFonction::evalComplex(const Complexe* z) {
    Complexe r = complexResult(complexOf(argument.get(), z));
    checkComputed(r);
    return r;
}

// ---------------------------------------------------------------------------------------------
// Powers

std::unique_ptr<CCalculBase> CPuissance::getClone(const CListeAction& from,
                                                  const CListeAction& to) const {
    return std::make_unique<CPuissance>(cloneOf(base.get(), from, to),
                                        cloneOf(exponent.get(), from, to));
}
std::unique_ptr<CCalculBase> CPuissance::getCopy() const {
    return std::make_unique<CPuissance>(copyOf(base.get()), copyOf(exponent.get()));
}
bool CPuissance::isDefined() const {
    return definedOf(base.get()) && definedOf(exponent.get());
}
bool CPuissance::dependsOn(const CElementBase* p) const {
    return (base && base->dependsOn(p)) || (exponent && exponent->dependsOn(p));
}
bool CPuissance::dependsOnForPositioning(const CElementBase* p) const {
    return (base && base->dependsOnForPositioning(p)) ||
           (exponent && exponent->dependsOnForPositioning(p));
}
bool CPuissance::usesNameOf(const CElementBase* p) const {
    return (base && base->usesNameOf(p)) || (exponent && exponent->usesNameOf(p));
}
bool CPuissance::containsFormalVariable() const {
    return (base && base->containsFormalVariable()) ||
           (exponent && exponent->containsFormalVariable());
}
void CPuissance::replaceReference(CElementBase* old, CElementBase* repl) {
    if (base) base->replaceReference(old, repl);
    if (exponent) exponent->replaceReference(old, repl);
}
void CPuissance::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeObject(base.get());
        ar.writeObject(exponent.get());
    } else {
        base = ar.readObjectOf<CCalculBase>();
        exponent = ar.readObjectOf<CCalculBase>();
    }
}
void CPuissance::readPreviousFormat(CArchive& ar) {
    base = readChild(ar);
    exponent = readChild(ar);
}
double CPuissance::evalReal(const double* x) {
    double a = realOf(base.get(), x);
    double b = realOf(exponent.get(), x);
    double r = realPower(a, b);
    checkComputed(r);
    checkResult(r);
    if (!std::isfinite(r)) setCalculationError();
    return r;
}
Complexe CPuissance::evalComplex(const Complexe* z) {
    Complexe a = complexOf(base.get(), z);
    Complexe b = complexOf(exponent.get(), z);
    Complexe r = complexPower(a, b);
    checkComputed(r);
    checkComplex(r);
    return r;
}

// ---------------------------------------------------------------------------------------------
// Formula applied to an argument

std::unique_ptr<CCalculBase> CApplicationFormelle::getClone(const CListeAction& from,
                                                            const CListeAction& to) const {
    return std::make_unique<CApplicationFormelle>(cloneOf(formula.get(), from, to),
                                                  cloneOf(argument.get(), from, to));
}
std::unique_ptr<CCalculBase> CApplicationFormelle::getCopy() const {
    return std::make_unique<CApplicationFormelle>(copyOf(formula.get()), copyOf(argument.get()));
}
bool CApplicationFormelle::isDefined() const {
    return definedOf(formula.get()) && definedOf(argument.get());
}
bool CApplicationFormelle::dependsOn(const CElementBase* p) const {
    return (formula && formula->dependsOn(p)) || (argument && argument->dependsOn(p));
}
bool CApplicationFormelle::dependsOnForPositioning(const CElementBase* p) const {
    return (formula && formula->dependsOnForPositioning(p)) ||
           (argument && argument->dependsOnForPositioning(p));
}
bool CApplicationFormelle::usesNameOf(const CElementBase* p) const {
    return (formula && formula->usesNameOf(p)) || (argument && argument->usesNameOf(p));
}
// The formula's own variable is bound to the argument.
bool CApplicationFormelle::containsFormalVariable() const {
    return argument && argument->containsFormalVariable();
}
void CApplicationFormelle::replaceReference(CElementBase* old, CElementBase* repl) {
    if (formula) formula->replaceReference(old, repl);
    if (argument) argument->replaceReference(old, repl);
}
double CApplicationFormelle::evalReal(const double* x) {
    double v = realOf(argument.get(), x);
    return realOf(formula.get(), &v);
}
Complexe CApplicationFormelle::evalComplex(const Complexe* z) {
    Complexe v = complexOf(argument.get(), z);
    return complexOf(formula.get(), &v);
}
