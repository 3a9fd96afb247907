// Errors during a job: the first refused line (unless the user goes on past
// errors) or an alarm stops the job cleanly and says why; the resume point
// is kept.
#include "device/lowergrbl.h"

#include <QDebug>
#include <QTimer>

namespace {
// Status polls before the reset goes out even without a completed hold.
constexpr int maxStopPolls = 30;
}

void LowerGrbl::failJob()
{
    qDebug() << "job stops:" << mJobErrors.stopReason();
    // Streaming has stopped (the errors say so); the hold stops the moves the
    // planner still holds, and a reset during a completed hold keeps the
    // position, where one in motion would lose it.
    feedHold();
    mJobErrors.polls = 0;
    queryStatus();
    mStopPoll->start();
}

void LowerGrbl::pollStop()
{
    if (!mJobErrors.isStopping() || ++mJobErrors.polls > maxStopPolls) {
        finishStop();
        return;
    }
    queryStatus();
}

void LowerGrbl::finishStop()
{
    mStopPoll->stop();
    if (!mJobErrors.isStopping())
        return;
    mJobErrors.stopped();
    // The reset empties the engraver's buffer and turns the laser off; the
    // job's resume point is kept (softReset interrupts the job).
    softReset();
    setBufferSize(mAccount.size());
    mPaused = false;
    notifyPanel(PanelNotice::JobFailed, mJobErrors.stopReason());
}
