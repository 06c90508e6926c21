// Loci of objects: n copies of a traced object (a line, a circle, a polygon...) taken at the n
// positions of the generator, drawn and designated through the copies.
#pragma once

#include <memory>
#include <string>

#include "core/CElementGraphique.h"
#include "core/CListeAction.h"

class CPointLie;
class CVariableBornee;

class CLieuObjetAncetre : public CElementGraphique {
    DECLARE_SERIAL(CLieuObjetAncetre)
public:
    CLieuObjetAncetre();
    CLieuObjetAncetre(CListeAction* list, CElementGraphique* tracedObject, int copyCount,
                      int8_t colour);
    ~CLieuObjetAncetre() override;

    CListeAction* list = nullptr;  // not saved
    CElementGraphique* tracedObject = nullptr;
    int copyCount = 10;
    std::unique_ptr<CListeAction> dependents;  // not saved
    // Clones of the traced object in the locus's colour, refreshed at every sample (not saved).
    std::unique_ptr<CListeAction> copies;

    virtual void buildDependents(CListeAction* list);
    virtual CElementBase* generator() const { return nullptr; }
    // Dependents and copies built against the current figure.
    void prepare();
    void setPointCount(int n);
    CElementGraphique* copyAt(int i) const;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    void replaceInSubLists(CActionAncetre* old, CActionAncetre* repl) override;
    bool coincidesWith(const CElementBase* other) const override;
    void setColour(int8_t index) override;
    void setInternalAngleUnit(int unit) override;
    void rebuildInternalLists(CListeAction* list) override;
    std::string getDescription() const override;

protected:
    void serializeBase(CArchive& ar, bool previous);
    void ensurePrepared();
    void buildCopies();
    virtual std::string generatorLine() const { return ""; }
    bool prepared_ = false;
};

class CLieuObjetParPtLie : public CLieuObjetAncetre {
    DECLARE_SERIAL(CLieuObjetParPtLie)
public:
    CLieuObjetParPtLie() = default;
    CLieuObjetParPtLie(CListeAction* list, CElementGraphique* tracedObject, CPointLie* generator,
                       int copyCount, int8_t colour = 1);

    CPointLie* linkedPoint = nullptr;

    CElementBase* generator() const override;
    void buildDependents(CListeAction* list) override;
    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    bool dependsOnForDrag(const CElementBase* p) const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;

protected:
    std::string generatorLine() const override;
};

class CLieuObjetParVariable : public CLieuObjetAncetre {
    DECLARE_SERIAL(CLieuObjetParVariable)
public:
    CLieuObjetParVariable() = default;
    CLieuObjetParVariable(CListeAction* list, CElementGraphique* tracedObject,
                          CVariableBornee* variable, int copyCount, int8_t colour = 1);

    CVariableBornee* variable = nullptr;

    CElementBase* generator() const override;
    void buildDependents(CListeAction* list) override;
    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;

protected:
    std::string generatorLine() const override;
};
