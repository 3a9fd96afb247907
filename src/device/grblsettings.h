#pragma once

#include "device/panelmessageid.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <optional>

class QSettings;

// Mirror of the engraver's numbered "$N=V" settings, persisted in the
// controller's settings group. Only the numbers in the table are kept.
class GrblSettings
{
public:
    struct Entry
    {
        int number;
        const char *key;
        bool integer;
        double defaultValue;
        std::optional<PanelNotice> notice;  // sent when the value arrives, if any
    };
    static const QVector<Entry> &table();

    GrblSettings();

    void load(const QSettings &settings);   // inside the controller's group
    void save(QSettings &settings) const;

    bool contains(int number) const { return mValues.contains(number); }
    // Stores the value (integer settings truncated toward zero); false for a
    // number outside the table.
    bool store(int number, double value);
    double value(int number) const { return mValues.value(number); }

    // The panel message a stored value is shown with, if any, and its value
    // (maximum speeds in mm/s, i.e. divided by the steps per mm).
    std::optional<PanelNotice> notice(int number) const;
    double noticeValue(int number) const;

    double stepFactorX() const { return value(100); }
    double stepFactorY() const { return value(101); }

private:
    const Entry *entry(int number) const;

    QMap<int, double> mValues;
};
