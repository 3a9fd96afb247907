#pragma once

#include <QString>

// The lines of the job in flight that the engraver refused, and whether that
// ends the job: the first "error:N" does unless the user chose to go on past
// errors; an alarm always does.
class JobErrors
{
public:
    void start(bool continuePastErrors);

    // `record` counts from 0. True when the job must stop now.
    bool lineFailed(int record, int code);
    bool alarm(int code, int record);

    int failedLines() const { return mFailed; }
    // "line 12: error:22 Feed rate has not yet been set or is undefined."
    QString firstFailure() const { return mFirst; }
    // What stops the job (the failed line or the alarm); empty while it runs.
    QString stopReason() const { return mStopReason; }

    // Between the decision to stop and the clean stop that follows it.
    bool isStopping() const { return mStopping; }
    void stopped() { mStopping = false; }

    // Status polls made while waiting for the hold to complete.
    int polls = 0;

private:
    bool mContinue = false;
    bool mStopping = false;
    int mFailed = 0;
    QString mFirst;
    QString mStopReason;
};
