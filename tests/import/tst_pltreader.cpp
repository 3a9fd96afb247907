#include "import/drawingimport.h"
#include "import/pltreader.h"

#include <QBuffer>
#include <QtTest>

using Polygons = QList<QPolygonF>;
Q_DECLARE_METATYPE(Polygons)

// HPGL plotter files read into one path per pen selection.
class TestPltReader : public QObject
{
    Q_OBJECT

private slots:
    void readsCommands_data();
    void readsCommands();
    void arcsCirclesAndScaling_data();
    void arcsCirclesAndScaling();
    void labelsAreOutlineText();
    void plotterUnitIsTheDefault();
};

namespace {

// The drawn subpaths of every path, empty paths left out.
Polygons drawn(const QList<QPainterPath> &paths)
{
    Polygons polygons;
    for (const QPainterPath &path : paths) {
        for (const QPolygonF &polygon : path.toSubpathPolygons()) {
            if (polygon.size() > 1)
                polygons.append(polygon);
        }
    }
    return polygons;
}

QPolygonF poly(std::initializer_list<QPointF> points)
{
    return QPolygonF(QVector<QPointF>(points));
}

} // namespace

void TestPltReader::readsCommands_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("selections");
    QTest::addColumn<Polygons>("polygons");

    const Polygons corner{poly({{0, 0}, {100, 0}, {100, 100}})};
    QTest::newRow("one command a line") << QByteArray("SP1;\nPU0,0;\nPD100,0;\nPD100,100;\n") << 1 << corner;
    QTest::newRow("all on one line") << QByteArray("IN;SP1;PU0,0;PD100,0;PD100,100;") << 1 << corner;
    QTest::newRow("lower case") << QByteArray("sp1;pu0,0;pd100,0;pd100,100;\n") << 1 << corner;
    QTest::newRow("several pairs after one command") << QByteArray("SP1;PU0,0;PD100,0,100,100;") << 1 << corner;
    QTest::newRow("spaces between numbers") << QByteArray("SP1;PU0 0;PD100 0 100 100;") << 1 << corner;
    // "IN;PU;..." files draw before they select a pen.
    QTest::newRow("drawing before the first pen") << QByteArray("IN;PU0,0;PD100,0;PD100,100;") << 0 << corner;
    // A bare PU or PD is no move to the origin.
    QTest::newRow("bare pen up and down") << QByteArray("SP1;PU0,0;PD100,0;PU;PD;PD100,100;") << 1 << corner;
    QTest::newRow("two pens") << QByteArray("SP1;PU0,0;PD10,0;SP2;PU5,5;PD5,50;") << 2
                              << Polygons{poly({{0, 0}, {10, 0}}), poly({{5, 5}, {5, 50}})};
    QTest::newRow("pen selected, nothing drawn") << QByteArray("SP1;SP2;PU0,0;PD0,10;") << 2
                                                  << Polygons{poly({{0, 0}, {0, 10}})};
    QTest::newRow("other commands ignored") << QByteArray("IN;VS10;SP1;PA;PU0,0;PD100,0;PD100,100;SP0;")
                                            << 2 << corner;
    // Plotters end a command at a line end or where the next one begins.
    QTest::newRow("newline terminators") << QByteArray("SP1\nPU0,0\nPD100,0\nPD100,100\n") << 1 << corner;
    QTest::newRow("no terminators at all") << QByteArray("SP1PU0,0PD100,0PD100,100") << 1 << corner;
    QTest::newRow("CR LF, last command unterminated")
            << QByteArray("SP1;\r\nPU0,0;\r\nPD100,0;\r\nPD100,100") << 1 << corner;
    QTest::newRow("pairs continued on the next line") << QByteArray("SP1;PU0,0;PD100,0,\n100,100;") << 1 << corner;
    QTest::newRow("fractional coordinates") << QByteArray("SP1;PU0.5,0.25;PD100.75,-0.5;") << 1
                                            << Polygons{poly({{0.5, 0.25}, {100.75, -0.5}})};
    // PR was drawn as absolute.
    QTest::newRow("relative plotting") << QByteArray("IN;SP1;PU0,0;PD;PR100,0,0,100;") << 1 << corner;
    QTest::newRow("relative then absolute again") << QByteArray("IN;SP1;PR;PU10,10;PD90,0;PA100,100;") << 1
                                                  << Polygons{poly({{10, 10}, {100, 10}, {100, 100}})};
    QTest::newRow("pen up and down with PA pairs") << QByteArray("IN;SP1;PA0,0;PD100,0,100,100;PU;PA5,5;") << 1
                                                   << corner;
    // The pen stays where it is when another is selected.
    QTest::newRow("pen down right after a new pen") << QByteArray("SP1;PU50,50;SP2;PD60,50;") << 2
                                                    << Polygons{poly({{50, 50}, {60, 50}})};
}

void TestPltReader::readsCommands()
{
    QFETCH(QByteArray, file);
    QFETCH(int, selections);
    QFETCH(Polygons, polygons);
    QBuffer buffer(&file);
    QVERIFY(buffer.open(QIODevice::ReadOnly | QIODevice::Text));
    PltReader reader;
    QCOMPARE(reader.read(buffer), selections);
    QCOMPARE(drawn(reader.paths()), polygons);
}

void TestPltReader::arcsCirclesAndScaling_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<QList<QPointF>>("onPath");
    QTest::addColumn<QPointF>("lastPoint");

    // Chords of 5 degrees stray at most r (1 - cos 2.5°) from the circle.
    const double s = 100 * std::sqrt(0.5);
    QTest::newRow("circle around the pen") << QByteArray("IN;SP1;PU100,100;CI50;")
                                           << QRectF(50, 50, 100, 100)
                                           << QList<QPointF>{{150, 100}, {100, 150}, {50, 100}, {100, 50}}
                                           << QPointF(150, 100);
    QTest::newRow("absolute arc, counter-clockwise") << QByteArray("IN;SP1;PU100,0;PD;AA0,0,90;")
                                                     << QRectF(0, 0, 100, 100)
                                                     << QList<QPointF>{{100, 0}, {s, s}, {0, 100}}
                                                     << QPointF(0, 100);
    QTest::newRow("relative arc, clockwise") << QByteArray("IN;SP1;PU100,0;PD;AR-100,0,-90;")
                                             << QRectF(0, -100, 100, 100)
                                             << QList<QPointF>{{100, 0}, {s, -s}, {0, -100}}
                                             << QPointF(0, -100);
    // User units 0..10 onto plotter units 0..1000.
    QTest::newRow("SC onto IP") << QByteArray("IN;IP0,0,1000,1000;SC0,10,0,10;SP1;PU0,0;PD10,5;")
                                << QRectF(0, 0, 1000, 500) << QList<QPointF>{{500, 250}} << QPointF(1000, 500);
    QTest::newRow("SC point factor") << QByteArray("IN;SC0,4,0,4,2;SP1;PU0,0;PD10,5;PR1,0;")
                                     << QRectF(0, 0, 44, 20) << QList<QPointF>{{20, 10}} << QPointF(44, 20);
}

void TestPltReader::arcsCirclesAndScaling()
{
    QFETCH(QByteArray, file);
    QFETCH(QRectF, bounds);
    QFETCH(QList<QPointF>, onPath);
    QFETCH(QPointF, lastPoint);
    QBuffer buffer(&file);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    PltReader reader;
    reader.read(buffer);
    QPainterPath all;
    for (const QPainterPath &path : reader.paths())
        all.addPath(path);
    const QRectF found = all.boundingRect();
    QVERIFY2(qAbs(found.left() - bounds.left()) < 0.1 && qAbs(found.top() - bounds.top()) < 0.1
                     && qAbs(found.right() - bounds.right()) < 0.1 && qAbs(found.bottom() - bounds.bottom()) < 0.1,
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(found.x()).arg(found.y()).arg(found.width()).arg(found.height())));
    const QList<QPolygonF> polygons = all.toSubpathPolygons();
    for (const QPointF &point : onPath) {
        double best = 1e9;
        for (const QPolygonF &polygon : polygons) {
            for (int i = 0; i + 1 < polygon.size(); ++i) {
                const QLineF segment(polygon.at(i), polygon.at(i + 1));
                const QPointF d = segment.p2() - segment.p1();
                const double squared = QPointF::dotProduct(d, d);
                const double t = squared > 0 ? qBound(0.0, QPointF::dotProduct(point - segment.p1(), d) / squared, 1.0) : 0;
                best = qMin(best, QLineF(point, segment.p1() + d * t).length());
            }
        }
        QVERIFY2(best < 0.1, qPrintable(QStringLiteral("%1,%2: %3").arg(point.x()).arg(point.y()).arg(best)));
    }
    QVERIFY(QLineF(polygons.last().last(), lastPoint).length() < 1e-6);
}

// Labels were dropped; they are outline text at the pen, 0.27 cm (108
// plotter units) to the cap, and the pen moves on past them.
void TestPltReader::labelsAreOutlineText()
{
    QByteArray file("IN;SP1;PU1000,2000;LBHIH\x03PD;PR0,-500;");
    QBuffer buffer(&file);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    PltReader reader;
    reader.read(buffer);
    QCOMPARE(reader.paths().size(), 1);
    const QPainterPath &path = reader.paths().first();
    const QList<QPolygonF> polygons = path.toSubpathPolygons();
    // H, I, H and the line drawn after the label.
    QCOMPARE(polygons.size(), 4);
    QRectF text;
    for (int i = 0; i < 3; ++i)
        text |= polygons.at(i).boundingRect();
    QVERIFY(qAbs(text.top() - 2000) < 0.5);
    QVERIFY(qAbs(text.height() - 108) < 0.5);
    QVERIFY(text.left() >= 1000 && text.left() < 1030);
    // The line starts where the label ended, right of the text.
    const QPolygonF line = polygons.last();
    QCOMPARE(line.size(), 2);
    QVERIFY(line.first().x() > text.right() && line.first().x() < text.right() + 40);
    QCOMPARE(line.first().y(), 2000.0);
    QCOMPARE(line.last() - line.first(), QPointF(0, -500));
}

// Plotter files are written in plotter units (0.025 mm, y up); the design
// unit read a standard file 3.2 times too large and upside down.
void TestPltReader::plotterUnitIsTheDefault()
{
    QByteArray small("IN;SP1;PU0,0;PD400,0;PD400,400;");
    QBuffer buffer(&small);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const ImportedDrawing drawing = DrawingImport::readPlt(buffer);
    QCOMPARE(int(drawing.unit), int(ImportUnit::Plotter));
    QCOMPARE(DrawingImport::physicalSize(drawing, drawing.unit), QSizeF(10, 10));
    QVERIFY(ImportUnits::isYUp(drawing.unit));
}

QTEST_MAIN(TestPltReader)
#include "tst_pltreader.moc"
