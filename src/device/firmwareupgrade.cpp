// Firmware upgrade of LowerGrbl: the built-in image for the engraver's
// hardware, written in pieces, one each time the engraver asks for more.
#include "device/lowergrbl.h"

#include "device/grblmodel.h"
#include "device/serial.h"

#include <QDebug>

void LowerGrbl::startFirmwareUpgrade()
{
    if (mOtaActive)
        return;
    const GrblModel model = GrblModels::find(mHardwareVersion);
    if (!model.isValid() || model.firmwareResource.isEmpty()) {
        notifyPanel(PanelNotice::HardwareUnknown, 1);
        qDebug() << "hardware version error";
        return;
    }
    if (mFirmwareVersion.isNull()) {
        notifyPanel(PanelNotice::HardwareUnknown, 1);
        qDebug() << "grbl version error";
        return;
    }
    if (QVersionNumber::compare(mFirmwareVersion, model.shippedFirmware) >= 0) {
        const QString family = model.name == QLatin1String("tova2626 ble")
                ? QStringLiteral("tova2626") : model.name;
        qDebug() << family + QStringLiteral(" don`t upgrade");
        notifyPanel(PanelNotice::FirmwareCurrent, 1);
        return;
    }
    if (model.name == QLatin1String("tova2626") || model.name == QLatin1String("kelp"))
        qDebug() << model.name + QStringLiteral(" upgrade");

    QByteArray image;
    if (!mFirmwareImages(model.firmwareResource, &image) || image.isEmpty()) {
        // This build carries no image for the model: say so instead of
        // leaving the user waiting for an upgrade that never starts.
        qDebug() << "file error" << model.firmwareResource;
        notifyPanel(PanelNotice::FirmwareImageMissing, 1);
        return;
    }
    mOtaImage = image;
    mOtaOffset = 0;
    mOtaSize = mOtaImage.size();
    mOtaSent = 0;
    const QByteArray announcement = "$@OTA=" + QByteArray::number(mOtaImage.size()) + '\n';
    qDebug() << announcement;
    writeCounted(announcement, true);
    mOtaActive = true;
    notifyPanel(PanelNotice::UpgradeStarted, 1);
}

void LowerGrbl::sendFirmwarePiece()
{
    mOtaActive = true;
    int budget = otaPieceSize;
    while (mOtaOffset < mOtaImage.size() && budget > 0) {
        const int length = qMin(budget, mOtaImage.size() - mOtaOffset);
        const qint64 written =
                mLink->isOpen() ? mLink->write(QByteArray::fromRawData(mOtaImage.constData() + mOtaOffset, length)) : -1;
        if (written <= 0) {
            qDebug() << "write failed" << mOtaImage.size() - mOtaOffset << "bytes left";
            return;
        }
        const int n = static_cast<int>(written);
        budget -= n;
        mOtaSent += n;
        mOtaOffset += n;
        qDebug() << "write" << n << mOtaImage.size() - mOtaOffset;
        notifyPanel(PanelNotice::UpgradeProgress, mOtaSent / mOtaSize);
    }
    if (mOtaOffset >= mOtaImage.size()) {
        mOtaImage.clear();
        mOtaOffset = 0;
    }
}

void LowerGrbl::firmwareDone()
{
    mOtaActive = false;
    notifyPanel(PanelNotice::UpgradeFinished, 1);
}
