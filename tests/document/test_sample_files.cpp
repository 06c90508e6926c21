// The sample files of tests/data/figures: the valid ones (written by the program, or by hand
// following the format) open and save back stably; the damaged ones are refused with a reason.
// The figure written by the program itself (construction.qvf) is a regression file: the
// format of each class is the contract suite's (tests/contract).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointAncetre.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFigures = fs::path(KORVENDAL_TEST_DATA) / "figures";

std::vector<uint8_t> fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> filesIn(const fs::path& dir) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& e : fs::directory_iterator(dir, error))
        if (e.path().extension() == ".qvf") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The figure of most object classes that the program wrote.
bool loadConstruction(CPelvantiDoc& doc) {
    std::string reason;
    const bool ok = doc.loadFromFile((kFigures / "valid" / "construction.qvf").string(), &reason);
    EXPECT_TRUE(ok) << reason;
    doc.history().resetHistory();
    return ok;
}

class ValidSample : public ::testing::TestWithParam<std::string> {};

TEST_P(ValidSample, OpensAndSavesBackStably) {
    CHeadlessHost host;
    setHost(&host);
    fs::path file = kFigures / "valid" / GetParam();
    std::vector<uint8_t> bytes = fileBytes(file);
    CPelvantiDoc doc;
    std::string reason;
    ASSERT_TRUE(doc.loadFromFile(file.string(), &reason)) << reason;
    doc.list().computeAll();
    std::vector<uint8_t> saved = doc.saveToBytes();
    // A file of the current version is written back byte for byte.
    const bool current = bytes.size() > 20 &&
                         std::memcmp(bytes.data(), "Korvendal32Vers2", 16) == 0 && bytes[16] == 3;
    EXPECT_EQ(current ? bytes : saved, saved);
    CPelvantiDoc again;
    ASSERT_TRUE(again.loadFromBytes(saved, &reason)) << reason;
    EXPECT_EQ(saved, again.saveToBytes());
    setHost(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Figures, ValidSample, ::testing::ValuesIn(filesIn(kFigures / "valid")),
                         [](const auto& info) { return fs::path(info.param).stem().string(); });

class DamagedSample : public ::testing::TestWithParam<std::string> {};

TEST_P(DamagedSample, IsRefusedWithAReasonAndLeavesTheFigureAsItWas) {
    const std::string file = (kFigures / "damaged" / GetParam()).string();
    CPelvantiDoc doc;
    ASSERT_TRUE(loadConstruction(doc));
    const std::vector<uint8_t> before = doc.saveToBytes();
    const int drawn = doc.graphicList().count();
    std::string reason;
    EXPECT_FALSE(doc.loadFromFile(file, &reason));
    EXPECT_NE(std::string::npos, reason.find(GetParam())) << reason;
    EXPECT_EQ(before, doc.saveToBytes());
    EXPECT_EQ(drawn, doc.graphicList().count());
    CPelvantiDoc fresh;
    EXPECT_FALSE(fresh.loadFromFile(file, &reason));
    ASSERT_EQ(1, fresh.list().count());
    EXPECT_EQ(nat::calcul, fresh.list().entryAt(0)->nature);
    EXPECT_TRUE(fresh.path.empty());
}

INSTANTIATE_TEST_SUITE_P(Figures, DamagedSample, ::testing::ValuesIn(filesIn(kFigures / "damaged")),
                         [](const auto& info) { return fs::path(info.param).stem().string(); });

TEST(SampleFiles, EarliestFormatFigure) {
    CPelvantiDoc doc;
    std::string reason;
    ASSERT_TRUE(doc.loadFromFile((kFigures / "valid" / "earliest.qvf").string(), &reason))
        << reason;
    EXPECT_EQ((LSize{508, 228}), doc.windowSize);  // client area 500 x 200
    EXPECT_TRUE(doc.dynamicSurfaces);
    EXPECT_EQ(1, doc.list().angleUnit);
    ASSERT_EQ(4, doc.list().count());
    doc.list().computeAll();
    EXPECT_EQ("A", dynamic_cast<CPointBase&>(*doc.list().elementAt(1)).getName());
    auto& m = dynamic_cast<CMilieu&>(*doc.list().elementAt(3));
    EXPECT_TRUE(m.exists);
    EXPECT_DOUBLE_EQ(2000.0, m.x);
    EXPECT_DOUBLE_EQ(1250.0, m.y);
}

TEST(SampleFiles, UndoOfADeletionGivesBackTheSameFigure) {
    CPelvantiDoc doc;
    ASSERT_TRUE(loadConstruction(doc));
    std::vector<uint8_t> before = doc.saveToBytes();
    // Point A, with most of the figure.
    doc.deleteWithDependents(doc.list().elementAt(2));
    doc.history().record("Supprimer");
    EXPECT_LT(doc.list().count(), 10);
    ASSERT_TRUE(doc.history().undo());
    EXPECT_EQ(before, doc.saveToBytes());
    ASSERT_TRUE(doc.history().redo());
    EXPECT_FALSE(doc.history().canRedo());
}

TEST(SampleFiles, EveryTruncationOfTheConstructionIsRefused) {
    CPelvantiDoc doc;
    ASSERT_TRUE(loadConstruction(doc));
    std::vector<uint8_t> bytes = doc.saveToBytes();
    for (size_t n = 0; n < bytes.size(); ++n) {
        CPelvantiDoc cut;
        std::string reason;
        EXPECT_FALSE(cut.loadFromBytes(
            std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)), &reason))
            << n;
        EXPECT_FALSE(reason.empty()) << n;
    }
}

}  // namespace
