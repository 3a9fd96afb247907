#pragma once

#include "gcode/gcodebuffer.h"

#include <QList>
#include <QVector>

// Where a job can be taken up again after the link dropped or the user
// stopped it: its raster rows and its outlines, found from the records as the
// engraver reads them, each with the machine state it starts in.
//
// A raster row starts where the head arrives on its scan line (after the
// power-off move across from the row before, so the lead-in is repeated); an
// outline starts with the rapid moves that bring the head to it (backlash
// take-up included); take-up inside an outline, and any rapid of a
// millimetre or less, start none. Every unit burns something; the head, the
// tail and travel that burns nothing belong to no unit of their own.
class JobMap
{
public:
    enum class Kind { Row, Outline };

    // The engraver's modal state before a record runs.
    struct State
    {
        bool relative = false;      // G91
        bool inches = false;        // G20
        int motion = 0;             // G0 or G1
        int laserMode = 5;          // M3, M4, or M5 for off
        int coolant = 9;            // M7, M8, or M9 for off
        bool fan = false;           // M106 .. M107
        double power = 0;           // S
        double feed = 0;            // F; 0 until the job gives one
        // Where the head is, summed from the words as written (four
        // decimals), as the engraver sums them.
        double x = 0;
        double y = 0;
    };

    struct Unit
    {
        Kind kind = Kind::Row;
        int number = 0;             // 1 for the first row, and for the first outline
        int first = 0;              // index of its first record
        State state;                // before that record
    };

    explicit JobMap(const QList<GCodeBuffer> &job);
    explicit JobMap(const QVector<GCodeBuffer> &job);

    const QVector<Unit> &units() const { return mUnits; }
    bool isEmpty() const { return mUnits.isEmpty(); }

    // Index in units() of the unit that record `record` belongs to; records
    // before the first unit belong to it. -1 when the job burns nothing.
    int unitOf(int record) const;

    // The unit to take the job up at when the engraver answered its first
    // `acknowledged` records. GRBL answers a line once it is planned, not
    // burned: up to `plannerBlocks` answered moves may still have been waiting
    // in the planner when the link dropped or a reset emptied it, so the
    // unit is the one of the oldest move that may not have run.
    int resumeUnit(const QList<GCodeBuffer> &job, int acknowledged, int plannerBlocks) const;

    // What a record makes of `state`; true when it moves the head.
    static bool apply(const GCodeBuffer &record, State &state);
    // Whether the record writes an X or a Y word.
    static bool hasAxisWords(const GCodeBuffer &record);
    // A value as "%.4f" writes it, so positions add up as on the engraver.
    static double written(double value);

private:
    template<class Records>
    void build(const Records &job);

    QVector<Unit> mUnits;
};
