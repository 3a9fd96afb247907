#include "panels/materiallibrarypanel.h"

#include "canvas/materialcanvas.h"
#include "canvas/svgview.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "material/testgrid.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QDebug>
#include <QFileInfo>
#include <QTreeWidgetItemIterator>

namespace {

constexpr int presetRole = Qt::UserRole + 1;

} // namespace

MaterialLibraryPanel::MaterialLibraryPanel(SVGView *view, QWidget *parent)
    : QWidget(parent)
    , mView(view)
{
    mTree = new QTreeWidget;
    mTree->setColumnCount(2);
    mTree->setHeaderLabels({tr("材料库"), tr("参数")});
    mTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    mTree->setMinimumHeight(160);
    mApply = new QPushButton(tr("应用到所选"));
    mSave = new QPushButton(tr("所选存为预设"));
    mFromCell = new QPushButton(tr("从测试网格"));
    mRemove = new QPushButton(tr("删除"));
    mImport = new QPushButton(tr("导入…"));
    mExport = new QPushButton(tr("导出…"));
    mApply->setToolTip(tr("把选中的预设应用到画布上所选的图元，可撤销"));
    mFromCell->setToolTip(tr("把画布上选中的测试网格格子存为预设"));

    auto *buttons = new QGridLayout;
    buttons->addWidget(mApply, 0, 0);
    buttons->addWidget(mSave, 0, 1);
    buttons->addWidget(mFromCell, 0, 2);
    buttons->addWidget(mRemove, 1, 0);
    buttons->addWidget(mImport, 1, 1);
    buttons->addWidget(mExport, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mTree);
    layout->addLayout(buttons);

    connect(mApply, &QPushButton::clicked, this, &MaterialLibraryPanel::applyCurrent);
    connect(mSave, &QPushButton::clicked, this, &MaterialLibraryPanel::saveSelection);
    connect(mFromCell, &QPushButton::clicked, this, &MaterialLibraryPanel::saveTestCell);
    connect(mRemove, &QPushButton::clicked, this, &MaterialLibraryPanel::removeCurrent);
    connect(mImport, &QPushButton::clicked, this, &MaterialLibraryPanel::importLibrary);
    connect(mExport, &QPushButton::clicked, this, &MaterialLibraryPanel::exportLibrary);
    connect(mTree, &QTreeWidget::currentItemChanged, this, &MaterialLibraryPanel::updateButtons);

    QString error;
    const QString path = MaterialLibrary::defaultPath();
    if (QFileInfo::exists(path) && !mLibrary.load(path, view->document()->defaultParameters(), &error))
        qWarning().noquote() << "material library not read:" << path << error;
    refresh();
}

int MaterialLibraryPanel::currentIndex() const
{
    const QTreeWidgetItem *item = mTree->currentItem();
    return item ? item->data(0, presetRole).toInt() - 1 : -1;
}

void MaterialLibraryPanel::setCurrentIndex(int index)
{
    for (QTreeWidgetItemIterator it(mTree); *it; ++it) {
        if ((*it)->data(0, presetRole).toInt() - 1 == index && index >= 0) {
            mTree->setCurrentItem(*it);
            return;
        }
    }
    mTree->setCurrentItem(nullptr);
}

void MaterialLibraryPanel::refresh()
{
    mTree->clear();
    QTreeWidgetItem *group = nullptr;
    QString groupTitle;
    for (int i = 0; i < mLibrary.presets().size(); ++i) {
        const MaterialPreset &p = mLibrary.presets().at(i);
        MaterialPreset heading = p;
        heading.name.clear();
        if (!group || heading.title() != groupTitle) {
            groupTitle = heading.title();
            group = new QTreeWidgetItem(mTree, {groupTitle});
            group->setExpanded(true);
        }
        const QString summary = QStringLiteral("%1 %2% %3% ×%4 %5mm")
                                        .arg(p.fill ? tr("填充") : tr("切割"))
                                        .arg(p.power)
                                        .arg(p.speed)
                                        .arg(p.passes)
                                        .arg(p.lineInterval);
        auto *item = new QTreeWidgetItem(group, {p.name, summary});
        // Stored one up, so that 0 marks a heading.
        item->setData(0, presetRole, i + 1);
        item->setToolTip(0, p.title());
    }
    updateButtons();
}

void MaterialLibraryPanel::updateButtons()
{
    const bool picked = currentIndex() >= 0;
    mApply->setEnabled(picked);
    mRemove->setEnabled(picked);
    mExport->setEnabled(!mLibrary.isEmpty());
}

bool MaterialLibraryPanel::store()
{
    QString error;
    if (mLibrary.save(MaterialLibrary::defaultPath(), &error))
        return true;
    QMessageBox::warning(this, tr("材料库"), tr("无法保存材料库：%1").arg(error));
    return false;
}

bool MaterialLibraryPanel::addPreset(const MaterialPreset &preset)
{
    const int index = mLibrary.add(preset);
    refresh();
    setCurrentIndex(index);
    return store();
}

bool MaterialLibraryPanel::importFile(const QString &path, QString *error)
{
    MaterialLibrary imported;
    if (!imported.load(path, mView->document()->defaultParameters(), error))
        return false;
    mLibrary.merge(imported);
    refresh();
    return store();
}

bool MaterialLibraryPanel::selectionPreset(MaterialPreset *preset, QString *cellLabel) const
{
    const QList<Node *> nodes = MaterialCanvas::selectedElements(mView);
    if (nodes.size() != 1)
        return false;
    const QDomElement element = nodes.first()->element();
    *preset = MaterialPreset::fromElement(element, mView->document()->defaultParameters());
    if (cellLabel)
        *cellLabel = element.attribute(TestGrid::cellAttribute);
    return true;
}

bool MaterialLibraryPanel::askNames(MaterialPreset *preset)
{
    QDialog dialog(this);
    dialog.setWindowTitle(tr("保存预设"));
    auto *material = new QLineEdit(preset->material);
    auto *thickness = new QLineEdit(preset->thickness);
    auto *name = new QLineEdit(preset->name);
    material->setPlaceholderText(tr("例如 椴木板"));
    thickness->setPlaceholderText(tr("例如 3 mm"));
    name->setPlaceholderText(tr("例如 切割"));
    auto *form = new QFormLayout(&dialog);
    form->addRow(tr("材料："), material);
    form->addRow(tr("厚度："), thickness);
    form->addRow(tr("名称："), name);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const auto complete = [&] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!material->text().trimmed().isEmpty());
    };
    connect(material, &QLineEdit::textChanged, &dialog, complete);
    complete();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    preset->material = material->text().trimmed();
    preset->thickness = thickness->text().trimmed();
    preset->name = name->text().trimmed();
    return true;
}

void MaterialLibraryPanel::applyCurrent()
{
    const int index = currentIndex();
    if (index < 0)
        return;
    const MaterialPreset preset = mLibrary.presets().at(index);
    if (MaterialCanvas::selectedElements(mView).isEmpty()) {
        QMessageBox::warning(this, tr("材料库"), tr("请先在画布上选择要应用预设的图元。"));
        return;
    }
    if (preset.isRisky(mView->generator().paintSpeed())
        && QMessageBox::warning(this, tr("材料库"),
                                tr("此预设功率高于 80 % 且速度低于 10 mm/s，容易引燃材料。确定要应用吗？"),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                != QMessageBox::Yes)
        return;
    MaterialCanvas::applyPreset(mView, preset);
}

void MaterialLibraryPanel::saveSelection()
{
    MaterialPreset preset;
    if (!selectionPreset(&preset, nullptr)) {
        QMessageBox::warning(this, tr("材料库"), tr("请在画布上只选择一个图元。"));
        return;
    }
    const int index = currentIndex();
    if (index >= 0) {
        // Start from the names of the preset picked, to update it in place.
        const MaterialPreset &picked = mLibrary.presets().at(index);
        preset.material = picked.material;
        preset.thickness = picked.thickness;
        preset.name = picked.name;
    }
    if (askNames(&preset))
        addPreset(preset);
}

void MaterialLibraryPanel::saveTestCell()
{
    MaterialPreset preset;
    QString cell;
    if (!selectionPreset(&preset, &cell) || cell.isEmpty()) {
        QMessageBox::warning(this, tr("材料库"), tr("请在画布上点选测试网格中的一个格子。"));
        return;
    }
    preset.name = cell;
    if (askNames(&preset))
        addPreset(preset);
}

void MaterialLibraryPanel::removeCurrent()
{
    if (mLibrary.remove(currentIndex())) {
        refresh();
        store();
    }
}

void MaterialLibraryPanel::importLibrary()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("导入材料库"), QString(),
                                                      tr("材料库 (*.json)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!importFile(path, &error))
        QMessageBox::warning(this, tr("材料库"), tr("无法导入 %1：%2").arg(path, error));
}

void MaterialLibraryPanel::exportLibrary()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("导出材料库"), QStringLiteral("materials.json"),
                                                      tr("材料库 (*.json)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!mLibrary.save(path, &error))
        QMessageBox::warning(this, tr("材料库"), tr("无法导出 %1：%2").arg(path, error));
}
