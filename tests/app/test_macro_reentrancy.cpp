// What the event pump may do while a macro runs: closing the figure or the application,
// opening a file, undoing, choosing another tool or starting another macro. Each must wait for
// the macro to stop (the figure restored as by Escape) and never pull the figure away from it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "app/CMainFrame.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "macros/CMacroKinds.h"
#include "view/COutil.h"
#include "view/COutilsMacros.h"
#include "view/COutilsRegistry.h"
#include "view/CPelvantiView.h"
#include "view/CQtHost.h"
#include "view/Commands.h"

namespace {

struct QuietQtHost : CQtHost {
    std::vector<std::string> messages;
    int messageBox(const std::string& text, const std::string&, unsigned) override {
        messages.push_back(text);
        return IDNO;
    }
};

void flushEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

enum class During {
    closeWindow,
    closeCommand,
    closeApplication,
    openFile,
    undo,
    otherTool,
    otherMacro,
    closeDuringSequence
};

const char* const kDuringNames[] = {
    "closeWindow", "closeCommand", "closeApplication", "openFile",
    "undo",        "otherTool",    "otherMacro",       "closeDuringSequence"};

class MacroReentrancy : public ::testing::TestWithParam<During> {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        previousHost = setHost(&host);
        frame = std::make_unique<CMainFrame>(
            std::make_unique<QSettings>(dir.filePath("k.ini"), QSettings::IniFormat));
        frame->automaticAnswer = IDNO;
        frame->resize(1000, 700);
        frame->show();
        view = frame->newFigure();
        CPelvantiDoc& doc = *view->document();
        auto* a = add<CPointBase>(nat::pointLibre, 1000.0, 1000.0, 4, 0);
        auto* b = add<CPointBase>(nat::pointLibre, 3000.0, 1000.0, 4, 0);
        auto* seg = add<CSegment>(nat::segment, a, b);
        m = add<CPointLieDroite>(nat::pointLie, seg, 0.25);
        anim = add<CMacroAnimationPointLie>(nat::macro, &doc.list(), "Animer", "", 2000.0, 3000.0);
        anim->linkedPoint = m;
        // Until Escape (or 6 s, should the stop never come).
        anim->f = 10, anim->n = 50, anim->d = 60;
        doc.history().record("Animer");
        countBefore = doc.list().count();
        view->recomputeAndRedraw();
        frame->updateActions();

        CPelvantiDoc other;
        other.newFigure();
        otherPath = dir.filePath("autre.qvf");
        std::string reason;
        ASSERT_TRUE(other.saveToFile(otherPath.toStdString(), &reason)) << reason;
    }
    void TearDown() override {
        frame.reset();
        setHost(previousHost);
        QApplication::setQuitOnLastWindowClosed(true);
    }
    template <class T, class... Args>
    T* add(Nature nature, Args&&... args) {
        auto object = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = object.get();
        view->document()->addEntry(std::make_unique<CAction>(nature, std::move(object)));
        return raw;
    }

    QTemporaryDir dir;
    QuietQtHost host;
    CHost* previousHost = nullptr;
    std::unique_ptr<CMainFrame> frame;
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
    QTimer::singleShot(50, frame.get(), [&] {
        seenMoving = m->abscissa != 0.25;
        switch (what) {
            case During::closeWindow:
            case During::closeDuringSequence:
                view->parentWidget()->close();
                break;
            case During::closeCommand:
                frame->action(Cmd::fileClose)->trigger();
                break;
            case During::closeApplication:
                frame->close();
                break;
            case During::openFile:
                frame->openFile(otherPath);
                break;
            case During::undo:
                frame->action(Cmd::editUndo)->trigger();
                break;
            case During::otherTool:
                frame->action(Cmd::deleteObject)->trigger();
                break;
            case During::otherMacro:
                nestedRan = runMacro(*anim, view, QPoint());
                requestMacroStop();
                break;
        }
        viewsDuring = static_cast<int>(frame->views().size());
        countDuring = view->document()->list().count();
    });
    CMacro* run = anim;
    if (what == During::closeDuringSequence) {
        // Two endless animations in a row: the second must not start once the stop is asked.
        auto* again = add<CMacroAnimationPointLie>(nat::macro, &view->document()->list(), "Encore",
                                                   "", 2000.0, 3500.0);
        again->linkedPoint = m;
        again->f = 10, again->n = 50, again->d = 60;
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
        case During::closeWindow:
        case During::closeCommand:
        case During::closeDuringSequence:
            EXPECT_TRUE(frame->views().isEmpty());
            break;
        case During::closeApplication:
            EXPECT_FALSE(frame->isVisible());
            EXPECT_TRUE(frame->views().isEmpty());
            break;
        case During::openFile:
            EXPECT_EQ(2, frame->views().size());
            break;
        case During::undo:
            EXPECT_LT(view->document()->list().count(), countBefore);
            break;
        case During::otherTool:
            EXPECT_EQ(toolOfCommand(Cmd::deleteObject), etatOutils().currentTool);
            break;
        case During::otherMacro:
            EXPECT_FALSE(nestedRan);
            EXPECT_EQ(1, frame->views().size());
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(During, MacroReentrancy,
                         ::testing::Values(During::closeWindow, During::closeCommand,
                                           During::closeApplication, During::openFile, During::undo,
                                           During::otherTool, During::otherMacro,
                                           During::closeDuringSequence),
                         [](const ::testing::TestParamInfo<During>& info) {
                             return std::string(kDuringNames[static_cast<int>(info.param)]);
                         });

}  // namespace
