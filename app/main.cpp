// Entry point: command-line commands first, then the picture export, then the application.
#include <QApplication>
#include <QStringList>
#include <iostream>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/ExportCommand.h"
#include "tools/cli/CommandLine.h"
#include "view/CQtHost.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int status = runCommandLine(args, std::cout, std::cerr);
    if (status >= 0) return status;
    if (isExportCommand(args)) return exportMain(argc, argv, args);

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ovrane"));
    QApplication::setApplicationName(QStringLiteral("Korvendal32"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));

    CQtHost qtHost;
    setHost(&qtHost);
    int result;
    {
        CMainFrame frame;
        qtHost.setParentWindow(&frame);
        // A figure named on the command line, or a new empty one.
        QStringList files = QApplication::arguments().mid(1);
        bool opened = false;
        for (const QString& f : files)
            if (!f.startsWith('-') && frame.openFile(f)) opened = true;
        if (!opened) frame.newFigure();
        frame.show();
        result = app.exec();
        qtHost.setParentWindow(nullptr);
    }
    setHost(nullptr);
    return result;
}
