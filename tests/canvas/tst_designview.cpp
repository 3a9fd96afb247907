#include "canvas/designview.h"
#include "canvas/domtreeview.h"
#include "canvas/qtcornerbox.h"
#include "canvas/qtrulebar.h"
#include "canvas/rulergraduation.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "document/svgdocument.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using DesignFixture::svg;

// The canvas view of the window: rulers, zoom, right-button pan, dropped
// files, and the node tree's menu.
class TestDesignView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rulerGraduation_data();
    void rulerGraduation();
    void rulerLabels_data();
    void rulerLabels();
    void rulersMeasureFromTheWorkAreaCorner();
    void wheelZoomsByFixedSteps_data();
    void wheelZoomsByFixedSteps();
    void fitViewTakesItsScroll();
    void rightButtonPansOnlyOnEmptyCanvasWithSelect_data();
    void rightButtonPansOnlyOnEmptyCanvasWithSelect();
    void droppedFilesArePassedOnByKind_data();
    void droppedFilesArePassedOnByKind();
    void dragsWithoutUrlsAreRefused();
    void itemsOpenTheViewsMenu();
    void nodeTreeMenuNeedsASelectedRow();

private:
    // Opens, from a file, a design with one black square over 100..300 and
    // centres the view on the scene origin, which lies on empty canvas.
    bool openBoxAtOrigin(const QString &fileName);

    QTemporaryDir mDir;
    SVGView *mSvgView = nullptr;
    DesignView *mView = nullptr;
};

namespace {

// "position:label" for each labelled tick.
QString labelsOf(const QVector<RulerGraduation::Mark> &marks)
{
    QStringList out;
    for (const RulerGraduation::Mark &mark : marks)
        if (!mark.label.isEmpty())
            out << QStringLiteral("%1:%2").arg(mark.position).arg(mark.label);
    return out.join(' ');
}

// "level/length/count" for each level drawn, coarse levels last.
QString levelsOf(const QVector<RulerGraduation::Mark> &marks)
{
    QStringList out;
    int level = -1;
    int count = 0;
    int length = 0;
    auto flush = [&] {
        if (count)
            out << QStringLiteral("%1/%2/%3").arg(level).arg(length).arg(count);
    };
    for (const RulerGraduation::Mark &mark : marks) {
        if (mark.level != level) {
            flush();
            level = mark.level;
            length = mark.length;
            count = 0;
        }
        ++count;
    }
    flush();
    return out.join(' ');
}

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

bool TestDesignView::openBoxAtOrigin(const QString &fileName)
{
    const QString path = mDir.filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(svg("<g><rect id='box' x='100' y='100' width='200' height='200' "
                   "style='fill:#000000'/></g>",
                   "width='2000' height='2700'")
                       .toUtf8());
    file.close();
    if (!mSvgView->openFile(path))
        return false;
    // Scroll requests only take effect while scrolling is enabled.
    mView->setScrollEnabled(true);
    mView->centerOn(0, 0);
    mView->setScrollEnabled(false);
    return true;
}

void TestDesignView::initTestCase()
{
    QVERIFY(mDir.isValid());
}

void TestDesignView::init()
{
    mSvgView = new SVGView;
    mView = new DesignView(nullptr);
    mView->setScene(mSvgView->scene());
    mView->setUp(mSvgView);
    mSvgView->setDesignView(mView);
    mView->resize(800, 600);
    mView->show();
    QVERIFY(QTest::qWaitForWindowExposed(mView));
}

void TestDesignView::cleanup()
{
    delete mView;
    mView = nullptr;
    delete mSvgView;
    mSvgView = nullptr;
}

void TestDesignView::rulerGraduation_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("maxSize");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<QString>("levels");

    // Ranges in design units, 12.5 to the millimetre; rulers 16 pixels thick,
    // label font 12 pixels high.
    QTest::newRow("thousands around zero")
            << false << -37500.0 << 25000.0 << 62500.0 << 1000
            << "0:-3k 200:-2k 400:-1000 600:0 800:1000 1000:2k" << "2/4/51 1/7/26 0/15/6";
    QTest::newRow("left ruler reads downwards")
            << true << 125.0 << -1125.0 << -1250.0 << 500
            << "550:100 425:75 300:50 175:25 50:0 -75:-25" << "2/4/41 1/7/21 0/15/6";
    QTest::newRow("two-thousand-and-five-hundreds")
            << false << 0.0 << 62500.0 << 62500.0 << 500 << "0:0 250:2500 500:5k"
            << "2/4/21 1/7/11 0/15/3";
    // Crowded labels: every other tick when they are 3 to 6 font heights apart.
    QTest::newRow("every other label") << false << 0.0 << 250.0 << 99.0 << 240
                                       << "0:0 120:10 240:20" << "2/4/41 1/7/21 0/15/5";
    // At 2 mm per label the first subdivision is the whole millimetre.
    QTest::newRow("millimetres under a 2 mm scale") << false << 0.0 << 125.0 << 5.0 << 200
                                                    << "0:0 80:4 160:8" << "1/7/11 0/15/6";
    // Too far out for any scale: the last, 100 m, every fourth label.
    QTest::newRow("zoomed out past every scale")
            << false << 0.0 << 31250000.0 << 31250000.0 << 500
            << "0:0 80:400k 160:800k 240:1200k 320:1600k 400:2000k 480:2400k" << "0/15/26";
    QTest::newRow("empty range") << false << 100.0 << 100.0 << 0.0 << 500 << "" << "";
}

void TestDesignView::rulerGraduation()
{
    QFETCH(bool, vertical);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, maxSize);
    QFETCH(int, length);
    QFETCH(QString, labels);
    QFETCH(QString, levels);

    const QVector<RulerGraduation::Mark> marks =
            RulerGraduation::marks(vertical, lower, upper, maxSize, length, 16, 12);
    QCOMPARE(labelsOf(marks), labels);
    QCOMPARE(levelsOf(marks), levels);
}

void TestDesignView::rulerLabels_data()
{
    QTest::addColumn<double>("millimetres");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QString>("label");

    QTest::newRow("2000") << 2000.0 << false << "2k";
    QTest::newRow("2500") << 2500.0 << false << "2500";
    QTest::newRow("1000 stays whole") << 1000.0 << false << "1000";
    QTest::newRow("-3000") << -3000.0 << false << "-3k";
    QTest::newRow("fraction truncated") << 1999.9 << false << "1999";
    QTest::newRow("left ruler 50 mm down") << -50.0 << true << "50";
    QTest::newRow("left ruler 2000 mm down") << -2000.0 << true << "2k";
    QTest::newRow("left ruler above the corner") << 3000.0 << true << "-3k";
}

void TestDesignView::rulerLabels()
{
    QFETCH(double, millimetres);
    QFETCH(bool, vertical);
    QFETCH(QString, label);
    QCOMPARE(RulerGraduation::label(millimetres, vertical), label);
}

// Both rulers read 0 at the work area's corner, whatever the zoom and scroll.
void TestDesignView::rulersMeasureFromTheWorkAreaCorner()
{
    mView->updateRuler();
    const QPointF corner = mView->mapFromScene(mSvgView->scene()->sceneRect().topLeft());
    const double unitsPerPixel = 1 / mView->transform().m11();
    const QtRuleBar *top = mView->horizontalRuler();
    const QtRuleBar *left = mView->verticalRuler();
    QCOMPARE(top->lower(), -corner.x() * unitsPerPixel);
    QCOMPARE(top->upper(), (mView->width() - 16 - corner.x()) * unitsPerPixel);
    QCOMPARE(top->maxSize(), top->upper() - top->lower());
    QCOMPARE(left->lower(), corner.y() * unitsPerPixel);
    QCOMPARE(left->upper(), -(mView->height() - 16 - corner.y()) * unitsPerPixel);

    QCOMPARE(mView->horizontalRuler()->geometry(), QRect(16, 0, 800 - 17, 16));
    QCOMPARE(mView->verticalRuler()->geometry(), QRect(0, 16, 16, 600 - 17));
    QCOMPARE(mView->cornerBox()->geometry(), QRect(0, 0, 16, 16));
}

void TestDesignView::wheelZoomsByFixedSteps_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<double>("factor");

    QTest::newRow("towards the screen") << 120 << 1.3;
    QTest::newRow("back") << -120 << 0.7692307692307692;
    QTest::newRow("no delta zooms out") << 0 << 0.7692307692307692;
}

void TestDesignView::wheelZoomsByFixedSteps()
{
    QFETCH(int, delta);
    QFETCH(double, factor);

    const double before = mView->transform().m11();
    const double spanBefore = mView->horizontalRuler()->upper() - mView->horizontalRuler()->lower();
    const QPoint pos(400, 300);
    QWheelEvent event(pos, mView->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(mView->viewport(), &event);

    QVERIFY(event.isAccepted());
    QCOMPARE(mView->transform().m11(), before * factor);
    QCOMPARE(mView->transform().m22(), before * factor);
    QVERIFY(mView->scrollEnabled());
    const double span = mView->horizontalRuler()->upper() - mView->horizontalRuler()->lower();
    QCOMPARE(span, spanBefore / factor);
}

void TestDesignView::fitViewTakesItsScroll()
{
    mSvgView->fitView();
    QVERIFY(!mView->scrollEnabled());
    // The work area (2000 x 2700 units by default) and its margin fit the view.
    const double ratio = qMax((2700.0 + 100) / 600, (2000.0 + 100) / 800);
    QCOMPARE(mView->transform().m11(), 1 / ratio);
}

void TestDesignView::rightButtonPansOnlyOnEmptyCanvasWithSelect_data()
{
    QTest::addColumn<bool>("onItem");
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("pans");

    QTest::newRow("empty canvas, Select") << false << int(DoodleTool::Select) << true;
    QTest::newRow("on an item, Select") << true << int(DoodleTool::Select) << false;
    QTest::newRow("empty canvas, Rectangle") << false << int(DoodleTool::Rectangle) << false;
}

void TestDesignView::rightButtonPansOnlyOnEmptyCanvasWithSelect()
{
    QFETCH(bool, onItem);
    QFETCH(int, tool);
    QFETCH(bool, pans);

    QVERIFY(openBoxAtOrigin("pan.svg"));
    mSvgView->scene()->setTool(DoodleTool(tool));

    QWidget *viewport = mView->viewport();
    const QPoint start = onItem ? mView->mapFromScene(200, 200) : mView->mapFromScene(-200, -200);
    const QPointF sceneBefore = mView->mapToScene(start);
    sendMouse(viewport, QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton);
    QCOMPARE(mView->dragMode(), pans ? QGraphicsView::ScrollHandDrag : QGraphicsView::NoDrag);
    QCOMPARE(mSvgView->scene()->handDragging(), pans);
    const QPoint end = start + QPoint(60, 40);
    sendMouse(viewport, QEvent::MouseMove, start + QPoint(30, 20), Qt::NoButton, Qt::RightButton);
    sendMouse(viewport, QEvent::MouseMove, end, Qt::NoButton, Qt::RightButton);
    QCOMPARE(mView->horizontalRuler()->lastPos(), end);
    QCOMPARE(mView->verticalRuler()->lastPos(), end);
    sendMouse(viewport, QEvent::MouseButtonRelease, end, Qt::RightButton, Qt::NoButton);

    // A pan keeps the grabbed point of the canvas under the pointer.
    const QPointF grabbed = mView->mapToScene(end);
    if (pans)
        QVERIFY2((grabbed - sceneBefore).manhattanLength() < 2 / mView->transform().m11(),
                 qPrintable(QStringLiteral("%1,%2").arg(grabbed.x()).arg(grabbed.y())));
    else
        QCOMPARE(mView->mapToScene(start), sceneBefore);
    QCOMPARE(mView->dragMode(), QGraphicsView::NoDrag);
    QVERIFY(!mView->scrollEnabled());
    QVERIFY(!mSvgView->scene()->handDragging());
}

void TestDesignView::droppedFilesArePassedOnByKind_data()
{
    QTest::addColumn<QStringList>("urls");
    QTest::addColumn<QStringList>("passedOn");

    QTest::newRow("each kind")
            << QStringList{ "file:///d/photo.PNG", "file:///d/drawing.svg", "file:///d/part.DXF",
                            "file:///d/plot.plt", "file:///d/a.jpeg", "file:///d/b.TIFF",
                            "file:///d/c.tga", "file:///d/e.BMP", "file:///d/f.gif" }
            << QStringList{ "image /d/photo.PNG", "svg /d/drawing.svg", "dxf /d/part.DXF",
                            "plt /d/plot.plt", "image /d/a.jpeg", "image /d/b.TIFF",
                            "image /d/c.tga", "image /d/e.BMP", "image /d/f.gif" };
    QTest::newRow("mixed case endings are not recognised")
            << QStringList{ "file:///d/photo.Png", "file:///d/drawing.Svg", "file:///d/DRAWING.SVG" }
            << QStringList{ "svg /d/DRAWING.SVG" };
    QTest::newRow("unknown ending is skipped")
            << QStringList{ "file:///d/notes.txt", "file:///d/x.dxf" } << QStringList{ "dxf /d/x.dxf" };
    QTest::newRow("a remote URL ends the drop")
            << QStringList{ "file:///d/one.svg", "http://example.com/two.svg", "file:///d/three.svg" }
            << QStringList{ "svg /d/one.svg" };
}

void TestDesignView::droppedFilesArePassedOnByKind()
{
    QFETCH(QStringList, urls);
    QFETCH(QStringList, passedOn);

    QStringList received;
    auto record = [&received](const char *kind) {
        return [&received, kind](const QString &path) { received << QString("%1 %2").arg(kind, path); };
    };
    connect(mView, &DesignView::imageDropped, this, record("image"));
    connect(mView, &DesignView::svgDropped, this, record("svg"));
    connect(mView, &DesignView::dxfDropped, this, record("dxf"));
    connect(mView, &DesignView::pltDropped, this, record("plt"));

    QMimeData data;
    QList<QUrl> list;
    for (const QString &url : urls)
        list << QUrl(url);
    data.setUrls(list);
    const QPoint pos(300, 300);
    QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(mView->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(pos, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(mView->viewport(), &drop);
    QCOMPARE(received, passedOn);
    disconnect(mView, nullptr, this, nullptr);
}

void TestDesignView::dragsWithoutUrlsAreRefused()
{
    QMimeData data;
    data.setText("just text");
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(mView->viewport(), &enter);
    QVERIFY(!enter.isAccepted());
    QDragMoveEvent move(QPoint(310, 300), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(mView->viewport(), &move);
    QVERIFY(!move.isAccepted());
}

// Only canvas items open the menu; its Delete is passed on.
void TestDesignView::itemsOpenTheViewsMenu()
{
    QVERIFY(openBoxAtOrigin("menu.svg"));
    QSignalSpy deletes(mView, &DesignView::deleteRequested);

    const QPoint empty = mView->mapFromScene(-200, -200);
    QContextMenuEvent onEmpty(QContextMenuEvent::Mouse, empty, mView->viewport()->mapToGlobal(empty));
    QApplication::sendEvent(mView->viewport(), &onEmpty);
    QVERIFY(!mView->contextMenu()->isVisible());

    const QPoint onItem = mView->mapFromScene(200, 200);
    QContextMenuEvent overItem(QContextMenuEvent::Mouse, onItem, mView->viewport()->mapToGlobal(onItem));
    QApplication::sendEvent(mView->viewport(), &overItem);
    QVERIFY(mView->contextMenu()->isVisible());
    mView->deleteAction()->trigger();
    mView->contextMenu()->hide();
    QCOMPARE(deletes.count(), 1);
}

void TestDesignView::nodeTreeMenuNeedsASelectedRow()
{
    DomTreeView tree(QSize(256, 256));
    tree.setSVGView(mSvgView);
    tree.expandAll();
    tree.resize(300, 400);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    const QModelIndex first = tree.model()->index(0, 0);
    QVERIFY(first.isValid());
    QSignalSpy requests(&tree, &DomTreeView::deleteNodeRequested);

    // Below the last row: the selection is dropped and no menu shows.
    tree.setCurrentIndex(first);
    const QPoint empty(10, tree.viewport()->height() - 5);
    QVERIFY(!tree.indexAt(empty).isValid());
    QContextMenuEvent below(QContextMenuEvent::Mouse, empty, tree.viewport()->mapToGlobal(empty));
    QApplication::sendEvent(tree.viewport(), &below);
    QVERIFY(tree.selectionModel()->selectedIndexes().isEmpty());
    QVERIFY(!tree.contextMenu()->isVisible());

    tree.setCurrentIndex(first);
    const QPoint onRow = tree.visualRect(first).center();
    QContextMenuEvent over(QContextMenuEvent::Mouse, onRow, tree.viewport()->mapToGlobal(onRow));
    QApplication::sendEvent(tree.viewport(), &over);
    QVERIFY(tree.contextMenu()->isVisible());
    tree.deleteNodeAction()->trigger();
    tree.contextMenu()->hide();
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.first().first().toModelIndex(), first);
}

QTEST_MAIN(TestDesignView)
#include "tst_designview.moc"
