#include "geometry/CGrapheSuiteRec.h"

#include <cmath>

#include "core/CArchive.h"
#include "core/CListeAction.h"
#include "geometry/CRepere.h"

IMPLEMENT_SERIAL(CGrapheSuiteRec, CElementLigne, 1)
IMPLEMENT_SERIAL(CGrapheSuiteRecComplexe, CElementLigne, 1)

IMPLEMENT_REFS(CGrapheSuiteRec, CElementLigne, sequence, frame)
IMPLEMENT_REFS(CGrapheSuiteRecComplexe, CElementLigne, sequence, frame)

using geo::existing;

namespace {
// The segment between two frame positions, in the graph's colour, style and mask.
void placeSegment(CSegment& s, const CRepere* r, double x1, double y1, double x2, double y2) {
    double ax, ay, bx, by;
    r->toWindow(x1, y1, &ax, &ay);
    r->toWindow(x2, y2, &bx, &by);
    s.setEnds(ax, ay, bx, by);
}

void copyLook(const CElementLigne& from, CElementLigne& to) {
    to.colour = from.colour;
    to.lineStyle = from.lineStyle;
    to.masked = from.masked;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CGrapheSuiteRec

std::vector<CGrapheSuiteRec::Piece> CGrapheSuiteRec::pieces() const {
    std::vector<Piece> out;
    if (!sequence || sequence->lastIndex < 1) return out;
    const std::vector<double>& u = sequence->terms;
    if (withAxisLines) out.push_back({u[0], 0, u[0], u[1]});
    out.push_back({u[0], u[1], u[1], u[1]});
    for (int k = 2; k <= sequence->lastIndex; ++k) {
        out.push_back({u[k - 1], u[k - 1], u[k - 1], u[k]});
        out.push_back({u[k - 1], u[k], u[k], u[k]});
        if (withAxisLines) out.push_back({u[k], 0, u[k], u[k]});
    }
    return out;
}

void CGrapheSuiteRec::Serialize(CArchive& ar) {
    CElementLigne::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsStoring())
        ar.writeBool(withAxisLines);
    else
        withAxisLines = ar.readBool();
}

void CGrapheSuiteRec::readPreviousFormat(CArchive& ar) {
    CElementLigne::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    withAxisLines = ar.readBool();
}

void CGrapheSuiteRec::computePosition() {
    exists = existing(sequence) && existing(frame);
}

void CGrapheSuiteRec::paint(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    CSegment s;
    copyLook(*this, s);
    for (const Piece& p : pieces()) {
        placeSegment(s, frame, p.x1, p.y1, p.x2, p.y2);
        s.drawLine(dc, eraseMode, hideMasked);
    }
}

void CGrapheSuiteRec::draw(CDC* dc, bool hideMasked) {
    paint(dc, false, hideMasked);
}

void CGrapheSuiteRec::erase(CDC* dc, bool hideMasked) {
    paint(dc, true, hideMasked);
}

bool CGrapheSuiteRec::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CGrapheSuiteRec::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                 CElementBase** c) const {
    firstParents(a, b, c);
    return "Graphe de suite récurrente";
}

std::string CGrapheSuiteRec::getDisplayName() const {
    return "Graphe de la suite " + (sequence ? sequence->getName() : std::string()) +
           " dans le repère " + frameText(frame);
}

int CGrapheSuiteRec::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    CSegment s;
    int best = kNotDesignable;
    for (const Piece& p : pieces()) {
        placeSegment(s, frame, p.x1, p.y1, p.x2, p.y2);
        best = std::min(best, s.designationDistance(mx, my, false));
    }
    return best;
}

int CGrapheSuiteRec::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    return designationDistance(mx, my, hideMasked);
}

// ---------------------------------------------------------------------------------------------
// CGrapheSuiteRecComplexe

void CGrapheSuiteRecComplexe::Serialize(CArchive& ar) {
    CElementLigne::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsStoring()) {
        ar.writeBool(joined);
        ar.writeByte(pointMark);
    } else {
        joined = ar.readBool();
        pointMark = ar.readByte();
    }
}

void CGrapheSuiteRecComplexe::computePosition() {
    exists = existing(sequence) && existing(frame);
}

void CGrapheSuiteRecComplexe::paint(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    const std::vector<Complexe>& z = sequence->terms;
    const int last = sequence->lastIndex;
    if (joined) {
        CSegment s;
        copyLook(*this, s);
        for (int k = 0; k < last; ++k) {
            placeSegment(s, frame, z[k].re, z[k].im, z[k + 1].re, z[k + 1].im);
            s.drawLine(dc, eraseMode, hideMasked);
        }
        return;
    }
    CPointBase mark(0, 0, colour, pointMark);
    mark.masked = masked;
    for (int k = 0; k <= last; ++k) {
        double x, y;
        frame->toWindow(z[k].re, z[k].im, &x, &y);
        mark.setPosition(x, y);
        mark.drawPoint(dc, eraseMode, hideMasked);
    }
}

void CGrapheSuiteRecComplexe::draw(CDC* dc, bool hideMasked) {
    paint(dc, false, hideMasked);
}

void CGrapheSuiteRecComplexe::erase(CDC* dc, bool hideMasked) {
    paint(dc, true, hideMasked);
}

// Marked terms and joined terms are two different graphs of the same sequence.
bool CGrapheSuiteRecComplexe::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other) &&
           static_cast<const CGrapheSuiteRecComplexe*>(other)->joined == joined;
}

std::string CGrapheSuiteRecComplexe::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                         CElementBase** c) const {
    firstParents(a, b, c);
    return "Graphe de suite récurrente complexe";
}

std::string CGrapheSuiteRecComplexe::getDisplayName() const {
    return "Graphe de la suite " + (sequence ? sequence->getName() : std::string()) +
           " dans le repère " + frameText(frame);
}

int CGrapheSuiteRecComplexe::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    const std::vector<Complexe>& z = sequence->terms;
    const int last = sequence->lastIndex;
    int best = kNotDesignable;
    if (joined) {
        CSegment s;
        for (int k = 0; k < last; ++k) {
            placeSegment(s, frame, z[k].re, z[k].im, z[k + 1].re, z[k + 1].im);
            best = std::min(best, s.designationDistance(mx, my, false));
        }
        return best;
    }
    CPointBase mark(0, 0);
    for (int k = 0; k <= last; ++k) {
        double x, y;
        frame->toWindow(z[k].re, z[k].im, &x, &y);
        mark.setPosition(x, y);
        best = std::min(best, mark.designationDistance(mx, my, false));
    }
    return best;
}

int CGrapheSuiteRecComplexe::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    return designationDistance(mx, my, hideMasked);
}
