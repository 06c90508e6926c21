// Attributes, file fields and name drawing of graphic objects, and the drawing passes of the
// list. Text measures come from CRecordingDC: a character is pointSize * 20 / 3 wide.
#include <gtest/gtest.h>

#include <functional>

#include "TestObjects.h"
#include "core/CPalette.h"
#include "core/CRecordingDC.h"

namespace {
struct Text {
    std::string text;
    int x, y;
    bool symbol = false;
    bool operator==(const Text&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Text& t) {
    return os << t.text << "@(" << t.x << "," << t.y << ")" << (t.symbol ? "sym" : "");
}

std::vector<Text> textsOf(const CRecordingDC& dc) {
    std::vector<Text> out;
    for (const auto& op : dc.opsOfKind("text"))
        out.push_back({op.text, op.args[0], op.args[1], op.font.symbol});
    return out;
}

std::string textNames(const CRecordingDC& dc) {
    std::string s;
    for (const auto& op : dc.opsOfKind("text")) s += op.text;
    return s;
}

// The x coordinates of the pixels drawn (test points draw one pixel at their position).
std::vector<int> pixelXs(const CRecordingDC& dc) {
    std::vector<int> xs;
    for (const auto& op : dc.opsOfKind("pixel")) xs.push_back(op.args[0]);
    return xs;
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

struct StatusCase {
    bool exists, masked;
    const char* text;
};

class StatusText : public testing::TestWithParam<StatusCase> {};

TEST_P(StatusText, JoinsNonExistenceAndMasked) {
    CElementGraphique g(1, GetParam().masked);
    g.exists = GetParam().exists;
    EXPECT_EQ(g.getStatusText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(States, StatusText,
                         testing::Values(StatusCase{true, false, ""},
                                         StatusCase{true, true, "masqué "},
                                         StatusCase{false, false, "n'existe pas"},
                                         StatusCase{false, true, "n'existe pas , masqué "}));

TEST(GraphicElement, SerializeFieldOrder) {
    CElementGraphique g(4, true, 1, 2, 3.5, -6, true, "é1", 2);
    std::vector<uint8_t> bytes;
    CArchive out(CArchive::store, bytes);
    g.Serialize(out);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 7),
              (std::vector<uint8_t>{1, 4, 1, 2, 2, 0xE9, '1'}));
    ASSERT_EQ(bytes.size(), 7u + 16);
    bytes[0] = 7;  // any non-zero byte is true
    bytes[2] = 0;
    CElementGraphique r;
    CArchive in(CArchive::load, bytes);
    r.Serialize(in);
    EXPECT_TRUE(r.masked);
    EXPECT_FALSE(r.nameHidden);
    EXPECT_EQ(r.name, "é1");
    EXPECT_EQ(r.nameOffsetY, -6);
}

struct PreviousCase {
    uint8_t length;
    const char* name;
};

class PreviousFormat : public testing::TestWithParam<PreviousCase> {};

TEST_P(PreviousFormat, FixedNameFieldAndFontIndexThree) {
    std::vector<uint8_t> bytes = {1, 2, 5, 9, GetParam().length, 'A', 'B', 'C', 'D'};
    CArchive out(CArchive::store, bytes);
    out.writeDouble(1.0);
    out.writeDouble(-2.0);
    CElementGraphique g;
    CArchive in(CArchive::load, bytes);
    g.readPreviousFormat(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_TRUE(g.masked);
    EXPECT_EQ(g.colour, 5);
    EXPECT_EQ(g.nameFontIndex, 3);
    EXPECT_EQ(g.name, GetParam().name);
    EXPECT_EQ(g.nameOffsetY, -2.0);

    bytes.pop_back();
    CElementGraphique t;
    CArchive truncated(CArchive::load, bytes);
    EXPECT_THROW(t.readPreviousFormat(truncated), CArchiveException);
}

INSTANTIATE_TEST_SUITE_P(Lengths, PreviousFormat,
                         testing::Values(PreviousCase{2, "AB"}, PreviousCase{200, "ABCD"}));

struct NameCase {
    const char* name;
    std::vector<Text> texts;
};

class NameDrawing : public testing::TestWithParam<NameCase> {};

TEST_P(NameDrawing, OneCharacterAtATime) {
    CElementGraphique g = named(GetParam().name);  // 12 points: 80 units a character
    CRecordingDC dc;
    g.drawName(&dc, true, true);
    EXPECT_EQ(textsOf(dc), GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameDrawing,
    testing::Values(NameCase{"A1", {{"A", 110, 220}, {"1", 190, 260}}},
                    NameCase{"&ab", {{"a", 110, 220, true}, {"b", 190, 220}}},
                    NameCase{"A'B", {{"A", 110, 220}, {"'", 190, 220}, {"B", 230, 220}}},
                    NameCase{"A&", {{"A", 110, 220}}}));

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

struct SuppressCase {
    const char* name;
    bool masked, nameHidden, hideMasked, respectNameHidden, drawn;
};

class NameSuppressed : public testing::TestWithParam<SuppressCase> {};

TEST_P(NameSuppressed, ByEmptyNameMaskOrHiddenName) {
    const SuppressCase& c = GetParam();
    CElementGraphique g = named(c.name);
    g.masked = c.masked;
    g.nameHidden = c.nameHidden;
    CRecordingDC dc;
    g.drawName(&dc, c.hideMasked, c.respectNameHidden);
    EXPECT_EQ(!dc.ops.empty(), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(Flags, NameSuppressed,
                         testing::Values(SuppressCase{"", false, false, true, true, false},
                                         SuppressCase{"A", true, false, true, true, false},
                                         SuppressCase{"A", true, false, false, true, true},
                                         SuppressCase{"A", false, true, true, true, false},
                                         SuppressCase{"A", false, true, true, false, true}));

struct RectCase {
    const char* name;
    int8_t font;
    LRect rect;
};

class NameRect : public testing::TestWithParam<RectCase> {};

TEST_P(NameRect, AdvancesAndDigitDrop) {
    CElementGraphique g = named(GetParam().name, GetParam().font);
    CRecordingDC dc;
    EXPECT_EQ(g.getNameRect(&dc), GetParam().rect);
    EXPECT_TRUE(dc.ops.empty());
}

INSTANTIATE_TEST_SUITE_P(Names, NameRect,
                         testing::Values(RectCase{"AB", 3, {110, 220, 270, 380}},
                                         RectCase{"A1", 3, {110, 220, 270, 420}},
                                         RectCase{"&p", 0, {110, 220, 163, 326}}));

TEST(NameRect, EmptyNameHasADefaultWidthAndFrameFollowsTheRect) {
    CElementGraphique empty = named("");
    CRecordingDC dc;
    LRect r = empty.getNameRect(&dc);
    EXPECT_GT(r.width(), 0);
    EXPECT_EQ(r.height(), 160);

    CElementGraphique g = named("A1");
    g.drawNameFrame(&dc);
    EXPECT_EQ(dc.opsOfKind("rectangle").at(0).args, (std::vector<int>{110, 220, 270, 420}));
}

// A at x 10 (named), B at 20 (masked), C at 30 (a circle: its name is not drawn by the
// passes), M at 15 (midpoint of A and B), S at 40 (a surface), a masked macro (drawn as a
// rectangle) and a variable. Every pass leaves the flags and colours as it found them.
struct PassCase {
    const char* pass;
    std::function<void(Figure&, CDC*)> run;
    std::vector<int> pixels;
    const char* names;
    size_t rectangles;
    int colourIndex;  // of every pixel
};

std::ostream& operator<<(std::ostream& os, const PassCase& c) {
    return os << c.pass;
}

class DrawingPass : public testing::TestWithParam<PassCase> {};

TEST_P(DrawingPass, DrawsWhatItShould) {
    CPalette::setBackgroundColour(1, 2, 3);
    Figure f;
    f.build("A B");
    static_cast<TestPoint*>(f["B"])->hide();
    f.add(nat::cercle, std::make_unique<TestPoint>(30, 0))->setName("C");
    f.midpoint("M", f["A"], f["B"]);
    f.add(nat::surface, std::make_unique<TestPoint>(40, 0));
    f.macro("go", nullptr)->hide();
    f.value(nat::variable, "v");
    static_cast<TestPoint*>(f["A"])->x = 10;
    static_cast<TestPoint*>(f["B"])->x = 20;
    f.list.computeAll();
    CRecordingDC dc;
    GetParam().run(f, &dc);
    EXPECT_EQ(pixelXs(dc), GetParam().pixels);
    EXPECT_EQ(textNames(dc), GetParam().names);
    EXPECT_EQ(dc.opsOfKind("rectangle").size(), GetParam().rectangles);
    for (const auto& op : dc.opsOfKind("pixel"))
        EXPECT_EQ(op.colour, CPalette::colour(GetParam().colourIndex));
    EXPECT_TRUE(static_cast<CElementGraphique*>(f["B"])->masked);
    EXPECT_TRUE(static_cast<CElementGraphique*>(f["go"])->masked);
    EXPECT_EQ(static_cast<CElementGraphique*>(f["A"])->colour, 1);
    CPalette::resetPalette();
}

const std::vector<int> kAll = {10, 20, 30, 15, 40}, kVisible = {10, 30, 15, 40}, kFirst = {10, 20};

INSTANTIATE_TEST_SUITE_P(
    Passes, DrawingPass,
    testing::Values(
        PassCase{"drawAll", [](Figure& f, CDC* dc) { f.list.drawAll(dc, true, true); }, kVisible,
                 "AM", 0, 1},
        PassCase{"drawAll showing masked",
                 [](Figure& f, CDC* dc) { f.list.drawAll(dc, false, true); }, kAll, "ABM", 1, 1},
        PassCase{"eraseAll", [](Figure& f, CDC* dc) { f.list.eraseAll(dc, true, true); }, kVisible,
                 "AM", 0, 0},
        PassCase{"drawFirst 1", [](Figure& f, CDC* dc) { f.list.drawFirst(dc, 1); }, kFirst, "AB",
                 0, 1},
        PassCase{"drawWithNameFramed",
                 [](Figure& f, CDC* dc) { f.list.drawWithNameFramed(dc, true, true, f["A"]); },
                 kVisible, "M", 1, 1}));
