// What the event pump may do while a macro runs: closing the figure or the application,
// opening a file, undoing, choosing another tool or starting another macro. Each must wait for
// the macro to stop (the figure restored as by Escape) and never pull the figure away from it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>

#include "app/FrameFixture.h"
#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "macros/CMacroKinds.h"
#include "view/COutilsMacros.h"
#include "view/CQtHost.h"

namespace {

struct QuietQtHost : CQtHost {
    std::vector<std::string> messages;
    int messageBox(const std::string& text, const std::string&, unsigned) override {
        messages.push_back(text);
        return IDNO;
    }
};

enum class During {
    closeCommand,
    closeApplication,
    openFile,
    undo,
    otherTool,
    otherMacro,
    closeSequence
};
const char* const kDuringNames[] = {"closeCommand", "closeApplication", "openFile",     "undo",
                                    "otherTool",    "otherMacro",       "closeSequence"};

class MacroReentrancy : public ::testing::TestWithParam<During> {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        setHost(&host);  // the fixture puts the previous one back
        f.frame->automaticAnswer = IDNO;
        view = f.frame->newFigure();
        auto* a = add<CPointBase>(nat::pointLibre, 1000.0, 1000.0, 4, 0);
        auto* b = add<CPointBase>(nat::pointLibre, 3000.0, 1000.0, 4, 0);
        m = add<CPointLieDroite>(nat::pointLie, add<CSegment>(nat::segment, a, b), 0.25);
        anim = endless("Animer", 3000.0);
        view->document()->history().record("Animer");
        countBefore = view->document()->list().count();
        view->recomputeAndRedraw();
        f.frame->updateActions();
        otherPath = QString::fromStdString(f.saveFigureWithPoint("autre.qvf"));
    }
    void TearDown() override {
        f.frame.reset();
        QApplication::setQuitOnLastWindowClosed(true);
    }
    template <class T, class... Args>
    T* add(Nature nature, Args&&... args) {
        auto object = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = object.get();
        view->document()->addEntry(std::make_unique<CAction>(nature, std::move(object)));
        return raw;
    }
    // An animation of m until Escape (or 6 s, should the stop never come).
    CMacroAnimationPointLie* endless(const char* name, double y) {
        auto* macro = add<CMacroAnimationPointLie>(nat::macro, &view->document()->list(), name, "",
                                                   2000.0, y);
        macro->linkedPoint = m;
        macro->f = 10, macro->n = 50, macro->d = 60;
        return macro;
    }

    QuietQtHost host;  // outlives the window
    Fixture f;
    CPelvantiView* view = nullptr;
    CPointLieDroite* m = nullptr;
    CMacroAnimationPointLie* anim = nullptr;
    int countBefore = 0;
    QString otherPath;
};

TEST_P(MacroReentrancy, WaitsForTheMacroToStopThenActs) {
    const During what = GetParam();
    bool seenMoving = false, nestedRan = true;
    int viewsDuring = -1, countDuring = -1;
    QTimer::singleShot(50, f.frame.get(), [&] {
        seenMoving = m->abscissa != 0.25;
        switch (what) {
            case During::closeSequence:
                view->parentWidget()->close();
                break;
            case During::closeCommand:
                f.frame->action(Cmd::fileClose)->trigger();
                break;
            case During::closeApplication:
                f.frame->close();
                break;
            case During::openFile:
                f.frame->openFile(otherPath);
                break;
            case During::undo:
                f.frame->action(Cmd::editUndo)->trigger();
                break;
            case During::otherTool:
                f.frame->action(Cmd::deleteObject)->trigger();
                break;
            case During::otherMacro:
                nestedRan = runMacro(*anim, view, QPoint());
                requestMacroStop();
                break;
        }
        viewsDuring = static_cast<int>(f.frame->views().size());
        countDuring = view->document()->list().count();
    });
    CMacro* run = anim;
    if (what == During::closeSequence) {
        // Two endless animations in a row: the second must not start once the stop is asked.
        auto* again = endless("Encore", 3500.0);
        auto* both = add<CMacroSuiteMacros>(nat::macro, &view->document()->list(), "Les deux", "",
                                            2000.0, 4000.0);
        both->addObject(nat::macro, anim);
        both->addObject(nat::macro, again);
        countBefore = view->document()->list().count();
        run = both;
    }
    const bool ok = runMacro(*run, view, QPoint());

    // The macro was stopped, as by Escape, and the figure it used is whole and restored.
    EXPECT_FALSE(ok);
    EXPECT_TRUE(seenMoving);
    EXPECT_EQ(1, viewsDuring);
    EXPECT_EQ(countBefore, countDuring);
    EXPECT_EQ(0.25, m->abscissa);
    EXPECT_EQ(countBefore, view->document()->list().count());
    EXPECT_EQ(nullptr, runningMacroView());
    EXPECT_TRUE(etatOutils().mouseInputEnabled);

    // Then what was asked happens.
    flushEvents();
    switch (what) {
        case During::closeApplication:
            EXPECT_FALSE(f.frame->isVisible());
            [[fallthrough]];
        case During::closeCommand:
        case During::closeSequence:
            EXPECT_TRUE(f.frame->views().isEmpty());
            break;
        case During::openFile:
            EXPECT_EQ(2, f.frame->views().size());
            break;
        case During::undo:
            EXPECT_LT(view->document()->list().count(), countBefore);
            break;
        case During::otherTool:
            EXPECT_EQ(toolOfCommand(Cmd::deleteObject), etatOutils().currentTool);
            break;
        case During::otherMacro:
            EXPECT_FALSE(nestedRan);
            EXPECT_EQ(1, f.frame->views().size());
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(During, MacroReentrancy,
                         ::testing::Values(During::closeCommand, During::closeApplication,
                                           During::openFile, During::undo, During::otherTool,
                                           During::otherMacro, During::closeSequence),
                         [](const ::testing::TestParamInfo<During>& info) {
                             return std::string(kDuringNames[static_cast<int>(info.param)]);
                         });

}  // namespace
