#pragma once

#include "gcode/gcodebuffer.h"
#include "gcode/jobmap.h"
#include "device/grblreply.h"
#include "device/grblsettings.h"
#include "device/joberrors.h"
#include "device/devicelink.h"
#include "device/machinelock.h"
#include "device/panelmessageid.h"
#include "device/receivebufferaccount.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QRectF>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <QVersionNumber>

#include <functional>

class QTimer;
class Serial;
class SerialLink;
class SilenceWatch;
class TcpLink;

// The engraver controller. It lives in a thread of its own (created without
// parent, then moved) and owns the serial port; the rest of the program
// reaches it only through queued signals: jobs (grblGcodePrint), the frame
// (grblFrameLoc) and panel messages (getPanelMessage), and it answers with
// sendPanelMessage. No call ever blocks: waiting is done by timers.
class LowerGrbl : public QObject
{
    Q_OBJECT
public:
    // Reads the bytes of a built-in firmware image; false when it is missing.
    using FirmwareImageProvider = std::function<bool(const QString &resource, QByteArray *image)>;

    static constexpr int readBufferLimit = 64 * 1024;
    static constexpr int minimumRxSize = 1024;
    static constexpr int rxReserve = 100;
    static constexpr int streamStartFree = 300;
    static constexpr int otaPieceSize = 4096;
    // What a standard GRBL 1.1 build holds when its "[OPT:...]" is missing.
    static constexpr int genericRxSize = 128;

    explicit LowerGrbl(QObject *parent = nullptr);
    ~LowerGrbl() override;

    // Time-outs, changeable so that tests need not wait for them.
    void setSearchPeriod(int ms) { mSearchPeriod = ms; }
    void setPortWatchInterval(int ms);
    void setPartTimeout(int ms) { mPartTimeoutMs = ms; }
    // A link with answers owed that stays silent for two periods (a status
    // query goes out after the first) counts as lost.
    void setStallPeriod(int ms);
    void setConnectTimeout(int ms);
    void setFirmwareImageProvider(FirmwareImageProvider provider);

    // Searches only `names` instead of every port (a port named by the user);
    // an empty list searches every port again. A single "host:port" or
    // "tcp://host:port" connects over the network instead.
    void restrictSearchTo(const QStringList &names);

    // State, for the command-line tool and tests.
    QString portName() const { return mPortName; }
    bool isConnected() const;
    bool isPrinting() const { return mPrinting; }
    bool takesParts() const { return mFileTransferModel; }
    // A standard GRBL 1.1 controller rather than one of the engraver's models.
    bool isGenericGrbl() const { return mGenericGrbl; }
    QVersionNumber firmware() const { return mFirmwareVersion; }
    QVersionNumber hardware() const { return mHardwareVersion; }
    const ReceiveBufferAccount &account() const { return mAccount; }
    int errorReplies() const { return mErrorReplies; }
    // The last "error:N" with its meaning, e.g. "error:20 Unsupported or
    // invalid g-code command found in block."
    QString lastError() const { return mLastError; }
    int readBufferSize() const { return mReadBuffer.size(); }
    bool isWatchingPort() const;
    bool isSearching() const;
    QStringList searchedPorts() const;
    const GrblSettings &deviceSettings() const { return mDeviceSettings; }
    int pendingRecords() const { return mJob.size() - mNextRecord; }
    // Records of the job in flight the engraver answered (line mode).
    int acknowledgedRecords() const { return mAcknowledged; }
    // Whether an interrupted job waits to be taken up again.
    bool hasResumePoint() const { return mResumeUnit >= 0; }
    const MachineLock &machineLock() const { return mLock; }
    const JobErrors &jobErrors() const { return mJobErrors; }
    // Connected, and every command of the connection's start answered.
    bool isSettled() const { return isConnected() && mAccount.inFlight().isEmpty(); }
    // Off by default: the first line the engraver refuses stops the job.
    void setContinuePastErrors(bool on) { mContinuePastErrors = on; }
    bool continuesPastErrors() const { return mContinuePastErrors; }
    // The job just given takes a job file up again (JobErrors::numberLines).
    void numberJobLines(int setupRecords, qint64 firstLine) { mJobErrors.numberLines(setupRecords, firstLine); }

    // Answered moves GRBL may still hold unexecuted in its planner (16
    // blocks in GRBL 1.1); a resume starts before the oldest of them.
    static constexpr int plannerBlocks = 16;

    // Tags of counted commands in flight besides job records (0 and up).
    static constexpr int otherCommand = -1;
    static constexpr int homeCommand = -2;
    static constexpr int unlockCommand = -3;
    static constexpr int noCommand = -100;

signals:
    void sendPanelMessage(QStringList message);

public slots:
    void lowerBackInfoCheck();
    void lowerRead();
    void getPanelMessage(QStringList message);
    void serialErrorHandle(QSerialPort::SerialPortError error);
    void grblGcodePrint(QList<GCodeBuffer> g);
    void grblFrameLoc(QRectF bound);
    void serialAvailableCheck();
    void reset_sending_status();

private:
    // Send path.
    bool sendCommand(const QByteArray &data, bool counted);
    // A counted command whose answer matters: `tag` comes back from
    // acknowledgeOldest (homeCommand, unlockCommand).
    bool sendTagged(const QByteArray &data, int tag);
    void writeCounted(const QByteArray &data, bool counted);
    void writeToPort(const QByteArray &data);
    // The tag of the command answered: its job record (from 0), or one of
    // the command tags below; noCommand when nothing was in flight.
    int acknowledgeOldest();
    void setBufferSize(int n);

    // Replies and messages.
    void appendFromPort();
    void handleLine(const QByteArray &line);
    void handleMessage(const QString &message);
    void handleNotice(GrblReply::Notice notice);
    void handleStatusReport(const GrblReply &reply);
    void handleAnswer(const GrblReply &reply);
    void handleAlarm(int code);
    void noticeLock(bool news);
    void handleSettingsLine(const GrblReply &reply);
    void handleGenericSetting(int number, double value);
    void handleIdentification(const GrblReply &reply, bool *accepted, bool *stop);
    void applyModel();
    void acceptPort();
    // The build information ends without "[HARDVER:...]" on a GRBL 1.1 build.
    bool looksGeneric() const;
    void acceptGeneric(int rxSize);
    // False for what a generic controller would refuse: "$@" commands and
    // the engraver's fan words.
    bool understands(const QByteArray &command) const;
    // Bytes kept free while streaming, and the free space streaming waits
    // for, scaled down for receive buffers smaller than the engraver's.
    int streamReserve() const;
    int streamStartSpace() const;
    void startDeviceSearch();
    // Links (lowergrbl.cpp): which one carries the protocol, and its losses.
    void useLink(DeviceLink *link, void (LowerGrbl::*reader)());
    void connectNetwork(const QString &host, quint16 port);
    void networkOpened();
    void linkFailed(DeviceLink::Failure failure, const QString &name);
    void linkLost();
    void linkStalled();
    // Whether a status query may go out now, so that silence can be told apart.
    bool probeAllowed() const;
    void watchAnswers();
    // Connects to the one port the user typed or picked, serial or network.
    void choosePort(const QString &name);
    void notifyPanel(PanelNotice id, double value);
    void notifyPanel(PanelNotice id, const QString &value);

    // Job transfer (jobtransfer.cpp).
    void streamLines();
    bool sendNextPart();
    void clearJob();
    void reportProgress();
    // Part mode: progress from the bytes of the part already written.
    void uploadWritten(qint64 bytes);
    void reportUpload();
    void reportPercent(int done);
    void handleTransferReply(GrblReply::TransferStep step);
    void askPackInfo();
    void askPackage();
    void packageReceived();
    void endOfJob();
    void repeatPendingHold();
    // Why the job cannot start, or an empty text when it can.
    QString refusalOf(const QList<GCodeBuffer> &job) const;

    // Errors during a job (jobfailure.cpp): feed hold, then once the hold
    // completes a reset that stops the laser and empties the buffer.
    void failJob();
    void pollStop();
    void finishStop();

    // Recovery (jobrecovery.cpp).
    // The job in flight ended early: keeps where to take it up and offers it.
    void interruptJob();
    void resumeJob();
    void forgetJob();

    // Machine commands (machinecommands.cpp).
    void home();
    void unlock();
    void jog(double speed, double distance, int direction);
    void goTo(double x, double y);
    void setPositionLaser(double percent);
    void laserOff();
    void queryStatus();
    bool feedHold();
    void resume();
    bool softReset();
    void applyMachineSetting(const QString &text);
    void sendOverride(PanelCommand kind, double value);

    // Firmware upgrade (firmwareupgrade.cpp).
    void startFirmwareUpgrade();
    void sendFirmwarePiece();
    void firmwareDone();

    // Panel values.
    double mAreaWidth = 0;
    double mAreaHeight = 0;
    double mPrintPower = 0;
    double mPrintSpeed = 0;
    int mLaserOn = 0;
    double mPositionPower = 0;
    double mMoveSpeed = 0;
    double mMoveDistance = 0;
    double mMaxLaserPower = 1000;
    GrblSettings mDeviceSettings;
    double mMachineX = 0;
    double mMachineY = 0;

    // Connection. mLink is the one the protocol runs over: the serial link,
    // whose port the search drives, or the network link.
    SerialLink *mSerialLink = nullptr;
    Serial *mSerial = nullptr;
    TcpLink *mTcpLink = nullptr;
    DeviceLink *mLink = nullptr;
    SilenceWatch *mSilence = nullptr;
    QByteArray mReadBuffer;
    QString mPortName;
    QTimer *mPortWatch = nullptr;
    QTimer *mPartTimeout = nullptr;
    QTimer *mUploadTicker = nullptr;
    QVersionNumber mFirmwareVersion;
    QVersionNumber mHardwareVersion;
    bool mFileTransferModel = false;
    bool mGenericGrbl = false;
    bool mHardwareSeen = false;
    MachineLock mLock;
    JobErrors mJobErrors;
    bool mContinuePastErrors = false;
    QTimer *mStopPoll = nullptr;
    int mCommandTag = -1;
    // Work coordinate offset of the last status report that carried one.
    double mWorkOffsetX = 0;
    double mWorkOffsetY = 0;
    int mWritesSuppressed = 2;
    ReceiveBufferAccount mAccount;
    // "$I" is written outside the account; its "ok" may arrive after the
    // port is accepted and must not free the space of a later command.
    bool mIdentifyAnswerPending = false;
    int mErrorReplies = 0;
    QString mLastError;
    int mSearchPeriod = 2500;
    int mPartTimeoutMs = 50000;

    // Job. The records stay until the job ends, so an interrupted one can be
    // taken up again; mNextRecord is the first not yet sent.
    QList<GCodeBuffer> mJob;
    int mNextRecord = 0;
    // Parallel to the account's commands in flight: the job record each one
    // carries, or -1 for other commands.
    QList<int> mInFlightRecords;
    int mAcknowledged = 0;
    // Set when the job in flight is interrupted: the unit to take it up at,
    // and the rows and outlines of the original job before the one in
    // flight (a resumed job numbers them as the original did).
    int mResumeUnit = -1;
    int mRowsBefore = 0;
    int mOutlinesBefore = 0;
    JobMap::Unit mResumeAt;
    int mResumeRowsBefore = 0;
    int mResumeOutlinesBefore = 0;
    QByteArray mPackageBuffer;
    int mPartNumber = 0;
    int mTotalLines = 0;
    int mSentLines = 0;
    int mLastReported = 0;
    int mReportStep = 0;
    // The part being uploaded: records before it and in it, bytes queued
    // ahead of it, bytes of it not yet written, its size.
    int mPartBase = 0;
    int mPartRecords = 0;
    qint64 mUploadAhead = 0;
    qint64 mUploadLeft = 0;
    qint64 mUploadSize = 0;
    double mLastPercent = 0;
    QElapsedTimer mUploadClock;
    bool mPrinting = false;
    bool mPaused = false;
    bool mPartInFlight = false;
    bool mStopPending = false;
    bool mHoldPending = false;

    // Firmware upgrade.
    QByteArray mOtaImage;
    int mOtaOffset = 0;      // bytes of otaImage already written
    double mOtaSize = 0;
    double mOtaSent = 0;
    bool mOtaActive = false;
    FirmwareImageProvider mFirmwareImages;
};
