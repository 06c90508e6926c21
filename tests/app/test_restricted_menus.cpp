// A figure's restricted menus govern the main window's commands as well as its tools.
#include <gtest/gtest.h>

#include "app/CDocumentCommands.h"
#include "app/FrameFixture.h"
#include "document/CPelvantiDoc.h"
#include "view/Commands.h"

namespace {
CPelvantiView* openRestricted(Fixture& f, std::vector<uint32_t> ids, bool idsAreDisabled) {
    CPelvantiDoc doc;
    doc.newFigure();
    doc.allowedMenus.setIds(ids);
    doc.allowedMenus.idsAreDisabled = idsAreDisabled;
    const std::string path = f.dir.filePath("restreint.qvf").toStdString();
    std::string reason;
    EXPECT_TRUE(doc.saveToFile(path, &reason)) << reason;
    return f.frame->openFile(QString::fromStdString(path));
}

bool enabled(Fixture& f, int command) {
    return f.frame->action(command)->isEnabled();
}
}  // namespace

TEST(RestrictedMenus, DisabledCommandsAreGreyedInMenusAndToolbars) {
    Fixture f;
    ASSERT_NE(openRestricted(f, {Cmd::history, Cmd::midpoint, Cmd::fileSave}, true), nullptr);
    EXPECT_FALSE(enabled(f, Cmd::history));
    EXPECT_FALSE(enabled(f, Cmd::midpoint));
    EXPECT_TRUE(enabled(f, Cmd::figureText));
    EXPECT_TRUE(enabled(f, Cmd::segment));
    // Saving is never taken away: the figure can always be kept.
    EXPECT_TRUE(enabled(f, Cmd::fileSave));
    // A disabled command does nothing, even from its shortcut.
    f.frame->action(Cmd::history)->trigger();
    EXPECT_EQ(f.frame->findChild<CHistoryDialog*>(), nullptr);
}

TEST(RestrictedMenus, OnlyTheListedCommandsAreEnabled) {
    Fixture f;
    ASSERT_NE(openRestricted(f, {Cmd::segment, Cmd::figureText}, false), nullptr);
    EXPECT_TRUE(enabled(f, Cmd::segment));
    EXPECT_TRUE(enabled(f, Cmd::figureText));
    EXPECT_FALSE(enabled(f, Cmd::midpoint));
    EXPECT_FALSE(enabled(f, Cmd::history));
    EXPECT_TRUE(enabled(f, Cmd::fileOpen));
    // A new figure has no restriction.
    f.run(Cmd::fileNew);
    EXPECT_TRUE(enabled(f, Cmd::history));
    EXPECT_TRUE(enabled(f, Cmd::midpoint));
}
