#include "gcode/backgroundestimate.h"

#include "document/documentwriter.h"

#include <QThread>

namespace {
// Records between two looks at the cancel flag while timing a job.
constexpr int recordsPerCheck = 4096;
}

BackgroundEstimate::BackgroundEstimate(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<JobTimeEstimator::Estimate>("JobTimeEstimator::Estimate");
    qRegisterMetaType<QVector<float>>("QVector<float>");
}

BackgroundEstimate::~BackgroundEstimate()
{
    // The worker owns its request and outcome, but must not outlive the program's objects.
    if (mWorker) {
        mCancel->store(true);
        mWorker->wait();
        delete mWorker;
    }
}

std::unique_ptr<BackgroundEstimate::Request>
BackgroundEstimate::designRequest(const GCodeGenerator &generator, const JobTimeEstimator::Machine &machine)
{
    auto request = std::make_unique<Request>();
    request->fromDesign = true;
    request->generator = generator;
    // The copy only needs the settings; the generator's last job stays behind.
    request->generator.clearJob();
    request->generator.setProgressCallback(nullptr);
    request->machine = machine;
    return request;
}

int BackgroundEstimate::requestDesign(const GCodeGenerator &generator, const QString &svgText,
                                      const JobTimeEstimator::Machine &machine)
{
    std::unique_ptr<Request> request = designRequest(generator, machine);
    request->svgText = svgText;
    submit(std::move(request));
    return mSerial;
}

int BackgroundEstimate::requestDesign(const GCodeGenerator &generator, const QDomDocument &design,
                                      const JobTimeEstimator::Machine &machine)
{
    std::unique_ptr<Request> request = designRequest(generator, machine);
    request->design = design;
    submit(std::move(request));
    return mSerial;
}

int BackgroundEstimate::requestJob(const QVector<GCodeBuffer> &job, const JobTimeEstimator::Machine &machine)
{
    auto request = std::make_unique<Request>();
    request->job = job;
    request->machine = machine;
    submit(std::move(request));
    return mSerial;
}

void BackgroundEstimate::cancel()
{
    ++mSerial;
    mWaiting.reset();
    if (mCancel)
        mCancel->store(true);
}

void BackgroundEstimate::submit(std::unique_ptr<Request> request)
{
    request->serial = ++mSerial;
    mWaiting = std::move(request);
    if (mWorker)
        mCancel->store(true);
    else
        startWaiting();
}

void BackgroundEstimate::startWaiting()
{
    if (!mWaiting)
        return;
    std::shared_ptr<Request> request(std::move(mWaiting));
    auto outcome = std::make_shared<Outcome>();
    mCancel = std::make_shared<std::atomic<bool>>(false);
    const std::shared_ptr<std::atomic<bool>> flag = mCancel;
    mWorker = QThread::create([request, outcome, flag] { run(*request, *outcome, *flag); });
    const int serial = request->serial;
    connect(mWorker, &QThread::finished, this, [this, serial, outcome] { workerDone(serial, outcome); });
    // An estimate must not slow down the generation of the job being started.
    mWorker->start(QThread::LowPriority);
}

void BackgroundEstimate::run(Request &request, Outcome &outcome, const std::atomic<bool> &cancel)
{
    if (request.fromDesign) {
        if (!request.design.isNull()) {
            request.svgText = toSvgText(request.design);
            request.design = QDomDocument();
        }
        request.generator.setCancelFlag(&cancel);
        request.job = request.generator.generate(request.svgText);
        request.generator.setCancelFlag(nullptr);
        if (request.generator.wasCancelled() || cancel.load()) {
            outcome.cancelled = true;
            return;
        }
        request.svgText.clear();
    }
    JobTimeEstimator estimator(request.machine);
    if (!request.fromDesign)
        estimator.keepRecordTimes();
    QByteArray line;
    for (int i = 0; i < request.job.size(); ++i) {
        if (i % recordsPerCheck == 0 && cancel.load(std::memory_order_relaxed)) {
            outcome.cancelled = true;
            return;
        }
        line.clear();
        request.job.at(i).appendTo(line);
        estimator.addLine(line);
    }
    outcome.estimate = estimator.finish();
    if (!request.fromDesign)
        outcome.recordTimes = estimator.recordTimes();
}

void BackgroundEstimate::workerDone(int serial, const std::shared_ptr<Outcome> &outcome)
{
    mWorker->deleteLater();
    mWorker = nullptr;
    mCancel.reset();
    // A newer request superseded this one, whether or not it got to finish.
    if (!outcome->cancelled && serial == mSerial)
        emit estimated(serial, outcome->estimate, outcome->recordTimes);
    startWaiting();
}
