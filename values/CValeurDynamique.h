// Base of every numeric figure object (variables, calculations, functions, measures, ...).
#pragma once

#include <string>

#include "calc/CSourceValeur.h"

class CValeurDynamique : public CSourceValeur {
    DECLARE_SERIAL(CValeurDynamique)
public:
    virtual std::string getNameAndValueText(int decimals) const;
    virtual std::string getValueText(int decimals) const;
    virtual std::string getComplexValueText(int decimals) const;
    virtual std::string getDisplayValueText(int decimals) const;
    virtual std::string getCreationMessage() const;
    // Opens the modification dialog of the object; -1 when there is nothing to modify.
    virtual int modify();

    std::string getDisplayName() const override { return getName(); }
    std::string getStatusText() const override;
};

// Message shown when a measure or solution of kind `valueKind` named `name` has been created.
std::string creationMessageFor(int valueKind, const std::string& name);

// Name of a value in the earliest file format: a length byte and four characters.
std::string readEarliestName(CArchive& ar);
