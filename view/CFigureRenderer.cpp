#include "view/CFigureRenderer.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

#include "core/CElementBase.h"
#include "core/CPalette.h"
#include "document/CPelvantiDoc.h"
#include "view/CQtDC.h"

CDrawingState& drawingState() {
    static CDrawingState state;
    return state;
}

void applyBackgroundColour(CPelvantiDoc& doc) {
    if (CPalette::colour(0) != doc.backgroundColour())
        CPalette::setBackgroundColour(doc.backgroundRed, doc.backgroundGreen, doc.backgroundBlue);
}

LSize figureArea(const CPelvantiDoc& doc) {
    if (doc.viewSize.cx > 0 && doc.viewSize.cy > 0) return doc.viewSize;
    return {5000, 2000};
}

namespace {
void drawBackgroundPicture(CDC& dc, CPelvantiDoc& doc) {
    if (!doc.backgroundPicture || !drawingState().backgroundPictureVisible) return;
    LSize size = doc.backgroundPictureSize;
    if (size.cx <= 0 || size.cy <= 0) {
        LSize px = doc.backgroundPicture->sizeInPixels();
        size = {px.cx * 10, px.cy * 10};
    }
    dc.drawPicture(*doc.backgroundPicture, {0, 0, size.cx, size.cy});
}
}  // namespace

void drawFigure(CDC& dc, CPelvantiDoc& doc, const CDrawOptions& options) {
    CDrawingState& st = drawingState();
    drawBackgroundPicture(dc, doc);
    CListeAction& graphic = doc.graphicList();
    if (options.stepDisplay >= 0) {
        doc.list().drawFirst(&dc, options.stepDisplay);
        return;
    }
    if (options.framedName)
        graphic.drawWithNameFramed(&dc, st.hideMasked, st.respectNameHidden, options.framedName);
    else
        graphic.drawAll(&dc, st.hideMasked, st.respectNameHidden);
    if ((st.hideMasked || options.framedName) && st.defaultMacroOverlay && doc.list().defaultMacro)
        st.defaultMacroOverlay(dc, doc);
}

QImage renderStillPart(CPelvantiDoc& doc, QSize pixels, LSize area,
                       const std::function<bool(const CActionAncetre*)>& moves) {
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) return image;
    applyBackgroundColour(doc);
    image.fill(toQColor(CPalette::colour(0)));
    QPainter painter(&image);
    CQtDC dc(painter, {0, 0, area.cx, area.cy}, 1.0 / 10, &image);
    drawBackgroundPicture(dc, doc);
    CListeAction rest(false);
    for (CActionAncetre* e : doc.graphicList().entries())
        if (!moves(e)) rest.append(e);
    const CDrawingState& st = drawingState();
    rest.drawAll(&dc, st.hideMasked, st.respectNameHidden);
    return image;
}

namespace {
QSize defaultPixels(const CPelvantiDoc& doc) {
    LSize area = figureArea(doc);
    return QSize(std::max(1, area.cx / 10), std::max(1, area.cy / 10));
}

// Pixels per logical unit that fit the whole drawing area into `pixels`.
double fitScale(const CPelvantiDoc& doc, QSize pixels) {
    LSize area = figureArea(doc);
    return std::min(pixels.width() / double(area.cx), pixels.height() / double(area.cy));
}

void paintVector(CPelvantiDoc& doc, QPainter& painter, QSize pixels) {
    LSize area = figureArea(doc);
    applyBackgroundColour(doc);
    painter.fillRect(QRect(QPoint(0, 0), pixels), toQColor(CPalette::colour(0)));
    CQtDC dc(painter, {0, 0, area.cx, area.cy}, fitScale(doc, pixels));
    drawFigure(dc, doc);
}
}  // namespace

QImage renderFigureImage(CPelvantiDoc& doc, QSize pixels) {
    if (pixels.isEmpty()) pixels = defaultPixels(doc);
    LSize area = figureArea(doc);
    applyBackgroundColour(doc);
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(toQColor(CPalette::colour(0)));
    QPainter painter(&image);
    CQtDC dc(painter, {0, 0, area.cx, area.cy}, fitScale(doc, pixels), &image);
    drawFigure(dc, doc);
    painter.end();
    return image;
}

QByteArray renderFigureSvg(CPelvantiDoc& doc, QSize pixels) {
    if (pixels.isEmpty()) pixels = defaultPixels(doc);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(pixels);
    svg.setViewBox(QRect(QPoint(0, 0), pixels));
    svg.setTitle(QStringLiteral("Figure Korvendal32"));
    svg.setResolution(96);
    QPainter painter(&svg);
    paintVector(doc, painter, pixels);
    painter.end();
    return data;
}

bool exportFigure(CPelvantiDoc& doc, const QString& outPath, QSize pixels, QString* reason) {
    if (pixels.isEmpty()) pixels = defaultPixels(doc);
    if (pixels.width() > 20000 || pixels.height() > 20000) {
        if (reason) *reason = QStringLiteral("Dimensions d'image trop grandes (20000 au plus).");
        return false;
    }
    const QString suffix = QFileInfo(outPath).suffix().toLower();
    QSaveFile file(outPath);
    if (suffix != "png" && suffix != "svg" && suffix != "pdf") {
        if (reason)
            *reason =
                QStringLiteral("Format inconnu : « %1 ». Utilisez .png, .svg ou .pdf.").arg(suffix);
        return false;
    }
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason =
                QStringLiteral("Impossible d'écrire « %1 » : %2").arg(outPath, file.errorString());
        return false;
    }
    bool ok = true;
    if (suffix == "png") {
        QImage image = renderFigureImage(doc, pixels);
        if (image.isNull()) {
            if (reason)
                *reason = QStringLiteral("Mémoire insuffisante pour une image de %1 x %2.")
                              .arg(pixels.width())
                              .arg(pixels.height());
            return false;
        }
        ok = image.save(&file, "PNG");
    } else if (suffix == "svg") {
        ok = file.write(renderFigureSvg(doc, pixels)) >= 0;
    } else {
        QPdfWriter pdf(&file);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(pixels) * 72.0 / 96.0, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QStringLiteral("Figure Korvendal32"));
        pdf.setCreator(QStringLiteral("Korvendal32"));
        QPainter painter;
        ok = painter.begin(&pdf);
        if (ok) {
            paintVector(doc, painter, pixels);
            painter.end();
        }
    }
    if (!ok || !file.commit()) {
        if (reason)
            *reason =
                QStringLiteral("Impossible d'écrire « %1 » : %2").arg(outPath, file.errorString());
        return false;
    }
    return true;
}
