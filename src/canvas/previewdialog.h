#pragma once

#include "gcode/gcodebuffer.h"

#include <QDialog>

class GcodeView;
class SVGView;

// The window-modal preview of a generated job; deletes itself when closed.
class PreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // Burns are shaded against this S value.
    static constexpr double fullPower = 1000;

    PreviewDialog(const QVector<GCodeBuffer> &job, QWidget *parent);

    // Opens the preview of the view's job list and empties the list, so the
    // next send generates the job again.
    static PreviewDialog *openFor(SVGView *view, QWidget *parent);

    GcodeView *gcodeView() const { return mGcodeView; }

private:
    GcodeView *mGcodeView = nullptr;
};
