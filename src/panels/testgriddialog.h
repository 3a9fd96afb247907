#pragma once

#include "gcode/gcodegenerator.h"
#include "gcode/jobtimeestimator.h"
#include "material/testgrid.h"

#include <QDialog>

class BackgroundEstimate;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTimer;

// Tools > material test grid: every choice of the grid, its estimated
// engraving time and warnings about cells the engraver or the material may
// not take. The grid itself is made by TestGrid from settings().
class TestGridDialog : public QDialog
{
    Q_OBJECT

public:
    // `generator` carries the full-scale power and speed and the default
    // set the job will be made with; `machine` the engraver's motion settings.
    TestGridDialog(const GCodeGenerator &generator, const JobTimeEstimator::Machine &machine,
                   QWidget *parent = nullptr);
    ~TestGridDialog() override;

    TestGrid::Settings settings() const;
    void setSettings(const TestGrid::Settings &settings);

    // The grid last made with the dialog (settings group "testGrid"), so a
    // second test of the same material starts from the first.
    static TestGrid::Settings lastSettings(const DefaultParameters &defaults);
    // Keeps settings() as the last grid; OK does this.
    void remember() const;

    void accept() override;

    // What the labels show now; for tests.
    QString estimateText() const;
    QString warningText() const;

private:
    struct RangeFields
    {
        QDoubleSpinBox *from = nullptr;
        QDoubleSpinBox *to = nullptr;
        QSpinBox *count = nullptr;
    };

    RangeFields makeRange();
    // Range, decimals and unit of the row and column fields for the pair chosen.
    void fitRangesToAxes();
    void settingsChanged();
    void startEstimate();

    GCodeGenerator mGenerator;
    JobTimeEstimator::Machine mMachine;
    DefaultParameters mDefaults;
    BackgroundEstimate *mEstimate = nullptr;
    QTimer *mSettle = nullptr;
    bool mUpdating = false;

    QComboBox *mAxes = nullptr;
    QComboBox *mMode = nullptr;
    RangeFields mRows;
    RangeFields mColumns;
    QDoubleSpinBox *mPower = nullptr;
    QDoubleSpinBox *mSpeed = nullptr;
    QSpinBox *mPasses = nullptr;
    QDoubleSpinBox *mInterval = nullptr;
    QDoubleSpinBox *mCell = nullptr;
    QDoubleSpinBox *mGap = nullptr;
    QDoubleSpinBox *mLeft = nullptr;
    QDoubleSpinBox *mTop = nullptr;
    QCheckBox *mLabels = nullptr;
    QDoubleSpinBox *mLabelPower = nullptr;
    QDoubleSpinBox *mLabelSpeed = nullptr;
    QCheckBox *mFrame = nullptr;
    QDoubleSpinBox *mFramePower = nullptr;
    QDoubleSpinBox *mFrameSpeed = nullptr;
    QSpinBox *mFramePasses = nullptr;
    QLabel *mEstimateLabel = nullptr;
    QLabel *mWarningLabel = nullptr;
};
