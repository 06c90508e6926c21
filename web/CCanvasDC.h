// The drawing surface of the web viewer: every primitive goes to the page's 2D canvas through
// the viewer's JavaScript surface object (Module.kvSurface), 10 logical units to a pixel.
#pragma once

#include "core/CDC.h"

class CCanvasDC : public CDC {
public:
    explicit CCanvasDC(LRect area) : area_(area) {}

    void selectPen(const CPenDesc& pen) override;
    void selectBrush(const CBrushDesc& brush) override;
    void selectFont(const CFontDesc& font) override;
    void setTextColour(COLORREF c) override { textColour_ = c; }
    void setBkColour(COLORREF c) override { bkColour_ = c; }
    void setBkMode(int mode) override { bkMode_ = mode; }

    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void polygon(const std::vector<LPoint>& points) override;
    void polyline(const std::vector<LPoint>& points) override;
    void line(int x1, int y1, int x2, int y2) override;
    void arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override;
    void pie(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override;
    void setPixel(int x, int y, COLORREF c) override;
    void floodFill(int x, int y, COLORREF boundary) override;
    void fillRect(const LRect& r, COLORREF c) override;
    // Pictures are not decoded by the viewer: nothing is drawn.
    void drawPicture(const CPicture&, const LRect&) override {}
    void textOut(int x, int y, const std::string& utf8) override;
    LSize textExtent(const std::string& utf8) override;
    void setClipRect(const LRect& r) override;
    void clearClip() override;
    LRect drawingArea() const override { return area_; }

private:
    LRect area_;
    CFontDesc font_;
    COLORREF textColour_ = 0, bkColour_ = 0xFFFFFF;
    int bkMode_ = BK_OPAQUE;
    bool fontSent_ = false;
};
