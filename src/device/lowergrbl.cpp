#include "device/lowergrbl.h"

#include "common/settingsnames.h"
#include "device/grblcodes.h"
#include "device/grblmodel.h"
#include "device/panelmessage.h"
#include "device/serial.h"
#include "device/serialaccess.h"
#include "device/seriallink.h"
#include "device/silencewatch.h"
#include "device/tcplink.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMetaEnum>
#include <QSerialPortInfo>
#include <QSettings>
#include <QTimer>

namespace {

const char *errorName(QSerialPort::SerialPortError error)
{
    return QMetaEnum::fromType<QSerialPort::SerialPortError>().valueToKey(error);
}

bool readBuiltInImage(const QString &resource, QByteArray *image)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *image = file.readAll();
    return true;
}

// Commands whose handler reads the number after the id; without it they are
// ignored. GoTo needs two and checks them itself.
bool needsValue(PanelCommand id)
{
    switch (id) {
    case PanelCommand::PrintPower:
    case PanelCommand::PrintSpeed:
    case PanelCommand::PositionLaserOn:
    case PanelCommand::PositionPower:
    case PanelCommand::Jog:
    case PanelCommand::MoveSpeed:
    case PanelCommand::MoveDistance:
    case PanelCommand::MaxLaserPower:
    case PanelCommand::PausePrint:
    case PanelCommand::AreaWidth:
    case PanelCommand::AreaHeight:
    case PanelCommand::LocatingTool:
    case PanelCommand::Roller:
    case PanelCommand::FeedOverride:
    case PanelCommand::RapidOverride:
    case PanelCommand::SpindleOverride:
    case PanelCommand::ContinuePastErrors:
        return true;
    default:
        return false;
    }
}

} // namespace

LowerGrbl::LowerGrbl(QObject *parent)
    : QObject(parent)
    , mSerialLink(new SerialLink(this))
    , mSerial(mSerialLink->port())
    , mTcpLink(new TcpLink(this))
    , mLink(mSerialLink)
    , mSilence(new SilenceWatch(this))
    , mPortWatch(new QTimer(this))
    , mPartTimeout(new QTimer(this))
    , mUploadTicker(new QTimer(this))
    , mFirmwareVersion(0, 0, 0)
    , mHardwareVersion(0, 0, 0)
    , mFirmwareImages(readBuiltInImage)
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::lowerGrblGroup);
    mAreaWidth = settings.value(QStringLiteral("areaWidth"), 0.0).toDouble();
    mAreaHeight = settings.value(QStringLiteral("areaHeight"), 0.0).toDouble();
    mMaxLaserPower = settings.value(QStringLiteral("maxLaserPowerValue"), 1000.0).toDouble();
    mDeviceSettings.load(settings);
    settings.endGroup();

    mSerial->applyLineSettings();
    connect(mSerial, &QSerialPort::errorOccurred, this, &LowerGrbl::serialErrorHandle);
    for (DeviceLink *link : {static_cast<DeviceLink *>(mSerialLink), static_cast<DeviceLink *>(mTcpLink)})
        connect(link, &DeviceLink::bytesWritten, this, &LowerGrbl::uploadWritten);
    connect(mTcpLink, &DeviceLink::opened, this, &LowerGrbl::networkOpened);
    connect(mTcpLink, &DeviceLink::failed, this, &LowerGrbl::linkFailed);
    connect(mTcpLink, &DeviceLink::lost, this, &LowerGrbl::linkLost);
    // GRBL answers "?" at once, even with its planner full or held.
    connect(mSilence, &SilenceWatch::probe, this, [this] {
        watchAnswers();
        if (mSilence->isWatching())
            writeToPort(QByteArrayLiteral("?"));
    });
    connect(mSilence, &SilenceWatch::stalled, this, &LowerGrbl::linkStalled);
    mPortWatch->setInterval(1000);
    connect(mPortWatch, &QTimer::timeout, this, &LowerGrbl::serialAvailableCheck);
    mPartTimeout->setSingleShot(true);
    connect(mPartTimeout, &QTimer::timeout, this, &LowerGrbl::reset_sending_status);
    // Part mode: the transfer bar moves a few times a second while a part uploads.
    mUploadTicker->setInterval(200);
    connect(mUploadTicker, &QTimer::timeout, this, &LowerGrbl::reportUpload);
    // A job stopped by an error polls the status until its hold completes.
    mStopPoll = new QTimer(this);
    mStopPoll->setInterval(100);
    connect(mStopPoll, &QTimer::timeout, this, &LowerGrbl::pollStop);
}

LowerGrbl::~LowerGrbl()
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::lowerGrblGroup);
    settings.setValue(QStringLiteral("areaWidth"), mAreaWidth);
    settings.setValue(QStringLiteral("areaHeight"), mAreaHeight);
    settings.setValue(QStringLiteral("maxLaserPowerValue"), mMaxLaserPower);
    mDeviceSettings.save(settings);
    settings.endGroup();
}

void LowerGrbl::setPortWatchInterval(int ms)
{
    mPortWatch->setInterval(ms);
}

void LowerGrbl::setStallPeriod(int ms)
{
    mSilence->setPeriod(ms);
}

void LowerGrbl::setConnectTimeout(int ms)
{
    mTcpLink->setConnectTimeout(ms);
}

void LowerGrbl::setFirmwareImageProvider(FirmwareImageProvider provider)
{
    mFirmwareImages = provider ? std::move(provider) : FirmwareImageProvider(readBuiltInImage);
}

void LowerGrbl::restrictSearchTo(const QStringList &names)
{
    mSerial->setCandidatePorts(names);
}

bool LowerGrbl::isConnected() const
{
    return !mPortName.isEmpty() && mLink->isOpen();
}

bool LowerGrbl::isSearching() const
{
    // A network link is being opened or identified.
    if (mLink == mTcpLink)
        return mPortName.isEmpty() && mTcpLink->isBusy();
    return mSerial->isSearching();
}

QStringList LowerGrbl::searchedPorts() const
{
    if (mLink == mTcpLink)
        return {mTcpLink->name()};
    return mSerial->searchedPorts();
}

bool LowerGrbl::isWatchingPort() const
{
    return mPortWatch->isActive();
}

// ---- send path ----

bool LowerGrbl::sendCommand(const QByteArray &data, bool counted)
{
    if (!understands(data)) {
        qDebug() << "not sent to a generic GRBL controller:" << data;
        return false;
    }
    if (mPartInFlight) {
        qDebug() << "tsend" << data;
        return false;
    }
    writeCounted(data, counted);
    qDebug() << "fsend" << data;
    return true;
}

bool LowerGrbl::sendTagged(const QByteArray &data, int tag)
{
    mCommandTag = tag;
    const bool sent = sendCommand(data, true);
    mCommandTag = otherCommand;
    return sent;
}

void LowerGrbl::writeCounted(const QByteArray &data, bool counted)
{
    // An empty command would never be answered, yet hold an entry in flight.
    if (data.isEmpty())
        return;
    // Real-time bytes (stop, hold, resume, status) bypass the engraver's line
    // buffer, so a full buffer must not swallow a stop.
    const bool realtime = !counted && data.size() == 1;
    if (realtime ? mAccount.size() <= 0 : !mAccount.take(data.size(), counted))
        return;
    if (counted)
        mInFlightRecords.append(mCommandTag);
    if (mWritesSuppressed == 0)
        writeToPort(data);
    if (counted)
        watchAnswers();
}

void LowerGrbl::writeToPort(const QByteArray &data)
{
    if (mLink->isOpen())
        mLink->write(data);
}

int LowerGrbl::acknowledgeOldest()
{
    if (!mAccount.acknowledgeOldest() || mInFlightRecords.isEmpty())
        return noCommand;
    // "error:" answers a line too: the engraver has gone past it.
    const int record = mInFlightRecords.takeFirst();
    if (record >= 0)
        mAcknowledged = record + 1;
    return record;
}

void LowerGrbl::setBufferSize(int n)
{
    mAccount.setBufferSize(n);
    mInFlightRecords.clear();
    watchAnswers();
}

// ---- readers ----

void LowerGrbl::appendFromPort()
{
    mReadBuffer += mLink->readAll();
}

void LowerGrbl::lowerBackInfoCheck()
{
    appendFromPort();
    if (!mReadBuffer.endsWith('\n')) {
        if (mReadBuffer.size() > readBufferLimit) {
            qDebug() << "read buffer full, dropped" << mReadBuffer.size() - readBufferLimit << "bytes";
            mReadBuffer.remove(0, mReadBuffer.size() - readBufferLimit);
        }
        return;
    }
    // Lines end in "\r\n"; a bare "\n" separates them as well.
    QStringList pieces = QString::fromUtf8(mReadBuffer).split(QLatin1Char('\n'));
    for (QString &piece : pieces) {
        if (piece.endsWith(QLatin1Char('\r')))
            piece.chop(1);
    }
    qDebug() << "lower back check serial read:" << pieces;

    bool accepted = false;
    for (const QString &piece : qAsConst(pieces)) {
        const GrblReply reply = GrblReply::classify(piece.toUtf8());
        if (accepted) {
            // The "ok" that closes the build information came with it.
            if (mIdentifyAnswerPending && reply.kind == GrblReply::Kind::Ok)
                mIdentifyAnswerPending = false;
            continue;
        }
        bool stop = false;
        handleIdentification(reply, &accepted, &stop);
        if (stop)
            break;
    }
    mReadBuffer.clear();
}

void LowerGrbl::handleIdentification(const GrblReply &reply, bool *accepted, bool *stop)
{
    switch (reply.kind) {
    case GrblReply::Kind::Banner:
        mSerial->stopAutoSend();
        writeToPort(QByteArrayLiteral("$I\n"));
        mIdentifyAnswerPending = true;
        mFileTransferModel = false;
        mGenericGrbl = false;
        mHardwareSeen = false;
        mLock.reset();
        break;
    case GrblReply::Kind::Message:
        // A board locked in alarm says so right after its banner.
        if (reply.notice == GrblReply::Notice::UnlockNeeded)
            mLock.lockNoticed();
        break;
    case GrblReply::Kind::Version:
        mFirmwareVersion = reply.version;
        qDebug() << "soft version" << mFirmwareVersion;
        break;
    case GrblReply::Kind::HardwareVersion:
        mHardwareVersion = reply.version;
        mHardwareSeen = true;
        qDebug() << "hardware version:" << mHardwareVersion;
        applyModel();
        break;
    case GrblReply::Kind::Options: {
        const int n = reply.rxBufferSize;
        if (looksGeneric() && n > 0) {
            acceptGeneric(n);
            *accepted = true;
            break;
        }
        setBufferSize(n);
        mWritesSuppressed = 0;
        if (n < minimumRxSize) {
            qDebug() << "receive buffer too small" << n;
            *stop = true;
            return;
        }
        acceptPort();
        *accepted = true;
        break;
    }
    case GrblReply::Kind::Ok:
        // Build information without "[OPT:...]" ends here.
        if (mIdentifyAnswerPending && looksGeneric()) {
            mIdentifyAnswerPending = false;
            acceptGeneric(genericRxSize);
            *accepted = true;
        }
        break;
    default:
        break;
    }
}

bool LowerGrbl::looksGeneric() const
{
    return !mHardwareSeen && mFirmwareVersion.majorVersion() == 1
           && mFirmwareVersion.minorVersion() == 1;
}

void LowerGrbl::acceptGeneric(int rxSize)
{
    qDebug() << "generic GRBL controller, receive buffer" << rxSize;
    mGenericGrbl = true;
    mFileTransferModel = false;
    setBufferSize(rxSize);
    mWritesSuppressed = 0;
    acceptPort();
}

bool LowerGrbl::understands(const QByteArray &command) const
{
    if (!mGenericGrbl)
        return true;
    return !command.startsWith("$@") && !command.startsWith("M106") && !command.startsWith("M107");
}

void LowerGrbl::applyModel()
{
    const GrblModel model = GrblModels::find(mHardwareVersion);
    if (!model.isValid())
        return;
    if (model.takesParts)
        mFileTransferModel = true;
    if (QVersionNumber::compare(model.hardware, QVersionNumber(3, 0, 0)) == 0)
        qDebug() << "firmware: tova2626 ble";
    notifyPanel(PanelNotice::HardwareVersion, model.panelHardware);
    if (mFirmwareVersion.isNull())
        qDebug() << "firmware version error";
    if (QVersionNumber::compare(mFirmwareVersion, model.shippedFirmware) < 0) {
        if (model.name == QLatin1String("tova2626") || model.name == QLatin1String("kelp"))
            qDebug() << model.name + QStringLiteral(" don`t upgrade");
        notifyPanel(PanelNotice::FirmwareOutdated, 1);
    }
}

void LowerGrbl::acceptPort()
{
    mSerial->stopAutoSend();
    useLink(mLink, &LowerGrbl::lowerRead);
    mPortName = mLink->name();
    // A socket reports its own loss; only a serial device node is watched.
    if (mLink == mSerialLink)
        mPortWatch->start();
    notifyPanel(PanelNotice::Connected, mPortName);
    if (mGenericGrbl)
        notifyPanel(PanelNotice::GenericController, 1);
    if (mLock.isLocked())
        notifyPanel(PanelNotice::MachineLocked, mLock.reason());
    // Nothing moves at connection: homing is offered once $22=1 arrives and
    // runs only when the user asks for it.
    sendCommand(QByteArrayLiteral("$$\n"), true);
    setPositionLaser(mPositionPower);
}

void LowerGrbl::lowerRead()
{
    appendFromPort();
    int start = 0;
    int end;
    while ((end = mReadBuffer.indexOf('\n', start)) >= 0) {
        const QByteArray line = mReadBuffer.mid(start, end + 1 - start);
        start = end + 1;
        handleLine(line);
    }
    mReadBuffer.remove(0, start);
    watchAnswers();
    // A device that never ends its lines must not fill the memory.
    if (mReadBuffer.size() > readBufferLimit) {
        qDebug() << "read buffer full, dropped" << mReadBuffer.size() - readBufferLimit << "bytes";
        mReadBuffer.remove(0, mReadBuffer.size() - readBufferLimit);
    }
}

void LowerGrbl::handleLine(const QByteArray &line)
{
    const GrblReply reply = GrblReply::classify(line);
    // Only a line the controller could have written shows it is alive; a
    // peer that sends nothing but noise is as silent as one that sends nothing.
    if (reply.kind != GrblReply::Kind::Other)
        mSilence->heard();
    switch (reply.kind) {
    case GrblReply::Kind::Ok:
    case GrblReply::Kind::Error:
        handleAnswer(reply);
        break;
    case GrblReply::Kind::Transfer:
        handleTransferReply(reply.step);
        break;
    case GrblReply::Kind::Alarm:
        handleAlarm(reply.number);
        break;
    case GrblReply::Kind::Message:
        handleNotice(reply.notice);
        break;
    case GrblReply::Kind::Setting:
        handleSettingsLine(reply);
        break;
    case GrblReply::Kind::Status:
        handleStatusReport(reply);
        break;
    case GrblReply::Kind::Banner:
        mLock.restarted();
        // The engraver restarted while the job was held.
        if (mPaused) {
            queryStatus();
            setPositionLaser(mPositionPower);
        }
        break;
    default:
        break;
    }
}

void LowerGrbl::handleNotice(GrblReply::Notice notice)
{
    switch (notice) {
    case GrblReply::Notice::UnlockNeeded:
        // Never "$X" by itself: the user homes or unlocks.
        noticeLock(mLock.lockNoticed());
        break;
    case GrblReply::Notice::FirmwarePieceWanted:
        sendFirmwarePiece();
        break;
    case GrblReply::Notice::FirmwareWritten:
        firmwareDone();
        break;
    case GrblReply::Notice::ProgramEnd:
        endOfJob();
        break;
    case GrblReply::Notice::Held:
    case GrblReply::Notice::None:
        break;
    }
}

void LowerGrbl::handleAnswer(const GrblReply &reply)
{
    const bool ok = reply.kind == GrblReply::Kind::Ok;
    int tag = noCommand;
    if (mIdentifyAnswerPending)
        mIdentifyAnswerPending = false;
    else
        tag = acknowledgeOldest();
    if (!ok) {
        ++mErrorReplies;
        mLastError = QStringLiteral("error:%1 %2").arg(reply.number).arg(GrblCodes::errorText(reply.number));
        qDebug() << "error reply" << mErrorReplies << mLastError;
    }
    if (tag == homeCommand || tag == unlockCommand) {
        if (ok) {
            mLock.lifted();
            notifyPanel(PanelNotice::MachineReady, tag == homeCommand ? 1 : 2);
            queryStatus();
            setPositionLaser(mPositionPower);
        } else {
            notifyPanel(PanelNotice::LockNotLifted, mLastError);
        }
    } else if (!ok && tag >= 0 && mPrinting) {
        if (mJobErrors.lineFailed(tag, reply.number)) {
            failJob();
            return;
        }
    }
    // A failed line is answered too: streaming goes on (past errors), or a
    // job whose last outstanding line fails would hang.
    streamLines();
}

void LowerGrbl::handleAlarm(int code)
{
    qDebug() << "alarm" << code << GrblCodes::alarmText(code);
    noticeLock(mLock.alarmRaised(code));
    if (mPrinting && mJobErrors.alarm(code, mAcknowledged))
        failJob();
}

void LowerGrbl::noticeLock(bool news)
{
    if (news)
        notifyPanel(PanelNotice::MachineLocked, mLock.reason());
}

void LowerGrbl::handleStatusReport(const GrblReply &reply)
{
    const QByteArray state = reply.text.left(reply.text.indexOf('|'));
    noticeLock(mLock.statusState(state));
    if (mJobErrors.isStopping() && (state.startsWith("Hold:0") || state == "Idle" || state == "Alarm"))
        finishStop();

    // GRBL reports the machine position, or with $10=0 the work position and
    // now and then the offset between them.
    const QList<QByteArray> offset = reply.statusField(QByteArrayLiteral("WCO"));
    if (offset.size() >= 2) {
        bool xOk = false;
        bool yOk = false;
        const double x = offset.at(0).toDouble(&xOk);
        const double y = offset.at(1).toDouble(&yOk);
        if (xOk && yOk) {
            mWorkOffsetX = x;
            mWorkOffsetY = y;
        }
    }
    QList<QByteArray> position = reply.statusField(QByteArrayLiteral("MPos"));
    const bool workPosition = position.size() < 2;
    if (workPosition)
        position = reply.statusField(QByteArrayLiteral("WPos"));
    if (position.size() < 2)
        return;
    bool xOk = false;
    bool yOk = false;
    double x = position.at(0).toDouble(&xOk);
    double y = position.at(1).toDouble(&yOk);
    if (!xOk || !yOk)
        return;
    QByteArray xText = position.at(0);
    QByteArray yText = position.at(1);
    if (workPosition) {
        x += mWorkOffsetX;
        y += mWorkOffsetY;
        xText = QByteArray::number(x, 'f', 3);
        yText = QByteArray::number(y, 'f', 3);
    }
    // The numbers go to the panel as the engraver printed them.
    notifyPanel(PanelNotice::Position, QStringLiteral("value:x") + QString::fromLatin1(xText)
                + QStringLiteral(",y") + QString::fromLatin1(yText));
    mMachineX = x;
    mMachineY = y;
}

void LowerGrbl::handleSettingsLine(const GrblReply &reply)
{
    if (reply.number == 22) {
        mLock.setHomingEnabled(reply.value == 1);
        notifyPanel(PanelNotice::HomingAvailable, mLock.homingEnabled() ? 1 : 0);
    }
    if (mGenericGrbl)
        handleGenericSetting(reply.number, reply.value);
    if (!mDeviceSettings.store(reply.number, reply.value))
        return;
    if (const std::optional<PanelNotice> notice = mDeviceSettings.notice(reply.number))
        notifyPanel(*notice, mDeviceSettings.noticeValue(reply.number));
    switch (reply.number) {
    case 1:
    case 11:
    case 12:
    case 100:
    case 101:
    case 110:
    case 111:
    case 120:
    case 121:
        notifyPanel(PanelNotice::MotionSetting, QStringLiteral("%1=%2").arg(reply.number)
                    .arg(PanelMessage::formatNumber(mDeviceSettings.value(reply.number))));
        break;
    default:
        break;
    }
}

void LowerGrbl::handleGenericSetting(int number, double value)
{
    switch (number) {
    case 30:
        // The S value of full power on this board.
        if (value > 0)
            mMaxLaserPower = value;
        break;
    case 32:
        if (value == 0) {
            qDebug() << "laser mode is off ($32=0): the laser stops at every corner";
            notifyPanel(PanelNotice::LaserModeOff, 1);
        }
        break;
    default:
        break;
    }
}

// ---- panel messages ----

void LowerGrbl::getPanelMessage(QStringList message)
{
    for (const QString &text : qAsConst(message))
        handleMessage(text);
}

void LowerGrbl::handleMessage(const QString &message)
{
    const QStringList tokens = PanelMessage::splitNumbers(message);
    if (tokens.isEmpty())
        return;
    bool idOk = false;
    const auto id = static_cast<PanelCommand>(tokens.at(0).toInt(&idOk));
    if (!idOk)
        return;
    const bool hasValue = tokens.size() > 1;
    const double value = hasValue ? tokens.at(1).toDouble() : 0;
    if (needsValue(id) && !hasValue)
        return;

    switch (id) {
    case PanelCommand::PrintPower:
        mPrintPower = value;
        qDebug() << "print power" << mPrintPower;
        break;
    case PanelCommand::PrintSpeed:
        mPrintSpeed = value;
        qDebug() << "speed print" << mPrintSpeed;
        break;
    case PanelCommand::PositionLaserOn:
        mLaserOn = static_cast<int>(value);
        qDebug() << "open" << mLaserOn;
        if (mLaserOn == 1)
            setPositionLaser(mPositionPower);
        else
            laserOff();
        break;
    case PanelCommand::PositionPower:
        mPositionPower = value;
        if (mLaserOn == 1)
            setPositionLaser(mPositionPower);
        else
            laserOff();
        qDebug() << "idle power" << mPositionPower;
        break;
    case PanelCommand::Home:
        home();
        break;
    case PanelCommand::Jog:
        jog(mMoveSpeed, mMoveDistance, static_cast<int>(value));
        break;
    case PanelCommand::MoveSpeed:
        mMoveSpeed = value;
        qDebug() << "speed idle" << mMoveSpeed;
        break;
    case PanelCommand::MoveDistance:
        mMoveDistance = value;
        qDebug() << "move distance" << mMoveDistance;
        break;
    case PanelCommand::MaxLaserPower:
        mMaxLaserPower = value;
        qDebug() << "max laser" << mMaxLaserPower;
        break;
    case PanelCommand::SearchDevice:
        startDeviceSearch();
        break;
    case PanelCommand::ChoosePort:
        choosePort(PanelMessage::textValue(message));
        break;
    case PanelCommand::StopPrint:
        // Stop while an error's hold completes: the reset goes out now, and
        // the error is still reported.
        if (mJobErrors.isStopping())
            finishStop();
        else
            softReset();
        setBufferSize(mAccount.size());
        qDebug() << "stop print";
        break;
    case PanelCommand::PausePrint:
        if (static_cast<int>(value) == 1) {
            mPaused = true;
            feedHold();
        } else {
            mPaused = false;
            resume();
        }
        qDebug() << "pause print" << mPaused;
        break;
    case PanelCommand::AreaWidth:
        mAreaWidth = value;
        qDebug() << "width" << mAreaWidth;
        break;
    case PanelCommand::AreaHeight:
        mAreaHeight = value;
        qDebug() << "height" << mAreaHeight;
        break;
    case PanelCommand::UpgradeFirmware:
        startFirmwareUpgrade();
        break;
    case PanelCommand::QueryPosition:
        queryStatus();
        break;
    case PanelCommand::GoTo:
        if (tokens.size() < 3)
            return;
        goTo(tokens.at(1).toDouble(), tokens.at(2).toDouble());
        break;
    case PanelCommand::MachineSetting:
        applyMachineSetting(PanelMessage::textValue(message));
        break;
    case PanelCommand::ResumePrint:
        resumeJob();
        break;
    case PanelCommand::ResumeDismissed:
        forgetJob();
        break;
    case PanelCommand::Unlock:
        unlock();
        break;
    case PanelCommand::ContinuePastErrors:
        mContinuePastErrors = value != 0;
        qDebug() << "continue past errors" << mContinuePastErrors;
        break;
    case PanelCommand::RestoreDefaults:
        sendCommand(QByteArrayLiteral("$RST=*\n"), true);
        break;
    case PanelCommand::FeedOverride:
    case PanelCommand::RapidOverride:
    case PanelCommand::SpindleOverride:
        sendOverride(id, value);
        break;
    case PanelCommand::LocatingTool:
        sendCommand("$@LOC=" + QByteArray::number(static_cast<int>(value)) + '\n', true);
        break;
    case PanelCommand::Roller:
        sendCommand("$@STEX=" + QByteArray::number(static_cast<int>(value)) + '\n', true);
        qDebug() << "roller index =" << static_cast<int>(value);
        break;
    default:
        break;
    }
}

void LowerGrbl::notifyPanel(PanelNotice id, double value)
{
    emit sendPanelMessage({PanelMessage::make(id, value)});
}

void LowerGrbl::notifyPanel(PanelNotice id, const QString &value)
{
    emit sendPanelMessage({PanelMessage::make(id, value)});
}

// ---- search, watch and errors ----

void LowerGrbl::startDeviceSearch()
{
    const QStringList names = mSerial->searchList();
    QString host;
    quint16 port = 0;
    if (names.size() == 1 && TcpLink::parseAddress(names.first(), &host, &port)) {
        connectNetwork(host, port);
        notifyPanel(PanelNotice::PortList, mTcpLink->name() + QLatin1Char(' '));
        return;
    }
    QString value;
    if (names.isEmpty()) {
        value = QStringLiteral("none");
    } else {
        mReadBuffer.clear();
        // The old connection is given up: a watch left running would take
        // the port under search for the lost one and close it.
        mPortWatch->stop();
        mSilence->stop();
        mPortName.clear();
        mTcpLink->close();
        mSerial->close();
        useLink(mSerialLink, &LowerGrbl::lowerBackInfoCheck);
        // 0x18 makes a GRBL controller print its start-up banner.
        mSerial->setAutoSend(QByteArray(1, '\x18'), mSearchPeriod);
        mSerial->startAutoSend();
        for (const QString &name : names)
            value += name + QLatin1Char(' ');
    }
    notifyPanel(PanelNotice::PortList, value);
}

void LowerGrbl::serialAvailableCheck()
{
    bool present = false;
    const QSerialPortInfo info(mPortName);
    if (!info.isNull()) {
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
        present = info.isBusy();
QT_WARNING_POP
    } else {
        // Ports named by the user (pseudo-terminals) are not listed by the
        // system: the device node must still exist and be held open by us.
        const QString location = mPortName.startsWith(QLatin1Char('/'))
                ? mPortName : QStringLiteral("/dev/") + mPortName;
        present = mSerial->isOpen() && mSerial->currentName() == mPortName
                && QFileInfo::exists(location);
    }
    if (present)
        return;
    qDebug() << "serial ckeck is null";
    serialErrorHandle(QSerialPort::ResourceError);
}

void LowerGrbl::serialErrorHandle(QSerialPort::SerialPortError error)
{
    qDebug() << "serial errhandle" << errorName(error);
    // The serial port is idle while a network link carries the protocol.
    if (mLink != mSerialLink)
        return;
    // A port the search could not open: say so when its node's permissions
    // are the reason, so that the user learns which group to join.
    if (error == QSerialPort::PermissionError && !mSerial->isOpen()
        && SerialAccess::isDenied(SerialAccess::deviceNode(mSerial->currentName()))) {
        notifyPanel(PanelNotice::PortDenied, mSerial->currentName());
        return;
    }
    if ((error == QSerialPort::ReadError || error == QSerialPort::WriteError) && mPortWatch->isActive()) {
        // A vanished pseudo-terminal reports read errors, not a resource
        // error, and would report them again at every event: look now.
        serialAvailableCheck();
        return;
    }
    if (error != QSerialPort::ResourceError && error != QSerialPort::PermissionError)
        return;
    // The watch and the port's own error may both report one loss.
    if (!mPortWatch->isActive() && !mSerial->isOpen())
        return;
    linkLost();
}

// ---- links ----

void LowerGrbl::useLink(DeviceLink *link, void (LowerGrbl::*reader)())
{
    for (DeviceLink *each : {static_cast<DeviceLink *>(mSerialLink), static_cast<DeviceLink *>(mTcpLink)})
        disconnect(each, &DeviceLink::readyRead, this, nullptr);
    mLink = link;
    connect(mLink, &DeviceLink::readyRead, this, reader);
}

void LowerGrbl::connectNetwork(const QString &host, quint16 port)
{
    mReadBuffer.clear();
    mPortWatch->stop();
    mSilence->stop();
    mPortName.clear();
    mSerial->stopAutoSend();
    mSerial->close();
    useLink(mTcpLink, &LowerGrbl::lowerBackInfoCheck);
    mTcpLink->open(host, port);
}

void LowerGrbl::networkOpened()
{
    if (mLink != mTcpLink)
        return;
    // As on a serial port: 0x18 makes the controller print its banner.
    writeToPort(QByteArray(1, '\x18'));
    // A peer that takes the connection but never identifies itself is not
    // an engraver; the search period is what a serial port gets as well.
    const QString name = mTcpLink->name();
    QTimer::singleShot(mSearchPeriod, this, [this, name] {
        if (mLink != mTcpLink || !mPortName.isEmpty() || !mTcpLink->isOpen() || mTcpLink->name() != name)
            return;
        mTcpLink->close();
        linkFailed(DeviceLink::Failure::Silent, name);
    });
}

void LowerGrbl::linkFailed(DeviceLink::Failure failure, const QString &name)
{
    qDebug() << "link failed" << DeviceLink::failureWord(failure) << name;
    notifyPanel(PanelNotice::LinkFailed, DeviceLink::failureWord(failure) + QLatin1Char(' ') + name);
}

void LowerGrbl::linkStalled()
{
    if (!isConnected())
        return;
    // A raw upload or homing may have begun since the watch was armed.
    if (!probeAllowed()) {
        mSilence->stop();
        return;
    }
    qDebug() << "link silent" << mPortName;
    notifyPanel(PanelNotice::LinkFailed,
                DeviceLink::failureWord(DeviceLink::Failure::Silent) + QLatin1Char(' ') + mPortName);
    linkLost();
}

bool LowerGrbl::probeAllowed() const
{
    // Not while bytes of a part or a firmware image go out raw, where a "?"
    // would corrupt them, nor while homing, when GRBL answers no status.
    return !mPartInFlight && !mOtaActive && !mInFlightRecords.contains(homeCommand);
}

void LowerGrbl::watchAnswers()
{
    mSilence->setExpecting(isConnected() && !mAccount.inFlight().isEmpty() && probeAllowed());
}

void LowerGrbl::choosePort(const QString &name)
{
    const QString port = name.trimmed();
    if (port.isEmpty())
        return;
    QString host;
    quint16 number = 0;
    // A typed path that names no device would only be searched in vain.
    if (!TcpLink::parseAddress(port, &host, &number) && !QFileInfo::exists(SerialAccess::deviceNode(port))) {
        linkFailed(DeviceLink::Failure::Missing, port);
        return;
    }
    // One connection to that port; a later search covers the ports it did.
    const QStringList searched = mSerial->candidatePorts();
    restrictSearchTo({port});
    startDeviceSearch();
    restrictSearchTo(searched);
}

void LowerGrbl::linkLost()
{
    // Answers that arrived before the loss still count for the resume point;
    // nothing more is written to a link that is going.
    if (!mPortName.isEmpty()) {
        const int suppressed = mWritesSuppressed;
        mWritesSuppressed = 1;
        lowerRead();
        mWritesSuppressed = suppressed;
    }
    notifyPanel(PanelNotice::Disconnected, mPortName.isEmpty() ? mLink->name() : mPortName);
    mLink->close();
    mPortWatch->stop();
    mSilence->stop();
    interruptJob();
    // Nothing of the job may go to the next connection by itself, and a part
    // that was uploading will never be confirmed.
    mPrinting = false;
    mPartInFlight = false;
    mPartTimeout->stop();
    clearJob();
}
