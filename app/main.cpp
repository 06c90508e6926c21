// Entry point: the picture export and the command-line commands, then the application.
#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CRecovery.h"
#include "app/Desktop.h"
#include "app/ExportCommand.h"
#include "app/WebPageCommands.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointAncetre.h"
#include "tools/cli/CommandLine.h"
#include "view/CPelvantiView.h"
#include "view/CQtHost.h"

namespace {
// Test hook for the recovery: KORVENDAL_TEST_CHANGES=n places n free points, one every 20 ms,
// in the active figure, each recorded as a user's construction is.
void placeTestPoints(CMainFrame& frame, int n) {
    auto* timer = new QTimer(&frame);
    QObject::connect(timer, &QTimer::timeout, &frame, [&frame, timer, n, placed = 0]() mutable {
        CPelvantiView* v = frame.activeView();
        if (!v || placed == n) return timer->stop();
        ++placed;
        v->document()->addEntry(std::make_unique<CAction>(
            nat::pointLibre, std::make_unique<CPointBase>(300.0 * placed, 1000.0)));
        v->document()->history().record("Créer point libre");
        v->recomputeAndRedraw();
    });
    timer->start(20);
}

// Start-up measure (bench/bench_qt_startup): KORVENDAL_FIRST_PAINT_EXIT holds the launch time
// in nanoseconds since the epoch; once a figure has been painted the first time, the program
// prints the milliseconds since then and quits.
class FirstPaintExit : public QObject {
public:
    explicit FirstPaintExit(qint64 launchNs) : launchNs_(launchNs) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_ && qobject_cast<CPelvantiView*>(watched)) {
            seen_ = true;
            // After the paint itself: the timer runs once the event has been handled.
            QTimer::singleShot(0, this, [this] {
                const qint64 now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                       std::chrono::system_clock::now().time_since_epoch())
                                       .count();
                std::cout << (now - launchNs_) / 1000000.0 << std::endl;
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    qint64 launchNs_;
    bool seen_ = false;
};
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The export draws with Qt, which the window-less commands do not link: it is recognised
    // before them, as they refuse options they do not know.
    if (isExportCommand(args)) return exportMain(argc, argv, args);
    if (int web = runWebPageCommand(args, std::cout, std::cerr); web >= 0) return web;
    int status = runCommandLine(args, std::cout, std::cerr);
    if (status >= 0) return status;

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ovrane"));
    QApplication::setApplicationName(QStringLiteral("Korvendal32"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("korvendal32"));
    installFrenchTranslations(app);

    std::optional<FirstPaintExit> firstPaint;
    if (const QByteArray launch = qgetenv("KORVENDAL_FIRST_PAINT_EXIT"); !launch.isEmpty()) {
        firstPaint.emplace(launch.toLongLong());
        app.installEventFilter(&*firstPaint);
    }

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
        // Figures of a session that did not end are offered back.
        const int interval = qEnvironmentVariableIntValue("KORVENDAL_RECOVERY_INTERVAL_MS");
        CRecovery recovery(frame, CRecovery::defaultFolder(),
                           interval > 0 ? interval : CRecovery::kDefaultInterval);
        if (recovery.offerRestore() > 0) opened = true;
        if (!opened) frame.newFigure();
        if (int n = qEnvironmentVariableIntValue("KORVENDAL_TEST_CHANGES"); n > 0)
            placeTestPoints(frame, n);
        result = app.exec();
        recovery.finish();
        qtHost.setParentWindow(nullptr);
    }
    setHost(nullptr);
    return result;
}
