#include "canvas/editoperations.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "canvasfixture.h"
#include "document/addundo.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "document/undostack.h"
#include "stdoutcapture.h"

#include <QGraphicsItem>
#include <QGraphicsSceneMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Every drawable kind the canvas writes, each at its own place.
const QString design =
        "<g>"
        "<rect id='rect' x='10' y='10' width='40' height='20' style='fill:red'/>"
        "<circle id='circle' cx='100' cy='30' r='15' style='fill:red'/>"
        "<ellipse id='ellipse' cx='160' cy='30' rx='20' ry='10' transform='rotate(10)' style='fill:red'/>"
        "<line id='line' x1='200' y1='10' x2='260' y2='40' style='stroke:#000;stroke-width:2'/>"
        "<polyline id='polyline' points='300,10 330,40 360,10' style='fill:none;stroke:#000'/>"
        "<polygon id='polygon' points='400,10 430,40 460,10' style='fill:red'/>"
        "<path id='path' d='M500,10 L540,10 L540,40 Z M560,10 L580,30' style='fill:red'/>"
        "<path id='path2' d='M600,10 L640,10' style='fill:none;stroke:#000'/>"
        "<text id='text' x='20' y='200' style='font-size:20px'>Hi</text>"
        "</g>";

void select(CanvasFixture &canvas, const QStringList &ids)
{
    canvas.scene()->clearSelection();
    for (const QString &id : ids)
        canvas.item(id)->setSelected(true);
}

void pointAt(Scene *scene, const QPointF &pos)
{
    QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMouseMove);
    event.setScenePos(pos);
    event.setLastScenePos(pos);
    QCoreApplication::sendEvent(scene, &event);
}

// One user edit on the fixture, by name.
void edit(CanvasFixture &canvas, const QString &operation, const QStringList &ids)
{
    Scene *scene = canvas.scene();
    select(canvas, ids);
    if (operation == "move")
        scene->setItemProperty({"x", "y"}, {"33", "44"});
    else if (operation == "resize")
        scene->setItemProperty({"width", "height"}, {"70", "35"});
    else if (operation == "rotate")
        scene->setItemProperty({"rotate"}, {"45"});
    else if (operation == "mirror")
        scene->mirrorSelection(EditOperations::Direction::Horizontal);
    else if (operation == "align")
        scene->alignSelection(EditOperations::Side::Top);
    else if (operation == "fill")
        scene->setItemProperty({"fill"}, {"#123456"});
    else if (operation == "add")
        canvas.view().addNode("rect", {"x", "y", "width", "height"}, {"1", "2", "3", "4"});
    else if (operation == "delete")
        scene->deleteSelection();
    else if (operation == "group")
        scene->groupSelection();
    else if (operation == "ungroup group") {
        scene->groupSelection();
        scene->ungroupSelection();
    } else if (operation == "ungroup")
        scene->ungroupSelection();
    else if (operation == "paste") {
        scene->copySelection();
        pointAt(scene, QPointF(500, 500));
        scene->pasteCopied();
    }
}

} // namespace

class TestUndoReplay : public QObject
{
    Q_OBJECT

private slots:
    void undoRestoresDesignText_data();
    void undoRestoresDesignText();
    void traceLines();
    void replayTellsTheWindow();
    void discardedAddDeletesItsElement();
    void addNodeIsUndoable();
};

void TestUndoReplay::undoRestoresDesignText_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("ids");
    const QStringList kinds{"rect", "circle", "ellipse", "line", "polyline", "polygon", "path", "text"};
    for (const QString &kind : kinds)
        QTest::newRow(qPrintable("move " + kind)) << "move" << QStringList{kind};
    QTest::newRow("move all") << "move" << kinds;
    for (const char *kind : {"rect", "circle", "line", "path", "text"})
        QTest::newRow(qPrintable("resize " + QString(kind))) << "resize" << QStringList{kind};
    QTest::newRow("rotate all") << "rotate" << kinds;
    QTest::newRow("mirror all") << "mirror" << kinds;
    QTest::newRow("align all") << "align" << kinds;
    QTest::newRow("fill") << "fill" << QStringList{"rect", "path"};
    QTest::newRow("add") << "add" << QStringList{};
    QTest::newRow("delete") << "delete" << QStringList{"rect", "path", "text"};
    QTest::newRow("group") << "group" << QStringList{"rect", "circle"};
    QTest::newRow("ungroup group") << "ungroup group" << QStringList{"rect", "circle"};
    QTest::newRow("group paths") << "group" << QStringList{"path", "path2", "polygon"};
    QTest::newRow("ungroup path") << "ungroup" << QStringList{"path"};
    QTest::newRow("paste") << "paste" << QStringList{"rect", "text", "line"};
}

void TestUndoReplay::undoRestoresDesignText()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, ids);
    CanvasFixture canvas(design);
    const QString before = canvas.text();
    edit(canvas, operation, ids);
    const QString edited = canvas.text();
    const int steps = canvas.view().undoStack().count();
    QVERIFY(steps > 0);
    for (int i = 0; i < steps; ++i)
        canvas.view().undo();
    QCOMPARE(canvas.text(), before);
    for (int i = 0; i < steps; ++i)
        canvas.view().redo();
    QCOMPARE(canvas.text(), edited);
    // And back once more: the replay does not wear out.
    for (int i = 0; i < steps; ++i)
        canvas.view().undo();
    QCOMPARE(canvas.text(), before);
}

void TestUndoReplay::traceLines()
{
    CanvasFixture canvas(design);
    canvas.view().addNode("rect", {"width"}, {"3"});
    select(canvas, {"rect", "circle"});
    canvas.scene()->groupSelection();
    select(canvas, {"path2"});
    canvas.scene()->setItemProperty({"x"}, {"0"});
    StdoutCapture capture;
    canvas.view().undo();
    canvas.view().undo();
    canvas.view().undo();
    canvas.view().redo();
    canvas.view().redo();
    canvas.view().redo();
    // Qt Test prints debug lines on standard output too: only the trace is compared.
    QByteArray text;
    for (const QByteArray &line : capture.text().split('\n'))
        if (!line.isEmpty() && !line.startsWith("QDEBUG"))
            text += line + '\n';
    QCOMPARE(text,
             QByteArray("Redo::Attribute::doSomething, operating size:1\n"
                        "Redo::AddGroupUndo::doSomething\n"
                        "Redo::AddUndo::doSomething\n"
                        "Undo::AddUndo::doSomething\n"
                        "Undo::AddGroupUndo::doSomething\n"
                        "Undo::Attribute::doSomething, operating size:1\n"));
}

void TestUndoReplay::replayTellsTheWindow()
{
    CanvasFixture canvas(design);
    select(canvas, {"rect"});
    canvas.scene()->setItemProperty({"x"}, {"300"});
    QSignalSpy modified(&canvas.view(), &SVGView::itemModified);
    QSignalSpy one(canvas.scene(), &Scene::selectOneNode);
    canvas.view().undo();
    QCOMPARE(modified.count(), 1);
    QVERIFY(one.count() >= 1);
    // The panel hears the restored position.
    QCOMPARE(one.last().at(1).toRectF().left(), canvas.item("rect")->sceneBoundingRect().left());
    canvas.view().undo(); // at the bottom: nothing happens, nothing is told
    QCOMPARE(modified.count(), 1);
}

void TestUndoReplay::discardedAddDeletesItsElement()
{
    CanvasFixture canvas(design);
    Node *added = canvas.view().addNode("rect", {"width", "height"}, {"3", "4"});
    QPointer<QObject> item = dynamic_cast<QObject *>(canvas.view().itemOf(added));
    QVERIFY(item);
    canvas.view().itemOf(added)->setSelected(true);
    canvas.scene()->copySelection();
    canvas.view().undo();
    QVERIFY(item);
    // A new edit drops the undone command and, with it, the detached element.
    select(canvas, {"rect"});
    canvas.scene()->setItemProperty({"x"}, {"5"});
    QVERIFY(!item);
    QVERIFY(canvas.scene()->copiedItems().isEmpty());
    QCOMPARE(canvas.view().undoStack().count(), 1);
}

void TestUndoReplay::addNodeIsUndoable()
{
    CanvasFixture canvas(design);
    const QString before = canvas.text();
    Node *added = canvas.view().addNode("ellipse", {"cx", "cy", "rx", "ry"}, {"5", "5", "2", "2"});
    QVERIFY(added);
    QCOMPARE(canvas.view().undoStack().count(), 1);
    canvas.view().undo();
    QCOMPARE(canvas.text(), before);
}

QTEST_MAIN(TestUndoReplay)
#include "tst_undoreplay.moc"
