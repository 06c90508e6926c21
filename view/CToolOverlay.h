// A transparent layer over a figure view where the tools draw what is not part of the figure:
// the preview objects that follow the mouse and the label naming what a click would
// designate. Drawing them apart leaves the view's picture of the figure untouched.
#pragma once

#include <QWidget>

class CPelvantiView;
class QPainter;

class CToolOverlay : public QWidget {
public:
    explicit CToolOverlay(CPelvantiView* view);

    // The layer of `view`, created on first use.
    static CToolOverlay* of(CPelvantiView* view);
    // Repaints the layer of `view` (previews or label changed).
    static void refresh(CPelvantiView* view);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The keyboard's candidate (blinking frame) and cursor.
    void drawKeyboard(QPainter& painter);

    CPelvantiView* view_;
};
