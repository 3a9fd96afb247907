// plimb-cli send against an engraver that homes, raises alarms, refuses
// lines or has a small buffer: what goes over the wire, the exit status and
// the message. Nothing may move before the user asks, no refused line may
// end as "job done", and no line is ever left out.
#include "engraveremulator.h"
#include "gcode/gcodebuffer.h"
#include "jobfixtures.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using JobFixtures::linesOf;
using JobFixtures::textOf;

namespace {

enum class JobSent { None, Part, All };

// Sixty small outlines: a job with resume points, 1 000 lines or so.
QList<GCodeBuffer> outlinesJob()
{
    return JobFixtures::generatedJob(JobFixtures::outlinesDesign(60, 10));
}

// One move whose line no 128-byte buffer holds.
QList<GCodeBuffer> jobWithLongLine()
{
    QList<GCodeBuffer> job = outlinesJob();
    GCodeBuffer far = GCodeBuffer::g(0);
    far.X = 1e60;
    far.Y = 1e60;
    job.insert(5, far);
    return job;
}

} // namespace

Q_DECLARE_METATYPE(JobSent)

class TestJobFaults : public QObject
{
    Q_OBJECT
private slots:
    void send_data();
    void send();
    void resumedJobNamesFileLines_data();
    void resumedJobNamesFileLines();
};

void TestJobFaults::send_data()
{
    QTest::addColumn<QStringList>("emulator");
    QTest::addColumn<QStringList>("cli");
    QTest::addColumn<bool>("longLine");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QStringList>("sentFirst");     // lines before the job's first
    QTest::addColumn<JobSent>("job");
    QTest::addColumn<bool>("stopped");              // feed hold, then reset

    const QStringList model{"--hardware", "1.0.0", "--firmware", "0.1.5"};
    const QStringList generic{"--generic"};
    const QStringList identify{"$I", "$$"};
    const int jobLines = outlinesJob().size();

    // Homing is offered, never done unasked; the job waits for its "ok" (a
    // line sent earlier would be refused in the lock and fail the row).
    QTest::newRow("homing on, not asked") << model + QStringList{"--homing-required"} << QStringList()
            << false << 7 << QStringList{"locked", "--home"} << identify << JobSent::None << false;
    QTest::newRow("homing on, --home") << model + QStringList{"--homing-required"} << QStringList{"--home"}
            << false << 0 << QStringList{"homed", "job done"} << identify + QStringList{"$H"} << JobSent::All
            << false;
    // Never "$X" by itself: only the user's --unlock sends it.
    QTest::newRow("alarm at start") << model + QStringList{"--alarm"} << QStringList() << false << 7
            << QStringList{"locked", "--unlock"} << identify << JobSent::None << false;
    QTest::newRow("alarm at start, --unlock") << model + QStringList{"--alarm"} << QStringList{"--unlock"} << false
            << 0 << QStringList{"unlocked", "job done"} << identify + QStringList{"$X"} << JobSent::All << false;
    // Line 102 of the wire is line 100 of the job.
    QTest::newRow("alarm mid-job") << model + QStringList{"--alarm-at", "102:1"} << QStringList() << false << 8
            << QStringList{"ALARM:1 Hard limit triggered", "--resume-outline"} << identify << JobSent::Part << true;
    QTest::newRow("error mid-job") << model + QStringList{"--error-at", "102:22"} << QStringList() << false << 8
            << QStringList{"line 100: error:22 Feed rate has not yet been set", "--resume-outline"} << identify
            << JobSent::Part << true;
    // A standard board gets no fan words: line 110 on its wire is line 111 of the job.
    QTest::newRow("error mid-job, standard board") << generic + QStringList{"--error-at", "112:22"}
            << QStringList() << false << 8 << QStringList{"line 111: error:22"} << identify << JobSent::Part
            << true;
    QTest::newRow("continue past errors") << model + QStringList{"--error-at", "102:22"}
            << QStringList{"--continue-on-error"} << false << 8
            << QStringList{"job ended with 1 lines refused", "line 100: error:22"} << identify << JobSent::All
            << false;
    QTest::newRow("all errors, then the end")
            << model + QStringList{"--error-at", QStringLiteral("3:20:%1").arg(jobLines - 1)}
            << QStringList{"--continue-on-error"} << false << 8
            << QStringList{QStringLiteral("job ended with %1 lines refused").arg(jobLines - 1), "line 1: error:20"}
            << identify << JobSent::All << false;
    // A line the buffer cannot hold refuses the whole job before it starts.
    QTest::newRow("long lines, 16-byte buffer") << generic + QStringList{"--rx-buffer", "16"} << QStringList()
            << false << 7 << QStringList{"receive buffer holds 15"} << identify << JobSent::None << false;
    QTest::newRow("long line, 128-byte buffer") << generic << QStringList() << true << 7
            << QStringList{"Line 6 is", "receive buffer holds 127"} << identify << JobSent::None << false;
    // "okay" is no answer: counting it would overflow the buffer.
    QTest::newRow("noise like ok") << generic + QStringList{"--garbage-every", "2", "--noise", "okay",
                                                            "--split-seed", "5"}
            << QStringList() << false << 0 << QStringList{"job done"} << identify << JobSent::All << false;
}

void TestJobFaults::send()
{
    QFETCH(QStringList, emulator);
    QFETCH(QStringList, cli);
    QFETCH(bool, longLine);
    QFETCH(int, exitCode);
    QFETCH(QStringList, says);
    QFETCH(QStringList, sentFirst);
    QFETCH(JobSent, job);
    QFETCH(bool, stopped);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QList<GCodeBuffer> records = longLine ? jobWithLongLine() : outlinesJob();
    const QString jobPath = dir.filePath(QStringLiteral("job.gc"));
    QFile file(jobPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(textOf(records));
    file.close();

    EngraverEmulator::Options options;
    options.extraArguments = emulator;
    // The emulator's defaults would come before these and be overridden.
    options.hardwareVersion = QStringLiteral("1.0.0");
    options.firmwareVersion = emulator.contains("--generic") ? QStringLiteral("1.1h.20190825:")
                                                             : QStringLiteral("0.1.5");
    options.rxBufferSize = emulator.contains("--generic") ? 128 : 1024;
    const int rx = emulator.indexOf("--rx-buffer");
    if (rx >= 0) {
        options.rxBufferSize = emulator.at(rx + 1).toInt();
        options.extraArguments.erase(options.extraArguments.begin() + rx, options.extraArguments.begin() + rx + 2);
    }
    EngraverEmulator engraver(options);
    QVERIFY(engraver.start());

    QProcess process;
    process.start(QStringLiteral(PLIMB_CLI),
                  QStringList{"send", jobPath, "--port", engraver.portName(), "--timeout", "5"} + cli);
    QVERIFY(process.waitForFinished(60000));
    const QString output = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitCode() == exitCode, qPrintable(output));
    for (const QString &text : says)
        QVERIFY2(output.contains(text), qPrintable(text + " not in: " + output));
    if (exitCode != 0)
        QVERIFY2(!output.contains("job done"), qPrintable(output));

    const QStringList lines = engraver.receivedLines();
    QCOMPARE(lines.mid(0, sentFirst.size()), sentFirst);
    const QStringList sentJob = lines.mid(sentFirst.size());
    QStringList wholeJob = linesOf(records);
    // A standard board never gets the engraver's fan words.
    if (emulator.contains("--generic"))
        wholeJob = wholeJob.filter(QRegularExpression("^(?!M10[67])"));
    switch (job) {
    case JobSent::None:
        QCOMPARE(sentJob, QStringList());
        break;
    case JobSent::All:
        QCOMPARE(sentJob, wholeJob);
        break;
    case JobSent::Part:
        // Streaming stopped at the refusal: a buffer's worth at most followed.
        QVERIFY2(sentJob.size() > 100 && sentJob.size() < wholeJob.size() - 100, qPrintable(output));
        QCOMPARE(sentJob, wholeJob.mid(0, sentJob.size()));
        break;
    }
    const QByteArray realtime = engraver.receivedRealtime();
    QCOMPARE(realtime.contains('!') && realtime.contains('\x18'), stopped);
    if (stopped)
        QVERIFY(realtime.indexOf('!') < realtime.lastIndexOf('\x18'));
    QCOMPARE(engraver.overflowCount(), 0);
}

void TestJobFaults::resumedJobNamesFileLines_data()
{
    QTest::addColumn<int>("refused");   // the failing record after the resume's set-up; negative: inside it

    QTest::newRow("a line of the file") << 30;
    QTest::newRow("the first line taken up") << 0;
    QTest::newRow("a set-up line") << -2;
}

void TestJobFaults::resumedJobNamesFileLines()
{
    // --resume-outline sends a set-up and then the file from the outline on:
    // a refused line is named by its line in the file, so the user finds it.
    QFETCH(int, refused);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QList<GCodeBuffer> records = outlinesJob();
    const QString jobPath = dir.filePath(QStringLiteral("job.gc"));
    QFile file(jobPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(textOf(records));
    file.close();

    const int outline = 20;
    const JobFixtures::ResumeAt resume = JobFixtures::resumeAt(records, JobMap::Kind::Outline, outline);
    QVERIFY(resume.first >= 0);
    const int setup = resume.setup;
    QVERIFY(setup > 2);
    const QString expected = refused >= 0 ? QStringLiteral("line %1: error:22").arg(resume.first + refused + 1)
                                          : QStringLiteral("resume set-up line %1: error:22").arg(setup + refused + 1);

    EngraverEmulator::Options options;
    options.hardwareVersion = QStringLiteral("1.0.0");
    options.firmwareVersion = QStringLiteral("0.1.5");
    options.rxBufferSize = 1024;
    // "$I" and "$$" come first on the wire.
    options.extraArguments = QStringList{"--error-at", QStringLiteral("%1:22").arg(2 + setup + refused + 1)};
    EngraverEmulator engraver(options);
    QVERIFY(engraver.start());

    QProcess process;
    process.start(QStringLiteral(PLIMB_CLI),
                  QStringList{"send", jobPath, "--port", engraver.portName(), "--timeout", "5",
                              "--resume-outline", QString::number(outline)});
    QVERIFY(process.waitForFinished(60000));
    const QString output = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitCode() == 8, qPrintable(output));
    QVERIFY2(output.contains(expected), qPrintable(expected + " not in: " + output));
    // The resume point offered again is in the file's numbers too.
    const QRegularExpression offer(QStringLiteral("--resume-outline (\\d+)"));
    const QRegularExpressionMatch match = offer.match(output.mid(output.indexOf(expected)));
    QVERIFY2(match.hasMatch(), qPrintable(output));
    QVERIFY(match.captured(1).toInt() >= outline);
}

QTEST_GUILESS_MAIN(TestJobFaults)
#include "tst_jobfaults.moc"
