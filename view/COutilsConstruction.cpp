#include "view/COutilsConstruction.h"

#include <algorithm>
#include <cmath>

#include "core/CHost.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CIntersection.h"
#include "geometry/CPointAncetre.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"
#include "view/CFigureRenderer.h"
#include "view/CGestionSouris.h"
#include "view/CPelvantiView.h"
#include "view/CToolOverlay.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
// Radius of a new angle mark, in figure units.
constexpr double kMarkRadius = 300;

int8_t colour() {
    return static_cast<int8_t>(etatPalettes().colour);
}
int lineStyle() {
    return etatPalettes().lineStyle;
}
int pointStyle() {
    return etatPalettes().pointStyle;
}

CPointAncetre* pt(ToolContext& c, size_t i) {
    return i < c.parents.size() ? dynamic_cast<CPointAncetre*>(c.parents[i]) : nullptr;
}
CDroite* line(ToolContext& c, size_t i) {
    return i < c.parents.size() ? dynamic_cast<CDroite*>(c.parents[i]) : nullptr;
}

template <class T>
ToolEntries one(Nature n, std::unique_ptr<T> object) {
    ToolEntries out;
    out.push_back(std::make_unique<CAction>(n, std::move(object)));
    return out;
}

}  // namespace

int countVisible(const CPelvantiDoc& doc, Nature mask, bool (*extra)(const CElementBase*)) {
    int n = 0;
    const bool hide = drawingState().hideMasked;
    for (CActionAncetre* e : const_cast<CPelvantiDoc&>(doc).graphicList().entries()) {
        if (!(e->nature & mask) || !e->element->exists) continue;
        auto* g = dynamic_cast<CElementGraphique*>(e->element);
        if (!g || (hide && g->masked)) continue;
        if (extra && !extra(e->element)) continue;
        ++n;
    }
    return n;
}

namespace {
bool hasNature(CPelvantiDoc& doc, Nature n) {
    return std::any_of(doc.list().entries().begin(), doc.list().entries().end(),
                       [n](const CActionAncetre* e) { return e->nature & n; });
}

bool isMaskedGraphic(const CPelvantiDoc& doc) {
    for (CActionAncetre* e : const_cast<CPelvantiDoc&>(doc).graphicList().entries())
        if (auto* g = dynamic_cast<CElementGraphique*>(e->element); g && g->masked) return true;
    return false;
}

bool isPinned(const CElementBase* e) {
    auto* p = dynamic_cast<const CPointAncetrePointsMobiles*>(e);
    return p && !p->mobile;
}
bool isPerpendicular(const CElementBase* e) {
    return dynamic_cast<const CDroitePerpendiculaire*>(e) != nullptr;
}

// Outside the drawing area [0, W] x [0, H]: the line (or the half-line from P0 along w) misses it.
bool lineMissesWindow(const CDroite& d, bool half) {
    LSize w = activeDrawingArea();
    double t0 = half ? 0.0 : -1e300, t1 = 1e300;
    const double p[2] = {d.p0x, d.p0y}, v[2] = {d.wx, d.wy}, hi[2] = {double(w.cx), double(w.cy)};
    for (int k = 0; k < 2; ++k) {
        if (std::fabs(v[k]) < 1e-12) {
            if (p[k] < 0 || p[k] > hi[k]) return true;
            continue;
        }
        double a = (0 - p[k]) / v[k], b = (hi[k] - p[k]) / v[k];
        if (a > b) std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
    }
    return t0 > t1;
}

bool circleMissesWindow(const CCercle& c) {
    LSize w = activeDrawingArea();
    const double nx = std::clamp(c.centreX, 0.0, double(w.cx));
    const double ny = std::clamp(c.centreY, 0.0, double(w.cy));
    if (std::hypot(c.centreX - nx, c.centreY - ny) > c.radius) return true;
    // The window lies inside the circle when its farthest corner does.
    const double fx = std::max(std::fabs(c.centreX), std::fabs(c.centreX - w.cx));
    const double fy = std::max(std::fabs(c.centreY), std::fabs(c.centreY - w.cy));
    return std::hypot(fx, fy) < c.radius;
}

// Message of an object outside the window by its nature; 0 when inside or not checked.
int outsideMessage(const CActionAncetre* e) {
    if (e->nature & nat::point) {
        auto* p = dynamic_cast<const CPointAncetre*>(e->element);
        return p && !p->isInWindow() ? Msg::pointOutsideWindow : 0;
    }
    if (e->nature & nat::droite) {
        auto* d = dynamic_cast<const CDroite*>(e->element);
        return d && lineMissesWindow(*d, false) ? Msg::lineOutsideWindow : 0;
    }
    if (e->nature & nat::demiDroite) {
        auto* d = dynamic_cast<const CDroite*>(e->element);
        return d && lineMissesWindow(*d, true) ? Msg::halfLineOutsideWindow : 0;
    }
    if (e->nature & nat::cercle) {
        auto* c = dynamic_cast<const CCercle*>(e->element);
        return c && circleMissesWindow(*c) ? Msg::circleOutsideWindow : 0;
    }
    return 0;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Preconditions and validation

bool preconditionHolds(int id, CPelvantiDoc& doc) {
    switch (id) {
        case Msg::needThreePoints:
            return countVisible(doc, nat::point) >= 3;
        case Msg::needTwoPoints:
            return countVisible(doc, nat::point) >= 2;
        case Msg::needPointAndLine:
            return countVisible(doc, nat::point) >= 1 && countVisible(doc, kLineLike) >= 1;
        case Msg::needPoint:
            return countVisible(doc, nat::point) >= 1;
        case Msg::needPointOrLine:
            return countVisible(doc, nat::pointOuDroite) >= 1;
        case Msg::needLinkable:
            return countVisible(doc, kLinkable) >= 1;
        case Msg::needTwoCurves:
            return countVisible(doc, kLineOrCircle) >= 2;
        case Msg::needGraphic:
        case Msg::needVisibleGraphic:
            return countVisible(doc, nat::graphique) >= 1;
        case Msg::needErased:
            return isMaskedGraphic(doc);
        case Msg::needLinkedPoint:
            return countVisible(doc, kLinkedPoints) >= 1;
        case Msg::needFreePoint:
            return countVisible(doc, nat::pointLibre) >= 1;
        case Msg::needMovablePoint:
            return countVisible(doc, kMovablePoints) >= 1;
        case Msg::needPinnedPoint:
            return countVisible(doc, kMovablePoints, isPinned) >= 1;
        case Msg::needTwoCircles:
            return countVisible(doc, kCircles) >= 2;
        case Msg::needLineAndCircle:
            return countVisible(doc, kLineLike) >= 1 && countVisible(doc, kCircles) >= 1;
        case Msg::needPerpendicular:
            return countVisible(doc, nat::droite, isPerpendicular) >= 1;
        case Msg::needSegment:
            return countVisible(doc, nat::segment) >= 1;
        case Msg::needTwoLines:
            return countVisible(doc, kLineLike) >= 2;
        case Msg::needLine:
            return countVisible(doc, kLineLike) >= 1;
        case Msg::needFrame:
            return hasNature(doc, nat::repere);
        case Msg::needVariable:
        case Msg::needVariableToActivate:
            return hasNature(doc, nat::variable);
        case Msg::needVariableAndGraphic:
            return hasNature(doc, nat::variable) && hasNature(doc, nat::graphique);
        case Msg::needSurfaceBoundary:
            return countVisible(doc, kCircles | nat::polygone | nat::lieuPoints) >= 1;
        case Msg::needLocusAndLine:
            return countVisible(doc, nat::lieuPoints) >= 1 && countVisible(doc, kLineLike) >= 1;
        case Msg::needTwoLoci:
            return countVisible(doc, nat::lieuPoints) >= 2;
        case Msg::needLocusAndTwoPoints:
            return countVisible(doc, nat::lieuPoints) >= 1 && countVisible(doc, nat::point) >= 2;
        case Msg::needPointAndTwoLines:
            return countVisible(doc, nat::point) >= 1 &&
                   countVisible(doc, kLinkable | nat::lieuPoints) >= 2;
        case Msg::needPointAndBorder:
            return countVisible(doc, nat::point) >= 1 && countVisible(doc, nat::droite) >= 1;
        case Msg::needDuplicable:
            return countVisible(doc, natureMask(0xa013ffff, 0x24f)) >= 1;
        case Msg::needObjectLocusSource:
            return countVisible(doc, natureMask(0x35dfe, 0x41)) >= 1 &&
                   countVisible(doc, nat::pointLie) >= 1;
        case Msg::needPointAndCircle:
            return countVisible(doc, nat::point) >= 1 && countVisible(doc, kCircles) >= 1;
        case Msg::needUnitLength:
            return doc.list().unitLength != nullptr;
        default:
            return true;
    }
}

void nameNewPoint(CPelvantiDoc& doc, CElementBase* point) {
    auto* g = dynamic_cast<CElementGraphique*>(point);
    if (!g || !preferences().nameAuto || !g->getName().empty()) return;
    g->setName(doc.list().nextPointName(point));
}

bool addValidated(CPelvantiDoc& doc, ToolEntries entries, bool askUndefined) {
    const int n = static_cast<int>(entries.size());
    if (n == 0) return false;
    for (auto& e : entries) {
        CElementBase* element = e->element;
        doc.addEntry(e.release());
        element->computePosition();
    }
    CListeAction& list = doc.list();
    CActionAncetre* checked = list.entryAt(list.count() - 1);
    // A bipoint and its two points: the bipoint answers for the three.
    if (n == 3 && dynamic_cast<CPointLieBipoint*>(checked->element))
        checked = list.entryAt(list.count() - 3);
    if (list.findCoinciding(checked->element)) {
        doc.removeLast(n);
        toolMessage(Msg::duplicateObject, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (checked->element->exists) {
        if (int message = outsideMessage(checked)) {
            if (toolMessage(message, MB_YESNO | MB_ICONQUESTION) != IDYES) {
                doc.removeLast(n);
                return false;
            }
        } else if (checked->nature & nat::point) {
            nameNewPoint(doc, checked->element);
        }
    } else if (askUndefined) {
        if (toolMessage(Msg::objectUndefined, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            doc.removeLast(n);
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Generic path

void COutilClignotant::deactivate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (view) view->stopBlinking();
    st.blinkList.clear();
    st.pendingList.clear();
    COutil::deactivate(view);
}

bool COutilDesigne::activate(CPelvantiView* view) {
    designated_.clear();
    COutil::activate(view);
    EtatOutils& st = etatOutils();
    st.natureFilter = desc_.steps.empty() ? 0 : desc_.steps[0];
    installHandler(standardHandler(), view);
    return true;
}

void COutilDesigne::deactivate(CPelvantiView* view) {
    designated_.clear();
    COutilClignotant::deactivate(view);
}

std::string COutilDesigne::prompt(int step) const {
    return toolText(desc_.promptId + step);
}

bool preconditionsHold(const std::vector<int>& ids) {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    for (int id : ids)
        if (!preconditionHolds(id, *view->document())) {
            toolMessage(id, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    return true;
}

bool COutilDesigne::isAvailable() {
    return preconditionsHold(desc_.unavailable);
}

void COutilDesigne::startPreview() {
    EtatOutils& st = etatOutils();
    st.previewList.clear();
    if (!desc_.build) return;
    ToolContext c;
    c.parents = designated_;
    c.parents.push_back(&st.mousePoint);
    c.preview = true;
    st.mousePoint.computePosition();
    for (auto& e : desc_.build(c)) st.previewList.append(e.release());
    st.previewList.computeAll();
}

bool COutilDesigne::build(CPelvantiDoc* doc) {
    const EtatOutils& st = etatOutils();
    // Designations of a figure that was closed or replaced meanwhile are dropped.
    for (CElementBase* e : designated_)
        if (!doc->list().contains(e)) return false;
    ToolContext c;
    c.doc = doc;
    c.parents = designated_;
    LPoint p = CPelvantiView::toLogical(st.lastMouseX, st.lastMouseY);
    c.x = p.x;
    c.y = p.y;
    return addValidated(*doc, desc_.build(c));
}

bool COutilDesigne::complete(CPelvantiDoc* doc) {
    return doc && build(doc);
}

bool COutilDesigne::completeAndRestart(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (view) view->stopBlinking();
    st.blinkList.clear();
    st.pendingList.clear();
    st.previewList.clear();
    CToolOverlay::refresh(view);
    if (!desc_.undo) {
        // A test: its verdict is shown, nothing is built.
        if (view && desc_.build) build(view->document());
        designated_.clear();
        activate(view);
        return true;
    }
    const bool done = view && complete(view->document());
    designated_.clear();
    if (done) {
        finishConstruction(view);
    } else {
        if (view) view->recomputeAndRedraw();
        activate(view);
    }
    return done;
}

bool COutilDesigne::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (desc_.steps.empty()) return completeAndRestart(view);
    CActionAncetre* e = st.designatedObject;
    if (!e) return false;
    designated_.push_back(e->element);
    const size_t k = designated_.size();
    if (k >= desc_.steps.size()) return completeAndRestart(view);
    st.blinkList.append(e);
    st.pendingList.append(e);
    st.natureFilter = desc_.steps[k];
    if (view) view->startBlinking();
    if (desc_.previewAfter > 0 && static_cast<int>(k) == desc_.previewAfter) startPreview();
    setPrompt(prompt(static_cast<int>(k)));
    // The label of the designated object goes away.
    if (st.mouseHandler) st.mouseHandler->onMouseMove(view, st.lastMouseX, st.lastMouseY);
    return false;
}

// ---------------------------------------------------------------------------------------------
// Intersection

namespace {
const char* const kAlreadyBuilt =
    "Les ou les points d'intersection sont déjà créés\n Création abandonnée";

bool isCircle(CElementBase* e) {
    return dynamic_cast<CCercle*>(e) != nullptr;
}

bool passesThrough(CElementBase* curve, const CPointAncetre* p) {
    if (auto* d = dynamic_cast<CDroite*>(curve)) return d->passesThroughByConstruction(p);
    if (auto* c = dynamic_cast<CCercle*>(curve)) return c->passesThroughByConstruction(p);
    return false;
}

// The intersection points of a and b already in the figure (points of a bipoint on them,
// other points built from them).
std::vector<CPointAncetre*> existingIntersections(CPelvantiDoc& doc, CElementBase* a,
                                                  CElementBase* b) {
    std::vector<CPointAncetre*> out;
    auto same = [&](CElementBase* p, CElementBase* q) {
        return (p == a && q == b) || (p == b && q == a);
    };
    for (CActionAncetre* e : doc.list().entries()) {
        CElementBase* el = e->element;
        if (auto* p = dynamic_cast<CPointLieBipoint*>(el)) {
            if (p->bipoint && same(p->bipoint->getParent(false), p->bipoint->getParent(true)))
                out.push_back(p);
        } else if (auto* p = dynamic_cast<CAutrePointIntersectionDroiteCercle*>(el)) {
            if (same(p->d, p->c)) out.push_back(p);
        } else if (auto* p = dynamic_cast<CAutrePointIntersectionCercles*>(el)) {
            if (same(p->c1, p->c2)) out.push_back(p);
        }
    }
    if (preferences().intelligentIntersections) {
        // A point through which both curves were drawn is one of their intersections already.
        for (CActionAncetre* e : doc.list().entries()) {
            auto* p = dynamic_cast<CPointAncetre*>(e->element);
            if (p && passesThrough(a, p) && passesThrough(b, p) &&
                std::find(out.begin(), out.end(), p) == out.end())
                out.push_back(p);
        }
    }
    return out;
}
}  // namespace

bool COutilIntersection::build(CPelvantiDoc* doc) {
    if (designated_.size() < 2) return false;
    CElementBase* a = designated_[0];
    CElementBase* b = designated_[1];
    const bool ca = isCircle(a), cb = isCircle(b);
    std::vector<CPointAncetre*> found = existingIntersections(*doc, a, b);
    if (!ca && !cb) {
        auto* d1 = dynamic_cast<CDroite*>(a);
        auto* d2 = dynamic_cast<CDroite*>(b);
        if (!d1 || !d2) return false;
        if (!found.empty()) {
            toolMessageText(kAlreadyBuilt, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        auto p = std::make_unique<CIntDroiteDroite>(d1, d2, colour(), pointStyle());
        p->computePosition();
        if (!p->exists) {
            toolMessage(Msg::notSecant, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        return addValidated(*doc, one(nat::pointConstruit, std::move(p)));
    }
    if (found.size() >= 2) {
        toolMessageText(kAlreadyBuilt, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    CDroite* d = ca ? dynamic_cast<CDroite*>(b) : dynamic_cast<CDroite*>(a);
    CCercle* c1 = ca ? static_cast<CCercle*>(a) : static_cast<CCercle*>(b);
    CCercle* c2 = ca && cb ? static_cast<CCercle*>(b) : nullptr;
    if (found.size() == 1) {
        std::unique_ptr<CPointAncetre> p;
        if (c2)
            p = std::make_unique<CAutrePointIntersectionCercles>(c1, c2, found[0], colour(),
                                                                 pointStyle());
        else
            p = std::make_unique<CAutrePointIntersectionDroiteCercle>(c1, d, found[0], colour(),
                                                                      pointStyle());
        return addValidated(*doc, one(nat::pointConstruit, std::move(p)));
    }
    // The "second point" tools build only the other point of a pair already started.
    if (desc_.command == Cmd::secondIntersectionCircles ||
        desc_.command == Cmd::secondIntersectionLineCircle) {
        toolMessage(Msg::notSecant, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    std::unique_ptr<CBipoint> bp;
    if (c2)
        bp = std::make_unique<CIntCercleCercle>(c1, c2);
    else
        bp = std::make_unique<CIntDroiteCercle>(d, c1);
    CBipoint* raw = bp.get();
    bp->computePosition();
    if (!bp->point(1)->exists && !bp->point(2)->exists) {
        toolMessage(Msg::notSecant, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    ToolEntries entries;
    entries.push_back(std::make_unique<CAction>(nat::bipoint, std::move(bp)));
    for (int s = 1; s <= 2; ++s)
        entries.push_back(std::make_unique<CAction>(
            nat::pointConstruit,
            std::make_unique<CPointLieBipoint>(raw, s, colour(), pointStyle())));
    if (!addValidated(*doc, std::move(entries))) return false;
    CListeAction& list = doc->list();
    nameNewPoint(*doc, list.elementAt(list.count() - 2));
    nameNewPoint(*doc, list.elementAt(list.count() - 1));
    return true;
}

// ---------------------------------------------------------------------------------------------
// Polygons and broken lines

bool COutilCreationPolygone::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    CActionAncetre* e = st.designatedObject;
    if (!e) return false;
    if (!designated_.empty() && e->element == designated_.front()) {
        if (closed()) onRightClick(view);
        return false;
    }
    designated_.push_back(e->element);
    st.blinkList.append(e);
    // The first vertex stays designable: a click on it closes the polygon.
    if (designated_.size() > 1) st.pendingList.append(e);
    if (view) view->startBlinking();
    return false;
}

bool COutilCreationPolygone::build(CPelvantiDoc* doc) {
    std::vector<CPointAncetre*> points;
    for (CElementBase* e : designated_)
        if (auto* p = dynamic_cast<CPointAncetre*>(e)) points.push_back(p);
    if (points.size() < 3) {
        toolMessageText("Un polygone ou une ligne brisée doit avoir\nau moins 3 sommets",
                        MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    ToolEntries out;
    if (closed()) {
        points.push_back(points.front());
        out.push_back(std::make_unique<CAction>(
            nat::polygone,
            std::make_unique<CPolygone>(points, colour(), lineStyle(), &doc->list())));
    } else {
        out.push_back(std::make_unique<CAction>(
            nat::ligneBrisee,
            std::make_unique<CLigneBrisee>(points, colour(), lineStyle(), &doc->list())));
    }
    return addValidated(*doc, std::move(out));
}

void COutilCreationPolygone::onRightClick(CPelvantiView* view) {
    // Ready for the next polygon whatever the outcome.
    completeAndRestart(view);
}

void COutilCreationLigneBrisee::onRightClick(CPelvantiView* view) {
    if (completeAndRestart(view)) revenirCapture(view);
}

// ---------------------------------------------------------------------------------------------
// The table

namespace {
using C = ToolContext;
constexpr Nature P = nat::point;
const std::vector<Nature> kTwoPoints{P, P};
const std::vector<Nature> kThreePoints{P, P, P};
const std::vector<Nature> kLineThenPoint{kLineLike, P};

ToolEntries buildFreePoint(C& c) {
    if (!c.doc) return {};
    return one(nat::pointLibre, std::make_unique<CPointBase>(c.x, c.y, colour(), pointStyle()));
}

ToolEntries buildLinked(C& c) {
    if (c.parents.empty() || !c.doc) return {};
    CElementBase* curve = c.parents[0];
    std::unique_ptr<CPointLie> p;
    if (auto* d = dynamic_cast<CDroite*>(curve))
        p = std::make_unique<CPointLieDroite>(d, 0.0, colour(), pointStyle());
    else if (auto* ci = dynamic_cast<CCercle*>(curve))
        p = std::make_unique<CPointLieCercle>(ci, 0.0, colour(), pointStyle());
    else if (auto* l = dynamic_cast<CLignePolygonaleAncetre*>(curve))
        p = std::make_unique<CPointLieLigne>(l, 0.0, colour(), pointStyle());
    if (!p) return {};
    // The point lands where the user clicked, as far as the curve allows.
    LSize area = activeDrawingArea();
    CViewBounds bounds({0, 0, area.cx, area.cy});
    double x, y, t;
    p->computePosition();
    if (p->positionFromMouse(bounds, c.x, c.y, &x, &y, &t)) p->abscissa = t;
    return one(nat::pointLie, std::move(p));
}

ToolEntries buildRightAngle(C& c) {
    auto* perp = c.parents.empty() ? nullptr : dynamic_cast<CDroitePerpendiculaire*>(c.parents[0]);
    if (!perp) {
        if (!c.preview) toolMessage(Msg::needPerpendicular, MB_OK | MB_ICONEXCLAMATION);
        return {};
    }
    return one(nat::marqueAngle,
               std::make_unique<CMarqueAngleDroit>(perp, kMarkRadius, colour(), lineStyle()));
}

ToolEntries buildSegmentMark(C& c) {
    auto* s = c.parents.empty() ? nullptr : dynamic_cast<CSegment*>(c.parents[0]);
    if (!s) return {};
    return one(nat::marqueSegment, std::make_unique<CMarqueSegment>(s, etatPalettes().segmentMark,
                                                                    colour(), lineStyle()));
}

template <class Mark>
ToolEntries buildMark(C& c) {
    return one(nat::marqueAngle, std::make_unique<Mark>(pt(c, 0), pt(c, 1), pt(c, 2), kMarkRadius,
                                                        colour(), lineStyle()));
}

template <class Mark>
ToolEntries buildOrientedMark(C& c) {
    return one(nat::marqueAngle,
               std::make_unique<Mark>(pt(c, 0), pt(c, 1), pt(c, 2), kMarkRadius,
                                      etatPalettes().arrowStyle, colour(), lineStyle()));
}
}  // namespace

const std::vector<ToolDesc>& constructionToolTable() {
    // clang-format off
    static const std::vector<ToolDesc> table = {
        {Cmd::freePoint, "Créer/Point", "Point libre", Msg::promptFreePoint, {}, 0, {}, false, "Créer point libre", buildFreePoint},
        {Cmd::midpoint, "Créer/Point", "Milieu", Msg::promptMidpoint1, kTwoPoints, 1, {Msg::needTwoPoints}, false, "Créer milieu",
         [](C& c) { return one(nat::pointConstruit, std::make_unique<CMilieu>(pt(c, 0), pt(c, 1), colour(), pointStyle())); }},
        {Cmd::centroid, "Créer/Point", "Centre de gravité", Msg::promptCentroid1, kThreePoints, 2, {Msg::needThreePoints}, true, "Créer centre de gravité",
         [](C& c) { return one(nat::pointConstruit, std::make_unique<CCentreGravite>(pt(c, 0), pt(c, 1), pt(c, 2), colour(), pointStyle())); }},
        {Cmd::projection, "Créer/Point", "Projeté orthogonal", Msg::promptProjection1, kLineThenPoint, 1, {Msg::needPointAndLine}, false, "Créer point projeté",
         [](C& c) { return one(nat::pointConstruit, std::make_unique<CPointProjete>(pt(c, 1), line(c, 0), colour(), pointStyle())); }},
        {Cmd::linkedPoint, "Créer/Point", "Point lié", Msg::promptLinkedPoint, {kLinkable}, 0, {Msg::needLinkable}, false, "Créer point lié", buildLinked},
        {Cmd::intersection, "Créer", "Intersection de deux objets", Msg::promptIntersection1, {kLineOrCircle, kLineOrCircle}, 0, {Msg::needTwoCurves}, false, "Créer intersection", nullptr},
        {Cmd::secondIntersectionCircles, "Créer/Point/Deuxième point d'intersection", "de deux cercles", Msg::promptSecondIntersectionCircles1, {kCircles, kCircles}, 0, {Msg::needTwoCircles}, true, "Créer deuxième point d'intersection", nullptr},
        {Cmd::secondIntersectionLineCircle, "Créer/Point/Deuxième point d'intersection", "d'une droite et un cercle", Msg::promptSecondIntersectionLineCircle1, {kLineLike, kCircles}, 0, {Msg::needLineAndCircle}, true, "Créer deuxième point d'intersection", nullptr},
        {Cmd::lineTwoPoints, "Créer/Ligne/Droite", "Passant par deux points", Msg::promptLine1, kTwoPoints, 1, {Msg::needTwoPoints}, false, "Créer droite par deux points",
         [](C& c) { return one(nat::droite, std::make_unique<CDroiteAB>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {Cmd::parallel, "Créer/Ligne/Droite", "Parallèle", Msg::promptParallel1, kLineThenPoint, 1, {Msg::needPointAndLine}, false, "Créer droite parallèle",
         [](C& c) { return one(nat::droite, std::make_unique<CDroiteParallele>(pt(c, 1), line(c, 0), colour(), lineStyle())); }},
        {Cmd::perpendicular, "Créer/Ligne/Droite", "Perpendiculaire", Msg::promptPerpendicular1, kLineThenPoint, 1, {Msg::needPointAndLine}, false, "Créer droite perpendiculaire",
         [](C& c) { return one(nat::droite, std::make_unique<CDroitePerpendiculaire>(pt(c, 1), line(c, 0), colour(), lineStyle())); }},
        {Cmd::perpBisector, "Créer/Ligne/Droite", "Médiatrice", Msg::promptPerpBisector1, kTwoPoints, 1, {Msg::needTwoPoints}, false, "Créer médiatrice",
         [](C& c) { return one(nat::droite, std::make_unique<CMediatrice>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {Cmd::angleBisector, "Créer/Ligne/Droite", "Bissectrice", Msg::promptAngleBisector1, kThreePoints, 2, {Msg::needThreePoints}, false, "Créer bissectrice",
         [](C& c) { return one(nat::droite, std::make_unique<CBissectrice>(pt(c, 0), pt(c, 1), pt(c, 2), colour(), lineStyle())); }},
        {Cmd::horizontalLine, "Créer/Ligne/Droite", "Droite Horizontale", Msg::promptHorizontalLine, {P}, 0, {Msg::needPoint}, false, "Créer droite horizontale",
         [](C& c) { return one(nat::droite, std::make_unique<CDroiteDirectionFixe>(pt(c, 0), true, 1.0, colour(), lineStyle())); }},
        {Cmd::verticalLine, "Créer/Ligne/Droite", "Droite Verticale", Msg::promptVerticalLine, {P}, 0, {Msg::needPoint}, true, "Créer droite verticale",
         [](C& c) { return one(nat::droite, std::make_unique<CDroiteDirectionFixe>(pt(c, 0), false, 1.0, colour(), lineStyle())); }},
        {Cmd::segment, "Créer/Ligne", "Segment", Msg::promptSegment1, kTwoPoints, 1, {Msg::needTwoPoints}, false, "Créer segment",
         [](C& c) { return one(nat::segment, std::make_unique<CSegment>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {Cmd::halfLine, "Créer/Ligne", "Demi-droite", Msg::promptHalfLine1, kTwoPoints, 1, {Msg::needTwoPoints}, false, "Créer demi-droite",
         [](C& c) { return one(nat::demiDroite, std::make_unique<CDemiDroiteOA>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {Cmd::vector, "Créer/Ligne", "Vecteur", Msg::promptVector1, kTwoPoints, 1, {Msg::needTwoPoints}, false, "Créer vecteur",
         [](C& c) { return one(nat::vecteur, std::make_unique<CVecteur>(pt(c, 0), pt(c, 1), etatPalettes().arrowStyle, colour(), lineStyle())); }},
        {Cmd::circleCentrePoint, "Créer/Ligne/Cercle", "Par centre et point", Msg::promptCircle1, kTwoPoints, 1, {Msg::needTwoPoints}, false, "Créer cercle par centre et point",
         [](C& c) { return one(nat::cercle, std::make_unique<CCercleOA>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {Cmd::polygon, "Créer/Ligne", "Polygone", Msg::promptPolygon, {P}, 0, {Msg::needThreePoints}, false, "Créer polygône", nullptr},
        {Cmd::brokenLine, "Créer/Ligne", "Ligne brisée", Msg::promptBrokenLine, {P}, 0, {Msg::needThreePoints}, false, "Créer ligne brisée", nullptr},
        {Cmd::angleMark, "Créer/Marque d'angle", "Non orienté  par trois points", Msg::promptAngleMark1, kThreePoints, 2, {Msg::needThreePoints}, false, "Créer marque d'angle géométrique",
         buildMark<CMarqueAngleGeometrique>},
        {Cmd::orientedAngleMark, "Créer/Marque d'angle", "Orienté", Msg::promptOrientedAngleMark1, kThreePoints, 2, {Msg::needThreePoints}, true, "Créer marque d'angle orienté",
         buildOrientedMark<CMarqueAngleOriente>},
        {Cmd::directAngleMark, "Créer/Marque d'angle", "Orienté sens direct", Msg::promptDirectAngleMark1, kThreePoints, 2, {Msg::needThreePoints}, true, "Créer marque d'angle orienté",
         buildOrientedMark<CMarqueAngleOrienteDirecte>},
        {Cmd::indirectAngleMark, "Créer/Marque d'angle", "Orienté sens indirect", Msg::promptIndirectAngleMark1, kThreePoints, 2, {Msg::needThreePoints}, true, "Créer marque d'angle orienté",
         buildOrientedMark<CMarqueAngleOrienteIndirecte>},
        {Cmd::rightAngleMark, "Créer/Marque d'angle", "Marque d'angle droit non orientée", Msg::promptRightAngleMark, {nat::droite}, 0, {Msg::needPerpendicular}, true, "Créer marque d'angle droit", buildRightAngle},
        {Cmd::segmentMark, "Créer", "Marque de segment", Msg::promptSegmentMark, {nat::segment}, 0, {Msg::needSegment}, false, "Créer marque de segment", buildSegmentMark},
    };
    // clang-format on
    return table;
}
