#include "panels/itemproperty.h"

#include "document/engravingattributes.h"
#include "document/engravingparameters.h"
#include "document/svgstyle.h"

#include "common/settingsnames.h"
#include "panels/fontcombobox.h"
#include "panels/lineseparator.h"
#include "panels/wheelguard.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDebug>
#include <QDesktopServices>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QVersionNumber>

#include <cmath>

const QString ItemProperty::testDesignPath = QStringLiteral(":/parameter_svg/interpolation_v0.1.svg");

namespace {

// A parameter's field is named as its attribute, without the prefix.
QString fieldName(const QString &attribute)
{
    return EngravingParameters::nameOf(attribute);
}

constexpr int rowHeight = 30;
constexpr int fieldWidth = 104;

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

// A version the engraver reports: dot-separated integers and nothing else.
bool isVersionText(const QString &text)
{
    int suffix = 0;
    const QVersionNumber version = QVersionNumber::fromString(text.trimmed(), &suffix);
    return !version.isNull() && suffix == text.trimmed().size();
}

QLabel *rowLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFixedHeight(rowHeight);
    return label;
}

// Offsets of the reference point inside a box of `size` along one axis.
double referenceOffset(int index, double size)
{
    return index == 1 ? size / 2 : index == 2 ? size : 0;
}

} // namespace

ItemProperty::ItemProperty(QWidget *parent)
    : QWidget(parent)
    , mStored(StoredDefaults::load())
    , mOpenUrl([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    if (!std::isfinite(mStored.sceneRealRatio) || mStored.sceneRealRatio <= 0)
        mStored.sceneRealRatio = defaultRatio;
    if (mStored.referencePoint < 0 || mStored.referencePoint > 8)
        mStored.referencePoint = 4;

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(15);
    layout->setContentsMargins(3, 3, 10, 3);
    layout->addWidget(buildTransformGroup());
    layout->addWidget(mTextGroup = buildTextGroup());
    layout->addWidget(mImageGroup = buildImageGroup());
    layout->addWidget(buildPrintGroup());
    layout->addStretch();
    mTextGroup->hide();
    mImageGroup->hide();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    WheelGuard::protectChildren(this);
}

ItemProperty::~ItemProperty()
{
    qDebug() << "delete item property";
    mStored.save();
}

QUrl ItemProperty::parameterHelpUrl(const QString &language)
{
    const QString site = language == QLatin1String("Chinese")
            ? QStringLiteral("https://www.tolvenrik.cn")
            : QStringLiteral("https://www.tolvenrik.com");
    return QUrl(site + QStringLiteral("/Manual/ParameterDescription.html"));
}

QDoubleSpinBox *ItemProperty::addField(QWidget *parent, const QString &objectName, int decimals,
                                       double minimum, double maximum, const QString &suffix,
                                       const QString &tooltip)
{
    auto *spin = new QDoubleSpinBox(parent);
    spin->setObjectName(objectName);
    spin->setDecimals(decimals);
    spin->setRange(minimum, maximum);
    spin->setSuffix(suffix);
    spin->setToolTip(tooltip);
    spin->setFixedHeight(rowHeight);
    return spin;
}

QGroupBox *ItemProperty::buildTransformGroup()
{
    auto *group = new QGroupBox(tr("变换"), this);
    auto *grid = new QGridLayout(group);

    auto *reference = new QWidget(group);
    reference->setObjectName(QStringLiteral("referencePoint"));
    reference->setFixedSize(30, 30);
    reference->setToolTip(QStringLiteral("坐标参考点"));
    auto *points = new QGridLayout(reference);
    points->setContentsMargins(0, 0, 0, 0);
    points->setSpacing(0);
    mReferenceGroup = new QButtonGroup(reference);
    mReferenceGroup->setExclusive(true);
    for (int id = 0; id < 9; ++id) {
        auto *button = new QPushButton(reference);
        button->setCheckable(true);
        button->setFixedSize(10, 10);
        button->setChecked(id == mStored.referencePoint);
        mReferenceGroup->addButton(button, id);
        points->addWidget(button, id / 3, id % 3);
    }
    connect(mReferenceGroup, &QButtonGroup::idClicked, this, &ItemProperty::referencePointChanged);

    const QString unit = mStored.lengthUnit;
    auto positionField = [&](const QString &name, const QString &tooltip) {
        QDoubleSpinBox *spin = addField(group, name, 3, -120000, 120000, unit, tooltip);
        // Wide enough for "-1234.000mm" in the interface font.
        spin->setFixedSize(fieldWidth, rowHeight);
        spin->setKeyboardTracking(false);
        return spin;
    };
    mXSpin = positionField(QStringLiteral("x"), tr("选中元素的x坐标"));
    mYSpin = positionField(QStringLiteral("y"), tr("选中元素的y坐标"));
    mWSpin = positionField(QStringLiteral("width"), tr("选中元素的宽度"));
    mHSpin = positionField(QStringLiteral("height"), tr("选中元素的高度"));
    mRotateSpin = addField(group, QStringLiteral("rotate"), 1, -180, 180, QStringLiteral("°"),
                           tr("旋转选中的元素"));
    mRotateSpin->setFixedSize(fieldWidth, rowHeight);
    mRotateSpin->setKeyboardTracking(false);

    mLockButton = new QPushButton(group);
    mLockButton->setObjectName(QStringLiteral("whLock"));
    mLockButton->setCheckable(true);
    mLockButton->setFixedSize(30, 30);
    mLockButton->setChecked(mStored.whLock);
    mLockButton->setStatusTip(tr("锁定长宽比，改动其中一个参数，另一个参数按比例变化"));
    mLockButton->setToolTip(tr("锁定长宽比"));
    setLockIcon();
    connect(mLockButton, &QPushButton::toggled, this, &ItemProperty::whLockChanged);

    grid->addWidget(reference, 0, 0, 2, 1);
    grid->addWidget(rowLabel(tr("位置X:"), group), 0, 1);
    grid->addWidget(mXSpin, 0, 2);
    grid->addWidget(rowLabel(tr("位置Y:"), group), 1, 1);
    grid->addWidget(mYSpin, 1, 2);
    grid->addWidget(mLockButton, 2, 0, 2, 1);
    grid->addWidget(rowLabel(tr("宽度W:"), group), 2, 1);
    grid->addWidget(mWSpin, 2, 2);
    grid->addWidget(rowLabel(tr("高度H:"), group), 3, 1);
    grid->addWidget(mHSpin, 3, 2);
    grid->addWidget(rowLabel(tr("旋转:"), group), 4, 1);
    grid->addWidget(mRotateSpin, 4, 2);

    using Spin = QDoubleSpinBox;
    connect(mXSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::xspinChanged);
    connect(mYSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::yspinChanged);
    connect(mWSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::wspinChanged);
    connect(mHSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::hspinChanged);
    connect(mRotateSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::rotateSpinChanged);
    return group;
}

QGroupBox *ItemProperty::buildTextGroup()
{
    auto *group = new QGroupBox(tr("字符"), this);
    auto *grid = new QGridLayout(group);
    mFontCombo = new FontComboBox(group);
    mFontCombo->setObjectName(QStringLiteral("font"));
    mFontCombo->setFixedHeight(rowHeight);

    auto choice = [group](const QString &name, const QStringList &entries) {
        auto *combo = new QComboBox(group);
        combo->setObjectName(name);
        combo->addItems(entries);
        combo->setFixedHeight(rowHeight);
        return combo;
    };
    mDirectionCombo = choice(QStringLiteral("textDirection"), {tr("水平"), tr("竖直")});
    mStyleCombo = choice(QStringLiteral("fontStyle"), {tr("无"), tr("斜体")});
    mAlignCombo = choice(QStringLiteral("alignment"), {tr("左对齐"), tr("居中对齐"), tr("右对齐")});
    mWordSpacingSpin = addField(group, QStringLiteral("wordSpacing"), 0, -1000, 1000, QString(),
                                tr("字符之间的间距"));
    mLineSpacingSpin = addField(group, QStringLiteral("lineSpacing"), 0, -1000, 1000, QString(),
                                tr("每行之间的间距"));

    grid->addWidget(mFontCombo, 0, 0, 1, 2);
    grid->addWidget(rowLabel(tr("字体方向:"), group), 1, 0);
    grid->addWidget(mDirectionCombo, 1, 1);
    grid->addWidget(rowLabel(tr("字体样式:"), group), 2, 0);
    grid->addWidget(mStyleCombo, 2, 1);
    grid->addWidget(rowLabel(tr("字体对齐:"), group), 3, 0);
    grid->addWidget(mAlignCombo, 3, 1);
    grid->addWidget(rowLabel(tr("字间距:"), group), 4, 0);
    grid->addWidget(mWordSpacingSpin, 4, 1);
    grid->addWidget(rowLabel(tr("行间距:"), group), 5, 0);
    grid->addWidget(mLineSpacingSpin, 5, 1);

    using Combo = QComboBox;
    using Spin = QDoubleSpinBox;
    connect(mFontCombo, &QFontComboBox::currentFontChanged, this, &ItemProperty::fontChanged);
    connect(mDirectionCombo, qOverload<int>(&Combo::currentIndexChanged), this, &ItemProperty::fontDirectionChanged);
    connect(mStyleCombo, qOverload<int>(&Combo::currentIndexChanged), this, &ItemProperty::fontStyleChanged);
    connect(mAlignCombo, qOverload<int>(&Combo::currentIndexChanged), this, &ItemProperty::fontAlignChanged);
    connect(mWordSpacingSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::fontSpaceHChanged);
    connect(mLineSpacingSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::fontSpaceVChanged);
    return group;
}

QGroupBox *ItemProperty::buildImageGroup()
{
    auto *group = new QGroupBox(tr("图像"), this);
    auto *row = new QHBoxLayout(group);
    row->setSpacing(10);
    row->setContentsMargins(10, 10, 10, 10);
    mImageCombo = new QComboBox(group);
    mImageCombo->setObjectName(QStringLiteral("image"));
    mImageCombo->addItems({tr("阈值"), tr("半色调"), tr("灰度")});
    mImageCombo->setFixedHeight(rowHeight);
    row->addWidget(rowLabel(tr("图像模式:"), group));
    row->addWidget(mImageCombo);
    connect(mImageCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &ItemProperty::imageProccssingComboChanged);
    return group;
}

QGroupBox *ItemProperty::buildPrintGroup()
{
    auto *group = new QGroupBox(tr("打印"), this);
    auto *column = new QVBoxLayout(group);
    column->setSpacing(10);
    column->setContentsMargins(10, 10, 10, 10);

    auto addRow = [](QVBoxLayout *target, QWidget *owner, const QString &label,
                     QWidget *field, QWidget *extra = nullptr) {
        auto *row = new QHBoxLayout;
        row->addWidget(rowLabel(label, owner));
        row->addWidget(field);
        if (extra)
            row->addWidget(extra);
        target->addLayout(row);
    };

    mModeCombo = new QComboBox(group);
    mModeCombo->setObjectName(QStringLiteral("fill"));
    mModeCombo->addItems({tr("边缘"), tr("填充")});
    mModeCombo->setFixedHeight(rowHeight);
    addRow(column, group, tr("雕刻模式:"), mModeCombo);
    column->addWidget(new LineSeparator(group));
    mTimesSpin = addField(group, fieldName(EngravingAttributes::scanTimes),
                         0, 1, 100, QString(), tr("设置打印次数"));
    addRow(column, group, tr("雕刻次数:"), mTimesSpin);
    column->addWidget(new LineSeparator(group));

    mAdvancedButton = new QPushButton(tr("高级设置"), group);
    mAdvancedButton->setObjectName(QStringLiteral("printAdvanced"));
    mAdvancedButton->setCheckable(true);
    mAdvancedButton->setToolTip(tr("高级设置"));
    mAdvancedButton->setFixedHeight(rowHeight);
    column->addWidget(mAdvancedButton);

    mAdvancedSection = new QWidget(group);
    mAdvancedSection->setObjectName(QStringLiteral("printAdvancedSection"));
    auto *advanced = new QVBoxLayout(mAdvancedSection);
    advanced->setContentsMargins(0, 0, 0, 0);
    advanced->setSpacing(10);
    QWidget *section = mAdvancedSection;
    const QString unit = mStored.lengthUnit;
    const QString mm = QStringLiteral("mm");

    mPowerSpin = addField(section, fieldName(EngravingAttributes::scanPower),
                         0, 0, 100, QStringLiteral("%"), tr("打印功率的百分比"));
    mPowerLabel = new QLabel(section);
    mPowerLabel->setObjectName(QStringLiteral("powerValue"));
    mSpeedSpin = addField(section, fieldName(EngravingAttributes::scanSpeed),
                         0, 0, 100, QStringLiteral("%"), tr("打印速度的百分比"));
    mSpeedLabel = new QLabel(section);
    mSpeedLabel->setObjectName(QStringLiteral("speedValue"));
    mAccuracySpin = addField(section, fieldName(EngravingAttributes::scanAccuracy),
                         4, 0.02, 100, unit, tr("设置打印线条之间隔"));
    mAccuracySpin->setSingleStep(0.001);
    mAngleSpin = addField(section, fieldName(EngravingAttributes::scanAngle),
                         0, -180, 180, QStringLiteral("°"), tr("扫描角度"));
    mErrSpin = addField(section, fieldName(EngravingAttributes::scanError),
                         2, -100, 100, mm, tr("引入机器扫描时重复定位精度误差，依靠算法弥补误差"));
    mErrSpin->setSingleStep(0.05);
    mOverScanSpin = addField(section, fieldName(EngravingAttributes::scanBuffer),
                         1, 0, 100, mm, tr("雕刻边缘加减速区域"));
    mXErrSpin = addField(section, fieldName(EngravingAttributes::XMotorMovementError),
                         2, -100, 100, mm, tr("引入机器X轴切割时重复定位精度误差，依靠算法弥补误差"));
    mXErrSpin->setSingleStep(0.05);
    mYErrSpin = addField(section, fieldName(EngravingAttributes::YMotorMovementError),
                         2, -100, 100, mm, tr("引入机器y轴切割时重复定位精度误差，依靠算法弥补误差"));
    mYErrSpin->setSingleStep(0.05);

    const QList<QPair<QString, QDoubleSpinBox *>> rows{
        {tr("雕刻功率:"), mPowerSpin}, {tr("雕刻速度:"), mSpeedSpin},
        {tr("雕刻行距:"), mAccuracySpin}, {tr("雕刻角度:"), mAngleSpin},
        {tr("雕刻插补:"), mErrSpin}, {tr("雕刻转向距离:"), mOverScanSpin},
        {tr("x轴切割插补:"), mXErrSpin}, {tr("y轴切割插补:"), mYErrSpin}};
    for (const auto &row : rows) {
        QWidget *extra = row.second == mPowerSpin ? mPowerLabel
                : row.second == mSpeedSpin ? mSpeedLabel : nullptr;
        addRow(advanced, section, row.first, row.second, extra);
        advanced->addWidget(new LineSeparator(section));
    }

    auto button = [section](const QString &name, const QString &text, const QString &tooltip) {
        auto *b = new QPushButton(text, section);
        b->setObjectName(name);
        b->setToolTip(tooltip);
        b->setFixedHeight(rowHeight);
        return b;
    };
    QPushButton *testButton = button(QStringLiteral("printTest"), tr("加载测试图"), tr("加载插补参数测试图"));
    QPushButton *helpButton = button(QStringLiteral("printHelp"), tr("参数详解"), tr("参数介绍说明"));
    QPushButton *restoreButton = button(QStringLiteral("printRestore"), tr("恢复默认"),
                                        tr("将上述参数恢复为出厂设置"));
    QPushButton *saveButton = button(QStringLiteral("printSave"), tr("保存参数"), tr("将上述参数保存并且使用"));
    auto *testRow = new QHBoxLayout;
    testRow->addWidget(testButton);
    testRow->addWidget(helpButton);
    advanced->addLayout(testRow);
    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(restoreButton);
    saveRow->addWidget(saveButton);
    advanced->addLayout(saveRow);
    column->addWidget(mAdvancedSection);
    mAdvancedSection->hide();

    // Starting values, clamped to each field's range by the box itself.
    for (QDoubleSpinBox *spin : {mTimesSpin, mPowerSpin, mSpeedSpin, mAccuracySpin, mErrSpin,
                                 mOverScanSpin, mXErrSpin, mYErrSpin})
        spin->setValue(100);
    mAngleSpin->setValue(-180);
    updatePowerLabel();
    updateSpeedLabel();

    using Spin = QDoubleSpinBox;
    connect(mModeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ItemProperty::printModeComboChanged);
    connect(mAngleSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::scanAngleChanged);
    connect(mAccuracySpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::scanAccuracySpinChanged);
    connect(mOverScanSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::overScanSpinChanged);
    connect(mErrSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::scanErrSpinChanged);
    connect(mXErrSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::engraveXSpinChanged);
    connect(mYErrSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::engraveYSpinChanged);
    connect(mTimesSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::scanTimesSpinChanged);
    connect(mPowerSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::scanPowerSpinChanged);
    connect(mSpeedSpin, qOverload<double>(&Spin::valueChanged), this, &ItemProperty::scanSpeedSpinChanged);
    connect(mAdvancedButton, &QPushButton::toggled, this, &ItemProperty::printAdvanceSettings);
    connect(restoreButton, &QPushButton::clicked, this, &ItemProperty::printDefaultSettings);
    connect(saveButton, &QPushButton::clicked, this, &ItemProperty::printSaveAsDefaultSettings);
    connect(testButton, &QPushButton::clicked, this, &ItemProperty::printInterpolationTest);
    connect(helpButton, &QPushButton::clicked, this, &ItemProperty::printParameterHelp);
    return group;
}

void ItemProperty::setLockIcon()
{
    mLockButton->setIcon(QIcon(mStored.whLock ? QStringLiteral(":/image/locker_locked.png")
                                              : QStringLiteral(":/image/locker_opened.png")));
}

void ItemProperty::whLockChanged(bool locked)
{
    mStored.whLock = locked;
    setLockIcon();
}

void ItemProperty::referencePointChanged(int point)
{
    mStored.referencePoint = point;
    showBound(mBound);
}

void ItemProperty::showBound(const QRectF &bound)
{
    mBound = bound;
    // A line has no aspect ratio: 0 keeps width and height apart.
    mRatio = bound.width() > 0 && bound.height() > 0 ? bound.width() / bound.height() : 0;
    const double r = mStored.sceneRealRatio;
    const int p = mStored.referencePoint;
    const QSignalBlocker bx(mXSpin), by(mYSpin), bw(mWSpin), bh(mHSpin);
    mXSpin->setValue(r * (bound.x() + referenceOffset(p % 3, bound.width())));
    mYSpin->setValue(r * (bound.y() + referenceOffset(p / 3, bound.height())));
    mWSpin->setValue(r * bound.width());
    mHSpin->setValue(r * bound.height());
}

void ItemProperty::sendPositionAndSize(bool withSize)
{
    const double w = mWSpin->value();
    const double h = mHSpin->value();
    const int p = mStored.referencePoint;
    const double x = mXSpin->value() - referenceOffset(p % 3, w);
    const double y = mYSpin->value() - referenceOffset(p / 3, h);
    qDebug() << "xy_coord" << x << "--" << y;
    const double r = mStored.sceneRealRatio;
    QStringList names{QStringLiteral("x"), QStringLiteral("y")};
    QStringList values{number(x / r), number(y / r)};
    if (withSize) {
        names << QStringLiteral("width") << QStringLiteral("height");
        values << number(w / r) << number(h / r);
    }
    sendSecenItemList(names, values);
}

void ItemProperty::xspinChanged(double)
{
    sendPositionAndSize(false);
}

void ItemProperty::yspinChanged(double)
{
    sendPositionAndSize(false);
}

void ItemProperty::wspinChanged(double value)
{
    if (mStored.whLock && mRatio > 0 && value > 0) {
        const QSignalBlocker blocker(mHSpin);
        mHSpin->setValue(value / mRatio);
    }
    sendPositionAndSize(true);
}

void ItemProperty::hspinChanged(double value)
{
    if (mStored.whLock && mRatio > 0 && value > 0) {
        const QSignalBlocker blocker(mWSpin);
        mWSpin->setValue(value * mRatio);
    }
    sendPositionAndSize(true);
}

void ItemProperty::rotateSpinChanged(double value)
{
    // The canvas rotates by a difference; the field holds the angle wanted.
    double turn = value - mAngle;
    if (turn > 180)
        turn -= 360;
    else if (turn <= -180)
        turn += 360;
    if (qAbs(turn) < 1e-9)
        return;
    mAngle = value;
    sendSecenItem(QStringLiteral("rotate"), number(turn));
}

void ItemProperty::setSelectionAngle(double degrees)
{
    mAngle = degrees;
    const QSignalBlocker blocker(mRotateSpin);
    mRotateSpin->setValue(degrees);
}

void ItemProperty::fontChanged(const QFont &font)
{
    sendSecenItem(QStringLiteral("font-family"), font.family());
}

void ItemProperty::fontStyleChanged(int index)
{
    sendSecenItem(QStringLiteral("font-style"), index == 1 ? QStringLiteral("italic") : QStringLiteral("normal"));
}

void ItemProperty::fontAlignChanged(int index)
{
    static const QStringList values{QStringLiteral("AlignLeft"), QStringLiteral("AlignCenter"),
                                    QStringLiteral("AlignRight")};
    if (index >= 0 && index < values.size())
        sendSecenItem(EngravingAttributes::alignment, values.at(index));
}

void ItemProperty::fontDirectionChanged(int index)
{
    sendSecenItem(EngravingAttributes::textDirection, index == 1 ? QStringLiteral("V") : QStringLiteral("H"));
}

void ItemProperty::fontSpaceHChanged(double value)
{
    sendSecenItem(EngravingAttributes::wordSpacing, number(value));
}

void ItemProperty::fontSpaceVChanged(double value)
{
    sendSecenItem(EngravingAttributes::lineSpacing, number(value));
}

void ItemProperty::imageProccssingComboChanged(int index)
{
    static const QStringList values{EngravingAttributes::imageBw, EngravingAttributes::imageHalftone,
                                    EngravingAttributes::imageGray};
    if (index >= 0 && index < values.size())
        sendSecenItem(EngravingAttributes::image, values.at(index));
}

void ItemProperty::printModeComboChanged(int index)
{
    static const QStringList values{EngravingAttributes::engraveModeOutline, EngravingAttributes::engraveModeFill,
                                    QStringLiteral("both")};
    if (index >= 0 && index < values.size())
        sendSecenItem(QStringLiteral("fill"), values.at(index));
}

void ItemProperty::scanAngleChanged(double value)
{
    sendSecenItem(EngravingAttributes::scanAngle, number(value));
}

void ItemProperty::scanAccuracySpinChanged(double value)
{
    sendSecenItem(EngravingAttributes::scanAccuracy, number(value));
}

void ItemProperty::overScanSpinChanged(double value)
{
    sendSecenItem(EngravingAttributes::scanBuffer, number(value));
}

void ItemProperty::scanErrSpinChanged(double value)
{
    sendSecenItem(EngravingAttributes::scanError, number(value));
}

void ItemProperty::engraveXSpinChanged(double value)
{
    qDebug() << EngravingAttributes::XMotorMovementError << value;
    sendSecenItem(EngravingAttributes::XMotorMovementError, number(value));
}

void ItemProperty::engraveYSpinChanged(double value)
{
    qDebug() << EngravingAttributes::YMotorMovementError << value;
    sendSecenItem(EngravingAttributes::YMotorMovementError, number(value));
}

void ItemProperty::scanTimesSpinChanged(double value)
{
    sendSecenItem(EngravingAttributes::scanTimes, number(value));
}

void ItemProperty::scanPowerSpinChanged(double value)
{
    updatePowerLabel();
    sendSecenItem(EngravingAttributes::scanPower, number(value));
}

void ItemProperty::scanSpeedSpinChanged(double value)
{
    updateSpeedLabel();
    sendSecenItem(EngravingAttributes::scanSpeed, number(value));
}

void ItemProperty::updatePowerLabel()
{
    mPowerLabel->setText(number(mPowerSpin->value() * mPrintPower / 100) + QStringLiteral("%"));
}

void ItemProperty::updateSpeedLabel()
{
    mSpeedLabel->setText(number(mSpeedSpin->value() * mPrintSpeed / 100) + QStringLiteral("mm/s"));
}

void ItemProperty::printAdvanceSettings(bool checked)
{
    mAdvancedButton->setText(checked ? tr("隐藏设置") : tr("高级设置"));
    mAdvancedSection->setVisible(checked);
}

void ItemProperty::printDefaultSettings(bool)
{
    mStored.restoreFactoryDefaults();
    // Written to the selection like any other change of the two fields.
    mPowerSpin->setValue(100);
    mSpeedSpin->setValue(100);
    pushDefaultParameters();
}

void ItemProperty::printSaveAsDefaultSettings(bool)
{
    mStored.scanGap = mAccuracySpin->value();
    mStored.scanTimes = static_cast<int>(mTimesSpin->value());
    mStored.scanAngle = static_cast<int>(mAngleSpin->value());
    mStored.overScanSize = mOverScanSpin->value();
    mStored.scanErr = mErrSpin->value();
    mStored.engraveXErr = mXErrSpin->value();
    mStored.engraveYErr = mYErrSpin->value();
    pushDefaultParameters();
}

void ItemProperty::printInterpolationTest(bool)
{
    emit designRequested(testDesignPath);
}

void ItemProperty::printParameterHelp(bool)
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::languagesGroup);
    if (!settings.contains(SettingsNames::languageKey))
        return;
    mOpenUrl(parameterHelpUrl(settings.value(SettingsNames::languageKey).toString()));
}

void ItemProperty::sendSecenItem(const QString &name, const QString &value)
{
    emit sceneItemPropertyChanged({name}, {value});
}

void ItemProperty::sendSecenItemList(const QList<QString> &names, const QList<QString> &values)
{
    emit sceneItemPropertyChanged(names, values);
}

void ItemProperty::showDefaultFields()
{
    const QSignalBlocker b1(mAccuracySpin), b2(mTimesSpin), b3(mAngleSpin), b4(mOverScanSpin),
            b5(mErrSpin), b6(mXErrSpin), b7(mYErrSpin);
    mAccuracySpin->setValue(mStored.scanGap);
    mTimesSpin->setValue(mStored.scanTimes);
    mAngleSpin->setValue(mStored.scanAngle);
    mOverScanSpin->setValue(mStored.overScanSize);
    mErrSpin->setValue(mStored.scanErr);
    mXErrSpin->setValue(mStored.engraveXErr);
    mYErrSpin->setValue(mStored.engraveYErr);
}

void ItemProperty::pushDefaultParameters()
{
    showDefaultFields();
    const DefaultParameters set = mStored.defaultParameters();
    sendSecenItemList(DefaultParameters::names(), set.values());
}

void ItemProperty::selectOneNode(QMap<QString, QString> attributes, QRectF bound)
{
    setEnabled(true);
    setSelectItemParms(attributes, bound);
}

void ItemProperty::selectPluralNode(QMap<QString, QString> attributes, QRectF bound)
{
    setEnabled(true);
    setSelectItemParms(attributes, bound);
}

void ItemProperty::selectNoneNode()
{
    setEnabled(false);
}

void ItemProperty::setSelectItemParms(QMap<QString, QString> attributes, QRectF bound)
{
    showBound(bound);
    mTextGroup->hide();
    mImageGroup->hide();
    auto value = [&attributes](const char *key) { return attributes.value(QLatin1String(key)); };
    // The selection reports a parameter under its attribute's name.
    auto parameter = [&attributes](const QString &attribute) {
        return attributes.value(EngravingParameters::nameOf(attribute));
    };
    auto setChoice = [](QComboBox *combo, const QString &text, const QStringList &choices) {
        const int index = choices.indexOf(text);
        if (index >= 0) {
            const QSignalBlocker blocker(combo);
            combo->setCurrentIndex(index);
        }
    };
    auto setNumber = [](QDoubleSpinBox *spin, const QString &text) {
        bool ok = false;
        const double number = text.toDouble(&ok);
        // The selection is shown again after every edit, also while a field
        // is being typed into: an equal value must leave its text alone.
        if (ok && number != spin->value()) {
            const QSignalBlocker blocker(spin);
            spin->setValue(number);
        }
    };

    if (!value("fill").isEmpty()) {
        const QSignalBlocker blocker(mModeCombo);
        mModeCombo->setCurrentIndex(value("fill") == EngravingAttributes::engraveModeOutline ? 0 : 1);
    }
    if (!value("textFamily").isEmpty()) {
        const QSignalBlocker blocker(mFontCombo);
        // The family the canvas and the job draw with, not the name written.
        mFontCombo->setCurrentFont(QFont(SvgGrammar::installedFontFamily(value("textFamily"))));
    }
    if (!value("word").isEmpty())
        mTextGroup->show();
    if (!value("image").isEmpty()) {
        mImageGroup->show();
        setChoice(mImageCombo, value("image"), {EngravingAttributes::imageBw, EngravingAttributes::imageHalftone,
                                                EngravingAttributes::imageGray});
    }
    setNumber(mLineSpacingSpin, value("lineSpacing"));
    setNumber(mWordSpacingSpin, value("wordSpacing"));
    setChoice(mAlignCombo, value("alignment"),
              {QStringLiteral("AlignLeft"), QStringLiteral("AlignCenter"), QStringLiteral("AlignRight")});
    setChoice(mDirectionCombo, value("textDirection"), {QStringLiteral("H"), QStringLiteral("V")});
    setNumber(mPowerSpin, parameter(EngravingAttributes::scanPower));
    setNumber(mSpeedSpin, parameter(EngravingAttributes::scanSpeed));
    updatePowerLabel();
    updateSpeedLabel();
    setNumber(mTimesSpin, parameter(EngravingAttributes::scanTimes));
    setNumber(mOverScanSpin, parameter(EngravingAttributes::scanBuffer));
    setNumber(mAccuracySpin, parameter(EngravingAttributes::scanAccuracy));
    setNumber(mAngleSpin, parameter(EngravingAttributes::scanAngle));
    setNumber(mErrSpin, parameter(EngravingAttributes::scanError));
    setNumber(mXErrSpin, parameter(EngravingAttributes::XMotorMovementError));
    setNumber(mYErrSpin, parameter(EngravingAttributes::YMotorMovementError));
}

void ItemProperty::setItemPropertyWidgetValue(QStringList messages)
{
    for (const QString &message : messages)
        applyReport(message);
}

void ItemProperty::applyReport(const QString &message)
{
    static const QRegularExpression notNumber(QStringLiteral("[^-?+().0-9]+"));
    const QStringList tokens = message.split(notNumber, Qt::SkipEmptyParts);
    if (tokens.size() < 2)
        return;
    bool ok = false;
    const int kind = tokens.at(0).toInt(&ok);
    if (!ok)
        return;
    switch (kind) {
    case 0:
    case 1: {
        const double value = tokens.at(1).toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return;
        // Labels only: re-sending the percentage would overwrite every selected element.
        if (kind == 0) {
            mPrintSpeed = value;
            updateSpeedLabel();
        } else {
            mPrintPower = value;
            updatePowerLabel();
        }
        break;
    }
    case 2: {
        const int start = message.indexOf(QLatin1String("value:"));
        const QString version = start < 0 ? QString() : message.mid(start + 6).trimmed();
        qDebug() << "lower hardware version" << version;
        // Garbled text must not replace the version that picks the factory values.
        if (!isVersionText(version) || sameVersion(version, mStored.lowerHardWareVersion))
            return;
        mStored.lowerHardWareVersion = version;
        printDefaultSettings();
        break;
    }
    default:
        break;
    }
}
