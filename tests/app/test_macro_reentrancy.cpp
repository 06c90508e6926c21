// What the event pump may do while a macro runs: closing the figure or the application,
// opening a file, undoing, choosing another tool or starting another macro. Each must wait for
// the macro to stop (the figure restored as by Escape) and never pull the figure away from it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "app/FrameFixture.h"
#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "macros/CMacroKinds.h"
#include "view/COutilsMacros.h"
#include "view/CQtHost.h"

namespace {

struct QuietQtHost : CQtHost {
    int messageBox(const std::string&, const std::string&, unsigned) override { return IDNO; }
};

// What happens during the macro: a menu command, or one of these.
enum Special { closeWindowOfSequence = -1, closeApplication = -2, openFile = -3, otherMacro = -4 };

class MacroReentrancy : public ::testing::TestWithParam<int> {};

TEST_P(MacroReentrancy, WaitsForTheMacroToStopThenActs) {
    const int what = GetParam();
    QuietQtHost host;  // outlives the window
    Fixture f;
    setHost(&host);  // the fixture puts the previous one back
    QApplication::setQuitOnLastWindowClosed(false);
    f.frame->automaticAnswer = IDNO;
    const QString otherPath = QString::fromStdString(f.saveFigureWithPoint("autre.qvf"));
    CPelvantiView* view = f.frame->newFigure();
    CListeAction& list = view->document()->list();
    auto* a = add<CPointBase>(view, nat::pointLibre, 1000.0, 1000.0, 4, 0);
    auto* b = add<CPointBase>(view, nat::pointLibre, 3000.0, 1000.0, 4, 0);
    auto* m =
        add<CPointLieDroite>(view, nat::pointLie, add<CSegment>(view, nat::segment, a, b), 0.25);
    // An animation of m until Escape (or 6 s, should the stop never come).
    auto endless = [&](const char* name, double y) {
        auto* macro = add<CMacroAnimationPointLie>(view, nat::macro, &list, name, "", 2000.0, y);
        macro->linkedPoint = m;
        macro->f = 10, macro->n = 50, macro->d = 60;
        return macro;
    };
    CMacroAnimationPointLie* anim = endless("Animer", 3000.0);
    view->document()->history().record("Animer");
    CMacro* run = anim;
    if (what == closeWindowOfSequence) {
        // Two endless animations in a row: the second must not start once the stop is asked.
        auto* both =
            add<CMacroSuiteMacros>(view, nat::macro, &list, "Les deux", "", 2000.0, 4000.0);
        both->addObject(nat::macro, anim);
        both->addObject(nat::macro, endless("Encore", 3500.0));
        run = both;
    }
    view->recomputeAndRedraw();
    f.frame->updateActions();
    const int countBefore = list.count();
    bool seenMoving = false, nestedRan = true;
    int viewsDuring = -1, countDuring = -1;
    QTimer::singleShot(50, f.frame.get(), [&] {
        seenMoving = m->abscissa != 0.25;
        if (what == closeWindowOfSequence) {
            view->parentWidget()->close();
        } else if (what == closeApplication) {
            f.frame->close();
        } else if (what == openFile) {
            f.frame->openFile(otherPath);
        } else if (what == otherMacro) {
            nestedRan = runMacro(*anim, view, QPoint());
            requestMacroStop();
        } else {
            f.run(what);
        }
        viewsDuring = static_cast<int>(f.frame->views().size());
        countDuring = list.count();
    });
    EXPECT_FALSE(runMacro(*run, view, QPoint()));

    // The macro was stopped, as by Escape, and the figure it used is whole and restored.
    EXPECT_TRUE(seenMoving);
    EXPECT_EQ(1, viewsDuring);
    EXPECT_EQ(countBefore, countDuring);
    EXPECT_EQ(0.25, m->abscissa);
    EXPECT_EQ(countBefore, list.count());
    EXPECT_EQ(nullptr, runningMacroView());
    EXPECT_TRUE(etatOutils().mouseInputEnabled);

    // Then what was asked happens.
    flushEvents();
    const std::map<int, int> viewsAfter = {
        {closeWindowOfSequence, 0}, {closeApplication, 0}, {Cmd::fileClose, 0}, {openFile, 2}};
    EXPECT_EQ(viewsAfter.count(what) ? viewsAfter.at(what) : 1, f.frame->views().size());
    EXPECT_TRUE(what != closeApplication || !f.frame->isVisible());
    EXPECT_TRUE(what != Cmd::editUndo || list.count() < countBefore);
    EXPECT_TRUE(what != Cmd::deleteObject || toolOfCommand(what) == etatOutils().currentTool);
    EXPECT_TRUE(what != otherMacro || !nestedRan);
    f.frame.reset();
    QApplication::setQuitOnLastWindowClosed(true);
}

INSTANTIATE_TEST_SUITE_P(During, MacroReentrancy,
                         ::testing::Values(Cmd::fileClose, Cmd::editUndo, Cmd::deleteObject,
                                           closeWindowOfSequence, closeApplication, openFile,
                                           otherMacro));

}  // namespace
