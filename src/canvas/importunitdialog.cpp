#include "canvas/importunitdialog.h"

#include "common/settingsnames.h"
#include "import/drawingimport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSettings>

namespace {

QString settingsKey(ImportedDrawing::Format format)
{
    return format == ImportedDrawing::Format::Dxf ? SettingsNames::dxfUnitKey : SettingsNames::pltUnitKey;
}

} // namespace

ImportUnitDialog::ImportUnitDialog(const ImportedDrawing &drawing, ImportUnit initial, QWidget *parent)
    : QDialog(parent)
    , mDrawing(drawing)
{
    build(initial);
}

ImportUnitDialog::ImportUnitDialog(const QSizeF &physical, const QSizeF &userUnits, QWidget *parent)
    : QDialog(parent)
    , mSvg(true)
    , mPhysical(physical)
    , mUserUnits(userUnits)
{
    build(ImportUnit::Millimetre);
}

void ImportUnitDialog::build(ImportUnit initial)
{
    setWindowTitle(tr("导入尺寸"));
    mUnits = new QComboBox(this);
    if (mSvg) {
        mUnits->addItem(tr("文件给出的尺寸"), int(ImportUnit::Millimetre));
        mUnits->addItem(tr("设计单位（0.08 毫米）"), int(ImportUnit::Design));
    } else if (mDrawing.format == ImportedDrawing::Format::Dxf) {
        mUnits->addItem(tr("毫米"), int(ImportUnit::Millimetre));
        mUnits->addItem(tr("厘米"), int(ImportUnit::Centimetre));
        mUnits->addItem(tr("英寸"), int(ImportUnit::Inch));
        // Feet, metres and the other units a header can name.
        if (mUnits->findData(int(initial)) < 0 && initial != ImportUnit::Design && initial != ImportUnit::Plotter)
            mUnits->addItem(tr("文件给出的单位（%1）").arg(ImportUnits::name(initial)), int(initial));
    } else {
        mUnits->addItem(tr("设计单位（0.08 毫米，y 向下）"), int(ImportUnit::Design));
        mUnits->addItem(tr("绘图仪单位（0.025 毫米，y 向上）"), int(ImportUnit::Plotter));
    }
    const int index = mUnits->findData(int(initial));
    mUnits->setCurrentIndex(index < 0 ? 0 : index);
    mSize = new QLabel(this);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QFormLayout(this);
    layout->addRow(tr("单位："), mUnits);
    layout->addRow(tr("尺寸："), mSize);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mUnits, qOverload<int>(&QComboBox::currentIndexChanged), this, &ImportUnitDialog::showSize);
    showSize();
}

ImportUnit ImportUnitDialog::unit() const
{
    return ImportUnit(mUnits->currentData().toInt());
}

void ImportUnitDialog::showSize()
{
    QSizeF size;
    if (!mSvg)
        size = DrawingImport::physicalSize(mDrawing, unit());
    else if (unit() == ImportUnit::Millimetre)
        size = mPhysical;
    else
        size = mUserUnits * ImportUnits::millimetresPer(ImportUnit::Design);
    mSize->setText(tr("%1 × %2 毫米").arg(size.width(), 0, 'f', 2).arg(size.height(), 0, 'f', 2));
}

ImportUnit ImportUnitDialog::initialUnit(const ImportedDrawing &drawing)
{
    if (drawing.unitStated)
        return drawing.unit;
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::drawingImportGroup);
    ImportUnit unit = drawing.unit;
    ImportUnits::fromName(settings.value(settingsKey(drawing.format)).toString(), &unit);
    settings.endGroup();
    return unit;
}

void ImportUnitDialog::remember(ImportedDrawing::Format format, ImportUnit unit)
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::drawingImportGroup);
    settings.setValue(settingsKey(format), ImportUnits::name(unit));
    settings.endGroup();
}

bool ImportUnitDialog::ask(const ImportedDrawing &drawing, ImportUnit *unit, QWidget *parent)
{
    ImportUnitDialog dialog(drawing, initialUnit(drawing), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *unit = dialog.unit();
    remember(drawing.format, *unit);
    return true;
}

bool ImportUnitDialog::askForSvg(const QSizeF &physical, const QSizeF &userUnits, ImportUnit *unit,
                                 QWidget *parent)
{
    ImportUnitDialog dialog(physical, userUnits, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *unit = dialog.unit();
    return true;
}
