#include "view/COutilsConstruction.h"

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
#include "view/ToolTexts.h"

namespace {
constexpr Nature kLineLike = natureMask(0xf0, 0);
constexpr Nature kLineOrCircle = natureMask(0x9f0, 0);
constexpr Nature kCircles = natureMask(0x900, 0);
constexpr Nature kLinkable = natureMask(0x209f0, 0x1);
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

// Counts the visible existing objects of a nature group.
int countVisible(const CPelvantiDoc& doc, Nature mask,
                 bool (*extra)(const CElementBase*) = nullptr) {
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
        return p && !p->isInWindow() ? 1148 : 0;
    }
    if (e->nature & nat::droite) {
        auto* d = dynamic_cast<const CDroite*>(e->element);
        return d && lineMissesWindow(*d, false) ? 1155 : 0;
    }
    if (e->nature & nat::demiDroite) {
        auto* d = dynamic_cast<const CDroite*>(e->element);
        return d && lineMissesWindow(*d, true) ? 1156 : 0;
    }
    if (e->nature & nat::cercle) {
        auto* c = dynamic_cast<const CCercle*>(e->element);
        return c && circleMissesWindow(*c) ? 1157 : 0;
    }
    return 0;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Preconditions and validation

bool preconditionHolds(int id, CPelvantiDoc& doc) {
    switch (id) {
        case 1436:
            return countVisible(doc, nat::point) >= 3;
        case 1437:
            return countVisible(doc, nat::point) >= 2;
        case 1438:
            return countVisible(doc, nat::point) >= 1 && countVisible(doc, kLineLike) >= 1;
        case 1439:
            return countVisible(doc, nat::point) >= 1;
        case 1441:
            return countVisible(doc, nat::pointOuDroite) >= 1;
        case 1442:
            return countVisible(doc, kLinkable) >= 1;
        case 1443:
            return countVisible(doc, kLineOrCircle) >= 2;
        case 1450:
        case 1474:
            return countVisible(doc, nat::graphique) >= 1;
        case 1451:
            return isMaskedGraphic(doc);
        case 1458:
            return countVisible(doc, natureMask(0x10004, 0)) >= 1;
        case 1465:
            return countVisible(doc, nat::pointLibre) >= 1;
        case 1470:
            return countVisible(doc, natureMask(0x5, 0)) >= 1;
        case 1476:
            return countVisible(doc, natureMask(0x5, 0), isPinned) >= 1;
        case 1477:
            return countVisible(doc, kCircles) >= 2;
        case 1478:
            return countVisible(doc, kLineLike) >= 1 && countVisible(doc, kCircles) >= 1;
        case 1486:
            return countVisible(doc, nat::droite, isPerpendicular) >= 1;
        case 1499:
            return countVisible(doc, nat::segment) >= 1;
        case 1539:
            return countVisible(doc, kLineLike) >= 2;
        case 1576:
            return countVisible(doc, nat::point) >= 1 && countVisible(doc, kCircles) >= 1;
        case 1241:
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
        toolMessage(1119, MB_OK | MB_ICONEXCLAMATION);
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
        if (toolMessage(1187, MB_YESNO | MB_ICONQUESTION) != IDYES) {
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

bool COutilDesigne::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    for (int id : desc_.unavailable)
        if (!preconditionHolds(id, *view->document())) {
            toolMessage(id, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    return true;
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
bool isCircle(CElementBase* e) {
    return dynamic_cast<CCercle*>(e) != nullptr;
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
    return out;
}
}  // namespace

bool COutilIntersection::build(CPelvantiDoc* doc) {
    if (designated_.size() < 2) return false;
    CElementBase* a = designated_[0];
    CElementBase* b = designated_[1];
    const bool ca = isCircle(a), cb = isCircle(b);
    if (!ca && !cb) {
        auto* d1 = dynamic_cast<CDroite*>(a);
        auto* d2 = dynamic_cast<CDroite*>(b);
        if (!d1 || !d2) return false;
        auto p = std::make_unique<CIntDroiteDroite>(d1, d2, colour(), pointStyle());
        p->computePosition();
        if (!p->exists) {
            toolMessage(1200, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        return addValidated(*doc, one(nat::pointConstruit, std::move(p)));
    }
    std::vector<CPointAncetre*> found = existingIntersections(*doc, a, b);
    if (found.size() >= 2) {
        toolMessageText("Les ou les points d'intersection sont déjà créés\n Création abandonnée",
                        MB_OK | MB_ICONEXCLAMATION);
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
    if (desc_.command == 32961 || desc_.command == 32962) {
        toolMessage(1200, MB_OK | MB_ICONEXCLAMATION);
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
        toolMessage(1200, MB_OK | MB_ICONEXCLAMATION);
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
        if (!c.preview) toolMessage(1486, MB_OK | MB_ICONEXCLAMATION);
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
        {32779, "Créer/Point", "Point libre", 1001, {}, 0, {}, false, "Créer point libre", buildFreePoint},
        {32781, "Créer/Point", "Milieu", 1010, kTwoPoints, 1, {1437}, false, "Créer milieu",
         [](C& c) { return one(nat::pointConstruit, std::make_unique<CMilieu>(pt(c, 0), pt(c, 1), colour(), pointStyle())); }},
        {33063, "Créer/Point", "Centre de gravité", 1428, kThreePoints, 2, {1436}, true, "Créer centre de gravité",
         [](C& c) { return one(nat::pointConstruit, std::make_unique<CCentreGravite>(pt(c, 0), pt(c, 1), pt(c, 2), colour(), pointStyle())); }},
        {32780, "Créer/Point", "Projeté orthogonal", 1185, kLineThenPoint, 1, {1438}, false, "Créer point projeté",
         [](C& c) { return one(nat::pointConstruit, std::make_unique<CPointProjete>(pt(c, 1), line(c, 0), colour(), pointStyle())); }},
        {32800, "Créer/Point", "Point lié", 1047, {kLinkable}, 0, {1442}, false, "Créer point lié", buildLinked},
        {32805, "Créer", "Intersection de deux objets", 1078, {kLineOrCircle, kLineOrCircle}, 0, {1443}, false, "Créer intersection", nullptr},
        {32961, "Créer/Point/Deuxième point d'intersection", "de deux cercles", 1197, {kCircles, kCircles}, 0, {1477}, true, "Créer deuxième point d'intersection", nullptr},
        {32962, "Créer/Point/Deuxième point d'intersection", "d'une droite et un cercle", 1203, {kLineLike, kCircles}, 0, {1478}, true, "Créer deuxième point d'intersection", nullptr},
        {32783, "Créer/Ligne/Droite", "Passant par deux points", 1002, kTwoPoints, 1, {1437}, false, "Créer droite par deux points",
         [](C& c) { return one(nat::droite, std::make_unique<CDroiteAB>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {32787, "Créer/Ligne/Droite", "Parallèle", 1006, kLineThenPoint, 1, {1438}, false, "Créer droite parallèle",
         [](C& c) { return one(nat::droite, std::make_unique<CDroiteParallele>(pt(c, 1), line(c, 0), colour(), lineStyle())); }},
        {32786, "Créer/Ligne/Droite", "Perpendiculaire", 1008, kLineThenPoint, 1, {1438}, false, "Créer droite perpendiculaire",
         [](C& c) { return one(nat::droite, std::make_unique<CDroitePerpendiculaire>(pt(c, 1), line(c, 0), colour(), lineStyle())); }},
        {32790, "Créer/Ligne/Droite", "Médiatrice", 1016, kTwoPoints, 1, {1437}, false, "Créer médiatrice",
         [](C& c) { return one(nat::droite, std::make_unique<CMediatrice>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {32791, "Créer/Ligne/Droite", "Bissectrice", 1018, kThreePoints, 2, {1436}, false, "Créer bissectrice",
         [](C& c) { return one(nat::droite, std::make_unique<CBissectrice>(pt(c, 0), pt(c, 1), pt(c, 2), colour(), lineStyle())); }},
        {32862, "Créer/Ligne/Droite", "Droite Horizontale", 1096, {P}, 0, {1439}, false, "Créer droite horizontale",
         [](C& c) { return one(nat::droite, std::make_unique<CDroiteDirectionFixe>(pt(c, 0), true, 1.0, colour(), lineStyle())); }},
        {32863, "Créer/Ligne/Droite", "Droite Verticale", 1097, {P}, 0, {1439}, true, "Créer droite verticale",
         [](C& c) { return one(nat::droite, std::make_unique<CDroiteDirectionFixe>(pt(c, 0), false, 1.0, colour(), lineStyle())); }},
        {32784, "Créer/Ligne", "Segment", 1004, kTwoPoints, 1, {1437}, false, "Créer segment",
         [](C& c) { return one(nat::segment, std::make_unique<CSegment>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {32840, "Créer/Ligne", "Demi-droite", 1028, kTwoPoints, 1, {1437}, false, "Créer demi-droite",
         [](C& c) { return one(nat::demiDroite, std::make_unique<CDemiDroiteOA>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {32788, "Créer/Ligne", "Vecteur", 1012, kTwoPoints, 1, {1437}, false, "Créer vecteur",
         [](C& c) { return one(nat::vecteur, std::make_unique<CVecteur>(pt(c, 0), pt(c, 1), etatPalettes().arrowStyle, colour(), lineStyle())); }},
        {32794, "Créer/Ligne/Cercle", "Par centre et point", 1014, kTwoPoints, 1, {1437}, false, "Créer cercle par centre et point",
         [](C& c) { return one(nat::cercle, std::make_unique<CCercleOA>(pt(c, 0), pt(c, 1), colour(), lineStyle())); }},
        {32864, "Créer/Ligne", "Polygone", 1208, {P}, 0, {1436}, false, "Créer polygône", nullptr},
        {33056, "Créer/Ligne", "Ligne brisée", 1427, {P}, 0, {1436}, false, "Créer ligne brisée", nullptr},
        {32841, "Créer/Marque d'angle", "Non orienté  par trois points", 1021, kThreePoints, 2, {1436}, false, "Créer marque d'angle géométrique",
         buildMark<CMarqueAngleGeometrique>},
        {32842, "Créer/Marque d'angle", "Orienté", 1221, kThreePoints, 2, {1436}, true, "Créer marque d'angle orienté",
         buildOrientedMark<CMarqueAngleOriente>},
        {33047, "Créer/Marque d'angle", "Orienté sens direct", 1411, kThreePoints, 2, {1436}, true, "Créer marque d'angle orienté",
         buildOrientedMark<CMarqueAngleOrienteDirecte>},
        {33048, "Créer/Marque d'angle", "Orienté sens indirect", 1416, kThreePoints, 2, {1436}, true, "Créer marque d'angle orienté",
         buildOrientedMark<CMarqueAngleOrienteIndirecte>},
        {33084, "Créer/Marque d'angle", "Marque d'angle droit non orientée", 1485, {nat::droite}, 0, {1486}, true, "Créer marque d'angle droit", buildRightAngle},
        {33091, "Créer", "Marque de segment", 1498, {nat::segment}, 0, {1499}, false, "Créer marque de segment", buildSegmentMark},
    };
    // clang-format on
    return table;
}
