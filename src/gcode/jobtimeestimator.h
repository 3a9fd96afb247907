#pragma once

#include "gcode/gcodebuffer.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QVector>

// How long the engraver takes to run a job, found by running the job through
// a model of GRBL 1.1's motion planner: per-axis rates and accelerations,
// junction speeds from the junction deviation, look-ahead over the planner's
// block buffer with every planned sequence able to stop at its end, and a
// trapezoid (or triangle) speed profile per block. Laser mode is assumed:
// power changes do not stop the motion, and G0 runs at the axes' maximum rate.
class JobTimeEstimator
{
public:
    struct Machine
    {
        double maxRateX = 16000;        // $110, mm/min
        double maxRateY = 16000;        // $111
        double accelerationX = 3000;    // $120, mm/s^2
        double accelerationY = 3000;    // $121
        double junctionDeviation = 0.01; // $11, mm
        int plannerBlocks = 15;          // blocks the planner looks ahead over

        // The values of a "$$" dump ("$110=16000" lines); what it lacks, or
        // gives as zero, negative or not a number, keeps the default.
        static Machine fromSettingsDump(const QByteArray &dump);
        // The engraver's settings as the controller mirrors them ($N -> value).
        static Machine fromSettings(const QMap<int, double> &settings);
    };

    struct Estimate
    {
        double seconds = 0;     // motion time, dwells included
        double burnSeconds = 0; // time of moves with the laser on (G1 with S > 0)
        int moves = 0;
        double travelMm = 0;
        double burnMm = 0;
    };

    // The emulator's machine: 200 mm/s, 3000 mm/s^2, 0.01 mm.
    JobTimeEstimator();
    explicit JobTimeEstimator(const Machine &machine);

    // Feeds one line of G-code (with or without its line end).
    void addLine(const QByteArray &line);
    void addRecords(const QVector<GCodeBuffer> &records);
    // Plans and times what is still buffered; the estimate of everything fed.
    Estimate finish();

    // Keeps the time of every line fed from now on (a line of no motion
    // takes none), so a running job's remaining time can be read off the
    // share of its records sent. Off by default: a photo has millions.
    void keepRecordTimes();
    // After finish(): for each line fed, the seconds from the first line's
    // start to the end of that line's motion. Rises with the lines and ends
    // at the estimate's seconds.
    QVector<float> recordTimes() const;

    static Estimate estimate(const QByteArray &jobText, const Machine &machine);
    static Estimate estimate(const QVector<GCodeBuffer> &records, const Machine &machine);
    static Estimate estimate(const QByteArray &jobText);
    static Estimate estimate(const QVector<GCodeBuffer> &records);

    // "1 h 02 min 05 s", "3 min 20 s", "12 s".
    static QString formatDuration(double seconds);

private:
    struct Block
    {
        double length = 0;        // mm
        double ux = 0;            // unit direction
        double uy = 0;
        double nominal = 0;       // mm/s
        double acceleration = 0;  // mm/s^2
        double maxEntry = 0;      // mm/s, from the junction and both nominal speeds
        double entry = 0;         // planned entry speed, mm/s
        bool burning = false;
        int line = -1;            // index of the line it came from, when times are kept
    };

    void addMove(double x, double y, bool rapid, double feedMmPerMin, bool burning);
    // Fixes the entry speed of the oldest buffered block and times it.
    void executeOldest();
    double limitByAxes(double ux, double uy, double limitX, double limitY) const;

    Machine mMachine;
    QList<Block> mBuffer;
    bool mKeepTimes = false;
    QVector<float> mLineSeconds;   // each kept line's own share of the time
    Estimate mEstimate;
    // Exit speed of the last block executed: the entry of the next one
    // cannot exceed what the previous block could reach.
    double mPreviousExit = 0;
    double mPreviousUx = 0;
    double mPreviousUy = 0;
    double mPreviousNominal = 0;
    bool mHasPrevious = false;

    // Modal state of the interpreter.
    double mX = 0;
    double mY = 0;
    double mFeed = 0;          // mm/min
    double mPower = 0;
    int mMotion = 0;           // 0 or 1
    bool mRelative = false;
    bool mInches = false;
};
