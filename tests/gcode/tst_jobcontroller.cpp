#include "gcode/jobcontroller.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtTest>

// Generation in the worker thread against generation on the calling thread,
// and cancelling a running generation.
class TestJobController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void workerJobEqualsCallingThreadJob_data();
    void workerJobEqualsCallingThreadJob();
    void cancelledGenerationGivesNoJob_data();
    void cancelledGenerationGivesNoJob();
    void cancelMidGenerationOfABigRaster();
    void secondStartWhileGeneratingIsRefused();
};

namespace {

QString design(const QString &body, const QString &width = "2000", const QString &height = "1500")
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                          "xmlns:xlink='http://www.w3.org/1999/xlink' "
                          "xmlns:tolvenrik='urn:tolvenrik' width='%1' height='%2'>"
                          "<g tolvenrik:label='label 1'>%3</g></svg>")
            .arg(width, height, body);
}

// A grey gradient with a dark disc: every grey level and runs of all lengths.
QString imageDesign()
{
    QImage picture(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 255 / 159, y * 2, 128));
    QPainter painter(&picture);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(80, 60), 30, 30);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return design("<image x='100' y='100' width='400' height='300' tolvenrik:image='gray' "
                  "tolvenrik:scanAccuracy='0.1' xlink:href='data:image/png;base64,"
                  + QString::fromLatin1(png.toBase64()) + "'/>");
}

// A filled rectangle of 120 x 120 mm at 0.02 mm: a 6000 x 6000 raster, seconds of work.
QString bigRasterDesign()
{
    return design("<rect x='0' y='0' width='1500' height='1500' style='fill:#000000' "
                  "tolvenrik:scanAccuracy='0.02' tolvenrik:scanAngle='45'/>");
}

QString text(const QVector<GCodeBuffer> &job)
{
    QString out;
    for (const GCodeBuffer &record : job)
        out += record.toString();
    return out;
}

DefaultParameters defaults()
{
    DefaultParameters parameters;
    return parameters;
}

} // namespace

void TestJobController::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestJobController::workerJobEqualsCallingThreadJob_data()
{
    QTest::addColumn<QString>("svg");
    QTest::addColumn<int>("rasterGroups");
    QTest::addColumn<int>("outlines");
    // Text outlines come from the font machinery, which must work off the GUI thread.
    QTest::newRow("outlines and text")
            << design("<rect x='10' y='10' width='300' height='200' style='fill:none;stroke:#000'/>"
                      "<circle cx='600' cy='300' r='120' style='fill:none;stroke:#000'/>"
                      "<text x='100' y='600' style='font-size:120px;fill:none;stroke:#000'>Plimb 42</text>")
            << 0 << 3;
    QTest::newRow("fill at two angles")
            << design("<rect x='10' y='10' width='300' height='200' style='fill:#000' "
                      "tolvenrik:scanAccuracy='0.1' tolvenrik:scanAngle='0'/>"
                      "<ellipse cx='800' cy='500' rx='200' ry='120' style='fill:#404040' "
                      "tolvenrik:scanAccuracy='0.1' tolvenrik:scanAngle='45'/>")
            << 2 << 0;
    QTest::newRow("grey image") << imageDesign() << 1 << 0;
    QFile demo(QStringLiteral(PLIMB_SAMPLES "/demo.svg"));
    QVERIFY(demo.open(QIODevice::ReadOnly));
    QTest::newRow("demo design") << QString::fromUtf8(demo.readAll()) << -1 << -1;
}

void TestJobController::workerJobEqualsCallingThreadJob()
{
    QFETCH(QString, svg);
    QFETCH(int, rasterGroups);
    QFETCH(int, outlines);

    const QStringList names{ "paintPower", "paintSpeed" };
    const QList<double> values{ 800, 1200 };
    JobController direct;
    direct.setPaintProperty(names, values);
    const QString expected = text(direct.generate(svg, defaults()));

    JobController worker;
    worker.setPaintProperty(names, values);
    QSignalSpy finished(&worker, &JobController::finished);
    QSignalSpy cancelled(&worker, &JobController::cancelled);
    QSignalSpy progress(&worker, &JobController::progress);
    QVERIFY(worker.generateAsync(svg, defaults()));
    QVERIFY(worker.isGenerating());
    QVERIFY(finished.wait(60000));
    QVERIFY(!worker.isGenerating());
    QCOMPARE(cancelled.size(), 0);

    QVERIFY(expected.count('\n') > 20);
    QVERIFY(text(worker.job()) == expected);
    QVERIFY(text(finished.first().first().value<QVector<GCodeBuffer>>()) == expected);
    // The summary is the worker's, for the "nothing to engrave" check and the CLI.
    if (rasterGroups >= 0) {
        QCOMPARE(worker.generator().summary().rasterGroups, rasterGroups);
        QCOMPARE(worker.generator().summary().outlines, outlines);
    }
    QCOMPARE(worker.generator().summary().records, direct.generator().summary().records);
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().first().toInt(), 100);
    for (int i = 1; i < progress.size(); ++i)
        QVERIFY(progress.at(i).first().toInt() >= progress.at(i - 1).first().toInt());
}

// A flag set before or during generate() gives an empty job, and the same
// generator makes a full job again once the flag is clear.
void TestJobController::cancelledGenerationGivesNoJob_data()
{
    QTest::addColumn<QString>("svg");
    QTest::newRow("outlines")
            << design("<rect x='10' y='10' width='300' height='200' style='fill:none;stroke:#000'/>");
    QTest::newRow("fill")
            << design("<rect x='10' y='10' width='300' height='200' style='fill:#000' "
                      "tolvenrik:scanAccuracy='0.1'/>");
    QTest::newRow("image") << imageDesign();
}

void TestJobController::cancelledGenerationGivesNoJob()
{
    QFETCH(QString, svg);
    std::atomic<bool> cancel{ true };
    GCodeGenerator generator;
    generator.setCancelFlag(&cancel);
    QVERIFY(generator.generate(svg).isEmpty());
    QVERIFY(generator.wasCancelled());
    QVERIFY(generator.job().isEmpty());
    QCOMPARE(generator.summary().records, 0);
    QCOMPARE(generator.summary().rasterGroups + generator.summary().outlines, 0);

    cancel = false;
    const QVector<GCodeBuffer> job = generator.generate(svg);
    QVERIFY(!generator.wasCancelled());
    QVERIFY(generator.summary().rasterGroups + generator.summary().outlines > 0);
    GCodeGenerator plain;
    QVERIFY(text(job) == text(plain.generate(svg)));
}

void TestJobController::cancelMidGenerationOfABigRaster()
{
    JobController jobs;
    // The previous job's summary stays: a cancelled job must not look like one.
    jobs.generate(design("<rect x='10' y='10' width='30' height='20' style='fill:none;stroke:#000'/>"),
                  defaults());
    QCOMPARE(jobs.generator().summary().outlines, 1);
    jobs.clearJob();

    QSignalSpy finished(&jobs, &JobController::finished);
    QSignalSpy cancelled(&jobs, &JobController::cancelled);
    // Cancel once the raster group is being made, not before the worker started.
    const QMetaObject::Connection canceller =
            connect(&jobs, &JobController::progress, &jobs, [&jobs](int percent) {
                if (percent >= 30)
                    jobs.cancel();
            });
    QVERIFY(jobs.generateAsync(bigRasterDesign(), defaults()));
    QVERIFY(cancelled.wait(60000));
    QCOMPARE(finished.size(), 0);
    QVERIFY(jobs.job().isEmpty());
    QVERIFY(!jobs.isGenerating());
    QCOMPARE(jobs.generator().summary().rasterGroups, 0);
    QCOMPARE(jobs.generator().summary().outlines, 1);
    disconnect(canceller);

    // The controller is free for the next job.
    QVERIFY(jobs.generateAsync(design("<rect x='10' y='10' width='30' height='20' "
                                      "style='fill:none;stroke:#000'/>"),
                               defaults()));
    QVERIFY(finished.wait(60000));
    QVERIFY(!jobs.job().isEmpty());
}

void TestJobController::secondStartWhileGeneratingIsRefused()
{
    JobController jobs;
    QSignalSpy finished(&jobs, &JobController::finished);
    QSignalSpy cancelled(&jobs, &JobController::cancelled);
    QVERIFY(jobs.generateAsync(bigRasterDesign(), defaults()));
    QVERIFY(!jobs.generateAsync(design(""), defaults()));
    jobs.cancel();
    QVERIFY(cancelled.wait(60000));
    QCOMPARE(finished.size(), 0);
    // Destroying a controller with a running worker stops and waits for it.
    auto busy = std::make_unique<JobController>();
    QVERIFY(busy->generateAsync(bigRasterDesign(), defaults()));
    busy.reset();
}

QTEST_MAIN(TestJobController)
#include "tst_jobcontroller.moc"
