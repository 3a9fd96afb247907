#include "gcode/gcodegenerator.h"

#include "canvasfixture.h"
#include "drawnbounds.h"

#include <QtTest>

// What the canvas shows of a drawing is what the laser burns: the drawn
// shapes' box on the scene against the burned box of the generated G-code,
// read by an independent interpreter (0.08 mm per design unit).
class TestCanvasMatchesJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void drawnAsBurned_data();
    void drawnAsBurned();
    void movedInstanceMovesItsBurn();
    void changedOriginalRedrawsItsInstances();
    void undoneMoveRestoresRelativeLengths();
};

namespace {

constexpr double tolerance = 0.05;
using DrawnBounds::describe;
using DrawnBounds::mmPerUnit;

QString foreign(const QString &body, const QString &root = QStringLiteral("width='200' height='100'"))
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                          "xmlns:xlink='http://www.w3.org/1999/xlink' %1>%2</svg>")
            .arg(root, body);
}

QRectF burnedBounds(const QString &design)
{
    GCodeGenerator generator;
    return DrawnBounds::burned(generator.generate(design));
}

bool near(const QRectF &a, const QRectF &b)
{
    return DrawnBounds::near(a, b, tolerance);
}

} // namespace

void TestCanvasMatchesJob::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestCanvasMatchesJob::drawnAsBurned_data()
{
    QTest::addColumn<QString>("design");

    // Filled shapes: their burned box is the shape's, without the take-up
    // an outline gets at its reversals.
    const QString original = "<defs><rect id='r' width='20' height='10'/></defs>";
    QTest::newRow("use at x, y") << foreign(original + "<use xlink:href='#r' x='100' y='50'/>");
    QTest::newRow("use with transform")
            << foreign(original + "<use href='#r' transform='translate(40,10) rotate(30) scale(2)' x='10'/>");
    QTest::newRow("use in a moved group")
            << foreign(original + "<g transform='translate(30,20)'><use href='#r' x='5'/></g>");
    QTest::newRow("nested use")
            << foreign(original + "<defs><use id='u' xlink:href='#r' x='5'/></defs>"
                                  "<use xlink:href='#u' transform='translate(10,20)'/>");
    QTest::newRow("use of a shown original")
            << foreign("<rect id='r' x='10' y='10' width='20' height='10'/><use href='#r' x='150' y='60'/>");
    QTest::newRow("use of a group")
            << foreign("<defs><g id='g'><rect width='10' height='10'/><circle cx='40' cy='5' r='5'/></g></defs>"
                       "<use href='#g' x='20' y='30'/>");
    QTest::newRow("uses that show each other")
            << foreign("<g id='a'><rect width='10' height='10'/><use href='#b'/></g>"
                       "<g id='b'><use href='#a' x='100'/></g><use id='self' href='#self'/>");
    // Each level adds a bar and moves the next one on by 2, up to the depth
    // the job follows.
    QString chain = "<defs><rect id='u0' width='1' height='10'/>";
    for (int level = 1; level <= 40; ++level)
        chain += QStringLiteral("<g id='u%1'><rect width='1' height='10'/><use href='#u%2' x='2'/></g>")
                         .arg(level)
                         .arg(level - 1);
    QTest::newRow("uses nested beyond the depth limit") << foreign(chain + "</defs><use href='#u40'/>");
    QTest::newRow("symbol with viewBox")
            << foreign("<symbol id='s' viewBox='0 0 10 10'><rect width='10' height='10'/></symbol>"
                       "<use href='#s' x='100' y='25' width='50' height='50'/>");
    QTest::newRow("use of a duplicated id")
            << foreign("<defs><rect id='d' width='10' height='10'/><rect id='d' x='100' width='10' height='10'/></defs>"
                       "<use href='#d' y='50'/>");
    QTest::newRow("use of a missing element") << foreign("<rect width='10' height='10'/><use href='#gone' x='100'/>");

    QTest::newRow("nested svg with viewBox")
            << foreign("<svg x='100' y='50' width='100' height='50' viewBox='0 0 10 5'>"
                       "<rect width='10' height='5'/></svg>");
    QTest::newRow("nested svg keeps its aspect")
            << foreign("<svg width='100' height='50' viewBox='0 0 10 10'><rect width='10' height='10'/></svg>");
    QTest::newRow("nested svg sliced at its end")
            << foreign("<svg x='20' y='40' width='100' height='50' viewBox='0 0 10 10' preserveAspectRatio='xMaxYMax slice'>"
                       "<rect x='2' y='2' width='6' height='6'/></svg>");

    QTest::newRow("percentages of the root")
            << foreign("<rect x='10%' y='50%' width='25%' height='20%'/>");
    QTest::newRow("percentages of a nested viewport")
            << foreign("<svg x='100' width='50' height='50'><rect width='50%' height='100%'/></svg>");
    QTest::newRow("vmin radius") << foreign("<circle cx='100' cy='50' r='10vmin'/>");
    QTest::newRow("use placed in percentages")
            << foreign("<svg x='20' width='100' height='50'>" + original + "<use href='#r' x='50%' y='20%'/></svg>");
    QTest::newRow("nested svg placed in percentages")
            << foreign("<svg x='50%' y='10%' width='25%' height='50%' viewBox='0 0 10 10'>"
                       "<rect width='10' height='10'/></svg>");
    QTest::newRow("percentages inside a used element")
            << foreign("<defs><rect id='p' width='10%' height='10%'/></defs><use href='#p' x='50'/>");
    QTest::newRow("negative ellipse radius draws nothing")
            << foreign("<ellipse cx='10' cy='10' rx='-5' ry='90'/><rect x='50' y='25' width='100' height='50'/>");
    QTest::newRow("length in error is not drawn")
            << foreign("<rect width='44mmx' height='90'/><circle cx='0' cy='0' r='-5'/>"
                       "<rect x='50' y='25' width='100' height='50'/>");
}

void TestCanvasMatchesJob::drawnAsBurned()
{
    QFETCH(QString, design);

    SVGView view;
    view.document()->setSvgText(design);
    const QRectF drawn = DrawnBounds::drawn(view.scene());
    const QRectF burned = burnedBounds(view.document()->toSvgText());
    QVERIFY2(!burned.isNull(), "nothing burned");
    QVERIFY2(near(drawn, burned), qPrintable("drawn " + describe(drawn) + ", burned " + describe(burned)));
}

// The instance is dragged as one piece; its use element's transform takes
// the move, so the saved design and the job move it by as much.
void TestCanvasMatchesJob::movedInstanceMovesItsBurn()
{
    CanvasFixture canvas("<defs><rect id='r' width='40' height='20' style='fill:#000000'/></defs>"
                         "<g><use id='u' href='#r' x='100' y='50' transform='rotate(10)'/></g>");
    const QRectF burnedBefore = burnedBounds(canvas.text());
    QGraphicsItem *item = canvas.item("u");
    QVERIFY(item);
    const QRectF drawnBefore = item->sceneBoundingRect();

    canvas.drag(canvas.toView(item->sceneBoundingRect().center()), QPoint(60, 30));

    QVERIFY2(canvas.attribute("u", "transform").startsWith("translate(60.000000,30.000000)"),
             qPrintable(canvas.attribute("u", "transform")));
    QCOMPARE(canvas.attribute("u", "x"), QString("100"));
    const QPointF moved(60 * mmPerUnit, 30 * mmPerUnit);
    const QRectF burnedAfter = burnedBounds(canvas.text());
    QVERIFY2(near(burnedAfter, burnedBefore.translated(moved)),
             qPrintable(describe(burnedBefore) + " moved to " + describe(burnedAfter)));
    const QRectF drawnAfter = item->sceneBoundingRect();
    QVERIFY2(near(drawnAfter, drawnBefore.translated(60, 30)), qPrintable(describe(drawnAfter)));
    QVERIFY2(near(DrawnBounds::drawn(canvas.scene()), burnedAfter),
             qPrintable(describe(DrawnBounds::drawn(canvas.scene())) + " against " + describe(burnedAfter)));
    // The job's frame, with nothing selected, is the instance's too.
    canvas.scene()->clearSelection();
    const QRectF frame = canvas.scene()->jobBounds();
    QVERIFY2(near(QRectF(frame.topLeft() * mmPerUnit, frame.bottomRight() * mmPerUnit), burnedAfter),
             qPrintable(describe(frame)));
}

// Instances copy their original with all it holds: a change to it, or to
// anything inside it, shows in every instance, and so do its deletion and
// the undo that brings it back.
void TestCanvasMatchesJob::changedOriginalRedrawsItsInstances()
{
    CanvasFixture canvas("<g><g id='g'><rect id='r' width='40' height='20' style='fill:#000000'/>"
                         "<rect id='s' x='50' y='30' width='10' height='20' style='fill:#000000'/></g>"
                         "<use id='u1' href='#g' x='100'/><use id='u2' href='#u1' y='100'/>"
                         "<use id='u3' href='#s' y='200'/></g>");
    const auto sizes = [&canvas] {
        QList<QSizeF> out;
        for (const char *id : { "u1", "u2" })
            out << static_cast<const GraphicsUseItem *>(canvas.item(id))->path().boundingRect().size();
        return out;
    };
    QCOMPARE(sizes(), (QList<QSizeF>{ { 60, 50 }, { 60, 50 } }));
    QVERIFY(canvas.node("r")->applyAttribute("width", "80"));
    QCOMPARE(sizes(), (QList<QSizeF>{ { 80, 50 }, { 80, 50 } }));
    QVERIFY2(near(DrawnBounds::drawn(canvas.scene()), burnedBounds(canvas.text())),
             qPrintable(describe(DrawnBounds::drawn(canvas.scene()))));

    const auto *direct = static_cast<const GraphicsUseItem *>(canvas.item("u3"));
    QCOMPARE(direct->path().boundingRect().size(), QSizeF(10, 20));
    canvas.click(canvas.toView(QPointF(55, 40)));
    canvas.scene()->deleteSelection();
    QVERIFY(!canvas.text().contains("id=\"s\""));
    QCOMPARE(sizes(), (QList<QSizeF>{ { 80, 20 }, { 80, 20 } }));
    QVERIFY(direct->path().isEmpty());
    canvas.click(canvas.toView(QPointF(10, 10)));
    canvas.scene()->deleteSelection();
    QCOMPARE(sizes(), (QList<QSizeF>{ { 0, 0 }, { 0, 0 } }));
    canvas.view().undo();
    QCOMPARE(sizes(), (QList<QSizeF>{ { 80, 20 }, { 80, 20 } }));
}

// Undoing a move writes "10%" back: the canvas must read it as the job
// does, not as a plain number.
void TestCanvasMatchesJob::undoneMoveRestoresRelativeLengths()
{
    CanvasFixture canvas("<g><rect id='r' x='10%' y='5%' width='10%' height='5%' style='fill:#000000'/>"
                         "<circle id='c' cx='50%' cy='50%' r='2%' style='fill:#000000'/></g>");
    const QRectF before = DrawnBounds::drawn(canvas.scene());
    QVERIFY2(near(before, burnedBounds(canvas.text())), qPrintable(describe(before)));
    for (const char *id : { "r", "c" }) {
        canvas.drag(canvas.toView(canvas.item(id)->sceneBoundingRect().center()), QPoint(30, 20));
        canvas.view().undo();
    }
    QCOMPARE(canvas.attribute("r", "x"), QString("10%"));
    QCOMPARE(canvas.attribute("c", "cx"), QString("50%"));
    const QRectF after = DrawnBounds::drawn(canvas.scene());
    QVERIFY2(near(after, before), qPrintable(describe(after) + " after the undo, " + describe(before) + " before"));
}

QTEST_MAIN(TestCanvasMatchesJob)
#include "tst_canvasmatchesjob.moc"
