// Times what the user waits for on screen: the preview of the B2 photograph
// job until its first frame is painted, and frames of the design view while
// zooming and panning a design of 20 000 paths. Runs offscreen unless a
// platform is given. Usage: bench-view [preview|design]
#include "benchsupport.h"
#include "canvas/designview.h"
#include "canvas/gcodeview.h"
#include "canvas/previewdialog.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "gcode/gcodegenerator.h"
#include "gcode/previewpaths.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <algorithm>

using namespace BenchSupport;

namespace {

// B2: a 100 x 100 mm greyscale photograph in "gray" mode at 0.05 mm, the
// whole job as the generator makes it.
QVector<GCodeBuffer> photographJob()
{
    const QByteArray png = photographPng();
    const QString text = QStringLiteral(
            "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
            "xmlns:tolvenrik='urn:tolvenrik' width='1250' height='1250'><g>"
            "<image x='0' y='0' width='1250' height='1250' tolvenrik:image='gray' "
            "tolvenrik:scanAccuracy='0.05' tolvenrik:scanAngle='180' tolvenrik:scanBuffer='2' "
            "xlink:href='data:image/png;base64,%1'/></g></svg>")
            .arg(QString::fromLatin1(png.toBase64()));
    GCodeGenerator generator;
    return generator.generate(text);
}

// Counts the paints of a widget, to know a frame has been drawn.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

int preview()
{
    std::printf("preview of the B2 photograph job (target: open in < 2 s)\n");
    const QVector<GCodeBuffer> job = photographJob();
    std::printf("  job ready: %d records, peak %.1f MB\n", job.size(), peakMegabytes());

    QElapsedTimer timer;
    timer.start();
    double cpuBefore = cpuSeconds();
    PreviewPaths paths(PreviewDialog::fullPower);
    paths.draw(job);
    report("paths alone", timer, QStringLiteral("cpu %1 s").arg(cpuSeconds() - cpuBefore, 0, 'f', 3));

    QWidget window;
    window.resize(1250, 800);
    window.show();
    QApplication::processEvents();

    cpuBefore = cpuSeconds();
    timer.restart();
    auto *dialog = new PreviewDialog(job, JobTimeEstimator::Machine(), &window);
    report("dialog built", timer);
    PaintCounter counter;
    dialog->gcodeView()->viewport()->installEventFilter(&counter);
    dialog->open();
    while (counter.paints == 0)
        QApplication::processEvents();
    report("open, first frame painted", timer,
           QStringLiteral("cpu %1 s").arg(cpuSeconds() - cpuBefore, 0, 'f', 3));

    // Later frames, as when the user drags the picture around.
    QVector<double> frames;
    QVector<double> cpu;
    for (int i = 0; i < 5; ++i) {
        const double before = cpuSeconds();
        QElapsedTimer frame;
        frame.start();
        dialog->gcodeView()->viewport()->repaint();
        frames << milliseconds(frame);
        cpu << (cpuSeconds() - before) * 1000;
    }
    std::sort(frames.begin(), frames.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("  full repaint: median %.1f ms (cpu %.1f ms), slowest %.1f ms\n", frames.at(2),
                cpu.at(2), frames.last());
    dialog->close();
    return 0;
}

// 20 000 outline paths of a few curves each, spread over the work area.
QString manyPaths(int count)
{
    QString body;
    QRandomGenerator random(11);
    for (int i = 0; i < count; ++i) {
        const double x = 20 + (i % 200) * 9.5;
        const double y = 20 + (i / 200) * 26.0;
        const double w = 3 + random.bounded(5.0);
        body += QStringLiteral("<path d='M %1 %2 C %3 %4 %5 %6 %7 %8 L %9 %10 Z' style='fill:none'/>")
                        .arg(x).arg(y).arg(x + w).arg(y - 4).arg(x + 2 * w).arg(y + 4)
                        .arg(x + 3 * w).arg(y).arg(x + w).arg(y + 12);
    }
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:tolvenrik='urn:tolvenrik' "
                          "width='2000' height='2700'><g>%1</g></svg>")
            .arg(body);
}

int design()
{
    std::printf("design view with 20 000 paths (target: every frame < 30 ms)\n");
    QTemporaryDir dir;
    const QString path = dir.filePath("many.svg");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(manyPaths(20000).toUtf8());
    file.close();

    SVGView view;
    QElapsedTimer timer;
    timer.start();
    if (!view.openFile(path))
        return 1;
    report("design loaded", timer, QStringLiteral("%1 items").arg(view.scene()->items().size()));

    DesignView designView(nullptr);
    designView.setScene(view.scene());
    designView.setUp(&view);
    designView.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    view.setDesignView(&designView);
    designView.resize(1250, 800);
    designView.show();
    QApplication::processEvents();
    view.fitView();
    designView.viewport()->repaint();

    QWidget *viewport = designView.viewport();
    PaintCounter counter;
    viewport->installEventFilter(&counter);
    QVector<double> zoomFrames;
    QVector<double> panFrames;
    QVector<double> zoomCpu;
    QVector<double> panCpu;
    const QPoint centre = viewport->rect().center();
    // One frame: the input event, then the event loop until the view has
    // painted what it asked to repaint (only the uncovered strip on a pan).
    auto frame = [&](QVector<double> &into, auto &&step) {
        QVector<double> &cpu = &into == &zoomFrames ? zoomCpu : panCpu;
        const double cpuBefore = cpuSeconds();
        QElapsedTimer t;
        t.start();
        const int before = counter.paints;
        step();
        for (int spins = 0; counter.paints == before && spins < 1000; ++spins)
            QApplication::processEvents();
        into << milliseconds(t);
        cpu << (cpuSeconds() - cpuBefore) * 1000;
    };
    // In to about 30 times and back out past the whole work area.
    for (int i = 0; i < 26; ++i) {
        const int delta = i < 13 ? 120 : -120;
        frame(zoomFrames, [&] {
            QWheelEvent wheel(centre, viewport->mapToGlobal(centre), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &wheel);
        });
    }
    // A right-button drag on empty canvas in 40 steps.
    const QPoint start = designView.mapFromScene(-50, -50);
    QMouseEvent press(QEvent::MouseButtonPress, start, viewport->mapToGlobal(start), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QPoint at = start;
    for (int i = 0; i < 40; ++i) {
        at += QPoint(i < 20 ? 15 : -15, 8);
        frame(panFrames, [&] {
            QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                             Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        });
    }
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);

    // Wall time counts whatever else the machine runs; CPU time is the
    // frame's own cost.
    for (auto *figures : { &zoomFrames, &zoomCpu, &panFrames, &panCpu }) {
        QVector<double> sorted = *figures;
        std::sort(sorted.begin(), sorted.end());
        const char *name = figures == &zoomFrames ? "zoom, wall"
                : figures == &zoomCpu             ? "zoom, cpu"
                : figures == &panFrames           ? "pan, wall"
                                                  : "pan, cpu";
        std::printf("  %-10s %2d frames: median %6.1f ms, slowest %6.1f ms\n", name, sorted.size(),
                    sorted.at(sorted.size() / 2), sorted.last());
        if (qEnvironmentVariableIsSet("BENCH_FRAMES"))
            for (double ms : *figures)
                std::printf("    %.1f\n", ms);
    }
    std::printf("  peak %.1f MB\n", peakMegabytes());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    quietDebugOutput();
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.isEmpty()) {
        int failures = 0;
        for (const char *name : { "preview", "design" })
            failures += QProcess::execute(application.applicationFilePath(), { QLatin1String(name) }) != 0;
        return failures;
    }
    if (arguments.first() == QLatin1String("preview"))
        return preview();
    if (arguments.first() == QLatin1String("design"))
        return design();
    std::fprintf(stderr, "usage: bench-view [preview|design]\n");
    return 2;
}
