// The model's drawing surface over a QPainter. Logical units map to device units by `scale`
// (0.1 on the screen: ten logical units a pixel). Drawing into an image keeps whole-pixel
// coordinates, so that flood fill and erasing in the background colour meet what was drawn;
// lines are smoothed (anti-aliased) unless the preference asks for pixel-exact drawing.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <optional>

#include "core/CDC.h"

QColor toQColor(COLORREF c);
COLORREF fromQColor(const QColor& c);

// A decoded picture.
class CQtPicture : public CPicture {
public:
    explicit CQtPicture(QImage img) : image(std::move(img)) {}
    LSize sizeInPixels() const override { return {image.width(), image.height()}; }
    QImage image;
};

class CQtDC : public CDC {
public:
    // `image`, when given, is the device `painter` draws into: flood fill reads it, and
    // coordinates are rounded to whole pixels.
    CQtDC(QPainter& painter, LRect area, double scale = 0.1, QImage* image = nullptr);

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
    void drawPicture(const CPicture& picture, const LRect& dest) override;
    void textOut(int x, int y, const std::string& utf8) override;
    LSize textExtent(const std::string& utf8) override;
    void setClipRect(const LRect& r) override;
    void clearClip() override;
    LRect drawingArea() const override { return area_; }

    // Rough drawing, for the frames of a drag that moves many objects: no smoothing, and thin
    // solid lines and circles set straight into the image, several times faster than the
    // painter. The next full redraw draws them smoothed again.
    void setRough();

    // The Qt font of a font description at this surface's scale.
    QFont qtFont(const CFontDesc& desc) const;
    // Letters of the symbol font: Latin letters become the matching Greek ones.
    static QString symbolText(const QString& s);

private:
    QPointF map(double x, double y) const;
    // Where a stroke of the current pen goes: on pixel centres when smoothing.
    QPointF mapStroke(double x, double y) const {
        return map(x, y) + QPointF(strokeShift_, strokeShift_);
    }
    // Shape rectangle in device units, right and bottom edges excluded on pixel surfaces.
    QRectF shapeRect(int left, int top, int right, int bottom) const;
    void applyPen();
    // The pixels of the image when rough drawing may set them itself for the current pen, else
    // null.
    uchar* roughBits();
    void setRoughPixel(uchar* bits, int x, int y) const {
        if (x >= 0 && y >= 0 && x < roughWidth_ && y < roughHeight_)
            reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * roughStride_)[x] =
                roughColour_;
    }
    void applyBrush();
    const QFontMetricsF& metrics();
    QPainterPath arcPath(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye,
                         bool closed) const;

    QPainter& p_;
    LRect area_;
    double scale_;
    QImage* image_;
    bool smooth_;
    bool pixelExact_;
    bool rough_ = false;
    // Set by applyPen: the rough pixels of a one-pixel solid pen, and their colour.
    bool roughPen_ = false;
    QRgb roughColour_ = 0;
    int roughWidth_ = 0, roughHeight_ = 0;
    qsizetype roughStride_ = 0;
    double strokeShift_ = 0;
    CPenDesc pen_;
    CBrushDesc brush_;
    CFontDesc font_;
    QFont qfont_;
    std::optional<QFontMetricsF> metrics_;
    COLORREF textColour_ = 0;
    COLORREF bkColour_ = 0xFFFFFF;
    int bkMode_ = BK_OPAQUE;
};
