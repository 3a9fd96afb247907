// Times the Select tool on large designs, with the events a view sends:
//
//   bench-selection drag N        drag a selection of N elements (rects and paths)
//   bench-selection band N        rubber band over N elements
//
// The drag prints every mouse move's time (worst and mean), the release that
// writes the design, and undo and redo of the whole move.
#include "benchsupport.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/svgdocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsItem>
#include <QGraphicsSceneMouseEvent>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cstdio>

using namespace BenchSupport;

namespace {

QString design(int count)
{
    QString text = "<svg xmlns='http://www.w3.org/2000/svg' width='4000' height='4000'><g>";
    QRandomGenerator random(7);
    for (int i = 0; i < count; ++i) {
        const int x = random.bounded(3800);
        const int y = random.bounded(3800);
        if (i % 2)
            text += QString("<rect x='%1' y='%2' width='20' height='10' style='fill:red'/>").arg(x).arg(y);
        else
            text += QString("<path d='M%1,%2 l20,0 l0,10 z' style='fill:red'/>").arg(x).arg(y);
    }
    return text + "</g></svg>";
}

void send(Scene *scene, QEvent::Type type, const QPointF &pos, const QPointF &last,
          Qt::MouseButtons buttons)
{
    QGraphicsSceneMouseEvent event(type);
    event.setScenePos(pos);
    event.setLastScenePos(last);
    event.setButton(Qt::LeftButton);
    event.setButtons(buttons);
    event.setButtonDownScenePos(Qt::LeftButton, pos);
    QCoreApplication::sendEvent(scene, &event);
}

int drag(int count)
{
    SVGView view;
    view.document()->setSvgText(design(count));
    Scene *scene = view.scene();
    for (QGraphicsItem *item : scene->items())
        if (item->flags() & QGraphicsItem::ItemIsSelectable)
            item->setSelected(true);
    QGraphicsItem *first = scene->selectedItems().value(0);
    if (!first)
        return 1;
    std::printf("drag of %d selected elements\n", scene->selectedItems().size());
    QPointF at = first->sceneBoundingRect().center();
    send(scene, QEvent::GraphicsSceneMousePress, at, at, Qt::LeftButton);
    const QString before = view.document()->toSvgText();
    double worst = 0;
    double total = 0;
    const double cpuBefore = cpuSeconds();
    const int moves = 60;
    for (int i = 0; i < moves; ++i) {
        const QPointF next = at + QPointF(1, 0.5);
        QElapsedTimer timer;
        timer.start();
        send(scene, QEvent::GraphicsSceneMouseMove, next, at, Qt::LeftButton);
        const double ms = milliseconds(timer);
        worst = qMax(worst, ms);
        total += ms;
        at = next;
    }
    const bool untouched = view.document()->toSvgText() == before;
    Stopwatch release;
    send(scene, QEvent::GraphicsSceneMouseRelease, at, at, Qt::NoButton);
    const double releaseMs = release.wallMs();
    const double releaseCpu = release.cpuMs();
    std::printf("  mouse move   worst %8.2f ms  mean %8.2f ms  mean cpu %6.2f ms   (target < 16 ms)\n", worst,
                total / moves, (cpuSeconds() - cpuBefore) * 1000 / moves);
    std::printf("  design untouched while dragging: %s; commands after release: %d\n",
                untouched ? "yes" : "NO", view.undoStack().count());
    std::printf("  release (one write)  %8.2f ms  cpu %8.2f ms\n", releaseMs, releaseCpu);
    Stopwatch undo;
    view.undo();
    std::printf("  undo of the move     %8.2f ms  cpu %8.2f ms   (target < 100 ms)\n", undo.wallMs(), undo.cpuMs());
    Stopwatch redo;
    view.redo();
    std::printf("  redo of the move     %8.2f ms  cpu %8.2f ms   (target < 100 ms)\n", redo.wallMs(), redo.cpuMs());
    return 0;
}

int band(int count)
{
    SVGView view;
    view.document()->setSvgText(design(count));
    Scene *scene = view.scene();
    // A shown canvas has painted before the user drags a band, and the first
    // paint builds the scene's index.
    scene->items(scene->itemsBoundingRect());
    std::printf("rubber band over %d elements\n", count);
    for (bool downward : {true, false}) {
        scene->clearSelection();
        const QPointF from = downward ? QPointF(-10, -10) : QPointF(4010, 4010);
        const QPointF to = downward ? QPointF(4010, 4010) : QPointF(-10, -10);
        Stopwatch timer;
        send(scene, QEvent::GraphicsSceneMousePress, from, from, Qt::LeftButton);
        send(scene, QEvent::GraphicsSceneMouseMove, to, from, Qt::LeftButton);
        send(scene, QEvent::GraphicsSceneMouseRelease, to, to, Qt::NoButton);
        std::printf("  %-9s %8.2f ms  cpu %8.2f ms  selected %d   (target < 50 ms)\n",
                    downward ? "downward" : "upward", timer.wallMs(), timer.cpuMs(),
                    scene->selectedItems().size());
    }
    // Where the time goes: the selection itself, and the frame with the
    // panel's summary that every selection change builds (CPU times).
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    const auto phase = [](const char *name, const auto &step) {
        Stopwatch timer;
        step();
        std::printf("    of which %-20s cpu %8.2f ms\n", name, timer.cpuMs());
    };
    const QRectF area(-10, -10, 4020, 4020);
    phase("items under the band", [&] { scene->items(area, Qt::IntersectsItemBoundingRect, Qt::AscendingOrder); });
    phase("selectedItems", [&] { scene->selectedItems(); });
    phase("bounds", [&] { scene->selectionBounds(selected); });
    phase("summary", [&] { scene->propertySummary(selected); });
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quietDebugOutput();
    const QString mode = argc > 1 ? QString(argv[1]) : QString("drag");
    const int count = argc > 2 ? QString(argv[2]).toInt() : (mode == "band" ? 20000 : 5000);
    if (mode == "band")
        return band(count);
    return drag(count);
}
