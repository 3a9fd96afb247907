#include "gcode/sortitemlist.h"

#include "gcode/outlinemoves.h"

#include <QDebug>

SortItem SortItem::outline(const QPainterPath &path, double power, double speed,
                           double xBacklash, double yBacklash)
{
    SortItem item;
    item.path = path;
    item.start = path.pointAtPercent(0);
    item.end = path.pointAtPercent(1);
    item.power = power;
    item.speed = speed;
    item.xBacklash = xBacklash;
    item.yBacklash = yBacklash;
    return item;
}

SortItem SortItem::raster(const QVector<GCodeBuffer> &records)
{
    SortItem item;
    item.records = records;
    return item;
}

namespace {

GCodeBuffer relativeG90()
{
    GCodeBuffer g90 = GCodeBuffer::g(90);
    g90.X = 0;
    g90.Y = 0;
    g90.absolute = false;
    return g90;
}

void appendGroup(const QVector<const SortItem *> &group, double fullPower, double fullSpeed,
                 QVector<GCodeBuffer> &out)
{
    OutlineMoves moves(fullPower, fullSpeed);
    for (const SortItem *item : group)
        moves.append(item->path, item->power, item->speed, item->xBacklash, item->yBacklash, out);
}

} // namespace

void SortItemList::toGcode(QVector<GCodeBuffer> &out, double fullPower, double fullSpeed) const
{
    int first = 0;
    while (first < mItems.size() && mItems.at(first).isMalformed()) {
        qDebug() << "SortItemList::toGcode() err!!!";
        ++first;
    }
    if (first == mItems.size())
        return;

    out.append(GCodeBuffer::m(4));
    out.append(GCodeBuffer::m(8));
    bool rasterMode = mItems.at(first).isRaster();
    QVector<const SortItem *> group;
    for (int i = first; i < mItems.size(); ++i) {
        const SortItem &item = mItems.at(i);
        if (item.isMalformed()) {
            qDebug() << "SortItemList::toGcode() err!!!";
            continue;
        }
        if (item.isRaster()) {
            if (!rasterMode) {
                appendGroup(group, fullPower, fullSpeed, out);
                group.clear();
                rasterMode = true;
            }
            out += item.records;
        } else {
            if (rasterMode) {
                out.append(relativeG90());
                rasterMode = false;
            }
            group.append(&item);
        }
    }
    if (!group.isEmpty())
        appendGroup(group, fullPower, fullSpeed, out);
}
