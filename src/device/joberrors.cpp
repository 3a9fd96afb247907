#include "device/joberrors.h"

#include "device/grblcodes.h"

void JobErrors::start(bool continuePastErrors)
{
    *this = JobErrors();
    mContinue = continuePastErrors;
}

void JobErrors::numberLines(int setupRecords, qint64 firstLine)
{
    mSetupRecords = qMax(0, setupRecords);
    mFirstLine = qMax<qint64>(1, firstLine);
}

int JobErrors::givenIndex(int record) const
{
    int given = record;
    for (const int dropped : mDropped) {
        if (dropped > given)
            break;
        ++given;
    }
    return given;
}

QString JobErrors::lineName(int sent) const
{
    const int record = givenIndex(sent);
    if (record < mSetupRecords)
        return QStringLiteral("resume set-up line %1").arg(record + 1);
    return QStringLiteral("line %1").arg(mFirstLine + record - mSetupRecords);
}

bool JobErrors::lineFailed(int record, int code)
{
    ++mFailed;
    const QString text = GrblCodes::errorText(code);
    const QString failure = QStringLiteral("%1: error:%2").arg(lineName(record)).arg(code)
                            + (text.isEmpty() ? QString() : QLatin1Char(' ') + text);
    if (mFirst.isEmpty())
        mFirst = failure;
    if (mContinue || mStopping || !mStopReason.isEmpty())
        return false;
    mStopReason = failure;
    mStopping = true;
    return true;
}

bool JobErrors::alarm(int code, int answered)
{
    if (mStopping || !mStopReason.isEmpty())
        return false;
    const QString text = GrblCodes::alarmText(code);
    mStopReason = QStringLiteral("ALARM:%1").arg(code) + (text.isEmpty() ? QString() : QLatin1Char(' ') + text)
                  + (answered > 0 ? QStringLiteral(" (after %1)").arg(lineName(answered - 1))
                                : QStringLiteral(" (before %1)").arg(lineName(0)));
    mStopping = true;
    return true;
}
