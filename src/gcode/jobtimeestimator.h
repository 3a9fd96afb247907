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
// Like the firmware it cuts G2/G3 arcs into chords within the arc tolerance,
// snaps targets to the step grid, empties the planner at every spindle change
// (M3/M4/M5), dwell and program end and then waits the idle delay; and a job
// streamed line by line cannot run ahead of its bytes on the serial line.
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
        double arcTolerance = 0.002;     // $12, mm
        double idleDelayMs = 25;         // $1, after each full stop; 255 never idles
        double stepsPerMmX = 80;         // $100
        double stepsPerMmY = 80;         // $101
        int plannerBlocks = 15;          // blocks the planner looks ahead over
        // Bytes per second the serial line carries to the engraver in line
        // mode (115 200 baud, 8N1); 0 leaves the wire out.
        double linkBytesPerSecond = 11520;
        // Part mode: the job goes over that line as compressed parts into
        // the engraver's storage before anything moves, so the upload comes
        // before the motion instead of pacing it.
        bool uploadsParts = false;

        // The values of a "$$" dump ("$110=16000" lines); what it lacks, or
        // gives as zero, negative or not a number, keeps the default.
        static Machine fromSettingsDump(const QByteArray &dump);
        // The engraver's settings as the controller mirrors them ($N -> value).
        static Machine fromSettings(const QMap<int, double> &settings);
    };

    struct Estimate
    {
        double seconds = 0;     // motion time, dwells and a part upload included
        double uploadSeconds = 0; // the part upload before the motion
        double burnSeconds = 0; // time of moves with the laser on (G1 with S > 0)
        int moves = 0;
        double travelMm = 0;
        double burnMm = 0;
    };

    // The emulator's machine: 16000 mm/min, 3000 mm/s^2, 0.01 mm, on a
    // 115 200 baud line.
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
        double arrival = 0;       // s, when its line has come over the wire
    };

    void addMove(double x, double y, bool rapid, double feedMmPerMin, bool burning);
    // G2/G3 from the current position, as chords within the arc tolerance.
    void addArc(double x, double y, double i, double j, bool clockwise, double feedMmPerMin, bool burning);
    // The planner runs empty and the steppers idle: dwells, spindle changes,
    // program end.
    void synchronize();
    // Adds `seconds` of the current line that start no earlier than its bytes
    // arrived.
    void addLineTime(double seconds, int line);
    // Fixes the entry speed of the oldest buffered block and times it.
    void executeOldest();
    double limitByAxes(double ux, double uy, double limitX, double limitY) const;
    // Compresses the part text gathered so far, as the controller sends it.
    void closePart();

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

    // Finish time of everything executed so far, s; the wire may hold it back.
    double mClock = 0;
    // Bytes of the lines fed so far, and when the current line has arrived.
    double mBytes = 0;
    double mArrival = 0;
    // Part mode: the text of the part being gathered, and the compressed
    // bytes of the parts before it.
    QByteArray mPartText;
    double mUploadBytes = 0;
    bool mMovedSinceStop = false;
    int mSpindle = 5;          // 3, 4 or 5

    // Modal state of the interpreter.
    double mX = 0;
    double mY = 0;
    double mFeed = 0;          // mm/min
    double mPower = 0;
    int mMotion = 0;           // 0, 1, 2 or 3
    bool mRelative = false;
    bool mInches = false;
};
