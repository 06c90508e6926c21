// Tools whose objects carry a typed value or a list of weighted points: circle by centre and
// radius, point by abscissa, arcs by angle and by end point, barycentre, frame, unit length.
#include "view/COutilsValeurs.h"

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CPointAncetre.h"
#include "geometry/CRepere.h"
#include "measures/CMesure.h"
#include "values/CValeurDynamique.h"
#include "values/ValueDialogs.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

bool readValue(const CListeAction& list, std::string text, CValeurAssocieeAVariable& out,
               int emptyMessage, int limitIndex) {
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    while (!text.empty() && text.back() == ' ') text.pop_back();
    const int limit = limitIndex < 0 ? list.count() : limitIndex;
    return enterParameter(list, text, limit, emptyMessage, out).ok;
}

namespace {
int8_t colour() {
    return static_cast<int8_t>(etatPalettes().colour);
}

CPointAncetre* pt(ToolContext& c, size_t i) {
    return i < c.parents.size() ? dynamic_cast<CPointAncetre*>(c.parents[i]) : nullptr;
}

ToolEntries entry(Nature n, std::unique_ptr<CElementBase> o) {
    ToolEntries out;
    out.push_back(std::make_unique<CAction>(n, std::move(o)));
    return out;
}

ToolEntries buildCircleRadius(ToolContext& c) {
    CPointAncetre* o = pt(c, 0);
    if (!o || c.preview) return {};
    std::vector<std::string> values{""};
    for (;;) {
        if (!toolDialogs().editFields("Cercle par centre et rayon", {"Rayon :"}, values)) return {};
        CValeurAssocieeAVariable r;
        if (!readValue(c.doc->list(), values[0], r, Msg::enterRadius)) continue;
        if (!r.isReference() && r.getValue() <= 0) {
            toolMessage(Msg::radiusNotPositive, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        return entry(nat::cercle, std::make_unique<CCercleOR>(o, r, &c.doc->list(), colour(),
                                                              etatPalettes().lineStyle));
    }
}

ToolEntries buildPointByAbscissa(ToolContext& c) {
    if (c.preview) return {};
    std::vector<std::string> values{""};
    for (;;) {
        if (!toolDialogs().editFields("Point défini par son abscisse", {"Abscisse :"}, values))
            return {};
        CValeurAssocieeAVariable t;
        if (!readValue(c.doc->list(), values[0], t, Msg::enterValue)) continue;
        return entry(nat::pointConstruit,
                     std::make_unique<CPointParAbscisse>(pt(c, 0), pt(c, 1), t, colour(),
                                                         etatPalettes().pointStyle));
    }
}

template <class Arc>
ToolEntries buildArcByEnd(ToolContext& c) {
    return entry(nat::arc, std::make_unique<Arc>(pt(c, 0), pt(c, 1), pt(c, 2), colour(),
                                                 etatPalettes().lineStyle));
}

// By angle: the preview follows the mouse as an arc by end point; the click fixes the angle
// from the origin to the mouse.
template <class Arc>
ToolEntries buildArcByAngle(ToolContext& c) {
    CPointAncetre* o = pt(c, 0);
    CPointAncetre* a = pt(c, 1);
    if (!o || !a) return {};
    if (c.preview)
        return entry(nat::arc,
                     std::make_unique<Arc>(o, a, pt(c, 2), colour(), etatPalettes().lineStyle));
    const double angle = geo::signedAngle(a->x - o->x, a->y - o->y, c.x - o->x, c.y - o->y);
    return entry(nat::arc, std::make_unique<Arc>(o, a, CValeurAngle(angle), colour(),
                                                 etatPalettes().lineStyle));
}

ToolEntries buildFrame(ToolContext& c) {
    CPointAncetre *o = pt(c, 0), *i = pt(c, 1), *j = pt(c, 2);
    if (!o || !i || !j || c.preview) return {};
    std::vector<std::string> values{"0", "0"};
    CValeurAssocieeAVariable a, b;
    for (;;) {
        if (!toolDialogs().editFields(
                "Repère", {"Abscisse de l'origine :", "Ordonnée de l'origine :"}, values))
            return {};
        if (readValue(c.doc->list(), values[0], a, Msg::enterValue) &&
            readValue(c.doc->list(), values[1], b, Msg::enterValue))
            break;
    }
    const int8_t col = colour();
    auto x = std::make_unique<CDroiteAB>(o, i, col, etatPalettes().lineStyle);
    auto y = std::make_unique<CDroiteAB>(o, j, col, etatPalettes().lineStyle);
    auto frame =
        std::make_unique<CRepere>(o, i, j, x.get(), y.get(), a, b, false, false, false, col);
    ToolEntries out;
    out.push_back(std::make_unique<CAction>(nat::droite, std::move(x)));
    out.push_back(std::make_unique<CAction>(nat::droite, std::move(y)));
    out.push_back(std::make_unique<CAction>(nat::repere, std::move(frame)));
    return out;
}

ToolEntries buildUnitLength(ToolContext& c) {
    if (c.preview) return {};
    auto unit = std::make_unique<CLongueur>(&c.doc->list(), pt(c, 0), pt(c, 1));
    // A length exists only against a unit length: the new one is the unit from the start, so
    // that it is computed as defined. A refused creation removes it, and the list forgets it.
    c.doc->list().unitLength = unit.get();
    return entry(nat::mesure, std::move(unit));
}

constexpr Nature P = nat::point;
}  // namespace

// ---------------------------------------------------------------------------------------------

bool COutilArcParAngle::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    // The third click ends the arc wherever it is.
    if (designated_.size() == 2) return completeAndRestart(view);
    if (!st.designatedObject) return false;
    COutilDesigne::designate(view);
    if (designated_.size() == 2) st.natureFilter = 0;
    return false;
}

bool COutilFrame::build(CPelvantiDoc* doc) {
    if (!COutilDesigne::build(doc)) return false;
    std::string names;
    for (size_t i = 0; i < 3 && i < designated_.size(); ++i) {
        if (i) names += ", ";
        if (auto* g = dynamic_cast<CElementGraphique*>(designated_[i])) names += g->getName();
    }
    toolMessageText("Le repère (" + names + ")\n" + " a été créé", MB_OK | MB_ICONINFORMATION);
    return true;
}

bool COutilUnitLength::isAvailable() {
    if (!COutilDesigne::isAvailable()) return false;
    CPelvantiView* view = CPelvantiView::activeView();
    replace_ = view && view->document()->list().unitLength;
    if (replace_ && toolMessage(Msg::replaceUnitLength, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    return true;
}

bool COutilUnitLength::build(CPelvantiDoc* doc) {
    CListeAction& list = doc->list();
    if (CElementBase* old = list.unitLength) {
        // The measured lengths and what depends on them are rebuilt from the new unit.
        list.unitLength = nullptr;
        doc->deleteWithDependents(old);
    }
    if (!COutilDesigne::build(doc)) return false;
    CElementBase* unit = list.elementAt(list.count() - 1);
    list.unitLength = unit;
    list.computeAll();
    std::string name = unit->getDisplayName();
    toolMessageText(" La longueur " + name + " a été\n choisie comme longueur unité",
                    MB_OK | MB_ICONINFORMATION);
    return true;
}

// Barycentre: each click weights a point, the right click builds.
bool COutilCreationBarycentre::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (!st.designatedObject || !view) return false;
    auto* p = dynamic_cast<CPointAncetre*>(st.designatedObject->element);
    if (!p) return false;
    std::vector<std::string> values{"1"};
    CValeurAssocieeAVariable w;
    for (;;) {
        if (!toolDialogs().editFields("Coefficient du point " + p->getName(), {"Coefficient :"},
                                      values))
            return false;
        if (readValue(view->document()->list(), values[0], w, Msg::enterCoefficient)) break;
    }
    designated_.push_back(p);
    weights_.push_back(w);
    st.blinkList.append(st.designatedObject);
    st.pendingList.append(st.designatedObject);
    view->startBlinking();
    return false;
}

void COutilCreationBarycentre::onRightClick(CPelvantiView* view) {
    if (designated_.empty()) return;
    completeAndRestart(view);
}

bool COutilCreationBarycentre::build(CPelvantiDoc* doc) {
    auto b = std::make_unique<CBarycentre>(colour(), etatPalettes().pointStyle);
    for (size_t i = 0; i < designated_.size() && i < weights_.size(); ++i)
        b->addNode(dynamic_cast<CPointAncetre*>(designated_[i]), weights_[i]);
    weights_.clear();
    return addValidated(*doc, entry(nat::barycentre, std::move(b)));
}

void COutilCreationBarycentre::deactivate(CPelvantiView* view) {
    weights_.clear();
    COutilDesigne::deactivate(view);
}

const std::vector<ToolDesc>& valueToolTable() {
    // clang-format off
    static const std::vector<ToolDesc> table = {
        {Cmd::circleCentreRadius, "Créer/Ligne/Cercle", "Par centre et rayon", Msg::promptCircleRadius, {P}, 0, {Msg::needPoint, Msg::needUnitLength}, false, "Créer cercle par centre et rayon", buildCircleRadius},
        {Cmd::pointByAbscissa, "Créer/Point", "Défini par son abscisse", Msg::promptPointByAbscissa1, {P, P}, 0, {Msg::needTwoPoints}, true, "Créer point par abscisse", buildPointByAbscissa},
        {Cmd::barycentre, "Créer/Point", "Barycentre", Msg::promptBarycentre, {P}, 0, {Msg::needTwoPoints}, false, "Créer barycentre", nullptr},
        {Cmd::smallArc, "Créer/Ligne/Arc de cercle par angle", "Petit arc", Msg::promptSmallArc1, {P, P, 0}, 2, {Msg::needTwoPoints}, false, "Créer petit arc de cercle", buildArcByAngle<CArcDeCercle>},
        {Cmd::largeArc, "Créer/Ligne/Arc de cercle par angle", "Grand arc", Msg::promptLargeArc1, {P, P, 0}, 2, {Msg::needTwoPoints}, false, "Créer grand arc de cercle", buildArcByAngle<CGrandArcDeCercle>},
        {Cmd::directArc, "Créer/Ligne/Arc de cercle par angle", "Arc direct", Msg::promptDirectArc1, {P, P, 0}, 2, {Msg::needTwoPoints}, false, "Créer arc de cercle direct", buildArcByAngle<CArcDeCercleDirect>},
        {Cmd::indirectArc, "Créer/Ligne/Arc de cercle par angle", "Arc indirect", Msg::promptIndirectArc1, {P, P, 0}, 2, {Msg::needTwoPoints}, false, "Créer arc de cercle indirect", buildArcByAngle<CArcDeCercleIndirect>},
        {Cmd::smallArcByEnd, "Créer/Ligne/Arc de cercle par point final", "Petit arc", Msg::promptSmallArcByEnd1, {P, P, P}, 2, {Msg::needThreePoints}, true, "Créer petit arc de cercle", buildArcByEnd<CArcDeCercle>},
        {Cmd::largeArcByEnd, "Créer/Ligne/Arc de cercle par point final", "Grand arc", Msg::promptLargeArcByEnd1, {P, P, P}, 2, {Msg::needThreePoints}, true, "Créer grand arc de cercle", buildArcByEnd<CGrandArcDeCercle>},
        {Cmd::directArcByEnd, "Créer/Ligne/Arc de cercle par point final", "Arc direct", Msg::promptDirectArcByEnd1, {P, P, P}, 2, {Msg::needThreePoints}, true, "Créer arc de cercle direct", buildArcByEnd<CArcDeCercleDirect>},
        {Cmd::indirectArcByEnd, "Créer/Ligne/Arc de cercle par point final", "Arc indirect", Msg::promptIndirectArcByEnd1, {P, P, P}, 2, {Msg::needThreePoints}, true, "Créer arc de cercle indirect", buildArcByEnd<CArcDeCercleIndirect>},
        {Cmd::frame, "Créer", "Repère", Msg::promptFrame1, {P, P, P}, 0, {Msg::needThreePoints}, true, "Créer repère", buildFrame},
        {Cmd::unitLength, "Créer", "Longueur unité", Msg::promptUnitLength1, {P, P}, 0, {Msg::needTwoPoints}, true, "Créer longueur unité", buildUnitLength},
    };
    // clang-format on
    return table;
}
