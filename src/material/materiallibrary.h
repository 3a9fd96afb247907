#pragma once

#include "document/defaultparameters.h"

#include <QByteArray>
#include <QDomElement>
#include <QList>
#include <QString>
#include <QStringList>

// Engraving parameters that worked on one material, kept under a name.
// Backlash and the scan offset belong to the machine, not the material, so
// a preset leaves them alone.
struct MaterialPreset
{
    QString material;   // "Plywood"
    QString thickness;  // "3 mm"; empty for surface work
    QString name;       // "cut"
    bool fill = false;  // engrave mode: fill scan, else outline cut
    double power = 50;  // %
    double speed = 50;  // %
    int passes = 1;
    double lineInterval = 0.1; // mm
    double scanAngle = 180;    // degrees
    double overscan = 0;       // mm

    // "Plywood 3 mm / cut"
    QString title() const;
    // Presets are the same entry when material, thickness and name match.
    bool sameEntry(const MaterialPreset &other) const;
    bool operator==(const MaterialPreset &other) const;
    bool operator!=(const MaterialPreset &other) const { return !(*this == other); }

    // High power at a crawl sets most materials alight: above 80 % power
    // below 10 mm/s, with `fullScaleSpeed` the F value of 100 % (mm/min).
    bool isRisky(double fullScaleSpeed) const;

    // The attributes that apply the preset, numbers as the panel writes
    // them, and the engrave mode under the name "fill".
    QStringList attributeNames() const;
    QStringList attributeValues() const;

    // What an element is engraved with, as a preset without a name; the
    // default set fills what the element lacks.
    static MaterialPreset fromElement(const QDomElement &element, const DefaultParameters &defaults);
};

// Named presets, grouped by material and thickness, kept as a JSON file in
// the user data folder and shared as the same kind of file.
//
// File versions: 1 held the mode, power, speed and passes of each preset;
// 2 adds the line interval, scan angle and overscan. Older files read with
// the default set in place of what they lack; a newer file reads what this
// version knows, since later versions only add keys.
class MaterialLibrary
{
public:
    static constexpr int formatVersion = 2;

    const QList<MaterialPreset> &presets() const { return mPresets; }
    bool isEmpty() const { return mPresets.isEmpty(); }
    // Adds the preset, or replaces the one with the same material,
    // thickness and name. Returns its index; the list stays sorted by title.
    int add(const MaterialPreset &preset);
    bool remove(int index);
    // Adds every preset of `other`, replacing same entries; the number taken.
    int merge(const MaterialLibrary &other);
    // The materials in order, each once.
    QStringList materials() const;

    QByteArray toJson() const;
    // Replaces the presets by those of `json`. False, with the library
    // unchanged and `error` set, when the text is not a library file.
    bool fromJson(const QByteArray &json, const DefaultParameters &defaults, QString *error);

    // Files as written by save(): replaced whole, never half written.
    bool load(const QString &path, const DefaultParameters &defaults, QString *error);
    bool save(const QString &path, QString *error) const;

    // userDataFolder() + "/materials.json".
    static QString defaultPath();
    // The version the last file read was written with; 0 before any.
    int readVersion() const { return mReadVersion; }

private:
    QList<MaterialPreset> mPresets;
    int mReadVersion = 0;
};
