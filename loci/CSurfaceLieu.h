// Surfaces bounded by loci of points: alone, with a line, with a second locus, with two points.
// They stand above the loci they are bounded by.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "geometry/CSurface.h"

class CLieuDeBase;

class CSurfaceLieu : public CSurface {
    DECLARE_SERIAL(CSurfaceLieu)
public:
    CSurfaceLieu() = default;
    CSurfaceLieu(CLieuDeBase* locus, int fillStyle, int8_t colour = 1);

    CLieuDeBase* locus() const;

    void computePosition() override;
    bool acceptsBoundary(const CElementBase* e) const override;

protected:
    std::string kindText() const override { return "Surface délimitée par un lieu de points"; }
};

// Between a locus and a line: the locus closed by the feet of its ends on the line.
class CSurfaceLieuDroite : public CSurfaceLieu {
    DECLARE_SERIAL(CSurfaceLieuDroite)
public:
    CSurfaceLieuDroite();
    CSurfaceLieuDroite(CLieuDeBase* locus, CDroite* line, int fillStyle, int8_t colour = 1);
    ~CSurfaceLieuDroite() override;

    CDroite* line = nullptr;
    // F to F', F' to L', L' to L.
    std::array<std::unique_ptr<CSegment>, 3> sides;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getDescription() const override;

protected:
    std::string kindText() const override {
        return "Surface délimitée par un lieu de points et une droite";
    }
};

// Between two loci: the first in sample order, the second backwards.
class CSurfaceDeuxLieux : public CSurfaceLieu {
    DECLARE_SERIAL(CSurfaceDeuxLieux)
public:
    CSurfaceDeuxLieux();
    CSurfaceDeuxLieux(CLieuDeBase* first, CLieuDeBase* second, int fillStyle, int8_t colour = 1);
    ~CSurfaceDeuxLieux() override;

    CLieuDeBase* second = nullptr;
    // First points joined, last points joined.
    std::array<std::unique_ptr<CSegment>, 2> sides;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    std::string getDescription() const override;

protected:
    std::string kindText() const override { return "Surface délimitée par deux lieux"; }
};

// A locus closed through two points: from its last point to the nearer of A and B, to the
// other one, and back to its first point.
class CSurfaceLieuDeuxPoints : public CSurfaceLieu {
    DECLARE_SERIAL(CSurfaceLieuDeuxPoints)
public:
    CSurfaceLieuDeuxPoints();
    CSurfaceLieuDeuxPoints(CLieuDeBase* locus, CPointAncetre* a, CPointAncetre* b, int fillStyle,
                           int8_t colour = 1);
    ~CSurfaceLieuDeuxPoints() override;

    CPointAncetre* A = nullptr;
    CPointAncetre* B = nullptr;
    // The locus's ends (first, last), and the closing sides: last end to the first point
    // reached, between A and B, to the first end.
    std::array<std::unique_ptr<CPointBase>, 2> ends;
    std::array<std::unique_ptr<CSegment>, 3> sides;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getDescription() const override;

protected:
    std::string kindText() const override {
        return "Surface délimitée par un lieu de points et deux points";
    }

private:
    void makeAuxiliary();
};
