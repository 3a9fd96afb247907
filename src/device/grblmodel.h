#pragma once

#include <QString>
#include <QVersionNumber>

// One row of the table of known engraver models, chosen by the hardware
// version that the engraver reports in "[HARDVER:...]".
struct GrblModel
{
    QVersionNumber hardware;
    QString name;               // for the log only
    bool takesParts = false;    // the model takes jobs as compressed parts
    QString panelHardware;      // hardware text announced to the panel (id 26)
    QVersionNumber shippedFirmware;
    QString firmwareResource;   // built-in firmware image, empty when none ships

    bool isValid() const { return !hardware.isNull(); }
};

namespace GrblModels {

// The row whose hardware version equals `hardware`, or an invalid model.
GrblModel find(const QVersionNumber &hardware);

} // namespace GrblModels
