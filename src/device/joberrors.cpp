#include "device/joberrors.h"

#include "device/grblcodes.h"

void JobErrors::start(bool continuePastErrors)
{
    *this = JobErrors();
    mContinue = continuePastErrors;
}

bool JobErrors::lineFailed(int record, int code)
{
    ++mFailed;
    const QString text = GrblCodes::errorText(code);
    const QString failure = QStringLiteral("line %1: error:%2").arg(record + 1).arg(code)
                            + (text.isEmpty() ? QString() : QLatin1Char(' ') + text);
    if (mFirst.isEmpty())
        mFirst = failure;
    if (mContinue || mStopping || !mStopReason.isEmpty())
        return false;
    mStopReason = failure;
    mStopping = true;
    return true;
}

bool JobErrors::alarm(int code, int record)
{
    if (mStopping || !mStopReason.isEmpty())
        return false;
    const QString text = GrblCodes::alarmText(code);
    mStopReason = QStringLiteral("ALARM:%1").arg(code) + (text.isEmpty() ? QString() : QLatin1Char(' ') + text)
                  + QStringLiteral(" (after line %1)").arg(record);
    mStopping = true;
    return true;
}
