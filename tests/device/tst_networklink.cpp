// The controller over a network link against the engraver emulator on a
// loopback TCP port: a typed port (path or host:port) connects, a link that
// cannot be opened says why, and a connection that stalls, half-closes,
// resets or carries garbage mid-job never hangs, never ends as done, and
// names where the job can be taken up.
#include "device/lowergrbl.h"

#include "engraveremulator.h"
#include "jobfixtures.h"
#include "panelspy.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace PanelSpy;

namespace {

// A hundred and fifty small outlines: resume points all along the job.
QList<GCodeBuffer> outlinesJob()
{
    return JobFixtures::generatedJob(JobFixtures::outlinesDesign(150, 15));
}

// A loopback port nothing listens on.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

void choosePort(LowerGrbl &grbl, const QString &name)
{
    grbl.getPanelMessage(message(PanelCommand::ChoosePort, name));
}

} // namespace

class TestNetworkLink : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void typedPortConnects_data();
    void typedPortConnects();
    void openFailureIsNamed_data();
    void openFailureIsNamed();
    void faultMidJob_data();
    void faultMidJob();
    void heldJobIsNoStall();
};

void TestNetworkLink::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    registerGCodeBufferMetaTypes();
}

void TestNetworkLink::typedPortConnects_data()
{
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("pty path") << false << "";
    QTest::newRow("host:port") << true << "";
    QTest::newRow("tcp://host:port") << true << "tcp://";
}

void TestNetworkLink::typedPortConnects()
{
    QFETCH(bool, tcp);
    QFETCH(QString, prefix);
    EngraverEmulator::Options options;
    options.tcp = tcp;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    // Neither port is listed by the system: only the typed name reaches it.
    choosePort(grbl, prefix + emulator.portName());
    QTRY_VERIFY(grbl.isSettled());
    QCOMPARE(valuesFor(spy, PanelNotice::Connected), QStringList{emulator.portName()});
    QCOMPARE(emulator.receivedLines(), (QStringList{"$I", "$$"}));
    // The typed port held for one connection: a search covers every port again.
    QVERIFY(grbl.searchedPorts() == QStringList{emulator.portName()});
    QVERIFY(valuesFor(spy, PanelNotice::LinkFailed).isEmpty());
}

void TestNetworkLink::openFailureIsNamed_data()
{
    QTest::addColumn<QString>("port");      // "silent" listens and never answers
    QTest::addColumn<QString>("why");

    QTest::newRow("refused") << QStringLiteral("127.0.0.1:%1").arg(closedPort()) << "refused";
    QTest::newRow("unknown host") << "no-such-engraver.invalid:23" << "unknown-host";
    QTest::newRow("silent peer") << "silent" << "silent";
    QTest::newRow("serial path that names no device") << "/dev/plimb-no-such-port" << "missing";
}

void TestNetworkLink::openFailureIsNamed()
{
    QFETCH(QString, port);
    QFETCH(QString, why);
    QTcpServer silent;
    if (port == QLatin1String("silent")) {
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        port = QStringLiteral("127.0.0.1:%1").arg(silent.serverPort());
    }
    LowerGrbl grbl;
    grbl.setSearchPeriod(300);
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    choosePort(grbl, port);
    QTRY_COMPARE_WITH_TIMEOUT(valuesFor(spy, PanelNotice::LinkFailed), QStringList{why + ' ' + port}, 8000);
    QVERIFY(!grbl.isConnected());
    QVERIFY(!grbl.isSearching());
    QVERIFY(valuesFor(spy, PanelNotice::Connected).isEmpty());
}

void TestNetworkLink::faultMidJob_data()
{
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QStringList>("fault");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<QString>("why");       // the LinkFailed notice, if any

    // Line 2 + 400 of the wire is line 400 of the job.
    QTest::newRow("stall, tcp") << true << QStringList{"--mute-after", "402"} << false << "silent";
    QTest::newRow("stall, pty") << false << QStringList{"--mute-after", "402"} << false << "silent";
    // "noise" below: lines that answer nothing keep coming; still a stall.
    QTest::newRow("stall with noise") << true << QStringList{"--mute-after", "402", "noise"} << false << "silent";
    QTest::newRow("half-close") << true << QStringList{"--half-close-after", "402"} << false << "";
    QTest::newRow("reset") << true << QStringList{"--reset-after", "402"} << false << "";
    QTest::newRow("vanish") << true << QStringList{"--vanish-after", "402"} << false << "";
    // Noise that looks like answers, in pieces: counting it would overflow.
    QTest::newRow("garbage") << true
            << QStringList{"--garbage-every", "3", "--noise", "okay", "--split-seed", "9"} << true << "";
}

void TestNetworkLink::faultMidJob()
{
    QFETCH(bool, tcp);
    QFETCH(QStringList, fault);
    QFETCH(bool, finished);
    QFETCH(QString, why);
    EngraverEmulator::Options options;
    options.hardwareVersion = QStringLiteral("1.0.0");
    options.firmwareVersion = QStringLiteral("0.1.5");
    options.tcp = tcp;
    const bool noise = fault.removeAll(QStringLiteral("noise")) > 0;
    options.extraArguments = fault;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    QTimer noiseTimer;
    noiseTimer.setInterval(50);
    connect(&noiseTimer, &QTimer::timeout, &emulator, [&emulator] { emulator.sendLine(QStringLiteral("okay")); });
    LowerGrbl grbl;
    grbl.setStallPeriod(300);
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    choosePort(grbl, emulator.portName());
    QTRY_VERIFY(grbl.isSettled());
    const QList<GCodeBuffer> job = outlinesJob();
    QVERIFY(job.size() > 600);
    grbl.grblGcodePrint(job);
    if (noise)
        noiseTimer.start();

    if (finished) {
        QTRY_COMPARE_WITH_TIMEOUT(valuesFor(spy, PanelNotice::JobFinished).size(), 1, 20000);
        QCOMPARE(emulator.receivedLines().mid(2), JobFixtures::linesOf(job));
        QCOMPARE(emulator.overflowCount(), 0);
        QVERIFY(valuesFor(spy, PanelNotice::Disconnected).isEmpty());
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(valuesFor(spy, PanelNotice::Disconnected), QStringList{emulator.portName()}, 5000);
    QCOMPARE(valuesFor(spy, PanelNotice::LinkFailed),
             why.isEmpty() ? QStringList() : QStringList{why + ' ' + emulator.portName()});
    QTRY_COMPARE(valuesFor(spy, PanelNotice::ResumeOutline).size(), 1);
    const int outline = valuesFor(spy, PanelNotice::ResumeOutline).first().toInt();
    QVERIFY2(outline >= 1 && outline < 150, qPrintable(QString::number(outline)));
    QVERIFY(!grbl.isPrinting());
    QVERIFY(!grbl.isConnected());
    QVERIFY(grbl.hasResumePoint());
    QTest::qWait(200);
    QVERIFY(valuesFor(spy, PanelNotice::JobFinished).isEmpty());
}

void TestNetworkLink::heldJobIsNoStall()
{
    // A feed hold answers no line for as long as it lasts, yet the link is
    // alive: the status query is answered, so no loss may be reported.
    EngraverEmulator::Options options;
    options.hardwareVersion = QStringLiteral("1.0.0");
    options.firmwareVersion = QStringLiteral("0.1.5");
    options.tcp = true;
    options.throttle = true;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    grbl.setStallPeriod(200);
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    choosePort(grbl, emulator.portName());
    QTRY_VERIFY(grbl.isSettled());
    const QList<GCodeBuffer> job = outlinesJob();
    grbl.grblGcodePrint(job);
    QTRY_VERIFY(grbl.acknowledgedRecords() > 50);
    grbl.getPanelMessage(message(PanelCommand::PausePrint, "1"));
    QTest::qWait(1500);
    QVERIFY(grbl.isConnected());
    QVERIFY(valuesFor(spy, PanelNotice::Disconnected).isEmpty());
    QVERIFY(emulator.receivedRealtime().count('?') >= 2);
    grbl.getPanelMessage(message(PanelCommand::PausePrint, "0"));
    QTRY_COMPARE_WITH_TIMEOUT(valuesFor(spy, PanelNotice::JobFinished).size(), 1, 30000);
    QCOMPARE(emulator.receivedLines().mid(2), JobFixtures::linesOf(job));
}

QTEST_GUILESS_MAIN(TestNetworkLink)
#include "tst_networklink.moc"
