#pragma once

#include "gcodeinterpreter.h"
#include "jobfixtures.h"

#include <QLineF>
#include <QPointF>
#include <QStringList>
#include <QVector>

// Burn paths for recovery tests: what a run of G-code lines burns, and
// comparing two such sets of moves within a tolerance.
namespace BurnPath {

using JobFixtures::linesOf;

inline QVector<QLineF> segmentsOf(const QStringList &lines)
{
    GCodeInterpreter interpreter;
    interpreter.run(lines);
    return interpreter.segments;
}

inline bool near(const QPointF &a, const QPointF &b, double tolerance)
{
    return std::fabs(a.x() - b.x()) <= tolerance && std::fabs(a.y() - b.y()) <= tolerance;
}

// The moves of `wanted` that no move of `burned` covers end to end.
inline QVector<QLineF> unmatched(const QVector<QLineF> &wanted, const QVector<QLineF> &burned,
                                 double tolerance = 0.001)
{
    QVector<QLineF> missing;
    for (const QLineF &w : wanted) {
        bool found = false;
        for (const QLineF &b : burned) {
            if (near(w.p1(), b.p1(), tolerance) && near(w.p2(), b.p2(), tolerance)) {
                found = true;
                break;
            }
        }
        if (!found)
            missing.append(w);
    }
    return missing;
}

inline QString describe(const QVector<QLineF> &segments)
{
    QStringList parts;
    for (int i = 0; i < segments.size() && i < 5; ++i) {
        const QLineF &s = segments.at(i);
        parts << QStringLiteral("(%1,%2)-(%3,%4)").arg(s.x1()).arg(s.y1()).arg(s.x2()).arg(s.y2());
    }
    return QStringLiteral("%1 moves: %2").arg(segments.size()).arg(parts.join(QLatin1Char(' ')));
}

} // namespace BurnPath
