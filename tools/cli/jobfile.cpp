#include "jobfile.h"

#include "document/inputlimits.h"

#include <QFileInfo>

#include <cmath>
#include <limits>

namespace {

// After "G91" a zero displacement means "no word", yet the generator may
// write one ("X0.0000" from a step that rounds to zero). The smallest
// number of the same sign keeps the word and writes back the same text.
double relativeWord(double value, bool absolute)
{
    if (absolute || value != 0)
        return value;
    return std::copysign(std::numeric_limits<double>::denorm_min(), value);
}

bool parseLine(const QByteArray &line, bool absolute, GCodeBuffer *record)
{
    *record = GCodeBuffer();
    record->absolute = absolute;
    if (line.isEmpty()) {
        record->G = GCodeBuffer::emptyLine;
        return true;
    }
    int at = 0;
    if (line.startsWith("G00")) {
        record->G = GCodeBuffer::wordG00;
        at = 3;
    }
    if (!absolute) {
        record->X = 0;
        record->Y = 0;
    }
    while (at < line.size()) {
        const char letter = line.at(at++);
        int end = at;
        while (end < line.size() && (line.at(end) == '-' || line.at(end) == '.'
                                     || (line.at(end) >= '0' && line.at(end) <= '9')))
            ++end;
        bool ok = false;
        const double value = line.mid(at, end - at).toDouble(&ok);
        if (!ok)
            return false;
        at = end;
        switch (letter) {
        case 'G': record->G = value; break;
        case 'M': record->M = value; break;
        case 'X': record->X = relativeWord(value, absolute); break;
        case 'Y': record->Y = relativeWord(value, absolute); break;
        case 'S': record->S = value; break;
        case 'F': record->F = value; break;
        default: return false;
        }
    }
    return true;
}

// Plimb writes letters, digits, '-' and '.' only: anything else outside
// printable ASCII means the file is not a job at all.
bool isBinary(const QByteArray &line, int length)
{
    for (int i = 0; i < length; ++i) {
        const uchar u = uchar(line.at(i));
        if (u < 0x20 || u >= 0x7f)
            return u != '\r' && u != '\t';
    }
    return false;
}

} // namespace

JobFileReader::JobFileReader(const QString &path) : mPath(path), mFile(path)
{
}

bool JobFileReader::fail(const QString &why)
{
    mError = why;
    return false;
}

bool JobFileReader::open()
{
    // A pipe or device would block or never end; it is not opened.
    const QFileInfo info(mPath);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("cannot read %1: not a regular file").arg(mPath));
    if (!mFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(mPath, mFile.errorString()));
    return true;
}

bool JobFileReader::next(GCodeBuffer *record, QByteArray *line)
{
    if (!mError.isEmpty() || mFile.atEnd())
        return false;
    // One byte more than a line may hold, its line end included: a longer
    // line is refused without reading the rest of it.
    mLine = mFile.readLine(qint64(InputLimits::maxJobLineLength) + 2);
    ++mNumber;
    if (mLine.isEmpty() && mFile.error() != QFileDevice::NoError)
        return fail(QStringLiteral("%1:%2: %3").arg(mPath).arg(mNumber).arg(mFile.errorString()));
    if (isBinary(mLine, mLine.endsWith('\n') ? mLine.size() - 1 : mLine.size()))
        return fail(QStringLiteral("%1:%2: binary data, not G-code").arg(mPath).arg(mNumber));
    if (!mLine.endsWith('\n')) {
        if (mLine.size() > InputLimits::maxJobLineLength)
            return fail(QStringLiteral("%1:%2: a line longer than %3 bytes: not Plimb's G-code")
                                .arg(mPath).arg(mNumber).arg(InputLimits::maxJobLineLength));
        return fail(QStringLiteral("%1:%2: the last line has no line end").arg(mPath).arg(mNumber));
    }
    mLine.chop(1);
    if (line)
        *line = mLine;
    if (!mPlimbOnly)
        return true;
    GCodeBuffer parsed;
    mWritten.clear();
    if (parseLine(mLine, mAbsolute, &parsed))
        parsed.appendTo(mWritten);
    if (mWritten.size() != mLine.size() + 1 || !mWritten.startsWith(mLine))
        return fail(QStringLiteral("%1:%2: not a line of Plimb's G-code: %3")
                            .arg(mPath).arg(mNumber).arg(QString::fromLatin1(mLine)));
    if (parsed.G == 90)
        mAbsolute = true;
    else if (parsed.G == 91)
        mAbsolute = false;
    *record = parsed;
    return true;
}

bool readJobFile(const QString &path, QList<GCodeBuffer> *records, QString *error)
{
    records->clear();
    JobFileReader reader(path);
    if (!reader.open()) {
        *error = reader.error();
        return false;
    }
    GCodeBuffer record;
    while (reader.next(&record))
        records->append(record);
    if (!reader.error().isEmpty()) {
        *error = reader.error();
        return false;
    }
    return true;
}
