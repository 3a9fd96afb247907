// Where an interrupted job is taken up again: the rows and outlines found in
// generated jobs, the unit a given acknowledgement leads back to, and the
// resumed job, whose burn must be exactly the original's from that unit on.
#include "gcode/gcodegenerator.h"
#include "gcode/jobmap.h"
#include "gcode/resumejob.h"

#include "burnpath.h"
#include "gcodeinterpreter.h"

#include <QSet>
#include <QtTest>

#include <cmath>

using namespace BurnPath;

namespace {

QString design(const QString &body)
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:tolvenrik='urn:tolvenrik' "
                          "width='400' height='300'>%1</svg>")
            .arg(body);
}

QString shape(const QString &element, const QString &fill, const QString &extra = QString())
{
    return element + QStringLiteral(" style='fill:%1;stroke:#000000' tolvenrik:scanAccuracy='0.2'"
                                    " tolvenrik:scanBuffer='1' %2/>")
                             .arg(fill, extra);
}

QList<GCodeBuffer> generated(const QString &body)
{
    GCodeGenerator generator;
    return generator.generate(design(body)).toList();
}

GCodeBuffer move(double g, double x, double y, double s = GCodeBuffer::absent, bool relative = false)
{
    GCodeBuffer record = GCodeBuffer::g(g);
    record.absolute = !relative;
    record.X = x;
    record.Y = y;
    record.S = s;
    return record;
}

GCodeBuffer relativeWord(double g, double m)
{
    GCodeBuffer record;
    record.G = g;
    record.M = m;
    record.absolute = false;
    record.X = 0;
    record.Y = 0;
    return record;
}

// Four serpentine rows of ten burning moves, joined by power-off moves across:
// records 4-13 row 1, 14 across, 15-24 row 2, 25 across, 26-35 row 3, 36
// across, 37-46 row 4, 47 the program end.
QList<GCodeBuffer> fourRows()
{
    QList<GCodeBuffer> job{relativeWord(90, GCodeBuffer::absent), relativeWord(GCodeBuffer::absent, 4),
                           move(0, 10, 10), relativeWord(91, GCodeBuffer::absent)};
    for (int row = 0; row < 4; ++row) {
        if (row > 0)
            job << move(1, 0, 0.1, 0, true);
        for (int i = 0; i < 10; ++i)
            job << move(1, row % 2 ? -1 : 1, 0, 500, true);
    }
    job << relativeWord(GCodeBuffer::absent, 2);
    return job;
}

// The burn of `job` from record `first` on, run after everything before it.
QVector<QLineF> burnFrom(const QList<GCodeBuffer> &job, int first)
{
    GCodeInterpreter interpreter;
    const QStringList lines = linesOf(job);
    interpreter.run(lines.mid(0, first));
    const int before = interpreter.segments.size();
    interpreter.run(lines.mid(first));
    return interpreter.segments.mid(before);
}

} // namespace

class TestJobMap : public QObject
{
    Q_OBJECT
private slots:
    void everyUnitResumesItsOwnBurn_data();
    void everyUnitResumesItsOwnBurn();
    void rowsAreScanLines();
    void resumeUnitCoversThePlanner_data();
    void resumeUnitCoversThePlanner();
    void resumedJobText_data();
    void resumedJobText();
};

void TestJobMap::everyUnitResumesItsOwnBurn_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("rows");      // -1: some, unchecked
    QTest::addColumn<int>("outlines");

    QTest::newRow("fill 0°") << shape("<rect x='40' y='30' width='60' height='20'", "#000000") << -1 << 0;
    QTest::newRow("fill 30°, two passes")
            << shape("<ellipse cx='100' cy='80' rx='40' ry='20'", "#000000",
                     "tolvenrik:scanAngle='30' tolvenrik:scanTimes='2'")
            << -1 << 0;
    QTest::newRow("three outlines with backlash")
            << shape("<rect x='10' y='10' width='30' height='30'", "none",
                     "tolvenrik:XMotorMovementError='0.1' tolvenrik:YMotorMovementError='0.1'")
                       + shape("<rect x='100' y='10' width='30' height='30'", "none")
                       + shape("<path d='M 200 50 L 260 80 L 200 110'", "none")
            << 0 << 3;
    QTest::newRow("fill then outline")
            << shape("<rect x='40' y='30' width='60' height='10'", "#000000")
                       + shape("<rect x='200' y='30' width='40' height='40'", "none")
            << -1 << 1;
}

void TestJobMap::everyUnitResumesItsOwnBurn()
{
    QFETCH(QString, body);
    QFETCH(int, rows);
    QFETCH(int, outlines);
    const QList<GCodeBuffer> job = generated(body);
    const JobMap map(job);
    QVERIFY(!map.isEmpty());

    int rowUnits = 0;
    int outlineUnits = 0;
    QVector<QLineF> all;
    for (int u = 0; u < map.units().size(); ++u) {
        const JobMap::Unit &unit = map.units().at(u);
        const bool row = unit.kind == JobMap::Kind::Row;
        QCOMPARE(unit.number, row ? ++rowUnits : ++outlineUnits);
        QCOMPARE(map.unitOf(unit.first), u);

        GCodeInterpreter resumed;
        resumed.run(linesOf(ResumeJob::build(job, unit)));
        const QString where = QStringLiteral("unit %1 at record %2").arg(u).arg(unit.first);
        QVERIFY2(resumed.firstPositioningLine >= 0, qPrintable(where));
        QVERIFY2(resumed.firstBurnLine > resumed.firstPositioningLine, qPrintable(where));
        const QVector<QLineF> expected = burnFrom(job, unit.first);
        QVERIFY2(unmatched(expected, resumed.segments).isEmpty(),
                 qPrintable(where + ", not burned: " + describe(unmatched(expected, resumed.segments))));
        QVERIFY2(unmatched(resumed.segments, expected).isEmpty(),
                 qPrintable(where + ", burned wrongly: " + describe(unmatched(resumed.segments, expected))));
        QCOMPARE(resumed.segments.size(), expected.size());
    }
    if (rows >= 0)
        QCOMPARE(rowUnits, rows);
    QVERIFY(rowUnits > 0 || rows == 0);
    QCOMPARE(outlineUnits, outlines);
}

void TestJobMap::rowsAreScanLines()
{
    // One row per burned scan line: two lines merged would repeat a whole
    // finished line on resume; one line split would resume it without lead-in.
    const QList<GCodeBuffer> job = generated(shape("<rect x='40' y='30' width='60' height='20'", "#000000")
                                             + shape("<rect x='40' y='80' width='20' height='10'", "#000000"));
    const JobMap map(job);
    QSet<qint64> lines;
    for (const QLineF &segment : segmentsOf(linesOf(job)))
        lines.insert(qRound64(segment.y1() * 1000));
    QCOMPARE(map.units().size(), lines.size());
    for (int u = 0; u < map.units().size(); ++u) {
        const int end = u + 1 < map.units().size() ? map.units().at(u + 1).first : job.size();
        const QVector<QLineF> burned = burnFrom(job.mid(0, end), map.units().at(u).first);
        QVERIFY(!burned.isEmpty());
        for (const QLineF &segment : burned)
            QCOMPARE(qRound64(segment.y1() * 1000), qRound64(burned.first().y1() * 1000));
    }
}

void TestJobMap::resumeUnitCoversThePlanner_data()
{
    QTest::addColumn<int>("acknowledged");
    QTest::addColumn<int>("planner");
    QTest::addColumn<int>("unit");

    QTest::newRow("nothing answered") << 0 << 16 << 0;
    QTest::newRow("inside row 1") << 10 << 0 << 0;
    QTest::newRow("inside row 2") << 20 << 0 << 1;
    QTest::newRow("move across belongs to the row before") << 15 << 0 << 0;
    QTest::newRow("planner reaches back into row 1") << 20 << 16 << 0;
    QTest::newRow("end of row 3, planner in row 2") << 36 << 16 << 1;
    QTest::newRow("all burned") << 47 << 0 << 3;
    QTest::newRow("program end answered, planner in row 3") << 48 << 16 << 2;
    QTest::newRow("more than the job") << 500 << 0 << 3;
}

void TestJobMap::resumeUnitCoversThePlanner()
{
    QFETCH(int, acknowledged);
    QFETCH(int, planner);
    QFETCH(int, unit);
    const QList<GCodeBuffer> job = fourRows();
    const JobMap map(job);
    QCOMPARE(map.units().size(), 4);
    QCOMPARE(map.resumeUnit(job, acknowledged, planner), unit);

    const QList<GCodeBuffer> travel{move(0, 1, 1), move(1, 2, 2, 0), move(0, 0, 0)};
    QCOMPARE(JobMap(travel).resumeUnit(travel, acknowledged, planner), -1);
}

void TestJobMap::resumedJobText_data()
{
    QTest::addColumn<QList<GCodeBuffer>>("job");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QStringList>("expected");

    // Row 3 starts where the move across from row 2 ends (10 + 10 - 10, 10.2),
    // in relative mode at the pass's power.
    QTest::newRow("raster row") << fourRows() << 2
                                << QStringList{"G21", "G90", "M5", "G0X10.0000Y10.2000", "M9", "M4",
                                               "S0.0000", "G91",
                                               "G1X1.0000S500.0000", "G1X1.0000S500.0000",
                                               "G1X1.0000S500.0000", "G1X1.0000S500.0000",
                                               "G1X1.0000S500.0000", "G1X1.0000S500.0000",
                                               "G1X1.0000S500.0000", "G1X1.0000S500.0000",
                                               "G1X1.0000S500.0000", "G1X1.0000S500.0000",
                                               "G1Y0.1000S0.0000",
                                               "G1X-1.0000S500.0000", "G1X-1.0000S500.0000",
                                               "G1X-1.0000S500.0000", "G1X-1.0000S500.0000",
                                               "G1X-1.0000S500.0000", "G1X-1.0000S500.0000",
                                               "G1X-1.0000S500.0000", "G1X-1.0000S500.0000",
                                               "G1X-1.0000S500.0000", "G1X-1.0000S500.0000", "M2"};

    // Constant power would burn a dot while the head waits: the power goes
    // with the first cutting move, which never gave one itself. Air and fan
    // come back as they were.
    GCodeBuffer feed = move(1, 2, 1, 300);
    feed.F = 600;
    GCodeBuffer second = move(1, 6, 5);
    const QList<GCodeBuffer> constant{relativeWord(GCodeBuffer::absent, 106), relativeWord(90, GCodeBuffer::absent),
                                      relativeWord(GCodeBuffer::absent, 3), relativeWord(GCodeBuffer::absent, 8),
                                      move(0, 1, 1), feed, move(1, 2, 2), move(0, 5, 5), second,
                                      relativeWord(GCodeBuffer::absent, 5), relativeWord(GCodeBuffer::absent, 2)};
    QTest::newRow("M3 outline") << constant << 1
                                << QStringList{"G21", "G90", "M5", "G0X2.0000Y2.0000", "M106", "M8", "M3",
                                               "G1S0.0000F600.0000",
                                               "G0X5.0000Y5.0000", "G1X6.0000Y5.0000S300.0000", "M5", "M2"};
}

void TestJobMap::resumedJobText()
{
    QFETCH(QList<GCodeBuffer>, job);
    QFETCH(int, unit);
    QFETCH(QStringList, expected);
    const JobMap map(job);
    QVERIFY(unit < map.units().size());
    QCOMPARE(linesOf(ResumeJob::build(job, map.units().at(unit))), expected);
}

QTEST_MAIN(TestJobMap)
#include "tst_jobmap.moc"
