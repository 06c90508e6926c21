// Straight lines, half-lines, segments and vectors: a supporting line given by a point P0 and a
// direction w, and the two ends of the drawn piece. Also the root of every curve (line style)
// and the segment marks.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "core/CElementGraphique.h"
#include "geometry/CPointAncetre.h"

namespace geo {
// Intersection of the lines (P, p) and (Q, q) by Cramer's rule; the caller ensures that the
// determinant px*qy - py*qx is not 0.
void intersectLines(double Px, double Py, double px, double py, double Qx, double Qy, double qx,
                    double qy, double* x, double* y);
// (x, y) lies on [AB]: A, B and (x, y) collinear and the parameter within [0, 1].
bool onSegment(double ax, double ay, double bx, double by, double x, double y);
// Oriented angle from u1 to u2 in (-pi, pi], counter-clockwise as seen on screen.
double signedAngle(double u1x, double u1y, double u2x, double u2y);
// Turning (x, y) by a, counter-clockwise on screen.
void turn(double x, double y, double a, double* rx, double* ry);
}  // namespace geo

// Root of everything drawn as a curve: the line style.
class CElementLigne : public CElementGraphique {
    DECLARE_SERIAL(CElementLigne)
public:
    CElementLigne() = default;
    CElementLigne(int8_t colour, int lineStyle);

    uint8_t lineStyle = 0;  // index into the pen table

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    std::string getStatusText() const override;

    virtual void setLineStyle(uint8_t style) { lineStyle = style; }
    // Indefinite noun naming the object in messages (" une droite", " un cercle", ...).
    virtual std::string getKindText() const { return ""; }

    // Pen style of a curve: dotted when masked, its own under hideMasked, else style 0.
    int drawingStyle(bool hideMasked) const;

protected:
    void copyLineAttributes(const CElementLigne& src);
};

class CDroite : public CElementLigne {
    DECLARE_SERIAL(CDroite)
public:
    CDroite() = default;
    CDroite(int8_t colour, int lineStyle) : CElementLigne(colour, lineStyle) {}

    double x1 = 0, y1 = 0;  // first end of the drawn piece
    double x2 = 0, y2 = 0;  // second end
    double p0x = 0, p0y = 0;
    double wx = 0, wy = 0;
    double namePosition = 0.95;  // anchor at first end + k (second end - first end)

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    void updateNameAnchor() override;
    void drawName(CDC* dc, bool hideMasked, bool respectNameHidden) override;
    void eraseName(CDC* dc, bool hideMasked, bool respectNameHidden) override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;
    double getAbscissaMax() const override;
    double getAbscissaMin() const override;
    std::string getKindText() const override { return " une droite"; }

    virtual void drawLine(CDC* dc, bool eraseMode, bool hideMasked);
    // A point known to lie on the supporting line belongs to the object.
    virtual bool containsLinePoint(double x, double y) const;
    virtual bool passesThroughByConstruction(const CPointAncetre* p) const;

    // Ends of a full line in the window [0, W] x [0, H]; exists := w != 0.
    void clipFullLine();
    // Ends of a half-line from P0 in the sense of w; keeps exists false when it was.
    void clipHalfLine();
    // Orthogonal projection of (x, y) on the supporting line.
    void project(double x, double y, double* hx, double* hy) const;
    double distanceToLine(double x, double y) const;

protected:
    // The window the lines are clipped to.
    static LSize window();
    // "Droite " N " : " when named.
    std::string namedPrefix() const;
    int distanceToProjection(int mx, int my, bool mustContain) const;
};

// Line through two points.
class CDroiteAB : public CDroite {
    DECLARE_SERIAL(CDroiteAB)
public:
    CDroiteAB() = default;
    CDroiteAB(CPointAncetre* a, CPointAncetre* b, int8_t colour = 1, int lineStyle = 0);

    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    std::string getDescription() const override;
    bool passesThroughByConstruction(const CPointAncetre* p) const override;
};

class CDemiDroite : public CDroite {
    DECLARE_SERIAL(CDemiDroite)
public:
    CDemiDroite() = default;
    CDemiDroite(int8_t colour, int lineStyle) : CDroite(colour, lineStyle) {}

    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    std::string getKindText() const override { return " une demi-droite"; }
    bool containsLinePoint(double x, double y) const override;
};

class CDemiDroiteOA : public CDemiDroite {
    DECLARE_SERIAL(CDemiDroiteOA)
public:
    CDemiDroiteOA() = default;
    CDemiDroiteOA(CPointAncetre* o, CPointAncetre* a, int8_t colour = 1, int lineStyle = 0);

    CPointAncetre* O = nullptr;
    CPointAncetre* A = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    std::string getDescription() const override;
    bool passesThroughByConstruction(const CPointAncetre* p) const override;
};

class CSegment : public CDroite {
    DECLARE_SERIAL(CSegment)
public:
    CSegment() = default;
    CSegment(CPointAncetre* a, CPointAncetre* b, int8_t colour = 1, int lineStyle = 0);

    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    std::string getDescription() const override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    double getAbscissaMax() const override { return 1.0; }
    double getAbscissaMin() const override { return 0.0; }
    std::string getKindText() const override { return " un segment"; }
    bool containsLinePoint(double x, double y) const override;
    bool passesThroughByConstruction(const CPointAncetre* p) const override;

    // Segment between two positions, for objects that own auxiliary segments (designation of
    // polygons, strokes of segment marks): exists as a segment of its ends.
    void setEnds(double ax, double ay, double bx, double by);
};

class CVecteur : public CSegment {
    DECLARE_SERIAL(CVecteur)
public:
    CVecteur() = default;
    CVecteur(CPointAncetre* a, CPointAncetre* b, int arrowStyle = 0, int8_t colour = 1,
             int lineStyle = 0);

    int arrowStyle = 0;  // 0, 2 long arrow; 1, 3 short; 0, 1 filled; 2, 3 open

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    std::string getDescription() const override { return getDisplayName(); }
    void drawLine(CDC* dc, bool eraseMode, bool hideMasked) override;
};

// Arrowhead of a vector or an oriented angle mark at `tip`, pointing along -(ex, ey): the wings
// are the reversed direction of length 80 (styles 0, 2) or 60 (1, 3) turned by +-30 degrees.
// Styles 0 and 1 fill a triangle, 2 and 3 draw an open polyline. Pen and brush are the
// caller's.
void drawArrowhead(CDC* dc, double tipX, double tipY, double backX, double backY, int style,
                   double longLength, double shortLength);

class CDroiteParallele : public CDroite {
    DECLARE_SERIAL(CDroiteParallele)
public:
    CDroiteParallele() = default;
    CDroiteParallele(CPointAncetre* a, CDroite* d, int8_t colour = 1, int lineStyle = 0);

    CPointAncetre* A = nullptr;
    CDroite* d = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool passesThroughByConstruction(const CPointAncetre* p) const override;
};

class CDroitePerpendiculaire : public CDroite {
    DECLARE_SERIAL(CDroitePerpendiculaire)
public:
    CDroitePerpendiculaire() = default;
    CDroitePerpendiculaire(CPointAncetre* a, CDroite* d, int8_t colour = 1, int lineStyle = 0);

    CPointAncetre* A = nullptr;
    CDroite* d = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool passesThroughByConstruction(const CPointAncetre* p) const override;
};

// Perpendicular bisector of [AB].
class CMediatrice : public CDroite {
    DECLARE_SERIAL(CMediatrice)
public:
    CMediatrice() = default;
    CMediatrice(CPointAncetre* a, CPointAncetre* b, int8_t colour = 1, int lineStyle = 0);

    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
};

// Inner bisector of the angle AOB.
class CBissectrice : public CDroite {
    DECLARE_SERIAL(CBissectrice)
public:
    CBissectrice() = default;
    CBissectrice(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b, int8_t colour = 1,
                 int lineStyle = 0);

    CPointAncetre* A = nullptr;
    CPointAncetre* O = nullptr;
    CPointAncetre* B = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool passesThroughByConstruction(const CPointAncetre* p) const override;
};

// Horizontal or vertical line through A.
class CDroiteDirectionFixe : public CDroite {
    DECLARE_SERIAL(CDroiteDirectionFixe)
public:
    CDroiteDirectionFixe() = default;
    CDroiteDirectionFixe(CPointAncetre* a, bool horizontal, double c, int8_t colour = 1,
                         int lineStyle = 0);

    CPointAncetre* A = nullptr;
    bool horizontal = true;
    double c = 1.0;  // length of the direction vector

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool containsLinePoint(double x, double y) const override;
    bool passesThroughByConstruction(const CPointAncetre* p) const override;
    void zoomAbout(double cx, double cy, double ratio) override;

private:
    void setDirection();
};

// One to three short strokes across a segment, or a cross.
class CMarqueSegment : public CElementLigne {
    DECLARE_SERIAL(CMarqueSegment)
public:
    CMarqueSegment();
    CMarqueSegment(CSegment* segment, int markStyle, int8_t colour = 1, int lineStyle = 0);

    int markStyle = 0;
    CSegment* segment = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    std::string getDescription() const override { return getDisplayName(); }
    int designationDistance(int mx, int my, bool hideMasked) override;
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;
    void setColour(int8_t index) override;
    void setLineStyle(uint8_t style) override;

    // Strokes, owned and never in the figure list.
    const CSegment& stroke(int i) const { return *strokes_[i]; }

private:
    void buildStrokes();
    std::array<std::unique_ptr<CPointBase>, 6> ends_;
    std::array<std::unique_ptr<CSegment>, 3> strokes_;
};
