#include "material/materiallibrary.h"

#include "common/userdata.h"
#include "document/engravingattributes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

// A library of thousands of presets is a few hundred kilobytes; anything
// far larger is not one, and is not read into memory.
constexpr qint64 maxFileBytes = 4 * 1024 * 1024;

const QString formatTag = QStringLiteral("plimb-material-library");

// A number from the file within the panel's range; out-of-range values are
// clamped, anything that is not a number keeps `fallback`.
double number(const QJsonObject &object, const QString &key, double fallback, double low, double high)
{
    const QJsonValue value = object.value(key);
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        return fallback;
    return std::clamp(value.toDouble(), low, high);
}

} // namespace

QString MaterialPreset::title() const
{
    QString group = material;
    if (!thickness.isEmpty())
        group += QLatin1Char(' ') + thickness;
    return name.isEmpty() ? group : group + QStringLiteral(" / ") + name;
}

bool MaterialPreset::sameEntry(const MaterialPreset &other) const
{
    return material == other.material && thickness == other.thickness && name == other.name;
}

bool MaterialPreset::operator==(const MaterialPreset &other) const
{
    return sameEntry(other) && fill == other.fill && power == other.power && speed == other.speed
            && passes == other.passes && lineInterval == other.lineInterval
            && scanAngle == other.scanAngle && overscan == other.overscan;
}

bool MaterialPreset::isRisky(double fullScaleSpeed) const
{
    const double mmPerSecond = speed / 100 * fullScaleSpeed / 60;
    return power > 80 && mmPerSecond < 10;
}

QStringList MaterialPreset::attributeNames() const
{
    namespace A = EngravingAttributes;
    return {A::scanPower, A::scanSpeed, A::scanTimes, A::scanAccuracy, A::scanAngle, A::scanBuffer,
            QStringLiteral("fill")};
}

QStringList MaterialPreset::attributeValues() const
{
    return {formatParameter(power), formatParameter(speed), formatParameter(passes),
            formatParameter(lineInterval), formatParameter(scanAngle), formatParameter(overscan),
            fill ? EngravingAttributes::engraveModeFill : EngravingAttributes::engraveModeOutline};
}

MaterialPreset MaterialPreset::fromElement(const QDomElement &element, const DefaultParameters &defaults)
{
    const PaintParameter p = readPaintParameter(element, defaults);
    MaterialPreset preset;
    preset.fill = engraveMode(element) == EngraveMode::Fill || element.tagName() == QLatin1String("image");
    preset.power = p.scanPower;
    preset.speed = p.scanSpeed;
    preset.passes = std::max(1, int(p.scanTimes));
    preset.lineInterval = p.scanAccuracy;
    preset.scanAngle = p.scanAngle;
    preset.overscan = p.scanBuffer;
    return preset;
}

int MaterialLibrary::add(const MaterialPreset &preset)
{
    for (int i = 0; i < mPresets.size(); ++i) {
        if (mPresets.at(i).sameEntry(preset)) {
            mPresets[i] = preset;
            return i;
        }
    }
    auto before = [](const MaterialPreset &a, const MaterialPreset &b) {
        return QString::localeAwareCompare(a.title(), b.title()) < 0;
    };
    const auto at = std::upper_bound(mPresets.begin(), mPresets.end(), preset, before);
    const int index = int(at - mPresets.begin());
    mPresets.insert(index, preset);
    return index;
}

bool MaterialLibrary::remove(int index)
{
    if (index < 0 || index >= mPresets.size())
        return false;
    mPresets.removeAt(index);
    return true;
}

int MaterialLibrary::merge(const MaterialLibrary &other)
{
    for (const MaterialPreset &preset : other.presets())
        add(preset);
    return other.presets().size();
}

QStringList MaterialLibrary::materials() const
{
    QStringList list;
    for (const MaterialPreset &preset : mPresets)
        if (!list.contains(preset.material))
            list << preset.material;
    return list;
}

QByteArray MaterialLibrary::toJson() const
{
    QJsonArray presets;
    for (const MaterialPreset &p : mPresets) {
        QJsonObject object;
        object.insert(QStringLiteral("material"), p.material);
        object.insert(QStringLiteral("thickness"), p.thickness);
        object.insert(QStringLiteral("name"), p.name);
        object.insert(QStringLiteral("mode"), p.fill ? QStringLiteral("fill") : QStringLiteral("outline"));
        object.insert(QStringLiteral("power"), p.power);
        object.insert(QStringLiteral("speed"), p.speed);
        object.insert(QStringLiteral("passes"), p.passes);
        object.insert(QStringLiteral("lineInterval"), p.lineInterval);
        object.insert(QStringLiteral("scanAngle"), p.scanAngle);
        object.insert(QStringLiteral("overscan"), p.overscan);
        presets.append(object);
    }
    QJsonObject root;
    root.insert(QStringLiteral("format"), formatTag);
    root.insert(QStringLiteral("version"), formatVersion);
    root.insert(QStringLiteral("presets"), presets);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool MaterialLibrary::fromJson(const QByteArray &json, const DefaultParameters &defaults, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull()) {
        *error = QStringLiteral("not JSON: %1").arg(parseError.errorString());
        return false;
    }
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != formatTag) {
        *error = QStringLiteral("not a material library");
        return false;
    }
    const int version = root.value(QStringLiteral("version")).toInt(0);
    if (version < 1) {
        *error = QStringLiteral("the library has no version");
        return false;
    }
    QList<MaterialPreset> presets;
    for (const QJsonValue &value : root.value(QStringLiteral("presets")).toArray()) {
        const QJsonObject object = value.toObject();
        MaterialPreset p;
        p.material = object.value(QStringLiteral("material")).toString().trimmed();
        p.thickness = object.value(QStringLiteral("thickness")).toString().trimmed();
        p.name = object.value(QStringLiteral("name")).toString().trimmed();
        if (p.material.isEmpty() && p.name.isEmpty())
            continue;
        p.fill = object.value(QStringLiteral("mode")).toString() == QLatin1String("fill");
        p.power = number(object, QStringLiteral("power"), p.power, 0, 100);
        p.speed = number(object, QStringLiteral("speed"), p.speed, 0.1, 100);
        p.passes = int(number(object, QStringLiteral("passes"), p.passes, 1, 100));
        // Version 1 had no scan settings: the default set stands in.
        p.lineInterval = number(object, QStringLiteral("lineInterval"), defaults.scanAccuracy, 0.02, 100);
        p.scanAngle = number(object, QStringLiteral("scanAngle"), defaults.scanAngle, -180, 180);
        p.overscan = number(object, QStringLiteral("overscan"), defaults.scanBuffer, 0, 100);
        presets.append(p);
    }
    mPresets.clear();
    for (const MaterialPreset &p : presets)
        add(p);
    mReadVersion = version;
    return true;
}

bool MaterialLibrary::load(const QString &path, const DefaultParameters &defaults, QString *error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("not a file");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.size() > maxFileBytes) {
        *error = QStringLiteral("the file is too large for a material library");
        return false;
    }
    return fromJson(file.read(maxFileBytes), defaults, error);
}

bool MaterialLibrary::save(const QString &path, QString *error) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    file.write(toJson());
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

QString MaterialLibrary::defaultPath()
{
    return userDataFolder() + QStringLiteral("/materials.json");
}
