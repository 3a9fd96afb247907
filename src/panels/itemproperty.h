#pragma once

#include "document/defaultparameters.h"

#include <QMap>
#include <QRectF>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <functional>

class FontComboBox;
class QButtonGroup;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The property panel: position, size, text layout, image mode and engraving
// parameters of the selection, and the stored default parameter set. Every
// change leaves as one property-channel request (names and values as text).
class ItemProperty : public QWidget
{
    Q_OBJECT

public:
    static constexpr double defaultRatio = 0.08;
    static const QString testDesignPath;

    explicit ItemProperty(QWidget *parent = nullptr);
    ~ItemProperty() override;

    // Opens the help page; the desktop's browser unless replaced (tests).
    void setUrlOpener(std::function<void(const QUrl &)> opener) { mOpenUrl = std::move(opener); }
    static QUrl parameterHelpUrl(const QString &language);

    const StoredDefaults &storedDefaults() const { return mStored; }
    QRectF shownBounds() const { return mBound; }

signals:
    // The property channel of the canvas: attribute names and their values.
    void sceneItemPropertyChanged(QStringList names, QStringList values);
    void svgPaintPropertyChanged(QStringList names, QList<double> values);
    // A design to load in place of the current one (the test design).
    void designRequested(QString path);

public slots:
    void setSelectItemParms(QMap<QString, QString> attributes, QRectF bound);
    void selectOneNode(QMap<QString, QString> attributes, QRectF bound);
    void selectPluralNode(QMap<QString, QString> attributes, QRectF bound);
    void selectNoneNode();
    // The rotation the selection has now; the rotation field shows it and
    // sets an absolute angle.
    void setSelectionAngle(double degrees);
    // Reports of the operate panel, "set:<kind> value:<value>" each.
    void setItemPropertyWidgetValue(QStringList messages);
    // Shows the stored defaults and sends them as the canvas's default set.
    void pushDefaultParameters();

private slots:
    void whLockChanged(bool locked);
    void referencePointChanged(int point);
    void xspinChanged(double value);
    void yspinChanged(double value);
    void wspinChanged(double value);
    void hspinChanged(double value);
    void rotateSpinChanged(double value);
    void fontChanged(const QFont &font);
    void fontStyleChanged(int index);
    void fontAlignChanged(int index);
    void fontDirectionChanged(int index);
    void fontSpaceHChanged(double value);
    void fontSpaceVChanged(double value);
    void imageProccssingComboChanged(int index);
    void printModeComboChanged(int index);
    void scanAngleChanged(double value);
    void scanAccuracySpinChanged(double value);
    void overScanSpinChanged(double value);
    void scanErrSpinChanged(double value);
    void engraveXSpinChanged(double value);
    void engraveYSpinChanged(double value);
    void scanTimesSpinChanged(double value);
    void scanPowerSpinChanged(double value);
    void scanSpeedSpinChanged(double value);
    void printAdvanceSettings(bool checked);
    void printDefaultSettings(bool checked = false);
    void printSaveAsDefaultSettings(bool checked = false);
    void printInterpolationTest(bool checked = false);
    void printParameterHelp(bool checked = false);
    void sendSecenItem(const QString &name, const QString &value);
    void sendSecenItemList(const QList<QString> &names, const QList<QString> &values);

private:
    QGroupBox *buildTransformGroup();
    QGroupBox *buildTextGroup();
    QGroupBox *buildImageGroup();
    QGroupBox *buildPrintGroup();
    QDoubleSpinBox *addField(QWidget *parent, const QString &objectName, int decimals,
                             double minimum, double maximum, const QString &suffix,
                             const QString &tooltip);

    void showBound(const QRectF &bound);
    // Sends x and y, and with `withSize` width and height too, in design units.
    void sendPositionAndSize(bool withSize);
    void showDefaultFields();
    void updatePowerLabel();
    void updateSpeedLabel();
    void applyReport(const QString &message);
    void setLockIcon();

    StoredDefaults mStored;
    QRectF mBound;
    double mAngle = 0;              // degrees, the selection's rotation
    double mRatio = 1;              // width / height of the shown bounds; 0 when undefined
    double mPrintPower = 100;       // %, last reported by the operate panel
    double mPrintSpeed = 150;       // mm/s
    std::function<void(const QUrl &)> mOpenUrl;

    QGroupBox *mTextGroup = nullptr;
    QGroupBox *mImageGroup = nullptr;

    QButtonGroup *mReferenceGroup = nullptr;
    QDoubleSpinBox *mXSpin = nullptr;
    QDoubleSpinBox *mYSpin = nullptr;
    QDoubleSpinBox *mWSpin = nullptr;
    QDoubleSpinBox *mHSpin = nullptr;
    QDoubleSpinBox *mRotateSpin = nullptr;
    QPushButton *mLockButton = nullptr;

    FontComboBox *mFontCombo = nullptr;
    QComboBox *mDirectionCombo = nullptr;
    QComboBox *mStyleCombo = nullptr;
    QComboBox *mAlignCombo = nullptr;
    QDoubleSpinBox *mWordSpacingSpin = nullptr;
    QDoubleSpinBox *mLineSpacingSpin = nullptr;

    QComboBox *mImageCombo = nullptr;

    QComboBox *mModeCombo = nullptr;
    QDoubleSpinBox *mTimesSpin = nullptr;
    QDoubleSpinBox *mPowerSpin = nullptr;
    QDoubleSpinBox *mSpeedSpin = nullptr;
    QDoubleSpinBox *mAccuracySpin = nullptr;
    QDoubleSpinBox *mAngleSpin = nullptr;
    QDoubleSpinBox *mErrSpin = nullptr;
    QDoubleSpinBox *mOverScanSpin = nullptr;
    QDoubleSpinBox *mXErrSpin = nullptr;
    QDoubleSpinBox *mYErrSpin = nullptr;
    QLabel *mPowerLabel = nullptr;
    QLabel *mSpeedLabel = nullptr;
    QPushButton *mAdvancedButton = nullptr;
    QWidget *mAdvancedSection = nullptr;
};
