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
    PictureHost host_;
    CHost* previousHost_ = nullptr;
    std::string previousFolder_;
    std::filesystem::path dir_;
};

// A missing one shows the placeholder and the figure still opens.
TEST_F(FigurePictures, RelativePictureIsFoundBesideTheFigureFile) {
    std::ofstream(dir_ / "dessin.png", std::ios::binary) << "octets";
    const std::string file = (dir_ / "figure.qvf").string();
    std::string reason;
    {
        CPelvantiDoc saved;
        saved.newFigure();
        // Stored with a folder that does not exist.
        for (const std::string name : {"dessin.png", "absent.png"})
            saved.addEntry(std::make_unique<CAction>(
                nat::image, std::make_unique<CImage>("/nulle/part/" + name, name, &saved.list(),
                                                     nullptr, 100.0, 100.0)));
        ASSERT_TRUE(saved.saveToFile(file, &reason)) << reason;
    }
    setFigureFolder("/ailleurs");
    CPelvantiDoc doc;
    ASSERT_TRUE(doc.loadFromFile(file, &reason)) << reason;
    doc.list().computeAll();
    auto* found = dynamic_cast<CImage*>(doc.list().elementAt(1));
    auto* missing = dynamic_cast<CImage*>(doc.list().elementAt(2));
    ASSERT_TRUE(found && missing);
    EXPECT_TRUE(found->loaded);
    EXPECT_EQ(found->width, 40);
    EXPECT_EQ(found->height, 30);
    EXPECT_FALSE(missing->loaded);
    EXPECT_NE(missing->placeholder, nullptr);
}

}  // namespace
