#include "view/CQtDC.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/CPalette.h"
#include "core/CPreferences.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
// Screen resolution the point sizes of fonts were designed for.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

Qt::PenStyle qtPenStyle(int style) {
    switch (style) {
        case PS_DASH:
            return Qt::DashLine;
        case PS_DOT:
            return Qt::DotLine;
        case PS_DASHDOT:
            return Qt::DashDotLine;
        case PS_DASHDOTDOT:
            return Qt::DashDotDotLine;
        case PS_NULL:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

Qt::BrushStyle qtHatch(int hatch) {
    switch (hatch) {
        case HS_HORIZONTAL:
            return Qt::HorPattern;
        case HS_VERTICAL:
            return Qt::VerPattern;
        case HS_FDIAGONAL:
            return Qt::FDiagPattern;
        case HS_BDIAGONAL:
            return Qt::BDiagPattern;
        case HS_CROSS:
            return Qt::CrossPattern;
        default:
            return Qt::DiagCrossPattern;
    }
}

// Whether `c` is a blend of `to` over `from` at least half way: the edge pixels of a smoothed
// line. Those at half coverage or more form an unbroken chain along the line, so that a fill
// stopped by them cannot leak through it.
bool blendsTowards(QRgb c, QRgb from, QRgb to) {
    const int d[3] = {qRed(to) - qRed(from), qGreen(to) - qGreen(from), qBlue(to) - qBlue(from)};
    const int e[3] = {qRed(c) - qRed(from), qGreen(c) - qGreen(from), qBlue(c) - qBlue(from)};
    const double dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    if (dd == 0) return false;
    const double t = (d[0] * e[0] + d[1] * e[1] + d[2] * e[2]) / dd;
    if (t < 0.5) return false;
    // Far from the line between the two colours: another object's colour.
    double off = 0;
    for (int k = 0; k < 3; ++k) off += (e[k] - t * d[k]) * (e[k] - t * d[k]);
    return off <= 0.04 * dd + 64;
}

// Angle in degrees, counter-clockwise as seen on screen, of the ray from (cx, cy) to (x, y).
double screenAngle(double cx, double cy, double x, double y) {
    return std::atan2(-(y - cy), x - cx) * 180.0 / kPi;
}
}  // namespace

QColor toQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF fromQColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

CQtDC::CQtDC(QPainter& painter, LRect area, double scale, QImage* image)
    : p_(painter),
      area_(area),
      scale_(scale),
      image_(image),
      smooth_(preferences().smoothDrawing),
      pixelExact_(image != nullptr) {
    p_.setRenderHint(QPainter::Antialiasing, smooth_);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    p_.setBackgroundMode(Qt::TransparentMode);
    qfont_ = qtFont(font_);
    applyPen();
    applyBrush();
}

QPointF CQtDC::map(double x, double y) const {
    if (pixelExact_) return QPointF(std::lround(x * scale_), std::lround(y * scale_));
    return QPointF(x * scale_, y * scale_);
}

QRectF CQtDC::shapeRect(int left, int top, int right, int bottom) const {
    QPointF a = map(std::min(left, right), std::min(top, bottom));
    QPointF b = map(std::max(left, right), std::max(top, bottom));
    // An aliased outline covers one pixel more than its rectangle on the right and bottom.
    double shrink = (pixelExact_ && pen_.style != PS_NULL) ? 1.0 : 0.0;
    return QRectF(
        a + QPointF(strokeShift_, strokeShift_),
        QSizeF(std::max(0.0, b.x() - a.x() - shrink), std::max(0.0, b.y() - a.y() - shrink)));
}

// Objects of one kind select the same pen and brush one after the other: Qt's are made once.
void CQtDC::selectPen(const CPenDesc& pen) {
    if (pen == pen_) return;
    pen_ = pen;
    applyPen();
}

void CQtDC::setRough() {
    if (!image_) return;
    rough_ = true;
    smooth_ = false;
    p_.setRenderHint(QPainter::Antialiasing, false);
    roughWidth_ = image_->width();
    roughHeight_ = image_->height();
    roughStride_ = image_->bytesPerLine();
    applyPen();
}

uchar* CQtDC::roughBits() {
    if (!roughPen_ || p_.hasClipping()) return nullptr;
    if (image_->format() != QImage::Format_RGB32 && image_->format() != QImage::Format_ARGB32)
        return nullptr;
    return image_->bits();
}

void CQtDC::applyPen() {
    strokeShift_ = 0;
    roughPen_ = false;
    if (pen_.style == PS_NULL) {
        p_.setPen(Qt::NoPen);
        return;
    }
    // However thin the pen, at least one device pixel is drawn.
    double width = std::max(1.0, pen_.width * scale_);
    if (pixelExact_) width = std::max(1.0, std::round(width));
    QPen qp(toQColor(pen_.colour), width, qtPenStyle(pen_.style), Qt::FlatCap, Qt::MiterJoin);
    if (width >= 2) qp.setCapStyle(Qt::RoundCap), qp.setJoinStyle(Qt::RoundJoin);
    // Wide pens draw solid, as the dotted styles exist for thin pens only.
    if (width > 1.5) qp.setStyle(Qt::SolidLine);
    roughPen_ = rough_ && width == 1 && qp.style() == Qt::SolidLine;
    roughColour_ = toQColor(pen_.colour).rgb();
    if (smooth_) {
        // Erasing (drawing in the background colour) over a smoothed line would leave its
        // blended edge: the eraser is sharp and a pixel wider on each side.
        const bool erasing = pen_.colour == CPalette::colour(0);
        p_.setRenderHint(QPainter::Antialiasing, !erasing);
        if (erasing) qp.setWidthF(width + 2);
        // A smoothed line of odd width centred on a pixel's edge would blur over two pixels;
        // on the pixel's centre it covers the pixels an exact line covers.
        if (std::lround(width) % 2 == 1) strokeShift_ = 0.5;
    }
    p_.setPen(qp);
}

void CQtDC::selectBrush(const CBrushDesc& brush) {
    if (brush == brush_) return;
    brush_ = brush;
    applyBrush();
}

void CQtDC::applyBrush() {
    QColor c = toQColor(brush_.colour);
    switch (brush_.kind) {
        case CBrushDesc::solid:
            p_.setBrush(QBrush(c));
            break;
        case CBrushDesc::hatched:
            p_.setBrush(QBrush(c, qtHatch(brush_.hatch)));
            break;
        case CBrushDesc::pattern: {
            QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
            tile.fill(Qt::transparent);
            for (int row = 0; row < 8; ++row)
                for (int col = 0; col < 8; ++col)
                    if (brush_.bits[row] & (0x80 >> col)) tile.setPixelColor(col, row, c);
            p_.setBrush(QBrush(tile));
            break;
        }
        default:
            p_.setBrush(Qt::NoBrush);
            break;
    }
}

QFont CQtDC::qtFont(const CFontDesc& desc) const {
    QFont f(QString::fromStdString(desc.faceName));
    if (desc.faceName.find("Times") != std::string::npos) f.setStyleHint(QFont::Serif);
    if (desc.faceName.find("Courier") != std::string::npos) f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(std::max(
        1, static_cast<int>(std::lround(desc.pointSize * kPixelsPerPoint * scale_ * 10.0))));
    f.setWeight(
        static_cast<QFont::Weight>(std::clamp(desc.weight == 0 ? 400 : desc.weight, 100, 900)));
    f.setItalic(desc.italic);
    f.setUnderline(desc.underline);
    f.setStrikeOut(desc.strikeOut);
    return f;
}

void CQtDC::selectFont(const CFontDesc& font) {
    if (font == font_) return;
    font_ = font;
    qfont_ = qtFont(font_);
    metrics_.reset();
}

const QFontMetricsF& CQtDC::metrics() {
    // Names are written one character at a time: the metrics of a font are measured once.
    if (!metrics_) metrics_.emplace(qfont_, p_.device());
    return *metrics_;
}

QString CQtDC::symbolText(const QString& s) {
    // The symbol font's letters in the order A..Z, then a..z.
    static const QString upper = QStringLiteral("ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ");
    static const QString lower = QStringLiteral("αβχδεφγηιϕκλμνοπθρστυϖωξψζ");
    QString out = s;
    for (QChar& ch : out) {
        ushort u = ch.unicode();
        if (u >= 'A' && u <= 'Z')
            ch = upper[u - 'A'];
        else if (u >= 'a' && u <= 'z')
            ch = lower[u - 'a'];
    }
    return out;
}

void CQtDC::rectangle(int left, int top, int right, int bottom) {
    p_.drawRect(shapeRect(left, top, right, bottom));
}

void CQtDC::ellipse(int left, int top, int right, int bottom) {
    const QRectF r = shapeRect(left, top, right, bottom);
    uchar* bits = brush_.kind == CBrushDesc::null ? roughBits() : nullptr;
    const double radius = r.width() / 2;
    // A circle far larger than the image goes to the painter, which skips what is outside.
    if (!bits || std::fabs(r.width() - r.height()) > 1 ||
        radius > 4.0 * (roughWidth_ + roughHeight_)) {
        p_.drawEllipse(r);
        return;
    }
    const QPointF c = r.center();
    const int cx = static_cast<int>(std::lround(c.x())), cy = static_cast<int>(std::lround(c.y()));
    // Nothing to set when the image lies wholly inside or outside the circle.
    const double nearX = std::clamp(c.x(), 0.0, double(roughWidth_)),
                 nearY = std::clamp(c.y(), 0.0, double(roughHeight_));
    const double farX = std::max(c.x(), roughWidth_ - c.x()),
                 farY = std::max(c.y(), roughHeight_ - c.y());
    if (std::hypot(nearX - c.x(), nearY - c.y()) > radius + 1 ||
        std::hypot(farX, farY) < radius - 1)
        return;
    // Each eighth of the circle from its own axis, one pixel a step along that axis.
    const int steps = static_cast<int>(std::ceil(radius / std::numbers::sqrt2));
    for (int i = 0; i <= steps; ++i) {
        const int a =
            static_cast<int>(std::sqrt(std::max(0.0, radius * radius - double(i) * i)) + 0.5);
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) {
                setRoughPixel(bits, cx + sx * i, cy + sy * a);
                setRoughPixel(bits, cx + sx * a, cy + sy * i);
            }
    }
}

void CQtDC::polygon(const std::vector<LPoint>& points) {
    if (points.empty()) return;
    QPolygonF poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const LPoint& pt : points) poly << mapStroke(pt.x, pt.y);
    p_.drawPolygon(poly, Qt::OddEvenFill);
}

void CQtDC::polyline(const std::vector<LPoint>& points) {
    if (points.size() < 2) return;
    QPolygonF poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const LPoint& pt : points) poly << mapStroke(pt.x, pt.y);
    p_.drawPolyline(poly);
}

void CQtDC::line(int x1, int y1, int x2, int y2) {
    const QPointF from = mapStroke(x1, y1), to = mapStroke(x2, y2);
    uchar* bits = roughBits();
    if (!bits) {
        p_.drawLine(from, to);
        return;
    }
    // The part of the segment inside the image (Liang-Barsky), then one pixel a step along the
    // longer axis.
    const double dx = to.x() - from.x(), dy = to.y() - from.y();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {from.x(), roughWidth_ - 1 - from.x(), from.y(),
                         roughHeight_ - 1 - from.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return;
    }
    const double ax = from.x() + t0 * dx, ay = from.y() + t0 * dy;
    const double bx = from.x() + t1 * dx, by = from.y() + t1 * dy;
    const int n = static_cast<int>(std::lround(std::max(std::fabs(bx - ax), std::fabs(by - ay))));
    const double sx = n ? (bx - ax) / n : 0, sy = n ? (by - ay) / n : 0;
    for (int i = 0; i <= n; ++i)
        setRoughPixel(bits, static_cast<int>(ax + i * sx + 0.5),
                      static_cast<int>(ay + i * sy + 0.5));
}

QPainterPath CQtDC::arcPath(int left, int top, int right, int bottom, int xs, int ys, int xe,
                            int ye, bool closed) const {
    QRectF r = shapeRect(left, top, right, bottom);
    double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    double start = screenAngle(cx, cy, xs, ys);
    double end = screenAngle(cx, cy, xe, ye);
    double span = end - start;
    while (span <= 0) span += 360.0;
    while (span > 360.0) span -= 360.0;
    QPainterPath path;
    if (closed) {
        path.moveTo(r.center());
        path.arcTo(r, start, span);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, start);
        path.arcTo(r, start, span);
    }
    return path;
}

void CQtDC::arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    QBrush saved = p_.brush();
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(arcPath(left, top, right, bottom, xs, ys, xe, ye, false));
    p_.setBrush(saved);
}

void CQtDC::pie(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    p_.drawPath(arcPath(left, top, right, bottom, xs, ys, xe, ye, true));
}

void CQtDC::setPixel(int x, int y, COLORREF c) {
    QPointF d = map(x, y);
    double size = std::max(1.0, scale_ * 10.0);
    if (pixelExact_) size = std::max(1.0, std::round(size));
    p_.fillRect(QRectF(d, QSizeF(size, size)), toQColor(c));
}

void CQtDC::fillRect(const LRect& r, COLORREF c) {
    QPointF a = map(r.left, r.top), b = map(r.right, r.bottom);
    p_.fillRect(QRectF(a, b).normalized(), toQColor(c));
}

void CQtDC::floodFill(int x, int y, COLORREF boundary) {
    if (!image_ || brush_.kind == CBrushDesc::null) return;
    QPointF seedF = map(x, y);
    const int w = image_->width(), h = image_->height();
    int sx = static_cast<int>(seedF.x()), sy = static_cast<int>(seedF.y());
    if (sx < 0 || sy < 0 || sx >= w || sy >= h) return;
    const QRgb stop = toQColor(boundary).rgb() & 0xFFFFFF;
    const QRgb inside = image_->pixel(sx, sy) & 0xFFFFFF;
    auto isBoundary = [&](int px, int py) {
        const QRgb c = image_->pixel(px, py) & 0xFFFFFF;
        return c == stop || (smooth_ && blendsTowards(c, inside, stop));
    };
    if (inside == stop) return;

    // Scan-line fill of the region bounded by the boundary colour, collected as a mask.
    std::vector<uint8_t> mask(static_cast<size_t>(w) * h, 0);
    std::vector<QPoint> stack{{sx, sy}};
    int minX = sx, maxX = sx, minY = sy, maxY = sy;
    while (!stack.empty()) {
        QPoint p = stack.back();
        stack.pop_back();
        int py = p.y();
        int left = p.x();
        if (mask[static_cast<size_t>(py) * w + left] || isBoundary(left, py)) continue;
        while (left > 0 && !isBoundary(left - 1, py) &&
               !mask[static_cast<size_t>(py) * w + left - 1])
            --left;
        int right = p.x();
        while (right + 1 < w && !isBoundary(right + 1, py) &&
               !mask[static_cast<size_t>(py) * w + right + 1])
            ++right;
        for (int px = left; px <= right; ++px) {
            mask[static_cast<size_t>(py) * w + px] = 1;
            for (int ny : {py - 1, py + 1})
                if (ny >= 0 && ny < h && !mask[static_cast<size_t>(ny) * w + px] &&
                    !isBoundary(px, ny))
                    stack.push_back({px, ny});
        }
        minX = std::min(minX, left);
        maxX = std::max(maxX, right);
        minY = std::min(minY, py);
        maxY = std::max(maxY, py);
    }

    QRect box(QPoint(minX, minY), QPoint(maxX, maxY));
    QImage fill(box.size(), QImage::Format_ARGB32_Premultiplied);
    fill.fill(Qt::transparent);
    {
        QPainter fp(&fill);
        fp.setBrushOrigin(-box.topLeft());
        fp.fillRect(fill.rect(), p_.brush());
    }
    for (int py = 0; py < box.height(); ++py)
        for (int px = 0; px < box.width(); ++px)
            if (!mask[static_cast<size_t>(py + minY) * w + px + minX]) fill.setPixel(px, py, 0);
    p_.drawImage(box.topLeft(), fill);
}

void CQtDC::drawPicture(const CPicture& picture, const LRect& dest) {
    const auto* qp = dynamic_cast<const CQtPicture*>(&picture);
    if (!qp || qp->image.isNull()) return;
    QPointF a = map(dest.left, dest.top), b = map(dest.right, dest.bottom);
    p_.drawImage(QRectF(a, b).normalized(), qp->image);
}

void CQtDC::textOut(int x, int y, const std::string& utf8) {
    QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (font_.symbol) s = symbolText(s);
    p_.setFont(qfont_);
    const QFontMetricsF& fm = metrics();
    QPointF at = map(x, y);
    if (bkMode_ == BK_OPAQUE)
        p_.fillRect(QRectF(at, QSizeF(fm.horizontalAdvance(s), fm.height())), toQColor(bkColour_));
    QPen saved = p_.pen();
    p_.setPen(toQColor(textColour_));
    p_.drawText(QPointF(at.x(), at.y() + fm.ascent()), s);
    p_.setPen(saved);
}

LSize CQtDC::textExtent(const std::string& utf8) {
    QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (font_.symbol) s = symbolText(s);
    const QFontMetricsF& fm = metrics();
    return {static_cast<int>(std::lround(fm.horizontalAdvance(s) / scale_)),
            static_cast<int>(std::lround(fm.height() / scale_))};
}

void CQtDC::setClipRect(const LRect& r) {
    QPointF a = map(r.left, r.top), b = map(r.right, r.bottom);
    p_.setClipRect(QRectF(a, b).normalized());
}

void CQtDC::clearClip() {
    p_.setClipping(false);
}
