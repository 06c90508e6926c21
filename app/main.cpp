// Entry point: the picture export and the command-line commands, then the application.
#include <QApplication>
#include <QStringList>
#include <iostream>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/Desktop.h"
#include "app/ExportCommand.h"
#include "tools/cli/CommandLine.h"
#include "view/CQtHost.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The export draws with Qt, which the window-less commands do not link: it is recognised
    // before them, as they refuse options they do not know.
    if (isExportCommand(args)) return exportMain(argc, argv, args);
    int status = runCommandLine(args, std::cout, std::cerr);
    if (status >= 0) return status;

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ovrane"));
    QApplication::setApplicationName(QStringLiteral("Korvendal32"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("korvendal32"));
    installFrenchTranslations(app);

    CQtHost qtHost;
    setHost(&qtHost);
    int result;
    {
        CMainFrame frame;
        qtHost.setParentWindow(&frame);
        // Shown first, so that figure windows are sized to the room they get.
        frame.show();
        // A figure named on the command line, or a new empty one.
        QStringList files = QApplication::arguments().mid(1);
        bool opened = false;
        for (const QString& f : files)
            if (!f.startsWith('-') && frame.openFile(f)) opened = true;
        if (!opened) frame.newFigure();
        result = app.exec();
        qtHost.setParentWindow(nullptr);
    }
    setHost(nullptr);
    return result;
}
