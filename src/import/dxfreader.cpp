#include "import/dxfreader.h"

#include "import/dxfcreation.h"
#include "import/dxfgeometry.h"
#include "import/dxfhatch.h"
#include "import/dxfsource.h"
#include "import/dxftext.h"

#include <dxflib/dl_dxf.h>

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTransform>
#include <iostream>
#include <sstream>

namespace DxfReader {

namespace {

// Blocks that insert each other are followed this deep, which also ends a
// block that inserts itself.
constexpr int maxInsertDepth = 16;
// More copies than this in one array INSERT are taken as a damaged file.
constexpr int maxArrayCopies = 10000;
// Blocks that insert each other multiply: a few kilobytes can ask for
// billions of copies. No real drawing comes near these totals.
constexpr qint64 maxTotalCopies = 1000000;
constexpr qint64 maxTotalElements = 20000000;

struct Output
{
    QPainterPath outline;
    QPainterPath fill;
};

class Drawer
{
public:
    Drawer(const QList<DxfBlockRecord> &blocks, const DxfSource &source, const std::atomic<bool> *cancel)
        : mBlocks(blocks)
        , mSource(source)
        , mCancel(cancel)
    {
    }

    bool exhausted() const { return mExhausted; }
    bool cancelled() const { return mCancel && mCancel->load(); }

    void drawEntities(const DxfBlockRecord &record, const QTransform &transform, Output &output)
    {
        auto add = [&](QPainterPath &target, const QPainterPath &entity) {
            if (entity.isEmpty() || mExhausted)
                return;
            mElements += entity.elementCount();
            if (mElements > maxTotalElements) {
                mExhausted = true;
                return;
            }
            target.addPath(transform.isIdentity() ? entity : transform.map(entity));
        };
        for (const auto &line : record.lines)
            add(output.outline, DxfGeometry::line(line));
        for (const auto &circle : record.circles)
            add(output.outline, DxfGeometry::circle(circle));
        for (const auto &arc : record.arcs)
            add(output.outline, DxfGeometry::arc(arc));
        for (const auto &ellipse : record.ellipses)
            add(output.outline, DxfGeometry::ellipse(ellipse));
        for (const auto &polyline : record.polylines)
            add(output.outline, DxfGeometry::polyline(polyline));
        for (const auto &spline : record.splines)
            add(output.outline, DxfGeometry::spline(spline));
        for (int index : record.raw) {
            if (index < 0 || index >= mSource.rawEntities().size())
                continue;
            const DxfRawEntity &entity = mSource.rawEntities().at(index);
            if (entity.type == "DIMENSION") {
                // A dimension is drawn by its anonymous block, in place.
                DxfBlockRecord::Insert insert;
                insert.block = DxfText::decode(groupValue(entity, 2).trimmed());
                drawInsert(insert, transform, output, 1);
            } else if (entity.type == "HATCH") {
                add(output.fill, rawPath(index, !record.drawn));
            } else {
                add(output.outline, rawPath(index, !record.drawn));
            }
        }
    }

    void drawInsert(const DxfBlockRecord::Insert &insert, const QTransform &parent, Output &output, int depth)
    {
        const DxfBlockRecord *block = blockNamed(insert.block);
        if (!block || depth > maxInsertDepth) {
            qDebug() << "insert of a missing or too deeply nested block" << insert.block;
            return;
        }
        const int columns = qMax(1, insert.columns);
        const int rows = qMax(1, insert.rows);
        if (qint64(columns) * rows > maxArrayCopies)
            return;
        for (int row = 0; row < rows && !mExhausted && !cancelled(); ++row) {
            for (int column = 0; column < columns && !mExhausted; ++column) {
                if (++mCopies > maxTotalCopies) {
                    mExhausted = true;
                    return;
                }
                QTransform local;
                local.translate(insert.point.x(), insert.point.y());
                local.rotate(insert.rotationDegrees);
                local.translate(column * insert.columnSpacing, row * insert.rowSpacing);
                local.scale(insert.scaleX, insert.scaleY);
                local.translate(-block->base.x(), -block->base.y());
                if (insert.mirrored)
                    local = local * QTransform::fromScale(-1, 1);
                const QTransform transform = local * parent;
                drawEntities(*block, transform, output);
                for (const auto &nested : block->inserts)
                    drawInsert(nested, transform, output, depth + 1);
            }
        }
    }

    // The first named block of that name, or -1.
    int indexOf(const QString &name) const
    {
        for (int i = 0; i < mBlocks.size(); ++i) {
            if (!mBlocks.at(i).drawn && mBlocks.at(i).name == name)
                return i;
        }
        return -1;
    }

private:
    static QByteArray groupValue(const DxfRawEntity &entity, int code)
    {
        for (const DxfGroup &group : entity.groups) {
            if (group.code == code)
                return group.value;
        }
        return QByteArray();
    }

    // Texts and hatches of blocks are made once, however often their block
    // is placed; the section's own are drawn once and not kept.
    QPainterPath rawPath(int index, bool keep)
    {
        auto found = mRawPaths.constFind(index);
        if (found != mRawPaths.constEnd())
            return found.value();
        const DxfRawEntity &entity = mSource.rawEntities().at(index);
        QPainterPath path;
        if (entity.type == "HATCH") {
            path = DxfHatch::area(entity);
        } else {
            const QString family = familyOf(DxfText::decode(groupValue(entity, 7).trimmed()));
            path = entity.type == "MTEXT" ? DxfText::mtext(entity, family) : DxfText::text(entity, family);
        }
        if (keep)
            mRawPaths.insert(index, path);
        return path;
    }

    QString familyOf(const QString &style)
    {
        QString family = DxfText::installedFamily(mSource.styleFamily(style.isEmpty() ? QStringLiteral("standard") : style));
        if (family.isEmpty())
            family = DxfText::installedFamily(style);
        return family;
    }

    const DxfBlockRecord *blockNamed(const QString &name) const
    {
        const int index = indexOf(name);
        return index < 0 ? nullptr : &mBlocks.at(index);
    }

    const QList<DxfBlockRecord> &mBlocks;
    const DxfSource &mSource;
    const std::atomic<bool> *mCancel;
    QHash<int, QPainterPath> mRawPaths;
    qint64 mCopies = 0;
    qint64 mElements = 0;
    bool mExhausted = false;
};

} // namespace

ImportedDrawing readData(const QByteArray &data, const std::atomic<bool> *cancel)
{
    ImportedDrawing drawing;
    drawing.format = ImportedDrawing::Format::Dxf;
    DxfSource source;
    if (data.isEmpty() || !source.load(data)) {
        drawing.error = QCoreApplication::translate("DxfReader", "这不是可读的 DXF 文件。");
        return drawing;
    }
    DxfCreation creation;
    DL_Dxf dxf;
    const QByteArray &text = source.textForLibrary();
    std::istringstream stream(std::string(text.constData(), size_t(text.size())));
    bool parsed = false;
    try {
        parsed = dxf.in(stream, &creation);
    } catch (const std::exception &error) {
        // dxflib sizes some arrays from counts in the file.
        qDebug() << "dxflib failed:" << error.what();
    }
    if (!parsed) {
        drawing.error = QCoreApplication::translate("DxfReader", "这不是可读的 DXF 文件。");
        return drawing;
    }
    drawing.unit = ImportUnits::fromInsUnits(creation.insUnits(), &drawing.unitStated);

    // One path per inserted block, holding all its insertions, in block
    // order; then the ENTITIES section's own drawing. Filled areas
    // (hatches) likewise, apart.
    const QList<DxfBlockRecord> &blocks = creation.blocks();
    Drawer drawer(blocks, source, cancel);
    QVector<Output> inserted(blocks.size());
    QList<Output> own;
    for (const DxfBlockRecord &record : blocks) {
        if (drawer.cancelled()) {
            drawing.error = QStringLiteral("cancelled");
            return drawing;
        }
        if (!record.drawn)
            continue;
        Output output;
        drawer.drawEntities(record, QTransform(), output);
        own.append(output);
        for (const auto &insert : record.inserts) {
            const int block = drawer.indexOf(insert.block);
            if (block >= 0)
                drawer.drawInsert(insert, QTransform(), inserted[block], 0);
        }
    }
    if (drawer.exhausted()) {
        drawing.error = QCoreApplication::translate("DxfReader", "图纸的块插入过多（超过 %1 个副本或 %2 个线段），无法导入。")
                                .arg(maxTotalCopies)
                                .arg(maxTotalElements);
        return drawing;
    }
    for (const Output &output : inserted.toList() + own) {
        if (!output.outline.isEmpty())
            drawing.paths.append(output.outline);
        if (!output.fill.isEmpty()) {
            QPainterPath fill = output.fill;
            fill.setFillRule(Qt::OddEvenFill);
            drawing.fills.append(fill);
        }
    }
    return drawing;
}

ImportedDrawing read(const QString &path, const std::atomic<bool> *cancel)
{
    // Read through Qt, not by dxflib's 8-bit file name, so any path opens.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::cerr << QFile::encodeName(path).constData() << " could not be opened.\n";
        ImportedDrawing drawing;
        drawing.error = QCoreApplication::translate("DxfReader", "无法打开文件 %1：%2")
                                .arg(QFileInfo(path).fileName(), file.errorString());
        return drawing;
    }
    ImportedDrawing drawing = readData(file.readAll(), cancel);
    if (!drawing.ok() && drawing.error == QCoreApplication::translate("DxfReader", "这不是可读的 DXF 文件。"))
        std::cerr << QFile::encodeName(path).constData() << " could not be opened.\n";
    return drawing;
}

} // namespace DxfReader
