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
    // Saves a figure holding the pictures `files` (stored with a path that does not exist)
    // into the test folder, and reads it back into `doc` from elsewhere.
    std::vector<CImage*> reopenWithPictures(CPelvantiDoc& doc,
                                            std::initializer_list<std::string> files) {
        std::string reason;
        {
            CPelvantiDoc saved;
            saved.newFigure();
            for (const std::string& file : files)
                saved.addEntry(std::make_unique<CAction>(
                    nat::image, std::make_unique<CImage>("/nulle/part/" + file, file, &saved.list(),
                                                         nullptr, 100.0, 100.0)));
            EXPECT_TRUE(saved.saveToFile((dir_ / "figure.qvf").string(), &reason)) << reason;
        }
        setFigureFolder("/ailleurs");
        doc.newFigure();
        EXPECT_TRUE(doc.loadFromFile((dir_ / "figure.qvf").string(), &reason)) << reason;
        doc.list().computeAll();
        std::vector<CImage*> images;
        for (CActionAncetre* e : doc.list().entries())
            if (auto* i = dynamic_cast<CImage*>(e->element)) images.push_back(i);
        return images;
    }

    PictureHost host_;
    CHost* previousHost_ = nullptr;
    std::string previousFolder_;
    std::filesystem::path dir_;
};

// A missing one shows the placeholder and the figure still opens.
TEST_F(FigurePictures, RelativePictureIsFoundBesideTheFigureFile) {
    std::ofstream(dir_ / "dessin.png", std::ios::binary) << "octets";
    CPelvantiDoc doc;
    std::vector<CImage*> images = reopenWithPictures(doc, {"dessin.png", "absent.png"});
    ASSERT_EQ(images.size(), 2u);
    EXPECT_TRUE(images[0]->loaded);
    EXPECT_EQ(images[0]->width, 40);
    EXPECT_EQ(images[0]->height, 30);
    EXPECT_FALSE(images[1]->loaded);
    EXPECT_NE(images[1]->placeholder, nullptr);
}

}  // namespace
