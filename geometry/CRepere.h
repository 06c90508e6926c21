// The coordinate frame (origin O, unit points I and J, optional grids and lattice) and the
// objects defined in it: points by coordinates or by affix, free points with integer
// coordinates, lines given by a point and a slope.
#pragma once

#include <memory>
#include <string>

#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"
#include "values/CValeurAssocieeAVariable.h"
#include "values/CValeurAssocieeComp.h"

class CRepere : public CElementGraphique {
    DECLARE_SERIAL(CRepere)
public:
    CRepere() = default;
    CRepere(CPointAncetre* o, CPointAncetre* i, CPointAncetre* j, CDroite* xAxis, CDroite* yAxis,
            const CValeurAssocieeAVariable& a, const CValeurAssocieeAVariable& b,
            bool xGrid = false, bool yGrid = false, bool dotted = false, int8_t colour = 1);

    CPointAncetre* O = nullptr;
    CPointAncetre* I = nullptr;
    CPointAncetre* J = nullptr;
    CDroite* xAxis = nullptr;
    CDroite* yAxis = nullptr;
    CValeurAssocieeAVariable a;  // abscissa given to O
    CValeurAssocieeAVariable b;  // ordinate given to O
    bool xGrid = false;
    bool yGrid = false;
    bool dotted = false;

    // Computed.
    double ux = 0, uy = 0, vx = 0, vy = 0;
    double originX = 0, originY = 0;  // the point of frame coordinates (0, 0)
    // Integer ranges of grid lines covering the window: along v (x-axis grid lines) and along
    // u (y-axis grid lines).
    double vIndexMin = 0, vIndexMax = 0, uIndexMin = 0, uIndexMax = 0;

    // No more grid lines than this along one direction are drawn.
    static constexpr double kMaxGridSpan = 100;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                    CElementBase** pc) const override;
    std::string getDisplayName() const override;
    std::string getDescription() const override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    void rebuildFromText(CListeAction* list) override;

    // "(O,I,J)": how other objects' texts name the frame.
    std::string shortDesignation() const;
    // Window position of the frame coordinates (x, y).
    void toWindow(double x, double y, double* wx, double* wy) const;

private:
    void drawGrid(CDC* dc, bool eraseMode, bool hideMasked);
    void load(CArchive& ar, bool previous);
};

// Short designation of a frame inside texts; empty for none.
std::string frameText(const CRepere* r);

class CPointDansRepere : public CPointAncetre {
    DECLARE_SERIAL(CPointDansRepere)
public:
    CPointDansRepere() = default;
    CPointDansRepere(CRepere* r, const CValeurAssocieeAVariable& x,
                     const CValeurAssocieeAVariable& y, int8_t colour = 1, int pointStyle = 0)
        : CPointAncetre(colour, pointStyle), R(r), xv(x), yv(y) {}

    CRepere* R = nullptr;
    CValeurAssocieeAVariable xv, yv;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
};

class CPointParAffixe : public CPointAncetre {
    DECLARE_SERIAL(CPointParAffixe)
public:
    CPointParAffixe() = default;
    CPointParAffixe(CRepere* r, const CValeurAssocieeComp& z, int8_t colour = 1, int pointStyle = 0)
        : CPointAncetre(colour, pointStyle), R(r), z(z) {}

    CRepere* R = nullptr;
    CValeurAssocieeComp z;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
};

// A free point that only takes integer coordinates in its frame.
class CPointBaseEnt : public CPointAncetrePointsMobiles {
    DECLARE_SERIAL(CPointBaseEnt)
public:
    CPointBaseEnt() = default;
    CPointBaseEnt(CRepere* r, double a, double b, int8_t colour = 1, int pointStyle = 0);

    CRepere* R = nullptr;
    double a = 0, b = 0;
    bool abscissaFree = true;
    bool ordinateFree = true;
    int32_t abscissaMin = 0, abscissaMax = 0, ordinateMin = 0, ordinateMax = 0;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** pa, CElementBase** pb,
                                    CElementBase** pc) const override;
    std::string getDescription() const override;
    // Unlike other points, the result is the pair of integer frame coordinates (a, b) that the
    // point takes for the mouse; the capture tool passes them to setCoordinates. Always true.
    bool positionFromMouse(const CViewBounds& view, int mouseX, int mouseY, double* pa,
                           double* pb) override;
    // Stores the frame coordinates; the point exists.
    void setCoordinates(double na, double nb);
};

// Line through A with slope m in the frame.
class CDroiteOm : public CDroite {
    DECLARE_SERIAL(CDroiteOm)
public:
    CDroiteOm() = default;
    CDroiteOm(CRepere* r, CPointAncetre* a, const CValeurAssocieeAVariable& m, int8_t colour = 1,
              int lineStyle = 0)
        : CDroite(colour, lineStyle), R(r), A(a), m(m) {}

    CRepere* R = nullptr;
    CPointAncetre* A = nullptr;
    CValeurAssocieeAVariable m;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool passesThroughByConstruction(const CPointAncetre* p) const override;
    void rebuildFromText(CListeAction* list) override;
};
