#pragma once

#include "gcode/gcodebuffer.h"

#include <QGraphicsView>

class PreviewPaths;

// Shows a job's moves on its own scene: travel in red, burns in grey by power.
class GcodeView : public QGraphicsView
{
    Q_OBJECT

public:
    // `fullPower` is the S value drawn black.
    explicit GcodeView(double fullPower, QWidget *parent = nullptr);

    // Replaces what is shown by the moves of `job`.
    void drawJob(const QVector<GCodeBuffer> &job);
    double fullPower() const { return mFullPower; }
    // Scales the job to the view's size and brings it into sight; a job
    // without extent keeps the scale.
    void fitJob();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void addPaths(const PreviewPaths &paths);

    double mFullPower;
    bool mFitted = false;
};
