// The palette and pen table, and the nature bits with their noun groups.
#include <gtest/gtest.h>

#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "core/Natures.h"

namespace {
// Restores the process-wide palette and preference whatever a test changed.
class PaletteTest : public testing::Test {
protected:
    void TearDown() override {
        preferences().lineEnforcement = saved_;
        CPalette::resetPalette();
    }
    bool saved_ = preferences().lineEnforcement;
};
}  // namespace

TEST_F(PaletteTest, ResetUndoesTheBackgroundAndDamagedIndexesClamp) {
    CPalette::setBackgroundColour(10, 20, 30);
    CPalette::resetPalette();
    EXPECT_EQ(CPalette::colour(0), 0xFFFFFFu);
    // A damaged index draws with the nearest entry rather than reading outside the table.
    EXPECT_EQ(CPalette::colour(-5), 0xFFFFFFu);
    EXPECT_EQ(CPalette::colour(99), 0x000041u);
    EXPECT_EQ(CPalette::pen(7, 99).colour, 0x000041u);
}

TEST_F(PaletteTest, LineEnforcementWidensTheThinPen) {
    preferences().lineEnforcement = false;
    CPalette::resetPalette();
    EXPECT_EQ(CPalette::pen(0, 1), (CPenDesc{PS_SOLID, 1, 0, 0x000000}));
    preferences().lineEnforcement = true;
    EXPECT_EQ(CPalette::pen(0, 1).width, 1);  // until the pens are rebuilt
    CPalette::rebuildPens();
    EXPECT_EQ(CPalette::pen(0, 1), (CPenDesc{PS_SOLID, 6, 0, 0x000000}));
    EXPECT_EQ(CPalette::pen(2, 1).width, 15);
    EXPECT_EQ(CPalette::thinPen(4), (CPenDesc{PS_SOLID, 1, 0, 0x0000FF}));
}

TEST_F(PaletteTest, BackgroundColourReachesEveryPenOfColourZero) {
    CPalette::setBackgroundColour(0, 0, 255);
    EXPECT_EQ(CPalette::colour(0), 0xFF0000u);
    for (int style = 0; style < CPalette::kLineStyles; ++style) {
        EXPECT_EQ(CPalette::pen(style, 0).colour, 0xFF0000u) << style;
        EXPECT_EQ(CPalette::pen(style, 1).colour, 0u) << style;
    }
}

TEST(Natures, BitNumberOfNoneAndOfSeveralBits) {
    EXPECT_EQ(natureBitNumber(0), 64);
    EXPECT_EQ(natureBitNumber(natureBit(63)), 63);
    EXPECT_EQ(natureBitNumber(nat::segment | nat::droite), 4);  // the lowest bit wins
}
