// Pictures of a figure are found next to the figure file, whatever folder was current before.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CAffichage.h"
#include "geometry/CPointAncetre.h"

namespace {

// Any non-empty file decodes into a 4 x 3 pixel picture.
class PictureHost : public CHeadlessHost {
public:
    struct Picture : CPicture {
        LSize sizeInPixels() const override { return {4, 3}; }
    };
    std::unique_ptr<CPicture> decodePicture(const std::vector<uint8_t>& bytes) override {
        return bytes.empty() ? nullptr : std::make_unique<Picture>();
    }
};

class FigurePictures : public ::testing::Test {
protected:
    void SetUp() override {
        previousHost_ = setHost(&host_);
        previousFolder_ = figureFolder();
        dir_ = std::filesystem::temp_directory_path() / "korvendal_pictures_test";
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        setHost(previousHost_);
        setFigureFolder(previousFolder_);
        std::filesystem::remove_all(dir_);
    }
    // Saves a figure holding the picture `file` (stored with a path that does not exist) into
    // the test folder, and reads it back into `doc` from elsewhere.
    CImage* reopenWithPicture(CPelvantiDoc& doc, const std::string& file) {
        std::string reason;
        {
            CPelvantiDoc saved;
            saved.newFigure();
            saved.addEntry(std::make_unique<CAction>(
                nat::image, std::make_unique<CImage>("/nulle/part/" + file, file, &saved.list(),
                                                     nullptr, 100.0, 100.0)));
            EXPECT_TRUE(saved.saveToFile((dir_ / "figure.qvf").string(), &reason)) << reason;
        }
        setFigureFolder("/ailleurs");
        doc.newFigure();
        EXPECT_TRUE(doc.loadFromFile((dir_ / "figure.qvf").string(), &reason)) << reason;
        doc.list().computeAll();
        for (CActionAncetre* e : doc.list().entries())
            if (auto* i = dynamic_cast<CImage*>(e->element)) return i;
        return nullptr;
    }

    PictureHost host_;
    CHost* previousHost_ = nullptr;
    std::string previousFolder_;
    std::filesystem::path dir_;
};

TEST_F(FigurePictures, RelativePictureIsFoundBesideTheFigureFile) {
    std::ofstream(dir_ / "dessin.png", std::ios::binary) << "octets";
    CPelvantiDoc doc;
    CImage* image = reopenWithPicture(doc, "dessin.png");
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->loaded);
    EXPECT_EQ(image->width, 40);
    EXPECT_EQ(image->height, 30);
}

TEST_F(FigurePictures, MissingPictureShowsThePlaceholderAndTheFigureStillOpens) {
    CPelvantiDoc doc;
    CImage* image = reopenWithPicture(doc, "absent.png");
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->loaded);
    ASSERT_NE(image->placeholder, nullptr);
}

}  // namespace
