#include "view/COutilsLieux.h"

#include <cstdlib>

#include "core/CHost.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"
#include "geometry/CSurface.h"
#include "loci/CLieuDeBase.h"
#include "loci/CLieuDiscretDeBase.h"
#include "loci/CLieuObjetAncetre.h"
#include "loci/CSurfaceLieu.h"
#include "values/CVariable.h"
#include "view/CFigureRenderer.h"
#include "view/CGestionSouris.h"
#include "view/COutilsCourbe.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
int8_t colour() {
    return static_cast<int8_t>(etatPalettes().colour);
}

template <class T>
T* as(ToolContext& c, size_t i) {
    return i < c.parents.size() ? dynamic_cast<T*>(c.parents[i]) : nullptr;
}

ToolEntries single(Nature n, std::unique_ptr<CElementBase> object) {
    ToolEntries out;
    out.push_back(std::make_unique<CAction>(n, std::move(object)));
    return out;
}

// The traceable objects of a locus of objects.
constexpr Nature kObjectTraced = natureMask(0x35dfe, 0x41);
// What bounds a surface by filling.
constexpr Nature kFillBounds = kLinkable | nat::lieuPoints;
}  // namespace

bool readLocusCount(const std::string& text, int& n) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 2 || v > 2000) {
        toolMessageText("Le nombre de points doit être\ncompris entre 2 et 2000",
                        MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    n = static_cast<int>(v);
    return true;
}

namespace {
// The locus dialog: the number of points, and whether a locus of points is closed. False on
// Cancel.
bool askLocus(LocusKind kind, int& n, bool& closed) {
    std::vector<std::string> labels{kind == LocusKind::objects ? "Nombre d'objets :"
                                                               : "Nombre de points :"};
    std::vector<std::string> values{std::to_string(n)};
    if (kind == LocusKind::points) {
        labels.push_back("Lieu fermé ?");
        values.push_back(closed ? "1" : "0");
    }
    for (;;) {
        if (!toolDialogs().editFields(toolText(Msg::promptLocusDialog), labels, values))
            return false;
        values.resize(labels.size());
        if (!readLocusCount(values[0], n)) continue;
        if (kind == LocusKind::points) closed = values[1] == "1";
        return true;
    }
}
}  // namespace

const std::vector<LocusDesc>& locusToolTable() {
    using K = LocusKind;
    // clang-format off
    static const std::vector<LocusDesc> table = {
        {Cmd::locusByLinkedPoint, "Créer/Lieu de points reliés", "Généré par point lié", Msg::promptLocus, nat::point, {Msg::needPoint, Msg::needLinkedPoint}, K::points, "Créer lieu de points"},
        {Cmd::discreteLocusByLinkedPoint, "Créer/Lieu de points isolés", "Généré par point lié", Msg::promptLocus, nat::point, {Msg::needPoint, Msg::needLinkedPoint}, K::discrete, "Créer lieu de points"},
        {Cmd::objectLocusByLinkedPoint, "Créer/Lieu d'objet", "Généré par point lié", Msg::promptObjectLocus, kObjectTraced, {Msg::needObjectLocusSource}, K::objects, "Créer lieu d'objet "},
        {Cmd::locusByVariable, "Créer/Lieu de points reliés", "Généré par variable", Msg::promptLocusVariable, nat::point, {Msg::needPoint, Msg::needVariable}, K::points, "Créer lieu de points", true},
        {Cmd::discreteLocusByVariable, "Créer/Lieu de points isolés", "Généré par variable", Msg::promptLocusVariable, nat::point, {Msg::needPoint, Msg::needVariable}, K::discrete, "Créer lieu de points", true},
        {Cmd::objectLocusByVariable, "Créer/Lieu d'objet", "Généré par variable", Msg::promptObjectLocusVariable, kObjectTraced, {Msg::needVariableToActivate, Msg::needObjectLocusSource}, K::objects, "Créer lieu d'objet ", true},
    };
    // clang-format on
    return table;
}

bool COutilLieu::isAvailable() {
    return preconditionsHold(desc_.unavailable);
}

std::string COutilLieu::prompt(int step) const {
    if (desc_.byVariable) return toolText(desc_.promptId + (variable_ ? 1 : 0));
    return toolText(step == 0 ? desc_.promptId : Msg::promptLocusGenerator);
}

bool COutilLieu::activate(CPelvantiView* view) {
    traced_ = nullptr;
    if (desc_.byVariable && !variable_ && view) {
        variable_ = chooseVariable(view->document()->list(), toolText(desc_.promptId));
        if (!variable_) {
            revenirCapture(view);
            return true;
        }
    }
    COutil::activate(view);
    etatOutils().natureFilter = desc_.traced;
    installHandler(standardHandler(), view);
    return true;
}

void COutilLieu::deactivate(CPelvantiView* view) {
    traced_ = nullptr;
    variable_ = nullptr;
    COutilClignotant::deactivate(view);
}

bool COutilLieu::offerGenerators(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    int found = 0;
    for (CActionAncetre* e : view->document()->graphicList().entries()) {
        auto* p = dynamic_cast<CPointLie*>(e->element);
        if (!p || !(e->nature & nat::pointLie) || !traced_->dependsOn(p)) continue;
        ++found;
        if (!p->masked) st.blinkList.append(e);
    }
    if (found == 0) {
        toolMessage(Msg::notOnLinkedPoint, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (st.blinkList.empty()) {
        toolMessage(Msg::linkedPointsMasked, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    st.natureFilter = nat::pointLie;
    installHandler(blinkingHandler(), view);
    view->startBlinking();
    setPrompt(prompt(1));
    return true;
}

bool COutilLieu::designate(CPelvantiView* view) {
    CActionAncetre* e = etatOutils().designatedObject;
    if (!e || !view) return false;
    CElementBase* generator = e->element;
    if (!traced_ && desc_.byVariable) {
        if (!e->element->dependsOn(variable_)) {
            toolMessageText("\nL'objet cliqué ne dépend pas\nde la variable choisie",
                            MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        traced_ = e->element;
        generator = variable_;
    } else if (!traced_) {
        traced_ = e->element;
        if (!offerGenerators(view)) activate(view);
        return false;
    }
    view->stopBlinking();
    const bool done = build(*view->document(), generator);
    traced_ = nullptr;
    if (done) {
        finishConstruction(view);
    } else {
        view->recomputeAndRedraw();
        activate(view);
    }
    return done;
}

bool COutilLieu::build(CPelvantiDoc& doc, CElementBase* generator) {
    auto* g = dynamic_cast<CPointLie*>(generator);
    auto* v = dynamic_cast<CVariableBornee*>(generator);
    CListeAction* list = &doc.list();
    if ((!g && !v) || !list->contains(traced_)) return false;
    int n = desc_.kind == LocusKind::objects ? 10 : preferences().locusPointsNumber;
    bool closed = false;
    if (!askLocus(desc_.kind, n, closed)) return false;
    auto* point = dynamic_cast<CPointAncetre*>(traced_);
    auto* object = dynamic_cast<CElementGraphique*>(traced_);
    const int ps = etatPalettes().pointStyle, ls = etatPalettes().lineStyle;
    std::unique_ptr<CElementBase> locus;
    Nature nature = nat::lieuPoints;
    switch (desc_.kind) {
        case LocusKind::points:
            if (g)
                locus = std::make_unique<CLieuDePoints>(list, point, g, n, closed, colour(), ls);
            else
                locus = std::make_unique<CLieuParVariable>(list, point, v, n, closed, colour(), ls);
            break;
        case LocusKind::discrete:
            nature = nat::lieuDiscret;
            if (g)
                locus = std::make_unique<CLieuDiscretParPointLie>(list, point, g, ps, n, colour());
            else
                locus = std::make_unique<CLieuDiscretParVariable>(list, point, v, ps, n, colour());
            break;
        case LocusKind::objects:
            nature = nat::lieuObjets;
            if (g)
                locus = std::make_unique<CLieuObjetParPtLie>(list, object, g, n, colour());
            else
                locus = std::make_unique<CLieuObjetParVariable>(list, object, v, n, colour());
            break;
    }
    return addValidated(doc, single(nature, std::move(locus)));
}

// ---------------------------------------------------------------------------------------------

const std::vector<ParamModifyDesc>& locusModifyToolTable() {
    // clang-format off
    static const std::vector<ParamModifyDesc> table = {
        {Cmd::modifyLocus, "Modifier", "Lieu de points", Msg::promptModifyLocus, nat::lieuPoints | nat::lieuDiscret, {Msg::needLocus}, "Modifier lieu de points"},
        {Cmd::modifyObjectLocus, "Modifier", "Lieu d'objet", Msg::promptModifyObjectLocus, nat::lieuObjets, {Msg::needObjectLocus}, "Modifier lieu d'objet"},
    };
    // clang-format on
    return table;
}

bool COutilModificationLieu::isEligible(CElementBase* e) const {
    return dynamic_cast<CLieuDeBase*>(e) || dynamic_cast<CLieuDiscretDeBase*>(e) ||
           dynamic_cast<CLieuObjetAncetre*>(e);
}

bool COutilModificationLieu::edit(CListeAction&, CElementBase* e) {
    if (auto* l = dynamic_cast<CLieuDeBase*>(e)) {
        int n = l->pointCount;
        bool closed = l->closed;
        if (!askLocus(LocusKind::points, n, closed)) return false;
        l->setPointCount(n, closed);
    } else if (auto* d = dynamic_cast<CLieuDiscretDeBase*>(e)) {
        int n = d->pointCount;
        bool unused = false;
        if (!askLocus(LocusKind::discrete, n, unused)) return false;
        d->setPointCount(n, d->secondParameter);
    } else if (auto* o = dynamic_cast<CLieuObjetAncetre*>(e)) {
        int n = o->copyCount;
        bool unused = false;
        if (!askLocus(LocusKind::objects, n, unused)) return false;
        o->setPointCount(n);
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Surfaces

bool COutilCreationSurfaceParRemplissage::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    CActionAncetre* e = st.designatedObject;
    if (!e) return false;
    designated_.push_back(e->element);
    st.blinkList.append(e);
    st.pendingList.append(e);
    st.natureFilter = kFillBounds;
    if (view) view->startBlinking();
    setPrompt(prompt(1));
    return false;
}

void COutilCreationSurfaceParRemplissage::onRightClick(CPelvantiView* view) {
    if (designated_.size() < 2) return;
    if (completeAndRestart(view)) revenirCapture(view);
}

bool COutilCreationSurfaceParRemplissage::build(CPelvantiDoc* doc) {
    auto* start = dynamic_cast<CPointAncetre*>(designated_[0]);
    std::vector<CElementGraphique*> bounds;
    for (size_t i = 1; i < designated_.size(); ++i)
        if (auto* g = dynamic_cast<CElementGraphique*>(designated_[i])) bounds.push_back(g);
    return start &&
           addValidated(*doc, single(nat::surface, std::make_unique<CSurfaceRemplie>(
                                                       start, bounds, &doc->list(),
                                                       etatPalettes().fillStyle, colour())));
}

namespace {
using C = ToolContext;

ToolEntries buildBoundedSurface(C& c) {
    const int style = etatPalettes().fillStyle;
    std::unique_ptr<CElementBase> s;
    if (auto* p = as<CPolygone>(c, 0))
        s = std::make_unique<CSurfacePolygone>(p, style, colour());
    else if (auto* a = as<CArcDeCercleAncetre>(c, 0))
        s = std::make_unique<CSurfaceSecteurCirculaire>(a, style, colour());
    else if (auto* ci = as<CCercle>(c, 0))
        s = std::make_unique<CSurfaceDisque>(ci, style, colour());
    else if (auto* l = as<CLieuDeBase>(c, 0))
        s = std::make_unique<CSurfaceLieu>(l, style, colour());
    if (!s) return {};
    return single(nat::surface, std::move(s));
}

ToolEntries buildLocusLineSurface(C& c) {
    return single(nat::surface,
                  std::make_unique<CSurfaceLieuDroite>(as<CLieuDeBase>(c, 0), as<CDroite>(c, 1),
                                                       etatPalettes().fillStyle, colour()));
}

ToolEntries buildTwoLociSurface(C& c) {
    return single(nat::surface,
                  std::make_unique<CSurfaceDeuxLieux>(as<CLieuDeBase>(c, 0), as<CLieuDeBase>(c, 1),
                                                      etatPalettes().fillStyle, colour()));
}

ToolEntries buildLocusTwoPointsSurface(C& c) {
    return single(nat::surface, std::make_unique<CSurfaceLieuDeuxPoints>(
                                    as<CLieuDeBase>(c, 0), as<CPointAncetre>(c, 1),
                                    as<CPointAncetre>(c, 2), etatPalettes().fillStyle, colour()));
}

ToolEntries buildHalfPlane(C& c) {
    return single(nat::demiPlan,
                  std::make_unique<CDemiPlan>(as<CDroite>(c, 0), as<CPointAncetre>(c, 1),
                                              etatPalettes().fillStyle, colour()));
}

ToolEntries buildDuplicate(C& c) {
    return single(nat::objetDuplique,
                  std::make_unique<CObjetDuplique>(as<CElementGraphique>(c, 0), colour()));
}
}  // namespace

const std::vector<ToolDesc>& surfaceToolTable() {
    constexpr Nature L = nat::lieuPoints;
    constexpr Nature P = nat::point;
    // clang-format off
    static const std::vector<ToolDesc> table = {
        {Cmd::surfaceBounded, "Créer/Surface", "Délimitée par ligne ou lieu", Msg::promptSurfaceBounded, {nat::cercle | nat::arc | L | nat::polygone}, 0, {Msg::needSurfaceBoundary}, true, "Créer surface", buildBoundedSurface},
        {Cmd::surfaceLocusLine, "Créer/Surface", "Délimitée par lieu et droite", Msg::promptSurfaceLocusLine1, {L, kLineLike}, 0, {Msg::needLocusAndLine}, true, "Créer surface", buildLocusLineSurface},
        {Cmd::surfaceTwoLoci, "Créer/Surface", "Délimitée par deux lieux", Msg::promptSurfaceTwoLoci1, {L, L}, 0, {Msg::needTwoLoci}, true, "Créer surface", buildTwoLociSurface},
        {Cmd::surfaceLocusTwoPoints, "Créer/Surface", "Délimitée par lieu et deux points", Msg::promptSurfaceLocusTwoPoints1, {L, P, P}, 0, {Msg::needLocusAndTwoPoints}, true, "Créer surface", buildLocusTwoPointsSurface},
        {Cmd::duplicate, "Créer", "Dupliqué d'un objet", Msg::promptDuplicate, {natureMask(0xa013ffff, 0x24f)}, 0, {Msg::needDuplicable}, true, "Dupliquer un objet", buildDuplicate},
        {Cmd::halfPlane, "Créer/Surface", "Demi-plan", Msg::promptHalfPlane1, {nat::droite, P}, 0, {Msg::needPointAndBorder}, true, "Créer demi-plan", buildHalfPlane},
        {Cmd::surfaceFilling, "Créer/Surface", "Par remplissage", Msg::promptSurfaceFilling1, {P}, 0, {Msg::needPointAndTwoLines}, true, "Créer surface par remplissage", nullptr},
    };
    // clang-format on
    return table;
}
