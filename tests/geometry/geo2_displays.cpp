// Displays: placement and designation by the box, tied displays following their point, value
// texts, the comment fields exactly as scanned (broken fields, decimals, signs, formulas),
// pictures found from the figure's folder or their absolute path with the placeholder when
// they are missing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "GeoFigure.h"
#include "calc/FormulaFixture.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "geometry/CAffichage.h"

namespace {
namespace fs = std::filesystem;

struct DisplayFigure : FormulaFigure {
    template <class T>
    T* add(Nature n, std::unique_ptr<T> o) {
        T* raw = o.get();
        list.append(std::make_unique<CAction>(n, std::unique_ptr<CElementBase>(o.release())));
        raw->computePosition();
        return raw;
    }
    CPointBase* point(double x, double y, const std::string& name) {
        auto* p = add(nat::pointLibre, std::make_unique<CPointBase>(x, y));
        p->setName(name);
        return p;
    }
};

class Geo2Displays : public GeoTest {
protected:
    DisplayFigure fig;
};

TEST_F(Geo2Displays, BoxAndDesignation) {
    auto* c = fig.add(nat::commentaire,
                      std::make_unique<CCommentaire>("ab", &fig.list, nullptr, 100, 200));
    c->setNameOffset(10, 20);
    EXPECT_EQ(c->designationDistance(150, 240, false), kNotDesignable);  // never laid out
    CRecordingDC dc;
    c->draw(&dc, true);
    const CFontDesc font = c->textFont();
    const int cw = font.pointSize * 20 / 3, ch = font.pointSize * 40 / 3;
    // Box: (left, top + 20, left + width + 20, top + height).
    EXPECT_EQ(c->box, (LRect{110, 240, 110 + 2 * cw + 20, 220 + ch}));
    EXPECT_EQ(c->designationDistance(110, 240, false), 0);
    EXPECT_EQ(c->designationDistance(c->box.right, c->box.bottom, false), 0);
    EXPECT_EQ(c->designationDistance(109, 240, false), kNotDesignable);
    EXPECT_EQ(c->designationDistance(c->box.right + 1, 240, false), kNotDesignable);
    EXPECT_EQ(c->designationDistance(110, c->box.bottom + 1, false), kNotDesignable);
    c->masked = true;
    EXPECT_EQ(c->designationDistance(110, 240, true), kNotDesignable);
    EXPECT_EQ(c->designationDistance(110, 240, false), 0);
}

TEST_F(Geo2Displays, DrawingOptions) {
    auto* c = fig.add(nat::commentaire,
                      std::make_unique<CCommentaire>("x\r\ny", &fig.list, nullptr, 100, 200));
    c->framed = true;
    c->opaque = true;
    c->setColour(4);
    CRecordingDC dc;
    c->draw(&dc, true);
    ASSERT_EQ(dc.opsOfKind("fillRect").size(), 1u);
    EXPECT_EQ(dc.opsOfKind("fillRect")[0].colour, CPalette::colour(0));
    auto texts = dc.opsOfKind("text");
    ASSERT_EQ(texts.size(), 2u);  // one per line
    EXPECT_EQ(texts[0].text, "x");
    EXPECT_EQ(texts[1].text, "y");
    EXPECT_EQ(texts[0].colour, CPalette::colour(4));
    EXPECT_EQ(texts[0].bkMode, BK_TRANSPARENT);
    ASSERT_EQ(dc.opsOfKind("rectangle").size(), 1u);
    EXPECT_EQ(c->getStatusText(), "avec effacement de l'arrière-plan , avec encadrement");
    dc.clear();
    c->erase(&dc, true);
    EXPECT_TRUE(dc.opsOfKind("fillRect").empty());
    EXPECT_EQ(dc.opsOfKind("text")[0].colour, CPalette::colour(0));
}

TEST_F(Geo2Displays, TiedDisplayFollowsItsPoint) {
    CPointBase* p = fig.point(100, 100, "P");
    auto* c = fig.add(nat::commentaire, std::make_unique<CCommentaire>("ici", &fig.list, p, 0, 0));
    EXPECT_TRUE(c->exists);
    EXPECT_EQ(c->nameAnchorX, 100);
    p->x = 300;
    fig.list.computeAll();
    EXPECT_EQ(c->nameAnchorX, 300);
    p->x = 40000;
    fig.list.computeAll();
    EXPECT_FALSE(c->exists);
    CRecordingDC dc;
    c->draw(&dc, true);
    EXPECT_TRUE(dc.ops.empty());
    p->x = 200;
    fig.list.computeAll();
    EXPECT_TRUE(c->exists);
    EXPECT_TRUE(c->dependsOn(p));
    EXPECT_EQ(c->getConstructionInfo(nullptr, nullptr, nullptr), "Commentaire  (lié à un point)");
}

TEST_F(Geo2Displays, TranslationMovesFreeDisplaysAndTiedOnesOnRequest) {
    CPointBase* p = fig.point(100, 100, "P");
    auto* free =
        fig.add(nat::commentaire, std::make_unique<CCommentaire>("a", &fig.list, nullptr, 10, 20));
    auto* tied = fig.add(nat::commentaire, std::make_unique<CCommentaire>("b", &fig.list, p, 0, 0));
    free->translateBy(5, 6);
    tied->translateBy(5, 6);
    EXPECT_EQ(free->nameAnchorX, 15);
    EXPECT_EQ(free->nameAnchorY, 26);
    EXPECT_EQ(tied->nameOffsetX, 0);
    const bool saved = preferences().displaysTranslation;
    preferences().displaysTranslation = true;
    tied->translateBy(5, 6);
    preferences().displaysTranslation = saved;
    EXPECT_EQ(tied->nameOffsetX, 5);
    EXPECT_EQ(tied->nameAnchorX, 100);
}

TEST_F(Geo2Displays, ValueDisplayTexts) {
    CVariableBornee* a = fig.addVariable("a", 2.5);
    auto* star = fig.add(nat::valeurAffichee,
                         std::make_unique<CValeurAffichee>(a, nullptr, 0, 0, "*", " cm", 2));
    EXPECT_EQ(star->text, "a = 2.5 cm");
    auto* plain = fig.add(nat::valeurAffichee,
                          std::make_unique<CValeurAffichee>(a, nullptr, 0, 0, "x=", "!", 0));
    EXPECT_EQ(plain->text, "x=3!");
    CCalculComplexe* z = fig.addComplexCalcul("z", "3-i");
    auto* cz = fig.add(nat::valeurAffichee,
                       std::make_unique<CValeurAffichee>(z, nullptr, 0, 0, "*", "", 2));
    EXPECT_EQ(cz->text, "z = 3 - i");
    CCalcul* bad = fig.addCalcul("b", "1/0");
    auto* none = fig.add(nat::valeurAffichee,
                         std::make_unique<CValeurAffichee>(bad, nullptr, 0, 0, "", "", 2));
    EXPECT_FALSE(none->exists);
    EXPECT_TRUE(star->dependsOn(a));
    star->setName("V");
    EXPECT_EQ(star->getDescription(),
              "Affichage de valeur : V\n      Affichage de la valeur de a\n      Affichage précédé "
              "de : *\n      Affichage suivi de :  cm");
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
    auto* c = fig.add(nat::commentaire,
                      std::make_unique<CCommentaire>(GetParam().comment, &fig.list, nullptr, 0, 0));
    EXPECT_EQ(c->text, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Geo2CommentFields,
    ::testing::Values(FieldCase{"x=#Val(a,2)", "x=3.14"}, FieldCase{"#Val(a)", "3.14"},
                      FieldCase{"#Val( a , 3 )", "3.142"}, FieldCase{"#Val(a,+)", "+3.14"},
                      FieldCase{"#Val(m,+)", "-2"}, FieldCase{"#Val(a,1,+)", "+3.1"},
                      FieldCase{"#Val(A,0)", "3"},  // names without regard to case
                      FieldCase{"y=#Val(b,2) z", "y=#Val(b,2) z"},
                      FieldCase{"y=#Val(a,2", "y=#Val(a,2"},
                      FieldCase{"#Val(#Val(a))", "#Val(3.14)"},
                      FieldCase{"#For(a)#Val(c,0)", "#For(a)6"},
                      FieldCase{"c=#For(c) ; #For(f)", "c=a * 2 ; x^2+1"},
                      FieldCase{"pas de champ", "pas de champ"},
                      // An undefined value shows nothing; a part that is no number means 0.
                      FieldCase{"[#Val(u)]", "[]"}, FieldCase{"#Val(a,abc)", "3"},
                      FieldCase{"#Val(", "#Val("}, FieldCase{"a#Val(a,2)b#Val(a,0)c", "a3.14b3c"}));

TEST_F(Geo2Displays, CommentDependsOnTheValuesItNames) {
    CVariableBornee* a = fig.addVariable("a", 1);
    CVariableBornee* b = fig.addVariable("b", 2);
    auto* c = fig.add(nat::commentaire,
                      std::make_unique<CCommentaire>("#Val(a)", &fig.list, nullptr, 0, 0));
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
    c->setName("C");
    c->setComment("l1\r\nl2");
    EXPECT_EQ(c->getDescription(),
              "Commentaire C\n      Texte du commentaire :\n      l1\n      l2");
}

// A host that decodes any non-empty file as a 30 x 20 pixel picture.
class PictureHost : public CHeadlessHost {
public:
    struct Picture : CPicture {
        LSize sizeInPixels() const override { return {30, 20}; }
    };
    std::unique_ptr<CPicture> decodePicture(const std::vector<uint8_t>& bytes) override {
        ++decodes;
        if (bytes.size() < 3) return nullptr;  // "not a picture"
        return std::make_unique<Picture>();
    }
    int decodes = 0;
};

class Geo2Images : public Geo2Displays {
protected:
    void SetUp() override {
        Geo2Displays::SetUp();
        previous_ = setHost(&host);
        dir = fs::temp_directory_path() / ("geo2_images_" + std::to_string(::getpid()));
        fs::create_directories(dir / "sub");
        std::ofstream(dir / "sub" / "pic.bmp") << "picture bytes";
        std::ofstream(dir / "bad.bmp") << "x";
        savedFolder_ = figureFolder();
    }
    void TearDown() override {
        setHost(previous_);
        setFigureFolder(savedFolder_);
        fs::remove_all(dir);
        Geo2Displays::TearDown();
    }
    PictureHost host;
    fs::path dir;

private:
    CHost* previous_ = nullptr;
    std::string savedFolder_;
};

TEST_F(Geo2Images, RelativePathAgainstTheFigureFolder) {
    setFigureFolder(dir.string());
    auto* img = fig.add(nat::image, std::make_unique<CImage>("/nowhere/pic.bmp", "sub/pic.bmp",
                                                             &fig.list, nullptr, 100, 100));
    EXPECT_TRUE(img->loaded);
    EXPECT_EQ(img->width, 300);
    EXPECT_EQ(img->height, 200);
    CRecordingDC dc;
    img->draw(&dc, true);
    EXPECT_EQ(img->box, (LRect{100, 100, 390, 290}));
    ASSERT_EQ(dc.opsOfKind("picture").size(), 1u);
    // Loaded once only.
    img->computePosition();
    EXPECT_EQ(host.decodes, 1);
    img->framed = true;
    img->draw(&dc, true);
    EXPECT_EQ(img->box, (LRect{90, 90, 400, 300}));
}

TEST_F(Geo2Images, AbsolutePathWhenTheRelativeOneFails) {
    setFigureFolder("/elsewhere");
    auto* img =
        fig.add(nat::image, std::make_unique<CImage>((dir / "sub" / "pic.bmp").string(),
                                                     "sub/pic.bmp", &fig.list, nullptr, 0, 0));
    EXPECT_TRUE(img->loaded);
}

TEST_F(Geo2Images, MissingOrUndecodableFileShowsThePlaceholder) {
    setFigureFolder(dir.string());
    for (const char* rel : {"absent.bmp", "bad.bmp"}) {
        auto* img =
            fig.add(nat::image, std::make_unique<CImage>("", rel, &fig.list, nullptr, 100, 100));
        EXPECT_TRUE(img->exists);
        EXPECT_FALSE(img->loaded);
        CRecordingDC dc;
        img->draw(&dc, true);
        auto texts = dc.opsOfKind("text");
        ASSERT_EQ(texts.size(), 3u) << rel;
        EXPECT_EQ(texts[0].text, "Fichier Image");
        EXPECT_EQ(texts[1].text, "non trouvé");
        EXPECT_EQ(texts[2].text, "ou non valide");
        EXPECT_EQ(img->box, img->placeholder->box);
        EXPECT_EQ(img->designationDistance(img->box.left, img->box.top, true), 0);
        // Moving the image moves its placeholder.
        img->translate(50, 0);
        img->draw(&dc, true);
        EXPECT_EQ(img->box.left, 150);
    }
}

TEST_F(Geo2Images, Texts) {
    CPointBase* p = fig.point(10, 10, "P");
    CImage img("/a/b.png", "b.png", &fig.list, p, 0, 0);
    EXPECT_EQ(img.getConstructionInfo(nullptr, nullptr, nullptr),
              "Affichage d'image\r\nChemin relatif d'accès : b.png (lié à un point)");
    EXPECT_EQ(img.getDescription(), "Affichage de l'image b.png\n      lié au point P");
}

}  // namespace
