#include "app/CommandTable.h"

#include "app/CDocumentCommands.h"
#include "app/CMainFrame.h"
#include "calc/EvaluationState.h"
#include "app/WebPageCommands.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "document/FigureTemplates.h"
#include "view/CFigureRenderer.h"
#include "view/CKeyboardTools.h"
#include "view/COutilsRegistry.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"

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
// A new figure holding a construction.
template <FigureTemplate which>
void fromTemplate(F& f) {
    newFigureFromTemplate(f, which);
}
bool hasBackground(F& f) {
    return f.activeView() && f.activeView()->document()->backgroundPicture != nullptr;
}
}  // namespace

const std::vector<CommandDesc>& commandTable() {
    static const std::vector<CommandDesc> table = {
        // clang-format off
        {Cmd::fileNew, "&Fichier", "&Nouveau\tCtrl+N", "new", T::files, [](F& f) { f.newFigure(); }},
        {Cmd::newFigureWithoutUnit, "&Fichier", "Nouvelle figure sans longueur unité", nullptr, T::none, [](F& f) { f.newFigure(); }},
        {Cmd::newOrthonormalGrid, "&Fichier/Nouvelle figure avec/Repère orthonormal", "&Quadrillé", nullptr, T::none, fromTemplate<FigureTemplate::orthonormalGrid>},
        {Cmd::newOrthonormalPlain, "&Fichier/Nouvelle figure avec/Repère orthonormal", "&Non quadrillé", nullptr, T::none, fromTemplate<FigureTemplate::orthonormalPlain>},
        {Cmd::newOrthonormalDotted, "&Fichier/Nouvelle figure avec/Repère orthonormal", "Avec &pointillés", nullptr, T::none, fromTemplate<FigureTemplate::orthonormalDotted>},
        {Cmd::newOrthonormalGridVectors, "&Fichier/Nouvelle figure avec/Repère orthonormal avec vecteurs", "&Quadrillé", nullptr, T::none, fromTemplate<FigureTemplate::orthonormalGridVectors>},
        {Cmd::newOrthonormalPlainVectors, "&Fichier/Nouvelle figure avec/Repère orthonormal avec vecteurs", "&Non quadrillé", nullptr, T::none, fromTemplate<FigureTemplate::orthonormalPlainVectors>},
        {Cmd::newOrthonormalDottedVectors, "&Fichier/Nouvelle figure avec/Repère orthonormal avec vecteurs", "Avec &pointillés", nullptr, T::none, fromTemplate<FigureTemplate::orthonormalDottedVectors>},
        {Cmd::newOrthogonalGrid, "&Fichier/Nouvelle figure avec/Repère orthogonal", "&Quadrillé", nullptr, T::none, fromTemplate<FigureTemplate::orthogonalGrid>},
        {Cmd::newOrthogonalPlain, "&Fichier/Nouvelle figure avec/Repère orthogonal", "&Non quadrillé", nullptr, T::none, fromTemplate<FigureTemplate::orthogonalPlain>},
        {Cmd::newOrthogonalDotted, "&Fichier/Nouvelle figure avec/Repère orthogonal", "Avec &pointillés", nullptr, T::none, fromTemplate<FigureTemplate::orthogonalDotted>},
        {Cmd::newOrthogonalGridVectors, "&Fichier/Nouvelle figure avec/Repère orthogonal avec vecteurs", "&Quadrillé", nullptr, T::none, fromTemplate<FigureTemplate::orthogonalGridVectors>},
        {Cmd::newOrthogonalPlainVectors, "&Fichier/Nouvelle figure avec/Repère orthogonal avec vecteurs", "&Non quadrillé", nullptr, T::none, fromTemplate<FigureTemplate::orthogonalPlainVectors>},
        {Cmd::newOrthogonalDottedVectors, "&Fichier/Nouvelle figure avec/Repère orthogonal avec vecteurs", "Avec &pointillés", nullptr, T::none, fromTemplate<FigureTemplate::orthogonalDottedVectors>},
        {Cmd::newSquare, "&Fichier/Nouvelle figure avec", "Un carré ABCD", nullptr, T::none, fromTemplate<FigureTemplate::square>},
        {Cmd::newRectangle, "&Fichier/Nouvelle figure avec", "Un rectangle ABCD", nullptr, T::none, fromTemplate<FigureTemplate::rectangle>},
        {Cmd::newParallelogram, "&Fichier/Nouvelle figure avec", "Un parallelogramme ABCD", nullptr, T::none, fromTemplate<FigureTemplate::parallelogram>},
        {Cmd::newTriangleAny, "&Fichier/Nouvelle figure avec/Un triangle", "Quelconque", nullptr, T::none, fromTemplate<FigureTemplate::triangleAny>},
        {Cmd::newTriangleRight, "&Fichier/Nouvelle figure avec/Un triangle", "Rectangle en A", nullptr, T::none, fromTemplate<FigureTemplate::triangleRight>},
        {Cmd::newTriangleIsosceles, "&Fichier/Nouvelle figure avec/Un triangle", "Isocèle en A", nullptr, T::none, fromTemplate<FigureTemplate::triangleIsosceles>},
        {Cmd::newTriangleRightIsosceles, "&Fichier/Nouvelle figure avec/Un triangle", "Rectangle et isocèle en A", nullptr, T::none, fromTemplate<FigureTemplate::triangleRightIsosceles>},
        {Cmd::newTriangleEquilateral, "&Fichier/Nouvelle figure avec/Un triangle", "Equilateral", nullptr, T::none, fromTemplate<FigureTemplate::triangleEquilateral>},
        {Cmd::newTrapezoidAny, "&Fichier/Nouvelle figure avec/Un trapèze", "Quelconque", nullptr, T::none, fromTemplate<FigureTemplate::trapezoidAny>},
        {Cmd::newTrapezoidRight, "&Fichier/Nouvelle figure avec/Un trapèze", "Rectangle en A", nullptr, T::none, fromTemplate<FigureTemplate::trapezoidRight>},
        {Cmd::newTrapezoidIsosceles, "&Fichier/Nouvelle figure avec/Un trapèze", "Isocèle en A et B", nullptr, T::none, fromTemplate<FigureTemplate::trapezoidIsosceles>},
        {Cmd::newHexagon, "&Fichier/Nouvelle figure avec", "Un hexagone régulier", nullptr, T::none, fromTemplate<FigureTemplate::hexagon>},
        {Cmd::newSegmentOfLength, "&Fichier/Nouvelle figure avec", "Segment de longueur donnée", nullptr, T::none, fromTemplate<FigureTemplate::segmentOfLength>},
        {Cmd::fileOpen, "&Fichier", "&Ouvrir...\tCtrl+O", "open", T::files, [](F& f) { f.openWithDialog(); }},
        {Cmd::fileClose, "&Fichier", "&Fermer", "close", T::none, [](F& f) { f.closeActive(); }, hasView},
        {Cmd::fileSave, "&Fichier", "&Enregistrer\tCtrl+S", "save", T::files, [](F& f) { f.save(); }, hasView},
        {Cmd::fileSaveAs, "&Fichier", "Enregistrer &sous...", "saveas", T::none, [](F& f) { f.saveAs(); }, hasView},
        {kSeparator, "&Fichier", "", nullptr, T::files, nullptr},
        {Cmd::exportPicture, "&Fichier", "E&xporter l'image (PNG, SVG, PDF)...", "export", T::files, [](F& f) { f.exportWithDialog(); }, hasView},
        {Cmd::filePrint, "&Fichier", "&Imprimer...\tCtrl+P", "print", T::files, [](F& f) { f.print(); }, hasView},
        {Cmd::filePrintPreview, "&Fichier", "&Aperçu avant impression", "preview", T::files, [](F& f) { f.printPreview(); }, hasView},
        {Cmd::objectListing, "&Fichier", "&Liste des objets...", nullptr, T::none, [](F& f) { openObjectListing(f); }, hasView},
        {kSeparator, "&Fichier", "", nullptr, T::none, nullptr},
        {Cmd::quit, "&Fichier", "&Quitter", "quit", T::none, [](F& f) { f.close(); }},

        {Cmd::editUndo, "&Edition", "Annuler \tCtrl + Z", "undo", T::files, [](F& f) { f.undo(); }, canUndo},
        {Cmd::editRedo, "&Edition", "Rétablir \tCtrl + Y", "redo", T::files, [](F& f) { f.redo(); }, canRedo},
        {kSeparator, "&Edition", "", nullptr, T::files, nullptr},
        {Cmd::editCopy, "&Edition", "&Copier\tCtrl+C", "copy", T::files, [](F& f) { f.copy(); }, hasView},
        {Cmd::copyBitmap, "&Edition", "Copier comme &Bitmap", "copybitmap", T::none, [](F& f) { f.copyBitmap(); }, hasView},
        {Cmd::figureText, "&Edition", "Texte de la figure", nullptr, T::none, [](F& f) { openFigureText(f, false); }, hasView},
        {kSeparator, "&Edition", "", nullptr, T::none, nullptr},
        {Cmd::appletCode, "&Edition", "Code HTML pour Applet", nullptr, T::none, [](F& f) { showAppletCode(f); }, appletCodeEnabled},
        {Cmd::exportWebPage, "&Edition", "Exporter une page web interactive…", nullptr, T::none, [](F& f) { exportInteractivePage(f); }, hasView},

        {Cmd::zoomIn, "&Affichage", "Zoom avant", "zoomin", T::zoom, [](F& f) { f.activeView()->zoomIn(); }, hasView},
        {Cmd::zoomOut, "&Affichage", "Zoom arrière", "zoomout", T::zoom, [](F& f) { f.activeView()->zoomOut(); }, hasView},
        {Cmd::redrawAll, "&Affichage", "Tout redessiner", "redraw", T::zoom, [](F& f) { RandomModeScope draws(true, false); f.activeView()->recomputeAndRedraw(); }, hasView},
        {Cmd::history, "&Affichage", "Historique\tF5", nullptr, T::none, [](F& f) { openHistory(f); }, hasView},
        {Cmd::viewFigureText, "&Affichage", "Voir texte de la figure\tF9", nullptr, T::none, [](F& f) { openFigureText(f, true); }, hasView},
        {kSeparator, "&Affichage", "", nullptr, T::none, nullptr},
        {Cmd::hideMaskedNames, "&Affichage", "Cacher les noms masqués", "hidenames", T::modification,
         [](F& f) { drawingState().respectNameHidden = !drawingState().respectNameHidden; f.redrawAll(); },
         nullptr, [](F&) { return drawingState().respectNameHidden; }},
        {Cmd::backgroundVisible, "&Affichage", "Image de fond visible", "background", T::modification,
         [](F& f) { drawingState().backgroundPictureVisible = !drawingState().backgroundPictureVisible; f.redrawAll(); },
         hasBackground, [](F&) { return drawingState().backgroundPictureVisible; }},

        {Cmd::preferences, "&Options", "Préférences\tF7", "preferences", T::files, [](F& f) { f.editPreferences(); }},
        {Cmd::figureOptions, "&Options", "Figure en cours", nullptr, T::none, [](F& f) { openFigureOptions(f); }, hasView},
        {kSeparator, "&Options", "", nullptr, T::none, nullptr},
        {Cmd::thickLines, "&Options", "Renforcement des traits fins", "thicklines", T::modification,
         [](F& f) { f.toggleLineEnforcement(); }, nullptr, [](F&) { return preferences().lineEnforcement; }},
        {Cmd::autoNames, "&Options", "Noms des points automatiques\tF3", "nameauto", T::none,
         [](F& f) { preferences().nameAuto = !preferences().nameAuto; f.updateActions(); },
         nullptr, [](F&) { return preferences().nameAuto; }, "Noms Auto"},
        {Cmd::visualCreation, "&Options", "Création visuelle active\tF2", "visual", T::none,
         [](F& f) { preferences().visualCreation = !preferences().visualCreation; f.recomputeAll(); },
         nullptr, [](F&) { return preferences().visualCreation; }, "Visuel"},
        {Cmd::smartIntersections, "&Options", "Intersections intelligentes", "intersections", T::none,
         [](F& f) { preferences().intelligentIntersections = !preferences().intelligentIntersections; f.updateActions(); },
         nullptr, [](F&) { return preferences().intelligentIntersections; }},

        {Cmd::freePointAt, "Créer/Point", "Point libre par coordonnées...", nullptr, T::none, [](F& f) { createFreePointAt(f.activeView()); }, hasView},

        {Cmd::repeatLast, "Mouvoir", "Répéter dernière commande\tF10", "repeat", T::none, [](F& f) { repeatLastCommand(f.activeView()); f.updateActions(); }, hasView},

        {Cmd::windowCascade, "Fe&nêtre", "&Cascade", "cascade", T::none, [](F& f) { f.cascade(); }, hasView},
        {Cmd::windowTile, "Fe&nêtre", "&Mosaïque", "tile", T::none, [](F& f) { f.tile(); }, hasView},

        {Cmd::about, "&?", "&A propos de Korvendal32...", "about", T::none, [](F& f) { f.about(); }},
        // clang-format on
    };
    return table;
}

const std::vector<ToolButtonDesc>& toolButtonTable() {
    static const std::vector<ToolButtonDesc> table = {
        // clang-format off
        {Cmd::capture, "capture", T::construction}, {Cmd::freePoint, "freepoint", T::construction},
        {Cmd::midpoint, "midpoint", T::construction}, {Cmd::centroid, "centroid", T::construction},
        {Cmd::projection, "projection", T::construction},
        {Cmd::linkedPoint, "linkedpoint", T::construction},
        {Cmd::intersection, "intersection", T::construction},
        {Cmd::lineTwoPoints, "line", T::construction}, {Cmd::segment, "segment", T::construction},
        {Cmd::halfLine, "halfline", T::construction}, {Cmd::vector, "vector", T::construction},
        {Cmd::parallel, "parallel", T::construction},
        {Cmd::perpendicular, "perpendicular", T::construction},
        {Cmd::perpBisector, "bisector", T::construction},
        {Cmd::angleBisector, "anglebisector", T::construction},
        {Cmd::circleCentrePoint, "circle", T::construction},
        {Cmd::polygon, "polygon", T::construction}, {Cmd::angleMark, "angle", T::construction},
        {Cmd::segmentMark, "segmentmark", T::construction},
        {Cmd::centralSymmetry, "centralsymmetry", T::construction},
        {Cmd::axialSymmetry, "axialsymmetry", T::construction},
        {Cmd::rotation, "rotation", T::construction},
        {Cmd::protractor, "protractor", T::construction},
        {Cmd::translation, "translation", T::construction},
        {Cmd::homothety, "homothety", T::construction},
        {Cmd::locusByLinkedPoint, "locus", T::construction},
        {Cmd::surfaceBounded, "surface", T::construction},
        {Cmd::halfPlane, "halfplane", T::construction},
        {Cmd::curveOnR, "curve", T::construction},
        {Cmd::circleCentreRadius, "circleradius", T::construction},
        {Cmd::smallArc, "arc", T::construction},
        {Cmd::brokenLine, "brokenline", T::construction},
        {Cmd::barycentre, "barycentre", T::construction},
        {Cmd::pointByCoordinates, "pointxy", T::construction},
        {Cmd::rightAngleMark, "rightangle", T::construction},
        {Cmd::measureLength, "measurelength", T::construction},
        {Cmd::measureAngle, "measureangle", T::construction},
        {Cmd::valueDisplayFree, "display", T::construction},
        {Cmd::commentFree, "comment", T::construction},
        {Cmd::name, "name", T::modification}, {Cmd::erase, "erase", T::modification},
        {Cmd::unmask, "unmask", T::modification}, {Cmd::palette, "style", T::modification},
        {Cmd::deleteObject, "delete", T::modification},
        {Cmd::modifyCoordinates, "modifycoordinates", T::modification},
        {Cmd::modifyRadius, "modifyradius", T::modification},
        {Cmd::modifyComment, "modifycomment", T::modification},
        {Cmd::modifyValueDisplay, "modifydisplay", T::modification},
        {Cmd::modifyLocus, "modifylocus", T::modification},
        {Cmd::linkPoint, "linkpoint", T::modification},
        {Cmd::unlinkPoint, "unlinkpoint", T::modification},
        {Cmd::pinPoint, "pin", T::modification},
        {Cmd::unpinPoint, "unpin", T::modification},
        {Cmd::duplicate, "duplicate", T::modification},
        {Cmd::translateFigure, "translate", T::zoom},
        {Cmd::traceObjects, "trace", T::zoom}, {Cmd::animation, "animation", T::zoom},
        {Cmd::testParallel, "testparallel", T::tests},
        {Cmd::testOrthogonal, "testorthogonal", T::tests},
        {Cmd::testAligned, "testaligned", T::tests},
        // clang-format on
    };
    return table;
}

bool isAdvancedButton(int id) {
    // Vectors, loci and curves of functions are taught after the school level.
    return id == Cmd::vector || id == Cmd::locusByLinkedPoint || id == Cmd::curveOnR;
}
