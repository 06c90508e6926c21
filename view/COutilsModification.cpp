#include "view/COutilsModification.h"

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CPointAncetre.h"
#include "values/CValeurDynamique.h"
#include "view/CFigureRenderer.h"
#include "view/CGestionSouris.h"
#include "view/COutilsValeurs.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
CValeurAssocieeAVariable* radiusOf(CElementBase* e) {
    auto* c = dynamic_cast<CCercleOR*>(e);
    return c ? &c->radiusValue : nullptr;
}
CValeurAssocieeAVariable* abscissaOf(CElementBase* e) {
    auto* p = dynamic_cast<CPointParAbscisse*>(e);
    return p ? &p->t : nullptr;
}

// The visible existing entries whose value the tool changes.
std::vector<CActionAncetre*> eligible(CPelvantiDoc& doc, const ModifyDesc& d) {
    std::vector<CActionAncetre*> out;
    for (CActionAncetre* e : doc.graphicList().entries()) {
        auto* g = dynamic_cast<CElementGraphique*>(e->element);
        if (!(e->nature & d.natures) || !g || !g->exists) continue;
        if (g->masked && drawingState().hideMasked) continue;
        if (d.valueOf(g)) out.push_back(e);
    }
    return out;
}
}  // namespace

const std::vector<ModifyDesc>& modifyToolTable() {
    // clang-format off
    static const std::vector<ModifyDesc> table = {
        {Cmd::modifyRadius, "Modifier", "Rayon d'un cercle", Msg::promptModifyRadius, nat::cercle, Msg::needCircleByRadius, "Modifier rayon cercle", "Rayon du cercle", "Rayon :", Msg::enterRadius, true, radiusOf},
        {Cmd::modifyAbscissa, "Modifier", "Abscisse d'un point", Msg::promptModifyAbscissa, nat::pointConstruit, Msg::needPointByAbscissa, "Modifier abscisse", "Point défini par son abscisse", "Abscisse :", Msg::enterValue, false, abscissaOf},
    };
    // clang-format on
    return table;
}

std::string COutilModification::prompt(int) const {
    return toolText(desc_.promptId);
}

bool COutilModification::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    if (!eligible(*view->document(), desc_).empty()) return true;
    toolMessage(desc_.unavailable, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool COutilModification::activate(CPelvantiView* view) {
    COutil::activate(view);
    EtatOutils& st = etatOutils();
    st.natureFilter = desc_.natures;
    st.blinkList.clear();
    if (view)
        for (CActionAncetre* e : eligible(*view->document(), desc_)) st.blinkList.append(e);
    installHandler(blinkingHandler(), view);
    if (view) view->startBlinking();
    return true;
}

void COutilModification::deactivate(CPelvantiView* view) {
    if (view) view->stopBlinking();
    COutil::deactivate(view);
}

bool COutilModification::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (!st.designatedObject || !view) return false;
    CValeurAssocieeAVariable* value = desc_.valueOf(st.designatedObject->element);
    if (!value) return false;
    CListeAction& list = view->document()->list();
    std::vector<std::string> values{value->getText(12)};
    CValeurAssocieeAVariable typed;
    for (;;) {
        if (!toolDialogs().editFields(desc_.title, {desc_.label}, values)) return false;
        if (!readValue(list, values[0], typed, desc_.emptyMessage,
                       list.indexOf(st.designatedObject->element)))
            continue;
        // A value defined after the object cannot be its parent.
        if (typed.isReference() &&
            list.indexOf(typed.reference) > list.indexOf(st.designatedObject->element)) {
            toolMessage(Msg::valueDefinedAfter, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        if (desc_.positive && !typed.isReference() && typed.getValue() <= 0) {
            toolMessage(Msg::radiusNotPositive, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        break;
    }
    *value = typed;
    view->stopBlinking();
    finishConstruction(view);
    return true;
}
