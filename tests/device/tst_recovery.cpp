// Taking an interrupted job up again, end to end against the engraver
// emulator over a real pseudo-terminal or a loopback TCP socket: the link
// vanishes, the connection is reset, or the user stops
// mid-job, the controller offers a row or outline and sends nothing until
// asked, and what was burned before and after the resume together is the
// burn of the uninterrupted job, with no burn before the head is positioned.
#include "device/lowergrbl.h"
#include "gcode/gcodegenerator.h"

#include "burnpath.h"
#include "deviceconnect.h"
#include "engraveremulator.h"
#include "gcodeinterpreter.h"
#include "jobfixtures.h"
#include "panelspy.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace BurnPath;
using namespace PanelSpy;

namespace {

QList<GCodeBuffer> rasterJob()
{
    // About 240 rows of a few records each.
    return JobFixtures::generatedJob("<ellipse cx='100' cy='200' rx='60' ry='150' style='fill:#000000'"
                     " tolvenrik:scanAccuracy='0.1' tolvenrik:scanBuffer='1'/>");
}

QList<GCodeBuffer> outlineJob()
{
    return JobFixtures::generatedJob(JobFixtures::outlinesDesign(150, 15));
}

QStringList logLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

EngraverEmulator::Options emulatorOptions(const QString &logPath, bool partMode)
{
    EngraverEmulator::Options options;
    if (!partMode) {
        options.hardwareVersion = QStringLiteral("1.0.0");
        options.firmwareVersion = QStringLiteral("0.1.5");
    }
    options.extraArguments << QStringLiteral("--executed-log") << logPath;
    return options;
}

// Lines already on their way when the stop went out still arrive after it
// (the reset empties only the engraver's buffer): waits until none comes.
void waitUntilQuiet(EngraverEmulator &emulator)
{
    int last = -1;
    for (int i = 0; i < 50; ++i) {
        const int count = emulator.receivedLines().size();
        if (count == last)
            return;
        last = count;
        QTest::qWait(200);
    }
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void resumeAfterInterruption_data();
    void resumeAfterInterruption();
    void secondInterruptionNamesTheOriginalRow();
    void errorAfterResumeNamesTheJobsLine();
    void resumeOnlyWhenAsked_data();
    void resumeOnlyWhenAsked();
};

void TestRecovery::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    registerGCodeBufferMetaTypes();
}

void TestRecovery::resumeAfterInterruption_data()
{
    QTest::addColumn<bool>("raster");
    QTest::addColumn<bool>("stop");       // stopped by the user rather than the link lost
    QTest::addColumn<bool>("partMode");
    QTest::addColumn<QString>("link");     // "pty", "tcp" (closed), "tcp reset"

    QTest::newRow("raster, link lost") << true << false << false << "pty";
    QTest::newRow("outlines, link lost") << false << false << false << "pty";
    QTest::newRow("raster, stopped") << true << true << false << "pty";
    QTest::newRow("outlines, stopped") << false << true << false << "pty";
    // The engraver never says which stored line it runs: back to the first row.
    QTest::newRow("raster, link lost in part mode") << true << false << true << "pty";
    QTest::newRow("outlines, socket closed") << false << false << false << "tcp";
    QTest::newRow("raster, connection reset") << true << false << false << "tcp reset";
    QTest::newRow("outlines, stopped over tcp") << false << true << false << "tcp";
}

void TestRecovery::resumeAfterInterruption()
{
    QFETCH(bool, raster);
    QFETCH(bool, stop);
    QFETCH(bool, partMode);
    QFETCH(QString, link);
    const QList<GCodeBuffer> job = raster ? rasterJob() : outlineJob();
    QVERIFY(job.size() > 600);
    const QVector<QLineF> whole = segmentsOf(linesOf(job));
    QVERIFY(!whole.isEmpty());

    QTemporaryDir folder;
    const QString firstLog = folder.filePath("first.log");
    const QString secondLog = folder.filePath("second.log");
    EngraverEmulator::Options options = emulatorOptions(firstLog, partMode);
    // "$I", "$$" come first; part mode then announces, uploads and ends
    // with "$@file@done", the fifth line, before anything runs. In line mode
    // the engraver first falls silent halfway, so every line it carried out
    // was answered and the resume point cannot hide behind answers lost with
    // the link; it vanishes with the lines the controller still had room for.
    if (!stop && partMode) {
        options.vanishAfterLines = 5;
    } else if (!stop) {
        options.muteAfterLines = 2 + job.size() / 2;
        options.vanishAfterLines = options.muteAfterLines + 10;
    }
    options.tcp = link.startsWith(QLatin1String("tcp"));
    if (link == QLatin1String("tcp reset")) {
        options.extraArguments << QStringLiteral("--reset-after") << QString::number(options.vanishAfterLines);
        options.vanishAfterLines = -1;
    }
    // Paced at 115200 baud, so that the stop comes while the job runs.
    options.throttle = stop;
    EngraverEmulator first(options);
    QVERIFY(first.start());

    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, first));
    QCOMPARE(grbl.takesParts(), partMode);
    grbl.grblGcodePrint(job);
    const PanelNotice offer = raster ? PanelNotice::ResumeRow : PanelNotice::ResumeOutline;
    if (stop) {
        QTRY_VERIFY_WITH_TIMEOUT(!valuesFor(spy, PanelNotice::JobProgress).isEmpty()
                                         && valuesFor(spy, PanelNotice::JobProgress).last().toDouble() >= 30,
                                 20000);
        grbl.getPanelMessage(message(PanelCommand::StopPrint, "0"));
        QTRY_VERIFY(first.receivedRealtime().contains('\x18'));
        waitUntilQuiet(first);
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(valuesFor(spy, PanelNotice::Disconnected).size(), 1, 10000);
    }
    QTRY_COMPARE(valuesFor(spy, offer).size(), 1);
    QVERIFY(valuesFor(spy, PanelNotice::JobFinished).isEmpty());
    const int offered = valuesFor(spy, offer).first().toInt();
    QVERIFY(offered >= 1);
    if (partMode)
        QCOMPARE(offered, 1);
    const QStringList before = logLines(firstLog);
    QVERIFY(partMode || segmentsOf(before).size() > 0);
    QVERIFY(segmentsOf(before).size() < whole.size());

    EngraverEmulator::Options secondOptions = emulatorOptions(secondLog, partMode);
    secondOptions.tcp = options.tcp;
    EngraverEmulator second(secondOptions);
    EngraverEmulator *engraver = &first;
    int logged = before.size();
    if (!stop) {
        QVERIFY(second.start());
        QVERIFY(connectTo(grbl, second));
        engraver = &second;
        logged = 0;
    }
    // Connected again, and nothing of the job goes out until it is asked for.
    const int received = engraver->receivedLines().size();
    QTest::qWait(300);
    QCOMPARE(engraver->receivedLines().size(), received);
    QCOMPARE(logLines(stop ? firstLog : secondLog).size(), logged);

    spy.clear();
    grbl.getPanelMessage(message(PanelCommand::ResumePrint, "1"));
    QTRY_VERIFY_WITH_TIMEOUT(!valuesFor(spy, PanelNotice::JobFinished).isEmpty(), 30000);
    QVERIFY(!grbl.hasResumePoint());

    GCodeInterpreter after;
    after.run(logLines(stop ? firstLog : secondLog).mid(logged));
    QVERIFY(after.firstPositioningLine >= 0);
    QVERIFY2(after.firstBurnLine > after.firstPositioningLine,
             qPrintable(QStringLiteral("burn at line %1, positioned at %2")
                                .arg(after.firstBurnLine)
                                .arg(after.firstPositioningLine)));
    const QVector<QLineF> burned = segmentsOf(before) + after.segments;
    QVERIFY2(unmatched(whole, burned).isEmpty(), qPrintable("not burned: " + describe(unmatched(whole, burned))));
    QVERIFY2(unmatched(burned, whole).isEmpty(), qPrintable("burned wrongly: " + describe(unmatched(burned, whole))));
    QCOMPARE(engraver->overflowCount(), 0);
}

void TestRecovery::secondInterruptionNamesTheOriginalRow()
{
    // A resumed job stopped again offers the row as the original job numbers
    // it, and the three runs together burn the whole job.
    const QList<GCodeBuffer> job = rasterJob();
    QTemporaryDir folder;
    const QString log = folder.filePath("executed.log");
    EngraverEmulator::Options options = emulatorOptions(log, false);
    options.throttle = true;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    grbl.grblGcodePrint(job);

    QVector<QLineF> burned;
    QList<int> offers;
    int logged = 0;
    for (int run = 0; run < 2; ++run) {
        spy.clear();
        QTRY_VERIFY_WITH_TIMEOUT(!valuesFor(spy, PanelNotice::JobProgress).isEmpty()
                                         && valuesFor(spy, PanelNotice::JobProgress).last().toDouble() >= 40,
                                 20000);
        grbl.getPanelMessage(message(PanelCommand::StopPrint, "0"));
        QTRY_COMPARE(valuesFor(spy, PanelNotice::ResumeRow).size(), 1);
        offers << valuesFor(spy, PanelNotice::ResumeRow).first().toInt();
        waitUntilQuiet(emulator);
        const QStringList lines = logLines(log);
        burned += segmentsOf(lines.mid(logged));
        logged = lines.size();
        grbl.getPanelMessage(message(PanelCommand::ResumePrint, "1"));
    }
    QVERIFY2(offers.at(1) > offers.at(0), qPrintable(QStringLiteral("rows %1, then %2").arg(offers.at(0)).arg(offers.at(1))));
    spy.clear();
    QTRY_VERIFY_WITH_TIMEOUT(!valuesFor(spy, PanelNotice::JobFinished).isEmpty(), 30000);
    burned += segmentsOf(logLines(log).mid(logged));
    const QVector<QLineF> whole = segmentsOf(linesOf(job));
    QVERIFY2(unmatched(whole, burned).isEmpty(), qPrintable("not burned: " + describe(unmatched(whole, burned))));
    QVERIFY2(unmatched(burned, whole).isEmpty(), qPrintable("burned wrongly: " + describe(unmatched(burned, whole))));
}

void TestRecovery::errorAfterResumeNamesTheJobsLine()
{
    // The user looks up a refused line in the job as it was given, not in
    // the resumed job with its set-up in front.
    const QList<GCodeBuffer> job = rasterJob();
    QTemporaryDir folder;
    EngraverEmulator::Options options = emulatorOptions(folder.filePath("first.log"), false);
    options.muteAfterLines = 2 + job.size() / 2;
    options.vanishAfterLines = options.muteAfterLines + 10;
    EngraverEmulator first(options);
    QVERIFY(first.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, first));
    grbl.grblGcodePrint(job);
    QTRY_COMPARE_WITH_TIMEOUT(valuesFor(spy, PanelNotice::ResumeRow).size(), 1, 10000);
    const int row = valuesFor(spy, PanelNotice::ResumeRow).first().toInt();

    const JobFixtures::ResumeAt resume = JobFixtures::resumeAt(job, JobMap::Kind::Row, row);
    QVERIFY(resume.first >= 0);
    const int setup = resume.setup;
    QVERIFY(setup > 0);
    // The new connection's "$I" and "$$", the set-up, then 20 of the job's records.
    const int refused = 20;
    EngraverEmulator::Options secondOptions = emulatorOptions(folder.filePath("second.log"), false);
    secondOptions.extraArguments << QStringLiteral("--error-at")
                                 << QStringLiteral("%1:22").arg(2 + setup + refused + 1);
    EngraverEmulator second(secondOptions);
    QVERIFY(second.start());
    QVERIFY(connectTo(grbl, second));
    QCOMPARE(second.receivedLines().size(), 2);
    spy.clear();
    grbl.getPanelMessage(message(PanelCommand::ResumePrint, "1"));
    QTRY_COMPARE_WITH_TIMEOUT(valuesFor(spy, PanelNotice::JobFailed).size(), 1, 20000);
    const QString reason = valuesFor(spy, PanelNotice::JobFailed).first();
    QVERIFY2(reason.startsWith(QStringLiteral("line %1: error:22").arg(resume.first + refused + 1)),
             qPrintable(reason));
}

void TestRecovery::resumeOnlyWhenAsked_data()
{
    QTest::addColumn<QString>("before");    // what happens between the interruption and ResumePrint
    QTest::addColumn<bool>("kept");         // the resume point is still there afterwards

    QTest::newRow("dismissed") << "dismiss" << false;
    QTest::newRow("replaced by a new job") << "new job" << false;
    QTest::newRow("link lost, not connected again") << "link lost" << true;
}

void TestRecovery::resumeOnlyWhenAsked()
{
    QFETCH(QString, before);
    QFETCH(bool, kept);
    EngraverEmulator::Options options;
    options.hardwareVersion = QStringLiteral("1.0.0");
    options.firmwareVersion = QStringLiteral("0.1.5");
    options.throttle = true;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    grbl.grblGcodePrint(rasterJob());
    QTRY_VERIFY_WITH_TIMEOUT(!valuesFor(spy, PanelNotice::JobProgress).isEmpty(), 10000);
    grbl.getPanelMessage(message(PanelCommand::StopPrint, "0"));
    QTRY_COMPARE(valuesFor(spy, PanelNotice::ResumeRow).size(), 1);
    QVERIFY(grbl.hasResumePoint());
    QTRY_VERIFY(emulator.receivedRealtime().contains('\x18'));
    waitUntilQuiet(emulator);

    if (before == "dismiss") {
        grbl.getPanelMessage(message(PanelCommand::ResumeDismissed, "1"));
    } else if (before == "new job") {
        const QList<GCodeBuffer> job{GCodeBuffer::g(90), GCodeBuffer::m(2)};
        spy.clear();
        grbl.grblGcodePrint(job);
        QTRY_VERIFY(!valuesFor(spy, PanelNotice::JobFinished).isEmpty());
    } else {
        emulator.stop();
        QTRY_VERIFY(!grbl.isConnected());
    }
    QCOMPARE(grbl.hasResumePoint(), kept);
    const int received = kept ? 0 : emulator.receivedLines().size();
    grbl.getPanelMessage(message(PanelCommand::ResumePrint, "1"));
    QTest::qWait(300);
    QVERIFY(!grbl.isPrinting());
    QCOMPARE(grbl.hasResumePoint(), kept);
    if (!kept)
        QCOMPARE(emulator.receivedLines().size(), received);
}

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
