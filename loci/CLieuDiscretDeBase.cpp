#include "loci/CLieuDiscretDeBase.h"

#include <cmath>

#include "core/CArchive.h"
#include "core/CPreferences.h"
#include "geometry/CPointLie.h"
#include "loci/LocusSampling.h"
#include "values/CVariable.h"

IMPLEMENT_SERIAL(CLieuDiscretDeBase, CElementGraphique, 1)
IMPLEMENT_SERIAL(CLieuDiscretParPointLie, CLieuDiscretDeBase, 1)
IMPLEMENT_SERIAL(CLieuDiscretParVariable, CLieuDiscretDeBase, 1)

IMPLEMENT_REFS(CLieuDiscretDeBase, CElementGraphique, tracedPoint)
// A generator may be none, as for the loci of points.
IMPLEMENT_REFS(CLieuDiscretParPointLie, CLieuDiscretDeBase, optional(linkedPoint))
IMPLEMENT_REFS(CLieuDiscretParVariable, CLieuDiscretDeBase, optional(variable))

CLieuDiscretDeBase::CLieuDiscretDeBase()
    : pointCount(preferences().locusPointsNumber), stamp(std::make_unique<CPointBase>()) {}

CLieuDiscretDeBase::CLieuDiscretDeBase(CListeAction* list, CPointAncetre* tracedPoint,
                                       int pointShape, int pointCount, int8_t colour)
    : CElementGraphique(colour),
      list(list),
      tracedPoint(tracedPoint),
      pointShape(static_cast<uint8_t>(pointShape)),
      pointCount(pointCount),
      stamp(std::make_unique<CPointBase>()) {}

CLieuDiscretDeBase::~CLieuDiscretDeBase() = default;

void CLieuDiscretDeBase::setPointCount(int n, int value) {
    secondParameter = value;
    if (n < 1) n = 1;
    if (n == pointCount && points.size() == static_cast<size_t>(n)) return;
    points.clear();
    points.shrink_to_fit();
    pointCount = n;
    lastIndex = -1;
    points.resize(static_cast<size_t>(n));
}

void CLieuDiscretDeBase::prepare() {
    points.assign(static_cast<size_t>(pointCount), LPoint{});
    lastIndex = -1;
    if (!dependents) dependents = std::make_unique<CListeAction>(true);
    buildDependents(list);
    prepared_ = true;
}

void CLieuDiscretDeBase::ensurePrepared() {
    if (!prepared_ || !dependents || points.size() != static_cast<size_t>(pointCount)) prepare();
}

void CLieuDiscretDeBase::buildDependents(CListeAction*) {}

void CLieuDiscretDeBase::rebuildInternalLists(CListeAction* figure) {
    if (figure) list = figure;
    prepare();
}

void CLieuDiscretDeBase::setInternalAngleUnit(int unit) {
    if (dependents) dependents->angleUnit = unit;
}

void CLieuDiscretDeBase::computePosition() {
    exists = false;
    lastIndex = -1;
    CElementBase* gen = generator();
    if (!tracedPoint || !gen || !gen->exists) return;
    ensurePrepared();
    loci::sample(gen, pointCount, *dependents, [&](int) {
        const CPointAncetre* p = tracedPoint;
        if (!p->exists || !geo::inRange(p->x, p->y)) return;
        points[++lastIndex] = {geo::roundCoord(p->x), geo::roundCoord(p->y)};
    });
    exists = lastIndex >= 0;
    if (exists) updateNameAnchor();
}

void CLieuDiscretDeBase::updateNameAnchor() {
    if (lastIndex >= 0) setNameAnchor(points[0].x, points[0].y);
}

void CLieuDiscretDeBase::draw(CDC* dc, bool hideMasked) {
    if (exists) drawMarks(dc, false, hideMasked);
}

void CLieuDiscretDeBase::erase(CDC* dc, bool hideMasked) {
    if (exists) drawMarks(dc, true, hideMasked);
}

void CLieuDiscretDeBase::drawMarks(CDC* dc, bool eraseMode, bool hideMasked) {
    if (hideMasked && masked) return;
    stamp->pointStyle = pointShape;
    stamp->colour = colour;
    stamp->masked = masked;
    for (int i = 0; i <= lastIndex; ++i) {
        stamp->setPosition(points[i].x, points[i].y);
        stamp->drawPoint(dc, eraseMode, hideMasked);
    }
}

int CLieuDiscretDeBase::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    double best = -1;
    for (int i = 0; i <= lastIndex; ++i) {
        const double d = std::hypot(mx - points[i].x, my - points[i].y);
        if (best < 0 || d < best) best = d;
    }
    return best < 0 ? kNotDesignable : geo::truncDistance(best);
}

void CLieuDiscretDeBase::replaceReference(CElementBase* old, CElementBase* repl) {
    CElementGraphique::replaceReference(old, repl);
    prepared_ = false;
}

void CLieuDiscretDeBase::replaceInSubLists(CActionAncetre*, CActionAncetre*) {
    prepared_ = false;
}

bool CLieuDiscretDeBase::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* l = static_cast<const CLieuDiscretDeBase*>(other);
    if (l->generator() != generator() || !tracedPoint || !l->tracedPoint) return false;
    return l->tracedPoint == tracedPoint || l->tracedPoint->coincidesWith(tracedPoint);
}

std::unique_ptr<CElementBase> CLieuDiscretDeBase::getClone(const CListeAction& from,
                                                           const CListeAction& to) const {
    std::unique_ptr<CElementBase> copy = CElementGraphique::getClone(from, to);
    if (auto* l = dynamic_cast<CLieuDiscretDeBase*>(copy.get()))
        l->secondParameter = secondParameter;
    return copy;
}

void CLieuDiscretDeBase::copyStateFrom(const CElementBase& src) {
    CElementGraphique::copyStateFrom(src);
    if (const auto* l = dynamic_cast<const CLieuDiscretDeBase*>(&src)) {
        points = l->points;
        lastIndex = l->lastIndex;
    }
}

void CLieuDiscretDeBase::serializeBase(CArchive& ar, bool previous) {
    if (ar.IsStoring()) {
        serializeOwnRefs(ar, *this);
        ar.writeInt(pointCount);
        ar.writeByte(pointShape);
        return;
    }
    list = ar.currentList();
    serializeOwnRefs(ar, *this);
    pointCount = loci::checkedSampleCount(previous ? ar.readShort() : ar.readInt());
    pointShape = ar.readByte();
    prepared_ = false;
}

void CLieuDiscretDeBase::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    serializeBase(ar, false);
}

void CLieuDiscretDeBase::readPreviousFormat(CArchive& ar) {
    CElementGraphique::readPreviousFormat(ar);
    serializeBase(ar, true);
}

std::string CLieuDiscretDeBase::getDescription() const {
    const std::string sep = "\n      ";
    return "Lieu de points :" + name + sep +
           "Lieu de points non reliés généré par les traces du point " + geo::nameOf(tracedPoint) +
           sep + generatorLine() + sep + "Nombre de points : " + std::to_string(pointCount);
}

// ---------------------------------------------------------------------------------------------
// CLieuDiscretParPointLie

CLieuDiscretParPointLie::CLieuDiscretParPointLie(CListeAction* list, CPointAncetre* tracedPoint,
                                                 CPointLie* generator, int pointShape,
                                                 int pointCount, int8_t colour)
    : CLieuDiscretDeBase(list, tracedPoint, pointShape, pointCount, colour),
      linkedPoint(generator) {}

CElementBase* CLieuDiscretParPointLie::generator() const {
    return linkedPoint;
}

void CLieuDiscretParPointLie::buildDependents(CListeAction* figure) {
    if (!dependents) dependents = std::make_unique<CListeAction>(true);
    loci::buildDependents(figure, tracedPoint, linkedPoint, *dependents);
}

void CLieuDiscretParPointLie::Serialize(CArchive& ar) {
    CLieuDiscretDeBase::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CLieuDiscretParPointLie::readPreviousFormat(CArchive& ar) {
    CLieuDiscretDeBase::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

bool CLieuDiscretParPointLie::dependsOnForDrag(const CElementBase* p) const {
    if (p == this) return true;
    return p != linkedPoint && tracedPoint && tracedPoint->dependsOn(p);
}

void CLieuDiscretParPointLie::replaceReference(CElementBase* old, CElementBase* repl) {
    loci::replaceGenerator(linkedPoint, old, repl);
    CLieuDiscretDeBase::replaceReference(old, repl);
}

std::string CLieuDiscretParPointLie::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                         CElementBase** c) const {
    if (a) *a = linkedPoint;
    if (b) *b = tracedPoint;
    if (c) *c = nullptr;
    return "Lieu de point discret généré par point lié";
}

std::string CLieuDiscretParPointLie::generatorLine() const {
    return "et par le déplacement du point lié " + geo::nameOf(linkedPoint);
}

// ---------------------------------------------------------------------------------------------
// CLieuDiscretParVariable

CLieuDiscretParVariable::CLieuDiscretParVariable(CListeAction* list, CPointAncetre* tracedPoint,
                                                 CVariableBornee* variable, int pointShape,
                                                 int pointCount, int8_t colour)
    : CLieuDiscretDeBase(list, tracedPoint, pointShape, pointCount, colour), variable(variable) {}

CElementBase* CLieuDiscretParVariable::generator() const {
    return variable;
}

void CLieuDiscretParVariable::buildDependents(CListeAction* figure) {
    if (!dependents) dependents = std::make_unique<CListeAction>(true);
    loci::buildDependents(figure, tracedPoint, variable, *dependents);
}

void CLieuDiscretParVariable::Serialize(CArchive& ar) {
    CLieuDiscretDeBase::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CLieuDiscretParVariable::readPreviousFormat(CArchive& ar) {
    CLieuDiscretDeBase::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CLieuDiscretParVariable::replaceReference(CElementBase* old, CElementBase* repl) {
    loci::replaceGenerator(variable, old, repl);
    CLieuDiscretDeBase::replaceReference(old, repl);
}

std::string CLieuDiscretParVariable::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                         CElementBase** c) const {
    if (a) *a = variable;
    if (b) *b = tracedPoint;
    if (c) *c = nullptr;
    return "Lieu discret de points généré par la variable ";
}

std::string CLieuDiscretParVariable::generatorLine() const {
    return "et par les valeurs de la variable " + geo::nameOf(variable);
}
