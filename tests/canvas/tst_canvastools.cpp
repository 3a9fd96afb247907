#include "canvas/graphicsrectitem.h"
#include "canvas/graphicstextitem.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "canvas/tools/canvastool.h"
#include "designfixture.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTextCursor>
#include <QtTest>

using DesignFixture::nodeById;
using DesignFixture::svg;

Q_DECLARE_METATYPE(DoodleTool)
Q_DECLARE_METATYPE(ScenePressState)

namespace {

// Three filled squares side by side and a text further down.
const QString design = "<g><rect id='a' x='0' y='0' width='100' height='100' style='fill:red'/>"
                       "<rect id='b' x='200' y='0' width='100' height='100' style='fill:red'/>"
                       "<rect id='c' x='400' y='0' width='100' height='100' style='fill:red'/>"
                       "<text id='t' x='100' y='400'>Text</text></g>";
const QPointF empty(150, 250);

QPointF centreOf(SVGView &view, const QString &id)
{
    return view.itemOf(nodeById(view, id))->sceneBoundingRect().center();
}

// Sends the event to the scene as a view would, so it goes through the tools.
void sendMouse(Scene *scene, QEvent::Type type, const QPointF &pos,
               Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QGraphicsSceneMouseEvent event(type);
    event.setScenePos(pos);
    event.setButton(button);
    event.setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::MouseButtons(button));
    event.setButtonDownScenePos(button, pos);
    event.setModifiers(modifiers);
    QCoreApplication::sendEvent(scene, &event);
}

void click(Scene *scene, const QPointF &pos, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    sendMouse(scene, QEvent::GraphicsSceneMousePress, pos, button, modifiers);
    sendMouse(scene, QEvent::GraphicsSceneMouseRelease, pos, button, modifiers);
}

void doubleClick(Scene *scene, const QPointF &pos)
{
    click(scene, pos);
    sendMouse(scene, QEvent::GraphicsSceneMouseDoubleClick, pos);
    sendMouse(scene, QEvent::GraphicsSceneMouseRelease, pos);
}

void typeKey(Scene *scene, Qt::Key key, const QString &text)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(scene, &event);
}

// Takes every event without passing it on and notes what it saw in a list
// that outlives it.
class RecordingTool : public CanvasTool
{
public:
    RecordingTool(Scene *scene, QStringList *events)
        : CanvasTool(scene)
        , mEvents(events)
    {
    }

    void mousePress(QGraphicsSceneMouseEvent *) override { *mEvents << "press"; }
    void mouseMove(QGraphicsSceneMouseEvent *) override { *mEvents << "move"; }
    void mouseRelease(QGraphicsSceneMouseEvent *) override { *mEvents << "release"; }
    void mouseDoubleClick(QGraphicsSceneMouseEvent *) override { *mEvents << "double"; }
    void keyPress(QKeyEvent *) override { *mEvents << "key"; }
    void finish() override { *mEvents << "finish"; }

private:
    QStringList *mEvents;
};

RecordingTool *installRecorder(Scene *scene, DoodleTool code, QStringList *events)
{
    auto *tool = new RecordingTool(scene, events);
    scene->installTool(code, std::unique_ptr<CanvasTool>(tool));
    return tool;
}

// A stand-in for a handle of the selection frame: a press reports resize().
class Handle : public QGraphicsRectItem
{
public:
    explicit Handle(Scene *scene)
        : QGraphicsRectItem(0, 0, 10, 10)
        , mScene(scene)
    {
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *) override { mScene->resize(); }

private:
    Scene *mScene;
};

} // namespace

class TestCanvasTools : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void eventsGoToTheActiveToolOnly();
    void changingToolOrDocumentFinishesTheGesture_data();
    void changingToolOrDocumentFinishesTheGesture();
    void pressStates_data();
    void pressStates();
    void picksKeepTheirOrderAndControlNeverDeselects();
    void keysReachTheTextBeingEditedUnlessTheToolTakesThem();
};

void TestCanvasTools::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestCanvasTools::eventsGoToTheActiveToolOnly()
{
    SVGView view;
    view.document()->setSvgText(svg(design));
    Scene *scene = view.scene();
    auto *item = static_cast<GraphicsRectItem *>(view.itemOf(nodeById(view, "a")));
    QSignalSpy left(item, &GraphicsRectItem::leftSelected);
    QStringList events;
    RecordingTool *tool = installRecorder(scene, DoodleTool::Rectangle, &events);
    QVERIFY(!scene->installTool(DoodleTool::Select, std::make_unique<RecordingTool>(scene, &events)));

    scene->setTool(DoodleTool::Rectangle);
    QCOMPARE(scene->activeTool(), tool);
    const QPointF onItem = centreOf(view, "a");
    sendMouse(scene, QEvent::GraphicsSceneMousePress, onItem);
    sendMouse(scene, QEvent::GraphicsSceneMouseMove, onItem + QPointF(5, 5));
    sendMouse(scene, QEvent::GraphicsSceneMouseRelease, onItem + QPointF(5, 5));
    sendMouse(scene, QEvent::GraphicsSceneMouseDoubleClick, onItem);
    typeKey(scene, Qt::Key_A, "a");
    QCOMPARE(events, (QStringList{"press", "move", "release", "double", "key"}));
    // The tool did not pass the press on: the item under it never heard of it.
    QCOMPARE(left.count(), 0);
    QVERIFY(scene->selectedItems().isEmpty());

    scene->setTool(DoodleTool::Select);
    QCOMPARE(events.last(), QStringLiteral("finish"));
    click(scene, onItem);
    QCOMPARE(events.size(), 6);
    QCOMPARE(left.count(), 1);
    QVERIFY(item->isSelected());
}

void TestCanvasTools::changingToolOrDocumentFinishesTheGesture_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("finishes");
    QTest::addColumn<DoodleTool>("toolAfter");

    QTest::newRow("to select") << "select" << 1 << DoodleTool::Select;
    QTest::newRow("to another tool") << "line" << 1 << DoodleTool::Line;
    QTest::newRow("same tool again") << "same" << 0 << DoodleTool::Rectangle;
    QTest::newRow("document replaced") << "document" << 1 << DoodleTool::Rectangle;
    QTest::newRow("new tool object for the code") << "install" << 1 << DoodleTool::Rectangle;
}

void TestCanvasTools::changingToolOrDocumentFinishesTheGesture()
{
    QFETCH(QString, change);
    QFETCH(int, finishes);
    QFETCH(DoodleTool, toolAfter);
    SVGView view;
    Scene *scene = view.scene();
    QStringList events;
    QStringList replacement;
    installRecorder(scene, DoodleTool::Rectangle, &events);
    scene->setTool(DoodleTool::Rectangle);

    if (change == "select") {
        scene->setTool(DoodleTool::Select);
    } else if (change == "line") {
        scene->setTool(DoodleTool::Line);
    } else if (change == "same") {
        scene->setTool(DoodleTool::Rectangle);
    } else if (change == "document") {
        view.document()->setSvgText(svg(design));
    } else {
        installRecorder(scene, DoodleTool::Rectangle, &replacement);
    }
    QCOMPARE(events.count("finish"), finishes);
    QCOMPARE(scene->tool(), toolAfter);
}

void TestCanvasTools::pressStates_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QString>("target");
    QTest::addColumn<ScenePressState>("expected");
    QTest::addColumn<int>("selected");

    QTest::newRow("left on item") << "left" << "a" << PressedOnItem << 1;
    QTest::newRow("control on item") << "control" << "a" << PressedOnItem << 2;
    QTest::newRow("right on item clears") << "right" << "a" << PressedOnItem << 0;
    // An empty left press starts a rubber band.
    QTest::newRow("left on empty") << "left" << "" << RubberBand << 0;
    QTest::newRow("right on empty") << "right" << "" << PressedOnEmpty << 0;
    QTest::newRow("handle") << "left" << "handle" << Idle << 1;
    QTest::newRow("double click on empty") << "double" << "" << DoubleClicked << 0;
    // The text item takes the double click itself and reports no press.
    QTest::newRow("double click on text") << "double" << "t" << DoubleClicked << 1;
}

void TestCanvasTools::pressStates()
{
    QFETCH(QString, gesture);
    QFETCH(QString, target);
    QFETCH(ScenePressState, expected);
    QFETCH(int, selected);
    SVGView view;
    view.document()->setSvgText(svg(design));
    Scene *scene = view.scene();

    auto *handle = new Handle(scene);
    handle->setPos(600, 600);
    scene->addItem(handle);

    // Start from a state the gesture must change, with another item selected.
    if (expected == Idle)
        click(scene, empty);
    else
        scene->resize();
    view.itemOf(nodeById(view, "c"))->setSelected(true);

    QPointF pos = empty;
    if (target == "handle")
        pos = handle->sceneBoundingRect().center();
    else if (!target.isEmpty())
        pos = centreOf(view, target);
    if (gesture == "double") {
        doubleClick(scene, pos);
    } else if (gesture == "right") {
        sendMouse(scene, QEvent::GraphicsSceneMousePress, pos, Qt::RightButton);
    } else {
        sendMouse(scene, QEvent::GraphicsSceneMousePress, pos, Qt::LeftButton,
                  gesture == "control" ? Qt::ControlModifier : Qt::NoModifier);
    }
    QCOMPARE(scene->pressState(), expected);
    QCOMPARE(scene->selectedItems().size(), selected);
    if (target == "t")
        QVERIFY(static_cast<GraphicsTextItem *>(view.itemOf(nodeById(view, "t")))->isEditing());
}

void TestCanvasTools::picksKeepTheirOrderAndControlNeverDeselects()
{
    SVGView view;
    view.document()->setSvgText(svg(design));
    Scene *scene = view.scene();
    QGraphicsItem *a = view.itemOf(nodeById(view, "a"));
    QGraphicsItem *b = view.itemOf(nodeById(view, "b"));
    QGraphicsItem *c = view.itemOf(nodeById(view, "c"));
    const auto selected = [scene] {
        QList<QGraphicsItem *> items = scene->selectedItems();
        std::sort(items.begin(), items.end());
        return items;
    };
    const auto sorted = [](QList<QGraphicsItem *> items) {
        std::sort(items.begin(), items.end());
        return items;
    };

    click(scene, centreOf(view, "a"));
    QCOMPARE(scene->selectedItemList(), QList<QGraphicsItem *>{a});
    click(scene, centreOf(view, "b"), Qt::LeftButton, Qt::ControlModifier);
    click(scene, centreOf(view, "a"), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(scene->selectedItemList(), (QList<QGraphicsItem *>{a, b}));
    QCOMPARE(selected(), sorted({a, b}));

    // With several selected, a plain press on one of them keeps them all for
    // dragging; on another item it picks that one alone.
    click(scene, centreOf(view, "a"));
    QCOMPARE(selected(), sorted({a, b}));
    QCOMPARE(scene->selectedItemList(), (QList<QGraphicsItem *>{a, b}));
    click(scene, centreOf(view, "c"));
    QCOMPARE(selected(), QList<QGraphicsItem *>{c});

    click(scene, centreOf(view, "c"), Qt::RightButton);
    QVERIFY(scene->selectedItems().isEmpty());
    QVERIFY(scene->selectedItemList().isEmpty());
    click(scene, centreOf(view, "c"));
    QCOMPARE(scene->selectedItemList(), QList<QGraphicsItem *>{c});
    QCOMPARE(selected(), QList<QGraphicsItem *>{c});
}

void TestCanvasTools::keysReachTheTextBeingEditedUnlessTheToolTakesThem()
{
    SVGView view;
    view.document()->setSvgText(svg(design));
    Scene *scene = view.scene();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(scene, &activate);
    auto *text = static_cast<GraphicsTextItem *>(view.itemOf(nodeById(view, "t")));

    doubleClick(scene, text->sceneBoundingRect().center());
    QVERIFY(text->isEditing());
    QTextCursor cursor = text->textCursor();
    cursor.movePosition(QTextCursor::End);
    text->setTextCursor(cursor);
    typeKey(scene, Qt::Key_S, "s");
    QCOMPARE(text->toPlainText(), QStringLiteral("Texts"));

    QStringList events;
    installRecorder(scene, DoodleTool::Ellipse, &events);
    scene->setTool(DoodleTool::Ellipse);
    typeKey(scene, Qt::Key_X, "x");
    QCOMPARE(events, QStringList{"key"});
    QCOMPARE(text->toPlainText(), QStringLiteral("Texts"));
}

QTEST_MAIN(TestCanvasTools)
#include "tst_canvastools.moc"
