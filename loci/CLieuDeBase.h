// Loci of points: the polyline traced by a point while a linked point runs along its curve
// (CLieuDePoints) or a bounded variable runs between its bounds (CLieuParVariable).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/CListeAction.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"

class CPointLie;
class CVariableBornee;

class CLieuDeBase : public CElementLigne {
    DECLARE_SERIAL(CLieuDeBase)
public:
    struct Piece {
        int start = 0;
        int count = 0;
    };

    CLieuDeBase();
    CLieuDeBase(CListeAction* list, CPointAncetre* tracedPoint, int pointCount, bool closed,
                int8_t colour, int lineStyle);
    ~CLieuDeBase() override;

    // The figure the locus stands in (not saved): set at creation, cloning and loading.
    CListeAction* list = nullptr;
    CPointAncetre* tracedPoint = nullptr;
    int pointCount = 100;
    bool closed = false;
    // Objects recomputed at each sample; built on first need and again when the figure changes
    // under them (not saved).
    std::unique_ptr<CListeAction> dependents;
    std::vector<LPoint> points;  // n + 2 samples, figure units
    int pieceCount = 0;
    int validPieceCount = 0;
    std::vector<Piece> pieces;
    int firstValidPiece = -1;

    virtual void prepare();
    virtual void drawPieces(CDC* dc, bool erase, bool hideMasked);
    virtual void buildDependents(CListeAction* list);

    void setPointCount(int n, bool closed);
    // Points of the only piece, in sample order (the closing point included); empty unless the
    // locus exists as one piece.
    std::vector<LPoint> onePiecePoints() const;
    virtual CElementBase* generator() const { return nullptr; }

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    void replaceInSubLists(CActionAncetre* old, CActionAncetre* repl) override;
    bool coincidesWith(const CElementBase* other) const override;
    void updateNameAnchor() override;
    void setInternalAngleUnit(int unit) override;
    void rebuildInternalLists(CListeAction* list) override;
    std::string getDescription() const override;
    std::string getKindText() const override { return " un lieu de points"; }

protected:
    // Sets every sample's traced position and the pieces; false when the generator gives no
    // usable range.
    bool sampleTracedPoint(CElementBase* gen);
    void serializeBase(CArchive& ar, bool previous);
    // Dependents built against the current figure, or again when they went stale.
    void ensurePrepared();
    virtual std::string generatorLine() const { return ""; }
    bool prepared_ = false;
};

class CLieuDePoints : public CLieuDeBase {
    DECLARE_SERIAL(CLieuDePoints)
public:
    CLieuDePoints() = default;
    CLieuDePoints(CListeAction* list, CPointAncetre* tracedPoint, CPointLie* generator,
                  int pointCount, bool closed, int8_t colour = 1, int lineStyle = 0);

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

class CLieuParVariable : public CLieuDeBase {
    DECLARE_SERIAL(CLieuParVariable)
public:
    CLieuParVariable() = default;
    CLieuParVariable(CListeAction* list, CPointAncetre* tracedPoint, CVariableBornee* variable,
                     int pointCount, bool closed, int8_t colour = 1, int lineStyle = 0);

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
