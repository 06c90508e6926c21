// Start-up: from launching the program to the first painted figure, with a new empty figure
// and with a figure of 10,000 objects named on the command line (CellFigure.h). The program runs
// offscreen over settings of its own and quits after that paint.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

#include "CellFigure.h"

namespace {

QString figureOf(const QTemporaryDir& dir, int objects) {
    CPelvantiDoc doc;
    doc.newFigure();
    buildCells(doc, objects);
    const QString file = dir.filePath(QStringLiteral("startup.qvf"));
    std::string reason;
    return doc.saveToFile(file.toStdString(), &reason) ? file : QString();
}

// Arg: objects of the figure on the command line; 0 starts on a new empty figure.
void firstPaint(benchmark::State& state) {
    QTemporaryDir dir;
    const int objects = static_cast<int>(state.range(0));
    QStringList args;
    if (objects > 0) args << figureOf(dir, objects);
    for (auto _ : state) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Preferences and recovery copies of this run stay out of the user's own.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        const auto launch = std::chrono::system_clock::now();
        env.insert(QStringLiteral("KORVENDAL_FIRST_PAINT_EXIT"),
                   QString::number(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                       launch.time_since_epoch())
                                       .count()));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(KORVENDAL_APP), args);
        if (!program.waitForFinished(60000) || program.exitCode() != 0) {
            state.SkipWithError("the program did not paint its figure and quit");
            return;
        }
        bool ok = false;
        const double ms = program.readAllStandardOutput().trimmed().toDouble(&ok);
        if (!ok) {
            state.SkipWithError("the program printed no time");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
    }
}
BENCHMARK(firstPaint)
    ->Arg(0)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
