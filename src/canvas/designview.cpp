#include "canvas/designview.h"

#include "canvas/itemsupport.h"
#include "canvas/qtcornerbox.h"
#include "canvas/qtrulebar.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"

#include <QAction>
#include <QDebug>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWheelEvent>

namespace {

// Endings are compared as written: only the all-lower and all-upper forms count.
bool endsWithAny(const QString &path, std::initializer_list<const char *> endings)
{
    for (const char *ending : endings)
        if (path.endsWith(QLatin1String(ending), Qt::CaseSensitive))
            return true;
    return false;
}

} // namespace

DesignView::DesignView(QWidget *parent)
    : QGraphicsView(parent)
{
    ItemSupport::contextMenuOpener() = &DesignView::showContextMenu;
}

void DesignView::setUp(SVGView *view)
{
    mView = view;
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setAlignment(Qt::AlignCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAttribute(Qt::WA_MouseTracking);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorUnderMouse);
    setRenderHint(QPainter::Antialiasing);
    // Far beyond the work area, so the canvas can be scrolled past its edges.
    setSceneRect(-100000, -100000, 200000, 200000);

    mContextMenu = new QMenu(this);
    mDeleteAction = new QAction(tr("删除"), this);
    mContextMenu->addAction(mDeleteAction);
    connect(mDeleteAction, &QAction::triggered, this, &DesignView::deleteRequested);

    mHorizontalRuler = new QtRuleBar(Qt::Horizontal, this);
    mVerticalRuler = new QtRuleBar(Qt::Vertical, this);
    mCornerBox = new QtCornerBox(this);

    setViewport(new QWidget);
    viewport()->setMouseTracking(true);
    setAcceptDrops(true);
}

void DesignView::showContextMenu(SVGView *view, const QPoint &screenPos)
{
    auto *designView = view ? qobject_cast<DesignView *>(view->designView()) : nullptr;
    if (designView && designView->mContextMenu)
        designView->mContextMenu->popup(screenPos);
}

void DesignView::updateRuler()
{
    if (!scene() || !mHorizontalRuler)
        return;
    const QRectF r(rect());
    const QPointF o = mapFromScene(scene()->sceneRect().topLeft());
    const double f = 1 / transform().m11();

    double a = (r.left() - o.x()) * f;
    double b = (r.right() - rulerThickness - o.x()) * f;
    mHorizontalRuler->setRange(a, b, b - a);
    mHorizontalRuler->update();

    // Values grow upwards here; the ruler negates its labels back.
    a = -(r.top() - o.y()) * f;
    b = -(r.bottom() - rulerThickness - o.y()) * f;
    mVerticalRuler->setRange(a, b, b - a);
    mVerticalRuler->update();
}

void DesignView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    setViewportMargins(15, 15, 0, 0);
    if (mHorizontalRuler) {
        mHorizontalRuler->setGeometry(rulerThickness, 0, width() - rulerThickness - 1, rulerThickness);
        mVerticalRuler->setGeometry(0, rulerThickness, rulerThickness, height() - rulerThickness - 1);
        mCornerBox->setGeometry(0, 0, rulerThickness, rulerThickness);
    }
    updateRuler();
}

void DesignView::wheelEvent(QWheelEvent *event)
{
    mScrollEnabled = true;
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const double factor = delta > 0 ? zoomStep : 1 / zoomStep;
    scale(factor, factor);
    // The scale may leave the scroll position as it is; the rulers follow anyway.
    updateRuler();
    // Never scrolls the canvas and never reaches the scene.
    event->accept();
}

void DesignView::scrollContentsBy(int dx, int dy)
{
    if (!mScrollEnabled)
        return;
    QGraphicsView::scrollContentsBy(dx, dy);
    updateRuler();
}

void DesignView::mouseMoveEvent(QMouseEvent *event)
{
    if (mHorizontalRuler) {
        mHorizontalRuler->updatePosition(event->pos());
        mVerticalRuler->updatePosition(event->pos());
    }
    QGraphicsView::mouseMoveEvent(event);
}

bool DesignView::selectToolActive() const
{
    return mView && mView->scene()->tool() == DoodleTool::Select;
}

void DesignView::releaseLeft(QMouseEvent *event)
{
    QMouseEvent release(QEvent::MouseButtonRelease, event->localPos(), event->screenPos(),
                        Qt::LeftButton, Qt::NoButton, event->modifiers());
    QGraphicsView::mouseReleaseEvent(&release);
}

void DesignView::mousePressEvent(QMouseEvent *event)
{
    QGraphicsView::mousePressEvent(event);
    if (!mView || mView->scene()->pressState() == PressedOnItem
        || event->button() != Qt::RightButton || !selectToolActive())
        return;
    // Qt drags the canvas by hand with the left button: end whatever the
    // right press began and start a left-button drag in its place.
    releaseLeft(event);
    setDragMode(QGraphicsView::ScrollHandDrag);
    mView->scene()->setHandDragging(true);
    mScrollEnabled = true;
    QMouseEvent press(event->type(), event->localPos(), event->screenPos(), Qt::LeftButton,
                      event->buttons() | Qt::LeftButton, event->modifiers());
    QGraphicsView::mousePressEvent(&press);
}

void DesignView::mouseReleaseEvent(QMouseEvent *event)
{
    QGraphicsView::mouseReleaseEvent(event);
    if (selectToolActive() && event->button() == Qt::RightButton) {
        releaseLeft(event);
        mScrollEnabled = false;
        QMouseEvent release(event->type(), event->localPos(), event->screenPos(), Qt::LeftButton,
                            event->buttons() | Qt::LeftButton, event->modifiers());
        QGraphicsView::mouseReleaseEvent(&release);
        mView->scene()->setHandDragging(false);
    }
    setDragMode(QGraphicsView::NoDrag);
}

void DesignView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void DesignView::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void DesignView::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    qDebug() << "dropped" << urls;
    for (const QUrl &url : urls) {
        const QString path = url.toLocalFile();
        // A URL that is no local file ends the drop.
        if (path.isEmpty())
            break;
        dispatchDroppedFile(path);
    }
    event->acceptProposedAction();
}

void DesignView::dispatchDroppedFile(const QString &path)
{
    if (endsWithAny(path, { ".bmp", ".BMP", ".jpg", ".JPG", ".jpeg", ".JPEG", ".png", ".PNG",
                            ".gif", ".GIF", ".tif", ".TIF", ".tiff", ".TIFF", ".tga", ".TGA" }))
        emit imageDropped(path);
    else if (endsWithAny(path, { ".svg", ".SVG" }))
        emit svgDropped(path);
    else if (endsWithAny(path, { ".dxf", ".DXF" }))
        emit dxfDropped(path);
    else if (endsWithAny(path, { ".plt", ".PLT" }))
        emit pltDropped(path);
}
