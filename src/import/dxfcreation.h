#pragma once

#include "import/dxfblockrecord.h"

#include <dxflib/dl_creationadapter.h>

#include <QList>

// dxflib's creation interface for the DXF reader: collects the entities of
// each block and of the ENTITIES section into block records. Only the DXF
// reader includes this header.
class DxfCreation : public DL_CreationAdapter
{
public:
    DxfCreation();

    const QList<DxfBlockRecord> &blocks() const { return mBlock; }
    // The drawing's $INSUNITS code, 0 when the header has none.
    int insUnits() const { return mInsUnits; }

    void addBlock(const DL_BlockData &data) override;
    void endBlock() override;
    void addInsert(const DL_InsertData &data) override;
    void addLine(const DL_LineData &data) override;
    void addCircle(const DL_CircleData &data) override;
    void addArc(const DL_ArcData &data) override;
    void addEllipse(const DL_EllipseData &data) override;
    void addPolyline(const DL_PolylineData &data) override;
    void addVertex(const DL_VertexData &data) override;
    void addSpline(const DL_SplineData &data) override;
    void addControlPoint(const DL_ControlPointData &data) override;
    void addFitPoint(const DL_FitPointData &data) override;
    void addKnot(const DL_KnotData &data) override;
    void addPoint(const DL_PointData &data) override;
    void setVariableInt(const std::string &key, int value, int code) override;

private:
    // True when the current entity's extrusion points down: it is drawn in
    // a plane seen from below, mirrored in x.
    bool seenFromBelow();

    QList<DxfBlockRecord> mBlock;
    int mInsUnits = 0;
};
