#include "canvas/itemfactory.h"
#include "canvas/resizepoint.h"
#include "canvas/scene.h"
#include "canvas/selectingtool.h"
#include "canvas/selectitem.h"
#include "canvas/svgview.h"
#include "canvasfixture.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(ScenePressState)

namespace {

bool finiteText(const QString &text)
{
    static const QRegularExpression nonFinite("\\b(nan|inf)\\b", QRegularExpression::CaseInsensitiveOption);
    return !text.contains(nonFinite);
}

QPoint centre(CanvasFixture &canvas, const QString &id)
{
    return canvas.toView(canvas.item(id)->sceneBoundingRect().center());
}

QPoint handleCentre(CanvasFixture &canvas, int kind)
{
    return canvas.toView(canvas.scene()->selectFrame()->handle(kind)->sceneBoundingRect().center());
}

const QString threeSquares = "<g><rect id='a' x='0' y='0' width='100' height='100' style='fill:red;stroke:none'/>"
                             "<rect id='b' x='200' y='0' width='100' height='100' style='fill:red;stroke:none'/>"
                             "<rect id='c' x='400' y='0' width='100' height='100' style='fill:red;stroke:none'/></g>";

} // namespace

class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void dragWritesConjugatedTransform();
    void dragWritesLeadingTranslate_data();
    void dragWritesLeadingTranslate();
    void pressingPicks();
    void pressingUnselectedItemOfSeveralPicksItAlone();
    void rubberBand_data();
    void rubberBand();
    void rubberBandColour_data();
    void rubberBandColour();
    void edgeHandleFollowsPointer_data();
    void edgeHandleFollowsPointer();
    void cornerHandleKeepsRatio();
    void thinSelectionNeverWritesNonFiniteMatrix_data();
    void thinSelectionNeverWritesNonFiniteMatrix();
    void rotateHandleUsesProgramDivisor();
    void propertyPosition();
    void propertyWidthOfIdentityNormalises();
    void propertyRotationUndoesExactlyAndRefits();
    void propertyParametersAndDefaults();
    void frameGoesWithDeletionAndReplacement();
};

void TestSelection::dragWritesConjugatedTransform()
{
    CanvasFixture canvas("<g><rect id='r' x='10' y='20' width='60' height='40' "
                         "transform='rotate(30)' style='fill:red;stroke:none'/></g>");
    const QString before = canvas.text();
    canvas.drag(centre(canvas, "r"), QPoint(5, 0));
    QCOMPARE(canvas.attribute("r", "x"), QString("15.000000"));
    QCOMPARE(canvas.attribute("r", "y"), QString("20.000000"));
    // translate(5,0) rotate(30) translate(-5,0)
    QCOMPARE(canvas.attribute("r", "transform"),
             QString("matrix(0.866025,0.500000,-0.500000,0.866025,0.669873,-2.500000)"));
    QCOMPARE(canvas.view().undoStack().count(), 1);
    canvas.view().undo();
    QCOMPARE(canvas.text(), before);
}

void TestSelection::dragWritesLeadingTranslate_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QList<QPoint>>("drags");
    QTest::addColumn<QString>("transform");
    QTest::newRow("path") << "<path id='p' d='M0,0 L100,0 L100,100 Z' style='fill:red;stroke:none'/>"
                          << QList<QPoint>{{3, 4}} << "translate(3.000000,4.000000)";
    QTest::newRow("path twice") << "<path id='p' d='M0,0 L100,0 L100,100 Z' transform='scale(2)' style='fill:red;stroke:none'/>"
                                << QList<QPoint>{{10, 0}, {0, 5}} << "translate(10.000000,5.000000)scale(2)";
    QTest::newRow("polygon") << "<polygon id='p' points='0,0 100,0 100,100' style='fill:red;stroke:none'/>"
                             << QList<QPoint>{{3, 4}} << "translate(3.000000,4.000000)";
    QTest::newRow("polyline") << "<polyline id='p' points='0,0 100,0 100,100' style='fill:red;stroke:none'/>"
                              << QList<QPoint>{{3, 4}} << "translate(3.000000,4.000000)";
    QTest::newRow("line") << "<line id='p' x1='0' y1='50' x2='100' y2='50' style='stroke:#000;stroke-width:4'/>"
                          << QList<QPoint>{{3, 4}} << "translate(3.000000,4.000000)";
}

void TestSelection::dragWritesLeadingTranslate()
{
    QFETCH(QString, element);
    QFETCH(QList<QPoint>, drags);
    QFETCH(QString, transform);
    CanvasFixture canvas("<g>" + element + "</g>");
    const QRectF start = canvas.item("p")->sceneBoundingRect();
    for (const QPoint &offset : drags)
        canvas.drag(canvas.toView(start.center()) + (canvas.toView(canvas.item("p")->sceneBoundingRect().center())
                                                    - canvas.toView(start.center())),
                    offset);
    QCOMPARE(canvas.attribute("p", "transform"), transform);
    // The item stands where the written element puts it.
    QCOMPARE(canvas.item("p")->pos(), QPointF(0, 0));
    QPoint total;
    for (const QPoint &offset : drags)
        total += offset;
    QCOMPARE(canvas.item("p")->sceneBoundingRect().topLeft(), start.topLeft() + QPointF(total));
}

void TestSelection::pressingPicks()
{
    CanvasFixture canvas(threeSquares);
    Scene *scene = canvas.scene();
    canvas.click(centre(canvas, "a"));
    QCOMPARE(scene->pressState(), PressedOnItem);
    QCOMPARE(scene->selectedItems(), QList<QGraphicsItem *>{canvas.item("a")});
    QVERIFY(scene->selectFrame());

    canvas.click(centre(canvas, "b"), Qt::ControlModifier);
    canvas.click(centre(canvas, "b"), Qt::ControlModifier);
    // Control adds and never removes.
    QCOMPARE(scene->selectedItems().size(), 2);
    QCOMPARE(scene->selectedItemList(), (QList<QGraphicsItem *>{canvas.item("a"), canvas.item("b")}));

    // Pressing one of several selected items drags them all.
    canvas.drag(centre(canvas, "a"), QPoint(0, 10));
    QCOMPARE(canvas.attribute("a", "y"), QString("10.000000"));
    QCOMPARE(canvas.attribute("b", "y"), QString("10.000000"));
    QCOMPARE(canvas.attribute("c", "y"), QString("0"));

    canvas.click(canvas.toView(QPointF(700, 700)));
    QCOMPARE(scene->pressState(), RubberBand);
    QVERIFY(scene->selectedItems().isEmpty());
    QCOMPARE(scene->selectFrame(), nullptr);
}

void TestSelection::pressingUnselectedItemOfSeveralPicksItAlone()
{
    CanvasFixture canvas(threeSquares);
    canvas.click(centre(canvas, "a"));
    canvas.click(centre(canvas, "b"), Qt::ControlModifier);
    canvas.drag(centre(canvas, "c"), QPoint(0, 10));
    QCOMPARE(canvas.scene()->selectedItems(), QList<QGraphicsItem *>{canvas.item("c")});
    QCOMPARE(canvas.attribute("c", "y"), QString("10.000000"));
    QCOMPARE(canvas.attribute("a", "y"), QString("0"));
}

void TestSelection::rubberBand_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QStringList>("selected");
    // The band from (150, 50) to (250, 150) touches b only.
    QTest::newRow("down, touching") << QPointF(150, 50) << QPointF(250, 150) << QStringList{};
    QTest::newRow("up, touching") << QPointF(250, 150) << QPointF(150, 50) << QStringList{"b"};
    QTest::newRow("down, enclosing") << QPointF(150, -50) << QPointF(350, 150) << QStringList{"b"};
    QTest::newRow("up, across two") << QPointF(450, 150) << QPointF(250, 50) << QStringList{"b", "c"};
    // Triangle t has its corner at (200, 200) and its slanted side from
    // (300, 200) to (200, 300): the corner (280..300, 280..300) of its bounds
    // lies outside it.
    QTest::newRow("up, in the bounds only") << QPointF(300, 300) << QPointF(280, 280) << QStringList{};
    QTest::newRow("up, on the shape") << QPointF(230, 230) << QPointF(210, 210) << QStringList{"t"};
    QTest::newRow("down, enclosing the shape") << QPointF(190, 190) << QPointF(310, 310) << QStringList{"t"};
}

void TestSelection::rubberBand()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(QStringList, selected);
    CanvasFixture canvas("<g><rect id='a' x='0' y='0' width='100' height='100' style='fill:red;stroke:none'/>"
                         "<rect id='b' x='200' y='0' width='100' height='100' style='fill:red;stroke:none'/>"
                         "<rect id='c' x='400' y='0' width='100' height='100' style='fill:red;stroke:none'/>"
                         "<path id='t' d='M200,200 L300,200 L200,300 Z' style='fill:red;stroke:none'/></g>");
    canvas.widget().centerOn(250, 50);
    canvas.drag(canvas.toView(from), canvas.toView(to) - canvas.toView(from));
    QStringList ids;
    for (QGraphicsItem *item : canvas.scene()->selectedItems())
        ids << ItemFactory::nodeOf(item)->element().attribute("id");
    ids.sort();
    QCOMPARE(ids, selected);
    // No band is left behind.
    for (QGraphicsItem *item : canvas.scene()->items())
        QVERIFY(!dynamic_cast<SelectingTool *>(item));
}

void TestSelection::rubberBandColour_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("down") << QPoint(200, 100) << QColor(0xBD, 0x2E, 0x09);
    QTest::newRow("up") << QPoint(200, -100) << QColor(0x07, 0x8C, 0x3F);
}

void TestSelection::rubberBandColour()
{
    QFETCH(QPoint, offset);
    QFETCH(QColor, colour);
    CanvasFixture canvas("<g/>");
    const QPoint from = canvas.toView(QPointF(300, 300));
    canvas.press(from);
    canvas.moveTo(from + offset);
    QImage image(1000, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        canvas.scene()->render(&painter, QRectF(0, 0, 1000, 1000), QRectF(0, 0, 1000, 1000));
    }
    canvas.release(from + offset);
    // The band's left edge at x = 300, half way along it.
    const int y = 300 + offset.y() / 2;
    QCOMPARE(image.pixelColor(300, y), colour);
}

void TestSelection::edgeHandleFollowsPointer_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("zoom 1") << 1.0;
    QTest::newRow("zoom 2") << 2.0;
}

void TestSelection::edgeHandleFollowsPointer()
{
    QFETCH(double, zoom);
    CanvasFixture canvas("<g><rect id='r' x='100' y='100' width='100' height='50' style='fill:red;stroke:none'/></g>", zoom);
    canvas.click(centre(canvas, "r"));
    // Right handle by 40 screen pixels: 40 / zoom units wider, left edge fixed.
    canvas.drag(handleCentre(canvas, resizePoint::Right), QPoint(40, 0));
    const QRectF bounds = canvas.item("r")->sceneBoundingRect();
    QCOMPARE(bounds.left(), 100.0);
    QCOMPARE(bounds.width(), 100 + 40 / zoom);
    QCOMPARE(bounds.height(), 50.0);
    QCOMPARE(canvas.scene()->selectFrame()->rect(), bounds);
    // Top handle: only the height changes, the bottom edge stays.
    canvas.drag(handleCentre(canvas, resizePoint::Top), QPoint(0, -20));
    const QRectF taller = canvas.item("r")->sceneBoundingRect();
    QCOMPARE(taller.bottom(), 150.0);
    QCOMPARE(taller.height(), 50 + 20 / zoom);
    QCOMPARE(taller.width(), bounds.width());
    QCOMPARE(canvas.view().undoStack().count(), 2);
}

void TestSelection::cornerHandleKeepsRatio()
{
    CanvasFixture canvas("<g><rect id='r' x='100' y='100' width='101' height='51' style='fill:red;stroke:none'/></g>");
    canvas.click(centre(canvas, "r"));
    QCOMPARE(canvas.scene()->selectFrame()->rect().size(), QSizeF(101, 51));
    // (101 - 1) / (51 - 1) = 2: 20 across, so 10 down.
    canvas.drag(handleCentre(canvas, resizePoint::BottomRight), QPoint(20, 3));
    const QSizeF size = canvas.scene()->selectFrame()->rect().size();
    QVERIFY2(qAbs(size.width() - 121) < 1e-3 && qAbs(size.height() - 61) < 1e-3,
             qPrintable(QString("%1 x %2").arg(size.width()).arg(size.height())));
}

void TestSelection::thinSelectionNeverWritesNonFiniteMatrix_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<int>("kind");
    QTest::newRow("1 unit high, corner") << "<rect id='r' x='100' y='100' width='100' height='1' style='fill:red;stroke:none'/>"
                                        << int(resizePoint::BottomRight);
    QTest::newRow("0 high, corner") << "<rect id='r' x='100' y='100' width='100' height='0' style='fill:red;stroke:none'/>"
                                    << int(resizePoint::TopLeft);
    QTest::newRow("0 high, bottom edge") << "<rect id='r' x='100' y='100' width='100' height='0' style='fill:red;stroke:none'/>"
                                         << int(resizePoint::Bottom);
    QTest::newRow("0 wide, left edge") << "<rect id='r' x='100' y='100' width='0' height='100' style='fill:red;stroke:none'/>"
                                       << int(resizePoint::Left);
}

void TestSelection::thinSelectionNeverWritesNonFiniteMatrix()
{
    QFETCH(QString, element);
    QFETCH(int, kind);
    CanvasFixture canvas("<g>" + element + "</g>");
    canvas.scene()->clearSelection();
    canvas.item("r")->setSelected(true);
    canvas.drag(handleCentre(canvas, kind), QPoint(15, 10));
    const QString transform = canvas.attribute("r", "transform");
    QVERIFY2(transform.startsWith("matrix(") && finiteText(transform), qPrintable(transform));
    QVERIFY2(finiteText(canvas.text()), qPrintable(canvas.text()));
}

void TestSelection::rotateHandleUsesProgramDivisor()
{
    CanvasFixture canvas("<g><rect id='r' x='0' y='0' width='100' height='100' style='fill:red;stroke:none'/></g>");
    canvas.widget().centerOn(50, 50);
    canvas.click(centre(canvas, "r"));
    const QString before = canvas.text();
    const QPointF c(50, 50);
    const QPoint press = handleCentre(canvas, resizePoint::Rotate);
    const QPointF p = canvas.widget().mapToScene(press) - c;
    // A quarter turn of the pointer about the centre.
    const QPoint target = canvas.toView(c + QPointF(-p.y(), p.x()));
    QCOMPARE(canvas.widget().mapToScene(target) - c, QPointF(-p.y(), p.x()));
    canvas.drag(press, target - press);
    // Dividing by 3.14159 turns a quarter turn into 90.000076 degrees.
    QCOMPARE(canvas.attribute("r", "transform"),
             QString("matrix(-0.000001,1.000000,-1.000000,-0.000001,100.000066,0.000066)"));
    canvas.view().undo();
    QCOMPARE(canvas.text(), before);
}

void TestSelection::propertyPosition()
{
    CanvasFixture canvas("<g><rect id='a' x='10' y='10' width='50' height='50' style='fill:red;stroke:none'/>"
                         "<path id='p' d='M100,100 L150,100 L150,150 Z' style='fill:red;stroke:none'/></g>");
    canvas.item("a")->setSelected(true);
    canvas.item("p")->setSelected(true);
    const QString before = canvas.text();
    canvas.scene()->setItemProperty({"x", "y"}, {"200", "300"});
    QCOMPARE(canvas.scene()->selectionBounds(canvas.scene()->selectedItems()).topLeft(),
             QPointF(200, 300));
    QCOMPARE(canvas.attribute("a", "x"), QString("200.000000"));
    QCOMPARE(canvas.attribute("p", "transform"), QString("translate(190.000000,290.000000)"));
    QCOMPARE(canvas.view().undoStack().count(), 1);
    canvas.view().undo();
    QCOMPARE(canvas.text(), before);
}

void TestSelection::propertyWidthOfIdentityNormalises()
{
    CanvasFixture canvas("<g><rect id='a' x='10' y='10' width='50' height='20' style='fill:red;stroke:none'/></g>");
    canvas.item("a")->setSelected(true);
    canvas.scene()->setItemProperty({"width"}, {"50"});
    QCOMPARE(canvas.attribute("a", "transform"),
             QString("matrix(1.000000,0.000000,0.000000,1.000000,0.000000,0.000000)"));
    canvas.scene()->setItemProperty({"height"}, {"40"});
    QCOMPARE(canvas.item("a")->sceneBoundingRect(), QRectF(10, 10, 50, 40));
}

void TestSelection::propertyRotationUndoesExactlyAndRefits()
{
    CanvasFixture canvas("<g><rect id='a' x='0' y='0' width='100' height='20' "
                         "transform='translate(5,5)' style='fill:red;stroke:none'/></g>");
    canvas.item("a")->setSelected(true);
    const QString before = canvas.text();
    QSignalSpy one(canvas.scene(), &Scene::selectOneNode);
    canvas.scene()->setItemProperty({"rotate"}, {"90"});
    // The frame encloses the rotated selection: 20 wide, 100 high.
    const QRectF frame = canvas.scene()->selectFrame()->rect();
    QCOMPARE(frame.size(), QSizeF(20, 100));
    canvas.scene()->setItemProperty({"x"}, {"0"});
    QCOMPARE(canvas.scene()->selectionBounds(canvas.scene()->selectedItems()).left(), 0.0);
    canvas.view().undo();
    canvas.view().undo();
    QCOMPARE(canvas.text().split('\n'), before.split('\n'));
    QVERIFY(one.count() >= 1);
}

void TestSelection::propertyParametersAndDefaults()
{
    CanvasFixture canvas("<g><rect id='a' x='0' y='0' width='100' height='20' style='fill:red;stroke:none'/></g>");
    canvas.item("a")->setSelected(true);
    canvas.scene()->setItemProperty({"tolvenrik:scanPower", "fill", "DefaultParameters:scanTimes"},
                                    {"55", "#00ff00", "3"});
    QCOMPARE(canvas.attribute("a", "tolvenrik:scanPower"), QString("55"));
    QCOMPARE(canvas.node("a")->engraving().scanPower, 55.0);
    QVERIFY(canvas.attribute("a", "style").contains("fill:#00ff00"));
    QCOMPARE(canvas.scene()->defaultParameters().scanTimes, 3.0);
    // One command with the fill only; undo brings the fill back.
    QCOMPARE(canvas.view().undoStack().count(), 1);
    canvas.view().undo();
    QVERIFY(canvas.attribute("a", "style").contains("fill:red"));
}

void TestSelection::frameGoesWithDeletionAndReplacement()
{
    CanvasFixture canvas(threeSquares);
    canvas.click(centre(canvas, "a"));
    QVERIFY(canvas.scene()->selectFrame());
    canvas.scene()->deleteSelection();
    QCOMPARE(canvas.scene()->selectFrame(), nullptr);
    canvas.click(centre(canvas, "b"));
    QVERIFY(canvas.scene()->selectFrame());
    canvas.scene()->copySelection();
    QVERIFY(canvas.view().newDocument());
    QCOMPARE(canvas.scene()->selectFrame(), nullptr);
    QVERIFY(canvas.scene()->copiedItems().isEmpty());
    canvas.scene()->pasteCopied();
    canvas.view().undo();
}

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
