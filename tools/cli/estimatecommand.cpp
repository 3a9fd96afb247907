#include "commands.h"

#include "jobfile.h"

#include "gcode/jobtimeestimator.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

int usage(const QString &problem)
{
    QTextStream(stderr) << "plimb-cli estimate: " << problem << "\n"
                        << "usage: plimb-cli estimate JOB.gc [--settings FILE]\n";
    return 2;
}

int failure(const QString &message)
{
    QTextStream(stderr) << "plimb-cli estimate: " << message << "\n";
    return 1;
}

// A "$$" dump is a few hundred bytes: more than a megabyte is not one.
bool readSettingsDump(const QString &path, QByteArray *bytes, QString *error)
{
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) {
        *error = QStringLiteral("not a regular file");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.size() > (1 << 20)) {
        *error = QStringLiteral("larger than 1 MB: not a settings dump");
        return false;
    }
    *bytes = file.readAll();
    return true;
}

} // namespace

int runEstimateCommand(const QStringList &arguments)
{
    QString jobPath;
    QString settingsPath;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--settings")) {
            if (i + 1 >= arguments.size())
                return usage(QStringLiteral("--settings needs a file"));
            settingsPath = arguments.at(++i);
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return usage(QStringLiteral("unknown option %1").arg(argument));
        } else if (jobPath.isEmpty()) {
            jobPath = argument;
        } else {
            return usage(QStringLiteral("more than one job given"));
        }
    }
    if (jobPath.isEmpty())
        return usage(QStringLiteral("no job given"));

    QString error;
    JobTimeEstimator::Machine machine;
    if (!settingsPath.isEmpty()) {
        QByteArray dump;
        if (!readSettingsDump(settingsPath, &dump, &error))
            return failure(QStringLiteral("cannot read %1: %2").arg(settingsPath, error));
        machine = JobTimeEstimator::Machine::fromSettingsDump(dump);
    }
    // Streamed: a job of several gigabytes is never held whole.
    JobFileReader reader(jobPath);
    reader.setPlimbOnly(false);
    if (!reader.open())
        return failure(reader.error());
    JobTimeEstimator estimator(machine);
    GCodeBuffer record;
    QByteArray line;
    bool anyText = false;
    while (reader.next(&record, &line)) {
        estimator.addLine(line);
        anyText = anyText || !line.trimmed().isEmpty();
    }
    if (!reader.error().isEmpty())
        return failure(reader.error());
    if (!anyText)
        return failure(QStringLiteral("%1 holds no G-code").arg(jobPath));
    const JobTimeEstimator::Estimate estimate = estimator.finish();
    QTextStream(stdout) << QStringLiteral("%1: %2 (%3 s), %4 moves, burning %5 s over %6 mm, "
                                          "travel %7 mm\n")
                                   .arg(jobPath, JobTimeEstimator::formatDuration(estimate.seconds))
                                   .arg(estimate.seconds, 0, 'f', 1)
                                   .arg(estimate.moves)
                                   .arg(estimate.burnSeconds, 0, 'f', 1)
                                   .arg(estimate.burnMm, 0, 'f', 1)
                                   .arg(estimate.travelMm, 0, 'f', 1);
    return 0;
}
