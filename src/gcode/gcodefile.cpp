#include "gcode/gcodefile.h"

#include <QByteArray>
#include <QSaveFile>

namespace {

constexpr int blockSize = 1 << 16;

bool fail(QString *errorString, const QSaveFile &file)
{
    if (errorString)
        *errorString = file.errorString();
    return false;
}

} // namespace

bool writeGCodeFile(const QString &path, const QVector<GCodeBuffer> &job, QString *errorString)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(errorString, file);
    QByteArray block;
    block.reserve(blockSize + 256);
    for (const GCodeBuffer &record : job) {
        record.appendTo(block);
        if (block.size() >= blockSize) {
            if (file.write(block) != block.size())
                return fail(errorString, file);
            block.resize(0);
        }
    }
    if (!block.isEmpty() && file.write(block) != block.size())
        return fail(errorString, file);
    if (!file.commit())
        return fail(errorString, file);
    return true;
}
