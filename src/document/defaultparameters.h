#pragma once

#include "document/engravingparameters.h"

#include <QString>
#include <QStringList>

// The default parameter set the canvas holds for elements that lack an
// engraving attribute: seven of the nine parameters (power and speed have no
// default of the user's, always the parameters' own). It starts at the
// parameters' defaults and is replaced by the property panel's pushes.
struct DefaultParameters : EngravingParameters
{
    // "DefaultParameters:" and the attribute's name: "DefaultParameters:scanTimes"
    // ... "DefaultParameters:YMotorMovementError".
    static bool isDefaultParameterName(const QString &name);

    // Sets the field named by a "DefaultParameters:" name from its text. False,
    // and nothing changed, for another name or a value that is not a number.
    bool setNamed(const QString &name, const QString &value);

    // The seven names and their values as text, in the order of the panel's push.
    static QStringList names();
    QStringList values() const;

    // Compares the seven.
    bool operator==(const DefaultParameters &other) const;
    bool operator!=(const DefaultParameters &other) const { return !(*this == other); }
};

// Keys of the property panel's preferences in the settings group "itemProperty".
namespace ItemPropertyKeys {
inline const QString lowerHardWareVersion = QStringLiteral("lowerHardWareVersion");
inline const QString lengthUnit = QStringLiteral("lengthUnit");
inline const QString whLock = QStringLiteral("whLock");
inline const QString sceneRealRatio = QStringLiteral("sceneRealRatio");
inline const QString referencePoint = QStringLiteral("referencePoint");
inline const QString scanGap = QStringLiteral("scanGap");
inline const QString scanTimes = QStringLiteral("scanTimes");
inline const QString scanAngle = QStringLiteral("scanAngle");
inline const QString overScanSize = QStringLiteral("overScanSize");
inline const QString scanErr = QStringLiteral("scanErr");
inline const QString engraveXErr = QStringLiteral("engraveXErr");
inline const QString engraveYErr = QStringLiteral("engraveYErr");
} // namespace ItemPropertyKeys

// The property panel's stored defaults and preferences. Pass count and scan
// angle are whole numbers: a default angle of 45.5 is kept as 45.
struct StoredDefaults
{
    QString lowerHardWareVersion = QStringLiteral("0.0.0");
    QString lengthUnit = QStringLiteral("mm");
    bool whLock = true;
    double sceneRealRatio = 0.08;
    int referencePoint = 4;
    // The parameters' defaults, under the keys the preferences have always had.
    double scanGap = EngravingParameters().scanAccuracy;
    int scanTimes = int(EngravingParameters().scanTimes);
    int scanAngle = int(EngravingParameters().scanAngle);
    double overScanSize = EngravingParameters().scanBuffer;
    double scanErr = EngravingParameters().scanError;
    double engraveXErr = EngravingParameters().XMotorMovementError;
    double engraveYErr = EngravingParameters().YMotorMovementError;

    // Reads the group "itemProperty" of the settings store; missing keys keep
    // their defaults, values outside the engraving ranges are clamped (and logged).
    static StoredDefaults load(QStringList *notes = nullptr);
    void clampToRanges(QStringList *notes = nullptr);
    void save() const;

    // Scan gap, pass count and angle to their factory values; overscan, scan
    // offset and backlash too for the hardware versions "1.0.0" and "2.0.0".
    void restoreFactoryDefaults();

    DefaultParameters defaultParameters() const;
};

// True when both texts are version numbers ("1.0" and "1.0.0" are the same
// version) and equal. Text with anything other than dot-separated integers
// matches nothing.
bool sameVersion(const QString &a, const QString &b);
