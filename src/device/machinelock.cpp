#include "device/machinelock.h"

#include "device/grblcodes.h"

void MachineLock::reset()
{
    *this = MachineLock();
}

void MachineLock::setHomingEnabled(bool enabled)
{
    mHomingEnabled = enabled;
    mHomingKnown = true;
}

bool MachineLock::alarmRaised(int code)
{
    const bool news = !mLocked || code != mAlarmCode;
    mLocked = true;
    mAlarmCode = code;
    return news;
}

bool MachineLock::lockNoticed()
{
    const bool news = !mLocked;
    mLocked = true;
    return news;
}

bool MachineLock::statusState(const QByteArray &state)
{
    if (state.startsWith("Alarm"))
        return lockNoticed();
    // Unlocked or homed by other means (another program, the board's own
    // buttons): the report is the machine's word.
    if (mLocked && !state.isEmpty())
        lifted();
    return false;
}

void MachineLock::lifted()
{
    mLocked = false;
    mAlarmCode = 0;
}

QString MachineLock::reason() const
{
    if (mAlarmCode > 0) {
        const QString text = GrblCodes::alarmText(mAlarmCode);
        return QStringLiteral("ALARM:%1").arg(mAlarmCode) + (text.isEmpty() ? QString() : QLatin1Char(' ') + text);
    }
    return QStringLiteral("Alarm lock: the machine must be homed ($H) or unlocked ($X) before it moves.");
}
