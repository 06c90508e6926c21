// The designation handlers: the standard one of the construction tools, the one that only
// offers masked objects, and the one that offers the objects made to blink.
#pragma once

#include "view/COutil.h"

class CGestionSourisDesignation : public CGestionSouris {
public:
    explicit CGestionSourisDesignation(DesignationMode mode = DesignationMode::visible,
                                       bool amongBlinking = false)
        : mode_(mode), amongBlinking_(amongBlinking) {}

    void reset(CPelvantiView* view) override { eraseTooltip(view); }
    void onMouseMove(CPelvantiView* view, int x, int y) override;
    void onLButtonDown(CPelvantiView* view, int x, int y) override;
    void onRButtonDown(CPelvantiView* view, int x, int y) override;

    // The query at pixel (x, y) and the label that goes with it.
    int query(CPelvantiView* view, int x, int y);
    // Designation of a click at (x, y): the dialogs resolve several candidates. False when
    // the click designates nothing (no candidate, or a dialog cancelled).
    bool resolveClick(CPelvantiView* view, int x, int y);
    // Hands etatOutils().designatedObject to the current tool, as a click does once it has
    // designated something (the keyboard designates without a click).
    virtual void useDesignation(CPelvantiView* view);

    // Where the query looks and what it offers.
    const CListeAction& designationList(CPelvantiView* view) const;
    DesignationMode mode() const { return mode_; }

private:
    DesignationMode mode_;
    bool amongBlinking_;
};

CGestionSourisDesignation& standardHandler();
CGestionSourisDesignation& maskedHandler();
CGestionSourisDesignation& blinkingHandler();

// Installs `h` as the mouse handler and resets it.
void installHandler(CGestionSouris& h, CPelvantiView* view);
