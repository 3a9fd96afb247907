#include "canvas/gcodeview.h"

#include "gcode/previewpaths.h"

#include <QGraphicsPathItem>
#include <QGraphicsScene>

GcodeView::GcodeView(double fullPower, QWidget *parent)
    : QGraphicsView(parent)
    , mFullPower(fullPower)
{
    auto *scene = new QGraphicsScene(this);
    scene->setSceneRect(-10000, -10000, 20000, 20000);
    scene->setBackgroundBrush(Qt::white);
    // A few hundred items at most, each with millions of points: an index
    // would only cost time.
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    setScene(scene);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorUnderMouse);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
}

void GcodeView::drawJob(const QVector<GCodeBuffer> &job)
{
    PreviewPaths paths(mFullPower);
    paths.draw(job);
    scene()->clear();
    addPaths(paths);
    mFitted = false;
    if (isVisible())
        fitJob();
}

void GcodeView::addPaths(const PreviewPaths &paths)
{
    for (int index = 0; index < PreviewPaths::pathCount; ++index) {
        const QPainterPath &path = paths.path(index);
        if (path.isEmpty())
            continue;
        QPen pen(PreviewPaths::colour(index), 0);
        pen.setCosmetic(true);
        scene()->addPath(path, pen, Qt::NoBrush);
    }
}

void GcodeView::fitJob()
{
    mFitted = true;
    const QRectF bounds = scene()->itemsBoundingRect();
    const QSize size = viewport()->size();
    // An empty job has no extent to scale by.
    if (bounds.width() <= 0 && bounds.height() <= 0)
        return;
    if (size.width() <= 0 || size.height() <= 0)
        return;
    // The whole job with a margin of 50 pixels around it.
    const double margin = 50;
    const double ratio = qMax(bounds.height() / qMax(1.0, size.height() - 2 * margin),
                              bounds.width() / qMax(1.0, size.width() - 2 * margin));
    if (ratio <= 0)
        return;
    resetTransform();
    scale(1 / ratio, 1 / ratio);
    centerOn(bounds.center());
}

void GcodeView::showEvent(QShowEvent *event)
{
    QGraphicsView::showEvent(event);
    if (!mFitted)
        fitJob();
}
