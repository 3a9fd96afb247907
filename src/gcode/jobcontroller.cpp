#include "gcode/jobcontroller.h"

#include <QDebug>
#include <QThread>

JobController::JobController(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<QVector<GCodeBuffer>>("QVector<GCodeBuffer>");
}

JobController::~JobController()
{
    // The worker touches only its own generator copy and the shared flag,
    // but it must not outlive the program's objects.
    if (mWorker) {
        cancel();
        mWorker->wait();
        delete mWorker;
    }
}

const QVector<GCodeBuffer> &JobController::generate(const QString &svgText,
                                                   const DefaultParameters &defaults)
{
    mGenerator.setDefaultParameters(defaults);
    mJob = mGenerator.generate(svgText);
    qDebug() << "mGcode" << mJob.size();
    return mJob;
}

void JobController::clearJob()
{
    mJob.clear();
    mGenerator.clearJob();
}

bool JobController::generateAsync(const QString &svgText, const DefaultParameters &defaults)
{
    if (mWorker)
        return false;
    mJob.clear();
    mCancel = std::make_shared<std::atomic<bool>>(false);
    auto worker = std::make_shared<GCodeGenerator>(mGenerator);
    worker->setDefaultParameters(defaults);
    worker->setCancelFlag(mCancel.get());
    // Progress crosses to this object's thread queued; stale reports of an
    // ended worker are dropped with `this` as context.
    worker->setProgressCallback([this](int percent) {
        QMetaObject::invokeMethod(this, [this, percent] { emit progress(percent); },
                                  Qt::QueuedConnection);
    });
    const std::shared_ptr<std::atomic<bool>> flag = mCancel;
    mWorker = QThread::create([worker, svgText, flag] {
        Q_UNUSED(flag) // keeps the flag alive as long as the worker reads it
        worker->generate(svgText);
    });
    connect(mWorker, &QThread::finished, this, [this, worker] { workerDone(worker); });
    mWorker->start();
    return true;
}

void JobController::cancel()
{
    if (mCancel)
        mCancel->store(true);
}

void JobController::workerDone(const std::shared_ptr<GCodeGenerator> &worker)
{
    mWorker->deleteLater();
    mWorker = nullptr;
    const bool wasCancelled = worker->wasCancelled() || mCancel->load();
    mCancel.reset();
    worker->setCancelFlag(nullptr);
    worker->setProgressCallback(nullptr);
    if (wasCancelled) {
        mJob.clear();
        emit cancelled();
        return;
    }
    mGenerator = *worker;
    mJob = mGenerator.job();
    emit finished(mJob);
}
