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

TEST_F(PaletteTest, ResetGivesTheTable) {
    CPalette::setBackgroundColour(10, 20, 30);
    CPalette::resetPalette();
    const COLORREF expected[16] = {0xFFFFFF, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00,
                                   0xFF00FF, 0x00FFFF, 0x7F7F7F, 0x7F0000, 0x007F00, 0x00007F,
                                   0x7F7F00, 0x7F007F, 0x007F7F, 0x000041};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(CPalette::colour(i), expected[i]) << i;
    // A damaged index draws with the nearest entry rather than reading outside the table.
    EXPECT_EQ(CPalette::colour(-5), expected[0]);
    EXPECT_EQ(CPalette::colour(99), expected[15]);
    EXPECT_EQ(CPalette::pen(7, 99).colour, expected[15]);
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

struct StyleCase {
    int lineStyle, penStyle, width;
};

class PenTable : public PaletteTest, public testing::WithParamInterface<StyleCase> {};

TEST_P(PenTable, StyleAndWidthForEveryColour) {
    preferences().lineEnforcement = false;
    CPalette::resetPalette();
    for (int c = 0; c < CPalette::kColours; ++c) {
        const CPenDesc& p = CPalette::pen(GetParam().lineStyle, c);
        EXPECT_EQ(p.style, GetParam().penStyle);
        EXPECT_EQ(p.width, GetParam().width);
        EXPECT_EQ(p.width2, 0);
        EXPECT_EQ(p.colour, CPalette::colour(c));
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, PenTable,
                         testing::Values(StyleCase{0, PS_SOLID, 1}, StyleCase{1, PS_DOT, 1},
                                         StyleCase{2, PS_SOLID, 15}, StyleCase{3, PS_DASH, 1},
                                         StyleCase{4, PS_DASHDOTDOT, 1},
                                         StyleCase{5, PS_SOLID, 25}));

TEST(Natures, BitNumbers) {
    EXPECT_EQ(natureBitNumber(0), 64);
    EXPECT_EQ(natureBitNumber(nat::pointLibre), 0);
    EXPECT_EQ(natureBitNumber(nat::mesure), 23);
    EXPECT_EQ(natureBitNumber(nat::lieuDiscret), 31);
    EXPECT_EQ(natureBitNumber(nat::image), 34);
    EXPECT_EQ(natureBitNumber(nat::grapheSuiteComplexe), 41);
    EXPECT_EQ(natureBitNumber(natureBit(63)), 63);
    EXPECT_EQ(natureBitNumber(nat::segment | nat::droite), 4);  // the lowest bit wins
}

TEST(Natures, GroupMasks) {
    EXPECT_EQ(nat::graphique, 0x0000024FB01FFFFFull);
    EXPECT_EQ(nat::graphique & ~nat::graphiqueSaufSurfaces, nat::surface);
    EXPECT_EQ(nat::point, nat::pointLibre | nat::pointConstruit | nat::pointLie | nat::barycentre |
                              nat::pointDansRepere | nat::pointAutre | nat::pointParAffixe);
    EXPECT_EQ(nat::pointOuDroite, nat::point | nat::droite);
    EXPECT_EQ(nat::nomDessine, nat::point | nat::droite | nat::demiDroite | nat::objetDuplique);
}

struct NounCase {
    int bit;
    const char* noun;
};

class NounGroup : public testing::TestWithParam<NounCase> {};

TEST_P(NounGroup, OfEachNature) {
    EXPECT_EQ(natureNounGroup(natureBit(GetParam().bit)), GetParam().noun) << GetParam().bit;
}

INSTANTIATE_TEST_SUITE_P(
    Bits, NounGroup,
    testing::Values(NounCase{0, "ce point"}, NounCase{1, "ce point"}, NounCase{2, "ce point"},
                    NounCase{3, "ce point"}, NounCase{4, "ce segment"}, NounCase{5, "cette droite"},
                    NounCase{6, "ce vecteur"}, NounCase{7, "cette demi-droite"},
                    NounCase{8, "ce cercle"}, NounCase{9, "cette marque d'angle"},
                    NounCase{10, "cette valeur"}, NounCase{11, "Cet Arc"}, NounCase{12, "Ce lieu"},
                    NounCase{13, "Ce repere"}, NounCase{14, "ce point"},
                    NounCase{15, "Ce commentaire"}, NounCase{16, "ce point"},
                    NounCase{17, "Ce polygone"}, NounCase{18, "Cette surface"},
                    NounCase{20, "Ce graphe de suite"}, NounCase{21, ""}, NounCase{22, ""},
                    NounCase{23, ""}, NounCase{24, ""}, NounCase{25, ""}, NounCase{26, ""},
                    NounCase{27, ""}, NounCase{28, "Cette macro"}, NounCase{29, "Ce demi-plan"},
                    NounCase{30, ""}, NounCase{31, "Ce lieu discret"}, NounCase{32, "Cette ligne"},
                    NounCase{33, "cette marque de segment"}, NounCase{34, "Cette image"},
                    NounCase{35, "ce lieu d'objet "}, NounCase{36, ""}, NounCase{37, ""},
                    NounCase{38, "ce point"}, NounCase{39, ""}, NounCase{40, ""},
                    NounCase{41, "Ce graphe de suite"}, NounCase{42, ""}, NounCase{63, ""}));

TEST(Natures, DuplicatedObjectTakesTheCopiedNoun) {
    EXPECT_EQ(natureNounGroup(nat::objetDuplique, nat::segment), "Cette copie de ce segment");
    EXPECT_EQ(natureNounGroup(nat::objetDuplique, nat::cercle), "Cette copie de ce cercle");
    EXPECT_EQ(natureNounGroup(nat::objetDuplique, nat::variable), "Cette copie de ");
    EXPECT_EQ(natureNounGroup(0), "");
}
