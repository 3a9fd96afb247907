// Job time estimates in the worker thread against the same estimate made on
// the calling thread, and a newer request superseding a running one.
#include "gcode/backgroundestimate.h"

#include "designfixture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QString outlineDesign()
{
    return DesignFixture::svg("<g><rect x='100' y='100' width='400' height='300' "
                              "style='fill:none;stroke:#000'/></g>",
                              "width='2000' height='2000'");
}

// A 120 mm square filled at 0.02 mm: seconds of generation, long enough to
// still be running when the next request comes.
QString bigRasterDesign()
{
    return DesignFixture::svg("<g><rect x='0' y='0' width='1500' height='1500' style='fill:#000000' "
                              "tolvenrik:scanAccuracy='0.02' tolvenrik:scanAngle='45'/></g>",
                              "width='2000' height='2000'");
}

JobTimeEstimator::Machine slowMachine()
{
    return JobTimeEstimator::Machine::fromSettings({{110, 3000}, {111, 3000}, {120, 200}, {121, 200}});
}

} // namespace

class TestBackgroundEstimate : public QObject
{
    Q_OBJECT

private slots:
    void matchesTheCallingThread();
    void newerRequestSupersedesTheRunningOne();
    void cancelReportsNothing();
};

void TestBackgroundEstimate::matchesTheCallingThread()
{
    GCodeGenerator generator;
    generator.setPaintProperty({"paintSpeed"}, {800});
    const QVector<GCodeBuffer> job = GCodeGenerator(generator).generate(outlineDesign());
    const double expected = JobTimeEstimator::estimate(job, slowMachine()).seconds;
    QVERIFY(expected > 0);

    BackgroundEstimate background;
    QSignalSpy spy(&background, &BackgroundEstimate::estimated);
    // The generator's paint speed and the machine both reach the worker.
    const int design = background.requestDesign(generator, outlineDesign(), slowMachine());
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.at(0).at(0).toInt(), design);
    QCOMPARE(spy.at(0).at(1).value<JobTimeEstimator::Estimate>().seconds, expected);
    QVERIFY(spy.at(0).at(2).value<QVector<float>>().isEmpty());
    // The same design handed over as a document the worker writes out.
    QDomDocument document;
    QVERIFY(document.setContent(outlineDesign(), true));
    const int copy = background.requestDesign(generator, document.cloneNode(true).toDocument(), slowMachine());
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.last().at(0).toInt(), copy);
    QCOMPARE(spy.last().at(1).value<JobTimeEstimator::Estimate>().seconds, expected);

    const int sent = background.requestJob(job, slowMachine());
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.last().at(0).toInt(), sent);
    QCOMPARE(spy.last().at(1).value<JobTimeEstimator::Estimate>().seconds, expected);
    const QVector<float> times = spy.last().at(2).value<QVector<float>>();
    QCOMPARE(times.size(), job.size());
    QVERIFY(qAbs(times.last() - expected) < 1e-5 * expected);
}

void TestBackgroundEstimate::newerRequestSupersedesTheRunningOne()
{
    const GCodeGenerator generator;
    const double small =
            JobTimeEstimator::estimate(GCodeGenerator(generator).generate(outlineDesign())).seconds;
    BackgroundEstimate background;
    QSignalSpy spy(&background, &BackgroundEstimate::estimated);
    background.requestDesign(generator, bigRasterDesign(), JobTimeEstimator::Machine());
    QVERIFY(background.isRunning());
    background.requestDesign(generator, bigRasterDesign(), JobTimeEstimator::Machine());
    const int newest = background.requestDesign(generator, outlineDesign(), JobTimeEstimator::Machine());
    QVERIFY(spy.wait(30000));
    // Only the newest is reported; the big one stopped and the one in
    // between never started.
    QTRY_VERIFY(!background.isRunning());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), newest);
    QCOMPARE(spy.at(0).at(1).value<JobTimeEstimator::Estimate>().seconds, small);
}

void TestBackgroundEstimate::cancelReportsNothing()
{
    BackgroundEstimate background;
    QSignalSpy spy(&background, &BackgroundEstimate::estimated);
    background.requestDesign(GCodeGenerator(), bigRasterDesign(), JobTimeEstimator::Machine());
    background.requestDesign(GCodeGenerator(), outlineDesign(), JobTimeEstimator::Machine());
    background.cancel();
    QTRY_VERIFY_WITH_TIMEOUT(!background.isRunning(), 30000);
    QTest::qWait(50);
    QCOMPARE(spy.count(), 0);
}

QTEST_MAIN(TestBackgroundEstimate)
#include "tst_backgroundestimate.moc"
