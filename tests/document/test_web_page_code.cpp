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

TEST(WebPageCode, FileNameIsWhatFollowsTheLastSeparatorOfEitherKind) {
    for (auto [path, name] : {std::pair{"C:\\a/b\\c.qvf", "c.qvf"},
                              {"D:/a\\b/d.qvf", "d.qvf"},
                              {"seul.qvf", "seul.qvf"},
                              {"dossier/", ""}})
        EXPECT_EQ(fileNameOfPath(path), name);
}

TEST(WebPageCode, SizeIsTruncatedToWholePixels) {
    const std::string code = buildWebPageCode("f.qvf", {6419, 4809});
    EXPECT_NE(code.find("WIDTH=641\r\n    HEIGHT=480>"), std::string::npos) << code;
}
