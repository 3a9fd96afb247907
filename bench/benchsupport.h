#pragma once

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <ctime>

// Figures every benchmark prints: wall and CPU time, peak memory.
namespace BenchSupport {

// The process's peak resident memory (VmHWM) in MB, or -1 where unknown.
inline double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

// CPU time of the whole process, user and system, in seconds: on a shared
// machine it tells what the work costs where wall time also counts the neighbours.
inline double cpuSeconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

inline double milliseconds(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// A camera-sized 2400 x 2400 picture as PNG: gradients, rings and sensor noise,
// the same on every run.
inline QByteArray photographPng()
{
    QImage photo(2400, 2400, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const double ring = 0.5 + 0.5 * std::sin(std::hypot(x - 1200, y - 900) / 40.0);
            const int noise = int(random.bounded(24)) - 12;
            const int r = qBound(0, int(255 * x / 2400.0 * 0.6 + 100 * ring) + noise, 255);
            const int g = qBound(0, int(255 * y / 2400.0 * 0.5 + 80 * ring) + noise, 255);
            const int b = qBound(0, int(180 * ring) + noise, 255);
            line[x] = qRgb(r, g, b);
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    return png;
}

// The B2 design of bench-job: 100 x 100 mm greyscale photograph, "gray", 0.05 mm.
inline QString photographDesign()
{
    const QByteArray png = photographPng();
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                          "xmlns:xlink='http://www.w3.org/1999/xlink' xmlns:tolvenrik='urn:tolvenrik' "
                          "width='1250' height='1250'><g tolvenrik:label='label 1'>"
                          "<image x='0' y='0' width='1250' height='1250' tolvenrik:image='gray' "
                          "tolvenrik:scanAccuracy='0.05' tolvenrik:scanAngle='180' "
                          "tolvenrik:scanBuffer='2' xlink:href='data:image/png;base64,")
            + QString::fromLatin1(png.toBase64()) + QStringLiteral("'/></g></svg>");
}

// Wall and CPU time of one step: on a shared machine the CPU time tells what
// the step costs, the wall time also counts the neighbours.
struct Stopwatch
{
    QElapsedTimer wall;
    double cpu = cpuSeconds();
    Stopwatch() { wall.start(); }
    double wallMs() const { return milliseconds(wall); }
    double cpuMs() const { return (cpuSeconds() - cpu) * 1000; }
};

// One line per step: its wall time since `timer` started and the peak so far.
inline void report(const char *step, const QElapsedTimer &timer, const QString &extra = QString())
{
    std::printf("  %-34s %8.3f s   peak %7.1f MB  %s\n", step, timer.nsecsElapsed() / 1e9,
                peakMegabytes(), qPrintable(extra));
    std::fflush(stdout);
}

// Drops debug and info messages, whose volume would dominate the timings;
// warnings still reach standard error.
inline void quietDebugOutput()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
}

struct BenchCase
{
    const char *name;
    int (*run)();
};

// Runs the case named by the first argument; with none, runs every case in a
// process of its own so that each one's peak memory is its own. Returns the
// number of failed cases, or 2 with a usage line for an unknown name.
inline int runCases(const QCoreApplication &application, std::initializer_list<BenchCase> cases,
                    const char *usage)
{
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.isEmpty()) {
        int failures = 0;
        for (const BenchCase &bench : cases)
            failures += QProcess::execute(application.applicationFilePath(), { QLatin1String(bench.name) }) != 0;
        return failures;
    }
    for (const BenchCase &bench : cases)
        if (arguments.first() == QLatin1String(bench.name))
            return bench.run();
    std::fprintf(stderr, "usage: %s\n", usage);
    return 2;
}

} // namespace BenchSupport
