#include "view/CCapture.h"

#include <QPainter>
#include <cmath>

#include "core/CHost.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "core/PointerMap.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CAffichage.h"
#include "geometry/CCercle.h"
#include "geometry/CPointLie.h"
#include "view/CFigureRenderer.h"
#include "view/COutilsConstruction.h"
#include "view/CPelvantiView.h"
#include "view/CToolOverlay.h"
#include "view/ToolTexts.h"

namespace {
CViewBounds boundsOf(CPelvantiView* view) {
    LSize a = view->drawingArea();
    return CViewBounds({0, 0, a.cx, a.cy});
}
}  // namespace

COutilCapture& captureTool() {
    static COutilCapture tool;
    return tool;
}

CGestionSourisCapture& captureHandler() {
    static CGestionSourisCapture h;
    return h;
}

COutilCapture::COutilCapture() {
    etatOutils().captureTool = this;
}

std::string COutilCapture::prompt(int step) const {
    return toolText(Msg::promptCapture1 + step);
}

bool COutilCapture::activate(CPelvantiView* view) {
    if (!view) {
        COutil::activate(view);
        return false;
    }
    deactivate(view);
    COutil::activate(view);
    EtatOutils& st = etatOutils();
    CPelvantiDoc* doc = view->document();
    st.natureFilter = kMovablePoints;
    if (!doc->displaysPinned)
        st.natureFilter =
            kMovablePoints | nat::valeurAffichee | nat::commentaire | nat::macro | nat::image;
    if (!doc->angleMarksPinned) st.natureFilter |= nat::marqueAngle;
    installHandler(captureHandler(), view);
    // Pinned points are never offered.
    st.pendingList.clear();
    for (CActionAncetre* e : doc->graphicList().entries()) {
        if (!(e->nature & kMovablePoints)) continue;
        auto* p = dynamic_cast<CPointAncetrePointsMobiles*>(e->element);
        if (p && !p->masked && !p->mobile) st.pendingList.append(e);
    }
    return true;
}

void COutilCapture::deactivate(CPelvantiView* view) {
    COutil::deactivate(view);
    dependents.clear();
    captureHandler().traced.clear();
}

void COutilCapture::startDrag(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    st.currentCursor = QCursor(Qt::ClosedHandCursor);
    if (view) view->setCursor(st.currentCursor);
}

void COutilCapture::endDrag(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    st.currentCursor = cursor;
    if (view) view->setCursor(cursor);
    dependents.clear();
}

void CGestionSourisCapture::reset(CPelvantiView* view) {
    // Escape, another tool or another figure while dragging: nothing was dropped, so nothing
    // changes and nothing is recorded.
    if (dragging) abandon(view);
    held_ = false;
    if (view) view->setCursor(etatOutils().currentCursor);
    CGestionSourisDesignation::reset(view);
}

void CGestionSourisCapture::abandon(CPelvantiView* view) {
    COutilCapture& tool = captureTool();
    CPelvantiView* owner = takenIn_.data();
    // The figure may have been closed or replaced meanwhile: then there is nothing to put back.
    if (owner && captured && owner->document()->list().contains(captured)) {
        putBack();
        tool.dependents.computeAll();
    }
    dragging = false;
    captured = nullptr;
    takenIn_.clear();
    still_ = CQtPicture(QImage());
    tool.endDrag(view);
    if (owner) owner->redraw();
}

void CGestionSourisCapture::putBack() {
    const Place& p = taken_;
    if (auto* lp = dynamic_cast<CPointLie*>(captured)) {
        lp->abscissa = p.abscissa;
    } else if (auto* point = dynamic_cast<CPointAncetre*>(captured)) {
        point->setPosition(p.x, p.y);
    } else if (auto* mark = dynamic_cast<CMarqueAngleAncetre*>(captured)) {
        mark->radius = p.radius;
    } else if (auto* display = dynamic_cast<CAffichageLieAPoint*>(captured)) {
        if (display->isTied())
            display->setNameOffset(p.offsetX, p.offsetY);
        else
            display->setNameAnchor(p.anchorX, p.anchorY);
    }
}

void CGestionSourisCapture::onLButtonDown(CPelvantiView* view, int x, int y) {
    EtatOutils& st = etatOutils();
    st.lastMouseX = x;
    st.lastMouseY = y;
    if (dragging) {
        // A click in another figure's window drops nothing there: the drag is abandoned.
        if (view != takenIn_.data())
            abandon(view);
        else
            drop(view);
        return;
    }
    if (!resolveClick(view, x, y)) return;
    take(view);
    held_ = dragging;
    movedWhileHeld_ = false;
    pressedAt_ = QPoint(x, y);
}

void CGestionSourisCapture::onLButtonUp(CPelvantiView* view, int x, int y) {
    const bool dragged = held_ && movedWhileHeld_;
    held_ = false;
    // A press, a move and a release drop where the button is let go; a plain click keeps the
    // object taken until the next click.
    if (!dragging || !dragged || view != takenIn_.data()) return;
    etatOutils().lastMouseX = x;
    etatOutils().lastMouseY = y;
    moveTo(view, x, y);
    drop(view);
}

void CGestionSourisCapture::take(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    COutilCapture& tool = captureTool();
    captured = st.designatedObject->element;
    takenIn_ = view;
    taken_ = Place{};
    if (auto* lp = dynamic_cast<CPointLie*>(captured)) {
        taken_.abscissa = lp->abscissa;
    } else if (auto* point = dynamic_cast<CPointAncetre*>(captured)) {
        taken_.x = point->x;
        taken_.y = point->y;
    } else if (auto* mark = dynamic_cast<CMarqueAngleAncetre*>(captured)) {
        taken_.radius = mark->radius;
    } else if (auto* display = dynamic_cast<CAffichageLieAPoint*>(captured)) {
        taken_.anchorX = display->nameAnchorX;
        taken_.anchorY = display->nameAnchorY;
        taken_.offsetX = display->nameOffsetX;
        taken_.offsetY = display->nameOffsetY;
    }
    tool.startDrag(view);
    CPelvantiDoc* doc = view->document();
    tool.dependents.clear();
    doc->list().buildDragList(captured, tool.dependents);
    view->stopBlinking();
    // The still part of the figure, drawn once.
    PointerMap<bool> moving;
    moving.reserve(tool.dependents.entries().size());
    for (CActionAncetre* e : tool.dependents.entries()) moving.insert(e, true);
    still_ = CQtPicture(
        renderStillPart(*doc, view->buffer().size(), view->drawingArea(),
                        [&](const CActionAncetre* e) { return moving.find(e) != nullptr; }));
    lastLogical_ = CPelvantiView::toLogical(st.lastMouseX, st.lastMouseY);
    dragging = true;
    setPrompt(tool.prompt(1));
}

void CGestionSourisCapture::useDesignation(CPelvantiView* view) {
    if (dragging || !etatOutils().designatedObject) return;
    take(view);
    held_ = false;
}

void CGestionSourisCapture::moveTo(CPelvantiView* view, int x, int y) {
    moveToLogical(view, CPelvantiView::toLogical(x, y));
}

void CGestionSourisCapture::moveBy(CPelvantiView* view, int dx, int dy) {
    if (!dragging || view != takenIn_.data()) return;
    LPoint from = lastLogical_;
    if (auto* p = dynamic_cast<CPointAncetre*>(captured))
        from = {static_cast<int>(std::lround(p->x)), static_cast<int>(std::lround(p->y))};
    moveToLogical(view, {from.x + dx * CPelvantiView::kLogicalPerPixel,
                         from.y + dy * CPelvantiView::kLogicalPerPixel});
}

void CGestionSourisCapture::moveToLogical(CPelvantiView* view, LPoint m) {
    if (!dragging || !captured) return;
    const CViewBounds bounds = boundsOf(view);
    double px, py, t;
    if (auto* lp = dynamic_cast<CPointLie*>(captured)) {
        // A refused position leaves the point where it is.
        if (!lp->positionFromMouse(bounds, m.x, m.y, &px, &py, &t)) return;
        lp->abscissa = t;
    } else if (auto* p = dynamic_cast<CPointAncetre*>(captured)) {
        if (!p->positionFromMouse(bounds, m.x, m.y, &px, &py)) return;
        p->setPosition(px, py);
    } else if (auto* mark = dynamic_cast<CMarqueAngleAncetre*>(captured)) {
        mark->radius = std::hypot(m.x - mark->centreX, m.y - mark->centreY);
    } else if (auto* display = dynamic_cast<CAffichageLieAPoint*>(captured)) {
        // A tied display keeps its point: only its place beside it changes.
        const double dx = m.x - lastLogical_.x, dy = m.y - lastLogical_.y;
        if (display->isTied())
            display->setNameOffset(display->nameOffsetX + dx, display->nameOffsetY + dy);
        else
            display->setNameAnchor(display->nameAnchorX + dx, display->nameAnchorY + dy);
    }
    lastLogical_ = m;
    captureTool().dependents.computeAll();
    paintMoving(view);
}

void CGestionSourisCapture::paintMoving(CPelvantiView* view) {
    CListeAction& moving = captureTool().dependents;
    CDrawingState& ds = drawingState();
    const LSize area = view->drawingArea();
    if (!traced.empty() && !still_.image.isNull()) {
        // Drawn into the still picture, each position of the traced objects stays.
        QPainter painter(&still_.image);
        CQtDC dc(painter, {0, 0, area.cx, area.cy}, 1.0 / CPelvantiView::kLogicalPerPixel,
                 &still_.image);
        traced.drawAll(&dc, ds.hideMasked, ds.respectNameHidden);
    }
    view->withBufferDC(
        [&](CDC& dc) {
            dc.drawPicture(still_, {0, 0, area.cx, area.cy});
            moving.drawAll(&dc, ds.hideMasked, ds.respectNameHidden);
        },
        moving.count() > kRoughDragObjects);
    view->showBuffer();
}

void CGestionSourisCapture::onMouseMove(CPelvantiView* view, int x, int y) {
    if (dragging) {
        // Only the window of the figure being dragged moves it.
        if (view != takenIn_.data()) return;
        if (held_ && (QPoint(x, y) - pressedAt_).manhattanLength() > kClickSlop)
            movedWhileHeld_ = true;
        moveTo(view, x, y);
    } else
        CGestionSourisDesignation::onMouseMove(view, x, y);
}

void CGestionSourisCapture::drop(CPelvantiView* view) {
    COutilCapture& tool = captureTool();
    dragging = false;
    held_ = false;
    captured = nullptr;
    takenIn_.clear();
    tool.endDrag(view);
    still_ = CQtPicture(QImage());
    view->redraw();
    view->stopBlinking();
    tool.activate(view);
    view->document()->history().record("Capture");
    view->setModified(true);
    emit view->figureChanged();
}

// ---------------------------------------------------------------------------------------------
// Pins

std::string COutilPunaise::prompt(int) const {
    return toolText(pin_ ? Msg::promptPin : Msg::promptUnpin);
}

bool COutilPunaise::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    const int id = pin_ ? Msg::needMovablePoint : Msg::needPinnedPoint;
    if (preconditionHolds(id, *view->document())) return true;
    toolMessage(id, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool COutilPunaise::activate(CPelvantiView* view) {
    COutil::activate(view);
    EtatOutils& st = etatOutils();
    st.natureFilter = kMovablePoints;
    st.blinkList.clear();
    if (view)
        for (CActionAncetre* e : view->document()->graphicList().entries()) {
            auto* p = dynamic_cast<CPointAncetrePointsMobiles*>(e->element);
            if (!(e->nature & kMovablePoints) || !p || !p->exists || p->masked) continue;
            if (pin_ || !p->mobile) st.blinkList.append(e);
        }
    installHandler(blinkingHandler(), view);
    if (view) view->startBlinking();
    return true;
}

void COutilPunaise::deactivate(CPelvantiView* view) {
    if (view) view->stopBlinking();
    COutil::deactivate(view);
}

bool COutilPunaise::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    auto* p = st.designatedObject
                  ? dynamic_cast<CPointAncetrePointsMobiles*>(st.designatedObject->element)
                  : nullptr;
    if (!p || !view) return false;
    if (view) view->stopBlinking();
    p->mobile = !pin_;
    toolMessageText(pin_ ? "Le point cliqué\na été punaisé" : "Le point cliqué\na été dépunaisé",
                    MB_OK | MB_ICONINFORMATION);
    view->document()->history().record(undoLabel());
    view->setModified(true);
    view->redraw();
    emit view->figureChanged();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Translation of the figure

namespace {
class CGestionSourisTranslation : public CGestionSouris {
public:
    bool holding = false;
    int lastX = 0, lastY = 0;
    bool moved = false;

    void reset(CPelvantiView*) override { holding = false; }
    void onLButtonDown(CPelvantiView*, int x, int y) override {
        holding = true;
        moved = false;
        lastX = x;
        lastY = y;
    }
    void onMouseMove(CPelvantiView* view, int x, int y) override {
        if (!holding || !view) return;
        const double dx = (x - lastX) * CPelvantiView::kLogicalPerPixel;
        const double dy = (y - lastY) * CPelvantiView::kLogicalPerPixel;
        if (dx == 0 && dy == 0) return;
        lastX = x;
        lastY = y;
        moved = true;
        view->document()->translateFigure(dx, dy, !preferences().displaysTranslation);
        view->recomputeAndRedraw();
    }
    void onLButtonUp(CPelvantiView* view, int x, int y) override {
        if (!holding) return;
        onMouseMove(view, x, y);
        holding = false;
        if (moved && view) {
            view->document()->history().record("Translater la figure");
            view->setModified(true);
            emit view->figureChanged();
        }
    }
};

CGestionSourisTranslation& translationHandler() {
    static CGestionSourisTranslation h;
    return h;
}
}  // namespace

COutilTranslation::COutilTranslation() {
    cursor = QCursor(Qt::SizeAllCursor);
}

std::string COutilTranslation::prompt(int) const {
    return toolText(Msg::promptTranslate);
}

bool COutilTranslation::activate(CPelvantiView* view) {
    COutil::activate(view);
    etatOutils().natureFilter = 0;
    installHandler(translationHandler(), view);
    return true;
}
