#include "gcode/storedfullscale.h"

#include "common/settingsnames.h"
#include "document/inputlimits.h"

#include <QSettings>

#include <QtGlobal>

#include <cmath>

StoredFullScale StoredFullScale::load(QStringList *notes)
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::lowerOperatePanelGroup);
    const auto read = [&settings](const QString &key, double fallback) {
        bool ok = false;
        const double value = settings.value(key, fallback).toDouble(&ok);
        return ok && std::isfinite(value) && value >= 0 ? value : fallback;
    };
    // A damaged store must not send the head off at any speed: the power
    // within 0..100 %, the speed within the generator's full-scale range.
    const auto clamped = [notes](const QString &key, double value, double minimum, double maximum) {
        const double used = qBound(minimum, value, maximum);
        if (used != value && notes)
            notes->append(QStringLiteral("stored %1 %2 is out of range (%3 to %4); %5 is used")
                                  .arg(key).arg(value).arg(minimum).arg(maximum).arg(used));
        return used;
    };
    StoredFullScale scale;
    scale.paintPower = clamped(SettingsNames::printPowerKey, read(SettingsNames::printPowerKey, 100), 0, 100) * 10;
    scale.paintSpeed = clamped(SettingsNames::printSpeedKey, read(SettingsNames::printSpeedKey, 150),
                               InputLimits::minFullScaleSpeed / 80, InputLimits::maxFullScaleSpeed / 80)
            * 80;
    return scale;
}
