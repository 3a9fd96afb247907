// Job transfer of LowerGrbl: line mode streams each record under character
// counting; part mode sends compressed parts of the job text on request.
#include "device/lowergrbl.h"

#include "device/jobpart.h"
#include "device/zlibstream.h"

#include <QDebug>
#include <QTimer>

#include <algorithm>

void LowerGrbl::grblGcodePrint(QList<GCodeBuffer> g)
{
    qDebug() << "grblGcodeBuf refresh";
    mPrinting = true;
    mPending = g;
    if (mGenericGrbl) {
        // The fan words belong to the engraver's models; a standard
        // controller would answer each with "error:20".
        mPending.erase(std::remove_if(mPending.begin(), mPending.end(),
                                      [](const GCodeBuffer &record) {
                                          return record.M == 106 || record.M == 107;
                                      }),
                       mPending.end());
    }
    mTotalLines = mPending.size();
    mSentLines = 0;
    mLastReported = 0;
    mReportStep = static_cast<int>(mTotalLines / 100.0);
    qDebug() << "grbl gcode size:" << mTotalLines << mReportStep << mTotalLines / 100.0;
    if (mFileTransferModel) {
        mPartNumber = 0;
        writeCounted(QByteArrayLiteral("$@print@storage=psram\n"), false);
        qDebug() << "set storage=psram";
    } else {
        streamLines();
    }
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

void LowerGrbl::streamLines()
{
    if (mFileTransferModel || mAccount.freeBytes() < streamStartSpace() || !mPrinting)
        return;
    QByteArray line;
    while (!mPending.isEmpty()) {
        line.clear();
        mPending.constFirst().appendTo(line);
        // A line longer than a small buffer allows goes out alone, so the
        // job never waits for space that cannot come.
        const bool alone = mAccount.inFlight().isEmpty();
        if (mAccount.freeBytes() - streamReserve() < line.size() && !alone)
            break;
        if (!mAccount.take(line.size(), true)) {
            if (!alone)
                break;
            qDebug() << "line longer than the receive buffer, left out:" << line;
        } else if (mWritesSuppressed == 0) {
            writeToPort(line);
        }
        mPending.removeFirst();
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
    mPending.clear();
    mPackageBuffer.clear();
}

bool LowerGrbl::sendNextPart()
{
    if (mPending.isEmpty())
        return false;
    mPackageBuffer.clear();
    const JobPart part = JobPart::take(mPending);
    qDebug() << "size:" << part.text.size();
    if (!ZlibStream::compress(part.text, &mPackageBuffer)) {
        qDebug() << "compress error";
        mPackageBuffer.clear();
    }
    mSentLines += part.records;
    ++mPartNumber;
    reportProgress();
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
    writeToPort(mPackageBuffer);
    qDebug() << "file send done";
}

void LowerGrbl::packageReceived()
{
    mPartTimeout->stop();
    mPartInFlight = false;
    if (mPending.isEmpty()) {
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
    notifyPanel(PanelNotice::JobFinished, 1);
    mPrinting = false;
    clearJob();
    qDebug() << "print done" << mAccount.freeBytes();
}
