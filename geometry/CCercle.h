// Circles, arcs and angle marks: a centre and a radius. Arcs add a start angle, an oriented
// angle and the rule that tells which points of the circle belong to them; angle marks are
// small arcs or square corners at the vertex of an angle, with a radius of their own.
#pragma once

#include <memory>
#include <string>

#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"
#include "values/CValeurAssocieeAVariable.h"

namespace geo {
// Polar angle of (x, y) in [0, 2 pi), counter-clockwise as seen on screen.
double polarAngle(double x, double y);
// Angle brought into (-pi, pi]; within 1e-7 of +-pi it is pi.
double reduceAngle(double a);
}  // namespace geo

class CCercle : public CElementLigne {
    DECLARE_SERIAL(CCercle)
public:
    CCercle() = default;
    CCercle(int8_t colour, int lineStyle) : CElementLigne(colour, lineStyle) {}

    double centreX = 0, centreY = 0;
    double radius = 0;
    double left = 0, top = 0, right = 0, bottom = 0;  // bounding box, follows the radius

    void copyStateFrom(const CElementBase& src) override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    // exists := radius > 0, and the bounding box; kinds set centre and radius first.
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;
    double getAbscissaMax() const override;
    double getAbscissaMin() const override { return 0.0; }
    std::string getKindText() const override { return " un cercle"; }

    virtual void drawCircle(CDC* dc, bool eraseMode, bool hideMasked);
    // A point of the circle belongs to the object (arcs restrict the circle).
    virtual bool containsCirclePoint(double x, double y) const;
    // Abscissa of the circle's point of polar angle theta, for linked points.
    virtual double abscissaOfAngle(double theta) const;
    // 0 circle or angle mark, 1 small arc, 2 major arc, 3 direct arc, 4 indirect arc.
    virtual int getArcKind() const { return 0; }
    virtual bool passesThroughByConstruction(const CPointAncetre* p) const;

    void updateBox();

protected:
    // Pen of the curve, transparent background and hollow brush.
    void selectCurvePen(CDC* dc, bool eraseMode, bool hideMasked) const;
    LRect roundedBox() const;
};

// Circle of centre O through A.
class CCercleOA : public CCercle {
    DECLARE_SERIAL(CCercleOA)
public:
    CCercleOA() = default;
    CCercleOA(CPointAncetre* o, CPointAncetre* a, int8_t colour = 1, int lineStyle = 0);

    CPointAncetre* O = nullptr;
    CPointAncetre* A = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool passesThroughByConstruction(const CPointAncetre* p) const override;
};

// Root of arcs: the oriented angle, the origin and the start and end angles.
class CArcDeCercleAncetre : public CCercle {
    DECLARE_SERIAL(CArcDeCercleAncetre)
public:
    CArcDeCercleAncetre() = default;
    CArcDeCercleAncetre(int8_t colour, int lineStyle) : CCercle(colour, lineStyle) {}

    double angle = 0;                 // oriented angle a
    double originX = 0, originY = 0;  // position of the origin A
    double startAngle = 0, endAngle = 0;

    void copyStateFrom(const CElementBase& src) override;
    // Same circle and the same start and end angles.
    bool coincidesWith(const CElementBase* other) const override;
    double getAbscissaMax() const override { return 1.0; }
    double getAbscissaMin() const override { return 0.0; }
    std::string getKindText() const override { return " un arc de cercle"; }
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;

    // End point E = O + (A - O) turned by the angle.
    void endPoint(double* ex, double* ey) const;

    // Shared rules of the arc kinds, on the fields above.
    bool smallArcContains(double theta) const;
    double smallArcAbscissa(double theta) const;
    double majorArcAbscissa(double theta) const;
    bool directArcContains(double theta) const;
    void drawSmallArc(CDC* dc) const;
    void drawMajorArc(CDC* dc) const;
};

// Circle of centre O whose radius is a value times the figure's unit length.
class CCercleOR : public CCercle {
    DECLARE_SERIAL(CCercleOR)
public:
    CCercleOR() = default;
    CCercleOR(CPointAncetre* o, const CValeurAssocieeAVariable& r, CListeAction* figure,
              int8_t colour = 1, int lineStyle = 0);

    CPointAncetre* O = nullptr;
    CValeurAssocieeAVariable radiusValue;  // owned
    CListeAction* figure = nullptr;        // for its unit length

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    // The radius's value counts as a parent too.
    bool dependsOnForDrag(const CElementBase* p) const override;
    bool usesNameOf(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;

    // Length of the figure's unit segment; false when the figure has none that exists.
    static bool unitLengthOf(const CListeAction* figure, double* length);
};

// Small arc from A of angle a in (-pi, pi], given by an angle value or by an end point B.
class CArcDeCercle : public CArcDeCercleAncetre {
    DECLARE_SERIAL(CArcDeCercle)
public:
    CArcDeCercle() = default;
    CArcDeCercle(CPointAncetre* o, CPointAncetre* a, CPointAncetre* b, int8_t colour = 1,
                 int lineStyle = 0);
    CArcDeCercle(CPointAncetre* o, CPointAncetre* a, const CValeurAngle& angle, int8_t colour = 1,
                 int lineStyle = 0);

    CPointAncetre* O = nullptr;
    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;  // none: the angle value gives the arc
    CValeurAngle angleValue;     // owned; used when B is none

    DECLARE_REFS();
    // Schema 2: O, A, the index of B or -1, then the angle value only without B. Schema 1:
    // O, A and the angle value.
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    // The angle's value counts as a parent too, while it gives the arc (no end point).
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    bool usesNameOf(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
    void drawCircle(CDC* dc, bool eraseMode, bool hideMasked) override;
    bool containsCirclePoint(double x, double y) const override;
    double abscissaOfAngle(double theta) const override;
    int getArcKind() const override { return 1; }
    bool passesThroughByConstruction(const CPointAncetre* p) const override;

protected:
    // "Petit arc de cercle", "Grand arc de cercle", ...
    virtual std::string kindPrefix() const { return "Petit arc de cercle"; }
    virtual void drawArc(CDC* dc) const { drawSmallArc(dc); }
    // Computes the small arc; false when it does not exist.
    bool computeSmallArc();
    // The fields of files written before arcs could end at a point: O and A, no end index.
    void readCentreAndOrigin(CArchive& ar);
};

// The major arc: the rest of the circle of the small arc.
class CGrandArcDeCercle : public CArcDeCercle {
    DECLARE_SERIAL(CGrandArcDeCercle)
public:
    using CArcDeCercle::CArcDeCercle;

    bool containsCirclePoint(double x, double y) const override;
    double abscissaOfAngle(double theta) const override;
    int getArcKind() const override { return 2; }

protected:
    std::string kindPrefix() const override { return "Grand arc de cercle"; }
    void drawArc(CDC* dc) const override { drawMajorArc(dc); }
};

// Counter-clockwise arc from A to the end point E.
class CArcDeCercleDirect : public CArcDeCercle {
    DECLARE_SERIAL(CArcDeCercleDirect)
public:
    using CArcDeCercle::CArcDeCercle;

    double endX = 0, endY = 0;  // E, rounded to integers

    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    bool containsCirclePoint(double x, double y) const override;
    double abscissaOfAngle(double theta) const override;
    int getArcKind() const override { return 3; }

protected:
    std::string kindPrefix() const override { return "Arc de cercle direct"; }
    void drawArc(CDC* dc) const override;
};

// Clockwise arc from A to E: stored as the direct arc from E to A.
class CArcDeCercleIndirect : public CArcDeCercleDirect {
    DECLARE_SERIAL(CArcDeCercleIndirect)
public:
    using CArcDeCercleDirect::CArcDeCercleDirect;

    void computePosition() override;
    double abscissaOfAngle(double theta) const override;
    int getArcKind() const override { return 4; }

protected:
    std::string kindPrefix() const override { return "Arc de cercle indirect"; }
    void drawArc(CDC* dc) const override;
};

// Angle marks: the centre is the vertex, the radius the mark's own size.
class CMarqueAngleAncetre : public CCercle {
    DECLARE_SERIAL(CMarqueAngleAncetre)
public:
    CMarqueAngleAncetre() = default;
    CMarqueAngleAncetre(double r, int8_t colour, int lineStyle);

    double u1x = 0, u1y = 0, u2x = 0, u2y = 0;                            // side vectors
    double angle1 = 0, angle2 = 0;                                        // their polar angles
    double p1x = 0, p1y = 0, cornerX = 0, cornerY = 0, p2x = 0, p2y = 0;  // square corner

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;

    virtual void setArrowStyle(int) {}

protected:
    // Sides from the vertex (centre) and u1, u2; the square corner from them.
    void setSides(double ux1, double uy1, double ux2, double uy2);
    void computeSquare();
    void drawSquare(CDC* dc) const;
    // Small-arc drawing from side u1 by `a` on the mark's circle.
    void drawMarkArc(CDC* dc, double a) const;
};

// Square corner at the foot of a perpendicular.
class CMarqueAngleDroit : public CMarqueAngleAncetre {
    DECLARE_SERIAL(CMarqueAngleDroit)
public:
    CMarqueAngleDroit() = default;
    CMarqueAngleDroit(CDroitePerpendiculaire* perp, double r, int8_t colour = 1, int lineStyle = 0);

    CDroitePerpendiculaire* perpendicular = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    std::string getDescription() const override { return getDisplayName(); }
    void drawCircle(CDC* dc, bool eraseMode, bool hideMasked) override;
};

// Mark of the geometric angle AOB: an arc, or a square corner for a right angle.
class CMarqueAngleGeometrique : public CMarqueAngleAncetre {
    DECLARE_SERIAL(CMarqueAngleGeometrique)
public:
    CMarqueAngleGeometrique() = default;
    CMarqueAngleGeometrique(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b, double r,
                            int8_t colour = 1, int lineStyle = 0);

    CPointAncetre* A = nullptr;
    CPointAncetre* O = nullptr;
    CPointAncetre* B = nullptr;
    bool rightAngle = false;  // not saved

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    // The same vertex and sides; the sides may be swapped unless the mark is oriented.
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    std::string getDescription() const override { return getDisplayName(); }
    void drawCircle(CDC* dc, bool eraseMode, bool hideMasked) override;

protected:
    virtual std::string markKindText() const { return "Marque d'angle géométrique"; }
    bool parentsInRange() const;
};

// Oriented angle mark: arc from side OA to side OB with an arrowhead on OB.
class CMarqueAngleOriente : public CMarqueAngleGeometrique {
    DECLARE_SERIAL(CMarqueAngleOriente)
public:
    CMarqueAngleOriente() = default;
    CMarqueAngleOriente(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b, double r,
                        int arrowStyle = 0, int8_t colour = 1, int lineStyle = 0);

    int arrowStyle = 0;
    double arrowX = 0, arrowY = 0;  // arrow direction, from the tip back along the arc
    double tipX = 0, tipY = 0;

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    void drawCircle(CDC* dc, bool eraseMode, bool hideMasked) override;
    void setArrowStyle(int style) override { arrowStyle = style; }

protected:
    // How the arc is drawn: by the sign of the angle, or always in one sense.
    enum class Sense { byAngle, direct, indirect };
    virtual Sense sense() const { return Sense::byAngle; }
    std::string markKindText() const override { return "Marque d'angle orienté"; }
    double arrowLength() const { return (arrowStyle == 1 || arrowStyle == 3) ? 40 : 60; }
    void drawArrow(CDC* dc, bool eraseMode) const;
};

class CMarqueAngleOrienteDirecte : public CMarqueAngleOriente {
    DECLARE_SERIAL(CMarqueAngleOrienteDirecte)
public:
    CMarqueAngleOrienteDirecte() = default;
    CMarqueAngleOrienteDirecte(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b, double r,
                               int arrowStyle = 0, int8_t colour = 1, int lineStyle = 0)
        : CMarqueAngleOriente(a, o, b, r, arrowStyle, colour, lineStyle) {}

protected:
    std::string markKindText() const override {
        return "Marque d'angle orienté tracée dans le sens direct";
    }
    Sense sense() const override { return Sense::direct; }
};

class CMarqueAngleOrienteIndirecte : public CMarqueAngleOriente {
    DECLARE_SERIAL(CMarqueAngleOrienteIndirecte)
public:
    CMarqueAngleOrienteIndirecte() = default;
    CMarqueAngleOrienteIndirecte(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b, double r,
                                 int arrowStyle = 0, int8_t colour = 1, int lineStyle = 0)
        : CMarqueAngleOriente(a, o, b, r, arrowStyle, colour, lineStyle) {}

protected:
    std::string markKindText() const override {
        return "Marque d'angle orienté tracée dans le sens indirect";
    }
    Sense sense() const override { return Sense::indirect; }
};
