// Long loads and saves report their progress, never backwards and to the end; a file that
// claims more objects than it holds is refused before anything is allocated for them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "core/CProgress.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointAncetre.h"

namespace fs = std::filesystem;

namespace {

struct RecordedProgress : CProgress {
    std::vector<std::pair<uint64_t, uint64_t>> reports;
    void report(uint64_t done, uint64_t total) override { reports.emplace_back(done, total); }
};

// Enough entries for the archive to report along the way, not only at the end.
void buildPoints(CPelvantiDoc& doc, int n) {
    doc.newFigure();
    for (int i = 0; i < n; ++i)
        doc.list().append(
            new CAction(nat::pointLibre, std::make_unique<CPointBase>(10.0 * (i % 400), i / 40)));
    doc.rebuildGraphicList();
}

struct ProgressCase {
    const char* name;
    std::function<bool(CPelvantiDoc& figure, const fs::path& file, CProgress* p)> run;
};

class FigureProgress : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(FigureProgress, NeverGoesBackAndEndsAtTheTotal) {
    const fs::path file =
        fs::temp_directory_path() / ("korvendal-progress-" + std::to_string(::getpid()) + ".qvf");
    CPelvantiDoc figure;
    buildPoints(figure, 20000);
    std::string reason;
    ASSERT_TRUE(figure.saveToFile(file.string(), &reason)) << reason;
    RecordedProgress p;
    ASSERT_TRUE(GetParam().run(figure, file, &p));
    fs::remove(file);
    ASSERT_GE(p.reports.size(), 3u);
    for (size_t i = 1; i < p.reports.size(); ++i) {
        EXPECT_EQ(p.reports[i].second, p.reports[0].second);
        EXPECT_GE(p.reports[i].first, p.reports[i - 1].first) << "report " << i;
    }
    EXPECT_EQ(p.reports.back().first, p.reports.back().second);
    EXPECT_LT(p.reports.front().first, p.reports.front().second);
}

INSTANTIATE_TEST_SUITE_P(
    LoadAndSave, FigureProgress,
    ::testing::Values(ProgressCase{"save",
                                   [](CPelvantiDoc& figure, const fs::path& file, CProgress* p) {
                                       return figure.saveToFile(file.string(), nullptr, p);
                                   }},
                      ProgressCase{"loadIntoNewFigure",
                                   [](CPelvantiDoc&, const fs::path& file, CProgress* p) {
                                       CPelvantiDoc doc;
                                       doc.newFigure();
                                       return doc.loadFromFile(file.string(), nullptr, p);
                                   }},
                      // Read twice, so that a damaged file would leave the figure as it is.
                      ProgressCase{"loadOverAFigure",
                                   [](CPelvantiDoc& figure, const fs::path& file, CProgress* p) {
                                       return figure.loadFromFile(file.string(), nullptr, p) &&
                                              figure.list().count() == 20001;
                                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HugeFigures, AClaimedMillionEntriesCutShortIsRefusedAndTheFigureKept) {
    CPelvantiDoc small;
    buildPoints(small, 3);
    std::vector<uint8_t> bytes = small.saveToBytes();
    // The count of entries, a word, stands just before the first entry's class, "CAction".
    const char kClass[] = "CAction";
    auto name = std::search(bytes.begin(), bytes.end(), kClass, kClass + 7);
    ASSERT_NE(name, bytes.end());
    const auto at = name - bytes.begin() - 8;
    ASSERT_EQ(bytes[at], 4);  // "pi" and the three points
    for (uint32_t claimed : {1000000u, 0xFFFFFFFEu}) {
        // A larger count is written as 0xFFFF and a dword.
        std::vector<uint8_t> damaged(bytes.begin(), bytes.begin() + at);
        damaged.insert(damaged.end(), {0xFF, 0xFF});
        for (int k = 0; k < 4; ++k) damaged.push_back(static_cast<uint8_t>(claimed >> (8 * k)));
        damaged.insert(damaged.end(), bytes.begin() + at + 2, bytes.end() - 20);
        CPelvantiDoc doc;
        buildPoints(doc, 2);
        RecordedProgress p;
        std::string reason;
        EXPECT_FALSE(doc.loadFromBytes(damaged, &reason, &p));
        EXPECT_EQ(reason, "Le fichier annonce plus d'éléments qu'il n'en contient.");
        EXPECT_EQ(doc.list().count(), 3);
        EXPECT_TRUE(p.reports.empty() || p.reports.back().first < p.reports.back().second);
    }
}

}  // namespace
