#include "loci/CLieuDeBase.h"

#include <cmath>

#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "geometry/CPointLie.h"
#include "loci/LocusSampling.h"
#include "values/CVariable.h"

IMPLEMENT_SERIAL(CLieuDeBase, CElementLigne, 1)
IMPLEMENT_SERIAL(CLieuDePoints, CLieuDeBase, 1)
IMPLEMENT_SERIAL(CLieuParVariable, CLieuDeBase, 1)

IMPLEMENT_REFS(CLieuDeBase, CElementLigne, tracedPoint)
// None is accepted: a generator unlinked from its curve leaves a locus that no longer exists,
// and the file that keeps it must still open.
IMPLEMENT_REFS(CLieuDePoints, CLieuDeBase, optional(linkedPoint))
IMPLEMENT_REFS(CLieuParVariable, CLieuDeBase, optional(variable))

namespace {
// Distance from (mx, my) to the segment [a b], in figure units.
double distanceToSegment(double mx, double my, const LPoint& a, const LPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t = ((mx - a.x) * dx + (my - a.y) * dy) / (dx * dx + dy * dy);
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    return std::hypot(mx - (a.x + t * dx), my - (a.y + t * dy));
}
}  // namespace

CLieuDeBase::CLieuDeBase() : pointCount(preferences().locusPointsNumber) {}

CLieuDeBase::CLieuDeBase(CListeAction* list, CPointAncetre* tracedPoint, int pointCount,
                         bool closed, int8_t colour, int lineStyle)
    : CElementLigne(colour, lineStyle),
      list(list),
      tracedPoint(tracedPoint),
      pointCount(pointCount),
      closed(closed) {}

CLieuDeBase::~CLieuDeBase() = default;

void CLieuDeBase::setPointCount(int n, bool isClosed) {
    closed = isClosed;
    if (n < 1) n = 1;
    if (n == pointCount && points.size() == static_cast<size_t>(n) + 2) return;
    // Both arrays go first, so that a failed allocation leaves none half-sized.
    points.clear();
    pieces.clear();
    points.shrink_to_fit();
    pieces.shrink_to_fit();
    pointCount = n;
    points.resize(static_cast<size_t>(n) + 2);
    pieces.resize(static_cast<size_t>(n + 2) / 2 + 2);
}

void CLieuDeBase::prepare() {
    points.assign(static_cast<size_t>(pointCount) + 2, LPoint{});
    pieces.assign(static_cast<size_t>(pointCount + 2) / 2 + 2, Piece{});
    if (!dependents) dependents = std::make_unique<CListeAction>(true);
    buildDependents(list);
    prepared_ = true;
}

void CLieuDeBase::ensurePrepared() {
    if (!prepared_ || !dependents || points.size() != static_cast<size_t>(pointCount) + 2)
        prepare();
}

void CLieuDeBase::buildDependents(CListeAction*) {}

void CLieuDeBase::rebuildInternalLists(CListeAction* figure) {
    if (figure) list = figure;
    prepare();
}

void CLieuDeBase::setInternalAngleUnit(int unit) {
    if (dependents) dependents->angleUnit = unit;
}

bool CLieuDeBase::sampleTracedPoint(CElementBase* gen) {
    pieceCount = 0;
    validPieceCount = 0;
    firstValidPiece = -1;
    const LSize area = activeDrawingArea();
    bool open = false;
    auto closePiece = [&](int i) {
        pieces[pieceCount - 1].count = i - pieces[pieceCount - 1].start;
        open = false;
    };
    const bool ok = loci::sample(gen, pointCount, *dependents, [&](int i) {
        const CPointAncetre* p = tracedPoint;
        if (!p->exists) {
            if (open) closePiece(i);
            return;
        }
        const bool inRange = geo::inRange(p->x, p->y);
        if (!open) {
            if (!inRange) return;
            if (pieceCount >= static_cast<int>(pieces.size())) pieces.resize(pieces.size() + 1);
            pieces[pieceCount++] = {i, 1};
            points[i] = {geo::roundCoord(p->x), geo::roundCoord(p->y)};
            open = true;
            return;
        }
        // Signed differences: only a jump forwards by more than the window breaks the curve.
        const LPoint& prev = points[i - 1];
        if (p->x - prev.x <= area.cx && p->y - prev.y <= area.cy && inRange) {
            points[i] = {geo::roundCoord(p->x), geo::roundCoord(p->y)};
            ++pieces[pieceCount - 1].count;
        } else {
            closePiece(i);
        }
    });
    return ok;
}

void CLieuDeBase::computePosition() {
    exists = false;
    CElementBase* gen = generator();
    if (!tracedPoint || !gen || !gen->exists) {
        pieceCount = validPieceCount = 0;
        firstValidPiece = -1;
        return;
    }
    ensurePrepared();
    if (!sampleTracedPoint(gen) || pieceCount == 0) return;
    for (int k = 0; k < pieceCount; ++k) {
        if (pieces[k].count < 2) continue;
        if (firstValidPiece < 0) firstValidPiece = k;
        ++validPieceCount;
    }
    if (validPieceCount == 0) return;
    if (closed) {
        if (pieceCount != 1) return;
        Piece& piece = pieces[0];
        points[piece.start + piece.count] = points[piece.start];
        ++piece.count;
    }
    exists = true;
    updateNameAnchor();
}

std::vector<LPoint> CLieuDeBase::onePiecePoints() const {
    if (!exists || pieceCount != 1) return {};
    const Piece& p = pieces[0];
    return std::vector<LPoint>(points.begin() + p.start, points.begin() + p.start + p.count);
}

void CLieuDeBase::updateNameAnchor() {
    if (firstValidPiece < 0 || firstValidPiece >= static_cast<int>(pieces.size())) return;
    const LPoint& p = points[pieces[firstValidPiece].start];
    setNameAnchor(p.x, p.y);
}

void CLieuDeBase::draw(CDC* dc, bool hideMasked) {
    if (exists) drawPieces(dc, false, hideMasked);
}

void CLieuDeBase::erase(CDC* dc, bool hideMasked) {
    if (exists) drawPieces(dc, true, hideMasked);
}

void CLieuDeBase::drawPieces(CDC* dc, bool eraseMode, bool hideMasked) {
    if (hideMasked && masked) return;
    dc->selectPen(CPalette::pen(drawingStyle(hideMasked), eraseMode ? 0 : colour));
    dc->setBkMode(BK_TRANSPARENT);
    for (int k = 0; k < pieceCount; ++k) {
        const Piece& piece = pieces[k];
        if (piece.count == 1) {
            const LPoint& p = points[piece.start];
            dc->line(p.x, p.y, p.x + 10, p.y + 10);
        } else if (piece.count > 1) {
            dc->polyline(std::vector<LPoint>(points.begin() + piece.start,
                                             points.begin() + piece.start + piece.count));
        }
    }
}

int CLieuDeBase::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    double best = -1;
    for (int k = 0; k < pieceCount; ++k) {
        const Piece& piece = pieces[k];
        for (int i = piece.start; i + 1 < piece.start + piece.count; ++i) {
            const LPoint& a = points[i];
            const LPoint& b = points[i + 1];
            if (a == b) continue;
            const double d = distanceToSegment(mx, my, a, b);
            if (best < 0 || d < best) best = d;
        }
    }
    return best < 0 ? kNotDesignable : geo::truncDistance(best);
}

int CLieuDeBase::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    return designationDistance(mx, my, hideMasked);
}

void CLieuDeBase::replaceReference(CElementBase* old, CElementBase* repl) {
    CElementLigne::replaceReference(old, repl);
    // The sub-list may hold the replaced object: build it again before the next sampling.
    prepared_ = false;
}

void CLieuDeBase::replaceInSubLists(CActionAncetre*, CActionAncetre*) {
    prepared_ = false;
}

bool CLieuDeBase::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* l = static_cast<const CLieuDeBase*>(other);
    if (l->generator() != generator() || !tracedPoint || !l->tracedPoint) return false;
    return l->tracedPoint == tracedPoint || l->tracedPoint->coincidesWith(tracedPoint);
}

void CLieuDeBase::copyStateFrom(const CElementBase& src) {
    CElementLigne::copyStateFrom(src);
    const auto* l = dynamic_cast<const CLieuDeBase*>(&src);
    if (!l) return;
    points = l->points;
    pieces = l->pieces;
    pieceCount = l->pieceCount;
    validPieceCount = l->validPieceCount;
    firstValidPiece = l->firstValidPiece;
}

void CLieuDeBase::serializeBase(CArchive& ar, bool previous) {
    if (ar.IsStoring()) {
        serializeOwnRefs(ar, *this);
        ar.writeInt(pointCount);
        ar.writeBool(closed);
        return;
    }
    list = ar.currentList();
    serializeOwnRefs(ar, *this);
    pointCount = loci::checkedSampleCount(previous ? ar.readShort() : ar.readInt());
    closed = ar.readBool();
    prepared_ = false;
}

void CLieuDeBase::Serialize(CArchive& ar) {
    CElementLigne::Serialize(ar);
    serializeBase(ar, false);
}

void CLieuDeBase::readPreviousFormat(CArchive& ar) {
    CElementLigne::readPreviousFormat(ar);
    serializeBase(ar, true);
}

std::string CLieuDeBase::getDescription() const {
    const std::string sep = "\n      ";
    return "Lieu de points :" + name + sep +
           "Lieu de points reliés généré par les traces du point " + geo::nameOf(tracedPoint) +
           sep + generatorLine() + sep + "Nombre de points : " + std::to_string(pointCount);
}

// ---------------------------------------------------------------------------------------------
// CLieuDePoints

CLieuDePoints::CLieuDePoints(CListeAction* list, CPointAncetre* tracedPoint, CPointLie* generator,
                             int pointCount, bool closed, int8_t colour, int lineStyle)
    : CLieuDeBase(list, tracedPoint, pointCount, closed, colour, lineStyle),
      linkedPoint(generator) {}

CElementBase* CLieuDePoints::generator() const {
    return linkedPoint;
}

void CLieuDePoints::buildDependents(CListeAction* figure) {
    if (!dependents) dependents = std::make_unique<CListeAction>(true);
    loci::buildDependents(figure, tracedPoint, linkedPoint, *dependents);
}

void CLieuDePoints::Serialize(CArchive& ar) {
    CLieuDeBase::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CLieuDePoints::readPreviousFormat(CArchive& ar) {
    CLieuDeBase::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

bool CLieuDePoints::dependsOnForDrag(const CElementBase* p) const {
    // Dragging the generator itself leaves the curve where it is.
    if (p == this) return true;
    return p != linkedPoint && tracedPoint && tracedPoint->dependsOn(p);
}

void CLieuDePoints::replaceReference(CElementBase* old, CElementBase* repl) {
    loci::replaceGenerator(linkedPoint, old, repl);
    CLieuDeBase::replaceReference(old, repl);
}

std::string CLieuDePoints::getConstructionInfo(CElementBase** a, CElementBase** b,
                                               CElementBase** c) const {
    if (a) *a = linkedPoint;
    if (b) *b = tracedPoint;
    if (c) *c = nullptr;
    return "Lieu de point généré par point lié";
}

std::string CLieuDePoints::generatorLine() const {
    return "et par le déplacement du point lié " + geo::nameOf(linkedPoint);
}

// ---------------------------------------------------------------------------------------------
// CLieuParVariable

CLieuParVariable::CLieuParVariable(CListeAction* list, CPointAncetre* tracedPoint,
                                   CVariableBornee* variable, int pointCount, bool closed,
                                   int8_t colour, int lineStyle)
    : CLieuDeBase(list, tracedPoint, pointCount, closed, colour, lineStyle), variable(variable) {}

CElementBase* CLieuParVariable::generator() const {
    return variable;
}

void CLieuParVariable::buildDependents(CListeAction* figure) {
    if (!dependents) dependents = std::make_unique<CListeAction>(true);
    loci::buildDependents(figure, tracedPoint, variable, *dependents);
}

void CLieuParVariable::Serialize(CArchive& ar) {
    CLieuDeBase::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CLieuParVariable::readPreviousFormat(CArchive& ar) {
    CLieuDeBase::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CLieuParVariable::replaceReference(CElementBase* old, CElementBase* repl) {
    loci::replaceGenerator(variable, old, repl);
    CLieuDeBase::replaceReference(old, repl);
}

std::string CLieuParVariable::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                  CElementBase** c) const {
    if (a) *a = variable;
    if (b) *b = tracedPoint;
    if (c) *c = nullptr;
    return "Lieu de points généré par la variable ";
}

std::string CLieuParVariable::generatorLine() const {
    return "et par les valeurs de la variable " + geo::nameOf(variable);
}
