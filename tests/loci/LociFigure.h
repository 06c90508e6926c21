// Figures for the locus tests: the real geometric objects, plus a traced point whose position is
// a chosen function of its generator's abscissa (or variable's value), so that undefined
// stretches, jumps and out-of-range samples can be placed exactly.
#pragma once

#include <memory>
#include <vector>

#include "geometry/CPointLie.h"
#include "geometry/GeoFigure.h"
#include "values/CVariable.h"

// The shapes a traced point can follow: f(t, &x, &y) returns false where the point is
// undefined.
enum TraceShape {
    kLine,          // (100 + 1000 t, 200)
    kJumpRight,     // x jumps by +1500 at t = 0.5
    kJumpLeft,      // x jumps by -1500 at t = 0.5
    kHoleInMiddle,  // undefined for 0.35 < t < 0.65
    kFarAway,       // out of range for t > 0.5
    kLonePoint,     // defined for t < 0.25 and alone at t = 0.5
    kParabola,      // (100 + 100 t, 100 + t^2)
};

class LociTracePoint : public CPointAncetre {
    DECLARE_SERIAL(LociTracePoint)
public:
    LociTracePoint() = default;
    LociTracePoint(CElementBase* source, int shape) : source(source), shape(shape) {}

    CElementBase* source = nullptr;  // a linked point or a bounded variable
    int shape = kLine;
    int computations = 0;
    std::vector<double>* log = nullptr;  // receives t at each computation when set

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void computePosition() override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override {
        return dependsOn(p);
    }

    static bool shapeAt(int shape, double t, double* x, double* y);
};

// A fixture whose window is 1000 x 500.
using LocusTest = GeoTest;

struct LociFigure : GeoFigure {
    CPointLieDroite* linkedOnSegment(double ax, double ay, double bx, double by, double t = 0.3);
    CPointLieCercle* linkedOnCircle(double cx, double cy, double r, double t = 1.0);
    CVariableBornee* variable(double value, double minimum, double maximum);
    LociTracePoint* trace(CElementBase* source, int shape);
};

// Most loci are sampled along M on a horizontal segment from (0, 0) to (1000, 0).
class LocusOnSegment : public LocusTest {
protected:
    void SetUp() override {
        LocusTest::SetUp();
        m = f.linkedOnSegment(0, 0, 1000, 0);
    }
    LociFigure f;
    CPointLieDroite* m = nullptr;
};
