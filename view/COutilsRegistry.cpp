#include "view/COutilsRegistry.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "document/CPelvantiDoc.h"
#include "view/CCapture.h"
#include "view/COutilsCalculs.h"
#include "view/COutilsConstruction.h"
#include "view/COutilsCourbe.h"
#include "view/COutilsEdition.h"
#include "view/COutilsLieux.h"
#include "view/COutilsMacros.h"
#include "view/COutilsMesures.h"
#include "view/COutilsModification.h"
#include "view/COutilsModificationParametres.h"
#include "view/COutilsMouvoir.h"
#include "view/COutilsRapporteur.h"
#include "view/COutilsRepere.h"
#include "view/COutilsTransformation.h"
#include "view/COutilsValeurs.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"

namespace {
constexpr int kCommandIds[] = {
#define KORV_COMMAND(name, id) id,
#include "view/Commands.def"
#undef KORV_COMMAND
};
// Kept in order so that a number given twice shows up here.
static_assert(std::adjacent_find(std::begin(kCommandIds), std::end(kCommandIds),
                                 [](int a, int b) { return a >= b; }) == std::end(kCommandIds),
              "view/Commands.def: ids must strictly increase");

std::unique_ptr<COutil> makeConstructionTool(const ToolDesc& d) {
    switch (d.command) {
        case Cmd::intersection:
        case Cmd::secondIntersectionCircles:
        case Cmd::secondIntersectionLineCircle:
            return std::make_unique<COutilIntersection>(d);
        case Cmd::polygon:
            return std::make_unique<COutilCreationPolygone>(d);
        case Cmd::brokenLine:
            return std::make_unique<COutilCreationLigneBrisee>(d);
        case Cmd::barycentre:
            return std::make_unique<COutilCreationBarycentre>(d);
        case Cmd::frame:
            return std::make_unique<COutilFrame>(d);
        case Cmd::unitLength:
            return std::make_unique<COutilUnitLength>(d);
        case Cmd::smallArc:
        case Cmd::largeArc:
        case Cmd::directArc:
        case Cmd::indirectArc:
            return std::make_unique<COutilArcParAngle>(d);
        default:
            break;
    }
    if (d.steps.size() == 3) return std::make_unique<COutilTroisPoints>(d);
    if (d.steps.size() == 2 && d.steps[1] == nat::point && d.steps[0] != nat::point)
        return std::make_unique<COutilDroitePoint>(d);
    if (d.steps.size() == 2) return std::make_unique<COutilDeuxPoints>(d);
    return std::make_unique<COutilDesigne>(d);
}

struct Registry {
    std::vector<std::unique_ptr<COutil>> owned;
    std::vector<ToolCommand> commands;

    Registry() {
        commands.push_back({Cmd::capture, "Mouvoir", "Capturer", &captureTool()});
        auto translate = std::make_unique<COutilTranslation>();
        commands.push_back(
            {Cmd::translateFigure, "Mouvoir", "Tra&nslater la figure", translate.get()});
        owned.push_back(std::move(translate));
        for (const ToolDesc& d : constructionToolTable())
            add(d.command, d.menu, d.text, makeConstructionTool(d));
        for (const ToolDesc& d : valueToolTable())
            add(d.command, d.menu, d.text, makeConstructionTool(d));
        for (const EditDesc& d : editToolTable()) {
            std::unique_ptr<COutil> t;
            if (d.command == Cmd::name)
                t = std::make_unique<COutilEntreeNom>(d);
            else
                t = std::make_unique<COutilEdition>(d);
            add(d.command, d.menu, d.text, std::move(t));
        }
        for (const ModifyDesc& d : modifyToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilModification>(d));
        for (const ParamModifyDesc& d : parameterModifyToolTable()) {
            std::unique_ptr<COutil> t;
            if (d.command == Cmd::modifyArcAngle)
                t = std::make_unique<COutilModificationAngleArc>(d);
            else if (d.command == Cmd::modifyCoordinates)
                t = std::make_unique<COutilModificationCoordonnees>(d);
            else
                t = std::make_unique<COutilModificationBarycentre>(d);
            add(d.command, d.menu, d.text, std::move(t));
        }
        for (const TransformDesc& d : transformToolTable()) {
            add(d.command, "Créer/Image par transformation", d.text,
                std::make_unique<COutilTransformation>(d));
            if (d.command == Cmd::rotation)
                add(Cmd::protractor, "Créer/Image par transformation", "Rapporteur",
                    std::make_unique<COutilRapporteur>());
        }
        for (const ParamModifyDesc& d : transformModifyToolTable())
            add(d.command, d.menu, d.text,
                std::make_unique<COutilModificationTransformation>(
                    d, transformModifyParam(d.command)));
        for (const LocusDesc& d : locusToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilLieu>(d));
        for (const ParamModifyDesc& d : locusModifyToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilModificationLieu>(d));
        for (const ToolDesc& d : surfaceToolTable()) {
            if (d.command == Cmd::surfaceFilling)
                add(d.command, d.menu, d.text,
                    std::make_unique<COutilCreationSurfaceParRemplissage>(d));
            else
                add(d.command, d.menu, d.text, std::make_unique<COutilDesigne>(d));
        }
        for (const CurveToolDesc& c : curveToolTable())
            add(c.command, "Créer/Courbe de fonction", c.text,
                std::make_unique<COutilCourbeFonction>(c));
        add(Cmd::sequenceGraph, "Créer", "Graphe d'une suite réellle u(n+1)=f[u(n)]",
            std::make_unique<COutilGrapheSuite>(false));
        add(Cmd::complexSequenceGraph, "Créer", "Graphe d'une suite complexe u(n+1)=f[u(n)]",
            std::make_unique<COutilGrapheSuite>(true));
        for (const ParamModifyDesc& d : sequenceGraphModifyToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilModificationGrapheSuite>(d));
        add(Cmd::pointByCoordinates, "Créer/Point", "Point repéré",
            std::make_unique<COutilPointRepere>(false));
        add(Cmd::pointByAffix, "Créer/Point", "Défini par son affixe",
            std::make_unique<COutilPointRepere>(true));
        for (const ToolDesc& d : frameToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilDesigne>(d));
        for (const ParamModifyDesc& d : frameModifyToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilModificationRepere>(d));
        add(Cmd::traceObjects, "Mouvoir", "Trace d'objets",
            std::make_unique<COutilTraceObjet>(TraceKind::drag));
        add(Cmd::autoTraceLinkedPoint, "Mouvoir/Trace Automatique d'objets", "Par point lié",
            std::make_unique<COutilTraceObjet>(TraceKind::linkedPoint));
        add(Cmd::autoTraceVariable, "Mouvoir/Trace Automatique d'objets", "Par variable",
            std::make_unique<COutilTraceObjet>(TraceKind::variable));
        add(Cmd::animation, "Mouvoir", "Animation", std::make_unique<COutilAnimation>());
        add(Cmd::pinPoint, "Modifier", "Punaiser un point mobile",
            std::make_unique<COutilPunaise>(true));
        add(Cmd::unpinPoint, "Modifier", "Dépunaiser un point punaisé",
            std::make_unique<COutilPunaise>(false));
        add(Cmd::linkPoint, linkToolDesc().menu, linkToolDesc().text,
            std::make_unique<COutilLiaison>(linkToolDesc()));
        for (const ToolDesc& d : testToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilDesigne>(d));
        for (const ValueCommandDesc& d : valueCommandTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilDialogueValeur>(d));
        for (const ToolDesc& d : measureToolTable()) {
            std::unique_ptr<COutil> t;
            if (d.command == Cmd::linkDisplay)
                t = std::make_unique<COutilLiaisonAffichage>(d);
            else
                t = std::make_unique<COutilMesure>(d);
            add(d.command, d.menu, d.text, std::move(t));
        }
        for (const EditDesc& d : displayEditToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilModificationAffichage>(d));
        add(Cmd::executeMacro, "Macros", "Exécution d'une macro\tF8",
            std::make_unique<COutilExecutionMacro>());
        for (const MacroToolDesc& d : macroToolTable())
            add(d.command, "Macros/Nouvelle macro", d.text,
                std::make_unique<COutilCreationMacro>(d.kind));
        add(Cmd::editMacro, "Macros", "Modifier une macro",
            std::make_unique<COutilModificationMacro>());
        add(Cmd::addObjectsToMacro, "Macros", "Ajout d'objets à une macro",
            std::make_unique<COutilObjetsMacro>(true));
        add(Cmd::removeObjectsFromMacro, "Macros", "Retrait d'objets d'une macro",
            std::make_unique<COutilObjetsMacro>(false));

        EtatOutils& st = etatOutils();
        st.returnToCapture = [](CPelvantiView* view) { revenirCapture(view); };
        if (!st.currentTool) {
            COutil* freePoint = toolOfCommandIn(Cmd::freePoint);
            freePoint->commandId = Cmd::freePoint;
            st.currentTool = freePoint;
            st.lastCommandId = Cmd::freePoint;
        }
    }

    void add(int command, const char* menu, const char* text, std::unique_ptr<COutil> tool) {
        commands.push_back({command, menu, text, tool.get()});
        owned.push_back(std::move(tool));
    }

    COutil* toolOfCommandIn(int command) const {
        for (const ToolCommand& c : commands)
            if (c.command == command) return c.tool;
        return nullptr;
    }
};

Registry& registry() {
    static Registry r;
    return r;
}
}  // namespace

const std::vector<ToolCommand>& toolCommands() {
    return registry().commands;
}

COutil* toolOfCommand(int command) {
    return registry().toolOfCommandIn(command);
}

bool selectToolCommand(int command, CPelvantiView* view) {
    COutil* tool = toolOfCommand(command);
    if (!tool || !isToolCommandEnabled(command, view)) return false;
    return selectTool(tool, command, view);
}

bool repeatLastCommand(CPelvantiView* view) {
    const int last = etatOutils().lastCommandId;
    return last != 0 && selectToolCommand(last, view);
}

bool isToolCommandEnabled(int command, CPelvantiView* view) {
    if (!view) return false;
    return view->document()->allowedMenus.isEnabled(static_cast<uint32_t>(command));
}

bool isToolCommandChecked(int command) {
    const EtatOutils& st = etatOutils();
    return st.currentTool && st.currentTool->commandId == command;
}
