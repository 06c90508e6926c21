// The construction bar in school-level mode: shorter, its commands still in the menus.
#include <gtest/gtest.h>

#include <QToolBar>

#include "FrameFixture.h"
#include "app/CommandTable.h"
#include "view/Commands.h"

TEST(MainFrame, SchoolLevelModeShortensTheConstructionBar) {
    int full = 0;
    {
        Fixture f;
        const QList<QAction*> bar = f.frame->toolBarButtons(ToolBarId::construction);
        full = static_cast<int>(bar.size());
        EXPECT_TRUE(bar.contains(f.frame->action(Cmd::curveOnR)));
        EXPECT_TRUE(bar.contains(f.frame->action(Cmd::protractor)));
    }
    Fixture f({{"LowGradeMode", 1}});
    const QList<QAction*> bar = f.frame->toolBarButtons(ToolBarId::construction);
    EXPECT_EQ(bar.size(), full - 3);
    for (int command : {Cmd::vector, Cmd::locusByLinkedPoint, Cmd::curveOnR}) {
        QAction* a = f.frame->action(command);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(bar.contains(a)) << command;
        EXPECT_FALSE(a->associatedObjects().isEmpty()) << "still in its menu";
    }
    EXPECT_TRUE(bar.contains(f.frame->action(Cmd::protractor)));
    EXPECT_TRUE(bar.contains(f.frame->action(Cmd::midpoint)));
}
