#include "document/defaultparameters.h"

#include "common/settingsnames.h"
#include "document/engravingattributenames.h"
#include "document/parameterrange.h"

#include <QDebug>
#include <QRegularExpression>
#include <QSettings>
#include <QVersionNumber>
#include <QtGlobal>

#include <limits>
#include <type_traits>

namespace {

const QString prefix = QStringLiteral("DefaultParameters:");

// The seven in the order the panel pushes them, each with its attribute.
struct NamedField
{
    const QString &attribute;
    double EngravingParameters::*field;
};

const NamedField namedFields[] = {
    { EngravingAttributes::scanTimes, &EngravingParameters::scanTimes },
    { EngravingAttributes::scanAccuracy, &EngravingParameters::scanAccuracy },
    { EngravingAttributes::scanAngle, &EngravingParameters::scanAngle },
    { EngravingAttributes::scanBuffer, &EngravingParameters::scanBuffer },
    { EngravingAttributes::scanError, &EngravingParameters::scanError },
    { EngravingAttributes::XMotorMovementError, &EngravingParameters::XMotorMovementError },
    { EngravingAttributes::YMotorMovementError, &EngravingParameters::YMotorMovementError },
};

const NamedField *namedFieldOf(const QString &name)
{
    if (!name.startsWith(prefix))
        return nullptr;
    const QStringRef local = name.midRef(prefix.size());
    for (const NamedField &named : namedFields) {
        if (local == EngravingParameters::nameOf(named.attribute))
            return &named;
    }
    return nullptr;
}

QVersionNumber parseWholeVersion(const QString &text, bool *ok)
{
    // Checked by hand: fromString() is declared pure although it writes its
    // suffix index, so an optimising compiler may never see that index change.
    static const QRegularExpression whole(QStringLiteral("^[0-9]+(\\.[0-9]+)*$"));
    const QString trimmed = text.trimmed();
    *ok = whole.match(trimmed).hasMatch();
    return *ok ? QVersionNumber::fromString(trimmed).normalized() : QVersionNumber();
}

// A stored number that does not read as one (a hand-edited or damaged store)
// keeps the default instead of becoming 0, which as a scan gap never ends a fill.
void readNumber(const QSettings &settings, const QString &key, double &field)
{
    bool ok = false;
    const double value = settings.value(key, field).toDouble(&ok);
    if (ok && qIsFinite(value))
        field = value;
}

// Pass count and angle are whole numbers, cut like the panel cuts them (45.5 is 45).
void readWholeNumber(const QSettings &settings, const QString &key, int &field)
{
    double value = field;
    readNumber(settings, key, value);
    if (qAbs(value) < std::numeric_limits<int>::max())
        field = static_cast<int>(value);
}

} // namespace

bool DefaultParameters::isDefaultParameterName(const QString &name)
{
    return namedFieldOf(name) != nullptr;
}

bool DefaultParameters::setNamed(const QString &name, const QString &value)
{
    const NamedField *named = namedFieldOf(name);
    if (!named)
        return false;
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    if (!ok || !qIsFinite(number))
        return false;
    this->*(named->field) = number;
    return true;
}

QStringList DefaultParameters::names()
{
    QStringList result;
    for (const NamedField &named : namedFields)
        result << prefix + EngravingParameters::nameOf(named.attribute);
    return result;
}

QStringList DefaultParameters::values() const
{
    QStringList result;
    for (const NamedField &named : namedFields)
        result << QString::number(this->*(named.field), 'g', 6);
    return result;
}

bool DefaultParameters::operator==(const DefaultParameters &other) const
{
    for (const NamedField &named : namedFields) {
        if (this->*(named.field) != other.*(named.field))
            return false;
    }
    return true;
}

StoredDefaults StoredDefaults::load(QStringList *notes)
{
    StoredDefaults stored;
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::itemPropertyGroup);
    namespace K = ItemPropertyKeys;
    stored.lowerHardWareVersion = settings.value(K::lowerHardWareVersion, stored.lowerHardWareVersion).toString();
    stored.lengthUnit = settings.value(K::lengthUnit, stored.lengthUnit).toString();
    stored.whLock = settings.value(K::whLock, stored.whLock).toBool();
    readNumber(settings, K::sceneRealRatio, stored.sceneRealRatio);
    readWholeNumber(settings, K::referencePoint, stored.referencePoint);
    readNumber(settings, K::scanGap, stored.scanGap);
    readWholeNumber(settings, K::scanTimes, stored.scanTimes);
    readWholeNumber(settings, K::scanAngle, stored.scanAngle);
    readNumber(settings, K::overScanSize, stored.overScanSize);
    readNumber(settings, K::scanErr, stored.scanErr);
    readNumber(settings, K::engraveXErr, stored.engraveXErr);
    readNumber(settings, K::engraveYErr, stored.engraveYErr);
    settings.endGroup();
    stored.clampToRanges(notes);
    return stored;
}

void StoredDefaults::clampToRanges(QStringList *notes)
{
    namespace A = EngravingAttributes;
    const auto clampField = [notes](const QString &attribute, auto &field) {
        bool clamped = false;
        const double used = ParameterRange::of(attribute).clamp(field, &clamped);
        if (clamped) {
            const QString note = QStringLiteral("stored default ") + clampNote(attribute, field, used);
            qDebug().noquote() << note;
            if (notes)
                notes->append(note);
            field = static_cast<std::remove_reference_t<decltype(field)>>(used);
        }
    };
    clampField(A::scanAccuracy, scanGap);
    clampField(A::scanTimes, scanTimes);
    clampField(A::scanAngle, scanAngle);
    clampField(A::scanBuffer, overScanSize);
    clampField(A::scanError, scanErr);
    clampField(A::XMotorMovementError, engraveXErr);
    clampField(A::YMotorMovementError, engraveYErr);
}

void StoredDefaults::save() const
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::itemPropertyGroup);
    namespace K = ItemPropertyKeys;
    settings.setValue(K::lowerHardWareVersion, lowerHardWareVersion);
    settings.setValue(K::lengthUnit, lengthUnit);
    settings.setValue(K::whLock, whLock);
    settings.setValue(K::sceneRealRatio, sceneRealRatio);
    settings.setValue(K::referencePoint, referencePoint);
    settings.setValue(K::scanGap, scanGap);
    settings.setValue(K::scanTimes, scanTimes);
    settings.setValue(K::scanAngle, scanAngle);
    settings.setValue(K::overScanSize, overScanSize);
    settings.setValue(K::scanErr, scanErr);
    settings.setValue(K::engraveXErr, engraveXErr);
    settings.setValue(K::engraveYErr, engraveYErr);
    settings.endGroup();
}

void StoredDefaults::restoreFactoryDefaults()
{
    const StoredDefaults factory;
    scanGap = factory.scanGap;
    scanTimes = factory.scanTimes;
    scanAngle = factory.scanAngle;
    if (sameVersion(lowerHardWareVersion, QStringLiteral("1.0.0"))) {
        overScanSize = 6;
        scanErr = -0.2;
        engraveXErr = -0.08;
        engraveYErr = -0.05;
    } else if (sameVersion(lowerHardWareVersion, QStringLiteral("2.0.0"))) {
        overScanSize = 6;
        scanErr = -0.15;
        engraveXErr = -0.02;
        engraveYErr = -0.02;
    }
}

DefaultParameters StoredDefaults::defaultParameters() const
{
    DefaultParameters set;
    set.scanTimes = scanTimes;
    set.scanAccuracy = scanGap;
    set.scanAngle = scanAngle;
    set.scanBuffer = overScanSize;
    set.scanError = scanErr;
    set.XMotorMovementError = engraveXErr;
    set.YMotorMovementError = engraveYErr;
    return set;
}

bool sameVersion(const QString &a, const QString &b)
{
    bool okA = false;
    bool okB = false;
    const QVersionNumber va = parseWholeVersion(a, &okA);
    const QVersionNumber vb = parseWholeVersion(b, &okB);
    return okA && okB && va == vb;
}
