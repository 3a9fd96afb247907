#pragma once

#include <QPainterPath>
#include <QString>

// Path data with relative commands: "m", "l" and "c", each written once for a
// run of elements of its kind, every pair as "dx,dy " with six decimals.
QString pathToData(const QPainterPath &path);

// The same, except that the first move is an absolute "M x,y ", and "z " is
// appended when the path ends where its last subpath began.
QString pathToClosedData(const QPainterPath &path);
