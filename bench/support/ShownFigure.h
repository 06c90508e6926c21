// A figure in a shown 800 x 600 view, active, computed, with the capture tool current.
#pragma once

#include <memory>

#include "document/CPelvantiDoc.h"
#include "view/COutil.h"
#include "view/COutilsRegistry.h"
#include "view/CPelvantiView.h"

inline std::unique_ptr<CPelvantiView> shownFigure(std::unique_ptr<CPelvantiDoc> doc) {
    auto view = std::make_unique<CPelvantiView>(std::move(doc));
    view->resize(800, 600);
    view->show();
    CPelvantiView::setActiveView(view.get());
    view->recomputeAndRedraw();
    toolCommands();
    revenirCapture(view.get());
    return view;
}
