#include "loci/CSurfaceLieu.h"

#include <cmath>

#include "core/CArchive.h"
#include "loci/CLieuDeBase.h"

IMPLEMENT_SERIAL(CSurfaceLieu, CSurface, 1)
IMPLEMENT_SERIAL(CSurfaceLieuDroite, CSurfaceLieu, 1)
IMPLEMENT_SERIAL(CSurfaceDeuxLieux, CSurfaceLieu, 1)
IMPLEMENT_SERIAL(CSurfaceLieuDeuxPoints, CSurfaceLieu, 1)

using geo::existing;

namespace {
// A locus bounds a surface only as one connected piece.
bool isOnePiece(const CLieuDeBase* l) {
    return existing(l) && l->pieceCount == 1;
}

LPoint rounded(double x, double y) {
    return {geo::roundCoord(x), geo::roundCoord(y)};
}

template <size_t N>
void makeSides(std::array<std::unique_ptr<CSegment>, N>& sides) {
    for (auto& s : sides) s = std::make_unique<CSegment>();
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CSurfaceLieu

CSurfaceLieu::CSurfaceLieu(CLieuDeBase* locus, int fillStyle, int8_t colour)
    : CSurface(locus, fillStyle, colour) {}

CLieuDeBase* CSurfaceLieu::locus() const {
    return static_cast<CLieuDeBase*>(boundary);
}

bool CSurfaceLieu::acceptsBoundary(const CElementBase* e) const {
    return dynamic_cast<const CLieuDeBase*>(e) != nullptr;
}

void CSurfaceLieu::computePosition() {
    exists = isOnePiece(locus());
    if (exists) polygon = locus()->onePiecePoints();
}

// ---------------------------------------------------------------------------------------------
// CSurfaceLieuDroite

CSurfaceLieuDroite::CSurfaceLieuDroite() {
    makeSides(sides);
}

CSurfaceLieuDroite::CSurfaceLieuDroite(CLieuDeBase* locus, CDroite* line, int fillStyle,
                                       int8_t colour)
    : CSurfaceLieu(locus, fillStyle, colour), line(line) {
    makeSides(sides);
}

CSurfaceLieuDroite::~CSurfaceLieuDroite() = default;

IMPLEMENT_REFS(CSurfaceLieuDroite, CSurfaceLieu, line)

void CSurfaceLieuDroite::Serialize(CArchive& ar) {
    CSurfaceLieu::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CSurfaceLieuDroite::readPreviousFormat(CArchive& ar) {
    CSurfaceLieu::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CSurfaceLieuDroite::computePosition() {
    exists = false;
    if (!isOnePiece(locus()) || !existing(line)) return;
    polygon = locus()->onePiecePoints();
    if (polygon.size() < 2) return;
    const LPoint F = polygon.front(), L = polygon.back();
    double fx, fy, lx, ly;
    line->project(F.x, F.y, &fx, &fy);
    line->project(L.x, L.y, &lx, &ly);
    if (!std::isfinite(fx) || !std::isfinite(fy) || !std::isfinite(lx) || !std::isfinite(ly))
        return;
    polygon.reserve(polygon.size() + 3);
    polygon.push_back(rounded(lx, ly));
    polygon.push_back(rounded(fx, fy));
    polygon.push_back(F);
    sides[0]->setEnds(F.x, F.y, fx, fy);
    sides[1]->setEnds(fx, fy, lx, ly);
    sides[2]->setEnds(lx, ly, L.x, L.y);
    exists = sides[0]->exists && sides[1]->exists && sides[2]->exists;
}

std::string CSurfaceLieuDroite::getDescription() const {
    return namedPrefix() + "Surface délimitée par le lieu " + surf::textOf(boundary) +
           " et par la droite " + surf::textOf(line);
}

// ---------------------------------------------------------------------------------------------
// CSurfaceDeuxLieux

CSurfaceDeuxLieux::CSurfaceDeuxLieux() {
    makeSides(sides);
}

CSurfaceDeuxLieux::CSurfaceDeuxLieux(CLieuDeBase* first, CLieuDeBase* second, int fillStyle,
                                     int8_t colour)
    : CSurfaceLieu(first, fillStyle, colour), second(second) {
    makeSides(sides);
}

CSurfaceDeuxLieux::~CSurfaceDeuxLieux() = default;

IMPLEMENT_REFS(CSurfaceDeuxLieux, CSurfaceLieu, second)

void CSurfaceDeuxLieux::Serialize(CArchive& ar) {
    CSurfaceLieu::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CSurfaceDeuxLieux::readPreviousFormat(CArchive& ar) {
    CSurfaceLieu::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CSurfaceDeuxLieux::computePosition() {
    exists = false;
    if (!isOnePiece(locus()) || !isOnePiece(second)) return;
    polygon = locus()->onePiecePoints();
    const std::vector<LPoint> other = second->onePiecePoints();
    if (polygon.empty() || other.empty()) return;
    const LPoint f1 = polygon.front(), l1 = polygon.back();
    polygon.reserve(polygon.size() + other.size() + 1);
    polygon.insert(polygon.end(), other.rbegin(), other.rend());
    sides[0]->setEnds(f1.x, f1.y, other.front().x, other.front().y);
    sides[1]->setEnds(l1.x, l1.y, other.back().x, other.back().y);
    exists = sides[0]->exists && sides[1]->exists;
}

int CSurfaceDeuxLieux::designationDistance(int mx, int my, bool hideMasked) {
    const int d1 = CSurfaceLieu::designationDistance(mx, my, hideMasked);
    if (!exists || (hideMasked && masked) || !second) return d1;
    const int d2 = second->designationDistanceForLinking(mx, my, false);
    return d2 >= 0 && d2 < d1 ? d2 : d1;
}

std::string CSurfaceDeuxLieux::getDescription() const {
    return namedPrefix() + "Surface délimitée par les lieux " + surf::textOf(boundary) + " et " +
           surf::textOf(second);
}

// ---------------------------------------------------------------------------------------------
// CSurfaceLieuDeuxPoints

CSurfaceLieuDeuxPoints::CSurfaceLieuDeuxPoints() {
    makeAuxiliary();
}

CSurfaceLieuDeuxPoints::CSurfaceLieuDeuxPoints(CLieuDeBase* locus, CPointAncetre* a,
                                               CPointAncetre* b, int fillStyle, int8_t colour)
    : CSurfaceLieu(locus, fillStyle, colour), A(a), B(b) {
    makeAuxiliary();
}

CSurfaceLieuDeuxPoints::~CSurfaceLieuDeuxPoints() = default;

void CSurfaceLieuDeuxPoints::makeAuxiliary() {
    for (auto& e : ends) e = std::make_unique<CPointBase>();
    makeSides(sides);
}

IMPLEMENT_REFS(CSurfaceLieuDeuxPoints, CSurfaceLieu, A, B)

void CSurfaceLieuDeuxPoints::Serialize(CArchive& ar) {
    CSurfaceLieu::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CSurfaceLieuDeuxPoints::readPreviousFormat(CArchive& ar) {
    CSurfaceLieu::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CSurfaceLieuDeuxPoints::computePosition() {
    exists = false;
    if (!isOnePiece(locus()) || !existing(A) || !existing(B)) return;
    if (A->outOfRange || B->outOfRange) return;
    polygon = locus()->onePiecePoints();
    if (polygon.empty()) return;
    const LPoint F = polygon.front(), L = polygon.back();
    ends[0]->setPosition(F.x, F.y);
    ends[1]->setPosition(L.x, L.y);
    // From the last end to the nearer of the two points keeps the closing sides from crossing.
    const CPointAncetre* p1 = A;
    const CPointAncetre* p2 = B;
    if (std::hypot(L.x - B->x, L.y - B->y) + std::hypot(F.x - A->x, F.y - A->y) <
        std::hypot(L.x - A->x, L.y - A->y) + std::hypot(F.x - B->x, F.y - B->y))
        std::swap(p1, p2);
    polygon.reserve(polygon.size() + 3);
    polygon.push_back(rounded(p1->x, p1->y));
    polygon.push_back(rounded(p2->x, p2->y));
    polygon.push_back(F);
    sides[0]->setEnds(L.x, L.y, p1->x, p1->y);
    sides[1]->setEnds(p1->x, p1->y, p2->x, p2->y);
    sides[2]->setEnds(p2->x, p2->y, F.x, F.y);
    exists = true;
}

// The same locus and the same two points, in either order.
bool CSurfaceLieuDeuxPoints::coincidesWith(const CElementBase* other) const {
    if (!sameBoundaryAs(other)) return false;
    const auto* s = static_cast<const CSurfaceLieuDeuxPoints*>(other);
    return (s->A == A && s->B == B) || (s->A == B && s->B == A);
}

std::string CSurfaceLieuDeuxPoints::getDescription() const {
    return namedPrefix() + "Surface délimitée par le lieu " + surf::textOf(boundary) +
           " et les deux points " + geo::nameOf(A) + " et " + geo::nameOf(B);
}
