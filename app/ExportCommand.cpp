#include "app/ExportCommand.h"

#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <iostream>
#include <regex>

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "view/CFigureRenderer.h"
#include "view/CQtHost.h"

namespace {
// Messages go to the error stream; pictures are decoded.
class CExportHost : public CHeadlessHost {
public:
    explicit CExportHost(std::ostream& err) : err_(err) {}
    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        err_ << text << "\n";
        return CHeadlessHost::messageBox(text, caption, flags);
    }
    std::unique_ptr<CPicture> decodePicture(const std::vector<uint8_t>& bytes) override {
        return decodePictureBytes(bytes);
    }

private:
    std::ostream& err_;
};

const char* const kExportUsage =
    "Utilisation : korvendal32 --export FIGURE.qvf IMAGE.(png|svg|pdf) [--size LxH]\n";
}  // namespace

bool isExportCommand(const std::vector<std::string>& args) {
    return !args.empty() && args[0] == "--export";
}

int runExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!isExportCommand(args)) return -1;
    if (args.size() != 3 && !(args.size() == 5 && args[3] == "--size")) {
        err << kExportUsage;
        return 2;
    }
    QSize size;
    if (args.size() == 5) {
        std::smatch m;
        static const std::regex re("([0-9]{1,5})[xX]([0-9]{1,5})");
        if (!std::regex_match(args[4], m, re) || std::stoi(m[1]) == 0 || std::stoi(m[2]) == 0) {
            err << "Dimensions incorrectes : « " << args[4] << " » (exemple : 800x600).\n";
            return 2;
        }
        size = QSize(std::stoi(m[1]), std::stoi(m[2]));
    }
    CExportHost exportHost(err);
    CHost* previous = setHost(&exportHost);
    int status = 0;
    {
        CPelvantiDoc doc;
        doc.newFigure();
        std::string reason;
        if (!doc.loadFromFile(args[1], &reason)) {
            err << reason << "\n";
            status = 1;
        } else {
            setActiveDrawingArea(figureArea(doc));
            doc.list().computeAll();
            QString why;
            if (!exportFigure(doc, QString::fromStdString(args[2]), size, &why)) {
                err << why.toStdString() << "\n";
                status = 1;
            } else {
                out << "Image écrite : " << args[2] << "\n";
            }
        }
    }
    setHost(previous);
    return status;
}

int exportMain(int argc, char** argv, const std::vector<std::string>& args) {
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
        !std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return runExportCommand(args, std::cout, std::cerr);
}
