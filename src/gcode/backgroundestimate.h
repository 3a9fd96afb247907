#pragma once

#include "gcode/gcodegenerator.h"
#include "gcode/jobtimeestimator.h"

#include <QDomDocument>
#include <QObject>
#include <QVector>

#include <atomic>
#include <memory>

class QThread;

// Job time estimates off the calling thread, one computation at a time. A
// request while one runs stops that one at its next check, and only the
// newest waiting request starts once it has ended: a burst of edits on a big
// photo costs one generation, not one per edit. Only the newest request's
// result is ever reported.
class BackgroundEstimate : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundEstimate(QObject *parent = nullptr);
    ~BackgroundEstimate() override;

    // The time of the job `generator` makes of `svgText` (the generator is
    // copied with its paint values and default parameters). Returns the
    // request's serial.
    int requestDesign(const GCodeGenerator &generator, const QString &svgText,
                      const JobTimeEstimator::Machine &machine);
    // The same for a design the worker writes out itself: writing a big
    // photo's text takes the calling thread far longer than a deep copy.
    // `design` must be a copy no other code touches (QDomNode::cloneNode).
    int requestDesign(const GCodeGenerator &generator, const QDomDocument &design,
                      const JobTimeEstimator::Machine &machine);
    // The time of a job already generated, with the time of each record.
    int requestJob(const QVector<GCodeBuffer> &job, const JobTimeEstimator::Machine &machine);
    // Drops the waiting request and stops the running one; neither reports.
    void cancel();

    bool isRunning() const { return mWorker != nullptr; }
    int latestSerial() const { return mSerial; }

signals:
    // `recordTimes` is filled for requestJob only (JobTimeEstimator::recordTimes).
    void estimated(int serial, const JobTimeEstimator::Estimate &estimate,
                   const QVector<float> &recordTimes);

private:
    struct Request
    {
        int serial = 0;
        bool fromDesign = false;
        GCodeGenerator generator;
        QString svgText;
        QDomDocument design;
        QVector<GCodeBuffer> job;
        JobTimeEstimator::Machine machine;
    };
    struct Outcome
    {
        bool cancelled = false;
        JobTimeEstimator::Estimate estimate;
        QVector<float> recordTimes;
    };

    static std::unique_ptr<Request> designRequest(const GCodeGenerator &generator,
                                                  const JobTimeEstimator::Machine &machine);
    void submit(std::unique_ptr<Request> request);
    void startWaiting();
    void workerDone(int serial, const std::shared_ptr<Outcome> &outcome);
    static void run(Request &request, Outcome &outcome, const std::atomic<bool> &cancel);

    int mSerial = 0;
    std::unique_ptr<Request> mWaiting;
    QThread *mWorker = nullptr;
    std::shared_ptr<std::atomic<bool>> mCancel;
};

Q_DECLARE_METATYPE(JobTimeEstimator::Estimate)
