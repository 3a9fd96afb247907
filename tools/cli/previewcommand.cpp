#include "commands.h"

#include "common/usersavefile.h"

#include "gcode/previewimage.h"
#include "gcode/previewpaths.h"
#include "jobfile.h"

#include <QImageWriter>
#include <QBuffer>
#include <QTextStream>

namespace {

int usage(const QString &problem)
{
    QTextStream(stderr) << "plimb-cli preview: " << problem << "\n"
                        << "usage: plimb-cli preview JOB.gc -o JOB.png [--width PX]\n";
    return 2;
}

int failure(const QString &message)
{
    QTextStream(stderr) << "plimb-cli preview: " << message << "\n";
    return 1;
}

} // namespace

bool parsePreviewWidth(const QString &text, int *width)
{
    bool ok = false;
    *width = text.toInt(&ok);
    return ok && *width >= PreviewImage::minimumWidth && *width <= PreviewImage::maximumWidth;
}

bool writePreviewPicture(const PreviewPaths &paths, const QString &path, int width, QString *error)
{
    const QImage picture = PreviewImage::render(paths, width);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture)) {
        *error = writer.errorString();
        return false;
    }
    // Written whole or not at all, like every file the user keeps.
    UserSaveFile file(path);
    if (!file.open() || !file.write(png) || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

int runPreviewCommand(const QStringList &arguments)
{
    QString jobPath;
    QString picturePath;
    int width = PreviewImage::defaultWidth;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool isOutput = argument == QLatin1String("-o") || argument == QLatin1String("--output");
        if (isOutput || argument == QLatin1String("--width")) {
            if (i + 1 >= arguments.size())
                return usage(QStringLiteral("%1 needs a value").arg(argument));
            const QString value = arguments.at(++i);
            if (isOutput)
                picturePath = value;
            else if (!parsePreviewWidth(value, &width))
                return usage(QStringLiteral("--width must be a whole number from %1 to %2, not \"%3\"")
                                     .arg(PreviewImage::minimumWidth)
                                     .arg(PreviewImage::maximumWidth)
                                     .arg(value));
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
    if (picturePath.isEmpty())
        return usage(QStringLiteral("no output file given (-o JOB.png)"));

    QList<GCodeBuffer> job;
    QString error;
    if (!readJobFile(jobPath, &job, &error))
        return failure(error);
    PreviewPaths paths(previewFullPower);
    paths.draw(job);
    const QRectF extent = paths.bounds();
    if (extent.width() <= 0 && extent.height() <= 0)
        QTextStream(stderr) << "plimb-cli preview: note: the job does not move; the picture is blank\n";
    if (!writePreviewPicture(paths, picturePath, width, &error))
        return failure(QStringLiteral("cannot write %1: %2").arg(picturePath, error));
    QTextStream(stdout) << QStringLiteral("%1: preview of %2 records\n").arg(picturePath).arg(job.size());
    return 0;
}
