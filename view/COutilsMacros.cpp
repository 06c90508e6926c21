#include "view/COutilsMacros.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "macros/CMacroKinds.h"
#include "macros/MacroRun.h"
#include "view/CFigureRenderer.h"
#include "view/CGestionSouris.h"
#include "view/CPelvantiView.h"
#include "view/CQtHost.h"
#include "view/ToolTexts.h"

namespace {
CPelvantiView* gRunningView = nullptr;
struct Deferred {
    QPointer<QObject> owner;
    std::function<void()> action;
};
std::vector<Deferred> gDeferred;

// True when the figure holds a macro the user can click.
bool hasVisibleMacro(CPelvantiDoc& doc) {
    for (CActionAncetre* e : doc.graphicList().entries())
        if (auto* m = dynamic_cast<CMacro*>(e->element); m && !m->masked) return true;
    return false;
}
}  // namespace

CViewMacroContext::~CViewMacroContext() {
    view_->closeTraceDC();
}

CListeAction& CViewMacroContext::figure() {
    return view_->document()->list();
}

void CViewMacroContext::redraw() {
    view_->closeTraceDC();
    view_->redraw();
}

void CViewMacroContext::beginMoving(const std::vector<CElementBase*>& moving) {
    CPelvantiDoc& doc = *view_->document();
    // The default macro's final state comes from the whole figure: each frame draws it all.
    if (doc.list().defaultMacro && drawingState().hideMasked) return;
    moving_ = {moving.begin(), moving.end()};
    movingEntries_.clear();
    for (CActionAncetre* e : doc.graphicList().entries())
        if (moving_.count(e->element)) movingEntries_.append(e);
    renderStill();
}

void CViewMacroContext::renderStill() {
    still_.image =
        renderStillPart(*view_->document(), view_->buffer().size(), view_->drawingArea(),
                        [this](const CActionAncetre* e) { return moving_.count(e->element) != 0; });
}

void CViewMacroContext::drawMoving() {
    if (moving_.empty()) return redraw();
    // The view was resized meanwhile.
    if (still_.image.size() != view_->buffer().size()) renderStill();
    const CDrawingState& ds = drawingState();
    const LSize area = view_->drawingArea();
    view_->withBufferDC([&](CDC& dc) {
        dc.drawPicture(still_, {0, 0, area.cx, area.cy});
        movingEntries_.drawAll(&dc, ds.hideMasked, ds.respectNameHidden);
    });
    view_->showBuffer();
}

void CViewMacroContext::endMoving() {
    moving_.clear();
    movingEntries_.clear();
    still_.image = QImage();
}

CDC* CViewMacroContext::dc() {
    return view_->openTraceDC();
}

void CViewMacroContext::setPrompt(int messageId) {
    ::setPrompt(toolText(messageId));
}

void CViewMacroContext::setMouseInputEnabled(bool on) {
    etatOutils().mouseInputEnabled = on;
}

void CViewMacroContext::recordSnapshot(const std::string& label) {
    view_->document()->history().record(label);
    view_->setModified(true);
    emit view_->figureChanged();
}

void CViewMacroContext::restoreCursor() {
    const QPoint global = view_->mapToGlobal(click_);
    QCursor::setPos(global);
    // The view learns where the mouse now is, as after a move: the label next to the cursor
    // names the macro again.
    QCoreApplication::postEvent(
        view_, new QMouseEvent(QEvent::MouseMove, QPointF(click_), QPointF(global), Qt::NoButton,
                               Qt::NoButton, Qt::NoModifier));
}

CPelvantiView* runningMacroView() {
    return gRunningView;
}

void requestMacroStop() {
    if (!gRunningView) return;
    macro_run::flags().stopRequested = true;
    // The waits poll Escape through the host: the request reaches them as one.
    if (auto* qt = dynamic_cast<CQtHost*>(&host())) qt->requestStop();
}

bool deferWhileMacroRuns(QObject* owner, std::function<void()> action) {
    if (!gRunningView) return false;
    requestMacroStop();
    gDeferred.push_back({QPointer<QObject>(owner), std::move(action)});
    return true;
}

bool runMacro(CMacro& macro, CPelvantiView* view, QPoint click) {
    if (gRunningView || !view) return false;
    gRunningView = view;
    const QCursor previous = view->cursor();
    view->setCursor(Qt::BusyCursor);
    bool ok = false;
    {
        CViewMacroContext context(view, click);
        ok = macro_run::executeMacro(macro, context);
    }
    // The stop request belongs to this run only.
    macro_run::flags().stopRequested = false;
    if (auto* qt = dynamic_cast<CQtHost*>(&host())) qt->releaseStop();
    view->setCursor(previous);
    gRunningView = nullptr;
    // What was asked meanwhile runs from the event loop, where no macro frame is left.
    for (Deferred& d : std::exchange(gDeferred, {}))
        if (d.owner) QTimer::singleShot(0, d.owner.data(), std::move(d.action));
    return ok;
}

namespace {
// The macro-execution cursor: a "play" triangle in a ring, its hot spot at the centre.
QCursor macroCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QPointF(16, 16), 11, 11);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QPointF(16, 16), 11, 11);
    const QPointF play[] = {{12, 9}, {23, 16}, {12, 23}};
    p.setBrush(Qt::black);
    p.drawPolygon(play, 3);
    p.end();
    return QCursor(pixmap, 16, 16);
}
}  // namespace

COutilExecutionMacro::COutilExecutionMacro() {
    cursor = macroCursor();
}

int COutilExecutionMacro::promptId() const {
    return Msg::promptExecuteMacro;
}

std::string COutilExecutionMacro::prompt(int) const {
    return toolText(Msg::promptExecuteMacro);
}

bool COutilExecutionMacro::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (view && hasVisibleMacro(*view->document())) return true;
    toolMessage(Msg::needMacro, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool COutilExecutionMacro::activate(CPelvantiView* view) {
    COutil::activate(view);
    etatOutils().natureFilter = nat::macro;
    installHandler(standardHandler(), view);
    return true;
}

bool COutilExecutionMacro::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (!view || !st.designatedObject) return false;
    auto* macro = dynamic_cast<CMacro*>(st.designatedObject->element);
    st.designatedObject = nullptr;
    if (!macro) return false;
    runMacro(*macro, view, QPoint(st.lastMouseX, st.lastMouseY));
    return false;
}

void drawDefaultMacroOverlay(CDC& dc, CPelvantiDoc& doc) {
    CListeAction& list = doc.list();
    auto* macro = dynamic_cast<CMacro*>(list.defaultMacro);
    if (!macro) return;
    // The final state is reached on a copy: the figure itself never changes.
    CListeAction copy(true);
    list.copyTo(copy);
    copy.computeAll();
    if (!macro->applyFinalState(copy)) return;
    const bool hide = drawingState().hideMasked;
    const bool names = drawingState().respectNameHidden;
    doc.graphicList().eraseAll(&dc, hide, names);
    copy.drawAll(&dc, hide, names);
}

namespace {
// Every drawing pass of the program (views, printing, pictures, export) shows the overlay,
// whichever of them runs first.
[[maybe_unused]] const bool kOverlayInstalled = [] {
    drawingState().defaultMacroOverlay = drawDefaultMacroOverlay;
    return true;
}();
}  // namespace
