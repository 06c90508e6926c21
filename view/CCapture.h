// The capture tool, the default tool: a click takes a free or linked point (or an angle mark)
// under the mouse, the mouse moves it, the next click drops it; when the mouse moved with the
// button held, the release drops it instead. Only the objects that move with it are
// recomputed and redrawn at each move, over a picture of the still part of the figure made
// when the object was taken. A drag ended any other way (Escape, another tool, another
// figure) puts the object back where it was taken: only a drop changes the figure.
#pragma once

#include <QImage>
#include <QPoint>
#include <QPointer>

#include "view/CGestionSouris.h"
#include "view/COutil.h"
#include "view/CQtDC.h"
#include "view/ToolTexts.h"

class COutilCapture : public COutil {
public:
    COutilCapture();

    // The entries that move with the captured object, in figure order.
    CListeAction dependents{false};

    bool activate(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    int promptId() const override { return Msg::promptCapture1; }
    std::string undoLabel() const override { return "Capture"; }

    void startDrag(CPelvantiView* view);
    void endDrag(CPelvantiView* view);
};

class CGestionSourisCapture : public CGestionSourisDesignation {
public:
    bool dragging = false;
    CElementBase* captured = nullptr;
    // Objects that leave a trace while the figure is dragged ("Trace d'objets"), until the
    // capture tool is left; the next full redraw clears the traces.
    CListeAction traced{false};

    void reset(CPelvantiView* view) override;
    void onMouseMove(CPelvantiView* view, int x, int y) override;
    void onLButtonDown(CPelvantiView* view, int x, int y) override;
    void onRButtonDown(CPelvantiView*, int, int) override {}
    void onLButtonUp(CPelvantiView* view, int x, int y) override;

    // Takes the designated object (the keyboard chose it).
    void useDesignation(CPelvantiView* view) override;

    // Moves the captured object for the mouse at pixel (x, y) and redraws what moves.
    void moveTo(CPelvantiView* view, int x, int y);
    // Moves the captured object by (dx, dy) pixels, as the mouse would move it from where it
    // stands (arrow keys): a linked point follows its curve.
    void moveBy(CPelvantiView* view, int dx, int dy);

    // Farthest the mouse may move, in pixels along each axis together, with the button held
    // after taking an object, for the press to still count as a click (take now, drop on
    // the next click) rather than as a drag (drop on release): a hand's tremor on a click
    // stays under it, a fine adjustment goes beyond.
    static constexpr int kClickSlop = 2;
    // More moving objects than this are drawn roughly (without smoothing) until the drop, so
    // that the drag keeps up with the mouse.
    static constexpr int kRoughDragObjects = 500;

private:
    // Where the captured object was when taken, to put it back when the drag is abandoned.
    struct Place {
        double x = 0, y = 0, abscissa = 0, radius = 0;
        double anchorX = 0, anchorY = 0, offsetX = 0, offsetY = 0;
    };
    void take(CPelvantiView* view);
    void drop(CPelvantiView* view);
    void abandon(CPelvantiView* view);
    void putBack();
    void paintMoving(CPelvantiView* view);
    void moveToLogical(CPelvantiView* view, LPoint m);
    CQtPicture still_{QImage()};
    LPoint lastLogical_;
    Place taken_;
    // The view of the figure the object belongs to; null once that view is gone.
    QPointer<CPelvantiView> takenIn_;
    // The button that took the object is still held, and has moved beyond kClickSlop.
    bool held_ = false;
    bool movedWhileHeld_ = false;
    QPoint pressedAt_;
};

COutilCapture& captureTool();
CGestionSourisCapture& captureHandler();

// Tools that fix and free movable points: the eligible points blink, a click on one of them
// changes its mobile flag, then the capture tool returns.
class COutilPunaise : public COutil {
public:
    explicit COutilPunaise(bool pin) : pin_(pin) {}
    bool activate(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    bool endsAfterUse() const override { return true; }
    std::string undoLabel() const override {
        return pin_ ? "Fixer point mobile" : "Libérer point mobile";
    }

private:
    bool pin_;
};

// Moves the whole figure while the left button is held.
class COutilTranslation : public COutil {
public:
    COutilTranslation();
    bool activate(CPelvantiView* view) override;
    std::string prompt(int) const override;
};
