// plimb-cli send against the engraver emulator: the job arrives whole and
// the exit status tells success from every way of failing.
#include "engraveremulator.h"
#include "gcode/gcodebuffer.h"
#include "jobfixtures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using JobFixtures::linesOf;
using JobFixtures::textOf;

namespace {

QList<GCodeBuffer> smallJob()
{
    QList<GCodeBuffer> job{GCodeBuffer::g(90), GCodeBuffer::g(21), GCodeBuffer::g00()};
    for (int i = 0; i < 400; ++i) {
        GCodeBuffer record = GCodeBuffer::g(1);
        record.X = i * 0.25;
        record.Y = (i % 20) * 0.5;
        record.S = i % 1000;
        record.F = 3000;
        job.append(record);
    }
    // A relative stretch, where a zero displacement is left out of the line.
    job.append(GCodeBuffer::g(91));
    for (int i = 0; i < 20; ++i) {
        GCodeBuffer step = GCodeBuffer::g(1);
        step.absolute = false;
        step.X = i % 2 ? 0.0 : 0.5;
        step.Y = i % 3 ? 0.0 : -0.25;
        step.S = 100;
        job.append(step);
    }
    job.append(GCodeBuffer::g(90));
    job.append(GCodeBuffer::m(5));
    job.append(GCodeBuffer::m(2));
    return job;
}

} // namespace

class TestSendCommand : public QObject
{
    Q_OBJECT
private slots:
    void send_data();
    void send();
    void refusesForeignGCode();
};

void TestSendCommand::send_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<int>("rxBuffer");
    QTest::addColumn<int>("vanishAfter");
    QTest::addColumn<int>("muteAfter");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::newRow("line mode") << "1.0.0" << 1024 << -1 << -1 << 0 << "job done";
    QTest::newRow("part mode") << "3.0.0" << 1024 << -1 << -1 << 0 << "job done";
    QTest::newRow("disconnect") << "2.0.0" << 1024 << 100 << -1 << 4 << "lost the engraver on";
    QTest::newRow("refusal") << "2.0.0" << 128 << -1 << -1 << 3 << "receive buffer of 128 bytes";
    QTest::newRow("time-out") << "2.0.0" << 1024 << -1 << 100 << 5 << "no answer from the engraver";
}

void TestSendCommand::send()
{
    QFETCH(QString, hardware);
    QFETCH(int, rxBuffer);
    QFETCH(int, vanishAfter);
    QFETCH(int, muteAfter);
    QFETCH(int, exitCode);
    QFETCH(QString, says);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QList<GCodeBuffer> job = smallJob();
    const QString jobPath = dir.filePath(QStringLiteral("job.gc"));
    QFile file(jobPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(textOf(job));
    file.close();

    EngraverEmulator::Options options;
    options.hardwareVersion = hardware;
    options.firmwareVersion = QStringLiteral("0.2.2");
    options.rxBufferSize = rxBuffer;
    options.vanishAfterLines = vanishAfter;
    options.muteAfterLines = muteAfter;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());

    QProcess cli;
    cli.start(QStringLiteral(PLIMB_CLI), {"send", jobPath, "--port", emulator.portName(), "--timeout", "2"});
    QVERIFY(cli.waitForFinished(30000));
    const QString output = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(output.contains(says), qPrintable(output));
    QCOMPARE(cli.exitCode(), exitCode);
    if (exitCode != 0)
        return;
    QVERIFY(output.contains("100.0%"));
    if (hardware == QLatin1String("3.0.0")) {
        QCOMPARE(emulator.jobText(), textOf(job));
    } else {
        QCOMPARE(emulator.receivedLines().mid(3), linesOf(job));
        QCOMPARE(emulator.overflowCount(), 0);
    }
}

void TestSendCommand::refusesForeignGCode()
{
    QTemporaryDir dir;
    const QString jobPath = dir.filePath(QStringLiteral("foreign.gc"));
    QFile file(jobPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("G90\nG1 X10 Y10\nM2\n");
    file.close();
    QProcess cli;
    cli.start(QStringLiteral(PLIMB_CLI), {"send", jobPath, "--port", "/dev/null"});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 6);
    QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains("foreign.gc:2:"));
}

QTEST_GUILESS_MAIN(TestSendCommand)
#include "tst_sendcommand.moc"
