#pragma once

#include <QString>

// The unit a drawing file's coordinates are read in.
enum class ImportUnit {
    Millimetre,
    Centimetre,
    Inch,
    // 0.025 mm, y up: what plotters and cutting programs write.
    Plotter,
    // The design's own 0.08 mm, y down.
    Design,
};

namespace ImportUnits {

// Design units (0.08 mm) per file unit.
double designUnitsPer(ImportUnit unit);
// Millimetres per file unit.
double millimetresPer(ImportUnit unit);
// Files in these units have y up and are mirrored on the way in.
bool isYUp(ImportUnit unit);

// "mm", "cm", "in", "plotter", "design": the names of the command line and
// the settings store.
QString name(ImportUnit unit);
// False, with `unit` untouched, for a name not listed above.
bool fromName(const QString &name, ImportUnit *unit);

// The unit of a DXF $INSUNITS code; `stated` is false for 0 (none) and for
// codes without a unit of ours, which are read as millimetres.
ImportUnit fromInsUnits(int code, bool *stated);

} // namespace ImportUnits
