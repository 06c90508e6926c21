#include "view/COutilsRepere.h"

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CRepere.h"
#include "values/ValueDialogs.h"
#include "view/CFigureRenderer.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
int8_t colour() {
    return static_cast<int8_t>(etatPalettes().colour);
}

ToolEntries single(Nature n, std::unique_ptr<CElementBase> object) {
    ToolEntries out;
    out.push_back(std::make_unique<CAction>(n, std::move(object)));
    return out;
}

// Asks the fields until each reads as a parameter (defined before `limit`); false on Cancel.
bool askValues(const CListeAction& list, int limit, const std::string& title,
               const std::vector<std::string>& labels, std::vector<std::string>& values,
               std::vector<CValeurAssocieeAVariable*> targets) {
    for (;;) {
        if (!toolDialogs().editFields(title, labels, values)) return false;
        values.resize(labels.size());
        bool ok = true;
        for (size_t i = 0; ok && i < targets.size(); ++i)
            ok = enterParameter(list, values[i], limit, Msg::enterValue, *targets[i]).ok;
        if (ok) return true;
    }
}

bool askAffix(const CListeAction& list, int limit, CValeurAssocieeComp& z) {
    std::vector<std::string> values{z.getText(12)};
    for (;;) {
        if (!toolDialogs().editFields("Affixe du point", {"Affixe :"}, values)) return false;
        values.resize(1);
        CValeurAssocieeComp typed = z;
        if (enterComplexParameter(list, values[0], limit, Msg::enterValue, typed).ok) {
            z = typed;
            return true;
        }
    }
}

ToolEntries buildSlopeLine(ToolContext& c) {
    auto* a = c.parents.empty() ? nullptr : dynamic_cast<CPointAncetre*>(c.parents[0]);
    if (!a || c.preview) return {};
    CListeAction& list = c.doc->list();
    CRepere* frame = chooseFrame(list);
    if (!frame) return {};
    CValeurAssocieeAVariable m;
    std::vector<std::string> values{"1"};
    if (!askValues(list, list.count(), "Droite par coefficient directeur",
                   {"Coefficient directeur :"}, values, {&m}))
        return {};
    return single(nat::droite,
                  std::make_unique<CDroiteOm>(frame, a, m, colour(), etatPalettes().lineStyle));
}

// Placed at the integer frame coordinates nearest the click.
ToolEntries buildIntegerPoint(ToolContext& c) {
    if (!c.doc || c.preview) return {};
    CRepere* frame = chooseFrame(c.doc->list());
    if (!frame) return {};
    auto p = std::make_unique<CPointBaseEnt>(frame, 0, 0, colour(), etatPalettes().pointStyle);
    const LSize area = activeDrawingArea();
    double a = 0, b = 0;
    p->positionFromMouse(CViewBounds({0, 0, area.cx, area.cy}), c.x, c.y, &a, &b);
    p->setCoordinates(a, b);
    return single(nat::pointLibre, std::move(p));
}
}  // namespace

const std::vector<ToolDesc>& frameToolTable() {
    // clang-format off
    static const std::vector<ToolDesc> table = {
        {Cmd::lineBySlope, "Créer/Ligne/Droite", "Par point et coefficient directeur", Msg::promptLineBySlope, {nat::point}, 0, {Msg::needFrame, Msg::needPoint}, true, "Créer droite par coefficient", buildSlopeLine},
        {Cmd::integerPoint, "Créer/Point", "Point libre à coordonnées entières", Msg::promptIntegerPoint, {}, 0, {Msg::needFrame}, true, "Créer point libre à coordonnées entières ", buildIntegerPoint},
    };
    // clang-format on
    return table;
}

std::string COutilPointRepere::prompt(int) const {
    return toolText(promptId());
}

int COutilPointRepere::promptId() const {
    return byAffix_ ? Msg::promptPointByAffix : Msg::promptPointByCoordinates;
}

std::string COutilPointRepere::undoLabel() const {
    return byAffix_ ? "Créer point par affixe" : "Créer point M(x;y)";
}

bool COutilPointRepere::isAvailable() {
    return preconditionsHold({Msg::needFrame});
}

bool COutilPointRepere::run(CPelvantiDoc& doc) {
    CListeAction& list = doc.list();
    CRepere* frame = chooseFrame(list);
    if (!frame) return false;
    const int ps = etatPalettes().pointStyle;
    if (byAffix_) {
        CValeurAssocieeComp z;
        return askAffix(list, list.count(), z) &&
               addValidated(doc, single(nat::pointParAffixe,
                                        std::make_unique<CPointParAffixe>(frame, z, colour(), ps)));
    }
    CValeurAssocieeAVariable x, y;
    std::vector<std::string> values{"0", "0"};
    return askValues(list, list.count(), "Point M(x;y)", {"Abscisse :", "Ordonnée :"}, values,
                     {&x, &y}) &&
           addValidated(doc, single(nat::pointDansRepere,
                                    std::make_unique<CPointDansRepere>(frame, x, y, colour(), ps)));
}

// ---------------------------------------------------------------------------------------------

const std::vector<ParamModifyDesc>& frameModifyToolTable() {
    // clang-format off
    static const std::vector<ParamModifyDesc> table = {
        {Cmd::modifySlope, "Modifier", "Coefficient directeur de droite", Msg::promptModifySlope, nat::droite, {Msg::needSlopeLine}, "Modifier coefficient directeur"},
        {Cmd::modifyIntegerPoint, "Modifier", "Point libre à coordonnées entières", Msg::promptModifySlope, nat::pointLibre, {Msg::needIntegerPoint}, "Modifier point libre à coordonnées entières "},
        {Cmd::modifyAffix, "Modifier", "Affixe d'un point", Msg::promptModifyAffix, nat::pointParAffixe, {Msg::needFrame, Msg::needPointByAffix}, "Modifier affixe"},
    };
    // clang-format on
    return table;
}

bool COutilModificationRepere::isEligible(CElementBase* e) const {
    return dynamic_cast<CDroiteOm*>(e) || dynamic_cast<CPointBaseEnt*>(e) ||
           dynamic_cast<CPointParAffixe*>(e);
}

bool COutilModificationRepere::edit(CListeAction& list, CElementBase* e) {
    const int limit = list.indexOf(e);
    if (auto* d = dynamic_cast<CDroiteOm*>(e)) {
        CValeurAssocieeAVariable m = d->m;
        std::vector<std::string> values{m.getText(12)};
        if (!askValues(list, limit, "Coefficient directeur de la droite " + d->getName(),
                       {"Coefficient directeur :"}, values, {&m}))
            return false;
        d->m = m;
    } else if (auto* p = dynamic_cast<CPointParAffixe*>(e)) {
        return askAffix(list, limit, p->z);
    } else if (auto* q = dynamic_cast<CPointBaseEnt*>(e)) {
        std::vector<std::string> values{std::to_string(static_cast<int>(q->a)),
                                        std::to_string(static_cast<int>(q->b))};
        for (;;) {
            if (!toolDialogs().editFields("Point " + q->getName(), {"Abscisse :", "Ordonnée :"},
                                          values))
                return false;
            values.resize(2);
            char *endA = nullptr, *endB = nullptr;
            const long a = std::strtol(values[0].c_str(), &endA, 10);
            const long b = std::strtol(values[1].c_str(), &endB, 10);
            if (!values[0].empty() && !values[1].empty() && !*endA && !*endB) {
                q->setCoordinates(static_cast<double>(a), static_cast<double>(b));
                return true;
            }
            toolMessage(Msg::syntaxError, MB_OK | MB_ICONEXCLAMATION);
        }
    }
    return true;
}
