// A standard GRBL 1.1 controller beside the engraver's own models, end to end
// against the emulator playing one over a real pseudo-terminal.
#include "device/grblcommands.h"
#include "device/lowergrbl.h"
#include "device/panelmessage.h"
#include "deviceconnect.h"
#include "engraveremulator.h"
#include "jobfixtures.h"
#include "panelspy.h"
#include "ptypeer.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using namespace JobFixtures;
using namespace PanelSpy;

namespace {

EngraverEmulator::Options genericOptions(int rxBuffer, bool withOptions = true)
{
    EngraverEmulator::Options options;
    options.firmwareVersion = QStringLiteral("1.1h.20190825:");
    options.rxBufferSize = rxBuffer;
    options.extraArguments << QStringLiteral("--generic");
    if (!withOptions)
        options.extraArguments << QStringLiteral("--no-opt");
    return options;
}


// A job as the generator writes it: fan words around the work.
QList<GCodeBuffer> jobWithFanWords(int records)
{
    QList<GCodeBuffer> job = numberedJob(records);
    job.insert(2, GCodeBuffer::m(106));
    job.insert(job.size() - 1, GCodeBuffer::m(107));
    return job;
}

// Plays a standard GRBL 1.1 board with a 128-byte buffer up to its "ok" for "$I".
bool identifyAsGeneric(LowerGrbl &grbl, PtyPeer &peer)
{
    grbl.restrictSearchTo({peer.path()});
    grbl.getPanelMessage(message(PanelCommand::SearchDevice, "1"));
    if (!peer.waitFor("\x18"))
        return false;
    peer.write("Grbl 1.1h ['$' for help]\r\n");
    if (!peer.waitFor("$I\n"))
        return false;
    peer.write("[VER:1.1h.20190825:]\r\n[OPT:V,15,128]\r\nok\r\n");
    return true;
}

bool sentAnyOf(const QStringList &lines, const QStringList &prefixes)
{
    for (const QString &line : lines) {
        for (const QString &prefix : prefixes) {
            if (line.startsWith(prefix))
                return true;
        }
    }
    return false;
}

} // namespace

class TestGenericGrbl : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void identification_data();
    void identification();
    void jobStreamsThroughASmallBuffer();
    void homingFollowsTheSettings_data();
    void homingFollowsTheSettings();
    void engraverCommandsAreNotSent();
    void workPositionIsTurnedIntoMachinePosition();
    void overrideBytes_data();
    void overrideBytes();
};

void TestGenericGrbl::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    registerGCodeBufferMetaTypes();
}

void TestGenericGrbl::identification_data()
{
    QTest::addColumn<int>("rxBuffer");
    QTest::addColumn<bool>("withOptions");
    QTest::addColumn<int>("accountSize");

    QTest::newRow("128") << 128 << true << 128;
    QTest::newRow("256") << 256 << true << 256;
    QTest::newRow("1024") << 1024 << true << 1024;
    // Builds without "[OPT:...]" hold 128 bytes.
    QTest::newRow("no options line") << 1024 << false << 128;
}

void TestGenericGrbl::identification()
{
    QFETCH(int, rxBuffer);
    QFETCH(bool, withOptions);
    QFETCH(int, accountSize);
    EngraverEmulator emulator(genericOptions(rxBuffer, withOptions));
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    QVERIFY(grbl.isGenericGrbl());
    QVERIFY(!grbl.takesParts());
    QCOMPARE(grbl.account().size(), accountSize);
    QCOMPARE(valuesFor(spy, PanelNotice::Connected), QStringList{emulator.portName()});
    QCOMPARE(valuesFor(spy, PanelNotice::GenericController), QStringList{"1"});
    QVERIFY(valuesFor(spy, PanelNotice::HardwareVersion).isEmpty());
    // Homing is off on a standard board until $22=1: no "$H", no error.
    QCOMPARE(emulator.receivedLines(), (QStringList{"$I", "$$"}));
    QCOMPARE(grbl.errorReplies(), 0);
}

void TestGenericGrbl::jobStreamsThroughASmallBuffer()
{
    EngraverEmulator emulator(genericOptions(128));
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));

    const QList<GCodeBuffer> job = jobWithFanWords(3000);
    grbl.grblGcodePrint(job);
    QTRY_VERIFY_WITH_TIMEOUT(!valuesFor(spy, PanelNotice::JobFinished).isEmpty(), 60000);
    QCOMPARE(valuesFor(spy, PanelNotice::JobProgress).last(), QStringLiteral("100"));
    QCOMPARE(emulator.overflowCount(), 0);
    QVERIFY(emulator.maxOutstanding() <= 128);
    QCOMPARE(grbl.errorReplies(), 0);
    // Everything but the fan words arrived, in order.
    QList<GCodeBuffer> expected = job;
    expected.removeAt(expected.size() - 2);
    expected.removeAt(2);
    QCOMPARE(emulator.receivedLines().mid(2), linesOf(expected));
}

void TestGenericGrbl::homingFollowsTheSettings_data()
{
    QTest::addColumn<QByteArray>("homing");
    QTest::addColumn<bool>("canHome");
    QTest::newRow("$22=1 offers homing") << QByteArray("1") << true;
    QTest::newRow("$22=0 sends no $H") << QByteArray("0") << false;
}

void TestGenericGrbl::homingFollowsTheSettings()
{
    QFETCH(QByteArray, homing);
    QFETCH(bool, canHome);
    PtyPeer peer;
    QVERIFY(peer.isOpen());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(identifyAsGeneric(grbl, peer));
    QVERIFY(peer.waitFor("$$\n"));
    peer.takeReceived();
    peer.write("$22=" + homing + "\r\n$30=255\r\n$32=0\r\n$100=80\r\nok\r\n");
    // Offered, never done at connection: the head does not move unasked.
    QTRY_COMPARE(valuesFor(spy, PanelNotice::HomingAvailable), QStringList{canHome ? "1" : "0"});
    QVERIFY(!peer.waitFor("$H\n", 300));
    // Laser mode off makes the laser stop at every corner: the user is told.
    QTRY_COMPARE(valuesFor(spy, PanelNotice::LaserModeOff), QStringList{"1"});
    // The home button asks only a board that can, and its "ok" reports it.
    peer.takeReceived();
    grbl.getPanelMessage(message(PanelCommand::Home, "1"));
    QCOMPARE(peer.waitFor("$H\n", canHome ? 3000 : 300), canHome);
    if (!canHome)
        return;
    peer.write("ok\r\n");
    QTRY_COMPARE(valuesFor(spy, PanelNotice::MachineReady), QStringList{"1"});
}

void TestGenericGrbl::engraverCommandsAreNotSent()
{
    EngraverEmulator emulator(genericOptions(256));
    QVERIFY(emulator.start());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(connectTo(grbl, emulator));
    grbl.getPanelMessage(message(PanelCommand::MoveSpeed, "20"));
    grbl.getPanelMessage(message(PanelCommand::MoveDistance, "5"));
    grbl.getPanelMessage(message(PanelCommand::PositionLaserOn, "1"));
    grbl.getPanelMessage(message(PanelCommand::PositionPower, "10"));
    grbl.getPanelMessage(message(PanelCommand::LocatingTool, "1"));
    grbl.getPanelMessage(message(PanelCommand::Roller, "1"));
    grbl.getPanelMessage(message(PanelCommand::UpgradeFirmware, "1"));
    grbl.getPanelMessage(message(PanelCommand::Jog, "1"));
    grbl.grblFrameLoc(QRectF(0, 0, 125, 125));
    grbl.getPanelMessage(message(PanelCommand::PositionLaserOn, "0"));
    QTRY_VERIFY(grbl.account().inFlight().isEmpty());
    QTest::qWait(100);
    const QStringList lines = emulator.receivedLines();
    QVERIFY2(!sentAnyOf(lines, {"$@", "M106", "M107"}), qPrintable(lines.join(" | ")));
    // The positioning laser and the frame still work with standard words.
    QVERIFY(sentAnyOf(lines, {"M3 G1F100 S"}));
    QVERIFY(sentAnyOf(lines, {"$J=G21G91"}));
    QVERIFY(sentAnyOf(lines, {"G1X10F"}));
    QCOMPARE(valuesFor(spy, PanelNotice::HardwareUnknown), QStringList{"1"});
    QCOMPARE(grbl.errorReplies(), 0);
}

void TestGenericGrbl::workPositionIsTurnedIntoMachinePosition()
{
    PtyPeer peer;
    QVERIFY(peer.isOpen());
    LowerGrbl grbl;
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    QVERIFY(identifyAsGeneric(grbl, peer));
    QTRY_VERIFY(grbl.isConnected());
    QVERIFY(grbl.isGenericGrbl());
    // The offset comes with some reports only; later ones use the last one.
    peer.write("<Idle|WPos:1.000,2.000,0.000|FS:0,0|WCO:10.000,20.000,0.000>\r\n");
    peer.write("<Idle|WPos:3.500,4.000,0.000|FS:0,0>\r\n");
    peer.write("<Idle|MPos:7.000,8.000,0.000|FS:0,0>\r\n");
    QTRY_COMPARE(valuesFor(spy, PanelNotice::Position),
                 (QStringList{"value:x11.000,y22.000", "value:x13.500,y24.000",
                              "value:x7.000,y8.000"}));
}

void TestGenericGrbl::overrideBytes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("byte");

    QTest::newRow("feed reset") << int(PanelCommand::FeedOverride) << 0 << 0x90;
    QTest::newRow("feed +10") << int(PanelCommand::FeedOverride) << 10 << 0x91;
    QTest::newRow("feed -1") << int(PanelCommand::FeedOverride) << -1 << 0x94;
    QTest::newRow("rapid 25") << int(PanelCommand::RapidOverride) << 25 << 0x97;
    QTest::newRow("spindle -10") << int(PanelCommand::SpindleOverride) << -10 << 0x9B;
    QTest::newRow("feed 5 is no step") << int(PanelCommand::FeedOverride) << 5 << -1;
    QTest::newRow("rapid 75 is no step") << int(PanelCommand::RapidOverride) << 75 << -1;
}

void TestGenericGrbl::overrideBytes()
{
    QFETCH(int, kind);
    QFETCH(int, step);
    QFETCH(int, byte);
    const QByteArray sent = GrblCommands::overrideByte(static_cast<PanelCommand>(kind), step);
    QCOMPARE(sent, byte < 0 ? QByteArray() : QByteArray(1, char(byte)));
}

QTEST_MAIN(TestGenericGrbl)
#include "tst_genericgrbl.moc"
