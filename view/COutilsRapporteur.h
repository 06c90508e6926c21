// The protractor: a centre, the point to turn, then the image turns with the mouse on the
// circle through that point, by whole degrees; the click builds the rotation (or takes the same
// one of the figure) and the image. The figure must count its angles in degrees.
#pragma once

#include "view/COutilsConstruction.h"

class COutilRapporteur : public COutilDesigne {
public:
    COutilRapporteur();

    bool activate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    void onRightClick(CPelvantiView* view) override { revenirCapture(view); }

    // The preview's angle follows the mouse at logical (x, y).
    void follow(int x, int y);

protected:
    bool build(CPelvantiDoc* doc) override;
};
