#pragma once

#include "gcode/gcodebuffer.h"
#include "gcode/gcodegenerator.h"
#include "gcode/jobmap.h"
#include "gcode/resumejob.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// Jobs, their texts and firmware images for the device tests.
namespace JobFixtures {

// One record with every word given.
inline GCodeBuffer record(double g, double x, double y, double s, double f, double m, bool absolute)
{
    GCodeBuffer r;
    r.G = g;
    r.X = x;
    r.Y = y;
    r.S = s;
    r.F = f;
    r.M = m;
    r.absolute = absolute;
    return r;
}

// A job whose records are all different (rapid and cutting moves, with and
// without power), ending the program.
inline QList<GCodeBuffer> numberedJob(int records)
{
    QList<GCodeBuffer> job{GCodeBuffer::g(90), GCodeBuffer::g(21)};
    for (int i = 0; job.size() < records - 1; ++i) {
        GCodeBuffer record = GCodeBuffer::g(i % 2);
        record.X = (i % 1000) * 0.1;
        record.Y = (i / 1000) * 0.1;
        if (i % 2)
            record.S = (i * 7) % 1000;
        job.append(record);
    }
    job.append(GCodeBuffer::m(2));
    return job;
}

// The job the generator makes of a design body on a 400 x 600 page.
inline QList<GCodeBuffer> generatedJob(const QString &body)
{
    GCodeGenerator generator;
    return generator
            .generate(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:tolvenrik='urn:tolvenrik' "
                                     "width='400' height='600'>%1</svg>")
                              .arg(body))
            .toList();
}

// `count` small stroked rectangles, `perRow` to a row: a design whose job
// has a resume point at every outline.
inline QString outlinesDesign(int count, int perRow)
{
    QString rects;
    for (int i = 0; i < count; ++i)
        rects += QStringLiteral("<rect x='%1' y='%2' width='8' height='6' style='fill:none;stroke:#000000'/>")
                         .arg(10 + (i % perRow) * 20)
                         .arg(10 + (i / perRow) * 20);
    return rects;
}

// Where a resume at unit `number` of `kind` takes `job` up: the unit's first
// record, and how many set-up records the resumed job puts before it.
// `first` is -1 when the job has no such unit.
struct ResumeAt
{
    int first = -1;
    int setup = 0;
};

inline ResumeAt resumeAt(const QList<GCodeBuffer> &job, JobMap::Kind kind, int number)
{
    const JobMap map(job);
    for (const JobMap::Unit &unit : map.units()) {
        if (unit.kind == kind && unit.number == number)
            return {unit.first, int(ResumeJob::build(job, unit).size()) - (int(job.size()) - unit.first)};
    }
    return {};
}

// The bytes the engraver should receive for `records`.
inline QByteArray textOf(const QList<GCodeBuffer> &records)
{
    QByteArray text;
    for (const GCodeBuffer &r : records)
        r.appendTo(text);
    return text;
}

// The lines of `records` (a QList or a QVector) without their line ends.
template<class Records>
QStringList linesOf(const Records &records)
{
    QStringList lines;
    for (const GCodeBuffer &r : records)
        lines.append(r.toString().chopped(1));
    return lines;
}

// A firmware image of `size` bytes whose 4096-byte pieces all differ, so a
// piece sent twice or out of order shows.
inline QByteArray generatedImage(int size)
{
    QByteArray image(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        image[i] = char((i * 131 + i / 4096) & 0xff);
    return image;
}

} // namespace JobFixtures
