#include <cmath>

#include "core/CArchive.h"
#include "geometry/CDroite.h"

IMPLEMENT_SERIAL(CMarqueSegment, CElementLigne, 1)
IMPLEMENT_REFS(CMarqueSegment, CElementLigne, segment)

CMarqueSegment::CMarqueSegment() {
    buildStrokes();
}

CMarqueSegment::CMarqueSegment(CSegment* segment, int markStyle, int8_t colour, int lineStyle)
    : CElementLigne(colour, lineStyle), markStyle(markStyle), segment(segment) {
    buildStrokes();
}

void CMarqueSegment::buildStrokes() {
    for (auto& p : ends_) p = std::make_unique<CPointBase>(0, 0);
    for (int i = 0; i < 3; ++i) {
        strokes_[i] = std::make_unique<CSegment>(ends_[2 * i].get(), ends_[2 * i + 1].get(), colour,
                                                 lineStyle);
    }
}

void CMarqueSegment::Serialize(CArchive& ar) {
    CElementLigne::Serialize(ar);
    if (ar.IsStoring())
        ar.writeByte(static_cast<uint8_t>(markStyle));
    else
        markStyle = ar.readByte();
    serializeOwnRefs(ar, *this);
    if (ar.IsLoading()) {
        setColour(colour);
        setLineStyle(lineStyle);
    }
}

void CMarqueSegment::readPreviousFormat(CArchive& ar) {
    CElementLigne::readPreviousFormat(ar);
    markStyle = ar.readByte();
    serializeOwnRefs(ar, *this);
    setColour(colour);
    setLineStyle(lineStyle);
}

void CMarqueSegment::copyStateFrom(const CElementBase& src) {
    CElementLigne::copyStateFrom(src);
    if (const auto* m = dynamic_cast<const CMarqueSegment*>(&src)) {
        markStyle = m->markStyle;
        for (int i = 0; i < 3; ++i) strokes_[i]->copyStateFrom(*m->strokes_[i]);
    }
}

void CMarqueSegment::computePosition() {
    for (auto& s : strokes_) s->exists = false;
    exists = geo::existing(segment);
    if (!exists) return;
    const double mx = (segment->x1 + segment->x2) / 2, my = (segment->y1 + segment->y2) / 2;
    const double bx = segment->x2 - mx, by = segment->y2 - my;
    const double len = std::hypot(bx, by);
    if (len == 0) {
        // A segment of length 0 has no direction to mark across: the mark is absent.
        exists = false;
        return;
    }
    const double ex = bx / len, ey = by / len;
    // e turned by a quarter turn (counter-clockwise on screen), scaled to 50.
    const double nx = ey * 50, ny = -ex * 50;
    auto set = [&](int i, double ax, double ay, double cx, double cy) {
        strokes_[i]->setEnds(ax, ay, cx, cy);
    };
    auto across = [&](int i, double shift) {
        const double sx = mx + shift * ex, sy = my + shift * ey;
        set(i, sx + nx, sy + ny, sx - nx, sy - ny);
    };
    switch (markStyle) {
        case 0:
        default:
            across(0, 0);
            break;
        case 1:
            across(0, 20);
            across(1, -20);
            break;
        case 2:
            across(0, 0);
            across(1, 40);
            across(2, -40);
            break;
        case 3: {
            double fx, fy;
            geo::turn(ex, ey, geo::kPi / 4, &fx, &fy);
            set(0, mx + 50 * fx, my + 50 * fy, mx - 50 * fx, my - 50 * fy);
            geo::turn(ex, ey, -geo::kPi / 4, &fx, &fy);
            set(1, mx + 50 * fx, my + 50 * fy, mx - 50 * fx, my - 50 * fy);
            break;
        }
    }
}

void CMarqueSegment::draw(CDC* dc, bool hideMasked) {
    if (!exists) return;
    for (auto& s : strokes_) {
        s->masked = masked;
        if (s->exists) s->drawLine(dc, false, hideMasked);
    }
}

void CMarqueSegment::erase(CDC* dc, bool hideMasked) {
    if (!exists) return;
    for (auto& s : strokes_) {
        s->masked = masked;
        if (s->exists) s->drawLine(dc, true, hideMasked);
    }
}

bool CMarqueSegment::coincidesWith(const CElementBase* other) const {
    return hasSameRefsAs(other);
}

std::string CMarqueSegment::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                CElementBase** c) const {
    firstParents(a, b, c);
    return "Marque de segment";
}

std::string CMarqueSegment::getDisplayName() const {
    return "Marque de segment associée au segment " +
           (segment ? segment->getDisplayName() : std::string());
}

int CMarqueSegment::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    int best = kNotDesignable;
    for (auto& s : strokes_) {
        if (!s->exists) continue;
        s->masked = false;
        int d = s->designationDistance(mx, my, false);
        if (d < best) best = d;
    }
    return best;
}

int CMarqueSegment::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    return designationDistance(mx, my, hideMasked);
}

void CMarqueSegment::setColour(int8_t index) {
    colour = index;
    for (auto& s : strokes_)
        if (s) s->colour = index;
}

void CMarqueSegment::setLineStyle(uint8_t style) {
    lineStyle = style;
    for (auto& s : strokes_)
        if (s) s->lineStyle = style;
}
