#include "app/PaletteIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

#include "core/CPalette.h"
#include "view/CQtDC.h"

namespace {
constexpr int kSize = 24;

QIcon paint(const std::function<void(QPainter&)>& draw) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QIcon(pm);
}
}  // namespace

QIcon colourIcon(int index) {
    return paint([index](QPainter& p) {
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(toQColor(CPalette::colour(index)));
        p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
    });
}

QIcon lineStyleIcon(int style) {
    return paint([style](QPainter& p) {
        static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DotLine,        Qt::SolidLine,
                                              Qt::DashLine,  Qt::DashDotDotLine, Qt::SolidLine};
        static const double widths[] = {1.5, 1, 2.5, 1, 1, 4};
        QPen pen(Qt::black, widths[style % 6], styles[style % 6], Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(QPointF(2, 12), QPointF(22, 12));
    });
}

QIcon pointStyleIcon(int style) {
    return paint([style](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        p.translate(12, 12);
        p.scale(0.18, 0.18);  // marks are drawn in figure units (ten a pixel), a bit enlarged
        switch (style) {
            case 0:
                p.drawRect(-20, -20, 40, 40);
                break;
            case 1:
                p.drawPolygon(QPolygon({{-30, -20},
                                        {-20, -30},
                                        {10, -30},
                                        {20, -20},
                                        {20, 10},
                                        {10, 20},
                                        {-20, 20},
                                        {-30, 10}}));
                break;
            case 2:
                p.drawRect(-30, -10, 60, 20);
                p.drawRect(-10, -30, 20, 60);
                break;
            case 3:
                p.drawPolygon(QPolygon({{-30, -20}, {-20, -20}, {20, 20}, {10, 20}}));
                p.drawPolygon(QPolygon({{-30, 20}, {-20, 20}, {20, -20}, {10, -20}}));
                break;
            case 4:
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(Qt::black, 6));
                p.drawRect(-30, -30, 70, 70);
                p.setBrush(Qt::black);
                p.drawRect(-10, -10, 30, 30);
                break;
            default:
                p.drawPolygon(QPolygon({{-20, -10},
                                        {-10, -20},
                                        {0, -20},
                                        {10, -10},
                                        {10, 0},
                                        {0, 10},
                                        {-10, 10},
                                        {-20, 0}}));
                break;
        }
    });
}

QIcon fillStyleIcon(int style) {
    return paint([style](QPainter& p) {
        static const Qt::BrushStyle brushes[] = {Qt::VerPattern,    Qt::HorPattern,
                                                 Qt::FDiagPattern,  Qt::BDiagPattern,
                                                 Qt::Dense6Pattern, Qt::SolidPattern};
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QBrush(Qt::black, brushes[style % 6]));
        p.drawRect(3, 3, 17, 17);
    });
}

QIcon arrowStyleIcon(int style) {
    return paint([style](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(QPointF(2, 12), QPointF(21, 12));
        double l = (style == 0 || style == 2) ? 8 : 6;
        QPolygonF head({QPointF(22 - l * 0.87, 12 - l * 0.5), QPointF(22, 12),
                        QPointF(22 - l * 0.87, 12 + l * 0.5)});
        if (style < 2) {
            p.setBrush(Qt::black);
            p.drawPolygon(head);
        } else {
            p.drawPolyline(head);
        }
    });
}

QIcon segmentMarkIcon(int style) {
    return paint([style](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.2));
        p.drawLine(QPointF(2, 14), QPointF(22, 14));
        auto stroke = [&](double dx) { p.drawLine(QPointF(12 + dx, 8), QPointF(12 + dx, 20)); };
        switch (style) {
            case 0:
                stroke(0);
                break;
            case 1:
                stroke(-2), stroke(2);
                break;
            case 2:
                stroke(-4), stroke(0), stroke(4);
                break;
            default:
                p.drawLine(QPointF(8, 10), QPointF(16, 18));
                p.drawLine(QPointF(16, 10), QPointF(8, 18));
                break;
        }
    });
}
