// Surfaces: filled areas drawn with one of seven fill styles and never outlined (the inside of
// a polygon, a disc, a sector, half-planes, flood fills; areas bounded by loci are in
// loci/CSurfaceLieu.h), and the
// duplicated object, which draws another object again at its own place in the figure.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/CElementGraphique.h"
#include "core/CListeAction.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"
#include "geometry/CPolygone.h"

namespace surf {
inline constexpr int kFillStyles = 7;
inline constexpr int kSolid = 5;
inline constexpr int kCrossHatch = 6;  // also the style of masked surfaces shown as masked
// The dotted fill: a pattern of isolated dots.
const std::array<uint8_t, 8>& dottedPattern();
// Brush of a fill style in a colour; an unknown style fills solid.
CBrushDesc fillBrush(int style, COLORREF colour);
// "Remplissage : ..." of a style; empty for an unknown one.
std::string fillStyleText(int style);
// Selects the fill of a surface and the null pen; false when it is not drawn at all (masked
// under hideMasked).
bool selectFill(CDC* dc, const CElementGraphique& surface, int fillStyle, bool eraseMode,
                bool hideMasked);
// Name of an object in texts: its name, or its display name when it has none.
std::string textOf(const CElementBase* e);
}  // namespace surf

// Root of the flood-filled surface.
class CSurfaceAncetre : public CElementGraphique {
    DECLARE_SERIAL(CSurfaceAncetre)
public:
    CSurfaceAncetre() = default;
    CSurfaceAncetre(int fillStyle, int8_t colour)
        : CElementGraphique(colour), fillStyle(fillStyle) {}

    int fillStyle = surf::kSolid;

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    std::string getStatusText() const override;
};

// Area filled from a point up to its bounding objects.
class CSurfaceRemplie : public CSurfaceAncetre {
    DECLARE_SERIAL(CSurfaceRemplie)
public:
    CSurfaceRemplie();
    CSurfaceRemplie(CPointAncetre* start, const std::vector<CElementGraphique*>& bounds,
                    const CListeAction* figure, int fillStyle, int8_t colour = 1);
    ~CSurfaceRemplie() override;

    CPointAncetre* start = nullptr;
    // Entries referring to the bounding objects of the figure.
    std::unique_ptr<CSousListeAction> bounds;

    CElementGraphique* boundAt(int i) const;
    int boundCount() const { return bounds ? bounds->count() : 0; }

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
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;

private:
    void fill(CDC* dc, bool eraseMode, bool hideMasked);
    void readBounds(CArchive& ar);
};

// Surface bounded by one object (and, for some kinds, more parents): a polygon is filled.
class CSurface : public CElementGraphique {
    DECLARE_SERIAL(CSurface)
public:
    CSurface() = default;
    CSurface(CElementGraphique* boundary, int fillStyle, int8_t colour)
        : CElementGraphique(colour), fillStyle(fillStyle), boundary(boundary) {}

    int fillStyle = surf::kSolid;
    CElementGraphique* boundary = nullptr;  // for the locus kinds: the first locus
    std::vector<LPoint> polygon;            // what is filled, recomputed

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getStatusText() const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;

    // The kind of object a surface of this class is bounded by.
    virtual bool acceptsBoundary(const CElementBase* e) const;
    // Fill with the selected brush.
    virtual void fill(CDC* dc);

protected:
    virtual std::string kindText() const { return ""; }
    // "Surface N : " when named.
    std::string namedPrefix() const;
    // Same class and the same boundary, whatever the other parents.
    bool sameBoundaryAs(const CElementBase* other) const;
    void paint(CDC* dc, bool eraseMode, bool hideMasked);
};

class CSurfacePolygone : public CSurface {
    DECLARE_SERIAL(CSurfacePolygone)
public:
    CSurfacePolygone() = default;
    CSurfacePolygone(CPolygone* p, int fillStyle, int8_t colour = 1)
        : CSurface(p, fillStyle, colour) {}

    void computePosition() override;
    bool acceptsBoundary(const CElementBase* e) const override;

protected:
    std::string kindText() const override { return "Surface délimitée par un polygone"; }
};

class CSurfaceDisque : public CSurface {
    DECLARE_SERIAL(CSurfaceDisque)
public:
    CSurfaceDisque() = default;
    CSurfaceDisque(CCercle* c, int fillStyle, int8_t colour = 1) : CSurface(c, fillStyle, colour) {}

    bool acceptsBoundary(const CElementBase* e) const override;
    void fill(CDC* dc) override;

protected:
    std::string kindText() const override { return "Surface délimitée par un cercle"; }
};

class CSurfaceSecteurCirculaire : public CSurface {
    DECLARE_SERIAL(CSurfaceSecteurCirculaire)
public:
    CSurfaceSecteurCirculaire() = default;
    CSurfaceSecteurCirculaire(CArcDeCercleAncetre* arc, int fillStyle, int8_t colour = 1)
        : CSurface(arc, fillStyle, colour) {}

    bool acceptsBoundary(const CElementBase* e) const override;
    void fill(CDC* dc) override;

protected:
    std::string kindText() const override { return "Surface délimitée par un arc de cercle"; }
};

// The part of the window on the side of M of a border line.
class CDemiPlan : public CSurface {
    DECLARE_SERIAL(CDemiPlan)
public:
    CDemiPlan() = default;
    CDemiPlan(CDroite* border, CPointAncetre* m, int fillStyle, int8_t colour = 1)
        : CSurface(border, fillStyle, colour), M(m) {}

    CPointAncetre* M = nullptr;
    int side = 0;  // sign of n.M + c

    CDroite* border() const;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    bool acceptsBoundary(const CElementBase* e) const override;
    std::string getDescription() const override;

protected:
    std::string kindText() const override { return "Demi-plan"; }
};

// Another object drawn again at this place of the figure.
class CObjetDuplique : public CElementGraphique {
    DECLARE_SERIAL(CObjetDuplique)
public:
    CObjetDuplique() = default;
    explicit CObjetDuplique(CElementGraphique* object, int8_t colour = 1)
        : CElementGraphique(colour), object(object) {}

    CElementGraphique* object = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;

private:
    // Runs `f` on the object wearing this duplicate's masked flag.
    template <class F>
    void asDuplicate(F&& f);
};
