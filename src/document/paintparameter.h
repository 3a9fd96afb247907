#pragma once

#include "document/engravingparameters.h"

#include <QList>

// The engraving parameters of one image or fill-mode element, after the
// fallbacks of readPaintParameter() have been applied. Any difference in the
// nine gives a raster pass of its own.
using PaintParameter = EngravingParameters;

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
