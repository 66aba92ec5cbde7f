// Time from main() to the first exposed main window, offscreen, median of 10 starts of a
// fresh process each: the real main window (with its data modules) and, as the floor, a
// bare QMainWindow with one label.
//
//   bench_startup            runs both ten times and prints the medians and their ratio
//   bench_startup klw|bare   one start, prints its microseconds

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
#include "output/dm_dat.h"
#include "sheet/tfklw.h"

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
        window = std::make_unique<klw::TFKLW>(dmSys.get(), dmDat.get());
    } else {
        window = std::make_unique<QMainWindow>();
        window->setCentralWidget(new QLabel(QStringLiteral("KLW")));
    }
    window->winId();  // creates the native window so that its expose can be watched
    window->windowHandle()->installEventFilter(&watch);
    window->show();
    return app.exec();
}

double medianMilliseconds(const QString& variant)
{
    std::vector<double> times;
    for (int run = 0; run < 10; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(), {variant});
        child.waitForFinished(60000);
        times.push_back(QString::fromLatin1(child.readAllStandardOutput()).trimmed().toLongLong() / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return (times[4] + times[5]) / 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer clock;
    clock.start();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && (qstrcmp(argv[1], "klw") == 0 || qstrcmp(argv[1], "bare") == 0))
        return oneStart(argc, argv, qstrcmp(argv[1], "klw") == 0, clock);

    QCoreApplication app(argc, argv);
    const double klw = medianMilliseconds(QStringLiteral("klw"));
    const double bare = medianMilliseconds(QStringLiteral("bare"));
    std::printf("main to first shown window, offscreen, median of 10 starts\n");
    std::printf("  KLW main window:           %8.1f ms\n", klw);
    std::printf("  bare QMainWindow + label:  %8.1f ms\n", bare);
    std::printf("  ratio:                     %8.2f\n", klw / bare);
    return 0;
}
