#include "web/CCanvasDC.h"

#include <emscripten.h>

// The surface object of the page does the drawing; these are its entry points.
// clang-format off
EM_JS(void, kv_pen, (int style, int width, int colour), { Module.kvSurface.pen(style, width, colour); });
EM_JS(void, kv_brush, (int kind, int hatch, int colour, const uint8_t* bits),
      { Module.kvSurface.brush(kind, hatch, colour, HEAPU8.slice(bits, bits + 8)); });
EM_JS(void, kv_font, (const char* face, int size, int weight, int italic, int underline, int symbol),
      { Module.kvSurface.font(UTF8ToString(face), size, weight, italic, underline, symbol); });
EM_JS(void, kv_shape, (int kind, int l, int t, int r, int b, int xs, int ys, int xe, int ye),
      { Module.kvSurface.shape(kind, l, t, r, b, xs, ys, xe, ye); });
EM_JS(void, kv_points, (int closed, const int* xy, int count),
      { Module.kvSurface.points(closed, HEAP32.subarray(xy >> 2, (xy >> 2) + 2 * count)); });
EM_JS(void, kv_fill_rect, (int l, int t, int r, int b, int colour),
      { Module.kvSurface.fillRect(l, t, r, b, colour); });
EM_JS(void, kv_flood, (int x, int y, int boundary), { Module.kvSurface.flood(x, y, boundary); });
EM_JS(void, kv_text, (int x, int y, const char* text, int colour, int opaque, int bk),
      { Module.kvSurface.text(x, y, UTF8ToString(text), colour, opaque, bk); });
EM_JS(int, kv_text_width, (const char* text), { return Module.kvSurface.textWidth(UTF8ToString(text)); });
EM_JS(int, kv_text_height, (), { return Module.kvSurface.textHeight(); });
EM_JS(void, kv_clip, (int on, int l, int t, int r, int b), { Module.kvSurface.clip(on, l, t, r, b); });
// clang-format on

namespace {
enum Shape { kRectangle, kEllipse, kLine, kArc, kPie };
}

void CCanvasDC::selectPen(const CPenDesc& pen) {
    kv_pen(pen.style, pen.width, static_cast<int>(pen.colour));
}

void CCanvasDC::selectBrush(const CBrushDesc& brush) {
    kv_brush(brush.kind, brush.hatch, static_cast<int>(brush.colour), brush.bits.data());
}

void CCanvasDC::selectFont(const CFontDesc& font) {
    if (fontSent_ && font == font_) return;
    font_ = font;
    fontSent_ = true;
    kv_font(font.faceName.c_str(), font.pointSize, font.weight, font.italic, font.underline,
            font.symbol);
}

void CCanvasDC::rectangle(int left, int top, int right, int bottom) {
    kv_shape(kRectangle, left, top, right, bottom, 0, 0, 0, 0);
}

void CCanvasDC::ellipse(int left, int top, int right, int bottom) {
    kv_shape(kEllipse, left, top, right, bottom, 0, 0, 0, 0);
}

void CCanvasDC::line(int x1, int y1, int x2, int y2) {
    kv_shape(kLine, x1, y1, x2, y2, 0, 0, 0, 0);
}

void CCanvasDC::arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    kv_shape(kArc, left, top, right, bottom, xs, ys, xe, ye);
}

void CCanvasDC::pie(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    kv_shape(kPie, left, top, right, bottom, xs, ys, xe, ye);
}

// LPoint is two ints, so the vector's storage is the x, y pairs the surface reads.
static_assert(sizeof(LPoint) == 2 * sizeof(int));

void CCanvasDC::polygon(const std::vector<LPoint>& points) {
    if (!points.empty()) kv_points(1, &points.front().x, static_cast<int>(points.size()));
}

void CCanvasDC::polyline(const std::vector<LPoint>& points) {
    if (points.size() >= 2) kv_points(0, &points.front().x, static_cast<int>(points.size()));
}

void CCanvasDC::setPixel(int x, int y, COLORREF c) {
    kv_fill_rect(x, y, x + 10, y + 10, static_cast<int>(c));
}

void CCanvasDC::fillRect(const LRect& r, COLORREF c) {
    kv_fill_rect(r.left, r.top, r.right, r.bottom, static_cast<int>(c));
}

void CCanvasDC::floodFill(int x, int y, COLORREF boundary) {
    kv_flood(x, y, static_cast<int>(boundary));
}

void CCanvasDC::textOut(int x, int y, const std::string& utf8) {
    if (!fontSent_) selectFont(font_);
    kv_text(x, y, utf8.c_str(), static_cast<int>(textColour_), bkMode_ == BK_OPAQUE,
            static_cast<int>(bkColour_));
}

LSize CCanvasDC::textExtent(const std::string& utf8) {
    if (!fontSent_) selectFont(font_);
    return {kv_text_width(utf8.c_str()), kv_text_height()};
}

void CCanvasDC::setClipRect(const LRect& r) {
    kv_clip(1, r.left, r.top, r.right, r.bottom);
}

void CCanvasDC::clearClip() {
    kv_clip(0, 0, 0, 0, 0);
}
