#include "import/importunit.h"

namespace ImportUnits {

double millimetresPer(ImportUnit unit)
{
    switch (unit) {
    case ImportUnit::Millimetre:
        return 1.0;
    case ImportUnit::Centimetre:
        return 10.0;
    case ImportUnit::Inch:
        return 25.4;
    case ImportUnit::Plotter:
        return 0.025;
    case ImportUnit::Design:
        return 0.08;
    }
    return 1.0;
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
    switch (unit) {
    case ImportUnit::Millimetre:
        return QStringLiteral("mm");
    case ImportUnit::Centimetre:
        return QStringLiteral("cm");
    case ImportUnit::Inch:
        return QStringLiteral("in");
    case ImportUnit::Plotter:
        return QStringLiteral("plotter");
    case ImportUnit::Design:
        return QStringLiteral("design");
    }
    return QString();
}

bool fromName(const QString &text, ImportUnit *unit)
{
    for (ImportUnit candidate : {ImportUnit::Millimetre, ImportUnit::Centimetre, ImportUnit::Inch,
                                 ImportUnit::Plotter, ImportUnit::Design}) {
        if (name(candidate) == text) {
            *unit = candidate;
            return true;
        }
    }
    return false;
}

ImportUnit fromInsUnits(int code, bool *stated)
{
    *stated = true;
    switch (code) {
    case 1:
        return ImportUnit::Inch;
    case 4:
        return ImportUnit::Millimetre;
    case 5:
        return ImportUnit::Centimetre;
    default:
        *stated = false;
        return ImportUnit::Millimetre;
    }
}

} // namespace ImportUnits
