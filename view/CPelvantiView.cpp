#include "view/CPelvantiView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include "core/CElementGraphique.h"
#include "core/CHost.h"
#include "core/CPalette.h"
#include "document/CPelvantiDoc.h"
#include "view/CFigureAccessible.h"
#include "view/CFigureRenderer.h"
#include "view/CKeyboardTools.h"
#include "view/COutil.h"
#include "view/CQtDC.h"
#include "view/CVariableWindow.h"

namespace {
CPelvantiView* gActiveView = nullptr;
const char* const kMemoryMessage =
    "Korvendal32  manque de mémoire\nIl est conseillé d'enregistrer la figure\net de fermer des "
    "applications actives";
}  // namespace

CPelvantiView::CPelvantiView(std::unique_ptr<CPelvantiDoc> doc, QWidget* parent)
    : QWidget(parent), doc_(std::move(doc)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(etatOutils().currentCursor);
    installFigureAccessibility();
    setAccessibleName(QStringLiteral("Figure"));
    ensureBuffer(QSize(area_.cx / kLogicalPerPixel, area_.cy / kLogicalPerPixel));
    markSaved();
}

CPelvantiView::~CPelvantiView() {
    closeTraceDC();
    if (gActiveView == this) gActiveView = nullptr;
    EtatOutils& st = etatOutils();
    // The shared lists may hold entries of this figure, about to be destroyed.
    st.pendingList.clear();
    st.blinkList.clear();
    st.blinkList2.clear();
    st.designatedObject = nullptr;
}

CPelvantiView* CPelvantiView::activeView() {
    return gActiveView;
}

void CPelvantiView::setActiveView(CPelvantiView* view) {
    gActiveView = view;
    if (view) {
        setActiveDrawingArea(view->area_);
        applyBackgroundColour(*view->doc_);
    }
}

void CPelvantiView::ensureBuffer(QSize size) {
    if (size.isEmpty() || buffer_.size() == size) return;
    closeTraceDC();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        host().messageBox(kMemoryMessage, "Korvendal32", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    buffer_ = std::move(image);
}

void CPelvantiView::clearBuffer() {
    applyBackgroundColour(*doc_);
    buffer_.fill(toQColor(CPalette::colour(0)));
}

void CPelvantiView::withBufferDC(const std::function<void(CDC&)>& draw, bool rough) {
    closeTraceDC();
    if (buffer_.isNull()) return;
    applyBackgroundColour(*doc_);
    QPainter painter(&buffer_);
    CQtDC dc(painter, {0, 0, area_.cx, area_.cy}, 1.0 / kLogicalPerPixel, &buffer_);
    if (rough) dc.setRough();
    draw(dc);
}

CDC* CPelvantiView::openTraceDC() {
    if (buffer_.isNull()) return nullptr;
    if (!traceDC_) {
        applyBackgroundColour(*doc_);
        tracePainter_ = std::make_unique<QPainter>(&buffer_);
        traceDC_ = std::make_unique<CQtDC>(*tracePainter_, LRect{0, 0, area_.cx, area_.cy},
                                           1.0 / kLogicalPerPixel, &buffer_);
    }
    update();
    return traceDC_.get();
}

void CPelvantiView::closeTraceDC() {
    traceDC_.reset();
    tracePainter_.reset();
}

void CPelvantiView::redraw() {
    closeTraceDC();
    clearBuffer();
    CDrawOptions options;
    options.stepDisplay = stepDisplay_;
    options.framedName = framedName_;
    withBufferDC([&](CDC& dc) { drawFigure(dc, *doc_, options); });
    showBuffer();
    // Every change of the figure ends in a redraw. The moves of a drag do not redraw (its drop
    // does), and the frames of a running macro are not news.
    if (etatOutils().mouseInputEnabled && accessibilityListening())
        if (CFigureAccessible* a = figureAccessible(this)) a->figureChanged();
}

void CPelvantiView::recomputeAndRedraw() {
    if (isActiveView() || !activeView()) setActiveDrawingArea(area_);
    ++recomputeCount_;
    doc_->list().computeAll();
    redraw();
    for (CVariableWindow* w : variableWindows_) w->refresh();
}

void CPelvantiView::setStepDisplay(int n) {
    stepDisplay_ = n;
    redraw();
}

void CPelvantiView::setFramedName(const CElementBase* e) {
    framedName_ = e;
    redraw();
}

void CPelvantiView::paintEvent(QPaintEvent*) {
    closeTraceDC();
    QPainter painter(this);
    // The buffer covers the whole client area: nothing is erased first, nothing recomputed.
    painter.drawImage(0, 0, buffer_);
    if (buffer_.width() < width() || buffer_.height() < height())
        painter.fillRect(QRect(buffer_.width(), 0, width() - buffer_.width(), height()),
                         toQColor(CPalette::colour(0)));
    drawBlinking(painter);
}

void CPelvantiView::drawBlinking(QPainter& painter) {
    EtatOutils& st = etatOutils();
    if (!isBlinking() && !isBlinking2()) return;
    applyBackgroundColour(*doc_);
    CQtDC dc(painter, {0, 0, area_.cx, area_.cy}, 1.0 / kLogicalPerPixel);
    const bool respect = drawingState().respectNameHidden;
    if (isBlinking() && !st.blinkList.empty()) {
        if (blinkPhase_) {
            st.blinkList.drawIncludingMasked(&dc, respect);
        } else {
            for (CActionAncetre* e : st.blinkList.entries()) {
                auto* g = dynamic_cast<CElementGraphique*>(e->element);
                if (!g) continue;
                bool wasMasked = g->masked;
                g->masked = false;
                g->erase(&dc, true);
                g->masked = wasMasked;
            }
        }
    }
    if (isBlinking2() && !st.blinkList2.empty()) {
        if (blinkPhase2_) {
            st.blinkList2.drawFirst(&dc, st.blinkList2.count() - 1);
        } else {
            for (CActionAncetre* e : st.blinkList2.entries())
                if (auto* g = dynamic_cast<CElementGraphique*>(e->element)) {
                    bool wasMasked = g->masked;
                    g->masked = false;
                    g->erase(&dc, true);
                    g->eraseName(&dc, true, false);
                    g->masked = wasMasked;
                }
        }
    }
}

void CPelvantiView::resizeEvent(QResizeEvent*) {
    const int cx = width(), cy = height();
    if (cx <= 0 || cy <= 0) return;
    ensureBuffer(QSize(cx, cy));
    area_ = {kLogicalPerPixel * cx, kLogicalPerPixel * cy};
    sized_ = true;
    if (!(area_ == doc_->viewSize)) doc_->viewSize = area_;
    if (QWidget* frame = parentWidget()) doc_->windowSize = {frame->width(), frame->height()};
    recomputeAndRedraw();
    placeVariableWindows();
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool CPelvantiView::routeMouse(QMouseEvent* event) {
    EtatOutils& st = etatOutils();
    if (!st.mouseInputEnabled) {
        if (event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton)
            emit clickWhileDisabled();
        return false;
    }
    if (!isActiveView()) setActiveView(this);
    if (!st.currentTool || !st.mouseHandler) return false;
    if (cursor().shape() != st.currentCursor.shape() ||
        st.currentCursor.shape() == Qt::BitmapCursor)
        setCursor(st.currentCursor);
    return true;
}

void CPelvantiView::mouseMoveEvent(QMouseEvent* event) {
    if (routeMouse(event)) {
        QPoint p = event->position().toPoint();
        etatOutils().mouseHandler->onMouseMove(this, p.x(), p.y());
    }
    QWidget::mouseMoveEvent(event);
}

void CPelvantiView::mousePressEvent(QMouseEvent* event) {
    if (routeMouse(event)) {
        QPoint p = event->position().toPoint();
        CGestionSouris* h = etatOutils().mouseHandler;
        if (event->button() == Qt::LeftButton)
            h->onLButtonDown(this, p.x(), p.y());
        else if (event->button() == Qt::RightButton)
            h->onRButtonDown(this, p.x(), p.y());
    }
    QWidget::mousePressEvent(event);
}

void CPelvantiView::mouseReleaseEvent(QMouseEvent* event) {
    if (routeMouse(event) && event->button() == Qt::LeftButton) {
        QPoint p = event->position().toPoint();
        etatOutils().mouseHandler->onLButtonUp(this, p.x(), p.y());
    }
    QWidget::mouseReleaseEvent(event);
}

void CPelvantiView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (routeMouse(event) && event->button() == Qt::LeftButton) {
        QPoint p = event->position().toPoint();
        // The handler may change while the first click is processed.
        etatOutils().mouseHandler->onLButtonDown(this, p.x(), p.y());
        if (CGestionSouris* h = etatOutils().mouseHandler) h->onLButtonDblClk(this, p.x(), p.y());
    }
    QWidget::mouseDoubleClickEvent(event);
}

bool CPelvantiView::event(QEvent* event) {
    // Tab goes through the objects a tool may designate; it moves the focus on only when
    // there are none.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            etatOutils().mouseInputEnabled &&
            keyboardTools().onKey(this, key->key(), key->modifiers()))
            return true;
    }
    return QWidget::event(event);
}

void CPelvantiView::keyPressEvent(QKeyEvent* event) {
    EtatOutils& st = etatOutils();
    if (st.mouseHandler && st.mouseInputEnabled && st.mouseHandler->onKey(this, event->key()))
        return;
    if (st.mouseInputEnabled && keyboardTools().onKey(this, event->key(), event->modifiers()))
        return;
    if (event->key() == Qt::Key_Escape && st.mouseInputEnabled && st.returnToCapture) {
        st.returnToCapture(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CPelvantiView::leaveEvent(QEvent* event) {
    // The label names what a click here would designate: with the mouse gone, it means nothing.
    if (CGestionSouris* h = etatOutils().mouseHandler) h->eraseTooltip(this);
    QWidget::leaveEvent(event);
}

void CPelvantiView::focusInEvent(QFocusEvent* event) {
    if (!isActiveView()) setActiveView(this);
    QWidget::focusInEvent(event);
}

// ---------------------------------------------------------------------------------------------
// Blinking

void CPelvantiView::startBlinking() {
    if (!blinkTimer_.isActive()) blinkTimer_.start(kBlinkPeriod, this);
}

void CPelvantiView::stopBlinking() {
    if (!blinkTimer_.isActive()) return;
    blinkTimer_.stop();
    blinkPhase_ = false;
    update();
}

void CPelvantiView::startBlinking2() {
    if (!blinkTimer2_.isActive()) blinkTimer2_.start(kBlinkPeriod2, this);
}

void CPelvantiView::stopBlinking2() {
    if (!blinkTimer2_.isActive()) return;
    blinkTimer2_.stop();
    blinkPhase2_ = false;
    update();
}

void CPelvantiView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == blinkTimer_.timerId()) {
        blinkPhase_ = !blinkPhase_;
        update();
    } else if (event->timerId() == blinkTimer2_.timerId()) {
        blinkPhase2_ = !blinkPhase2_;
        update();
    } else {
        QWidget::timerEvent(event);
    }
}

// ---------------------------------------------------------------------------------------------
// Variable windows

void CPelvantiView::createVariableWindows() {
    if (!variableWindows_.empty()) return;
    for (CActionAncetre* e : doc_->list().entries()) {
        if (static_cast<int>(variableWindows_.size()) >= kMaxVariableWindows) break;
        if (!(e->nature & nat::variable) || !CVariableWindow::wantsWindow(e->element)) continue;
        variableWindows_.push_back(new CVariableWindow(this, e->element));
    }
    placeVariableWindows();
    for (CVariableWindow* w : variableWindows_) w->show();
}

void CPelvantiView::closeVariableWindows() {
    for (CVariableWindow* w : variableWindows_) delete w;
    variableWindows_.clear();
}

void CPelvantiView::placeVariableWindows() {
    const int bottom = height();
    for (size_t k = 0; k < variableWindows_.size(); ++k) {
        CVariableWindow* w = variableWindows_[k];
        w->adjustSize();
        int h = w->height();
        w->move(width() - w->width(), bottom - static_cast<int>(k + 1) * h - 1);
    }
}

void CPelvantiView::variableChanged() {
    recomputeAndRedraw();
    setModified(true);
}

// ---------------------------------------------------------------------------------------------
// Commands

void CPelvantiView::zoomIn() {
    doc_->zoomIn(area_.cx, area_.cy);
    redraw();
    setModified(true);
}

void CPelvantiView::zoomOut() {
    doc_->zoomOut(area_.cx, area_.cy);
    redraw();
    setModified(true);
}

void CPelvantiView::letGoOfFigure() {
    // A drag in progress puts its object back before the objects are replaced; the handler
    // must not keep pointers into the old list.
    EtatOutils& st = etatOutils();
    if (st.mouseHandler) st.mouseHandler->reset(this);
}

bool CPelvantiView::undo() {
    if (!doc_->history().canUndo()) return false;
    letGoOfFigure();
    closeVariableWindows();
    std::string reason;
    bool ok = doc_->history().undo(&reason);
    recomputeAndRedraw();
    createVariableWindows();
    setModified(true);
    if (!ok && !reason.empty()) host().messageBox(reason, "Korvendal32", MB_OK | MB_ICONERROR);
    emit figureChanged();
    return ok;
}

bool CPelvantiView::redo() {
    if (!doc_->history().canRedo()) return false;
    letGoOfFigure();
    closeVariableWindows();
    std::string reason;
    bool ok = doc_->history().redo(&reason);
    recomputeAndRedraw();
    createVariableWindows();
    setModified(true);
    if (!ok && !reason.empty()) host().messageBox(reason, "Korvendal32", MB_OK | MB_ICONERROR);
    emit figureChanged();
    return ok;
}

bool CPelvantiView::isModified(bool exact) const {
    if (modified_) return true;
    const std::pair<uint64_t, int> now{doc_->history().changeCount(), doc_->list().count()};
    if (exact || now != checkedAt_) {
        checkedAt_ = now;
        checkedDiffers_ = doc_->writeListState() != savedState_;
    }
    return checkedDiffers_;
}

void CPelvantiView::setModified(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

void CPelvantiView::markSaved() {
    savedState_ = doc_->writeListState();
    checkedAt_ = {doc_->history().changeCount(), doc_->list().count()};
    checkedDiffers_ = false;
    setModified(false);
}
