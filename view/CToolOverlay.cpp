#include "view/CToolOverlay.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPainter>

#include "core/CElementGraphique.h"
#include "core/CPalette.h"
#include "document/CPelvantiDoc.h"
#include "view/CFigureAccessible.h"
#include "view/CFigureRenderer.h"
#include "view/CKeyboardTools.h"
#include "view/COutil.h"
#include "view/CPelvantiView.h"
#include "view/CQtDC.h"

CToolOverlay::CToolOverlay(CPelvantiView* view) : QWidget(view), view_(view) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setObjectName(QStringLiteral("toolOverlay"));
    setGeometry(view->rect());
    view->installEventFilter(this);
    show();
}

CToolOverlay* CToolOverlay::of(CPelvantiView* view) {
    if (!view) return nullptr;
    if (auto* o = view->findChild<CToolOverlay*>(QStringLiteral("toolOverlay"),
                                                 Qt::FindDirectChildrenOnly))
        return o;
    return new CToolOverlay(view);
}

void CToolOverlay::refresh(CPelvantiView* view) {
    if (CToolOverlay* o = of(view)) {
        o->raise();
        o->update();
    }
}

bool CToolOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::Resize) setGeometry(view_->rect());
    return QWidget::eventFilter(watched, event);
}

void CToolOverlay::drawKeyboard(QPainter& painter) {
    CKeyboardTools& k = keyboardTools();
    const QColor colour = palette().color(QPalette::Highlight);
    if (CActionAncetre* e = k.candidate(view_); e && k.framePhase()) {
        const QRect r = objectBounds(view_, static_cast<CElementGraphique*>(e->element));
        painter.setPen(QPen(colour, 2, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(-3, -3, 3, 3));
    }
    if (k.cursorShown(view_)) {
        const QPoint c = k.cursor();
        painter.setPen(QPen(colour, 1));
        painter.drawLine(c - QPoint(6, 0), c + QPoint(6, 0));
        painter.drawLine(c - QPoint(0, 6), c + QPoint(0, 6));
    }
}

void CToolOverlay::paintEvent(QPaintEvent*) {
    if (!view_->isActiveView()) return;
    EtatOutils& st = etatOutils();
    QPainter painter(this);
    applyBackgroundColour(*view_->document());
    if (!st.previewList.empty()) {
        LSize area = view_->drawingArea();
        CQtDC dc(painter, {0, 0, area.cx, area.cy}, 1.0 / CPelvantiView::kLogicalPerPixel);
        st.previewList.drawAll(&dc, true, true);
    }
    drawKeyboard(painter);
    CGestionSouris* h = st.mouseHandler;
    if (!h || !h->tooltipShown || h->tooltipText.empty()) return;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    painter.setFont(font);
    const QString text = QString::fromStdString(h->tooltipText);
    QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(text) + 4, hgt = fm.height();
    int left = h->tooltipX, bottom = h->tooltipY;
    if (left + w > width()) left -= w;
    if (bottom - hgt < 0) bottom += hgt;
    QRect box(left, bottom - hgt, w, hgt);
    painter.fillRect(box, toQColor(CPalette::colour(0)));
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
}
