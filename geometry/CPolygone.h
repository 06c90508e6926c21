// Polygons and broken lines: curves through an ordered list of points of the figure. A
// polygon's vertex list ends with its first vertex again; a broken line holds each vertex once.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"

// One vertex reference of a polygon or broken line.
class CNoeudPointeurSurPoint : public CObject {
    DECLARE_SERIAL(CNoeudPointeurSurPoint)
public:
    CNoeudPointeurSurPoint() = default;
    explicit CNoeudPointeurSurPoint(CPointAncetre* p) : point(p) {}

    CPointAncetre* point = nullptr;

    // The node's one slot; the line that owns it visits it with its own slots.
    void forEachOwnRef(CRefVisitor& v) { v(point); }
    // The point's index in the figure list.
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

class CLignePolygonaleAncetre : public CElementLigne {
    DECLARE_SERIAL(CLignePolygonaleAncetre)
public:
    CLignePolygonaleAncetre();
    CLignePolygonaleAncetre(const std::vector<CPointAncetre*>& points, int8_t colour = 1,
                            int lineStyle = 0, CListeAction* figure = nullptr);

    std::vector<std::unique_ptr<CNoeudPointeurSurPoint>> vertices;
    std::vector<LPoint> positions;  // the vertices rounded, recomputed
    CListeAction* figure = nullptr;

    int vertexCount() const { return static_cast<int>(vertices.size()); }
    CPointAncetre* vertex(int i) const { return vertices[i]->point; }

    // The vertex list as the framework writes an object list: a count, then each node.
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    void computePosition() override;
    // The vertices, in list order.
    void forEachRef(CRefVisitor& v) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;
    void setColour(int8_t index) override;
    void setLineStyle(uint8_t style) override;

    virtual void drawPolyline(CDC* dc, bool eraseMode, bool hideMasked);
    virtual bool isClosed() const { return false; }

protected:
    virtual std::string kindName() const { return ""; }
    void setVertices(const std::vector<CPointAncetre*>& points);
    void syncAuxiliary();

private:
    void readVertices(CArchive& ar, bool previous);
    std::unique_ptr<CPointBase> auxA_, auxB_;
    std::unique_ptr<CSegment> auxSegment_;
};

class CPolygone : public CLignePolygonaleAncetre {
    DECLARE_SERIAL(CPolygone)
public:
    CPolygone() = default;
    CPolygone(const std::vector<CPointAncetre*>& points, int8_t colour = 1, int lineStyle = 0,
              CListeAction* figure = nullptr)
        : CLignePolygonaleAncetre(points, colour, lineStyle, figure) {}

    // Just below 1: the abscissa 1 would be the closing vertex, which is the first one.
    double getAbscissaMax() const override { return 0.999999999999; }
    double getAbscissaMin() const override { return 0.0; }
    std::string getKindText() const override { return " un polygone"; }
    bool isClosed() const override { return true; }

protected:
    std::string kindName() const override { return "Polygone "; }
};

class CLigneBrisee : public CLignePolygonaleAncetre {
    DECLARE_SERIAL(CLigneBrisee)
public:
    CLigneBrisee() = default;
    CLigneBrisee(const std::vector<CPointAncetre*>& points, int8_t colour = 1, int lineStyle = 0,
                 CListeAction* figure = nullptr)
        : CLignePolygonaleAncetre(points, colour, lineStyle, figure) {}

    std::string getKindText() const override { return " une ligne brisée"; }

protected:
    std::string kindName() const override { return "Ligne brisée "; }
};
