#include "import/dxfcreation.h"
#include "import/dxfgeometry.h"
#include "import/dxfreader.h"
#include "pathprobe.h"

#include <QtTest>

// DXF drawings read into paths in the file's coordinates (millimetres, y up).
class TestDxfReader : public QObject
{
    Q_OBJECT

private slots:
    void entityBounds_data();
    void entityBounds();
    void pointsOnOutline_data();
    void pointsOnOutline();
    void bulgesAreArcs();
    void splineFollowsDeBoor();
    void splineKindsFollowDeBoor_data();
    void splineKindsFollowDeBoor();
    void everyInsertIsDrawn();
    void blockNeverInsertedDrawsNothing();
    void heightCodeScalesText();
    void mtextBytesDecoded_data();
    void mtextBytesDecoded();
    void unitFromHeader_data();
    void unitFromHeader();
    void malformedFilesAreSafe_data();
    void malformedFilesAreSafe();
    void unreadableFileSaysSo_data();
    void unreadableFileSaysSo();
    void pathOutsideEightBitCodePage();
};

namespace {

QString fixture(const QString &name)
{
    return QString::fromLocal8Bit(qgetenv("PLIMB_TEST_DATA")) + QStringLiteral("/import/") + name;
}

ImportedDrawing readFixture(const QString &name)
{
    return DxfReader::read(fixture(name));
}

bool near(const QRectF &a, const QRectF &b, double tolerance)
{
    return qAbs(a.left() - b.left()) < tolerance && qAbs(a.top() - b.top()) < tolerance
            && qAbs(a.right() - b.right()) < tolerance && qAbs(a.bottom() - b.bottom()) < tolerance;
}

// The textbook recursion in homogeneous coordinates, kept apart from the
// reader's own evaluation.
QPointF deBoor(int degree, const QList<QPointF> &points, const QList<double> &knots, double u,
               const QList<double> &weights = {})
{
    int span = degree;
    while (span + 1 < points.size() && knots.at(span + 1) <= u)
        ++span;
    QVector<QPointF> d;
    QVector<double> w;
    for (int j = 0; j <= degree; ++j) {
        const int i = span - degree + j;
        w.append(weights.isEmpty() ? 1.0 : weights.at(i));
        d.append(points.at(i) * w.last());
    }
    for (int r = 1; r <= degree; ++r) {
        for (int j = degree; j >= r; --j) {
            const int i = span - degree + j;
            const double alpha = (u - knots.at(i)) / (knots.at(i + degree + 1 - r) - knots.at(i));
            d[j] = d[j - 1] * (1 - alpha) + d[j] * alpha;
            w[j] = w[j - 1] * (1 - alpha) + w[j] * alpha;
        }
    }
    return d[degree] / w[degree];
}

} // namespace

void TestDxfReader::entityBounds_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRectF>("bounds");

    QTest::newRow("line") << "line.dxf" << QRectF(0, 0, 10, 0);
    QTest::newRow("circle") << "circle.dxf" << QRectF(5, 15, 10, 10);
    QTest::newRow("quarter arc 0 to 90") << "arc.dxf" << QRectF(0, 0, 10, 10);
    // Counter-clockwise from 270 through 0 to 90: the right half.
    QTest::newRow("arc through 0 degrees") << "arcwrap.dxf" << QRectF(0, -10, 10, 20);
    // Major axis (0, 20): the ellipse stands upright, 20 wide and 40 high.
    QTest::newRow("rotated ellipse") << "ellipse.dxf" << QRectF(-10, -20, 20, 40);
    QTest::newRow("rounded rectangle") << "roundrect.dxf" << QRectF(0, 0, 40, 20);
    QTest::newRow("open polyline") << "openpolyline.dxf" << QRectF(0, 0, 10, 10);
    QTest::newRow("spline from fit points") << "splinefit.dxf" << QRectF(0, 0, 30, 10);
}

void TestDxfReader::entityBounds()
{
    QFETCH(QString, file);
    QFETCH(QRectF, bounds);
    const ImportedDrawing drawing = readFixture(file);
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QCOMPARE(drawing.paths.size(), 1);
    const QRectF found = drawing.paths.first().boundingRect();
    QVERIFY2(near(found, bounds, 0.05),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(found.x()).arg(found.y()).arg(found.width()).arg(found.height())));
}

void TestDxfReader::pointsOnOutline_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QPointF>("point");

    const double s = std::sqrt(0.5);
    QTest::newRow("arc at 45 degrees") << "arc.dxf" << QPointF(10 * s, 10 * s);
    QTest::newRow("rotated ellipse at its top") << "ellipse.dxf" << QPointF(0, 20);
    QTest::newRow("rotated ellipse at its side") << "ellipse.dxf" << QPointF(-10, 0);
    QTest::newRow("fit point passed through") << "splinefit.dxf" << QPointF(10, 10);
    QTest::newRow("open polyline ends on last vertex") << "openpolyline.dxf" << QPointF(10, 10);
}

void TestDxfReader::pointsOnOutline()
{
    QFETCH(QString, file);
    QFETCH(QPointF, point);
    const ImportedDrawing drawing = readFixture(file);
    QCOMPARE(drawing.paths.size(), 1);
    QVERIFY(PathProbe::distance(drawing.paths.first(), point) < 0.01);
}

// Bulged segments were cut as chords: a rounded rectangle must keep its
// corner arcs, and its area must be that of the rounded shape.
void TestDxfReader::bulgesAreArcs()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("roundrect.dxf"));
    QCOMPARE(drawing.paths.size(), 1);
    const QPainterPath &path = drawing.paths.first();
    const double d = 5 * std::sqrt(0.5);
    for (const QPointF &centre : {QPointF(35, 5), QPointF(35, 15), QPointF(5, 15), QPointF(5, 5)}) {
        const QPointF outward(centre.x() > 20 ? d : -d, centre.y() > 10 ? d : -d);
        QVERIFY(PathProbe::distance(path, centre + outward) < 0.01);
        // The chord's midpoint lies well inside the arc.
        QVERIFY(PathProbe::distance(path, centre + outward * (1 / std::sqrt(2.0))) > 0.5);
    }
    const double expected = 40 * 20 - (4 - M_PI) * 25;
    QVERIFY(qAbs(PathProbe::area(path) - expected) < expected * 0.001);
}

// Control points are not Bezier points: the curve must run where a
// B-spline of those knots runs.
void TestDxfReader::splineFollowsDeBoor()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("spline.dxf"));
    QCOMPARE(drawing.paths.size(), 1);
    const QList<QPointF> points{{0, 0}, {10, 30}, {20, -10}, {30, 25}, {40, 0}, {50, 40}, {60, 5}};
    const QList<double> knots{0, 0, 0, 0, 1, 2, 3, 4, 4, 4, 4};
    for (double u = 0; u <= 4.0001; u += 0.25) {
        const QPointF expected = deBoor(3, points, knots, qMin(u, 3.999999));
        QVERIFY2(PathProbe::distance(drawing.paths.first(), expected) < 0.01,
                 qPrintable(QStringLiteral("u = %1").arg(u)));
    }
    QCOMPARE(drawing.paths.first().pointAtPercent(0), points.first());
    QVERIFY(QLineF(drawing.paths.first().pointAtPercent(1), points.last()).length() < 1e-9);
}

void TestDxfReader::splineKindsFollowDeBoor_data()
{
    QTest::addColumn<int>("degree");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QList<double>>("knots");
    QTest::addColumn<QList<double>>("weights");

    const QList<QPointF> five{{0, 0}, {10, 20}, {20, -5}, {30, 15}, {40, 0}};
    QTest::newRow("quadratic") << 2 << five << QList<double>{0, 0, 0, 1, 2, 3, 3, 3} << QList<double>();
    // Unclamped knots: the curve starts and ends away from the end points.
    QTest::newRow("cubic, uniform unclamped knots")
            << 3 << five << QList<double>{0, 1, 2, 3, 4, 5, 6, 7, 8} << QList<double>();
    QTest::newRow("cubic, double interior knot")
            << 3 << five << QList<double>{0, 0, 0, 0, 1, 1, 2, 2, 2} << QList<double>();
    const double h = std::sqrt(0.5);
    QTest::newRow("weighted quarter circle") << 2 << QList<QPointF>{{10, 0}, {10, 10}, {0, 10}}
                                             << QList<double>{0, 0, 0, 1, 1, 1}
                                             << QList<double>{1, h, 1};
    QTest::newRow("weighted cubic") << 3 << five << QList<double>{0, 0, 0, 0, 1, 2, 2, 2, 2}
                                    << QList<double>{1, 2, 0.5, 3, 1};
}

void TestDxfReader::splineKindsFollowDeBoor()
{
    QFETCH(int, degree);
    QFETCH(QList<QPointF>, points);
    QFETCH(QList<double>, knots);
    QFETCH(QList<double>, weights);
    DxfBlockRecord::Spline spline;
    spline.degree = degree;
    spline.controlPoints = points;
    spline.knots = knots;
    spline.weights = weights;
    const QPainterPath path = DxfGeometry::spline(spline);
    const double first = knots.at(degree);
    const double last = knots.at(points.size());
    for (int step = 0; step <= 40; ++step) {
        const double u = qMin(first + (last - first) * step / 40, last - 1e-9);
        const QPointF expected = deBoor(degree, points, knots, u, weights);
        QVERIFY2(PathProbe::distance(path, expected) < 0.01, qPrintable(QStringLiteral("u = %1").arg(u)));
    }
    // Nothing beyond the curve's own ends.
    QVERIFY(QLineF(path.pointAtPercent(0), deBoor(degree, points, knots, first, weights)).length() < 1e-6);
}

// A block placed three times was drawn once, at its last insertion.
void TestDxfReader::everyInsertIsDrawn()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("blocks.dxf"));
    QCOMPARE(drawing.paths.size(), 1);
    const QList<QPolygonF> copies = drawing.paths.first().toSubpathPolygons();
    QCOMPARE(copies.size(), 3);
    // The block is a line from (0, 0) to (10, 0), placed as is, turned by
    // 90 degrees, and doubled and turned by 180 degrees.
    const QList<QLineF> expected{QLineF(0, 0, 10, 0), QLineF(50, 0, 50, 10), QLineF(0, 50, -20, 50)};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(copies.at(i).size(), 2);
        QVERIFY2(QLineF(copies.at(i).first(), expected.at(i).p1()).length() < 1e-9, qPrintable(QString::number(i)));
        QVERIFY2(QLineF(copies.at(i).last(), expected.at(i).p2()).length() < 1e-9, qPrintable(QString::number(i)));
    }
}

void TestDxfReader::blockNeverInsertedDrawsNothing()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("unusedblock.dxf"));
    QCOMPARE(drawing.paths.size(), 1);
    QCOMPARE(drawing.paths.first().boundingRect(), QRectF(0, 0, 1, 0));
}

void TestDxfReader::heightCodeScalesText()
{
    const ImportedDrawing plain = readFixture(QStringLiteral("mtext.dxf"));
    const ImportedDrawing doubled = readFixture(QStringLiteral("mtextheight.dxf"));
    const ImportedDrawing font = readFixture(QStringLiteral("mtextfont.dxf"));
    QCOMPARE(plain.paths.size(), 1);
    QCOMPARE(doubled.paths.size(), 1);
    QCOMPARE(font.paths.size(), 1);
    const double height = plain.paths.first().boundingRect().height();
    QVERIFY(height > 4 && height < 8);
    QVERIFY(qAbs(doubled.paths.first().boundingRect().height() / height - 2) < 0.05);
    // Attachment point 7 (bottom left) puts the text's lower left corner on
    // the insertion point.
    const QRectF placed = font.paths.first().boundingRect();
    QVERIFY2(qAbs(placed.left()) < 1e-6 && qAbs(placed.top()) < 1e-6,
             qPrintable(QStringLiteral("%1 %2").arg(placed.left()).arg(placed.top())));
    // A TEXT entity draws nothing.
    const ImportedDrawing text = readFixture(QStringLiteral("text.dxf"));
    QVERIFY(text.ok());
    QVERIFY(text.paths.isEmpty());
}

void TestDxfReader::mtextBytesDecoded_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8") << QByteArray("\xe4\xb8\xad\xe6\x96\x87") << QStringLiteral("中文");
    // Chinese CAD programs write GBK, which is no valid UTF-8.
    QTest::newRow("GBK") << QByteArray("\xd6\xd0\xce\xc4") << QStringLiteral("中文");
}

void TestDxfReader::mtextBytesDecoded()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    DxfCreation creation;
    creation.addMText(DL_MTextData(0, 0, 0, 1, 0, 0, 5, 100, 1, 1, 1, 1, bytes.toStdString(), "", 0));
    QCOMPARE(creation.blocks().last().texts.size(), 1);
    QCOMPARE(creation.blocks().last().texts.first().text, text);
}

void TestDxfReader::unitFromHeader_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("unit");
    QTest::addColumn<bool>("stated");

    QTest::newRow("millimetres") << "line.dxf" << int(ImportUnit::Millimetre) << true;
    QTest::newRow("inches") << "inches.dxf" << int(ImportUnit::Inch) << true;
    QTest::newRow("no header") << "circle.dxf" << int(ImportUnit::Millimetre) << false;
}

void TestDxfReader::unitFromHeader()
{
    QFETCH(QString, file);
    QFETCH(int, unit);
    QFETCH(bool, stated);
    const ImportedDrawing drawing = readFixture(file);
    QCOMPARE(int(drawing.unit), unit);
    QCOMPARE(drawing.unitStated, stated);
}

void TestDxfReader::malformedFilesAreSafe_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("paths");

    QTest::newRow("polyline without vertices") << "polylinenovertex.dxf" << 0;
    QTest::newRow("vertex without polyline") << "vertexalone.dxf" << 1;
    QTest::newRow("lwpolyline without vertex count") << "lwpolylinenocount.dxf" << 0;
    QTest::newRow("spline with fewer points than its degree") << "splinefewpoints.dxf" << 0;
    QTest::newRow("file ends inside an entity") << "truncated.dxf" << 0;
}

void TestDxfReader::malformedFilesAreSafe()
{
    QFETCH(QString, file);
    QFETCH(int, paths);
    const ImportedDrawing drawing = readFixture(file);
    QVERIFY(drawing.ok());
    QCOMPARE(drawing.paths.size(), paths);
}

void TestDxfReader::unreadableFileSaysSo_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("missing") << "missing.dxf";
    QTest::newRow("empty") << "empty.dxf";
    QTest::newRow("not a drawing") << "garbage.dxf";
}

void TestDxfReader::unreadableFileSaysSo()
{
    QFETCH(QString, file);
    const ImportedDrawing drawing = readFixture(file);
    QVERIFY(!drawing.ok() || drawing.paths.isEmpty());
    if (file != QLatin1String("garbage.dxf"))
        QVERIFY(!drawing.error.isEmpty());
}

// dxflib opens files by an 8-bit name; a name outside the code page must
// still open.
void TestDxfReader::pathOutsideEightBitCodePage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("图纸 ✓.dxf"));
    QVERIFY(QFile::copy(fixture(QStringLiteral("line.dxf")), path));
    const ImportedDrawing drawing = DxfReader::read(path);
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QCOMPARE(drawing.paths.size(), 1);
}

QTEST_MAIN(TestDxfReader)
#include "tst_dxfreader.moc"
