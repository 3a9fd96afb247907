#include "gcode/gcodegenerator.h"
#include "gcode/previewimage.h"
#include "gcode/previewpaths.h"

#include <QtTest>

// The preview's paths: which of the 257 paths each move lands in, and where.
class TestPreviewPaths : public QObject
{
    Q_OBJECT

private slots:
    void moveLandsInThePathOfItsPower_data();
    void moveLandsInThePathOfItsPower();
    void powerIsModal();
    void relativeMovesAddUp();
    void recordsThatDrawNothing();
    void emptyDesignHasNoExtent();
    void burnsShowOverTravel();
};

namespace {

GCodeBuffer move(double g, double x, double y, double s = GCodeBuffer::absent)
{
    GCodeBuffer record = GCodeBuffer::g(g);
    record.X = x;
    record.Y = y;
    record.S = s;
    return record;
}

GCodeBuffer relative(double g, double x, double y, double s = GCodeBuffer::absent)
{
    GCodeBuffer record = move(g, x, y, s);
    record.absolute = false;
    return record;
}

// The indexes of the paths that hold something.
QList<int> drawnPaths(const PreviewPaths &paths)
{
    QList<int> drawn;
    for (int i = 0; i < PreviewPaths::pathCount; ++i)
        if (!paths.path(i).isEmpty())
            drawn << i;
    return drawn;
}

// One millimetre of the job is 12.5 design units.
QRectF millimetres(double x, double y, double width, double height)
{
    return QRectF(x * 12.5, y * 12.5, width * 12.5, height * 12.5);
}

} // namespace

void TestPreviewPaths::moveLandsInThePathOfItsPower_data()
{
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("s");
    QTest::addColumn<int>("index");

    QTest::newRow("full power is black") << 1.0 << 1000.0 << 0;
    QTest::newRow("half power is grey 127") << 1.0 << 500.0 << 127;
    QTest::newRow("quarter power") << 1.0 << 250.0 << 191;
    QTest::newRow("no power is travel") << 1.0 << 0.0 << PreviewPaths::travelIndex;
    QTest::newRow("cut before any power is black") << 1.0 << GCodeBuffer::absent << 0;
    QTest::newRow("rapid without power is travel") << 0.0 << GCodeBuffer::absent
                                                   << PreviewPaths::travelIndex;
    // Past about twice full power the level would leave the table.
    QTest::newRow("power 2008 stays in the greys") << 1.0 << 2008.0 << 255;
    QTest::newRow("power 2005 is no travel") << 1.0 << 2005.0 << 255;
    QTest::newRow("power 100000") << 1.0 << 100000.0 << 255;
    QTest::newRow("negative power") << 1.0 << -5.0 << 255;
}

void TestPreviewPaths::moveLandsInThePathOfItsPower()
{
    QFETCH(double, g);
    QFETCH(double, s);
    QFETCH(int, index);

    PreviewPaths paths(1000);
    paths.draw(QVector<GCodeBuffer>{ move(g, 10, 20, s) });
    QCOMPARE(drawnPaths(paths), QList<int>{ index });
    QCOMPARE(paths.path(index).controlPointRect(), millimetres(0, 0, 10, 20));
    QCOMPARE(paths.bounds(), millimetres(0, 0, 10, 20));
}

// A cut without S burns at the last power given, not at full power.
void TestPreviewPaths::powerIsModal()
{
    PreviewPaths paths(1000);
    paths.draw(QVector<GCodeBuffer>{
            move(1, 10, 0, 500),
            move(1, 10, 10),                      // grey 127 still
            move(0, 20, 10),                      // travel
            move(1, 30, 10),                      // grey 127 after the rapid
            move(1, 30, 20, 1000),                // black
            move(1, 40, 20),                      // black still
            move(1, GCodeBuffer::absent, GCodeBuffer::absent, 0),
            move(1, 40, 30),                      // laser off: travel
    });
    QCOMPARE(drawnPaths(paths), (QList<int>{ 0, 127, PreviewPaths::travelIndex }));
    QCOMPARE(paths.path(127).controlPointRect(), millimetres(0, 0, 30, 10));
    QCOMPARE(paths.path(0).controlPointRect(), millimetres(30, 10, 10, 10));
    QCOMPARE(paths.path(PreviewPaths::travelIndex).controlPointRect(), millimetres(10, 10, 30, 20));

    // The grey path is two separate runs, not joined across the rapid.
    const QPainterPath &grey = paths.path(127);
    QCOMPARE(grey.elementCount(), 5);
    QVERIFY(grey.elementAt(3).isMoveTo());
    QCOMPARE(QPointF(grey.elementAt(3)), QPointF(250, 125));
}

// After G91 each move starts where the last one ended; 0 means "no change".
void TestPreviewPaths::relativeMovesAddUp()
{
    PreviewPaths paths(1000);
    paths.draw(QVector<GCodeBuffer>{
            move(0, 10, 10),
            GCodeBuffer::g(91),
            relative(1, 5, 0, 1000),
            relative(1, 0, 5),
            relative(1, -5, 0),
            GCodeBuffer::g(90),
            move(0, 0, 0),
    });
    const QPainterPath &black = paths.path(0);
    QCOMPARE(black.elementCount(), 4);
    const QList<QPointF> expected{ { 125, 125 }, { 187.5, 125 }, { 187.5, 187.5 }, { 125, 187.5 } };
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(QPointF(black.elementAt(i)), expected.at(i));
    QCOMPARE(paths.path(PreviewPaths::travelIndex).controlPointRect(), millimetres(0, 0, 10, 15));
}

void TestPreviewPaths::recordsThatDrawNothing()
{
    GCodeBuffer withM = move(1, 50, 50, 1000);
    withM.M = 3;
    GCodeBuffer noG = move(GCodeBuffer::absent, 50, 50, 1000);
    GCodeBuffer emptyLine = GCodeBuffer::g(GCodeBuffer::emptyLine);

    PreviewPaths paths(1000);
    paths.draw(QVector<GCodeBuffer>{
            withM, noG, GCodeBuffer::g00(), move(2, 50, 50, 1000), GCodeBuffer::g(17),
            move(1, 10, 0, 1000),
            emptyLine,               // ends the drawing
            move(1, 90, 90, 1000),
    });
    QCOMPARE(drawnPaths(paths), QList<int>{ 0 });
    QCOMPARE(paths.bounds(), millimetres(0, 0, 10, 0));
}

// An empty design still has the job's head and tail, which go nowhere.
void TestPreviewPaths::emptyDesignHasNoExtent()
{
    GCodeGenerator generator;
    const QVector<GCodeBuffer> job = generator.generate(
            "<svg xmlns='http://www.w3.org/2000/svg' width='2000' height='2700'><g/></svg>");
    QVERIFY(!job.isEmpty());
    PreviewPaths paths(1000);
    paths.draw(job);
    QCOMPARE(paths.bounds().size(), QSizeF(0, 0));

    PreviewPaths nothing(1000);
    nothing.draw(QVector<GCodeBuffer>());
    QVERIFY(drawnPaths(nothing).isEmpty());
    QVERIFY(nothing.bounds().isNull());
}

// The old fault: travel was drawn last, so the returns between raster lines
// buried the burnt area under red.
void TestPreviewPaths::burnsShowOverTravel()
{
    PreviewPaths paths(1000);
    paths.draw(QVector<GCodeBuffer>{
            move(1, 40, 0, 1000),  // black burn
            move(0, 0, 0),         // travel back along it
            move(0, 0, 40),
    });
    const QImage image = PreviewImage::render(paths, 400);
    const QPoint middle(image.width() / 2, PreviewImage::margin);
    bool black = false;
    for (int dy = -1; dy <= 1 && !black; ++dy)
        black = image.pixelColor(middle + QPoint(0, dy)) == QColor(Qt::black);
    QVERIFY(black);
}

QTEST_GUILESS_MAIN(TestPreviewPaths)
#include "tst_previewpaths.moc"
