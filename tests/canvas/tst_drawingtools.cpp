#include "canvas/graphicspathitem.h"
#include "canvas/graphicstextitem.h"
#include "canvas/itemfactory.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "canvas/tools/linetool.h"
#include "canvas/tools/pentool.h"
#include "designfixture.h"
#include "pinnedfonts.h"
#include "document/documenttemplate.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "document/textelement.h"
#include "document/undo.h"
#include "document/undostack.h"

#include <QGraphicsView>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionGraphicsItem>
#include <QTextCursor>
#include <QtTest>

using DesignFixture::svg;

Q_DECLARE_METATYPE(DoodleTool)

namespace {

using Points = QList<QPointF>;

// The canvas on screen at zoom 1 with the work area's corner at the
// viewport's corner, so scene and viewport coordinates agree.
class Canvas
{
public:
    explicit Canvas(const QString &design = QString())
    {
        if (!design.isEmpty())
            view.document()->setSvgText(design);
        widget.setScene(view.scene());
        widget.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget.resize(900, 700);
        widget.show();
        // Keys reach the focused text only in an active scene.
        if (!QTest::qWaitForWindowActive(&widget))
            qWarning("canvas window not active");
        view.setDesignView(&widget);
    }

    Scene *scene() const { return view.scene(); }
    QWidget *viewport() const { return widget.viewport(); }
    QPoint at(const QPointF &scenePoint) const { return widget.mapFromScene(scenePoint); }

    void press(const QPointF &p, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(viewport(), button, modifiers, at(p));
    }
    void release(const QPointF &p, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseRelease(viewport(), button, modifiers, at(p));
    }
    // QTest's own move carries no modifiers, which the ellipse tool reads.
    void move(const QPointF &p, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(QEvent::MouseMove, at(p), viewport()->mapToGlobal(at(p)), Qt::NoButton,
                          Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(viewport(), &event);
    }
    void drag(const QPointF &from, const QPointF &to,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(from, Qt::LeftButton, modifiers);
        move(to, modifiers);
        release(to, Qt::LeftButton, modifiers);
    }
    void click(const QPointF &p, Qt::MouseButton button = Qt::LeftButton)
    {
        press(p, button);
        release(p, button);
    }

    // The element the last gesture added to the drawing layer.
    QDomElement lastDrawn() const
    {
        return view.currentLayer() ? view.currentLayer()->element().lastChildElement()
                                   : QDomElement();
    }
    Node *lastDrawnNode() const
    {
        return view.document()->nodeForElement(lastDrawn());
    }

    SVGView view;
    QGraphicsView widget;
};

QString attributesOf(const QDomElement &element, const QStringList &names)
{
    QStringList parts;
    for (const QString &name : names)
        parts << name + '=' + element.attribute(name);
    return parts.join(' ');
}

// Stands in for the add command addNode pushes: names the element it added.
class StandInAdd : public Undo
{
public:
    explicit StandInAdd(Node *element)
        : Undo(UndoKind::Add)
        , mElement(element)
    {
    }
    void doSomething() override {}
    Node *addedElement() const override { return mElement; }

private:
    Node *mElement;
};

class StandInEdit : public Undo
{
public:
    StandInEdit()
        : Undo(UndoKind::Attribute)
    {
    }
    void doSomething() override {}
};

// Paints the item as the view would, into an image whose origin is the
// item's origin moved by `offset`.
QImage paintItem(GraphicsTextItem *item, const QPointF &offset = QPointF(50, 50))
{
    QImage image(600, 300, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(offset);
    QStyleOptionGraphicsItem option;
    item->paint(&painter, &option, nullptr);
    return image;
}

int caretPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == QColor("#c70640"))
                ++count;
        }
    }
    return count;
}

} // namespace

class TestDrawingTools : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void shapesFollowTheDrag_data();
    void shapesFollowTheDrag();
    void shapesUnderATransformedLayer();
    void penStrokes_data();
    void penStrokes();
    void penStrokeEndsWhereItWasReleased();
    void polylineClickByClick();
    void polylineEndsByDoubleClickOrKey_data();
    void polylineEndsByDoubleClickOrKey();
    void emptyDrawingsAreTakenBackWithTheirAddCommand_data();
    void emptyDrawingsAreTakenBackWithTheirAddCommand();
    void dropAddOnlyDropsTheElementsOwnCommand();
    void drawingIntoADesignWithoutLayer_data();
    void drawingIntoADesignWithoutLayer();
    void replacingTheDocumentEndsTheDrawing_data();
    void replacingTheDocumentEndsTheDrawing();
    void choosingToolsClearsTheSelection();
    void textToolPlacesATextAndEditsIt();
    void typedTextIsCommittedOnceWithTheFormerText();
    void undoRestoresATextThatHadNone_data();
    void undoRestoresATextThatHadNone();
    void caretShapeColourAndBlink();
    void doubleClickPlacesTheCursor_data();
    void doubleClickPlacesTheCursor();
};

void TestDrawingTools::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestDrawingTools::shapesFollowTheDrag_data()
{
    QTest::addColumn<DoodleTool>("tool");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QString>("written");

    QTest::newRow("rect down right") << DoodleTool::Rectangle << Qt::KeyboardModifiers() << QPointF(160, 130)
                                     << "x=100.000000 y=100.000000 width=60.000000 height=30.000000";
    QTest::newRow("rect up left") << DoodleTool::Rectangle << Qt::KeyboardModifiers() << QPointF(40, 70)
                                  << "x=40.000000 y=70.000000 width=60.000000 height=30.000000";
    QTest::newRow("ellipse") << DoodleTool::Ellipse << Qt::KeyboardModifiers() << QPointF(160, 130)
                             << "cx=130.000000 cy=115.000000 rx=30.000000 ry=15.000000";
    // Control makes a circle of diameter 30 at (40, 70) up and left, and of
    // diameter 60 at (100, 100) down and right.
    QTest::newRow("circle up left") << DoodleTool::Ellipse << Qt::KeyboardModifiers(Qt::ControlModifier)
                                    << QPointF(40, 70)
                                    << "cx=55.000000 cy=85.000000 rx=15.000000 ry=15.000000";
    QTest::newRow("circle down right") << DoodleTool::Ellipse << Qt::KeyboardModifiers(Qt::ControlModifier)
                                       << QPointF(160, 130)
                                       << "cx=130.000000 cy=130.000000 rx=30.000000 ry=30.000000";
    QTest::newRow("control with shift is no circle")
            << DoodleTool::Ellipse << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)
            << QPointF(160, 130) << "cx=130.000000 cy=115.000000 rx=30.000000 ry=15.000000";
}

void TestDrawingTools::shapesFollowTheDrag()
{
    QFETCH(DoodleTool, tool);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPointF, to);
    QFETCH(QString, written);
    Canvas canvas;
    canvas.view.setDoodleTool(tool);
    const bool isRect = tool == DoodleTool::Rectangle;
    const QStringList names = isRect ? QStringList{"x", "y", "width", "height"}
                                     : QStringList{"cx", "cy", "rx", "ry"};

    canvas.press(QPointF(100, 100), Qt::LeftButton, modifiers);
    // Created at the press point with the short number form.
    QCOMPARE(canvas.lastDrawn().tagName(), isRect ? QString("rect") : QString("ellipse"));
    QCOMPARE(attributesOf(canvas.lastDrawn(), names),
             isRect ? QString("x=100 y=100 width=0 height=0") : QString("cx=100 cy=100 rx=0 ry=0"));
    QCOMPARE(canvas.lastDrawn().attribute("style"), ElementStyles::shape);
    const QString created = attributesOf(canvas.lastDrawn(), names);
    canvas.move(to, modifiers);
    // The item follows the pointer before anything is written.
    QGraphicsItem *item = canvas.view.itemOf(canvas.lastDrawnNode());
    QCOMPARE(item->pos(), QPointF(qMin(100.0, to.x()), qMin(100.0, to.y())));
    QCOMPARE(canvas.scene()->lastScenePos(), to);
    QCOMPARE(attributesOf(canvas.lastDrawn(), names), created);
    canvas.release(to, Qt::LeftButton, modifiers);

    QCOMPARE(attributesOf(canvas.lastDrawn(), names), written);
    QCOMPARE(canvas.scene()->drawingNode(), nullptr);
    // The item and the element's cached geometry agree with what was written.
    QCOMPARE(canvas.view.itemOf(canvas.lastDrawnNode()), item);
    const QRectF bounds = item->mapRectToScene(item->boundingRect());
    canvas.view.document()->setSvgText(canvas.view.document()->toSvgText());
    QGraphicsItem *reread = canvas.view.itemOf(canvas.lastDrawnNode());
    QCOMPARE(reread->mapRectToScene(reread->boundingRect()), bounds);
}

void TestDrawingTools::shapesUnderATransformedLayer()
{
    // New elements live in the layer's own coordinates.
    Canvas canvas(svg("<g transform='translate(50,20)'/>"));
    canvas.view.setDoodleTool(DoodleTool::Rectangle);
    canvas.drag(QPointF(100, 100), QPointF(160, 130));
    QCOMPARE(attributesOf(canvas.lastDrawn(), {"x", "y", "width", "height"}),
             QString("x=50.000000 y=80.000000 width=60.000000 height=30.000000"));
    QGraphicsItem *item = canvas.view.itemOf(canvas.lastDrawnNode());
    QCOMPARE(item->scenePos(), QPointF(100, 100));
}

void TestDrawingTools::penStrokes_data()
{
    QTest::addColumn<Points>("moves");
    QTest::addColumn<QString>("d");

    Points straight;
    for (int k = 1; k <= 14; ++k)
        straight << QPointF(100 + 10 * k, 100);
    // What is left after the last group is joined straight to the release point.
    const QString tail = QStringLiteral("l ") + QStringLiteral("10.000000,0.000000 ").repeated(7);
    // 16 points with the press point twice: P0..P3 = x 100, 130, 170, 210;
    // k1 = 3/7, k2 = 1/2 put the control points at x 136 and 164.
    QTest::newRow("16 points give one cubic")
            << straight << "m 100.000000,100.000000 c 36.000000,0.000000 64.000000,0.000000 70.000000,0.000000 " + tail;
    QTest::newRow("15 points give straight segments")
            << straight.mid(0, 13)
            << "m 100.000000,100.000000 l " + QStringLiteral("10.000000,0.000000 ").repeated(13);
    Points repeated = straight;
    repeated.insert(3, repeated.at(2));
    QTest::newRow("a repeated point is sampled once")
            << repeated << "m 100.000000,100.000000 c 36.000000,0.000000 64.000000,0.000000 70.000000,0.000000 " + tail;
    // Jitter between two spots makes points 4, 8 and 12 coincide: both
    // splits divide 0 by 0 without the middle fallback.
    Points jitter;
    for (int k = 0; k < 14; ++k)
        jitter << QPointF(k % 2 == 0 ? 101 : 100, 100);
    QTest::newRow("jitter") << jitter
                            << "m 100.000000,100.000000 c 1.000000,0.000000 1.000000,0.000000 1.000000,0.000000 "
                               "l -1.000000,0.000000 1.000000,0.000000 -1.000000,0.000000 1.000000,0.000000 "
                               "-1.000000,0.000000 1.000000,0.000000 -1.000000,0.000000 ";
    Points two = straight;
    for (int k = 1; k <= 4; ++k)
        two << QPointF(240 + 10 * k, 100);
    QTest::newRow("20 points give two cubics")
            << two
            << "m 100.000000,100.000000 c 36.000000,0.000000 64.000000,0.000000 70.000000,0.000000 "
               "6.000000,0.000000 34.000000,0.000000 40.000000,0.000000 " + tail;
}

void TestDrawingTools::penStrokes()
{
    QFETCH(Points, moves);
    QFETCH(QString, d);
    Canvas canvas;
    canvas.view.setDoodleTool(DoodleTool::Path);
    canvas.press(QPointF(100, 100));
    QCOMPARE(canvas.lastDrawn().attribute("d"), QString("m100,100"));
    for (const QPointF &p : moves)
        canvas.move(p);
    canvas.release(moves.last());

    QCOMPARE(canvas.lastDrawn().attribute("d"), d);
    QCOMPARE(canvas.lastDrawn().attribute("style"), ElementStyles::path);
    // The item shows what was written: the design read back draws the same.
    auto *item = static_cast<GraphicsPathItem *>(canvas.view.itemOf(canvas.lastDrawnNode()));
    const QRectF drawn = item->path().boundingRect();
    canvas.view.document()->setSvgText(canvas.view.document()->toSvgText());
    item = static_cast<GraphicsPathItem *>(canvas.view.itemOf(canvas.lastDrawnNode()));
    QCOMPARE(item->path().boundingRect(), drawn);
}

// The old fault: the samples after the last group of 16 were dropped, so a
// stroke lost most of its last leg (6.6 of 21.9 mm kept).
void TestDrawingTools::penStrokeEndsWhereItWasReleased()
{
    Canvas canvas;
    canvas.view.setDoodleTool(DoodleTool::Path);
    canvas.press(QPointF(100, 100));
    for (int x = 104; x <= 300; x += 4)
        canvas.move(QPointF(x, 100));
    for (int y = 104; y <= 200; y += 4)
        canvas.move(QPointF(300, y));
    canvas.release(QPointF(300, 200));

    // What the saved design draws.
    canvas.view.document()->setSvgText(canvas.view.document()->toSvgText());
    auto *item = static_cast<GraphicsPathItem *>(canvas.view.itemOf(canvas.lastDrawnNode()));
    QVERIFY(item);
    const QPainterPath path = item->path();
    QCOMPARE(path.currentPosition(), QPointF(300, 200));
    QCOMPARE(path.pointAtPercent(0), QPointF(100, 100));
}

void TestDrawingTools::polylineClickByClick()
{
    Canvas canvas;
    canvas.view.setDoodleTool(DoodleTool::Line);
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(100, 100));
    QCOMPARE(canvas.lastDrawn().attribute("d"), QString("m100,100"));
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(200, 100));
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(200, 150));
    auto *item = static_cast<GraphicsPathItem *>(canvas.view.itemOf(canvas.lastDrawnNode()));
    // The rubber segment follows the pointer from the last corner.
    canvas.move(QPointF(300, 300));
    QCOMPARE(item->path().currentPosition(), QPointF(300, 300));
    QCOMPARE(item->path().elementCount(), 4);
    QCOMPARE(canvas.lastDrawn().attribute("d"), QString("m100,100"));

    canvas.click(QPointF(300, 300), Qt::RightButton);
    QCOMPARE(canvas.lastDrawn().attribute("d"),
             QString("m 100.000000,100.000000 l 100.000000,0.000000 0.000000,50.000000 "));
    QCOMPARE(canvas.lastDrawn().attribute("style"), ElementStyles::path);
    QCOMPARE(item->path().currentPosition(), QPointF(200, 150));
    QCOMPARE(canvas.scene()->drawingNode(), nullptr);

    // The view's front ends a polyline, and so does choosing another tool.
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(400, 400));
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(450, 400));
    canvas.view.finishPolyline();
    QCOMPARE(canvas.lastDrawn().attribute("d"),
             QString("m 400.000000,400.000000 l 50.000000,0.000000 "));
    canvas.view.finishPolyline();
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(500, 400));
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(500, 450));
    canvas.view.setDoodleTool(DoodleTool::Rectangle);
    QCOMPARE(canvas.lastDrawn().attribute("d"),
             QString("m 500.000000,400.000000 l 0.000000,50.000000 "));
}

void TestDrawingTools::polylineEndsByDoubleClickOrKey_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("double click") << 0;
    QTest::newRow("enter") << int(Qt::Key_Return);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter);
    QTest::newRow("escape") << int(Qt::Key_Escape);
}

// The old fault: only a right click or another tool ended a polyline.
void TestDrawingTools::polylineEndsByDoubleClickOrKey()
{
    QFETCH(int, key);
    Canvas canvas;
    canvas.view.setDoodleTool(DoodleTool::Line);
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(100, 100));
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(200, 100));
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(200, 150));
    if (key == 0) {
        // A double click reaches the view as press, release, double click, release.
        QTest::mouseDClick(canvas.viewport(), Qt::LeftButton, {}, canvas.at(QPointF(200, 150)));
        canvas.release(QPointF(200, 150));
    } else {
        canvas.move(QPointF(320, 320));
        canvas.widget.setFocus();
        QTest::keyClick(canvas.viewport(), Qt::Key(key));
    }
    QCOMPARE(canvas.scene()->drawingNode(), nullptr);
    QCOMPARE(canvas.lastDrawn().attribute("d"),
             QString("m 100.000000,100.000000 l 100.000000,0.000000 0.000000,50.000000 "));
    // The next click starts a new polyline.
    QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.click(QPointF(400, 400));
    QCOMPARE(canvas.lastDrawn().attribute("d"), QString("m400,400"));
}

void TestDrawingTools::emptyDrawingsAreTakenBackWithTheirAddCommand_data()
{
    QTest::addColumn<DoodleTool>("tool");
    QTest::addColumn<Points>("gesture");

    QTest::newRow("rect click") << DoodleTool::Rectangle << Points{{100, 100}};
    QTest::newRow("flat rect") << DoodleTool::Rectangle << Points{{100, 100}, {200, 100}};
    QTest::newRow("thin ellipse") << DoodleTool::Ellipse << Points{{100, 100}, {100, 160}};
    QTest::newRow("circle of nothing") << DoodleTool::Ellipse << Points{{100, 100}};
    QTest::newRow("pen click") << DoodleTool::Path << Points{{100, 100}};
    QTest::newRow("polyline of one click") << DoodleTool::Line << Points{{100, 100}, {300, 300}};
}

void TestDrawingTools::emptyDrawingsAreTakenBackWithTheirAddCommand()
{
    QFETCH(DoodleTool, tool);
    QFETCH(Points, gesture);
    Canvas canvas;
    canvas.view.setDoodleTool(tool);
    const QString before = canvas.view.document()->toSvgText();
    const int items = canvas.scene()->items().size();
    const int cached = canvas.view.currentLayer()->cachedChildCount();
    canvas.view.pushUndo(std::make_unique<StandInEdit>());
    QSignalSpy removedRows(canvas.view.document(), &QAbstractItemModel::rowsRemoved);

    if (tool == DoodleTool::Line)
        QTest::ignoreMessage(QtDebugMsg, "Qt::LeftButton");
    canvas.press(gesture.first());
    Node *drawn = canvas.scene()->drawingNode();
    QVERIFY(drawn);
    // Where addNode records no add command, one stands in for it.
    if (canvas.view.undoStack().count() == 1)
        canvas.view.pushUndo(std::make_unique<StandInAdd>(drawn));
    for (const QPointF &p : gesture.mid(1))
        canvas.move(p);
    canvas.release(gesture.last());
    if (tool == DoodleTool::Line)
        canvas.click(gesture.last(), Qt::RightButton);

    QCOMPARE(canvas.view.document()->toSvgText(), before);
    QCOMPARE(canvas.scene()->items().size(), items);
    QCOMPARE(canvas.view.currentLayer()->cachedChildCount(), cached);
    // The tree view hears that the row went.
    QCOMPARE(removedRows.count(), 1);
    // Only the add command goes: redo has nothing to put back.
    QCOMPARE(canvas.view.undoStack().count(), 1);
    QCOMPARE(canvas.view.undoStack().position(), 0);
    QCOMPARE(canvas.scene()->drawingNode(), nullptr);
}

void TestDrawingTools::dropAddOnlyDropsTheElementsOwnCommand()
{
    Canvas canvas(svg("<g><rect id='a' width='5' height='5'/><rect id='b' width='5' height='5'/></g>"));
    Node *a = DesignFixture::nodeById(canvas.view, "a");
    Node *b = DesignFixture::nodeById(canvas.view, "b");
    UndoStack stack;
    stack.push(std::make_unique<StandInAdd>(a));
    stack.push(std::make_unique<StandInEdit>());
    QVERIFY(!stack.dropAdd(a)); // not the command in effect
    stack.undo();
    QVERIFY(!stack.dropAdd(b));
    QVERIFY(!stack.dropAdd(nullptr));
    QVERIFY(stack.dropAdd(a));
    // The undone edit stays behind the dropped command and is still redone.
    QCOMPARE(stack.position(), -1);
    QCOMPARE(stack.count(), 1);
}

void TestDrawingTools::drawingIntoADesignWithoutLayer_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<DoodleTool>("tool");
    QTest::addColumn<QString>("tag");

    const QString flat = svg("<rect id='r' width='10' height='10'/>");
    QTest::newRow("rect") << flat << DoodleTool::Rectangle << "rect";
    QTest::newRow("ellipse") << flat << DoodleTool::Ellipse << "ellipse";
    QTest::newRow("pen") << flat << DoodleTool::Path << "path";
    QTest::newRow("polyline") << flat << DoodleTool::Line << "path";
    QTest::newRow("text") << flat << DoodleTool::Text << "text";
    // Without an svg element there is no canvas to draw on: nothing happens.
    QTest::newRow("no svg") << QString("<drawing/>") << DoodleTool::Path << QString();
}

void TestDrawingTools::drawingIntoADesignWithoutLayer()
{
    QFETCH(QString, design);
    QFETCH(DoodleTool, tool);
    QFETCH(QString, tag);
    Canvas canvas(design);
    QCOMPARE(canvas.view.currentLayer(), nullptr);
    canvas.view.setDoodleTool(tool);
    const QString before = canvas.view.document()->toSvgText();

    canvas.press(QPointF(100, 100));
    for (int k = 1; k <= 20; ++k)
        canvas.move(QPointF(100 + 3 * k, 100 + 2 * k));
    canvas.release(QPointF(160, 140));
    canvas.click(QPointF(200, 200));
    canvas.click(QPointF(200, 200), Qt::RightButton);

    if (tag.isEmpty()) {
        QCOMPARE(canvas.view.document()->toSvgText(), before);
        return;
    }
    // The design gets a layer after its own content, and the drawing goes in.
    Node *layer = canvas.view.currentLayer();
    QVERIFY(layer);
    QCOMPARE(layer->element().parentNode(), canvas.view.document()->domDocument().documentElement());
    QCOMPARE(layer->element().previousSiblingElement().attribute("id"), QString("r"));
    QCOMPARE(canvas.lastDrawn().tagName(), tag);
    QVERIFY(canvas.view.itemOf(canvas.lastDrawnNode()));
}

void TestDrawingTools::replacingTheDocumentEndsTheDrawing_data()
{
    QTest::addColumn<DoodleTool>("tool");
    QTest::addColumn<QString>("replacement");

    QTest::newRow("polyline, new") << DoodleTool::Line << "new";
    QTest::newRow("polyline, load") << DoodleTool::Line << "load";
    QTest::newRow("pen, new") << DoodleTool::Path << "new";
    QTest::newRow("rect, load") << DoodleTool::Rectangle << "load";
}

void TestDrawingTools::replacingTheDocumentEndsTheDrawing()
{
    QFETCH(DoodleTool, tool);
    QFETCH(QString, replacement);
    Canvas canvas;
    canvas.view.setDoodleTool(tool);
    canvas.press(QPointF(100, 100));
    canvas.move(QPointF(150, 150));
    if (tool == DoodleTool::Line)
        canvas.click(QPointF(150, 150));
    QVERIFY(canvas.scene()->drawingNode());

    if (replacement == "new")
        canvas.view.newDocument();
    else
        canvas.view.document()->setSvgText(svg("<g id='fresh'/>"));

    QCOMPARE(canvas.scene()->drawingNode(), nullptr);
    CanvasTool *active = canvas.scene()->activeTool();
    if (auto *line = dynamic_cast<LineTool *>(active))
        QVERIFY(!line->isActive());
    if (auto *pen = dynamic_cast<PenTool *>(active))
        QVERIFY(!pen->isActive());
    // The gesture's remaining events reach nothing of the old design, and
    // the next one draws into the new one.
    canvas.move(QPointF(180, 180));
    canvas.release(QPointF(180, 180));
    canvas.click(QPointF(180, 180), Qt::RightButton);
    QCOMPARE(canvas.view.currentLayer()->element().childNodes().count(),
             replacement == "new" ? 1 : 0);
    canvas.press(QPointF(10, 10));
    QCOMPARE(canvas.lastDrawn().isNull(), false);
}

void TestDrawingTools::choosingToolsClearsTheSelection()
{
    Canvas canvas(svg("<g><rect id='a' width='50' height='50' style='fill:red'/>"
                      "<text id='t' x='100' y='100'>ab</text></g>"));
    QGraphicsItem *rect = canvas.view.itemOf(DesignFixture::nodeById(canvas.view, "a"));
    auto *text = static_cast<GraphicsTextItem *>(canvas.view.itemOf(DesignFixture::nodeById(canvas.view, "t")));
    canvas.click(QPointF(25, 25));
    QCOMPARE(canvas.scene()->selectedItems(), QList<QGraphicsItem *>{rect});
    QSignalSpy none(canvas.scene(), &Scene::selectNoneNode);

    QTest::ignoreMessage(QtDebugMsg, "setDoodleTool(DoodleTool tool)    Select");
    canvas.view.setDoodleTool(DoodleTool::Select);
    QCOMPARE(canvas.scene()->selectedItems().size(), 1);

    // A text being edited is written into the design when the selection goes.
    text->setSelected(true);
    canvas.scene()->appendSelectedItem(text);
    text->startEditing(2);
    QTest::keyClicks(canvas.viewport(), "c");
    QCOMPARE(text->toPlainText(), QString("abc"));
    QTest::ignoreMessage(QtDebugMsg, "setDoodleTool(DoodleTool tool)    default");
    canvas.view.setDoodleTool(DoodleTool::Ellipse);
    QVERIFY(canvas.scene()->selectedItems().isEmpty());
    QVERIFY(canvas.scene()->selectedItemList().isEmpty());
    QCOMPARE(none.count(), 0);
    QVERIFY(!text->isEditing());
    QCOMPARE(static_cast<TextElement *>(DesignFixture::nodeById(canvas.view, "t"))->text(), QString("abc"));
    QCOMPARE(canvas.view.doodleTool(), DoodleTool::Ellipse);
}

void TestDrawingTools::textToolPlacesATextAndEditsIt()
{
    Canvas canvas;
    canvas.view.setDoodleTool(DoodleTool::Text);
    QSignalSpy toSelect(canvas.scene(), &Scene::RequestToChangeToSelect);
    QSignalSpy modified(&canvas.view, &SVGView::itemModified);

    QTest::ignoreMessage(QtDebugMsg, "1111111    mSelectedItemList 0");
    QTest::ignoreMessage(QtDebugMsg, "2222222    mSelectedItemList 1");
    QTest::ignoreMessage(QtDebugMsg, "setDoodleTool(DoodleTool tool)    Select");
    canvas.click(QPointF(120, 200));

    const QDomElement text = canvas.lastDrawn();
    QCOMPARE(text.tagName(), QString("text"));
    QCOMPARE(attributesOf(text, {"x", "y", "rotate"}), QString("x=120.000000 y=200.000000 rotate=0"));
    QCOMPARE(text.attribute("style"), ElementStyles::text);
    QCOMPARE(text.text(), QString("Text"));
    auto *item = static_cast<GraphicsTextItem *>(canvas.view.itemOf(canvas.lastDrawnNode()));
    QVERIFY(item->isEditing());
    QVERIFY(item->isSelected());
    QCOMPARE(canvas.scene()->selectedItemList(), QList<QGraphicsItem *>{item});
    QCOMPARE(item->textCursor().selectedText(), QString("Text"));
    QCOMPARE(canvas.view.doodleTool(), DoodleTool::Select);
    QCOMPARE(toSelect.count(), 1);
    QCOMPARE(canvas.scene()->pressState(), PressedOnEmpty);

    // Keys typed next replace the placeholder; the design sees them on commit.
    const QRectF narrow = item->boundingRect();
    modified.clear();
    QTest::keyClicks(canvas.viewport(), "Hello world");
    QCOMPARE(item->toPlainText(), QString("Hello world"));
    QVERIFY(item->boundingRect().width() > narrow.width());
    QCOMPARE(text.text(), QString("Text"));
    const int commands = canvas.view.undoStack().count();
    canvas.view.commitPendingText();
    QCOMPARE(text.text(), QString("Hello world"));
    QVERIFY(item->isEditing());
    QCOMPARE(canvas.view.undoStack().count(), commands + 1);
    QCOMPARE(modified.count(), 1);
    // Committing again with nothing new records nothing.
    canvas.view.commitPendingText();
    QCOMPARE(canvas.view.undoStack().count(), commands + 1);
}

void TestDrawingTools::typedTextIsCommittedOnceWithTheFormerText()
{
    Canvas canvas(svg("<g><text id='t1' x='0' y='0'>one</text>"
                      "<text id='t2' x='0' y='200'>two</text>"
                      "<text id='t3' x='0' y='400'>three</text></g>"));
    const QString before = canvas.view.document()->toSvgText();
    QList<GraphicsTextItem *> items;
    for (const char *id : {"t1", "t2", "t3"}) {
        auto *item = static_cast<GraphicsTextItem *>(canvas.view.itemOf(DesignFixture::nodeById(canvas.view, id)));
        item->setSelected(true);
        canvas.scene()->appendSelectedItem(item);
        items << item;
    }
    items[0]->setPlainText("uno");
    items[2]->setPlainText("tres");

    canvas.scene()->clearUpSelected();
    // One command for both changed texts; the unchanged one is left alone.
    QCOMPARE(canvas.view.undoStack().count(), 1);
    const QString edited = canvas.view.document()->toSvgText();
    QVERIFY(edited.contains(">uno<") && edited.contains(">two<") && edited.contains(">tres<"));
    QVERIFY(!items[0]->isEditing());

    canvas.view.undo();
    QCOMPARE(canvas.view.document()->toSvgText(), before);
    QCOMPARE(items[0]->toPlainText(), QString("one"));
    canvas.view.redo();
    QCOMPARE(canvas.view.document()->toSvgText(), edited);
}

void TestDrawingTools::undoRestoresATextThatHadNone_data()
{
    QTest::addColumn<QString>("body");

    QTest::newRow("empty") << "<text id='t' x='0' y='0'/>";
    QTest::newRow("tspan first") << "<text id='t' x='0' y='0'><tspan>a</tspan></text>";
    QTest::newRow("comment first") << "<text id='t' x='0' y='0'><!--c--></text>";
}

void TestDrawingTools::undoRestoresATextThatHadNone()
{
    QFETCH(QString, body);
    Canvas canvas(svg("<g>" + body + "</g>"));
    const QString before = canvas.view.document()->toSvgText();
    auto *item = static_cast<GraphicsTextItem *>(canvas.view.itemOf(DesignFixture::nodeById(canvas.view, "t")));
    QVERIFY(item->toPlainText().isEmpty());
    canvas.scene()->appendSelectedItem(item);
    item->setPlainText("hi");
    canvas.scene()->clearUpSelected();
    const QString edited = canvas.view.document()->toSvgText();
    QVERIFY(edited.contains(">hi<"));

    canvas.view.undo();
    QCOMPARE(canvas.view.document()->toSvgText(), before);
    canvas.view.redo();
    QCOMPARE(canvas.view.document()->toSvgText(), edited);
}

void TestDrawingTools::caretShapeColourAndBlink()
{
    Canvas canvas(svg("<g><text id='t' x='0' y='0' style='font-size:50px'>Text</text></g>"));
    auto *item = static_cast<GraphicsTextItem *>(canvas.view.itemOf(DesignFixture::nodeById(canvas.view, "t")));
    QCOMPARE(caretPixels(paintItem(item)), 0);

    item->startEditing(2);
    const QPointF offset(50, 50);
    const QImage image = paintItem(item, offset);
    // The stem stands at the cursor's glyph position, 5 units wide.
    const double x = item->glyphPositions().at(2).x() + offset.x();
    const QRectF caret = item->caretPath().boundingRect().translated(offset);
    const int row = int(caret.center().y());
    int across = 0;
    for (int px = int(x) - 10; px <= int(x) + 10; ++px)
        across += image.pixelColor(px, row) == QColor("#c70640") ? 1 : 0;
    QCOMPARE(across, 5);
    // Bars of 10 units at both ends of a stem 10 longer than the glyph "e".
    QCOMPARE(caret.width(), 10.0);
    QPainterPath e;
    e.addText(0, 0, item->font(), "e");
    QCOMPARE(caret.height(), e.boundingRect().height() + 10);

    // "Text" gives the bound 5000 / 5: paints 1..999 show the caret, 1000
    // to 1011 do not, and the count starts again.
    item->startEditing(2);
    QList<bool> shown;
    for (int paint = 1; paint <= 1013; ++paint)
        shown << (caretPixels(paintItem(item).copy(QRect(caret.toAlignedRect()).adjusted(-5, -5, 5, 5))) > 0);
    QVERIFY(shown.mid(0, 999).indexOf(false) < 0);
    QCOMPARE(shown.mid(999, 12).indexOf(true), -1);
    QCOMPARE(shown.mid(1011), (QList<bool>{true, true}));

    item->stopEditing();
    QCOMPARE(caretPixels(paintItem(item)), 0);
}

void TestDrawingTools::doubleClickPlacesTheCursor_data()
{
    QTest::addColumn<int>("glyph");
    QTest::addColumn<int>("cursor");

    // The text is "ab\ncd": positions a0 b1 end2 c3 d4 end5.
    QTest::newRow("on a") << 0 << 1;
    QTest::newRow("on b") << 1 << 2;
    QTest::newRow("on d") << 4 << 5;
}

void TestDrawingTools::doubleClickPlacesTheCursor()
{
    QFETCH(int, glyph);
    QFETCH(int, cursor);
    Canvas canvas(svg("<g><text id='t' x='100' y='100' style='font-size:50px'>ab\ncd</text></g>"));
    auto *item = static_cast<GraphicsTextItem *>(canvas.view.itemOf(DesignFixture::nodeById(canvas.view, "t")));
    QCOMPARE(item->glyphPositions().size(), 6);
    // A little into the glyph, halfway down the line.
    const QPointF nudge(5, 0.6 * QFontMetricsF(item->font()).ascent());
    const QPointF target = item->mapToScene(item->glyphPositions().at(glyph) + nudge);
    QTest::mouseDClick(canvas.viewport(), Qt::LeftButton, Qt::NoModifier, canvas.at(target));
    QVERIFY(item->isEditing());
    QCOMPARE(item->textCursor().position(), cursor);
}

PLIMB_TEST_MAIN_WITH_PINNED_FONTS(TestDrawingTools)
#include "tst_drawingtools.moc"
