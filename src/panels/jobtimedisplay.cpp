#include "panels/jobtimedisplay.h"

#include "device/grblmodel.h"
#include "device/panelmessage.h"
#include "gcode/backgroundestimate.h"
#include "gcode/jobmap.h"
#include "gcode/resumejob.h"

#include <QTimer>

#include <cmath>

namespace {
constexpr int defaultSettleMilliseconds = 600;
constexpr int tickMilliseconds = 1000;
}

JobTimeDisplay::JobTimeDisplay(QWidget *parent)
    : QLabel(parent)
    , mBackground(new BackgroundEstimate(this))
    , mSettle(new QTimer(this))
    , mTick(new QTimer(this))
{
    setObjectName(QStringLiteral("jobTime"));
    mSinceCreated.start();
    mClock = [this] { return mSinceCreated.elapsed(); };
    mSettle->setSingleShot(true);
    mSettle->setInterval(defaultSettleMilliseconds);
    // The time left keeps falling between the controller's progress reports.
    mTick->setInterval(tickMilliseconds);
    connect(mSettle, &QTimer::timeout, this, &JobTimeDisplay::startDesignEstimate);
    connect(mTick, &QTimer::timeout, this, &JobTimeDisplay::showTime);
    connect(mBackground, &BackgroundEstimate::estimated, this, &JobTimeDisplay::estimated);
    showTime();
}

JobTimeDisplay::~JobTimeDisplay() = default;

void JobTimeDisplay::setSettleTime(int milliseconds)
{
    mSettle->setInterval(milliseconds);
}

JobTimeEstimator::Machine JobTimeDisplay::machine() const
{
    JobTimeEstimator::Machine machine = JobTimeEstimator::Machine::fromSettings(mReported);
    // A model that takes the job as parts runs it from its own memory, once
    // the whole job is uploaded.
    machine.uploadsParts = mTakesParts;
    return machine;
}

QString JobTimeDisplay::clockText(double seconds)
{
    const qint64 total = qint64(std::llround(qMax(0.0, seconds)));
    const QLatin1Char zero('0');
    return QStringLiteral("%1:%2:%3")
            .arg(total / 3600)
            .arg((total % 3600) / 60, 2, 10, zero)
            .arg(total % 60, 2, 10, zero);
}

void JobTimeDisplay::designChanged()
{
    mDesignKnown = false;
    mDesignSerial = -1;
    // A computation for the design as it was is of no use any more; the job
    // estimate of a running job is kept.
    if (!mRunning)
        mBackground->cancel();
    mSettle->start();
    showTime();
}

void JobTimeDisplay::startDesignEstimate()
{
    // During a job the design is estimated once the job has ended.
    if (mRunning || !mSource)
        return;
    const std::pair<GCodeGenerator, QDomDocument> design = mSource();
    mDesignSerial = mBackground->requestDesign(design.first, design.second, machine());
}

void JobTimeDisplay::jobStarting()
{
    mSettle->stop();
    if (!mRunning && !mDesignKnown) {
        mBackground->cancel();
        mDesignSerial = -1;
    }
    mRunning = true;
    mTick->stop();
    mRecordTimes.clear();
    mJobSerial = -1;
    showTime();
}

void JobTimeDisplay::jobStarted(const QVector<GCodeBuffer> &job)
{
    mLastJob = job;
    mResumeNumber = 0;
    startRunning(job);
}

void JobTimeDisplay::jobResumed()
{
    if (mRunning)
        return;
    QVector<GCodeBuffer> remaining;
    if (mResumeNumber > 0) {
        const JobMap map(mLastJob);
        const JobMap::Kind kind = mResumeRow ? JobMap::Kind::Row : JobMap::Kind::Outline;
        for (const JobMap::Unit &unit : map.units()) {
            if (unit.kind == kind && unit.number == mResumeNumber) {
                // The job the controller builds, set-up included: its progress
                // reports count that job's records.
                remaining = ResumeJob::build(mLastJob, unit);
                break;
            }
        }
    }
    if (remaining.isEmpty()) {
        // Not a job this display saw: no figure rather than a wrong one.
        jobStarting();
        return;
    }
    startRunning(remaining);
}

void JobTimeDisplay::startRunning(const QVector<GCodeBuffer> &job)
{
    mSettle->stop();
    mRunning = true;
    mPercent = 0;
    mPaused = false;
    mRunBefore = 0;
    mResumedAt = mClock();
    mRecordTimes.clear();
    mJobSerial = mBackground->requestJob(job, machine());
    mTick->start();
    showTime();
}

void JobTimeDisplay::jobEnded()
{
    if (!mRunning)
        return;
    mRunning = false;
    mTick->stop();
    mRecordTimes.clear();
    mPercent = 0;
    if (mBackground->latestSerial() == mJobSerial)
        mBackground->cancel();
    mJobSerial = -1;
    if (!mDesignKnown)
        mSettle->start();
    showTime();
}

void JobTimeDisplay::setPaused(bool paused)
{
    if (!mRunning || paused == mPaused)
        return;
    const qint64 now = mClock();
    if (paused)
        mRunBefore += now - mResumedAt;
    else
        mResumedAt = now;
    mPaused = paused;
}

qint64 JobTimeDisplay::runningMilliseconds() const
{
    return mRunBefore + (mPaused ? 0 : mClock() - mResumedAt);
}

void JobTimeDisplay::applyDeviceMessage(const QString &message)
{
    const QStringList tokens = PanelMessage::splitNumbers(message);
    bool ok = false;
    const int id = tokens.isEmpty() ? -1 : tokens.at(0).toInt(&ok);
    if (!ok)
        return;
    switch (static_cast<PanelNotice>(id)) {
    case PanelNotice::Connected:
        // Another engraver may have come: only what it reports counts.
        if (!message.contains(QLatin1String("none")) && !mReported.isEmpty()) {
            mReported.clear();
            mPanelSpeedX = 0;
            mPanelSpeedY = 0;
            designChanged();
        }
        break;
    case PanelNotice::Disconnected:
        jobEnded();
        break;
    case PanelNotice::JobFinished:
        // Nothing is left to take up.
        mLastJob = QVector<GCodeBuffer>();
        mResumeNumber = 0;
        jobEnded();
        break;
    case PanelNotice::ResumeRow:
    case PanelNotice::ResumeOutline: {
        const int number = tokens.value(1).toInt(&ok);
        if (ok) {
            mResumeRow = id == int(PanelNotice::ResumeRow);
            mResumeNumber = number;
        }
        break;
    }
    case PanelNotice::HardwareVersion:
    case PanelNotice::GenericController: {
        const bool parts = id == int(PanelNotice::HardwareVersion)
                && GrblModels::find(QVersionNumber::fromString(PanelMessage::textValue(message))).takesParts;
        if (parts != mTakesParts) {
            mTakesParts = parts;
            designChanged();
        }
        break;
    }
    case PanelNotice::JobProgress: {
        const double percent = tokens.value(1).toDouble(&ok);
        if (ok && std::isfinite(percent)) {
            mPercent = qBound(0.0, percent, 100.0);
            showTime();
        }
        break;
    }
    case PanelNotice::MaxSpeedX:
    case PanelNotice::MaxSpeedY: {
        const double speed = tokens.value(1).toDouble(&ok);
        if (ok && std::isfinite(speed) && speed > 0)
            (id == int(PanelNotice::MaxSpeedX) ? mPanelSpeedX : mPanelSpeedY) = speed;
        break;
    }
    case PanelNotice::MotionSetting: {
        bool numberOk = false;
        const int number = tokens.value(1).toInt(&numberOk);
        const double value = tokens.value(2).toDouble(&ok);
        if (numberOk && ok)
            takeSetting(number, value);
        break;
    }
    default:
        break;
    }
}

void JobTimeDisplay::applyPanelCommands(const QStringList &messages)
{
    for (const QString &message : messages) {
        const QStringList tokens = PanelMessage::splitNumbers(message);
        if (tokens.size() < 2 || tokens.at(0).toInt() != int(PanelCommand::MachineSetting))
            continue;
        bool ok = false;
        const double value = tokens.at(1).toDouble(&ok);
        if (!ok || !std::isfinite(value))
            continue;
        const QString text = PanelMessage::textValue(message);
        // The panel's speeds are the reported rate over the steps per mm;
        // without both reported the rate cannot be known.
        const auto rate = [this, value](int number, double panelSpeed) {
            if (panelSpeed > 0 && mReported.contains(number)) {
                const double stepsPerMm = mReported.value(number) / panelSpeed;
                takeSetting(number, value * stepsPerMm);
                (number == 110 ? mPanelSpeedX : mPanelSpeedY) = value;
            }
        };
        if (text.contains(QLatin1String("accX")))
            takeSetting(120, value);
        else if (text.contains(QLatin1String("accY")))
            takeSetting(121, value);
        else if (text.contains(QLatin1String("speedX")))
            rate(110, mPanelSpeedX);
        else if (text.contains(QLatin1String("speedY")))
            rate(111, mPanelSpeedY);
    }
}

void JobTimeDisplay::takeSetting(int number, double value)
{
    if (mReported.contains(number) && mReported.value(number) == value)
        return;
    mReported.insert(number, value);
    designChanged();
}

void JobTimeDisplay::estimated(int serial, const JobTimeEstimator::Estimate &estimate,
                               const QVector<float> &recordTimes)
{
    if (mRunning && serial == mJobSerial) {
        mRecordTimes = recordTimes;
    } else if (serial == mDesignSerial) {
        mDesignKnown = true;
        mDesignMoves = estimate.moves > 0;
        mDesignSeconds = estimate.seconds;
    }
    showTime();
}

void JobTimeDisplay::showTime()
{
    const QString unknown = QStringLiteral("—");
    if (!mRunning) {
        setText(tr("预计用时：%1").arg(mDesignKnown && mDesignMoves ? clockText(mDesignSeconds) : unknown));
        return;
    }
    if (mRecordTimes.isEmpty()) {
        setText(tr("剩余时间：%1").arg(unknown));
        return;
    }
    const int records = mRecordTimes.size();
    const int sent = qBound(0, int(std::floor(mPercent / 100 * records + 1e-6)), records);
    double done = sent > 0 ? double(mRecordTimes.at(sent - 1)) : 0;
    // The head cannot have run more of the job than the time since Start;
    // in part mode the upload runs far ahead of the motion.
    done = qMin(done, runningMilliseconds() / 1000.0);
    setText(tr("剩余时间：%1").arg(clockText(double(mRecordTimes.last()) - done)));
}
