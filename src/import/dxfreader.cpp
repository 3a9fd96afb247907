#include "import/dxfreader.h"

#include "import/dxfcreation.h"
#include "import/dxfgeometry.h"
#include "import/dxftext.h"

#include <dxflib/dl_dxf.h>

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
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

class Drawer
{
public:
    explicit Drawer(const QList<DxfBlockRecord> &blocks)
        : mBlocks(blocks)
    {
    }

    void drawEntities(const DxfBlockRecord &record, const QTransform &transform, QPainterPath &path)
    {
        auto add = [&](const QPainterPath &entity) {
            if (!entity.isEmpty())
                path.addPath(transform.isIdentity() ? entity : transform.map(entity));
        };
        for (const auto &line : record.lines)
            add(DxfGeometry::line(line));
        for (const auto &circle : record.circles)
            add(DxfGeometry::circle(circle));
        for (const auto &arc : record.arcs)
            add(DxfGeometry::arc(arc));
        for (const auto &ellipse : record.ellipses)
            add(DxfGeometry::ellipse(ellipse));
        for (const auto &polyline : record.polylines)
            add(DxfGeometry::polyline(polyline));
        for (const auto &spline : record.splines)
            add(DxfGeometry::spline(spline));
        for (const auto &text : record.texts)
            add(DxfText::outline(text));
    }

    void drawInsert(const DxfBlockRecord::Insert &insert, const QTransform &parent, QPainterPath &path,
                    int depth)
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
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                QTransform local;
                local.translate(insert.point.x(), insert.point.y());
                local.rotate(insert.rotationDegrees);
                local.translate(column * insert.columnSpacing, row * insert.rowSpacing);
                local.scale(insert.scaleX, insert.scaleY);
                local.translate(-block->base.x(), -block->base.y());
                const QTransform transform = local * parent;
                drawEntities(*block, transform, path);
                for (const auto &nested : block->inserts)
                    drawInsert(nested, transform, path, depth + 1);
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
    const DxfBlockRecord *blockNamed(const QString &name) const
    {
        const int index = indexOf(name);
        return index < 0 ? nullptr : &mBlocks.at(index);
    }

    const QList<DxfBlockRecord> &mBlocks;
};

} // namespace

ImportedDrawing readData(const QByteArray &data)
{
    ImportedDrawing drawing;
    drawing.format = ImportedDrawing::Format::Dxf;
    DxfCreation creation;
    DL_Dxf dxf;
    std::istringstream stream(std::string(data.constData(), size_t(data.size())));
    bool parsed = false;
    try {
        parsed = !data.isEmpty() && dxf.in(stream, &creation);
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
    // order; then the ENTITIES section's own drawing.
    const QList<DxfBlockRecord> &blocks = creation.blocks();
    Drawer drawer(blocks);
    QList<QPainterPath> inserted;
    for (int i = 0; i < blocks.size(); ++i)
        inserted.append(QPainterPath());
    QList<QPainterPath> own;
    for (const DxfBlockRecord &record : blocks) {
        if (!record.drawn)
            continue;
        QPainterPath path;
        drawer.drawEntities(record, QTransform(), path);
        own.append(path);
        for (const auto &insert : record.inserts) {
            const int block = drawer.indexOf(insert.block);
            if (block >= 0)
                drawer.drawInsert(insert, QTransform(), inserted[block], 0);
        }
    }
    for (const QPainterPath &path : inserted + own) {
        if (!path.isEmpty())
            drawing.paths.append(path);
    }
    return drawing;
}

ImportedDrawing read(const QString &path)
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
    ImportedDrawing drawing = readData(file.readAll());
    if (!drawing.ok())
        std::cerr << QFile::encodeName(path).constData() << " could not be opened.\n";
    return drawing;
}

} // namespace DxfReader
