// Saving never loses the previous file: a temporary file beside it, flushed, then renamed.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "DocTestObjects.h"
#include "document/CPelvantiDoc.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class SafeSave : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("korvendal-save-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    size_t filesIn(const fs::path& d) const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(d), {}));
    }
    fs::path dir_;
};

TEST_F(SafeSave, ReplacesAnOldFileKeepingItsPermissionsAndLeavesNoTemporary) {
    fs::path file = dir_ / "figure.qvf";
    std::ofstream(file) << "ancien contenu";
    ::chmod(file.c_str(), 0640);
    CPelvantiDoc doc;
    buildDocTestFigure(doc);
    doc.history().record("Créer");
    std::string reason;
    ASSERT_TRUE(doc.saveToFile(file.string(), &reason)) << reason;
    EXPECT_EQ(doc.saveToBytes(), fileBytes(file));
    struct stat st {};
    ASSERT_EQ(0, ::stat(file.c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);
    EXPECT_EQ(1u, filesIn(dir_));
    EXPECT_EQ(file.string(), doc.path);
    EXPECT_FALSE(doc.history().canUndo());
}

TEST_F(SafeSave, ThroughALinkReplacesTheLinkedFile) {
    fs::path real = dir_ / "vraie.qvf";
    fs::path link = dir_ / "lien.qvf";
    std::ofstream(real) << "x";
    fs::create_symlink(real, link);
    CPelvantiDoc doc;
    doc.newFigure();
    ASSERT_TRUE(doc.saveToFile(link.string(), nullptr));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(doc.saveToBytes(), fileBytes(real));
}

TEST_F(SafeSave, AFailedWriteLeavesTheOldFileUntouched) {
    fs::path file = dir_ / "figure.qvf";
    std::ofstream(file) << "ancien contenu";
    std::vector<uint8_t> old = fileBytes(file);
    CPelvantiDoc doc;
    buildDocTestFigure(doc);
    // A file size limit makes the write itself fail, as a full disk would.
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string reason;
    bool ok = doc.saveToFile(file.string(), &reason);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(ok);
    EXPECT_NE(std::string::npos, reason.find("Impossible d'enregistrer la figure")) << reason;
    EXPECT_EQ(old, fileBytes(file));
    EXPECT_EQ(1u, filesIn(dir_));
}

TEST_F(SafeSave, ImpossibleTargetsAreReported) {
    CPelvantiDoc doc;
    doc.newFigure();
    std::string reason;
    EXPECT_FALSE(doc.saveToFile((dir_ / "absent" / "f.qvf").string(), &reason));
    EXPECT_NE(std::string::npos, reason.find("introuvable")) << reason;
    fs::create_directory(dir_ / "dossier.qvf");
    EXPECT_FALSE(doc.saveToFile((dir_ / "dossier.qvf").string(), &reason));
    EXPECT_TRUE(doc.path.empty());
}

TEST_F(SafeSave, UnreadableFilesAreReported) {
    std::string reason;
    CPelvantiDoc doc;
    EXPECT_FALSE(doc.loadFromFile((dir_ / "absent.qvf").string(), &reason));
    EXPECT_NE(std::string::npos, reason.find("introuvable")) << reason;
    EXPECT_FALSE(doc.loadFromFile(dir_.string(), &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(1, doc.list().count());
}

}  // namespace
