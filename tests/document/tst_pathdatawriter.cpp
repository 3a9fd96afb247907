#include "document/pathdatawriter.h"

#include <QtTest>

#include <random>

Q_DECLARE_METATYPE(QPainterPath)

class TestPathDataWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesData_data();
    void writesData();
    void formatsLikeQt();
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

// The writer formats numbers itself for speed; it must give Qt's text,
// including exact ties, which Qt rounds away from zero.
void TestPathDataWriter::formatsLikeQt()
{
    QVector<double> values{ 0.0078125, -0.0078125, 781.2265625, -781.2265625, 2.5e-7, -1e-14,
                            0.0, -0.0, 1e-7, 123456.5, 99999999.9999995, 1e12, -3.5e15 };
    for (int k = -3000; k <= 3000; ++k)
        values << k / 128.0 << k / 64.0 + 1e-9 << k * 0.1 << k * 1.0000001;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> spread(-20000, 20000);
    for (int i = 0; i < 20000; ++i)
        values << spread(random);

    for (const double value : values) {
        const QPainterPath path(QPointF(value, 0));
        const QString expected = QStringLiteral("m %1,0.000000 ")
                                         .arg(QString::number(value, 'f', 6));
        QCOMPARE(pathToData(path), expected);
    }
}

QTEST_GUILESS_MAIN(TestPathDataWriter)
#include "tst_pathdatawriter.moc"
