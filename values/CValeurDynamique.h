// Base of every numeric figure object (variables, calculations, functions, measures, ...).
#pragma once

#include <string>

#include "calc/Complexe.h"
#include "core/CElementBase.h"

class CValeurDynamique : public CElementBase {
    DECLARE_SERIAL(CValeurDynamique)
public:
    virtual double getValue() const;
    virtual Complexe getComplexValue() const;
    virtual std::string getName() const;
    // One bit per kind of value (variable 0x1, length 0x2, ...).
    virtual int getValueKind() const;
    virtual std::string getNameAndValueText(int decimals) const;
    virtual std::string getValueText(int decimals) const;
    virtual std::string getComplexValueText(int decimals) const;
    virtual std::string getDisplayValueText(int decimals) const;
    // The name matches the beginning of `text`, whatever the case; `length` receives the
    // name's length in bytes.
    virtual bool matchesNameAt(const std::string& text, size_t pos, int* length) const;
    virtual bool hasName(const std::string& name) const;
    virtual std::string getCreationMessage() const;
    // Opens the modification dialog of the object; -1 when there is nothing to modify.
    virtual int modify();

    std::string getDisplayName() const override { return getName(); }
    std::string getStatusText() const override;
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

// Name of a value in the earliest file format: a length byte and four characters.
std::string readEarliestName(CArchive& ar);
