#include "gcode/jobtimeestimator.h"

#include "device/jobpart.h"
#include "device/zlibstream.h"

#include <QList>
#include <QString>

#include <cctype>
#include <cmath>
#include <limits>

namespace {

constexpr double huge = std::numeric_limits<double>::max();
// GRBL's tolerance for a full circle's start and end angle.
constexpr double arcAngularEpsilon = 5e-7;

// Seconds a block takes from `entry` to `exit` with the given nominal speed
// and acceleration: accelerate, cruise, decelerate, or a triangle when the
// block is too short to reach its nominal speed.
double blockSeconds(double length, double entry, double exit, double nominal, double acceleration)
{
    if (length <= 0)
        return 0;
    const double accelerating = (nominal * nominal - entry * entry) / (2 * acceleration);
    const double decelerating = (nominal * nominal - exit * exit) / (2 * acceleration);
    if (accelerating + decelerating <= length) {
        return (nominal - entry) / acceleration + (nominal - exit) / acceleration
               + (length - accelerating - decelerating) / nominal;
    }
    const double peak = std::sqrt(qMax(0.0, acceleration * length + (entry * entry + exit * exit) / 2));
    return qMax(0.0, (peak - entry) / acceleration) + qMax(0.0, (peak - exit) / acceleration);
}

// The words of one line: letter and number pairs; comments and spaces dropped.
struct Word
{
    char letter;
    double value;
};

QList<Word> wordsOf(const QByteArray &line)
{
    QList<Word> words;
    int i = 0;
    const int n = line.size();
    while (i < n) {
        const char c = line.at(i);
        if (c == ';')
            break;
        if (c == '(') {
            while (i < n && line.at(i) != ')')
                ++i;
            ++i;
            continue;
        }
        const char letter = char(c >= 'a' && c <= 'z' ? c - 32 : c);
        if (letter < 'A' || letter > 'Z') {
            ++i;
            continue;
        }
        ++i;
        int start = i;
        while (i < n && (line.at(i) == ' '))
            ++i;
        start = i;
        while (i < n && (std::isdigit(static_cast<unsigned char>(line.at(i))) || line.at(i) == '.'
                         || line.at(i) == '-' || line.at(i) == '+'))
            ++i;
        bool ok = false;
        const double value = line.mid(start, i - start).toDouble(&ok);
        if (ok)
            words.append({letter, value});
    }
    return words;
}

} // namespace

JobTimeEstimator::Machine JobTimeEstimator::Machine::fromSettingsDump(const QByteArray &dump)
{
    QMap<int, double> settings;
    for (const QByteArray &raw : dump.split('\n')) {
        const QByteArray line = raw.trimmed();
        const int equals = line.indexOf('=');
        if (!line.startsWith('$') || equals < 2)
            continue;
        bool numberOk = false;
        bool valueOk = false;
        const int number = line.mid(1, equals - 1).toInt(&numberOk);
        const double value = line.mid(equals + 1).toDouble(&valueOk);
        if (numberOk && valueOk)
            settings.insert(number, value);
    }
    return fromSettings(settings);
}

JobTimeEstimator::Machine JobTimeEstimator::Machine::fromSettings(const QMap<int, double> &settings)
{
    Machine base;
    // Values that could not drive a machine keep the defaults.
    const auto take = [&settings](int number, double *field) {
        const double value = settings.value(number, -1);
        if (std::isfinite(value) && value > 0)
            *field = value;
    };
    take(110, &base.maxRateX);
    take(111, &base.maxRateY);
    take(120, &base.accelerationX);
    take(121, &base.accelerationY);
    take(11, &base.junctionDeviation);
    take(12, &base.arcTolerance);
    take(100, &base.stepsPerMmX);
    take(101, &base.stepsPerMmY);
    // $1 may be 0 (no delay); 255 keeps the motors on and never waits.
    const double idle = settings.value(1, -1);
    if (std::isfinite(idle) && idle >= 0)
        base.idleDelayMs = idle >= 255 ? 0 : idle;
    return base;
}

JobTimeEstimator::JobTimeEstimator()
    : JobTimeEstimator(Machine())
{
}

JobTimeEstimator::JobTimeEstimator(const Machine &machine)
    : mMachine(machine)
{
    mMachine.plannerBlocks = qMax(1, mMachine.plannerBlocks);
}

double JobTimeEstimator::limitByAxes(double ux, double uy, double limitX, double limitY) const
{
    double limit = huge;
    if (ux != 0)
        limit = qMin(limit, std::fabs(limitX / ux));
    if (uy != 0)
        limit = qMin(limit, std::fabs(limitY / uy));
    return limit;
}

void JobTimeEstimator::addLine(const QByteArray &line)
{
    if (mKeepTimes)
        mLineSeconds.append(0);
    // Each line and its line end go over the wire before the engraver has it.
    int size = line.size();
    while (size > 0 && (line.at(size - 1) == '\n' || line.at(size - 1) == '\r'))
        --size;
    mBytes += size + 1;
    if (mMachine.uploadsParts) {
        // Cut into parts as the controller cuts them: whole lines, each part
        // closed by the line that brings it to the minimum size.
        mPartText.append(line.constData(), size);
        mPartText.append('\n');
        if (mPartText.size() >= JobPart::minimumSize)
            closePart();
    } else if (mMachine.linkBytesPerSecond > 0) {
        mArrival = mBytes / mMachine.linkBytesPerSecond;
    }
    const QList<Word> words = wordsOf(line);
    if (words.isEmpty())
        return;
    bool hasX = false;
    bool hasY = false;
    double x = 0;
    double y = 0;
    double i = 0;
    double j = 0;
    double radius = 0;
    bool hasRadius = false;
    double dwell = -1;
    bool dwellWord = false;
    bool programEnd = false;
    int spindle = mSpindle;
    for (const Word &word : words) {
        switch (word.letter) {
        case 'G': {
            const int code = int(word.value);
            if (code >= 0 && code <= 3)
                mMotion = code;
            else if (code == 4)
                dwellWord = true;
            else if (code == 90)
                mRelative = false;
            else if (code == 91)
                mRelative = true;
            else if (code == 20)
                mInches = true;
            else if (code == 21)
                mInches = false;
            break;
        }
        case 'M': {
            const int code = int(word.value);
            if (code == 2 || code == 30)
                programEnd = true;
            else if (code == 3 || code == 4 || code == 5)
                spindle = code;
            break;
        }
        case 'X':
            hasX = true;
            x = word.value;
            break;
        case 'Y':
            hasY = true;
            y = word.value;
            break;
        case 'I':
            i = word.value;
            break;
        case 'J':
            j = word.value;
            break;
        case 'R':
            hasRadius = true;
            radius = word.value;
            break;
        case 'F':
            mFeed = mInches ? word.value * 25.4 : word.value;
            break;
        case 'S':
            mPower = word.value;
            break;
        case 'P':
            dwell = word.value;
            break;
        default:
            break;
        }
    }
    // The firmware's order within a block: spindle, dwell, motion, program end.
    if (spindle != mSpindle) {
        // Every spindle change waits for the planned moves, even in laser mode.
        synchronize();
        mSpindle = spindle;
    }
    if (dwellWord) {
        synchronize();
        if (dwell > 0)
            addLineTime(dwell, mKeepTimes ? mLineSeconds.size() - 1 : -1);
        return;
    }
    const double scale = mInches ? 25.4 : 1;
    if (hasX || hasY) {
        double targetX = mX;
        double targetY = mY;
        if (hasX)
            targetX = mRelative ? mX + x * scale : x * scale;
        if (hasY)
            targetY = mRelative ? mY + y * scale : y * scale;
        const bool burning = mMotion != 0 && mPower > 0;
        if (mMotion >= 2) {
            if (hasRadius) {
                // The centre from the radius, as the firmware finds it; a
                // negative radius takes the longer way round.
                const double dx = targetX - mX;
                const double dy = targetY - mY;
                const double r = radius * scale;
                const double chord = std::hypot(dx, dy);
                const double h2 = 4 * r * r - dx * dx - dy * dy;
                if (chord > 0 && h2 >= 0) {
                    double h = -std::sqrt(h2) / chord;
                    if (mMotion == 3)
                        h = -h;
                    if (r < 0)
                        h = -h;
                    addArc(targetX, targetY, 0.5 * (dx - dy * h), 0.5 * (dy + dx * h), mMotion == 2, mFeed,
                           burning);
                }
            } else {
                addArc(targetX, targetY, i * scale, j * scale, mMotion == 2, mFeed, burning);
            }
        } else {
            addMove(targetX, targetY, mMotion == 0, mFeed, burning);
        }
    }
    if (programEnd) {
        synchronize();
        mSpindle = 5;
    }
}

void JobTimeEstimator::addArc(double x, double y, double i, double j, bool clockwise, double feedMmPerMin,
                              bool burning)
{
    const double centerX = mX + i;
    const double centerY = mY + j;
    const double radius = std::hypot(i, j);
    // From the centre to the start and to the end.
    const double r0x = -i;
    const double r0y = -j;
    const double r1x = x - centerX;
    const double r1y = y - centerY;
    double travel = std::atan2(r0x * r1y - r0y * r1x, r0x * r1x + r0y * r1y);
    if (clockwise) {
        if (travel >= -arcAngularEpsilon)
            travel -= 2 * M_PI;
    } else if (travel <= arcAngularEpsilon) {
        travel += 2 * M_PI;
    }
    const double tolerance = mMachine.arcTolerance;
    int segments = 0;
    if (radius > 0 && tolerance > 0 && 2 * radius > tolerance)
        segments = int(std::floor(std::fabs(0.5 * travel * radius)
                                  / std::sqrt(tolerance * (2 * radius - tolerance))));
    for (int k = 1; k < segments; ++k) {
        const double angle = travel * k / segments;
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        addMove(centerX + r0x * c - r0y * s, centerY + r0x * s + r0y * c, false, feedMmPerMin, burning);
    }
    addMove(x, y, false, feedMmPerMin, burning);
}

void JobTimeEstimator::synchronize()
{
    while (!mBuffer.isEmpty())
        executeOldest();
    mHasPrevious = false;
    mPreviousExit = 0;
    // The steppers stop and the firmware waits before it goes on.
    if (mMovedSinceStop && mMachine.idleDelayMs > 0)
        addLineTime(mMachine.idleDelayMs / 1000, mKeepTimes ? mLineSeconds.size() - 1 : -1);
    mMovedSinceStop = false;
}

void JobTimeEstimator::addLineTime(double seconds, int line)
{
    const double end = qMax(mClock, mArrival) + seconds;
    if (line >= 0)
        mLineSeconds[line] += float(end - mClock);
    mClock = end;
}

void JobTimeEstimator::addRecords(const QVector<GCodeBuffer> &records)
{
    QByteArray line;
    for (const GCodeBuffer &record : records) {
        line.clear();
        record.appendTo(line);
        addLine(line);
    }
}

void JobTimeEstimator::addMove(double x, double y, bool rapid, double feedMmPerMin, bool burning)
{
    // GRBL refuses a feed move without a feed rate.
    if (!rapid && feedMmPerMin <= 0)
        return;
    // The firmware moves whole steps: the block runs between the step-grid
    // points of its ends, and one of no steps is dropped.
    const auto grid = [](double mm, double steps) { return steps > 0 ? std::round(mm * steps) / steps : mm; };
    const double dx = grid(x, mMachine.stepsPerMmX) - grid(mX, mMachine.stepsPerMmX);
    const double dy = grid(y, mMachine.stepsPerMmY) - grid(mY, mMachine.stepsPerMmY);
    mX = x;
    mY = y;
    const double length = std::hypot(dx, dy);
    if (length < 1e-9)
        return;
    Block block;
    block.length = length;
    block.ux = dx / length;
    block.uy = dy / length;
    block.burning = burning;
    block.line = mKeepTimes ? mLineSeconds.size() - 1 : -1;
    block.arrival = mArrival;
    mMovedSinceStop = true;
    const double axisRate = limitByAxes(block.ux, block.uy, mMachine.maxRateX, mMachine.maxRateY) / 60;
    block.nominal = rapid ? axisRate : qMin(feedMmPerMin / 60, axisRate);
    block.acceleration =
            limitByAxes(block.ux, block.uy, mMachine.accelerationX, mMachine.accelerationY);

    double junction = 0;
    if (mHasPrevious) {
        const double cosTheta = -(mPreviousUx * block.ux + mPreviousUy * block.uy);
        if (cosTheta < -0.999999) {
            junction = huge;
        } else if (cosTheta <= 0.999999) {
            double jx = block.ux - mPreviousUx;
            double jy = block.uy - mPreviousUy;
            const double norm = std::hypot(jx, jy);
            jx /= norm;
            jy /= norm;
            const double acceleration =
                    limitByAxes(jx, jy, mMachine.accelerationX, mMachine.accelerationY);
            const double sinHalf = std::sqrt(0.5 * (1 - cosTheta));
            junction = std::sqrt(acceleration * mMachine.junctionDeviation * sinHalf / (1 - sinHalf));
        }
        block.maxEntry = qMin(junction, qMin(block.nominal, mPreviousNominal));
    }
    mHasPrevious = true;
    mPreviousUx = block.ux;
    mPreviousUy = block.uy;
    mPreviousNominal = block.nominal;

    ++mEstimate.moves;
    (burning ? mEstimate.burnMm : mEstimate.travelMm) += length;
    if (mBuffer.size() >= mMachine.plannerBlocks)
        executeOldest();
    mBuffer.append(block);
}

void JobTimeEstimator::executeOldest()
{
    // The planner has to be able to stop at the end of what it holds.
    double exitAllowed = 0;
    for (int j = mBuffer.size() - 1; j >= 1; --j) {
        const Block &b = mBuffer.at(j);
        exitAllowed = qMin(b.maxEntry, std::sqrt(exitAllowed * exitAllowed + 2 * b.acceleration * b.length));
    }
    Block &block = mBuffer.first();
    const double entry = qMin(block.maxEntry, mPreviousExit);
    const double reachable = std::sqrt(entry * entry + 2 * block.acceleration * block.length);
    const double exit = qMin(qMin(exitAllowed, reachable), block.nominal);
    const double nominal = qMax(block.nominal, qMax(entry, exit));
    const double seconds = blockSeconds(block.length, entry, exit, nominal, block.acceleration);
    if (block.burning)
        mEstimate.burnSeconds += seconds;
    // Look-ahead times a block only when later lines arrive; its time, and
    // any wait for its line on the wire, still belong to the line that made it.
    const double end = qMax(mClock, block.arrival) + seconds;
    if (block.line >= 0)
        mLineSeconds[block.line] += float(end - mClock);
    mClock = end;
    mPreviousExit = exit;
    mBuffer.removeFirst();
}

void JobTimeEstimator::closePart()
{
    if (mPartText.isEmpty())
        return;
    QByteArray compressed;
    // A part that cannot be compressed is announced without bytes.
    if (ZlibStream::compress(mPartText, &compressed))
        mUploadBytes += compressed.size();
    mPartText.clear();
}

JobTimeEstimator::Estimate JobTimeEstimator::finish()
{
    while (!mBuffer.isEmpty())
        executeOldest();
    mPreviousExit = 0;
    // The job is not over before its last line has arrived.
    addLineTime(0, mKeepTimes && !mLineSeconds.isEmpty() ? mLineSeconds.size() - 1 : -1);
    if (mMachine.uploadsParts) {
        closePart();
        // The engraver starts the stored job once the last part is in; the
        // controller's model of the line: its rate, in whole bytes.
        mEstimate.uploadSeconds =
                mMachine.linkBytesPerSecond > 0 ? mUploadBytes / mMachine.linkBytesPerSecond : 0;
        mClock += mEstimate.uploadSeconds;
        // Every line ends after the upload: the first carries its time.
        if (!mLineSeconds.isEmpty())
            mLineSeconds[0] += float(mEstimate.uploadSeconds);
        mUploadBytes = 0;
    }
    mEstimate.seconds = mClock;
    return mEstimate;
}

void JobTimeEstimator::keepRecordTimes()
{
    mKeepTimes = true;
}

QVector<float> JobTimeEstimator::recordTimes() const
{
    QVector<float> times;
    times.reserve(mLineSeconds.size());
    // Summed in double: a float sum over millions of lines would drift.
    double sum = 0;
    for (const float seconds : mLineSeconds) {
        sum += seconds;
        times.append(float(sum));
    }
    return times;
}

JobTimeEstimator::Estimate JobTimeEstimator::estimate(const QByteArray &jobText, const Machine &machine)
{
    JobTimeEstimator estimator(machine);
    for (const QByteArray &line : jobText.split('\n'))
        estimator.addLine(line);
    return estimator.finish();
}

JobTimeEstimator::Estimate JobTimeEstimator::estimate(const QVector<GCodeBuffer> &records,
                                                      const Machine &machine)
{
    JobTimeEstimator estimator(machine);
    estimator.addRecords(records);
    return estimator.finish();
}

JobTimeEstimator::Estimate JobTimeEstimator::estimate(const QByteArray &jobText)
{
    return estimate(jobText, Machine());
}

JobTimeEstimator::Estimate JobTimeEstimator::estimate(const QVector<GCodeBuffer> &records)
{
    return estimate(records, Machine());
}

QString JobTimeEstimator::formatDuration(double seconds)
{
    const qint64 total = qint64(std::llround(qMax(0.0, seconds)));
    const qint64 hours = total / 3600;
    const qint64 minutes = (total % 3600) / 60;
    const qint64 rest = total % 60;
    const QLatin1Char zero('0');
    if (hours > 0)
        return QStringLiteral("%1 h %2 min %3 s").arg(hours).arg(minutes, 2, 10, zero).arg(rest, 2, 10, zero);
    if (minutes > 0)
        return QStringLiteral("%1 min %2 s").arg(minutes).arg(rest, 2, 10, zero);
    return QStringLiteral("%1 s").arg(rest);
}
