// plimb-cli send against the engraver emulator: the job arrives whole and
// the exit status tells success from every way of failing.
#include "burnpath.h"
#include "engraveremulator.h"
#include "gcode/gcodebuffer.h"
#include "gcode/gcodegenerator.h"
#include "gcodeinterpreter.h"
#include "jobfixtures.h"

#include <QRegularExpression>

#include <QProcess>
#include <QTcpServer>
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

QStringList logLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestSendCommand : public QObject
{
    Q_OBJECT
private slots:
    void send_data();
    void send();
    void refusesForeignGCode();
    void networkPortNotReached_data();
    void networkPortNotReached();
    void resumesWhereTheLinkWasLost_data();
    void resumesWhereTheLinkWasLost();
    void refusesAResumePointTheJobLacks();
};

void TestSendCommand::send_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<int>("rxBuffer");
    QTest::addColumn<int>("vanishAfter");
    QTest::addColumn<int>("muteAfter");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("tcp");
    // Every outcome over both transports: the exit status must not depend on
    // how the engraver is reached.
    for (const bool tcp : {false, true}) {
        const QString over = tcp ? QStringLiteral(", tcp") : QString();
        QTest::newRow(qPrintable("line mode" + over)) << "1.0.0" << 1024 << -1 << -1 << 0 << "job done" << tcp;
        QTest::newRow(qPrintable("part mode" + over)) << "3.0.0" << 1024 << -1 << -1 << 0 << "job done" << tcp;
        QTest::newRow(qPrintable("disconnect" + over))
                << "2.0.0" << 1024 << 100 << -1 << 4 << "lost the engraver on" << tcp;
        QTest::newRow(qPrintable("refusal" + over))
                << "2.0.0" << 128 << -1 << -1 << 3 << "receive buffer of 128 bytes" << tcp;
        QTest::newRow(qPrintable("time-out" + over))
                << "2.0.0" << 1024 << -1 << 100 << 5 << "no answer from the engraver" << tcp;
    }
}

void TestSendCommand::send()
{
    QFETCH(QString, hardware);
    QFETCH(int, rxBuffer);
    QFETCH(int, vanishAfter);
    QFETCH(int, muteAfter);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QFETCH(bool, tcp);

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
    options.tcp = tcp;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());

    QProcess cli;
    const QString port = tcp ? "tcp://" + emulator.portName() : emulator.portName();
    cli.start(QStringLiteral(PLIMB_CLI), {"send", jobPath, "--port", port, "--timeout", "2"});
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
        QCOMPARE(emulator.receivedLines().mid(2), linesOf(job));
        QCOMPARE(emulator.overflowCount(), 0);
    }
}

void TestSendCommand::networkPortNotReached_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("says");
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const quint16 closed = server.serverPort();
    server.close();
    QTest::newRow("refused") << QStringLiteral("tcp://127.0.0.1:%1").arg(closed)
                             << QStringLiteral("127.0.0.1:%1 refused the connection").arg(closed);
    QTest::newRow("unknown host") << "tcp://no-such-engraver.invalid:23" << "unknown host in no-such-engraver.invalid:23";
    QTest::newRow("missing path") << "/dev/plimb-no-such-port" << "no engraver answered on /dev/plimb-no-such-port";
}

void TestSendCommand::networkPortNotReached()
{
    QFETCH(QString, port);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString jobPath = dir.filePath(QStringLiteral("job.gc"));
    QFile file(jobPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(textOf(smallJob()));
    file.close();
    QProcess cli;
    cli.start(QStringLiteral(PLIMB_CLI), {"send", jobPath, "--port", port, "--timeout", "2"});
    QVERIFY(cli.waitForFinished(30000));
    const QString output = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(output.contains(says), qPrintable(output));
    QCOMPARE(cli.exitCode(), 3);
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

void TestSendCommand::resumesWhereTheLinkWasLost_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<QList<int>>("vanishAfter");   // per run; -1 runs to the end
    QTest::addColumn<QString>("option");

    const QString ellipse = "<ellipse cx='100' cy='200' rx='60' ry='150' style='fill:#000000'"
                            " tolvenrik:scanAccuracy='0.2' tolvenrik:scanBuffer='1'/>";
    const QString rects = JobFixtures::outlinesDesign(60, 10);
    QTest::newRow("raster rows") << ellipse << QList<int>{300, -1} << "--resume-row";
    QTest::newRow("outlines") << rects << QList<int>{200, -1} << "--resume-outline";
    // The second cut comes inside the resumed job: its resume point is still
    // named as the job file numbers it.
    QTest::newRow("raster rows, lost twice") << ellipse << QList<int>{250, 100, -1} << "--resume-row";
}

// The link drops mid-job: send names where the job can be taken up, and a
// send from there on a fresh engraver burns exactly the rest, positioning the
// head before anything burns.
void TestSendCommand::resumesWhereTheLinkWasLost()
{
    QFETCH(QString, design);
    QFETCH(QList<int>, vanishAfter);
    QFETCH(QString, option);

    QTemporaryDir dir;
    const QList<GCodeBuffer> job = JobFixtures::generatedJob(design);
    const QString jobPath = dir.filePath(QStringLiteral("job.gc"));
    QFile file(jobPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(textOf(job));
    file.close();
    const QVector<QLineF> whole = BurnPath::segmentsOf(BurnPath::linesOf(job));

    QVector<QLineF> burned;
    QStringList resume;
    int named = 0;
    for (int run = 0; run < vanishAfter.size(); ++run) {
        const QString log = dir.filePath(QStringLiteral("executed-%1.log").arg(run));
        EngraverEmulator::Options options;
        options.hardwareVersion = QStringLiteral("1.0.0");
        options.firmwareVersion = QStringLiteral("0.1.5");
        options.vanishAfterLines = vanishAfter.at(run);
        options.extraArguments << QStringLiteral("--executed-log") << log;
        EngraverEmulator emulator(options);
        QVERIFY(emulator.start());

        QProcess cli;
        cli.start(QStringLiteral(PLIMB_CLI),
                  QStringList{"send", jobPath, "--port", emulator.portName(), "--timeout", "5"} + resume);
        QVERIFY(cli.waitForFinished(60000));
        const QString output = QString::fromUtf8(cli.readAllStandardError());
        const bool last = run == vanishAfter.size() - 1;
        QVERIFY2(cli.exitCode() == (last ? 0 : 4), qPrintable(output));

        GCodeInterpreter executed;
        executed.run(logLines(log));
        if (run > 0) {
            QVERIFY(executed.firstPositioningLine >= 0);
            QVERIFY2(executed.firstBurnLine > executed.firstPositioningLine, qPrintable(output));
        }
        burned += executed.segments;
        if (last)
            break;
        const QRegularExpressionMatch match =
                QRegularExpression(QRegularExpression::escape(option) + QStringLiteral(" (\\d+)")).match(output);
        QVERIFY2(match.hasMatch(), qPrintable(output));
        // Told in the file's numbers: a resumed job cut off again is further on.
        QVERIFY2(match.captured(1).toInt() >= named, qPrintable(output));
        named = match.captured(1).toInt();
        resume = QStringList{option, match.captured(1)};
    }
    QVERIFY2(BurnPath::unmatched(whole, burned).isEmpty(),
             qPrintable("not burned: " + BurnPath::describe(BurnPath::unmatched(whole, burned))));
    QVERIFY2(BurnPath::unmatched(burned, whole).isEmpty(),
             qPrintable("burned wrongly: " + BurnPath::describe(BurnPath::unmatched(burned, whole))));
}

void TestSendCommand::refusesAResumePointTheJobLacks()
{
    QTemporaryDir dir;
    const QString jobPath = dir.filePath(QStringLiteral("job.gc"));
    QFile file(jobPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(textOf(JobFixtures::generatedJob("<rect x='10' y='10' width='8' height='6' style='fill:none;stroke:#000000'/>")));
    file.close();
    for (const QStringList &arguments : {QStringList{"--resume-outline", "2"}, QStringList{"--resume-row", "1"}}) {
        QProcess cli;
        cli.start(QStringLiteral(PLIMB_CLI), QStringList{"send", jobPath, "--port", "/dev/null"} + arguments);
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 6);
        QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains("has no "));
    }
}

QTEST_GUILESS_MAIN(TestSendCommand)
#include "tst_sendcommand.moc"
