#include "document/WebPageCode.h"

#include "calc/NumberFormat.h"

std::string fileNameOfPath(const std::string& path) {
    // Figures saved on either platform keep their folders in the path: both separators count.
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string buildWebPageCode(const std::string& path, LSize area) {
    const std::string q = "\"";
    std::string code = "<APPLET CODE=" + q + "Applet.AppletKorvendal32.class" + q;
    code += "\r\n    ARCHIVE = " + q + "AppletKorvendal32.jar" + q;
    code += "\r\n    WIDTH=" + formatNumber(area.cx / 10, 12, 0);
    code += "\r\n    HEIGHT=" + formatNumber(area.cy / 10, 12, 0) + ">";
    code += "\r\n    <PARAM NAME= Path VALUE = " + q + fileNameOfPath(path) + q + ">";
    code += "\r\n</APPLET>";
    return code;
}
