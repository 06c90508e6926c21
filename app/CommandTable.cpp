#include "app/CommandTable.h"

#include "app/CMainFrame.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "view/CFigureRenderer.h"
#include "view/COutilsRegistry.h"
#include "view/CPelvantiView.h"

namespace {
using T = ToolBarId;
using F = CMainFrame;

bool hasView(F& f) {
    return f.activeView() != nullptr;
}
bool canUndo(F& f) {
    return f.activeView() && f.activeView()->document()->history().canUndo();
}
bool canRedo(F& f) {
    return f.activeView() && f.activeView()->document()->history().canRedo();
}
bool hasBackground(F& f) {
    return f.activeView() && f.activeView()->document()->backgroundPicture != nullptr;
}
}  // namespace

const std::vector<CommandDesc>& commandTable() {
    static const std::vector<CommandDesc> table = {
        // clang-format off
        {57600, "&Fichier", "&Nouveau\tCtrl+N", "new", T::files, [](F& f) { f.newFigure(); }},
        {57601, "&Fichier", "&Ouvrir...\tCtrl+O", "open", T::files, [](F& f) { f.openWithDialog(); }},
        {57602, "&Fichier", "&Fermer", "close", T::none, [](F& f) { f.closeActive(); }, hasView},
        {57603, "&Fichier", "&Enregistrer\tCtrl+S", "save", T::files, [](F& f) { f.save(); }, hasView},
        {57604, "&Fichier", "Enregistrer &sous...", "saveas", T::none, [](F& f) { f.saveAs(); }, hasView},
        {kSeparator, "&Fichier", "", nullptr, T::files, nullptr},
        {40001, "&Fichier", "E&xporter l'image (PNG, SVG, PDF)...", "export", T::files, [](F& f) { f.exportWithDialog(); }, hasView},
        {57607, "&Fichier", "&Imprimer...\tCtrl+P", "print", T::files, [](F& f) { f.print(); }, hasView},
        {57609, "&Fichier", "&Aperçu avant impression", "preview", T::none, [](F& f) { f.printPreview(); }, hasView},
        {kSeparator, "&Fichier", "", nullptr, T::none, nullptr},
        {57665, "&Fichier", "&Quitter", "quit", T::none, [](F& f) { f.close(); }},

        {57643, "&Edition", "Annuler \tCtrl + Z", "undo", T::files, [](F& f) { f.undo(); }, canUndo},
        {57644, "&Edition", "Rétablir \tCtrl + Y", "redo", T::files, [](F& f) { f.redo(); }, canRedo},
        {kSeparator, "&Edition", "", nullptr, T::files, nullptr},
        {57634, "&Edition", "&Copier\tCtrl+C", "copy", T::files, [](F& f) { f.copy(); }, hasView},
        {40002, "&Edition", "Copier comme &Bitmap", "copybitmap", T::none, [](F& f) { f.copyBitmap(); }, hasView},

        {40010, "&Affichage", "Zoom avant", "zoomin", T::zoom, [](F& f) { f.activeView()->zoomIn(); }, hasView},
        {40011, "&Affichage", "Zoom arrière", "zoomout", T::zoom, [](F& f) { f.activeView()->zoomOut(); }, hasView},
        {40012, "&Affichage", "Tout redessiner", "redraw", T::zoom, [](F& f) { f.activeView()->recomputeAndRedraw(); }, hasView},
        {kSeparator, "&Affichage", "", nullptr, T::none, nullptr},
        {40013, "&Affichage", "Cacher les noms masqués", "hidenames", T::modification,
         [](F& f) { drawingState().respectNameHidden = !drawingState().respectNameHidden; f.redrawAll(); },
         nullptr, [](F&) { return drawingState().respectNameHidden; }},
        {40014, "&Affichage", "Image de fond visible", "background", T::modification,
         [](F& f) { drawingState().backgroundPictureVisible = !drawingState().backgroundPictureVisible; f.redrawAll(); },
         hasBackground, [](F&) { return drawingState().backgroundPictureVisible; }},

        {40020, "&Options", "Préférences\tF7", "preferences", T::files, [](F& f) { f.editPreferences(); }},
        {kSeparator, "&Options", "", nullptr, T::none, nullptr},
        {40021, "&Options", "Renforcement des traits fins", "thicklines", T::modification,
         [](F& f) { f.toggleLineEnforcement(); }, nullptr, [](F&) { return preferences().lineEnforcement; }},
        {40022, "&Options", "Noms des points automatiques\tF3", "nameauto", T::none,
         [](F& f) { preferences().nameAuto = !preferences().nameAuto; f.updateActions(); },
         nullptr, [](F&) { return preferences().nameAuto; }, "Noms Auto"},
        {40023, "&Options", "Création visuelle active\tF2", "visual", T::none,
         [](F& f) { preferences().visualCreation = !preferences().visualCreation; f.recomputeAll(); },
         nullptr, [](F&) { return preferences().visualCreation; }, "Visuel"},
        {40024, "&Options", "Intersections intelligentes", "intersections", T::none,
         [](F& f) { preferences().intelligentIntersections = !preferences().intelligentIntersections; f.updateActions(); },
         nullptr, [](F&) { return preferences().intelligentIntersections; }},

        {33062, "Mouvoir", "Répéter dernière commande\tF10", "repeat", T::none, [](F& f) { repeatLastCommand(f.activeView()); f.updateActions(); }, hasView},

        {57650, "Fe&nêtre", "&Cascade", "cascade", T::none, [](F& f) { f.cascade(); }, hasView},
        {57651, "Fe&nêtre", "&Mosaïque", "tile", T::none, [](F& f) { f.tile(); }, hasView},

        {57664, "&?", "&A propos de Korvendal32...", "about", T::none, [](F& f) { f.about(); }},
        // clang-format on
    };
    return table;
}

const std::vector<ToolButtonDesc>& toolButtonTable() {
    static const std::vector<ToolButtonDesc> table = {
        // clang-format off
        {32809, "capture", T::construction}, {32779, "freepoint", T::construction},
        {32781, "midpoint", T::construction}, {33063, "centroid", T::construction},
        {32780, "projection", T::construction}, {32800, "linkedpoint", T::construction},
        {32805, "intersection", T::construction}, {32783, "line", T::construction},
        {32784, "segment", T::construction}, {32840, "halfline", T::construction},
        {32788, "vector", T::construction}, {32787, "parallel", T::construction},
        {32786, "perpendicular", T::construction}, {32790, "bisector", T::construction},
        {32791, "anglebisector", T::construction}, {32794, "circle", T::construction},
        {32864, "polygon", T::construction}, {32841, "angle", T::construction},
        {33091, "segmentmark", T::construction},
        {32812, "name", T::modification}, {32807, "erase", T::modification},
        {32808, "unmask", T::modification}, {32810, "style", T::modification},
        {32811, "delete", T::modification},
        {32966, "translate", T::zoom},
        {33116, "testparallel", T::tests}, {33117, "testorthogonal", T::tests},
        {33118, "testaligned", T::tests},
        // clang-format on
    };
    return table;
}
