// Command-line commands: describe and resave figure files, with clear failures; the help
// lists every command.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "calc/Parser.h"
#include "document/CPelvantiDoc.h"
#include "tools/cli/CommandLine.h"
#include "values/CCalcul.h"

namespace fs = std::filesystem;

namespace {

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("korvendal-cli-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    int run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return runCommandLine(args, out_, err_);
    }
    // A figure in degrees with cos(90) and tan(90) after pi.
    std::string newFigureFile(const std::string& name) {
        CPelvantiDoc doc;
        doc.newFigure();
        doc.windowSize = {640, 480};
        doc.list().setAngleUnit(1);
        for (const char* formula : {"cos(90)", "tan(90)"}) {
            auto c = std::make_unique<CCalcul>("c" + std::to_string(doc.list().count()), formula);
            c->tree = buildRealTree(doc.list(), formula);
            doc.addEntry(std::make_unique<CAction>(nat::calcul, std::move(c)));
        }
        std::string file = (dir_ / name).string();
        EXPECT_TRUE(doc.saveToFile(file, nullptr));
        return file;
    }
    fs::path dir_;
    std::ostringstream out_, err_;
};

TEST_F(CommandLine, HelpListsEveryCommandTheReadmeNames) {
    ASSERT_EQ(0, run({"--help"}));
    const std::string help = out_.str();
    std::ifstream readme(std::string(KORVENDAL_TEST_DATA) + "/../../README.md");
    ASSERT_TRUE(readme) << "README.md next to the sources";
    const std::string text((std::istreambuf_iterator<char>(readme)), {});
    const std::regex command("`korvendal32 (--[a-z]+)");
    int named = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), command), end; it != end; ++it) {
        ++named;
        EXPECT_NE(std::string::npos, help.find((*it)[1].str())) << (*it)[1].str();
    }
    EXPECT_GE(named, 4);
}

// In degrees a user reads an exact value at a right angle, an undefined tangent, no "nan".
TEST_F(CommandLine, DescribePrintsTheHeaderAndOneLinePerObject) {
    std::string file = newFigureFile("pi.qvf");
    ASSERT_EQ(0, run({"--describe", file})) << err_.str();
    std::string text = out_.str();
    EXPECT_NE(std::string::npos, text.find("Version du format : 3\n"));
    EXPECT_NE(std::string::npos, text.find("Taille de la fenêtre : 640 x 480\n"));
    EXPECT_NE(std::string::npos, text.find("Objets : 3\n"));
    EXPECT_NE(std::string::npos,
              text.find("0\tCCalcConst\tConstante prédéfinie pi / pi = 3.14159265358979323846\t"
                        "existe\tvaleur = 3.14159265359\n"))
        << text;
    const size_t cos90 = text.find("1\tCCalcul\t"), tan90 = text.find("2\tCCalcul\t");
    ASSERT_NE(std::string::npos, tan90) << text;
    EXPECT_NE(std::string::npos, text.find("\tvaleur = 0\n", cos90)) << text;
    EXPECT_NE(std::string::npos, text.find("n'existe pas", tan90)) << text;
    EXPECT_EQ(std::string::npos, text.find("nan"));
}

TEST_F(CommandLine, DescribeRefusesADamagedFileWithTheReason) {
    std::string file = newFigureFile("cut.qvf");
    fs::resize_file(file, 60);
    EXPECT_EQ(1, run({"--describe", file}));
    EXPECT_NE(std::string::npos, err_.str().find("tronqué")) << err_.str();
    EXPECT_TRUE(out_.str().empty());
    std::ofstream(file, std::ios::trunc) << "Ceci est un texte.\n";
    EXPECT_EQ(1, run({"--describe", file}));
    EXPECT_NE(std::string::npos,
              err_.str().find("n'est pas une figure de Korvendal32 (format non reconnu)"))
        << err_.str();
    EXPECT_EQ(1, run({"--describe", (dir_ / "absent.qvf").string()}));
    EXPECT_FALSE(err_.str().empty());
}

TEST_F(CommandLine, ResaveWritesTheSameBytesAndNothingForADamagedFile) {
    std::string in = newFigureFile("in.qvf");
    std::string out = (dir_ / "out.qvf").string();
    ASSERT_EQ(0, run({"--resave", in, out})) << err_.str();
    auto bytes = [](const std::string& file) {
        std::ifstream f(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    EXPECT_EQ(bytes(in), bytes(out));
    std::ofstream(in, std::ios::trunc) << "TessalinorFigure";
    fs::remove(out);
    EXPECT_EQ(1, run({"--resave", in, out}));
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CommandLine, WrongUseIsReportedAndNoCommandStartsTheApplication) {
    EXPECT_EQ(-1, run({}));
    EXPECT_EQ(-1, run({"figure.qvf"}));
    EXPECT_EQ(2, run({"--describe"}));
    EXPECT_EQ(2, run({"--resave", "a.qvf"}));
    EXPECT_EQ(2, run({"--inconnu"}));
    EXPECT_NE(std::string::npos, err_.str().find("--inconnu"));
}

}  // namespace
