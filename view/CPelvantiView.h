// The view of one figure: maps figure coordinates to the window (ten logical units a pixel),
// keeps an off-screen image of the figure so that repainting never recomputes, routes the
// mouse to the current tool's handler, makes lists of objects blink and shows the windows of
// the variables that ask for one.
#pragma once

#include <QBasicTimer>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/CDC.h"

class CPelvantiDoc;
class CElementBase;
class CVariableWindow;
class QPainter;

class CPelvantiView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLogicalPerPixel = 10;
    static constexpr int kMaxVariableWindows = 4;
    static constexpr int kBlinkPeriod = 250;
    static constexpr int kBlinkPeriod2 = 125;

    // The view owns its document.
    explicit CPelvantiView(std::unique_ptr<CPelvantiDoc> doc, QWidget* parent = nullptr);
    ~CPelvantiView() override;

    CPelvantiDoc* document() const { return doc_.get(); }

    static LPoint toLogical(int px, int py) {
        return {px * kLogicalPerPixel, py * kLogicalPerPixel};
    }
    // (W, H): 10 times the client size, or 5000 x 2000 before the first resize.
    LSize drawingArea() const { return area_; }
    // Centre of the zoom commands.
    LPoint zoomCentre() const { return {area_.cx / 2, area_.cy / 2}; }
    const QImage& buffer() const { return buffer_; }

    // The view the mouse and the commands act on.
    static CPelvantiView* activeView();
    static void setActiveView(CPelvantiView* view);
    bool isActiveView() const { return activeView() == this; }

    // Fills the buffer with the background colour.
    void clearBuffer();
    // Copies the buffer to the window.
    void showBuffer() { update(); }
    // Recomputes the whole figure and draws it again.
    void recomputeAndRedraw();
    // Draws the figure again into the buffer without recomputing.
    void redraw();
    // Draws into the buffer (the caller then calls showBuffer); `rough`: without smoothing,
    // thin lines and circles set straight into the buffer (see CQtDC::setRough).
    void withBufferDC(const std::function<void(CDC&)>& draw, bool rough = false);
    // A surface over the buffer that stays open between calls (traces of running macros);
    // closed, and shown, by the next redraw or paint. Null before the first resize.
    CDC* openTraceDC();
    void closeTraceDC();
    // Number of figure recomputations (whole-figure passes) the view asked for.
    int recomputeCount() const { return recomputeCount_; }

    // Step-by-step display of the history dialog (-1: the whole figure).
    void setStepDisplay(int n);
    // A name framed while names are dragged (null: none).
    void setFramedName(const CElementBase* e);

    // Blinking of etatOutils().blinkList (250 ms) and blinkList2 (125 ms).
    void startBlinking();
    void stopBlinking();
    void startBlinking2();
    void stopBlinking2();
    bool isBlinking() const { return blinkTimer_.isActive(); }
    bool isBlinking2() const { return blinkTimer2_.isActive(); }
    bool blinkPhase() const { return blinkPhase_; }

    // Windows of the variables that ask for one (at most four).
    void createVariableWindows();
    void closeVariableWindows();
    void placeVariableWindows();
    const std::vector<CVariableWindow*>& variableWindows() const { return variableWindows_; }

    // Figure commands of the view.
    void zoomIn();
    void zoomOut();
    bool undo();
    bool redo();
    // Recomputation and redraw after a variable of the figure changed (variable windows).
    void variableChanged();

    // Modified since it was opened or saved.
    // `exact` compares the figure with its saved state even when the kept answer is fresh:
    // for the decisions that could lose work (closing, the recovery copies).
    bool isModified(bool exact = false) const;
    void setModified(bool modified);
    // The figure was saved or loaded: the current state is the saved one.
    void markSaved();

signals:
    void modifiedChanged(bool modified);
    // The figure changed (undo state, zoom...): menus and window titles follow.
    void figureChanged();
    // A text for the status bar.
    void statusMessage(const QString& text);
    // A mouse click happened while mouse input was disabled (a macro was running).
    void clickWhileDisabled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool routeMouse(QMouseEvent* event);
    void letGoOfFigure();
    void drawBlinking(QPainter& painter);
    void ensureBuffer(QSize size);

    std::unique_ptr<CPelvantiDoc> doc_;
    QImage buffer_;
    LSize area_{5000, 2000};
    bool sized_ = false;
    int recomputeCount_ = 0;
    int stepDisplay_ = -1;
    const CElementBase* framedName_ = nullptr;

    QBasicTimer blinkTimer_;
    QBasicTimer blinkTimer2_;
    bool blinkPhase_ = false;
    bool blinkPhase2_ = false;

    std::vector<CVariableWindow*> variableWindows_;

    std::unique_ptr<QPainter> tracePainter_;
    std::unique_ptr<CDC> traceDC_;

    bool modified_ = false;
    std::vector<uint8_t> savedState_;
    // Writing a large figure to compare it costs as much as saving it, and menus ask after
    // every command: the answer is kept until the history or the number of objects changes
    // (a change recorded in neither sets modified_).
    mutable std::pair<uint64_t, int> checkedAt_{0, -1};
    mutable bool checkedDiffers_ = false;
};
