#include "view/COutilsRapporteur.h"

#include <cmath>

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CTransformation.h"
#include "view/CGestionSouris.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

CPointAncetre* pt(const std::vector<CElementBase*>& v, size_t i) {
    return i < v.size() ? dynamic_cast<CPointAncetre*>(v[i]) : nullptr;
}

int8_t colour() {
    return static_cast<int8_t>(etatPalettes().colour);
}

CValeurAngle degrees(int d) {
    return CValeurAngle(d * kPi / 180);
}

// While the end is chosen the standard designation runs (it designates nothing) and the
// angle of the preview follows the mouse.
class CGestionSourisRapporteur : public CGestionSourisDesignation {
public:
    void onMouseMove(CPelvantiView* view, int x, int y) override {
        if (auto* tool = dynamic_cast<COutilRapporteur*>(etatOutils().currentTool)) {
            const LPoint p = CPelvantiView::toLogical(x, y);
            tool->follow(p.x, p.y);
        }
        CGestionSourisDesignation::onMouseMove(view, x, y);
    }
};

CGestionSourisRapporteur& protractorHandler() {
    static CGestionSourisRapporteur h;
    return h;
}

// The preview: the circle the point runs on, the rotation and the image.
ToolEntries buildPreview(ToolContext& c) {
    CPointAncetre* o = pt(c.parents, 0);
    CPointAncetre* a = pt(c.parents, 1);
    ToolEntries out;
    if (!o || !a || !c.preview) return out;
    auto rotation = std::make_unique<CRotation>(o, CValeurAngle(0.0));
    auto image =
        std::make_unique<CPointImage>(a, rotation.get(), colour(), etatPalettes().pointStyle);
    out.push_back(std::make_unique<CAction>(
        nat::cercle, std::make_unique<CCercleOA>(o, a, colour(), etatPalettes().lineStyle)));
    out.push_back(std::make_unique<CAction>(nat::transformation, std::move(rotation)));
    out.push_back(std::make_unique<CAction>(nat::pointConstruit, std::move(image)));
    return out;
}

const ToolDesc& protractorDesc() {
    static const ToolDesc d = {Cmd::protractor,
                               "Créer/Image par transformation",
                               "Rapporteur",
                               0,
                               {nat::point, nat::point, 0},
                               2,
                               {Msg::needTwoPoints},
                               false,
                               "Outil Rotation",
                               buildPreview};
    return d;
}

// Whole degrees from the ray to `a` to the ray to (x, y), both from `o`, counter-clockwise as
// seen on screen, in (-180, 180].
int protractorDegrees(const CPointAncetre& o, const CPointAncetre& a, double x, double y) {
    const double angle = geo::signedAngle(a.x - o.x, a.y - o.y, x - o.x, y - o.y);
    int d = static_cast<int>(std::lround(angle * 180 / kPi));
    return d <= -180 ? d + 360 : d;
}
}  // namespace

COutilRapporteur::COutilRapporteur() : COutilDesigne(protractorDesc()) {}

std::string COutilRapporteur::prompt(int step) const {
    switch (step) {
        case 0:
            return "Rapporteur : cliquez sur le centre de la rotation";
        case 1:
            return "Rapporteur : cliquez sur le point à faire tourner";
        default:
            return "Rapporteur : cliquez pour créer l'image du point";
    }
}

bool COutilRapporteur::isAvailable() {
    if (!COutilDesigne::isAvailable()) return false;
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    if (view->document()->list().angleUnit == 1) return true;
    if (toolMessage(Msg::needDegrees, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    CPelvantiDoc& doc = *view->document();
    doc.changeAngleUnit(1);
    doc.history().record("Figure en cours");
    view->setModified(true);
    view->recomputeAndRedraw();
    emit view->figureChanged();
    return true;
}

bool COutilRapporteur::activate(CPelvantiView* view) {
    COutilDesigne::activate(view);
    installHandler(protractorHandler(), view);
    return true;
}

bool COutilRapporteur::designate(CPelvantiView* view) {
    // The third click ends the image wherever it is.
    if (designated_.size() == 2) return completeAndRestart(view);
    if (!etatOutils().designatedObject) return false;
    return COutilDesigne::designate(view);
}

void COutilRapporteur::follow(int x, int y) {
    CPointAncetre* o = pt(designated_, 0);
    CPointAncetre* a = pt(designated_, 1);
    if (!o || !a) return;
    const int d = protractorDegrees(*o, *a, x, y);
    for (CActionAncetre* e : etatOutils().previewList.entries())
        if (auto* r = dynamic_cast<CRotation*>(e->element)) r->theta = degrees(d);
    // The handler redraws the preview after this.
    setPrompt(prompt(2) + " (" + std::to_string(d) + "°)");
}

bool COutilRapporteur::build(CPelvantiDoc* doc) {
    CPointAncetre* o = pt(designated_, 0);
    CPointAncetre* a = pt(designated_, 1);
    CListeAction& list = doc->list();
    if (!o || !a || !list.contains(o) || !list.contains(a)) return false;
    const LPoint m = CPelvantiView::toLogical(etatOutils().lastMouseX, etatOutils().lastMouseY);
    auto rotation = std::make_unique<CRotation>(o, degrees(protractorDegrees(*o, *a, m.x, m.y)));
    ToolEntries out;
    // The same rotation of the figure serves again.
    auto* t = dynamic_cast<CRotation*>(list.findCoinciding(rotation.get()));
    if (!t) {
        t = rotation.get();
        out.push_back(std::make_unique<CAction>(nat::transformation, std::move(rotation)));
    }
    out.push_back(std::make_unique<CAction>(
        nat::pointConstruit,
        std::make_unique<CPointImage>(a, t, colour(), etatPalettes().pointStyle)));
    return addValidated(*doc, std::move(out));
}
