#pragma once

#include "gcode/gcodesink.h"

#include <QVector>

// The in-memory job: records appended to a caller's vector.
class VectorSink : public GCodeSink
{
public:
    explicit VectorSink(QVector<GCodeBuffer> &records) : mRecords(records) {}

    void append(const GCodeBuffer &record) override { mRecords.append(record); }
    qint64 size() const override { return mRecords.size(); }
    void truncate(qint64 count) override
    {
        if (count < mRecords.size())
            mRecords.resize(int(count));
    }
    void repeat(qint64 from, qint64 count) override
    {
        mRecords.reserve(mRecords.size() + int(count));
        for (qint64 i = from; i < from + count; ++i)
            mRecords.append(mRecords.at(int(i)));
    }
    void forEach(const std::function<bool(const GCodeBuffer &)> &visit) const override
    {
        for (const GCodeBuffer &record : mRecords)
            if (!visit(record))
                return;
    }

private:
    QVector<GCodeBuffer> &mRecords;
};
