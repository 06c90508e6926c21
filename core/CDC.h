// The drawing surface of the model: what a figure object needs to draw itself. Coordinates are
// logical units (10 per screen pixel, y downward); colours are 0x00BBGGRR. The Qt layer
// implements it with QPainter; tests use CRecordingDC.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using COLORREF = uint32_t;

inline constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int GetRValue(COLORREF c) { return c & 0xFF; }
inline constexpr int GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
inline constexpr int GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

struct LPoint {
    int x = 0;
    int y = 0;
    bool operator==(const LPoint&) const = default;
};

struct LRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const LRect&) const = default;
};

struct LSize {
    int cx = 0, cy = 0;
    bool operator==(const LSize&) const = default;
};

// Pen styles of the platform's graphics interface.
enum PenStyle { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5 };

// Pen description: style, width (logical units; at least one pixel is drawn), a second width
// component that is always 0, and the colour.
struct CPenDesc {
    int style = PS_SOLID;
    int width = 1;
    int width2 = 0;
    COLORREF colour = 0;
    bool operator==(const CPenDesc&) const = default;
};

enum HatchStyle { HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3,
                  HS_CROSS = 4, HS_DIAGCROSS = 5 };

struct CBrushDesc {
    enum Kind { null, solid, hatched, pattern } kind = null;
    int hatch = 0;          // HatchStyle for hatched brushes
    COLORREF colour = 0;    // colour of the fill, hatch lines or pattern dots
    // 8 x 8 monochrome pattern, one byte a row, bit 7 leftmost; set bits take the colour,
    // clear bits are left transparent.
    std::array<uint8_t, 8> bits{};
    bool operator==(const CBrushDesc&) const = default;

    static CBrushDesc nullBrush() { return {}; }
    static CBrushDesc solidBrush(COLORREF c) { return {solid, 0, c, {}}; }
    static CBrushDesc hatchBrush(int h, COLORREF c) { return {hatched, h, c, {}}; }
    static CBrushDesc patternBrush(const std::array<uint8_t, 8>& rows, COLORREF c) {
        return {pattern, 0, c, rows};
    }
};

// Fonts: names use the name font at one of six sizes, comments and displayed values the text
// font; the symbol font draws letters as the matching Greek letters.
struct CFontDesc {
    std::string faceName = "Times New Roman";
    int pointSize = 12;   // size in points
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool symbol = false;
    bool operator==(const CFontDesc&) const = default;
};

// A decoded picture (figure pictures, the background picture). Made by CHost::decodePicture.
class CPicture {
public:
    virtual ~CPicture() = default;
    virtual LSize sizeInPixels() const = 0;
};

enum BkMode { BK_TRANSPARENT = 1, BK_OPAQUE = 2 };

class CDC {
public:
    virtual ~CDC() = default;

    // Drawing attributes, kept until changed.
    virtual void selectPen(const CPenDesc& pen) = 0;
    virtual void selectBrush(const CBrushDesc& brush) = 0;
    virtual void selectFont(const CFontDesc& font) = 0;
    virtual void setTextColour(COLORREF c) = 0;
    virtual void setBkColour(COLORREF c) = 0;
    virtual void setBkMode(int mode) = 0;

    // Shapes: outlined with the pen, filled with the brush. Rectangles and polygons follow the
    // platform's fill convention (right and bottom edges excluded).
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    virtual void polygon(const std::vector<LPoint>& points) = 0;
    virtual void polyline(const std::vector<LPoint>& points) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // Arc of the ellipse inscribed in the rectangle, counter-clockwise (as seen on screen) from
    // the ray towards (xs, ys) to the ray towards (xe, ye). Equal rays draw the whole ellipse.
    virtual void arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) = 0;
    // The same arc closed by the two radii and filled.
    virtual void pie(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) = 0;
    virtual void setPixel(int x, int y, COLORREF c) = 0;
    // Fills with the brush from (x, y) up to pixels of colour `boundary`.
    virtual void floodFill(int x, int y, COLORREF boundary) = 0;
    // Fills the rectangle with a colour, whatever the brush.
    virtual void fillRect(const LRect& r, COLORREF c) = 0;

    // Picture stretched into the rectangle.
    virtual void drawPicture(const CPicture& picture, const LRect& dest) = 0;

    // Text drawn with its top-left corner at (x, y) in the selected font and text colour.
    virtual void textOut(int x, int y, const std::string& utf8) = 0;
    // Logical size of the text in the selected font.
    virtual LSize textExtent(const std::string& utf8) = 0;

    // Later drawing is limited to the rectangle; clearClip lifts the limit.
    virtual void setClipRect(const LRect& r) = 0;
    virtual void clearClip() = 0;
    // The area the figure is drawn into (logical units); objects clip lines to it.
    virtual LRect drawingArea() const = 0;
};
