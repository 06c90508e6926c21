// Discrete loci: the sampled positions of a traced point kept as separate marks, never joined.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/CElementGraphique.h"
#include "core/CListeAction.h"
#include "geometry/CPointAncetre.h"

class CPointLie;
class CVariableBornee;

class CLieuDiscretDeBase : public CElementGraphique {
    DECLARE_SERIAL(CLieuDiscretDeBase)
public:
    CLieuDiscretDeBase();
    CLieuDiscretDeBase(CListeAction* list, CPointAncetre* tracedPoint, int pointShape,
                       int pointCount, int8_t colour);
    ~CLieuDiscretDeBase() override;

    CListeAction* list = nullptr;  // not saved
    CPointAncetre* tracedPoint = nullptr;
    uint8_t pointShape = 0;
    int pointCount = 100;
    // Kept with n for the locus dialog, which edits discrete loci and loci of points alike;
    // marks are never joined, so it changes nothing in the sampling (not saved).
    int secondParameter = 0;
    std::unique_ptr<CListeAction> dependents;  // not saved
    std::vector<LPoint> points;                // not saved
    int lastIndex = -1;
    // Draws every mark.
    std::unique_ptr<CPointBase> stamp;

    virtual void prepare();
    virtual void drawMarks(CDC* dc, bool erase, bool hideMasked);
    virtual void buildDependents(CListeAction* list);
    virtual CElementBase* generator() const { return nullptr; }

    void setPointCount(int n, int value);

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    // The archive clone, and the second parameter, which files do not keep.
    std::unique_ptr<CElementBase> getClone(const CListeAction& from,
                                           const CListeAction& to) const override;
    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    void replaceInSubLists(CActionAncetre* old, CActionAncetre* repl) override;
    bool coincidesWith(const CElementBase* other) const override;
    void updateNameAnchor() override;
    void setInternalAngleUnit(int unit) override;
    void rebuildInternalLists(CListeAction* list) override;
    std::string getDescription() const override;

protected:
    void serializeBase(CArchive& ar, bool previous);
    void ensurePrepared();
    virtual std::string generatorLine() const { return ""; }
    bool prepared_ = false;
};

class CLieuDiscretParPointLie : public CLieuDiscretDeBase {
    DECLARE_SERIAL(CLieuDiscretParPointLie)
public:
    CLieuDiscretParPointLie() = default;
    CLieuDiscretParPointLie(CListeAction* list, CPointAncetre* tracedPoint, CPointLie* generator,
                            int pointShape, int pointCount, int8_t colour = 1);

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

class CLieuDiscretParVariable : public CLieuDiscretDeBase {
    DECLARE_SERIAL(CLieuDiscretParVariable)
public:
    CLieuDiscretParVariable() = default;
    CLieuDiscretParVariable(CListeAction* list, CPointAncetre* tracedPoint,
                            CVariableBornee* variable, int pointShape, int pointCount,
                            int8_t colour = 1);

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
