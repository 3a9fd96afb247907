#pragma once

#include <QString>
#include <QStringList>

// The unit a drawing file's coordinates are read in.
enum class ImportUnit {
    Millimetre,
    Centimetre,
    Inch,
    // 0.025 mm, y up: what plotters and cutting programs write.
    Plotter,
    // The design's own 0.08 mm, y down.
    Design,
    // The other units a DXF header can name.
    Foot,
    Mile,
    Metre,
    Kilometre,
    Microinch,
    Mil,
    Yard,
    Angstrom,
    Nanometre,
    Micrometre,
    Decimetre,
    Decametre,
    Hectometre,
    Gigametre,
    AstronomicalUnit,
    LightYear,
    Parsec,
    UsSurveyFoot,
    UsSurveyInch,
    UsSurveyYard,
    UsSurveyMile,
};

namespace ImportUnits {

// Design units (0.08 mm) per file unit.
double designUnitsPer(ImportUnit unit);
// Millimetres per file unit.
double millimetresPer(ImportUnit unit);
// Files in these units have y up and are mirrored on the way in.
bool isYUp(ImportUnit unit);

// "mm", "cm", "in", "plotter", "design", "ft", "m", ...: the names of the
// command line and the settings store.
QString name(ImportUnit unit);
// Every name, in the order of the enumeration.
QStringList names();
// False, with `unit` untouched, for a name not listed above.
bool fromName(const QString &name, ImportUnit *unit);

// The unit of a DXF $INSUNITS code; `stated` is false for 0 (none) and for
// codes no unit stands for, which are read as millimetres.
ImportUnit fromInsUnits(int code, bool *stated);

} // namespace ImportUnits
