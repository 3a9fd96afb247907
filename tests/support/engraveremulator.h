#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QPointF>
#include <QStringList>

class QProcess;

// What the emulator is started with; see plimb-engraver-sim --help.
struct EngraverEmulatorOptions {
    QString hardwareVersion = QStringLiteral("3.0.0");
    QString firmwareVersion = QStringLiteral("1.0.0");
    int rxBufferSize = 1024;
    bool throttle = false;
    bool hardVerFirst = false;
    bool alarmAtStart = false;
    int vanishAfterLines = -1;
    int muteAfterLines = -1;
    quint32 splitSeed = 0;
    int garbageEvery = 0;
    // Listen on a loopback TCP port instead of a pty; portName() is then
    // "127.0.0.1:<port>".
    bool tcp = false;
    QStringList extraArguments;
};

// Starts plimb-engraver-sim for a test and queries it over its control
// channel. The program under test opens portName() like a serial port, or
// connects to it over TCP.
class EngraverEmulator : public QObject
{
    Q_OBJECT
public:
    // Declared outside the class so it can be a default argument here.
    using Options = EngraverEmulatorOptions;

    explicit EngraverEmulator(const Options &options = Options(), QObject *parent = nullptr);
    ~EngraverEmulator() override;

    bool start(int timeoutMs = 5000);
    QString portName() const;

    // Synchronous queries over the control channel; each waits a few seconds
    // at most and returns an empty value when the emulator does not answer.
    QStringList receivedLines();
    QByteArray receivedRealtime();
    QByteArray jobText();
    int partCount();
    int overflowCount();
    QByteArray firmwareReceived();
    bool sendLine(const QString &text);
    void stop();
    bool isRunning() const;

    // The whole state object, for queries the shortcuts above do not cover
    // ("maxOutstanding", "partErrors", "x", "y", "state", "outstanding").
    QJsonObject state();
    QPointF position();
    int maxOutstanding();
    int partErrorCount();

    static QString programPath();
    QStringList arguments() const;

private:
    QJsonObject query(const QByteArray &command);

    Options mOptions;
    QProcess *mProcess;
    QString mPortName;
};
