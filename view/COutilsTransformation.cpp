#include "view/COutilsTransformation.h"

#include "calc/EvaluationState.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPolygone.h"
#include "values/ValueDialogs.h"
#include "view/CGestionSouris.h"
#include "view/CPelvantiView.h"
#include "view/CToolOverlay.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
// The standard designation, and the image of what the mouse stands on.
class CGestionSourisImage : public CGestionSourisDesignation {
public:
    void onMouseMove(CPelvantiView* view, int x, int y) override {
        CGestionSourisDesignation::onMouseMove(view, x, y);
        if (auto* tool = dynamic_cast<COutilTransformation*>(etatOutils().currentTool))
            tool->updatePreview(view);
    }
};

CGestionSourisImage& imageHandler() {
    static CGestionSourisImage h;
    return h;
}

bool isKind(const CElementBase* t, TransformParam p) {
    switch (p) {
        case TransformParam::angle:
            return dynamic_cast<const CRotation*>(t) && !dynamic_cast<const CSimilitude*>(t);
        case TransformParam::angleAndRatio:
            return dynamic_cast<const CSimilitude*>(t) != nullptr;
        case TransformParam::ratio:
            return dynamic_cast<const CHomothetie*>(t) && !dynamic_cast<const CInversion*>(t);
        case TransformParam::inversionRatio:
            return dynamic_cast<const CInversion*>(t) != nullptr;
        case TransformParam::none:
            break;
    }
    return false;
}

const CPointAncetre* centreOf(const CElementBase* t) {
    if (auto* r = dynamic_cast<const CRotation*>(t)) return r->O;
    if (auto* h = dynamic_cast<const CHomothetie*>(t)) return h->O;
    return nullptr;
}

// The angle and the ratio typed in the dialog, checked before anything changes: a constant or
// the name of a value defined before `limit`; a ratio is never zero. False on Cancel.
bool askParameters(const CListeAction& list, int limit, TransformParam p, const std::string& title,
                   CValeurAngle& theta, CValeurAssocieeAVariable& k) {
    const bool wantsAngle = p == TransformParam::angle || p == TransformParam::angleAndRatio;
    const bool wantsRatio = p != TransformParam::angle;
    std::vector<std::string> labels, values;
    if (wantsAngle) {
        labels.push_back("Angle :");
        values.push_back(theta.getText(12));
    }
    if (wantsRatio) {
        labels.push_back("Rapport :");
        values.push_back(k.getText(12));
    }
    // Formulas are read in the figure's angle unit, whatever figure was computed last.
    EvaluationState& ev = evaluationState();
    const int savedUnit = ev.angleUnit;
    ev.angleUnit = list.angleUnit;
    bool accepted = false;
    while (!accepted && toolDialogs().editFields(title, labels, values)) {
        values.resize(labels.size());
        CValeurAngle a = theta;
        CValeurAssocieeAVariable r = k;
        accepted =
            !wantsAngle || enterAngleParameter(list, values[0], limit, Msg::enterValue, a).ok;
        if (accepted && wantsRatio) {
            accepted = enterParameter(list, values.back(), limit, Msg::enterRatio, r).ok;
            if (accepted && !r.isReference() && r.getValue() == 0) {
                toolMessage(Msg::coefficientZero, MB_OK | MB_ICONEXCLAMATION);
                accepted = false;
            }
        }
        if (accepted) {
            theta = a;
            k = r;
        }
    }
    ev.angleUnit = savedUnit;
    return accepted;
}

int8_t colour() {
    return static_cast<int8_t>(etatPalettes().colour);
}

// The image of a vertex: an image point already in the figure, else a new one in `out`.
CPointAncetre* vertexImage(CPelvantiDoc& doc, CPointAncetre* p, CTransformation* t,
                           ToolEntries& out, bool preview) {
    auto image = std::make_unique<CPointImage>(p, t, colour(), etatPalettes().pointStyle);
    if (!preview)
        if (auto* found = dynamic_cast<CPointAncetre*>(doc.list().findCoinciding(image.get())))
            return found;
    CPointAncetre* raw = image.get();
    out.push_back(std::make_unique<CAction>(nat::pointConstruit, std::move(image)));
    return raw;
}
}  // namespace

const std::vector<TransformDesc>& transformToolTable() {
    using P = TransformParam;
    // clang-format off
    static const std::vector<TransformDesc> table = {
        {Cmd::centralSymmetry, "Symétrie centrale", Msg::promptCentralSymmetry, Msg::promptCentralSymmetryImage, nat::point, 1, {Msg::needPoint}, P::none, "", "Image par symétrie centrale"},
        {Cmd::rotation, "Rotation", Msg::promptRotation, Msg::promptRotationImage, nat::point, 1, {Msg::needPoint}, P::angle, "Entrez l'angle de la rotation", "Image par rotation"},
        {Cmd::similitude, "Similitude directe", Msg::promptSimilitude, Msg::promptSimilitudeImage, nat::point, 1, {Msg::needPoint}, P::angleAndRatio, "Entrez l'angle et le rapport de la similitude", "Image par similitude"},
        {Cmd::axialSymmetry, "Symétrie axiale", Msg::promptAxialSymmetry, Msg::promptAxialSymmetryImage, kLineLike, 1, {Msg::needLine}, P::none, "", "Image par symétrie orthogonale"},
        {Cmd::translation, "Translation", Msg::promptTranslation1, Msg::promptTranslationImage, nat::point, 2, {Msg::needTwoPoints}, P::none, "", "Image par translation"},
        {Cmd::homothety, "Homothétie", Msg::promptHomothety, Msg::promptHomothetyImage, nat::point, 1, {Msg::needPoint}, P::ratio, "Entrez le rapport de l'homothétie", "Image par homothétie"},
        {Cmd::inversion, "Inversion", Msg::promptInversion, Msg::promptInversionImage, nat::point, 1, {Msg::needPoint, Msg::needUnitLength}, P::inversionRatio, "Entrez le rapport de l'inversion", "Point image par inversion"},
    };
    // clang-format on
    return table;
}

bool COutilTransformation::isAvailable() {
    return preconditionsHold(desc_.unavailable);
}

std::string COutilTransformation::prompt(int step) const {
    return toolText(ready() ? desc_.imagePromptId : desc_.promptId + step);
}

bool COutilTransformation::activate(CPelvantiView* view) {
    // An undo or a closed figure took the transformation away: start again.
    if (inList_ && (!view || !view->document()->list().contains(inList_))) inList_ = nullptr;
    COutil::activate(view);
    EtatOutils& st = etatOutils();
    const bool pointsOnly = desc_.param == TransformParam::inversionRatio;
    st.natureFilter = ready() ? (pointsOnly ? nat::point : kTransformable) : desc_.firstNatures;
    setPrompt(prompt(static_cast<int>(designated_.size())));
    installHandler(imageHandler(), view);
    return true;
}

void COutilTransformation::deactivate(CPelvantiView* view) {
    designated_.clear();
    pending_.reset();
    inList_ = nullptr;
    COutilClignotant::deactivate(view);
}

void COutilTransformation::onRightClick(CPelvantiView* view) {
    revenirCapture(view);
}

bool COutilTransformation::makeTransformation(CPelvantiDoc& doc) {
    CListeAction& list = doc.list();
    theta_ = CValeurAngle();
    k_ = CValeurAssocieeAVariable();
    if (desc_.param != TransformParam::none &&
        !askParameters(list, list.count(), desc_.param, desc_.dialogTitle, theta_, k_))
        return false;
    instantiate(list);
    return true;
}

void COutilTransformation::instantiate(CListeAction& list) {
    auto* o = dynamic_cast<CPointAncetre*>(designated_[0]);
    switch (desc_.param) {
        case TransformParam::none:
            if (auto* d = dynamic_cast<CDroite*>(designated_[0]))
                pending_ = std::make_unique<CSymetrieAxiale>(d);
            else if (designated_.size() == 2)
                pending_ =
                    std::make_unique<CTranslation>(o, dynamic_cast<CPointAncetre*>(designated_[1]));
            else
                pending_ = std::make_unique<CSymetrieCentrale>(o);
            break;
        case TransformParam::angle:
            pending_ = std::make_unique<CRotation>(o, theta_);
            break;
        case TransformParam::angleAndRatio:
            pending_ = std::make_unique<CSimilitude>(o, theta_, k_);
            break;
        case TransformParam::ratio:
            pending_ = std::make_unique<CHomothetie>(o, k_);
            break;
        case TransformParam::inversionRatio:
            pending_ = std::make_unique<CInversion>(o, k_, &list);
            break;
    }
    // The same transformation already in the figure serves again.
    if (auto* same = dynamic_cast<CTransformation*>(list.findCoinciding(pending_.get()))) {
        pending_.reset();
        inList_ = same;
    } else {
        pending_->computePosition();
    }
}

bool COutilTransformation::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    CActionAncetre* e = st.designatedObject;
    if (!e || !view) return false;
    CPelvantiDoc& doc = *view->document();
    if (!ready()) {
        designated_.push_back(e->element);
        st.blinkList.append(e);
        st.pendingList.append(e);
        view->startBlinking();
        if (static_cast<int>(designated_.size()) < desc_.clicks) {
            setPrompt(prompt(static_cast<int>(designated_.size())));
            return false;
        }
        const bool made = makeTransformation(doc);
        view->stopBlinking();
        st.blinkList.clear();
        st.pendingList.clear();
        if (!made) designated_.clear();
        activate(view);
        return false;
    }
    CListeAction& list = doc.list();
    const int first = list.count();
    CTransformation* t = transformation();
    ToolEntries entries = imageEntries(doc, e, false);
    const bool joins = !entries.empty() && entries.front()->element == t;
    if (entries.empty() || !addValidated(doc, std::move(entries))) {
        // A refused first image took the transformation with it: it is built again for the
        // next click from the same designations.
        if (joins) instantiate(list);
        view->recomputeAndRedraw();
        return false;
    }
    if (joins) inList_ = t;
    for (int i = first; i < list.count(); ++i)
        if (list.entryAt(i)->nature & nat::pointConstruit) nameNewPoint(doc, list.elementAt(i));
    finishConstruction(view);
    return true;
}

ToolEntries COutilTransformation::imageEntries(CPelvantiDoc& doc, CActionAncetre* e, bool preview) {
    ToolEntries out;
    CTransformation* t = transformation();
    if (!t) return out;
    const int8_t col = colour();
    const int ls = etatPalettes().lineStyle;
    CElementBase* o = e->element;
    if (e->nature & nat::point) {
        if (auto* p = dynamic_cast<CPointAncetre*>(o))
            out.push_back(std::make_unique<CAction>(
                nat::pointConstruit,
                std::make_unique<CPointImage>(p, t, col, etatPalettes().pointStyle)));
    } else if (desc_.param == TransformParam::inversionRatio) {
        // The inversion has images of points only.
    } else if (e->nature & nat::segment) {
        auto* s = static_cast<CSegment*>(o);
        CPointAncetre* a = vertexImage(doc, s->A, t, out, preview);
        CPointAncetre* b = vertexImage(doc, s->B, t, out, preview);
        out.push_back(
            std::make_unique<CAction>(nat::segment, std::make_unique<CSegment>(a, b, col, ls)));
    } else if (e->nature & nat::demiDroite) {
        out.push_back(std::make_unique<CAction>(
            nat::demiDroite,
            std::make_unique<CDemiDroiteImage>(static_cast<CDemiDroite*>(o), t, col, ls)));
    } else if (e->nature & nat::droite) {
        out.push_back(std::make_unique<CAction>(
            nat::droite, std::make_unique<CDroiteImage>(static_cast<CDroite*>(o), t, col, ls)));
    } else if (e->nature & nat::arc) {
        out.push_back(std::make_unique<CAction>(
            nat::arc,
            std::make_unique<CArcDeCercleImage>(static_cast<CArcDeCercleAncetre*>(o), t, col, ls)));
    } else if (e->nature & nat::cercle) {
        out.push_back(std::make_unique<CAction>(
            nat::cercle, std::make_unique<CCercleImage>(static_cast<CCercle*>(o), t, col, ls)));
    } else if (auto* line = dynamic_cast<CLignePolygonaleAncetre*>(o)) {
        // A polygon lists its first vertex again at the end: one image serves both.
        const bool closed = line->isClosed();
        const int n = line->vertexCount() - (closed ? 1 : 0);
        std::vector<CPointAncetre*> images;
        for (int i = 0; i < n; ++i)
            images.push_back(vertexImage(doc, line->vertex(i), t, out, preview));
        if (closed) {
            images.push_back(images.front());
            out.push_back(std::make_unique<CAction>(
                nat::polygone, std::make_unique<CPolygone>(images, col, ls, &doc.list())));
        } else {
            out.push_back(std::make_unique<CAction>(
                nat::ligneBrisee, std::make_unique<CLigneBrisee>(images, col, ls, &doc.list())));
        }
    }
    // The transformation joins the figure before its first image.
    if (!out.empty() && pending_ && !preview)
        out.insert(out.begin(),
                   std::make_unique<CAction>(nat::transformation, std::move(pending_)));
    return out;
}

void COutilTransformation::updatePreview(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    const bool had = !st.previewList.empty();
    st.previewList.clear();
    const CCandidats& c = st.candidates;
    CActionAncetre* under = nullptr;
    if (c.pointCount > 0)
        under = c.firstPoint;
    else if (c.natureCount == 1)
        under = c.buckets[bucketOfBit(natureBitNumber(c.natures))].first;
    if (ready() && under && view) {
        for (auto& entry : imageEntries(*view->document(), under, true))
            st.previewList.append(entry.release());
        st.previewList.computeAll();
    }
    if (had || !st.previewList.empty()) CToolOverlay::refresh(view);
}

// ---------------------------------------------------------------------------------------------
// Modification

const std::vector<ParamModifyDesc>& transformModifyToolTable() {
    // clang-format off
    static const std::vector<ParamModifyDesc> table = {
        {Cmd::modifyRotation, "Modifier/Transformation", "Angle d'une rotation", Msg::promptModifyRotation, nat::point, {Msg::needRotation}, "Modifier angle rotation"},
        {Cmd::modifySimilitude, "Modifier/Transformation", "Angle ou rapport d'une similitude", Msg::promptModifySimilitude, nat::point, {Msg::needSimilitude}, "Modifier similitude"},
        {Cmd::modifyHomothety, "Modifier/Transformation", "Rapport d'une homothétie", Msg::promptModifyHomothety, nat::point, {Msg::needHomothety}, "Modifier homothétie"},
        {Cmd::modifyInversion, "Modifier/Transformation", "Rapport d'une inversion", Msg::promptModifyInversion, nat::point, {Msg::needInversion}, "Modifier Inversion"},
    };
    // clang-format on
    return table;
}

TransformParam transformModifyParam(int command) {
    switch (command) {
        case Cmd::modifyRotation:
            return TransformParam::angle;
        case Cmd::modifySimilitude:
            return TransformParam::angleAndRatio;
        case Cmd::modifyHomothety:
            return TransformParam::ratio;
        default:
            return TransformParam::inversionRatio;
    }
}

CTransformation* COutilModificationTransformation::transformationOf(
    const CListeAction& list, const CElementBase* centre) const {
    for (CActionAncetre* a : list.entries())
        if (isKind(a->element, param_) && centreOf(a->element) == centre)
            return static_cast<CTransformation*>(a->element);
    return nullptr;
}

bool COutilModificationTransformation::isEligible(CElementBase* e) const {
    CPelvantiView* view = CPelvantiView::activeView();
    return view && transformationOf(view->document()->list(), e) != nullptr;
}

bool COutilModificationTransformation::edit(CListeAction& list, CElementBase* e) {
    CTransformation* t = transformationOf(list, e);
    if (!t) return false;
    auto* rotation = dynamic_cast<CRotation*>(t);
    auto* similitude = dynamic_cast<CSimilitude*>(t);
    auto* homothety = dynamic_cast<CHomothetie*>(t);
    CValeurAngle theta = rotation ? rotation->theta : CValeurAngle();
    CValeurAssocieeAVariable k =
        similitude ? similitude->k : (homothety ? homothety->k : CValeurAssocieeAVariable());
    std::string title;
    for (const TransformDesc& d : transformToolTable())
        if (d.param == param_) title = d.dialogTitle;
    if (!askParameters(list, list.indexOf(t), param_, title, theta, k)) return false;
    if (rotation) rotation->theta = theta;
    if (similitude) similitude->k = k;
    if (homothety) homothety->k = k;
    return true;
}
