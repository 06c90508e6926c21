#include "loci/LociFigure.h"

#include "loci/LocusSampling.h"

IMPLEMENT_SERIAL(LociTracePoint, CPointAncetre, 1)

bool LociTracePoint::shapeAt(int shape, double t, double* x, double* y) {
    *x = 100 + 1000 * t;
    *y = 200;
    switch (shape) {
        case kJumpRight:
            *x = t < 0.45 ? 100 + 10 * t : 1600 + 10 * t;
            return true;
        case kJumpLeft:
            *x = t < 0.45 ? 1600 + 10 * t : 100 + 10 * t;
            return true;
        case kHoleInMiddle:
            return t < 0.35 || t > 0.65;
        case kFarAway:
            *x = t > 0.55 ? 40000 : 100 + 10 * t;
            return true;
        case kLonePoint:
            return t < 0.25 || (t > 0.45 && t < 0.55);
        case kParabola:
            *x = 100 + 100 * t;
            *y = 100 + t * t;
            return true;
        default:
            return true;
    }
}

IMPLEMENT_REFS(LociTracePoint, CPointAncetre, source)

void LociTracePoint::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsStoring())
        ar.writeInt(shape);
    else
        shape = ar.readInt();
}

void LociTracePoint::computePosition() {
    ++computations;
    exists = false;
    if (!geo::existing(source)) return;
    const double t = loci::generatorValue(source);
    if (log) log->push_back(t);
    double px, py;
    if (!shapeAt(shape, t, &px, &py)) return;
    setPosition(px, py);
}

CPointLieDroite* LociFigure::linkedOnSegment(double ax, double ay, double bx, double by, double t) {
    auto* a = point(ax, ay, "A");
    auto* b = point(bx, by, "B");
    auto* s = make<CSegment>(nat::segment, a, b);
    auto* m = make<CPointLieDroite>(nat::pointLie, s, t);
    m->setName("M");
    return m;
}

CPointLieCercle* LociFigure::linkedOnCircle(double cx, double cy, double r, double t) {
    auto* o = point(cx, cy, "O");
    auto* a = point(cx + r, cy, "R");
    auto* c = make<CCercleOA>(nat::cercle, o, a);
    auto* m = make<CPointLieCercle>(nat::pointLie, c, t);
    m->setName("M");
    return m;
}

CVariableBornee* LociFigure::variable(double value, double minimum, double maximum) {
    auto v = std::make_unique<CVariableBornee>("k", value, minimum, maximum, 0.1, "", "", "");
    return add(nat::variable, std::move(v));
}

LociTracePoint* LociFigure::trace(CElementBase* source, int shape) {
    auto* p = make<LociTracePoint>(nat::pointConstruit, source, shape);
    p->setName("P");
    return p;
}
