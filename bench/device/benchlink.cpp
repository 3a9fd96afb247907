// Job transfer to the engraver emulator throttled to 115 200 baud (11 520
// bytes/s): link use in line mode, part mode against line mode on a large
// raster-like job, the controller's CPU time while streaming, and line mode
// over a loopback TCP socket against the pty (how much of the time the
// engraver held a whole line, overflows).
// Usage: bench-link [line|parts|generic|tcp|all] [--raster-mb N]
#include "benchsupport.h"
#include "device/lowergrbl.h"
#include "device/panelmessage.h"
#include "engraveremulator.h"
#include "jobfixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonObject>
#include <QTimer>

#include <cmath>
#include <cstdio>

using namespace BenchSupport;
using JobFixtures::textOf;

namespace {

constexpr double linkBytesPerSecond = 11520.0;

// Outline-like moves: varied coordinates, one record per line.
QList<GCodeBuffer> vectorJob(int records)
{
    QList<GCodeBuffer> job{GCodeBuffer::g(90), GCodeBuffer::g(21)};
    for (int i = 0; job.size() < records - 1; ++i) {
        GCodeBuffer record = GCodeBuffer::g(1);
        record.X = 20 + 15 * std::cos(i * 0.01) + i * 0.001;
        record.Y = 20 + 15 * std::sin(i * 0.01);
        record.S = 600;
        record.F = 3000;
        job.append(record);
    }
    job.append(GCodeBuffer::m(2));
    return job;
}

// Scan lines over a photograph-like picture: a smooth gradient with grain,
// one record per run of pixels of equal power, at 0.1 mm pixels.
QList<GCodeBuffer> rasterJob(int targetBytes)
{
    QList<GCodeBuffer> job{GCodeBuffer::g(90), GCodeBuffer::g(21)};
    int bytes = 8;
    quint32 seed = 12345;
    QByteArray line;
    const auto add = [&](const GCodeBuffer &record) {
        line.clear();
        record.appendTo(line);
        bytes += line.size();
        job.append(record);
    };
    for (int row = 0; bytes < targetBytes; ++row) {
        GCodeBuffer start = GCodeBuffer::g(0);
        start.X = 0;
        start.Y = row * 0.1;
        add(start);
        for (int column = 0; column < 1200 && bytes < targetBytes; column += 2) {
            seed = seed * 1103515245u + 12345u;
            const double tone = 0.5 + 0.4 * std::sin(column * 0.004 + row * 0.003)
                    + ((seed >> 16) % 5) * 0.02;
            GCodeBuffer dot = GCodeBuffer::g(1);
            dot.X = (column + 2) * 0.1;
            dot.Y = row * 0.1;
            dot.S = std::round(tone * 32) * 31.25;    // 32 grey levels of 1000
            add(dot);
        }
    }
    job.append(GCodeBuffer::m(5));
    job.append(GCodeBuffer::m(2));
    return job;
}

struct Run
{
    double seconds = -1;
    double cpu = 0;
    int overflows = -1;
    bool complete = false;
    double fedShare = -1;
};

// Connects to a fresh throttled emulator, sends `job` and waits for the end
// of the program; times the transfer alone.
// An empty `hardware` plays a standard GRBL 1.1 board with a 128-byte buffer.
Run transfer(const QString &hardware, const QList<GCodeBuffer> &job, int timeoutS, bool tcp = false,
             bool throttle = true, bool measureFeed = false)
{
    EngraverEmulator::Options options;
    options.tcp = tcp;
    options.hardwareVersion = hardware.isEmpty() ? QStringLiteral("0.0.0") : hardware;
    options.firmwareVersion = hardware.isEmpty() ? QStringLiteral("1.1h.20190825:") : QStringLiteral("0.2.2");
    options.throttle = throttle;
    options.extraArguments = QStringList{QStringLiteral("--job-run-time"), QStringLiteral("1")};
    if (measureFeed)
        options.extraArguments << QStringLiteral("--measure-feed");
    if (hardware.isEmpty()) {
        options.rxBufferSize = 128;
        options.extraArguments << QStringLiteral("--generic");
    }
    EngraverEmulator emulator(options);
    Run run;
    if (!emulator.start()) {
        std::printf("  emulator did not start\n");
        return run;
    }
    LowerGrbl grbl;
    grbl.restrictSearchTo({emulator.portName()});
    bool ended = false;
    QEventLoop loop;
    QObject::connect(&grbl, &LowerGrbl::sendPanelMessage, &loop, [&](const QStringList &messages) {
        if (messages.contains(PanelMessage::make(PanelNotice::JobFinished, 1))) {
            ended = true;
            loop.quit();
        }
    });
    grbl.getPanelMessage({PanelMessage::make(PanelCommand::SearchDevice, 1)});
    QElapsedTimer wait;
    wait.start();
    while (!(grbl.isConnected() && grbl.account().inFlight().isEmpty()) && wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!grbl.isConnected()) {
        std::printf("  no connection to the emulator\n");
        return run;
    }
    QTimer::singleShot(timeoutS * 1000, &loop, &QEventLoop::quit);
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    grbl.grblGcodePrint(job);
    loop.exec();
    run.seconds = clock.nsecsElapsed() / 1e9;
    run.cpu = cpuSeconds() - cpuBefore;
    run.complete = ended;
    const QJsonObject state = emulator.state();
    run.overflows = state.value(QStringLiteral("overflows")).toInt(-1);
    run.fedShare = state.value(QStringLiteral("fedShare")).toDouble(-1);
    return run;
}

// Streams the job line by line and prints the link use against `target` per cent.
void lineRun(const char *board, int receiveBuffer, const QString &hardware,
             const QList<GCodeBuffer> &job, int target)
{
    const QByteArray text = textOf(job);
    std::printf("%sline mode, %d lines, %d bytes, %d-byte receive buffer:\n", board, int(job.size()),
                int(text.size()), receiveBuffer);
    std::fflush(stdout);
    const Run run = transfer(hardware, job, 600);
    if (!run.complete) {
        std::printf("  did not finish\n");
        return;
    }
    const double rate = text.size() / run.seconds;
    std::printf("  %.2f s, %.0f bytes/s, link use %.1f %% (target >= %d %%), overflows %d\n",
                run.seconds, rate, 100 * rate / linkBytesPerSecond, target, run.overflows);
    std::printf("  controller CPU %.2f s = %.1f %% of one core\n", run.cpu, 100 * run.cpu / run.seconds);
    std::fflush(stdout);
}

void partsAgainstLines(int megabytes)
{
    const QList<GCodeBuffer> job = rasterJob(megabytes * 1000 * 1000);
    const QByteArray text = textOf(job);
    std::printf("raster-like job, %d records, %d bytes:\n", int(job.size()), int(text.size()));
    std::fflush(stdout);
    const Run parts = transfer(QStringLiteral("3.0.0"), job, 3600);
    if (!parts.complete) {
        std::printf("  part mode did not finish\n");
        return;
    }
    std::printf("  part mode  %8.2f s (%.0f job bytes/s), controller CPU %.2f s = %.1f %%\n",
                parts.seconds, text.size() / parts.seconds, parts.cpu, 100 * parts.cpu / parts.seconds);
    std::fflush(stdout);
    const Run lines = transfer(QStringLiteral("1.0.0"), job, 3600);
    if (!lines.complete) {
        std::printf("  line mode did not finish\n");
        return;
    }
    std::printf("  line mode  %8.2f s (%.0f job bytes/s), controller CPU %.2f s = %.1f %%, overflows %d\n",
                lines.seconds, text.size() / lines.seconds, lines.cpu, 100 * lines.cpu / lines.seconds,
                lines.overflows);
    std::printf("  part mode is %.1f x faster (target >= 4 x)\n", lines.seconds / parts.seconds);
    std::fflush(stdout);
}

// Line mode over the pty and over loopback TCP, both paced at 115 200 baud
// by the emulator, then TCP unpaced: the share of the time a whole line
// waited in the engraver, against the pty's, and overflows (must be 0).
void tcpAgainstSerial()
{
    struct Board
    {
        const char *name;
        QString hardware;
        QList<GCodeBuffer> job;
    };
    const QList<Board> boards{{"1024-byte buffer", QStringLiteral("1.0.0"), vectorJob(8000)},
                              {"128-byte buffer (standard GRBL)", QString(), rasterJob(200 * 1000)}};
    for (const Board &board : boards) {
        const QByteArray text = textOf(board.job);
        std::printf("line mode, %s, %d lines, %d bytes:\n", board.name, int(board.job.size()), int(text.size()));
        std::fflush(stdout);
        for (const bool tcp : {false, true}) {
            const Run run = transfer(board.hardware, board.job, 600, tcp, true, true);
            if (!run.complete) {
                std::printf("  %s: did not finish\n", tcp ? "tcp" : "pty");
                continue;
            }
            std::printf("  %s, paced:   %6.2f s, link use %5.1f %%, whole line held %5.1f %% of the time, "
                        "overflows %d (target 0)\n",
                        tcp ? "tcp" : "pty", run.seconds, 100 * text.size() / run.seconds / linkBytesPerSecond,
                        100 * run.fedShare, run.overflows);
            std::fflush(stdout);
        }
        const Run fast = transfer(board.hardware, board.job, 600, true, false, true);
        if (fast.complete)
            std::printf("  tcp, unpaced: %6.2f s, %.0f lines/s, whole line held %5.1f %% of the time, "
                        "overflows %d (target 0)\n",
                        fast.seconds, board.job.size() / fast.seconds, 100 * fast.fedShare, fast.overflows);
        else
            std::printf("  tcp, unpaced: did not finish\n");
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    registerGCodeBufferMetaTypes();
    quietDebugOutput();
    QStringList arguments = app.arguments().mid(1);
    int megabytes = 5;
    const int at = arguments.indexOf(QStringLiteral("--raster-mb"));
    if (at >= 0 && at + 1 < arguments.size()) {
        megabytes = qMax(1, arguments.at(at + 1).toInt());
        arguments.erase(arguments.begin() + at, arguments.begin() + at + 2);
    }
    const QString which = arguments.value(0, QStringLiteral("all"));
    if (which == QLatin1String("line") || which == QLatin1String("all"))
        lineRun("", 1024, QStringLiteral("1.0.0"), vectorJob(20000), 95);
    if (which == QLatin1String("generic") || which == QLatin1String("all")) {
        // About 20 000 raster lines.
        lineRun("standard GRBL board, ", 128, QString(), rasterJob(540 * 1000), 90);
    }
    if (which == QLatin1String("parts") || which == QLatin1String("all"))
        partsAgainstLines(megabytes);
    if (which == QLatin1String("tcp") || which == QLatin1String("all"))
        tcpAgainstSerial();
    return 0;
}
