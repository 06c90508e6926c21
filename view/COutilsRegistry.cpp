#include "view/COutilsRegistry.h"

#include <memory>

#include "document/CPelvantiDoc.h"
#include "view/CCapture.h"
#include "view/COutilsConstruction.h"
#include "view/COutilsEdition.h"
#include "view/COutilsModification.h"
#include "view/COutilsModificationParametres.h"
#include "view/COutilsValeurs.h"
#include "view/CPelvantiView.h"

namespace {
std::unique_ptr<COutil> makeConstructionTool(const ToolDesc& d) {
    switch (d.command) {
        case 32805:
        case 32961:
        case 32962:
            return std::make_unique<COutilIntersection>(d);
        case 32864:
            return std::make_unique<COutilCreationPolygone>(d);
        case 33056:
            return std::make_unique<COutilCreationLigneBrisee>(d);
        case 32804:
            return std::make_unique<COutilCreationBarycentre>(d);
        case 32848:
            return std::make_unique<COutilFrame>(d);
        case 32843:
            return std::make_unique<COutilUnitLength>(d);
        case 32795:
        case 32796:
        case 32792:
        case 32793:
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
        commands.push_back({kCaptureCommand, "Mouvoir", "Capturer", &captureTool()});
        auto translate = std::make_unique<COutilTranslation>();
        commands.push_back(
            {kTranslateCommand, "Mouvoir", "Tra&nslater la figure", translate.get()});
        owned.push_back(std::move(translate));
        for (const ToolDesc& d : constructionToolTable())
            add(d.command, d.menu, d.text, makeConstructionTool(d));
        for (const ToolDesc& d : valueToolTable())
            add(d.command, d.menu, d.text, makeConstructionTool(d));
        for (const EditDesc& d : editToolTable()) {
            std::unique_ptr<COutil> t;
            if (d.command == 32812)
                t = std::make_unique<COutilEntreeNom>(d);
            else
                t = std::make_unique<COutilEdition>(d);
            add(d.command, d.menu, d.text, std::move(t));
        }
        for (const ModifyDesc& d : modifyToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilModification>(d));
        for (const ParamModifyDesc& d : parameterModifyToolTable()) {
            std::unique_ptr<COutil> t;
            if (d.command == 32844)
                t = std::make_unique<COutilModificationAngleArc>(d);
            else if (d.command == 32849)
                t = std::make_unique<COutilModificationCoordonnees>(d);
            else
                t = std::make_unique<COutilModificationBarycentre>(d);
            add(d.command, d.menu, d.text, std::move(t));
        }
        add(32955, "Modifier", "Punaiser un point mobile", std::make_unique<COutilPunaise>(true));
        add(32956, "Modifier", "Dépunaiser un point punaisé",
            std::make_unique<COutilPunaise>(false));
        add(32877, linkToolDesc().menu, linkToolDesc().text,
            std::make_unique<COutilLiaison>(linkToolDesc()));
        for (const ToolDesc& d : testToolTable())
            add(d.command, d.menu, d.text, std::make_unique<COutilDesigne>(d));

        EtatOutils& st = etatOutils();
        st.returnToCapture = [](CPelvantiView* view) { revenirCapture(view); };
        if (!st.currentTool) {
            COutil* freePoint = toolOfCommandIn(32779);
            freePoint->commandId = 32779;
            st.currentTool = freePoint;
            st.lastCommandId = 32779;
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
