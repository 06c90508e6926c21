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
QToolButton* buttonOf(QToolBar* bar, QAction* a) {
    for (auto* b : bar->findChildren<QToolButton*>())
        if (b->defaultAction() == a) return b;
    return nullptr;
}
}  // namespace

TEST(ToolBars, ButtonCountsOfTheCommandBars) {
    Fixture f;
    EXPECT_EQ(f.frame->toolBarButtons(ToolBarId::files).size(), 10);
    EXPECT_EQ(f.frame->toolBarButtons(ToolBarId::modification).size(), 18);
    EXPECT_EQ(f.frame->toolBarButtons(ToolBarId::construction).size(), 39);
    Fixture school({{"LowGradeMode", 1}});
    EXPECT_EQ(school.frame->toolBarButtons(ToolBarId::construction).size(), 36);
}

TEST(ToolBars, ClickingAToolButtonMakesItsToolCurrent) {
    Fixture f;
    ASSERT_NE(f.frame->openFile(QString::fromStdString(f.saveFigureWithPoint("p.qvf"))), nullptr);
    for (auto [bar, command] : {std::pair{ToolBarId::construction, Cmd::commentFree},
                                std::pair{ToolBarId::modification, Cmd::pinPoint}}) {
        QAction* a = f.frame->action(command);
        QToolButton* button = buttonOf(f.frame->toolBar(bar), a);
        ASSERT_NE(button, nullptr) << command;
        EXPECT_FALSE(button->icon().isNull()) << command;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(isToolCommandChecked(command)) << command;
    }
}
