#include "gcode/jobfile.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

constexpr int bufferBytes = 1 << 18;
constexpr int maxRecordBytes = 2 + 6 * 8;

enum Flag : uchar {
    absolute = 1,
    hasG = 2,
    hasX = 4,
    hasY = 8,
    hasS = 16,
    hasF = 32,
    hasM = 64,
    shortCodes = 128,  // G and M as one signed byte each
};

bool isShortCode(double value)
{
    return value >= -128 && value <= 127 && value == std::trunc(value);
}

void putDouble(char *&out, double value)
{
    std::memcpy(out, &value, sizeof value);
    out += sizeof value;
}

// Encodes `record` at `out` and returns the bytes used.
int encode(const GCodeBuffer &r, char *out)
{
    char *start = out;
    const double unset = r.absolute ? GCodeBuffer::absent : 0;
    uchar flags = r.absolute ? absolute : 0;
    const bool g = r.G != GCodeBuffer::absent;
    const bool m = r.M != GCodeBuffer::absent;
    if (g)
        flags |= hasG;
    if (r.X != unset)
        flags |= hasX;
    if (r.Y != unset)
        flags |= hasY;
    if (r.S != GCodeBuffer::absent)
        flags |= hasS;
    if (r.F != GCodeBuffer::absent)
        flags |= hasF;
    if (m)
        flags |= hasM;
    if ((!g || isShortCode(r.G)) && (!m || isShortCode(r.M)))
        flags |= shortCodes;
    *out++ = char(flags);
    const auto code = [&](double value) {
        if (flags & shortCodes)
            *out++ = char(qint8(value));
        else
            putDouble(out, value);
    };
    if (g)
        code(r.G);
    if (flags & hasX)
        putDouble(out, r.X);
    if (flags & hasY)
        putDouble(out, r.Y);
    if (flags & hasS)
        putDouble(out, r.S);
    if (flags & hasF)
        putDouble(out, r.F);
    if (m)
        code(r.M);
    return int(out - start);
}

// Decodes one record from `in` (`available` bytes); the bytes used, or 0
// when the record is incomplete.
int decode(const char *in, int available, GCodeBuffer &r)
{
    if (available < 1)
        return 0;
    const uchar flags = uchar(in[0]);
    const int codeBytes = (flags & shortCodes) ? 1 : 8;
    int need = 1;
    need += (flags & hasG) ? codeBytes : 0;
    need += (flags & hasM) ? codeBytes : 0;
    for (const uchar bit : { hasX, hasY, hasS, hasF })
        need += (flags & bit) ? 8 : 0;
    if (available < need)
        return 0;
    const char *p = in + 1;
    const auto number = [&p]() {
        double value;
        std::memcpy(&value, p, sizeof value);
        p += sizeof value;
        return value;
    };
    const auto code = [&]() {
        if (flags & shortCodes)
            return double(qint8(*p++));
        return number();
    };
    r = GCodeBuffer();
    r.absolute = flags & absolute;
    const double unset = r.absolute ? GCodeBuffer::absent : 0;
    r.G = (flags & hasG) ? code() : GCodeBuffer::absent;
    r.X = (flags & hasX) ? number() : unset;
    r.Y = (flags & hasY) ? number() : unset;
    r.S = (flags & hasS) ? number() : GCodeBuffer::absent;
    r.F = (flags & hasF) ? number() : GCodeBuffer::absent;
    r.M = (flags & hasM) ? code() : GCodeBuffer::absent;
    return need;
}

} // namespace

JobFile::JobFile() = default;

JobFile::~JobFile() = default;

bool JobFile::open(const QString &folder)
{
    const QString where = folder.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/jobs")
            : folder;
    if (!QDir().mkpath(where)) {
        fail(QStringLiteral("cannot create the folder %1").arg(where));
        return false;
    }
    mFile.setFileTemplate(where + QStringLiteral("/job-XXXXXX.bin"));
    mFile.setAutoRemove(true);
    if (!mFile.open()) {
        fail(QStringLiteral("cannot create a job file in %1: %2").arg(where, mFile.errorString()));
        return false;
    }
    return true;
}

QString JobFile::fileName() const
{
    return mFile.fileName();
}

void JobFile::fail(const QString &reason)
{
    if (mError.isEmpty())
        mError = reason;
}

void JobFile::append(const GCodeBuffer &record)
{
    if (failed())
        return;
    if (mCount % blockRecords == 0)
        mBlockOffsets.push_back(mBytes);
    const int used = mBuffer.size();
    mBuffer.resize(used + maxRecordBytes);
    const int bytes = encode(record, mBuffer.data() + used);
    mBuffer.resize(used + bytes);
    mBytes += bytes;
    ++mCount;
    if (mBuffer.size() >= bufferBytes)
        flush();
}

bool JobFile::flush()
{
    if (failed())
        return false;
    if (mBuffer.isEmpty())
        return true;
    if (!mFile.isOpen()) {
        fail(QStringLiteral("the job file is not open"));
        return false;
    }
    errno = 0;
    const qint64 written = mFile.write(mBuffer);
    if (written != mBuffer.size() || !mFile.flush()) {
        // The system's reason ("No space left on device") says more than
        // the file's generic one.
        const int code = errno;
        fail(QStringLiteral("cannot write the job file %1: %2")
                     .arg(mFile.fileName(),
                          code != 0 ? QString::fromLocal8Bit(std::strerror(code)) : mFile.errorString()));
        return false;
    }
    mBuffer.clear();
    return true;
}

qint64 JobFile::offsetOf(qint64 index)
{
    if (index >= mCount)
        return mBytes;
    Reader reader;
    const qint64 blockStart = (index / blockRecords) * blockRecords;
    qint64 offset = mBlockOffsets[size_t(index / blockRecords)];
    if (index == blockStart)
        return offset;
    reader = this->reader(blockStart);
    GCodeBuffer record;
    for (qint64 i = blockStart; i < index && reader.next(record); ++i) {
        char scratch[maxRecordBytes];
        offset += encode(record, scratch);
    }
    return offset;
}

void JobFile::truncate(qint64 count)
{
    if (count >= mCount || failed() || !flush())
        return;
    const qint64 offset = offsetOf(count);
    if (!mFile.resize(offset) || !mFile.seek(offset)) {
        fail(QStringLiteral("cannot shorten the job file %1: %2").arg(mFile.fileName(), mFile.errorString()));
        return;
    }
    mBytes = offset;
    mCount = count;
    mBlockOffsets.resize(size_t((count + blockRecords - 1) / blockRecords));
}

void JobFile::repeat(qint64 from, qint64 count)
{
    Reader source = reader(from);
    GCodeBuffer record;
    for (qint64 i = 0; i < count && !failed() && source.next(record); ++i)
        append(record);
}

void JobFile::forEach(const std::function<bool(const GCodeBuffer &)> &visit) const
{
    Reader source = const_cast<JobFile *>(this)->reader(0);
    GCodeBuffer record;
    while (source.next(record))
        if (!visit(record))
            return;
}

JobFile::Reader JobFile::reader(qint64 from)
{
    Reader reader;
    if (!flush() || from >= mCount || from < 0)
        return reader;
    reader.mFile.reset(new QFile(mFile.fileName()));
    if (!reader.mFile->open(QIODevice::ReadOnly))
        return reader;
    const qint64 blockStart = (from / blockRecords) * blockRecords;
    if (!reader.mFile->seek(mBlockOffsets[size_t(from / blockRecords)]))
        return reader;
    reader.mRemaining = mCount - blockStart;
    GCodeBuffer skipped;
    for (qint64 i = blockStart; i < from; ++i)
        reader.next(skipped);
    return reader;
}

bool JobFile::Reader::next(GCodeBuffer &record)
{
    if (mRemaining <= 0 || !mFile)
        return false;
    int used = decode(mBuffer.constData() + mPosition, mBuffer.size() - mPosition, record);
    if (used == 0) {
        mBuffer.remove(0, mPosition);
        mPosition = 0;
        const QByteArray more = mFile->read(bufferBytes);
        if (more.isEmpty())
            return false;
        mBuffer.append(more);
        used = decode(mBuffer.constData(), mBuffer.size(), record);
        if (used == 0)
            return false;
    }
    mPosition += used;
    --mRemaining;
    return true;
}

GCodeBuffer JobFile::at(qint64 index)
{
    GCodeBuffer record;
    reader(index).next(record);
    return record;
}

QVector<GCodeBuffer> JobFile::toVector()
{
    QVector<GCodeBuffer> records;
    records.reserve(int(qMin<qint64>(mCount, 1 << 28)));
    forEach([&records](const GCodeBuffer &record) {
        records.append(record);
        return true;
    });
    return records;
}
