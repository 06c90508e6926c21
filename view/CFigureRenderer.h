// The drawing passes of a figure, shared by the view, printing, clipboard pictures and the
// export to picture files, so that all of them show the same figure.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

#include "core/CDC.h"

class CPelvantiDoc;
class CElementBase;
class CActionAncetre;

// Process-wide drawing switches, shared by every view.
struct CDrawingState {
    // Masked objects are neither drawn nor designated; tools that show and hide objects clear
    // it while they work.
    bool hideMasked = true;
    // Names whose nameHidden flag is set are not drawn ("Cacher les noms masqués").
    bool respectNameHidden = true;
    // "Image de fond visible".
    bool backgroundPictureVisible = true;
    // Draws the final state of the figure's default macro over the figure, without changing
    // the figure (installed by the macros; nothing is drawn while it is empty).
    std::function<void(CDC&, CPelvantiDoc&)> defaultMacroOverlay;
};

CDrawingState& drawingState();

// What a pass draws besides the whole figure.
struct CDrawOptions {
    // Step-by-step display: only the objects 0 to stepDisplay (-1: the whole figure).
    int stepDisplay = -1;
    // An object whose name is framed (while names are dragged).
    const CElementBase* framedName = nullptr;
};

// Palette entry 0 becomes the document's background colour.
void applyBackgroundColour(CPelvantiDoc& doc);

// The figure in drawing order: background picture, main pass on the graphic list (objects,
// then their names), default-macro overlay.
void drawFigure(CDC& dc, CPelvantiDoc& doc, const CDrawOptions& options = {});

// What stays still while the entries that `moves` names move (a drag, an animation): the
// background picture and the rest of the graphic list, drawn once into an image of `pixels`
// filled with the background colour, for the moving part to be drawn over it at each step.
QImage renderStillPart(CPelvantiDoc& doc, QSize pixels, LSize area,
                       const std::function<bool(const CActionAncetre*)>& moves);

// Drawing area of a document for pictures: its view size, or 5000 x 2000 when it has none.
LSize figureArea(const CPelvantiDoc& doc);

// The figure drawn into an image of `pixels` (by default one pixel per ten logical units),
// filled first with the background colour.
QImage renderFigureImage(CPelvantiDoc& doc, QSize pixels = QSize());
// The figure as SVG data at `pixels` size.
QByteArray renderFigureSvg(CPelvantiDoc& doc, QSize pixels = QSize());
// Writes the figure to a PNG, SVG or PDF file chosen by the extension of `outPath`.
bool exportFigure(CPelvantiDoc& doc, const QString& outPath, QSize pixels, QString* reason);
