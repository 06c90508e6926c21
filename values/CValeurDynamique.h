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
