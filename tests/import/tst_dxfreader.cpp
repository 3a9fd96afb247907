#include "import/dxfcreation.h"
#include "import/dxfgeometry.h"
#include "import/drawingimport.h"
#include "import/dxfreader.h"
#include "import/dxftext.h"
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
    void textPlacement_data();
    void textPlacement();
    void specialCharactersAreDrawn();
    void mtextCodes_data();
    void mtextCodes();
    void hatchesAreFilledAreas_data();
    void hatchesAreFilledAreas();
    void hatchPlacedAsFill();
    void extrusionMirrors_data();
    void extrusionMirrors();
    void paperSpaceIsLeftOut();
    void dimensionInBlockIsDrawn();
    void fitPointSplineIsCadInterpolation();
    void longValuesAreReadWhole();
    void binaryDxfIsRead();
    void lyingVertexCountIsSafe();
    void insertBombIsRefused();
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
    // A TEXT entity is drawn too.
    const ImportedDrawing text = readFixture(QStringLiteral("text.dxf"));
    QVERIFY(text.ok());
    QCOMPARE(text.paths.size(), 1);
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
    QCOMPARE(DxfText::decode(bytes), text);
}

void TestDxfReader::unitFromHeader_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("unit");
    QTest::addColumn<bool>("stated");

    QTest::newRow("millimetres") << "line.dxf" << int(ImportUnit::Millimetre) << true;
    QTest::newRow("inches") << "inches.dxf" << int(ImportUnit::Inch) << true;
    QTest::newRow("no header") << "circle.dxf" << int(ImportUnit::Millimetre) << false;
    // Feet and metres were read as millimetres.
    QTest::newRow("feet") << "unitsfeet.dxf" << int(ImportUnit::Foot) << true;
    QTest::newRow("metres") << "unitsmetres.dxf" << int(ImportUnit::Metre) << true;
    QTest::newRow("micrometres") << "unitsmicrons.dxf" << int(ImportUnit::Micrometre) << true;
    QTest::newRow("yards") << "unitsyards.dxf" << int(ImportUnit::Yard) << true;
}

void TestDxfReader::unitFromHeader()
{
    QFETCH(QString, file);
    QFETCH(int, unit);
    QFETCH(bool, stated);
    const ImportedDrawing drawing = readFixture(file);
    QCOMPARE(int(drawing.unit), unit);
    QCOMPARE(drawing.unitStated, stated);
    // Every fixture of this table holds a line 10 units long.
    const double expected = 10 * QMap<int, double>{{int(ImportUnit::Millimetre), 1},
                                                   {int(ImportUnit::Inch), 25.4},
                                                   {int(ImportUnit::Foot), 304.8},
                                                   {int(ImportUnit::Metre), 1000},
                                                   {int(ImportUnit::Micrometre), 0.001},
                                                   {int(ImportUnit::Yard), 914.4}}.value(unit);
    if (file.startsWith(QLatin1String("units")) || file == QLatin1String("line.dxf"))
        QVERIFY(qAbs(DrawingImport::physicalSize(drawing, drawing.unit).width() / expected - 1) < 1e-9);
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

namespace {

// The union of every path and fill of a drawing.
QRectF boundsOf(const ImportedDrawing &drawing)
{
    return drawing.bounds();
}

QString rectText(const QRectF &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Width of "HIH" in DejaVu Sans 10 mm high, read from the left-aligned
// fixture; the other placements are checked against it.
double plainWidth()
{
    return boundsOf(DxfReader::read(fixture(QStringLiteral("textleft.dxf")))).width();
}

} // namespace

// TEXT entities were ignored. Texts are 10 high (cap height) in DejaVu
// Sans, "HIH": no descender, so the bounds run from baseline to cap.
void TestDxfReader::textPlacement_data()
{
    QTest::addColumn<QString>("file");
    // Expected bounds; a negative width or height is "the plain text's
    // width" (w), resolved in the test.
    QTest::addColumn<QString>("expect");

    QTest::newRow("left on its baseline") << "textleft.dxf" << "left 100 bottom 50 height 10";
    QTest::newRow("centred on the alignment point") << "textcentre.dxf" << "centre 100 bottom 50 height 10";
    QTest::newRow("right-aligned on the alignment point") << "textright.dxf" << "right 100 bottom 50 height 10";
    QTest::newRow("rotated by 90 degrees") << "textrotated.dxf" << "rightx 100 bottomy 50 width 10";
    QTest::newRow("width factor 2") << "textwide.dxf" << "left 100 bottom 50 height 10 double";
    QTest::newRow("attribute of an insert; hidden one left out") << "attrib.dxf" << "left 100 bottom 50 height 10";
}

void TestDxfReader::textPlacement()
{
    QFETCH(QString, file);
    QFETCH(QString, expect);
    const ImportedDrawing drawing = readFixture(file);
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    const QRectF r = boundsOf(drawing);
    const QString found = rectText(r);
    const double w = plainWidth();
    // Side bearings of H are about 1.3 mm at this size, twice that when
    // the text is twice as wide.
    const double bearing = expect.endsWith(QLatin1String("double")) ? 3 : 1.5;
    QVERIFY2(w > 15 && w < 30, qPrintable(QString::number(w)));
    const QStringList words = expect.split(QLatin1Char(' '));
    for (int i = 0; i + 1 < words.size(); i += 2) {
        const QString &what = words.at(i);
        const double value = words.at(i + 1).toDouble();
        if (what == QLatin1String("left"))
            QVERIFY2(r.left() >= value && r.left() < value + bearing, qPrintable(found));
        else if (what == QLatin1String("right"))
            QVERIFY2(r.right() <= value && r.right() > value - bearing, qPrintable(found));
        else if (what == QLatin1String("centre"))
            QVERIFY2(qAbs(r.center().x() - value) < 0.1, qPrintable(found));
        else if (what == QLatin1String("bottom"))
            QVERIFY2(qAbs(r.top() - value) < 0.05, qPrintable(found));
        else if (what == QLatin1String("height"))
            QVERIFY2(qAbs(r.height() - value) < 0.05, qPrintable(found));
        else if (what == QLatin1String("width"))
            QVERIFY2(qAbs(r.width() - value) < 0.05, qPrintable(found));
        // Turned a quarter counter-clockwise the cap points to -x.
        else if (what == QLatin1String("rightx"))
            QVERIFY2(qAbs(r.right() - value) < 0.05, qPrintable(found));
        else if (what == QLatin1String("bottomy"))
            QVERIFY2(r.top() >= value && r.top() < value + bearing && qAbs(r.height() - w) < 0.05,
                     qPrintable(found));
    }
    if (expect.endsWith(QLatin1String("double")))
        QVERIFY2(qAbs(r.width() - 2 * w) < 0.05, qPrintable(found));
    else if (!expect.contains(QLatin1String("rightx")))
        QVERIFY2(qAbs(r.width() - w) < 0.01, qPrintable(found));
}

// "%%d" is the degree sign: "90°" has six contours in DejaVu Sans, the
// literal "90%%d" twelve.
void TestDxfReader::specialCharactersAreDrawn()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("textdegree.dxf"));
    QCOMPARE(drawing.paths.size(), 1);
    QCOMPARE(drawing.paths.first().toSubpathPolygons().size(), 6);
}

void TestDxfReader::mtextCodes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expect");

    // "\U+041B\U+0418" drew the escapes literally, about ten times wider.
    QTest::newRow("unicode escapes as their letters") << "mtextunicode.dxf" << "same mtextlatin.dxf";
    // Lines 5/3 of the height apart: cap of the first to baseline of the
    // third is 10 + 2 × 16.67. Attachment 1 hangs the text from its top.
    QTest::newRow("paragraphs") << "mtextparagraphs.dxf" << "height 43.333 top 50";
    // The column break moves to the next column: 100 wide, 20 gutter.
    QTest::newRow("columns side by side") << "mtextcolumns.dxf" << "height 10 width 120+w";
    QTest::newRow("rotated by 90 degrees") << "mtextrotated.dxf" << "width 10 height w";
    // An embedded object (R2018) carries sizes of its own that must not
    // move or scale the text.
    QTest::newRow("embedded object skipped") << "mtextembedded.dxf" << "same mtextplain.dxf";
}

void TestDxfReader::mtextCodes()
{
    QFETCH(QString, file);
    QFETCH(QString, expect);
    const ImportedDrawing drawing = readFixture(file);
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QCOMPARE(drawing.paths.size(), 1);
    const QRectF r = boundsOf(drawing);
    const QRectF plain = boundsOf(readFixture(QStringLiteral("mtextplain.dxf")));
    const double w = plain.width();
    QVERIFY2(w > 15 && w < 30, qPrintable(rectText(plain)));
    const QStringList words = expect.split(QLatin1Char(' '));
    for (int i = 0; i + 1 < words.size(); i += 2) {
        const QString &what = words.at(i);
        const QString &text = words.at(i + 1);
        const double value = text == QLatin1String("w") ? w
                : text.endsWith(QLatin1String("+w"))     ? text.chopped(2).toDouble() + w
                                                         : text.toDouble();
        if (what == QLatin1String("same")) {
            const QRectF other = boundsOf(readFixture(text));
            QVERIFY2(near(r, other, 1e-6), qPrintable(rectText(r) + " / " + rectText(other)));
        } else if (what == QLatin1String("height")) {
            QVERIFY2(qAbs(r.height() - value) < 0.05, qPrintable(rectText(r)));
        } else if (what == QLatin1String("width")) {
            QVERIFY2(qAbs(r.width() - value) < 0.05, qPrintable(rectText(r)));
        } else if (what == QLatin1String("top")) {
            QVERIFY2(qAbs(r.bottom() - value) < 0.05, qPrintable(rectText(r)));
        }
    }
}

void TestDxfReader::hatchesAreFilledAreas_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<QList<QPointF>>("inside");
    QTest::addColumn<QList<QPointF>>("outside");

    // A 100 × 60 rectangle with a round island of radius 10 at its middle.
    QTest::newRow("solid with island") << "hatchisland.dxf" << QRectF(0, 0, 100, 60)
                                       << QList<QPointF>{{5, 5}, {50, 45}, {95, 55}, {38, 30}}
                                       << QList<QPointF>{{50, 30}, {55, 35}, {42, 30}};
    // A pattern hatch over a quarter disc whose arc edge runs clockwise.
    QTest::newRow("pattern, clockwise arc edge") << "hatchclockwise.dxf" << QRectF(0, 0, 10, 10)
                                                 << QList<QPointF>{{1, 1}, {6, 6}, {1, 9}, {9, 1}}
                                                 << QList<QPointF>{{8, 8}, {-1, -1}, {5, -5}, {-5, 5}};
}

// Hatches were ignored: a filled area came out empty.
void TestDxfReader::hatchesAreFilledAreas()
{
    QFETCH(QString, file);
    QFETCH(QRectF, bounds);
    QFETCH(QList<QPointF>, inside);
    QFETCH(QList<QPointF>, outside);
    const ImportedDrawing drawing = readFixture(file);
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QVERIFY(drawing.paths.isEmpty());
    QCOMPARE(drawing.fills.size(), 1);
    const QPainterPath &fill = drawing.fills.first();
    QVERIFY2(near(fill.boundingRect(), bounds, 0.01), qPrintable(rectText(fill.boundingRect())));
    for (const QPointF &point : inside)
        QVERIFY2(fill.contains(point), qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
    for (const QPointF &point : outside)
        QVERIFY2(!fill.contains(point), qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
}

// Filled areas engrave in fill mode: their elements carry a fill, the
// outlines none.
void TestDxfReader::hatchPlacedAsFill()
{
    ImportedDrawing drawing = readFixture(QStringLiteral("hatchisland.dxf"));
    drawing.paths.append(readFixture(QStringLiteral("line.dxf")).paths);
    const QList<DrawingImport::PlacedElement> elements =
            DrawingImport::place(drawing, ImportUnit::Millimetre, QSizeF(2000, 2000));
    QCOMPARE(elements.size(), 2);
    QStringList styles;
    for (const DrawingImport::PlacedElement &element : elements)
        styles << element.values.at(element.names.indexOf(QStringLiteral("style")));
    QVERIFY2(styles.at(0).contains(QLatin1String("fill:#000000"))
                     && styles.at(0).contains(QLatin1String("fill-rule:evenodd")),
             qPrintable(styles.at(0)));
    QVERIFY2(styles.at(1).startsWith(QLatin1String("fill:none")), qPrintable(styles.at(1)));
}

void TestDxfReader::extrusionMirrors_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<QPointF>("point");

    const double s = 10 * std::sqrt(0.5);
    // Seen from below, x runs the other way: an arc around (20, 0) from 0 to
    // 90 degrees lands around (-20, 0), from 90 to 180.
    QTest::newRow("arc") << "extrudedarc.dxf" << QRectF(-30, 0, 10, 10) << QPointF(-20 - s, s);
    QTest::newRow("circle") << "extrudedcircle.dxf" << QRectF(-25, 0, 10, 10) << QPointF(-20, 10);
    // A bulge of 1 from (10, 0) to (30, 0) bows below the chord in its own
    // plane, and still below once mirrored.
    QTest::newRow("bulged polyline") << "extrudedpolyline.dxf" << QRectF(-30, -10, 20, 10) << QPointF(-20, -10);
    // World centre and axis; the half from 0 to pi runs below the axis.
    QTest::newRow("half ellipse") << "extrudedellipse.dxf" << QRectF(-20, -10, 40, 10) << QPointF(0, -10);
    // The insertion point and the block's content are mirrored alike.
    QTest::newRow("insert") << "extrudedinsert.dxf" << QRectF(-30, 0, 10, 5) << QPointF(-25, 2.5);
}

void TestDxfReader::extrusionMirrors()
{
    QFETCH(QString, file);
    QFETCH(QRectF, bounds);
    QFETCH(QPointF, point);
    const ImportedDrawing drawing = readFixture(file);
    QCOMPARE(drawing.paths.size(), 1);
    QVERIFY2(near(drawing.paths.first().boundingRect(), bounds, 0.01),
             qPrintable(rectText(drawing.paths.first().boundingRect())));
    QVERIFY(PathProbe::distance(drawing.paths.first(), point) < 0.01);
}

// A title block in paper space was burned with the model.
void TestDxfReader::paperSpaceIsLeftOut()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("paperspace.dxf"));
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QCOMPARE(drawing.bounds(), QRectF(0, 0, 10, 0));
}

// A dimension inside a block is drawn by its anonymous block, wherever the
// block is placed.
void TestDxfReader::dimensionInBlockIsDrawn()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("dimensioninblock.dxf"));
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QCOMPARE(drawing.bounds(), QRectF(100, 0, 10, 3));
    QVERIFY(PathProbe::distance(drawing.paths.first(), QPointF(110, 1.5)) < 1e-9);
}

// The curve through fit points is the cubic spline CAD programs draw:
// through every point, twice continuously differentiable over chord-length
// parameters, leaving the ends along the first and last chords at unit
// speed. These conditions fix the curve; they are checked on its Bezier
// pieces.
void TestDxfReader::fitPointSplineIsCadInterpolation()
{
    const QList<QPointF> fit{{0, 0}, {20, 30}, {40, 10}, {60, 35}, {80, 0}};
    const ImportedDrawing drawing = readFixture(QStringLiteral("splinefitonly.dxf"));
    QCOMPARE(drawing.paths.size(), 1);
    const QPainterPath &path = drawing.paths.first();
    QCOMPARE(path.elementCount(), 1 + 3 * (fit.size() - 1));
    struct Piece
    {
        QPointF p0, p1, p2, p3;
        double h;
    };
    QList<Piece> pieces;
    for (int i = 0; i + 1 < fit.size(); ++i) {
        const int e = 1 + 3 * i;
        QVERIFY(path.elementAt(e).isCurveTo());
        pieces.append({QPointF(path.elementAt(e - 1)), QPointF(path.elementAt(e)), QPointF(path.elementAt(e + 1)),
                       QPointF(path.elementAt(e + 2)), QLineF(fit.at(i), fit.at(i + 1)).length()});
    }
    auto close = [](const QPointF &a, const QPointF &b) { return QLineF(a, b).length() < 1e-6; };
    for (int i = 0; i < pieces.size(); ++i) {
        const Piece &p = pieces.at(i);
        QVERIFY(close(p.p0, fit.at(i)));
        QVERIFY(close(p.p3, fit.at(i + 1)));
        if (i == 0)
            continue;
        const Piece &q = pieces.at(i - 1);
        const QPointF firstIn = 3 * (q.p3 - q.p2) / q.h;
        const QPointF firstOut = 3 * (p.p1 - p.p0) / p.h;
        const QPointF secondIn = 6 * (q.p3 - 2 * q.p2 + q.p1) / (q.h * q.h);
        const QPointF secondOut = 6 * (p.p2 - 2 * p.p1 + p.p0) / (p.h * p.h);
        QVERIFY2(close(firstIn, firstOut), qPrintable(QString::number(i)));
        QVERIFY2(close(secondIn, secondOut), qPrintable(QString::number(i)));
    }
    const QPointF startSpeed = 3 * (pieces.first().p1 - pieces.first().p0) / pieces.first().h;
    const QPointF endSpeed = 3 * (pieces.last().p3 - pieces.last().p2) / pieces.last().h;
    const QLineF firstChord(fit.at(0), fit.at(1));
    const QLineF lastChord(fit.at(3), fit.at(4));
    QVERIFY(close(startSpeed, (firstChord.p2() - firstChord.p1()) / firstChord.length()));
    QVERIFY(close(endSpeed, (lastChord.p2() - lastChord.p1()) / lastChord.length()));
}

// dxflib loops for ever on a line of 1024 characters or more. A 3000
// character MTEXT (drawn whole, far wider than its first 1000 characters)
// and a long comment beside a line.
void TestDxfReader::longValuesAreReadWhole()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("longline.dxf"));
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QCOMPARE(drawing.paths.size(), 1);
    const QRectF bounds = drawing.bounds();
    // 2970 letters A 2 mm high are well over 4000 mm long.
    QVERIFY2(bounds.width() > 4000, qPrintable(rectText(bounds)));
    QVERIFY(PathProbe::distance(drawing.paths.first(), QPointF(5, 0)) < 1e-9);
}

// Binary DXF made the program hang; it is read like its ASCII form.
void TestDxfReader::binaryDxfIsRead()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("binary.dxf"));
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QCOMPARE(int(drawing.unit), int(ImportUnit::Millimetre));
    QVERIFY(drawing.unitStated);
    QVERIFY2(near(drawing.bounds(), QRectF(0, 0, 25, 10), 1e-9), qPrintable(rectText(drawing.bounds())));
    QVERIFY(PathProbe::distance(drawing.paths.first(), QPointF(5, 0)) < 1e-9);
    QVERIFY(PathProbe::distance(drawing.paths.first(), QPointF(20, 10)) < 0.01);
}

// A vertex count of 2^30 + 1 overflowed inside dxflib and crashed.
void TestDxfReader::lyingVertexCountIsSafe()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("lwpolylinecount.dxf"));
    QVERIFY2(drawing.ok(), qPrintable(drawing.error));
    QCOMPARE(drawing.bounds(), QRectF(0, 0, 10, 5));
}

// Sixteen levels of four copies each ask for 4^15 lines: refused with a
// message instead of exhausting memory.
void TestDxfReader::insertBombIsRefused()
{
    const ImportedDrawing drawing = readFixture(QStringLiteral("insertbomb.dxf"));
    QVERIFY(!drawing.ok());
    QVERIFY2(drawing.error.contains(QLatin1String("1000000")), qPrintable(drawing.error));
    QVERIFY(drawing.paths.isEmpty());
}

QTEST_MAIN(TestDxfReader)
#include "tst_dxfreader.moc"
