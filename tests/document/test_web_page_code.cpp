// The applet code of a saved figure: the fragment byte for byte, the file name cut after the
// last folder separator of either kind, the size in whole pixels.
#include <gtest/gtest.h>

#include "document/WebPageCode.h"

TEST(WebPageCode, FragmentByteForByte) {
    EXPECT_EQ(buildWebPageCode("C:\\cours\\triangle.qvf", {6000, 4000}),
              "<APPLET CODE=\"Applet.AppletKorvendal32.class\"\r\n"
              "    ARCHIVE = \"AppletKorvendal32.jar\"\r\n"
              "    WIDTH=600\r\n"
              "    HEIGHT=400>\r\n"
              "    <PARAM NAME= Path VALUE = \"triangle.qvf\">\r\n"
              "</APPLET>");
}

struct PathCase {
    const char* path;
    const char* name;
};

class WebPageFileName : public ::testing::TestWithParam<PathCase> {};

TEST_P(WebPageFileName, IsWhatFollowsTheLastSeparator) {
    EXPECT_EQ(fileNameOfPath(GetParam().path), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Separators, WebPageFileName,
                         ::testing::Values(PathCase{"C:\\a/b\\c.qvf", "c.qvf"},
                                           PathCase{"D:/a\\b/d.qvf", "d.qvf"},
                                           PathCase{"seul.qvf", "seul.qvf"},
                                           PathCase{"dossier/", ""}));

TEST(WebPageCode, SizeIsTruncatedToWholePixels) {
    const std::string code = buildWebPageCode("f.qvf", {6419, 4809});
    EXPECT_NE(code.find("WIDTH=641\r\n    HEIGHT=480>"), std::string::npos) << code;
}
