// New figures that already hold a small construction: a frame, a square, a triangle... Each is
// built into a fresh figure, in a fixed order of objects, with its unit length.
#pragma once

#include "core/CDC.h"

class CPelvantiDoc;

enum class FigureTemplate {
    orthonormalGrid,
    orthonormalPlain,
    orthonormalDotted,
    orthonormalGridVectors,
    orthonormalPlainVectors,
    orthonormalDottedVectors,
    orthogonalGrid,
    orthogonalPlain,
    orthogonalDotted,
    orthogonalGridVectors,
    orthogonalPlainVectors,
    orthogonalDottedVectors,
    square,
    rectangle,
    parallelogram,
    triangleAny,
    triangleRight,
    triangleIsosceles,
    triangleRightIsosceles,
    triangleEquilateral,
    trapezoidAny,
    trapezoidRight,
    trapezoidIsosceles,
    hexagon,
    segmentOfLength,
};

// Makes `doc` a new figure holding the template, placed in a drawing area of `area` (logical
// units), with a history that starts there. False, and a new empty figure, when an object of
// the template could not be computed (an area too small to hold it).
bool buildFigureTemplate(CPelvantiDoc& doc, FigureTemplate which, LSize area);
