#include "view/CGestionSouris.h"

#include <cstdlib>

#include "document/CPelvantiDoc.h"
#include "view/CFigureRenderer.h"
#include "view/CPelvantiView.h"
#include "view/CToolOverlay.h"

CGestionSourisDesignation& standardHandler() {
    static CGestionSourisDesignation h;
    return h;
}

CGestionSourisDesignation& maskedHandler() {
    static CGestionSourisDesignation h(DesignationMode::maskedOnly);
    return h;
}

CGestionSourisDesignation& blinkingHandler() {
    static CGestionSourisDesignation h(DesignationMode::visible, true);
    return h;
}

void installHandler(CGestionSouris& h, CPelvantiView* view) {
    etatOutils().mouseHandler = &h;
    h.reset(view);
}

const CListeAction& CGestionSourisDesignation::designationList(CPelvantiView* view) const {
    return amongBlinking_ ? etatOutils().blinkList : view->document()->graphicList();
}

int CGestionSourisDesignation::query(CPelvantiView* view, int x, int y) {
    EtatOutils& st = etatOutils();
    if (!view) return 0;
    const LPoint p = CPelvantiView::toLogical(x, y);
    return queryDesignation(designationList(view), st.natureFilter, p.x, p.y, st.pendingList,
                            drawingState().hideMasked, st.candidates, mode_);
}

void CGestionSourisDesignation::onMouseMove(CPelvantiView* view, int x, int y) {
    EtatOutils& st = etatOutils();
    if (query(view, x, y) > 0) {
        const std::string text = candidateLabel(
            st.candidates, amongBlinking_ ? &st.blinkList : &view->document()->graphicList());
        const bool stays = tooltipShown && text == tooltipText && std::abs(x - tooltipX) < 20 &&
                           std::abs(y - tooltipY) < 20;
        if (!stays) {
            eraseTooltip(view);
            tooltipText = text;
            showTooltip(view, x, y);
        }
    } else if (tooltipShown) {
        eraseTooltip(view);
        reset(view);
    }
    const LPoint p = CPelvantiView::toLogical(x, y);
    st.mousePoint.setPosition(p.x, p.y);
    if (!st.previewList.empty()) {
        st.mousePoint.computePosition();
        st.previewList.computeAll();
        CToolOverlay::refresh(view);
    }
}

bool CGestionSourisDesignation::resolveClick(CPelvantiView* view, int x, int y) {
    EtatOutils& st = etatOutils();
    st.designatedObject = nullptr;
    // The click designates what the mouse stands on, as a move there would have shown.
    if (query(view, x, y) == 0) {
        eraseTooltip(view);
        return false;
    }
    eraseTooltip(view);
    const CCandidats& c = st.candidates;
    int bucket = -1;
    const auto& natures = designableNatures();
    if (c.natureCount > 1) {
        std::vector<std::string> names;
        std::vector<int> buckets;
        for (int i = 0; i < CCandidats::kBuckets; ++i)
            if (c.natures & natureBit(natures[i].bit)) {
                names.push_back(natures[i].listName);
                buckets.push_back(i);
            }
        const int chosen = toolDialogs().chooseNature(names);
        if (chosen < 0 || chosen >= static_cast<int>(buckets.size())) return false;
        bucket = buckets[chosen];
    } else {
        for (int i = 0; i < CCandidats::kBuckets; ++i)
            if (c.natures & natureBit(natures[i].bit)) bucket = i;
    }
    if (bucket < 0) return false;
    const CCandidats::Bucket& b = c.buckets[bucket];
    if (b.count >= 2) {
        const int which = toolDialogs().chooseFirstOrLast();
        if (which < 0) return false;
        st.designatedObject = which == 0 ? b.first : b.last;
    } else {
        st.designatedObject = b.first;
    }
    return st.designatedObject != nullptr;
}

void CGestionSourisDesignation::onLButtonDown(CPelvantiView* view, int x, int y) {
    EtatOutils& st = etatOutils();
    st.lastMouseX = x;
    st.lastMouseY = y;
    resolveClick(view, x, y);
    useDesignation(view);
}

void CGestionSourisDesignation::useDesignation(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    COutil* tool = st.currentTool;
    if (!tool) return;
    if (tool->designate(view) && tool->endsAfterUse() && st.currentTool == tool)
        revenirCapture(view);
}

void CGestionSourisDesignation::onRButtonDown(CPelvantiView* view, int, int) {
    if (COutil* tool = etatOutils().currentTool) tool->onRightClick(view);
}
