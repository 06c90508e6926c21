#include "view/COutilsMouvoir.h"

#include <vector>

#include "core/CHost.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointLie.h"
#include "macros/CMacroKinds.h"
#include "view/CCapture.h"
#include "view/CGestionSouris.h"
#include "view/COutilsMacros.h"
#include "view/CPelvantiView.h"
#include "view/ToolTexts.h"

namespace {
bool available(int message) {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    if (preconditionHolds(message, *view->document())) return true;
    toolMessage(message, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

QPoint lastClick() {
    return {etatOutils().lastMouseX, etatOutils().lastMouseY};
}
}  // namespace

bool COutilTraceObjet::isAvailable() {
    return available(automatic_ ? Msg::needLinkedPoint : Msg::needMovablePoint);
}

int COutilTraceObjet::promptId() const {
    return Msg::promptTrace;
}

std::string COutilTraceObjet::prompt(int) const {
    return toolText(generatorStep_ ? Msg::promptTraceGenerator : Msg::promptTrace);
}

bool COutilTraceObjet::activate(CPelvantiView* view) {
    generatorStep_ = false;
    COutil::activate(view);
    etatOutils().natureFilter = natureMask(automatic_ ? 0xb01ffffe : 0xa01ffffe, 0x24f);
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
    CListeAction& list = view->document()->list();
    CMacroTraceAuto trace(&list, "", "", 0, 0);
    for (CActionAncetre* traced : st.blinkList.entries()) trace.addObject(*traced);
    trace.linkedPoint = point;
    view->stopBlinking();
    runMacro(trace, view, lastClick());
    return true;
}

void COutilTraceObjet::onRightClick(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (st.blinkList.empty() || generatorStep_ || !view) return;
    if (automatic_) {
        generatorStep_ = true;
        st.natureFilter = nat::pointLie;
        setPrompt(prompt(1));
        return;
    }
    const std::vector<CActionAncetre*> chosen = st.blinkList.entries();
    revenirCapture(view);
    for (CActionAncetre* e : chosen) captureHandler().traced.append(e);
}

// ---------------------------------------------------------------------------------------------

bool COutilAnimation::isAvailable() {
    return available(Msg::needLinkedPoint);
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
