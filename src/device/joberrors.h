#pragma once

#include <QString>
#include <QVector>

// The lines of the job in flight that the engraver refused, and whether that
// ends the job: the first "error:N" does unless the user chose to go on past
// errors; an alarm always does.
class JobErrors
{
public:
    // Numbers lines from 1 again: the job is a whole job file.
    void start(bool continuePastErrors);
    // The job in flight takes a job file up again: its first `setupRecords`
    // records are its own (the way back to the resume point), the rest are
    // the file's from line `firstLine`. Messages name the file's lines, which
    // the user can find.
    void numberLines(int setupRecords, qint64 firstLine);
    int setupRecords() const { return mSetupRecords; }
    qint64 firstLine() const { return mFirstLine; }
    // Records of the job as given that were left out of what is sent (the
    // fan words a standard board does not know), ascending; set after start().
    void dropRecords(const QVector<int> &dropped) { mDropped = dropped; }
    // The index in the job as given of the record sent as `record`.
    int givenIndex(int record) const;
    // "line 120", or "resume set-up line 2" for a record before the file's.
    QString lineName(int record) const;

    // `record` counts from 0; `answered` is how many records the engraver
    // had answered. True when the job must stop now.
    bool lineFailed(int record, int code);
    bool alarm(int code, int answered);

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
    QVector<int> mDropped;
    int mSetupRecords = 0;
    qint64 mFirstLine = 1;
    bool mContinue = false;
    bool mStopping = false;
    int mFailed = 0;
    QString mFirst;
    QString mStopReason;
};
