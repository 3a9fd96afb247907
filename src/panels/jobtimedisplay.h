#pragma once

#include "gcode/gcodegenerator.h"
#include "gcode/jobtimeestimator.h"

#include <QDomDocument>
#include <QElapsedTimer>
#include <QLabel>
#include <QMap>
#include <QVector>

#include <functional>
#include <utility>

class BackgroundEstimate;
class QTimer;

// The operate panel's job time: before Start the estimated time of the
// design as it stands, while a job runs the time left. Estimates are
// computed in the background after the design has been still for a moment,
// with the motion settings the connected engraver reported.
class JobTimeDisplay : public QLabel
{
    Q_OBJECT

public:
    // The design's generator (paint values and default parameters set) and
    // a deep copy of its document, read when an estimate starts.
    using DesignSource = std::function<std::pair<GCodeGenerator, QDomDocument>()>;
    // Milliseconds since some fixed point; the pause clock of a running job.
    using Clock = std::function<qint64()>;

    explicit JobTimeDisplay(QWidget *parent = nullptr);
    ~JobTimeDisplay() override;

    void setDesignSource(DesignSource source) { mSource = std::move(source); }
    void setClock(Clock clock) { mClock = std::move(clock); }
    // How long the design must stay unchanged before an estimate starts.
    void setSettleTime(int milliseconds);

    // Seconds of the design's job as it stands; -1 while it is being
    // estimated or when the job moves nothing.
    double estimatedSeconds() const { return mDesignKnown && mDesignMoves ? mDesignSeconds : -1; }
    // The machine the estimates plan with.
    JobTimeEstimator::Machine machine() const;
    // "1:02:05"
    static QString clockText(double seconds);

public slots:
    // The design or a parameter changed: the estimate shown is stale.
    void designChanged();
    // Start was pressed and the job is being generated: no estimate of the
    // design may compete with that for the processor.
    void jobStarting();
    // The job just handed to the controller, as it was generated.
    void jobStarted(const QVector<GCodeBuffer> &job);
    // The controller takes the interrupted job up again at the row or
    // outline it offered: the time left is that of what remains.
    void jobResumed();
    // Stopped, finished or cut off.
    void jobEnded();
    void setPaused(bool paused);
    // The controller's panel messages: progress, job end, link and settings.
    void applyDeviceMessage(const QString &message);
    // The panel's messages to the controller: the engraver keeps the motion
    // settings written from the panel without reporting them again.
    void applyPanelCommands(const QStringList &messages);

private:
    void startDesignEstimate();
    void startRunning(const QVector<GCodeBuffer> &job);
    void takeSetting(int number, double value);
    void estimated(int serial, const JobTimeEstimator::Estimate &estimate,
                   const QVector<float> &recordTimes);
    qint64 runningMilliseconds() const;
    void showTime();

    DesignSource mSource;
    Clock mClock;
    BackgroundEstimate *mBackground = nullptr;
    QTimer *mSettle = nullptr;
    QTimer *mTick = nullptr;
    QElapsedTimer mSinceCreated;
    // $N -> value, as the connected engraver reported them.
    QMap<int, double> mReported;
    // The panel's maximum speeds ($110 / $100, $111 / $101) as reported, to
    // turn a speed written from the panel back into $110 and $111.
    double mPanelSpeedX = 0;
    double mPanelSpeedY = 0;
    // Part mode: the upload holds the job up, the line does not pace it.
    bool mTakesParts = false;

    int mDesignSerial = -1;
    bool mDesignKnown = false;      // mDesignSeconds belongs to the design as it stands
    bool mDesignMoves = false;      // the design's job moves the head at all
    double mDesignSeconds = 0;

    // The last job started, kept while the controller may take it up again
    // at the row or outline it offered (numbered as in this job).
    QVector<GCodeBuffer> mLastJob;
    bool mResumeRow = true;
    int mResumeNumber = 0;

    bool mRunning = false;
    int mJobSerial = -1;
    QVector<float> mRecordTimes;
    double mPercent = 0;
    bool mPaused = false;
    qint64 mRunBefore = 0;          // ms run before the last resume
    qint64 mResumedAt = 0;
};
