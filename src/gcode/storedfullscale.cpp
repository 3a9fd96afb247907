#include "gcode/storedfullscale.h"

#include "common/settingsnames.h"

#include <QSettings>

#include <cmath>

StoredFullScale StoredFullScale::load()
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::lowerOperatePanelGroup);
    const auto read = [&settings](const QString &key, double fallback) {
        bool ok = false;
        const double value = settings.value(key, fallback).toDouble(&ok);
        return ok && std::isfinite(value) && value >= 0 ? value : fallback;
    };
    StoredFullScale scale;
    scale.paintPower = read(SettingsNames::printPowerKey, 100) * 10;
    scale.paintSpeed = read(SettingsNames::printSpeedKey, 150) * 80;
    return scale;
}
