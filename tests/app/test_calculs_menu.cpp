// The menu Calculs in the main window: its shortcuts, and "Tout redessiner", which draws new
// random values where a plain recomputation keeps them.
#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>

#include "app/CMainFrame.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "values/CCalcul.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"

TEST(CalculsMenu, ShortcutsAndRedrawAllDrawsRandomValuesAgain) {
    CHeadlessHost headless;
    CHost* previous = setHost(&headless);
    QTemporaryDir dir;
    {
        CMainFrame frame(std::make_unique<QSettings>(dir.filePath("k.ini"), QSettings::IniFormat));
        frame.show();
        CPelvantiView* view = frame.newFigure();
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(frame.action(Cmd::newCalculation)->shortcut(), QKeySequence("Ctrl+Shift+C"));
        EXPECT_EQ(frame.action(Cmd::showCalculations)->shortcut(), QKeySequence("F6"));

        auto r = std::make_unique<CCalcul>("r", "Rand(0)+Rand(0)*1000");
        r->rebuildTree(view->document()->list());
        CCalcul* raw = r.get();
        view->document()->addEntry(std::make_unique<CAction>(nat::calcul, std::move(r)));
        view->recomputeAndRedraw();
        const double first = raw->value;
        view->recomputeAndRedraw();
        EXPECT_EQ(raw->value, first);
        frame.action(Cmd::redrawAll)->trigger();
        EXPECT_NE(raw->value, first);
        frame.automaticAnswer = IDNO;
    }
    setHost(previous);
}
