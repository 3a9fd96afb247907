// The operate panel's job time with the real panels, relay and design
// controller (no engraver: its messages are fed to the panel as the
// controller would send them).
#include "canvas/svgview.h"
#include "document/svgdocument.h"
#include "gcode/jobmap.h"
#include "gcode/jobtimeestimator.h"
#include "gcode/resumejob.h"
#include "panels/itemproperty.h"
#include "panels/jobtimedisplay.h"
#include "panels/loweroperatepanel.h"
#include "panels/panelrelay.h"

#include "panelfixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

using PanelFixture::child;

namespace {

QString notice(PanelNotice id, const QString &value)
{
    return QStringLiteral("set:%1 value:%2").arg(int(id)).arg(value);
}

// The seconds a "…：h:mm:ss" text shows; -1 for "—".
double shownSeconds(const QString &text)
{
    const QStringList parts = text.section(QStringLiteral("："), 1).split(':');
    if (parts.size() != 3)
        return -1;
    return parts.at(0).toInt() * 3600 + parts.at(1).toInt() * 60 + parts.at(2).toInt();
}

struct Rig
{
    Rig()
    {
        relay = std::make_unique<PanelRelay>(&view, &properties, &operate, nullptr);
        jobTime()->setSettleTime(0);
        jobTime()->setClock([this] { return now; });
        operate.show();
        properties.pushDefaultParameters();
        operate.restoreSavedValues();
        view.newDocument();
    }

    JobTimeDisplay *jobTime() { return operate.jobTime(); }
    QString text() { return jobTime()->text(); }

    // A rectangle outline drawn as the user would, recorded for undo.
    void drawRect(double width, double height, const QString &fill = QStringLiteral("none"))
    {
        view.addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style"},
                     {"100", "100", QString::number(width), QString::number(height),
                      "fill:" + fill + ";stroke:#000"});
    }

    // The estimate of the job Start would generate now, on this thread.
    double expectedSeconds(const JobTimeEstimator::Machine &machine = {})
    {
        view.clearGcode();
        view.generateGcode(view.document()->toSvgText());
        const double seconds = JobTimeEstimator::estimate(view.gcode(), machine).seconds;
        view.clearGcode();
        return seconds;
    }

    // The estimate once the background has delivered it.
    double settledEstimate()
    {
        if (!QTest::qWaitFor([this] { return jobTime()->estimatedSeconds() >= 0; }, 20000))
            return -1;
        return jobTime()->estimatedSeconds();
    }

    qint64 now = 0;
    SVGView view;
    ItemProperty properties;
    LowerOperatePanel operate;
    std::unique_ptr<PanelRelay> relay;
};

} // namespace

class TestJobTimeDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void estimateFollowsDesignAndPanelSpeed();
    void staleComputationIsSuperseded();
    void reportedSettingsChangeTheEstimate_data();
    void reportedSettingsChangeTheEstimate();
    void remainingTimeDuringTheJob();
    void resumedJobShowsWhatRemains_data();
    void resumedJobShowsWhatRemains();
    void onlyLineModeIsPacedByTheLink_data();
    void onlyLineModeIsPacedByTheLink();
    void uploadAheadOfTheMotion_data();
    void uploadAheadOfTheMotion();
};

void TestJobTimeDisplay::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    registerGCodeBufferMetaTypes();
}

void TestJobTimeDisplay::estimateFollowsDesignAndPanelSpeed()
{
    Rig rig;
    // A known speed to start from, whatever the panel had stored.
    auto *speed = child<QDoubleSpinBox>(&rig.operate, "printSpeed");
    speed->setValue(150);
    // An empty design has no time to show.
    QTest::qWait(200);
    QCOMPARE(rig.text(), QStringLiteral("预计用时：—"));

    rig.drawRect(400, 300);
    // Stale at once: the old figure must not stand for the new design.
    QCOMPARE(rig.text(), QStringLiteral("预计用时：—"));
    const double first = rig.settledEstimate();
    QVERIFY(first > 0);
    QCOMPARE(first, rig.expectedSeconds());
    QCOMPARE(rig.text(), "预计用时：" + JobTimeDisplay::clockText(first));

    rig.drawRect(1200, 900);
    const double second = rig.settledEstimate();
    QVERIFY(second > first);

    // A slower print speed typed into the panel gives a longer job.
    PanelFixture::enter(speed, 10);
    QCOMPARE(rig.text(), QStringLiteral("预计用时：—"));
    const double slower = rig.settledEstimate();
    QVERIFY2(slower > second, qPrintable(rig.text()));
    QCOMPARE(slower, rig.expectedSeconds());
}

void TestJobTimeDisplay::staleComputationIsSuperseded()
{
    Rig rig;
    rig.drawRect(400, 300);
    const double outline = rig.settledEstimate();
    QVERIFY(outline > 0);
    // A big fill takes seconds to generate; it is taken back while its
    // estimate is still being computed.
    rig.view.addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style", "tolvenrik:scanAccuracy"},
                     {"0", "0", "1500", "1500", "fill:#000000", "0.02"});
    QTest::qWait(100);
    QCOMPARE(rig.jobTime()->estimatedSeconds(), -1.0);
    rig.view.undo();
    QCOMPARE(rig.settledEstimate(), outline);
    QCOMPARE(rig.text(), "预计用时：" + JobTimeDisplay::clockText(outline));
}

void TestJobTimeDisplay::reportedSettingsChangeTheEstimate_data()
{
    // "N=V": the controller reports $N; "maxSpeedX=V": it reports the panel's
    // speed; "panel:field=V": the user writes the setting from the panel;
    // "connect": another engraver is connected.
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<int>("change");    // sign of (new estimate - default estimate)
    QTest::newRow("slower acceleration") << QStringList{"120=100", "121=100"} << 1;
    QTest::newRow("acceleration written from the panel") << QStringList{"panel:accX=150", "panel:accY=150"} << 1;
    // Reported as 1000 in the panel's units ($110 = 16000 at 16 steps per mm),
    // then 120 written from the panel: $110 = 1920 mm/min.
    QTest::newRow("speed written from the panel")
            << QStringList{"maxSpeedX=1000", "110=16000", "maxSpeedY=1000", "111=16000",
                           "panel:maxSpeedX=120", "panel:maxSpeedY=120"} << 1;
    QTest::newRow("lower rates") << QStringList{"110=600", "111=600"} << 1;
    QTest::newRow("wider junctions") << QStringList{"11=2"} << -1;
    QTest::newRow("unusable values") << QStringList{"120=0", "121=-5", "110=nan"} << 0;
    // Another engraver connected: what the first reported no longer counts.
    QTest::newRow("another engraver") << QStringList{"120=100", "121=100", "connect"} << 0;
}

void TestJobTimeDisplay::reportedSettingsChangeTheEstimate()
{
    QFETCH(QStringList, settings);
    QFETCH(int, change);
    Rig rig;
    rig.operate.applyDeviceMessage(notice(PanelNotice::Connected, "ttyTest0"));
    rig.drawRect(300, 300);
    const double before = rig.settledEstimate();
    QVERIFY(before > 0);
    for (const QString &setting : settings) {
        const QString value = setting.section('=', 1);
        if (setting == "connect") {
            rig.operate.applyDeviceMessage(notice(PanelNotice::Connected, "ttyTest1"));
        } else if (setting.startsWith("panel:")) {
            auto *advanced = child<QPushButton>(&rig.operate, "advanced");
            if (!advanced->isChecked())
                advanced->click();
            const QByteArray field = setting.mid(6).section('=', 0, 0).toLatin1();
            PanelFixture::enter(child<QDoubleSpinBox>(&rig.operate, field.constData()), value.toDouble());
        } else if (setting.startsWith("maxSpeed")) {
            rig.operate.applyDeviceMessage(notice(setting.startsWith("maxSpeedX") ? PanelNotice::MaxSpeedX
                                                                                  : PanelNotice::MaxSpeedY,
                                                  value));
        } else {
            rig.operate.applyDeviceMessage(notice(PanelNotice::MotionSetting, setting));
        }
    }
    const double after = rig.settledEstimate();
    QVERIFY(after > 0);
    const int sign = after > before ? 1 : after < before ? -1 : 0;
    QVERIFY2(sign == change, qPrintable(QString("%1 s -> %2 s").arg(before).arg(after)));
    QCOMPARE(after, rig.expectedSeconds(rig.jobTime()->machine()));
}

void TestJobTimeDisplay::onlyLineModeIsPacedByTheLink_data()
{
    QTest::addColumn<QStringList>("notices");     // "id=value"
    QTest::addColumn<bool>("uploadsParts");
    QTest::newRow("line-mode model") << QStringList{"26=1.0.0"} << false;
    QTest::newRow("part-mode model") << QStringList{"26=3.0.0"} << true;
    QTest::newRow("part mode, then a standard board") << QStringList{"26=4.0.0", "31=1"} << false;
}

void TestJobTimeDisplay::onlyLineModeIsPacedByTheLink()
{
    QFETCH(QStringList, notices);
    QFETCH(bool, uploadsParts);
    Rig rig;
    for (const QString &text : notices)
        rig.operate.applyDeviceMessage(notice(PanelNotice(text.section('=', 0, 0).toInt()), text.section('=', 1)));
    QCOMPARE(rig.jobTime()->machine().uploadsParts, uploadsParts);
    // The line's rate paces a streamed job, or times the upload of the parts.
    QCOMPARE(rig.jobTime()->machine().linkBytesPerSecond, 11520.0);
}

void TestJobTimeDisplay::remainingTimeDuringTheJob()
{
    Rig rig;
    rig.drawRect(300, 300, "#000000");
    const double estimate = rig.settledEstimate();
    QVERIFY(estimate > 20);
    rig.operate.applyDeviceMessage(notice(PanelNotice::Connected, "ttyTest0"));
    child<QPushButton>(&rig.operate, "start")->click();
    QVERIFY(rig.operate.isPrinting());
    QTRY_VERIFY(rig.text().startsWith("剩余时间：") && shownSeconds(rig.text()) >= 0);
    QCOMPARE(rig.text(), "剩余时间：" + JobTimeDisplay::clockText(estimate));

    // Progress is what the controller reports; the clock is far enough on
    // not to hold the figure back.
    rig.now = qint64(1) << 40;
    double previous = shownSeconds(rig.text());
    for (const char *percent : {"10", "25.5", "50", "90", "99.99"}) {
        rig.operate.applyDeviceMessage(notice(PanelNotice::JobProgress, percent));
        const double left = shownSeconds(rig.text());
        QVERIFY2(left < previous && left >= 0, qPrintable(percent + QString(": ") + rig.text()));
        previous = left;
    }
    QVERIFY(shownSeconds(rig.text()) < 0.05 * estimate + 1);
    rig.operate.applyDeviceMessage(notice(PanelNotice::JobProgress, "100"));
    QCOMPARE(rig.text(), "剩余时间：0:00:00");

    // Finished: back to the design's estimate, without computing it again.
    rig.operate.applyDeviceMessage(notice(PanelNotice::JobFinished, "1"));
    QCOMPARE(rig.text(), "预计用时：" + JobTimeDisplay::clockText(estimate));
}

void TestJobTimeDisplay::resumedJobShowsWhatRemains_data()
{
    QTest::addColumn<bool>("raster");
    QTest::newRow("raster row") << true;
    QTest::newRow("outline") << false;
}

void TestJobTimeDisplay::resumedJobShowsWhatRemains()
{
    QFETCH(bool, raster);
    Rig rig;
    // A known speed, whatever the panel had stored.
    child<QDoubleSpinBox>(&rig.operate, "printSpeed")->setValue(30);
    if (raster) {
        rig.drawRect(300, 300, "#000000");
    } else {
        for (int i = 0; i < 6; ++i)
            rig.view.addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style"},
                             {QString::number(20 + 150 * i), "100", "120", "900", "fill:none;stroke:#000"});
    }
    const double whole = rig.settledEstimate();
    QVERIFY2(whole > 20, qPrintable(QString::number(whole)));
    rig.view.clearGcode();
    rig.view.generateGcode(rig.view.document()->toSvgText());
    const QVector<GCodeBuffer> job = rig.view.gcode();
    rig.view.clearGcode();
    const JobMap::Kind kind = raster ? JobMap::Kind::Row : JobMap::Kind::Outline;
    const JobMap map(job);
    QVector<JobMap::Unit> units;
    for (const JobMap::Unit &unit : map.units()) {
        if (unit.kind == kind)
            units << unit;
    }
    QVERIFY(units.size() >= 4);
    // Taken up two thirds of the way in: what remains is its own job.
    const JobMap::Unit from = units.at(units.size() * 2 / 3);
    const double remaining = JobTimeEstimator::estimate(ResumeJob::build(job, from), rig.jobTime()->machine()).seconds;
    QVERIFY2(remaining < 0.5 * whole, qPrintable(QString("%1 s of %2 s").arg(remaining).arg(whole)));

    rig.operate.applyDeviceMessage(notice(PanelNotice::Connected, "ttyTest0"));
    child<QPushButton>(&rig.operate, "start")->click();
    QTRY_COMPARE(rig.text(), "剩余时间：" + JobTimeDisplay::clockText(whole));
    rig.operate.applyDeviceMessage(notice(PanelNotice::JobProgress, "60"));
    child<QPushButton>(&rig.operate, "stop")->click();
    rig.operate.applyDeviceMessage(notice(raster ? PanelNotice::ResumeRow : PanelNotice::ResumeOutline,
                                          QString::number(from.number)));
    QCOMPARE(rig.text(), "预计用时：" + JobTimeDisplay::clockText(whole));

    // The user confirms the head's position and takes the job up.
    auto *confirm = child<QCheckBox>(&rig.operate, "resumeConfirm");
    QTest::mouseClick(confirm, Qt::LeftButton, {}, QPoint(5, confirm->height() / 2));
    QTest::mouseClick(child<QPushButton>(&rig.operate, "resumeButton"), Qt::LeftButton);
    QVERIFY(rig.operate.isPrinting());
    QTRY_COMPARE(rig.text(), "剩余时间：" + JobTimeDisplay::clockText(remaining));

    // It falls with the progress of the resumed job.
    rig.now += qint64(1) << 40;
    rig.operate.applyDeviceMessage(notice(PanelNotice::JobProgress, "50"));
    const double left = shownSeconds(rig.text());
    QVERIFY2(left > 0 && left < remaining - 1, qPrintable(rig.text()));
    rig.operate.applyDeviceMessage(notice(PanelNotice::JobProgress, "100"));
    QCOMPARE(rig.text(), QStringLiteral("剩余时间：0:00:00"));
    rig.operate.applyDeviceMessage(notice(PanelNotice::JobFinished, "1"));
    QCOMPARE(rig.text(), "预计用时：" + JobTimeDisplay::clockText(whole));
}

void TestJobTimeDisplay::uploadAheadOfTheMotion_data()
{
    QTest::addColumn<int>("runSeconds");
    QTest::addColumn<int>("pausedSeconds");
    QTest::addColumn<QString>("end");       // how the job ends
    QTest::newRow("ten seconds in, stopped") << 10 << 0 << "stop";
    QTest::newRow("paused time does not count, finished") << 10 << 300 << "finish";
    QTest::newRow("slower than estimated, disconnected") << 100000 << 0 << "disconnect";
}

void TestJobTimeDisplay::uploadAheadOfTheMotion()
{
    QFETCH(int, runSeconds);
    QFETCH(int, pausedSeconds);
    QFETCH(QString, end);
    Rig rig;
    rig.drawRect(300, 300, "#000000");
    const double estimate = rig.settledEstimate();
    QVERIFY(estimate > 20);
    rig.operate.applyDeviceMessage(notice(PanelNotice::Connected, "ttyTest0"));
    child<QPushButton>(&rig.operate, "start")->click();
    QTRY_VERIFY(rig.text().startsWith("剩余时间：") && shownSeconds(rig.text()) >= 0);

    // In part mode the whole job may be in the engraver long before the head is done.
    rig.operate.applyDeviceMessage(notice(PanelNotice::JobProgress, "100"));
    QCOMPARE(rig.text(), "剩余时间：" + JobTimeDisplay::clockText(estimate));
    auto *pause = child<QPushButton>(&rig.operate, "pause");
    rig.now += runSeconds * 1000 / 2;
    if (pausedSeconds > 0) {
        pause->click();
        rig.now += pausedSeconds * 1000;
        pause->click();
    }
    rig.now += runSeconds * 1000 / 2;
    // The display's own tick, as between two reports, brings the time left
    // down without a new report.
    QTRY_COMPARE(rig.text(), "剩余时间：" + JobTimeDisplay::clockText(qMax(0.0, estimate - runSeconds)));

    if (end == "stop")
        child<QPushButton>(&rig.operate, "stop")->click();
    else if (end == "finish")
        rig.operate.applyDeviceMessage(notice(PanelNotice::JobFinished, "1"));
    else
        rig.operate.applyDeviceMessage(notice(PanelNotice::Disconnected, "ttyTest0"));
    QCOMPARE(rig.text(), "预计用时：" + JobTimeDisplay::clockText(estimate));
}

QTEST_MAIN(TestJobTimeDisplay)
#include "tst_jobtimedisplay.moc"
