#pragma once

#include "document/defaultparameters.h"
#include "document/engravingattributenames.h"
#include "document/engravingparameters.h"
#include "document/paintparameter.h"

#include <QDomElement>
#include <QString>
#include <QStringList>

// The nine numeric attributes in the order of PaintParameter's fields; the
// panel writes these on the selection without an undo record.
QStringList numericEngravingAttributes();

// Six significant digits in the shortest form ("0.025", "100", "-0.15").
QString formatParameter(double value);
// Fixed-point with six decimals ("180.000000").
QString formatFixed(double value);

enum class EngraveMode {
    None,    // no "fill" declaration: neither cut nor filled; children are still visited
    Outline, // "fill:none"
    Fill,    // any other "fill" value
};

EngraveMode engraveMode(const QDomElement &element);

// What an outline-mode element is cut with: its pass count, power, speed
// and backlash; the other four parameters keep their defaults.
using OutlineParameters = EngravingParameters;

// The backlash an outline is cut with when its element gives none.
constexpr double outlineBacklashFallback = 0.1;

// Power, speed, pass count and backlash of an outline-mode element. Absent or
// unreadable attributes take the parameters' defaults, but the backlash
// outlineBacklashFallback; fewer than one pass counts as one. Values outside
// their range (ParameterRange) are clamped and noted in `notes`, once each.
OutlineParameters readOutlineParameters(const QDomElement &element, QStringList *notes = nullptr);

// All nine parameters of a fill-mode or image element. Absent or unreadable
// attributes take the parameters' defaults for power and speed and the
// default set for the other seven. The pass count is kept as read, so 0 or less gives no raster pass.
// Values outside their range are clamped and noted like the outline's.
PaintParameter readPaintParameter(const QDomElement &element, const DefaultParameters &defaults,
                                  QStringList *notes = nullptr);

// What an element object does when it is created: reads all nine parameters
// like readPaintParameter(), and writes each of the seven default-set values
// that was absent or unreadable into the element. Power and speed are not written.
PaintParameter completeElementParameters(QDomElement element, const DefaultParameters &defaults);
