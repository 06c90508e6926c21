// The command toolbars carry the buttons users find in every version of the program, and a
// click on a tool button makes its tool current.
#include <gtest/gtest.h>

#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "FrameFixture.h"
#include "app/CommandTable.h"
#include "view/COutilsRegistry.h"
#include "view/Commands.h"

namespace {
int buttons(QToolBar* bar) {
    int n = 0;
    for (QAction* a : bar->actions()) n += a->isSeparator() ? 0 : 1;
    return n;
}
}  // namespace

TEST(ToolBars, ButtonCountsOfTheCommandBars) {
    Fixture f;
    EXPECT_EQ(buttons(f.frame->toolBar(ToolBarId::files)), 10);
    EXPECT_EQ(buttons(f.frame->toolBar(ToolBarId::modification)), 18);
    EXPECT_EQ(buttons(f.frame->toolBar(ToolBarId::construction)), 39);
    Fixture school({{"LowGradeMode", 1}});
    EXPECT_EQ(buttons(school.frame->toolBar(ToolBarId::construction)), 36);
}

TEST(ToolBars, ClickingAToolButtonMakesItsToolCurrent) {
    Fixture f;
    ASSERT_NE(f.frame->openFile(QString::fromStdString(f.saveFigureWithPoint("p.qvf"))), nullptr);
    for (auto [bar, command] : {std::pair{ToolBarId::construction, Cmd::commentFree},
                                std::pair{ToolBarId::modification, Cmd::pinPoint}}) {
        QAction* a = f.frame->action(command);
        auto* button = qobject_cast<QToolButton*>(f.frame->toolBar(bar)->widgetForAction(a));
        ASSERT_NE(button, nullptr) << command;
        EXPECT_FALSE(button->icon().isNull()) << command;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(isToolCommandChecked(command)) << command;
    }
}
