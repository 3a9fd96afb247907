#include "import/importunit.h"

namespace ImportUnits {

namespace {

struct UnitInfo
{
    ImportUnit unit;
    const char *name;
    double millimetres;
    // The DXF $INSUNITS code, or 0.
    int insUnits;
};

// Each unit's size; the US survey units are the pre-1959 ones (1200/3937 m
// to the foot).
const UnitInfo units[] = {
    {ImportUnit::Millimetre, "mm", 1.0, 4},
    {ImportUnit::Centimetre, "cm", 10.0, 5},
    {ImportUnit::Inch, "in", 25.4, 1},
    {ImportUnit::Plotter, "plotter", 0.025, 0},
    {ImportUnit::Design, "design", 0.08, 0},
    {ImportUnit::Foot, "ft", 304.8, 2},
    {ImportUnit::Mile, "mi", 1609344.0, 3},
    {ImportUnit::Metre, "m", 1000.0, 6},
    {ImportUnit::Kilometre, "km", 1e6, 7},
    {ImportUnit::Microinch, "uin", 25.4e-6, 8},
    {ImportUnit::Mil, "mil", 0.0254, 9},
    {ImportUnit::Yard, "yd", 914.4, 10},
    {ImportUnit::Angstrom, "angstrom", 1e-7, 11},
    {ImportUnit::Nanometre, "nm", 1e-6, 12},
    {ImportUnit::Micrometre, "um", 1e-3, 13},
    {ImportUnit::Decimetre, "dm", 100.0, 14},
    {ImportUnit::Decametre, "dam", 1e4, 15},
    {ImportUnit::Hectometre, "hm", 1e5, 16},
    {ImportUnit::Gigametre, "gm", 1e12, 17},
    {ImportUnit::AstronomicalUnit, "au", 1.495978707e14, 18},
    {ImportUnit::LightYear, "ly", 9.4607304725808e18, 19},
    {ImportUnit::Parsec, "pc", 3.0856775814913673e19, 20},
    {ImportUnit::UsSurveyFoot, "usft", 1200000.0 / 3937, 21},
    {ImportUnit::UsSurveyInch, "usin", 100000.0 / 3937, 22},
    {ImportUnit::UsSurveyYard, "usyd", 3600000.0 / 3937, 23},
    {ImportUnit::UsSurveyMile, "usmi", 6336000000.0 / 3937, 24},
};

const UnitInfo &infoOf(ImportUnit unit)
{
    for (const UnitInfo &info : units) {
        if (info.unit == unit)
            return info;
    }
    return units[0];
}

} // namespace

double millimetresPer(ImportUnit unit)
{
    return infoOf(unit).millimetres;
}

double designUnitsPer(ImportUnit unit)
{
    // 12.5 design units per millimetre; the design unit itself stays exact.
    return unit == ImportUnit::Design ? 1.0 : millimetresPer(unit) * 12.5;
}

bool isYUp(ImportUnit unit)
{
    return unit != ImportUnit::Design;
}

QString name(ImportUnit unit)
{
    return QString::fromLatin1(infoOf(unit).name);
}

QStringList names()
{
    QStringList all;
    for (const UnitInfo &info : units)
        all.append(QString::fromLatin1(info.name));
    return all;
}

bool fromName(const QString &text, ImportUnit *unit)
{
    for (const UnitInfo &info : units) {
        if (text == QLatin1String(info.name)) {
            *unit = info.unit;
            return true;
        }
    }
    return false;
}

ImportUnit fromInsUnits(int code, bool *stated)
{
    for (const UnitInfo &info : units) {
        if (code != 0 && info.insUnits == code) {
            *stated = true;
            return info.unit;
        }
    }
    *stated = false;
    return ImportUnit::Millimetre;
}

} // namespace ImportUnits
