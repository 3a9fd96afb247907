#include "panels/loweroperatepanel.h"

#include "common/settingsnames.h"
#include "device/panelmessage.h"
#include "device/serialaccess.h"
#include "panels/jobtimedisplay.h"
#include "panels/lineseparator.h"
#include "panels/typedports.h"
#include "panels/machinelockprompt.h"
#include "panels/resumeoffer.h"
#include "panels/scrolltext.h"
#include "panels/wheelguard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>
#include <functional>

namespace {

constexpr int rowHeight = 30;

// Notices whose handler reads the number after the id; without one they are
// ignored. A height without a value still sends the canvas size, and the end
// of a job carries nothing.
bool needsNumber(PanelNotice id)
{
    switch (id) {
    case PanelNotice::PrintPower:
    case PanelNotice::PrintSpeed:
    case PanelNotice::JobProgress:
    case PanelNotice::MoveSpeed:
    case PanelNotice::MoveDistance:
    case PanelNotice::PositionPower:
    case PanelNotice::PositionLaserOn:
    case PanelNotice::WorkWidth:
    case PanelNotice::MaxSpeedX:
    case PanelNotice::MaxSpeedY:
    case PanelNotice::AccelerationX:
    case PanelNotice::AccelerationY:
    case PanelNotice::MotorDirections:
    case PanelNotice::Position:
    case PanelNotice::UpgradeProgress:
    case PanelNotice::FirmwareCurrent:
    case PanelNotice::HardwareUnknown:
    case PanelNotice::UpgradeStarted:
    case PanelNotice::UpgradeFinished:
    case PanelNotice::FirmwareOutdated:
        return true;
    default:
        return false;
    }
}

namespace Key {
const QString printPower = SettingsNames::printPowerKey;
const QString printSpeed = SettingsNames::printSpeedKey;
const QString idlePower = QStringLiteral("idleLaserPowerSave");
const QString laserOn = QStringLiteral("idleLaserButtonCheckedSave");
const QString moveSpeed = QStringLiteral("moveSpeedSave");
const QString moveRange = QStringLiteral("moveRangeSave");
const QString workWidth = QStringLiteral("workWidthSave");
const QString workHeight = QStringLiteral("workHeightSave");
const QString continuePastErrors = QStringLiteral("continuePastErrorsSave");
} // namespace Key

QDoubleSpinBox *numberField(QWidget *parent, const QString &name, int decimals, double minimum,
                            double maximum, const QString &suffix, const QString &tooltip)
{
    auto *spin = new QDoubleSpinBox(parent);
    spin->setObjectName(name);
    spin->setDecimals(decimals);
    spin->setRange(minimum, maximum);
    spin->setSuffix(suffix);
    spin->setToolTip(tooltip);
    spin->setKeyboardTracking(false);
    spin->setFixedHeight(rowHeight);
    return spin;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text,
                    const QString &icon, const QString &tooltip, bool checkable = false)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    if (!icon.isEmpty()) {
        b->setIcon(QIcon(icon));
        b->setIconSize(QSize(16, 16));
    }
    b->setToolTip(tooltip);
    b->setCheckable(checkable);
    b->setFixedHeight(rowHeight);
    return b;
}

QHBoxLayout *row(std::initializer_list<QWidget *> widgets)
{
    auto *layout = new QHBoxLayout;
    for (QWidget *w : widgets)
        layout->addWidget(w);
    return layout;
}

QVBoxLayout *groupLayout(QGroupBox *group)
{
    auto *layout = new QVBoxLayout(group);
    layout->setSpacing(10);
    layout->setContentsMargins(10, 10, 10, 10);
    group->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    return layout;
}

// Values a controller may report for sizes, speeds and accelerations.
bool usable(double v)
{
    return std::isfinite(v) && v > 0;
}

} // namespace

LowerOperatePanel::LowerOperatePanel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    loadSettings();
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(15);
    layout->setContentsMargins(3, 3, 10, 3);
    layout->addWidget(buildConnectGroup());
    layout->addWidget(buildPrintGroup());
    layout->addWidget(buildMoveGroup());
    layout->addWidget(buildSettingsGroup());
    layout->addStretch();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    WheelGuard::protectChildren(this);
}

LowerOperatePanel::~LowerOperatePanel()
{
    saveSettings();
}

void LowerOperatePanel::loadSettings()
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::lowerOperatePanelGroup);
    auto read = [&settings](const QString &key, double &field) {
        bool ok = false;
        const double value = settings.value(key, field).toDouble(&ok);
        if (ok && std::isfinite(value))
            field = value;
    };
    read(Key::printPower, mPrintPower);
    read(Key::printSpeed, mPrintSpeed);
    read(Key::idlePower, mIdlePower);
    mLaserOn = settings.value(Key::laserOn, mLaserOn).toBool();
    read(Key::moveSpeed, mMoveSpeed);
    read(Key::moveRange, mMoveDistance);
    read(Key::workWidth, mWorkWidth);
    read(Key::workHeight, mWorkHeight);
    mContinuePastErrors = settings.value(Key::continuePastErrors, false).toBool();
}

void LowerOperatePanel::saveSettings() const
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::lowerOperatePanelGroup);
    settings.setValue(Key::printPower, mPrintPower);
    settings.setValue(Key::printSpeed, mPrintSpeed);
    settings.setValue(Key::idlePower, mIdlePower);
    settings.setValue(Key::laserOn, mLaserOn);
    settings.setValue(Key::moveSpeed, mMoveSpeed);
    settings.setValue(Key::moveRange, mMoveDistance);
    settings.setValue(Key::workWidth, mWorkWidth);
    settings.setValue(Key::workHeight, mWorkHeight);
    settings.setValue(Key::continuePastErrors, mContinuePastErrors);
}

QGroupBox *LowerOperatePanel::buildConnectGroup()
{
    auto *group = new QGroupBox(tr("连接"), this);
    QVBoxLayout *layout = groupLayout(group);
    mConnectButton = button(group, QStringLiteral("connect"), tr("连接"), QStringLiteral(":/image/link.png"),
                            tr("自动查找和连接设备"));
    mConnectButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    mStatus = new ScrollText(group);
    mStatus->setObjectName(QStringLiteral("status"));
    mStatus->setFixedHeight(rowHeight);
    mStatus->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    mStatus->setText(tr("未连接..."));
    mPortCombo = new QComboBox(group);
    mPortCombo->setObjectName(QStringLiteral("port"));
    mPortCombo->setFixedHeight(rowHeight);
    mPortCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // A port the system does not list (a pseudo-terminal, a by-id link) is typed.
    mPortCombo->setEditable(true);
    mPortCombo->setInsertPolicy(QComboBox::NoInsert);
    layout->addLayout(row({mConnectButton, mStatus}));
    layout->addWidget(new LineSeparator(group));
    layout->addWidget(mPortCombo);
    mPortCombo->addItems(TypedPorts::remembered());

    connect(mConnectButton, &QPushButton::clicked, this, &LowerOperatePanel::setAutoConnect);
    connect(mPortCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) {
                if (index >= 0)
                    setConnectPort(mPortCombo->itemText(index));
            });
    connect(mPortCombo->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        // The box hands the same Return to its line edit a second time.
        QLineEdit *edit = mPortCombo->lineEdit();
        if (!edit->isModified())
            return;
        edit->setModified(false);
        mTypedPort = edit->text().trimmed();
        setConnectPort(edit->text());
    });
    return group;
}

QGroupBox *LowerOperatePanel::buildPrintGroup()
{
    auto *group = new QGroupBox(tr("打印"), this);
    QVBoxLayout *layout = groupLayout(group);
    mStartButton = button(group, QStringLiteral("start"), tr("开始"), QStringLiteral(":/image/start.png"), tr("开始打印"));
    mStopButton = button(group, QStringLiteral("stop"), tr("停止"), QStringLiteral(":/image/stop.png"), tr("停止打印"));
    mPauseButton = button(group, QStringLiteral("pause"), tr("暂停"), QStringLiteral(":/image/pause.png"),
                          tr("暂停打印"), true);

    mPowerSpin = numberField(group, QStringLiteral("printPower"), 1, 0, 100, QStringLiteral("%"), tr("调节打印激光功率"));
    mPowerSpin->setFixedSize(90, rowHeight);
    mPowerSlider = new QSlider(Qt::Horizontal, group);
    mPowerSlider->setObjectName(QStringLiteral("printPowerSlider"));
    mPowerSlider->setRange(0, 10000);
    mPowerSlider->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    mSpeedSpin = numberField(group, QStringLiteral("printSpeed"), 1, 0, 245, QStringLiteral("mm/s"), tr("调节打印速度"));
    mSpeedSpin->setFixedSize(90, rowHeight);
    mSpeedSlider = new QSlider(Qt::Horizontal, group);
    mSpeedSlider->setObjectName(QStringLiteral("printSpeedSlider"));
    mSpeedSlider->setRange(0, 24500);
    mSpeedSlider->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    mTransferBar = new QProgressBar(group);
    mTransferBar->setObjectName(QStringLiteral("transfer"));
    // Tenths of a per cent, so a long job's bar still moves every report;
    // the text shows whole per cents.
    mTransferBar->setRange(0, 1000);
    mTransferBar->setValue(0);

    layout->addLayout(row({mStartButton, mStopButton, mPauseButton}));
    mContinueBox = new QCheckBox(tr("出错时继续"), group);
    mContinueBox->setObjectName(QStringLiteral("continuePastErrors"));
    mContinueBox->setToolTip(tr("设备拒绝某行时继续发送，结束时报告被拒绝的行数"));
    layout->addWidget(mContinueBox);
    mResumeOffer = new ResumeOffer(group);
    layout->addWidget(mResumeOffer);
    layout->addWidget(new LineSeparator(group));
    layout->addLayout(row({new QLabel(tr("打印功率:"), group), mPowerSpin, mPowerSlider}));
    layout->addWidget(new LineSeparator(group));
    layout->addLayout(row({new QLabel(tr("打印速度:"), group), mSpeedSpin, mSpeedSlider}));
    layout->addWidget(new LineSeparator(group));
    layout->addLayout(row({new QLabel(tr("数据传输:"), group), mTransferBar}));
    mJobTime = new JobTimeDisplay(group);
    layout->addWidget(mJobTime);
    layout->addWidget(new LineSeparator(group));
    layout->addLayout(overrideRow(group, tr("速度倍率:"), PanelCommand::FeedOverride,
                                  {{QStringLiteral("-10%"), -10}, {QStringLiteral("100%"), 0},
                                   {QStringLiteral("+10%"), 10}}));
    layout->addLayout(overrideRow(group, tr("功率倍率:"), PanelCommand::SpindleOverride,
                                  {{QStringLiteral("-10%"), -10}, {QStringLiteral("100%"), 0},
                                   {QStringLiteral("+10%"), 10}}));
    layout->addLayout(overrideRow(group, tr("空移倍率:"), PanelCommand::RapidOverride,
                                  {{QStringLiteral("25%"), 25}, {QStringLiteral("50%"), 50},
                                   {QStringLiteral("100%"), 100}}));

    using Spin = QDoubleSpinBox;
    connect(mStartButton, &QPushButton::clicked, this, &LowerOperatePanel::startPrint);
    connect(mStopButton, &QPushButton::clicked, this, &LowerOperatePanel::stopPrint);
    connect(mPauseButton, &QPushButton::clicked, this, &LowerOperatePanel::pausePrint);
    connect(mResumeOffer, &ResumeOffer::resumeRequested, this, &LowerOperatePanel::resumePrint);
    connect(mResumeOffer, &ResumeOffer::dismissed, this,
            [this] { sendToDevice(PanelCommand::ResumeDismissed, 1); });
    connect(mContinueBox, &QCheckBox::toggled, this, [this](bool on) {
        mContinuePastErrors = on;
        sendToDevice(PanelCommand::ContinuePastErrors, on ? 1 : 0);
    });
    mLockPrompt = new MachineLockPrompt(this);
    connect(mLockPrompt, &MachineLockPrompt::homeRequested, this, [this] { moveHome(); });
    connect(mLockPrompt, &MachineLockPrompt::unlockRequested, this,
            [this] { sendToDevice(PanelCommand::Unlock, 1); });
    connect(mPowerSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::setPrintLaser);
    connect(mPowerSlider, &QSlider::sliderReleased, this, &LowerOperatePanel::printLaserSliderRelease);
    connect(mPowerSlider, &QSlider::valueChanged, this, &LowerOperatePanel::setPrintLaserSpin);
    connect(mSpeedSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::setPrintSpeed);
    connect(mSpeedSlider, &QSlider::sliderReleased, this, &LowerOperatePanel::printSpeedSliderRelease);
    connect(mSpeedSlider, &QSlider::valueChanged, this, &LowerOperatePanel::setPrintSpeedSpin);
    return group;
}

QHBoxLayout *LowerOperatePanel::overrideRow(QWidget *parent, const QString &label, PanelCommand kind,
                                            const QList<QPair<QString, int>> &steps)
{
    // GRBL changes the running job's feed, power or rapid speed at once, in
    // steps; "100%" goes back to the job's own values.
    QList<QWidget *> widgets{new QLabel(label, parent)};
    for (const auto &step : steps) {
        auto *button = new QPushButton(step.first, parent);
        button->setObjectName(QStringLiteral("override%1_%2").arg(int(kind)).arg(step.second));
        button->setFixedHeight(rowHeight);
        button->setToolTip(tr("运行中实时调整，不改变作业文件"));
        const int value = step.second;
        connect(button, &QPushButton::clicked, this, [this, kind, value] { sendToDevice(kind, value); });
            widgets.append(button);
    }
    auto *layout = new QHBoxLayout;
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    return layout;
}

QGroupBox *LowerOperatePanel::buildMoveGroup()
{
    auto *group = new QGroupBox(tr("移动"), this);
    QVBoxLayout *layout = groupLayout(group);
    auto *frame = button(group, QStringLiteral("frame"), tr("边框定位"), QStringLiteral(":/image/frame.png"), tr("边框定位"));
    auto *home = button(group, QStringLiteral("home"), tr("复位"), QStringLiteral(":/image/home.png"), tr("复位"));
    home->setIconSize(QSize(20, 20));
    mIdlePowerSpin = numberField(group, QStringLiteral("idlePower"), 2, 0, 40, QStringLiteral("%"), tr("调节和定位激光功率"));
    mIdlePowerSpin->setFixedSize(80, rowHeight);
    mLaserButton = button(group, QStringLiteral("laser"), tr("打开激光"), QStringLiteral(":/image/laser_beam.png"),
                          tr("打开和关闭定位激光"), true);
    mLocToolButton = button(group, QStringLiteral("locTool"), tr("定位工具"), QStringLiteral(":/image/loc_tool.png"),
                            tr("打开和关闭定位工具"), true);
    mRollerButton = button(group, QStringLiteral("roller"), tr("滚轴"), QStringLiteral(":/image/roller.png"),
                           tr("使用滚轴"), true);
    mRollerButton->setIconSize(QSize(20, 20));
    mRollerAxis = new QComboBox(group);
    mRollerAxis->setObjectName(QStringLiteral("rollerAxis"));
    mRollerAxis->addItems({tr("使用滚轴替代X轴"), tr("使用滚轴替代Y轴")});
    mRollerAxis->setFixedHeight(rowHeight);
    mMoveSpeedSpin = numberField(group, QStringLiteral("moveSpeed"), 2, 0.1, 100000, QStringLiteral("mm/s"),
                                 tr("调节定位和移动速度"));
    mMoveSpeedSpin->setFixedSize(104, rowHeight);
    mMoveDistanceSpin = numberField(group, QStringLiteral("moveDistance"), 2, 0, 1000, QStringLiteral("mm"), tr("移动距离"));
    mMoveDistanceSpin->setFixedSize(104, rowHeight);

    auto arrow = [group](const QString &name, const QString &icon, const QString &tooltip) {
        QPushButton *b = button(group, name, QString(), icon, tooltip);
        b->setFixedSize(rowHeight, rowHeight);
        return b;
    };
    QPushButton *up = arrow(QStringLiteral("up"), QStringLiteral(":/image/move_up.png"), tr("向上移动"));
    QPushButton *down = arrow(QStringLiteral("down"), QStringLiteral(":/image/move_down.png"), tr("向下移动"));
    QPushButton *left = arrow(QStringLiteral("left"), QStringLiteral(":/image/move_left.png"), tr("向左移动"));
    QPushButton *right = arrow(QStringLiteral("right"), QStringLiteral(":/image/move_right.png"), tr("向右移动"));
    auto *getPosition = button(group, QStringLiteral("getPosition"), tr("获取位置"), QString(), tr("获取设备位置"));
    auto *setPosition = button(group, QStringLiteral("setPosition"), tr("设定位置"), QString(), tr("设定设备位置"));
    mXPosSpin = numberField(group, QStringLiteral("positionX"), 2, 0, 10000, QStringLiteral("mm"), tr("设备的X轴坐标"));
    mXPosSpin->setFixedSize(80, rowHeight);
    mYPosSpin = numberField(group, QStringLiteral("positionY"), 2, 0, 10000, QStringLiteral("mm"), tr("设备的Y轴坐标"));
    mYPosSpin->setFixedSize(80, rowHeight);

    layout->addLayout(row({frame, home}));
    layout->addWidget(new LineSeparator(group));
    layout->addLayout(row({new QLabel(tr("定位功率:"), group), mIdlePowerSpin, mLaserButton, mLocToolButton}));
    layout->addWidget(new LineSeparator(group));
    layout->addLayout(row({mRollerButton, mRollerAxis}));
    layout->addWidget(new LineSeparator(group));
    layout->addLayout(row({new QLabel(tr("移动速度:"), group), mMoveSpeedSpin}));
    layout->addLayout(row({new QLabel(tr("移动距离:"), group), mMoveDistanceSpin}));

    auto *arrows = new QGridLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up, 0, 1);
    arrows->addWidget(left, 1, 0);
    arrows->addWidget(right, 1, 2);
    arrows->addWidget(down, 2, 1);
    auto *position = new QGridLayout;
    position->addWidget(new QLabel(tr("设备位置X:"), group), 0, 0);
    position->addWidget(mXPosSpin, 0, 1);
    position->addWidget(new QLabel(tr("设备位置Y:"), group), 1, 0);
    position->addWidget(mYPosSpin, 1, 1);
    position->addWidget(getPosition, 2, 0);
    position->addWidget(setPosition, 2, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(arrows);
    bottom->addLayout(position);
    layout->addLayout(bottom);

    using Spin = QDoubleSpinBox;
    connect(frame, &QPushButton::clicked, this, &LowerOperatePanel::moveFrame);
    connect(home, &QPushButton::clicked, this, &LowerOperatePanel::moveHome);
    connect(mIdlePowerSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::setIdleLaser);
    connect(mLaserButton, &QPushButton::clicked, this, &LowerOperatePanel::openLaser);
    connect(mLocToolButton, &QPushButton::clicked, this, &LowerOperatePanel::openLocTool);
    connect(mRollerButton, &QPushButton::clicked, this, &LowerOperatePanel::setRoller);
    connect(mMoveSpeedSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::setMoveSpeed);
    connect(mMoveDistanceSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::setMoveDistance);
    connect(up, &QPushButton::clicked, this, &LowerOperatePanel::moveUp);
    connect(down, &QPushButton::clicked, this, &LowerOperatePanel::moveDown);
    connect(left, &QPushButton::clicked, this, &LowerOperatePanel::moveLeft);
    connect(right, &QPushButton::clicked, this, &LowerOperatePanel::moveRight);
    connect(getPosition, &QPushButton::clicked, this, &LowerOperatePanel::getLowerCoord);
    connect(setPosition, &QPushButton::clicked, this, &LowerOperatePanel::setLowerCoord);
    return group;
}

QGroupBox *LowerOperatePanel::buildSettingsGroup()
{
    auto *group = new QGroupBox(tr("设置"), this);
    QVBoxLayout *layout = groupLayout(group);
    mWidthSpin = numberField(group, QStringLiteral("workWidth"), 2, 10, 10000, QStringLiteral("mm"), tr("工作宽度"));
    mHeightSpin = numberField(group, QStringLiteral("workHeight"), 2, 10, 10000, QStringLiteral("mm"), tr("工作高度"));
    mAdvancedButton = button(group, QStringLiteral("advanced"), tr("高级设置"), QString(), tr("高级设置"), true);
    mAdvancedButton->setIconSize(QSize(20, 20));

    mAdvancedRows = new QWidget(group);
    mAdvancedRows->setObjectName(QStringLiteral("advancedRows"));
    auto *rows = new QVBoxLayout(mAdvancedRows);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(10);
    QWidget *a = mAdvancedRows;
    const QString speedUnit = QStringLiteral("mm/s");
    const QString accUnit = QStringLiteral("mm/s^2");
    mMaxSpeedXSpin = numberField(a, QStringLiteral("maxSpeedX"), 2, 100, 100000, speedUnit, QString());
    mMaxSpeedYSpin = numberField(a, QStringLiteral("maxSpeedY"), 2, 100, 100000, speedUnit, tr("最大y轴运行速度"));
    mAccXSpin = numberField(a, QStringLiteral("accX"), 2, 100, 1000000, accUnit, tr("最大x轴加速度"));
    mAccYSpin = numberField(a, QStringLiteral("accY"), 2, 100, 1000000, accUnit, tr("最大y轴加速度"));
    auto motor = [a](const QString &name) {
        auto *combo = new QComboBox(a);
        combo->setObjectName(name);
        combo->addItems({tr("正向旋转"), tr("反向旋转")});
        combo->setFixedHeight(rowHeight);
        return combo;
    };
    mMotorX = motor(QStringLiteral("motorX"));
    mMotorY = motor(QStringLiteral("motorY"));
    auto *defaults = button(a, QStringLiteral("factoryDefaults"), tr("默认设置"), QString(), tr("恢复默认设置"));
    auto *ota = button(a, QStringLiteral("upgrade"), tr("固件升级"), QString(), tr("升级设备固件"));
    mUpgradeButton = ota;
    mUpgradeBar = new QProgressBar(a);
    mUpgradeBar->setObjectName(QStringLiteral("upgradeBar"));
    mUpgradeBar->setRange(0, 100);
    mUpgradeBar->setValue(0);
    mUpgradeBar->setFixedHeight(rowHeight);

    layout->addLayout(row({new QLabel(tr("宽度:"), group), mWidthSpin, new QLabel(tr("高度:"), group), mHeightSpin}));
    layout->addWidget(new LineSeparator(group));
    layout->addWidget(mAdvancedButton);
    rows->addLayout(row({new QLabel(tr("最大速度X:"), a), mMaxSpeedXSpin, new QLabel(tr("Y:"), a), mMaxSpeedYSpin}));
    rows->addWidget(new LineSeparator(a));
    rows->addLayout(row({new QLabel(tr("加速度X:"), a), mAccXSpin, new QLabel(tr("Y:"), a), mAccYSpin}));
    rows->addWidget(new LineSeparator(a));
    rows->addLayout(row({new QLabel(tr("X电机:"), a), mMotorX, new QLabel(tr("Y:"), a), mMotorY}));
    rows->addWidget(new LineSeparator(a));
    rows->addWidget(defaults);
    rows->addWidget(new LineSeparator(a));
    rows->addLayout(row({ota, new QLabel(tr("升级进度:"), a), mUpgradeBar}));
    layout->addWidget(mAdvancedRows);
    mAdvancedRows->hide();

    using Spin = QDoubleSpinBox;
    using Combo = QComboBox;
    connect(mWidthSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::workWidthSpinChanged);
    connect(mHeightSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::workHeightSpinChanged);
    connect(mAdvancedButton, &QPushButton::clicked, this, &LowerOperatePanel::advancedSettings);
    connect(mMaxSpeedXSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::maxSpeedXSpinChanged);
    connect(mMaxSpeedYSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::maxSpeedYSpinChanged);
    connect(mAccXSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::maxAccXSpinChanged);
    connect(mAccYSpin, qOverload<double>(&Spin::valueChanged), this, &LowerOperatePanel::maxAccYSpinChanged);
    connect(mMotorX, qOverload<int>(&Combo::currentIndexChanged), this, &LowerOperatePanel::directionXChanged);
    connect(mMotorY, qOverload<int>(&Combo::currentIndexChanged), this, &LowerOperatePanel::directionYChanged);
    connect(defaults, &QPushButton::clicked, this, &LowerOperatePanel::restoreDefaultPara);
    connect(ota, &QPushButton::clicked, this, &LowerOperatePanel::otaButtonClicked);
    return group;
}

void LowerOperatePanel::restoreSavedValues()
{
    mPowerSpin->setValue(mPrintPower);
    mSpeedSpin->setValue(mPrintSpeed);
    mIdlePowerSpin->setValue(mIdlePower);
    if (mLaserOn)
        mLaserButton->click();
    mMoveSpeedSpin->setValue(mMoveSpeed);
    mMoveDistanceSpin->setValue(mMoveDistance);
    mWidthSpin->setValue(mWorkWidth);
    mHeightSpin->setValue(mWorkHeight);
    mContinueBox->setChecked(mContinuePastErrors);
    sendToDevice(PanelCommand::ContinuePastErrors, mContinuePastErrors ? 1 : 0);
}

void LowerOperatePanel::sendToDevice(PanelCommand id, const QString &text)
{
    emit lowerMessage({PanelMessage::make(id, text)});
}

void LowerOperatePanel::sendToDevice(PanelCommand id, double value)
{
    emit lowerMessage({PanelMessage::make(id, value)});
}

void LowerOperatePanel::sendToProperties(PropertyNotice id, double value)
{
    emit propertyMessage({PanelMessage::make(id, value)});
}

void LowerOperatePanel::sendPaintProperty(const QString &name, double value)
{
    emit svgPaintPropertyChanged({name}, {value});
}

void LowerOperatePanel::sendCanvasSize()
{
    emit sceneBoundChanged(mWidthSpin->value(), mHeightSpin->value());
}

void LowerOperatePanel::inform(const QString &title, const QString &text, bool warning)
{
    auto *box = new QMessageBox(warning ? QMessageBox::Warning : QMessageBox::Information, title, text,
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->open();
}

void LowerOperatePanel::setAutoConnect(bool checked)
{
    if (mPrinting)
        return;
    sendToDevice(PanelCommand::SearchDevice, checked);
}

void LowerOperatePanel::setConnectPort(const QString &text)
{
    sendToDevice(PanelCommand::ChoosePort, text);
}

void LowerOperatePanel::fillPortList(bool none, const QString &names)
{
    mPortCombo->clear();
    const QStringList discovered = none ? QStringList() : names.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    mPortCombo->addItems(TypedPorts::listWith(discovered));
    if (none)
        mStatus->setText(tr("未找到端口.请检查连接..."));
}

void LowerOperatePanel::rememberTypedPort(const QString &connected)
{
    // The controller names a network port "host:port" however it was typed.
    if (mTypedPort.isEmpty())
        return;
    if (mTypedPort.endsWith(connected))
        TypedPorts::remember(connected);
    mTypedPort.clear();
}

void LowerOperatePanel::showLinkFailure(const QString &value)
{
    const int space = value.indexOf(QLatin1Char(' '));
    const QString why = value.left(space);
    const QString name = value.mid(space + 1);
    mTypedPort.clear();
    QString text;
    QString advice = tr("请检查设备的地址和端口，并确认设备已开机、与电脑在同一网络中。");
    if (why == QLatin1String("refused")) {
        text = tr("%1 拒绝了连接").arg(name);
    } else if (why == QLatin1String("unknown-host")) {
        text = tr("找不到主机：%1").arg(name);
    } else if (why == QLatin1String("timeout")) {
        text = tr("连接 %1 超时").arg(name);
    } else if (why == QLatin1String("silent")) {
        text = tr("%1 没有应答").arg(name);
        advice = tr("设备没有回应。请检查设备是否已开机，以及端口是否属于雕刻机。");
    } else if (why == QLatin1String("missing")) {
        text = tr("没有这个端口：%1").arg(name);
        advice = tr("请检查设备是否已连接，以及端口路径是否正确。");
    } else {
        text = tr("无法打开 %1").arg(name);
    }
    mStatus->setText(text);
    inform(tr("连接失败"), text + QStringLiteral("\n\n") + advice, true);
}

void LowerOperatePanel::startPrint(bool)
{
    if (mPrinting)
        return;
    // Without a link the job would go nowhere and Start would stay disabled.
    if (!mConnected) {
        inform(tr("开始"), tr("未连接设备，请先连接设备"), true);
        return;
    }
    mPrinting = true;
    mStartButton->setEnabled(false);
    mResumeOffer->clear();
    emit gcodeRequested();
}

void LowerOperatePanel::resumePrint()
{
    // The offer checked the link and the user's confirmation; the job is
    // the controller's, so it is taken up there.
    if (mPrinting || !mConnected)
        return;
    mPrinting = true;
    mStartButton->setEnabled(false);
    sendToDevice(PanelCommand::ResumePrint, 1);
    mJobTime->jobResumed();
}

void LowerOperatePanel::endPrinting()
{
    mJobTime->jobEnded();
    if (mPrinting) {
        mPrinting = false;
        mStartButton->setEnabled(true);
    }
    if (mPauseButton->isChecked()) {
        mPauseButton->setChecked(false);
        mPauseButton->setText(tr("暂停"));
    }
}

void LowerOperatePanel::stopPrint(bool checked)
{
    sendToDevice(PanelCommand::StopPrint, checked);
    endPrinting();
}

void LowerOperatePanel::pausePrint(bool checked)
{
    mPauseButton->setText(checked ? tr("继续") : tr("暂停"));
    mJobTime->setPaused(checked);
    sendToDevice(PanelCommand::PausePrint, checked);
}

void LowerOperatePanel::applyPrintPower(double d)
{
    mPrintPower = d;
    sendToDevice(PanelCommand::PrintPower, d);
    sendToProperties(PropertyNotice::PrintPower, d);
    sendPaintProperty(QStringLiteral("paintPower"), d * 10);
}

void LowerOperatePanel::applyPrintSpeed(double d)
{
    mPrintSpeed = d;
    sendToDevice(PanelCommand::PrintSpeed, d);
    sendToProperties(PropertyNotice::PrintSpeed, d);
    sendPaintProperty(QStringLiteral("paintSpeed"), d * 80);
}

void LowerOperatePanel::setPrintLaser(double d)
{
    qDebug() << "print laser" << d;
    {
        const QSignalBlocker blocker(mPowerSlider);
        mPowerSlider->setValue(static_cast<int>(d * 100));
    }
    applyPrintPower(d);
}

void LowerOperatePanel::setPrintLaserSpin(int value)
{
    const QSignalBlocker blocker(mPowerSpin);
    mPowerSpin->setValue(value / 100.0);
}

void LowerOperatePanel::printLaserSliderRelease()
{
    applyPrintPower(mPowerSlider->value() / 100.0);
}

void LowerOperatePanel::setPrintSpeed(double d)
{
    {
        const QSignalBlocker blocker(mSpeedSlider);
        mSpeedSlider->setValue(static_cast<int>(d * 100));
    }
    applyPrintSpeed(d);
}

void LowerOperatePanel::setPrintSpeedSpin(int value)
{
    const QSignalBlocker blocker(mSpeedSpin);
    mSpeedSpin->setValue(value / 100.0);
}

void LowerOperatePanel::printSpeedSliderRelease()
{
    applyPrintSpeed(mSpeedSlider->value() / 100.0);
}

void LowerOperatePanel::moveHome(bool checked)
{
    sendToDevice(PanelCommand::Home, checked);
}

void LowerOperatePanel::setRoller(bool checked)
{
    sendToDevice(PanelCommand::Roller, checked ? mRollerAxis->currentIndex() : 10);
}

void LowerOperatePanel::openLaser(bool checked)
{
    mLaserOn = checked;
    sendToDevice(PanelCommand::PositionLaserOn, checked);
}

void LowerOperatePanel::setIdleLaser(double d)
{
    mIdlePower = d;
    sendToDevice(PanelCommand::PositionPower, d);
}

void LowerOperatePanel::openLocTool(bool checked)
{
    sendToDevice(PanelCommand::LocatingTool, checked);
}

void LowerOperatePanel::moveFrame(bool)
{
    emit frameRequested();
}

void LowerOperatePanel::moveUp(bool)
{
    sendToDevice(PanelCommand::Jog, QStringLiteral("1"));
}

void LowerOperatePanel::moveDown(bool)
{
    sendToDevice(PanelCommand::Jog, QStringLiteral("2"));
}

void LowerOperatePanel::moveLeft(bool)
{
    sendToDevice(PanelCommand::Jog, QStringLiteral("3"));
}

void LowerOperatePanel::moveRight(bool)
{
    sendToDevice(PanelCommand::Jog, QStringLiteral("4"));
}

void LowerOperatePanel::setMoveSpeed(double d)
{
    mMoveSpeed = d;
    sendToDevice(PanelCommand::MoveSpeed, d);
}

void LowerOperatePanel::setMoveDistance(double d)
{
    mMoveDistance = d;
    sendToDevice(PanelCommand::MoveDistance, d);
}

void LowerOperatePanel::getLowerCoord(bool checked)
{
    sendToDevice(PanelCommand::QueryPosition, checked);
}

void LowerOperatePanel::setLowerCoord(bool)
{
    sendToDevice(PanelCommand::GoTo, QStringLiteral("value:x%1,y%2")
                 .arg(PanelMessage::formatNumber(mXPosSpin->value()),
                      PanelMessage::formatNumber(mYPosSpin->value())));
}

void LowerOperatePanel::workWidthSpinChanged(double d)
{
    mWorkWidth = d;
    sendToDevice(PanelCommand::MachineSetting, QStringLiteral("value:workWidth") + PanelMessage::formatNumber(d));
    sendCanvasSize();
}

void LowerOperatePanel::workHeightSpinChanged(double d)
{
    mWorkHeight = d;
    sendToDevice(PanelCommand::MachineSetting, QStringLiteral("value:workHeight") + PanelMessage::formatNumber(d));
    sendCanvasSize();
}

void LowerOperatePanel::maxSpeedXSpinChanged(double d)
{
    sendToDevice(PanelCommand::MachineSetting, QStringLiteral("value:speedX") + PanelMessage::formatNumber(d));
}

void LowerOperatePanel::maxSpeedYSpinChanged(double d)
{
    sendToDevice(PanelCommand::MachineSetting, QStringLiteral("value:speedY") + PanelMessage::formatNumber(d));
}

void LowerOperatePanel::maxAccXSpinChanged(double d)
{
    sendToDevice(PanelCommand::MachineSetting, QStringLiteral("value:accX") + PanelMessage::formatNumber(d));
}

void LowerOperatePanel::maxAccYSpinChanged(double d)
{
    sendToDevice(PanelCommand::MachineSetting, QStringLiteral("value:accY") + PanelMessage::formatNumber(d));
}

void LowerOperatePanel::directionXChanged(int index)
{
    sendToDevice(PanelCommand::MachineSetting,
                 QStringLiteral("value:direction%1").arg(index + 2 * mMotorY->currentIndex()));
}

void LowerOperatePanel::directionYChanged(int index)
{
    sendToDevice(PanelCommand::MachineSetting,
                 QStringLiteral("value:direction%1").arg(mMotorX->currentIndex() + 2 * index));
}

void LowerOperatePanel::restoreDefaultPara(bool checked)
{
    sendToDevice(PanelCommand::RestoreDefaults, checked);
}

void LowerOperatePanel::otaButtonClicked(bool checked)
{
    sendToDevice(PanelCommand::UpgradeFirmware, checked);
}

void LowerOperatePanel::advancedSettings(bool checked)
{
    mAdvancedButton->setText(checked ? tr("隐藏设置") : tr("高级设置"));
    mAdvancedRows->setVisible(checked);
}

void LowerOperatePanel::setLowerOperateWidgetValue(QStringList messages)
{
    for (const QString &message : messages)
        applyDeviceMessage(message);
}

void LowerOperatePanel::resetAfterDisconnect()
{
    // The engraver lost power to these with the link; the buttons must not claim otherwise.
    for (QPushButton *b : {mLaserButton, mLocToolButton, mRollerButton}) {
        const QSignalBlocker blocker(b);
        b->setChecked(false);
    }
    mLaserOn = false;
    mTransferBar->setValue(0);
    mLocked = false;
    mLockPrompt->clear();
}

void LowerOperatePanel::setPrintSpeedRange(double maximum)
{
    const double before = mSpeedSpin->value();
    {
        const QSignalBlocker b1(mSpeedSpin), b2(mSpeedSlider);
        mSpeedSpin->setRange(0, maximum);
        mSpeedSlider->setRange(0, static_cast<int>(maximum * 100));
    }
    // A clamped field must not leave the job running at the old, faster speed.
    if (mSpeedSpin->value() != before) {
        const QSignalBlocker blocker(mSpeedSlider);
        mSpeedSlider->setValue(static_cast<int>(mSpeedSpin->value() * 100));
        applyPrintSpeed(mSpeedSpin->value());
    }
}

void LowerOperatePanel::applyDeviceMessage(const QString &message)
{
    mJobTime->applyDeviceMessage(message);
    const QStringList tokens = PanelMessage::splitNumbers(message);
    if (tokens.isEmpty())
        return;
    bool ok = false;
    const int id = tokens.at(0).toInt(&ok);
    if (!ok || id < 0 || id > int(PanelNotice::LinkFailed))
        return;
    bool hasValue = false;
    const double v = tokens.size() > 1 ? tokens.at(1).toDouble(&hasValue) : 0;
    if (needsNumber(PanelNotice(id)) && !hasValue)
        return;
    if (hasValue && !std::isfinite(v))
        return;
    const QString text = PanelMessage::textValue(message);

    auto quietly = [](QWidget *widget, const std::function<void()> &change) {
        const QSignalBlocker blocker(widget);
        change();
    };

    switch (static_cast<PanelNotice>(id)) {
    case PanelNotice::PortList:
        quietly(mPortCombo, [&] { fillPortList(message.contains(QLatin1String("none")), text); });
        break;
    case PanelNotice::LinkFailed:
        showLinkFailure(text);
        break;
    case PanelNotice::Connected:
        if (message.contains(QLatin1String("none"))) {
            mConnected = false;
            mResumeOffer->setConnected(false);
            mStatus->setText(tr("未找到设备"));
        } else {
            mConnected = true;
            mResumeOffer->setConnected(true);
            // The new connection reports homing and the lock afresh.
            mHomingKnown = false;
            mHomingEnabled = false;
            mLocked = false;
            // An engraver model until the controller says otherwise.
            showControllerKind(false);
            mStatus->setText(tr("已连接到%1").arg(text));
            // The list names the port in use, listed or typed.
            quietly(mPortCombo, [&] { mPortCombo->setCurrentText(text); });
            rememberTypedPort(text);
            qDebug() << text;
        }
        break;
    case PanelNotice::Disconnected:
        mConnected = false;
        mResumeOffer->setConnected(false);
        mStatus->setText(tr("已断开链接：%1").arg(text));
        sendToDevice(PanelCommand::StopPrint, 0);
        endPrinting();
        resetAfterDisconnect();
        break;
    case PanelNotice::PrintPower:
        quietly(mPowerSpin, [&] { mPowerSpin->setValue(v); });
        quietly(mPowerSlider, [&] { mPowerSlider->setValue(static_cast<int>(v * 100)); });
        break;
    case PanelNotice::PrintSpeed:
        quietly(mSpeedSpin, [&] { mSpeedSpin->setValue(v); });
        quietly(mSpeedSlider, [&] { mSpeedSlider->setValue(static_cast<int>(v * 100)); });
        break;
    case PanelNotice::JobProgress:
        mTransferBar->setValue(static_cast<int>(v * 10));
        break;
    case PanelNotice::MoveSpeed:
        quietly(mMoveSpeedSpin, [&] { mMoveSpeedSpin->setValue(v); });
        break;
    case PanelNotice::MoveDistance:
        quietly(mMoveDistanceSpin, [&] { mMoveDistanceSpin->setValue(v); });
        break;
    case PanelNotice::PositionPower:
        quietly(mIdlePowerSpin, [&] { mIdlePowerSpin->setValue(v); });
        break;
    case PanelNotice::PositionLaserOn:
        quietly(mLaserButton, [&] { mLaserButton->setChecked(static_cast<int>(v) != 0); });
        break;
    case PanelNotice::WorkWidth:
        if (!usable(v))
            return;
        quietly(mWidthSpin, [&] { mWidthSpin->setValue(v); });
        mWorkWidth = v;
        break;
    case PanelNotice::WorkHeight:
        if (hasValue) {
            if (!usable(v))
                return;
            quietly(mHeightSpin, [&] { mHeightSpin->setValue(v); });
            mWorkHeight = v;
        }
        sendCanvasSize();
        break;
    case PanelNotice::MaxSpeedX:
        // $110 / $100 with a zero step rate gives inf or NaN: not a speed.
        if (!usable(v))
            return;
        quietly(mMaxSpeedXSpin, [&] { mMaxSpeedXSpin->setValue(v); });
        mMaxPrintSpeed = v;
        break;
    case PanelNotice::MaxSpeedY:
        if (!usable(v))
            return;
        quietly(mMaxSpeedYSpin, [&] { mMaxSpeedYSpin->setValue(v); });
        mMaxPrintSpeed = qMax(mMaxPrintSpeed, v);
        setPrintSpeedRange(mMaxPrintSpeed);
        break;
    case PanelNotice::AccelerationX:
        if (!usable(v))
            return;
        quietly(mAccXSpin, [&] { mAccXSpin->setValue(v); });
        break;
    case PanelNotice::AccelerationY:
        if (!usable(v))
            return;
        quietly(mAccYSpin, [&] { mAccYSpin->setValue(v); });
        break;
    case PanelNotice::MotorDirections: {
        const int bits = static_cast<int>(v);
        quietly(mMotorX, [&] { mMotorX->setCurrentIndex(bits & 1); });
        quietly(mMotorY, [&] { mMotorY->setCurrentIndex((bits >> 1) & 1); });
        break;
    }
    case PanelNotice::JobFinished:
        mPrinting = false;
        mStartButton->setEnabled(true);
        break;
    case PanelNotice::Position:
        if (tokens.size() < 3)
            return;
        quietly(mXPosSpin, [&] { mXPosSpin->setValue(v); });
        quietly(mYPosSpin, [&] { mYPosSpin->setValue(tokens.at(2).toDouble()); });
        break;
    case PanelNotice::UpgradeProgress:
        mUpgradeBar->setValue(static_cast<int>(v * 100));
        break;
    case PanelNotice::FirmwareCurrent:
        inform(tr("升级"), tr("已是最新版本，无需升级"));
        break;
    case PanelNotice::HardwareUnknown:
        inform(tr("升级"), tr("未知硬件，无法升级"));
        break;
    case PanelNotice::UpgradeStarted:
        inform(tr("升级"), tr("正在升级，请等待..."));
        break;
    case PanelNotice::UpgradeFinished:
        inform(tr("升级"), tr("已完成升级，请重新连接"));
        break;
    case PanelNotice::FirmwareOutdated:
        inform(tr("升级"), tr("发现新固件，请点击固件升级按钮手动升级固件"));
        break;
    case PanelNotice::HardwareVersion:
        emit propertyMessage({PanelMessage::make(PropertyNotice::HardwareVersion, text)});
        break;
    case PanelNotice::FirmwareImageMissing:
        inform(tr("升级"), tr("此版本未内置该设备的固件，无法升级"));
        break;
    case PanelNotice::GenericController:
        showControllerKind(v == 1);
        break;
    case PanelNotice::ResumeRow:
    case PanelNotice::ResumeOutline:
        if (!hasValue || v < 1)
            return;
        if (static_cast<PanelNotice>(id) == PanelNotice::ResumeRow)
            mResumeOffer->offerRow(static_cast<int>(v));
        else
            mResumeOffer->offerOutline(static_cast<int>(v));
        break;
    case PanelNotice::PortDenied: {
        const QString node = SerialAccess::deviceNode(text);
        const QString group = SerialAccess::nodeGroup(node);
        mStatus->setText(tr("没有权限打开%1").arg(node));
        if (group.isEmpty() || mExplainedGroups.contains(group))
            break;
        mExplainedGroups << group;
        inform(tr("串口权限"),
               tr("没有权限打开串口 %1。\n请把当前用户加入 %2 组：\n\n    sudo usermod -aG %2 $USER\n\n"
                  "然后注销并重新登录。").arg(node, group),
               true);
        break;
    }
    case PanelNotice::LaserModeOff:
        inform(tr("提示"), tr("控制器的激光模式已关闭（$32=0），激光会在每个拐角停下。"));
        break;
    case PanelNotice::HomingAvailable:
        mHomingKnown = true;
        mHomingEnabled = v == 1;
        // Homing moves the head: only ever on the user's click.
        if (mHomingEnabled && !mLocked && !mPrinting)
            mLockPrompt->offerHoming();
        break;
    case PanelNotice::MachineLocked:
        mLocked = true;
        mStatus->setText(tr("设备处于警报锁定：%1").arg(text));
        if (!mPrinting)
            mLockPrompt->showLock(text, mHomingEnabled || !mHomingKnown);
        break;
    case PanelNotice::MachineReady:
        mLocked = false;
        mLockPrompt->clear();
        mStatus->setText(tr("设备已就绪"));
        break;
    case PanelNotice::LockNotLifted:
        inform(tr("警报"), tr("回原点或解锁失败：%1").arg(text), true);
        break;
    case PanelNotice::JobRefused:
        endPrinting();
        if (mLocked)
            mLockPrompt->showLock(text, mHomingEnabled || !mHomingKnown);
        else
            inform(tr("开始"), tr("无法开始作业：%1").arg(text), true);
        break;
    case PanelNotice::JobFailed:
        endPrinting();
        inform(tr("作业已停止"), tr("作业已停止：%1").arg(text), true);
        break;
    case PanelNotice::JobLinesFailed: {
        const int space = text.indexOf(QLatin1Char(' '));
        inform(tr("作业已结束"), tr("作业已结束，但有 %1 行被设备拒绝。第一处：%2")
                                      .arg(text.left(space), text.mid(space + 1)), true);
        break;
    }
    default:
        break;
    }
}

void LowerOperatePanel::showControllerKind(bool generic)
{
    for (QWidget *widget : {static_cast<QWidget *>(mLocToolButton),
                            static_cast<QWidget *>(mRollerButton),
                            static_cast<QWidget *>(mRollerAxis),
                            static_cast<QWidget *>(mUpgradeButton)}) {
        // The widget's own tip is kept to come back when an engraver connects.
        if (!widget->property("engraverTip").isValid())
            widget->setProperty("engraverTip", widget->toolTip());
        widget->setEnabled(!generic);
        widget->setToolTip(generic ? tr("标准 GRBL 控制器没有此功能")
                                   : widget->property("engraverTip").toString());
    }
}
