#pragma once

#include "gcode/gcodegenerator.h"

#include <QObject>

#include <atomic>
#include <memory>

class QThread;

// The job of the design in the window: generates it from the design text
// with the document's default parameter set, and keeps it until it is sent,
// saved or previewed.
class JobController : public QObject
{
    Q_OBJECT

public:
    explicit JobController(QObject *parent = nullptr);
    ~JobController() override;

    // "paintPower", "paintSpeed" and the other generator values by name.
    void setPaintProperty(const QStringList &names, const QList<double> &values)
    {
        mGenerator.setPaintProperty(names, values);
    }

    // The design's file: pictures it links by a relative path lie beside it.
    void setDesignFile(const QString &path) { mGenerator.setDesignFile(path); }

    // Replaces the job by the one of `svgText`.
    const QVector<GCodeBuffer> &generate(const QString &svgText, const DefaultParameters &defaults);
    const QVector<GCodeBuffer> &job() const { return mJob; }
    void clearJob();

    // Generates the job of `svgText` in a worker thread with a copy of the
    // generator, so the calling thread's event loop keeps running. Ends with
    // finished() (the job and generator() replaced, as generate() would) or
    // cancelled() (the job left empty), delivered on this object's thread.
    // False, and nothing started, while a generation is running.
    bool generateAsync(const QString &svgText, const DefaultParameters &defaults);
    // Asks the running generation to stop at its next check.
    void cancel();
    bool isGenerating() const { return mWorker != nullptr; }

    // The generator of the last job, for its summary and settings.
    const GCodeGenerator &generator() const { return mGenerator; }

signals:
    void progress(int percent);
    void finished(const QVector<GCodeBuffer> &job);
    void cancelled();

private:
    void workerDone(const std::shared_ptr<GCodeGenerator> &worker);

    GCodeGenerator mGenerator;
    QVector<GCodeBuffer> mJob;
    QThread *mWorker = nullptr;
    std::shared_ptr<std::atomic<bool>> mCancel;
};
