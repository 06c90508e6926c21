// Linked points: draggable points bound to a curve (a line, a circle or arc, a polygon or
// broken line) or to another point. The abscissa t fixes the place on the curve.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"
#include "geometry/CPolygone.h"

class CPointLie : public CPointAncetrePointsMobiles {
    DECLARE_SERIAL(CPointLie)
public:
    CPointLie() = default;
    CPointLie(double t, int8_t colour, int pointStyle)
        : CPointAncetrePointsMobiles(colour, pointStyle), abscissa(t) {}

    double abscissa = 0;
    // Read from a schema-1 file on a bisector: the abscissa is rescaled once (not saved).
    bool convertBisector = false;

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    // Same curve and the same abscissa.
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    double getAbscissaMax() const override;
    double getAbscissaMin() const override;
    // The mouse position taken by the point, without the abscissa.
    bool positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px,
                           double* py) override;

    virtual CElementGraphique* getCurve() const { return nullptr; }
    // The abscissa range is exactly [0, 2 pi]: animations wrap around.
    virtual bool isCyclic() const { return false; }
    // The position and the abscissa t of that position on the curve.
    virtual bool positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px,
                                   double* py, double* t);

protected:
    // "Point lié à", "Point lié au " or "Point lié au point ".
    virtual std::string linkText() const { return "Point lié à "; }
};

class CPointLieDroite : public CPointLie {
    DECLARE_SERIAL(CPointLieDroite)
public:
    CPointLieDroite() = default;
    CPointLieDroite(CDroite* line, double t, int8_t colour = 1, int pointStyle = 0)
        : CPointLie(t, colour, pointStyle), line(line) {}

    CDroite* line = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    // The archive copy, with the pending rescale of an early bisector abscissa (not saved).
    std::unique_ptr<CElementBase> getClone(const CListeAction& from,
                                           const CListeAction& to) const override;
    void computePosition() override;
    bool isOnLineByConstruction(const CDroite* d) const override;
    CElementGraphique* getCurve() const override { return line; }
    using CPointLie::positionFromMouse;
    bool positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px, double* py,
                           double* t) override;
};

class CPointLieCercle : public CPointLie {
    DECLARE_SERIAL(CPointLieCercle)
public:
    CPointLieCercle() = default;
    CPointLieCercle(CCercle* circle, double t, int8_t colour = 1, int pointStyle = 0)
        : CPointLie(t, colour, pointStyle), circle(circle) {}

    CCercle* circle = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool isOnCircleByConstruction(const CCercle* c) const override;
    CElementGraphique* getCurve() const override { return circle; }
    bool isCyclic() const override;
    using CPointLie::positionFromMouse;
    bool positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px, double* py,
                           double* t) override;

protected:
    std::string linkText() const override { return "Point lié au "; }
};

// A point sitting on another point.
class CPointLiePoint : public CPointLie {
    DECLARE_SERIAL(CPointLiePoint)
public:
    CPointLiePoint() = default;
    explicit CPointLiePoint(CPointAncetre* point, int8_t colour = 1, int pointStyle = 0)
        : CPointLie(0, colour, pointStyle), point(point) {}

    CPointAncetre* point = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    CElementGraphique* getCurve() const override { return point; }
    double getAbscissaMax() const override { return 1.0; }
    double getAbscissaMin() const override { return 0.0; }
    using CPointLie::positionFromMouse;
    bool positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px, double* py,
                           double* t) override;

protected:
    std::string linkText() const override { return "Point lié au point "; }
};

class CPointLieLigne : public CPointLie {
    DECLARE_SERIAL(CPointLieLigne)
public:
    CPointLieLigne() = default;
    CPointLieLigne(CLignePolygonaleAncetre* line, double t, int8_t colour = 1, int pointStyle = 0);

    CLignePolygonaleAncetre* line = nullptr;
    // Not saved: side lengths and their sum.
    std::vector<double> lengths;
    double totalLength = 0;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    CElementGraphique* getCurve() const override { return line; }
    using CPointLie::positionFromMouse;
    bool positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px, double* py,
                           double* t) override;

protected:
    void computeLengths();
};
