// What formulas read of the figure's numeric objects: values, names and, for functions, their
// evaluation at a point. The numeric objects derive from it, so that trees, the parser and the
// derivative never depend on their classes.
#pragma once

#include <string>

#include "calc/Complexe.h"
#include "core/CElementBase.h"

class CCalculBase;

class CSourceValeur : public CElementBase {
public:
    virtual double getValue() const;
    virtual Complexe getComplexValue() const;
    virtual std::string getName() const;
    // One bit per kind of value (variable 0x1, length 0x2, ...).
    virtual int getValueKind() const;
    // The name matches the beginning of `text`, whatever the case; `length` receives the
    // name's length in bytes.
    virtual bool matchesNameAt(const std::string& text, size_t pos, int* length) const;
    virtual bool hasName(const std::string& name) const;

    // Functions and sequences: the objects a call f(x) may name, and their value at a point.
    virtual bool isFunctionObject() const { return false; }
    virtual double evaluateFunctionAt(double x);
    virtual Complexe evaluateFunctionComplexAt(Complexe z);
    // The formula of a function given by one, for the derivative of a call; null otherwise.
    virtual const CCalculBase* derivableFormula() const { return nullptr; }
    // A bounded variable: moving it draws random functions again.
    virtual bool isBoundedVariable() const { return false; }
};

// Value kinds (getValueKind), one bit each, and their unions.
namespace kind {
inline constexpr int variable = 0x1;
inline constexpr int longueur = 0x2;
inline constexpr int angle = 0x4;
inline constexpr int calcul = 0x8;
inline constexpr int abscisse = 0x10;
inline constexpr int fonction = 0x20;
inline constexpr int suiteRec = 0x40;
inline constexpr int solutionEquation = 0x80;
inline constexpr int integrale = 0x100;
inline constexpr int testExistence = 0x200;
inline constexpr int mesureX = 0x400;
inline constexpr int mesureY = 0x800;
inline constexpr int aire = 0x1000;
inline constexpr int calculComplexe = 0x2000;
inline constexpr int fonctionComplexe = 0x4000;
inline constexpr int partieComplexe = 0x8000;
inline constexpr int suiteRecComplexe = 0x10000;
inline constexpr int affixe = 0x20000;
// Operands of real formulas, operands of complex formulas, measures named after objects.
inline constexpr int reel = 0x9f9f;
inline constexpr int operandeComplexe = 0x2bf9f;
inline constexpr int mesureNommee = 0x1c16;
}  // namespace kind
