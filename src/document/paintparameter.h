#pragma once

#include <QList>
#include <QMetaType>

// The engraving parameters of one image or fill-mode element, after the
// fallbacks of readPaintParameter() have been applied.
struct PaintParameter
{
    double scanTimes = 1;
    double scanBuffer = 0;
    double scanAccuracy = 0.025;
    double scanAngle = 180;
    double scanError = 0;
    double scanPower = 100;
    double scanSpeed = 100;
    double XMotorMovementError = 0;
    double YMotorMovementError = 0;

    // Exact comparison of all nine fields: any difference gives a raster pass of its own.
    bool operator==(const PaintParameter &other) const;
    bool operator!=(const PaintParameter &other) const { return !(*this == other); }
};

Q_DECLARE_TYPEINFO(PaintParameter, Q_PRIMITIVE_TYPE);

// The distinct parameter sets of a job in order of first appearance, which is
// the order of the raster passes.
class PaintParameterList
{
public:
    // Appends `parameter` unless an equal record is already held; true when appended.
    bool append(const PaintParameter &parameter);
    void clear() { mList.clear(); }

    int size() const { return mList.size(); }
    bool isEmpty() const { return mList.isEmpty(); }
    const PaintParameter &at(int index) const { return mList.at(index); }
    int indexOf(const PaintParameter &parameter) const { return mList.indexOf(parameter); }
    bool contains(const PaintParameter &parameter) const { return mList.contains(parameter); }
    const QList<PaintParameter> &toList() const { return mList; }

    QList<PaintParameter>::const_iterator begin() const { return mList.cbegin(); }
    QList<PaintParameter>::const_iterator end() const { return mList.cend(); }

private:
    QList<PaintParameter> mList;
};
