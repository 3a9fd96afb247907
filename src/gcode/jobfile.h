#pragma once

#include "gcode/gcodesink.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>
#include <QVector>

#include <memory>
#include <vector>

// A job on disk: records in a compact binary form (a flag byte, then only the
// words present), appended as they are made and read back in passing, in
// order or from any record index. The file lives in the user's cache folder
// and is removed with the object. A write the disk refuses (a full disk)
// marks the file failed with the reason, and nothing more is written.
class JobFile : public GCodeSink
{
public:
    JobFile();
    ~JobFile() override;
    JobFile(const JobFile &) = delete;
    JobFile &operator=(const JobFile &) = delete;

    // Creates the file in `folder`, or in "jobs" of the cache folder when
    // empty. False, with errorString(), when it cannot be created.
    bool open(const QString &folder = QString());
    QString fileName() const;

    void append(const GCodeBuffer &record) override;
    qint64 size() const override { return mCount; }
    void truncate(qint64 count) override;
    void repeat(qint64 from, qint64 count) override;
    void forEach(const std::function<bool(const GCodeBuffer &)> &visit) const override;
    bool failed() const override { return !mError.isEmpty(); }
    QString errorString() const { return mError; }
    // Writes out what is buffered; false once a write has failed.
    bool flush();
    // Bytes on disk once flushed.
    qint64 bytes() const { return mBytes; }

    // Reads records in order from a start index, through its own handle.
    class Reader
    {
    public:
        // False at the end of the job or when the file cannot be read.
        bool next(GCodeBuffer &record);

    private:
        friend class JobFile;
        std::unique_ptr<QFile> mFile;
        QByteArray mBuffer;
        int mPosition = 0;
        qint64 mRemaining = 0;
    };
    // Flushes, then reads from record `from` on. Not valid after truncate().
    Reader reader(qint64 from = 0);
    GCodeBuffer at(qint64 index);
    // The whole job in memory, for small callers.
    QVector<GCodeBuffer> toVector();

private:
    void fail(const QString &reason);
    qint64 offsetOf(qint64 index);

    static constexpr qint64 blockRecords = 1024;  // one index entry per block
    QTemporaryFile mFile;
    QByteArray mBuffer;
    qint64 mCount = 0;
    qint64 mBytes = 0;  // written and buffered
    std::vector<qint64> mBlockOffsets;
    QString mError;
};
