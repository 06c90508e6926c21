// Undo history: twelve states, the newest eleven undoable; a state is the figure list alone.
#include <gtest/gtest.h>

#include "DocTestObjects.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"

namespace {

void addPoint(CPelvantiDoc& doc, double x) {
    doc.addEntry(
        std::make_unique<CAction>(nat::pointLibre, std::make_unique<CDocTestPoint>(x, 0, "")));
}

TEST(UndoHistory, FifteenRecordsLeaveElevenUndoableAndANewActionDropsTheRedo) {
    CPelvantiDoc doc;
    doc.newFigure();
    CUndoHistory& h = doc.history();
    for (int i = 1; i <= 15; ++i) {
        addPoint(doc, i);
        h.record("Action " + std::to_string(i));
    }
    int undone = 0;
    while (h.undo()) ++undone;
    EXPECT_EQ(11, undone);
    // The oldest state kept is the figure after the fourth action: pi and four points.
    EXPECT_EQ(5, doc.list().count());
    int redone = 0;
    while (h.redo()) ++redone;
    EXPECT_EQ(11, redone);
    EXPECT_EQ(16, doc.list().count());
    EXPECT_EQ(15, doc.graphicList().count());
    ASSERT_TRUE(h.undo());
    addPoint(doc, 16);
    h.record("Créer point libre");
    EXPECT_FALSE(h.redo());
    EXPECT_EQ("Créer point libre", h.undoText());
}

TEST(UndoHistory, UndoRestoresTheListExactlyButNotTheHeader) {
    CPelvantiDoc doc;
    buildDocTestFigure(doc);
    doc.history().resetHistory();
    std::vector<uint8_t> state = doc.writeListState();
    doc.list().unitLength = nullptr;
    doc.list().defaultMacro = nullptr;
    doc.keepFirst(3);
    doc.history().record("Supprimer");
    doc.setBackgroundColour(RGB(1, 2, 3));
    ASSERT_TRUE(doc.history().undo());
    EXPECT_EQ(state, doc.writeListState());
    EXPECT_EQ(RGB(1, 2, 3), doc.backgroundColour());
    EXPECT_EQ(4, doc.graphicList().count());
    // Recomputed after the restore.
    EXPECT_TRUE(doc.list().elementAt(3)->exists);
}

TEST(UndoHistory, LoadingResetsTheHistoryAndADamagedStateLeavesPi) {
    CPelvantiDoc doc;
    doc.newFigure();
    addPoint(doc, 1);
    doc.history().record("Créer point");
    CPelvantiDoc other;
    ASSERT_TRUE(other.loadFromBytes(doc.saveToBytes(), nullptr));
    EXPECT_FALSE(other.history().canUndo());
    std::string reason;
    EXPECT_FALSE(doc.readListState({0, 0, 5, 0, 0xFF}, &reason));
    EXPECT_FALSE(reason.empty());
    ASSERT_EQ(1, doc.list().count());
    EXPECT_EQ(nat::calcul, doc.list().entryAt(0)->nature);
}

}  // namespace
