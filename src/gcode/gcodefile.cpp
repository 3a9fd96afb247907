#include "gcode/gcodefile.h"

#include "common/usersavefile.h"

#include <QByteArray>

namespace {

constexpr int blockSize = 1 << 16;

} // namespace

bool writeGCodeFile(const QString &path, const GCodeSink &job, QString *errorString)
{
    UserSaveFile file(path);
    bool ok = file.open();
    QByteArray block;
    block.reserve(blockSize + 256);
    job.forEach([&](const GCodeBuffer &record) {
        record.appendTo(block);
        if (block.size() >= blockSize) {
            ok = file.write(block);
            block.resize(0);
        }
        return ok;
    });
    ok = ok && (block.isEmpty() || file.write(block)) && file.commit();
    if (!ok && errorString)
        *errorString = file.errorString();
    return ok;
}

bool writeGCodeFile(const QString &path, const QVector<GCodeBuffer> &job, QString *errorString)
{
    UserSaveFile file(path);
    bool ok = file.open();
    QByteArray block;
    block.reserve(blockSize + 256);
    for (int i = 0; ok && i < job.size(); ++i) {
        job.at(i).appendTo(block);
        if (block.size() >= blockSize) {
            ok = file.write(block);
            block.resize(0);
        }
    }
    ok = ok && (block.isEmpty() || file.write(block)) && file.commit();
    if (!ok && errorString)
        *errorString = file.errorString();
    return ok;
}
