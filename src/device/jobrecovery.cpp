// Recovery of LowerGrbl: where an interrupted job can be taken up again, and
// the job that does it. Nothing here ever starts by itself: the panel offers
// the resume and sends ResumePrint once the user confirmed the head's position.
#include "device/lowergrbl.h"

#include "gcode/resumejob.h"

#include <QDebug>

void LowerGrbl::interruptJob()
{
    if (!mPrinting || mJob.isEmpty() || mResumeUnit >= 0)
        return;
    const JobMap map(mJob);
    // Part mode: the engraver says when a part arrived, never which of its
    // lines it has run (status reports give the position only), so no row or
    // outline is known to be finished and the job is taken up at its first.
    const int acknowledged = mFileTransferModel ? 0 : mAcknowledged;
    const int unit = map.resumeUnit(mJob, acknowledged, plannerBlocks);
    if (unit < 0)
        return;
    int rows = mRowsBefore;
    int outlines = mOutlinesBefore;
    for (int i = 0; i < unit; ++i)
        ++(map.units().at(i).kind == JobMap::Kind::Row ? rows : outlines);
    mResumeUnit = unit;
    mResumeAt = map.units().at(unit);
    mResumeRowsBefore = rows;
    mResumeOutlinesBefore = outlines;
    const bool row = mResumeAt.kind == JobMap::Kind::Row;
    qDebug() << "job interrupted after" << acknowledged << "of" << mJob.size()
             << "records; resume at record" << mResumeAt.first;
    notifyPanel(row ? PanelNotice::ResumeRow : PanelNotice::ResumeOutline,
                (row ? rows : outlines) + 1);
}

void LowerGrbl::resumeJob()
{
    if (mResumeUnit < 0 || mPrinting || !isConnected()) {
        qDebug() << "nothing to resume, or not connected";
        return;
    }
    const QList<GCodeBuffer> job = ResumeJob::build(mJob, mResumeAt);
    const int rows = mResumeRowsBefore;
    const int outlines = mResumeOutlinesBefore;
    // Errors name the lines of the job first given, through any number of
    // resumes: the records after the set-up are that job's from the unit on,
    // and a unit inside an earlier set-up keeps the rest of it as set-up.
    const int setup = job.size() - (mJob.size() - mResumeAt.first);
    const int earlierSetup = mJobErrors.setupRecords();
    const int resumeAt = mJobErrors.givenIndex(mResumeAt.first);
    const qint64 firstLine = mJobErrors.firstLine() + qMax(0, resumeAt - earlierSetup);
    grblGcodePrint(job);
    mRowsBefore = rows;
    mOutlinesBefore = outlines;
    mJobErrors.numberLines(setup + qMax(0, earlierSetup - resumeAt), firstLine);
}

void LowerGrbl::forgetJob()
{
    // The job in flight is never forgotten.
    if (mPrinting)
        return;
    mResumeUnit = -1;
    mJob = QList<GCodeBuffer>();
    mNextRecord = 0;
    mAcknowledged = 0;
}
