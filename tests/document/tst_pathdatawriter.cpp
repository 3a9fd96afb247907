#include "document/pathdatawriter.h"

#include <QtTest>

Q_DECLARE_METATYPE(QPainterPath)

class TestPathDataWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesData_data();
    void writesData();
};

static QPainterPath polyline(const QVector<QPointF> &points)
{
    QPainterPath path(points.first());
    for (int i = 1; i < points.size(); ++i)
        path.lineTo(points.at(i));
    return path;
}

void TestPathDataWriter::writesData_data()
{
    QTest::addColumn<QPainterPath>("path");
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("closed");

    QTest::newRow("empty") << QPainterPath() << QString() << QString();

    QTest::newRow("open polyline")
            << polyline({ { 10, 10 }, { 20, 10 }, { 20, 20 } })
            << "m 10.000000,10.000000 l 10.000000,0.000000 0.000000,10.000000 "
            << "M 10.000000,10.000000 l 10.000000,0.000000 0.000000,10.000000 ";

    QPainterPath square;
    square.addRect(0, 0, 10, 10);
    QTest::newRow("closed square")
            << square
            << "m 0.000000,0.000000 l 10.000000,0.000000 0.000000,10.000000 -10.000000,0.000000 0.000000,-10.000000 "
            << "M 0.000000,0.000000 l 10.000000,0.000000 0.000000,10.000000 -10.000000,0.000000 0.000000,-10.000000 z ";

    // All three points of a cubic are relative to the same start; a second
    // cubic repeats no "c", and a line after it starts a new "l".
    QPainterPath curves(QPointF(1, 2));
    curves.cubicTo(3, 2, 5, 4, 5, 6);
    curves.cubicTo(5, 8, 7, 8, 9, 8);
    curves.lineTo(9, 9.5);
    QTest::newRow("curves then line")
            << curves
            << "m 1.000000,2.000000 c 2.000000,0.000000 4.000000,2.000000 4.000000,4.000000 "
               "0.000000,2.000000 2.000000,2.000000 4.000000,2.000000 l 0.000000,1.500000 "
            << "M 1.000000,2.000000 c 2.000000,0.000000 4.000000,2.000000 4.000000,4.000000 "
               "0.000000,2.000000 2.000000,2.000000 4.000000,2.000000 l 0.000000,1.500000 ";

    // A later move is relative to where the previous subpath ended.
    QPainterPath two = polyline({ { 0, 0 }, { 4, 0 } });
    two.moveTo(4, 3);
    two.lineTo(-1.25, 3);
    QTest::newRow("two subpaths")
            << two
            << "m 0.000000,0.000000 l 4.000000,0.000000 m 0.000000,3.000000 l -5.250000,0.000000 "
            << "M 0.000000,0.000000 l 4.000000,0.000000 m 0.000000,3.000000 l -5.250000,0.000000 ";

    // Ending on the path's first point while the last subpath began elsewhere:
    // a "z" would draw a segment back to (5, 5) that the path does not have.
    QPainterPath backToFirst = polyline({ { 0, 0 }, { 2, 0 } });
    backToFirst.moveTo(5, 5);
    backToFirst.lineTo(0, 0);
    QTest::newRow("ends on first point of another subpath")
            << backToFirst
            << "m 0.000000,0.000000 l 2.000000,0.000000 m 3.000000,5.000000 l -5.000000,-5.000000 "
            << "M 0.000000,0.000000 l 2.000000,0.000000 m 3.000000,5.000000 l -5.000000,-5.000000 ";
}

void TestPathDataWriter::writesData()
{
    QFETCH(QPainterPath, path);
    QFETCH(QString, relative);
    QFETCH(QString, closed);

    QCOMPARE(pathToData(path), relative);
    QCOMPARE(pathToClosedData(path), closed);
}

QTEST_GUILESS_MAIN(TestPathDataWriter)
#include "tst_pathdatawriter.moc"
