// Transformations (homothety, symmetries, rotation, similarity, translation, inversion) and the
// objects defined as images by them. A transformation is never drawn: its images ask it for the
// images of the points, vectors, lengths and angles they are made of.
#pragma once

#include <memory>
#include <string>

#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"
#include "values/CValeurAssocieeAVariable.h"

class CTransformation : public CElementBase {
    DECLARE_SERIAL(CTransformation)
public:
    CTransformation() = default;

    virtual void imageOfPoint(double x, double y, double* ix, double* iy) const;
    // out[0], out[1]: the image of the vector (vx, vy).
    virtual void imageOfVector(double vx, double vy, double* out) const;
    virtual void imageOfLength(double len, double* out) const;
    virtual void imageOfAngle(double a, double* out) const;
    virtual bool isDefinedFor(const CPointAncetre* p) const;
    // Short name used in the kind texts of the images.
    virtual std::string getKindText() const { return ""; }

    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;

protected:
    // Texts of the parameter values inside kind texts and names.
    static std::string valueText(const CValeurAssocieeAVariable& v) { return v.getText(12); }
};

class CHomothetie : public CTransformation {
    DECLARE_SERIAL(CHomothetie)
public:
    CHomothetie() = default;
    CHomothetie(CPointAncetre* o, const CValeurAssocieeAVariable& ratio) : O(o), k(ratio) {}

    CPointAncetre* O = nullptr;
    CValeurAssocieeAVariable k;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    // The parameter value may name a value of the figure: a parent beside the slots.
    std::string getDisplayName() const override;
    std::string getKindText() const override;
    void imageOfPoint(double x, double y, double* ix, double* iy) const override;
    void imageOfVector(double vx, double vy, double* out) const override;
    void imageOfLength(double len, double* out) const override;
    void rebuildFromText(CListeAction* list) override { k.rebuildFromText(list); }
};

class CSymetrieCentrale : public CTransformation {
    DECLARE_SERIAL(CSymetrieCentrale)
public:
    CSymetrieCentrale() = default;
    explicit CSymetrieCentrale(CPointAncetre* o) : O(o) {}

    CPointAncetre* O = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getDisplayName() const override;
    std::string getKindText() const override { return "symétrie centrale"; }
    void imageOfPoint(double x, double y, double* ix, double* iy) const override;
    void imageOfVector(double vx, double vy, double* out) const override;
    void imageOfLength(double len, double* out) const override;
};

class CRotation : public CTransformation {
    DECLARE_SERIAL(CRotation)
public:
    CRotation() = default;
    CRotation(CPointAncetre* o, const CValeurAngle& angle) : O(o), theta(angle) {}

    CPointAncetre* O = nullptr;
    CValeurAngle theta;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    // The parameter value may name a value of the figure: a parent beside the slots.
    std::string getDisplayName() const override;
    std::string getKindText() const override;
    void imageOfPoint(double x, double y, double* ix, double* iy) const override;
    void imageOfVector(double vx, double vy, double* out) const override;
    void imageOfLength(double len, double* out) const override;
};

class CSimilitude : public CRotation {
    DECLARE_SERIAL(CSimilitude)
public:
    CSimilitude() = default;
    CSimilitude(CPointAncetre* o, const CValeurAngle& angle, const CValeurAssocieeAVariable& ratio)
        : CRotation(o, angle), k(ratio) {}

    CValeurAssocieeAVariable k;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getDisplayName() const override;
    std::string getKindText() const override;
    void imageOfPoint(double x, double y, double* ix, double* iy) const override;
    void imageOfVector(double vx, double vy, double* out) const override;
    void imageOfLength(double len, double* out) const override;
    void rebuildFromText(CListeAction* list) override { k.rebuildFromText(list); }
};

class CSymetrieAxiale : public CTransformation {
    DECLARE_SERIAL(CSymetrieAxiale)
public:
    CSymetrieAxiale() = default;
    explicit CSymetrieAxiale(CDroite* axis) : d(axis) {}

    CDroite* d = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getDisplayName() const override;
    std::string getKindText() const override { return "symétrie axiale"; }
    void imageOfPoint(double x, double y, double* ix, double* iy) const override;
    void imageOfVector(double vx, double vy, double* out) const override;
    void imageOfLength(double len, double* out) const override;
    void imageOfAngle(double a, double* out) const override;
};

class CTranslation : public CTransformation {
    DECLARE_SERIAL(CTranslation)
public:
    CTranslation() = default;
    CTranslation(CPointAncetre* a, CPointAncetre* b) : A(a), B(b) {}

    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::unique_ptr<CAction> createIllustration() const override;
    std::string getDisplayName() const override;
    std::string getKindText() const override { return "translation"; }
    void imageOfPoint(double x, double y, double* ix, double* iy) const override;
    void imageOfVector(double vx, double vy, double* out) const override;
    void imageOfLength(double len, double* out) const override;
};

// Inversion of centre O and ratio k, k measured in the figure's unit length.
class CInversion : public CHomothetie {
    DECLARE_SERIAL(CInversion)
public:
    CInversion() = default;
    CInversion(CPointAncetre* o, const CValeurAssocieeAVariable& ratio, CListeAction* figure)
        : CHomothetie(o, ratio), figure(figure) {}

    CListeAction* figure = nullptr;
    double unit = 0;  // the unit length's distance, from the last computation

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    std::string getDisplayName() const override;
    std::string getKindText() const override;
    void imageOfPoint(double x, double y, double* ix, double* iy) const override;
    bool isDefinedFor(const CPointAncetre* p) const override;
};

// ---------------------------------------------------------------------------------------------
// Images

class CPointImage : public CPointAncetre {
    DECLARE_SERIAL(CPointImage)
public:
    CPointImage() = default;
    CPointImage(CPointAncetre* p, CTransformation* t, int8_t colour = 1, int pointStyle = 0)
        : CPointAncetre(colour, pointStyle), P(p), T(t) {}

    CPointAncetre* P = nullptr;
    CTransformation* T = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    bool usesTransformation(const CElementBase* t) const override { return t && t == T; }
    CElementBase* getTransformation() const override { return T; }
    std::unique_ptr<CAction> createIllustration() const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
};

class CDroiteImage : public CDroite {
    DECLARE_SERIAL(CDroiteImage)
public:
    CDroiteImage() = default;
    CDroiteImage(CDroite* line, CTransformation* t, int8_t colour = 1, int lineStyle = 0)
        : CDroite(colour, lineStyle), d(line), T(t) {}

    CDroite* d = nullptr;
    CTransformation* T = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool usesTransformation(const CElementBase* t) const override { return t && t == T; }
    CElementBase* getTransformation() const override { return T; }
    std::unique_ptr<CAction> createIllustration() const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
};

class CDemiDroiteImage : public CDemiDroite {
    DECLARE_SERIAL(CDemiDroiteImage)
public:
    CDemiDroiteImage() = default;
    CDemiDroiteImage(CDemiDroite* line, CTransformation* t, int8_t colour = 1, int lineStyle = 0)
        : CDemiDroite(colour, lineStyle), d(line), T(t) {}

    CDemiDroite* d = nullptr;
    CTransformation* T = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool usesTransformation(const CElementBase* t) const override { return t && t == T; }
    CElementBase* getTransformation() const override { return T; }
    std::unique_ptr<CAction> createIllustration() const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
};

class CCercleImage : public CCercle {
    DECLARE_SERIAL(CCercleImage)
public:
    CCercleImage() = default;
    CCercleImage(CCercle* circle, CTransformation* t, int8_t colour = 1, int lineStyle = 0)
        : CCercle(colour, lineStyle), c(circle), T(t) {}

    CCercle* c = nullptr;
    CTransformation* T = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    bool usesTransformation(const CElementBase* t) const override { return t && t == T; }
    CElementBase* getTransformation() const override { return T; }
    std::unique_ptr<CAction> createIllustration() const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
};

// Image of an arc: inner points and an inner arc of the antecedent's kind, never in the figure
// list, carry the image; drawing, membership, abscissas and designation are the inner arc's.
class CArcDeCercleImage : public CArcDeCercleAncetre {
    DECLARE_SERIAL(CArcDeCercleImage)
public:
    CArcDeCercleImage();
    CArcDeCercleImage(CArcDeCercleAncetre* arc, CTransformation* t, int8_t colour = 1,
                      int lineStyle = 0);
    ~CArcDeCercleImage() override;

    CArcDeCercleAncetre* arc = nullptr;
    CTransformation* T = nullptr;

    // The inner arc (null until the first computation).
    const CArcDeCercleAncetre* innerArc() const { return inner_.get(); }

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    bool usesTransformation(const CElementBase* t) const override { return t && t == T; }
    CElementBase* getTransformation() const override { return T; }
    std::unique_ptr<CAction> createIllustration() const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void drawCircle(CDC* dc, bool eraseMode, bool hideMasked) override;
    bool containsCirclePoint(double x, double y) const override;
    double abscissaOfAngle(double theta) const override;
    int getArcKind() const override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;
    void setColour(int8_t index) override;
    void setLineStyle(uint8_t style) override;

private:
    // Inner objects of the antecedent's kind of arc.
    void ensureInner();
    void syncInnerLook();
    std::unique_ptr<CPointBase> centre_, origin_, end_;
    std::unique_ptr<CArcDeCercleAncetre> inner_;
    int innerKind_ = 0;
};
