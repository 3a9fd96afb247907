#include "panels/testgriddialog.h"

#include "common/settingsnames.h"
#include "gcode/backgroundestimate.h"
#include "panels/wheelguard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QDoubleSpinBox *numberField(double low, double high, int decimals, const QString &suffix)
{
    auto *field = new QDoubleSpinBox;
    field->setRange(low, high);
    field->setDecimals(decimals);
    field->setSuffix(suffix);
    return field;
}

QSpinBox *countField(int low, int high)
{
    auto *field = new QSpinBox;
    field->setRange(low, high);
    return field;
}

QWidget *row(const QList<QWidget *> &widgets)
{
    auto *box = new QWidget;
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    return box;
}

const QString settingsGroup = QStringLiteral("testGrid");

} // namespace

TestGridDialog::TestGridDialog(const GCodeGenerator &generator, const JobTimeEstimator::Machine &machine,
                               QWidget *parent)
    : QDialog(parent)
    , mGenerator(generator)
    , mMachine(machine)
    , mDefaults(generator.defaultParameters())
    , mEstimate(new BackgroundEstimate(this))
    , mSettle(new QTimer(this))
{
    setWindowTitle(tr("材料测试网格"));

    mAxes = new QComboBox;
    mAxes->addItems({tr("功率 × 速度"), tr("功率 × 遍数"), tr("速度 × 遍数"), tr("功率 × 线距"), tr("速度 × 线距")});
    mMode = new QComboBox;
    mMode->addItems({tr("填充扫描"), tr("轮廓切割"), tr("灰度图片")});
    mRows = makeRange();
    mColumns = makeRange();
    mPower = numberField(0, 100, 1, QStringLiteral(" %"));
    mSpeed = numberField(0.1, 100, 1, QStringLiteral(" %"));
    mPasses = countField(1, 100);
    mInterval = numberField(0.02, 100, 4, QStringLiteral(" mm"));
    mInterval->setSingleStep(0.001);
    mCell = numberField(0.5, 100, 1, QStringLiteral(" mm"));
    mGap = numberField(0, 100, 1, QStringLiteral(" mm"));
    mLeft = numberField(0, 10000, 1, QStringLiteral(" mm"));
    mTop = numberField(0, 10000, 1, QStringLiteral(" mm"));
    mLabels = new QCheckBox(tr("刻写行列数值"));
    mLabelPower = numberField(0, 100, 1, QStringLiteral(" %"));
    mLabelSpeed = numberField(0.1, 100, 1, QStringLiteral(" %"));
    mFrame = new QCheckBox(tr("外框切割"));
    mFramePower = numberField(0, 100, 1, QStringLiteral(" %"));
    mFrameSpeed = numberField(0.1, 100, 1, QStringLiteral(" %"));
    mFramePasses = countField(1, 100);

    auto *grid = new QGroupBox(tr("网格"));
    auto *gridForm = new QFormLayout(grid);
    gridForm->addRow(tr("行 × 列："), mAxes);
    gridForm->addRow(tr("方式："), mMode);
    gridForm->addRow(tr("行（从、到、个数）："), row({mRows.from, mRows.to, mRows.count}));
    gridForm->addRow(tr("列（从、到、个数）："), row({mColumns.from, mColumns.to, mColumns.count}));

    auto *fixed = new QGroupBox(tr("固定参数"));
    auto *fixedForm = new QFormLayout(fixed);
    fixedForm->addRow(tr("功率："), mPower);
    fixedForm->addRow(tr("速度："), mSpeed);
    fixedForm->addRow(tr("遍数："), mPasses);
    fixedForm->addRow(tr("线距："), mInterval);

    auto *shape = new QGroupBox(tr("尺寸与位置"));
    auto *shapeForm = new QFormLayout(shape);
    shapeForm->addRow(tr("格子大小："), mCell);
    shapeForm->addRow(tr("间距："), mGap);
    shapeForm->addRow(tr("位置（X、Y）："), row({mLeft, mTop}));

    auto *extras = new QGroupBox(tr("标注与外框"));
    auto *extrasForm = new QFormLayout(extras);
    extrasForm->addRow(mLabels);
    extrasForm->addRow(tr("标注功率、速度："), row({mLabelPower, mLabelSpeed}));
    extrasForm->addRow(mFrame);
    extrasForm->addRow(tr("外框功率、速度、遍数："), row({mFramePower, mFrameSpeed, mFramePasses}));

    mEstimateLabel = new QLabel;
    mWarningLabel = new QLabel;
    mWarningLabel->setWordWrap(true);
    mWarningLabel->setStyleSheet(QStringLiteral("color:#c00000;"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *widget : {static_cast<QWidget *>(grid), static_cast<QWidget *>(fixed),
                            static_cast<QWidget *>(shape), static_cast<QWidget *>(extras)})
        layout->addWidget(widget);
    layout->addWidget(mEstimateLabel);
    layout->addWidget(mWarningLabel);
    layout->addWidget(buttons);
    WheelGuard::protectChildren(this);

    setSettings(lastSettings(mDefaults));

    // Estimating means generating the job: wait until the fields settle.
    mSettle->setSingleShot(true);
    mSettle->setInterval(400);
    connect(mSettle, &QTimer::timeout, this, &TestGridDialog::startEstimate);
    connect(mEstimate, &BackgroundEstimate::estimated, this,
            [this](int serial, const JobTimeEstimator::Estimate &estimate) {
                if (serial != mEstimate->latestSerial())
                    return;
                mEstimateLabel->setText(tr("预计雕刻时间：%1").arg(JobTimeEstimator::formatDuration(estimate.seconds)));
            });

    connect(mAxes, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] {
        fitRangesToAxes();
        settingsChanged();
    });
    for (QComboBox *box : {mMode})
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &TestGridDialog::settingsChanged);
    for (QDoubleSpinBox *field : findChildren<QDoubleSpinBox *>())
        connect(field, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &TestGridDialog::settingsChanged);
    for (QSpinBox *field : findChildren<QSpinBox *>())
        connect(field, QOverload<int>::of(&QSpinBox::valueChanged), this, &TestGridDialog::settingsChanged);
    for (QCheckBox *box : {mLabels, mFrame})
        connect(box, &QCheckBox::toggled, this, &TestGridDialog::settingsChanged);
    settingsChanged();
}

TestGridDialog::~TestGridDialog() = default;

TestGridDialog::RangeFields TestGridDialog::makeRange()
{
    RangeFields fields;
    fields.from = numberField(0, 100, 1, QString());
    fields.to = numberField(0, 100, 1, QString());
    fields.count = countField(1, 50);
    return fields;
}

void TestGridDialog::fitRangesToAxes()
{
    const auto fit = [](const RangeFields &fields, TestGrid::Parameter parameter) {
        for (QDoubleSpinBox *field : {fields.from, fields.to}) {
            switch (parameter) {
            case TestGrid::Parameter::Power:
                field->setDecimals(1);
                field->setRange(0, 100);
                field->setSingleStep(5);
                field->setSuffix(QStringLiteral(" %"));
                break;
            case TestGrid::Parameter::Speed:
                field->setDecimals(1);
                field->setRange(0.1, 100);
                field->setSingleStep(5);
                field->setSuffix(QStringLiteral(" %"));
                break;
            case TestGrid::Parameter::Passes:
                field->setDecimals(0);
                field->setRange(1, 100);
                field->setSingleStep(1);
                field->setSuffix(QString());
                break;
            case TestGrid::Parameter::LineInterval:
                field->setDecimals(4);
                field->setRange(0.02, 100);
                field->setSingleStep(0.01);
                field->setSuffix(QStringLiteral(" mm"));
                break;
            }
        }
    };
    const auto axes = TestGrid::Axes(mAxes->currentIndex());
    const TestGrid::Parameter rowKind = TestGrid::rowParameter(axes);
    const TestGrid::Parameter columnKind = TestGrid::columnParameter(axes);
    fit(mRows, rowKind);
    fit(mColumns, columnKind);
    // The two parameters that vary have no fixed value.
    const auto varies = [&](TestGrid::Parameter p) { return p == rowKind || p == columnKind; };
    mPower->setEnabled(!varies(TestGrid::Parameter::Power));
    mSpeed->setEnabled(!varies(TestGrid::Parameter::Speed));
    mPasses->setEnabled(!varies(TestGrid::Parameter::Passes));
    mInterval->setEnabled(!varies(TestGrid::Parameter::LineInterval));
}

TestGrid::Settings TestGridDialog::settings() const
{
    TestGrid::Settings s;
    s.axes = TestGrid::Axes(mAxes->currentIndex());
    s.mode = TestGrid::Mode(mMode->currentIndex());
    s.rows = {mRows.from->value(), mRows.to->value(), mRows.count->value()};
    s.columns = {mColumns.from->value(), mColumns.to->value(), mColumns.count->value()};
    s.power = mPower->value();
    s.speed = mSpeed->value();
    s.passes = mPasses->value();
    s.lineInterval = mInterval->value();
    s.cellSize = mCell->value();
    s.gap = mGap->value();
    s.left = mLeft->value();
    s.top = mTop->value();
    s.labels = mLabels->isChecked();
    s.labelPower = mLabelPower->value();
    s.labelSpeed = mLabelSpeed->value();
    s.frame = mFrame->isChecked();
    s.framePower = mFramePower->value();
    s.frameSpeed = mFrameSpeed->value();
    s.framePasses = mFramePasses->value();
    s.defaults = mDefaults;
    return s;
}

void TestGridDialog::setSettings(const TestGrid::Settings &s)
{
    mUpdating = true;
    mAxes->setCurrentIndex(int(s.axes));
    fitRangesToAxes();
    mMode->setCurrentIndex(int(s.mode));
    mRows.from->setValue(s.rows.from);
    mRows.to->setValue(s.rows.to);
    mRows.count->setValue(s.rows.count);
    mColumns.from->setValue(s.columns.from);
    mColumns.to->setValue(s.columns.to);
    mColumns.count->setValue(s.columns.count);
    mPower->setValue(s.power);
    mSpeed->setValue(s.speed);
    mPasses->setValue(s.passes);
    mInterval->setValue(s.lineInterval);
    mCell->setValue(s.cellSize);
    mGap->setValue(s.gap);
    mLeft->setValue(s.left);
    mTop->setValue(s.top);
    mLabels->setChecked(s.labels);
    mLabelPower->setValue(s.labelPower);
    mLabelSpeed->setValue(s.labelSpeed);
    mFrame->setChecked(s.frame);
    mFramePower->setValue(s.framePower);
    mFrameSpeed->setValue(s.frameSpeed);
    mFramePasses->setValue(s.framePasses);
    mDefaults = s.defaults;
    mUpdating = false;
    settingsChanged();
}

TestGrid::Settings TestGridDialog::lastSettings(const DefaultParameters &defaults)
{
    TestGrid::Settings s;
    QSettings store(SettingsNames::organization, SettingsNames::application);
    store.beginGroup(settingsGroup);
    const auto number = [&store](const char *key, double fallback) {
        bool ok = false;
        const double value = store.value(QLatin1String(key), fallback).toDouble(&ok);
        return ok && std::isfinite(value) ? value : fallback;
    };
    TestGrid::axesFromName(store.value(QStringLiteral("axes")).toString(), &s.axes);
    TestGrid::modeFromName(store.value(QStringLiteral("mode")).toString(), &s.mode);
    s.rows = {number("rowFrom", s.rows.from), number("rowTo", s.rows.to), int(number("rowCount", s.rows.count))};
    s.columns = {number("columnFrom", s.columns.from), number("columnTo", s.columns.to),
                 int(number("columnCount", s.columns.count))};
    s.power = number("power", s.power);
    s.speed = number("speed", s.speed);
    s.passes = int(number("passes", s.passes));
    s.lineInterval = number("lineInterval", s.lineInterval);
    s.cellSize = number("cellSize", s.cellSize);
    s.gap = number("gap", s.gap);
    s.left = number("left", s.left);
    s.top = number("top", s.top);
    s.labels = store.value(QStringLiteral("labels"), s.labels).toBool();
    s.labelPower = number("labelPower", s.labelPower);
    s.labelSpeed = number("labelSpeed", s.labelSpeed);
    s.frame = store.value(QStringLiteral("frame"), s.frame).toBool();
    s.framePower = number("framePower", s.framePower);
    s.frameSpeed = number("frameSpeed", s.frameSpeed);
    s.framePasses = int(number("framePasses", s.framePasses));
    s.defaults = defaults;
    // A store edited by hand must not give a grid the fields cannot show.
    if (!TestGrid::problem(s).isEmpty()) {
        s = TestGrid::Settings();
        s.defaults = defaults;
    }
    return s;
}

void TestGridDialog::remember() const
{
    const TestGrid::Settings s = settings();
    QSettings store(SettingsNames::organization, SettingsNames::application);
    store.beginGroup(settingsGroup);
    store.setValue(QStringLiteral("axes"), TestGrid::axesName(s.axes));
    store.setValue(QStringLiteral("mode"), TestGrid::modeName(s.mode));
    store.setValue(QStringLiteral("rowFrom"), s.rows.from);
    store.setValue(QStringLiteral("rowTo"), s.rows.to);
    store.setValue(QStringLiteral("rowCount"), s.rows.count);
    store.setValue(QStringLiteral("columnFrom"), s.columns.from);
    store.setValue(QStringLiteral("columnTo"), s.columns.to);
    store.setValue(QStringLiteral("columnCount"), s.columns.count);
    store.setValue(QStringLiteral("power"), s.power);
    store.setValue(QStringLiteral("speed"), s.speed);
    store.setValue(QStringLiteral("passes"), s.passes);
    store.setValue(QStringLiteral("lineInterval"), s.lineInterval);
    store.setValue(QStringLiteral("cellSize"), s.cellSize);
    store.setValue(QStringLiteral("gap"), s.gap);
    store.setValue(QStringLiteral("left"), s.left);
    store.setValue(QStringLiteral("top"), s.top);
    store.setValue(QStringLiteral("labels"), s.labels);
    store.setValue(QStringLiteral("labelPower"), s.labelPower);
    store.setValue(QStringLiteral("labelSpeed"), s.labelSpeed);
    store.setValue(QStringLiteral("frame"), s.frame);
    store.setValue(QStringLiteral("framePower"), s.framePower);
    store.setValue(QStringLiteral("frameSpeed"), s.frameSpeed);
    store.setValue(QStringLiteral("framePasses"), s.framePasses);
}

void TestGridDialog::accept()
{
    remember();
    QDialog::accept();
}

QString TestGridDialog::estimateText() const
{
    return mEstimateLabel->text();
}

QString TestGridDialog::warningText() const
{
    return mWarningLabel->text();
}

void TestGridDialog::settingsChanged()
{
    if (mUpdating)
        return;
    mLabelPower->setEnabled(mLabels->isChecked());
    mLabelSpeed->setEnabled(mLabels->isChecked());
    mFramePower->setEnabled(mFrame->isChecked());
    mFrameSpeed->setEnabled(mFrame->isChecked());
    mFramePasses->setEnabled(mFrame->isChecked());

    const TestGrid::Settings s = settings();
    QStringList warnings;
    // F of the fastest cell against the slower axis's maximum rate.
    const double feed = TestGrid::fastestSpeed(s) / 100 * mGenerator.paintSpeed();
    const double maxRate = std::min(mMachine.maxRateX, mMachine.maxRateY);
    if (feed > maxRate)
        warnings << tr("有格子的速度 %1 mm/min 超过雕刻机的最大速度 %2 mm/min，实际会更慢。")
                            .arg(feed, 0, 'f', 0)
                            .arg(maxRate, 0, 'f', 0);
    const double dose = TestGrid::heaviestDose(s);
    if (dose >= TestGrid::heavyDose)
        warnings << tr("有格子的遍数 × 功率达到 %1 %，可能烧穿材料或起火。").arg(dose, 0, 'f', 0);
    mWarningLabel->setText(warnings.join(QLatin1Char('\n')));
    mWarningLabel->setVisible(!warnings.isEmpty());
    mEstimateLabel->setText(tr("预计雕刻时间：正在计算…"));
    mSettle->start();
}

void TestGridDialog::startEstimate()
{
    mEstimate->requestDesign(mGenerator, TestGrid::designText(settings()), mMachine);
}
