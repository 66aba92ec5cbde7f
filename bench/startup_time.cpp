// Time from main() to the first exposed main window, offscreen, median of 10 starts of a
// fresh process each: the real main window (with its data modules) and, as the floor, a
// bare QMainWindow with one label.
//
//   bench_startup            runs both ten times and prints the medians and their ratio
//   bench_startup klw|bare   one start, prints its microseconds
//   bench_startup --x11 PROGRAM [ARGUMENTS...]
//                            on the X display in DISPLAY: from starting PROGRAM to the first
//                            top-level window it maps, against the same for the bare window
//                            (this program's "bare"), median of 10 starts each. PROGRAM is
//                            ended after each start. For the installed program, PROGRAM is
//                            its launcher, so the time includes setting up the user's folder.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "data/dm_sys.h"
#include "map_watch.h"
#include "output/dm_dat.h"
#include "window/tfklw.h"

namespace {

// Reports the time when the window is first exposed, then ends the run.
class ExposeWatch : public QObject {
public:
    explicit ExposeWatch(const QElapsedTimer& clock) : clock_(clock) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed() && !done_) {
            done_ = true;
            std::printf("%lld\n", static_cast<long long>(clock_.nsecsElapsed() / 1000));
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    const QElapsedTimer& clock_;
    bool done_ = false;
};

int oneStart(int argc, char* argv[], bool real, const QElapsedTimer& clock)
{
    QApplication app(argc, argv);
    ExposeWatch watch(clock);
    std::unique_ptr<klw::TDM_SYS> dmSys;
    std::unique_ptr<klw::TDM_DAT> dmDat;
    std::unique_ptr<QMainWindow> window;
    if (real) {
        dmSys = std::make_unique<klw::TDM_SYS>();
        dmDat = std::make_unique<klw::TDM_DAT>();
        window = std::make_unique<klw::TFKLW>(*dmSys, *dmDat);
    } else {
        window = std::make_unique<QMainWindow>();
        window->setCentralWidget(new QLabel(QStringLiteral("KLW")));
    }
    window->winId();  // creates the native window so that its expose can be watched
    window->windowHandle()->installEventFilter(&watch);
    window->show();
    return app.exec();
}

QProcessEnvironment withPlatform(const char* platform)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
    return env;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

double medianMilliseconds(const QString& variant)
{
    std::vector<double> times;
    for (int run = 0; run < 10; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.setProcessEnvironment(withPlatform("offscreen"));
        child.start(QCoreApplication::applicationFilePath(), {variant});
        child.waitForFinished(60000);
        times.push_back(QString::fromLatin1(child.readAllStandardOutput()).trimmed().toLongLong() / 1000.0);
    }
    return median(times);
}

// Milliseconds from starting the program to the first top-level window mapped on the
// display (a private display is assumed: any client's window counts), or -1 after 30 s.
double millisecondsToFirstMap(MapWatch& watch, const QString& program, const QStringList& arguments)
{
    watch.forget();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setProcessEnvironment(withPlatform("xcb"));
    QElapsedTimer clock;
    clock.start();
    child.start(program, arguments);
    const double elapsed = watch.waitForMap(30000) ? clock.nsecsElapsed() / 1e6 : -1;
    child.terminate();
    if (!child.waitForFinished(10000)) {
        child.kill();
        child.waitForFinished(10000);
    }
    return elapsed;
}

int compareOnX11(const QString& program, const QStringList& arguments)
{
    MapWatch watch;
    if (!watch.connected()) {
        std::fprintf(stderr, "bench_startup: cannot open the X display in DISPLAY\n");
        return 1;
    }
    std::vector<double> programTimes;
    std::vector<double> bareTimes;
    for (int run = 0; run < 10; ++run) {
        programTimes.push_back(millisecondsToFirstMap(watch, program, arguments));
        bareTimes.push_back(
            millisecondsToFirstMap(watch, QCoreApplication::applicationFilePath(), {QStringLiteral("bare")}));
        if (programTimes.back() < 0 || bareTimes.back() < 0) {
            std::fprintf(stderr, "bench_startup: no window within 30 s\n");
            return 1;
        }
    }
    const double programMs = median(programTimes);
    const double bareMs = median(bareTimes);
    std::printf("start to first mapped window, X11, median of 10 starts\n");
    std::printf("  %-26s %8.1f ms\n", qPrintable(program + QLatin1Char(':')), programMs);
    std::printf("  %-26s %8.1f ms\n", "bare QMainWindow + label:", bareMs);
    std::printf("  %-26s %8.2f\n", "ratio:", programMs / bareMs);
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer clock;
    clock.start();
    if (argc > 1 && (qstrcmp(argv[1], "klw") == 0 || qstrcmp(argv[1], "bare") == 0)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return oneStart(argc, argv, qstrcmp(argv[1], "klw") == 0, clock);
    }

    QCoreApplication app(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--x11") == 0) {
        const QStringList rest = app.arguments().mid(3);
        return compareOnX11(app.arguments().at(2), rest);
    }
    const double klw = medianMilliseconds(QStringLiteral("klw"));
    const double bare = medianMilliseconds(QStringLiteral("bare"));
    std::printf("main to first shown window, offscreen, median of 10 starts\n");
    std::printf("  KLW main window:           %8.1f ms\n", klw);
    std::printf("  bare QMainWindow + label:  %8.1f ms\n", bare);
    std::printf("  ratio:                     %8.2f\n", klw / bare);
    return 0;
}
