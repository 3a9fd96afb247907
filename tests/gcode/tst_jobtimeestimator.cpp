// The job time estimate against a separate model of a constant-acceleration
// planner: junction speeds from the deviation rule, a look-ahead window that
// must be able to stop, and each block's motion integrated in small time steps
// instead of the estimator's closed-form trapezoids.
#include "gcode/jobtimeestimator.h"

#include <QtMath>
#include <QtTest>

namespace {

struct Move
{
    double x;
    double y;
    double feed;    // mm/min; 0 for G0
};

struct Limits
{
    double rate = 16000 / 60.0;     // mm/s per axis
    double acceleration = 3000;     // mm/s^2 per axis
    double deviation = 0.01;
    int window = 15;
};

// Seconds of the moves from `start`, by the published rules, step by step.
double referenceSeconds(const QList<Move> &moves, const Limits &limits, QPointF start = QPointF())
{
    struct Segment
    {
        double length, ux, uy, cruise, accel, junction;
    };
    QList<Segment> segments;
    double x = start.x();
    double y = start.y();
    for (const Move &m : moves) {
        const double dx = m.x - x;
        const double dy = m.y - y;
        const double length = qSqrt(dx * dx + dy * dy);
        x = m.x;
        y = m.y;
        if (length < 1e-9)
            continue;
        const double ux = dx / length;
        const double uy = dy / length;
        // Each axis may go no faster and accelerate no harder than its limit.
        const double largest = qMax(qAbs(ux), qAbs(uy));
        double cruise = limits.rate / largest;
        if (m.feed > 0)
            cruise = qMin(cruise, m.feed / 60);
        const double accel = limits.acceleration / largest;
        segments.append({length, ux, uy, cruise, accel, 0});
    }
    for (int i = 1; i < segments.size(); ++i) {
        Segment &s = segments[i];
        const Segment &p = segments.at(i - 1);
        const double dot = p.ux * s.ux + p.uy * s.uy;
        double v;
        if (dot > 0.999999) {
            v = 1e30;
        } else if (dot < -0.999999) {
            v = 0;
        } else {
            // The junction is a circle of the deviation's offset, taken at
            // the acceleration allowed along the change of direction.
            const double cx = s.ux - p.ux;
            const double cy = s.uy - p.uy;
            const double n = qSqrt(cx * cx + cy * cy);
            const double along = limits.acceleration / qMax(qAbs(cx / n), qAbs(cy / n));
            const double half = qSqrt((1 + dot) / 2);   // sin of half the turn
            v = qSqrt(along * limits.deviation * half / (1 - half));
        }
        s.junction = qMin(v, qMin(s.cruise, p.cruise));
    }

    double seconds = 0;
    double entry = 0;
    for (int k = 0; k < segments.size(); ++k) {
        // The fastest exit from which the held blocks can still stop.
        const int last = qMin(int(segments.size()) - 1, k + limits.window - 1);
        double stop = 0;
        for (int j = last; j > k; --j)
            stop = qMin(segments.at(j).junction,
                        qSqrt(stop * stop + 2 * segments.at(j).accel * segments.at(j).length));
        const Segment &s = segments.at(k);
        entry = qMin(entry, k == 0 ? 0.0 : s.junction);
        const double exit = qMin(stop, qMin(s.cruise,
                                            qSqrt(entry * entry + 2 * s.accel * s.length)));
        // Integrate: speed up while the exit can still be reached, else slow down.
        const double dt = 2e-5;
        double v = entry;
        double done = 0;
        while (done < s.length) {
            const double left = s.length - done;
            const double brake = (v * v - exit * exit) / (2 * s.accel);
            double a = 0;
            if (brake >= left)
                a = -s.accel;
            else if (v < s.cruise)
                a = s.accel;
            double next = qBound(0.0, v + a * dt, s.cruise);
            if (a < 0)
                next = qMax(next, exit);
            const double step = (v + next) / 2 * dt;
            if (step <= 0)
                break;
            if (done + step >= left + done) {
                seconds += left / ((v + next) / 2);
                break;
            }
            done += step;
            seconds += dt;
            v = next;
        }
        entry = exit;
    }
    return seconds;
}

QByteArray jobText(const QList<Move> &moves)
{
    QByteArray text = "G90\nG21\n";
    for (const Move &m : moves) {
        text += m.feed > 0 ? "G1" : "G0";
        text += "X" + QByteArray::number(m.x, 'f', 4) + "Y" + QByteArray::number(m.y, 'f', 4);
        if (m.feed > 0)
            text += "F" + QByteArray::number(m.feed) + "S500";
        text += '\n';
    }
    return text + "M2\n";
}

QList<Move> square(double side, double feed)
{
    return {{10, 10, 0}, {10 + side, 10, feed}, {10 + side, 10 + side, feed},
            {10, 10 + side, feed}, {10, 10, feed}};
}

// Scan lines `spacing` apart over a w x h area, turned by `degrees`.
QList<Move> zigzag(double w, double h, double spacing, double degrees, double feed)
{
    QList<Move> moves;
    const double c = qCos(qDegreesToRadians(degrees));
    const double s = qSin(qDegreesToRadians(degrees));
    const auto at = [&](double u, double v) { return QPointF(50 + u * c - v * s, 50 + u * s + v * c); };
    bool forward = true;
    for (double v = 0; v <= h; v += spacing) {
        const QPointF a = at(forward ? 0 : w, v);
        const QPointF b = at(forward ? w : 0, v);
        moves.append({a.x(), a.y(), feed});
        moves.append({b.x(), b.y(), feed});
        forward = !forward;
    }
    return moves;
}

QList<Move> circle(double radius, int segments, double feed)
{
    QList<Move> moves{{100 + radius, 100, 0}};
    for (int i = 1; i <= segments; ++i) {
        const double t = 2 * M_PI * i / segments;
        moves.append({100 + radius * qCos(t), 100 + radius * qSin(t), feed});
    }
    return moves;
}

// The planner alone: no idle delay, no step grid, no wire.
JobTimeEstimator::Machine plannerOnly()
{
    JobTimeEstimator::Machine machine;
    machine.idleDelayMs = 0;
    machine.stepsPerMmX = 0;
    machine.stepsPerMmY = 0;
    machine.linkBytesPerSecond = 0;
    return machine;
}

QByteArray moveLines(const QList<Move> &moves)
{
    QByteArray text;
    for (const Move &m : moves) {
        text += m.feed > 0 ? "G1" : "G0";
        text += "X" + QByteArray::number(m.x, 'f', 4) + "Y" + QByteArray::number(m.y, 'f', 4);
        if (m.feed > 0)
            text += "F" + QByteArray::number(m.feed) + "S500";
        text += '\n';
    }
    return text;
}

// The chord ends of a counter-clockwise circle from angle 0, cut the way the
// firmware cuts arcs: as many chords as keep each within the tolerance.
QList<Move> circleChords(QPointF centre, double radius, double tolerance, double feed)
{
    const int chords = int(std::floor(M_PI * radius / std::sqrt(tolerance * (2 * radius - tolerance))));
    QList<Move> moves;
    for (int k = 1; k <= chords; ++k) {
        const double t = 2 * M_PI * k / chords;
        moves.append({centre.x() + radius * qCos(t), centre.y() + radius * qSin(t), feed});
    }
    moves.last().x = centre.x() + radius;
    moves.last().y = centre.y();
    return moves;
}

// The part upload as the controller makes it: parts of whole lines, each
// closed by the line that brings it to 153 600 bytes, sent zlib-compressed
// (qCompress puts four bytes of its own before the stream) at the line's rate.
double partUploadSeconds(const QList<QByteArray> &lines, double bytesPerSecond)
{
    double bytes = 0;
    QByteArray part;
    for (const QByteArray &line : lines) {
        part += line + '\n';
        if (part.size() >= 153600 || &line == &lines.last()) {
            bytes += qCompress(part).size() - 4;
            part.clear();
        }
    }
    return bytes / bytesPerSecond;
}

} // namespace

Q_DECLARE_METATYPE(QList<Move>)
Q_DECLARE_METATYPE(JobTimeEstimator::Machine)

class TestJobTimeEstimator : public QObject
{
    Q_OBJECT
private slots:
    void matchesTheReferencePlanner_data();
    void matchesTheReferencePlanner();
    void recordsAndTextGiveTheSameTime();
    void knowsTheFirmwareAndTheWire_data();
    void knowsTheFirmwareAndTheWire();
    void partUploadComesBeforeTheMotion_data();
    void partUploadComesBeforeTheMotion();
    void settingsChangeTheMachine();
    void dwellsAndBadMovesCount();
    void recordTimesRiseToTheTotal_data();
    void recordTimesRiseToTheTotal();
    void durationText_data();
    void durationText();
};

void TestJobTimeEstimator::matchesTheReferencePlanner_data()
{
    QTest::addColumn<QList<Move>>("moves");
    QTest::newRow("square, slow") << square(50, 600);
    QTest::newRow("square, fast") << square(50, 12000);
    QTest::newRow("square, small and fast") << square(2, 12000);
    QTest::newRow("raster 0 degrees") << zigzag(40, 10, 0.1, 0, 6000);
    QTest::newRow("raster 45 degrees") << zigzag(40, 10, 0.1, 45, 6000);
    QTest::newRow("raster 90 degrees") << zigzag(40, 10, 0.1, 90, 6000);
    QTest::newRow("circle of short segments") << circle(20, 360, 3000);
}

void TestJobTimeEstimator::matchesTheReferencePlanner()
{
    QFETCH(QList<Move>, moves);
    const double expected = referenceSeconds(moves, Limits());
    const double estimated = JobTimeEstimator::estimate(jobText(moves), plannerOnly()).seconds;
    QVERIFY2(qAbs(estimated - expected) <= 0.01 * expected,
             qPrintable(QString("estimate %1 s, reference %2 s").arg(estimated).arg(expected)));
}

void TestJobTimeEstimator::recordsAndTextGiveTheSameTime()
{
    // A relative raster line with power changes along it, as the generator writes it.
    QVector<GCodeBuffer> records{GCodeBuffer::g(91)};
    QByteArray text = "G91\n";
    for (int i = 0; i < 200; ++i) {
        GCodeBuffer record = GCodeBuffer::g(1);
        record.absolute = false;
        record.X = 0.1;
        record.Y = 0;
        record.S = (i * 37) % 1000;
        record.F = 6000;
        records.append(record);
        QByteArray line;
        record.appendTo(line);
        text += line;
    }
    const JobTimeEstimator::Estimate fromRecords = JobTimeEstimator::estimate(records, plannerOnly());
    QCOMPARE(fromRecords.seconds, JobTimeEstimator::estimate(text, plannerOnly()).seconds);
    // Power changes do not stop the head: 20 mm straight at 100 mm/s.
    QVERIFY(fromRecords.seconds < 0.25);
    QCOMPARE(fromRecords.moves, 200);
}

void TestJobTimeEstimator::knowsTheFirmwareAndTheWire_data()
{
    QTest::addColumn<QByteArray>("job");
    QTest::addColumn<JobTimeEstimator::Machine>("machine");
    QTest::addColumn<double>("expected");
    const Limits limits;
    const double idle = 0.025;
    JobTimeEstimator::Machine stops = plannerOnly();
    stops.idleDelayMs = 25;

    // Ten full circles of 10 mm radius as G2/G3 with I, at 20 mm/s.
    {
        QByteArray job = "G90\nG21\nG0X60Y50\n";
        QList<Move> moves{{60, 50, 0}};
        for (int k = 0; k < 10; ++k) {
            job += k % 2 ? "G2X60Y50I-10J0F1200S300\n" : "G3X60Y50I-10J0F1200S300\n";
            QList<Move> circle = circleChords(QPointF(50, 50), 10, 0.002, 1200);
            if (k % 2) {
                // Clockwise: the same chords the other way round.
                std::reverse(circle.begin(), circle.end());
                circle.removeFirst();
                circle.append({60, 50, 1200});
            }
            moves += circle;
        }
        job += "M2\n";
        QTest::newRow("arcs") << job << plannerOnly() << referenceSeconds(moves, limits);
    }
    // M3/M5 around each of twelve squares: the planner empties at each change.
    {
        QByteArray job = "G90\nG21\n";
        double expected = 0;
        QPointF at;
        for (int k = 0; k < 12; ++k) {
            const QList<Move> shape = square(8, 3000);
            const QPointF corner(10 + k * 12, 20);
            QList<Move> moved;
            for (const Move &m : shape)
                moved.append({m.x - 10 + corner.x(), m.y - 10 + corner.y(), m.feed});
            job += moveLines(moved.mid(0, 1)) + "M3\n" + moveLines(moved.mid(1)) + "M5\n";
            expected += referenceSeconds(moved.mid(0, 1), limits, at) + idle
                        + referenceSeconds(moved.mid(1), limits, corner) + idle;
            at = corner;
        }
        QTest::newRow("M3 and M5 per shape") << job + "M2\n" << stops << expected;
    }
    // A dwell after each short move: a full stop, the idle delay, the dwell.
    {
        QByteArray job = "G90\nG21\n";
        double expected = 0;
        QPointF at;
        for (int k = 0; k < 40; ++k) {
            const QList<Move> step{{5.0 + k, 5.0 + (k % 2), 1500}};
            job += moveLines(step) + "G4 P0.05\n";
            expected += referenceSeconds(step, limits, at) + idle + 0.05;
            at = QPointF(step.first().x, step.first().y);
        }
        QTest::newRow("dwells") << job + "M2\n" << stops << expected;
    }
    // A dense grey raster at 200 mm/s: 0.1 mm pixels need about 34 000 bytes
    // a second, the line carries 11 520, so the wire sets the time.
    {
        QByteArray job = "G90\nG21\nG0X10Y10\nG91\nG1F12000\n";
        for (int row = 0; row < 40; ++row) {
            for (int i = 0; i < 200; ++i)
                job += "G1X" + QByteArray(row % 2 ? "-" : "") + "0.1000S"
                       + QByteArray::number((i * 37 + row) % 1000) + ".0000\n";
            job += "G1Y0.1000S0.0000\n";
        }
        job += "G90\nM5\nM2\n";
        JobTimeEstimator::Machine wire = plannerOnly();
        wire.linkBytesPerSecond = 11520;
        QTest::newRow("raster bound by the wire") << job << wire << job.size() / 11520.0;
    }
}

void TestJobTimeEstimator::knowsTheFirmwareAndTheWire()
{
    QFETCH(QByteArray, job);
    QFETCH(JobTimeEstimator::Machine, machine);
    QFETCH(double, expected);
    const double estimated = JobTimeEstimator::estimate(job, machine).seconds;
    QVERIFY2(qAbs(estimated - expected) <= 0.02 * expected,
             qPrintable(QString("estimate %1 s, model %2 s").arg(estimated).arg(expected)));
}

void TestJobTimeEstimator::partUploadComesBeforeTheMotion_data()
{
    QTest::addColumn<QByteArray>("job");
    QTest::addColumn<int>("parts");
    QTest::newRow("one part") << jobText(square(50, 3000)) << 1;
    // A grey raster of about 420 kB: three parts, the last one short.
    QByteArray raster = "G90\nG21\nG0X10Y10\nG91\nG1F12000\n";
    for (int row = 0; row < 80; ++row) {
        for (int i = 0; i < 200; ++i)
            raster += "G1X" + QByteArray(row % 2 ? "-" : "") + "0.1000S"
                      + QByteArray::number((i * 37 + row) % 1000) + ".0000\n";
        raster += "G1Y0.1000S0.0000\n";
    }
    raster += "G90\nM5\nM2\n";
    QTest::newRow("three parts") << raster << 3;
}

void TestJobTimeEstimator::partUploadComesBeforeTheMotion()
{
    QFETCH(QByteArray, job);
    QFETCH(int, parts);
    QList<QByteArray> lines = job.split('\n');
    lines.removeLast();
    QCOMPARE(int(job.size() / 153600) + 1, parts);

    JobTimeEstimator::Machine partMode;
    partMode.uploadsParts = true;
    // The motion alone: the line does not pace a stored job.
    JobTimeEstimator::Machine stored = partMode;
    stored.uploadsParts = false;
    stored.linkBytesPerSecond = 0;
    JobTimeEstimator motionOnly(stored);
    for (const QByteArray &line : lines)
        motionOnly.addLine(line);
    const double motion = motionOnly.finish().seconds;
    const double upload = partUploadSeconds(lines, partMode.linkBytesPerSecond);
    QVERIFY(upload > 0);

    JobTimeEstimator estimator(partMode);
    estimator.keepRecordTimes();
    for (const QByteArray &line : lines)
        estimator.addLine(line);
    const JobTimeEstimator::Estimate estimate = estimator.finish();
    QVERIFY2(qAbs(estimate.uploadSeconds - upload) < 1e-9 * upload,
             qPrintable(QString("upload %1 s, model %2 s").arg(estimate.uploadSeconds).arg(upload)));
    QVERIFY(qAbs(estimate.seconds - (motion + upload)) < 1e-9 * estimate.seconds);
    // Nothing runs before the whole job is stored; the last line ends the job.
    const QVector<float> times = estimator.recordTimes();
    QVERIFY(times.first() >= float(upload) * 0.99999f);
    QVERIFY(qAbs(times.last() - estimate.seconds) <= 1e-5 * estimate.seconds);
}

void TestJobTimeEstimator::settingsChangeTheMachine()
{
    const QByteArray job = jobText(square(100, 30000));
    const JobTimeEstimator::Machine slow = JobTimeEstimator::Machine::fromSettingsDump(
            "$11=0.010\n$110=6000.000\n$111=6000.000\n$120=500.000\n$121=500.000\nok\n");
    QCOMPARE(slow.maxRateX, 6000.0);
    QCOMPARE(slow.accelerationY, 500.0);
    Limits limits;
    limits.rate = 100;
    limits.acceleration = 500;
    const double expected = referenceSeconds(square(100, 30000), limits);
    QVERIFY(qAbs(JobTimeEstimator::estimate(job, slow).seconds - expected) < 0.01 * expected);
    // Values that could not drive a machine keep the defaults.
    const JobTimeEstimator::Machine odd =
            JobTimeEstimator::Machine::fromSettingsDump("$110=0\n$120=-5\n$11=nan\n");
    QCOMPARE(odd.maxRateX, JobTimeEstimator::Machine().maxRateX);
    QCOMPARE(odd.accelerationX, JobTimeEstimator::Machine().accelerationX);
    QCOMPARE(odd.junctionDeviation, JobTimeEstimator::Machine().junctionDeviation);
}

void TestJobTimeEstimator::dwellsAndBadMovesCount()
{
    const double plain = JobTimeEstimator::estimate(jobText(square(20, 1200)), plannerOnly()).seconds;
    // A dwell adds its time; a feed move without a feed rate is refused by
    // GRBL and moves nothing.
    const QByteArray dwell = "G4 P1.5\nG1X5Y5\n" + jobText(square(20, 1200));
    QVERIFY(qAbs(JobTimeEstimator::estimate(dwell, plannerOnly()).seconds - plain - 1.5) < 1e-9);
    QCOMPARE(JobTimeEstimator::estimate(QByteArray("G1X10\n(comment)\n;x\n\n")).moves, 0);
}

void TestJobTimeEstimator::recordTimesRiseToTheTotal_data()
{
    QTest::addColumn<QByteArray>("job");
    QTest::addColumn<int>("firstMove");   // the line whose move starts the job's motion
    QTest::newRow("square") << jobText(square(50, 3000)) << 2;
    QTest::newRow("raster") << jobText(zigzag(20, 5, 0.1, 30, 6000)) << 2;
    QTest::newRow("dwell between moves") << QByteArray("G1X5Y5F600\nG4 P2\n" + jobText(square(10, 600))) << 0;
    // Lines of no motion after the moves: the look-ahead times the moves only
    // when they come, and the time must still go to the moves' own lines.
    QTest::newRow("motion then idle lines")
            << QByteArray("G1X30F1200S10\nG1Y30\n" + QByteArray("M5\n(x)\n\nS0\n").repeated(10)) << 0;
}

void TestJobTimeEstimator::recordTimesRiseToTheTotal()
{
    QFETCH(QByteArray, job);
    QFETCH(int, firstMove);
    // The planner alone: the idle delay and the wire add time to later lines.
    JobTimeEstimator estimator(plannerOnly());
    estimator.keepRecordTimes();
    QList<QByteArray> lines = job.split('\n');
    for (const QByteArray &line : lines)
        estimator.addLine(line);
    const double total = estimator.finish().seconds;
    const QVector<float> times = estimator.recordTimes();
    QCOMPARE(times.size(), lines.size());
    QVERIFY(total > 0);
    for (int i = 0; i < firstMove; ++i)
        QCOMPARE(times.at(i), 0.0f);
    QVERIFY(times.at(firstMove) > 0);
    for (int i = 1; i < times.size(); ++i)
        QVERIFY2(times.at(i) >= times.at(i - 1), qPrintable(QString("line %1").arg(i)));
    QVERIFY(qAbs(times.last() - total) <= 1e-5 * total);
    // The last line that moves the head ends the job's time.
    int lastMove = lines.size() - 1;
    while (lastMove > 0 && !lines.at(lastMove).contains('X') && !lines.at(lastMove).contains('Y')
           && !lines.at(lastMove).startsWith("G4"))
        --lastMove;
    QVERIFY(qAbs(times.at(lastMove) - total) <= 1e-5 * total);
    if (job.contains("G4 P2"))
        QVERIFY(times.at(1) - times.at(0) >= 2.0f);
}

void TestJobTimeEstimator::durationText_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("seconds") << 12.4 << "12 s";
    QTest::newRow("minutes") << 200.0 << "3 min 20 s";
    QTest::newRow("hours") << 3725.0 << "1 h 02 min 05 s";
    QTest::newRow("negative") << -3.0 << "0 s";
}

void TestJobTimeEstimator::durationText()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(JobTimeEstimator::formatDuration(seconds), text);
}

QTEST_MAIN(TestJobTimeEstimator)
#include "tst_jobtimeestimator.moc"
