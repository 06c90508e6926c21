// Displays: placement and designation by the box, tied displays following their point, value
// texts, the comment fields exactly as scanned (broken fields, decimals, signs, formulas),
// pictures found by their absolute path, and the placeholder of an undecodable one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "calc/FormulaFixture.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "geometry/CAffichage.h"

namespace {
namespace fs = std::filesystem;

class Geo2Displays : public GeoTest {
protected:
    FormulaFigure fig;
};

TEST_F(Geo2Displays, BoxAndDesignation) {
    auto* c = fig.make<CCommentaire>(nat::commentaire, "ab", &fig.list, nullptr, 100, 200);
    c->setNameOffset(10, 20);
    EXPECT_EQ(c->designationDistance(150, 240, false), kNotDesignable);  // never laid out
    CRecordingDC dc;
    c->draw(&dc, true);
    const CFontDesc font = c->textFont();
    const int cw = font.pointSize * 20 / 3, ch = font.pointSize * 40 / 3;
    // Box: (left, top + 20, left + width + 20, top + height).
    EXPECT_EQ(c->box, (LRect{110, 240, 110 + 2 * cw + 20, 220 + ch}));
    EXPECT_EQ(c->designationDistance(c->box.right, c->box.bottom, false), 0);
    EXPECT_EQ(c->designationDistance(109, 240, false), kNotDesignable);
    EXPECT_EQ(c->designationDistance(110, c->box.bottom + 1, false), kNotDesignable);
    c->masked = true;
    EXPECT_EQ(c->designationDistance(110, 240, true), kNotDesignable);
}

TEST_F(Geo2Displays, DrawingOptions) {
    auto* c = fig.make<CCommentaire>(nat::commentaire, "x\r\ny", &fig.list, nullptr, 100, 200);
    c->framed = true;
    c->opaque = true;
    c->setColour(4);
    CRecordingDC dc;
    c->draw(&dc, true);
    ASSERT_EQ(dc.opsOfKind("fillRect").size(), 1u);
    EXPECT_EQ(dc.opsOfKind("fillRect")[0].colour, CPalette::colour(0));
    auto texts = dc.opsOfKind("text");
    ASSERT_EQ(texts.size(), 2u);  // one per line
    EXPECT_EQ(texts[1].text, "y");
    EXPECT_EQ(texts[0].colour, CPalette::colour(4));
    EXPECT_EQ(dc.opsOfKind("rectangle").size(), 1u);
    EXPECT_EQ(c->getStatusText(), "avec effacement de l'arrière-plan , avec encadrement");
}

TEST_F(Geo2Displays, TiedDisplayFollowsItsPointAndMovesByTranslationOnRequest) {
    CPointBase* p = fig.point(100, 100, "P");
    auto* free = fig.make<CCommentaire>(nat::commentaire, "a", &fig.list, nullptr, 10, 20);
    auto* tied = fig.make<CCommentaire>(nat::commentaire, "b", &fig.list, p, 0, 0);
    free->translateBy(5, 6);
    tied->translateBy(5, 6);
    EXPECT_EQ(free->nameAnchorX, 15);
    EXPECT_EQ(tied->nameOffsetX, 0);
    const bool saved = preferences().displaysTranslation;
    preferences().displaysTranslation = true;
    tied->translateBy(5, 6);
    preferences().displaysTranslation = saved;
    EXPECT_EQ(tied->nameOffsetX, 5);
    p->x = 300;
    fig.list.computeAll();
    EXPECT_EQ(tied->nameAnchorX, 300);
    p->x = 40000;
    fig.list.computeAll();
    EXPECT_FALSE(tied->exists);
    EXPECT_EQ(tied->getConstructionInfo(nullptr, nullptr, nullptr),
              "Commentaire  (lié à un point)");
}

TEST_F(Geo2Displays, ValueDisplayTexts) {
    CVariableBornee* a = fig.addVariable("a", 2.5);
    auto* star = fig.make<CValeurAffichee>(nat::valeurAffichee, a, nullptr, 0, 0, "*", " cm", 2);
    EXPECT_EQ(star->text, "a = 2.5 cm");
    auto* plain = fig.make<CValeurAffichee>(nat::valeurAffichee, a, nullptr, 0, 0, "x=", "!", 0);
    EXPECT_EQ(plain->text, "x=3!");
    CCalculComplexe* z = fig.addComplexCalcul("z", "3-i");
    auto* cz = fig.make<CValeurAffichee>(nat::valeurAffichee, z, nullptr, 0, 0, "*", "", 2);
    EXPECT_EQ(cz->text, "z = 3 - i");
    CCalcul* bad = fig.addCalcul("b", "1/0");
    auto* none = fig.make<CValeurAffichee>(nat::valeurAffichee, bad, nullptr, 0, 0, "", "", 2);
    EXPECT_FALSE(none->exists);
}

struct FieldCase {
    const char* comment;
    const char* shown;
};

class Geo2CommentFields : public Geo2Displays, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(Geo2CommentFields, Scan) {
    fig.addVariable("a", 3.14159);
    fig.addVariable("m", -2);
    fig.addCalcul("c", "a * 2");
    fig.addFunction("f", "x^2+1");
    fig.addCalcul("u", "1/0");
    auto* c =
        fig.make<CCommentaire>(nat::commentaire, GetParam().comment, &fig.list, nullptr, 0, 0);
    EXPECT_EQ(c->text, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Geo2CommentFields,
    ::testing::Values(FieldCase{"#Val(a)", "3.14"}, FieldCase{"#Val( a , 3 )", "3.142"},
                      FieldCase{"#Val(a,+)", "+3.14"}, FieldCase{"#Val(m,+)", "-2"},
                      FieldCase{"#Val(A,0)", "3"},  // names without regard to case
                      FieldCase{"y=#Val(b,2) z", "y=#Val(b,2) z"},
                      FieldCase{"y=#Val(a,2", "y=#Val(a,2"},
                      FieldCase{"#Val(#Val(a))", "#Val(3.14)"},
                      FieldCase{"c=#For(c) ; #For(f)", "c=a * 2 ; x^2+1"},
                      // An undefined value shows nothing; a part that is no number means 0.
                      FieldCase{"[#Val(u)]", "[]"}, FieldCase{"#Val(a,abc)", "3"},
                      FieldCase{"a#Val(a,2)b#Val(a,0)c", "a3.14b3c"}));

TEST_F(Geo2Displays, CommentDependsOnTheValuesItNames) {
    CVariableBornee* a = fig.addVariable("a", 1);
    CVariableBornee* b = fig.addVariable("b", 2);
    auto* c = fig.make<CCommentaire>(nat::commentaire, "#Val(a)", &fig.list, nullptr, 0, 0);
    EXPECT_TRUE(c->dependsOn(a));
    EXPECT_FALSE(c->dependsOn(b));
    c->setComment("#Val(b) #Val(zz)");
    EXPECT_FALSE(c->dependsOn(a));
    EXPECT_TRUE(c->dependsOn(b));
    ASSERT_EQ(c->values.size(), 1u);
    a->value = 5;
    b->value = 7;
    fig.list.computeAll();
    EXPECT_EQ(c->text, "7 #Val(zz)");
}

// A host that decodes any file of 3 bytes or more as a 30 x 20 pixel picture. Finding a picture
// beside the figure file and the placeholder of a missing one are checked in tests/document.
class PictureHost : public CHeadlessHost {
public:
    struct Picture : CPicture {
        LSize sizeInPixels() const override { return {30, 20}; }
    };
    std::unique_ptr<CPicture> decodePicture(const std::vector<uint8_t>& bytes) override {
        if (bytes.size() < 3) return nullptr;  // "not a picture"
        return std::make_unique<Picture>();
    }
};

class Geo2Images : public Geo2Displays {
protected:
    void SetUp() override {
        Geo2Displays::SetUp();
        previous_ = setHost(&host_);
        dir = fs::temp_directory_path() / ("geo2_images_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::ofstream(dir / "pic.bmp") << "picture bytes";
        std::ofstream(dir / "bad.bmp") << "x";
        savedFolder_ = figureFolder();
        setFigureFolder("/elsewhere");
    }
    void TearDown() override {
        setHost(previous_);
        setFigureFolder(savedFolder_);
        fs::remove_all(dir);
        Geo2Displays::TearDown();
    }
    fs::path dir;

private:
    PictureHost host_;
    CHost* previous_ = nullptr;
    std::string savedFolder_;
};

TEST_F(Geo2Images, AbsolutePathWhenTheRelativeOneFailsAndTheFrameAroundIt) {
    auto* img = fig.make<CImage>(nat::image, (dir / "pic.bmp").string(), "sub/pic.bmp", &fig.list,
                                 nullptr, 100, 100);
    EXPECT_TRUE(img->loaded);
    CRecordingDC dc;
    img->draw(&dc, true);
    EXPECT_EQ(img->box, (LRect{100, 100, 390, 290}));
    EXPECT_EQ(dc.opsOfKind("picture").size(), 1u);
    img->framed = true;
    img->draw(&dc, true);
    EXPECT_EQ(img->box, (LRect{90, 90, 400, 300}));
}

TEST_F(Geo2Images, UndecodableFileShowsThePlaceholderThatMovesWithTheImage) {
    auto* img =
        fig.make<CImage>(nat::image, (dir / "bad.bmp").string(), "", &fig.list, nullptr, 100, 100);
    EXPECT_FALSE(img->loaded);
    CRecordingDC dc;
    img->draw(&dc, true);
    EXPECT_EQ(dc.opsOfKind("text").size(), 3u);
    EXPECT_EQ(img->designationDistance(img->box.left, img->box.top, true), 0);
    img->translate(50, 0);
    img->draw(&dc, true);
    EXPECT_EQ(img->box.left, 150);
    CImage tied("/a/b.png", "b.png", &fig.list, fig.point(10, 10, "P"), 0, 0);
    EXPECT_EQ(tied.getConstructionInfo(nullptr, nullptr, nullptr),
              "Affichage d'image\r\nChemin relatif d'accès : b.png (lié à un point)");
}

}  // namespace
