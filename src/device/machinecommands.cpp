// Machine commands of LowerGrbl: the operate panel's buttons and fields.
#include "device/lowergrbl.h"

#include "device/grblcommands.h"

#include <QDebug>

void LowerGrbl::home()
{
    // A board answers "$H" with "error:5" unless homing is on.
    if (mLock.homingKnown() && !mLock.homingEnabled()) {
        qDebug() << "homing is off on this controller ($22=0)";
        return;
    }
    // Homing resets the coordinates under a job: never in the middle of one.
    if (mPrinting) {
        qDebug() << "no homing while a job runs";
        return;
    }
    sendTagged(QByteArrayLiteral("$H\n"), homeCommand);
}

void LowerGrbl::unlock()
{
    if (mPrinting) {
        qDebug() << "no unlock while a job runs";
        return;
    }
    sendTagged(QByteArrayLiteral("$X\n"), unlockCommand);
}

void LowerGrbl::jog(double speed, double distance, int direction)
{
    sendCommand(GrblCommands::jog(mDeviceSettings.stepFactorX(), speed, distance, direction), true);
}

void LowerGrbl::goTo(double x, double y)
{
    qDebug() << "go to" << x << y;
    sendCommand(GrblCommands::goTo(mDeviceSettings.stepFactorX(), mMoveSpeed, x, y), true);
}

void LowerGrbl::grblFrameLoc(QRectF bound)
{
    qDebug() << "frame" << bound;
    setPositionLaser(mPositionPower);
    const QByteArray block = GrblCommands::frame(mDeviceSettings.stepFactorX(), mMoveSpeed, bound);
    qDebug() << block;
    // Nine lines, one answer expected for the whole block.
    sendCommand(block, true);
    setPositionLaser(mPositionPower);
}

void LowerGrbl::setPositionLaser(double percent)
{
    if (mLaserOn == 0)
        return;
    for (const QByteArray &line : GrblCommands::positionLaser(percent, mMaxLaserPower))
        sendCommand(line, true);
}

void LowerGrbl::laserOff()
{
    for (const QByteArray &line : GrblCommands::laserOff())
        sendCommand(line, true);
}

void LowerGrbl::queryStatus()
{
    sendCommand(QByteArrayLiteral("?"), false);
}

bool LowerGrbl::feedHold()
{
    const bool sent = sendCommand(QByteArrayLiteral("!"), false);
    if (!sent)
        mHoldPending = true;
    return sent;
}

void LowerGrbl::resume()
{
    sendCommand(QByteArrayLiteral("~"), false);
}

bool LowerGrbl::softReset()
{
    if (!sendCommand(QByteArray(1, '\x18'), false)) {
        mStopPending = true;
        return false;
    }
    mStopPending = false;
    interruptJob();
    mPrinting = false;
    clearJob();
    return true;
}

void LowerGrbl::sendOverride(PanelCommand kind, double value)
{
    const QByteArray byte = GrblCommands::overrideByte(kind, static_cast<int>(value));
    if (!byte.isEmpty())
        sendCommand(byte, false);
}

void LowerGrbl::applyMachineSetting(const QString &text)
{
    sendCommand(GrblCommands::machineSetting(text, mDeviceSettings.stepFactorX(),
                                             mDeviceSettings.stepFactorY()),
                true);
}
