#include "view/CKeyboardTools.h"

#include <QTimerEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "calc/NumberFormat.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "view/CCapture.h"
#include "view/CFigureAccessible.h"
#include "view/CFigureRenderer.h"
#include "view/CGestionSouris.h"
#include "view/COutilsConstruction.h"
#include "view/CPelvantiView.h"
#include "view/CToolOverlay.h"
#include "view/ToolTexts.h"

CKeyboardTools& keyboardTools() {
    static CKeyboardTools k;
    return k;
}

namespace {
constexpr int kFastStep = 10;

CGestionSourisDesignation* designationHandler() {
    return dynamic_cast<CGestionSourisDesignation*>(etatOutils().mouseHandler);
}

bool holdingObject() {
    return etatOutils().mouseHandler == &captureHandler() && captureHandler().dragging;
}

int distanceAt(CElementGraphique* g, int px, int py) {
    const LPoint p = CPelvantiView::toLogical(px, py);
    const int d = g->designationDistance(p.x, p.y, drawingState().hideMasked);
    return d < 0 ? kNotDesignable : d;
}
}  // namespace

QPoint designationPoint(CPelvantiView* view, CActionAncetre* e) {
    if (auto* p = dynamic_cast<CPointAncetre*>(e->element))
        return {static_cast<int>(std::lround(p->x / CPelvantiView::kLogicalPerPixel)),
                static_cast<int>(std::lround(p->y / CPelvantiView::kLogicalPerPixel))};
    auto* g = static_cast<CElementGraphique*>(e->element);
    QRect r = objectBounds(view, g);
    if (r.isEmpty()) r = view->rect();
    // A connected drawing crosses the middle lines of its box; surfaces and texts fill it.
    QPoint best = r.center();
    int bestDistance = distanceAt(g, best.x(), best.y());
    auto look = [&](QPoint from, QPoint to) {
        const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
        for (int k = 0; k <= steps && bestDistance > 0; ++k) {
            const QPoint p = from + (to - from) * k / std::max(steps, 1);
            const int d = distanceAt(g, p.x(), p.y());
            if (d < bestDistance) bestDistance = d, best = p;
        }
    };
    look({r.left(), r.center().y()}, {r.right(), r.center().y()});
    look({r.center().x(), r.top()}, {r.center().x(), r.bottom()});
    look(r.topLeft(), r.bottomRight());
    look(r.bottomLeft(), r.topRight());
    return best;
}

std::vector<CActionAncetre*> CKeyboardTools::candidates(CPelvantiView* view) {
    const EtatOutils& st = etatOutils();
    CGestionSourisDesignation* h = designationHandler();
    if (!view || !h || !st.natureFilter || holdingObject()) return {};
    const bool hide = drawingState().hideMasked;
    const bool maskedOnly = h->mode() == DesignationMode::maskedOnly;
    std::vector<CActionAncetre*> points, others;
    for (CActionAncetre* e : h->designationList(view).entries()) {
        if (!(e->nature & st.natureFilter) || bucketOfBit(natureBitNumber(e->nature)) < 0) continue;
        auto* g = dynamic_cast<CElementGraphique*>(e->element);
        if (!g || !g->exists || st.pendingList.contains(g)) continue;
        if (maskedOnly ? !g->masked : (g->masked && hide)) continue;
        if (e->nature & nat::point) {
            // A point outside the window is out of the mouse's reach.
            if (auto* p = dynamic_cast<CPointAncetre*>(g); p && !p->isInWindow()) continue;
            points.push_back(e);
        } else {
            others.push_back(e);
        }
    }
    // Points first, as a click prefers them.
    points.insert(points.end(), others.begin(), others.end());
    return points;
}

bool CKeyboardTools::belongsTo(const CPelvantiView* view) const {
    return view && view_.data() == view && tool_ == etatOutils().currentTool;
}

CActionAncetre* CKeyboardTools::candidate(CPelvantiView* view) const {
    if (!candidate_ || !belongsTo(view)) return nullptr;
    for (CActionAncetre* e : candidates(view))
        if (e->element == candidate_) return e;
    return nullptr;
}

bool CKeyboardTools::cursorShown(const CPelvantiView* view) const {
    return cursorShown_ && belongsTo(view);
}

void CKeyboardTools::reset(CPelvantiView* view) {
    const bool shown = candidate_ || cursorShown_;
    candidate_ = nullptr;
    cursorShown_ = false;
    blink_.stop();
    view_ = view;
    tool_ = etatOutils().currentTool;
    if (shown && view) {
        if (CFigureAccessible* a = figureAccessible(view)) a->setCandidate(nullptr);
        CToolOverlay::refresh(view);
    }
}

void CKeyboardTools::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId()) return QObject::timerEvent(event);
    phase_ = !phase_;
    if (!view_ || !candidate(view_)) blink_.stop();
    if (view_) CToolOverlay::refresh(view_);
}

bool CKeyboardTools::onKey(CPelvantiView* view, int key, Qt::KeyboardModifiers modifiers) {
    if (!belongsTo(view)) reset(view);
    const int step = (modifiers & Qt::ShiftModifier) ? kFastStep : 1;
    switch (key) {
        case Qt::Key_Tab:
            return cycle(view, true);
        case Qt::Key_Backtab:
            return cycle(view, false);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return enter(view);
        case Qt::Key_Left:
            return arrow(view, -step, 0);
        case Qt::Key_Right:
            return arrow(view, step, 0);
        case Qt::Key_Up:
            return arrow(view, 0, -step);
        case Qt::Key_Down:
            return arrow(view, 0, step);
        case Qt::Key_Escape:
            // Escape keeps its meaning for the tools; the keyboard's choices go with it.
            reset(view);
            return false;
        default:
            return false;
    }
}

bool CKeyboardTools::cycle(CPelvantiView* view, bool forward) {
    const std::vector<CActionAncetre*> offered = candidates(view);
    if (offered.empty()) return holdingObject();
    const int n = static_cast<int>(offered.size());
    auto it = std::find_if(offered.begin(), offered.end(),
                           [this](CActionAncetre* e) { return e->element == candidate_; });
    int i = it == offered.end()
                ? (forward ? 0 : n - 1)
                : (static_cast<int>(it - offered.begin()) + (forward ? 1 : -1) + n) % n;
    CActionAncetre* e = offered[i];
    candidate_ = e->element;
    cursorShown_ = false;
    phase_ = true;
    blink_.start(CPelvantiView::kBlinkPeriod, this);
    // Named next to it as the mouse's label would be, and spoken through the focus.
    if (CGestionSouris* h = etatOutils().mouseHandler) {
        const QPoint p = designationPoint(view, e);
        h->eraseTooltip(view);
        h->tooltipText = accessibleName(e).toStdString();
        h->showTooltip(view, p.x(), p.y());
    }
    if (CFigureAccessible* a = figureAccessible(view)) a->setCandidate(candidate_);
    CToolOverlay::refresh(view);
    return true;
}

bool CKeyboardTools::enter(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (holdingObject()) {
        captureHandler().onLButtonDown(view, st.lastMouseX, st.lastMouseY);
        reset(view);
        return true;
    }
    CGestionSourisDesignation* h = designationHandler();
    if (CActionAncetre* e = candidate(view); e && h) {
        const QPoint p = designationPoint(view, e);
        reset(view);
        st.lastMouseX = p.x();
        st.lastMouseY = p.y();
        h->eraseTooltip(view);
        st.designatedObject = e;
        h->useDesignation(view);
        return true;
    }
    if (!cursorShown(view) || !st.mouseHandler) return false;
    // A click where the cursor stands.
    const QPoint p = cursor_;
    CGestionSouris* m = st.mouseHandler;
    m->onLButtonDown(view, p.x(), p.y());
    if (st.mouseHandler == m) m->onLButtonUp(view, p.x(), p.y());
    return true;
}

bool CKeyboardTools::arrow(CPelvantiView* view, int dx, int dy) {
    EtatOutils& st = etatOutils();
    if (holdingObject()) {
        captureHandler().moveBy(view, dx, dy);
        return true;
    }
    if (!st.mouseHandler) return false;
    if (!cursorShown_) cursor_ = QPoint(view->width() / 2, view->height() / 2);
    if (candidate_) reset(view);
    cursorShown_ = true;
    cursor_ = QPoint(std::clamp(cursor_.x() + dx, 0, view->width() - 1),
                     std::clamp(cursor_.y() + dy, 0, view->height() - 1));
    st.lastMouseX = cursor_.x();
    st.lastMouseY = cursor_.y();
    st.mouseHandler->onMouseMove(view, cursor_.x(), cursor_.y());
    CToolOverlay::refresh(view);
    return true;
}

// ---------------------------------------------------------------------------------------------

namespace {
bool readNumber(std::string text, double* out) {
    std::replace(text.begin(), text.end(), ',', '.');
    char* end = nullptr;
    *out = std::strtod(text.c_str(), &end);
    while (end && *end == ' ') ++end;
    return end && end != text.c_str() && *end == '\0' && std::isfinite(*out);
}
}  // namespace

bool createFreePointAt(CPelvantiView* view) {
    if (!view) return false;
    CPelvantiDoc* doc = view->document();
    double unit = 0;
    const bool inUnits = unitLengthDistance(&doc->list(), &unit) && unit > 0;
    const double scale = inUnits ? unit : CPelvantiView::kLogicalPerPixel;
    const std::string in = inUnits ? " (en unités) :" : " (en pixels) :";
    const LPoint centre = view->zoomCentre();
    std::vector<std::string> values{formatNumber(centre.x / scale, 12, 2),
                                    formatNumber(centre.y / scale, 12, 2)};
    double x = 0, y = 0;
    for (;;) {
        if (!toolDialogs().editFields(
                "Point libre par coordonnées",
                {"Abscisse depuis le bord gauche" + in, "Ordonnée depuis le bord haut" + in},
                values))
            return false;
        if (values.size() == 2 && readNumber(values[0], &x) && readNumber(values[1], &y) &&
            std::isfinite(x * scale) && std::isfinite(y * scale))
            break;
        toolMessageText("Les deux coordonnées doivent être des nombres",
                        MB_OK | MB_ICONEXCLAMATION);
    }
    const EtatPalettes& pal = etatPalettes();
    ToolEntries entries;
    entries.push_back(std::make_unique<CAction>(
        nat::pointLibre,
        std::make_unique<CPointBase>(x * scale, y * scale, static_cast<int8_t>(pal.colour),
                                     pal.pointStyle)));
    if (!addValidated(*doc, std::move(entries))) {
        view->recomputeAndRedraw();
        return false;
    }
    doc->history().record("Créer point libre");
    view->recomputeAndRedraw();
    view->setModified(true);
    emit view->figureChanged();
    return true;
}
