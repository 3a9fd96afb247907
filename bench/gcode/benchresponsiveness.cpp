// How long the GUI thread's event loop stalls while the B2 photograph job is
// generated: a 10 ms timer ticks on the GUI thread and the longest gap
// between two ticks is printed, for generation in the worker thread and, for
// comparison, on the GUI thread itself. Usage: bench-responsiveness
#include "benchsupport.h"
#include "gcode/jobcontroller.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>

using namespace BenchSupport;

namespace {

// Ticks every 10 ms and keeps the longest gap between ticks.
class TickWatch
{
public:
    TickWatch()
    {
        mTimer.setTimerType(Qt::PreciseTimer);
        mTimer.setInterval(10);
        QObject::connect(&mTimer, &QTimer::timeout, [this] {
            mLongest = qMax(mLongest, mClock.nsecsElapsed());
            mClock.restart();
            ++mTicks;
        });
    }
    void start()
    {
        mLongest = 0;
        mTicks = 0;
        mClock.start();
        mTimer.start();
    }
    void stop()
    {
        mLongest = qMax(mLongest, mClock.nsecsElapsed());
        mTimer.stop();
    }
    double longestMs() const { return mLongest / 1e6; }
    int ticks() const { return mTicks; }

private:
    QTimer mTimer;
    QElapsedTimer mClock;
    qint64 mLongest = 0;
    int mTicks = 0;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    QGuiApplication application(argc, argv);
    quietDebugOutput();
    const QString svg = photographDesign();
    std::printf("B2 100 x 100 mm photograph, gray, 0.05 mm: longest GUI event loop stall "
                "(target < 50 ms in the worker)\n");

    JobController jobs;
    TickWatch watch;
    QEventLoop loop;
    QObject::connect(&jobs, &JobController::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    watch.start();
    jobs.generateAsync(svg, DefaultParameters());
    loop.exec();
    watch.stop();
    const double workerSeconds = timer.nsecsElapsed() / 1e9;
    const int workerRecords = jobs.job().size();
    std::printf("  worker thread:  %8.3f s, %d records, %d ticks, longest stall %7.1f ms\n",
                workerSeconds, workerRecords, watch.ticks(), watch.longestMs());
    const bool ok = watch.longestMs() < 50;

    // On the GUI thread no tick comes until the job is done.
    jobs.clearJob();
    timer.restart();
    watch.start();
    QTimer::singleShot(20, [&] {
        jobs.generate(svg, DefaultParameters());
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
    });
    loop.exec();
    watch.stop();
    std::printf("  GUI thread:     %8.3f s, %d records, %d ticks, longest stall %7.1f ms\n",
                timer.nsecsElapsed() / 1e9, jobs.job().size(), watch.ticks(), watch.longestMs());
    std::printf("  worker stall %s the 50 ms target\n", ok ? "within" : "OVER");
    return ok && workerRecords == jobs.job().size() ? 0 : 1;
}
