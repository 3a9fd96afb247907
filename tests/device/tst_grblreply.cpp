// Sorting the engraver's reply lines: each kind, the numbers and texts taken
// from them, and lines that are cut, padded or malformed.
#include "device/grblreply.h"

#include <QtTest>

Q_DECLARE_METATYPE(GrblReply::Kind)
Q_DECLARE_METATYPE(GrblReply::Notice)
Q_DECLARE_METATYPE(GrblReply::TransferStep)

using Kind = GrblReply::Kind;

class TestGrblReply : public QObject
{
    Q_OBJECT
private slots:
    void classify_data();
    void classify();
    void notices_data();
    void notices();
    void transferSteps_data();
    void transferSteps();
    void versions_data();
    void versions();
    void receiveBufferSize_data();
    void receiveBufferSize();
    void settings_data();
    void settings();
    void statusField_data();
    void statusField();
};

void TestGrblReply::classify_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<GrblReply::Kind>("kind");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("number");

    QTest::newRow("ok") << QByteArray("ok\r\n") << Kind::Ok << QByteArray("ok") << -1;
    QTest::newRow("ok padded") << QByteArray("  ok \t\r\n") << Kind::Ok << QByteArray("ok") << -1;
    QTest::newRow("error") << QByteArray("error:20\r\n") << Kind::Error << QByteArray("error:20") << 20;
    // Only exactly "ok" or "error:N" answers a command: anything else that
    // freed a command's space would let the host overflow the buffer.
    QTest::newRow("error without number") << QByteArray("error:\r\n") << Kind::Other << QByteArray("error:") << -1;
    QTest::newRow("error not a number") << QByteArray("error:x2") << Kind::Other << QByteArray("error:x2") << -1;
    QTest::newRow("noise starting with ok") << QByteArray("okay\r\n") << Kind::Other << QByteArray("okay") << -1;
    QTest::newRow("ok with more") << QByteArray("ok ok\r\n") << Kind::Other << QByteArray("ok ok") << -1;
    QTest::newRow("alarm") << QByteArray("ALARM:3\r\n") << Kind::Alarm << QByteArray("ALARM:3") << 3;
    QTest::newRow("alarm not a number") << QByteArray("ALARM:x") << Kind::Alarm << QByteArray("ALARM:x") << -1;
    QTest::newRow("status") << QByteArray("<Idle|MPos:12.500,30.000,0.000|FS:0,0>\r\n") << Kind::Status
                            << QByteArray("Idle|MPos:12.500,30.000,0.000|FS:0,0") << -1;
    QTest::newRow("status without >") << QByteArray("<Idle\r\n") << Kind::Status << QByteArray("Idle") << -1;
    QTest::newRow("message") << QByteArray("[MSG:Pgm End]\r\n") << Kind::Message << QByteArray("Pgm End") << -1;
    QTest::newRow("message without ]") << QByteArray("[MSG:") << Kind::Message << QByteArray() << -1;
    QTest::newRow("version") << QByteArray("[VER:1.1h.20190825:]\r\n") << Kind::Version
                             << QByteArray("1.1h.20190825:") << -1;
    QTest::newRow("hardware version") << QByteArray("[HARDVER:3.0.0]\r\n") << Kind::HardwareVersion
                                      << QByteArray("3.0.0") << -1;
    QTest::newRow("options") << QByteArray("[OPT:V,15,1024]\r\n") << Kind::Options << QByteArray("V,15,1024") << -1;
    QTest::newRow("setting") << QByteArray("$130=400.000\r\n") << Kind::Setting << QByteArray("$130=400.000") << 130;
    QTest::newRow("startup block, not a setting") << QByteArray("$N0=G20") << Kind::Other << QByteArray("$N0=G20") << -1;
    QTest::newRow("transfer") << QByteArray("msg@printing:ask pack_info\r\n") << Kind::Transfer
                              << QByteArray("msg@printing:ask pack_info") << -1;
    // The marker decides wherever it stands.
    QTest::newRow("transfer in a notice") << QByteArray("[MSG:msg@printing ask package]") << Kind::Transfer
                                          << QByteArray("[MSG:msg@printing ask package]") << -1;
    QTest::newRow("banner") << QByteArray("Grbl 1.1h ['$' for help]\r\n") << Kind::Banner
                            << QByteArray("Grbl 1.1h ['$' for help]") << -1;
    // The first line after a port opens may carry bytes from before.
    QTest::newRow("banner after noise") << QByteArray("\x7f\x03Grbl 1.1f ['$' for help]\r\n") << Kind::Banner
                                        << QByteArray("\x7f\x03Grbl 1.1f ['$' for help]") << -1;
    QTest::newRow("help") << QByteArray("[HLP:$$ $# $G $I $N $x=val $J=line $X $H ~ ! ? ctrl-x]") << Kind::Other
                          << QByteArray("[HLP:$$ $# $G $I $N $x=val $J=line $X $H ~ ! ? ctrl-x]") << -1;
    QTest::newRow("noise") << QByteArray("#%&noise 7\r\n") << Kind::Other << QByteArray("#%&noise 7") << -1;
    QTest::newRow("empty") << QByteArray("\r\n") << Kind::Other << QByteArray() << -1;
}

void TestGrblReply::classify()
{
    QFETCH(QByteArray, line);
    QFETCH(GrblReply::Kind, kind);
    QFETCH(QByteArray, text);
    QFETCH(int, number);
    const GrblReply reply = GrblReply::classify(line);
    QCOMPARE(reply.kind, kind);
    QCOMPARE(reply.text, text);
    QCOMPARE(reply.number, number);
}

void TestGrblReply::notices_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<GrblReply::Notice>("notice");
    using Notice = GrblReply::Notice;
    QTest::newRow("alarm lock") << QByteArray("[MSG:'$H'|'$X' to unlock]\r\n") << Notice::UnlockNeeded;
    QTest::newRow("unlocked") << QByteArray("[MSG:Caution: Unlocked]\r\n") << Notice::None;
    QTest::newRow("held") << QByteArray("[MSG:Holded]\r\n") << Notice::Held;
    QTest::newRow("firmware piece") << QByteArray("[MSG:OTA OK]\r\n") << Notice::FirmwarePieceWanted;
    QTest::newRow("firmware written") << QByteArray("[MSG:OTA done]\r\n") << Notice::FirmwareWritten;
    QTest::newRow("firmware error") << QByteArray("[MSG:OTA error]\r\n") << Notice::None;
    QTest::newRow("program end") << QByteArray("[MSG:Pgm End]\r\n") << Notice::ProgramEnd;
    QTest::newRow("program end without ]") << QByteArray("[MSG:Pgm End\r\n") << Notice::ProgramEnd;
    // Only "[MSG:" lines carry notices.
    QTest::newRow("untagged") << QByteArray("Pgm End\r\n") << Notice::None;
}

void TestGrblReply::notices()
{
    QFETCH(QByteArray, line);
    QFETCH(GrblReply::Notice, notice);
    QCOMPARE(GrblReply::classify(line).notice, notice);
}

void TestGrblReply::transferSteps_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<GrblReply::TransferStep>("step");
    using Step = GrblReply::TransferStep;
    QTest::newRow("storage mode") << QByteArray("msg@printing:receive storage_mode\r\n") << Step::StorageModeReceived;
    QTest::newRow("part info") << QByteArray("msg@printing:ask pack_info\r\n") << Step::AskPackInfo;
    QTest::newRow("part bytes") << QByteArray("msg@printing ask package\r\n") << Step::AskPackage;
    QTest::newRow("part received") << QByteArray("msg@printing:receive package\r\n") << Step::PackageReceived;
    QTest::newRow("part error") << QByteArray("msg@printing:package error\r\n") << Step::None;
}

void TestGrblReply::transferSteps()
{
    QFETCH(QByteArray, line);
    QFETCH(GrblReply::TransferStep, step);
    QCOMPARE(GrblReply::classify(line).step, step);
}

void TestGrblReply::versions_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("version");
    QTest::newRow("build date") << QByteArray("[VER:0.2.2.20230101:]\r\n") << "0.2.2.20230101";
    QTest::newRow("up to the comma") << QByteArray("[VER:0.2.2.20230101,tova]") << "0.2.2.20230101";
    QTest::newRow("letters end it") << QByteArray("[VER:1.1h.20190825:]") << "1.1";
    QTest::newRow("hardware") << QByteArray("[HARDVER:3.0.0]\r\n") << "3.0.0";
    QTest::newRow("hardware without ]") << QByteArray("[HARDVER:4.0.1") << "4.0.1";
    QTest::newRow("empty") << QByteArray("[VER:,x]") << "";
}

void TestGrblReply::versions()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, version);
    QCOMPARE(GrblReply::classify(line).version, QVersionNumber::fromString(version));
}

void TestGrblReply::receiveBufferSize_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("size");
    QTest::newRow("1024") << QByteArray("[OPT:V,15,1024]\r\n") << 1024;
    QTest::newRow("128") << QByteArray("[OPT:V,15,128]") << 128;
    // Option codes may hold digits and "+": the size is the third field.
    QTest::newRow("codes with digits") << QByteArray("[OPT:V0+,15,1024]") << 1024;
    QTest::newRow("more fields") << QByteArray("[OPT:VNMHS,35,1024,3,0]") << 1024;
    QTest::newRow("no size") << QByteArray("[OPT:V,15]") << 0;
    QTest::newRow("size not a number") << QByteArray("[OPT:V,15,abc]") << 0;
    QTest::newRow("cut") << QByteArray("[OPT:") << 0;
}

void TestGrblReply::receiveBufferSize()
{
    QFETCH(QByteArray, line);
    QFETCH(int, size);
    const GrblReply reply = GrblReply::classify(line);
    QCOMPARE(reply.kind, Kind::Options);
    QCOMPARE(reply.rxBufferSize, size);
}

void TestGrblReply::settings_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("isSetting");
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal") << QByteArray("$110=16000.000\r\n") << true << 110 << 16000.0;
    QTest::newRow("integer") << QByteArray("$3=3") << true << 3 << 3.0;
    QTest::newRow("negative") << QByteArray("$120=-2.5") << true << 120 << -2.5;
    QTest::newRow("two equals") << QByteArray("$1=2=3") << false << -1 << 0.0;
    QTest::newRow("exponent") << QByteArray("$110=1e3") << false << -1 << 0.0;
    QTest::newRow("no number") << QByteArray("$=5") << false << -1 << 0.0;
    QTest::newRow("number too large") << QByteArray("$99999999999=1") << false << -1 << 0.0;
    QTest::newRow("no value") << QByteArray("$110=") << false << -1 << 0.0;
    QTest::newRow("dump command") << QByteArray("$$") << false << -1 << 0.0;
}

void TestGrblReply::settings()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, isSetting);
    QFETCH(int, number);
    QFETCH(double, value);
    const GrblReply reply = GrblReply::classify(line);
    QCOMPARE(reply.kind == Kind::Setting, isSetting);
    QCOMPARE(reply.number, number);
    QCOMPARE(reply.value, value);
}

void TestGrblReply::statusField_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArrayList>("values");
    QTest::newRow("idle") << QByteArray("<Idle|MPos:12.500,-3.000,0.000|FS:0,0>\r\n") << QByteArray("MPos")
                          << QByteArrayList{"12.500", "-3.000", "0.000"};
    // The digit of the state must not be taken for the X position.
    QTest::newRow("held") << QByteArray("<Hold:0|MPos:1.000,2.000,0.000|FS:0,0>") << QByteArray("MPos")
                          << QByteArrayList{"1.000", "2.000", "0.000"};
    QTest::newRow("later field") << QByteArray("<Run|MPos:5.000,6.000,0.000|Bf:15,128|FS:500,0>")
                                 << QByteArray("Bf") << QByteArrayList{"15", "128"};
    QTest::newRow("work position only") << QByteArray("<Idle|WPos:1.000,2.000,0.000>") << QByteArray("MPos")
                                        << QByteArrayList();
    QTest::newRow("cut") << QByteArray("<Idle|MPos:1.000,2.0") << QByteArray("MPos")
                         << QByteArrayList{"1.000", "2.0"};
    QTest::newRow("not a report") << QByteArray("[MSG:MPos:1.000,2.000]") << QByteArray("MPos")
                                  << QByteArrayList();
}

void TestGrblReply::statusField()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, name);
    QFETCH(QByteArrayList, values);
    QCOMPARE(GrblReply::classify(line).statusField(name), values);
}

QTEST_GUILESS_MAIN(TestGrblReply)
#include "tst_grblreply.moc"
