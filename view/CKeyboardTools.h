// The tools with the keyboard alone. Tab and Shift+Tab go through the objects the current tool
// may designate now, found as a click finds them (its natures, its exclusions, masked objects
// only where the tool shows them, points first); the candidate blinks in a frame, is named
// next to it and takes the accessible focus; Enter designates it as a click would, with the
// same refusals. Arrow keys move a keyboard cursor (one pixel, ten with Shift) that stands for
// the mouse: previews and labels follow it and Enter clicks there. While the capture tool holds
// an object, arrows move it and Enter drops it; Escape abandons it as with the mouse.
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <vector>

class CActionAncetre;
class CElementBase;
class COutil;
class CPelvantiView;

class CKeyboardTools : public QObject {
public:
    // A key pressed in `view`; true when it was used.
    bool onKey(CPelvantiView* view, int key, Qt::KeyboardModifiers modifiers);

    // What Tab offers now, in its order.
    static std::vector<CActionAncetre*> candidates(CPelvantiView* view);
    // The candidate chosen by Tab in `view`, while it may still be designated; null otherwise.
    CActionAncetre* candidate(CPelvantiView* view) const;
    bool cursorShown(const CPelvantiView* view) const;
    QPoint cursor() const { return cursor_; }
    // The candidate's frame is drawn in this half of its blinking.
    bool framePhase() const { return phase_; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    bool belongsTo(const CPelvantiView* view) const;
    void reset(CPelvantiView* view);
    bool cycle(CPelvantiView* view, bool forward);
    bool enter(CPelvantiView* view);
    bool arrow(CPelvantiView* view, int dx, int dy);

    QPointer<CPelvantiView> view_;
    COutil* tool_ = nullptr;
    const CElementBase* candidate_ = nullptr;
    bool cursorShown_ = false;
    QPoint cursor_;
    QBasicTimer blink_;
    bool phase_ = true;
};

CKeyboardTools& keyboardTools();

// A pixel of the view where a click designates `e` (a point: its place).
QPoint designationPoint(CPelvantiView* view, CActionAncetre* e);

// "Point libre par coordonnées...": a free point where the user says, counted from the top-left
// corner of the view (x to the right, y downward) in pixels, or in the figure's unit length
// when it has one. False when cancelled or refused.
bool createFreePointAt(CPelvantiView* view);
