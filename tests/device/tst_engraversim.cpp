// The engraver emulator seen from the host side of a real pty, through
// QSerialPort exactly as the program opens hardware.
#include "engraveremulator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

namespace {

// The host end of the line: bytes in, replies collected across reads.
class Host
{
public:
    bool open(const QString &name)
    {
        port.setPortName(name);
        port.setBaudRate(QSerialPort::Baud115200);
        port.setDataBits(QSerialPort::Data8);
        port.setParity(QSerialPort::NoParity);
        port.setStopBits(QSerialPort::OneStop);
        port.setFlowControl(QSerialPort::NoFlowControl);
        return port.open(QIODevice::ReadWrite);
    }

    void write(const QByteArray &bytes)
    {
        port.write(bytes);
        while (port.bytesToWrite() > 0 && port.waitForBytesWritten(1000)) {
        }
    }

    // Everything up to and including `marker`; empty when it does not come.
    QByteArray readUntil(const QByteArray &marker, int timeoutMs = 3000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!buffer.contains(marker) && clock.elapsed() < timeoutMs) {
            if (port.waitForReadyRead(int(qMax<qint64>(1, timeoutMs - clock.elapsed())))) {
                buffer += port.readAll();
                ++reads;
            }
        }
        const int at = buffer.indexOf(marker);
        if (at < 0)
            return QByteArray();
        const QByteArray head = buffer.left(at + marker.size());
        buffer.remove(0, head.size());
        return head;
    }

    // Counts the answer lines ("ok" or "error:") in everything up to the n-th.
    QByteArray readAnswers(int count, int timeoutMs = 3000)
    {
        QByteArray all;
        for (int i = 0; i < count; ++i) {
            const QByteArray part = readUntil(QByteArrayLiteral("\n"), timeoutMs);
            if (part.isEmpty())
                break;
            all += part;
            if (!part.startsWith("ok") && !part.startsWith("error:"))
                --i;
        }
        return all;
    }

    QByteArray readFor(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            if (port.waitForReadyRead(int(qMax<qint64>(1, ms - clock.elapsed()))))
                buffer += port.readAll();
        }
        QByteArray all = buffer;
        buffer.clear();
        return all;
    }

    QByteArray exchange(const QByteArray &command, const QByteArray &marker = QByteArrayLiteral("ok\r\n"))
    {
        write(command);
        return readUntil(marker);
    }

    QSerialPort port;
    QByteArray buffer;
    int reads = 0;
};

QByteArray zlibCompress(const QByteArray &text)
{
    uLongf size = compressBound(uLong(text.size()));
    QByteArray out(int(size), '\0');
    compress(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(text.constData()),
             uLong(text.size()));
    out.resize(int(size));
    return out;
}

QByteArray announcement(int part, int size, int uncompressed)
{
    return QStringLiteral("$@file@name=part%1.gzip@size=%2@uncompress_size=%3\n")
            .arg(part)
            .arg(size)
            .arg(uncompressed)
            .toLatin1();
}

// A job of simple moves that ends the program, about `lines` lines long.
QByteArray makeJob(int lines)
{
    QByteArray job("G90\nG0X0.0000Y0.0000\n");
    for (int i = 0; i < lines; ++i)
        job += "G1X" + QByteArray::number(i % 300) + ".2500Y" + QByteArray::number(i / 300) + ".5000S"
               + QByteArray::number(i % 1000) + ".0000F6000.0000\n";
    job += "G1X12.0000Y34.0000S0.0000\nM5\nM2\n";
    return job;
}

} // namespace

class TestEngraverSim : public QObject
{
    Q_OBJECT

private:
    // Starts an emulator and opens its port; both live until the test ends.
    bool connectTo(Host &host, const EngraverEmulator::Options &options = EngraverEmulator::Options())
    {
        mEmulator.reset(new EngraverEmulator(options));
        if (!mEmulator->start())
            return false;
        return host.open(mEmulator->portName());
    }

    QScopedPointer<EngraverEmulator> mEmulator;

private slots:
    void cleanup() { mEmulator.reset(); }

    void bannerOnSoftReset()
    {
        Host host;
        QVERIFY(connectTo(host));
        QCOMPARE(host.exchange("\x18", "]\r\n"), QByteArray("\r\nGrbl 1.1h ['$' for help]\r\n"));
        QCOMPARE(mEmulator->receivedRealtime(), QByteArray("\x18"));
        QVERIFY(mEmulator->receivedLines().isEmpty());
    }

    void buildInfo_data()
    {
        QTest::addColumn<bool>("hardVerFirst");
        QTest::addColumn<QString>("hardware");
        QTest::addColumn<int>("rxBuffer");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("version first") << false << "3.0.0" << 1024
                                       << QByteArray("[VER:1.0.0]\r\n[HARDVER:3.0.0]\r\n[OPT:V,15,1024]\r\nok\r\n");
        QTest::newRow("hardware first") << true << "7.0.0" << 128
                                        << QByteArray("[HARDVER:7.0.0]\r\n[VER:1.0.0]\r\n[OPT:V,15,128]\r\nok\r\n");
    }

    void buildInfo()
    {
        QFETCH(bool, hardVerFirst);
        QFETCH(QString, hardware);
        QFETCH(int, rxBuffer);
        QFETCH(QByteArray, reply);
        EngraverEmulator::Options options;
        options.hardVerFirst = hardVerFirst;
        options.hardwareVersion = hardware;
        options.rxBufferSize = rxBuffer;
        Host host;
        QVERIFY(connectTo(host, options));
        QCOMPARE(host.exchange("$I\n"), reply);
        QCOMPARE(mEmulator->receivedLines(), QStringList{QStringLiteral("$I")});
    }

    void positionTracking_data()
    {
        QTest::addColumn<QByteArray>("commands");
        QTest::addColumn<int>("answers");
        QTest::addColumn<QByteArray>("status");
        QTest::newRow("absolute rapid") << QByteArray("G0X10Y20\n") << 1
                                        << QByteArray("<Idle|MPos:10.000,20.000,0.000|FS:0,0>");
        QTest::newRow("relative moves stay relative")
                << QByteArray("G91\nG1X5Y-3F100\nX5\n") << 3 << QByteArray("<Idle|MPos:10.000,-3.000,0.000|FS:0,0>");
        QTest::newRow("relative jog from a position")
                << QByteArray("G0X10Y20\n$J=G21G91X0Y-5F800\n") << 2
                << QByteArray("<Idle|MPos:10.000,15.000,0.000|FS:0,0>");
        QTest::newRow("jog does not change the distance mode")
                << QByteArray("$J=G21G91X3Y0F800\nG0X1\n") << 2 << QByteArray("<Idle|MPos:1.000,0.000,0.000|FS:0,0>");
        QTest::newRow("absolute jog") << QByteArray("$J=G21G90X12.5Y30F800\n") << 1
                                      << QByteArray("<Idle|MPos:12.500,30.000,0.000|FS:0,0>");
        QTest::newRow("home") << QByteArray("G0X10Y10\n$H\n") << 2 << QByteArray("<Idle|MPos:0.000,0.000,0.000|FS:0,0>");
        QTest::newRow("inches") << QByteArray("G20G0X1\n") << 1 << QByteArray("<Idle|MPos:25.400,0.000,0.000|FS:0,0>");
        QTest::newRow("failed lines do not move")
                << QByteArray("G0X7\nG0X1.2.3\nG5X9\n$J=G91X4\n") << 4
                << QByteArray("<Idle|MPos:7.000,0.000,0.000|FS:0,0>");
    }

    void positionTracking()
    {
        QFETCH(QByteArray, commands);
        QFETCH(int, answers);
        QFETCH(QByteArray, status);
        Host host;
        QVERIFY(connectTo(host));
        host.write(commands);
        QCOMPARE(host.readAnswers(answers).count('\n'), answers);
        QCOMPARE(host.exchange("?", ">\r\n"), status + "\r\n");
    }

    void errorsByKind_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("empty line") << QByteArray("\n") << QByteArray("ok\r\n");
        QTest::newRow("no letter") << QByteArray("12\n") << QByteArray("error:1\r\n");
        QTest::newRow("bad number") << QByteArray("G0X1.2.3\n") << QByteArray("error:2\r\n");
        QTest::newRow("unknown dollar") << QByteArray("$Q\n") << QByteArray("error:3\r\n");
        QTest::newRow("unknown setting") << QByteArray("$999=1\n") << QByteArray("error:3\r\n");
        QTest::newRow("negative setting") << QByteArray("$110=-1\n") << QByteArray("error:4\r\n");
        QTest::newRow("jog without feed") << QByteArray("$J=G91X4\n") << QByteArray("error:22\r\n");
        QTest::newRow("unsupported g") << QByteArray("G5\n") << QByteArray("error:20\r\n");
        QTest::newRow("positioning laser") << QByteArray("M106 G1F100 S0\n") << QByteArray("ok\r\n");
        QTest::newRow("locating tool") << QByteArray("$@LOC=1\n") << QByteArray("ok\r\n");
        QTest::newRow("program end") << QByteArray("M2\n") << QByteArray("[MSG:Pgm End]\r\nok\r\n");
    }

    void errorsByKind()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        Host host;
        QVERIFY(connectTo(host));
        host.write(command);
        QCOMPARE(host.readAnswers(1), reply);
    }

    void settingsDumpAndStore()
    {
        Host host;
        QVERIFY(connectTo(host));
        const QByteArray dump = host.exchange("$$\n");
        QStringList lines = QString::fromLatin1(dump).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.takeLast(), QStringLiteral("ok"));
        QCOMPARE(lines.size(), 34);
        const QRegularExpression setting(QStringLiteral("^\\$(\\d+)=\\d+(\\.\\d{3})?$"));
        QStringList numbers;
        for (const QString &line : qAsConst(lines)) {
            const QRegularExpressionMatch match = setting.match(line);
            QVERIFY2(match.hasMatch(), qPrintable(line));
            numbers << match.captured(1);
        }
        QCOMPARE(numbers.join(QLatin1Char(' ')),
                 QStringLiteral("0 1 2 3 4 5 6 10 11 12 13 20 21 22 23 24 25 26 27 30 31 32 "
                                "100 101 102 110 111 112 120 121 122 130 131 132"));
        QVERIFY(lines.contains(QStringLiteral("$100=80.000")));
        QVERIFY(lines.contains(QStringLiteral("$110=16000.000")));

        QCOMPARE(host.exchange("$110=12000\n$3=3.7\n"), QByteArray("ok\r\n"));
        QCOMPARE(host.readAnswers(1), QByteArray("ok\r\n"));
        const QByteArray changed = host.exchange("$$\n");
        QVERIFY(changed.contains("\r\n$110=12000.000\r\n"));
        QVERIFY2(changed.contains("\r\n$3=3\r\n"), "integer settings are truncated");

        QCOMPARE(host.exchange("$RST=*\n"), QByteArray("[MSG:Restoring defaults]\r\nok\r\n"));
        QCOMPARE(host.exchange("$$\n"), dump);
    }

    void alarmLockAndUnlock()
    {
        EngraverEmulator::Options options;
        options.alarmAtStart = true;
        Host host;
        QVERIFY(connectTo(host, options));
        QCOMPARE(host.exchange("\x18", "unlock]\r\n"),
                 QByteArray("\r\nGrbl 1.1h ['$' for help]\r\n[MSG:'$H'|'$X' to unlock]\r\n"));
        // Motion, jogs and homing are refused, each with the notice again.
        for (const QByteArray command : {"G0X5\n", "$J=G91X1F100\n", "$H\n"})
            QCOMPARE(host.exchange(command, "unlock]\r\n"), QByteArray("error:9\r\n[MSG:'$H'|'$X' to unlock]\r\n"));
        QCOMPARE(host.exchange("$I\n").right(4), QByteArray("ok\r\n"));
        QCOMPARE(host.exchange("?", ">\r\n"), QByteArray("<Alarm|MPos:0.000,0.000,0.000|FS:0,0>\r\n"));
        QCOMPARE(host.exchange("$X\n"), QByteArray("[MSG:Caution: Unlocked]\r\nok\r\n"));
        QCOMPARE(host.exchange("G0X5\n"), QByteArray("ok\r\n"));
        QCOMPARE(host.exchange("?", ">\r\n"), QByteArray("<Idle|MPos:5.000,0.000,0.000|FS:0,0>\r\n"));
    }

    // Homing enabled: locked from the start until "$H", which lifts the lock.
    void homingRequiredLocksUntilHomed()
    {
        EngraverEmulator::Options options;
        options.extraArguments << QStringLiteral("--homing-required");
        Host host;
        QVERIFY(connectTo(host, options));
        QCOMPARE(host.exchange("\x18", "unlock]\r\n"),
                 QByteArray("\r\nGrbl 1.1h ['$' for help]\r\n[MSG:'$H'|'$X' to unlock]\r\n"));
        QVERIFY(host.exchange("$$\n").contains("\r\n$22=1\r\n"));
        QCOMPARE(host.exchange("G0X5\n", "unlock]\r\n"), QByteArray("error:9\r\n[MSG:'$H'|'$X' to unlock]\r\n"));
        QCOMPARE(host.exchange("$H\n"), QByteArray("ok\r\n"));
        QCOMPARE(host.exchange("G0X5\n"), QByteArray("ok\r\n"));
        QCOMPARE(host.exchange("?", ">\r\n"), QByteArray("<Idle|MPos:5.000,0.000,0.000|FS:0,0>\r\n"));
    }

    void faultOnAChosenLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("replies");   // to five "G0X1" lines, one at a time
        const QByteArray ok("ok\r\n");
        const QByteArray locked("error:9\r\n[MSG:'$H'|'$X' to unlock]\r\n");
        QTest::newRow("error on line 3") << QStringList{"--error-at", "3:22"}
                                         << ok + ok + "error:22\r\n" + ok + ok;
        QTest::newRow("errors on lines 2 to 4") << QStringList{"--error-at", "2:20:3"}
                                                << ok + QByteArray("error:20\r\n").repeated(3) + ok;
        // The alarm locks the machine: that line and every later motion are refused.
        QTest::newRow("alarm on line 2") << QStringList{"--alarm-at", "2:1"}
                                         << ok + "ALARM:1\r\n" + locked + locked + locked + locked;
    }

    void faultOnAChosenLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, replies);
        EngraverEmulator::Options options;
        options.extraArguments = arguments;
        Host host;
        QVERIFY(connectTo(host, options));
        QByteArray all;
        for (int i = 0; i < 5; ++i) {
            host.write("G0X1\n");
            all += host.readAnswers(1);
        }
        all += host.readFor(50);
        QCOMPARE(all, replies);
    }

    // A host that counts exactly "ok" never overflows, whatever the noise
    // between the replies and however they are cut; the emulator releases a
    // line's bytes with its answer, not with the noise after it.
    void noiseDoesNotSkewTheAccounting_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("okLike");    // noise lines that begin with "ok"
        QTest::newRow("noise, split replies") << QStringList{"--garbage-every", "1", "--split-seed", "3"} << 0;
        QTest::newRow("okay noise, split replies")
                << QStringList{"--garbage-every", "3", "--noise", "okay", "--split-seed", "9"} << 1;
    }

    void noiseDoesNotSkewTheAccounting()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, okLike);
        EngraverEmulator::Options options;
        options.rxBufferSize = 128;
        options.extraArguments = arguments;
        Host host;
        QVERIFY(connectTo(host, options));
        const QByteArray line("G1X100.000Y100.000\n");   // six fit in 127 bytes
        int sent = 0;
        int inFlight = 0;
        int noise = 0;
        while (sent < 120 || inFlight > 0) {
            while (sent < 120 && (inFlight + 1) * line.size() < 128) {
                host.write(line);
                ++sent;
                ++inFlight;
            }
            const QByteArray reply = host.readUntil("\n");
            QVERIFY(!reply.isEmpty());
            if (reply == "ok\r\n")
                --inFlight;
            else if (reply.startsWith("ok"))
                ++noise;
        }
        QCOMPARE(noise > 0, okLike > 0);
        QCOMPARE(mEmulator->overflowCount(), 0);
        QVERIFY(mEmulator->maxOutstanding() < 128);
    }

    void feedHoldFillsThePlanner()
    {
        Host host;
        QVERIFY(connectTo(host));
        host.write("!");
        QByteArray lines;
        for (int i = 1; i <= 20; ++i)
            lines += "G1X" + QByteArray::number(i) + "F1000\n";
        host.write(lines);
        // Fifteen planner blocks take fifteen moves; the rest wait unanswered.
        QCOMPARE(host.readAnswers(15).count("ok"), 15);
        QCOMPARE(host.readFor(150), QByteArray());
        QCOMPARE(host.exchange("?", ">\r\n"), QByteArray("<Hold:0|MPos:0.000,0.000,0.000|FS:0,0>\r\n"));
        host.write("~");
        QCOMPARE(host.readAnswers(5).count("ok"), 5);
        QCOMPARE(host.exchange("?", ">\r\n"), QByteArray("<Idle|MPos:20.000,0.000,0.000|FS:0,0>\r\n"));
        QCOMPARE(mEmulator->receivedRealtime(), QByteArray("!?~?"));
    }

    void partModeJob()
    {
        Host host;
        QTemporaryDir folder;
        const QString saved = folder.filePath(QStringLiteral("received.gc"));
        EngraverEmulator::Options options;
        options.extraArguments = QStringList{QStringLiteral("--job-run-time"), QStringLiteral("0"),
                                             QStringLiteral("--save-job"), saved};
        QVERIFY(connectTo(host, options));
        const QByteArray job = makeJob(6000);
        const int cut = job.indexOf('\n', job.size() / 2) + 1;
        const QList<QByteArray> parts{job.left(cut), job.mid(cut)};

        QCOMPARE(host.exchange("$@print@storage=psram\n", "pack_info\r\n"),
                 QByteArray("msg@printing:receive storage_mode\r\nmsg@printing:ask pack_info\r\n"));
        for (int i = 0; i < parts.size(); ++i) {
            const QByteArray packed = zlibCompress(parts.at(i));
            QCOMPARE(host.exchange(announcement(i + 1, packed.size(), parts.at(i).size()), "\r\n"),
                     QByteArray("msg@printing:ask package\r\n"));
            QCOMPARE(host.exchange(packed, "pack_info\r\n"),
                     QByteArray("msg@printing:receive package\r\nmsg@printing:ask pack_info\r\n"));
        }
        QCOMPARE(host.exchange("$@file@done\n", "\r\n"), QByteArray("[MSG:Pgm End]\r\n"));
        QCOMPARE(mEmulator->partCount(), 2);
        QCOMPARE(mEmulator->partErrorCount(), 0);
        QCOMPARE(mEmulator->jobText(), job);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), job);
        QCOMPARE(mEmulator->position(), QPointF(12, 34));
        QCOMPARE(mEmulator->overflowCount(), 0);
    }

    void brokenParts_data()
    {
        QTest::addColumn<int>("partNumber");
        QTest::addColumn<int>("sizeError");
        QTest::addColumn<int>("uncompressedError");
        QTest::addColumn<bool>("gzipFormat");
        QTest::addColumn<QByteArray>("reply");
        const QByteArray ask("msg@printing:ask package\r\n");
        const QByteArray broken("msg@printing:package error\r\n");
        QTest::newRow("numbering starts at 1") << 0 << 0 << 0 << false << broken;
        QTest::newRow("uncompressed size too large") << 1 << 0 << 1 << false << ask + broken;
        QTest::newRow("uncompressed size too small") << 1 << 0 << -1 << false << ask + broken;
        QTest::newRow("trailing bytes after the stream") << 1 << 3 << 0 << false << ask + broken;
        QTest::newRow("gzip instead of zlib") << 1 << 0 << 0 << true << ask + broken;
    }

    void brokenParts()
    {
        QFETCH(int, partNumber);
        QFETCH(int, sizeError);
        QFETCH(int, uncompressedError);
        QFETCH(bool, gzipFormat);
        QFETCH(QByteArray, reply);
        Host host;
        QVERIFY(connectTo(host));
        const QByteArray text = makeJob(50);
        QByteArray packed = zlibCompress(text);
        if (gzipFormat) {
            // Same deflate data in a gzip wrapper: a different header and trailer.
            packed = QByteArray::fromHex("1f8b0800000000000003") + packed.mid(2, packed.size() - 6)
                     + QByteArray(8, '\0');
        }
        packed += QByteArray(sizeError, '\n');
        host.exchange("$@print@storage=psram\n", "pack_info\r\n");
        host.write(announcement(partNumber, packed.size(), text.size() + uncompressedError));
        if (reply.startsWith("msg@printing:ask"))
            host.write(packed);
        QCOMPARE(host.readUntil("error\r\n"), reply);
        QCOMPARE(mEmulator->partErrorCount(), 1);
        QCOMPARE(mEmulator->partCount(), 0);
        QVERIFY(mEmulator->jobText().isEmpty());
    }

    void resetDuringStoredJobRaisesAlarm()
    {
        Host host;
        EngraverEmulator::Options options;
        options.extraArguments = QStringList{QStringLiteral("--job-run-time"), QStringLiteral("3000")};
        QVERIFY(connectTo(host, options));
        const QByteArray job = makeJob(200);
        const QByteArray packed = zlibCompress(job);
        host.exchange("$@print@storage=psram\n", "pack_info\r\n");
        host.exchange(announcement(1, packed.size(), job.size()), "package\r\n");
        host.exchange(packed, "pack_info\r\n");
        host.write("$@file@done\n");
        QVERIFY(host.exchange("?", ">\r\n").startsWith("<Run|"));
        QCOMPARE(host.exchange("\x18", "unlock]\r\n"),
                 QByteArray("ALARM:3\r\n\r\nGrbl 1.1h ['$' for help]\r\n[MSG:'$H'|'$X' to unlock]\r\n"));
        QCOMPARE(host.readFor(100), QByteArray());
    }

    void firmwareUpload()
    {
        Host host;
        QVERIFY(connectTo(host));
        QByteArray image(10000, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char((i * 7919) >> 3);
        QCOMPARE(host.exchange("$@OTA=10000\n", "OTA OK]\r\n"), QByteArray("ok\r\n[MSG:OTA OK]\r\n"));
        QCOMPARE(host.exchange(image.left(4096), "]\r\n"), QByteArray("[MSG:OTA OK]\r\n"));
        QCOMPARE(host.exchange(image.mid(4096, 4096), "]\r\n"), QByteArray("[MSG:OTA OK]\r\n"));
        QCOMPARE(host.exchange(image.mid(8192), "]\r\n"), QByteArray("[MSG:OTA done]\r\n"));
        QCOMPARE(mEmulator->firmwareReceived(), image);
        // Image bytes never count as command lines.
        QCOMPARE(mEmulator->receivedLines(), QStringList{QStringLiteral("$@OTA=10000")});
        QCOMPARE(host.exchange("?", ">\r\n"), QByteArray("<Idle|MPos:0.000,0.000,0.000|FS:0,0>\r\n"));
    }

    void characterCounting_data()
    {
        QTest::addColumn<int>("linesPerWrite");
        QTest::addColumn<bool>("throttle");
        QTest::addColumn<bool>("overflows");
        // 40 lines of 19 bytes against a 128-byte buffer.
        QTest::newRow("host waits for each answer") << 1 << false << false;
        QTest::newRow("host floods") << 40 << false << true;
        // Bytes still waiting in the paced line were sent all the same.
        QTest::newRow("host floods a throttled line") << 40 << true << true;
    }

    void characterCounting()
    {
        QFETCH(int, linesPerWrite);
        QFETCH(bool, throttle);
        QFETCH(bool, overflows);
        EngraverEmulator::Options options;
        options.rxBufferSize = 128;
        options.throttle = throttle;
        Host host;
        QVERIFY(connectTo(host, options));
        const QByteArray line("G1X100.000Y100.000\n");
        for (int sent = 0; sent < 40; sent += linesPerWrite) {
            host.write(line.repeated(linesPerWrite));
            QCOMPARE(host.readAnswers(linesPerWrite).count("ok"), linesPerWrite);
        }
        QCOMPARE(mEmulator->overflowCount() > 0, overflows);
        QCOMPARE(mEmulator->maxOutstanding() > 128, overflows);
        QCOMPARE(mEmulator->state().value(QStringLiteral("outstanding")).toInt(), 0);
    }

    void vanishClosesThePort()
    {
        EngraverEmulator::Options options;
        options.vanishAfterLines = 2;
        Host host;
        QVERIFY(connectTo(host, options));
        qRegisterMetaType<QSerialPort::SerialPortError>();
        QSignalSpy errors(&host.port, &QSerialPort::errorOccurred);
        QCOMPARE(host.exchange("G0X1\n"), QByteArray("ok\r\n"));
        host.write("G0X2\n");
        QTRY_VERIFY(!mEmulator->isRunning());
        QVERIFY(host.readUntil("ok\r\n", 200).isEmpty());
        // A hung-up pty reads as end of file, which QSerialPort reports as a
        // read error; the device node itself is gone, as after an unplug.
        QVERIFY(!errors.isEmpty());
        QVERIFY(!QFile::exists(mEmulator->portName()));
        host.port.close();
    }

    void muteStopsAnswering()
    {
        EngraverEmulator::Options options;
        options.muteAfterLines = 1;
        Host host;
        QVERIFY(connectTo(host, options));
        QCOMPARE(host.exchange("G0X1\n"), QByteArray("ok\r\n"));
        host.write("G0X2\n?");
        QCOMPARE(host.readFor(200), QByteArray());
        QCOMPARE(mEmulator->receivedLines(), (QStringList{QStringLiteral("G0X1"), QStringLiteral("G0X2")}));
    }

    void splitRepliesArriveWhole()
    {
        Host plain;
        QVERIFY(connectTo(plain));
        const QByteArray expected = plain.exchange("$I\n$$\n", "ok\r\n$0=");
        plain.port.close();

        EngraverEmulator::Options options;
        options.splitSeed = 7;
        Host split;
        QVERIFY(connectTo(split, options));
        QCOMPARE(split.exchange("$I\n$$\n", "ok\r\n$0="), expected);
        QVERIFY2(split.reads > 1, "replies were not cut into pieces");
    }

    void garbageLinesBetweenReplies()
    {
        EngraverEmulator::Options options;
        options.garbageEvery = 2;
        Host host;
        QVERIFY(connectTo(host, options));
        host.write("G0X1\nG0X2\nG0X3\nG0X4\nG0X5\n");
        const QByteArray replies = host.readAnswers(5);
        QCOMPARE(replies.count("ok\r\n"), 5);
        QCOMPARE(replies.count("noise"), 2);
    }

    void throttleKeepsToTheBaudRate_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("marker");
        QTest::addColumn<int>("replies");
        // Either direction carries about 2 300 bytes, which a 11 520 byte/s
        // line cannot move in less than 0.19 s; unthrottled it takes a few ms.
        QTest::newRow("replies") << QByteArray(60, '?') << QByteArray(">\r\n") << 60;
        QTest::newRow("commands") << QByteArray("G1X100.000Y100.000F1000\n").repeated(92) << QByteArray("ok\r\n")
                                  << 92;
    }

    void throttleKeepsToTheBaudRate()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, marker);
        QFETCH(int, replies);
        EngraverEmulator::Options options;
        options.throttle = true;
        options.rxBufferSize = 4096;
        Host host;
        QVERIFY(connectTo(host, options));
        QElapsedTimer clock;
        clock.start();
        host.write(input);
        for (int i = 0; i < replies; ++i)
            QVERIFY(!host.readUntil(marker, 5000).isEmpty());
        QVERIFY2(clock.elapsed() >= 150, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestEngraverSim)
#include "tst_engraversim.moc"
