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
    void lineWithoutTerminatorIsReported();
    void plotterUnitsAreGuessedFromSize();
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

void TestPltReader::lineWithoutTerminatorIsReported()
{
    QByteArray file("SP1;\nPU0,0;\nPD10,10\n");
    QBuffer buffer(&file);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QTest::ignoreMessage(QtDebugMsg, "Unknown command");
    PltReader reader;
    reader.read(buffer);
    QVERIFY(drawn(reader.paths()).isEmpty());
}

void TestPltReader::plotterUnitsAreGuessedFromSize()
{
    // 100 mm in plotter units is 4000; far beyond a new design's work area
    // as design units.
    QByteArray plotter("IN;SP1;PU0,0;PD4000,0;PD4000,4000;");
    QByteArray design("IN;SP1;PU0,0;PD400,0;PD400,400;");
    QBuffer plotterBuffer(&plotter);
    QBuffer designBuffer(&design);
    QVERIFY(plotterBuffer.open(QIODevice::ReadOnly));
    QVERIFY(designBuffer.open(QIODevice::ReadOnly));
    const ImportedDrawing big = DrawingImport::readPlt(plotterBuffer);
    QCOMPARE(int(big.unit), int(ImportUnit::Plotter));
    QCOMPARE(DrawingImport::physicalSize(big, big.unit), QSizeF(100, 100));
    QCOMPARE(int(DrawingImport::readPlt(designBuffer).unit), int(ImportUnit::Design));
}

QTEST_MAIN(TestPltReader)
#include "tst_pltreader.moc"
