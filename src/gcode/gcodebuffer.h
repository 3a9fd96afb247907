#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVector>

// One line of G-code in the engraver's dialect. -1 marks an absent G, S, F or
// M; X and Y are absent at -1 when `absolute` is set and at 0 when it is clear
// (displacements after "G91").
struct GCodeBuffer
{
    static constexpr double absent = -1;
    static constexpr double wordG00 = -2;    // G is written as "G00"
    static constexpr double emptyLine = -3;  // the whole line is "\n"

    double G = absent;
    double X = absent;
    double Y = absent;
    double S = absent;
    double F = absent;
    double M = absent;
    bool absolute = true;

    // The line with its terminating "\n".
    QString toString() const;
    // Appends the line to `out` without building a temporary string.
    void appendTo(QByteArray &out) const;

    static GCodeBuffer g(double g);
    static GCodeBuffer m(double m);
    static GCodeBuffer g00();

    bool operator==(const GCodeBuffer &other) const;
    bool operator!=(const GCodeBuffer &other) const { return !(*this == other); }
};

Q_DECLARE_TYPEINFO(GCodeBuffer, Q_PRIMITIVE_TYPE);
Q_DECLARE_METATYPE(GCodeBuffer)
Q_DECLARE_METATYPE(QList<GCodeBuffer>)

// Registers QList<GCodeBuffer> for queued connections to the device thread.
void registerGCodeBufferMetaTypes();
