#include "core/CPalette.h"

#include <algorithm>

#include "core/CPreferences.h"

namespace {
constexpr COLORREF kDefaultPalette[CPalette::kColours] = {
    0xFFFFFF, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x7F7F7F, 0x7F0000, 0x007F00, 0x00007F, 0x7F7F00, 0x7F007F, 0x007F7F, 0x000041};

struct Tables {
    COLORREF palette[CPalette::kColours];
    CPenDesc pens[CPalette::kLineStyles][CPalette::kColours];
    Tables() {
        std::copy(std::begin(kDefaultPalette), std::end(kDefaultPalette), palette);
    }
};

Tables& tables() {
    static Tables t;
    static bool built = false;
    if (!built) {
        built = true;
        CPalette::rebuildPens();
    }
    return t;
}

int clampIndex(int i, int n) { return std::clamp(i, 0, n - 1); }
}  // namespace

void CPalette::resetPalette() {
    Tables& t = tables();
    std::copy(std::begin(kDefaultPalette), std::end(kDefaultPalette), t.palette);
    rebuildPens();
}

void CPalette::setBackgroundColour(int red, int green, int blue) {
    tables().palette[0] = RGB(red, green, blue);
    rebuildPens();
}

void CPalette::rebuildPens() {
    struct StyleDesc {
        int style, width;
    };
    const StyleDesc styles[kLineStyles] = {
        {PS_SOLID, preferences().lineEnforcement ? 6 : 1},
        {PS_DOT, 1},
        {PS_SOLID, 15},
        {PS_DASH, 1},
        {PS_DASHDOTDOT, 1},
        {PS_SOLID, 25},
    };
    Tables& t = tables();
    for (int s = 0; s < kLineStyles; ++s)
        for (int c = 0; c < kColours; ++c)
            t.pens[s][c] = CPenDesc{styles[s].style, styles[s].width, 0, t.palette[c]};
}

COLORREF CPalette::colour(int index) { return tables().palette[clampIndex(index, kColours)]; }

const CPenDesc& CPalette::pen(int lineStyle, int colourIndex) {
    return tables().pens[clampIndex(lineStyle, kLineStyles)][clampIndex(colourIndex, kColours)];
}

CPenDesc CPalette::thinPen(int colourIndex) { return CPenDesc{PS_SOLID, 1, 0, colour(colourIndex)}; }
