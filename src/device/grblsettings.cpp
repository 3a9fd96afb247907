#include "device/grblsettings.h"

#include <QSettings>

#include <cmath>

const QVector<GrblSettings::Entry> &GrblSettings::table()
{
    static const QVector<Entry> entries = {
        {0, "grbl_pulse_microseconds", true, 5, {}},
        {1, "grbl_stepper_idle_lock_time", true, 255, {}},
        {2, "grbl_step_invert_mask", true, 0, {}},
        {3, "grbl_dir_invert_mask", true, 3, PanelNotice::MotorDirections},
        {4, "grbl_flags_BITFLAG_INVERT_ST_ENABLE", true, 0, {}},
        {5, "grbl_flags_BITFLAG_INVERT_LIMIT_PINS", true, 0, {}},
        {6, "grbl_flags_BITFLAG_INVERT_PROBE_PIN", true, 0, {}},
        {10, "grbl_status_report_mask", true, 1, {}},
        {11, "grbl_junction_deviation", false, 0.01, {}},
        {12, "grbl_arc_tolerance", false, 0.002, {}},
        {13, "grbl_flags_BITFLAG_REPORT_INCHES", true, 0, {}},
        {20, "grbl_flags_BITFLAG_SOFT_LIMIT_ENABLE", true, 0, {}},
        {21, "grbl_flags_BITFLAG_HARD_LIMIT_ENABLE", true, 0, {}},
        {22, "grbl_flags_BITFLAG_HOMING_ENABLE", true, 1, {}},
        {23, "grbl_homing_dir_mask", true, 3, {}},
        {24, "grbl_homing_feed_rate", false, 500, {}},
        {25, "grbl_homing_seek_rate", false, 5000, {}},
        {26, "grbl_homing_debounce_delay", true, 250, {}},
        {27, "grbl_homing_pulloff", false, 5, {}},
        {30, "grbl_rpm_max", false, 1000, {}},
        {31, "grbl_rpm_min", false, 0, {}},
        {32, "grbl_flags_BITFLAG_LASER_MODE", true, 1, {}},
        {100, "grbl_steps_per_mmX", false, 80, {}},
        {101, "grbl_steps_per_mmY", false, 80, {}},
        {102, "grbl_steps_per_mmZ", false, 80, {}},
        {110, "grbl_max_rateX", false, 20000, PanelNotice::MaxSpeedX},
        {111, "grbl_max_rateY", false, 20000, PanelNotice::MaxSpeedY},
        {112, "grbl_max_rateZ", false, 20000, {}},
        {120, "grbl_accelerationX", false, 3000, PanelNotice::AccelerationX},
        {121, "grbl_accelerationY", false, 3000, PanelNotice::AccelerationY},
        {122, "grbl_accelerationZ", false, 3000, {}},
        {130, "grbl_max_travelX", false, 150, PanelNotice::WorkWidth},
        {131, "grbl_max_travelY", false, 150, PanelNotice::WorkHeight},
        {132, "grbl_max_travelZ", false, 150, {}},
    };
    return entries;
}

GrblSettings::GrblSettings()
{
    for (const Entry &e : table())
        mValues.insert(e.number, e.defaultValue);
}

void GrblSettings::load(const QSettings &settings)
{
    for (const Entry &e : table()) {
        const QVariant stored = settings.value(QLatin1String(e.key), e.defaultValue);
        store(e.number, stored.toDouble());
    }
}

void GrblSettings::save(QSettings &settings) const
{
    for (const Entry &e : table()) {
        const double v = value(e.number);
        if (e.integer)
            settings.setValue(QLatin1String(e.key), static_cast<int>(v));
        else
            settings.setValue(QLatin1String(e.key), v);
    }
}

bool GrblSettings::store(int number, double value)
{
    const Entry *e = entry(number);
    if (!e)
        return false;
    mValues.insert(number, e->integer ? std::trunc(value) : value);
    return true;
}

std::optional<PanelNotice> GrblSettings::notice(int number) const
{
    const Entry *e = entry(number);
    return e ? e->notice : std::nullopt;
}

double GrblSettings::noticeValue(int number) const
{
    if (number == 110)
        return value(110) / stepFactorX();
    if (number == 111)
        return value(111) / stepFactorY();
    return value(number);
}

const GrblSettings::Entry *GrblSettings::entry(int number) const
{
    for (const Entry &e : table()) {
        if (e.number == number)
            return &e;
    }
    return nullptr;
}
