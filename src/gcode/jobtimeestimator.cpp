#include "gcode/jobtimeestimator.h"

#include <QList>
#include <QString>

#include <cctype>
#include <cmath>
#include <limits>

namespace {

constexpr double huge = std::numeric_limits<double>::max();

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
    const QList<Word> words = wordsOf(line);
    if (words.isEmpty())
        return;
    bool hasX = false;
    bool hasY = false;
    double x = 0;
    double y = 0;
    double dwell = -1;
    bool dwellWord = false;
    bool programEnd = false;
    for (const Word &word : words) {
        switch (word.letter) {
        case 'G': {
            const int code = int(word.value);
            if (code == 0 || code == 1)
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
        case 'M':
            if (int(word.value) == 2 || int(word.value) == 30)
                programEnd = true;
            break;
        case 'X':
            hasX = true;
            x = word.value;
            break;
        case 'Y':
            hasY = true;
            y = word.value;
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
    if (dwellWord) {
        // A dwell waits for the planned moves to finish.
        while (!mBuffer.isEmpty())
            executeOldest();
        mHasPrevious = false;
        mPreviousExit = 0;
        if (dwell > 0) {
            mEstimate.seconds += dwell;
            if (mKeepTimes)
                mLineSeconds.last() += float(dwell);
        }
        return;
    }
    if (hasX || hasY) {
        const double scale = mInches ? 25.4 : 1;
        double targetX = mX;
        double targetY = mY;
        if (hasX)
            targetX = mRelative ? mX + x * scale : x * scale;
        if (hasY)
            targetY = mRelative ? mY + y * scale : y * scale;
        addMove(targetX, targetY, mMotion == 0, mFeed, mMotion == 1 && mPower > 0);
    }
    if (programEnd) {
        while (!mBuffer.isEmpty())
            executeOldest();
        mHasPrevious = false;
        mPreviousExit = 0;
    }
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
    const double dx = x - mX;
    const double dy = y - mY;
    const double length = std::hypot(dx, dy);
    // GRBL refuses a feed move without a feed rate and drops moves of no steps.
    if (length < 1e-9 || (!rapid && feedMmPerMin <= 0))
        return;
    mX = x;
    mY = y;
    Block block;
    block.length = length;
    block.ux = dx / length;
    block.uy = dy / length;
    block.burning = burning;
    block.line = mKeepTimes ? mLineSeconds.size() - 1 : -1;
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
    mEstimate.seconds += seconds;
    if (block.burning)
        mEstimate.burnSeconds += seconds;
    // Look-ahead times a block only when later lines arrive; its time still
    // belongs to the line that made it.
    if (block.line >= 0)
        mLineSeconds[block.line] += float(seconds);
    mPreviousExit = exit;
    mBuffer.removeFirst();
}

JobTimeEstimator::Estimate JobTimeEstimator::finish()
{
    while (!mBuffer.isEmpty())
        executeOldest();
    mPreviousExit = 0;
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
