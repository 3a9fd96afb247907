// The controller end to end against the engraver emulator over a real
// pseudo-terminal (and, for jobs and disconnection, a loopback TCP socket):
// identification, both transfer modes, disconnection, settings, machine
// commands and the firmware upgrade.
#include "device/jobpart.h"
#include "device/lowergrbl.h"
#include "device/panelmessage.h"
#include "deviceconnect.h"
#include "engraveremulator.h"
#include "jobfixtures.h"
#include "panelspy.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

using namespace JobFixtures;
using namespace PanelSpy;

namespace {


} // namespace

class TestEngraverLink : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void identification_data();
    void identification();
    void foundThroughEnvironment();
    void unlockSequence();
    void lineModeJob_data();
    void lineModeJob();
    void partModeJob_data();
    void partModeJob();
    void partModeProgressReachesEnd();
    void partModeProgressDuringUpload();
    void disconnectMidJob_data();
    void disconnectMidJob();
    void settingsDump();
    void machineCommands();
    void firmwareUpgrade_data();
    void firmwareUpgrade();
};

void TestEngraverLink::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    registerGCodeBufferMetaTypes();
}

void TestEngraverLink::identification_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<int>("rxBuffer");
    QTest::addColumn<bool>("hardwareFirst");
    QTest::addColumn<quint32>("splitSeed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("hardwareNotice");
    QTest::addColumn<bool>("suggestUpgrade");
    QTest::addColumn<bool>("takesParts");

    QTest::newRow("1.0.0 older") << "1.0.0" << "0.1.4" << 1024 << false << 0u << true << "1.0.0" << true << false;
    QTest::newRow("2.0.0 equal") << "2.0.0" << "0.1.6" << 1024 << false << 0u << true << "2.0.0" << false << false;
    QTest::newRow("3.0.0 newer") << "3.0.0" << "0.3.0" << 1024 << false << 0u << true << "3.0.0" << false << true;
    QTest::newRow("4.0.0 older, split") << "4.0.0" << "0.2.1" << 1024 << false << 7u << true << "4.0.0" << true << true;
    QTest::newRow("5.0.0 equal") << "5.0.0" << "0.2.2" << 2048 << false << 0u << true << "5.0.0" << false << true;
    QTest::newRow("7.0.0 as 5.0.0") << "7.0.0" << "0.2.2" << 1024 << false << 0u << true << "5.0.0" << false << true;
    QTest::newRow("hardware first") << "3.0.0" << "0.2.2" << 1024 << true << 0u << true << "3.0.0" << true << true;
    QTest::newRow("buffer 128 refused") << "3.0.0" << "0.2.2" << 128 << false << 0u << false << "3.0.0" << false << true;
}

void TestEngraverLink::identification()
{
    QFETCH(QString, hardware);
    QFETCH(QString, firmware);
    QFETCH(int, rxBuffer);
    QFETCH(bool, hardwareFirst);
    QFETCH(quint32, splitSeed);
    QFETCH(bool, accepted);
    QFETCH(QString, hardwareNotice);
    QFETCH(bool, suggestUpgrade);
    QFETCH(bool, takesParts);

    EngraverEmulator::Options options;
    options.hardwareVersion = hardware;
    options.firmwareVersion = firmware;
    options.rxBufferSize = rxBuffer;
    options.hardVerFirst = hardwareFirst;
    options.splitSeed = splitSeed;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QCOMPARE(connectTo(grbl, emulator), accepted);
    QTRY_COMPARE(valuesFor(spy, PanelNotice::HardwareVersion), QStringList{hardwareNotice});
    QCOMPARE(valuesFor(spy, PanelNotice::FirmwareOutdated),
             suggestUpgrade ? QStringList{"1"} : QStringList());
    QCOMPARE(grbl.takesParts(), takesParts);
    QCOMPARE(grbl.account().size(), rxBuffer);
    if (!accepted) {
        QTest::qWait(200);
        QCOMPARE(emulator.receivedLines(), QStringList{"$I"});
        QVERIFY(valuesFor(spy, PanelNotice::Connected).isEmpty());
        return;
    }
    QCOMPARE(valuesFor(spy, PanelNotice::Connected), QStringList{emulator.portName()});
    // Nothing moves at connection: homing ($22=1) is only offered.
    QCOMPARE(emulator.receivedLines(), (QStringList{"$I", "$$"}));
    QCOMPARE(emulator.receivedRealtime(), QByteArray(1, '\x18'));
    QCOMPARE(valuesFor(spy, PanelNotice::HomingAvailable), QStringList{"1"});
    // The settings dump arrived whole, even in pieces.
    QCOMPARE(valuesFor(spy, PanelNotice::MaxSpeedX), QStringList{"200"});
}

void TestEngraverLink::foundThroughEnvironment()
{
    EngraverEmulator emulator;
    QVERIFY(emulator.start());
    qputenv("PLIMB_SERIAL_PORTS", "/dev/plimb-no-such-port:" + emulator.portName().toLocal8Bit());
    LowerGrbl grbl;
    grbl.setSearchPeriod(100);
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    const bool connected = connectTo(grbl, emulator, false);
    qunsetenv("PLIMB_SERIAL_PORTS");
    QVERIFY(connected);
    QVERIFY(valuesFor(spy, PanelNotice::PortList)
                    .value(0).endsWith("/dev/plimb-no-such-port " + emulator.portName() + ' '));
    QCOMPARE(grbl.portName(), emulator.portName());
}

void TestEngraverLink::unlockSequence()
{
    EngraverEmulator::Options options;
    options.alarmAtStart = true;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    // The positioning laser is on before the engraver is found.
    grbl.getPanelMessage(message(PanelCommand::PositionPower, "20") + message(PanelCommand::PositionLaserOn, "1")
                         + message(PanelCommand::MoveSpeed, "10") + message(PanelCommand::MoveDistance, "5"));
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    // The lock is reported, never lifted by the controller itself.
    QTRY_COMPARE(valuesFor(spy, PanelNotice::MachineLocked).size(), 1);
    QVERIFY(grbl.machineLock().isLocked());
    QTest::qWait(100);
    QVERIFY(!emulator.receivedLines().contains("$X"));
    QVERIFY(!emulator.receivedLines().contains("$H"));
    // A job is refused in the lock, with its reason; nothing of it is sent.
    const int before = emulator.receivedLines().size();
    grbl.grblGcodePrint(numberedJob(20));
    QCOMPARE(valuesFor(spy, PanelNotice::JobRefused).size(), 1);
    QVERIFY(!grbl.isPrinting());
    // The user's unlock sends "$X"; its "ok" brings a status query and the
    // laser lines again.
    grbl.getPanelMessage(message(PanelCommand::Unlock, "1"));
    QTRY_COMPARE(valuesFor(spy, PanelNotice::MachineReady), QStringList{"2"});
    QTRY_VERIFY(grbl.account().inFlight().isEmpty());
    const QStringList lines = emulator.receivedLines();
    QCOMPARE(lines.mid(before, 1), QStringList{"$X"});
    QVERIFY(lines.mid(before + 1).contains("M3 G1F100 S200"));
    QVERIFY(emulator.receivedRealtime().contains('?'));
    grbl.getPanelMessage(message(PanelCommand::Jog, "4"));
    QTRY_COMPARE(emulator.position().x(), 5.0);
}

void TestEngraverLink::lineModeJob_data()
{
    QTest::addColumn<quint32>("splitSeed");
    QTest::addColumn<bool>("inThread");
    QTest::addColumn<int>("garbageEvery");
    QTest::addColumn<bool>("tcp");
    QTest::newRow("test thread") << 0u << false << 0 << false;
    QTest::newRow("device thread, replies in pieces, garbage") << 11u << true << 7 << false;
    QTest::newRow("tcp, device thread, replies in pieces, garbage") << 11u << true << 7 << true;
}

// The program's wiring: a device thread reached through queued signals.
class Window : public QObject
{
    Q_OBJECT
signals:
    void lowerSetGcode(QList<GCodeBuffer> g);
    void lowerSetMessage(QStringList message);
};

void TestEngraverLink::lineModeJob()
{
    QFETCH(quint32, splitSeed);
    QFETCH(bool, inThread);
    QFETCH(int, garbageEvery);
    QFETCH(bool, tcp);
    EngraverEmulator::Options options;
    options.tcp = tcp;
    options.garbageEvery = garbageEvery;
    options.hardwareVersion = QStringLiteral("1.0.0");
    options.firmwareVersion = QStringLiteral("0.1.5");
    options.splitSeed = splitSeed;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());

    auto *grbl = new LowerGrbl;
    grbl->restrictSearchTo({emulator.portName()});
    QThread thread;
    Window window;
    connect(&window, &Window::lowerSetGcode, grbl, &LowerGrbl::grblGcodePrint);
    connect(&window, &Window::lowerSetMessage, grbl, &LowerGrbl::getPanelMessage);
    QStringList messages;
    QObject receiver;   // ends the connection before `messages` goes
    connect(grbl, &LowerGrbl::sendPanelMessage, &receiver,
            [&messages](const QStringList &m) { messages += m; });
    if (inThread) {
        grbl->moveToThread(&thread);
        connect(&thread, &QThread::finished, grbl, &QObject::deleteLater);
        thread.start();
    }
    emit window.lowerSetMessage(message(PanelCommand::SearchDevice, "1"));
    QTRY_VERIFY(messages.contains(notice(PanelNotice::MaxSpeedX, "200")));

    const QList<GCodeBuffer> job = numberedJob(6000);
    emit window.lowerSetGcode(job);
    QTRY_VERIFY_WITH_TIMEOUT(messages.contains(notice(PanelNotice::JobFinished, "1")), 60000);
    QVERIFY(messages.contains(notice(PanelNotice::JobProgress, "100")));
    QCOMPARE(valuesIn(messages, PanelNotice::JobProgress).size(), 100);

    const QStringList lines = emulator.receivedLines();
    QCOMPARE(lines.mid(2, job.size()), linesOf(job));
    QCOMPARE(emulator.overflowCount(), 0);
    QVERIFY(emulator.maxOutstanding() <= 1024);

    if (inThread) {
        thread.quit();
        QVERIFY(thread.wait(5000));
    } else {
        delete grbl;
    }
}

void TestEngraverLink::partModeJob_data()
{
    QTest::addColumn<bool>("tcp");
    QTest::newRow("serial pty") << false;
    QTest::newRow("tcp loopback") << true;
}

void TestEngraverLink::partModeJob()
{
    QFETCH(bool, tcp);
    EngraverEmulator::Options options;
    options.tcp = tcp;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    QVERIFY(grbl.takesParts());

    const QList<GCodeBuffer> job = numberedJob(30000);
    const QByteArray text = textOf(job);
    QVERIFY(text.size() > 3 * 153600);
    grbl.grblGcodePrint(job);
    QTRY_VERIFY_WITH_TIMEOUT(!valuesFor(spy, PanelNotice::JobFinished).isEmpty(), 60000);
    const int parts = (text.size() + 153599) / 153600;
    QVERIFY(emulator.partCount() >= parts - 1);
    QVERIFY(emulator.partCount() > 3);
    QCOMPARE(emulator.partErrorCount(), 0);
    QCOMPARE(emulator.jobText(), text);
    // The engraver asks once more after the last part; nothing is left then.
    QCOMPARE(valuesFor(spy, PanelNotice::PartPreparing).size(), emulator.partCount() + 1);
    QCOMPARE(valuesFor(spy, PanelNotice::PartConfirmed).size(), emulator.partCount());
    QCOMPARE(valuesFor(spy, PanelNotice::JobProgress).last(), QStringLiteral("100"));
    QVERIFY(!grbl.isPrinting());
}

void TestEngraverLink::partModeProgressReachesEnd()
{
    // A job whose last part holds fewer records than one progress step: the
    // last report used to be skipped, leaving the transfer bar short of 100.
    // The job is cut as the controller cuts it, so the case stays covered
    // whatever the part size.
    int records = 20000;
    for (;; records += 97) {
        const QList<GCodeBuffer> job = numberedJob(records);
        int next = 0;
        int lastPart = 0;
        while (next < job.size())
            lastPart = JobPart::take(job, &next).records;
        if (lastPart < records / 100)
            break;
    }
    EngraverEmulator emulator;
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    grbl.grblGcodePrint(numberedJob(records));
    QTRY_VERIFY_WITH_TIMEOUT(!valuesFor(spy, PanelNotice::JobFinished).isEmpty(), 60000);
    const QStringList progress = valuesFor(spy, PanelNotice::JobProgress);
    QCOMPARE(progress.last(), QStringLiteral("100"));
    QCOMPARE(progress.count(QStringLiteral("100")), 1);
}

void TestEngraverLink::partModeProgressDuringUpload()
{
    // At 115200 baud a part takes seconds to upload; reporting only when a
    // part was handed over left the transfer bar still that long.
    EngraverEmulator::Options options;
    options.throttle = true;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, emulator));
    QVERIFY(grbl.takesParts());

    QElapsedTimer clock;
    QList<qint64> times;
    QList<double> values;
    bool finished = false;
    QObject receiver;   // ends the connection before the lists go
    connect(&grbl, &LowerGrbl::sendPanelMessage, &receiver, [&](const QStringList &m) {
        finished = finished || !valuesIn(m, PanelNotice::JobFinished).isEmpty();
        for (const QString &value : valuesIn(m, PanelNotice::JobProgress)) {
            times.append(clock.elapsed());
            values.append(value.toDouble());
        }
    });
    const QList<GCodeBuffer> job = numberedJob(10000);
    clock.start();
    grbl.grblGcodePrint(job);
    QTRY_VERIFY_WITH_TIMEOUT(finished, 60000);
    QCOMPARE(emulator.jobText(), textOf(job));
    QCOMPARE(values.last(), 100.0);
    QVERIFY(emulator.partCount() >= 2);
    QCOMPARE(values.count(100.0), 1);
    QVERIFY2(times.first() < 500, qPrintable(QString::number(times.first())));
    for (int i = 1; i < values.size(); ++i) {
        QVERIFY2(values.at(i) > values.at(i - 1), qPrintable(QString::number(i)));
        QVERIFY2(times.at(i) - times.at(i - 1) <= 500,
                 qPrintable(QStringLiteral("%1 ms before %2 %").arg(times.at(i) - times.at(i - 1)).arg(values.at(i))));
    }
}

void TestEngraverLink::disconnectMidJob_data()
{
    QTest::addColumn<bool>("tcp");
    QTest::newRow("serial pty") << false;
    QTest::newRow("tcp loopback") << true;
}

void TestEngraverLink::disconnectMidJob()
{
    QFETCH(bool, tcp);
    EngraverEmulator::Options options;
    options.tcp = tcp;
    options.hardwareVersion = QStringLiteral("2.0.0");
    options.firmwareVersion = QStringLiteral("0.1.6");
    options.vanishAfterLines = 500;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    // The loss must be seen from the port's own errors, not only by the
    // watch: a vanished pseudo-terminal reports read errors at every event.
    grbl.setPortWatchInterval(60000);
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    // A socket reports its own end; only a device node is watched.
    QCOMPARE(grbl.isWatchingPort(), !tcp);
    grbl.grblGcodePrint(numberedJob(5000));
    QTRY_COMPARE_WITH_TIMEOUT(valuesFor(spy, PanelNotice::Disconnected).size(), 1, 3000);
    QTest::qWait(500);
    QCOMPARE(valuesFor(spy, PanelNotice::Disconnected), QStringList{emulator.portName()});
    QVERIFY(!grbl.isWatchingPort());
    QVERIFY(!grbl.isConnected());
    QVERIFY(valuesFor(spy, PanelNotice::JobFinished).isEmpty());
    QVERIFY(!grbl.isPrinting());
}

void TestEngraverLink::settingsDump()
{
    EngraverEmulator emulator;
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    // Change two settings through the panel's channel, then read them back.
    grbl.getPanelMessage(message(PanelCommand::MachineSetting, "value:speedX150")
                         + message(PanelCommand::MachineSetting, "value:workWidth250")
                         + message(PanelCommand::MachineSetting, "value:direction3"));
    QTRY_VERIFY(grbl.account().inFlight().isEmpty());
    spy.clear();
    QVERIFY(emulator.sendLine(QStringLiteral("$100=80.000")));
    QVERIFY(emulator.sendLine(QStringLiteral("$110=16000.000")));
    QVERIFY(emulator.sendLine(QStringLiteral("$3=3")));
    QTRY_COMPARE(valuesFor(spy, PanelNotice::MaxSpeedX), QStringList{"200"});
    QVERIFY(emulator.receivedLines().contains("$110=12000"));
    QVERIFY(emulator.receivedLines().contains("$130=250"));
    QVERIFY(emulator.receivedLines().contains("$3=3"));
    // "$3=3" was printed after "$110": it may still be on its way.
    QTRY_COMPARE(grbl.deviceSettings().value(3), 3.0);
}

void TestEngraverLink::machineCommands()
{
    EngraverEmulator emulator;
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, emulator));
    grbl.getPanelMessage(message(PanelCommand::MoveSpeed, "10") + message(PanelCommand::MoveDistance, "5")
                         + message(PanelCommand::Jog, "2") + message(PanelCommand::Jog, "4")
                         + message(PanelCommand::GoTo, "value:x12.5,y30")
                         + message(PanelCommand::PositionPower, "6") + message(PanelCommand::PositionLaserOn, "1"));
    grbl.grblFrameLoc(QRectF(100, 200, 1000, 500));
    grbl.getPanelMessage(message(PanelCommand::PositionPower, "6.5")
                         + message(PanelCommand::QueryPosition, "1"));
    QTRY_VERIFY(grbl.account().inFlight().isEmpty());
    const QStringList expected{
        "$I", "$$", "$J=G21G91X0Y5F800", "$J=G21G91X5Y0F800", "$J=G21G90X12.5Y30F800",
        "S0 G0 M5", "M107", "M107", "M3 G1F100 S60",
        "M107", "M3 G1F100 S60",
        "G00 G17 G40 G21 G54", "G90", "G0X8Y16", "G1X88F800", "G1Y56", "G1X8", "G1Y16", "G0", "G90",
        "M107", "M3 G1F100 S60", "M106 G1F100 S0", "M3 G1F100 S65"};
    QCOMPARE(emulator.receivedLines(), expected);
    QCOMPARE(emulator.receivedRealtime(), QByteArray("\x18?"));
    QCOMPARE(emulator.position(), QPointF(8, 16));
}

void TestEngraverLink::firmwareUpgrade_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("lastPiece");
    QTest::newRow("659 456 bytes") << "3.0.0" << "0.2.1" << 659456 << 161 << 4096;
    QTest::newRow("739 936 bytes") << "2.0.0" << "0.1.5" << 739936 << 181 << 2656;
}

void TestEngraverLink::firmwareUpgrade()
{
    QFETCH(QString, hardware);
    QFETCH(QString, firmware);
    QFETCH(int, size);
    QFETCH(int, pieces);
    QFETCH(int, lastPiece);
    EngraverEmulator::Options options;
    options.hardwareVersion = hardware;
    options.firmwareVersion = firmware;
    EngraverEmulator emulator(options);
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    const QByteArray image = generatedImage(size);
    grbl.setFirmwareImageProvider([&image](const QString &, QByteArray *bytes) {
        *bytes = image;
        return true;
    });
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    grbl.getPanelMessage(message(PanelCommand::UpgradeFirmware, "0"));
    QTRY_VERIFY_WITH_TIMEOUT(!valuesFor(spy, PanelNotice::UpgradeFinished).isEmpty(), 30000);
    QCOMPARE(emulator.firmwareReceived(), image);
    QVERIFY(emulator.receivedLines().contains("$@OTA=" + QString::number(size)));
    const QStringList progress = valuesFor(spy, PanelNotice::UpgradeProgress);
    QCOMPARE(progress.size(), pieces);
    QCOMPARE(progress.last(), QStringLiteral("1"));
    QCOMPARE(progress.at(pieces - 2), PanelMessage::formatNumber(double(size - lastPiece) / size));
}

QTEST_GUILESS_MAIN(TestEngraverLink)
#include "tst_engraverlink.moc"
