// The macro tools' fixture: a shown figure with a segment [AB] and a point M linked to it,
// macros added directly, and the prompts the tools show.
#pragma once

#include <functional>
#include <string>

#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "macros/CMacroKinds.h"
#include "tools_fixture.h"

// The execution tool on a figure with a segment [AB], a linked point M on it and macros.
class MacroTool : public ToolsTest {
protected:
    void SetUp() override {
        ToolsTest::SetUp();
        a = add<CPointBase>(nat::pointLibre, 1000.0, 1000.0, 4, 0);
        b = add<CPointBase>(nat::pointLibre, 3000.0, 1000.0, 4, 0);
        seg = add<CSegment>(nat::segment, a, b);
        m = add<CPointLieDroite>(nat::pointLie, seg, 0.25);
        savedPrompt_ = etatOutils().showPrompt;
        etatOutils().showPrompt = [this](const std::string& t) { lastPrompt = t; };
    }
    void TearDown() override {
        etatOutils().showPrompt = savedPrompt_;
        ToolsTest::TearDown();
    }
    std::function<void(const std::string&)> savedPrompt_;
    template <class T>
    T* macro(const char* title, double y = 3000) {
        return add<T>(nat::macro, &list(), title, "", 2000.0, y);
    }
    // An animation of M over d tenths of a second (0: until a click or Escape), the execution
    // tool chosen.
    CMacroAnimationPointLie* animation(int d) {
        auto* anim = macro<CMacroAnimationPointLie>("Animer");
        anim->linkedPoint = m;
        anim->f = 10, anim->n = 20, anim->d = d;
        EXPECT_TRUE(select(Cmd::executeMacro));
        return anim;
    }
    // A click in the middle of the macro's button.
    void clickOn(CMacro* mac) {
        view->redraw();
        click((mac->box.left + mac->box.right) / 20, (mac->box.top + mac->box.bottom) / 20);
    }

    CPointBase *a = nullptr, *b = nullptr;
    CSegment* seg = nullptr;
    CPointLieDroite* m = nullptr;
    std::string lastPrompt;
};
