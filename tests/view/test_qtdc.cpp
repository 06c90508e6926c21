// The QPainter drawing surface: the 10-to-1 mapping, pens of at least one pixel, the
// counter-clockwise arcs, flood fill on the image and smoothed or pixel-exact lines.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/CPreferences.h"
#include "view/CQtDC.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Surfaces made meanwhile draw smoothed or pixel-exact.
struct Smoothing {
    CPreferences saved = preferences();
    explicit Smoothing(bool on) { preferences().smoothDrawing = on; }
    ~Smoothing() { preferences() = saved; }
};

struct Surface {
    QImage image{200, 100, QImage::Format_RGB32};
    QPainter painter;
    std::unique_ptr<CQtDC> dc;
    Surface() {
        image.fill(Qt::white);
        painter.begin(&image);
        dc = std::make_unique<CQtDC>(painter, LRect{0, 0, 2000, 1000}, 0.1, &image);
    }
    COLORREF at(int px, int py) {
        painter.end();
        COLORREF c = fromQColor(image.pixelColor(px, py));
        painter.begin(&image);
        return c;
    }
};
}  // namespace

TEST(QtDC, FilledRectangleMapsTenUnitsToAPixelAndExcludesRightAndBottom) {
    Surface s;
    s.dc->selectPen({PS_NULL, 1, 0, 0});
    s.dc->selectBrush(CBrushDesc::solidBrush(kRed));
    s.dc->rectangle(100, 200, 300, 400);
    EXPECT_EQ(s.at(10, 20), kRed);
    EXPECT_EQ(s.at(29, 39), kRed);
    EXPECT_EQ(s.at(30, 30), kWhite);
    EXPECT_EQ(s.at(20, 40), kWhite);
    EXPECT_EQ(s.at(9, 30), kWhite);
}

// Red pixels of the circle of centre (100, 50) pixels and radius 40, above and below the
// horizontal diameter.
std::pair<int, int> arcPixels(int endX, int endY) {
    Smoothing exact(false);
    Surface s;
    s.dc->selectPen({PS_SOLID, 1, 0, kRed});
    s.dc->arc(600, 100, 1400, 900, 1400, 500, endX, endY);
    int upper = 0, lower = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (s.at(x, y) == kRed) {
                if (y < 51) ++upper;
                if (y > 53) ++lower;
            }
    return {upper, lower};
}

TEST(QtDC, ArcRunsCounterClockwiseOnScreenAndEqualRaysDrawTheWholeEllipse) {
    auto [upper, lower] = arcPixels(1000, 100);  // from the right to the top
    EXPECT_GT(upper, 20);
    EXPECT_EQ(lower, 0);
    std::tie(upper, lower) = arcPixels(1400, 500);
    EXPECT_GT(upper, 60);  // a circle of radius 40 has some 250 pixels
    EXPECT_GT(lower, 60);
}

// Smoothed or not, straight lines keep to their pixels and a fill stops at a circle's
// outline; only smoothing blends the edges of curves.
class QtDCSmoothing : public ::testing::TestWithParam<bool> {};

TEST_P(QtDCSmoothing, LinesKeepTheirPixelsAndFillsStopAtCurves) {
    Smoothing smoothing(GetParam());
    Surface s;
    s.dc->selectPen({PS_SOLID, 1, 0, kBlue});
    s.dc->line(0, 50, 2000, 50);
    s.dc->selectBrush(CBrushDesc::nullBrush());
    s.dc->ellipse(600, 100, 1400, 900);
    s.dc->line(100, 100, 500, 900);
    s.dc->selectBrush(CBrushDesc::solidBrush(kRed));
    s.dc->floodFill(1000, 500, kBlue);
    s.dc->selectBrush(CBrushDesc::solidBrush(kBlue));
    s.dc->floodFill(-50, 10000, kBlue);  // outside the image: nothing
    EXPECT_EQ(s.at(150, 5), kBlue);
    EXPECT_EQ(s.at(150, 4), kWhite);
    EXPECT_EQ(s.at(150, 6), kWhite);
    EXPECT_EQ(s.at(100, 50), kRed);
    for (auto [x, y] : {std::pair{55, 50}, {100, 95}, {170, 50}, {100, 8}})
        EXPECT_EQ(s.at(x, y), kWhite) << x << "," << y;
    int blended = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (COLORREF c = s.at(x, y); c != kWhite && c != kBlue && c != kRed) ++blended;
    EXPECT_EQ(blended > 0, GetParam());
}

INSTANTIATE_TEST_SUITE_P(SmoothedAndExact, QtDCSmoothing, ::testing::Bool());

// Rough drawing sets thin lines and circles within a pixel of the pixel-exact drawing, clipped
// to the image however far they reach, and blends nothing.
TEST(QtDC, RoughLinesAndCirclesStayWithinAPixelOfExactOnes) {
    Smoothing exact(false);
    Surface painted, rough;
    rough.dc->setRough();
    for (Surface* s : {&painted, &rough}) {
        s->dc->selectPen({PS_SOLID, 1, 0, kBlue});
        s->dc->selectBrush(CBrushDesc::nullBrush());
        s->dc->line(100, 100, 1500, 700);
        s->dc->line(-100000, -30000, 3000, 1200);
        s->dc->ellipse(1200, 200, 2600, 1600);  // beyond the right and bottom edges
        s->painter.end();
    }
    const QRgb blue = toQColor(kBlue).rgb(), white = QColor(Qt::white).rgb();
    auto nearBlue = [&](const QImage& image, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.valid(x + dx, y + dy) && image.pixel(x + dx, y + dy) == blue) return true;
        return false;
    };
    int set = 0, strays = 0, missed = 0, blended = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const QRgb c = rough.image.pixel(x, y);
            if (c == blue) ++set, strays += !nearBlue(painted.image, x, y);
            if (c != blue && c != white) ++blended;
            if (painted.image.pixel(x, y) == blue) missed += !nearBlue(rough.image, x, y);
        }
    EXPECT_GT(set, 300);
    EXPECT_NE(rough.image, painted.image) << "set by the painter";
    EXPECT_EQ(strays, 0);
    EXPECT_EQ(missed, 0);
    EXPECT_EQ(blended, 0);
}
