#include "view/COutilsEdition.h"

#include <cmath>

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"
#include "values/CCalcul.h"
#include "view/CFigureRenderer.h"
#include "view/CGestionSouris.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
constexpr Nature kAllGraphic = nat::graphique;
// Erasing and deleting skip frames; unmasking skips macro buttons too.
constexpr Nature kErasable = nat::graphique & ~nat::repere;
constexpr Nature kUnmaskable = kErasable & ~nat::macro;

CElementGraphique* graphic(CActionAncetre* e) {
    return e ? dynamic_cast<CElementGraphique*>(e->element) : nullptr;
}

bool applyName(CPelvantiView* view, CActionAncetre* e) {
    CElementGraphique* g = graphic(e);
    if (!g) return false;
    CListeAction& list = view->document()->list();
    std::vector<std::string> values{g->getName()};
    for (;;) {
        if (!toolDialogs().editFields("Nom d'un point ou d'une droite", {"Nom :"}, values))
            return false;
        const std::string& name = values[0];
        // A name that a measure or a formula shows must stay.
        if (name.empty() && list.anyUsesNameOf(g)) {
            toolMessageText("Le nom doit être défini\ncar une mesure dépend\nde ce point",
                            MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        if (!name.empty() && list.isPointOrLineNameUsed(g, name)) {
            toolMessageText("Ce nom est déjà celui d'un autre point\nou d'une autre droite",
                            MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        if (name == g->getName()) return false;
        // Formulas name the measures of this object as they were typed: they follow the rename.
        const NameOverrides oldNames = measureNamesUsing(list, g);
        g->setName(name);
        renameMeasuresInFormulas(list, oldNames);
        return true;
    }
}

bool applyErase(CPelvantiView*, CActionAncetre* e) {
    CElementGraphique* g = graphic(e);
    if (!g || g->masked) return false;
    g->hide();
    return true;
}

bool applyUnmask(CPelvantiView*, CActionAncetre* e) {
    CElementGraphique* g = graphic(e);
    if (!g || !g->masked) return false;
    g->show();
    return true;
}

bool applyDelete(CPelvantiView* view, CActionAncetre* e) {
    view->document()->deleteWithDependents(e->element);
    return true;
}

bool applyPalette(CPelvantiView*, CActionAncetre* e) {
    CElementGraphique* g = graphic(e);
    if (!g) return false;
    const EtatPalettes& pal = etatPalettes();
    g->setColour(static_cast<int8_t>(pal.colour));
    if (auto* l = dynamic_cast<CElementLigne*>(g))
        l->setLineStyle(static_cast<uint8_t>(pal.lineStyle));
    if (auto* p = dynamic_cast<CPointAncetre*>(g)) p->pointStyle = pal.pointStyle;
    return true;
}

bool reclass(CPelvantiView* view, CActionAncetre* e, bool toEnd) {
    CPelvantiDoc* doc = view->document();
    const bool moved = toEnd ? doc->reclassToEnd(e) : doc->reclassToBeginning(e);
    toolMessageText(moved ? "L'objet a été reclassé" : "L'objet ne peut pas être reclassé",
                    MB_OK | MB_ICONINFORMATION);
    return moved;
}

// A linked point becomes a free point where it stands.
bool applyUnlink(CPelvantiView* view, CActionAncetre* e) {
    auto* lp = e ? dynamic_cast<CPointLie*>(e->element) : nullptr;
    if (!lp) return false;
    CPelvantiDoc* doc = view->document();
    auto p = std::make_unique<CPointBase>(lp->x, lp->y, lp->colour, lp->pointStyle);
    p->copyAttributesFrom(*lp);
    p->mobile = lp->mobile;
    CPointBase* raw = p.get();
    const int index = doc->list().indexOf(lp);
    doc->list().replaceReferenceEverywhere(lp, raw);
    doc->replaceEntryAt(index, new CAction(nat::pointLibre, std::move(p)));
    return true;
}
}  // namespace

const std::vector<EditDesc>& editToolTable() {
    // clang-format off
    static const std::vector<EditDesc> table = {
        {Cmd::name, "Modifier", "Nom d'un point ou d'une droite", Msg::promptName, nat::pointOuDroite, {Msg::needPointOrLine}, false, "Nommer point ou droite", false, applyName},
        {Cmd::erase, "Modifier", "Gommer des objets", Msg::promptErase, kErasable, {Msg::needGraphic}, false, "Gommer objet", false, applyErase},
        {Cmd::unmask, "Modifier", "Démasquer des objets gommés", Msg::promptUnmask, kUnmaskable, {Msg::needErased}, false, "Apparition Objet Caché", true, applyUnmask},
        {Cmd::palette, "Modifier", "Couleur ou style de trait d'un objet", Msg::promptPalette, kAllGraphic, {Msg::needGraphic}, false, "Outil palette", false, applyPalette},
        {Cmd::unlinkPoint, "Modifier/Suppression d'une liaison", "Entre un point et un objet", Msg::promptUnlink, kLinkedPoints, {Msg::needLinkedPoint}, true, "Supprimer liaison", false, applyUnlink},
        {Cmd::deleteObject, "Supprimer", "Objet graphique", Msg::promptDelete, kErasable, {Msg::needGraphic}, true, "Supprimer objet", false, applyDelete},
        {Cmd::moveToEnd, "&Edition/Reclasser en fin de liste", "Un objet graphique", Msg::promptMoveToEnd, kAllGraphic, {Msg::needVisibleGraphic}, true, "Reclasser en fin de liste", false,
         [](CPelvantiView* v, CActionAncetre* e) { return reclass(v, e, true); }},
        {Cmd::moveToStart, "&Edition/Reclasser en début de liste", "Un objet graphique", Msg::promptMoveToStart, kAllGraphic, {Msg::needVisibleGraphic}, true, "Reclasser en début de liste", false,
         [](CPelvantiView* v, CActionAncetre* e) { return reclass(v, e, false); }},
    };
    // clang-format on
    return table;
}

// ---------------------------------------------------------------------------------------------

std::string COutilEdition::prompt(int step) const {
    return toolText(desc_.promptId + step);
}

bool COutilEdition::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    for (int id : desc_.unavailable)
        if (!preconditionHolds(id, *view->document())) {
            toolMessage(id, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    return true;
}

bool COutilEdition::activate(CPelvantiView* view) {
    COutil::activate(view);
    etatOutils().natureFilter = desc_.natures;
    if (desc_.maskedOnly) {
        // Masked objects are drawn dotted while the tool works.
        if (drawingState().hideMasked && view) {
            drawingState().hideMasked = false;
            view->redraw();
        }
        installHandler(maskedHandler(), view);
    } else {
        installHandler(standardHandler(), view);
    }
    return true;
}

void COutilEdition::deactivate(CPelvantiView* view) {
    COutilClignotant::deactivate(view);
    if (desc_.maskedOnly && !drawingState().hideMasked) {
        drawingState().hideMasked = true;
        if (view) view->redraw();
    }
}

bool COutilEdition::designate(CPelvantiView* view) {
    CActionAncetre* e = etatOutils().designatedObject;
    if (!e || !view) return false;
    if (!desc_.apply(view, e)) return false;
    etatOutils().designatedObject = nullptr;
    finishConstruction(view);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Tests

namespace {
bool near(double a, double b) {
    return std::fabs(a - b) < 1e-9;
}

bool exist(const std::vector<CElementBase*>& v) {
    for (CElementBase* e : v)
        if (!e || !e->exists) return false;
    return true;
}
}  // namespace

std::string testVerdict(int command, const std::vector<CElementBase*>& o) {
    if (!exist(o)) return {};
    auto P = [&](size_t i) { return dynamic_cast<CPointAncetre*>(o[i]); };
    auto D = [&](size_t i) { return dynamic_cast<CDroite*>(o[i]); };
    switch (command) {
        case Cmd::testParallel:
        case Cmd::testOrthogonal: {
            CDroite *a = D(0), *b = D(1);
            if (!a || !b) return {};
            const double angle = std::fabs(geo::signedAngle(a->wx, a->wy, b->wx, b->wy));
            if (command == Cmd::testParallel)
                return near(angle, 0) || near(angle, geo::kPi)
                           ? "Les deux droites sont parallèles "
                           : "Les deux droites ne sont pas parallèles ";
            return near(angle, geo::kPi / 2) ? "Les deux droites sont perpendiculaires "
                                             : "Les deux droites ne sont pas perpendiculaires ";
        }
        case Cmd::testAligned: {
            CPointAncetre *a = P(0), *b = P(1), *c = P(2);
            if (!a || !b || !c) return {};
            return geo::collinear(b->x - a->x, b->y - a->y, c->x - a->x, c->y - a->y)
                       ? "Les points sont alignés"
                       : "Les points ne sont pas alignés";
        }
        case Cmd::testMidpoint: {
            CPointAncetre *a = P(0), *b = P(1), *c = P(2);
            if (!a || !b || !c) return {};
            return near(2 * a->x, b->x + c->x) && near(2 * a->y, b->y + c->y)
                       ? "Le premier point est le milieu\ndu segment formé par les deux autres"
                       : "Le premier point n'est pas le milieu\ndu segment formé par les deux "
                         "autres";
        }
        case Cmd::testEquidistant: {
            CPointAncetre *a = P(0), *b = P(1), *c = P(2);
            if (!a || !b || !c) return {};
            return near(std::hypot(b->x - a->x, b->y - a->y), std::hypot(c->x - a->x, c->y - a->y))
                       ? "Le premier point est équidistant\n des deux derniers"
                       : "Le premier point n'est pas équidistant\n des deux derniers";
        }
        case Cmd::testOnCircle: {
            auto* c = dynamic_cast<CCercle*>(o[0]);
            CPointAncetre* p = P(1);
            if (!c || !p) return {};
            const bool on = near(std::hypot(p->x - c->centreX, p->y - c->centreY), c->radius) &&
                            c->containsCirclePoint(p->x, p->y);
            return on ? "Le  point appartient au cercle" : "Le n'appartient pas au cercle";
        }
        default:
            return {};
    }
}

namespace {
template <int Command>
ToolEntries showVerdict(ToolContext& c) {
    if (c.preview) return {};
    const std::string v = testVerdict(Command, c.parents);
    toolMessageText(v.empty() ? toolText(Msg::objectUndefined) : v, MB_OK | MB_ICONINFORMATION);
    return {};
}
constexpr Nature P = nat::point;
}  // namespace

const std::vector<ToolDesc>& testToolTable() {
    // clang-format off
    static const std::vector<ToolDesc> table = {
        {Cmd::testParallel, "Test", "Test de parallélisme", Msg::promptTestParallel1, {kLineLike, kLineLike}, 0, {Msg::needTwoLines}, true, nullptr, showVerdict<Cmd::testParallel>},
        {Cmd::testOrthogonal, "Test", "Test d'orthogonalité", Msg::promptTestOrthogonal1, {kLineLike, kLineLike}, 0, {Msg::needTwoLines}, true, nullptr, showVerdict<Cmd::testOrthogonal>},
        {Cmd::testAligned, "Test", "Test d'alignement de 3 points", Msg::promptTestAligned1, {P, P, P}, 0, {Msg::needThreePoints}, true, nullptr, showVerdict<Cmd::testAligned>},
        {Cmd::testMidpoint, "Test", "Test de milieu", Msg::promptTestMidpoint1, {P, P, P}, 0, {Msg::needThreePoints}, true, nullptr, showVerdict<Cmd::testMidpoint>},
        {Cmd::testEquidistant, "Test", "Test d'équidistance", Msg::promptTestEquidistant1, {P, P, P}, 0, {Msg::needThreePoints}, true, nullptr, showVerdict<Cmd::testEquidistant>},
        {Cmd::testOnCircle, "Test", "Test d'appartenance à cercle", Msg::promptTestOnCircle1, {kCircles, P}, 0, {Msg::needPointAndCircle}, true, nullptr, showVerdict<Cmd::testOnCircle>},
    };
    // clang-format on
    return table;
}

// ---------------------------------------------------------------------------------------------
// Link

const ToolDesc& linkToolDesc() {
    static const ToolDesc desc{Cmd::linkPoint,
                               "Modifier/Création d'une liaison",
                               "Entre un point et un objet",
                               Msg::promptLink1,
                               {nat::pointLibre, kLinkable | nat::point},
                               0,
                               {Msg::needFreePoint},
                               true,
                               "Créer liaison",
                               nullptr};
    return desc;
}

bool COutilLiaison::build(CPelvantiDoc* doc) {
    if (designated_.size() < 2) return false;
    auto* free = dynamic_cast<CPointBase*>(designated_[0]);
    CElementBase* target = designated_[1];
    if (!free || !target) return false;
    CListeAction& list = doc->list();
    if (target->dependsOn(free)) {
        toolMessageText("Le point ne peut pas être lié à un objet\nqui dépend de lui",
                        MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    std::unique_ptr<CPointLie> p;
    if (auto* d = dynamic_cast<CDroite*>(target))
        p = std::make_unique<CPointLieDroite>(d, 0.0, free->colour, free->pointStyle);
    else if (auto* c = dynamic_cast<CCercle*>(target))
        p = std::make_unique<CPointLieCercle>(c, 0.0, free->colour, free->pointStyle);
    else if (auto* l = dynamic_cast<CLignePolygonaleAncetre*>(target))
        p = std::make_unique<CPointLieLigne>(l, 0.0, free->colour, free->pointStyle);
    else if (auto* q = dynamic_cast<CPointAncetre*>(target))
        p = std::make_unique<CPointLiePoint>(q, free->colour, free->pointStyle);
    if (!p) return false;
    // Parents stand before their dependents: the point and what depends on it go after the
    // object it is linked to.
    if (list.indexOf(target) > list.indexOf(free)) doc->reclassToEnd(list.entryOf(free));
    p->copyAttributesFrom(*free);
    LSize area = activeDrawingArea();
    CViewBounds bounds({0, 0, area.cx, area.cy});
    double x, y, t;
    p->computePosition();
    if (p->positionFromMouse(bounds, static_cast<int>(free->x), static_cast<int>(free->y), &x, &y,
                             &t))
        p->abscissa = t;
    CPointLie* raw = p.get();
    const int index = list.indexOf(free);
    list.replaceReferenceEverywhere(free, raw);
    doc->replaceEntryAt(index, new CAction(nat::pointLie, std::move(p)));
    list.computeAll();
    return true;
}
