// Firmware upgrade of LowerGrbl: the built-in image for the engraver's
// hardware, written in pieces, one each time the engraver asks for more.
#include "device/lowergrbl.h"

#include "device/grblmodel.h"
#include "device/serial.h"

#include <QDebug>

void LowerGrbl::startFirmwareUpgrade()
{
    if (otaActive)
        return;
    const GrblModel model = GrblModels::find(hardwareVersion);
    if (!model.isValid() || model.firmwareResource.isEmpty()) {
        notifyPanel(PanelNotice::HardwareUnknown, 1);
        qDebug() << "hardware version error";
        return;
    }
    if (firmwareVersion.isNull()) {
        notifyPanel(PanelNotice::HardwareUnknown, 1);
        qDebug() << "grbl version error";
        return;
    }
    if (QVersionNumber::compare(firmwareVersion, model.shippedFirmware) >= 0) {
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
    otaImage = image;
    otaOffset = 0;
    otaSize = otaImage.size();
    otaSent = 0;
    const QByteArray announcement = "$@OTA=" + QByteArray::number(otaImage.size()) + '\n';
    qDebug() << announcement;
    writeCounted(announcement, true);
    otaActive = true;
    notifyPanel(PanelNotice::UpgradeStarted, 1);
}

void LowerGrbl::sendFirmwarePiece()
{
    otaActive = true;
    int budget = otaPieceSize;
    while (otaOffset < otaImage.size() && budget > 0) {
        const int length = qMin(budget, otaImage.size() - otaOffset);
        const qint64 written =
                serial->isOpen() ? serial->write(otaImage.constData() + otaOffset, length) : -1;
        if (written <= 0) {
            qDebug() << "write failed" << otaImage.size() - otaOffset << "bytes left";
            return;
        }
        const int n = static_cast<int>(written);
        budget -= n;
        otaSent += n;
        otaOffset += n;
        qDebug() << "write" << n << otaImage.size() - otaOffset;
        notifyPanel(PanelNotice::UpgradeProgress, otaSent / otaSize);
    }
    if (otaOffset >= otaImage.size()) {
        otaImage.clear();
        otaOffset = 0;
    }
}

void LowerGrbl::firmwareDone()
{
    otaActive = false;
    notifyPanel(PanelNotice::UpgradeFinished, 1);
}
