#include "canvas/editoperations.h"
#include "canvas/graphicsgroupitem.h"
#include "canvas/itemfactory.h"
#include "canvas/scene.h"
#include "canvas/selectitem.h"
#include "canvas/svgview.h"
#include "canvasfixture.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "document/undostack.h"

#include <QAbstractItemModelTester>
#include <QGraphicsSceneMouseEvent>
#include <QtTest>

namespace {

// The last pointer position on the canvas, where pastes land.
void pointAt(Scene *scene, const QPointF &pos)
{
    QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMouseMove);
    event.setScenePos(pos);
    event.setLastScenePos(pos);
    QCoreApplication::sendEvent(scene, &event);
}

QList<Node *> childrenOfLayer(CanvasFixture &canvas)
{
    return canvas.view().currentLayer()->cachedChildren();
}

QStringList tags(const QList<Node *> &nodes)
{
    QStringList names;
    for (const Node *node : nodes)
        names << node->element().tagName();
    return names;
}

} // namespace

class TestEditOperations : public QObject
{
    Q_OBJECT

private slots:
    void pasteShiftsByLeadingTranslate();
    void pastedGroupIsOneUndoStepMore();
    void deleteAndUndoRestoresPlace();
    void pathGroupMergesInChainOrder();
    void chainOrder_data();
    void chainOrder();
    void pathGroupUnderTransformedLayer();
    void ungroupPathSplitsSubpaths();
    void userGroupSelectsAsOne();
    void align_data();
    void align();
    void mirror_data();
    void mirror();
    void nudgeChangesCanvasOnly();
    void groupMembersAreTransformedAfterUndo();
    void itemWithoutElementStopsBeforeWriting();
};

void TestEditOperations::pasteShiftsByLeadingTranslate()
{
    CanvasFixture canvas("<g><rect id='a' x='100' y='100' width='20' height='20' style='fill:red;stroke:none'/>"
                         "<rect id='b' x='150' y='120' width='20' height='20' transform='translate(1,2)' style='fill:red;stroke:none'/></g>");
    canvas.item("a")->setSelected(true);
    canvas.item("b")->setSelected(true);
    canvas.scene()->copySelection();
    pointAt(canvas.scene(), QPointF(300, 150));
    canvas.scene()->pasteCopied();
    const QList<Node *> children = childrenOfLayer(canvas);
    QCOMPARE(children.size(), 4);
    QStringList transforms;
    for (Node *node : children.mid(2))
        transforms << node->element().attribute("transform");
    transforms.sort();
    // The bounds start at (100, 100): the copies move by (200, 50).
    QCOMPARE(transforms, (QStringList{"translate(200.000000,50.000000)", "translate(201.000000,52.000000)"}));
    QCOMPARE(canvas.view().undoStack().count(), 2);
}

void TestEditOperations::pastedGroupIsOneUndoStepMore()
{
    CanvasFixture canvas("<g><rect id='a' x='0' y='0' width='20' height='20' style='fill:red'/>"
                         "<ellipse id='e' cx='50' cy='50' rx='10' ry='10' style='fill:red'/></g>");
    canvas.item("a")->setSelected(true);
    canvas.item("e")->setSelected(true);
    canvas.scene()->groupSelection();
    const QString grouped = canvas.text();
    QCOMPARE(canvas.scene()->selectedItems().size(), 1);
    canvas.scene()->copySelection();
    pointAt(canvas.scene(), QPointF(300, 300));
    canvas.scene()->pasteCopied();
    QCOMPARE(canvas.view().undoStack().count(), 4); // group, two copies, pasted group
    int groups = 0;
    for (QGraphicsItem *item : canvas.scene()->items())
        groups += item->type() == GraphicsGroupItem::Type;
    QCOMPARE(groups, 2);
    for (int i = 0; i < 3; ++i)
        canvas.view().undo();
    groups = 0;
    for (QGraphicsItem *item : canvas.scene()->items())
        groups += item->type() == GraphicsGroupItem::Type;
    QCOMPARE(groups, 1);
    QCOMPARE(canvas.text(), grouped);
}

void TestEditOperations::deleteAndUndoRestoresPlace()
{
    CanvasFixture canvas("<g><rect id='a' x='0' y='0' width='20' height='20' style='fill:red'/>"
                         "<rect id='b' x='50' y='0' width='20' height='20' style='fill:red'/></g>");
    QAbstractItemModelTester tester(canvas.view().document(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QString before = canvas.text();
    Node *a = canvas.node("a");
    QGraphicsItem *item = canvas.item("a");
    item->setSelected(true);
    canvas.scene()->deleteSelection();
    QVERIFY(!canvas.text().contains("id=\"a\""));
    QCOMPARE(item->scene(), nullptr);
    canvas.view().undo();
    QCOMPARE(item->scene(), canvas.scene());
    QCOMPARE(canvas.node("a"), a);
    // Back where it was, not at the end.
    QCOMPARE(childrenOfLayer(canvas), (QList<Node *>{a, canvas.node("b")}));
    QCOMPARE(canvas.text(), before);
}

void TestEditOperations::pathGroupMergesInChainOrder()
{
    // Listed far end first: the chain starts at the leftmost start point.
    CanvasFixture canvas("<g><path id='c' d='M200,0 L300,0' style='fill:none;stroke:#000'/>"
                         "<path id='a' d='M0,0 L100,0' style='fill:none;stroke:#000'/>"
                         "<path id='b' d='M101,0 L199,0' style='fill:none;stroke:#000'/></g>");
    QAbstractItemModelTester tester(canvas.view().document(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QString before = canvas.text();
    for (const char *id : {"a", "b", "c"})
        canvas.item(id)->setSelected(true);
    canvas.scene()->groupSelection();
    const QList<Node *> children = childrenOfLayer(canvas);
    QCOMPARE(tags(children), QStringList{"path"});
    Node *merged = children.first();
    QCOMPARE(merged->element().attribute("style"),
             QString("fill:none;stroke:#000000;stroke-width:0.264583px;stroke-linecap:butt;"
                     "stroke-linejoin:miter;stroke-opacity:1"));
    const QString d = merged->element().attribute("d");
    const int first = d.indexOf("M 0.000000,0.000000");
    const int second = d.indexOf("M 101.000000,0.000000");
    const int third = d.indexOf("M 200.000000,0.000000");
    QVERIFY2(first >= 0 && first < second && second < third, qPrintable(d));
    QCOMPARE(canvas.scene()->selectedItems(), QList<QGraphicsItem *>{canvas.view().itemOf(merged)});
    // One command: undo brings the three back, redo only the merged path.
    QCOMPARE(canvas.view().undoStack().count(), 1);
    const QString after = canvas.text();
    canvas.view().undo();
    QCOMPARE(canvas.view().document()->toSvgText().count("<path"), 3);
    canvas.view().undo();
    canvas.view().redo();
    QCOMPARE(canvas.text(), after);
    canvas.view().undo();
    QVERIFY(canvas.text().count("<path") == 3 && before.count("<path") == 3);
}

void TestEditOperations::chainOrder_data()
{
    QTest::addColumn<QList<QLineF>>("lines");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("nearest start next")
            << QList<QLineF>{{0, 0, 10, 0}, {50, 0, 60, 0}, {12, 0, 40, 0}} << QList<int>{0, 2, 1};
    QTest::newRow("smaller y breaks the scan")
            << QList<QLineF>{{5, 5, 6, 5}, {9, 1, 9, 2}, {0, 9, 1, 9}} << QList<int>{2, 0, 1};
    QTest::newRow("one") << QList<QLineF>{{3, 3, 4, 4}} << QList<int>{0};
}

void TestEditOperations::chainOrder()
{
    QFETCH(QList<QLineF>, lines);
    QFETCH(QList<int>, order);
    QList<QPainterPath> paths;
    for (const QLineF &line : lines) {
        QPainterPath path(line.p1());
        path.lineTo(line.p2());
        paths << path;
    }
    QCOMPARE(EditOperations::chainOrder(paths), order);
}

void TestEditOperations::pathGroupUnderTransformedLayer()
{
    CanvasFixture canvas("<g transform='translate(100,0)'>"
                         "<path id='a' d='M0,0 L10,0' style='fill:none;stroke:#000'/>"
                         "<path id='b' d='M20,0 L30,0' style='fill:none;stroke:#000'/></g>");
    canvas.item("a")->setSelected(true);
    canvas.item("b")->setSelected(true);
    const QRectF before = canvas.scene()->selectionBounds(canvas.scene()->selectedItems());
    canvas.scene()->groupSelection();
    QGraphicsItem *merged = canvas.scene()->selectedItems().value(0);
    QVERIFY(merged);
    // The outline is written in the layer's coordinates, so it stays put.
    QCOMPARE(canvas.scene()->selectionBounds({merged}), before);
}

void TestEditOperations::ungroupPathSplitsSubpaths()
{
    CanvasFixture canvas("<g><path id='p' d='M0,0 L10,0 L10,10 Z M50,50 L60,50' style='fill:none;stroke:#000'/>"
                         "<rect id='r' x='0' y='100' width='5' height='5' style='fill:red'/></g>");
    canvas.item("p")->setSelected(true);
    canvas.item("r")->setSelected(true);
    canvas.scene()->ungroupSelection();
    QCOMPARE(canvas.view().undoStack().count(), 0);
    canvas.item("r")->setSelected(false);
    const QString before = canvas.text();
    canvas.scene()->ungroupSelection();
    QCOMPARE(tags(childrenOfLayer(canvas)), (QStringList{"rect", "path", "path"}));
    QCOMPARE(canvas.view().undoStack().count(), 1);
    const QString after = canvas.text();
    canvas.view().undo();
    QCOMPARE(canvas.text().count("<path"), 1);
    canvas.view().redo();
    QCOMPARE(canvas.text(), after);
    QVERIFY(before != after);
}

void TestEditOperations::userGroupSelectsAsOne()
{
    CanvasFixture canvas("<g><rect id='a' x='0' y='0' width='50' height='50' style='fill:red'/>"
                         "<path id='p' d='M100,0 L150,0 L150,50 Z' style='fill:red'/></g>");
    const QString before = canvas.text();
    canvas.item("a")->setSelected(true);
    canvas.item("p")->setSelected(true);
    canvas.scene()->groupSelection();
    QCOMPARE(canvas.text(), before);
    auto group = SelectItem::ownerGroupOf(canvas.item("a"));
    QVERIFY(group);
    QCOMPARE(SelectItem::ownerGroupOf(canvas.item("p")), group);
    canvas.click(canvas.toView(QPointF(25, 25)));
    QCOMPARE(canvas.scene()->selectedItems(), QList<QGraphicsItem *>{group});
    // Dragging the group moves both members.
    canvas.drag(canvas.toView(QPointF(140, 30)), QPoint(10, 0));
    QCOMPARE(canvas.attribute("a", "x"), QString("10.000000"));
    QCOMPARE(canvas.attribute("p", "transform"), QString("translate(10.000000,0.000000)"));

    canvas.scene()->ungroupSelection();
    QCOMPARE(SelectItem::ownerGroupOf(canvas.item("a")), nullptr);
    QCOMPARE(group->scene(), nullptr);
    canvas.view().undo();
    QCOMPARE(SelectItem::ownerGroupOf(canvas.item("a")), group);
    QCOMPARE(group->scene(), canvas.scene());
}

void TestEditOperations::align_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    // Bounds 10.5 and 40.5 with the pen; 11 and 41 without it.
    QTest::newRow("left") << "<rect id='a' x='11' y='0' width='20' height='20' style='fill:red;stroke:#000;stroke-width:1'/>"
                             "<rect id='b' x='41' y='50' width='20' height='20' style='fill:red;stroke:#000;stroke-width:1'/>"
                          << int(EditOperations::Side::Left) << "x" << "11.000000";
    QTest::newRow("right, all negative")
            << "<rect id='a' x='-100' y='0' width='20' height='20' style='fill:red;stroke:#000;stroke-width:1'/>"
               "<rect id='b' x='-50' y='50' width='10' height='20' style='fill:red;stroke:#000;stroke-width:1'/>"
            << int(EditOperations::Side::Right) << "x" << "-10.000000";
    QTest::newRow("bottom") << "<rect id='a' x='0' y='0' width='20' height='100' style='fill:red;stroke:#000;stroke-width:1'/>"
                               "<rect id='b' x='50' y='10' width='20' height='20' style='fill:red;stroke:#000;stroke-width:1'/>"
                            << int(EditOperations::Side::Bottom) << "y" << "80.000000";
}

void TestEditOperations::align()
{
    QFETCH(QString, body);
    QFETCH(int, side);
    QFETCH(QString, name);
    QFETCH(QString, value);
    CanvasFixture canvas("<g>" + body + "</g>");
    canvas.item("a")->setSelected(true);
    canvas.item("b")->setSelected(true);
    const QString before = canvas.text();
    canvas.scene()->alignSelection(EditOperations::Side(side));
    QCOMPARE(canvas.attribute("b", name), value);
    QCOMPARE(canvas.view().undoStack().count(), 1);
    canvas.view().undo();
    QCOMPARE(canvas.text(), before);
}

void TestEditOperations::mirror_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("transform");
    QTest::newRow("horizontal") << "<g><rect id='a' x='100' y='0' width='50' height='10' style='fill:red'/></g>"
                                << int(EditOperations::Direction::Horizontal)
                                << "matrix(-1.000000,0.000000,0.000000,1.000000,250.000000,0.000000)";
    QTest::newRow("vertical, after a transform")
            << "<g><rect id='a' x='0' y='0' width='50' height='10' transform='translate(0,5)' style='fill:red'/></g>"
            << int(EditOperations::Direction::Vertical)
            << "matrix(1.000000,0.000000,0.000000,-1.000000,0.000000,15.000000)";
    // Bounds (100, 0, 50, 10) on the canvas; in the layer the element spans 0 to 50.
    QTest::newRow("under a moved layer")
            << "<g transform='translate(100,0)'><rect id='a' x='0' y='0' width='50' height='10' style='fill:red'/></g>"
            << int(EditOperations::Direction::Horizontal)
            << "matrix(-1.000000,0.000000,0.000000,1.000000,50.000000,0.000000)";
}

void TestEditOperations::mirror()
{
    QFETCH(QString, body);
    QFETCH(int, direction);
    QFETCH(QString, transform);
    CanvasFixture canvas(body);
    canvas.item("a")->setSelected(true);
    const QRectF before = canvas.item("a")->sceneBoundingRect();
    canvas.scene()->mirrorSelection(EditOperations::Direction(direction));
    QCOMPARE(canvas.attribute("a", "transform"), transform);
    QCOMPARE(canvas.item("a")->sceneBoundingRect(), before);
}

void TestEditOperations::nudgeChangesCanvasOnly()
{
    CanvasFixture canvas("<g><rect id='a' x='0' y='0' width='50' height='10' style='fill:red;stroke:none'/></g>");
    canvas.item("a")->setSelected(true);
    const QString before = canvas.text();
    canvas.scene()->nudgeSelection();
    QCOMPARE(canvas.item("a")->sceneBoundingRect().left(), 50.0);
    QCOMPARE(canvas.text(), before);
    QCOMPARE(canvas.view().undoStack().count(), 0);
}

void TestEditOperations::groupMembersAreTransformedAfterUndo()
{
    CanvasFixture canvas("<g><rect id='a' x='0' y='0' width='50' height='10' style='fill:red;stroke:none'/>"
                         "<rect id='b' x='100' y='0' width='50' height='10' style='fill:red;stroke:none'/></g>");
    canvas.item("a")->setSelected(true);
    canvas.item("b")->setSelected(true);
    canvas.scene()->groupSelection();
    canvas.scene()->mirrorSelection(EditOperations::Direction::Horizontal);
    canvas.view().undo();
    // The frame refitted by the undo holds the members, not the group.
    canvas.scene()->mirrorSelection(EditOperations::Direction::Horizontal);
    QCOMPARE(canvas.attribute("a", "transform"),
             QString("matrix(-1.000000,0.000000,0.000000,1.000000,150.000000,0.000000)"));
    QCOMPARE(canvas.item("a")->sceneBoundingRect().left(), 100.0);
}

void TestEditOperations::itemWithoutElementStopsBeforeWriting()
{
    CanvasFixture canvas("<g><rect id='a' x='0' y='0' width='50' height='10' style='fill:red;stroke:none'/></g>");
    auto *stranger = canvas.scene()->addRect(0, 100, 10, 10);
    stranger->setFlag(QGraphicsItem::ItemIsSelectable);
    canvas.item("a")->setSelected(true);
    stranger->setSelected(true);
    const QString before = canvas.text();
    canvas.scene()->alignSelection(EditOperations::Side::Bottom);
    canvas.scene()->mirrorSelection(EditOperations::Direction::Vertical);
    canvas.scene()->setItemProperty({"x"}, {"300"});
    QCOMPARE(canvas.text(), before);
    QCOMPARE(canvas.view().undoStack().count(), 0);
}

QTEST_MAIN(TestEditOperations)
#include "tst_editoperations.moc"
