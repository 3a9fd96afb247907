#include "gcode/gcodebuffer.h"
#include "jobfixtures.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <cstdio>
#include <limits>

class TestGCodeBuffer : public QObject
{
    Q_OBJECT

private slots:
    void textForm_data();
    void textForm();
    void travelsThroughQueuedSignals();
    void wordsMatchPrintf();
};

namespace {
using JobFixtures::record;
} // namespace

void TestGCodeBuffer::textForm_data()
{
    QTest::addColumn<GCodeBuffer>("buffer");
    QTest::addColumn<QString>("line");

    QTest::newRow("absolute move") << record(0, 12.5, 3, -1, -1, -1, true) << "G0X12.5000Y3.0000\n";
    QTest::newRow("relative burn") << record(1, 0.25, 0, 1000, -1, -1, false) << "G1X0.2500S1000.0000\n";
    QTest::newRow("G90 relative zeros") << record(90, 0, 0, -1, -1, -1, false) << "G90\n";
    QTest::newRow("G91 absolute zeros") << record(91, 0, 0, -1, -1, -1, true) << "G91X0.0000Y0.0000\n";
    QTest::newRow("G91 relative zeros") << record(91, 0, 0, -1, -1, -1, false) << "G91\n";
    QTest::newRow("G00 word") << GCodeBuffer::g00() << "G00\n";
    QTest::newRow("empty line") << record(-3, 5, 5, 5, 5, 5, true) << "\n";
    QTest::newRow("M only") << GCodeBuffer::m(107) << "M107\n";
    QTest::newRow("G and M") << record(1, -1, -1, -1, -1, 4, true) << "G1M4\n";
    QTest::newRow("power off") << record(1, -1, -1, 0, -1, -1, true) << "G1S0.0000\n";
    QTest::newRow("feed and negative") << record(1, -0.00004, 2, -1, 1500, -1, false) << "G1X-0.0000Y2.0000F1500.0000\n";
    QTest::newRow("integer part of G") << record(1.9, -1, -1, -1, -1, 5.7, true) << "G1M5\n";
    QTest::newRow("rounding") << record(0, 0.00005, 1.23456, -1, -1, -1, true) << "G0X0.0001Y1.2346\n";
}

void TestGCodeBuffer::textForm()
{
    QFETCH(GCodeBuffer, buffer);
    QFETCH(QString, line);
    QCOMPARE(buffer.toString(), line);
}

class Receiver : public QObject
{
    Q_OBJECT
public slots:
    void take(const QList<GCodeBuffer> &job) { received = job; }

public:
    QList<GCodeBuffer> received;
};

class Sender : public QObject
{
    Q_OBJECT
signals:
    void send(const QList<GCodeBuffer> &job);
};

void TestGCodeBuffer::travelsThroughQueuedSignals()
{
    registerGCodeBufferMetaTypes();
    QThread thread;
    Receiver receiver;
    receiver.moveToThread(&thread);
    Sender sender;
    connect(&sender, &Sender::send, &receiver, &Receiver::take, Qt::QueuedConnection);
    thread.start();
    const QList<GCodeBuffer> job{GCodeBuffer::g00(), record(0, 1, 2, -1, -1, -1, true)};
    emit sender.send(job);
    QTRY_COMPARE(receiver.received.size(), 2);
    thread.quit();
    thread.wait();
    QCOMPARE(receiver.received, job);
}

// The fast word formatter must round exactly like printf("%.4f"): ties of
// the binary value (1/32 is 312.5 ten-thousandths) to even, negative values
// that round to zero with their sign, huge and non-finite values as printf has them.
void TestGCodeBuffer::wordsMatchPrintf()
{
    QVector<double> values{ 0.0, -0.0, 1e-320, 0.00005, -0.00005, 0.00015, 1.23455, 2.5e-5,
                            123456789.98765, 9e11, -9e11, 1e15, 1e300, -1e300,
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(), 0.0799999982 * 12.5 };
    for (int i = -2000; i <= 2000; ++i) {
        values << i / 32.0 << i / 64.0 << i / 1024.0 << i * 0.0001 << i * 0.00005;
    }
    QRandomGenerator random(5);
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::pow(10.0, random.bounded(19.0) - 6);
        values << (random.bounded(2) ? 1 : -1) * random.bounded(1.0) * magnitude;
    }
    for (const double value : values) {
        char expected[512];
        std::snprintf(expected, sizeof expected, "G1X%.4f\n", value);
        GCodeBuffer buffer = GCodeBuffer::g(1);
        buffer.X = value;
        if (qIsNaN(value) || value != -1) {
            QByteArray line;
            buffer.appendTo(line);
            QCOMPARE(line, QByteArray(expected));
        }
    }
}

QTEST_GUILESS_MAIN(TestGCodeBuffer)
#include "tst_gcodebuffer.moc"
