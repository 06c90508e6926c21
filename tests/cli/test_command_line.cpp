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
    std::string newFigureFile(const std::string& name) {
        CPelvantiDoc doc;
        doc.newFigure();
        doc.windowSize = {640, 480};
        std::string file = (dir_ / name).string();
        EXPECT_TRUE(doc.saveToFile(file, nullptr));
        return file;
    }
    fs::path dir_;
    std::ostringstream out_, err_;
};

TEST_F(CommandLine, NoCommandStartsTheApplication) {
    EXPECT_EQ(-1, run({}));
    EXPECT_EQ(-1, run({"figure.qvf"}));
}

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

TEST_F(CommandLine, TextFileRenamedAsAFigureIsNotAFigure) {
    const std::string file = (dir_ / "notes.qvf").string();
    std::ofstream(file) << "Ceci est un texte.\n";
    EXPECT_EQ(1, run({"--describe", file}));
    EXPECT_NE(std::string::npos,
              err_.str().find("n'est pas une figure de Korvendal32 (format non reconnu)"))
        << err_.str();
    std::ofstream(file, std::ios::trunc) << "ok\n";
    EXPECT_EQ(1, run({"--describe", file}));
    EXPECT_EQ(std::string::npos, err_.str().find("tronqué")) << err_.str();
}

TEST_F(CommandLine, DescribePrintsTheHeaderAndOneLinePerObject) {
    std::string file = newFigureFile("pi.qvf");
    ASSERT_EQ(0, run({"--describe", file})) << err_.str();
    std::string text = out_.str();
    EXPECT_NE(std::string::npos, text.find("Version du format : 3\n"));
    EXPECT_NE(std::string::npos, text.find("Taille de la fenêtre : 640 x 480\n"));
    EXPECT_NE(std::string::npos, text.find("Objets : 1\n"));
    EXPECT_NE(std::string::npos, text.find("0\tCCalcConst\t"));
    EXPECT_NE(std::string::npos,
              text.find("Constante prédéfinie pi / pi = 3.14159265358979323846\texiste\tvaleur = "
                        "3.14159265359\n"))
        << text;
}

TEST_F(CommandLine, DescribeRefusesADamagedFileWithTheReason) {
    std::string file = newFigureFile("cut.qvf");
    fs::resize_file(file, 60);
    EXPECT_EQ(1, run({"--describe", file}));
    EXPECT_NE(std::string::npos, err_.str().find("tronqué")) << err_.str();
    EXPECT_TRUE(out_.str().empty());
    EXPECT_EQ(1, run({"--describe", (dir_ / "absent.qvf").string()}));
    EXPECT_FALSE(err_.str().empty());
}

TEST_F(CommandLine, ResaveWritesTheSameBytes) {
    std::string in = newFigureFile("in.qvf");
    std::string out = (dir_ / "out.qvf").string();
    ASSERT_EQ(0, run({"--resave", in, out})) << err_.str();
    std::ifstream a(in, std::ios::binary), b(out, std::ios::binary);
    std::string bytesA((std::istreambuf_iterator<char>(a)), {});
    std::string bytesB((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(bytesA, bytesB);
}

TEST_F(CommandLine, ResaveOfADamagedFileWritesNothing) {
    std::string bad = (dir_ / "bad.qvf").string();
    std::ofstream(bad) << "TessalinorFigure";
    std::string out = (dir_ / "out.qvf").string();
    EXPECT_EQ(1, run({"--resave", bad, out}));
    EXPECT_FALSE(fs::exists(out));
}

// What a user reads of a figure's calculations in degrees: exact values at right angles, an
// undefined tangent, no "nan" anywhere.
TEST_F(CommandLine, DescribeShowsExactDegreeValues) {
    CPelvantiDoc doc;
    doc.newFigure();
    doc.list().setAngleUnit(1);
    for (const char* formula : {"cos(90)", "tan(90)", "sin(180)+cos(3600000000)", "Th(200)"}) {
        auto c = std::make_unique<CCalcul>("c" + std::to_string(doc.list().count()), formula);
        c->tree = buildRealTree(doc.list(), formula);
        doc.addEntry(std::make_unique<CAction>(nat::calcul, std::move(c)));
    }
    const std::string file = (dir_ / "degrees.qvf").string();
    ASSERT_TRUE(doc.saveToFile(file, nullptr));
    ASSERT_EQ(0, run({"--describe", file})) << err_.str();
    std::istringstream lines(out_.str());
    std::vector<std::string> calcs;
    for (std::string line; std::getline(lines, line);)
        if (line.find("\tCCalcul\t") != std::string::npos) calcs.push_back(line);
    ASSERT_EQ(calcs.size(), 4u) << out_.str();
    EXPECT_TRUE(calcs[0].ends_with("valeur = 0")) << calcs[0];
    EXPECT_NE(calcs[1].find("n'existe pas"), std::string::npos) << calcs[1];
    EXPECT_TRUE(calcs[2].ends_with("valeur = 1")) << calcs[2];
    EXPECT_TRUE(calcs[3].ends_with("valeur = 1")) << calcs[3];
    EXPECT_EQ(out_.str().find("nan"), std::string::npos);
}

TEST_F(CommandLine, WrongUseIsReported) {
    EXPECT_EQ(2, run({"--describe"}));
    EXPECT_EQ(2, run({"--resave", "a.qvf"}));
    EXPECT_EQ(2, run({"--inconnu"}));
    EXPECT_NE(std::string::npos, err_.str().find("--inconnu"));
}

}  // namespace
