// While a job goes to the engraver emulator through the relay and the device
// thread, a 5 ms timer in the GUI thread measures the longest event-loop stall,
// and the transfer bar's updates are timed. Run by hand:
//   QT_QPA_PLATFORM=offscreen bench-panels [line-records] [part-megabytes]
#include "canvas/svgview.h"
#include "device/lowergrbl.h"
#include "panels/itemproperty.h"
#include "panels/loweroperatepanel.h"
#include "panels/panelrelay.h"

#include "benchsupport.h"
#include "engraveremulator.h"
#include "jobfixtures.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

struct Figures
{
    double seconds = 0;
    double idleStallMs = 0;         // the same timer with no job: the machine's own noise
    double longestStallMs = 0;
    double longestBarGapMs = 0;
    int barUpdates = 0;
    bool finished = false;
};

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (condition())
            return true;
    }
    return false;
}

Figures run(const EngraverEmulator::Options &options, const QList<GCodeBuffer> &job)
{
    Figures figures;
    EngraverEmulator emulator(options);
    if (!emulator.start())
        return figures;
    QThread thread;
    auto *grbl = new LowerGrbl;
    grbl->restrictSearchTo({emulator.portName()});
    grbl->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, grbl, &QObject::deleteLater);
    thread.start();
    SVGView view;
    ItemProperty properties;
    LowerOperatePanel operate;
    PanelRelay relay(&view, &properties, &operate, grbl);
    operate.show();
    operate.restoreSavedValues();
    operate.findChild<QPushButton *>("connect")->click();
    if (!waitFor([&] { return operate.isConnected()
                       && operate.findChild<QDoubleSpinBox *>("maxSpeedX")->value() > 100; }, 15000)) {
        std::printf("  no connection\n");
        return figures;
    }

    auto *bar = operate.findChild<QProgressBar *>("transfer");
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 lastBar = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        figures.longestStallMs = qMax(figures.longestStallMs, (now - lastTick) / 1e6);
        lastTick = now;
    });
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        const qint64 now = clock.nsecsElapsed();
        // The gaps while the job runs; the last step, to the full bar, ends it.
        if (value > 0 && value < bar->maximum() && lastBar > 0)
            figures.longestBarGapMs = qMax(figures.longestBarGapMs, (now - lastBar) / 1e6);
        lastBar = now;
        ++figures.barUpdates;
    });
    bar->setValue(0);
    clock.start();
    lastTick = clock.nsecsElapsed();
    ticker.start();
    waitFor([] { return false; }, 3000);
    figures.idleStallMs = figures.longestStallMs;
    figures.longestStallMs = 0;
    clock.restart();
    lastTick = clock.nsecsElapsed();
    lastBar = lastTick;
    emit relay.lowerSetGcode(job);
    figures.finished = waitFor([&] { return bar->value() == bar->maximum(); }, 30 * 60 * 1000);
    figures.seconds = clock.elapsed() / 1000.0;
    ticker.stop();
    thread.quit();
    thread.wait(5000);
    return figures;
}

void print(const char *name, const Figures &f)
{
    std::printf("%s\n  finished %s in %.1f s\n  longest GUI stall %.1f ms (target < 50; idle, no job: %.1f ms)\n"
                "  transfer bar: %d updates, longest gap %.0f ms (target <= 500)\n",
                name, f.finished ? "yes" : "NO", f.seconds, f.longestStallMs, f.idleStallMs,
                f.barUpdates, f.longestBarGapMs);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    registerGCodeBufferMetaTypes();
    const int lineRecords = argc > 1 ? QByteArray(argv[1]).toInt() : 20000;
    const double partMegabytes = argc > 2 ? QByteArray(argv[2]).toDouble() : 5;

    EngraverEmulator::Options lineOptions;
    lineOptions.hardwareVersion = QStringLiteral("2.0.0");
    lineOptions.firmwareVersion = QStringLiteral("0.1.6");
    lineOptions.throttle = true;
    const QList<GCodeBuffer> lineJob = JobFixtures::numberedJob(lineRecords);
    std::printf("line mode, %d records, %.2f MB, 115200 baud\n", lineJob.size(),
                JobFixtures::textOf(lineJob).size() / 1e6);
    print("line mode", run(lineOptions, lineJob));

    // Records of the numbered job average about 20 bytes.
    QList<GCodeBuffer> partJob = JobFixtures::numberedJob(int(partMegabytes * 1e6 / 20));
    std::printf("part mode, %d records, %.2f MB, 115200 baud\n", partJob.size(),
                JobFixtures::textOf(partJob).size() / 1e6);
    EngraverEmulator::Options partOptions;
    partOptions.throttle = true;
    print("part mode", run(partOptions, partJob));
    std::printf("cpu %.1f s, peak %.0f MB\n", BenchSupport::cpuSeconds(), BenchSupport::peakMegabytes());
    return 0;
}
