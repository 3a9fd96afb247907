// Job transfer of LowerGrbl: line mode streams each record under character
// counting; part mode sends compressed parts of the job text on request.
#include "device/lowergrbl.h"

#include "device/jobpart.h"
#include "device/serial.h"
#include "device/zlibstream.h"

#include <QDebug>
#include <QTimer>

#include <algorithm>
#include <cmath>

void LowerGrbl::grblGcodePrint(QList<GCodeBuffer> g)
{
    qDebug() << "grblGcodeBuf refresh";
    QVector<int> dropped;
    if (mGenericGrbl) {
        // The fan words belong to the engraver's models; a standard
        // controller would answer each with "error:20". Errors still name
        // the lines as given.
        const auto isFanWord = [](const GCodeBuffer &record) { return record.M == 106 || record.M == 107; };
        for (int i = 0; i < g.size(); ++i) {
            if (isFanWord(g.at(i)))
                dropped.append(i);
        }
        g.erase(std::remove_if(g.begin(), g.end(), isFanWord), g.end());
    }
    const QString refusal = refusalOf(g);
    if (!refusal.isEmpty()) {
        // Nothing was sent; a job waiting to be resumed stays on offer.
        qDebug() << "job refused:" << refusal;
        mPrinting = false;
        notifyPanel(PanelNotice::JobRefused, refusal);
        return;
    }
    mPrinting = true;
    mJobErrors.start(mContinuePastErrors);
    mJobErrors.dropRecords(dropped);
    // A new job replaces whatever waited to be resumed.
    mResumeUnit = -1;
    mRowsBefore = 0;
    mOutlinesBefore = 0;
    mJob = g;
    mNextRecord = 0;
    mAcknowledged = 0;
    mTotalLines = mJob.size();
    mSentLines = 0;
    mLastReported = 0;
    mReportStep = static_cast<int>(mTotalLines / 100.0);
    mLastPercent = 0;
    mUploadLeft = 0;
    qDebug() << "grbl gcode size:" << mTotalLines << mReportStep << mTotalLines / 100.0;
    if (mFileTransferModel) {
        mPartNumber = 0;
        writeCounted(QByteArrayLiteral("$@print@storage=psram\n"), false);
        qDebug() << "set storage=psram";
    } else {
        streamLines();
    }
}

QString LowerGrbl::refusalOf(const QList<GCodeBuffer> &job) const
{
    if (mLock.isLocked())
        return mLock.reason();
    if (mInFlightRecords.contains(homeCommand))
        return QStringLiteral("Homing is still running.");
    if (mFileTransferModel || mAccount.size() <= 0)
        return QString();
    // A line the receive buffer cannot hold would never be answered, or be
    // dropped: the whole job is refused before anything moves.
    QByteArray line;
    for (int i = 0; i < job.size(); ++i) {
        line.clear();
        job.at(i).appendTo(line);
        if (line.size() >= mAccount.size())
            return QStringLiteral("Line %1 is %2 bytes long; the engraver's receive buffer holds %3.")
                    .arg(i + 1).arg(line.size()).arg(mAccount.size() - 1);
    }
    return QString();
}

void LowerGrbl::reportProgress()
{
    // The last records always report, even when fewer than a step remain
    // (a part mode job's last part), so the panel sees 100.
    const bool allSent = mSentLines >= mTotalLines && mLastReported < mTotalLines;
    if (mSentLines - mLastReported < mReportStep && !allSent)
        return;
    mLastReported = mSentLines;
    notifyPanel(PanelNotice::JobProgress, mTotalLines > 0 ? mSentLines * 100.0 / mTotalLines : 100.0);
}

void LowerGrbl::uploadWritten(qint64 bytes)
{
    const qint64 skipped = qMin(bytes, mUploadAhead);
    mUploadAhead -= skipped;
    mUploadLeft -= qMin(bytes - skipped, mUploadLeft);
}

void LowerGrbl::reportUpload()
{
    // The port takes kilobytes at once into the system's buffers; what has
    // left them is at most what the line can carry since the upload began
    // (8N1: ten bits a byte).
    if (!mPrinting || !mLink->isOpen()) {
        mUploadTicker->stop();
        return;
    }
    const qint64 baud = mLink->lineRate();
    const qint64 carried = mUploadClock.elapsed() * baud / 10000;
    const qint64 done = qMin(mUploadSize - mUploadLeft, carried);
    if (done >= mUploadSize)
        mUploadTicker->stop();
    reportPercent(mPartBase + int(mPartRecords * done / mUploadSize));
}

void LowerGrbl::reportPercent(int done)
{
    // Hundredths, never rounded up to a 100 that the job has not reached.
    const double percent = done >= mTotalLines ? 100.0 : std::floor(done * 10000.0 / mTotalLines) / 100;
    if (percent <= mLastPercent || mLastReported >= mTotalLines)
        return;
    mLastPercent = percent;
    mLastReported = done;
    notifyPanel(PanelNotice::JobProgress, percent);
}

void LowerGrbl::streamLines()
{
    if (mFileTransferModel || mAccount.freeBytes() < streamStartSpace() || !mPrinting
        || mJobErrors.isStopping())
        return;
    QByteArray line;
    while (mNextRecord < mJob.size()) {
        line.clear();
        mJob.at(mNextRecord).appendTo(line);
        // A line longer than a small buffer allows goes out alone, so the
        // job never waits for space that cannot come.
        const bool alone = mAccount.inFlight().isEmpty();
        if (mAccount.freeBytes() - streamReserve() < line.size() && !alone)
            break;
        if (!mAccount.take(line.size(), true)) {
            // A line that cannot fit is refused before the job starts; it is
            // never left out of a running job.
            if (alone)
                qDebug() << "line longer than the receive buffer:" << line;
            break;
        }
        mInFlightRecords.append(mNextRecord);
        if (mWritesSuppressed == 0)
            writeToPort(line);
        ++mNextRecord;
        ++mSentLines;
        reportProgress();
    }
}

int LowerGrbl::streamReserve() const
{
    return qMin(rxReserve, mAccount.size() * rxReserve / minimumRxSize);
}

int LowerGrbl::streamStartSpace() const
{
    return qMin(streamStartFree, mAccount.size() * streamStartFree / minimumRxSize);
}

void LowerGrbl::clearJob()
{
    // Nothing more is sent; the records stay for a resume until forgotten.
    mNextRecord = mJob.size();
    mPackageBuffer.clear();
    mUploadLeft = 0;
    mUploadTicker->stop();
}

bool LowerGrbl::sendNextPart()
{
    if (mNextRecord >= mJob.size())
        return false;
    mPackageBuffer.clear();
    const JobPart part = JobPart::take(mJob, &mNextRecord);
    qDebug() << "size:" << part.text.size();
    if (!ZlibStream::compress(part.text, &mPackageBuffer)) {
        qDebug() << "compress error";
        mPackageBuffer.clear();
    }
    mPartBase = mSentLines;
    mPartRecords = part.records;
    mSentLines += part.records;
    ++mPartNumber;
    // Progress follows the upload; a part with nothing to upload counts now.
    if (mPackageBuffer.isEmpty())
        reportPercent(mSentLines);
    const QByteArray announcement = QStringLiteral("$@file@name=part%1.gzip@size=%2@uncompress_size=%3\n")
            .arg(mPartNumber).arg(mPackageBuffer.size()).arg(part.text.size()).toLatin1();
    writeCounted(announcement, false);
    qDebug() << "compress count " << mPartNumber;
    qDebug() << "compress done " << mPackageBuffer.size();
    return true;
}

void LowerGrbl::handleTransferReply(GrblReply::TransferStep step)
{
    switch (step) {
    case GrblReply::TransferStep::AskPackInfo:
        askPackInfo();
        break;
    case GrblReply::TransferStep::AskPackage:
        askPackage();
        break;
    case GrblReply::TransferStep::PackageReceived:
        packageReceived();
        break;
    case GrblReply::TransferStep::StorageModeReceived:   // needs no answer
    case GrblReply::TransferStep::None:
        break;
    }
}

void LowerGrbl::askPackInfo()
{
    if (mPartInFlight) {
        qDebug() << "file is sending";
        return;
    }
    if (!mPrinting) {
        qDebug() << "stop button has pressed";
        return;
    }
    notifyPanel(PanelNotice::PartPreparing, 1);
    mPartTimeout->start(mPartTimeoutMs);
    mPartInFlight = true;
    if (!sendNextPart()) {
        mPartInFlight = false;
        mPartTimeout->stop();
    }
    qDebug() << "package info sended";
}

void LowerGrbl::askPackage()
{
    if (mPackageBuffer.isEmpty())
        return;
    if (mLink->isOpen()) {
        mUploadAhead = mLink->bytesToWrite();
        mUploadSize = mUploadLeft = mPackageBuffer.size();
        mUploadClock.start();
        mUploadTicker->start();
    }
    writeToPort(mPackageBuffer);
    qDebug() << "file send done";
}

void LowerGrbl::packageReceived()
{
    mPartTimeout->stop();
    mPartInFlight = false;
    // Whatever the estimate said, the engraver now holds the whole part.
    mUploadTicker->stop();
    reportPercent(mSentLines);
    if (mNextRecord >= mJob.size()) {
        writeCounted(QByteArrayLiteral("$@file@done\n"), false);
        qDebug() << "one package finished";
    }
    notifyPanel(PanelNotice::PartConfirmed, 1);
    if (mStopPending)
        softReset();
    repeatPendingHold();
}

void LowerGrbl::repeatPendingHold()
{
    if (mHoldPending)
        mHoldPending = !sendCommand(QByteArrayLiteral("!"), false);
}

void LowerGrbl::reset_sending_status()
{
    qDebug() << "sending out of time--------------";
    mPartInFlight = false;
    if (mStopPending)
        softReset();
    repeatPendingHold();
    mPartTimeout->stop();
    clearJob();
}

void LowerGrbl::endOfJob()
{
    setPositionLaser(mPositionPower);
    queryStatus();
    // A job that went on past errors never ends as plainly done.
    if (mPrinting && mJobErrors.failedLines() > 0)
        notifyPanel(PanelNotice::JobLinesFailed, QStringLiteral("%1 %2").arg(mJobErrors.failedLines())
                    .arg(mJobErrors.firstFailure()));
    notifyPanel(PanelNotice::JobFinished, 1);
    mPrinting = false;
    clearJob();
    forgetJob();
    qDebug() << "print done" << mAccount.freeBytes();
}
