#include "view/COutil.h"

#include <bit>

#include "core/CElementGraphique.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CSurface.h"
#include "view/CFigureRenderer.h"
#include "view/CPelvantiView.h"
#include "view/CToolOverlay.h"
#include "view/Commands.h"

EtatOutils& etatOutils() {
    static EtatOutils state;
    return state;
}

EtatPalettes& etatPalettes() {
    static EtatPalettes state;
    return state;
}

void setPrompt(const std::string& text) {
    if (etatOutils().showPrompt) etatOutils().showPrompt(text);
}

void setStatusText(const std::string& text) {
    if (etatOutils().showStatus) etatOutils().showStatus(text);
}

// ---------------------------------------------------------------------------------------------
// Designation

const std::array<NatureDesignable, CCandidats::kBuckets>& designableNatures() {
    static const std::array<NatureDesignable, CCandidats::kBuckets> table = {{
        {0, "Point libre", "ce point"},
        {1, "Point Construit", "ce point"},
        {2, "Point lié", "ce point"},
        {3, "Barycentre", "ce point"},
        {4, "Segment", "ce segment"},
        {5, "Droite", "cette droite"},
        {6, "Vecteur", "ce vecteur"},
        {7, "Demi-droite", "cette demi-droite"},
        {8, "Cercle ", "ce cercle"},
        {9, "Marque d'angle", "cette marque d'angle"},
        {10, "Valeur affichée", "cette valeur"},
        {11, "Arc de cercle", "Cet Arc"},
        {12, "Lieu de points", "Ce lieu"},
        {13, "Repère", "Ce repere"},
        {14, "Point repéré", "ce point"},
        {15, "Commentaire", "Ce commentaire"},
        {16, "Point lié à un autre point", "ce point"},
        {17, "Polygone ", "Ce polygone"},
        {18, "Surface", "Cette surface"},
        {19, "Copie d'objet", "Cette copie de "},
        {20, "Graphe de suite", "Ce graphe de suite"},
        {28, "Macro", "Cette macro"},
        {29, "Demi-plan", "Ce demi-plan"},
        {31, "Lieu discret", "Ce lieu discret"},
        {32, "Ligne brisée ", "Cette ligne"},
        {33, "Marque de segment", "cette marque de segment"},
        {34, "Image", "Cette image"},
        {35, "Lieu d'objet ", "ce lieu d'objet "},
        {38, "Point par affixe", "ce point"},
        {41, "Graphe de suite complexe", "Ce graphe de suite"},
    }};
    return table;
}

int bucketOfBit(int bit) {
    const auto& t = designableNatures();
    for (int i = 0; i < CCandidats::kBuckets; ++i)
        if (t[i].bit == bit) return i;
    return -1;
}

int queryDesignation(const CListeAction& list, Nature filter, int x, int y,
                     const CListeAction& exclusion, bool hideMasked, CCandidats& out,
                     DesignationMode mode) {
    out.clear();
    for (CActionAncetre* e : list.entries()) {
        if (!(e->nature & filter)) continue;
        auto* g = dynamic_cast<CElementGraphique*>(e->element);
        if (!g || exclusion.contains(g)) continue;
        int d;
        if (mode == DesignationMode::maskedOnly) {
            if (!g->masked) continue;
            d = g->designationDistance(x, y, false);
        } else {
            if (g->masked && hideMasked) continue;
            d = g->designationDistance(x, y, hideMasked);
        }
        // Within 4 pixels: 39 tenths is a hit, 40 is not.
        if (d < 0 || d == kNotDesignable || d / 10 >= 4) continue;
        const int bucket = bucketOfBit(natureBitNumber(e->nature));
        if (bucket < 0) continue;
        CCandidats::Bucket& b = out.buckets[bucket];
        if (b.empty) b.first = e;
        b.last = e;
        b.empty = false;
        ++b.count;
        ++out.total;
        out.natures |= natureBit(natureBitNumber(e->nature));
        if (e->nature & nat::point) {
            if (out.pointCount == 0)
                out.firstPoint = e;
            else if (out.pointCount == 1)
                out.secondPoint = e;
            ++out.pointCount;
        }
    }
    if (out.pointCount > 0) out.natures &= nat::point;
    out.natureCount = std::popcount(out.natures);
    return out.total;
}

namespace {
std::string labelOf(const CActionAncetre* e, const CListeAction* list) {
    const auto& t = designableNatures();
    const int bucket = bucketOfBit(natureBitNumber(e->nature));
    if (bucket < 0) return {};
    std::string label = t[bucket].label;
    // A copy is named after what it copies.
    if ((e->nature & nat::objetDuplique) && list)
        if (auto* dup = dynamic_cast<const CObjetDuplique*>(e->element))
            if (const CActionAncetre* copied = list->entryOf(dup->object))
                if (!(copied->nature & nat::objetDuplique)) label += labelOf(copied, list);
    return label;
}
}  // namespace

std::string candidateLabel(const CCandidats& c, const CListeAction* list) {
    if (c.total == 0) return {};
    if (c.pointCount > 0) return labelOf(c.firstPoint, list);
    if (c.natureCount == 1)
        return labelOf(c.buckets[bucketOfBit(natureBitNumber(c.natures))].first, list);
    return "A préciser";
}

// ---------------------------------------------------------------------------------------------
// Dialogs

CToolDialogs& qtToolDialogs();  // CToolDialogsQt.cpp

namespace {
CToolDialogs* gDialogs = nullptr;
}

CToolDialogs& toolDialogs() {
    return gDialogs ? *gDialogs : qtToolDialogs();
}
void setToolDialogs(CToolDialogs* d) {
    gDialogs = d;
}

// ---------------------------------------------------------------------------------------------
// Mouse handler label

void CGestionSouris::eraseTooltip(CPelvantiView* view) {
    if (!tooltipShown) return;
    tooltipShown = false;
    tooltipText.clear();
    CToolOverlay::refresh(view);
}

void CGestionSouris::showTooltip(CPelvantiView* view, int x, int y) {
    tooltipShown = true;
    tooltipX = x;
    tooltipY = y;
    CToolOverlay::refresh(view);
}

// ---------------------------------------------------------------------------------------------
// Tools

bool COutil::activate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    st.currentCursor = cursor;
    st.currentTool = this;
    if (view) view->setCursor(cursor);
    setPrompt(prompt(0));
    if (st.toolChanged) st.toolChanged();
    return true;
}

void COutil::deactivate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (st.mouseHandler) st.mouseHandler->reset(view);
    st.pendingList.clear();
    st.blinkList.clear();
    st.blinkList2.clear();
    st.previewList.clear();
    st.designatedObject = nullptr;
    if (view) {
        view->stopBlinking();
        view->stopBlinking2();
        CToolOverlay::refresh(view);
    }
}

void COutil::refreshPreview(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (st.previewList.empty()) return;
    st.mousePoint.computePosition();
    st.previewList.computeAll();
    CToolOverlay::refresh(view);
}

void COutil::finishConstruction(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    st.previewList.clear();
    if (view) {
        CPelvantiDoc* doc = view->document();
        doc->history().record(undoLabel());
        view->recomputeAndRedraw();
        view->setModified(true);
        emit view->figureChanged();
    }
    activate(view);
    // The label and the preview are rebuilt where the mouse stands.
    if (view && st.mouseHandler && st.currentTool == this)
        st.mouseHandler->onMouseMove(view, st.lastMouseX, st.lastMouseY);
}

bool selectTool(COutil* tool, int commandId, CPelvantiView* view) {
    if (!tool || !tool->isAvailable()) return false;
    EtatOutils& st = etatOutils();
    if (st.currentTool) st.currentTool->deactivate(view);
    st.currentTool = tool;
    tool->commandId = commandId;
    st.lastCommandId = commandId;
    tool->activate(view);
    return true;
}

void revenirCapture(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (st.currentTool) st.currentTool->deactivate(view);
    if (!st.captureTool) return;
    st.currentTool = st.captureTool;
    st.captureTool->commandId = Cmd::capture;
    st.captureTool->activate(view);
}
