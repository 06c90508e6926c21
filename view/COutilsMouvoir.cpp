#include "view/COutilsMouvoir.h"

#include <vector>

#include "core/CHost.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointLie.h"
#include "macros/CMacroKinds.h"
#include "view/CCapture.h"
#include "view/CGestionSouris.h"
#include "view/COutilsCourbe.h"
#include "view/COutilsMacros.h"
#include "view/CPelvantiView.h"
#include "view/ToolTexts.h"

namespace {
QPoint lastClick() {
    return {etatOutils().lastMouseX, etatOutils().lastMouseY};
}

// Runs `trace` on the objects that blink, as its macro would.
void runTrace(CMacroAvecListe& trace, CPelvantiView* view) {
    for (CActionAncetre* traced : etatOutils().blinkList.entries()) trace.addObject(*traced);
    view->stopBlinking();
    runMacro(trace, view, lastClick());
}
}  // namespace

bool COutilTraceObjet::isAvailable() {
    switch (kind_) {
        case TraceKind::drag:
            return preconditionsHold({Msg::needMovablePoint});
        case TraceKind::linkedPoint:
            return preconditionsHold({Msg::needLinkedPoint});
        case TraceKind::variable:
            break;
    }
    return preconditionsHold({Msg::needVariableAndGraphic});
}

int COutilTraceObjet::promptId() const {
    return kind_ == TraceKind::variable ? Msg::promptTraceVariable : Msg::promptObjectsToTrace;
}

std::string COutilTraceObjet::prompt(int) const {
    return toolText(generatorStep_ ? Msg::promptTraceGenerator : Msg::promptObjectsToTrace);
}

void COutilTraceObjet::deactivate(CPelvantiView* view) {
    variable_ = nullptr;
    COutilClignotant::deactivate(view);
}

bool COutilTraceObjet::activate(CPelvantiView* view) {
    generatorStep_ = false;
    if (kind_ == TraceKind::variable && !variable_ && view) {
        variable_ = chooseVariable(view->document()->list(), toolText(Msg::promptTraceVariable));
        if (!variable_) {
            revenirCapture(view);
            return true;
        }
    }
    COutil::activate(view);
    etatOutils().natureFilter =
        natureMask(kind_ == TraceKind::drag ? 0xa01ffffe : 0xb01ffffe, 0x24f);
    installHandler(standardHandler(), view);
    return true;
}

bool COutilTraceObjet::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    CActionAncetre* e = st.designatedObject;
    if (!e || !view) return false;
    if (!generatorStep_) {
        st.blinkList.append(e);
        st.pendingList.append(e);
        view->startBlinking();
        return false;
    }
    auto* point = dynamic_cast<CPointLie*>(e->element);
    if (!point) return false;
    CMacroTraceAuto trace(&view->document()->list(), "", "", 0, 0);
    trace.linkedPoint = point;
    runTrace(trace, view);
    return true;
}

void COutilTraceObjet::onRightClick(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (st.blinkList.empty() || generatorStep_ || !view) return;
    if (kind_ == TraceKind::linkedPoint) {
        generatorStep_ = true;
        st.natureFilter = nat::pointLie;
        setPrompt(prompt(1));
        return;
    }
    if (kind_ == TraceKind::variable) {
        CMacroTraceAutoParVariable trace(&view->document()->list(), "", "", 0, 0);
        trace.variable = variable_;
        runTrace(trace, view);
        revenirCapture(view);
        return;
    }
    const std::vector<CActionAncetre*> chosen = st.blinkList.entries();
    revenirCapture(view);
    for (CActionAncetre* e : chosen) captureHandler().traced.append(e);
}

// ---------------------------------------------------------------------------------------------

bool COutilAnimation::isAvailable() {
    return preconditionsHold({Msg::needLinkedPoint});
}

int COutilAnimation::promptId() const {
    return Msg::promptAnimation;
}

std::string COutilAnimation::prompt(int) const {
    return toolText(Msg::promptAnimation);
}

bool COutilAnimation::activate(CPelvantiView* view) {
    COutil::activate(view);
    etatOutils().natureFilter = nat::pointLie;
    installHandler(standardHandler(), view);
    return true;
}

bool COutilAnimation::designate(CPelvantiView* view) {
    CActionAncetre* e = etatOutils().designatedObject;
    auto* point = e ? dynamic_cast<CPointLie*>(e->element) : nullptr;
    if (!point || !view) return false;
    const CPreferences& prefs = preferences();
    CMacroAnimationPointLie animation(&view->document()->list(), "", "", 0, 0);
    animation.linkedPoint = point;
    animation.cyclic = prefs.cyclicAnimation && point->isCyclic();
    animation.f = prefs.animationFrequency;
    animation.n = prefs.animationNumberPoints;
    runMacro(animation, view, lastClick());
    return true;
}
