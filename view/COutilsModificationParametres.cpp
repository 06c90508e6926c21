#include "view/COutilsModificationParametres.h"

#include "calc/EvaluationState.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CPointAncetre.h"
#include "geometry/CRepere.h"
#include "values/CValeurAssocieeAVariable.h"
#include "values/ValueDialogs.h"
#include "view/CFigureRenderer.h"
#include "view/CGestionSouris.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
// The typed formulas are read in the unit of the figure being edited, whatever figure was
// computed last.
class FigureUnit {
public:
    explicit FigureUnit(const CListeAction& list) : saved_(evaluationState().angleUnit) {
        evaluationState().angleUnit = list.angleUnit;
    }
    ~FigureUnit() { evaluationState().angleUnit = saved_; }
    FigureUnit(const FigureUnit&) = delete;
    FigureUnit& operator=(const FigureUnit&) = delete;

private:
    int saved_;
};
}  // namespace

const std::vector<ParamModifyDesc>& parameterModifyToolTable() {
    // clang-format off
    static const std::vector<ParamModifyDesc> table = {
        {Cmd::modifyArcAngle, "Modifier", "Angle d'un arc", Msg::promptModifyArcAngle, nat::arc, {Msg::needArc}, "Modifier angle d'arc"},
        {Cmd::modifyCoordinates, "Modifier", "Coordonnées d'un point", Msg::promptModifyCoordinates, nat::pointDansRepere, {Msg::needFrame, Msg::needPointInFrame}, "Modifier coordonnées"},
        {Cmd::modifyBarycentre, "Modifier", "Coefficient de barycentre", Msg::promptModifyBarycentre, nat::barycentre, {Msg::needBarycentre}, "Modifier barycentre"},
    };
    // clang-format on
    return table;
}

std::vector<CActionAncetre*> COutilModificationParametres::eligible(CPelvantiDoc& doc) const {
    std::vector<CActionAncetre*> out;
    for (CActionAncetre* e : doc.graphicList().entries()) {
        auto* g = dynamic_cast<CElementGraphique*>(e->element);
        if (!(e->nature & desc_.natures) || !g || !g->exists) continue;
        if (g->masked && drawingState().hideMasked) continue;
        if (isEligible(g)) out.push_back(e);
    }
    return out;
}

std::string COutilModificationParametres::prompt(int) const {
    return toolText(desc_.promptId);
}

bool COutilModificationParametres::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view || desc_.unavailable.empty()) return false;
    const size_t last = desc_.unavailable.size() - 1;
    for (size_t i = 0; i < last; ++i)
        if (!precondition(view->document()->list(), i)) {
            toolMessage(desc_.unavailable[i], MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    if (!eligible(*view->document()).empty()) return true;
    toolMessage(desc_.unavailable[last], MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool COutilModificationParametres::activate(CPelvantiView* view) {
    COutil::activate(view);
    EtatOutils& st = etatOutils();
    st.natureFilter = desc_.natures;
    st.blinkList.clear();
    if (view)
        for (CActionAncetre* e : eligible(*view->document())) st.blinkList.append(e);
    installHandler(blinkingHandler(), view);
    if (view) view->startBlinking();
    return true;
}

void COutilModificationParametres::deactivate(CPelvantiView* view) {
    if (view) view->stopBlinking();
    COutil::deactivate(view);
}

bool COutilModificationParametres::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (!st.designatedObject || !view) return false;
    CElementBase* e = st.designatedObject->element;
    CListeAction& list = view->document()->list();
    bool changed = false;
    if (isEligible(e)) {
        FigureUnit unit(list);
        changed = edit(list, e);
    }
    if (!changed) return false;
    view->stopBlinking();
    finishConstruction(view);
    return true;
}

// ---------------------------------------------------------------------------------------------

bool COutilModificationAngleArc::isEligible(CElementBase* e) const {
    // An arc ending on a point has no angle of its own.
    auto* arc = dynamic_cast<CArcDeCercle*>(e);
    return arc && !arc->B;
}

bool COutilModificationAngleArc::edit(CListeAction& list, CElementBase* e) {
    auto* arc = dynamic_cast<CArcDeCercle*>(e);
    const int limit = list.indexOf(e);
    std::vector<std::string> values{arc->angleValue.getText(12)};
    CValeurAngle typed = arc->angleValue;
    for (;;) {
        if (!toolDialogs().editFields("Angle de l'arc " + arc->getName(), {"Angle :"}, values))
            return false;
        values.resize(1);
        if (enterAngleParameter(list, values[0], limit, Msg::enterValue, typed).ok) break;
    }
    arc->angleValue = typed;
    return true;
}

bool COutilModificationCoordonnees::isEligible(CElementBase* e) const {
    return dynamic_cast<CPointDansRepere*>(e) != nullptr;
}

bool COutilModificationCoordonnees::precondition(const CListeAction& list, size_t) const {
    for (CActionAncetre* a : list.entries())
        if (dynamic_cast<CRepere*>(a->element)) return true;
    return false;
}

bool COutilModificationCoordonnees::edit(CListeAction& list, CElementBase* e) {
    auto* p = dynamic_cast<CPointDansRepere*>(e);
    const int limit = list.indexOf(e);
    std::vector<std::string> values{p->xv.getText(12), p->yv.getText(12)};
    // Both fields are checked before either coordinate changes.
    CValeurAssocieeAVariable x = p->xv, y = p->yv;
    for (;;) {
        if (!toolDialogs().editFields("Coordonnées du point " + p->getName(),
                                      {"Abscisse :", "Ordonnée :"}, values))
            return false;
        values.resize(2);
        if (enterParameter(list, values[0], limit, Msg::enterValue, x).ok &&
            enterParameter(list, values[1], limit, Msg::enterValue, y).ok)
            break;
    }
    p->xv = x;
    p->yv = y;
    return true;
}

bool COutilModificationBarycentre::isEligible(CElementBase* e) const {
    auto* b = dynamic_cast<CBarycentre*>(e);
    return b && !b->nodes.empty();
}

bool COutilModificationBarycentre::edit(CListeAction& list, CElementBase* e) {
    auto* b = dynamic_cast<CBarycentre*>(e);
    const int limit = list.indexOf(e);
    std::vector<std::string> labels, values;
    std::vector<CValeurAssocieeAVariable> weights;
    for (const auto& n : b->nodes) {
        labels.push_back("Coefficient du point " + (n->point ? n->point->getName() : "") + " :");
        values.push_back(n->weight.getText(12));
        weights.push_back(n->weight);
    }
    for (;;) {
        if (!toolDialogs().editFields("Coefficients du barycentre " + b->getName(), labels, values))
            return false;
        // The dialog may come back with fewer fields than asked: a missing one is empty.
        values.resize(weights.size());
        bool ok = true;
        for (size_t i = 0; ok && i < weights.size(); ++i)
            ok = enterParameter(list, values[i], limit, Msg::enterCoefficient, weights[i]).ok;
        if (ok) break;
    }
    for (size_t i = 0; i < weights.size(); ++i) b->nodes[i]->weight = weights[i];
    return true;
}
