// The controller against a scripted engraver on a pseudo-terminal: exact
// bytes both ways, replies cut anywhere, and the failure paths.
#include "common/settingsnames.h"
#include "device/lowergrbl.h"
#include "jobfixtures.h"
#include "panelspy.h"
#include "ptypeer.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

using namespace JobFixtures;
using namespace PanelSpy;

Q_DECLARE_METATYPE(PanelNotice)

namespace {

const QByteArray softResetByte(1, '\x18');

struct Identity
{
    QByteArray hardware = "3.0.0";
    QByteArray firmware = "0.2.2";
    int rxBuffer = 1024;
    bool hardwareFirst = false;
};

// Runs the search on the peer's port and answers as an engraver would.
bool identify(LowerGrbl &grbl, PtyPeer &peer, const Identity &identity = Identity())
{
    grbl.restrictSearchTo({peer.path()});
    grbl.getPanelMessage(message(PanelCommand::SearchDevice, "1"));
    if (!peer.waitFor(softResetByte))
        return false;
    peer.takeReceived(0);
    peer.write("\r\nGrbl 1.1f ['$' for help]\r\n");
    if (!peer.waitFor("$I\n"))
        return false;
    peer.takeReceived(0);
    const QByteArray version = "[VER:" + identity.firmware + ".20230101:]\r\n";
    const QByteArray hardware = "[HARDVER:" + identity.hardware + "]\r\n";
    QByteArray reply = identity.hardwareFirst ? hardware + version : version + hardware;
    reply += "[OPT:V,15," + QByteArray::number(identity.rxBuffer) + "]\r\nok\r\n";
    peer.write(reply);
    return true;
}

bool connectTo(LowerGrbl &grbl, PtyPeer &peer, const Identity &identity = Identity())
{
    if (!identify(grbl, peer, identity) || !peer.waitFor("$$\n"))
        return false;
    peer.takeReceived();
    return grbl.isConnected();
}

} // namespace

class TestLowerGrbl : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void identification_data();
    void identification();
    void smallReceiveBufferRefused();
    void splitAndJoinedReplies();
    void lateIdentificationOkFreesNothing();
    void unlockSequence();
    void errorRepliesKeepStreamingWhenAsked();
    void readBufferIsBounded();
    void settingsDump();
    void settingsPersisted();
    void machineCommands();
    void positioningLaser();
    void stopWithoutJobResetsAccount();
    void stopPassesFullBuffer();
    void partModeSingleRecord();
    void stopAndPauseDuringPartRepeated();
    void partTimeout();
    void disconnectReportedOnce();
    void searchWhileConnected();
    void firmwareUpgrade_data();
    void firmwareUpgrade();
    void firmwareRefusals_data();
    void firmwareRefusals();
    void missingFirmwareImageReported();
    void queuedThroughThread();
};

void TestLowerGrbl::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    registerGCodeBufferMetaTypes();
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), "no pseudo-terminal available");
}

// Every controller writes its settings back; each test starts from none.
void TestLowerGrbl::init()
{
    QSettings(SettingsNames::organization, SettingsNames::application).remove(SettingsNames::lowerGrblGroup);
}

void TestLowerGrbl::identification_data()
{
    QTest::addColumn<QByteArray>("hardware");
    QTest::addColumn<QByteArray>("firmware");
    QTest::addColumn<bool>("hardwareFirst");
    QTest::addColumn<QStringList>("hardwareNotice");
    QTest::addColumn<bool>("suggestUpgrade");
    QTest::addColumn<bool>("takesParts");

    QTest::newRow("1.0.0 older") << QByteArray("1.0.0") << QByteArray("0.1.4") << false
                                 << QStringList{"1.0.0"} << true << false;
    QTest::newRow("1.0.0 equal") << QByteArray("1.0.0") << QByteArray("0.1.5") << false
                                 << QStringList{"1.0.0"} << false << false;
    QTest::newRow("2.0.0 newer") << QByteArray("2.0.0") << QByteArray("0.1.7") << false
                                 << QStringList{"2.0.0"} << false << false;
    QTest::newRow("3.0.0 older") << QByteArray("3.0.0") << QByteArray("0.2.1") << false
                                 << QStringList{"3.0.0"} << true << true;
    QTest::newRow("3.0.0 equal") << QByteArray("3.0.0") << QByteArray("0.2.2") << false
                                 << QStringList{"3.0.0"} << false << true;
    QTest::newRow("4.0.0 newer") << QByteArray("4.0.0") << QByteArray("0.3.0") << false
                                 << QStringList{"4.0.0"} << false << true;
    QTest::newRow("4.0.1") << QByteArray("4.0.1") << QByteArray("0.2.2") << false
                           << QStringList{"4.0.1"} << false << true;
    QTest::newRow("5.0.0 older") << QByteArray("5.0.0") << QByteArray("0.2.0") << false
                                 << QStringList{"5.0.0"} << true << true;
    QTest::newRow("7.0.0 shown as 5.0.0") << QByteArray("7.0.0") << QByteArray("0.2.2") << false
                                          << QStringList{"5.0.0"} << false << true;
    QTest::newRow("unknown hardware") << QByteArray("6.0.0") << QByteArray("0.1.0") << false
                                      << QStringList() << false << false;
    // Before "[VER:" the firmware still reads 0.0.0 and counts as older.
    QTest::newRow("hardware first") << QByteArray("3.0.0") << QByteArray("0.2.2") << true
                                    << QStringList{"3.0.0"} << true << true;
}

void TestLowerGrbl::identification()
{
    QFETCH(QByteArray, hardware);
    QFETCH(QByteArray, firmware);
    QFETCH(bool, hardwareFirst);
    QFETCH(QStringList, hardwareNotice);
    QFETCH(bool, suggestUpgrade);
    QFETCH(bool, takesParts);

    PtyPeer peer;
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    Identity identity;
    identity.hardware = hardware;
    identity.firmware = firmware;
    identity.hardwareFirst = hardwareFirst;
    QVERIFY(identify(grbl, peer, identity));
    QVERIFY(peer.waitFor("$$\n"));
    // The settings dump follows the acceptance, counted; nothing moves.
    QCOMPARE(peer.takeReceived(), QByteArray("$$\n"));
    QVERIFY(grbl.isConnected());
    QVERIFY(grbl.isWatchingPort());
    QCOMPARE(grbl.account().inFlight(), (QList<int>{3}));
    QCOMPARE(valuesFor(spy, PanelNotice::PortList), QStringList{peer.path() + ' '});
    QCOMPARE(valuesFor(spy, PanelNotice::Connected), QStringList{peer.path()});
    QCOMPARE(valuesFor(spy, PanelNotice::HardwareVersion), hardwareNotice);
    QCOMPARE(valuesFor(spy, PanelNotice::FirmwareOutdated),
             suggestUpgrade ? QStringList{"1"} : QStringList());
    QCOMPARE(grbl.takesParts(), takesParts);
    QCOMPARE(grbl.hardware(), QVersionNumber::fromString(QString::fromLatin1(hardware)));
}

void TestLowerGrbl::smallReceiveBufferRefused()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    Identity identity;
    identity.rxBuffer = 128;
    QVERIFY(identify(grbl, peer, identity));
    QCOMPARE(peer.takeReceived(200), QByteArray());
    QVERIFY(!grbl.isConnected());
    QVERIFY(!grbl.isWatchingPort());
    QVERIFY(valuesFor(spy, PanelNotice::Connected).isEmpty());
}

void TestLowerGrbl::splitAndJoinedReplies()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, peer));
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);

    grbl.getPanelMessage(message(PanelCommand::QueryPosition, "1") + message(PanelCommand::RestoreDefaults, "1"));
    peer.write("o");
    peer.received(50);
    QCOMPARE(grbl.account().inFlight().size(), 2);
    peer.write("k\r");
    peer.received(50);
    QCOMPARE(grbl.account().inFlight().size(), 2);
    peer.write("\n");
    peer.received(50);
    QCOMPARE(grbl.account().inFlight(), QList<int>{7});

    // Three lines in one read are handled in order.
    peer.write("$131=200\r\n$130=300\r\n<Idle|MPos:12.500,30.000,0.000|FS:0,0>\r\nok\r\n");
    QTRY_COMPARE(grbl.account().inFlight().size(), 0);
    QCOMPARE(allMessages(spy), (QStringList{notice(PanelNotice::WorkHeight, "200"),
                                            notice(PanelNotice::WorkWidth, "300"),
                                            notice(PanelNotice::Position, "value:x12.500,y30.000")}));
}

void TestLowerGrbl::lateIdentificationOkFreesNothing()
{
    PtyPeer peer;
    LowerGrbl grbl;
    grbl.restrictSearchTo({peer.path()});
    grbl.getPanelMessage(message(PanelCommand::SearchDevice, "1"));
    QVERIFY(peer.waitFor(softResetByte));
    peer.write("Grbl 1.1f ['$' for help]\r\n");
    QVERIFY(peer.waitFor("$I\n"));
    peer.write("[VER:0.2.2:]\r\n[HARDVER:3.0.0]\r\n[OPT:V,15,1024]\r\n");
    QVERIFY(peer.waitFor("$$\n"));
    // The "ok" closing "$I" comes in a later read: it answers "$I", which was
    // never counted, so "$$" must stay in flight.
    peer.write("ok\r\n");
    peer.received(100);
    QCOMPARE(grbl.account().inFlight(), (QList<int>{3}));
    QCOMPARE(grbl.account().freeBytes(), 1024 - 3);
}

void TestLowerGrbl::unlockSequence()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, peer));
    peer.write("ok\r\n");
    QTRY_COMPARE(grbl.account().inFlight().size(), 0);
    grbl.getPanelMessage(message(PanelCommand::PositionPower, "10"));
    grbl.getPanelMessage(message(PanelCommand::PositionLaserOn, "1"));
    QCOMPARE(peer.takeReceived(), QByteArray("S0 G0 M5\nM107\nM106 G1F100 S0\nM3 G1F100 S100\n"));
    peer.write("ok\r\nok\r\nok\r\nok\r\n");
    QTRY_COMPARE(grbl.account().inFlight().size(), 0);

    // The alarm is the user's: nothing is sent by itself.
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    peer.write("ALARM:9\r\n[MSG:'$H'|'$X' to unlock]\r\n");
    QTRY_COMPARE(valuesFor(spy, PanelNotice::MachineLocked),
                 QStringList{"ALARM:9 Homing fail. Could not find limit switch within search distance."});
    QCOMPARE(peer.takeReceived(200), QByteArray());
    grbl.getPanelMessage(message(PanelCommand::Unlock, "1"));
    QCOMPARE(peer.takeReceived(), QByteArray("$X\n"));
    peer.write("ok\r\n");
    QVERIFY(peer.waitFor("S100\n"));
    QCOMPARE(peer.takeReceived(), QByteArray("?M106 G1F100 S0\nM3 G1F100 S100\n"));
    QCOMPARE(valuesFor(spy, PanelNotice::MachineReady), QStringList{"2"});
    // Only the "ok" of "$X" repeats the sequence.
    peer.write("ok\r\n");
    QCOMPARE(peer.takeReceived(100), QByteArray());
}

void TestLowerGrbl::errorRepliesKeepStreamingWhenAsked()
{
    PtyPeer peer;
    LowerGrbl grbl;
    Identity identity;
    identity.hardware = "1.0.0";
    identity.firmware = "0.1.5";
    QVERIFY(connectTo(grbl, peer, identity));
    peer.write("ok\r\n");
    QTRY_COMPARE(grbl.account().inFlight().size(), 0);

    // Only when the user chose to go on past errors.
    grbl.setContinuePastErrors(true);
    const QList<GCodeBuffer> job = numberedJob(200);
    grbl.grblGcodePrint(job);
    // Answer every line with an error: the job must still be sent whole.
    QByteArray received;
    int answered = 0;
    QElapsedTimer clock;
    clock.start();
    while (answered < job.size() && clock.elapsed() < 10000) {
        received += peer.takeReceived(5);
        const int lines = received.count('\n');
        if (lines > answered) {
            QByteArray replies;
            for (; answered < lines; ++answered)
                replies += "error:20\r\n";
            peer.write(replies);
        }
    }
    QCOMPARE(received, textOf(job));
    QTRY_COMPARE(grbl.errorReplies(), job.size());
    QCOMPARE(grbl.account().freeBytes(), 1024);
}

void TestLowerGrbl::readBufferIsBounded()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, peer));
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    peer.write(QByteArray(200 * 1024, 'x'));
    peer.received(300);
    QVERIFY(grbl.readBufferSize() <= LowerGrbl::readBufferLimit);
    QVERIFY(grbl.readBufferSize() > 0);
    // The link still works once a line end arrives.
    peer.write("\r\n<Idle|MPos:1.000,2.000,0.000|FS:0,0>\r\n");
    QTRY_COMPARE(valuesFor(spy, PanelNotice::Position), QStringList{"value:x1.000,y2.000"});
    QCOMPARE(grbl.readBufferSize(), 0);
}

void TestLowerGrbl::settingsDump()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, peer));
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    peer.write("ok\r\n$0=10\r\n$3=3\r\n$11=0.020\r\n$100=80.000\r\n$101=100.000\r\n$110=16000.000\r\n"
               "$111=12000.000\r\n$120=2500.000\r\n$121=2000.000\r\n$130=400.000\r\n"
               "$131=300.000\r\n$7=1\r\n$1=2=3\r\nok\r\n");
    QTRY_COMPARE(grbl.account().inFlight().size(), 0);
    // The job time estimate gets the motion settings in GRBL's own units.
    QCOMPARE(allMessages(spy), (QStringList{notice(PanelNotice::MotorDirections, "3"),
                                            notice(PanelNotice::MotionSetting, "11=0.02"),
                                            notice(PanelNotice::MotionSetting, "100=80"),
                                            notice(PanelNotice::MotionSetting, "101=100"),
                                            notice(PanelNotice::MaxSpeedX, "200"),
                                            notice(PanelNotice::MotionSetting, "110=16000"),
                                            notice(PanelNotice::MaxSpeedY, "120"),
                                            notice(PanelNotice::MotionSetting, "111=12000"),
                                            notice(PanelNotice::AccelerationX, "2500"),
                                            notice(PanelNotice::MotionSetting, "120=2500"),
                                            notice(PanelNotice::AccelerationY, "2000"),
                                            notice(PanelNotice::MotionSetting, "121=2000"),
                                            notice(PanelNotice::WorkWidth, "400"),
                                            notice(PanelNotice::WorkHeight, "300")}));
    QCOMPARE(grbl.deviceSettings().value(0), 10.0);
    QCOMPARE(grbl.deviceSettings().value(1), 255.0);
}

void TestLowerGrbl::settingsPersisted()
{
    QSettings store(SettingsNames::organization, SettingsNames::application);
    {
        PtyPeer peer;
        LowerGrbl grbl;
        QVERIFY(connectTo(grbl, peer));
        grbl.getPanelMessage(message(PanelCommand::AreaWidth, "320")
                             + message(PanelCommand::MaxLaserPower, "255"));
        peer.write("$130=400.000\r\n$3=1\r\n");
        QTRY_COMPARE(grbl.deviceSettings().value(130), 400.0);
    }
    store.sync();
    store.beginGroup(SettingsNames::lowerGrblGroup);
    QCOMPARE(store.value("areaWidth").toDouble(), 320.0);
    QCOMPARE(store.value("maxLaserPowerValue").toDouble(), 255.0);
    QCOMPARE(store.value("grbl_max_travelX").toDouble(), 400.0);
    QCOMPARE(store.value("grbl_dir_invert_mask").toInt(), 1);
    store.endGroup();

    // A new controller starts from the stored mirror and power scale.
    PtyPeer peer;
    LowerGrbl grbl;
    QCOMPARE(grbl.deviceSettings().value(130), 400.0);
    QVERIFY(connectTo(grbl, peer));
    grbl.getPanelMessage(message(PanelCommand::PositionPower, "10")
                         + message(PanelCommand::PositionLaserOn, "1"));
    QVERIFY(peer.takeReceived().endsWith("M3 G1F100 S25.5\n"));
}

void TestLowerGrbl::machineCommands()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, peer));
    peer.write("ok\r\n");
    QTRY_COMPARE(grbl.account().inFlight().size(), 0);

    grbl.getPanelMessage(message(PanelCommand::MoveSpeed, "10") + message(PanelCommand::MoveDistance, "5")
                         + message(PanelCommand::Jog, "1"));
    QCOMPARE(peer.takeReceived(), QByteArray("$J=G21G91X0Y-5F800\n"));
    grbl.getPanelMessage(message(PanelCommand::Jog, "4"));
    QCOMPARE(peer.takeReceived(), QByteArray("$J=G21G91X5Y0F800\n"));
    grbl.getPanelMessage(message(PanelCommand::GoTo, "value:x12.5,y30"));
    QCOMPARE(peer.takeReceived(), QByteArray("$J=G21G90X12.5Y30F800\n"));
    grbl.grblFrameLoc(QRectF(100, 200, 1000, 500));
    QCOMPARE(peer.takeReceived(),
             QByteArray("G00 G17 G40 G21 G54\nG90\nG0X8Y16\nG1X88F800\nG1Y56\nG1X8\nG1Y16\nG0\nG90\n"));
    grbl.getPanelMessage(message(PanelCommand::MachineSetting, "value:speedX200")
                         + message(PanelCommand::LocatingTool, "1") + message(PanelCommand::Roller, "10")
                         + message(PanelCommand::RestoreDefaults, "1") + message(PanelCommand::Home, "1")
                         + message(PanelCommand::QueryPosition, "1"));
    QCOMPARE(peer.takeReceived(), QByteArray("$110=16000\n$@LOC=1\n$@STEX=10\n$RST=*\n$H\n?"));
    // The frame block is one entry in flight.
    QCOMPARE(grbl.account().inFlight().size(), 9);
    // Messages without the value their handler needs do nothing; an unknown
    // jog direction sends nothing and holds nothing in flight.
    grbl.getPanelMessage(messageWithoutValue(PanelCommand::Jog) + message(PanelCommand::GoTo, "value:x3")
                         + message(PanelCommand::Jog, "9") + message(PanelCommand::MachineSetting, "value:x1"));
    QCOMPARE(peer.takeReceived(), QByteArray());
    QCOMPARE(grbl.account().inFlight().size(), 9);
}

void TestLowerGrbl::positioningLaser()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, peer));
    grbl.getPanelMessage(message(PanelCommand::PositionPower, "6"));
    QCOMPARE(peer.takeReceived(), QByteArray("S0 G0 M5\nM107\n"));
    grbl.getPanelMessage(message(PanelCommand::PositionLaserOn, "1"));
    QCOMPARE(peer.takeReceived(), QByteArray("M107\nM3 G1F100 S60\n"));
    grbl.getPanelMessage(message(PanelCommand::PositionPower, "6.5"));
    QCOMPARE(peer.takeReceived(), QByteArray("M106 G1F100 S0\nM3 G1F100 S65\n"));
    grbl.getPanelMessage(message(PanelCommand::PositionLaserOn, "0"));
    QCOMPARE(peer.takeReceived(), QByteArray("S0 G0 M5\nM107\n"));
}

void TestLowerGrbl::stopWithoutJobResetsAccount()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, peer));
    QCOMPARE(grbl.account().freeBytes(), 1024 - 3);
    grbl.getPanelMessage(message(PanelCommand::StopPrint, "0"));
    QCOMPARE(peer.takeReceived(), softResetByte);
    QCOMPARE(grbl.account().freeBytes(), 1024);
    QVERIFY(!grbl.isPrinting());
}

void TestLowerGrbl::stopPassesFullBuffer()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QVERIFY(connectTo(grbl, peer));
    grbl.getPanelMessage(message(PanelCommand::MoveSpeed, "10") + message(PanelCommand::MoveDistance, "5"));
    // 1021 bytes free: 52 jogs of 19 bytes, commands of 10, 7, 7 and 8 leave
    // a single byte.
    for (int i = 0; i < 52; ++i)
        grbl.getPanelMessage(message(PanelCommand::Jog, "1"));
    grbl.getPanelMessage(message(PanelCommand::Roller, "10") + message(PanelCommand::RestoreDefaults, "1")
                         + message(PanelCommand::RestoreDefaults, "1") + message(PanelCommand::LocatingTool, "1"));
    QCOMPARE(grbl.account().freeBytes(), 1);
    peer.takeReceived();
    grbl.getPanelMessage(message(PanelCommand::PausePrint, "1") + message(PanelCommand::StopPrint, "0"));
    QCOMPARE(peer.takeReceived(), "!" + softResetByte);
}

void TestLowerGrbl::partModeSingleRecord()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, peer));
    grbl.grblGcodePrint({GCodeBuffer::m(2)});
    QCOMPARE(peer.takeReceived(), QByteArray("$@print@storage=psram\n"));
    peer.write("msg@printing:receive storage_mode\r\nmsg@printing:ask pack_info\r\n");
    QVERIFY(peer.waitFor("\n"));
    const QByteArray stream = peer.takeReceived();
    const QList<QByteArray> fields = stream.trimmed().split('@');
    QCOMPARE(fields.value(2), QByteArray("name=part1.gzip"));
    QCOMPARE(fields.value(4), QByteArray("uncompress_size=3"));
    const int size = fields.value(3).mid(5).toInt();
    peer.write("msg@printing:ask package\r\n");
    QByteArray package;
    QTRY_COMPARE((package += peer.takeReceived(10)).size(), size);
    QCOMPARE(qUncompress(QByteArray::fromHex("00000003") + package), QByteArray("M2\n"));
    peer.write("msg@printing:receive package\r\n");
    QVERIFY(peer.waitFor("$@file@done\n"));
    QCOMPARE(peer.takeReceived(), QByteArray("$@file@done\n"));
    QCOMPARE(valuesFor(spy, PanelNotice::JobProgress), QStringList{"100"});
    peer.write("[MSG:Pgm End]\r\n");
    QTRY_COMPARE(valuesFor(spy, PanelNotice::JobFinished), QStringList{"1"});
    QCOMPARE(peer.takeReceived(), QByteArray("?"));
    QVERIFY(!grbl.isPrinting());
}

void TestLowerGrbl::stopAndPauseDuringPartRepeated()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, peer));
    peer.write("ok\r\n");
    QTRY_COMPARE(grbl.account().inFlight().size(), 0);

    grbl.grblGcodePrint(numberedJob(20000));
    QCOMPARE(peer.takeReceived(), QByteArray("$@print@storage=psram\n"));
    peer.write("msg@printing receive storage_mode\r\nmsg@printing ask pack_info\r\n");
    QVERIFY(peer.waitFor("@uncompress_size="));
    const QByteArray announcement = peer.takeReceived();
    QVERIFY(announcement.startsWith("$@file@name=part1.gzip@size="));

    // While the part is in flight, stop and pause are refused but remembered;
    // a jog is refused and lost.
    grbl.getPanelMessage(message(PanelCommand::PausePrint, "1") + message(PanelCommand::StopPrint, "0")
                         + message(PanelCommand::Jog, "1"));
    QCOMPARE(peer.takeReceived(), QByteArray());
    QVERIFY(grbl.isPrinting());
    peer.write("msg@printing ask pack_info\r\n");   // only logged: a part is in flight
    QCOMPARE(peer.takeReceived(), QByteArray());

    peer.write("msg@printing receive package\r\n");
    QVERIFY(peer.waitFor("!"));
    QCOMPARE(peer.takeReceived(), softResetByte + "!");
    QVERIFY(!grbl.isPrinting());
    QCOMPARE(grbl.pendingRecords(), 0);
    QCOMPARE(valuesFor(spy, PanelNotice::PartPreparing), QStringList{"1"});
    QCOMPARE(valuesFor(spy, PanelNotice::PartConfirmed), QStringList{"1"});
    // After the stop, the engraver's next request is only logged.
    peer.write("msg@printing ask pack_info\r\n");
    QCOMPARE(peer.takeReceived(100), QByteArray());
}

void TestLowerGrbl::partTimeout()
{
    PtyPeer peer;
    LowerGrbl grbl;
    grbl.setPartTimeout(200);
    QVERIFY(connectTo(grbl, peer));
    grbl.grblGcodePrint(numberedJob(20000));
    peer.write("msg@printing ask pack_info\r\n");
    QVERIFY(peer.waitFor("@uncompress_size="));
    peer.takeReceived(0);
    grbl.getPanelMessage(message(PanelCommand::StopPrint, "1"));
    QCOMPARE(peer.takeReceived(), QByteArray());
    // No "receive package": the time-out repeats the stop and drops the job.
    QVERIFY(peer.waitFor(softResetByte, 2000));
    QCOMPARE(peer.takeReceived(), softResetByte);
    QCOMPARE(grbl.pendingRecords(), 0);
    grbl.getPanelMessage(message(PanelCommand::Jog, "1"));
    QVERIFY(!peer.takeReceived().isEmpty());   // commands are accepted again
}

void TestLowerGrbl::disconnectReportedOnce()
{
    PtyPeer peer;
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, peer));
    peer.write("ok\r\n");
    grbl.grblGcodePrint(numberedJob(5000));
    // The watch must not take a pseudo-terminal, which the system does not
    // list as a serial port, for a lost one.
    peer.received(1500);
    QVERIFY(grbl.isConnected());
    QVERIFY(valuesFor(spy, PanelNotice::Disconnected).isEmpty());
    peer.close();
    QTRY_COMPARE(valuesFor(spy, PanelNotice::Disconnected).size(), 1);
    QTest::qWait(2500);     // two ticks of the port watch
    QCOMPARE(valuesFor(spy, PanelNotice::Disconnected), QStringList{grbl.portName()});
    QVERIFY(!grbl.isWatchingPort());
    QVERIFY(!grbl.isConnected());
}

void TestLowerGrbl::searchWhileConnected()
{
    PtyPeer first;
    PtyPeer second;
    LowerGrbl grbl;
    grbl.setPortWatchInterval(100);
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, first));
    // A new search gives the first port up without calling it lost, and
    // the watch does not close the port being searched.
    QVERIFY(connectTo(grbl, second));
    second.received(500);
    QCOMPARE(grbl.portName(), second.path());
    QVERIFY(grbl.isConnected());
    QVERIFY(valuesFor(spy, PanelNotice::Disconnected).isEmpty());
}

void TestLowerGrbl::firmwareUpgrade_data()
{
    QTest::addColumn<QByteArray>("hardware");
    QTest::addColumn<QByteArray>("firmware");
    QTest::addColumn<QString>("resource");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("lastPiece");
    QTest::newRow("tova2626 ble") << QByteArray("3.0.0") << QByteArray("0.2.1")
                                  << ":/ota/tova2626_ble_v0.2.2encode.bin" << 659456 << 161 << 4096;
    QTest::newRow("kelp") << QByteArray("2.0.0") << QByteArray("0.1.5")
                          << ":/ota/kelp_grbl_v0.1.6encode.bin" << 739936 << 181 << 2656;
    QTest::newRow("tova2626") << QByteArray("1.0.0") << QByteArray("0.1.4")
                              << ":/ota/tova2626_v0.1.5encode.bin" << 856064 << 209 << 4096;
}

void TestLowerGrbl::firmwareUpgrade()
{
    QFETCH(QByteArray, hardware);
    QFETCH(QByteArray, firmware);
    QFETCH(QString, resource);
    QFETCH(int, size);
    QFETCH(int, pieces);
    QFETCH(int, lastPiece);

    const QByteArray image = generatedImage(size);
    PtyPeer peer;
    LowerGrbl grbl;
    QString asked;
    grbl.setFirmwareImageProvider([&](const QString &name, QByteArray *bytes) {
        asked = name;
        *bytes = image;
        return true;
    });
    Identity identity;
    identity.hardware = hardware;
    identity.firmware = firmware;
    QVERIFY(connectTo(grbl, peer, identity));
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);

    grbl.getPanelMessage(message(PanelCommand::UpgradeFirmware, "0"));
    QCOMPARE(asked, resource);
    QCOMPARE(peer.takeReceived(), "$@OTA=" + QByteArray::number(size) + '\n');
    QCOMPARE(valuesFor(spy, PanelNotice::UpgradeStarted), QStringList{"1"});
    grbl.getPanelMessage(message(PanelCommand::UpgradeFirmware, "0"));     // already running: ignored
    QCOMPARE(valuesFor(spy, PanelNotice::UpgradeStarted).size(), 1);

    QByteArray written;
    int last = 0;
    for (int piece = 0; piece < pieces; ++piece) {
        peer.write("[MSG:OTA OK]\r\n");
        const int before = written.size();
        QVERIFY(peer.waitFor(QByteArray(), 10));
        QElapsedTimer clock;
        clock.start();
        const int expected = piece == pieces - 1 ? lastPiece : 4096;
        while (written.size() - before < expected && clock.elapsed() < 5000)
            written += peer.takeReceived(1);
        last = written.size() - before;
        QCOMPARE(last, expected);
    }
    QCOMPARE(written, image);
    const QStringList progress = valuesFor(spy, PanelNotice::UpgradeProgress);
    QCOMPARE(progress.size(), pieces);
    QCOMPARE(progress.last(), QStringLiteral("1"));
    // Further requests find nothing to write.
    peer.write("[MSG:OTA OK]\r\n[MSG:OTA done]\r\n");
    QTRY_COMPARE(valuesFor(spy, PanelNotice::UpgradeFinished), QStringList{"1"});
    QCOMPARE(peer.takeReceived(), QByteArray());
}

void TestLowerGrbl::firmwareRefusals_data()
{
    QTest::addColumn<QByteArray>("hardware");
    QTest::addColumn<QByteArray>("firmware");
    QTest::addColumn<PanelNotice>("answer");
    QTest::newRow("already current") << QByteArray("1.0.0") << QByteArray("0.1.5")
                                     << PanelNotice::FirmwareCurrent;
    QTest::newRow("newer") << QByteArray("4.0.0") << QByteArray("0.3.0") << PanelNotice::FirmwareCurrent;
    QTest::newRow("model without image") << QByteArray("5.0.0") << QByteArray("0.2.0")
                                         << PanelNotice::HardwareUnknown;
    QTest::newRow("unknown hardware") << QByteArray("6.0.0") << QByteArray("0.1.0")
                                      << PanelNotice::HardwareUnknown;
}

void TestLowerGrbl::firmwareRefusals()
{
    QFETCH(QByteArray, hardware);
    QFETCH(QByteArray, firmware);
    QFETCH(PanelNotice, answer);
    PtyPeer peer;
    LowerGrbl grbl;
    bool asked = false;
    grbl.setFirmwareImageProvider([&](const QString &, QByteArray *) { return asked = true; });
    Identity identity;
    identity.hardware = hardware;
    identity.firmware = firmware;
    QVERIFY(connectTo(grbl, peer, identity));
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    grbl.getPanelMessage(message(PanelCommand::UpgradeFirmware, "0"));
    QCOMPARE(valuesFor(spy, answer), QStringList{"1"});
    QCOMPARE(spy.size(), 1);
    QVERIFY(!asked);
    QCOMPARE(peer.takeReceived(), QByteArray());
}

void TestLowerGrbl::missingFirmwareImageReported()
{
    // This build embeds no images: the default provider finds none.
    PtyPeer peer;
    LowerGrbl grbl;
    Identity identity;
    identity.hardware = "4.0.0";
    identity.firmware = "0.2.0";
    QVERIFY(connectTo(grbl, peer, identity));
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    grbl.getPanelMessage(message(PanelCommand::UpgradeFirmware, "0"));
    if (QFile::exists(QStringLiteral(":/ota/rhea3737_v0.2.2encode.bin")))
        QSKIP("this build carries the image");
    QCOMPARE(valuesFor(spy, PanelNotice::FirmwareImageMissing), QStringList{"1"});
    QVERIFY(valuesFor(spy, PanelNotice::UpgradeStarted).isEmpty());
    QCOMPARE(peer.takeReceived(), QByteArray());
    // Nothing is left running: a second press answers again.
    grbl.getPanelMessage(message(PanelCommand::UpgradeFirmware, "0"));
    QCOMPARE(valuesFor(spy, PanelNotice::FirmwareImageMissing).size(), 2);
}

// As in the program: the controller in its own thread, reached only through
// queued signals.
class Panel : public QObject
{
    Q_OBJECT
signals:
    void lowerSetGcode(QList<GCodeBuffer> g);
    void lowerSetFrame(QRectF bound);
    void lowerSetMessage(QStringList message);
};

void TestLowerGrbl::queuedThroughThread()
{
    PtyPeer peer;
    QThread thread;
    auto *grbl = new LowerGrbl;
    grbl->restrictSearchTo({peer.path()});
    grbl->moveToThread(&thread);
    Panel panel;
    connect(&panel, &Panel::lowerSetGcode, grbl, &LowerGrbl::grblGcodePrint);
    connect(&panel, &Panel::lowerSetFrame, grbl, &LowerGrbl::grblFrameLoc);
    connect(&panel, &Panel::lowerSetMessage, grbl, &LowerGrbl::getPanelMessage);
    QStringList received;
    QObject receiver;   // ends the connection before `received` goes
    connect(grbl, &LowerGrbl::sendPanelMessage, &receiver,
            [&received](const QStringList &m) { received += m; });
    connect(&thread, &QThread::finished, grbl, &QObject::deleteLater);
    thread.start();

    emit panel.lowerSetMessage(message(PanelCommand::SearchDevice, "1"));
    QVERIFY(peer.waitFor(softResetByte));
    peer.write("Grbl 1.1f ['$' for help]\r\n");
    QVERIFY(peer.waitFor("$I\n"));
    peer.write("[VER:1.0.0:]\r\n[HARDVER:2.0.0]\r\n[OPT:V,15,1024]\r\nok\r\n");
    QVERIFY(peer.waitFor("$$\n"));
    peer.takeReceived();
    QTRY_VERIFY2(received.contains(notice(PanelNotice::Connected, peer.path())),
                 qPrintable(received.join('|')));
    peer.write("ok\r\n");

    emit panel.lowerSetMessage(message(PanelCommand::MoveSpeed, "10"));
    emit panel.lowerSetFrame(QRectF(0, 0, 125, 125));
    QVERIFY(peer.waitFor("G0\nG90\n"));
    QCOMPARE(peer.takeReceived(), QByteArray("G00 G17 G40 G21 G54\nG90\nG0X0Y0\nG1X10F800\nG1Y10\nG1X0\nG1Y0\nG0\nG90\n"));
    peer.write("ok\r\n");

    const QList<GCodeBuffer> job = numberedJob(300);
    emit panel.lowerSetGcode(job);
    const QByteArray text = textOf(job);
    QByteArray got;
    int answered = 0;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < text.size() && clock.elapsed() < 10000) {
        got += peer.takeReceived(5);
        QByteArray oks;
        for (const int lines = got.count('\n'); answered < lines; ++answered)
            oks += "ok\r\n";
        peer.write(oks);
    }
    QCOMPARE(got, text);
    peer.write("[MSG:Pgm End]\r\n");
    QTRY_VERIFY(received.contains(notice(PanelNotice::JobFinished, "1")));
    QVERIFY(received.contains(notice(PanelNotice::JobProgress, "100")));

    thread.quit();
    QVERIFY(thread.wait(5000));
}

QTEST_GUILESS_MAIN(TestLowerGrbl)
#include "tst_lowergrbl.moc"
