// Points: the point root, the draggable points' root, free points and the constructed points
// that are not intersections, linked points, images or points of a frame.
#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/CElementGraphique.h"
#include "core/CListeAction.h"
#include "values/CValeurAssocieeAVariable.h"

class CDroite;
class CCercle;

// Numeric rules shared by every geometric object.
namespace geo {
inline constexpr double kEps = 1e-9;       // two numbers are equal below this difference
inline constexpr double kAngleEps = 1e-7;  // two angles are equal below this difference
inline constexpr double kRangeMin = -32768.0;
inline constexpr double kRangeMax = 32767.0;
inline constexpr double kPi = 3.14159265358979323846;

inline bool isZero(double v) {
    return std::fabs(v) < kEps;
}
// Both coordinates inside [-32768, 32767]: only such positions are drawn.
inline bool inRange(double x, double y) {
    return x >= kRangeMin && x <= kRangeMax && y >= kRangeMin && y <= kRangeMax;
}
// Rounding of figure coordinates to the drawing surface's integers (floor(v + 0.5)).
int roundCoord(double v);
// A distance truncated to an int; kNotDesignable when it does not fit.
int truncDistance(double d);
// Collinearity of two vectors; a null vector is collinear with everything.
bool collinear(double px, double py, double qx, double qy);
using fig::existing;
using fig::nameOf;
}  // namespace geo

// The distance in figure units between the two points of the figure's unit length (its first
// two parents); false when the figure has none or a point does not exist. The points are
// asked directly, so the answer is right even when the unit length stands after the object
// that asks.
bool unitLengthDistance(const CListeAction* list, double* u);

// What a dragged point asks of its view: whether a position is inside the drawing area.
class CViewBounds {
public:
    explicit CViewBounds(LRect area) : area(area) {}
    virtual ~CViewBounds() = default;
    // The position lies in the drawing area, its edges included.
    virtual bool acceptsPosition(double x, double y) const;
    LRect area;
};

class CPointAncetre : public CElementGraphique {
    DECLARE_SERIAL(CPointAncetre)
public:
    // Empty instance (file reader).
    CPointAncetre();
    CPointAncetre(int8_t colour, int pointStyle);

    double x = 0, y = 0;
    int pointStyle = 0;       // 0..7, see drawPoint
    bool outOfRange = false;  // not saved

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    bool coincidesWith(const CElementBase* other) const override;
    void updateNameAnchor() override;
    void drawName(CDC* dc, bool hideMasked, bool respectNameHidden) override;
    void eraseName(CDC* dc, bool hideMasked, bool respectNameHidden) override;
    int designationDistance(int mx, int my, bool hideMasked) override;

    virtual void drawPoint(CDC* dc, bool eraseMode, bool hideMasked);
    virtual void setPosition(double nx, double ny);
    virtual bool positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* px,
                                   double* py);
    virtual bool liesOnLine(const CDroite* d) const;
    virtual bool isInWindow() const;
    virtual bool isOnCircleByConstruction(const CCercle* c) const;
    virtual bool isOnLineByConstruction(const CDroite* d) const;

    // Out-of-range flag from the coordinates, then the name anchor.
    void checkRange();

protected:
    // "Point " N " : " prefix of descriptions.
    std::string describedAs(const std::string& text) const;
};

class CPointAncetrePointsMobiles : public CPointAncetre {
    DECLARE_SERIAL(CPointAncetrePointsMobiles)
public:
    CPointAncetrePointsMobiles() = default;
    CPointAncetrePointsMobiles(int8_t colour, int pointStyle) : CPointAncetre(colour, pointStyle) {}

    bool mobile = true;  // false: pinned, the capture tool does not move it

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    std::string getStatusText() const override;
};

// Free point.
class CPointBase : public CPointAncetrePointsMobiles {
    DECLARE_SERIAL(CPointBase)
public:
    CPointBase() = default;
    CPointBase(double x, double y, int8_t colour = 1, int pointStyle = 0);

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void translateBy(double dx, double dy) override { moveBy(dx, dy); }
    void zoomAbout(double cx, double cy, double ratio) override { scaleAbout(cx, cy, ratio); }

    void moveBy(double dx, double dy);
    void scaleAbout(double cx, double cy, double k);
};

class CMilieu : public CPointAncetre {
    DECLARE_SERIAL(CMilieu)
public:
    CMilieu() = default;
    CMilieu(CPointAncetre* a, CPointAncetre* b, int8_t colour = 1, int pointStyle = 0);

    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
};

class CCentreGravite : public CPointAncetre {
    DECLARE_SERIAL(CCentreGravite)
public:
    CCentreGravite() = default;
    CCentreGravite(CPointAncetre* a, CPointAncetre* b, CPointAncetre* c, int8_t colour = 1,
                   int pointStyle = 0);

    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;
    CPointAncetre* C = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
};

// Foot of the perpendicular from A to the line d.
class CPointProjete : public CPointAncetre {
    DECLARE_SERIAL(CPointProjete)
public:
    CPointProjete() = default;
    CPointProjete(CPointAncetre* a, CDroite* d, int8_t colour = 1, int pointStyle = 0);

    CPointAncetre* A = nullptr;
    CDroite* d = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool isOnLineByConstruction(const CDroite* line) const override;
};

// One weighted point of a barycentre.
class CNoeudPondere : public CObject {
    DECLARE_SERIAL(CNoeudPondere)
public:
    CNoeudPondere() = default;
    CNoeudPondere(CPointAncetre* p, const CValeurAssocieeAVariable& w) : weight(w), point(p) {}

    CValeurAssocieeAVariable weight;  // owned
    CPointAncetre* point = nullptr;

    // The node's reference slot, visited by its barycentre as one of its own.
    void forEachOwnRef(CRefVisitor& v);
    // The weight in place, then the point.
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    // Same point, same constant and same referenced value.
    bool sameAs(const CNoeudPondere& other) const;
};

class CBarycentre : public CPointAncetre {
    DECLARE_SERIAL(CBarycentre)
public:
    CBarycentre() = default;
    explicit CBarycentre(int8_t colour, int pointStyle = 0) : CPointAncetre(colour, pointStyle) {}

    std::vector<std::unique_ptr<CNoeudPondere>> nodes;
    void addNode(CPointAncetre* p, const CValeurAssocieeAVariable& weight);

    // The points of the nodes, in node order.
    void forEachRef(CRefVisitor& v) override;
    // The node list as the framework writes an object list: a count, then each node.
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    // The same weighted points, in any order.
    bool coincidesWith(const CElementBase* other) const override;
    // The weights' values count as parents too.
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    bool usesNameOf(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
    // A temporary object showing each weight beside its point, opposite the point's name.
    std::unique_ptr<CAction> createIllustration() const override;

private:
    void readNodes(CArchive& ar, bool previous);
};

// A + t (B - A): the point of abscissa t in the frame (A, B).
class CPointParAbscisse : public CPointAncetre {
    DECLARE_SERIAL(CPointParAbscisse)
public:
    CPointParAbscisse() = default;
    CPointParAbscisse(CPointAncetre* a, CPointAncetre* b, const CValeurAssocieeAVariable& t,
                      int8_t colour = 1, int pointStyle = 0);

    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;
    CValeurAssocieeAVariable t;  // owned

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    // The abscissa's value counts as a parent too.
    bool usesNameOf(const CElementBase* p) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
};

namespace geo {
// Text of a parameter value in descriptions: the referenced value's name or the typed number.
std::string valueText(const CValeurAssocieeAVariable& v);
}  // namespace geo
