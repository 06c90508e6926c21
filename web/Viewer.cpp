// The web viewer's engine: one figure per module instance (the model keeps process-wide state),
// loaded from the bytes of its file, drawn on the page's canvas and dragged by its free and
// linked points as the capture tool of the program drags them.
#include <emscripten.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/CHost.h"
#include "core/CPalette.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointLie.h"
#include "values/CVariable.h"
#include "web/CCanvasDC.h"

namespace {
struct Viewer {
    CPelvantiDoc doc;
    LSize area{5000, 2000};
    CListeAction moving{false};
    CPointAncetre* taken = nullptr;
    std::vector<CVariableBornee*> variables;
    std::string text;  // the last text handed to the page
};

Viewer& viewer() {
    static Viewer v;
    return v;
}

// The first free or linked point that is not pinned within 4 pixels of the mouse: points are
// designated before anything else, and only points move here.
CPointAncetre* pointAt(int px, int py) {
    Viewer& v = viewer();
    for (CActionAncetre* e : v.doc.graphicList().entries()) {
        if (!(e->nature & (nat::pointLibre | nat::pointLie))) continue;
        auto* p = dynamic_cast<CPointAncetrePointsMobiles*>(e->element);
        if (!p || !p->mobile || p->masked) continue;
        const int d = p->designationDistance(px * 10, py * 10, true);
        if (d >= 0 && d != kNotDesignable && d / 10 < 4) return p;
    }
    return nullptr;
}

void drawList(CListeAction& list) {
    CCanvasDC dc({0, 0, viewer().area.cx, viewer().area.cy});
    list.drawAll(&dc, true, true);
}

const char* handOut(std::string text) {
    viewer().text = std::move(text);
    return viewer().text.c_str();
}
}  // namespace

extern "C" {

// Empty text when the figure was read; its French reason otherwise.
EMSCRIPTEN_KEEPALIVE const char* kv_load(const uint8_t* bytes, int size) {
    Viewer& v = viewer();
    std::string reason;
    v.taken = nullptr;
    v.moving.clear();
    v.variables.clear();
    if (!v.doc.loadFromBytes(std::vector<uint8_t>(bytes, bytes + size), &reason))
        return handOut(reason.empty() ? "Figure illisible." : reason);
    if (v.doc.viewSize.cx > 0 && v.doc.viewSize.cy > 0) v.area = v.doc.viewSize;
    setActiveDrawingArea(v.area);
    CPalette::setBackgroundColour(v.doc.backgroundRed, v.doc.backgroundGreen, v.doc.backgroundBlue);
    for (CActionAncetre* e : v.doc.list().entries())
        if (auto* var = dynamic_cast<CVariableBornee*>(e->element)) v.variables.push_back(var);
    v.doc.list().computeAll();
    return handOut({});
}

// What the figure holds that this page cannot show, one line each.
EMSCRIPTEN_KEEPALIVE const char* kv_limits() {
    Viewer& v = viewer();
    Nature natures = 0;
    for (CActionAncetre* e : v.doc.list().entries()) natures |= e->nature;
    std::string text;
    if (natures & nat::macro) text += "Les macros de la figure ne peuvent pas être lancées ici.\n";
    if ((natures & nat::image) || !v.doc.backgroundPictureFile.empty())
        text += "Les images de la figure ne sont pas affichées.\n";
    return handOut(text);
}

EMSCRIPTEN_KEEPALIVE int kv_width() {
    return viewer().area.cx / 10;
}
EMSCRIPTEN_KEEPALIVE int kv_height() {
    return viewer().area.cy / 10;
}
EMSCRIPTEN_KEEPALIVE int kv_background() {
    return static_cast<int>(CPalette::colour(0));
}

EMSCRIPTEN_KEEPALIVE void kv_draw() {
    drawList(viewer().doc.graphicList());
}

EMSCRIPTEN_KEEPALIVE int kv_point_at(int px, int py) {
    return pointAt(px, py) != nullptr;
}

// Takes the point under the mouse: what moves with it is found once.
EMSCRIPTEN_KEEPALIVE int kv_take(int px, int py) {
    Viewer& v = viewer();
    v.taken = pointAt(px, py);
    v.moving.clear();
    if (v.taken) v.doc.list().buildDragList(v.taken, v.moving);
    return v.taken != nullptr;
}

// The part of the figure that stays still while the taken point moves.
EMSCRIPTEN_KEEPALIVE void kv_draw_still() {
    Viewer& v = viewer();
    CListeAction still(false);
    for (CActionAncetre* e : v.doc.graphicList().entries())
        if (!v.moving.contains(e->element)) still.append(e);
    drawList(still);
}

EMSCRIPTEN_KEEPALIVE void kv_draw_moving() {
    drawList(viewer().moving);
}

// The taken point follows the mouse; false when the position is refused.
EMSCRIPTEN_KEEPALIVE int kv_move(int px, int py) {
    Viewer& v = viewer();
    if (!v.taken) return 0;
    const CViewBounds bounds({0, 0, v.area.cx, v.area.cy});
    double x, y, t;
    if (auto* lp = dynamic_cast<CPointLie*>(v.taken)) {
        if (!lp->positionFromMouse(bounds, px * 10, py * 10, &x, &y, &t)) return 0;
        lp->abscissa = t;
    } else {
        if (!v.taken->positionFromMouse(bounds, px * 10, py * 10, &x, &y)) return 0;
        v.taken->setPosition(x, y);
    }
    v.moving.computeAll();
    return 1;
}

EMSCRIPTEN_KEEPALIVE void kv_drop() {
    viewer().taken = nullptr;
    viewer().moving.clear();
}

EMSCRIPTEN_KEEPALIVE int kv_variable_count() {
    return static_cast<int>(viewer().variables.size());
}

// "name\tvalue\tminimum\tmaximum\tstep" of a bounded variable.
EMSCRIPTEN_KEEPALIVE const char* kv_variable(int i) {
    const CVariableBornee* var = viewer().variables.at(i);
    std::string t = var->getName();
    for (double d : {var->value, var->minimum, var->maximum, var->step}) {
        char number[32];
        std::snprintf(number, sizeof number, "\t%.17g", d);
        t += number;
    }
    return handOut(t);
}

// A value within the bounds moves the figure; another is refused.
EMSCRIPTEN_KEEPALIVE int kv_set_variable(int i, double value) {
    Viewer& v = viewer();
    CVariableBornee* var = v.variables.at(i);
    if (!(value >= var->minimum && value <= var->maximum)) return 0;
    var->value = value;
    v.doc.list().computeAll();
    return 1;
}
}
