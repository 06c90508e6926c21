// The 16-colour palette and the 6 x 16 pen table built from it (process-wide). Entry 0 is the
// background of the figure being drawn: drawing in colour 0 erases.
#pragma once

#include "core/CDC.h"

class CPalette {
public:
    static constexpr int kColours = 16;
    static constexpr int kLineStyles = 6;

    // Palette of the table (entry 0 white), pens rebuilt.
    static void resetPalette();
    static void setBackgroundColour(int red, int green, int blue);
    // Pens from the palette and the "LineEnforcement" preference.
    static void rebuildPens();

    // Index outside the table: the nearest valid one (a damaged file must not crash drawing).
    static COLORREF colour(int index);
    static const CPenDesc& pen(int lineStyle, int colourIndex);
    // The thin solid pen of a colour (style 0 without enforcement): marks and outlines.
    static CPenDesc thinPen(int colourIndex);
};
