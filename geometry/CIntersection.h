// Intersection points. A line meets a line in one point at most; a line and a circle, or two
// circles, meet in up to two points, which a hidden bipoint computes for the intersection
// points that take their coordinates from it.
#pragma once

#include <memory>
#include <string>

#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"

namespace geo {
struct TwoPoints {
    double x1 = 0, y1 = 0;  // first solution (further along the line's direction)
    double x2 = 0, y2 = 0;
};

enum LineLineResult { kLinesParallel = 0, kLinesSame = 1, kLinesMeet = 2 };
int intersectLineLine(double Px, double Py, double px, double py, double Qx, double Qy, double qx,
                      double qy, double* x, double* y);

enum LineCircleResult { kLineCircleTwo = 0, kLineCircleTangent = 1, kLineCircleNone = 2 };
int intersectLineCircle(double Px, double Py, double wx, double wy, double Cx, double Cy, double r,
                        TwoPoints* out);

enum CircleCircleResult {
    kCirclesSame = 0,
    kCirclesNone = 1,
    kCirclesTwo = 2,
    kCirclesTangent = 3
};
int intersectCircleCircle(double C1x, double C1y, double r1, double C2x, double C2y, double r2,
                          TwoPoints* out);
}  // namespace geo

// The two intersection points of a line and a circle or of two circles (never drawn).
class CBipoint : public CElementBase {
    DECLARE_SERIAL(CBipoint)
public:
    CBipoint();

    // Result points, owned and never in the figure list.
    CPointAncetre* point(int solution) const { return solution == 2 ? p2_.get() : p1_.get(); }

    void copyStateFrom(const CElementBase& src) override;
    void computePosition() override;

    virtual CElementBase* getParent(bool second) const;
    virtual bool isOnCircleByConstruction(const CCercle* c) const;
    virtual bool isOnLineByConstruction(const CDroite* d) const;

protected:
    // A solution is kept when it belongs to both objects.
    void place(int solution, bool ok, double x, double y);
    std::string kindOfIntersection() const;

private:
    std::unique_ptr<CPointAncetre> p1_, p2_;
};

class CIntDroiteCercle : public CBipoint {
    DECLARE_SERIAL(CIntDroiteCercle)
public:
    CIntDroiteCercle() = default;
    CIntDroiteCercle(CDroite* d, CCercle* c) : d(d), c(c) {}

    CDroite* d = nullptr;
    CCercle* c = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** cc) const override;
    CElementBase* getParent(bool second) const override;
    bool isOnCircleByConstruction(const CCercle* circle) const override;
    bool isOnLineByConstruction(const CDroite* line) const override;
};

class CIntCercleCercle : public CBipoint {
    DECLARE_SERIAL(CIntCercleCercle)
public:
    CIntCercleCercle() = default;
    CIntCercleCercle(CCercle* c1, CCercle* c2) : c1(c1), c2(c2) {}

    CCercle* c1 = nullptr;
    CCercle* c2 = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    CElementBase* getParent(bool second) const override;
    bool isOnCircleByConstruction(const CCercle* circle) const override;
};

// One solution (1 or 2) of a bipoint.
class CPointLieBipoint : public CPointAncetre {
    DECLARE_SERIAL(CPointLieBipoint)
public:
    CPointLieBipoint() = default;
    CPointLieBipoint(CBipoint* bipoint, int solution, int8_t colour = 1, int pointStyle = 0);

    CBipoint* bipoint = nullptr;
    int solution = 1;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool isOnCircleByConstruction(const CCercle* c) const override;
    bool isOnLineByConstruction(const CDroite* d) const override;
};

class CIntDroiteDroite : public CPointAncetre {
    DECLARE_SERIAL(CIntDroiteDroite)
public:
    CIntDroiteDroite() = default;
    CIntDroiteDroite(CDroite* d1, CDroite* d2, int8_t colour = 1, int pointStyle = 0);

    CDroite* d1 = nullptr;
    CDroite* d2 = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool isOnLineByConstruction(const CDroite* d) const override;
};

// The other common point of two circles through a known point A.
class CAutrePointIntersectionCercles : public CPointAncetre {
    DECLARE_SERIAL(CAutrePointIntersectionCercles)
public:
    CAutrePointIntersectionCercles() = default;
    CAutrePointIntersectionCercles(CCercle* c1, CCercle* c2, CPointAncetre* a, int8_t colour = 1,
                                   int pointStyle = 0);

    CCercle* c1 = nullptr;
    CCercle* c2 = nullptr;
    CPointAncetre* A = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    bool isOnCircleByConstruction(const CCercle* c) const override;
};

// The other common point of a circle and a line through a known point A.
class CAutrePointIntersectionDroiteCercle : public CPointAncetre {
    DECLARE_SERIAL(CAutrePointIntersectionDroiteCercle)
public:
    CAutrePointIntersectionDroiteCercle() = default;
    CAutrePointIntersectionDroiteCercle(CCercle* c, CDroite* d, CPointAncetre* a, int8_t colour = 1,
                                        int pointStyle = 0);

    CCercle* c = nullptr;
    CDroite* d = nullptr;
    CPointAncetre* A = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** cc) const override;
    std::string getDescription() const override;
    bool isOnCircleByConstruction(const CCercle* circle) const override;
    bool isOnLineByConstruction(const CDroite* line) const override;
};
