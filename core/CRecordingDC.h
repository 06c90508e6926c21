// A drawing surface that records every primitive with its logical coordinates and colours, so
// that tests can check exactly what an object draws. Text measures are deterministic: a
// character is pointSize * 20 / 3 logical units wide and twice as high.
#pragma once

#include <string>
#include <vector>

#include "core/CDC.h"

class CRecordingDC : public CDC {
public:
    struct Op {
        std::string kind;        // "rectangle", "ellipse", "polygon", "polyline", "line", "arc",
                                 // "pie", "pixel", "floodFill", "fillRect", "text", "picture"
        std::vector<int> args;   // coordinates in call order (points flattened x, y)
        CPenDesc pen;            // pen selected at the time of the call
        CBrushDesc brush;        // brush selected at the time of the call
        COLORREF colour = 0;     // pixel, flood boundary, fill or text colour
        std::string text;        // for text
        CFontDesc font;          // for text
        int bkMode = BK_OPAQUE;  // for text
    };

    explicit CRecordingDC(LRect area = {0, 0, 5000, 2000}) : area_(area) {}

    void selectPen(const CPenDesc& pen) override { pen_ = pen; }
    void selectBrush(const CBrushDesc& brush) override { brush_ = brush; }
    void selectFont(const CFontDesc& font) override { font_ = font; }
    void setTextColour(COLORREF c) override { textColour_ = c; }
    void setBkColour(COLORREF c) override { bkColour_ = c; }
    void setBkMode(int mode) override { bkMode_ = mode; }

    void rectangle(int l, int t, int r, int b) override { add("rectangle", {l, t, r, b}); }
    void ellipse(int l, int t, int r, int b) override { add("ellipse", {l, t, r, b}); }
    void polygon(const std::vector<LPoint>& pts) override { add("polygon", flatten(pts)); }
    void polyline(const std::vector<LPoint>& pts) override { add("polyline", flatten(pts)); }
    void line(int x1, int y1, int x2, int y2) override { add("line", {x1, y1, x2, y2}); }
    void arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override {
        add("arc", {l, t, r, b, xs, ys, xe, ye});
    }
    void pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override {
        add("pie", {l, t, r, b, xs, ys, xe, ye});
    }
    void setPixel(int x, int y, COLORREF c) override { add("pixel", {x, y}).colour = c; }
    void floodFill(int x, int y, COLORREF boundary) override {
        add("floodFill", {x, y}).colour = boundary;
    }
    void fillRect(const LRect& r, COLORREF c) override {
        add("fillRect", {r.left, r.top, r.right, r.bottom}).colour = c;
    }
    void drawPicture(const CPicture&, const LRect& r) override {
        add("picture", {r.left, r.top, r.right, r.bottom});
    }
    void textOut(int x, int y, const std::string& s) override {
        Op& op = add("text", {x, y});
        op.text = s;
        op.colour = textColour_;
        op.font = font_;
        op.bkMode = bkMode_;
    }
    LSize textExtent(const std::string& s) override;
    void setClipRect(const LRect& r) override { clip_ = r; }
    void clearClip() override { clip_ = area_; }
    LRect drawingArea() const override { return area_; }

    // Width of one character of the selected font, and its height.
    int charWidth() const { return font_.pointSize * 20 / 3; }
    int charHeight() const { return font_.pointSize * 40 / 3; }

    std::vector<Op> ops;
    COLORREF bkColour() const { return bkColour_; }
    void clear() { ops.clear(); }
    // Operations of one kind, in call order.
    std::vector<Op> opsOfKind(const std::string& kind) const;

private:
    Op& add(const char* kind, std::vector<int> args);
    static std::vector<int> flatten(const std::vector<LPoint>& pts);

    LRect area_;
    LRect clip_ = area_;
    CPenDesc pen_;
    CBrushDesc brush_;
    CFontDesc font_;
    COLORREF textColour_ = 0;
    COLORREF bkColour_ = 0xFFFFFF;
    int bkMode_ = BK_OPAQUE;
};
