#pragma once

#include "device/panelmessageid.h"

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QHBoxLayout;
class QProgressBar;
class QPushButton;
class QSlider;
class ResumeOffer;
class JobTimeDisplay;
class MachineLockPrompt;
class ScrollText;

// The panel that drives the engraver. It never touches the port: every action
// leaves as a panel message, and the controller's messages come back through
// applyDeviceMessage.
class LowerOperatePanel : public QWidget
{
    Q_OBJECT

public:
    explicit LowerOperatePanel(QWidget *parent = nullptr);
    ~LowerOperatePanel() override;

    // Sets the stored values into their fields, so that each one reaches the
    // controller, the property panel and the generator at start-up.
    void restoreSavedValues();

    bool isPrinting() const { return mPrinting; }
    bool isConnected() const { return mConnected; }
    double maxPrintSpeed() const { return mMaxPrintSpeed; }
    JobTimeDisplay *jobTime() const { return mJobTime; }
    MachineLockPrompt *lockPrompt() const { return mLockPrompt; }

signals:
    // To the device controller.
    void lowerMessage(QStringList message);
    // To the property panel: print speed, power and the hardware version.
    void propertyMessage(QStringList message);
    // "paintPower" / "paintSpeed": the generator's full-scale values.
    void svgPaintPropertyChanged(QStringList names, QList<double> values);
    // The work area in millimetres.
    void sceneBoundChanged(double width, double height);
    // Generate the job and hand it to the controller.
    void gcodeRequested();
    // Trace the frame of the selection (or of the whole design).
    void frameRequested();

public slots:
    void applyDeviceMessage(const QString &message);
    void setLowerOperateWidgetValue(QStringList messages);

private slots:
    void setAutoConnect(bool checked = false);
    void setConnectPort(const QString &text);
    void startPrint(bool checked = false);
    void stopPrint(bool checked = false);
    void pausePrint(bool checked = false);
    void resumePrint();
    void setPrintLaser(double d);
    void setPrintLaserSpin(int value);
    void printLaserSliderRelease();
    void setPrintSpeed(double d);
    void setPrintSpeedSpin(int value);
    void printSpeedSliderRelease();
    void moveHome(bool checked = false);
    void setRoller(bool checked);
    void openLaser(bool checked);
    void setIdleLaser(double d);
    void openLocTool(bool checked);
    void moveFrame(bool checked = false);
    void moveUp(bool checked = false);
    void moveDown(bool checked = false);
    void moveLeft(bool checked = false);
    void moveRight(bool checked = false);
    void setMoveSpeed(double d);
    void setMoveDistance(double d);
    void getLowerCoord(bool checked = false);
    void setLowerCoord(bool checked = false);
    void workWidthSpinChanged(double d);
    void workHeightSpinChanged(double d);
    void maxSpeedXSpinChanged(double d);
    void maxSpeedYSpinChanged(double d);
    void maxAccXSpinChanged(double d);
    void maxAccYSpinChanged(double d);
    void directionXChanged(int index);
    void directionYChanged(int index);
    void restoreDefaultPara(bool checked = false);
    void otaButtonClicked(bool checked = false);
    void advancedSettings(bool checked);

private:
    QGroupBox *buildConnectGroup();
    QGroupBox *buildPrintGroup();
    QGroupBox *buildMoveGroup();
    // A label and one button per override step of `kind`.
    QHBoxLayout *overrideRow(QWidget *parent, const QString &label, PanelCommand kind,
                             const QList<QPair<QString, int>> &steps);
    QGroupBox *buildSettingsGroup();

    void sendToDevice(PanelCommand id, const QString &text);
    void sendToDevice(PanelCommand id, double value);
    void sendToProperties(PropertyNotice id, double value);
    void sendPaintProperty(const QString &name, double value);
    void applyPrintPower(double d);
    void applyPrintSpeed(double d);
    void sendCanvasSize();
    void endPrinting();
    void resetAfterDisconnect();
    // A standard GRBL board has no roller, locating tool or firmware upgrade
    // of the engraver's: those buttons are disabled and say why.
    void showControllerKind(bool generic);
    void setPrintSpeedRange(double maximum);
    // Non-blocking: the device messages keep flowing while the box is shown.
    void inform(const QString &title, const QString &text, bool warning = false);
    // Ports: the typed ones remembered first, then those a search found.
    void fillPortList(bool none, const QString &names);
    void rememberTypedPort(const QString &connected);
    // "<why> <name>" from the controller: a link that could not be opened.
    void showLinkFailure(const QString &value);
    void loadSettings();
    void saveSettings() const;

    // Stored values of the group "lowerOperatePanel".
    double mPrintPower = 100;
    double mPrintSpeed = 150;
    double mIdlePower = 5;
    bool mLaserOn = false;
    double mMoveSpeed = 200;
    double mMoveDistance = 5;
    double mWorkWidth = 150;
    double mWorkHeight = 150;
    bool mContinuePastErrors = false;

    bool mPrinting = false;
    bool mConnected = false;
    double mMaxPrintSpeed = 100;
    // What the controller reported of homing ($22) and the alarm lock.
    bool mHomingKnown = false;
    bool mHomingEnabled = false;
    bool mLocked = false;

    QPushButton *mConnectButton = nullptr;
    ScrollText *mStatus = nullptr;
    // Groups whose membership was already explained (once per run is enough:
    // joining one only counts from the next login).
    QStringList mExplainedGroups;
    // The port last typed and chosen with Enter, until it connects or fails.
    QString mTypedPort;
    QComboBox *mPortCombo = nullptr;

    QPushButton *mStartButton = nullptr;
    QPushButton *mStopButton = nullptr;
    QPushButton *mPauseButton = nullptr;
    QDoubleSpinBox *mPowerSpin = nullptr;
    QSlider *mPowerSlider = nullptr;
    QDoubleSpinBox *mSpeedSpin = nullptr;
    QSlider *mSpeedSlider = nullptr;
    QProgressBar *mTransferBar = nullptr;
    ResumeOffer *mResumeOffer = nullptr;
    QCheckBox *mContinueBox = nullptr;
    MachineLockPrompt *mLockPrompt = nullptr;
    JobTimeDisplay *mJobTime = nullptr;

    QDoubleSpinBox *mIdlePowerSpin = nullptr;
    QPushButton *mLaserButton = nullptr;
    QPushButton *mLocToolButton = nullptr;
    QPushButton *mRollerButton = nullptr;
    QComboBox *mRollerAxis = nullptr;
    QDoubleSpinBox *mMoveSpeedSpin = nullptr;
    QDoubleSpinBox *mMoveDistanceSpin = nullptr;
    QDoubleSpinBox *mXPosSpin = nullptr;
    QDoubleSpinBox *mYPosSpin = nullptr;

    QDoubleSpinBox *mWidthSpin = nullptr;
    QDoubleSpinBox *mHeightSpin = nullptr;
    QPushButton *mAdvancedButton = nullptr;
    QWidget *mAdvancedRows = nullptr;
    QDoubleSpinBox *mMaxSpeedXSpin = nullptr;
    QDoubleSpinBox *mMaxSpeedYSpin = nullptr;
    QDoubleSpinBox *mAccXSpin = nullptr;
    QDoubleSpinBox *mAccYSpin = nullptr;
    QComboBox *mMotorX = nullptr;
    QComboBox *mMotorY = nullptr;
    QProgressBar *mUpgradeBar = nullptr;
    QPushButton *mUpgradeButton = nullptr;
};
