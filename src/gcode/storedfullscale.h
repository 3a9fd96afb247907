#pragma once

#include <QStringList>

// The full-scale power and speed of a job, as the operate panel gives them to
// the generator from the print power (%) and speed (mm/s) it keeps:
// "paintPower" = % x 10, "paintSpeed" = mm/s x 80. The command-line tool
// reads the same, so its job is the program's.
struct StoredFullScale
{
    double paintPower = 1000;
    double paintSpeed = 12000;

    // From the settings store; the panel's defaults (100 %, 150 mm/s) where
    // nothing usable is stored.
    // Values out of range are clamped, and said so in `notes`.
    static StoredFullScale load(QStringList *notes = nullptr);
};
