// Times designs built from "use" instances on the canvas:
//
//   bench-instances [N]     N instances (default 5000) of a group of 20 shapes
//
// Prints the time to show the design against the same design with every
// instance written out as a plain group, and the time to redraw all
// instances after their original changes; then the time to show N / 50
// instances of a photograph and to paint them all once.
#include "benchsupport.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QPainter>
#include <cstdio>

using namespace BenchSupport;

namespace {

QString original()
{
    QString shapes;
    for (int i = 0; i < 20; ++i) {
        shapes += i % 2 ? QString("<rect x='%1' y='0' width='4' height='4'/>").arg(i * 5)
                        : QString("<path d='M%1,0 l4,0 l0,4 z'/>").arg(i * 5);
    }
    return shapes;
}

QString design(int count, bool expanded)
{
    QString text = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                   "width='4000' height='4000'><defs><g id='o'>"
            + original() + "</g></defs><g id='layer'>";
    for (int i = 0; i < count; ++i) {
        const int x = (i % 40) * 100;
        const int y = (i / 40) * 10;
        text += expanded ? QString("<g transform='translate(%1,%2)'>%3</g>").arg(x).arg(y).arg(original())
                         : QString("<use xlink:href='#o' x='%1' y='%2'/>").arg(x).arg(y);
    }
    return text + "</g></svg>";
}

Node *findById(Node *node, const QString &id)
{
    QList<Node *> pending{ node };
    while (!pending.isEmpty()) {
        Node *n = pending.takeFirst();
        if (n->element().attribute(QStringLiteral("id")) == id)
            return n;
        pending.append(n->cachedChildren());
    }
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const int count = argc > 1 ? QString(argv[1]).toInt() : 5000;

    std::printf("%d instances of a group of 20 shapes\n", count);
    for (const bool expanded : { true, false }) {
        SVGView view;
        const QString text = design(count, expanded);
        Stopwatch open;
        view.document()->setSvgText(text);
        std::printf("  show, %-22s %8.1f ms  cpu %8.1f ms\n", expanded ? "written out as groups" : "as use instances",
                    open.wallMs(), open.cpuMs());
        if (expanded)
            continue;
        Node *shape = findById(view.document()->rootNode(), QStringLiteral("o"))->cachedChildren().at(1);
        Stopwatch change;
        const bool applied = bool(shape->applyAttribute(QStringLiteral("width"), QStringLiteral("8")));
        std::printf("  original changed, all redrawn %8.1f ms  cpu %8.1f ms%s\n", change.wallMs(), change.cpuMs(),
                    applied ? "" : "  (not applied)");
    }
    const int pictures = qMax(1, count / 50);
    {
        const QString photo = QString::fromLatin1(photographPng().toBase64());
        QString text = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                       "width='4000' height='4000'><defs><symbol id='p'><image width='400' height='300' "
                       "xlink:href='data:image/png;base64,"
                + photo + "'/></symbol></defs><g id='layer'>";
        for (int i = 0; i < pictures; ++i)
            text += QString("<use xlink:href='#p' x='%1' y='%2'/>").arg((i % 10) * 400).arg((i / 10) * 300);
        text += "</g></svg>";
        SVGView view;
        Stopwatch open;
        view.document()->setSvgText(text);
        std::printf("%d instances of a photograph\n  show %8.1f ms  cpu %8.1f ms\n", pictures, open.wallMs(),
                    open.cpuMs());
        QImage target(1000, 1000, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&target);
        Stopwatch paint;
        view.scene()->render(&painter, QRectF(), QRectF(0, 0, 4000, 4000));
        std::printf("  paint all %8.1f ms  cpu %8.1f ms\n", paint.wallMs(), paint.cpuMs());
    }
    std::printf("  peak %.1f MB\n", peakMegabytes());
    return 0;
}
