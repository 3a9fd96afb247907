#pragma once

#include "machine.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QStringList>

class QTimer;
class SerialLink;

// The engraver's side of the wire: GRBL 1.1-style line protocol with character
// counting, real-time bytes, alarm lock, the private "$@" job-part and
// firmware exchanges, and the fault injections used by tests.
class Engraver : public QObject
{
    Q_OBJECT
public:
    struct Options {
        QByteArray hardwareVersion = "3.0.0";
        QByteArray firmwareVersion = "1.0.0";
        int rxBufferSize = 1024;
        bool hardVerFirst = false;
        // A standard GRBL 1.1 controller: no hardware line, no private "$@"
        // commands, no fan words, homing off until $22=1.
        bool generic = false;
        // Leave "[OPT:...]" out of the build information, as some builds do.
        bool noOptions = false;
        bool alarmAtStart = false;
        // Homing required: $22=1 and locked in alarm at start until "$H"
        // (or "$X") is received, as GRBL with homing enabled powers up.
        bool homingRequired = false;
        // The errorCount lines from the errorAtLine-th received line on are
        // answered "error:<errorCode>" instead of being carried out.
        int errorAtLine = -1;
        int errorCode = 20;
        int errorCount = 1;
        // When the alarmAtLine-th line arrives the machine raises
        // "ALARM:<alarmCode>" and locks; that line and later motion are refused.
        int alarmAtLine = -1;
        int alarmCode = 1;
        int vanishAfterLines = -1;
        // Network faults, when line N arrives: the connection is reset (the
        // board restarts and forgets what it held), or only our sending half
        // is closed (the host reads the end while it may still write).
        int resetAfterLines = -1;
        int halfCloseAfterLines = -1;
        int muteAfterLines = -1;
        int garbageEvery = 0;
        // Text of the noise lines; empty gives lines that match nothing.
        QByteArray noiseText;
        int otaChunkDelayMs = 0;
        // How long a stored job takes to run once "$@file@done" arrives.
        int jobRunMs = 200;
        // A part or firmware transfer that stops for this long is abandoned.
        int rawTimeoutMs = 3000;
        // Echo the traffic on standard error, for someone watching a session.
        bool verbose = false;
        // Sample how full the receive buffer stays (state "fedShare").
        bool measureFeed = false;
        // Where a job received in parts is written once it is complete.
        QString saveJobPath;
        // Where every G-code line the machine carries out is appended, as it
        // runs, so a test can follow the burn even after the device vanished.
        QString executedLogPath;
    };

    Engraver(const Options &options, SerialLink *link, QObject *parent = nullptr);

    QJsonObject state() const;
    // Prints a line as if the firmware had printed it (control channel "send").
    void printLine(const QByteArray &text);

signals:
    // The emulated device is gone: the caller closes the pty and exits.
    void vanished();
    // A network fault: the caller resets the connection (reset) or closes
    // only its sending half.
    void dropConnection(bool reset);

private:
    enum class RawMode { None, Package, Firmware };
    enum class Outcome { Done, Stall };

    void receive(const QByteArray &bytes);
    int receiveRaw(const char *data, int size);
    void receiveRealtime(char byte);
    void completeLine();
    void processQueue();
    Outcome processLine(const QByteArray &line, int number);
    Outcome processSystemCommand(const QByteArray &line);
    Outcome processGcode(const QByteArray &line);

    void answer(const QByteArray &text);
    void print(const QByteArray &text);
    void send(const QByteArray &text, int answers);
    QByteArray noiseLine();
    void answersDelivered(int count);
    void trace(const char *direction, const QByteArray &text) const;
    void countOutstanding(int delta);
    // Sampled every millisecond with measureFeed: whether the receive buffer
    // (bytes sent by the host and not yet answered, on the wire or read)
    // holds at least a whole line, over the last stretch of traffic.
    void sampleFeed();
    double fedShare() const;

    void softReset();
    void refuseLocked();
    void resumeFromHold();
    QByteArray statusReport() const;

    void announcePart(const QByteArray &line);
    void finishPart();
    void startStoredJob();
    void runJobSlice();
    void finishStoredJob();

    void startFirmware(const QByteArray &line);
    void askFirmwarePiece();
    void abandonRawTransfer();
    void vanish();
    void dropLink(bool reset);
    void logExecuted(const QByteArray &line);

    Options mOptions;
    SerialLink *mLink;
    Machine mMachine;

    // Reported position; the machine's own position runs ahead of it while
    // moves wait in the planner during a feed hold.
    Machine::Target mPosition;
    QList<Machine::Target> mPlanner;
    QList<QByteArray> mHeldLines;
    bool mAlarm = false;
    bool mHeld = false;
    bool mEndAfterHold = false;
    bool mMuted = false;
    bool mGone = false;

    // Character counting: bytes of command lines received and not yet answered.
    QByteArray mPartialLine;
    QList<QByteArray> mQueue;
    // The received-line number (from 1) of each queued line.
    QList<int> mQueueNumbers;
    QList<int> mAwaitingDelivery;
    int mCurrentLineSize = 0;
    int mDeferredAnswerSize = 0;
    int mOutstanding = 0;
    int mUnreadInput = 0;
    int mMaxOutstanding = 0;
    int mOverflows = 0;
    bool mOverfull = false;
    QTimer *mFeedSampler = nullptr;
    int mLastLineSize = 0;
    int mIdleSamples = 0;
    qint64 mFeedSamples = 0;
    qint64 mFedSamples = 0;

    QStringList mLines;
    QByteArray mRealtime;
    int mReplyLines = 0;
    quint32 mGarbageCounter = 0;

    RawMode mRawMode = RawMode::None;
    qint64 mRawExpected = 0;
    QByteArray mRawBytes;
    QTimer *mRawTimer;

    int mNextPart = 1;
    int mPartUncompressedSize = 0;
    QByteArray mJob;
    int mParts = 0;
    int mPartErrors = 0;

    QList<QByteArray> mJobLines;
    int mJobIndex = 0;
    bool mJobRunning = false;
    QTimer *mJobTimer;

    QByteArray mFirmware;
    int mFirmwarePiece = 0;

    QFile *mExecutedLog = nullptr;
};
