// Complex parameter value (the affix of a point, ...): a complex number typed as a formula of
// constants, or a reference to a named value.
#pragma once

#include <memory>
#include <string>

#include "calc/Complexe.h"
#include "core/CObject.h"

class CArchive;
class CElementBase;
class CListeAction;
class CValeurDynamique;

class CValeurAssocieeComp : public CObject {
    DECLARE_SERIAL(CValeurAssocieeComp)
public:
    CValeurAssocieeComp() = default;
    explicit CValeurAssocieeComp(Complexe number);
    explicit CValeurAssocieeComp(CValeurDynamique* ref) : reference(ref) {}

    CValeurDynamique* reference = nullptr;  // not owned
    Complexe constant;
    std::string text;  // the complex formula as typed; empty when a reference is used

    // The text becomes the complex value text of z.
    void setNumber(Complexe z);
    void setNumberWithText(Complexe z, const std::string& typed);
    void setReference(CValeurDynamique* ref);
    bool isReference() const { return reference != nullptr; }
    bool isDefined() const;
    bool dependsOn(const CElementBase* p) const;
    bool dependsOnForPositioning(const CElementBase* p) const;
    bool usesNameOf(const CElementBase* p) const;
    void replaceReference(CElementBase* old, CElementBase* repl);
    Complexe getComplexValue() const;
    double getValue() const { return getComplexValue().re; }
    std::string getText(int decimals) const;
    std::unique_ptr<CValeurAssocieeComp> getClone(const CListeAction& from,
                                                  const CListeAction& to) const;
    CValeurAssocieeComp cloned(const CListeAction& from, const CListeAction& to) const;
    void rebuildFromText(const CListeAction* list);

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};
