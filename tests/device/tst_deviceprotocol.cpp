// The pure parts of the device link: message texts, the model table, buffer
// accounting, command texts, the settings mirror, part cutting.
#include "device/grblcommands.h"
#include "device/grblmodel.h"
#include "device/grblsettings.h"
#include "device/jobpart.h"
#include "device/panelmessage.h"
#include "device/receivebufferaccount.h"
#include "device/zlibstream.h"
#include "jobfixtures.h"

#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

class TestDeviceProtocol : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void splitNumbers_data();
    void splitNumbers();
    void makeMessage_data();
    void makeMessage();
    void textValue();

    void modelTable_data();
    void modelTable();

    void accountNeverExceedsBuffer();
    void accountResetEmptiesFlight();

    void jog_data();
    void jog();
    void goToAndFrame();
    void positionLaser_data();
    void positionLaser();
    void machineSetting_data();
    void machineSetting();

    void settingsMirror();
    void settingsPersist();

    void partsHoldWholeRecords();
    void partOfOneRecord();
    void compressedPartRoundTrip();
};

void TestDeviceProtocol::splitNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("machine setting") << "set:22 value:value:workWidth300" << QStringList{"22", "300"};
    QTest::newRow("status") << "<Idle|MPos:12.500,-3.000,0.000|FS:0,0>"
                            << QStringList{"12.500", "-3.000", "0.000", "0", "0"};
    QTest::newRow("go-to") << "set:21 value:value:x12.5,y-7" << QStringList{"21", "12.5", "-7"};
    QTest::newRow("no value") << "set:5" << QStringList{"5"};
    QTest::newRow("setting line") << "$110=16000.000" << QStringList{"110", "16000.000"};
    QTest::newRow("options") << "[OPT:V,15,1024]" << QStringList{"15", "1024"};
}

void TestDeviceProtocol::splitNumbers()
{
    QFETCH(QString, text);
    QFETCH(QStringList, tokens);
    QCOMPARE(PanelMessage::splitNumbers(text), tokens);
}

// The numbers on the wire are the panel's; a renumbered id shows up here.
void TestDeviceProtocol::makeMessage_data()
{
    using PanelMessage::make;
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("message");
    QTest::newRow("integer") << make(PanelNotice::JobFinished, 1.0) << "set:18 value:1";
    QTest::newRow("fraction") << make(PanelNotice::UpgradeProgress, 0.5) << "set:20 value:0.5";
    QTest::newRow("decimal") << make(PanelNotice::MaxSpeedX, 12.5) << "set:13 value:12.5";
    QTest::newRow("six digits") << make(PanelNotice::JobProgress, 100.0 / 3) << "set:5 value:33.3333";
    QTest::newRow("large") << make(PanelNotice::MaxSpeedX, 1234567.0) << "set:13 value:1.23457e+06";
    QTest::newRow("no image") << make(PanelNotice::FirmwareImageMissing, 1.0) << "set:27 value:1";
    QTest::newRow("command") << make(PanelCommand::SearchDevice, 1.0) << "set:9 value:1";
    QTest::newRow("command text") << make(PanelCommand::MachineSetting, QStringLiteral("value:workWidth300"))
                                  << "set:22 value:value:workWidth300";
    QTest::newRow("property panel") << make(PropertyNotice::PrintSpeed, QStringLiteral("150"))
                                    << "set:0 value:150";
}

void TestDeviceProtocol::makeMessage()
{
    QFETCH(QString, made);
    QFETCH(QString, message);
    QCOMPARE(made, message);
}

void TestDeviceProtocol::textValue()
{
    QCOMPARE(PanelMessage::make(PanelNotice::Connected, QStringLiteral("/dev/pts/3")),
             QStringLiteral("set:1 value:/dev/pts/3"));
    // A port name holding "%2" must not be taken for a placeholder.
    QCOMPARE(PanelMessage::make(PanelNotice::Disconnected, QStringLiteral("a%2b")),
             QStringLiteral("set:2 value:a%2b"));
    QCOMPARE(PanelMessage::textValue(QStringLiteral("set:22 value:value:workWidth300")),
             QStringLiteral("value:workWidth300"));
    QVERIFY(PanelMessage::textValue(QStringLiteral("set:9")).isNull());
}

void TestDeviceProtocol::modelTable_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("takesParts");
    QTest::addColumn<QString>("panelHardware");
    QTest::addColumn<QString>("shipped");
    QTest::addColumn<bool>("hasImage");
    QTest::newRow("1.0.0") << "1.0.0" << true << false << "1.0.0" << "0.1.5" << true;
    QTest::newRow("2.0.0") << "2.0.0" << true << false << "2.0.0" << "0.1.6" << true;
    QTest::newRow("3.0.0") << "3.0.0" << true << true << "3.0.0" << "0.2.2" << true;
    QTest::newRow("4.0.0") << "4.0.0" << true << true << "4.0.0" << "0.2.2" << true;
    QTest::newRow("4.0.1") << "4.0.1" << true << true << "4.0.1" << "0.2.2" << false;
    QTest::newRow("5.0.0") << "5.0.0" << true << true << "5.0.0" << "0.2.2" << false;
    QTest::newRow("7.0.0 as 5.0.0") << "7.0.0" << true << true << "5.0.0" << "0.2.2" << false;
    QTest::newRow("6.0.0 unknown") << "6.0.0" << false << false << "" << "" << false;
    // Equality, not prefix: "3.0" is a different version from "3.0.0".
    QTest::newRow("3.0 unknown") << "3.0" << false << false << "" << "" << false;
}

void TestDeviceProtocol::modelTable()
{
    QFETCH(QString, hardware);
    QFETCH(bool, known);
    QFETCH(bool, takesParts);
    QFETCH(QString, panelHardware);
    QFETCH(QString, shipped);
    QFETCH(bool, hasImage);
    const GrblModel model = GrblModels::find(QVersionNumber::fromString(hardware));
    QCOMPARE(model.isValid(), known);
    if (!known)
        return;
    QCOMPARE(model.takesParts, takesParts);
    QCOMPARE(model.panelHardware, panelHardware);
    QCOMPARE(model.shippedFirmware, QVersionNumber::fromString(shipped));
    QCOMPARE(!model.firmwareResource.isEmpty(), hasImage);
    if (hasImage)
        QVERIFY(model.firmwareResource.contains(shipped));
}

void TestDeviceProtocol::accountNeverExceedsBuffer()
{
    ReceiveBufferAccount account;
    QVERIFY(!account.take(1, false));   // nothing fits before the size is known
    account.setBufferSize(100);
    QVERIFY(account.take(60, true));
    QVERIFY(!account.take(40, true));   // 40 of 40 free does not fit: one byte stays free
    QVERIFY(account.take(39, true));
    QCOMPARE(account.freeBytes(), 1);
    QVERIFY(account.take(0, false));
    QCOMPARE(account.inFlight(), (QList<int>{60, 39}));
    QVERIFY(account.acknowledgeOldest());
    QCOMPARE(account.freeBytes(), 61);
    QVERIFY(account.acknowledgeOldest());
    QVERIFY(!account.acknowledgeOldest());
    QCOMPARE(account.freeBytes(), 100);
}

void TestDeviceProtocol::accountResetEmptiesFlight()
{
    ReceiveBufferAccount account;
    account.setBufferSize(1024);
    QVERIFY(account.take(500, true));
    QVERIFY(account.take(10, false));
    QCOMPARE(account.freeBytes(), 524);
    account.setBufferSize(account.size());
    QCOMPARE(account.freeBytes(), 1024);
    QVERIFY(account.inFlight().isEmpty());
}

void TestDeviceProtocol::jog_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("up") << 1 << QByteArray("$J=G21G91X0Y-5F800\n");
    QTest::newRow("down") << 2 << QByteArray("$J=G21G91X0Y5F800\n");
    QTest::newRow("left") << 3 << QByteArray("$J=G21G91X-5Y0F800\n");
    QTest::newRow("right") << 4 << QByteArray("$J=G21G91X5Y0F800\n");
    QTest::newRow("other") << 7 << QByteArray();
}

void TestDeviceProtocol::jog()
{
    QFETCH(int, direction);
    QFETCH(QByteArray, command);
    QCOMPARE(GrblCommands::jog(80, 10, 5, direction), command);
}

void TestDeviceProtocol::goToAndFrame()
{
    QCOMPARE(GrblCommands::goTo(80, 10, 12.5, -3), QByteArray("$J=G21G90X12.5Y-3F800\n"));
    QCOMPARE(GrblCommands::frame(80, 10, QRectF(100, 200, 1000, 500)),
             QByteArray("G00 G17 G40 G21 G54\nG90\nG0X8Y16\nG1X88F800\nG1Y56\nG1X8\nG1Y16\nG0\nG90\n"));
}

void TestDeviceProtocol::positionLaser_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::newRow("6 %") << 6.0 << QByteArray("M107\n") << QByteArray("M3 G1F100 S60\n");
    QTest::newRow("6.5 %") << 6.5 << QByteArray("M106 G1F100 S0\n") << QByteArray("M3 G1F100 S65\n");
    QTest::newRow("0.5 %") << 0.5 << QByteArray("M107\n") << QByteArray("M3 G1F100 S5\n");
}

void TestDeviceProtocol::positionLaser()
{
    QFETCH(double, percent);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QCOMPARE(GrblCommands::positionLaser(percent, 1000), (QList<QByteArray>{first, second}));
}

void TestDeviceProtocol::machineSetting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("work width as written") << "value:workWidth300.5" << QByteArray("$130=300.5\n");
    QTest::newRow("work height") << "value:workHeight150" << QByteArray("$131=150\n");
    QTest::newRow("speed X in steps") << "value:speedX200" << QByteArray("$110=16000\n");
    QTest::newRow("speed Y in steps") << "value:speedY150" << QByteArray("$111=15000\n");
    QTest::newRow("acceleration X") << "value:accX3000" << QByteArray("$120=3000\n");
    QTest::newRow("acceleration Y") << "value:accY2500" << QByteArray("$121=2500\n");
    QTest::newRow("directions") << "value:direction3" << QByteArray("$3=3\n");
    QTest::newRow("unknown key") << "value:colour3" << QByteArray();
}

void TestDeviceProtocol::machineSetting()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, command);
    QCOMPARE(GrblCommands::machineSetting(text, 80, 100), command);
}

void TestDeviceProtocol::settingsMirror()
{
    GrblSettings settings;
    QCOMPARE(GrblSettings::table().size(), 34);
    QCOMPARE(settings.stepFactorX(), 80.0);
    QVERIFY(settings.store(110, 16000));
    QVERIFY(settings.notice(110) == PanelNotice::MaxSpeedX);
    QCOMPARE(settings.noticeValue(110), 200.0);
    QVERIFY(settings.store(101, 100));
    QVERIFY(settings.store(111, 12000));
    QCOMPARE(settings.noticeValue(111), 120.0);
    QVERIFY(settings.store(3, 2.9));    // integer settings are truncated
    QCOMPARE(settings.value(3), 2.0);
    QVERIFY(settings.notice(3) == PanelNotice::MotorDirections);
    QVERIFY(!settings.notice(100));     // mirrored, not shown
    QVERIFY(!settings.store(7, 1));     // not mirrored
    QVERIFY(!settings.contains(7));
}

void TestDeviceProtocol::settingsPersist()
{
    const QString file = QDir::temp().filePath(QStringLiteral("plimb-grblsettings.ini"));
    QFile::remove(file);
    {
        QSettings store(file, QSettings::IniFormat);
        GrblSettings settings;
        settings.store(130, 400.5);
        settings.store(26, 100);
        settings.save(store);
    }
    QSettings store(file, QSettings::IniFormat);
    QCOMPARE(store.value("grbl_max_travelX").toDouble(), 400.5);
    QCOMPARE(store.value("grbl_homing_debounce_delay").toString(), QStringLiteral("100"));
    QCOMPARE(store.value("grbl_steps_per_mmX").toDouble(), 80.0);
    GrblSettings loaded;
    loaded.load(store);
    QCOMPARE(loaded.value(130), 400.5);
    QCOMPARE(loaded.value(26), 100.0);
    QFile::remove(file);
}

using JobFixtures::textOf;

namespace {

QList<GCodeBuffer> rasterLikeJob(int records)
{
    QList<GCodeBuffer> job;
    for (int i = 0; i < records; ++i) {
        GCodeBuffer record = GCodeBuffer::g(1);
        record.X = (i % 700) * 0.1;
        record.Y = i / 700 * 0.1;
        record.S = (i * 37) % 1000;
        job.append(record);
    }
    return job;
}

} // namespace

void TestDeviceProtocol::partsHoldWholeRecords()
{
    const QList<GCodeBuffer> job = rasterLikeJob(30000);
    QList<GCodeBuffer> pending = job;
    QByteArray joined;
    int parts = 0;
    int consumed = 0;
    while (!pending.isEmpty()) {
        const JobPart part = JobPart::take(pending);
        ++parts;
        QVERIFY(part.text.endsWith('\n'));
        // Every part but the last reaches the minimum with its last record.
        const QByteArray withoutLast = part.text.left(part.text.lastIndexOf('\n', -2) + 1);
        if (!pending.isEmpty()) {
            QVERIFY(part.text.size() >= JobPart::minimumSize);
            QVERIFY(withoutLast.size() < JobPart::minimumSize);
        }
        QCOMPARE(part.text, textOf(job.mid(consumed, part.records)));
        consumed += part.records;
        joined += part.text;
    }
    QVERIFY(parts > 3);
    QCOMPARE(joined, textOf(job));
}

void TestDeviceProtocol::partOfOneRecord()
{
    QList<GCodeBuffer> pending{GCodeBuffer::m(2)};
    const JobPart part = JobPart::take(pending);
    QCOMPARE(part.records, 1);
    QCOMPARE(part.text, QByteArray("M2\n"));
    QVERIFY(pending.isEmpty());
    QCOMPARE(JobPart::take(pending).records, 0);
}

void TestDeviceProtocol::compressedPartRoundTrip()
{
    QList<GCodeBuffer> pending = rasterLikeJob(10000);
    const JobPart part = JobPart::take(pending);
    QByteArray stream;
    QVERIFY(ZlibStream::compress(part.text, &stream));
    // RFC 1950 header at the default level: CMF 0x78, FLG 0x9c.
    QCOMPARE(static_cast<quint8>(stream.at(0)), quint8(0x78));
    QCOMPARE(static_cast<quint8>(stream.at(1)), quint8(0x9c));
    QVERIFY(stream.size() < part.text.size() / 3);
    QByteArray back;
    QVERIFY(ZlibStream::uncompress(stream, part.text.size(), &back));
    QCOMPARE(back, part.text);
    QVERIFY(!ZlibStream::uncompress(stream, part.text.size() - 1, &back));
    QVERIFY(!ZlibStream::uncompress(stream.left(stream.size() - 4), part.text.size(), &back));
}

QTEST_GUILESS_MAIN(TestDeviceProtocol)
#include "tst_deviceprotocol.moc"
