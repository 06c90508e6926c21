// Attributes, file fields and name drawing of graphic objects, and the drawing passes of the
// list. Text measures come from CRecordingDC: a character is pointSize * 20 / 3 wide.
#include <gtest/gtest.h>

#include <functional>

#include "TestObjects.h"
#include "core/CPalette.h"
#include "core/CRecordingDC.h"

namespace {
// The texts drawn, each as "text@x,y" ("*" after a text in the symbol font).
std::string textsOf(const CRecordingDC& dc) {
    std::string s;
    for (const auto& op : dc.opsOfKind("text"))
        s += op.text + (op.font.symbol ? "*@" : "@") + std::to_string(op.args[0]) + "," +
             std::to_string(op.args[1]) + " ";
    return s;
}

CElementGraphique named(const std::string& name, int8_t font = 3) {
    CElementGraphique g(2, false);
    g.setName(name);
    g.nameFontIndex = font;
    g.setNameAnchor(100.9, 200.9);
    g.setNameOffset(10, 20);
    return g;
}
}  // namespace

TEST(GraphicElement, StatusTextJoinsNonExistenceAndMasked) {
    for (auto [exists, masked, text] : {std::tuple{true, false, ""},
                                        {true, true, "masqué "},
                                        {false, false, "n'existe pas"},
                                        {false, true, "n'existe pas , masqué "}}) {
        CElementGraphique g(1, masked);
        g.exists = exists;
        EXPECT_EQ(g.getStatusText(), text);
    }
}

TEST(GraphicElement, AnyNonZeroFlagByteReadsAsTrue) {
    CElementGraphique g(4, true, 1, 2, 3.5, -6, true, "é1", 2);
    std::vector<uint8_t> bytes;
    CArchive out(CArchive::store, bytes);
    g.Serialize(out);
    bytes[0] = 7;
    CElementGraphique r;
    CArchive in(CArchive::load, bytes);
    r.Serialize(in);
    EXPECT_TRUE(r.masked);
    EXPECT_EQ(r.name, "é1");
}

TEST(GraphicElement, PreviousFormatHasAFixedNameFieldAndFontIndexThree) {
    for (auto [length, name] : {std::pair{2, "AB"}, {200, "ABCD"}}) {
        std::vector<uint8_t> bytes = {1, 2, 5, 9, static_cast<uint8_t>(length), 'A', 'B', 'C', 'D'};
        CArchive out(CArchive::store, bytes);
        out.writeDouble(1.0);
        out.writeDouble(-2.0);
        CElementGraphique g;
        CArchive in(CArchive::load, bytes);
        g.readPreviousFormat(in);
        EXPECT_TRUE(in.atEnd());
        EXPECT_EQ(g.colour, 5);
        EXPECT_EQ(g.nameFontIndex, 3);
        EXPECT_EQ(g.name, name);
        EXPECT_EQ(g.nameOffsetY, -2.0);
        bytes.pop_back();
        CArchive truncated(CArchive::load, bytes);
        EXPECT_THROW(g.readPreviousFormat(truncated), CArchiveException);
    }
}

TEST(NameDrawing, OneCharacterAtATimeDigitsLowered) {
    // 12 points: 80 units a character, 40 for a prime.
    for (auto [name, texts] : {std::pair{"A1", "A@110,220 1@190,260 "},
                               {"&ab", "a*@110,220 b@190,220 "},
                               {"A'B", "A@110,220 '@190,220 B@230,220 "},
                               {"A&", "A@110,220 "}}) {
        CElementGraphique g = named(name);
        CRecordingDC dc;
        g.drawName(&dc, true, true);
        EXPECT_EQ(textsOf(dc), texts);
    }
}

TEST(NameDrawing, ColourModeAndTruncation) {
    CElementGraphique g = named("A");
    g.setNameAnchor(-10.7, 0.5);
    g.setNameOffset(0, -0.9);
    CRecordingDC dc;
    g.drawName(&dc, true, true);
    ASSERT_EQ(dc.ops.size(), 1u);
    EXPECT_EQ(dc.ops[0].args, (std::vector<int>{-10, 0}));  // integer part, toward zero
    EXPECT_EQ(dc.ops[0].bkMode, BK_TRANSPARENT);
    dc.clear();
    g.eraseName(&dc, true, true);
    ASSERT_EQ(dc.ops.size(), 1u);
    EXPECT_EQ(dc.ops[0].colour, CPalette::colour(0));
    EXPECT_EQ(dc.ops[0].bkMode, BK_OPAQUE);
}

TEST(NameDrawing, SuppressedByEmptyNameMaskOrHiddenName) {
    for (auto [name, masked, nameHidden, hideMasked, respectNameHidden, drawn] :
         {std::tuple{"", false, false, true, true, false},
          {"A", true, false, true, true, false},
          {"A", true, false, false, true, true},
          {"A", false, true, true, true, false},
          {"A", false, true, true, false, true}}) {
        CElementGraphique g = named(name);
        g.masked = masked;
        g.nameHidden = nameHidden;
        CRecordingDC dc;
        g.drawName(&dc, hideMasked, respectNameHidden);
        EXPECT_EQ(!dc.ops.empty(), drawn) << name << masked << nameHidden;
    }
}

TEST(NameRect, AdvancesDigitDropAndTheFrameFollowsIt) {
    for (auto [name, font, rect] : {std::tuple{"AB", 3, LRect{110, 220, 270, 380}},
                                    {"A1", 3, LRect{110, 220, 270, 420}},
                                    {"&p", 0, LRect{110, 220, 163, 326}}}) {
        CRecordingDC dc;
        EXPECT_EQ(named(name, static_cast<int8_t>(font)).getNameRect(&dc), rect);
        EXPECT_TRUE(dc.ops.empty());
    }
    CRecordingDC dc;
    EXPECT_EQ(named("").getNameRect(&dc).height(), 160);
    named("A1").drawNameFrame(&dc);
    EXPECT_EQ(dc.opsOfKind("rectangle").at(0).args, (std::vector<int>{110, 220, 270, 420}));
}

// A at x 10 (named), B at 20 (masked), C at 30 (a circle: its name is not drawn by the
// passes), M at 15 (midpoint of A and B), S at 40 (a surface), a masked macro (drawn as a
// rectangle) and a variable. Every pass leaves the flags and colours as it found them.
TEST(DrawingPasses, DrawWhatTheyShould) {
    struct Case {
        const char* pass;
        std::function<void(Figure&, CDC*)> run;
        std::vector<int> pixels;  // their x
        const char* names;
        size_t rectangles;
        int colourIndex;  // of every pixel
    };
    const std::vector<int> all = {10, 20, 30, 15, 40}, visible = {10, 30, 15, 40};
    const Case cases[] = {
        {"drawAll", [](Figure& f, CDC* dc) { f.list.drawAll(dc, true, true); }, visible, "AM", 0,
         1},
        {"drawAll showing masked", [](Figure& f, CDC* dc) { f.list.drawAll(dc, false, true); }, all,
         "ABM", 1, 1},
        {"eraseAll", [](Figure& f, CDC* dc) { f.list.eraseAll(dc, true, true); }, visible, "AM", 0,
         0},
        {"drawFirst 1", [](Figure& f, CDC* dc) { f.list.drawFirst(dc, 1); }, {10, 20}, "AB", 0, 1},
        {"drawWithNameFramed",
         [](Figure& f, CDC* dc) { f.list.drawWithNameFramed(dc, true, true, f["A"]); }, visible,
         "M", 1, 1}};
    CPalette::setBackgroundColour(1, 2, 3);
    for (const Case& c : cases) {
        Figure f;
        f.point("A", 10);
        f.point("B", 20)->hide();
        f.add(nat::cercle, std::make_unique<TestPoint>(30, 0))->setName("C");
        f.midpoint("M", f["A"], f["B"]);
        f.add(nat::surface, std::make_unique<TestPoint>(40, 0));
        f.macro("go", nullptr)->hide();
        f.value(nat::variable, "v");
        f.list.computeAll();
        CRecordingDC dc;
        c.run(f, &dc);
        std::vector<int> xs;
        for (const auto& op : dc.opsOfKind("pixel")) {
            xs.push_back(op.args[0]);
            EXPECT_EQ(op.colour, CPalette::colour(c.colourIndex)) << c.pass;
        }
        std::string names;
        for (const auto& op : dc.opsOfKind("text")) names += op.text;
        EXPECT_EQ(xs, c.pixels) << c.pass;
        EXPECT_EQ(names, c.names) << c.pass;
        EXPECT_EQ(dc.opsOfKind("rectangle").size(), c.rectangles) << c.pass;
        EXPECT_TRUE(static_cast<CElementGraphique*>(f["B"])->masked);
        EXPECT_TRUE(static_cast<CElementGraphique*>(f["go"])->masked);
        EXPECT_EQ(static_cast<CElementGraphique*>(f["A"])->colour, 1);
    }
    CPalette::resetPalette();
}
