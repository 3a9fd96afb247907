// Job transfer of LowerGrbl: line mode streams each record under character
// counting; part mode sends compressed parts of the job text on request.
#include "device/lowergrbl.h"

#include "device/jobpart.h"
#include "device/zlibstream.h"

#include <QDebug>
#include <QTimer>

void LowerGrbl::grblGcodePrint(QList<GCodeBuffer> g)
{
    qDebug() << "grblGcodeBuf refresh";
    printing = true;
    pending = g;
    totalLines = pending.size();
    sentLines = 0;
    lastReported = 0;
    reportStep = static_cast<int>(totalLines / 100.0);
    qDebug() << "grbl gcode size:" << totalLines << reportStep << totalLines / 100.0;
    if (fileTransferModel) {
        partNumber = 0;
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
    const bool allSent = sentLines >= totalLines && lastReported < totalLines;
    if (sentLines - lastReported < reportStep && !allSent)
        return;
    lastReported = sentLines;
    notifyPanel(PanelNotice::JobProgress, totalLines > 0 ? sentLines * 100.0 / totalLines : 100.0);
}

void LowerGrbl::streamLines()
{
    if (fileTransferModel || mAccount.freeBytes() < streamStartFree || !printing)
        return;
    QByteArray line;
    while (!pending.isEmpty()) {
        line.clear();
        pending.constFirst().appendTo(line);
        if (mAccount.freeBytes() - rxReserve < line.size())
            break;
        if (mAccount.take(line.size(), true) && writesSuppressed == 0)
            writeToPort(line);
        pending.removeFirst();
        ++sentLines;
        reportProgress();
    }
}

void LowerGrbl::clearJob()
{
    pending.clear();
    packageBuffer.clear();
}

bool LowerGrbl::sendNextPart()
{
    if (pending.isEmpty())
        return false;
    packageBuffer.clear();
    const JobPart part = JobPart::take(pending);
    qDebug() << "size:" << part.text.size();
    if (!ZlibStream::compress(part.text, &packageBuffer)) {
        qDebug() << "compress error";
        packageBuffer.clear();
    }
    sentLines += part.records;
    ++partNumber;
    reportProgress();
    const QByteArray announcement = QStringLiteral("$@file@name=part%1.gzip@size=%2@uncompress_size=%3\n")
            .arg(partNumber).arg(packageBuffer.size()).arg(part.text.size()).toLatin1();
    writeCounted(announcement, false);
    qDebug() << "compress count " << partNumber;
    qDebug() << "compress done " << packageBuffer.size();
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
    if (partInFlight) {
        qDebug() << "file is sending";
        return;
    }
    if (!printing) {
        qDebug() << "stop button has pressed";
        return;
    }
    notifyPanel(PanelNotice::PartPreparing, 1);
    partTimeout->start(mPartTimeoutMs);
    partInFlight = true;
    if (!sendNextPart()) {
        partInFlight = false;
        partTimeout->stop();
    }
    qDebug() << "package info sended";
}

void LowerGrbl::askPackage()
{
    if (packageBuffer.isEmpty())
        return;
    writeToPort(packageBuffer);
    qDebug() << "file send done";
}

void LowerGrbl::packageReceived()
{
    partTimeout->stop();
    partInFlight = false;
    if (pending.isEmpty()) {
        writeCounted(QByteArrayLiteral("$@file@done\n"), false);
        qDebug() << "one package finished";
    }
    notifyPanel(PanelNotice::PartConfirmed, 1);
    if (stopPending)
        softReset();
    repeatPendingHold();
}

void LowerGrbl::repeatPendingHold()
{
    if (holdPending)
        holdPending = !sendCommand(QByteArrayLiteral("!"), false);
}

void LowerGrbl::reset_sending_status()
{
    qDebug() << "sending out of time--------------";
    partInFlight = false;
    if (stopPending)
        softReset();
    repeatPendingHold();
    partTimeout->stop();
    clearJob();
}

void LowerGrbl::endOfJob()
{
    setPositionLaser(positionPower);
    queryStatus();
    notifyPanel(PanelNotice::JobFinished, 1);
    printing = false;
    clearJob();
    qDebug() << "print done" << mAccount.freeBytes();
}
